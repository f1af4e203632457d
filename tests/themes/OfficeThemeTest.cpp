// The Office theme's rules as tables (state faces, text colours, icon images) and its popup items, bar
// backgrounds and popup joint on 32-bpp DIB sections with every colour entry pinned.

#include "OfficeThemeTestSupport.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"

namespace {

TEST(OfficeTheme, StateRectanglesFirstMatchWins) {
    CPaintManagerRef theme(MakePinnedOfficeTheme<CTkOfficeTheme>());
    struct Row {
        LPCSTR pszCase;
        int nSelected;
        int nPressed;
        BOOL bEnabled;
        int nChecked;
        BOOL bPopuped;
        int nPosition;
        int nFrame;  // -1: nothing drawn there
        int nFill;
    };
    const Row rows[] = {
        {"disabled, keyboard selection, popup", 2, 0, FALSE, 0, FALSE, kBarPopup, 32, 41},
        {"disabled, keyboard selection, checked", 3, 0, FALSE, 1, FALSE, kBarTop, 32, 33},
        {"disabled, keyboard selection", 2, 0, FALSE, 0, FALSE, kBarTop, 32, 31},
        {"disabled, mouse selection", 1, 0, FALSE, 0, FALSE, kBarTop, -1, -1},
        {"disabled, checked", 0, 0, FALSE, 1, FALSE, kBarTop, 58, 36},
        {"disabled, checked, popup: frame only", 1, 0, FALSE, 1, FALSE, kBarPopup, 58, -1},
        {"popped up wins over checked", 1, 1, TRUE, 1, TRUE, kBarTop, 43, 30},
        {"checked and selected, pressed", 1, 1, TRUE, 1, FALSE, kBarTop, 50, 33},
        {"checked and selected", 1, 0, TRUE, 1, FALSE, kBarTop, 50, 33},
        {"checked at rest", 0, 0, TRUE, 1, FALSE, kBarTop, 37, 36},
        {"third state at rest", 0, 0, TRUE, 2, FALSE, kBarTop, 37, 51},
        {"checked, pressed by the mouse", 0, 1, TRUE, 1, FALSE, kBarTop, 32, 31},
        {"pressed by the keyboard", 0, 2, TRUE, 0, FALSE, kBarTop, 50, 33},
        {"selected and pressed", 1, 1, TRUE, 0, FALSE, kBarTop, 50, 33},
        {"hot", 1, 0, TRUE, 0, FALSE, kBarTop, 32, 31},
        {"keyboard selection", 3, 0, TRUE, 0, FALSE, kBarPopup, 32, 31},
        {"pressed, mouse away", 0, 1, TRUE, 0, FALSE, kBarTop, 32, 31},
        {"at rest", 0, 0, TRUE, 0, FALSE, kBarTop, -1, -1},
    };
    for (const Row& row : rows) {
        CScopedMemDC dc(8, 8);
        Clear(dc);
        theme->PaintStateRectangle(&dc, CRect(0, 0, 8, 8), row.nSelected, row.nPressed, row.bEnabled, row.nChecked,
                                   row.bPopuped, row.nPosition == kBarPopup ? kBarTypePopup : kBarTypeNormal,
                                   row.nPosition);
        EXPECT_EQ(PixelAt(dc, 7, 7), row.nFrame < 0 ? kSentinel : PinnedColor(row.nFrame)) << row.pszCase;
        EXPECT_EQ(PixelAt(dc, 3, 3), row.nFill < 0 ? kSentinel : PinnedColor(row.nFill)) << row.pszCase;
    }
}

TEST(OfficeTheme, StateTextColoursFirstMatchWins) {
    CPaintManagerRef theme(MakePinnedOfficeTheme<CTkOfficeTheme>());
    struct Row {
        LPCSTR pszCase;
        int nSelected;
        int nPressed;
        BOOL bEnabled;
        int nChecked;
        BOOL bPopuped;
        int nType;
        int nPosition;
        int nExpected;
    };
    const int kPopup = kBarTypePopup;
    const int kTool = kBarTypeNormal;
    const Row rows[] = {
        {"popup, disabled", 1, 0, FALSE, 0, FALSE, kPopup, kBarPopup, 35},
        {"popup, selected", 1, 0, TRUE, 1, FALSE, kPopup, kBarPopup, 45},
        {"popup, at rest", 0, 0, TRUE, 0, TRUE, kPopup, kBarPopup, 44},
        {"bar, disabled", 1, 1, FALSE, 0, TRUE, kTool, kBarTop, 60},
        {"bar, popped up", 1, 1, TRUE, 1, TRUE, kTool, kBarTop, 46},
        {"bar, checked at rest", 0, 0, TRUE, 1, FALSE, kTool, kBarTop, 45},
        {"bar, pressed by the keyboard", 0, 2, TRUE, 0, FALSE, kTool, kBarTop, 47},
        {"bar, selected and pressed", 1, 1, TRUE, 0, FALSE, kTool, kBarTop, 47},
        {"bar, checked and selected", 1, 0, TRUE, 1, FALSE, kTool, kBarTop, 47},
        {"bar, selected", 1, 0, TRUE, 0, FALSE, kTool, kBarTop, 45},
        {"bar, pressed, mouse away", 0, 1, TRUE, 0, FALSE, kTool, kBarTop, 45},
        {"torn-off toolbar at rest", 0, 0, TRUE, 0, FALSE, kTool, kBarPopup, 44},
        {"menu bar at rest", 0, 0, TRUE, 0, FALSE, kBarTypeMenuBar, kBarTop, 46},
    };
    for (const Row& row : rows)
        EXPECT_EQ(theme->GetStateTextColor(row.nSelected, row.nPressed, row.bEnabled, row.nChecked, row.bPopuped,
                                           row.nType, row.nPosition),
                  PinnedColor(row.nExpected))
            << row.pszCase;
}

// Every state image is a solid icon of its own colour, so the pixel shows which one was drawn and where.
class OfficeIconStates : public ::testing::Test {
protected:
    static constexpr UINT kIconId = 7311;
    static constexpr COLORREF kNormal = RGB(200, 0, 0);
    static constexpr COLORREF kHot = RGB(0, 200, 0);
    static constexpr COLORREF kChecked = RGB(0, 0, 200);
    static constexpr COLORREF kPressed = RGB(200, 200, 0);
    static constexpr COLORREF kDisabled = RGB(0, 200, 200);

