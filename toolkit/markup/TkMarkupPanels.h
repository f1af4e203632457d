#pragma once
#include "TkMarkupCollection.h"
#include "TkMarkupFrameworkElement.h"

#include <optional>
#include <vector>

// The panels: elements that hold any number of child elements and place them. CTkMarkupPanel holds the
// children and paints the background, and by itself places nothing (the framework element's layout);
// the stack panel stacks its children in a row or a column, the wrap panel fills lines and wraps, the
// canvas places each child at the coordinates its attached properties give. The grid builds on the same
// base (TkMarkupGrid.h). Sizes add up in 64 bits and saturate. UI thread only.

// The children of a panel: UI elements only, with the collection as their logical parent (its own
// logical parent is the panel). Reports the collection type.
class CTkMarkupUIElementCollection : public CTkMarkupCollectionOf<CTkMarkupUIElement> {};

enum MarkupOrientation { kMarkupHorizontal = 0, kMarkupVertical = 1 };

class CTkMarkupPanel : public CTkMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupPanel();

    CTkMarkupUIElementCollection* GetChildren() const { return m_pChildren; }  // borrowed

    // ---- Overrides
    // Content goes to the children, which take UI elements only (the collection's error otherwise).
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    // NULL for an index out of range.
    CTkMarkupVisual* GetVisualChild(int nIndex) const override;
    // "Background" fills the render rectangle.
    void OnRender(CTkMarkupDrawingContext* pDC) override;
    // The panel with a background; none without, so its empty area lets the mouse through.
    CTkMarkupInputElement* InputHitTestOverride(int x, int y) override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pBackgroundProperty;

protected:
    ~CTkMarkupPanel() override;

private:
    CTkMarkupUIElementCollection* m_pChildren;  // owned
};

class CTkMarkupStackPanel : public CTkMarkupPanel {
    DECLARE_MARKUP_TYPE()
public:
    // "Orientation", vertical when unset.
    int GetOrientation() const;
    // Each child gets the whole width (vertical) or height (horizontal) and unbounded room along.
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    // One after another at their desired lengths, each at least as wide (high) as the panel.
    CSize ArrangeOverride(int nWidth, int nHeight) override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pOrientationProperty;
};

// One line of a wrap panel: the items [nFirst, nEnd) of the walk and the line's extents.
struct MarkupWrapLine {
    int nFirst = 0;
    int nEnd = 0;
    int nLength = 0;     // along the line
    int nThickness = 0;  // across it
};

// The wrap walk: items of extents (cx along the line, cy across) go into lines of at most nLimit; an
// item that does not fit starts a new line, and one that alone exceeds the limit gets a line of its own
// without an empty line before it.
std::vector<MarkupWrapLine> WrapMarkupItems(const std::vector<CSize>& extents, int nLimit);

class CTkMarkupWrapPanel : public CTkMarkupPanel {
    DECLARE_MARKUP_TYPE()
public:
    // "Orientation", horizontal when unset.
    int GetOrientation() const;
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    CSize ArrangeOverride(int nWidth, int nHeight) override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pOrientationProperty;  // its own, not the stack panel's
    static CTkMarkupDependencyProperty* s_pItemHeightProperty;
    static CTkMarkupDependencyProperty* s_pItemWidthProperty;
};

// Where a canvas puts a child: "Left" when set, else right-aligned at "Right" when set, else 0; the
// same for "Top" and "Bottom".
CPoint PlaceOnMarkupCanvas(std::optional<int> left, std::optional<int> top, std::optional<int> right,
                           std::optional<int> bottom, CSize szFinal, CSize szDesired);

class CTkMarkupCanvas : public CTkMarkupPanel {
    DECLARE_MARKUP_TYPE()
public:
    // Children are measured without bounds; the canvas itself desires 0 x 0.
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    CSize ArrangeOverride(int nWidth, int nHeight) override;

    static void RegisterProperties();
    // Attached offsets of the children; changing one re-lays nothing by itself.
    static CTkMarkupDependencyProperty* s_pTopProperty;
    static CTkMarkupDependencyProperty* s_pRightProperty;
    static CTkMarkupDependencyProperty* s_pLeftProperty;
    static CTkMarkupDependencyProperty* s_pBottomProperty;
};
