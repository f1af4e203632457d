#pragma once
#include "DC.h"

#include <objbase.h>

// Scoped resources: each class takes one system resource in its constructor and gives it back in its
// destructor, so no return path has a cleanup to remember. Each has one explicit hand-over, named for
// what it leaves to the caller. None is copyable; each belongs to the scope, and thread, that made it.
//
//   CScopedKernelHandle   a kernel handle (file, event, thread): CloseHandle
//   CScopedSelectObject   a pen, brush, font or bitmap selected into a DC: the previous one goes back
//   CScopedSaveDC         a saved DC state (SaveDC): RestoreDC
//   CScopedMemDC          a memory DC over its own 32-bpp top-down DIB section: both deleted
//   CScopedComInit        COM on the calling thread: CoUninitialize, only when the start succeeded
//   CScopedGdiPlus        GDI+: GdiplusShutdown (ScopedGdiPlus.cpp; only its users link GDI+)
//
// The DCs of BeginPaint and GetDC are CPaintDC and CClientDC (DC.h).

class CScopedKernelHandle {
public:
    explicit CScopedKernelHandle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~CScopedKernelHandle() { Close(); }
    CScopedKernelHandle(const CScopedKernelHandle&) = delete;
    CScopedKernelHandle& operator=(const CScopedKernelHandle&) = delete;

    HANDLE Get() const { return m_handle; }
    // Both failure answers of the kernel count as no handle: CreateFile's INVALID_HANDLE_VALUE and the
    // NULL of CreateEvent or CreateThread.
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    void Close() {
        if (IsValid())
            ::CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    // Takes ownership of handle, closing the one held before.
    void Attach(HANDLE handle) {
        Close();
        m_handle = handle;
    }
    // Hands the handle to the caller, who closes it; this object then holds none.
    HANDLE Detach() {
        HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return handle;
    }

private:
    HANDLE m_handle;
};

// A NULL object selects nothing, so an optional font needs no second path. Not for regions: SelectObject
// answers a region type for them, not the previous object (CDC::SelectClipRgn is the call for clipping).
class CScopedSelectObject {
public:
    CScopedSelectObject(HDC hDC, HGDIOBJ hObject)
        : m_hDC(hDC), m_hOldObject(hObject != nullptr ? ::SelectObject(hDC, hObject) : nullptr) {}
    ~CScopedSelectObject() {
        if (m_hOldObject != nullptr)
            ::SelectObject(m_hDC, m_hOldObject);
    }
    CScopedSelectObject(const CScopedSelectObject&) = delete;
    CScopedSelectObject& operator=(const CScopedSelectObject&) = delete;

    // Leaves the object selected and hands the previous one to the caller, who selects it back.
    HGDIOBJ Detach() {
        HGDIOBJ hOldObject = m_hOldObject;
        m_hOldObject = nullptr;
        return hOldObject;
    }

private:
    HDC m_hDC;             // not owned
    HGDIOBJ m_hOldObject;  // NULL when nothing was selected or the selection was handed over
};

// Everything a painter changes on the DC (objects, colours, modes, origins, clipping) goes back at once.
class CScopedSaveDC {
public:
    explicit CScopedSaveDC(HDC hDC) : m_hDC(hDC), m_nSavedDC(::SaveDC(hDC)) {}
    ~CScopedSaveDC() {
        if (m_nSavedDC != 0)
            ::RestoreDC(m_hDC, m_nSavedDC);
    }
    CScopedSaveDC(const CScopedSaveDC&) = delete;
    CScopedSaveDC& operator=(const CScopedSaveDC&) = delete;

    // Leaves the DC as it is and hands the saved state's number to the caller, who restores it.
    int Detach() {
        const int nSavedDC = m_nSavedDC;
        m_nSavedDC = 0;
        return nSavedDC;
    }

private:
    HDC m_hDC;       // not owned
    int m_nSavedDC;  // 0 when SaveDC failed or the state was handed over
};

// A memory DC drawing into a DIB section of its own, black at first. Row 0 is the top row, and pixel
// (x, y) is GetBits()[y * GetWidth() + x] as 0x00RRGGBB; call GdiFlush before reading what GDI drew.
// Painters draw into it and copy it to the screen in one BitBlt; pixel tests read its bits.
class CScopedMemDC : public CDC {
public:
    // IsValid() is FALSE when GDI cannot make the surface (an empty size, no resources); the object then
    // holds no DC. It is FALSE too once the DIB section is handed over.
    CScopedMemDC(int nWidth, int nHeight);
    ~CScopedMemDC() override;
    CScopedMemDC(const CScopedMemDC&) = delete;
    CScopedMemDC& operator=(const CScopedMemDC&) = delete;

    BOOL IsValid() const { return m_hBitmap != nullptr; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    DWORD* GetBits() const { return m_pBits; }
    // Selects the DC's first bitmap back and hands the DIB section to the caller, who deletes it; the
    // bits stay readable until then, and the DC is still deleted with this object.
    HBITMAP DetachBitmap();

private:
    int m_nWidth;
    int m_nHeight;
    DWORD* m_pBits = nullptr;        // the DIB section's pixels, owned with it
    HBITMAP m_hBitmap = nullptr;     // the DIB section while it is selected
    HGDIOBJ m_hOldBitmap = nullptr;  // the DC's own 1x1 bitmap
};

class CScopedComInit {
public:
    explicit CScopedComInit(DWORD dwCoInit = COINIT_APARTMENTTHREADED)
        : m_hr(::CoInitializeEx(nullptr, dwCoInit)), m_bStarted(SUCCEEDED(m_hr)) {}
    ~CScopedComInit() {
        if (m_bStarted)
            ::CoUninitialize();
    }
    CScopedComInit(const CScopedComInit&) = delete;
    CScopedComInit& operator=(const CScopedComInit&) = delete;

    // CoInitializeEx's answer: S_OK, S_FALSE when the thread already had COM (it still counts), or a
    // failure such as RPC_E_CHANGED_MODE (another apartment kind is already set; nothing to undo).
    HRESULT GetResult() const { return m_hr; }
    // Leaves COM started; TRUE when it was, and the caller then owes the thread's CoUninitialize.
    BOOL Detach() {
        const BOOL bStarted = m_bStarted;
        m_bStarted = FALSE;
        return bStarted;
    }

private:
    HRESULT m_hr;
    BOOL m_bStarted;
};

class CScopedGdiPlus {
public:
    CScopedGdiPlus();
    ~CScopedGdiPlus();
    CScopedGdiPlus(const CScopedGdiPlus&) = delete;
    CScopedGdiPlus& operator=(const CScopedGdiPlus&) = delete;

    // FALSE when GdiplusStartup failed: nothing of GDI+ may be used then.
    BOOL IsStarted() const { return m_bStarted; }
    // Leaves GDI+ running and hands its token to the caller, who passes it to GdiplusShutdown; 0 when
    // it did not start.
    ULONG_PTR Detach();

private:
    ULONG_PTR m_token = 0;
    BOOL m_bStarted = FALSE;
};
