// CTkPaintManager: the text part of a popup-bar item (caption, shortcut, description line).
#include "TkPaintManager.h"

#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkDCWrappers.h"
#include "TkMeasureDC.h"
#include "TkPaintManagerState.h"
#include "TkTextFunctions.h"

namespace {

// Room kept right of the shortcut text (the sub-menu arrow's place).
constexpr int kShortcutEndGap = 19;
// Room a popup item keeps beyond its texts, column and gap.
constexpr int kPopupItemExtra = 32;

}  // namespace

// The caption and shortcut of a popup item, in the DC's text colour; the theme painted the row first.
CSize CTkPaintManager::PaintPopupControl(CDC* pCallerDC, CTkControl* pControl, BOOL bDraw) {
    CTkCommandBar* pBar = pControl->GetParent();
    CTkMeasureDC measureDC(pCallerDC);
    CDC* pDC = measureDC.Get();
    if (pBar == nullptr || pDC == nullptr)
        return CSize(0, 0);
    CTkFontDC font(pDC, GetControlFont(pControl));
    const ControlPaintState state(pControl);
    int nColumn = GetPopupIconColumnWidth(pBar) - 1;
    if (state.nType == kControlLabel && !m_bLabelIcons && pControl->GetImage(pControl->GetIconSize().cx) == nullptr)
        nColumn = 0;

    const CRect rc = bDraw ? pControl->GetRect() : CRect(0, 0, 0, 0);
    CRect rcText(rc.left + m_nPopupTextGap + nColumn, rc.top, rc.right, rc.bottom);
    const CRect rcShortcut(rc.left + nColumn + 8, rc.top, rc.right - kShortcutEndGap, rc.bottom);
    const CString strShortcut = state.nType == kControlButton ? pControl->GetShortcutText() : CString();
    const int nShortcutWidth = strShortcut.IsEmpty() ? 0 : pDC->GetTextExtent(strShortcut).cx;
    if (!strShortcut.IsEmpty())
        rcText.right -= nShortcutWidth + kShortcutEndGap;

    const BOOL bCues = IsKeyboardCuesShown(pBar);
    CString strCaption = pControl->GetCaption();
    CString strStripped = strCaption;
    RemoveMnemonicMarkers(strStripped);
    if (!bCues)
        strCaption = strStripped;
    const UINT nFormat = DT_END_ELLIPSIS | (bCues ? 0 : DT_NOPREFIX);
    const int nFixedWidth = m_nPopupTextGap + nColumn + kPopupItemExtra;

    const CString strDescription = pControl->GetDescription();
    if (state.nStyle == kButtonCaptionAndDescription && !strDescription.IsEmpty()) {
        font.SetFont(&m_fntRegularBold);
        const CSize szCaption = pDC->GetTextExtent(strStripped);
        const CRect rcCaption(rcText.left, rc.top, rcText.right, rc.top + szCaption.cy + 10);
        if (bDraw) {
            PaintControlText(pDC, strCaption, rcCaption, nFormat, TRUE, state.nSelected, state.bCaptionEnabled);
            if (!strShortcut.IsEmpty())
                PaintControlText(pDC, strShortcut,
                                 CRect(rcShortcut.left, rcCaption.top, rcShortcut.right, rcCaption.bottom), DT_RIGHT,
                                 TRUE, state.nSelected, state.bCaptionEnabled);
        }
        font.SetFont(&m_fntRegular);
        const CSize szDescription = pDC->GetTextExtent(strDescription);
        if (bDraw) {
            CRect rcDescription(rcText.left, rcCaption.bottom, rc.right - kShortcutEndGap, rc.bottom);
            pDC->DrawText(strDescription, &rcDescription, DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        const CSize size(std::max(m_nPopupTextGap + (szDescription.cx + 20) / 2 + nColumn + kPopupItemExtra,
                                  szCaption.cx + nShortcutWidth + nFixedWidth),
                         std::max<LONG>(pControl->GetButtonSize().cy, szCaption.cy + 2 * szDescription.cy + 19));
        return ApplyExplicitSize(pControl, size, FALSE);
    }

    if (bDraw) {
        PaintControlText(pDC, strCaption, rcText, nFormat, TRUE, state.nSelected, state.bCaptionEnabled);
        if (!strShortcut.IsEmpty())
            PaintControlText(pDC, strShortcut, rcShortcut, DT_RIGHT, TRUE, state.nSelected, state.bCaptionEnabled);
    }
    const BOOL bLabelRow = state.nType == kControlLabel && state.nStyle <= kButtonCaption;
    const CSize size(pDC->GetTextExtent(strStripped).cx + nShortcutWidth + nFixedWidth,
                     bLabelRow ? m_nControlHeight : pControl->GetButtonSize().cy);
    return ApplyExplicitSize(pControl, size, FALSE);
}
