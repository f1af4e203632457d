#pragma once
// CTesselonServerView: the main frame's client area. A toolbar of the operator's global commands (settings,
// lock, unlock, show or hide the navigation, about) runs across the top with the OEM logo at its right end; below
// it a splitter holds the navigation column (CLeftView) and the pane column (CRightView), the path by which every
// other part of the program reaches the list panes.
//
// Created by the main frame (id AFX_IDW_PANE_FIRST) and destroyed with it; the splitter's views delete themselves
// with their windows. UI thread.

#include "views/FlatSplitterWnd.h"

#include "mfc.h"

class CLeftView;
class CRightView;

class CTesselonServerView : public CWnd {
public:
    CTesselonServerView() = default;

    // The splitter's columns; null when the splitter could not make them.
    CLeftView* GetLeftView() const { return m_pLeftView; }
    CRightView* GetRightView() const { return m_pRightView; }
    BOOL IsNavigationShown() const { return m_bNavigationShown; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSettings();
    afx_msg void OnClientSettings();
    afx_msg void OnLogin();
    afx_msg void OnUpdateLogin(CCmdUI* pCmdUI);
    afx_msg void OnLogout();
    afx_msg void OnToggleLeftPane();
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateSplitter();
    // The client area beside the toolbar: the window colour, and the OEM logo in a white frame at the right end.
    void Draw(CDC* pDC, const CRect& rcClient);

    CFlatSplitterWnd m_splitter;
    CImageList m_toolBarImages;
    CToolBar m_toolBar;
    CLeftView* m_pLeftView = nullptr;    // the splitter's pane (0, 0); deletes itself
    CRightView* m_pRightView = nullptr;  // the splitter's pane (0, 1); deletes itself
    BOOL m_bNavigationShown = TRUE;
};
