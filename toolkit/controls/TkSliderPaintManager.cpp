#include "TkSliderPaintManager.h"

#include "TkColorManager.h"
#include "TkScrollBase.h"

namespace {

struct SliderColors {
    COLORREF clrFace;
    COLORREF clrHighlight;
    COLORREF clrShadow;
};

// A round button with a minus, or a plus, in its middle.
void DrawRoundButton(CDC* pDC, const CRect& rcPart, BOOL bPlus, BOOL bHot, BOOL bPressed, const SliderColors& colors) {
    const int nSide = std::min(rcPart.Width(), rcPart.Height());
    if (nSide <= 0)
        return;
    const CPoint ptCenter = rcPart.CenterPoint();
    const CRect rc(ptCenter.x - nSide / 2, ptCenter.y - nSide / 2, ptCenter.x - nSide / 2 + nSide,
                   ptCenter.y - nSide / 2 + nSide);
    CBrush brush(bHot ? colors.clrHighlight : colors.clrFace);
    CPen pen(PS_SOLID, 1, colors.clrShadow);
    CScopedSaveDC save(pDC->GetSafeHdc());
    pDC->SelectObject(&brush);
    pDC->SelectObject(&pen);
    pDC->Ellipse(rc);
    if (!bPressed && nSide > 4) {
        CPen penInner(PS_SOLID, 1, colors.clrHighlight);
        pDC->SelectObject(&penInner);
        pDC->SelectStockObject(NULL_BRUSH);
        CRect rcInner = rc;
        rcInner.DeflateRect(1, 1);
        pDC->Ellipse(rcInner);
    }
    pDC->FillSolidRect(ptCenter.x - 4, ptCenter.y - 1, 8, 2, RGB(0, 0, 0));
    if (bPlus)
        pDC->FillSolidRect(ptCenter.x - 1, ptCenter.y - 4, 2, 8, RGB(0, 0, 0));
}

void DrawTick(CDC* pDC, int x, int y, const SliderColors& colors) {
    pDC->FillSolidRect(x, y - 3, 1, 6, colors.clrShadow);
    pDC->FillSolidRect(x + 1, y - 3, 1, 6, colors.clrHighlight);
}

}  // namespace

CTkSliderPaintManager::CTkSliderPaintManager(CTkPaintManager* pOwner) : CTkScrollBarPaintManager(pOwner) {
    CTkSliderPaintManager::RefreshMetrics();
}

void CTkSliderPaintManager::RefreshMetrics() {
    CTkScrollBarPaintManager::RefreshMetrics();
    m_nHorzArrowWidth = 16;
    m_nHorzArrowHeight = 16;
    m_nFixedThumbSize = 11;
}

void CTkSliderPaintManager::DrawScrollBar(CDC* pDC, CTkScrollBase* pScrollBar) {
    const ScrollBarGeometry& g = pScrollBar->m_geometry;
    if (g.bVertical || g.nCrossEnd <= g.nCrossStart)
        return;
    const BarParts parts = GetBarParts(pScrollBar);
    CTkColorManager* pManager = GetColorManager();
    const SliderColors colors = {pManager->GetColor(COLOR_BTNFACE), pManager->GetColor(COLOR_BTNHIGHLIGHT),
                                 pManager->GetColor(COLOR_BTNSHADOW)};
    DrawRoundButton(pDC, parts.rcFirstArrow, FALSE, parts.nHot == kScrollPartFirstArrow,
                    parts.nPressed == kScrollPartFirstArrow, colors);
    DrawRoundButton(pDC, parts.rcSecondArrow, TRUE, parts.nHot == kScrollPartSecondArrow,
                    parts.nPressed == kScrollPartSecondArrow, colors);

    // The groove between the buttons, and the ticks inside it less six pixels at each end.
    const int y = (g.nCrossStart + g.nCrossEnd) / 2;
    const int nLeft = g.nFirstArrowEnd;
    const int nRight = g.nSecondArrowStart;
    pDC->FillSolidRect(nLeft, y - 1, nRight - nLeft, 1, colors.clrShadow);
    pDC->FillSolidRect(nLeft, y, nRight - nLeft, 1, colors.clrHighlight);
    const int nTickLeft = nLeft + 6;
    const int nTickWidth = nRight - 6 - nTickLeft;
    const int nRange = g.nMax - g.nMin;
    if (pScrollBar->m_ticks.empty() || nRange <= 0) {
        DrawTick(pDC, (nLeft + nRight) / 2, y, colors);
    } else {
        for (double dTick : pScrollBar->m_ticks) {
            const int x = nTickLeft + static_cast<int>((dTick - g.nMin) * nTickWidth / nRange);
            DrawTick(pDC, x, y, colors);
        }
    }
    if (!parts.bEnabled)
        return;

    // The thumb: 9 x 13, pointing down, centred on its place.
    const CPoint ptCenter = CTkScrollBase::AlongRect(g, g.nThumbStart, g.nThumbEnd).CenterPoint();
    const int nLeftEdge = ptCenter.x - 4;
    const int nTop = ptCenter.y - 6;
    const POINT points[] = {{nLeftEdge, nTop},
                            {nLeftEdge + 8, nTop},
                            {nLeftEdge + 8, nTop + 8},
                            {nLeftEdge + 4, nTop + 12},
                            {nLeftEdge, nTop + 8}};
    const BOOL bHot = parts.nHot == kScrollPartThumb;
    const BOOL bPressed = parts.nPressed == kScrollPartThumb;
    CBrush brush(bHot ? colors.clrHighlight : colors.clrFace);
    CPen pen(PS_SOLID, 1, colors.clrShadow);
    CScopedSaveDC save(pDC->GetSafeHdc());
    pDC->SelectObject(&brush);
    pDC->SelectObject(&pen);
    pDC->Polygon(points, 5);
    if (!bPressed) {
        pDC->FillSolidRect(nLeftEdge + 1, nTop + 1, 1, 8, colors.clrHighlight);
        pDC->FillSolidRect(nLeftEdge + 1, nTop + 1, 7, 1, colors.clrHighlight);
    }
}
