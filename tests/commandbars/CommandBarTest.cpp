// The bar base: tracking, selection, popups, reports to the site, keyboard navigation, help and
// accessibility, and the modal loop.

#include "BarFixtures.h"
#include "FocusEvents.h"
#include "WaitUntil.h"
#include "TkKeyboardManager.h"
#include "TkMouseManager.h"

#include <oleacc.h>

#include <initializer_list>

namespace {

void HoldKeys(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (int nKey : keys)
        state[nKey] = 0x80;
    ::SetKeyboardState(state);
}

class BarBaseFixture : public BarFixture {
protected:
    void SetUp() override {
        BarFixture::SetUp();
        BarLog().clear();
    }
    void TearDown() override {
        HoldKeys({});
        CreateMouseManager()->CloseAllTracked();
        BarFixture::TearDown();
    }
    CTkControl* AddButton(int nId, LPCWSTR pszCaption, const CRect& rc = CRect()) {
        CTkControl* pControl = Add(kControlButton, nId);
        pControl->SetCaption(pszCaption);
        pControl->SetRect(rc);
        return pControl;
    }
    // A child popup bar open under a popup control of the fixture's bar.
    CTkCommandBar* OpenChildPopup(CTkControlPopup* pOpener) {
        CTkCommandBar* pPopup = pOpener->GetCommandBar();
        if (pPopup->GetSafeHwnd() == nullptr)
            CreateBarWindow(pPopup, m_pSite);
        EXPECT_TRUE(m_pBar->PopupControl(pOpener->GetIndex(), TRUE));
        return pPopup;
    }
};

TEST_F(BarBaseFixture, BetweenMenuModeAndAnOpenPopupOnlyTheModeChanges) {
    SetBarKind(m_pBar, kBarTypeMenuBar, kBarTop);
    EXPECT_FALSE(m_pBar->SetTrackingMode(kTrackingNone));
    EXPECT_TRUE(m_pBar->SetTrackingMode(kTrackingMenu, FALSE, TRUE));
    EXPECT_EQ(CreateMouseManager()->GetTrackedCount(), 1);
    EXPECT_TRUE(CreateKeyboardManager()->HasSinks());
    ASSERT_EQ(m_pSite->m_barMessages.size(), 1u);
    EXPECT_EQ(m_pSite->m_barMessages[0].first, TrackingStartedMessage);
    EXPECT_EQ(m_pSite->m_barMessages[0].second, reinterpret_cast<WPARAM>(m_pBar));

    EXPECT_FALSE(m_pBar->SetTrackingMode(kTrackingPopup));
    EXPECT_EQ(m_pBar->GetTrackingMode(), kTrackingPopup);
    EXPECT_FALSE(m_pBar->SetTrackingMode(kTrackingMenu));
    EXPECT_EQ(m_pBar->GetTrackingMode(), kTrackingMenu);
    EXPECT_EQ(m_pSite->m_barMessages.size(), 1u);

    EXPECT_TRUE(m_pBar->SetTrackingMode(kTrackingNone));
    EXPECT_EQ(CreateMouseManager()->GetTrackedCount(), 0);
    EXPECT_FALSE(CreateKeyboardManager()->HasSinks());
}

TEST_F(BarBaseFixture, TheSelectionOriginSetsTheControlStateAndTheFocusEvent) {
    CTkControl* pFirst = AddButton(1, L"One");
    AddButton(2, L"Two");
    struct Row {
        int nOrigin;
        int nState;
    };
    const Row rows[] = {{kSelectByMouse, 1}, {kSelectByMnemonic, 2}, {kSelectForward, 2}, {kSelectBackward, 3}};
    for (const Row& row : rows) {
        m_pBar->SetSelected(-1);
        EXPECT_TRUE(m_pBar->SetSelected(0, row.nOrigin));
        EXPECT_EQ(pFirst->GetSelected(), row.nState) << row.nOrigin;
        EXPECT_FALSE(m_pBar->SetSelected(0, row.nOrigin));
    }
    EXPECT_EQ(CreateMouseManager()->GetHotBar(), m_pBar);

    // While tracking, accessibility hears of the selected menu item (child = index + 1).
    CFocusEventRecorder focus;
    ASSERT_TRUE(focus.IsHooked());
    m_pBar->SetSelected(1, kSelectForward);  // not tracking: no event
    m_pBar->SetTrackingMode(kTrackingMenu, FALSE, TRUE);
    m_pBar->SetSelected(0, kSelectForward);
    ASSERT_TRUE(PumpUntil([&] { return !focus.Events().empty(); }, 2000));
    ASSERT_EQ(focus.Events().size(), 1u);
    EXPECT_EQ(focus.Events()[0].hWnd, m_pBar->GetSafeHwnd());
    EXPECT_EQ(focus.Events()[0].nObject, OBJID_MENU);
    EXPECT_EQ(focus.Events()[0].nChild, 1);
}

TEST_F(BarBaseFixture, ADisabledPopupControlIsSelectedButNotOpened) {
    CTkControlPopup* pPopup = AddPopup(kControlPopup, 0);
    pPopup->SetEnabled(FALSE);
    EXPECT_FALSE(m_pBar->PopupControl(pPopup->GetIndex(), TRUE));
    EXPECT_EQ(m_pBar->GetPopupedIndex(), -1);
    EXPECT_TRUE(m_pBar->SetSelected(pPopup->GetIndex(), kSelectForward));
    EXPECT_EQ(pPopup->GetSelected(), 2);
}

TEST_F(BarBaseFixture, AHighlightGoesToTheSiteAndItsDescriptionToTheStatusBar) {
    CWnd messageBar;
    ASSERT_TRUE(messageBar.Create(L"STATIC", L"", WS_CHILD, CRect(0, 0, 100, 20), m_pSite, AFX_IDW_STATUS_BAR));
    CTkControl* pControl = AddButton(1, L"Open");
    pControl->SetDescription(L"Opens a file");
    m_pBar->SetSelected(0, kSelectForward);
    ASSERT_FALSE(m_pSite->m_barMessages.empty());
    EXPECT_EQ(m_pSite->m_barMessages.back(),
              std::make_pair(ControlHighlightedMessage, reinterpret_cast<WPARAM>(pControl)));
    CString strStatus;
    messageBar.GetWindowText(strStatus);
    EXPECT_EQ(strStatus, L"Opens a file");
    m_pBar->SetSelected(-1);
    EXPECT_EQ(m_pSite->m_barMessages.back(), std::make_pair(ControlHighlightedMessage, WPARAM(0)));
    messageBar.GetWindowText(strStatus);
    EXPECT_TRUE(strStatus.IsEmpty());

    m_pCommandBars->GetCommandBarsOptions()->m_bShowStatusDescriptions = FALSE;
    m_pBar->SetSelected(0, kSelectForward);
    messageBar.GetWindowText(strStatus);
    EXPECT_TRUE(strStatus.IsEmpty());
    messageBar.DestroyWindow();
}

TEST_F(BarBaseFixture, HelpHitTestsNameTheControlUnderThePoint) {
    CTkControl* pControl = AddButton(7, L"Seven", CRect(10, 0, 40, 20));
    pControl->SetHelpId(900);
    EXPECT_EQ(m_pBar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(20, 5)), 0x10000 + 900);
    EXPECT_EQ(m_pBar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(100, 5)), 0);  // a popup window has no id
}

