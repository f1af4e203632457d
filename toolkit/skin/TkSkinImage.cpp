#include "TkSkinImage.h"

#include "TkBitmapFunctions.h"
#include "TkImageLoading.h"
#include "TkSkinManager.h"
#include "TkSkinManagerResourceFile.h"
#include "TkSkinManagerSchema.h"

#include <cstring>
#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

// The bitmap's pixels as 32-bit values, top row first; the alpha byte is the bitmap's own for a 32-bpp
// bitmap and 0 for others. Empty when the bitmap cannot be read.
std::vector<DWORD> ReadTopDownPixels(HBITMAP hBitmap, int nWidth, int nHeight) {
    std::vector<DWORD> pixels;
    if (nWidth <= 0 || nHeight <= 0)
        return pixels;
    pixels.resize(static_cast<size_t>(nWidth) * nHeight);
    BITMAPINFO header = Dib32Header(nWidth, -nHeight);
    HDC hScreenDC = ::GetDC(nullptr);
    const int nRows = ::GetDIBits(hScreenDC, hBitmap, 0, nHeight, pixels.data(), &header, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hScreenDC);
    if (nRows != nHeight)
        pixels.clear();
    return pixels;
}

// The COLORREF of a 32-bit pixel (blue, green, red, alpha bytes), with the alpha in the top byte when
// asked.
COLORREF PixelColor(DWORD dwPixel, BOOL bWithAlpha) {
    const COLORREF clr = RGB((dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF);
    return bWithAlpha ? clr | (dwPixel & 0xFF000000) : clr;
}

// Whether every pixel of the region has one value; an empty region is not uniform.
bool IsUniform(const std::vector<DWORD>& pixels, int nWidth, const RECT& rc) {
    if (rc.left >= rc.right || rc.top >= rc.bottom)
        return false;
    const DWORD dwFirst = pixels[static_cast<size_t>(rc.top) * nWidth + rc.left];
    for (int y = rc.top; y < rc.bottom; ++y) {
        const DWORD* pRow = pixels.data() + static_cast<size_t>(y) * nWidth;
        for (int x = rc.left; x < rc.right; ++x) {
            if (pRow[x] != dwFirst)
                return false;
        }
    }
    return true;
}

// ---- RT_BITMAP resources

struct ResourceData {
    const BYTE* pData = nullptr;
    DWORD nSize = 0;
};

ResourceData LockResourceData(HMODULE hModule, LPCWSTR pszName, LPCWSTR pszType) {
    HRSRC hResource = ::FindResourceW(hModule, pszName, pszType);
    if (hResource == nullptr)
        return {};
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const void* pData = hData != nullptr ? ::LockResource(hData) : nullptr;
    if (pData == nullptr)
        return {};
    return {static_cast<const BYTE*>(pData), ::SizeofResource(hModule, hResource)};
}

// Where the pixels of a stored DIB begin and how many palette entries precede them; FALSE when the header
// is not one this loader reads or the header, palette and rows do not fit in the resource (a crafted
// resource must never make it read past its end).
bool MeasureStoredDib(const ResourceData& data, const BITMAPINFOHEADER& header, UINT* pnColors, size_t* pnBitsOffset,
                      size_t* pnRowSize) {
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biCompression != BI_RGB)
        return false;
    const WORD nBits = header.biBitCount;
    if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
        return false;
    UINT nColors = 0;
    if (nBits <= 8) {
        nColors = header.biClrUsed != 0 ? header.biClrUsed : 1u << nBits;
        if (nColors > (1u << nBits))
            return false;
    }
    const unsigned long long nRowSize = (static_cast<unsigned long long>(nBits) * header.biWidth + 31) / 32 * 4;
    const unsigned long long nRows = static_cast<unsigned long long>(std::abs(static_cast<long long>(header.biHeight)));
    const unsigned long long nBitsOffset = static_cast<unsigned long long>(header.biSize) + nColors * sizeof(RGBQUAD);
    if (nBitsOffset + nRows * nRowSize > data.nSize)
        return false;
    *pnColors = nColors;
    *pnBitsOffset = static_cast<size_t>(nBitsOffset);
    *pnRowSize = static_cast<size_t>(nRowSize);
    return true;
}

