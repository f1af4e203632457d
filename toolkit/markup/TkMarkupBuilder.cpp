#include "TkMarkupBuilder.h"

#include "TkMarkupDependencyProperty.h"
#include "TkMarkupType.h"

#include <cstdarg>

IMPLEMENT_DYNAMIC(CTkMarkupBuilderException, CSimpleException)

void ThrowMarkupError(LPCWSTR lpszFormat, ...) {
    CString strMessage;
    va_list args;
    va_start(args, lpszFormat);
    strMessage.FormatV(lpszFormat, args);
    va_end(args);
    throw new CTkMarkupBuilderException(strMessage);
}

CTkMarkupObject* CTkMarkupBuilder::ConvertValue(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue) {
    const CTkMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    if (pMetadata != nullptr && pMetadata->GetConverter() != nullptr) {
        if (CTkMarkupObject* pConverted = pMetadata->GetConverter()(m_pContext, pValue))
            return pConverted;
    }
    // The temporary instance only converts: it is made without the context and dropped at once.
    const auto instance = CTkMarkupPtr<CTkMarkupObject>::Adopt(pProperty->GetValueType()->CreateObject());
    if (instance) {
        if (CTkMarkupObject* pConverted = instance->ConvertFrom(pValue))
            return pConverted;
    }
    ThrowMarkupError(L"Cannot convert string in attribute '%ls' to object of type '%ls'", pProperty->GetName(),
                     pProperty->GetValueType()->GetClassName());
}

CTkMarkupDependencyProperty* CTkMarkupBuilder::FindPropertyByName(CTkMarkupType* pType, LPCWSTR lpszName) {
    if (lpszName == nullptr)
        return nullptr;
    LPCWSTR lpszPoint = wcschr(lpszName, L'.');
    if (lpszPoint == nullptr)
        return CTkMarkupDependencyProperty::FindProperty(pType, lpszName);
    const CString strOwnerTag(lpszName, static_cast<int>(lpszPoint - lpszName));
    return CTkMarkupDependencyProperty::FindProperty(CTkMarkupType::FindType(strOwnerTag), lpszPoint + 1);
}
