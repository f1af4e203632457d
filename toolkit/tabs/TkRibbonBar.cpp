#include "TkRibbonBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkPaintManager.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonControls.h"
#include "TkRibbonGroup.h"
#include "TkRibbonGroups.h"
#include "TkRibbonPopupToolBars.h"
#include "TkRibbonQuickAccess.h"
#include "TkRibbonSystemButton.h"
#include "TkRibbonSystemPopupBar.h"
#include "TkRibbonSystemPopupBarControls.h"
#include "TkRibbonTab.h"
#include "TkRibbonTabContextHeader.h"
#include "TkRibbonTheme.h"
#include "TkThemedFrameHook.h"

namespace {

// Stretched over its dock row, and the frame's WM_MDISETMENU does not reach it.
constexpr DWORD kRibbonBarFlags = kBarFlagStretched | kMenuBarIgnoreMDISetMenu;

}  // namespace

IMPLEMENT_SERIAL(CTkRibbonBar, CTkMenuBar, VERSIONABLE_SCHEMA | 33)

BEGIN_MESSAGE_MAP(CTkRibbonBar, CTkMenuBar)
    ON_WM_CREATE()
    ON_WM_SHOWWINDOW()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_NCHITTEST()
    ON_COMMAND_RANGE(kIdRibbonQuickAccessBelow, kIdRibbonQuickAccessAbove, OnQuickAccessPosition)
    ON_MESSAGE(ControlNotifyMessage, OnControlNotify)
END_MESSAGE_MAP()

void RegisterRibbonClasses() {
    // Referencing the run-time classes links them in, and with them their registration by name (loads
    // create the ribbon's items by their stored class).
    static const CRuntimeClass* const classes[] = {
        RUNTIME_CLASS(CTkRibbonBar),
        RUNTIME_CLASS(CTkRibbonTab),
        RUNTIME_CLASS(CTkRibbonGroup),
        RUNTIME_CLASS(CTkRibbonGroupOption),
        RUNTIME_CLASS(CTkRibbonGroupControlPopup),
        RUNTIME_CLASS(CTkRibbonControlTab),
        RUNTIME_CLASS(CTkRibbonControls),
        RUNTIME_CLASS(CTkRibbonGroupPopupToolBar),
        RUNTIME_CLASS(CTkRibbonBarControlQuickAccessPopup),
        RUNTIME_CLASS(CTkRibbonControlSystemButton),
        RUNTIME_CLASS(CTkRibbonSystemPopupBar),
        RUNTIME_CLASS(CTkRibbonSystemPopupBarPage),
        RUNTIME_CLASS(CTkRibbonControlSystemPopupBarButton),
        RUNTIME_CLASS(CTkRibbonControlSystemPopupBarListItem),
        RUNTIME_CLASS(CTkRibbonControlSystemPopupBarListCaption),
        RUNTIME_CLASS(CTkRibbonControlSystemRecentFileList),
    };
    (void)classes;
    // Controls ask whether they lie in a ribbon's glass caption.
    RegisterGlassCaptionTest(IsRectInGlassCaption);
}

// ---- Construction

CTkRibbonBar::CTkRibbonBar() : m_pQuickAccessControls(new CTkRibbonQuickAccessControls) {
    m_nType = kBarTypeRibbon;
    m_dwFlags = kRibbonBarFlags;
    m_bCustomizable = FALSE;
    m_pControls->InternalRelease();
    m_pControls = new CTkRibbonControls;
    m_pControls->SetParent(this);
    m_pQuickAccessControls->SetParent(this);
    InitScrollableBar(this);
    SetCachedPaint(TRUE);
    SetAnimationEnabled(TRUE);

    m_pControlQuickAccess = new CTkRibbonBarControlQuickAccessPopup;
    m_pControls->Add(m_pControlQuickAccess, kIdRibbonQuickAccessCustomize, nullptr, -1, TRUE);
    m_pControlQuickAccessMore = new CControlQuickAccessMorePopup;
    m_pControls->Add(m_pControlQuickAccessMore, kIdRibbonQuickAccessMore, nullptr, -1, TRUE);
    m_pControlTab = new CTkRibbonControlTab;
    m_pControls->Add(m_pControlTab, kIdRibbonTabControl, nullptr, -1, TRUE);
}

CTkRibbonBar::~CTkRibbonBar() {
    m_pControlTab->DeleteAllItems();
    m_pQuickAccessControls->RemoveAll();
    m_pQuickAccessControls->InternalRelease();
    delete m_pFrameHook;
    RemoveContextHeaders();
}

// ---- Tabs and groups

CTkRibbonTab* CTkRibbonBar::AddTab(LPCWSTR pszCaption, int nId) {
    auto* pTab = new CTkRibbonTab;
    pTab->SetRibbonBar(this);
    pTab->SetParent(this);
    pTab->SetCaption(pszCaption);
    pTab->SetId(nId);
    m_pControlTab->InsertItem(m_pControlTab->GetItemCount(), pTab);
    return pTab;
}

CTkRibbonTab* CTkRibbonBar::GetSelectedTab() const {
    return m_pControlTab->GetSelectedTab();
}

