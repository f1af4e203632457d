#include "TkPopupBar.h"

#include "MultiMonitorHelper.h"
#include "SoundManager.h"
#include "TkCommandBarKeyboardTip.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlPopup.h"
#include "TkControls.h"
#include "TkDCWrappers.h"
#include "TkImageManager.h"
#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkPopupPlacement.h"
#include "TkShadowManager.h"
#include "TkToolTipContext.h"
#include "TkWindowFunctions.h"

#include <cstdlib>

// The popup bar's window, its opening, placement and closing. Layout, scrolling and the personalised
// menus are in TkPopupBarLayout.cpp; the mouse, timers and the drag loops in TkPopupBarMouse.cpp.

IMPLEMENT_SERIAL(CTkPopupBar, CTkCommandBar, VERSIONABLE_SCHEMA | 33)

namespace {

constexpr DWORD kPopupBarStyle = 0x86000100;  // popup, clip siblings and children, synchronised activation
constexpr DWORD kStyleSyncActive = 0x100;
constexpr DWORD kAccessibleMenuPopupStart = 6;
constexpr DWORD kAccessibleMenuPopupEnd = 7;
constexpr DWORD kControlFlagsExpandButton = 0x5A;

}  // namespace

// ---- The expand button

CTkPopupBar::CControlExpandButton::CControlExpandButton() {
    m_nType = kControlButton;
    m_dwFlags = kControlFlagsExpandButton;
    m_nId = kExpandButtonId;
}

void CTkPopupBar::CControlExpandButton::Execute() {
    if (auto* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, m_pParent))
        pPopupBar->ExpandToFullMenu();
}

void CTkPopupBar::CControlExpandButton::Draw(CDC* pDC) {
    if (CTkPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->PaintExpandButton(pDC, 1, this, m_pParent, TRUE, FALSE);
}

// ---- The bar

BEGIN_MESSAGE_MAP(CTkPopupBar, CTkCommandBar)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_WM_NCACTIVATE()
    ON_WM_NCCREATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CTkPopupBar::CTkPopupBar() {
    m_nType = kBarTypePopup;
    m_nPosition = kBarPopup;
}

CTkPopupBar::~CTkPopupBar() = default;

CTkPopupBar* CTkPopupBar::CreatePopupBar(CTkCommandBars* pCommandBars) {
    CRuntimeClass* pClass = CTkCommandBars::m_pPopupBarClass;
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(CTkPopupBar)))
        return nullptr;
    auto* pPopup = static_cast<CTkPopupBar*>(pClass->CreateObject());
    if (pPopup != nullptr)
        pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}

BOOL CTkPopupBar::IsPopupBar() const {
    return TRUE;
}

BOOL CTkPopupBar::IsVisible() const {
    return m_hWnd != nullptr && ::IsWindowVisible(m_hWnd);
}

CTkCommandBar* CTkPopupBar::GetParentCommandBar() const {
    return m_pControlPopup != nullptr ? m_pControlPopup->GetParent() : nullptr;
}

BOOL CTkPopupBar::AllowsWideItems() const {
    return FALSE;
}

// Child windows (edits, galleries' windows) live on after the popup: they go to the site first.
BOOL CTkPopupBar::DestroyWindow() {
    if (m_hWnd == nullptr)
        return FALSE;
    CWnd* pSite = GetSite();
    HWND hSite = pSite != nullptr ? pSite->GetSafeHwnd() : nullptr;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr;) {
        HWND hNext = ::GetWindow(hChild, GW_HWNDNEXT);
        ::ShowWindow(hChild, SW_HIDE);
        ::SetParent(hChild, hSite);
        hChild = hNext;
    }
    return CTkCommandBar::DestroyWindow();
}

void CTkPopupBar::DelayRedraw() {
    Redraw();
}

int CTkPopupBar::DelayLayout() {
    m_nSelected = -1;
    m_nPopuped = -1;
    RecalcLayout();
    return -1;
}

BOOL CTkPopupBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
    if (!CTkCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    CWnd* pSite = GetSite();
    if (nMode != kTrackingNone) {
        NotifyWinEvent(kAccessibleMenuPopupStart, m_hWnd, OBJID_MENU, CHILDID_SELF);
    } else {
        NotifyWinEvent(kAccessibleMenuPopupEnd, m_hWnd, OBJID_MENU, CHILDID_SELF);
        // The window and the open state of the opener go before anyone hears of the end.
        CCmdTargetRef keepAlive(this);
        DestroyWindow();
        if (m_pControlPopup != nullptr) {
            CTkCommandBar* pParent = m_pControlPopup->GetParent();
            if (pParent != nullptr && pParent->GetControl(pParent->GetPopupedIndex()) == m_pControlPopup)
                pParent->PopupControl(-1);
        }
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
            pSite->SendMessage(PopupClosedMessage, 0, reinterpret_cast<LPARAM>(this));
        ::Sleep(1);
        m_pControlPopup = nullptr;
    }
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->UpdateWindow();
    return TRUE;
}

