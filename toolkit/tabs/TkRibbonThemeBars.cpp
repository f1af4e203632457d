// CTkRibbonTheme: bar faces, separators, the popup icon band and label rows, the popup resize gripper
// and keyboard tips.
#include "TkRibbonTheme.h"

#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkDCWrappers.h"
#include "TkDrawHelpers.h"
#include "TkOffice2007Drawing.h"
#include "TkOffice2007Images.h"
#include "TkWindowFunctions.h"

namespace {

constexpr COLORREF kSeparatorShadow = RGB(197, 197, 197);
constexpr COLORREF kSeparatorLight = RGB(245, 245, 245);
constexpr int kLabelRow = 56;
constexpr int kTipText = COLOR_BTNTEXT;
constexpr int kTipGrayText = COLOR_GRAYTEXT;
// PaintPopupResizeGripper's place: a full-width strip that changes the height only.
constexpr int kResizeGripperStrip = 2;

}  // namespace

void CTkRibbonTheme::FillBarBackground(CDC* pDC, CTkCommandBar* pBar) {
    const CRect rc = MakeClientRectFromHandle(pBar->GetSafeHwnd());
    const int nPosition = pBar->GetPosition();
    BOOL bDrawn = FALSE;
    if (nPosition == kBarPopup)
        bDrawn = DrawLookImage(pDC, L"POPUPBARFRAME", rc, 0, 1, CRect(4, 4, 4, 4), TRUE);
    else if (!IsFlatBar(pBar) && (nPosition == kBarTop || nPosition == kBarBottom))
        bDrawn = DrawLookImage(pDC, L"TOOLBARFACEHORIZONTAL", rc, 0, 1, CRect(5, 5, 5, 5), TRUE);
    else if (!IsFlatBar(pBar) && (nPosition == kBarLeft || nPosition == kBarRight))
        bDrawn = DrawLookImage(pDC, L"TOOLBARFACEVERTICAL", rc, 0, 1, CRect(5, 5, 5, 5), TRUE);
    if (!bDrawn)
        CTkOffice2007Theme::FillBarBackground(pDC, pBar);
}

// Popup bars: a line across the column of a control that starts a new column, else a shadow and a light
// line above the control from the end of the icon column.
CSize CTkRibbonTheme::PaintControlSeparator(CDC* pDC, CTkCommandBar* pBar, CTkControl* pControl, BOOL bDraw) {
    if (pBar->GetType() != kBarTypePopup)
        return CTkOffice2007Theme::PaintControlSeparator(pDC, pBar, pControl, bDraw);
    if (bDraw && pDC != nullptr && pControl != nullptr) {
        const CRect& rc = pControl->GetRect();
        const CRect& rcRow = pControl->GetRowRect();
        if (pControl->GetWrap()) {
            PaintVerticalLine(pDC, rc.left - 2, rcRow.top, rcRow.bottom, kSeparatorShadow);
        } else {
            const int xStart = GetPopupIconColumnWidth(pBar) + GetBarBorders(pBar).left + rc.left - 1;
            PaintHorizontalLine(pDC, xStart, rc.top - 2, rc.right, kSeparatorShadow);
            PaintHorizontalLine(pDC, xStart, rc.top - 1, rc.right, kSeparatorLight);
        }
    }
    return CSize(2, 2);
}

void CTkRibbonTheme::FillPopupIconBand(CDC* pDC, int x, int y, int cx, int cy, BOOL bRarelyUsed) {
    const CTkPaintManagerColorGradient& gradient = bRarelyUsed ? m_grcRarelyUsedBand : m_grcMenuGripper;
    const CRect rcBand(x + 1, y, x + cx, y + cy);
    if (gradient.m_firstColor.GetEffective() != kColorUnset && gradient.m_secondColor.GetEffective() != kColorUnset)
        GetDrawHelpers()->FillColorGradient(pDC, &rcBand, gradient, TRUE, nullptr);
    PaintVerticalLine(pDC, x + cx - 1, y, y + cy, kSeparatorShadow);
    PaintVerticalLine(pDC, x + cx, y, y + cy, kSeparatorLight);
}

void CTkRibbonTheme::FillLabelRow(CDC* pDC, CRect rc) {
    const COLORREF clrRow = LookupColor(kLabelRow);
    if (clrRow != kColorUnset)
        pDC->FillSolidRect(&rc, clrRow);
    PaintHorizontalLine(pDC, rc.left, rc.bottom - 1, rc.right, kSeparatorShadow);
}

void CTkRibbonTheme::PaintPopupResizeGripper(CDC* pDC, CRect rc, int nWhere) {
    if (!DrawLookImage(pDC, L"POPUPBARRESIZEGRIPPERFACE", rc, 0, 1, CRect(1, 1, 1, 1), TRUE)) {
        CTkOffice2007Theme::PaintPopupResizeGripper(pDC, rc, nWhere);
        return;
    }
    if (nWhere == kResizeGripperStrip) {
        const CSize size = GetLookImageStateSize(L"POPUPBARRESIZEGRIPPERHEIGHT");
        const CPoint pt(rc.left + (rc.Width() - size.cx) / 2, rc.bottom - size.cy);
        DrawLookImage(pDC, L"POPUPBARRESIZEGRIPPERHEIGHT", CRect(pt, size), 0, 1, CRect(0, 0, 0, 0), TRUE);
        return;
    }
    const CSize size = GetLookImageStateSize(L"POPUPBARRESIZEGRIPPERWIDTH");
    DrawLookImage(pDC, L"POPUPBARRESIZEGRIPPERWIDTH", CRect(CPoint(rc.right - size.cx, rc.bottom - size.cy), size), 0,
                  1, CRect(0, 0, 0, 0), TRUE);
}

void CTkRibbonTheme::PaintKeyboardTip(CDC* pDC, CWnd* pTip, BOOL bSetRegion) {
    if (bSetRegion) {
        ApplyCutCornerRegion(pTip);
        return;
    }
    CRect rc = MakeClientRect(pTip);
    CTkFontDC font(pDC, &m_fntStatus);
    const COLORREF clrLight = GetImages()->GetColor(L"Window", L"TooltipLight");
    const COLORREF clrDark = GetImages()->GetColor(L"Window", L"TooltipDark");
    if (clrLight != kColorUnset && clrDark != kColorUnset)
        GetDrawHelpers()->FillGradient(pDC, &rc, clrLight, clrDark, FALSE);
    if (!DrawLookImage(pDC, L"TOOLTIPFRAME", rc, 0, 1, CRect(3, 3, 3, 3), TRUE)) {
        const COLORREF clrBorder = GetImages()->GetColor(L"Window", L"TooltipBorder");
        if (clrBorder != kColorUnset)
            pDC->Draw3dRect(&rc, clrBorder, clrBorder);
    }
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(LookupColor(pTip->IsWindowEnabled() ? kTipText : kTipGrayText));
    CString strCaption;
    pTip->GetWindowText(strCaption);
    pDC->DrawText(strCaption, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
