#include "TkMarkupObject.h"

#include "TkMarkupBuilder.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupProperties.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

namespace {

volatile LONG s_nLiveObjects = 0;

}  // namespace

CTkMarkupDependencyProperty* CTkMarkupObject::s_pNameProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupObject::s_pKeyProperty = nullptr;

UINT HashAddress(const void* p) {
    const auto value = static_cast<UINT64>(reinterpret_cast<UINT_PTR>(p));
    return static_cast<UINT>(value ^ (value >> 32));
}

UINT HashMarkupText(LPCWSTR lpsz, int nLength) {
    UINT nHash = 0;
    for (int i = 0; i < nLength; i++)
        nHash = nHash * 33 + lpsz[i];
    return nHash;
}

CTkMarkupObject::CTkMarkupObject() {
    ::InterlockedIncrement(&s_nLiveObjects);
}

CTkMarkupObject::~CTkMarkupObject() {
    if (m_pProperties != nullptr)
        m_pProperties->Release();
    if (!m_bProcessWide)
        ::InterlockedDecrement(&s_nLiveObjects);
}

DWORD CTkMarkupObject::AddRef() {
    return static_cast<DWORD>(::InterlockedIncrement(&m_nRef));
}

DWORD CTkMarkupObject::Release() {
    if (m_nRef == 0)
        return 0;
    const LONG nRef = ::InterlockedDecrement(&m_nRef);
    if (nRef == 0)
        OnFinalRelease();
    return static_cast<DWORD>(nRef);
}

void CTkMarkupObject::OnFinalRelease() {
    delete this;
}

void CTkMarkupObject::MakeProcessWide() {
    if (m_bProcessWide)
        return;
    m_bProcessWide = TRUE;
    m_pLogicalParent = nullptr;
    ::InterlockedDecrement(&s_nLiveObjects);
}

LONG CTkMarkupObject::GetLiveObjectCount() {
    return s_nLiveObjects;
}

void CTkMarkupObject::RegisterProperties() {
    s_pNameProperty = CTkMarkupDependencyProperty::Register(L"x:Name", CTkMarkupString::GetClassType(), GetClassType());
    s_pKeyProperty = CTkMarkupDependencyProperty::Register(L"x:Key", GetClassType(), GetClassType());
}

BOOL CTkMarkupObject::IsKindOf(const CTkMarkupType* pType) const {
    for (CTkMarkupType* pKind = GetType(); pKind != nullptr; pKind = pKind->GetBaseType()) {
        if (pKind == pType)
            return TRUE;
    }
    return FALSE;
}

CTkMarkupObject* CTkMarkupObject::GetLocalValue(CTkMarkupDependencyProperty* pProperty) const {
    return m_pProperties != nullptr ? m_pProperties->Get(pProperty) : nullptr;
}

CTkMarkupObject* CTkMarkupObject::GetValue(CTkMarkupDependencyProperty* pProperty) const {
    if (pProperty == nullptr)
        return nullptr;
    CTkMarkupObject* pOwner = nullptr;
    if (CTkMarkupObject* pValue = FindLocalValue(pProperty, pOwner))
        return pValue;
    return pProperty->GetDefaultValue();
}

CTkMarkupObject* CTkMarkupObject::FindValueOwner(CTkMarkupDependencyProperty* pProperty) const {
    CTkMarkupObject* pOwner = nullptr;
    FindLocalValue(pProperty, pOwner);
    return pOwner;
}

CTkMarkupObject* CTkMarkupObject::FindLocalValue(CTkMarkupDependencyProperty* pProperty,
                                                 CTkMarkupObject*& pOwner) const {
    const BOOL bInherited = (pProperty->GetFlags() & CTkMarkupPropertyMetadata::flagInherited) != 0;
    for (const CTkMarkupObject* pObject = this; pObject != nullptr;
         pObject = bInherited ? pObject->GetLogicalParent() : nullptr) {
        if (CTkMarkupObject* pValue = pObject->GetLocalValue(pProperty)) {
            pOwner = const_cast<CTkMarkupObject*>(pObject);
            return pValue;
        }
    }
    return nullptr;
}

