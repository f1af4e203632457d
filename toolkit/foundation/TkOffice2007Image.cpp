#include "TkOffice2007Image.h"

#include "TkBitmapFunctions.h"
#include "TkImageLoading.h"
#include "TkImageManager.h"
#include "TkOffice2007Images.h"
#include "TkWindowFunctions.h"

#include <algorithm>
#include <cstring>

namespace {

// A COLORREF as the 0x00RRGGBB of a DIB pixel.
DWORD PixelOfColor(COLORREF clr) {
    return (static_cast<DWORD>(GetRValue(clr)) << 16) | (static_cast<DWORD>(GetGValue(clr)) << 8) | GetBValue(clr);
}

// The three bands [edges[i], edges[i + 1]) of one axis.
struct Bands {
    int edges[4];
    int Start(int i) const { return edges[i]; }
    int End(int i) const { return edges[i + 1]; }
};

}  // namespace

CTkOffice2007Image::CTkOffice2007Image(CTkOffice2007Images* pOwner) : m_pOwner(pOwner) {}

BOOL CTkOffice2007Image::LoadFromResource(HMODULE hModule, LPCTSTR lpszName) {
    m_pixels.clear();
    m_bAlpha = m_bMirrored = FALSE;
    m_nWidth = m_nHeight = 0;
    if (hModule == nullptr)
        return FALSE;
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapResource(hModule, lpszName, &bAlpha);
    if (hBitmap == nullptr)
        return FALSE;
    SetBitmap(hBitmap, bAlpha);
    return !m_pixels.empty();
}

void CTkOffice2007Image::SetBitmap(HBITMAP hBitmap, BOOL bAlpha) {
    m_pixels.clear();
    m_bAlpha = bAlpha;
    m_bMirrored = FALSE;
    BITMAP bm = {};
    if (::GetObjectW(hBitmap, sizeof(bm), &bm) == 0) {
        m_nWidth = m_nHeight = 0;
        return;
    }
    m_nWidth = bm.bmWidth;
    m_nHeight = std::abs(bm.bmHeight);
    const size_t nPixels = static_cast<size_t>(m_nWidth) * m_nHeight;
    if (bAlpha) {
        if (bm.bmBitsPixel == 32) {
            BITMAPINFO info = Dib32Header(m_nWidth, -m_nHeight);
            m_pixels.resize(nPixels);
            HDC hScreen = ::GetDC(nullptr);
            if (::GetDIBits(hScreen, hBitmap, 0, m_nHeight, m_pixels.data(), &info, DIB_RGB_COLORS) != m_nHeight)
                m_pixels.clear();
            ::ReleaseDC(nullptr, hScreen);
        }
    } else {
        CScopedMemDC copy(m_nWidth, m_nHeight);
        if (copy.IsValid() && ::DrawStateW(copy.GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, 0,
                                           0, m_nWidth, m_nHeight, DST_BITMAP)) {
            ::GdiFlush();
            m_pixels.assign(copy.GetBits(), copy.GetBits() + nPixels);
        }
    }
    ::DeleteObject(hBitmap);
}

CRect CTkOffice2007Image::GetSource(int nState, int nStateCount) const {
    if (m_pixels.empty() || nStateCount < 1)
        return CRect(0, 0, 0, 0);
    const int nHeight = m_nHeight / nStateCount;
    return CRect(0, nState * nHeight, m_nWidth, nState * nHeight + nHeight);
}

void CTkOffice2007Image::MirrorPixels() {
    if (m_pixels.empty() || !m_bAlpha)
        return;
    for (int y = 0; y < m_nHeight; ++y) {
        DWORD* pRow = m_pixels.data() + static_cast<size_t>(y) * m_nWidth;
        std::reverse(pRow, pRow + m_nWidth);
    }
    m_bMirrored = !m_bMirrored;
}

CRect CTkOffice2007Image::ClampSource(const RECT& rcSrc) const {
    // Rows outside the image would be read past its pixels.
    CRect rc;
    if (!rc.IntersectRect(&rcSrc, CRect(0, 0, m_nWidth, m_nHeight)))
        return CRect(0, 0, 0, 0);
    return rc;
}

