// The ribbon theme itself: the settings its constructor leaves, fonts and sizes after a refresh (the
// menu font's, a host's height, a font the host set), the ribbon colours with and without the look,
// theme 6 of the factory, context colour names, the cut-corner region of popups and the plain caption
// text of a glass caption.

#include "BarFixtures.h"
#include "DibPixels.h"
#include "RibbonTestSupport.h"
#include "TkAuxData.h"
#include "TkControlTabWorkspace.h"
#include "TkShadowManager.h"
#include "TkTabColorSet.h"
#include "TkTabPaintManager.h"
#include "TkTextFunctions.h"

#include <typeinfo>

namespace {

LOGFONTW LogFontOf(CFont* pFont) {
    LOGFONTW lf{};
    pFont->GetLogFont(&lf);
    return lf;
}

class RibbonTheme : public BarFixture {};

TEST_F(RibbonTheme, TheConstructorLeavesTheRibbonSettings) {
    CRibbonLook look(FALSE);
    CTkRibbonTheme* pTheme = new CTkRibbonTheme;
    EXPECT_TRUE(pTheme->m_bGroupHighlight);
    EXPECT_TRUE(pTheme->m_bMergeFrameStatusBar);
    EXPECT_TRUE(pTheme->m_bClearType);
    EXPECT_EQ(pTheme->m_nSplitButtonDropDownWidth, 12);
    EXPECT_EQ(pTheme->m_nPopupSplitWidth, 26);
    EXPECT_EQ(pTheme->m_nReserved3, 22);
    EXPECT_EQ(pTheme->m_rcExtraMargins, CRect(0, 0, 0, 1));
    EXPECT_EQ(pTheme->m_strVerticalFaceName, L"Segoe UI");
    EXPECT_TRUE(pTheme->m_bRegularIsVerticalFace);
    EXPECT_FALSE(pTheme->m_bLabelIcons);
    EXPECT_EQ(pTheme->m_nExplicitFontHeight, 0);
    EXPECT_EQ(pTheme->GetShadowManager()->GetOptions(), 1);
    EXPECT_TRUE(pTheme->m_fntRibbon.m_bFollowSystem);
    ASSERT_NE(pTheme->GetTabPaintManager(), nullptr);
    EXPECT_EQ(pTheme->GetThemeNumber(), kThemeRibbon);
    pTheme->InternalRelease();
}

TEST_F(RibbonTheme, FontsAndSizesFollowTheMenuFontAHostsHeightAndKeepAHostsFont) {
    CRibbonLook look(FALSE);
    CRibbonThemeRef theme;
    NONCLIENTMETRICSW ncm;
    MakeNonClientMetrics(ncm);
    const RibbonMetrics expected = CTkRibbonTheme::CalcRibbonMetrics({ncm.lfMenuFont.lfHeight, 0});
    EXPECT_EQ(theme->m_nTabStripHeight, expected.nTabStripHeight);
    EXPECT_EQ(theme->m_nGroupCaptionHeight, expected.nGroupCaptionHeight);
    EXPECT_EQ(theme->m_nControlHeight, expected.nControlHeight);
    EXPECT_EQ(theme->m_nControlRowHeight, expected.nControlRowHeight);
    EXPECT_EQ(theme->m_nSplitButtonDropDownWidth, expected.nSplitDropDownWidth);
    // Without the preferred face (Wine has none) the menu font's face is used.
    const CString strFace = DoesFontFaceExist(L"Segoe UI") ? CString(L"Segoe UI") : CString(ncm.lfMenuFont.lfFaceName);
    for (CFont* pFont :
         {theme->GetRibbonFont(), &theme->m_fntRegular, theme->GetTabPaintManager()->GetFont(FALSE, FALSE)}) {
        const LOGFONTW lf = LogFontOf(pFont);
        EXPECT_EQ(lf.lfHeight, expected.nFontHeight);
        EXPECT_EQ(CString(lf.lfFaceName), strFace);
        EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    }
    EXPECT_EQ(LogFontOf(&theme->m_fntIconTitleBold).lfWeight, FW_BOLD);
    EXPECT_EQ(CString(LogFontOf(&theme->m_fntIconTitle).lfFaceName), CString(ncm.lfMenuFont.lfFaceName));

    // A host's height above 11 replaces the menu font's.
    theme->m_nExplicitFontHeight = 16;
    theme->RefreshFonts();
    EXPECT_EQ(theme->m_nTabStripHeight, 34);
    EXPECT_EQ(theme->m_nGroupCaptionHeight, 24);
    EXPECT_EQ(theme->m_nControlHeight, 30);
    EXPECT_EQ(theme->m_nSplitButtonDropDownWidth, 15);
    EXPECT_EQ(LogFontOf(theme->GetRibbonFont()).lfHeight, 20);
    EXPECT_EQ(LogFontOf(theme->GetTabPaintManager()->GetFont(FALSE, FALSE)).lfHeight, 20);

    // A ribbon font the host took over survives the refresh; the sizes still follow.
    theme->m_fntRibbon.m_bFollowSystem = FALSE;
    theme->m_nExplicitFontHeight = 0;
    theme->RefreshFonts();
    EXPECT_EQ(LogFontOf(theme->GetRibbonFont()).lfHeight, 20);
    EXPECT_EQ(theme->m_nTabStripHeight, expected.nTabStripHeight);
}

TEST_F(RibbonTheme, WithoutALookTheRibbonColoursAreUnsetAndGreyTextFallsBack) {
    CRibbonLook look(FALSE);
    CRibbonThemeRef theme;
    for (COLORREF clr : {theme->m_clrRibbonFace, theme->m_clrRibbonText, theme->m_clrGroupCaptionText,
                         theme->m_clrEditFace, theme->m_clrMinimizedEdgeHighlight, theme->m_clrMinimizedEdgeShadow,
                         theme->m_grcMenuGripper.m_firstColor.GetEffective(), theme->m_colors[46].m_standardValue,
                         theme->m_colors[44].m_standardValue, theme->m_colors[45].m_standardValue,
                         theme->GetTabPaintManager()->GetColorSet()->m_clrSelectedText.GetEffective()})
        EXPECT_EQ(clr, kColorUnset);
    EXPECT_EQ(theme->m_clrRibbonGrayText, RGB(141, 141, 141));
    // The fixed colours do not need the look.
    EXPECT_EQ(theme->m_colors[60].m_standardValue, RGB(141, 141, 141));
    EXPECT_EQ(theme->m_colors[35].m_standardValue, RGB(167, 167, 167));
    EXPECT_EQ(theme->m_colors[43].m_standardValue, RGB(134, 134, 134));
    EXPECT_EQ(theme->m_colors[41].m_standardValue, RGB(250, 250, 250));
    EXPECT_EQ(theme->GetShadowManager()->GetShadowColor(), RGB(0, 0, 0));
}

TEST_F(RibbonTheme, TheLooksRibbonColoursLandInTheirPlaces) {
    CRibbonLook look;
    ASSERT_TRUE(look.IsLoaded());
    CRibbonThemeRef theme;
    CTkTabPaintManager::CColorSet* pTabColors = theme->GetTabPaintManager()->GetColorSet();
    struct Row {
        const char* pszKey;
        COLORREF clrActual;
        COLORREF clrExpected;
    };
    const Row rows[] = {
        {"RibbonFace", theme->m_clrRibbonFace, RGB(191, 219, 255)},
        {"TabNormalText (normal)", pTabColors->m_clrNormalText.GetEffective(), RGB(1, 60, 0)},
        {"TabNormalText (hot)", pTabColors->m_clrHighlightText.GetEffective(), RGB(1, 60, 0)},
        {"TabSelectedText", pTabColors->m_clrSelectedText.GetEffective(), RGB(2, 60, 0)},
        {"GroupCaptionText", theme->m_clrGroupCaptionText, RGB(3, 60, 0)},
        {"GroupClientText", theme->m_colors[46].m_standardValue, RGB(4, 60, 0)},
        {"RibbonText", theme->m_clrRibbonText, RGB(5, 60, 0)},
        {"RibbonGrayText", theme->m_clrRibbonGrayText, RGB(6, 60, 0)},
        {"ControlEditNormal", theme->m_clrEditFace, RGB(7, 60, 0)},
        {"MinimizedFrameEdgeHighLight", theme->m_clrMinimizedEdgeHighlight, RGB(8, 60, 0)},
        {"MinimizedFrameEdgeShadow", theme->m_clrMinimizedEdgeShadow, RGB(9, 60, 0)},
        {"MenuPopupText", theme->m_colors[44].m_standardValue, RGB(10, 60, 0)},
        {"MenuPopupGripper (first)", theme->m_grcMenuGripper.m_firstColor.GetEffective(), RGB(11, 60, 0)},
        {"MenuPopupGripper (second)", theme->m_grcMenuGripper.m_secondColor.GetEffective(), RGB(11, 60, 0)},
        {"MenuPopupExpandedGripperLight", theme->m_grcRarelyUsedBand.m_firstColor.GetEffective(), RGB(12, 60, 0)},
        {"MenuPopupExpandedGripperDark", theme->m_grcRarelyUsedBand.m_secondColor.GetEffective(), RGB(13, 60, 0)},
        {"ControlHighlightText", theme->m_colors[45].m_standardValue, RGB(14, 60, 0)},
        // The grey of disabled texts is fixed whatever the look says.
        {"fixed grey", theme->m_colors[60].m_standardValue, RGB(141, 141, 141)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.clrActual, row.clrExpected) << row.pszKey;
}

TEST_F(RibbonTheme, ActivatingTheme6MakesTheRibbonThemeOnceTheTabClassesAreRegistered) {
    RegisterTabClasses();
    CTkPaintManager::ActivateTheme(kThemeRibbon);
    CTkPaintManager* pCurrent = CTkPaintManager::GetCurrentPaintManager();
    EXPECT_EQ(typeid(*pCurrent), typeid(CTkRibbonTheme));
    EXPECT_EQ(pCurrent->GetThemeNumber(), kThemeRibbon);
    EXPECT_EQ(pCurrent->m_nThemeNumber, kThemeRibbon);
    CTkPaintManager::ReleaseCurrent();
}

TEST_F(RibbonTheme, ContextColoursOneToSevenHaveNamesOthersNone) {
    const std::pair<int, LPCWSTR> rows[] = {{0, L""},       {1, L"BLUE"}, {2, L"YELLOW"}, {3, L"GREEN"}, {4, L"RED"},
                                            {5, L"PURPLE"}, {6, L"CYAN"}, {7, L"ORANGE"}, {8, L""},      {-1, L""}};
    for (const auto& [nColor, pszName] : rows)
        EXPECT_EQ(CTkRibbonTheme::GetContextColorName(nColor), pszName) << nColor;
}

// The popup keeps its window rectangle but for the four corner pixels; a bar in another position keeps
// its rectangular window.
TEST_F(RibbonTheme, PopupsLoseTheirFourCornerPixelsOtherBarsKeepTheirRectangle) {
    CRibbonThemeRef theme;
    CTkPopupBar* pPopupBar = MakePopupBar();
    const HWND hWnd = pPopupBar->GetSafeHwnd();
    ASSERT_NE(hWnd, nullptr);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);

    SetBarKind(pPopupBar, kBarTypePopup, kBarFloating);
    theme->ShapePopupWindow(pPopupBar);
    EXPECT_EQ(::GetWindowRgn(hWnd, rgn), ERROR) << "no region at position 4";

    SetBarKind(pPopupBar, kBarTypePopup, kBarPopup);
    theme->ShapePopupWindow(pPopupBar);
    ASSERT_NE(::GetWindowRgn(hWnd, rgn), ERROR);
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    const int w = rc.Width();
    const int h = rc.Height();
    const CPoint corners[] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}};
    const CPoint inside[] = {{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}, {1, 0}, {0, 1}, {w - 2, h - 1}};
    for (const CPoint& pt : corners)
        EXPECT_FALSE(rgn.PtInRegion(pt)) << pt.x << ", " << pt.y;
    for (const CPoint& pt : inside)
        EXPECT_TRUE(rgn.PtInRegion(pt)) << pt.x << ", " << pt.y;
    CRect rcBox;
    rgn.GetRgnBox(&rcBox);
    EXPECT_EQ(rcBox, CRect(0, 0, w, h));
    pPopupBar->InternalRelease();
}

