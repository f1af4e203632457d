// CTkPaintManager: measuring edit and combo-box fields and drawing their labels.
#include "TkPaintManager.h"

#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkControlField.h"
#include "TkDCWrappers.h"
#include "TkImageManagerIcon.h"
#include "TkMeasureDC.h"
#include "TkPaintManagerState.h"

namespace {

// A label is its caption plus this much; a field is " " plus this much high.
constexpr int kLabelExtra = 5;
constexpr int kFieldExtra = 7;
constexpr int kMinComboHeight = 20;
constexpr int kMinDropButtonWidth = 15;

}  // namespace

CSize CTkPaintManager::PaintEditControl(CDC* pDC, CTkControl* pEdit, BOOL bDraw) {
    return PaintFieldControl(pDC, pEdit, bDraw, FALSE);
}

CSize CTkPaintManager::PaintComboBoxControl(CDC* pDC, CTkControl* pComboBox, BOOL bDraw) {
    return PaintFieldControl(pDC, pComboBox, bDraw, TRUE);
}

// Measures the field (and stores the label and button widths on the control) and draws the label; the
// themes draw the field itself.
CSize CTkPaintManager::PaintFieldControl(CDC* pCallerDC, CTkControl* pControl, BOOL bDraw, BOOL bComboBox) {
    CTkMeasureDC measureDC(pCallerDC);
    CDC* pDC = measureDC.Get();
    if (pDC == nullptr)
        return CSize(0, 0);
    const ControlPaintState state(pControl);
    CTkCommandBar* pBar = pControl->GetParent();
    const BOOL bPopup = state.nBarType == kBarTypePopup;
    const BOOL bCaption = pControl->IsCaptionVisible();

    int nHeight = m_nExplicitControlHeight;
    if (nHeight <= 0) {
        nHeight = GetSpaceHeight(pDC, &m_fntIconTitle) + kFieldExtra;
        if (bComboBox)
            nHeight = std::max(nHeight, kMinComboHeight);
        if (bCaption)
            nHeight = std::max(nHeight, GetSpaceHeight(pDC, &m_fntRegular) + kFieldExtra);
    }
    const int nColumn = bPopup && pBar != nullptr ? GetPopupIconColumnWidth(pBar) : 0;
    const CSize szIcon = pControl->GetIconSize();
    const BOOL bIconStyle = state.nStyle == kButtonIcon || state.nStyle == kButtonIconAndCaption;
    CTkImageManagerIcon* pImage = !bPopup && bIconStyle ? pControl->GetImage(szIcon.cx) : nullptr;

    CTkFontDC font(pDC, &m_fntRegular);
    int nLabelWidth = bPopup ? nColumn + m_nPopupTextGap : 0;
    if (bCaption)
        nLabelWidth += PaintControlCaption(pDC, pControl, CRect(), FALSE, FALSE, FALSE).cx + kLabelExtra;
    // The label then starts after the icon and its gaps (6 in all), 4 later than without one.
    if (pImage != nullptr)
        nLabelWidth += szIcon.cx + 4;
    if (CTkControlField* pField = GetControlField(pControl)) {
        pField->SetLabelWidth(nLabelWidth);
        if (bComboBox)
            pField->SetDropButtonWidth(std::max(::MulDiv(nHeight, 9, 14) + 1, kMinDropButtonWidth));
    }
    const CSize size(pControl->GetWidth() + nColumn, nHeight);
    if (!bDraw)
        return size;

    if (bPopup) {
        PaintPopupControl(pDC, pControl, TRUE);
        return size;
    }
    const CRect rc = pControl->GetRect();
    int xLabel = rc.left + 2;
    if (pImage != nullptr) {
        PaintControlIcon(pDC, CPoint(rc.left + kIconInset, rc.top + (rc.Height() - szIcon.cy) / 2), szIcon, pImage,
                         FALSE, FALSE, state.bEnabled, FALSE, FALSE, TRUE);
        xLabel = rc.left + szIcon.cx + 6;
    }
    if (bCaption) {
        pDC->SetTextColor(
            GetStateTextColor(FALSE, FALSE, state.bEnabled, FALSE, FALSE, state.nBarType, state.nBarPosition));
        PaintControlCaption(pDC, pControl, CRect(xLabel, rc.top, rc.right, rc.bottom), TRUE, FALSE, FALSE);
    }
    return size;
}
