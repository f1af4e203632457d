// CTkSkinObjectFrame: the window's own scroll bars, laid out beside the client area, painted by the
// schema and tracked with the mouse.
#include "TkSkinObjectFrame.h"

#include "TkDCWrappers.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"
#include "TkSkinManagerSchema.h"

#include <vssym32.h>

RECT CTkSkinObjectFrame::GetScrollBarRect(int nBar) const {
    CRect rcClient;
    GetClientRect(&rcClient);
    if (nBar == SB_CTL)
        return rcClient;
    // The client area in window coordinates.
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    const CTkSkinManagerMetrics* pMetrics = GetMetrics();
    if (nBar == SB_HORZ)
        return {rcClient.left, rcClient.bottom, rcClient.right, rcClient.bottom + pMetrics->GetHScrollHeight()};
    const int cx = pMetrics->GetVScrollWidth();
    if ((GetExStyle() & WS_EX_LEFTSCROLLBAR) != 0)
        return {rcClient.left - cx, rcClient.top, rcClient.left, rcClient.bottom};
    return {rcClient.right, rcClient.top, rcClient.right + cx, rcClient.bottom};
}

void CTkSkinObjectFrame::CalcScrollBarInfo(SCROLLBARPOSITION* pBar) {
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS};
    ::GetScrollInfo(m_hWnd, pBar->nBar, &info);
    CalcScrollBarLayout(pBar, GetScrollBarRect(pBar->nBar), info, GetMetrics());
}

void CTkSkinObjectFrame::RedrawScrollBar(int nIndex) {
    RedrawScrollBar(&m_spi[nIndex]);
}

void CTkSkinObjectFrame::RedrawScrollBar(SCROLLBARPOSITION* pBar) {
    if (!pBar->bVisible || m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    CTkSkinManagerSchema* pSchema = m_pManager->GetSchema();
    if (pSchema == nullptr)
        return;
    // The geometry of a dragged thumb is the drag's, not the window's.
    if (m_pSBTrack == nullptr || m_pSBTrack->pBar != pBar || !m_pSBTrack->bThumbDrag)
        CalcScrollBarInfo(pBar);
    CWindowDC dc(this);
    CTkBufferDC buffer(dc.GetSafeHdc(), pBar->rc);
    pSchema->DrawScrollBar(&buffer, this, pBar);
}

void CTkSkinObjectFrame::PaintScrollBars(CDC* pDC) {
    CTkSkinManagerSchema* pSchema = m_pManager->GetSchema();
    SCROLLBARPOSITION& horz = m_spi[0];
    SCROLLBARPOSITION& vert = m_spi[1];
    for (SCROLLBARPOSITION* pBar : {&vert, &horz}) {
        if (!pBar->bVisible)
            continue;
        if (m_pSBTrack == nullptr || m_pSBTrack->pBar != pBar || !m_pSBTrack->bThumbDrag)
            CalcScrollBarInfo(pBar);
        CTkBufferDC buffer(pDC->GetSafeHdc(), pBar->rc);
        pSchema->DrawScrollBar(&buffer, this, pBar);
    }
    const RECT rcCorner = GetSizeBoxRect();
    if (::IsRectEmpty(&rcCorner))
        return;
    pDC->FillSolidRect(&rcCorner, pSchema->GetScrollBarSizeBoxColor(this));
    if (IsSizeBox())
        DrawSizeBox(pDC, rcCorner);
}

RECT CTkSkinObjectFrame::GetSizeBoxRect() const {
    if (!m_spi[0].bVisible || !m_spi[1].bVisible)
        return {};
    const RECT rcHorz = GetScrollBarRect(SB_HORZ);
    const RECT rcVert = GetScrollBarRect(SB_VERT);
    return {rcVert.left, rcHorz.top, rcVert.right, rcHorz.bottom};
}

BOOL CTkSkinObjectFrame::IsSizeBox() const {
    // Uncaptioned children size with the window they lie in.
    HWND hWnd = m_hWnd;
    DWORD dwStyle = GetStyle();
    while ((dwStyle & WS_THICKFRAME) == 0) {
        if ((dwStyle & WS_CHILD) == 0 || (dwStyle & WS_CAPTION) == WS_CAPTION)
            return FALSE;
        hWnd = ::GetParent(hWnd);
        if (hWnd == nullptr)
            return FALSE;
        dwStyle = static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE));
    }
    if ((dwStyle & WS_MAXIMIZE) != 0)
        return FALSE;
    CRect rcClient;
    ::GetClientRect(hWnd, &rcClient);
    CPoint ptCorner = rcClient.BottomRight();
    ::ClientToScreen(hWnd, &ptCorner);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CTkSkinManagerMetrics* pMetrics = GetMetrics();
    return ptCorner.x <= rcWindow.right + pMetrics->GetEdgeWidth() &&
           ptCorner.y <= rcWindow.bottom + pMetrics->GetEdgeHeight();
}

void CTkSkinObjectFrame::DrawSizeBox(CDC* pDC, const RECT& rc) {
    if (CTkSkinManagerClass* pClass = m_pManager->GetSkinClass(L"SCROLLBAR"))
        pClass->DrawBackground(pDC, SBP_SIZEBOX, SZB_RIGHTALIGN, &rc);
}

SCROLLBARPOSITION* CTkSkinObjectFrame::ScrollBarAt(CPoint pt) {
    for (SCROLLBARPOSITION& bar : m_spi) {
        const RECT rc = GetScrollBarRect(bar.nBar);
        if (bar.bVisible && ::PtInRect(&rc, pt))
            return &bar;
    }
    return nullptr;
}

BOOL CTkSkinObjectFrame::TrackHotScrollBars(CPoint pt) {
    BOOL bHot = FALSE;
    for (SCROLLBARPOSITION& bar : m_spi) {
        if (!bar.bVisible)
            continue;
        const int nPart = HitTestScrollBar(&bar, pt);
        if (nPart != bar.nHotPart) {
            bar.nHotPart = nPart;
            RedrawScrollBar(&bar);
        }
        bHot = bHot || nPart != tkSkinScrollNone;
    }
    if (bHot)
        SetTimer(kSkinHotTrackTimer, kSkinHotTrackDelay, nullptr);
    return bHot;
}
