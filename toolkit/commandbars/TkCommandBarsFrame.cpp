// The hub's first look at the frame's messages and keys.

#include "TkCommandBars.h"

#include "TkColorManager.h"
#include "TkCommandBar.h"
#include "TkControlDragTracker.h"
#include "TkImageManager.h"
#include "TkKeyboardManager.h"
#include "TkMenuBar.h"
#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkShortcutManager.h"
#include "TkWindowFunctions.h"

namespace {

// The Alt bit of a key message's lParam, in its high word.
constexpr UINT kAltContextBit = 0x2000;
// The key messages the shortcuts see (WM_KEYDOWN up to and including 0x108).
constexpr UINT kLastShortcutMessage = 0x108;
// What a command-bar edit answers InPlaceEditQueryMessage with.
constexpr LRESULT kIsBarEdit = 1;

}  // namespace

CWnd* GetFocusedBarEdit() {
    CWnd* pFocus = CWnd::FromHandlePermanent(::GetFocus());
    if (pFocus == nullptr || pFocus->SendMessage(InPlaceEditQueryMessage) != kIsBarEdit)
        return nullptr;
    return pFocus;
}

BOOL CTkCommandBars::OnFrameMessage(UINT nMessage, WPARAM wParam, LPARAM, LRESULT* pResult) {
    switch (nMessage) {
        case WM_CLOSE:
            // The frame stays while the customize dialog is open.
            return m_pDragTracker->GetCustomizeDialog() != nullptr;
        case WM_SYSCOLORCHANGE:
            RefreshColorManager();
            GetPaintManager()->RefreshMetrics();
            GetImageManager()->RefreshAll();
            RecalcAllBars();
            return FALSE;
        case WM_SETTINGCHANGE:
            GetPaintManager()->RefreshMetrics();
            RecalcAllBars();
            return FALSE;
        case WM_ACTIVATEAPP:
            if (!wParam)
                ClosePopups();
            return FALSE;
        case WM_COMMAND: {
            // Copy, paste and the like go to the edit of a bar that has the focus.
            if (CWnd* pEdit = GetFocusedBarEdit()) {
                if (pEdit->OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr)) {
                    *pResult = 1;
                    return TRUE;
                }
            }
            AFX_CMDHANDLERINFO info = {};
            if (LOWORD(wParam) == ID_HELP && m_nHighlightedHelpId != 0 && m_pSite != nullptr &&
                m_pSite->OnCmdMsg(ID_HELP, CN_COMMAND, nullptr, &info)) {
                m_pSite->SendMessage(WM_COMMANDHELP, 0, 0x10000 + m_nHighlightedHelpId);
                return TRUE;
            }
            return FALSE;
        }
        case WM_SYSCOMMAND:
            // The menu key (SC_KEYMENU) enters the menu bar: the menus it opens must stay.
            if ((wParam != 0 && LOWORD(wParam) == 0) || (wParam & 0xFFF0) == SC_KEYMENU)
                return FALSE;
            if (!m_bCustomizeMode)
                ClosePopups();
            return FALSE;
        case WM_IDLEUPDATECMDUI:
            for (CTkCommandBar* pBar : m_bars) {
                if (pBar->GetPosition() == kBarFloating)
                    pBar->OnIdleUpdate(TRUE, TRUE);
            }
            return FALSE;
        default:
            return FALSE;
    }
}

BOOL CTkCommandBars::PreTranslateFrameMessage(MSG* pMsg) {
    CTkMouseManager* pMouseManager = GetMouseManager();
    const BOOL bTracking = pMouseManager->GetTrackedCount() > 0;
    const UINT nMessage = pMsg->message;

    if (nMessage == WM_SYSKEYDOWN && (HIWORD(pMsg->lParam) & kAltContextBit) != 0 && pMouseManager->m_nLock == 0 &&
        !bTracking && m_pSite != nullptr && IsTopLevelWindowActive(m_pSite->GetSafeHwnd())) {
        const UINT nKey = static_cast<UINT>(pMsg->wParam);
        if (nKey == VK_MENU) {
            m_bSwallowAltRelease = FALSE;
            ShowKeyboardCues(TRUE);
            return FALSE;
        }
        if (nKey != 0 && !(m_bShiftBlocksMnemonics && ::GetKeyState(VK_SHIFT) < 0) && ActivateByMnemonic(nKey)) {
            m_bSwallowAltRelease = TRUE;
            return TRUE;
        }
    }
    if ((nMessage == WM_SYSKEYUP || nMessage == WM_KEYUP) && pMsg->wParam == VK_MENU && m_bSwallowAltRelease) {
        m_bSwallowAltRelease = FALSE;
        return TRUE;
    }
    if ((nMessage == WM_SYSKEYUP || nMessage == WM_KEYUP) && m_bCuesHiddenUntilAlt && m_bKeyboardCuesVisible &&
        !bTracking)
        ShowKeyboardCues(FALSE);
    if ((nMessage == WM_CONTEXTMENU || nMessage == WM_SYSKEYUP) && bTracking) {
        CreateKeyboardManager()->DispatchToSinks(WM_CONTEXTMENU, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    if (nMessage == WM_MOUSEWHEEL) {
        CTkKeyboardManager* pKeyboardManager = CreateKeyboardManager();
        if (pKeyboardManager->HasSinks())
            return pKeyboardManager->DispatchToSinks(nMessage, pMsg->wParam, pMsg->lParam);
        // Over a ribbon, while no popup is open, the wheel turns its tabs.
        CTkMenuBar* pMenuBar = GetMenuBar();
        if (bTracking || pMenuBar == nullptr || pMenuBar->GetType() != kBarTypeRibbon ||
            pMenuBar->GetSafeHwnd() == nullptr)
            return FALSE;
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        HWND hWndUnder = ::WindowFromPoint(ptCursor);
        if (hWndUnder != pMenuBar->GetSafeHwnd() && !::IsChild(pMenuBar->GetSafeHwnd(), hWndUnder))
            return FALSE;
        pMenuBar->SelectAdjacentTabOnWheel(GET_WHEEL_DELTA_WPARAM(pMsg->wParam) <= 0);
        return TRUE;
    }
    if (nMessage >= WM_KEYFIRST && nMessage <= kLastShortcutMessage)
        return m_pShortcutManager->TranslateAccelerator(pMsg);
    return FALSE;
}
