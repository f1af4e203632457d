#pragma once
#include "TkControl.h"

// CTkControlLabel: a caption in a bar that is never selected and never executes (ControlType 8). In
// customisation a mouse click drags it, when the control may be moved at all.
class CTkControlLabel : public CTkControl {
    DECLARE_SERIAL(CTkControlLabel)
public:
    CTkControlLabel();

    int GetSelected() const override;
    void HandleClick(BOOL bKeyboard, CPoint pt) override;
};
