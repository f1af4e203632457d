#pragma once
#include "Archive.h"
#include "Exception.h"
#include "Object.h"
#include "String.h"

#include <type_traits>
#include <vector>

// CMap: a hash table from keys to values with a fixed, observable order.
//
// Keys go to bucket HashKey(key) % GetHashTableSize(); the table has 17 buckets unless InitHashTable
// set another size while the map was empty. A new key goes to the head of its bucket. Iteration visits
// the buckets in ascending order and, inside a bucket, the most recently inserted key first; SetAt on
// an existing key keeps its place and RemoveKey leaves the others' order alone. Persisted tables and
// nearest-key searches rely on this order. Not thread-safe: the owner locks it.

// Serialize stores the count (the archive's count form), then each key and value in iteration order:
// plain values as their raw little-endian bytes, strings in the archive's string form. Loading empties
// the map first and inserts the pairs in the order read; a stream that ends early raises
// CArchiveException(endOfFile).

// Integer and pointer keys hash to their value shifted right by 4 (pointers truncated to 32 bits after
// the shift); strings hash h = h * 33 + c over their code units. Other key types provide a
// specialisation.
template <class ARG_KEY>
UINT HashKey(ARG_KEY key) {
    using K = std::remove_cvref_t<ARG_KEY>;
    if constexpr (std::is_same_v<K, const wchar_t*> || std::is_same_v<K, wchar_t*> || std::is_same_v<K, CString>) {
        UINT nHash = 0;
        for (const wchar_t* p = key; *p != 0; ++p)
            nHash = nHash * 33 + static_cast<UINT>(*p);
        return nHash;
    } else if constexpr (std::is_pointer_v<K>) {
        return static_cast<UINT>(reinterpret_cast<UINT_PTR>(key) >> 4);
    } else if constexpr (std::is_enum_v<K>) {
        return static_cast<UINT>(static_cast<std::make_unsigned_t<std::underlying_type_t<K>>>(key) >> 4);
    } else {
        static_assert(std::is_integral_v<K>, "this key type needs its own HashKey");
        return static_cast<UINT>(static_cast<std::make_unsigned_t<K>>(key) >> 4);
    }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
    static constexpr UINT kDefaultHashTableSize = 17;

    // nBlockSize is accepted for compatibility; entries are allocated one by one.
    explicit CMap(INT_PTR nBlockSize = 10) {}
    ~CMap() override { RemoveAll(); }

    // Size
    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the number of buckets; only while the map is empty (otherwise the order would change).
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE);

    // Lookup and change
    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    // The value of key, inserted value-initialised when the key is new.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    // Iteration in the map's order; GetNextAssoc sets rNextPosition to NULL after the last entry.
    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    void Serialize(CArchive& ar) override;

private:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

    CAssoc* Find(ARG_KEY key, UINT nHashValue) const;
    CAssoc* FirstFrom(UINT nBucket) const;

    std::vector<CAssoc*> m_buckets;  // empty until the first insertion
    UINT m_nHashTableSize = kDefaultHashTableSize;
    INT_PTR m_nCount = 0;
};

// One key or value of a serialized map.
template <class T>
void SerializeMapElement(CArchive& ar, T& value) {
    if constexpr (std::is_same_v<T, CString>) {
        if (ar.IsStoring())
            ar << value;
        else
            ar >> value;
    } else {
        static_assert(std::is_trivially_copyable_v<T>, "this element type needs its own archive form");
        if (ar.IsStoring())
            ar.Write(&value, sizeof(T));
        else if (ar.Read(&value, sizeof(T)) != sizeof(T))
            AfxThrowArchiveException(CArchiveException::endOfFile);
    }
}

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
public:
    using CMap::CMap;
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
public:
    using CMap::CMap;
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
public:
    using CMap::CMap;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow) {
    ASSERT(m_nCount == 0 && nHashSize > 0);
    if (m_nCount != 0 || nHashSize == 0)
        return;
    m_nHashTableSize = nHashSize;
    m_buckets.clear();
    if (bAllocNow)
        m_buckets.assign(nHashSize, nullptr);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Find(
    ARG_KEY key, UINT nHashValue) const {
    if (m_buckets.empty())
        return nullptr;
    for (CAssoc* pAssoc = m_buckets[nHashValue % m_nHashTableSize]; pAssoc != nullptr; pAssoc = pAssoc->pNext) {
        if (pAssoc->nHashValue == nHashValue && pAssoc->key == key)
            return pAssoc;
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const {
    CAssoc* pAssoc = Find(key, HashKey<ARG_KEY>(key));
    if (pAssoc == nullptr)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key) {
    UINT nHashValue = HashKey<ARG_KEY>(key);
    if (CAssoc* pAssoc = Find(key, nHashValue))
        return pAssoc->value;
    if (m_buckets.empty())
        m_buckets.assign(m_nHashTableSize, nullptr);
    CAssoc*& pHead = m_buckets[nHashValue % m_nHashTableSize];
    pHead = new CAssoc{pHead, nHashValue, KEY(key), VALUE()};
    ++m_nCount;
    return pHead->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key) {
    if (m_buckets.empty())
        return FALSE;
    UINT nHashValue = HashKey<ARG_KEY>(key);
    for (CAssoc** ppAssoc = &m_buckets[nHashValue % m_nHashTableSize]; *ppAssoc != nullptr;
         ppAssoc = &(*ppAssoc)->pNext) {
        CAssoc* pAssoc = *ppAssoc;
        if (pAssoc->nHashValue == nHashValue && pAssoc->key == key) {
            *ppAssoc = pAssoc->pNext;
            delete pAssoc;
            --m_nCount;
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll() {
    for (CAssoc* pAssoc : m_buckets) {
        while (pAssoc != nullptr) {
            CAssoc* pNext = pAssoc->pNext;
            delete pAssoc;
            pAssoc = pNext;
        }
    }
    m_buckets.clear();
    m_nCount = 0;
}

// The first entry of the first non-empty bucket at or after nBucket, or NULL.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstFrom(
    UINT nBucket) const {
    for (; nBucket < m_buckets.size(); ++nBucket) {
        if (m_buckets[nBucket] != nullptr)
            return m_buckets[nBucket];
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
    CAssoc* pAssoc = rNextPosition == BEFORE_START_POSITION ? FirstFrom(0) : reinterpret_cast<CAssoc*>(rNextPosition);
    if (pAssoc == nullptr)
        AfxThrowInvalidArgException();
    rKey = pAssoc->key;
    rValue = pAssoc->value;
    CAssoc* pNext = pAssoc->pNext != nullptr ? pAssoc->pNext : FirstFrom(pAssoc->nHashValue % m_nHashTableSize + 1);
    rNextPosition = reinterpret_cast<POSITION>(pNext);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        POSITION pos = GetStartPosition();
        while (pos != nullptr) {
            KEY key;
            VALUE value;
            GetNextAssoc(pos, key, value);
            SerializeMapElement(ar, key);
            SerializeMapElement(ar, value);
        }
        return;
    }
    RemoveAll();
    // Pairs are read one by one, so a count larger than the stream ends at its end, not in an allocation.
    for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; --nCount) {
        KEY key{};
        VALUE value{};
        SerializeMapElement(ar, key);
        SerializeMapElement(ar, value);
        SetAt(key, value);
    }
}
