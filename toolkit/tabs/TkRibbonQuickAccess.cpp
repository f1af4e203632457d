#include "TkRibbonQuickAccess.h"

#include "TkControlDefs.h"
#include "TkRibbonControls.h"

IMPLEMENT_SERIAL(CTkRibbonBarControlQuickAccessPopup, CTkControlPopup, VERSIONABLE_SCHEMA | 33)

// ---- The customize button

CTkRibbonBarControlQuickAccessPopup::CTkRibbonBarControlQuickAccessPopup() {
    m_dwFlags |= kControlFlagNoUpdate | kControlFlagNoMove;
    SetTemporary(TRUE);
}

CSize CTkRibbonBarControlQuickAccessPopup::GetSize(CDC* pDC) {
    return CTkControlPopup::GetSize(pDC);
}

void CTkRibbonBarControlQuickAccessPopup::Draw(CDC* pDC) {
    CTkControlPopup::Draw(pDC);
}

BOOL CTkRibbonBarControlQuickAccessPopup::SetPopupOpen(BOOL bOpen) {
    return CTkControlPopup::SetPopupOpen(bOpen);
}

CTkControl* CTkRibbonBarControlQuickAccessPopup::Clone(BOOL bRecursive) {
    return CTkControlPopup::Clone(bRecursive);
}

// ---- The more button

CTkRibbonBar::CControlQuickAccessMorePopup::CControlQuickAccessMorePopup() {
    m_dwFlags |= kControlFlagNoUpdate | kControlFlagNoMove;
    SetTemporary(TRUE);
}

CSize CTkRibbonBar::CControlQuickAccessMorePopup::GetSize(CDC* pDC) {
    return CTkControlPopup::GetSize(pDC);
}

void CTkRibbonBar::CControlQuickAccessMorePopup::Draw(CDC* pDC) {
    CTkControlPopup::Draw(pDC);
}

BOOL CTkRibbonBar::CControlQuickAccessMorePopup::SetPopupOpen(BOOL bOpen) {
    return CTkControlPopup::SetPopupOpen(bOpen);
}

// ---- The menu item of one command

CTkRibbonBar::CControlQuickAccessCommand::CControlQuickAccessCommand(CTkRibbonQuickAccessControls* pQuickAccessControls,
                                                                     CTkControl* pSource, CTkControl* pCopy)
    : m_pQuickAccessControls(pQuickAccessControls), m_pSource(pSource), m_pCopy(pCopy) {}

void CTkRibbonBar::CControlQuickAccessCommand::Execute() {
    CTkControlButton::Execute();
}
