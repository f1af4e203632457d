#pragma once
#include "TkMarkupObject.h"

#include <vector>

// CTkMarkupCollection: an ordered list of markup objects of one item type (or a derived type), one
// reference each. With parenting (the default) an added item gets the collection as its logical parent
// and loses it on removal; the temporary and bookkeeping lists do without.

class CTkMarkupCollection : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    // The factory's collection: any object, parenting.
    CTkMarkupCollection();
    explicit CTkMarkupCollection(CTkMarkupType* pItemType, BOOL bParenting = TRUE);

    int GetCount() const { return static_cast<int>(m_items.size()); }
    // Borrowed. An index outside 0 .. count - 1 raises CInvalidArgException.
    CTkMarkupObject* GetItem(int nIndex) const;
    // Takes over pItem; NULL or an object not of the item type is released and not added.
    void Add(CTkMarkupObject* pItem);
    // An index outside the list is ignored.
    void RemoveAt(int nIndex);
    void RemoveAll();
    CTkMarkupType* GetItemType() const { return m_pItemType; }

    int GetLogicalChildrenCount() const override { return GetCount(); }
    CTkMarkupObject* GetLogicalChild(int nIndex) const override { return GetItem(nIndex); }
    // Content of the item type is added; anything else raises the collection's error.
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return GetCount() > 0; }
    // Called after pItem was appended at nIndex.
    virtual void OnItemAdded(CTkMarkupObject* pItem, int nIndex);

protected:
    ~CTkMarkupCollection() override;

private:
    void Unparent(CTkMarkupObject* pItem);

    std::vector<CTkMarkupObject*> m_items;  // one reference each
    CTkMarkupType* m_pItemType;
    BOOL m_bParenting;
};

// A collection of T items with a typed GetItem.
template <class T>
class CTkMarkupCollectionOf : public CTkMarkupCollection {
public:
    explicit CTkMarkupCollectionOf(BOOL bParenting = TRUE) : CTkMarkupCollection(T::GetClassType(), bParenting) {}
    T* GetItem(int nIndex) const { return static_cast<T*>(CTkMarkupCollection::GetItem(nIndex)); }
};
