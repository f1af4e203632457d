// CTkPaintManager: controls on toolbars and the menu bar, their faces and text colours, and the sizes
// of buttons, icons, popup columns and split parts.
#include "TkPaintManager.h"

#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkDCWrappers.h"
#include "TkImageManagerIcon.h"
#include "TkMeasureDC.h"
#include "TkPaintManagerState.h"
#include "TkPopupBar.h"

#include <utility>

namespace {

// The button a control without an image counts for its layout.
constexpr int kImagelessButton = 22;
// A check glyph's caption follows it by this much.
constexpr int kCheckCaptionGap = 5;

// The face of a toolbar control (a split button's two parts, else its state rectangle), then its text
// colour.
void PaintControlFace(CTkPaintManager& paintManager, CDC* pDC, CTkControl* pControl, const CRect& rc) {
    if (pControl->GetType() == kControlSplitButtonPopup)
        paintManager.PaintSplitButton(pDC, pControl, rc);
    else if (!pControl->SuppressesButtonFace())
        paintManager.PaintControlBackground(pDC, pControl);
    pDC->SetTextColor(paintManager.GetControlTextColor(pControl));
}

// The image in the control's state; composited while the control lies in a glass caption.
void DrawControlImage(CTkPaintManager& paintManager, CDC* pDC, CTkControl* pControl, CTkImageManagerIcon* pImage,
                      CPoint pt, CSize szDraw, const ControlPaintState& state) {
    const BOOL bComposited = pImage->m_bDrawComposited;
    if (pControl->IsInGlassCaption())
        pImage->m_bDrawComposited = TRUE;
    paintManager.PaintControlIcon(pDC, pt, szDraw, pImage, state.nSelected, state.nPressed, state.bEnabled,
                                  state.nChecked, state.bPopuped, TRUE);
    pImage->m_bDrawComposited = bComposited;
}

}  // namespace

