#include "TkMouseManager.h"

#include "TkCommandBar.h"
#include "TkCommandBarsDefs.h"
#include "TkWindowFunctions.h"

#include <algorithm>

namespace {

// The last position the mouse hook saw, in screen coordinates; (-1, -1) when none. Process-wide: only
// the thread that tracks popups writes it.
CPoint s_ptLastMouse(-1, -1);

constexpr UINT kMouseLeaveInterval = 50;  // ms

BOOL IsMove(UINT nMessage) {
    return nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE;
}

BOOL IsButtonDown(UINT nMessage) {
    switch (nMessage) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            return TRUE;
        default:
            return FALSE;
    }
}

// Input-method windows (composition and candidate lists) keep the menus open like trusted windows.
BOOL IsImeWindowAt(CPoint pt) {
    HWND hWnd = ::WindowFromPoint(pt);
    return hWnd != nullptr && (::GetClassLongPtrW(hWnd, GCL_STYLE) & CS_IME) != 0;
}

}  // namespace

CTkMouseManager* CreateMouseManager() {
    static CThreadLocal<CTkMouseManager> s_managers;
    return s_managers.GetData();
}

CTkMouseManager::CTkMouseManager() {
    SetMouseHook(TRUE);
}

CTkMouseManager::~CTkMouseManager() {
    SetMouseHook(FALSE);
    if (m_hwndMouseLeave != nullptr && ::IsWindow(m_hwndMouseLeave))
        ::KillTimer(m_hwndMouseLeave, kTimerMouseLeave);
}

void CTkMouseManager::SetMouseHook(BOOL bOn) {
    if (bOn && m_hMouseHook == nullptr) {
        m_hMouseHook = ::SetWindowsHookExW(WH_MOUSE, MouseHookProc, nullptr, ::GetCurrentThreadId());
    } else if (!bOn && m_hMouseHook != nullptr) {
        ::UnhookWindowsHookEx(m_hMouseHook);
        m_hMouseHook = nullptr;
    }
}

// ---- Tracked bars

void CTkMouseManager::AddTrackedBar(CTkCommandBar* pBar) {
    // Entering a menu takes the hover highlight away from the bar that had it.
    if (m_trackedBars.empty() && m_pHotBar != nullptr && m_pHotBar != pBar)
        m_pHotBar->ClearSelection();
    if (std::find(m_trackedBars.begin(), m_trackedBars.end(), pBar) == m_trackedBars.end())
        m_trackedBars.push_back(pBar);
}

void CTkMouseManager::ResetLastMousePoint() {
    s_ptLastMouse = CPoint(-1, -1);
}

void CTkMouseManager::RemoveTrackedBar(CTkCommandBar* pBar) {
    auto it = std::find(m_trackedBars.begin(), m_trackedBars.end(), pBar);
    if (it != m_trackedBars.end())
        m_trackedBars.erase(it);
    if (m_trackedBars.empty()) {
        // The window under the pointer has not heard of the menus' end: a move in place tells it.
        s_ptLastMouse = CPoint(-1, -1);
        POINT pt;
        if (::GetCursorPos(&pt))
            ::SetCursorPos(pt.x, pt.y);
        m_bSwallowButtonUp = FALSE;
    }
}

int CTkMouseManager::GetTrackedCount() const {
    return static_cast<int>(m_trackedBars.size());
}

CTkCommandBar* CTkMouseManager::GetLastTrackedBar() const {
    return m_trackedBars.empty() ? nullptr : m_trackedBars.back();
}

BOOL CTkMouseManager::IsTrackingOtherBar(CTkCommandBar* pBar) const {
    if (m_trackedBars.empty())
        return FALSE;
    if (pBar == nullptr || pBar->GetLockCount() > 0)
        return TRUE;
    return std::find(m_trackedBars.begin(), m_trackedBars.end(), pBar) == m_trackedBars.end();
}

void CTkMouseManager::CloseAllTracked() {
    // Each EndTracking removes its bar; a bar that refuses to leave must not hold the loop.
    while (!m_trackedBars.empty()) {
        CTkCommandBar* pFirst = m_trackedBars.front();
        pFirst->EndTracking();
        if (!m_trackedBars.empty() && m_trackedBars.front() == pFirst)
            RemoveTrackedBar(pFirst);
    }
}

void CTkMouseManager::LockTrackedBars(BOOL bLock) {
    for (CTkCommandBar* pBar : m_trackedBars)
        pBar->ModifyLockCount(bLock ? 1 : -1);
}

void CTkMouseManager::CloseUnlockedPopups() {
    if (m_trackedBars.empty() || m_trackedBars.front()->GetLockCount() == 0)
        return;
    const CTrackArray bars = m_trackedBars;
    for (CTkCommandBar* pBar : bars) {
        if (std::find(m_trackedBars.begin(), m_trackedBars.end(), pBar) != m_trackedBars.end() &&
            pBar->GetLockCount() == 0)
            pBar->EndTracking();
    }
}

BOOL CTkMouseManager::IsBarAtPoint(CTkCommandBar* pBar, CPoint pt) {
    if (pBar->GetSafeHwnd() == nullptr)
        return FALSE;
    const int nHit = pBar->HitTestBar(pt.x, pt.y);
    if (nHit == 1)
        return TRUE;
    return nHit != -2 && ::IsChild(pBar->GetSafeHwnd(), ::WindowFromPoint(pt));
}

CTkCommandBar* CTkMouseManager::FindTrackedBarAtPoint(CPoint pt) const {
    for (auto it = m_trackedBars.rbegin(); it != m_trackedBars.rend(); ++it) {
        if (IsBarAtPoint(*it, pt))
            return *it;
    }
    return nullptr;
}