BOOL CTkPopupBar::CreatePopupWindow() {
    if (m_hWnd != nullptr)
        return TRUE;
    CTkCommandBars* pCommandBars = GetCommandBars();
    UINT nClassStyle = CS_DBLCLKS;
    if (pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->m_bPopupSaveBits)
        nClassStyle |= CS_SAVEBITS;
    if (!RegisterToolkitWindowClass(nullptr, kPopupBarClassName, nClassStyle, nullptr))
        return FALSE;
    const BOOL bRightToLeft =
        pCommandBars != nullptr ? pCommandBars->IsLayoutRTL() : GetImageManager()->m_nMirrorMode == 1;
    const DWORD dwExStyle = WS_EX_TOOLWINDOW | (bRightToLeft ? WS_EX_LAYOUTRTL : 0);
    CWnd* pSite = GetSite();
    return CreateEx(dwExStyle, kPopupBarClassName, m_strTitle, kPopupBarStyle, 0, 0, 0, 0,
                    pSite != nullptr ? pSite->GetSafeHwnd() : nullptr, nullptr);
}

void CTkPopupBar::UnlockRedraw() {
    LockRedraw(FALSE);
    if (m_nLockRedraw == 0 && (m_dwState & kStateRedrawPending))
        Redraw();
}

BOOL CTkPopupBar::PopupAt(int x, int y, LPCRECT pExclude) {
    m_ptAnchor.SetPoint(x, y);
    if (pExclude != nullptr)
        m_rcExclude = *pExclude;
    return Popup(nullptr, FALSE);
}

BOOL CTkPopupBar::Popup(CTkControl* pControl, BOOL bSelectFirst) {
    m_pControlPopup = pControl;
    if (!CreatePopupWindow())
        return FALSE;
    if (m_pToolTipContext != nullptr)
        m_pToolTipContext->CancelToolTips();
    LockRedraw(TRUE);
    if (CWnd* pOwner = GetOwnerWindow(); pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr)
        pOwner->SendMessage(PopupOpeningMessage, 0, reinterpret_cast<LPARAM>(this));
    m_bTearOffHot = FALSE;
    m_bHasHiddenCommands = FALSE;
    // A menu expanded by the user stays expanded for the menus opened while the tracking lasts.
    m_bExpanded = IsCustomizeMode() ? TRUE : CreateMouseManager()->m_bPopupOpening;

    UpdateExpandDirection();
    const CSize size = CalcDynamicSize(0, 0);
    UpdatePosition(size.cx, size.cy);
    if (m_hWnd == nullptr) {
        UnlockRedraw();
        return FALSE;
    }
    if (pControl != nullptr) {
        CTkCommandBar* pParent = pControl->GetParent();
        if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr) {
            UnlockRedraw();
            DestroyWindow();
            return FALSE;
        }
    }
    SetTrackingMode(kTrackingMenu, bSelectFirst, bSelectFirst);
    m_dwState &= ~kStateLayoutPending;
    CTkCommandBars* pCommandBars = GetCommandBars();
    OnIdleUpdate(TRUE, pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->m_bDisableCommandIfNoHandler);
    if (m_hWnd == nullptr) {
        UnlockRedraw();
        return FALSE;
    }
    AnimateShow();
    GetSoundManager()->PlaySystemSound(kSoundMenuPopup);
    ShowShadows();
    m_dwState |= kStateLayoutPending;
    UnlockRedraw();
    return TRUE;
}

void CTkPopupBar::ShowShadows() {
    CTkPaintManager* pPaintManager = GetPaintManager();
    if (m_nPosition != kBarPopup || !m_bShowShadow || !pPaintManager->m_bShowShadow || IsCustomizeMode())
        return;
    CTkShadowManager* pShadowManager = pPaintManager->GetShadowManager();
    if (pShadowManager == nullptr)
        return;
    pShadowManager->RemoveShadow(this);
    pShadowManager->SetShadow(this, m_rcExclude.IsRectEmpty() ? nullptr : &m_rcExclude);
}

