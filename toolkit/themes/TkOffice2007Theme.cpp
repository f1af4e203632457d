// CTkOffice2007Theme: settings, the refresh with the look's named colours, the caption font and
// heights, and the menu-bar text colour.
#include "TkOffice2007Theme.h"

#include "TkAuxData.h"
#include "TkControlGalleryOffice2007Theme.h"
#include "TkOffice2007Images.h"
#include "TkProgressOffice2007Theme.h"
#include "TkShadowManager.h"
#include "TkSliderOffice2007Theme.h"
#include "TkTextFunctions.h"

#include <algorithm>

namespace {

constexpr BYTE kClearTypeQuality = 5;  // CLEARTYPE_QUALITY
constexpr COLORREF kFixedGrey = RGB(141, 141, 141);

}  // namespace

CTkOffice2007Theme::CTkOffice2007Theme() {
    m_fntCaption.m_bFollowSystem = TRUE;
    GetShadowManager()->SetOptions(3);
    m_nColorScheme = 0;
    m_bStatusVisualStyle = TRUE;
    m_bNarrowDropDownSpacing = TRUE;
    m_bThemedStatusBar = TRUE;
    m_bMergeFrameStatusBar = FALSE;
    delete m_pGalleryPaintManager;
    m_pGalleryPaintManager = new CTkControlGalleryOffice2007Theme(this);
    delete m_pSliderPaintManager;
    m_pSliderPaintManager = new CTkSliderOffice2007Theme(this);
    delete m_pProgressPaintManager;
    m_pProgressPaintManager = new CTkProgressOffice2007Theme(this);
    m_pImages = GetOffice2007Images();
}

CTkOffice2007Theme::~CTkOffice2007Theme() {
    m_pImages->RemoveAllImages();
    m_fntCaption.DeleteObject();
}

CTkOffice2007Image* CTkOffice2007Theme::LoadImage(LPCTSTR lpszName) const {
    return m_pImages->GetImage(lpszName);
}

void CTkOffice2007Theme::RefreshMetrics() {
    CTkOffice2003Theme::RefreshMetrics();
    RefreshCaptionFont();
    const int cyCaption = ::GetSystemMetrics(SM_CYCAPTION);
    m_nSmallCaptionHeight = std::max(cyCaption, 17);
    m_nCaptionHeight = std::max(cyCaption + 1, 18);
    RefreshNamedColors();
    m_colors[41].m_standardValue = RGB(246, 246, 246);
    for (int nIndex : {44, 45, 46, 47})
        m_colors[nIndex].m_standardValue = RGB(0, 0, 0);
    for (int nIndex : {35, 58, 60})
        m_colors[nIndex].m_standardValue = kFixedGrey;
    GetShadowManager()->SetShadowColor(RGB(0, 0, 0));
    m_bLunaColors = TRUE;
    RebuildGlyphImage();
}

void CTkOffice2007Theme::RefreshCaptionFont() {
    if (!m_fntCaption.m_bFollowSystem && m_fntCaption.GetSafeHandle() != nullptr)
        return;
    NONCLIENTMETRICSW metrics;
    MakeNonClientMetrics(metrics);
    LOGFONTW lf = metrics.lfCaptionFont;
    lf.lfWeight = FW_NORMAL;
    if (IsClearTypeApplied())
        lf.lfQuality = kClearTypeQuality;
    if (m_bRegularIsVerticalFace && DoesFontFaceExist(m_strVerticalFaceName))
        wcsncpy_s(lf.lfFaceName, m_strVerticalFaceName, _TRUNCATE);
    lf.lfHeight = NormalizeMenuFontHeight(lf.lfHeight);
    m_fntCaption.DeleteObject();
    m_fntCaption.CreateFontIndirect(&lf);
}

