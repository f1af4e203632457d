#include "FrameWnd.h"
#include "CmdUI.h"
#include "ResourceHandle.h"
#include "View.h"
#include "WinApp.h"
#include "WndClass.h"
#include "WndMsgMap.h"

#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

namespace {

// TRUE when hWnd's chain of parents and owners reaches hWndAncestor.
bool IsOwnedBy(HWND hWndAncestor, HWND hWnd) {
    for (HWND hUp = ::GetParent(hWnd); hUp != nullptr; hUp = ::GetParent(hUp)) {
        if (hUp == hWndAncestor)
            return true;
    }
    return false;
}

}  // namespace

// ---- Frames around a window

CFrameWnd* CWnd::GetParentFrame() const {
    if (m_hWnd == nullptr)
        return nullptr;
    for (HWND hUp = ::GetParent(m_hWnd); hUp != nullptr; hUp = ::GetParent(hUp)) {
        CWnd* pWnd = FromHandlePermanent(hUp);
        if (pWnd != nullptr && pWnd->IsFrameWnd())
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
    CFrameWnd* pFrame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (pFrame != nullptr) {
        CFrameWnd* pOuter = pFrame->GetParentFrame();
        if (pOuter == nullptr)
            break;
        pFrame = pOuter;
    }
    return pFrame;
}

BOOL AfxPreTranslateInFrames(CWnd* pWnd, MSG* pMsg) {
    for (CFrameWnd* pFrame = pWnd->GetParentFrame(); pFrame != nullptr; pFrame = pFrame->GetParentFrame()) {
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}

// ---- Creation

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    LPCWSTR lpszResource = MAKEINTRESOURCEW(nIDResource);
    HICON hIcon = ::LoadIconW(AfxFindResourceHandle(lpszResource, RT_GROUP_ICON), lpszResource);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
    if (lpszClass == nullptr)
        return FALSE;

    CString strTitle;
    if (CString strFull; strFull.LoadString(nIDResource))
        AfxExtractSubString(strTitle, strFull, 0);
    m_hMenuDefault = ::LoadMenuW(AfxFindResourceHandle(lpszResource, RT_MENU), lpszResource);
    m_hAccelTable = ::LoadAcceleratorsW(AfxFindResourceHandle(lpszResource, RT_ACCELERATOR), lpszResource);

    HMENU hMenu = m_hMenuDefault;
    if (!CreateEx(0, lpszClass, strTitle, dwDefaultStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, hMenu, pContext)) {
        // The object is gone. A window that existed took its menu with it; otherwise the menu is ours.
        if (hMenu != nullptr && ::IsMenu(hMenu))
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    auto* pView = static_cast<CWnd*>(pContext->m_pNewViewClass->CreateObject());
    if (pView == nullptr)
        return nullptr;
    // A view that is not made has deleted itself (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return pView;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext) != nullptr;
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!OnCreateClient(lpCreateStruct, static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams)))
        return -1;
    RecalcLayout();
    return 0;
}

// ---- Layout

void CFrameWnd::RecalcLayout(BOOL) {
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

// Also reached by a posted WM_IDLEUPDATECMDUI. Only a pending layout is served: the title and the menu
// are never re-applied (see the class comment).
LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    if (m_nIdleFlags & idleLayout) {
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
        UpdateWindow();
    }
    m_nIdleFlags = 0;
    return 0;
}

// ---- Views and commands

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL) {
    m_pViewActive = pViewNew;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CView* pView = GetActiveView(); pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr)
        return ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg) != 0;
    return FALSE;
}

// Menus the frame owns (its own, the tray's, TrackPopupMenu's) show each command's state as its update
// handlers decide; commands without a handler are greyed while m_bAutoMenuEnable is set.
void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
    if (bSysMenu)
        return;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = static_cast<UINT>(pPopupMenu->GetMenuItemCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        // Separators (0) and sub-menus (-1) have no command of their own.
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
            continue;
        state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);

        // An update handler may have removed items: continue behind the one just updated.
        const UINT nCount = static_cast<UINT>(pPopupMenu->GetMenuItemCount());
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= state.m_nIndexMax - nCount;
            while (state.m_nIndex < nCount &&
                   pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = nCount;
    }
}

// ---- Message bar

CWnd* CFrameWnd::GetMessageBar() {
    return FromHandle(::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR));
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
    rMessage.Empty();
    if (CString strFull; strFull.LoadString(nID))
        AfxExtractSubString(rMessage, strFull, 0);
}

// wParam: a string id, or lParam: the text itself; both 0 clear. The text goes to pane 0 only.
LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    const UINT nIDLast = m_nIDLastMessage;
    m_nIDLastMessage = static_cast<UINT>(wParam);
    if (HWND hBar = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR)) {
        CString strMessage;
        if (lParam != 0)
            strMessage = reinterpret_cast<LPCTSTR>(lParam);
        else if (wParam != 0)
            GetMessageString(static_cast<UINT>(wParam), strMessage);
        // A status control shows its window text in part 0.
        ::SetWindowTextW(hBar, strMessage);
    }
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

// ---- Floating windows: popups the frame owns show the frame's activation and enabled state

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags) {
    CFrameWnd* pTop = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (dwFlags & (FS_ACTIVATE | FS_DEACTIVATE)) {
        const BOOL bActivate = (dwFlags & FS_DEACTIVATE) == 0;
        pTop->SendMessage(WM_NCACTIVATE, bActivate && pTop != this && pTop->IsWindowEnabled());
    }
    // A snapshot of the top-level windows: walking the live z-order list ends early when another program's
    // window goes while we walk, and an owned popup would miss its notification.
    std::vector<HWND> windows;
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    for (HWND hWnd : windows) {
        if (IsOwnedBy(pTop->m_hWnd, hWnd))
            ::SendMessageW(hWnd, WM_FLOATSTATUS, dwFlags, 0);
    }
}

// The frame's caption stays active while activation moves to a popup of its own that asks for it
// (WM_FLOATSTATUS(FS_SYNCACTIVE) answered non-zero).
void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CFrameWnd* pTop = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    HWND hActive = nState == WA_INACTIVE ? (pWndOther != nullptr ? pWndOther->m_hWnd : nullptr) : m_hWnd;
    const bool bStayActive =
        hActive != nullptr &&
        (hActive == pTop->m_hWnd ||
         (IsOwnedBy(pTop->m_hWnd, hActive) && ::SendMessageW(hActive, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0));
    pTop->m_nFlags &= ~WF_STAYACTIVE;
    if (bStayActive)
        pTop->m_nFlags |= WF_STAYACTIVE;
    NotifyFloatingWindows(bStayActive ? FS_ACTIVATE : FS_DEACTIVATE);
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive) {
    if (m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    if (!IsWindowEnabled())
        bActive = FALSE;
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, GetCurrentMessage()->lParam));
}

void CFrameWnd::OnEnable(BOOL bEnable) {
    CWnd::OnEnable(bEnable);
    if (bEnable && (m_nFlags & WF_STAYACTIVE))
        SendMessage(WM_NCACTIVATE, TRUE);
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

// ---- End of the frame

void CFrameWnd::OnClose() {
    DestroyWindow();
}

void CFrameWnd::OnDestroy() {
    CWnd::OnDestroy();
    m_hMenuDefault = nullptr;
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_INITMENUPOPUP()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_ENABLE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
END_MESSAGE_MAP()
