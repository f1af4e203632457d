#include "TkControlRadioButton.h"

IMPLEMENT_SERIAL(CTkControlRadioButton, CTkControlButton, VERSIONABLE_SCHEMA | 33)

CTkControlRadioButton::CTkControlRadioButton() {
    m_nType = kControlRadioButton;
}
