// The scroll base's members that need the command bars: its geometry from the painter's arrow metrics,
// its look by theme, and the tracking loop.
//
//   press on an arrow or the track --> repeating: the command runs at once and, while the pointer stays
//       in the part, again after 4/5 of the double-click time and then every tenth of it
//   press on the thumb (or in the track with jump) --> dragging: the thumb follows the pointer while it is
//       near the bar, and goes back to where it started while it is far away (unless the thumb is fixed)
//   release, lost capture, WM_QUIT, the window's destruction --> ended

#include "TkScrollBase.h"

#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkScrollBarPaintManager.h"

#include <algorithm>

namespace {

UINT FirstRepeatDelay() {
    return ::GetDoubleClickTime() * 4 / 5;
}

UINT RepeatDelay() {
    return ::GetDoubleClickTime() / 10;
}

// Raises the thread mouse manager's lock for a modal loop: other bars ignore the mouse meanwhile.
class CScopedMouseLock {
public:
    CScopedMouseLock() : m_pManager(CreateMouseManager()) { ++m_pManager->m_nLock; }
    ~CScopedMouseLock() { --m_pManager->m_nLock; }
    CScopedMouseLock(const CScopedMouseLock&) = delete;
    CScopedMouseLock& operator=(const CScopedMouseLock&) = delete;

private:
    CTkMouseManager* m_pManager;
};

}  // namespace

CTkScrollBase::CTkScrollBase() = default;

CTkScrollBase::~CTkScrollBase() = default;

void CTkScrollBase::OnAnimationTimer() {}

void CTkScrollBase::CalcScrollBarInfo(LPCRECT lpRect, ScrollBarGeometry* pGeometry, const SCROLLINFO* pScrollInfo) {
    ScrollBarGeometry& g = *pGeometry;
    const CTkScrollBarPaintManager* pPainter = GetScrollBarPaintManager();
    g.rcBar = *lpRect;
    g.nExtraButtonStart = 0;
    int nArrow = 0;
    if (g.bVertical) {
        g.nStart = lpRect->top;
        g.nEnd = lpRect->bottom;
        g.nCrossStart = lpRect->left;
        g.nCrossEnd = lpRect->right;
        nArrow = pPainter != nullptr ? pPainter->m_nVertArrowHeight : 0;
    } else {
        g.nStart = lpRect->left;
        g.nEnd = lpRect->right;
        g.nCrossStart = lpRect->top;
        g.nCrossEnd = lpRect->bottom;
        nArrow = pPainter != nullptr ? pPainter->m_nHorzArrowWidth : 0;
    }
    const int nFullArrow = nArrow;
    g.nThumbSize = nArrow;
    g.nMin = pScrollInfo->nMin;
    g.nMax = pScrollInfo->nMax;
    g.nPage = static_cast<int>(pScrollInfo->nPage);
    g.nPos = pScrollInfo->nPos;
    const int nRange = g.nMax - g.nMin + 1;
    nArrow = std::min(nArrow, (g.nEnd - g.nStart) / 2);
    g.nFirstArrowEnd = g.nStart + nArrow;
    g.nSecondArrowStart = g.nEnd - nArrow;
    if (g.nPage != 0 && nRange != 0)
        g.nThumbSize = std::max(::MulDiv(g.nSecondArrowStart - g.nFirstArrowEnd, g.nPage, nRange), nFullArrow / 2);
    if (pPainter != nullptr && pPainter->m_nFixedThumbSize != 0)
        g.nThumbSize = pPainter->m_nFixedThumbSize;
    g.nTrackStart = g.nStart + nArrow;
    g.nTravel = g.nEnd - g.nThumbSize - g.nTrackStart - nArrow;
    const int nPage = g.nPage != 0 ? g.nPage : 1;
    g.nThumbStart =
        nRange - nPage != 0 ? ::MulDiv(g.nPos - g.nMin, g.nTravel, nRange - nPage) + g.nTrackStart : g.nTrackStart - 1;
    g.nThumbEnd = g.nThumbStart + g.nThumbSize;
}

void CTkScrollBase::UpdateScrollBarInfo() {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(&info);
    const CRect rc = GetScrollBarRect();
    CalcScrollBarInfo(&rc, &m_geometry, &info);
}

int CTkScrollBase::GetScrollBarStyle() const {
    if (m_nExplicitStyle != kScrollStyleDefault)
        return m_nExplicitStyle;
    const CTkScrollBarPaintManager* pPainter = GetScrollBarPaintManager();
    const int nTheme =
        pPainter != nullptr && pPainter->m_pOwner != nullptr ? pPainter->m_pOwner->m_nThemeNumber : kThemeDefault;
    if (nTheme == kThemeDefault)
        return kScrollStyleFlat;
    if (nTheme == kThemeOffice2007 || nTheme == kThemeRibbon)
        return kScrollStyleOffice2007;
    return kScrollStyleSystem;
}

