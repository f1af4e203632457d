#include "TkMarkupStyle.h"

#include "TkMarkupBuilder.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupProperties.h"
#include "TkMarkupResourceDictionary.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

CTkMarkupDependencyProperty* CTkMarkupSetter::s_pPropertyProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupSetter::s_pValueProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupTrigger::s_pSettersProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupStyle::s_pResourcesProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupStyle::s_pTargetTypeProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupStyle::s_pBasedOnProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupStyle::s_pTriggersProperty = nullptr;

namespace {

CTkMarkupDependencyProperty* AsProperty(CTkMarkupObject* pObject) {
    return pObject != nullptr && pObject->IsKindOf(CTkMarkupDependencyProperty::GetClassType())
               ? static_cast<CTkMarkupDependencyProperty*>(pObject)
               : nullptr;
}

template <class T>
T* ValueOfType(const CTkMarkupObject* pObject, CTkMarkupDependencyProperty* pProperty) {
    CTkMarkupObject* pValue = pObject->GetValue(pProperty);
    return pValue != nullptr && pValue->IsKindOf(T::GetClassType()) ? static_cast<T*>(pValue) : nullptr;
}

}  // namespace

// ---- Setter

CTkMarkupSetter::CTkMarkupSetter(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue) {
    if (pProperty != nullptr)
        pProperty->AddRef();
    SetValue(s_pPropertyProperty, pProperty);
    SetValue(s_pValueProperty, pValue);
}

void CTkMarkupSetter::RegisterProperties() {
    s_pPropertyProperty =
        CTkMarkupDependencyProperty::Register(L"Property", CTkMarkupObject::GetClassType(), GetClassType());
    s_pValueProperty = CTkMarkupDependencyProperty::Register(L"Value", CTkMarkupObject::GetClassType(), GetClassType());
}

CTkMarkupDependencyProperty* CTkMarkupSetter::GetSetterProperty() const {
    return AsProperty(GetValue(s_pPropertyProperty));
}

// ---- Trigger

CTkMarkupTrigger::CTkMarkupTrigger(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue) {
    if (pProperty != nullptr)
        pProperty->AddRef();
    SetValue(CTkMarkupSetter::s_pPropertyProperty, pProperty);
    SetValue(CTkMarkupSetter::s_pValueProperty, pValue);
}

void CTkMarkupTrigger::RegisterProperties() {
    CTkMarkupType::EnsureRegistered(CTkMarkupSetter::GetClassType());
    CTkMarkupSetter::s_pPropertyProperty->AddOwner(GetClassType());
    s_pSettersProperty =
        CTkMarkupDependencyProperty::Register(L"Setters", CTkMarkupSetterColection::GetClassType(), GetClassType());
    CTkMarkupSetter::s_pValueProperty->AddOwner(GetClassType());
}

CTkMarkupDependencyProperty* CTkMarkupTrigger::GetTriggerProperty() const {
    return AsProperty(GetValue(CTkMarkupSetter::s_pPropertyProperty));
}

CTkMarkupSetterColection* CTkMarkupTrigger::GetSetters() const {
    return ValueOfType<CTkMarkupSetterColection>(this, s_pSettersProperty);
}

// ---- Style

CTkMarkupStyle::CTkMarkupStyle() : m_pSetters(new CTkMarkupSetterColection) {
    m_pSetters->SetLogicalParent(this);
}

CTkMarkupStyle::~CTkMarkupStyle() {
    m_pSetters->Release();
    if (m_pSealedValues != nullptr)
        m_pSealedValues->Release();
}

void CTkMarkupStyle::RegisterProperties() {
    CTkMarkupType::EnsureRegistered(CTkMarkupSetter::GetClassType());
    CTkMarkupType::EnsureRegistered(CTkMarkupTrigger::GetClassType());
    s_pResourcesProperty = CTkMarkupDependencyProperty::Register(
        L"Resources", CTkMarkupResourceDictionary::GetClassType(), GetClassType());
    s_pTargetTypeProperty =
        CTkMarkupDependencyProperty::Register(L"TargetType", CTkMarkupType::GetClassType(), GetClassType());
    s_pBasedOnProperty = CTkMarkupDependencyProperty::Register(L"BasedOn", GetClassType(), GetClassType());
    s_pTriggersProperty =
        CTkMarkupDependencyProperty::Register(L"Triggers", CTkMarkupTriggerCollection::GetClassType(), GetClassType());
}

CTkMarkupType* CTkMarkupStyle::GetTargetType() const {
    return ValueOfType<CTkMarkupType>(this, s_pTargetTypeProperty);
}

CTkMarkupStyle* CTkMarkupStyle::GetBasedOn() const {
    return ValueOfType<CTkMarkupStyle>(this, s_pBasedOnProperty);
}

