#include "TkScrollBase.h"

CRect CTkScrollBase::CalcThumbDragRect(const ScrollBarGeometry& geometry) {
    const int nThickness = geometry.nCrossEnd - geometry.nCrossStart;
    const int nThumb = ::GetSystemMetrics(geometry.bVertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    const int nCrossStart = geometry.nCrossStart - 8 * nThickness;
    const int nCrossEnd = geometry.nCrossEnd + 8 * nThickness;
    const int nStart = geometry.nStart - 2 * nThumb;
    const int nEnd = geometry.nEnd + 2 * nThumb;
    return geometry.bVertical ? CRect(nCrossStart, nStart, nCrossEnd, nEnd)
                              : CRect(nStart, nCrossStart, nEnd, nCrossEnd);
}

CRect CTkScrollBase::AlongRect(const ScrollBarGeometry& geometry, int nStart, int nEnd) {
    return geometry.bVertical ? CRect(geometry.nCrossStart, nStart, geometry.nCrossEnd, nEnd)
                              : CRect(nStart, geometry.nCrossStart, nEnd, geometry.nCrossEnd);
}

int CTkScrollBase::HitTestGeometry(const ScrollBarGeometry& geometry, CPoint pt) {
    if (!geometry.rcBar.PtInRect(pt))
        return kScrollPartNone;
    const int c = geometry.bVertical ? pt.y : pt.x;
    if (c < geometry.nFirstArrowEnd)
        return kScrollPartFirstArrow;
    if (geometry.nExtraButtonStart > 0 && c >= geometry.nExtraButtonStart)
        return kScrollPartExtraButton;
    if (c >= geometry.nSecondArrowStart)
        return kScrollPartSecondArrow;
    if (c < geometry.nThumbStart)
        return kScrollPartTrackBefore;
    if (c < geometry.nThumbEnd)
        return kScrollPartThumb;
    return kScrollPartTrackAfter;
}

int CTkScrollBase::PositionFromPixel(const ScrollBarGeometry& geometry, int nPixel) {
    const ScrollBarGeometry& g = geometry;
    if (nPixel < g.nTrackStart)
        return g.nMin;
    if (nPixel >= g.nTrackStart + g.nTravel)
        return g.nPage != 0 ? g.nMax - g.nPage + 1 : g.nMax;
    // A zero travel never gets here (the pixel is at its end); MulDiv would answer -1.
    const int nSpan = g.nMax - g.nMin - (g.nPage != 0 ? g.nPage - 1 : 0);
    return g.nMin + ::MulDiv(nSpan, nPixel - g.nTrackStart, g.nTravel);
}
