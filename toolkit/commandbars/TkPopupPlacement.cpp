#include "TkPopupPlacement.h"

PopupPlacement CalcPopupPlacement(const PopupPlacementInput& in) {
    CRect rcWork = in.rcWork;
    CRect rcExclude = in.rcExclude;
    const BOOL bExcludeEmpty = rcExclude.IsRectEmpty();
    CRect rcMeet;
    // A point or an opener on the taskbar or outside the work area is placed over the whole monitor.
    if ((bExcludeEmpty && in.rcMonitor.PtInRect(in.ptAnchor) && !rcWork.PtInRect(in.ptAnchor)) ||
        (!bExcludeEmpty && !rcMeet.IntersectRect(&rcExclude, &rcWork) &&
         rcMeet.IntersectRect(&rcExclude, &in.rcMonitor)))
        rcWork = in.rcMonitor;
    rcWork.bottom -= 5;

    int x = in.ptAnchor.x;
    int y = in.ptAnchor.y;
    int cx = in.size.cx;
    int cy = in.size.cy;
    int nDirection = in.nDirection;
    BOOL bScrolls = FALSE;
    const BOOL bZeroHeight = rcExclude.top == rcExclude.bottom;

    // Vertically.
    if (bZeroHeight && (nDirection & kPopupUpwards))
        y -= cy;
    if (bZeroHeight && rcWork.bottom < y) {
        y -= cy;
    } else if (y + cy > rcWork.bottom) {
        if (!bZeroHeight && !(nDirection & kPopupDown)) {
            y = rcWork.bottom - cy;
        } else if (!bZeroHeight) {
            // Above the opener when it fits there.
            y = rcExclude.top - cy;
            if (y < rcWork.top && in.bFlipAllowed) {
                nDirection &= ~kPopupDown;
                rcExclude = in.rcSideways;
                y = rcWork.bottom - cy;
                if (!(nDirection & kPopupLeft))
                    x = rcExclude.right;
            } else if (y < rcWork.top) {
                // It fits neither below nor above: it scrolls on the larger side of the opener.
                bScrolls = TRUE;
                if (rcWork.Height() / 2 < rcExclude.CenterPoint().y) {
                    y = rcWork.top;
                    cy = rcExclude.top - rcWork.top;
                } else {
                    y = rcExclude.bottom;
                    cy = rcWork.bottom - rcExclude.bottom;
                }
            }
        } else {
            if (y < rcWork.Height() / 2)
                y = rcWork.bottom;
            y -= cy;
        }
        if (y < rcWork.top)
            y = rcWork.top;
    }

    // Taller than the work area.
    if (y + cy > rcWork.bottom && y == rcWork.top) {
        if (!in.bFlipAllowed) {
            cy = rcWork.bottom - y;
            bScrolls = TRUE;
        } else if (in.remeasure) {
            const CSize size = in.remeasure(rcWork.Height());
            cx = size.cx;
            cy = size.cy;
        }
    }

    // Horizontally.
    const BOOL bHasWidth = rcExclude.left != rcExclude.right;
    if (nDirection == (kPopupLeft | kPopupDown) && bHasWidth)
        x = rcExclude.right - cx;
    else if (nDirection & kPopupLeft)
        x = bHasWidth ? rcExclude.left - cx : x - cx;

    if (x + cx > rcWork.right) {
        if (!bHasWidth && x > rcWork.right) {
            x -= cx;
        } else {
            int nLimit = rcWork.right;
            if (bHasWidth) {
                nDirection |= kPopupLeft;
                if (!(nDirection & kPopupDown))
                    nLimit = rcExclude.left;
            }
            x = nLimit - cx;
        }
        if (x < rcWork.left)
            x = rcWork.left;
    } else if (x < rcWork.left) {
        nDirection &= ~kPopupLeft;
        x = bHasWidth && !(nDirection & kPopupDown) ? rcExclude.right : rcWork.left;
    }

    PopupPlacement out;
    out.rc.SetRect(x, y, x + cx, y + cy);
    out.nDirection = nDirection;
    out.bScrolls = bScrolls;
    return out;
}
