#pragma once
#include "TkMarkupControls.h"
#include "TkScrollBase.h"

#include <memory>

// The scroll bars of a markup scroll viewer, and the gripper in the corner between two of them. A bar
// lays itself out from the scroll information its viewer gives it (ScrollBarGeometry, in the bar's own
// coordinates), draws like the platform's scroll bars (the visual style "SCROLLBAR" when themed, frame
// controls and system colours otherwise), shows the part under the mouse, and on a press tracks the
// mouse in a modal loop of its own: arrows and the track repeat their scroll command while held, the
// thumb follows the mouse. It scrolls nothing itself: every command goes to the viewer that owns it.
//
// The tracking loop runs on the UI thread with the host window holding the mouse capture. It dispatches
// paint messages first and every other message except the mouse's, so the tree may be measured and
// arranged meanwhile: it holds the bar and the viewer, and ends as soon as the bar is no longer its
// viewer's. It ends too on the button's release, a lost capture, the host window's destruction and
// WM_QUIT (which it posts again). Keys are dispatched like any other message. UI thread only.

class CTkMarkupScrollViewer;

// ---- The geometry as pure functions (the platform's metrics read at the call)
// The layout of a bar over rc for a range, page and position; the drag start and hot part are kept from
// the geometry given.
void ComputeMarkupScrollBarGeometry(ScrollBarGeometry& geometry, const CRect& rc, const SCROLLINFO& info,
                                    BOOL bVertical);
// The scroll position the thumb stands for when it starts at pixel q along the bar.
int MarkupScrollPositionFromPixel(const ScrollBarGeometry& geometry, int q);
// The part under a point of the bar (bar coordinates); none for a disabled bar or outside it.
int HitTestMarkupScrollBar(const ScrollBarGeometry& geometry, BOOL bEnabled, CPoint pt);
// Whether the range needs scrolling: maximum - page - minimum is not negative.
BOOL IsMarkupScrollBarEnabled(const SCROLLINFO& info);

class CTkMarkupScrollBar : public CTkMarkupControl {
    DECLARE_MARKUP_TYPE()
public:
    // The timer of the arrows' and the track's auto-repeat, on the host window.
    static constexpr UINT_PTR kRepeatTimer = 63345;

    // Vertical; the viewer sets the orientation of the horizontal bar.
    CTkMarkupScrollBar();

    int GetOrientation() const { return m_nOrientation; }  // 1 vertical, 0 horizontal
    void SetOrientation(int nOrientation) { m_nOrientation = nOrientation; }
    const ScrollBarGeometry& GetGeometry() const { return m_geometry; }
    const SCROLLINFO& GetScrollInfo() const { return m_scrollInfo; }
    // Stores the information only when its maximum, page or position changed, and then has the next
    // Arrange lay the bar out again.
    void SetScrollInfo(const SCROLLINFO& info);
    BOOL IsEnabled() const { return IsMarkupScrollBarEnabled(m_scrollInfo); }
    BOOL IsTracking() const { return m_pTracking != nullptr; }

    // ---- Input
    // The hot part goes, then the base behaviour.
    void OnMouseLeave(CTkMarkupMouseEventArgs* pArgs) override;
    // The part under the mouse becomes the hot one; handled.
    void OnMouseMove(CTkMarkupMouseEventArgs* pArgs) override;
    // Nothing: the tracking loop takes the release.
    void OnMouseLeftButtonUp(CTkMarkupMouseEventArgs* pArgs) override;
    // Handled; an enabled bar tracks the mouse (with Shift, a press on the track drags the thumb).
    void OnMouseLeftButtonDown(CTkMarkupMouseEventArgs* pArgs) override;

    // ---- Layout and drawing
    void OnRender(CTkMarkupDrawingContext* pDC) override;
    // The platform's scroll-bar thickness across, nothing along.
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    // Lays the geometry out over the final size.
    CSize ArrangeOverride(int nWidth, int nHeight) override;

private:
    // What a press started; exists only while the loop runs.
    struct Tracking {
        BOOL bInside = FALSE;  // the mouse is in the tracked part
        HWND hWnd = nullptr;   // the host window: capture and timer
        CRect rcPart;          // the tracked part; for the thumb, the rectangle it follows the mouse in
        int nCommand = 0;      // SB_LINEUP .. SB_PAGEDOWN, or SB_THUMBPOSITION for the thumb
        BOOL bTimer = FALSE;   // the repeat timer is set
        int nDragOffset = 0;   // thumb start minus the mouse at the press
        int nLastThumbPixel = 0;
        int nPos = 0;  // the position last scrolled to
        BOOL bThumbDrag = FALSE;
    };

    CTkMarkupScrollViewer* GetViewer() const;  // the logical parent; NULL when released by it
    int Along(CPoint pt) const { return m_geometry.bVertical ? pt.y : pt.x; }
    // A rectangle from nStart to nEnd along the bar, across its whole thickness.
    CRect AlongRect(int nStart, int nEnd) const;
    // A point of the host's client area in the bar's coordinates.
    CPoint ClientToBar(CPoint pt) const;

    // ---- Tracking (TkMarkupScrollBarTracking.cpp)
    void Track(HWND hWnd, CPoint pt, BOOL bShift);
    void RunTrackingLoop(CTkMarkupScrollViewer* pViewer);
    // A mouse message of the loop, in bar coordinates.
    void OnTrackingMouse(UINT message, WPARAM wParam, CPoint pt);
    void TrackPart(UINT message, CPoint pt, UINT nDelay);
    void RepeatStep();
    void TrackThumb(UINT message, WPARAM wParam, CPoint pt);
    void MoveThumb(int nPixel);
    // Releases the capture and kills the timer; with bNotify the viewer hears the thumb's final position
    // and the end of scrolling.
    void EndTracking(BOOL bNotify);
    void ScrollViewer(int nCommand, int nPosition);

    // ---- Drawing
    void RenderThemed(CTkMarkupDrawingContext* pDC, CTkWinThemeWrapper& theme, int nPressed, int nHot);
    void RenderClassic(CTkMarkupDrawingContext* pDC, int nPressed);
    HBRUSH GetTrackBrush(HDC hDC) const;

    int m_nOrientation = 1;
    ScrollBarGeometry m_geometry;
    std::unique_ptr<Tracking> m_pTracking;
    SCROLLINFO m_scrollInfo = {sizeof(SCROLLINFO), SIF_ALL};
};

// Fills the corner between a viewer's two bars with the button face.
class CTkMarkupScrollBarGripper : public CTkMarkupUIElement {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CTkMarkupDrawingContext* pDC) override;
    // Stands where it is arranged: a UI element's own arrangement sets only its size, which would leave
    // the gripper at the viewer's top-left corner.
    void ArrangeCore(const CRect& rc) override;
};
