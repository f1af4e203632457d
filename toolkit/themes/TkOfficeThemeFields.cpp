// CTkOfficeTheme: edit and combo-box fields, their drop-down button and spin buttons.
#include "TkOfficeTheme.h"

#include "TkControlField.h"
#include "TkDCWrappers.h"
#include "TkPaintManagerState.h"

namespace {

constexpr int kWindow = COLOR_WINDOW;
constexpr int kFace = COLOR_BTNFACE;
constexpr int kSpinArrowDisabled = 17;
constexpr int kSpinArrow = 18;
constexpr int kHotFill = 31;
constexpr int kHotFrame = 32;
constexpr int kPushedFill = 33;
constexpr int kDisabledFrame = 40;
constexpr int kHotText = 45;
constexpr int kBarText = 46;
constexpr int kPushedText = 47;
constexpr int kPopupFieldFrame = 53;
// The pressed values of an edit's spin buttons.
constexpr int kSpinUpPressed = 4;
constexpr int kSpinDownPressed = 5;
// The spin buttons' part at the right of the field.
constexpr int kSpinWidth = 16;

BOOL IsKeyboardState(int nState) {
    return nState == 2 || nState == 3;
}

}  // namespace

CRect CTkOfficeTheme::GetFieldRect(CTkControl* pControl) const {
    CRect rc = pControl->GetRect();
    if (CTkControlField* pField = GetControlField(pControl))
        rc.left += pField->GetLabelWidth();
    return rc;
}

CSize CTkOfficeTheme::PaintEditControl(CDC* pDC, CTkControl* pEdit, BOOL bDraw) {
    const CSize size = CTkPaintManager::PaintEditControl(pDC, pEdit, bDraw);
    CTkControlField* pField = GetControlField(pEdit);
    if (!bDraw || pDC == nullptr || pField == nullptr)
        return size;
    const ControlPaintState state(pEdit);
    const CRect rcField = GetFieldRect(pEdit);
    const CRect rcSpin = pField->GetSpinButtonsRect();
    if (state.bEnabled) {
        const int nRightGap = rcSpin.IsRectEmpty() ? 1 : kSpinWidth + 1;
        pDC->FillSolidRect(rcField.left + 1, rcField.top + 1, rcField.Width() - 1 - nRightGap, rcField.Height() - 2,
                           LookupColor(kWindow));
        if (state.nSelected)
            PaintFramedRect(pDC, rcField, kHotFrame, kColorUnset);
        else if (state.nBarType == kBarTypePopup)
            PaintFramedRect(pDC, rcField, kPopupFieldFrame, kColorUnset);
    } else {
        PaintFramedRect(pDC, CRect(rcField.left + 1, rcField.top, rcField.right, rcField.bottom),
                        IsKeyboardState(state.nSelected) ? kHotFrame : kDisabledFrame, kFace);
    }
    CTkFontDC font(pDC, &m_fntIconTitle);
    pField->DrawFieldText(pDC, CRect(rcField.left + 3, rcField.top + 1, rcField.right - 3, rcField.bottom - 1));
    if (rcSpin.IsRectEmpty())
        return size;

    const int nMiddle = rcSpin.CenterPoint().y;
    if (state.bEnabled && state.nSelected) {
        pDC->FillSolidRect(&rcSpin, LookupColor(kHotFill));
        if (state.nPressed == kSpinUpPressed)
            pDC->FillSolidRect(rcSpin.left, rcSpin.top, rcSpin.Width(), nMiddle - rcSpin.top, LookupColor(kPushedFill));
        else if (state.nPressed == kSpinDownPressed)
            pDC->FillSolidRect(rcSpin.left, nMiddle, rcSpin.Width(), rcSpin.bottom - nMiddle, LookupColor(kPushedFill));
        PaintVerticalLine(pDC, rcSpin.left, rcSpin.top, rcSpin.bottom, kHotFrame);
        PaintHorizontalLine(pDC, rcSpin.left, nMiddle, rcSpin.right, kHotFrame);
    } else if (state.bEnabled) {
        PaintFramedRect(pDC, rcSpin, kWindow, kColorUnset);
    }
    // Tips at the centre of each half, bases two pixels away and two pixels either side.
    const COLORREF clrArrow = state.bEnabled ? kSpinArrow : kSpinArrowDisabled;
    const int x = rcSpin.CenterPoint().x;
    const int yUp = (rcSpin.top + nMiddle) / 2;
    const int yDown = (nMiddle + rcSpin.bottom) / 2;
    FillTriangle(pDC, CPoint(x, yUp), CPoint(x - 2, yUp + 2), CPoint(x + 2, yUp + 2), clrArrow);
    FillTriangle(pDC, CPoint(x, yDown), CPoint(x - 2, yDown - 2), CPoint(x + 2, yDown - 2), clrArrow);
    return size;
}

CSize CTkOfficeTheme::PaintComboBoxControl(CDC* pDC, CTkControl* pComboBox, BOOL bDraw) {
    const CSize size = CTkPaintManager::PaintComboBoxControl(pDC, pComboBox, bDraw);
    CTkControlField* pField = GetControlField(pComboBox);
    if (!bDraw || pDC == nullptr || pField == nullptr)
        return size;
    CTkFontDC font(pDC, &m_fntRegular);
    const ControlPaintState state(pComboBox);
    const CRect rcField = GetFieldRect(pComboBox);
    const CRect rcButton(rcField.right - pField->GetDropButtonWidth(), rcField.top, rcField.right, rcField.bottom);
    CRect rcInsetButton = rcButton;
    rcInsetButton.DeflateRect(1, 1);
    const BOOL bDropped = pField->IsDropped();
    if (state.bEnabled) {
        PaintFramedRect(pDC, CRect(rcField.left + 1, rcField.top + 1, rcButton.left + 1, rcField.bottom - 1), kWindow,
                        kWindow);
        if (state.nSelected) {
            PaintFramedRect(pDC, rcField, kHotFrame, kWindow);
            PaintStateRectangle(pDC, rcButton, state.nSelected, bDropped, TRUE, FALSE, FALSE, kBarTypeNormal,
                                state.nBarPosition);
        } else if (state.nBarType == kBarTypePopup) {
            PaintFramedRect(pDC, rcField, kPopupFieldFrame, kColorUnset);
            PaintFramedRect(pDC, rcInsetButton, kWindow, kPopupFieldFrame);
        } else {
            PaintFramedRect(pDC, rcInsetButton, kWindow, kColorUnset);
        }
    } else {
        PaintFramedRect(pDC, CRect(rcField.left + 1, rcField.top, rcField.right, rcField.bottom),
                        IsKeyboardState(state.nSelected) ? kHotFrame : kDisabledFrame, kFace);
    }
    pField->DrawFieldText(pDC, CRect(rcField.left + 3, rcField.top + 1, rcButton.left, rcField.bottom - 1));
    const int nArrow = !state.bEnabled   ? kDisabledFrame
                       : bDropped        ? kPushedText
                       : state.nSelected ? kHotText
                                         : kBarText;
    PaintDownArrow(pDC, rcInsetButton, static_cast<COLORREF>(nArrow));
    return size;
}
