// The operator login: refusals that keep the dialog open with the password selected, the stored name remembered,
// and the one row and setting a login writes.

#include "dialogs/LoginServerDialog.h"

#include "DialogTestSupport.h"
#include "OperatorDialogsResource.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/AccountStore.h"
#include "storage/RecordFields.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <gtest/gtest.h>

namespace {

void AddOperator(const wchar_t* name, const std::wstring& password) {
    AccountRecord account{};
    CopyToField(account.UserName, name);
    CopyToField(account.UserPsw, password.c_str());
    account.bPlayer = 1;
    ASSERT_TRUE(ServerAccountStore().Insert(account));
}

void TypeLogin(HWND dialog, const std::wstring& user, const std::wstring& password) {
    SetItemText(dialog, IDC_LOGIN_USER, user);
    SetItemText(dialog, IDC_LOGIN_PASSWORD, password);
}

}  // namespace

TEST(LoginDialog, RefusedLoginsKeepTheDialogWithThePasswordSelectedAndWriteNothing) {
    DialogTestEnvironment environment;
    DialogDriver driver;
    struct Attempt {
        const wchar_t* User;
        const wchar_t* Password;
    };
    // Wildcards and quotes are characters of a password like any other.
    const Attempt refused[] = {{L"tovak", L"wrong"}, {L"tovak", L"%"}, {L"%", L"%"},
                               {L"to_ak", L"tovak"}, {L"tovak", L"'"}, {L"", L""}};

    CLoginServerDialog dialog;
    const INT_PTR result = driver.Run(dialog, [&](HWND d) {
        EXPECT_EQ(L"Operator Login", WindowText(d));
        EXPECT_EQ(L"User name:", ItemText(d, IDC_LOGIN_USER_LABEL));
        EXPECT_EQ(L"Log in", ItemText(d, IDOK));
        EXPECT_EQ(L"", ItemText(d, IDC_LOGIN_USER));  // no name remembered yet
        SaveScreenshot(d, L"login");
        for (const Attempt& attempt : refused) {
            TypeLogin(d, attempt.User, attempt.Password);
            Click(d, IDOK);
            ASSERT_TRUE(::IsWindowVisible(d)) << attempt.User << " / " << attempt.Password;
            EXPECT_EQ(IDC_LOGIN_PASSWORD, FocusedId());
            const int length = static_cast<int>(wcslen(attempt.Password));
            EXPECT_EQ(std::make_pair(0, length), EditSelection(d, IDC_LOGIN_PASSWORD));
        }
        Click(d, IDCANCEL);
    });

    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(std::size(refused), driver.Messages.size());
    for (const DialogDriver::Message& message : driver.Messages) {
        EXPECT_EQ(L"Operator Login", message.Caption);
        EXPECT_EQ(L"Wrong user name or password.", message.Text);
    }
    EXPECT_TRUE(TodaysSysLogRows().empty());
    EXPECT_EQ(L"", ReadSettingString(kSectionSettings, kKeyLoginSeverUser));
    EXPECT_EQ(L"", FieldText(CurrentOperator.UserName));
}

TEST(LoginDialog, ALoginBecomesTheOperatorAndIsLoggedAndRemembered) {
    DialogTestEnvironment environment;
    DialogDriver driver;
    AddOperator(L"O'Neil", std::wstring(30, L'p'));

    // The registry's entry as the login timer and command use it: the flag follows the result.
    RegisterOperatorDialogs();
    driver.Then([](HWND d) {
        TypeLogin(d, L"o'neil", std::wstring(31, L'p'));  // the 31st character is not read
        Click(d, IDOK);
    });
    OperatorLoggedIn = OperatorDialogs().Login.Run(nullptr) == IDOK;

    EXPECT_EQ(1, OperatorLoggedIn);
    EXPECT_EQ(L"O'Neil", FieldText(CurrentOperator.UserName));
    EXPECT_EQ(std::wstring(30, L'p'), FieldText(CurrentOperator.UserPsw));
    EXPECT_EQ(1, CurrentOperator.bPlayer);
    EXPECT_NE(L"", FieldText(CurrentOperator.AutoCode));
    const std::vector<SysLogRow> rows = TodaysSysLogRows();
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(kSysLogOperatorLogin, rows[0].SysLog_Cmd);
    EXPECT_EQ(L"System", FieldText(rows[0].Name));
    EXPECT_EQ(L"O'Neil", FieldText(rows[0].Notes));
    EXPECT_EQ(L"O'Neil", ReadSettingString(kSectionSettings, kKeyLoginSeverUser));  // the stored spelling

    // The next showing offers the stored name; cancelling it logs nobody in and leaves the operator's record.
    driver.Then([](HWND d) {
        EXPECT_EQ(L"O'Neil", ItemText(d, IDC_LOGIN_USER));
        Click(d, IDCANCEL);
    });
    OperatorLoggedIn = OperatorDialogs().Login.Run(nullptr) == IDOK;
    EXPECT_EQ(0, OperatorLoggedIn);
    EXPECT_EQ(L"O'Neil", FieldText(CurrentOperator.UserName));
    EXPECT_EQ(1u, TodaysSysLogRows().size());
}
