#pragma once
#include "WndTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

// Helpers of the frame, dialog and control tests.

// Lets GoogleTest show rectangles in failure messages.
inline void PrintTo(const CRect& rect, std::ostream* os) {
    *os << '(' << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ')';
}

// The common controls the tests create (date-time and IP-address controls included).
inline void EnsureCommonControls() {
    static const BOOL bDone = [] {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
        return ::InitCommonControlsEx(&icc);
    }();
    (void)bDone;
}

// pWnd's window rectangle in the client coordinates of pParent.
inline CRect RectIn(const CWnd* pParent, const CWnd* pWnd) {
    CRect rect;
    pWnd->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    return rect;
}

// Dispatches this thread's waiting messages the way the application's loop does (pre-translation
// through the thread first).
inline void PumpLikeTheApp(CWinThread& thread) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!thread.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}
