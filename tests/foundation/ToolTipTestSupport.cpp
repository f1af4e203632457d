#include "ToolTipTestSupport.h"

#include <windowsx.h>

CScriptedOwner::CScriptedOwner(const CRect& rect, BOOL bShow, HWND hWndOwner) {
    CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"", WS_POPUP, rect.left, rect.top, rect.Width(), rect.Height(),
             hWndOwner, nullptr);
    if (bShow)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

INT_PTR CScriptedOwner::OnToolHitTest(CPoint point, TOOLINFO* pInfo) const {
    for (const ScriptedTool& tool : m_tools) {
        if (tool.rect.PtInRect(point)) {
            FillToolInfoEx(pInfo, m_hWnd, tool.rect, tool.nId, tool.pszText, tool.pszTitle, tool.pszDescription,
                           m_pImageManager);
            pInfo->uFlags = tool.uFlags;
            return static_cast<INT_PTR>(tool.nId);
        }
    }
    return -1;
}

LRESULT CScriptedOwner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE)
        m_ptLastMove = CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (m_pContext != nullptr && ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE))
        m_pContext->FilterToolTipMessage(this, message, wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

MSG OwnerMessage(CWnd* pOwner, UINT message, CPoint ptClient) {
    MSG msg = {};
    msg.hwnd = pOwner->GetSafeHwnd();
    msg.message = message;
    msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
    msg.pt = ptClient;
    pOwner->ClientToScreen(&msg.pt);
    return msg;
}
