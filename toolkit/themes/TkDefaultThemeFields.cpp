// CTkDefaultTheme: edit and combo-box fields, their drop-down button and spin buttons.
#include "TkDefaultTheme.h"

#include "TkControlField.h"
#include "TkDCWrappers.h"
#include "TkPaintManagerState.h"

namespace {

// The pressed values of an edit's spin buttons.
constexpr int kSpinUpPressed = 4;
constexpr int kSpinDownPressed = 5;

}  // namespace

CSize CTkDefaultTheme::PaintEditControl(CDC* pDC, CTkControl* pEdit, BOOL bDraw) {
    const CSize size = CTkPaintManager::PaintEditControl(pDC, pEdit, bDraw);
    CTkControlField* pField = GetControlField(pEdit);
    if (!bDraw || pDC == nullptr || pField == nullptr)
        return size;
    const ControlPaintState state(pEdit);
    CRect rcField = pEdit->GetRect();
    rcField.left += pField->GetLabelWidth();
    if (state.bEnabled)
        PaintFramedRect(pDC, CRect(rcField.left + 1, rcField.top + 1, rcField.right - 1, rcField.bottom - 1),
                        COLOR_WINDOW, COLOR_WINDOW);
    PaintEditFrame(pDC, rcField, state.bEnabled, state.nSelected);
    CTkFontDC font(pDC, &m_fntIconTitle);
    pField->DrawFieldText(pDC, CRect(rcField.left + 3, rcField.top + 1, rcField.right - 3, rcField.bottom - 1));
    if (!pField->GetSpinButtonsRect().IsRectEmpty())
        PaintSpinButtons(pDC, pEdit);
    return size;
}

CSize CTkDefaultTheme::PaintComboBoxControl(CDC* pDC, CTkControl* pComboBox, BOOL bDraw) {
    CTkControlField* pField = GetControlField(pComboBox);
    if (!bDraw || pDC == nullptr || pField == nullptr)
        return CTkPaintManager::PaintComboBoxControl(pDC, pComboBox, bDraw);
    CTkFontDC font(pDC, &m_fntIconTitle);
    const CSize size = CTkPaintManager::PaintComboBoxControl(pDC, pComboBox, TRUE);
    const ControlPaintState state(pComboBox);
    CRect rcField = pComboBox->GetRect();
    rcField.left += pField->GetLabelWidth();
    const CRect rcButton(rcField.right - pField->GetDropButtonWidth(), rcField.top, rcField.right, rcField.bottom);
    if (state.bEnabled)
        PaintFramedRect(pDC, CRect(rcField.left + 1, rcField.top + 1, rcField.right - 1, rcField.bottom - 1),
                        COLOR_WINDOW, COLOR_WINDOW);
    pField->DrawFieldText(pDC, CRect(rcField.left + 3, rcField.top + 1, rcButton.left + 1, rcField.bottom - 1));
    PaintComboDropButton(pDC, rcButton, state.bEnabled, state.nSelected, pField->IsDropped());
    PaintEditFrame(pDC, rcField, state.bEnabled, state.nSelected);
    return size;
}

void CTkDefaultTheme::PaintEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected) {
    const CRect rcInner(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1);
    if (bEnabled) {
        if (nSelected)
            Paint3dFrame(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        Paint3dFrame(pDC, rcInner, COLOR_BTNFACE, COLOR_BTNFACE);
        return;
    }
    const COLORREF clr = nSelected == 2 || nSelected == 3 ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
    Paint3dFrame(pDC, rcInner, clr, clr);
}

void CTkDefaultTheme::PaintComboDropButton(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, BOOL bDropped) {
    const CRect rcButton(rc.left + 1, rc.top + 2, rc.right - 2, rc.bottom - 2);
    if (bEnabled)
        pDC->FillSolidRect(&rcButton, LookupColor(COLOR_BTNFACE));
    CRect rcArrow = rcButton;
    if (bDropped) {
        PaintVerticalLine(pDC, rcButton.left - 1, rcButton.top, rcButton.bottom, COLOR_BTNFACE);
        Paint3dFrame(pDC, rcButton, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        rcArrow.OffsetRect(1, 1);
    } else if (nSelected) {
        PaintVerticalLine(pDC, rcButton.left - 1, rcButton.top, rcButton.bottom, COLOR_BTNFACE);
        Paint3dFrame(pDC, rcButton, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    } else {
        Paint3dFrame(pDC, rcButton, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT);
    }
    PaintDownArrow(pDC, rcArrow, COLOR_BTNTEXT);
}

void CTkDefaultTheme::PaintSpinButtons(CDC* pDC, CTkControl* pEdit) {
    CTkControlField* pField = GetControlField(pEdit);
    if (pField == nullptr)
        return;
    const CRect rc = pField->GetSpinButtonsRect();
    const ControlPaintState state(pEdit);
    const int nMiddle = rc.CenterPoint().y;
    const CRect rcUp(rc.left + 1, rc.top + 1, rc.right - 1, nMiddle);
    const CRect rcDown(rc.left + 1, nMiddle, rc.right - 1, rc.bottom - 1);
    if (state.bEnabled && state.nSelected) {
        pDC->FillSolidRect(&rc, LookupColor(COLOR_BTNFACE));
        // The pressed half is sunken, the other raised.
        const auto paintHalf = [&](const CRect& rcHalf, BOOL bPressed) {
            Paint3dFrame(pDC, rcHalf, bPressed ? COLOR_BTNSHADOW : COLOR_WINDOW,
                         bPressed ? COLOR_WINDOW : COLOR_BTNSHADOW);
        };
        paintHalf(rcUp, state.nPressed == kSpinUpPressed);
        paintHalf(rcDown, state.nPressed == kSpinDownPressed);
    } else if (state.bEnabled) {
        PaintFramedRect(pDC, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), COLOR_WINDOW, COLOR_BTNFACE);
    }
    const COLORREF clrArrow = state.bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
    const CPoint ptUp = rcUp.CenterPoint();
    const CPoint ptDown = rcDown.CenterPoint();
    FillTriangle(pDC, CPoint(ptUp.x - 2, ptUp.y + 1), CPoint(ptUp.x + 2, ptUp.y + 1), CPoint(ptUp.x, ptUp.y - 1),
                 clrArrow);
    FillTriangle(pDC, CPoint(ptDown.x - 2, ptDown.y - 1), CPoint(ptDown.x + 2, ptDown.y - 1),
                 CPoint(ptDown.x, ptDown.y + 1), clrArrow);
}
