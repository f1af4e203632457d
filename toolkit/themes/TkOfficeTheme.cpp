// CTkOfficeTheme: settings, text colours, state faces, icons, split buttons, control rectangles, check
// and radio glyphs and status panes.
#include "TkOfficeTheme.h"

#include "TkCommandBar.h"
#include "TkDCWrappers.h"
#include "TkImageManagerIcon.h"
#include "TkPaintManagerState.h"
#include "TkShadowManager.h"
#include "TkStatusBarParts.h"
#include "TkWindowFunctions.h"

namespace {

BOOL IsKeyboardState(int nState) {
    return nState == 2 || nState == 3;
}

// The colour roles of the table this file uses.
constexpr int kWindow = COLOR_WINDOW;
constexpr int kShadow = COLOR_BTNSHADOW;
constexpr int kSpinArrow = 18;
constexpr int kBarFace = 30;
constexpr int kHotFill = 31;
constexpr int kHotFrame = 32;
constexpr int kPushedFill = 33;
constexpr int kDisabledText = 35;
constexpr int kCheckedFill = 36;
constexpr int kCheckedFrame = 37;
constexpr int kSeparator = 39;
constexpr int kPopupBack = 41;
constexpr int kPopupFrame = 43;
constexpr int kMenuText = 44;
constexpr int kHotText = 45;
constexpr int kBarText = 46;
constexpr int kPushedText = 47;
constexpr int kPushedFrame = 50;
constexpr int kIndeterminateFill = 51;
constexpr int kCheckBoxFrame = 52;
constexpr int kDisabledCheckedFrame = 58;
constexpr int kDisabledBarText = 60;
constexpr int kDisabledIcon = 40;

}  // namespace

CTkOfficeTheme::CTkOfficeTheme() {
    m_bFlatMenuBar = TRUE;
    m_bIconEffects[0] = TRUE;
    m_bIconEffects[1] = TRUE;
    m_bIconEffects[2] = TRUE;
    m_bGeneratedDisabledIcons = TRUE;
    m_bEmbossedDisabledText = FALSE;
    m_nPopupTextGap = 8;
    GetShadowManager()->SetOptions(kShadowAlways | kShadowExclude);
}

// First match wins.
COLORREF CTkOfficeTheme::GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                           int nBarType, int nBarPosition) {
    if (nBarType == kBarTypePopup)
        return LookupColor(!bEnabled ? kDisabledText : bSelected ? kHotText : kMenuText);
    int nColor;
    if (!bEnabled)
        nColor = kDisabledBarText;
    else if (bPopuped)
        nColor = kBarText;
    else if (bChecked && !bSelected && !bPressed)
        nColor = kHotText;
    else if (IsKeyboardState(bPressed) || (bSelected && bPressed) || bChecked)
        nColor = kPushedText;
    else if (bSelected || bPressed)
        nColor = kHotText;
    else
        nColor = nBarPosition == kBarPopup ? kMenuText : kBarText;
    return LookupColor(nColor);
}

// A fill and a one-pixel frame chosen by the state; first match wins.
void CTkOfficeTheme::PaintStateRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                         BOOL bChecked, BOOL bPopuped, int, int nBarPosition) {
    const BOOL bInPopup = nBarPosition == kBarPopup;
    int nFill = -1;
    int nFrame = -1;
    if (!bEnabled && IsKeyboardState(bSelected)) {
        nFrame = kHotFrame;
        nFill = bInPopup ? kPopupBack : bChecked ? kPushedFill : kHotFill;
    } else if (!bEnabled) {
        if (!bChecked)
            return;
        nFrame = kDisabledCheckedFrame;
        nFill = bInPopup ? -1 : kCheckedFill;
    } else if (bPopuped) {
        nFill = kBarFace;
        nFrame = kPopupFrame;
    } else if (bChecked && bSelected) {
        nFill = kPushedFill;
        nFrame = kPushedFrame;
    } else if (bChecked && !bPressed) {
        nFill = bChecked == 2 ? kIndeterminateFill : kCheckedFill;
        nFrame = kCheckedFrame;
    } else if (IsKeyboardState(bPressed) || (bSelected && bPressed)) {
        nFill = kPushedFill;
        nFrame = kPushedFrame;
    } else if (bSelected || bPressed) {
        nFill = kHotFill;
        nFrame = kHotFrame;
    } else {
        return;
    }
    PaintFramedRect(pDC, rc, static_cast<COLORREF>(nFrame), static_cast<COLORREF>(nFill));
}

