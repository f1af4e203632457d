#pragma once
#include "TkMarkupFrameworkElement.h"

// The shapes. Their types and properties are known to markup; they measure and draw as a framework
// element until the shapes' own geometry is written.

class CTkMarkupShape : public CTkMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pFillProperty;
    static CTkMarkupDependencyProperty* s_pStrokeProperty;
    static CTkMarkupDependencyProperty* s_pStrokeThicknessProperty;
    static CTkMarkupDependencyProperty* s_pStretchProperty;
};

// The points of a polygon or polyline.
class CTkMarkupPointCollection : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
};

class CTkMarkupPolygon : public CTkMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pPointsProperty;
};

class CTkMarkupPolyline : public CTkMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pPointsProperty;
};

class CTkMarkupRectangle : public CTkMarkupShape {
    DECLARE_MARKUP_TYPE()
};

class CTkMarkupEllipse : public CTkMarkupShape {
    DECLARE_MARKUP_TYPE()
};

class CTkMarkupLine : public CTkMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pX1Property;
    static CTkMarkupDependencyProperty* s_pY1Property;
    static CTkMarkupDependencyProperty* s_pX2Property;
    static CTkMarkupDependencyProperty* s_pY2Property;
};
