// The popup bar's mouse and timers: hovering the scroll strips, the tear-off strip and the expand button,
// and the two drag loops of the tear-off strip and the resize gripper.

#include "TkPopupBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkMouseManager.h"

#include <algorithm>

namespace {

constexpr UINT kTearOffInterval = 80;  // ms
constexpr int kTearOffMargin = 10;     // the strip grown by this much still holds the menu

// How a drag loop ended.
enum class DragEnd { ButtonUp, Escape, CaptureLost, Quit };

// Raises the thread mouse manager's lock while a drag runs, so that the tracked bars ignore the mouse;
// afterwards the pointer is put where it is, so the window under it hears a fresh move.
class CMouseLockScope {
public:
    CMouseLockScope() : m_pMouseManager(CreateMouseManager()) { ++m_pMouseManager->m_nLock; }
    ~CMouseLockScope() {
        --m_pMouseManager->m_nLock;
        CTkMouseManager::ResetLastMousePoint();
        POINT pt;
        if (::GetCursorPos(&pt))
            ::SetCursorPos(pt.x, pt.y);
    }
    CMouseLockScope(const CMouseLockScope&) = delete;
    CMouseLockScope& operator=(const CMouseLockScope&) = delete;

private:
    CTkMouseManager* m_pMouseManager;
};

// Holds the mouse for hWnd and runs the thread's messages, handing each move to a new screen point to
// onMove. Ends on the button's release, Esc, a capture taken away (another window or the system) and
// WM_QUIT, which goes back to the queue for the loop outside.
template <typename OnMove>
DragEnd RunDragLoop(HWND hWnd, OnMove onMove) {
    ::SetCapture(hWnd);
    CPoint ptLast(-1, -1);
    DragEnd end = DragEnd::CaptureLost;
    for (;;) {
        if (::GetCapture() != hWnd)
            return DragEnd::CaptureLost;
        MSG msg;
        // Pending paints go first, so windows uncovered by the drag repaint before the next move. A quit
        // comes through any filter, the paint peek's too: it is looked at like every other message.
        if (!::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE) &&
            !::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            end = DragEnd::Quit;
            break;
        }
        if (msg.message == WM_LBUTTONUP) {
            end = DragEnd::ButtonUp;
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            end = DragEnd::Escape;
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            const CPoint pt = msg.pt;
            if (pt != ptLast) {
                ptLast = pt;
                onMove(pt);
            }
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    return end;
}

}  // namespace

void CTkPopupBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_nLockCount > 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point)) {
        // The opener stays selected in its bar while the pointer is in its menu.
        CTkCommandBar* pParent = GetParentCommandBar();
        if (pParent != nullptr && m_pControlPopup != nullptr &&
            pParent->GetSelectedIndex() != m_pControlPopup->GetIndex())
            pParent->SetSelected(m_pControlPopup->GetIndex(), kSelectByMouse);
    }
    if (m_bScrolling) {
        const BOOL bDown = m_scrollDown.OnMouseMove(point);
        const BOOL bUp = m_scrollUp.OnMouseMove(point);
        if (bDown || bUp)
            PopupControl(-1);
    }
    if (m_bTearOffPopup && !IsCustomizeMode() && !m_bTearOffHot && m_rcTearOff.PtInRect(point)) {
        SetSelected(-1, kSelectByMouse);
        PopupControl(-1);
        m_nTearOffTimer = SetTimer(kTimerTearOff, kTearOffInterval, nullptr);
    }
    CTkCommandBar::OnMouseMove(nFlags, point);
}

BOOL CTkPopupBar::IsInResizeGripper(CPoint pt) const {
    if (m_nResizeKind == 0 || !m_rcGripper.PtInRect(pt))
        return FALSE;
    if (m_nResizeKind == 2)
        return TRUE;
    // The corner gripper is the square at the strip's far end.
    return pt.x >= m_rcGripper.right - m_rcGripper.Height();
}

BOOL CTkPopupBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (IsInResizeGripper(pt)) {
        LPCWSTR pszCursor = m_nResizeKind == 2 ? IDC_SIZENS : IsLayoutRTL() ? IDC_SIZENESW : IDC_SIZENWSE;
        ::SetCursor(::LoadCursorW(nullptr, pszCursor));
        return TRUE;
    }
    return CTkCommandBar::OnSetCursor(pWnd, nHitTest, message);
}

void CTkPopupBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_bTearOffPopup && !IsCustomizeMode() && m_rcTearOff.PtInRect(point)) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
        TrackTearOff();
        return;
    }
    if (IsInResizeGripper(point)) {
        TrackResize();
        return;
    }
    CTkCommandBar::OnLButtonDown(nFlags, point);
}

