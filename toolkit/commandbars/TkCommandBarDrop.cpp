// The bar as the target of a control dragged in customisation: where the control would land, the
// I-shaped marker there, and the drop.

#include "TkCommandBar.h"

#include "TkColorManager.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlDragTracker.h"
#include "TkControls.h"
#include "TkMouseManager.h"

#include <cstdlib>

namespace {

constexpr int kMarkerThickness = 6;
constexpr int kEmptyBarInset = 2;
// A drop on the dragged control itself changes its group start only after a real move.
constexpr int kSelfDropSlack = 4;

// The marker beside the control: over its near edge before it, over its far edge after it when nothing
// follows in the same group and row, else just past that edge.
CRect MarkerBeside(const CRect& rc, BOOL bVertical, BOOL bAfter, BOOL bEndsRun) {
    if (!bVertical) {
        if (!bAfter)
            return {rc.left, rc.top, rc.left + kMarkerThickness, rc.bottom};
        if (bEndsRun)
            return {rc.right - kMarkerThickness, rc.top, rc.right, rc.bottom};
        return {rc.right, rc.top, rc.right + kMarkerThickness, rc.bottom};
    }
    if (!bAfter)
        return {rc.left, rc.top, rc.right, rc.top + kMarkerThickness};
    if (bEndsRun)
        return {rc.left, rc.bottom - kMarkerThickness, rc.right, rc.bottom};
    return {rc.left, rc.bottom, rc.right, rc.bottom + kMarkerThickness};
}

}  // namespace

CTkCommandBar::DropPosition CTkCommandBar::FindDropPosition(CTkControl* pDragged, CPoint pt) const {
    const BOOL bVertical = m_nPosition == kBarLeft || m_nPosition == kBarRight || m_nType == kBarTypePopup;
    const int nPointAlong = bVertical ? pt.y : pt.x;
    CTkControl* pBest = nullptr;
    BOOL bHasDistance = FALSE;
    int nBestDistance = 0;
    const int nCount = GetControlCount();
    for (int i = 0; i < nCount; ++i) {
        CTkControl* pControl = GetControl(i);
        if (!pControl->IsVisible(0) || !pControl->CanCustomizeMove())
            continue;
        const CRect& rc = pControl->GetRect();
        const int nCentre = bVertical ? (rc.top + rc.bottom) / 2 : (rc.left + rc.right) / 2;
        const int nDistance = std::abs(nCentre - nPointAlong);
        BOOL bTake = FALSE;
        if (m_bMultiColumn) {
            // Only the controls of the point's own row (column) compete.
            const BOOL bAcross = bVertical ? pt.x >= rc.left && pt.x < rc.right : pt.y >= rc.top && pt.y < rc.bottom;
            bTake = bAcross && (!bHasDistance || nDistance < nBestDistance);
        } else if (pControl->GetWrap()) {
            // A new row (column) that begins past the point ends the search: the point lies in an earlier one.
            if (bVertical ? rc.left > pt.x : rc.top > pt.y)
                break;
            bTake = TRUE;
        } else {
            bTake = !bHasDistance || nDistance < nBestDistance;
        }
        if (!bTake)
            continue;
        pBest = pControl;
        bHasDistance = TRUE;
        nBestDistance = nDistance;
    }

    if (pBest == nullptr) {
        // Nothing to stand beside: the start of the bar (a ribbon shows no marker of its own).
        CRect rcMarker(0, 0, 0, 0);
        CRect rcClient(0, 0, 0, 0);
        if (m_hWnd != nullptr)
            GetClientRect(&rcClient);
        if (!IsRibbonBar())
            rcMarker.SetRect(rcClient.left + kEmptyBarInset, rcClient.top + kEmptyBarInset,
                             rcClient.left + kEmptyBarInset + kMarkerThickness, rcClient.bottom - kEmptyBarInset);
        return {rcMarker, -1, TRUE, FALSE};
    }
    const CRect& rc = pBest->GetRect();
    const int nCentre = bVertical ? (rc.top + rc.bottom) / 2 : (rc.left + rc.right) / 2;
    const BOOL bAfter = nCentre < nPointAlong;
    const CTkControl* pNext = GetControl(pBest->GetIndex() + 1);
    const BOOL bEndsRun = pNext == nullptr || pNext->GetBeginGroup() || (!bVertical && pNext->GetWrap());
    DropPosition pos{MarkerBeside(rc, bVertical, bAfter, bEndsRun), pBest->GetIndex(), bAfter, bVertical};
    if (pBest == pDragged)
        pos.rcMarker.SetRectEmpty();
    return pos;
}

