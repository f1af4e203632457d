#pragma once
#include "TkModuleHandle.h"

// Work and screen areas of the monitor that holds a window, a point or a rectangle. The monitor
// functions are bound by name from user32, all five or none, so the program also runs where they are
// missing; then every query answers the primary screen (the system work area, or the full screen).
// Bound once on first use; UI thread.

class MultiMonitorHelper {
public:
    MultiMonitorHelper();

    CRect GetWorkAreaOfWindow(HWND hWnd) const;
    CRect GetWorkAreaOfWnd(const CWnd* pWnd) const;
    CRect GetWorkAreaAtPoint(POINT pt) const;
    CRect GetWorkAreaOfRect(const RECT* pRect) const;
    CRect GetWorkAreaAtCursor() const;
    CRect GetScreenAreaAtPoint(POINT pt) const;
    CRect GetScreenAreaOfRect(const RECT* pRect) const;

    // TRUE when all five monitor functions are bound.
    BOOL IsBound() const { return m_pfnGetMonitorInfo != nullptr; }

private:
    // The work area (bWork) or the whole area of hMonitor; the primary screen's when hMonitor is NULL
    // or the information cannot be had.
    CRect AreaOf(HMONITOR hMonitor, bool bWork) const;

    int(WINAPI* m_pfnGetSystemMetrics)(int) = nullptr;
    HMONITOR(WINAPI* m_pfnMonitorFromWindow)(HWND, DWORD) = nullptr;
    HMONITOR(WINAPI* m_pfnMonitorFromRect)(LPCRECT, DWORD) = nullptr;
    HMONITOR(WINAPI* m_pfnMonitorFromPoint)(POINT, DWORD) = nullptr;
    BOOL(WINAPI* m_pfnGetMonitorInfo)(HMONITOR, LPMONITORINFO) = nullptr;
    CTkModuleHandle m_user32;
};

const MultiMonitorHelper* GetMultiMonitorHelper();
