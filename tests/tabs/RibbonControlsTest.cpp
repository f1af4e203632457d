// The ribbon's control collections: the structural controls it keeps, the quick-access list mirrored into
// the ribbon's controls both ways, and what a save writes.

#include "RibbonHost.h"
#include "TkControl.h"
#include "TkControlDefs.h"
#include "TkControlPopup.h"
#include "TkControls.h"
#include "TkRibbonBar.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonControls.h"
#include "TkRibbonGroup.h"
#include "TkRibbonGroups.h"
#include "TkRibbonTab.h"
#include "TkRibbonQuickAccess.h"
#include "TkRibbonSystemButton.h"

#include <gtest/gtest.h>

namespace {

int IndexIn(const CTkControls* pControls, const CTkControl* pControl) {
    for (int i = 0; i < pControls->GetCount(); ++i) {
        if (pControls->GetAt(i) == pControl)
            return i;
    }
    return -1;
}

class RibbonControlsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_pRibbon = m_host.Ribbon();
        ASSERT_NE(m_pRibbon, nullptr);
        m_pControls = m_pRibbon->GetControls();
        m_pQuickAccess = m_pRibbon->GetQuickAccessControls();
    }

    CRibbonHost m_host;
    CTkRibbonBar* m_pRibbon = nullptr;
    CTkControls* m_pControls = nullptr;
    CTkRibbonQuickAccessControls* m_pQuickAccess = nullptr;
};

TEST_F(RibbonControlsFixture, TheStructuralControlsAndAGroupsButtonsStayWhileOrdinaryOnesGo) {
    auto* pGroup = new CTkRibbonGroup;
    auto* pOption = new CTkRibbonGroupOption;
    m_pControls->Add(pOption, 700);
    auto* pCollapsed = new CTkRibbonGroupControlPopup(pGroup);
    m_pControls->Add(pCollapsed, 701);
    pOption->SetRibbonGroup(pGroup);
    pCollapsed->SetRibbonGroup(pGroup);
    CTkControl* pButton = m_pControls->Add(kControlButton, 702);

    CTkControl* const kept[] = {m_pRibbon->GetControlTab(),
                                m_pRibbon->GetControlQuickAccess(),
                                m_pRibbon->GetControlQuickAccessMore(),
                                m_pRibbon->GetScrollButtonLeft(),
                                m_pRibbon->GetScrollButtonRight(),
                                pOption,
                                pCollapsed};
    for (CTkControl* pControl : kept) {
        m_pControls->Remove(pControl);
        EXPECT_NE(IndexIn(m_pControls, pControl), -1) << pControl->GetRuntimeClass()->m_lpszClassName;
    }
    m_pControls->RemoveAll();
    for (CTkControl* pControl : kept)
        EXPECT_NE(IndexIn(m_pControls, pControl), -1) << pControl->GetRuntimeClass()->m_lpszClassName;
    EXPECT_EQ(IndexIn(m_pControls, pButton), -1);

    // Let go by their group, the group's buttons leave as any control does.
    pOption->SetRibbonGroup(nullptr);
    pCollapsed->SetRibbonGroup(nullptr);
    m_pControls->Remove(pOption);
    m_pControls->Remove(pCollapsed);
    EXPECT_EQ(IndexIn(m_pControls, pOption), -1);
    EXPECT_EQ(IndexIn(m_pControls, pCollapsed), -1);
    pGroup->InternalRelease();

    // A quick-access copy of a group's popup button belongs to no group: it goes, the group's own stays.
    CTkRibbonGroup* pEdit = m_pRibbon->AddTab(L"Home")->GetGroups()->Add(L"Edit", 750);
    CTkControl* pQuickCopy = m_pQuickAccess->AddCopy(pEdit->GetControlGroupPopup());
    ASSERT_NE(IndexIn(m_pControls, pQuickCopy), -1);
    m_pControls->Remove(pEdit->GetControlGroupPopup());
    m_pControls->Remove(pQuickCopy);
    EXPECT_EQ(m_pQuickAccess->GetCount(), 0);
    EXPECT_NE(IndexIn(m_pControls, pEdit->GetControlGroupPopup()), -1);
}

