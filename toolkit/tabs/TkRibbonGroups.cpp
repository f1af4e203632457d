#include "TkRibbonGroups.h"

#include "TkPropExchange.h"
#include "TkPropExchangeItems.h"
#include "TkRibbonGroup.h"
#include "TkRibbonTab.h"

#include <memory>

CTkRibbonGroups::CTkRibbonGroups(CTkRibbonTab* pParentTab) : m_pParentTab(pParentTab) {}

CTkRibbonGroups::~CTkRibbonGroups() {
    RemoveAll();
}

CTkRibbonGroup* CTkRibbonGroups::GetAt(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_groups[static_cast<size_t>(nIndex)] : nullptr;
}

void CTkRibbonGroups::InsertAt(int nIndex, CTkRibbonGroup* pGroup) {
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    pGroup->SetGroups(this);
    pGroup->SetRibbonBar(m_pParentTab->GetRibbonBar());
    pGroup->SetParent(m_pParentTab->GetParent());
    m_groups.insert(m_groups.begin() + nIndex, pGroup);
    RefreshIndexes();
    pGroup->OnAdded();
}

CTkRibbonGroup* CTkRibbonGroups::Add(LPCWSTR pszCaption, int nId) {
    auto* pGroup = new CTkRibbonGroup;
    pGroup->SetCaption(pszCaption);
    pGroup->SetId(nId);
    InsertAt(-1, pGroup);
    return pGroup;
}

void CTkRibbonGroups::RemoveAt(int nIndex) {
    CTkRibbonGroup* pGroup = GetAt(nIndex);
    if (pGroup == nullptr)
        return;
    m_groups.erase(m_groups.begin() + nIndex);
    pGroup->OnRemoved();
    pGroup->InternalRelease();
    RefreshIndexes();
}

void CTkRibbonGroups::RemoveAll() {
    while (!m_groups.empty())
        RemoveAt(GetCount() - 1);
}

void CTkRibbonGroups::Copy(CTkRibbonGroups* pSource) {
    RemoveAll();
    for (CTkRibbonGroup* pSourceGroup : pSource->m_groups) {
        auto* pGroup = static_cast<CTkRibbonGroup*>(pSourceGroup->GetRuntimeClass()->CreateObject());
        if (pGroup == nullptr)
            continue;
        InsertAt(-1, pGroup);
        pGroup->Copy(pSourceGroup);
    }
}

CTkRibbonGroup* CTkRibbonGroups::HitTest(CPoint pt) const {
    for (CTkRibbonGroup* pGroup : m_groups) {
        if (pGroup->IsVisibleInRibbon() && pGroup->GetRect().PtInRect(pt))
            return pGroup;
    }
    return nullptr;
}

CTkRibbonGroup* CTkRibbonGroups::FindGroup(int nId) const {
    for (CTkRibbonGroup* pGroup : m_groups) {
        if (pGroup->GetId() == nId)
            return pGroup;
    }
    return nullptr;
}

void CTkRibbonGroups::DoPropExchange(CTkPropExchange* pPX) {
    if (!pPX->IsLoading()) {
        std::unique_ptr<CTkPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(L"Group"));
        DWORD nPosition = pEnumerator->GetPosition(static_cast<DWORD>(m_groups.size()), FALSE);
        for (CTkRibbonGroup* pGroup : m_groups) {
            std::unique_ptr<CTkPropExchange> pSection(pEnumerator->GetNext(nPosition));
            CObject* pObject = pGroup;
            pSection->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CTkRibbonGroup));
            pGroup->DoPropExchange(pSection.get());
        }
        return;
    }
    RemoveAll();
    LoadPropExchangeItems<CTkRibbonGroup>(
        pPX, L"Group", RUNTIME_CLASS(CTkRibbonGroup), this,
        [this](CTkRibbonGroup* pGroup, CTkPropExchange* pSection) {
            pGroup->DoPropExchange(pSection);
            m_groups.push_back(pGroup);
            RefreshIndexes();
        },
        [](CTkRibbonGroup* pGroup) {
            // A group that did not load whole takes its controls and buttons with it.
            pGroup->OnRemoved();
            pGroup->InternalRelease();
        });
}

void CTkRibbonGroups::RefreshIndexes() {
    for (size_t i = 0; i < m_groups.size(); ++i)
        m_groups[i]->SetIndex(static_cast<int>(i));
}
