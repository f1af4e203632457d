#include "TkMarkupBuilder.h"

#include "TkMarkupBrush.h"
#include "TkMarkupContext.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupFrameworkElement.h"
#include "TkMarkupParser.h"
#include "TkMarkupResourceDictionary.h"
#include "TkMarkupStyle.h"
#include "TkMarkupSystemColors.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

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

namespace {

using ObjectPtr = CTkMarkupPtr<CTkMarkupObject>;

constexpr WCHAR kNoSuchTag[] = L"The tag '%ls' does not exist in XML namespace";

BOOL StartsWith(LPCWSTR lpszText, LPCWSTR lpszPrefix) {
    return wcsncmp(lpszText, lpszPrefix, wcslen(lpszPrefix)) == 0;
}

// The local value of pObject for pProperty when it is of class T (borrowed), else NULL.
template <class T>
T* LocalValueOf(const CTkMarkupObject* pObject, CTkMarkupDependencyProperty* pProperty) {
    CTkMarkupObject* pValue = pObject->GetLocalValue(pProperty);
    return pValue != nullptr && pValue->IsKindOf(T::GetClassType()) ? static_cast<T*>(pValue) : nullptr;
}

}  // namespace

CTkMarkupBuilder::CTkMarkupBuilder(CTkMarkupContext* pContext) : m_pContext(pContext) {}

CTkMarkupBuilder::~CTkMarkupBuilder() = default;

CTkMarkupUIElement* CTkMarkupBuilder::Build(CTkMarkupParser* pParser) {
    m_strLastError.Empty();
    m_pParser = pParser;
    m_root.Reset();
    m_bOpened = FALSE;
    m_strText.clear();
    m_bPendingSpace = FALSE;
    if (!pParser->FindFirstTag()) {
        m_strLastError = L"Data at the root level is invalid";
        return nullptr;
    }
    // Whatever leaves, nothing of a partial tree stays behind.
    struct StackGuard {
        std::vector<ObjectPtr>& stack;
        ~StackGuard() {
            while (!stack.empty())
                stack.pop_back();
        }
    } guard{m_stack};
    try {
        ReadTokens();
    } catch (CTkMarkupBuilderException* pException) {
        WCHAR szMessage[512] = {};
        pException->GetErrorMessage(szMessage, 512);
        pException->Delete();
        m_strLastError.Format(L"%ls. Line %i, position %i", szMessage, pParser->GetLine() + 1,
                              pParser->GetPosition() + 1);
        m_root.Reset();
        return nullptr;
    }
    ObjectPtr root = std::move(m_root);
    if (!root->IsKindOf(CTkMarkupUIElement::GetClassType())) {
        m_strLastError = L"Root element have to be 'CTkMarkupUIElement' type";
        return nullptr;
    }
    CTkMarkupInputElement::ApplyStyles(root.Get());
    return static_cast<CTkMarkupUIElement*>(root.Detach());
}

void CTkMarkupBuilder::ReadTokens() {
    for (;;) {
        switch (m_pParser->GetNextToken()) {
            case CTkMarkupParser::tokenError:
                ThrowMarkupError(L"%ls", m_pParser->GetValue());
            case CTkMarkupParser::tokenEnd:
                if (!m_stack.empty()) {
                    ThrowMarkupError(
                        L"Unexpected end of file has occurred. The following elements are not closed: '%ls'",
                        Top()->GetTagName());
                }
                if (!m_bOpened)
                    ThrowMarkupError(L"Root element is missing");
                return;
            case CTkMarkupParser::tokenStartTag:
                OnStartTag();
                break;
            case CTkMarkupParser::tokenAttribute:
                OnAttribute();
                break;
            case CTkMarkupParser::tokenText:
                OnText();
                break;
            case CTkMarkupParser::tokenWhitespace:
                // Any run of white space between words becomes at most one space.
                m_bPendingSpace = TRUE;
                break;
            case CTkMarkupParser::tokenEndTag:
                OnEndTag();
                break;
            case CTkMarkupParser::tokenProcessingInstructionEnd:
                OnProcessingInstructionEnd();
                break;
            default:
                // Comments and CDATA never become content.
                break;
        }
    }
}

