#include "TkMarkupDependencyProperty.h"

#include "TkMarkupType.h"
#include "TkMarkupValues.h"

#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

struct PropertyKey {
    std::wstring_view name;
    const CTkMarkupType* pOwnerType;
    bool operator==(const PropertyKey& other) const { return pOwnerType == other.pOwnerType && name == other.name; }
};

struct PropertyKeyHash {
    size_t operator()(const PropertyKey& key) const {
        return HashMarkupText(key.name.data(), static_cast<int>(key.name.size())) ^ HashAddress(key.pOwnerType);
    }
};

// The property table. It holds the creator's reference of every property and never gives it back, not
// even when a second registration replaces an entry: classes keep their properties in static pointers.
std::unordered_map<PropertyKey, CTkMarkupDependencyProperty*, PropertyKeyHash>& PropertyTable() {
    static auto* s_pTable = new std::unordered_map<PropertyKey, CTkMarkupDependencyProperty*, PropertyKeyHash>;
    return *s_pTable;
}

int s_nPropertyCount = 0;

}  // namespace

CTkMarkupPropertyMetadata::CTkMarkupPropertyMetadata(CTkMarkupObject* pDefaultValue, DWORD dwFlags)
    : CTkMarkupPropertyMetadata(pDefaultValue, nullptr, nullptr, dwFlags) {}

CTkMarkupPropertyMetadata::CTkMarkupPropertyMetadata(CTkMarkupObject* pDefaultValue, Converter pfnConverter,
                                                     DWORD dwFlags)
    : CTkMarkupPropertyMetadata(pDefaultValue, pfnConverter, nullptr, dwFlags) {}

CTkMarkupPropertyMetadata::CTkMarkupPropertyMetadata(CTkMarkupObject* pDefaultValue, ChangedCallback pfnChanged,
                                                     DWORD dwFlags)
    : CTkMarkupPropertyMetadata(pDefaultValue, nullptr, pfnChanged, dwFlags) {}

CTkMarkupPropertyMetadata::CTkMarkupPropertyMetadata(CTkMarkupObject* pDefaultValue, Converter pfnConverter,
                                                     ChangedCallback pfnChanged, DWORD dwFlags)
    : m_pDefaultValue(pDefaultValue), m_pfnConverter(pfnConverter), m_pfnChanged(pfnChanged), m_dwFlags(dwFlags) {
    // Metadata belongs to a property, which lives as long as the process.
    if (m_pDefaultValue != nullptr)
        m_pDefaultValue->MakeProcessWide();
}

CTkMarkupPropertyMetadata::~CTkMarkupPropertyMetadata() {
    if (m_pDefaultValue != nullptr)
        m_pDefaultValue->Release();
}

CTkMarkupDependencyProperty* CTkMarkupDependencyProperty::Register(LPCWSTR lpszName, CTkMarkupType* pValueType,
                                                                   CTkMarkupType* pOwnerType,
                                                                   CTkMarkupPropertyMetadata* pMetadata) {
    return RegisterProperty(lpszName, pValueType, pOwnerType, FALSE, pMetadata);
}

CTkMarkupDependencyProperty* CTkMarkupDependencyProperty::RegisterAttached(LPCWSTR lpszName, CTkMarkupType* pValueType,
                                                                           CTkMarkupType* pOwnerType,
                                                                           CTkMarkupPropertyMetadata* pMetadata) {
    return RegisterProperty(lpszName, pValueType, pOwnerType, TRUE, pMetadata);
}

CTkMarkupDependencyProperty* CTkMarkupDependencyProperty::RegisterProperty(LPCWSTR lpszName, CTkMarkupType* pValueType,
                                                                           CTkMarkupType* pOwnerType, BOOL bAttached,
                                                                           CTkMarkupPropertyMetadata* pMetadata) {
    auto* pProperty = new CTkMarkupDependencyProperty;
    pProperty->m_nIndex = s_nPropertyCount++;
    pProperty->Enter(lpszName, pValueType, pOwnerType, bAttached, pMetadata);
    return pProperty;
}

CTkMarkupRoutedEvent* CTkMarkupDependencyProperty::RegisterRoutedEvent(LPCWSTR lpszName, DWORD dwRouting,
                                                                       CTkMarkupType* pOwnerType) {
    auto* pEvent = new CTkMarkupRoutedEvent;
    pEvent->Enter(lpszName, CTkMarkupString::GetClassType(), pOwnerType, FALSE,
                  dwRouting != 0 ? new CTkMarkupPropertyMetadata(nullptr, dwRouting) : nullptr);
    return pEvent;
}

void CTkMarkupDependencyProperty::Enter(LPCWSTR lpszName, CTkMarkupType* pValueType, CTkMarkupType* pOwnerType,
                                        BOOL bAttached, CTkMarkupPropertyMetadata* pMetadata) {
    m_lpszName = lpszName;
    m_pValueType = pValueType;
    m_pOwnerType = pOwnerType;
    m_bAttached = bAttached;
    m_pMetadata.reset(pMetadata);
    MakeProcessWide();
    PropertyTable()[PropertyKey{lpszName, pOwnerType}] = this;
}

CTkMarkupDependencyProperty* CTkMarkupDependencyProperty::AddOwner(CTkMarkupType* pOwnerType) {
    PropertyTable()[PropertyKey{m_lpszName, pOwnerType}] = this;
    return this;
}

CTkMarkupDependencyProperty* CTkMarkupDependencyProperty::FindProperty(CTkMarkupType* pType, LPCWSTR lpszName) {
    if (lpszName == nullptr)
        return nullptr;
    const auto& table = PropertyTable();
    for (; pType != nullptr; pType = pType->GetBaseType()) {
        const auto it = table.find(PropertyKey{lpszName, pType});
        if (it != table.end())
            return it->second;
    }
    return nullptr;
}

std::vector<CTkMarkupDependencyProperty*> CTkMarkupDependencyProperty::GetAllProperties() {
    std::vector<CTkMarkupDependencyProperty*> properties;
    for (const auto& entry : PropertyTable()) {
        CTkMarkupDependencyProperty* pProperty = entry.second;
        if (pProperty->GetOwnerType() == entry.first.pOwnerType && !pProperty->IsEvent())
            properties.push_back(pProperty);
    }
    return properties;
}

int CTkMarkupDependencyProperty::GetPropertyCount() {
    return s_nPropertyCount;
}

BOOL CTkMarkupDependencyProperty::IsEvent() const {
    return FALSE;
}

CTkMarkupObject* CTkMarkupDependencyProperty::GetDefaultValue() const {
    return m_pMetadata != nullptr ? m_pMetadata->GetDefaultValue() : nullptr;
}

BOOL CTkMarkupRoutedEvent::IsEvent() const {
    return TRUE;
}
