#pragma once
#include "TkMarkupObject.h"

#include <unordered_map>

// CTkMarkupResourceDictionary: shared objects (styles, brushes, ...) stored under keys. Keys are compared
// with IsEqual and hashed with GetHashKey: strings by their text, types and most other objects by
// identity. Key and value hold one reference each. Entries are written as the dictionary's content, each
// with an "x:Key" (a style may go without one: its target type is its key). UI thread only.

class CTkMarkupResourceDictionary : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupResourceDictionary() = default;

    // The value under the key (borrowed), or NULL.
    CTkMarkupObject* Lookup(const CTkMarkupObject* pKey) const;
    // Takes over pContent, stored under its key; no key or a used key raise CTkMarkupBuilderException.
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    int GetCount() const { return static_cast<int>(m_entries.size()); }

    // The object's "x:Key"; for a style without one its "TargetType"; else NULL. Borrowed.
    static CTkMarkupObject* GetKey(const CTkMarkupObject* pObject);
    // The resource under the key for pStart: a dictionary answers its own entry; any other object asks
    // its own "Resources", then its style's, then those of its logical ancestors in turn, stopping after a
    // style. A style's "BasedOn" is not searched. Borrowed; NULL when none.
    static CTkMarkupObject* FindResource(const CTkMarkupObject* pStart, const CTkMarkupObject* pKey);

protected:
    ~CTkMarkupResourceDictionary() override;

private:
    struct KeyHash {
        size_t operator()(const CTkMarkupObject* pKey) const { return pKey->GetHashKey(); }
    };
    struct KeyEqual {
        bool operator()(const CTkMarkupObject* pA, const CTkMarkupObject* pB) const { return pA->IsEqual(pB) != FALSE; }
    };
    std::unordered_map<const CTkMarkupObject*, CTkMarkupObject*, KeyHash, KeyEqual> m_entries;  // one reference each
};
