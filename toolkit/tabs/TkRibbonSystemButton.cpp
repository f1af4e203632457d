#include "TkRibbonSystemButton.h"

#include "TkCommandBars.h"
#include "TkControlDefs.h"
#include "TkRibbonBar.h"
#include "TkRibbonSystemPopupBar.h"
#include "TkRibbonTheme.h"

IMPLEMENT_SERIAL(CTkRibbonControlSystemButton, CTkControlPopup, VERSIONABLE_SCHEMA | 33)

namespace {

// How far the system menu reaches up over the button on a ribbon with a caption.
constexpr int kSystemMenuOverlap = 18;

}  // namespace

CTkRibbonControlSystemButton::CTkRibbonControlSystemButton() {
    m_dwFlags |= kControlFlagNoUpdate | kControlFlagNoMove;
}

void CTkRibbonControlSystemButton::Draw(CDC* pDC) {
    CTkRibbonBar* pRibbonBar = GetRibbonBar();
    if (CTkRibbonTheme* pTheme = pRibbonBar != nullptr ? pRibbonBar->GetRibbonTheme() : nullptr)
        pTheme->DrawSystemButton(pDC, this, m_rcControl);
    else
        CTkControlPopup::Draw(pDC);
}

BOOL CTkRibbonControlSystemButton::HandleDoubleClick(CPoint) {
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
    CFrameWnd* pFrame = m_pParent != nullptr ? m_pParent->GetSiteFrame() : nullptr;
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
        pFrame->SendMessage(WM_SYSCOMMAND, kSysCommandCloseByDoubleClick, 0);
    return TRUE;
}

void CTkRibbonControlSystemButton::AdjustPopupRect(CRect& rc, BOOL bVertical) {
    if (IsOnCaptionWithTabs() && DYNAMIC_DOWNCAST(CTkRibbonSystemPopupBar, m_pCommandBar) != nullptr)
        rc.bottom -= kSystemMenuOverlap;
    else
        CTkControlPopup::AdjustPopupRect(rc, bVertical);
}

CTkRibbonBar* CTkRibbonControlSystemButton::GetRibbonBar() const {
    CTkCommandBar* pBar = GetParent();
    return pBar != nullptr && pBar->IsRibbonBar() ? static_cast<CTkRibbonBar*>(pBar) : nullptr;
}

BOOL CTkRibbonControlSystemButton::IsOnCaptionWithTabs() const {
    CTkRibbonBar* pRibbonBar = GetRibbonBar();
    return pRibbonBar != nullptr && pRibbonBar->IsCaptionVisible() && pRibbonBar->IsTabsVisible();
}
