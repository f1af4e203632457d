#include "TkMarkupScrollBar.h"

#include "TkMarkupContext.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupScrollViewer.h"

#include <vsstyle.h>

namespace {

// Visual-style states of a scroll-bar part, and where each arrow's four states begin.
constexpr int kStateNormal = 1;
constexpr int kStateHot = 2;
constexpr int kStatePressed = 3;
constexpr int kStateDisabled = 4;
constexpr int kUpArrowStates = 0;      // ABS_UPNORMAL .. ABS_UPDISABLED
constexpr int kDownArrowStates = 4;    // ABS_DOWN...
constexpr int kLeftArrowStates = 8;    // ABS_LEFT...
constexpr int kRightArrowStates = 12;  // ABS_RIGHT...
// A thumb longer than this shows its gripper.
constexpr int kThumbGripperMinLength = 13;

}  // namespace

// ---- Geometry

void ComputeMarkupScrollBarGeometry(ScrollBarGeometry& g, const CRect& rc, const SCROLLINFO& info, BOOL bVertical) {
    g.rcBar = rc;
    g.bVertical = bVertical;
    g.nExtraButtonStart = 0;
    g.nMin = info.nMin;
    g.nMax = info.nMax;
    g.nPage = static_cast<int>(info.nPage);
    g.nPos = info.nPos;
    g.nStart = bVertical ? rc.top : rc.left;
    g.nEnd = bVertical ? rc.bottom : rc.right;
    g.nCrossStart = bVertical ? rc.left : rc.top;
    g.nCrossEnd = bVertical ? rc.right : rc.bottom;
    const int nArrowMetric = ::GetSystemMetrics(bVertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    g.nThumbSize = nArrowMetric;
    const int nArrow = std::min(nArrowMetric, (g.nEnd - g.nStart) / 2);
    g.nFirstArrowEnd = g.nStart + nArrow;
    g.nSecondArrowStart = g.nEnd - nArrow;
    const int nRange = g.nMax - g.nMin + 1;
    if (g.nPage != 0 && nRange != 0)
        g.nThumbSize = std::max(::MulDiv(g.nEnd - g.nStart - 2 * nArrow, g.nPage, nRange), nArrowMetric / 2);
    g.nTrackStart = g.nFirstArrowEnd;
    g.nTravel = g.nEnd - (g.nTrackStart + g.nThumbSize + nArrow);
    const int nPage = g.nPage != 0 ? g.nPage : 1;
    g.nThumbStart =
        nRange == nPage ? g.nTrackStart : g.nTrackStart + ::MulDiv(g.nPos - g.nMin, g.nTravel, nRange - nPage);
    g.nThumbEnd = g.nThumbStart + g.nThumbSize;
}

int MarkupScrollPositionFromPixel(const ScrollBarGeometry& g, int q) {
    if (q < g.nTrackStart)
        return g.nMin;
    if (q < g.nTrackStart + g.nTravel) {
        const int nSpan = g.nMax - g.nMin - (g.nPage != 0 ? g.nPage - 1 : 0);
        return g.nMin + ::MulDiv(nSpan, q - g.nTrackStart, g.nTravel);
    }
    return g.nPage != 0 ? g.nMax - g.nPage + 1 : g.nMax;
}

int HitTestMarkupScrollBar(const ScrollBarGeometry& g, BOOL bEnabled, CPoint pt) {
    if (!bEnabled || !g.rcBar.PtInRect(pt))
        return kScrollPartNone;
    const int q = g.bVertical ? pt.y : pt.x;
    if (q < g.nFirstArrowEnd)
        return kScrollPartFirstArrow;
    if (q >= g.nSecondArrowStart)
        return kScrollPartSecondArrow;
    if (q < g.nThumbStart)
        return kScrollPartTrackBefore;
    if (q < g.nThumbEnd)
        return kScrollPartThumb;
    return kScrollPartTrackAfter;
}

BOOL IsMarkupScrollBarEnabled(const SCROLLINFO& info) {
    return static_cast<INT64>(info.nMax) - info.nPage - info.nMin >= 0;
}

// ---- Bar

CTkMarkupScrollBar::CTkMarkupScrollBar() = default;

CTkMarkupScrollViewer* CTkMarkupScrollBar::GetViewer() const {
    CTkMarkupObject* pParent = GetLogicalParent();
    return pParent != nullptr && pParent->IsKindOf(CTkMarkupScrollViewer::GetClassType())
               ? static_cast<CTkMarkupScrollViewer*>(pParent)
               : nullptr;
}

void CTkMarkupScrollBar::SetScrollInfo(const SCROLLINFO& info) {
    if (info.nMax == m_scrollInfo.nMax && info.nPage == m_scrollInfo.nPage && info.nPos == m_scrollInfo.nPos)
        return;
    m_scrollInfo = info;
    m_bArrangeInvalid = TRUE;
}

CRect CTkMarkupScrollBar::AlongRect(int nStart, int nEnd) const {
    const ScrollBarGeometry& g = m_geometry;
    return g.bVertical ? CRect(g.nCrossStart, nStart, g.nCrossEnd, nEnd)
                       : CRect(nStart, g.nCrossStart, nEnd, g.nCrossEnd);
}

CPoint CTkMarkupScrollBar::ClientToBar(CPoint pt) const {
    CTkMarkupMouseEventArgs args;
    args.x = pt.x;
    args.y = pt.y;
    return GetPosition(args, this);
}

CSize CTkMarkupScrollBar::MeasureOverride(CTkMarkupDrawingContext* /*pDC*/, int /*nWidth*/, int /*nHeight*/) {
    return m_nOrientation == 1 ? CSize(::GetSystemMetrics(SM_CXVSCROLL), 0)
                               : CSize(0, ::GetSystemMetrics(SM_CYHSCROLL));
}

CSize CTkMarkupScrollBar::ArrangeOverride(int nWidth, int nHeight) {
    ComputeMarkupScrollBarGeometry(m_geometry, CRect(0, 0, nWidth, nHeight), m_scrollInfo, m_nOrientation == 1);
    return CSize(nWidth, nHeight);
}

void CTkMarkupScrollBar::OnMouseLeave(CTkMarkupMouseEventArgs* pArgs) {
    if (m_geometry.nHitPart != kScrollPartNone) {
        m_geometry.nHitPart = kScrollPartNone;
        InvalidateVisual();
    }
    CTkMarkupControl::OnMouseLeave(pArgs);
}

void CTkMarkupScrollBar::OnMouseMove(CTkMarkupMouseEventArgs* pArgs) {
    const int nPart = HitTestMarkupScrollBar(m_geometry, IsEnabled(), GetPosition(*pArgs, this));
    if (nPart != m_geometry.nHitPart) {
        m_geometry.nHitPart = nPart;
        InvalidateVisual();
    }
    pArgs->bHandled = TRUE;
}

void CTkMarkupScrollBar::OnMouseLeftButtonUp(CTkMarkupMouseEventArgs* /*pArgs*/) {}

void CTkMarkupScrollBar::OnMouseLeftButtonDown(CTkMarkupMouseEventArgs* pArgs) {
    pArgs->bHandled = TRUE;
    if (!IsEnabled() || m_pTracking != nullptr)
        return;
    Track(pArgs->hWnd, GetPosition(*pArgs, this), ::GetKeyState(VK_SHIFT) < 0);
}

// ---- Drawing

void CTkMarkupScrollBar::OnRender(CTkMarkupDrawingContext* pDC) {
    if (m_geometry.nCrossEnd <= m_geometry.nCrossStart)
        return;
    int nPressed = kScrollPartNone;
    int nHot = kScrollPartNone;
    if (m_pTracking != nullptr) {
        if (m_pTracking->bThumbDrag || m_pTracking->bInside)
            nPressed = m_geometry.nHitPart;
    } else {
        nHot = m_geometry.nHitPart;
    }
    // A theme of its own for each paint: the system's style may change between paints.
    CTkWinThemeWrapper theme(TRUE);
    theme.OpenTheme(nullptr, L"SCROLLBAR");
    if (theme.IsAppThemed())
        RenderThemed(pDC, theme, nPressed, nHot);
    else
        RenderClassic(pDC, nPressed);
}

void CTkMarkupScrollBar::RenderThemed(CTkMarkupDrawingContext* pDC, CTkWinThemeWrapper& theme, int nPressed, int nHot) {
    const ScrollBarGeometry& g = m_geometry;
    const BOOL bEnabled = IsEnabled();
    const BOOL bThumb = bEnabled && g.nSecondArrowStart >= g.nThumbEnd;
    const int nThumbStart = bThumb ? g.nThumbStart : g.nSecondArrowStart;
    const int nThumbEnd = bThumb ? g.nThumbEnd : g.nSecondArrowStart;
    auto state = [&](int nPart) {
        if (!bEnabled)
            return kStateDisabled;
        return nPart == nPressed ? kStatePressed : nPart == nHot ? kStateHot : kStateNormal;
    };
    HDC hDC = pDC->GetSafeHdc();
    auto draw = [&](int nPart, int nState, const CRect& rc) { theme.DrawBackground(hDC, nPart, nState, &rc, nullptr); };
    const BOOL bVertical = g.bVertical;
    draw(SBP_ARROWBTN, (bVertical ? kUpArrowStates : kLeftArrowStates) + state(kScrollPartFirstArrow),
         AlongRect(g.nStart, g.nFirstArrowEnd));
    draw(SBP_ARROWBTN, (bVertical ? kDownArrowStates : kRightArrowStates) + state(kScrollPartSecondArrow),
         AlongRect(g.nSecondArrowStart, g.nEnd));
    if (g.nSecondArrowStart <= g.nFirstArrowEnd)
        return;
    const CRect rcBefore = AlongRect(g.nFirstArrowEnd, nThumbStart);
    const CRect rcThumb = AlongRect(nThumbStart, nThumbEnd);
    const CRect rcAfter = AlongRect(nThumbEnd, g.nSecondArrowStart);
    if (!rcBefore.IsRectEmpty())
        draw(bVertical ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ, state(kScrollPartTrackBefore), rcBefore);
    if (!rcThumb.IsRectEmpty()) {
        draw(bVertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, state(kScrollPartThumb), rcThumb);
        if (nThumbEnd - nThumbStart > kThumbGripperMinLength)
            draw(bVertical ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, state(kScrollPartThumb), rcThumb);
    }
    if (!rcAfter.IsRectEmpty())
        draw(bVertical ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ, state(kScrollPartTrackAfter), rcAfter);
}

HBRUSH CTkMarkupScrollBar::GetTrackBrush(HDC hDC) const {
    // The desktop's answer first; where it lives in another process that answers nothing (as under some
    // systems), the default procedure's answer through the host; then the system colour.
    HWND hDesktop = ::GetDesktopWindow();
    auto hBrush = reinterpret_cast<HBRUSH>(::SendMessageW(hDesktop, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(hDC),
                                                          reinterpret_cast<LPARAM>(hDesktop)));
    if (::GetObjectType(hBrush) == OBJ_BRUSH)
        return hBrush;
    const CTkMarkupContext* pContext = GetMarkupContext();
    if (HWND hHost = pContext != nullptr ? pContext->GetHostWindow() : nullptr) {
        hBrush = reinterpret_cast<HBRUSH>(::DefWindowProcW(hHost, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(hDC),
                                                           reinterpret_cast<LPARAM>(hHost)));
        if (::GetObjectType(hBrush) == OBJ_BRUSH)
            return hBrush;
    }
    return ::GetSysColorBrush(COLOR_SCROLLBAR);
}

void CTkMarkupScrollBar::RenderClassic(CTkMarkupDrawingContext* pDC, int nPressed) {
    const ScrollBarGeometry& g = m_geometry;
    const BOOL bEnabled = IsEnabled();
    HDC hDC = pDC->GetSafeHdc();
    const CScopedSaveDC saved(hDC);
    auto arrow = [&](int nPart, UINT nKind, CRect rc) {
        UINT nState = nKind;
        if (nPart == nPressed)
            nState |= DFCS_PUSHED;
        if (!bEnabled)
            nState |= DFCS_INACTIVE;
        ::DrawFrameControl(hDC, &rc, DFC_SCROLL, nState);
    };
    arrow(kScrollPartFirstArrow, g.bVertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT, AlongRect(g.nStart, g.nFirstArrowEnd));
    arrow(kScrollPartSecondArrow, g.bVertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT,
          AlongRect(g.nSecondArrowStart, g.nEnd));
    const CRect rcTrack = AlongRect(g.nFirstArrowEnd, g.nSecondArrowStart);
    if (rcTrack.IsRectEmpty())
        return;
    const BOOL bThumb = bEnabled && g.nSecondArrowStart >= g.nThumbEnd;
    HBRUSH hBrush = GetTrackBrush(hDC);
    ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNFACE));
    ::FillRect(hDC, &rcTrack, hBrush);
    if (!bThumb)
        return;
    CRect rcPressed;
    if (nPressed == kScrollPartTrackBefore)
        rcPressed = AlongRect(g.nFirstArrowEnd, g.nThumbStart);
    else if (nPressed == kScrollPartTrackAfter)
        rcPressed = AlongRect(g.nThumbEnd, g.nSecondArrowStart);
    if (!rcPressed.IsRectEmpty())
        ::InvertRect(hDC, &rcPressed);
    CRect rcThumb = AlongRect(g.nThumbStart, g.nThumbEnd);
    if (rcThumb.IsRectEmpty())
        return;
    pDC->FillSolidRect(rcThumb, ::GetSysColor(COLOR_BTNFACE));
    ::DrawEdge(hDC, &rcThumb, EDGE_RAISED, BF_RECT);
}

// ---- Gripper

void CTkMarkupScrollBarGripper::OnRender(CTkMarkupDrawingContext* pDC) {
    pDC->FillSolidRect(CRect(CPoint(0, 0), m_szRender), ::GetSysColor(COLOR_BTNFACE));
}

void CTkMarkupScrollBarGripper::ArrangeCore(const CRect& rc) {
    CTkMarkupUIElement::ArrangeCore(rc);
    m_ptVisualOffset = rc.TopLeft();
}
