#include "TkRibbonBar.h"

#include "TkPopupBar.h"

// The ribbon's quick-access menu, its more popup and the commands of the menu's items.

BOOL CTkRibbonBar::IsAllowQuickAccessControl(CTkControl*) {
    return FALSE;
}

CTkPopupBar* CTkRibbonBar::CreateContextMenu(CTkControl*) {
    return nullptr;
}

CTkPopupBar* CTkRibbonBar::CreateMoreQuickAccessPopup() {
    return nullptr;
}

void CTkRibbonBar::ShowContextMenuAt(CTkCommandBar*, CPoint) {}

void CTkRibbonBar::ShowContextMenu(CPoint, CTkControl*) {}

void CTkRibbonBar::OnChildRightButtonUp(CTkCommandBar*, CPoint) {}

void CTkRibbonBar::OnQuickAccessPosition(UINT) {}

LRESULT CTkRibbonBar::OnControlNotify(WPARAM, LPARAM) {
    return 0;
}
