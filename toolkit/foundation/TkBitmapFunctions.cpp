#include "TkBitmapFunctions.h"

#include "TkDCWrappers.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Room for the 40-byte header and the three colour masks GetDIBits may add for 32 bpp.
constexpr size_t kHeaderBufferSize = sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD);

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <class T>
using MallocPtr = std::unique_ptr<T, FreeDeleter>;

// The header and pixels of a 32-bpp bitmap, owned.
struct Dib32 {
    MallocPtr<BITMAPINFO> header;
    MallocPtr<BYTE> bits;
    UINT nSize = 0;

    BOOL Read(HBITMAP hBitmap) {
        BITMAPINFO* pHeader = nullptr;
        BYTE* pBits = nullptr;
        if (!ReadDib32Bits(nullptr, hBitmap, &pHeader, &pBits, &nSize))
            return FALSE;
        header.reset(pHeader);
        bits.reset(pBits);
        return TRUE;
    }
    int Width() const { return header->bmiHeader.biWidth; }
    int Rows() const { return std::abs(header->bmiHeader.biHeight); }
    DWORD* Pixels() const { return reinterpret_cast<DWORD*>(bits.get()); }
};

// A new DIB section from a header; its bits pointer in *ppBits.
HBITMAP CreateFromHeader(const BITMAPINFO* pHeader, void** ppBits) {
    BITMAPINFO info = {};
    info.bmiHeader = pHeader->bmiHeader;
    info.bmiHeader.biCompression = BI_RGB;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, ppBits, nullptr, 0);
}

BYTE Premultiplied(BYTE color, BYTE alpha) {
    return static_cast<BYTE>(color * alpha / 255);
}

}  // namespace

BITMAPINFO Dib32Header(int cx, int cy) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP CreateDibSection32(HDC hDC, int cx, int cy, void** ppBits) {
    const BITMAPINFO info = Dib32Header(cx, cy);
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (ppBits != nullptr)
        *ppBits = hBitmap != nullptr ? pBits : nullptr;
    return hBitmap;
}

BOOL ReadDib32Bits(CDC* pDC, HBITMAP hBitmap, BITMAPINFO** ppHeader, BYTE** ppBits, UINT* pnSize) {
    *ppHeader = nullptr;
    *ppBits = nullptr;
    *pnSize = 0;
    HDC hDC = pDC != nullptr ? pDC->GetSafeHdc() : ::GetDC(nullptr);
    if (hDC == nullptr)
        return FALSE;
    MallocPtr<BITMAPINFO> header(static_cast<BITMAPINFO*>(std::calloc(1, kHeaderBufferSize)));
    MallocPtr<BYTE> bits;
    BOOL bRead = FALSE;
    if (header != nullptr) {
        header->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        if (::GetDIBits(hDC, hBitmap, 0, 0, nullptr, header.get(), DIB_RGB_COLORS) != 0 &&
            header->bmiHeader.biBitCount == 32) {
            const UINT nRows = static_cast<UINT>(std::abs(header->bmiHeader.biHeight));
            const unsigned long long nSize = 4ull * static_cast<UINT>(header->bmiHeader.biWidth) * nRows;
            if (nSize != 0 && nSize <= 0x7FFFFFFF)
                bits.reset(static_cast<BYTE*>(std::malloc(static_cast<size_t>(nSize))));
            if (bits != nullptr && ::GetDIBits(hDC, hBitmap, 0, nRows, bits.get(), header.get(), DIB_RGB_COLORS) ==
                                       static_cast<int>(nRows)) {
                *pnSize = static_cast<UINT>(nSize);
                bRead = TRUE;
            }
        }
    }
    if (pDC == nullptr)
        ::ReleaseDC(nullptr, hDC);
    if (!bRead)
        return FALSE;
    *ppHeader = header.release();
    *ppBits = bits.release();
    return TRUE;
}

HBITMAP CopyDib32(HBITMAP hBitmap, void** ppBits) {
    Dib32 source;
    void* pBits = nullptr;
    HBITMAP hCopy = source.Read(hBitmap) ? CreateFromHeader(source.header.get(), &pBits) : nullptr;
    if (hCopy != nullptr)
        std::memcpy(pBits, source.bits.get(), source.nSize);
    if (ppBits != nullptr)
        *ppBits = pBits;
    return hCopy;
}

