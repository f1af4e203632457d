#include "TkCaptionButtonTheme.h"

#include "TkCaption.h"
#include "TkCaptionTheme.h"
#include "TkColorManager.h"
#include "TkDCWrappers.h"
#include "TkDrawHelpers.h"

namespace {

// Colour-manager slots of the Office looks.
constexpr UINT kGreyTextColor = 17;
constexpr UINT kHotFaceColor = 31;
constexpr UINT kFrameColor = 32;
constexpr UINT kPressedFaceColor = 33;
constexpr int kPressedGradient = 8;
constexpr int kHotGradient = 9;

// The button's owner caption while it is a window; NULL otherwise (and for a button that is no
// caption button).
CTkCaption* CaptionOf(CTkButton* pButton) {
    auto* pCaptionButton = DYNAMIC_DOWNCAST(CTkCaptionButton, pButton);
    if (pCaptionButton == nullptr)
        return nullptr;
    CTkCaption* pCaption = pCaptionButton->GetOwnerCaption();
    return pCaption != nullptr && ::IsWindow(pCaption->GetSafeHwnd()) ? pCaption : nullptr;
}

CTkCaptionTheme* CaptionThemeOf(CTkCaption* pCaption) {
    return pCaption != nullptr ? pCaption->GetCaptionTheme() : nullptr;
}

// The Office looks: grey when disabled, the caption's text (the theme's own, clrText, without a
// caption) when neither hot nor pressed, else the hot text.
COLORREF OfficeTextColor(COLORREF clrText, COLORREF clrHotText, UINT nItemState, CTkButton* pButton) {
    if ((nItemState & ODS_DISABLED) != 0)
        return GetColorManager()->GetColor(kGreyTextColor);
    if (!CTkButtonTheme::IsHot(pButton) && (nItemState & ODS_SELECTED) == 0) {
        CTkCaptionTheme* pCaptionTheme = CaptionThemeOf(CaptionOf(pButton));
        return pCaptionTheme != nullptr ? pCaptionTheme->m_clrText.GetEffective() : clrText;
    }
    return clrHotText;
}

// A text-button caption's text over the whole button.
void DrawCaptionButtonText(CTkButtonTheme& theme, BOOL bOffsetTextWhenPushed, CDC* pDC, UINT nItemState, RECT& rect,
                           CTkButton* pButton) {
    CTkCaption* pCaption = CaptionOf(pButton);
    if (pCaption == nullptr || !pCaption->IsTextButton() || pCaption->GetCaptionText().IsEmpty())
        return;
    CTkFontDC font(pDC, theme.GetButtonFont(pButton));
    pDC->SetTextColor(theme.GetButtonTextColor(nItemState, pButton));
    CRect rcText = rect;
    if ((nItemState & ODS_SELECTED) != 0 && bOffsetTextWhenPushed)
        rcText.OffsetRect(1, 1);
    pDC->DrawText(pCaption->GetCaptionText(), &rcText,
                  DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

}  // namespace

// ---- CTkCaptionButtonTheme

CTkCaptionButtonTheme::CTkCaptionButtonTheme() {
    m_bOffsetTextWhenPushed = FALSE;
}

COLORREF CTkCaptionButtonTheme::GetButtonTextColor(UINT nItemState, CTkButton* pButton) {
    CTkCaptionTheme* pCaptionTheme = CaptionThemeOf(CaptionOf(pButton));
    return pCaptionTheme != nullptr ? pCaptionTheme->m_clrText.GetEffective() : m_text.GetEffective();
}

void CTkCaptionButtonTheme::DrawButtonText(CDC* pDC, UINT nItemState, RECT& rect, CTkButton* pButton) {
    DrawCaptionButtonText(*this, m_bOffsetTextWhenPushed, pDC, nItemState, rect, pButton);
}

void CTkCaptionButtonTheme::DrawButtonBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) {
    if (CTkCaptionTheme* pCaptionTheme = CaptionThemeOf(CaptionOf(pButton))) {
        SetColors(pCaptionTheme->m_clrBackground.GetEffective(), pCaptionTheme->m_clrHighlight.GetEffective(),
                  pCaptionTheme->m_clrShadow.GetEffective(), pCaptionTheme->m_clrText.GetEffective());
    }
    CTkButtonTheme::DrawButtonBack(lpDIS, pButton);
}

// ---- CTkCaptionButtonThemeOfficeXP

CTkCaptionButtonThemeOfficeXP::CTkCaptionButtonThemeOfficeXP() : CTkButtonThemeOfficeXP(FALSE) {
    m_bFadedNormalImage = FALSE;
    m_bShadowedHotImage = FALSE;
    m_bOffsetTextWhenPushed = FALSE;
}

COLORREF CTkCaptionButtonThemeOfficeXP::GetButtonTextColor(UINT nItemState, CTkButton* pButton) {
    return OfficeTextColor(m_text.GetEffective(), m_hotText.GetEffective(), nItemState, pButton);
}

void CTkCaptionButtonThemeOfficeXP::DrawButtonText(CDC* pDC, UINT nItemState, RECT& rect, CTkButton* pButton) {
    DrawCaptionButtonText(*this, m_bOffsetTextWhenPushed, pDC, nItemState, rect, pButton);
}

void CTkCaptionButtonThemeOfficeXP::DrawButtonBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rect = lpDIS->rcItem;
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    if (IsHot(pButton) || bSelected) {
        const UINT nFace = IsHot(pButton) && !bSelected ? kHotFaceColor : kPressedFaceColor;
        pDC->FillSolidRect(&rect, GetColorManager()->GetColor(nFace));
        const COLORREF frame = GetColorManager()->GetColor(kFrameColor);
        pDC->Draw3dRect(&rect, frame, frame);
        return;
    }
    if (CTkCaptionTheme* pCaptionTheme = CaptionThemeOf(CaptionOf(pButton))) {
        m_face.m_customValue = pCaptionTheme->m_clrBackground.m_customValue;
        m_face.m_standardValue = pCaptionTheme->m_clrBackground.m_standardValue;
    }
    pDC->FillSolidRect(&rect, m_face.GetEffective());
    if (m_bToolkitFace) {
        const COLORREF shadow = m_shadow.GetEffective();
        pDC->Draw3dRect(&rect, shadow, shadow);
    }
}

