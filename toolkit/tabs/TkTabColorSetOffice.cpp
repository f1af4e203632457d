// The Office 2003 colour set and the sets built on it: Whidbey, Visual Studio 2008, Office 2007 and
// Access 2007. Their palettes follow the Windows theme kind unless the system theme is ignored; the
// 2007 sets take their colours from the Office 2007 look when one is loaded.

#include "TkTabColorSet.h"

#include "TkColorManager.h"
#include "TkDrawHelpers.h"
#include "TkOffice2007Image.h"
#include "TkOffice2007Images.h"
#include "TkTabAppearanceSet.h"

namespace {

COLORREF Slot(COLORREF clrSlotOrValue) {
    return GetColorManager()->GetColor(clrSlotOrValue);
}

// Theme kinds of the colour manager.
constexpr int kThemeLunaBlue = 1;
constexpr int kThemeLunaOlive = 2;
constexpr int kThemeLunaSilver = 3;
constexpr int kThemeRoyale = 4;
constexpr int kThemeAero = 5;

// One Office 2003 palette.
struct Office2003Palette {
    COLORREF frameBorder;  // also the selected tab's border
    COLORREF darkShadow;   // page dark shadow and tab border
    COLORREF shadow;       // page shadow and tab face start
    COLORREF stateButtonBorder;
    COLORREF headerFirst;
    COLORREF headerSecond;
    COLORREF normalTab;
    COLORREF hotTab;
};

const Office2003Palette kLunaBluePalette = {RGB(59, 97, 156),   RGB(0, 53, 154),    RGB(117, 166, 241),
                                            RGB(0, 0, 128),     RGB(196, 218, 250), RGB(252, 253, 254),
                                            RGB(162, 192, 246), RGB(255, 240, 201)};
const Office2003Palette kLunaOlivePalette = {RGB(96, 128, 88),   RGB(96, 119, 107),  RGB(176, 194, 140),
                                             RGB(63, 93, 56),    RGB(242, 241, 228), RGB(252, 254, 254),
                                             RGB(208, 222, 170), RGB(255, 240, 199)};
const Office2003Palette kLunaSilverPalette = {RGB(124, 124, 148), RGB(118, 116, 146), RGB(186, 185, 206),
                                              RGB(75, 75, 111),   RGB(243, 243, 247), RGB(252, 254, 254),
                                              RGB(217, 217, 230), RGB(255, 238, 194)};
constexpr COLORREF kPaletteStateButtonFace = RGB(255, 192, 111);
constexpr COLORREF kPaletteSelectedTab = RGB(255, 194, 115);
constexpr COLORREF kPalettePressedTab = RGB(254, 142, 75);

// The look of a button that is hot, or pressed while hot.
enum class ButtonLook { kNone, kHot, kPressed };

ButtonLook GetButtonLook(const CTkTabManagerNavigateButton* pButton) {
    if (!pButton->IsEnabled())
        return ButtonLook::kNone;
    const BOOL bHighlighted = pButton->GetManager()->GetHighlightedButton() == pButton;
    if (pButton->IsPressed() && bHighlighted)
        return ButtonLook::kPressed;
    if (bHighlighted || pButton->IsPressed())
        return ButtonLook::kHot;
    return ButtonLook::kNone;
}

}  // namespace

// ---- Office 2003

void CTkTabPaintManager::CColorSetOffice2003::ApplyThemePalette(int nTheme) {
    const Office2003Palette* pPalette = nullptr;
    switch (nTheme) {
        case kThemeLunaBlue:
        case kThemeRoyale:
        case kThemeAero:
            pPalette = &kLunaBluePalette;
            break;
        case kThemeLunaOlive:
            pPalette = &kLunaOlivePalette;
            break;
        case kThemeLunaSilver:
            pPalette = &kLunaSilverPalette;
            break;
        default:
            SetStandard(m_clrSelectedTab, 36);
            m_bThemedPalette = FALSE;
            return;
    }
    const Office2003Palette& p = *pPalette;
    m_clrFrameBorder.m_standardValue = m_clrSelectedTabBorder.m_standardValue = p.frameBorder;
    m_clrPageDarkShadow.m_standardValue = m_clrTabBorder.m_standardValue = p.darkShadow;
    m_clrPageShadow.m_standardValue = m_clrTabFaceStart.m_standardValue = p.shadow;
    m_clrTabFaceEnd.m_standardValue = RGB(255, 255, 255);
    m_clrStateButtonFace.SetStandardColor(kPaletteStateButtonFace);
    m_clrStateButtonBorder.SetStandardColor(p.stateButtonBorder);
    m_clrHeaderFace.SetStandardColors(p.headerFirst, p.headerSecond);
    m_clrNormalTab.m_standardValue = p.normalTab;
    m_clrSelectedTab.m_standardValue = kPaletteSelectedTab;
    m_clrHighlightTab.m_standardValue = p.hotTab;
    m_clrButtonFrame.m_standardValue = p.stateButtonBorder;
    m_bThemedPalette = TRUE;
}

