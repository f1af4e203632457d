#include "TkSkinDrawEdge.h"

#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"

#include <array>
#include <vssym32.h>

namespace {

struct EdgeColors {
    int nTopLeft;
    int nBottomRight;
};

// The system colour indexes of one pass: the outer pass (BDR_RAISEDOUTER, BDR_SUNKENOUTER) or the inner
// one (BDR_RAISEDINNER, BDR_SUNKENINNER), plain and soft.
EdgeColors PassColors(UINT nPass, UINT nFlags) {
    if (nFlags & BF_MONO)
        return nPass & BDR_OUTER ? EdgeColors{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME}
                                 : EdgeColors{COLOR_WINDOW, COLOR_WINDOW};
    if (nFlags & BF_FLAT)
        return nPass & BDR_OUTER ? EdgeColors{COLOR_3DSHADOW, COLOR_3DSHADOW}
                                 : EdgeColors{COLOR_BTNFACE, COLOR_BTNFACE};
    const bool bSoft = (nFlags & BF_SOFT) != 0;
    switch (nPass) {
        case BDR_RAISEDOUTER:
            return {bSoft ? COLOR_3DHILIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
        case BDR_SUNKENOUTER:
            return {bSoft ? COLOR_3DDKSHADOW : COLOR_3DSHADOW, COLOR_3DHILIGHT};
        case BDR_RAISEDINNER:
            return {bSoft ? COLOR_3DLIGHT : COLOR_3DHILIGHT, COLOR_3DSHADOW};
        default:  // BDR_SUNKENINNER
            return {bSoft ? COLOR_3DSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    }
}

// A staircase of cx x cy steps across the rectangle: from its bottom-left upwards (direction +1) or from
// its top-left downwards (-1). Answers the step size; (0, 0) for an empty rectangle.
SIZE DrawDiagonalLine(CDC* pDC, const RECT& rc, int nDirection, COLORREF clr, int cxBorder, int cyBorder) {
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0)
        return {0, 0};
    int cx = cxBorder;
    int cy = cyBorder;
    int nAdvance = cxBorder;
    if (h < w) {
        nAdvance = w / h;
        cx = nAdvance * cyBorder;
    } else {
        cy = h / w * cyBorder;
    }
    int y = nDirection > 0 ? rc.bottom - cy : rc.top;
    for (int x = rc.left; x <= rc.right - cx && nAdvance > 0; x += nAdvance) {
        if (nDirection > 0 ? y < rc.top : y + cy > rc.bottom)
            break;
        FillSolidRectXYWH(pDC, x, y, cx, cy, clr);
        y += nDirection > 0 ? -cy : cy;
    }
    return {cx, cy};
}

// One pass of a diagonal edge: a line in the colour of the side it stands for, then the rectangle gives up
// one step on the sides the line covered.
void DrawDiagonalEdge(CDC* pDC, RECT* pRect, COLORREF clrTopLeft, COLORREF clrBottomRight, UINT nFlags,
                      const CTkSkinManagerMetrics* pMetrics) {
    const UINT nKind = nFlags & (BF_DIAGONAL | BF_RECT);
    const int nDirection = nKind == BF_DIAGONAL_ENDTOPLEFT || nKind == BF_DIAGONAL_ENDBOTTOMRIGHT ? -1 : 1;
    const SIZE step = DrawDiagonalLine(pDC, *pRect, nDirection, nFlags & BF_BOTTOM ? clrBottomRight : clrTopLeft,
                                       pMetrics->GetBorderWidth(), pMetrics->GetBorderHeight());
    if (nFlags & BF_TOP)
        pRect->left += step.cx;
    else
        pRect->right -= step.cx;
    if (nFlags & BF_RIGHT)
        pRect->top += step.cy;
    else
        pRect->bottom -= step.cy;
}

// The sides of one pass, each one border wide, in the order right, bottom, left, top.
void DrawEdgeSides(CDC* pDC, RECT* pRect, COLORREF clrTopLeft, COLORREF clrBottomRight, UINT nFlags,
                   const CTkSkinManagerMetrics* pMetrics) {
    const int cx = pMetrics->GetBorderWidth();
    const int cy = pMetrics->GetBorderHeight();
    RECT& rc = *pRect;
    if (nFlags & BF_RIGHT) {
        FillSolidRectXYWH(pDC, rc.right - cx, rc.top, cx, rc.bottom - rc.top, clrBottomRight);
        rc.right -= cx;
    }
    if (nFlags & BF_BOTTOM) {
        FillSolidRectXYWH(pDC, rc.left, rc.bottom - cy, rc.right - rc.left, cy, clrBottomRight);
        rc.bottom -= cy;
    }
    if (nFlags & BF_LEFT) {
        FillSolidRectXYWH(pDC, rc.left, rc.top, cx, rc.bottom - rc.top, clrTopLeft);
        rc.left += cx;
    }
    if (nFlags & BF_TOP) {
        FillSolidRectXYWH(pDC, rc.left, rc.top, rc.right - rc.left, cy, clrTopLeft);
        rc.top += cy;
    }
}

// The four strips of a frame nWidth wide inside the rectangle: top, left, right, bottom.
std::array<RECT, 4> FrameStrips(const RECT& rc, int nWidth) {
    return {{{rc.left, rc.top, rc.right - nWidth, rc.top + nWidth},
             {rc.left, rc.top, rc.left + nWidth, rc.bottom - nWidth},
             {rc.right - nWidth, rc.top, rc.right, rc.bottom},
             {rc.left, rc.bottom - nWidth, rc.right, rc.bottom}}};
}

constexpr UINT kPushButtonExtras = DFCS_PUSHED | DFCS_ADJUSTRECT;

}  // namespace

BOOL SkinDrawEdge(CTkSkinManager* pManager, HDC hDC, LPRECT pRect, UINT nEdge, UINT nFlags) {
    const CTkSkinManagerMetrics* pMetrics = pManager->GetMetrics();
    CDC* pDC = CDC::FromHandle(hDC);
    if (nFlags & BF_MONO)
        nFlags |= BF_FLAT;
    RECT rc = *pRect;
    for (const UINT nPass : {nEdge & BDR_OUTER, nEdge & BDR_INNER}) {
        if (nPass == 0)
            continue;
        if (nPass == BDR_OUTER || nPass == BDR_INNER)
            return FALSE;
        const EdgeColors colors = PassColors(nPass, nFlags);
        const COLORREF clrTopLeft = pMetrics->GetColor(colors.nTopLeft);
        const COLORREF clrBottomRight = pMetrics->GetColor(colors.nBottomRight);
        if (nFlags & BF_DIAGONAL)
            DrawDiagonalEdge(pDC, &rc, clrTopLeft, clrBottomRight, nFlags, pMetrics);
        else
            DrawEdgeSides(pDC, &rc, clrTopLeft, clrBottomRight, nFlags, pMetrics);
    }
    BOOL bResult = TRUE;
    if (nFlags & BF_MIDDLE) {
        // A diagonal edge has no rectangle left to fill.
        if (nFlags & BF_DIAGONAL)
            bResult = FALSE;
        else
            bResult = FillSolidColor(pDC, &rc, pMetrics->GetColor(nFlags & BF_MONO ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    if (nFlags & BF_ADJUST)
        *pRect = rc;
    return bResult;
}

BOOL SkinDrawFrameControl(CTkSkinManager* pManager, HDC hDC, LPRECT pRect, UINT nType, UINT nState) {
    CDC* pDC = CDC::FromHandle(hDC);
    const COLORREF clrFace = pManager->GetMetrics()->GetColor(COLOR_BTNFACE);
    if (nType == DFC_SCROLL && nState == DFCS_SCROLLSIZEGRIP) {
        FillSolidColor(pDC, pRect, clrFace);
        if (CTkSkinManagerClass* pClass = pManager->GetSkinClass(L"SCROLLBAR"))
            pClass->DrawBackground(pDC, SBP_SIZEBOX, SZB_RIGHTALIGN, pRect);
        return TRUE;
    }
    if (nType == DFC_BUTTON && (nState & DFCS_BUTTONPUSH) && (nState & ~(DFCS_BUTTONPUSH | kPushButtonExtras)) == 0) {
        RECT rc = *pRect;
        SkinDrawEdge(pManager, hDC, &rc, nState & DFCS_PUSHED ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
        FillSolidColor(pDC, &rc, clrFace);
        if (nState & DFCS_ADJUSTRECT)
            *pRect = rc;
        return TRUE;
    }
    const UINT nArrow = nState & 0xF;
    if (nType == DFC_SCROLL && nArrow <= DFCS_SCROLLRIGHT) {
        // Four cells per arrow (up, down, left, right): normal, hot, pressed, disabled.
        const int nBase = nState & DFCS_INACTIVE ? ABS_UPDISABLED : nState & DFCS_PUSHED ? ABS_UPPRESSED : ABS_UPNORMAL;
        if (CTkSkinManagerClass* pClass = pManager->GetSkinClass(L"SCROLLBAR"))
            pClass->DrawBackground(pDC, SBP_ARROWBTN, nBase + 4 * static_cast<int>(nArrow), pRect);
        return TRUE;
    }
    return FALSE;
}

BOOL FillSolidColor(CDC* pDC, const RECT* pRect, COLORREF clr) {
    const COLORREF clrOld = ::SetBkColor(pDC->GetSafeHdc(), clr);
    const BOOL bResult = ::ExtTextOutW(pDC->GetSafeHdc(), 0, 0, ETO_OPAQUE, pRect, nullptr, 0, nullptr);
    ::SetBkColor(pDC->GetSafeHdc(), clrOld);
    return bResult;
}

void FillSolidRectXYWH(CDC* pDC, int x, int y, int nWidth, int nHeight, COLORREF clr) {
    const RECT rc = {x, y, x + nWidth, y + nHeight};
    FillSolidColor(pDC, &rc, clr);
}

void DrawFrameRectColor(CDC* pDC, const RECT* pRect, int nWidth, COLORREF clr) {
    for (const RECT& rcStrip : FrameStrips(*pRect, nWidth))
        FillSolidColor(pDC, &rcStrip, clr);
}

void DrawFrameRectBrush(CDC* pDC, const RECT* pRect, int nWidth, HBRUSH hBrush) {
    for (const RECT& rcStrip : FrameStrips(*pRect, nWidth))
        ::FillRect(pDC->GetSafeHdc(), &rcStrip, hBrush);
}
