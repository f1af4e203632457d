// CTkOffice2003Theme: gradient bar backgrounds, state faces, grippers, separators, borders, tear-off
// strips, the icon band and the status parts.
#include "TkOffice2003Theme.h"

#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkDCWrappers.h"
#include "TkDockBar.h"
#include "TkDrawHelpers.h"
#include "TkMeasureDC.h"
#include "TkStatusBarParts.h"
#include "TkWindowFunctions.h"

namespace {

constexpr int kWindow = COLOR_WINDOW;
constexpr int kFace = COLOR_BTNFACE;
constexpr int kShadow = COLOR_BTNSHADOW;
constexpr int kHighlight = COLOR_BTNHIGHLIGHT;
constexpr int kInfoBack = COLOR_INFOBK;
constexpr int kBarFace = 30;
constexpr int kHotFrame = 32;
constexpr int kCheckedFill = 36;
constexpr int kCheckedFrame = 37;
constexpr int kGripper = 38;
constexpr int kSeparator = 39;
constexpr int kPopupBack = 41;
constexpr int kPopupFrame = 43;
constexpr int kPushedFrame = 50;
constexpr int kIndeterminateFill = 51;
constexpr int kDisabledCheckedFrame = 58;
constexpr int kFloatingFrame = 61;
// The right dock bar's dock style.
constexpr DWORD kRightDockStyle = 0x4100;
// The border bits of a bar's flags.
constexpr DWORD kBarBorderFlags = 0xF;

BOOL IsKeyboardState(int nState) {
    return nState == 2 || nState == 3;
}

// A one-pixel frame in a colour (not a table entry).
void FrameRect(CDC* pDC, const CRect& rc, COLORREF clr) {
    pDC->Draw3dRect(&rc, clr, clr);
}

int HalfScreenWidth() {
    return ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
}

// The parent window's client rectangle in the bar's coordinates; empty without a parent.
CRect ParentRectInBar(CTkCommandBar* pBar) {
    HWND hParent = ::GetParent(pBar->GetSafeHwnd());
    if (hParent == nullptr)
        return CRect(0, 0, 0, 0);
    CRect rc = MakeClientRectFromHandle(hParent);
    ::MapWindowPoints(hParent, pBar->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The laid-out rectangle of the bar's first visible control; NULL without one.
const CRect* FirstVisibleRowRect(CTkCommandBar* pBar) {
    for (int i = 0; i < pBar->GetControlCount(); ++i) {
        CTkControl* pControl = pBar->GetControl(i);
        if (pControl->IsVisible())
            return &pControl->GetRowRect();
    }
    return nullptr;
}

}  // namespace

void CTkOffice2003Theme::FillGradient(CDC* pDC, const CRect& rc, const CTkPaintManagerColorGradient& gradient,
                                      BOOL bHorizontal, const RECT* pClip) {
    GetDrawHelpers()->FillColorGradient(pDC, &rc, gradient, bHorizontal, pClip);
}

void CTkOffice2003Theme::FillDockGradient(CDC* pDC, CRect rc, const RECT* pClip) {
    rc.right = rc.left + std::max(rc.Width(), HalfScreenWidth());
    FillGradient(pDC, rc, m_grcDock, TRUE, pClip);
}

void CTkOffice2003Theme::SetCornerPixels(CDC* pDC, int w, int h, int nInset, COLORREF clr) {
    const COLORREF clrPixel = LookupColor(static_cast<int>(clr));
    for (const CPoint& pt : {CPoint(nInset, nInset), CPoint(w - 1 - nInset, nInset), CPoint(nInset, h - 1 - nInset),
                             CPoint(w - 1 - nInset, h - 1 - nInset)})
        pDC->FillSolidRect(pt.x, pt.y, 1, 1, clrPixel);
}

BOOL CTkOffice2003Theme::HasBarBorderFlags(CTkCommandBar* pBar) {
    return !IsFlatBar(pBar) && (pBar->GetFlags() & kBarBorderFlags) != 0;
}

void CTkOffice2003Theme::FillBarBackground(CDC* pDC, CTkCommandBar* pBar) {
    const CRect rc = MakeClientRectFromHandle(pBar->GetSafeHwnd());
    const int w = rc.Width();
    const int h = rc.Height();
    const int nPosition = pBar->GetPosition();
    const BOOL bDocked = nPosition >= kBarTop && nPosition <= kBarRight;
    const auto doubleFrame = [&] {
        PaintFramedRect(pDC, rc, kFloatingFrame, kColorUnset);
        PaintFramedRect(pDC, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), kFloatingFrame, kColorUnset);
        SetCornerPixels(pDC, w, h, 2, kFloatingFrame);
    };
    if (nPosition == kBarPopup) {
        PaintFramedRect(pDC, rc, kPopupFrame, kPopupBack);
        PaintPopupJoint(pDC, pBar, kPopupBack);
        return;
    }
    if (IsFlatBar(pBar)) {
        // A docked flat bar continues its dock bar's gradient.
        CRect rcGradient = rc;
        const CRect rcParent = ParentRectInBar(pBar);
        if (bDocked && !rcParent.IsRectEmpty()) {
            rcGradient.left = rcParent.left;
            rcGradient.right = rcParent.right;
        }
        FillDockGradient(pDC, rcGradient, &rc);
        if (nPosition == kBarFloating)
            doubleFrame();
        return;
    }
    if (bDocked) {
        const BOOL bHorizontal = nPosition == kBarTop || nPosition == kBarBottom;
        pDC->FillSolidRect(&rc, LookupColor(kFace));
        const CRect rcParent = ParentRectInBar(pBar);
        const DWORD dwParentStyle =
            rcParent.IsRectEmpty() ? 0 : ::GetWindowLongW(::GetParent(pBar->GetSafeHwnd()), GWL_STYLE);
        if (!bHorizontal && (dwParentStyle & kRightDockStyle) == kRightDockStyle)
            pDC->FillSolidRect(&rc, m_grcDock.m_secondColor.GetEffective());
        else if (!rcParent.IsRectEmpty())
            FillDockGradient(pDC, rcParent, &rc);

        CScopedSaveDC savedClip(pDC->GetSafeHdc());
        const CRect* pRow = FirstVisibleRowRect(pBar);
        if (bHorizontal) {
            pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 3, rc.bottom);
            ExcludeRectCorners(pDC, CRect(rc.left + 3, rc.top + 1, rc.right, rc.bottom - 1));
            const CRect rcFace(rc.left, rc.top + 1, rc.right, pRow != nullptr ? pRow->bottom + 1 : rc.bottom);
            FillGradient(pDC, rcFace, m_grcBarFace, FALSE);
            // Further rows of a wrapped toolbar are flat.
            if (rcFace.bottom < rc.bottom - 1)
                pDC->FillSolidRect(rc.left, rcFace.bottom, w, rc.bottom - 1 - rcFace.bottom,
                                   m_grcBarFace.m_secondColor.GetEffective());
            pDC->FillSolidRect(rc.left + 5, rc.bottom - 1, w - 7, 1, m_clrBarShadow.GetEffective());
        } else {
            pDC->ExcludeClipRect(rc.left, rc.top, rc.right, rc.top + 3);
            ExcludeRectCorners(pDC, CRect(rc.left + 1, rc.top + 3, rc.right - 1, rc.bottom));
            const CRect rcFace(rc.left + 1, rc.top, pRow != nullptr ? pRow->right + 1 : rc.right, rc.bottom);
            FillGradient(pDC, rcFace, m_grcBarFace, TRUE);
            pDC->FillSolidRect(rc.right - 1, rc.top + 5, 1, h - 7, m_clrBarShadow.GetEffective());
        }
        return;
    }
    if (nPosition == kBarFloating && HasBarBorderFlags(pBar)) {
        pDC->FillSolidRect(&rc, LookupColor(kBarFace));
        doubleFrame();
        int nCaption = 0;
        {
            CTkMeasureDC measureDC(pDC);
            nCaption = GetSpaceHeight(measureDC.Get(), &m_fntSmallCaption);
        }
        // Each row of controls below the caption gets a gradient of its own.
        int yRow = rc.top + 1 + (nCaption < 15 ? 17 : nCaption + 2);
        const auto band = [&](int yBottom) {
            FillGradient(pDC, CRect(rc.left + 3, yRow, rc.right - 3, yBottom), m_grcBarFace, FALSE);
            yRow = yBottom;
        };
        for (int i = 0; i < pBar->GetControlCount(); ++i) {
            CTkControl* pControl = pBar->GetControl(i);
            const int yTop = pControl->GetRowRect().top;
            if (pControl->GetWrap() && pControl->IsVisible() && yTop > yRow)
                band(yTop);
        }
        band(rc.bottom - 3);
        SetCornerPixels(pDC, w, h, 2, kFloatingFrame);
        return;
    }
    CTkOfficeTheme::FillBarBackground(pDC, pBar);
}