int CTkRibbonBar::GetTabCount() const {
    return m_pControlTab->GetItemCount();
}

CTkRibbonTab* CTkRibbonBar::GetTab(int nIndex) const {
    return m_pControlTab->GetTab(nIndex);
}

CTkRibbonGroup* CTkRibbonBar::FindGroup(int nId) const {
    for (int i = 0; i < GetTabCount(); ++i) {
        if (CTkRibbonGroup* pGroup = GetTab(i)->GetGroups()->FindGroup(nId))
            return pGroup;
    }
    return nullptr;
}

void CTkRibbonBar::RefreshGroupHideFlags(CTkRibbonTab* pSelectedTab) {
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        auto* pGroup = static_cast<CTkRibbonGroup*>(pControl->GetRibbonGroup());
        if (pGroup == nullptr)
            continue;
        const BOOL bShown = pGroup->IsVisible() && pGroup->GetGroups() != nullptr &&
                            pGroup->GetGroups()->GetParentTab() == pSelectedTab && !m_bMinimized;
        const DWORD dwFlags = pControl->GetHideFlags();
        pControl->SetHideFlags(bShown ? dwFlags & ~kHideRibbonReduced : dwFlags | kHideRibbonReduced);
    }
}

BOOL CTkRibbonBar::IsCaptionVisible() const {
    return m_pFrameHook != nullptr || m_bShowCaptionAlways;
}

CTkRibbonControlSystemButton* CTkRibbonBar::AddSystemButton(int nId) {
    if (m_pControlSystemButton == nullptr) {
        m_pControlSystemButton = new CTkRibbonControlSystemButton;
        m_pControls->Add(m_pControlSystemButton, nId, nullptr, 0, FALSE);
    }
    return m_pControlSystemButton;
}

CTkRibbonTheme* CTkRibbonBar::GetRibbonTheme() const {
    CTkPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != nullptr && pPaintManager->GetThemeNumber() == kThemeRibbon
               ? static_cast<CTkRibbonTheme*>(pPaintManager)
               : nullptr;
}

// ---- Overrides of the bar

INT_PTR CTkRibbonBar::OnToolHitTest(CPoint point, TOOLINFO* pToolInfo) const {
    if (m_bTabsVisible && m_rcTabControl.PtInRect(point)) {
        const INT_PTR nHit = m_pControlTab->CTkTabManager::OnToolHitTest(m_hWnd, point, pToolInfo);
        if (nHit != -1)
            return nHit;
    }
    return CTkMenuBar::OnToolHitTest(point, pToolInfo);
}

BOOL CTkRibbonBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
    if (m_hWnd != nullptr)
        m_pControlTab->PerformMouseMove(m_hWnd, CPoint(-1, -1));
    if (nMode != kTrackingNone || m_nTrackingMode != kTrackingNone)
        SetHotGroup(nullptr);
    return CTkMenuBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
}

CSize CTkRibbonBar::GetIconSize() const {
    if (m_szIcons.cx > 0 && m_szIcons.cy > 0)
        return m_szIcons;
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr) {
        const CSize szOptions = pCommandBars->GetCommandBarsOptions()->m_szIcons;
        if (szOptions.cx > 0 && szOptions.cy > 0)
            return szOptions;
    }
    // The ribbon keeps small icons outside its groups, whatever the large-icons option says.
    return GetPaintManager()->GetIconSize(FALSE);
}

CSize CTkRibbonBar::GetButtonSize() const {
    if (m_szButtons.cx > 0 && m_szButtons.cy > 0)
        return m_szButtons;
    const int nHeight = GetPaintManager()->GetControlHeight();
    return CSize(nHeight, nHeight);
}

void CTkRibbonBar::SetVisible(BOOL bVisible) {
    const BOOL bWasVisible = IsVisible();
    CTkMenuBar::SetVisible(bVisible);
    if (m_pFrameHook != nullptr && IsVisible() != bWasVisible)
        m_pFrameHook->RecalcFrame();
}

