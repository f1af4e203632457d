#include "TkCommandBar.h"

#include "TkCommandBarAnimation.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlAction.h"
#include "TkControlDragTracker.h"
#include "TkControlPopup.h"
#include "TkControls.h"
#include "TkImageManager.h"
#include "TkKeyboardManager.h"
#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkToolTipContext.h"

#include <windowsx.h>

#include <algorithm>

namespace {

// The sizes of a bar without a hub: its own icon size or 16 x 16; buttons are 6 larger than icons.
const CSize kDefaultIconSize(16, 16);
const CSize kDefaultLargeIconSize(32, 32);
constexpr int kButtonMargin = 6;

}  // namespace

IMPLEMENT_SERIAL(CTkCommandBar, CWnd, VERSIONABLE_SCHEMA | 33)

UINT CTkCommandBar::m_nHoverDelay = 300;
UINT CTkCommandBar::m_nExpandDelay = 5000;

BEGIN_MESSAGE_MAP(CTkCommandBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_TIMER()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

BEGIN_INTERFACE_MAP(CTkCommandBar, CCmdTarget)
    INTERFACE_PART(CTkCommandBar, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

// ---- Life

CTkCommandBar::CTkCommandBar() : m_pControls(new CTkControls), m_pAnimation(new CTkCommandBarAnimation(this)) {
    m_pControls->SetParent(this);
}

CTkCommandBar::~CTkCommandBar() {
    // The window goes first, while the whole bar still answers its last messages.
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_nTrackingMode != kTrackingNone)
        CTkCommandBar::SetTrackingMode(kTrackingNone, FALSE, FALSE);
    CreateKeyboardManager()->RemoveSink(this);
    CreateMouseManager()->ForgetBar(this);
    GetHookManager()->RemoveClient(this);
    m_pControls->RemoveAll();
    m_pControls->InternalRelease();
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
    if (m_pToolTipContext != nullptr)
        m_pToolTipContext->InternalRelease();
    delete m_pAnimation;
}

// ---- Kind, place and settings

BOOL CTkCommandBar::SetPosition(int) {
    return FALSE;
}

void CTkCommandBar::ModifyFlags(DWORD dwAdd, DWORD dwRemove) {
    m_dwFlags = (m_dwFlags & ~dwRemove) | dwAdd;
}

void CTkCommandBar::ShowGripper(BOOL bShow) {
    m_dwStyle = bShow ? (m_dwStyle | kBarStyleGripper) : (m_dwStyle & ~kBarStyleGripper);
}

void CTkCommandBar::SetTitle(LPCWSTR pszTitle) {
    m_strTitle = pszTitle;
    Redraw();
}

BOOL CTkCommandBar::IsLayoutRTL() const {
    return m_hWnd != nullptr && (GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0;
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
    return m_bCustomizable;
}

void CTkCommandBar::SetVisible(BOOL) {}

BOOL CTkCommandBar::IsVisible() const {
    return FALSE;
}

BOOL CTkCommandBar::IsShownOnScreen() const {
    if (m_hWnd == nullptr || !IsVisible() || !IsWindowVisible())
        return FALSE;
    CRect rc;
    GetWindowRect(&rc);
    return !rc.IsRectEmpty();
}

CRect CTkCommandBar::GetBorders() {
    return GetPaintManager()->GetBarBorders(this);
}

int CTkCommandBar::HitTestBar(int x, int y) const {
    CRect rc;
    GetWindowRect(&rc);
    if (!rc.PtInRect(CPoint(x, y)))
        return 0;
    if (m_nPosition == kBarPopup) {
        CRgn rgn;
        rgn.CreateRectRgn(0, 0, 0, 0);
        if (GetWindowRgn(static_cast<HRGN>(rgn.GetSafeHandle())) != ERROR &&
            !::PtInRegion(static_cast<HRGN>(rgn.GetSafeHandle()), x - rc.left, y - rc.top))
            return 0;
    }
    return 1;
}

// ---- Controls

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

// ---- Hub, site and managers

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
    while (CTkCommandBar* pParent = pBar->GetParentCommandBar())
        pBar = pParent;
    return const_cast<CTkCommandBar*>(pBar);
}

CWnd* CTkCommandBar::GetSite() const {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && pCommandBars->GetSite() != nullptr)
        return pCommandBars->GetSite();
    const CTkCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pOwnerWindow != nullptr)
        return pRoot->m_pOwnerWindow;
    if (m_hWnd != nullptr) {
        HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        if (hOwner == nullptr)
            hOwner = ::GetParent(m_hWnd);
        if (hOwner != nullptr)
            return CWnd::FromHandle(hOwner);
    }
    return AfxGetMainWnd();
}

