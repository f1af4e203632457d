// The scrollable part of the ribbon and its popups: arrow navigation by position, the scroll buttons and
// their press loop, the scroll step, and where a tab popup stands on its monitor.

#include "DibPixels.h"
#include "MouseInput.h"
#include "RibbonHost.h"
#include "TkCommandBars.h"
#include "TkCommandBarsDefs.h"
#include "TkControl.h"
#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkRibbonBar.h"
#include "TkRibbonGroup.h"
#include "TkRibbonGroups.h"
#include "TkRibbonPopupToolBars.h"
#include "TkRibbonScrollableBar.h"
#include "TkRibbonTab.h"
#include "MultiMonitorHelper.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A grid of controls as a group lays them out: a large button, a column of three small ones and a column
// of two, far from the ribbon's own controls, which its layout places.
const CPoint kOrigin(3000, 3000);
const CRect kGrid[] = {
    CRect(0, 0, 40, 66) + kOrigin,  // the large button
    CRect(44, 0, 100, 22) + kOrigin,  CRect(44, 22, 100, 44) + kOrigin,  CRect(44, 44, 100, 66) + kOrigin,  // b1..b3
    CRect(104, 0, 150, 22) + kOrigin, CRect(104, 22, 150, 44) + kOrigin,                                    // c1, c2
};

TEST(RibbonNavigation, ArrowsGoToTheNearestControlAndOnlyLeftAndRightWrap) {
    std::vector<RibbonNavigationCandidate> all;
    for (int i = 0; i < 6; ++i)
        all.push_back({i, kGrid[i]});
    struct Row {
        int nFrom;
        int nCode;
        int nTo;  // -1: nothing
    };
    const Row rows[] = {
        {2, kNavigateNextHorizontal, 5},      // b2 -> c2 beside it
        {1, kNavigateNextHorizontal, 4},      // b1 -> c1: c2 only touches b1's bottom edge
        {5, kNavigateNextHorizontal, 0},      // c2 is the last: round to the large button
        {0, kNavigateNextHorizontal, 2},      // three beside at the same left: the nearest centre, b2
        {1, kNavigatePreviousHorizontal, 0},  // b1 -> the large button
        {0, kNavigatePreviousHorizontal, 5},  // round to the far right, the nearest centre of c1 and c2
        {1, kNavigateDown, 2},                // b1 -> b2
        {3, kNavigateDown, -1},               // b3 is the lowest: down does not wrap
        {3, kNavigateUp, 2},
        {4, kNavigateUp, -1},
    };
    for (const Row& row : rows) {
        std::vector<RibbonNavigationCandidate> others;
        for (const RibbonNavigationCandidate& c : all) {
            if (c.nIndex != row.nFrom)
                others.push_back(c);
        }
        EXPECT_EQ(FindRibbonNavigationTarget(kGrid[row.nFrom], others, row.nCode), row.nTo)
            << "from " << row.nFrom << " code " << row.nCode;
    }
}

// The ribbon's own controls on the grid: the arrows select by keyboard in the direction's state, an arrow
// at an edge still counts as handled, and controls the keys skip are no candidates.
TEST(RibbonNavigation, TheBarSelectsTheTargetAndHandlesEveryArrow) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    std::vector<CTkControl*> grid;
    for (int i = 0; i < 6; ++i) {
        CTkControl* pControl = pRibbon->GetControls()->Add(kControlButton, 500 + i);
        pControl->SetRect(kGrid[i]);
        grid.push_back(pControl);
    }
    // A control the bar hid for its own layout still counts; one hidden otherwise does not.
    grid[5]->SetHideFlags(kHideByBar);
    pRibbon->SetSelected(grid[2]->GetIndex(), kSelectForward);
    EXPECT_TRUE(pRibbon->NavigateByPosition(kNavigateNextHorizontal));
    EXPECT_EQ(pRibbon->GetSelectedIndex(), grid[5]->GetIndex());
    EXPECT_EQ(grid[5]->GetSelected(), kSelectForward);

    grid[5]->SetHideFlags(kHideGeneric);
    pRibbon->SetSelected(grid[2]->GetIndex(), kSelectForward);
    EXPECT_TRUE(pRibbon->NavigateByPosition(kNavigateNextHorizontal));
    EXPECT_EQ(pRibbon->GetSelectedIndex(), grid[0]->GetIndex()) << "round to the large button";

    EXPECT_TRUE(pRibbon->NavigateByPosition(kNavigatePreviousHorizontal));
    EXPECT_EQ(pRibbon->GetSelectedIndex(), grid[4]->GetIndex()) << "c2 hidden: round to c1";
    EXPECT_EQ(grid[4]->GetSelected(), kSelectBackward);

    pRibbon->SetSelected(grid[3]->GetIndex(), kSelectForward);
    EXPECT_TRUE(pRibbon->NavigateByPosition(kNavigateDown)) << "handled at the bottom edge";
    EXPECT_EQ(pRibbon->GetSelectedIndex(), grid[3]->GetIndex());

    pRibbon->SetSelected(-1);
    EXPECT_FALSE(pRibbon->NavigateByPosition(kNavigateDown)) << "nothing selected";
}