// ---- CTkCaptionButtonThemeOffice2003

CTkCaptionButtonThemeOffice2003::CTkCaptionButtonThemeOffice2003() : CTkButtonThemeOffice2003(FALSE) {}

COLORREF CTkCaptionButtonThemeOffice2003::GetButtonTextColor(UINT nItemState, CTkButton* pButton) {
    return OfficeTextColor(m_text.GetEffective(), m_hotText.GetEffective(), nItemState, pButton);
}

void CTkCaptionButtonThemeOffice2003::DrawButtonBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) {
    if (!::IsWindow(pButton->GetSafeHwnd()))
        return;
    CTkCaption* pCaption = CaptionOf(pButton);
    if (pCaption == nullptr) {
        CTkButtonThemeOffice2003::DrawButtonBack(lpDIS, pButton);
        return;
    }
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rect = lpDIS->rcItem;
    CTkColorManager* pColors = GetColorManager();
    if ((lpDIS->itemState & ODS_SELECTED) != 0 || IsHot(pButton)) {
        const int nGradient = (lpDIS->itemState & ODS_SELECTED) != 0 ? kPressedGradient : kHotGradient;
        GetDrawHelpers()->FillColorGradient(pDC, &rect, pColors->m_gradients[nGradient], FALSE, nullptr);
        const COLORREF frame = pColors->GetThemedColor(kFrameColor);
        pDC->Draw3dRect(&rect, frame, frame);
        return;
    }
    // Idle, the button is the piece of the caption's gradient it covers.
    CRect rcScreen;
    pButton->GetWindowRect(&rcScreen);
    CTkPaintManagerColorGradient gradient;
    if (GetCaptionBackGradient(rcScreen, pCaption, gradient))
        GetDrawHelpers()->FillColorGradient(pDC, &rect, gradient, FALSE, nullptr);
}

BOOL CTkCaptionButtonThemeOffice2003::GetCaptionBackGradient(const RECT& rcButtonScreen, CTkCaption* pCaption,
                                                             CTkPaintManagerColorGradient& gradient) {
    if (pCaption == nullptr || !::IsWindow(pCaption->GetSafeHwnd()))
        return FALSE;
    CRect rcButton = rcButtonScreen;
    pCaption->ScreenToClient(&rcButton);
    CRect rcCaption;
    pCaption->GetClientRect(&rcCaption);
    CScopedMemDC dc(rcCaption.Width(), rcCaption.Height());
    if (!dc.IsValid())
        return FALSE;
    GetDrawHelpers()->FillColorGradient(&dc, &rcCaption, CTkCaptionThemeOffice2003::GetBackGradient(pCaption), FALSE,
                                        nullptr);
    // The last pixel inside the button: the one past it may lie outside the caption and read no colour.
    const COLORREF top = dc.GetPixel(rcButton.left, rcButton.top);
    const COLORREF bottom = dc.GetPixel(rcButton.right - 1, rcButton.bottom - 1);
    gradient.SetStandardColors(top, bottom, 0.5f);
    return TRUE;
}

// ---- CTkCaptionButtonThemeFactory

IMPLEMENT_DYNCREATE(CTkCaptionButtonThemeFactory, CTkThemeManagerStyleFactory)

CTkThemeManagerStyle* CTkCaptionButtonThemeFactory::CreateStyle(int nTheme) {
    CTkThemeManagerStyle* pStyle = nullptr;
    switch (nTheme) {
        case 1:
            pStyle = new CTkCaptionButtonThemeOfficeXP;
            break;
        case 2:
            pStyle = new CTkCaptionButtonThemeOffice2003;
            break;
        default:
            pStyle = new CTkCaptionButtonTheme;
            break;
    }
    pStyle->SetTheme(nTheme);
    return pStyle;
}