void CTkRibbonBar::OnDrop(CTkControl* pDragged, int& nDropEffect, CPoint pt, CPoint ptStart) {
    const DropPosition pos = FindDropPosition(pDragged, pt);
    CTkControl* pTarget = GetControl(pos.nIndex);
    auto* pGroup = pTarget != nullptr ? static_cast<CTkRibbonGroup*>(pTarget->GetRibbonGroup()) : nullptr;
    if (pGroup == nullptr || pTarget == pDragged) {
        CTkMenuBar::OnDrop(pDragged, nDropEffect, pt, ptStart);
        return;
    }
    PopupControl(-1);
    SetSelected(-1);
    const int nInsert = pGroup->IndexOf(pTarget) + (pos.bAfter ? 1 : 0);
    CTkControl* pBefore = pGroup->GetAt(nInsert);
    const BOOL bTakesGroupStart = pBefore != nullptr && pBefore->GetBeginGroup();
    if (bTakesGroupStart)
        pBefore->SetBeginGroup(FALSE);
    CTkControl* pCopy = pGroup->InsertControl(pDragged, nInsert, TRUE);
    if (pCopy != nullptr) {
        if (bTakesGroupStart)
            pCopy->SetBeginGroup(TRUE);
        if (CTkCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->SetCustomizeSelection(pCopy);
    }
    RecalcLayout();
    m_rcMarker.SetRectEmpty();
    Redraw();
}

BOOL CTkRibbonBar::IsKeyboardCuesVisible() const {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return TRUE;
    // With keyboard tips the tips stand for the underlines.
    if (pCommandBars->GetCommandBarsOptions()->m_bKeyboardTips)
        return FALSE;
    return pCommandBars->IsKeyboardCuesVisible();
}

void CTkRibbonBar::EnsureVisible(CTkControl* pControl) {
    auto* pGroup = pControl != nullptr ? static_cast<CTkRibbonGroup*>(pControl->GetRibbonGroup()) : nullptr;
    if (pGroup == nullptr || pGroup->GetGroups() == nullptr)
        return;
    CTkRibbonTab* pTab = pGroup->GetGroups()->GetParentTab();
    if (pTab != GetSelectedTab())
        m_pControlTab->SelectItem(pTab);
    if (m_pControlScrollLeft->IsVisible() || m_pControlScrollRight->IsVisible())
        EnsureControlVisible(pGroup->GetGroups(), pControl->GetRect());
}

void CTkRibbonBar::OnRemoved() {
    DetachFrameHook();
    m_pQuickAccessControls->RemoveAll();
    m_pControlTab->DeleteAllItems();
    CTkMenuBar::OnRemoved();
}

void CTkRibbonBar::UpdateMDIButtons() {
    CTkMenuBar::UpdateMDIButtons();
    if (m_pFrameHook != nullptr)
        CheckFrameTitle();
}

int CTkRibbonBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) {
    if (m_nTrackingMode != kTrackingNone) {
        if (nMessage == WM_CONTEXTMENU) {
            // From the keyboard (the point -1, -1): the selected control's menu at its top-left corner;
            // the mouse's is swallowed.
            if (static_cast<DWORD>(lParam) == 0xFFFFFFFF) {
                if (CTkControl* pControl = GetControl(m_nSelected))
                    ShowContextMenu(pControl->GetRect().TopLeft(), pControl);
            }
            return kHookHandled;
        }
        CTkCommandBars* pCommandBars = GetCommandBars();
        if (nMessage == WM_MOUSEWHEEL && m_nTrackingMode != kTrackingPopup &&
            (pCommandBars == nullptr || pCommandBars->GetKeyboardTips().empty())) {
            SelectAdjacentTabOnWheel(GET_WHEEL_DELTA_WPARAM(wParam) <= 0);
            return kHookHandled;
        }
    }
    return CTkMenuBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
}

// ---- New operations

void CTkRibbonBar::SetMinimized(BOOL bMinimized) {
    if (m_bMinimized == bMinimized)
        return;
    m_bMinimized = bMinimized;
    if (!bMinimized && GetSelectedTab() == nullptr) {
        if (CTkTabManagerItem* pFirst = m_pControlTab->FindNextItem(-1, 1))
            m_pControlTab->SelectItem(pFirst);
    }
    RefreshGroupHideFlags(GetSelectedTab());
    RecalcLayout();
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
}

BOOL CTkRibbonBar::OnTabChanging(CTkRibbonTab* pTab) {
    RibbonTabNotifyRecord record;
    record.pTab = pTab;
    return m_pControlTab->NotifySiteWithData(TCN_SELCHANGING, &record) != 0;
}

void CTkRibbonBar::OnTabChanged(CTkRibbonTab* pTab) {
    RibbonTabNotifyRecord record;
    record.pTab = pTab;
    m_pControlTab->NotifySiteWithData(TCN_SELCHANGE, &record);
}

// ---- Messages

int CTkRibbonBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CTkMenuBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    HookSiteWindows();
    return 0;
}

void CTkRibbonBar::OnShowWindow(BOOL bShow, UINT nStatus) {
    CTkMenuBar::OnShowWindow(bShow, nStatus);
    if (m_pFrameHook != nullptr && bShow != m_bRibbonBarVisible) {
        m_bRibbonBarVisible = bShow;
        m_pFrameHook->RecalcFrame();
    }
}

void CTkRibbonBar::OnSysColorChange() {
    CTkMenuBar::OnSysColorChange();
    GetPaintManager()->RefreshMetrics();
    m_pControlTab->Reposition();
}

// ---- Glass captions

BOOL IsRectInGlassCaption(CTkCommandBar* pBar, const CRect& rc) {
    // Other bars may call themselves ribbons (popups of a ribbon): only the ribbon bar has a caption.
    auto* pRibbon = dynamic_cast<CTkRibbonBar*>(pBar);
    if (pRibbon == nullptr)
        return FALSE;
    CTkThemedFrameHook* pFrameHook = pRibbon->GetFrameHook();
    CRect rcBoth;
    return pFrameHook != nullptr && pFrameHook->IsDwmEnabled() && rcBoth.IntersectRect(&rc, &pRibbon->GetCaptionRect());
}
