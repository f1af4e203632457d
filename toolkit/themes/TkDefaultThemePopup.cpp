// CTkDefaultTheme: popup-bar items and items drawn as rows of a list.
#include "TkDefaultTheme.h"

#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkDCWrappers.h"
#include "TkImageManagerIcon.h"
#include "TkMeasureDC.h"
#include "TkPaintManagerState.h"
#include "TkPaintRoutines.h"
#include "TkPopupBar.h"
#include "TkTextFunctions.h"

namespace {

// The check or radio mark of a popup item sits in a box of this size in its cell.
constexpr int kMarkBox = 20;
// The part of a popup split item that opens its sub bar.
constexpr int kPopupSplitPart = 20;
// The sub-menu arrow's tip stands this far from the item's right edge.
constexpr int kSubMenuArrow = 11;

}  // namespace

CSize CTkDefaultTheme::PaintPopupControl(CDC* pCallerDC, CTkControl* pControl, BOOL bDraw) {
    CTkCommandBar* pBar = pControl->GetParent();
    CTkMeasureDC measureDC(pCallerDC);
    CDC* pDC = measureDC.Get();
    if (!bDraw || pBar == nullptr || pDC == nullptr)
        return CTkPaintManager::PaintPopupControl(pDC, pControl, bDraw);

    CTkFontDC font(pDC, GetControlFont(pControl));
    const ControlPaintState state(pControl);
    const CRect rc = pControl->GetRect();
    const CSize szIcon = pControl->GetIconSize();
    const int nCellWidth = std::max<int>(m_nControlHeight, szIcon.cx + 4);
    CRect rcCell(rc.left, rc.top, rc.left + nCellWidth, rc.bottom);
    const CRect rcMark(CPoint(rcCell.CenterPoint().x - kMarkBox / 2, rcCell.CenterPoint().y - kMarkBox / 2),
                       CSize(kMarkBox, kMarkBox));
    auto* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, pBar);
    const BOOL bSeparateColumns = pPopupBar != nullptr && pPopupBar->IsDoubleGripper();
    const BOOL bSplit = state.nType == kControlSplitButtonPopup;
    const BOOL bOpenSplit = bSplit && state.bPopuped && state.bEnabled && state.nSelected;

    if (pControl->IsRarelyUsed()) {
        pDC->FillSolidRect(&rc, LookupColor(COLOR_3DLIGHT));
        FillPopupIconBand(pDC, rcCell.left, rcCell.top, rcCell.Width(), rcCell.Height(), TRUE);
    }
    const COLORREF clrText =
        GetStateTextColor(state.nSelected, FALSE, state.bCaptionEnabled, FALSE, FALSE, kBarTypePopup, kBarPopup);
    pDC->SetTextColor(clrText);
    if (m_bFullRowPopupHighlight && state.nSelected)
        PaintStateRectangle(pDC, rc, state.nSelected, FALSE, TRUE, FALSE, FALSE, kBarTypePopup, kBarPopup);

    int nTextLeft = rcCell.right;
    if (state.nChecked) {
        PaintStateRectangle(pDC, rcCell, state.nSelected, FALSE, state.bEnabled, state.nChecked, FALSE, kBarTypePopup,
                            kBarPopup);
        nTextLeft = rcCell.right + 1;
    }
    if (bSeparateColumns)
        rcCell.OffsetRect(nCellWidth + 1, 0);
    CTkImageManagerIcon* pImage = state.nStyle != kButtonCaption ? pControl->GetImage(szIcon.cx) : nullptr;
    if (pImage != nullptr) {
        if (!m_bFullRowPopupHighlight)
            PaintStateRectangle(pDC, rcCell, state.nSelected, state.nPressed, state.bEnabled,
                                bSeparateColumns ? FALSE : state.nChecked, state.bPopuped, kBarTypeNormal, kBarPopup);
        const CSize szDraw = ImageDrawSize(pImage, szIcon);
        PaintControlIcon(pDC, rcCell.CenterPoint() - CPoint(szDraw.cx / 2, szDraw.cy / 2), szDraw, pImage,
                         state.nSelected, state.nPressed, state.bEnabled, bSeparateColumns ? FALSE : state.nChecked,
                         state.bPopuped, FALSE);
    }
    if (state.nChecked && (bSeparateColumns || pImage == nullptr)) {
        const COLORREF clrMark = state.bEnabled ? static_cast<COLORREF>(m_nMenuTextColor) : COLOR_GRAYTEXT;
        if (state.nType == kControlRadioButton)
            PaintRadioMark(pDC, rcMark, clrMark);
        else
            PaintCheckMark(pDC, rcMark, clrMark);
    }
    pDC->SetBkMode(TRANSPARENT);
    if (state.nSelected && !m_bFullRowPopupHighlight)
        PaintStateRectangle(pDC,
                            CRect(nTextLeft, rc.top, bOpenSplit ? rc.right - kPopupSplitPart : rc.right, rc.bottom),
                            state.nSelected, state.nPressed, state.bEnabled, FALSE, FALSE, kBarTypePopup, kBarPopup);
    if (IsPopupControlType(state.nType)) {
        if (bSplit) {
            const COLORREF clrDivider = state.nSelected  ? LookupColor(COLOR_BTNSHADOW)
                                        : state.bEnabled ? LookupColor(m_nMenuTextColor)
                                                         : clrText;
            pDC->FillSolidRect(rc.right - kPopupSplitPart, rc.top + 1, 1, rc.Height() - 2, clrDivider);
            if (bOpenSplit)
                Paint3dFrame(pDC, CRect(rc.right - kPopupSplitPart, rc.top, rc.right, rc.bottom), COLOR_BTNSHADOW,
                             COLOR_BTNHIGHLIGHT);
        }
        const int x = rc.right - kSubMenuArrow;
        const int y = rc.CenterPoint().y;
        const COLORREF clrArrow = bOpenSplit && !m_bFullRowPopupHighlight ? LookupColor(m_nMenuTextColor) : clrText;
        ::FillTriangle(pDC, CPoint(x, y - 3), CPoint(x + 3, y), CPoint(x, y + 3), clrArrow);
    }
    return CTkPaintManager::PaintPopupControl(pDC, pControl, TRUE);
}