TEST_F(BarBaseFixture, ArrowKeysMapToNavigationCodesByOrientation) {
    struct Row {
        UINT nKey;
        int nHorizontal;
        int nHorizontalRtl;
        int nVertical;
        int nVerticalRtl;
    };
    const Row rows[] = {
        {VK_LEFT, kNavigatePreviousHorizontal, kNavigateNextHorizontal, kNavigateUp, kNavigateDown},
        {VK_RIGHT, kNavigateNextHorizontal, kNavigatePreviousHorizontal, kNavigateDown, kNavigateUp},
        {VK_UP, kNavigateUp, kNavigateUp, kNavigatePrevious, kNavigatePrevious},
        {VK_DOWN, kNavigateDown, kNavigateDown, kNavigateNext, kNavigateNext},
        {VK_HOME, kNavigateFirst, kNavigateFirst, kNavigateFirst, kNavigateFirst},
        {VK_END, kNavigateLast, kNavigateLast, kNavigateLast, kNavigateLast},
        {'A', -1, -1, -1, -1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CTkCommandBar::KeyToNavigationCode(row.nKey, TRUE, FALSE), row.nHorizontal) << row.nKey;
        EXPECT_EQ(CTkCommandBar::KeyToNavigationCode(row.nKey, TRUE, TRUE), row.nHorizontalRtl) << row.nKey;
        EXPECT_EQ(CTkCommandBar::KeyToNavigationCode(row.nKey, FALSE, FALSE), row.nVertical) << row.nKey;
        EXPECT_EQ(CTkCommandBar::KeyToNavigationCode(row.nKey, FALSE, TRUE), row.nVerticalRtl) << row.nKey;
    }
}

