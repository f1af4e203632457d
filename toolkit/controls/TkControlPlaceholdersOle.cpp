// The OLE-verb placeholder.

#include "TkControlPlaceholders.h"

#include "TkCommandBar.h"
#include "TkControlPopup.h"
#include "TkControls.h"
#include "TkPopupBar.h"
#include "TkResourceManager.h"

IMPLEMENT_SERIAL(CTkControlOleItems, CTkControlButton, VERSIONABLE_SCHEMA | 33)

namespace {

const wchar_t kVerbPopupParameter[] = L"OLEMENUPOPUP";

}  // namespace

void CTkControlOleItems::PrepareForLayout(DWORD dwLayoutMode) {
    if (CTkControl* pNext = m_pControls != nullptr ? m_pControls->GetAt(m_nIndex + 1) : nullptr;
        pNext != nullptr && pNext->IsTemporary() && pNext->GetParameter() == kVerbPopupParameter)
        m_pControls->Remove(pNext);
    if (IsCustomizeMode()) {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(m_dwHideFlags | kHideGeneric);
    CFrameWnd* pSiteFrame = m_pParent != nullptr ? m_pParent->GetSiteFrame() : nullptr;
    CFrameWnd* pActiveFrame = pSiteFrame != nullptr ? pSiteFrame->GetActiveFrame() : nullptr;
    CView* pView = pActiveFrame != nullptr ? pActiveFrame->GetActiveView() : nullptr;
    if (pView == nullptr)
        return;
    CMenu menu;
    if (!menu.CreatePopupMenu() || !FillVerbMenu(pView, &menu))
        return;
    // Only a verb menu of one entry with a sub-menu becomes a popup; the verbs of a single-verb item
    // are not listed.
    const HMENU hSubMenu = ::GetSubMenu(menu.GetSafeHmenu(), 0);
    if (menu.GetMenuItemCount() != 1 || hSubMenu == nullptr)
        return;
    CTkPopupBar* pBar = CTkPopupBar::CreatePopupBar(GetCommandBars());
    if (pBar == nullptr)
        return;
    pBar->LoadMenu(CMenu::FromHandle(hSubMenu), TRUE);
    auto* pPopup =
        static_cast<CTkControlPopup*>(m_pControls->Add(kControlPopup, 0, kVerbPopupParameter, m_nIndex + 1, TRUE));
    if (pPopup != nullptr) {
        pPopup->SetCommandBar(pBar);
        pPopup->SetFlags(kControlFlagNoUpdate);
        CString strCaption;
        CTkResourceManager::GetMenuItemText(&menu, 0, strCaption, MF_BYPOSITION);
        pPopup->SetCaption(strCaption);
    }
    pBar->InternalRelease();
}

BOOL CTkControlOleItems::CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) {
    return AcceptPopupBarsOnly(pTarget, nDropEffect);
}

BOOL CTkControlOleItems::FillVerbMenu(CView* pView, CMenu* pMenu) {
    return FALSE;
}