void CTkMarkupBuilder::FlushText(CTkMarkupObject* pObject) {
    if (!m_strText.empty()) {
        pObject->SetContentObject(this,
                                  CTkMarkupString::CreateValue(m_strText.c_str(), static_cast<int>(m_strText.size())));
    }
    m_strText.clear();
    m_bPendingSpace = FALSE;
}

void CTkMarkupBuilder::OnStartTag() {
    if (m_stack.empty() && m_root)
        ThrowMarkupError(L"There are multiple root elements");
    if (!m_stack.empty()) {
        CTkMarkupObject* pParent = Top();
        if (!m_strText.empty()) {
            if (m_bPendingSpace)
                m_strText += L' ';
            FlushText(pParent);
        } else if (m_bPendingSpace && pParent->HasContentObject() && pParent->AllowWhiteSpaceContent()) {
            pParent->SetContentObject(this, CTkMarkupString::CreateValue(L" "));
        }
        m_strText.clear();
        m_bPendingSpace = FALSE;
    }
    LPCWSTR lpszTag = m_pParser->GetTagName();
    ObjectPtr object;
    if (wcschr(lpszTag, L'.') != nullptr) {
        CTkMarkupDependencyProperty* pProperty = FindPropertyByName(nullptr, lpszTag);
        if (pProperty == nullptr || m_stack.empty())
            ThrowMarkupError(kNoSuchTag, lpszTag);
        object = ObjectPtr::Adopt(new CTkMarkupObjectProperty(pProperty));
    } else {
        CTkMarkupType* pType = CTkMarkupType::FindType(lpszTag);
        if (pType != nullptr)
            object = ObjectPtr::Adopt(m_pContext->CreateMarkupObject(pType));
        if (!object)
            ThrowMarkupError(kNoSuchTag, lpszTag);
    }
    object->SetTagName(lpszTag);
    m_stack.push_back(std::move(object));
    m_bOpened = TRUE;
}

void CTkMarkupBuilder::OnAttribute() {
    if (m_stack.empty())
        ThrowMarkupError(L"Unexpected error");
    LPCWSTR lpszName = m_pParser->GetAttributeName();
    if (wcsncmp(lpszName, L"xmlns", 5) == 0)
        return;
    CTkMarkupDependencyProperty* pProperty = FindPropertyByName(Top()->GetType(), lpszName);
    if (pProperty == nullptr)
        ThrowMarkupError(L"The property '%ls' does not exist in XML namespace", lpszName);
    ObjectPtr value = ObjectPtr::Adopt(MakeAttributeValue(m_pParser->GetValue()));
    Top()->SetPropertyObject(this, pProperty, value.Detach());
}

CTkMarkupObject* CTkMarkupBuilder::MakeAttributeValue(LPCWSTR lpszText) {
    if (StartsWith(lpszText, L"{}"))
        return CTkMarkupString::CreateValue(lpszText + 2);
    if (lpszText[0] == L'{')
        return ParseMarkupExtension(lpszText + 1);
    return CTkMarkupString::CreateValue(lpszText);
}

void CTkMarkupBuilder::OnText() {
    if (m_stack.empty())
        ThrowMarkupError(L"Data at the root level is invalid");
    if (m_bPendingSpace && (!m_strText.empty() || Top()->HasContentObject()))
        m_strText += L' ';
    m_bPendingSpace = FALSE;
    m_strText += m_pParser->GetValue();
}

