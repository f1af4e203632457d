#include "TkRibbonScrollableBar.h"

#include "TkCommandBar.h"
#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkRibbonBar.h"

// ---- The mixin

void CTkRibbonScrollableBar::InitScrollableBar(CTkCommandBar* pParent) {
    m_pParent = pParent;
    m_pControlScrollRight = new CControlGroupsScroll(FALSE);
    pParent->GetControls()->Append(m_pControlScrollRight);
    m_pControlScrollLeft = new CControlGroupsScroll(TRUE);
    pParent->GetControls()->Append(m_pControlScrollLeft);
    m_nScrollOffset = 0;
}

void CTkRibbonScrollableBar::ScrollGroups(BOOL) {}

CRect CTkRibbonScrollableBar::GetGroupsRect() const {
    return CRect(0, 0, 0, 0);
}

CTkRibbonGroup* CTkRibbonScrollableBar::HitTestGroup(CPoint) const {
    return nullptr;
}

void CTkRibbonScrollableBar::ShowScrollButtons(BOOL, BOOL) {}

void CTkRibbonScrollableBar::EnsureControlVisible(CTkRibbonGroups*, const CRect&) {}

void CTkRibbonScrollableBar::SetHotGroup(CTkRibbonGroup* pGroup) {
    m_pHotGroup = pGroup;
}

void CTkRibbonScrollableBar::CreateGroupKeyboardTips(CTkRibbonTab*, CTkRibbonGroup*, CTkRibbonGroup*) {}

BOOL CTkRibbonScrollableBar::NavigateByPosition(int) {
    return FALSE;
}

// ---- The scroll buttons

CTkRibbonScrollableBar::CControlGroupsScroll::CControlGroupsScroll(BOOL bScrollLeft) : m_bScrollLeft(bScrollLeft) {
    m_dwFlags |= kControlFlagNoKeyboard | kControlFlagNoMove;
}

void CTkRibbonScrollableBar::CControlGroupsScroll::Draw(CDC* pDC) {
    CTkControlButton::Draw(pDC);
}

void CTkRibbonScrollableBar::CControlGroupsScroll::HandleClick(BOOL bKeyboard, CPoint pt) {
    CTkControlButton::HandleClick(bKeyboard, pt);
}

// ---- The ribbon's answers

void CTkRibbonBar::ScrollGroups(BOOL) {}

CTkRibbonGroup* CTkRibbonBar::HitTestGroup(CPoint) const {
    return nullptr;
}
