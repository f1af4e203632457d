// The scroll bar's tracking loop: from a press until the release, the mouse belongs to the bar.
//
//   press on an arrow or the track --> repeating: the command runs at once and, while the mouse stays in
//       the part, again after 4/5 of the double-click time and then every tenth of it
//   press on the thumb (or Shift and the track) --> dragging: the thumb follows the mouse while it is
//       near the bar, and goes back to where it started while it is far away
//   release, lost capture, WM_QUIT, the host's destruction, the bar leaving its viewer --> ended

#include "TkMarkupScrollBar.h"

#include "TkMarkupScrollViewer.h"

namespace {

UINT FirstRepeatDelay() {
    return ::GetDoubleClickTime() * 4 / 5;
}

UINT RepeatDelay() {
    return ::GetDoubleClickTime() / 10;
}

}  // namespace

void CTkMarkupScrollBar::Track(HWND hWnd, CPoint pt, BOOL bShift) {
    const ScrollBarGeometry& g = m_geometry;
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return;
    auto tracking = std::make_unique<Tracking>();
    tracking->hWnd = hWnd;
    const int q = Along(pt);
    int nPart = kScrollPartThumb;
    if (q < g.nFirstArrowEnd) {
        nPart = kScrollPartFirstArrow;
        tracking->nCommand = SB_LINEUP;
        tracking->rcPart = AlongRect(g.nStart, g.nFirstArrowEnd);
    } else if (q < g.nSecondArrowStart && q < g.nThumbStart) {
        nPart = kScrollPartTrackBefore;
        tracking->nCommand = SB_PAGEUP;
        tracking->rcPart = AlongRect(g.nFirstArrowEnd, g.nThumbStart);
    } else if (q < g.nSecondArrowStart && q < g.nThumbEnd) {
        nPart = kScrollPartThumb;
    } else if (q < g.nSecondArrowStart) {
        nPart = kScrollPartTrackAfter;
        tracking->nCommand = SB_PAGEDOWN;
        tracking->rcPart = AlongRect(g.nThumbEnd, g.nSecondArrowStart);
    } else {
        nPart = kScrollPartSecondArrow;
        tracking->nCommand = SB_LINEDOWN;
        tracking->rcPart = AlongRect(g.nSecondArrowStart, g.nEnd);
    }
    const BOOL bJump = bShift && (nPart == kScrollPartTrackBefore || nPart == kScrollPartTrackAfter);
    if (nPart == kScrollPartThumb || bJump) {
        // A thumb that fills the room between the arrows has nowhere to go.
        if (g.nThumbSize >= g.nSecondArrowStart - g.nFirstArrowEnd)
            return;
        nPart = kScrollPartThumb;
        tracking->nCommand = SB_THUMBPOSITION;
        tracking->bThumbDrag = TRUE;
        tracking->rcPart = CTkScrollBase::CalcThumbDragRect(g);
        tracking->nDragOffset = bJump ? -g.nThumbSize / 2 : g.nThumbStart - q;
        tracking->nLastThumbPixel = g.nThumbStart;
        tracking->nPos = m_scrollInfo.nPos;
        m_geometry.nDragStartThumb = g.nThumbStart;
    }
    // The loop dispatches messages that may release either: both are held until it ends.
    const auto self = CTkMarkupPtr<CTkMarkupScrollBar>::Retain(this);
    const auto viewer = CTkMarkupPtr<CTkMarkupScrollViewer>::Retain(GetViewer());
    if (!viewer)
        return;
    m_geometry.nHitPart = nPart;
    m_pTracking = std::move(tracking);
    if (m_pTracking->bThumbDrag)
        ScrollViewer(SB_THUMBTRACK, m_pTracking->nPos);
    ::SetCapture(hWnd);
    if (m_pTracking->bThumbDrag)
        TrackThumb(WM_LBUTTONDOWN, MK_LBUTTON, pt);
    else
        TrackPart(WM_LBUTTONDOWN, pt, FirstRepeatDelay());
    RunTrackingLoop(viewer.Get());
    if (::IsWindow(hWnd)) {
        POINT ptCursor = {};
        ::GetCursorPos(&ptCursor);
        ::ScreenToClient(hWnd, &ptCursor);
        m_geometry.nHitPart = HitTestMarkupScrollBar(m_geometry, IsEnabled(), ClientToBar(ptCursor));
        InvalidateVisual();
    }
}

