#pragma once
#include "TkSkinObject.h"

// CTkSkinObjectFrame: the skin object of every window whose class has no object of its own, and the base of
// the per-class objects. It draws the window's non-client area from the skin's WINDOW class.

// Timers on skinned windows (they share the window's own timer space).
constexpr UINT_PTR kSkinHotTrackTimer = 2763;      // caption-button hot tracking, 50 ms
constexpr UINT_PTR kSkinStyleRefreshTimer = 2765;  // style refresh, 1000 ms

class CTkSkinObjectFrame : public CTkSkinObject {
    DECLARE_DYNCREATE(CTkSkinObjectFrame)
public:
    // What kind of window the frame is on.
    enum WindowKind { kOrdinaryWindow = 1, kDialog = 2, kPropertyPage = 6 };

    CTkSkinObjectFrame();

    int GetWindowKind() const { return m_nWindowKind; }
    void SetWindowKind(int nKind) { m_nWindowKind = nKind; }

protected:
    int m_nWindowKind = kOrdinaryWindow;
};