// A tab popup of the test, whose anchor the test sets.
class CTestTabPopup : public CTkRibbonTabPopupToolBar {
public:
    using CTkRibbonTabPopupToolBar::CTkRibbonTabPopupToolBar;
    void SetAnchor(CPoint pt, const CRect& rcExclude) {
        m_ptAnchor = pt;
        m_rcExclude = rcExclude;
    }
};

TEST(RibbonScroll, TheButtonsStandAtTheStripEndsAndTheTabPopupKeepsToItsWorkArea) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkRibbonTab* pTab = pRibbon->AddTab(L"Home");
    auto* pPopup = new CTestTabPopup(pTab);
    const CSize size = pPopup->CalcDynamicSize(0, 0);
    CRect rcRibbon;
    pRibbon->GetWindowRect(&rcRibbon);
    EXPECT_EQ(size.cx, rcRibbon.Width()) << "the ribbon's width where it fits";
    EXPECT_EQ(pPopup->GetGroupsRect(), CRect(CPoint(0, 0), size));

    pPopup->ShowScrollButtons(TRUE, TRUE);
    const int h = size.cy;
    EXPECT_EQ(pPopup->GetScrollButtonLeft()->GetRect(), CRect(-1, 0, 12, h));
    EXPECT_EQ(pPopup->GetScrollButtonRight()->GetRect(), CRect(size.cx - 12, 0, size.cx + 1, h));
    EXPECT_TRUE(pPopup->GetScrollButtonLeft()->IsVisible());
    pPopup->ShowScrollButtons(FALSE, TRUE);
    EXPECT_FALSE(pPopup->GetScrollButtonLeft()->IsVisible());
    EXPECT_EQ(pPopup->GetScrollButtonLeft()->GetHideFlags(), static_cast<DWORD>(kHideByBar));
    EXPECT_TRUE(pPopup->GetScrollButtonRight()->IsVisible());

    // Below the anchor while it fits the work area, above the tab strip where it would pass the bottom.
    CRect rcTab = pTab->GetRect();
    pRibbon->ClientToScreen(&rcTab);
    const CRect rcWork = GetMultiMonitorHelper()->GetWorkAreaOfRect(&rcTab);
    const CRect rcStrip(rcWork.left, rcWork.bottom - h - 30, rcWork.left + 100, rcWork.bottom - h);
    pPopup->SetAnchor(CPoint(rcStrip.left, rcStrip.bottom), rcStrip);
    pPopup->CalcDynamicSize(0, 0);
    EXPECT_EQ(pPopup->CalcPopupRect(CPoint(0, 0), size).top, rcStrip.bottom);
    pPopup->SetAnchor(CPoint(rcStrip.left, rcStrip.bottom + 1), rcStrip + CPoint(0, 1));
    pPopup->CalcDynamicSize(0, 0);
    EXPECT_EQ(pPopup->CalcPopupRect(CPoint(0, 0), size).top, rcStrip.top + 1 - h);

    // A ribbon past the right edge of the work area: 4 pixels short of that edge.
    host.Frame()->SetWindowPos(nullptr, rcWork.right - 300, 40, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    host.RecalcLayout();
    pRibbon->GetWindowRect(&rcRibbon);
    ASSERT_GT(rcRibbon.right, rcWork.right);
    const CRect rcPopup = pPopup->CalcPopupRect(CPoint(0, 0), pPopup->CalcDynamicSize(0, 0));
    EXPECT_EQ(rcPopup.left, rcRibbon.left);
    EXPECT_EQ(rcPopup.right, rcWork.right - 4);
    pPopup->InternalRelease();
}

TEST(RibbonScroll, AScrollStepsFortyPixelsAndNeverBackPastTheStart) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkRibbonTab* pTab = pRibbon->AddTab(L"Home");
    pRibbon->ScrollGroups(FALSE);
    EXPECT_EQ(pRibbon->GetScrollOffset(), 0) << "no tab selected: nothing";

    pTab->Select();
    ASSERT_EQ(pRibbon->GetSelectedTab(), pTab);
    // Groups that never shrink, far wider than a narrow strip: a layout keeps the offset it is asked for.
    CTkRibbonGroups* pGroups = pTab->GetGroups();
    for (int i = 0; i < 8; ++i) {
        CTkRibbonGroup* pGroup = pGroups->Add(L"A group with a long caption", 600 + i);
        pGroup->Add(kControlButton, 700 + i)->SetCaption(L"Button");
        pGroup->SetAllowedReductionSteps(0);
    }
    CScopedMemDC dc(16, 16);
    struct Row {
        int nFrom;
        BOOL bBack;
        int nRequested;
    };
    const Row rows[] = {{20, TRUE, 0}, {0, TRUE, 0}, {20, FALSE, 60}, {100, TRUE, 60}};
    for (const Row& row : rows) {
        pRibbon->SetScrollOffset(row.nFrom);
        pGroups->Layout(&dc, pRibbon, 200, CRect(4, 3, 6, 0));
        ASSERT_EQ(pGroups->GetScrollOffset(), row.nFrom);
        pRibbon->SetScrollOffset(-1);
        pRibbon->ScrollGroups(row.bBack);
        EXPECT_EQ(pRibbon->GetScrollOffset(), row.nRequested) << row.nFrom << (row.bBack ? " back" : " forward");
    }
}

