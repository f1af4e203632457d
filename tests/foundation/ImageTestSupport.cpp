#include "ImageTestSupport.h"

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
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
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
