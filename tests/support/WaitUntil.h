// WaitUntil.h - waiting for a condition with a deadline, on another thread's work (WaitUntil) or
// on this thread's windows (PumpUntil). Sleeping a fixed time is never the wait.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

// Polls `condition` until it holds or `timeoutMs` has passed; answers whether it held.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        ::Sleep(5);
    }
    return true;
}

// Dispatches this thread's messages (sent ones included) until done() or the deadline; answers done().
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
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
