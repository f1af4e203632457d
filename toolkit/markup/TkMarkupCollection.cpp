#include "TkMarkupCollection.h"

#include "TkMarkupBuilder.h"
#include "TkMarkupType.h"

CTkMarkupCollection::CTkMarkupCollection() : CTkMarkupCollection(CTkMarkupObject::GetClassType()) {}

CTkMarkupCollection::CTkMarkupCollection(CTkMarkupType* pItemType, BOOL bParenting)
    : m_pItemType(pItemType), m_bParenting(bParenting) {}

CTkMarkupCollection::~CTkMarkupCollection() {
    RemoveAll();
}

CTkMarkupObject* CTkMarkupCollection::GetItem(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount())
        AfxThrowInvalidArgException();
    return m_items[nIndex];
}

void CTkMarkupCollection::Add(CTkMarkupObject* pItem) {
    auto item = CTkMarkupPtr<CTkMarkupObject>::Adopt(pItem);
    if (!item || !item->IsKindOf(m_pItemType))
        return;
    if (m_bParenting)
        item->SetLogicalParent(this);
    m_items.push_back(item.Detach());
    OnItemAdded(pItem, GetCount() - 1);
}

void CTkMarkupCollection::OnItemAdded(CTkMarkupObject* /*pItem*/, int /*nIndex*/) {}

void CTkMarkupCollection::RemoveAt(int nIndex) {
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    CTkMarkupObject* pItem = m_items[nIndex];
    m_items.erase(m_items.begin() + nIndex);
    Unparent(pItem);
    pItem->Release();
}

void CTkMarkupCollection::RemoveAll() {
    std::vector<CTkMarkupObject*> items;
    items.swap(m_items);
    for (CTkMarkupObject* pItem : items) {
        Unparent(pItem);
        pItem->Release();
    }
}

void CTkMarkupCollection::Unparent(CTkMarkupObject* pItem) {
    if (m_bParenting && pItem->GetLogicalParent() == this)
        pItem->SetLogicalParent(nullptr);
}

void CTkMarkupCollection::SetContentObject(CTkMarkupBuilder* /*pBuilder*/, CTkMarkupObject* pContent) {
    auto content = CTkMarkupPtr<CTkMarkupObject>::Adopt(pContent);
    if (content && content->IsKindOf(m_pItemType)) {
        Add(content.Detach());
        return;
    }
    ThrowMarkupError(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type '%ls'",
                     content ? content->GetType()->GetClassName() : L"", GetType()->GetClassName(),
                     m_pItemType->GetClassName());
}
