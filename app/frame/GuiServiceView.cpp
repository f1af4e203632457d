#include "frame/GuiServiceView.h"

#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "frame/MainFrame.h"
#include "records/ProtocolRecords.h"
#include "views/PcmLinkerDlg.h"
#include "views/RightView.h"
#include "views/ViewIndex.h"

#include <string>
#include <vector>

namespace {

// wParam: unused; lParam: the std::function<void()> to run.
constexpr UINT WM_RUN_VIEW_CALL = WM_APP + 0x31;

// The main window's pane column, on the UI thread; null while the main window or its splitter is missing.
CRightView* PaneColumn() {
    CMainFrame* frame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
    return frame ? frame->ClientPane().GetRightView() : nullptr;
}

CCardView* CardPane() {
    CRightView* panes = PaneColumn();
    return panes && panes->CardView().GetSafeHwnd() ? &panes->CardView() : nullptr;
}

CFtpWnd* FtpLogPane() {
    CRightView* panes = PaneColumn();
    return panes && panes->FtpWnd().GetSafeHwnd() ? &panes->FtpWnd() : nullptr;
}

// The pane of a call's kind (CallType 1 to 8), 0 for a kind without one.
int CallTypeView(int callType) {
    switch (callType) {
        case 2:
        case 7:
            return kViewOutgoingCalls;
        case 1:
        case 6:
            return kViewIncomingCalls;
        case 3:
        case 8:
            return kViewMissedCalls;
        case 5:
            return kViewAutoAnswered;
        case 4:
            return kViewVoiceRecordings;
        default:
            return 0;
    }
}

}  // namespace

// The message-only window on the UI thread that runs the records.
class CGuiServiceView::CCallWindow : public CWnd {
public:
    explicit CCallWindow(const std::atomic<bool>& open) : m_open(open) {}

protected:
    afx_msg LRESULT OnRunViewCall(WPARAM, LPARAM lParam) {
        if (m_open)
            (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    const std::atomic<bool>& m_open;
};

BEGIN_MESSAGE_MAP(CGuiServiceView::CCallWindow, CWnd)
    ON_MESSAGE(WM_RUN_VIEW_CALL, OnRunViewCall)
END_MESSAGE_MAP()

CGuiServiceView& TheGuiServiceView() {
    static CGuiServiceView* view = new CGuiServiceView;  // never destroyed: see the header
    return *view;
}

BOOL CGuiServiceView::Install() {
    if (!m_window) {
        auto* window = new CCallWindow(m_open);
        if (!window->CreateEx(0, AfxRegisterWndClass(0), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr)) {
            delete window;
            return FALSE;
        }
        m_window = window;
    }
    m_open = true;
    SetServiceView(this);
    return TRUE;
}

void CGuiServiceView::Uninstall() {
    SetServiceView(nullptr);
    m_open = false;
}

void CGuiServiceView::RunOnUiThread(const std::function<void()>& record) {
    if (m_open && m_window)
        ::SendMessageW(m_window->GetSafeHwnd(), WM_RUN_VIEW_CALL, 0, reinterpret_cast<LPARAM>(&record));
}

// The call writer's filed call: a row in the all-calls pane, then one in the pane of its kind.
void CGuiServiceView::CallFiled(const CallRecord& record) {
    RunOnUiThread([&record] {
        CRightView* panes = PaneColumn();
        if (!panes)
            return;
        AddCallRecordRow(&record, panes->RecCallView(kViewAllRecordings));
        if (const int view = CallTypeView(record.CallType))
            AddCallRecordRow(&record, panes->RecCallView(view));
    });
}

void CGuiServiceView::ClientEvent(const ClientEventRecord& event) {
    RunOnUiThread([&event] {
        if (CRightView* panes = PaneColumn())
            AddClientRow(&panes->NetWorkView(), event);
    });
}

// The channel rows are drawn from ChannelTable as it is when the record runs.
void CGuiServiceView::ChannelsReady(int channelCount) {
    RunOnUiThread([channelCount] {
        if (CCardView* pane = CardPane())
            pane->ChannelsReady(channelCount);
        // The configuration is over: the start-up window has nothing more to show.
        if (CDialog* startup = OperatorDialogs().Startup.Window(); startup && startup->GetSafeHwnd())
            startup->ShowWindow(SW_HIDE);
    });
}

void CGuiServiceView::ChannelRowChanged(int channel, ChannelRowChange what) {
    RunOnUiThread([channel, what] {
        if (CCardView* pane = CardPane())
            pane->ChannelRowChanged(channel, what);
    });
}

void CGuiServiceView::ChannelSettingsChanged(int channel) {
    RunOnUiThread([channel] {
        if (CCardView* pane = CardPane())
            pane->ShowChannelSettings(channel);
    });
}

void CGuiServiceView::FtpLogRow(const FtpJob& job, FtpStatus status) {
    // The caller waits for the record, so the job it holds stays valid while the record runs.
    RunOnUiThread([&job, status] {
        if (CFtpWnd* pane = FtpLogPane())
            pane->AddStatusRow(job, status);
    });
}

void CGuiServiceView::IncomingCall(const char* number, const ContactRecord& contact) {
    const std::string digits = number ? number : "";
    RunOnUiThread([&digits, contact] { OperatorDialogs().Popup.ShowIncomingCall(digits.c_str(), contact); });
}

void CGuiServiceView::MonitorBlock(int audioFmt, const uint8_t* data, int length) {
    const std::vector<uint8_t> piece(data, data + (data && length > 0 ? length : 0));
    RunOnUiThread([audioFmt, &piece] {
        OperatorDialogs().Monitor.ShowBlock(audioFmt, piece.data(), static_cast<int>(piece.size()));
    });
}

void CGuiServiceView::StartupProgress(int done, int total) {
    RunOnUiThread([done, total] { OperatorDialogs().Startup.ShowProgress(done, total); });
}

void CGuiServiceView::PcmLinkRow(int link, uint32_t status, const SYSTEMTIME& time) {
    RunOnUiThread([link, status, time] { ThePcmLinkerDlg().ShowLinkRow(link, status, time); });
}

std::wstring CGuiServiceView::OperatorName() {
    std::wstring name;
    RunOnUiThread([&name] { name = CurrentOperator.UserName; });
    return name;
}
