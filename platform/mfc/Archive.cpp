#include "Archive.h"

#include "Exception.h"
#include "File.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;
constexpr WORD kUnicodeMarker = 0xFFFE;
constexpr size_t kMaxClassName = 63;  // longer stored names are not ours

// The length prefix of a stored string, and the size of its characters: an 8-bit string starts with
// the length directly, a UTF-16 one after FF FE FF.
ULONGLONG ReadStringLength(CArchive& ar, size_t& nCharSize) {
    nCharSize = sizeof(char);
    BYTE bLength;
    ar >> bLength;
    if (bLength < 0xFF)
        return bLength;
    WORD wLength;
    ar >> wLength;
    if (wLength == kUnicodeMarker) {
        nCharSize = sizeof(wchar_t);
        ar >> bLength;
        if (bLength < 0xFF)
            return bLength;
        ar >> wLength;
    }
    if (wLength < 0xFFFF)
        return wLength;
    DWORD dwLength;
    ar >> dwLength;
    if (dwLength < 0xFFFFFFFF)
        return dwLength;
    ULONGLONG qwLength;
    ar >> qwLength;
    return qwLength;
}

}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_pFile(pFile), m_nMode(nMode), m_nBufSize(nBufSize < 128 ? 128u : static_cast<UINT>(nBufSize)) {}

CArchive::~CArchive() {
    if (m_pFile == nullptr)
        return;
    if ((m_nMode & bNoFlushOnDelete) != 0) {
        Abort();
        return;
    }
    // A destructor cannot report a failed write; Close explicitly to see it.
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
        Abort();
    }
}

void CArchive::Flush() {
    if (m_pFile == nullptr)
        return;
    if (IsStoring()) {
        if (!m_buffer.empty())
            m_pFile->Write(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
        m_buffer.clear();
        return;
    }
    size_t nUnread = m_buffer.size() - m_nBufPos;
    if (nUnread != 0)
        m_pFile->Seek(-static_cast<LONGLONG>(nUnread), CFile::current);
    m_buffer.clear();
    m_nBufPos = 0;
}

void CArchive::Close() {
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort() {
    m_buffer.clear();
    m_nBufPos = 0;
    m_pFile = nullptr;
}

void CArchive::Throw(int cause) const {
    AfxThrowArchiveException(cause, m_pFile != nullptr ? m_pFile->GetFilePath().GetString() : nullptr);
}

void CArchive::CheckMode(bool bLoading) const {
    if (m_pFile == nullptr)
        Throw(CArchiveException::genericException);
    if (bLoading && IsStoring())
        Throw(CArchiveException::writeOnly);
    if (!bLoading && IsLoading())
        Throw(CArchiveException::readOnly);
}

void CArchive::FillBuffer(UINT nCount) {
    if (m_nBufPos != 0) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<ptrdiff_t>(m_nBufPos));
        m_nBufPos = 0;
    }
    while (m_buffer.size() < nCount) {
        size_t nHave = m_buffer.size();
        UINT nWant = std::max(m_nBufSize, nCount - static_cast<UINT>(nHave));
        m_buffer.resize(nHave + nWant);
        UINT nRead = m_pFile->Read(m_buffer.data() + nHave, nWant);
        m_buffer.resize(nHave + nRead);
        if (nRead == 0)
            break;
    }
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    CheckMode(true);
    BYTE* pOut = static_cast<BYTE*>(lpBuf);
    UINT nDone = 0;
    size_t nBuffered = std::min<size_t>(m_buffer.size() - m_nBufPos, nMax);
    if (nBuffered != 0)
        std::memcpy(pOut, m_buffer.data() + m_nBufPos, nBuffered);
    m_nBufPos += nBuffered;
    nDone += static_cast<UINT>(nBuffered);
    if (nDone == nMax)
        return nDone;
    // Large reads go straight to the file; small ones refill the buffer.
    if (nMax - nDone >= m_nBufSize) {
        while (nDone < nMax) {
            UINT nRead = m_pFile->Read(pOut + nDone, nMax - nDone);
            if (nRead == 0)
                break;
            nDone += nRead;
        }
        return nDone;
    }
    FillBuffer(nMax - nDone);
    size_t nMore = std::min<size_t>(m_buffer.size(), nMax - nDone);
    if (nMore != 0)
        std::memcpy(pOut + nDone, m_buffer.data(), nMore);
    m_nBufPos = nMore;
    return nDone + static_cast<UINT>(nMore);
}

void CArchive::ReadExact(void* lpBuf, UINT nCount) {
    if (Read(lpBuf, nCount) != nCount)
        Throw(CArchiveException::endOfFile);
}

UINT CArchive::Peek(void* lpBuf, UINT nMax) {
    CheckMode(true);
    if (m_buffer.size() - m_nBufPos < nMax)
        FillBuffer(nMax);
    size_t nAvailable = std::min<size_t>(m_buffer.size() - m_nBufPos, nMax);
    if (nAvailable != 0)
        std::memcpy(lpBuf, m_buffer.data() + m_nBufPos, nAvailable);
    return static_cast<UINT>(nAvailable);
}

ULONGLONG CArchive::GetBytesLeft() const {
    ULONGLONG nUnread = m_buffer.size() - m_nBufPos;
    if (m_pFile == nullptr)
        return nUnread;
    ULONGLONG nLength = m_pFile->GetLength();
    ULONGLONG nPosition = m_pFile->GetPosition();
    return nUnread + (nLength > nPosition ? nLength - nPosition : 0);
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
    CheckMode(false);
    const BYTE* pIn = static_cast<const BYTE*>(lpBuf);
    m_buffer.insert(m_buffer.end(), pIn, pIn + nMax);
    if (m_buffer.size() >= m_nBufSize)
        Flush();
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(dwCount);
}

