#include "dialogs/SearchSysLogDialog.h"

#include "OperatorDialogsResource.h"
#include "dialogs/DialogTexts.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_SEARCH_FROM_LABEL, L"0195"},
    {IDC_SEARCH_TO_LABEL, L"0196"},
    {IDC_SEARCH_EXTRA_LABEL, L"0197"},
    {IDOK, L"0198"},
    {IDCANCEL, L"0199"},
};

// The event groups, in the order of SysLogSearchQuery::EventGroup.
constexpr const wchar_t* kGroupKeys[] = {L"0200", L"0136", L"0138", L"0139", L"5087"};

}  // namespace

CSearchSysLogDialog::CSearchSysLogDialog(CWnd* pParent) : CDialog(IDD_SEARCH_SYSLOG, pParent) {
    ::GetLocalTime(&m_query.FromDate);
    m_query.ToDate = m_query.FromDate;
}

BOOL CSearchSysLogDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDialogTexts(this, L"0194", kTexts);
    FillComboTexts(this, IDC_SYSLOG_GROUP, kGroupKeys);
    SendDlgItemMessage(IDC_SYSLOG_GROUP, CB_SETCURSEL, 0);
    return TRUE;
}

void CSearchSysLogDialog::OnOK() {
    SendDlgItemMessage(IDC_SEARCH_FROM, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&m_query.FromDate));
    SendDlgItemMessage(IDC_SEARCH_TO, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&m_query.ToDate));
    m_query.EventGroup = static_cast<int>(SendDlgItemMessage(IDC_SYSLOG_GROUP, CB_GETCURSEL));
    CDialog::OnOK();
}
