#include "BarFixtures.h"
#include "TkBitmapFunctions.h"
#include "TkControlAction.h"
#include "TkControlButton.h"
#include "TkImageManager.h"

#include <cstring>
#include <string>

namespace {

// Counts OnCaptionChanged.
class CCountingControl : public CTkControlButton {
public:
    void OnCaptionChanged() override { ++m_nCaptionChanges; }
    int m_nCaptionChanges = 0;
};

// A 16 x 16 icon for the id in the process-wide image manager.
void AddIcon(UINT nId) {
    CBitmap bitmap;
    bitmap.Attach(CreateDibSection32(nullptr, 16, 16));
    ASSERT_TRUE(GetImageManager()->SetIconsFromBitmap(&bitmap, &nId, 1, 16, 16, ImageStateNormal, TRUE));
}

std::wstring Str(const CString& str) {
    return std::wstring(str.GetString());
}

TEST(ControlText, CaptionSplitsAtTheFirstTab) {
    struct Row {
        LPCWSTR pszText;
        LPCWSTR pszCaption;
        LPCWSTR pszShortcut;
    };
    const Row rows[] = {
        {L"&Open\tCtrl+O", L"&Open", L"Ctrl+O"},
        {L"Plain", L"Plain", L""},
        {L"A\tB\tC", L"A", L"B\tC"},
    };
    for (const Row& row : rows) {
        CTkControlButton control;
        control.SetCaption(row.pszText);
        EXPECT_EQ(Str(control.GetCaption()), row.pszCaption) << row.pszText;
        EXPECT_EQ(Str(control.GetShortcutTextAuto()), row.pszShortcut) << row.pszText;
    }
}

TEST(ControlText, PromptFillsWhatTheControlLacks) {
    struct Row {
        LPCWSTR pszPrompt;
        LPCWSTR pszCaption;
        LPCWSTR pszTooltip;
        LPCWSTR pszDescription;
        LPCWSTR pszKeyboardTip;
        int nCaptionChanges;
    };
    const Row rows[] = {
        {L"desc\ntip", L"tip", L"tip", L"desc", L"", 1},
        // With a caption part the prompt itself does not announce the caption.
        {L"d\nt\nc\nk", L"c", L"t", L"d", L"k", 0},
        {L"whole", L"whole", L"whole", L"whole", L"", 1},
        {L"", L"", L"", L"", L"", 0},
    };
    for (const Row& row : rows) {
        CCountingControl control;
        control.SetPrompt(row.pszPrompt);
        EXPECT_EQ(Str(control.GetCaption()), row.pszCaption) << row.pszPrompt;
        EXPECT_EQ(Str(control.GetTooltip()), row.pszTooltip) << row.pszPrompt;
        EXPECT_EQ(Str(control.GetDescription()), row.pszDescription) << row.pszPrompt;
        EXPECT_EQ(Str(control.GetKeyboardTip()), row.pszKeyboardTip) << row.pszPrompt;
        EXPECT_EQ(control.m_nCaptionChanges, row.nCaptionChanges) << row.pszPrompt;
    }
    // A control that has a caption keeps it.
    CTkControlButton captioned;
    captioned.SetCaption(L"Mine");
    captioned.SetPrompt(L"d\nt\nc");
    EXPECT_EQ(Str(captioned.GetCaption()), L"Mine");
}

TEST(ControlText, IdLoadsItsStringOnceAndKeepsTextsWithoutOne) {
    CTkControlButton control;
    control.SetId(1001);
    EXPECT_EQ(control.GetId(), 1001);
    EXPECT_EQ(Str(control.GetCaption()), L"&Open file");
    EXPECT_EQ(Str(control.GetTooltip()), L"Open");
    EXPECT_EQ(Str(control.GetDescription()), L"Opens a file");
    EXPECT_EQ(Str(control.GetKeyboardTip()), L"O");
    control.SetTooltip(L"changed");
    control.SetId(1001);  // the same id loads nothing
    EXPECT_EQ(Str(control.GetTooltip()), L"changed");
    control.SetId(4000);  // no string: the texts stay
    EXPECT_EQ(control.GetId(), 4000);
    EXPECT_EQ(Str(control.GetCaption()), L"&Open file");
}

TEST(ControlState, VisibilityMasksEnabledAndIconIds) {
    CTkControlButton control;
    control.SetHideFlags(kHideWrap);
    EXPECT_FALSE(control.IsVisible(0));
    EXPECT_TRUE(control.IsVisible(kHideWrap));
    control.SetHideFlags(kHideWrap | kHideGeneric);
    EXPECT_FALSE(control.IsVisible(kHideWrap));
    control.SetHideFlags(0);

    CTkControlActions actions(nullptr);
    CTkControlAction* pAction = actions.Add(77);
    control.SetAction(pAction);
    pAction->SetVisible(FALSE);
    EXPECT_FALSE(control.IsVisible(0xFF));
    // Bound: the icon is the action's id until the action has an icon.
    EXPECT_EQ(control.GetIconId(), 77);
    pAction->SetIconId(5);
    EXPECT_EQ(control.GetIconId(), 5);
    control.SetIconId(6);
    EXPECT_EQ(control.GetIconId(), 6);
    control.SetCustomIconId(7);
    EXPECT_EQ(control.GetIconId(), 7);
    control.SetAction(nullptr);

    // -1 without an action is a non-zero, enabled value.
    control.SetEnabled(-1);
    EXPECT_NE(control.GetEnabled(), 0);
}

TEST_F(BarFixture, TheSameCaptionAgainDoesNotDelayTheLayout) {
    CTkControl* pControl = Add(kControlButton, 0);
    pControl->SetCaption(L"Cut\tCtrl+X");
    BarLog().clear();
    pControl->SetCaption(L"Cut\tCtrl+X");
    EXPECT_EQ(CountInBarLog("DelayLayout"), 0);
    pControl->SetCaption(L"Cut\tShift+Del");  // only the shortcut changed
    EXPECT_EQ(CountInBarLog("DelayLayout"), 1);
}

TEST_F(BarFixture, CaptionVisibilityFollowsStyleTypeAndImage) {
    AddIcon(9401);
    CTkPopupBar* pPopupBar = MakePopupBar();
    struct Row {
        int nType;
        int nStyle;
        LPCWSTR pszCaption;
        UINT nId;  // 9401 has an image
        BOOL bInPopupBar;
        BOOL bVisible;
    };
    const Row rows[] = {
        {kControlButton, kButtonAutomatic, L"Open", 9402, FALSE, TRUE},
        {kControlButton, kButtonAutomatic, L"Open", 9401, FALSE, FALSE},
        {kControlSplitButtonPopup, kButtonAutomatic, L"Open", 9401, FALSE, FALSE},
        {kControlButton, kButtonIcon, L"Open", 9402, FALSE, FALSE},
        {kControlButton, kButtonCaption, L"Open", 9401, FALSE, TRUE},
        {kControlPopup, kButtonAutomatic, L"File", 9401, FALSE, TRUE},
        {kControlLabel, kButtonAutomatic, L"Label", 9401, FALSE, TRUE},
        {kControlCustom, kButtonAutomatic, L"Custom", 9402, FALSE, FALSE},
        {kControlButton, kButtonAutomatic, L"", 9402, FALSE, FALSE},
        {kControlButton, kButtonIcon, L"", 9402, TRUE, TRUE},
    };
    for (const Row& row : rows) {
        CTkControlButton control;
        control.SetParent(row.bInPopupBar ? pPopupBar : m_pBar);
        control.SetType(row.nType);
        control.SetStyle(row.nStyle);
        control.SetCaption(row.pszCaption);
        control.SetIconId(static_cast<int>(row.nId));
        EXPECT_EQ(control.IsCaptionVisible(), row.bVisible) << row.nType << " " << row.nStyle << " " << row.nId;
        control.SetParent(nullptr);
    }
    pPopupBar->InternalRelease();
}

TEST_F(BarFixture, SelectionRepaintsExceptTheQuietStatesOfADisabledControl) {
    CTkControl* pControl = Add(kControlButton, 0);
    pControl->SetEnabled(0);
    BarLog().clear();
    EXPECT_TRUE(pControl->SetSelected(1));
    EXPECT_EQ(pControl->GetSelected(), 1);
    EXPECT_EQ(CountInBarLog("Redraw"), 0);
    EXPECT_FALSE(pControl->SetSelected(1));
    EXPECT_TRUE(pControl->SetSelected(0));
    EXPECT_EQ(CountInBarLog("Redraw 1"), 1);
    EXPECT_EQ(CountInBarLog("OnControlSelected"), 2);

    // A keyboard selection closes the popup another control has open.
    CTkControlPopup* pPopup = AddPopup(kControlPopup, 0);
    CTkControl* pOther = Add(kControlButton, 0);
    ASSERT_TRUE(m_pBar->PopupControl(pPopup->GetIndex()));
    EXPECT_TRUE(pPopup->IsPopupOpen());
    pOther->SetSelected(2);
    EXPECT_EQ(m_pBar->GetPopupedIndex(), -1);
    EXPECT_FALSE(pPopup->IsPopupOpen());
}

TEST_F(BarFixture, ExecuteSendsTheCommandShowingThePressedStateOfItsBar) {
    CTkPopupBar* pPopupBar = MakePopupBar();
    struct Row {
        CTkCommandBar* pBar;
        int nPressedWhileSent;
    };
    const Row rows[] = {{m_pBar, 2}, {pPopupBar, 0}};
    for (const Row& row : rows) {
        CTkControl* pControl = row.pBar->GetControls()->Add(kControlButton, 1002);
        HideCommand(1002);
        m_pCommandBars->GetCommandBarsOptions()->m_mapUsedCommands.RemoveAll();
        int nPressed = -1;
        m_pSite->m_onNotify = [&](ControlNotifyRecord* pRecord) {
            nPressed = pRecord->pControl->GetPressed();
            return LRESULT(0);
        };
        m_pSite->m_commands.clear();
        BarLog().clear();
        pControl->Execute();
        EXPECT_EQ(nPressed, row.nPressedWhileSent);
        EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{1002});
        EXPECT_EQ(pControl->GetPressed(), 0);
        EXPECT_TRUE(IsCommandUsed(1002));
    }
    pPopupBar->InternalRelease();
}

