#include "MemFile.h"

#include "Exception.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes == 0 ? 1024 : nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT)
    : m_nGrowBytes(0),
      m_lpBuffer(lpBuffer),
      m_nBufferSize(nBufferSize),
      m_nFileSize(nBufferSize),
      m_bOwnsBuffer(false) {}

CMemFile::~CMemFile() {
    Close();
}

BYTE* CMemFile::Detach() {
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    Reset();
    return lpBuffer;
}

void CMemFile::Close() {
    if (m_bOwnsBuffer)
        std::free(m_lpBuffer);
    m_lpBuffer = nullptr;
    Reset();
}

void CMemFile::Reset() {
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    if (!m_bOwnsBuffer) {
        // Once the borrowed bytes are given up the file owns what it writes next.
        m_bOwnsBuffer = true;
        m_nGrowBytes = 1024;
    }
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
    if (m_nPosition >= m_nFileSize)
        return 0;
    SIZE_T nRead = m_nFileSize - m_nPosition < nCount ? m_nFileSize - m_nPosition : nCount;
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return static_cast<UINT>(nRead);
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0)
        return;
    SIZE_T nEnd = m_nPosition + nCount;
    if (nEnd > m_nBufferSize)
        GrowFile(nEnd);
    if (m_nPosition > m_nFileSize)  // a seek past the end leaves a gap of zeros
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    if (nEnd > m_nFileSize)
        m_nFileSize = nEnd;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
    LONGLONG nBase = nFrom == begin     ? 0
                     : nFrom == current ? static_cast<LONGLONG>(m_nPosition)
                                        : static_cast<LONGLONG>(m_nFileSize);
    LONGLONG nNewPosition = nBase + lOff;
    if (nNewPosition < 0)
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = static_cast<SIZE_T>(nNewPosition);
    return m_nPosition;
}

void CMemFile::GrowFile(SIZE_T nNewSize) {
    if (!m_bOwnsBuffer)
        AfxThrowMemoryException();
    SIZE_T nNewBufferSize = (nNewSize + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    BYTE* lpNew = static_cast<BYTE*>(std::realloc(m_lpBuffer, nNewBufferSize));
    if (lpNew == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = nNewBufferSize;
}
