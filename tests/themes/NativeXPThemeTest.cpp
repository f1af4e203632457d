// The native XP theme with visual styles off (the classic prefix the tests run in): every operation in
// every state draws and answers exactly as the default theme with the native theme's settings; and its
// state choices, as pure tables.

#include "NativeXPThemeTestSupport.h"
#include "TkColorManager.h"
#include "TkNativeXPThemeParts.h"

#include <functional>

namespace {

using namespace NativeXPParts;

constexpr COLORREF kSentinel = RGB(1, 2, 3);  // in no pinned entry

// One operation of the themes, drawing into the DC and answering a size (a colour or width in cx).
struct Operation {
    const char* pszName;
    std::function<CSize(CTkPaintManager*, CDC*)> run;
};

class NativeXPThemeOff : public NativeXPThemeFixture {
protected:
    // Runs the operation with both themes on equal surfaces of the bar's size; a failure names what differs.
    ::testing::AssertionResult DrawsAsDefault(const Operation& op) {
        m_native.FillSolidRect(0, 0, 300, 40, kSentinel);
        m_classic.FillSolidRect(0, 0, 300, 40, kSentinel);
        const CSize szNative = op.run(m_pNative, &m_native);
        const CSize szClassic = op.run(m_pTheme, &m_classic);
        if (szNative != szClassic)
            return ::testing::AssertionFailure() << op.pszName << " answers " << szNative.cx << "," << szNative.cy
                                                 << " not " << szClassic.cx << "," << szClassic.cy;
        ::GdiFlush();
        for (int i = 0; i < 300 * 40; ++i) {
            if (m_native.GetBits()[i] != m_classic.GetBits()[i])
                return ::testing::AssertionFailure() << op.pszName << " differs at " << i % 300 << "," << i / 300;
        }
        return ::testing::AssertionSuccess();
    }

