#include "TkMarkupControls.h"

#include "TkMarkupBrush.h"
#include "TkMarkupConverters.h"
#include "TkMarkupDecorators.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupPanels.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

using Metadata = CTkMarkupPropertyMetadata;

CTkMarkupDependencyProperty* CTkMarkupControl::s_pPaddingProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupControl::s_pBackgroundProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupControl::s_pForegroundProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupContentControl::s_pContentProperty = nullptr;
CTkMarkupRoutedEvent* CTkMarkupButtonBase::s_pClickEvent = nullptr;
CTkMarkupDependencyProperty* CTkMarkupButtonBase::s_pIsPressedProperty = nullptr;
CTkMarkupRoutedEvent* CTkMarkupToggleButton::s_pCheckedEvent = nullptr;
CTkMarkupRoutedEvent* CTkMarkupToggleButton::s_pUncheckedEvent = nullptr;
CTkMarkupRoutedEvent* CTkMarkupToggleButton::s_pIndeterminateEvent = nullptr;
CTkMarkupDependencyProperty* CTkMarkupToggleButton::s_pIsCheckedProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupToggleButton::s_pIsThreeStateProperty = nullptr;

void CTkMarkupControl::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    CTkMarkupType::EnsureRegistered(CTkMarkupBorder::GetClassType());
    CTkMarkupType::EnsureRegistered(CTkMarkupPanel::GetClassType());
    s_pPaddingProperty = CTkMarkupBorder::s_pPaddingProperty->AddOwner(pType);
    s_pBackgroundProperty = CTkMarkupPanel::s_pBackgroundProperty->AddOwner(pType);
    // The text element is registered by the text classes; found by its tag so this compiles without them.
    if (CTkMarkupType* pTextElement = CTkMarkupType::FindType(L"TextElement")) {
        CTkMarkupType::EnsureRegistered(pTextElement);
        if (CTkMarkupDependencyProperty* pForeground =
                CTkMarkupDependencyProperty::FindProperty(pTextElement, L"Foreground"))
            s_pForegroundProperty = pForeground->AddOwner(pType);
    }
}

void CTkMarkupContentControl::RegisterProperties() {
    s_pContentProperty =
        CTkMarkupDependencyProperty::Register(L"Content", CTkMarkupUIElement::GetClassType(), GetClassType(),
                                              new Metadata(nullptr, &ConvertContent, Metadata::flagAffectsMeasure));
}

void CTkMarkupButtonBase::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    s_pClickEvent = CTkMarkupDependencyProperty::RegisterRoutedEvent(L"Click", Metadata::routingBubble, pType);
    s_pIsPressedProperty = CTkMarkupDependencyProperty::Register(
        L"IsPressed", CTkMarkupBool::GetClassType(), pType,
        new Metadata(CTkMarkupBool::CreateValue(FALSE), Metadata::flagAffectsArrange));
}

void CTkMarkupToggleButton::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    s_pCheckedEvent = CTkMarkupDependencyProperty::RegisterRoutedEvent(L"Checked", Metadata::routingBubble, pType);
    s_pUncheckedEvent = CTkMarkupDependencyProperty::RegisterRoutedEvent(L"Unchecked", Metadata::routingBubble, pType);
    s_pIndeterminateEvent =
        CTkMarkupDependencyProperty::RegisterRoutedEvent(L"Indeterminate", Metadata::routingBubble, pType);
    s_pIsCheckedProperty = CTkMarkupDependencyProperty::Register(
        L"IsChecked", CTkMarkupEnum::GetClassType(), pType,
        new Metadata(CTkMarkupEnum::CreateValue(checkUnchecked), &ConvertIsChecked, &OnIsCheckedChanged,
                     Metadata::flagAffectsRender));
    s_pIsThreeStateProperty = CTkMarkupDependencyProperty::Register(
        L"IsThreeState", CTkMarkupBool::GetClassType(), pType,
        new Metadata(CTkMarkupBool::CreateValue(FALSE), Metadata::flagAffectsRender));
}

void CTkMarkupToggleButton::OnIsCheckedChanged(CTkMarkupObject* pObject, const CTkMarkupPropertyChange& change) {
    const int nState = change.pNewValue != nullptr && change.pNewValue->IsKindOf(CTkMarkupEnum::GetClassType())
                           ? static_cast<CTkMarkupEnum*>(change.pNewValue)->GetEnum()
                           : checkUnchecked;
    CTkMarkupRoutedEventArgs args;
    args.pEvent = nState == checkChecked         ? s_pCheckedEvent
                  : nState == checkIndeterminate ? s_pIndeterminateEvent
                                                 : s_pUncheckedEvent;
    auto* pButton = static_cast<CTkMarkupToggleButton*>(pObject);
    args.pSource = pButton;
    CTkMarkupInputElement::RaiseEvent(pButton, &args);
}
