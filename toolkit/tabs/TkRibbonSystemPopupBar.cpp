#include "TkRibbonSystemPopupBar.h"

#include "TkControl.h"
#include "TkControlDefs.h"
#include "TkDCWrappers.h"
#include "TkOffice2007Image.h"
#include "TkOffice2007Images.h"
#include "TkPaintManager.h"
#include "TkRibbonSystemButton.h"
#include "TkRibbonSystemPopupBarControls.h"
#include "TkRibbonTheme.h"

#include <vector>

IMPLEMENT_SERIAL(CTkRibbonSystemPopupBar, CTkPopupBar, VERSIONABLE_SCHEMA | 33)
IMPLEMENT_SERIAL(CTkRibbonSystemPopupBarPage, CTkPopupBar, VERSIONABLE_SCHEMA | 33)

BEGIN_MESSAGE_MAP(CTkRibbonSystemPopupBar, CTkPopupBar)
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

namespace {

// The push buttons leave the bottom border this far from its top and 3 pixels above the bar's bottom.
constexpr int kPushButtonTop = 4;
constexpr int kPushButtonBottomGap = 3;
// Between two push buttons.
constexpr int kPushButtonGap = 6;

CTkRibbonTheme* RibbonThemeOf(const CTkCommandBar* pBar) {
    CTkPaintManager* pPaintManager = pBar->GetPaintManager();
    return pPaintManager != nullptr && pPaintManager->GetThemeNumber() == kThemeRibbon
               ? static_cast<CTkRibbonTheme*>(pPaintManager)
               : nullptr;
}

}  // namespace

// ---- The system menu

CTkRibbonSystemPopupBar::CTkRibbonSystemPopupBar() = default;

CRect CTkRibbonSystemPopupBar::GetBorders() {
    return CRect(kBorderLeft, kBorderTop, kBorderRight, kBorderBottom);
}

CSize CTkRibbonSystemPopupBar::CalcDynamicSize(int nLength, DWORD dwMode) {
    std::vector<CTkControl*> pushButtons;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        if (pControl->GetParent() == this && pControl->IsKindOf(RUNTIME_CLASS(CTkRibbonControlSystemPopupBarButton)))
            pushButtons.push_back(pControl);
    }
    for (CTkControl* pButton : pushButtons)
        pButton->SetHideFlags(pButton->GetHideFlags() | kHideVertical);
    const CSize size = CTkPopupBar::CalcDynamicSize(nLength, dwMode);

    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CTkFontDC font(&dc, GetPaintManager()->GetBarFont(this));
    const CRect rcBorders = GetBorders();
    int nRight = size.cx - rcBorders.right + 1;
    for (auto it = pushButtons.rbegin(); it != pushButtons.rend(); ++it) {
        CTkControl* pButton = *it;
        pButton->SetHideFlags(pButton->GetHideFlags() & ~kHideVertical);
        const CSize szButton = pButton->GetSize(&dc);
        const CRect rc(nRight - szButton.cx, size.cy - rcBorders.bottom + kPushButtonTop, nRight,
                       size.cy - kPushButtonBottomGap);
        pButton->SetRect(rc);
        nRight = rc.left - kPushButtonGap;
    }
    return size;
}

void CTkRibbonSystemPopupBar::FillBackground(CDC* pDC) {
    CTkRibbonTheme* pTheme = RibbonThemeOf(this);
    CTkOffice2007Image* pImage = pTheme != nullptr ? pTheme->LoadImage(L"RIBBONSYSTEMMENU") : nullptr;
    if (pImage == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    pImage->DrawImage(pDC, rcClient, pImage->GetSource(0, 1), GetBorders());

    if (CTkRibbonControlSystemButton* pButton = GetOverlappedSystemButton()) {
        CRect rcButton = pButton->GetRect();
        pButton->GetParent()->ClientToScreen(&rcButton);
        ScreenToClient(&rcButton);
        pTheme->DrawSystemButton(pDC, pButton, rcButton);
    }

    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        if (pControl->GetParent() != this || !pControl->IsVisible() || !pControl->GetWrap())
            continue;
        const COLORREF clrBackground = pTheme->GetImages()->GetColor(L"Ribbon", L"RecentFileListBackground");
        if (clrBackground != static_cast<COLORREF>(-1))
            pDC->FillSolidRect(&pControl->GetRowRect(), clrBackground);
        break;
    }
}

CTkRibbonControlSystemButton* CTkRibbonSystemPopupBar::GetOverlappedSystemButton() const {
    auto* pButton = DYNAMIC_DOWNCAST(CTkRibbonControlSystemButton, m_pControlPopup);
    return pButton != nullptr && pButton->GetParent() != nullptr && pButton->GetParent()->GetSafeHwnd() != nullptr &&
                   pButton->IsOnCaptionWithTabs()
               ? pButton
               : nullptr;
}

LRESULT CTkRibbonSystemPopupBar::OnNcHitTest(CPoint point) {
    auto* pButton = DYNAMIC_DOWNCAST(CTkRibbonControlSystemButton, m_pControlPopup);
    if (pButton != nullptr && pButton->GetParent() != nullptr && pButton->GetParent()->GetSafeHwnd() != nullptr) {
        CRect rcButton = pButton->GetRect();
        pButton->GetParent()->ClientToScreen(&rcButton);
        if (rcButton.PtInRect(point))
            return HTTRANSPARENT;
    }
    return CTkPopupBar::OnNcHitTest(point);
}

// ---- A page

CTkRibbonSystemPopupBarPage::CTkRibbonSystemPopupBarPage() = default;

CTkRibbonSystemPopupBar* CTkRibbonSystemPopupBarPage::GetSystemPopupBar() const {
    return DYNAMIC_DOWNCAST(CTkRibbonSystemPopupBar, GetParentCommandBar());
}

void CTkRibbonSystemPopupBarPage::AdjustControlRect(CRect& rc, BOOL bVertical) {
    CTkRibbonSystemPopupBar* pSystemPopupBar = GetSystemPopupBar();
    if (pSystemPopupBar == nullptr) {
        CTkPopupBar::AdjustControlRect(rc, bVertical);
        return;
    }
    rc.right += 1;
    rc.top = pSystemPopupBar->GetBorders().top + 1;
}

CSize CTkRibbonSystemPopupBarPage::CalcDynamicSize(int nLength, DWORD dwMode) {
    CSize size = CTkPopupBar::CalcDynamicSize(nLength, dwMode);
    CTkRibbonSystemPopupBar* pSystemPopupBar = GetSystemPopupBar();
    if (pSystemPopupBar == nullptr || pSystemPopupBar->GetSafeHwnd() == nullptr)
        return size;
    CRect rcClient;
    pSystemPopupBar->GetClientRect(&rcClient);
    const CRect rcBorders = pSystemPopupBar->GetBorders();
    size.cy = std::max(size.cy, static_cast<LONG>(rcClient.Height() - rcBorders.top - rcBorders.bottom - 2));
    return size;
}
