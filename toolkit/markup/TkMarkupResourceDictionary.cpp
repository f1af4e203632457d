#include "TkMarkupResourceDictionary.h"

#include "TkMarkupBuilder.h"
#include "TkMarkupInputElement.h"
#include "TkMarkupStyle.h"
#include "TkMarkupType.h"

CTkMarkupResourceDictionary::~CTkMarkupResourceDictionary() {
    for (auto& [pKey, pValue] : m_entries) {
        pValue->Release();
        const_cast<CTkMarkupObject*>(pKey)->Release();
    }
}

CTkMarkupObject* CTkMarkupResourceDictionary::Lookup(const CTkMarkupObject* pKey) const {
    if (pKey == nullptr)
        return nullptr;
    const auto it = m_entries.find(pKey);
    return it != m_entries.end() ? it->second : nullptr;
}

void CTkMarkupResourceDictionary::SetContentObject(CTkMarkupBuilder* /*pBuilder*/, CTkMarkupObject* pContent) {
    auto content = CTkMarkupPtr<CTkMarkupObject>::Adopt(pContent);
    CTkMarkupObject* pKey = content ? GetKey(content.Get()) : nullptr;
    if (pKey == nullptr)
        ThrowMarkupError(L"Objects added to Dictionary must have Key attribute or some other type of associated Key");
    if (Lookup(pKey) != nullptr)
        ThrowMarkupError(L"Dictionary key is already used. Key attributes must be unique.");
    pKey->AddRef();
    m_entries.emplace(pKey, content.Detach());
}

CTkMarkupObject* CTkMarkupResourceDictionary::GetKey(const CTkMarkupObject* pObject) {
    if (CTkMarkupObject* pKey = pObject->GetValue(s_pKeyProperty))
        return pKey;
    if (pObject->IsKindOf(CTkMarkupStyle::GetClassType()))
        return static_cast<const CTkMarkupStyle*>(pObject)->GetTargetType();
    return nullptr;
}

CTkMarkupObject* CTkMarkupResourceDictionary::FindResource(const CTkMarkupObject* pStart, const CTkMarkupObject* pKey) {
    if (pStart == nullptr || pKey == nullptr)
        return nullptr;
    if (pStart->IsKindOf(GetClassType()))
        return static_cast<const CTkMarkupResourceDictionary*>(pStart)->Lookup(pKey);
    // An input element's "Resources" is the style's property entered once more, so one lookup serves both.
    for (const CTkMarkupObject* pNode = pStart; pNode != nullptr; pNode = pNode->GetLogicalParent()) {
        const CTkMarkupObject* pResources = pNode->GetValue(CTkMarkupStyle::s_pResourcesProperty);
        if (pResources != nullptr && pResources->IsKindOf(GetClassType())) {
            if (CTkMarkupObject* pValue = static_cast<const CTkMarkupResourceDictionary*>(pResources)->Lookup(pKey))
                return pValue;
        }
        const CTkMarkupObject* pStyle = pNode->IsKindOf(CTkMarkupInputElement::GetClassType())
                                            ? pNode->GetValue(CTkMarkupInputElement::s_pStyleProperty)
                                            : nullptr;
        if (pStyle != nullptr && pStyle->IsKindOf(CTkMarkupStyle::GetClassType())) {
            if (CTkMarkupObject* pValue = FindResource(pStyle, pKey))
                return pValue;
        }
        if (pNode->GetType() == CTkMarkupStyle::GetClassType())
            break;
    }
    return nullptr;
}
