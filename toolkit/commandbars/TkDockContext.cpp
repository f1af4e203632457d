#include "TkDockContext.h"

#include "TkCommandBars.h"
#include "TkControlDefs.h"
#include "TkDockBar.h"
#include "TkMouseManager.h"
#include "TkToolBar.h"
#include "TkWindowFunctions.h"

#include <windowsx.h>

#include <algorithm>

namespace {

// The part of a bar that stays on screen.
constexpr int kKeepVisible = 10;
// The side bits of the dock bar positions 0..3.
constexpr DWORD kSideFlags[4] = {kBarFlagDockTop, kBarFlagDockBottom, kBarFlagDockLeft, kBarFlagDockRight};
// The tracking mode of a move.
constexpr int kModeMove = 1;

CRect GetWorkAreaAt(HMONITOR hMonitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (hMonitor != nullptr && ::GetMonitorInfoW(hMonitor, &info))
        return info.rcWork;
    CRect rc;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

}  // namespace

void OffsetRectToPoint(CRect& rc, int x, int y) {
    const int dx = x < rc.left ? x - rc.left : (x > rc.right ? x - rc.right : 0);
    const int dy = y < rc.top ? y - rc.top : (y > rc.bottom ? y - rc.bottom : 0);
    rc.OffsetRect(dx, dy);
}

void CTkDockContext::StartMove(int x, int y) {
    const CRect rcDocked = m_rcDocked;
    const int nDockPosition = m_nLastDockPosition;
    const BOOL bWasDocked = !m_pBar->IsFloating();
    m_nTrackingMode = kModeMove;
    m_ptLast = CPoint(x, y);
    m_pBar->GetWindowRect(&m_rcDrag);
    OffsetRectToPoint(m_rcDrag, x, y);
    m_rcTracking = m_rcDrag;
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
    CTkMouseManager* pMouseManager = CreateMouseManager();
    ++pMouseManager->m_nLock;
    Track();
    --pMouseManager->m_nLock;
    m_nTrackingMode = 0;
    if (m_pBar->IsFloating()) {
        m_ptLastFloating = m_rcTracking.TopLeft();
        // A later double click docks the bar where it was before this drag.
        if (bWasDocked) {
            m_rcDocked = rcDocked;
            m_nLastDockPosition = nDockPosition;
        }
    }
}

void CTkDockContext::StartResize(int nHitCode, int x, int y) {
    m_nTrackingMode = nHitCode;
    m_ptLast = CPoint(x, y);
    m_pBar->GetWindowRect(&m_rcTracking);
    Track();
    m_nTrackingMode = 0;
    m_pBar->GetWindowRect(&m_rcTracking);
    if (m_pBar->IsFloating())
        m_ptLastFloating = m_rcTracking.TopLeft();
    m_pBar->SetMRUWidth(m_rcTracking.Width());
}

void CTkDockContext::Track() {
    if (::GetCapture() != nullptr)
        return;
    m_pBar->SetCapture();
    CTkCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == nullptr) {
        ::ReleaseCapture();
        return;
    }
    const HWND hBar = m_pBar->GetSafeHwnd();
    while (::GetCapture() == hBar) {
        MSG msg;
        // Pending paints go first, so the screen stays current while the bar moves. A quit comes through
        // any filter, the paint peek's too.
        if (!::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE) && ::GetMessageW(&msg, nullptr, 0, 0) == -1)
            break;
        if (msg.message == WM_QUIT) {
            // The quit belongs to the thread's own loop: back it goes.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message == WM_MOUSEMOVE) {
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            if (pt != m_ptLast) {
                if (m_nTrackingMode == kModeMove)
                    MoveTo(pt.x, pt.y);
                else if (m_pBar->IsDialogBar())
                    ResizeDialogBar(pt.x, pt.y);
                else
                    ResizeToolBar(pt.x, pt.y);
            }
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        pCommandBars->FlushDelayedFrameLayout();
    }
    if (::GetCapture() == hBar)
        ::ReleaseCapture();
    pCommandBars->GetCommandBarsOptions()->m_bDirty = TRUE;
}

