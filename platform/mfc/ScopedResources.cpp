#include "ScopedResources.h"

// ---- CScopedMemDC

CScopedMemDC::CScopedMemDC(int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight) {
    // A negative height would turn the rows bottom-up; an empty size has no surface at all.
    if (nWidth <= 0 || nHeight <= 0 || !CreateCompatibleDC(nullptr))
        return;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    m_hBitmap = ::CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (m_hBitmap == nullptr) {
        DeleteDC();
        return;
    }
    m_pBits = static_cast<DWORD*>(pBits);
    m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
}

CScopedMemDC::~CScopedMemDC() {
    if (m_hBitmap != nullptr) {
        ::SelectObject(m_hDC, m_hOldBitmap);
        ::DeleteObject(m_hBitmap);
    }
}

HBITMAP CScopedMemDC::DetachBitmap() {
    HBITMAP hBitmap = m_hBitmap;
    if (hBitmap != nullptr)
        ::SelectObject(m_hDC, m_hOldBitmap);
    m_hBitmap = nullptr;
    return hBitmap;
}
