#pragma once
// WorkerThread: one service thread's handle and stop event, and the one way such a thread is stopped. Created by
// the thread's owner (the engine state, the TCP server, a client slot, a query worker, the FTP backup), which starts
// and stops it from one thread at a time.
//
// Stopping is cooperative: Stop raises the stop event (and the owner interrupts blocking work its own way: a
// closed socket, a raised query stop), then waits with a bound. A thread that runs view calls must be waited for
// serving sent messages, or its call to the stopping (UI) thread could never complete. What happens to a thread
// still running after the bound is the owner's choice: it is terminated as a last resort and a system-log row names
// it, or it is left to finish by itself when killing it could leave a lock of SQLite or the heap held.

#include "mfc.h"

#include <windows.h>

// The system-log event code of a forced termination: stored for support, outside the codes the log view shows.
constexpr int kSysLogThreadTerminated = 31;

class WorkerThread {
public:
    using Entry = unsigned(__stdcall*)(void*);

    // What Stop does with a thread that has not ended within the bound.
    enum class Overrun {
        Terminate,     // TerminateThread, then the system-log row
        LeaveRunning,  // the handle is closed and the thread finishes by itself
    };
    enum class Wait {
        Plain,
        ServingSentMessages,  // the thread may be inside a view call to the stopping thread
    };

    // name: the thread's name for the system-log row; a literal, not copied.
    explicit WorkerThread(const wchar_t* name) : m_name(name) {}
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    // Destruction closes the handle without waiting: an owner that must stop its thread does so before it goes.

    // Starts entry(argument) with the runtime library's thread start, the stop event made and lowered first. False
    // when a thread of this object is still held or the start fails.
    bool Start(Entry entry, void* argument);
    bool IsStarted() const { return m_thread.IsValid(); }
    // For a wait on the thread's end or a message to its queue; the object keeps the handle. Null and 0 when no
    // thread is held.
    HANDLE Handle() const { return m_thread.Get(); }
    DWORD Id() const { return m_thread.IsValid() ? m_threadId : 0; }
    // Manual-reset, raised by Stop and lowered by Start; made by the first Start or call. Null when it cannot be made.
    HANDLE StopEvent();
    // Raises the stop event, waits up to timeoutMs and then applies overrun; the object then holds no thread. True
    // when the thread ended within the bound, or none was started.
    bool Stop(DWORD timeoutMs, Wait wait, Overrun overrun);

private:
    const wchar_t* m_name;
    CScopedKernelHandle m_thread;
    unsigned m_threadId = 0;
    CScopedKernelHandle m_stopEvent;
};
