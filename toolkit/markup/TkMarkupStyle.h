#pragma once
#include "TkMarkupCollection.h"

// Styles give elements shared property values: a CTkMarkupStyle holds setters (property and value) for a
// target type, may be based on another style and may carry triggers, whose setters apply while a property
// of the element has the trigger's value. A style is checked while its markup is read (ResolveSetter),
// sealed into a value store when an element first uses it, and read-only after that. Styles and other
// shared objects live in resource dictionaries (TkMarkupResourceDictionary.h). UI thread only.

class CTkMarkupResourceDictionary;
class CTkMarkupTriggerCollection;

class CTkMarkupSetter : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupSetter() = default;
    // Takes over pValue.
    CTkMarkupSetter(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue);

    // The property it sets, once resolved; NULL before (or when "Property" is still a name).
    CTkMarkupDependencyProperty* GetSetterProperty() const;
    CTkMarkupObject* GetSetterValue() const { return GetValue(s_pValueProperty); }  // borrowed

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pPropertyProperty;  // a property, or its name before resolving
    static CTkMarkupDependencyProperty* s_pValueProperty;
};

class CTkMarkupSetterColection : public CTkMarkupCollectionOf<CTkMarkupSetter> {
    DECLARE_MARKUP_TYPE()
};

// In force while the element's value of "Property" IsEqual "Value"; "Property" and "Value" are the
// setter's own properties, so a trigger is resolved like a setter.
class CTkMarkupTrigger : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupTrigger() = default;
    // Takes over pValue.
    CTkMarkupTrigger(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue);

    CTkMarkupDependencyProperty* GetTriggerProperty() const;
    CTkMarkupObject* GetTriggerValue() const { return GetValue(CTkMarkupSetter::s_pValueProperty); }
    // The "Setters" value; NULL when none was given.
    CTkMarkupSetterColection* GetSetters() const;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pSettersProperty;
};

class CTkMarkupTriggerCollection : public CTkMarkupCollectionOf<CTkMarkupTrigger> {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupTriggerCollection() = default;
    explicit CTkMarkupTriggerCollection(BOOL bParenting) : CTkMarkupCollectionOf<CTkMarkupTrigger>(bParenting) {}
};

// The triggers in force on one element; they stay children of their styles. Reports the trigger
// collection type.
class CTkMarkupActiveTriggerCollection : public CTkMarkupTriggerCollection {
public:
    CTkMarkupActiveTriggerCollection() : CTkMarkupTriggerCollection(FALSE) {}
};

class CTkMarkupStyle : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupStyle();

    CTkMarkupSetterColection* GetSetters() const { return m_pSetters; }  // borrowed
    CTkMarkupType* GetTargetType() const;
    CTkMarkupStyle* GetBasedOn() const;
    CTkMarkupTriggerCollection* GetTriggers() const;
    CTkMarkupResourceDictionary* GetResources() const;

    // Checks a setter (or a trigger) of this style: its "Property" becomes the property object (a name
    // is looked up on the target type) and its "Value" is converted to the property's value type.
    // Errors raise CTkMarkupBuilderException.
    void ResolveSetter(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pSetter);
    // Copies the based-on style's values, then the setters' values, into the sealed store; once.
    void Seal();
    BOOL IsSealed() const { return m_bSealed; }
    // NULL before sealing or for a property no setter sets.
    CTkMarkupObject* GetSealedValue(CTkMarkupDependencyProperty* pProperty) const;

    // Setters are the content; anything else fails as for any object.
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    // A trigger collection has its triggers and their setters resolved first.
    void SetPropertyObject(CTkMarkupBuilder* pBuilder, CTkMarkupDependencyProperty* pProperty,
                           CTkMarkupObject* pValue) override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pResourcesProperty;
    static CTkMarkupDependencyProperty* s_pTargetTypeProperty;
    static CTkMarkupDependencyProperty* s_pBasedOnProperty;
    static CTkMarkupDependencyProperty* s_pTriggersProperty;

protected:
    ~CTkMarkupStyle() override;

private:
    CTkMarkupSetterColection* m_pSetters;  // owned; its logical parent is the style
    BOOL m_bSealed = FALSE;
    CTkMarkupProperties* m_pSealedValues = nullptr;  // owned, no owner; made by Seal
};
