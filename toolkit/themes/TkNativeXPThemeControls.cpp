// CTkNativeXPTheme: split buttons, popup marks and icon band, control rectangles, and the edit and
// combo-box fields with their drop-down and spin buttons.
#include "TkNativeXPTheme.h"

#include "TkControlField.h"
#include "TkNativeXPThemeParts.h"
#include "TkPaintManagerState.h"

using namespace NativeXPParts;

namespace {

// The drop-down part of a toolbar split button.
constexpr int kSplitDropDown = 12;
// The pressed and selection values that name an edit's spin halves.
constexpr int kSpinUpHalf = 4;
constexpr int kSpinDownHalf = 5;
// The menu style widens the popup icon column by its gutter's margin.
constexpr int kMenuGutterMargin = 3;

}  // namespace

void CTkNativeXPTheme::PaintSplitButton(CDC* pDC, CTkControl* pControl, const CRect& rc) {
    if (!IsStyleActive()) {
        CTkDefaultTheme::PaintSplitButton(pDC, pControl, rc);
        return;
    }
    const ControlPaintState state(pControl);
    const int nState =
        SplitButtonState(state.nSelected, state.nPressed, state.bEnabled, state.nChecked, state.bPopuped);
    const CRect rcCommand(rc.left, rc.top, rc.right - kSplitDropDown, rc.bottom);
    const CRect rcDropDown(rc.right - kSplitDropDown, rc.top, rc.right, rc.bottom);
    m_themeToolbar.DrawBackground(pDC->GetSafeHdc(), kToolbarSplitButton, nState, &rcCommand, nullptr);
    m_themeToolbar.DrawBackground(pDC->GetSafeHdc(), kToolbarSplitDropDown,
                                  SplitDropDownState(state.nEnabled, state.bPopuped, nState), &rcDropDown, nullptr);
}

void CTkNativeXPTheme::PaintMark(CDC* pDC, const CRect& rc, COLORREF clr, BOOL bRadio) {
    m_themeMenu.DrawBackground(pDC->GetSafeHdc(), kMenuPopupCheck, PopupMarkState(bRadio, clr != COLOR_GRAYTEXT), &rc,
                               nullptr);
}

void CTkNativeXPTheme::PaintCheckMark(CDC* pDC, CRect rc, COLORREF clr) {
    if (IsMenuStyleActive())
        PaintMark(pDC, rc, clr, FALSE);
    else
        CTkDefaultTheme::PaintCheckMark(pDC, rc, clr);
}

void CTkNativeXPTheme::PaintRadioMark(CDC* pDC, CRect rc, COLORREF clr) {
    if (IsMenuStyleActive())
        PaintMark(pDC, rc, clr, TRUE);
    else
        CTkDefaultTheme::PaintRadioMark(pDC, rc, clr);
}

void CTkNativeXPTheme::FillPopupIconBand(CDC* pDC, int x, int y, int cx, int cy, BOOL) {
    if (!IsMenuStyleActive())
        return;
    const CRect rc(x, y, x + cx, y + cy);
    m_themeMenu.DrawBackground(pDC->GetSafeHdc(), kMenuPopupGutter, 0, &rc, nullptr);
}

int CTkNativeXPTheme::GetPopupIconColumnWidth(CTkCommandBar* pBar) {
    // A bar that is not a popup has no column (0), with or without the margin.
    const int nWidth = CTkDefaultTheme::GetPopupIconColumnWidth(pBar);
    return nWidth > 0 && IsMenuStyleActive() ? nWidth + kMenuGutterMargin : nWidth;
}

void CTkNativeXPTheme::AdjustControlRect(CRect& rc, CTkControl* pControl, BOOL bVertical) {
    if (!IsStyleActive()) {
        CTkDefaultTheme::AdjustControlRect(rc, pControl, bVertical);
        return;
    }
    CTkCommandBar* pBar = pControl->GetParent();
    if (pBar == nullptr || pControl->GetType() == kControlComboBox || pBar->GetType() != kBarTypePopup)
        return;
    rc.DeflateRect(3, 0);
    rc.InflateRect(0, 3);
}

void CTkNativeXPTheme::PaintEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected) {
    if (!m_themeComboBox.IsAppThemed()) {
        CTkDefaultTheme::PaintEditFrame(pDC, rc, bEnabled, nSelected);
        return;
    }
    COLORREF clr = 0;
    if (FAILED(m_themeComboBox.GetColor(kComboDropDownButton, bEnabled ? kStateNormal : kStateDisabled,
                                        kBorderColorProperty, &clr)))
        clr = LookupColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(&rc, clr, clr);
}

void CTkNativeXPTheme::PaintComboDropButton(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, BOOL bDropped) {
    if (!m_themeComboBox.IsAppThemed()) {
        CTkDefaultTheme::PaintComboDropButton(pDC, rc, bEnabled, nSelected, bDropped);
        return;
    }
    const CRect rcButton(rc.left - 2, rc.top + 1, rc.right - 1, rc.bottom - 1);
    m_themeComboBox.DrawBackground(pDC->GetSafeHdc(), kComboDropDownButton,
                                   ComboDropButtonState(bEnabled, nSelected, bDropped), &rcButton, nullptr);
}

void CTkNativeXPTheme::PaintSpinButtons(CDC* pDC, CTkControl* pEdit) {
    CTkControlField* pField = GetControlField(pEdit);
    if (!IsStyleActive() || pField == nullptr) {
        CTkDefaultTheme::PaintSpinButtons(pDC, pEdit);
        return;
    }
    const CRect rc = pField->GetSpinButtonsRect();
    const ControlPaintState state(pEdit);
    const int nMiddle = rc.CenterPoint().y;
    const CRect rcUp(rc.left, rc.top, rc.right, nMiddle);
    const CRect rcDown(rc.left, nMiddle, rc.right, rc.bottom);
    m_themeSpin.DrawBackground(pDC->GetSafeHdc(), kSpinUp,
                               SpinHalfState(state.bEnabled, state.nSelected, state.nPressed, kSpinUpHalf), &rcUp,
                               nullptr);
    m_themeSpin.DrawBackground(pDC->GetSafeHdc(), kSpinDown,
                               SpinHalfState(state.bEnabled, state.nSelected, state.nPressed, kSpinDownHalf), &rcDown,
                               nullptr);
}