CSize CTkPaintManager::PaintBarControl(CDC* pCallerDC, CTkControl* pControl, BOOL bDraw) {
    CTkCommandBar* pBar = pControl->GetParent();
    CTkMeasureDC measureDC(pCallerDC);
    CDC* pDC = measureDC.Get();
    if (pBar == nullptr || pDC == nullptr)
        return CSize(0, 0);
    CTkFontDC font(pDC, GetControlFont(pControl));
    const ControlPaintState state(pControl);
    const BOOL bVertical = GetTextOrientation(pControl) == 1;
    const CRect rc = bDraw ? pControl->GetRect() : CRect(0, 0, 0, 0);
    const CSize szIcon = GetControlBoxSize(pControl);
    const CSize szButton = pControl->GetButtonSize();
    const int nType = state.nType;
    const int nStyle = state.nStyle;
    const BOOL bShowsImage = nStyle == kButtonIcon || nStyle == kButtonIconAndCaption ||
                             nStyle == kButtonIconAndCaptionBelow ||
                             (nStyle == kButtonAutomatic && nType != kControlPopup);
    CTkImageManagerIcon* pImage = bShowsImage ? pControl->GetImage(szIcon.cx) : nullptr;

    if (nType == kControlCheckBox || nType == kControlRadioButton) {
        auto paintMark = [&](const CRect& rcMark, BOOL bDrawMark) {
            return nType == kControlCheckBox ? PaintCheckBoxMark(pDC, rcMark, bDrawMark, state.nSelected,
                                                                 state.nPressed, state.bEnabled, state.nChecked)
                                             : PaintRadioButtonMark(pDC, rcMark, bDrawMark, state.nSelected,
                                                                    state.nPressed, state.bEnabled, state.nChecked);
        };
        const CSize szGlyph = paintMark(CRect(), FALSE);
        if (bDraw) {
            pDC->SetTextColor(GetControlTextColor(pControl));
            const CPoint ptGlyph = bVertical ? CPoint(rc.left + (rc.Width() - szGlyph.cx) / 2, rc.top + kIconInset)
                                             : CPoint(rc.left + kIconInset, rc.top + (rc.Height() - szGlyph.cy) / 2);
            paintMark(CRect(ptGlyph, szGlyph), TRUE);
        }
        const int nGlyphRoom = (bVertical ? szGlyph.cy : szGlyph.cx) + kCheckCaptionGap;
        CRect rcCaption = rc;
        (bVertical ? rcCaption.top : rcCaption.left) += kIconInset + nGlyphRoom - kCaptionIndent;
        CSize size = PaintCaptionLayout(pDC, pControl, rcCaption, bDraw, FALSE, szButton, FALSE);
        (bVertical ? size.cy : size.cx) += nGlyphRoom;
        if (bDraw && (state.nSelected == 2 || state.nSelected == 3)) {
            pDC->SetTextColor(LookupColor(COLOR_BTNTEXT));
            pDC->SetBkColor(LookupColor(COLOR_BTNFACE));
            pDC->DrawFocusRect(&rc);
        }
        return ApplyExplicitSize(pControl, size, bVertical);
    }

    if (nStyle == kButtonIconAndCaptionBelow) {
        const int nExtent = GetSplitDropDownExtent();
        CSize size(std::max(2 * GetControlHeight() - 3, 42),
                   m_nExplicitControlHeight > 0 ? 3 * m_nExplicitControlHeight : szIcon.cy + nExtent + 7);
        if (bVertical)
            std::swap(size.cx, size.cy);
        if (bDraw) {
            PaintControlFace(*this, pDC, pControl, rc);
            if (pImage != nullptr) {
                const CSize szDraw = ImageDrawSize(pImage, szIcon);
                const CPoint pt = bVertical ? CPoint(rc.left + nExtent + 4, rc.top + (rc.Height() - szDraw.cy) / 2)
                                            : CPoint(rc.left + (rc.Width() - szDraw.cx) / 2, rc.top + kIconInset);
                DrawControlImage(*this, pDC, pControl, pImage, pt, szDraw, state);
            }
            const CRect rcStrip = bVertical ? CRect(rc.left, rc.top, rc.left + nExtent, rc.bottom)
                                            : CRect(rc.left, rc.bottom - 1 - nExtent, rc.right, rc.bottom - 1);
            PaintTwoLineCaption(pDC, pControl, rcStrip, TRUE);
        }
        const CSize szCaption = PaintTwoLineCaption(pDC, pControl, CRect(), FALSE);
        if (bVertical)
            size.cy = std::max<LONG>(size.cy, szCaption.cy + 6);
        else
            size.cx = std::max<LONG>(size.cx, szCaption.cx + 5);
        return ApplyExplicitSize(pControl, size, bVertical);
    }

    if (pBar->GetTextBelowIcons() && pImage != nullptr) {
        font.SetFont(pControl->IsDefaultItem() ? &m_fntRegularBold : &m_fntRegular);
        CRect rcContent = rc;
        if (nType == kControlSplitButtonPopup)
            rcContent.right -= m_nSplitButtonDropDownWidth;
        if (bDraw) {
            PaintControlFace(*this, pDC, pControl, rc);
            const CSize szDraw = ImageDrawSize(pImage, szIcon);
            DrawControlImage(*this, pDC, pControl, pImage,
                             CPoint(rcContent.left + (rcContent.Width() - szDraw.cx) / 2, rc.top + 4), szDraw, state);
            PaintControlCaption(pDC, pControl,
                                CRect(rcContent.left, rc.top + szButton.cy - 4, rcContent.right, rc.bottom), TRUE,
                                nType == kControlPopup, TRUE);
        }
        const CSize szCaption = PaintControlCaption(pDC, pControl, CRect(), FALSE, nType == kControlPopup, TRUE);
        CSize size(std::max<LONG>(szButton.cx, szCaption.cx + 10), szButton.cy + szCaption.cy);
        if (nType == kControlSplitButtonPopup)
            size.cx += m_nSplitButtonDropDownWidth;
        size.cx = std::max(size.cx, size.cy);
        return ApplyExplicitSize(pControl, size, bVertical);
    }

    if (bDraw) {
        PaintControlFace(*this, pDC, pControl, rc);
        if (pImage != nullptr) {
            const CSize szDraw = ImageDrawSize(pImage, szIcon);
            CPoint pt;
            if ((nType == kControlButton || nType == kControlButtonPopup) && !pControl->IsCaptionVisible())
                pt = CPoint(rc.left + (rc.Width() - szDraw.cx) / 2, rc.top + (rc.Height() - szDraw.cy) / 2);
            else if (bVertical)
                pt = CPoint(rc.left + (rc.Width() - szDraw.cx) / 2, rc.top + kIconInset);
            else
                pt = CPoint(rc.left + kIconInset, rc.top + (rc.Height() - szDraw.cy) / 2);
            DrawControlImage(*this, pDC, pControl, pImage, pt, szDraw, state);
        }
    }

    const BOOL bCaption = pControl->IsCaptionVisible();
    const BOOL bImage = pImage != nullptr;
    CSize size(0, 0);
    switch (nType) {
        case kControlButton:
        case kControlButtonPopup:
        case kControlLabel:
        case kControlGallery:
            if (bCaption)
                size = PaintCaptionLayout(pDC, pControl, rc, bDraw, bImage,
                                          bImage ? szButton : CSize(kImagelessButton, szButton.cy), FALSE);
            else
                size = szButton;
            break;
        case kControlPopup:
            if (!bImage) {
                CRect rcCaption = rc;
                rcCaption.DeflateRect(3, 3);
                size = PaintControlCaption(pDC, pControl, rcCaption, bDraw, TRUE, FALSE) + CSize(6, 6);
            } else if (bCaption) {
                size = PaintCaptionLayout(pDC, pControl, rc, bDraw, TRUE, szButton, pBar->GetType() != kBarTypeMenuBar);
            } else {
                if (bDraw)
                    PaintDropDownGlyph(pDC, pControl, CPoint(rc.right - 7, rc.CenterPoint().y), state.nSelected,
                                       state.bPopuped, state.bGlyphEnabled, bVertical);
                size = CSize(szButton.cy + 7, szButton.cy);
            }
            break;
        case kControlSplitButtonPopup: {
            const CSize szSplitButton = bImage ? szButton : CSize(kImagelessButton, kImagelessButton);
            if (bCaption) {
                CRect rcLayout = rc;
                rcLayout.right -= m_nSplitButtonDropDownWidth;
                size = PaintCaptionLayout(pDC, pControl, rcLayout, bDraw, bImage, szSplitButton, FALSE);
                size.cx += m_nSplitButtonDropDownWidth;
            } else {
                size = CSize(szSplitButton.cx + m_nSplitButtonDropDownWidth, szSplitButton.cy);
            }
            break;
        }
        default:  // combo boxes, edits and custom controls draw through their own operations
            break;
    }
    return ApplyExplicitSize(pControl, size, bVertical);
}

