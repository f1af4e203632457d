// CTkRibbonTheme: the tab paint manager of the ribbon's tab strip, its appearance and colour sets, and
// the background of a ribbon tab.
#include "TkRibbonThemeTabs.h"

#include "TkOffice2007Drawing.h"
#include "TkRibbonBar.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonTab.h"
#include "TkRibbonTabContextHeader.h"

namespace {

constexpr int kRibbonTabStates = 6;
constexpr int kContextTabStates = 5;
const CRect kTabMargins(5, 5, 5, 5);

// The states a tab is shown in.
struct TabLook {
    BOOL bSelected;
    BOOL bHot;
    BOOL bFocused;
};

// A minimised ribbon shows its groups only in the tab popup: its selected tab looks selected while that
// popup is open, and otherwise no more than hot (when hot, or while the strip holds the keyboard).
TabLook GetTabLook(const CTkTabManagerItem* pItem) {
    const CTkTabManager* pManager = pItem->GetTabManager();
    const BOOL bFocus = pManager != nullptr && pManager->HasFocus();
    TabLook look{pItem->IsSelected(), pItem->IsHighlighted(), FALSE};
    look.bFocused = look.bSelected && bFocus;
    const auto* pControlTab = dynamic_cast<const CTkRibbonControlTab*>(pManager);
    const CTkRibbonBar* pRibbon = pControlTab != nullptr ? pControlTab->GetRibbonBar() : nullptr;
    if (pRibbon == nullptr || !pRibbon->IsMinimized())
        return look;
    look.bFocused = FALSE;
    if (!look.bSelected)
        return look;
    const CTkCommandBar* pPopup = pControlTab->GetCommandBar();
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr && pPopup->IsWindowVisible())
        return look;
    look.bSelected = FALSE;
    look.bHot = look.bHot || (bFocus && pControlTab->GetSelected() != 0);
    return look;
}

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
    const TabLook look = GetTabLook(pItem);
    COLORREF clr = m_clrNormalText.GetEffective();
    if (!pItem->IsEnabled())
        clr = m_clrDisabledText.GetEffective();
    else if (look.bSelected)
        clr = m_clrSelectedText.GetEffective();
    else if (look.bHot)
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
    CRect rc = pItem->GetRect();
    CTkTabPaintManager::InflateByPosition(rc, 0, 1, -1, -1, m_pTabPaintManager->GetPosition());

    const TabLook look = GetTabLook(pItem);
    const auto* pTab = dynamic_cast<const CTkRibbonTab*>(pItem);
    const CString strColor = pTab != nullptr ? GetContextColorName(pTab->GetContextColor()) : CString();
    if (look.bSelected || look.bHot) {
        if (strColor.IsEmpty()) {
            int nState = 1;
            if (look.bSelected && look.bFocused)
                nState = 5;
            else if (look.bSelected && look.bHot)
                nState = 4;
            else if (look.bSelected)
                nState = 3;
            else if (pItem->IsPressed())
                nState = 2;
            DrawLookImage(pDC, L"RIBBONTAB", rc, nState, kRibbonTabStates, kTabMargins, TRUE);
        } else if (look.bSelected && (look.bFocused || look.bHot)) {
            // An active contextual tab wears the plain tab's strongest face.
            DrawLookImage(pDC, L"RIBBONTAB", rc, 5, kRibbonTabStates, kTabMargins, TRUE);
        } else {
            CString strName;
            strName.Format(L"CONTEXTTAB%s", strColor.GetString());
            DrawLookImage(pDC, strName, rc, look.bSelected ? 3 : 1, kContextTabStates, kTabMargins, TRUE);
        }
    }
    // A tab the layout squeezed below its natural length is set off from the next by a column.
    if (pItem->IsTruncated())
        DrawLookImage(pDC, L"RIBBONTABSEPARATOR", CRect(rc.right - 1, rc.top, rc.right, rc.bottom), 0, 1);
    // The run of tabs under one context header is closed by a column at each end.
    const CTkRibbonTabContextHeader* pHeader =
        pTab != nullptr && !strColor.IsEmpty() ? pTab->GetContextHeader() : nullptr;
    if (pHeader == nullptr)
        return;
    if (pHeader->m_pFirstTab == pTab)
        DrawLookImage(pDC, L"CONTEXTTABSEPARATOR", CRect(rc.left, rc.top, rc.left + 1, rc.bottom - 1), 0, 1);
    if (pHeader->m_pLastTab == pTab)
        DrawLookImage(pDC, L"CONTEXTTABSEPARATOR", CRect(rc.right - 1, rc.top, rc.right, rc.bottom - 1), 0, 1);
}