TEST_F(RibbonControlsFixture, AQuickAccessCommandLivesInBothListsAndLeavesBothFromEither) {
    CTkControl* pFirst = m_pQuickAccess->Add(kControlButton, 801);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(IndexIn(m_pControls, pFirst), 0) << "at its own index in the ribbon's controls";
    EXPECT_EQ(pFirst->GetParent(), m_pRibbon);
    EXPECT_EQ(pFirst->GetControls(), m_pControls) << "indexed by the ribbon's collection";

    // With a system button the commands come after it.
    m_pRibbon->AddSystemButton(900);
    CTkControl* pSecond = m_pQuickAccess->Add(kControlButton, 802);
    EXPECT_EQ(IndexIn(m_pControls, pSecond), 2);

    // Removed from the ribbon's controls: gone from the quick-access list too, and released once by each.
    pFirst->InternalAddRef();
    m_pControls->Remove(pFirst);
    EXPECT_EQ(IndexIn(m_pControls, pFirst), -1);
    EXPECT_EQ(IndexIn(m_pQuickAccess, pFirst), -1);
    EXPECT_EQ(pFirst->m_dwRef, 1);
    pFirst->InternalRelease();

    // Removed from the quick-access list: gone from the ribbon's controls.
    pSecond->InternalAddRef();
    m_pQuickAccess->Remove(pSecond);
    EXPECT_EQ(IndexIn(m_pControls, pSecond), -1);
    EXPECT_EQ(m_pQuickAccess->GetCount(), 0);
    EXPECT_EQ(pSecond->m_dwRef, 1);
    EXPECT_EQ(pSecond->GetParent(), nullptr);
    pSecond->InternalRelease();

    // Emptying the list empties the mirror, whatever its own numbering.
    CTkControl* pThird = m_pQuickAccess->Add(kControlButton, 803);
    CTkControl* pFourth = m_pQuickAccess->Add(kControlButton, 804);
    m_pQuickAccess->RemoveAll();
    EXPECT_EQ(IndexIn(m_pControls, pThird), -1);
    EXPECT_EQ(IndexIn(m_pControls, pFourth), -1);

    // A removed system button is forgotten by the ribbon.
    m_pControls->Remove(m_pRibbon->GetSystemButton());
    EXPECT_EQ(m_pRibbon->GetSystemButton(), nullptr);
}

TEST_F(RibbonControlsFixture, OnlyTheRibbonsOwnCommandsAreSavedAndCopied) {
    CTkControl* pPlain = m_pControls->Add(kControlButton, 601);
    CTkControl* pTemporary = m_pControls->Add(kControlButton, 602, nullptr, -1, TRUE);
    CTkControl* pInGroup = m_pControls->Add(kControlButton, 603);
    auto* pGroup = new CTkRibbonGroup;
    pInGroup->SetRibbonGroup(pGroup);
    CTkControl* pCopy = m_pQuickAccess->Add(kControlButton, 604);
    CTkControl* pSystem = m_pRibbon->AddSystemButton(605);
    struct Row {
        CTkControl* pControl;
        BOOL bSavable;
    };
    const Row rows[] = {
        {pPlain, TRUE},
        {pTemporary, FALSE},
        {pInGroup, FALSE},
        {pCopy, FALSE},
        {pSystem, FALSE},
        {m_pRibbon->GetControlTab(), FALSE},
        {m_pRibbon->GetControlQuickAccess(), FALSE},
        {m_pRibbon->GetControlQuickAccessMore(), FALSE},
        {m_pRibbon->GetScrollButtonLeft(), FALSE},
    };
    for (const Row& row : rows)
        EXPECT_EQ(m_pControls->IsSavable(row.pControl), row.bSavable) << row.pControl->GetId();

    auto* pOther = new CTkRibbonControls;
    pOther->Add(kControlButton, 999);
    pOther->CopyFrom(m_pControls, FALSE);
    // Emptied, then the savable controls only (with the menu items the ribbon was made from).
    EXPECT_EQ(pOther->FindById(999), nullptr);
    EXPECT_NE(pOther->FindById(601), nullptr);
    for (int nId = 602; nId <= 605; ++nId)
        EXPECT_EQ(pOther->FindById(nId), nullptr) << nId;
    EXPECT_EQ(pOther->FindById(kIdRibbonTabControl), nullptr);
    pOther->InternalRelease();
    pInGroup->SetRibbonGroup(nullptr);
    pGroup->InternalRelease();
}

TEST_F(RibbonControlsFixture, ACopyIsFoundBySameIdTypeAndClassEvenWhenWrappedAway) {
    CTkControl* pCopy = m_pQuickAccess->Add(kControlButton, 42);
    auto* pSameId = new CTkControl;
    pSameId->SetType(kControlButton);
    pSameId->SetId(42);
    EXPECT_EQ(m_pQuickAccess->FindDuplicate(pSameId), nullptr) << "another class";
    CTkControl* pProbe = m_pControls->Add(kControlButton, 42);
    EXPECT_EQ(m_pQuickAccess->FindDuplicate(pProbe), pCopy);
    pCopy->SetHideFlags(kHideWrap);
    EXPECT_EQ(m_pQuickAccess->FindDuplicate(pProbe), pCopy) << "an overflowed copy is still there";
    pCopy->SetHideFlags(kHideGeneric);
    EXPECT_EQ(m_pQuickAccess->FindDuplicate(pProbe), nullptr);
    pProbe->SetType(kControlPopup);
    pCopy->SetHideFlags(0);
    EXPECT_EQ(m_pQuickAccess->FindDuplicate(pProbe), nullptr) << "another type";
    pSameId->InternalRelease();
}

}  // namespace
