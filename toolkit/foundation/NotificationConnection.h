#pragma once
#include "mfc.h"

#include <vector>

// A reference-counted event source: sinks advise for one event id and are called, in advice order,
// when it is sent. Any thread may send, advise or unadvise; the lock is never held while a sink runs,
// so a sink may send, advise or unadvise itself. A sink unadvised during a dispatch is not called
// afterwards in that dispatch, and an exception from a sink is swallowed.

class INotificationSink {
public:
    virtual ~INotificationSink() = default;
    virtual void OnEvent(UINT nEventId, WPARAM wParam, LPARAM lParam, DWORD_PTR dwExtra) = 0;
};

class NotificationConnection : public CCmdTarget {
public:
    // The cookie that identifies the advice (never 0).
    DWORD Advise(UINT nEventId, INotificationSink* pSink);
    // FALSE for an unknown cookie.
    BOOL Unadvise(DWORD dwCookie);
    // TRUE when at least one sink was advised for the event.
    BOOL SendEvent(UINT nEventId, WPARAM wParam, LPARAM lParam, DWORD_PTR dwExtra);
    // The index of the advice with that cookie, or -1.
    int FindAdvice(DWORD dwCookie);

private:
    struct Advice {
        UINT nEventId;
        INotificationSink* pSink;  // not owned
        DWORD dwCookie;
    };

    CCriticalSection m_lock;  // guards the advices and the cookie counter; never held while a sink runs
    std::vector<Advice> m_advices;
    DWORD m_dwNextCookie = 1;
};
