#include "TkControlButton.h"

#include "TkCommandBar.h"
#include "TkPropExchange.h"

#include <windowsx.h>

IMPLEMENT_SERIAL(CTkControlButton, CTkControl, VERSIONABLE_SCHEMA | 33)

CTkControlButton::CTkControlButton() {
    m_nType = kControlButton;
}

void CTkControlButton::HandleClick(BOOL bKeyboard, CPoint pt) {
    if (!GetEnabled())
        return;
    if (IsCustomizeMode()) {
        m_pParent->PopupControl(-1);
        m_pParent->SetSelected(-1);
        StartCustomizeDrag(pt);
        return;
    }
    if (bKeyboard) {
        Execute();
        return;
    }
    // In popup bars a press does nothing: the release executes.
    if (m_pParent != nullptr && m_pParent->GetType() != kBarTypePopup)
        TrackClick(CRect());
}

void CTkControlButton::HandleButtonUp(CPoint pt) {
    if (GetEnabled() && m_pParent != nullptr &&
        (m_pParent->GetType() == kBarTypePopup || m_pParent->GetPosition() == kBarPopup))
        Execute();
}

void CTkControlButton::ExchangeProperties(CTkPropExchange* pPX) {
    CTkControl::ExchangeProperties(pPX);
    if (pPX->m_nSchema < 18)
        ExchangeInt(pPX, L"Style", m_nStyle, kButtonAutomatic);
}

void CTkControlButton::TrackClick(CRect rc) {
    CTkCommandBar* pBar = m_pParent;
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    if (rc.IsRectEmpty())
        rc = m_rcControl;
    // The command may remove the control from its bar while the loop or Execute runs.
    CCmdTargetRef keepAlive(this);
    pBar->PopupControl(-1);
    pBar->SetSelected(m_nIndex, 0);
    m_nPressed = 1;
    RedrawParent(TRUE);

    const BOOL bRepeat = m_nExecuteOnPressInterval > 0;
    CWnd* pOwner = pBar->GetOwnerWindow();
    const HWND hwndBar = pBar->GetSafeHwnd();
    CPoint ptPress;
    ::GetCursorPos(&ptPress);
    ::ScreenToClient(hwndBar, &ptPress);
    ::SetCapture(hwndBar);
    if (bRepeat) {
        ::SetTimer(hwndBar, kTimerButtonRepeat, static_cast<UINT>(m_nExecuteOnPressInterval), nullptr);
        SendCommand(pOwner);
    }

    BOOL bClick = FALSE;
    BOOL bMoved = FALSE;
    while (::GetCapture() == hwndBar && m_pParent == pBar) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP) {
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::MapWindowPoints(msg.hwnd, hwndBar, &pt, 1);
            bClick = m_nSelected != 0 && (!bMoved || rc.PtInRect(pt));
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hwndBar && msg.wParam == kTimerButtonRepeat) {
            if (m_nSelected != 0)
                SendCommand(pOwner);
            continue;
        }
        if (msg.message == WM_MOUSEMOVE) {
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::MapWindowPoints(msg.hwnd, hwndBar, &pt, 1);
            bMoved = bMoved || pt != ptPress;
            SetSelected(rc.PtInRect(pt) ? 1 : 0);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }

    if (::IsWindow(hwndBar))
        ::KillTimer(hwndBar, kTimerButtonRepeat);
    m_nPressed = bClick && !bRepeat && pBar->GetPosition() != kBarPopup ? 2 : 0;
    if (::GetCapture() == hwndBar)
        ::ReleaseCapture();
    if (m_pParent == pBar && m_nSelected != 0) {
        // Keeps the description in the status bar.
        pBar->SetLastDescribedIndex(m_nIndex);
        pBar->SetSelected(-1);
    }
    if (bClick && !bRepeat) {
        Execute();
        if (m_nPressed != 0) {
            m_nPressed = 0;
            RedrawParent(TRUE);
        }
    } else {
        RedrawParent(TRUE);
    }
}
