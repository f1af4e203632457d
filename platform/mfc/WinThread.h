#pragma once
#include "CmdTarget.h"

#include <atomic>

// CWinThread: the UI thread's message loop with idle processing and pre-translation.
//
// Run, while the queue is empty, calls OnIdle(0), OnIdle(1), ... until it answers FALSE; then it pumps
// messages (PreTranslateMessage, TranslateMessage, DispatchMessage) until the queue is empty again.
// WM_QUIT ends the loop and Run answers ExitInstance(). Every message other than WM_PAINT, the caret
// timer and a mouse move that did not move starts a new idle round. Cross-thread sent messages are
// served inside GetMessage/PeekMessage, so workers that SendMessage to UI windows are answered while
// the loop waits.
//
// The layer runs one CWinThread, the application object, on the thread that built it (the UI thread).

class CWnd;

// A window pointer that any thread may read while the UI thread changes it: stores release, loads
// acquire. Reads as a CWnd* (and casts to a derived window class).
class CSharedWndPtr {
public:
    CSharedWndPtr() = default;
    CSharedWndPtr(const CSharedWndPtr&) = delete;
    CSharedWndPtr& operator=(const CSharedWndPtr&) = delete;

    CSharedWndPtr& operator=(CWnd* pWnd) {
        m_pWnd.store(pWnd, std::memory_order_release);
        return *this;
    }
    operator CWnd*() const { return m_pWnd.load(std::memory_order_acquire); }
    CWnd* operator->() const { return m_pWnd.load(std::memory_order_acquire); }
    template <class T>
    explicit operator T*() const {
        return static_cast<T*>(m_pWnd.load(std::memory_order_acquire));
    }

private:
    std::atomic<CWnd*> m_pWnd{nullptr};
};

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();

    // ---- Overridables
    virtual BOOL InitInstance() { return FALSE; }
    // The message loop; answers ExitInstance()'s result.
    virtual int Run();
    // Walks the permanent objects from the message's window up to the top-level window; when the
    // message's top-level window (climbing owners) is not the main window, the main window gets a last
    // chance, so its accelerators and bars see keys of unowned modeless windows. TRUE swallows it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Gets and dispatches one message; FALSE on WM_QUIT. WM_KICKIDLE is never dispatched.
    virtual BOOL PumpMessage();
    // Round 0 updates the command UI of a visible main window (WM_IDLEUPDATECMDUI straight to it and to
    // its permanent descendants); round 1 frees the thread's temporary objects. TRUE asks for another
    // round.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages that do not restart idle processing.
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // Answers the exit code: the WM_QUIT code the loop ended with.
    virtual int ExitInstance();
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    // Written on the UI thread only; readable from any thread.
    CSharedWndPtr m_pMainWnd;
    HANDLE m_hThread = nullptr;  // pseudo-handle of the UI thread
    DWORD m_nThreadID = 0;
};

// The application object on the UI thread; NULL on every other thread.
CWinThread* AfxGetThread();
// The main window as seen from the calling thread: the application's main window on the UI thread,
// NULL on other threads (workers read AfxGetApp()->m_pMainWnd instead).
CWnd* AfxGetMainWnd();
void AfxPostQuitMessage(int nExitCode);
