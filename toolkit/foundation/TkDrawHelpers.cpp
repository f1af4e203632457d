#include "TkDrawHelpers.h"

#include "OSVersionInfo.h"
#include "TkColorFunctions.h"
#include "TkColorManager.h"
#include "TkWindowFunctions.h"

#include <algorithm>

namespace {

TRIVERTEX Vertex(LONG x, LONG y, COLORREF color) {
    TRIVERTEX vertex = {};
    vertex.x = x;
    vertex.y = y;
    vertex.Red = static_cast<COLOR16>(GetRValue(color) << 8);
    vertex.Green = static_cast<COLOR16>(GetGValue(color) << 8);
    vertex.Blue = static_cast<COLOR16>(GetBValue(color) << 8);
    return vertex;
}

// Checker rows of the halftone pattern; a monochrome bitmap's rows are WORD-aligned.
constexpr WORD kHalftoneRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};

}  // namespace

CTkDrawHelpers::CTkDrawHelpers() : m_hMsimg32(::LoadLibraryW(L"msimg32.dll")) {
    if (m_hMsimg32 == nullptr)
        return;
    m_pfnGradientFill = reinterpret_cast<decltype(m_pfnGradientFill)>(::GetProcAddress(m_hMsimg32, "GradientFill"));
    m_pfnAlphaBlend = reinterpret_cast<decltype(m_pfnAlphaBlend)>(::GetProcAddress(m_hMsimg32, "AlphaBlend"));
    m_pfnTransparentBlt =
        reinterpret_cast<decltype(m_pfnTransparentBlt)>(::GetProcAddress(m_hMsimg32, "TransparentBlt"));
}

void CTkDrawHelpers::FillGradient(CDC* pDC, const RECT* pRect, COLORREF first, COLORREF second, BOOL bHorizontal) {
    if (pRect == nullptr || ::IsRectEmpty(pRect))
        return;
    if (IsLowColorDevice(pDC->GetSafeHdc()) || first == second) {
        pDC->FillSolidRect(pRect, first);
        return;
    }
    if (m_pfnGradientFill == nullptr || (IsDCRightToLeft(pDC) && GetOSVersionInfo()->IsWin9x()))
        FillGradientByLines(pDC, pRect, first, second, bHorizontal);
    else
        FillGradientWithApi(pDC, pRect, first, second, bHorizontal);
}