// A device bitmap of a palette image, made through the image's own palette.
HBITMAP CreatePaletteBitmap(const ResourceData& data, UINT nColors, size_t nBitsOffset) {
    auto pHeader = reinterpret_cast<const BITMAPINFO*>(data.pData);
    std::vector<BYTE> paletteBuffer(sizeof(LOGPALETTE) + nColors * sizeof(PALETTEENTRY));
    auto* pPalette = reinterpret_cast<LOGPALETTE*>(paletteBuffer.data());
    pPalette->palVersion = 0x300;
    pPalette->palNumEntries = static_cast<WORD>(nColors);
    const auto* pTable = reinterpret_cast<const RGBQUAD*>(data.pData + pHeader->bmiHeader.biSize);
    for (UINT i = 0; i < nColors; ++i)
        pPalette->palPalEntry[i] = {pTable[i].rgbRed, pTable[i].rgbGreen, pTable[i].rgbBlue, 0};
    HPALETTE hPalette = nColors != 0 ? ::CreatePalette(pPalette) : nullptr;

    HDC hScreenDC = ::GetDC(nullptr);
    HPALETTE hOldPalette = hPalette != nullptr ? ::SelectPalette(hScreenDC, hPalette, FALSE) : nullptr;
    // CreateDIBitmap reads the colour table right after the header it is given.
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + nColors * sizeof(RGBQUAD));
    std::memcpy(info.data(), pHeader, sizeof(BITMAPINFOHEADER));
    reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biSize = sizeof(BITMAPINFOHEADER);
    std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), pTable, nColors * sizeof(RGBQUAD));
    HBITMAP hBitmap = ::CreateDIBitmap(hScreenDC, &pHeader->bmiHeader, CBM_INIT, data.pData + nBitsOffset,
                                       reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    if (hOldPalette != nullptr)
        ::SelectPalette(hScreenDC, hOldPalette, FALSE);
    ::ReleaseDC(nullptr, hScreenDC);
    if (hPalette != nullptr)
        ::DeleteObject(hPalette);
    return hBitmap;
}

// A DIB section of a true-colour image, its rows copied as stored.
HBITMAP CreateTrueColorBitmap(const ResourceData& data, size_t nBitsOffset, size_t nRowSize) {
    BITMAPINFOHEADER header;
    std::memcpy(&header, data.pData, sizeof(header));
    header.biSize = sizeof(BITMAPINFOHEADER);
    const size_t nImageSize = nRowSize * std::abs(header.biHeight);
    header.biSizeImage = static_cast<DWORD>(nImageSize);
    void* pBits = nullptr;
    HBITMAP hBitmap =
        ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap != nullptr && pBits != nullptr)
        std::memcpy(pBits, data.pData + nBitsOffset, nImageSize);
    return hBitmap;
}

}  // namespace

HBITMAP LoadBitmapFromResource(HMODULE hModule, LPCWSTR pszName, BOOL* pAlpha) {
    *pAlpha = FALSE;
    if (IsPngResource(hModule, pszName))
        return LoadBitmapResource(hModule, pszName, pAlpha);
    const ResourceData data = LockResourceData(hModule, pszName, RT_BITMAP);
    BITMAPINFOHEADER header;
    if (data.nSize < sizeof(header))
        return nullptr;
    std::memcpy(&header, data.pData, sizeof(header));
    UINT nColors = 0;
    size_t nBitsOffset = 0;
    size_t nRowSize = 0;
    if (!MeasureStoredDib(data, header, &nColors, &nBitsOffset, &nRowSize))
        return nullptr;
    if (header.biBitCount < 24)
        return CreatePaletteBitmap(data, nColors, nBitsOffset);
    *pAlpha = header.biBitCount == 32;
    return CreateTrueColorBitmap(data, nBitsOffset, nRowSize);
}

CTkSkinImage::~CTkSkinImage() {
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
}

BOOL CTkSkinImage::LoadFromFile(LPCWSTR pszPath) {
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapFile(pszPath, &bAlpha);
    return hBitmap != nullptr && SetLoadedBitmap(hBitmap, bAlpha);
}

