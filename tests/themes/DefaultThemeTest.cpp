// The default theme's rules as tables (text colours, state faces, separators, control rectangles) and its
// chrome and icons on 32-bpp DIB sections with every colour entry pinned.

#include "ThemeTestSupport.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);  // in no pinned entry

void Clear(CScopedMemDC& dc) {
    dc.FillSolidRect(0, 0, dc.GetWidth(), dc.GetHeight(), kSentinel);
}

CTkDefaultTheme* MakePinnedTheme() {
    auto* pTheme = new CTkDefaultTheme;
    PinTheme(pTheme);
    return pTheme;
}

TEST(DefaultTheme, StateTextColours) {
    CPaintManagerRef theme(MakePinnedTheme());
    auto* pTheme = static_cast<CTkDefaultTheme*>(theme.Get());
    struct Row {
        BOOL bSelected;
        BOOL bEnabled;
        BOOL bChecked;
        int nBarType;
        int nBarPosition;
        int nMenuText;  // the theme's menu-text entry
        int nExpected;
    };
    const Row rows[] = {
        {TRUE, FALSE, FALSE, kBarTypePopup, kBarPopup, COLOR_BTNTEXT, COLOR_GRAYTEXT},
        {FALSE, FALSE, FALSE, kBarTypeNormal, kBarTop, COLOR_BTNTEXT, COLOR_GRAYTEXT},
        {TRUE, TRUE, FALSE, kBarTypePopup, kBarPopup, COLOR_BTNTEXT, COLOR_HIGHLIGHTTEXT},
        {TRUE, TRUE, TRUE, kBarTypePopup, kBarPopup, COLOR_BTNTEXT, COLOR_BTNTEXT},  // checked keeps menu text
        {FALSE, TRUE, FALSE, kBarTypePopup, kBarPopup, COLOR_MENUTEXT, COLOR_MENUTEXT},
        {TRUE, TRUE, FALSE, kBarTypeNormal, kBarPopup, COLOR_MENUTEXT, COLOR_MENUTEXT},  // a torn-off toolbar
        {TRUE, TRUE, FALSE, kBarTypeNormal, kBarTop, COLOR_MENUTEXT, COLOR_BTNTEXT},
        {FALSE, TRUE, FALSE, kBarTypeMenuBar, kBarTop, COLOR_MENUTEXT, COLOR_BTNTEXT},
    };
    for (const Row& row : rows) {
        pTheme->m_nMenuTextColor = row.nMenuText;
        EXPECT_EQ(pTheme->GetStateTextColor(row.bSelected, FALSE, row.bEnabled, row.bChecked, FALSE, row.nBarType,
                                            row.nBarPosition),
                  PinnedColor(row.nExpected))
            << row.bSelected << row.bEnabled << row.bChecked << " bar " << row.nBarType << "/" << row.nBarPosition;
    }
}

// The face a state rectangle leaves, read from its corner and interior pixels.
enum Face { kNothing, kRaised, kSunken, kHighlight, kDitheredSunken };

Face ReadFace(const CScopedMemDC& dc) {
    const COLORREF topLeft = PixelAt(dc, 0, 0);
    const COLORREF bottomRight = PixelAt(dc, dc.GetWidth() - 1, dc.GetHeight() - 1);
    const COLORREF inside = PixelAt(dc, 3, 3);
    if (topLeft == kSentinel && bottomRight == kSentinel && inside == kSentinel)
        return kNothing;
    if (topLeft == PinnedColor(COLOR_HIGHLIGHT) && inside == PinnedColor(COLOR_HIGHLIGHT))
        return kHighlight;
    if (topLeft == PinnedColor(COLOR_BTNHIGHLIGHT) && bottomRight == PinnedColor(COLOR_BTNSHADOW) &&
        inside == kSentinel)
        return kRaised;
    if (topLeft == PinnedColor(COLOR_BTNSHADOW) && bottomRight == PinnedColor(COLOR_BTNHIGHLIGHT))
        return inside == kSentinel ? kSunken : kDitheredSunken;
    return static_cast<Face>(-1);
}

