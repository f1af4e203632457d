#include "TkMarkupProperties.h"

#include "TkMarkupDependencyProperty.h"

CTkMarkupProperties::CTkMarkupProperties(CTkMarkupObject* pOwner)
    : m_values(CTkMarkupDependencyProperty::GetPropertyCount(), nullptr), m_pOwner(pOwner) {}

CTkMarkupProperties::~CTkMarkupProperties() {
    for (CTkMarkupObject*& pValue : m_values)
        Store(&pValue, nullptr);
}

CTkMarkupObject** CTkMarkupProperties::SlotOf(CTkMarkupDependencyProperty* pProperty) {
    const int nIndex = pProperty != nullptr ? pProperty->GetIndex() : -1;
    if (nIndex < 0 || nIndex >= static_cast<int>(m_values.size()))
        return nullptr;
    return &m_values[nIndex];
}

CTkMarkupObject* CTkMarkupProperties::Get(CTkMarkupDependencyProperty* pProperty) const {
    CTkMarkupObject* const* pSlot = const_cast<CTkMarkupProperties*>(this)->SlotOf(pProperty);
    return pSlot != nullptr ? *pSlot : nullptr;
}

void CTkMarkupProperties::Set(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue) {
    CTkMarkupObject** pSlot = SlotOf(pProperty);
    if (pSlot == nullptr) {
        if (pValue != nullptr)
            pValue->Release();
        return;
    }
    Store(pSlot, pValue);
}

void CTkMarkupProperties::Store(CTkMarkupObject** pSlot, CTkMarkupObject* pValue) {
    if (CTkMarkupObject* pOld = std::exchange(*pSlot, nullptr)) {
        // A value shared with other stores may have been taken over as a child by one of them since.
        if (m_pOwner != nullptr && pOld->GetLogicalParent() == m_pOwner)
            pOld->SetLogicalParent(nullptr);
        pOld->Release();
    }
    *pSlot = pValue;
    if (pValue != nullptr && m_pOwner != nullptr)
        pValue->SetLogicalParent(m_pOwner);
}

void CTkMarkupProperties::CopyFrom(const CTkMarkupProperties& other) {
    const size_t nCount = std::min(m_values.size(), other.m_values.size());
    for (size_t i = 0; i < nCount; i++) {
        if (CTkMarkupObject* pValue = other.m_values[i]) {
            pValue->AddRef();
            Store(&m_values[i], pValue);
        }
    }
}
