// The tab client: attaching to the MDI client, keeping the tabs in step with the children, laying the
// groups out, painting them, and forwarding mouse, keys and tooltips to the groups.

#include "TkTabClientWnd.h"

#include "TkCommandBars.h"
#include "TkTabAppearanceSet.h"
#include "TkPaintManagerColor.h"
#include "TkTabPaintManager.h"
#include "TkTextFunctions.h"
#include "TkToolTipContext.h"
#include "TkWindowFunctions.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CTkTabClientWnd, CWnd)

BEGIN_MESSAGE_MAP(CTkTabClientWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_MDICREATE, OnMDIChildChanged)
    ON_MESSAGE(WM_MDIDESTROY, OnMDIChildChanged)
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIChildChanged)
    ON_MESSAGE(WM_MDINEXT, OnMDIChildChanged)
END_MESSAGE_MAP()

namespace {

// MDI children among the client's children (icon titles and other windows are not).
BOOL IsMdiChild(HWND hWnd) {
    return (::GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

}  // namespace

CTkTabClientWnd::CTkTabClientWnd()
    : m_pPaintManager(new CTkTabPaintManager),
      m_pToolTipContext(new CTkToolTipContext),
      m_hDragCursor(::LoadCursorW(nullptr, IDC_SIZEALL)),
      m_hNormalCursor(::LoadCursorW(nullptr, IDC_ARROW)) {}

CTkTabClientWnd::~CTkTabClientWnd() {
    Detach();
    m_pToolTipContext->InternalRelease();
    m_pPaintManager->InternalRelease();
}

// ---- Attaching

BOOL CTkTabClientWnd::Attach(CMDIFrameWnd* pFrame, BOOL bEnableGroups) {
    if (pFrame == nullptr || pFrame->m_hWndMDIClient == nullptr || GetSafeHwnd() != nullptr)
        return FALSE;
    if (CWnd::FromHandlePermanent(pFrame->m_hWndMDIClient) != nullptr || !SubclassWindow(pFrame->m_hWndMDIClient))
        return FALSE;
    m_pFrame = pFrame;
    m_bGroups = bEnableGroups;
    // The headers are painted in the client's own area: the children must not be painted over.
    ModifyStyle(0, WS_CLIPCHILDREN);
    RefreshTabs();
    return TRUE;
}

void CTkTabClientWnd::Detach() {
    for (CWorkspace* pWorkspace : m_workspaces) {
        m_pPaintManager->DetachRow(pWorkspace);
        if (pWorkspace == m_pCommandBarWorkspace)
            pWorkspace->m_pOwner = nullptr;
        else
            delete pWorkspace;
    }
    m_pCommandBarWorkspace = nullptr;
    m_workspaces.clear();
    m_pActiveWorkspace = nullptr;
    m_hLastActive = nullptr;
    m_splitters.clear();
    if (GetSafeHwnd() != nullptr) {
        m_pToolTipContext->CancelToolTips();
        UnsubclassWindow();
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWndMDIClient))
            ::InvalidateRect(m_pFrame->m_hWndMDIClient, nullptr, TRUE);
    }
    m_pFrame = nullptr;
}

// ---- Groups and tabs

CTkTabClientWnd::CWorkspace* CTkTabClientWnd::GetWorkspace(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetWorkspaceCount())
        return nullptr;
    return m_workspaces[static_cast<size_t>(nIndex)];
}

int CTkTabClientWnd::FindWorkspace(const CWorkspace* pWorkspace) const {
    const auto it = std::find(m_workspaces.begin(), m_workspaces.end(), pWorkspace);
    return it == m_workspaces.end() ? -1 : static_cast<int>(it - m_workspaces.begin());
}

void CTkTabClientWnd::SetActiveWorkspace(CWorkspace* pWorkspace) {
    if (pWorkspace == m_pActiveWorkspace)
        return;
    if (m_pActiveWorkspace != nullptr)
        m_pActiveWorkspace->SetActive(FALSE);
    m_pActiveWorkspace = pWorkspace;
    if (pWorkspace != nullptr)
        pWorkspace->SetActive(TRUE);
}

