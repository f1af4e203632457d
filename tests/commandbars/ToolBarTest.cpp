// The toolbar: filling it from RT_TOOLBAR resources, its windows docked and floating, its layouts with the
// expand and hide buttons, hiding and removal, reset, and the sizes every bar answers.

#include "DockFixture.h"
#include "TkPaintManager.h"
#include "TkToolTipContext.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <set>

namespace {

// A toolbar that counts the live ones.
class CCountedToolBar : public CTkToolBar {
    DECLARE_DYNCREATE(CCountedToolBar)
public:
    CCountedToolBar() { ++s_nLive; }
    ~CCountedToolBar() override { --s_nLive; }
    static int s_nLive;
};
IMPLEMENT_DYNCREATE(CCountedToolBar, CTkToolBar)
int CCountedToolBar::s_nLive = 0;

// A toolbar whose measuring asks for its layout again, as a nested frame layout would.
class CReentrantToolBar : public CTkToolBar {
public:
    CSize CalcDynamicSize(int nLength, DWORD dwMode) override {
        ++m_nMeasures;
        if (m_nMeasures == 1)
            RecalcLayout();
        return CTkToolBar::CalcDynamicSize(nLength, dwMode);
    }
    int m_nMeasures = 0;
};

std::vector<int> IdsOf(const CTkCommandBar* pBar) {
    std::vector<int> ids;
    for (int i = 0; i < pBar->GetControlCount(); ++i)
        ids.push_back(pBar->GetControl(i)->GetId());
    return ids;
}

std::vector<int> GroupStartsOf(const CTkCommandBar* pBar) {
    std::vector<int> ids;
    for (int i = 0; i < pBar->GetControlCount(); ++i) {
        if (pBar->GetControl(i)->GetBeginGroup())
            ids.push_back(pBar->GetControl(i)->GetId());
    }
    return ids;
}

TEST_F(DockFixture, LoadToolBarMakesTheListsControlsAndTakesTheIconSizeOfItsStrip) {
    struct Row {
        const char* pszCase;
        UINT nId;
        BOOL bImages;
        BOOL bResult;
        std::vector<int> ids;
        std::vector<int> groupStarts;
        BOOL bIconSizeSet;
    };
    const Row rows[] = {
        {"24 x 22 with its strip", 7000, TRUE, TRUE, {7001, 7002, 7003}, {7002}, TRUE},
        {"24 x 22 without images", 7000, FALSE, TRUE, {7001, 7002, 7003}, {7002}, FALSE},
        {"16 x 15 without a strip: the controls stay", 7100, TRUE, FALSE, {7101, 7102}, {}, FALSE},
        {"a count beyond the resource", 7200, FALSE, FALSE, {}, {}, FALSE},
        {"a missing resource", 7999, FALSE, FALSE, {}, {}, FALSE},
        {"id 0", 0, FALSE, FALSE, {}, {}, FALSE},
    };
    for (const Row& row : rows) {
        auto* pBar = new CTkToolBar;
        pBar->SetCommandBars(m_pCommandBars);
        pBar->GetControls()->Add(kControlButton, 1);  // replaced by every load
        const CSize szBefore = pBar->GetIconSize();
        m_pSite->m_created.clear();
        EXPECT_EQ(pBar->LoadToolBar(row.nId, row.bImages), row.bResult) << row.pszCase;
        EXPECT_EQ(IdsOf(pBar), row.ids) << row.pszCase;
        EXPECT_EQ(GroupStartsOf(pBar), row.groupStarts) << row.pszCase;
        EXPECT_EQ(pBar->GetIconSize(), row.bIconSizeSet ? CSize(24, 22) : szBefore) << row.pszCase;
        EXPECT_EQ(pBar->GetBarId(), row.nId) << row.pszCase;
        EXPECT_EQ(m_pSite->m_created.size(), row.ids.size()) << row.pszCase;
        for (const MenuItemCreateRecord& record : m_pSite->m_created)
            EXPECT_TRUE(record.bToolBar) << row.pszCase;
        // Only a successful load records the original controls.
        EXPECT_EQ(pBar->GetControls()->GetOriginalControls() != nullptr, row.bResult) << row.pszCase;
        pBar->InternalRelease();
    }
}

TEST_F(DockFixture, ResetBringsBackTheLoadedControlsOfABuiltInBar) {
    auto* pBar = new CTkToolBar;
    pBar->SetCommandBars(m_pCommandBars);
    ASSERT_TRUE(pBar->LoadToolBar(7000, FALSE));
    EXPECT_FALSE(pBar->IsResetAvailable());
    pBar->GetControls()->RemoveAt(0);
    EXPECT_TRUE(pBar->IsResetAvailable());
    m_pSite->m_barMessages.clear();
    pBar->ResetToOriginal(FALSE);
    EXPECT_EQ(IdsOf(pBar), (std::vector<int>{7001, 7002, 7003}));
    EXPECT_EQ(GroupStartsOf(pBar), (std::vector<int>{7002}));
    EXPECT_EQ(m_pSite->m_barMessages.size(), 1u);

    // Bars the program did not define are never reset.
    pBar->GetControls()->RemoveAt(0);
    pBar->SetBuiltIn(FALSE);
    pBar->ResetToOriginal(FALSE);
    EXPECT_EQ(pBar->GetControlCount(), 2);
    pBar->InternalRelease();
}

TEST_F(DockFixture, AToolBarWindowIsAChildOfItsDockBarOrAPopupOwnedByTheFrame) {
    CTkToolBar* pBar = AddDockedBar(L"Tools", 4);
    CTkDockBar* pTop = m_pCommandBars->GetDockBar(kBarTop);
    const HWND hBar = pBar->GetSafeHwnd();
    EXPECT_EQ(::GetParent(hBar), pTop->GetSafeHwnd());
    EXPECT_EQ(pBar->GetStyle() & (WS_CHILD | WS_POPUP), static_cast<DWORD>(WS_CHILD));
    CString strClass;
    ::GetClassNameW(hBar, strClass.GetBuffer(64), 64);
    strClass.ReleaseBuffer();
    EXPECT_EQ(strClass, L"TkToolBar");

    ASSERT_TRUE(pBar->SetPosition(kBarFloating));
    EXPECT_EQ(pBar->GetSafeHwnd(), hBar);  // the same window, turned into a popup
    EXPECT_EQ(pBar->GetStyle() & (WS_CHILD | WS_POPUP | MFS_SYNCACTIVE), static_cast<DWORD>(WS_POPUP | MFS_SYNCACTIVE));
    EXPECT_EQ(::GetWindow(hBar, GW_OWNER), m_pSite->GetSafeHwnd());
    EXPECT_EQ(pBar->GetDockBar(), nullptr);
    EXPECT_EQ(RowsOf(pTop), Rows{});

    ASSERT_TRUE(pBar->SetPosition(kBarBottom));
    EXPECT_EQ(::GetParent(hBar), m_pCommandBars->GetDockBar(kBarBottom)->GetSafeHwnd());
    EXPECT_EQ(pBar->GetStyle() & (WS_CHILD | WS_POPUP), static_cast<DWORD>(WS_CHILD));
    EXPECT_EQ(pBar->GetPosition(), kBarBottom);

    EXPECT_FALSE(pBar->SetPosition(kBarPopup));
    auto* pLoose = new CTkToolBar;
    EXPECT_FALSE(pLoose->SetPosition(kBarTop));  // no hub
    pLoose->InternalRelease();
}

// The expand button and its 11-pixel strip appear only when asked for always, or when controls were
// wrapped away.
TEST_F(DockFixture, ADockedBarReservesTheExpandStripOnlyWhenItNeedsIt) {
    CTkToolBar* pBar = AddDockedBar(L"Tools", 4);
    const DWORD dwMode = kLayoutHorizontal | kLayoutHorzDock | kLayoutHideWrap;
    pBar->SetShowExpandButton(FALSE);
    const CSize szPlain = pBar->CalcLayout(400, dwMode | kLayoutCommit);
    pBar->SetShowExpandButton(TRUE);

    CTkCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    pOptions->m_bShowExpandButtonAlways = FALSE;
    EXPECT_EQ(pBar->CalcLayout(400, dwMode | kLayoutCommit), szPlain);
    CTkControl* pExpand = pBar->GetControls()->FindById(kIdToolBarExpand);
    ASSERT_NE(pExpand, nullptr);
    EXPECT_FALSE(pExpand->IsVisible());
    EXPECT_TRUE(pExpand->IsTemporary());
    // Measuring: the bar may shrink to one control and the button.
    const CSize szMeasured = pBar->CalcLayout(400, dwMode);
    EXPECT_EQ(szMeasured, szPlain);

    // Too short: controls are wrapped away behind the button.
    const CSize szShort = pBar->CalcLayout(szPlain.cx - 20, dwMode | kLayoutCommit);
    EXPECT_TRUE(pExpand->IsVisible());
    EXPECT_LE(szShort.cx, szPlain.cx - 20 + 11);

    pOptions->m_bShowExpandButtonAlways = TRUE;
    EXPECT_EQ(pBar->CalcLayout(400, dwMode | kLayoutCommit), CSize(szPlain.cx + 11, szPlain.cy));
    EXPECT_TRUE(pExpand->IsVisible());
}

TEST_F(DockFixture, AFloatingBarPlacesItsCaptionButtonsAndIsResizedFromItsEdges) {
    CTkToolBar* pBar = AddDockedBar(L"Tools", 6);
    ASSERT_TRUE(pBar->SetPosition(kBarFloating));
    pBar->SetWindowPos(nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->RecalcLayout();
    CTkControl* pHide = pBar->GetControls()->FindById(kIdToolBarHide);
    CTkControl* pExpand = pBar->GetControls()->FindById(kIdToolBarExpand);
    ASSERT_NE(pHide, nullptr);
    ASSERT_NE(pExpand, nullptr);
    EXPECT_TRUE(pHide->IsVisible());
    EXPECT_TRUE(pExpand->IsVisible());
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    EXPECT_EQ(pHide->GetRect().right, rcClient.right - 3);
    EXPECT_EQ(pExpand->GetRect().right, pHide->GetRect().left);

    // The frame is 3 pixels; the top and bottom edges win over the corners.
    CRect rc;
    pBar->GetWindowRect(&rc);
    struct Hit {
        CPoint pt;
        LRESULT nExpected;
    };
    const Hit hits[] = {
        {{rc.left + 2, rc.top + 2}, HTTOP},
        {{rc.left + 1, rc.bottom - 1}, HTBOTTOM},
        {{rc.left + 1, rc.CenterPoint().y}, HTLEFT},
        {{rc.right - 1, rc.CenterPoint().y}, HTRIGHT},
    };
    for (const Hit& hit : hits)
        EXPECT_EQ(pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(hit.pt.x, hit.pt.y)), hit.nExpected)
            << hit.pt.x << "," << hit.pt.y;

    // Without room for it beside the hide button there is no expand button.
    pBar->GetControls()->RemoveAll();
    pBar->RecalcLayout();
    pExpand = pBar->GetControls()->FindById(kIdToolBarExpand);
    ASSERT_NE(pExpand, nullptr);
    EXPECT_FALSE(pExpand->IsVisible());
}

TEST_F(DockFixture, ANestedRecalcLayoutReturnsAtOnce) {
    auto* pBar = new CReentrantToolBar;
    pBar->SetCommandBars(m_pCommandBars);
    ASSERT_TRUE(pBar->CreateBarWindow(m_pSite, TRUE));
    m_pCommandBars->AddBar(pBar);
    ASSERT_TRUE(pBar->SetPosition(kBarFloating));
    pBar->m_nMeasures = 0;
    pBar->RecalcLayout();
    EXPECT_EQ(pBar->m_nMeasures, 1);
    EXPECT_FALSE(pBar->IsInLayout());
    // The guard is settable: a bar inside its own layout is not laid out again.
    pBar->SetInLayout(TRUE);
    pBar->RecalcLayout();
    EXPECT_EQ(pBar->m_nMeasures, 1);
    pBar->SetInLayout(FALSE);
}

// The hide button of a torn-off bar takes the bar out of the hub: the bar, its window and the button
// itself go while the button still runs.
TEST_F(DockFixture, HidingATornOffBarRemovesItAfterReportingIt) {
    CRuntimeClass* pOldClass = CTkCommandBars::m_pToolBarClass;
    CTkCommandBars::m_pToolBarClass = RUNTIME_CLASS(CCountedToolBar);
    CTkToolBar* pKept = m_pCommandBars->AddToolBar(L"Kept", 0, TRUE);
    CTkToolBar* pTornOff = m_pCommandBars->AddToolBar(L"Torn off", 0, TRUE);
    CTkCommandBars::m_pToolBarClass = pOldClass;
    ASSERT_NE(pTornOff, nullptr);
    ASSERT_EQ(CCountedToolBar::s_nLive, 2);
    pKept->SetTearOff(FALSE);
    for (CTkToolBar* pBar : {pKept, pTornOff}) {
        pBar->GetControls()->Add(kControlButton, 100);
        pBar->RecalcLayout();
    }
    m_pSite->m_barMessages.clear();
    for (CTkToolBar* pBar : {pKept, pTornOff}) {
        CTkControl* pHide = pBar->GetControls()->FindById(kIdToolBarHide);
        ASSERT_NE(pHide, nullptr);
        pHide->Execute();
    }
    EXPECT_EQ(CCountedToolBar::s_nLive, 1);
    EXPECT_EQ(m_pCommandBars->IndexOf(pKept), 0);
    EXPECT_FALSE(pKept->IsVisible());
    EXPECT_EQ(m_pCommandBars->GetCount(), 1);
    const std::vector<std::pair<UINT, WPARAM>> expected = {
        {BarVisibilityChangedMessage, reinterpret_cast<WPARAM>(pKept)},
        {BarVisibilityChangedMessage, reinterpret_cast<WPARAM>(pTornOff)},
    };
    EXPECT_EQ(m_pSite->m_barMessages, expected);
    EXPECT_TRUE(m_pCommandBars->GetCommandBarsOptions()->m_bDirty);
    m_pCommandBars->RemoveAllBars();
    EXPECT_EQ(CCountedToolBar::s_nLive, 0);
}

TEST_F(DockFixture, HidingADockedBarGivesItsRowBackToTheFrame) {
    CTkToolBar* pA = AddDockedBar(L"A", 3);
    CTkDockBar* pTop = m_pCommandBars->GetDockBar(kBarTop);
    EXPECT_GT(ClientRectIn(pTop, m_pSite).Height(), 0);
    pA->SetVisible(FALSE);
    EXPECT_FALSE(pA->IsWindowVisible());
    EXPECT_EQ(ClientRectIn(pTop, m_pSite).Height(), 0);
    pA->SetVisible(TRUE);
    Layout();
    EXPECT_EQ(ClientRectIn(pTop, m_pSite).Height(), ClientRectIn(pA, pTop).Height());
}

TEST_F(DockFixture, BarSizesComeFromTheBarTheOptionsOrThePaintManager) {
    CTkCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    CTkPaintManager* pPaintManager = m_pCommandBars->GetPaintManager();
    const CSize szSmall = pPaintManager->GetIconSize(FALSE);
    const CSize szLarge = pPaintManager->GetIconSize(TRUE);
    struct Row {
        const char* pszCase;
        int nType;
        CSize szOptions;
        CSize szPopupOptions;
        CSize szLargeOptions;
        BOOL bLarge;
        CSize szExpected;
    };
    const Row rows[] = {
        {"defaults", kBarTypeNormal, {0, 0}, {0, 0}, {0, 0}, FALSE, szSmall},
        {"the options' size", kBarTypeNormal, {20, 18}, {0, 0}, {0, 0}, FALSE, {20, 18}},
        {"popups have their own", kBarTypePopup, {20, 18}, {12, 12}, {0, 0}, FALSE, {12, 12}},
        {"large icons from the options", kBarTypeNormal, {20, 18}, {0, 0}, {40, 40}, TRUE, {40, 40}},
        {"large icons by default", kBarTypeNormal, {20, 18}, {0, 0}, {0, 0}, TRUE, szLarge},
        {"popups stay small", kBarTypePopup, {0, 0}, {0, 0}, {40, 40}, TRUE, szSmall},
    };
    for (const Row& row : rows) {
        pOptions->m_szIcons = row.szOptions;
        pOptions->m_szPopupIcons = row.szPopupOptions;
        pOptions->m_szLargeIcons = row.szLargeOptions;
        pOptions->m_bLargeIcons = row.bLarge;
        SetBarKind(m_pBar, row.nType, row.nType == kBarTypePopup ? kBarPopup : kBarTop);
        EXPECT_EQ(m_pBar->GetIconSize(), row.szExpected) << row.pszCase;
        EXPECT_EQ(m_pBar->GetButtonSize(), row.szExpected + CSize(6, 6)) << row.pszCase;
    }
    // The bar's own size wins.
    SetBarIconSize(m_pBar, CSize(24, 22));
    EXPECT_EQ(m_pBar->GetIconSize(), CSize(24, 22));
    EXPECT_EQ(m_pBar->GetButtonSize(), CSize(30, 28));
}

// The expand button's menu: the wrapped-away controls of its whole dock row, then the row's toolbars,
// each with the buttons it can show or hide when it is a built-in bar, then the customize command.
TEST_F(DockFixture, TheExpandMenuListsTheRowsWrappedAwayControlsAndItsToolbars) {
    CTkToolBar* pA = AddDockedBar(L"A && B", 4);
    CTkToolBar* pB = AddDockedBar(L"Other", 4);
    CTkDockBar* pTop = m_pCommandBars->GetDockBar(kBarTop);
    const CRect rcA = ClientRectIn(pA, pTop);
    CRect rcB(rcA.right + 10, rcA.top, rcA.right + 10 + rcA.Width(), rcA.bottom);
    pTop->ClientToScreen(&rcB);
    ASSERT_TRUE(m_pCommandBars->DockCommandBar(pB, &rcB, pTop));
    Layout();
    ASSERT_EQ(RowsOf(pTop), (Rows{{pB, pA}}));
    pA->SetBuiltIn(TRUE);
    // Wrapped away by the layout: listed; hidden by the user, alone or as well: not listed.
    const auto hide = [](CTkToolBar* pBar, int nId, DWORD dwFlags) {
        pBar->GetControls()->FindById(nId)->SetHideFlags(dwFlags);
    };
    hide(pA, 101, kHideWrap);
    hide(pA, 102, kHideWrap);
    pA->GetControls()->FindById(102)->SetBeginGroup(TRUE);
    hide(pB, 100, kHideWrap);
    hide(pB, 101, kHideCustomize);
    hide(pB, 102, kHideWrap | kHideCustomize);

    auto* pExpand = DYNAMIC_DOWNCAST(CTkControlPopup, pA->GetControls()->FindById(kIdToolBarExpand));
    ASSERT_NE(pExpand, nullptr);
    ASSERT_TRUE(pExpand->SetPopupOpen(TRUE));
    auto* pMenu = DYNAMIC_DOWNCAST(CTkPopupToolBar, pExpand->GetCommandBar());
    ASSERT_NE(pMenu, nullptr);
    EXPECT_FALSE(pMenu->IsCustomizable());
    EXPECT_EQ(IdsOf(pMenu), (std::vector<int>{101, 102, 100, kIdToolBarAddRemove}));  // the row left to right
    EXPECT_EQ(GroupStartsOf(pMenu), (std::vector<int>{kIdToolBarAddRemove}));
    int nRight = 0;
    for (int i = 0; i < pMenu->GetControlCount(); ++i) {
        EXPECT_EQ(pMenu->GetControl(i)->GetHideFlags(), 0u) << i;
        nRight = std::max(nRight, static_cast<int>(pMenu->GetControl(i)->GetRect().right));
    }
    // As wide as its rows, though the add-or-remove entry begins a row of its own.
    CRect rcMenu;
    pMenu->GetClientRect(&rcMenu);
    EXPECT_GE(rcMenu.Width(), nRight);
    EXPECT_LE(rcMenu.Width(), nRight + 8);

    CTkCommandBar* pToolBars = pMenu->GetControl(3)->GetCommandBar();
    ASSERT_NE(pToolBars, nullptr);
    EXPECT_EQ(IdsOf(pToolBars), (std::vector<int>{0, 0, static_cast<int>(kIdCustomize)}));
    EXPECT_EQ(GroupStartsOf(pToolBars), (std::vector<int>{static_cast<int>(kIdCustomize)}));
    CTkControl* pBuiltIn = pToolBars->GetControl(0);
    CTkControl* pOther = pToolBars->GetControl(1);
    EXPECT_EQ(pOther->GetCaptionText(), CString(L"Other"));
    EXPECT_FALSE(pOther->GetEnabled());
    EXPECT_EQ(pBuiltIn->GetCaptionText(), CString(L"A &&&& B"));
    EXPECT_TRUE(pBuiltIn->GetEnabled());
    auto* pButtons = DYNAMIC_DOWNCAST(CTkPopupBar, pBuiltIn->GetCommandBar());
    ASSERT_NE(pButtons, nullptr);
    EXPECT_TRUE(pButtons->IsDoubleGripper());
    EXPECT_EQ(IdsOf(pButtons), (std::vector<int>{100, 101, 102, 103}));
    for (int i = 0; i < pButtons->GetControlCount(); ++i)
        EXPECT_EQ(pButtons->GetControl(i)->GetChecked(), 1) << i;
    pExpand->SetPopupOpen(FALSE);

    // Neither the expand button shown always nor customizing allowed: the wrapped-away controls alone.
    m_pCommandBars->GetCommandBarsOptions()->m_bShowExpandButtonAlways = FALSE;
    auto* pPlainSite = new CFrameWnd;
    ASSERT_TRUE(pPlainSite->CreateEx(0, AfxRegisterWndClass(0), L"plain", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                     nullptr));
    m_pCommandBars->AttachToSite(pPlainSite);
    ASSERT_TRUE(pExpand->SetPopupOpen(TRUE));
    EXPECT_EQ(IdsOf(pExpand->GetCommandBar()), (std::vector<int>{101, 102, 100}));
    pExpand->SetPopupOpen(FALSE);
    m_pCommandBars->AttachToSite(m_pSite);
    pPlainSite->DestroyWindow();
}

// A toolbar's tips: the control's tooltip with its shortcut when the options ask for it (a markup tip as
// written), the icon id as the tool, the tip as the title beside the description; none without tips.
TEST_F(DockFixture, AToolBarTipCarriesTheShortcutTheTitleAndTheDescription) {
    CTkToolBar* pBar = AddDockedBar(L"Tips", 1);
    CTkControl* pControl = pBar->GetControls()->FindById(100);
    pControl->SetIconId(100);
    pControl->SetShortcutText(L"Ctrl+O");
    pControl->SetDescription(L"Opens a file");
    const CPoint pt = pControl->GetRect().CenterPoint();
    CTkCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    struct Row {
        const char* pszCase;
        LPCWSTR pszTooltip;
        BOOL bScreenTips;
        BOOL bAccelTips;
        INT_PTR nResult;
        LPCWSTR pszText;
    };
    const Row rows[] = {
        {"with the shortcut", L"Open", TRUE, TRUE, 100, L"Open (Ctrl+O)"},
        {"without shortcuts", L"Open", TRUE, FALSE, 100, L"Open"},
        {"markup as written", L"<b>Open</b>", TRUE, TRUE, 100, L"<b>Open</b>"},
        {"no tooltip", L"", TRUE, TRUE, -1, nullptr},
        {"tips off", L"Open", FALSE, TRUE, -1, nullptr},
    };
    for (const Row& row : rows) {
        pControl->SetTooltip(row.pszTooltip);
        pOptions->m_bToolBarScreenTips = row.bScreenTips;
        pOptions->m_bToolBarAccelTips = row.bAccelTips;
        ToolTipExtraInfo extra = {};
        TOOLINFO info = {};
        info.cbSize = AFX_TOOLINFO_V2_SIZE;
        info.lParam = reinterpret_cast<LPARAM>(&extra);
        EXPECT_EQ(pBar->OnToolHitTest(pt, &info), row.nResult) << row.pszCase;
        if (row.pszText != nullptr) {
            EXPECT_EQ(info.hwnd, pBar->GetSafeHwnd()) << row.pszCase;
            EXPECT_EQ(CRect(info.rect), pControl->GetRect()) << row.pszCase;
            EXPECT_STREQ(info.lpszText, row.pszText) << row.pszCase;
            EXPECT_STREQ(extra.pszTitle, row.pszText) << row.pszCase;
            EXPECT_STREQ(extra.pszDescription, L"Opens a file") << row.pszCase;
        }
        std::free(info.lpszText);
        std::free(extra.pszTitle);
        std::free(extra.pszDescription);
    }
    // No tip while the bar has a popup open.
    pOptions->m_bToolBarScreenTips = TRUE;
    pControl->SetTooltip(L"Open");
    auto* pExpand = DYNAMIC_DOWNCAST(CTkControlPopup, pBar->GetControls()->FindById(kIdToolBarExpand));
    ASSERT_NE(pExpand, nullptr);
    ASSERT_TRUE(pExpand->SetPopupOpen(TRUE));
    EXPECT_EQ(pBar->OnToolHitTest(pt, nullptr), -1);
    pExpand->SetPopupOpen(FALSE);
}

}  // namespace
