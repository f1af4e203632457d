#pragma once
#include "mfc.h"

// The DC a paint-manager operation measures with: the caller's, or a memory DC on the screen when the
// caller measures without one (layouts run before any window paints). Get() is NULL only when no DC
// can be had at all.
class CTkMeasureDC {
public:
    explicit CTkMeasureDC(CDC* pDC) : m_pDC(pDC) {
        if (m_pDC == nullptr && m_screenDC.CreateCompatibleDC(nullptr))
            m_pDC = &m_screenDC;
    }
    CTkMeasureDC(const CTkMeasureDC&) = delete;
    CTkMeasureDC& operator=(const CTkMeasureDC&) = delete;

    CDC* Get() const { return m_pDC; }

private:
    CDC m_screenDC;  // deleted with this object
    CDC* m_pDC;      // not owned
};

// The height of " " in the font on the DC (the measure of control and field heights).
inline int GetSpaceHeight(CDC* pDC, CFont* pFont) {
    CScopedSelectObject font(pDC->GetSafeHdc(), pFont != nullptr ? pFont->GetSafeHandle() : nullptr);
    return pDC->GetTextExtent(L" ", 1).cy;
}