void CTkScrollBase::TrackScrollBar(CWnd* pWnd, CPoint pt, ScrollBarGeometry* pGeometry, BOOL bJump) {
    const HWND hWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || m_pTracking != nullptr)
        return;
    ScrollBarGeometry& g = *pGeometry;
    ScrollTrackingState tracking;
    tracking.hWnd = hWnd;
    tracking.pGeometry = pGeometry;
    const int c = g.bVertical ? pt.y : pt.x;
    int nPart = kScrollPartThumb;
    if (c < g.nFirstArrowEnd) {
        nPart = kScrollPartFirstArrow;
        tracking.nCommand = SB_LINEUP;
        tracking.rcPart = AlongRect(g, g.nStart, g.nFirstArrowEnd);
    } else if (c < g.nSecondArrowStart) {
        if (c < g.nThumbStart) {
            nPart = kScrollPartTrackBefore;
            tracking.nCommand = SB_PAGEUP;
            tracking.rcPart = AlongRect(g, g.nFirstArrowEnd, g.nThumbStart);
        } else if (c >= g.nThumbEnd) {
            nPart = kScrollPartTrackAfter;
            tracking.nCommand = SB_PAGEDOWN;
            tracking.rcPart = AlongRect(g, g.nThumbEnd, g.nSecondArrowStart);
        }
    } else {
        nPart = kScrollPartSecondArrow;
        tracking.nCommand = SB_LINEDOWN;
        tracking.rcPart = AlongRect(g, g.nSecondArrowStart, g.nEnd);
    }
    const BOOL bJumpToPointer = bJump && (nPart == kScrollPartTrackBefore || nPart == kScrollPartTrackAfter);
    g.nHitPart = nPart;
    if (nPart == kScrollPartThumb || bJumpToPointer) {
        // A thumb that fills the room between the arrows has nowhere to go.
        if (g.nThumbSize >= g.nSecondArrowStart - g.nFirstArrowEnd)
            return;
        g.nHitPart = kScrollPartThumb;
        tracking.nCommand = SB_THUMBPOSITION;
        tracking.rcPart = CalcThumbDragRect(g);
        g.nDragStartThumb = g.nThumbStart;
        tracking.nLastThumbPixel = g.nThumbStart;
        tracking.nTrackPos = tracking.nNewTrackPos = g.nPos;
        tracking.nGrabOffset = bJumpToPointer ? -g.nThumbSize / 2 : g.nThumbStart - c;
        tracking.bThumbDrag = TRUE;
    }
    m_pTracking = &tracking;
    ::SetCapture(hWnd);
    if (tracking.bThumbDrag) {
        DoScroll(SB_THUMBTRACK, tracking.nTrackPos);
        TrackThumb(WM_MOUSEMOVE, MK_LBUTTON, pt);
        RedrawScrollBar();
    } else {
        TrackPart(WM_LBUTTONDOWN, pt, FirstRepeatDelay());
    }
    {
        CScopedMouseLock lock;
        RunTrackingLoop();
    }
    if (m_pTracking != nullptr)
        EndTracking();
    if (tracking.bTimer && ::IsWindow(hWnd))
        ::KillTimer(hWnd, kRepeatTimer);
    m_pTracking = nullptr;
    if (!::IsWindow(hWnd))
        return;
    POINT ptCursor{};
    ::GetCursorPos(&ptCursor);
    ::ScreenToClient(hWnd, &ptCursor);
    g.nHitPart = HitTestGeometry(g, ptCursor);
    RedrawScrollBar();
    if (m_bAnimating)
        RunAnimationLoop(hWnd);
}