TEST_F(BarFixture, ExecuteOfIdZeroClosesTheMenusAndSendsNothing) {
    CTkControl* pControl = Add(kControlButton, 0);
    m_pBar->SetTrackingMode(kTrackingMenu);
    BarLog().clear();
    pControl->Execute();
    EXPECT_EQ(CountInBarLog("EndTracking"), 1);
    EXPECT_TRUE(m_pSite->m_notifications.empty());
    EXPECT_TRUE(m_pSite->m_commands.empty());
}

TEST_F(BarFixture, ExecuteInAnOpenMenu) {
    CTkControlPopup* pOpener = AddPopup(kControlPopup, 0);
    pOpener->SetId(3005);
    auto* pMenu = static_cast<CTkPopupBar*>(pOpener->GetCommandBar());
    CreateBarWindow(pMenu, m_pSite);
    ASSERT_TRUE(m_pBar->PopupControl(pOpener->GetIndex()));
    ASSERT_EQ(pMenu->GetControlPopup(), pOpener);
    CTkControl* pItem = pMenu->GetControls()->Add(kControlButton, 3006);

    // Without closing on click the menu stays open and the item is shown unpressed again.
    pItem->SetCloseSubMenuOnClick(FALSE);
    HideCommand(3005);
    HideCommand(3006);
    BarLog().clear();
    pItem->Execute();
    EXPECT_EQ(CountInBarLog("EndTracking"), 0);
    EXPECT_EQ(std::count(m_pSite->m_updates.begin(), m_pSite->m_updates.end(), 3006u), 1);
    EXPECT_TRUE(IsCommandUsed(3006));
    EXPECT_TRUE(IsCommandUsed(3005));
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{3006});
    EXPECT_EQ(pItem->GetPressed(), 0);

    // A root bar tracked for a caller that wants the command back gets the id; nothing is sent.
    int nChosen = 0;
    m_pBar->SetReturnCommandSlot(&nChosen);
    m_pSite->m_commands.clear();
    pItem->SetCloseSubMenuOnClick(TRUE);
    pItem->Execute();
    EXPECT_EQ(nChosen, 3006);
    EXPECT_TRUE(m_pSite->m_commands.empty());
    EXPECT_EQ(m_pBar->GetTrackingMode(), kTrackingNone);
    m_pBar->SetReturnCommandSlot(nullptr);
}