void CTkMarkupBuilder::OnEndTag() {
    if (m_stack.empty())
        ThrowMarkupError(L"Unexpected end tag");
    ObjectPtr object = std::move(m_stack.back());
    m_stack.pop_back();
    LPCWSTR lpszEndTag = m_pParser->GetTagName();
    if (wcscmp(object->GetTagName(), lpszEndTag) != 0)
        ThrowMarkupError(L"The '%ls' start tag does not match the end tag of '%ls'", object->GetTagName(), lpszEndTag);
    // A pending space before an end tag is dropped.
    FlushText(object.Get());
    if (object->GetType() == CTkMarkupObjectProperty::GetClassType()) {
        auto* pPlaceholder = static_cast<CTkMarkupObjectProperty*>(object.Get());
        if (pPlaceholder->GetCollectedValue() == nullptr)
            ThrowMarkupError(L"'%ls' property does not have a value", pPlaceholder->GetProperty()->GetName());
        Top()->SetPropertyObject(this, pPlaceholder->GetProperty(), pPlaceholder->DetachValue());
        return;
    }
    if (m_stack.empty())
        m_root = std::move(object);
    else
        Top()->SetContentObject(this, object.Detach());
}

void CTkMarkupBuilder::OnProcessingInstructionEnd() {
    // encoding="utf-8": the keyword, '=', a quote, then the name ten characters after the keyword.
    LPCWSTR lpszValue = m_pParser->GetValue();
    LPCWSTR lpszEncoding = wcsstr(lpszValue, L"encoding");
    if (lpszEncoding != nullptr && wcslen(lpszEncoding) >= 15 && wcsncmp(lpszEncoding + 10, L"utf-8", 5) == 0)
        m_pParser->SetCodePage(CTkMarkupParser::kCodePageUtf8);
}

CTkMarkupObject* CTkMarkupBuilder::ConvertValue(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue) {
    const CTkMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    if (pMetadata != nullptr && pMetadata->GetConverter() != nullptr) {
        if (CTkMarkupObject* pConverted = pMetadata->GetConverter()(m_pContext, pValue))
            return pConverted;
    }
    // The temporary instance only converts: it is made without the context and dropped at once.
    const auto instance = ObjectPtr::Adopt(pProperty->GetValueType()->CreateObject());
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

CTkMarkupObject* CTkMarkupBuilder::ParseMarkupExtension(LPCWSTR lpszText) {
    const size_t nLength = wcslen(lpszText);
    if (nLength == 0 || lpszText[nLength - 1] != L'}')
        ThrowMarkupError(L"Markup extension expressions must end with '}'");
    const CString strInside(lpszText, static_cast<int>(nLength - 1));
    LPCWSTR lpszInside = strInside;
    if (StartsWith(lpszInside, L"x:Static "))
        return FindStaticMember(lpszInside + 9);
    if (StartsWith(lpszInside, L"StaticResource "))
        return FindResource(lpszInside + 15);
    if (StartsWith(lpszInside, L"DynamicResource "))
        return FindResource(lpszInside + 16);
    if (StartsWith(lpszInside, L"x:Type ")) {
        CTkMarkupType* pType = CTkMarkupType::FindType(lpszInside + 7);
        if (pType == nullptr)
            ThrowMarkupError(L"Cannot find type '%ls'", lpszInside + 7);
        pType->AddRef();
        return pType;
    }
    ThrowMarkupError(kNoSuchTag, lpszInside);
}

CTkMarkupObject* CTkMarkupBuilder::FindStaticMember(LPCWSTR lpszMember) {
    MarkupSystemColorsMember member;
    int nIndex = 0;
    if (!ParseSystemColorsMember(lpszMember, member, nIndex))
        ThrowMarkupError(L"Cannot find the static member  '%ls'", lpszMember);
    switch (member) {
        case MarkupSystemColorsMember::color:
            return GetSystemColorObject(rowColor, nIndex);
        case MarkupSystemColorsMember::brush:
            return GetSystemColorObject(rowBrush, nIndex);
        case MarkupSystemColorsMember::colorKey:
            return GetSystemColorObject(rowColorKey, nIndex);
        case MarkupSystemColorsMember::brushKey:
            break;
    }
    return GetSystemColorObject(rowBrushKey, nIndex);
}

CTkMarkupObject* CTkMarkupBuilder::FindResource(LPCWSTR lpszKey) {
    ObjectPtr key;
    if (lpszKey[0] == L'{' && wcscmp(lpszKey, L"{}") != 0)
        key = ObjectPtr::Adopt(ParseMarkupExtension(lpszKey + 1));
    else
        key = ObjectPtr::Adopt(CTkMarkupString::CreateValue(StartsWith(lpszKey, L"{}") ? lpszKey + 2 : lpszKey));

    // Only the objects still open are searched: a closed sibling's resources are out of scope.
    CTkMarkupType* pContentElementType = CTkMarkupType::FindType(L"FrameworkContentElement");
    for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
        CTkMarkupObject* pOpen = it->Get();
        CTkMarkupResourceDictionary* pResources = nullptr;
        if (pOpen->IsKindOf(CTkMarkupFrameworkElement::GetClassType()) || pOpen->IsKindOf(pContentElementType) ||
            pOpen->IsKindOf(CTkMarkupStyle::GetClassType())) {
            pResources = LocalValueOf<CTkMarkupResourceDictionary>(pOpen, CTkMarkupStyle::s_pResourcesProperty);
        } else if (pOpen->GetType() == CTkMarkupObjectProperty::GetClassType()) {
            CTkMarkupObject* pValue = static_cast<CTkMarkupObjectProperty*>(pOpen)->GetCollectedValue();
            if (pValue != nullptr && pValue->IsKindOf(CTkMarkupResourceDictionary::GetClassType()))
                pResources = static_cast<CTkMarkupResourceDictionary*>(pValue);
        }
        if (pResources != nullptr) {
            if (CTkMarkupObject* pFound = pResources->Lookup(key.Get())) {
                pFound->AddRef();
                return pFound;
            }
        }
    }
    if (key->IsKindOf(CTkMarkupColorKey::GetClassType()))
        return GetSystemColorObject(rowColor, static_cast<CTkMarkupColorKey*>(key.Get())->GetIndex());
    if (key->IsKindOf(CTkMarkupBrushKey::GetClassType()))
        return GetSystemColorObject(rowBrush, static_cast<CTkMarkupBrushKey*>(key.Get())->GetIndex());
    ThrowMarkupError(L"Cannot find resource named '%ls'. Resource names are case sensitive", lpszKey);
}

