// Caption strips and their themes, printed into DIB sections: the close button's place and glyph, the
// edges and insets of the flags and border widths, the user's colours through a system colour change,
// the Office XP and Office 2003 looks (an idle Office 2003 button blends into the caption), the text
// and icon places, the close command, and a caption whose button cannot be made.

#include "CaptionTestSupport.h"
#include "TkCaptionButtonTheme.h"
#include "TkCaptionTheme.h"
#include "TkColorManager.h"

#include <memory>

namespace {

constexpr COLORREF kBorder = RGB(200, 0, 0);
constexpr COLORREF kBackground = RGB(0, 200, 0);
constexpr COLORREF kText = RGB(0, 0, 200);
constexpr COLORREF kShadow = RGB(60, 60, 60);
constexpr COLORREF kHighlight = RGB(250, 250, 250);
// The glyphs of the test DLL's close bitmap: a cross whose first pixel is (4, 3).
constexpr COLORREF kCloseGlyph = RGB(0, 0, 200);
constexpr COLORREF kCloseGlyphAero = RGB(0, 160, 0);
constexpr UINT kCaptionId = 321;

class CaptionTest : public ::testing::Test {
protected:
    // A caption of the theme (a private style, so no case sees another's colours) with distinct shadow
    // and highlight, created on the host.
    std::unique_ptr<CTkCaption> MakeCaption(int nTheme, LPCWSTR pszText, DWORD dwFlags, const CRect& rect) {
        auto pCaption = std::make_unique<CTkCaption>();
        pCaption->SetCustomStyle(CTkCaptionThemeFactory().CreateStyle(nTheme));
        pCaption->GetButton().SetCustomStyle(CTkCaptionButtonThemeFactory().CreateStyle(nTheme));
        CTkCaptionTheme* pTheme = pCaption->GetCaptionTheme();
        pTheme->m_clrShadow.m_customValue = kShadow;
        pTheme->m_clrHighlight.m_customValue = kHighlight;
        EXPECT_TRUE(pCaption->CreateCaption(&m_host, pszText, dwFlags, WS_VISIBLE, rect, kCaptionId));
        return pCaption;
    }

    CResourceModuleScope m_resources{L"CaptionResources.dll"};
    CCaptionHost m_host{CRect(40, 40, 440, 240)};
};

CRect ChildRectIn(CWnd* pChild, CWnd* pParent) {
    CRect rect;
    pChild->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    return rect;
}

TEST_F(CaptionTest, CloseButtonSitsAsFarFromTheRightAsFromTheTopWithTheThemesGlyph) {
    struct Row {
        SystemThemeKind nTheme;
        COLORREF glyph;
    };
    CTkColorManager* pColors = GetColorManager();
    const SystemThemeKind nConfigured = pColors->m_configuredTheme;
    for (const Row& row : {Row{kThemeFollowDetected, kCloseGlyph}, Row{5, kCloseGlyphAero}}) {
        SCOPED_TRACE(row.nTheme);
        pColors->m_configuredTheme = row.nTheme;
        auto pCaption = MakeCaption(0, L"", kCaptionCloseButton, CRect(0, 0, 200, 25));
        pColors->m_configuredTheme = nConfigured;

        EXPECT_EQ(pCaption->GetButtonRect(), CRect(179, 5, 195, 20));
        EXPECT_EQ(ChildRectIn(&pCaption->GetButton(), pCaption.get()), CRect(179, 5, 195, 20));
        PrintedWindow button(&pCaption->GetButton());
        EXPECT_EQ(PixelAt(button.dc, 4, 3), row.glyph);
        EXPECT_EQ(PixelAt(button.dc, 0, 0), pCaption->GetCaptionTheme()->m_clrBackground.GetEffective())
            << "an idle flat button shows only its face, the caption's background";
        // Printing the caption leaves its children out: the background is under the button.
        PrintedWindow caption(pCaption.get());
        EXPECT_EQ(PixelAt(caption.dc, 183, 8), PixelAt(caption.dc, 100, 8));
        if (row.nTheme == kThemeFollowDetected)
            WriteCaptionPng(pCaption.get(), L"caption_close_default.png");
    }
}

TEST_F(CaptionTest, EdgesAndInsetsFollowTheFlagsAndTheBorderWidth) {
    struct Row {
        DWORD dwFlags;
        int nBorder;
        std::vector<COLORREF> diagonal;  // pixels (0, 0), (1, 1), ... up to the first background pixel
        COLORREF bottomRight;
    };
    const Row rows[] = {
        // Double edge: sunken outside, raised inside; the background 2 inside, or border width + 1.
        {kCaptionDoubleEdge, 0, {kShadow, kHighlight, kBackground}, kHighlight},
        {kCaptionDoubleEdge, 3, {kShadow, kHighlight, kBorder, kBorder, kBackground}, kHighlight},
        {kCaptionRaisedEdge, 0, {kHighlight, kBackground}, kShadow},
        {kCaptionRaisedEdge, 2, {kHighlight, kBorder, kBackground}, kShadow},
        {0, 2, {kBorder, kBorder, kBackground}, kBorder},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "flags " << row.dwFlags << " border " << row.nBorder);
        auto pCaption = MakeCaption(0, L"", row.dwFlags, CRect(0, 0, 120, 33));
        pCaption->SetCaptionColors(kBorder, kBackground, kText);
        pCaption->SetCaptionStyle(row.nBorder, nullptr, nullptr, nullptr);
        PrintedWindow printed(pCaption.get());
        for (size_t i = 0; i < row.diagonal.size(); ++i)
            EXPECT_EQ(PixelAt(printed.dc, static_cast<int>(i), static_cast<int>(i)), row.diagonal[i]) << i;
        EXPECT_EQ(PixelAt(printed.dc, 119, 32), row.bottomRight);
    }
}

