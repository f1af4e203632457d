#include "FormView.h"
#include "DialogWindow.h"

IMPLEMENT_DYNAMIC(CFormView, CView)

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext*) {
    CREATESTRUCT cs = {};
    cs.style = static_cast<LONG>(dwStyle | WS_CHILD);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    // The class is the template's; only the style adjustments of the preparation are used.
    cs.lpszClass = L"#32770";
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    if (!AfxCreateDialogWindow(this, m_lpszTemplateName, cs.hwndParent))
        return FALSE;

    const DWORD dwFrame = WS_BORDER | WS_THICKFRAME;
    ModifyStyle(dwFrame, static_cast<DWORD>(cs.style) & dwFrame);
    ModifyStyleEx(WS_EX_CLIENTEDGE, cs.dwExStyle & WS_EX_CLIENTEDGE);
    SetDlgCtrlID(static_cast<int>(nID));
    SetWindowPos(nullptr, cs.x, cs.y, cs.cx, cs.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (cs.style & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

void CFormView::OnInitialUpdate() {
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg) {
    if (!AfxIsInputMessage(pMsg->message))
        return FALSE;
    if (AfxPreTranslateInFrames(this, pMsg))
        return TRUE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

BEGIN_MESSAGE_MAP(CFormView, CView)
    ON_MESSAGE(WM_INITDIALOG, OnInitDialogMessage)
END_MESSAGE_MAP()
