#include "StdioFile.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

constexpr UINT kReadAhead = 4096;

}  // namespace

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    DropAhead();
    return CFile::Open(lpszFileName, nOpenFlags, pError);
}

bool CStdioFile::FillAhead() {
    m_ahead.erase(0, m_nAheadPos);
    m_nAheadPos = 0;
    size_t nHave = m_ahead.size();
    m_ahead.resize(nHave + kReadAhead);
    UINT nRead = CFile::Read(m_ahead.data() + nHave, kReadAhead);
    m_ahead.resize(nHave + nRead);
    return nRead != 0;
}

void CStdioFile::DropAhead() {
    m_ahead.clear();
    m_nAheadPos = 0;
}

BOOL CStdioFile::ReadString(CString& rString) {
    rString.Empty();
    size_t nLineFeed;
    while ((nLineFeed = m_ahead.find('\n', m_nAheadPos)) == std::string::npos) {
        if (!FillAhead())
            break;
    }
    size_t nEnd = nLineFeed == std::string::npos ? m_ahead.size() : nLineFeed;
    if (nEnd == m_nAheadPos && nLineFeed == std::string::npos)
        return FALSE;
    size_t nNext = nLineFeed == std::string::npos ? nEnd : nLineFeed + 1;
    if (nLineFeed != std::string::npos && nEnd > m_nAheadPos && m_ahead[nEnd - 1] == '\r')
        --nEnd;
    wchar_t* pOut = rString.GetBufferSetLength(static_cast<int>(nEnd - m_nAheadPos));
    for (size_t i = m_nAheadPos; i < nEnd; ++i)
        *pOut++ = static_cast<unsigned char>(m_ahead[i]);
    m_nAheadPos = nNext;
    return TRUE;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
    size_t nAhead = std::min<size_t>(m_ahead.size() - m_nAheadPos, nCount);
    if (nAhead != 0)
        std::memcpy(lpBuf, m_ahead.data() + m_nAheadPos, nAhead);
    m_nAheadPos += nAhead;
    if (nAhead == nCount)
        return nCount;
    return static_cast<UINT>(nAhead) +
           CFile::Read(static_cast<BYTE*>(lpBuf) + nAhead, nCount - static_cast<UINT>(nAhead));
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom) {
    if (nFrom == current)
        lOff -= static_cast<LONGLONG>(m_ahead.size() - m_nAheadPos);
    DropAhead();
    return CFile::Seek(lOff, nFrom);
}

ULONGLONG CStdioFile::GetPosition() const {
    return CFile::GetPosition() - (m_ahead.size() - m_nAheadPos);
}

void CStdioFile::Close() {
    DropAhead();
    CFile::Close();
}

void CStdioFile::Abort() {
    DropAhead();
    CFile::Abort();
}
