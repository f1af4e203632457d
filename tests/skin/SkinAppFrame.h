#pragma once
#include "mfc.h"

#include <string>

// The application-shaped frame of the skin tests: a frame built the way the program's main frame is. Its
// OnCreate opens the skin first, so the frame's own window (made before the skin's creation hooks exist)
// keeps the system's caption, and every window made afterwards is skinned: a status bar, a splitter with
// a navigation tree on the left and, on the right, a child-dialog pane with a flat list-style toolbar over
// a report list (header, grid lines, both scroll bars). CSkinAppDialog is a settings dialog of the
// program's kind (push, check, radio and group-box buttons, an edit with an up-down buddy, a read-only
// drop-down combo, a date-time picker that may show no date, a progress bar).
//
// UI thread of the test. The frame deletes itself with its window.

class CSkinAppPane : public CDialog {
public:
    CSkinAppPane();

    CToolBarCtrl m_toolBar;
    CListCtrl m_list;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CImageList m_toolImages;
    CImageList m_listImages;
};

class CSkinAppTreeView : public CView {
    DECLARE_DYNCREATE(CSkinAppTreeView)
public:
    CTreeCtrl m_tree;

protected:
    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

class CSkinAppPaneView : public CView {
    DECLARE_DYNCREATE(CSkinAppPaneView)
public:
    CSkinAppPane m_pane;

protected:
    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

class CSkinAppDialog : public CDialog {
public:
    CSkinAppDialog();

protected:
    BOOL OnInitDialog() override;
};

class CSkinAppFrame : public CFrameWnd {
public:
    // pszSkinPath: the skin module the frame opens while it is created. The menus show their items as the
    // resources have them (the frame handles none of their commands).
    explicit CSkinAppFrame(LPCWSTR pszSkinPath) : m_skinPath(pszSkinPath) { m_bAutoMenuEnable = FALSE; }

    CSkinAppTreeView* GetTreeView() const;
    CSkinAppPane& GetPane() const;

    CStatusBar m_statusBar;
    CSplitterWnd m_splitter;
    BOOL m_bSkinOpened = FALSE;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    std::wstring m_skinPath;
};
