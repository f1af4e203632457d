// The groups of the tab client: what a group asks of its owner, the group drag with its drop feedback on
// the locked desktop, the drop targets, moving a tab between groups, and the workspace commands.

#include "TkTabClientWnd.h"
#include "TkTabTracking.h"

#include "TkCommandBars.h"
#include "TkPaintManagerColor.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkMouseManager.h"
#include "TkPopupBar.h"
#include "TkTabPaintManager.h"

namespace {

// A drop this close to a group's bottom or right edge opens a new group there.
constexpr int kNewGroupZone = 30;

// Sets a flag for a scope and clears it at the end, however the scope is left.
class CScopedFlag {
public:
    explicit CScopedFlag(BOOL& bFlag) : m_bFlag(bFlag) { m_bFlag = TRUE; }
    ~CScopedFlag() { m_bFlag = FALSE; }
    CScopedFlag(const CScopedFlag&) = delete;
    CScopedFlag& operator=(const CScopedFlag&) = delete;

private:
    BOOL& m_bFlag;
};

}  // namespace

// ---- CWorkspace

void CTkTabClientWnd::CWorkspace::Reposition() {
    if (m_pOwner == nullptr)
        return;
    if (m_pOwner->IsLocked()) {
        m_pOwner->MarkLayoutPending();
        return;
    }
    m_pOwner->RecalcLayout();
    ::InvalidateRect(m_pOwner->GetSafeHwnd(), nullptr, FALSE);
}

HICON CTkTabClientWnd::CWorkspace::GetItemIcon(const CTkTabManagerItem* pItem) const {
    return m_pOwner != nullptr ? m_pOwner->GetItemIcon(pItem) : CTkTabManager::GetItemIcon(pItem);
}

CString CTkTabClientWnd::CWorkspace::GetItemTooltip(const CTkTabManagerItem* pItem) const {
    return m_pOwner != nullptr ? m_pOwner->GetItemTooltip(pItem) : CTkTabManager::GetItemTooltip(pItem);
}

COLORREF CTkTabClientWnd::CWorkspace::GetItemColor(const CTkTabManagerItem* pItem) const {
    const COLORREF clr = m_pOwner != nullptr ? m_pOwner->GetItemColor(pItem) : kColorUnset;
    if (clr == kColorUnset)
        return CTkTabManager::GetItemColor(pItem);
    if (IsAutomaticTabColor(clr))
        return CTkTabPaintManager::GetAutomaticColor(static_cast<int>(clr - kAutomaticTabColor));
    return clr;
}

CTkTabPaintManager* CTkTabClientWnd::CWorkspace::GetPaintManager() const {
    return m_pOwner != nullptr ? m_pOwner->GetPaintManager() : nullptr;
}

void CTkTabClientWnd::CWorkspace::RedrawControl(const RECT* pRect, BOOL) {
    if (m_pOwner != nullptr && !m_pOwner->IsLocked() && m_pOwner->GetSafeHwnd() != nullptr)
        ::InvalidateRect(m_pOwner->GetSafeHwnd(), pRect, FALSE);
}

BOOL CTkTabClientWnd::CWorkspace::IsAllowReorder() const {
    return m_pOwner != nullptr ? m_pOwner->m_bAllowReorder : CTkTabManager::IsAllowReorder();
}

void CTkTabClientWnd::CWorkspace::SetAllowReorder(BOOL bAllowReorder) {
    if (m_pOwner != nullptr)
        m_pOwner->m_bAllowReorder = bAllowReorder;
}

BOOL CTkTabClientWnd::CWorkspace::IsDrawStaticFrame() const {
    return CTkTabManager::IsDrawStaticFrame() && (m_pOwner == nullptr || !m_pOwner->m_bGroups);
}

BOOL CTkTabClientWnd::CWorkspace::DrawIcon(CDC* pDC, CPoint pt, CTkTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) {
    const CTkTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == nullptr || !pPaintManager->m_bShowIcons)
        return FALSE;
    if (bDraw && pItem != nullptr) {
        if (HICON hIcon = GetItemIcon(pItem))
            ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon, szIcon.cx, szIcon.cy, 0, nullptr, DI_NORMAL);
    }
    return TRUE;
}