TEST_F(CaptionTest, FlagsAboveTheLowThreeBitsGoToTheExtendedStyle) {
    auto pCaption = MakeCaption(0, L"", 0x205, CRect(0, 0, 120, 33));
    pCaption->SetCaptionColors(kBorder, kBackground, kText);
    EXPECT_EQ(pCaption->GetCaptionFlags(), kCaptionDoubleEdge | kCaptionCloseButton);
    EXPECT_NE(pCaption->GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    PrintedWindow printed(pCaption.get());
    EXPECT_EQ(printed.rcClient, CRect(0, 0, 116, 29)) << "the client edge takes two pixels each side";
    EXPECT_EQ(PixelAt(printed.dc, 0, 0), kShadow);
    EXPECT_EQ(PixelAt(printed.dc, 1, 1), kHighlight);
    EXPECT_EQ(PixelAt(printed.dc, 2, 2), kBackground);
    EXPECT_EQ(pCaption->GetButtonRect(), CRect(116 - 7 - 16, 7, 116 - 7, 22));
    WriteCaptionPng(pCaption.get(), L"caption_double_edge.png");
}

TEST_F(CaptionTest, UserColoursSurviveASystemColourChange) {
    auto pCaption = MakeCaption(0, L"Channels", kCaptionCloseButton, CRect(0, 0, 200, 25));
    pCaption->SetCaptionColors(kBorder, kBackground, kText);
    pCaption->SetCaptionStyle(2, nullptr, nullptr, nullptr);
    pCaption->SendMessage(WM_SYSCOLORCHANGE);
    pCaption->GetButton().SendMessage(WM_SYSCOLORCHANGE);

    PrintedWindow caption(pCaption.get());
    EXPECT_EQ(PixelAt(caption.dc, 0, 0), kBorder);
    EXPECT_EQ(PixelAt(caption.dc, 2, 2), kBackground);
    PrintedWindow button(&pCaption->GetButton());
    EXPECT_EQ(PixelAt(button.dc, 0, 0), kBackground);
    WriteCaptionPng(pCaption.get(), L"caption_user_colours.png");
}

TEST_F(CaptionTest, OfficeXPFramesACaptionAndFillsOnlyATextButtonCaption) {
    CTkColorManager* pColors = GetColorManager();
    auto pClose = MakeCaption(1, L"", kCaptionCloseButton | kCaptionDoubleEdge, CRect(0, 0, 120, 25));
    pClose->SetCaptionColors(kBorder, kBackground, kText);
    PrintedWindow close(pClose.get());
    EXPECT_EQ(PixelAt(close.dc, 0, 0), pColors->GetColor(COLOR_3DHIGHLIGHT)) << "the flags' edges are ignored";
    EXPECT_EQ(PixelAt(close.dc, 119, 24), pColors->GetColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelAt(close.dc, 1, 1), kBorder);
    EXPECT_EQ(PixelAt(close.dc, 60, 12), kBorder) << "no background inside";
    WriteCaptionPng(pClose.get(), L"caption_close_officexp.png");

    auto pText = MakeCaption(1, L"Recordings", kCaptionRaisedEdge, CRect(0, 30, 120, 55));
    pText->SetCaptionColors(kBorder, kBackground, kText);
    pText->SetCaptionStyle(3, nullptr, nullptr, nullptr);
    PrintedWindow text(pText.get());
    EXPECT_EQ(PixelAt(text.dc, 0, 0), kBorder);
    EXPECT_EQ(PixelAt(text.dc, 2, 2), kBorder);
    EXPECT_EQ(PixelAt(text.dc, 3, 3), kBackground);
    WriteCaptionPng(pText.get(), L"caption_text_officexp.png");
}

TEST_F(CaptionTest, Office2003IdleButtonBlendsIntoTheCaptionGradient) {
    CTkColorManager* pColors = GetColorManager();
    auto pCaption = MakeCaption(2, L"Channels", kCaptionCloseButton, CRect(0, 0, 200, 25));
    PrintedWindow caption(pCaption.get());
    const CTkPaintManagerColorGradient& gradient = pColors->m_gradients[3];
    EXPECT_TRUE(ColorsNear(gradient.m_firstColor.GetEffective(), PixelAt(caption.dc, 100, 0), 2));
    EXPECT_EQ(PixelAt(caption.dc, 100, 24), pColors->GetColor(54)) << "a line along the bottom";

    const CRect rcButton = pCaption->GetButtonRect();
    PrintedWindow button(&pCaption->GetButton());
    for (const CPoint& corner : {CPoint(0, 0), CPoint(15, 0), CPoint(0, 14), CPoint(15, 14)}) {
        SCOPED_TRACE(testing::Message() << corner.x << "," << corner.y);
        EXPECT_TRUE(ColorsNear(PixelAt(caption.dc, rcButton.left + corner.x, rcButton.top + corner.y),
                               PixelAt(button.dc, corner.x, corner.y), 2));
    }
    EXPECT_EQ(PixelAt(button.dc, 4, 3), kCloseGlyph);
    WriteCaptionPng(pCaption.get(), L"caption_close_office2003.png");

    auto pText = MakeCaption(2, L"Recordings", kCaptionRaisedEdge, CRect(0, 30, 200, 55));
    PrintedWindow text(pText.get());
    EXPECT_EQ(PixelAt(text.dc, 0, 0), pColors->GetColor(54)) << "a text-button caption is framed";
    EXPECT_EQ(PixelAt(text.dc, 199, 24), pColors->GetColor(54));
    WriteCaptionPng(pText.get(), L"caption_text_office2003.png");
}

TEST_F(CaptionTest, TextMakesRoomForTheIconAndAnIconThatDoesNotFitIsLeftOut) {
    auto pCaption = MakeCaption(0, L"", 0, CRect(0, 0, 200, 25));
    pCaption->SetCaptionColors(kBorder, kBackground, kText);
    EXPECT_TRUE(pCaption->GetTextRect().IsRectEmpty()) << "no text";
    const CString strLong(L'W', 80);
    pCaption->SetCaptionStyle(4, nullptr, strLong, nullptr);
    EXPECT_EQ(pCaption->GetTextRect(), CRect(4, 4, 196, 21)) << "a long text stays inside the border";
    pCaption->SetCaptionStyle(0, nullptr, L"Ab", nullptr);
    EXPECT_LT(pCaption->GetTextRect().right, 100) << "a short text takes only its width";

    CTkIconHandle icon(MakeSolidIcon(RGB(255, 0, 0)));
    pCaption->SetCaptionStyle(0, nullptr, strLong, icon);
    EXPECT_EQ(pCaption->GetTextRect(), CRect(4, 4, 178, 21))
        << "18 narrower with an icon: it ends where the icon starts";
    pCaption->SetCaptionStyle(0, nullptr, L"", nullptr);
    {
        PrintedWindow printed(pCaption.get());
        // The icon's right edge is the border width and 2 pixels from the right.
        EXPECT_EQ(PixelAt(printed.dc, 178, 4), RGB(255, 0, 0));
        EXPECT_EQ(PixelAt(printed.dc, 193, 19), RGB(255, 0, 0));
        EXPECT_EQ(PixelAt(printed.dc, 177, 12), kBackground);
        EXPECT_EQ(PixelAt(printed.dc, 194, 12), kBackground);
        WriteCaptionPng(pCaption.get(), L"caption_icon.png");
    }
    pCaption->MoveWindow(0, 0, 22, 25);
    PrintedWindow narrow(pCaption.get());
    for (int x = 0; x < 22; ++x)
        EXPECT_NE(PixelAt(narrow.dc, x, 12), RGB(255, 0, 0)) << x;
}

TEST_F(CaptionTest, CloseButtonSendsTheCaptionsCommandToItsOwnerOnce) {
    auto pCaption = MakeCaption(0, L"", kCaptionCloseButton, CRect(0, 0, 200, 25));
    // The button's notification as its window procedure sends it (a real click would activate the host).
    pCaption->SendMessage(WM_COMMAND, MAKEWPARAM(kCaptionButtonId, BN_CLICKED),
                          reinterpret_cast<LPARAM>(pCaption->GetButton().GetSafeHwnd()));
    ASSERT_EQ(m_host.Count(WM_COMMAND), 1);
    EXPECT_EQ(m_host.m_received[0].wParam, MAKEWPARAM(kCaptionId, 0));
    EXPECT_EQ(m_host.m_received[0].lParam, reinterpret_cast<LPARAM>(pCaption->GetSafeHwnd()));
}

TEST_F(CaptionTest, UpdateCaptionGivesTheTextButtonTheTextAndItsPlace) {
    auto pCaption = MakeCaption(0, L"Channels", 0, CRect(0, 0, 200, 25));
    EXPECT_TRUE(pCaption->IsTextButton());
    EXPECT_FALSE(pCaption->GetButton().IsWindowVisible()) << "hidden until a child is registered";
    pCaption->UpdateCaption(L"Phone book", nullptr);
    CString strButton;
    pCaption->GetButton().GetWindowText(strButton);
    EXPECT_STREQ(strButton, L"Phone book");
    EXPECT_EQ(ChildRectIn(&pCaption->GetButton(), pCaption.get()), pCaption->GetTextRect());
}

// Refuses every button window made on this thread while it lives.
class CRefuseButtons {
public:
    CRefuseButtons() : m_hHook(::SetWindowsHookExW(WH_CBT, Hook, nullptr, ::GetCurrentThreadId())) {}
    ~CRefuseButtons() { ::UnhookWindowsHookEx(m_hHook); }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam) {
        if (nCode == HCBT_CREATEWND) {
            wchar_t szClass[16] = L"";
            ::GetClassNameW(reinterpret_cast<HWND>(wParam), szClass, _countof(szClass));
            if (::lstrcmpiW(szClass, L"Button") == 0)
                return 1;
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    HHOOK m_hHook;
};

TEST_F(CaptionTest, ACaptionWhoseButtonCannotBeMadeIsNotCreated) {
    for (DWORD dwFlags : {kCaptionCloseButton, DWORD{0}}) {
        SCOPED_TRACE(dwFlags);
        CTkCaption caption;
        CRefuseButtons refuse;
        EXPECT_FALSE(caption.CreateCaption(&m_host, L"Channels", dwFlags, WS_VISIBLE, CRect(0, 0, 200, 25), 1));
    }
}

TEST(CaptionThemes, FactoriesMakeTheStyleOfTheThemeNumber) {
    for (int nTheme : {0, 1, 2, 3, -1}) {
        SCOPED_TRACE(nTheme);
        std::unique_ptr<CTkThemeManagerStyle> pCaption(CTkCaptionThemeFactory().CreateStyle(nTheme));
        std::unique_ptr<CTkThemeManagerStyle> pButton(CTkCaptionButtonThemeFactory().CreateStyle(nTheme));
        EXPECT_EQ(pCaption->GetTheme(), nTheme);
        EXPECT_EQ(pButton->GetTheme(), nTheme);
        EXPECT_EQ(dynamic_cast<CTkCaptionThemeOfficeXP*>(pCaption.get()) != nullptr, nTheme == 1);
        EXPECT_EQ(dynamic_cast<CTkCaptionThemeOffice2003*>(pCaption.get()) != nullptr, nTheme == 2);
        EXPECT_NE(dynamic_cast<CTkCaptionTheme*>(pCaption.get()), nullptr);
        EXPECT_EQ(dynamic_cast<CTkCaptionButtonThemeOfficeXP*>(pButton.get()) != nullptr, nTheme == 1);
        EXPECT_EQ(dynamic_cast<CTkCaptionButtonThemeOffice2003*>(pButton.get()) != nullptr, nTheme == 2);
        EXPECT_EQ(dynamic_cast<CTkCaptionButtonTheme*>(pButton.get()) != nullptr, nTheme != 1 && nTheme != 2);
    }
}

}  // namespace