// ---- The press loop, under real input: the button is held with SendInput.

// A tab popup that records when it is asked to scroll.
class CRecordingTabPopup : public CTkRibbonTabPopupToolBar {
public:
    using CTkRibbonTabPopupToolBar::CTkRibbonTabPopupToolBar;
    void ScrollGroups(BOOL bBack) override {
        m_ticks.push_back(::GetTickCount());
        m_bBack = bBack;
    }
    std::vector<DWORD> m_ticks;
    BOOL m_bBack = FALSE;
};

// What the thread timer of a held button does when it fires.
DWORD s_dwReleaseAt = 0;
BOOL s_bQuitInstead = FALSE;
void CALLBACK OnReleaseTimer(HWND, UINT, UINT_PTR nTimer, DWORD) {
    if (::GetTickCount() < s_dwReleaseAt)
        return;
    ::KillTimer(nullptr, nTimer);
    if (s_bQuitInstead)
        ::PostQuitMessage(7);
    else
        SendMouseInput(MOUSEEVENTF_LEFTUP);
}

TEST(RibbonScroll, AHeldButtonScrollsAtOnceThenAfterFourFifthsThenEveryTenthOfTheDoubleClickTime) {
    CRibbonHost host(CSize(800, 600), TRUE);
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    auto* pPopup = new CRecordingTabPopup(pRibbon->AddTab(L"Home"));
    ASSERT_TRUE(pPopup->CreatePopupWindow());
    pPopup->SetWindowPos(nullptr, 0, 0, 60, 60, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CTkControl* pButton = pPopup->GetScrollButtonLeft();

    // Not held: a click does nothing.
    pButton->HandleClick(FALSE, CPoint(0, 0));
    EXPECT_TRUE(pPopup->m_ticks.empty());

    auto press = [&] {
        SendMouseInput(0, CPoint(440, 500));  // the frame's empty client area
        SendMouseInput(MOUSEEVENTF_LEFTDOWN);
        return PumpUntil([] { return ::GetKeyState(VK_LBUTTON) < 0; }, 3000);
    };
    const UINT nDoubleClick = ::GetDoubleClickTime();
    ASSERT_TRUE(press());
    const DWORD dwStart = ::GetTickCount();
    s_dwReleaseAt = dwStart + nDoubleClick * 4 / 5 + nDoubleClick / 10 * 4 + nDoubleClick / 20;
    s_bQuitInstead = FALSE;
    ::SetTimer(nullptr, 0, 10, OnReleaseTimer);
    pButton->HandleClick(FALSE, CPoint(0, 0));

    const std::vector<DWORD>& ticks = pPopup->m_ticks;
    ASSERT_GE(ticks.size(), 4u);
    EXPECT_TRUE(pPopup->m_bBack);
    EXPECT_LT(ticks[0] - dwStart, 50u) << "at once";
    EXPECT_GE(ticks[1] - ticks[0], nDoubleClick * 4 / 5 - 20);
    EXPECT_LE(ticks[1] - ticks[0], nDoubleClick * 4 / 5 + 200);
    for (size_t i = 2; i < ticks.size(); ++i) {
        EXPECT_GE(ticks[i] - ticks[i - 1], nDoubleClick / 10 - 20) << i;
        EXPECT_LE(ticks[i] - ticks[i - 1], nDoubleClick / 10 + 100) << i;
    }
    EXPECT_LE(ticks.size(), 8u);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(pButton->GetPressed(), 0);

    // WM_QUIT ends the loop and is posted again for the thread's own loop.
    ASSERT_TRUE(press());
    s_dwReleaseAt = ::GetTickCount() + 100;
    s_bQuitInstead = TRUE;
    ::SetTimer(nullptr, 0, 10, OnReleaseTimer);
    pButton->HandleClick(FALSE, CPoint(0, 0));
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(::GetCapture(), nullptr);
    SendMouseInput(MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return ::GetKeyState(VK_LBUTTON) >= 0; }, 3000);
    pPopup->DestroyWindow();
    pPopup->InternalRelease();
}

}  // namespace
