#pragma once
#include "mfc.h"

// CTkControlDragTracker: carries a control with the mouse while the user customizes the command bars,
// from one bar to another or from the customize dialog onto a bar. The hub owns one.

class CTkControl;

// Drop results of DragControl.
enum DragResult {
    kDragNone = 0,  // released over no bar
    kDragCopied = 1,
    kDragMoved = 2,
    kDragCancelled = 5,
};

class CTkControlDragTracker {
public:
    virtual ~CTkControlDragTracker();

    // Runs the drag of the control from the current cursor position until a drop, a release over no
    // bar or a cancel (Esc, lost capture, WM_QUIT re-posted); bCopyOnly makes every drop a copy.
    // Answers a DragResult.
    virtual int DragControl(CTkControl* pControl, BOOL bCopyOnly);
};
