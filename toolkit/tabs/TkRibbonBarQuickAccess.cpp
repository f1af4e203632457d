#include "TkRibbonBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlButton.h"
#include "TkControlDefs.h"
#include "TkControlPlaceholders.h"
#include "TkControls.h"
#include "TkMouseManager.h"
#include "TkPopupBar.h"
#include "TkResourceManager.h"
#include "TkRibbonControls.h"
#include "TkRibbonGroup.h"
#include "TkRibbonPopupToolBars.h"
#include "TkRibbonQuickAccess.h"
#include "TkRibbonScrollableBar.h"
#include "TkRibbonTheme.h"
#include "TkThemedFrameHook.h"

// The ribbon's quick-access menu (its context menu for any control, tab or group), its more popup and
// the commands of the menu's items.

namespace {

// Items of menus 9601 and 9602 that stand for 9607, 9608 and 9610.
constexpr int kRenumbered[][2] = {
    {9616, kIdRibbonCustomize}, {9617, kIdRibbonQuickAccessBelow}, {9618, kIdRibbonQuickAccessAbove}};
// The caption of 9607 while the quick-access toolbar cannot be customised.
constexpr UINT kIdCustomizeCaption = 9161;
// Where the toolbars list goes in the customize button's menu and in the others.
constexpr int kToolbarsListIndexCustomize = 0;
constexpr int kToolbarsListIndexOther = 2;
constexpr int kMorePopupWidth = 300;

// A menu item that acts on one control (adds it to the toolbar or takes it away). It holds a reference
// on the control as long as the menu lives: a relayout while the menu is open may drop the control
// from its collection.
class CControlQuickAccessTarget : public CTkControlButton {
public:
    explicit CControlQuickAccessTarget(CTkControl* pTarget) : m_pTarget(pTarget) { m_pTarget->InternalAddRef(); }
    ~CControlQuickAccessTarget() override { m_pTarget->InternalRelease(); }
    CControlQuickAccessTarget(const CControlQuickAccessTarget&) = delete;
    CControlQuickAccessTarget& operator=(const CControlQuickAccessTarget&) = delete;

    CTkControl* GetTarget() const { return m_pTarget; }

private:
    CTkControl* m_pTarget;  // referenced
};

// Puts an item bound to the target in the place of the loaded one.
CTkControl* BindToTarget(CTkControls* pControls, CTkControl* pItem, CTkControl* pTarget) {
    auto* pBound = new CControlQuickAccessTarget(pTarget);
    pControls->InsertAt(pBound, pItem->GetIndex());
    pBound->CopyFrom(pItem, FALSE);
    pControls->Remove(pItem);
    return pBound;
}

// The target of a menu item's notification; NULL for items of other kinds.
CTkControl* TargetOf(const ControlNotifyRecord* pRecord) {
    auto* pItem = pRecord != nullptr ? dynamic_cast<CControlQuickAccessTarget*>(pRecord->pControl) : nullptr;
    return pItem != nullptr ? pItem->GetTarget() : nullptr;
}

BOOL Contains(const CTkControls* pControls, const CTkControl* pControl) {
    for (int i = 0; i < pControls->GetCount(); ++i) {
        if (pControls->GetAt(i) == pControl)
            return TRUE;
    }
    return FALSE;
}

// The control still sits in the collection it was in (removal clears its collection).
BOOL IsInItsCollection(const CTkControl* pControl) {
    const CTkControls* pControls = pControl->GetControls();
    return pControls != nullptr && pControls->GetAt(pControl->GetIndex()) == pControl;
}

// While the menu runs, the modal loop of the control that asked for it (its mouse lock) does not keep
// the menu from the mouse.
class CMouseLockPause {
public:
    explicit CMouseLockPause(CTkMouseManager* pMouseManager)
        : m_pMouseManager(pMouseManager), m_bLowered(pMouseManager->m_nLock > 0) {
        if (m_bLowered)
            --m_pMouseManager->m_nLock;
    }
    ~CMouseLockPause() {
        if (m_bLowered)
            ++m_pMouseManager->m_nLock;
    }
    CMouseLockPause(const CMouseLockPause&) = delete;
    CMouseLockPause& operator=(const CMouseLockPause&) = delete;

private:
    CTkMouseManager* m_pMouseManager;
    BOOL m_bLowered;
};

// The toolbar's relayout is held off while copies are added (one relayout follows).
class CLayoutHold {
public:
    explicit CLayoutHold(CTkToolBar* pBar) : m_pBar(pBar), m_bWasInLayout(pBar->IsInLayout()) {
        m_pBar->SetInLayout(TRUE);
    }
    ~CLayoutHold() { m_pBar->SetInLayout(m_bWasInLayout); }
    CLayoutHold(const CLayoutHold&) = delete;
    CLayoutHold& operator=(const CLayoutHold&) = delete;

private:
    CTkToolBar* m_pBar;
    BOOL m_bWasInLayout;
};

}  // namespace