void CTkTabPaintManager::CColorSetOffice2003::RefreshMetrics() {
    CColorSet::RefreshMetrics();
    m_clrHeaderFace.SetStandardColors(Slot(COLOR_BTNFACE),
                                      CTkColorManager::BlendColors(Slot(COLOR_BTNFACE), Slot(COLOR_WINDOW), 205));
    m_clrStateButtonFace.SetStandardColor(Slot(36));
    m_clrStateButtonBorder.SetStandardColor(Slot(37));
    SetStandard(m_clrHighlightTab, 36);
    SetStandard(m_clrPressedTab, 33);
    SetStandard(m_clrHighlightText, COLOR_BTNTEXT);
    m_bThemedPalette = FALSE;
    if (!m_pPaintManager->IsSystemThemeIgnored())
        ApplyThemePalette(GetColorManager()->GetCurrentSystemTheme());
    if (m_bThemedPalette)
        m_clrPressedTab.m_standardValue = kPalettePressedTab;
    // The sheet tabs are outlined in the frame colour.
    for (int i = 0; i < 3; ++i)
        m_clrExcelSelectedTab[i].m_standardValue = m_clrFrameBorder.GetEffective();
    for (int i = 3; i < 6; ++i)
        m_clrExcelSelectedTab[i].m_standardValue = kColorUnset;
    CopyExcelSelectedToTabs();
    if (GetAppearanceId() == kTabAppearanceStateButtons)
        m_clrHeaderFace.SetStandardColor(Slot(COLOR_BTNFACE));
}

COLORREF CTkTabPaintManager::CColorSetOffice2003::FillGradientTab(CDC* pDC, const CRect& rc, CTkTabManagerItem* pItem,
                                                                  BOOL bPressedCase) {
    COLORREF clr = GetItemColor(pItem);
    if (bPressedCase && pItem->IsPressed())
        clr = m_clrPressedTab.GetEffective();
    else if (pItem->IsHighlighted())
        clr = m_clrHighlightTab.GetEffective();
    FillGradientByPosition(pDC, rc, CTkColorManager::BlendColors(clr, RGB(255, 255, 255), 300), clr, GetPosition());
    return clr;
}

COLORREF CTkTabPaintManager::CColorSetOffice2003::FillTab(CDC* pDC, CRect rc, CTkTabManagerItem* pItem) {
    return FillGradientTab(pDC, rc, pItem, TRUE);
}

void CTkTabPaintManager::CColorSetOffice2003::FillNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton,
                                                                 CRect& rc) {
    const ButtonLook look = GetButtonLook(pButton);
    if (look == ButtonLook::kNone) {
        pDC->SetTextColor(Slot(COLOR_BTNTEXT));
        return;
    }
    if (m_bThemedPalette) {
        if (look == ButtonLook::kPressed)
            GetDrawHelpers()->FillGradient(pDC, rc, RGB(75, 142, 254), RGB(139, 207, 255), FALSE);
        else
            GetDrawHelpers()->FillGradient(pDC, rc, RGB(200, 242, 255), RGB(151, 212, 255), FALSE);
        const COLORREF clrFrame = m_clrButtonFrame.GetEffective();
        pDC->Draw3dRect(rc, clrFrame, clrFrame);
        pDC->SetTextColor(Slot(COLOR_BTNTEXT));
        return;
    }
    const BOOL bPressed = look == ButtonLook::kPressed;
    pDC->FillSolidRect(rc, Slot(bPressed ? 33 : 31));
    const COLORREF clrFrame = Slot(bPressed ? 50 : 32);
    pDC->Draw3dRect(rc, clrFrame, clrFrame);
    pDC->SetTextColor(Slot(bPressed ? 47 : 45));
}

// ---- Whidbey

