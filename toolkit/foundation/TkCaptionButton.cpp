#include "TkCaptionButton.h"

#include "TkCaption.h"
#include "TkCaptionButtonTheme.h"
#include "TkCaptionTheme.h"

IMPLEMENT_DYNAMIC(CTkCaptionButton, CTkButton)

CTkCaptionButton::CTkCaptionButton() : CTkButton(RUNTIME_CLASS(CTkCaptionButtonThemeFactory)) {}

DWORD CTkCaptionButton::SetXButtonStyle(DWORD, BOOL bRedraw) {
    const HWND hParent = GetSafeHwnd() != nullptr ? ::GetParent(GetSafeHwnd()) : nullptr;
    auto* pCaption = DYNAMIC_DOWNCAST(CTkCaption, CWnd::FromHandlePermanent(hParent));
    CTkCaptionTheme* pCaptionTheme = pCaption != nullptr ? pCaption->GetCaptionTheme() : nullptr;
    if (pCaptionTheme != nullptr) {
        SetFaceColor(pCaptionTheme->m_clrBackground.GetEffective());
        SetTextColor(pCaptionTheme->m_clrText.GetEffective());
        SetHiliteColor(pCaptionTheme->m_clrHighlight.GetEffective());
        SetShadowColor(pCaptionTheme->m_clrShadow.GetEffective());
        SendMessage(WM_SETFONT, pCaption->SendMessage(WM_GETFONT));
        if (bRedraw)
            Invalidate(TRUE);
    }
    return GetXButtonStyle();
}
