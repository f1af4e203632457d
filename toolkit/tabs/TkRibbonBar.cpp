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
    };
    (void)classes;
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

void CTkRibbonBar::RefreshGroupHideFlags(CTkRibbonTab*) {}

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
    return CTkMenuBar::OnToolHitTest(point, pToolInfo);
}

BOOL CTkRibbonBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
    return CTkMenuBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
}

CSize CTkRibbonBar::GetIconSize() const {
    return CTkMenuBar::GetIconSize();
}

CSize CTkRibbonBar::GetButtonSize() const {
    return CTkMenuBar::GetButtonSize();
}

void CTkRibbonBar::SetVisible(BOOL bVisible) {
    CTkMenuBar::SetVisible(bVisible);
}

void CTkRibbonBar::OnDrop(CTkControl* pDragged, int& nDropEffect, CPoint pt, CPoint ptStart) {
    CTkMenuBar::OnDrop(pDragged, nDropEffect, pt, ptStart);
}

BOOL CTkRibbonBar::IsKeyboardCuesVisible() const {
    return CTkMenuBar::IsKeyboardCuesVisible();
}

void CTkRibbonBar::EnsureVisible(CTkControl* pControl) {
    CTkMenuBar::EnsureVisible(pControl);
}

void CTkRibbonBar::OnRemoved() {
    CTkMenuBar::OnRemoved();
}

void CTkRibbonBar::UpdateMDIButtons() {
    CTkMenuBar::UpdateMDIButtons();
}

int CTkRibbonBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) {
    return CTkMenuBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
}

// ---- New operations

void CTkRibbonBar::SetMinimized(BOOL bMinimized) {
    m_bMinimized = bMinimized;
}

BOOL CTkRibbonBar::OnTabChanging(CTkRibbonTab*) {
    return FALSE;
}

void CTkRibbonBar::OnTabChanged(CTkRibbonTab*) {}

// ---- Messages

int CTkRibbonBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CTkMenuBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    HookSiteWindows();
    return 0;
}

void CTkRibbonBar::OnShowWindow(BOOL bShow, UINT nStatus) {
    CTkMenuBar::OnShowWindow(bShow, nStatus);
}

void CTkRibbonBar::OnSysColorChange() {
    CTkMenuBar::OnSysColorChange();
}