void CTkOffice2003Theme::FillDockBarBackground(CDC* pDC, CTkDockBar* pDockBar) {
    const CRect rc = MakeClientRect(pDockBar);
    if ((pDockBar->GetStyle() & kRightDockStyle) == kRightDockStyle)
        pDC->FillSolidRect(&rc, m_grcDock.m_secondColor.GetEffective());
    else
        FillDockGradient(pDC, rc, &rc);
}

void CTkOffice2003Theme::PaintStateRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                             BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition) {
    if (bPopuped) {
        FillGradient(pDC, rc, m_grcPoppedUp, FALSE);
        PaintFramedRect(pDC, rc, kPopupFrame, kColorUnset);
        return;
    }
    // Gradients run across the bar; a position without a direction keeps the flat rectangle.
    const BOOL bHorizontal = nBarPosition == kBarLeft || nBarPosition == kBarRight;
    const BOOL bGradientPosition =
        bHorizontal || nBarPosition == kBarTop || nBarPosition == kBarBottom || nBarPosition == kBarFloating;
    if (!m_bLunaColors || nBarType == kBarTypePopup || !bGradientPosition) {
        CTkOfficeTheme::PaintStateRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, FALSE, nBarType,
                                            nBarPosition);
        return;
    }
    int nFrame = -1;
    const CTkPaintManagerColorGradient* pGradient = nullptr;
    if (bEnabled) {
        if (bChecked && bSelected && !bPressed) {
            nFrame = kPushedFrame;
            pGradient = &m_grcPushed;
        } else if (bChecked == 2 && !bSelected && !bPressed) {
            PaintFramedRect(pDC, rc, kPushedFrame, kIndeterminateFill);
            return;
        } else if (bChecked && !bSelected && !bPressed) {
            nFrame = kCheckedFrame;
            pGradient = &m_grcChecked;
        } else if (IsKeyboardState(bPressed) || (bSelected && bPressed)) {
            nFrame = kPushedFrame;
            pGradient = &m_grcPushed;
        } else if (bSelected || bPressed) {
            nFrame = kHotFrame;
            pGradient = &m_grcHot;
        }
    } else if (IsKeyboardState(bSelected)) {
        nFrame = kPushedFrame;
        pGradient = bChecked ? &m_grcPushed : &m_grcHot;
    } else if (bChecked) {
        nFrame = kDisabledCheckedFrame;
        pGradient = &m_grcChecked;
    }
    if (pGradient == nullptr)
        return;
    FillGradient(pDC, rc, *pGradient, bHorizontal);
    PaintFramedRect(pDC, rc, static_cast<COLORREF>(nFrame), kColorUnset);
}

