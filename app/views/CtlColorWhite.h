#pragma once
// The white look of the main view's forms and of the record-details dialog: after the base colour handling,
// buttons and static texts draw transparently on the white stock brush and the dialog background is white too;
// every other control keeps the base's brush.

#include "mfc.h"

HBRUSH OnCtlColorWhite(CDC* pDC, UINT nCtlColor, HBRUSH hbrBase);
