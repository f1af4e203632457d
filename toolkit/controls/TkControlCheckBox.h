#pragma once
#include "TkControlButton.h"

// CTkControlCheckBox: a check box: a button whose Checked state the application keeps through the command-update pass; the paint manager draws its box (ControlType 9).
class CTkControlCheckBox : public CTkControlButton {
    DECLARE_SERIAL(CTkControlCheckBox)
public:
    CTkControlCheckBox();
};
