#include "ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    if (!CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, nullptr))
        return FALSE;
    SetOwner(pParentWnd);
    return TRUE;
}

TTTOOLINFOW CToolTipCtrl::ToolInfo(CWnd* pWnd, UINT_PTR nIDTool) {
    TTTOOLINFOW info = {};
    info.cbSize = AFX_TOOLINFO_V2_SIZE;
    if (nIDTool == 0) {
        // The whole window is the tool; its parent is told about it.
        info.hwnd = ::GetParent(pWnd->m_hWnd);
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(pWnd->m_hWnd);
    } else {
        info.hwnd = pWnd->m_hWnd;
        info.uId = nIDTool;
    }
    return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    TTTOOLINFOW info = ToolInfo(pWnd, nIDTool);
    if (lpRectTool != nullptr)
        info.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->m_hWnd, &info.rect);
    info.lpszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
    TTTOOLINFOW info = ToolInfo(pWnd, nIDTool);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
    TTTOOLINFOW info = ToolInfo(pWnd, nIDTool);
    info.lpszText = const_cast<LPWSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
    TTTOOLINFOW info = ToolInfo(pWnd, nIDTool);
    info.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

BOOL CToolTipCtrl::GetToolInfo(TTTOOLINFOW* lpToolInfo) const {
    lpToolInfo->cbSize = AFX_TOOLINFO_V2_SIZE;
    return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(lpToolInfo)));
}
