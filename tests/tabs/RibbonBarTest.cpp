// The ribbon bar on its test host: made as the hub's menu bar with its own parts, its height and the
// places of its parts, keyboard tips, the wheel, Alt and mnemonics, the double click that minimises, and
// saving and loading.

#include "RibbonHost.h"
#include "TkControlTabWorkspace.h"
#include "TkCommandBarKeyboardTip.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkPaintManager.h"
#include "TkPropExchange.h"
#include "TkRibbonBar.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonControls.h"
#include "TkRibbonQuickAccess.h"
#include "TkRibbonSystemButton.h"
#include "TkRibbonTab.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPlace = kLayoutHorzDock | kLayoutCommit;

// The ribbon's layout at the length, as its dock bar asks for it.
CSize Layout(CTkRibbonBar* pRibbon, int nLength = 800) {
    return pRibbon->CalcLayout(nLength, kPlace);
}

// Three tabs "&Home", "&Insert", "&View", the first selected.
void AddTabs(CTkRibbonBar* pRibbon) {
    pRibbon->AddTab(L"&Home", 1);
    pRibbon->AddTab(L"&Insert", 2);
    pRibbon->AddTab(L"&View", 3);
    pRibbon->GetControlTab()->SelectItem(pRibbon->GetTab(0));
}

// n enabled buttons 5000.. in the quick-access list.
void AddQuickAccess(CTkRibbonBar* pRibbon, int nCount) {
    for (int i = 0; i < nCount; ++i) {
        CTkControl* pControl = pRibbon->GetQuickAccessControls()->Add(kControlButton, 5000 + i);
        pControl->SetCaption(L"Q");
        // The host handles no such command: left alone by the command update, it stays enabled.
        pControl->SetFlags(pControl->GetFlags() | kControlFlagNoUpdate);
    }
}

LPARAM PointParam(CPoint pt) {
    return MAKELPARAM(pt.x, pt.y);
}

