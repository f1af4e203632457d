// CTkVisualStudio2008Theme: settings and the refresh with its colour sets by visual style.
#include "TkVisualStudio2008Theme.h"

#include "TkColorManager.h"
#include "TkShadowManager.h"

namespace {

constexpr SystemThemeKind kLunaBlue = 1;
constexpr SystemThemeKind kLunaOlive = 2;
constexpr SystemThemeKind kLunaSilver = 3;
constexpr SystemThemeKind kRoyale = 4;
constexpr SystemThemeKind kAero = 5;
// Shadows whatever the system's drop-shadow setting, not clipped against other owners.
constexpr int kShadowOptions = 1;
constexpr COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

CTkVisualStudio2008Theme::CTkVisualStudio2008Theme() {
    m_nPopupTextGap = 10;
    GetShadowManager()->SetOptions(kShadowOptions);
}

CTkVisualStudio2008Theme::~CTkVisualStudio2008Theme() = default;

void CTkVisualStudio2008Theme::RefreshMetrics() {
    CTkWhidbeyTheme::RefreshMetrics();
    m_grcIconBand.SetStandardColors(
        CTkColorManager::BlendColors(LookupColor(COLOR_BTNFACE), LookupColor(COLOR_WINDOW), 40),
        LookupColor(COLOR_BTNFACE), 0.5f);
    m_grcMenuHot.SetStandardColor(LookupColor(COLOR_HIGHLIGHT));
    m_clrMenuHotFrame.m_standardValue = LookupColor(COLOR_HIGHLIGHT);
    m_clrMenuHotText.m_standardValue = LookupColor(COLOR_HIGHLIGHTTEXT);
    switch (GetColorManager()->GetCurrentSystemTheme()) {
        case kLunaBlue:
        case kRoyale:
            m_grcMenuHot.SetStandardColors(RGB(239, 243, 250), RGB(193, 210, 238), 0.5f);
            m_clrMenuHotFrame.m_standardValue = RGB(152, 181, 226);
            m_clrMenuHotText.m_standardValue = kBlack;
            m_grcIconBand.SetStandardColor(RGB(241, 241, 241));
            m_grcRarelyUsedBand.SetStandardColor(RGB(215, 227, 234));
            m_colors[56].m_standardValue = RGB(221, 231, 238);
            break;
        case kLunaOlive:
            m_grcMenuHot.SetStandardColors(RGB(239, 242, 227), RGB(194, 207, 158), 0.5f);
            m_clrMenuHotFrame.m_standardValue = RGB(147, 160, 112);
            m_grcIconBand.SetStandardColors(RGB(247, 246, 239), RGB(233, 230, 214), 0.5f);
            m_clrMenuHotText.m_standardValue = kBlack;
            break;
        case kLunaSilver:
            m_grcMenuHot.SetStandardColors(RGB(255, 246, 204), RGB(255, 194, 115), 0.5f);
            m_clrMenuHotFrame.m_standardValue = RGB(255, 192, 111);
            m_clrMenuHotText.m_standardValue = kBlack;
            m_grcIconBand.SetStandardColors(RGB(232, 233, 242), RGB(193, 193, 211), 0.5f);
            m_grcPoppedUp.SetStandardColors(RGB(232, 233, 241), RGB(192, 191, 209), 0.5f);
            m_colors[39].m_standardValue = RGB(110, 109, 143);
            break;
        case kAero:
            ApplyAeroColors();
            break;
        default:
            break;
    }
}

// Aero has no Whidbey set of its own: every bar colour and the button-state gradients come from here, and
// the states use the gradients.
void CTkVisualStudio2008Theme::ApplyAeroColors() {
    m_grcMenuHot.SetStandardColors(RGB(241, 248, 251), RGB(186, 228, 246), 0.5f);
    m_clrMenuHotFrame.m_standardValue = RGB(150, 217, 249);
    m_grcIconBand.SetStandardColors(RGB(244, 247, 252), RGB(212, 216, 230), 0.5f);
    m_clrMenuHotText.m_standardValue = kBlack;
    m_grcDock.SetStandardColors(RGB(233, 236, 250), RGB(244, 247, 252), 0.5f);
    m_grcBarFace.SetStandardColors(RGB(250, 250, 253), RGB(196, 203, 219), 0.75f);
    m_clrBarShadow.m_standardValue = RGB(181, 190, 206);
    m_grcPoppedUp.SetStandardColors(RGB(255, 255, 255), RGB(118, 184, 219), 0.5f);
    m_clrFloatingCaption.m_standardValue = RGB(128, 128, 128);
    m_grcExpandButton.SetStandardColors(RGB(195, 202, 218), RGB(233, 236, 250), 0.75f);
    m_clrStatusFrame.m_standardValue = RGB(160, 160, 180);
    GetShadowManager()->SetShadowColor(kBlack);
    m_grcDisabledIcon.SetStandardColors(RGB(244, 247, 252), RGB(113, 124, 152), 0.5f);
    const std::pair<int, COLORREF> entries[] = {
        {53, RGB(240, 240, 240)}, {38, RGB(160, 160, 180)},
        {39, RGB(160, 160, 180)}, {40, RGB(128, 128, 128)},
        {41, RGB(240, 240, 240)}, {43, RGB(160, 160, 160)},
        {31, RGB(182, 228, 247)}, {32, RGB(41, 153, 255)},
        {50, RGB(41, 153, 255)},  {37, RGB(48, 127, 177)},
        {33, RGB(206, 237, 250)}, {36, RGB(206, 237, 250)},
        {30, RGB(233, 236, 250)}, {47, kBlack},
    };
    for (const auto& [nIndex, clr] : entries)
        m_colors[nIndex].m_standardValue = clr;
    m_grcChecked.SetStandardColors(RGB(237, 248, 253), RGB(129, 192, 224), 0.5f);
    m_grcHot.SetStandardColors(RGB(237, 248, 253), RGB(129, 192, 224), 0.5f);
    m_grcPushed.SetStandardColors(RGB(228, 245, 252), RGB(124, 177, 204), 0.5f);
    m_bLunaColors = TRUE;
}
