// CTkSkinImage's drawing: the solid shortcut, keyed transparency, the nine pieces of the sizing margins,
// tiling and right-to-left mirroring.
#include "TkSkinImage.h"

#include "TkDCWrappers.h"
#include "TkImageManager.h"
#include "TkSkinManager.h"
#include "TkWindowFunctions.h"

#include <algorithm>
#include <array>

namespace {

int Width(const RECT& rc) {
    return rc.right - rc.left;
}
int Height(const RECT& rc) {
    return rc.bottom - rc.top;
}
bool IsEmpty(const RECT& rc) {
    return rc.left >= rc.right || rc.top >= rc.bottom;
}

// The nine pieces of a rectangle cut by margins (left, top, right and bottom widths), in drawing order:
// top-left, top, top-right, left, centre, right, bottom-left, bottom, bottom-right.
std::array<RECT, 9> CutNine(const RECT& rc, const RECT& rcMargins) {
    const int x[4] = {rc.left, rc.left + rcMargins.left, rc.right - rcMargins.right, rc.right};
    const int y[4] = {rc.top, rc.top + rcMargins.top, rc.bottom - rcMargins.bottom, rc.bottom};
    std::array<RECT, 9> pieces;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            pieces[row * 3 + column] = {x[column], y[row], x[column + 1], y[row + 1]};
    }
    return pieces;
}

constexpr int kTileVertical = 1;
constexpr int kTileHorizontal = 2;

}  // namespace

void CTkSkinImage::DrawImage(CDC* pDC, const RECT& rcDest, const RECT& rcSrc, const RECT& rcSizingMargins,
                             COLORREF clrTransparent, int nSizingType, BOOL bBorderOnly) {
    if (Height(rcSrc) < rcSizingMargins.top + rcSizingMargins.bottom)
        return;
    if (DrawSolidRect(pDC, rcDest, rcSrc, clrTransparent))
        return;
    // Blits into a right-to-left destination mirror; a part that must not mirror is drawn from flipped bits.
    const BOOL bKeepOrientation = IsDCRightToLeft(pDC) && !m_bMirrorAllowed;
    if (clrTransparent == static_cast<COLORREF>(-1) || m_bAlpha) {
        DrawImageMargins(pDC, rcDest, rcSrc, rcSizingMargins, nSizingType, bBorderOnly, bKeepOrientation);
        return;
    }
    // Keyed transparency: the image is composed on a buffer of the key colour, which is then left out.
    ApplyColorFilter(clrTransparent);
    const int cx = Width(rcDest);
    const int cy = Height(rcDest);
    CBitmap buffer;
    if (cx <= 0 || cy <= 0 || !buffer.CreateCompatibleBitmap(pDC, cx, cy))
        return;
    CTkCompatibleDC bufferDC(pDC, &buffer);
    // The buffer is left to right, so the copy to the destination mirrors as a direct blit would.
    SetLayoutOfDC(bufferDC.GetSafeHdc(), 0);
    bufferDC.FillSolidRect(0, 0, cx, cy, clrTransparent);
    const RECT rcBuffer = {0, 0, cx, cy};
    DrawImageMargins(&bufferDC, rcBuffer, rcSrc, rcSizingMargins, nSizingType, bBorderOnly, bKeepOrientation);
    CTkImageManager::DrawTransparent(pDC->GetSafeHdc(), &rcDest, bufferDC.GetSafeHdc(), &rcBuffer, clrTransparent);
}

BOOL CTkSkinImage::DrawSolidRect(CDC* pDC, const RECT& rcDest, const RECT& rcSrc, COLORREF clrTransparent) {
    const SOLIDRECT* pSolid = FindSolidRect(rcSrc);
    if (pSolid == nullptr)
        return FALSE;
    COLORREF clr = pSolid->clr & 0x00FFFFFF;
    if (m_pManager != nullptr)
        m_pManager->ApplyColorFilters(clr);
    if (!m_bAlpha) {
        if (clr != clrTransparent)
            pDC->FillSolidRect(&rcDest, clr);
        return TRUE;
    }
    if (pSolid->clr == 0)
        return TRUE;  // fully transparent
    if ((pSolid->clr >> 24) == 255) {
        pDC->FillSolidRect(&rcDest, clr);
        return TRUE;
    }
    return FALSE;
}

