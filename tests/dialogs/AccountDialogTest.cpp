// Account management: client accounts with their channel-rights files, operator accounts, the refusals, the rows
// of the system log, and the built-in account that stays.

#include "dialogs/LoginServerAccountDlg.h"

#include "DialogTestSupport.h"
#include "OperatorDialogsResource.h"
#include "common/AppIcons.h"
#include "common/OperatorSession.h"
#include "settings/Folders.h"
#include "storage/AccountStore.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

namespace {

std::optional<AccountRecord> StoredAccount(AccountStore& store, const std::wstring& name) {
    std::optional<AccountRecord> found;
    store.ForEachAccount([&](const AccountRecord& account) {
        if (FieldText(account.UserName) == name)
            found = account;
    });
    return found;
}

int StoredAccountCount(AccountStore& store) {
    int count = 0;
    store.ForEachAccount([&](const AccountRecord&) { ++count; });
    return count;
}

int RowOf(HWND list, const std::wstring& name) {
    for (int row = 0; row < RowCount(list); ++row) {
        if (CellText(list, row, 0) == name)
            return row;
    }
    return -1;
}

void TypeAccount(HWND dialog, const std::wstring& name, const std::wstring& password,
                 const std::wstring& confirmation) {
    SetItemText(dialog, IDC_ACCOUNT_USER, name);
    SetItemText(dialog, IDC_ACCOUNT_PASSWORD, password);
    SetItemText(dialog, IDC_ACCOUNT_CONFIRM, confirmation);
}

// Opens the channel picker from the account dialog and ticks exactly these channels.
void PickChannels(DialogDriver& driver, HWND dialog, std::vector<int> channels) {
    driver.Then([channels](HWND picker) {
        HWND list = ::GetDlgItem(picker, IDC_PICKER_LIST);
        for (int row = 0; row < RowCount(list); ++row)
            CheckRow(list, row, std::find(channels.begin(), channels.end(), row) != channels.end());
        Click(picker, IDOK);
    });
    Click(dialog, IDC_ACCOUNT_CHANNELS);
}

std::string MaskOf(std::initializer_list<int> channels) {
    std::string mask(kChannelMaskSize, '\0');
    for (int channel : channels)
        mask[static_cast<size_t>(channel)] = 1;
    return mask;
}

class AccountDialog : public ::testing::Test {
protected:
    void SetUp() override { CopyToField(CurrentOperator.UserName, L"tovak"); }
    void TearDown() override { CurrentOperator = {}; }

    DialogTestEnvironment environment;
    DialogDriver driver;
};

}  // namespace

