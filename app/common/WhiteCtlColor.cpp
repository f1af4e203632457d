#include "common/WhiteCtlColor.h"

HBRUSH CtlColorWhite(CDC* pDC, UINT nCtlColor) {
    HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    switch (nCtlColor) {
        case CTLCOLOR_DLG:
            return white;
        case CTLCOLOR_BTN:
        case CTLCOLOR_STATIC:
            pDC->SetBkMode(TRANSPARENT);
            return white;
        default:
            return nullptr;
    }
}
