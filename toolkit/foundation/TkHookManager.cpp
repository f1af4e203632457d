#include "TkHookManager.h"

#include <algorithm>

namespace {

WNDPROC GetProc(HWND hWnd, BOOL bUnicode) {
    return reinterpret_cast<WNDPROC>(bUnicode ? ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)
                                              : ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

void SetProc(HWND hWnd, BOOL bUnicode, WNDPROC pfnProc) {
    const LONG_PTR value = reinterpret_cast<LONG_PTR>(pfnProc);
    if (bUnicode)
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, value);
    else
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, value);
}

// Puts the window's old procedure back while ours is still installed.
void RestoreProc(const CTkHookManager::CHookSink& sink) {
    if (::IsWindow(sink.m_hWnd) && GetProc(sink.m_hWnd, sink.m_bUnicode) == HookSinkWindowProc)
        SetProc(sink.m_hWnd, sink.m_bUnicode, sink.m_pfnOldProc);
}

}  // namespace

// ---- CHookSink

CTkHookManager::CHookSink::CHookSink(HWND hWnd, WNDPROC pfnOldProc, BOOL bUnicode)
    : m_pfnOldProc(pfnOldProc), m_hWnd(hWnd), m_bUnicode(bUnicode) {}

CTkHookManager::CHookSink::~CHookSink() {
    for (auto it = m_watchers.rbegin(); it != m_watchers.rend(); ++it) {
        if ((*it)->m_bAutoDeleteHook)
            delete *it;
    }
}

BOOL CTkHookManager::CHookSink::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
                                              LRESULT& lResult) {
    const std::vector<CTkHookManagerHookAble*> snapshot = m_watchers;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        if (std::find(m_watchers.begin(), m_watchers.end(), *it) == m_watchers.end())
            continue;
        const int nResult = (*it)->OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
        if (nResult == kHookHandled)
            return TRUE;
        if (nResult == kHookStop)
            return FALSE;
    }
    return FALSE;
}

// ---- CTkHookManager

CTkHookManager::~CTkHookManager() {
    for (auto& entry : m_sinks)
        RestoreProc(*entry.second);
}

CTkHookManager::CHookSink* CTkHookManager::Lookup(HWND hWnd) const {
    const auto found = m_sinks.find(hWnd);
    return found != m_sinks.end() ? found->second.get() : nullptr;
}

void CTkHookManager::SetHook(HWND hWnd, CTkHookManagerHookAble* pWatcher) {
    CHookSink* pSink = Lookup(hWnd);
    if (pSink == nullptr) {
        const BOOL bUnicode = ::IsWindowUnicode(hWnd);
        auto sink = std::make_unique<CHookSink>(hWnd, GetProc(hWnd, bUnicode), bUnicode);
        pSink = sink.get();
        m_sinks[hWnd] = std::move(sink);
        SetProc(hWnd, bUnicode, HookSinkWindowProc);
    }
    if (std::find(pSink->m_watchers.begin(), pSink->m_watchers.end(), pWatcher) == pSink->m_watchers.end())
        pSink->m_watchers.push_back(pWatcher);
}

void CTkHookManager::RemoveFromSink(CHookSink* pSink, CTkHookManagerHookAble* pWatcher) {
    auto found = std::find(pSink->m_watchers.begin(), pSink->m_watchers.end(), pWatcher);
    if (found == pSink->m_watchers.end())
        return;
    pSink->m_watchers.erase(found);
    if (pWatcher->m_bAutoDeleteHook)
        delete pWatcher;
    ReleaseIfUnused(pSink);
}

void CTkHookManager::RemoveHook(HWND hWnd, CTkHookManagerHookAble* pWatcher) {
    if (CHookSink* pSink = Lookup(hWnd))
        RemoveFromSink(pSink, pWatcher);
}

void CTkHookManager::RemoveClient(CTkHookManagerHookAble* pWatcher) {
    std::vector<CHookSink*> sinks;
    for (auto& entry : m_sinks)
        sinks.push_back(entry.second.get());
    for (CHookSink* pSink : sinks)
        RemoveFromSink(pSink, pWatcher);
}

void CTkHookManager::ReleaseIfUnused(CHookSink* pSink) {
    if (!pSink->m_watchers.empty() || pSink->m_nDispatchDepth > 0 || pSink->m_bDetached)
        return;
    if (::IsWindow(pSink->m_hWnd) && GetProc(pSink->m_hWnd, pSink->m_bUnicode) != HookSinkWindowProc)
        return;  // subclassed after us: stays as a pass-through until WM_NCDESTROY
    RestoreProc(*pSink);
    m_sinks.erase(pSink->m_hWnd);
}

void CTkHookManager::DetachForDestroy(CHookSink* pSink) {
    RestoreProc(*pSink);
    auto found = m_sinks.find(pSink->m_hWnd);
    std::unique_ptr<CHookSink> owned = std::move(found->second);
    m_sinks.erase(found);
    if (pSink->m_nDispatchDepth > 0) {
        pSink->m_bDetached = true;
        owned.release();  // freed by EndDispatch of its outermost dispatch
    }
}

void CTkHookManager::EndDispatch(CHookSink* pSink) {
    if (--pSink->m_nDispatchDepth > 0)
        return;
    if (pSink->m_bDetached)
        delete pSink;
    else
        ReleaseIfUnused(pSink);
}

CTkHookManager* GetHookManager() {
    static CTkHookManager s_manager;
    return &s_manager;
}

LRESULT CALLBACK HookSinkWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    // Watchers that call the layer (CWnd::Default) see this message as the current one.
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG savedMsg = pState->m_lastSentMsg;
    pState->m_lastSentMsg = MSG{hWnd, nMessage, wParam, lParam, 0, {}};
    LRESULT lResult = 0;
    CTkHookManager* pManager = GetHookManager();
    CTkHookManager::CHookSink* pSink = pManager->Lookup(hWnd);
    if (pSink != nullptr) {
        // The sink may be freed while the watchers run: the procedure to call is kept here.
        const WNDPROC pfnOldProc = pSink->m_pfnOldProc;
        const BOOL bUnicode = pSink->m_bUnicode;
        auto callOld = [&] {
            return bUnicode ? ::CallWindowProcW(pfnOldProc, hWnd, nMessage, wParam, lParam)
                            : ::CallWindowProcA(pfnOldProc, hWnd, nMessage, wParam, lParam);
        };
        try {
            if (nMessage == WM_NCDESTROY) {
                pManager->DetachForDestroy(pSink);
                lResult = callOld();
            } else {
                ++pSink->m_nDispatchDepth;
                BOOL bHandled = FALSE;
                try {
                    bHandled = pSink->OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
                } catch (...) {
                    bHandled = FALSE;
                }
                pManager->EndDispatch(pSink);
                if (!bHandled)
                    lResult = callOld();
            }
        } catch (...) {
            // Nothing may leave a window procedure.
        }
    }
    pState->m_lastSentMsg = savedMsg;
    return lResult;
}
