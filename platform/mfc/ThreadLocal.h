#pragma once
#include "Exception.h"

#include <mutex>
#include <new>

// Objects made on first use, one per process (CProcessLocal) or one per thread (CThreadLocal).
//
// A CProcessLocal<T> is a global: GetData builds its T once, under a lock, on the first call from any
// thread, and the T is destroyed at exit with the other globals (in reverse order of construction).
// A CThreadLocal<T> gives each thread its own T, built on that thread's first GetData and deleted when
// the thread exits, however it was started (a fiber-local slot with a clean-up callback, not
// thread_local destructors). T derives from CNoTrackObject. A failed allocation raises
// CResourceException.

class CNoTrackObject {
public:
    virtual ~CNoTrackObject() = default;
};

template <class TYPE>
class CProcessLocal {
public:
    CProcessLocal() = default;
    ~CProcessLocal() { delete m_pObject; }
    CProcessLocal(const CProcessLocal&) = delete;
    CProcessLocal& operator=(const CProcessLocal&) = delete;

    TYPE* GetData() {
        std::call_once(m_once, [this] { m_pObject = Allocate(); });
        return m_pObject;
    }
    TYPE* operator->() { return GetData(); }

private:
    static TYPE* Allocate() {
        TYPE* pObject = new (std::nothrow) TYPE;
        if (pObject == nullptr)
            AfxThrowResourceException();
        return pObject;
    }

    std::once_flag m_once;
    TYPE* m_pObject = nullptr;
};

template <class TYPE>
class CThreadLocal {
public:
    CThreadLocal() : m_nSlot(::FlsAlloc(&DeleteData)) {
        if (m_nSlot == FLS_OUT_OF_INDEXES)
            AfxThrowResourceException();
    }
    // Deletes every thread's object that is still alive.
    ~CThreadLocal() { ::FlsFree(m_nSlot); }
    CThreadLocal(const CThreadLocal&) = delete;
    CThreadLocal& operator=(const CThreadLocal&) = delete;

    // The calling thread's object.
    TYPE* GetData() {
        auto* pData = static_cast<CNoTrackObject*>(::FlsGetValue(m_nSlot));
        if (pData != nullptr)
            return static_cast<TYPE*>(pData);
        TYPE* pObject = new (std::nothrow) TYPE;
        if (pObject == nullptr)
            AfxThrowResourceException();
        if (!::FlsSetValue(m_nSlot, static_cast<CNoTrackObject*>(pObject))) {
            delete pObject;
            AfxThrowResourceException();
        }
        return pObject;
    }
    TYPE* operator->() { return GetData(); }

private:
    static void WINAPI DeleteData(void* pData) { delete static_cast<CNoTrackObject*>(pData); }

    DWORD m_nSlot;
};