void CTkMarkupObject::SetValue(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue) {
    auto value = CTkMarkupPtr<CTkMarkupObject>::Adopt(pValue);
    if (pProperty == nullptr)
        return;
    if (value && !value->IsKindOf(pProperty->GetValueType()))
        return;
    if (value && m_pProperties == nullptr)
        m_pProperties = new CTkMarkupProperties(this);
    // The old value may be the local one that the store releases: it must outlive the notifications.
    const auto oldValue = CTkMarkupPtr<CTkMarkupObject>::Retain(GetValue(pProperty));
    if (m_pProperties != nullptr)
        m_pProperties->Set(pProperty, value.Detach());
    CTkMarkupObject* pNewValue = GetValue(pProperty);
    if (!oldValue && pNewValue == nullptr)
        return;
    OnPropertyChanged(pProperty, oldValue.Get(), pNewValue);
    if ((pProperty->GetFlags() & CTkMarkupPropertyMetadata::flagInherited) != 0)
        NotifyInheritedChange(pProperty, oldValue.Get(), pNewValue);
}

void CTkMarkupObject::OnPropertyChanged(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pOldValue,
                                        CTkMarkupObject* pNewValue) {
    const CTkMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    if (pMetadata != nullptr && pMetadata->GetChangedCallback() != nullptr)
        pMetadata->GetChangedCallback()(this, CTkMarkupPropertyChange{pProperty, pOldValue, pNewValue});
}

void CTkMarkupObject::NotifyInheritedChange(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pOldValue,
                                            CTkMarkupObject* pNewValue) {
    for (int i = 0; i < GetLogicalChildrenCount(); i++) {
        const auto child = CTkMarkupPtr<CTkMarkupObject>::Retain(GetLogicalChild(i));
        if (!child)
            continue;
        if (child->IsKindOf(pProperty->GetOwnerType()))
            child->OnPropertyChanged(pProperty, pOldValue, pNewValue);
        child->NotifyInheritedChange(pProperty, pOldValue, pNewValue);
    }
}

UINT CTkMarkupObject::GetHashKey() const {
    return HashAddress(this);
}

BOOL CTkMarkupObject::IsEqual(const CTkMarkupObject* pOther) const {
    return pOther == this;
}

void CTkMarkupObject::SetLogicalParent(CTkMarkupObject* pParent) {
    if (!m_bProcessWide)
        m_pLogicalParent = pParent;
}

int CTkMarkupObject::GetLogicalChildrenCount() const {
    return 0;
}

CTkMarkupObject* CTkMarkupObject::GetLogicalChild(int /*nIndex*/) const {
    return nullptr;
}

void CTkMarkupObject::SetContentObject(CTkMarkupBuilder* /*pBuilder*/, CTkMarkupObject* pContent) {
    const auto content = CTkMarkupPtr<CTkMarkupObject>::Adopt(pContent);
    if (content && content->IsKindOf(CTkMarkupString::GetClassType())) {
        ThrowMarkupError(L"Cannot convert the string '%ls' into a '%ls' object",
                         static_cast<CTkMarkupString*>(content.Get())->GetText(), GetType()->GetClassName());
    }
    ThrowMarkupError(L"Cannot add content to an object of type '%ls'", GetType()->GetClassName());
}

void CTkMarkupObject::SetPropertyObject(CTkMarkupBuilder* pBuilder, CTkMarkupDependencyProperty* pProperty,
                                        CTkMarkupObject* pValue) {
    auto value = CTkMarkupPtr<CTkMarkupObject>::Adopt(pValue);
    if (value && !value->IsKindOf(pProperty->GetValueType()))
        value = CTkMarkupPtr<CTkMarkupObject>::Adopt(pBuilder->ConvertValue(pProperty, value.Get()));
    SetValue(pProperty, value.Detach());
}

CTkMarkupObject* CTkMarkupObject::ConvertFrom(CTkMarkupObject* /*pSource*/) const {
    return nullptr;
}

BOOL CTkMarkupObject::HasContentObject() const {
    return FALSE;
}

BOOL CTkMarkupObject::AllowWhiteSpaceContent() const {
    return FALSE;
}
