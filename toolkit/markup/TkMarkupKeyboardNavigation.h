#pragma once
#include "TkMarkupObject.h"

// CTkMarkupKeyboardNavigation: every markup context's keyboard-navigation object and the owner of the
// attached tab-order properties. Focus moves nowhere yet: the focus routine does nothing and no window
// message is handled. UI thread only.

class CTkMarkupInputElement;

class CTkMarkupKeyboardNavigation : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupKeyboardNavigation() = default;

    // Focus gained and lost and key-downs of the host window; answers whether it handled the message.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void Focus(CTkMarkupInputElement* pElement);

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pIsTabStopProperty;
    static CTkMarkupDependencyProperty* s_pTabNavigationProperty;
    static CTkMarkupDependencyProperty* s_pTabIndexProperty;
};