TEST_F(BarBaseFixture, KeysWhileAMenuBarTracks) {
    SetBarKind(m_pBar, kBarTypeMenuBar, kBarTop);
    AddButton(1, L"&One");
    AddButton(2, L"Two");
    AddButton(3, L"&Three");
    m_pCommandBars->ActivateBar(m_pBar, 0);
    ASSERT_EQ(m_pBar->GetSelectedIndex(), 0);

    struct Row {
        UINT nKey;
        int nSelected;
    };
    const Row rows[] = {{VK_RIGHT, 1}, {VK_RIGHT, 2}, {VK_RIGHT, 0}, {VK_LEFT, 2}, {VK_HOME, 0}, {VK_END, 2}};
    for (const Row& row : rows) {
        EXPECT_EQ(m_pBar->OnTrackingKeyDown(row.nKey, 0), kHookHandled);
        EXPECT_EQ(m_pBar->GetSelectedIndex(), row.nSelected) << row.nKey;
    }
    // Every key was offered to the site first.
    EXPECT_EQ(std::count_if(m_pSite->m_barMessages.begin(), m_pSite->m_barMessages.end(),
                            [](const auto& message) { return message.first == TrackingKeyMessage; }),
              6);

    // A mnemonic inside the bar activates its control ("&Three" before the first letter of "Two"), which
    // closes the menus.
    EXPECT_EQ(m_pBar->OnTrackingKeyDown('T', 0), kHookHandled);
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{3});
    EXPECT_EQ(m_pBar->GetTrackingMode(), kTrackingNone);

    // Space asks the frame for its system menu.
    m_pCommandBars->ActivateBar(m_pBar, 0);
    EXPECT_EQ(m_pBar->OnTrackingKeyDown(VK_SPACE, 0), kHookHandled);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, m_pSite->GetSafeHwnd(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(SC_KEYMENU));
    EXPECT_EQ(msg.lParam, L' ');
    EXPECT_EQ(m_pBar->GetTrackingMode(), kTrackingNone);

    // Enter runs the selected control; Esc ends the tracking.
    m_pCommandBars->ActivateBar(m_pBar, 0);
    m_pSite->m_commands.clear();
    EXPECT_EQ(m_pBar->OnTrackingKeyDown(VK_RETURN, 0), kHookHandled);
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{1});
    m_pCommandBars->ActivateBar(m_pBar, 0);
    EXPECT_EQ(m_pBar->OnTrackingKeyDown(VK_ESCAPE, 0), kHookHandled);
    EXPECT_EQ(m_pBar->GetTrackingMode(), kTrackingNone);
}

