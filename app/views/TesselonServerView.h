#pragma once
// CTesselonServerView: the window that fills the main frame's client area (id AFX_IDW_PANE_FIRST), under which
// the toolbar, the navigation tree and the list panes live. Created by the main frame's creation on the UI thread
// and destroyed with the frame.

#include "mfc.h"

class CTesselonServerView : public CWnd {
public:
    CTesselonServerView() = default;

protected:
    // No border of its own, and a class with double clicks, full redraws on resizing, the arrow cursor and the
    // window colour as background.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
