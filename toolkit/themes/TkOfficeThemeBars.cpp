// CTkOfficeTheme: bar backgrounds and the popup joint, grippers, separators, tear-off strips and resize
// dots.
#include "TkOfficeTheme.h"

#include "TkCommandBar.h"
#include "TkPopupBar.h"
#include "TkWindowFunctions.h"

namespace {

constexpr int kWindow = COLOR_WINDOW;
constexpr int kFace = COLOR_BTNFACE;
constexpr int kBarFace = 30;
constexpr int kHotFill = 31;
constexpr int kHotFrame = 32;
constexpr int kGripper = 38;
constexpr int kSeparator = 39;
constexpr int kPopupBack = 41;
constexpr int kPopupFrame = 43;
constexpr int kHotText = 45;
constexpr int kFloatingFrame = 61;
// PaintPopupResizeGripper's place: a full-width strip (else the bottom-right corner).
constexpr int kResizeGripperStrip = 2;

}  // namespace

void CTkOfficeTheme::FillBarBackground(CDC* pDC, CTkCommandBar* pBar) {
    const CRect rc = MakeClientRectFromHandle(pBar->GetSafeHwnd());
    const int w = rc.Width();
    const int h = rc.Height();
    switch (pBar->GetPosition()) {
        case kBarFloating: {
            const int nFill = pBar->GetType() == kBarTypePopup ? kPopupBack : IsFlatBar(pBar) ? kFace : kBarFace;
            PaintFramedRect(pDC, rc, kFloatingFrame, kColorUnset);
            PaintFramedRect(pDC, CRect(1, 1, w - 1, h - 1), kFloatingFrame, static_cast<COLORREF>(nFill));
            for (const CPoint& pt : {CPoint(2, 2), CPoint(w - 3, 2), CPoint(2, h - 3), CPoint(w - 3, h - 3)})
                pDC->FillSolidRect(pt.x, pt.y, 1, 1, LookupColor(kFloatingFrame));
            break;
        }
        case kBarPopup:
            PaintFramedRect(pDC, rc, kPopupFrame, kPopupBack);
            PaintPopupJoint(pDC, pBar, kBarFace);
            break;
        default:
            if (IsFlatBar(pBar)) {
                pDC->FillSolidRect(&rc, LookupColor(kFace));
                break;
            }
            PaintFramedRect(pDC, rc, kFace, kBarFace);
            for (const CPoint& pt : {CPoint(1, 1), CPoint(w - 2, 1), CPoint(1, h - 2), CPoint(w - 2, h - 2)})
                pDC->FillSolidRect(pt.x, pt.y, 1, 1, LookupColor(kFace));
            break;
    }
}

void CTkOfficeTheme::PaintPopupJoint(CDC* pDC, CTkCommandBar* pPopupBar, COLORREF clr) {
    auto* pPopup = DYNAMIC_DOWNCAST(CTkPopupBar, pPopupBar);
    CTkControl* pControl = pPopup != nullptr ? pPopup->GetControlPopup() : nullptr;
    CTkCommandBar* pParentBar = pControl != nullptr ? pControl->GetParent() : nullptr;
    if (pParentBar == nullptr || pParentBar->IsPopupBar() || pParentBar->GetType() == kBarTypePopup ||
        pParentBar->GetSafeHwnd() == nullptr || pPopupBar->GetSafeHwnd() == nullptr)
        return;
    // Both in screen coordinates: the popup lies in another window than the control.
    CRect rcControl = pControl->GetRect();
    pParentBar->ClientToScreen(&rcControl);
    CRect rcPopup;
    pPopupBar->GetWindowRect(&rcPopup);
    CRect rcJoint;
    if (!rcJoint.IntersectRect(&rcControl, &rcPopup))
        return;
    if (rcJoint.Width() > 1)
        rcJoint.DeflateRect(1, 0);
    if (rcJoint.Height() > 1)
        rcJoint.DeflateRect(0, 1);
    pPopupBar->ScreenToClient(&rcJoint);
    pDC->FillSolidRect(&rcJoint, LookupColor(static_cast<int>(clr)));
}

CSize CTkOfficeTheme::PaintBarGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) {
    if (pBar->IsDialogBar())
        return PaintShortGripper(pDC, pBar, bDraw);
    const CRect rcClient = MakeClientRectFromHandle(pBar->GetSafeHwnd());
    const CRect rcBorders = GetBarBorders(pBar);
    const BOOL bPaint = bDraw && pDC != nullptr;
    const int nPosition = pBar->GetPosition();
    if (nPosition == kBarPopup && bPaint)
        FillPopupIconBand(pDC, rcBorders.left - 1, rcBorders.top, GetPopupIconColumnWidth(pBar),
                          rcClient.Height() - rcBorders.top - rcBorders.bottom, FALSE);
    switch (nPosition) {
        case kBarTop:
        case kBarBottom:
            if (bPaint) {
                for (int y = 5; y < rcClient.Height() - 5; y += 2)
                    PaintHorizontalLine(pDC, 3, y, 7, kGripper);
            }
            return CSize(6, 0);
        case kBarLeft:
        case kBarRight:
            if (bPaint) {
                for (int x = 5; x < rcClient.Width() - 5; x += 2)
                    PaintVerticalLine(pDC, x, 3, 7, kGripper);
            }
            return CSize(0, 8);
        case kBarFloating: {
            const CSize size = CTkPaintManager::PaintBarGripper(pDC, pBar, bDraw);
            // A floating popup-type bar shows its icon band below the caption.
            if (bPaint && pBar->GetType() == kBarTypePopup && (pBar->GetBarStyle() & kBarStyleGripper) != 0) {
                const int yTop = 3 + size.cy;
                FillPopupIconBand(pDC, rcBorders.left - 1, yTop, GetPopupIconColumnWidth(pBar),
                                  rcClient.Height() - rcBorders.bottom - yTop, FALSE);
            }
            return size;
        }
        default:
            return CSize(0, 0);
    }
}

