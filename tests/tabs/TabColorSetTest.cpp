// The colour sets: palettes by Windows theme kind, the sets that follow Office 2003 while the theme is
// honoured, the Office 2007 look's keys, custom colours through refreshes, the Default set's sheet-tab
// colours, and the turn of the visual style's top-row tab picture into the other positions.

#include "TabsTestSupport.h"

#include "TkColorManager.h"

namespace {

// Sets the colour manager's configured theme kind for a scope.
class CConfiguredTheme {
public:
    explicit CConfiguredTheme(int nTheme) : m_nSaved(GetColorManager()->m_configuredTheme) {
        GetColorManager()->m_configuredTheme = nTheme;
    }
    ~CConfiguredTheme() { GetColorManager()->m_configuredTheme = m_nSaved; }

private:
    int m_nSaved;
};

COLORREF Slot(UINT nIndex) {
    return GetColorManager()->GetColor(nIndex);
}

// A paint manager with one colour set installed (standard values only).
struct ColorSetUnderTest {
    explicit ColorSetUnderTest(int nColorSet, int nAppearance = kTabAppearancePropertyPage) {
        pPaintManager->SetAppearance(nAppearance);
        pPaintManager->SetColor(nColorSet);
    }
    ~ColorSetUnderTest() { pPaintManager->InternalRelease(); }
    CTkTabPaintManager::CColorSet* operator->() const { return pPaintManager->GetColorSet(); }
    CTkTabPaintManager* pPaintManager = new CTkTabPaintManager;
};

}  // namespace

TEST(TabColorSets, Office2003PaletteFollowsTheThemeKind) {
    struct Case {
        int nTheme;
        COLORREF frame, normal, selected, pressed;
    };
    const Case kCases[] = {
        {1, RGB(59, 97, 156), RGB(162, 192, 246), RGB(255, 194, 115), RGB(254, 142, 75)},
        {4, RGB(59, 97, 156), RGB(162, 192, 246), RGB(255, 194, 115), RGB(254, 142, 75)},
        {5, RGB(59, 97, 156), RGB(162, 192, 246), RGB(255, 194, 115), RGB(254, 142, 75)},
        {2, RGB(96, 128, 88), RGB(208, 222, 170), RGB(255, 194, 115), RGB(254, 142, 75)},
        {3, RGB(124, 124, 148), RGB(217, 217, 230), RGB(255, 194, 115), RGB(254, 142, 75)},
    };
    for (const Case& c : kCases) {
        CConfiguredTheme theme(c.nTheme);
        ColorSetUnderTest set(kTabColorSetOffice2003);
        EXPECT_EQ(set->m_clrFrameBorder.GetEffective(), c.frame) << c.nTheme;
        EXPECT_EQ(set->m_clrNormalTab.GetEffective(), c.normal) << c.nTheme;
        EXPECT_EQ(set->m_clrSelectedTab.GetEffective(), c.selected) << c.nTheme;
        EXPECT_EQ(set->m_clrPressedTab.GetEffective(), c.pressed) << c.nTheme;
        EXPECT_EQ(set->m_clrExcelSelectedTab[0].GetEffective(), c.frame) << c.nTheme;
        EXPECT_EQ(set->m_clrExcelTab[3].GetEffective(), kColorUnset) << c.nTheme;
    }
    CConfiguredTheme classic(0);
    ColorSetUnderTest set(kTabColorSetOffice2003);
    EXPECT_EQ(set->m_clrSelectedTab.GetEffective(), Slot(36));
    EXPECT_EQ(set->m_clrPressedTab.GetEffective(), Slot(33));
    EXPECT_FALSE(
        static_cast<CTkTabPaintManager::CColorSetOffice2003*>(set.pPaintManager->GetColorSet())->m_bThemedPalette);
}

TEST(TabColorSets, WhidbeyAndVisualStudio2008DrawAsOffice2003WhileTheThemeIsHonoured) {
    CConfiguredTheme theme(2);
    ColorSetUnderTest office(kTabColorSetOffice2003);
    for (int nSet : {kTabColorSetWhidbey, kTabColorSetVisualStudio2008}) {
        ColorSetUnderTest set(nSet);
        EXPECT_EQ(set->m_clrFrameBorder.GetEffective(), office->m_clrFrameBorder.GetEffective()) << nSet;
        EXPECT_EQ(set->m_clrNormalTab.GetEffective(), office->m_clrNormalTab.GetEffective()) << nSet;
        EXPECT_EQ(set->m_clrSelectedTab.GetEffective(), office->m_clrSelectedTab.GetEffective()) << nSet;
        EXPECT_EQ(set->m_clrHeaderFace.m_firstColor.GetEffective(), office->m_clrHeaderFace.m_firstColor.GetEffective())
            << nSet;
    }
    // Ignoring the theme, each keeps its own palette of that kind.
    ColorSetUnderTest vs2008(kTabColorSetVisualStudio2008);
    vs2008.pPaintManager->m_bIgnoreSystemTheme = TRUE;
    vs2008->RefreshMetrics();
    EXPECT_EQ(vs2008->m_clrSelectedTab.GetEffective(), RGB(182, 198, 141));
    EXPECT_EQ(vs2008->m_clrFrameBorder.GetEffective(), RGB(147, 160, 112));
    EXPECT_EQ(vs2008->m_clrSelectedTabBorder.GetEffective(), RGB(147, 160, 112));
    ColorSetUnderTest whidbey(kTabColorSetWhidbey);
    whidbey.pPaintManager->m_bIgnoreSystemTheme = TRUE;
    whidbey->RefreshMetrics();
    EXPECT_EQ(whidbey->m_clrHeaderFace.m_firstColor.GetEffective(), RGB(228, 226, 213));
    EXPECT_EQ(whidbey->m_clrFrameBorder.GetEffective(), Slot(57));
}