CFrameWnd* CTkCommandBar::GetSiteFrame() const {
    return DYNAMIC_DOWNCAST(CFrameWnd, GetSite());
}

CWnd* CTkCommandBar::GetOwnerWindow() const {
    for (const CTkCommandBar* pBar = this; pBar != nullptr; pBar = pBar->GetParentCommandBar()) {
        if (pBar->m_pCommandOwner != nullptr)
            return pBar->m_pCommandOwner;
    }
    if (m_hWnd != nullptr) {
        if (HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER))
            return CWnd::FromHandle(hOwner);
    }
    return GetSite();
}

CTkPaintManager* CTkCommandBar::GetPaintManager() const {
    if (m_pPaintManager != nullptr)
        return m_pPaintManager;
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetPaintManager();
    const CTkCommandBar* pRoot = GetRootParent();
    return pRoot->m_pPaintManager != nullptr ? pRoot->m_pPaintManager : CTkPaintManager::GetCurrentPaintManager();
}

CTkImageManager* CTkCommandBar::GetImageManager() const {
    if (m_pImageManager != nullptr)
        return m_pImageManager;
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetImageManager();
    const CTkCommandBar* pRoot = GetRootParent();
    return pRoot->m_pImageManager != nullptr ? pRoot->m_pImageManager : ::GetImageManager();
}

// ---- Sizes: the bar's own, else the hub's options, else the paint manager's defaults

CSize CTkCommandBar::GetIconSize() const {
    if (m_szIcons.cx != 0 && m_szIcons.cy != 0)
        return m_szIcons;
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return kDefaultIconSize;
    const CTkCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    const BOOL bPopup = m_nType == kBarTypePopup;
    CSize szIcons = bPopup ? pOptions->m_szPopupIcons : pOptions->m_szIcons;
    if (szIcons.cx == 0 || szIcons.cy == 0)
        szIcons = GetDefaultIconSize(FALSE);
    if (pOptions->m_bLargeIcons && !bPopup && (m_szButtons.cx == 0 || m_szButtons.cy == 0)) {
        szIcons = pOptions->m_szLargeIcons;
        if (szIcons.cx == 0 || szIcons.cy == 0)
            szIcons = GetDefaultIconSize(TRUE);
    }
    return szIcons;
}

CSize CTkCommandBar::GetButtonSize() const {
    if (m_szButtons.cx != 0 && m_szButtons.cy != 0)
        return m_szButtons;
    const CSize szIcon = GetIconSize();
    return CSize(szIcon.cx + kButtonMargin, szIcon.cy + kButtonMargin);
}

CSize CTkCommandBar::GetLargeIconSize() const {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return m_szIcons.cx != 0 && m_szIcons.cy != 0 ? CSize(2 * m_szIcons.cx, 2 * m_szIcons.cy)
                                                      : kDefaultLargeIconSize;
    if (m_szButtons.cx != 0 && m_szButtons.cy != 0)
        return m_szButtons;
    const CTkCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    if (pOptions->m_szLargeIcons.cx != 0 && pOptions->m_szLargeIcons.cy != 0)
        return pOptions->m_szLargeIcons;
    return GetDefaultIconSize(TRUE);
}

CSize CTkCommandBar::GetDefaultIconSize(BOOL bLarge) const {
    return GetPaintManager()->GetIconSize(bLarge);
}

BOOL CTkCommandBar::GetTextBelowIcons() const {
    if (m_nShowTextBelowIcons != 2)
        return m_nShowTextBelowIcons;
    CTkCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->m_bShowTextBelowIcons;
}

// ---- Selection

