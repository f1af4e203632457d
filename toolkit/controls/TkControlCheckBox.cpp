#include "TkControlCheckBox.h"

IMPLEMENT_SERIAL(CTkControlCheckBox, CTkControlButton, VERSIONABLE_SCHEMA | 33)

CTkControlCheckBox::CTkControlCheckBox() {
    m_nType = kControlCheckBox;
}
