#pragma once
#include "mfc.h"

#include <memory>
#include <unordered_map>
#include <vector>

// Watching the messages of a window one does not own. The hook manager subclasses such a window once,
// however many objects watch it, and offers each message to the watchers before the window's own
// procedure, the newest watcher first. UI thread only; the procedure is re-entrant.
//
// A sink lives from the first SetHook on a window until its last watcher is removed or the window gets
// WM_NCDESTROY. Removal never frees a sink in the middle of one of its dispatches (a watcher may remove
// itself, or destroy the window, while it is being called): the sink goes when its outermost dispatch
// returns. Its saved procedure goes back only while HookSinkWindowProc is still the window's
// procedure; when someone subclassed the window after us, the sink stays as a pass-through until
// WM_NCDESTROY, so that later subclasser keeps every message.

// What OnHookMessage answers.
enum HookResult {
    kHookNotHandled = 0,  // offer the message to the next watcher (also any unknown value)
    kHookHandled = 1,     // the watcher's result goes back; no further watcher, not the window's procedure
    kHookStop = 2,        // no further watcher, but the window's procedure runs
};

// The mixin of every watcher.
class CTkHookManagerHookAble {
public:
    virtual ~CTkHookManagerHookAble() = default;

    // wParam and lParam may be changed for the watchers after this one and for the window's procedure.
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) = 0;

    BOOL m_bAutoDeleteHook = FALSE;  // the manager deletes the watcher when it removes it
};

class CTkHookManager {
public:
    // One hooked window: its watchers, oldest first, and the procedure it had before.
    class CHookSink {
    public:
        CHookSink(HWND hWnd, WNDPROC pfnOldProc, BOOL bUnicode);
        // Deletes the auto-delete watchers, last first.
        ~CHookSink();

        // Offers the message to a snapshot of the watchers, newest first; a watcher removed meanwhile is
        // skipped. TRUE when one answered kHookHandled.
        BOOL OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);

        std::vector<CTkHookManagerHookAble*> m_watchers;  // owned only when auto-delete
        WNDPROC m_pfnOldProc;
        HWND m_hWnd;
        BOOL m_bUnicode;  // the window's procedure is read and set in the W forms, else A
        int m_nDispatchDepth = 0;
        bool m_bDetached = false;  // out of the map after WM_NCDESTROY: deleted after its last dispatch
    };

    CTkHookManager() = default;
    // Puts back the procedures of every hooked window that still has ours.
    ~CTkHookManager();
    CTkHookManager(const CTkHookManager&) = delete;
    CTkHookManager& operator=(const CTkHookManager&) = delete;

    // Subclasses hWnd on its first watcher; a watcher is held once.
    void SetHook(HWND hWnd, CTkHookManagerHookAble* pWatcher);
    void RemoveHook(HWND hWnd, CTkHookManagerHookAble* pWatcher);
    // RemoveHook on every window the watcher watches.
    void RemoveClient(CTkHookManagerHookAble* pWatcher);
    CHookSink* Lookup(HWND hWnd) const;

private:
    friend LRESULT CALLBACK HookSinkWindowProc(HWND, UINT, WPARAM, LPARAM);

    // Removes pWatcher from the sink (deleting it when it is auto-delete).
    void RemoveFromSink(CHookSink* pSink, CTkHookManagerHookAble* pWatcher);
    // Frees a sink that has no watchers and no dispatch under way, putting its window's procedure back;
    // a window subclassed after us keeps a pass-through sink instead.
    void ReleaseIfUnused(CHookSink* pSink);
    // WM_NCDESTROY: the sink leaves the map and is freed now or after its last dispatch.
    void DetachForDestroy(CHookSink* pSink);
    // A dispatch of pSink ended.
    void EndDispatch(CHookSink* pSink);

    std::unordered_map<HWND, std::unique_ptr<CHookSink>> m_sinks;
};

CTkHookManager* GetHookManager();
LRESULT CALLBACK HookSinkWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
