#include "File.h"

#include "Exception.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

DWORD ShareMode(UINT nOpenFlags) {
    switch (nOpenFlags & 0x70) {
        case CFile::shareDenyWrite:
            return FILE_SHARE_READ;
        case CFile::shareDenyRead:
            return FILE_SHARE_WRITE;
        case CFile::shareDenyNone:
            return FILE_SHARE_READ | FILE_SHARE_WRITE;
        default:
            return 0;
    }
}

DWORD Access(UINT nOpenFlags) {
    switch (nOpenFlags & 3) {
        case CFile::modeWrite:
            return GENERIC_WRITE;
        case CFile::modeReadWrite:
            return GENERIC_READ | GENERIC_WRITE;
        default:
            return GENERIC_READ;
    }
}

DWORD Disposition(UINT nOpenFlags) {
    if ((nOpenFlags & CFile::modeCreate) == 0)
        return OPEN_EXISTING;
    return (nOpenFlags & CFile::modeNoTruncate) != 0 ? OPEN_ALWAYS : CREATE_ALWAYS;
}

}  // namespace

CFile::~CFile() {
    if (m_hFile != INVALID_HANDLE_VALUE)
        Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    if (m_hFile != INVALID_HANDLE_VALUE)
        Abort();
    m_strFileName = lpszFileName;
    m_hFile = ::CreateFileW(lpszFileName, Access(nOpenFlags), ShareMode(nOpenFlags), nullptr, Disposition(nOpenFlags),
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile != INVALID_HANDLE_VALUE)
        return TRUE;
    if (pError != nullptr) {
        LONG lOsError = static_cast<LONG>(::GetLastError());
        pError->m_cause = CFileException::OsErrorToException(lOsError);
        pError->m_lOsError = lOsError;
        pError->m_strFileName = lpszFileName;
    }
    return FALSE;
}

void CFile::Close() {
    HANDLE hFile = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (hFile != INVALID_HANDLE_VALUE && !::CloseHandle(hFile))
        ThrowLastError();
}

void CFile::Abort() {
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    DWORD nRead = 0;
    if (nCount != 0 && !::ReadFile(m_hFile, lpBuf, nCount, &nRead, nullptr))
        ThrowLastError();
    return nRead;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    DWORD nWritten = 0;
    if (nCount == 0)
        return;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &nWritten, nullptr))
        ThrowLastError();
    if (nWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::Flush() {
    if (m_hFile != INVALID_HANDLE_VALUE && !::FlushFileBuffers(m_hFile))
        ThrowLastError();
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    LARGE_INTEGER distance;
    distance.QuadPart = lOff;
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, distance, &position, nFrom))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const {
    LARGE_INTEGER distance = {};
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::ThrowLastError() const {
    LONG lOsError = static_cast<LONG>(::GetLastError());
    AfxThrowFileException(CFileException::OsErrorToException(lOsError), lOsError, m_strFileName);
}
