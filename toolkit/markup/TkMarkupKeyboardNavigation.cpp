#include "TkMarkupKeyboardNavigation.h"

#include "TkMarkupConverters.h"

#include "TkMarkupDependencyProperty.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

CTkMarkupDependencyProperty* CTkMarkupKeyboardNavigation::s_pIsTabStopProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupKeyboardNavigation::s_pTabNavigationProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupKeyboardNavigation::s_pTabIndexProperty = nullptr;

void CTkMarkupKeyboardNavigation::RegisterProperties() {
    using Metadata = CTkMarkupPropertyMetadata;
    CTkMarkupType* pType = GetClassType();
    s_pIsTabStopProperty = CTkMarkupDependencyProperty::RegisterAttached(
        L"IsTabStop", CTkMarkupBool::GetClassType(), pType, new Metadata(CTkMarkupBool::CreateValue(TRUE), 0));
    s_pTabNavigationProperty = CTkMarkupDependencyProperty::RegisterAttached(
        L"TabNavigation", CTkMarkupEnum::GetClassType(), pType, new Metadata(nullptr, &ConvertTabNavigation, 0));
    s_pTabIndexProperty = CTkMarkupDependencyProperty::RegisterAttached(
        L"TabIndex", CTkMarkupInt::GetClassType(), pType, new Metadata(new CTkMarkupInt(0x7FFFFFFF), 0));
}

BOOL CTkMarkupKeyboardNavigation::OnWndMsg(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                           LRESULT* /*pResult*/) {
    return FALSE;
}

void CTkMarkupKeyboardNavigation::Focus(CTkMarkupInputElement* /*pElement*/) {}
