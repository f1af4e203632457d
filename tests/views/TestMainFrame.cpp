#include "TestMainFrame.h"

#include "MainFrameResource.h"
#include "MainViewResource.h"
#include "common/OperatorSession.h"
#include "views/ViewIndex.h"

BEGIN_MESSAGE_MAP(CTestMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_SHOWVIEW, OnShowView)
    ON_UPDATE_COMMAND_UI(ID_SETTINGS, OnUpdateLoggedIn)
    ON_UPDATE_COMMAND_UI(ID_LOGOUT, OnUpdateLoggedIn)
END_MESSAGE_MAP()

int CTestMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
        return -1;
    return 0;
}

LRESULT CTestMainFrame::OnShowView(WPARAM wParam, LPARAM) {
    if (CRightView* right = Right())
        right->ShowView(static_cast<int>(wParam));
    return 0;
}

void CTestMainFrame::OnUpdateLoggedIn(CCmdUI* pCmdUI) {
    pCmdUI->Enable(OperatorLoggedIn != 0);
}

BOOL CTestMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_view.GetSafeHwnd() && m_view.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

CTestMainFrame* CreateTestMainFrame(CWinApp& app, int clientWidth, int clientHeight) {
    auto* frame = new CTestMainFrame;
    app.m_pMainWnd = frame;
    if (!frame->LoadFrame(0x7777, WS_OVERLAPPEDWINDOW)) {
        app.m_pMainWnd = nullptr;
        return nullptr;
    }
    CRect window(0, 0, clientWidth, clientHeight);
    ::AdjustWindowRectEx(&window, frame->GetStyle(), FALSE, frame->GetExStyle());
    frame->SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    frame->ShowWindow(SW_SHOWNA);
    frame->RecalcLayout();
    return frame;
}
