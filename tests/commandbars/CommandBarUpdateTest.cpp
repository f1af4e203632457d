// The idle update of a bar's controls through the owner's command routing, and the import of menus.

#include "BarFixtures.h"
#include "TkControlAction.h"

#include <initializer_list>

namespace {

// Ids the recording site has no handler for.
constexpr UINT kUnhandled = CRecordingSite::kUnhandledFirstId + 1;
constexpr UINT kUnhandledNoUpdate = CRecordingSite::kUnhandledFirstId + 2;

// A bar whose own class answers the update of every control (the reflected form).
class CReflectingBar : public CTestBar {
public:
    int m_nReflected = 0;

protected:
    afx_msg void OnUpdateReflect(CCmdUI* pCmdUI) {
        ++m_nReflected;
        pCmdUI->SetText(L"From the bar");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingBar, CTestBar)
    ON_UPDATE_COMMAND_UI_REFLECT(OnUpdateReflect)
END_MESSAGE_MAP()

// A hub whose active document template has a fixed menu id.
class CTemplateHub : public CTestCommandBars {
public:
    UINT GetActiveMenuId() override { return m_nMenuId; }
    UINT m_nMenuId = 0;
};

using BarUpdateFixture = BarFixture;

TEST_F(BarUpdateFixture, TheOwnersHandlersDecideAndCommandsWithoutOneAreDisabled) {
    CTkControl* pHandled = Add(kControlButton, 100);
    CTkControl* pUnhandled = Add(kControlButton, kUnhandled);
    CTkControl* pDisabledChecked = Add(kControlButton, 101);
    pDisabledChecked->SetChecked(1);
    CTkControl* pNoUpdate = Add(kControlButton, kUnhandledNoUpdate);
    pNoUpdate->SetFlags(kControlFlagNoUpdate);
    m_pCommandBars->EnableActions();
    CTkControl* pFollowing = Add(kControlButton, 102);
    m_pCommandBars->EnableActions(FALSE);
    m_pCommandBars->FindAction(102)->SetEnabled(FALSE);
    m_pSite->m_disabledCommands = {101};

    m_pBar->UpdateCommandUI();
    EXPECT_TRUE(pHandled->GetEnabled());
    EXPECT_FALSE(pUnhandled->GetEnabled());
    // Disabled without a check decided this round: the check goes too.
    EXPECT_FALSE(pDisabledChecked->GetEnabled());
    EXPECT_EQ(pDisabledChecked->GetChecked(), 0);
    // Never offered: it keeps its state, and no handler ever saw it.
    EXPECT_TRUE(pNoUpdate->GetEnabled());
    EXPECT_EQ(std::count(m_pSite->m_updates.begin(), m_pSite->m_updates.end(), kUnhandledNoUpdate), 0);
    // Enabled by its handler, a control with an action follows the action (here disabled).
    EXPECT_FALSE(pFollowing->GetEnabled());
    m_pCommandBars->FindAction(102)->SetEnabled(TRUE);
    EXPECT_TRUE(pFollowing->GetEnabled());

    // Without the option an unhandled command keeps its state.
    pUnhandled->SetEnabled(TRUE);
    m_pCommandBars->GetCommandBarsOptions()->m_bDisableCommandIfNoHandler = FALSE;
    m_pBar->UpdateCommandUI();
    EXPECT_TRUE(pUnhandled->GetEnabled());
    m_pCommandBars->GetCommandBarsOptions()->m_bDisableCommandIfNoHandler = TRUE;

    // Customisation shows every command enabled.
    pUnhandled->SetEnabled(FALSE);
    m_pCommandBars->SetCustomizeMode(TRUE);
    m_pBar->UpdateCommandUI();
    EXPECT_TRUE(pUnhandled->GetEnabled());
    m_pCommandBars->SetCustomizeMode(FALSE);
}

TEST_F(BarUpdateFixture, TheBarsOwnClassAnswersTheUpdateFirst) {
    auto* pBar = new CReflectingBar;
    pBar->SetCommandBars(m_pCommandBars);
    ASSERT_TRUE(CreateBarWindow(pBar, m_pSite));
    CTkControl* pControl = pBar->GetControls()->Add(kControlButton, 100);
    pControl->SetCaption(L"Mine");
    m_pSite->m_updates.clear();
    pBar->UpdateCommandUI();
    EXPECT_EQ(pBar->m_nReflected, 1);
    EXPECT_EQ(pControl->GetCaption(), L"From the bar");
    EXPECT_TRUE(m_pSite->m_updates.empty());
    pBar->InternalRelease();
}

TEST_F(BarUpdateFixture, OnlyAVisibleBarWithAWindowUpdatesAtIdleTime) {
    CTkControl* pControl = Add(kControlButton, kUnhandled);
    m_pBar->DelayLayout();
    m_pBar->SetVisible(FALSE);
    BarLog().clear();
    m_pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(pControl->GetEnabled());
    EXPECT_TRUE(m_pBar->IsLayoutPending());

    m_pBar->SetVisible(TRUE);
    m_pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(pControl->GetEnabled());
    EXPECT_FALSE(m_pBar->IsLayoutPending());
    EXPECT_EQ(CountInBarLog("RecalcLayout"), 1);
}

TEST_F(BarUpdateFixture, ControlsHideForDocumentTemplatesTheyAreNotMeantFor) {
    auto* pHub = new CTemplateHub;
    pHub->AttachToSite(m_pSite);
    m_pBar->SetCommandBars(pHub);
    struct Row {
        std::initializer_list<UINT> assigned;
        std::initializer_list<UINT> excluded;
        BOOL bHidden;
    };
    const Row rows[] = {
        {{5}, {}, FALSE}, {{6}, {}, TRUE}, {{6}, {7}, FALSE},  // the excluded list decides
        {{}, {5}, TRUE},  {{}, {}, FALSE},
    };
    pHub->m_nMenuId = 5;
    for (const Row& row : rows) {
        CTkControl* pControl = Add(kControlButton, 100);
        for (UINT nId : row.assigned)
            pControl->GetDocTemplatesAssigned().SetAt(nId, TRUE);
        for (UINT nId : row.excluded)
            pControl->GetDocTemplatesExcluded().SetAt(nId, TRUE);
        m_pBar->UpdateTemplateVisibility();
        EXPECT_EQ((pControl->GetHideFlags() & kHideDocTemplate) != 0, row.bHidden);
        Controls()->RemoveAll();
    }
    // Without an active template nothing changes.
    pHub->m_nMenuId = 0;
    CTkControl* pControl = Add(kControlButton, 100);
    pControl->GetDocTemplatesAssigned().SetAt(6, TRUE);
    m_pBar->UpdateTemplateVisibility();
    EXPECT_EQ(pControl->GetHideFlags(), 0u);
    m_pBar->SetCommandBars(m_pCommandBars);
    pHub->InternalRelease();
}

TEST_F(BarUpdateFixture, AMenuImportMakesGroupsColumnsAndStatesOfItsItems) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    CMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_STRING, 1100, L"Inner");
    menu.AppendMenu(MF_STRING, 1001, L"&New");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_SEPARATOR);  // two in a row: one group start
    menu.AppendMenu(MF_STRING | MF_CHECKED, 1002, L"&Open");
    menu.AppendMenu(MF_STRING | MF_MENUBREAK, 1003, L"Close");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_MENUBARBREAK | MF_GRAYED, 1004, L"Exit");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_MENUBREAK, 1005, L"Help");
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), L"More");
    menu.AppendMenu(MF_SEPARATOR);  // trailing: nothing

    m_pSite->m_nIdleFlags = 0;
    ASSERT_TRUE(m_pBar->LoadMenu(&menu, TRUE));
    struct Row {
        int nId;
        BOOL bGroup;
        BOOL bNewColumn;
        int nChecked;
        BOOL bEnabled;
    };
    const Row rows[] = {
        {1001, FALSE, FALSE, 0, TRUE}, {1002, TRUE, FALSE, 1, TRUE}, {1003, FALSE, TRUE, 0, TRUE},
        {1004, TRUE, TRUE, 0, FALSE},  {1005, TRUE, TRUE, 0, TRUE},  // a break after a separator: both
    };
    ASSERT_EQ(Controls()->GetCount(), 6);
    for (int i = 0; i < 5; ++i) {
        CTkControl* pControl = Controls()->GetAt(i);
        EXPECT_EQ(pControl->GetId(), rows[i].nId);
        EXPECT_EQ(pControl->GetBeginGroup(), rows[i].bGroup) << rows[i].nId;
        EXPECT_EQ((pControl->GetFlags() & kControlFlagNewRow) != 0, rows[i].bNewColumn) << rows[i].nId;
        EXPECT_EQ(pControl->GetChecked(), rows[i].nChecked) << rows[i].nId;
        EXPECT_EQ(pControl->GetEnabled() != 0, rows[i].bEnabled) << rows[i].nId;
    }
    EXPECT_EQ(Controls()->GetAt(5)->GetType(), kControlPopup);
    EXPECT_EQ(m_pSite->m_nIdleFlags, static_cast<UINT>(idleNotify | idleLayout));

    EXPECT_FALSE(m_pBar->LoadMenu(nullptr, TRUE));
    EXPECT_FALSE(m_pBar->LoadMenu(CMenu::FromHandle(reinterpret_cast<HMENU>(0x1234)), TRUE));
    EXPECT_EQ(Controls()->GetCount(), 6);
}

}  // namespace
