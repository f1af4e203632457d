#include "TkButtonThemeOfficeXP.h"

#include "TkButton.h"
#include "TkColorManager.h"
#include "TkImageManagerIcon.h"

CTkButtonThemeOfficeXP::CTkButtonThemeOfficeXP(BOOL bToolkitFace) : m_bToolkitFace(bToolkitFace) {
    m_bOffsetTextWhenPushed = FALSE;
}

void CTkButtonThemeOfficeXP::Refresh() {
    CTkButtonTheme::Refresh();
    const CTkColorManager* pColors = GetColorManager();
    m_face.m_standardValue = pColors->GetColor(m_bToolkitFace ? 30 : COLOR_BTNFACE);
    m_hilite.m_standardValue = pColors->GetColor(32);
    m_shadow.m_standardValue = pColors->GetColor(COLOR_BTNSHADOW);
    m_text.m_standardValue = pColors->GetColor(46);
    m_pressedFace.m_standardValue = pColors->GetColor(33);
    m_hotFace.m_standardValue = pColors->GetColor(31);
    m_pressedText.m_standardValue = pColors->GetColor(47);
    m_hotText.m_standardValue = pColors->GetColor(45);
    m_checkedFace.m_standardValue = pColors->GetColor(36);
}

void CTkButtonThemeOfficeXP::SetToolkitFace(BOOL bToolkitFace) {
    m_bToolkitFace = bToolkitFace;
    Refresh();
}

COLORREF CTkButtonThemeOfficeXP::GetButtonTextColor(UINT nItemState, CTkButton* pButton) {
    if (IsVisualStyleActive(pButton))
        return CTkButtonTheme::GetButtonTextColor(nItemState, pButton);
    // Disabled text is the system's grey whatever text colour the application chose.
    if (nItemState & ODS_DISABLED)
        return GetColorManager()->GetColor(COLOR_GRAYTEXT);
    if (nItemState & ODS_SELECTED)
        return m_pressedText.GetEffective();
    return IsHot(pButton) ? m_hotText.GetEffective() : m_text.GetEffective();
}

void CTkButtonThemeOfficeXP::DrawButtonImage(CDC* pDC, UINT nItemState, RECT& rcItem, CTkButton* pButton) {
    CPoint pt;
    CTkImageManagerIcon* pImage = FindImageToDraw(pDC, nItemState, rcItem, pButton, pt);
    if (pImage == nullptr)
        return;
    const CSize size = pButton->GetImageSize();
    const BOOL bHot = IsHot(pButton);
    IconStateImage* pState = nullptr;
    if (nItemState & ODS_DISABLED) {
        pState = pImage->GetDisabledImage();
    } else if (nItemState & ODS_SELECTED) {
        pState = pImage->GetPressedImage();
    } else if (bHot && m_bShadowedHotImage) {
        // The hot image lifted up and left over its shadow.
        pImage->Draw(pDC, pt.x + 1, pt.y + 1, pImage->GetShadowImage(), size.cx, size.cy);
        pImage->Draw(pDC, pt.x - 1, pt.y - 1, pImage->GetHotImage(), size.cx, size.cy);
        return;
    } else if (bHot) {
        pState = pImage->GetHotImage();
    } else {
        pState = m_bFadedNormalImage ? pImage->GetFadedImage() : pImage->GetNormalImage();
    }
    pImage->Draw(pDC, pt, pState, size.cx, size.cy);
}

BOOL CTkButtonThemeOfficeXP::DrawIdleBack(CDC* pDC, const RECT& rc, UINT nItemState, CTkButton* pButton) {
    if ((nItemState & ODS_SELECTED) || pButton->IsChecked() || IsHot(pButton))
        return FALSE;
    pDC->FillSolidRect(&rc, m_face.GetEffective());
    if (m_bToolkitFace)
        pDC->Draw3dRect(&rc, m_shadow.GetEffective(), m_shadow.GetEffective());
    return TRUE;
}

void CTkButtonThemeOfficeXP::DrawActiveFrame(CDC* pDC, const RECT& rc, CTkButton* pButton) {
    pDC->Draw3dRect(&rc, m_hilite.GetEffective(), m_hilite.GetEffective());
    if (!m_bToolkitFace || !IsDefaultButton(pButton))
        return;
    const COLORREF clrHighlight = GetColorManager()->GetColor(COLOR_HIGHLIGHT);
    CRect rcFrame(rc);
    pDC->Draw3dRect(rcFrame, clrHighlight, clrHighlight);
    rcFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(rcFrame, clrHighlight, clrHighlight);
}

void CTkButtonThemeOfficeXP::DrawButtonBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const UINT nState = lpDIS->itemState;
    if (DrawIdleBack(pDC, lpDIS->rcItem, nState, pButton))
        return;
    const BOOL bHot = IsHot(pButton);
    const BOOL bChecked = pButton->IsChecked();
    COLORREF clrFill = m_checkedFace.GetEffective();
    if ((nState & ODS_SELECTED) || (bHot && bChecked))
        clrFill = m_pressedFace.GetEffective();
    else if (bHot)
        clrFill = m_hotFace.GetEffective();
    pDC->FillSolidRect(&lpDIS->rcItem, clrFill);
    DrawActiveFrame(pDC, lpDIS->rcItem, pButton);
}
