// The native XP theme under Wine's own visual style ("Light"), in child cases that the parent case runs with
// the style switched on (VisualStyleChild.h): what the style offers, and every part the theme draws compared
// with the style's own drawing of the expected part, state and rectangle, where the class opens.

#include "NativeXPThemeTestSupport.h"
#include "TkNativeXPThemeParts.h"
#include "VisualStyleChild.h"

#include <cstdio>
#include <functional>

namespace {

using namespace NativeXPParts;

constexpr char kChildVariable[] = "TESS_NATIVE_XP_STYLE_ON";
constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr int kWidth = 300;
constexpr int kHeight = 60;

TEST(NativeXPStyleOn, TheThemeDrawsThroughTheLightStyle) {
    DWORD exitCode = 1;
    ASSERT_TRUE(RunVisualStyleChild(kChildVariable, L"NativeXPStyleChild.*", exitCode));
    EXPECT_EQ(exitCode, 0u) << "the child cases failed; their output is above";
}

// Whether the class opens and is themed.
bool Opens(LPCWSTR pszClass) {
    CTkWinThemeWrapper theme(TRUE);
    theme.OpenTheme(nullptr, pszClass);
    return theme.IsAppThemed() != FALSE;
}

class NativeXPStyleChild : public NativeXPThemeFixture {
protected:
    void SetUp() override {
        if (!IsVisualStyleChild(kChildVariable))
            GTEST_SKIP() << "runs as the child of NativeXPStyleOn";
        NativeXPThemeFixture::SetUp();
    }
    void TearDown() override {
        if (m_pNative != nullptr)
            NativeXPThemeFixture::TearDown();
    }