CTkMarkupTriggerCollection* CTkMarkupStyle::GetTriggers() const {
    return ValueOfType<CTkMarkupTriggerCollection>(this, s_pTriggersProperty);
}

CTkMarkupResourceDictionary* CTkMarkupStyle::GetResources() const {
    return ValueOfType<CTkMarkupResourceDictionary>(this, s_pResourcesProperty);
}

void CTkMarkupStyle::ResolveSetter(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pSetter) {
    static const WCHAR kIncomplete[] = L"Must specify both Property and Value for Setter.";
    CTkMarkupObject* pName = pSetter->GetValue(CTkMarkupSetter::s_pPropertyProperty);
    if (pName == nullptr)
        ThrowMarkupError(kIncomplete);
    CTkMarkupDependencyProperty* pProperty = AsProperty(pName);
    if (pProperty == nullptr) {
        if (!pName->IsKindOf(CTkMarkupString::GetClassType()))
            ThrowMarkupError(kIncomplete);
        LPCWSTR lpszName = static_cast<CTkMarkupString*>(pName)->GetText();
        pProperty = CTkMarkupBuilder::FindPropertyByName(GetTargetType(), lpszName);
        if (pProperty == nullptr)
            ThrowMarkupError(L"Cannot find the Style Property '%ls'", lpszName);
        pProperty->AddRef();
        pSetter->SetValue(CTkMarkupSetter::s_pPropertyProperty, pProperty);
    }
    CTkMarkupObject* pValue = pSetter->GetValue(CTkMarkupSetter::s_pValueProperty);
    if (pValue == nullptr)
        ThrowMarkupError(kIncomplete);
    if (!pValue->IsKindOf(pProperty->GetValueType()))
        pSetter->SetValue(CTkMarkupSetter::s_pValueProperty, pBuilder->ConvertValue(pProperty, pValue));
}

void CTkMarkupStyle::Seal() {
    if (m_bSealed)
        return;
    if (m_pSealedValues == nullptr)
        m_pSealedValues = new CTkMarkupProperties(nullptr);
    SetLogicalParent(nullptr);
    if (CTkMarkupStyle* pBasedOn = GetBasedOn()) {
        pBasedOn->Seal();
        m_pSealedValues->CopyFrom(*pBasedOn->m_pSealedValues);
    }
    for (int i = 0; i < m_pSetters->GetCount(); i++) {
        const CTkMarkupSetter* pSetter = m_pSetters->GetItem(i);
        CTkMarkupObject* pValue = pSetter->GetSetterValue();
        if (pValue != nullptr)
            pValue->AddRef();
        m_pSealedValues->Set(pSetter->GetSetterProperty(), pValue);
    }
    m_bSealed = TRUE;
}

CTkMarkupObject* CTkMarkupStyle::GetSealedValue(CTkMarkupDependencyProperty* pProperty) const {
    return m_pSealedValues != nullptr ? m_pSealedValues->Get(pProperty) : nullptr;
}

void CTkMarkupStyle::SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) {
    auto content = CTkMarkupPtr<CTkMarkupObject>::Adopt(pContent);
    if (!content || !content->IsKindOf(CTkMarkupSetter::GetClassType())) {
        CTkMarkupObject::SetContentObject(pBuilder, content.Detach());
        return;
    }
    ResolveSetter(pBuilder, content.Get());
    m_pSetters->Add(content.Detach());
}

void CTkMarkupStyle::SetPropertyObject(CTkMarkupBuilder* pBuilder, CTkMarkupDependencyProperty* pProperty,
                                       CTkMarkupObject* pValue) {
    auto value = CTkMarkupPtr<CTkMarkupObject>::Adopt(pValue);
    if (pProperty == s_pTriggersProperty && value && value->IsKindOf(CTkMarkupTriggerCollection::GetClassType())) {
        const auto* pTriggers = static_cast<CTkMarkupTriggerCollection*>(value.Get());
        for (int i = 0; i < pTriggers->GetCount(); i++) {
            CTkMarkupTrigger* pTrigger = pTriggers->GetItem(i);
            ResolveSetter(pBuilder, pTrigger);
            if (const CTkMarkupSetterColection* pSetters = pTrigger->GetSetters()) {
                for (int j = 0; j < pSetters->GetCount(); j++)
                    ResolveSetter(pBuilder, pSetters->GetItem(j));
            }
        }
    }
    CTkMarkupObject::SetPropertyObject(pBuilder, pProperty, value.Detach());
}

// ---- The type's default style

void CTkMarkupType::SetDefaultStyle(CTkMarkupStyle* pStyle) {
    if (CTkMarkupStyle* pPrevious = std::exchange(m_pDefaultStyle, pStyle))
        pPrevious->Release();
    if (pStyle != nullptr)
        pStyle->Seal();
}
