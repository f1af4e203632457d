#pragma once
// The thread on which a list pane searches or counts over a range of days, one day's database at a time: one
// thread at a time, started from the UI thread and stopped cooperatively. The pane interrupts its store first;
// Stop then raises the stop event and waits with a bound, serving the rows and status the thread sends to the UI
// thread, and leaves a thread still inside its store to finish and close it by itself.

#include "views/DayRange.h"
#include "WorkerThread.h"

#include <atomic>
#include <functional>

class CPaneSearchThread {
public:
    // name: the thread's name, a literal.
    explicit CPaneSearchThread(const wchar_t* name) : m_thread(name) {}

    // Starts entry(pane) once Stop has released the last thread (a thread that has ended keeps its handle until
    // then). False when it could not start. UI thread.
    bool Start(WorkerThread::Entry entry, void* pane);
    // From Start to the thread's Finish. Any thread.
    bool IsRunning() const { return m_running; }
    // UI thread, after the pane asked its store to stop.
    void Stop();

    // ---- On the thread
    bool StopRequested();
    // Visits the days of the range from the first, each with its month folder made, until a stop is requested.
    void ForEachDay(const DayRange& days, const std::function<void(const SYSTEMTIME& day)>& visit);
    // The thread's last step: the pane can search again.
    void Finish() { m_running = false; }

private:
    WorkerThread m_thread;
    std::atomic<bool> m_running = false;
};
