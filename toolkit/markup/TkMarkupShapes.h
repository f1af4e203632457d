#pragma once
#include "TkMarkupFrameworkElement.h"

#include <vector>

// The shapes: rectangles, ellipses, lines, polygons and polylines drawn with a fill brush and a stroke.
// The rectangle paints with the brushes themselves; the others draw with the platform's pens and brushes
// in the colour the brush reports, and leave the DC's pen and brush as they found them. The polygon and
// polyline take their vertices from a point collection written as a list of integer pairs. UI thread
// only.

class CTkMarkupBrush;

// "Stretch" values; every value but None stretches a polyline the same way.
enum MarkupStretch {
    kMarkupStretchNone = 0,
    kMarkupStretchFill = 1,
    kMarkupStretchUniform = 2,
    kMarkupStretchUniformToFill = 3
};

class CTkMarkupShape : public CTkMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupBrush* GetFill() const;    // borrowed; NULL when unset
    CTkMarkupBrush* GetStroke() const;  // borrowed; NULL when unset
    // "StrokeThickness", 1 when unset.
    int GetStrokeThickness() const;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pFillProperty;
    static CTkMarkupDependencyProperty* s_pStrokeProperty;
    static CTkMarkupDependencyProperty* s_pStrokeThicknessProperty;
    static CTkMarkupDependencyProperty* s_pStretchProperty;

protected:
    // For the scope: a solid pen of the stroke's colour and thickness (the null pen without a stroke or
    // at thickness 0) and, with bFill, a solid brush of the fill's colour (the hollow brush without a
    // fill). The previous pen and brush go back before the new ones are deleted.
    class CScopedShapeTools {
    public:
        CScopedShapeTools(const CTkMarkupShape* pShape, HDC hDC, BOOL bFill);
        CScopedShapeTools(const CScopedShapeTools&) = delete;
        CScopedShapeTools& operator=(const CScopedShapeTools&) = delete;

    private:
        HGDIOBJ MakePen(const CTkMarkupShape* pShape);
        HGDIOBJ MakeBrush(const CTkMarkupShape* pShape, BOOL bFill);

        // Declared before the selections, so they are deleted after the selections are undone.
        CPen m_pen;
        CBrush m_brush;
        CScopedSelectObject m_selectPen;
        CScopedSelectObject m_selectBrush;
    };
};

// The points of a polygon or polyline and their bounds: (0, 0) to the largest x and y, never below 0.
class CTkMarkupPointCollection : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupPointCollection() = default;
    explicit CTkMarkupPointCollection(std::vector<POINT> points);

    const std::vector<POINT>& GetPoints() const { return m_points; }
    const CRect& GetBounds() const { return m_rcBounds; }
    // A point list gives a new collection; NULL when the text does not parse or for anything else.
    CTkMarkupObject* ConvertFrom(CTkMarkupObject* pSource) const override;

private:
    std::vector<POINT> m_points;
    CRect m_rcBounds;
};

// A point list: pairs of integers, each an optional "-" and decimal digits after optional spaces, ended
// by a space, a comma or the end; spaces may follow each pair. Commas and spaces are interchangeable.
// FALSE for an odd count, any other character (a "." or "+") or a number beyond 32 bits; the empty
// text is an empty list.
BOOL ParseMarkupPointList(LPCWSTR lpszText, std::vector<POINT>& points);

// Whether (x, y) lies in the ellipse filling (0, 0, w, h); an empty or one-pixel-thin ellipse is hit
// everywhere.
BOOL IsInMarkupEllipse(int w, int h, int x, int y);
// Whether (x, y) lies within half a stroke of thickness t from the line (x1, y1) to (x2, y2), measured
// across the line; never for a thickness of 0.
BOOL IsOnMarkupLine(int x1, int y1, int x2, int y2, int t, int x, int y);
// A point of a polyline stretched to the render size (w, h), each axis on its own; an axis whose
// bounds are empty stays unscaled.
POINT StretchMarkupPoint(POINT pt, const CRect& rcBounds, int w, int h);

class CTkMarkupPolygon : public CTkMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    const std::vector<POINT>* GetPoints() const;  // NULL without "Points"
    void OnRender(CTkMarkupDrawingContext* pDC) override;
    // The points' bounds; the stroke is not added.
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pPointsProperty;
};

class CTkMarkupPolyline : public CTkMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    const std::vector<POINT>* GetPoints() const;  // NULL without "Points"
    void OnRender(CTkMarkupDrawingContext* pDC) override;
    // The points' bounds plus the stroke thickness when "Stroke" is set.
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pPointsProperty;
};

// Its size comes from "Width", "Height" and the alignments.
class CTkMarkupRectangle : public CTkMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CTkMarkupDrawingContext* pDC) override;
};

// Its size comes from "Width", "Height" and the alignments.
class CTkMarkupEllipse : public CTkMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CTkMarkupDrawingContext* pDC) override;
    CTkMarkupInputElement* InputHitTestOverride(int x, int y) override;
};

class CTkMarkupLine : public CTkMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CTkMarkupDrawingContext* pDC) override;
    CTkMarkupInputElement* InputHitTestOverride(int x, int y) override;
    // To the farther end, plus the stroke thickness when "Stroke" is set.
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;

    static void RegisterProperties();
    // 0 when unset.
    static CTkMarkupDependencyProperty* s_pX1Property;
    static CTkMarkupDependencyProperty* s_pY1Property;
    static CTkMarkupDependencyProperty* s_pX2Property;
    static CTkMarkupDependencyProperty* s_pY2Property;

private:
    CRect GetEnds() const;  // (X1, Y1, X2, Y2)
};
