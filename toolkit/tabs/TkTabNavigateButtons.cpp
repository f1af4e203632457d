// The navigate buttons of a tab row: the base placing and fitting rules, the two arrows that scroll the
// row and the close buttons (the row's and each tab's own).

#include "TkTabManager.h"

#include "TkDrawHelpers.h"
#include "TkResourceManager.h"
#include "TkTabAppearanceSet.h"
#include "TkTabPaintManager.h"

namespace {

// The length of the header along the row.
int HeaderLength(const CRect& rcHeader, BOOL bHorizontal) {
    return bHorizontal ? rcHeader.Width() : rcHeader.Height();
}

// The tab manager's position through its paint manager.
BOOL IsHorizontalRow(const CTkTabManager* pManager) {
    return IsHorizontalTabPosition(pManager->GetPosition());
}

}  // namespace

// ---- CTkTabManagerNavigateButton

CTkTabManagerNavigateButton::CTkTabManagerNavigateButton(CTkTabManager* pManager, int nId, int nMode)
    : m_nId(nId), m_nMode(nMode), m_pManager(pManager) {}

CTkTabManagerNavigateButton::~CTkTabManagerNavigateButton() {
    if (m_pManager != nullptr)
        m_pManager->ClearHighlightedButton(this);
}

void CTkTabManagerNavigateButton::AdjustWidth(int& nLength) {
    const BOOL bShown = m_nMode == kNavigateButtonAlways ||
                        (m_nMode == kNavigateButtonAutomatic && m_pManager->IsNavigateButtonVisible(this));
    if (!bShown)
        return;
    const CSize size = GetSize();
    nLength -= IsHorizontalRow(m_pManager) ? size.cx : size.cy;
}

CSize CTkTabManagerNavigateButton::GetSize() const {
    const CTkTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    return pPaintManager != nullptr ? pPaintManager->m_szNavigateButton : CSize(14, 15);
}

void CTkTabManagerNavigateButton::Reposition(CRect& rcHeader) {
    if (m_nMode == kNavigateButtonHidden ||
        (m_nMode == kNavigateButtonAutomatic && !m_pManager->IsNavigateButtonVisible(this))) {
        m_rcButton.SetRectEmpty();
        return;
    }
    PlaceAtFarEnd(rcHeader);
}

void CTkTabManagerNavigateButton::PlaceAtFarEnd(CRect& rcHeader) {
    const CSize size = GetSize();
    if (IsHorizontalRow(m_pManager)) {
        const int nCentre = (rcHeader.top + rcHeader.bottom) / 2;
        m_rcButton.SetRect(rcHeader.right - size.cx, nCentre + size.cy / 2 - size.cy, rcHeader.right,
                           nCentre + size.cy / 2);
        rcHeader.right -= size.cx;
    } else {
        const int nMiddle = (rcHeader.left + rcHeader.right) / 2;
        m_rcButton.SetRect(nMiddle - size.cx / 2, rcHeader.bottom - size.cy, nMiddle - size.cx / 2 + size.cx,
                           rcHeader.bottom);
        rcHeader.bottom -= size.cy;
    }
}

void CTkTabManagerNavigateButton::OnExecute(BOOL bTick) {
    if (!bTick)
        m_pManager->OnNavigateButtonClick(this);
}

void CTkTabManagerNavigateButton::Draw(CDC* pDC) {
    if (m_rcButton.IsRectEmpty())
        return;
    if (CTkTabPaintManager* pPaintManager = m_pManager->GetPaintManager())
        pPaintManager->DrawNavigateButton(pDC, this, m_rcButton);
}

// ---- The arrows

CTkTabManager::CNavigateButtonArrow::CNavigateButtonArrow(CTkTabManager* pManager, int nId)
    : CTkTabManagerNavigateButton(pManager, nId, kNavigateButtonAutomatic) {}

void CTkTabManager::CNavigateButtonArrow::AdjustWidth(int& nLength) {
    if (m_nMode != kNavigateButtonAlways)
        return;
    const CSize size = GetSize();
    nLength -= IsHorizontalRow(m_pManager) ? size.cx : size.cy;
}

