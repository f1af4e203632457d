#pragma once
#include "mfc.h"

#include <vector>

// CTkControlDragTracker: carries a control with the mouse while the user customizes the command bars,
// from one bar to another or from the customize dialog onto a bar. The hub owns one; every bar that can
// take a drop registers itself while its window exists. The tracker finds the bar under the cursor, lets
// it show where the control would land, and finally tells it to drop. UI thread; the drag runs its own
// message loop while the mouse is captured.

class CTkCommandBar;
class CTkCommandBars;
class CTkControl;
class CTkPopupBar;

// Drop results of DragControl.
enum DragResult {
    kDragNone = 0,  // released over no bar
    kDragCopied = 1,
    kDragMoved = 2,
    kDragCancelled = 5,
};

// The tracker's cursors (not among the program's resources: without them the cursor stays as it is).
constexpr UINT kIdCopyCursor = 9105;
constexpr UINT kIdMoveCursor = 9106;
constexpr UINT kIdNoDropCursor = 9107;

class CTkControlDragTracker {
public:
    explicit CTkControlDragTracker(CTkCommandBars* pCommandBars);
    CTkControlDragTracker(const CTkControlDragTracker&) = delete;
    CTkControlDragTracker& operator=(const CTkControlDragTracker&) = delete;

    // Drop targets, tested last registered first.
    void RegisterBar(CTkCommandBar* pBar);
    void UnregisterBar(CTkCommandBar* pBar);

    // Runs the drag of the control from the current cursor position until a drop, a release over no bar
    // or a cancel (Esc, the right button, lost capture, WM_QUIT, which goes back to the queue). Ctrl makes
    // the drop a copy; bCopyOnly only shows the copy cursor throughout. Answers a DragResult (0 also
    // without a hub or a window to capture the mouse).
    int DragControl(CTkControl* pControl, BOOL bCopyOnly);

    // The customize dialog while it is open (NULL: none; not owned), and the popup bar it shows for a
    // control (not owned; NULL: none). Drags then capture the mouse on the dialog.
    void SetCustomizeDialog(CWnd* pDialog, CTkPopupBar* pControlMenu);
    CWnd* GetCustomizeDialog() const { return m_pCustomizeDialog; }
    // The customize dialog's control menu at the screen point, on top of any open popup.
    void CustomizeDialogShowControlMenu(int x, int y);

private:
    // Runs the messages of the drag; answers the loop's DragResult.
    int RunLoop();
    // Finds the bar under the screen point and moves the target there.
    void DragOver(CPoint ptScreen);
    CTkCommandBar* FindBarAt(CPoint ptScreen) const;
    void LeaveTarget();
    void UpdateCursor() const;

    HWND m_hwndCapture = nullptr;
    CTkControl* m_pDragged = nullptr;  // not referenced: the caller keeps it alive
    BOOL m_bMove = FALSE;
    BOOL m_bCopyOnly = FALSE;
    CTkCommandBar* m_pTarget = nullptr;
    CWnd* m_pCustomizeDialog = nullptr;
    CTkPopupBar* m_pControlMenu = nullptr;
    CPoint m_ptStart{0, 0};
    CPoint m_ptCurrent{0, 0};  // screen
    std::vector<CTkCommandBar*> m_bars;
    CTkCommandBars* m_pCommandBars;
    HCURSOR m_hNoDropCursor;
    HCURSOR m_hMoveCursor;
    HCURSOR m_hCopyCursor;
};
