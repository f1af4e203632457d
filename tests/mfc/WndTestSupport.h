#pragma once
#include "mfc.h"

#include <chrono>
#include <functional>

// Helpers of the window tests: real windows on the test thread, messages pumped until a condition
// holds or a deadline passes.

// Dispatches this thread's messages (sent ones included) until done() or the deadline; answers done().
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return done();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return true;
}

// A hidden top-level window of a layer class, made by pWnd->CreateEx.
inline BOOL CreateTopLevel(CWnd* pWnd, DWORD dwStyle = WS_OVERLAPPEDWINDOW, HWND hWndOwner = nullptr) {
    return pWnd->CreateEx(0, AfxRegisterWndClass(0), L"test", dwStyle, 0, 0, 200, 150, hWndOwner, nullptr);
}

// A child window of pParent with id nID.
inline BOOL CreateChild(CWnd* pWnd, CWnd* pParent, UINT nID) {
    return pWnd->Create(nullptr, L"child", WS_VISIBLE, CRect(0, 0, 50, 20), pParent, nID);
}
