#include "ImageTestSupport.h"

#include "TkBitmapFunctions.h"

#include <cstdlib>

HMODULE ImageResources() {
    static HMODULE s_hModule = ::LoadLibraryW(L"foundation_test_images.dll");
    return s_hModule;
}

std::vector<BYTE> ResourceBytes(LPCWSTR pszName, LPCWSTR pszType) {
    HRSRC hResource = ::FindResourceW(ImageResources(), pszName, pszType);
    HGLOBAL hData = hResource != nullptr ? ::LoadResource(ImageResources(), hResource) : nullptr;
    const BYTE* pData = hData != nullptr ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
    if (pData == nullptr)
        return {};
    return std::vector<BYTE>(pData, pData + ::SizeofResource(ImageResources(), hResource));
}

bool WriteFileBytes(const std::wstring& path, const std::vector<BYTE>& bytes) {
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite))
        return false;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    return true;
}

std::vector<DWORD> TopDownPixels(HBITMAP hBitmap) {
    BITMAP bm = {};
    if (::GetObjectW(hBitmap, sizeof(bm), &bm) == 0 || bm.bmBitsPixel != 32)
        return {};
    // Asked for a top-down copy, GDI turns the rows whatever the bitmap's own order.
    BITMAPINFO info = Dib32Header(bm.bmWidth, -bm.bmHeight);
    std::vector<DWORD> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC hDC = ::GetDC(nullptr);
    const int nRows = ::GetDIBits(hDC, hBitmap, 0, bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hDC);
    if (nRows != bm.bmHeight)
        return {};
    return pixels;
}

CSize BitmapSize(HBITMAP hBitmap) {
    BITMAP bm = {};
    if (hBitmap == nullptr || ::GetObjectW(hBitmap, sizeof(bm), &bm) == 0)
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

HBITMAP MakeDib(int cx, int cy, const PixelFunction& pixel) {
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDibSection32(nullptr, cx, cy, &pBits);
    DWORD* pPixels = static_cast<DWORD*>(pBits);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            pPixels[static_cast<size_t>(cy - 1 - y) * cx + x] = pixel(x, y);
    return hBitmap;
}

HICON MakeIcon(int cx, int cy, const PixelFunction& colour, const std::function<bool(int x, int y)>& transparent) {
    HBITMAP hColor = MakeDib(cx, cy, colour);
    const int nStride = ((cx + 15) / 16) * 2;  // monochrome rows are WORD-aligned
    std::vector<BYTE> maskBits(static_cast<size_t>(nStride) * cy, 0);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            if (transparent(x, y))
                maskBits[static_cast<size_t>(y) * nStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, maskBits.data());
    ICONINFO info = {TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}