BOOL CTkRibbonBar::IsAllowQuickAccessControl(CTkControl* pControl) {
    if (pControl == nullptr)
        return FALSE;
    if (!m_bAllowQuickAccessDuplicates && m_pQuickAccessControls->FindDuplicate(pControl) != nullptr)
        return FALSE;
    if (pControl->IsKindOf(RUNTIME_CLASS(CTkRibbonGroupControlPopup)))
        return pControl->GetId() > 0;
    return (pControl->GetFlags() & kControlFlagNoMove) == 0;
}

CTkPopupBar* CTkRibbonBar::CreateContextMenu(CTkControl* pControl) {
    CTkCommandBars* pCommandBars = GetCommandBars();
    CWnd* pSite = GetSite();
    auto notifySite = [this, pSite](CTkPopupBar* pMenu) {
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
            pSite->SendMessage(ContextMenuBuiltMessage, reinterpret_cast<WPARAM>(this),
                               reinterpret_cast<LPARAM>(pMenu));
        return pMenu;
    };
    if (pCommandBars == nullptr)
        return nullptr;
    if (!m_bShowQuickAccess) {
        CTkPopupBar* pMenu = pCommandBars->CreateToolbarsContextMenu();
        return pMenu != nullptr ? notifySite(pMenu) : nullptr;
    }
    if (pControl == nullptr)
        return nullptr;
    // A gallery shown in a popup stands for the control that opened the popup.
    if (pControl->GetType() == kControlGallery && pControl->GetCommandBar() == nullptr) {
        if (auto* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, pControl->GetParent());
            pPopupBar != nullptr && pPopupBar->GetControlPopup() != nullptr)
            pControl = pPopupBar->GetControlPopup();
    }

    const BOOL bCustomizeButton = pControl->IsKindOf(RUNTIME_CLASS(CTkRibbonBarControlQuickAccessPopup));
    CMenu menu;
    if (!GetResourceManager()->LoadMenu(&menu, bCustomizeButton ? kIdRibbonQuickAccessMenu : kIdRibbonContextMenu))
        return nullptr;
    CTkPopupBar* pMenu = CTkPopupBar::CreatePopupBar(pCommandBars);
    if (pMenu == nullptr)
        return nullptr;
    // Its items report to the ribbon, also when it opens as the customize button's popup.
    pMenu->SetCommandOwner(this);
    pMenu->LoadMenu(menu.GetSubMenu(0));
    CTkControls* pItems = pMenu->GetControls();
    pItems
        ->Add(new CTkControlToolbars, ID_VIEW_TOOLBAR, nullptr,
              bCustomizeButton ? kToolbarsListIndexCustomize : kToolbarsListIndexOther)
        ->SetBeginGroup(TRUE);

    const BOOL bInToolbar =
        bCustomizeButton || pControl == m_pControlQuickAccessMore || Contains(m_pQuickAccessControls, pControl);
    const BOOL bMayAdd = IsAllowQuickAccessControl(pControl);
    const BOOL bFixed = (pControl->GetFlags() & kControlFlagNoMove) != 0 || pControl->IsTemporary();
    const BOOL bCustomizable = m_bAllowQuickAccessCustomization;
    CTkOriginalControls* pOffered = m_pQuickAccessControls->GetOriginalControls();

    for (int i = 0; i < pItems->GetCount(); ++i) {
        CTkControl* pItem = pItems->GetAt(i);
        for (const auto& renumbered : kRenumbered) {
            if (pItem->GetId() == renumbered[0])
                pItem->SetId(renumbered[1]);
        }
        switch (pItem->GetId()) {
            case kIdRibbonQuickAccessRemove:
                pItem = BindToTarget(pItems, pItem, pControl);
                pItem->SetVisible(bInToolbar && !bFixed && bCustomizable);
                break;
            case kIdRibbonQuickAccessAdd:
                pItem = BindToTarget(pItems, pItem, pControl);
                pItem->SetVisible(!bInToolbar && !bFixed && bCustomizable);
                pItem->SetEnabled(bMayAdd ? 1 : 0);
                break;
            case kIdRibbonCustomize:
                if (!bCustomizable) {
                    if (pCommandBars->IsCustomizationAllowed())
                        pItem->SetCaption(GetResourceManager()->LoadString(kIdCustomizeCaption));
                    else
                        pItem->SetVisible(FALSE);
                }
                break;
            case kIdRibbonQuickAccessBelow:
                pItem->SetVisible(!m_bShowQuickAccessBelow);
                break;
            case kIdRibbonQuickAccessAbove:
                pItem->SetVisible(m_bShowQuickAccessBelow);
                break;
            case kIdRibbonMinimize:
                pItem->SetVisible(m_bAllowMinimize);
                pItem->SetChecked(m_bMinimized ? 1 : 0);
                pItem->SetEnabled(GetTabCount() > 0 ? 1 : 0);
                break;
            case kIdRibbonQuickAccessList:
                pItem->SetVisible(FALSE);
                if (bCustomizable && pOffered != nullptr) {
                    for (int j = 0; j < pOffered->GetCount(); ++j) {
                        CTkControl* pSource = pOffered->GetAt(j);
                        auto* pCommand = new CControlQuickAccessCommand(m_pQuickAccessControls, pSource,
                                                                        m_pQuickAccessControls->FindDuplicate(pSource));
                        pItems->Add(pCommand, 0, nullptr, i++, TRUE);
                        pCommand->SetFlags(pCommand->GetFlags() | kControlFlagNoUpdate);
                    }
                }
                break;
            case kIdRibbonQuickAccessListTitle:
                pItem = pItems->SetControlType(pItem, kControlLabel);
                pItem->SetStyle(kButtonIcon);
                pItem->SetDefaultItem(TRUE);
                pItem->SetVisible(bCustomizable && pOffered != nullptr);
                break;
            default:
                continue;
        }
        pItem->SetFlags(pItem->GetFlags() | kControlFlagNoUpdate);
    }
    return notifySite(pMenu);
}