    // The surfaces of the two themes, the bar's size.
    CScopedMemDC m_native{300, 40};
    CScopedMemDC m_classic{300, 40};
};

TEST_F(NativeXPThemeOff, SettingsAndRefreshWithoutStyles) {
    CTkPaintManager::ActivateTheme(kThemeNativeXP);
    CTkPaintManager* pCurrent = CTkPaintManager::GetCurrentPaintManager();
    EXPECT_NE(dynamic_cast<CTkNativeXPTheme*>(pCurrent), nullptr);
    EXPECT_EQ(pCurrent->GetThemeNumber(), kThemeNativeXP);
    EXPECT_EQ(pCurrent->m_nThemeNumber, kThemeNativeXP);
    CTkPaintManager::ReleaseCurrent();

    EXPECT_FALSE(m_pNative->IsStyleActive());
    EXPECT_FALSE(m_pNative->IsMenuStyleActive());
    EXPECT_TRUE(m_pNative->m_bIconEffects[0]);
    EXPECT_FALSE(m_pNative->m_bIconEffects[2]);
    EXPECT_EQ(m_pNative->m_nMenuTextColor, COLOR_MENUTEXT);
    EXPECT_TRUE(m_pNative->m_bStatusVisualStyle && m_pNative->m_bButtonVisualStyle);
    EXPECT_TRUE(m_pNative->m_bFullRowPopupHighlight && m_pNative->m_bBoldCheckMarks);
    // The band edges fall back to the shadow and highlight entries; flat menus follow the system.
    EXPECT_EQ(m_pNative->m_clrBandShadow, PinnedColor(COLOR_BTNSHADOW));
    EXPECT_EQ(m_pNative->m_clrBandHighlight, PinnedColor(COLOR_BTNHIGHLIGHT));
    BOOL bFlat = FALSE;
    ::SystemParametersInfoW(SPI_GETFLATMENU, 0, &bFlat, 0);
    EXPECT_EQ(m_pNative->m_bFlatMenus, bFlat);
    // Flat menus take the highlight for entry 29's standard value; the pinned (custom) value stays.
    m_pNative->m_colors[COLOR_MENUHILIGHT].m_customValue = kColorUnset;
    m_pNative->RefreshMetrics();
    EXPECT_EQ(m_pNative->LookupColor(COLOR_MENUHILIGHT),
              bFlat ? PinnedColor(COLOR_HIGHLIGHT) : GetColorManager()->GetColor(COLOR_MENUHILIGHT));
    EXPECT_EQ(m_pNative->LookupColor(COLOR_BTNTEXT), PinnedColor(COLOR_BTNTEXT)) << "no toolbar text colour";
}

TEST_F(NativeXPThemeOff, EveryBarOperationDrawsAsTheDefaultTheme) {
    struct BarKind {
        int nType;
        int nPosition;
        BOOL bFlat;
    };
    const BarKind kinds[] = {
        {kBarTypeNormal, kBarTop, FALSE},     {kBarTypeNormal, kBarTop, TRUE},    {kBarTypeNormal, kBarBottom, FALSE},
        {kBarTypeNormal, kBarLeft, FALSE},    {kBarTypeNormal, kBarRight, FALSE}, {kBarTypeNormal, kBarFloating, FALSE},
        {kBarTypePopup, kBarFloating, FALSE}, {kBarTypePopup, kBarPopup, FALSE},  {kBarTypeNormal, kBarPopup, FALSE},
        {kBarTypeMenuBar, kBarTop, TRUE},     {kBarTypeMenuBar, kBarTop, FALSE},
    };
    CStateControl* pControl = AddStateControl();
    pControl->SetRect(CRect(40, 8, 70, 30));
    pControl->SetRowRect(CRect(0, 6, 300, 32));
    const std::vector<Operation> ops = {
        {"FillBarBackground", [&](CTkPaintManager* p, CDC* pDC) { return p->FillBarBackground(pDC, m_pBar), CSize(); }},
        {"PaintBarGripper", [&](CTkPaintManager* p, CDC* pDC) { return p->PaintBarGripper(pDC, m_pBar, TRUE); }},
        {"measure gripper", [&](CTkPaintManager* p, CDC* pDC) { return p->PaintBarGripper(nullptr, m_pBar, FALSE); }},
        {"PaintShortGripper", [&](CTkPaintManager* p, CDC* pDC) { return p->PaintShortGripper(pDC, m_pBar, TRUE); }},
        {"separator",
         [&](CTkPaintManager* p, CDC* pDC) { return p->PaintControlSeparator(pDC, m_pBar, pControl, TRUE); }},
        {"wrapped separator",
         [&](CTkPaintManager* p, CDC* pDC) {
             pControl->SetWrap(TRUE);
             const CSize size = p->PaintControlSeparator(pDC, m_pBar, pControl, TRUE);
             pControl->SetWrap(FALSE);
             return size;
         }},
        {"measure separator",
         [&](CTkPaintManager* p, CDC*) { return p->PaintControlSeparator(nullptr, m_pBar, pControl, FALSE); }},
        {"icon column", [&](CTkPaintManager* p, CDC*) { return CSize(p->GetPopupIconColumnWidth(m_pBar), 0); }},
        {"FillDockBarBackground",
         [&](CTkPaintManager* p, CDC* pDC) { return p->FillDockBarBackground(pDC, &m_dockBar), CSize(); }},
        {"FillPopupIconBand",
         [&](CTkPaintManager* p, CDC* pDC) { return p->FillPopupIconBand(pDC, 3, 3, 24, 30, FALSE), CSize(); }},
    };
    for (const BarKind& kind : kinds) {
        SetBar(kind.nType, kind.nPosition);
        m_pNative->m_bFlatToolBar = m_pTheme->m_bFlatToolBar = kind.bFlat;
        m_pNative->m_bFlatMenuBar = m_pTheme->m_bFlatMenuBar = kind.bFlat;
        for (const Operation& op : ops)
            EXPECT_TRUE(DrawsAsDefault(op)) << "bar " << kind.nType << "/" << kind.nPosition << " flat " << kind.bFlat;
        for (int nKind = 0; nKind < 4; ++nKind) {
            for (int nSelected : {0, 1}) {
                pControl->m_nSelected = nSelected;
                const Operation expand{"PaintExpandButton", [&](CTkPaintManager* p, CDC* pDC) {
                                           return p->PaintExpandButton(pDC, nKind, pControl, m_pBar, TRUE, TRUE);
                                       }};
                EXPECT_TRUE(DrawsAsDefault(expand)) << "kind " << nKind << " bar " << kind.nPosition;
            }
        }
    }
}

TEST_F(NativeXPThemeOff, EveryControlStateDrawsAsTheDefaultTheme) {
    CStateControl* pControl = AddStateControl();
    pControl->SetRect(CRect(10, 4, 110, 26));
    pControl->SetRowRect(CRect(0, 4, 300, 26));
    pControl->m_rcSpin = CRect(92, 5, 109, 25);
    pControl->m_nLabelWidth = 20;
    pControl->m_nDropButtonWidth = 15;
    pControl->SetCaption(L"&Open");
    const CRect rc(4, 4, 60, 28);
    const auto state = [&](CTkPaintManager* p, CDC* pDC, int nBarType, int nBarPosition) {
        p->PaintStateRectangle(pDC, rc, pControl->m_nSelected, pControl->GetPressed(), pControl->GetEnabled() != 0,
                               pControl->GetChecked(), pControl->m_bOpen, nBarType, nBarPosition);
        const COLORREF clr = p->GetStateTextColor(pControl->m_nSelected, pControl->GetPressed(), pControl->GetEnabled(),
                                                  pControl->GetChecked(), pControl->m_bOpen, nBarType, nBarPosition);
        return CSize(static_cast<int>(clr), 0);
    };
    const auto withType = [&](int nType, auto paint) {
        return [=](CTkPaintManager* p, CDC* pDC) {
            pControl->SetType(nType);
            return paint(p, pDC);
        };
    };
    const std::vector<Operation> ops = {
        {"toolbar state", [&](CTkPaintManager* p, CDC* pDC) { return state(p, pDC, kBarTypeNormal, kBarTop); }},
        {"popup state", [&](CTkPaintManager* p, CDC* pDC) { return state(p, pDC, kBarTypePopup, kBarPopup); }},
        {"torn-off state", [&](CTkPaintManager* p, CDC* pDC) { return state(p, pDC, kBarTypePopup, kBarFloating); }},
        {"menu-bar state", [&](CTkPaintManager* p, CDC* pDC) { return state(p, pDC, kBarTypeMenuBar, kBarTop); }},
        {"PaintSplitButton", withType(kControlSplitButtonPopup,
                                      [=](CTkPaintManager* p, CDC* pDC) {
                                          p->PaintSplitButton(pDC, pControl, pControl->GetRect());
                                          return CSize();
                                      })},
        {"control face", withType(kControlPopup,
                                  [=](CTkPaintManager* p, CDC* pDC) {
                                      p->PaintControlBackground(pDC, pControl);
                                      return CSize(static_cast<int>(p->GetControlTextColor(pControl)), 0);
                                  })},
        {"whole control",
         withType(kControlButton, [=](CTkPaintManager* p, CDC* pDC) { return p->DrawControl(pDC, pControl, TRUE); })},
        {"whole split", withType(kControlSplitButtonPopup,
                                 [=](CTkPaintManager* p, CDC* pDC) { return p->DrawControl(pDC, pControl, TRUE); })},
        {"whole edit",
         withType(kControlEdit, [=](CTkPaintManager* p, CDC* pDC) { return p->DrawControl(pDC, pControl, TRUE); })},
        {"whole combo",
         withType(kControlComboBox, [=](CTkPaintManager* p, CDC* pDC) { return p->DrawControl(pDC, pControl, TRUE); })},
        {"marks",
         [&](CTkPaintManager* p, CDC* pDC) {
             const COLORREF clr = pControl->GetEnabled() ? COLOR_MENUTEXT : COLOR_GRAYTEXT;
             p->PaintCheckMark(pDC, CRect(0, 0, 20, 20), clr);
             p->PaintRadioMark(pDC, CRect(20, 0, 40, 20), clr);
             return CSize();
         }},
        {"AdjustControlRect",
         [&](CTkPaintManager* p, CDC*) {
             CRect rcAdjusted = rc;
             p->AdjustControlRect(rcAdjusted, pControl, pControl->GetChecked() == 1);
             return CSize(rcAdjusted.left * 1000 + rcAdjusted.top, rcAdjusted.right * 1000 + rcAdjusted.bottom);
         }},
    };
    const int barKinds[][2] = {{kBarTypeNormal, kBarTop}, {kBarTypePopup, kBarPopup}, {kBarTypeMenuBar, kBarTop}};
    for (const auto& bar : barKinds) {
        SetBar(bar[0], bar[1]);
        for (int nSelected : {0, 1, 2, 4, 5})
            for (int nPressed : {0, 1, 2, 4})
                for (int nEnabled : {0, 1, 4})
                    for (int nChecked : {0, 1, 2})
                        for (BOOL bOpen : {FALSE, TRUE}) {
                            pControl->m_nSelected = nSelected;
                            pControl->SetPressed(nPressed);
                            pControl->SetEnabled(nEnabled);
                            pControl->SetChecked(nChecked);
                            pControl->m_bOpen = bOpen;
                            pControl->m_bDropped = bOpen;
                            for (const Operation& op : ops)
                                ASSERT_TRUE(DrawsAsDefault(op))
                                    << "bar " << bar[0] << " selected " << nSelected << " pressed " << nPressed
                                    << " enabled " << nEnabled << " checked " << nChecked << " open " << bOpen;
                        }
    }
}

TEST_F(NativeXPThemeOff, PicturesOfAPopupAndAToolbar) {
    SavePictures(L"off");
}

TEST(NativeXPStates, ToolbarButtonStates) {
    struct Row {
        int nSelected;
        int nPressed;
        BOOL bEnabled;
        int nChecked;
        BOOL bPopuped;
        int nExpected;
    };
    const Row rows[] = {
        {1, 0, FALSE, 1, FALSE, kStatePressed},    // a disabled checked item shows pressed
        {1, 1, FALSE, 2, FALSE, kStatePressed},    // disabled, any checked state
        {1, 1, FALSE, 0, TRUE, kStateDisabled},    //
        {0, 0, TRUE, 0, TRUE, kStatePressed},      // popped up
        {0, 0, TRUE, 1, TRUE, kStatePressed},      // popped up before checked
        {0, 0, TRUE, 1, FALSE, kStateChecked},     //
        {1, 0, TRUE, 1, FALSE, kStateHotChecked},  //
        {1, 1, TRUE, 1, FALSE, kStatePressed},     // checked while pressed: the pressed rules
        {0, 1, TRUE, 1, FALSE, kStateNormal},      //
        {0, 0, TRUE, 2, FALSE, kStateNormal},      // the third state counts as unchecked
        {1, 0, TRUE, 2, FALSE, kStateHot},         //
        {0, 2, TRUE, 0, FALSE, kStatePressed},     // pressed by the keyboard
        {0, 3, TRUE, 0, FALSE, kStatePressed},     //
        {1, 1, TRUE, 0, FALSE, kStatePressed},     //
        {0, 1, TRUE, 0, FALSE, kStateNormal},      // pressed, the pointer gone
        {2, 0, TRUE, 0, FALSE, kStateHot},         //
        {0, 0, TRUE, 0, FALSE, kStateNormal},      //
    };
    for (const Row& row : rows)
        EXPECT_EQ(ToolbarButtonState(row.nSelected, row.nPressed, row.bEnabled, row.nChecked, row.bPopuped),
                  row.nExpected)
            << row.nSelected << row.nPressed << row.bEnabled << row.nChecked << row.bPopuped;
}

TEST(NativeXPStates, SplitComboSpinAndMarkStates) {
    struct SplitRow {
        int nSelected;
        int nPressed;
        int nEnabled;
        int nChecked;
        BOOL bPopuped;
        int nCommand;
        int nDropDown;
    };
    const SplitRow splits[] = {
        {1, 1, 0, 0, FALSE, kStateDisabled, kStateDisabled},  // disabled: the half keeps the command's state
        {1, 1, 5, 0, FALSE, kStateDisabled, kStateDisabled},  // only the command half disabled
        {1, 1, 4, 0, FALSE, kStatePressed, kStateDisabled},   // only the drop-down half disabled
        {1, 1, 1, 1, FALSE, kStatePressed, kStatePressed},    //
        {0, 0, 1, 1, FALSE, kStateChecked, kStateChecked},    //
        {0, 0, 1, 0, TRUE, kStateHot, kStatePressed},         // open: the drop-down half pressed
        {1, 0, 1, 0, FALSE, kStateHot, kStateHot},            //
        {0, 1, 1, 0, FALSE, kStateNormal, kStateNormal},      //
    };
    for (const SplitRow& row : splits) {
        const BOOL bEnabled = row.nEnabled != 0 && row.nEnabled != 5;
        const int nCommand = SplitButtonState(row.nSelected, row.nPressed, bEnabled, row.nChecked, row.bPopuped);
        EXPECT_EQ(nCommand, row.nCommand) << row.nSelected << row.nPressed << row.nEnabled << row.nChecked;
        EXPECT_EQ(SplitDropDownState(row.nEnabled, row.bPopuped, nCommand), row.nDropDown) << row.nEnabled;
    }
    struct ComboRow {
        BOOL bEnabled;
        int nSelected;
        BOOL bDropped;
        int nExpected;
    };
    const ComboRow combos[] = {{FALSE, 1, TRUE, kStateDisabled},
                               {TRUE, 0, TRUE, kStatePressed},
                               {TRUE, 2, FALSE, kStateHot},
                               {TRUE, 0, FALSE, kStateNormal}};
    for (const ComboRow& row : combos)
        EXPECT_EQ(ComboDropButtonState(row.bEnabled, row.nSelected, row.bDropped), row.nExpected) << row.nSelected;
    struct SpinRow {
        BOOL bEnabled;
        int nSelected;
        int nPressed;
        int nUp;
        int nDown;
    };
    const SpinRow spins[] = {
        {FALSE, 4, 4, kStateDisabled, kStateDisabled}, {TRUE, 1, 4, kStatePressed, kStateNormal},
        {TRUE, 1, 5, kStateNormal, kStatePressed},     {TRUE, 0, 4, kStateNormal, kStateNormal},
        {TRUE, 4, 0, kStateHot, kStateNormal},         {TRUE, 5, 0, kStateNormal, kStateHot},
        {TRUE, 5, 4, kStatePressed, kStateHot},        {TRUE, 1, 0, kStateNormal, kStateNormal},
    };
    for (const SpinRow& row : spins) {
        EXPECT_EQ(SpinHalfState(row.bEnabled, row.nSelected, row.nPressed, 4), row.nUp)
            << row.nSelected << row.nPressed;
        EXPECT_EQ(SpinHalfState(row.bEnabled, row.nSelected, row.nPressed, 5), row.nDown)
            << row.nSelected << row.nPressed;
    }
    EXPECT_EQ(PopupMarkState(FALSE, TRUE), 1);
    EXPECT_EQ(PopupMarkState(FALSE, FALSE), 2);
    EXPECT_EQ(PopupMarkState(TRUE, TRUE), 3);
    EXPECT_EQ(PopupMarkState(TRUE, FALSE), 4);
}

}  // namespace