// A press (or the second press of a double click) and its release. The release is posted before the
// press is sent: a press on a tab may run the tab row's click loop, which waits for the release in the
// queue; a release sent only after the press returned would never reach it.
void Click(CWnd* pWnd, CPoint pt, UINT nPress = WM_LBUTTONDOWN) {
    pWnd->PostMessage(WM_LBUTTONUP, 0, PointParam(pt));
    pWnd->SendMessage(nPress, MK_LBUTTON, PointParam(pt));
    MSG msg;
    while (::PeekMessageW(&msg, pWnd->GetSafeHwnd(), 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

// The controls the menu bar loaded from the host's menu ("&File", "&Help"): they share the tab row.
std::vector<CTkControl*> MenuControls(CTkRibbonBar* pRibbon) {
    std::vector<CTkControl*> controls;
    for (int i = 0; i < pRibbon->GetControlCount(); ++i) {
        CTkControl* pControl = pRibbon->GetControl(i);
        if (pControl->GetCaption() == L"&File" || pControl->GetCaption() == L"&Help")
            controls.push_back(pControl);
    }
    return controls;
}

TEST(RibbonBar, TheHostsMenuBarIsARibbonWithItsOwnParts) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    EXPECT_TRUE(pRibbon->IsRibbonBar());
    EXPECT_EQ(pRibbon->GetType(), kBarTypeRibbon);
    EXPECT_EQ(pRibbon->GetRibbonTheme(), host.Theme());
    EXPECT_EQ(pRibbon->GetPaintManager()->GetThemeNumber(), kThemeRibbon);
    EXPECT_NE(CTkPaintManager::GetCurrentPaintManager(), host.Theme());
    EXPECT_EQ(pRibbon->GetFlags(), 0x440u);
    EXPECT_FALSE(pRibbon->IsCustomizable());
    EXPECT_TRUE(pRibbon->GetControls()->IsKindOf(RUNTIME_CLASS(CTkRibbonControls)));

    // The scroll buttons first (forward, back), then 9603, 9611 and the tab strip, all temporary but the
    // scroll buttons.
    CTkControls* pControls = pRibbon->GetControls();
    ASSERT_GE(pControls->GetCount(), 5);
    EXPECT_EQ(pControls->GetAt(0), pRibbon->GetScrollButtonRight());
    EXPECT_EQ(pControls->GetAt(1), pRibbon->GetScrollButtonLeft());
    EXPECT_EQ(pControls->GetAt(2), pRibbon->GetControlQuickAccess());
    EXPECT_EQ(pControls->GetAt(2)->GetId(), kIdRibbonQuickAccessCustomize);
    EXPECT_EQ(pControls->GetAt(3), pRibbon->GetControlQuickAccessMore());
    EXPECT_EQ(pControls->GetAt(3)->GetId(), kIdRibbonQuickAccessMore);
    EXPECT_EQ(pControls->GetAt(4), pRibbon->GetControlTab());
    EXPECT_EQ(pControls->GetAt(4)->GetId(), kIdRibbonTabControl);
    for (int i = 2; i < 5; ++i)
        EXPECT_TRUE(pControls->GetAt(i)->IsTemporary()) << i;
    EXPECT_TRUE(pRibbon->GetScrollButtonLeft()->IsScrollLeft());
    EXPECT_FALSE(pRibbon->GetScrollButtonRight()->IsScrollLeft());
}

// The heights of an 11-pixel ribbon font: tab strip 23, group strip 3 x 22 + 17 + 10 = 93.
class RibbonBarLayout : public ::testing::Test {
protected:
    void SetUp() override {
        m_pRibbon = m_host.Ribbon();
        ASSERT_NE(m_pRibbon, nullptr);
        ASSERT_EQ(m_host.Theme()->m_nControlRowHeight, 22) << "the cases are for an 11-pixel ribbon font";
        ASSERT_EQ(m_host.Theme()->m_nTabStripHeight, 23);
        ASSERT_EQ(m_host.Theme()->m_nGroupCaptionHeight, 17);
        AddTabs(m_pRibbon);
    }

    CRibbonHost m_host;
    CTkRibbonBar* m_pRibbon = nullptr;
};

TEST_F(RibbonBarLayout, HeightIsCaptionGroupsTabsAndTail) {
    EXPECT_EQ(m_pRibbon->CalcGroupsHeight(), 93);
    EXPECT_EQ(m_pRibbon->GetTabsHeight(), 23);
    // With the caption bar (the quick-access row in it): the caption is one pixel more than the system's,
    // at least 26.
    ASSERT_EQ(m_pRibbon->GetCaptionHeight(), std::max(::GetSystemMetrics(SM_CYCAPTION) + 1, 26));
    ASSERT_EQ(m_pRibbon->GetCaptionHeight(), 26) << "the cases are for a caption of 26 pixels";
    EXPECT_EQ(Layout(m_pRibbon), CSize(800, 142));
    EXPECT_EQ(m_pRibbon->GetQuickAccessHeight(), 26);
    // Without caption bar.
    m_pRibbon->ShowCaptionBar(FALSE);
    EXPECT_EQ(m_pRibbon->GetCaptionHeight(), 0);
    EXPECT_EQ(Layout(m_pRibbon).cy, 116);
    // The quick-access row below the groups adds its height and one pixel.
    m_pRibbon->ShowQuickAccessBelowRibbon(TRUE);
    EXPECT_EQ(Layout(m_pRibbon).cy, 116 + 26 + 1);
    m_pRibbon->ShowQuickAccessBelowRibbon(FALSE);
    // Minimised: the tab strip and a two-pixel edge.
    m_pRibbon->ShowCaptionBar(TRUE);
    m_pRibbon->SetMinimized(TRUE);
    EXPECT_EQ(m_pRibbon->GetGroupsHeight(), 0);
    EXPECT_EQ(Layout(m_pRibbon).cy, 26 + 23 + 2);
    EXPECT_EQ(Layout(m_pRibbon).cy, 51);
    m_pRibbon->SetMinimized(FALSE);
    // A fixed groups height replaces the computed one.
    m_pRibbon->SetGroupsHeight(50);
    EXPECT_EQ(m_pRibbon->GetGroupsHeight(), 50);
    m_pRibbon->SetGroupsHeight(0);
}

TEST_F(RibbonBarLayout, BelowTwoHundredFiftyPixelsTheRibbonHides) {
    const int nFull = Layout(m_pRibbon).cy;
    struct Row {
        int nFrameHeight;
        int nLength;
        int nExpected;
    };
    const Row rows[] = {{600, 800, nFull}, {249, 800, 0}, {250, 800, nFull}, {600, 249, 0}, {600, 250, nFull}};
    for (const Row& row : rows) {
        m_host.Frame()->SetWindowPos(nullptr, 0, 0, 800, row.nFrameHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(Layout(m_pRibbon, row.nLength), CSize(row.nLength, row.nExpected))
            << row.nFrameHeight << " " << row.nLength;
        EXPECT_EQ(m_pRibbon->IsRibbonBarVisible(), row.nExpected != 0);
    }
}

TEST_F(RibbonBarLayout, SystemButtonQuickAccessAndTabStripTakeTheirPlaces) {
    CTkRibbonControlSystemButton* pSystem = m_pRibbon->AddSystemButton(7000);
    ASSERT_EQ(m_pRibbon->GetControls()->GetAt(0), pSystem);
    CTkControl* pCustomize = m_pRibbon->GetControlQuickAccess();
    CTkControl* pMore = m_pRibbon->GetControlQuickAccessMore();

    const std::vector<CTkControl*> menu = MenuControls(m_pRibbon);
    ASSERT_EQ(menu.size(), 2u);

    // Without caption bar: the system button, the menu's controls, then the quick-access row 5 pixels
    // further, all in the tab row; the tab strip takes the rest.
    m_pRibbon->ShowCaptionBar(FALSE);
    Layout(m_pRibbon);
    const CRect rcSystem = pSystem->GetRect();
    EXPECT_EQ(rcSystem.left, 0);
    EXPECT_EQ(rcSystem.top, (23 - rcSystem.Height()) / 2) << "centred in the tab row";
    EXPECT_EQ(menu[0]->GetRect().left, rcSystem.right);
    EXPECT_EQ(menu[1]->GetRect().left, menu[0]->GetRect().right);
    const int nMenuEnd = menu[1]->GetRect().right;
    EXPECT_EQ(m_pRibbon->GetQuickAccessRect().left, nMenuEnd + 5);
    EXPECT_EQ(m_pRibbon->GetQuickAccessRect().top, 0);
    EXPECT_EQ(m_pRibbon->GetQuickAccessRect().bottom, 23);
    EXPECT_EQ(pCustomize->GetRect().left, nMenuEnd + 5);
    EXPECT_TRUE(pCustomize->IsVisible());
    EXPECT_FALSE(pMore->IsVisible()) << "nothing overflowed";
    EXPECT_EQ(m_pRibbon->GetTabControlRect(), CRect(pCustomize->GetRect().right, 0, 798, 24));
    EXPECT_EQ(m_pRibbon->GetQuickAccessRect().right, pCustomize->GetRect().right);

    // With the caption bar (26 high): the system button is a box across the caption and the tab row, the
    // quick-access row starts at quick-access height + tabs height in the caption, the menu's controls
    // and then the tabs follow the button in the tab row.
    m_pRibbon->ShowCaptionBar(TRUE);
    Layout(m_pRibbon);
    EXPECT_EQ(m_pRibbon->GetCaptionRect(), CRect(0, 0, 800, 26));
    EXPECT_EQ(pSystem->GetRect(), CRect(0, -1, 46, 44));
    EXPECT_EQ(m_pRibbon->GetQuickAccessRect().left, 26 + 23);
    EXPECT_EQ(m_pRibbon->GetQuickAccessRect().top, -2);
    EXPECT_EQ(pCustomize->GetRect().left, 49);
    EXPECT_EQ(menu[0]->GetRect().left, 46);
    EXPECT_EQ(menu[0]->GetRect().top, 26 + (23 - menu[0]->GetRect().Height()) / 2) << "centred in the tab row";
    EXPECT_EQ(m_pRibbon->GetTabControlRect(), CRect(menu[1]->GetRect().right, 26, 798, 26 + 24));

    // Hidden tabs and no caption: no system button, no quick-access controls, no tab strip.
    m_pRibbon->ShowCaptionBar(FALSE);
    m_pRibbon->SetTabsVisible(FALSE);
    Layout(m_pRibbon);
    EXPECT_FALSE(pSystem->IsVisible());
    EXPECT_FALSE(pCustomize->IsVisible());
    EXPECT_FALSE(m_pRibbon->GetControlTab()->IsVisible());
    EXPECT_TRUE(m_pRibbon->GetTabControlRect().IsRectEmpty());
}

// The keys of the tips the ribbon's level-1 tips give its quick-access commands, in order.
std::vector<CString> QuickAccessTipKeys(CTkRibbonBar* pRibbon) {
    CTkCommandBars* pCommandBars = pRibbon->GetCommandBars();
    pCommandBars->ShowKeyboardTips(pRibbon, 1);
    std::vector<CString> keys;
    for (CTkCommandBarKeyboardTip* pTip : pCommandBars->GetKeyboardTips()) {
        auto* pControl = DYNAMIC_DOWNCAST(CTkControl, pTip->GetTarget());
        if (pControl != nullptr && pControl->GetId() >= 5000)
            keys.push_back(pTip->GetKeys());
    }
    pCommandBars->DestroyKeyboardTips();
    return keys;
}

TEST_F(RibbonBarLayout, QuickAccessTipsRunToZeroNineAndStop) {
    m_pRibbon->GetCommandBars()->GetCommandBarsOptions()->m_bKeyboardTips = TRUE;
    Layout(m_pRibbon);
    AddQuickAccess(m_pRibbon, 11);
    const std::vector<CString> eleven = QuickAccessTipKeys(m_pRibbon);
    const std::vector<CString> expected = {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"01", L"02"};
    EXPECT_EQ(eleven, expected);
    AddQuickAccess(m_pRibbon, 8);
    const std::vector<CString> nineteen = QuickAccessTipKeys(m_pRibbon);
    ASSERT_EQ(nineteen.size(), 18u) << "the nineteenth command gets no tip";
    EXPECT_EQ(nineteen[17], L"09");
    // The tabs get their captions' tips.
    m_pRibbon->GetCommandBars()->ShowKeyboardTips(m_pRibbon, 1);
    int nTabTips = 0;
    for (CTkCommandBarKeyboardTip* pTip : m_pRibbon->GetCommandBars()->GetKeyboardTips())
        nTabTips += pTip->GetTarget()->IsKindOf(RUNTIME_CLASS(CTkRibbonTab)) ? 1 : 0;
    EXPECT_EQ(nTabTips, 3);
    m_pRibbon->GetCommandBars()->DestroyKeyboardTips();
    m_pRibbon->GetCommandBars()->GetCommandBarsOptions()->m_bKeyboardTips = FALSE;
}

TEST_F(RibbonBarLayout, TheWheelTurnsTabsAltAndMnemonicsEnterTheStrip) {
    CTkRibbonControlTab* pTabs = m_pRibbon->GetControlTab();
    AddQuickAccess(m_pRibbon, 1);
    Layout(m_pRibbon);
    m_pRibbon->SelectAdjacentTabOnWheel(TRUE);
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pRibbon->GetTab(1));
    m_pRibbon->SelectAdjacentTabOnWheel(FALSE);
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pRibbon->GetTab(0));

    // The frame's filter: a wheel turned toward the user over the ribbon selects the tab to the right.
    m_host.Frame()->ShowWindow(SW_SHOWNOACTIVATE);
    m_host.RecalcLayout();
    CPoint ptOver = m_pRibbon->GetTabControlRect().CenterPoint();
    m_pRibbon->ClientToScreen(&ptOver);
    ::SetCursorPos(ptOver.x, ptOver.y);
    MSG msg = {};
    msg.hwnd = m_pRibbon->GetSafeHwnd();
    msg.message = WM_MOUSEWHEEL;
    msg.wParam = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
    msg.lParam = PointParam(ptOver);
    EXPECT_TRUE(m_pRibbon->GetCommandBars()->PreTranslateFrameMessage(&msg));
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pRibbon->GetTab(1));
    msg.wParam = MAKEWPARAM(0, WHEEL_DELTA);
    EXPECT_TRUE(m_pRibbon->GetCommandBars()->PreTranslateFrameMessage(&msg));
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pRibbon->GetTab(0));

    // Alt enters the tab strip with the focus on it; Ctrl refuses every key.
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    for (UINT nKey : {static_cast<UINT>(VK_MENU), static_cast<UINT>('1'), static_cast<UINT>('I')})
        EXPECT_FALSE(m_pRibbon->OnActivationKey(nKey)) << nKey;
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pRibbon->GetTab(0));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(m_pRibbon->GetTrackingMode(), kTrackingNone);
    EXPECT_TRUE(m_pRibbon->OnActivationKey(VK_MENU));
    EXPECT_EQ(m_pRibbon->GetTrackingMode(), kTrackingMenu);
    EXPECT_EQ(m_pRibbon->GetSelectedIndex(), pTabs->GetIndex());
    EXPECT_TRUE(pTabs->IsFocused());
    m_pRibbon->SetTrackingMode(kTrackingNone);

    // A tab's mnemonic selects it, whatever the case; an unknown key is not the ribbon's.
    EXPECT_TRUE(m_pRibbon->OnActivationKey('V'));
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pRibbon->GetTab(2));
    EXPECT_TRUE(m_pRibbon->IsKeyboardActivated());
    m_pRibbon->SetTrackingMode(kTrackingNone);
    EXPECT_FALSE(m_pRibbon->OnActivationKey('X'));
    // A digit chooses the quick-access command of its position.
    EXPECT_TRUE(m_pRibbon->OnActivationKey('1'));
    EXPECT_FALSE(m_pRibbon->OnActivationKey('2'));
    m_pRibbon->SetTrackingMode(kTrackingNone);
    m_host.Frame()->ShowWindow(SW_HIDE);
}

