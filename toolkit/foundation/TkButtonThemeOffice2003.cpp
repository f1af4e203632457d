#include "TkButtonThemeOffice2003.h"

#include "TkButton.h"
#include "TkColorManager.h"
#include "TkDrawHelpers.h"
#include "TkImageManagerIcon.h"

namespace {

// Face, shadow and hilite (the frame of an active button) of the Office 2003 look by colour scheme.
struct SchemeColors {
    COLORREF clrFace;
    COLORREF clrShadow;
    COLORREF clrHilite;
};
constexpr SchemeColors kOliveColors = {0x9FD4C5, 0x7FB9A4, 0x385D3F};
constexpr SchemeColors kSilverColors = {0xD3C0C0, 0xB2ACA5, 0x0B4B4B};
constexpr SchemeColors kBlueColors = {0xF0C7A9, 0xB99D7F, 0x800000};  // Luna blue, Royale and Aero

const SchemeColors* FindSchemeColors(SystemThemeKind nTheme) {
    switch (nTheme) {
        case 1:
        case 4:
        case 5:
            return &kBlueColors;
        case 2:
            return &kOliveColors;
        case 3:
            return &kSilverColors;
        default:
            return nullptr;
    }
}

}  // namespace

CTkButtonThemeOffice2003::CTkButtonThemeOffice2003(BOOL bToolkitFace) : CTkButtonThemeOfficeXP(FALSE) {
    m_bToolkitFace = bToolkitFace;
    m_bFadedNormalImage = FALSE;
    m_bShadowedHotImage = FALSE;
    m_bOffsetTextWhenPushed = FALSE;
}

void CTkButtonThemeOffice2003::Refresh() {
    CTkButtonThemeOfficeXP::Refresh();
    const CTkColorManager* pColors = GetColorManager();
    const SystemThemeKind nTheme = pColors->GetCurrentSystemTheme();
    m_face.m_standardValue = pColors->GetColor(COLOR_BTNFACE);
    if (nTheme != 0) {
        m_hotFace.m_standardValue = 0xC2EEFF;
        m_pressedFace.m_standardValue = 0x3E80FE;
        m_checkedFace.m_standardValue = 0x6FC0FF;
        m_text.m_standardValue = 0;
    }
    m_hotText.m_standardValue = 0;
    m_pressedText.m_standardValue = 0;
    if (const SchemeColors* pScheme = FindSchemeColors(nTheme)) {
        m_face.m_standardValue = pScheme->clrFace;
        m_shadow.m_standardValue = pScheme->clrShadow;
        m_hilite.m_standardValue = pScheme->clrHilite;
    }
    if (!m_bToolkitFace)
        m_face.m_standardValue = pColors->GetColor(COLOR_BTNFACE);
}

void CTkButtonThemeOffice2003::DrawButtonImage(CDC* pDC, UINT nItemState, RECT& rcItem, CTkButton* pButton) {
    CPoint pt;
    CTkImageManagerIcon* pImage = FindImageToDraw(pDC, nItemState, rcItem, pButton, pt);
    if (pImage == nullptr)
        return;
    IconStateImage* pState = (nItemState & ODS_DISABLED)   ? pImage->GetDisabledImage()
                             : (nItemState & ODS_SELECTED) ? pImage->GetPressedImage()
                                                           : pImage->GetNormalImage();
    const CSize size = pButton->GetImageSize();
    pImage->Draw(pDC, pt, pState, size.cx, size.cy);
}

void CTkButtonThemeOffice2003::DrawButtonBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const UINT nState = lpDIS->itemState;
    if (DrawIdleBack(pDC, lpDIS->rcItem, nState, pButton))
        return;
    // The colour manager's button gradients: 8 pressed, 9 hot, 7 checked.
    const CTkColorManager* pColors = GetColorManager();
    const int nGradient = (nState & ODS_SELECTED) ? 8 : IsHot(pButton) ? 9 : 7;
    GetDrawHelpers()->FillColorGradient(pDC, &lpDIS->rcItem, pColors->m_gradients[nGradient], FALSE, nullptr);
    DrawActiveFrame(pDC, lpDIS->rcItem, pButton);
}
