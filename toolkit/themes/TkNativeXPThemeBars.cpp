// CTkNativeXPTheme: bar and dock backgrounds, grippers, separators and the floating bar's buttons.
#include "TkNativeXPTheme.h"

#include "TkCommandBar.h"
#include "TkDCWrappers.h"
#include "TkDockBar.h"
#include "TkNativeXPThemeParts.h"
#include "TkWindowFunctions.h"

using namespace NativeXPParts;

namespace {

// The smallest caption height of a floating bar, and the frame width the small-frame parts take.
constexpr int kMinFloatingCaption = 15;
constexpr int kSmallFrame = 3;
constexpr int kGripperLength = 8;
constexpr int kHideFloating = 2;
constexpr int kExpandFloating = 3;

}  // namespace

void CTkNativeXPTheme::PaintDockBackground(CDC* pDC, HWND hPainted, HWND hDock) {
    CRect rcDock = MakeWindowRectFromHandle(hDock);
    ::MapWindowPoints(nullptr, hPainted, reinterpret_cast<POINT*>(&rcDock), 2);
    const CRect rcClip = MakeClientRectFromHandle(hPainted);
    m_themeRebar.DrawBackground(pDC->GetSafeHdc(), kRebarBackground, 0, &rcDock, &rcClip);
}

void CTkNativeXPTheme::FillDockBarBackground(CDC* pDC, CTkDockBar* pDockBar) {
    if (!IsStyleActive() || pDockBar->GetPosition() != kBarTop) {
        CTkDefaultTheme::FillDockBarBackground(pDC, pDockBar);
        return;
    }
    PaintDockBackground(pDC, pDockBar->GetSafeHwnd(), pDockBar->GetSafeHwnd());
}

void CTkNativeXPTheme::FillBarBackground(CDC* pDC, CTkCommandBar* pBar) {
    const int nPosition = pBar->GetPosition();
    if (!IsStyleActive() || (nPosition == kBarFloating && pBar->IsDialogBar())) {
        CTkDefaultTheme::FillBarBackground(pDC, pBar);
        return;
    }
    const HDC hDC = pDC->GetSafeHdc();
    const CRect rc = MakeClientRectFromHandle(pBar->GetSafeHwnd());
    if (nPosition == kBarPopup) {
        if (IsMenuStyleActive()) {
            if (SUCCEEDED(m_themeMenu.DrawBackground(hDC, kMenuPopupBorders, 0, &rc, nullptr))) {
                CRect rcInner = rc;
                rcInner.DeflateRect(3, 3);
                m_themeMenu.DrawBackground(hDC, kMenuPopupBackground, 0, &rcInner, nullptr);
            }
        } else if (m_bFlatMenus) {
            PaintFramedRect(pDC, rc, COLOR_BTNSHADOW, COLOR_MENU);
        } else {
            pDC->FillSolidRect(&rc, LookupColor(COLOR_MENU));
            Paint3dFrame(pDC, rc, COLOR_BTNFACE, COLOR_3DDKSHADOW);
            Paint3dFrame(pDC, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), COLOR_BTNHIGHLIGHT,
                         COLOR_BTNSHADOW);
        }
        return;
    }
    if (nPosition == kBarFloating) {
        if (pBar->GetType() == kBarTypePopup) {
            pDC->FillSolidRect(&rc, LookupColor(COLOR_MENU));
        } else {
            pDC->FillSolidRect(&rc, LookupColor(COLOR_BTNFACE));
            m_themeToolbar.DrawBackground(hDC, kToolbarBackground, 0, &rc, nullptr);
        }
        const CRect rcLeft(rc.left, rc.top, rc.left + kSmallFrame, rc.bottom);
        const CRect rcRight(rc.right - kSmallFrame, rc.top, rc.right, rc.bottom);
        const CRect rcBottom(rc.left, rc.bottom - kSmallFrame, rc.right, rc.bottom);
        m_themeWindow.DrawBackground(hDC, kWindowSmallFrameLeft, kWindowActiveState, &rcLeft, nullptr);
        m_themeWindow.DrawBackground(hDC, kWindowSmallFrameRight, kWindowActiveState, &rcRight, nullptr);
        m_themeWindow.DrawBackground(hDC, kWindowSmallFrameBottom, kWindowActiveState, &rcBottom, nullptr);
        return;
    }
    // Docked: the band lies on the rebar background of the dock bar, which runs on behind the bars.
    if (nPosition == kBarTop)
        PaintDockBackground(pDC, pBar->GetSafeHwnd(), ::GetParent(pBar->GetSafeHwnd()));
    else
        pDC->FillSolidRect(&rc, LookupColor(COLOR_BTNFACE));
    m_themeRebar.DrawBackground(hDC, kRebarBand, 0, &rc, nullptr);
    if (!IsFlatBar(pBar))
        pDC->Draw3dRect(&rc, m_clrBandHighlight, m_clrBandShadow);  // RGB values, not table entries
}

