// The paint-manager base: its colour table, fonts and control heights, the sizes derived from them, the
// split of large captions, and the colour-scheme answer, as tables.

#include "ThemeTestSupport.h"
#include "TkAuxData.h"
#include "TkColorManager.h"
#include "TkTextFunctions.h"

namespace {

LOGFONTW FontOf(CFont* pFont) {
    LOGFONTW lf{};
    pFont->GetLogFont(&lf);
    return lf;
}

TEST(PaintManagerColors, CustomValuesWinAndLiteralsPassThrough) {
    CPaintManagerRef theme(new CTkDefaultTheme);
    theme->RefreshMetrics();
    theme->m_colors[13].m_customValue = RGB(1, 2, 3);
    const int indexes[] = {35, 70};
    const COLORREF colours[] = {RGB(9, 9, 9), RGB(8, 8, 8)};
    theme->SetStandardColors(2, indexes, colours);
    struct Row {
        int nIndex;
        COLORREF expected;
    };
    const Row rows[] = {
        {13, RGB(1, 2, 3)},                                         // custom wins
        {COLOR_WINDOW, GetColorManager()->GetColor(COLOR_WINDOW)},  // the colour manager's standard value
        {35, RGB(9, 9, 9)},                                         // a theme's standard value
        {62, GetColorManager()->GetColor(62)},
        {63, 63},  // above 62: a literal colour
        {0x123456, 0x123456},
    };
    for (const Row& row : rows)
        EXPECT_EQ(theme->LookupColor(row.nIndex), row.expected) << row.nIndex;
    // A refresh rewrites the standard values only.
    theme->RefreshMetrics();
    EXPECT_EQ(theme->LookupColor(13), RGB(1, 2, 3));
    EXPECT_EQ(theme->LookupColor(35), GetColorManager()->GetColor(35));
}

TEST(PaintManagerColors, SchemeSixAndSevenFollowTheColourManager) {
    CPaintManagerRef theme(new CTkDefaultTheme);
    CTkColorManager* pColorManager = GetColorManager();
    const BOOL bIgnored = pColorManager->m_bIgnoreSystemTheme;
    const SystemThemeKind configured = pColorManager->m_configuredTheme;
    pColorManager->m_configuredTheme = 3;
    struct Row {
        int nScheme;
        BOOL bIgnore;
        int nExpected;
    };
    const int nDetected = pColorManager->GetDetectedSystemTheme();
    const Row rows[] = {{2, FALSE, 2}, {6, FALSE, nDetected}, {7, FALSE, 3}, {7, TRUE, 0}, {6, TRUE, nDetected}};
    for (const Row& row : rows) {
        theme->m_nColorScheme = row.nScheme;
        pColorManager->m_bIgnoreSystemTheme = row.bIgnore;
        EXPECT_EQ(theme->GetColorSchemeIndex(), row.nExpected) << row.nScheme << " " << row.bIgnore;
    }
    pColorManager->m_bIgnoreSystemTheme = bIgnored;
    pColorManager->m_configuredTheme = configured;
}

TEST(PaintManagerFonts, TheControlHeightIsTheSpaceOfTheRegularFontPlusSix) {
    CPaintManagerRef theme(new CTkDefaultTheme);
    for (int nHeight : {-8, -11, -16, -24}) {
        LOGFONTW lf = PinnedFont();
        lf.lfHeight = nHeight;
        theme->SetRegularFont(&lf, FALSE);
        const int nExpected = TextExtent(&theme->m_fntRegular, L" ").cy + 6;
        EXPECT_EQ(theme->m_nControlHeight, nExpected) << nHeight;
        EXPECT_EQ(theme->m_nControlRowHeight, nExpected) << nHeight;
        EXPECT_EQ(theme->GetControlHeight(), std::max(nExpected, 22)) << nHeight;
        EXPECT_EQ(FontOf(&theme->m_fntRegularBold).lfWeight, FW_BOLD);
        const LOGFONTW vertical = FontOf(&theme->m_fntVertical);
        EXPECT_EQ(vertical.lfEscapement, 2700);
        EXPECT_EQ(vertical.lfOrientation, 900);
        EXPECT_EQ(vertical.lfHeight, nHeight);
        EXPECT_EQ(FontOf(&theme->m_fntVerticalBold).lfWeight, FW_BOLD);
    }
    EXPECT_FALSE(theme->m_bUseStandardFont);
}

TEST(PaintManagerFonts, ARegularFontInTheVerticalFaceSetsTheSwitchForGood) {
    CPaintManagerRef theme(new CTkDefaultTheme);
    theme->RefreshMetrics();
    LOGFONTW lf = PinnedFont();
    wcscpy_s(lf.lfFaceName, L"Courier New");
    theme->SetRegularFont(&lf, TRUE);
    EXPECT_FALSE(theme->m_bRegularIsVerticalFace);
    EXPECT_EQ(theme->m_fntIconTitleBold.GetSafeHandle(), nullptr) << "the bold icon-title font goes with the others";
    wcscpy_s(lf.lfFaceName, L"tAHOMA");
    theme->SetRegularFont(&lf, TRUE);
    EXPECT_TRUE(theme->m_bRegularIsVerticalFace);
    // The vertical fonts take the default face that prefers Tahoma; when Tahoma is installed, the standard
    // font takes its spelling too. (This prefix has no Tahoma: the default face is the GUI font's.)
    const BOOL bTahoma = DoesFontFaceExist(L"Tahoma");
    EXPECT_STREQ(FontOf(&theme->m_fntRegular).lfFaceName, bTahoma ? L"Tahoma" : L"tAHOMA");
    CString strDefaultFace;
    GetDefaultFontFace(strDefaultFace, TRUE);
    EXPECT_EQ(CString(FontOf(&theme->m_fntVertical).lfFaceName), strDefaultFace);
    wcscpy_s(lf.lfFaceName, L"Courier New");
    theme->SetRegularFont(&lf, TRUE);
    EXPECT_TRUE(theme->m_bRegularIsVerticalFace) << "never cleared";
    EXPECT_EQ(CString(FontOf(&theme->m_fntVertical).lfFaceName), strDefaultFace);
    // A null description changes only the standard-font switch.
    const HGDIOBJ hRegular = theme->m_fntRegular.GetSafeHandle();
    theme->SetRegularFont(nullptr, FALSE);
    EXPECT_FALSE(theme->m_bUseStandardFont);
    EXPECT_EQ(theme->m_fntRegular.GetSafeHandle(), hRegular);
}

TEST(PaintManagerFonts, SmallMenuFontsAreRaisedToElevenPixels) {
    struct Row {
        int nHeight;
        int nExpected;
    };
    const Row rows[] = {{-1, -11}, {-9, -11}, {-10, -11}, {-11, -11}, {-12, -12}, {0, 0}, {9, 9}, {-30, -30}};
    for (const Row& row : rows)
        EXPECT_EQ(CTkPaintManager::NormalizeMenuFontHeight(row.nHeight), row.nExpected) << row.nHeight;
}

TEST(PaintManagerFonts, RefreshFollowsTheSystemExceptWhatTheApplicationSet) {
    CPaintManagerRef theme(new CTkDefaultTheme);
    theme->RefreshMetrics();
    NONCLIENTMETRICSW metrics;
    MakeNonClientMetrics(metrics);
    EXPECT_EQ(FontOf(&theme->m_fntRegular).lfHeight,
              CTkPaintManager::NormalizeMenuFontHeight(metrics.lfMenuFont.lfHeight));
    EXPECT_TRUE(theme->m_bUseStandardFont);
    EXPECT_NE(theme->m_fntIconTitleBold.GetSafeHandle(), nullptr);
    EXPECT_EQ(FontOf(&theme->m_fntIconTitleBold).lfWeight, FW_BOLD);
    // A status font the application set stays; a follower is made again.
    LOGFONTW lf = PinnedFont();
    lf.lfHeight = -20;
    theme->m_fntStatus.DeleteObject();
    theme->m_fntStatus.CreateFontIndirect(&lf);
    theme->m_fntStatus.m_bFollowSystem = FALSE;
    const HGDIOBJ hSmallCaption = theme->m_fntSmallCaption.GetSafeHandle();
    theme->RefreshFonts();
    EXPECT_EQ(FontOf(&theme->m_fntStatus).lfHeight, -20);
    EXPECT_NE(theme->m_fntSmallCaption.GetSafeHandle(), hSmallCaption);
    // A regular font set without following the system survives the refresh too.
    theme->SetRegularFont(&lf, FALSE);
    theme->RefreshMetrics();
    EXPECT_EQ(FontOf(&theme->m_fntRegular).lfHeight, -20);
}

TEST(PaintManagerSizes, ControlHeightSplitExtentAndIconSizes) {
    CPaintManagerRef theme(new CTkDefaultTheme);
    struct Row {
        int nControlHeight;
        int nExplicit;
        int nGetControlHeight;
        int nExtent;
    };
    const Row rows[] = {
        {18, 0, 22, 27},  // a " " of 12 pixels: 2 x 22 - 17
        {19, 0, 22, 27},  // 19 and more: 2 x (19 + 3) - 17
        {20, 0, 22, 29}, {30, 0, 30, 49}, {18, 30, 22, 43},
    };
    for (const Row& row : rows) {
        theme->m_nControlHeight = row.nControlHeight;
        theme->m_nExplicitControlHeight = row.nExplicit;
        EXPECT_EQ(theme->GetControlHeight(), row.nGetControlHeight) << row.nControlHeight;
        EXPECT_EQ(theme->GetSplitDropDownExtent(), row.nExtent) << row.nControlHeight << " " << row.nExplicit;
    }
    struct IconRow {
        BOOL bAutomatic;
        int nControlHeight;
        int nSmall;
        int nLarge;
    };
    const IconRow iconRows[] = {
        {FALSE, 40, 16, 32}, {TRUE, 10, 16, 32}, {TRUE, 22, 16, 32}, {TRUE, 36, 32, 64}, {TRUE, 44, 40, 80},
    };
    theme->m_nExplicitControlHeight = 0;
    for (const IconRow& row : iconRows) {
        theme->m_bAutoResizeIcons = row.bAutomatic;
        theme->m_nControlHeight = row.nControlHeight;
        EXPECT_EQ(theme->GetIconSize(FALSE), CSize(row.nSmall, row.nSmall)) << row.nControlHeight;
        EXPECT_EQ(theme->GetIconSize(TRUE), CSize(row.nLarge, row.nLarge)) << row.nControlHeight;
    }
}

TEST(PaintManagerCaptions, LargeCaptionsSplitAtTheSpaceNearestTheMiddle) {
    struct Row {
        LPCWSTR pszCaption;
        LPCWSTR pszFirst;
        LPCWSTR pszSecond;
    };
    const Row rows[] = {
        {L"Paste Special", L"Paste", L"Special"},
        {L"Paste", L"Paste", L""},  // no space: one line
        {L"A", L"A", L""},          // fewer than 2 characters
        {L"", L"", L""},
        {L" Paste", L" Paste", L""},  // a space only at the start would leave the first line empty
        {L"Go to the end", L"Go to", L"the end"},
        {L"a b c", L"a", L"b c"},  // equally near: the start side first
        {L"Insert Table Rows", L"Insert", L"Table Rows"},
    };
    for (const Row& row : rows) {
        CString strFirst;
        CString strSecond;
        CTkPaintManager::SplitTwoLineCaption(row.pszCaption, strFirst, strSecond);
        EXPECT_EQ(strFirst, row.pszFirst) << row.pszCaption;
        EXPECT_EQ(strSecond, row.pszSecond) << row.pszCaption;
    }
}

}  // namespace
