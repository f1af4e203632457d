#pragma once
#include "mfc.h"

#include "../support/WaitUntil.h"

// Helpers of the window tests: real windows on the test thread, messages pumped until a condition
// holds or a deadline passes.

// A hidden top-level window of a layer class, made by pWnd->CreateEx.
inline BOOL CreateTopLevel(CWnd* pWnd, DWORD dwStyle = WS_OVERLAPPEDWINDOW, HWND hWndOwner = nullptr) {
    return pWnd->CreateEx(0, AfxRegisterWndClass(0), L"test", dwStyle, 0, 0, 200, 150, hWndOwner, nullptr);
}

// A child window of pParent with id nID.
inline BOOL CreateChild(CWnd* pWnd, CWnd* pParent, UINT nID) {
    return pWnd->Create(nullptr, L"child", WS_VISIBLE, CRect(0, 0, 50, 20), pParent, nID);
}
