// The button themes: where image and text go, what each look draws for idle, hot, pushed, checked and
// disabled buttons, and the text colours. Pixels are compared away from the text (fonts differ).

#include "ButtonTestSupport.h"
#include "FoundationTestSupport.h"
#include "TkButtonTheme.h"
#include "TkButtonThemeFactory.h"
#include "TkButtonThemeOffice2003.h"
#include "TkButtonThemeOfficeXP.h"
#include "TkColorManager.h"
#include "TkDrawHelpers.h"

namespace {

constexpr UINT kRedIcon = 128;

COLORREF Slot(int nIndex) {
    return GetColorManager()->GetColor(nIndex);
}

CTkButtonTheme* InstallStyle(CTkButton& button, int nTheme) {
    CTkButtonThemeFactory factory;
    auto* pStyle = static_cast<CTkButtonTheme*>(factory.CreateStyle(nTheme));
    button.SetCustomStyle(pStyle);
    return pStyle;
}

void Print(CTkButton& button, CScopedMemDC& dc) {
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
}

TEST(ButtonTheme, PlacesImageAndTextByStyleAndAlignment) {
    CButtonParent parent;
    const CRect rcItem(0, 0, kButtonWidth, kButtonHeight);
    const CSize sizeText(15, 13);
    const struct {
        DWORD dwAlign;   // BS_ alignment bits of the window
        DWORD dwXStyle;  // button style
        CPoint ptText;   // for a 15 x 13 text
        CPoint ptImage;  // for the 16 x 16 image of a button without text
    } cases[] = {
        {0, kButtonFlat, CPoint(38, 5), CPoint(4, 3)},
        {BS_LEFT, kButtonFlat, CPoint(28, 5), CPoint(4, 3)},
        {BS_RIGHT, kButtonFlat, CPoint(56, 5), CPoint(4, 3)},
        {BS_CENTER | BS_VCENTER, kButtonFlat, CPoint(38, 5), CPoint(29, 3)},
        {0, kButtonFlat | kButtonImageAboveText, CPoint(30, 17), CPoint(29, 3)},
        {BS_LEFT, kButtonFlat | kButtonImageAboveText, CPoint(4, 17), CPoint(4, 3)},
        {BS_RIGHT, kButtonFlat | kButtonImageAboveText, CPoint(56, 17), CPoint(55, 3)},
    };
    for (const auto& c : cases) {
        TestButton button;
        ASSERT_TRUE(button.CreateIn(&parent, L"", BS_OWNERDRAW | c.dwAlign));
        ASSERT_TRUE(button.SetIcon(CSize(16, 16), kRedIcon, 0u));
        button.SetXButtonStyle(c.dwXStyle);
        CTkButtonTheme* pTheme = button.GetButtonTheme();
        ASSERT_NE(pTheme, nullptr);
        CScopedMemDC dc(kButtonWidth, kButtonHeight);
        CPoint pt;
        pTheme->GetTextPosition(pt, 0, rcItem, sizeText, &button);
        EXPECT_EQ(pt, c.ptText) << "align " << std::hex << c.dwAlign << " style " << c.dwXStyle;
        pTheme->GetImagePosition(pt, &dc, 0, rcItem, FALSE, &button);
        EXPECT_EQ(pt, c.ptImage) << "align " << std::hex << c.dwAlign << " style " << c.dwXStyle;
    }

    // Above a text the image moves up by half the gap and half the text's height in the DC's font.
    TestButton above;
    ASSERT_TRUE(above.CreateIn(&parent, L"Above"));
    ASSERT_TRUE(above.SetIcon(CSize(16, 16), kRedIcon, 0u));
    above.SetXButtonStyle(kButtonFlat | kButtonImageAboveText);
    CScopedMemDC dc(kButtonWidth, kButtonHeight);
    const int nTextHeight = dc.GetTextExtent(CString(L"Above")).cy;
    CPoint pt;
    above.GetButtonTheme()->GetImagePosition(pt, &dc, 0, rcItem, TRUE, &above);
    EXPECT_EQ(pt, CPoint(29, 3 - (4 + nTextHeight / 2)));

    // Custom points win; the text's is (0, 0) while images are hidden.
    above.SetImagePositions(CPoint(7, 2), CPoint(30, 9));
    above.GetButtonTheme()->GetImagePosition(pt, &dc, 0, rcItem, TRUE, &above);
    EXPECT_EQ(pt, CPoint(7, 2));
    above.GetButtonTheme()->GetTextPosition(pt, 0, rcItem, sizeText, &above);
    EXPECT_EQ(pt, CPoint(30, 9));
    above.ToggleImages();
    above.GetButtonTheme()->GetTextPosition(pt, 0, rcItem, sizeText, &above);
    EXPECT_EQ(pt, CPoint(0, 0));
}

TEST(ButtonTheme, DefaultLookFramesByStyleAndState) {
    CButtonParent parent;
    const int r = kButtonWidth - 1;
    const int b = kButtonHeight - 1;

    // Flat and idle: nothing but the face.
    TestButton flat;
    ASSERT_TRUE(flat.CreateIn(&parent, L""));
    CScopedMemDC dc(kButtonWidth, kButtonHeight);
    Print(flat, dc);
    for (const CPoint pt : {CPoint(0, 0), CPoint(r, b), CPoint(r, 0), CPoint(0, b), CPoint(10, 10)})
        EXPECT_EQ(PixelAt(dc, pt.x, pt.y), Slot(COLOR_BTNFACE)) << pt.x << "," << pt.y;
    // Hot: one frame, its bottom-right in shadow; pushed swaps it.
    flat.m_bHot = TRUE;
    Print(flat, dc);
    EXPECT_EQ(PixelAt(dc, r, b), Slot(COLOR_BTNSHADOW));
    flat.m_bChecked = TRUE;
    Print(flat, dc);
    EXPECT_EQ(PixelAt(dc, 0, 0), Slot(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelAt(dc, r, b), Slot(COLOR_BTNFACE));

    // The checker of slots 15 and 20 inside the thin frame of a pushed button.
    TestButton checker;
    ASSERT_TRUE(checker.CreateIn(&parent, L"", BS_OWNERDRAW, 101));
    checker.SetXButtonStyle(kButtonThinFrame | kButtonCheckerPushed);
    checker.SendMessage(BM_SETSTATE, TRUE);
    Print(checker, dc);
    for (int y = 1; y < b; ++y)
        for (int x = 1; x < r; ++x)
            ASSERT_EQ(PixelAt(dc, x, y), Slot((x + y) % 2 == 0 ? 20 : 15)) << x << "," << y;
    EXPECT_EQ(PixelAt(dc, 0, 0), Slot(COLOR_BTNSHADOW));

    // The visual style asked for while styles are off: the classic double frame; a default push button
    // gets a dark frame around it.
    const struct {
        DWORD dwType;
        BOOL bPushed;
        COLORREF outerTopLeft, outerBottomRight, innerBottomRight;
        int nInset;
    } classic[] = {
        {BS_OWNERDRAW, FALSE, Slot(20), Slot(21), Slot(16), 0},
        {BS_OWNERDRAW, TRUE, Slot(21), Slot(20), Slot(15), 0},
        {BS_DEFPUSHBUTTON, FALSE, Slot(20), Slot(21), Slot(16), 1},
    };
    for (const auto& c : classic) {
        TestButton button;
        ASSERT_TRUE(button.CreateIn(&parent, L"", c.dwType, 102));
        button.SetXButtonStyle(kButtonVisualStyle);
        button.SendMessage(BM_SETSTATE, c.bPushed);
        Print(button, dc);
        const int i = c.nInset;
        if (i != 0) {
            EXPECT_EQ(PixelAt(dc, 0, 0), Slot(21));
            EXPECT_EQ(PixelAt(dc, r, b), Slot(21));
        }
        EXPECT_EQ(PixelAt(dc, i, i), c.outerTopLeft) << c.dwType << " pushed " << c.bPushed;
        EXPECT_EQ(PixelAt(dc, r - i, b - i), c.outerBottomRight) << c.dwType << " pushed " << c.bPushed;
        EXPECT_EQ(PixelAt(dc, r - i - 1, b - i - 1), c.innerBottomRight) << c.dwType << " pushed " << c.bPushed;
        EXPECT_EQ(PixelAt(dc, 10, 10), Slot(COLOR_BTNFACE));
    }
}

TEST(ButtonTheme, OfficeLooksFillByState) {
    CButtonParent parent;
    CScopedMemDC dc(kButtonWidth, kButtonHeight);
    const int r = kButtonWidth - 1;
    const int b = kButtonHeight - 1;

    TestButton xp;
    ASSERT_TRUE(xp.CreateIn(&parent, L""));
    InstallStyle(xp, 1);
    const struct {
        BOOL bHot, bChecked, bPressed;
        COLORREF face;
    } xpCases[] = {
        {FALSE, FALSE, FALSE, Slot(15)}, {TRUE, FALSE, FALSE, Slot(31)}, {FALSE, FALSE, TRUE, Slot(33)},
        {FALSE, TRUE, FALSE, Slot(36)},  {TRUE, TRUE, FALSE, Slot(33)},
    };
    for (const auto& c : xpCases) {
        xp.m_bHot = c.bHot;
        xp.m_bChecked = c.bChecked;
        xp.SendMessage(BM_SETSTATE, c.bPressed);
        Print(xp, dc);
        const BOOL bIdle = !c.bHot && !c.bChecked && !c.bPressed;
        EXPECT_EQ(PixelAt(dc, 10, 10), c.face) << c.bHot << c.bChecked << c.bPressed;
        EXPECT_EQ(PixelAt(dc, r, b), bIdle ? c.face : Slot(32)) << c.bHot << c.bChecked << c.bPressed;
    }

    // With the toolkit face the idle button is framed in shadow and a default button gets two frames
    // in the highlight colour.
    TestButton def;
    ASSERT_TRUE(def.CreateIn(&parent, L"", BS_DEFPUSHBUTTON, 101));
    static_cast<CTkButtonThemeOfficeXP*>(InstallStyle(def, 1))->SetToolkitFace(TRUE);
    Print(def, dc);
    EXPECT_EQ(PixelAt(dc, 0, 0), Slot(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelAt(dc, 10, 10), Slot(30));
    def.m_bHot = TRUE;
    Print(def, dc);
    EXPECT_EQ(PixelAt(dc, 0, 0), Slot(COLOR_HIGHLIGHT));
    EXPECT_EQ(PixelAt(dc, 1, 1), Slot(COLOR_HIGHLIGHT));
    EXPECT_EQ(PixelAt(dc, 10, 10), Slot(31));

    // Office 2003: the colour manager's button gradients framed in hilite.
    TestButton office2003;
    ASSERT_TRUE(office2003.CreateIn(&parent, L"", BS_OWNERDRAW, 102));
    InstallStyle(office2003, 2);
    Print(office2003, dc);
    EXPECT_EQ(PixelAt(dc, 10, 10), Slot(15)) << "idle";
    const struct {
        BOOL bPressed, bHot, bChecked;
        int nGradient;
    } gradients[] = {{TRUE, FALSE, FALSE, 8}, {FALSE, TRUE, FALSE, 9}, {FALSE, FALSE, TRUE, 7}, {TRUE, TRUE, TRUE, 8}};
    for (const auto& g : gradients) {
        office2003.SendMessage(BM_SETSTATE, g.bPressed);
        office2003.m_bHot = g.bHot;
        office2003.m_bChecked = g.bChecked;
        Print(office2003, dc);
        CScopedMemDC expected(kButtonWidth, kButtonHeight);
        const CRect rc(0, 0, kButtonWidth, kButtonHeight);
        GetDrawHelpers()->FillColorGradient(&expected, &rc, GetColorManager()->m_gradients[g.nGradient], FALSE,
                                            nullptr);
        for (int y = 1; y < b; ++y)
            ASSERT_EQ(PixelAt(dc, 10, y), PixelAt(expected, 10, y)) << "gradient " << g.nGradient << " row " << y;
        EXPECT_EQ(PixelAt(dc, 0, 0), Slot(32)) << "gradient " << g.nGradient;
    }
}

TEST(ButtonTheme, TextColourFollowsStateAndDisabledOfficeXPIsAlwaysGrey) {
    CButtonParent parent;
    TestButton button;
    ASSERT_TRUE(button.CreateIn(&parent, L"Text"));
    CTkButtonTheme* pDefault = InstallStyle(button, 0);
    button.SetTextColor(RGB(10, 20, 30));
    EXPECT_EQ(pDefault->GetButtonTextColor(0, &button), RGB(10, 20, 30));
    EXPECT_EQ(pDefault->GetButtonTextColor(ODS_DISABLED, &button), Slot(COLOR_GRAYTEXT));

    auto* pOfficeXP = static_cast<CTkButtonThemeOfficeXP*>(InstallStyle(button, 1));
    button.SetTextColor(RGB(10, 20, 30));
    pOfficeXP->SetHotTextColor(RGB(40, 50, 60));
    pOfficeXP->SetPressedTextColor(RGB(70, 80, 90));
    EXPECT_EQ(pOfficeXP->GetButtonTextColor(0, &button), RGB(10, 20, 30));
    EXPECT_EQ(pOfficeXP->GetButtonTextColor(ODS_SELECTED, &button), RGB(70, 80, 90));
    EXPECT_EQ(pOfficeXP->GetButtonTextColor(ODS_DISABLED | ODS_SELECTED, &button), Slot(17));
    button.m_bHot = TRUE;
    EXPECT_EQ(pOfficeXP->GetButtonTextColor(0, &button), RGB(40, 50, 60));
    EXPECT_EQ(pOfficeXP->GetButtonTextColor(ODS_DISABLED, &button), Slot(17));
}

// Run by VisualStyleOn as a child process with Wine's visual style on.
TEST(VisualStyleChild, ButtonAskedForTheStyleDrawsItsPushButtonOverTheParentsBrush) {
    if (::GetEnvironmentVariableA("TESS_VISUAL_STYLE_ON", nullptr, 0) == 0)
        GTEST_SKIP() << "runs as the child of VisualStyleOn";
    CButtonParent parent;
    CBrush brush(RGB(255, 0, 255));
    parent.m_hButtonBrush = brush;
    TestButton button;
    ASSERT_TRUE(button.CreateIn(&parent, L"&Styled"));
    button.SetXButtonStyle(kButtonVisualStyle);
    ASSERT_TRUE(button.GetButtonTheme()->IsVisualStyleActive(&button));
    CScopedMemDC dc(kButtonWidth, kButtonHeight);
    Print(button, dc);
    EXPECT_EQ(parent.m_nCtlColorBtn, 1);
    WritePng(dc, L"button_visual_style.png");
    // The style's rounded corner lets the parent's magenta show through; the classic frame would be
    // slot 20 there.
    const COLORREF corner = PixelAt(dc, 0, 0);
    EXPECT_TRUE(GetRValue(corner) > 0xE0 && GetGValue(corner) < 0x40 && GetBValue(corner) > 0xE0) << std::hex << corner;
    EXPECT_NE(PixelAt(dc, 10, 10), RGB(255, 0, 255)) << "the push button covers the brush inside";
}

// A picture of every look in every state, for a person to look at (buttons.png).
TEST(ButtonTheme, PictureOfEveryLookAndState) {
    CButtonParent parent;
    constexpr int kColumns = 5;  // idle, hot, pushed, checked, disabled
    const struct {
        int nTheme;
        DWORD dwXStyle;
    } looks[] = {{0, kButtonFocusRect}, {0, kButtonFlat}, {0, kButtonThinFrame | kButtonCheckerPushed}, {1, 0}, {2, 0}};
    constexpr int kCell = 4;
    CScopedMemDC picture(kColumns * (kButtonWidth + kCell),
                         static_cast<int>(std::size(looks)) * (kButtonHeight + kCell));
    picture.FillSolidRect(0, 0, picture.GetWidth(), picture.GetHeight(), RGB(255, 255, 255));
    for (int row = 0; row < static_cast<int>(std::size(looks)); ++row) {
        for (int col = 0; col < kColumns; ++col) {
            TestButton button;
            ASSERT_TRUE(button.CreateIn(&parent, L"&Save"));
            ASSERT_TRUE(button.SetIcon(CSize(16, 16), kRedIcon, 129u));
            button.SetXButtonStyle(looks[row].dwXStyle);
            InstallStyle(button, looks[row].nTheme);
            button.m_bHot = col == 1;
            button.m_bChecked = col == 3;
            if (col == 2)
                button.SendMessage(BM_SETSTATE, TRUE);
            if (col == 4)
                button.EnableWindow(FALSE);
            CScopedMemDC dc(kButtonWidth, kButtonHeight);
            Print(button, dc);
            picture.BitBlt(col * (kButtonWidth + kCell), row * (kButtonHeight + kCell), kButtonWidth, kButtonHeight,
                           &dc, 0, 0, SRCCOPY);
        }
    }
    EXPECT_TRUE(WritePng(picture, L"buttons.png"));
}

}  // namespace