CTkTabClientWnd::CWorkspace* CTkTabClientWnd::CreateWorkspaceAt(int nIndex) {
    auto* pWorkspace = new CWorkspace(this);
    // Only the active group shows itself as active.
    pWorkspace->SetActive(FALSE);
    if (nIndex < 0 || nIndex > GetWorkspaceCount())
        nIndex = GetWorkspaceCount();
    m_workspaces.insert(m_workspaces.begin() + nIndex, pWorkspace);
    m_pPaintManager->AttachRow(pWorkspace);
    return pWorkspace;
}

void CTkTabClientWnd::RemoveWorkspace(CWorkspace* pWorkspace) {
    const int nIndex = FindWorkspace(pWorkspace);
    if (nIndex < 0 || GetWorkspaceCount() < 2)
        return;
    CWorkspace* pNeighbour = GetWorkspace(nIndex > 0 ? nIndex - 1 : 1);
    pNeighbour->m_dSize += pWorkspace->m_dSize + m_nSplitterWidth;
    if (m_pActiveWorkspace == pWorkspace)
        SetActiveWorkspace(pNeighbour);
    m_workspaces.erase(m_workspaces.begin() + nIndex);
    m_pPaintManager->DetachRow(pWorkspace);
    delete pWorkspace;
}

void CTkTabClientWnd::SetCommandBarWorkspace(CWorkspace* pWorkspace) {
    if (m_pCommandBarWorkspace != nullptr) {
        m_workspaces.erase(std::remove(m_workspaces.begin(), m_workspaces.end(), m_pCommandBarWorkspace),
                           m_workspaces.end());
        m_pPaintManager->DetachRow(m_pCommandBarWorkspace);
    }
    m_pCommandBarWorkspace = pWorkspace;
    if (pWorkspace == nullptr)
        return;
    pWorkspace->m_pOwner = this;
    m_workspaces.insert(m_workspaces.begin(), pWorkspace);
    m_pPaintManager->AttachRow(pWorkspace);
    // New children join the bar's group; a group of the client left empty goes at the next layout.
    SetActiveWorkspace(pWorkspace);
}

void CTkTabClientWnd::ForgetCommandBarWorkspace(CWorkspace* pWorkspace) {
    if (pWorkspace != m_pCommandBarWorkspace || pWorkspace == nullptr)
        return;
    // The control owns its group; the other groups go with the list.
    for (CWorkspace* pOther : m_workspaces) {
        m_pPaintManager->DetachRow(pOther);
        if (pOther != pWorkspace)
            delete pOther;
    }
    m_workspaces.clear();
    m_pActiveWorkspace = nullptr;
    m_pCommandBarWorkspace = nullptr;
    pWorkspace->m_pOwner = nullptr;
}

CTkTabManagerItem* CTkTabClientWnd::FindItem(HWND hWnd) const {
    for (CWorkspace* pWorkspace : m_workspaces) {
        for (int i = 0; i < pWorkspace->GetItemCount(); ++i) {
            CTkTabManagerItem* pItem = pWorkspace->GetItem(i);
            if (pWorkspace->GetItemWindow(pItem) == hWnd)
                return pItem;
        }
    }
    return nullptr;
}

CTkTabClientWnd::CWorkspace* CTkTabClientWnd::FindItemWorkspace(const CTkTabManagerItem* pItem) const {
    for (CWorkspace* pWorkspace : m_workspaces) {
        if (pWorkspace->ContainsItem(pItem))
            return pWorkspace;
    }
    return nullptr;
}

// ---- Children

HWND CTkTabClientWnd::GetActiveChild() const {
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    return reinterpret_cast<HWND>(::SendMessageW(m_hWnd, WM_MDIGETACTIVE, 0, 0));
}

void CTkTabClientWnd::MDIActivate(HWND hWndChild) {
    if (!::IsWindow(hWndChild))
        return;
    ::SendMessageW(m_hWnd, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWndChild), 0);
    if ((::GetWindowLongPtrW(hWndChild, GWL_STYLE) & WS_MINIMIZE) != 0)
        ::SendMessageW(hWndChild, WM_SYSCOMMAND, SC_RESTORE, 0);
}

