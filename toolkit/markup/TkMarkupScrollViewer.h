#pragma once
#include "TkMarkupControls.h"

// The scroll viewer and its scroll bar. Their types and properties are known to markup; they lay out
// and draw as their bases until scrolling is written.

class CTkMarkupScrollBar : public CTkMarkupControl {
    DECLARE_MARKUP_TYPE()
};

class CTkMarkupScrollBarGripper : public CTkMarkupUIElement {
    DECLARE_MARKUP_TYPE()
};

class CTkMarkupScrollViewer : public CTkMarkupContentControl {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pVerticalScrollBarVisibilityProperty;
    static CTkMarkupDependencyProperty* s_pHorizontalScrollBarVisibilityProperty;
};
