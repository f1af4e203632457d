#pragma once
#include "File.h"

// CMemFile: a file in memory.
//
// CMemFile(nGrowBytes) owns a buffer that grows in steps of nGrowBytes as it is written. The other
// constructor borrows the caller's bytes (for reading a resource or a stream in place): the file is
// that long and never reallocates borrowed memory, so writing past its end raises CMemoryException.
// Reading past the end answers fewer bytes; seeking before the start raises CFileException(badSeek).

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Borrows lpBuffer (not owned; it must outlive the file). nGrowBytes is accepted for
    // compatibility: borrowed memory never grows.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // Hands the buffer to the caller, who frees an owned one with free(); the file is empty afterwards.
    BYTE* Detach();

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override {}
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void Close() override;
    void Abort() override { Close(); }

private:
    void Reset();
    // Makes room for nNewSize bytes; raises CMemoryException when it cannot.
    void GrowFile(SIZE_T nNewSize);

    UINT m_nGrowBytes;
    BYTE* m_lpBuffer = nullptr;
    SIZE_T m_nBufferSize = 0;
    SIZE_T m_nFileSize = 0;
    SIZE_T m_nPosition = 0;
    bool m_bOwnsBuffer = true;
};
