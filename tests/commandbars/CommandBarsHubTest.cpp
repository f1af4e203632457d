// The hub: its bar list, the frame's messages, layout requests, keyboard cues, mnemonics and keyboard entry.

#include "BarFixtures.h"
#include "TkControlAction.h"
#include "TkCommandBarKeyboardTip.h"
#include "TkKeyboardManager.h"
#include "TkPaintManager.h"
#include "TkMouseManager.h"

#include <initializer_list>

namespace {

// A site with a help command: F1 asks it for the help of the highlighted control.
class CHelpSite : public CRecordingSite {
public:
    std::vector<LPARAM> m_helpRequests;  // WM_COMMANDHELP lParams

protected:
    afx_msg void OnHelp() {}
    afx_msg LRESULT OnCommandHelp(WPARAM, LPARAM lParam) {
        m_helpRequests.push_back(lParam);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpSite, CRecordingSite)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

class HubFixture : public BarFixture {
protected:
    // A bar of the hub with a hidden window.
    CTestBar* AddHubBar(int nType, UINT nBarId, BOOL bVisible = TRUE) {
        auto* pBar = new CTestBar;
        SetBarKind(pBar, nType, kBarTop);
        SetBarId(pBar, nBarId);
        pBar->SetVisible(bVisible);
        m_pCommandBars->AddBar(pBar);
        CreateBarWindow(pBar, m_pSite);
        return pBar;
    }
    CTkControl* AddButton(CTkCommandBar* pBar, int nId, LPCWSTR pszCaption, BOOL bEnabled = TRUE) {
        CTkControl* pControl = pBar->GetControls()->Add(kControlButton, nId);
        pControl->SetCaption(pszCaption);
        pControl->SetEnabled(bEnabled);
        return pControl;
    }
    CTkCommandBarsOptions* Options() const { return m_pCommandBars->GetCommandBarsOptions(); }
};

TEST_F(HubFixture, FindNextVisibleBarWrapsOnceAndComesBackToItsStart) {
    EXPECT_EQ(m_pCommandBars->FindNextVisibleBar(0, 1), -1);  // no bars
    struct Row {
        std::initializer_list<BOOL> visible;
        int nStart;
        int nStep;
        int nExpected;
    };
    const Row rows[] = {
        {{TRUE, FALSE, TRUE, FALSE}, 0, 1, 2},
        {{TRUE, FALSE, TRUE, FALSE}, 2, 1, 0},   // wraps at the end
        {{TRUE, FALSE, TRUE, FALSE}, 0, -1, 2},  // wraps at the start
        {{TRUE, FALSE, TRUE, FALSE}, -1, 1, 0},
        {{TRUE, FALSE, TRUE, FALSE}, -1, -1, 2},  // from before the first, backwards: the last bar first
        {{FALSE, FALSE, FALSE, TRUE}, -1, 1, 3},
        {{FALSE, FALSE, FALSE, FALSE}, -1, 1, -1},  // from the edge there is no wrap
        {{FALSE, FALSE, FALSE, FALSE}, -1, -1, -1},
        {{FALSE, FALSE, FALSE, FALSE}, 1, 1, 1},  // round to the start: the start itself
        {{FALSE, TRUE, FALSE, FALSE}, 1, -1, 1},
    };
    for (const Row& row : rows) {
        m_pCommandBars->RemoveAllBars();
        for (BOOL bVisible : row.visible)
            AddHubBar(kBarTypeNormal, 0, bVisible);
        EXPECT_EQ(m_pCommandBars->FindNextVisibleBar(row.nStart, row.nStep), row.nExpected)
            << row.nStart << " " << row.nStep;
    }
}

TEST_F(HubFixture, FrameMessagesCloseTheMenusExceptTheMenuKeyItself) {
    struct Row {
        UINT nMessage;
        WPARAM wParam;
        BOOL bCustomize;
        BOOL bStillTracking;
    };
    const Row rows[] = {
        {WM_SYSCOMMAND, SC_KEYMENU, FALSE, TRUE}, {WM_SYSCOMMAND, SC_KEYMENU | 0x3, FALSE, TRUE},
        {WM_SYSCOMMAND, 0x10000, FALSE, TRUE},  // a high word alone is no command
        {WM_SYSCOMMAND, SC_MOVE, TRUE, TRUE},   // customisation keeps its menus
        {WM_SYSCOMMAND, SC_MOVE, FALSE, FALSE},   {WM_ACTIVATEAPP, TRUE, FALSE, TRUE},
        {WM_ACTIVATEAPP, FALSE, FALSE, FALSE},
    };
    for (const Row& row : rows) {
        m_pBar->SetTrackingMode(kTrackingMenu, FALSE, TRUE);
        m_pCommandBars->SetCustomizeMode(row.bCustomize);
        LRESULT lResult = 0;
        EXPECT_FALSE(m_pCommandBars->OnFrameMessage(row.nMessage, row.wParam, 0, &lResult));
        EXPECT_EQ(m_pBar->GetTrackingMode() != kTrackingNone, row.bStillTracking) << row.nMessage << " " << row.wParam;
        m_pCommandBars->SetCustomizeMode(FALSE);
        m_pBar->EndTracking();
    }
}

TEST_F(HubFixture, HelpOnAHighlightedControlGoesToTheSiteOnlyWithAHelpHandler) {
    LRESULT lResult = 0;
    m_pCommandBars->SetHighlightedHelpId(42);
    EXPECT_FALSE(m_pCommandBars->OnFrameMessage(WM_COMMAND, ID_HELP, 0, &lResult));  // the site has no ID_HELP

    auto* pHelpSite = new CHelpSite;
    ASSERT_TRUE(pHelpSite->CreateHidden());
    m_pCommandBars->AttachToSite(pHelpSite);
    EXPECT_TRUE(m_pCommandBars->OnFrameMessage(WM_COMMAND, ID_HELP, 0, &lResult));
    EXPECT_EQ(pHelpSite->m_helpRequests, std::vector<LPARAM>{0x10000 + 42});
    m_pCommandBars->SetHighlightedHelpId(0);
    EXPECT_FALSE(m_pCommandBars->OnFrameMessage(WM_COMMAND, ID_HELP, 0, &lResult));
    EXPECT_EQ(pHelpSite->m_helpRequests.size(), 1u);

    // The help id a highlight leaves: the control's own, else its action's help id, else the action's id,
    // else the control's id.
    m_pCommandBars->AttachToSite(m_pSite);
    m_pCommandBars->EnableActions();
    CTkControl* pOwn = Add(kControlButton, 501);
    pOwn->SetHelpId(77);
    CTkControl* pByAction = Add(kControlButton, 502);
    m_pCommandBars->GetOrCreateAction(502)->SetHelpId(88);
    CTkControl* pByActionId = Add(kControlButton, 503);
    m_pCommandBars->EnableActions(FALSE);
    CTkControl* pById = Add(kControlButton, 504);
    const std::pair<CTkControl*, int> rows[] = {{pOwn, 77}, {pByAction, 88}, {pByActionId, 503}, {pById, 504}};
    for (const auto& [pControl, nHelpId] : rows) {
        m_pBar->SetSelected(pControl->GetIndex(), kSelectForward);
        EXPECT_EQ(m_pCommandBars->GetHighlightedHelpId(), nHelpId);
    }
    m_pBar->SetSelected(-1);
    EXPECT_EQ(m_pCommandBars->GetHighlightedHelpId(), 0);
    pHelpSite->DestroyWindow();
}

TEST_F(HubFixture, ADelayedFrameLayoutOnlyMarksTheFrameUntilFlushed) {
    m_pSite->m_nIdleFlags = 0;
    m_pCommandBars->RecalcFrameLayout(TRUE);
    EXPECT_EQ(m_pSite->m_nIdleFlags, static_cast<UINT>(idleLayout));
    m_pCommandBars->FlushDelayedFrameLayout();
    EXPECT_EQ(m_pSite->m_nIdleFlags, 0u);
}

TEST_F(HubFixture, ASiteThatRoutesTheCustomizeCommandAllowsCustomization) {
    EXPECT_TRUE(m_pCommandBars->IsCustomizationAllowed());  // the recording site handles every command
    auto* pPlain = new CFrameWnd;
    ASSERT_TRUE(pPlain->CreateEx(WS_EX_LAYOUTRTL, AfxRegisterWndClass(0), L"plain", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                 nullptr, nullptr));
    auto* pCommandBars = new CTkCommandBars;
    pCommandBars->AttachToSite(pPlain);
    EXPECT_FALSE(pCommandBars->IsCustomizationAllowed());
    EXPECT_TRUE(pCommandBars->IsLayoutRTL());
    pCommandBars->InternalRelease();
    pPlain->DestroyWindow();
}

TEST_F(HubFixture, KeyboardCuesFollowTheShowOption) {
    Options()->SetKeyboardCuesShow(kCuesShowNever);
    EXPECT_FALSE(m_pCommandBars->IsKeyboardCuesVisible());
    m_pCommandBars->ShowKeyboardCues(TRUE);  // cues that are off do not come with Alt
    EXPECT_FALSE(m_pCommandBars->IsKeyboardCuesVisible());
    EXPECT_FALSE(m_pBar->IsKeyboardCuesVisible());
    Options()->SetKeyboardCuesShow(kCuesShowAlways);
    EXPECT_TRUE(m_pCommandBars->IsKeyboardCuesVisible());

    BOOL bSystemCues = TRUE;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0));
    Options()->SetKeyboardCuesShow(kCuesShowSystem);
    EXPECT_EQ(m_pCommandBars->IsKeyboardCuesVisible(), bSystemCues);
    if (!bSystemCues) {
        // Hidden until Alt: Alt shows them, and they go again.
        m_pCommandBars->ShowKeyboardCues(TRUE);
        EXPECT_TRUE(m_pCommandBars->IsKeyboardCuesVisible());
        m_pCommandBars->ShowKeyboardCues(FALSE);
        EXPECT_FALSE(m_pCommandBars->IsKeyboardCuesVisible());
    }
}

