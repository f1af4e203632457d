#include "Exception.h"

#include <algorithm>
#include <cwchar>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

namespace {

// Copies at most nMaxError - 1 units of pszText and terminates; nothing when there is no room.
void CopyCut(LPTSTR lpszError, UINT nMaxError, LPCWSTR pszText) {
    if (lpszError == nullptr || nMaxError == 0)
        return;
    size_t n = std::min<size_t>(wcslen(pszText), nMaxError - 1);
    wmemcpy(lpszError, pszText, n);
    lpszError[n] = 0;
}

}  // namespace

void CException::Delete() {
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    CopyCut(lpszError, nMaxError, L"");
    return FALSE;
}

CSimpleException::CSimpleException(LPCTSTR lpszMessage, BOOL bAutoDelete) : CException(bAutoDelete) {
    if (lpszMessage != nullptr)
        CopyCut(m_szMessage, kMaxMessage + 1, lpszMessage);
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    CopyCut(lpszError, nMaxError, m_szMessage);
    return m_szMessage[0] != 0;
}

int CFileException::OsErrorToException(LONG lOsError) {
    switch (lOsError) {
        case NO_ERROR:
            return none;
        case ERROR_FILE_NOT_FOUND:
            return fileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
            return badPath;
        case ERROR_TOO_MANY_OPEN_FILES:
            return tooManyOpenFiles;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return accessDenied;
        case ERROR_INVALID_HANDLE:
            return invalidFile;
        case ERROR_CURRENT_DIRECTORY:
            return removeCurrentDir;
        case ERROR_CANNOT_MAKE:
            return directoryFull;
        case ERROR_SEEK:
        case ERROR_NEGATIVE_SEEK:
            return badSeek;
        case ERROR_CRC:
        case ERROR_WRITE_FAULT:
        case ERROR_READ_FAULT:
        case ERROR_GEN_FAILURE:
            return hardIO;
        case ERROR_SHARING_VIOLATION:
            return sharingViolation;
        case ERROR_LOCK_VIOLATION:
            return lockViolation;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return diskFull;
        case ERROR_HANDLE_EOF:
            return endOfFile;
        default:
            return genericException;
    }
}

void AfxThrowMemoryException() {
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

void AfxThrowResourceException() {
    throw new CResourceException();
}

void AfxThrowInvalidArgException() {
    throw new CInvalidArgException();
}

void AfxThrowNotSupportedException() {
    throw new CNotSupportedException();
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
    throw new CArchiveException(cause, lpszArchiveName);
}

void AfxThrowOleException(SCODE sc) {
    throw new COleException(sc);
}
