#pragma once
// CLeftView: the navigation column of the main view (form IDD_LEFT_VIEW), made by the main view's splitter through
// its run-time class: a caption strip with the OEM company name above the navigation tree. Selecting a tree item
// sends WM_SHOWVIEW with the item's ViewIndex to the main window. The pane commands that reach this view while it
// is the active view go to the pane that owns them (CRightView::RoutePaneCommand). UI thread.

#include "TkCaption.h"

#include "mfc.h"

#include <array>

class CRightView;

class CLeftView : public CFormView {
    DECLARE_DYNCREATE(CLeftView)
public:
    CLeftView();

    // Creates the caption and fills the tree: the root, the channels and the phone book, the recordings group with
    // its seven items, statistics, the system log, the clients and the upload log, each item's data its ViewIndex.
    // The root is expanded and nothing is selected. Without a caption the tree stays empty. Called once, by the
    // main view after the splitter made both columns.
    void BuildTree();

    CTreeCtrl& NavigationTree() { return m_tree; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    // The pane column beside this one, or null before the splitter has it.
    CRightView* RightView() const;

    CTkCaption m_caption;
    CTreeCtrl m_tree;
    CTreeCtrl m_spareTree;  // kept hidden
    // Root, channels, phone book, recordings group, the seven recordings items, statistics, system log, clients,
    // upload log.
    std::array<HTREEITEM, 15> m_items{};
};