TEST_F(HubFixture, HiddenCommandsStayHiddenUntilUsed) {
    Options()->m_mapHiddenCommands.SetAt(10, TRUE);
    Options()->m_mapHiddenCommands.SetAt(11, TRUE);
    EXPECT_TRUE(m_pCommandBars->IsCommandHidden(10));
    m_pCommandBars->MarkCommandUsed(10);
    m_pCommandBars->MarkCommandUsed(12);  // not hidden: not recorded
    EXPECT_FALSE(m_pCommandBars->IsCommandHidden(10));
    EXPECT_TRUE(Options()->m_bDirty);
    BOOL bValue = FALSE;
    EXPECT_FALSE(Options()->m_mapUsedCommands.Lookup(12, bValue));

    // A popup whose controls are all hidden is hidden too, unless the option is off.
    CTkControlPopup* pPopup = AddPopup(kControlPopup, 0);
    CTkCommandBar* pSubBar = pPopup->GetCommandBar();
    pSubBar->GetControls()->Add(kControlButton, 11);
    EXPECT_TRUE(m_pCommandBars->IsControlHidden(pPopup));
    Options()->m_bAutoHideUnusedPopups = FALSE;
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(pPopup));
    Options()->m_bAutoHideUnusedPopups = TRUE;
    pSubBar->GetControls()->Add(kControlButton, 13);
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(pPopup));
}

