// The base colour set with its system-colour defaults and fills, and the Default and Visual Studio sets.

#include "TkTabColorSet.h"

#include "TkColorManager.h"
#include "TkDrawHelpers.h"
#include "TkTabAppearanceSet.h"

namespace {

// The colour of a slot of the colour manager (a larger value is a literal colour).
COLORREF Slot(COLORREF clrSlotOrValue) {
    return GetColorManager()->GetColor(clrSlotOrValue);
}

}  // namespace

void CTkTabPaintManager::CColorSet::SetStandard(CTkPaintManagerColor& color, COLORREF clrSlotOrValue) {
    color.m_standardValue = clrSlotOrValue == kColorUnset ? kColorUnset : Slot(clrSlotOrValue);
}

int CTkTabPaintManager::CColorSet::GetPosition() const {
    return m_pPaintManager != nullptr ? m_pPaintManager->GetPosition() : kTabPositionTop;
}

int CTkTabPaintManager::CColorSet::GetAppearanceId() const {
    return m_pPaintManager != nullptr ? m_pPaintManager->GetAppearance() : kTabAppearancePropertyPage;
}

void CTkTabPaintManager::CColorSet::RefreshMetrics() {
    RefreshColorManager();
    m_clrHeaderFace.SetStandardColor(Slot(COLOR_BTNFACE));
    SetStandard(m_clrFrameBorder, COLOR_BTNSHADOW);
    SetStandard(m_clrControlFace, COLOR_BTNFACE);
    SetStandard(m_clrTabHighlight, COLOR_BTNHIGHLIGHT);
    SetStandard(m_clrSelectedTab, GetAppearanceId() == kTabAppearanceExcel ? COLOR_WINDOW : COLOR_BTNFACE);
    SetStandard(m_clrHighlightTab, COLOR_BTNFACE);
    SetStandard(m_clrPressedTab, COLOR_BTNFACE);
    SetStandard(m_clrNormalTab, COLOR_BTNFACE);
    SetStandard(m_clrNormalText, COLOR_BTNTEXT);
    SetStandard(m_clrInactiveText, COLOR_BTNTEXT);
    SetStandard(m_clrSelectedText, COLOR_BTNTEXT);
    m_clrHighlightText.m_standardValue = RGB(0, 0, 128);
    SetStandard(m_clrDisabledText, COLOR_GRAYTEXT);
    m_clrStateButtonFace.SetStandardColor(Slot(COLOR_WINDOW));
    m_clrStateButtonBorder.SetStandardColor(Slot(COLOR_HIGHLIGHT));
    SetStandard(m_clrPageLight, COLOR_BTNHIGHLIGHT);
    SetStandard(m_clrPageShadow, COLOR_BTNSHADOW);
    SetStandard(m_clrPageDarkShadow, COLOR_3DDKSHADOW);
    SetStandard(m_clrTabBorder, COLOR_BTNSHADOW);
    SetStandard(m_clrSelectedTabBorder, COLOR_BTNSHADOW);
    SetStandard(m_clrTabFaceStart, COLOR_BTNFACE);
    SetStandard(m_clrTabFaceEnd, COLOR_BTNFACE);
    SetStandard(m_clrExcelSelectedTab[0], COLOR_BTNTEXT);
    SetStandard(m_clrExcelSelectedTab[1], COLOR_BTNSHADOW);
    SetStandard(m_clrExcelSelectedTab[2], COLOR_BTNTEXT);
    for (int i = 3; i < 6; ++i)
        m_clrExcelSelectedTab[i].m_standardValue = kColorUnset;
    CopyExcelSelectedToTabs();
    SetStandard(m_clrExcelTab[3], COLOR_WINDOW);
    SetStandard(m_clrExcelTab[4], COLOR_BTNSHADOW);
}

void CTkTabPaintManager::CColorSet::CopyExcelSelectedToTabs() {
    for (int i = 0; i < 6; ++i)
        m_clrExcelTab[i] = m_clrExcelSelectedTab[i];
}