DWORD_PTR CArchive::ReadCount() {
    WORD wCount;
    *this >> wCount;
    DWORD dwCount = wCount;
    if (wCount == 0xFFFF)
        *this >> dwCount;
    // Every counted item takes at least one byte, so a larger count cannot be honest.
    if (dwCount > GetBytesLeft())
        Throw(CArchiveException::endOfFile);
    return dwCount;
}

DWORD CArchive::NextIndex() {
    if (m_nMapCount >= kMaxMapCount)
        Throw(CArchiveException::badIndex);
    return m_nMapCount++;
}

void CArchive::MapObject(const CObject* pOb) {
    if (IsStoring()) {
        if (m_storeMap.find(pOb) == m_storeMap.end())
            m_storeMap[pOb] = NextIndex();
        return;
    }
    NextIndex();
    m_loadArray.push_back({pOb, false, 0});
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
    // Only serialisable classes have a schema to store.
    ASSERT(pClassRef != nullptr && pClassRef->m_wSchema != AFX_NOT_SERIALIZABLE);
    CheckMode(false);
    auto found = m_storeMap.find(pClassRef);
    if (found != m_storeMap.end()) {
        DWORD nIndex = found->second;
        if (nIndex < kBigObjectTag)
            *this << static_cast<WORD>(kClassTag | nIndex);
        else
            *this << kBigObjectTag << (kBigClassTag | nIndex);
        return;
    }
    WORD nLength = static_cast<WORD>(std::strlen(pClassRef->m_lpszClassName));
    *this << kNewClassTag << static_cast<WORD>(pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) << nLength;
    Write(pClassRef->m_lpszClassName, nLength);
    m_storeMap[pClassRef] = NextIndex();
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema) {
    CheckMode(true);
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == kBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(wTag & kClassTag) << 16) | (wTag & ~kClassTag);
    if ((obTag & kBigClassTag) == 0)  // an object reference where a class was expected
        Throw(CArchiveException::badIndex);

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == kNewClassTag) {
        WORD wSchema;
        WORD nLength;
        *this >> wSchema >> nLength;
        if (nLength > kMaxClassName)
            Throw(CArchiveException::badClass);
        char szClassName[kMaxClassName + 1] = {};
        ReadExact(szClassName, nLength);
        pClassRef = CRuntimeClass::FromName(szClassName);
        if (pClassRef == nullptr)
            Throw(CArchiveException::badClass);
        nSchema = wSchema;
        if ((pClassRef->m_wSchema & VERSIONABLE_SCHEMA) == 0 && pClassRef->m_wSchema != nSchema)
            Throw(CArchiveException::badSchema);
        NextIndex();
        m_loadArray.push_back({pClassRef, true, nSchema});
    } else {
        DWORD nIndex = obTag & ~kBigClassTag;
        if (nIndex == 0 || nIndex >= m_loadArray.size() || !m_loadArray[nIndex].bClass)
            Throw(CArchiveException::badIndex);
        pClassRef = static_cast<CRuntimeClass*>(const_cast<void*>(m_loadArray[nIndex].pEntry));
        nSchema = m_loadArray[nIndex].nSchema;
    }
    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
        Throw(CArchiveException::badClass);
    if (pSchema != nullptr)
        *pSchema = nSchema;
    return pClassRef;
}

CArchive& CArchive::operator<<(const CString& str) {
    ULONGLONG nLength = static_cast<ULONGLONG>(str.GetLength());
    *this << static_cast<BYTE>(0xFF) << kUnicodeMarker;
    if (nLength < 0xFF) {
        *this << static_cast<BYTE>(nLength);
    } else if (nLength < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(nLength);
    } else if (nLength < 0xFFFFFFFF) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(nLength);
    } else {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(0xFFFFFFFF) << nLength;
    }
    Write(str.GetString(), static_cast<UINT>(nLength * sizeof(wchar_t)));
    return *this;
}

CArchive& CArchive::operator>>(CString& str) {
    size_t nCharSize;
    ULONGLONG nLength = ReadStringLength(*this, nCharSize);
    if (nLength > GetBytesLeft() / nCharSize)
        Throw(CArchiveException::endOfFile);
    if (nLength > INT_MAX)
        AfxThrowMemoryException();
    int nChars = static_cast<int>(nLength);
    if (nCharSize == sizeof(wchar_t)) {
        ReadExact(str.GetBufferSetLength(nChars), static_cast<UINT>(nLength * nCharSize));
        str.ReleaseBuffer(nChars);
        return *this;
    }
    CStringA narrow;
    ReadExact(narrow.GetBufferSetLength(nChars), static_cast<UINT>(nLength));
    narrow.ReleaseBuffer(nChars);
    str = AfxA2W(narrow);
    return *this;
}

CArchive& operator<<(CArchive& ar, const RECT& rect) {
    return ar << rect.left << rect.top << rect.right << rect.bottom;
}

CArchive& operator<<(CArchive& ar, SIZE size) {
    return ar << size.cx << size.cy;
}

CArchive& operator<<(CArchive& ar, POINT point) {
    return ar << point.x << point.y;
}

CArchive& operator>>(CArchive& ar, RECT& rect) {
    return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}

CArchive& operator>>(CArchive& ar, SIZE& size) {
    return ar >> size.cx >> size.cy;
}

CArchive& operator>>(CArchive& ar, POINT& point) {
    return ar >> point.x >> point.y;
}
