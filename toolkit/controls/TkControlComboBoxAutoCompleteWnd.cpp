#include "TkControlComboBoxAutoCompleteWnd.h"

#include "TkCommandBarsDefs.h"
#include "TkKeyboardManager.h"
#include "TkMouseManager.h"

namespace {

const wchar_t kSuggestionClassName[] = L"Auto-Suggest Dropdown";
// The answer to a wheel message while the suggestions show: no further sink, the window's own handler runs.
constexpr int kWheelAnswer = kHookStop;

CTkControlComboBoxAutoCompleteWnd* g_pActiveTracker = nullptr;
HHOOK g_hCallWndProcHook = nullptr;

BOOL IsSuggestionWindow(HWND hWnd) {
    wchar_t szClass[64] = {};
    return ::GetClassNameW(hWnd, szClass, static_cast<int>(std::size(szClass))) > 0 &&
           wcscmp(szClass, kSuggestionClassName) == 0;
}

}  // namespace

CTkControlComboBoxAutoCompleteWnd::~CTkControlComboBoxAutoCompleteWnd() {
    // The hook is process-wide state: a deleted tracker must never be reached from it.
    Deactivate();
}

CTkControlComboBoxAutoCompleteWnd* CTkControlComboBoxAutoCompleteWnd::GetActive() {
    return g_pActiveTracker;
}

BOOL CTkControlComboBoxAutoCompleteWnd::IsActive() const {
    return g_pActiveTracker == this;
}

BOOL CTkControlComboBoxAutoCompleteWnd::Activate() {
    if (IsActive())
        return TRUE;
    if (g_pActiveTracker != nullptr)
        g_pActiveTracker->Deactivate();
    g_hCallWndProcHook = ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndProc, nullptr, ::GetCurrentThreadId());
    if (g_hCallWndProcHook == nullptr)
        return FALSE;
    g_pActiveTracker = this;
    CreateKeyboardManager()->AddSink(this);
    return TRUE;
}

void CTkControlComboBoxAutoCompleteWnd::Deactivate() {
    if (!IsActive())
        return;
    ::UnhookWindowsHookEx(g_hCallWndProcHook);
    g_hCallWndProcHook = nullptr;
    g_pActiveTracker = nullptr;
    CreateKeyboardManager()->RemoveSink(this);
    if (m_hwndSuggestion != nullptr) {
        CreateMouseManager()->RemoveTrustedWindow(m_hwndSuggestion);
        m_hwndSuggestion = nullptr;
    }
}

void CTkControlComboBoxAutoCompleteWnd::HideSuggestionWindow() {
    if (m_hwndSuggestion != nullptr && ::IsWindowVisible(m_hwndSuggestion))
        ::ShowWindow(m_hwndSuggestion, SW_HIDE);
}

LRESULT CALLBACK CTkControlComboBoxAutoCompleteWnd::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam) {
    const HHOOK hHook = g_hCallWndProcHook;
    if (nCode == HC_ACTION && g_pActiveTracker != nullptr) {
        const auto* pMessage = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (pMessage->message == WM_WINDOWPOSCHANGING)
            g_pActiveTracker->OnWindowPosChanging(pMessage->hwnd, reinterpret_cast<const WINDOWPOS*>(pMessage->lParam));
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

void CTkControlComboBoxAutoCompleteWnd::OnWindowPosChanging(HWND hWnd, const WINDOWPOS* pPos) {
    if (pPos == nullptr)
        return;
    if ((pPos->flags & SWP_SHOWWINDOW) && hWnd != m_hwndSuggestion && IsSuggestionWindow(hWnd)) {
        if (m_hwndSuggestion != nullptr)
            CreateMouseManager()->RemoveTrustedWindow(m_hwndSuggestion);
        m_hwndSuggestion = hWnd;
        CreateMouseManager()->AddTrustedWindow(hWnd);
        ::PostMessageW(m_hwndEdit, AutoSuggestShownMessage, 0, 0);
    } else if ((pPos->flags & SWP_HIDEWINDOW) && hWnd == m_hwndSuggestion) {
        CreateMouseManager()->RemoveTrustedWindow(hWnd);
        m_hwndSuggestion = nullptr;
    }
}

int CTkControlComboBoxAutoCompleteWnd::OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&) {
    if (m_hwndSuggestion == nullptr || !::IsWindowVisible(m_hwndSuggestion))
        return kHookNotHandled;
    if (nMessage == WM_MOUSEWHEEL)
        return kWheelAnswer;
    if (nMessage != WM_KEYDOWN || ::GetKeyState(VK_MENU) < 0)
        return kHookNotHandled;
    switch (wParam) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_UP:
        case VK_DOWN: {
            // The suggestions are the second child of the window's first child.
            HWND hwndFirst = ::GetWindow(m_hwndSuggestion, GW_CHILD);
            HWND hwndList = hwndFirst != nullptr ? ::GetWindow(::GetWindow(hwndFirst, GW_CHILD), GW_HWNDNEXT) : nullptr;
            if (hwndList == nullptr)
                return kHookNotHandled;
            MSG msg{hwndList, WM_KEYDOWN, wParam, 0, 0, {0, 0}};
            ::IsDialogMessageW(hwndList, &msg);
            return kHookHandled;
        }
        default:
            return kHookNotHandled;
    }
}

std::unique_ptr<CTkControlComboBoxAutoCompleteWnd> AttachShellAutoComplete(HWND hwndEdit, DWORD dwFlags) {
    // Loaded once and kept: the completion object attached to the edit calls into the library.
    static const HMODULE hShell = ::LoadLibraryA("shlwapi.dll");
    if (hShell == nullptr)
        return nullptr;
    using AutoCompleteFunction = HRESULT(WINAPI*)(HWND, DWORD);
    const auto pfnAutoComplete =
        reinterpret_cast<AutoCompleteFunction>(reinterpret_cast<void*>(::GetProcAddress(hShell, "SHAutoComplete")));
    if (pfnAutoComplete == nullptr)
        return nullptr;
    if (FAILED(pfnAutoComplete(hwndEdit, dwFlags)))
        return nullptr;
    auto pTracker = std::make_unique<CTkControlComboBoxAutoCompleteWnd>(hwndEdit);
    if (::GetFocus() == hwndEdit)
        pTracker->Activate();
    return pTracker;
}
