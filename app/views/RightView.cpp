#include "views/RightView.h"

#include "FtpResource.h"
#include "MainFrameResource.h"
#include "MainViewResource.h"
#include "common/AppIcons.h"
#include "common/OperatorSession.h"
#include "settings/LangText.h"
#include "common/WhiteCtlColor.h"
#include "views/ViewCaption.h"
#include "views/ViewIndex.h"

#include <iterator>

namespace {

// Which pane carries out a command that reaches the view, and whether it is enabled only while an operator is
// logged in (the rest have no update rule and stay enabled).
struct PaneCommand {
    UINT Id;
    int View;  // of the owning pane
    bool NeedsLogin;
};

constexpr PaneCommand kPaneCommands[] = {
    {ID_CHANNEL_LISTEN, kViewChannels, true},      {ID_CHANNEL_STOP_LISTEN, kViewChannels, true},
    {ID_CHANNEL_PARAMS, kViewChannels, true},      {ID_CHANNEL_DIAL, kViewChannels, true},
    {ID_CHANNEL_PCM_STATUS, kViewChannels, false}, {ID_FTP_SETTINGS, kViewUploadLog, false},
    {ID_FTP_CLEAR_LOG, kViewUploadLog, false},
};

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
      m_panes{{kViewChannels, &m_cardView, IDD_CARD_VIEW}, {kViewUploadLog, &m_ftpWnd, IDD_FTP_LOG}} {}

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
    CDialog* pane = PaneOf(command->View);
    return pane && pane->GetSafeHwnd() && pane->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CRightView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return RoutePaneCommand(nID, nCode, pExtra, pHandlerInfo) || CFormView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
