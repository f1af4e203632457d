#include "storage/ContactStore.h"
#include "storage/RecordFields.h"
#include "storage/RecordId.h"

#include "StorageTestSupport.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

ContactRecord MakeContact(const wchar_t* name) {
    ContactRecord contact{};
    CopyToField(contact.UserName, name);
    return contact;
}

class ContactStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_store.Open((m_folder.DataFolder() + L"\\MyContact.db").c_str())); }

    std::vector<ContactRecord> AllContacts() {
        std::vector<ContactRecord> contacts;
        m_store.ForEachContact([&](const ContactRecord& contact) { contacts.push_back(contact); });
        return contacts;
    }

    std::vector<std::wstring> SearchNames(const wchar_t* key) {
        std::vector<std::wstring> names;
        m_store.SearchContacts([&](const ContactRecord& contact) { names.push_back(contact.UserName); }, key);
        return names;
    }

    TestFolder m_folder;
    ContactStore m_store;
};

}  // namespace

TEST_F(ContactStoreTest, EveryFieldRoundTripsWholeAndWithSqlCharacters) {
    ContactRecord full{};
    FillField(full.UserName, L"name");
    FillField(full.UserMobile, L"mobile");
    FillField(full.CompanyTel, L"tel");
    FillField(full.CompanyName, L"company");
    FillField(full.CompanyAddress, L"address");
    FillField(full.CompanyFax, L"fax");
    FillField(full.HomeTel, L"home");
    FillField(full.UserEmail, L"mail");
    FillField(full.UserNotes, L"notes");
    FillField(full.OtherTel1, L"o1");
    FillField(full.OtherTel2, L"o2");
    FillField(full.OtherTel3, L"o3");
    full.RecMethod = -7;
    ASSERT_TRUE(m_store.InsertContact(full));

    ContactRecord tricky = MakeContact(L"O'Neil");
    CopyToField(tricky.UserMobile, L"''");
    CopyToField(tricky.CompanyTel, L"%");
    CopyToField(tricky.CompanyName, L"_");
    CopyToField(tricky.UserNotes, L"x'); drop table PhoneBook;--");
    CopyToField(tricky.CompanyAddress, L"张三 Straße");
    ASSERT_TRUE(m_store.InsertContact(tricky));

    for (const ContactRecord* original : {&full, &tricky}) {
        ContactRecord found{};
        CopyToField(found.UserID, original->UserID);
        ASSERT_TRUE(m_store.FindContactById(found));
        EXPECT_EQ(0, std::memcmp(original, &found, sizeof(found))) << original->UserName;
    }
    EXPECT_EQ(2u, AllContacts().size());

    // An edit keeps the identity and rewrites every other field.
    ContactRecord edited = tricky;
    CopyToField(edited.UserName, L"O'Brien");
    CopyToField(edited.OtherTel2, L"5550100");
    edited.RecMethod = 3;
    ASSERT_TRUE(m_store.UpdateContact(edited));
    ContactRecord found{};
    CopyToField(found.UserID, tricky.UserID);
    ASSERT_TRUE(m_store.FindContactById(found));
    EXPECT_EQ(0, std::memcmp(&edited, &found, sizeof(found)));
}

TEST_F(ContactStoreTest, NumberLookUpSearchesTheSevenNumberColumnsExactly) {
    ContactRecord carol = MakeContact(L"carol");
    CopyToField(carol.OtherTel3, L"5550123");
    CopyToField(carol.UserNotes, L"5550999");
    ASSERT_TRUE(m_store.InsertContact(carol));
    ContactRecord dave = MakeContact(L"dave");
    CopyToField(dave.CompanyFax, L"ext-A1");
    ASSERT_TRUE(m_store.InsertContact(dave));

    const struct {
        const wchar_t* number;
        const wchar_t* name;  // null: not found
    } cases[] = {
        {L"5550123", L"carol"}, {L"5550999", nullptr},  // only in the notes
        {L"555012", nullptr},   {L"5550%", nullptr},
        {L"555012_", nullptr},  {L"ext-a1", L"dave"},  // ASCII case is ignored
        {L"", nullptr},
    };
    for (const auto& row : cases) {
        ContactRecord contact{};
        ASSERT_EQ(row.name != nullptr, m_store.FindContactByNumber(row.number, contact)) << row.number;
        if (row.name) {
            EXPECT_STREQ(row.name, contact.UserName);
        }
    }
    ContactRecord contact{};
    EXPECT_FALSE(m_store.FindContactByNumber(nullptr, contact));
}

