// The CWnd wrappers that take more than one Win32 call.

#include "WinApp.h"
#include "Wnd.h"

namespace {

bool IsChildWindow(HWND hWnd) {
    return (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) != 0;
}

// The parent of a child, the owner of any other window.
HWND ParentOrOwner(HWND hWnd) {
    return IsChildWindow(hWnd) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
}

BOOL ModifyWindowLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(hWnd, nIndex));
    const DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongW(hWnd, nIndex, static_cast<LONG>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

}  // namespace

// ---- Relations

CWnd* CWnd::GetOwner() const {
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}

CWnd* CWnd::GetParentOwner() const {
    HWND hWnd = CheckedHwnd();
    while (hWnd != nullptr && IsChildWindow(hWnd))
        hWnd = ::GetParent(hWnd);
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelParent() const {
    HWND hWnd = CheckedHwnd();
    for (HWND hUp = ParentOrOwner(hWnd); hUp != nullptr; hUp = ParentOrOwner(hWnd))
        hWnd = hUp;
    return FromHandle(hWnd);
}

// ---- Geometry and style

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    CRect rcArea;
    CRect rcCenter;
    if (IsChildWindow(CheckedHwnd())) {
        ::GetClientRect(::GetParent(m_hWnd), &rcArea);
        rcCenter = rcArea;
    } else {
        HWND hCenter = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
        if (hCenter != nullptr && (!::IsWindowVisible(hCenter) || ::IsIconic(hCenter)))
            hCenter = nullptr;
        MONITORINFO monitorInfo = {};
        monitorInfo.cbSize = sizeof(monitorInfo);
        ::GetMonitorInfoW(::MonitorFromWindow(hCenter != nullptr ? hCenter : m_hWnd, MONITOR_DEFAULTTOPRIMARY),
                          &monitorInfo);
        rcArea = monitorInfo.rcWork;
        if (hCenter != nullptr)
            ::GetWindowRect(hCenter, &rcCenter);
        else
            rcCenter = rcArea;
    }

    CRect rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    int x = (rcCenter.left + rcCenter.right) / 2 - rcWindow.Width() / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - rcWindow.Height() / 2;
    if (x + rcWindow.Width() > rcArea.right)
        x = rcArea.right - rcWindow.Width();
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + rcWindow.Height() > rcArea.bottom)
        y = rcArea.bottom - rcWindow.Height();
    if (y < rcArea.top)
        y = rcArea.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyWindowLong(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyWindowLong(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

// ---- Text

void CWnd::GetWindowText(CString& rString) const {
    const int nLength = ::GetWindowTextLengthW(CheckedHwnd());
    const int nCopied = ::GetWindowTextW(m_hWnd, rString.GetBuffer(nLength), nLength + 1);
    rString.ReleaseBuffer(nCopied);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString.Empty();
    HWND hItem = ::GetDlgItem(CheckedHwnd(), nID);
    if (hItem != nullptr) {
        const int nLength = ::GetWindowTextLengthW(hItem);
        const int nCopied = ::GetWindowTextW(hItem, rString.GetBuffer(nLength), nLength + 1);
        rString.ReleaseBuffer(nCopied);
    }
    return rString.GetLength();
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
    if (lpszCaption == nullptr && AfxGetApp() != nullptr)
        lpszCaption = AfxGetApp()->m_pszAppName;
    return ::MessageBoxW(CheckedHwnd(), lpszText, lpszCaption, nType);
}

// ---- Scroll bars

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const {
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(CheckedHwnd(), nBar, lpScrollInfo);
}
