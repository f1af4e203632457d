// CTkVisualStudio2008Theme: the highlighted popup item, the hot menu-bar item, two-line separators and
// icon-band edge, popup borders and control rectangles.
#include "TkVisualStudio2008Theme.h"

#include "TkColorManager.h"
#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkDrawHelpers.h"

namespace {

constexpr int kWindow = COLOR_WINDOW;
constexpr int kHighlight = COLOR_BTNHIGHLIGHT;
constexpr int kHotFill = 31;
constexpr int kHotFrame = 32;
constexpr int kSeparator = 39;

BOOL IsPopupBar(int nBarType, int nBarPosition) {
    return nBarType == kBarTypePopup && nBarPosition == kBarPopup;
}

BOOL IsPopupBar(CTkCommandBar* pBar) {
    return IsPopupBar(pBar->GetType(), pBar->GetPosition());
}

// One pixel of clr laid over what is there with an opacity of nAlpha / 255.
void BlendPixel(CDC* pDC, int x, int y, COLORREF clr, int nAlpha) {
    const COLORREF old = pDC->GetPixel(x, y);
    const auto mix = [nAlpha](int nNew, int nOld) { return (nNew * nAlpha + nOld * (255 - nAlpha)) / 255; };
    pDC->SetPixel(x, y,
                  RGB(mix(GetRValue(clr), GetRValue(old)), mix(GetGValue(clr), GetGValue(old)),
                      mix(GetBValue(clr), GetBValue(old))));
}

// A corner's five pixels as offsets from the corner pixel, inwards, with their opacities: the diagonal
// neighbour solid, the two pixels along each edge fading out.
struct CornerPixel {
    int dx;
    int dy;
    int nAlpha;
};
constexpr CornerPixel kCornerPixels[] = {{1, 1, 255}, {1, 0, 60}, {2, 0, 120}, {0, 1, 60}, {0, 2, 120}};

}  // namespace

COLORREF CTkVisualStudio2008Theme::GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                                     BOOL bPopuped, int nBarType, int nBarPosition) {
    if (IsPopupBar(nBarType, nBarPosition) && bSelected && !bPressed && bEnabled)
        return m_clrMenuHotText.GetEffective();
    return CTkOfficeTheme::GetStateTextColor(bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType, nBarPosition);
}

void CTkVisualStudio2008Theme::PaintStateRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                                   BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition) {
    const BOOL bHot = bSelected && !bChecked && !bPressed;
    // A disabled item under the mouse is highlighted too; only its text tells it apart.
    if (IsPopupBar(nBarType, nBarPosition) && bHot) {
        PaintHighlightedPopupItem(pDC, rc);
    } else if (nBarType == kBarTypePopup) {
        CTkOffice2003Theme::PaintStateRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                                nBarPosition);
    } else if (nBarType == kBarTypeMenuBar && bHot && bEnabled) {
        PaintHotMenuBarItem(pDC, rc, bPopuped);
    } else if (bPopuped && bEnabled) {
        GetDrawHelpers()->FillColorGradient(pDC, &rc, m_grcPoppedUp, FALSE, nullptr);
        PaintFramedRect(pDC, rc, kHotFrame, kColorUnset);
    } else {
        CTkOffice2003Theme::PaintStateRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                                nBarPosition);
    }
}

void CTkVisualStudio2008Theme::PaintHighlightedPopupItem(CDC* pDC, const CRect& rc) {
    CRect rcFace = rc;
    rcFace.DeflateRect(1, 1);
    GetDrawHelpers()->FillColorGradient(pDC, &rcFace, m_grcMenuHot, FALSE, nullptr);
    const COLORREF clrFrame = m_clrMenuHotFrame.GetEffective();
    const int w = rc.Width();
    const int h = rc.Height();
    // The sides stop short of the corners, which are rounded by blending.
    pDC->FillSolidRect(rc.left + 3, rc.top, w - 6, 1, clrFrame);
    pDC->FillSolidRect(rc.left + 3, rc.bottom - 1, w - 6, 1, clrFrame);
    pDC->FillSolidRect(rc.left, rc.top + 3, 1, h - 6, clrFrame);
    pDC->FillSolidRect(rc.right - 1, rc.top + 3, 1, h - 6, clrFrame);
    for (const CornerPixel& pixel : kCornerPixels) {
        BlendPixel(pDC, rc.left + pixel.dx, rc.top + pixel.dy, clrFrame, pixel.nAlpha);
        BlendPixel(pDC, rc.right - 1 - pixel.dx, rc.top + pixel.dy, clrFrame, pixel.nAlpha);
        BlendPixel(pDC, rc.left + pixel.dx, rc.bottom - 1 - pixel.dy, clrFrame, pixel.nAlpha);
        BlendPixel(pDC, rc.right - 1 - pixel.dx, rc.bottom - 1 - pixel.dy, clrFrame, pixel.nAlpha);
    }
}

