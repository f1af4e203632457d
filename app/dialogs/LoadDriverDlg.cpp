#include "dialogs/LoadDriverDlg.h"

#include "OperatorDialogsResource.h"
#include "common/OemLogo.h"
#include "settings/LangText.h"

BEGIN_MESSAGE_MAP(CLoadDriverDlg, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CLoadDriverDlg::CLoadDriverDlg() : CDialog(IDD_LOAD_DRIVER) {}

void CLoadDriverDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LOAD_PROGRESS, m_progress);
}

BOOL CLoadDriverDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText(L"0392").c_str());
    return TRUE;
}

void CLoadDriverDlg::OnPaint() {
    PaintOemLogo(this);
}

void CLoadDriverDlg::ShowProgress(int done, int total) {
    m_progress.SetRange32(0, total);
    m_progress.SetPos(done);
    CString caption;
    caption.Format(L"%ls %d/%d", LangText(L"0393").c_str(), done, total);
    SetWindowText(caption);
    ShowWindow(SW_SHOW);
}

CLoadDriverDlg& LoadDriverDialog() {
    static CLoadDriverDlg dialog;
    return dialog;
}
