#include "views/SearchDBInfoDlg.h"

#include "MainFrameResource.h"
#include "settings/LangText.h"

CSearchDBInfoDlg::CSearchDBInfoDlg() : CDialog(IDD_SEARCH_DB_INFO) {}

CSearchDBInfoDlg& TheSearchDBInfoDlg() {
    static CSearchDBInfoDlg dialog;
    return dialog;
}

void CSearchDBInfoDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEARCH_PROGRESS, m_progress);
}

BOOL CSearchDBInfoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText(L"5082").c_str());
    SetDlgItemText(IDC_SEARCH_DAY_LABEL, LangText(L"5083").c_str());
    SetDlgItemText(IDC_SEARCH_PROGRESS_LABEL, LangText(L"5084").c_str());
    return TRUE;
}
