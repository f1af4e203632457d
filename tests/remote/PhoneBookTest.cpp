// The phone book shared with the clients (add, edit, delete, list) and a client's change of its own password.

#include "ClientCommandTest.h"

#include "storage/AccountStore.h"
#include "storage/ContactStore.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <algorithm>
#include <cwctype>

namespace {

constexpr uint8_t kAdd = 1;
constexpr uint8_t kEdit = 2;
constexpr uint8_t kDelete = 3;
constexpr uint8_t kList = 4;

ContactRecord Contact(const std::wstring& name, const std::wstring& mobile) {
    ContactRecord contact{};
    CopyToField(contact.UserName, name.c_str());
    CopyToField(contact.UserMobile, mobile.c_str());
    return contact;
}

std::vector<uint8_t> ListPayload(const std::wstring& key) {
    std::vector<uint8_t> payload{kList};
    payload.resize(1 + 32 * sizeof(wchar_t));
    std::memcpy(payload.data() + 1, key.data(), std::min<size_t>(key.size(), 32) * sizeof(wchar_t));
    return payload;
}

std::vector<uint8_t> PasswordPayload(const std::wstring& autoCode, const std::wstring& password) {
    std::vector<uint8_t> payload(2 * 32 * sizeof(wchar_t));
    std::memcpy(payload.data(), autoCode.data(), std::min<size_t>(autoCode.size(), 32) * sizeof(wchar_t));
    std::memcpy(payload.data() + 64, password.data(), std::min<size_t>(password.size(), 32) * sizeof(wchar_t));
    return payload;
}

std::vector<std::wstring> StoredNames() {
    std::vector<std::wstring> names;
    TheContactStore().ForEachContact([&](const ContactRecord& contact) { names.push_back(contact.UserName); });
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::wstring> ListedNames(const std::vector<ReceivedFrame>& frames) {
    std::vector<std::wstring> names;
    for (const ReceivedFrame& frame : frames) {
        EXPECT_EQ(frame.Length, 0x0702);
        EXPECT_EQ(frame.Command, kFramePhoneBook);
        EXPECT_EQ(frame.Payload[0], kList);
        names.push_back(frame.As<ContactRecord>(1).UserName);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring AutoCodeOf(const std::wstring& userName) {
    std::wstring code;
    ClientAccountStore().ForEachAccount([&](const AccountRecord& account) {
        if (userName == account.UserName)
            code = account.AutoCode;
    });
    return code;
}

class PhoneBookTest : public ClientCommandTest {
protected:
    void SetUp() override {
        ClientCommandTest::SetUp();
        AddAccount(L"alice", L"secret", RightsFor({1}));
        AddAccount(L"bob", L"hidden", RightsFor({1}));
    }

    // Adds the contact through the client and returns its echo.
    ContactRecord AddThrough(ProtocolClient& client, const ContactRecord& contact) {
        client.SendFrame(kCmdPhoneBook, WithSubCommand(kAdd, BytesOf(contact)));
        const auto echo = client.Receive(kWaitMs);
        EXPECT_TRUE(echo && echo->Command == kFramePhoneBook && echo->Payload[0] == kAdd);
        return echo ? echo->As<ContactRecord>(1) : ContactRecord{};
    }
};

}  // namespace

TEST_F(PhoneBookTest, ChangesAreEchoedAndLogged) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    ContactRecord added = AddThrough(client, Contact(L"O'Neil", L"5550001"));
    const std::wstring id = added.UserID;
    EXPECT_EQ(id.size(), 17u);
    EXPECT_TRUE(std::all_of(id.begin(), id.end(), [](wchar_t c) { return std::iswdigit(c); })) << "UserID";
    EXPECT_EQ(std::wstring(added.UserName), L"O'Neil");

    CopyToField(added.UserName, L"O'Neill");
    client.SendFrame(kCmdPhoneBook, WithSubCommand(kEdit, BytesOf(added)));
    const auto edited = client.Receive(kWaitMs);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->Length, 0x0702);
    EXPECT_EQ(edited->Payload[0], kEdit);
    EXPECT_EQ(std::wstring(edited->As<ContactRecord>(1).UserName), L"O'Neill");
    EXPECT_EQ(StoredNames(), std::vector<std::wstring>{L"O'Neill"});

    client.SendFrame(kCmdPhoneBook, WithSubCommand(kDelete, BytesOf(added)));
    const auto deleted = client.Receive(kWaitMs);
    ASSERT_TRUE(deleted);
    EXPECT_EQ(deleted->Payload[0], kDelete);
    EXPECT_EQ(std::wstring(deleted->As<ContactRecord>(1).UserID), id);
    EXPECT_TRUE(StoredNames().empty());

    for (int code : {kSysLogContactAdded, kSysLogContactEdited, kSysLogContactDeleted}) {
        const std::vector<SysLogRow> rows = TodaysRows(code);
        ASSERT_EQ(rows.size(), 1u) << code;
        EXPECT_EQ(std::wstring(rows[0].Name), L"alice");
    }
    EXPECT_EQ(std::wstring(TodaysRows(kSysLogContactAdded)[0].Notes), L"O'Neil");
}

TEST_F(PhoneBookTest, EditsAndDeletesActOnExactlyOneIdentity) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    const ContactRecord anna = AddThrough(client, Contact(L"Anna", L"5550001"));
    AddThrough(client, Contact(L"Ben", L"5550002"));