CTkPopupBar* CTkRibbonBar::CreateMoreQuickAccessPopup() {
    auto* pPopup = new CTkRibbonBarMorePopupToolBar(this);
    pPopup->SetCommandBars(GetCommandBars());
    CTkControls* pControls = pPopup->GetControls();
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); ++i) {
        CTkControl* pControl = m_pQuickAccessControls->GetAt(i);
        if ((pControl->GetHideFlags() & kHideWrap) == 0)
            continue;
        CTkControl* pCopy = pControls->AddCopy(pControl);
        pCopy->SetHideFlags(pCopy->GetHideFlags() & ~kHideWrap);
    }
    pControls->AddCopy(m_pControlQuickAccess);
    pPopup->SetMRUWidth(kMorePopupWidth);
    return pPopup;
}

void CTkRibbonBar::ShowContextMenuAt(CTkCommandBar* pBar, CPoint pt) {
    if (!m_bShowQuickAccess || pBar == nullptr)
        return;
    // The quick-access menus are no place for another one.
    if (auto* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, pBar)) {
        CTkControl* pOpener = pPopupBar->GetControlPopup();
        if (pOpener != nullptr && (pOpener->IsKindOf(RUNTIME_CLASS(CTkRibbonBarControlQuickAccessPopup)) ||
                                   dynamic_cast<CControlQuickAccessMorePopup*>(pOpener) != nullptr))
            return;
    }
    pBar->PopupControl(-1);
    CTkControl* pControl = pBar->GetControls()->HitTest(pt);
    if (pControl == nullptr) {
        // On a group's caption line the menu is the one of the group's collapsed button.
        auto* pScrollable = dynamic_cast<CTkRibbonScrollableBar*>(pBar);
        CTkRibbonGroup* pGroup = pScrollable != nullptr ? pScrollable->HitTestGroup(pt) : nullptr;
        CTkRibbonTheme* pTheme = GetRibbonTheme();
        if (pGroup != nullptr && pTheme != nullptr && pt.y > pGroup->GetRect().bottom - pTheme->m_nGroupCaptionHeight)
            pControl = pGroup->GetControlGroupPopup();
    }
    if (pControl != nullptr)
        ShowContextMenu(pt, pControl);
}

