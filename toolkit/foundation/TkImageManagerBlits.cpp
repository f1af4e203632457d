// The two blits of the image manager and their own fallbacks.

#include "TkImageManager.h"

#include "OSVersionInfo.h"
#include "TkBitmapFunctions.h"
#include "TkDrawHelpers.h"
#include "TkWindowFunctions.h"

#include <algorithm>

namespace {

// A memory DC with a bitmap selected, both deleted at the end of the scope.
class CMemoryBitmapDC {
public:
    CMemoryBitmapDC(HDC hCompatible, HBITMAP hBitmap) : m_hDC(::CreateCompatibleDC(hCompatible)), m_hBitmap(hBitmap) {
        if (m_hDC != nullptr && m_hBitmap != nullptr)
            m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~CMemoryBitmapDC() {
        if (m_hOld != nullptr)
            ::SelectObject(m_hDC, m_hOld);
        if (m_hBitmap != nullptr)
            ::DeleteObject(m_hBitmap);
        if (m_hDC != nullptr)
            ::DeleteDC(m_hDC);
    }
    CMemoryBitmapDC(const CMemoryBitmapDC&) = delete;
    CMemoryBitmapDC& operator=(const CMemoryBitmapDC&) = delete;

    BOOL IsValid() const { return m_hOld != nullptr; }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
    HBITMAP m_hBitmap;  // owned
    HGDIOBJ m_hOld = nullptr;
};

int Width(const RECT* pRect) {
    return pRect->right - pRect->left;
}
int Height(const RECT* pRect) {
    return pRect->bottom - pRect->top;
}

// Copies the source rectangle to the destination rectangle, stretched when the sizes differ.
BOOL Blit(HDC hDest, const RECT* pDest, HDC hSrc, int xSrc, int ySrc, int cxSrc, int cySrc, DWORD dwRop) {
    if (Width(pDest) == cxSrc && Height(pDest) == cySrc)
        return ::BitBlt(hDest, pDest->left, pDest->top, cxSrc, cySrc, hSrc, xSrc, ySrc, dwRop);
    return ::StretchBlt(hDest, pDest->left, pDest->top, Width(pDest), Height(pDest), hSrc, xSrc, ySrc, cxSrc, cySrc,
                        dwRop);
}

bool IsDib32(HBITMAP hBitmap, int nWidth, int nHeight) {
    DIBSECTION dib = {};
    return ::GetObjectW(hBitmap, sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBitsPixel == 32 &&
           dib.dsBm.bmPlanes == 1 && dib.dsBm.bmWidth == nWidth && std::abs(dib.dsBm.bmHeight) == nHeight;
}

}  // namespace

void CTkImageManager::DrawTransparent(HDC hDestDC, const RECT* pDestRect, HDC hSrcDC, const RECT* pSrcRect,
                                      COLORREF key) {
    const CTkDrawHelpers* pHelpers = GetDrawHelpers();
    if (GetOSVersionInfo()->IsWin2000OrLater() && pHelpers->m_pfnTransparentBlt != nullptr) {
        pHelpers->m_pfnTransparentBlt(hDestDC, pDestRect->left, pDestRect->top, Width(pDestRect), Height(pDestRect),
                                      hSrcDC, pSrcRect->left, pSrcRect->top, Width(pSrcRect), Height(pSrcRect), key);
        return;
    }
    DrawTransparentWithMask(hDestDC, pDestRect, hSrcDC, pSrcRect, key);
}

void CTkImageManager::DrawTransparentWithMask(HDC hDestDC, const RECT* pDestRect, HDC hSrcDC, const RECT* pSrcRect,
                                              COLORREF key) {
    if (hDestDC == nullptr || hSrcDC == nullptr)
        return;
    const int cx = Width(pSrcRect);
    const int cy = Height(pSrcRect);
    CMemoryBitmapDC colour(hDestDC, ::CreateCompatibleBitmap(hDestDC, cx, cy));
    CMemoryBitmapDC mask(hDestDC, ::CreateBitmap(cx, cy, 1, 1, nullptr));
    if (!colour.IsValid() || !mask.IsValid())
        return;
    const COLORREF oldBk = ::SetBkColor(hDestDC, RGB(255, 255, 255));
    const COLORREF oldText = ::SetTextColor(hDestDC, RGB(0, 0, 0));

    ::BitBlt(colour, 0, 0, cx, cy, hSrcDC, pSrcRect->left, pSrcRect->top, SRCCOPY);
    // Colour to monochrome: pixels of the background colour become 1, all others 0.
    ::SetBkColor(colour, key);
    ::BitBlt(mask, 0, 0, cx, cy, colour, 0, 0, SRCCOPY);
    bool bReady = true;
    if (key != RGB(0, 0, 0)) {
        // Key pixels black in the colour copy, so OR-ing it leaves the destination there.
        ::SetBkColor(colour, RGB(0, 0, 0));
        ::SetTextColor(colour, RGB(255, 255, 255));
        bReady = ::BitBlt(colour, 0, 0, cx, cy, mask, 0, 0, SRCAND) != FALSE;
    }
    if (bReady) {
        Blit(hDestDC, pDestRect, mask, 0, 0, cx, cy, SRCAND);
        Blit(hDestDC, pDestRect, colour, 0, 0, cx, cy, SRCPAINT);
    }
    ::SetTextColor(hDestDC, oldText);
    ::SetBkColor(hDestDC, oldBk);
}

BOOL CTkImageManager::DrawAlphaBlended(HDC hDestDC, const RECT* pDestRect, HDC hSrcDC, const RECT* pSrcRect) {
    const OSVersionInfo* pVersion = GetOSVersionInfo();
    const CTkDrawHelpers* pHelpers = GetDrawHelpers();
    const bool bOwnBlend =
        (GetLayoutOfDC(hDestDC) != 0 && pVersion->IsWin9x()) || pHelpers->m_pfnAlphaBlend == nullptr ||
        (!pVersion->IsWin2000OrLater() && (pSrcRect->left != 0 || pSrcRect->top != 0 || pDestRect->top < 0));
    if (bOwnBlend)
        return DrawAlphaBlendedOwn(hDestDC, pDestRect, hSrcDC, pSrcRect);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return pHelpers->m_pfnAlphaBlend(hDestDC, pDestRect->left, pDestRect->top, Width(pDestRect), Height(pDestRect),
                                     hSrcDC, pSrcRect->left, pSrcRect->top, Width(pSrcRect), Height(pSrcRect), blend);
}

BOOL CTkImageManager::DrawAlphaBlendedOwn(HDC hDestDC, const RECT* pDestRect, HDC hSrcDC, const RECT* pSrcRect) {
    const int w = Width(pDestRect);
    const int h = Height(pDestRect);
    const BOOL bSrcRtl = GetLayoutOfDC(hSrcDC) != 0;
    const BOOL bDestRtl = GetLayoutOfDC(hDestDC) != 0;
    void* pSrcBits = nullptr;
    void* pBackBits = nullptr;
    void* pOutBits = nullptr;
    CMemoryBitmapDC source(hDestDC, CreateDibSection32(hDestDC, w, h, &pSrcBits));
    CMemoryBitmapDC backdrop(hDestDC, CreateDibSection32(hDestDC, w, h, &pBackBits));
    HBITMAP hResult = CreateDibSection32(hDestDC, w, h, &pOutBits);
    CMemoryBitmapDC result(hDestDC, hResult);
    if (!source.IsValid() || !backdrop.IsValid() || !result.IsValid())
        return FALSE;
    for (HDC hDC : {static_cast<HDC>(source), static_cast<HDC>(backdrop)}) {
        SetLayoutOfDC(hDC, 0);
        ::SetStretchBltMode(hDC, COLORONCOLOR);
    }
    if (!::StretchBlt(source, 0, 0, w, h, hSrcDC, pSrcRect->left, pSrcRect->top, Width(pSrcRect), Height(pSrcRect),
                      SRCCOPY) ||
        !::BitBlt(backdrop, 0, 0, w, h, hDestDC, pDestRect->left, pDestRect->top, SRCCOPY))
        return FALSE;
    ::GdiFlush();
    if (!IsDib32(hResult, w, h))
        return FALSE;
    MergePremultiplied(static_cast<const DWORD*>(pSrcBits), static_cast<const DWORD*>(pBackBits),
                       static_cast<DWORD*>(pOutBits), w, h, bSrcRtl, bDestRtl);
    return ::BitBlt(hDestDC, pDestRect->left, pDestRect->top, w, h, result, 0, 0,
                    bDestRtl ? SRCCOPY | NOMIRRORBITMAP : SRCCOPY);
}

void CTkImageManager::MergePremultiplied(const DWORD* pSrc, const DWORD* pBack, DWORD* pOut, int nWidth, int nRows,
                                         BOOL bSrcMirrored, BOOL bBackMirrored) {
    for (int y = 0; y < nRows; ++y) {
        const size_t nRow = static_cast<size_t>(y) * nWidth;
        for (int i = 0; i < nWidth; ++i) {
            const DWORD src = pSrc[nRow + (bSrcMirrored ? nWidth - 1 - i : i)];
            const DWORD back = pBack[nRow + (bBackMirrored ? nWidth - 1 - i : i)];
            const DWORD nInverse = 255 - (src >> 24);
            DWORD out = 0;
            for (int nShift = 0; nShift <= 16; nShift += 8) {
                const DWORD c = ((src >> nShift) & 0xFF) + ((back >> nShift) & 0xFF) * nInverse / 255;
                out |= std::min<DWORD>(c, 255) << nShift;
            }
            pOut[nRow + i] = out;
        }
    }
}