void CTkOffice2007Theme::RefreshNamedColors() {
    const CTkOffice2007Images* pImages = m_pImages;
    const auto color = [pImages](LPCTSTR lpszSection, LPCTSTR lpszKey) {
        return pImages->GetColor(lpszSection, lpszKey);
    };
    const auto gradient = [&color](CTkPaintManagerColorGradient& target, LPCTSTR lpszSection, LPCTSTR lpszLight,
                                   LPCTSTR lpszDark, float fFactor) {
        target.SetStandardColors(color(lpszSection, lpszLight), color(lpszSection, lpszDark), fFactor);
    };
    const auto entry = [this, &color](int nIndex, LPCTSTR lpszSection, LPCTSTR lpszKey) {
        m_colors[nIndex].m_standardValue = color(lpszSection, lpszKey);
    };

    m_clrStatusText = color(L"StatusBar", L"StatusBarText");
    m_clrStatusBarLine = color(L"StatusBar", L"StatusBarShadow");
    gradient(m_grcStatusBarTop, L"StatusBar", L"StatusBarFaceTopLight", L"StatusBarFaceTopDark", 0.5f);
    gradient(m_grcStatusBarBottom, L"StatusBar", L"StatusBarFaceBottomLight", L"StatusBarFaceBottomDark", 0.5f);
    m_grcDock.SetStandardColor(color(L"Toolbar", L"DockBarFace"));
    gradient(m_grcBarFace, L"Toolbar", L"ToolbarFaceLight", L"ToolbarFaceDark", 0.75f);
    m_clrBarShadow.m_standardValue = color(L"Toolbar", L"ToolbarFaceShadow");
    m_colors[52].m_standardValue = m_clrBarShadow.GetEffective();
    gradient(m_grcExpandButton, L"Toolbar", L"ControlToolbarExpandLight", L"ControlToolbarExpandDark", 0.75f);
    gradient(m_grcPoppedUp, L"Toolbar", L"ControlHighlightPopupedLight", L"ControlHighlightPopupedDark", 0.5f);
    m_grcGlyph.CopyEffectiveColors(m_grcPoppedUp);
    gradient(m_grcIconBand, L"Toolbar", L"MenuPopupGripperLight", L"MenuPopupGripperDark", 0.5f);
    gradient(m_grcRarelyUsedBand, L"Toolbar", L"MenuPopupExpandedGripperLight", L"MenuPopupExpandedGripperDark", 0.5f);
    m_clrTearOff.m_standardValue = color(L"Toolbar", L"MenuPopupTearOffGripper");
    m_clrMenuBarText = color(L"Toolbar", L"MenuBarText");
    entry(43, L"Toolbar", L"MenuPopupBorder");
    entry(38, L"Toolbar", L"ToolbarGripper");
    entry(54, L"Window", L"WindowFrame");
    m_clrFloatingCaption.m_standardValue = color(L"Toolbar", L"FloatingBarGripper");
    m_clrFloatingCaptionText.m_standardValue = color(L"Toolbar", L"FloatingBarGripperText");
    entry(61, L"Toolbar", L"FloatingBarBorder");
    entry(12, L"Workspace", L"AppWorkspace");
    entry(51, L"Window", L"ButtonFace");
    entry(30, L"Toolbar", L"ToolbarFace");
    entry(39, L"Toolbar", L"ToolbarSeparator");
    entry(40, L"Toolbar", L"ControlDisabledIcon");
    m_clrWorkspaceTop = color(L"Workspace", L"WorkspaceClientTop");
    m_clrWorkspaceMiddle = color(L"Workspace", L"WorkspaceClientMiddle");
    m_clrWorkspaceBottom = color(L"Workspace", L"WorkspaceClientBottom");
    entry(31, L"Window", L"HighlightSelected");
    entry(32, L"Window", L"HighlightSelectedBorder");
    entry(33, L"Window", L"HighlightPressed");
    entry(50, L"Window", L"HighlightPressedBorder");
    entry(36, L"Window", L"HighlightChecked");
    entry(37, L"Window", L"HighlightCheckedBorder");
    gradient(m_grcHot, L"Window", L"HighlightSelectedLight", L"HighlightSelectedDark", 0.5f);
    gradient(m_grcChecked, L"Window", L"HighlightCheckedLight", L"HighlightCheckedDark", 0.5f);
    gradient(m_grcPushed, L"Window", L"HighlightPressedLight", L"HighlightPressedDark", 0.5f);
    for (int i = 0; i < 4; ++i) {
        CString strKey;
        strKey.Format(L"BorderActive%d", i);
        m_clrFrameBorderActive[i] = color(L"Window", strKey);
        strKey.Format(L"BorderInactive%d", i);
        m_clrFrameBorderInactive[i] = color(L"Window", strKey);
    }
    m_clrCaptionTextDocument = color(L"Window", L"CaptionTextActiveTitle");
    m_clrCaptionTextInactive = color(L"Window", L"CaptionTextInActive");
    m_clrCaptionTextActive = color(L"Window", L"CaptionTextActive");
    entry(56, L"Toolbar", L"ControlLabel");
    entry(53, L"Toolbar", L"ControlEditBorder");
    gradient(m_grcDisabledIcon, L"Toolbar", L"ControlDisabledIconLight", L"ControlDisabledIconDark", 0.5f);
    gradient(m_grcMessageBar, L"MessageBar", L"MessageBarLight", L"MessageBarDark", 0.5f);
    m_clrMessageBarFrame = color(L"MessageBar", L"MessageBarFrame");
    m_clrInfoText = color(L"MessageBar", L"MessageBarText");
    m_clrMessageBarFace = color(L"MessageBar", L"MessageBar");
}

// Idle items of the menu bar take the look's menu-bar text colour.
COLORREF CTkOffice2007Theme::GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                               BOOL bPopuped, int nBarType, int nBarPosition) {
    if (nBarType == kBarTypeMenuBar && bEnabled && !bSelected && !bPressed && !bChecked && !bPopuped)
        return m_clrMenuBarText;
    return CTkOfficeTheme::GetStateTextColor(bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType, nBarPosition);
}
