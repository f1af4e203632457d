#pragma once
// IServiceView: the one way the recording service shows something. The engine, network and backup threads call
// it where the main window's panes and dialogs would show what happened; the GUI implements it, and tests install
// a recording fake. Everything that is not display stays in the service: a channel-row change has already
// written ChannelRecord::State, pushed the channel status to the permitted clients and written its system-log row
// before the view hears of it, so a run without a window behaves as the GUI program does.
//
// "The main window exists" means a view is installed. While none is, the service skips what would only be shown.
// The GUI's implementation runs each call as one synchronous message to the UI thread, so a worker never touches
// a window from its own thread and the steps of one update never interleave; calls may therefore come from any
// thread and must not be made while holding a lock that the UI thread may want.

#include "records/EngineRecords.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The status of an upload job shown in a row of the FTP log pane.
enum FtpStatus {
    kFtpUploadStarted = 0,
    kFtpUploadDone = 1,
    kFtpUploadFailed = 2,
    kFtpLocalFileMissing = 3,
};

struct ClientEventRecord;
struct ContactRecord;
struct FtpJob;

// What changed in a channel's row of the channel pane. The row shows the channel's ChannelRecord as it is when
// the view is called.
enum class ChannelRowChange {
    Idle,  // idle text and icon, call columns cleared
    LineError,
    LinkLost,           // the spy channel's PCM link is down
    OffHook,            // off-hook, not recording
    OutgoingRecording,  // with the recording path
    Ringing,            // with the ring count
    IncomingRecording,  // with the recording path
    VoiceRecording,     // voice-activated or record-all recording, with the recording path
    VoiceWaiting,       // voice-activated, waiting for sound
    OutgoingConnect,    // a spy channel's outgoing call connecting
    CallerId,           // caller number (spy channels: caller and callee)
    DialledNumber,      // dialled digits (spy channels: callee and caller)
    LineInfo,           // line voltage, or a spy call's in and out channels
    CallTime,           // recorded time and the call's start
    KeepFlag,           // record mode 1: whether the recording will be kept
};

class IServiceView {
public:
    virtual ~IServiceView() = default;

    // Channel pane.
    virtual void ChannelsReady(int channelCount) = 0;  // the channels are configured: one row per channel
    virtual void ChannelRowChanged(int channel, ChannelRowChange what) = 0;
    virtual void ChannelSettingsChanged(int channel) = 0;  // name, phone and record mode columns

    // A finished call was filed: one row in the all-calls pane and one in the pane of its CallType. The record
    // stays the caller's.
    virtual void CallFiled(const CallRecord& record) = 0;

    // A remote client logged in, timed out or logged out (connected-clients pane).
    virtual void ClientEvent(const ClientEventRecord& event) = 0;

    // Fill the incoming-call pop-up with the caller's 8-bit digits, the current time and the contact found for
    // them (all zero when none), then show it.
    virtual void IncomingCall(const char* number, const ContactRecord& contact) = 0;

    // The server is listening to a channel: show the monitor window and draw the piece in its AudioFormat (any
    // value other than A-law and mu-law draws as IMA ADPCM).
    virtual void MonitorBlock(int audioFmt, const uint8_t* data, int length) = 0;

    // Start-up progress window: progress range 0..total, position done, caption "<text 0393> done/total".
    virtual void StartupProgress(int done, int total) = 0;

    // PCM monitor dialog: the row of a link (appended when the list has no row for it yet) shows its status word
    // with the low 4 bits, and the time it was read.
    virtual void PcmLinkRow(int link, uint32_t status, const SYSTEMTIME& time) = 0;

    // FTP log pane: one row for an upload job with its status.
    virtual void FtpLogRow(const FtpJob& job, FtpStatus status) = 0;

    // The user name of the operator logged in at the server; empty before the first login.
    virtual std::wstring OperatorName() = 0;
};

// Installs the view (null uninstalls it). The view must stay alive until it is uninstalled and no service thread
// is inside one of its calls. Any thread.
void SetServiceView(IServiceView* view);

// The installed view, or null while the main window does not exist. Any thread.
IServiceView* GetServiceView();

inline bool MainWindowExists() {
    return GetServiceView() != nullptr;
}

// The operator's user name from the installed view; empty while there is no view.
std::wstring CurrentOperatorName();

// Waits up to timeoutMs for a service thread to end, on the thread that stops the service (the UI thread once the
// main window exists). The thread may be inside a view call, which is a message sent to that very thread: the wait
// serves sent messages meanwhile, so the call completes and the thread can see its stop. True when it ended.
bool WaitForServiceThread(HANDLE thread, DWORD timeoutMs);
