#pragma once
// QueryWorker: the one worker thread a client slot runs for one kind of query (CDR search, statistics,
// system-log search). The slot's reader starts and stops it; Reset may raise its stop flag from any thread.
//
// Stopping is cooperative: the stop (QueryStop.h) is raised, which also interrupts the SQLite step of the store
// the worker has linked to it, and the worker, which tests it between days and between rows, ends on its own;
// Stop waits for that up to kStopWaitMs. A worker still busy after that is left to finish by itself: it sends
// nothing more once its stop is up, so the slot can start the next query at once, and no thread is ever killed
// inside SQLite's or the heap's locks.

#include "clients/QueryStop.h"
#include "WorkerThread.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class QueryWorker {
public:
    // The query; it returns early once the stop is raised.
    using Work = std::function<void(QueryStop& stop)>;

    static constexpr DWORD kStopWaitMs = 2000;

    QueryWorker() = default;
    QueryWorker(const QueryWorker&) = delete;
    QueryWorker& operator=(const QueryWorker&) = delete;

    // Stops a running worker (Stop), then runs work on a new thread. False when the thread cannot be started.
    bool Start(Work work);
    // Raises the stop and waits (bounded) for the worker to end. True when a worker was still running.
    bool Stop();
    // Raises the stop without waiting. Any thread.
    void RequestStop();
    bool IsRunning();

private:
    struct Run {
        Work Query;
        QueryStop Stop;
        std::atomic<bool> Running{true};
    };

    static unsigned __stdcall ThreadMain(void* run);

    std::mutex m_lock;                       // guards the two fields below
    std::shared_ptr<Run> m_run;              // the latest run, shared with its thread
    std::unique_ptr<WorkerThread> m_thread;  // the latest run's thread; taken out of the lock to be waited for
};
