#pragma once
#include "Object.h"
#include "String.h"

// The CException family: the layer's one exception convention.
//
// An exception is allocated with new and thrown by pointer through an AfxThrow... helper; the catcher
// takes it as CException* (or a derived pointer) and calls Delete() once. CMemoryException is a single
// pre-allocated object whose Delete() does nothing, so reporting an exhausted heap never allocates.
// No exception crosses a callback boundary (window, hook, timer and thread procedures, COM methods,
// C library callbacks): those boundaries catch everything.

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

    // Frees the exception unless it is a static one.
    virtual void Delete();
    // Copies a description into lpszError (at most nMaxError units with the terminator). FALSE when the
    // exception has none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;

    BOOL m_bAutoDelete;
};

// An exception that carries at most kMaxMessage characters of message (longer texts are cut).
class CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    static constexpr int kMaxMessage = 255;

    explicit CSimpleException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    explicit CSimpleException(LPCTSTR lpszMessage, BOOL bAutoDelete = TRUE);

    // Copies the message, cut to the buffer, clears the help context and answers TRUE when there is a
    // message.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

protected:
    WCHAR m_szMessage[kMaxMessage + 1] = {};
};

class CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    using CSimpleException::CSimpleException;
};

class CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
public:
    using CSimpleException::CSimpleException;
};

class CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    using CSimpleException::CSimpleException;
};

class CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    using CSimpleException::CSimpleException;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}

    // The cause that a Win32 error code stands for (genericException when there is none).
    static int OsErrorToException(LONG lOsError);

    int m_cause;
    LONG m_lOsError;  // Win32 error code, -1 when none
    CString m_strFileName;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none = 0,
        genericException = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7,
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_strFileName(lpszArchiveName) {}

    int m_cause;
    CString m_strFileName;
};

class COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = S_OK) : m_sc(sc) {}

    SCODE m_sc;
};

// Each helper throws a new exception of its kind (the memory one is the static object) and never
// returns.
[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
[[noreturn]] void AfxThrowOleException(SCODE sc);