TEST_F(BarBaseFixture, LeftAndRightMoveTheOtherWayInARightToLeftBar) {
    m_pBar->DestroyWindow();
    ASSERT_TRUE(m_pBar->CreateEx(WS_EX_LAYOUTRTL, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, 300, 40,
                                 m_pSite->GetSafeHwnd(), nullptr));
    SetBarKind(m_pBar, kBarTypeMenuBar, kBarTop);
    AddButton(1, L"One");
    AddButton(2, L"Two");
    m_pCommandBars->ActivateBar(m_pBar, 0);
    m_pBar->OnTrackingKeyDown(VK_LEFT, 0);
    EXPECT_EQ(m_pBar->GetSelectedIndex(), 1);
}

TEST_F(BarBaseFixture, AnArrowAPopupCannotFollowGoesOnToTheBarBelowIt) {
    SetBarKind(m_pBar, kBarTypeMenuBar, kBarTop);
    CTkControlPopup* pFile = AddPopup(kControlPopup, 0);
    AddButton(2, L"Edit");
    CTkCommandBar* pPopup = pFile->GetCommandBar();
    pPopup->GetControls()->Add(kControlButton, 10)->SetCaption(L"New");
    m_pCommandBars->ActivateBar(m_pBar, 0);
    OpenChildPopup(pFile);
    ASSERT_EQ(pPopup->GetTrackingMode(), kTrackingMenu);
    pPopup->SetSelected(0, kSelectForward);

    // Left: the popup has nothing open to close; Right: its item opens nothing.
    EXPECT_EQ(pPopup->OnTrackingKeyDown(VK_LEFT, 0), kHookNotHandled);
    EXPECT_EQ(pPopup->OnTrackingKeyDown(VK_RIGHT, 0), kHookNotHandled);
    // Up and Down stay in the popup even when there is nowhere to go.
    EXPECT_EQ(pPopup->OnTrackingKeyDown(VK_DOWN, 0), kHookHandled);
    EXPECT_EQ(pPopup->OnTrackingKeyDown(VK_UP, 0), kHookHandled);
    // Through the keyboard manager the menu bar then takes the Right arrow: the next menu.
    EXPECT_TRUE(CreateKeyboardManager()->DispatchToSinks(WM_KEYDOWN, VK_RIGHT, 0));
    EXPECT_EQ(m_pBar->GetSelectedIndex(), 1);
    EXPECT_EQ(m_pBar->GetPopupedIndex(), -1);

    // Esc in a popup hands the keyboard back to its parent.
    OpenChildPopup(pFile);
    EXPECT_EQ(pPopup->OnTrackingKeyDown(VK_ESCAPE, 0), kHookHandled);
    EXPECT_EQ(pPopup->GetTrackingMode(), kTrackingNone);
    EXPECT_EQ(m_pBar->GetTrackingMode(), kTrackingMenu);
}

