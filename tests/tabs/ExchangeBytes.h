#pragma once
// A ribbon part saved through the archive property exchange to bytes and loaded back from them, and the bytes
// edited to name another stored class.
#include "TkPropExchange.h"

#include "mfc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

// Anything with DoPropExchange: the ribbon bar, its group collections.
template <class T>
std::vector<BYTE> Saved(T* pObject) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CTkPropExchangeArchive exchange(ar);
        pObject->DoPropExchange(&exchange);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Loads the bytes into the object; the archive exception's cause, or -1 when it loaded.
template <class T>
int Load(T* pObject, std::vector<BYTE> bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive exchange(ar);
    try {
        pObject->DoPropExchange(&exchange);
    } catch (CArchiveException* e) {
        const int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    return -1;
}

// Replaces the first stored class name by another of the same length.
inline void ReplaceClassName(std::vector<BYTE>& bytes, const char* pszFrom, const char* pszTo) {
    const size_t nLength = std::strlen(pszFrom);
    ASSERT_EQ(nLength, std::strlen(pszTo));
    auto it = std::search(bytes.begin(), bytes.end(), pszFrom, pszFrom + nLength);
    ASSERT_NE(it, bytes.end()) << pszFrom;
    std::copy(pszTo, pszTo + nLength, it);
}
