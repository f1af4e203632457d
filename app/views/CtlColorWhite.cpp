#include "views/CtlColorWhite.h"

HBRUSH OnCtlColorWhite(CDC* pDC, UINT nCtlColor, HBRUSH hbrBase) {
    switch (nCtlColor) {
        case CTLCOLOR_BTN:
        case CTLCOLOR_STATIC:
            pDC->SetBkMode(TRANSPARENT);
            return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        case CTLCOLOR_DLG:
            return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        default:
            return hbrBase;
    }
}