BOOL CTkSkinImage::LoadFromResource(HMODULE hModule, LPCWSTR pszName) {
    if (hModule == nullptr)
        return FALSE;
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapFromResource(hModule, pszName, &bAlpha);
    return hBitmap != nullptr && SetLoadedBitmap(hBitmap, bAlpha);
}

// Takes the loaded bitmap. Alpha images are drawn premultiplied; a skin whose documentation says its
// images are premultiplied already (ALPHALEVEL 255) keeps them as they are.
BOOL CTkSkinImage::SetLoadedBitmap(HBITMAP hBitmap, BOOL bAlpha) {
    const CTkSkinManagerSchema* pSchema = m_pManager != nullptr ? m_pManager->GetSchema() : nullptr;
    const BOOL bPremultiply = pSchema == nullptr || pSchema->IsPremultipliedAlpha();
    if (bAlpha && bPremultiply) {
        int nAlphaState = 0;
        HBITMAP hPremultiplied = PremultiplyDib32(hBitmap, &nAlphaState);
        ::DeleteObject(hBitmap);
        if (hPremultiplied == nullptr)
            return FALSE;
        hBitmap = hPremultiplied;
        bAlpha = nAlphaState != 0;
    }
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = hBitmap;
    m_bAlpha = bAlpha;
    BITMAP bm{};
    ::GetObjectW(m_hBitmap, sizeof(bm), &bm);
    m_nWidth = bm.bmWidth;
    m_nHeight = std::abs(bm.bmHeight);
    return TRUE;
}

CSize CTkSkinImage::GetExtent() const {
    BITMAP bm{};
    if (m_hBitmap == nullptr || ::GetObjectW(m_hBitmap, sizeof(bm), &bm) == 0)
        return CSize(0, 0);
    return CSize(bm.bmWidth, std::abs(bm.bmHeight));
}

void CTkSkinImage::CreateSolidRectArray(int nImageCount, BOOL bHorizontalLayout, const RECT& rcMargins) {
    // Colours recorded after filtering would be filtered twice when drawn, and flipped bits would put the
    // regions at the other side.
    if (m_hBitmap == nullptr || nImageCount < 1 || m_bSolidRectsDone || m_bFiltered || m_bMirrored)
        return;
    m_bSolidRectsDone = TRUE;
    m_solidRects.clear();
    if (bHorizontalLayout && nImageCount != 1)
        return;
    const std::vector<DWORD> pixels = ReadTopDownPixels(m_hBitmap, m_nWidth, m_nHeight);
    if (pixels.empty())
        return;
    const bool bMargins = rcMargins.left != 0 || rcMargins.top != 0 || rcMargins.right != 0 || rcMargins.bottom != 0;
    const int nCellHeight = m_nHeight / nImageCount;
    auto addIfUniform = [&](const RECT& rc) {
        if (IsUniform(pixels, m_nWidth, rc))
            m_solidRects.push_back(
                {rc, PixelColor(pixels[static_cast<size_t>(rc.top) * m_nWidth + rc.left], m_bAlpha)});
    };
    for (int i = 0; i < nImageCount; ++i) {
        const int nTop = i * nCellHeight;
        const int nBottom = nTop + nCellHeight;
        const RECT rcCell = {0, nTop, m_nWidth, nBottom};
        if (IsUniform(pixels, m_nWidth, rcCell)) {
            addIfUniform(rcCell);
            continue;
        }
        if (!bMargins)
            continue;
        // The four edges and the centre, each within this cell; the corners are drawn as they are.
        const int nInnerLeft = rcMargins.left;
        const int nInnerRight = m_nWidth - rcMargins.right;
        const int nInnerTop = nTop + rcMargins.top;
        const int nInnerBottom = nBottom - rcMargins.bottom;
        addIfUniform({0, nInnerTop, nInnerLeft, nInnerBottom});
        addIfUniform({nInnerLeft, nTop, nInnerRight, nInnerTop});
        addIfUniform({nInnerRight, nInnerTop, m_nWidth, nInnerBottom});
        addIfUniform({nInnerLeft, nInnerBottom, nInnerRight, nBottom});
        addIfUniform({nInnerLeft, nInnerTop, nInnerRight, nInnerBottom});
    }
}

