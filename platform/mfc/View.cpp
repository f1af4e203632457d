#include "View.h"
#include "WndClass.h"
#include "WndMsgMap.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (cs.lpszClass == nullptr)
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS;
    // A bordered view gets the sunken client edge instead of a flat line.
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*) {
    Invalidate(TRUE);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    const int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SetActiveView(this);
    return nResult;
}

void CView::OnDestroy() {
    if (CFrameWnd* pFrame = GetParentFrame(); pFrame != nullptr && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr);
    CWnd::OnDestroy();
}

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()
