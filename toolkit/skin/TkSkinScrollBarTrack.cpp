#include "TkSkinScrollBarTrack.h"

#include "TkWindowFunctions.h"

#include <windowsx.h>

#include <algorithm>

namespace {

// Dragged this many bar thicknesses off the bar, the thumb goes back to where the drag began.
constexpr int kSnapThicknesses = 8;

bool IsMouseMessage(UINT nMessage) {
    return nMessage >= WM_MOUSEFIRST && nMessage <= WM_MOUSEWHEEL;
}

// One tracking from press to release; the record lives as long as the tracking.
class CScrollBarTracker {
public:
    CScrollBarTracker(CTkSkinScrollBarSite* pSite, SCROLLBARPOSITION* pBar)
        : m_pSite(pSite), m_bar(*pBar), m_pWnd(pSite->GetScrollBarWindow()), m_hWnd(m_pWnd->GetSafeHwnd()) {}

    void Run(POINT pt, BOOL bJump);

private:
    int Along(POINT pt) const { return m_bar.bVertical ? pt.y : pt.x; }
    // The bar's thickness by the span [a, b) along its axis.
    RECT Span(int a, int b) const {
        return m_bar.bVertical ? RECT{m_bar.nCrossStart, a, m_bar.nCrossEnd, b}
                               : RECT{a, m_bar.nCrossStart, b, m_bar.nCrossEnd};
    }
    int PartAt(int nPixel) const;
    BOOL StartThumbDrag(int nMouse, BOOL bJump);
    void Loop();
    void TrackBoxMove(UINT nMessage, POINT pt);
    void ThumbTrackMove(UINT nMessage, WPARAM wParam, POINT pt);
    void OnScrollTimer();
    void MoveThumb(int nPixel);
    void EndScroll();
    void Step() { Notify(m_tracking.nCommand, 0); }
    void Notify(int nCommand, int nPosition);
    void SetRepeat(UINT nElapse);
    void KillRepeat();
    void Redraw() { m_pSite->RedrawScrollBar(&m_bar); }
    // A screen point in the bar's coordinates: the window's for its own bars, the client's for a control.
    POINT ToBar(POINT pt) const;

