#pragma once
#include "mfc.h"

class CTkProgressPaintManager;

// CTkProgressBase: a range and a position within it, for the progress bars that draw through the
// progress painter. The deriving class supplies where to draw, how to repaint and the painter.
class CTkProgressBase {
public:
    virtual ~CTkProgressBase() = default;

    virtual CRect GetProgressRect() = 0;
    virtual void RedrawProgress() = 0;
    virtual CTkProgressPaintManager* GetProgressPaintManager() = 0;

    void GetRange(int& nMin, int& nMax) const;
    // Stores the range and repaints; the position is left as it is (a saved value, drawn clamped).
    void SetRange(int nMin, int nMax);
    int GetPos() const { return m_nPos; }
    // Clamps to the range (the lower end first, so a range with Max below Min ends at Max) and repaints.
    void SetPos(int nPos);

    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPos = 0;
};
