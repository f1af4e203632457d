#pragma once
// The white look that the main panes and some dialogs share: a WM_CTLCOLOR* answer with a white background for the
// window itself and for its buttons and labels. UI thread.

#include "mfc.h"

// For a dialog (CTLCOLOR_DLG) the white stock brush; for a button or a static text the white brush with the text
// drawn on a transparent background; null for every other control, whose handler then answers the default.
HBRUSH CtlColorWhite(CDC* pDC, UINT nCtlColor);
