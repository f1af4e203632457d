#include "BarHost.h"

#include "TkControl.h"
#include "TkControlAction.h"
#include "TkControls.h"
#include "TkImageManager.h"
#include "TkKeyboardManager.h"
#include "TkPaintManager.h"

#include <algorithm>
#include <memory>

namespace {

void Log(const std::string& strEntry) {
    BarLog().push_back(strEntry);
}

// Reaches the protected fields of the contract classes from outside their members.
struct BarFields : CTkCommandBar {
    static constexpr int CTkCommandBar::*kType = &BarFields::m_nType;
    static constexpr int CTkCommandBar::*kPosition = &BarFields::m_nPosition;
    static constexpr DWORD CTkCommandBar::*kFlags = &BarFields::m_dwFlags;
    static constexpr UINT CTkCommandBar::*kBarId = &BarFields::m_nBarId;
};
struct HubFields : CTkCommandBars {
    static constexpr BOOL CTkCommandBars::*kCustomizeMode = &HubFields::m_bCustomizeMode;
    static constexpr CTkControlDragTracker* CTkCommandBars::*kDragTracker = &HubFields::m_pDragTracker;
    static constexpr CTkPaintManager* CTkCommandBars::*kPaintManager = &HubFields::m_pPaintManager;
};

}  // namespace

std::vector<std::string>& BarLog() {
    static std::vector<std::string> log;
    return log;
}

int CountInBarLog(const std::string& strPrefix) {
    return static_cast<int>(std::count_if(BarLog().begin(), BarLog().end(), [&](const std::string& strEntry) {
        return strEntry.compare(0, strPrefix.size(), strPrefix) == 0;
    }));
}

BarHostSettings& BarHost() {
    static BarHostSettings settings;
    return settings;
}

void SetBarKind(CTkCommandBar* pBar, int nType, int nPosition) {
    pBar->*BarFields::kType = nType;
    pBar->*BarFields::kPosition = nPosition;
}

void SetBarFlags(CTkCommandBar* pBar, DWORD dwFlags) {
    pBar->*BarFields::kFlags = dwFlags;
}

void SetBarId(CTkCommandBar* pBar, UINT nBarId) {
    pBar->*BarFields::kBarId = nBarId;
}

BOOL CreateBarWindow(CTkCommandBar* pBar, CWnd* pSite) {
    return pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, 300, 40, pSite->GetSafeHwnd(), nullptr);
}

void SetHubCustomizeMode(CTkCommandBars* pCommandBars, BOOL bCustomize) {
    pCommandBars->*HubFields::kCustomizeMode = bCustomize;
}

void SetHubDragTracker(CTkCommandBars* pCommandBars, CTkControlDragTracker* pTracker) {
    delete (pCommandBars->*HubFields::kDragTracker);
    pCommandBars->*HubFields::kDragTracker = pTracker;
}

void SetHubPaintManager(CTkCommandBars* pCommandBars, CTkPaintManager* pPaintManager) {
    if (pPaintManager != nullptr)
        pPaintManager->InternalAddRef();
    if (CTkPaintManager* pOld = pCommandBars->*HubFields::kPaintManager)
        pOld->InternalRelease();
    pCommandBars->*HubFields::kPaintManager = pPaintManager;
}

// ---- The recording site

BEGIN_MESSAGE_MAP(CRecordingSite, CFrameWnd)
    ON_MESSAGE(ControlNotifyMessage, OnControlNotify)
    ON_MESSAGE(CreateControlMessage, OnCreateControl)
    ON_MESSAGE(ControlCreatedMessage, OnControlCreated)
    ON_MESSAGE(CreateCommandBarMessage, OnCreateCommandBar)
    ON_NOTIFY_EX(kControlNotifyExecute, CRecordingSite::kNotifyHandlerId, OnExecuteNotify)
    ON_COMMAND_RANGE(1, 0xFFFF, OnAnyCommand)
    ON_UPDATE_COMMAND_UI_RANGE(1, 0xFFFF, OnUpdateAnyCommand)
END_MESSAGE_MAP()

BOOL CRecordingSite::CreateHidden() {
    return CreateEx(0, AfxRegisterWndClass(0), L"site", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr);
}