CSize CTkDefaultTheme::PaintPopupItemRow(CDC* pDC, CTkControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                                         CTkCommandBars* pCommandBars) {
    CSize szIcon(16, 16);
    if (pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->m_szIcons != CSize(0, 0))
        szIcon = pCommandBars->GetCommandBarsOptions()->m_szIcons;
    const int nCell = std::max<int>(m_nControlHeight, szIcon.cx + 4);
    const CSize szCell(nCell, nCell);
    if (!bDraw || pDC == nullptr)
        return szCell;
    pDC->FillSolidRect(&rc, LookupColor(COLOR_BTNFACE));
    if (pControl == nullptr)
        return szCell;

    const ControlPaintState state(pControl);
    const CRect rcCell(rc.left, rc.top, rc.left + nCell, rc.top + nCell);
    const BOOL bShowsImage = state.nStyle == kButtonIcon || state.nStyle == kButtonIconAndCaption ||
                             (state.nStyle == kButtonAutomatic && state.nType != kControlPopup);
    CTkImageManagerIcon* pImage = bShowsImage ? pControl->GetImage(szIcon.cx) : nullptr;
    if (pImage != nullptr) {
        PaintStateRectangle(pDC, rcCell, FALSE, FALSE, TRUE, FALSE, FALSE, kBarTypeNormal, kBarTop);
        PaintControlIcon(pDC, CPoint(rcCell.CenterPoint().x - szIcon.cx / 2, rcCell.CenterPoint().y - szIcon.cy / 2),
                         szIcon, pImage, FALSE, FALSE, TRUE, FALSE, FALSE, TRUE);
    }
    if (bSelected)
        PaintFramedRect(pDC, CRect(rcCell.right + 1, rc.top, rc.right - 1, rc.bottom), COLOR_HIGHLIGHT,
                        COLOR_HIGHLIGHT);

    CTkFontDC font(pDC, &m_fntRegular);
    CString strCaption = pControl->GetCaption();
    RemoveMnemonicMarkers(strCaption);
    if (CTkCommandBar* pBar = pControl->GetParent(); pBar != nullptr && pBar->IsLayoutRTL())
        AdjustRightToLeftCaption(strCaption);
    const COLORREF clrText = LookupColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    CRect rcText(rcCell.right + 4, rc.top, rc.right, rc.bottom);
    pDC->DrawText(strCaption, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);

    const int nMiddle = rc.CenterPoint().y;
    if (IsPopupControlType(state.nType)) {
        ::FillTriangle(pDC, CPoint(rc.right - 7, nMiddle), CPoint(rc.right - 12, nMiddle - 5),
                       CPoint(rc.right - 12, nMiddle + 5), clrText);
        if (state.nType == kControlSplitButtonPopup)
            pDC->FillSolidRect(rc.right - kPopupSplitPart, rc.top + 1, 1, rc.Height() - 2, clrText);
    }
    if (state.nType == kControlComboBox || state.nType == kControlEdit) {
        const CRect rcBox(rc.left + pDC->GetTextExtent(strCaption).cx + nCell + 9, rc.top, rc.right, rc.bottom);
        PaintFramedRect(pDC, rcBox, COLOR_WINDOW, bSelected ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        if (state.nType == kControlComboBox) {
            const CRect rcButton(rcBox.right - pDC->GetTextExtent(L" ", 1).cy - 2, rcBox.top, rcBox.right,
                                 rcBox.bottom);
            if (bSelected) {
                PaintFramedRect(pDC, rcButton, COLOR_HIGHLIGHT, COLOR_BTNFACE);
            } else {
                CRect rcFace = rcButton;
                rcFace.DeflateRect(2, 2);
                pDC->FillSolidRect(&rcFace, LookupColor(COLOR_BTNFACE));
            }
            CRect rcArrow = rcButton;
            rcArrow.DeflateRect(1, 1);
            PaintDownArrow(pDC, rcArrow, COLOR_BTNTEXT);
        }
    }
    return szCell;
}