void CTkMarkupScrollBar::RunTrackingLoop(CTkMarkupScrollViewer* pViewer) {
    const HWND hWnd = m_pTracking->hWnd;
    MSG msg = {};
    while (m_pTracking != nullptr && ::GetCapture() == hWnd) {
        // What moved is shown before the next input is taken. A quit comes through any filter.
        BOOL bQuit = FALSE;
        while (!bQuit && ::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
            bQuit = msg.message == WM_QUIT;
            if (!bQuit)
                ::DispatchMessageW(&msg);
        }
        if (!::IsWindow(hWnd) || pViewer->GetScrollBar(m_nOrientation) != this)
            break;
        const BOOL bResult = bQuit ? 0 : ::GetMessageW(&msg, nullptr, 0, 0);
        if (bResult <= 0) {
            // The quit belongs to the thread's own loop: back it goes.
            if (bResult == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            EndTracking(TRUE);
            return;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kRepeatTimer) {
            RepeatStep();
        } else if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
            // The wheel, whose point is on the screen, is no part of a press.
            if (msg.message != WM_MOUSEWHEEL && msg.message != WM_MOUSEHWHEEL) {
                CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
                if (msg.hwnd != hWnd)
                    ::MapWindowPoints(msg.hwnd, hWnd, &pt, 1);
                OnTrackingMouse(msg.message, msg.wParam, ClientToBar(pt));
            }
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (!::IsWindow(hWnd) || pViewer->GetScrollBar(m_nOrientation) != this)
            break;
    }
    // Ended by the host's destruction, by the bar leaving its viewer or by a capture taken elsewhere: the
    // viewer hears the end only while the bar is still its own.
    if (m_pTracking != nullptr)
        EndTracking(::IsWindow(hWnd) && pViewer->GetScrollBar(m_nOrientation) == this);
}

void CTkMarkupScrollBar::OnTrackingMouse(UINT message, WPARAM wParam, CPoint pt) {
    if (m_pTracking->bThumbDrag)
        TrackThumb(message, wParam, pt);
    else
        TrackPart(message, pt, RepeatDelay());
}

void CTkMarkupScrollBar::TrackPart(UINT message, CPoint pt, UINT nDelay) {
    Tracking& tracking = *m_pTracking;
    // The track's part ends at the thumb, which moves as the page commands run.
    if (tracking.nCommand == SB_PAGEUP)
        tracking.rcPart = AlongRect(m_geometry.nFirstArrowEnd, m_geometry.nThumbStart);
    else if (tracking.nCommand == SB_PAGEDOWN)
        tracking.rcPart = AlongRect(m_geometry.nThumbEnd, m_geometry.nSecondArrowStart);
    const BOOL bWasInside = tracking.bInside;
    tracking.bInside = tracking.rcPart.PtInRect(pt);
    if (tracking.bInside != bWasInside)
        InvalidateVisual();
    if (message == WM_LBUTTONUP) {
        EndTracking(TRUE);
        return;
    }
    if (tracking.bInside && !bWasInside) {
        ::SetTimer(tracking.hWnd, kRepeatTimer, nDelay, nullptr);
        tracking.bTimer = TRUE;
        ScrollViewer(tracking.nCommand, 0);
    }
}

void CTkMarkupScrollBar::RepeatStep() {
    Tracking& tracking = *m_pTracking;
    if (tracking.bThumbDrag)
        return;
    POINT ptCursor = {};
    ::GetCursorPos(&ptCursor);
    ::ScreenToClient(tracking.hWnd, &ptCursor);
    const CPoint pt = ClientToBar(ptCursor);
    if (tracking.nCommand == SB_PAGEUP)
        tracking.rcPart = AlongRect(m_geometry.nFirstArrowEnd, m_geometry.nThumbStart);
    else if (tracking.nCommand == SB_PAGEDOWN)
        tracking.rcPart = AlongRect(m_geometry.nThumbEnd, m_geometry.nSecondArrowStart);
    const BOOL bWasInside = tracking.bInside;
    tracking.bInside = tracking.rcPart.PtInRect(pt);
    if (tracking.bInside != bWasInside)
        InvalidateVisual();
    if (!tracking.bInside)
        return;
    ::SetTimer(tracking.hWnd, kRepeatTimer, RepeatDelay(), nullptr);
    tracking.bTimer = TRUE;
    ScrollViewer(tracking.nCommand, 0);
}

void CTkMarkupScrollBar::TrackThumb(UINT message, WPARAM wParam, CPoint pt) {
    Tracking& tracking = *m_pTracking;
    const ScrollBarGeometry& g = m_geometry;
    int nPixel = g.nDragStartThumb;
    if (tracking.rcPart.PtInRect(pt))
        nPixel = std::clamp(Along(pt) + tracking.nDragOffset, g.nTrackStart, g.nTrackStart + g.nTravel);
    MoveThumb(nPixel);
    if (message == WM_LBUTTONUP || (message == WM_MOUSEMOVE && (wParam & MK_LBUTTON) == 0))
        EndTracking(TRUE);
}

void CTkMarkupScrollBar::MoveThumb(int nPixel) {
    Tracking& tracking = *m_pTracking;
    if (nPixel == tracking.nLastThumbPixel)
        return;
    tracking.nLastThumbPixel = nPixel;
    const int nPos = MarkupScrollPositionFromPixel(m_geometry, nPixel);
    if (nPos != tracking.nPos) {
        tracking.nPos = nPos;
        ScrollViewer(SB_THUMBTRACK, nPos);
    }
    // Scrolling arranged the bar for the new position; the thumb stays under the mouse all the same.
    m_geometry.nThumbStart = nPixel;
    m_geometry.nThumbEnd = nPixel + m_geometry.nThumbSize;
    InvalidateVisual();
}

void CTkMarkupScrollBar::EndTracking(BOOL bNotify) {
    const std::unique_ptr<Tracking> tracking = std::move(m_pTracking);
    if (::GetCapture() == tracking->hWnd)
        ::ReleaseCapture();
    if (tracking->bTimer && ::IsWindow(tracking->hWnd))
        ::KillTimer(tracking->hWnd, kRepeatTimer);
    if (!bNotify)
        return;
    if (tracking->bThumbDrag) {
        ScrollViewer(SB_THUMBPOSITION, tracking->nPos);
        InvalidateVisual();
    }
    ScrollViewer(SB_ENDSCROLL, 0);
}

void CTkMarkupScrollBar::ScrollViewer(int nCommand, int nPosition) {
    if (CTkMarkupScrollViewer* pViewer = GetViewer())
        pViewer->Scroll(m_nOrientation, nCommand, nPosition);
}