void CTkTabClientWnd::CWorkspace::OnItemClick(CTkTabManagerItem* pItem) {
    if (m_pOwner == nullptr) {
        CTkTabManager::OnItemClick(pItem);
        return;
    }
    const HWND hChild = GetItemWindow(pItem);
    m_pOwner->MDIActivate(hChild);
    // The focus moves to the child unless it is inside the child already (or in a window a part of it owns).
    const HWND hFocus = ::GetFocus();
    const BOOL bInside =
        hFocus != nullptr &&
        (hFocus == hChild || ::IsChild(hChild, hFocus) ||
         (::GetWindow(hFocus, GW_OWNER) != nullptr &&
          (::GetWindow(hFocus, GW_OWNER) == hChild || ::IsChild(hChild, ::GetWindow(hFocus, GW_OWNER)))));
    if (!bInside && ::IsWindow(hChild))
        ::SetFocus(hChild);
}

BOOL CTkTabClientWnd::CWorkspace::OnBeforeItemClick(CTkTabManagerItem* pItem) {
    return m_pOwner == nullptr || m_pOwner->OnBeforeItemClick(pItem);
}

void CTkTabClientWnd::CWorkspace::OnNavigateButtonClick(CTkTabManagerNavigateButton* pButton) {
    if (pButton->GetId() != kNavigateButtonClose)
        return;
    CTkTabManagerItem* pItem = pButton->GetItem() != nullptr ? pButton->GetItem() : GetSelectedItem();
    if (pItem == nullptr)
        return;
    const HWND hChild = GetItemWindow(pItem);
    if (m_pOwner != nullptr)
        m_pOwner->PostMessage(WM_IDLEUPDATECMDUI);
    ::SendMessageW(hChild, WM_CLOSE, 0, 0);
}

BOOL CTkTabClientWnd::CWorkspace::IsMouseLocked() const {
    return CreateMouseManager()->IsTrackingOtherBar(nullptr);
}

CObject* CTkTabClientWnd::CWorkspace::GetHostObject() const {
    return m_pOwner;
}

// ---- The group drag

void CTkTabClientWnd::CWorkspace::TrackReorder(HWND hWnd, CPoint pt, CTkTabManagerItem* pItem) {
    CTkTabClientWnd* pOwner = m_pOwner;
    if (pOwner == nullptr) {
        CTkTabManager::TrackReorder(hWnd, pt, pItem);
        return;
    }
    if (pOwner->GetWorkspaceCount() == 1 && GetItemCount() == 1) {
        OnItemClick(pItem);
        return;
    }
    CCmdTargetRef holdItem(pItem);
    m_pSelected = pItem;
    {
        CScopedFlag locked(pOwner->m_bLocked);
        pOwner->SetActiveWorkspace(this);
    }
    CTkTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != nullptr && pPaintManager->m_bHotTracking)
        m_pHighlighted = pItem;
    ::SetCapture(hWnd);
    Reposition();
    std::vector<CRect> slots;
    for (const CTkTabManagerItem* p : m_items)
        slots.push_back(p->GetRect());

    BOOL bQuit = FALSE;
    BOOL bReleased = FALSE;
    while (::GetCapture() == hWnd) {
        const TrackStep step = NextTrackStep(hWnd, pt, &bQuit);
        if (step == TrackStep::kRelease)
            bReleased = TRUE;
        if (step == TrackStep::kRelease || step == TrackStep::kCancel)
            break;
        if (step != TrackStep::kMove || !ContainsItem(pItem))
            continue;
        if (m_rcHeader.IsRectEmpty() || m_rcHeader.PtInRect(pt)) {
            if (pOwner->IsDragFeedbackShown()) {
                pOwner->EndDragFeedback();
                ::SetCursor(pOwner->m_hNormalCursor);
            }
            ReorderByRecordedSlots(pItem, pt, slots);
        } else if (pOwner->m_bGroups) {
            if (!pOwner->IsDragFeedbackShown())
                pOwner->BeginDragFeedback();
            CPoint ptOwner = pt;
            ::MapWindowPoints(hWnd, pOwner->GetSafeHwnd(), &ptOwner, 1);
            pOwner->UpdateDropTarget(ptOwner, pItem);
        }
    }
    EndCapture(hWnd);
    PerformMouseMove(hWnd, pt);
    const BOOL bFeedback = pOwner->IsDragFeedbackShown();
    const int nAction = pOwner->m_nDropAction;
    CWorkspace* pTarget = pOwner->m_pDropTarget;
    if (bFeedback) {
        pOwner->EndDragFeedback();
        ::SetCursor(pOwner->m_hNormalCursor);
    }
    // A tab closed meanwhile, or a quitting application, takes no action.
    if (bQuit || !ContainsItem(pItem))
        return;
    OnItemClick(pItem);
    if (bFeedback && bReleased) {
        CPoint ptOwner = pt;
        ::MapWindowPoints(hWnd, pOwner->GetSafeHwnd(), &ptOwner, 1);
        if (nAction == kDropContextMenu)
            pOwner->ShowDropMenu(ptOwner);
        else if (nAction >= kDropIntoGroup)
            pOwner->MoveItemToGroup(pItem, pTarget, nAction);
    }
    if (CWorkspace* pGroup = pOwner->FindItemWorkspace(pItem))
        pGroup->EnsureVisible(pItem);
}

