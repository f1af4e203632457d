#include "TkRibbonGroups.h"

#include "TkRibbonGroup.h"
#include "TkRibbonTab.h"

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

void CTkRibbonGroups::Copy(CTkRibbonGroups*) {}

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

void CTkRibbonGroups::DoPropExchange(CTkPropExchange*) {}

void CTkRibbonGroups::Layout(CDC*, CTkRibbonScrollableBar*, int, const CRect&) {}

void CTkRibbonGroups::RefreshIndexes() {
    for (size_t i = 0; i < m_groups.size(); ++i)
        m_groups[i]->SetIndex(static_cast<int>(i));
}