    // The theme's drawing beside the expected drawing on equal surfaces; a failure names the first pixel that differs.
    static ::testing::AssertionResult Matches(const char* pszCase, const std::function<void(CDC*)>& actual,
                                              const std::function<void(CDC*)>& expected) {
        CScopedMemDC drawn(kWidth, kHeight);
        CScopedMemDC reference(kWidth, kHeight);
        drawn.FillSolidRect(0, 0, kWidth, kHeight, kSentinel);
        reference.FillSolidRect(0, 0, kWidth, kHeight, kSentinel);
        actual(&drawn);
        expected(&reference);
        ::GdiFlush();
        for (int i = 0; i < kWidth * kHeight; ++i) {
            if ((drawn.GetBits()[i] & 0xFFFFFF) != (reference.GetBits()[i] & 0xFFFFFF))
                return ::testing::AssertionFailure() << pszCase << " differs at " << i % kWidth << "," << i / kWidth;
        }
        return ::testing::AssertionSuccess();
    }
    // The style's own drawing of a part.
    static void Part(CDC* pDC, LPCWSTR pszClass, int nPart, int nState, const CRect& rc, const CRect* pClip = nullptr) {
        CTkWinThemeWrapper theme(TRUE);
        theme.OpenTheme(nullptr, pszClass);
        theme.DrawBackground(pDC->GetSafeHdc(), nPart, nState, &rc, pClip);
    }
};

// What the style offers the theme, printed for the record; the theme's rules only rely on what is asserted.
TEST_F(NativeXPStyleChild, WhatTheLightStyleOffers) {
    for (LPCWSTR pszClass : {L"REBAR", L"TOOLBAR", L"MENU", L"COMBOBOX", L"SPIN", L"WINDOW", L"STATUS", L"BUTTON"})
        std::printf("class %ls opens: %d\n", pszClass, Opens(pszClass));
    CTkWinThemeWrapper menu(TRUE);
    menu.OpenTheme(nullptr, L"MENU");
    CScopedMemDC dc(40, 40);
    for (int nPart = 9; nPart <= 15; ++nPart) {
        const CRect rc(0, 0, 40, 40);
        std::printf("MENU part %d draws: 0x%08lx\n", nPart,
                    static_cast<unsigned long>(menu.DrawBackground(dc.GetSafeHdc(), nPart, 1, &rc, nullptr)));
    }
    const struct {
        LPCWSTR pszClass;
        int nPart;
        int nState;
        int nProperty;
    } colours[] = {{L"COMBOBOX", 1, 1, kBorderColorProperty},
                   {L"COMBOBOX", 1, 4, kBorderColorProperty},
                   {L"TOOLBAR", 0, 0, kTextColorProperty},
                   {L"REBAR", 3, 0, kEdgeHighlightProperty},
                   {L"REBAR", 3, 0, kEdgeShadowProperty}};
    for (const auto& colour : colours) {
        CTkWinThemeWrapper theme(TRUE);
        theme.OpenTheme(nullptr, colour.pszClass);
        COLORREF clr = 0;
        const HRESULT hr = theme.GetColor(colour.nPart, colour.nState, colour.nProperty, &clr);
        std::printf("%ls %d/%d colour %d: 0x%08lx, %06lx\n", colour.pszClass, colour.nPart, colour.nState,
                    colour.nProperty, static_cast<unsigned long>(hr), static_cast<unsigned long>(clr));
    }
    CTkWinThemeWrapper rebar(TRUE);
    rebar.OpenTheme(nullptr, L"REBAR");
    std::printf("GetThemeSysBool(1001): %d\n", rebar.GetSysBool(kFlatMenusSysBool));
    BOOL bFlat = FALSE;
    const BOOL bRead = ::SystemParametersInfoW(SPI_GETFLATMENU, 0, &bFlat, 0);
    std::printf("SPI 0x1022: call %d, value %d\n", bRead, bFlat);
    std::printf("SM_CYCAPTION: %d\n", ::GetSystemMetrics(SM_CYCAPTION));
    const HICON hDragIcon = reinterpret_cast<HICON>(::DefWindowProcW(m_pSite->GetSafeHwnd(), WM_QUERYDRAGICON, 0, 0));
    std::printf("WM_QUERYDRAGICON default (class without an icon): %p; IDI_APPLICATION %p, IDI_WINLOGO %p\n",
                static_cast<void*>(hDragIcon), static_cast<void*>(::LoadIconW(nullptr, IDI_APPLICATION)),
                static_cast<void*>(::LoadIconW(nullptr, IDI_WINLOGO)));
    std::fflush(stdout);
    EXPECT_TRUE(m_pNative->IsStyleActive() == (Opens(L"REBAR") && Opens(L"TOOLBAR")));
    EXPECT_EQ(m_pNative->IsMenuStyleActive(), Opens(L"MENU"));
}

TEST_F(NativeXPStyleChild, RefreshReadsTheStylesColours) {
    if (!m_pNative->IsStyleActive())
        GTEST_SKIP() << "REBAR and TOOLBAR are not both themed";
    CTkWinThemeWrapper rebar(TRUE);
    rebar.OpenTheme(nullptr, L"REBAR");
    COLORREF clr = 0;
    const COLORREF clrShadow =
        SUCCEEDED(rebar.GetColor(kRebarBand, 0, kEdgeShadowProperty, &clr)) ? clr : PinnedColor(COLOR_BTNSHADOW);
    const COLORREF clrHighlight =
        SUCCEEDED(rebar.GetColor(kRebarBand, 0, kEdgeHighlightProperty, &clr)) ? clr : PinnedColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(m_pNative->m_clrBandShadow, clrShadow);
    EXPECT_EQ(m_pNative->m_clrBandHighlight, clrHighlight);
    CTkWinThemeWrapper toolbar(TRUE);
    toolbar.OpenTheme(nullptr, L"TOOLBAR");
    if (SUCCEEDED(toolbar.GetColor(kToolbarBackground, 0, kTextColorProperty, &clr))) {
        EXPECT_EQ(m_pNative->m_colors[COLOR_BTNTEXT].m_standardValue, clr);
    }
    BOOL bFlat = FALSE;
    ::SystemParametersInfoW(SPI_GETFLATMENU, 0, &bFlat, 0);
    EXPECT_EQ(m_pNative->m_bFlatMenus, bFlat || rebar.GetSysBool(kFlatMenusSysBool));
}

TEST_F(NativeXPStyleChild, PopupIconColumnIsThreeWiderOnlyWithTheMenuStyle) {
    SetBar(kBarTypePopup, kBarPopup);
    const int nExtra = m_pNative->GetPopupIconColumnWidth(m_pBar) - m_pTheme->GetPopupIconColumnWidth(m_pBar);
    EXPECT_EQ(nExtra, Opens(L"MENU") ? 3 : 0);
    SetBar(kBarTypeNormal, kBarTop);
    EXPECT_EQ(m_pNative->GetPopupIconColumnWidth(m_pBar), 0) << "no column outside popups";
}

TEST_F(NativeXPStyleChild, ButtonFacesAreTheToolbarParts) {
    if (!m_pNative->IsStyleActive())
        GTEST_SKIP() << "REBAR and TOOLBAR are not both themed";
    const CRect rc(4, 4, 60, 28);
    struct Row {
        int nSelected;
        int nPressed;
        BOOL bEnabled;
        int nChecked;
        int nBarType;
        int nExpected;  // TOOLBAR part 1; 0: the popup item rules
    };
    const Row rows[] = {
        {1, 0, FALSE, 1, kBarTypeNormal, kStatePressed},  // disabled and checked: pressed, not disabled
        {0, 0, FALSE, 0, kBarTypeNormal, kStateDisabled},
        {1, 0, TRUE, 2, kBarTypeNormal, kStateHot},  // the third state counts as unchecked
        {1, 0, TRUE, 1, kBarTypeNormal, kStateHotChecked},
        {0, 2, TRUE, 0, kBarTypeMenuBar, kStatePressed},
        {0, 0, TRUE, 0, kBarTypeNormal, kStateNormal},
    };
    for (const Row& row : rows) {
        EXPECT_TRUE(Matches(
            "toolbar face",
            [&](CDC* pDC) {
                m_pNative->PaintStateRectangle(pDC, rc, row.nSelected, row.nPressed, row.bEnabled, row.nChecked, FALSE,
                                               row.nBarType, kBarTop);
            },
            [&](CDC* pDC) { Part(pDC, L"TOOLBAR", kToolbarButton, row.nExpected, rc); }))
            << row.nSelected << row.nPressed << row.bEnabled << row.nChecked;
    }
    // A hot popup item: the menu's hot item, else the highlight framed in entry 13 over entry 29.
    const bool bMenu = Opens(L"MENU");
    EXPECT_TRUE(Matches(
        "popup item",
        [&](CDC* pDC) { m_pNative->PaintStateRectangle(pDC, rc, 1, 0, TRUE, 0, FALSE, kBarTypePopup, kBarPopup); },
        [&](CDC* pDC) {
            if (bMenu) {
                Part(pDC, L"MENU", kMenuPopupItem, kMenuItemHot, rc);
            } else {
                pDC->FillSolidRect(&rc, m_pNative->LookupColor(COLOR_MENUHILIGHT));
                pDC->Draw3dRect(&rc, PinnedColor(COLOR_HIGHLIGHT), PinnedColor(COLOR_HIGHLIGHT));
            }
        }));
    // A checked popup item with the full-row highlight: the menu's check background, else the toolbar's checked.
    EXPECT_TRUE(Matches(
        "checked popup item",
        [&](CDC* pDC) { m_pNative->PaintStateRectangle(pDC, rc, 0, 0, FALSE, 1, FALSE, kBarTypePopup, kBarPopup); },
        [&](CDC* pDC) {
            if (bMenu)
                Part(pDC, L"MENU", kMenuPopupCheckBackground, 1, rc);
            else
                Part(pDC, L"TOOLBAR", kToolbarButton, kStatePressed, rc);
        }));
}

TEST_F(NativeXPStyleChild, ControlPartsAreTheStylesParts) {
    if (!m_pNative->IsStyleActive())
        GTEST_SKIP() << "REBAR and TOOLBAR are not both themed";
    CStateControl* pControl = AddStateControl();
    pControl->SetRect(CRect(40, 8, 140, 30));
    pControl->SetRowRect(CRect(10, 6, 290, 32));
    // A split button: the command part less 12 pixels, then the drop-down part.
    pControl->SetType(kControlSplitButtonPopup);
    pControl->m_nSelected = 1;
    pControl->SetEnabled(4);  // the drop-down half disabled
    EXPECT_TRUE(Matches(
        "split button", [&](CDC* pDC) { m_pNative->PaintSplitButton(pDC, pControl, pControl->GetRect()); },
        [&](CDC* pDC) {
            Part(pDC, L"TOOLBAR", kToolbarSplitButton, kStateHot, CRect(40, 8, 128, 30));
            Part(pDC, L"TOOLBAR", kToolbarSplitDropDown, kStateDisabled, CRect(128, 8, 140, 30));
        }));
    pControl->SetEnabled(1);
    // Separators of a top toolbar, before the control and, when it starts a row, above its row.
    for (BOOL bWrap : {FALSE, TRUE}) {
        pControl->SetWrap(bWrap);
        EXPECT_TRUE(Matches(
            "separator", [&](CDC* pDC) { m_pNative->PaintControlSeparator(pDC, m_pBar, pControl, TRUE); },
            [&](CDC* pDC) {
                if (bWrap)
                    Part(pDC, L"TOOLBAR", kToolbarSeparatorVert, 0, CRect(14, 1, 290, 6));
                else
                    Part(pDC, L"TOOLBAR", kToolbarSeparator, 0, CRect(34, 6, 40, 32));
            }))
            << bWrap;
    }
    pControl->SetWrap(FALSE);
    // The gripper of a top bar.
    EXPECT_TRUE(Matches(
        "gripper", [&](CDC* pDC) { EXPECT_EQ(m_pNative->PaintBarGripper(pDC, m_pBar, TRUE), CSize(8, 0)); },
        [&](CDC* pDC) { Part(pDC, L"REBAR", kRebarGripper, kGripperState, CRect(2, 0, 8, 40)); }));
    // The combo box's drop-down button, by state.
    const CRect rcButton(100, 4, 118, 26);
    if (Opens(L"COMBOBOX")) {
        for (int nSelected : {0, 1}) {
            EXPECT_TRUE(Matches(
                "combo button",
                [&](CDC* pDC) { m_pNative->PaintComboDropButton(pDC, rcButton, TRUE, nSelected, FALSE); },
                [&](CDC* pDC) {
                    Part(pDC, L"COMBOBOX", kComboDropDownButton, nSelected ? kStateHot : kStateNormal,
                         CRect(98, 5, 117, 25));
                }));
        }
    }
    // The spin halves: the upper one pressed.
    if (Opens(L"SPIN")) {
        pControl->SetType(kControlEdit);
        pControl->m_rcSpin = CRect(120, 8, 138, 30);
        pControl->SetPressed(4);
        EXPECT_TRUE(Matches(
            "spin buttons", [&](CDC* pDC) { m_pNative->PaintSpinButtons(pDC, pControl); },
            [&](CDC* pDC) {
                Part(pDC, L"SPIN", kSpinUp, kStatePressed, CRect(120, 8, 138, 19));
                Part(pDC, L"SPIN", kSpinDown, kStateNormal, CRect(120, 19, 138, 30));
            }));
    }
}

TEST_F(NativeXPStyleChild, BarBackgroundsAreTheStylesParts) {
    if (!m_pNative->IsStyleActive())
        GTEST_SKIP() << "REBAR and TOOLBAR are not both themed";
    const CRect rcBar(0, 0, 300, 40);
    // A docked top bar that is not flat: the rebar background of its parent (the site) behind the band, framed
    // in the band colours.
    m_pNative->m_bFlatToolBar = FALSE;
    EXPECT_TRUE(Matches(
        "docked bar", [&](CDC* pDC) { m_pNative->FillBarBackground(pDC, m_pBar); },
        [&](CDC* pDC) {
            CRect rcSite;
            m_pSite->GetWindowRect(&rcSite);
            CRect rcWindow;
            m_pBar->GetWindowRect(&rcWindow);
            rcSite.OffsetRect(-rcWindow.left, -rcWindow.top);
            Part(pDC, L"REBAR", kRebarBackground, 0, rcSite, &rcBar);
            Part(pDC, L"REBAR", kRebarBand, 0, rcBar);
            pDC->Draw3dRect(&rcBar, m_pNative->m_clrBandHighlight, m_pNative->m_clrBandShadow);
        }));
    // The top dock bar shows the rebar background over itself.
    EXPECT_TRUE(Matches(
        "dock bar", [&](CDC* pDC) { m_pNative->FillDockBarBackground(pDC, &m_dockBar); },
        [&](CDC* pDC) {
            const CRect rcDock(0, 0, 300, 60);
            Part(pDC, L"REBAR", kRebarBackground, 0, rcDock, &rcDock);
        }));
    // A popup: the menu's borders and background, else the flat or classic border.
    SetBar(kBarTypePopup, kBarPopup);
    const bool bMenu = Opens(L"MENU");
    EXPECT_TRUE(Matches(
        "popup", [&](CDC* pDC) { m_pNative->FillBarBackground(pDC, m_pBar); },
        [&](CDC* pDC) {
            if (bMenu) {
                Part(pDC, L"MENU", kMenuPopupBorders, 0, rcBar);
                Part(pDC, L"MENU", kMenuPopupBackground, 0, CRect(3, 3, 297, 37));
            } else if (m_pNative->m_bFlatMenus) {
                pDC->FillSolidRect(&rcBar, PinnedColor(COLOR_MENU));
                pDC->Draw3dRect(&rcBar, PinnedColor(COLOR_BTNSHADOW), PinnedColor(COLOR_BTNSHADOW));
            } else {
                pDC->FillSolidRect(&rcBar, PinnedColor(COLOR_MENU));
                pDC->Draw3dRect(&rcBar, PinnedColor(COLOR_BTNFACE), PinnedColor(COLOR_3DDKSHADOW));
                pDC->Draw3dRect(CRect(1, 1, 299, 39), PinnedColor(COLOR_BTNHIGHLIGHT), PinnedColor(COLOR_BTNSHADOW));
            }
        }));
    // A floating toolbar: the toolbar background inside the small frame's parts.
    SetBar(kBarTypeNormal, kBarFloating);
    EXPECT_TRUE(Matches(
        "floating bar", [&](CDC* pDC) { m_pNative->FillBarBackground(pDC, m_pBar); },
        [&](CDC* pDC) {
            pDC->FillSolidRect(&rcBar, PinnedColor(COLOR_BTNFACE));
            Part(pDC, L"TOOLBAR", kToolbarBackground, 0, rcBar);
            Part(pDC, L"WINDOW", kWindowSmallFrameLeft, 1, CRect(0, 0, 3, 40));
            Part(pDC, L"WINDOW", kWindowSmallFrameRight, 1, CRect(297, 0, 300, 40));
            Part(pDC, L"WINDOW", kWindowSmallFrameBottom, 1, CRect(0, 37, 300, 40));
        }));
}

TEST_F(NativeXPStyleChild, PopupPartsAreTheMenuStylesParts) {
    if (!m_pNative->IsStyleActive() || !Opens(L"MENU"))
        GTEST_SKIP() << "the menu style is not themed";
    SetBar(kBarTypePopup, kBarPopup);
    const int nColumn = m_pNative->GetPopupIconColumnWidth(m_pBar);
    const CRect rcMark(4, 4, 24, 24);
    // Marks: check and bullet, disabled when drawn in the disabled-text entry.
    const struct {
        BOOL bRadio;
        COLORREF clr;
        int nState;
    } marks[] = {
        {FALSE, COLOR_MENUTEXT, 1}, {FALSE, COLOR_GRAYTEXT, 2}, {TRUE, COLOR_MENUTEXT, 3}, {TRUE, COLOR_GRAYTEXT, 4}};
    for (const auto& mark : marks) {
        EXPECT_TRUE(Matches(
            "mark",
            [&](CDC* pDC) {
                if (mark.bRadio)
                    m_pNative->PaintRadioMark(pDC, rcMark, mark.clr);
                else
                    m_pNative->PaintCheckMark(pDC, rcMark, mark.clr);
            },
            [&](CDC* pDC) { Part(pDC, L"MENU", kMenuPopupCheck, mark.nState, rcMark); }))
            << mark.nState;
    }
    // The icon band and the gutter the gripper paints, cut to the icon column inside the border.
    EXPECT_TRUE(Matches(
        "icon band", [&](CDC* pDC) { m_pNative->FillPopupIconBand(pDC, 3, 3, 24, 30, FALSE); },
        [&](CDC* pDC) { Part(pDC, L"MENU", kMenuPopupGutter, 0, CRect(3, 3, 27, 33)); }));
    EXPECT_TRUE(Matches(
        "gutter", [&](CDC* pDC) { EXPECT_EQ(m_pNative->PaintBarGripper(pDC, m_pBar, TRUE), CSize(0, 0)); },
        [&](CDC* pDC) { Part(pDC, L"MENU", kMenuPopupGutter, 0, CRect(3, 3, 3 + nColumn, 37)); }));
    // A separator above an item after the icon column; one that starts a column keeps the default strip.
    CStateControl* pControl = AddStateControl();
    pControl->SetRect(CRect(3, 20, 150, 40));
    EXPECT_TRUE(Matches(
        "popup separator",
        [&](CDC* pDC) { EXPECT_EQ(m_pNative->PaintControlSeparator(pDC, m_pBar, pControl, TRUE), CSize(0, 0)); },
        [&](CDC* pDC) { Part(pDC, L"MENU", kMenuPopupSeparator, 0, CRect(3 + nColumn, 12, 150, 18)); }));
    // Popup items grow 3 pixels up and down and shrink 3 at the sides; combo boxes keep their rectangle.
    CRect rc(10, 10, 100, 30);
    m_pNative->AdjustControlRect(rc, pControl, FALSE);
    EXPECT_EQ(rc, CRect(13, 7, 97, 33));
    pControl->SetType(kControlComboBox);
    rc.SetRect(10, 10, 100, 30);
    m_pNative->AdjustControlRect(rc, pControl, FALSE);
    EXPECT_EQ(rc, CRect(10, 10, 100, 30));
    // Item text: the menu-text entry, the disabled-text entry when disabled.
    EXPECT_EQ(m_pNative->GetStateTextColor(TRUE, FALSE, TRUE, FALSE, FALSE, kBarTypePopup, kBarPopup),
              PinnedColor(COLOR_MENUTEXT));
    EXPECT_EQ(m_pNative->GetStateTextColor(TRUE, FALSE, FALSE, FALSE, FALSE, kBarTypePopup, kBarPopup),
              PinnedColor(COLOR_GRAYTEXT));
}

TEST_F(NativeXPStyleChild, FlatMenuBarItemsAndEditFrames) {
    if (!m_pNative->IsStyleActive())
        GTEST_SKIP() << "REBAR and TOOLBAR are not both themed";
    // A popup control on a flat menu bar: a highlight fill and highlight text while open, nothing at rest.
    SetBar(kBarTypeMenuBar, kBarTop);
    m_pNative->m_bFlatMenuBar = TRUE;
    CStateControl* pControl = AddStateControl();
    pControl->SetType(kControlPopup);
    pControl->SetRect(CRect(10, 2, 50, 22));
    for (BOOL bOpen : {FALSE, TRUE}) {
        pControl->m_bOpen = bOpen;
        EXPECT_TRUE(Matches(
            "menu-bar item", [&](CDC* pDC) { m_pNative->PaintControlBackground(pDC, pControl); },
            [&](CDC* pDC) {
                if (bOpen)
                    pDC->FillSolidRect(10, 2, 40, 20, PinnedColor(COLOR_HIGHLIGHT));
            }));
        EXPECT_EQ(m_pNative->GetControlTextColor(pControl) == PinnedColor(COLOR_HIGHLIGHTTEXT), bOpen != FALSE);
    }
    // The edit frame: one pixel in the combo box's border colour.
    if (Opens(L"COMBOBOX")) {
        CTkWinThemeWrapper combo(TRUE);
        combo.OpenTheme(nullptr, L"COMBOBOX");
        COLORREF clr = 0;
        ASSERT_EQ(combo.GetColor(kComboDropDownButton, kStateDisabled, kBorderColorProperty, &clr), S_OK);
        const CRect rcField(20, 4, 120, 26);
        EXPECT_TRUE(Matches(
            "edit frame", [&](CDC* pDC) { m_pNative->PaintEditFrame(pDC, rcField, FALSE, 0); },
            [&](CDC* pDC) { pDC->Draw3dRect(&rcField, clr, clr); }));
    }
}

TEST_F(NativeXPStyleChild, PicturesOfAPopupAndAToolbar) {
    SavePictures(L"on");
}

}  // namespace