void CTkTabManager::CNavigateButtonArrow::Reposition(CRect& rcHeader) {
    Refresh(rcHeader);
    CTkTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    const int nLayout = pPaintManager != nullptr ? pPaintManager->GetLayout() : kTabLayoutAutoSize;
    if (nLayout == kTabLayoutMultiRow) {
        m_rcButton.SetRectEmpty();
        return;
    }
    if (m_nMode != kNavigateButtonAutomatic) {
        CTkTabManagerNavigateButton::Reposition(rcHeader);
        return;
    }
    if (nLayout == kTabLayoutSizeToFit || pPaintManager == nullptr) {
        m_rcButton.SetRectEmpty();
        return;
    }
    const CRect rcInset = pPaintManager->GetAppearanceSet()->GetHeaderInset();
    const int nOffset = m_pManager->GetScrollOffset();
    const int nHeaderLength = HeaderLength(rcHeader, IsHorizontalRow(m_pManager));
    if (m_pManager->GetItemsLength() + nOffset - 1 > nHeaderLength - rcInset.right || nOffset < 0)
        PlaceAtFarEnd(rcHeader);
    else
        m_rcButton.SetRectEmpty();
}

void CTkTabManager::CNavigateButtonArrow::OnExecute(BOOL bTick) {
    if (bTick)
        m_pManager->OnScroll(IsForward());
}

void CTkTabManager::CNavigateButtonArrow::DrawEntry(CDC* pDC, CRect rc) {
    const int x = (rc.left + rc.right) / 2;
    const int y = (rc.top + rc.bottom) / 2;
    // The forward glyph is the backward one mirrored across the row.
    const int d = IsForward() ? -1 : 1;
    if (IsHorizontalRow(m_pManager))
        DrawTriangleWithCurrentTools(pDC, x + 2 * d, y - 5, x - 2 * d, y - 1, x + 2 * d, y + 3);
    else
        DrawTriangleWithCurrentTools(pDC, x - 5, y + 2 * d, x - 1, y - 2 * d, x + 3, y + 2 * d);
}

void CTkTabManager::CNavigateButtonArrowLeft::Refresh(const CRect&) {
    m_strToolTip = GetResourceManager()->LoadString(IsHorizontalRow(m_pManager) ? kIdsTabScrollLeft : kIdsTabScrollUp);
    m_bEnabled = m_pManager->GetScrollOffset() < 0;
}

void CTkTabManager::CNavigateButtonArrowRight::Refresh(const CRect& rcHeader) {
    const BOOL bHorizontal = IsHorizontalRow(m_pManager);
    m_strToolTip = GetResourceManager()->LoadString(bHorizontal ? kIdsTabScrollRight : kIdsTabScrollDown);
    CTkTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    if (pPaintManager == nullptr) {
        m_bEnabled = FALSE;
        return;
    }
    const CRect rcInset = pPaintManager->GetAppearanceSet()->GetHeaderInset();
    m_bEnabled = m_pManager->GetItemsLength() + m_pManager->GetScrollOffset() >
                 HeaderLength(rcHeader, bHorizontal) - rcInset.left - rcInset.right - 28;
}

// ---- The close buttons

CTkTabManager::CNavigateButtonClose::CNavigateButtonClose(CTkTabManager* pManager, int nMode)
    : CTkTabManagerNavigateButton(pManager, kNavigateButtonClose, nMode) {
    m_strToolTip = GetResourceManager()->LoadString(kIdsTabClose);
}

void CTkTabManager::CNavigateButtonClose::DrawEntry(CDC* pDC, CRect rc) {
    const int x = (rc.left + rc.right) / 2;
    const int y = (rc.top + rc.bottom) / 2;
    // Two one-pixel lines per stroke make the cross two pixels thick.
    pDC->MoveTo(x - 4, y - 3);
    pDC->LineTo(x + 3, y + 4);
    pDC->MoveTo(x - 3, y - 3);
    pDC->LineTo(x + 4, y + 4);
    pDC->MoveTo(x - 4, y + 3);
    pDC->LineTo(x + 3, y - 4);
    pDC->MoveTo(x - 3, y + 3);
    pDC->LineTo(x + 4, y - 4);
}

CTkTabManager::CNavigateButtonTabClose::CNavigateButtonTabClose(CTkTabManager* pManager, CTkTabManagerItem* pItem,
                                                                int nMode)
    : CNavigateButtonClose(pManager, nMode) {
    m_pItem = pItem;
}