TEST_F(AccountDialog, ClientAccountsCarryExactlyTheirPickedChannels) {
    // An account whose row names a file outside the data folder: deleting it leaves that file alone.
    const std::wstring foreignFile = environment.Folder().ProgramFolder() + L"\\keep.txt";
    WriteFileBytes(foreignFile, "not a rights file");
    AccountRecord eve{};
    CopyToField(eve.UserName, L"eve");
    CopyToField(eve.UserPsw, L"eve");
    CopyToField(eve.UserFile, foreignFile.c_str());
    ASSERT_TRUE(ClientAccountStore().Insert(eve));

    CLoginServerAccountDlg dialog(kClientAccounts);
    driver.Run(dialog, [&](HWND d) {
        HWND list = ::GetDlgItem(d, IDC_ACCOUNT_LIST);
        EXPECT_EQ(L"Client Accounts", WindowText(d));
        EXPECT_TRUE(IsItemEnabled(d, IDC_ACCOUNT_CHANNELS));
        ASSERT_EQ(2, RowCount(list));
        const int tovak = RowOf(list, L"tovak");
        EXPECT_EQ(L"Yes", CellText(list, tovak, 1));
        EXPECT_EQ(kIconOk, CellImage(list, tovak, 4));
        EXPECT_EQ(L"512", CellText(list, tovak, 5));
        EXPECT_EQ(L"", ItemText(d, IDC_ACCOUNT_USER));  // nothing selected yet

        // No channel chosen yet: refused.
        TypeAccount(d, L"carol", L"secret", L"secret");
        Click(d, IDC_ACCOUNT_ADD);
        EXPECT_FALSE(StoredAccount(ClientAccountStore(), L"carol"));

        // Two channels picked.
        PickChannels(driver, d, {3, 300});
        ::CheckDlgButton(d, IDC_ACCOUNT_PLAYER, BST_CHECKED);
        Click(d, IDC_ACCOUNT_ADD);
        const int carol = RowOf(list, L"carol");
        ASSERT_GE(carol, 0);
        EXPECT_EQ(L"2", CellText(list, carol, 5));
        EXPECT_EQ(L"Yes", CellText(list, carol, 1));
        EXPECT_EQ(L"No", CellText(list, carol, 2));
        EXPECT_EQ(kIconLockRed, CellImage(list, carol, 2));

        // A name that differs only in letter case, and a confirmation that differs.
        TypeAccount(d, L"TOVAK", L"x", L"x");
        Click(d, IDC_ACCOUNT_ADD);
        TypeAccount(d, L"dave", L"x", L"y");
        Click(d, IDC_ACCOUNT_ADD);

        // A name that would leave the data folder.
        PickChannels(driver, d, {0});
        TypeAccount(d, L"a\\b:c", L"pw", L"pw");
        Click(d, IDC_ACCOUNT_ADD);

        // Selecting an account whose file is gone allows no channel: a modify writes an empty mask.
        const std::optional<AccountRecord> odd = StoredAccount(ClientAccountStore(), L"a\\b:c");
        ASSERT_TRUE(odd);
        ::DeleteFileW(odd->UserFile);
        SelectRows(list, {RowOf(list, L"carol")});
        SelectRows(list, {RowOf(list, L"a\\b:c")});
        EXPECT_EQ(L"a\\b:c", ItemText(d, IDC_ACCOUNT_USER));
        EXPECT_EQ(L"pw", ItemText(d, IDC_ACCOUNT_CONFIRM));
        Click(d, IDC_ACCOUNT_MODIFY);
        EXPECT_EQ(L"0", CellText(list, RowOf(list, L"a\\b:c"), 5));

        // Renaming onto another account's name is refused; renaming keeps the file's name.
        SelectRows(list, {RowOf(list, L"carol")});
        EXPECT_EQ(L"secret", ItemText(d, IDC_ACCOUNT_PASSWORD));
        SetItemText(d, IDC_ACCOUNT_USER, L"Tovak");
        Click(d, IDC_ACCOUNT_MODIFY);
        EXPECT_EQ(-1, RowOf(list, L"Tovak"));
        SetItemText(d, IDC_ACCOUNT_USER, L"caroline");
        Click(d, IDC_ACCOUNT_MODIFY);
        EXPECT_EQ(L"2", CellText(list, RowOf(list, L"caroline"), 5));
        SaveScreenshot(d, L"accounts");

        // The built-in account survives its delete; the others go with their files, a foreign file stays.
        SelectRows(list, {RowOf(list, L"tovak")});
        Click(d, IDC_ACCOUNT_DELETE);
        EXPECT_GE(RowOf(list, L"tovak"), 0);
        SelectRows(list, {RowOf(list, L"caroline")});
        Click(d, IDC_ACCOUNT_DELETE);
        EXPECT_EQ(-1, RowOf(list, L"caroline"));
        SelectRows(list, {RowOf(list, L"eve")});
        Click(d, IDC_ACCOUNT_DELETE);
        Click(d, IDCANCEL);
    });

    const std::vector<std::wstring> messages = [&] {
        std::vector<std::wstring> texts;
        for (const DialogDriver::Message& message : driver.Messages)
            texts.push_back(message.Caption + L"|" + message.Text);
        return texts;
    }();
    const std::vector<std::wstring> expected = {
        L"Could not be completed|Allowed channels",
        L"Add|An account of this name exists already.",
        L"Add|The two passwords differ.",
        L"Modify|An account of this name exists already.",
        L"Delete|Delete the selected account?",
        L"Delete|Delete the selected account?",
        L"Delete|Delete the selected account?",
    };
    EXPECT_EQ(expected, messages);

    EXPECT_TRUE(StoredAccount(ClientAccountStore(), L"tovak"));
    EXPECT_FALSE(StoredAccount(ClientAccountStore(), L"caroline"));
    EXPECT_FALSE(StoredAccount(ClientAccountStore(), L"eve"));
    EXPECT_FALSE(StoredAccount(ClientAccountStore(), L"dave"));
    EXPECT_EQ("not a rights file", ReadFileBytes(foreignFile));
    // The lists of the dialog and its pickers only borrowed the application's icons.
    EXPECT_EQ(kAppIconCount, ImageList_GetImageCount(AppIconList().GetSafeHandle()));

    const std::optional<AccountRecord> odd = StoredAccount(ClientAccountStore(), L"a\\b:c");
    ASSERT_TRUE(odd);
    const std::filesystem::path oddFile(odd->UserFile);
    EXPECT_EQ(std::filesystem::path(GetDataFolder()), oddFile.parent_path());
    EXPECT_TRUE(oddFile.filename().wstring().ends_with(L"(a_b_c).txt"));
    EXPECT_EQ(std::string(kChannelMaskSize, '\0'), ReadFileBytes(odd->UserFile));

    // Carol's file was written at her add, with exactly her two channels, and went with her.
    std::vector<SysLogRow> rows = TodaysSysLogRows();
    std::vector<int> codes;
    for (const SysLogRow& row : rows)
        codes.push_back(row.SysLog_Cmd);
    const std::vector<int> expectedCodes = {kSysLogClientAccountAdded,   kSysLogClientAccountAdded,
                                            kSysLogClientAccountEdited,  kSysLogClientAccountEdited,
                                            kSysLogClientAccountDeleted, kSysLogClientAccountDeleted};
    EXPECT_EQ(expectedCodes, codes);
    ASSERT_EQ(6u, rows.size());
    EXPECT_EQ(L"System tovak", FieldText(rows[0].Name));  // the operator who added it
    EXPECT_EQ(L"carol", FieldText(rows[0].Notes));
    EXPECT_EQ(L"System carol", FieldText(rows[3].Name));  // the name before the change
    EXPECT_EQ(L"caroline", FieldText(rows[3].Notes));
    EXPECT_EQ(L"caroline", FieldText(rows[4].Notes));
}