BOOL CTkOffice2007Image::CanDraw(const RECT& rcSrc, const RECT& rcMargins) const {
    const CRect rc = ClampSource(rcSrc);
    return !m_pixels.empty() && !rc.IsRectEmpty() && rc.Height() >= rcMargins.top + rcMargins.bottom;
}

CRect CTkOffice2007Image::CalcDestMargins(CSize destSize, CSize srcSize, const CRect& rcMargins) {
    CRect rc = rcMargins;
    const int nVertical = rcMargins.top + rcMargins.bottom;
    if (nVertical > 0 && (destSize.cy <= nVertical || srcSize.cy == nVertical)) {
        rc.top = ::MulDiv(destSize.cy, rcMargins.top, nVertical);
        rc.bottom = destSize.cy - rc.top;
        if (rc.bottom > 0 && rc.bottom % 2 != rcMargins.bottom % 2)
            ++rc.bottom;
    }
    const int nHorizontal = rcMargins.left + rcMargins.right;
    if (nHorizontal > 0 && (destSize.cx <= nHorizontal || srcSize.cx == nHorizontal)) {
        rc.left = destSize.cx * rcMargins.left / nHorizontal;
        rc.right = destSize.cx - rc.left;
    }
    return rc;
}

void CTkOffice2007Image::DrawImage(CDC* pDC, const RECT& rcDest, RECT rcSrc, RECT rcMargins) {
    if (!CanDraw(rcSrc, rcMargins) || m_pOwner == nullptr)
        return;
    ToolkitLockGuard lock(m_pOwner->m_lock);
    CRect src = ClampSource(rcSrc);
    const CRect dest(rcDest);
    CRect margins(rcMargins);
    if (dest.Width() == src.Width())
        margins.left = margins.right = 0;
    if (dest.Height() == src.Height())
        margins.top = margins.bottom = 0;
    pDC->SetStretchBltMode(COLORONCOLOR);
    if (dest.IsRectEmpty())
        return;
    const BOOL bRightToLeft = IsDCRightToLeft(pDC);
    if (m_bAlpha && m_bMirrorOnRightToLeft && m_bMirrored != bRightToLeft)
        MirrorPixels();
    if (m_bMirrored) {
        // The caller's source and margins name columns of the unmirrored image: read them mirrored too,
        // or unequal left and right margins would cut the bands in the wrong places.
        src = CRect(m_nWidth - src.right, src.top, m_nWidth - src.left, src.bottom);
        std::swap(margins.left, margins.right);
    }
    if (m_nWidth > kOffice2007WorkSize || m_nHeight > kOffice2007WorkSize || m_pOwner->m_pWorkBits == nullptr)
        return;

    // The source rows go to the top of the work bitmap, whole image rows wide.
    for (int y = 0; y < src.Height(); ++y)
        std::memcpy(m_pOwner->m_pWorkBits + static_cast<size_t>(y) * kOffice2007WorkSize,
                    m_pixels.data() + static_cast<size_t>(src.top + y) * m_nWidth, m_nWidth * sizeof(DWORD));
    src.OffsetRect(0, -src.top);
    ::GdiFlush();
    const HDC hWorkDC = m_pOwner->m_workDC.GetSafeHdc();
    CScopedSelectObject select(hWorkDC, m_pOwner->m_workBitmap.GetSafeHandle());

    const CRect d = CalcDestMargins(dest.Size(), src.Size(), margins);
    const Bands srcColumns = {{src.left, src.left + margins.left, src.right - margins.right, src.right}};
    const Bands srcRows = {{src.top, src.top + margins.top, src.bottom - margins.bottom, src.bottom}};
    const Bands destRows = {{dest.top, dest.top + d.top, dest.bottom - d.bottom, dest.bottom}};
    // On a right-to-left DC an alpha image's columns are laid out mirrored: its left band goes to the
    // right, with the left margin's width.
    const bool bSwap = bRightToLeft && m_bAlpha;
    const Bands destColumns = bSwap ? Bands{{dest.left, dest.left + d.right, dest.right - d.left, dest.right}}
                                    : Bands{{dest.left, dest.left + d.left, dest.right - d.right, dest.right}};
    const HDC hDC = pDC->GetSafeHdc();
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int destColumn = bSwap ? 2 - column : column;
            const CRect to(destColumns.Start(destColumn), destRows.Start(row), destColumns.End(destColumn),
                           destRows.End(row));
            const CRect from(srcColumns.Start(column), srcRows.Start(row), srcColumns.End(column), srcRows.End(row));
            BlitPart(hDC, to, hWorkDC, from);
        }
    }
}

