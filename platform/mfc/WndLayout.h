#pragma once
#include "Wnd.h"

// The layout of control bars inside a window (CWnd::RepositionBars).
//
// RepositionBars sends WM_SIZEPARENT(0, AFX_SIZEPARENTPARAMS*) to each bar in Z order. A bar takes its
// thickness from the matching edge of rect, adds it to sizeTotal and, when hDWP is set, moves itself
// there with AfxRepositionWindow. Whatever is left of rect goes to the client window afterwards.

struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;       // deferred moves of this layout; NULL for a query, which moves nothing
    RECT rect;       // the part of the parent's client area still free (parent client coordinates)
    SIZE sizeTotal;  // the space the bars took so far
    BOOL bStretch;   // bars span the whole edge
};

// Moves hWnd to lpRect (its parent's client coordinates) inside the layout's deferred moves, or at
// once without them; nothing happens when the window is already there.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);
