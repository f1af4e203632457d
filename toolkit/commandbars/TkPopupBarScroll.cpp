// The scrolled view of a popup taller than its work area: the controls between the first and the end
// visible index are placed, the others carry the bar's hide bit, and the strips at the top and bottom
// scroll by a timer while the pointer rests on them.

#include "TkPopupBar.h"

#include "TkColorManager.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkPaintManager.h"

namespace {

constexpr UINT kScrollInterval = 80;  // ms

}  // namespace

BOOL CTkPopupBar::PopupScrollArea::OnMouseMove(CPoint pt) {
    if (rc.PtInRect(pt)) {
        if (nTimer == 0)
            nTimer = ::SetTimer(hWnd, nTimerId, kScrollInterval, nullptr);
        return TRUE;
    }
    Disarm();
    return FALSE;
}

void CTkPopupBar::PopupScrollArea::Disarm() {
    if (nTimer != 0)
        ::KillTimer(hWnd, nTimerId);
    nTimer = 0;
}

void CTkPopupBar::ScrollLayout(CSize size, BOOL bTowardsEnd, BOOL bRedraw) {
    if (size == CSize(0, 0) && m_hWnd != nullptr) {
        CRect rcClient;
        GetClientRect(&rcClient);
        size = rcClient.Size();
    }
    m_scrollDown.rc.SetRectEmpty();
    m_scrollUp.rc.SetRectEmpty();
    m_scrollDown.hWnd = m_scrollUp.hWnd = m_hWnd;

    CTkPaintManager* pPaintManager = GetPaintManager();
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CRect rcBorders = GetBorders();
    const int nSeparator = pPaintManager->PaintControlSeparator(&dc, this, nullptr, FALSE).cy;
    const int nTearOff = m_bTearOffPopup ? m_rcTearOff.Height() : 0;
    const int nGripper = m_rcGripper.Height();
    rcBorders.top += nTearOff;
    rcBorders.bottom += nGripper;
    int nExpand = 0;
    if (m_bHasHiddenCommands) {
        if (CTkControl* pExpand = GetExpandButton(FALSE)) {
            nExpand = pExpand->GetRect().Height();
            pExpand->SetHideFlags(pExpand->GetHideFlags() | kHideGeneric);
        }
        rcBorders.bottom += nExpand;
    }
    const int nCount = GetControlCount();
    const int nLeft = rcBorders.left;
    const int nRight = size.cx - rcBorders.right;

    if (bTowardsEnd) {
        // One control left over would leave a scroll strip as tall as itself: show it instead.
        if (m_nEndVisible == nCount - 1)
            m_nEndVisible = nCount;
        int nLimit = size.cy - rcBorders.bottom;
        if (m_nEndVisible != nCount) {
            m_scrollDown.rc.SetRect(nLeft, nLimit - kScrollAreaHeight, nRight, nLimit);
            nLimit -= kScrollAreaHeight;
        }
        int nStop = m_nEndVisible - 1;
        for (; nStop >= 0; --nStop) {
            CTkControl* pControl = GetControl(nStop);
            pControl->SetHideFlags(pControl->GetHideFlags() & ~kHideByBar);
            if (!pControl->IsVisible())
                continue;
            const int nTop = nLimit - pControl->GetRect().Height();
            if (nTop < rcBorders.top + kScrollAreaHeight)
                break;
            pControl->SetRect(CRect(nLeft, nTop, nRight, nLimit));
            nLimit = nTop - (pControl->GetBeginGroup() ? nSeparator : 0);
        }
        for (int i = 0; i <= nStop; ++i)
            GetControl(i)->SetHideFlags(GetControl(i)->GetHideFlags() | kHideByBar);
        m_nFirstVisible = nStop + 1;
        if (nStop >= 0)
            m_scrollUp.rc.SetRect(nLeft, rcBorders.top, nRight, rcBorders.top + kScrollAreaHeight);
    } else {
        if (m_nFirstVisible == 1)
            m_nFirstVisible = 0;
        int nTop = rcBorders.top;
        if (m_nFirstVisible > 0) {
            m_scrollUp.rc.SetRect(nLeft, nTop, nRight, nTop + kScrollAreaHeight);
            nTop += kScrollAreaHeight;
        }
        const int nBottomLimit = size.cy - rcBorders.bottom - kScrollAreaHeight;
        BOOL bPlacedAny = FALSE;
        int nStop = m_nFirstVisible;
        for (; nStop < nCount; ++nStop) {
            CTkControl* pControl = GetControl(nStop);
            pControl->SetHideFlags(pControl->GetHideFlags() & ~kHideByBar);
            if (!pControl->IsVisible())
                continue;
            if (pControl->GetBeginGroup() && bPlacedAny)
                nTop += nSeparator;
            int nHeight = pControl->GetRect().Height();
            if (nTop + nHeight > nBottomLimit) {
                if (bPlacedAny)
                    break;
                // A single control taller than the window gets the whole window.
                nHeight = size.cy - rcBorders.top - rcBorders.bottom;
            }
            pControl->SetRect(CRect(nLeft, nTop, nRight, nTop + nHeight));
            nTop += nHeight;
            bPlacedAny = TRUE;
        }
        for (int i = nStop; i < nCount; ++i)
            GetControl(i)->SetHideFlags(GetControl(i)->GetHideFlags() | kHideByBar);
        m_nEndVisible = nStop;
        if (nStop != nCount)
            m_scrollDown.rc.SetRect(nLeft, size.cy - rcBorders.bottom - kScrollAreaHeight, nRight,
                                    size.cy - rcBorders.bottom);
    }
    PlaceChrome(rcBorders, size, nExpand, nTearOff, nGripper);
    if (bRedraw)
        Redraw();
}