TEST(TabColorSets, Office2007TakesTheLooksKeysAndLunaBlueWithoutIt) {
    {
        CConfiguredTheme classic(0);
        ColorSetUnderTest set(kTabColorSetOffice2007);
        EXPECT_EQ(set->m_clrFrameBorder.GetEffective(), RGB(59, 97, 156)) << "Luna blue without the look";
        EXPECT_EQ(set->m_clrNormalTab.GetEffective(), RGB(162, 192, 246));
        EXPECT_EQ(set->m_clrPressedTab.GetEffective(), Slot(33));
    }
    CTestLook look;
    ColorSetUnderTest set(kTabColorSetOffice2007);
    EXPECT_EQ(set->m_clrFrameBorder.GetEffective(), kLookFrameBorder);
    EXPECT_EQ(set->m_clrHeaderFace.m_firstColor.GetEffective(), kLookRibbonFace);
    EXPECT_EQ(set->m_clrSelectedTab.GetEffective(), RGB(255, 189, 105));
    EXPECT_EQ(set->m_clrNormalText.GetEffective(), RGB(21, 66, 139));
    EXPECT_EQ(set->m_clrSelectedText.GetEffective(), RGB(1, 2, 3));
    ColorSetUnderTest access(kTabColorSetAccess2007);
    EXPECT_EQ(access->m_clrFrameBorder.GetEffective(), RGB(77, 88, 99));
    EXPECT_EQ(access->m_clrHeaderFace.m_firstColor.GetEffective(), RGB(211, 222, 233));
    EXPECT_EQ(access->m_clrNormalText.GetEffective(), RGB(0, 0, 0));
}

TEST(TabColorSets, CustomColoursSurviveRefreshesAndThemeChanges) {
    CConfiguredTheme blue(1);
    ColorSetUnderTest set(kTabColorSetOffice2003);
    set->m_clrSelectedTab.m_customValue = RGB(1, 2, 3);
    {
        CConfiguredTheme olive(2);
        set.pPaintManager->RefreshMetrics();
    }
    EXPECT_EQ(set->m_clrSelectedTab.GetEffective(), RGB(1, 2, 3));
    EXPECT_EQ(set->m_clrSelectedTab.m_standardValue, RGB(255, 194, 115));
}

TEST(TabColorSets, DefaultSheetTabColours) {
    ColorSetUnderTest sheet(kTabColorSetDefault, kTabAppearanceExcel);
    EXPECT_EQ(sheet->m_clrSelectedTab.GetEffective(), Slot(COLOR_BTNFACE));
    EXPECT_EQ(sheet->m_clrNormalTab.GetEffective(), Slot(COLOR_WINDOW));
    EXPECT_EQ(sheet->m_clrFrameBorder.GetEffective(), Slot(COLOR_BTNTEXT));
    EXPECT_EQ(sheet->m_clrExcelSelectedTab[3].GetEffective(), Slot(COLOR_WINDOW));
    EXPECT_EQ(sheet->m_clrExcelTab[1].GetEffective(), Slot(COLOR_BTNTEXT));
    EXPECT_EQ(sheet->m_clrExcelTab[3].GetEffective(), kColorUnset);
    EXPECT_EQ(sheet->m_clrStateButtonFace.m_firstColor.m_standardValue, kCheckeredColor);
    ColorSetUnderTest page(kTabColorSetDefault);
    EXPECT_EQ(page->m_clrSelectedTab.GetEffective(), Slot(COLOR_BTNFACE));
    EXPECT_EQ(page->m_clrNormalTab.GetEffective(), Slot(COLOR_BTNFACE));
}

TEST(TabColorSets, VisualStyleTabPictureTurnsIntoEachPosition) {
    // Q is w x h = 3 x 5 for vertical rows (P 5 x 3), 5 x 3 for horizontal ones.
    struct Case {
        int nPosition;
        int x, y, w, h;
        CPoint source;
    };
    const Case kCases[] = {
        {kTabPositionTop, 1, 2, 5, 3, {1, 2}},    {kTabPositionBottom, 1, 0, 5, 3, {1, 2}},
        {kTabPositionBottom, 4, 2, 5, 3, {4, 0}}, {kTabPositionLeft, 0, 4, 3, 5, {4, 0}},
        {kTabPositionLeft, 2, 1, 3, 5, {1, 2}},   {kTabPositionRight, 0, 0, 3, 5, {0, 2}},
        {kTabPositionRight, 2, 4, 3, 5, {4, 0}},
    };
    for (const Case& c : kCases)
        EXPECT_EQ(CTkTabPaintManager::CColorSetWinXP::RotatedSourcePixel(c.nPosition, c.x, c.y, c.w, c.h), c.source)
            << c.nPosition << " " << c.x << "," << c.y;
    // Unthemed, the set draws as Default.
    ColorSetUnderTest xp(kTabColorSetWinXP);
    EXPECT_FALSE(xp->IsAppThemed());
    EXPECT_EQ(xp->m_clrPageLight.GetEffective(), Slot(COLOR_BTNHIGHLIGHT));
}
