// CTkRibbonTheme: the tab paint manager of the ribbon's tab strip, its appearance and colour sets, and
// the background of a ribbon tab.
#include "TkRibbonThemeTabs.h"

#include "TkOffice2007Drawing.h"

namespace {

constexpr int kRibbonTabStates = 6;

}  // namespace

CTkRibbonTheme::CRibbonAppearanceSet::CRibbonAppearanceSet(CTkRibbonTheme* pTheme) : m_pTheme(pTheme) {
    m_rcHeaderInset.SetRect(0, 1, 0, 0);
}

int CTkRibbonTheme::CRibbonAppearanceSet::GetRowHeight(CTkTabManager* pManager) {
    return m_pTheme->m_nTabStripHeight + 1;
}

void CTkRibbonTheme::CRibbonAppearanceSet::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    m_pTheme->DrawRibbonTab(pDC, pItem);
    m_pPaintManager->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}

void CTkRibbonTheme::CRibbonColorSet::SetTextColor(CDC* pDC, CTkTabManagerItem* pItem) {
    COLORREF clr = m_clrNormalText.GetEffective();
    if (!pItem->IsEnabled())
        clr = m_clrDisabledText.GetEffective();
    else if (pItem->IsSelected())
        clr = m_clrSelectedText.GetEffective();
    else if (pItem->IsHighlighted())
        clr = m_clrHighlightText.GetEffective();
    pDC->SetTextColor(clr);
}

CTkTabPaintManager* CTkRibbonTheme::CreateTabPaintManager() {
    auto* pPaintManager = new CTkTabPaintManager;
    pPaintManager->SetAppearanceSet(new CRibbonAppearanceSet(this));
    pPaintManager->SetLayout(kTabLayoutSizeToFit);
    pPaintManager->SetColorSet(new CRibbonColorSet);
    pPaintManager->m_bFillBackground = FALSE;
    pPaintManager->m_bHotTracking = TRUE;
    pPaintManager->m_nClientFrame = 1;
    pPaintManager->m_bDrawTextNoPrefix = FALSE;
    pPaintManager->m_rcButtonMargin.SetRect(0, 2, 0, 2);
    pPaintManager->m_rcTextMargin.SetRect(4, 0, 4, 0);
    pPaintManager->m_nExtraTabLength = 21;
    pPaintManager->m_bDrawTextEndEllipsis = FALSE;
    pPaintManager->m_bDrawFocusRect = FALSE;
    pPaintManager->m_nToolTipMode = 2;
    pPaintManager->m_bClearType = m_bClearType;
    pPaintManager->m_bClipHeader = FALSE;
    return pPaintManager;
}

void CTkRibbonTheme::DrawRibbonTab(CDC* pDC, CTkTabManagerItem* pItem) {
    const CTkTabManager* pManager = pItem->GetTabManager();
    CRect rc = pItem->GetRect();
    CTkTabPaintManager::InflateByPosition(rc, 0, 1, -1, -1, m_pTabPaintManager->GetPosition());

    const BOOL bSelected = pItem->IsSelected();
    const BOOL bHot = pItem->IsHighlighted();
    const BOOL bFocused = bSelected && pManager != nullptr && pManager->HasFocus();
    if (bSelected || bHot) {
        int nState = 1;
        if (bSelected && bFocused)
            nState = 5;
        else if (bSelected && bHot)
            nState = 4;
        else if (bSelected)
            nState = 3;
        else if (pItem->IsPressed())
            nState = 2;
        DrawLookImage(pDC, L"RIBBONTAB", rc, nState, kRibbonTabStates, CRect(5, 5, 5, 5), TRUE);
    }
    // A tab the layout squeezed below its natural length is set off from the next by a column.
    if (pItem->IsTruncated())
        DrawLookImage(pDC, L"RIBBONTABSEPARATOR", CRect(rc.right - 1, rc.top, rc.right, rc.bottom), 0, 1);
}
