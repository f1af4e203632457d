#include "TkMarkupType.h"

#include "TkMarkupValues.h"

CTkMarkupType::CTkMarkupType(LPCWSTR lpszTag, LPCWSTR lpszClassName, Factory pfnFactory, BaseAccessor pfnBase,
                             RegisterRoutine pfnRegister)
    : m_lpszTag(lpszTag),
      m_lpszClassName(lpszClassName),
      m_pfnFactory(pfnFactory),
      m_pfnBase(pfnBase),
      m_pfnRegister(pfnRegister) {}

CTkMarkupObject* CTkMarkupType::CreateObject() const {
    return m_pfnFactory != nullptr ? m_pfnFactory() : nullptr;
}

CTkMarkupObject* CTkMarkupType::ConvertFrom(CTkMarkupObject* pSource) const {
    if (pSource == nullptr || !pSource->IsKindOf(CTkMarkupString::GetClassType()))
        return nullptr;
    CTkMarkupType* pType = FindType(static_cast<CTkMarkupString*>(pSource)->GetText());
    if (pType != nullptr)
        pType->AddRef();
    return pType;
}

void CTkMarkupType::EnsureRegistered(CTkMarkupType* pType) {
    if (pType->m_bRegistered)
        return;
    if (CTkMarkupType* pBase = pType->GetBaseType())
        EnsureRegistered(pBase);
    pType->m_bRegistered = TRUE;
    if (pType->m_pfnRegister != nullptr)
        pType->m_pfnRegister();
}