BOOL CTkDrawHelpers::FillGradientWithApi(CDC* pDC, const RECT* pRect, COLORREF first, COLORREF second,
                                         BOOL bHorizontal) {
    if (m_pfnGradientFill == nullptr)
        return FALSE;
    TRIVERTEX vertices[2] = {Vertex(pRect->left, pRect->top, first), Vertex(pRect->right, pRect->bottom, second)};
    GRADIENT_RECT gradientRect = {0, 1};
    return m_pfnGradientFill(pDC->GetSafeHdc(), vertices, 2, &gradientRect, 1,
                             bHorizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void CTkDrawHelpers::FillGradientByLines(CDC* pDC, const RECT* pRect, COLORREF first, COLORREF second,
                                         BOOL bHorizontal) {
    CRect rcDrawn;
    pDC->GetClipBox(&rcDrawn);
    if (rcDrawn.IsRectEmpty())
        rcDrawn = *pRect;
    else
        rcDrawn.IntersectRect(rcDrawn, pRect);
    const double dWidth = std::max<LONG>(pRect->right - pRect->left, 1);
    const double dHeight = std::max<LONG>(pRect->bottom - pRect->top, 1);
    if (bHorizontal) {
        for (int x = rcDrawn.left; x < rcDrawn.right; ++x)
            pDC->FillSolidRect(x, rcDrawn.top, 1, rcDrawn.Height(),
                               BlendColorsByFactor(first, second, 1 - (x - pRect->left) / dWidth));
    } else {
        for (int y = rcDrawn.top; y < rcDrawn.bottom; ++y)
            pDC->FillSolidRect(rcDrawn.left, y, rcDrawn.Width(), 1,
                               BlendColorsByFactor(first, second, 1 - (y - pRect->top) / dHeight));
    }
}

void CTkDrawHelpers::FillGradientClipped(CDC* pDC, const RECT* pRect, COLORREF first, COLORREF second, BOOL bHorizontal,
                                         const RECT* pClip) {
    if (pClip == nullptr || pRect == nullptr) {
        FillGradient(pDC, pRect, first, second, bHorizontal);
        return;
    }
    // The same cut on either axis: [lo, hi) of the rectangle against [clipLo, clipHi) of the clip, and
    // the cross axis narrowed to the clip.
    CRect rc(*pRect);
    LONG& lo = bHorizontal ? rc.left : rc.top;
    LONG& hi = bHorizontal ? rc.right : rc.bottom;
    const LONG clipLo = bHorizontal ? pClip->left : pClip->top;
    const LONG clipHi = bHorizontal ? pClip->right : pClip->bottom;
    if (bHorizontal) {
        rc.top = std::max(rc.top, pClip->top);
        rc.bottom = std::min(rc.bottom, pClip->bottom);
    } else {
        rc.left = std::max(rc.left, pClip->left);
        rc.right = std::min(rc.right, pClip->right);
    }
    if (clipHi <= lo || clipLo >= hi)
        return;
    const double dLength = hi - lo;
    const LONG fullHi = hi;
    COLORREF from = first;
    COLORREF to = second;
    if (clipLo > lo) {
        from = BlendColorsByFactor(first, second, (fullHi - clipLo) / dLength);
        lo = clipLo;
    }
    if (clipHi < fullHi) {
        to = BlendColorsByFactor(first, second, (fullHi - clipHi) / dLength);
        hi = clipHi;
    }
    FillGradient(pDC, &rc, from, to, bHorizontal);
}

void CTkDrawHelpers::FillColorGradient(CDC* pDC, const RECT* pRect, const CTkPaintManagerColorGradient& gradient,
                                       BOOL bHorizontal, const RECT* pClip) {
    const COLORREF first = gradient.m_firstColor.GetEffective();
    const COLORREF second = gradient.m_secondColor.GetEffective();
    if (gradient.m_splitFactor == 0.5f) {
        FillGradientClipped(pDC, pRect, first, second, bHorizontal, pClip);
        return;
    }
    const COLORREF mid = BlendColorsByFactor(first, second, gradient.m_splitFactor);
    CRect rcFirst(*pRect);
    CRect rcSecond(*pRect);
    if (bHorizontal)
        rcFirst.right = rcSecond.left = pRect->right - (pRect->right - pRect->left) / 2;
    else
        rcFirst.bottom = rcSecond.top = pRect->bottom - (pRect->bottom - pRect->top) / 2;
    FillGradientClipped(pDC, &rcFirst, first, mid, bHorizontal, pClip);
    FillGradientClipped(pDC, &rcSecond, mid, second, bHorizontal, pClip);
}

void CTkDrawHelpers::AveragePixelPairs(CDC* pDC, const POINT* pPairs, int nCount) {
    for (int i = 0; i + 1 < nCount; i += 2) {
        const POINT pt = pPairs[i];
        const POINT offset = pPairs[i + 1];
        const COLORREF a = pDC->GetPixel(pt);
        const COLORREF b = pDC->GetPixel(pt.x + offset.x, pt.y + offset.y);
        pDC->SetPixel(pt, RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
                              (GetBValue(a) + GetBValue(b)) / 2));
    }
}

CTkDrawHelpers* GetDrawHelpers() {
    static CTkDrawHelpers s_helpers;
    return &s_helpers;
}

void DrawHalftoneRect(CDC* pDC, const RECT* pRect) {
    CBitmap pattern;
    CBrush brush;
    if (!pattern.CreateBitmap(8, 8, 1, 1, kHalftoneRows) || !brush.CreatePatternBrush(&pattern))
        return;
    const CTkColorManager* pColors = GetColorManager();
    const COLORREF oldBk = pDC->SetBkColor(pColors->GetColor(COLOR_3DFACE));
    const COLORREF oldText = pDC->SetTextColor(pColors->GetColor(COLOR_3DHILIGHT));
    {
        CScopedSelectObject selectBrush(pDC->GetSafeHdc(), brush);
        pDC->PatBlt(pRect->left, pRect->top, pRect->right - pRect->left, pRect->bottom - pRect->top, PATCOPY);
    }
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBk);
}

void DrawTriangleWithCurrentTools(CDC* pDC, int x1, int y1, int x2, int y2, int x3, int y3) {
    const POINT points[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
    pDC->Polygon(points, 3);
}