void CTkScrollBase::RunTrackingLoop() {
    const HWND hWnd = m_pTracking->hWnd;
    MSG msg{};
    while (m_pTracking != nullptr && ::IsWindow(hWnd) && ::GetCapture() == hWnd) {
        const BOOL bResult = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bResult <= 0) {
            // The quit belongs to the thread's own loop: back it goes.
            if (bResult == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kRepeatTimer) {
            RepeatTick();
        } else if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kAnimationTimer) {
            OnAnimationTimer();
        } else if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && msg.message != WM_MOUSEWHEEL &&
                   msg.message != WM_MOUSEHWHEEL) {
            CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            if (msg.hwnd != hWnd)
                ::MapWindowPoints(msg.hwnd, hWnd, &pt, 1);
            OnTrackingMouse(msg.message, msg.wParam, pt);
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void CTkScrollBase::RunAnimationLoop(HWND hWnd) {
    MSG msg{};
    while (m_bAnimating && ::IsWindow(hWnd)) {
        const BOOL bResult = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bResult <= 0) {
            if (bResult == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kAnimationTimer) {
            OnAnimationTimer();
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void CTkScrollBase::OnTrackingMouse(UINT message, WPARAM wParam, CPoint pt) {
    if (m_pTracking->bThumbDrag)
        TrackThumb(message, wParam, pt);
    else
        TrackPart(message, pt, RepeatDelay());
}

void CTkScrollBase::StartRepeat(UINT nDelay) {
    m_nRepeatElapse = static_cast<int>(nDelay);
    ::SetTimer(m_pTracking->hWnd, kRepeatTimer, nDelay, nullptr);
    m_pTracking->bTimer = TRUE;
    DoScroll(m_pTracking->nCommand, 0);
}

void CTkScrollBase::TrackPart(UINT message, CPoint pt, UINT nDelay) {
    ScrollTrackingState& tracking = *m_pTracking;
    const ScrollBarGeometry& g = *tracking.pGeometry;
    // The track's part ends at the thumb, which moves as the page commands run.
    if (tracking.nCommand == SB_PAGEUP)
        tracking.rcPart = AlongRect(g, g.nFirstArrowEnd, g.nThumbStart);
    else if (tracking.nCommand == SB_PAGEDOWN)
        tracking.rcPart = AlongRect(g, g.nThumbEnd, g.nSecondArrowStart);
    m_ptLastPointer = pt;
    const BOOL bWasInside = tracking.bPressedInside;
    tracking.bPressedInside = tracking.rcPart.PtInRect(pt);
    if (tracking.bPressedInside != bWasInside)
        RedrawScrollBar();
    if (message == WM_LBUTTONUP) {
        EndTracking();
        return;
    }
    if (tracking.bPressedInside && (message == WM_LBUTTONDOWN || !bWasInside))
        StartRepeat(nDelay);
}

void CTkScrollBase::RepeatTick() {
    if (m_pTracking->bThumbDrag)
        return;
    // The pointer's last place is tested again: a page command moves the thumb under it.
    TrackPart(WM_NULL, m_ptLastPointer, RepeatDelay());
    if (m_pTracking != nullptr && m_pTracking->bPressedInside)
        StartRepeat(RepeatDelay());
}

void CTkScrollBase::TrackThumb(UINT message, WPARAM wParam, CPoint pt) {
    ScrollTrackingState& tracking = *m_pTracking;
    ScrollBarGeometry& g = *tracking.pGeometry;
    const CTkScrollBarPaintManager* pPainter = GetScrollBarPaintManager();
    const BOOL bFixedThumb = pPainter != nullptr && pPainter->m_nFixedThumbSize != 0;
    int nPixel = g.nDragStartThumb;
    if (bFixedThumb || tracking.rcPart.PtInRect(pt))
        nPixel = std::clamp<int>((g.bVertical ? pt.y : pt.x) + tracking.nGrabOffset, g.nTrackStart,
                                 g.nTrackStart + g.nTravel);
    if (nPixel != tracking.nLastThumbPixel) {
        tracking.nLastThumbPixel = nPixel;
        // The end of the travel maps to the end value itself, so the last scroll reaches it.
        const int nPos = PositionFromPixel(g, nPixel);
        if (nPos != tracking.nTrackPos) {
            tracking.nTrackPos = tracking.nNewTrackPos = nPos;
            DoScroll(SB_THUMBTRACK, nPos);
        }
        // The deriving class re-arranged the bar for the new position; the thumb stays under the pointer.
        g.nThumbStart = nPixel;
        g.nThumbEnd = nPixel + g.nThumbSize;
        RedrawScrollBar();
    }
    if (message == WM_LBUTTONUP || (message == WM_MOUSEMOVE && (wParam & MK_LBUTTON) == 0))
        EndTracking();
}

void CTkScrollBase::EndTracking() {
    ScrollTrackingState* pTracking = m_pTracking;
    m_pTracking = nullptr;
    if (::GetCapture() == pTracking->hWnd)
        ::ReleaseCapture();
    if (pTracking->bThumbDrag) {
        DoScroll(SB_THUMBPOSITION, pTracking->nTrackPos);
        RedrawScrollBar();
    } else if (pTracking->bTimer && ::IsWindow(pTracking->hWnd)) {
        ::KillTimer(pTracking->hWnd, kRepeatTimer);
        pTracking->bTimer = FALSE;
    }
    DoScroll(SB_ENDSCROLL, 0);
}
