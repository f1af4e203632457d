// CTkRibbonTheme: edit and combo-box fields with their drop-down and spin buttons, and the text colours
// of controls.
#include "TkRibbonTheme.h"

#include "TkCommandBar.h"
#include "TkControlField.h"
#include "TkDCWrappers.h"
#include "TkOffice2007Drawing.h"
#include "TkPaintManagerState.h"
#include "TkPaintRoutines.h"

namespace {

constexpr int kWindow = COLOR_WINDOW;
constexpr int kFace = COLOR_BTNFACE;
constexpr int kHotFrame = 32;
constexpr int kDisabledText = 35;
constexpr int kPopupBack = 41;
constexpr int kMenuText = 44;
constexpr int kHotText = 45;
constexpr int kBarText = 46;
constexpr int kFieldFrame = 53;
constexpr int kDisabledBarText = 60;
// The selected and pressed values that name an edit's upper and lower spin button.
constexpr int kSpinUp = 4;
constexpr int kSpinDown = 5;
constexpr int kSpinWidth = 18;
// Spin buttons smaller than this take the small glyphs.
constexpr int kLargeSpinGlyph = 13;

BOOL IsKeyboardState(int nState) {
    return nState == 2 || nState == 3;
}

// A field's fill and frame in real colours; a colour the look does not name (-1) is not drawn.
void PaintField(CDC* pDC, const CRect& rc, COLORREF clrFill, COLORREF clrFrame) {
    if (clrFill != kColorUnset)
        pDC->FillSolidRect(&rc, clrFill);
    if (clrFrame != kColorUnset)
        pDC->Draw3dRect(&rc, clrFrame, clrFrame);
}

}  // namespace

COLORREF CTkRibbonTheme::GetEditBackColor(CTkControl* pEdit) {
    const ControlPaintState state(pEdit);
    if (!state.bEnabled)
        return LookupColor(kFace);
    if (state.nSelected)
        return LookupColor(kWindow);
    return state.nBarType == kBarTypePopup ? LookupColor(kPopupBack) : m_clrEditFace;
}

CSize CTkRibbonTheme::PaintComboBoxControl(CDC* pDC, CTkControl* pComboBox, BOOL bDraw) {
    CTkControlField* pField = GetControlField(pComboBox);
    if (!bDraw || pDC == nullptr || pField == nullptr)
        return CTkPaintManager::PaintComboBoxControl(pDC, pComboBox, bDraw);
    CTkFontDC font(pDC, &m_fntIconTitle);
    CTkPaintManager::PaintComboBoxControl(pDC, pComboBox, TRUE);
    const ControlPaintState state(pComboBox);
    const CRect rcField = GetFieldRect(pComboBox);
    const BOOL bDropped = pField->IsDropped();
    int nButtonState = 0;
    COLORREF clrFill = state.nBarType == kBarTypePopup ? kColorUnset : m_clrEditFace;
    if (!state.bEnabled) {
        clrFill = LookupColor(kFace);
        nButtonState = 4;
    } else if (bDropped) {
        clrFill = LookupColor(kWindow);
        nButtonState = 3;
    } else if (state.nSelected) {
        clrFill = LookupColor(kWindow);
        const BOOL bMouseOverEditable = pField->IsEditable() && !pField->IsEditFocused() && state.nSelected == 1;
        nButtonState = bMouseOverEditable ? 1 : 2;
    }
    PaintField(pDC, rcField, clrFill, LookupColor(kFieldFrame));
    const CRect rcButton(rcField.right - pField->GetDropButtonWidth(), rcField.top + 1, rcField.right,
                         rcField.bottom - 1);
    DrawLookImage(pDC, L"TOOLBARBUTTONSCOMBODROPDOWN", rcButton, nButtonState, 5, CRect(2, 2, 2, 2), TRUE);
    pField->DrawFieldText(pDC, CRect(rcField.left + 3, rcField.top + 1, rcButton.left, rcField.bottom - 1));
    PaintDropDownGlyph(pDC, pComboBox, rcButton.CenterPoint(), state.nSelected, bDropped, state.bEnabled, FALSE);
    if (pComboBox->IsInGlassCaption())
        MakeRectOpaque(pDC, pComboBox->GetRect());
    return CSize(0, 0);
}