TEST_F(HubFixture, MnemonicsAreExplicitFirstOrFirstLettersOnTheMenuBar) {
    CTestBar* pMenuBar = AddHubBar(kBarTypeMenuBar, 1);
    AddButton(pMenuBar, 101, L"&File");
    AddButton(pMenuBar, 102, L"&Edit");
    AddButton(pMenuBar, 103, L"View");
    AddButton(pMenuBar, 104, L"E&xit");
    AddButton(pMenuBar, 105, L"&Disabled", FALSE);
    AddButton(pMenuBar, 106, L"E&nd");
    AddButton(pMenuBar, 107, L"&Echo");
    CTestBar* pToolBar = AddHubBar(kBarTypeNormal, 2);
    AddButton(pToolBar, 201, L"Save");
    AddButton(pToolBar, 202, L"&Print");
    AddButton(pToolBar, 203, L"Font");

    struct Row {
        int nCuesUse;
        BOOL bToolBarTracks;
        UINT nKey;
        int nExpectedId;  // 0: none
        BOOL bAmbiguous;
    };
    const Row rows[] = {
        {kCuesUseAllBars, FALSE, 'F', 101, FALSE},  // explicit "&File" before the toolbar's first letter
        {kCuesUseAllBars, FALSE, 'V', 103, FALSE},  // a first letter on the menu bar
        {kCuesUseAllBars, FALSE, 'E', 102, TRUE},   // "&Edit" and "&Echo"
        {kCuesUseAllBars, FALSE, 'X', 104, FALSE},
        {kCuesUseAllBars, FALSE, 'D', 0, FALSE},    // disabled
        {kCuesUseAllBars, FALSE, 'P', 202, FALSE},  // the search goes on into the toolbar
        {kCuesUseAllBars, FALSE, 'S', 0, FALSE},    // a toolbar's first letter only while it tracks
        {kCuesUseAllBars, TRUE, 'S', 201, FALSE},
        {0, FALSE, 'P', 0, FALSE},
        {kCuesUseAllBars | kCuesUseNoFirstLetter, FALSE, 'V', 0, FALSE},
        {kCuesUseAllBars, FALSE, VK_NUMPAD1, 0, FALSE},
    };
    for (const Row& row : rows) {
        Options()->m_nKeyboardCuesUse = row.nCuesUse;
        if (row.bToolBarTracks)
            pToolBar->SetTrackingMode(kTrackingMenu, FALSE, TRUE);
        BOOL bAmbiguous = FALSE;
        CTkControl* pFound = m_pCommandBars->FindControlByMnemonic(pMenuBar, row.nKey, &bAmbiguous);
        EXPECT_EQ(pFound != nullptr ? pFound->GetId() : 0, row.nExpectedId) << row.nKey << " " << row.nCuesUse;
        EXPECT_EQ(bAmbiguous, row.bAmbiguous) << row.nKey;
        pToolBar->EndTracking();
    }
}

