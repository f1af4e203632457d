#include "engine/EngineThreads.h"

#include "ServiceView.h"

#include "engine/CardEngineState.h"
#include "engine/DriverBinding.h"

#include <process.h>

namespace {

// How long StopEngine waits for each thread before it gives up on it.
constexpr DWORD kThreadStopWaitMs = 2000;

// Manual-reset: raised by StopEngine, lowered once every thread has ended.
HANDLE StopEvent() {
    static const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

HANDLE g_channelConfigThread = nullptr;  // UI thread only

HANDLE StartThread(EngineThreadEntry entry, void* argument) {
    return reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, entry, argument, 0, nullptr));
}

// Waits for the thread with a bound, serving the view calls it may be making of this thread meanwhile; one that does
// not end is terminated as a last resort.
void EndThread(HANDLE& thread) {
    if (!thread)
        return;
    if (!WaitForServiceThread(thread, kThreadStopWaitMs)) {
        DWORD exitCode = 0;
        if (::GetExitCodeThread(thread, &exitCode))
            ::TerminateThread(thread, exitCode);
    }
    ::CloseHandle(thread);
    thread = nullptr;
}

}  // namespace

void StartChannelConfigThread() {
    EndThread(g_channelConfigThread);  // a thread of an earlier start has long ended
    g_channelConfigThread = StartThread(ChannelConfigThread, nullptr);
}

HANDLE StartEngineThread(EngineThreadEntry entry) {
    return StartThread(entry, &EngineState);
}

void StartEngineThreads() {
    EngineState.ChannelPollThread = StartEngineThread(ChannelPollThread);
    EngineState.CallWriterThread = StartEngineThread(CallWriterThread);
    EngineState.SysLogWriterThread = StartEngineThread(SysLogWriterThread);
    EngineState.HookMonitorThread = StartEngineThread(HookMonitorThread);
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
