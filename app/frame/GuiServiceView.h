#pragma once
// CGuiServiceView: the window side's IServiceView, through which the recording service's threads show what
// happens. One object for the process (TheGuiServiceView), never destroyed: a late service thread may still hold
// it. The main frame installs it right after its client pane exists and uninstalls it first when it is destroyed.
//
// Each call copies its arguments into one record and runs it on the UI thread with one SendMessage of a private
// message to a message-only window of the view, so a worker never touches a window from its own thread and the
// steps of one update never interleave with the UI's own. The caller waits for the UI thread. After Uninstall the
// calls already on their way find the view closed and do nothing, so the frame can stop the service's threads
// while it serves their messages.

#include "ServiceView.h"

#include "mfc.h"

#include <atomic>
#include <functional>

class CGuiServiceView : public IServiceView {
public:
    // UI thread. Install makes the message window on first use and installs the view; FALSE when the window cannot
    // be made (the view is then not installed).
    BOOL Install();
    void Uninstall();

    void ChannelsReady(int channelCount) override;
    void ChannelRowChanged(int channel, ChannelRowChange what) override;
    void ChannelSettingsChanged(int channel) override;
    void CallFiled(const CallRecord& record) override;
    void ClientEvent(const ClientEventRecord& event) override;
    void IncomingCall(const char* number, const ContactRecord& contact) override;
    void MonitorBlock(int audioFmt, const uint8_t* data, int length) override;
    void StartupProgress(int done, int total) override;
    void PcmLinkRow(int link, uint32_t status, const SYSTEMTIME& time) override;
    void FtpLogRow(const FtpJob& job, FtpStatus status) override;
    std::wstring OperatorName() override;

private:
    class CCallWindow;

    // Runs the record on the UI thread and returns when it has run, or at once when the view is closed.
    void RunOnUiThread(const std::function<void()>& record);

    CCallWindow* m_window = nullptr;  // owned; made by the first Install, lives with the process
    std::atomic<bool> m_open = false;
};

// The process's view.
CGuiServiceView& TheGuiServiceView();
