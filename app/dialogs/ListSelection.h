#pragma once
// How the list dialogs read LVN_ITEMCHANGED: their form follows the selection. The list also reports other changes
// (the item data set as a row is added); loading the form on those would leave it showing another record than the
// selected row, which the dialog's buttons then act on.

#include <windows.h>
#include <commctrl.h>

// True when the notification is of a row that has just become selected.
inline bool IsNewlySelected(const NMLISTVIEW& change) {
    return change.iItem >= 0 && (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
           !(change.uOldState & LVIS_SELECTED);
}
