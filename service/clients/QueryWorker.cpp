#include "clients/QueryWorker.h"

bool QueryWorker::Start(Work work) {
    Stop();

    auto run = std::make_shared<Run>();
    run->Query = std::move(work);
    auto* threadRef = new std::shared_ptr<Run>(run);  // the thread's reference, released by the thread

    std::lock_guard<std::mutex> guard(m_lock);
    auto thread = std::make_unique<WorkerThread>(L"QueryWorker");
    if (!thread->Start(ThreadMain, threadRef)) {
        delete threadRef;
        return false;
    }
    m_run = std::move(run);
    m_thread = std::move(thread);
    return true;
}

bool QueryWorker::Stop() {
    std::shared_ptr<Run> run;
    std::unique_ptr<WorkerThread> thread;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        run = m_run;
        thread = std::move(m_thread);
    }
    if (!run)
        return false;

    const bool wasRunning = run->Running;
    run->Stop.Raise();
    // Never killed: a worker inside SQLite or the heap would leave their locks held.
    if (thread)
        thread->Stop(kStopWaitMs, WorkerThread::Wait::Plain, WorkerThread::Overrun::LeaveRunning);
    return wasRunning;
}

void QueryWorker::RequestStop() {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_run)
        m_run->Stop.Raise();
}

bool QueryWorker::IsRunning() {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_run && m_run->Running;
}

unsigned __stdcall QueryWorker::ThreadMain(void* param) {
    std::unique_ptr<std::shared_ptr<Run>> threadRef(static_cast<std::shared_ptr<Run>*>(param));
    Run& run = **threadRef;
    try {
        run.Query(run.Stop);
    } catch (...) {
        // Nothing may leave a thread entry; the query simply ends.
    }
    run.Running = false;
    return 0;
}
