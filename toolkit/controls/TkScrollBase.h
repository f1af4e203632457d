#pragma once
#include "mfc.h"

#include <memory>
#include <vector>

// The scroll-bar mechanics that command-bar items share with other toolkit pieces: the record of a
// scroll bar's computed layout (ScrollBarGeometry), the codes of its parts (ScrollBarPart) and
// CTkScrollBase, the mixin of window-less scroll bars (the gallery and the slider derive from it).
//
// The mixin owns no window: the deriving class supplies the rectangle, the scroll range, the window that
// receives the capture and the timers, and the reaction to scroll commands. The static geometry helpers
// (this file's .cpp) build on the layer alone, so that the markup engine's scroll bars link them without
// the command bars; the members that read a painter or run the tracking loop live in
// TkScrollBaseTracking.cpp, in the controls' library. UI thread only.

class CTkScrollBarPaintManager;

// Parts of a scroll bar, as hit tests answer them.
enum ScrollBarPart {
    kScrollPartNone = 0,
    kScrollPartFirstArrow = 60,   // up or left
    kScrollPartSecondArrow = 61,  // down or right
    kScrollPartTrackBefore = 62,  // the track before the thumb
    kScrollPartTrackAfter = 63,   // the track after the thumb
    kScrollPartThumb = 64,
    kScrollPartExtraButton = 65,  // a button of the deriving class beyond the second arrow
};

// The looks of a scroll bar (GetScrollBarStyle).
enum ScrollBarStyle {
    kScrollStyleDefault = 0,  // chosen by the theme
    kScrollStyleFlat = 2,
    kScrollStyleSystem = 3,
    kScrollStyleOffice2007 = 5,
};

// A scroll bar's layout, in the bar's coordinates. "Along" is the scrolling direction (top to bottom of
// a vertical bar, left to right of a horizontal one), "across" the other.
struct ScrollBarGeometry {
    int nMin = 0;  // the scroll range, page and position it was computed for
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
    int nStart = 0;  // the bar's extent along
    int nEnd = 0;
    int nCrossStart = 0;  // the bar's extent across
    int nCrossEnd = 0;
    int nThumbSize = 0;         // the thumb's length along
    int nFirstArrowEnd = 0;     // the first arrow ends here
    int nSecondArrowStart = 0;  // the second arrow starts here
    int nDragStartThumb = 0;    // the thumb start when a thumb drag began
    int nThumbEnd = 0;
    int nThumbStart = 0;
    int nExtraButtonStart = 0;  // where the deriving class's extra button begins; 0: none
    int nTravel = 0;            // the pixels the thumb can move
    int nTrackStart = 0;
    CRect rcBar;
    int nHitPart = kScrollPartNone;  // the part under the mouse, for painting
    BOOL bVertical = TRUE;
};

// What a press on the bar holds until its tracking loop ends.
struct ScrollTrackingState {
    BOOL bPressedInside = FALSE;  // the pointer is over the pressed part
    CRect rcPart;                 // the pressed part, or the tolerance rectangle of a thumb drag
    int nCommand = -1;            // the scroll command repeated (SB_LINEUP..SB_THUMBPOSITION)
    BOOL bTimer = FALSE;          // the repeat timer runs
    int nGrabOffset = 0;          // from the pointer to the thumb start, along
    int nLastThumbPixel = 0;
    int nTrackPos = 0;  // the position reported last
    int nNewTrackPos = 0;
    HWND hWnd = nullptr;  // receives the capture and the timers
    BOOL bThumbDrag = FALSE;
    ScrollBarGeometry* pGeometry = nullptr;
};

class CTkScrollBase {
public:
    // The window timers of the tracking loop, on the window given to TrackScrollBar.
    static constexpr UINT_PTR kRepeatTimer = 23345;
    static constexpr UINT_PTR kAnimationTimer = 23346;

    CTkScrollBase();
    virtual ~CTkScrollBase();
    CTkScrollBase(const CTkScrollBase&) = delete;
    CTkScrollBase& operator=(const CTkScrollBase&) = delete;

    // ---- What the deriving class supplies
    virtual BOOL IsScrollBarEnabled() const = 0;
    // Receives the capture and the timers, and answers WM_CTLCOLORSCROLLBAR for the track brush.
    virtual CWnd* GetParentWindow() const = 0;
    // Timer 23346 fired (the deriving class animates a scroll with it).
    virtual void OnAnimationTimer();
    virtual CRect GetScrollBarRect() = 0;
    virtual void GetScrollInfo(SCROLLINFO* pScrollInfo) = 0;
    // One scroll command: SB_LINEUP..SB_PAGEDOWN, SB_THUMBPOSITION and SB_THUMBTRACK with the position,
    // SB_ENDSCROLL. The deriving class must not destroy the scroll base from here while tracking.
    virtual void DoScroll(int nCommand, int nPosition) = 0;
    virtual void RedrawScrollBar() = 0;
    // Fills the geometry from the rectangle, the range and the painter's arrow metrics.
    virtual void CalcScrollBarInfo(LPCRECT lpRect, ScrollBarGeometry* pGeometry, const SCROLLINFO* pScrollInfo);
    virtual CTkScrollBarPaintManager* GetScrollBarPaintManager() const = 0;

    // ---- Operations
    void UpdateScrollBarInfo();
    int HitTest(CPoint pt) const { return HitTestGeometry(m_geometry, pt); }
    // The press-and-track loop, run by the deriving class on a button press at pt (bar coordinates, which
    // are pWnd's client coordinates). With bJump a press in the track grabs the thumb by its centre.
    void TrackScrollBar(CWnd* pWnd, CPoint pt, ScrollBarGeometry* pGeometry, BOOL bJump);
    // The explicit look, else by the painter's recorded theme number: 0 flat, 5 and 6 their own, else the
    // system's.
    int GetScrollBarStyle() const;

    // ---- Geometry helpers (no state)
    static int HitTestGeometry(const ScrollBarGeometry& geometry, CPoint pt);
    // The scroll position of a thumb whose start is at nPixel.
    static int PositionFromPixel(const ScrollBarGeometry& geometry, int nPixel);
    // The rectangle inside which a thumb drag keeps following the mouse: across, the bar widened by eight
    // bar thicknesses on each side; along, the bar widened at each end by twice the system's thumb length
    // (SM_CYVTHUMB for a vertical bar, SM_CXHTHUMB for a horizontal one). Reads the extents and the
    // vertical flag of the geometry only.
    static CRect CalcThumbDragRect(const ScrollBarGeometry& geometry);
    // The rectangle from nStart to nEnd along, across the whole bar.
    static CRect AlongRect(const ScrollBarGeometry& geometry, int nStart, int nEnd);

    ScrollBarGeometry m_geometry;
    ScrollTrackingState* m_pTracking = nullptr;  // owned by the running TrackScrollBar
    int m_nExplicitStyle = kScrollStyleDefault;
    BOOL m_bAnimating = FALSE;    // set by the deriving class while it animates with timer 23346
    int m_nRepeatElapse = 0;      // the current repeat period, ms
    std::vector<double> m_ticks;  // a slider's tick values

private:
    void RunTrackingLoop();
    void RunAnimationLoop(HWND hWnd);
    void OnTrackingMouse(UINT message, WPARAM wParam, CPoint pt);
    void TrackPart(UINT message, CPoint pt, UINT nDelay);
    void RepeatTick();
    void TrackThumb(UINT message, WPARAM wParam, CPoint pt);
    void EndTracking();
    void StartRepeat(UINT nDelay);

    CPoint m_ptLastPointer;  // where the tracking loop saw the pointer last, bar coordinates
};
