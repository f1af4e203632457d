#include "dialogs/SearchPhoneBookDialog.h"

#include "OperatorDialogsResource.h"
#include "dialogs/DialogTexts.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr ControlText kTexts[] = {
    {IDC_PHONE_SEARCH_LABEL, L"0127"},
    {IDOK, L"0128"},
};

}  // namespace

CSearchPhoneBookDialog::CSearchPhoneBookDialog(CWnd* pParent) : CDialog(IDD_SEARCH_PHONE_BOOK, pParent) {}

BOOL CSearchPhoneBookDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDialogTexts(this, L"0126", kTexts);
    SetDlgItemText(IDC_PHONE_SEARCH_KEY, ReadSettingString(kSectionSettings, kKeySearchPhoneKey).c_str());
    return TRUE;
}

void CSearchPhoneBookDialog::OnOK() {
    std::fill(std::begin(m_searchKey), std::end(m_searchKey), L'\0');
    GetDlgItemText(IDC_PHONE_SEARCH_KEY, m_searchKey, static_cast<int>(std::size(m_searchKey)) - 1);
    WriteSettingString(kSectionSettings, kKeySearchPhoneKey, m_searchKey);
    CDialog::OnOK();
}
