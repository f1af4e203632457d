#include "TkRibbonSystemButton.h"

#include "TkControlDefs.h"
#include "TkRibbonBar.h"

IMPLEMENT_SERIAL(CTkRibbonControlSystemButton, CTkControlPopup, VERSIONABLE_SCHEMA | 33)

CTkRibbonControlSystemButton::CTkRibbonControlSystemButton() {
    m_dwFlags |= kControlFlagNoUpdate | kControlFlagNoMove;
}

void CTkRibbonControlSystemButton::Draw(CDC* pDC) {
    CTkControlPopup::Draw(pDC);
}

BOOL CTkRibbonControlSystemButton::HandleDoubleClick(CPoint pt) {
    return CTkControlPopup::HandleDoubleClick(pt);
}

void CTkRibbonControlSystemButton::AdjustPopupRect(CRect& rc, BOOL bVertical) {
    CTkControlPopup::AdjustPopupRect(rc, bVertical);
}

CTkControl* CTkRibbonControlSystemButton::Clone(BOOL bRecursive) {
    return CTkControlPopup::Clone(bRecursive);
}

CTkRibbonBar* CTkRibbonControlSystemButton::GetRibbonBar() const {
    CTkCommandBar* pBar = GetParent();
    return pBar != nullptr && pBar->IsRibbonBar() ? static_cast<CTkRibbonBar*>(pBar) : nullptr;
}
