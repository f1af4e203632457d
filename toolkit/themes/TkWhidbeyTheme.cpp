// CTkWhidbeyTheme: settings and the refresh with its colour sets by visual style.
#include "TkWhidbeyTheme.h"

#include "TkColorManager.h"

namespace {

constexpr SystemThemeKind kLunaBlue = 1;
constexpr SystemThemeKind kLunaOlive = 2;
constexpr SystemThemeKind kLunaSilver = 3;

}  // namespace

CTkWhidbeyTheme::CTkWhidbeyTheme() {
    m_nColorScheme = 0;
    m_bFlatSeparators = TRUE;
}

CTkWhidbeyTheme::~CTkWhidbeyTheme() = default;

void CTkWhidbeyTheme::RefreshMetrics() {
    CTkOffice2003Theme::RefreshMetrics();
    if (CTkColorManager::CheckLowColorDisplay(nullptr))
        m_grcExpandButton.SetStandardColor(LookupColor(COLOR_BTNFACE));
    else
        m_grcExpandButton.SetStandardColors(
            CTkColorManager::BlendColors(LookupColor(COLOR_WINDOW), LookupColor(COLOR_BTNFACE), 550),
            LookupColor(COLOR_BTNSHADOW), 0.5f);
    // The palette follows the visual style itself: the scheme setting stays classic.
    switch (GetColorManager()->GetCurrentSystemTheme()) {
        case kLunaBlue:
            ApplyBlueOrOliveColors(FALSE);
            break;
        case kLunaOlive:
            ApplyBlueOrOliveColors(TRUE);
            break;
        case kLunaSilver:
            ApplySilverColors();
            break;
        default:
            break;
    }
    m_grcIconBand.CopyEffectiveColors(m_grcBarFace);
    RebuildGlyphImage();
}

// Blue and olive share the grey-green bars; olive has its own expand button, disabled icons and
// button-state colours.
void CTkWhidbeyTheme::ApplyBlueOrOliveColors(BOOL bOlive) {
    m_grcBarFace.SetStandardColors(RGB(250, 249, 245), RGB(192, 192, 168), 0.75f);
    m_grcExpandButton.SetStandardColors(RGB(238, 237, 234), bOlive ? RGB(176, 172, 158) : RGB(152, 152, 126), 0.75f);
    m_grcDock.SetStandardColors(RGB(229, 229, 215), RGB(244, 241, 231), 0.5f);
    m_grcRarelyUsedBand.SetStandardColor(RGB(204, 199, 186));
    m_clrBarShadow.m_standardValue = RGB(163, 163, 124);
    m_grcGlyph.CopyEffectiveColors(m_grcBarFace);
    if (!bOlive) {
        m_grcDisabledIcon.SetStandardColors(RGB(247, 245, 249), RGB(122, 121, 153), 0.5f);
        return;
    }
    m_grcDisabledIcon.SetStandardColors(RGB(236, 233, 216), RGB(172, 168, 153), 0.5f);
    m_colors[31].m_standardValue = RGB(182, 198, 141);
    m_colors[36].m_standardValue = RGB(182, 198, 141);
    m_colors[33].m_standardValue = RGB(147, 160, 112);
    m_colors[47].m_standardValue = RGB(255, 255, 255);
}

void CTkWhidbeyTheme::ApplySilverColors() {
    m_grcBarFace.SetStandardColors(RGB(243, 244, 250), RGB(153, 151, 181), 0.75f);
    m_grcExpandButton.SetStandardColors(RGB(179, 178, 200), RGB(118, 116, 146), 0.75f);
    m_grcDock.SetStandardColors(RGB(215, 215, 229), RGB(243, 243, 247), 0.5f);
    m_grcRarelyUsedBand.SetStandardColors(RGB(215, 215, 226), RGB(133, 131, 162), 0.5f);
    m_grcGlyph.SetStandardColors(RGB(232, 232, 241), RGB(176, 174, 197), 0.5f);
    m_grcDisabledIcon.SetStandardColors(RGB(247, 245, 249), RGB(122, 121, 153), 0.5f);
    m_clrBarShadow.m_standardValue = RGB(124, 124, 148);
    const std::pair<int, COLORREF> entries[] = {
        {35, RGB(141, 141, 141)}, {60, RGB(141, 141, 141)}, {31, RGB(255, 238, 194)}, {32, RGB(75, 75, 111)},
        {37, RGB(75, 75, 111)},   {50, RGB(75, 75, 111)},   {33, RGB(254, 128, 62)},  {36, RGB(255, 192, 111)},
        {47, RGB(0, 0, 0)},       {38, RGB(84, 84, 117)},   {39, RGB(110, 109, 143)}, {30, RGB(219, 218, 228)},
        {61, RGB(122, 121, 153)},
    };
    for (const auto& [nIndex, clr] : entries)
        m_colors[nIndex].m_standardValue = clr;
    m_clrTearOff.m_standardValue = RGB(192, 192, 211);
    m_clrFloatingCaption.m_standardValue = RGB(122, 121, 153);
}