    const struct {
        const char* Name;
        uint8_t SubCommand;
        const wchar_t* UserID;
    } cases[] = {
        {"delete %", kDelete, L"%"},
        {"delete _", kDelete, L"_________________"},
        {"edit %", kEdit, L"%"},
        {"delete an unknown identity", kDelete, L"20000101000000000"},
    };
    for (const auto& c : cases) {
        ContactRecord contact = anna;
        CopyToField(contact.UserID, c.UserID);
        CopyToField(contact.UserName, L"Changed");
        client.SendFrame(kCmdPhoneBook, WithSubCommand(c.SubCommand, BytesOf(contact)));
        EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty()) << c.Name;
    }
    EXPECT_EQ(StoredNames(), (std::vector<std::wstring>{L"Anna", L"Ben"}));
    EXPECT_TRUE(TodaysRows(kSysLogContactDeleted).empty());
    EXPECT_TRUE(TodaysRows(kSysLogContactEdited).empty());
}

TEST_F(PhoneBookTest, FailedAddAnswersResult22) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    TheContactStore().Close();

    client.SendFrame(kCmdPhoneBook, WithSubCommand(kAdd, BytesOf(Contact(L"Anna", L"1"))));

    const auto reply = client.Receive(kWaitMs);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Length, 4);
    EXPECT_EQ(reply->Command, kFramePhoneBookResult);
    EXPECT_EQ(reply->Payload, (std::vector<uint8_t>{0, 0, 0}));
}

TEST_F(PhoneBookTest, ListSendsEveryContactOrThoseContainingTheKey) {
    for (const auto& [name, mobile] : {std::pair{L"Anna", L"5550101"}, {L"Ben", L"5550202"}, {L"Cleo", L"7770101"}}) {
        ContactRecord contact = Contact(name, mobile);
        ASSERT_TRUE(TheContactStore().InsertContact(contact));
    }
    const struct {
        const wchar_t* Key;
        std::vector<std::wstring> Names;
    } cases[] = {
        {L"", {L"Anna", L"Ben", L"Cleo"}},
        {L"0101", {L"Anna", L"Cleo"}},
        {L"Ben", {L"Ben"}},
        {L"999", {}},
    };
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    for (const auto& c : cases) {
        client.SendFrame(kCmdPhoneBook, ListPayload(c.Key));
        EXPECT_EQ(ListedNames(client.ReceiveUntilQuiet(kQuietMs)), c.Names)
            << std::string(c.Key, c.Key + wcslen(c.Key));
    }
}

TEST_F(PhoneBookTest, PasswordChangeActsOnlyOnTheOwnAccount) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    const struct {
        const char* Name;
        std::wstring AutoCode;
    } refused[] = {
        {"another account's code", AutoCodeOf(L"bob")},
        {"a pattern", L"%"},
        {"no code", L""},
    };
    for (const auto& c : refused) {
        client.SendFrame(kCmdChangePassword, PasswordPayload(c.AutoCode, L"taken"));
        const auto reply = client.Receive(kWaitMs);
        ASSERT_TRUE(reply) << c.Name;
        EXPECT_EQ(reply->Command, kFramePhoneBookResult) << c.Name;
        EXPECT_EQ(reply->Payload[0], 3) << c.Name;
    }
    AccountRecord bob{};
    EXPECT_TRUE(ClientAccountStore().CheckLogin(L"bob", L"hidden", bob));
    EXPECT_TRUE(TodaysRows(kSysLogClientPasswordChanged).empty());

    client.SendFrame(kCmdChangePassword, PasswordPayload(AutoCodeOf(L"alice"), L"n3w"));
    const auto changed = client.Receive(kWaitMs);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->Command, kFramePhoneBookResult);
    EXPECT_EQ(changed->Payload, (std::vector<uint8_t>{2, 0, 0}));
    // The row follows the answer.
    const std::vector<SysLogRow> rows = WaitForTodaysRows(kSysLogClientPasswordChanged, 1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(std::wstring(rows[0].Name), L"alice");
    EXPECT_EQ(std::wstring(rows[0].Notes), L"alice");

    client.SendFrame(kCmdLogout);
    ASSERT_TRUE(client.WaitClosed(kWaitMs));
    ConnectLoggedIn(L"alice", L"n3w");
}

TEST_F(PhoneBookTest, UnterminatedPasswordIsCutToItsField) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    const std::wstring full(32, L'p');

    client.SendFrame(kCmdChangePassword, PasswordPayload(AutoCodeOf(L"alice"), full));
    ASSERT_TRUE(client.Receive(kWaitMs));

    AccountRecord alice{};
    EXPECT_TRUE(ClientAccountStore().CheckLogin(L"alice", full.substr(0, 31).c_str(), alice));
}