TEST_F(AccountDialog, ClientRightsFilesHoldTheMaskAsPicked) {
    CLoginServerAccountDlg dialog(kClientAccounts);
    std::wstring carolFile;
    driver.Run(dialog, [&](HWND d) {
        PickChannels(driver, d, {3, 300});
        TypeAccount(d, L"carol", L"secret", L"secret");
        Click(d, IDC_ACCOUNT_ADD);
        carolFile = StoredAccount(ClientAccountStore(), L"carol")->UserFile;
        EXPECT_EQ(MaskOf({3, 300}), ReadFileBytes(carolFile));

        // A modify rewrites the file with the mask as picked since.
        HWND list = ::GetDlgItem(d, IDC_ACCOUNT_LIST);
        SelectRows(list, {RowOf(list, L"carol")});
        PickChannels(driver, d, {0, 1, 511});
        Click(d, IDC_ACCOUNT_MODIFY);
        EXPECT_EQ(L"3", CellText(list, RowOf(list, L"carol"), 5));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(MaskOf({0, 1, 511}), ReadFileBytes(carolFile));
    EXPECT_TRUE(driver.Messages.empty());
}

TEST_F(AccountDialog, OperatorAccountsHaveNoRightsFileAndAFailedAddIsNotLogged) {
    CLoginServerAccountDlg dialog(kOperatorAccounts);
    driver.Run(dialog, [&](HWND d) {
        HWND list = ::GetDlgItem(d, IDC_ACCOUNT_LIST);
        EXPECT_EQ(L"Operator Accounts", WindowText(d));
        EXPECT_FALSE(IsItemEnabled(d, IDC_ACCOUNT_CHANNELS));
        EXPECT_EQ(L"0", CellText(list, RowOf(list, L"tovak"), 5));

        TypeAccount(d, L"dave", L"pw", L"pw");
        Click(d, IDC_ACCOUNT_ADD);
        const int dave = RowOf(list, L"dave");
        ASSERT_GE(dave, 0);
        EXPECT_EQ(L"0", CellText(list, dave, 5));
        SelectRows(list, {dave});
        ::CheckDlgButton(d, IDC_ACCOUNT_CHART, BST_CHECKED);
        Click(d, IDC_ACCOUNT_MODIFY);
        EXPECT_EQ(L"512", CellText(list, dave, 5));  // operators see every channel
        EXPECT_EQ(L"Yes", CellText(list, dave, 4));

        // The store fails: nothing is added, and nothing is logged as added.
        ServerAccountStore().Close();
        TypeAccount(d, L"erin", L"pw", L"pw");
        Click(d, IDC_ACCOUNT_ADD);
        EXPECT_EQ(-1, RowOf(list, L"erin"));
        Click(d, IDCANCEL);
    });

    const std::vector<SysLogRow> rows = TodaysSysLogRows();
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(kSysLogServerAccountAdded, rows[0].SysLog_Cmd);
    EXPECT_EQ(L"dave", FieldText(rows[0].Notes));
    EXPECT_EQ(kSysLogServerAccountEdited, rows[1].SysLog_Cmd);
    const std::optional<AccountRecord> dave = [] {
        ServerAccountStore().Open(StoreFilePath(kServerAccountDbName).c_str());
        return StoredAccount(ServerAccountStore(), L"dave");
    }();
    ASSERT_TRUE(dave);
    EXPECT_EQ(L"", FieldText(dave->UserFile));
    EXPECT_EQ(1, dave->bChart);
    EXPECT_EQ(2, StoredAccountCount(ServerAccountStore()));
}
