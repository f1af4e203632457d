#include "TkControlDragTracker.h"

#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkPopupBar.h"
#include "TkResourceManager.h"

#include <windowsx.h>

#include <algorithm>

namespace {

// A mouse message's point on the screen.
CPoint MessagePointOnScreen(const MSG& msg) {
    CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
    if (msg.hwnd != nullptr)
        ::ClientToScreen(msg.hwnd, &pt);
    return pt;
}

CPoint ScreenToBarClient(CTkCommandBar* pBar, CPoint pt) {
    pBar->ScreenToClient(&pt);
    return pt;
}

// hWnd is the ancestor window or lies inside it.
BOOL IsWindowOrDescendant(HWND hwndAncestor, HWND hWnd) {
    for (; hWnd != nullptr; hWnd = ::GetAncestor(hWnd, GA_PARENT)) {
        if (hWnd == hwndAncestor)
            return TRUE;
    }
    return FALSE;
}

}  // namespace

CTkControlDragTracker::CTkControlDragTracker(CTkCommandBars* pCommandBars)
    : m_pCommandBars(pCommandBars),
      m_hNoDropCursor(GetResourceManager()->LoadCursor(kIdNoDropCursor)),
      m_hMoveCursor(GetResourceManager()->LoadCursor(kIdMoveCursor)),
      m_hCopyCursor(GetResourceManager()->LoadCursor(kIdCopyCursor)) {}

void CTkControlDragTracker::RegisterBar(CTkCommandBar* pBar) {
    m_bars.push_back(pBar);
}

void CTkControlDragTracker::UnregisterBar(CTkCommandBar* pBar) {
    m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), pBar), m_bars.end());
    if (m_pTarget == pBar)
        m_pTarget = nullptr;
}

void CTkControlDragTracker::SetCustomizeDialog(CWnd* pDialog, CTkPopupBar* pControlMenu) {
    m_pCustomizeDialog = pDialog;
    m_pControlMenu = pDialog != nullptr ? pControlMenu : nullptr;
}

int CTkControlDragTracker::DragControl(CTkControl* pControl, BOOL bCopyOnly) {
    if (m_pCommandBars == nullptr)
        return kDragNone;
    CWnd* pCapture = m_pCustomizeDialog;
    if (pCapture == nullptr)
        pCapture = DYNAMIC_DOWNCAST(CFrameWnd, m_pCommandBars->GetSite());
    if (pCapture == nullptr || pCapture->GetSafeHwnd() == nullptr)
        return kDragNone;
    m_hwndCapture = pCapture->GetSafeHwnd();
    m_pDragged = pControl;
    ::SetCapture(m_hwndCapture);
    m_bMove = FALSE;
    m_pTarget = nullptr;
    m_bCopyOnly = bCopyOnly;
    ::GetCursorPos(&m_ptStart);
    m_ptCurrent = m_ptStart;

    const int nResult = RunLoop();

    LeaveTarget();
    if (::GetCapture() == m_hwndCapture)
        ::ReleaseCapture();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    m_pDragged = nullptr;
    m_hwndCapture = nullptr;
    return nResult;
}

