#include "TkSliderOffice2007Theme.h"

#include "TkOffice2007Drawing.h"
#include "TkScrollBase.h"

namespace {

constexpr int kStates = 3;

// 2 pressed, 1 hot, 0 otherwise.
int PartState(int nPart, int nHot, int nPressed) {
    return nPart == nPressed ? 2 : nPart == nHot ? 1 : 0;
}

}  // namespace

CTkSliderOffice2007Theme::CTkSliderOffice2007Theme(CTkPaintManager* pOwner) : CTkSliderPaintManager(pOwner) {
    CTkSliderOffice2007Theme::RefreshMetrics();
}

void CTkSliderOffice2007Theme::RefreshMetrics() {
    CTkSliderPaintManager::RefreshMetrics();
    const CSize size = GetLookImageStateSize(L"SLIDERUP", kStates);
    if (size.cx > 0) {
        m_nHorzArrowWidth = size.cx;
        m_nHorzArrowHeight = size.cy;
    }
    m_nFixedThumbSize = 11;
}

void CTkSliderOffice2007Theme::DrawScrollBar(CDC* pDC, CTkScrollBase* pScrollBar) {
    const ScrollBarGeometry& g = pScrollBar->m_geometry;
    if (g.bVertical || g.nCrossEnd <= g.nCrossStart)
        return;
    const BarParts parts = GetBarParts(pScrollBar);
    const int yCenter = (g.nCrossStart + g.nCrossEnd) / 2;
    const int nLeft = g.nFirstArrowEnd;
    const int nRight = g.nSecondArrowStart;
    // Each image at its own height, centred across the bar.
    const auto across = [yCenter](int x1, int x2, CSize size) {
        return CRect(x1, yCenter - size.cy / 2, x2, yCenter - size.cy / 2 + size.cy);
    };

    const CSize szTrack = GetLookImageStateSize(L"SLIDERTRACK");
    DrawLookImage(pDC, L"SLIDERTRACK", across(nLeft, nRight, szTrack), 0, 1, CRect(0, 0, 0, 0), TRUE);
    // Ticks over the thumb's travel: at a thumb centre for each value.
    const CSize szTick = GetLookImageStateSize(L"SLIDERTICK");
    const int nRange = g.nMax - g.nMin;
    const auto drawTick = [&](int x) {
        DrawLookImage(pDC, L"SLIDERTICK", across(x - szTick.cx / 2, x - szTick.cx / 2 + szTick.cx, szTick), 0, 1,
                      CRect(0, 0, 0, 0), TRUE);
    };
    if (pScrollBar->m_ticks.empty() || nRange <= 0) {
        drawTick((nLeft + nRight) / 2);
    } else {
        const int nTravelLeft = g.nTrackStart + g.nThumbSize / 2;
        for (double dTick : pScrollBar->m_ticks)
            drawTick(nTravelLeft + static_cast<int>((dTick - g.nMin) * g.nTravel / nRange));
    }
    DrawLookImage(pDC, L"SLIDERUP", parts.rcFirstArrow, PartState(kScrollPartFirstArrow, parts.nHot, parts.nPressed),
                  kStates, CRect(0, 0, 0, 0), TRUE);
    DrawLookImage(pDC, L"SLIDERDOWN", parts.rcSecondArrow,
                  PartState(kScrollPartSecondArrow, parts.nHot, parts.nPressed), kStates, CRect(0, 0, 0, 0), TRUE);
    if (!parts.bEnabled)
        return;
    const CSize szThumb = GetLookImageStateSize(L"SLIDERTHUMB", kStates);
    const int xThumb = (g.nThumbStart + g.nThumbEnd) / 2 - szThumb.cx / 2;
    DrawLookImage(pDC, L"SLIDERTHUMB", across(xThumb, xThumb + szThumb.cx, szThumb),
                  PartState(kScrollPartThumb, parts.nHot, parts.nPressed), kStates, CRect(0, 0, 0, 0), TRUE);
}