void CTkRibbonBar::ShowContextMenu(CPoint pt, CTkControl* pControl) {
    CTkCommandBar* pBar = pControl->GetParent();
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    CPoint ptScreen = pt;
    pBar->ClientToScreen(&ptScreen);
    CTkPopupBar* pMenu = CreateContextMenu(pControl);
    if (pMenu == nullptr)
        return;
    if (pMenu->GetControls()->GetVisibleCount(FALSE) > 0) {
        // A menu over one of the ribbon's popups leaves that popup open.
        const UINT nFlags = TPM_RIGHTBUTTON | (pBar != this ? TPM_RECURSE : 0);
        CWnd* pOwner = m_bShowQuickAccess ? this : pBar->GetOwnerWindow();
        CMouseLockPause pause(CreateMouseManager());
        CTkCommandBars::TrackPopupBar(pMenu, nFlags, ptScreen.x, ptScreen.y, pOwner, nullptr, pOwner);
    }
    pMenu->InternalRelease();
}

void CTkRibbonBar::OnChildRightButtonUp(CTkCommandBar* pBar, CPoint ptScreen) {
    CPoint pt = ptScreen;
    pBar->ScreenToClient(&pt);
    ShowContextMenuAt(pBar, pt);
}

void CTkRibbonBar::OnQuickAccessPosition(UINT nId) {
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
    m_bShowQuickAccessBelow = nId == static_cast<UINT>(kIdRibbonQuickAccessBelow);
    RecalcLayout();
    if (m_pFrameHook == nullptr)
        return;
    if (m_pFrameHook->IsDwmEnabled()) {
        UpdateWindow();
        m_pFrameHook->UpdateFrameRegion();
    } else {
        ::SendMessageW(m_pFrameHook->GetFrameWindow(), WM_NCPAINT, 1, 0);
    }
}

LRESULT CTkRibbonBar::OnControlNotify(WPARAM wParam, LPARAM lParam) {
    auto* pRecord = reinterpret_cast<ControlNotifyRecord*>(lParam);
    if (pRecord == nullptr || pRecord->hdr.code != kControlNotifyExecute)
        return 0;
    CTkCommandBars* pCommandBars = GetCommandBars();
    switch (static_cast<int>(wParam)) {
        case kIdRibbonQuickAccessRemove: {
            CTkControl* pTarget = TargetOf(pRecord);
            if (pTarget != nullptr && Contains(m_pQuickAccessControls, pTarget)) {
                m_pQuickAccessControls->Remove(pTarget);
                RecalcLayout();
            }
            return 1;
        }
        case kIdRibbonQuickAccessAdd: {
            CTkControl* pTarget = TargetOf(pRecord);
            if (pTarget == nullptr || !IsInItsCollection(pTarget))
                return 1;
            if (pCommandBars != nullptr)
                pCommandBars->ClosePopups();
            {
                CLayoutHold hold(this);
                CTkControl* pCopy = m_pQuickAccessControls->AddCopy(pTarget, -1, TRUE);
                pCopy->SetBeginGroup(FALSE);
                pCopy->SetHideFlags(0);
                const int nType = pCopy->GetType();
                pCopy->SetStyle(nType == kControlPopup || nType == kControlGallery ? kButtonIcon : kButtonAutomatic);
                pCopy->DelayLayoutParent();
            }
            RecalcLayout();
            return 1;
        }
        case kIdRibbonCustomize: {
            if (pCommandBars != nullptr)
                pCommandBars->ClosePopups();
            CWnd* pOwner = GetOwnerWindow();
            if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr &&
                pOwner->SendMessage(ControlNotifyMessage, kIdRibbonCustomize, lParam) == 0)
                pOwner->SendMessage(WM_COMMAND, kIdRibbonCustomize, 0);
            return 1;
        }
        case kIdRibbonMinimize:
            SetMinimized(!m_bMinimized);
            return 1;
        default:
            return 0;
    }
}
