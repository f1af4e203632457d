#pragma once
#include "TkCommandBarsDefs.h"

// The enumerations and records of the command-bar controls, shared with the bars and the paint
// managers. Values are fixed: saved layouts and sites depend on them.

class CTkControl;

// The kind of a control (its Type, saved as "Type"); the collection's factory creates by it.
enum ControlType {
    kControlNone = 0,  // the plain base; progress, hyperlink and selector keep it
    kControlButton = 1,
    kControlPopup = 2,             // a menu item or button that opens a sub bar
    kControlButtonPopup = 3,       // a button face that opens a sub bar
    kControlSplitButtonPopup = 4,  // a command part and a drop-down part
    kControlComboBox = 5,
    kControlEdit = 6,
    kControlCustom = 7,  // hosts a window
    kControlLabel = 8,
    kControlCheckBox = 9,
    kControlGallery = 10,
    kControlRadioButton = 11,
};

inline BOOL IsPopupControlType(int nType) {
    return nType == kControlPopup || nType == kControlButtonPopup || nType == kControlSplitButtonPopup;
}

// ControlFlags (saved as "Flags").
enum ControlFlags : DWORD {
    kControlFlagRightAlign = 0x1,     // placed at the far end of its row by the toolbar layout
    kControlFlagNoKeyboard = 0x2,     // skipped by keyboard navigation
    kControlFlagPopupLeft = 0x4,      // its popup opens towards the left
    kControlFlagNoUpdate = 0x8,       // left out of the command-update pass
    kControlFlagNoMove = 0x10,        // cannot be moved in customisation
    kControlFlagStretched = 0x20,     // shares the free space of its row
    kControlFlagPopupTooltip = 0x40,  // its tooltip shows in popup bars too
    kControlFlagNewRow = 0x80,        // starts a new row (toolbar) or column (popup bar)
};

// ControlHideFlags (saved as "HideFlags"): a control is visible when no bit outside the caller's mask is
// set.
enum ControlHideFlags : DWORD {
    kHideGeneric = 0x1,
    kHideWrap = 0x2,         // did not fit: wrapped away by the toolbar layout
    kHideVertical = 0x4,     // an edit or combo box in a vertical bar
    kHideByBar = 0x8,        // the bar's own logic; the popup layout clears it
    kHideCustomize = 0x10,   // removed by customisation
    kHideRarelyUsed = 0x20,  // shortened menus
    kHideDocTemplate = 0x40,
    kHideRibbonReduced = 0x80,
};

// ButtonStyle (saved as "Style" and "CustomStyle").
enum ButtonStyle {
    kButtonAutomatic = 0,
    kButtonCaption = 1,
    kButtonIcon = 2,
    kButtonIconAndCaption = 3,
    kButtonIconAndCaptionBelow = 4,  // large icon with the caption below
    kButtonCaptionAndDescription = 5,
};

// LayoutMode bits of a toolbar layout; the first seven are the platform's LM_* values.
enum LayoutMode : DWORD {
    kLayoutStretch = 0x1,     // stretch to the whole length; also set by the layout when it wrapped or hid
    kLayoutHorizontal = 0x2,  // not read by the layout
    kLayoutMruWidth = 0x4,    // the bar's remembered floating width instead of the length
    kLayoutHorzDock = 0x8,    // rows wrap at the length minus the left and right borders
    kLayoutVertDock = 0x10,   // columns from right to left
    kLayoutLengthY = 0x20,    // the length is a height: find the width whose height fits
    kLayoutCommit = 0x40,     // write the result into the controls
    kLayoutHideWrap = 0x80,   // hide what does not fit instead of wrapping it
    kLayoutFloatWrap = 0x100  // wrap at the floating width; a group start always begins a row
};

// Action property numbers passed to OnActionChanging and OnActionChanged.
enum ActionProperty {
    kActionPropertyEnabled = 0,
    kActionPropertyVisible = 2,
    kActionPropertyCaption = 3,
    kActionPropertyEditHint = 4,
};

// Control notification codes (ControlNotifyMessage); the other kinds add their own.
constexpr UINT kControlNotifyExecute = 100;

// The record of ControlNotifyMessage: a real NMHDR (hwndFrom NULL, idFrom the control's id, code) followed
// by the control, so a WM_NOTIFY handler can take it as its NMHDR.
struct ControlNotifyRecord {
    NMHDR hdr{};
    CTkControl* pControl = nullptr;
};

// The record of CreateControlMessage and ControlCreatedMessage: a site may make or adjust the control of
// a menu item (or of a toolbar's id list).
struct MenuItemCreateRecord {
    int nId = 0;                           // in/out
    CTkControl* pControl = nullptr;        // out for CreateControlMessage (a control the site made); in afterwards
    BOOL bToolBar = FALSE;                 // 1 when made from a toolbar's id list, 0 from a menu
    int nPosition = 0;                     // the item's position in its menu (or list)
    HMENU hMenu = nullptr;                 // the menu being imported
    CTkCommandBar* pCommandBar = nullptr;  // the collection's parent bar
    CString strCaption;                    // in/out: the item text, cut at a tab
    int nType = kControlButton;            // in/out: the ControlType to create
    int nStyle = kButtonAutomatic;         // out: the ButtonStyle to give the control
};