void CTkTabPaintManager::CColorSetWhidbey::RefreshMetrics() {
    m_bGradientTabs = FALSE;
    if (!m_pPaintManager->IsSystemThemeIgnored()) {
        // While the Windows theme is honoured the set draws as Office 2003.
        CColorSetOffice2003::RefreshMetrics();
    } else {
        CColorSet::RefreshMetrics();
        SetStandard(m_clrSelectedTab, COLOR_WINDOW);
        SetStandard(m_clrSelectedText, COLOR_WINDOWTEXT);
        SetStandard(m_clrHighlightTab, 36);
        SetStandard(m_clrPressedTab, 33);
        SetStandard(m_clrHighlightText, COLOR_BTNTEXT);
        m_bThemedPalette = FALSE;
        switch (GetColorManager()->GetCurrentSystemTheme()) {
            case kThemeLunaBlue:
            case kThemeLunaOlive:
                m_clrHeaderFace.SetStandardColor(RGB(228, 226, 213));
                m_bGradientTabs = TRUE;
                break;
            case kThemeLunaSilver:
                m_clrNormalTab.m_standardValue = RGB(245, 245, 248);
                m_clrHeaderFace.SetStandardColor(RGB(238, 238, 238));
                m_bGradientTabs = TRUE;
                break;
            default:
                break;
        }
        SetStandard(m_clrFrameBorder, 57);
        SetStandard(m_clrSelectedTabBorder, 57);
    }
}

COLORREF CTkTabPaintManager::CColorSetWhidbey::FillTab(CDC* pDC, CRect rc, CTkTabManagerItem* pItem) {
    if (m_bGradientTabs)
        return FillGradientTab(pDC, rc, pItem, FALSE);
    COLORREF clr = GetItemColor(pItem);
    if (pItem->IsHighlighted())
        clr = m_clrHighlightTab.GetEffective();
    pDC->FillSolidRect(rc, clr);
    return clr;
}

// ---- Visual Studio 2008

void CTkTabPaintManager::CColorSetVisualStudio2008::RefreshMetrics() {
    m_bGradientTabs = FALSE;
    if (!m_pPaintManager->IsSystemThemeIgnored()) {
        CColorSetOffice2003::RefreshMetrics();
        return;
    }
    CColorSet::RefreshMetrics();
    SetStandard(m_clrSelectedText, COLOR_WINDOWTEXT);
    SetStandard(m_clrPressedTab, 33);
    SetStandard(m_clrHighlightText, COLOR_BTNTEXT);
    SetStandard(m_clrFrameBorder, 57);
    SetStandard(m_clrSelectedTabBorder, 57);
    SetStandard(m_clrSelectedTab, COLOR_BTNFACE);
    SetStandard(m_clrHighlightTab, COLOR_WINDOW);
    SetStandard(m_clrNormalTab, COLOR_BTNFACE);
    m_clrHeaderFace.SetStandardColor(Slot(COLOR_BTNFACE));
    m_bThemedPalette = FALSE;
    struct ThemeColors {
        int nTheme;
        COLORREF selected, normal, hot, frame;  // normal kUnset: unchanged
    };
    static const ThemeColors kThemes[] = {
        {kThemeLunaBlue, RGB(193, 210, 238), kColorUnset, RGB(167, 191, 227), RGB(152, 181, 226)},
        {kThemeRoyale, RGB(193, 210, 238), kColorUnset, RGB(167, 191, 227), RGB(152, 181, 226)},
        {kThemeAero, RGB(210, 230, 250), RGB(152, 180, 210), RGB(129, 208, 241), RGB(105, 161, 191)},
        {kThemeLunaOlive, RGB(182, 198, 141), kColorUnset, RGB(175, 175, 142), RGB(147, 160, 112)},
        {kThemeLunaSilver, RGB(225, 226, 236), kColorUnset, RGB(255, 201, 128), RGB(147, 145, 176)},
    };
    const int nTheme = GetColorManager()->GetCurrentSystemTheme();
    for (const ThemeColors& row : kThemes) {
        if (row.nTheme != nTheme)
            continue;
        m_clrSelectedTab.m_standardValue = row.selected;
        if (row.normal != kColorUnset)
            m_clrNormalTab.m_standardValue = row.normal;
        m_clrHighlightTab.m_standardValue = row.hot;
        m_clrFrameBorder.m_standardValue = row.frame;
        m_bGradientTabs = TRUE;
    }
    m_clrSelectedTabBorder.m_standardValue = m_clrFrameBorder.GetEffective();
}

