#pragma once
#include "TkControl.h"

#include "mfc.h"

// CTkControlField: what the paint managers ask of a control that shows a text field (the edit box and
// the combo box). They measure the label and the drop-down button and store both widths here, frame the
// field, draw its button or spin buttons, and let the control draw its own text and edit icon.
//
// A mixin: the field controls derive from CTkControl (or a popup) and from this class; GetControlField
// finds it on any control. UI thread.

class CTkControlField {
public:
    virtual ~CTkControlField() = default;

    // ---- Widths the paint manager measures
    // The label before the field (0 when no caption shows). Storing a different width marks the control
    // for a new layout, so its edit window moves.
    virtual int GetLabelWidth() const = 0;
    virtual void SetLabelWidth(int nWidth) = 0;
    // The drop-down button at the right of a combo box's field; 0 for an edit. A change marks the control
    // for a new layout.
    virtual int GetDropButtonWidth() const = 0;
    virtual void SetDropButtonWidth(int nWidth) = 0;

    // ---- State
    // The field has an edit window (an edit box always; a combo box when it is editable).
    virtual BOOL IsEditable() const = 0;
    // That edit window has the keyboard focus.
    virtual BOOL IsEditFocused() const = 0;
    // The combo box's list is open; FALSE for an edit.
    virtual BOOL IsDropped() const = 0;
    // The spin buttons in the control's rectangle; empty without them (and for a combo box).
    virtual CRect GetSpinButtonsRect() const = 0;

    // ---- The control's own drawing
    // Grows x by the width of the edit icon and its gap; unchanged without an icon.
    virtual void AddEditIconWidth(int& x) const = 0;
    // The edit icon at the left of the rectangle, centred vertically; nothing without one.
    virtual void DrawEditIcon(CDC* pDC, const CRect& rc) = 0;
    // The field's text (or hint) into the rectangle, with the DC's font.
    virtual void DrawFieldText(CDC* pDC, const CRect& rc) = 0;
};

// The field of a control, or NULL for a control without one.
inline CTkControlField* GetControlField(CTkControl* pControl) {
    return dynamic_cast<CTkControlField*>(pControl);
}
