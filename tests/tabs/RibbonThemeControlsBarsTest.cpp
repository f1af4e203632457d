// The ribbon theme's bar parts on the tests' look: bar faces by position, the popup separators' two lines,
// the icon band, label rows and the popup resize gripper, the keyboard tip (gradient, frame, and the
// region alone with the shape flag), the status-bar parts on hand-made pane rectangles, and without a
// look: nothing drawn, or the inherited Office 2003 and Office parts.

#include "RibbonControlsTestSupport.h"
#include "TkStatusBarParts.h"

#include <functional>

namespace {

constexpr COLORREF kNothing = kControlSentinel;
constexpr COLORREF kSeparatorShadow = RGB(197, 197, 197);
constexpr COLORREF kSeparatorLight = RGB(245, 245, 245);

// Every pixel of two DCs of one size alike.
::testing::AssertionResult SamePixels(const CScopedMemDC& actual, const CScopedMemDC& expected) {
    for (int y = 0; y < actual.GetHeight(); ++y) {
        for (int x = 0; x < actual.GetWidth(); ++x) {
            if (PixelAt(actual, x, y) != PixelAt(expected, x, y))
                return ::testing::AssertionFailure() << "differs at " << x << ", " << y;
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult AllSentinel(const CScopedMemDC& dc) {
    for (int y = 0; y < dc.GetHeight(); ++y) {
        for (int x = 0; x < dc.GetWidth(); ++x) {
            if (PixelAt(dc, x, y) != kNothing)
                return ::testing::AssertionFailure() << "drawn at " << x << ", " << y;
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(RibbonControls, BarFacesSeparatorsBandsAndPopupGripper) {
    // Faces by position (the test bar is 300 x 40); a floating toolbar keeps the Office 2003 face.
    const struct {
        int nType, nPosition;
        COLORREF clrExpected;
    } faces[] = {{kBarTypeNormal, kBarTop, LookColor(kImageFaceHorizontal, 0)},
                 {kBarTypeNormal, kBarBottom, LookColor(kImageFaceHorizontal, 0)},
                 {kBarTypeNormal, kBarRight, LookColor(kImageFaceVertical, 0)},
                 {kBarTypePopup, kBarPopup, LookColor(kImagePopupFrame, 0)}};
    for (const auto& face : faces) {
        SetBarKind(m_pBar, face.nType, face.nPosition);
        CScopedMemDC dc(300, 40);
        dc.FillSolidRect(0, 0, 300, 40, kNothing);
        m_theme->FillBarBackground(&dc, m_pBar);
        EXPECT_EQ(PixelAt(dc, 150, 20), face.clrExpected) << face.nPosition;
        EXPECT_EQ(PixelAt(dc, 0, 0), kNothing) << face.nPosition;  // keyed
    }

    // Popup separators: two lines above the control from the icon column's end; a new column, a line
    // beside its row. Both 2 x 2.
    SetBarKind(m_pBar, kBarTypePopup, kBarPopup);
    CStateControl* pItem = MakeControl(kControlButton, CRect(2, 30, 150, 52));
    pItem->SetRowRect(CRect(2, 30, 150, 100));
    EXPECT_EQ(m_theme->PaintControlSeparator(nullptr, m_pBar, pItem, FALSE), CSize(2, 2));
    EXPECT_EQ(m_theme->PaintControlSeparator(&m_dc, m_pBar, pItem, TRUE), CSize(2, 2));
    const int xStart = m_theme->GetPopupIconColumnWidth(m_pBar) + m_theme->GetBarBorders(m_pBar).left + 2 - 1;
    EXPECT_EQ(At(xStart, 28), kSeparatorShadow);
    EXPECT_EQ(At(xStart, 29), kSeparatorLight);
    EXPECT_EQ(At(149, 28), kSeparatorShadow);
    EXPECT_EQ(At(xStart - 1, 28), kNothing);
    EXPECT_EQ(At(150, 28), kNothing);
    EXPECT_EQ(At(xStart, 27), kNothing);
    Clear();
    pItem->SetWrap(TRUE);
    m_theme->PaintControlSeparator(&m_dc, m_pBar, pItem, TRUE);
    EXPECT_EQ(At(0, 30), kSeparatorShadow);
    EXPECT_EQ(At(0, 99), kSeparatorShadow);
    EXPECT_EQ(At(xStart, 28), kNothing);

    // The icon band: the gripper gradient right of x, then its two edge lines.
    Clear();
    m_theme->FillPopupIconBand(&m_dc, 10, 5, 24, 40, FALSE);
    EXPECT_EQ(At(10, 20), kNothing);
    EXPECT_EQ(At(11, 20), kLookMenuGripper);
    EXPECT_EQ(At(33, 20), kSeparatorShadow);
    EXPECT_EQ(At(34, 20), kSeparatorLight);
    EXPECT_EQ(At(34, 45), kNothing);

    // A label row: colour 56 with a line along its bottom.
    Clear();
    m_theme->FillLabelRow(&m_dc, CRect(10, 10, 100, 30));
    EXPECT_EQ(At(50, 20), kLookLabelRow);
    EXPECT_EQ(At(50, 29), kSeparatorShadow);

    // The popup's resize gripper: its face, then the height glyph centred at the bottom or the corner glyph.
    const struct {
        int nWhere;
        CPoint ptGlyph;
        int nImage;
    } grippers[] = {{2, CPoint(50, 10), kImageResizeHeight}, {3, CPoint(98, 10), kImageResizeWidth}};
    for (const auto& gripper : grippers) {
        Clear();
        m_theme->PaintPopupResizeGripper(&m_dc, CRect(0, 0, 100, 12), gripper.nWhere);
        EXPECT_EQ(At(20, 5), LookColor(kImageResizeFace, 0));
        EXPECT_EQ(At(gripper.ptGlyph.x, gripper.ptGlyph.y), LookColor(gripper.nImage, 0)) << gripper.nWhere;
    }
}

TEST_F(RibbonControls, KeyboardTipsShowGradientFrameAndCutCorners) {
    CWnd tip;
    ASSERT_TRUE(tip.CreateEx(0, AfxRegisterWndClass(0), L"K", WS_POPUP, CRect(0, 0, 30, 20), nullptr, 0));
    // The shape flag sets the region only.
    m_theme->PaintKeyboardTip(&m_dc, &tip, TRUE);
    EXPECT_TRUE(AllSentinel(m_dc));
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(tip.GetSafeHwnd(), static_cast<HRGN>(rgn.GetSafeHandle())), ERROR);
    EXPECT_FALSE(rgn.PtInRegion(0, 0));
    EXPECT_FALSE(rgn.PtInRegion(29, 19));
    EXPECT_TRUE(rgn.PtInRegion(1, 1));

    // Drawing: the frame image's ring, the gradient inside it from light at the top to dark at the bottom.
    m_theme->PaintKeyboardTip(&m_dc, &tip, FALSE);
    EXPECT_EQ(At(2, 0), LookColor(kImageTooltipFrame, 0));
    EXPECT_EQ(At(29, 10), LookColor(kImageTooltipFrame, 0));
    EXPECT_TRUE(ColorsNear(kLookTooltipLight, At(2, 1), 12));
    EXPECT_TRUE(ColorsNear(kLookTooltipDark, At(2, 18), 12));
    tip.DestroyWindow();
}

TEST_F(RibbonControls, StatusPartsOnPaneRectangles) {
    // The face: light, then the divider at its width before the scroll-bar width, then dark.
    CTkStatusBar bar;
    bar.m_rcClient = CRect(0, 0, 240, 22);
    m_theme->FillStatusBar(&m_dc, &bar);
    const int xDivider = 240 - ::GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(At(xDivider - 1, 11), LookColor(kImageStatusLight, 0));
    EXPECT_EQ(At(xDivider + 1, 11), LookColor(kImageStatusDivider, 0));
    EXPECT_EQ(At(xDivider + 3, 11), LookColor(kImageStatusDark, 0));
    EXPECT_EQ(At(239, 21), LookColor(kImageStatusDark, 0));
    EXPECT_EQ(At(120, 23), kNothing);

    // A pane's frame is the separator at its right edge; a pane without borders has none.
    Clear();
    CTkStatusBarPane pane;
    m_theme->PaintStatusPaneFrame(&m_dc, CRect(10, 0, 60, 22), &pane, FALSE);
    EXPECT_EQ(At(58, 11), LookColor(kImageStatusSeparator, 0));
    EXPECT_EQ(At(59, 11), LookColor(kImageStatusSeparator, 0));
    EXPECT_EQ(At(57, 11), kNothing);
    EXPECT_EQ(At(60, 11), kNothing);
    Clear();
    pane.bNoBorders = TRUE;
    m_theme->PaintStatusPaneFrame(&m_dc, CRect(10, 0, 60, 22), &pane, FALSE);
    EXPECT_TRUE(AllSentinel(m_dc));

    // The gripper at its natural size in the corner, 4 pixels above the bottom.
    m_theme->PaintSizeGripper(&m_dc, CRect(0, 0, 240, 22));
    EXPECT_EQ(At(236, 16), LookColor(kImageStatusGripper, 0));
    EXPECT_EQ(At(236, 18), kNothing);
    EXPECT_EQ(At(233, 16), kNothing);

    // Switches: 19 wide at the ends, 18 between; each its column of the image, the current one checked.
    Clear();
    pane.switches.resize(3);
    pane.nCurrentSwitch = 1;
    EXPECT_EQ(m_theme->PaintStatusSwitches(nullptr, CRect(), &pane), 56);
    EXPECT_EQ(pane.switches[0].nWidth, 19);
    EXPECT_EQ(pane.switches[1].nWidth, 18);
    EXPECT_EQ(pane.switches[2].nWidth, 19);
    EXPECT_EQ(m_theme->PaintStatusSwitches(&m_dc, CRect(100, 0, 156, 22), &pane), 56);
    EXPECT_EQ(At(110, 11), SwitchCellColor(0, 0));
    EXPECT_EQ(At(128, 11), SwitchCellColor(3, 1));
    EXPECT_EQ(At(146, 11), SwitchCellColor(0, 2));
    pane.switches.resize(1);
    pane.nCurrentSwitch = -1;
    EXPECT_EQ(m_theme->PaintStatusSwitches(nullptr, CRect(), &pane), 19);
    m_theme->PaintStatusSwitches(&m_dc, CRect(100, 30, 119, 52), &pane);
    EXPECT_EQ(At(110, 41), SwitchCellColor(0, 3));
}

// Without a look nothing of the ribbon's images is drawn, and the parts with a named fallback draw as
// the inherited theme does.
TEST_F(RibbonControls, WithoutALookPartsDrawNothingOrTheirFallback) {
    CRibbonLook noLook(FALSE);
    CRibbonThemeRef theme;
    EXPECT_EQ(theme->m_clrRibbonGrayText, RGB(141, 141, 141));

    CStateControl* pSplit = MakeControl(kControlSplitButtonPopup, CRect(10, 10, 70, 32));
    pSplit->SetStates(1, 1, 0, FALSE, 0);
    CStateControl* pExpand = MakeControl(kControlButton, CRect(0, 0, 0, 0));
    CTkStatusBar bar;
    bar.m_rcClient = CRect(0, 0, 300, 40);
    const std::function<void(CDC*)> nothing[] = {
        [&](CDC* pDC) { theme->PaintStateRectangle(pDC, CRect(10, 10, 60, 32), 1, 0, 1, 0, 0, kBarTypeNormal, 0); },
        [&](CDC* pDC) { theme->PaintSplitButton(pDC, pSplit, pSplit->GetRect()); },
        [&](CDC* pDC) { theme->PaintCheckBoxMark(pDC, CRect(10, 10, 23, 23), TRUE, 1, 0, 1, 1); },
        [&](CDC* pDC) { theme->PaintDropDownGlyph(pDC, nullptr, CPoint(50, 20), 1, 0, 1, FALSE); },
        [&](CDC* pDC) { theme->FillStatusBar(pDC, &bar); },
    };
    for (size_t i = 0; i < std::size(nothing); ++i) {
        CScopedMemDC dc(300, 40);
        dc.FillSolidRect(0, 0, 300, 40, kNothing);
        nothing[i](&dc);
        EXPECT_TRUE(AllSentinel(dc)) << i;
    }

    SetBarKind(m_pBar, kBarTypeNormal, kBarTop);
    pExpand->SetRect(CRect(288, 0, 300, 40));
    pExpand->SetStates(1, 1, 0, FALSE, 0);
    struct Fallback {
        LPCSTR pszWhat;
        std::function<void(CDC*)> ribbon;
        std::function<void(CDC*)> inherited;
    };
    CTkRibbonTheme* t = theme.Get();
    const Fallback fallbacks[] = {
        {"docked toolbar face", [&](CDC* pDC) { t->FillBarBackground(pDC, m_pBar); },
         [&](CDC* pDC) { t->CTkOffice2003Theme::FillBarBackground(pDC, m_pBar); }},
        {"toolbar separator", [&](CDC* pDC) { t->PaintControlSeparator(pDC, m_pBar, pExpand, TRUE); },
         [&](CDC* pDC) { t->CTkOffice2003Theme::PaintControlSeparator(pDC, m_pBar, pExpand, TRUE); }},
        {"expand button", [&](CDC* pDC) { t->PaintExpandButton(pDC, 0, pExpand, m_pBar, TRUE, TRUE); },
         [&](CDC* pDC) { t->CTkOffice2003Theme::PaintExpandButton(pDC, 0, pExpand, m_pBar, TRUE, TRUE); }},
        {"popup resize gripper", [&](CDC* pDC) { t->PaintPopupResizeGripper(pDC, CRect(0, 0, 100, 12), 2); },
         [&](CDC* pDC) { t->CTkOfficeTheme::PaintPopupResizeGripper(pDC, CRect(0, 0, 100, 12), 2); }},
        {"check mark", [&](CDC* pDC) { t->PaintCheckMark(pDC, CRect(10, 10, 30, 30), 0); },
         [&](CDC* pDC) { t->CTkPaintManager::PaintCheckMark(pDC, CRect(10, 10, 30, 30), 0); }},
        {"radio mark", [&](CDC* pDC) { t->PaintRadioMark(pDC, CRect(10, 10, 30, 30), 40); },
         [&](CDC* pDC) { t->CTkPaintManager::PaintRadioMark(pDC, CRect(10, 10, 30, 30), 40); }},
        {"drop-down glyph pointing right",
         [&](CDC* pDC) { t->PaintDropDownGlyph(pDC, nullptr, CPoint(50, 20), 0, 0, 1, TRUE); },
         [&](CDC* pDC) { t->CTkPaintManager::PaintDropDownGlyph(pDC, nullptr, CPoint(50, 20), 0, 0, 1, TRUE); }},
    };
    for (const Fallback& fallback : fallbacks) {
        CScopedMemDC actual(300, 40);
        CScopedMemDC expected(300, 40);
        actual.FillSolidRect(0, 0, 300, 40, kNothing);
        expected.FillSolidRect(0, 0, 300, 40, kNothing);
        fallback.ribbon(&actual);
        fallback.inherited(&expected);
        EXPECT_TRUE(SamePixels(actual, expected)) << fallback.pszWhat;
        EXPECT_FALSE(AllSentinel(actual)) << fallback.pszWhat;
    }
}

}  // namespace