CTkMarkupObject* CTkMarkupBuilder::GetSystemColorObject(CacheRow row, int nIndex) {
    if (m_colorCache.empty())
        m_colorCache.resize(kCacheRows * kSystemColorCount);
    ObjectPtr& slot = m_colorCache[row * kSystemColorCount + nIndex];
    if (!slot) {
        switch (row) {
            case rowBrush:
                slot = ObjectPtr::Adopt(new CTkMarkupSolidColorBrush(::GetSysColor(nIndex)));
                break;
            case rowColor:
                slot = ObjectPtr::Adopt(new CTkMarkupColor(::GetSysColor(nIndex)));
                break;
            case rowBrushKey:
                slot = ObjectPtr::Adopt(new CTkMarkupBrushKey(nIndex));
                break;
            default:
                slot = ObjectPtr::Adopt(new CTkMarkupColorKey(nIndex));
                break;
        }
    }
    slot->AddRef();
    return slot.Get();
}

void CTkMarkupObjectProperty::SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) {
    ObjectPtr content = ObjectPtr::Adopt(pContent);
    if (!content)
        return;
    CTkMarkupType* pValueType = m_pProperty->GetValueType();
    if (content->IsKindOf(pValueType) || content->IsKindOf(CTkMarkupString::GetClassType())) {
        m_value = std::move(content);
        return;
    }
    if (!m_value) {
        m_value = ObjectPtr::Adopt(pBuilder->GetContext()->CreateMarkupObject(pValueType));
        if (!m_value)
            ThrowMarkupError(L"Cannot add content to an object of type '%ls'", pValueType->GetClassName());
    }
    m_value->SetContentObject(pBuilder, content.Detach());
}
