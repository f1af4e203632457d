#include "BarFixtures.h"
#include "TkControlAction.h"
#include "TkControlButton.h"

#include <vector>

namespace {

// Counts the caption notifications of its action.
class CWatchingControl : public CTkControlButton {
public:
    void OnActionChanging(int nProperty) override { m_changing.push_back(nProperty); }
    void OnActionChanged(int nProperty) override { m_changed.push_back(nProperty); }
    std::vector<int> m_changing;
    std::vector<int> m_changed;
};

std::vector<int> Ids(const CTkControlActions& actions) {
    std::vector<int> ids;
    for (int i = 0; i < actions.GetCount(); ++i)
        ids.push_back(actions.GetAt(i)->GetId());
    return ids;
}

TEST(Actions, SortedByIdAndFoundOnlyForValidIds) {
    CTkControlActions actions(nullptr);
    for (int nId : {5, 1, 3, 0, 0x0FFFFFFF})
        actions.Add(nId);
    EXPECT_EQ(Ids(actions), (std::vector<int>{0, 1, 3, 5, 0x0FFFFFFF}));
    CTkControlAction* pThree = actions.FindAction(3);
    ASSERT_NE(pThree, nullptr);
    EXPECT_EQ(actions.Add(3), pThree);
    // Stored, but outside 1..0x0FFFFFFE: never found.
    EXPECT_EQ(actions.FindAction(0), nullptr);
    EXPECT_EQ(actions.FindAction(0x0FFFFFFF), nullptr);
    EXPECT_EQ(actions.FindAction(4), nullptr);

    // An equal id goes after the existing one.
    auto* pSecondThree = new CTkControlAction(&actions);
    actions.AddWithId(3, pSecondThree);
    EXPECT_EQ(actions.GetAt(2), pThree);
    EXPECT_EQ(actions.GetAt(3), pSecondThree);
    EXPECT_EQ(actions.FindAction(3), pThree);

    BOOL bThrown = FALSE;
    try {
        actions.GetAt(6);
    } catch (CInvalidArgException* e) {
        e->Delete();
        bThrown = TRUE;
    }
    EXPECT_TRUE(bThrown);
}

TEST(Actions, NewActionTakesItsIdsPromptButNotItsCaption) {
    CTkControlActions actions(nullptr);
    CTkControlAction* pAction = actions.Add(1001);
    EXPECT_EQ(CString(pAction->GetTooltip()), L"Open");
    EXPECT_EQ(CString(pAction->GetDescription()), L"Opens a file");
    EXPECT_EQ(CString(pAction->GetKeyboardTip()), L"O");
    EXPECT_TRUE(pAction->GetCaptionText().IsEmpty());
    EXPECT_EQ(pAction->GetCaption(), L"Open");  // the tooltip stands in
}

TEST(Actions, BindingEmptiesTheControlAndUnbindingResetsItsStates) {
    CTkControlActions actions(nullptr);
    CTkControlAction* pAction = actions.Add(42);
    CTkControlButton control;
    control.SetCaption(L"Own");
    control.SetTooltip(L"tip");
    control.SetShortcutText(L"Ctrl+Q");
    control.SetKeyboardTip(L"Q");
    control.SetCategory(L"File");
    control.SetEnabled(0);
    control.SetChecked(1);
    EXPECT_EQ(control.SetAction(pAction), 0);
    EXPECT_EQ(control.GetId(), 42);
    EXPECT_TRUE(control.GetCaptionText().IsEmpty());
    EXPECT_TRUE(control.GetCategory().IsEmpty());
    EXPECT_TRUE(control.GetShortcutText().IsEmpty());
    EXPECT_EQ(pAction->AttachControl(&control), 0);  // already bound: its index
    EXPECT_EQ(pAction->GetControlCount(), 1);

    // The control follows the action's states.
    pAction->SetEnabled(FALSE);
    pAction->SetChecked(TRUE);
    EXPECT_EQ(control.GetEnabled(), 0);
    EXPECT_EQ(control.GetChecked(), 1);
    pAction->SetCaption(L"From action");
    EXPECT_EQ(control.GetCaption(), L"From action");

    control.SetAction(nullptr);
    EXPECT_EQ(pAction->GetControlCount(), 0);
    EXPECT_EQ(control.GetEnabled(), 1);
    EXPECT_EQ(control.GetChecked(), 0);
    EXPECT_TRUE(control.GetCaption().IsEmpty());
}

TEST(Actions, CaptionCutsAtATabAndNotifiesOnlyOnAChange) {
    CTkControlActions actions(nullptr);
    CTkControlAction* pAction = actions.Add(7);
    CWatchingControl control;
    control.SetAction(pAction);
    pAction->SetCaption(L"Print\tCtrl+P");
    EXPECT_EQ(pAction->GetCaptionText(), L"Print");
    EXPECT_EQ(control.m_changing, std::vector<int>{kActionPropertyCaption});
    EXPECT_EQ(control.m_changed, std::vector<int>{kActionPropertyCaption});
    pAction->SetCaption(L"Print");
    EXPECT_EQ(control.m_changed.size(), 1u);
    // The collection's end unbinds every control.
    actions.RemoveAll();
    EXPECT_EQ(control.GetAction(), nullptr);
}

TEST_F(BarFixture, ADisabledActionReportsEnabledWhileCustomizing) {
    CTkControlAction* pAction = m_pCommandBars->GetOrCreateAction(500);
    pAction->SetEnabled(FALSE);
    EXPECT_FALSE(pAction->GetEnabled());
    m_pCommandBars->SetCustomizeMode(TRUE);
    EXPECT_TRUE(pAction->GetEnabled());
    m_pCommandBars->SetCustomizeMode(FALSE);
}

}  // namespace
