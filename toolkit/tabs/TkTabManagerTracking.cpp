// The nested mouse loops of the tab row: the press on a tab (TrackClick), the reorder drag and the
// press on a navigate button. Each runs while the host window holds the capture; a release ends it as
// a release; the right button, WM_CANCELMODE, Escape, a lost capture and a WM_QUIT (re-posted) end it
// as a cancel. Messages a loop dispatches may remove the tab it tracks, so each loop holds a reference
// on that tab and acts on it afterwards only while it still belongs to the row.

#include "TkTabManager.h"
#include "TkTabTracking.h"

#include "TkTabAppearanceSet.h"
#include "TkTabPaintManager.h"

#include <windowsx.h>

#include <algorithm>

TrackStep NextTrackStep(HWND hWnd, CPoint& pt, BOOL* pbQuit) {
    MSG msg;
    const int nResult = ::GetMessageW(&msg, nullptr, 0, 0);
    if (nResult <= 0) {
        if (nResult == 0)
            ::PostQuitMessage(static_cast<int>(msg.wParam));
        if (pbQuit != nullptr)
            *pbQuit = TRUE;
        return TrackStep::kCancel;
    }
    switch (msg.message) {
        case WM_MOUSEMOVE: {
            CPoint ptMsg(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            if (msg.hwnd != hWnd)
                ::MapWindowPoints(msg.hwnd, hWnd, &ptMsg, 1);
            pt = ptMsg;
            return TrackStep::kMove;
        }
        case WM_LBUTTONUP:
            return TrackStep::kRelease;
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            return TrackStep::kCancel;
        case WM_KEYDOWN:
            return msg.wParam == VK_ESCAPE ? TrackStep::kCancel : TrackStep::kContinue;
        default:
            ::DispatchMessageW(&msg);
            return ::GetCapture() == hWnd ? TrackStep::kContinue : TrackStep::kCancel;
    }
}

void EndCapture(HWND hWnd) {
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
}

// ---- The press on a tab

void CTkTabManager::TrackClick(HWND hWnd, CPoint pt, CTkTabManagerItem* pItem) {
    CCmdTargetRef holdItem(pItem);
    CTkTabPaintManager* pPaintManager = GetPaintManager();
    const BOOL bHotTracking = pPaintManager != nullptr && pPaintManager->m_bHotTracking;
    m_pPressed = pItem;
    if (bHotTracking)
        m_pHighlighted = pItem;
    Reposition();
    ::SetCapture(hWnd);
    BOOL bInside = pItem->GetRect().PtInRect(pt);
    BOOL bReleased = FALSE;
    while (::GetCapture() == hWnd) {
        const TrackStep step = NextTrackStep(hWnd, pt, nullptr);
        if (step == TrackStep::kRelease)
            bReleased = TRUE;
        if (step == TrackStep::kRelease || step == TrackStep::kCancel)
            break;
        if (step != TrackStep::kMove || !ContainsItem(pItem))
            continue;
        bInside = pItem->GetRect().PtInRect(pt);
        if (bHotTracking) {
            m_pHighlighted = bInside ? pItem : nullptr;
            RedrawControl(pItem->GetRect(), TRUE);
        }
    }
    EndCapture(hWnd);
    m_pPressed = nullptr;
    PerformMouseMove(hWnd, pt);
    RedrawControl(nullptr, FALSE);
    if (bReleased && bInside && ContainsItem(pItem))
        OnItemClick(pItem);
}

// ---- The reorder drag

BOOL CTkTabManager::ReorderByRecordedSlots(CTkTabManagerItem* pItem, CPoint pt, const std::vector<CRect>& slots) {
    if (!ContainsItem(pItem))
        return FALSE;
    for (size_t i = 0; i < slots.size() && i < m_items.size(); ++i) {
        if (static_cast<int>(i) == pItem->m_nIndex || !slots[i].PtInRect(pt))
            continue;
        std::swap(m_items[i], m_items[static_cast<size_t>(pItem->m_nIndex)]);
        OnItemsChanged();
        return TRUE;
    }
    return FALSE;
}

void CTkTabManager::TrackReorder(HWND hWnd, CPoint pt, CTkTabManagerItem* pItem) {
    CCmdTargetRef holdItem(pItem);
    CTkTabManagerItem* pOldSelected = m_pSelected;
    CCmdTargetRef holdOldSelected(pOldSelected);
    CTkTabPaintManager* pPaintManager = GetPaintManager();
    m_pSelected = pItem;
    if (pPaintManager != nullptr && pPaintManager->m_bHotTracking)
        m_pHighlighted = pItem;
    Reposition();
    // The slots stay where the tabs were at the press, so a swap cannot flip back under a still pointer.
    std::vector<CRect> slots;
    for (const CTkTabManagerItem* p : m_items)
        slots.push_back(p->GetRect());
    ::SetCapture(hWnd);
    BOOL bQuit = FALSE;
    while (::GetCapture() == hWnd) {
        const TrackStep step = NextTrackStep(hWnd, pt, &bQuit);
        if (step == TrackStep::kRelease || step == TrackStep::kCancel)
            break;
        if (step == TrackStep::kMove)
            ReorderByRecordedSlots(pItem, pt, slots);
    }
    EndCapture(hWnd);
    PerformMouseMove(hWnd, pt);
    // A tab removed meanwhile has already passed the selection on.
    if (!ContainsItem(pItem))
        return;
    m_pSelected = ContainsItem(pOldSelected) ? pOldSelected : nullptr;
    if (!bQuit)
        OnItemClick(pItem);
}

// ---- The press on a navigate button

void CTkTabManagerNavigateButton::PerformClick(HWND hWnd, CPoint pt) {
    if (::GetCapture() != nullptr || !m_bEnabled)
        return;
    CTkTabManager* pManager = m_pManager;
    // A tab's own button dies with its tab: the loop checks after each message that it still exists.
    CTkTabManagerItem* pItem = m_pItem;
    CCmdTargetRef holdItem(pItem);
    auto alive = [&] {
        return pItem == nullptr ||
               (pManager->ContainsItem(pItem) &&
                std::find(pItem->m_buttons.begin(), pItem->m_buttons.end(), this) != pItem->m_buttons.end());
    };
    ::SetCapture(hWnd);
    DWORD dwLastTick = ::GetTickCount();
    BOOL bReleasedInside = FALSE;
    while (::GetCapture() == hWnd) {
        if (m_bEnabled && ::GetTickCount() - dwLastTick > kNavigateButtonTick) {
            dwLastTick = ::GetTickCount();
            OnExecute(TRUE);
            if (!alive())
                break;
        }
        const BOOL bInside = m_rcButton.PtInRect(pt);
        if (bInside != m_bPressed) {
            m_bPressed = bInside;
            pManager->RedrawControl(m_rcButton, TRUE);
        }
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            // Ticks go on while the pointer is still: sleep until a message or the next tick.
            const DWORD dwElapsed = ::GetTickCount() - dwLastTick;
            const DWORD dwWait =
                m_bEnabled ? (dwElapsed > kNavigateButtonTick ? 0 : kNavigateButtonTick + 1 - dwElapsed) : INFINITE;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, dwWait, QS_ALLINPUT);
            continue;
        }
        const TrackStep step = NextTrackStep(hWnd, pt, nullptr);
        if (!alive())
            break;
        if (step == TrackStep::kRelease)
            bReleasedInside = m_bPressed;
        if (step == TrackStep::kRelease || step == TrackStep::kCancel)
            break;
    }
    EndCapture(hWnd);
    if (!alive()) {
        pManager->PerformMouseMove(hWnd, pt);
        pManager->RedrawControl(nullptr, FALSE);
        return;
    }
    m_bPressed = FALSE;
    pManager->PerformMouseMove(hWnd, pt);
    pManager->RedrawControl(nullptr, FALSE);
    if (bReleasedInside && alive())
        OnExecute(FALSE);
}
