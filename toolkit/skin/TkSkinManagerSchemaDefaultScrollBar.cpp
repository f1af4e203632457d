// CTkSkinManagerSchemaDefault: the parts of a skinned scroll bar, in the states its hot part and tracking
// give them.
#include "TkSkinManagerSchemaDefault.h"

#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkSkinScrollBar.h"

#include <uxtheme.h>
#include <vssym32.h>

namespace {

constexpr int kHoverArrowCells = 20;  // arrow images with the four hover cells after the sixteen states
constexpr int kGripperMinVert = 13;   // a thumb longer than this shows its gripper (pixels)
constexpr int kGripperMinHorz = 9;

// How the bar shows its parts: the one under a pressed mouse, the hot one, and whether the mouse is
// anywhere over it.
struct BarLook {
    int nPressed = tkSkinScrollNone;
    int nHot = tkSkinScrollNone;
    BOOL bHover = FALSE;
    BOOL bEnabled = FALSE;
    BOOL bHoverCells = FALSE;
};

// Arrow a (0 up, 1 down, 2 left, 3 right): pressed, hot, hover, normal or disabled cell.
int ArrowState(const BarLook& look, int nPart, int nArrow) {
    if (!look.bEnabled)
        return ABS_UPDISABLED + 4 * nArrow;
    if (nPart == look.nPressed)
        return ABS_UPPRESSED + 4 * nArrow;
    if (nPart == look.nHot)
        return ABS_UPHOT + 4 * nArrow;
    if (look.bHover && look.bHoverCells)
        return ABS_UPHOVER + nArrow;
    return ABS_UPNORMAL + 4 * nArrow;
}

int PartState(const BarLook& look, int nPart) {
    if (!look.bEnabled)
        return SCRBS_DISABLED;
    if (nPart == look.nPressed)
        return SCRBS_PRESSED;
    return nPart == look.nHot ? SCRBS_HOT : SCRBS_NORMAL;
}

}  // namespace

void CTkSkinManagerSchemaDefault::DrawScrollBar(CDC* pDC, const SKINFRAMEINFO& frame, const SCROLLBARPOSITION* pBar) {
    const SCROLLBARTRACKING* pTracking = frame.pTracking;
    const BOOL bTracked = pTracking != nullptr && pTracking->pBar == pBar;
    BarLook look;
    if (bTracked && (pTracking->bThumbDrag || pTracking->bInside))
        look.nPressed = pBar->nHotPart;
    if (pTracking == nullptr)
        look.nHot = pBar->nHotPart;
    look.bHover = bTracked || (pTracking == nullptr && pBar->nHotPart != tkSkinScrollNone);
    if (pBar->nCrossEnd - pBar->nCrossStart <= 0)
        return;
    if (frame.hClientBackground != nullptr)
        ::FillRect(pDC->GetSafeHdc(), &pBar->rc, frame.hClientBackground);

    look.bEnabled = pBar->nMax - pBar->nPage - pBar->nMin + 1 > 0 &&
                    !(pBar->nBar == SB_CTL && (frame.pWnd->GetStyle() & WS_DISABLED));
    const BOOL bThumb = look.bEnabled && pBar->nThumbEnd <= pBar->nSecondArrowStart;
    CTkSkinManagerClass* pClass = m_pManager->GetSkinClass(L"SCROLLBAR");
    if (pClass == nullptr)
        return;
    look.bHoverCells = pClass->GetIntProperty(SBP_ARROWBTN, 0, TMT_IMAGECOUNT, 16) == kHoverArrowCells;

    // Rectangles along the axis from a to b, across the bar's whole thickness.
    const BOOL bVertical = pBar->bVertical;
    auto span = [&](int a, int b) {
        return bVertical ? RECT{pBar->nCrossStart, a, pBar->nCrossEnd, b}
                         : RECT{a, pBar->nCrossStart, b, pBar->nCrossEnd};
    };
    auto draw = [&](int nPartId, int nStateId, const RECT& rc) {
        if (rc.right > rc.left && rc.bottom > rc.top)
            pClass->DrawBackground(pDC, nPartId, nStateId, &rc);
    };
    const int nFirstArrow = bVertical ? 0 : 2;
    draw(SBP_ARROWBTN, ArrowState(look, tkSkinScrollFirstArrow, nFirstArrow),
         span(pBar->nBarStart, pBar->nFirstArrowEnd));
    draw(SBP_ARROWBTN, ArrowState(look, tkSkinScrollSecondArrow, nFirstArrow + 1),
         span(pBar->nSecondArrowStart, pBar->nBarEnd));
    // Without a thumb the lower track runs the whole way: a disabled bar shows no gap where the thumb
    // would be.
    const int nLowerEnd = bThumb ? pBar->nThumbStart : pBar->nSecondArrowStart;
    draw(bVertical ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ, PartState(look, tkSkinScrollPageBefore),
         span(pBar->nFirstArrowEnd, nLowerEnd));
    if (!bThumb)
        return;
    const RECT rcThumb = span(pBar->nThumbStart, pBar->nThumbEnd);
    const int nThumbState = PartState(look, tkSkinScrollThumb);
    draw(bVertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, nThumbState, rcThumb);
    if (pBar->nThumbEnd - pBar->nThumbStart > (bVertical ? kGripperMinVert : kGripperMinHorz))
        draw(bVertical ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, nThumbState, rcThumb);
    draw(bVertical ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ, PartState(look, tkSkinScrollPageAfter),
         span(pBar->nThumbEnd, pBar->nSecondArrowStart));
}