int CTkCommandBar::OnDragEnter(CTkControl* pDragged, CPoint pt) {
    m_rcMarker.SetRectEmpty();
    return OnDragOver(pDragged, pt);
}

void CTkCommandBar::OnDragLeave() {
    if (m_rcMarker.IsRectEmpty())
        return;
    m_rcMarker.SetRectEmpty();
    Redraw();
}

int CTkCommandBar::OnDragOver(CTkControl* pDragged, CPoint pt) {
    if (!IsCustomizable() || m_hWnd == nullptr || (GetStyle() & WS_VISIBLE) == 0)
        return 0;
    const DropPosition pos = FindDropPosition(pDragged, pt);
    int nDropEffect = -1;
    if (CTkControl* pUnder = m_pControls->HitTest(pt)) {
        // Over another control of a root bar, the popup opened for an earlier one goes.
        if (GetParentCommandBar() == nullptr && GetControl(m_nPopuped) != pUnder)
            CreateMouseManager()->CloseAllTracked();
        pUnder->HandleCustomizeDragOver(pDragged, pt, nDropEffect);
    }
    if (!pDragged->CanDropOnBar(this, pt, nDropEffect))
        return 0;
    m_rcMarker = pos.rcMarker;
    m_bMarkerVertical = pos.bVertical;
    Redraw();
    return nDropEffect;
}

void CTkCommandBar::OnDrop(CTkControl* pDragged, int& nDropEffect, CPoint pt, CPoint ptStart) {
    const DropPosition pos = FindDropPosition(pDragged, pt);
    if (GetControl(pos.nIndex) != pDragged) {
        PopupControl(-1);
        SetSelected(-1);
        const int nInsert = pos.bAfter ? pos.nIndex + 1 : pos.nIndex;
        // The copy goes between the group's start and the rest: it starts the group now.
        CTkControl* pBefore = GetControl(nInsert);
        const BOOL bTakesGroupStart = pBefore != nullptr && pBefore->GetBeginGroup();
        if (bTakesGroupStart)
            pBefore->SetBeginGroup(FALSE);
        CTkControl* pCopy = m_pControls->AddCopy(pDragged, nInsert);
        if (bTakesGroupStart)
            pCopy->SetBeginGroup(TRUE);
        if (CTkCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->SetCustomizeSelection(pCopy);
    } else {
        if (std::abs(pt.x - ptStart.x) > kSelfDropSlack || std::abs(pt.y - ptStart.y) > kSelfDropSlack)
            pDragged->SetBeginGroup(pos.bAfter && pDragged->GetIndex() != 0);
        nDropEffect = kDragCancelled;
    }
    RecalcLayout();
    m_rcMarker.SetRectEmpty();
    Redraw();
}

void CTkCommandBar::DrawInsertionMark(CDC* pDC) const {
    if (m_rcMarker.IsRectEmpty())
        return;
    CBrush brush(GetColorManager()->GetColor(COLOR_BTNFACE));
    CScopedSelectObject selectBrush(pDC->GetSafeHdc(), brush.GetSafeHandle());
    const CRect& rc = m_rcMarker;
    const int cx = rc.Width();
    const int cy = rc.Height();
    if (!m_bMarkerVertical) {
        // Serifs across the top and bottom, a 2-pixel stem between them.
        pDC->PatBlt(rc.left, rc.top, cx, 1, PATINVERT);
        pDC->PatBlt(rc.left + 1, rc.top + 1, cx - 2, 1, PATINVERT);
        pDC->PatBlt(rc.left + cx / 2 - 1, rc.top + 2, 2, cy - 4, PATINVERT);
        pDC->PatBlt(rc.left + 1, rc.bottom - 2, cx - 2, 1, PATINVERT);
        pDC->PatBlt(rc.left, rc.bottom - 1, cx, 1, PATINVERT);
    } else {
        pDC->PatBlt(rc.left, rc.top, 1, cy, PATINVERT);
        pDC->PatBlt(rc.left + 1, rc.top + 1, 1, cy - 2, PATINVERT);
        pDC->PatBlt(rc.left + 2, rc.top + cy / 2 - 1, cx - 4, 2, PATINVERT);
        pDC->PatBlt(rc.right - 2, rc.top + 1, 1, cy - 2, PATINVERT);
        pDC->PatBlt(rc.right - 1, rc.top, 1, cy, PATINVERT);
    }
}
