#include "FoundationTestSupport.h"

#include <gdiplus.h>

BOOL WritePng(const CScopedMemDC& dc, LPCWSTR pszFileName) {
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
