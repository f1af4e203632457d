#include "TkCommandBars.h"

#include "TkCommandBarList.h"

#include "TkColorManager.h"
#include "TkCommandBar.h"
#include "TkCommandBarKeyboardTip.h"
#include "TkControl.h"
#include "TkControlAction.h"
#include "TkControlDragTracker.h"
#include "TkControls.h"
#include "TkDockBar.h"
#include "TkImageManager.h"
#include "TkMenuBar.h"
#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkPopupBar.h"
#include "TkShortcutManager.h"
#include "TkToolBar.h"
#include "TkToolTipContext.h"

#include <algorithm>

namespace {

// Lays the frame out once, or at the next idle update.
constexpr UINT kFrameLayoutFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

TabClientRefresh s_pfnTabClientRefresh = nullptr;

}  // namespace

void RegisterTabClientRefresh(TabClientRefresh pfnRefresh) {
    s_pfnTabClientRefresh = pfnRefresh;
}

IMPLEMENT_DYNCREATE(CTkCommandBars, CCmdTarget)

CRuntimeClass* CTkCommandBars::m_pToolBarClass = RUNTIME_CLASS(CTkToolBar);
CRuntimeClass* CTkCommandBars::m_pMenuBarClass = RUNTIME_CLASS(CTkMenuBar);
CRuntimeClass* CTkCommandBars::m_pPopupBarClass = RUNTIME_CLASS(CTkPopupBar);
CRuntimeClass* CTkCommandBars::m_pPopupToolBarClass = RUNTIME_CLASS(CTkPopupToolBar);
CRuntimeClass* CTkCommandBars::m_pDockBarClass = RUNTIME_CLASS(CTkDockBar);

// ---- Options

void CTkCommandBarsOptions::SetKeyboardCuesShow(int nValue) {
    m_nKeyboardCuesShow = nValue;
    m_pCommandBars->m_bCuesHiddenUntilAlt = FALSE;
    m_pCommandBars->m_bKeyboardCuesVisible = nValue != kCuesShowNever;
    BOOL bSystemCues = TRUE;
    if (nValue == kCuesShowSystem && ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0) && !bSystemCues) {
        m_pCommandBars->m_bCuesHiddenUntilAlt = TRUE;
        m_pCommandBars->m_bKeyboardCuesVisible = FALSE;
    }
}

// ---- Life

CTkCommandBars::CTkCommandBars()
    : m_pDragTracker(new CTkControlDragTracker(this)),
      m_pOptions(new CTkCommandBarsOptions(this)),
      m_pToolTipContext(new CTkToolTipContext),
      m_pShortcutManager(new CTkShortcutManager(this)),
      m_pActions(new CTkControlActions(this)),
      m_pContextMenus(new CTkCommandBarsContextMenus(this)) {
    // Captions are shown as written: an '&' in a tip is a character, not a mnemonic.
    m_pToolTipContext->ModifyToolTipStyle(TTS_NOPREFIX, 0);
}

CTkCommandBars::~CTkCommandBars() {
    SetCustomizeSelection(nullptr);
    if (m_pAttachedObject != nullptr)
        m_pAttachedObject->InternalRelease();
    DestroyKeyboardTips();
    RemoveAllBars();
    // The context menus go before the options and managers their controls may reach.
    delete m_pContextMenus;
    DestroyDockBars();
    delete m_pDragTracker;
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
    m_pToolTipContext->InternalRelease();
    m_pShortcutManager->InternalRelease();
    m_pOptions->InternalRelease();
    m_pActions->RemoveAll();
    m_pActions->InternalRelease();
}

// ---- The frame

