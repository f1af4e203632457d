#include "BarFixtures.h"
#include "TkControlButton.h"
#include "WaitUntil.h"

#include <functional>
#include <vector>

namespace {

void Post(CWnd* pWnd, UINT nMessage, int x, int y) {
    ::PostMessageW(pWnd->GetSafeHwnd(), nMessage, 0, MAKELPARAM(x, y));
}

class ButtonFixture : public BarFixture {
protected:
    void SetUp() override {
        BarFixture::SetUp();
        m_pButton = static_cast<CTkControlButton*>(Add(kControlButton, 1002));
        m_pButton->SetRect(CRect(0, 0, 30, 22));
    }
    // Drops what a loop left in the queue (a re-posted WM_QUIT included).
    static void DrainQueue() {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    CTkControlButton* m_pButton = nullptr;
};

TEST_F(ButtonFixture, AReleaseExecutesWhenUnmovedOrInside) {
    struct Row {
        LPCSTR pszCase;
        std::vector<CPoint> moves;
        CPoint ptUp;
        BOOL bExecutes;
    };
    const Row rows[] = {
        {"released inside", {}, CPoint(5, 5), TRUE},
        {"released outside without a move", {}, CPoint(50, 5), TRUE},
        {"moved out and released outside", {CPoint(50, 5)}, CPoint(50, 5), FALSE},
        {"moved out and back in", {CPoint(50, 5), CPoint(6, 6)}, CPoint(6, 6), TRUE},
    };
    for (const Row& row : rows) {
        m_pSite->m_commands.clear();
        for (CPoint pt : row.moves)
            Post(m_pBar, WM_MOUSEMOVE, pt.x, pt.y);
        Post(m_pBar, WM_LBUTTONUP, row.ptUp.x, row.ptUp.y);
        m_pButton->HandleClick(FALSE, CPoint(5, 5));
        EXPECT_EQ(m_pSite->m_commands.size(), row.bExecutes ? 1u : 0u) << row.pszCase;
        EXPECT_EQ(::GetCapture(), nullptr) << row.pszCase;
        EXPECT_EQ(m_pButton->GetPressed(), 0) << row.pszCase;
        EXPECT_EQ(m_pButton->GetSelected(), 0) << row.pszCase;
    }
}

TEST_F(ButtonFixture, AHeldButtonRepeatsItsCommandButNotAtTheRelease) {
    m_pButton->SetExecuteOnPressInterval(100);
    // The button is released once it has repeated three times after the press, or after five seconds: a count,
    // not a time, so a loaded machine whose timers come late does not fail the case.
    const DWORD dwStart = ::GetTickCount();
    size_t nAtRelease = 0;
    DWORD dwHeld = 0;
    std::function<void()> release = [&] {
        if (m_pSite->m_commands.size() < 4 && ::GetTickCount() - dwStart < 5000) {
            RunLater(m_pSite, 20, release);
            return;
        }
        nAtRelease = m_pSite->m_commands.size();
        dwHeld = ::GetTickCount() - dwStart;
        Post(m_pBar, WM_LBUTTONUP, 5, 5);
    };
    RunLater(m_pSite, 20, release);
    m_pButton->HandleClick(FALSE, CPoint(5, 5));
    EXPECT_GE(nAtRelease, 4u) << "once at the press, then again while held";
    EXPECT_GE(dwHeld, 250u) << "the repeats keep their interval";
    EXPECT_EQ(m_pSite->m_commands.size(), nAtRelease) << "nothing more at the release";
    EXPECT_EQ(m_pButton->GetPressed(), 0);
}

TEST_F(ButtonFixture, TheLoopEndsOnALostCaptureALostBarOrAQuit) {
    std::function<void()> steal = [&] { m_pSite->SetCapture(); };
    RunLater(m_pSite, 30, steal);
    m_pButton->HandleClick(FALSE, CPoint(5, 5));
    EXPECT_TRUE(m_pSite->m_commands.empty());
    ::ReleaseCapture();

    ::PostQuitMessage(5);
    m_pButton->HandleClick(FALSE, CPoint(5, 5));
    EXPECT_TRUE(m_pSite->m_commands.empty());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_EQ(::GetCapture(), nullptr);

    // The control is taken off its bar while the loop runs: the loop ends, the control is still whole.
    m_pButton->InternalAddRef();
    std::function<void()> remove = [&] { Controls()->Remove(m_pButton); };
    RunLater(m_pSite, 30, remove);
    m_pButton->HandleClick(FALSE, CPoint(5, 5));
    EXPECT_EQ(m_pButton->GetParent(), nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
    m_pButton->InternalRelease();
    DrainQueue();
}

TEST_F(ButtonFixture, PressesInPopupBarsWaitForTheRelease) {
    CTkPopupBar* pPopupBar = MakePopupBar();
    CTkControl* pItem = pPopupBar->GetControls()->Add(kControlButton, 1003);
    pItem->HandleClick(FALSE, CPoint(1, 1));
    EXPECT_TRUE(m_pSite->m_commands.empty());
    pItem->HandleButtonUp(CPoint(1, 1));
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{1003});
    pItem->SetEnabled(0);
    pItem->HandleButtonUp(CPoint(1, 1));
    EXPECT_EQ(m_pSite->m_commands.size(), 1u);
    // By keyboard a toolbar button executes at once.
    m_pButton->HandleClick(TRUE, CPoint(0, 0));
    EXPECT_EQ(m_pSite->m_commands.size(), 2u);
    pPopupBar->InternalRelease();
}

TEST_F(BarFixture, APopupRefusesToOpenWithoutWhatItNeeds) {
    CTkControlPopup* pPopup = AddPopup(kControlPopup, 0);
    auto* pBare = new CTkControlPopup;
    Controls()->Append(pBare);
    CTkCommandBar windowless;
    auto* pNoWindow = new CTkControlPopup;
    pNoWindow->SetCommandBar(CTkPopupBar::CreatePopupBar(m_pCommandBars));
    pNoWindow->GetCommandBar()->InternalRelease();
    windowless.GetControls()->Append(pNoWindow);

    EXPECT_FALSE(pBare->SetPopupOpen(TRUE));
    EXPECT_FALSE(pNoWindow->SetPopupOpen(TRUE));
    pPopup->SetEnabled(4);  // a disabled drop-down part
    EXPECT_FALSE(pPopup->SetPopupOpen(TRUE));
    pPopup->SetEnabled(1);
    CTestPopupBar::s_bPopupSucceeds = FALSE;
    EXPECT_FALSE(pPopup->SetPopupOpen(TRUE));
    EXPECT_FALSE(pPopup->IsPopupOpen());
    CTestPopupBar::s_bPopupSucceeds = TRUE;
    BarLog().clear();
    EXPECT_TRUE(pPopup->SetPopupOpen(TRUE));
    EXPECT_TRUE(pPopup->IsPopupOpen());
    EXPECT_EQ(CountInBarLog("Popup 0"), 1);
    // A sub bar that already tracks is not popped again.
    EXPECT_TRUE(pPopup->SetPopupOpen(TRUE));
    EXPECT_EQ(CountInBarLog("Popup 0"), 1);
    EXPECT_TRUE(pPopup->SetPopupOpen(FALSE));
    EXPECT_FALSE(pPopup->IsPopupOpen());
    EXPECT_EQ(pPopup->GetCommandBar()->GetTrackingMode(), kTrackingNone);
}

TEST_F(BarFixture, KeysOpenPopupsAndExecuteWhatHasNoSubBar) {
    auto* pBare = new CTkControlPopup;
    Controls()->InitAddedControl(pBare, 1002, nullptr, -1, FALSE);
    pBare->ActivateByKey();
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{1002});

