// CTkRibbonTheme: settings, the fonts and sizes that follow the menu font, and the refresh with the
// look's ribbon colours.
#include "TkRibbonTheme.h"

#include "TkAuxData.h"
#include "TkOffice2007Images.h"
#include "TkShadowManager.h"
#include "TkTabColorSet.h"
#include "TkTabPaintManager.h"
#include "TkTextFunctions.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr BYTE kClearTypeQuality = 5;  // CLEARTYPE_QUALITY
constexpr COLORREF kRibbonGrayText = RGB(141, 141, 141);
constexpr int kMinFontBase = 11;  // menu fonts up to 12 pixels make the ribbon of an 11-pixel font
constexpr int kMinControlHeight = 22;

void CopyFaceName(LOGFONTW& lf, LPCWSTR pszFace) {
    wcsncpy_s(lf.lfFaceName, pszFace, _TRUNCATE);
}

// A font is made again from its description while it follows the system, or when it has none yet.
void RefreshFollower(CTkPaintManagerFont& font, const LOGFONTW& lf) {
    if (!font.m_bFollowSystem && font.GetSafeHandle() != nullptr)
        return;
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
}

}  // namespace

CTkRibbonTheme::CTkRibbonTheme() {
    m_bMergeFrameStatusBar = TRUE;
    m_bClearType = TRUE;
    m_nSplitButtonDropDownWidth = 12;
    m_nPopupSplitWidth = 26;
    m_nReserved3 = 22;
    m_rcExtraMargins.SetRect(0, 0, 0, 1);
    m_pTabPaintManager = CreateTabPaintManager();
    m_pTabPaintManager->RefreshMetrics();
    m_strVerticalFaceName = L"Segoe UI";
    m_bRegularIsVerticalFace = TRUE;
    m_bLabelIcons = FALSE;
    // Ribbon popups cast shadows whatever the system setting says.
    GetShadowManager()->SetOptions(1);
}

CTkRibbonTheme::~CTkRibbonTheme() {
    m_pTabPaintManager->InternalRelease();
    m_pTabPaintManager = nullptr;
    m_fntRibbon.DeleteObject();
}

RibbonMetrics CTkRibbonTheme::CalcRibbonMetrics(const RibbonFontSource& source) {
    RibbonMetrics metrics;
    int a = std::abs(source.nMenuFontHeight);
    if (source.nExplicitFontHeight > kMinFontBase)
        a = source.nExplicitFontHeight;
    if (a <= 12)
        a = kMinFontBase;
    const int e = a * 144 / 96;
    metrics.nFontBase = a;
    metrics.nFontHeight = a * 120 / 96;
    metrics.nControlHeight = std::max(e + 6, kMinControlHeight);
    metrics.nControlRowHeight = std::max(a * 195 / 96, kMinControlHeight);
    metrics.nTabStripHeight = CalcTabStripHeight(metrics.nControlRowHeight);
    metrics.nGroupCaptionHeight = std::max(e, 17);
    metrics.nSplitDropDownWidth = std::max(metrics.nControlHeight / 2, 12);
    return metrics;
}

int CTkRibbonTheme::CalcTabStripHeight(int nControlRowHeight) {
    return nControlRowHeight > kMinControlHeight ? nControlRowHeight + 2 : 23;
}