void CTkDockContext::MoveTo(int x, int y) {
    CTkCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    const CSize delta(x - m_ptLast.x, y - m_ptLast.y);
    m_rcDrag.OffsetRect(delta);
    m_rcTracking.OffsetRect(delta);
    CTkDockBar* pCurrent = m_pBar->GetDockBar();
    CTkDockBar* pDockBar = pCommandBars->FindDockBarNearPoint(x, y, pCurrent);
    const DWORD dwFlags = m_pBar->GetFlags();
    if (pDockBar != nullptr && (dwFlags & kSideFlags[pDockBar->GetPosition()]) != 0) {
        pCommandBars->DockCommandBar(m_pBar, &m_rcDrag, pDockBar);
        if (pDockBar != pCurrent) {
            pCommandBars->RecalcFrameLayout(FALSE);
            m_pBar->GetWindowRect(&m_rcDrag);
        }
    } else if ((dwFlags & kBarFlagFloat) != 0) {
        if (!m_pBar->IsFloating())
            pCommandBars->FloatCommandBar(m_pBar);
        const CSize sz = m_pBar->CalcDynamicSize(0, kLayoutHorizontal | kLayoutMruWidth | kLayoutCommit);
        m_rcTracking = CRect(m_rcTracking.TopLeft(), sz);
        OffsetRectToPoint(m_rcTracking, x, y);
        KeepOnScreen(m_rcTracking);
        m_pBar->SetWindowPos(nullptr, m_rcTracking.left, m_rcTracking.top, m_rcTracking.Width(), m_rcTracking.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_ptLast = CPoint(x, y);
}

void CTkDockContext::KeepOnScreen(CRect& rc) {
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    const CRect rcWork = GetWorkAreaAt(::MonitorFromPoint(ptCursor, MONITOR_DEFAULTTONEAREST));
    if (rc.top > rcWork.bottom - kKeepVisible)
        rc.OffsetRect(0, rcWork.bottom - kKeepVisible - rc.top);
    if (rc.bottom < rcWork.top + kKeepVisible)
        rc.OffsetRect(0, rcWork.top + kKeepVisible - rc.bottom);
    if (rc.left > rcWork.right - kKeepVisible)
        rc.OffsetRect(rcWork.right - kKeepVisible - rc.left, 0);
    if (rc.right < rcWork.left + kKeepVisible)
        rc.OffsetRect(rcWork.left + kKeepVisible - rc.right, 0);
}

void CTkDockContext::ResizeToolBar(int x, int y) {
    const int dx = x - m_ptLast.x;
    const int dy = y - m_ptLast.y;
    m_ptLast = CPoint(x, y);
    CSize sz;
    switch (m_nTrackingMode) {
        case HTLEFT:
            m_rcTracking.left += dx;
            sz = m_pBar->CalcDynamicSize(std::max(0, m_rcTracking.Width()), kLayoutHorizontal | kLayoutCommit);
            break;
        case HTRIGHT:
            m_rcTracking.right += dx;
            sz = m_pBar->CalcDynamicSize(std::max(0, m_rcTracking.Width()), kLayoutHorizontal | kLayoutCommit);
            break;
        case HTTOP:
            m_rcTracking.top += dy;
            sz = m_pBar->CalcDynamicSize(std::max(0, m_rcTracking.Height()),
                                         kLayoutHorizontal | kLayoutLengthY | kLayoutCommit);
            break;
        case HTBOTTOM:
            m_rcTracking.bottom += dy;
            sz = m_pBar->CalcDynamicSize(std::max(0, m_rcTracking.Height()),
                                         kLayoutHorizontal | kLayoutLengthY | kLayoutCommit);
            break;
        default:
            return;
    }
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    if (sz == rcWindow.Size())
        return;
    CRect rc = rcWindow;
    if (m_nTrackingMode == HTLEFT)
        rc = CRect(rcWindow.right - sz.cx, rcWindow.top, rcWindow.right, rcWindow.top + sz.cy);
    else if (m_nTrackingMode == HTTOP)
        rc = CRect(rcWindow.left, rcWindow.bottom - sz.cy, rcWindow.left + sz.cx, rcWindow.bottom);
    else
        rc = CRect(rcWindow.TopLeft(), sz);
    const CRect rcWork = GetWorkAreaAt(::MonitorFromWindow(m_pBar->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST));
    if (rc.right <= rcWork.left)
        rc.OffsetRect(rcWork.left - rc.left, 0);
    else if (rc.left >= rcWork.right)
        rc.OffsetRect(rcWork.right - rc.right, 0);
    if (rc.bottom <= rcWork.top)
        rc.OffsetRect(0, rcWork.top - rc.top);
    else if (rc.top >= rcWork.bottom)
        rc.OffsetRect(0, rcWork.bottom - rc.bottom);
    m_pBar->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_pBar->Redraw();
}

void CTkDockContext::ResizeDialogBar(int x, int y) {
    const int dx = x - m_ptLast.x;
    const int dy = y - m_ptLast.y;
    m_ptLast = CPoint(x, y);
    const int nHit = m_nTrackingMode;
    if (nHit == HTLEFT || nHit == HTTOPLEFT || nHit == HTBOTTOMLEFT)
        m_rcTracking.left += dx;
    if (nHit == HTRIGHT || nHit == HTTOPRIGHT || nHit == HTBOTTOMRIGHT)
        m_rcTracking.right += dx;
    if (nHit == HTTOP || nHit == HTTOPLEFT || nHit == HTTOPRIGHT)
        m_rcTracking.top += dy;
    if (nHit == HTBOTTOM || nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT)
        m_rcTracking.bottom += dy;
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    const CRect rcWork = GetWorkAreaAt(::MonitorFromWindow(m_pBar->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST));
    CRect rcMeet;
    if (m_rcTracking.Size() != rcWindow.Size() && rcMeet.IntersectRect(&m_rcTracking, &rcWork)) {
        m_pBar->ResizeFromTracker(m_rcTracking, nHit);
        m_pBar->Redraw();
    }
}

BOOL CTkDockContext::ToggleDocking() {
    CTkCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == nullptr)
        return FALSE;
    const DWORD dwFlags = m_pBar->GetFlags();
    if (m_pBar->IsFloating()) {
        if ((dwFlags & kBarFlagDockAny) == 0)
            return FALSE;
        CTkDockBar* pDockBar = pCommandBars->GetDockBar(m_nLastDockPosition);
        if (pDockBar == nullptr)
            return FALSE;
        CRect rc = m_rcDocked;
        pDockBar->ClientToScreen(&rc);
        pCommandBars->DockCommandBar(m_pBar, &rc, pDockBar);
        pCommandBars->RecalcFrameLayout(FALSE);
    } else {
        if ((dwFlags & kBarFlagFloat) == 0 || !pCommandBars->GetCommandBarsOptions()->m_bDblClickFloat)
            return FALSE;
        CPoint pt = m_ptLastFloating;
        if (pt.x <= 0 || pt.y <= 0) {
            pt = m_rcDocked.TopLeft();
            if (CTkDockBar* pDockBar = m_pBar->GetDockBar())
                pDockBar->ClientToScreen(&pt);
        }
        pCommandBars->FloatCommandBar(m_pBar);
        const CSize sz = m_pBar->CalcDynamicSize(0, kLayoutHorizontal | kLayoutMruWidth | kLayoutCommit);
        m_pBar->SetWindowPos(nullptr, pt.x, pt.y, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    pCommandBars->GetCommandBarsOptions()->m_bDirty = TRUE;
    return TRUE;
}
