// CTkPaintManager: check and radio marks, arrows and drop-down glyphs, check-box and radio-button glyphs.
#include "TkPaintManager.h"

#include "TkControl.h"
#include "TkDCWrappers.h"
#include "TkPaintRoutines.h"
#include "TkWindowFunctions.h"

namespace {

constexpr int kMarkSize = 13;
constexpr int kRadioDotSize = 6;
// The "BUTTON" visual style's parts.
constexpr int kButtonPartRadio = 2;
constexpr int kButtonPartCheckBox = 3;

}  // namespace

void CTkPaintManager::PaintCheckMark(CDC* pDC, CRect rc, COLORREF clr) {
    CTkPenDC pen(pDC->GetSafeHdc(), LookupColor(static_cast<int>(clr)));
    const int cx = rc.CenterPoint().x;
    const int cy = rc.CenterPoint().y;
    // Two parallel strokes; a mirrored DC gets a tick shaped to read right when mirrored.
    const POINT ticks[2][3] = {{{cx - 4, cy - 1}, {cx - 2, cy + 1}, {cx + 3, cy - 4}},
                               {{cx - 4, cy}, {cx - 2, cy + 2}, {cx + 3, cy - 3}}};
    const POINT ticksRtl[2][3] = {{{cx - 4, cy - 3}, {cx, cy + 1}, {cx + 3, cy - 2}},
                                  {{cx - 4, cy - 2}, {cx, cy + 2}, {cx + 3, cy - 1}}};
    const auto& strokes = IsDCRightToLeft(pDC) ? ticksRtl : ticks;
    for (int nPass = 0; nPass < (m_bBoldCheckMarks ? 2 : 1); ++nPass) {
        for (const auto& stroke : strokes) {
            POINT points[3];
            for (int i = 0; i < 3; ++i)
                points[i] = {stroke[i].x, stroke[i].y + nPass};
            pDC->Polyline(points, 3);
        }
    }
}

void CTkPaintManager::PaintRadioMark(CDC* pDC, CRect rc, COLORREF clr) {
    const CPoint ptTopLeft(rc.left + (rc.Width() - kRadioDotSize) / 2, rc.top + (rc.Height() - kRadioDotSize) / 2);
    PaintSmoothCircle(pDC, CRect(ptTopLeft, CSize(kRadioDotSize, kRadioDotSize)), clr, clr);
}

void CTkPaintManager::PaintDownArrow(CDC* pDC, CRect rc, COLORREF clr) {
    const int nHalf = rc.Width() / 2 > 5 ? rc.Width() / 2 - 4 : 2;
    const int cx = rc.CenterPoint().x;
    const int y = rc.CenterPoint().y - nHalf / 2;
    FillTriangle(pDC, CPoint(cx - nHalf, y), CPoint(cx + nHalf, y), CPoint(cx, y + nHalf), clr);
}

void CTkPaintManager::PaintDropDownGlyph(CDC* pDC, CTkControl*, CPoint pt, BOOL bSelected, BOOL bPopuped, BOOL bEnabled,
                                         BOOL bVertical) {
    const COLORREF clr = GetStateTextColor(bSelected, FALSE, bEnabled, FALSE, bPopuped, kBarTypeNormal, kBarTop);
    if (bVertical)
        ::FillTriangle(pDC, CPoint(pt.x + 2, pt.y - 2), CPoint(pt.x + 2, pt.y + 2), pt, clr);
    else
        ::FillTriangle(pDC, CPoint(pt.x - 2, pt.y - 1), CPoint(pt.x + 2, pt.y - 1), CPoint(pt.x, pt.y + 1), clr);
}

namespace {

// A check box or radio glyph: the "BUTTON" style's part while that style is on and active, else the
// classic frame control.
void PaintButtonMark(CDC* pDC, CTkWinThemeWrapper& theme, BOOL bVisualStyle, BOOL bCheckBox, const CRect& rc,
                     BOOL bSelected, BOOL bPressed, BOOL bEnabled, int nChecked) {
    if (bVisualStyle && theme.IsThemeOpen() && theme.IsThemeActive()) {
        const int nBase = !bEnabled ? 3 : bPressed ? 2 : bSelected ? 1 : 0;
        const int nOffset = nChecked == 1 ? 4 : nChecked == 2 ? 8 : 0;
        theme.DrawBackground(pDC->GetSafeHdc(), bCheckBox ? kButtonPartCheckBox : kButtonPartRadio, 1 + nBase + nOffset,
                             &rc, nullptr);
        return;
    }
    UINT nState = bCheckBox ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO;
    if (nChecked)
        nState |= DFCS_CHECKED;
    if (bPressed)
        nState |= DFCS_PUSHED;
    if (!bEnabled || nChecked == 2)
        nState |= DFCS_INACTIVE;
    CRect rcMark = rc;
    pDC->DrawFrameControl(&rcMark, DFC_BUTTON, nState);
}

}  // namespace

CSize CTkPaintManager::PaintCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                         int nChecked) {
    if (bDraw)
        PaintButtonMark(pDC, m_themeButton, m_bButtonVisualStyle, TRUE, rc, bSelected, bPressed, bEnabled, nChecked);
    return CSize(kMarkSize, kMarkSize);
}

CSize CTkPaintManager::PaintRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                            BOOL bEnabled, int nChecked) {
    if (bDraw)
        PaintButtonMark(pDC, m_themeButton, m_bButtonVisualStyle, FALSE, rc, bSelected, bPressed, bEnabled, nChecked);
    return CSize(kMarkSize, kMarkSize);
}
