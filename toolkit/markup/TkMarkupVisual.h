#pragma once
#include "TkMarkupInputElement.h"

// CTkMarkupVisual: an element with a place and a size. Its VisualOffset places it in its visual parent's
// coordinates (the nearest visual among its logical ancestors), RenderSize is its size, and its bounds
// (own coordinates) unite its render rectangle with those of its visual children. It renders its subtree
// through a drawing context, skipping what lies outside the clip box, and answers hit tests. Its logical
// children are its visual children. UI thread only.

class CTkMarkupDrawingContext;

class CTkMarkupVisual : public CTkMarkupInputElement {
    DECLARE_MARKUP_TYPE()
public:
    CPoint GetVisualOffset() const { return m_ptVisualOffset; }
    void SetVisualOffset(CPoint pt) { m_ptVisualOffset = pt; }
    CSize GetRenderSize() const { return m_szRender; }
    const CRect& GetBounds() const { return m_rcBounds; }
    // The nearest visual among the logical ancestors (collections between are skipped); NULL for a root.
    CTkMarkupVisual* GetVisualParent() const;

    // ---- Overridables
    virtual int GetVisualChildrenCount() const;
    virtual CTkMarkupVisual* GetVisualChild(int nIndex) const;
    // TRUE with the rectangle (own coordinates) that drawing and hit testing are limited to.
    virtual BOOL GetLayoutClip(CRect& rcClip) const;
    virtual void OnRender(CTkMarkupDrawingContext* pDC);
    virtual void OnRenderFocusVisual(CTkMarkupDrawingContext* pDC);
    // The element a hit inside the render rectangle answers: the base answers itself.
    virtual CTkMarkupInputElement* InputHitTestOverride(int x, int y);

    // Draws this element, its children in index order and its focus visual.
    void Render(CTkMarkupDrawingContext* pDC);
    // The child drawn last wins; x and y are in the parent's coordinates.
    CTkMarkupInputElement* HitTest(int x, int y) override;
    // Bounds of the children first, then this element's.
    void UpdateBounds();

    int GetLogicalChildrenCount() const override { return GetVisualChildrenCount(); }
    CTkMarkupObject* GetLogicalChild(int nIndex) const override { return GetVisualChild(nIndex); }

protected:
    CPoint m_ptVisualOffset;
    CSize m_szRender;
    CRect m_rcBounds;
};
