#include "TkRibbonControls.h"

#include "TkControl.h"
#include "TkRibbonBar.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonGroup.h"
#include "TkRibbonQuickAccess.h"
#include "TkRibbonScrollableBar.h"
#include "TkRibbonSystemButton.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CTkRibbonControls, CTkControls)

namespace {

BOOL IsGroupButton(const CTkControl* pControl) {
    return pControl->IsKindOf(RUNTIME_CLASS(CTkRibbonGroupOption)) ||
           pControl->IsKindOf(RUNTIME_CLASS(CTkRibbonGroupControlPopup));
}

BOOL IsQuickAccessButton(const CTkControl* pControl) {
    return pControl->IsKindOf(RUNTIME_CLASS(CTkRibbonBarControlQuickAccessPopup)) ||
           dynamic_cast<const CTkRibbonBar::CControlQuickAccessMorePopup*>(pControl) != nullptr;
}

BOOL IsGroupsScrollButton(const CTkControl* pControl) {
    return dynamic_cast<const CTkRibbonScrollableBar::CControlGroupsScroll*>(pControl) != nullptr;
}

// The position of the control in the collection; -1 when it is not there.
int FindInCollection(const CTkControls* pControls, const CTkControl* pControl) {
    for (int i = 0; i < pControls->GetCount(); ++i) {
        if (pControls->GetAt(i) == pControl)
            return i;
    }
    return -1;
}

}  // namespace

// ---- The ribbon's controls

CTkRibbonControls::CTkRibbonControls() = default;

void CTkRibbonControls::CopyFrom(CTkControls* pOther, BOOL bRecursive) {
    RemoveAll();
    for (int i = 0; i < pOther->GetCount(); ++i) {
        CTkControl* pControl = pOther->GetAt(i);
        if (pOther->IsSavable(pControl))
            AddCopy(pControl, -1, bRecursive);
    }
}

BOOL CTkRibbonControls::IsSavable(const CTkControl* pControl) const {
    if (pControl->IsTemporary() || pControl->GetRibbonGroup() != nullptr || IsGroupButton(pControl) ||
        pControl->IsKindOf(RUNTIME_CLASS(CTkRibbonControlSystemButton)) ||
        pControl->IsKindOf(RUNTIME_CLASS(CTkRibbonControlTab)) || IsQuickAccessButton(pControl) ||
        IsGroupsScrollButton(pControl))
        return FALSE;
    // The quick-access copies are saved with their own list.
    CTkRibbonBar* pRibbon = GetRibbonBar();
    return pRibbon == nullptr || FindInCollection(pRibbon->GetQuickAccessControls(), pControl) == -1;
}

void CTkRibbonControls::OnControlRemoved(CTkControl* pControl) {
    // The group and the quick-access list let go of it too; their own removal from this collection finds it
    // gone already.
    if (auto* pGroup = static_cast<CTkRibbonGroup*>(pControl->GetRibbonGroup()))
        pGroup->RemoveControl(pControl);
    if (CTkRibbonBar* pRibbon = GetRibbonBar()) {
        if (pControl == pRibbon->GetSystemButton())
            pRibbon->ClearSystemButton();
        CTkRibbonQuickAccessControls* pQuickAccess = pRibbon->GetQuickAccessControls();
        if (FindInCollection(pQuickAccess, pControl) != -1)
            pQuickAccess->Remove(pControl);
    }
    CTkControls::OnControlRemoved(pControl);
}

BOOL CTkRibbonControls::IsProtected(const CTkControl* pControl) const {
    // A group's buttons stay while they belong to it; the group itself takes them out.
    if (IsGroupButton(pControl))
        return pControl->GetRibbonGroup() != nullptr;
    return pControl->IsKindOf(RUNTIME_CLASS(CTkRibbonControlTab)) || IsQuickAccessButton(pControl) ||
           IsGroupsScrollButton(pControl);
}

CTkRibbonBar* CTkRibbonControls::GetRibbonBar() const {
    return static_cast<CTkRibbonBar*>(m_pParent);
}

// ---- The quick-access controls
//
// A member is held twice: once here, once in the ribbon's controls, where it is indexed, laid out and
// drawn. Its Index and collection are the ribbon's, so this list finds its members by pointer.

CTkRibbonQuickAccessControls::CTkRibbonQuickAccessControls() = default;

void CTkRibbonQuickAccessControls::Remove(CTkControl* pControl) {
    auto it = std::find(m_controls.begin(), m_controls.end(), pControl);
    if (it == m_controls.end())
        return;
    m_controls.erase(it);
    OnControlRemoved(pControl);
    pControl->InternalRelease();
}

void CTkRibbonQuickAccessControls::OnControlAdded(CTkControl* pControl) {
    CTkRibbonBar* pRibbon = GetRibbonBar();
    if (pRibbon != nullptr) {
        // After the system button, which stays first.
        const int nIndex = FindInCollection(this, pControl) + (pRibbon->GetSystemButton() != nullptr ? 1 : 0);
        pControl->InternalAddRef();
        pRibbon->GetControls()->InsertAt(pControl, nIndex);
    }
    RefreshIndexes();
}

void CTkRibbonQuickAccessControls::OnControlRemoved(CTkControl* pControl) {
    CTkRibbonBar* pRibbon = GetRibbonBar();
    CTkControls* pRibbonControls = pRibbon != nullptr ? pRibbon->GetControls() : nullptr;
    if (pRibbonControls == nullptr || FindInCollection(pRibbonControls, pControl) == -1)
        return;
    // Emptying this list renumbered the control by this list's order; the ribbon's removal goes by its own.
    pRibbonControls->RefreshIndexes();
    pRibbonControls->Remove(pControl);
}

void CTkRibbonQuickAccessControls::RefreshIndexes() {
    for (CTkControl* pControl : m_controls)
        pControl->SetParent(m_pParent);
}

CTkControl* CTkRibbonQuickAccessControls::FindDuplicate(const CTkControl* pControl) const {
    for (CTkControl* pMember : m_controls) {
        if (pMember->GetId() == pControl->GetId() && pMember->IsVisible(kHideWrap) &&
            pMember->GetType() == pControl->GetType() && pMember->GetRuntimeClass() == pControl->GetRuntimeClass())
            return pMember;
    }
    return nullptr;
}

CTkRibbonBar* CTkRibbonQuickAccessControls::GetRibbonBar() const {
    return static_cast<CTkRibbonBar*>(m_pParent);
}
