#include "backup/FtpBackup.h"

namespace {

// How long Stop waits for the thread before it gives up on it.
constexpr DWORD kThreadStopWaitMs = 2000;

}  // namespace

FtpBackup::FtpBackup(const FtpBackupTiming& timing) : m_timing(timing) {}

FtpBackup::~FtpBackup() {
    Stop();
}

void FtpBackup::EnqueueJob(const FtpJob& job) {
    std::lock_guard<std::mutex> lock(m_queueLock);
    m_queue.push_back(job);
}

std::vector<FtpJob> FtpBackup::QueuedJobs() const {
    std::lock_guard<std::mutex> lock(m_queueLock);
    return std::vector<FtpJob>(m_queue.begin(), m_queue.end());
}

bool FtpBackup::TakeFirstJob(FtpJob& job) {
    std::lock_guard<std::mutex> lock(m_queueLock);
    if (m_queue.empty())
        return false;
    job = m_queue.front();
    m_queue.pop_front();
    return true;
}

bool FtpBackup::QueueIsEmpty() const {
    std::lock_guard<std::mutex> lock(m_queueLock);
    return m_queue.empty();
}

bool FtpBackup::Start() {
    if (m_worker.IsStarted())
        return false;
    m_stop = false;
    return m_worker.Start(FtpUploadThread, this);
}

void FtpBackup::Stop() {
    if (!m_worker.IsStarted())
        return;
    m_stop = true;
    // The thread's log rows are messages sent to this (the UI) thread: the wait serves them.
    m_worker.Stop(kThreadStopWaitMs, WorkerThread::Wait::ServingSentMessages, WorkerThread::Overrun::Terminate);
}

bool FtpBackup::Pause(DWORD ms) {
    return ::WaitForSingleObject(m_worker.StopEvent(), ms) == WAIT_TIMEOUT;
}
