#include "MultiMonitorHelper.h"

#include "OSVersionInfo.h"

static_assert(sizeof(MONITORINFO) == 40, "MONITORINFO keeps its size on both word sizes");

namespace {

// MONITOR_DEFAULTTONULL: no monitor means the fallback, not the nearest one.
constexpr DWORD kNoDefaultMonitor = 0;

}  // namespace

MultiMonitorHelper::MultiMonitorHelper() : m_user32(L"User32.dll") {
    const bool bBound =
        m_user32.GetProcAddress(&m_pfnGetSystemMetrics, "GetSystemMetrics") &&
        m_user32.GetProcAddress(&m_pfnMonitorFromWindow, "MonitorFromWindow") &&
        m_user32.GetProcAddress(&m_pfnMonitorFromRect, "MonitorFromRect") &&
        m_user32.GetProcAddress(&m_pfnMonitorFromPoint, "MonitorFromPoint") &&
        m_user32.GetProcAddress(&m_pfnGetMonitorInfo,
                                GetOSVersionInfo()->IsWinNT4OrLater() ? "GetMonitorInfoW" : "GetMonitorInfoA");
    if (!bBound) {
        m_pfnGetSystemMetrics = nullptr;
        m_pfnMonitorFromWindow = nullptr;
        m_pfnMonitorFromRect = nullptr;
        m_pfnMonitorFromPoint = nullptr;
        m_pfnGetMonitorInfo = nullptr;
    }
}

CRect MultiMonitorHelper::AreaOf(HMONITOR hMonitor, bool bWork) const {
    if (hMonitor != nullptr && IsBound()) {
        MONITORINFO info = {};
        info.cbSize = sizeof(MONITORINFO);
        if (m_pfnGetMonitorInfo(hMonitor, &info))
            return bWork ? CRect(info.rcWork) : CRect(info.rcMonitor);
    }
    if (bWork) {
        CRect rcWork;
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
        return rcWork;
    }
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

CRect MultiMonitorHelper::GetWorkAreaOfWindow(HWND hWnd) const {
    return AreaOf(IsBound() ? m_pfnMonitorFromWindow(hWnd, kNoDefaultMonitor) : nullptr, true);
}

CRect MultiMonitorHelper::GetWorkAreaOfWnd(const CWnd* pWnd) const {
    return GetWorkAreaOfWindow(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr);
}

CRect MultiMonitorHelper::GetWorkAreaAtPoint(POINT pt) const {
    return AreaOf(IsBound() ? m_pfnMonitorFromPoint(pt, kNoDefaultMonitor) : nullptr, true);
}

CRect MultiMonitorHelper::GetWorkAreaOfRect(const RECT* pRect) const {
    return AreaOf(IsBound() ? m_pfnMonitorFromRect(pRect, kNoDefaultMonitor) : nullptr, true);
}

CRect MultiMonitorHelper::GetWorkAreaAtCursor() const {
    POINT pt = {};
    ::GetCursorPos(&pt);
    return GetWorkAreaAtPoint(pt);
}

CRect MultiMonitorHelper::GetScreenAreaAtPoint(POINT pt) const {
    return AreaOf(IsBound() ? m_pfnMonitorFromPoint(pt, kNoDefaultMonitor) : nullptr, false);
}

CRect MultiMonitorHelper::GetScreenAreaOfRect(const RECT* pRect) const {
    return AreaOf(IsBound() ? m_pfnMonitorFromRect(pRect, kNoDefaultMonitor) : nullptr, false);
}

const MultiMonitorHelper* GetMultiMonitorHelper() {
    static const MultiMonitorHelper helper;
    return &helper;
}