CSize CTkOffice2003Theme::PaintBarGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) {
    if (pBar->IsDialogBar())
        return PaintShortGripper(pDC, pBar, bDraw);
    const int nPosition = pBar->GetPosition();
    if (nPosition == kBarPopup || nPosition == kBarFloating)
        return CTkOfficeTheme::PaintBarGripper(pDC, pBar, bDraw);
    const CRect rcClient = MakeClientRectFromHandle(pBar->GetSafeHwnd());
    const BOOL bPaint = bDraw && pDC != nullptr;
    // A dot: a window-colour highlight one pixel right of and below a dark square.
    const auto dot = [&](int x, int y) {
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, LookupColor(kWindow));
        pDC->FillSolidRect(x, y, 2, 2, LookupColor(kGripper));
    };
    switch (nPosition) {
        case kBarTop:
        case kBarBottom:
            if (bPaint && rcClient.Height() - 7 > 5) {
                for (int y0 = 8; y0 - 3 < rcClient.Height() - 7; y0 += 4)
                    dot(6, y0 - 3);
            }
            return CSize(6, 0);
        case kBarLeft:
        case kBarRight:
            if (bPaint && rcClient.Width() - 7 > 5) {
                for (int x0 = 8; x0 - 3 < rcClient.Width() - 7; x0 += 4)
                    dot(x0 - 3, 6);
            }
            return CSize(0, 9);
        default:
            return CSize(0, 0);
    }
}