void CTkPopupBar::UpdatePosition(int cx, int cy) {
    const CRect rc = CalcPopupRect(m_ptAnchor, CSize(cx, cy));
    if (m_hWnd == nullptr)
        return;
    UINT nFlags = SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;
    if (::IsWindowVisible(m_hWnd))
        nFlags |= SWP_NOZORDER;
    SetWindowPos(&CWnd::wndTopMost, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
}

void CTkPopupBar::UpdateExpandDirection() {
    CTkCommandBar* pParent = GetParentCommandBar();
    if (m_pControlPopup == nullptr || pParent == nullptr)
        return;
    m_nDirection = (m_pControlPopup->GetFlags() & kControlFlagPopupLeft) || IsLayoutRTL() ? kPopupLeft : 0;
    const int nParentPosition = pParent->GetPosition();
    const int nParentType = pParent->GetType();
    const BOOL bFloatingPopupType = nParentPosition == kBarFloating && nParentType == kBarTypePopup;
    if (nParentPosition == kBarPopup && (pParent->GetFlags() & kBarFlagStacked)) {
        m_nDirection |= kPopupDown;
    } else if (nParentPosition == kBarRight) {
        m_nDirection = kPopupLeft;
    } else if (nParentPosition == kBarLeft || nParentPosition == kBarPopup || bFloatingPopupType) {
        auto* pParentPopup = DYNAMIC_DOWNCAST(CTkPopupBar, pParent);
        if (nParentType == kBarTypePopup && pParentPopup != nullptr && (pParentPopup->m_nDirection & kPopupLeft))
            m_nDirection = kPopupLeft;
    } else {
        m_nDirection |= kPopupDown;
    }

    CRect rc = m_pControlPopup->GetRect();
    if (m_pControlPopup->GetType() == kControlComboBox && nParentType != kBarTypePopup) {
        m_nDirection |= kPopupDown;
    } else {
        AdjustControlRect(rc, nParentPosition == kBarLeft || nParentPosition == kBarRight ||
                                  nParentPosition == kBarPopup || bFloatingPopupType);
    }
    pParent->ClientToScreen(&rc);
    m_rcExclude = rc;
    m_ptAnchor = (m_nDirection & kPopupDown) ? CPoint(rc.left, rc.bottom) : CPoint(rc.right, rc.top);
}

void CTkPopupBar::AdjustControlRect(CRect& rc, BOOL bVertical) {
    if (auto* pPopup = DYNAMIC_DOWNCAST(CTkControlPopup, m_pControlPopup))
        pPopup->AdjustPopupRect(rc, bVertical);
}

CRect CTkPopupBar::CalcPopupRect(CPoint ptAnchor, CSize size) {
    const MultiMonitorHelper* pMonitors = GetMultiMonitorHelper();
    PopupPlacementInput in;
    in.ptAnchor = ptAnchor;
    in.size = size;
    in.rcExclude = m_rcExclude;
    in.rcWork = m_rcExclude.IsRectEmpty() ? pMonitors->GetWorkAreaAtPoint(ptAnchor)
                                          : pMonitors->GetWorkAreaOfRect(&m_rcExclude);
    in.rcMonitor = m_rcExclude.IsRectEmpty() ? pMonitors->GetScreenAreaAtPoint(ptAnchor)
                                             : pMonitors->GetScreenAreaOfRect(&m_rcExclude);
    in.nDirection = m_nDirection;
    CTkCommandBars* pCommandBars = GetCommandBars();
    const BOOL bPlacementOption = pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->m_nPopupPlacement;
    in.bFlipAllowed = bPlacementOption || IsMultiColumn();
    in.rcSideways = m_rcExclude;
    CTkCommandBar* pParent = GetParentCommandBar();
    if (m_pControlPopup != nullptr && pParent != nullptr &&
        !(m_pControlPopup->GetType() == kControlComboBox && pParent->GetType() != kBarTypePopup)) {
        CRect rc = m_pControlPopup->GetRect();
        AdjustControlRect(rc, TRUE);
        pParent->ClientToScreen(&rc);
        in.rcSideways = rc;
    }
    if (m_nType == kBarTypePopup && !IsMultiColumn())
        in.remeasure = [this](int nMaxHeight) { return CalcDynamicSize(nMaxHeight, 0); };

    const PopupPlacement out = CalcPopupPlacement(in);
    m_nDirection = out.nDirection;
    m_bScrolling = out.bScrolls && m_nType == kBarTypePopup && m_nPosition == kBarPopup;
    if (m_bScrolling) {
        m_nFirstVisible = 0;
        ScrollLayout(out.rc.Size(), FALSE, FALSE);
    }
    return out.rc;
}

int CTkPopupBar::GetAnimationKind() const {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || (m_hWnd != nullptr && ::GetWindow(m_hWnd, GW_CHILD) != nullptr))
        return kPopupAnimationNone;
    const int nAnimation = pCommandBars->GetCommandBarsOptions()->m_nAnimationType;
    if (nAnimation == kPopupAnimationSystem) {
        BOOL bAnimate = FALSE;
        if (!::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bAnimate, 0) || !bAnimate)
            return kPopupAnimationNone;
        BOOL bFade = FALSE;
        return ::SystemParametersInfoW(SPI_GETMENUFADE, 0, &bFade, 0) && bFade ? kPopupAnimationFade
                                                                               : kPopupAnimationSlide;
    }
    if (nAnimation == kPopupAnimationRandom) {
        static const int kKinds[] = {kPopupAnimationFade, kPopupAnimationSlide, kPopupAnimationUnfold};
        return kKinds[std::rand() % 3];
    }
    return nAnimation;
}

