#include "TkKeyboardManager.h"

#include "TkMouseManager.h"

#include <algorithm>

namespace {

// The key-message bits of a keyboard hook's lParam.
constexpr LPARAM kKeyAltContext = 1 << 29;
constexpr LPARAM kKeyWasDown = 1 << 30;
constexpr LPARAM kKeyReleased = static_cast<LPARAM>(1u << 31);

}  // namespace

CTkKeyboardManager* CreateKeyboardManager() {
    static CThreadLocal<CTkKeyboardManager> s_managers;
    return s_managers.GetData();
}

CTkKeyboardManager::CTkKeyboardManager() = default;

CTkKeyboardManager::~CTkKeyboardManager() {
    SetKeyboardHook(FALSE);
    SetCallWndProcHook(FALSE);
}

void CTkKeyboardManager::AddSink(CTkHookManagerHookAble* pSink) {
    SetKeyboardHook(TRUE);
    SetCallWndProcHook(TRUE);
    if (std::find(m_sinks.begin(), m_sinks.end(), pSink) == m_sinks.end())
        m_sinks.push_back(pSink);
}

void CTkKeyboardManager::RemoveSink(CTkHookManagerHookAble* pSink) {
    auto it = std::find(m_sinks.begin(), m_sinks.end(), pSink);
    if (it == m_sinks.end())
        return;
    m_sinks.erase(it);
    if (m_sinks.empty()) {
        SetKeyboardHook(FALSE);
        SetCallWndProcHook(FALSE);
    }
}

BOOL CTkKeyboardManager::HasSinks() const {
    return !m_sinks.empty();
}

BOOL CTkKeyboardManager::DispatchToSinks(UINT nMessage, WPARAM wParam, LPARAM lParam) {
    // A sink may end its tracking, or go altogether, while it handles the key: the walk runs over a copy
    // and skips sinks that left meanwhile.
    const std::vector<CTkHookManagerHookAble*> sinks = m_sinks;
    for (auto it = sinks.rbegin(); it != sinks.rend(); ++it) {
        if (std::find(m_sinks.begin(), m_sinks.end(), *it) == m_sinks.end())
            continue;
        WPARAM wParamSink = wParam;
        LPARAM lParamSink = lParam;
        LRESULT lResult = 0;
        switch ((*it)->OnHookMessage(nullptr, nMessage, wParamSink, lParamSink, lResult)) {
            case kHookHandled:
                return TRUE;
            case kHookStop:
                return FALSE;
            default:
                break;
        }
    }
    return TRUE;
}

void CTkKeyboardManager::SetKeyboardHook(BOOL bOn) {
    if (bOn && m_hKeyboardHook == nullptr) {
        m_hKeyboardHook =
            ::SetWindowsHookExW(WH_KEYBOARD, KeyboardHookProc, AfxGetInstanceHandle(), ::GetCurrentThreadId());
    } else if (!bOn && m_hKeyboardHook != nullptr) {
        ::UnhookWindowsHookEx(m_hKeyboardHook);
        m_hKeyboardHook = nullptr;
    }
}

void CTkKeyboardManager::SetCallWndProcHook(BOOL bOn) {
    if (bOn && m_hCallWndProcHook == nullptr) {
        m_hCallWndProcHook =
            ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHookProc, AfxGetInstanceHandle(), ::GetCurrentThreadId());
    } else if (!bOn && m_hCallWndProcHook != nullptr) {
        ::UnhookWindowsHookEx(m_hCallWndProcHook);
        m_hCallWndProcHook = nullptr;
    }
}

LRESULT CALLBACK CTkKeyboardManager::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HC_ACTION && CreateKeyboardManager()->OnKeyboardHook(static_cast<UINT>(wParam), lParam))
        return 1;
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

BOOL CTkKeyboardManager::OnKeyboardHook(UINT nKey, LPARAM lParam) {
    if (m_sinks.empty() || (lParam & kKeyReleased) != 0)
        return FALSE;
    if ((lParam & kKeyAltContext) != 0 && nKey == VK_MENU && CreateMouseManager()->m_nLock == 0) {
        // Alt while a menu is open closes every menu; the repeats of a held Alt go on.
        if ((lParam & kKeyWasDown) != 0)
            return FALSE;
        CreateMouseManager()->CloseAllTracked();
        return TRUE;
    }
    return DispatchToSinks(WM_KEYDOWN, nKey, lParam);
}

LRESULT CALLBACK CTkKeyboardManager::CallWndProcHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HC_ACTION) {
        const auto* pMessage = reinterpret_cast<const CWPSTRUCT*>(lParam);
        // Another application took the activation: the menus of this thread close.
        if (pMessage->message == WM_ACTIVATEAPP && pMessage->wParam == FALSE)
            CreateMouseManager()->CloseAllTracked();
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