BOOL CTkMouseManager::IsInTrustedWindow(CPoint pt) const {
    for (HWND hWnd : m_trustedWindows) {
        if (::IsWindowVisible(hWnd) && MakeWindowRectFromHandle(hWnd).PtInRect(pt))
            return TRUE;
    }
    return FALSE;
}

BOOL CTkMouseManager::EndsTracking(CTkCommandBar* pBar, const MSG* pMsg) const {
    if (!IsButtonDown(pMsg->message) || pMsg->message == WM_NCMBUTTONDOWN)
        return FALSE;
    const CPoint pt = pMsg->pt;
    if (CTkCommandBar* pFound = FindTrackedBarAtPoint(pt)) {
        // A click in a popup that is locked under a recursive one ends the recursive one.
        if (!(pFound->GetLockCount() > 0 && pBar->GetLockCount() == 0))
            return FALSE;
    }
    if (m_trackedBars.empty())
        return TRUE;
    return !IsInTrustedWindow(pt) && !IsImeWindowAt(pt);
}

void CTkMouseManager::ForgetBar(CTkCommandBar* pBar) {
    auto it = std::find(m_trackedBars.begin(), m_trackedBars.end(), pBar);
    if (it != m_trackedBars.end())
        RemoveTrackedBar(pBar);
    if (m_pHotBar == pBar)
        m_pHotBar = nullptr;
}

// ---- Trusted windows

void CTkMouseManager::AddTrustedWindow(HWND hWnd) {
    if (std::find(m_trustedWindows.begin(), m_trustedWindows.end(), hWnd) == m_trustedWindows.end())
        m_trustedWindows.push_back(hWnd);
}

void CTkMouseManager::RemoveTrustedWindow(HWND hWnd) {
    m_trustedWindows.erase(std::remove(m_trustedWindows.begin(), m_trustedWindows.end(), hWnd), m_trustedWindows.end());
}

// ---- Mouse leave

void CTkMouseManager::TrackMouseLeave(HWND hWnd) {
    if (hWnd == m_hwndMouseLeave)
        return;
    if (m_hwndMouseLeave != nullptr && ::IsWindow(m_hwndMouseLeave)) {
        ::KillTimer(m_hwndMouseLeave, kTimerMouseLeave);
        ::SendMessageW(m_hwndMouseLeave, WM_MOUSELEAVE, 0, 0);
    }
    m_hwndMouseLeave = hWnd;
    if (hWnd != nullptr)
        ::SetTimer(hWnd, kTimerMouseLeave, kMouseLeaveInterval, MouseLeaveTimerProc);
}

void CALLBACK CTkMouseManager::MouseLeaveTimerProc(HWND hWnd, UINT, UINT_PTR nIdEvent, DWORD) {
    CTkMouseManager* pManager = CreateMouseManager();
    if (hWnd != pManager->m_hwndMouseLeave) {
        ::KillTimer(hWnd, nIdEvent);
        return;
    }
    POINT pt;
    ::GetCursorPos(&pt);
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE));
    const BOOL bTopLevel = (dwStyle & WS_CHILD) == 0;
    if (MakeWindowRectFromHandle(hWnd).PtInRect(pt) &&
        (bTopLevel || (dwStyle & WS_POPUP) != 0 || IsTopLevelWindowActive(hWnd)))
        return;
    ::KillTimer(hWnd, nIdEvent);
    pManager->m_hwndMouseLeave = nullptr;
    ::PostMessageW(hWnd, WM_MOUSELEAVE, 0, 0);
}

// ---- The mouse hook

LRESULT CALLBACK CTkMouseManager::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HC_ACTION) {
        const auto* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (CreateMouseManager()->OnMouseHook(static_cast<UINT>(wParam), pInfo->pt))
            return 1;
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

BOOL CTkMouseManager::OnMouseHook(UINT nMessage, CPoint pt) {
    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN)
        m_bSwallowButtonUp = FALSE;
    if ((nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) && m_bSwallowButtonUp) {
        m_bSwallowButtonUp = FALSE;
        return TRUE;
    }
    // Windows repeats a move in place when windows appear under a still pointer: not a move.
    if (!m_trackedBars.empty() && IsMove(nMessage) && pt == s_ptLastMouse)
        return TRUE;
    s_ptLastMouse = pt;
    if (!m_trackedBars.empty())
        DispatchMouseEvent(nMessage, pt);
    return FALSE;
}

void CTkMouseManager::DispatchMouseEvent(UINT nMessage, CPoint pt) {
    for (auto it = m_trackedBars.rbegin(); it != m_trackedBars.rend(); ++it) {
        if (!IsBarAtPoint(*it, pt))
            continue;
        // A click into a popup locked under a recursive one closes the recursive one.
        if ((*it)->GetLockCount() > 0 && !IsMove(nMessage) && !m_bSwallowButtonUp) {
            CloseUnlockedPopups();
            s_ptLastMouse = CPoint(0, 0);
        }
        return;
    }
    if (IsInTrustedWindow(pt) || IsImeWindowAt(pt))
        return;

    if (IsMove(nMessage)) {
        // The tracking bars keep their hot control current while the pointer is elsewhere.
        const CTrackArray bars = m_trackedBars;
        for (CTkCommandBar* pBar : bars) {
            if (std::find(m_trackedBars.begin(), m_trackedBars.end(), pBar) == m_trackedBars.end() ||
                pBar->GetLockCount() > 0 || pBar->GetSafeHwnd() == nullptr)
                continue;
            CPoint ptClient = pt;
            pBar->ScreenToClient(&ptClient);
            pBar->OnMouseMove(0, ptClient);
        }
    } else if (IsButtonDown(nMessage)) {
        CloseAllTracked();
    } else if ((nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) && m_nLock == 0) {
        CloseAllTracked();
    }
}