LRESULT CRecordingSite::OnControlNotify(WPARAM wParam, LPARAM lParam) {
    auto* pRecord = reinterpret_cast<ControlNotifyRecord*>(lParam);
    m_notifications.push_back({static_cast<UINT>(wParam), pRecord->hdr.code, pRecord->pControl});
    return m_onNotify ? m_onNotify(pRecord) : 0;
}

LRESULT CRecordingSite::OnCreateControl(WPARAM, LPARAM lParam) {
    return m_onCreateControl ? m_onCreateControl(reinterpret_cast<MenuItemCreateRecord*>(lParam)) : 0;
}

LRESULT CRecordingSite::OnControlCreated(WPARAM, LPARAM lParam) {
    m_created.push_back(*reinterpret_cast<MenuItemCreateRecord*>(lParam));
    return 0;
}

LRESULT CRecordingSite::OnCreateCommandBar(WPARAM, LPARAM lParam) {
    auto* pRecord = reinterpret_cast<CommandBarCreateRecord*>(lParam);
    m_barRequests.push_back(*pRecord);
    if (m_onCreateBar)
        m_onCreateBar(pRecord);
    return 0;
}

void CRecordingSite::OnAnyCommand(UINT nId) {
    m_commands.push_back(nId);
}

void CRecordingSite::OnUpdateAnyCommand(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_disabledCommands.count(pCmdUI->m_nID) == 0);
}

BOOL CRecordingSite::OnExecuteNotify(UINT nId, NMHDR*, LRESULT* pResult) {
    if (!m_bNotifyHandlerTakes)
        return FALSE;
    m_notifyCommands.push_back(nId);
    *pResult = m_nNotifyHandlerResult;
    return TRUE;
}

// ---- CTkCommandBar

IMPLEMENT_SERIAL(CTkCommandBar, CWnd, VERSIONABLE_SCHEMA | 33)

BEGIN_MESSAGE_MAP(CTkCommandBar, CWnd)
END_MESSAGE_MAP()