TEST(DefaultTheme, StateRectanglesByStateAndBar) {
    CPaintManagerRef theme(MakePinnedTheme());
    struct Row {
        int nSelected;
        int nPressed;
        BOOL bEnabled;
        int nChecked;
        BOOL bPopuped;
        int nBarType;
        BOOL bFullRow;
        Face expected;
    };
    const int kTool = kBarTypeNormal;
    const int kPopup = kBarTypePopup;
    const Row rows[] = {
        // Toolbars, enabled.
        {0, 0, TRUE, 0, FALSE, kTool, FALSE, kNothing},
        {1, 0, TRUE, 0, FALSE, kTool, FALSE, kRaised},
        {0, 1, TRUE, 0, FALSE, kTool, FALSE, kRaised},  // pressed while the mouse left
        {1, 1, TRUE, 0, FALSE, kTool, FALSE, kSunken},
        {0, 2, TRUE, 0, FALSE, kTool, FALSE, kSunken},  // pressed by the keyboard
        {0, 0, TRUE, 0, TRUE, kTool, FALSE, kSunken},   // its popup is open
        {0, 0, TRUE, 1, FALSE, kTool, FALSE, kDitheredSunken},
        {1, 0, TRUE, 1, FALSE, kTool, FALSE, kSunken},
        {4, 0, TRUE, 0, FALSE, kTool, FALSE, kRaised},  // a split control's half
        // Toolbars, disabled.
        {1, 0, FALSE, 0, FALSE, kTool, FALSE, kNothing},
        {2, 0, FALSE, 0, FALSE, kTool, FALSE, kSunken},
        {0, 0, FALSE, 1, FALSE, kTool, FALSE, kSunken},
        // Popups.
        {1, 0, TRUE, 0, FALSE, kPopup, FALSE, kHighlight},
        {0, 1, TRUE, 0, FALSE, kPopup, FALSE, kHighlight},
        {0, 0, TRUE, 0, FALSE, kPopup, FALSE, kNothing},
        {1, 0, FALSE, 0, FALSE, kPopup, FALSE, kHighlight},
        {0, 0, TRUE, 1, FALSE, kPopup, FALSE, kDitheredSunken},
        {1, 0, TRUE, 1, FALSE, kPopup, FALSE, kSunken},
        // Full-row highlight, position 5.
        {1, 0, TRUE, 1, FALSE, kPopup, TRUE, kDitheredSunken},
        {1, 0, TRUE, 0, FALSE, kPopup, TRUE, kHighlight},
        {1, 0, TRUE, 0, FALSE, kTool, TRUE, kRaised},
    };
    for (const Row& row : rows) {
        theme->m_bFullRowPopupHighlight = row.bFullRow;
        CScopedMemDC dc(8, 8);
        Clear(dc);
        theme->PaintStateRectangle(&dc, CRect(0, 0, 8, 8), row.nSelected, row.nPressed, row.bEnabled, row.nChecked,
                                   row.bPopuped, row.nBarType, kBarPopup);
        EXPECT_EQ(ReadFace(dc), row.expected)
            << "selected " << row.nSelected << " pressed " << row.nPressed << " enabled " << row.bEnabled << " checked "
            << row.nChecked << " popuped " << row.bPopuped << " bar " << row.nBarType << " full row " << row.bFullRow;
    }
}

