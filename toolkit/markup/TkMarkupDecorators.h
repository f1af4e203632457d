#pragma once
#include "TkMarkupFrameworkElement.h"

// The border, the page and the image. Their types and properties are known to markup; they lay out and
// draw as a framework element until their own behaviour is written.

class CTkMarkupBorder : public CTkMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pBackgroundProperty;
    static CTkMarkupDependencyProperty* s_pPaddingProperty;
    static CTkMarkupDependencyProperty* s_pBorderThicknessProperty;
    static CTkMarkupDependencyProperty* s_pBorderBrushProperty;
};

class CTkMarkupPage : public CTkMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
};

class CTkMarkupImage : public CTkMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pSourceProperty;
};
