// CTkDefaultTheme: text colours, state faces, icons, split buttons, button sizes and borders.
#include "TkDefaultTheme.h"

#include "TkCommandBar.h"
#include "TkImageManagerIcon.h"
#include "TkPaintManagerState.h"

namespace {

// The part of a toolbar split button that opens its sub bar.
constexpr int kSplitDropDownPart = 12;

BOOL IsKeyboardSelection(int nState) {
    return nState == 2 || nState == 3;
}

}  // namespace

void CTkDefaultTheme::RefreshMetrics() {
    CTkPaintManager::RefreshMetrics();
    m_clrFloatingCaption.m_standardValue = LookupColor(COLOR_ACTIVECAPTION);
    m_clrFloatingCaptionText.m_standardValue = LookupColor(COLOR_CAPTIONTEXT);
}

COLORREF CTkDefaultTheme::GetStateTextColor(BOOL bSelected, BOOL, BOOL bEnabled, BOOL bChecked, BOOL, int nBarType,
                                            int nBarPosition) {
    if (!bEnabled)
        return LookupColor(COLOR_GRAYTEXT);
    if (nBarType == kBarTypePopup)
        return LookupColor(bSelected && !bChecked ? COLOR_HIGHLIGHTTEXT : m_nMenuTextColor);
    return LookupColor(nBarPosition == kBarPopup ? m_nMenuTextColor : COLOR_BTNTEXT);
}

void CTkDefaultTheme::PaintStateRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                          BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition) {
    const auto sunken = [&] { Paint3dFrame(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT); };
    const auto raised = [&] { Paint3dFrame(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW); };
    // Popup items: a solid highlight; checked ones fall through to the toolbar rules (or, with full-row
    // highlight, sit on the dithered face).
    const BOOL bFullRow = m_bFullRowPopupHighlight && nBarPosition == kBarPopup;
    if (nBarType == kBarTypePopup && bFullRow && bChecked) {
        PaintDitheredRect(pDC, rc);
        sunken();
        return;
    }
    if (nBarType == kBarTypePopup && !bChecked) {
        if (bSelected || bPressed)
            PaintFramedRect(pDC, rc, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);
        return;
    }
    if (!bEnabled) {
        if (bChecked || IsKeyboardSelection(bSelected))
            sunken();
        return;
    }
    if (bChecked) {
        if (!bSelected && !bPressed)
            PaintDitheredRect(pDC, rc);
        sunken();
        return;
    }
    if (bPopuped || IsKeyboardSelection(bPressed) || (bSelected && bPressed))
        sunken();
    else if (bSelected || bPressed == 1)
        raised();
}

void CTkDefaultTheme::PaintDitheredRect(CDC* pDC, const CRect& rc) const {
    // Rows of alternating bits, each row shifted by one: a checker. Monochrome pattern rows are words.
    static const WORD kChecker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap pattern;
    pattern.CreateBitmap(8, 8, 1, 1, kChecker);
    CBrush brush;
    brush.CreatePatternBrush(&pattern);
    CScopedSaveDC saved(pDC->GetSafeHdc());
    pDC->SetBkColor(LookupColor(COLOR_BTNFACE));
    pDC->SetTextColor(LookupColor(COLOR_BTNHIGHLIGHT));
    pDC->SelectObject(&brush);
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
}

void CTkDefaultTheme::PaintDisabledIcon(CDC* pDC, CPoint pt, CSize sz, CTkImageManagerIcon* pImage) {
    if (!m_bIconEffects[1] && !pImage->IsAlphaIcon()) {
        // Embossed: a highlight silhouette one pixel down and right under a shadow one.
        pImage->DrawMono(pDC, pt.x + 1, pt.y + 1, pImage->GetNormalImage(), sz.cx, sz.cy,
                         LookupColor(COLOR_BTNHIGHLIGHT));
        pImage->DrawMono(pDC, pt.x, pt.y, pImage->GetNormalImage(), sz.cx, sz.cy, LookupColor(COLOR_BTNSHADOW));
        return;
    }
    if (m_bGeneratedDisabledIcons && !pImage->HasDisabledImage())
        pImage->CreateDisabledImage(m_grcDisabledIcon.m_firstColor.GetEffective(),
                                    m_grcDisabledIcon.m_secondColor.GetEffective());
    pImage->Draw(pDC, pt, pImage->GetDisabledImage(), sz.cx, sz.cy);
}

