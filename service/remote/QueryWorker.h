#pragma once
// QueryWorker: the one worker thread a client slot runs for one kind of query (CDR search, statistics,
// system-log search). The slot's reader starts and stops it; Reset may raise its stop flag from any thread.
//
// Stopping is cooperative: the stop flag is raised and the worker, which tests it between days and between rows,
// ends on its own; Stop waits for that up to kStopWaitMs. A worker still inside one long SQLite step after that
// is left to finish by itself: it sends nothing more once its flag is up, so the slot can start the next query at
// once, and no thread is ever killed inside SQLite's or the heap's locks.

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class QueryWorker {
public:
    // The query; it returns early once the flag is raised.
    using Work = std::function<void(const std::atomic<bool>& stop)>;

    static constexpr DWORD kStopWaitMs = 2000;

    QueryWorker() = default;
    QueryWorker(const QueryWorker&) = delete;
    QueryWorker& operator=(const QueryWorker&) = delete;

    // Stops a running worker (Stop), then runs work on a new thread. False when the thread cannot be started.
    bool Start(Work work);
    // Raises the stop flag and waits (bounded) for the worker to end. True when a worker was still running.
    bool Stop();
    // Raises the stop flag without waiting. Any thread.
    void RequestStop();
    bool IsRunning();

private:
    struct Run {
        Work Query;
        std::atomic<bool> StopFlag{false};
        std::atomic<bool> Running{true};
    };

    static unsigned __stdcall ThreadMain(void* run);

    std::mutex m_lock;             // guards the two fields below
    std::shared_ptr<Run> m_run;    // the latest run, shared with its thread
    HANDLE m_thread = nullptr;     // owned; the latest run's thread
};