HICON CTkTabClientWnd::GetItemIcon(const CTkTabManagerItem* pItem) const {
    const HWND hWnd = reinterpret_cast<HWND>(pItem->GetData());
    auto hIcon = reinterpret_cast<HICON>(::SendMessageW(hWnd, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hWnd, GCLP_HICONSM));
    return hIcon;
}

COLORREF CTkTabClientWnd::GetItemColor(const CTkTabManagerItem*) const {
    return kColorUnset;
}

CString CTkTabClientWnd::GetItemTooltip(const CTkTabManagerItem* pItem) const {
    return pItem->m_strCaption;
}

// ---- Layout

void CTkTabClientWnd::RefreshTabs(BOOL bRecalcFrame) {
    if (m_pFrame == nullptr || m_bRefreshing)
        return;
    m_bRefreshing = TRUE;
    RecalcLayout();
    if (!m_workspaces.empty()) {
        CPoint pt;
        ::GetCursorPos(&pt);
        if (m_bGroups) {
            ScreenToClient(&pt);
            for (CWorkspace* pWorkspace : m_workspaces)
                pWorkspace->PerformMouseMove(m_hWnd, pt);
        } else {
            auto* pHost = DYNAMIC_DOWNCAST(CWnd, m_workspaces[0]->GetHostObject());
            if (pHost != nullptr && pHost->GetSafeHwnd() != nullptr) {
                pHost->ScreenToClient(&pt);
                m_workspaces[0]->PerformMouseMove(pHost->GetSafeHwnd(), pt);
            }
        }
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    if (bRecalcFrame) {
        if (m_bGroups)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (m_pCommandBars != nullptr)
            m_pCommandBars->RecalcFrameLayout(FALSE);
    }
    m_bRefreshing = FALSE;
}

BOOL CTkTabClientWnd::SyncTabs() {
    if (m_workspaces.empty())
        SetActiveWorkspace(CreateWorkspaceAt(0));
    std::vector<HWND> children;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (IsMdiChild(hChild))
            children.push_back(hChild);
    }
    // Tabs of children that went.
    for (CWorkspace* pWorkspace : m_workspaces) {
        for (int i = pWorkspace->GetItemCount() - 1; i >= 0; --i) {
            const HWND hWnd = pWorkspace->GetItemWindow(pWorkspace->GetItem(i));
            if (std::find(children.begin(), children.end(), hWnd) == children.end())
                pWorkspace->DeleteItem(i);
        }
    }
    // New children join the active group, oldest first (the Z order lists the newest first).
    CWorkspace* pTarget = m_pActiveWorkspace != nullptr ? m_pActiveWorkspace : m_workspaces[0];
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (FindItem(*it) == nullptr)
            pTarget->InsertItem(-1)->SetData(reinterpret_cast<DWORD_PTR>(*it));
    }
    // A mouse loop of a group runs while the client holds the capture: the group it runs in must outlive
    // it, so emptied groups go at the first layout after it.
    BOOL bDeferred = FALSE;
    for (CWorkspace* pWorkspace : std::vector<CWorkspace*>(m_workspaces)) {
        if (pWorkspace->GetItemCount() > 0 || pWorkspace == m_pCommandBarWorkspace)
            continue;
        if (::GetCapture() == m_hWnd)
            bDeferred = TRUE;
        else
            RemoveWorkspace(pWorkspace);
    }
    for (CWorkspace* pWorkspace : m_workspaces) {
        for (int i = 0; i < pWorkspace->GetItemCount(); ++i) {
            CTkTabManagerItem* pItem = pWorkspace->GetItem(i);
            GetWindowTextDirect(pWorkspace->GetItemWindow(pItem), pItem->m_strCaption);
        }
    }
    // A newly activated child selects its tab; otherwise the groups keep what the user selected (a drag
    // selects its tab before the child is activated).
    const HWND hActive = GetActiveChild();
    CTkTabManagerItem* pActive = FindItem(hActive);
    if (pActive != nullptr && hActive != m_hLastActive) {
        CWorkspace* pWorkspace = FindItemWorkspace(pActive);
        SetActiveWorkspace(pWorkspace);
        if (pWorkspace->GetSelectedItem() != pActive)
            pWorkspace->SelectItem(pActive);
    }
    m_hLastActive = hActive;
    for (CWorkspace* pWorkspace : m_workspaces) {
        if (pWorkspace->GetSelectedItem() == nullptr && pWorkspace->GetItemCount() > 0)
            pWorkspace->SelectItem(pWorkspace->GetItem(0));
    }
    return bDeferred;
}

