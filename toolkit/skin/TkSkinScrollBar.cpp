#include "TkSkinScrollBar.h"

#include "TkSkinManagerMetrics.h"

#include <algorithm>

void CalcScrollBarLayout(SCROLLBARPOSITION* pBar, const RECT& rcBar, const SCROLLINFO& info,
                         const CTkSkinManagerMetrics* pMetrics) {
    SCROLLBARPOSITION& bar = *pBar;
    bar.rc = rcBar;
    bar.nBarStart = bar.bVertical ? rcBar.top : rcBar.left;
    bar.nBarEnd = bar.bVertical ? rcBar.bottom : rcBar.right;
    bar.nCrossStart = bar.bVertical ? rcBar.left : rcBar.top;
    bar.nCrossEnd = bar.bVertical ? rcBar.right : rcBar.bottom;
    const int nFullArrow = bar.bVertical ? pMetrics->GetVScrollArrowHeight() : pMetrics->GetHScrollArrowWidth();
    bar.nThumbSize = nFullArrow;

    bar.nPos = info.nPos;
    bar.nPage = static_cast<int>(info.nPage);
    bar.nMin = info.nMin;
    bar.nMax = info.nMax;

    const int nLength = bar.nBarEnd - bar.nBarStart;
    const int nArrow = std::min(nFullArrow, nLength / 2);
    bar.nFirstArrowEnd = bar.nBarStart + nArrow;
    bar.nSecondArrowStart = bar.nBarEnd - nArrow;

    const int nRange = bar.nMax + 1 - bar.nMin;
    if (bar.nPage != 0 && nRange != 0)
        bar.nThumbSize = std::max(::MulDiv(nLength - 2 * nArrow, bar.nPage, nRange), nFullArrow / 2);

    bar.nTrackStart = bar.nBarStart + nArrow;
    bar.nTrackLength = bar.nBarEnd - (bar.nTrackStart + nArrow + bar.nThumbSize);

    if (nRange == std::max(bar.nPage, 1))
        bar.nThumbStart = bar.nTrackStart - 1;
    else
        bar.nThumbStart = ::MulDiv(bar.nPos - bar.nMin, bar.nTrackLength, nRange - bar.nPage) + bar.nTrackStart;
    bar.nThumbEnd = bar.nThumbStart + bar.nThumbSize;
}

int ScrollPositionFromPixel(const SCROLLBARPOSITION* pBar, int nPixel) {
    if (nPixel < pBar->nTrackStart)
        return pBar->nMin;
    if (nPixel >= pBar->nTrackStart + pBar->nTrackLength)
        return pBar->nPage != 0 ? pBar->nMax - pBar->nPage + 1 : pBar->nMax;
    const int nSpan = pBar->nMax - pBar->nMin - (pBar->nPage != 0 ? pBar->nPage - 1 : 0);
    return pBar->nMin + ::MulDiv(nSpan, nPixel - pBar->nTrackStart, pBar->nTrackLength);
}

int HitTestScrollBar(const SCROLLBARPOSITION* pBar, POINT pt) {
    if (!pBar->bVisible || !::PtInRect(&pBar->rc, pt))
        return tkSkinScrollNone;
    const int nPixel = pBar->bVertical ? pt.y : pt.x;
    if (nPixel < pBar->nFirstArrowEnd)
        return tkSkinScrollFirstArrow;
    if (nPixel >= pBar->nSecondArrowStart)
        return tkSkinScrollSecondArrow;
    if (nPixel < pBar->nThumbStart)
        return tkSkinScrollPageBefore;
    if (nPixel < pBar->nThumbEnd)
        return tkSkinScrollThumb;
    return tkSkinScrollPageAfter;
}