// An outer frame with cut corners, an inner frame whose corners are softened halfway to the outer
// colour, and the face.
void CTkVisualStudio2008Theme::PaintHotMenuBarItem(CDC* pDC, const CRect& rc, BOOL bPopuped) {
    PaintHorizontalLine(pDC, rc.left + 1, rc.top, rc.right - 1, kWindow);
    PaintHorizontalLine(pDC, rc.left + 1, rc.bottom - 1, rc.right - 1, kWindow);
    PaintVerticalLine(pDC, rc.left, rc.top + 1, rc.bottom - 1, kWindow);
    PaintVerticalLine(pDC, rc.right - 1, rc.top + 1, rc.bottom - 1, kWindow);
    CRect rcInner = rc;
    rcInner.DeflateRect(1, 1);
    PaintFramedRect(pDC, rcInner, kHotFrame, kColorUnset);
    const COLORREF clrCorner = CTkColorManager::BlendColors(LookupColor(kHotFrame), LookupColor(kWindow), 500);
    for (const CPoint& pt : {rcInner.TopLeft(), CPoint(rcInner.right - 1, rcInner.top),
                             CPoint(rcInner.left, rcInner.bottom - 1), CPoint(rcInner.right - 1, rcInner.bottom - 1)})
        pDC->SetPixel(pt, clrCorner);
    rcInner.DeflateRect(1, 1);
    if (bPopuped)
        GetDrawHelpers()->FillColorGradient(pDC, &rcInner, m_grcPoppedUp, FALSE, nullptr);
    else if (m_bLunaColors)
        GetDrawHelpers()->FillColorGradient(pDC, &rcInner, m_grcHot, FALSE, nullptr);
    else
        pDC->FillSolidRect(&rcInner, LookupColor(kHotFill));
}

void CTkVisualStudio2008Theme::FillPopupIconBand(CDC* pDC, int x, int y, int cx, int cy, BOOL bRarelyUsed) {
    const CRect rc(x, y, x + cx, y + cy);
    GetDrawHelpers()->FillColorGradient(pDC, &rc, bRarelyUsed ? m_grcRarelyUsedBand : m_grcIconBand, TRUE, nullptr);
    PaintVerticalLine(pDC, x + cx, y, y + cy, kSeparator);
    PaintVerticalLine(pDC, x + cx + 1, y, y + cy, kHighlight);
}

CSize CTkVisualStudio2008Theme::PaintControlSeparator(CDC* pDC, CTkCommandBar* pBar, CTkControl* pControl, BOOL bDraw) {
    if (!bDraw || pDC == nullptr || pControl == nullptr || !IsPopupBar(pBar))
        return CTkOffice2003Theme::PaintControlSeparator(pDC, pBar, pControl, bDraw);
    const CRect& rc = pControl->GetRect();
    const CRect& rcRow = pControl->GetRowRect();
    if (pControl->GetWrap()) {
        PaintVerticalLine(pDC, rc.left - 2, rcRow.top - 1, rcRow.bottom + 1, kSeparator);
        PaintVerticalLine(pDC, rc.left - 1, rcRow.top - 1, rcRow.bottom + 1, kHighlight);
    } else {
        const int xStart = rc.left + GetPopupIconColumnWidth(pBar) + m_nPopupTextGap - 1;
        PaintHorizontalLine(pDC, xStart, rc.top - 2, rc.right + 1, kSeparator);
        PaintHorizontalLine(pDC, xStart, rc.top - 1, rc.right + 1, kHighlight);
    }
    return CSize(0, 0);
}

void CTkVisualStudio2008Theme::AdjustControlRect(CRect& rc, CTkControl* pControl, BOOL) {
    CTkCommandBar* pBar = pControl->GetParent();
    if (pBar != nullptr && pBar->GetType() == kBarTypePopup)
        rc.InflateRect(1, 0);
}

CRect CTkVisualStudio2008Theme::GetBarBorders(CTkCommandBar* pBar) {
    return IsPopupBar(pBar) ? CRect(4, 3, 4, 3) : CTkOffice2003Theme::GetBarBorders(pBar);
}
