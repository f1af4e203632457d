#pragma once
// The FTP backup: the in-memory queue of pending uploads and the upload thread that empties it inside the upload
// window, sending each recording and then a snapshot of its day's CDR database to the FTP server.
//
// The FTP log pane owns one FtpBackup: it starts the thread when it is initialised and stops it when it is
// destroyed (UI thread). The thread shows what it does through IServiceView::FtpLogRow, one row per step of a
// job (FtpStatus), and only while a view is installed. Jobs come from the FTP queue store (FtpTable), where the
// call writer stores them; the thread loads all stored jobs whenever its queue has run empty, and deletes a
// job's row once the recording is on the server.
//
// The queue is guarded by its own lock, held only while one job is added or taken.

#include "WorkerThread.h"
#include "records/StorageRecords.h"

#include <windows.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <vector>

struct FtpLogin;

// The pauses of the upload thread, in ms; tests shorten them.
struct FtpBackupTiming {
    DWORD PollMs = 1000;           // before every pass
    DWORD RefillPauseMs = 5000;    // before the stored jobs are loaded into an empty queue
    DWORD FailurePauseMs = 30000;  // after a failed upload
};

unsigned __stdcall FtpUploadThread(void* backup);

class FtpBackup {
public:
    explicit FtpBackup(const FtpBackupTiming& timing = {});
    ~FtpBackup();  // stops the thread
    FtpBackup(const FtpBackup&) = delete;
    FtpBackup& operator=(const FtpBackup&) = delete;

    // Queue (any thread)
    // Appends a copy of the job at the tail.
    void EnqueueJob(const FtpJob& job);
    // The jobs waiting, oldest first.
    std::vector<FtpJob> QueuedJobs() const;

    // Thread (UI thread)
    // Starts FtpUploadThread; false when it is already running or cannot be started.
    bool Start();
    // Asks the thread to end after the step in hand and waits for it with a bound, serving messages sent to the
    // calling thread meanwhile (the thread's log rows may be waiting for it). A thread that does not end in time
    // is terminated, and a system-log row names it. Nothing happens when the thread is not running.
    void Stop();
    bool IsRunning() const { return m_worker.IsStarted(); }

private:
    friend unsigned __stdcall FtpUploadThread(void* backup);

    // The upload thread (FtpUploadThread.cpp)
    void RunUploadPasses();
    void UploadJob(const FtpJob& job, const FtpLogin& login, const SYSTEMTIME& now);
    void UploadCdrSnapshot(const SYSTEMTIME& day, const wchar_t* serial, const FtpLogin& login);
    // Waits ms; false as soon as the thread is asked to stop.
    bool Pause(DWORD ms);
    bool TakeFirstJob(FtpJob& job);
    bool QueueIsEmpty() const;

    const FtpBackupTiming m_timing;
    mutable std::mutex m_queueLock;  // guards m_queue
    std::deque<FtpJob> m_queue;
    WorkerThread m_worker{L"FtpUploadThread"};
    std::atomic<bool> m_stop{false};
};
