#include "dialogs/LoginServerDialog.h"

#include "OperatorDialogsResource.h"
#include "common/OperatorSession.h"
#include "common/SysLogNow.h"
#include "dialogs/DialogTexts.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/AccountStore.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_LOGIN_USER_LABEL, L"0189"},
    {IDC_LOGIN_PASSWORD_LABEL, L"0190"},
    {IDOK, L"0191"},
    {IDCANCEL, L"0192"},
};

}  // namespace

CLoginServerDialog::CLoginServerDialog(CWnd* pParent) : CDialog(IDD_LOGIN_SERVER, pParent) {}

BOOL CLoginServerDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDialogTexts(this, L"0188", kTexts);
    SetDlgItemText(IDC_LOGIN_USER, ReadSettingString(kSectionSettings, kKeyLoginSeverUser).c_str());
    return TRUE;
}

void CLoginServerDialog::OnOK() {
    AccountRecord account{};
    // The fields hold 31 characters; the read keeps 30 of them, as every account form does.
    GetDlgItemText(IDC_LOGIN_USER, account.UserName, std::size(account.UserName) - 1);
    const int password = GetDlgItemText(IDC_LOGIN_PASSWORD, account.UserPsw, std::size(account.UserPsw) - 1);

    if (!ServerAccountStore().CheckLogin(account.UserName, account.UserPsw, account)) {
        ShowLangMessage(this, L"0193", L"0188", MB_ICONEXCLAMATION | MB_OK);
        GotoDlgCtrl(GetDlgItem(IDC_LOGIN_PASSWORD));
        SendDlgItemMessage(IDC_LOGIN_PASSWORD, EM_SETSEL, 0, password);
        return;
    }

    CurrentOperator = account;
    WriteSysLogNow(MakeSysLogEvent(kSysLogOperatorLogin, LangText(L"0186").c_str(), CurrentOperator.UserName));
    WriteSettingString(kSectionSettings, kKeyLoginSeverUser, account.UserName);
    CDialog::OnOK();
}