// Without visual styles (the tests' setting) the text is plain: white on a maximised frame, else black.
TEST_F(RibbonTheme, GlassCaptionTextIsWhiteOnAMaximisedFrameAndBlackOtherwise) {
    CRibbonThemeRef theme;
    struct Row {
        BOOL bMaximized;
        COLORREF clrBack;
        COLORREF clrText;
    };
    const Row rows[] = {{TRUE, RGB(0, 0, 0), RGB(255, 255, 255)}, {FALSE, RGB(255, 255, 255), RGB(0, 0, 0)}};
    for (const Row& row : rows) {
        if (row.bMaximized)
            m_pSite->ModifyStyle(0, WS_MAXIMIZE);
        else
            m_pSite->ModifyStyle(WS_MAXIMIZE, 0);
        CScopedMemDC dc(60, 20);
        dc.FillSolidRect(CRect(0, 0, 60, 20), row.clrBack);
        dc.SetBkMode(TRANSPARENT);
        CScopedSelectObject font(dc.GetSafeHdc(), theme->m_fntRegular.GetSafeHandle());
        theme->DrawGlassCaptionText(&dc, CRect(0, 0, 60, 20), L"WWW", m_pSite, TRUE);
        int nText = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 60; ++x)
                nText += PixelAt(dc, x, y) == row.clrText ? 1 : 0;
        }
        EXPECT_GT(nText, 10) << row.bMaximized;
    }
    m_pSite->ModifyStyle(WS_MAXIMIZE, 0);
}

}  // namespace
