#pragma once
#include "TkPaintManagerColor.h"

// The drawing layer under every toolkit painter: the optional GDI blending functions of "msimg32.dll"
// (bound by name, never linked), two-colour gradients drawn with them or, where they are missing, line
// by line, and a few small drawing operations. One process-wide object (GetDrawHelpers), built on first
// use; UI thread. Nothing here reports an error: a missing function means the slower path.

class CTkDrawHelpers {
public:
    CTkDrawHelpers();
    virtual ~CTkDrawHelpers() = default;
    CTkDrawHelpers(const CTkDrawHelpers&) = delete;
    CTkDrawHelpers& operator=(const CTkDrawHelpers&) = delete;

    // ---- Gradients: horizontal runs from first (left) to second (right), else top to bottom
    // Nothing for a NULL or empty rectangle; one solid fill of first on a low-colour DC or for equal
    // colours; the system's GradientFill when bound, else lines.
    void FillGradient(CDC* pDC, const RECT* pRect, COLORREF first, COLORREF second, BOOL bHorizontal);
    // The part of the gradient over pRect that lies inside pClip, in the colours it has in the whole
    // gradient (FillGradient without a clip).
    void FillGradientClipped(CDC* pDC, const RECT* pRect, COLORREF first, COLORREF second, BOOL bHorizontal,
                             const RECT* pClip);
    // The gradient's effective colours; a split factor other than exactly 0.5 makes two halves meeting
    // at the colour of that factor.
    void FillColorGradient(CDC* pDC, const RECT* pRect, const CTkPaintManagerColorGradient& gradient, BOOL bHorizontal,
                           const RECT* pClip);
    // The two paths of FillGradient. Lines: one solid 1-pixel line per column (or row) inside the clip box.
    void FillGradientByLines(CDC* pDC, const RECT* pRect, COLORREF first, COLORREF second, BOOL bHorizontal);
    BOOL FillGradientWithApi(CDC* pDC, const RECT* pRect, COLORREF first, COLORREF second, BOOL bHorizontal);

    // Each record of pPairs is a pixel and an offset (two POINTs); the pixel becomes the per-channel
    // average (rounded down) of itself and the pixel at pixel + offset. nCount counts POINTs: a last
    // POINT without its partner is ignored.
    void AveragePixelPairs(CDC* pDC, const POINT* pPairs, int nCount);

    // ---- The bound msimg32 functions (NULL when missing; callers test first)
    BOOL(WINAPI* m_pfnGradientFill)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG) = nullptr;
    BOOL(WINAPI* m_pfnAlphaBlend)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION) = nullptr;
    BOOL(WINAPI* m_pfnTransparentBlt)(HDC, int, int, int, int, HDC, int, int, int, int, UINT) = nullptr;

private:
    HMODULE m_hMsimg32;  // NULL when the library is missing; never freed
};

CTkDrawHelpers* GetDrawHelpers();

// Fills the rectangle with the 8 x 8 checker of pushed buttons and dithered bars: colour-manager slots
// 15 and 20 alternating; the DC's brush and colours come back as they were.
void DrawHalftoneRect(CDC* pDC, const RECT* pRect);
// A filled triangle with the DC's current pen and brush.
void DrawTriangleWithCurrentTools(CDC* pDC, int x1, int y1, int x2, int y2, int x3, int y3);
