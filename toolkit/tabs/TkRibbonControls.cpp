#include "TkRibbonControls.h"

#include "TkControl.h"
#include "TkRibbonBar.h"

IMPLEMENT_DYNCREATE(CTkRibbonControls, CTkControls)

// ---- The ribbon's controls

CTkRibbonControls::CTkRibbonControls() = default;

void CTkRibbonControls::CopyFrom(CTkControls* pOther, BOOL bRecursive) {
    CTkControls::CopyFrom(pOther, bRecursive);
}

BOOL CTkRibbonControls::IsSavable(const CTkControl* pControl) const {
    return CTkControls::IsSavable(pControl);
}

void CTkRibbonControls::OnControlRemoved(CTkControl* pControl) {
    CTkControls::OnControlRemoved(pControl);
}

BOOL CTkRibbonControls::IsProtected(const CTkControl* pControl) const {
    return CTkControls::IsProtected(pControl);
}

CTkRibbonBar* CTkRibbonControls::GetRibbonBar() const {
    return static_cast<CTkRibbonBar*>(m_pParent);
}

// ---- The quick-access controls

CTkRibbonQuickAccessControls::CTkRibbonQuickAccessControls() = default;

void CTkRibbonQuickAccessControls::Remove(CTkControl* pControl) {
    CTkControls::Remove(pControl);
}

void CTkRibbonQuickAccessControls::OnControlAdded(CTkControl* pControl) {
    CTkControls::OnControlAdded(pControl);
}

void CTkRibbonQuickAccessControls::OnControlRemoved(CTkControl* pControl) {
    CTkControls::OnControlRemoved(pControl);
}

void CTkRibbonQuickAccessControls::RefreshIndexes() {
    CTkControls::RefreshIndexes();
}

CTkControl* CTkRibbonQuickAccessControls::FindDuplicate(const CTkControl*) const {
    return nullptr;
}

CTkRibbonBar* CTkRibbonQuickAccessControls::GetRibbonBar() const {
    return static_cast<CTkRibbonBar*>(m_pParent);
}
