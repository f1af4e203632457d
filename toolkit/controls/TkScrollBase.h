#pragma once
#include "mfc.h"

// The scroll-bar mechanics that command-bar items share with other toolkit pieces: the record of a
// scroll bar's computed layout (ScrollBarGeometry), the codes of its parts (ScrollBarPart) and
// CTkScrollBase, the mixin of window-less scroll bars.
//
// So far the class holds only the thumb-drag tolerance rectangle, a static that needs no control and
// that the markup engine's scroll bars use with geometry of their own. The command-bar scroll control
// adds the rest of the mixin (its geometry and tracking members and the virtual operations its deriving
// classes implement) to this class. This file builds on the layer alone, so that code outside the
// command bars can link it without them. Any thread; no state.

// Parts of a scroll bar, as hit tests answer them.
enum ScrollBarPart {
    kScrollPartNone = 0,
    kScrollPartFirstArrow = 60,   // up or left
    kScrollPartSecondArrow = 61,  // down or right
    kScrollPartTrackBefore = 62,  // the track before the thumb
    kScrollPartTrackAfter = 63,   // the track after the thumb
    kScrollPartThumb = 64,
    kScrollPartExtraButton = 65,  // a button of the deriving class beyond the second arrow
};

// A scroll bar's layout, in the bar's coordinates. "Along" is the scrolling direction (top to bottom of
// a vertical bar, left to right of a horizontal one), "across" the other.
struct ScrollBarGeometry {
    int nMin = 0;  // the scroll range, page and position it was computed for
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
    int nStart = 0;  // the bar's extent along
    int nEnd = 0;
    int nCrossStart = 0;  // the bar's extent across
    int nCrossEnd = 0;
    int nThumbSize = 0;         // the thumb's length along
    int nFirstArrowEnd = 0;     // the first arrow ends here
    int nSecondArrowStart = 0;  // the second arrow starts here
    int nDragStartThumb = 0;    // the thumb start when a thumb drag began
    int nThumbEnd = 0;
    int nThumbStart = 0;
    int nExtraButtonStart = 0;  // where the deriving class's extra button begins; 0: none
    int nTravel = 0;            // the pixels the thumb can move
    int nTrackStart = 0;
    CRect rcBar;
    int nHitPart = kScrollPartNone;  // the part under the mouse, for painting
    BOOL bVertical = TRUE;
};

class CTkScrollBase {
public:
    // The rectangle inside which a thumb drag keeps following the mouse: across, the bar widened by eight
    // bar thicknesses on each side; along, the bar widened at each end by twice the system's thumb length
    // (SM_CYVTHUMB for a vertical bar, SM_CXHTHUMB for a horizontal one). Reads the extents and the
    // vertical flag of the geometry only.
    static CRect CalcThumbDragRect(const ScrollBarGeometry& geometry);
};
