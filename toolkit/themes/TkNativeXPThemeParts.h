#pragma once
#include <windows.h>

// The visual-style parts, states and properties the native XP theme draws and reads, as the style's
// classes number them, and the state choices it makes (pure functions of a control's state, so the
// rules can be read and checked without a style).
namespace NativeXPParts {

// "REBAR"
constexpr int kRebarBackground = 0;
constexpr int kRebarGripper = 1;
constexpr int kRebarGripperVert = 2;
constexpr int kRebarBand = 3;
constexpr int kGripperState = 1;
// "TOOLBAR"
constexpr int kToolbarBackground = 0;
constexpr int kToolbarButton = 1;
constexpr int kToolbarSplitButton = 3;
constexpr int kToolbarSplitDropDown = 4;
constexpr int kToolbarSeparator = 5;
constexpr int kToolbarSeparatorVert = 6;
// "MENU"
constexpr int kMenuPopupBackground = 9;
constexpr int kMenuPopupBorders = 10;
constexpr int kMenuPopupCheck = 11;
constexpr int kMenuPopupCheckBackground = 12;
constexpr int kMenuPopupGutter = 13;
constexpr int kMenuPopupItem = 14;
constexpr int kMenuPopupSeparator = 15;
constexpr int kMenuItemHot = 2;
// "WINDOW"
constexpr int kWindowSmallCaption = 2;
constexpr int kWindowSmallFrameLeft = 10;
constexpr int kWindowSmallFrameRight = 11;
constexpr int kWindowSmallFrameBottom = 12;
constexpr int kWindowActiveState = 1;
// "COMBOBOX"
constexpr int kComboDropDownButton = 1;
// "SPIN"
constexpr int kSpinUp = 1;
constexpr int kSpinDown = 2;
// Properties
constexpr int kBorderColorProperty = 3801;
constexpr int kTextColorProperty = 3803;
constexpr int kEdgeHighlightProperty = 3805;
constexpr int kEdgeShadowProperty = 3806;
constexpr int kFlatMenusSysBool = 1001;

// The state numbers shared by the button-like parts.
constexpr int kStateNormal = 1;
constexpr int kStateHot = 2;
constexpr int kStatePressed = 3;
constexpr int kStateDisabled = 4;
constexpr int kStateChecked = 5;
constexpr int kStateHotChecked = 6;

// A toolbar button's state. A disabled checked item shows pressed; the third checked state (2) counts
// as unchecked while enabled.
inline int ToolbarButtonState(int nSelected, int nPressed, BOOL bEnabled, int nChecked, BOOL bPopuped) {
    if (!bEnabled)
        return nChecked ? kStatePressed : kStateDisabled;
    if (bPopuped)
        return kStatePressed;
    if (nChecked == 1 && !nPressed)
        return nSelected ? kStateHotChecked : kStateChecked;
    if ((nSelected && nPressed) || nPressed == 2 || nPressed == 3)
        return kStatePressed;
    return nSelected ? kStateHot : kStateNormal;
}

// The command half of a split button.
inline int SplitButtonState(int nSelected, int nPressed, BOOL bEnabled, int nChecked, BOOL bPopuped) {
    if (!bEnabled)
        return kStateDisabled;
    if (nPressed && nSelected)
        return kStatePressed;
    if (nChecked)
        return kStateChecked;
    return bPopuped || nSelected ? kStateHot : kStateNormal;
}

// The drop-down half of a split button: its own disabled value (4), open, else the command half's state.
inline int SplitDropDownState(int nEnabledValue, BOOL bPopuped, int nCommandState) {
    if (nEnabledValue == 4)
        return kStateDisabled;
    return bPopuped ? kStatePressed : nCommandState;
}

inline int ComboDropButtonState(BOOL bEnabled, int nSelected, BOOL bDropped) {
    if (!bEnabled)
        return kStateDisabled;
    if (bDropped)
        return kStatePressed;
    return nSelected ? kStateHot : kStateNormal;
}

// An edit's spin half; nHalf is the selection and pressed value that names it (4 upper, 5 lower).
inline int SpinHalfState(BOOL bEnabled, int nSelected, int nPressed, int nHalf) {
    if (!bEnabled)
        return kStateDisabled;
    if (nSelected && nPressed == nHalf)
        return kStatePressed;
    return nSelected == nHalf ? kStateHot : kStateNormal;
}

// The popup check part's states: check, disabled check, bullet, disabled bullet.
inline int PopupMarkState(BOOL bRadio, BOOL bEnabled) {
    return (bRadio ? 3 : 1) + (bEnabled ? 0 : 1);
}

}  // namespace NativeXPParts
