#include "views/RightView.h"

#include "FtpResource.h"
#include "MainFrameResource.h"
#include "MainViewResource.h"
#include "PanesResource.h"
#include "common/AppIcons.h"
#include "common/OperatorSession.h"
#include "settings/LangText.h"
#include "common/WhiteCtlColor.h"
#include "views/LeftView.h"
#include "views/ViewCaption.h"
#include "views/ViewIndex.h"

#include <iterator>

namespace {

// Which pane carries out a command that reaches the view, and whether it is enabled only while an operator is
// logged in (the rest have no update rule and stay enabled).
struct PaneCommand {
    UINT Id;
    int View;  // of the owning pane; kViewAllRecordings for the shown call-record pane
    bool NeedsLogin;
};

constexpr PaneCommand kPaneCommands[] = {
    {ID_CHANNEL_LISTEN, kViewChannels, true},
    {ID_CHANNEL_STOP_LISTEN, kViewChannels, true},
    {ID_CHANNEL_PARAMS, kViewChannels, true},
    {ID_CHANNEL_DIAL, kViewChannels, true},
    {ID_CHANNEL_PCM_STATUS, kViewChannels, false},
    {ID_FTP_SETTINGS, kViewUploadLog, false},
    {ID_FTP_CLEAR_LOG, kViewUploadLog, false},
    {ID_RECORD_PLAY, kViewAllRecordings, true},
    {ID_RECORD_EDIT, kViewAllRecordings, true},
    {ID_RECORD_DELETE, kViewAllRecordings, true},
    {ID_RECORD_SAVE_AS, kViewAllRecordings, true},
    {ID_RECORD_SEARCH, kViewAllRecordings, true},
    {ID_RECORD_EXPORT, kViewAllRecordings, true},
    {ID_RECORD_DETAILS, kViewAllRecordings, true},
    {ID_RECORD_TODAY, kViewAllRecordings, true},
    {ID_RECORD_WEEK, kViewAllRecordings, true},
    {ID_RECORD_MONTH, kViewAllRecordings, true},
    {ID_RECORD_CLEAR, kViewAllRecordings, true},
    {ID_RECORD_STOP_SEARCH, kViewAllRecordings, true},
    {ID_SYSLOG_SEARCH, kViewSystemLog, true},
    {ID_SYSLOG_EXPORT, kViewSystemLog, true},
    {ID_SYSLOG_TODAY, kViewSystemLog, true},
    {ID_SYSLOG_WEEK, kViewSystemLog, true},
    {ID_SYSLOG_MONTH, kViewSystemLog, true},
    {ID_SYSLOG_CLEAR, kViewSystemLog, true},
    {ID_CONTACT_ADD, kViewPhoneBook, true},
    {ID_CONTACT_EDIT, kViewPhoneBook, true},
    {ID_CONTACT_DELETE, kViewPhoneBook, true},
    {ID_CONTACT_SEARCH, kViewPhoneBook, true},
    {ID_CONTACT_CLEAR, kViewPhoneBook, true},
    {ID_NETWORK_FORCE_OFFLINE, kViewClients, true},
    {ID_NETWORK_CLEAR, kViewClients, true},
    {ID_CHART_CONDITION, kViewStatistics, true},
    {ID_CHART_EXPORT, kViewStatistics, true},
    {ID_CHART_TODAY, kViewStatistics, true},
    {ID_CHART_WEEK, kViewStatistics, true},
    {ID_CHART_MONTH, kViewStatistics, true},
    {ID_CHART_CLEAR, kViewStatistics, true},
    {ID_CHART_STOP, kViewStatistics, true},
};

// The tree item whose data is the view, below and including item; null when none.
HTREEITEM FindTreeItem(CTreeCtrl& tree, HTREEITEM item, int view) {
    for (; item; item = tree.GetNextSiblingItem(item)) {
        if (static_cast<int>(tree.GetItemData(item)) == view)
            return item;
        if (HTREEITEM found = FindTreeItem(tree, tree.GetChildItem(item), view))
            return found;
    }
    return nullptr;
}

const PaneCommand* FindPaneCommand(UINT id) {
    for (const PaneCommand& command : kPaneCommands) {
        if (command.Id == id)
            return &command;
    }
    return nullptr;
}

}  // namespace

IMPLEMENT_DYNCREATE(CRightView, CFormView)

