#include "TkRibbonBar.h"

// The ribbon's keyboard: Alt, digits and tab mnemonics from the frame, keyboard tips, navigation and the
// wheel over the tab strip.

BOOL CTkRibbonBar::OnActivationKey(UINT nKey) {
    return CTkMenuBar::OnActivationKey(nKey);
}

void CTkRibbonBar::CreateKeyboardTips() {}

void CTkRibbonBar::OnKeyboardTipSelected(CTkCommandBarKeyboardTip* pTip) {
    CTkMenuBar::OnKeyboardTipSelected(pTip);
}

BOOL CTkRibbonBar::NavigateByCode(int nCode) {
    return CTkMenuBar::NavigateByCode(nCode);
}

void CTkRibbonBar::SelectAdjacentTabOnWheel(BOOL) {}
