// CTkOfficeTheme: popup-bar items, items drawn as rows of a list, and the parts of popup items the Office
// family shares (split divider, sub-menu arrow, label rows, icon band).
#include "TkOfficeTheme.h"

#include "TkColorManager.h"
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

constexpr int kWindow = COLOR_WINDOW;
constexpr int kFace = COLOR_BTNFACE;
constexpr int kShadow = COLOR_BTNSHADOW;
constexpr int kBarFace = 30;
constexpr int kPushedFill = 33;
constexpr int kHotFrame = 32;
constexpr int kCheckedFill = 36;
constexpr int kDisabledIcon = 40;
constexpr int kPopupBack = 41;
constexpr int kRarelyUsedBand = 42;
constexpr int kHotText = 45;
constexpr int kBarText = 46;
constexpr int kPushedText = 47;
constexpr int kLabelRow = 56;
// Slot 0 of the colour table is black; white is passed as a literal colour.
constexpr COLORREF kBlackSlot = 0;
constexpr COLORREF kWhite = RGB(255, 255, 255);
// A check mark is black while it stands out from the checked fill by more than this.
constexpr float kCheckMarkContrast = 50.0f;

}  // namespace

CSize CTkOfficeTheme::PaintPopupControl(CDC* pCallerDC, CTkControl* pControl, BOOL bDraw) {
    CTkCommandBar* pBar = pControl->GetParent();
    if (!bDraw || pBar == nullptr || pCallerDC == nullptr)
        return CTkPaintManager::PaintPopupControl(pCallerDC, pControl, bDraw);
    CDC* pDC = pCallerDC;
    CTkFontDC font(pDC, GetControlFont(pControl));
    const ControlPaintState state(pControl);
    const CRect rc = pControl->GetRect();
    const int nColumn = GetPopupIconColumnWidth(pBar);
    const BOOL bIconBand = (pBar->GetBarStyle() & kBarStyleGripper) != 0;
    auto* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, pBar);
    const BOOL bDoubleGutter = pPopupBar != nullptr && pPopupBar->IsDoubleGripper();

    const CSize szIcon = GetControlBoxSize(pControl);
    CTkImageManagerIcon* pImage = state.nStyle != kButtonCaption ? pControl->GetImage(szIcon.cx) : nullptr;
    const int nSquare = std::max<int>(szIcon.cx + 4, m_nControlHeight + 4);

    if (pControl->IsRarelyUsed() && rc.left < nColumn)
        FillPopupIconBand(pDC, rc.left - 1, rc.top, nColumn, rc.Height(), TRUE);
    if (state.nType == kControlLabel) {
        const BOOL bBeside = bIconBand && rc.left <= nColumn && m_bLabelIcons;
        FillLabelRow(pDC, CRect(bBeside ? rc.left + nColumn : rc.left, rc.top, rc.right, rc.bottom));
    } else {
        PaintStateRectangle(pDC, rc, state.nSelected, FALSE, state.bEnabled, FALSE, FALSE, kBarTypePopup, kBarPopup);
    }
    if (state.nType == kControlSplitButtonPopup)
        PaintSplitDivider(pDC, pControl);

    // The check square sits in the first column; with the double gutter the icon has a column of its own.
    CRect rcIcon(rc.left, rc.top, rc.left + nSquare, rc.bottom);
    if (!bIconBand)
        rcIcon.OffsetRect(m_nPopupTextGap / 2, 0);
    const CPoint ptCentre = rcIcon.CenterPoint();
    const CRect rcCheck(CPoint(ptCentre.x - (szIcon.cx + 4) / 2, ptCentre.y - (szIcon.cy + 4) / 2),
                        CSize(szIcon.cx + 4, szIcon.cy + 4));
    if (bDoubleGutter)
        rcIcon.OffsetRect(nSquare, 0);
    if (state.nChecked)
        PaintStateRectangle(pDC, rcCheck, state.nSelected, FALSE, state.bEnabled, state.nChecked, FALSE, kBarTypePopup,
                            kBarPopup);
    if (pImage != nullptr) {
        const CSize szDraw = ImageDrawSize(pImage, szIcon);
        PaintControlIcon(pDC, rcIcon.CenterPoint() - CPoint(szDraw.cx / 2, szDraw.cy / 2), szDraw, pImage,
                         state.nSelected, FALSE, state.bEnabled, state.nChecked, FALSE, FALSE);
    }
    if (state.nChecked && (bDoubleGutter || pImage == nullptr)) {
        COLORREF clrMark = static_cast<COLORREF>(kDisabledIcon);
        if (state.bEnabled)
            clrMark =
                CTkColorManager::IsColorDistanceAbove(RGB(0, 0, 0), LookupColor(kCheckedFill), TRUE, kCheckMarkContrast)
                    ? kBlackSlot
                    : kWhite;
        if (state.nType == kControlRadioButton)
            PaintRadioMark(pDC, rcCheck, clrMark);
        else
            PaintCheckMark(pDC, rcCheck, clrMark);
    }
    pDC->SetTextColor(GetControlTextColor(pControl));
    pDC->SetBkMode(TRANSPARENT);
    if (IsPopupControlType(state.nType))
        PaintSubmenuArrow(pDC, pControl);
    return CTkPaintManager::PaintPopupControl(pDC, pControl, TRUE);
}

