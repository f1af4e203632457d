#pragma once
#include "TkSkinObjectUser32Control.h"

// CTkSkinObjectEdit: edit controls keep the system's drawing; the object gives them the skin's colours
// (asked of the parent as an edit, or as a static text while read-only or disabled), the skin's border
// and skinned scroll bars. An up-down control attached to the edit overlaps its right or left 2 pixels;
// the border is not painted over that strip.
//
// Runs on the thread that owns the control.
class CTkSkinObjectEdit : public CTkSkinObjectUser32Control {
    DECLARE_DYNCREATE(CTkSkinObjectEdit)
public:
    CTkSkinObjectEdit();

    UINT GetCtlColorMessage() const override;
    void PaintFrame(CDC* pDC) override;
};
