#include "engine/EngineThreads.h"

#include "ServiceView.h"

#include "engine/CardEngineState.h"
#include "channels/DriverBinding.h"

namespace {

// How long StopEngine waits for each thread before it gives up on it.
constexpr DWORD kThreadStopWaitMs = 2000;

// Manual-reset: raised by StopEngine, lowered once every thread has ended.
HANDLE StopEvent() {
    static const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

WorkerThread g_channelConfigThread{L"ChannelConfigThread"};  // UI thread only

// Waits for the thread with a bound, serving the view calls it may be making of this thread meanwhile; one that does
// not end is terminated as a last resort.
void EndThread(WorkerThread& thread) {
    thread.Stop(kThreadStopWaitMs, WorkerThread::Wait::ServingSentMessages, WorkerThread::Overrun::Terminate);
}

}  // namespace

void StartChannelConfigThread() {
    EndThread(g_channelConfigThread);  // a thread of an earlier start has long ended
    g_channelConfigThread.Start(ChannelConfigThread, nullptr);
}

bool StartEngineThread(WorkerThread& thread, EngineThreadEntry entry) {
    return thread.Start(entry, &EngineState);
}

void StartEngineThreads() {
    StartEngineThread(EngineState.ChannelPollThread, ChannelPollThread);
    StartEngineThread(EngineState.CallWriterThread, CallWriterThread);
    StartEngineThread(EngineState.SysLogWriterThread, SysLogWriterThread);
    StartEngineThread(EngineState.HookMonitorThread, HookMonitorThread);
}

int StopEngine() {
    const int disabled = QsdSys_DisableBoard();
    ::SetEvent(StopEvent());
    EndThread(g_channelConfigThread);
    EndThread(EngineState.ChannelPollThread);
    EndThread(EngineState.CallWriterThread);
    EndThread(EngineState.SysLogWriterThread);
    EndThread(EngineState.HookMonitorThread);
    ::ResetEvent(StopEvent());
    return disabled == QSD_OK ? 1 : 0;
}

bool WaitForEngineStop(DWORD ms) {
    return ::WaitForSingleObject(StopEvent(), ms) == WAIT_OBJECT_0;
}
