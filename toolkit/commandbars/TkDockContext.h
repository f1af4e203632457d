#pragma once
#include "mfc.h"

// CTkDockContext: moves, docks, floats and resizes one toolbar with the mouse, in a modal loop of its own
// that holds the mouse capture, and remembers where the bar was docked (its preferred place in its dock
// row) and where it last floated. Every toolbar owns one. UI thread.

class CTkToolBar;

// Shifts the rectangle the least distance that puts the point inside it.
void OffsetRectToPoint(CRect& rc, int x, int y);

class CTkDockContext {
public:
    explicit CTkDockContext(CTkToolBar* pBar) : m_pBar(pBar) {}
    virtual ~CTkDockContext() = default;
    CTkDockContext(const CTkDockContext&) = delete;
    CTkDockContext& operator=(const CTkDockContext&) = delete;

    // A move from the screen point (the gripper or empty space of the bar).
    virtual void StartMove(int x, int y);
    // A resize of a floating bar by the edge or corner of the hit code, from the screen point.
    virtual void StartResize(int nHitCode, int x, int y);
    // A double click: a floating bar docks at its remembered place; a docked bar floats when the options
    // allow it. FALSE when refused.
    virtual BOOL ToggleDocking();
    // The loop: runs until the button goes up, Esc, a lost capture or WM_QUIT (posted again). Esc keeps
    // what the last move did.
    virtual void Track();

    void MoveTo(int x, int y);
    void ResizeToolBar(int x, int y);
    void ResizeDialogBar(int x, int y);
    // Keeps at least 10 pixels of the rectangle inside the work area of the monitor under the cursor.
    static void KeepOnScreen(CRect& rc);

    int GetTrackingMode() const { return m_nTrackingMode; }
    // Where the bar was docked, in dock-bar client coordinates (empty: nowhere yet).
    const CRect& GetDockedRect() const { return m_rcDocked; }
    void SetDockedRect(const CRect& rc) { m_rcDocked = rc; }
    // The position (0..3) of the dock bar that last laid the bar out.
    int GetLastDockPosition() const { return m_nLastDockPosition; }
    void SetLastDockPosition(int nPosition) { m_nLastDockPosition = nPosition; }
    CPoint GetLastFloatingPosition() const { return m_ptLastFloating; }
    void SetLastFloatingPosition(CPoint pt) { m_ptLastFloating = pt; }

protected:
    CTkToolBar* m_pBar;       // the owner
    int m_nTrackingMode = 0;  // 1 moving; the hit code while resizing
    CPoint m_ptLast;
    int m_nLastDockPosition = 0;
    CRect m_rcDocked{0, 0, 0, 0};
    CPoint m_ptLastFloating{0, 0};
    CRect m_rcDrag;
    CRect m_rcTracking;
};