BOOL CTkCommandBar::SetSelected(int nIndex, int nOrigin) {
    if (nIndex == m_nSelected)
        return FALSE;
    m_nSelectionOrigin = nOrigin;
    if (m_hWnd == nullptr)
        return FALSE;
    if (CTkControl* pOld = GetControl(m_nSelected)) {
        pOld->HandleMouseMove(CPoint(-1, -1));
        pOld->SetSelected(0);
    }
    m_nSelected = nIndex;
    if (nIndex == -1) {
        KillTimer(kTimerHover);
        return TRUE;
    }
    CTkControl* pControl = GetControl(nIndex);
    if (pControl == nullptr)
        return FALSE;
    if (nOrigin != kSelectByMouse) {
        EnsureVisible(pControl);
        pControl->SetSelected(std::max(nOrigin, static_cast<int>(kSelectForward)));
    } else {
        pControl->SetSelected(1);
    }
    if (m_nTrackingMode != kTrackingNone)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_MENU, nIndex + 1);
    CreateMouseManager()->SetHotBar(this);
    if (nOrigin == kSelectByMouse && m_bHoverOpen)
        SetTimer(kTimerHover, m_nHoverDelay);
    return TRUE;
}

void CTkCommandBar::ClearSelection() {
    SetSelected(-1, kSelectByMouse);
}

int CTkCommandBar::GetControlHelpId(CTkControl* pControl) {
    if (pControl->GetHelpId() > 0)
        return pControl->GetHelpId();
    if (CTkControlAction* pAction = pControl->GetAction())
        return pAction->GetHelpId() > 0 ? pAction->GetHelpId() : pAction->GetId();
    return pControl->GetId();
}

void CTkCommandBar::OnControlSelected(BOOL bSelected, CTkControl* pControl) {
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(ControlHighlightedMessage, bSelected ? reinterpret_cast<WPARAM>(pControl) : 0);
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->SetHighlightedHelpId(bSelected ? GetControlHelpId(pControl) : 0);
    if (pControl->GetIndex() != m_nLastDescribed) {
        m_nLastDescribed = -1;
        SetStatusText(bSelected ? pControl->GetDescription() : CString());
    }
}

void CTkCommandBar::SetStatusText(const CString& strText) {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && !pCommandBars->GetCommandBarsOptions()->m_bShowStatusDescriptions)
        return;
    CWnd* pSite = GetSite();
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return;
    if (!strText.IsEmpty())
        pSite->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(strText)));
    else
        pSite->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

// ---- Tracking and popups

BOOL CTkCommandBar::PopupControl(int nIndex, BOOL bKeyboard) {
    if (nIndex == m_nPopuped)
        return FALSE;
    if (m_nPopuped != -1) {
        CTkControl* pOld = GetControl(m_nPopuped);
        m_nPopuped = -1;
        if (pOld != nullptr)
            pOld->SetPopupOpen(FALSE);
    }
    if (nIndex == -1)
        return TRUE;
    CTkControl* pControl = GetControl(nIndex);
    if (pControl == nullptr || !pControl->GetEnabled())
        return FALSE;
    m_nPopuped = nIndex;
    SetTrackingMode(kTrackingPopup, FALSE, bKeyboard);
    SetSelected(nIndex, bKeyboard ? kSelectByMnemonic : kSelectByMouse);
    if (!pControl->SetPopupOpen(TRUE)) {
        m_nPopuped = -1;
        return FALSE;
    }
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->m_bShowFullAfterDelay && m_hWnd != nullptr)
        SetTimer(kTimerExpand, m_nExpandDelay);
    return TRUE;
}

