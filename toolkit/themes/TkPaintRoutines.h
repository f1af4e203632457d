#pragma once
#include "mfc.h"

// Drawing routines shared by the paint managers and the skin framework, in real colours. They depend on
// nothing of the command bars, so the skin links them alone (library tk_paint_routines). UI thread.

// A triangle filled and outlined (a 1-pixel pen) in one colour.
void FillTriangle(CDC* pDC, POINT pt1, POINT pt2, POINT pt3, COLORREF clr);
// An anti-aliased disc in the rectangle: pixels nearer the centre than r - 1, r = (width - 1) / 2 - 0.25,
// take the fill colour; in the ring r - 1 .. r + 1 the edge colour is blended towards the pixel that is
// there (outside r) or towards the fill colour (inside r), by the distance from r.
void PaintSmoothCircle(CDC* pDC, const CRect& rc, COLORREF clrEdge, COLORREF clrFill);
// Sets the alpha byte of every pixel of the rectangle to 0xFF (after GDI drawing on a surface with
// alpha, which leaves it 0); the colours stay.
void MakeRectOpaque(CDC* pDC, const CRect& rc);
// Removes the four corner pixels of the rectangle from the DC's clip region.
void ExcludeRectCorners(CDC* pDC, const CRect& rc);
