#pragma once
#include "TkMarkupArithmetic.h"
#include "TkMarkupVisual.h"

// CTkMarkupUIElement: the measure and arrange passes with their caches. Measure is skipped while the
// available size and the flags are unchanged, Arrange while the rectangle is; invalidating either re-runs
// it at once and repaints the element's area, and a change of desired size travels up to the root, which
// repaints the whole host. "Visibility" Hidden keeps the size but draws and hits nothing; Collapsed also
// takes no room. UI thread only.

enum MarkupVisibility { kMarkupVisible = 0, kMarkupHidden = 1, kMarkupCollapsed = 2 };

class CTkMarkupUIElement : public CTkMarkupVisual {
    DECLARE_MARKUP_TYPE()
public:
    CSize GetDesiredSize() const { return m_szDesired; }
    const CRect& GetFinalRect() const { return m_rcFinal; }
    int GetVisibility() const;

    void Measure(CTkMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight);
    void Arrange(const CRect& rc);

    // ---- Overridables
    virtual void InvalidateArrange();
    // Repaints the element's area of the host window.
    virtual void InvalidateVisual();
    // Measures again on a measuring drawing context of its own.
    virtual void InvalidateMeasure();
    // Sets RenderSize to the rectangle's size.
    virtual void ArrangeCore(const CRect& rc);
    virtual CSize MeasureCore(CTkMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight);
    virtual void InvalidateMeasureOverride(CTkMarkupDrawingContext* pDC);

    // Hidden and collapsed elements clip everything away.
    BOOL GetLayoutClip(CRect& rcClip) const override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pClipToBoundsProperty;
    static CTkMarkupDependencyProperty* s_pVisibilityProperty;
    static CTkMarkupDependencyProperty* s_pFocusableProperty;
    static CTkMarkupDependencyProperty* s_pIsEnabledProperty;

protected:
    CSize m_szDesired;
    CRect m_rcFinal;
    BOOL m_bMeasureRequested = FALSE;
    BOOL m_bMeasureInvalid = TRUE;
    CSize m_szLastAvailable;
    BOOL m_bArrangeInvalid = FALSE;
    BOOL m_bNeverArranged = TRUE;
    BOOL m_bInArrange = FALSE;
    BOOL m_bInMeasure = FALSE;
};
