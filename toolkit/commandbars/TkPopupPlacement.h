#pragma once
#include "mfc.h"

#include <functional>

// Where a popup bar goes on the screen: below or beside the control that opened it, or at a point, kept
// within the work area of its monitor. Pure: the areas and the popup's measuring come from the caller.

// Direction bits of a popup bar.
enum PopupDirection {
    kPopupLeft = 0x1,     // opens to the left
    kPopupDown = 0x2,     // opens below (or above) the control
    kPopupUpwards = 0x4,  // opens upwards from the anchor point
};

struct PopupPlacementInput {
    CPoint ptAnchor;     // where the placement starts (screen)
    CSize size;          // the popup's measured size
    CRect rcExclude;     // the opener's rectangle (screen), empty for a point
    CRect rcWork;        // the work area of the monitor of the anchor (or of rcExclude)
    CRect rcMonitor;     // the whole area of that monitor
    int nDirection = 0;  // PopupDirection bits
    BOOL bFlipAllowed = FALSE;
    // The opener's rectangle as a sideways popup would avoid it, used when a menu that fits neither below
    // nor above turns sideways.
    CRect rcSideways;
    // Measures the popup again for a given height (columns); empty when the popup keeps its size.
    std::function<CSize(int nMaxHeight)> remeasure;
};

struct PopupPlacement {
    CRect rc;               // the window rectangle (screen)
    int nDirection = 0;     // the direction the popup ended up opening in
    BOOL bScrolls = FALSE;  // taller than the room it has: it scrolls
};

PopupPlacement CalcPopupPlacement(const PopupPlacementInput& in);