CSize CTkNativeXPTheme::PaintBarGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) {
    if (!IsStyleActive())
        return CTkDefaultTheme::PaintBarGripper(pDC, pBar, bDraw);
    if (pBar->IsDialogBar())
        return PaintShortGripper(pDC, pBar, bDraw);
    const CRect rc = MakeClientRectFromHandle(pBar->GetSafeHwnd());
    const BOOL bPaint = pDC != nullptr && bDraw;
    const HDC hDC = bPaint ? pDC->GetSafeHdc() : nullptr;
    switch (pBar->GetPosition()) {
        case kBarTop:
        case kBarBottom: {
            const CRect rcGripper(rc.left + 2, rc.top, rc.left + kGripperLength, rc.bottom);
            if (bPaint)
                m_themeRebar.DrawBackground(hDC, kRebarGripper, kGripperState, &rcGripper, nullptr);
            return CSize(kGripperLength, 0);
        }
        case kBarLeft:
        case kBarRight: {
            const CRect rcGripper(rc.left, rc.top + 2, rc.right, rc.top + kGripperLength);
            if (bPaint)
                m_themeRebar.DrawBackground(hDC, kRebarGripperVert, kGripperState, &rcGripper, nullptr);
            return CSize(0, kGripperLength);
        }
        case kBarFloating: {
            if (pDC == nullptr)
                return CSize(0, 0);
            CTkFontDC font(pDC, &m_fntSmallCaption);
            const int c = std::max<int>(pDC->GetTextExtent(L" ", 1).cy, kMinFloatingCaption);
            if (bDraw) {
                const CRect rcCaption(0, 0, rc.Width(), c + 3);
                m_themeWindow.DrawBackground(hDC, kWindowSmallCaption, kWindowActiveState, &rcCaption, nullptr);
                pDC->SetBkMode(TRANSPARENT);
                pDC->SetTextColor(m_clrFloatingCaptionText.GetEffective());
                CRect rcTitle(5, 3, rc.Width() - 2 * (c + 3) + 3, c + 3);
                pDC->DrawText(pBar->GetTitle(), &rcTitle, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            }
            return CSize(rc.Width(), c);
        }
        case kBarPopup:
            if (IsMenuStyleActive() && pBar->GetType() == kBarTypePopup && bPaint) {
                CRect rcGutter = rc;
                rcGutter.DeflateRect(3, 3);
                rcGutter.right = rcGutter.left + GetPopupIconColumnWidth(pBar);
                m_themeMenu.DrawBackground(hDC, kMenuPopupGutter, 0, &rcGutter, nullptr);
            }
            return CSize(0, 0);
        default:
            return CSize(0, 0);
    }
}

CSize CTkNativeXPTheme::PaintShortGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) {
    if (!IsStyleActive())
        return CTkDefaultTheme::PaintShortGripper(pDC, pBar, bDraw);
    const int nHeight = std::max(m_nControlHeight + 4, 22);
    if (pDC != nullptr && bDraw) {
        const CRect rcGripper(2, 3, kGripperLength, nHeight);
        m_themeRebar.DrawBackground(pDC->GetSafeHdc(), kRebarGripper, kGripperState, &rcGripper, nullptr);
    }
    return CSize(kGripperLength, nHeight);
}

CSize CTkNativeXPTheme::PaintControlSeparator(CDC* pDC, CTkCommandBar* pBar, CTkControl* pControl, BOOL bDraw) {
    if (!bDraw || pDC == nullptr || pControl == nullptr || !IsStyleActive())
        return CTkDefaultTheme::PaintControlSeparator(pDC, pBar, pControl, bDraw);
    const HDC hDC = pDC->GetSafeHdc();
    const CRect& rc = pControl->GetRect();
    const CRect& rcRow = pControl->GetRowRect();
    const BOOL bWrap = pControl->GetWrap();
    const int nPosition = pBar->GetPosition();
    if (pBar->GetType() == kBarTypePopup) {
        if (nPosition != kBarPopup || !IsMenuStyleActive() || bWrap)
            return CTkDefaultTheme::PaintControlSeparator(pDC, pBar, pControl, bDraw);
        const CRect rcLine(rc.left + GetPopupIconColumnWidth(pBar), rc.top - 8, rc.right, rc.top - 2);
        m_themeMenu.DrawBackground(hDC, kMenuPopupSeparator, 0, &rcLine, nullptr);
        return CSize(0, 0);
    }
    int nPart = kToolbarSeparator;
    CRect rcLine;
    if (nPosition == kBarLeft || nPosition == kBarRight || nPosition == kBarPopup) {
        if (bWrap) {
            rcLine.SetRect(rcRow.right, rcRow.top + 4, rcRow.right + 5, rcRow.bottom);
        } else {
            nPart = kToolbarSeparatorVert;
            rcLine.SetRect(rcRow.left, rc.top - 6, rcRow.right, rc.top);
        }
    } else if (bWrap) {
        nPart = kToolbarSeparatorVert;
        rcLine.SetRect(rcRow.left + 4, rcRow.top - 5, rcRow.right, rcRow.top);
    } else {
        rcLine.SetRect(rc.left - 6, rcRow.top, rc.left, rcRow.bottom);
    }
    m_themeToolbar.DrawBackground(hDC, nPart, 0, &rcLine, nullptr);
    return CSize(0, 0);
}

CSize CTkNativeXPTheme::PaintExpandButton(CDC* pDC, int nKind, CTkControl* pControl, CTkCommandBar* pBar, BOOL bDraw,
                                          BOOL bHiddenControls) {
    if ((nKind == kHideFloating || nKind == kExpandFloating) && m_themeToolbar.IsAppThemed())
        return CTkPaintManager::PaintExpandButton(pDC, nKind, pControl, pBar, bDraw, bHiddenControls);
    return CTkDefaultTheme::PaintExpandButton(pDC, nKind, pControl, pBar, bDraw, bHiddenControls);
}