void CTkDefaultTheme::PaintControlIcon(CDC* pDC, CPoint pt, CSize sz, CTkImageManagerIcon* pImage, BOOL bSelected,
                                       BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL) {
    const auto draw = [&](IconStateImage* pState, CPoint at) { pImage->Draw(pDC, at, pState, sz.cx, sz.cy); };
    if (!bEnabled) {
        PaintDisabledIcon(pDC, pt, sz, pImage);
    } else if (bChecked == 2 && !bPressed) {
        // The third state: a shadow silhouette (alpha icons cannot make one and show disabled).
        if (pImage->IsAlphaIcon())
            PaintDisabledIcon(pDC, pt, sz, pImage);
        else
            pImage->DrawMono(pDC, pt.x, pt.y, pImage->GetCheckedImage(), sz.cx, sz.cy, LookupColor(COLOR_BTNSHADOW));
    } else if (bPopuped) {
        draw(bChecked ? pImage->GetCheckedImage() : pImage->GetNormalImage(), pt);
    } else if (bChecked) {
        draw(pImage->GetCheckedImage(), pt);
    } else if ((bSelected && bPressed) || (!bSelected && IsKeyboardSelection(bPressed))) {
        draw(pImage->GetPressedImage(), pt + CPoint(1, 1));
    } else if (bSelected || bPressed == 1) {
        IconStateImage* pShadow = m_bIconEffects[2] ? pImage->GetShadowImage() : nullptr;
        if (pShadow != nullptr && !pShadow->IsEmpty()) {
            draw(pShadow, pt + CPoint(1, 1));
            draw(pImage->GetHotImage(), pt - CPoint(1, 1));
        } else {
            draw(pImage->GetHotImage(), pt);
        }
    } else {
        draw(m_bIconEffects[0] ? pImage->GetFadedImage() : pImage->GetNormalImage(), pt);
    }
}

void CTkDefaultTheme::PaintSplitButton(CDC* pDC, CTkControl* pControl, const CRect& rc) {
    const ControlPaintState state(pControl);
    const auto paintParts = [&](const CRect& rcCommand, const CRect& rcDropDown) {
        PaintStateRectangle(pDC, rcCommand, state.nSelected || state.bPopuped, state.nPressed, state.bEnabled,
                            state.nChecked, FALSE, kBarTypeNormal, state.nBarPosition);
        if ((state.nSelected || state.nPressed || state.bPopuped) && state.bEnabled)
            PaintStateRectangle(pDC, rcDropDown, TRUE, FALSE, TRUE, FALSE, state.bPopuped, kBarTypeNormal,
                                state.nBarPosition);
    };
    if (state.nStyle != kButtonIconAndCaptionBelow) {
        paintParts(CRect(rc.left, rc.top, rc.right - kSplitDropDownPart, rc.bottom),
                   CRect(rc.right - kSplitDropDownPart, rc.top, rc.right, rc.bottom));
        PaintDropDownGlyph(pDC, pControl, CPoint(rc.right - 7, rc.CenterPoint().y), state.nSelected, state.bPopuped,
                           state.bGlyphEnabled, FALSE);
        return;
    }
    // A large button: the caption's strip opens the sub bar (its caption carries the glyph).
    const int nExtent = GetSplitDropDownExtent();
    if (GetTextOrientation(pControl) == 1)
        paintParts(CRect(rc.left + nExtent, rc.top, rc.right, rc.bottom),
                   CRect(rc.left, rc.top, rc.left + nExtent, rc.bottom));
    else
        paintParts(CRect(rc.left, rc.top, rc.right, rc.bottom - nExtent),
                   CRect(rc.left, rc.bottom - nExtent, rc.right, rc.bottom));
}

CSize CTkDefaultTheme::GetButtonSize(CTkCommandBar* pBar) {
    const CSize szIcon = pBar->GetIconSize();
    return CSize(std::max<LONG>(m_nControlHeight, szIcon.cx + 4), std::max<LONG>(m_nControlHeight, szIcon.cy + 4));
}

CRect CTkDefaultTheme::GetBarBorders(CTkCommandBar* pBar) {
    return pBar->GetType() == kBarTypePopup ? CRect(3, 3, 3, 3) : CTkPaintManager::GetBarBorders(pBar);
}

void CTkDefaultTheme::AdjustControlRect(CRect& rc, CTkControl* pControl, BOOL bVertical) {
    CTkCommandBar* pBar = pControl->GetParent();
    if (pControl->GetType() == kControlComboBox || pBar == nullptr)
        return;
    if (pBar->GetType() == kBarTypePopup)
        rc.DeflateRect(1, 0);
    else if (bVertical)
        rc.InflateRect(0, 1);
    else
        rc.InflateRect(1, 0);
}