CSize CTkRibbonTheme::PaintEditControl(CDC* pDC, CTkControl* pEdit, BOOL bDraw) {
    CTkControlField* pField = GetControlField(pEdit);
    if (!bDraw || pDC == nullptr || pField == nullptr)
        return CTkPaintManager::PaintEditControl(pDC, pEdit, bDraw);
    const ControlPaintState state(pEdit);
    const BOOL bPopup = state.nBarType == kBarTypePopup;
    int nText = state.bEnabled ? kBarText : kDisabledBarText;
    if (bPopup)
        nText = !state.bEnabled ? kDisabledText : state.nSelected ? kHotText : kMenuText;
    pDC->SetTextColor(LookupColor(nText));
    CTkPaintManager::PaintEditControl(pDC, pEdit, TRUE);

    const CRect rcField = GetFieldRect(pEdit);
    if (!state.bEnabled)
        PaintField(pDC, rcField, LookupColor(kFace),
                   LookupColor(IsKeyboardState(state.nSelected) ? kHotFrame : kFieldFrame));
    else if (state.nSelected)
        PaintField(pDC, rcField, LookupColor(kWindow), LookupColor(kFieldFrame));
    else
        PaintField(pDC, rcField, bPopup ? kColorUnset : m_clrEditFace, LookupColor(kFieldFrame));
    CTkFontDC font(pDC, &m_fntIconTitle);
    CRect rcText = rcField;
    rcText.DeflateRect(3, 3);
    pField->DrawFieldText(pDC, rcText);

    if (!pField->GetSpinButtonsRect().IsRectEmpty()) {
        const int nMiddle = (rcField.top + rcField.bottom) / 2;
        const CRect rcUp(rcField.right - kSpinWidth, rcField.top + 1, rcField.right - 1, nMiddle);
        const CRect rcDown(rcField.right - kSpinWidth, nMiddle, rcField.right - 1, rcField.bottom - 1);
        const int nSelected = state.nSelected;
        const int nPressed = state.nPressed;
        // Buttons: disabled, pressed, hot, the field selected elsewhere, idle (the lower button 5 on).
        const auto buttonState = [&](int nButton) {
            if (!state.bEnabled)
                return 4;
            if (nSelected == nButton)
                return nPressed == nButton ? 3 : 2;
            return nSelected ? 1 : 0;
        };
        // Glyphs: disabled, the button selected or pressed, the field selected elsewhere, idle.
        const auto glyphState = [&](int nButton) {
            if (!state.bEnabled)
                return 3;
            if (nSelected == nButton || nPressed == nButton)
                return 2;
            return nSelected ? 1 : 0;
        };
        DrawLookImage(pDC, L"TOOLBARBUTTONSPINARROWSVERTICAL", rcUp, buttonState(kSpinUp), 10, CRect(0, 0, 0, 0), TRUE);
        DrawLookImage(pDC, L"TOOLBARBUTTONSPINARROWSVERTICAL", rcDown, 5 + buttonState(kSpinDown), 10,
                      CRect(0, 0, 0, 0), TRUE);
        LPCTSTR lpszGlyphs = rcUp.Width() < kLargeSpinGlyph || rcUp.Height() < kLargeSpinGlyph
                                 ? L"TOOLBARBUTTONSPINARROWGLYPHS"
                                 : L"CONTROLGALLERYSCROLLARROWGLYPHS";
        DrawLookImageCentered(pDC, lpszGlyphs, rcUp, glyphState(kSpinUp), 16);
        DrawLookImageCentered(pDC, lpszGlyphs, rcDown, 4 + glyphState(kSpinDown), 16);
    }
    if (pEdit->IsInGlassCaption())
        MakeRectOpaque(pDC, pEdit->GetRect());
    return CSize(0, 0);
}

namespace {

// The frame window of the bar is maximised.
BOOL IsFrameMaximized(CTkCommandBar* pBar) {
    CFrameWnd* pFrame = pBar->GetSiteFrame();
    return pFrame != nullptr && (pFrame->GetStyle() & WS_MAXIMIZE) != 0;
}

}  // namespace

// Controls placed on a ribbon outside its groups (the quick-access row, the caption) take the ribbon's
// text colours; everything else the base's.
COLORREF CTkRibbonTheme::GetControlTextColor(CTkControl* pControl) {
    CTkCommandBar* pBar = pControl->GetParent();
    if (pBar == nullptr || !pBar->IsRibbonBar() || pControl->GetRibbonGroup() != nullptr)
        return CTkOffice2007Theme::GetControlTextColor(pControl);
    const ControlPaintState state(pControl);
    if (!state.bCaptionEnabled)
        return m_clrRibbonGrayText;
    COLORREF clrEnabled = m_clrRibbonText;
    if (pControl->IsInGlassCaption())
        clrEnabled = IsFrameMaximized(pBar) ? RGB(255, 255, 255) : RGB(0, 0, 0);
    const BOOL bAlwaysRibbonText =
        IsPopupControlType(state.nType) || state.nType == kControlCheckBox || state.nType == kControlRadioButton;
    if (bAlwaysRibbonText || (!state.nSelected && !state.nPressed && !state.nChecked && !state.bPopuped))
        return clrEnabled;
    return CTkOffice2007Theme::GetControlTextColor(pControl);
}

COLORREF CTkRibbonTheme::GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                           int nBarType, int) {
    if (nBarType == kBarTypePopup)
        return LookupColor(bEnabled ? kMenuText : kDisabledText);
    if (nBarType == kBarTypeMenuBar && bEnabled && !bSelected && !bPressed && !bChecked && !bPopuped)
        return m_clrMenuBarText;
    return LookupColor(bEnabled ? kBarText : kDisabledBarText);
}
