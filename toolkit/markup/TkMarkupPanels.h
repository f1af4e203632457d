#pragma once
#include "TkMarkupFrameworkElement.h"

// The panels: elements that lay out several children. Their types and properties are known to markup;
// their layout is the framework element's until the panels' own arrangement is written.

class CTkMarkupPanel : public CTkMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pBackgroundProperty;
};

class CTkMarkupStackPanel : public CTkMarkupPanel {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pOrientationProperty;
};

class CTkMarkupWrapPanel : public CTkMarkupPanel {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pOrientationProperty;  // its own, not the stack panel's
    static CTkMarkupDependencyProperty* s_pItemHeightProperty;
    static CTkMarkupDependencyProperty* s_pItemWidthProperty;
};

class CTkMarkupCanvas : public CTkMarkupPanel {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    // Attached offsets of the children.
    static CTkMarkupDependencyProperty* s_pTopProperty;
    static CTkMarkupDependencyProperty* s_pRightProperty;
    static CTkMarkupDependencyProperty* s_pLeftProperty;
    static CTkMarkupDependencyProperty* s_pBottomProperty;
};
