#include "TkPopupBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"

// The popup bar's window, placement, loop and expansion belong to the popup bar itself; what is here is
// what the bars and controls need of every popup: its kind, its place under its control, and that ending
// its tracking closes it in its parent.

IMPLEMENT_SERIAL(CTkPopupBar, CTkCommandBar, VERSIONABLE_SCHEMA | 33)

CTkPopupBar::CTkPopupBar() {
    m_nType = kBarTypePopup;
    m_nPosition = kBarPopup;
}

CTkPopupBar::~CTkPopupBar() = default;

CTkPopupBar* CTkPopupBar::CreatePopupBar(CTkCommandBars* pCommandBars) {
    CRuntimeClass* pClass = CTkCommandBars::m_pPopupBarClass;
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(CTkPopupBar)))
        return nullptr;
    auto* pPopup = static_cast<CTkPopupBar*>(pClass->CreateObject());
    if (pPopup != nullptr)
        pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}

BOOL CTkPopupBar::IsPopupBar() const {
    return TRUE;
}

CTkCommandBar* CTkPopupBar::GetParentCommandBar() const {
    return m_pControlPopup != nullptr ? m_pControlPopup->GetParent() : nullptr;
}

BOOL CTkPopupBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
    if (!CTkCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    if (nMode == kTrackingNone && m_pControlPopup != nullptr) {
        CTkCommandBar* pParent = m_pControlPopup->GetParent();
        if (pParent != nullptr && pParent->GetControl(pParent->GetPopupedIndex()) == m_pControlPopup)
            pParent->PopupControl(-1);
    }
    return TRUE;
}

BOOL CTkPopupBar::Popup(CTkControl* pControl, BOOL bSelectFirst) {
    return CTkCommandBar::Popup(pControl, bSelectFirst);
}

void CTkPopupBar::Copy(CTkCommandBar* pSource, BOOL bRecursive) {
    CTkCommandBar::Copy(pSource, bRecursive);
}

BOOL CTkPopupBar::AllowsWideItems() const {
    return FALSE;
}

void CTkPopupBar::ExpandToFullMenu() {
    m_bExpanded = TRUE;
}