TEST_F(ContactStoreTest, SearchFindsTheKeyInsideAnyTextColumn) {
    ContactRecord erin = MakeContact(L"erin");
    CopyToField(erin.UserEmail, L"erin@example.org");
    ASSERT_TRUE(m_store.InsertContact(erin));
    ContactRecord frank = MakeContact(L"frank");
    CopyToField(frank.HomeTel, L"0107");
    ASSERT_TRUE(m_store.InsertContact(frank));
    ContactRecord gina = MakeContact(L"gina");
    CopyToField(gina.CompanyAddress, L"7 Main St");
    ASSERT_TRUE(m_store.InsertContact(gina));

    EXPECT_EQ((std::vector<std::wstring>{L"frank", L"gina"}), SearchNames(L"7"));
    EXPECT_EQ((std::vector<std::wstring>{L"erin"}), SearchNames(L"EXAMPLE"));
    EXPECT_EQ((std::vector<std::wstring>{}), SearchNames(L"'"));
    EXPECT_FALSE(m_store.SearchContacts([](const ContactRecord&) {}, L"nobody"));
    EXPECT_FALSE(m_store.SearchContacts([](const ContactRecord&) {}, nullptr));
}

TEST(RecordId, IdentitiesOfOneBurstAreDistinctAndRising) {
    std::wstring last;
    for (int i = 0; i < 10000; ++i) {
        wchar_t id[32];
        NewRecordId(id);
        ASSERT_EQ(17u, std::wstring(id).size());
        ASSERT_LT(last, std::wstring(id));
        last = id;
    }
}

TEST_F(ContactStoreTest, ContactsAddedInOneBurstHaveDistinctIdentities) {
    std::set<std::wstring> ids;
    ContactRecord contact = MakeContact(L"burst");
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(m_store.InsertContact(contact));
        ids.insert(contact.UserID);
    }
    EXPECT_EQ(100u, ids.size());

    EXPECT_TRUE(m_store.DeleteContact(L"%"));
    EXPECT_EQ(100u, AllContacts().size());
    EXPECT_TRUE(m_store.DeleteContact(contact.UserID));
    EXPECT_EQ(99u, AllContacts().size());
}

TEST_F(ContactStoreTest, BlacklistMatchesNumbersExactly) {
    BlacklistRecord entry{};
    CopyToField(entry.Number, L"5550166");
    CopyToField(entry.NumberNotes, L"won't stop calling");
    ASSERT_TRUE(m_store.InsertBlacklist(entry));
    BlacklistRecord other{};
    CopyToField(other.Number, L"5550177");
    ASSERT_TRUE(m_store.InsertBlacklist(other));

    BlacklistRecord found{};
    ASSERT_TRUE(m_store.FindBlacklistNumber(L"5550166", found));
    EXPECT_EQ(0, std::memcmp(&entry, &found, sizeof(found)));
    EXPECT_FALSE(m_store.FindBlacklistNumber(L"%", found));
    EXPECT_FALSE(m_store.FindBlacklistNumber(L"555016_", found));
    EXPECT_FALSE(m_store.FindBlacklistNumber(nullptr, found));

    std::vector<std::wstring> numbers;
    EXPECT_TRUE(m_store.ForEachBlacklist(L"select * from Blacklist ",
                                         [&](const BlacklistRecord& row) { numbers.push_back(row.Number); }));
    EXPECT_EQ((std::vector<std::wstring>{L"5550166", L"5550177"}), numbers);

    EXPECT_TRUE(m_store.DeleteBlacklist(L"%"));
    EXPECT_TRUE(m_store.FindBlacklistNumber(L"5550177", found));
    EXPECT_TRUE(m_store.DeleteBlacklist(entry.HeiMingDanID));
    EXPECT_FALSE(m_store.FindBlacklistNumber(L"5550166", found));
    EXPECT_TRUE(m_store.FindBlacklistNumber(L"5550177", found));
}

TEST(ContactStoreClosed, AnswersNothing) {
    ContactStore store;
    ContactRecord contact = MakeContact(L"x");
    BlacklistRecord entry{};
    EXPECT_FALSE(store.InsertContact(contact));
    EXPECT_FALSE(store.FindContactByNumber(L"1", contact));
    EXPECT_FALSE(store.ForEachContact([](const ContactRecord&) {}));
    EXPECT_FALSE(store.FindBlacklistNumber(L"1", entry));
    EXPECT_TRUE(store.Close());
}