void CTkOfficeTheme::PaintControlIcon(CDC* pDC, CPoint pt, CSize sz, CTkImageManagerIcon* pImage, BOOL bSelected,
                                      BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL) {
    const auto draw = [&](IconStateImage* pState, CPoint at) { pImage->Draw(pDC, at, pState, sz.cx, sz.cy); };
    // The third state of a check shows as disabled until it is pressed.
    if (!bEnabled || (bChecked == 2 && !bPressed)) {
        if (!m_bIconEffects[1] && !pImage->IsAlphaIcon()) {
            pImage->DrawMono(pDC, pt.x, pt.y, pImage->GetNormalImage(), sz.cx, sz.cy, LookupColor(kDisabledIcon));
            return;
        }
        if (m_bGeneratedDisabledIcons && !pImage->HasDisabledImage())
            pImage->CreateDisabledImage(m_grcDisabledIcon.m_firstColor.GetEffective(),
                                        m_grcDisabledIcon.m_secondColor.GetEffective());
        draw(pImage->GetDisabledImage(), pt);
    } else if (bPopuped) {
        draw(bChecked ? pImage->GetCheckedImage() : pImage->GetNormalImage(), pt);
    } else if (bChecked) {
        draw(pImage->GetCheckedImage(), pt);
    } else if (!bSelected && !bPressed) {
        draw(m_bIconEffects[0] ? pImage->GetFadedImage() : pImage->GetNormalImage(), pt);
    } else if ((bSelected && bPressed) || (!bSelected && IsKeyboardState(bPressed))) {
        draw(pImage->GetPressedImage(), pt);
    } else if (bSelected || bPressed == 1) {
        // Hot: raised over its shadow.
        IconStateImage* pShadow = m_bIconEffects[2] ? pImage->GetShadowImage() : nullptr;
        if (pShadow != nullptr && !pShadow->IsEmpty()) {
            draw(pShadow, pt + CPoint(1, 1));
            draw(pImage->GetHotImage(), pt - CPoint(1, 1));
        } else {
            draw(pImage->GetHotImage(), pt);
        }
    }
}

void CTkOfficeTheme::PaintSplitButton(CDC* pDC, CTkControl* pControl, const CRect& rc) {
    const ControlPaintState state(pControl);
    const BOOL bActive = (state.nSelected || state.nPressed) && state.bEnabled && !state.bPopuped;
    if (state.nStyle != kButtonIconAndCaptionBelow) {
        const CRect rcCommand =
            state.bPopuped ? rc : CRect(rc.left, rc.top, rc.right - m_nSplitButtonDropDownWidth, rc.bottom);
        PaintStateRectangle(pDC, rcCommand, state.nSelected, state.nPressed, state.bEnabled, state.nChecked,
                            state.bPopuped, kBarTypeNormal, state.nBarPosition);
        if (bActive)
            PaintStateRectangle(pDC, CRect(rc.right - m_nSplitButtonDropDownWidth - 1, rc.top, rc.right, rc.bottom), 1,
                                FALSE, TRUE, FALSE, FALSE, kBarTypeNormal, state.nBarPosition);
        PaintDropDownGlyph(pDC, pControl, CPoint(rc.right - 7, rc.CenterPoint().y), state.nSelected, state.bPopuped,
                           state.bGlyphEnabled, FALSE);
        return;
    }
    // A large button: its drop-down part lies along the caption.
    const int nExtent = GetSplitDropDownExtent();
    const BOOL bVertical = GetTextOrientation(pControl) == 1;
    const CRect rcCommand = bVertical ? CRect(rc.left + nExtent, rc.top, rc.right, rc.bottom)
                                      : CRect(rc.left, rc.top, rc.right, rc.bottom - nExtent);
    if (bActive && state.nSelected && state.nPressed) {
        PaintStateRectangle(pDC, rc, state.nSelected, FALSE, state.bEnabled, state.nChecked, state.bPopuped,
                            kBarTypeNormal, state.nBarPosition);
        PaintStateRectangle(pDC, rcCommand, state.nSelected, state.nPressed, state.bEnabled, state.nChecked,
                            state.bPopuped, kBarTypeNormal, state.nBarPosition);
    } else {
        PaintStateRectangle(pDC, rc, state.nSelected, state.nPressed, state.bEnabled, state.nChecked, state.bPopuped,
                            kBarTypeNormal, state.nBarPosition);
    }
    if (bActive) {
        if (bVertical)
            PaintVerticalLine(pDC, rc.left + nExtent, rc.top, rc.bottom, kHotFrame);
        else
            PaintHorizontalLine(pDC, rc.left, rc.bottom - nExtent - 1, rc.right, kHotFrame);
    }
}