void CTkTabClientWnd::PositionWorkspaces(const CRect& rcClient) {
    m_splitters.clear();
    std::vector<CWorkspace*> placed;
    for (CWorkspace* pWorkspace : m_workspaces) {
        if (pWorkspace != m_pCommandBarWorkspace)
            placed.push_back(pWorkspace);
    }
    if (placed.empty())
        return;
    const BOOL bStacked = m_bStackedGroups;
    const int nLength = bStacked ? rcClient.Height() : rcClient.Width();
    const int nAvailable = nLength - m_nSplitterWidth * (static_cast<int>(placed.size()) - 1);
    double dTotal = 0;
    for (const CWorkspace* pWorkspace : placed)
        dTotal += std::max(pWorkspace->m_dSize, 1.0);
    int nStart = bStacked ? rcClient.top : rcClient.left;
    CClientDC dc(this);
    for (size_t i = 0; i < placed.size(); ++i) {
        CWorkspace* pWorkspace = placed[i];
        const BOOL bLast = i + 1 == placed.size();
        const int nEnd = bLast ? (bStacked ? rcClient.bottom : rcClient.right)
                               : nStart + static_cast<int>(nAvailable * std::max(pWorkspace->m_dSize, 1.0) / dTotal);
        const CRect rc = bStacked ? CRect(rcClient.left, nStart, rcClient.right, nEnd)
                                  : CRect(nStart, rcClient.top, nEnd, rcClient.bottom);
        m_pPaintManager->RepositionTabControl(pWorkspace, &dc, rc);
        if (!bLast)
            m_splitters.push_back(bStacked ? CRect(rc.left, nEnd, rc.right, nEnd + m_nSplitterWidth)
                                           : CRect(nEnd, rc.top, nEnd + m_nSplitterWidth, rc.bottom));
        nStart = nEnd + m_nSplitterWidth;
    }
}