TEST_F(BarFixture, TheSiteDecidesHowACommandArrives) {
    struct Row {
        LPCSTR pszCase;
        LRESULT nNotifyAnswer;
        BOOL bHandlerTakes;
        LRESULT nHandlerResult;
        BOOL bDisabled;
        size_t nNotifyCommands;
        size_t nCommands;
    };
    const Row rows[] = {
        {"the notification is answered", 1, TRUE, 7, FALSE, 0, 0},
        {"a WM_NOTIFY handler answers", 0, TRUE, 7, FALSE, 1, 0},
        {"a WM_NOTIFY handler answers 0", 0, TRUE, 0, FALSE, 1, 1},
        {"nobody answers", 0, FALSE, 0, FALSE, 0, 1},
        {"the command is disabled", 0, FALSE, 0, TRUE, 0, 0},
    };
    CTkControl* pControl = Add(kControlButton, CRecordingSite::kNotifyHandlerId);
    for (const Row& row : rows) {
        m_pSite->m_notifications.clear();
        m_pSite->m_notifyCommands.clear();
        m_pSite->m_commands.clear();
        m_pSite->m_onNotify = [&](ControlNotifyRecord*) { return row.nNotifyAnswer; };
        m_pSite->m_bNotifyHandlerTakes = row.bHandlerTakes;
        m_pSite->m_nNotifyHandlerResult = row.nHandlerResult;
        m_pSite->m_disabledCommands.clear();
        if (row.bDisabled)
            m_pSite->m_disabledCommands.insert(CRecordingSite::kNotifyHandlerId);
        pControl->SendCommand(nullptr);
        ASSERT_EQ(m_pSite->m_notifications.size(), 1u) << row.pszCase;
        EXPECT_EQ(m_pSite->m_notifications[0].nCode, kControlNotifyExecute);
        EXPECT_EQ(m_pSite->m_notifications[0].pControl, pControl);
        EXPECT_EQ(m_pSite->m_notifyCommands.size(), row.nNotifyCommands) << row.pszCase;
        EXPECT_EQ(m_pSite->m_commands.size(), row.nCommands) << row.pszCase;
    }
    m_pSite->m_bNotifyHandlerTakes = TRUE;
    m_pSite->m_nNotifyHandlerResult = 9;
    m_pSite->m_onNotify = nullptr;
    EXPECT_EQ(pControl->NotifySite(kControlNotifyExecute), 9);
}

