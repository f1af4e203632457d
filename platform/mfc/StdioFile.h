#pragma once
#include "File.h"

#include <string>

// CStdioFile: a file read line by line as text.
//
// ReadString takes the bytes up to the next line feed as 8-bit characters of the "C" locale (each
// byte becomes the character of the same value), drops the line end (LF or CR LF) and answers FALSE
// at the end of the file; the object stays usable afterwards. Lines are read ahead in blocks, so
// Read, Seek and GetPosition account for the bytes already taken from the file.

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    BOOL ReadString(CString& rString);

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    void Close() override;
    void Abort() override;

private:
    // Takes more bytes from the file into the read-ahead; FALSE at the end of the file.
    bool FillAhead();
    void DropAhead();

    std::string m_ahead;  // bytes read from the file but not yet returned
    size_t m_nAheadPos = 0;
};
