#include "TkRibbonBar.h"

#include "TkCommandBarKeyboardTip.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlPopup.h"
#include "TkControls.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonControls.h"
#include "TkRibbonGroup.h"
#include "TkRibbonSystemButton.h"
#include "TkRibbonTab.h"

// The ribbon's keyboard: Alt, digits and tab mnemonics from the frame, keyboard tips, navigation and the
// wheel over the tab strip.

namespace {

// Quick-access tips run "1".."9", then "01".."09"; later controls get none.
constexpr int kMaxQuickAccessTips = 18;

}  // namespace

std::vector<CTkControl*> CTkRibbonBar::GetVisibleQuickAccessCommands() const {
    std::vector<CTkControl*> commands;
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); ++i) {
        CTkControl* pControl = m_pQuickAccessControls->GetAt(i);
        if (pControl->IsVisible())
            commands.push_back(pControl);
    }
    return commands;
}

void CTkRibbonBar::EnterTabStrip(CTkRibbonTab* pTab) {
    if (pTab != nullptr)
        m_pControlTab->SelectItem(pTab);
    SetTrackingMode(kTrackingMenu, FALSE, TRUE);
    SetSelected(m_pControlTab->GetIndex(), kSelectForward);
    m_pControlTab->SetFocused(TRUE);
}

BOOL CTkRibbonBar::OnActivationKey(UINT nKey) {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || ::GetKeyState(VK_CONTROL) < 0)
        return FALSE;

    if (nKey == VK_MENU) {
        if (GetTabCount() == 0)
            return FALSE;
        pCommandBars->ClosePopups();
        pCommandBars->ShowKeyboardCues(TRUE);
        if (m_bMinimized) {
            SetTrackingMode(kTrackingMenu, TRUE, TRUE);
        } else if (m_bTabsVisible) {
            EnterTabStrip(nullptr);
        } else {
            SetTrackingMode(kTrackingMenu, FALSE, TRUE);
            SetSelected(0, kSelectForward);
            if (CTkControl* pControl = GetControl(0))
                pControl->SetFocused(TRUE);
        }
        pCommandBars->ShowKeyboardTips(this, 1);
        return TRUE;
    }

    if (nKey >= '1' && nKey <= '9') {
        const std::vector<CTkControl*> commands = GetVisibleQuickAccessCommands();
        const size_t nPosition = nKey - '1';
        if (nPosition < commands.size() && commands[nPosition]->GetEnabled()) {
            CTkControl* pControl = commands[nPosition];
            pCommandBars->ClosePopups();
            pCommandBars->ShowKeyboardCues(TRUE);
            SetTrackingMode(kTrackingMenu, FALSE, TRUE);
            SetSelected(pControl->GetIndex(), kSelectForward);
            pControl->ActivateByKey();
            return TRUE;
        }
    }

    for (int i = 0; i < GetTabCount(); ++i) {
        CTkRibbonTab* pTab = GetTab(i);
        BOOL bExplicit = FALSE;
        const WCHAR chMnemonic = GetCaptionMnemonic(pTab->GetCaption(), &bExplicit);
        if (!bExplicit || !pTab->IsVisible() || !pTab->IsEnabled() ||
            ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(chMnemonic))) !=
                ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(nKey))))
            continue;
        if (m_nTrackingMode == kTrackingNone)
            pCommandBars->ClosePopups();
        pCommandBars->ShowKeyboardCues(TRUE);
        m_bKeyboardActivated = TRUE;
        EnterTabStrip(pTab);
        if (m_bMinimized)
            m_pControlTab->PopupSelectedTab(TRUE);
        else
            pCommandBars->ShowKeyboardTips(this, 2);
        return TRUE;
    }
    return FALSE;
}

