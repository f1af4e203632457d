#pragma once
#include "mfc.h"

// Edges, frame controls and the small fills of the skin: 3-D edges and push-button faces in the skin's
// colours, scroll arrows and size grips from the skin's SCROLLBAR images, and the solid fills and frames
// that the skin's drawing code uses. While the colour option is on, the system's DrawEdge and
// DrawFrameControl of every module come here.
//
// Any painting thread; they read the loaded skin of the manager they are given.

class CTkSkinManager;

// ---- Edges and frame controls
// DrawEdge's contract (BDR_ and BF_ values) in the skin's colours, sides one skin border wide. FALSE for an
// edge pass with both of its bits set, and for a diagonal edge with BF_MIDDLE (its line is drawn).
BOOL SkinDrawEdge(CTkSkinManager* pManager, HDC hDC, LPRECT pRect, UINT nEdge, UINT nFlags);
// TRUE for the three kinds it draws: a size grip, a plain push button, a scroll arrow. Any other kind is
// left to the system: FALSE, nothing drawn.
BOOL SkinDrawFrameControl(CTkSkinManager* pManager, HDC hDC, LPRECT pRect, UINT nType, UINT nState);

// ---- Fills and frames
// The rectangle filled through an opaque ExtTextOut (its result); the DC's background colour comes back.
BOOL FillSolidColor(CDC* pDC, const RECT* pRect, COLORREF clr);
void FillSolidRectXYWH(CDC* pDC, int x, int y, int nWidth, int nHeight, COLORREF clr);
// A frame nWidth wide inside the rectangle, in four strips: the top stops short of the right strip, the
// left short of the bottom strip.
void DrawFrameRectColor(CDC* pDC, const RECT* pRect, int nWidth, COLORREF clr);
void DrawFrameRectBrush(CDC* pDC, const RECT* pRect, int nWidth, HBRUSH hBrush);
