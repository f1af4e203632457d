#include "TkPaintRoutines.h"

#include "TkBitmapFunctions.h"
#include "TkColorFunctions.h"
#include "TkDCWrappers.h"

#include <cmath>

void FillTriangle(CDC* pDC, POINT pt1, POINT pt2, POINT pt3, COLORREF clr) {
    CTkPenDC pen(pDC->GetSafeHdc(), clr);
    CTkBrushDC brush(pDC->GetSafeHdc(), clr);
    const POINT points[3] = {pt1, pt2, pt3};
    pDC->Polygon(points, 3);
}

void PaintSmoothCircle(CDC* pDC, const CRect& rc, COLORREF clrEdge, COLORREF clrFill) {
    const double r = (rc.Width() - 1) / 2.0 - 0.25;
    const double cx = rc.left + (rc.Width() - 1) / 2.0;
    const double cy = rc.top + (rc.Height() - 1) / 2.0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            if (d < r - 1) {
                pDC->SetPixel(x, y, clrFill);
            } else if (d <= r + 1) {
                const double f = d - r;
                const COLORREF clrToward = f >= 0 ? pDC->GetPixel(x, y) : clrFill;
                pDC->SetPixel(x, y, BlendColorsByFactor(clrToward, clrEdge, std::fabs(f)));
            }
        }
    }
}

void MakeRectOpaque(CDC* pDC, const CRect& rc) {
    if (rc.IsRectEmpty())
        return;
    void* pBits = nullptr;
    CBitmap bitmap;
    if (!bitmap.Attach(CreateDibSection32(pDC->GetSafeHdc(), rc.Width(), -rc.Height(), &pBits)))
        return;
    CTkCompatibleDC memDC(pDC, &bitmap);
    memDC.BitBlt(0, 0, rc.Width(), rc.Height(), pDC, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    auto* pPixels = static_cast<DWORD*>(pBits);
    for (int i = 0; i < rc.Width() * rc.Height(); ++i)
        pPixels[i] |= 0xFF000000;
    pDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &memDC, 0, 0, SRCCOPY);
}

void ExcludeRectCorners(CDC* pDC, const CRect& rc) {
    pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 1, rc.top + 1);
    pDC->ExcludeClipRect(rc.right - 1, rc.top, rc.right, rc.top + 1);
    pDC->ExcludeClipRect(rc.left, rc.bottom - 1, rc.left + 1, rc.bottom);
    pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
}
