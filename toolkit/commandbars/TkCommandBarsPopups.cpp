// The hub's popup menus: a popup bar shown modally at a point, the way a window menu is tracked.

#include "TkCommandBars.h"

#include "TkMouseManager.h"
#include "TkPopupBar.h"

namespace {

constexpr UINT kTrackRecurse = 0x1;
constexpr UINT kTrackRightButton = 0x2;
constexpr UINT kTrackLeft = 0x8;
constexpr UINT kTrackNoNotify = 0x80;
constexpr UINT kTrackReturnCommand = 0x100;
constexpr DWORD kRightToLeftExStyles = WS_EX_LAYOUTRTL | WS_EX_RIGHT;

}  // namespace

BOOL CTkCommandBars::TrackPopupBar(CTkPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pOwner, LPCRECT pExclude,
                                   CWnd* pCommandOwner) {
    if (pPopup == nullptr)
        return 0;
    CCmdTargetRef keepAlive(pPopup);
    // A menu asked for from the keyboard shows its keyboard cues.
    const MSG* pMsg = CWnd::GetCurrentMessage();
    if (pMsg != nullptr && pMsg->message == WM_CONTEXTMENU && pMsg->lParam == -1) {
        if (CTkCommandBars* pCommandBars = pPopup->GetCommandBars())
            pCommandBars->ShowKeyboardCues(TRUE);
    }
    CWnd* pOwnerWindow = pOwner != nullptr ? pOwner : pPopup->GetSite();
    pPopup->SetOwnerWindow(pOwnerWindow);
    pPopup->SetCommandOwner(pCommandOwner);
    if (pOwnerWindow != nullptr && pOwnerWindow->GetSafeHwnd() != nullptr &&
        (pOwnerWindow->GetExStyle() & kRightToLeftExStyles))
        nFlags |= kTrackLeft;

    int nResult = (nFlags & kTrackReturnCommand) ? 0 : 1;
    pPopup->SetReturnCommandSlot((nFlags & kTrackReturnCommand) ? &nResult : nullptr);
    pPopup->SetTrackFlags((nFlags & kTrackRightButton) != 0, (nFlags & kTrackNoNotify) != 0,
                          (nFlags & kTrackRecurse) != 0);
    pPopup->SetAlignment((nFlags & kTrackLeft) ? kPopupLeft | kPopupDown : kPopupDown);

    CTkMouseManager* pMouseManager = CreateMouseManager();
    const BOOL bRecurse = (nFlags & kTrackRecurse) != 0;
    if (bRecurse) {
        pMouseManager->CloseUnlockedPopups();
        pMouseManager->LockTrackedBars(TRUE);
    } else {
        pMouseManager->CloseAllTracked();
        ::ReleaseCapture();
    }
    pMouseManager->m_bSwallowButtonUp = TRUE;

    const BOOL bOpened = pPopup->PopupAt(x, y, pExclude);
    if (bOpened)
        pPopup->PumpMessagesWhileTracking();
    if (bRecurse)
        pMouseManager->LockTrackedBars(FALSE);
    // The result word dies with this call: a later execution through the same popup must not reach it.
    pPopup->SetReturnCommandSlot(nullptr);
    pPopup->SetCommandOwner(nullptr);
    return bOpened ? nResult : 0;
}