CSize CTkOfficeTheme::PaintShortGripper(CDC* pDC, CTkCommandBar*, BOOL bDraw) {
    const int nHeight = std::max(m_nControlHeight + 4, 22);
    if (bDraw && pDC != nullptr) {
        for (int y = 6; y < nHeight - 2; y += 2)
            PaintHorizontalLine(pDC, 3, y, 7, kGripper);
    }
    return CSize(6, nHeight);
}

// A line before the control: across a popup's column or along a toolbar's row; a control that starts a
// new row or column gets a line between the rows.
CSize CTkOfficeTheme::PaintControlSeparator(CDC* pDC, CTkCommandBar* pBar, CTkControl* pControl, BOOL bDraw) {
    const BOOL bPopup = pBar->GetType() == kBarTypePopup;
    if (!bDraw || pDC == nullptr || pControl == nullptr)
        return bPopup ? CSize(3, 3) : CSize(6, 6);
    const CRect& rc = pControl->GetRect();
    const CRect& rcRow = pControl->GetRowRect();
    const BOOL bWrap = pControl->GetWrap();
    const int nPosition = pBar->GetPosition();
    if (bPopup) {
        if (bWrap)
            PaintVerticalLine(pDC, rc.left - 2, rcRow.top - 1, rcRow.bottom + 1, kSeparator);
        else
            PaintHorizontalLine(pDC, rc.left + GetPopupIconColumnWidth(pBar) + m_nPopupTextGap - 1, rc.top - 2,
                                rc.right + 1, kSeparator);
    } else if (nPosition == kBarLeft || nPosition == kBarRight) {
        if (bWrap)
            PaintVerticalLine(pDC, rcRow.right + 2, rcRow.top + 4, rcRow.bottom, kSeparator);
        else
            PaintHorizontalLine(pDC, rcRow.left, rc.top - 4, rcRow.right, kSeparator);
    } else if (bWrap) {
        PaintHorizontalLine(pDC, rcRow.left, rcRow.top - 4, rcRow.right, kSeparator);
    } else {
        PaintVerticalLine(pDC, rc.left - 4, rcRow.top, rcRow.bottom, kSeparator);
    }
    return CSize(0, 0);
}

CSize CTkOfficeTheme::PaintTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) {
    if (!bDraw || pDC == nullptr)
        return CSize(0, 9);
    const CRect rcStrip(1, 1, rc.right + 1, rc.Height() + 1);
    pDC->FillSolidRect(&rcStrip, LookupColor(kPopupBack));
    CRect rcInner = rcStrip;
    rcInner.DeflateRect(1, 1);
    if (bSelected)
        PaintFramedRect(pDC, rcInner, kHotFrame, kHotFill);
    else
        PaintFramedRect(pDC, rcInner, kColorUnset, kBarFace);
    const int nHalf = rc.Width() / 2;
    const int d = nHalf > 26 ? 16 : nHalf - 10;
    if (d <= 0)
        return CSize(0, 9);
    const int c = rc.left + nHalf;
    if (bSelected) {
        for (int y : {4, 6})
            PaintHorizontalLine(pDC, c - d, y, c + d, kHotText);
    } else {
        for (int y : {3, 5, 7})
            PaintHorizontalLine(pDC, c - d, y, c + d, kGripper);
    }
    return CSize(0, 9);
}

void CTkOfficeTheme::PaintPopupResizeGripper(CDC* pDC, CRect rc, int nWhere) {
    pDC->FillSolidRect(&rc, LookupColor(kBarFace));
    // A dot: a window-colour highlight under a dark square one pixel left of and above it.
    const auto dot = [&](int x, int y) {
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, LookupColor(kWindow));
        pDC->FillSolidRect(x, y, 2, 2, LookupColor(kGripper));
    };
    if (nWhere == kResizeGripperStrip) {
        const int c = rc.CenterPoint().x;
        for (int x : {c - 8, c - 4, c, c + 4})
            dot(x, rc.top + 3);
        return;
    }
    for (const CPoint& pt : {CPoint(rc.right - 4, rc.bottom - 4), CPoint(rc.right - 8, rc.bottom - 4),
                             CPoint(rc.right - 4, rc.bottom - 8)})
        dot(pt.x, pt.y);
}