void CTkCommandBars::AttachToSite(CWnd* pSite) {
    m_pSite = pSite;
    AFX_CMDHANDLERINFO info = {};
    m_bCustomizationAllowed = pSite->OnCmdMsg(kIdCustomize, CN_COMMAND, nullptr, &info);
    m_bRightToLeft = (pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

CTkCommandBar* CTkCommandBars::FindVisibleMenuBar() const {
    CTkCommandBar* pBar = FindBarById(1);
    if (pBar == nullptr || !pBar->IsVisible())
        return nullptr;
    const int nType = pBar->GetType();
    return nType == kBarTypeMenuBar || nType == kBarTypeRibbon ? pBar : nullptr;
}

void CTkCommandBars::RecalcFrameLayout(BOOL bDelay) {
    if (m_bLayoutLock || m_pSite == nullptr || m_pSite->GetSafeHwnd() == nullptr)
        return;
    if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pSite)) {
        if (bDelay)
            pFrame->m_nIdleFlags |= idleLayout;
        else
            pFrame->RecalcLayout();
        return;
    }
    CRect rc;
    m_pSite->GetClientRect(&rc);
    m_pSite->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
}

void CTkCommandBars::FlushDelayedFrameLayout() {
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pSite);
    if (pFrame != nullptr && (pFrame->m_nIdleFlags & idleLayout) != 0) {
        pFrame->RecalcLayout(FALSE);
        pFrame->m_nIdleFlags &= ~idleLayout;
    }
}

void CTkCommandBars::RecalcAllBars() {
    m_bLayoutLock = TRUE;
    for (CTkCommandBar* pBar : m_bars) {
        for (int i = 0; i < pBar->GetControlCount(); ++i)
            pBar->GetControl(i)->OnMetricsChanged();
        if (pBar->IsVisible())
            pBar->RecalcLayout();
    }
    if (m_pSite != nullptr && m_pSite->GetSafeHwnd() != nullptr) {
        for (HWND hChild = ::GetTopWindow(m_pSite->GetSafeHwnd()); hChild != nullptr;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            ::InvalidateRect(hChild, nullptr, TRUE);
    }
    m_bLayoutLock = FALSE;
    RecalcFrameLayout(FALSE);
    if (m_pSite != nullptr && m_pSite->GetSafeHwnd() != nullptr) {
        m_pSite->SetWindowPos(nullptr, 0, 0, 0, 0, kFrameLayoutFlags);
        m_pSite->SendMessage(WM_NCPAINT);
    }
    if (s_pfnTabClientRefresh != nullptr)
        s_pfnTabClientRefresh(m_pSite);
}

void CTkCommandBars::RedrawVisibleBars() {
    for (CTkCommandBar* pBar : m_bars) {
        if (pBar->IsVisible() && pBar->GetSafeHwnd() != nullptr)
            pBar->Redraw();
    }
}

UINT CTkCommandBars::GetActiveMenuId() {
    auto* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pSite);
    if (pMDIFrame == nullptr)
        return 0;
    CMDIChildWnd* pChild = pMDIFrame->MDIGetActive();
    return pChild != nullptr ? pChild->m_nIDHelp : m_nFrameMenuId;
}

// ---- Bars

int CTkCommandBars::GetCount() const {
    return static_cast<int>(m_bars.size());
}

CTkCommandBar* CTkCommandBars::GetAt(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_bars[static_cast<size_t>(nIndex)] : nullptr;
}

CTkCommandBar* CTkCommandBars::FindBarById(UINT nBarId) const {
    if (nBarId == 0)
        return nullptr;
    for (CTkCommandBar* pBar : m_bars) {
        if (pBar->GetBarId() == nBarId)
            return pBar;
    }
    return nullptr;
}

int CTkCommandBars::IndexOf(const CTkCommandBar* pBar) const {
    auto it = std::find(m_bars.begin(), m_bars.end(), pBar);
    return it != m_bars.end() ? static_cast<int>(it - m_bars.begin()) : -1;
}

