#pragma once
#include "mfc.h"

// The toolkit's own locks: a critical section and a guard that holds it for a scope. The image
// strips, the Office 2007 image set and the skin framework lock their shared state with them.

class ToolkitCriticalSection {
public:
    ToolkitCriticalSection() { ::InitializeCriticalSection(&m_section); }
    ~ToolkitCriticalSection() { ::DeleteCriticalSection(&m_section); }
    ToolkitCriticalSection(const ToolkitCriticalSection&) = delete;
    ToolkitCriticalSection& operator=(const ToolkitCriticalSection&) = delete;

    operator CRITICAL_SECTION*() { return &m_section; }

private:
    CRITICAL_SECTION m_section;
};

class ToolkitLockGuard {
public:
    explicit ToolkitLockGuard(CRITICAL_SECTION* pSection) : m_pSection(pSection) { ::EnterCriticalSection(m_pSection); }
    ~ToolkitLockGuard() { ::LeaveCriticalSection(m_pSection); }
    ToolkitLockGuard(const ToolkitLockGuard&) = delete;
    ToolkitLockGuard& operator=(const ToolkitLockGuard&) = delete;

private:
    CRITICAL_SECTION* m_pSection;  // not owned
};
