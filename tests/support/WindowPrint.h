#pragma once
#include "mfc.h"

// The window printed as the screen shows it, into the root's client coordinates: its client area, then
// each visible child at its place, the lowest first (the system's default procedure prints no children).
inline void PrintWithChildren(CDC* pDC, HWND hWnd, HWND hRoot) {
    CPoint ptOrigin(0, 0);
    ::MapWindowPoints(hWnd, hRoot, &ptOrigin, 1);
    CRect rcClient;
    ::GetClientRect(hWnd, &rcClient);
    const int nSaved = pDC->SaveDC();
    pDC->SetViewportOrg(ptOrigin);
    pDC->IntersectClipRect(&rcClient);
    ::SendMessageW(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND);
    pDC->RestoreDC(nSaved);
    HWND hChild = ::GetWindow(hWnd, GW_CHILD);
    for (hChild = hChild != nullptr ? ::GetWindow(hChild, GW_HWNDLAST) : nullptr; hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDPREV)) {
        if (::IsWindowVisible(hChild))
            PrintWithChildren(pDC, hChild, hRoot);
    }
}
