#pragma once
#include "Object.h"
#include "String.h"

// CFile: a Win32 file handle with MFC's open flags; the base of the layer's other files.
//
// Open answers FALSE (and fills the optional CFileException) when the file cannot be opened; the
// other operations raise CFileException on failure, except Read, which answers the number of bytes
// read (fewer at the end of the file). The object owns its handle: Close or the destructor closes it.
// One thread uses a CFile at a time.

class CFileException;

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,  // no sharing, like shareExclusive
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    ~CFile() override;

    // Opens lpszFileName; without a share flag nobody else may open the file meanwhile.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Closes the file; raises CFileException when the handle cannot be closed.
    virtual void Close();
    // Closes the file and ignores errors.
    virtual void Abort();

    // Reading and writing
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Flush();

    // Position and length
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;

    const CString& GetFilePath() const { return m_strFileName; }

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

protected:
    // Raises the CFileException that the calling thread's last Win32 error stands for.
    [[noreturn]] void ThrowLastError() const;

    CString m_strFileName;
};