TEST_F(ThemeFixture, SeparatorsAreSunkenStripsBeforeTheirControl) {
    struct Row {
        int nType;
        int nPosition;
        BOOL bWrap;
        CSize szMeasured;
        CRect rcStrip;
    };
    // The control at (20, 20, 40, 36) in the row cell (16, 18, 44, 38).
    const Row rows[] = {
        {kBarTypePopup, kBarPopup, FALSE, CSize(8, 8), CRect(31, 15, 29, 17)},  // across a popup: empty here
        {kBarTypePopup, kBarPopup, TRUE, CSize(8, 8), CRect(15, 21, 17, 35)},
        {kBarTypeNormal, kBarTop, FALSE, CSize(6, 6), CRect(16, 18, 18, 38)},
        {kBarTypeNormal, kBarTop, TRUE, CSize(6, 6), CRect(20, 14, 44, 16)},
        {kBarTypeNormal, kBarLeft, FALSE, CSize(6, 6), CRect(16, 16, 44, 18)},
        {kBarTypeNormal, kBarRight, TRUE, CSize(6, 6), CRect(46, 22, 48, 38)},
    };
    CTkControlButton* pControl = AddButton(kControlButton, L"x", kButtonCaption);
    pControl->SetRect(CRect(20, 20, 40, 36));
    pControl->SetRowRect(CRect(16, 18, 44, 38));
    for (const Row& row : rows) {
        SetBar(row.nType, row.nPosition);
        pControl->SetWrap(row.bWrap);
        EXPECT_EQ(m_pTheme->PaintControlSeparator(nullptr, m_pBar, nullptr, FALSE), row.szMeasured);
        CScopedMemDC dc(64, 64);
        Clear(dc);
        EXPECT_EQ(m_pTheme->PaintControlSeparator(&dc, m_pBar, pControl, TRUE), row.szMeasured);
        const CRect& rc = row.rcStrip;
        if (rc.IsRectEmpty())
            continue;
        EXPECT_EQ(PixelAt(dc, rc.left, rc.top), PinnedColor(COLOR_BTNSHADOW))
            << row.nType << row.nPosition << row.bWrap;
        EXPECT_EQ(PixelAt(dc, rc.right - 1, rc.bottom - 1), PinnedColor(COLOR_BTNHIGHLIGHT))
            << row.nType << row.nPosition << row.bWrap;
        EXPECT_EQ(PixelAt(dc, rc.left - 1, rc.top), kSentinel) << row.nType << row.nPosition << row.bWrap;
        EXPECT_EQ(PixelAt(dc, rc.right, rc.bottom - 1), kSentinel) << row.nType << row.nPosition << row.bWrap;
    }
    // A separator across a popup's column starts 11 pixels in and ends 11 before the end.
    SetBar(kBarTypePopup, kBarPopup);
    pControl->SetWrap(FALSE);
    pControl->SetRect(CRect(4, 20, 60, 36));
    CScopedMemDC dc(64, 64);
    Clear(dc);
    m_pTheme->PaintControlSeparator(&dc, m_pBar, pControl, TRUE);
    EXPECT_EQ(PixelAt(dc, 15, 15), PinnedColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelAt(dc, 48, 16), PinnedColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelAt(dc, 14, 15), kSentinel);
    EXPECT_EQ(PixelAt(dc, 49, 16), kSentinel);
}