    CTkControlPopup* pPopup = AddPopup(kControlPopup, 0);
    pPopup->ActivateByKey();
    EXPECT_TRUE(pPopup->IsPopupOpen());
    m_pBar->EndTracking();

    // A split button executes by keyboard, unless its command part is disabled: then it opens.
    CTkControlPopup* pSplit = AddPopup(kControlSplitButtonPopup, 1003);
    pSplit->HandleClick(TRUE, CPoint(0, 0));
    EXPECT_EQ(m_pSite->m_commands.back(), 1003u);
    EXPECT_FALSE(pSplit->IsPopupOpen());
    pSplit->SetEnabled(5);
    pSplit->HandleClick(TRUE, CPoint(0, 0));
    EXPECT_TRUE(pSplit->IsPopupOpen());
    EXPECT_EQ(m_pSite->m_commands.size(), 2u);
}

TEST_F(BarFixture, ClicksAndHoverOnMenuBarItems) {
    SetBarKind(m_pBar, kBarTypeMenuBar, kBarTop);
    CTkControlPopup* pFile = AddPopup(kControlPopup, 0);
    pFile->SetRect(CRect(0, 0, 40, 20));
    CTkControlPopup* pEdit = AddPopup(kControlPopup, 0);
    pEdit->SetRect(CRect(40, 0, 80, 20));

    // A click opens the menu; a click on the open item closes it.
    pFile->HandleClick(FALSE, CPoint(5, 5));
    EXPECT_TRUE(pFile->IsPopupOpen());
    EXPECT_EQ(m_pBar->GetTrackingMode(), kTrackingPopup);
    pFile->HandleClick(FALSE, CPoint(5, 5));
    EXPECT_FALSE(pFile->IsPopupOpen());
    EXPECT_EQ(m_pBar->GetTrackingMode(), kTrackingNone);

    // While menus are open, selecting another item opens its menu; the hover opens it too.
    pFile->HandleClick(FALSE, CPoint(5, 5));
    m_pBar->SetSelected(pEdit->GetIndex());
    EXPECT_TRUE(pEdit->IsPopupOpen());
    EXPECT_FALSE(pFile->IsPopupOpen());
    m_pBar->PopupControl(-1);
    pFile->HandleHoverDelay();
    EXPECT_TRUE(pFile->IsPopupOpen());
    m_pBar->EndTracking();

    // A double click on an item whose menu has a default item executes that item.
    CTkControl* pDefault = pFile->GetCommandBar()->GetControls()->Add(kControlButton, 1004);
    pDefault->SetDefaultItem(TRUE);
    EXPECT_TRUE(pFile->HandleDoubleClick(CPoint(5, 5)));
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{1004});
}