void CTkRibbonBar::CreateKeyboardTips() {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    if (pCommandBars->GetKeyboardTipLevel() != 1) {
        CreateGroupKeyboardTips(GetSelectedTab());
        return;
    }
    int nPosition = 0;
    for (CTkControl* pControl : GetVisibleQuickAccessCommands()) {
        if (++nPosition > kMaxQuickAccessTips)
            break;
        CString strKeys;
        if (nPosition <= 9)
            strKeys.Format(L"%i", nPosition);
        else
            strKeys.Format(L"0%i", nPosition - 9);
        const CRect& rc = pControl->GetRect();
        auto* pTip = new CTkCommandBarKeyboardTip(pCommandBars, pControl, strKeys, rc.CenterPoint().x, rc.bottom - 11,
                                                  CTkCommandBarKeyboardTip::kAlignCenter, pControl->GetEnabled());
        pTip->SetExplicitKeys(strKeys);
        pCommandBars->AddKeyboardTip(pTip);
    }
    if (m_bTabsVisible) {
        for (int i = 0; i < GetTabCount(); ++i) {
            CTkRibbonTab* pTab = GetTab(i);
            const CString strCaption = pTab->GetCaption();
            if (!pTab->IsVisible() || !pTab->IsEnabled() || strCaption.IsEmpty())
                continue;
            const CRect& rc = pTab->GetRect();
            pCommandBars->AddKeyboardTip(new CTkCommandBarKeyboardTip(pCommandBars, pTab, strCaption,
                                                                      rc.CenterPoint().x, rc.bottom - 9,
                                                                      CTkCommandBarKeyboardTip::kAlignCenter, TRUE));
        }
    }
    if (m_pControlSystemButton != nullptr && m_pControlSystemButton->IsVisible()) {
        const CRect& rc = m_pControlSystemButton->GetRect();
        auto* pTip = new CTkCommandBarKeyboardTip(
            pCommandBars, m_pControlSystemButton, m_pControlSystemButton->GetCaption(), rc.CenterPoint().x,
            rc.CenterPoint().y, CTkCommandBarKeyboardTip::kAlignCenter | CTkCommandBarKeyboardTip::kAlignVCenter,
            m_pControlSystemButton->GetEnabled());
        pTip->SetExplicitKeys(m_pControlSystemButton->GetKeyboardTip());
        pCommandBars->AddKeyboardTip(pTip);
    }
}

void CTkRibbonBar::OnKeyboardTipSelected(CTkCommandBarKeyboardTip* pTip) {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    if (auto* pTab = DYNAMIC_DOWNCAST(CTkRibbonTab, pTip->GetTarget())) {
        EnterTabStrip(pTab);
        if (m_bMinimized)
            m_pControlTab->PopupSelectedTab(TRUE);
        else
            pCommandBars->ShowKeyboardTips(this, 2);
        return;
    }
    auto* pControl = DYNAMIC_DOWNCAST(CTkControl, pTip->GetTarget());
    if (pControl == nullptr)
        return;
    auto* pGroup = static_cast<CTkRibbonGroup*>(pControl->GetRibbonGroup());
    if (pGroup != nullptr && pGroup->IsReduced() && pControl->GetParent() == this) {
        // The control went into its collapsed group's popup: open that and choose the control there.
        CTkRibbonGroupControlPopup* pPopup = pGroup->GetControlGroupPopup();
        pPopup->SetHideFlags(pPopup->GetHideFlags() & ~kHideWrap);
        pPopup->ActivateByKey();
        CTkCommandBar* pPopupBar = pPopup->GetCommandBar();
        if (pPopupBar == nullptr || pPopupBar->GetSafeHwnd() == nullptr)
            return;
        pCommandBars->ShowKeyboardTips(pPopupBar, 1);
        if (CTkControl* pCopy = pPopupBar->GetControls()->FindById(pControl->GetId()))
            pCopy->ActivateByKey();
        return;
    }
    if (pControl->IsVisible())
        pControl->ActivateByKey();
}

BOOL CTkRibbonBar::NavigateByCode(int nCode) {
    if (nCode != kNavigateEscape)
        HideKeyboardTips();
    if (NavigateByPosition(nCode))
        return TRUE;
    return CTkMenuBar::NavigateByCode(nCode);
}

void CTkRibbonBar::SelectAdjacentTabOnWheel(BOOL bToRight) {
    m_pControlTab->PerformKeyDown(m_hWnd, bToRight ? VK_RIGHT : VK_LEFT);
}
