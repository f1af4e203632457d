// The toolbar's window messages: moving and resizing by the mouse, the frame's layout and activation.

#include "TkToolBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkDockContext.h"
#include "TkPaintManager.h"
#include "TkWindowFunctions.h"

namespace {

// The inner edge of a floating bar's frame: outside it the bar is resized.
constexpr int kResizeFrame = 3;
// The mouse-activation refusal and the frame of a floating bar that follows its frame's activation.
constexpr DWORD kSyncActivationStyle = MFS_SYNCACTIVE;

BOOL IsTopLevelParentActive(CWnd* pWnd) {
    CWnd* pTop = pWnd->GetTopLevelParent();
    return pTop != nullptr && ::GetForegroundWindow() == pTop->GetSafeHwnd();
}

// PaintExpandButton's kind of a docked bar's expand button.
constexpr int kExpandDockedKind = 0;

}  // namespace

BEGIN_MESSAGE_MAP(CTkToolBar, CTkCommandBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEACTIVATE()
    ON_WM_RBUTTONDOWN()
    ON_WM_SETFOCUS()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

void CTkToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (IsFloating())
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (m_pControls->HitTest(point) != nullptr) {
        CTkCommandBar::OnLButtonDown(nFlags, point);
        return;
    }
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
    if (m_pDockContext != nullptr && (m_dwFlags & kBarFlagMovable) != 0) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        m_pDockContext->StartMove(ptScreen.x, ptScreen.y);
    }
}

void CTkToolBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (m_pControls->HitTest(point) != nullptr) {
        CTkCommandBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    if (m_pDockContext != nullptr)
        m_pDockContext->ToggleDocking();
}

void CTkToolBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    if (m_pDockContext == nullptr || nHitTest < static_cast<UINT>(kFirstResizeHitCode) ||
        nHitTest > static_cast<UINT>(kLastResizeHitCode)) {
        CTkCommandBar::OnNcLButtonDown(nHitTest, point);
        return;
    }
    const HWND hForeground = ::GetForegroundWindow();
    if (hForeground != m_hWnd && !::IsChild(hForeground, m_hWnd)) {
        if (CWnd* pTop = GetTopLevelParent())
            pTop->SetForegroundWindow();
    }
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
    m_pDockContext->StartResize(static_cast<int>(nHitTest), point.x, point.y);
}

// A floating bar is resized from a 3-pixel frame; the top and bottom edges win over the corners.
LRESULT CTkToolBar::OnNcHitTest(CPoint point) {
    if (!IsFloating() || m_nType == kBarTypePopup)
        return CTkCommandBar::OnNcHitTest(point);
    CRect rc;
    GetWindowRect(&rc);
    rc.DeflateRect(kResizeFrame, kResizeFrame);
    if (rc.PtInRect(point))
        return CTkCommandBar::OnNcHitTest(point);
    if (point.y < rc.top)
        return HTTOP;
    if (point.y >= rc.bottom)
        return HTBOTTOM;
    if (point.x < rc.left)
        return HTLEFT;
    return HTRIGHT;
}

BOOL CTkToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (IsDocked() && HasGripper() && m_pDockContext != nullptr && (m_dwFlags & kBarFlagMovable) != 0) {
        const CRect rcBorders = GetBorders();
        const CRect rcClient = MakeClientRect(this);
        CRect rcLeft = rcClient;
        rcLeft.right = rcLeft.left + rcBorders.left;
        CRect rcTop = rcClient;
        rcTop.bottom = rcTop.top + rcBorders.top;
        BOOL bInGripper = FALSE;
        CPoint pt;
        GetCursorPosInClient(&pt, this);
        if (IsDialogBar()) {
            rcLeft.left += kResizeFrame;
            bInGripper = rcLeft.PtInRect(pt) || rcTop.PtInRect(pt);
        } else if (m_nPosition == kBarLeft || m_nPosition == kBarRight) {
            bInGripper = rcTop.PtInRect(pt);
        } else {
            bInGripper = rcLeft.PtInRect(pt);
        }
        if (bInGripper) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
            return TRUE;
        }
    }
    return CTkCommandBar::OnSetCursor(pWnd, nHitTest, message);
}

int CTkToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    if (IsFloating() || IsCustomizeMode())
        return MA_NOACTIVATE;
    if (IsTopLevelParentActive(this)) {
        CWnd* pFocus = CWnd::GetFocus();
        CFrameWnd* pFrame = pFocus != nullptr ? pFocus->GetParentFrame() : nullptr;
        if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
            return MA_NOACTIVATE;
    }
    return CTkCommandBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CTkToolBar::OnRButtonDown(UINT nFlags, CPoint point) {
    if (CTkControl* pControl = m_pControls->HitTest(point)) {
        if (pControl->HandleRightButtonDown(point))
            return;
    }
    if (GetCommandBars() == nullptr)
        return;
    if (IsCustomizeMode()) {
        CTkCommandBar::OnRButtonDown(nFlags, point);
        return;
    }
    SetTrackingMode(kTrackingNone, FALSE);
    ClearSelection();
    Redraw();
}

void CTkToolBar::OnSetFocus(CWnd* pOldWnd) {
    if (m_hwndCaret == nullptr && pOldWnd != nullptr)
        m_hwndCaret = pOldWnd->GetSafeHwnd();
    Default();
    if (m_pDockContext == nullptr)
        SetTrackingMode(kTrackingMenu, TRUE);
}

// A docked bar's expand button stands at the end of the window: the layout placed it by the window's size
// before the frame moved the window, so it follows the size the window now has.
void CTkToolBar::OnSize(UINT nType, int cx, int cy) {
    CTkCommandBar::OnSize(nType, cx, cy);
    CTkControl* pExpand = m_pControls->FindById(kIdToolBarExpand);
    if (IsDocked() && pExpand != nullptr && pExpand->IsVisible())
        GetPaintManager()->PaintExpandButton(nullptr, kExpandDockedKind, pExpand, this, FALSE, FALSE);
}

// A toolbar laid out directly by an MFC frame takes the top of what is left.
LRESULT CTkToolBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;
    DWORD dwMode = (m_dwFlags & kBarFlagStretched) != 0 ? 0x4B : 0x4A;
    if ((m_dwFlags & kBarFlagHideWrap) != 0)
        dwMode |= kLayoutHideWrap;
    if (pLayout->hDWP == nullptr)
        dwMode &= ~kLayoutCommit;
    const CRect rcAvailable(pLayout->rect);
    CSize sz = CalcLayout(rcAvailable.Width(), dwMode);
    sz.cx = std::min(sz.cx, static_cast<LONG>(rcAvailable.Width()));
    sz.cy = std::min(sz.cy, static_cast<LONG>(rcAvailable.Height()));
    pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, sz.cx);
    pLayout->sizeTotal.cy += sz.cy;
    pLayout->rect.top += sz.cy;
    if (pLayout->hDWP != nullptr) {
        const CRect rc(rcAvailable.left, rcAvailable.top, rcAvailable.left + sz.cx, rcAvailable.top + sz.cy);
        AfxRepositionWindow(pLayout, m_hWnd, &rc);
    }
    Redraw();
    return 0;
}

LRESULT CTkToolBar::OnFloatStatus(WPARAM wParam, LPARAM) {
    const LRESULT lResult = (GetStyle() & kSyncActivationStyle) != 0 && (wParam & FS_SYNCACTIVE) != 0;
    if (!IsFloating() || !IsVisible())
        return lResult;
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && !pCommandBars->GetCommandBarsOptions()->m_bSyncFloatingBars)
        return lResult;
    constexpr UINT kQuiet = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
    const BOOL bFrameActive = IsTopLevelParentActive(this);
    if ((wParam & FS_DEACTIVATE) != 0 && !bFrameActive)
        SetWindowPos(nullptr, 0, 0, 0, 0, kQuiet | SWP_HIDEWINDOW);
    if ((wParam & FS_ACTIVATE) != 0 && !IsShownOnScreen() && bFrameActive) {
        const HWND hForeground = ::GetForegroundWindow();
        if (::IsWindowVisible(hForeground) && !::IsIconic(hForeground))
            SetWindowPos(nullptr, 0, 0, 0, 0, kQuiet | SWP_SHOWWINDOW);
    }
    if ((wParam & FS_SHOW) != 0)
        SetWindowPos(nullptr, 0, 0, 0, 0, kQuiet | SWP_SHOWWINDOW);
    if ((wParam & FS_HIDE) != 0)
        SetWindowPos(nullptr, 0, 0, 0, 0, kQuiet | SWP_HIDEWINDOW);
    if ((wParam & FS_ENABLE) != 0)
        EnableWindow(TRUE);
    if ((wParam & FS_DISABLE) != 0)
        EnableWindow(FALSE);
    return lResult;
}

// Only the hide button closes a toolbar.
void CTkToolBar::OnClose() {}
