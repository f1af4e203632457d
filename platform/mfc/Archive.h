#pragma once
#include "Object.h"
#include "String.h"

#include <unordered_map>
#include <vector>

// CArchive: a binary stream of values over a CFile, in one direction.
//
// Values are little-endian without padding; the byte forms are fixed because stored files depend on
// them:
// - primitives: 1, 2, 4 or 8 bytes by type; RECT as 4 and SIZE/POINT as 2 32-bit values;
// - count (WriteCount/ReadCount): a WORD below 0xFFFF, else 0xFFFF and a DWORD;
// - CString: FF FE FF, then the length in characters (a BYTE below 255; else FF and a WORD below
//   0xFFFE; else FF FFFF and a DWORD below 0xFFFFFFFF; else FF FFFF FFFFFFFF and a ULONGLONG), then
//   the UTF-16LE characters without terminator. Loading also takes the 8-bit form (no FF FE
//   marker), widened with the ANSI code page;
// - class reference (WriteClass/ReadClass): a new class is WORD 0xFFFF, WORD schema (without the
//   versionable bit), WORD name length and the ASCII name; a class seen before is WORD 0x8000 | index,
//   or WORD 0x7FFF and DWORD 0x80000000 | index once the index reaches 0x7FFF. Classes and objects
//   registered with MapObject share one numbering from 1 in order of first appearance.
//
// Loading never trusts the stream: a short read of a value raises CArchiveException(endOfFile), and a
// string length or count larger than the bytes left in the file raises it before anything is
// allocated. Unknown or unexpected classes raise badClass, bad indices badIndex and a schema
// mismatch of a non-versionable class badSchema.
//
// Stores are buffered: Flush or Close writes the buffer to the file. The archive does not own the
// file. One thread uses an archive at a time.

class CFile;

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Closes the archive (flushing a store) unless it was closed or bNoFlushOnDelete was given.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }  // not owned
    // Stores: writes the buffer to the file. Loads: moves the file back to the next unread byte.
    void Flush();
    void Close();
    // Detaches from the file without writing what is buffered.
    void Abort();

    // Raw bytes: Read answers how many arrived (fewer at the end of the file).
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Copies up to nMax of the next bytes without consuming them; answers how many there were.
    UINT Peek(void* lpBuf, UINT nMax);

    // Counts
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // Class references and the object map
    void WriteClass(const CRuntimeClass* pClassRef);
    // The class read, which derives from pClassRefRequested (when not NULL). The schema stored with
    // the class goes to *pSchema. Raises CArchiveException as described above.
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr);
    // Gives pOb the next index of the numbering, as the stream's reader will.
    void MapObject(const CObject* pOb);

    // Primitives
    CArchive& operator<<(BYTE by) { return Put(by); }
    CArchive& operator<<(WORD w) { return Put(w); }
    CArchive& operator<<(short n) { return Put(n); }
    CArchive& operator<<(int i) { return Put(i); }
    CArchive& operator<<(UINT u) { return Put(u); }
    CArchive& operator<<(LONG l) { return Put(l); }
    CArchive& operator<<(DWORD dw) { return Put(dw); }
    CArchive& operator<<(float f) { return Put(f); }
    CArchive& operator<<(double d) { return Put(d); }
    CArchive& operator<<(LONGLONG ll) { return Put(ll); }
    CArchive& operator<<(ULONGLONG ull) { return Put(ull); }
    CArchive& operator<<(const CString& str);

    CArchive& operator>>(BYTE& by) { return Get(by); }
    CArchive& operator>>(WORD& w) { return Get(w); }
    CArchive& operator>>(short& n) { return Get(n); }
    CArchive& operator>>(int& i) { return Get(i); }
    CArchive& operator>>(UINT& u) { return Get(u); }
    CArchive& operator>>(LONG& l) { return Get(l); }
    CArchive& operator>>(DWORD& dw) { return Get(dw); }
    CArchive& operator>>(float& f) { return Get(f); }
    CArchive& operator>>(double& d) { return Get(d); }
    CArchive& operator>>(LONGLONG& ll) { return Get(ll); }
    CArchive& operator>>(ULONGLONG& ull) { return Get(ull); }
    CArchive& operator>>(CString& str);

    // Reads exactly nCount bytes or raises CArchiveException(endOfFile).
    void ReadExact(void* lpBuf, UINT nCount);
    // Bytes that loading can still read: the unread buffer plus the rest of the file.
    ULONGLONG GetBytesLeft() const;

private:
    template <class T>
    CArchive& Put(T value) {
        Write(&value, sizeof(value));
        return *this;
    }
    template <class T>
    CArchive& Get(T& value) {
        ReadExact(&value, sizeof(value));
        return *this;
    }
    [[noreturn]] void Throw(int cause) const;
    void CheckMode(bool bLoading) const;
    // Reads ahead until nCount unread bytes are buffered or the file ends.
    void FillBuffer(UINT nCount);
    // The next index of the numbering; raises badIndex when the numbering is exhausted.
    DWORD NextIndex();

    struct LoadEntry {
        const void* pEntry;  // a CRuntimeClass* or a CObject*
        bool bClass;
        UINT nSchema;  // the stored schema of a class
    };

    CFile* m_pFile;  // not owned; NULL once closed
    UINT m_nMode;
    UINT m_nBufSize;
    std::vector<BYTE> m_buffer;  // stores: bytes not yet written; loads: bytes read ahead
    size_t m_nBufPos = 0;        // loads: next unread byte of m_buffer
    DWORD m_nMapCount = 1;       // index 0 stands for NULL
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray{LoadEntry{nullptr, false, 0}};
};

// Win32 geometry records as raw 32-bit values.
CArchive& operator<<(CArchive& ar, const RECT& rect);
CArchive& operator<<(CArchive& ar, SIZE size);
CArchive& operator<<(CArchive& ar, POINT point);
CArchive& operator>>(CArchive& ar, RECT& rect);
CArchive& operator>>(CArchive& ar, SIZE& size);
CArchive& operator>>(CArchive& ar, POINT& point);
