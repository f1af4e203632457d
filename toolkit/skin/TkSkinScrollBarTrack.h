#pragma once
#include "mfc.h"

#include "TkSkinScrollBar.h"

// The mouse tracking of a skinned scroll bar: a press on an arrow or a page area steps at once and then
// repeats while the button is held on it; a press on the thumb (or, with the jump flag, on a page area)
// drags the thumb, which snaps back to where it started while the mouse is far off the bar. The window
// gets WM_VSCROLL or WM_HSCROLL notifications as the system's own scroll bars send them.
//
// Modal: TrackScrollBar runs a message loop on the window's thread while the window holds the capture.

// What tracking needs of the skinned window that owns the bar: a window's own bars (non-client, in window
// coordinates) or a scroll-bar control (SB_CTL, in client coordinates, notifying its parent).
class CTkSkinScrollBarSite {
public:
    virtual ~CTkSkinScrollBarSite() = default;
    virtual CWnd* GetScrollBarWindow() = 0;
    // Paints the bar now; its geometry is read again from the window unless its thumb is being dragged.
    virtual void RedrawScrollBar(SCROLLBARPOSITION* pBar) = 0;
    // The record of the bar being tracked, which painting and track-position queries read; NULL at the end.
    virtual void SetScrollBarTracking(SCROLLBARTRACKING* pTracking) = 0;
};

// The repeat timer of arrows and page areas, in the window's own timer space.
constexpr UINT_PTR kScrollBarRepeatTimer = 64069;

// Tracks a press at pt (the bar's coordinates) until the button is released, the capture is lost or
// WM_QUIT arrives (posted again); each ends with SB_ENDSCROLL. bJump turns a press on a page area into a
// thumb drag centred on the mouse. A thumb that fills the space between the arrows is not dragged.
void TrackScrollBar(CTkSkinScrollBarSite* pSite, POINT pt, SCROLLBARPOSITION* pBar, BOOL bJump);
