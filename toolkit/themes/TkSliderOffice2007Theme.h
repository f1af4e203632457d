#pragma once
#include "TkSliderPaintManager.h"

// CTkSliderOffice2007Theme: the zoom slider of the Office 2007 theme, drawn from the look's "SLIDER..."
// bitmaps (each of three states: normal, hot, pressed); nothing without them.
class CTkSliderOffice2007Theme : public CTkSliderPaintManager {
public:
    explicit CTkSliderOffice2007Theme(CTkPaintManager* pOwner);

    void DrawScrollBar(CDC* pDC, CTkScrollBase* pScrollBar) override;
    // The slider's metrics, then the arrow size from one state of "SLIDERUP" when the look has it.
    void RefreshMetrics() override;
};
