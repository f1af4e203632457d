#include "NotificationConnection.h"

DWORD NotificationConnection::Advise(UINT nEventId, INotificationSink* pSink) {
    CSingleLock lock(&m_lock, TRUE);
    const DWORD dwCookie = m_dwNextCookie++;
    m_advices.push_back({nEventId, pSink, dwCookie});
    return dwCookie;
}

BOOL NotificationConnection::Unadvise(DWORD dwCookie) {
    CSingleLock lock(&m_lock, TRUE);
    const int nIndex = FindAdvice(dwCookie);
    if (nIndex < 0)
        return FALSE;
    m_advices.erase(m_advices.begin() + nIndex);
    return TRUE;
}

int NotificationConnection::FindAdvice(DWORD dwCookie) {
    CSingleLock lock(&m_lock, TRUE);
    for (size_t i = 0; i < m_advices.size(); ++i) {
        if (m_advices[i].dwCookie == dwCookie)
            return static_cast<int>(i);
    }
    return -1;
}

BOOL NotificationConnection::SendEvent(UINT nEventId, WPARAM wParam, LPARAM lParam, DWORD_PTR dwExtra) {
    // A sink may release the connection's last other reference.
    CCmdTargetRef keepAlive(this);
    // Each send calls its own copy of the matching advices, so sends from other threads and nested
    // sends from sinks never disturb it.
    std::vector<Advice> matching;
    {
        CSingleLock lock(&m_lock, TRUE);
        for (const Advice& advice : m_advices) {
            if (advice.nEventId == nEventId)
                matching.push_back(advice);
        }
    }
    for (const Advice& advice : matching) {
        if (FindAdvice(advice.dwCookie) < 0)
            continue;  // unadvised meanwhile
        try {
            advice.pSink->OnEvent(nEventId, wParam, lParam, dwExtra);
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
    }
    return !matching.empty();
}
