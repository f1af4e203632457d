#pragma once
#include "TempObjectMap.h"
#include "ThreadLocal.h"

// The layer's per-thread state.
//
// One AFX_THREAD_STATE per thread that uses the layer, made on first use and deleted when the thread
// exits, however the thread was started (CRT thread, std::thread, CreateThread): see CThreadLocal.
// Only its own thread touches it.

class CWnd;

struct AFX_THREAD_STATE : public CNoTrackObject {
    // The message being dispatched on this thread: AfxCallWndProc saves it, sets it for each message
    // and restores it afterwards, so nested messages see their own. CWnd::Default replays it. Code
    // that dispatches to window objects itself (hook sinks, skin objects) saves, sets and restores it
    // the same way.
    MSG m_lastSentMsg = {};

    // The message the thread's message loop is working on.
    MSG m_msgCur = {};
    // Where the last mouse move of the loop was, to ignore moves that did not move.
    POINT m_ptCursorLast = {-1, -1};
    UINT m_nMsgLast = 0;

    // Window creation: the object waiting for the creation hook, and the window the hook attached.
    CWnd* m_pWndInit = nullptr;
    HWND m_hWndInit = nullptr;

    // Temporary wrappers handed out by FromHandle on this thread.
    CTempObjectMap m_tempObjects;
};

// The calling thread's state (made on first use).
AFX_THREAD_STATE* AfxGetThreadState();