int CTkCommandBars::FindNextVisibleBar(int nStart, int nStep) const {
    const int nCount = GetCount();
    if (nCount == 0)
        return -1;
    // A walk from before the first bar moves towards one end only: it never wraps there.
    const BOOL bFromEdge = nStart == -1;
    int nIndex = bFromEdge && nStep < 0 ? nCount : nStart;
    int nWraps = 0;
    for (;;) {
        nIndex += nStep;
        if (nIndex < 0 || nIndex >= nCount) {
            if (bFromEdge || ++nWraps > 1)
                return -1;
            nIndex = nStep > 0 ? 0 : nCount - 1;
        }
        if (nIndex == nStart)
            return nStart;
        if (m_bars[static_cast<size_t>(nIndex)]->IsVisible())
            return nIndex;
    }
}

void CTkCommandBars::ToggleBarVisible(int nIndex) {
    CTkCommandBar* pBar = GetAt(nIndex);
    if (pBar == nullptr)
        return;
    pBar->SetVisible(!pBar->IsVisible());
    m_pOptions->m_bDirty = TRUE;
}

void CTkCommandBars::RemoveToolBar(CTkCommandBar* pBar) {
    auto it = std::find(m_bars.begin(), m_bars.end(), pBar);
    if (it == m_bars.end())
        return;
    if (pBar->GetSafeHwnd() != nullptr)
        pBar->ShowWindow(SW_HIDE);
    pBar->m_bVisible = FALSE;
    pBar->OnRemoved();
    m_bars.erase(std::find(m_bars.begin(), m_bars.end(), pBar));
    pBar->InternalRelease();
    RecalcFrameLayout(FALSE);
}

void CTkCommandBars::RemoveAllBars() {
    m_bLayoutLock = TRUE;
    while (!m_bars.empty()) {
        CTkCommandBar* pBar = m_bars.back();
        if (pBar->GetSafeHwnd() != nullptr)
            pBar->ShowWindow(SW_HIDE);
        pBar->OnRemoved();
        m_bars.pop_back();
        pBar->InternalRelease();
    }
    m_bLayoutLock = FALSE;
    RecalcFrameLayout(TRUE);
}

// ---- Painting and images

CTkPaintManager* CTkCommandBars::GetPaintManager() const {
    return m_pPaintManager != nullptr ? m_pPaintManager : CTkPaintManager::GetCurrentPaintManager();
}

CTkImageManager* CTkCommandBars::GetImageManager() const {
    return m_pImageManager != nullptr ? m_pImageManager : ::GetImageManager();
}

// ---- Actions and commands

CTkControlAction* CTkCommandBars::FindAction(int nId) const {
    return m_pActions->FindAction(nId);
}

CTkControlAction* CTkCommandBars::GetOrCreateAction(int nId) {
    CTkControlAction* pAction = m_pActions->FindAction(nId);
    return pAction != nullptr ? pAction : m_pActions->Add(nId);
}

BOOL CTkCommandBars::IsCommandHidden(UINT nId) const {
    BOOL bValue = FALSE;
    return m_pOptions->m_mapHiddenCommands.Lookup(nId, bValue) && !m_pOptions->m_mapUsedCommands.Lookup(nId, bValue);
}

BOOL CTkCommandBars::IsControlHidden(CTkControl* pControl) const {
    if (IsCommandHidden(static_cast<UINT>(pControl->GetId())))
        return TRUE;
    if (!m_pOptions->m_bAutoHideUnusedPopups || !IsPopupControlType(pControl->GetType()))
        return FALSE;
    CTkCommandBar* pSubBar = pControl->GetCommandBar();
    if (pSubBar == nullptr || pSubBar->GetControlCount() == 0)
        return FALSE;
    for (int i = 0; i < pSubBar->GetControlCount(); ++i) {
        if (!IsControlHidden(pSubBar->GetControl(i)))
            return FALSE;
    }
    return TRUE;
}