TEST_F(BarBaseFixture, CtrlTabMovesBetweenToolbars) {
    auto* pFirst = new CTestBar;
    auto* pSecond = new CTestBar;
    for (CTestBar* pBar : {pFirst, pSecond}) {
        m_pCommandBars->AddBar(pBar);
        CreateBarWindow(pBar, m_pSite);
        pBar->GetControls()->Add(kControlButton, 1);
    }
    m_pCommandBars->ActivateBar(pFirst, 0);
    HoldKeys({VK_CONTROL});
    EXPECT_EQ(pFirst->OnTrackingKeyDown(VK_TAB, 0), kHookHandled);
    EXPECT_EQ(pSecond->GetTrackingMode(), kTrackingMenu);
    EXPECT_EQ(pFirst->GetTrackingMode(), kTrackingNone);
    HoldKeys({VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(pSecond->OnTrackingKeyDown(VK_TAB, 0), kHookHandled);
    EXPECT_EQ(pFirst->GetTrackingMode(), kTrackingMenu);
}

TEST_F(BarBaseFixture, ABarDroppedWhileItsKeyIsReportedAnswersHandled) {
    auto* pBar = new CTestBar;
    m_pCommandBars->AddBar(pBar);
    CreateBarWindow(pBar, m_pSite);
    pBar->GetControls()->Add(kControlButton, 1);
    m_pCommandBars->ActivateBar(pBar, 0);
    m_pSite->m_onTrackingKey = [this](TrackingKeyRecord*, CTkCommandBar* pReporting) {
        m_pCommandBars->RemoveToolBar(pReporting);
    };
    EXPECT_EQ(CreateKeyboardManager()->DispatchToSinks(WM_KEYDOWN, VK_RIGHT, 0), TRUE);
    EXPECT_EQ(m_pCommandBars->GetCount(), 0);
    EXPECT_FALSE(CreateKeyboardManager()->HasSinks());
    m_pSite->m_onTrackingKey = nullptr;
}

TEST_F(BarBaseFixture, MnemonicsInsideABarStartAfterTheSelection) {
    AddButton(1, L"&Alpha");
    AddButton(2, L"Apple");
    AddButton(3, L"&Beta");
    AddButton(4, L"B&ig")->SetEnabled(FALSE);
    AddButton(5, L"&Another");
    struct Row {
        int nSelected;
        UINT nKey;
        int nFound;
        BOOL bAmbiguous;
    };
    const Row rows[] = {
        {-1, 'A', 0, TRUE},   // "&Alpha" and "&Another" are both explicit
        {0, 'A', 4, TRUE},    // from after "&Alpha"
        {-1, 'B', 2, FALSE},  // the disabled "B&ig" takes no part
        {-1, 'I', -1, FALSE}, {-1, 'P', -1, FALSE},
    };
    for (const Row& row : rows) {
        m_pBar->SetSelected(row.nSelected, kSelectForward);
        BOOL bAmbiguous = FALSE;
        EXPECT_EQ(m_pBar->FindMnemonicControl(row.nKey, &bAmbiguous), row.nFound) << row.nKey;
        EXPECT_EQ(bAmbiguous, row.bAmbiguous) << row.nKey;
    }
    // First letters are a fallback.
    m_pBar->GetControl(0)->SetCaption(L"Alpha");
    m_pBar->GetControl(4)->SetCaption(L"Another");
    BOOL bAmbiguous = FALSE;
    m_pBar->SetSelected(-1);
    EXPECT_EQ(m_pBar->FindMnemonicControl('A', &bAmbiguous), 0);
    EXPECT_TRUE(bAmbiguous);
}

TEST_F(BarBaseFixture, UpAndDownWalkTheRowsOfAFloatingBar) {
    SetBarKind(m_pBar, kBarTypeNormal, kBarFloating);
    // Row one at top 0: x = 0, 30, 60, 90; row two at top 22: x = 0, 50, 100.
    const int nLefts[] = {0, 30, 60, 90, 0, 50, 100};
    for (int i = 0; i < 7; ++i) {
        const int nTop = i < 4 ? 0 : 22;
        CTkControl* pControl = AddButton(i + 1, L"x", CRect(nLefts[i], nTop, nLefts[i] + 25, nTop + 22));
        pControl->SetRowRect(CRect(nLefts[i], nTop, nLefts[i] + 25, nTop + 22));
    }
    struct Row {
        int nFrom;
        int nCode;
        int nTo;
    };
    const Row rows[] = {
        {2, kNavigateDown, 5},  // the last of the next row at or before x = 60
        {0, kNavigateDown, 4},  {3, kNavigateDown, 5},
        {5, kNavigateUp, 2},                            // the first of the previous row at or after x = 50
        {6, kNavigateUp, 3},                            // none at or after 100: the row's last
        {4, kNavigateUp, 0},    {5, kNavigateDown, 1},  // round to the first row
        {-1, kNavigateDown, 0}, {-1, kNavigateUp, 6},
    };
    for (const Row& row : rows) {
        m_pBar->SetSelected(row.nFrom, kSelectForward);
        EXPECT_TRUE(m_pBar->NavigateByCode(row.nCode));
        EXPECT_EQ(m_pBar->GetSelectedIndex(), row.nTo) << row.nFrom << " " << row.nCode;
    }
}

TEST_F(BarBaseFixture, AQuitDuringTheTrackingLoopEndsItAndReachesTheOuterLoop) {
    m_pBar->SetTrackingMode(kTrackingMenu, FALSE, TRUE);
    std::function<void()> quit = [] { ::PostQuitMessage(9); };
    RunLater(m_pSite, 20, quit);
    m_pBar->PumpMessagesWhileTracking();
    EXPECT_EQ(m_pBar->GetTrackingMode(), kTrackingNone);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);

    // Tracking that ends inside the loop ends the loop.
    m_pBar->SetTrackingMode(kTrackingMenu, FALSE, TRUE);
    std::function<void()> end = [this] { m_pBar->EndTracking(); };
    RunLater(m_pSite, 20, end);
    m_pBar->PumpMessagesWhileTracking();
    EXPECT_EQ(m_pBar->GetTrackingMode(), kTrackingNone);
}

// oleacc, the system's own accessibility client, reads the bar.
TEST_F(BarBaseFixture, AccessibilityClientsSeeTheBarAndItsItems) {
    CScopedComInit com;
    HMODULE hOleAcc = ::LoadLibraryW(L"oleacc.dll");
    ASSERT_NE(hOleAcc, nullptr);
    auto pfnFromWindow = reinterpret_cast<HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**)>(
        ::GetProcAddress(hOleAcc, "AccessibleObjectFromWindow"));
    ASSERT_NE(pfnFromWindow, nullptr);
    SetBarKind(m_pBar, kBarTypeMenuBar, kBarTop);
    m_pBar->SetTitle(L"Menu Bar");
    CTkControl* pOpen = AddButton(1, L"&Open");
    pOpen->SetShortcutText(L"Ctrl+O");
    AddButton(2, L"Save");
    m_pBar->SetSelected(0, kSelectForward);

    IAccessible* pAccessible = nullptr;
    ASSERT_EQ(pfnFromWindow(m_pBar->GetSafeHwnd(), static_cast<DWORD>(OBJID_MENU), IID_IAccessible,
                            reinterpret_cast<void**>(&pAccessible)),
              S_OK);
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT first = self;
    first.lVal = 1;
    VARIANT role;
    ASSERT_EQ(pAccessible->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_MENUBAR);
    ASSERT_EQ(pAccessible->get_accRole(first, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_MENUITEM);
    long nChildren = 0;
    EXPECT_EQ(pAccessible->get_accChildCount(&nChildren), S_OK);
    EXPECT_EQ(nChildren, 2);
    BSTR name = nullptr;
    ASSERT_EQ(pAccessible->get_accName(self, &name), S_OK);
    EXPECT_STREQ(name, L"Menu Bar");
    ::SysFreeString(name);
    ASSERT_EQ(pAccessible->get_accName(first, &name), S_OK);
    EXPECT_STREQ(name, L"Open\tCtrl+O");
    ::SysFreeString(name);
    VARIANT state;
    ASSERT_EQ(pAccessible->get_accState(first, &state), S_OK);
    EXPECT_EQ(state.lVal, 0x300086);
    VARIANT second = self;
    second.lVal = 2;
    ASSERT_EQ(pAccessible->get_accState(second, &state), S_OK);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE);
    pAccessible->Release();

    // A positive object id names the control with that command id.
    ASSERT_EQ(pfnFromWindow(m_pBar->GetSafeHwnd(), 2, IID_IAccessible, reinterpret_cast<void**>(&pAccessible)), S_OK);
    ASSERT_EQ(pAccessible->get_accName(self, &name), S_OK);
    EXPECT_STREQ(name, L"Save");
    ::SysFreeString(name);
    pAccessible->Release();
    ::FreeLibrary(hOleAcc);
}

}  // namespace