BOOL CTkCommandBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
    // Between menu mode and an open popup only the mode changes.
    if ((m_nTrackingMode != kTrackingNone && nMode != kTrackingNone) || nMode == m_nTrackingMode) {
        m_nTrackingMode = nMode;
        return FALSE;
    }
    m_nTrackingMode = nMode;
    CTkCommandBars* pCommandBars = GetCommandBars();
    CTkMouseManager* pMouseManager = CreateMouseManager();

    if (nMode != kTrackingNone) {
        if (m_nType == kBarTypeMenuBar) {
            CWnd* pSite = GetSite();
            if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
                pSite->SendMessage(TrackingStartedMessage, reinterpret_cast<WPARAM>(this));
        }
        // Only the first popup of a tracking session animates.
        m_bAnimateNextPopup = TRUE;
        m_bEnteredByMouse = !bSelectFirst && !bKeyboard;
        m_nSelectionOrigin = bKeyboard;
        if (m_bHideCaret && m_hwndCaret == nullptr) {
            m_hwndCaret = ::GetFocus();
            if (m_hwndCaret == nullptr) {
                CWnd* pSite = GetSite();
                m_hwndCaret = pSite != nullptr ? pSite->GetSafeHwnd() : nullptr;
            }
            if (m_hwndCaret != nullptr)
                ::HideCaret(m_hwndCaret);
        }
        pMouseManager->AddTrackedBar(this);
        CreateKeyboardManager()->AddSink(this);
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        if (bSelectFirst)
            SetSelected(m_pControls->GetNext(-1, 1), kSelectForward);
    } else {
        m_bEnteredByMouse = FALSE;
        m_nSelectionOrigin = kSelectByMouse;
        pMouseManager->RemoveTrackedBar(this);
        CreateKeyboardManager()->RemoveSink(this);
        PopupControl(-1);
        if (bSelectFirst)
            SetSelected(-1, kSelectByMouse);
        if (m_hwndCaret != nullptr) {
            ::ShowCaret(m_hwndCaret);
            m_hwndCaret = nullptr;
        }
        Redraw(nullptr, TRUE);
        if (pMouseManager->GetTrackedCount() == 0)
            pMouseManager->m_bPopupOpening = FALSE;
        // The focus must not stay in a bar that no longer tracks.
        if (m_hWnd != nullptr && ::GetFocus() == m_hWnd) {
            if (HWND hParent = ::GetParent(m_hWnd))
                ::SetFocus(::GetNextDlgTabItem(hParent, m_hWnd, FALSE));
        }
        m_nLockCount = 0;
    }
    if (pCommandBars != nullptr)
        pCommandBars->OnTrackingModeChanged(this, nMode);
    return TRUE;
}

void CTkCommandBar::EndTracking() {
    SetTrackingMode(kTrackingNone, TRUE, FALSE);
}

void CTkCommandBar::SetTrackFlags(BOOL bRightButton, BOOL bNoNotify, BOOL bRecurse) {
    m_bRightButton = bRightButton;
    m_bNoNotify = bNoNotify;
    m_bRecurse = bRecurse;
}

// The loop leaves on a click that ends tracking, when tracking ends otherwise, and on WM_QUIT, which is
// posted again so that the application's own loop ends as well.
void CTkCommandBar::PumpMessagesWhileTracking() {
    // The bar may lose its other references while its messages run.
    CCmdTargetRef keepAlive(this);
    CTkMouseManager* pMouseManager = CreateMouseManager();
    while (m_nTrackingMode != kTrackingNone) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::WaitMessage();
            continue;
        }
        if (pMouseManager->EndsTracking(this, &msg)) {
            SetTrackingMode(kTrackingNone, TRUE, FALSE);
            break;
        }
        const int nGot = ::GetMessageW(&msg, nullptr, 0, 0);
        if (nGot <= 0) {
            if (nGot == 0) {
                SetTrackingMode(kTrackingNone, TRUE, FALSE);
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            }
            break;
        }
        if (m_nTrackingMode == kTrackingNone) {
            // Tracking ended while the message arrived: it belongs to the loop outside.
            ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            break;
        }
        if (msg.message == WM_KICKIDLE)
            continue;
        CWinThread* pThread = AfxGetThread();
        if (pThread == nullptr || !pThread->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

BOOL CTkCommandBar::Popup(CTkControl*, BOOL) {
    return FALSE;
}

BOOL CTkCommandBar::IsKeyboardCuesVisible() const {
    CTkCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars == nullptr || pCommandBars->IsKeyboardCuesVisible();
}

// ---- Layout and painting

int CTkCommandBar::DelayLayout() {
    m_dwState |= kStateLayoutPending;
    m_nSelected = -1;
    m_nPopuped = -1;
    return -1;
}

void CTkCommandBar::DelayRedraw() {
    m_dwState |= kStateRedrawPending;
}

void CTkCommandBar::RecalcLayout() {}

CSize CTkCommandBar::CalcDynamicSize(int, DWORD) {
    return CSize(0, 0);
}

void CTkCommandBar::Redraw(LPCRECT pRect, BOOL bAnimate) {
    if (m_nLockRedraw >= 1) {
        m_dwState |= kStateRedrawPending;
        return;
    }
    if (pRect == nullptr)
        m_dwState &= ~kStateRedrawPending;
    if (IsVisible() && m_hWnd != nullptr)
        m_pAnimation->RedrawBar(pRect, bAnimate);
}

void CTkCommandBar::EnsureVisible(CTkControl*) {}

void CTkCommandBar::FillBackground(CDC* pDC) {
    GetPaintManager()->FillBarBackground(pDC, this);
}

void CTkCommandBar::DrawCommandBar(CDC* pDC, CRect rcClip) {
    CTkPaintManager* pPaintManager = GetPaintManager();
    FillBackground(pDC);
    if (HasGripper() || m_nPosition == kBarFloating)
        pPaintManager->PaintBarGripper(pDC, this, TRUE);
    CScopedSaveDC saved(pDC->GetSafeHdc());
    pDC->SetBkMode(TRANSPARENT);
    CScopedSelectObject font(pDC->GetSafeHdc(), pPaintManager->GetBarFont(this)->GetSafeHandle());
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        CRect rcBoth;
        if (pControl->GetParent() != this || !pControl->IsVisible() ||
            !rcBoth.IntersectRect(&pControl->GetRect(), &rcClip))
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pPaintManager->PaintControlSeparator(pDC, this, pControl, TRUE);
        pControl->Draw(pDC);
        bFirst = FALSE;
    }
    DrawCustomizeMarks(pDC);
}

