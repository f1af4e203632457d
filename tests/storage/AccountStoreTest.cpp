#include "storage/AccountStore.h"
#include "storage/RecordFields.h"
#include "storage/Stores.h"

#include "StorageTestSupport.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

AccountRecord MakeAccount(const wchar_t* name, const wchar_t* password) {
    AccountRecord account{};
    CopyToField(account.UserName, name);
    CopyToField(account.UserPsw, password);
    return account;
}

class AccountStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_store.Open((m_folder.DataFolder() + L"\\MyLoginServer.db").c_str())); }

    int CountAccounts() {
        int count = 0;
        m_store.ForEachAccount([&](const AccountRecord&) { ++count; });
        return count;
    }

    TestFolder m_folder;
    AccountStore m_store;
};

}  // namespace

TEST_F(AccountStoreTest, LoginMatchesNameAndPasswordExactlyButForCase) {
    AccountRecord tovak = MakeAccount(L"tovak", L"tovak");
    tovak.bDelete = 1;
    ASSERT_TRUE(m_store.Insert(tovak));
    AccountRecord oneil = MakeAccount(L"O'Neil", L"it's");
    ASSERT_TRUE(m_store.Insert(oneil));

    const struct {
        const wchar_t* name;
        const wchar_t* password;
        bool accepted;
    } cases[] = {
        {L"tovak", L"tovak", true}, {L"TOVAK", L"TOVAK", true},  {L"tovak", L"%", false},  // no wildcards
        {L"%", L"%", false},        {L"to_ak", L"tovak", false}, {L"tovak", L"tova", false},
        {L"tovak", L"", false},     {L"O'Neil", L"it's", true},  // quotes are values, not SQL
        {L"O'Neil", L"it'", false},
    };
    for (const auto& row : cases) {
        AccountRecord account{};
        EXPECT_EQ(row.accepted, m_store.CheckLogin(row.name, row.password, account))
            << row.name << L"/" << row.password;
    }

    AccountRecord account{};
    ASSERT_TRUE(m_store.CheckLogin(L"TOVAK", L"tovak", account));
    EXPECT_EQ(0, std::memcmp(&tovak, &account, sizeof(account)));
    EXPECT_FALSE(m_store.CheckLogin(nullptr, L"tovak", account));
    EXPECT_TRUE(m_store.ExistsUser(L"o'neil"));
    EXPECT_FALSE(m_store.ExistsUser(L"%"));
}

TEST_F(AccountStoreTest, UpdateAndDeleteActOnTheExactCodeOnly) {
    AccountRecord first = MakeAccount(L"first", L"one");
    AccountRecord second = MakeAccount(L"second", L"two");
    ASSERT_TRUE(m_store.Insert(first));
    ASSERT_TRUE(m_store.Insert(second));
    EXPECT_EQ(17u, std::wstring(first.AutoCode).size());
    EXPECT_STRNE(first.AutoCode, second.AutoCode);  // even when made in the same millisecond

    AccountRecord edited = first;
    CopyToField(edited.UserPsw, L"new'one");
    CopyToField(edited.UserFile, L"C:\\rights\\first.txt");
    edited.bChart = 1;
    ASSERT_TRUE(m_store.Update(edited));
    AccountRecord account{};
    ASSERT_TRUE(m_store.CheckLogin(L"first", L"new'one", account));
    EXPECT_EQ(0, std::memcmp(&edited, &account, sizeof(account)));
    EXPECT_TRUE(m_store.CheckLogin(L"second", L"two", account));

    EXPECT_TRUE(m_store.Delete(L"%"));
    EXPECT_EQ(2, CountAccounts());
    EXPECT_TRUE(m_store.Delete(first.AutoCode));
    EXPECT_EQ(1, CountAccounts());
    EXPECT_TRUE(m_store.ExistsUser(L"second"));
}

TEST_F(AccountStoreTest, DefaultAccountIsMadeOnlyWhenMissing) {
    ASSERT_TRUE(m_store.EnsureDefaultServerAccount());
    AccountRecord account{};
    ASSERT_TRUE(m_store.CheckLogin(L"tovak", L"tovak", account));
    EXPECT_EQ((std::vector<int>{1, 1, 1, 1}),
              (std::vector<int>{account.bPlayer, account.bDownload, account.bDelete, account.bChart}));
    EXPECT_STREQ(L"", account.UserFile);

    // An existing account of that name is left as it is.
    CopyToField(account.UserPsw, L"changed");
    account.bDelete = 0;
    ASSERT_TRUE(m_store.Update(account));
    ASSERT_TRUE(m_store.EnsureDefaultServerAccount());
    EXPECT_EQ(1, CountAccounts());
    AccountRecord kept{};
    ASSERT_TRUE(m_store.CheckLogin(L"tovak", L"changed", kept));
    EXPECT_EQ(0, kept.bDelete);
}

TEST_F(AccountStoreTest, DefaultClientAccountGetsARightsFileForEveryChannel) {
    ASSERT_TRUE(m_store.EnsureDefaultClientAccount());
    AccountRecord account{};
    ASSERT_TRUE(m_store.CheckLogin(L"tovak", L"tovak", account));

    const std::wstring file = account.UserFile;
    EXPECT_EQ(m_folder.DataFolder() + L"\\", file.substr(0, m_folder.DataFolder().size() + 1));
    EXPECT_EQ(L"(tovak).txt", file.substr(file.size() - 11));
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    const std::vector<char> rights{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(std::vector<char>(kRightsFileSize, 1), rights);
}

TEST_F(AccountStoreTest, PasswordChangesReachOnlyTheClientStore) {
    AccountStore& clients = ClientAccountStore();
    ASSERT_TRUE(clients.Open((m_folder.DataFolder() + L"\\MyLoginClient.db").c_str()));
    AccountRecord client = MakeAccount(L"alice", L"old");
    AccountRecord other = MakeAccount(L"bob", L"bobs");
    ASSERT_TRUE(clients.Insert(client));
    ASSERT_TRUE(clients.Insert(other));
    AccountRecord server = MakeAccount(L"alice", L"old");
    ASSERT_TRUE(m_store.Insert(server));

    // Asked on the server store, with either code: only the client account with that code changes.
    EXPECT_TRUE(m_store.UpdatePassword(server.AutoCode, L"x"));
    EXPECT_TRUE(m_store.UpdatePassword(client.AutoCode, L"new"));
    EXPECT_TRUE(m_store.UpdatePassword(L"%", L"x"));
    AccountRecord account{};
    EXPECT_TRUE(m_store.CheckLogin(L"alice", L"old", account));
    EXPECT_TRUE(clients.CheckLogin(L"alice", L"new", account));
    EXPECT_TRUE(clients.CheckLogin(L"bob", L"bobs", account));
    EXPECT_TRUE(clients.Close());
}

TEST(AccountStoreClosed, EveryOperationFails) {
    AccountStore store;
    AccountRecord account = MakeAccount(L"tovak", L"tovak");
    EXPECT_FALSE(store.Insert(account));
    EXPECT_FALSE(store.CheckLogin(L"tovak", L"tovak", account));
    EXPECT_FALSE(store.ExistsUser(L"tovak"));
    EXPECT_FALSE(store.Update(account));
    EXPECT_FALSE(store.Delete(account.AutoCode));
    EXPECT_FALSE(store.ForEachAccount([](const AccountRecord&) {}));
    EXPECT_FALSE(store.EnsureDefaultServerAccount());
    EXPECT_TRUE(store.Close());
}
