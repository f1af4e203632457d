#include "frame/MidnightReset.h"

#include "views/ListPane.h"
#include "views/RightView.h"
#include "views/ViewIndex.h"

namespace {

constexpr DWORD kStopWaitMs = 5000;

}  // namespace

bool CMidnightReset::IsRunning() {
    if (m_thread.IsStarted() && ::WaitForSingleObject(m_thread.Handle(), 0) == WAIT_TIMEOUT)
        return true;
    m_thread.Stop(0, WorkerThread::Wait::Plain, WorkerThread::Overrun::LeaveRunning);
    return false;
}

void CMidnightReset::Start(CRightView* panes) {
    if (!panes || IsRunning())
        return;
    m_panes = panes;
    m_thread.Start(&CMidnightReset::MidnightResetThread, this);
}

void CMidnightReset::Stop() {
    m_thread.Stop(kStopWaitMs, WorkerThread::Wait::ServingSentMessages, WorkerThread::Overrun::LeaveRunning);
}

unsigned __stdcall CMidnightReset::MidnightResetThread(void* reset) {
    static_cast<CMidnightReset*>(reset)->Run();
    return 0;
}

void CMidnightReset::Run() {
    const HANDLE stop = m_thread.StopEvent();
    for (int view = kViewAllRecordings; view <= kViewSearchResults; ++view) {
        if (stop && ::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0)
            return;
        if (CRecCallView* pane = m_panes->RecCallView(view))
            RunOnPaneThread(*pane, [pane] { pane->ClearRows(); });
    }
}
