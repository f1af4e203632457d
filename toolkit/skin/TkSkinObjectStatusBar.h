#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectStatusBar: status bars ("msctls_statusbar32") keep the system's painting, which the
// skin's colour hooks reach; the object only tells the bar to read its fonts and sizes again when it is
// made and whenever the skin's metrics change. Its frame keeps the system's size: the frame's creation
// step that grows captioned windows is not applied.
//
// Runs on the thread that owns the bar.
class CTkSkinObjectStatusBar : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectStatusBar)
public:
    CTkSkinObjectStatusBar();

    void RefreshMetrics() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