BEGIN_INTERFACE_MAP(CTkCommandBar, CCmdTarget)
    INTERFACE_PART(CTkCommandBar, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

CTkCommandBar::CTkCommandBar() : m_pControls(new CTkControls) {
    m_pControls->SetParent(this);
}

CTkCommandBar::~CTkCommandBar() {
    CreateMouseManager()->RemoveTrackedBar(this);
    m_pControls->RemoveAll();
    m_pControls->InternalRelease();
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CTkCommandBar::SetPosition(int nPosition) {
    m_nPosition = nPosition;
    return TRUE;
}

void CTkCommandBar::ModifyFlags(DWORD dwAdd, DWORD dwRemove) {
    m_dwFlags = (m_dwFlags & ~dwRemove) | dwAdd;
}

void CTkCommandBar::SetTitle(LPCWSTR pszTitle) {
    m_strTitle = pszTitle;
}

BOOL CTkCommandBar::IsLayoutRTL() const {
    return m_hWnd != nullptr && (::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0;
}

BOOL CTkCommandBar::IsDialogBar() const {
    return FALSE;
}

BOOL CTkCommandBar::IsRibbonBar() const {
    return FALSE;
}

BOOL CTkCommandBar::IsPopupBar() const {
    return FALSE;
}

BOOL CTkCommandBar::IsCustomizable() const {
    return TRUE;
}

void CTkCommandBar::SetVisible(BOOL bVisible) {
    m_bVisible = bVisible;
}

BOOL CTkCommandBar::IsVisible() const {
    return m_bVisible;
}

CRect CTkCommandBar::GetBorders() {
    return CRect(0, 0, 0, 0);
}

int CTkCommandBar::GetControlCount() const {
    return m_pControls->GetCount();
}

CTkControl* CTkCommandBar::GetControl(int nIndex) const {
    return m_pControls->GetAt(nIndex);
}

int CTkCommandBar::FindDefaultItem(BOOL bByIndex) const {
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        if (pControl->IsVisible(0) && pControl->IsDefaultItem())
            return bByIndex ? i : pControl->GetId();
    }
    return -1;
}

CTkCommandBars* CTkCommandBar::GetCommandBars() const {
    if (m_pCommandBars != nullptr)
        return m_pCommandBars;
    CTkCommandBar* pParent = GetParentCommandBar();
    return pParent != nullptr ? pParent->GetCommandBars() : nullptr;
}

BOOL CTkCommandBar::IsCustomizeMode() const {
    CTkCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr && pCommandBars->IsCustomizeMode();
}

CTkCommandBar* CTkCommandBar::GetParentCommandBar() const {
    return nullptr;
}

CTkCommandBar* CTkCommandBar::GetRootParent() const {
    const CTkCommandBar* pBar = this;
    while (pBar->GetParentCommandBar() != nullptr)
        pBar = pBar->GetParentCommandBar();
    return const_cast<CTkCommandBar*>(pBar);
}

CWnd* CTkCommandBar::GetSite() const {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && pCommandBars->GetSite() != nullptr)
        return pCommandBars->GetSite();
    const CTkCommandBar* pRoot = GetRootParent();
    if (pRoot->m_hWnd != nullptr) {
        if (HWND hOwner = ::GetWindow(pRoot->m_hWnd, GW_OWNER))
            return CWnd::FromHandle(hOwner);
    }
    return AfxGetMainWnd();
}

CFrameWnd* CTkCommandBar::GetSiteFrame() const {
    return DYNAMIC_DOWNCAST(CFrameWnd, GetSite());
}

CWnd* CTkCommandBar::GetOwnerWindow() const {
    return GetSite();
}

CTkPaintManager* CTkCommandBar::GetPaintManager() const {
    CTkCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr ? pCommandBars->GetPaintManager() : CTkPaintManager::GetCurrentPaintManager();
}

CTkImageManager* CTkCommandBar::GetImageManager() const {
    return ::GetImageManager();
}

CSize CTkCommandBar::GetIconSize() const {
    return CSize(16, 16);
}

CSize CTkCommandBar::GetButtonSize() const {
    return CSize(23, 22);
}

CSize CTkCommandBar::GetLargeIconSize() const {
    return CSize(32, 32);
}

CSize CTkCommandBar::GetDefaultIconSize(BOOL bLarge) const {
    return bLarge ? CSize(32, 32) : CSize(16, 16);
}

BOOL CTkCommandBar::GetTextBelowIcons() const {
    return FALSE;
}

BOOL CTkCommandBar::SetSelected(int nIndex, int nOrigin) {
    if (nIndex == m_nSelected)
        return FALSE;
    Log("SetSelected " + std::to_string(nIndex) + " " + std::to_string(nOrigin));
    if (CTkControl* pOld = GetControl(m_nSelected))
        pOld->SetSelected(0);
    m_nSelected = nIndex;
    if (CTkControl* pNew = GetControl(nIndex))
        pNew->SetSelected(nOrigin == 0 ? 1 : std::max(nOrigin, 2));
    return TRUE;
}

void CTkCommandBar::ClearSelection() {
    SetSelected(-1, 0);
}

void CTkCommandBar::OnControlSelected(BOOL bSelected, CTkControl*) {
    Log("OnControlSelected " + std::to_string(bSelected));
}

BOOL CTkCommandBar::PopupControl(int nIndex, BOOL bKeyboard) {
    Log("PopupControl " + std::to_string(nIndex) + " " + std::to_string(bKeyboard));
    if (nIndex == m_nPopuped)
        return FALSE;
    if (CTkControl* pOld = GetControl(m_nPopuped)) {
        m_nPopuped = -1;
        pOld->SetPopupOpen(FALSE);
    }
    m_nPopuped = -1;
    if (nIndex == -1)
        return TRUE;
    CTkControl* pControl = GetControl(nIndex);
    if (pControl == nullptr || !pControl->GetEnabled())
        return FALSE;
    m_nPopuped = nIndex;
    SetTrackingMode(kTrackingPopup, FALSE, bKeyboard);
    SetSelected(nIndex, bKeyboard);
    if (!pControl->SetPopupOpen(TRUE)) {
        m_nPopuped = -1;
        return FALSE;
    }
    return TRUE;
}

BOOL CTkCommandBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
    Log("SetTrackingMode " + std::to_string(nMode));
    if (nMode == m_nTrackingMode)
        return FALSE;
    const int nOld = m_nTrackingMode;
    m_nTrackingMode = nMode;
    if (nMode != kTrackingNone && nOld == kTrackingNone)
        CreateMouseManager()->AddTrackedBar(this);
    if (nMode == kTrackingNone) {
        CreateMouseManager()->RemoveTrackedBar(this);
        PopupControl(-1);
    }
    return TRUE;
}