void CTkPopupBar::OnTimer(UINT_PTR nIDEvent) {
    switch (nIDEvent) {
        case kTimerScrollDown:
            if (m_nEndVisible >= GetControlCount()) {
                m_scrollDown.Disarm();
                return;
            }
            ++m_nEndVisible;
            ScrollLayout(CSize(0, 0), TRUE, TRUE);
            break;
        case kTimerScrollUp:
            if (m_nFirstVisible <= 0) {
                m_scrollUp.Disarm();
                return;
            }
            --m_nFirstVisible;
            ScrollLayout(CSize(0, 0), FALSE, TRUE);
            break;
        case kTimerTearOff: {
            CPoint pt;
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            const BOOL bInside = m_rcTearOff.PtInRect(pt);
            if (!m_bTearOffHot && bInside) {
                m_bTearOffHot = TRUE;
                Redraw();
            } else if (m_bTearOffHot && !bInside && !m_bTearOffDragging) {
                m_bTearOffHot = FALSE;
                Redraw();
                KillTimer(kTimerTearOff);
                m_nTearOffTimer = 0;
            }
            break;
        }
        case kTimerShowFull: {
            CTkControl* pSelected = GetControl(m_nSelected);
            if (pSelected != nullptr && pSelected->GetId() == static_cast<int>(kExpandButtonId))
                pSelected->Execute();
            KillTimer(kTimerShowFull);
            break;
        }
        default:
            break;
    }
    CTkCommandBar::OnTimer(nIDEvent);
}

void CTkPopupBar::TrackTearOff() {
    if (::GetCapture() != nullptr && ::GetCapture() != m_hWnd)
        return;
    CCmdTargetRef keepAlive(this);
    CMouseLockScope lock;
    CRect rcStrip = m_rcTearOff;
    ClientToScreen(&rcStrip);
    CRect rcHold = rcStrip;
    rcHold.InflateRect(kTearOffMargin, kTearOffMargin);
    m_bTearOffDragging = TRUE;
    BOOL bInside = TRUE;
    BOOL bTornOff = FALSE;
    RunDragLoop(m_hWnd, [&](CPoint pt) {
        const BOOL bNowInside = rcHold.PtInRect(pt);
        if (bNowInside != bInside) {
            bInside = bNowInside;
            if (bInside) {
                ShowWindow(SW_SHOWNA);
                if (m_pTornOffBar != nullptr && m_pTornOffBar->GetSafeHwnd() != nullptr)
                    m_pTornOffBar->ShowWindow(SW_HIDE);
            } else {
                ShowWindow(SW_HIDE);
                ShowTornOffBar(pt);
                bTornOff = m_pTornOffBar != nullptr;
            }
        } else if (!bInside && m_pTornOffBar != nullptr && m_pTornOffBar->GetSafeHwnd() != nullptr) {
            m_pTornOffBar->SetWindowPos(nullptr, pt.x - m_szTornOff.cx / 2, pt.y - kTearOffMargin, 0, 0,
                                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    });
    m_bTearOffDragging = FALSE;
    // A bar left behind while the menu came back is not torn off.
    if (bTornOff && !bInside) {
        if (CTkCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->ClosePopups();
    } else if (bInside && m_pTornOffBar != nullptr && m_pTornOffBar->GetSafeHwnd() != nullptr) {
        m_pTornOffBar->ShowWindow(SW_HIDE);
    }
}

void CTkPopupBar::TrackResize() {
    if (::GetCapture() != nullptr && ::GetCapture() != m_hWnd)
        return;
    CTkControl* pGallery = FindResizableControl();
    if (pGallery == nullptr)
        return;
    CCmdTargetRef keepAlive(this);
    CCmdTargetRef keepGallery(pGallery);
    CMouseLockScope lock;
    const int nStartWidth = pGallery->GetWidth();
    const int nStartHeight = pGallery->GetHeight();
    const int nMinWidth = pGallery->GetCustomizeMinWidth();
    const int nMinHeight = pGallery->GetCustomizeMinHeight();
    PopupControl(-1);
    SetSelected(-1, kSelectByMouse);
    const BOOL bRightToLeft = IsLayoutRTL();
    CPoint ptLast;
    ::GetCursorPos(&ptLast);
    int nWidth = nStartWidth;
    int nHeight = nStartHeight;
    const DragEnd end = RunDragLoop(m_hWnd, [&](CPoint pt) {
        nHeight += pt.y - ptLast.y;
        nWidth += bRightToLeft ? ptLast.x - pt.x : pt.x - ptLast.x;
        ptLast = pt;
        if (m_nResizeKind & 0x1)
            pGallery->SetWidth(std::max(nMinWidth, nWidth));
        if (m_nResizeKind & 0x2)
            pGallery->SetHeight(std::max(nMinHeight, nHeight));
        RecalcPopupSize();
    });
    if (end == DragEnd::Escape) {
        pGallery->SetWidth(nStartWidth);
        pGallery->SetHeight(nStartHeight);
        RecalcPopupSize();
    }
}
