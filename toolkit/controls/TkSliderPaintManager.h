#pragma once
#include "TkScrollBarPaintManager.h"

// CTkSliderPaintManager: the zoom slider's look on a horizontal scroll base: a round minus button, a
// groove with the ticks, a round plus button and a pointed thumb of a fixed size. Vertical bars are not
// drawn. Registered as the paint managers' slider painter. UI thread only.
class CTkSliderPaintManager : public CTkScrollBarPaintManager {
public:
    explicit CTkSliderPaintManager(CTkPaintManager* pOwner);

    void DrawScrollBar(CDC* pDC, CTkScrollBase* pScrollBar) override;
    // The scroll bar's metrics, then 16-pixel arrows and an 11-pixel thumb.
    void RefreshMetrics() override;

    static CTkSubPaintManager* Create(CTkPaintManager* pOwner) { return new CTkSliderPaintManager(pOwner); }
};
