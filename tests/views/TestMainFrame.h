#pragma once
// A main frame for the view tests: the main view as its client, and the parts of the application's main frame the
// views count on: WM_SHOWVIEW switches the pane column, the main view's commands reach the main view, and the
// settings and logout commands are enabled only while an operator is logged in.

#include "views/RightView.h"
#include "views/TesselonServerView.h"

#include "mfc.h"

class CTestMainFrame : public CFrameWnd {
public:
    CTesselonServerView m_view;

    CRightView* Right() const { return m_view.GetRightView(); }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnShowView(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateLoggedIn(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

// Makes the frame (deleted with its window) with a client area of the given size, shown, as the application's
// main window; null when it cannot be made.
CTestMainFrame* CreateTestMainFrame(CWinApp& app, int clientWidth, int clientHeight);