void CTkCommandBar::EndTracking() {
    Log("EndTracking");
    SetTrackingMode(kTrackingNone, TRUE, FALSE);
}

BOOL CTkCommandBar::Popup(CTkControl*, BOOL) {
    return FALSE;
}

int CTkCommandBar::OnTrackingKeyDown(UINT, LPARAM) {
    return 2;
}

BOOL CTkCommandBar::IsKeyboardCuesVisible() const {
    return TRUE;
}

int CTkCommandBar::DelayLayout() {
    Log("DelayLayout");
    m_dwState |= kStateLayoutPending;
    m_nSelected = m_nPopuped = -1;
    return -1;
}

void CTkCommandBar::DelayRedraw() {
    m_dwState |= kStateRedrawPending;
}

void CTkCommandBar::RecalcLayout() {
    Log("RecalcLayout");
}

void CTkCommandBar::Redraw(LPCRECT, BOOL bAnimate) {
    Log("Redraw " + std::to_string(bAnimate));
}

void CTkCommandBar::EnsureVisible(CTkControl*) {}

void CTkCommandBar::SetCachedPaint(BOOL) {}

void CTkCommandBar::SetAnimationEnabled(BOOL) {}

BOOL CTkCommandBar::IsAnimationEnabled() const {
    return FALSE;
}

void CTkCommandBar::UpdateCommandUI() {
    Log("UpdateCommandUI");
}

// Imports the items as the bar would, without item states: separators start groups.
BOOL CTkCommandBar::LoadMenu(CMenu* pMenu, BOOL bRemoveControls) {
    Log("LoadMenu");
    if (pMenu == nullptr || !::IsMenu(pMenu->GetSafeHmenu()))
        return FALSE;
    if (bRemoveControls)
        m_pControls->RemoveAll();
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < pMenu->GetMenuItemCount(); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        ::GetMenuItemInfoW(pMenu->GetSafeHmenu(), static_cast<UINT>(i), TRUE, &info);
        if ((info.fType & MFT_SEPARATOR) || (info.wID == 0 && info.hSubMenu == nullptr)) {
            bBeginGroup = TRUE;
            continue;
        }
        CTkControl* pControl = m_pControls->AddMenuItem(pMenu, i);
        if (pControl != nullptr && bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = bBeginGroup && pControl == nullptr;
    }
    return TRUE;
}

void CTkCommandBar::HideKeyboardTips() {}

int CTkCommandBar::GetActiveKeyboardTipLevel() const {
    return 0;
}

void CTkCommandBar::Copy(CTkCommandBar* pSource, BOOL bRecursive) {
    m_nType = pSource->m_nType;
    m_nPosition = pSource->m_nPosition;
    m_nBarId = pSource->m_nBarId;
    m_dwFlags = pSource->m_dwFlags;
    m_strTitle = pSource->m_strTitle;
    m_pCommandBars = pSource->m_pCommandBars;
    m_pControls->CopyFrom(pSource->m_pControls, bRecursive);
}

