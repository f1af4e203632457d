// Saving and loading a group: its settings, its controls (a "Control" item each, created by its stored
// class) and its option and popup buttons.

#include "TkRibbonGroup.h"

#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkPropExchange.h"
#include "TkPropExchangeItems.h"
#include "TkRibbonBar.h"
#include "TkRibbonGroups.h"
#include "TkRibbonTab.h"

#include <memory>
#include <vector>

void CTkRibbonGroup::DoPropExchange(CTkPropExchange* pPX) {
    ExchangeInt(pPX, L"Id", m_nId, 0);
    ExchangeInt(pPX, L"IconId", m_nIconId, 0);
    ExchangeBool(pPX, L"ShowOptionButton", m_bShowOptionButton, FALSE);
    ExchangeString(pPX, L"Caption", m_strCaption, L"");
    ExchangeBool(pPX, L"ControlsGrouping", m_bControlsGrouping, FALSE);
    ExchangeBool(pPX, L"ControlsCentering", m_bControlsCentering, FALSE);
    ExchangeBool(pPX, L"Visible", m_bVisible, TRUE);
    {
        std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(L"Controls"));
        if (pPX->IsLoading())
            LoadControls(pPX, pSection.get());
        else
            SaveControls(pSection.get());
    }
    std::unique_ptr<CTkPropExchange> pOption(pPX->GetSection(L"ControlGroupOption"));
    m_pControlGroupOption->ExchangeProperties(pOption.get());
    std::unique_ptr<CTkPropExchange> pPopup(pPX->GetSection(L"ControlGroupPopup"));
    m_pControlGroupPopup->ExchangeProperties(pPopup.get());
}

void CTkRibbonGroup::SaveControls(CTkPropExchange* pPX) {
    std::vector<CTkControl*> saved;
    for (CTkControl* pControl : m_controls) {
        if (!pControl->IsTemporary())
            saved.push_back(pControl);
    }
    std::unique_ptr<CTkPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(L"Control"));
    DWORD nPosition = pEnumerator->GetPosition(static_cast<DWORD>(saved.size()), FALSE);
    for (CTkControl* pControl : saved) {
        std::unique_ptr<CTkPropExchange> pSection(pEnumerator->GetNext(nPosition));
        CObject* pObject = pControl;
        pSection->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CTkControl));
        pControl->ExchangeProperties(pSection.get());
    }
}

void CTkRibbonGroup::LoadControls(CTkPropExchange* pPX, CTkPropExchange* pSection) {
    // The collection creating the group owns the section; the group shows in its tab's ribbon.
    m_pGroups = dynamic_cast<CTkRibbonGroups*>(pPX->m_pOwner);
    CTkRibbonTab* pTab = m_pGroups != nullptr ? m_pGroups->GetParentTab() : nullptr;
    m_pRibbonBar = pTab != nullptr ? pTab->GetRibbonBar() : nullptr;
    m_pParent = m_pRibbonBar;
    OnAdded();
    RemoveAll();
    CTkControls* pControls = GetBarControls();
    LoadPropExchangeItems<CTkControl>(
        pSection, L"Control", RUNTIME_CLASS(CTkControl), pControls,
        [this, pControls](CTkControl* pControl, CTkPropExchange* pItem) {
            pControl->ExchangeProperties(pItem);
            pControl->SetRibbonGroup(this);
            if (pControls != nullptr) {
                pControls->InsertAt(pControl, GetBarIndexAt(GetCount()));
                pControl->InternalAddRef();
            }
            m_controls.push_back(pControl);
        },
        [](CTkControl* pControl) { pControl->InternalRelease(); });
}
