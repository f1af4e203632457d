// The gallery as a scroll base: its scroll area or button column, the scroll commands, direct and
// animated scrolling, and bringing an item into view.

#include "TkControlGallery.h"

#include "TkCommandBar.h"
#include "TkControlGalleryPaintManager.h"
#include "TkGalleryItem.h"

#include <algorithm>
#include <cmath>

namespace {

// Above this repeat period an arrow press is a first press: its scroll animates in more, slower steps.
constexpr int kSlowRepeatElapse = 200;
constexpr int kSlowAnimationSteps = 8;
constexpr int kFastAnimationSteps = 3;

}  // namespace

BOOL CTkControlGallery::IsScrollBarEnabled() const {
    return GetEnabled();
}

CWnd* CTkControlGallery::GetParentWindow() const {
    return m_pParent;
}

CRect CTkControlGallery::GetScrollBarRect() {
    if (!m_bShowScrollBar)
        return CRect(0, 0, 0, 0);
    const int b = m_bShowBorders ? 1 : 0;
    CRect rc(m_rcControl.right - GetScrollAreaWidth() - b, m_rcControl.top + b, m_rcControl.right - b,
             m_rcControl.bottom - b);
    if (HasFollowingControl())
        rc.bottom -= 2;
    return rc;
}

void CTkControlGallery::GetScrollInfo(SCROLLINFO* pScrollInfo) {
    pScrollInfo->nMin = 0;
    pScrollInfo->nMax = std::max(m_nTotalHeight - 1, 0);
    pScrollInfo->nPage = static_cast<UINT>(std::max(GetItemsRect().Height(), 0));
    pScrollInfo->nPos = m_nScrollPos;
}

void CTkControlGallery::RedrawScrollBar() {
    RedrawGallery(&m_rcControl, FALSE);
}

void CTkControlGallery::CalcScrollBarInfo(LPCRECT lpRect, ScrollBarGeometry* pGeometry, const SCROLLINFO* pScrollInfo) {
    CTkControlGalleryPaintManager* pPainter = GetGalleryPaintManager();
    if (m_pCommandBar == nullptr || pPainter == nullptr) {
        CTkScrollBase::CalcScrollBarInfo(lpRect, pGeometry, pScrollInfo);
        return;
    }
    // The button column: up, down and "more" stacked from the top; no thumb.
    const CRect rc(lpRect);
    pGeometry->bVertical = TRUE;
    pGeometry->rcBar = rc;
    pGeometry->nStart = rc.top;
    pGeometry->nEnd = rc.bottom;
    pGeometry->nCrossStart = rc.left;
    pGeometry->nCrossEnd = rc.right;
    pGeometry->nMin = pScrollInfo->nMin;
    pGeometry->nMax = pScrollInfo->nMax;
    pGeometry->nPage = static_cast<int>(pScrollInfo->nPage);
    pGeometry->nPos = pScrollInfo->nPos;
    pGeometry->nFirstArrowEnd = rc.top + pPainter->m_nUpButtonHeight;
    pGeometry->nSecondArrowStart = pGeometry->nFirstArrowEnd;
    pGeometry->nExtraButtonStart = pGeometry->nFirstArrowEnd + pPainter->m_nDownButtonHeight;
}

CTkScrollBarPaintManager* CTkControlGallery::GetScrollBarPaintManager() const {
    return GetGalleryPaintManager();
}

BOOL CTkControlGallery::IsScrollButtonEnabled(int nPart) const {
    if (!GetEnabled())
        return FALSE;
    if (m_pCommandBar == nullptr)
        return TRUE;
    if (nPart == kScrollPartFirstArrow)
        return m_nScrollPos > 0;
    if (nPart == kScrollPartSecondArrow)
        return m_nScrollPos < m_nTotalHeight - GetItemsRect().Height();
    return TRUE;
}

int CTkControlGallery::ClampScrollPos(int nPos) const {
    // The upper end first, then 0: a gallery whose rows all fit stays at the top.
    nPos = std::min(nPos, m_nTotalHeight - GetItemsRect().Height());
    return std::max(nPos, 0);
}