CSize CTkOffice2003Theme::PaintShortGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) {
    const int nHeight = std::max(m_nControlHeight + 6, 25);
    if (!bDraw || pDC == nullptr)
        return CSize(8, nHeight);
    CRect rc = MakeClientRectFromHandle(pBar->GetSafeHwnd());
    rc.DeflateRect(3, 3);
    rc.bottom = std::min<LONG>(rc.bottom, rc.top + nHeight);
    HWND hFocus = ::GetFocus();
    const BOOL bFocused =
        hFocus != nullptr && (hFocus == pBar->GetSafeHwnd() || ::IsChild(pBar->GetSafeHwnd(), hFocus));
    if (!bFocused)
        FillGradient(pDC, rc, m_grcBarFace, FALSE);
    else if (m_bLunaColors)
        FillGradient(pDC, rc, m_grcChecked, FALSE);
    else
        pDC->FillSolidRect(&rc, LookupColor(kCheckedFill));
    for (int y0 = rc.top + 4; y0 < rc.bottom - 5; y0 += 4) {
        pDC->FillSolidRect(6, y0 + 1, 2, 2, LookupColor(kWindow));
        pDC->FillSolidRect(5, y0, 2, 2, LookupColor(kGripper));
    }
    return CSize(8, nHeight);
}

CSize CTkOffice2003Theme::PaintControlSeparator(CDC* pDC, CTkCommandBar* pBar, CTkControl* pControl, BOOL bDraw) {
    const int nPosition = pBar->GetPosition();
    const BOOL bPopup = pBar->GetType() == kBarTypePopup;
    const BOOL bFloatingToolBar = nPosition == kBarFloating && !bPopup;
    if (!bDraw || pDC == nullptr || pControl == nullptr)
        return bFloatingToolBar ? CSize(6, 0) : CTkOfficeTheme::PaintControlSeparator(pDC, pBar, pControl, FALSE);
    const BOOL bVerticalBar = nPosition == kBarLeft || nPosition == kBarRight;
    const BOOL bHorizontalBar = nPosition == kBarTop || nPosition == kBarBottom || bFloatingToolBar;
    if (bPopup || (!bVerticalBar && !bHorizontalBar))
        return CTkOfficeTheme::PaintControlSeparator(pDC, pBar, pControl, bDraw);
    const CRect& rc = pControl->GetRect();
    const CRect& rcRow = pControl->GetRowRect();
    const BOOL bWrap = pControl->GetWrap();
    const BOOL bHighlight = !m_bFlatSeparators;
    if (bVerticalBar && bWrap) {
        const int x = rcRow.right + 2;
        PaintVerticalLine(pDC, x, rcRow.top + 4, rcRow.bottom, kSeparator);
        if (bHighlight)
            PaintVerticalLine(pDC, x + 1, rcRow.top + 5, rcRow.bottom, kHighlight);
    } else if (bVerticalBar) {
        PaintHorizontalLine(pDC, rcRow.left + 4, rc.top - 4, rcRow.right - 4, kSeparator);
        if (bHighlight)
            PaintHorizontalLine(pDC, rcRow.left + 5, rc.top - 3, rcRow.right - 3, kHighlight);
    } else if (!bWrap) {
        PaintVerticalLine(pDC, rc.left - 4, rcRow.top + 4, rcRow.bottom - 4, kSeparator);
        if (bHighlight)
            PaintVerticalLine(pDC, rc.left - 3, rcRow.top + 5, rcRow.bottom - 3, kHighlight);
    } else if (!bFloatingToolBar) {
        PaintHorizontalLine(pDC, rcRow.left + 4, rcRow.top - 4, rcRow.right, kSeparator);
        if (bHighlight)
            PaintHorizontalLine(pDC, rcRow.left + 5, rcRow.top - 3, rcRow.right, kHighlight);
    }
    return CSize(0, 0);
}

