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
#include "views/ChartView.h"
#include "views/FtpWnd.h"
#include "views/NetWorkView.h"
#include "views/PhoneBookView.h"
#include "views/RecCallView.h"
#include "views/SysLogView.h"
#include "views/ViewIndex.h"

#include "mfc.h"

#include <span>

class CRightView : public CFormView {
    DECLARE_DYNCREATE(CRightView)
public:
    CRightView();

    // ---- Panes
    CCardView& CardView() { return m_cardView; }
    CFtpWnd& FtpWnd() { return m_ftpWnd; }
    CPhoneBookView& PhoneBookView() { return m_phoneBookView; }
    CChartView& ChartView() { return m_chartView; }
    CSysLogView& SysLogView() { return m_sysLogView; }
    CNetWorkView& NetWorkView() { return m_netWorkView; }
    // The call-record pane of a recordings view (3 to 9), or null.
    CRecCallView* RecCallView(int view);
    // The pane of a view (ViewIndex), or null for a view without one.
    CDialog* PaneOf(int view);
    // Shows the pane of a view from 1 to 13, hides every other one and gives the caption the view's text; a
    // call-record pane takes the view as its category. Any other view changes nothing.
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
    static constexpr int kRecCallViews = kViewSearchResults - kViewAllRecordings + 1;

    // The panes in member order, which is their order of creation. A new pane is a member, a row of m_panes and
    // the rows of its commands in the command table (RightView.cpp); showing, sizing and routing follow.
    std::span<const Pane> Panes() const { return m_panes; }
    // The shown call-record pane, or null.
    CDialog* VisibleRecCallView();
    // Marks the search-results item of the navigation tree as the current one, without a selection change of the
    // tree, and has the main window show the search-results pane.
    void ShowSearchResults();

    CTkCaption m_caption;
    CCardView m_cardView;
    CPhoneBookView m_phoneBookView;
    CRecCallView m_recCallViews[kRecCallViews];  // by ViewIndex from all calls to search results
    CChartView m_chartView;
    CSysLogView m_sysLogView;
    CNetWorkView m_netWorkView;
    CFtpWnd m_ftpWnd;
    const Pane m_panes[6 + kRecCallViews];
};