// ---- Drop feedback

void CTkTabClientWnd::BeginDragFeedback() {
    // What is still to be painted is painted before the desktop is locked.
    MSG msg;
    for (int i = 0; i < 64 && ::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        ::DispatchMessageW(&msg);
    m_rcLastFeedback.SetRectEmpty();
    m_szLastFeedback = CSize(0, 0);
    m_pDropTarget = nullptr;
    m_nDropAction = kDropNone;
    const HWND hDesktop = ::GetDesktopWindow();
    m_bDesktopLocked = ::LockWindowUpdate(hDesktop);
    m_hDesktopDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | (m_bDesktopLocked ? DCX_LOCKWINDOWUPDATE : 0));
}

void CTkTabClientWnd::DrawFeedbackRect(const CRect& rcScreen) {
    if (m_hDesktopDC == nullptr)
        return;
    const CSize size =
        rcScreen.IsRectEmpty() ? CSize(0, 0) : CSize(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    CDC::FromHandle(m_hDesktopDC)->DrawDragRect(rcScreen, size, m_rcLastFeedback, m_szLastFeedback);
    m_rcLastFeedback = rcScreen;
    m_szLastFeedback = size;
}

void CTkTabClientWnd::EndDragFeedback() {
    if (m_hDesktopDC == nullptr)
        return;
    DrawFeedbackRect(CRect(0, 0, 0, 0));
    if (m_bDesktopLocked)
        ::LockWindowUpdate(nullptr);
    m_bDesktopLocked = FALSE;
    ::ReleaseDC(::GetDesktopWindow(), m_hDesktopDC);
    m_hDesktopDC = nullptr;
}

void CTkTabClientWnd::UpdateDropTarget(CPoint pt, CTkTabManagerItem* pItem) {
    m_pDropTarget = nullptr;
    m_nDropAction = kDropNone;
    CRect rcClient;
    GetClientRect(rcClient);
    CRect rcFeedback(0, 0, 0, 0);
    if (!rcClient.PtInRect(pt)) {
        ::SetCursor(m_hNormalCursor);
    } else {
        m_nDropAction = kDropContextMenu;
        ::SetCursor(m_hDragCursor);
        const CWorkspace* pOwnGroup = FindItemWorkspace(pItem);
        const BOOL bOne = GetWorkspaceCount() == 1;
        for (CWorkspace* pWorkspace : m_workspaces) {
            if (pWorkspace == m_pCommandBarWorkspace)
                continue;
            const CRect& rcControl = pWorkspace->GetControlRect();
            if (pWorkspace->GetHeaderRect().PtInRect(pt)) {
                m_pDropTarget = pWorkspace;
                m_nDropAction = kDropIntoGroup;
                rcFeedback = pWorkspace->GetClientRect();
                break;
            }
            // A tab alone in its group cannot open a new group from it.
            if ((pWorkspace == pOwnGroup && pWorkspace->GetItemCount() < 2) || !rcControl.PtInRect(pt))
                continue;
            if ((bOne || m_bStackedGroups) && rcControl.bottom - pt.y > 0 && rcControl.bottom - pt.y < kNewGroupZone) {
                m_pDropTarget = pWorkspace;
                m_nDropAction = kDropNewGroupBelow;
                rcFeedback = rcControl;
                rcFeedback.top = (rcControl.top + rcControl.bottom) / 2;
                break;
            }
            if ((bOne || !m_bStackedGroups) && rcControl.right - pt.x > 0 && rcControl.right - pt.x < kNewGroupZone) {
                m_pDropTarget = pWorkspace;
                m_nDropAction = kDropNewGroupRight;
                rcFeedback = rcControl;
                rcFeedback.left = (rcControl.left + rcControl.right) / 2;
                break;
            }
        }
    }
    if (!rcFeedback.IsRectEmpty())
        ClientToScreen(rcFeedback);
    if (rcFeedback != m_rcLastFeedback)
        DrawFeedbackRect(rcFeedback);
}

void CTkTabClientWnd::ShowDropMenu(CPoint pt) {
    if (m_pCommandBars == nullptr)
        return;
    CTkPopupBar* pPopup = CTkPopupBar::CreatePopupBar(m_pCommandBars);
    if (pPopup == nullptr)
        return;
    CTkControls* pControls = pPopup->GetControls();
    pControls->Add(kControlButton, kIdWorkspaceActions);
    if (CTkControl* pNewGroup = pControls->Add(kControlButton, kIdWorkspaceCancel)) {
        pNewGroup->SetBeginGroup(TRUE);
        pNewGroup->SetFlags(pNewGroup->GetFlags() | kControlFlagNoUpdate);
    }
    ClientToScreen(&pt);
    CTkCommandBars::TrackPopupBar(pPopup, 0, pt.x, pt.y, m_pFrame);
    pPopup->InternalRelease();
}

// ---- Moving tabs

void CTkTabClientWnd::MoveItemToGroup(CTkTabManagerItem* pItem, CWorkspace* pTarget, int nAction) {
    CWorkspace* pSource = FindItemWorkspace(pItem);
    if (pTarget == nullptr || pSource == nullptr || FindWorkspace(pTarget) < 0)
        return;
    if (nAction == kDropIntoGroup && pTarget == pSource)
        return;
    {
        CScopedFlag locked(m_bLocked);
        CScopedFlag hold(m_bHold);
        if (nAction != kDropIntoGroup) {
            for (CWorkspace* pWorkspace : m_workspaces) {
                const CRect& rc = pWorkspace->GetControlRect();
                pWorkspace->m_dSize = m_bStackedGroups ? rc.Height() : rc.Width();
            }
        }
        // The extra reference passes to the new row, and the tab keeps its colour.
        pItem->InternalAddRef();
        const COLORREF clrItem = pItem->m_clrItem;
        pSource->DeleteItem(pItem->GetIndex());
        CWorkspace* pDestination = pTarget;
        if (nAction != kDropIntoGroup) {
            pDestination = CreateWorkspaceAt(FindWorkspace(pTarget) + 1);
            pDestination->m_dSize = (pTarget->m_dSize - m_nSplitterWidth) * 0.5;
            pTarget->m_dSize = pTarget->m_dSize - pDestination->m_dSize - m_nSplitterWidth;
            m_bStackedGroups = nAction == kDropNewGroupBelow;
        }
        pDestination->InsertItem(-1, pItem);
        pItem->m_clrItem = clrItem;
        pDestination->SelectItem(pItem);
        SetActiveWorkspace(pDestination);
        // The group left behind shows its topmost remaining child.
        if (pSource->GetItemCount() > 1) {
            for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr;
                 hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
                CTkTabManagerItem* pChildItem = FindItem(hChild);
                if (pChildItem != nullptr && pSource->ContainsItem(pChildItem)) {
                    pSource->SelectItem(pChildItem);
                    break;
                }
            }
        }
    }
    m_bLayoutPending = TRUE;
    RecalcLayout();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

// ---- Workspace commands

BOOL CTkTabClientWnd::IsWorkspaceActionEnabled(UINT nId, CTkTabManagerItem** ppItem) {
    if (!m_bGroups)
        return FALSE;
    const HWND hActive = GetActiveChild();
    CTkTabManagerItem* pItem = hActive != nullptr ? FindItem(hActive) : nullptr;
    if (pItem == nullptr)
        return FALSE;
    if (ppItem != nullptr)
        *ppItem = pItem;
    const CWorkspace* pWorkspace = FindItemWorkspace(pItem);
    const int nIndex = FindWorkspace(pWorkspace);
    const int nCount = GetWorkspaceCount();
    const BOOL bShared = pWorkspace->GetItemCount() > 1;
    switch (nId) {
        case kIdWorkspaceMovePrevious:
            return nIndex > 0;
        case kIdWorkspaceMoveNext:
            return nIndex < nCount - 1;
        case kIdWorkspaceNewHorizontal:
            return (nCount == 1 || m_bStackedGroups) && bShared;
        case kIdWorkspaceNewVertical:
            return (nCount == 1 || !m_bStackedGroups) && bShared;
        default:
            return TRUE;
    }
}