void CTkOfficeTheme::AdjustControlRect(CRect& rc, CTkControl* pControl, BOOL bVertical) {
    CTkCommandBar* pBar = pControl->GetParent();
    if (pBar == nullptr)
        return;
    if (pBar->GetType() == kBarTypePopup)
        rc.InflateRect(1, 0);
    else if (pControl->GetType() == kControlComboBox)
        return;
    else if ((pBar->GetFlags() & kBarFlagStacked) != 0 && pBar->GetPosition() == kBarPopup)
        rc.DeflateRect(0, 1);
    else if (bVertical)
        rc.DeflateRect(1, 0);
    else
        rc.DeflateRect(0, 1);
}

namespace {

// The box colours of check and radio glyphs: fill and frame.
std::pair<int, int> MarkBoxColors(BOOL bSelected, BOOL bPressed, BOOL bEnabled) {
    if (!bEnabled)
        return {-1, kDisabledText};
    if (bSelected && bPressed)
        return {kPushedFill, kHotFrame};
    if (bSelected || bPressed)
        return {kHotFill, kHotFrame};
    return {kWindow, kCheckBoxFrame};
}

}  // namespace

CSize CTkOfficeTheme::PaintCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                        int nChecked) {
    if (m_bButtonVisualStyle && m_themeButton.IsAppThemed())
        return CTkPaintManager::PaintCheckBoxMark(pDC, rc, bDraw, bSelected, bPressed, bEnabled, nChecked);
    if (bDraw && pDC != nullptr) {
        const auto [nFill, nFrame] = MarkBoxColors(bSelected, bPressed, bEnabled);
        PaintFramedRect(pDC, rc, static_cast<COLORREF>(nFrame), static_cast<COLORREF>(nFill));
        if (nChecked) {
            const COLORREF clr = LookupColor(!bEnabled || nChecked == 2 ? kDisabledText : kSpinArrow);
            CTkPenDC pen(pDC->GetSafeHdc(), clr);
            const int m = rc.CenterPoint().x;
            const int c = rc.CenterPoint().y + 1;
            // Mirrored DCs mirror the coordinates themselves; the tick is mirrored back to read right.
            const int s = IsDCRightToLeft(pDC) ? -1 : 1;
            for (int i = 0; i < 3; ++i) {
                const POINT points[3] = {{m - 3 * s, c - 2 + i}, {m - 1 * s, c + i}, {m + 4 * s, c - 5 + i}};
                pDC->Polyline(points, 3);
            }
        }
    }
    return CSize(13, 13);
}

CSize CTkOfficeTheme::PaintRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                           int nChecked) {
    if (m_bButtonVisualStyle && m_themeButton.IsAppThemed())
        return CTkPaintManager::PaintRadioButtonMark(pDC, rc, bDraw, bSelected, bPressed, bEnabled, nChecked);
    if (bDraw && pDC != nullptr) {
        auto [nFill, nFrame] = MarkBoxColors(bSelected, bPressed, bEnabled);
        if (!bEnabled)
            nFill = kIndeterminateFill;
        PaintSmoothCircle(pDC, rc, static_cast<COLORREF>(nFrame), static_cast<COLORREF>(nFill));
        if (nChecked) {
            const int nDot = !bEnabled || nChecked == 2 ? kDisabledText : kSpinArrow;
            PaintSmoothCircle(pDC, CRect(rc.left + 4, rc.top + 4, rc.left + 9, rc.top + 9), static_cast<COLORREF>(nDot),
                              static_cast<COLORREF>(nDot));
        }
    }
    return CSize(13, 13);
}

void CTkOfficeTheme::PaintStatusPaneFrame(CDC* pDC, CRect rc, CTkStatusBarPane* pPane, BOOL) {
    if (pPane != nullptr && pPane->bNoBorders)
        return;
    PaintFramedRect(pDC, rc, kShadow, kColorUnset);
}

void CTkOfficeTheme::PaintStatusPaneSeparator(CDC* pDC, int x, int nTop, int nBottom) {
    PaintVerticalLine(pDC, x - 2, nTop, nBottom, kSeparator);
}
