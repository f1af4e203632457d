#pragma once
#include "Exception.h"
#include "Object.h"

#include <vector>

// CArray: a growable array of values.
//
// Elements are constructed and destroyed properly; elements added by SetSize are value-initialised,
// so plain records start zeroed. An index out of range raises CInvalidArgException. Element
// references and GetData stay valid until the size changes. Not thread-safe: the owner locks it.

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;

    // Size
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_data.empty(); }
    // nGrowBy is accepted for compatibility; growth is the container's.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);

    // Access
    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    // Adding and removing
    INT_PTR Add(ARG_TYPE newElement);   // answers the new element's index
    INT_PTR Append(const CArray& src);  // answers the index of the first appended
    void Copy(const CArray& src);
    // Inserts nCount copies at nIndex; an index past the end first grows the array to it.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
    void RemoveAll() { m_data.clear(); }

private:
    size_t Checked(INT_PTR nIndex) const {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
};

class CPtrArray : public CArray<void*, void*> {};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR) {
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    m_data.resize(static_cast<size_t>(nNewSize));
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement) {
    m_data.push_back(newElement);
    return GetUpperBound();
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src) {
    INT_PTR nOldSize = GetSize();
    if (&src == this) {
        m_data.reserve(m_data.size() * 2);
        m_data.insert(m_data.end(), m_data.begin(), m_data.begin() + nOldSize);
    } else {
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    }
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src) {
    if (&src != this)
        m_data = src.m_data;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount) {
    if (nIndex < 0 || nCount < 0)
        AfxThrowInvalidArgException();
    if (nIndex > GetSize()) {
        TYPE copy(newElement);  // the argument may live in this array
        m_data.resize(static_cast<size_t>(nIndex));
        m_data.insert(m_data.end(), static_cast<size_t>(nCount), copy);
        return;
    }
    m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), newElement);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount) {
    if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
        AfxThrowInvalidArgException();
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
}