void CTkCommandBar::DrawCustomizeMarks(CDC* pDC) const {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && pCommandBars->IsCustomizeMode()) {
        CTkControl* pSelection = pCommandBars->GetCustomizeSelection();
        if (pSelection != nullptr && pSelection->GetParent() == this && pSelection->IsVisible()) {
            CRect rc = pSelection->GetRect();
            pDC->Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
            rc.DeflateRect(1, 1);
            pDC->Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
        }
        DrawInsertionMark(pDC);
    }
}

int CTkCommandBar::GetResizeKind() const {
    return 0;
}

void CTkCommandBar::SetCachedPaint(BOOL bCachedPaint) {
    m_pAnimation->SetCachedPaint(bCachedPaint);
}

void CTkCommandBar::SetAnimationEnabled(BOOL bEnable) {
    m_pAnimation->SetEnabled(bEnable);
}

BOOL CTkCommandBar::IsAnimationEnabled() const {
    return m_pAnimation->IsEnabled();
}

// ---- Copies

void CTkCommandBar::Copy(CTkCommandBar* pSource, BOOL bRecursive) {
    m_nType = pSource->m_nType;
    m_nPosition = pSource->m_nPosition;
    m_nBarId = pSource->m_nBarId;
    m_dwFlags = pSource->m_dwFlags;
    m_dwStyle = pSource->m_dwStyle;
    m_strTitle = pSource->m_strTitle;
    m_bCustomizable = pSource->m_bCustomizable;
    m_nMRUWidth = pSource->m_nMRUWidth;
    m_szIcons = pSource->m_szIcons;
    m_szButtons = pSource->m_szButtons;
    m_pCommandBars = pSource->m_pCommandBars;
    m_nDefaultButtonStyle = pSource->m_nDefaultButtonStyle;
    m_pControls->CopyFrom(pSource->m_pControls, bRecursive);
}

CTkCommandBar* CTkCommandBar::Clone(BOOL bRecursive) {
    auto* pClone = static_cast<CTkCommandBar*>(GetRuntimeClass()->CreateObject());
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CTkCommandBar::OnRemoved() {
    EndTracking();
    GetHookManager()->RemoveClient(this);
    CreateMouseManager()->ForgetBar(this);
    m_pControls->RemoveAll();
    if (m_hWnd != nullptr)
        DestroyWindow();
}

// ---- Messages

BOOL CTkCommandBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (m_pToolTipContext != nullptr)
        m_pToolTipContext->FilterToolTipMessage(this, message, wParam, lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

int CTkCommandBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_pToolTipContext != nullptr) {
        m_pToolTipContext->InternalRelease();
        m_pToolTipContext = nullptr;
    }
    if (CTkCommandBars* pCommandBars = GetCommandBars()) {
        // A combo box's list takes no drops.
        if (m_nPosition != kBarList)
            pCommandBars->GetDragTracker()->RegisterBar(this);
        m_pToolTipContext = pCommandBars->GetToolTipContext();
        m_pToolTipContext->InternalAddRef();
    } else if (!IsPopupBar()) {
        m_pToolTipContext = new CTkToolTipContext;
    }
    return 0;
}