    CTkSkinScrollBarSite* m_pSite;  // not owned
    SCROLLBARPOSITION& m_bar;
    CWnd* m_pWnd;  // not owned
    HWND m_hWnd;
    SCROLLBARTRACKING m_tracking;
    BOOL m_bEnded = FALSE;
};

int CScrollBarTracker::PartAt(int nPixel) const {
    if (nPixel < m_bar.nFirstArrowEnd)
        return tkSkinScrollFirstArrow;
    if (nPixel >= m_bar.nSecondArrowStart)
        return tkSkinScrollSecondArrow;
    if (nPixel < m_bar.nThumbStart)
        return tkSkinScrollPageBefore;
    return nPixel < m_bar.nThumbEnd ? tkSkinScrollThumb : tkSkinScrollPageAfter;
}

void CScrollBarTracker::Run(POINT pt, BOOL bJump) {
    m_tracking.bVertical = m_bar.bVertical;
    m_tracking.nBar = m_bar.nBar;
    m_tracking.bNonClient = m_bar.nBar != SB_CTL;
    m_tracking.hWndNotify = m_tracking.bNonClient ? m_hWnd : ::GetParent(m_hWnd);
    m_tracking.lParamNotify = m_tracking.bNonClient ? 0 : reinterpret_cast<LPARAM>(m_hWnd);
    m_tracking.pBar = &m_bar;

    const int nMouse = Along(pt);
    const int nPart = PartAt(nMouse);
    switch (nPart) {
        case tkSkinScrollFirstArrow:
            m_tracking.nCommand = SB_LINEUP;
            m_tracking.rcTrack = Span(m_bar.nBarStart, m_bar.nFirstArrowEnd);
            break;
        case tkSkinScrollPageBefore:
            m_tracking.nCommand = SB_PAGEUP;
            m_tracking.rcTrack = Span(m_bar.nFirstArrowEnd, m_bar.nThumbStart);
            break;
        case tkSkinScrollPageAfter:
            m_tracking.nCommand = SB_PAGEDOWN;
            m_tracking.rcTrack = Span(m_bar.nThumbEnd, m_bar.nSecondArrowStart);
            break;
        case tkSkinScrollSecondArrow:
            m_tracking.nCommand = SB_LINEDOWN;
            m_tracking.rcTrack = Span(m_bar.nSecondArrowStart, m_bar.nBarEnd);
            break;
        default:
            break;
    }
    const bool bPage = nPart == tkSkinScrollPageBefore || nPart == tkSkinScrollPageAfter;
    if ((nPart == tkSkinScrollThumb || (bJump && bPage)) && !StartThumbDrag(nMouse, bJump))
        return;

    m_bar.nHotPart = nPart;
    m_pSite->SetScrollBarTracking(&m_tracking);
    ::SetCapture(m_hWnd);
    if (m_tracking.bThumbDrag) {
        Notify(SB_THUMBTRACK, m_bar.nPos);
        ThumbTrackMove(WM_LBUTTONDOWN, MK_LBUTTON, pt);
    } else {
        TrackBoxMove(WM_LBUTTONDOWN, pt);
    }
    Loop();
    // Losing the capture or quitting ends the tracking as a release would.
    if (!m_bEnded)
        EndScroll();
    KillRepeat();
    m_bar.nHotPart = tkSkinScrollNone;
    m_pSite->SetScrollBarTracking(nullptr);
    Redraw();
}

BOOL CScrollBarTracker::StartThumbDrag(int nMouse, BOOL bJump) {
    if (m_bar.nThumbSize >= m_bar.nSecondArrowStart - m_bar.nFirstArrowEnd)
        return FALSE;
    m_tracking.nCommand = SB_THUMBPOSITION;
    m_tracking.bThumbDrag = TRUE;
    const int nThickness = m_bar.nCrossEnd - m_bar.nCrossStart;
    const int nEnds = 2 * ::GetSystemMetrics(m_bar.bVertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    m_tracking.rcTrack = Span(m_bar.nBarStart - nEnds, m_bar.nBarEnd + nEnds);
    if (m_bar.bVertical)
        ::InflateRect(&m_tracking.rcTrack, kSnapThicknesses * nThickness, 0);
    else
        ::InflateRect(&m_tracking.rcTrack, 0, kSnapThicknesses * nThickness);
    m_bar.nDragThumbStart = m_bar.nThumbStart;
    m_tracking.nLastThumbPixel = m_bar.nThumbStart;
    m_tracking.nLastPosition = m_tracking.nNewPosition = m_bar.nPos;
    // A jump centres the thumb on the mouse.
    m_tracking.nThumbOffset = bJump ? -m_bar.nThumbSize / 2 : m_bar.nThumbStart - nMouse;
    return TRUE;
}

void CScrollBarTracker::Loop() {
    while (!m_bEnded && ::GetCapture() == m_hWnd) {
        MSG msg;
        const BOOL bMessage = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bMessage == -1)
            break;
        if (!bMessage) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == m_hWnd && msg.wParam == kScrollBarRepeatTimer) {
            OnScrollTimer();
        } else if (IsMouseMessage(msg.message)) {
            POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            if (msg.message != WM_MOUSEWHEEL)
                ::ClientToScreen(msg.hwnd, &pt);
            pt = ToBar(pt);
            if (m_tracking.bThumbDrag)
                ThumbTrackMove(msg.message, msg.wParam, pt);
            else
                TrackBoxMove(msg.message, pt);
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void CScrollBarTracker::TrackBoxMove(UINT nMessage, POINT pt) {
    if (nMessage != 0 && !IsMouseMessage(nMessage))
        return;
    // A page area ends at the thumb, which moves as the pages go by.
    RECT& rc = m_tracking.rcTrack;
    if (m_tracking.nCommand == SB_PAGEUP)
        (m_bar.bVertical ? rc.bottom : rc.right) = m_bar.nThumbStart;
    else if (m_tracking.nCommand == SB_PAGEDOWN)
        (m_bar.bVertical ? rc.top : rc.left) = m_bar.nThumbEnd;
    const BOOL bInside = ::PtInRect(&rc, pt);
    const BOOL bEntered = bInside && !m_tracking.bInside;
    if (bInside != m_tracking.bInside) {
        m_tracking.bInside = bInside;
        Redraw();
    }
    if (nMessage == WM_LBUTTONDOWN && bInside) {
        Step();
        SetRepeat(::GetDoubleClickTime() * 4 / 5);
    } else if (nMessage == WM_MOUSEMOVE && bEntered) {
        Step();
        SetRepeat(::GetDoubleClickTime() / 10);
    } else if (nMessage == WM_LBUTTONUP) {
        EndScroll();
    }
}

void CScrollBarTracker::OnScrollTimer() {
    POINT pt;
    ::GetCursorPos(&pt);
    TrackBoxMove(0, ToBar(pt));
    if (!m_tracking.bInside) {
        // Off the part the repeats stop; coming back onto it starts them again.
        KillRepeat();
        return;
    }
    SetRepeat(::GetDoubleClickTime() / 10);
    Step();
}

void CScrollBarTracker::ThumbTrackMove(UINT nMessage, WPARAM wParam, POINT pt) {
    if (!IsMouseMessage(nMessage))
        return;
    const BOOL bInside = ::PtInRect(&m_tracking.rcTrack, pt);
    const int nPixel = bInside ? std::clamp(Along(pt) + m_tracking.nThumbOffset, m_bar.nTrackStart,
                                            m_bar.nTrackStart + m_bar.nTrackLength)
                               : m_bar.nDragThumbStart;
    MoveThumb(nPixel);
    m_tracking.bInside = bInside;
    if (nMessage == WM_LBUTTONUP || !(GET_KEYSTATE_WPARAM(wParam) & MK_LBUTTON))
        EndScroll();
}

void CScrollBarTracker::MoveThumb(int nPixel) {
    if (nPixel == m_tracking.nLastThumbPixel)
        return;
    const int nPosition = ScrollPositionFromPixel(&m_bar, nPixel);
    m_tracking.nNewPosition = nPosition;
    if (nPosition != m_tracking.nLastPosition) {
        Notify(SB_THUMBTRACK, nPosition);
        m_tracking.nLastPosition = nPosition;
    }
    m_bar.nThumbStart = nPixel;
    m_bar.nThumbEnd = nPixel + m_bar.nThumbSize;
    m_tracking.nLastThumbPixel = nPixel;
    Redraw();
}

void CScrollBarTracker::EndScroll() {
    m_bEnded = TRUE;
    m_tracking.nCommand = 0;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_tracking.bThumbDrag) {
        Notify(SB_THUMBPOSITION, m_tracking.nLastPosition);
        Redraw();
    } else {
        KillRepeat();
    }
    Notify(SB_ENDSCROLL, 0);
}

void CScrollBarTracker::Notify(int nCommand, int nPosition) {
    ::SendMessageW(m_tracking.hWndNotify, m_bar.bVertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(nCommand, nPosition),
                   m_tracking.lParamNotify);
}

void CScrollBarTracker::SetRepeat(UINT nElapse) {
    m_tracking.nTimer = ::SetTimer(m_hWnd, kScrollBarRepeatTimer, nElapse, nullptr);
}

void CScrollBarTracker::KillRepeat() {
    if (m_tracking.nTimer == 0)
        return;
    ::KillTimer(m_hWnd, kScrollBarRepeatTimer);
    m_tracking.nTimer = 0;
}

POINT CScrollBarTracker::ToBar(POINT pt) const {
    if (m_tracking.bNonClient)
        ScreenToWindowCoords(m_pWnd, &pt);
    else
        ::ScreenToClient(m_hWnd, &pt);
    return pt;
}

}  // namespace

void TrackScrollBar(CTkSkinScrollBarSite* pSite, POINT pt, SCROLLBARPOSITION* pBar, BOOL bJump) {
    CScrollBarTracker(pSite, pBar).Run(pt, bJump);
}
