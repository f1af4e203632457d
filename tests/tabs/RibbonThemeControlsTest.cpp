// The ribbon theme's buttons on the tests' look: the face image by height and state and the disabled
// rule, the menu faces of popup items, the split button's cell table and its parts, the check-box and
// radio images, the popup marks, arrow and split divider, the drop-down glyph and the expand button.

#include "RibbonControlsTestSupport.h"

namespace {

constexpr COLORREF kNothing = kControlSentinel;
constexpr COLORREF kMagenta = RGB(255, 0, 255);

TEST_F(RibbonControls, ButtonFacesFollowHeightStateAndBar) {
    struct Row {
        int nHeight;
        BOOL bSelected, bPressed, bEnabled, bChecked, bPopuped;
        int nBarType, nBarPosition;
        COLORREF expected;  // at the centre
    };
    const Row rows[] = {
        // Toolbars: the 22-pixel face below 33 pixels of height, the 50-pixel one from 33 on.
        {32, 1, 0, 1, 0, 0, kBarTypeNormal, kBarTop, LookColor(kImageButtons22, 0)},
        {33, 1, 0, 1, 0, 0, kBarTypeNormal, kBarTop, LookColor(kImageButtons50, 0)},
        {32, 1, 1, 1, 0, 0, kBarTypeNormal, kBarTop, LookColor(kImageButtons22, 1)},
        {32, 0, 2, 1, 0, 0, kBarTypeNormal, kBarTop, LookColor(kImageButtons22, 1)},
        {32, 0, 1, 1, 0, 0, kBarTypeNormal, kBarTop, LookColor(kImageButtons22, 0)},
        {32, 0, 0, 1, 1, 0, kBarTypeNormal, kBarTop, LookColor(kImageButtons22, 2)},
        {32, 1, 0, 1, 1, 0, kBarTypeNormal, kBarTop, LookColor(kImageButtons22, 3)},
        {32, 0, 0, 1, 0, 1, kBarTypeNormal, kBarTop, LookColor(kImageButtons22, 2)},
        {32, 0, 0, 1, 0, 0, kBarTypeNormal, kBarTop, kNothing},
        // Disabled: a face only while selected from the keyboard, checked or not.
        {32, 1, 0, 0, 0, 0, kBarTypeNormal, kBarTop, kNothing},
        {32, 0, 0, 0, 1, 0, kBarTypeNormal, kBarTop, kNothing},
        {32, 2, 0, 0, 0, 0, kBarTypeNormal, kBarTop, LookColor(kImageButtons22, 0)},
        {40, 3, 0, 0, 1, 0, kBarTypeRibbon, kBarTop, LookColor(kImageButtons50, 0)},
        // Popup menus: the checked and selected item images.
        {22, 0, 0, 1, 1, 0, kBarTypePopup, kBarPopup, LookColor(kImageMenuChecked, 0)},
        {22, 1, 0, 0, 1, 0, kBarTypePopup, kBarPopup, LookColor(kImageMenuChecked, 1)},
        {32, 1, 0, 1, 0, 0, kBarTypePopup, kBarPopup, LookColor(kImageMenuSelected22, 0)},
        {33, 1, 0, 1, 0, 0, kBarTypePopup, kBarPopup, LookColor(kImageMenuSelected54, 0)},
        {22, 2, 0, 0, 0, 0, kBarTypePopup, kBarPopup, LookColor(kImageMenuSelectedDisabled22, 0)},
        {40, 3, 0, 0, 0, 0, kBarTypePopup, kBarPopup, LookColor(kImageMenuSelectedDisabled54, 0)},
        {22, 1, 0, 0, 0, 0, kBarTypePopup, kBarPopup, kNothing},
    };
    for (const Row& row : rows) {
        Clear();
        const CRect rc(10, 10, 60, 10 + row.nHeight);
        m_theme->PaintStateRectangle(&m_dc, rc, row.bSelected, row.bPressed, row.bEnabled, row.bChecked, row.bPopuped,
                                     row.nBarType, row.nBarPosition);
        EXPECT_EQ(At(35, 10 + row.nHeight / 2), row.expected)
            << row.nHeight << " " << row.bSelected << row.bPressed << row.bEnabled << row.bChecked << row.bPopuped
            << " bar " << row.nBarType;
    }

    // The toolbar faces are drawn without a key, the menu faces with it.
    Clear();
    m_theme->PaintStateRectangle(&m_dc, CRect(10, 10, 60, 32), 1, 0, 1, 0, 0, kBarTypeNormal, kBarTop);
    EXPECT_EQ(At(10, 10), kMagenta);
    Clear();
    m_theme->PaintStateRectangle(&m_dc, CRect(10, 10, 60, 32), 1, 0, 1, 0, 0, kBarTypePopup, kBarPopup);
    EXPECT_EQ(At(10, 10), kNothing);
    EXPECT_EQ(At(11, 10), LookColor(kImageMenuSelected22, 0));

    // A popup bar that is not shown as a popup keeps the Office 2003 face.
    CScopedMemDC expected(240, 120);
    expected.FillSolidRect(0, 0, 240, 120, kControlSentinel);
    Clear();
    m_theme->PaintStateRectangle(&m_dc, CRect(10, 10, 60, 32), 1, 0, 1, 0, 0, kBarTypePopup, kBarFloating);
    m_theme->CTkOffice2003Theme::PaintStateRectangle(&expected, CRect(10, 10, 60, 32), 1, 0, 1, 0, 0, kBarTypePopup,
                                                     kBarFloating);
    EXPECT_EQ(At(35, 20), PixelAt(expected, 35, 20));
    EXPECT_EQ(At(35, 20), kLookHotFill);
}

TEST(RibbonSplitButton, CellsFollowTheFirstMatchingCase) {
    constexpr int kNone = CTkRibbonTheme::kSplitCellNone;
    struct Row {
        int nEnabled, nSelected, nPressed;
        BOOL bPopuped;
        int nChecked;
        int nCommand, nDropDown;
    };
    const Row rows[] = {
        // The disabled halves of a split popup while anything is active; otherwise the rows below.
        {5, 1, 0, FALSE, 0, 4, 4},
        {5, 0, 0, FALSE, 0, kNone, kNone},
        {4, 0, 1, FALSE, 0, 5, 3},
        {4, 0, 0, TRUE, 0, 5, 3},
        // Disabled: a face only while selected from the keyboard.
        {0, 1, 0, FALSE, 0, kNone, kNone},
        {0, 2, 0, FALSE, 1, 5, 4},
        {0, 3, 1, TRUE, 0, 5, 4},
        // Popup open, then pressed from the keyboard.
        {1, 1, 1, TRUE, 1, 5, 2},
        {1, 0, 2, FALSE, 0, 1, 0},
        {1, 1, 3, FALSE, 1, 1, 0},
        // Checked.
        {1, 0, 0, FALSE, 1, 2, 2},
        {1, 1, 0, FALSE, 1, 3, 4},
        {1, 5, 0, FALSE, 2, 3, 0},
        {1, 0, 1, FALSE, 1, 2, 4},
        {1, 1, 1, FALSE, 1, 1, 0},
        // Not checked: the half under the mouse (selected 4 command, 5 drop-down).
        {1, 0, 0, FALSE, 0, kNone, kNone},
        {1, 1, 0, FALSE, 0, 5, 4},
        {1, 4, 0, FALSE, 0, 0, 4},
        {1, 5, 0, FALSE, 0, 5, 0},
        {1, 0, 1, FALSE, 0, 5, 4},
        {1, 1, 1, FALSE, 0, 1, 0},
    };
    for (const Row& row : rows) {
        const auto cells =
            CTkRibbonTheme::GetSplitButtonCells(row.nEnabled, row.nSelected, row.nPressed, row.bPopuped, row.nChecked);
        EXPECT_EQ(cells.nCommand, row.nCommand)
            << row.nEnabled << row.nSelected << row.nPressed << row.bPopuped << row.nChecked;
        EXPECT_EQ(cells.nDropDown, row.nDropDown)
            << row.nEnabled << row.nSelected << row.nPressed << row.bPopuped << row.nChecked;
    }
}

TEST_F(RibbonControls, SplitButtonsDrawBothPartsGlyphAndLeaveTheirTextColour) {
    const int nWidth = m_theme->m_nSplitButtonDropDownWidth;
    CStateControl* pSmall = MakeControl(kControlSplitButtonPopup, CRect(10, 10, 70, 32));
    pSmall->SetStyle(kButtonIcon);
    CStateControl* pLarge = MakeControl(kControlSplitButtonPopup, CRect(100, 10, 150, 90));
    pLarge->SetStyle(kButtonIconAndCaptionBelow);
    const int nExtent = m_theme->GetSplitDropDownExtent();

    struct Row {
        int nEnabled, nSelected, nPressed;
        int nCommand, nDropDown, nGlyph;  // -1: nothing
        COLORREF clrText;
    };
    const Row rows[] = {
        {1, 1, 0, 5, 4, 1, RGB(21, 66, 139)},   {1, 4, 0, 0, 4, 1, RGB(21, 66, 139)},
        {1, 0, 0, -1, -1, 0, RGB(21, 66, 139)}, {0, 2, 0, 5, 4, 3, RGB(141, 141, 141)},
        {4, 5, 0, 5, 3, 3, RGB(21, 66, 139)},
    };
    const auto cellColor = [](int nImage, int nCell) { return nCell < 0 ? kNothing : LookColor(nImage, nCell); };
    for (const Row& row : rows) {
        Clear();
        m_dc.SetTextColor(RGB(9, 9, 9));
        m_dc.SetBkMode(OPAQUE);
        pSmall->SetStates(row.nEnabled, row.nSelected, row.nPressed, FALSE, 0);
        pLarge->SetStates(row.nEnabled, row.nSelected, row.nPressed, FALSE, 0);
        m_theme->PaintSplitButton(&m_dc, pSmall, pSmall->GetRect());
        EXPECT_EQ(m_dc.GetTextColor(), row.clrText);
        EXPECT_EQ(m_dc.GetBkMode(), TRANSPARENT);
        m_theme->PaintSplitButton(&m_dc, pLarge, pLarge->GetRect());
        const std::string strRow = std::to_string(row.nEnabled) + " " + std::to_string(row.nSelected);

        // Small: the drop-down part at the right, the glyph centred on it.
        EXPECT_EQ(At(30, 20), cellColor(kImageSplit22, row.nCommand)) << strRow;
        EXPECT_EQ(At(70 - nWidth + 2, 13), cellColor(kImageSplitDropDown22, row.nDropDown)) << strRow;
        EXPECT_EQ(At(70 - nWidth / 2 - 1, 21), LookColor(kImageDropDownGlyph, row.nGlyph)) << strRow;
        // Large: the drop-down part below, no glyph of the split button's own.
        EXPECT_EQ(At(125, 20), cellColor(kImageSplit50, row.nCommand)) << strRow;
        EXPECT_EQ(At(125, 90 - nExtent / 2), cellColor(kImageSplitDropDown50, row.nDropDown)) << strRow;
        EXPECT_EQ(At(125, 90 - nExtent - 1), cellColor(kImageSplit50, row.nCommand)) << strRow;
    }
    // The cells are keyed: the magenta corner leaves what was there.
    EXPECT_EQ(At(10, 10), kNothing);
}

TEST_F(RibbonControls, CheckBoxAndRadioImagesTakeTheBaseStatePlusTheCheck) {
    struct Row {
        BOOL bRadio, bSelected, bPressed, bEnabled;
        int nChecked;
        int nState;
    };
    const Row rows[] = {
        {FALSE, 0, 0, 1, 0, 0},  {FALSE, 1, 0, 1, 0, 1}, {FALSE, 1, 1, 1, 0, 2},
        {FALSE, 0, 1, 1, 0, 0},  {FALSE, 1, 1, 0, 0, 3}, {FALSE, 0, 0, 1, 1, 4},
        {FALSE, 1, 0, 1, 1, 5},  {FALSE, 1, 0, 1, 2, 9},  // indeterminate under the mouse
        {FALSE, 0, 0, 0, 2, 11}, {TRUE, 0, 0, 1, 0, 0},  {TRUE, 1, 1, 1, 1, 6},
        {TRUE, 0, 0, 0, 2, 7},
    };
    for (const Row& row : rows) {
        Clear();
        const CRect rc(20, 20, 33, 33);
        const CSize size = row.bRadio ? m_theme->PaintRadioButtonMark(&m_dc, rc, TRUE, row.bSelected, row.bPressed,
                                                                      row.bEnabled, row.nChecked)
                                      : m_theme->PaintCheckBoxMark(&m_dc, rc, TRUE, row.bSelected, row.bPressed,
                                                                   row.bEnabled, row.nChecked);
        EXPECT_EQ(size, CSize(13, 13));
        EXPECT_EQ(At(26, 26), LookColor(row.bRadio ? kImageRadioButton : kImageCheckBox, row.nState))
            << row.bRadio << row.bSelected << row.bPressed << row.bEnabled << row.nChecked;
    }
    Clear();
    EXPECT_EQ(m_theme->PaintCheckBoxMark(&m_dc, CRect(20, 20, 33, 33), FALSE, 1, 0, 1, 1), CSize(13, 13));
    EXPECT_EQ(At(26, 26), kNothing);
}

TEST_F(RibbonControls, PopupItemsDrawMarksArrowAndSplitParts) {
    // Marks: natural size centred; the disabled-icon entry marks a disabled item.
    const struct {
        BOOL bRadio;
        COLORREF clr;
        int nState;
    } marks[] = {{FALSE, 0, 0}, {FALSE, 40, 1}, {TRUE, 0, 2}, {TRUE, 40, 3}};
    for (const auto& mark : marks) {
        Clear();
        const CRect rc(20, 20, 40, 40);
        if (mark.bRadio)
            m_theme->PaintRadioMark(&m_dc, rc, mark.clr);
        else
            m_theme->PaintCheckMark(&m_dc, rc, mark.clr);
        EXPECT_EQ(At(30, 30), LookColor(kImageMenuMark, mark.nState));
        EXPECT_EQ(At(27, 30), kNothing);  // 4 x 4 at (28, 28)
    }

    // The sub-menu arrow: its left edge 14 pixels before the item's right edge, centred vertically.
    CStateControl* pItem = MakeControl(kControlSplitButtonPopup, CRect(10, 10, 200, 50));
    pItem->SetStates(0, 0, 0, FALSE, 0);
    Clear();
    m_theme->PaintSubmenuArrow(&m_dc, pItem);
    EXPECT_EQ(At(200 - 14 + 1, 30), LookColor(kImageMenuPopupGlyph, 1));
    EXPECT_EQ(At(200 - 15, 30), kNothing);
    EXPECT_EQ(At(200 - 14 + 3, 30), LookColor(kImageMenuPopupGlyph, 1));
    EXPECT_EQ(At(200 - 14 + 4, 30), kNothing);

    // The split divider: the item part only on items taller than 33 pixels and enabled.
    const int nSplit = m_theme->m_nPopupSplitWidth;
    const struct {
        int nEnabled, nSelected;
        BOOL bPopuped;
        int nHeight;
        int nItem, nDropDown;  // -1: nothing
    } items[] = {
        {1, 0, FALSE, 40, 0, 0}, {1, 4, FALSE, 40, 2, 1},  {1, 2, TRUE, 40, 1, 2},   {1, 3, FALSE, 40, 2, 1},
        {1, 1, FALSE, 40, 1, 1}, {1, 1, FALSE, 33, -1, 1}, {0, 2, FALSE, 40, -1, 0},
    };
    for (const auto& item : items) {
        Clear();
        pItem->SetRect(CRect(10, 10, 200, 10 + item.nHeight));
        pItem->SetStates(item.nEnabled, item.nSelected, 0, item.bPopuped, 0);
        m_theme->PaintSplitDivider(&m_dc, pItem);
        EXPECT_EQ(At(100, 20), item.nItem < 0 ? kNothing : LookColor(kImageMenuSplitItem, item.nItem))
            << item.nSelected << " " << item.nHeight;
        EXPECT_EQ(At(200 - nSplit / 2, 20), LookColor(kImageMenuSplitDropDown, item.nDropDown)) << item.nSelected;
    }

    // The drop-down glyph in its 5 x 4 box; pointing right it is the base's triangle.
    Clear();
    m_theme->PaintDropDownGlyph(&m_dc, nullptr, CPoint(50, 50), FALSE, FALSE, TRUE, FALSE);
    EXPECT_EQ(At(49, 49), LookColor(kImageDropDownGlyph, 0));
    EXPECT_EQ(At(52, 51), LookColor(kImageDropDownGlyph, 0));
    EXPECT_EQ(At(53, 50), kNothing);
    EXPECT_EQ(At(50, 52), kNothing);
    Clear();
    m_theme->PaintDropDownGlyph(&m_dc, nullptr, CPoint(50, 50), FALSE, FALSE, TRUE, TRUE);
    EXPECT_NE(At(51, 50), LookColor(kImageDropDownGlyph, 0));
    EXPECT_NE(At(51, 50), kNothing);
}

TEST_F(RibbonControls, ExpandButtonTakesTheBarsLastTwelvePixelsAndItsState) {
    CStateControl* pExpand = MakeControl(kControlButton, CRect(0, 0, 0, 0));
    const struct {
        int nPosition;
        CRect rcExpected;
        int nImage;
    } places[] = {{kBarTop, CRect(288, 0, 300, 40), kImageExpandHorizontal},
                  {kBarFloating, CRect(288, 0, 300, 40), kImageExpandHorizontal},
                  {kBarLeft, CRect(0, 28, 300, 40), kImageExpandVertical}};
    for (const auto& place : places) {
        SetBarKind(m_pBar, kBarTypeNormal, place.nPosition);
        EXPECT_EQ(m_theme->PaintExpandButton(nullptr, 0, pExpand, m_pBar, FALSE, FALSE), CSize(0, 0));
        EXPECT_EQ(pExpand->GetRect(), place.rcExpected) << place.nPosition;
        for (int nState = 0; nState < 3; ++nState) {
            pExpand->SetStates(1, nState == 1, 0, nState == 2, 0);
            CScopedMemDC dc(300, 40);
            dc.FillSolidRect(0, 0, 300, 40, kControlSentinel);
            m_theme->PaintExpandButton(&dc, 0, pExpand, m_pBar, TRUE, FALSE);
            const CRect& rc = place.rcExpected;
            EXPECT_EQ(PixelAt(dc, rc.left + 1, rc.top + 1), LookColor(place.nImage, nState)) << place.nPosition;
            EXPECT_EQ(PixelAt(dc, rc.left, rc.top), kControlSentinel);
        }
    }
}

}  // namespace
