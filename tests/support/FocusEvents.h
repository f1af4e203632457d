#pragma once
// The accessibility focus events (EVENT_OBJECT_FOCUS) this process raises, recorded while a recorder lives.
#include "mfc.h"

#include <vector>

struct FocusEvent {
    HWND hWnd;
    LONG nObject;
    LONG nChild;
};

class CFocusEventRecorder {
public:
    CFocusEventRecorder()
        : m_hHook(::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnEvent, ::GetCurrentProcessId(),
                                    0, WINEVENT_OUTOFCONTEXT)) {
        s_events.clear();
    }
    ~CFocusEventRecorder() {
        if (m_hHook != nullptr)
            ::UnhookWinEvent(m_hHook);
    }
    CFocusEventRecorder(const CFocusEventRecorder&) = delete;
    CFocusEventRecorder& operator=(const CFocusEventRecorder&) = delete;

    BOOL IsHooked() const { return m_hHook != nullptr; }
    // The events heard so far, oldest first; the hook delivers them while the thread pumps messages.
    std::vector<FocusEvent>& Events() { return s_events; }

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD, HWND hWnd, LONG nObject, LONG nChild, DWORD, DWORD) {
        s_events.push_back({hWnd, nObject, nChild});
    }

    inline static std::vector<FocusEvent> s_events;
    HWINEVENTHOOK m_hHook;
};