void CTkSkinImage::DrawImageMargins(CDC* pDC, const RECT& rcDest, const RECT& rcSrc, const RECT& rcMargins,
                                    int nSizingType, BOOL bBorderOnly, BOOL bKeepOrientation) {
    if (m_hBitmap == nullptr || Height(rcSrc) < rcMargins.top + rcMargins.bottom)
        return;
    ApplyColorFilter(static_cast<COLORREF>(-1));
    pDC->SetStretchBltMode(COLORONCOLOR);
    if (IsEmpty(rcDest))
        return;

    // A blit from a left-to-right source into a right-to-left destination mirrors the pixels, which is
    // what a mirrored part wants; a part that must not mirror is drawn from bits flipped in memory, so
    // that the blit turns them back. Sources stay left to right: the alpha blend refuses right-to-left
    // ones, and they read a cell from the other side of the bitmap.
    if (m_bMirrored != bKeepOrientation)
        Mirror();
    CTkCompatibleDC srcDC(pDC, m_hBitmap);
    SetLayoutOfDC(srcDC.GetSafeHdc(), 0);

    int nTileMode = nSizingType == tkSkinSizingTile ? kTileVertical | kTileHorizontal : 0;
    if (rcMargins.left == 0 && rcMargins.top == 0 && rcMargins.right == 0 && rcMargins.bottom == 0) {
        DrawImagePart(pDC, rcDest, &srcDC, rcSrc, nTileMode);
        return;
    }

    // A destination too small for the margins shares itself between them in their proportion; the bottom
    // margin keeps the parity of the source's, so a one-pixel pattern in it stays in step.
    RECT rcDestMargins = rcMargins;
    const int nVertical = rcMargins.top + rcMargins.bottom;
    if (nVertical > 0 && (nVertical >= Height(rcDest) || Height(rcSrc) == nVertical)) {
        rcDestMargins.top = ::MulDiv(Height(rcDest), rcMargins.top, nVertical);
        rcDestMargins.bottom = Height(rcDest) - rcDestMargins.top;
        if (rcDestMargins.bottom > 0 && rcDestMargins.bottom % 2 != rcMargins.bottom % 2)
            ++rcDestMargins.bottom;
        nTileMode = nSizingType == tkSkinSizingTile ? kTileHorizontal : 0;
    }
    const int nHorizontal = rcMargins.left + rcMargins.right;
    if (nHorizontal > 0 && (nHorizontal >= Width(rcDest) || Width(rcSrc) == nHorizontal)) {
        rcDestMargins.left = ::MulDiv(Width(rcDest), rcMargins.left, nHorizontal);
        rcDestMargins.right = Width(rcDest) - rcDestMargins.left;
        if (nTileMode != 0)
            nTileMode -= kTileHorizontal;
    }

    const std::array<RECT, 9> destPieces = CutNine(rcDest, rcDestMargins);
    const std::array<RECT, 9> srcPieces = CutNine(rcSrc, rcMargins);
    for (int i = 0; i < 9; ++i) {
        const bool bCorner = i == 0 || i == 2 || i == 6 || i == 8;
        if (bCorner)
            BlitImagePart(pDC, destPieces[i], &srcDC, srcPieces[i]);
        else if (i != 4 || !bBorderOnly)
            DrawImagePart(pDC, destPieces[i], &srcDC, srcPieces[i], nTileMode);
    }
}

void CTkSkinImage::DrawImagePart(CDC* pDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc, int nTileMode) {
    if (IsEmpty(rcDest) || IsEmpty(rcSrc))
        return;
    if (DrawSolidRect(pDC, rcDest, rcSrc, static_cast<COLORREF>(-1)))
        return;
    const int cxSrc = Width(rcSrc);
    const int cySrc = Height(rcSrc);
    const int cxDest = Width(rcDest);
    const int cyDest = Height(rcDest);
    // One-pixel strips stretch in one blit instead of being tiled pixel by pixel.
    const bool bStrip = (cxSrc == 1 && (cySrc == 1 || cySrc == cyDest)) || (cySrc == 1 && cxSrc == cxDest);
    if (nTileMode == 0 || bStrip) {
        BlitImagePart(pDC, rcDest, pSrcDC, rcSrc);
        return;
    }
    const int cyTile = (nTileMode & kTileVertical) ? std::min(cySrc, cyDest) : cyDest;
    const int cxTile = (nTileMode & kTileHorizontal) ? std::min(cxSrc, cxDest) : cxDest;
    for (int y = rcDest.top; y < rcDest.bottom; y += cyTile) {
        const int cyPiece = std::min(cyTile, static_cast<int>(rcDest.bottom) - y);
        for (int x = rcDest.left; x < rcDest.right; x += cxTile) {
            const int cxPiece = std::min(cxTile, static_cast<int>(rcDest.right) - x);
            RECT rcPieceSrc = rcSrc;
            if (nTileMode & kTileVertical)
                rcPieceSrc.bottom = rcSrc.top + std::min(cySrc, cyPiece);
            if (nTileMode & kTileHorizontal)
                rcPieceSrc.right = rcSrc.left + std::min(cxSrc, cxPiece);
            BlitImagePart(pDC, {x, y, x + cxPiece, y + cyPiece}, pSrcDC, rcPieceSrc);
        }
    }
}

void CTkSkinImage::BlitImagePart(CDC* pDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc) const {
    if (IsEmpty(rcDest) || IsEmpty(rcSrc))
        return;
    // Flipped bits hold the source rectangle at the other side.
    const RECT rcBits =
        m_bMirrored ? RECT{m_nWidth - rcSrc.right, rcSrc.top, m_nWidth - rcSrc.left, rcSrc.bottom} : rcSrc;
    if (m_bAlpha) {
        CTkImageManager::DrawAlphaBlended(pDC->GetSafeHdc(), &rcDest, pSrcDC->GetSafeHdc(), &rcBits);
    } else if (Width(rcDest) == Width(rcBits) && Height(rcDest) == Height(rcBits)) {
        pDC->BitBlt(rcDest.left, rcDest.top, Width(rcDest), Height(rcDest), pSrcDC, rcBits.left, rcBits.top, SRCCOPY);
    } else {
        pDC->StretchBlt(rcDest.left, rcDest.top, Width(rcDest), Height(rcDest), pSrcDC, rcBits.left, rcBits.top,
                        Width(rcBits), Height(rcBits), SRCCOPY);
    }
}
