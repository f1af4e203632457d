// The hub's built-in menus: the toolbars list shown on a right click on a toolbar or dock bar, the
// controls a toolbar's expand button lists, and the customize entries of a dock row.

#include "TkCommandBars.h"

#include "TkCommandBarList.h"
#include "TkControl.h"
#include "TkControlButton.h"
#include "TkControlPopup.h"
#include "TkControls.h"
#include "TkDockBar.h"
#include "TkPopupBar.h"
#include "TkToolBar.h"

#include <vector>

namespace {

constexpr int kToolbarsListId = 0xE800;
constexpr int kCustomizeId = 35001;
constexpr DWORD kMenuItemFlags = kControlFlagNoUpdate;

CString DoubleAmpersands(const CString& strTitle) {
    CString strCaption = strTitle;
    strCaption.Replace(L"&", L"&&");
    return strCaption;
}

// An entry of the toolbars list: shows the toolbar at its index in the hub, or hides it.
class CToolbarListItem : public CTkControlButton {
public:
    void Execute() override {
        CTkCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars == nullptr)
            return;
        const int nIndex = static_cast<int>(GetTag());
        pCommandBars->ClosePopups();
        pCommandBars->ToggleBarVisible(nIndex);
    }
};

// The toolbars of the bar's dock row in row order, else the bar alone (when it is a toolbar).
std::vector<CTkToolBar*> RowToolBars(CTkCommandBar* pBar) {
    std::vector<CTkToolBar*> toolBars;
    auto* pToolBar = DYNAMIC_DOWNCAST(CTkToolBar, pBar);
    if (pToolBar == nullptr)
        return toolBars;
    CTkDockBar* pDockBar = pToolBar->GetDockBar();
    if (pDockBar == nullptr) {
        toolBars.push_back(pToolBar);
        return toolBars;
    }
    const int nIndex = pDockBar->FindBar(pToolBar);
    if (nIndex >= 0)
        pDockBar->GetRowBars(nIndex, toolBars);
    return toolBars;
}

}  // namespace

void CTkCommandBars::ShowContextMenu(CTkCommandBar* pBar, int x, int y) {
    if (m_bCustomizeMode)
        return;
    CTkPopupBar* pPopup = CreateToolbarsContextMenu();
    if (pPopup == nullptr)
        return;
    if (m_pSite != nullptr && m_pSite->GetSafeHwnd() != nullptr)
        m_pSite->SendMessage(ContextMenuBuiltMessage, reinterpret_cast<WPARAM>(pBar), reinterpret_cast<LPARAM>(pPopup));
    if (pPopup->GetControlCount() > 0) {
        pPopup->SetAlignment(m_bRightToLeft ? kPopupLeft : 0);
        ClosePopups();
        if (pPopup->PopupAt(x, y))
            pPopup->PumpMessagesWhileTracking();
    }
    pPopup->InternalRelease();
}

CTkPopupBar* CTkCommandBars::CreateToolbarsContextMenu() {
    CTkPopupBar* pPopup = CTkPopupBar::CreatePopupBar(this);
    if (pPopup == nullptr)
        return nullptr;
    CTkControls* pControls = pPopup->GetControls();
    for (int i = 0; i < GetCount(); ++i) {
        auto* pToolBar = DYNAMIC_DOWNCAST(CTkToolBar, GetAt(i));
        if (pToolBar == nullptr || !pToolBar->IsContextMenuPresent() || !pToolBar->IsCloseable())
            continue;
        auto* pItem = new CToolbarListItem;
        pControls->Add(pItem, kToolbarsListId, L"CTkControlToolbar", -1, TRUE);
        pItem->SetTag(i);
        pItem->SetCaption(DoubleAmpersands(pToolBar->GetTitle()));
        pItem->SetFlags(kMenuItemFlags);
        pItem->SetChecked(pToolBar->IsVisible() ? 1 : 0);
    }
    if (m_bCustomizationAllowed)
        pControls->Add(kControlButton, kCustomizeId)->SetBeginGroup(TRUE);
    return pPopup;
}

void CTkCommandBars::AddHiddenControlsToPopup(CTkCommandBar* pBar, CTkPopupBar* pPopup) {
    auto* pToolBar = DYNAMIC_DOWNCAST(CTkToolBar, pBar);
    if (pToolBar == nullptr || pToolBar->GetDockBar() == nullptr)
        return;
    for (CTkToolBar* pRowToolBar : RowToolBars(pToolBar)) {
        for (int i = 0; i < pRowToolBar->GetControlCount(); ++i) {
            CTkControl* pControl = pRowToolBar->GetControl(i);
            // Only what the layout wrapped away: a control the user hid stays out of the list.
            if (pControl->GetHideFlags() != kHideWrap)
                continue;
            CTkControl* pCopy = pPopup->GetControls()->AddCopy(pControl);
            pCopy->SetHideFlags(0);
            pCopy->SetBeginGroup(FALSE);
        }
    }
}

void CTkCommandBars::AddToolbarButtonsMenu(CTkToolBar* pToolBar, CTkPopupBar* pPopup) {
    auto* pItem = static_cast<CTkControlPopup*>(pPopup->GetControls()->Add(kControlPopup, 0));
    pItem->SetCaption(DoubleAmpersands(pToolBar->GetTitle()));
    pItem->SetFlags(kMenuItemFlags);
    const BOOL bEnabled = m_bCustomizationAllowed && pToolBar->IsBuiltIn() && pToolBar->IsCustomizable();
    pItem->SetEnabled(bEnabled ? 1 : 0);
    if (!bEnabled)
        return;
    CTkPopupBar* pSubMenu = CTkPopupBar::CreatePopupBar(this);
    if (pSubMenu == nullptr)
        return;
    pToolBar->BuildShowHideButtonsMenu(pSubMenu);
    pSubMenu->SetDoubleGripper(TRUE);
    pItem->SetCommandBar(pSubMenu);
    pSubMenu->InternalRelease();
}

void CTkCommandBars::AddCustomizeMenusToPopup(CTkCommandBar* pBar, CTkPopupBar* pPopup) {
    for (CTkToolBar* pToolBar : RowToolBars(pBar))
        AddToolbarButtonsMenu(pToolBar, pPopup);
    if (m_bCustomizationAllowed)
        pPopup->GetControls()->Add(kControlButton, kCustomizeId)->SetBeginGroup(TRUE);
}
