#pragma once
#include "AfxBase.h"

// CSyncObject: a lockable object; CCriticalSection: a Win32 critical section (recursive on one
// thread). Lock it through CSingleLock so every path unlocks.

class CSyncObject {
public:
    virtual ~CSyncObject() = default;

    // Waits up to dwTimeout ms (INFINITE by default); TRUE when the lock is held.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE) = 0;
    virtual BOOL Unlock() = 0;
};

class CCriticalSection : public CSyncObject {
public:
    CCriticalSection() { ::InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() override { ::DeleteCriticalSection(&m_sect); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    // A critical section has no timeout: Lock waits until it is entered.
    BOOL Lock(DWORD dwTimeout = INFINITE) override;
    BOOL Unlock() override;

    operator CRITICAL_SECTION*() { return &m_sect; }

    CRITICAL_SECTION m_sect;
};

// Holds a CSyncObject for a scope: the destructor unlocks what the object still holds.
class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD dwTimeout = INFINITE);
    // TRUE also when nothing was held.
    BOOL Unlock();
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CSyncObject* m_pObject;  // not owned
    BOOL m_bAcquired = FALSE;
};
