#pragma once
#include "mfc.h"

// The message steps shared by the tab rows' mouse loops (the tab press, the reorder drag, the
// navigate-button press and the workspace's group drag). UI thread.

// What the loop does with the message just taken.
enum class TrackStep {
    kContinue,  // swallowed key or dispatched message
    kMove,      // the pointer moved (the point is updated)
    kRelease,   // the left button went up
    kCancel,    // right button, WM_CANCELMODE, Escape, lost capture, WM_QUIT or a failed GetMessage
};

// A navigate button repeats every 20 ms while held.
constexpr DWORD kNavigateButtonTick = 20;

// Takes the next message of a loop that runs while hWnd holds the capture. Mouse moves (pt receives the
// point in hWnd's client coordinates), releases and cancels are the caller's; other key-downs are
// swallowed; everything else is dispatched, and a capture lost meanwhile cancels. WM_QUIT goes back to
// the queue and cancels, as does a failed GetMessage; *pbQuit is set then.
TrackStep NextTrackStep(HWND hWnd, CPoint& pt, BOOL* pbQuit);
// Releases the capture when hWnd still holds it.
void EndCapture(HWND hWnd);