COLORREF CTkTabPaintManager::CColorSetVisualStudio2008::FillTab(CDC* pDC, CRect rc, CTkTabManagerItem* pItem) {
    COLORREF clr = GetItemColor(pItem);
    if (pItem->IsHighlighted() && !pItem->IsSelected())
        clr = m_clrHighlightTab.GetEffective();
    if (pItem->IsSelected() || m_bGradientTabs)
        FillGradientByPosition(pDC, rc, RGB(253, 253, 253), clr, GetPosition());
    else
        pDC->FillSolidRect(rc, clr);
    return clr;
}

// ---- Office 2007

void CTkTabPaintManager::CColorSetOffice2007::RefreshMetrics() {
    CColorSetOffice2003::RefreshMetrics();
    CTkOffice2007Images* pLook = GetOffice2007Images();
    if (pLook->IsLoaded()) {
        auto look = [pLook](CTkPaintManagerColor& color, LPCWSTR pszSection, LPCWSTR pszKey) {
            color.m_standardValue = pLook->GetColor(pszSection, pszKey);
        };
        look(m_clrFrameBorder, L"TabManager", L"FrameBorder");
        look(m_clrSelectedTabBorder, L"TabManager", L"FrameBorder");
        look(m_clrPageDarkShadow, L"TabManager", L"DarkShadow");
        look(m_clrTabBorder, L"TabManager", L"DarkShadow");
        look(m_clrPageShadow, L"TabManager", L"LightShadow");
        look(m_clrTabFaceStart, L"TabManager", L"LightShadow");
        m_clrTabFaceEnd.m_standardValue = RGB(255, 255, 255);
        m_clrHeaderFace.SetStandardColor(pLook->GetColor(L"Ribbon", L"RibbonFace"));
        look(m_clrNormalTab, L"Window", L"ButtonFace");
        look(m_clrSelectedTab, L"Window", L"HighlightChecked");
        look(m_clrHighlightTab, L"Window", L"HighlightSelected");
        look(m_clrButtonFrame, L"Window", L"WindowFrame");
        look(m_clrHighlightText, L"Ribbon", L"TabNormalText");
        look(m_clrNormalText, L"Ribbon", L"TabNormalText");
        look(m_clrSelectedText, L"Ribbon", L"TabSelectedText");
    } else {
        SetStandard(m_clrPressedTab, 33);
        SetStandard(m_clrHighlightText, COLOR_BTNTEXT);
        ApplyThemePalette(kThemeLunaBlue);
    }
    m_bThemedPalette = TRUE;
    m_clrNavigateButtonText.m_standardValue = m_clrNormalText.GetEffective();
}

void CTkTabPaintManager::CColorSetOffice2007::FillNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton,
                                                                 CRect& rc) {
    CTkOffice2007Images* pLook = GetOffice2007Images();
    if (!pLook->IsLoaded()) {
        FillDefaultNavigateButton(pDC, pButton, rc, Slot(COLOR_BTNHIGHLIGHT), Slot(COLOR_BTNSHADOW));
        return;
    }
    // A tab's own button keeps the tab's text colour.
    if (pButton->GetItem() == nullptr)
        pDC->SetTextColor(m_clrNavigateButtonText.GetEffective());
    const BOOL bHighlighted = pButton->GetManager()->GetHighlightedButton() == pButton;
    if (!pButton->IsEnabled() || (!pButton->IsPressed() && !bHighlighted))
        return;
    if (CTkOffice2007Image* pImage = pLook->GetImage(L"TOOLBARBUTTONS22"))
        pImage->DrawImageKeyed(pDC, rc, pImage->GetSource(pButton->IsPressed() ? 1 : 0, 4), CRect(2, 2, 2, 2),
                               RGB(255, 0, 255));
    pDC->SetTextColor(RGB(0, 0, 0));
}

// ---- Access 2007

void CTkTabPaintManager::CColorSetAccess2007::RefreshMetrics() {
    CColorSetOffice2007::RefreshMetrics();
    CTkOffice2007Images* pLook = GetOffice2007Images();
    if (!pLook->IsLoaded())
        return;
    m_clrNormalText.m_standardValue = m_clrSelectedText.m_standardValue = m_clrHighlightText.m_standardValue =
        RGB(0, 0, 0);
    m_clrFrameBorder.m_standardValue = m_clrSelectedTabBorder.m_standardValue =
        pLook->GetColor(L"TabManager", L"AccessBorder");
    m_clrHeaderFace.SetStandardColor(pLook->GetColor(L"TabManager", L"AccessHeader"));
    m_clrNavigateButtonText.m_standardValue = pLook->GetColor(L"Ribbon", L"TabNormalText");
}
