#include "ButtonTestSupport.h"

#include "TkAuxData.h"

CButtonParent::CButtonParent() {
    CreateEx(0, AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE)), L"buttons",
             WS_POPUP | WS_CLIPCHILDREN, 0, 0, 300, 200, nullptr, nullptr);
    ShowWindow(SW_SHOWNOACTIVATE);
}

LRESULT CButtonParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM)
        ++m_nDrawItems;
    if (message == WM_CTLCOLORBTN) {
        ++m_nCtlColorBtn;
        if (m_hButtonBrush != nullptr)
            return reinterpret_cast<LRESULT>(m_hButtonBrush);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL TestButton::CreateIn(CWnd* pParent, LPCWSTR pszText, DWORD dwStyle, UINT nId) {
    if (!Create(pszText, WS_CHILD | WS_VISIBLE | dwStyle, CRect(10, 10, 10 + kButtonWidth, 10 + kButtonHeight), pParent,
                nId))
        return FALSE;
    SetFont(&GetAuxData()->m_fontNormal, FALSE);
    return TRUE;
}

void TestButton::DrawButton(CDC* pDC) {
    ++m_nPaints;
    CTkButton::DrawButton(pDC);
}

void TestButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    m_nLastState = lpDrawItemStruct->itemState;
    CTkButton::DrawItem(lpDrawItemStruct);
}

LRESULT TestButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QUERYUISTATE && m_uiState != -1)
        return m_uiState;
    return CTkButton::WindowProc(message, wParam, lParam);
}
