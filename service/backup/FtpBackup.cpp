#include "backup/FtpBackup.h"

#include "ServiceView.h"

#include <process.h>

namespace {

// How long Stop waits for the thread before it gives up on it.
constexpr DWORD kThreadStopWaitMs = 2000;

}  // namespace

FtpBackup::FtpBackup(const FtpBackupTiming& timing)
    : m_timing(timing), m_stopEvent(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

FtpBackup::~FtpBackup() {
    Stop();
    ::CloseHandle(m_stopEvent);
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
    if (m_thread || !m_stopEvent)
        return false;
    m_stop = false;
    ::ResetEvent(m_stopEvent);
    m_thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, FtpUploadThread, this, 0, nullptr));
    return m_thread != nullptr;
}

void FtpBackup::Stop() {
    if (!m_thread)
        return;
    m_stop = true;
    ::SetEvent(m_stopEvent);
    // The thread's log rows are messages sent to this (the UI) thread: the wait serves them.
    if (!WaitForServiceThread(m_thread, kThreadStopWaitMs)) {
        // Last resort: the thread hangs inside a transfer or a database call.
        DWORD exitCode = 0;
        if (::GetExitCodeThread(m_thread, &exitCode))
            ::TerminateThread(m_thread, exitCode);
    }
    ::CloseHandle(m_thread);
    m_thread = nullptr;
}

bool FtpBackup::Pause(DWORD ms) {
    return ::WaitForSingleObject(m_stopEvent, ms) == WAIT_TIMEOUT;
}
