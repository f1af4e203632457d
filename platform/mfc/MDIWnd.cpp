#include "MDIWnd.h"
#include "ResourceHandle.h"
#include "WndClass.h"
#include "WndMsgMap.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

// ---- Frame

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*) {
    CLIENTCREATESTRUCT ccs = {};
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    m_hWndMDIClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0,
                                        m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                        AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefFrameProcW(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
    if (pbMaximized != nullptr)
        *pbMaximized = FALSE;
    if (m_hWndMDIClient == nullptr)
        return nullptr;
    HWND hChild = reinterpret_cast<HWND>(
        ::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(pbMaximized)));
    return DYNAMIC_DOWNCAST(CMDIChildWnd, FromHandlePermanent(hChild));
}

// ---- Child

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
    if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr) {
        PostNcDestroy();
        return FALSE;
    }
    if (lpszClassName == nullptr)
        lpszClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    const int cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    const int cy = rect.top == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    return CreateEx(WS_EX_MDICHILD, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top, cx, cy,
                    pParentWnd->m_hWndMDIClient, nullptr, pContext);
}

HWND CMDIChildWnd::CreateWindowFromStruct(CREATESTRUCT& cs) {
    MDICREATESTRUCTW mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = static_cast<DWORD>(cs.style) & ~(WS_CHILD | WS_VISIBLE);
    mcs.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);
    HWND hWnd = reinterpret_cast<HWND>(::SendMessageW(cs.hwndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    // WM_MDICREATE shows the child itself; one made hidden is hidden again.
    if (hWnd != nullptr && (cs.style & WS_VISIBLE) == 0)
        ::ShowWindow(hWnd, SW_HIDE);
    return hWnd;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    CREATESTRUCT cs = *lpCreateStruct;
    const auto* pMdi = static_cast<const MDICREATESTRUCTW*>(lpCreateStruct->lpCreateParams);
    cs.lpCreateParams = pMdi != nullptr ? reinterpret_cast<LPVOID>(pMdi->lParam) : nullptr;
    return CFrameWnd::OnCreate(&cs);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefMDIChildProcW(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow() {
    HWND hWnd = m_hWnd;
    HWND hClient = hWnd != nullptr ? ::GetParent(hWnd) : nullptr;
    if (hClient == nullptr)
        return FALSE;
    // The object may delete itself during the message: only the handle is consulted afterwards.
    ::SendMessageW(hClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hWnd), 0);
    return !::IsWindow(hWnd);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, GetParentFrame());
}