void CTkCommandBar::OnDestroy() {
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->GetDragTracker()->UnregisterBar(this);
    EndTracking();
    m_pAnimation->OnDestroy();
    CWnd::OnDestroy();
}

void CTkCommandBar::OnPaint() {
    CPaintDC dc(this);
    m_pAnimation->OnPaint(dc);
}

BOOL CTkCommandBar::OnEraseBkgnd(CDC*) {
    return TRUE;
}

LRESULT CTkCommandBar::OnPrintClient(WPARAM wParam, LPARAM) {
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    CRect rc;
    GetClientRect(&rc);
    DrawCommandBar(pDC, rc);
    return 1;
}

void CTkCommandBar::OnTimer(UINT_PTR nIDEvent) {
    CWnd::OnTimer(nIDEvent);
    switch (nIDEvent) {
        case kTimerShowKeyboardTips: {
            CTkCommandBars* pCommandBars = GetCommandBars();
            if (pCommandBars != nullptr && CreateMouseManager()->GetLastTrackedBar() == this &&
                GetActiveKeyboardTipLevel() == 0)
                pCommandBars->ShowKeyboardTips(this, 1);
            break;
        }
        case kTimerHover:
            if (m_nLockCount > 0)
                break;
            KillTimer(kTimerHover);
            if (CTkControl* pControl = GetControl(m_nSelected))
                pControl->HandleHoverDelay();
            break;
        case kTimerExpand:
            if (m_nLockCount > 0)
                break;
            KillTimer(kTimerExpand);
            if (m_nPopuped != -1 && m_nPopuped == m_nSelected) {
                if (auto* pPopup = DYNAMIC_DOWNCAST(CTkControlPopup, GetControl(m_nPopuped)))
                    pPopup->ExpandOpenMenu();
            }
            break;
        case kTimerAnimation:
            m_pAnimation->OnTimer();
            break;
        default:
            break;
    }
}

int CTkCommandBar::OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT&) {
    if (m_nTrackingMode == kTrackingNone)
        return kHookNotHandled;
    if (nMessage == WM_KEYDOWN)
        return OnTrackingKeyDown(static_cast<UINT>(wParam), lParam);
    if (nMessage == WM_MOUSEWHEEL) {
        CTkControl* pControl = GetControl(m_nSelected);
        if (pControl != nullptr && pControl->IsFocused()) {
            pControl->HandleMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam),
                                       CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            return kHookHandled;
        }
    }
    return kHookNotHandled;
}

LRESULT CTkCommandBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
    return OnIdleUpdate(static_cast<BOOL>(wParam), static_cast<BOOL>(lParam));
}

LRESULT CTkCommandBar::OnInitialUpdate(WPARAM, LPARAM) {
    return OnIdleUpdate(TRUE, FALSE);
}

LRESULT CTkCommandBar::OnHelpHitTest(WPARAM, LPARAM lParam) {
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (CTkControl* pControl = m_pControls->HitTest(pt))
        return 0x10000 + GetControlHelpId(pControl);
    const int nId = GetDlgCtrlID();
    return nId != 0 ? 0x50000 + nId : 0;
}

LRESULT CTkCommandBar::OnNcHitTest(CPoint point) {
    CFrameWnd* pFrame = GetSiteFrame();
    if (pFrame == nullptr || !pFrame->m_bHelpMode)
        return CWnd::OnNcHitTest(point);
    CPoint ptClient = point;
    ScreenToClient(&ptClient);
    CTkControl* pControl = m_pControls->HitTest(ptClient);
    // In context-help mode a menu item without a command asks for the menu's help.
    if (pControl != nullptr && IsPopupControlType(pControl->GetType()) && pControl->GetId() == 0)
        return HTMENU;
    return HTCLIENT;
}

void CTkCommandBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    CFrameWnd* pFrame = GetSiteFrame();
    if (pFrame == nullptr || !pFrame->m_bHelpMode) {
        CWnd::OnNcLButtonDown(nHitTest, point);
        return;
    }
    CPoint ptClient = point;
    ScreenToClient(&ptClient);
    OnLButtonDown(0, ptClient);
}
