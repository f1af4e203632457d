// The bar's idle update (the controls' states through the owner's command routing) and menu import.

#include "TkCommandBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkShortcutManager.h"

namespace {

// Hide flags an idle update looks through: a control hidden only by these still gets its state.
constexpr DWORD kUpdateVisibilityMask = kHideGeneric | kHideByBar | kHideRarelyUsed;
// The update of a whole bar offered to the bar's own class first (ON_UPDATE_COMMAND_UI_REFLECT).
constexpr int kReflectedUpdateCode = static_cast<int>(MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND));

// The state of one control while the update handlers decide it.
class CCommandBarCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        // A control with an action follows it while enabled.
        if (m_pControl->GetAction() != nullptr) {
            m_pControl->SetEnabled(bOn ? -1 : 0);
            return;
        }
        m_pControl->SetEnabled(bOn);
        // A handler that disables without deciding the check leaves no stale check behind.
        if (!bOn && !m_bCheckSet)
            m_pControl->SetChecked(0);
    }
    void SetCheck(int nCheck) override {
        m_pControl->SetChecked(nCheck);
        m_bCheckSet = TRUE;
    }
    void SetText(LPCTSTR lpszText) override { m_pControl->SetCaption(lpszText); }

    CTkControl* m_pControl = nullptr;  // not referenced
    BOOL m_bCheckSet = FALSE;          // SetCheck ran in this round
};

}  // namespace

LRESULT CTkCommandBar::OnIdleUpdate(BOOL, BOOL) {
    if (!IsVisible() || m_hWnd == nullptr)
        return 0;
    UpdateTemplateVisibility();
    UpdateCommandUI();
    if (m_dwState & kStateRedrawPending)
        Redraw();
    if (m_dwState & kStateLayoutPending) {
        m_dwState &= ~kStateLayoutPending;
        RecalcLayout();
    }
    return 0;
}

void CTkCommandBar::UpdateTemplateVisibility() {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    const UINT nMenuId = pCommandBars->GetActiveMenuId();
    if (nMenuId == 0)
        return;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        if (pControl->GetParent() != this)
            continue;
        const DWORD dwOld = pControl->GetHideFlags();
        DWORD dwFlags = dwOld;
        BOOL bValue = FALSE;
        CTkControl::CDocTemplateMap& assigned = pControl->GetDocTemplatesAssigned();
        if (!assigned.IsEmpty())
            dwFlags = assigned.Lookup(nMenuId, bValue) ? dwFlags & ~kHideDocTemplate : dwFlags | kHideDocTemplate;
        // With both lists, the excluded one decides.
        CTkControl::CDocTemplateMap& excluded = pControl->GetDocTemplatesExcluded();
        if (!excluded.IsEmpty())
            dwFlags = excluded.Lookup(nMenuId, bValue) ? dwFlags | kHideDocTemplate : dwFlags & ~kHideDocTemplate;
        if (dwFlags != dwOld) {
            pControl->SetHideFlags(dwFlags);
            m_dwState |= kStateLayoutPending;
        }
    }
}

void CTkCommandBar::UpdateCommandUI() {
    CWnd* pOwner = GetOwnerWindow();
    if (pOwner == nullptr)
        return;
    CTkCommandBars* pCommandBars = GetCommandBars();
    const BOOL bDisableIfNoHandler =
        pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->m_bDisableCommandIfNoHandler;
    const BOOL bCustomize = IsCustomizeMode();
    const BOOL bNoNotify = GetRootParent()->m_bNoNotify;

    CCommandBarCmdUI state;
    state.m_nIndexMax = static_cast<UINT>(GetControlCount());
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        if (!pControl->IsVisible(kUpdateVisibilityMask))
            continue;
        pControl->BeforeIdleUpdate();
        if (bNoNotify || (pControl->GetFlags() & kControlFlagNoUpdate))
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = static_cast<UINT>(pControl->GetId());
        state.m_pControl = pControl;
        state.m_bCheckSet = FALSE;
        state.m_bEnableChanged = FALSE;
        if (OnCmdMsg(0, kReflectedUpdateCode, &state, nullptr) ||
            OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        if (!bCustomize)
            state.DoUpdate(pOwner, bDisableIfNoHandler);
        else if (pControl->GetAction() == nullptr)
            pControl->SetEnabled(TRUE);  // customisation shows every command of its own enabled
    }
    if (m_hWnd != nullptr)
        UpdateDialogControls(pOwner, bDisableIfNoHandler);
}

void CTkCommandBar::UpdateShortcutTexts() {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || !pCommandBars->GetCommandBarsOptions()->m_bAutoUpdateShortcuts)
        return;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        if (pControl->GetId() == 0 || !pControl->IsVisible())
            continue;
        CString strText = pControl->GetShortcutTextAuto();
        pCommandBars->GetShortcutManager()->FindShortcutText(pControl->GetId(), strText);
        pControl->SetShortcutTextAuto(strText);
    }
}

// Separators become group starts of the next control (two in a row are one, a trailing one is
// nothing); breaks start a new column.
BOOL CTkCommandBar::LoadMenu(CMenu* pMenu, BOOL bRemoveControls) {
    if (pMenu == nullptr || !::IsMenu(pMenu->GetSafeHmenu()))
        return FALSE;
    if (bRemoveControls)
        m_pControls->RemoveAll();
    const HMENU hMenu = pMenu->GetSafeHmenu();
    BOOL bPendingGroup = FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_TYPE;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if ((info.fType & MFT_SEPARATOR) || ::GetMenuItemID(hMenu, i) == 0) {
            bPendingGroup = TRUE;
            continue;
        }
        CTkControl* pControl = m_pControls->AddMenuItem(pMenu, i);
        if (pControl == nullptr)
            continue;
        if (info.fType & (MFT_MENUBARBREAK | MFT_MENUBREAK)) {
            pControl->SetFlags(pControl->GetFlags() | kControlFlagNewRow);
            pControl->SetBeginGroup((info.fType & MFT_MENUBARBREAK) != 0);
        }
        if (bPendingGroup) {
            pControl->SetBeginGroup(TRUE);
            bPendingGroup = FALSE;
        }
        if (pControl->GetAction() == nullptr) {
            if (info.fState & MFS_CHECKED)
                pControl->SetChecked(1);
            if (info.fState & (MFS_GRAYED | MFS_DISABLED))
                pControl->SetEnabled(FALSE);
        }
    }
    if (CFrameWnd* pFrame = GetSiteFrame())
        pFrame->m_nIdleFlags |= idleNotify | idleLayout;
    return TRUE;
}
