#pragma once
#include "TkPropExchange.h"

#include "mfc.h"

#include <memory>

// Loading a stored list of items ("Control", "Group", "Tab"...) into the collection that owns them. Each
// item is made from its stored runtime class, which must be pBaseClass (TItem's) or derived: any other class raises
// CArchiveException(badClass) before an object of it is made. The item's section names pOwner as the
// collection creating its items. load(pItem, pSection) reads the item and takes it in; when it throws,
// discard(pItem) undoes what load did and lets the item go, and the exception goes on, so the collection
// holds exactly the items loaded before the failing one.
template <class TItem, class FLoad, class FDiscard>
void LoadPropExchangeItems(CTkPropExchange* pPX, LPCWSTR pszItem, CRuntimeClass* pBaseClass, CObject* pOwner,
                           FLoad load, FDiscard discard) {
    std::unique_ptr<CTkPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(pszItem));
    DWORD nPosition = pEnumerator->GetPosition(0, FALSE);
    while (nPosition != 0) {
        std::unique_ptr<CTkPropExchange> pSection(pEnumerator->GetNext(nPosition));
        pSection->m_pOwner = pOwner;
        CObject* pObject = nullptr;
        if (!pSection->ExchangeObjectInstance(&pObject, pBaseClass) || pObject == nullptr)
            AfxThrowArchiveException(CArchiveException::badClass);
        auto* pItem = static_cast<TItem*>(pObject);
        try {
            load(pItem, pSection.get());
        } catch (...) {
            discard(pItem);
            throw;
        }
    }
}