// ---- State colours and faces

COLORREF CTkPaintManager::GetControlTextColor(CTkControl* pControl) {
    const ControlPaintState state(pControl);
    if ((state.nType == kControlCheckBox || state.nType == kControlRadioButton) && state.nBarType != kBarTypePopup)
        return GetStateTextColor(FALSE, FALSE, state.bCaptionEnabled, FALSE, FALSE, state.nBarType, state.nBarPosition);
    return GetStateTextColor(state.nSelected, state.nPressed, state.bCaptionEnabled, state.nChecked, state.bPopuped,
                             state.nBarType, state.nBarPosition);
}

void CTkPaintManager::PaintControlBackground(CDC* pDC, CTkControl* pControl) {
    const ControlPaintState state(pControl);
    PaintStateRectangle(pDC, pControl->GetRect(), state.nSelected, state.nPressed, state.bEnabled, state.nChecked,
                        state.bPopuped, state.nBarType, state.nBarPosition);
}

BOOL CTkPaintManager::IsKeyboardCuesShown(CTkCommandBar* pBar) const {
    return m_nKeyboardCueOverride != -1 ? m_nKeyboardCueOverride : pBar->IsKeyboardCuesVisible();
}

// ---- Sizes

CSize CTkPaintManager::GetButtonSize(CTkCommandBar* pBar) {
    const CSize szIcon = pBar->GetIconSize();
    return CSize(std::max<LONG>(m_nControlHeight, szIcon.cx) + 4, std::max<LONG>(m_nControlHeight, szIcon.cy + 6));
}

int CTkPaintManager::GetPopupIconColumnWidth(CTkCommandBar* pBar) {
    if (pBar->GetType() != kBarTypePopup)
        return 0;
    int nWidth = pBar->GetButtonSize().cx;
    auto* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, pBar);
    if (pPopupBar != nullptr && pPopupBar->IsDoubleGripper())
        nWidth *= 2;
    return nWidth + 1;
}

CSize CTkPaintManager::GetControlBoxSize(CTkControl* pControl) const {
    CTkCommandBar* pBar = pControl->GetParent();
    if (pControl->GetStyle() == kButtonIconAndCaptionBelow && pBar != nullptr && pBar->GetType() != kBarTypePopup)
        return pBar->GetLargeIconSize();
    return pControl->GetIconSize();
}

CRect CTkPaintManager::GetSplitCommandRect(CTkControl* pControl) {
    CRect rc = pControl->GetRect();
    CTkCommandBar* pBar = pControl->GetParent();
    if (pBar != nullptr && pBar->GetType() == kBarTypePopup)
        rc.right -= m_nPopupSplitWidth;
    else if (pControl->GetStyle() == kButtonIconAndCaptionBelow && GetTextOrientation(pControl) == 1)
        rc.left += GetSplitDropDownExtent();
    else if (pControl->GetStyle() == kButtonIconAndCaptionBelow)
        rc.bottom -= GetSplitDropDownExtent();
    else
        rc.right -= m_nSplitButtonDropDownWidth + 1;
    return rc;
}
