#include "TkButtonTheme.h"

#include "TkButton.h"
#include "TkColorManager.h"
#include "TkDCWrappers.h"
#include "TkDrawHelpers.h"
#include "TkImageManagerIcon.h"
#include "TkTextFunctions.h"

#include <vssym32.h>

#include <algorithm>

CTkButtonTheme::CTkButtonTheme() = default;

void CTkButtonTheme::Refresh() {
    m_themeButton.CloseTheme();
    m_themeButton.OpenTheme(nullptr, L"BUTTON");
    RefreshColorManager();
    const CTkColorManager* pColors = GetColorManager();
    m_face.m_standardValue = pColors->GetColor(COLOR_BTNFACE);
    m_text.m_standardValue = pColors->GetColor(COLOR_BTNTEXT);
    m_grayText.m_standardValue = pColors->GetColor(COLOR_GRAYTEXT);
    m_hilite.m_standardValue = pColors->GetColor(COLOR_BTNFACE);
    m_shadow.m_standardValue = pColors->GetColor(COLOR_BTNSHADOW);
    m_highlight.m_standardValue = pColors->GetColor(COLOR_BTNHIGHLIGHT);
    m_darkShadow.m_standardValue = pColors->GetColor(COLOR_3DDKSHADOW);
}

// ---- Questions

BOOL CTkButtonTheme::IsFlatLook(CTkButton* pButton) {
    return IsVisualStyleActive(pButton) || (pButton->GetXButtonStyle() & (kButtonFlat | kButtonThinFrame)) != 0;
}

BOOL CTkButtonTheme::IsVisualStyleActive(CTkButton* pButton) {
    if (!(pButton->GetXButtonStyle() & kButtonVisualStyle))
        return FALSE;
    if (!m_themeButton.IsThemeOpen())
        m_themeButton.OpenTheme(pButton->m_hWnd, L"BUTTON");
    return m_themeButton.IsThemeOpen() && m_themeButton.IsThemeActive();
}

BOOL CTkButtonTheme::IsHot(CTkButton* pButton) {
    return pButton->IsHot() || (pButton->m_hWnd != nullptr && ::GetCapture() == pButton->m_hWnd);
}

BOOL CTkButtonTheme::IsPushed(UINT nItemState, CTkButton* pButton) {
    return (nItemState & ODS_SELECTED) != 0 || pButton->IsChecked();
}

