#include "TkControlLabel.h"

#include "TkCommandBar.h"

IMPLEMENT_SERIAL(CTkControlLabel, CTkControl, VERSIONABLE_SCHEMA | 33)

CTkControlLabel::CTkControlLabel() {
    m_nType = kControlLabel;
    m_dwFlags = kControlFlagNoKeyboard | kControlFlagNoUpdate | kControlFlagNoMove;
}

int CTkControlLabel::GetSelected() const {
    return 0;
}

void CTkControlLabel::HandleClick(BOOL bKeyboard, CPoint pt) {
    if (bKeyboard || m_pParent == nullptr || !IsCustomizeMode() || !CanCustomizeMove())
        return;
    m_pParent->PopupControl(-1);
    m_pParent->SetSelected(-1);
    StartCustomizeDrag(pt);
}
