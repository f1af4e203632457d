#include "TkGraphicBitmapPng.h"

#include "TkBitmapFunctions.h"
#include "TkPngDecode.h"

#include <png.h>

#include <cstdlib>

namespace {

constexpr UINT kSignatureSize = 8;
// A resource this short cannot hold a PNG: the signature alone takes 8 bytes.
constexpr DWORD kMinResourceSize = 10;

// The decoder's reader over a CFile. Runs inside libpng's frames: it must not throw, so a failing
// file counts as input that ended.
size_t ReadFromFile(void* pSource, unsigned char* pData, size_t nCount) {
    try {
        return static_cast<CFile*>(pSource)->Read(pData, static_cast<UINT>(nCount));
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return 0;
}

}  // namespace

BOOL ReadPngImage(CFile* pFile, BYTE** ppBuffer, UINT* pnWidth, UINT* pnHeight, int* pnChannels, BYTE* pBackground) {
    std::free(*ppBuffer);
    *ppBuffer = nullptr;
    if (pFile == nullptr)
        return FALSE;
    png_byte signature[kSignatureSize] = {};
    if (ReadFromFile(pFile, signature, kSignatureSize) != kSignatureSize ||
        png_sig_cmp(signature, 0, kSignatureSize) != 0)
        return FALSE;
    unsigned int nWidth = 0;
    unsigned int nHeight = 0;
    if (!TkPngDecode(ReadFromFile, pFile, ppBuffer, &nWidth, &nHeight, pnChannels, pBackground))
        return FALSE;
    *pnWidth = nWidth;
    *pnHeight = nHeight;
    return TRUE;
}

HBITMAP CreateDibFromPngRows(const BYTE* pRows, int nWidth, int nHeight, int nChannels) {
    if (nChannels != 3 && nChannels != 4)
        return nullptr;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDibSection32(nullptr, nWidth, -nHeight, &pBits);  // top-down, like the rows
    if (hBitmap == nullptr)
        return nullptr;
    BYTE* pOut = static_cast<BYTE*>(pBits);
    const size_t nPixels = static_cast<size_t>(nWidth) * nHeight;
    for (size_t i = 0; i < nPixels; ++i, pRows += nChannels, pOut += 4) {
        pOut[0] = pRows[2];
        pOut[1] = pRows[1];
        pOut[2] = pRows[0];
        pOut[3] = nChannels == 4 ? pRows[3] : 0;
    }
    return hBitmap;
}

void CTkGraphicBitmapPng::Reset() {
    m_bAlpha = FALSE;
    DeleteObject();
}

BOOL CTkGraphicBitmapPng::LoadFromFile(CFile* pFile) {
    Reset();
    BYTE* pBuffer = nullptr;
    UINT nWidth = 0;
    UINT nHeight = 0;
    int nChannels = 0;
    BYTE background[3] = {};
    if (!ReadPngImage(pFile, &pBuffer, &nWidth, &nHeight, &nChannels, background))
        return FALSE;
    HBITMAP hBitmap = CreateDibFromPngRows(pBuffer, static_cast<int>(nWidth), static_cast<int>(nHeight), nChannels);
    std::free(pBuffer);
    if (hBitmap == nullptr)
        return FALSE;
    m_bAlpha = nChannels == 4;
    return Attach(hBitmap);
}

BOOL CTkGraphicBitmapPng::LoadFromPath(LPCTSTR lpszPath) {
    Reset();
    CFile file;
    if (!file.Open(lpszPath, CFile::modeRead))
        return FALSE;
    return LoadFromFile(&file);  // the file closes with its object
}

BOOL CTkGraphicBitmapPng::LoadFromResource(HINSTANCE hModule, HRSRC hResource) {
    Reset();
    if (hResource == nullptr)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    void* pData = hData != nullptr ? ::LockResource(hData) : nullptr;
    const DWORD nSize = ::SizeofResource(hModule, hResource);
    if (pData == nullptr || nSize < kMinResourceSize)
        return FALSE;
    CMemFile file(static_cast<BYTE*>(pData), nSize);
    return LoadFromFile(&file);
}
