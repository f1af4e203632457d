// CTkOffice2003Theme: the expand buttons of docked toolbars and popup menus.
#include "TkOffice2003Theme.h"

#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkDCWrappers.h"
#include "TkDrawHelpers.h"
#include "TkWindowFunctions.h"

namespace {

constexpr int kExpandDocked = 0;
constexpr int kExpandPopup = 1;
// The docked expand button: the last pixels of the bar; the popup's: its height.
constexpr int kDockedExpandLength = 12;
constexpr int kPopupExpandHeight = 18;
constexpr int kHighlight = COLOR_BTNHIGHLIGHT;
constexpr int kHotFill = 31;
constexpr int kCheckedFill = 36;
constexpr int kHotText = 45;
constexpr int kBarText = 46;

BOOL IsVerticalPosition(int nPosition) {
    return nPosition == kBarLeft || nPosition == kBarRight || nPosition == kBarPopup;
}

void Triangle(CDC* pDC, int x1, int y1, int x2, int y2, int x3, int y3) {
    DrawTriangleWithCurrentTools(pDC, x1, y1, x2, y2, x3, y3);
}

}  // namespace

CSize CTkOffice2003Theme::PaintExpandButton(CDC* pDC, int nKind, CTkControl* pControl, CTkCommandBar* pBar, BOOL bDraw,
                                            BOOL bHiddenControls) {
    if (nKind == kExpandPopup) {
        if (bDraw && pDC != nullptr && pControl != nullptr) {
            const CRect rc = pControl->GetRect();
            const int c = rc.CenterPoint().x;
            PaintControlBackground(pDC, pControl);
            if (m_glyphImage.GetSafeHandle() != nullptr)
                ImageList_Draw(m_glyphImage.GetSafeHandle(), 0, pDC->GetSafeHdc(), c - 7, rc.top + 1, ILD_TRANSPARENT);
            CTkPenDC pen(pDC->GetSafeHdc(), RGB(0, 0, 0));
            for (int y : {rc.top + 5, rc.top + 6, rc.top + 9, rc.top + 10}) {
                const POINT points[3] = {{c - 2, y}, {c, y + 2}, {c + 3, y - 1}};
                pDC->Polyline(points, 3);
            }
        }
        return CSize(0, kPopupExpandHeight);
    }
    if (nKind != kExpandDocked || pControl == nullptr)
        return CTkOfficeTheme::PaintExpandButton(pDC, nKind, pControl, pBar, bDraw, bHiddenControls);

    const BOOL bVertical = IsVerticalPosition(pBar->GetPosition());
    if (!bDraw) {
        // Layout: the last pixels of the bar.
        const CRect rcBar = MakeClientRectFromHandle(pBar->GetSafeHwnd());
        const int w = rcBar.Width();
        const int h = rcBar.Height();
        pControl->SetRect(bVertical ? CRect(0, h - kDockedExpandLength, w, h)
                                    : CRect(w - kDockedExpandLength, 1, w, h));
        return CSize(0, 0);
    }
    if (pDC == nullptr)
        return CSize(0, 0);
    const CRect rc = pControl->GetRect();
    CScopedSaveDC savedClip(pDC->GetSafeHdc());
    // Rounded on its outer side, open towards the toolbar.
    if (bVertical) {
        pDC->ExcludeClipRect(rc.left, rc.bottom - 1, rc.left + 1, rc.bottom);
        pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
        pDC->ExcludeClipRect(rc.left + 1, rc.top, rc.right - 1, rc.top + 1);
    } else {
        pDC->ExcludeClipRect(rc.right - 1, rc.top, rc.right, rc.top + 1);
        pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
        pDC->ExcludeClipRect(rc.left, rc.top + 1, rc.left + 1, rc.bottom - 1);
    }
    const BOOL bPopuped = pControl->IsPopupOpen();
    const BOOL bSelected = pControl->GetSelected();
    const auto fill = [&](const CTkPaintManagerColorGradient& gradient, int nFlatColor) {
        if (m_bLunaColors || nFlatColor < 0)
            GetDrawHelpers()->FillColorGradient(pDC, &rc, gradient, bVertical, nullptr);
        else
            pDC->FillSolidRect(&rc, LookupColor(nFlatColor));
    };
    if (bPopuped)
        fill(m_grcPushed, kCheckedFill);
    else if (!bSelected)
        fill(m_grcExpandButton, -1);
    else
        fill(m_grcHot, kHotFill);
    PaintExpandGlyph(pDC, rc + CPoint(1, 1), bVertical, bHiddenControls, LookupColor(kHighlight));
    PaintExpandGlyph(pDC, rc, bVertical, bHiddenControls, LookupColor(bSelected && !bPopuped ? kHotText : kBarText));
    return CSize(0, 0);
}

void CTkOffice2003Theme::PaintExpandGlyph(CDC* pDC, const CRect& rc, BOOL bVertical, BOOL bHiddenControls,
                                          COLORREF clr) {
    CTkPenDC pen(pDC->GetSafeHdc(), clr);
    CTkBrushDC brush(pDC->GetSafeHdc(), clr);
    const int l = rc.left;
    const int t = rc.top;
    if (!bVertical) {
        const int c = rc.CenterPoint().x;
        pDC->MoveTo(c - 2, rc.bottom - 10);
        pDC->LineTo(c + 3, rc.bottom - 10);
        Triangle(pDC, c - 2, rc.bottom - 7, c + 2, rc.bottom - 7, c, rc.bottom - 5);
        if (bHiddenControls) {
            Triangle(pDC, l + 3, t + 5, l + 4, t + 6, l + 3, t + 7);
            Triangle(pDC, l + 7, t + 5, l + 8, t + 6, l + 7, t + 7);
        }
        return;
    }
    const int x = rc.right - 5;
    const int c = rc.CenterPoint().y;
    pDC->MoveTo(x - 5, c - 2);
    pDC->LineTo(x - 5, c + 3);
    Triangle(pDC, x, c, x - 2, c - 2, x - 2, c + 2);
    if (bHiddenControls) {
        Triangle(pDC, l + 5, t + 3, l + 6, t + 4, l + 7, t + 3);
        Triangle(pDC, l + 5, t + 7, l + 6, t + 8, l + 7, t + 7);
    }
}