TEST(RibbonBar, AltAloneWithoutTabsDoesNothing) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    EXPECT_FALSE(pRibbon->OnActivationKey(VK_MENU));
    EXPECT_EQ(pRibbon->GetTrackingMode(), kTrackingNone);
    EXPECT_EQ(pRibbon->GetSelectedIndex(), -1);
}

TEST_F(RibbonBarLayout, ADoubleClickMinimisesOnlyAfterAPressOnTheSelectedTab) {
    Layout(m_pRibbon);
    const CPoint ptHome = m_pRibbon->GetTab(0)->GetRect().CenterPoint();
    const CPoint ptInsert = m_pRibbon->GetTab(1)->GetRect().CenterPoint();
    ASSERT_FALSE(m_pRibbon->GetTab(1)->GetRect().IsRectEmpty());

    // A double click on another tab: its first press selects it, so the ribbon stays.
    Click(m_pRibbon, ptInsert);
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pRibbon->GetTab(1));
    Click(m_pRibbon, ptInsert, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(m_pRibbon->IsMinimized());

    // On the selected tab it minimises; on a minimised ribbon it restores.
    Click(m_pRibbon, ptInsert);
    Click(m_pRibbon, ptInsert, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(m_pRibbon->IsMinimized());
    Click(m_pRibbon, ptInsert, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(m_pRibbon->IsMinimized());

    // Not when minimising is not allowed.
    m_pRibbon->AllowMinimize(FALSE);
    Click(m_pRibbon, ptHome);
    Click(m_pRibbon, ptHome);
    Click(m_pRibbon, ptHome, WM_LBUTTONDBLCLK);
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), m_pRibbon->GetTab(0));
    EXPECT_FALSE(m_pRibbon->IsMinimized());
}