BOOL CTkPopupBar::SetSelected(int nIndex, int nOrigin) {
    const BOOL bChanged = CTkCommandBar::SetSelected(nIndex, nOrigin);
    CTkControl* pSelected = GetControl(m_nSelected);
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (m_hWnd != nullptr) {
        if (pSelected != nullptr && pSelected->GetId() == static_cast<int>(kExpandButtonId) &&
            nOrigin == kSelectByMouse && pCommandBars != nullptr &&
            pCommandBars->GetCommandBarsOptions()->m_bShowFullAfterDelay)
            SetTimer(kTimerShowFull, m_nExpandDelay, nullptr);
        else
            KillTimer(kTimerShowFull);
    }
    // A control chosen while scrolled away comes into view.
    if (m_bScrolling && pSelected != nullptr && (pSelected->GetHideFlags() & kHideByBar)) {
        if (m_nSelected < m_nEndVisible) {
            m_nFirstVisible = m_nSelected;
            ScrollLayout(CSize(0, 0), FALSE, TRUE);
        } else {
            m_nEndVisible = m_nSelected + 1;
            ScrollLayout(CSize(0, 0), TRUE, TRUE);
        }
    }
    return bChanged;
}

int CTkPopupBar::OnTrackingKeyDown(UINT nKey, LPARAM lParam) {
    if (m_bHasHiddenCommands && nKey == VK_DOWN) {
        // Moving down past the last short command shows the rest.
        const int nNext = m_pControls->GetNext(m_nSelected, 1);
        if (::GetKeyState(VK_CONTROL) < 0 || nNext <= m_nSelected)
            ExpandToFullMenu();
    }
    return CTkCommandBar::OnTrackingKeyDown(nKey, lParam);
}

void CTkPopupBar::DrawCommandBar(CDC* pDC, CRect rcClip) {
    CTkCommandBar::DrawCommandBar(pDC, rcClip);
    CTkPaintManager* pPaintManager = GetPaintManager();
    if (m_bScrolling) {
        const COLORREF clrArrow = GetColorManager()->GetColor(18);
        CBrush brush(clrArrow);
        CPen pen(PS_SOLID, 1, clrArrow);
        CScopedSelectObject selectBrush(pDC->GetSafeHdc(), brush.GetSafeHandle());
        CScopedSelectObject selectPen(pDC->GetSafeHdc(), pen.GetSafeHandle());
        if (!m_scrollDown.rc.IsRectEmpty()) {
            const CPoint pt = m_scrollDown.rc.CenterPoint();
            POINT pts[] = {{pt.x - 3, pt.y}, {pt.x + 3, pt.y}, {pt.x, pt.y + 3}};
            pDC->Polygon(pts, 3);
        }
        if (!m_scrollUp.rc.IsRectEmpty()) {
            const CPoint pt = m_scrollUp.rc.CenterPoint();
            POINT pts[] = {{pt.x - 3, pt.y}, {pt.x + 3, pt.y}, {pt.x, pt.y - 3}};
            pDC->Polygon(pts, 3);
        }
    }
    if (m_bTearOffPopup && GetControlCount() > 0)
        pPaintManager->PaintTearOffStrip(pDC, m_rcTearOff, m_bTearOffHot, TRUE);
    if (!m_rcGripper.IsRectEmpty() && m_nResizeKind != 0)
        pPaintManager->PaintPopupResizeGripper(pDC, m_rcGripper, m_nResizeKind);
}
