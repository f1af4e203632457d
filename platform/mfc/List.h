#pragma once
#include "Exception.h"
#include "Object.h"

// CList: a doubly linked list of values, walked with POSITIONs.
//
// A POSITION names one node and stays valid until that node is removed. Asking for the head or tail
// of an empty list, or a NULL position, raises CInvalidArgException. Not thread-safe: the owner locks
// it.

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
public:
    // nBlockSize is accepted for compatibility; nodes are allocated one by one.
    explicit CList(INT_PTR nBlockSize = 10) {}
    ~CList() override { RemoveAll(); }

    // Size
    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // Ends
    TYPE& GetHead() { return Checked(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return Checked(m_pNodeHead)->data; }
    TYPE& GetTail() { return Checked(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return Checked(m_pNodeTail)->data; }
    POSITION AddHead(ARG_TYPE newElement) { return LinkBefore(m_pNodeHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return LinkBefore(nullptr, newElement); }
    TYPE RemoveHead();
    TYPE RemoveTail();
    void RemoveAll();

    // Walking: GetNext/GetPrev answer the element at rPosition and move it on (NULL past the end).
    POSITION GetHeadPosition() const { return ToPosition(m_pNodeHead); }
    POSITION GetTailPosition() const { return ToPosition(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition);
    const TYPE& GetNext(POSITION& rPosition) const;
    TYPE& GetPrev(POSITION& rPosition);
    const TYPE& GetPrev(POSITION& rPosition) const;

    // By position
    TYPE& GetAt(POSITION position) { return Checked(FromPosition(position))->data; }
    const TYPE& GetAt(POSITION position) const { return Checked(FromPosition(position))->data; }
    void SetAt(POSITION position, ARG_TYPE newElement) { Checked(FromPosition(position))->data = newElement; }
    void RemoveAt(POSITION position);
    // A NULL position inserts at the head (InsertBefore) or tail (InsertAfter) of the list.
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    // Searching: the first element equal to searchValue after startAfter (from the head when NULL),
    // and the position of element nIndex; NULL when there is none.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    POSITION FindIndex(INT_PTR nIndex) const;

private:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

    static POSITION ToPosition(CNode* pNode) { return reinterpret_cast<POSITION>(pNode); }
    static CNode* FromPosition(POSITION position) { return reinterpret_cast<CNode*>(position); }
    static CNode* Checked(CNode* pNode) {
        if (pNode == nullptr)
            AfxThrowInvalidArgException();
        return pNode;
    }
    POSITION LinkBefore(CNode* pNext, ARG_TYPE newElement);

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
};

class CPtrList : public CList<void*, void*> {
public:
    using CList::CList;
};

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead() {
    TYPE value = Checked(m_pNodeHead)->data;
    RemoveAt(ToPosition(m_pNodeHead));
    return value;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail() {
    TYPE value = Checked(m_pNodeTail)->data;
    RemoveAt(ToPosition(m_pNodeTail));
    return value;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll() {
    while (m_pNodeHead != nullptr) {
        CNode* pNext = m_pNodeHead->pNext;
        delete m_pNodeHead;
        m_pNodeHead = pNext;
    }
    m_pNodeTail = nullptr;
    m_nCount = 0;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition) {
    CNode* pNode = Checked(FromPosition(rPosition));
    rPosition = ToPosition(pNode->pNext);
    return pNode->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition) const {
    CNode* pNode = Checked(FromPosition(rPosition));
    rPosition = ToPosition(pNode->pNext);
    return pNode->data;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition) {
    CNode* pNode = Checked(FromPosition(rPosition));
    rPosition = ToPosition(pNode->pPrev);
    return pNode->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition) const {
    CNode* pNode = Checked(FromPosition(rPosition));
    rPosition = ToPosition(pNode->pPrev);
    return pNode->data;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position) {
    CNode* pNode = Checked(FromPosition(position));
    (pNode->pPrev != nullptr ? pNode->pPrev->pNext : m_pNodeHead) = pNode->pNext;
    (pNode->pNext != nullptr ? pNode->pNext->pPrev : m_pNodeTail) = pNode->pPrev;
    delete pNode;
    --m_nCount;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement) {
    return LinkBefore(position != nullptr ? FromPosition(position) : m_pNodeHead, newElement);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement) {
    return LinkBefore(position != nullptr ? FromPosition(position)->pNext : nullptr, newElement);
}

// Links a new node before pNext, or at the tail when pNext is NULL.
template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::LinkBefore(CNode* pNext, ARG_TYPE newElement) {
    CNode* pPrev = pNext != nullptr ? pNext->pPrev : m_pNodeTail;
    CNode* pNode = new CNode{pNext, pPrev, newElement};
    (pPrev != nullptr ? pPrev->pNext : m_pNodeHead) = pNode;
    (pNext != nullptr ? pNext->pPrev : m_pNodeTail) = pNode;
    ++m_nCount;
    return ToPosition(pNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const {
    CNode* pNode = startAfter != nullptr ? FromPosition(startAfter)->pNext : m_pNodeHead;
    for (; pNode != nullptr; pNode = pNode->pNext) {
        if (pNode->data == searchValue)
            return ToPosition(pNode);
    }
    return nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    CNode* pNode = m_pNodeHead;
    for (; nIndex > 0; --nIndex)
        pNode = pNode->pNext;
    return ToPosition(pNode);
}