TEST(RibbonBar, EveryStoredRibbonClassIsMadeByItsName) {
    RegisterTabClasses();
    // Loads find the stored classes by name: each must be registered and creatable.
    const char* const names[] = {
        "CTkRibbonBar",
        "CTkRibbonTab",
        "CTkRibbonGroup",
        "CTkRibbonGroupOption",
        "CTkRibbonGroupControlPopup",
        "CTkRibbonControlTab",
        "CTkRibbonControls",
        "CTkRibbonGroupPopupToolBar",
        "CTkRibbonBarControlQuickAccessPopup",
        "CTkRibbonControlSystemButton",
        "CTkRibbonSystemPopupBar",
        "CTkRibbonSystemPopupBarPage",
        "CTkRibbonControlSystemPopupBarButton",
        "CTkRibbonControlSystemPopupBarListItem",
        "CTkRibbonControlSystemPopupBarListCaption",
        "CTkRibbonControlSystemRecentFileList",
    };
    for (const char* pszName : names) {
        CRuntimeClass* pClass = CRuntimeClass::FromName(pszName);
        ASSERT_NE(pClass, nullptr) << pszName;
        CObject* pObject = pClass->CreateObject();
        ASSERT_NE(pObject, nullptr) << pszName;
        EXPECT_TRUE(pObject->IsKindOf(pClass)) << pszName;
        static_cast<CCmdTarget*>(pObject)->InternalRelease();
    }
}

}  // namespace
