#include "views/PaneSearchThread.h"

#include "storage/StoragePaths.h"

namespace {

// How long a stop waits for the thread before leaving it to end by itself.
constexpr DWORD kStopWaitMs = 5000;

}  // namespace

bool CPaneSearchThread::Start(WorkerThread::Entry entry, void* pane) {
    m_running = true;
    if (!m_thread.Start(entry, pane))
        m_running = false;
    return m_running;
}

void CPaneSearchThread::Stop() {
    m_thread.Stop(kStopWaitMs, WorkerThread::Wait::ServingSentMessages, WorkerThread::Overrun::LeaveRunning);
}

bool CPaneSearchThread::StopRequested() {
    const HANDLE stop = m_thread.StopEvent();
    return stop && ::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
}

void CPaneSearchThread::ForEachDay(const DayRange& days, const std::function<void(const SYSTEMTIME& day)>& visit) {
    ::ForEachDay(days, [&](const SYSTEMTIME& day) {
        if (StopRequested())
            return false;
        CreateMonthFolder(day);
        visit(day);
        return true;
    });
}