TEST_F(HubFixture, AltAndAKeyActivateOnlyAnUnambiguousMnemonic) {
    CTestBar* pMenuBar = AddHubBar(kBarTypeMenuBar, 1);
    CTkControlPopup* pFile = static_cast<CTkControlPopup*>(pMenuBar->GetControls()->Add(kControlPopup, 0));
    pFile->SetCaption(L"&File");
    CreateBarWindow(pFile->GetCommandBar(), m_pSite);
    AddButton(pMenuBar, 102, L"&Edit");
    AddButton(pMenuBar, 103, L"&Echo");
    AddButton(pMenuBar, 104, L"&5 Five");

    // An unambiguous popup opens by keyboard.
    EXPECT_TRUE(m_pCommandBars->ActivateByMnemonic('F'));
    EXPECT_EQ(pMenuBar->GetTrackingMode(), kTrackingPopup);
    EXPECT_EQ(pMenuBar->GetPopupedIndex(), pFile->GetIndex());
    EXPECT_EQ(pFile->GetSelected(), 2);
    m_pCommandBars->ClosePopups();

    // A shared mnemonic only selects.
    EXPECT_TRUE(m_pCommandBars->ActivateByMnemonic('E'));
    EXPECT_EQ(pMenuBar->GetTrackingMode(), kTrackingMenu);
    EXPECT_EQ(pMenuBar->GetSelectedIndex(), 1);
    EXPECT_TRUE(m_pSite->m_commands.empty());
    m_pCommandBars->ClosePopups();

    EXPECT_FALSE(m_pCommandBars->ActivateByMnemonic('Q'));
    EXPECT_FALSE(m_pCommandBars->ActivateByMnemonic(VK_NUMPAD5));  // keypad mnemonics are off by default
    Options()->m_bNumpadMnemonics = TRUE;
    EXPECT_TRUE(m_pCommandBars->ActivateByMnemonic(VK_NUMPAD5));
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{104});
    Options()->m_nKeyboardCuesUse = kCuesUseMnemonicsOff;
    EXPECT_FALSE(m_pCommandBars->ActivateByMnemonic('F'));
    Options()->m_nKeyboardCuesUse = kCuesUseAllBars;

    // Without a visible menu bar the first visible bar takes mnemonics (when all bars do).
    pMenuBar->SetVisible(FALSE);
    CTestBar* pToolBar = AddHubBar(kBarTypeNormal, 2);
    AddButton(pToolBar, 201, L"&Save");
    EXPECT_TRUE(m_pCommandBars->ActivateByMnemonic('S'));
    EXPECT_EQ(m_pSite->m_commands, (std::vector<UINT>{104, 201}));
    m_pCommandBars->ClosePopups();
}