void CTkControlGallery::DoScroll(int nCommand, int nPosition) {
    CTkGalleryItemCollection* pItems = GetItems();
    if (pItems == nullptr)
        return;
    const int nBase = m_bAnimating ? m_nAnimationTarget : m_nScrollPos;
    const int nPage = GetItemsRect().Height();
    int nPos = nBase;
    switch (nCommand) {
        case SB_LINEUP:
            nPos = nBase - pItems->m_nItemHeight;
            break;
        case SB_LINEDOWN:
            nPos = nBase + pItems->m_nItemHeight;
            break;
        case SB_PAGEUP:
            nPos = nBase - nPage;
            break;
        case SB_PAGEDOWN:
            nPos = nBase + nPage;
            break;
        case SB_THUMBTRACK:
            nPos = nPosition;
            break;
        case SB_TOP:
            nPos = 0;
            break;
        case SB_BOTTOM:
            nPos = m_nTotalHeight;
            break;
        default:
            break;
    }
    if (m_pCommandBar != nullptr && (nCommand == SB_LINEUP || nCommand == SB_LINEDOWN || nCommand == SB_ENDSCROLL))
        StartAnimatedScroll(nPos);
    else
        SetScrollPosition(nPos);
}

void CTkControlGallery::StopAnimation() {
    m_bAnimating = FALSE;
    if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
        m_pParent->KillTimer(kAnimationTimer);
}

void CTkControlGallery::SetScrollPosition(int nPos) {
    nPos = ClampScrollPos(nPos);
    // A stopped animation repaints even at an unchanged position.
    const BOOL bWasAnimating = m_bAnimating;
    if (bWasAnimating)
        StopAnimation();
    if (nPos == m_nScrollPos && !bWasAnimating)
        return;
    m_nScrollPos = nPos;
    Reposition();
    RecalcScrollBar();
    RedrawGallery(&m_rcControl, FALSE);
}

void CTkControlGallery::StartAnimatedScroll(int nPos) {
    nPos = ClampScrollPos(nPos);
    if (nPos == (m_bAnimating ? m_nAnimationTarget : m_nScrollPos))
        return;
    m_bAnimating = TRUE;
    m_nAnimationTarget = nPos;
    const int nSteps = m_nRepeatElapse > kSlowRepeatElapse ? kSlowAnimationSteps : kFastAnimationSteps;
    m_dAnimationStep = static_cast<double>(nPos - m_nScrollPos) / nSteps;
    if (m_dAnimationStep > 0 && m_dAnimationStep < 1)
        m_dAnimationStep = 1;
    else if (m_dAnimationStep < 0 && m_dAnimationStep > -1)
        m_dAnimationStep = -1;
    if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
        m_pParent->SetTimer(kAnimationTimer, kAnimationTimerElapse, nullptr);
    OnAnimationTimer();
}

void CTkControlGallery::OnAnimationTimer() {
    if (std::fabs(m_dAnimationStep) < std::abs(m_nAnimationTarget - m_nScrollPos)) {
        m_nScrollPos += static_cast<int>(m_dAnimationStep);
    } else {
        m_nScrollPos = m_nAnimationTarget;
        StopAnimation();
    }
    Reposition();
    RecalcScrollBar();
    RedrawGallery(&m_rcControl, FALSE);
    if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
        m_pParent->UpdateWindow();
}

void CTkControlGallery::EnsureVisible(int nIndex) {
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr || GetItems() == nullptr || nIndex < 0 ||
        nIndex >= GetItemCount() || nIndex >= static_cast<int>(m_positions.size()))
        return;
    const CRect rcItems = GetItemsRect();
    const CRect& rcItem = m_positions[static_cast<size_t>(nIndex)].rc;
    const CRect rcShown = ShownRect(nIndex);
    if (rcShown.top >= rcItems.top) {
        if (rcShown.bottom > rcItems.bottom)
            SetScrollPosition(rcItem.bottom - rcItems.bottom);
        return;
    }
    int nTarget = rcItem.top - rcItems.top;
    if (m_bShowLabels) {
        // The heading of the item's group comes into view with it when both fit.
        const int nReach = rcItems.Height() - rcItem.Height();
        for (int i = nIndex - 1; i >= 0; --i) {
            const GALLERYITEM_POSITION& position = m_positions[static_cast<size_t>(i)];
            if (rcItem.top - position.rc.top > nReach)
                break;
            if (position.pItem->m_bLabel) {
                nTarget = position.rc.top - rcItems.top;
                break;
            }
        }
    }
    SetScrollPosition(nTarget);
}

int CTkControlGallery::ScrollToItem(int nIndex) {
    if (nIndex < 0 || nIndex >= static_cast<int>(m_positions.size()))
        return -1;
    SetScrollPosition(m_positions[static_cast<size_t>(nIndex)].rc.top - GetItemsRect().top);
    return 0;
}
