#include "TkScrollBase.h"

CRect CTkScrollBase::CalcThumbDragRect(const ScrollBarGeometry& geometry) {
    const int nThickness = geometry.nCrossEnd - geometry.nCrossStart;
    const int nThumb = ::GetSystemMetrics(geometry.bVertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    const int nCrossStart = geometry.nCrossStart - 8 * nThickness;
    const int nCrossEnd = geometry.nCrossEnd + 8 * nThickness;
    const int nStart = geometry.nStart - 2 * nThumb;
    const int nEnd = geometry.nEnd + 2 * nThumb;
    return geometry.bVertical ? CRect(nCrossStart, nStart, nCrossEnd, nEnd)
                              : CRect(nStart, nCrossStart, nEnd, nCrossEnd);
}