BOOL CTkButtonTheme::IsDefaultButton(CTkButton* pButton) {
    return pButton->m_hWnd != nullptr && (pButton->GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// ---- Settings

CFont* CTkButtonTheme::GetButtonFont(CTkButton* pButton) {
    if (m_pFont != nullptr && m_pFont->GetSafeHandle() != nullptr)
        return m_pFont;
    return pButton->GetFont();
}

void CTkButtonTheme::SetButtonFont(CFont* pFont) {
    if (pFont != nullptr && pFont->GetSafeHandle() != nullptr)
        m_pFont = pFont;
}

void CTkButtonTheme::SetColors(COLORREF clrFace, COLORREF clrHilite, COLORREF clrShadow, COLORREF clrText) {
    m_face.m_customValue = clrFace;
    m_hilite.m_customValue = clrHilite;
    m_shadow.m_customValue = clrShadow;
    m_text.m_customValue = clrText;
}

// ---- Placement

void CTkButtonTheme::CalcCenteredOrigin(POINT& pt, int cx, int cy, CTkButton* pButton) {
    CRect rcClient;
    pButton->GetClientRect(&rcClient);
    pt.x = (pButton->GetXButtonStyle() & kButtonImageAboveText) ? (rcClient.Width() - cx) / 2 : pButton->GetBorderGap();
    pt.y = (rcClient.Height() - cy) / 2;
    pt.x = std::max<LONG>(pt.x, 0);
    pt.y = std::max<LONG>(pt.y, 0);
}

void CTkButtonTheme::GetTextPosition(POINT& pt, UINT, const RECT& rcItem, SIZE sizeText, CTkButton* pButton) {
    if (pButton->HasCustomPositions()) {
        pt = m_bShowImages ? pButton->GetCustomTextPoint() : CPoint(0, 0);
        return;
    }
    const BOOL bAbove = (pButton->GetXButtonStyle() & kButtonImageAboveText) != 0;
    const CSize sizeImage = pButton->GetImageSize();
    const int nBorderGap = pButton->GetBorderGap();
    const int nImageTextGap = pButton->GetImageTextGap();
    CalcCenteredOrigin(pt, sizeText.cx, sizeText.cy, pButton);
    pt.x = nBorderGap;
    if (bAbove)
        pt.y += sizeImage.cy / 2 + nImageTextGap / 2;
    switch (pButton->GetStyle() & BS_CENTER) {
        case BS_LEFT:
            pt.x = bAbove ? nBorderGap : nBorderGap + nImageTextGap + sizeImage.cx;
            break;
        case BS_RIGHT:
            pt.x = rcItem.right - nBorderGap - sizeText.cx;
            break;
        default:
            pt.x = nBorderGap + (bAbove ? 0 : sizeImage.cx);
            pt.x += (rcItem.right - nBorderGap - sizeText.cx - pt.x) / 2;
            break;
    }
}

void CTkButtonTheme::GetImagePosition(POINT& pt, CDC* pDC, UINT, const RECT& rcItem, BOOL bHasText,
                                      CTkButton* pButton) {
    pt = CPoint(rcItem.left, rcItem.top);
    if (pButton->HasCustomPositions()) {
        pt = pButton->GetCustomImagePoint();
        return;
    }
    const CSize sizeImage = pButton->GetImageSize();
    const DWORD dwStyle = pButton->GetStyle();
    const int nWidth = rcItem.right - rcItem.left;
    const int nHeight = rcItem.bottom - rcItem.top;
    CalcCenteredOrigin(pt, sizeImage.cx, sizeImage.cy, pButton);
    pt.x = pButton->GetBorderGap();
    if (pButton->GetXButtonStyle() & kButtonImageAboveText) {
        if (bHasText) {
            const CSize sizeText = pDC->GetTextExtent(pButton->GetButtonText(TRUE));
            pt.y -= pButton->GetImageTextGap() / 2 + sizeText.cy / 2;
        }
        switch (dwStyle & BS_CENTER) {
            case BS_LEFT:
                break;
            case BS_RIGHT:
                pt.x = rcItem.right - sizeImage.cx - pButton->GetBorderGap();
                break;
            default:
                pt.x = nWidth >= sizeImage.cx ? rcItem.left + (nWidth - sizeImage.cx) / 2 : rcItem.left;
                break;
        }
    } else if (!bHasText) {
        if ((dwStyle & BS_CENTER) == BS_CENTER && nWidth >= sizeImage.cx)
            pt.x = (nWidth - sizeImage.cx) / 2;
        if ((dwStyle & BS_VCENTER) == BS_VCENTER && nHeight >= sizeImage.cy)
            pt.y = (nHeight - sizeImage.cy) / 2;
    }
}

// ---- Drawing

int CTkButtonTheme::GetVisualStyleState(UINT nItemState, CTkButton* pButton) {
    int nState = PBS_NORMAL;
    if (IsHot(pButton))
        nState = PBS_HOT;
    else if (IsDefaultButton(pButton))
        nState = PBS_DEFAULTED;
    if (IsPushed(nItemState, pButton))
        nState = PBS_PRESSED;
    if (nItemState & ODS_DISABLED)
        nState = PBS_DISABLED;
    return nState;
}

COLORREF CTkButtonTheme::GetButtonTextColor(UINT nItemState, CTkButton* pButton) {
    if (IsVisualStyleActive(pButton)) {
        COLORREF clr = 0;
        if (SUCCEEDED(
                m_themeButton.GetColor(BP_PUSHBUTTON, GetVisualStyleState(nItemState, pButton), TMT_TEXTCOLOR, &clr)))
            return clr;
        return m_text.GetEffective();
    }
    return (nItemState & ODS_DISABLED) ? m_grayText.GetEffective() : m_text.GetEffective();
}

void CTkButtonTheme::DrawButtonText(CDC* pDC, UINT nItemState, RECT& rcItem, CTkButton* pButton) {
    const CString strText = pButton->GetButtonText(FALSE);
    if (strText.IsEmpty())
        return;
    CTkFontDC font(pDC, GetButtonFont(pButton));
    CString strPlain = strText;
    RemoveMnemonicMarkers(strPlain);
    const CSize sizeText = pDC->GetTextExtent(strPlain);
    CPoint pt;
    GetTextPosition(pt, nItemState, rcItem, sizeText, pButton);
    if (IsPushed(nItemState, pButton) && m_bOffsetTextWhenPushed)
        pt.Offset(1, 1);
    const COLORREF clrOld = pDC->SetTextColor(GetButtonTextColor(nItemState, pButton));
    const UINT nOldAlign = pDC->SetTextAlign(0);
    // With keyboard cues hidden the text is drawn without its markers, so nothing is underlined.
    const BOOL bCues = !(nItemState & ODS_NOACCEL);
    const CString& strDrawn = bCues ? strText : strPlain;
    ::DrawStateW(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(strDrawn.GetString()),
                 static_cast<WPARAM>(strDrawn.GetLength()), pt.x, pt.y, sizeText.cx, sizeText.cy,
                 (bCues ? DST_PREFIXTEXT : DST_TEXT) | DSS_NORMAL);
    pDC->SetTextAlign(nOldAlign);
    pDC->SetTextColor(clrOld);
}

CTkImageManagerIcon* CTkButtonTheme::FindImageToDraw(CDC* pDC, UINT nItemState, RECT& rcItem, CTkButton* pButton,
                                                     CPoint& pt) {
    CTkImageManagerIcon* pImage = pButton->GetImage();
    if (!m_bShowImages || pImage == nullptr)
        return nullptr;
    GetImagePosition(pt, pDC, nItemState, rcItem, !pButton->GetButtonText(FALSE).IsEmpty(), pButton);
    return pImage;
}

void CTkButtonTheme::DrawButtonImage(CDC* pDC, UINT nItemState, RECT& rcItem, CTkButton* pButton) {
    CPoint pt;
    CTkImageManagerIcon* pImage = FindImageToDraw(pDC, nItemState, rcItem, pButton, pt);
    if (pImage == nullptr)
        return;
    const BOOL bPushed = IsPushed(nItemState, pButton);
    if (bPushed)
        pt.Offset(1, 1);
    IconStateImage* pState = nullptr;
    if (nItemState & ODS_DISABLED)
        pState = pImage->GetDisabledImage();
    else if (IsHot(pButton) || bPushed)
        pState = pButton->IsChecked()          ? pImage->GetCheckedImage()
                 : (nItemState & ODS_SELECTED) ? pImage->GetPressedImage()
                                               : pImage->GetHotImage();
    else
        pState = pImage->GetNormalImage();
    const CSize size = pButton->GetImageSize();
    pImage->Draw(pDC, pt, pState, size.cx, size.cy);
}

void CTkButtonTheme::DrawItem(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) {
    if (lpDIS == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    if (!DrawVisualStyleBack(lpDIS, pButton))
        DrawButtonBack(lpDIS, pButton);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT nState = lpDIS->itemState;
    CRect rc(lpDIS->rcItem);
    DrawButtonText(pDC, nState, rc, pButton);
    rc = lpDIS->rcItem;
    DrawButtonImage(pDC, nState, rc, pButton);
    if ((pButton->GetXButtonStyle() & kButtonFocusRect) && (nState & ODS_FOCUS) && !(nState & ODS_NOFOCUSRECT)) {
        rc = lpDIS->rcItem;
        DrawButtonFocus(pDC, nState, rc, pButton);
    }
    pDC->SetBkMode(nOldMode);
}

BOOL CTkButtonTheme::DrawVisualStyleBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) {
    if (!IsVisualStyleActive(pButton))
        return FALSE;
    const int nState = GetVisualStyleState(lpDIS->itemState, pButton);
    // The style's corners are transparent: what shows through is the parent's button background.
    HWND hWndParent = ::GetParent(pButton->m_hWnd);
    HBRUSH hBrush =
        hWndParent != nullptr
            ? reinterpret_cast<HBRUSH>(::SendMessageW(hWndParent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(lpDIS->hDC),
                                                      reinterpret_cast<LPARAM>(pButton->m_hWnd)))
            : nullptr;
    if (hBrush != nullptr)
        ::FillRect(lpDIS->hDC, &lpDIS->rcItem, hBrush);
    else
        CDC::FromHandle(lpDIS->hDC)->FillSolidRect(&lpDIS->rcItem, GetColorManager()->GetColor(COLOR_BTNFACE));
    return SUCCEEDED(m_themeButton.DrawBackground(lpDIS->hDC, BP_PUSHBUTTON, nState, &lpDIS->rcItem, nullptr));
}

void CTkButtonTheme::DrawButtonBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rc(lpDIS->rcItem);
    const DWORD dwStyle = pButton->GetXButtonStyle();
    const BOOL bPushed = IsPushed(lpDIS->itemState, pButton);
    pDC->FillSolidRect(rc, m_face.GetEffective());
    if ((dwStyle & kButtonCheckerPushed) && bPushed)
        DrawHalftoneRect(pDC, rc);

    const COLORREF clrHilite = m_hilite.GetEffective();
    const COLORREF clrShadow = m_shadow.GetEffective();
    if (dwStyle & (kButtonFlat | kButtonThinFrame)) {
        if ((dwStyle & kButtonFlat) && !IsHot(pButton) && !bPushed)
            return;
        pDC->Draw3dRect(rc, bPushed ? clrShadow : clrHilite, bPushed ? clrHilite : clrShadow);
        return;
    }

    const COLORREF clrHighlight = m_highlight.GetEffective();
    const COLORREF clrDarkShadow = m_darkShadow.GetEffective();
    if (IsDefaultButton(pButton)) {
        pDC->Draw3dRect(rc, clrDarkShadow, clrDarkShadow);
        rc.DeflateRect(1, 1);
    }
    pDC->Draw3dRect(rc, bPushed ? clrDarkShadow : clrHighlight, bPushed ? clrHighlight : clrDarkShadow);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(rc, bPushed ? clrShadow : clrHilite, bPushed ? clrHilite : clrShadow);
}

void CTkButtonTheme::DrawButtonFocus(CDC* pDC, UINT nItemState, RECT& rcItem, CTkButton* pButton) {
    const COLORREF clrOld = pDC->SetTextColor(GetButtonTextColor(nItemState, pButton));
    CRect rc(rcItem);
    const int nInset = (pButton->GetXButtonStyle() & (kButtonFlat | kButtonThinFrame)) ? 2 : 4;
    rc.DeflateRect(nInset, nInset);
    pDC->DrawFocusRect(rc);
    pDC->SetTextColor(clrOld);
}