void CTkOffice2007Image::BlitPart(HDC hDC, const CRect& rcDest, HDC hWorkDC, const CRect& rcSrc) const {
    if (rcDest.Width() <= 0 || rcDest.Height() <= 0 || rcSrc.Width() <= 0 || rcSrc.Height() <= 0)
        return;
    if (m_bAlpha)
        CTkImageManager::DrawAlphaBlended(hDC, &rcDest, hWorkDC, &rcSrc);
    else if (rcDest.Size() == rcSrc.Size())
        ::BitBlt(hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hWorkDC, rcSrc.left, rcSrc.top,
                 SRCCOPY);
    else
        ::StretchBlt(hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hWorkDC, rcSrc.left, rcSrc.top,
                     rcSrc.Width(), rcSrc.Height(), SRCCOPY);
}

void CTkOffice2007Image::DrawImageStretched(CDC* pDC, const RECT& rcDest, RECT rcSrc) {
    DrawImage(pDC, rcDest, rcSrc, CRect(0, 0, 0, 0));
}

void CTkOffice2007Image::DrawImageKeyed(CDC* pDC, const RECT& rcDest, RECT rcSrc, const RECT& rcMargins,
                                        COLORREF clrKey) {
    if (!CanDraw(rcSrc, rcMargins))
        return;
    if (clrKey == CLR_NONE || m_bAlpha) {
        DrawImage(pDC, rcDest, rcSrc, rcMargins);
        return;
    }
    const CRect dest(rcDest);
    if (dest.IsRectEmpty())
        return;
    // Drawn over the key colour first, so that the key leaves out the image's own key pixels and
    // whatever the margins do not cover.
    CDC keyed;
    CBitmap bitmap;
    if (!keyed.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, dest.Width(), dest.Height()))
        return;
    CScopedSelectObject select(keyed.GetSafeHdc(), bitmap.GetSafeHandle());
    const CRect whole(0, 0, dest.Width(), dest.Height());
    keyed.FillSolidRect(&whole, clrKey);
    DrawImage(&keyed, whole, rcSrc, rcMargins);
    CTkImageManager::DrawTransparent(pDC->GetSafeHdc(), &dest, keyed.GetSafeHdc(), &whole, clrKey);
}

void CTkOffice2007Image::DrawImageWithAlpha(CDC* pDC, const RECT& rcDest, RECT rcSrc, const RECT& rcMargins,
                                            COLORREF clrKey, DWORD dwOptions) {
    if (!CanDraw(rcSrc, rcMargins))
        return;
    if ((dwOptions & kOpaqueOnAlphaSurface) == 0) {
        DrawImageKeyed(pDC, rcDest, rcSrc, rcMargins, clrKey);
        return;
    }
    if (m_bAlpha) {
        DrawImage(pDC, rcDest, rcSrc, rcMargins);
        return;
    }
    const CRect dest(rcDest);
    CScopedMemDC layer(dest.Width(), dest.Height());
    if (!layer.IsValid())
        return;
    const CRect whole(0, 0, dest.Width(), dest.Height());
    if (clrKey != CLR_NONE)
        layer.FillSolidRect(&whole, clrKey);
    DrawImage(&layer, whole, rcSrc, rcMargins);
    ::GdiFlush();
    const DWORD keyPixel = clrKey != CLR_NONE ? PixelOfColor(clrKey) : 0xFFFFFFFF;
    DWORD* pBits = layer.GetBits();
    for (size_t i = 0, n = static_cast<size_t>(whole.Width()) * whole.Height(); i < n; ++i)
        pBits[i] = (pBits[i] & 0x00FFFFFF) == keyPixel ? 0 : (pBits[i] | 0xFF000000);
    CTkImageManager::DrawAlphaBlended(pDC->GetSafeHdc(), &dest, layer.GetSafeHdc(), &whole);
}