void CTkTabPaintManager::CColorSet::SetTextColor(CDC* pDC, CTkTabManagerItem* pItem) {
    const CTkTabManager* pManager = pItem->GetTabManager();
    COLORREF clr = m_clrNormalText.GetEffective();
    if (!pItem->IsEnabled())
        clr = m_clrDisabledText.GetEffective();
    else if (pManager != nullptr && !pManager->IsActive())
        clr = m_clrInactiveText.GetEffective();
    else if (pItem->IsSelected())
        clr = m_clrSelectedText.GetEffective();
    else if (pItem->IsHighlighted())
        clr = m_clrHighlightText.GetEffective();
    pDC->SetTextColor(clr);
}

void CTkTabPaintManager::CColorSet::FillGradientByPosition(CDC* pDC, CRect rc, COLORREF clrFirst, COLORREF clrSecond,
                                                           int nPosition) {
    if (clrFirst == kCheckeredColor) {
        CScopedSaveDC save(pDC->GetSafeHdc());
        DrawHalftoneRect(pDC, rc);
        return;
    }
    if (m_pPaintManager != nullptr && m_pPaintManager->m_bInvertGradient)
        std::swap(clrFirst, clrSecond);
    // The gradient runs from the outer side to the client side.
    if (nPosition == kTabPositionBottom || nPosition == kTabPositionRight)
        std::swap(clrFirst, clrSecond);
    GetDrawHelpers()->FillGradient(pDC, rc, clrFirst, clrSecond, !IsHorizontalTabPosition(nPosition));
}

void CTkTabPaintManager::CColorSet::FillHeader(CDC* pDC, CRect rc, CTkTabManager* pManager) {
    const COLORREF clrButtonFace = Slot(COLOR_BTNFACE);
    if (m_clrHeaderFace.m_firstColor.GetEffective() == clrButtonFace &&
        m_clrHeaderFace.m_secondColor.GetEffective() == clrButtonFace && pManager->DrawParentBackground(pDC, rc))
        return;
    FillGradientByPosition(pDC, rc, m_clrHeaderFace.m_firstColor.GetEffective(),
                           m_clrHeaderFace.m_secondColor.GetEffective(), pManager->GetPosition());
}

COLORREF CTkTabPaintManager::CColorSet::FillClient(CDC* pDC, CRect rc, CTkTabManager* pManager) {
    CTkTabManagerItem* pSelected = pManager->GetSelectedItem();
    const COLORREF clr = pSelected != nullptr ? GetItemColor(pSelected) : m_clrSelectedTab.GetEffective();
    pDC->FillSolidRect(rc, clr);
    return clr;
}

void CTkTabPaintManager::CColorSet::FillStateButton(CDC* pDC, CRect rc, CTkTabManagerItem* pItem) {
    const int nPosition = GetPosition();
    if (pItem->IsSelected()) {
        if (m_pPaintManager != nullptr && m_pPaintManager->m_bColorByTab)
            pDC->FillSolidRect(rc, GetItemColor(pItem));
        else
            FillGradientByPosition(pDC, rc, m_clrStateButtonFace.m_firstColor.GetEffective(),
                                   m_clrStateButtonFace.m_secondColor.GetEffective(), nPosition);
        pDC->Draw3dRect(rc, m_clrStateButtonBorder.m_firstColor.GetEffective(),
                        m_clrStateButtonBorder.m_secondColor.GetEffective());
        return;
    }
    const COLORREF clrShadow = Slot(COLOR_BTNSHADOW);
    const COLORREF clrHighlight = Slot(COLOR_BTNHIGHLIGHT);
    if (IsHorizontalTabPosition(nPosition))
        pDC->Draw3dRect(rc.right, rc.top + 2, 2, rc.Height() - 4, clrShadow, clrHighlight);
    else
        pDC->Draw3dRect(rc.left + 2, rc.bottom, rc.Width() - 4, 2, clrShadow, clrHighlight);
}

COLORREF CTkTabPaintManager::CColorSet::FillTab(CDC* pDC, CRect rc, CTkTabManagerItem* pItem) {
    const COLORREF clr = GetItemColor(pItem);
    pDC->FillSolidRect(rc, clr);
    return clr;
}