TEST_F(HubFixture, KeyboardEntryTracksTheNextVisibleBarWithItsFirstControlSelected) {
    CTestBar* pFirst = AddHubBar(kBarTypeNormal, 1);
    AddButton(pFirst, 1, L"A");
    AddHubBar(kBarTypeNormal, 2, FALSE);
    CTestBar* pThird = AddHubBar(kBarTypeNormal, 3);
    CTkControl* pNoKeys = AddButton(pThird, 2, L"B");
    pNoKeys->SetFlags(kControlFlagNoKeyboard);
    CTkControl* pFirstNavigable = AddButton(pThird, 3, L"C");

    EXPECT_TRUE(m_pCommandBars->ActivateBar(pFirst, 1));
    EXPECT_EQ(pThird->GetTrackingMode(), kTrackingMenu);
    EXPECT_EQ(pThird->GetSelectedIndex(), pFirstNavigable->GetIndex());
    EXPECT_EQ(pFirstNavigable->GetSelected(), 2);
    EXPECT_TRUE(CreateKeyboardManager()->HasSinks());
    // Entering another bar ends the first one's tracking.
    EXPECT_TRUE(m_pCommandBars->ActivateBar(pThird, 1));
    EXPECT_EQ(pThird->GetTrackingMode(), kTrackingNone);
    EXPECT_EQ(pFirst->GetTrackingMode(), kTrackingMenu);
    m_pCommandBars->ClosePopups();
    EXPECT_FALSE(CreateKeyboardManager()->HasSinks());
    EXPECT_EQ(CreateMouseManager()->GetTrackedCount(), 0);

    // A single visible bar has no next one.
    m_pCommandBars->RemoveToolBar(pThird);
    EXPECT_FALSE(m_pCommandBars->ActivateBar(pFirst, 1));
}

}  // namespace

namespace {

TEST_F(HubFixture, KeyboardTipsShowUniqueKeysThatTypingNarrowsAndChooses) {
    CTestBar* pBar = AddHubBar(kBarTypeMenuBar, 1);
    pBar->SetWindowPos(nullptr, 0, 0, 300, 24, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    AddButton(pBar, 101, L"File")->SetRect(CRect(0, 0, 40, 22));
    AddButton(pBar, 102, L"Format Text")->SetRect(CRect(40, 0, 120, 22));
    AddButton(pBar, 103, L"Dim", FALSE)->SetRect(CRect(120, 0, 160, 22));
    CTkControl* pExplicit = AddButton(pBar, 104, L"Window");
    pExplicit->SetRect(CRect(160, 0, 220, 22));
    pExplicit->SetKeyboardTip(L"Q");

    // Off by default.
    m_pCommandBars->ShowKeyboardTips(pBar, 1);
    EXPECT_TRUE(m_pCommandBars->GetKeyboardTips().empty());

    Options()->m_bKeyboardTips = TRUE;
    m_pCommandBars->ActivateBar(pBar, 0);
    m_pCommandBars->ShowKeyboardTips(pBar, 1);
    EXPECT_EQ(pBar->GetActiveKeyboardTipLevel(), 1);
    const auto& tips = m_pCommandBars->GetKeyboardTips();
    ASSERT_EQ(tips.size(), 4u);
    const LPCWSTR keys[] = {L"FI", L"FT", L"D", L"Q"};
    for (size_t i = 0; i < tips.size(); ++i) {
        EXPECT_EQ(tips[i]->GetKeys(), keys[i]);
        ASSERT_NE(tips[i]->GetSafeHwnd(), nullptr);
        EXPECT_TRUE(tips[i]->IsWindowVisible());
        CString strText;
        tips[i]->GetWindowText(strText);
        EXPECT_EQ(strText, keys[i]);
    }
    // The tip of a disabled control is see-through where the system can do it.
    BYTE nAlpha = 0;
    DWORD dwFlags = 0;
    if (m_pCommandBars->GetPaintManager()->m_pfnSetLayeredWindowAttributes != nullptr) {
        ASSERT_TRUE(::GetLayeredWindowAttributes(tips[2]->GetSafeHwnd(), nullptr, &nAlpha, &dwFlags));
        EXPECT_EQ(nAlpha, 150);
    }
    // The tips stand below the left of their controls, in screen coordinates.
    CRect rcTip;
    tips[0]->GetWindowRect(&rcTip);
    CPoint ptExpected(12, 11);
    pBar->ClientToScreen(&ptExpected);
    EXPECT_EQ(rcTip.TopLeft(), ptExpected);

    // Typing a disabled tip's key only beeps.
    pBar->OnTrackingKeyDown('D', 0);
    EXPECT_TRUE(m_pSite->m_commands.empty());
    // F narrows to the F tips; T chooses one.
    pBar->OnTrackingKeyDown('F', 0);
    ASSERT_EQ(m_pCommandBars->GetKeyboardTips().size(), 2u);
    pBar->OnTrackingKeyDown('T', 0);
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{102});
    EXPECT_TRUE(m_pCommandBars->GetKeyboardTips().empty());
    EXPECT_EQ(pBar->GetActiveKeyboardTipLevel(), 0);
}

}  // namespace