int CTkControlDragTracker::RunLoop() {
    int nResult = kDragCancelled;
    BOOL bMoved = FALSE;
    while (::GetCapture() == m_hwndCapture) {
        MSG msg = {};
        // The bars under the dragged control show their markers before the next move is looked at. A quit
        // comes out of any filter.
        BOOL bQuit = FALSE;
        while (!bQuit && ::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
            bQuit = msg.message == WM_QUIT;
            if (!bQuit)
                ::DispatchMessageW(&msg);
        }
        if (bQuit || !::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return kDragCancelled;
        }
        if (msg.message == WM_KEYDOWN) {
            if (msg.wParam == VK_ESCAPE)
                return kDragCancelled;
            if (msg.wParam == VK_CONTROL && m_bMove) {
                m_bMove = FALSE;
                UpdateCursor();
            }
            continue;
        }
        if (msg.message == WM_KEYUP) {
            if (msg.wParam == VK_CONTROL && !m_bMove) {
                m_bMove = TRUE;
                UpdateCursor();
            }
            continue;
        }
        if (msg.message == WM_RBUTTONDOWN)
            return kDragCancelled;
        if (msg.message == WM_LBUTTONUP) {
            m_ptCurrent = MessagePointOnScreen(msg);
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            m_ptCurrent = MessagePointOnScreen(msg);
            if (!bMoved) {
                bMoved = TRUE;
                // The control's own bar closes its popup and gives up the selection as the control leaves.
                if (CTkCommandBar* pOwnBar = m_pDragged->GetParent()) {
                    int nEffect = -1;
                    m_pDragged->HandleCustomizeDragOver(m_pDragged, ScreenToBarClient(pOwnBar, m_ptCurrent), nEffect);
                }
            }
            m_bMove = (msg.wParam & MK_CONTROL) == 0;
            DragOver(m_ptCurrent);
            nResult = kDragNone;
            // The button came up where this window could not see it: a release.
            if ((msg.wParam & MK_LBUTTON) == 0)
                break;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (::GetCapture() != m_hwndCapture)
        return kDragCancelled;
    if (m_pTarget == nullptr)
        return nResult;
    nResult = m_bMove ? kDragMoved : kDragCopied;
    CTkCommandBar* pTarget = m_pTarget;
    m_pTarget = nullptr;
    pTarget->OnDrop(m_pDragged, nResult, ScreenToBarClient(pTarget, m_ptCurrent),
                    ScreenToBarClient(pTarget, m_ptStart));
    return nResult;
}

CTkCommandBar* CTkControlDragTracker::FindBarAt(CPoint ptScreen) const {
    HWND hwndUnder = ::WindowFromPoint(ptScreen);
    for (auto it = m_bars.rbegin(); it != m_bars.rend(); ++it) {
        CTkCommandBar* pBar = *it;
        CRect rcWindow;
        if (!pBar->IsVisible() || !pBar->GetSafeHwnd() || !::GetWindowRect(pBar->GetSafeHwnd(), &rcWindow) ||
            !rcWindow.PtInRect(ptScreen))
            continue;
        if (IsWindowOrDescendant(pBar->GetSafeHwnd(), hwndUnder))
            return pBar;
    }
    return nullptr;
}

void CTkControlDragTracker::DragOver(CPoint ptScreen) {
    CTkCommandBar* pBar = FindBarAt(ptScreen);
    if (pBar != nullptr && pBar == m_pTarget) {
        pBar->OnDragOver(m_pDragged, ScreenToBarClient(pBar, ptScreen));
    } else {
        LeaveTarget();
        if (pBar != nullptr && pBar->OnDragEnter(m_pDragged, ScreenToBarClient(pBar, ptScreen)) != 0)
            m_pTarget = pBar;
    }
    UpdateCursor();
}

void CTkControlDragTracker::LeaveTarget() {
    if (m_pTarget == nullptr)
        return;
    CTkCommandBar* pTarget = m_pTarget;
    m_pTarget = nullptr;
    pTarget->OnDragLeave();
}

void CTkControlDragTracker::UpdateCursor() const {
    HCURSOR hCursor = m_hNoDropCursor;
    if (m_pTarget != nullptr)
        hCursor = m_bMove && !m_bCopyOnly ? m_hMoveCursor : m_hCopyCursor;
    // A missing cursor leaves the pointer as it is rather than hiding it.
    if (hCursor != nullptr)
        ::SetCursor(hCursor);
}

void CTkControlDragTracker::CustomizeDialogShowControlMenu(int x, int y) {
    if (m_pCustomizeDialog == nullptr || m_pControlMenu == nullptr || m_pCommandBars == nullptr)
        return;
    UINT nFlags = 0x1;
    if (m_pCommandBars->IsLayoutRTL())
        nFlags |= 0x8;
    CTkCommandBars::TrackPopupBar(m_pControlMenu, nFlags, x, y, DYNAMIC_DOWNCAST(CFrameWnd, m_pCommandBars->GetSite()),
                                  nullptr, m_pCustomizeDialog);
}