void CTkTabPaintManager::CColorSet::AdjustHeaderClip(CDC*, CRect, CTkTabManager*) {}

COLORREF CTkTabPaintManager::CColorSet::GetItemColor(const CTkTabManagerItem* pItem) {
    if (m_pPaintManager != nullptr && m_pPaintManager->m_bColorByTab)
        return pItem->GetColor();
    return pItem->IsSelected() ? m_clrSelectedTab.GetEffective() : m_clrNormalTab.GetEffective();
}

void CTkTabPaintManager::CColorSet::FillDefaultNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton, CRect& rc,
                                                              COLORREF clrHot, COLORREF clrShadow) {
    if (pButton->IsEnabled()) {
        const CTkTabManager* pManager = pButton->GetManager();
        if (pButton->IsPressed()) {
            pDC->Draw3dRect(rc, clrShadow, clrHot);
            rc.OffsetRect(1, 1);
        } else if (pManager->GetHighlightedButton() == pButton) {
            pDC->Draw3dRect(rc, clrHot, clrShadow);
        }
    }
    pDC->SetTextColor(Slot(COLOR_BTNTEXT));
}

// ---- Default

void CTkTabPaintManager::CColorSetDefault::RefreshMetrics() {
    CColorSet::RefreshMetrics();
    m_clrStateButtonFace.m_firstColor.m_standardValue = kCheckeredColor;
    m_clrStateButtonBorder.SetStandardColors(Slot(COLOR_BTNSHADOW), Slot(COLOR_BTNHIGHLIGHT));
    SetStandard(m_clrExcelSelectedTab[0], COLOR_BTNTEXT);
    SetStandard(m_clrExcelSelectedTab[1], COLOR_BTNTEXT);
    SetStandard(m_clrExcelSelectedTab[2], COLOR_BTNTEXT);
    SetStandard(m_clrExcelSelectedTab[3], COLOR_WINDOW);
    SetStandard(m_clrExcelSelectedTab[4], COLOR_BTNSHADOW);
    SetStandard(m_clrExcelSelectedTab[5], COLOR_BTNSHADOW);
    for (int i = 0; i < 3; ++i)
        m_clrExcelTab[i] = m_clrExcelSelectedTab[i];
    for (int i = 3; i < 6; ++i) {
        m_clrExcelTab[i].m_standardValue = kColorUnset;
        m_clrExcelTab[i].m_customValue = m_clrExcelSelectedTab[i].m_customValue;
    }
    if (GetAppearanceId() == kTabAppearanceExcel) {
        SetStandard(m_clrSelectedTab, COLOR_BTNFACE);
        SetStandard(m_clrNormalTab, COLOR_WINDOW);
        SetStandard(m_clrFrameBorder, COLOR_BTNTEXT);
    }
}

void CTkTabPaintManager::CColorSetDefault::FillNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton,
                                                              CRect& rc) {
    FillDefaultNavigateButton(pDC, pButton, rc, Slot(COLOR_BTNHIGHLIGHT), Slot(COLOR_BTNSHADOW));
}

// ---- Visual Studio

void CTkTabPaintManager::CColorSetVisualStudio::RefreshMetrics() {
    CColorSetDefault::RefreshMetrics();
    const int nAppearance = GetAppearanceId();
    if (nAppearance != kTabAppearanceExcel && nAppearance != kTabAppearanceStateButtons)
        m_clrHeaderFace.SetStandardColor(Slot(48));
    if (nAppearance == kTabAppearanceVisualStudio) {
        SetStandard(m_clrNormalText, 49);
        SetStandard(m_clrInactiveText, 49);
    }
}

void CTkTabPaintManager::CColorSetVisualStudio::FillNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton,
                                                                   CRect& rc) {
    const int nAppearance = GetAppearanceId();
    if (nAppearance == kTabAppearanceExcel || nAppearance == kTabAppearanceStateButtons) {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    FillDefaultNavigateButton(pDC, pButton, rc, Slot(COLOR_BTNTEXT), Slot(COLOR_BTNFACE));
    pDC->SetTextColor(Slot(49));
}