void CTkTabClientWnd::RecalcLayout() {
    if (GetSafeHwnd() == nullptr)
        return;
    const BOOL bLocked = m_bLocked;
    m_bLocked = TRUE;  // the groups only mark what they would repaint
    const BOOL bDeferred = SyncTabs();
    CRect rcClient;
    GetClientRect(rcClient);
    PositionWorkspaces(rcClient);
    // Every child stands in its group's client area; the selected ones on top, the active child last.
    const HWND hActive = GetActiveChild();
    for (CWorkspace* pWorkspace : m_workspaces) {
        // The children of the bar's group fill the client.
        const CRect& rc = pWorkspace == m_pCommandBarWorkspace ? rcClient : pWorkspace->GetClientRect();
        for (int i = 0; i < pWorkspace->GetItemCount(); ++i)
            ::SetWindowPos(pWorkspace->GetItemWindow(pWorkspace->GetItem(i)), nullptr, rc.left, rc.top, rc.Width(),
                           rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (CTkTabManagerItem* pSelected = pWorkspace->GetSelectedItem()) {
            if (pWorkspace->GetItemWindow(pSelected) != hActive)
                ::SetWindowPos(pWorkspace->GetItemWindow(pSelected), HWND_TOP, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    if (hActive != nullptr)
        ::SetWindowPos(hActive, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_bLocked = bLocked;
    // What the groups asked for while locked is done; a group left to remove keeps a layout pending.
    m_bLayoutPending = bDeferred;
}

// ---- Painting

void CTkTabClientWnd::Draw(CDC* pDC, const CRect& rcClient) {
    pDC->FillSolidRect(rcClient, ::GetSysColor(COLOR_APPWORKSPACE));
    CTkTabPaintManager::CAppearanceSet* pSet = m_pPaintManager->GetAppearanceSet();
    for (CWorkspace* pWorkspace : m_workspaces) {
        if (pWorkspace != m_pCommandBarWorkspace)
            m_pPaintManager->PaintTabControl(pWorkspace, pDC, pWorkspace->GetControlRect());
    }
    for (CRect rc : m_splitters)
        pSet->PaintWorkspaceFrame(pDC, rc, m_bStackedGroups ? 3 : 2);
}

void CTkTabClientWnd::OnPaint() {
    CPaintDC dc(this);
    AfxPaintBuffered(this, dc, [this](CDC* pDC, const CRect& rcClient) { Draw(pDC, rcClient); });
}

LRESULT CTkTabClientWnd::OnPrintClient(WPARAM wParam, LPARAM) {
    AfxPaintBuffered(this, reinterpret_cast<HDC>(wParam),
                     [this](CDC* pDC, const CRect& rcClient) { Draw(pDC, rcClient); });
    return 0;
}

BOOL CTkTabClientWnd::OnEraseBkgnd(CDC*) {
    return TRUE;
}

// ---- Messages

void CTkTabClientWnd::OnSize(UINT nType, int cx, int cy) {
    Default();
    RecalcLayout();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

LRESULT CTkTabClientWnd::OnMDIChildChanged(WPARAM, LPARAM) {
    const LRESULT nResult = Default();
    RefreshTabs();
    return nResult;
}

LRESULT CTkTabClientWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    if (m_bLayoutPending)
        RefreshTabs();
    return 0;
}

CTkTabClientWnd::CWorkspace* CTkTabClientWnd::WorkspaceFromPoint(CPoint pt) const {
    for (CWorkspace* pWorkspace : m_workspaces) {
        if (pWorkspace != m_pCommandBarWorkspace && pWorkspace->GetControlRect().PtInRect(pt))
            return pWorkspace;
    }
    return nullptr;
}

void CTkTabClientWnd::OnLButtonDown(UINT, CPoint point) {
    CWorkspace* pWorkspace = WorkspaceFromPoint(point);
    if (pWorkspace == nullptr)
        return;
    pWorkspace->PerformClick(m_hWnd, point);
    // What the click's loop left to lay out (a group emptied meanwhile) is done now.
    if (m_bLayoutPending)
        RefreshTabs();
}

void CTkTabClientWnd::OnMouseMove(UINT, CPoint point) {
    for (CWorkspace* pWorkspace : std::vector<CWorkspace*>(m_workspaces)) {
        if (pWorkspace != m_pCommandBarWorkspace)
            pWorkspace->PerformMouseMove(m_hWnd, point);
    }
}

LRESULT CTkTabClientWnd::OnMouseLeave(WPARAM, LPARAM) {
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}

void CTkTabClientWnd::OnKeyDown(UINT nChar, UINT, UINT) {
    if (m_pActiveWorkspace == nullptr || !m_pActiveWorkspace->PerformKeyDown(m_hWnd, nChar))
        Default();
}

INT_PTR CTkTabClientWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    CWorkspace* pWorkspace = WorkspaceFromPoint(point);
    return pWorkspace != nullptr ? pWorkspace->OnToolHitTest(m_hWnd, point, pTI) : -1;
}

BOOL CTkTabClientWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    m_pToolTipContext->FilterToolTipMessage(this, message, wParam, lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

// ---- Entry points of the command bars

void RefreshTabClientOfFrame(CWnd* pFrame) {
    auto* pMdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame);
    if (pMdiFrame == nullptr || pMdiFrame->m_hWndMDIClient == nullptr)
        return;
    if (auto* pClient = DYNAMIC_DOWNCAST(CTkTabClientWnd, CWnd::FromHandlePermanent(pMdiFrame->m_hWndMDIClient)))
        pClient->RefreshTabs(TRUE);
}

BOOL IsWorkspaceActionEnabledFor(HWND hWndMdiClient, UINT nId, BOOL& bEnabled) {
    auto* pClient = DYNAMIC_DOWNCAST(CTkTabClientWnd, CWnd::FromHandlePermanent(hWndMdiClient));
    if (pClient == nullptr)
        return FALSE;
    bEnabled = pClient->IsWorkspaceActionEnabled(nId);
    return TRUE;
}
