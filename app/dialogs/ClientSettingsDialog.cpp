#include "dialogs/ClientSettingsDialog.h"

#include "OperatorDialogsResource.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/SettingsFormParts.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_SET_FOLDER1_LABEL, L"5023"},  {IDC_CLIENT_BROWSE, L"5024"},  {IDC_SET_POPUP_LABEL, L"5025"},
    {IDC_SET_LANGUAGE_LABEL, L"5026"}, {IDC_SET_PORT_LABEL, L"0423"},
};

}  // namespace

BEGIN_MESSAGE_MAP(CClientSettingsDialog, CDialog)
    ON_BN_CLICKED(IDC_CLIENT_BROWSE, OnBrowseRecFolder)
END_MESSAGE_MAP()

CClientSettingsDialog::CClientSettingsDialog(CWnd* pParent) : CDialog(IDD_CLIENT_SETTINGS, pParent) {}

BOOL CClientSettingsDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDialogTexts(this, L"5022", kTexts);
    FillLanguageList(this, IDC_SET_LANGUAGE);
    FillPopupList(this, IDC_SET_POPUP);
    SetDlgItemText(IDC_SET_FOLDER1, FreeSpaceLine(ReadSettingString(kSectionSettings, kKeyRecFolderN[0])).c_str());
    SetDlgItemInt(IDC_SET_PORT, static_cast<UINT>(Startup.NetPort.load()), TRUE);
    return TRUE;
}

void CClientSettingsDialog::OnOK() {
    WriteSettingInt(kSectionSettings, kKeyInPopup, static_cast<int>(SendDlgItemMessage(IDC_SET_POPUP, CB_GETCURSEL)));
    const int language = static_cast<int>(SendDlgItemMessage(IDC_SET_LANGUAGE, CB_GETCURSEL));
    NoticeLanguageChange(this, language);
    WriteSettingInt(kSectionSettings, kKeyNetPort, static_cast<int>(GetDlgItemInt(IDC_SET_PORT)));
    StoreLanguage(language);
    CDialog::OnOK();
}

void CClientSettingsDialog::OnBrowseRecFolder() {
    BrowseRecordingFolder(this, 0, IDC_SET_FOLDER1);
}
