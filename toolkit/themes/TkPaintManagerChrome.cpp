// CTkPaintManager: the floating bar's caption strip, expand and hide buttons, keyboard tips.
#include "TkPaintManager.h"

#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkDCWrappers.h"
#include "TkMeasureDC.h"
#include "TkPaintRoutines.h"
#include "TkWindowFunctions.h"

namespace {

// The expand button of a docked toolbar stands this far from the bar's end.
constexpr int kExpandButtonLength = 13;
// Kinds of expand buttons.
constexpr int kExpandDocked = 0;
constexpr int kExpandPopup = 1;
constexpr int kHideFloating = 2;
constexpr int kExpandFloating = 3;

BOOL IsVerticalPosition(int nPosition) {
    return nPosition == kBarLeft || nPosition == kBarRight || nPosition == kBarPopup;
}

void PaintPixel(CDC* pDC, int x, int y, COLORREF clr) {
    pDC->FillSolidRect(x, y, 1, 1, clr);
}

// ">>" in rows 4..9 and columns 1..9 of the rectangle, or its turned form "v v" (pointing down) at the
// top-right: two chevrons, each a 2-pixel-thick pair of 1-pixel strokes.
void PaintHiddenChevrons(CDC* pDC, const CRect& rc, BOOL bDown, COLORREF clr) {
    for (int nChevron = 0; nChevron < 2; ++nChevron) {
        for (int nThickness = 0; nThickness < 2; ++nThickness) {
            for (int i = 0; i < 3; ++i) {
                const int nAlong = 1 + 5 * nChevron + nThickness + i;
                if (bDown) {
                    PaintPixel(pDC, rc.right - 10 + i, rc.top + nAlong, clr);
                    PaintPixel(pDC, rc.right - 5 - i, rc.top + nAlong, clr);
                } else {
                    PaintPixel(pDC, rc.left + nAlong, rc.top + 4 + i, clr);
                    PaintPixel(pDC, rc.left + nAlong, rc.top + 9 - i, clr);
                }
            }
        }
    }
}

}  // namespace

// The caption strip of a floating bar; docked bars have no gripper in the base.
CSize CTkPaintManager::PaintBarGripper(CDC* pCallerDC, CTkCommandBar* pBar, BOOL bDraw) {
    if (pBar->GetPosition() != kBarFloating)
        return CSize(0, 0);
    CTkMeasureDC measureDC(pCallerDC);
    CDC* pDC = measureDC.Get();
    if (pDC == nullptr)
        return CSize(0, 0);
    CTkFontDC font(pDC, &m_fntSmallCaption);
    const CRect rcClient = MakeClientRectFromHandle(pBar->GetSafeHwnd());
    const CRect rcStrip(3, 3, rcClient.Width() - 3, std::max(18, GetSpaceHeight(pDC, nullptr) + 3));
    if (bDraw && pCallerDC != nullptr) {
        pDC->FillSolidRect(&rcStrip, m_clrFloatingCaption.GetEffective());
        pDC->SetTextColor(m_clrFloatingCaptionText.GetEffective());
        pDC->SetBkMode(TRANSPARENT);
        CRect rcTitle(5, rcStrip.top, rcStrip.right - 2 * rcStrip.Height(), rcStrip.bottom);
        pDC->DrawText(pBar->GetTitle(), &rcTitle, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    return rcStrip.Size();
}

CSize CTkPaintManager::PaintExpandButton(CDC* pDC, int nKind, CTkControl* pControl, CTkCommandBar* pBar, BOOL bDraw,
                                         BOOL bHiddenControls) {
    if (nKind == kExpandDocked && !bDraw) {
        // Layout: the button stands at the end of the bar.
        const CRect rcBar = MakeClientRectFromHandle(pBar->GetSafeHwnd());
        const int w = rcBar.Width();
        const int h = rcBar.Height();
        pControl->SetRect(IsVerticalPosition(pBar->GetPosition()) ? CRect(2, h - kExpandButtonLength, w - 2, h - 2)
                                                                  : CRect(w - kExpandButtonLength, 2, w - 2, h - 2));
        return CSize(0, 0);
    }
    if (nKind == kExpandPopup && !bDraw)
        return CSize(0, 12);
    if (!bDraw || pDC == nullptr || pControl == nullptr)
        return CSize(0, 0);

    const CRect rc = pControl->GetRect();
    const CPoint ptCenter = rc.CenterPoint();
    PaintControlBackground(pDC, pControl);
    const COLORREF clrText = GetControlTextColor(pControl);
    switch (nKind) {
        case kExpandDocked:
            if (IsVerticalPosition(pBar->GetPosition())) {
                ::FillTriangle(pDC, CPoint(rc.left + 6, rc.top + 3), CPoint(rc.left + 6, rc.top + 7),
                               CPoint(rc.left + 4, rc.top + 5), clrText);
                if (bHiddenControls)
                    PaintHiddenChevrons(pDC, rc, TRUE, clrText);
            } else {
                ::FillTriangle(pDC, CPoint(ptCenter.x - 2, rc.bottom - 7), CPoint(ptCenter.x + 2, rc.bottom - 7),
                               CPoint(ptCenter.x, rc.bottom - 5), clrText);
                if (bHiddenControls)
                    PaintHiddenChevrons(pDC, rc, FALSE, clrText);
            }
            break;
        case kExpandFloating: {
            const BOOL bActive = pControl->GetSelected() || pControl->IsPopupOpen();
            ::FillTriangle(pDC, CPoint(ptCenter.x - 3, ptCenter.y - 2), CPoint(ptCenter.x + 3, ptCenter.y - 2),
                           CPoint(ptCenter.x, ptCenter.y + 1),
                           bActive ? clrText : m_clrFloatingCaptionText.GetEffective());
            break;
        }
        case kHideFloating: {
            const BOOL bActive = pControl->GetPressed() || pControl->GetSelected();
            CFont fontMarlett;
            fontMarlett.CreatePointFont(80 * 96 / pDC->GetDeviceCaps(LOGPIXELSX), L"Marlett", pDC);
            CTkFontDC font(pDC, &fontMarlett);
            pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(bActive ? clrText : m_clrFloatingCaptionText.GetEffective());
            CRect rcGlyph = rc;
            pDC->DrawText(L"r", 1, &rcGlyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            break;
        }
        case kExpandPopup:
            for (int nChevron = 0; nChevron < 2; ++nChevron) {
                const int y = rc.top + 2 + 4 * nChevron;
                for (int i = 0; i < 3; ++i) {
                    PaintPixel(pDC, ptCenter.x - 3 + i, y + i, clrText);
                    PaintPixel(pDC, ptCenter.x + 3 - i, y + i, clrText);
                }
            }
            return CSize(0, 12);
        default:
            break;
    }
    return CSize(0, 0);
}

void CTkPaintManager::PaintKeyboardTip(CDC* pDC, CWnd* pTip, BOOL bSetRegion) {
    if (bSetRegion)
        return;
    CRect rc = MakeClientRect(pTip);
    pDC->FillSolidRect(&rc, LookupColor(COLOR_INFOBK));
    pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
    CTkFontDC font(pDC, &m_fntStatus);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(LookupColor(pTip->IsWindowEnabled() ? COLOR_INFOTEXT : COLOR_GRAYTEXT));
    CString strCaption;
    pTip->GetWindowText(strCaption);
    pDC->DrawText(strCaption, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
