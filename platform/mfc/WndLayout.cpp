#include "WndLayout.h"

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
    CRect rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<LPPOINT>(&rectOld), 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    const int cx = lpRect->right - lpRect->left;
    const int cy = lpRect->bottom - lpRect->top;
    if (lpLayout != nullptr && lpLayout->hDWP != nullptr)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, cx, cy,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch) {
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    if (nFlags != reposQuery)
        layout.hDWP = ::BeginDeferWindowPos(8);

    // Only windows with objects are bars; the map lock is not held while a bar answers.
    HWND hWndLeftOver = nullptr;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        const UINT nID = static_cast<UINT>(::GetDlgCtrlID(hChild));
        if (nID == nIDLeftOver) {
            if (hWndLeftOver == nullptr)
                hWndLeftOver = hChild;
        } else if (nID >= nIDFirst && nID <= nIDLast && FromHandlePermanent(hChild) != nullptr) {
            ::SendMessageW(hChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
        }
    }

    if (nFlags == reposQuery) {
        if (bStretch) {
            *lpRectParam = layout.rect;
        } else {
            lpRectParam->left = lpRectParam->top = 0;
            lpRectParam->right = layout.sizeTotal.cx;
            lpRectParam->bottom = layout.sizeTotal.cy;
        }
        return;
    }
    if (nFlags == reposExtra && lpRectParam != nullptr) {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (hWndLeftOver != nullptr) {
        CRect rect(layout.rect);
        FromHandle(hWndLeftOver)->CalcWindowRect(&rect);
        AfxRepositionWindow(&layout, hWndLeftOver, &rect);
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
    DWORD dwExStyle = GetExStyle();
    // The client edge of a client window is its own sunken border drawn inside the space it is given.
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}