TEST(ControlNotify, WithoutBarOrSiteNothingIsSent) {
    CTkControlButton control;
    EXPECT_EQ(control.SendNotification(nullptr, kControlNotifyExecute, nullptr), 0);
    EXPECT_EQ(control.NotifySite(kControlNotifyExecute), 0);
    control.SendCommand(nullptr);
}

TEST_F(BarFixture, AHandlerThatRemovesTheControlDoesNotFreeItUnderTheCommand) {
    auto* pControl = new CPoisonedButton;
    Controls()->InitAddedControl(pControl, 1002, nullptr, -1, FALSE);
    CPoisonedButton::s_nDestroyed = 0;
    m_pSite->m_onNotify = [this](ControlNotifyRecord* pRecord) {
        Controls()->Remove(pRecord->pControl);  // the collection held the only reference
        return LRESULT(0);
    };
    pControl->Execute();
    EXPECT_EQ(CPoisonedButton::s_nDestroyed, 1);
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{1002});
    EXPECT_EQ(Controls()->GetCount(), 0);
}

TEST_F(BarFixture, AccessibilityAnswersForTheControl) {
    CTkControl* pButton = Add(kControlButton, 0);
    pButton->SetCaption(L"&Open\tCtrl+O");
    pButton->SetRect(CRect(10, 5, 40, 25));
    CTkControlPopup* pPopup = AddPopup(kControlButtonPopup, 0);
    pPopup->SetTooltip(L"Tip only");
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;

    BSTR name = nullptr;
    ASSERT_EQ(pButton->m_xAccessible.get_accName(self, &name), S_OK);
    EXPECT_STREQ(name, L"Open\tCtrl+O");
    ::SysFreeString(name);
    ASSERT_EQ(pPopup->m_xAccessible.get_accName(self, &name), S_OK);
    EXPECT_STREQ(name, L"Tip only");
    ::SysFreeString(name);
    ASSERT_EQ(pButton->m_xAccessible.get_accDefaultAction(self, &name), S_OK);
    EXPECT_STREQ(name, L"Click");
    ::SysFreeString(name);

    struct Row {
        int nBarType;
        CTkControl* pControl;
        long nRole;
    };
    const Row rows[] = {
        {kBarTypeNormal, pButton, ROLE_SYSTEM_PUSHBUTTON}, {kBarTypeNormal, pPopup, ROLE_SYSTEM_BUTTONMENU},
        {kBarTypeRibbon, pPopup, ROLE_SYSTEM_BUTTONMENU},  {kBarTypeMenuBar, pPopup, ROLE_SYSTEM_MENUITEM},
        {kBarTypePopup, pButton, ROLE_SYSTEM_MENUITEM},
    };
    for (const Row& row : rows) {
        SetBarKind(m_pBar, row.nBarType, kBarTop);
        VARIANT role;
        ASSERT_EQ(row.pControl->m_xAccessible.get_accRole(self, &role), S_OK);
        EXPECT_EQ(role.lVal, row.nRole) << row.nBarType;
    }

    pButton->SetChecked(1);
    pButton->SetEnabled(0);
    pButton->SetSelected(1);
    VARIANT state;
    ASSERT_EQ(pButton->m_xAccessible.get_accState(self, &state), S_OK);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED |
                              STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_CHECKED);
    ASSERT_EQ(pPopup->m_xAccessible.get_accState(self, &state), S_OK);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HASPOPUP);
    long nChildren = 0;
    EXPECT_EQ(pPopup->m_xAccessible.get_accChildCount(&nChildren), S_OK);
    EXPECT_EQ(nChildren, 1);

    CRect rcScreen(10, 5, 40, 25);
    m_pBar->ClientToScreen(&rcScreen);
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(pButton->m_xAccessible.accLocation(&x, &y, &cx, &cy, self), S_OK);
    EXPECT_EQ(CRect(x, y, x + cx, y + cy), rcScreen);
    VARIANT hit;
    EXPECT_EQ(pButton->m_xAccessible.accHitTest(rcScreen.left + 1, rcScreen.top + 1, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(pButton->m_xAccessible.accHitTest(rcScreen.right + 1, rcScreen.top + 1, &hit), S_FALSE);

    CTkControlButton orphan;
    VARIANT role;
    EXPECT_EQ(orphan.m_xAccessible.get_accRole(self, &role), E_FAIL);
}

}  // namespace