CRect CTkOffice2003Theme::GetBarBorders(CTkCommandBar* pBar) {
    const int nPosition = pBar->GetPosition();
    return nPosition == kBarTop || nPosition == kBarBottom ? CRect(4, 2, 2, 2) : CTkOfficeTheme::GetBarBorders(pBar);
}

CSize CTkOffice2003Theme::PaintTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) {
    if (!bDraw || pDC == nullptr)
        return CSize(0, 9);
    const CRect rcStrip(1, 1, rc.right + 1, rc.Height() + 1);
    pDC->FillSolidRect(&rcStrip, LookupColor(kPopupBack));
    CRect rcInner = rcStrip;
    rcInner.DeflateRect(1, 1);
    if (bSelected)
        PaintFramedRect(pDC, rcInner, kHotFrame, 31);
    else
        pDC->FillSolidRect(&rcInner, m_clrTearOff.GetEffective());
    const int nHalf = rc.Width() / 2;
    const int d = nHalf > 42 ? 32 : nHalf - 10;
    const int c = rc.left + nHalf;
    for (int x0 = c - d + 3; x0 - 3 < c + d; x0 += 4) {
        pDC->FillSolidRect(x0 - 2, 5, 2, 2, LookupColor(kHighlight));
        pDC->FillSolidRect(x0 - 3, 4, 2, 2, LookupColor(kGripper));
    }
    return CSize(0, 9);
}

void CTkOffice2003Theme::FillPopupIconBand(CDC* pDC, int x, int y, int cx, int cy, BOOL bRarelyUsed) {
    FillGradient(pDC, CRect(x, y, x + cx, y + cy), bRarelyUsed ? m_grcRarelyUsedBand : m_grcIconBand, TRUE);
}

// ---- Status parts, which no bar of the system shows

void CTkOffice2003Theme::PaintStatusPaneFrame(CDC* pDC, CRect rc, CTkStatusBarPane* pPane, BOOL bGripperPane) {
    if (m_bStatusVisualStyle && m_themeStatusBar.IsThemeOpen() && m_themeStatusBar.IsAppThemed()) {
        CTkPaintManager::PaintStatusPaneFrame(pDC, rc, pPane, bGripperPane);
        return;
    }
    FrameRect(pDC, rc, m_clrStatusFrame.GetEffective());
}

void CTkOffice2003Theme::PaintSizeGripper(CDC* pDC, CRect rc) {
    if (m_bStatusVisualStyle && m_themeStatusBar.IsThemeOpen() && m_themeStatusBar.IsAppThemed()) {
        CTkPaintManager::PaintSizeGripper(pDC, rc);
        return;
    }
    // Three groups, five pixels apart, of two shadow lines and a highlight line towards the corner.
    for (int nGroup = 0; nGroup < 3; ++nGroup) {
        for (int nLine = 0; nLine < 3; ++nLine) {
            const int d = 5 * nGroup + nLine + 2;
            PaintColoredLine(pDC, rc.right - d, rc.bottom, rc.right, rc.bottom - d, nLine == 2 ? kHighlight : kShadow);
        }
    }
}

void CTkOffice2003Theme::PaintFramedInfoArea(CDC* pDC, CWnd* pWnd) {
    const CRect rcClient = MakeClientRect(pWnd);
    FillDockGradient(pDC, rcClient, &rcClient);
    const auto* pHost = dynamic_cast<const CTkInfoAreaHost*>(pWnd);
    CRect rcArea = pHost != nullptr ? pHost->GetInfoAreaRect() : rcClient;
    FrameRect(pDC, rcArea, m_clrBarShadow.GetEffective());
    rcArea.DeflateRect(1, 1);
    pDC->FillSolidRect(&rcArea, LookupColor(kInfoBack));
}
