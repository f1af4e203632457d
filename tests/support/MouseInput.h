#pragma once
// Mouse input through the system's input queue, as a user's hand gives it.
#include "mfc.h"

// One mouse input with the given flags, at a screen point when one is given (else where the pointer is).
inline void SendMouseInput(DWORD dwFlags, CPoint pt = CPoint(-1, -1)) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    if (pt.x >= 0) {
        input.mi.dwFlags |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        input.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    ::SendInput(1, &input, sizeof(INPUT));
}