void CTkPopupBar::AnimateShow() {
    CTkCommandBar* pParent = GetParentCommandBar();
    const BOOL bAsked = pParent == nullptr || pParent->IsAnimateNextPopup();
    const int nKind = bAsked && !IsCustomizeMode() && ::GetWindow(m_hWnd, GW_CHILD) == nullptr ? GetAnimationKind()
                                                                                               : kPopupAnimationNone;
    CTkPaintManager* pPaintManager = GetPaintManager();
    if (nKind >= kPopupAnimationUnfold && nKind <= kPopupAnimationFade) {
        if (m_pControlPopup != nullptr)
            m_pControlPopup->RedrawParent(FALSE);
        if (pParent != nullptr)
            pParent->UpdateWindow();
        if (CWnd* pSite = GetSite())
            pSite->UpdateWindow();
        CRect rcClient;
        GetClientRect(&rcClient);
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        CClientDC dcClient(this);
        CBitmap bmpBuffer;
        bmpBuffer.CreateCompatibleBitmap(&dcClient, rcClient.Width(), rcClient.Height());
        CTkCompatibleDC dcBuffer(&dcClient, &bmpBuffer);
        DrawCommandBar(&dcBuffer, rcClient);
        {
            // The screen under the window is what the animation starts from.
            CWindowDC dcDesktop(nullptr);
            const DWORD dwLayout = ::SetLayout(dcClient.GetSafeHdc(), 0);
            dcClient.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcDesktop, rcWindow.left, rcWindow.top,
                            SRCCOPY);
            ::SetLayout(dcClient.GetSafeHdc(), dwLayout);
        }
        pPaintManager->ShapePopupWindow(this);
        pPaintManager->AnimatePopup(&dcClient, &dcBuffer, rcClient, nKind);
    } else {
        pPaintManager->ShapePopupWindow(this);
    }
    if (pParent != nullptr)
        pParent->SetAnimateNextPopup(FALSE);
}

void CTkPopupBar::Copy(CTkCommandBar* pSource, BOOL bRecursive) {
    CTkCommandBar::Copy(pSource, bRecursive);
    auto* pPopup = DYNAMIC_DOWNCAST(CTkPopupBar, pSource);
    if (pPopup == nullptr)
        return;
    m_bTearOffPopup = pPopup->m_bTearOffPopup;
    m_strTearOffCaption = pPopup->m_strTearOffCaption;
    m_nTearOffId = pPopup->m_nTearOffId;
    m_nTearOffWidth = pPopup->m_nTearOffWidth;
    m_bShowShadow = pPopup->m_bShowShadow;
    m_rcBorders = pPopup->m_rcBorders;
    m_bContextMenu = pPopup->m_bContextMenu;
}

void CTkPopupBar::SetTearOffPopup(LPCWSTR pszCaption, UINT nBarId, int nWidth) {
    m_bTearOffPopup = TRUE;
    m_strTearOffCaption = pszCaption;
    m_nTearOffId = nBarId;
    m_nTearOffWidth = nWidth;
}

// ---- Window messages

BOOL CTkPopupBar::OnNcActivate(BOOL bActive) {
    // The menu never takes the activation from its frame.
    return bActive ? FALSE : CTkCommandBar::OnNcActivate(bActive);
}

int CTkPopupBar::OnMouseActivate(CWnd*, UINT, UINT) {
    return MA_NOACTIVATE;
}

LRESULT CTkPopupBar::OnFloatStatus(WPARAM wParam, LPARAM) {
    return (wParam & FS_SYNCACTIVE) && (GetStyle() & kStyleSyncActive) ? TRUE : FALSE;
}

BOOL CTkPopupBar::OnNcCreate(LPCREATESTRUCT lpCreateStruct) {
    if (!CTkCommandBar::OnNcCreate(lpCreateStruct))
        return FALSE;
    if (GetStyle() & kStyleSyncActive) {
        CWnd* pTopLevel = GetTopLevelParent();
        HWND hForeground = ::GetForegroundWindow();
        BOOL bActive = pTopLevel != nullptr && pTopLevel->GetSafeHwnd() == hForeground;
        if (!bActive && pTopLevel != nullptr && hForeground != nullptr &&
            ::GetLastActivePopup(pTopLevel->GetSafeHwnd()) == hForeground)
            bActive = ::SendMessageW(hForeground, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
        SendMessage(WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE);
    }
    return TRUE;
}
