#pragma once
#include "TkControlButton.h"

// CTkControlRadioButton: a radio button: a button whose Checked state the application keeps through the command-update pass; the paint manager draws its dot (ControlType 11).
class CTkControlRadioButton : public CTkControlButton {
    DECLARE_SERIAL(CTkControlRadioButton)
public:
    CTkControlRadioButton();
};