CTkCommandBar* CTkCommandBar::Clone(BOOL bRecursive) {
    auto* pClone = static_cast<CTkCommandBar*>(GetRuntimeClass()->CreateObject());
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CTkCommandBar::DoPropExchange(CTkPropExchange*) {}

void CTkCommandBar::CollectBarsForSave(int&, CTkCommandBarList*, BarsExchangeParam*) {
    Log("CollectBarsForSave");
}

void CTkCommandBar::RestorePopupLinks(CTkCommandBarList*) {}

void CTkCommandBar::OnRemoved() {}

void CTkCommandBar::OnLButtonDown(UINT, CPoint point) {
    Log("OnLButtonDown");
    if (CTkControl* pControl = m_pControls->HitTest(point))
        pControl->HandleClick(FALSE, point);
}

void CTkCommandBar::OnLButtonUp(UINT, CPoint) {}

void CTkCommandBar::OnRButtonDown(UINT, CPoint) {}

void CTkCommandBar::OnMouseMove(UINT, CPoint) {}

void CTkCommandBar::OnTimer(UINT_PTR) {}

int CTkCommandBar::OnHookMessage(HWND, UINT, WPARAM&, LPARAM&, LRESULT&) {
    return 0;
}

// ---- CTkPopupBar

IMPLEMENT_SERIAL(CTkPopupBar, CTkCommandBar, VERSIONABLE_SCHEMA | 33)

CTkPopupBar::CTkPopupBar() {
    m_nType = kBarTypePopup;
    m_nPosition = kBarPopup;
}

CTkPopupBar::~CTkPopupBar() = default;

CTkPopupBar* CTkPopupBar::CreatePopupBar(CTkCommandBars* pCommandBars) {
    auto* pPopup = new CTkPopupBar;
    pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}

BOOL CTkPopupBar::IsPopupBar() const {
    return TRUE;
}

CTkCommandBar* CTkPopupBar::GetParentCommandBar() const {
    return m_pControlPopup != nullptr ? m_pControlPopup->GetParent() : nullptr;
}

BOOL CTkPopupBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
    if (!CTkCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    if (nMode == kTrackingNone && m_pControlPopup != nullptr && m_pControlPopup->GetParent() != nullptr) {
        CTkCommandBar* pParent = m_pControlPopup->GetParent();
        if (pParent->GetControl(pParent->GetPopupedIndex()) == m_pControlPopup)
            pParent->PopupControl(-1);
    }
    return TRUE;
}

BOOL CTkPopupBar::Popup(CTkControl* pControl, BOOL bSelectFirst) {
    Log("Popup " + std::to_string(bSelectFirst));
    if (!BarHost().bPopupSucceeds)
        return FALSE;
    m_pControlPopup = pControl;
    CTkCommandBar::SetTrackingMode(kTrackingMenu, bSelectFirst, bSelectFirst);
    return TRUE;
}

void CTkPopupBar::Copy(CTkCommandBar* pSource, BOOL bRecursive) {
    CTkCommandBar::Copy(pSource, bRecursive);
}

BOOL CTkPopupBar::AllowsWideItems() const {
    return FALSE;
}

void CTkPopupBar::ExpandToFullMenu() {
    Log("ExpandToFullMenu");
    m_bExpanded = TRUE;
}

// ---- CTkCommandBars

IMPLEMENT_DYNCREATE(CTkCommandBars, CCmdTarget)

CTkCommandBars::CTkCommandBars()
    : m_pOptions(new CTkCommandBarsOptions(this)), m_pActions(new CTkControlActions(this)) {}

CTkCommandBars::~CTkCommandBars() {
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    SetCustomizeSelection(nullptr);
    delete m_pDragTracker;
    m_pActions->RemoveAll();
    m_pActions->InternalRelease();
    m_pOptions->InternalRelease();
}

void CTkCommandBars::AttachToSite(CWnd* pSite) {
    m_pSite = pSite;
}

void CTkCommandBars::CreateDockBars() {}

CTkMenuBar* CTkCommandBars::CreateMenuBar(LPCWSTR, UINT) {
    return nullptr;
}

CTkMenuBar* CTkCommandBars::GetMenuBar() const {
    return nullptr;
}

void CTkCommandBars::RecalcFrameLayout(BOOL) {}

void CTkCommandBars::RecalcAllBars() {}

int CTkCommandBars::GetCount() const {
    return 0;
}

CTkCommandBar* CTkCommandBars::GetAt(int) const {
    return nullptr;
}

CTkCommandBar* CTkCommandBars::FindBarById(UINT) const {
    return nullptr;
}

void CTkCommandBars::ToggleBarVisible(int) {}

CTkPaintManager* CTkCommandBars::GetPaintManager() const {
    return m_pPaintManager != nullptr ? m_pPaintManager : CTkPaintManager::GetCurrentPaintManager();
}

CTkImageManager* CTkCommandBars::GetImageManager() const {
    return ::GetImageManager();
}

CTkControlAction* CTkCommandBars::FindAction(int nId) const {
    return m_pActions->FindAction(nId);
}

CTkControlAction* CTkCommandBars::GetOrCreateAction(int nId) {
    return m_pActions->Add(nId);
}

void CTkCommandBars::ClosePopups() const {
    Log("ClosePopups");
    CreateMouseManager()->CloseAllTracked();
}

CTkMouseManager* CTkCommandBars::GetMouseManager() const {
    return CreateMouseManager();
}

void CTkCommandBars::MarkCommandUsed(int nId) {
    Log("MarkCommandUsed " + std::to_string(nId));
}

void CTkCommandBars::ShowKeyboardCues(BOOL) {}

void CTkCommandBars::ShowKeyboardTips(CWnd*, int) {}

void CTkCommandBars::DestroyKeyboardTips() {}

BOOL CTkCommandBars::TrackPopupBar(CTkPopupBar*, UINT, int, int, CWnd*, LPCRECT, CWnd*) {
    return FALSE;
}

void CTkCommandBars::SetCustomizeMode(BOOL bMode) {
    m_bCustomizeMode = bMode;
}

void CTkCommandBars::SetCustomizeSelection(CTkControl* pControl) {
    if (pControl != nullptr)
        pControl->InternalAddRef();
    if (m_pCustomizeSelection != nullptr)
        m_pCustomizeSelection->InternalRelease();
    m_pCustomizeSelection = pControl;
    Log("SetCustomizeSelection");
}

// ---- Mouse and keyboard managers

CTkMouseManager::CTkMouseManager() = default;

CTkMouseManager::~CTkMouseManager() = default;

namespace {
std::vector<CTkCommandBar*>& TrackedBars() {
    static std::vector<CTkCommandBar*> bars;
    return bars;
}
}  // namespace

void CTkMouseManager::AddTrackedBar(CTkCommandBar* pBar) {
    if (std::find(TrackedBars().begin(), TrackedBars().end(), pBar) == TrackedBars().end())
        TrackedBars().push_back(pBar);
}

void CTkMouseManager::RemoveTrackedBar(CTkCommandBar* pBar) {
    TrackedBars().erase(std::remove(TrackedBars().begin(), TrackedBars().end(), pBar), TrackedBars().end());
}

int CTkMouseManager::GetTrackedCount() const {
    return static_cast<int>(TrackedBars().size());
}

BOOL CTkMouseManager::IsTrackingOtherBar(CTkCommandBar* pBar) const {
    return !TrackedBars().empty() && std::find(TrackedBars().begin(), TrackedBars().end(), pBar) == TrackedBars().end();
}

void CTkMouseManager::CloseAllTracked() {
    Log("CloseAllTracked");
    while (!TrackedBars().empty())
        TrackedBars().front()->EndTracking();
}

void CTkMouseManager::LockTrackedBars(BOOL) {}

void CTkMouseManager::AddTrustedWindow(HWND) {}

void CTkMouseManager::RemoveTrustedWindow(HWND) {}

CTkMouseManager* CreateMouseManager() {
    static CTkMouseManager manager;
    return &manager;
}

CTkKeyboardManager::CTkKeyboardManager() = default;

CTkKeyboardManager::~CTkKeyboardManager() = default;

void CTkKeyboardManager::AddSink(CTkHookManagerHookAble*) {}

void CTkKeyboardManager::RemoveSink(CTkHookManagerHookAble*) {}

BOOL CTkKeyboardManager::HasSinks() const {
    return FALSE;
}

BOOL CTkKeyboardManager::DispatchToSinks(UINT, WPARAM, LPARAM) {
    return FALSE;
}

CTkKeyboardManager* CreateKeyboardManager() {
    static CTkKeyboardManager manager;
    return &manager;
}

// ---- The drag tracker

CTkControlDragTracker::~CTkControlDragTracker() = default;

int CTkControlDragTracker::DragControl(CTkControl*, BOOL) {
    return kDragCancelled;
}