void CTkOfficeTheme::PaintSplitDivider(CDC* pDC, CTkControl* pControl) {
    const ControlPaintState state(pControl);
    const CRect& rc = pControl->GetRect();
    const CRect rcArrow(rc.right - m_nPopupSplitWidth, rc.top, rc.right, rc.bottom);
    if (state.bPopuped && state.nSelected && state.bEnabled) {
        PaintFramedRect(pDC, rcArrow, kHotFrame, kPushedFill);
        return;
    }
    const COLORREF clr =
        !state.bEnabled ? GetControlTextColor(pControl) : LookupColor(state.nSelected ? kHotFrame : kShadow);
    pDC->FillSolidRect(rcArrow.left, rc.top + 1, 1, rc.Height() - 2, clr);
}

void CTkOfficeTheme::PaintSubmenuArrow(CDC* pDC, CTkControl* pControl) {
    const ControlPaintState state(pControl);
    const CRect& rc = pControl->GetRect();
    const int c = rc.CenterPoint().y;
    const BOOL bOpenSplit =
        state.nType == kControlSplitButtonPopup && state.bEnabled && state.bPopuped && state.nSelected;
    const COLORREF clr = bOpenSplit ? LookupColor(kPushedText) : GetControlTextColor(pControl);
    ::FillTriangle(pDC, CPoint(rc.right - 11, c - 3), CPoint(rc.right - 8, c), CPoint(rc.right - 11, c + 3), clr);
}

void CTkOfficeTheme::FillLabelRow(CDC* pDC, CRect rc) {
    pDC->FillSolidRect(&rc, LookupColor(kLabelRow));
}

void CTkOfficeTheme::FillPopupIconBand(CDC* pDC, int x, int y, int cx, int cy, BOOL bRarelyUsed) {
    pDC->FillSolidRect(x, y, cx, cy, LookupColor(bRarelyUsed ? kRarelyUsedBand : kBarFace));
}

CSize CTkOfficeTheme::PaintPopupItemRow(CDC* pDC, CTkControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                                        CTkCommandBars* pCommandBars) {
    CSize szIcon = GetIconSize(FALSE);
    if (pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->m_szPopupIcons != CSize(0, 0))
        szIcon = pCommandBars->GetCommandBarsOptions()->m_szPopupIcons;
    const int nBand = std::max<int>(szIcon.cx + 4, m_nControlHeight + 4);
    const CSize size(nBand, std::max<int>(szIcon.cy + 6, m_nControlHeight));
    if (!bDraw || pDC == nullptr)
        return size;
    pDC->FillSolidRect(&rc, LookupColor(kPopupBack));
    FillPopupIconBand(pDC, 0, rc.top, nBand + 1, rc.Height(), FALSE);
    if (pControl == nullptr)
        return CSize(0, 0);

    const ControlPaintState state(pControl);
    if (bSelected)
        PaintStateRectangle(pDC, rc, bSelected, FALSE, TRUE, FALSE, FALSE, kBarTypePopup, kBarPopup);
    const BOOL bShowsImage = state.nStyle == kButtonIcon || state.nStyle == kButtonIconAndCaption ||
                             (state.nStyle == kButtonAutomatic && state.nType != kControlPopup);
    if (CTkImageManagerIcon* pImage = bShowsImage ? pControl->GetImage(szIcon.cx) : nullptr) {
        const CPoint ptCentre(rc.left + nBand / 2, rc.CenterPoint().y);
        PaintControlIcon(pDC, ptCentre - CPoint(szIcon.cx / 2, szIcon.cy / 2), szIcon, pImage, bSelected, FALSE, TRUE,
                         FALSE, FALSE, FALSE);
    }

    CTkFontDC font(pDC, &m_fntRegular);
    CString strCaption = pControl->GetCaption();
    RemoveMnemonicMarkers(strCaption);
    const COLORREF clrText = GetStateTextColor(bSelected, FALSE, TRUE, FALSE, FALSE, kBarTypePopup, kBarPopup);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    CRect rcText(rc.left + nBand + 8, rc.top, rc.right, rc.bottom);
    const int nMiddle = rc.CenterPoint().y;
    if (IsPopupControlType(state.nType)) {
        ::FillTriangle(pDC, CPoint(rc.right - 7, nMiddle), CPoint(rc.right - 12, nMiddle - 5),
                       CPoint(rc.right - 12, nMiddle + 5), clrText);
        rcText.right -= 7;
        if (state.nType == kControlSplitButtonPopup) {
            PaintVerticalLine(pDC, rc.right - 20, rc.top, rc.bottom, bSelected ? kHotFrame : kShadow);
            rcText.right = rc.right - 20;
        }
    }
    pDC->DrawText(strCaption, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);

    if (state.nType == kControlComboBox || state.nType == kControlEdit) {
        const CRect rcBox(rc.left + pDC->GetTextExtent(strCaption).cx + nBand + 13, rc.top, rc.right, rc.bottom);
        PaintFramedRect(pDC, rcBox, bSelected ? kHotFrame : kFace, kWindow);
        if (state.nType == kControlComboBox) {
            const CRect rcButton(rcBox.right - pDC->GetTextExtent(L" ", 1).cy - 2, rcBox.top, rcBox.right,
                                 rcBox.bottom);
            if (bSelected) {
                PaintStateRectangle(pDC, rcButton, TRUE, FALSE, TRUE, FALSE, FALSE, kBarTypePopup, kBarPopup);
            } else {
                CRect rcFace = rcButton;
                rcFace.DeflateRect(2, 2);
                pDC->FillSolidRect(&rcFace, LookupColor(kFace));
            }
            CRect rcArrow = rcButton;
            rcArrow.DeflateRect(1, 1);
            PaintDownArrow(pDC, rcArrow, bSelected ? kHotText : kBarText);
        }
    }
    return size;
}