void CTkRibbonTheme::RefreshFonts() {
    NONCLIENTMETRICSW ncm;
    MakeNonClientMetrics(ncm);
    const LOGFONTW& menu = ncm.lfMenuFont;
    const RibbonMetrics metrics = CalcRibbonMetrics({menu.lfHeight, m_nExplicitFontHeight});

    LOGFONTW lf{};
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = menu.lfCharSet;
    lf.lfQuality = menu.lfQuality;
    if (IsClearTypeApplied()) {
        lf.lfQuality = kClearTypeQuality;
        ncm.lfSmCaptionFont.lfQuality = kClearTypeQuality;
        ncm.lfStatusFont.lfQuality = kClearTypeQuality;
    }
    // The preferred face only where it is installed; elsewhere the menu font's.
    if (m_bRegularIsVerticalFace && DoesFontFaceExist(m_strVerticalFaceName)) {
        CopyFaceName(lf, m_strVerticalFaceName);
        CopyFaceName(ncm.lfStatusFont, m_strVerticalFaceName);
    } else {
        CopyFaceName(lf, menu.lfFaceName);
    }
    lf.lfHeight = metrics.nFontHeight;

    if (m_bUseStandardFont)
        SetRegularFont(&lf, TRUE);
    m_nControlHeight = metrics.nControlHeight;
    m_nControlRowHeight = metrics.nControlRowHeight;
    m_nTabStripHeight = metrics.nTabStripHeight;
    m_nGroupCaptionHeight = metrics.nGroupCaptionHeight;
    m_nSplitButtonDropDownWidth = metrics.nSplitDropDownWidth;

    RefreshFollower(m_fntRibbon, lf);
    LOGFONTW lfMenuFace = lf;
    CopyFaceName(lfMenuFace, menu.lfFaceName);
    RefreshFollower(m_fntIconTitle, lfMenuFace);
    lfMenuFace.lfWeight = FW_BOLD;
    RefreshFollower(m_fntIconTitleBold, lfMenuFace);
    RefreshFollower(m_fntSmallCaption, ncm.lfSmCaptionFont);
    RefreshFollower(m_fntStatus, ncm.lfStatusFont);

    m_pTabPaintManager->RefreshMetrics();
    m_pTabPaintManager->SetFontIndirect(&lf);
}

void CTkRibbonTheme::RefreshMetrics() {
    CTkOffice2007Theme::RefreshMetrics();
    RefreshRibbonColors();
    RebuildGlyphImage();
}

void CTkRibbonTheme::RefreshRibbonColors() {
    const CTkOffice2007Images* pImages = GetImages();
    const auto color = [pImages](LPCTSTR lpszKey) { return pImages->GetColor(L"Ribbon", lpszKey); };

    m_clrRibbonFace = color(L"RibbonFace");
    CTkTabPaintManager::CColorSet* pTabColors = m_pTabPaintManager->GetColorSet();
    pTabColors->m_clrNormalText.m_standardValue = color(L"TabNormalText");
    pTabColors->m_clrHighlightText.m_standardValue = color(L"TabNormalText");
    pTabColors->m_clrSelectedText.m_standardValue = color(L"TabSelectedText");
    m_clrGroupCaptionText = color(L"GroupCaptionText");
    m_colors[46].m_standardValue = color(L"GroupClientText");
    m_clrRibbonText = color(L"RibbonText");
    m_colors[60].m_standardValue = kRibbonGrayText;
    m_clrRibbonGrayText = color(L"RibbonGrayText");
    if (m_clrRibbonGrayText == kColorUnset)
        m_clrRibbonGrayText = kRibbonGrayText;
    m_clrEditFace = color(L"ControlEditNormal");
    m_clrMinimizedEdgeHighlight = color(L"MinimizedFrameEdgeHighLight");
    m_clrMinimizedEdgeShadow = color(L"MinimizedFrameEdgeShadow");
    m_colors[44].m_standardValue = color(L"MenuPopupText");
    m_grcMenuGripper.SetStandardColors(color(L"MenuPopupGripper"), color(L"MenuPopupGripper"), 0.5f);
    m_grcRarelyUsedBand.SetStandardColors(color(L"MenuPopupExpandedGripperLight"),
                                          color(L"MenuPopupExpandedGripperDark"), 0.5f);
    GetShadowManager()->SetShadowColor(RGB(0, 0, 0));
    m_colors[35].m_standardValue = RGB(167, 167, 167);
    m_colors[45].m_standardValue = color(L"ControlHighlightText");
    m_colors[43].m_standardValue = RGB(134, 134, 134);
    m_colors[41].m_standardValue = RGB(250, 250, 250);
}

void RegisterRibbonTheme() {
    CTkPaintManager::RegisterThemeCreator(kThemeRibbon, CTkRibbonTheme::Create);
}