void CTkCommandBars::MarkCommandUsed(int nId) {
    if (!IsCommandHidden(static_cast<UINT>(nId)))
        return;
    m_pOptions->m_mapUsedCommands.SetAt(static_cast<UINT>(nId), TRUE);
    m_pOptions->m_bDirty = TRUE;
}

// ---- Tracking and popups

void CTkCommandBars::ClosePopups() const {
    GetMouseManager()->CloseAllTracked();
}

CTkMouseManager* CTkCommandBars::GetMouseManager() const {
    if (m_pMouseManager == nullptr)
        m_pMouseManager = CreateMouseManager();
    return m_pMouseManager;
}

void CTkCommandBars::OnTrackingModeChanged(CTkCommandBar* pBar, int nMode) {
    CTkMouseManager* pManager = GetMouseManager();
    if (nMode == kTrackingNone && m_bCuesHiddenUntilAlt && pManager->GetTrackedCount() == 0)
        ShowKeyboardCues(FALSE);
    if (m_nTipLevel > 0 && m_pOptions->m_bKeyboardTips) {
        DestroyKeyboardTips();
        // A popup still open that was entered by keyboard shows its own first tips again.
        CTkCommandBar* pLast = pManager->GetLastTrackedBar();
        if (pLast != nullptr && pLast->IsPopupBar() && !pLast->IsEnteredByMouse() && pLast->GetSafeHwnd() != nullptr)
            pLast->PostMessage(WM_TIMER, kTimerShowKeyboardTips);
    }
    m_pToolTipContext->CancelToolTips();
}

BOOL CTkCommandBars::ActivateBar(CTkCommandBar* pBar, int nDirection) {
    if (nDirection != 0) {
        if (GetCount() < 2)
            return FALSE;
        const int nNext = FindNextVisibleBar(IndexOf(pBar), nDirection);
        if (nNext == -1 || GetAt(nNext) == pBar)
            return FALSE;
        pBar = GetAt(nNext);
    }
    ClosePopups();
    ShowKeyboardCues(TRUE);
    m_nTipLevel = 1;
    pBar->SetTrackingMode(kTrackingMenu, FALSE, TRUE);
    pBar->SetSelected(pBar->GetControls()->GetNext(-1, 1), kSelectForward);
    return TRUE;
}

// ---- Customisation

void CTkCommandBars::SetCustomizeMode(BOOL bMode) {
    m_pOptions->m_bDirty = TRUE;
    m_bCustomizeMode = bMode;
    m_bCustomizeDialog = bMode;
    SetCustomizeSelection(nullptr);
    ShowKeyboardCues(bMode);
}

void CTkCommandBars::SetCustomizeSelection(CTkControl* pControl) {
    if (pControl == m_pCustomizeSelection)
        return;
    CTkControl* pOld = m_pCustomizeSelection;
    if (pControl != nullptr)
        pControl->InternalAddRef();
    m_pCustomizeSelection = pControl;
    if (pOld != nullptr) {
        pOld->RedrawParent(FALSE);
        pOld->InternalRelease();
    }
    if (pControl != nullptr)
        pControl->RedrawParent(FALSE);
    CWnd* pNotified = m_pDragTracker->GetCustomizeDialog();
    if (pNotified == nullptr)
        pNotified = m_pSite;
    if (pNotified != nullptr && pNotified->GetSafeHwnd() != nullptr)
        pNotified->SendMessage(CustomizeSelectionMessage);
}

// ---- Print preview

void CTkCommandBars::SetPreviewMode(BOOL bPreview) {
    if (bPreview == m_bPreviewMode)
        return;
    m_bPreviewMode = bPreview;
    // The toolbars hide while previewing and come back afterwards.
    for (CTkCommandBar* pBar : m_bars) {
        if (auto* pToolBar = DYNAMIC_DOWNCAST(CTkToolBar, pBar))
            pToolBar->OnSetPreviewMode(bPreview);
    }
    m_pShortcutManager->IncrementDisableCount(bPreview);
}