    void SetUp() override {
        for (const auto& [state, clr] : {std::pair{ImageStateNormal, kNormal}, std::pair{ImageStateHot, kHot},
                                         std::pair{ImageStateChecked, kChecked}, std::pair{ImageStatePressed, kPressed},
                                         std::pair{ImageStateDisabled, kDisabled}}) {
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

TEST_F(OfficeIconStates, TheStateChoosesTheImageAndTheThirdStateShowsDisabled) {
    CPaintManagerRef theme(MakePinnedOfficeTheme<CTkOfficeTheme>());
    theme->m_bIconEffects[0] = FALSE;  // faded images are generated: judged apart below
    theme->m_bIconEffects[2] = FALSE;
    struct Row {
        LPCSTR pszCase;
        int nSelected;
        int nPressed;
        BOOL bEnabled;
        int nChecked;
        BOOL bPopuped;
        COLORREF expected;  // pixel (10, 10), inside the icon
    };
    const Row rows[] = {
        {"at rest", 0, 0, TRUE, 0, FALSE, kNormal},
        {"hot", 1, 0, TRUE, 0, FALSE, kHot},
        {"pressed, mouse away", 0, 1, TRUE, 0, FALSE, kHot},
        {"pressed", 1, 1, TRUE, 0, FALSE, kPressed},
        {"pressed by the keyboard", 0, 2, TRUE, 0, FALSE, kPressed},
        {"checked", 1, 0, TRUE, 1, FALSE, kChecked},
        {"popped up", 1, 1, TRUE, 0, TRUE, kNormal},
        {"popped up, checked", 1, 0, TRUE, 1, TRUE, kChecked},
        {"third state", 1, 0, TRUE, 2, FALSE, kDisabled},
        {"third state, pressed", 1, 1, TRUE, 2, FALSE, kChecked},
        {"disabled", 1, 0, FALSE, 0, FALSE, kDisabled},
    };
    for (const Row& row : rows) {
        CScopedMemDC dc(24, 24);
        Clear(dc);
        theme->PaintControlIcon(&dc, CPoint(4, 4), CSize(16, 16), m_pIcon, row.nSelected, row.nPressed, row.bEnabled,
                                row.nChecked, row.bPopuped, TRUE);
        EXPECT_EQ(PixelAt(dc, 10, 10), row.expected) << row.pszCase;
        EXPECT_EQ(PixelAt(dc, 4, 4), row.expected) << row.pszCase << ": drawn in place";
    }
    // Disabled icons off: a silhouette in entry 40.
    theme->m_bIconEffects[1] = FALSE;
    CScopedMemDC dc(24, 24);
    Clear(dc);
    theme->PaintControlIcon(&dc, CPoint(4, 4), CSize(16, 16), m_pIcon, 0, 0, FALSE, 0, FALSE, TRUE);
    EXPECT_EQ(PixelAt(dc, 10, 10), PinnedColor(40));
    // Faded at rest: neither the sentinel nor the normal image's exact colour.
    theme->m_bIconEffects[0] = TRUE;
    Clear(dc);
    theme->PaintControlIcon(&dc, CPoint(4, 4), CSize(16, 16), m_pIcon, 0, 0, TRUE, 0, FALSE, TRUE);
    EXPECT_NE(PixelAt(dc, 10, 10), kSentinel);
    EXPECT_NE(PixelAt(dc, 10, 10), kNormal);
    // Hot with the shadow effect: the hot icon one up and left over its shadow one down and right.
    theme->m_bIconEffects[2] = TRUE;
    Clear(dc);
    theme->PaintControlIcon(&dc, CPoint(4, 4), CSize(16, 16), m_pIcon, 1, 0, TRUE, 0, FALSE, TRUE);
    EXPECT_EQ(PixelAt(dc, 3, 3), kHot);
    EXPECT_NE(PixelAt(dc, 20, 20), kSentinel);
    EXPECT_NE(PixelAt(dc, 20, 20), kHot);
}

// A popup bar of the fixture's hub whose double gutter the test sets.
class CGutterPopupBar : public CTkPopupBar {
public:
    void SetDoubleGutter(BOOL bDouble) { m_bDoubleGripper = bDouble; }
};

class OfficePopupItems : public OfficeThemeFixture {
protected:
    static constexpr UINT kIconId = 7312;
    static constexpr COLORREF kIcon = RGB(200, 0, 0);

    void SetUp() override {
        OfficeThemeFixture::SetUp();
        HICON hIcon = MakeSolidIcon(kIcon);
        IconStateImage image;
        image.WrapIcon(hIcon, TRUE);
        ASSERT_TRUE(GetImageManager()->SetIcon(image, kIconId, 16, 16, ImageStateNormal));
        image.Clear();
        ::DestroyIcon(hIcon);
        m_pTheme2 = UseTheme<CTkOfficeTheme>();
        m_pPopup = new CGutterPopupBar;
        m_pPopup->SetCommandBars(m_pCommandBars);
        SetBarKind(m_pPopup, kBarTypePopup, kBarPopup);
        ASSERT_TRUE(CreateBarWindow(m_pPopup, m_pSite, CRect(0, 0, 220, 40)));
    }
    void TearDown() override {
        m_pPopup->InternalRelease();
        OfficeThemeFixture::TearDown();
    }
    CTkControlButton* AddItem(int nType, BOOL bIcon, int nChecked) {
        CTkControlButton* pControl =
            IsPopupControlType(nType) ? CTkControlPopup::CreateControlPopup(nType) : new CTkControlButton;
        pControl->SetType(nType);
        pControl->SetCaption(L"&Item");
        if (bIcon)
            pControl->SetIconId(kIconId);
        pControl->SetChecked(nChecked);
        m_pPopup->GetControls()->Append(pControl);
        pControl->SetRect(CRect(2, 2, 210, 2 + m_pTheme2->m_nControlHeight + 4));
        return pControl;
    }

    CTkOfficeTheme* m_pTheme2 = nullptr;
    CGutterPopupBar* m_pPopup = nullptr;
};

TEST_F(OfficePopupItems, CheckSquareIconAndMarkWithAndWithoutTheDoubleGutter) {
    const int nSquare = std::max(20, m_pTheme2->m_nControlHeight + 4);
    CTkControlButton* pControl = AddItem(kControlButton, TRUE, 1);
    const CRect rc = pControl->GetRect();
    const CPoint ptCentre((rc.left + rc.left + nSquare) / 2, rc.CenterPoint().y);
    const CRect rcCheck(ptCentre.x - 10, ptCentre.y - 10, ptCentre.x + 10, ptCentre.y + 10);
    CScopedMemDC dc(220, 40);

    // One column: the icon alone shows the check, on the checked square.
    Clear(dc);
    pControl->Draw(&dc);
    EXPECT_EQ(PixelAt(dc, rcCheck.left, rcCheck.top), PinnedColor(37)) << "checked frame";
    EXPECT_EQ(PixelAt(dc, rcCheck.left + 1, rcCheck.top + 1), PinnedColor(36)) << "checked fill";
    EXPECT_EQ(PixelAt(dc, ptCentre.x, ptCentre.y), kIcon);
    EXPECT_EQ(PixelAt(dc, rc.right - 2, rc.top + 2), kSentinel) << "no highlight at rest";

    // Double gutter: the check square and a black mark (slot 0) in the first column, the icon in the second.
    m_pPopup->SetDoubleGutter(TRUE);
    Clear(dc);
    pControl->Draw(&dc);
    EXPECT_EQ(PixelAt(dc, rcCheck.left, rcCheck.top), PinnedColor(37));
    EXPECT_EQ(PixelAt(dc, ptCentre.x + nSquare, ptCentre.y), kIcon);
    int nMark = 0;
    for (int y = rcCheck.top + 1; y < rcCheck.bottom - 1; ++y)
        for (int x = rcCheck.left + 1; x < rcCheck.right - 1; ++x)
            nMark += PixelAt(dc, x, y) == PinnedColor(0);
    EXPECT_GT(nMark, 6) << "a black check mark";
    EXPECT_NE(PixelAt(dc, ptCentre.x, ptCentre.y), kIcon);

    // A dark checked fill takes a white mark; a disabled item's mark is entry 40.
    m_pTheme2->m_colors[36].m_customValue = RGB(20, 20, 20);
    Clear(dc);
    pControl->Draw(&dc);
    int nWhite = 0;
    for (int y = rcCheck.top + 1; y < rcCheck.bottom - 1; ++y)
        for (int x = rcCheck.left + 1; x < rcCheck.right - 1; ++x)
            nWhite += PixelAt(dc, x, y) == RGB(255, 255, 255);
    EXPECT_GT(nWhite, 6);
    m_pTheme2->m_colors[36].m_customValue = PinnedColor(36);
    pControl->SetEnabled(FALSE);
    Clear(dc);
    pControl->Draw(&dc);
    int nDisabled = 0;
    for (int y = rcCheck.top + 1; y < rcCheck.bottom - 1; ++y)
        for (int x = rcCheck.left + 1; x < rcCheck.right - 1; ++x)
            nDisabled += PixelAt(dc, x, y) == PinnedColor(40);
    EXPECT_GT(nDisabled, 6);
    WritePng(dc, L"/tmp/office-popup-item.png");
}

TEST_F(OfficePopupItems, HighlightSubmenuArrowSplitDividerAndLabelRows) {
    auto* pPopup = new CShownPopupControl(kControlSplitButtonPopup);
    pPopup->SetCaption(L"&Split");
    m_pPopup->GetControls()->Append(pPopup);
    pPopup->SetRect(CRect(2, 2, 210, 2 + m_pTheme2->m_nControlHeight + 4));
    const CRect rc = pPopup->GetRect();
    const int c = rc.CenterPoint().y;
    CScopedMemDC dc(220, 40);
    Clear(dc);
    pPopup->SetSelected(1);
    pPopup->Draw(&dc);
    EXPECT_EQ(PixelAt(dc, rc.left, rc.top), PinnedColor(32)) << "hot frame";
    EXPECT_EQ(PixelAt(dc, rc.left + 3, rc.top + 3), PinnedColor(31)) << "hot fill";
    EXPECT_EQ(PixelAt(dc, rc.right - 20, c), PinnedColor(32)) << "divider, selected";
    EXPECT_EQ(PixelAt(dc, rc.right - 10, c), PinnedColor(45)) << "arrow in the hot text colour";
    // Its sub-menu open: the arrow part pushed, the arrow in entry 47.
    pPopup->ShowOpen(TRUE);
    Clear(dc);
    pPopup->Draw(&dc);
    EXPECT_EQ(PixelAt(dc, rc.right - 15, rc.top + 2), PinnedColor(33));
    EXPECT_EQ(PixelAt(dc, rc.right - 10, c), PinnedColor(47));
    pPopup->ShowOpen(FALSE);

    // A label row starts right of the icon column.
    CTkControlButton* pLabel = AddItem(kControlLabel, FALSE, 0);
    Clear(dc);
    pLabel->Draw(&dc);
    const int nColumn = m_pTheme2->GetPopupIconColumnWidth(m_pPopup);
    EXPECT_EQ(PixelAt(dc, rc.left + nColumn, rc.top), PinnedColor(56));
    EXPECT_EQ(PixelAt(dc, rc.left + nColumn - 1, rc.top), kSentinel);
}

TEST_F(OfficePopupItems, PopupBackgroundAndTheJointWithItsControlInScreenCoordinates) {
    // The opening control on a menu bar at (40, 100) on screen, its popup one pixel into it.
    SetBar(kBarTypeMenuBar, kBarTop);
    m_pBar->SetWindowPos(nullptr, 40, 100, 300, 24, SWP_NOZORDER | SWP_NOACTIVATE);
    CTkControlButton* pOpener = AddButton(kControlPopup, L"&File", kButtonCaption);
    pOpener->SetRect(CRect(10, 2, 50, 22));
    m_pPopup->SetControlPopup(pOpener);
    CRect rcAdjusted = pOpener->GetRect();
    m_pTheme2->AdjustControlRect(rcAdjusted, pOpener, FALSE);
    EXPECT_EQ(rcAdjusted, CRect(10, 3, 50, 21));
    m_pPopup->SetWindowPos(nullptr, 40 + 10, 100 + 21, 120, 60, SWP_NOZORDER | SWP_NOACTIVATE);
    CScopedMemDC dc(120, 60);
    Clear(dc);
    m_pTheme2->FillBarBackground(&dc, m_pPopup);
    EXPECT_EQ(PixelAt(dc, 0, 0), PinnedColor(43)) << "frame under the control's corner";
    EXPECT_EQ(PixelAt(dc, 1, 0), PinnedColor(30)) << "joint";
    EXPECT_EQ(PixelAt(dc, 38, 0), PinnedColor(30)) << "joint";
    EXPECT_EQ(PixelAt(dc, 39, 0), PinnedColor(43));
    EXPECT_EQ(PixelAt(dc, 0, 1), PinnedColor(43));
    EXPECT_EQ(PixelAt(dc, 5, 5), PinnedColor(41));
    WritePng(dc, L"/tmp/office-popup-joint.png");
    // A context menu (no opening control) and a sub-menu of a popup have a plain frame.
    m_pPopup->SetControlPopup(nullptr);
    Clear(dc);
    m_pTheme2->FillBarBackground(&dc, m_pPopup);
    EXPECT_EQ(PixelAt(dc, 5, 0), PinnedColor(43));
    m_pPopup->SetControlPopup(pOpener);
    SetBar(kBarTypePopup, kBarPopup);
    Clear(dc);
    m_pTheme2->FillBarBackground(&dc, m_pPopup);
    EXPECT_EQ(PixelAt(dc, 5, 0), PinnedColor(43));
    m_pPopup->SetControlPopup(nullptr);
}

TEST_F(OfficeThemeFixture, BarBackgroundsByPositionAndSeparators) {
    CTkOfficeTheme* pTheme = UseTheme<CTkOfficeTheme>();
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    const int w = rcClient.Width();
    const int h = rcClient.Height();
    CScopedMemDC dc(w, h);
    struct Row {
        LPCSTR pszCase;
        int nType;
        int nPosition;
        COLORREF at00;
        COLORREF at11;
        COLORREF at22;
        COLORREF inside;
    };
    const auto pin = PinnedColor;
    const Row rows[] = {
        {"toolbar, docked", kBarTypeNormal, kBarTop, pin(15), pin(15), pin(30), pin(30)},
        {"menu bar: flat", kBarTypeMenuBar, kBarTop, pin(15), pin(15), pin(15), pin(15)},
        {"floating toolbar", kBarTypeNormal, kBarFloating, pin(61), pin(61), pin(61), pin(30)},
        {"floating menu bar", kBarTypeMenuBar, kBarFloating, pin(61), pin(61), pin(61), pin(15)},
        {"floating popup-type bar", kBarTypePopup, kBarFloating, pin(61), pin(61), pin(61), pin(41)},
    };
    for (const Row& row : rows) {
        SetBar(row.nType, row.nPosition);
        Clear(dc);
        pTheme->FillBarBackground(&dc, m_pBar);
        EXPECT_EQ(PixelAt(dc, 0, 0), row.at00) << row.pszCase;
        EXPECT_EQ(PixelAt(dc, 1, 1), row.at11) << row.pszCase;
        EXPECT_EQ(PixelAt(dc, 2, 2), row.at22) << row.pszCase;
        EXPECT_EQ(PixelAt(dc, 3, 3), row.inside) << row.pszCase;
        EXPECT_EQ(PixelAt(dc, w - 2, h - 2), row.at11) << row.pszCase;
    }

    // Separators: a line of entry 39 before the control, across a popup from the icon column and gap on.
    CTkControlButton* pControl = AddButton(kControlButton, L"x", kButtonCaption);
    pControl->SetRect(CRect(20, 20, 60, 36));
    pControl->SetRowRect(CRect(16, 18, 64, 38));
    SetBar(kBarTypePopup, kBarPopup);
    EXPECT_EQ(pTheme->PaintControlSeparator(nullptr, m_pBar, nullptr, FALSE), CSize(3, 3));
    CScopedMemDC sep(80, 48);
    Clear(sep);
    EXPECT_EQ(pTheme->PaintControlSeparator(&sep, m_pBar, pControl, TRUE), CSize(0, 0));
    const int xStart = 20 + pTheme->GetPopupIconColumnWidth(m_pBar) + 8 - 1;
    EXPECT_EQ(PixelAt(sep, xStart, 18), PinnedColor(39));
    EXPECT_EQ(PixelAt(sep, xStart - 1, 18), kSentinel);
    EXPECT_EQ(PixelAt(sep, 60, 18), PinnedColor(39));
    SetBar(kBarTypeNormal, kBarTop);
    EXPECT_EQ(pTheme->PaintControlSeparator(nullptr, m_pBar, nullptr, FALSE), CSize(6, 6));
    Clear(sep);
    pTheme->PaintControlSeparator(&sep, m_pBar, pControl, TRUE);
    EXPECT_EQ(PixelAt(sep, 16, 18), PinnedColor(39));
    EXPECT_EQ(PixelAt(sep, 16, 37), PinnedColor(39));
    EXPECT_EQ(PixelAt(sep, 16, 38), kSentinel);

    // Tear-off strips report 9 high drawn or not; a narrow one gets no strokes.
    EXPECT_EQ(pTheme->PaintTearOffStrip(nullptr, CRect(0, 0, 20, 9), FALSE, FALSE), CSize(0, 9));
    Clear(sep);
    EXPECT_EQ(pTheme->PaintTearOffStrip(&sep, CRect(0, 0, 20, 9), FALSE, TRUE), CSize(0, 9));
    EXPECT_EQ(PixelAt(sep, 10, 5), PinnedColor(30));
    Clear(sep);
    pTheme->PaintTearOffStrip(&sep, CRect(0, 0, 60, 9), FALSE, TRUE);
    EXPECT_EQ(PixelAt(sep, 30, 5), PinnedColor(38));
    EXPECT_EQ(PixelAt(sep, 30, 4), PinnedColor(30));
}

int CountColor(const CScopedMemDC& dc, const CRect& rc, COLORREF clr) {
    int nCount = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            nCount += PixelAt(dc, x, y) == clr;
    return nCount;
}

TEST_F(OfficeThemeFixture, EditAndComboFieldsThroughTheFieldSeam) {
    UseTheme<CTkOfficeTheme>();
    auto* pEdit = Append(new CTestFieldControl);
    pEdit->SetType(kControlEdit);
    pEdit->SetRect(CRect(0, 0, 100, 22));
    CScopedMemDC dc(100, 22);
    const auto draw = [&](CTkControl* pControl) {
        Clear(dc);
        pControl->Draw(&dc);
    };
    draw(pEdit);
    ASSERT_EQ(pEdit->m_nLabelWidth, 0);
    EXPECT_EQ(PixelAt(dc, 0, 0), kSentinel) << "no frame at rest on a toolbar";
    EXPECT_EQ(PixelAt(dc, 5, 5), PinnedColor(COLOR_WINDOW));
    EXPECT_EQ(pEdit->m_rcText, CRect(3, 1, 97, 21));
    pEdit->SetSelected(1);
    draw(pEdit);
    EXPECT_EQ(PixelAt(dc, 0, 0), PinnedColor(32));
    EXPECT_EQ(PixelAt(dc, 99, 21), PinnedColor(32));
    // Spin buttons, the up one pressed: its half pushed, the other hot, a divider and two arrows.
    pEdit->m_rcSpin = CRect(80, 0, 100, 22);
    pEdit->SetPressed(4);
    draw(pEdit);
    EXPECT_EQ(PixelAt(dc, 95, 2), PinnedColor(33));
    EXPECT_EQ(PixelAt(dc, 95, 19), PinnedColor(31));
    EXPECT_EQ(PixelAt(dc, 80, 5), PinnedColor(32));
    EXPECT_EQ(PixelAt(dc, 85, 11), PinnedColor(32));
    EXPECT_EQ(PixelAt(dc, 90, 5), PinnedColor(18)) << "the up arrow's tip";
    EXPECT_EQ(PixelAt(dc, 90, 16), PinnedColor(18)) << "the down arrow's tip";
    EXPECT_EQ(PixelAt(dc, 70, 5), PinnedColor(COLOR_WINDOW)) << "the field stops before the spin buttons";
    pEdit->SetPressed(0);
    pEdit->m_rcSpin = CRect();
    // Disabled: the face colour, framed in entry 40 from one pixel right of the label.
    pEdit->SetSelected(0);
    pEdit->SetEnabled(FALSE);
    draw(pEdit);
    EXPECT_EQ(PixelAt(dc, 0, 0), kSentinel);
    EXPECT_EQ(PixelAt(dc, 1, 0), PinnedColor(40));
    EXPECT_EQ(PixelAt(dc, 5, 5), PinnedColor(COLOR_BTNFACE));

    auto* pCombo = Append(new CTestFieldControl);
    pCombo->SetType(kControlComboBox);
    pCombo->SetRect(CRect(0, 0, 100, 22));
    draw(pCombo);
    const int nButton = pCombo->m_nDropButtonWidth;
    ASSERT_GT(nButton, 0);
    const CRect rcButton(100 - nButton, 0, 100, 22);
    EXPECT_EQ(PixelAt(dc, 0, 0), kSentinel);
    EXPECT_EQ(PixelAt(dc, rcButton.left + 1, 1), PinnedColor(COLOR_WINDOW)) << "inset button frame";
    EXPECT_GT(CountColor(dc, rcButton, PinnedColor(46)), 3) << "the arrow in the bar text colour";
    EXPECT_EQ(pCombo->m_rcText, CRect(3, 1, rcButton.left, 21));
    pCombo->SetSelected(1);
    draw(pCombo);
    EXPECT_EQ(PixelAt(dc, 0, 0), PinnedColor(32));
    EXPECT_EQ(PixelAt(dc, rcButton.left + 2, 3), PinnedColor(31)) << "the drop button hot";
    EXPECT_GT(CountColor(dc, rcButton, PinnedColor(45)), 3);
    pCombo->m_bDropped = TRUE;
    draw(pCombo);
    EXPECT_EQ(PixelAt(dc, rcButton.left + 2, 3), PinnedColor(33)) << "the drop button pushed while dropped";
    EXPECT_GT(CountColor(dc, rcButton, PinnedColor(47)), 3);
    // In a popup bar the field is framed in entry 53 and its button filled with it.
    pCombo->m_bDropped = FALSE;
    pCombo->SetSelected(0);
    SetBar(kBarTypePopup, kBarPopup);
    draw(pCombo);
    const int xField = pCombo->m_nLabelWidth;
    EXPECT_EQ(PixelAt(dc, xField, 0), PinnedColor(53));
    EXPECT_EQ(PixelAt(dc, rcButton.left + 3, 3), PinnedColor(53));
    WritePng(dc, L"/tmp/office-combo-popup.png");
}

}  // namespace