TEST_F(ThemeFixture, GrippersTearOffStripsAndResizeDots) {
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    // Docked at the top: a raised bar 3 wide down the left end.
    CScopedMemDC dc(rcClient.Width(), rcClient.Height());
    Clear(dc);
    EXPECT_EQ(m_pTheme->PaintBarGripper(&dc, m_pBar, TRUE), CSize(6, 0));
    EXPECT_EQ(PixelAt(dc, 3, 3), PinnedColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelAt(dc, 5, rcClient.Height() - 4), PinnedColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelAt(dc, 6, 10), kSentinel);
    EXPECT_EQ(PixelAt(dc, 4, rcClient.Height() - 3), kSentinel);
    // Measuring without a DC draws nothing and gives the same size.
    EXPECT_EQ(m_pTheme->PaintBarGripper(nullptr, m_pBar, FALSE), CSize(6, 0));
    SetBar(kBarTypeNormal, kBarLeft);
    Clear(dc);
    EXPECT_EQ(m_pTheme->PaintBarGripper(&dc, m_pBar, TRUE), CSize(0, 8));
    EXPECT_EQ(PixelAt(dc, 3, 3), PinnedColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelAt(dc, rcClient.Width() - 4, 5), PinnedColor(COLOR_BTNSHADOW));
    // Floating: the title strip in the active caption's colour.
    SetBar(kBarTypeNormal, kBarFloating);
    Clear(dc);
    const CSize szStrip = m_pTheme->PaintBarGripper(&dc, m_pBar, TRUE);
    const int nSmallCaption = TextExtent(&m_pTheme->m_fntSmallCaption, L" ").cy;
    EXPECT_EQ(szStrip, CSize(rcClient.Width() - 6, std::max(18, nSmallCaption + 3) - 3));
    EXPECT_EQ(PixelAt(dc, 3, 3), PinnedColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(PixelAt(dc, 2, 3), kSentinel);
    SetBar(kBarTypeNormal, kBarPopup);
    EXPECT_EQ(m_pTheme->PaintBarGripper(nullptr, m_pBar, FALSE), CSize(0, 0));

    // The short gripper of dialog bars follows the control height.
    m_pTheme->m_nControlHeight = 17;
    EXPECT_EQ(m_pTheme->PaintShortGripper(nullptr, m_pBar, FALSE), CSize(6, 22));
    m_pTheme->m_nControlHeight = 20;
    EXPECT_EQ(m_pTheme->PaintShortGripper(nullptr, m_pBar, FALSE), CSize(6, 24));

    // The tear-off strip: all but its last row in the (in)active caption colour.
    Clear(dc);
    EXPECT_EQ(m_pTheme->PaintTearOffStrip(&dc, CRect(0, 0, 20, 8), TRUE, TRUE), CSize(0, 8));
    EXPECT_EQ(PixelAt(dc, 19, 6), PinnedColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(PixelAt(dc, 19, 7), kSentinel);
    m_pTheme->PaintTearOffStrip(&dc, CRect(0, 0, 20, 8), FALSE, TRUE);
    EXPECT_EQ(PixelAt(dc, 0, 0), PinnedColor(COLOR_INACTIVECAPTION));

    // Resize dots: dark squares under window-colour ones a pixel down and right.
    Clear(dc);
    m_pTheme->PaintPopupResizeGripper(&dc, CRect(0, 0, 30, 20), 0);
    for (const CPoint& pt : {CPoint(27, 17), CPoint(23, 17), CPoint(27, 13)}) {
        EXPECT_EQ(PixelAt(dc, pt.x, pt.y), PinnedColor(COLOR_WINDOW)) << pt.x << "," << pt.y;
        EXPECT_EQ(PixelAt(dc, pt.x - 1, pt.y - 1), PinnedColor(38)) << pt.x << "," << pt.y;
    }
    EXPECT_EQ(PixelAt(dc, 23, 13), kSentinel);
    Clear(dc);
    m_pTheme->PaintPopupResizeGripper(&dc, CRect(0, 0, 40, 20), 2);
    for (int x = 12; x < 28; x += 4) {
        EXPECT_EQ(PixelAt(dc, x, 3), PinnedColor(38)) << x;
        EXPECT_EQ(PixelAt(dc, x + 2, 5), PinnedColor(COLOR_WINDOW)) << x;
    }
    EXPECT_EQ(PixelAt(dc, 11, 3), kSentinel);
    EXPECT_EQ(PixelAt(dc, 28, 3), kSentinel);
}

TEST_F(ThemeFixture, BarsBordersButtonsAndPopupRectangles) {
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    CScopedMemDC dc(rcClient.Width(), rcClient.Height());
    struct Row {
        int nType;
        int nPosition;
        BOOL bFlat;
        COLORREF outerTopLeft;
        COLORREF innerTopLeft;
        CRect rcBorders;
    };
    const Row rows[] = {
        {kBarTypeNormal, kBarTop, FALSE, PinnedColor(COLOR_BTNHIGHLIGHT), PinnedColor(COLOR_BTNFACE),
         CRect(2, 2, 2, 2)},
        {kBarTypeNormal, kBarTop, TRUE, PinnedColor(COLOR_BTNFACE), PinnedColor(COLOR_BTNFACE), CRect(2, 2, 2, 2)},
        {kBarTypeNormal, kBarFloating, TRUE, PinnedColor(COLOR_BTNFACE), PinnedColor(COLOR_BTNHIGHLIGHT),
         CRect(2, 2, 2, 2)},
        {kBarTypePopup, kBarPopup, FALSE, PinnedColor(COLOR_BTNFACE), PinnedColor(COLOR_BTNHIGHLIGHT),
         CRect(3, 3, 3, 3)},
    };
    for (const Row& row : rows) {
        SetBar(row.nType, row.nPosition);
        m_pTheme->m_bFlatToolBar = row.bFlat;
        Clear(dc);
        m_pTheme->FillBarBackground(&dc, m_pBar);
        EXPECT_EQ(PixelAt(dc, 0, 0), row.outerTopLeft) << row.nType << row.nPosition << row.bFlat;
        EXPECT_EQ(PixelAt(dc, 1, 1), row.innerTopLeft) << row.nType << row.nPosition << row.bFlat;
        EXPECT_EQ(PixelAt(dc, 10, 10), PinnedColor(COLOR_BTNFACE));
        EXPECT_EQ(m_pTheme->GetBarBorders(m_pBar), row.rcBorders);
    }
    // Popups: the dark outer frame at the bottom right.
    EXPECT_EQ(PixelAt(dc, rcClient.Width() - 1, rcClient.Height() - 1), PinnedColor(COLOR_3DDKSHADOW));

    // Buttons: the control height or the icon and 4 pixels, whichever is larger.
    m_pTheme->m_nControlHeight = 18;
    EXPECT_EQ(m_pTheme->GetButtonSize(m_pBar), CSize(20, 20));
    m_pTheme->m_nControlHeight = 25;
    EXPECT_EQ(m_pTheme->GetButtonSize(m_pBar), CSize(25, 25));

    // Where a sub bar opens from.
    struct RectRow {
        int nBarType;
        int nControlType;
        BOOL bVertical;
        CRect rcExpected;
    };
    const RectRow rectRows[] = {
        {kBarTypePopup, kControlPopup, FALSE, CRect(11, 10, 29, 30)},
        {kBarTypeNormal, kControlPopup, FALSE, CRect(9, 10, 31, 30)},
        {kBarTypeNormal, kControlPopup, TRUE, CRect(10, 9, 30, 31)},
        {kBarTypeNormal, kControlComboBox, FALSE, CRect(10, 10, 30, 30)},
    };
    CTkControlButton* pControl = AddButton(kControlPopup, L"x", kButtonCaption);
    for (const RectRow& row : rectRows) {
        SetBar(row.nBarType, row.nBarType == kBarTypePopup ? kBarPopup : kBarTop);
        pControl->SetType(row.nControlType);
        CRect rc(10, 10, 30, 30);
        m_pTheme->AdjustControlRect(rc, pControl, row.bVertical);
        EXPECT_EQ(rc, row.rcExpected) << row.nBarType << " " << row.nControlType << " " << row.bVertical;
    }
}

TEST_F(ThemeFixture, ExpandButtons) {
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    CTkControlButton* pControl = AddButton(kControlButton, L"", kButtonIcon);
    // Laid out at the end of a horizontal bar, at the bottom of a vertical one.
    EXPECT_EQ(m_pTheme->PaintExpandButton(nullptr, 0, pControl, m_pBar, FALSE, FALSE), CSize(0, 0));
    EXPECT_EQ(pControl->GetRect(), CRect(rcClient.Width() - 13, 2, rcClient.Width() - 2, rcClient.Height() - 2));
    SetBar(kBarTypeNormal, kBarLeft);
    m_pTheme->PaintExpandButton(nullptr, 0, pControl, m_pBar, FALSE, FALSE);
    EXPECT_EQ(pControl->GetRect(), CRect(2, rcClient.Height() - 13, rcClient.Width() - 2, rcClient.Height() - 2));
    // The popup's expand button is 12 high, measured or drawn.
    EXPECT_EQ(m_pTheme->PaintExpandButton(nullptr, 1, pControl, m_pBar, FALSE, FALSE), CSize(0, 12));
    // A floating bar's expand button: its arrow in the title text colour until hot, on the face when hot.
    SetBar(kBarTypeNormal, kBarFloating);
    pControl->SetRect(CRect(0, 0, 16, 16));
    CScopedMemDC dc(16, 16);
    Clear(dc);
    EXPECT_EQ(m_pTheme->PaintExpandButton(&dc, 3, pControl, m_pBar, TRUE, FALSE), CSize(0, 0));
    EXPECT_EQ(PixelAt(dc, 8, 7), PinnedColor(COLOR_CAPTIONTEXT));
    EXPECT_EQ(PixelAt(dc, 2, 2), kSentinel);
    pControl->SetSelected(1);
    Clear(dc);
    m_pTheme->PaintExpandButton(&dc, 3, pControl, m_pBar, TRUE, FALSE);
    EXPECT_EQ(PixelAt(dc, 8, 7), PinnedColor(COLOR_BTNTEXT));
    EXPECT_EQ(PixelAt(dc, 2, 2), PinnedColor(COLOR_BTNFACE));
    EXPECT_EQ(PixelAt(dc, 0, 0), PinnedColor(COLOR_BTNHIGHLIGHT)) << "raised while hot";
}

// Every state image is a solid icon of its own colour, so the pixel shows which one was drawn and where.
class IconStates : public ::testing::Test {
protected:
    static constexpr UINT kIconId = 7301;
    static constexpr COLORREF kNormal = RGB(200, 0, 0);
    static constexpr COLORREF kHot = RGB(0, 200, 0);
    static constexpr COLORREF kChecked = RGB(0, 0, 200);
    static constexpr COLORREF kPressed = RGB(200, 200, 0);

    void SetUp() override {
        for (const auto& [state, clr] :
             {std::pair{ImageStateNormal, kNormal}, std::pair{ImageStateHot, kHot},
              std::pair{ImageStateChecked, kChecked}, std::pair{ImageStatePressed, kPressed}}) {
            HICON hIcon = MakeSolidIcon(clr);
            IconStateImage image;
            image.WrapIcon(hIcon, TRUE);
            ASSERT_TRUE(GetImageManager()->SetIcon(image, kIconId, 16, 16, state));
            image.Clear();
            ::DestroyIcon(hIcon);
        }
        m_pIcon = GetImageManager()->GetIcon(kIconId, 16);
        ASSERT_NE(m_pIcon, nullptr);
    }

    CTkImageManagerIcon* m_pIcon = nullptr;
};

TEST_F(IconStates, TheStateChoosesTheImageAndWhereItGoes) {
    CPaintManagerRef theme(MakePinnedTheme());
    struct Row {
        LPCSTR pszCase;
        int nSelected;
        int nPressed;
        BOOL bEnabled;
        int nChecked;
        BOOL bPopuped;
        COLORREF at4;   // pixel (4, 4), the icon's top-left when drawn in place
        COLORREF at19;  // pixel (19, 19), its bottom-right when drawn in place
        COLORREF at20;  // pixel (20, 20), inside only when moved one down and right
    };
    const COLORREF shadow = PinnedColor(COLOR_BTNSHADOW);
    const COLORREF highlight = PinnedColor(COLOR_BTNHIGHLIGHT);
    const Row rows[] = {
        {"idle", 0, 0, TRUE, 0, FALSE, kNormal, kNormal, kSentinel},
        {"hot", 1, 0, TRUE, 0, FALSE, kHot, kHot, kSentinel},
        {"pressed with the mouse left", 0, 1, TRUE, 0, FALSE, kHot, kHot, kSentinel},
        {"pressed", 1, 1, TRUE, 0, FALSE, kSentinel, kPressed, kPressed},
        {"pressed by the keyboard", 0, 2, TRUE, 0, FALSE, kSentinel, kPressed, kPressed},
        {"checked", 0, 0, TRUE, 1, FALSE, kChecked, kChecked, kSentinel},
        {"checked and hot", 1, 0, TRUE, 1, FALSE, kChecked, kChecked, kSentinel},
        {"popup open", 1, 1, TRUE, 0, TRUE, kNormal, kNormal, kSentinel},
        {"popup open, checked", 1, 0, TRUE, 1, TRUE, kChecked, kChecked, kSentinel},
        {"indeterminate", 0, 0, TRUE, 2, FALSE, shadow, shadow, kSentinel},
        {"disabled: embossed", 0, 0, FALSE, 0, FALSE, shadow, shadow, highlight},
    };
    for (const Row& row : rows) {
        CScopedMemDC dc(24, 24);
        Clear(dc);
        theme->PaintControlIcon(&dc, CPoint(4, 4), CSize(16, 16), m_pIcon, row.nSelected, row.nPressed, row.bEnabled,
                                row.nChecked, row.bPopuped, TRUE);
        EXPECT_EQ(PixelAt(dc, 4, 4), row.at4) << row.pszCase;
        EXPECT_EQ(PixelAt(dc, 19, 19), row.at19) << row.pszCase;
        EXPECT_EQ(PixelAt(dc, 20, 20), row.at20) << row.pszCase;
    }
    // Hot with the shadow effect: the hot icon one up and left over its shadow one down and right.
    theme->m_bIconEffects[2] = TRUE;
    CScopedMemDC dc(24, 24);
    Clear(dc);
    theme->PaintControlIcon(&dc, CPoint(4, 4), CSize(16, 16), m_pIcon, 1, 0, TRUE, 0, FALSE, TRUE);
    EXPECT_EQ(PixelAt(dc, 3, 3), kHot);
    EXPECT_EQ(PixelAt(dc, 18, 18), kHot);
    EXPECT_NE(PixelAt(dc, 20, 20), kSentinel);
    EXPECT_NE(PixelAt(dc, 20, 20), kHot);
    EXPECT_EQ(PixelAt(dc, 2, 2), kSentinel);
}

TEST(DefaultTheme, CheckMarksAreTwoParallelStrokesAndBoldOnesThree) {
    CPaintManagerRef theme(MakePinnedTheme());
    const CRect rc(0, 0, 20, 20);  // centre (10, 10)
    const COLORREF mark = PinnedColor(COLOR_MENUTEXT);
    for (BOOL bBold : {FALSE, TRUE}) {
        theme->m_bBoldCheckMarks = bBold;
        CScopedMemDC dc(20, 20);
        Clear(dc);
        theme->PaintCheckMark(&dc, rc, COLOR_MENUTEXT);
        // Inner points of both strokes of the tick.
        for (const CPoint& pt :
             {CPoint(7, 10), CPoint(9, 10), CPoint(10, 9), CPoint(12, 7), CPoint(7, 11), CPoint(10, 10), CPoint(11, 9)})
            EXPECT_EQ(PixelAt(dc, pt.x, pt.y), mark) << pt.x << "," << pt.y << " bold " << bBold;
        EXPECT_EQ(PixelAt(dc, 10, 11), bBold ? mark : kSentinel) << "bold " << bBold;
        EXPECT_EQ(PixelAt(dc, 10, 13), kSentinel);
    }
    // The glyphs of check boxes and radio buttons are 13 x 13, drawn or not.
    CScopedMemDC dc(20, 20);
    EXPECT_EQ(theme->PaintCheckBoxMark(&dc, CRect(0, 0, 13, 13), TRUE, FALSE, FALSE, TRUE, 1), CSize(13, 13));
    EXPECT_EQ(theme->PaintCheckBoxMark(nullptr, CRect(), FALSE, FALSE, FALSE, TRUE, 0), CSize(13, 13));
    EXPECT_EQ(theme->PaintRadioButtonMark(nullptr, CRect(), FALSE, FALSE, FALSE, TRUE, 0), CSize(13, 13));
    // The radio mark: a disc of 6 pixels in the middle.
    Clear(dc);
    theme->PaintRadioMark(&dc, CRect(0, 0, 20, 20), COLOR_MENUTEXT);
    EXPECT_EQ(PixelAt(dc, 9, 9), mark);
    EXPECT_EQ(PixelAt(dc, 10, 10), mark);
    EXPECT_EQ(PixelAt(dc, 5, 5), kSentinel);
}

}  // namespace
