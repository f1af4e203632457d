#pragma once
#include "mfc.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstdlib>

// Pixel tests draw into a CScopedMemDC (a 32-bpp top-down DIB section in a memory DC) and read its bits:
// pixels as COLORREFs, colours compared with a tolerance where a system blend computes them, and a PNG
// of what was drawn for a person to look at.

// Pixel (x, y) of the memory DC as a COLORREF (after GdiFlush).
inline COLORREF PixelAt(const CScopedMemDC& dc, int x, int y) {
    ::GdiFlush();
    const DWORD bgr = dc.GetBits()[y * dc.GetWidth() + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

// The alpha byte of pixel (x, y).
inline BYTE AlphaAt(const CScopedMemDC& dc, int x, int y) {
    ::GdiFlush();
    return static_cast<BYTE>(dc.GetBits()[y * dc.GetWidth() + x] >> 24);
}

// Channel by channel at most nTolerance apart.
inline ::testing::AssertionResult ColorsNear(COLORREF expected, COLORREF actual, int nTolerance) {
    for (int nShift = 0; nShift <= 16; nShift += 8) {
        if (std::abs(static_cast<int>((expected >> nShift) & 0xFF) - static_cast<int>((actual >> nShift) & 0xFF)) >
            nTolerance)
            return ::testing::AssertionFailure() << std::hex << "expected 0x" << expected << ", got 0x" << actual;
    }
    return ::testing::AssertionSuccess();
}

// Writes the DC's pixels as a PNG file (a relative name lands in the working folder, the build's test
// folder); FALSE when GDI+ cannot encode it.
inline BOOL WritePng(const CScopedMemDC& dc, LPCWSTR pszFileName) {
    CScopedGdiPlus gdiPlus;
    if (!gdiPlus.IsStarted())
        return FALSE;
    ::GdiFlush();
    Gdiplus::Bitmap bitmap(dc.GetWidth(), dc.GetHeight(), dc.GetWidth() * 4, PixelFormat32bppRGB,
                           reinterpret_cast<BYTE*>(dc.GetBits()));
    // The PNG encoder of GDI+.
    const CLSID pngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    // Several runs of one program write the same pictures at once: each writes its own file, then
    // replaces the picture in one step.
    CString temporary;
    temporary.Format(L"%s.%lu.tmp", pszFileName, ::GetCurrentProcessId());
    if (bitmap.Save(temporary.GetString(), &pngEncoder, nullptr) != Gdiplus::Ok)
        return FALSE;
    if (::MoveFileExW(temporary.GetString(), pszFileName, MOVEFILE_REPLACE_EXISTING))
        return TRUE;
    ::DeleteFileW(temporary.GetString());
    return FALSE;
}