const SOLIDRECT* CTkSkinImage::FindSolidRect(const RECT& rcSrc) const {
    for (const SOLIDRECT& solid : m_solidRects) {
        RECT rcCommon;
        if (::IntersectRect(&rcCommon, &solid.rc, &rcSrc) && ::EqualRect(&rcCommon, &rcSrc))
            return &solid;
    }
    return nullptr;
}

void CTkSkinImage::ApplyColorFilter(COLORREF clrTransparent) {
    if (m_hBitmap == nullptr || m_bFiltered)
        return;
    m_bFiltered = TRUE;
    if (m_pManager == nullptr || !m_pManager->HasColorFilters())
        return;
    std::vector<DWORD> pixels = ReadTopDownPixels(m_hBitmap, m_nWidth, m_nHeight);
    void* pBits = nullptr;
    HBITMAP hFiltered = pixels.empty() ? nullptr : CreateDibSection32(nullptr, m_nWidth, -m_nHeight, &pBits);
    if (hFiltered == nullptr)
        return;
    for (DWORD& dwPixel : pixels) {
        COLORREF clr = PixelColor(dwPixel, FALSE);
        if (clr == clrTransparent)
            continue;
        m_pManager->ApplyColorFilters(clr);
        dwPixel = (dwPixel & 0xFF000000) | GetRValue(clr) << 16 | GetGValue(clr) << 8 | GetBValue(clr);
    }
    std::memcpy(pBits, pixels.data(), pixels.size() * sizeof(DWORD));
    ::DeleteObject(m_hBitmap);
    m_hBitmap = hFiltered;
}

void CTkSkinImage::Mirror() {
    // Any bitmap becomes a 32-bpp one here; one without alpha still draws opaque.
    std::vector<DWORD> pixels = ReadTopDownPixels(m_hBitmap, m_nWidth, m_nHeight);
    void* pBits = nullptr;
    HBITMAP hMirrored = pixels.empty() ? nullptr : CreateDibSection32(nullptr, m_nWidth, -m_nHeight, &pBits);
    if (hMirrored == nullptr)
        return;
    for (int y = 0; y < m_nHeight; ++y) {
        auto row = pixels.begin() + static_cast<ptrdiff_t>(y) * m_nWidth;
        std::reverse(row, row + m_nWidth);
    }
    std::memcpy(pBits, pixels.data(), pixels.size() * sizeof(DWORD));
    ::DeleteObject(m_hBitmap);
    m_hBitmap = hMirrored;
    m_bMirrored = !m_bMirrored;
}

// ---- CTkSkinImages

CTkSkinImages::~CTkSkinImages() {
    RemoveAll();
}

RECT GetSkinImageCell(CSize sizeImage, int nCount, BOOL bHorizontal, int nIndex) {
    nCount = std::max(1, nCount);
    if (bHorizontal) {
        const int cx = sizeImage.cx / nCount;
        return {nIndex * cx, 0, (nIndex + 1) * cx, sizeImage.cy};
    }
    const int cy = sizeImage.cy / nCount;
    return {0, nIndex * cy, sizeImage.cx, (nIndex + 1) * cy};
}

CTkSkinImage* CTkSkinImages::GetImage(CTkSkinManagerResourceFile* pResourceFile, LPCWSTR pszImageFile) {
    if (pResourceFile == nullptr || pszImageFile == nullptr)
        return nullptr;
    void* pCached = nullptr;
    if (m_mapImages.Lookup(pszImageFile, pCached))
        return static_cast<CTkSkinImage*>(pCached);
    CTkSkinImage* pImage = pResourceFile->LoadImage(pszImageFile);
    if (pImage != nullptr)
        m_mapImages.SetAt(pszImageFile, pImage);
    return pImage;
}

CSize CTkSkinImages::GetExtent(CTkSkinManagerResourceFile* pResourceFile, LPCWSTR pszImageFile) {
    CTkSkinImage* pImage = GetImage(pResourceFile, pszImageFile);
    return pImage != nullptr ? pImage->GetExtent() : CSize(0, 0);
}

void CTkSkinImages::RemoveAll() {
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos != nullptr) {
        CString strName;
        void* pImage = nullptr;
        m_mapImages.GetNextAssoc(pos, strName, pImage);
        delete static_cast<CTkSkinImage*>(pImage);
    }
    m_mapImages.RemoveAll();
}