BEGIN_MESSAGE_MAP(CRightView, CFormView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CRightView::CRightView()
    : CFormView(IDD_RIGHT_VIEW),
      m_ftpWnd(&AppIconList()),
      m_panes{{kViewChannels, &m_cardView, IDD_CARD_VIEW},
              {kViewPhoneBook, &m_phoneBookView, IDD_PHONE_BOOK_VIEW},
              {kViewAllRecordings, &m_recCallViews[0], IDD_REC_CALL_VIEW},
              {kViewOutgoingCalls, &m_recCallViews[1], IDD_REC_CALL_VIEW},
              {kViewIncomingCalls, &m_recCallViews[2], IDD_REC_CALL_VIEW},
              {kViewMissedCalls, &m_recCallViews[3], IDD_REC_CALL_VIEW},
              {kViewAutoAnswered, &m_recCallViews[4], IDD_REC_CALL_VIEW},
              {kViewVoiceRecordings, &m_recCallViews[5], IDD_REC_CALL_VIEW},
              {kViewSearchResults, &m_recCallViews[6], IDD_REC_CALL_VIEW},
              {kViewStatistics, &m_chartView, IDD_CHART_VIEW},
              {kViewSystemLog, &m_sysLogView, IDD_SYSLOG_VIEW},
              {kViewClients, &m_netWorkView, IDD_NETWORK_VIEW},
              {kViewUploadLog, &m_ftpWnd, IDD_FTP_LOG}} {
    CRecCallView* searchPane = RecCallView(kViewSearchResults);
    for (CRecCallView& pane : m_recCallViews)
        pane.SetSearchPane(searchPane, [this] { ShowSearchResults(); });
}

CRecCallView* CRightView::RecCallView(int view) {
    return view >= kViewAllRecordings && view <= kViewSearchResults ? &m_recCallViews[view - kViewAllRecordings]
                                                                    : nullptr;
}

CDialog* CRightView::VisibleRecCallView() {
    for (CRecCallView& pane : m_recCallViews) {
        if (pane.GetSafeHwnd() && pane.IsWindowVisible())
            return &pane;
    }
    return nullptr;
}

void CRightView::ShowSearchResults() {
    CSplitterWnd* splitter = DYNAMIC_DOWNCAST(CSplitterWnd, GetParent());
    CLeftView* left = splitter ? DYNAMIC_DOWNCAST(CLeftView, splitter->GetPane(0, 0)) : nullptr;
    if (left && left->NavigationTree().GetSafeHwnd()) {
        CTreeCtrl& tree = left->NavigationTree();
        constexpr UINT kTreeItemFocused = 0x0001;  // the tree's focus state bit, which the SDK headers leave out
        constexpr UINT kSelectedAndFocused = TVIS_SELECTED | kTreeItemFocused;
        if (HTREEITEM current = tree.GetSelectedItem())
            tree.SetItemState(current, 0, kSelectedAndFocused);
        if (HTREEITEM results = FindTreeItem(tree, tree.GetRootItem(), kViewSearchResults))
            tree.SetItemState(results, kSelectedAndFocused, kSelectedAndFocused);
    }
    if (CWnd* frame = AfxGetMainWnd())
        frame->SendMessage(WM_SHOWVIEW, kViewSearchResults);
}

int CRightView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFormView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateViewCaption(m_caption, this, LangText(kViewLooks[kViewChannels].TextKey).c_str(), IDI_VIEW_CAPTION))
        return -1;
    for (const Pane& pane : Panes()) {
        pane.Window->Create(pane.TemplateId, this);
        pane.Window->ShowWindow(pane.View == kViewChannels ? SW_SHOW : SW_HIDE);
    }
    return 0;
}

void CRightView::OnSize(UINT nType, int cx, int cy) {
    CFormView::OnSize(nType, cx, cy);
    if (m_caption.GetSafeHwnd())
        m_caption.MoveWindow(0, 0, cx, kViewCaptionHeight);
    for (const Pane& pane : Panes()) {
        if (pane.Window->GetSafeHwnd())
            pane.Window->MoveWindow(0, kViewCaptionHeight + 1, cx, cy - kViewCaptionHeight - 1);
    }
}

HBRUSH CRightView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    const HBRUSH base = CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
    const HBRUSH white = CtlColorWhite(pDC, nCtlColor);
    return white ? white : base;
}

CDialog* CRightView::PaneOf(int view) {
    for (const Pane& pane : Panes()) {
        if (pane.View == view)
            return pane.Window;
    }
    return nullptr;
}

void CRightView::ShowView(int view) {
    if (!IsPaneView(view))
        return;
    StyleViewCaption(m_caption, LangText(kViewLooks[view].TextKey).c_str(), IDI_VIEW_CAPTION);
    m_caption.Invalidate();
    if (CRecCallView* pane = RecCallView(view))
        pane->SetCategory(view);
    CDialog* shown = PaneOf(view);
    for (const Pane& pane : Panes()) {
        if (pane.Window->GetSafeHwnd())
            pane.Window->ShowWindow(pane.Window == shown ? SW_SHOW : SW_HIDE);
    }
}

BOOL CRightView::RoutePaneCommand(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    const PaneCommand* command = FindPaneCommand(nID);
    if (!command)
        return FALSE;
    if (nCode == CN_UPDATE_COMMAND_UI && command->NeedsLogin) {
        static_cast<CCmdUI*>(pExtra)->Enable(OperatorLoggedIn != 0);
        return TRUE;
    }
    CDialog* pane = command->View == kViewAllRecordings ? VisibleRecCallView() : PaneOf(command->View);
    return pane && pane->GetSafeHwnd() && pane->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CRightView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return RoutePaneCommand(nID, nCode, pExtra, pHandlerInfo) || CFormView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
