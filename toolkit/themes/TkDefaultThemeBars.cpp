// CTkDefaultTheme: bar backgrounds, grippers, separators, tear-off strips, resize dots, expand buttons.
#include "TkDefaultTheme.h"

#include "TkCommandBar.h"
#include "TkWindowFunctions.h"

namespace {

// A toolkit colour of the colour manager: the dark half of gripper dots.
constexpr COLORREF kGripperDotColor = 38;
// PaintPopupResizeGripper's place: a row of dots at the top (else the bottom-right corner).
constexpr int kResizeGripperTop = 2;
constexpr int kHideFloating = 2;
constexpr int kExpandFloating = 3;

}  // namespace

void CTkDefaultTheme::FillBarBackground(CDC* pDC, CTkCommandBar* pBar) {
    CRect rc = MakeClientRectFromHandle(pBar->GetSafeHwnd());
    pDC->FillSolidRect(&rc, LookupColor(COLOR_BTNFACE));
    const int nPosition = pBar->GetPosition();
    if (nPosition == kBarFloating || nPosition == kBarPopup) {
        Paint3dFrame(pDC, rc, COLOR_BTNFACE, COLOR_3DDKSHADOW);
        rc.DeflateRect(1, 1);
        Paint3dFrame(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    } else if (!IsFlatBar(pBar)) {
        Paint3dFrame(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    }
}

CSize CTkDefaultTheme::PaintBarGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) {
    if (pBar->IsDialogBar())
        return PaintShortGripper(pDC, pBar, bDraw);
    const CRect rcClient = MakeClientRectFromHandle(pBar->GetSafeHwnd());
    const BOOL bPaint = pDC != nullptr && bDraw;
    switch (pBar->GetPosition()) {
        case kBarTop:
        case kBarBottom:
            if (bPaint)
                Paint3dFrame(pDC, CRect(3, 3, 6, rcClient.Height() - 3), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
            return CSize(6, 0);
        case kBarLeft:
        case kBarRight:
            if (bPaint)
                Paint3dFrame(pDC, CRect(3, 3, rcClient.Width() - 3, 6), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
            return CSize(0, 8);
        case kBarFloating:
            return CTkPaintManager::PaintBarGripper(pDC, pBar, bDraw);
        default:
            return CSize(0, 0);
    }
}

CSize CTkDefaultTheme::PaintShortGripper(CDC* pDC, CTkCommandBar*, BOOL bDraw) {
    const int nHeight = m_nControlHeight >= 18 ? m_nControlHeight + 4 : 22;
    if (pDC != nullptr && bDraw)
        Paint3dFrame(pDC, CRect(3, 3, 6, nHeight), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    return CSize(6, nHeight);
}

// A sunken 2-pixel strip before the control: across a popup's column, or along a toolbar's row; a
// control that starts a new row or column gets the strip between the rows.
CSize CTkDefaultTheme::PaintControlSeparator(CDC* pDC, CTkCommandBar* pBar, CTkControl* pControl, BOOL bDraw) {
    const BOOL bPopup = pBar->GetType() == kBarTypePopup;
    const CSize size = bPopup ? CSize(8, 8) : CSize(6, 6);
    if (!bDraw || pDC == nullptr || pControl == nullptr)
        return size;
    const CRect& rc = pControl->GetRect();
    const CRect& rcRow = pControl->GetRowRect();
    const BOOL bWrap = pControl->GetWrap();
    const int nPosition = pBar->GetPosition();
    CRect rcStrip;
    if (bPopup)
        rcStrip = bWrap ? CRect(rc.left - 5, rcRow.top + 3, rc.left - 3, rcRow.bottom - 3)
                        : CRect(rc.left + 11, rc.top - 5, rc.right - 11, rc.top - 3);
    else if (nPosition == kBarLeft || nPosition == kBarRight)
        rcStrip = bWrap ? CRect(rcRow.right + 2, rcRow.top + 4, rcRow.right + 4, rcRow.bottom)
                        : CRect(rcRow.left, rc.top - 4, rcRow.right, rc.top - 2);
    else
        rcStrip = bWrap ? CRect(rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 2)
                        : CRect(rc.left - 4, rcRow.top, rc.left - 2, rcRow.bottom);
    Paint3dFrame(pDC, rcStrip, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    return size;
}

CSize CTkDefaultTheme::PaintTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) {
    if (pDC != nullptr && bDraw)
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), rc.Height() - 1,
                           LookupColor(bSelected ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    return CSize(0, 8);
}

void CTkDefaultTheme::PaintPopupResizeGripper(CDC* pDC, CRect rc, int nWhere) {
    // A dot is a dark 2 x 2 square under a window-colour one a pixel down and right.
    const auto dot = [&](int x, int y) {
        pDC->FillSolidRect(x, y, 2, 2, LookupColor(kGripperDotColor));
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, LookupColor(COLOR_WINDOW));
    };
    if (nWhere == kResizeGripperTop) {
        const int xStart = rc.CenterPoint().x - 8;
        for (int x = xStart; x < xStart + 16; x += 4)
            dot(x, rc.top + 3);
        return;
    }
    for (const CPoint& pt : {CPoint(rc.right - 3, rc.bottom - 3), CPoint(rc.right - 7, rc.bottom - 3),
                             CPoint(rc.right - 3, rc.bottom - 7)})
        dot(pt.x - 1, pt.y - 1);
}

CSize CTkDefaultTheme::PaintExpandButton(CDC* pDC, int nKind, CTkControl* pControl, CTkCommandBar* pBar, BOOL bDraw,
                                         BOOL bHiddenControls) {
    if (bDraw && pDC != nullptr && pControl != nullptr && (nKind == kHideFloating || nKind == kExpandFloating)) {
        const BOOL bActive =
            pControl->GetPressed() || pControl->GetSelected() || (nKind == kExpandFloating && pControl->IsPopupOpen());
        if (bActive)
            pDC->FillSolidRect(&pControl->GetRect(), LookupColor(COLOR_BTNFACE));
    }
    return CTkPaintManager::PaintExpandButton(pDC, nKind, pControl, pBar, bDraw, bHiddenControls);
}
