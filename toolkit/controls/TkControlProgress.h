#pragma once
#include "TkControl.h"
#include "TkProgressBase.h"

// CTkControlProgress: a progress bar placed in a command bar (it keeps ControlType 0). It draws through
// the progress painter of its paint manager and saves its range and position with the bar.
class CTkControlProgress : public CTkControl, public CTkProgressBase {
    DECLARE_SERIAL(CTkControlProgress)
public:
    CTkControlProgress();

    // Width, and Height when set, else the painter's default height.
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void CopyFrom(CTkControl* pSource, BOOL bRecursive) override;
    void ExchangeProperties(CTkPropExchange* pPX) override;

    CRect GetProgressRect() override { return m_rcControl; }
    void RedrawProgress() override { RedrawParent(FALSE); }
    // NULL while the paint manager has no progress painter.
    CTkProgressPaintManager* GetProgressPaintManager() override;
};
