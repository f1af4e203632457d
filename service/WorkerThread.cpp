#include "WorkerThread.h"

#include "ServiceView.h"
#include "storage/SysLogStore.h"

#include <process.h>

bool WorkerThread::Start(Entry entry, void* argument) {
    if (m_thread.IsValid())
        return false;
    // Made before the thread runs, so the thread never races its owner to make it.
    if (!StopEvent())
        return false;
    ::ResetEvent(m_stopEvent.Get());
    m_thread.Attach(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, entry, argument, 0, &m_threadId)));
    return m_thread.IsValid();
}

HANDLE WorkerThread::StopEvent() {
    if (!m_stopEvent.IsValid())
        m_stopEvent.Attach(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    return m_stopEvent.Get();
}

bool WorkerThread::Stop(DWORD timeoutMs, Wait wait, Overrun overrun) {
    if (m_stopEvent.IsValid())
        ::SetEvent(m_stopEvent.Get());
    if (!m_thread.IsValid())
        return true;
    const bool ended = wait == Wait::ServingSentMessages
                           ? WaitForServiceThread(m_thread.Get(), timeoutMs)
                           : ::WaitForSingleObject(m_thread.Get(), timeoutMs) == WAIT_OBJECT_0;
    if (!ended && overrun == Overrun::Terminate) {
        // Last resort: the thread hangs inside a transfer, a driver or a database call.
        DWORD exitCode = 0;
        if (::GetExitCodeThread(m_thread.Get(), &exitCode) && ::TerminateThread(m_thread.Get(), exitCode))
            WriteSysLogEvent(kSysLogThreadTerminated, m_name, nullptr);
    }
    m_thread.Close();
    return ended;
}
