#pragma once
// CRightView: the pane column of the main view (form IDD_RIGHT_VIEW), made by the main view's splitter through its
// run-time class: a caption strip above the list panes, of which exactly one shows. The panes are child dialogs
// that live as long as this view; every other part of the program reaches them through it.
//
// Commands of the panes (their toolbars' and the menus') that reach this view, which the main view makes the
// frame's active view, go to the pane that owns them; while nobody is logged in the panes' commands are disabled,
// except those that have no update rule. UI thread.

#include "TkCaption.h"
#include "views/CardView.h"
#include "views/FtpWnd.h"

#include "mfc.h"

#include <span>

class CRightView : public CFormView {
    DECLARE_DYNCREATE(CRightView)
public:
    CRightView();

    // ---- Panes
    CCardView& CardView() { return m_cardView; }
    CFtpWnd& FtpWnd() { return m_ftpWnd; }
    // The pane of a view (ViewIndex), or null for a view without one.
    CDialog* PaneOf(int view);
    // Shows the pane of a view from 1 to 13, hides every other one and gives the caption the view's text; any
    // other view changes nothing.
    void ShowView(int view);

    // ---- Commands
    // Runs or updates a pane command in its pane; FALSE for a command no pane owns.
    BOOL RoutePaneCommand(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        int View;  // the ViewIndex that shows it
        CDialog* Window;
        UINT TemplateId;
    };
    // The panes in member order, which is their order of creation. A new pane is a member, a row of m_panes and
    // the rows of its commands in the command table (RightView.cpp); showing, sizing and routing follow.
    std::span<const Pane> Panes() const { return m_panes; }

    CTkCaption m_caption;
    CCardView m_cardView;
    CFtpWnd m_ftpWnd;
    const Pane m_panes[2];
};