HBITMAP PremultiplyDib32(HBITMAP hBitmap, int* pnAlphaState, void** ppBits) {
    Dib32 source;
    void* pBits = nullptr;
    HBITMAP hResult = source.Read(hBitmap) ? CreateFromHeader(source.header.get(), &pBits) : nullptr;
    if (hResult == nullptr)
        return nullptr;
    const BYTE* pIn = source.bits.get();
    BYTE* pOut = static_cast<BYTE*>(pBits);
    int nState = pnAlphaState != nullptr ? *pnAlphaState : 0;
    bool bTransparentSeen = false;
    for (UINT i = 0; i < source.nSize; i += 4) {
        const BYTE alpha = pIn[i + 3];
        pOut[i] = Premultiplied(pIn[i], alpha);
        pOut[i + 1] = Premultiplied(pIn[i + 1], alpha);
        pOut[i + 2] = Premultiplied(pIn[i + 2], alpha);
        pOut[i + 3] = alpha;
        if (alpha == 0)
            bTransparentSeen = true;
        else if (alpha < 255 || bTransparentSeen || nState == -1)
            nState = 1;
    }
    if (pnAlphaState != nullptr) {
        *pnAlphaState = nState;
        if (nState == 0)
            std::memcpy(pOut, pIn, source.nSize);
    }
    if (ppBits != nullptr)
        *ppBits = pBits;
    return hResult;
}

HBITMAP MirrorDib32(HBITMAP hBitmap) {
    Dib32 source;
    void* pBits = nullptr;
    HBITMAP hResult = source.Read(hBitmap) ? CreateFromHeader(source.header.get(), &pBits) : nullptr;
    if (hResult == nullptr)
        return nullptr;
    const int nWidth = source.Width();
    DWORD* pOut = static_cast<DWORD*>(pBits);
    for (int y = 0; y < source.Rows(); ++y) {
        const DWORD* pRow = source.Pixels() + static_cast<size_t>(y) * nWidth;
        DWORD* pOutRow = pOut + static_cast<size_t>(y) * nWidth;
        for (int x = 0; x < nWidth; ++x)
            pOutRow[x] = pRow[nWidth - 1 - x];
    }
    return hResult;
}

BOOL SplitDib32(HBITMAP hBitmap, int nPieces, HBITMAP* phPieces) {
    Dib32 source;
    if (nPieces < 1 || !source.Read(hBitmap))
        return FALSE;
    BITMAPINFO piece = {};
    piece.bmiHeader = source.header->bmiHeader;
    const int nPieceWidth = source.Width() / nPieces;
    piece.bmiHeader.biWidth = nPieceWidth;
    piece.bmiHeader.biSizeImage /= nPieces;
    std::vector<DWORD*> pieceBits(nPieces);
    for (int i = 0; i < nPieces; ++i) {
        void* pBits = nullptr;
        phPieces[i] = CreateFromHeader(&piece, &pBits);
        if (phPieces[i] == nullptr) {
            while (i-- > 0)
                ::DeleteObject(phPieces[i]);
            return FALSE;
        }
        pieceBits[i] = static_cast<DWORD*>(pBits);
    }
    for (int y = 0; y < source.Rows(); ++y) {
        const DWORD* pRow = source.Pixels() + static_cast<size_t>(y) * source.Width();
        for (int i = 0; i < nPieces; ++i)
            std::memcpy(pieceBits[i] + static_cast<size_t>(y) * nPieceWidth,
                        pRow + static_cast<size_t>(i) * nPieceWidth, nPieceWidth * sizeof(DWORD));
    }
    return TRUE;
}

CSize GetIconSize(HICON hIcon) {
    ICONINFO info = {};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info))
        return CSize(0, 0);
    BITMAP mask = {};
    ::GetObjectW(info.hbmMask, sizeof(mask), &mask);
    CSize size(mask.bmWidth, info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    return size;
}

HICON ScaleIcon(HICON hIcon, int nOldWidth, int nOldHeight, int nNewWidth) {
    if (nNewWidth == 0 || (nOldWidth == 0 && nOldHeight == 0))
        return nullptr;
    if (nNewWidth == nOldWidth)
        return ::CopyIcon(hIcon);
    const int nNewHeight = ::MulDiv(nOldHeight, nNewWidth, nOldWidth);
    CImageList images;
    if (!images.Create(nNewWidth, nNewHeight, ILC_COLOR32 | ILC_MASK, 1, 1) || images.Add(hIcon) < 0)
        return nullptr;
    return images.ExtractIcon(0);
}

COLORREF GetBitmapPixel(CBitmap* pBitmap, int x, int y) {
    CTkCompatibleDC dc(nullptr, pBitmap);
    return dc.GetPixel(x, y);
}
