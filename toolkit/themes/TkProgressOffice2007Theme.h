#pragma once
#include "TkProgressPaintManager.h"

// CTkProgressOffice2007Theme: the progress bars of the Office 2007 theme, drawn from the look's
// "PROGRESSTRACK" and "PROGRESSCHUNK" bitmaps; nothing without them.
class CTkProgressOffice2007Theme : public CTkProgressPaintManager {
public:
    explicit CTkProgressOffice2007Theme(CTkPaintManager* pOwner);

    void DrawProgress(CDC* pDC, CTkProgressBase* pProgress) override;

    // The filled width of an inner width: empty for an empty or reversed range, the position drawn
    // within the range (the stored values are saved keys and may lie outside it).
    static int CalcFilledWidth(int nInnerWidth, int nMin, int nMax, int nPos);
};