TEST_F(BarFixture, PopupsRefuseDropsOnTheirOwnBarsAndKnowTheirRelatives) {
    CTkControlPopup* pOuter = AddPopup(kControlPopup, 0);
    auto* pSubBar = static_cast<CTkPopupBar*>(pOuter->GetCommandBar());
    auto* pInner = static_cast<CTkControlPopup*>(pSubBar->GetControls()->Add(kControlPopup, 0));
    auto* pInnerBar = static_cast<CTkPopupBar*>(pInner->GetCommandBar());
    pSubBar->SetControlPopup(pOuter);
    pInnerBar->SetControlPopup(pInner);
    int nEffect = -1;
    EXPECT_FALSE(pOuter->CanDropOnBar(pSubBar, CPoint(), nEffect));
    EXPECT_FALSE(pOuter->CanDropOnBar(pInnerBar, CPoint(), nEffect));
    EXPECT_TRUE(pOuter->CanDropOnBar(m_pBar, CPoint(), nEffect));
    EXPECT_TRUE(pInner->CanDropOnBar(pSubBar, CPoint(), nEffect));

    CTkControlPopup* pStranger = AddPopup(kControlPopup, 0);
    CTkControl* pSharing = Controls()->AddCopy(pInner);
    EXPECT_TRUE(pOuter->IsRelatedPopup(pInner));
    EXPECT_TRUE(pInner->IsRelatedPopup(static_cast<CTkControlPopup*>(pSharing)));
    EXPECT_FALSE(pOuter->IsRelatedPopup(pStranger));
}

}  // namespace
