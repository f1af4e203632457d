#pragma once
#include "TkMarkupFrameworkElement.h"

// The controls: the control base, the content control and the buttons. Their types, properties and
// change callbacks are known to markup; they lay out and draw as a framework element until the
// controls' own templates are written.

class CTkMarkupControl : public CTkMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pPaddingProperty;     // the border's
    static CTkMarkupDependencyProperty* s_pBackgroundProperty;  // the panel's
    static CTkMarkupDependencyProperty* s_pForegroundProperty;  // the text element's, once text exists
};

class CTkMarkupContentControl : public CTkMarkupControl {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pContentProperty;
};

class CTkMarkupButtonBase : public CTkMarkupContentControl {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupRoutedEvent* s_pClickEvent;  // bubbling
    static CTkMarkupDependencyProperty* s_pIsPressedProperty;
};

class CTkMarkupButton : public CTkMarkupButtonBase {
    DECLARE_MARKUP_TYPE()
};

class CTkMarkupToggleButton : public CTkMarkupButtonBase {
    DECLARE_MARKUP_TYPE()
public:
    // "IsChecked" values.
    enum { checkUnchecked = 0, checkChecked = 1, checkIndeterminate = 2 };

    static void RegisterProperties();
    static CTkMarkupRoutedEvent* s_pCheckedEvent;  // all three bubbling
    static CTkMarkupRoutedEvent* s_pUncheckedEvent;
    static CTkMarkupRoutedEvent* s_pIndeterminateEvent;
    static CTkMarkupDependencyProperty* s_pIsCheckedProperty;
    static CTkMarkupDependencyProperty* s_pIsThreeStateProperty;

private:
    // A new check state raises the event that names it.
    static void OnIsCheckedChanged(CTkMarkupObject* pObject, const CTkMarkupPropertyChange& change);
};

class CTkMarkupCheckBox : public CTkMarkupToggleButton {
    DECLARE_MARKUP_TYPE()
};

class CTkMarkupRadioButton : public CTkMarkupToggleButton {
    DECLARE_MARKUP_TYPE()
};
