#pragma once
#include "mfc.h"

// The geometry of a skinned scroll bar and the tracking state that its painting reads: the layout of
// arrows, track and thumb from the bar's range, page and position, the position under a thumb pixel and
// the part under a point. Skinned windows keep one record per bar (their WS_HSCROLL and WS_VSCROLL bars,
// or the control itself) and lay it out again before every paint, except while its thumb is dragged.
//
// Plain data and pure functions: the UI thread of the window that owns the record.

class CTkSkinManagerMetrics;

// The parts of a bar, as hot part and hit-test answer (0: none).
enum TkSkinScrollBarPart {
    tkSkinScrollNone = 0,
    tkSkinScrollFirstArrow = 60,   // up or left
    tkSkinScrollSecondArrow = 61,  // down or right
    tkSkinScrollPageBefore = 62,
    tkSkinScrollPageAfter = 63,
    tkSkinScrollThumb = 64,
};

// One bar. Pixel values run along the bar's axis (x for a horizontal bar, y for a vertical one).
struct SCROLLBARPOSITION {
    // From the bar's SCROLLINFO
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
    // Along the axis, then across it
    int nBarStart = 0;
    int nBarEnd = 0;
    int nCrossStart = 0;
    int nCrossEnd = 0;
    int nThumbSize = 0;
    int nFirstArrowEnd = 0;
    int nSecondArrowStart = 0;
    int nDragThumbStart = 0;  // the thumb start when a drag began
    int nThumbEnd = 0;
    int nThumbStart = 0;
    int nTrackLength = 0;  // the span the thumb can move
    int nTrackStart = 0;
    RECT rc = {};  // the whole bar: window coordinates for a window's own bars, client ones for a control
    int nHotPart = tkSkinScrollNone;
    BOOL bVertical = FALSE;
    int nBar = SB_HORZ;  // SB_HORZ, SB_VERT or SB_CTL
    BOOL bVisible = FALSE;
};

// A bar being tracked with the mouse; exists only while the tracking runs, owned by the skinned window.
struct SCROLLBARTRACKING {
    BOOL bInside = FALSE;  // the mouse is inside the tracking rectangle
    BOOL bVertical = FALSE;
    RECT rcTrack = {};
    int nCommand = -1;  // SB_LINEUP .. SB_PAGEDOWN, SB_THUMBPOSITION while the thumb is dragged; -1 unknown
    UINT_PTR nTimer = 0;
    int nThumbOffset = 0;  // thumb start minus the mouse position when the drag began
    int nLastThumbPixel = 0;
    int nLastPosition = 0;  // the last position sent
    int nNewPosition = 0;
    BOOL bThumbDrag = FALSE;
    LPARAM lParamNotify = 0;    // the control for a scroll-bar control, else 0
    HWND hWndNotify = nullptr;  // the control's parent for a scroll-bar control, else the window
    int nBar = SB_HORZ;
    BOOL bNonClient = FALSE;            // mouse points convert to window coordinates, else to client ones
    SCROLLBARPOSITION* pBar = nullptr;  // not owned
};

// Lays the bar out in rcBar from the info's range, page and position; the arrows are the skin's scroll
// arrow size long, cut to half the bar when it is shorter.
void CalcScrollBarLayout(SCROLLBARPOSITION* pBar, const RECT& rcBar, const SCROLLINFO& info,
                         const CTkSkinManagerMetrics* pMetrics);
// The position that puts the thumb's start at the pixel.
int ScrollPositionFromPixel(const SCROLLBARPOSITION* pBar, int nPixel);
// The part under the point (the bar's coordinates); none for an invisible bar or a point outside it.
int HitTestScrollBar(const SCROLLBARPOSITION* pBar, POINT pt);
