#include "TkMarkupValues.h"

#include "TkMarkupArithmetic.h"
#include "TkMarkupType.h"
#include "TkMarkupValueText.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr int kSharedEnumCount = 8;

// The text of a string source, or NULL for any other object.
const CTkMarkupString* AsString(const CTkMarkupObject* pSource) {
    if (pSource == nullptr || !pSource->IsKindOf(CTkMarkupString::GetClassType()))
        return nullptr;
    return static_cast<const CTkMarkupString*>(pSource);
}

template <class T>
const T* As(const CTkMarkupObject* pObject) {
    if (pObject == nullptr || !pObject->IsKindOf(T::GetClassType()))
        return nullptr;
    return static_cast<const T*>(pObject);
}

// A new process-wide instance with one reference for the caller besides the one that keeps it.
template <class T>
T* MakeShared(T* pObject) {
    pObject->MakeProcessWide();
    return pObject;
}

template <class T>
T* Handout(T* pShared) {
    pShared->AddRef();
    return pShared;
}

}  // namespace

BOOL CTkMarkupInt::IsEqual(const CTkMarkupObject* pOther) const {
    const CTkMarkupInt* pInt = As<CTkMarkupInt>(pOther);
    return pInt != nullptr && pInt->GetType() == GetType() && pInt->m_nValue == m_nValue;
}

CTkMarkupObject* CTkMarkupInt::ConvertFrom(CTkMarkupObject* pSource) const {
    const CTkMarkupString* pText = AsString(pSource);
    int nValue = 0;
    if (pText == nullptr || !ReadLeadingInteger(pText->GetText(), nValue))
        return nullptr;
    return new CTkMarkupInt(nValue);
}

BOOL CTkMarkupDouble::IsEqual(const CTkMarkupObject* pOther) const {
    const CTkMarkupDouble* pDouble = As<CTkMarkupDouble>(pOther);
    return pDouble != nullptr && pDouble->GetType() == GetType() && pDouble->m_dValue == m_dValue;
}

CTkMarkupObject* CTkMarkupDouble::ConvertFrom(CTkMarkupObject* pSource) const {
    const CTkMarkupString* pText = AsString(pSource);
    if (pText == nullptr)
        return nullptr;
    LPCWSTR p = pText->GetText();
    double dValue = 0.0;
    if (!ParseNumber(p, dValue, 0, TRUE))
        return nullptr;
    return new CTkMarkupDouble(dValue);
}

CTkMarkupEnum* CTkMarkupEnum::CreateValue(int nValue) {
    static CTkMarkupEnum* s_values[kSharedEnumCount] = {};
    if (static_cast<unsigned>(nValue) >= kSharedEnumCount)
        return new CTkMarkupEnum(nValue);
    if (s_values[nValue] == nullptr)
        s_values[nValue] = MakeShared(new CTkMarkupEnum(nValue));
    return Handout(s_values[nValue]);
}

BOOL CTkMarkupEnum::IsEqual(const CTkMarkupObject* pOther) const {
    const CTkMarkupEnum* pEnum = As<CTkMarkupEnum>(pOther);
    return pEnum != nullptr && pEnum->GetType() == GetType() && pEnum->m_nValue == m_nValue;
}

CTkMarkupBool* CTkMarkupBool::CreateValue(BOOL bValue) {
    static CTkMarkupBool* s_pTrue = nullptr;
    static CTkMarkupBool* s_pFalse = nullptr;
    CTkMarkupBool*& pShared = bValue ? s_pTrue : s_pFalse;
    if (pShared == nullptr)
        pShared = MakeShared(new CTkMarkupBool(bValue));
    return Handout(pShared);
}

BOOL CTkMarkupBool::IsEqual(const CTkMarkupObject* pOther) const {
    const CTkMarkupBool* pBool = As<CTkMarkupBool>(pOther);
    return pBool != nullptr && pBool->GetType() == GetType() && pBool->m_bValue == m_bValue;
}

CTkMarkupObject* CTkMarkupBool::ConvertFrom(CTkMarkupObject* pSource) const {
    const CTkMarkupString* pText = AsString(pSource);
    if (pText == nullptr)
        return nullptr;
    if (_wcsicmp(pText->GetText(), L"True") == 0)
        return CreateValue(TRUE);
    if (_wcsicmp(pText->GetText(), L"False") == 0)
        return CreateValue(FALSE);
    return nullptr;
}

BOOL CTkMarkupColor::IsEqual(const CTkMarkupObject* pOther) const {
    const CTkMarkupColor* pColor = As<CTkMarkupColor>(pOther);
    return pColor != nullptr && pColor->GetType() == GetType() && pColor->m_clr == m_clr;
}

CTkMarkupObject* CTkMarkupColor::ConvertFrom(CTkMarkupObject* pSource) const {
    const CTkMarkupString* pText = AsString(pSource);
    if (pText == nullptr)
        return nullptr;
    LPCWSTR lpsz = pText->GetText();
    if (lpsz[0] != L'#') {
        COLORREF clr = 0;
        return LookupNamedColor(lpsz, clr) ? new CTkMarkupColor(clr) : nullptr;
    }
    unsigned int nAlpha = 0, nRed = 0, nGreen = 0, nBlue = 0;
    const int nLength = pText->GetLength();
    if (nLength == 7 && _snwscanf(lpsz, nLength, L"#%2x%2x%2x", &nRed, &nGreen, &nBlue) == 3)
        return new CTkMarkupColor(RGB(nRed, nGreen, nBlue));
    if (nLength == 9 && _snwscanf(lpsz, nLength, L"#%2x%2x%2x%2x", &nAlpha, &nRed, &nGreen, &nBlue) == 4)
        return new CTkMarkupColor(RGB(nRed, nGreen, nBlue));
    return nullptr;
}

void CTkMarkupColor::SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) {
    const auto converted = CTkMarkupPtr<CTkMarkupObject>::Adopt(ConvertFrom(pContent));
    if (!converted) {
        CTkMarkupObject::SetContentObject(pBuilder, pContent);
        return;
    }
    pContent->Release();
    m_clr = static_cast<CTkMarkupColor*>(converted.Get())->m_clr;
}

CTkMarkupString* CTkMarkupString::CreateValue(LPCWSTR lpszText, int nLength) {
    static CTkMarkupString* s_pEmpty = nullptr;
    static CTkMarkupString* s_pSpace = nullptr;
    static CTkMarkupString* s_pLineFeed = nullptr;
    if (lpszText == nullptr || nLength == 0 || lpszText[0] == 0) {
        if (s_pEmpty == nullptr)
            s_pEmpty = MakeShared(new CTkMarkupString);
        return Handout(s_pEmpty);
    }
    // A text of length 1 is not read past its character.
    if ((nLength == 1 || lpszText[1] == 0) && (lpszText[0] == L' ' || lpszText[0] == L'\n')) {
        CTkMarkupString*& pShared = lpszText[0] == L' ' ? s_pSpace : s_pLineFeed;
        if (pShared == nullptr) {
            pShared = MakeShared(new CTkMarkupString);
            pShared->m_strText.assign(1, lpszText[0]);
        }
        return Handout(pShared);
    }
    auto* pString = new CTkMarkupString;
    if (nLength < 0)
        pString->m_strText.assign(lpszText);
    else
        pString->m_strText.assign(lpszText, nLength);
    return pString;
}

UINT CTkMarkupString::GetHashKey() const {
    return HashMarkupText(m_strText.c_str(), GetLength());
}

BOOL CTkMarkupString::IsEqual(const CTkMarkupObject* pOther) const {
    const CTkMarkupString* pString = As<CTkMarkupString>(pOther);
    return pString != nullptr && pString->GetType() == GetType() && pString->m_strText == m_strText;
}

CTkMarkupThickness* CTkMarkupThickness::CreateZero() {
    static CTkMarkupThickness* s_pZero = nullptr;
    if (s_pZero == nullptr)
        s_pZero = MakeShared(new CTkMarkupThickness);
    return Handout(s_pZero);
}

BOOL CTkMarkupThickness::IsEqual(const CTkMarkupObject* pOther) const {
    const CTkMarkupThickness* pThickness = As<CTkMarkupThickness>(pOther);
    return pThickness != nullptr && pThickness->GetType() == GetType() && ::EqualRect(&pThickness->m_rc, &m_rc);
}

CTkMarkupObject* CTkMarkupThickness::ConvertFrom(CTkMarkupObject* pSource) const {
    const CTkMarkupString* pText = AsString(pSource);
    if (pText == nullptr)
        return nullptr;
    LPCWSTR p = pText->GetText();
    if (wcschr(p, L',') == nullptr) {
        int nAll = 0;
        return ReadLeadingInteger(p, nAll) ? new CTkMarkupThickness(nAll, nAll, nAll, nAll) : nullptr;
    }
    // As the format "%i, %i, %i, %i" reads: a comma right after each number, then any white space.
    int sides[4] = {};
    for (int i = 0; i < 4; i++) {
        if (i > 0 && *p++ != L',')
            return nullptr;
        if (!ScanCInteger(p, sides[i]))
            return nullptr;
    }
    return new CTkMarkupThickness(sides[0], sides[1], sides[2], sides[3]);
}

CTkMarkupObject* CTkMarkupPoint::ConvertFrom(CTkMarkupObject* pSource) const {
    const CTkMarkupString* pText = AsString(pSource);
    if (pText == nullptr)
        return nullptr;
    LPCWSTR p = pText->GetText();
    double x = 0.0, y = 0.0;
    if (!ParseNumber(p, x, L',', FALSE) || !ParseNumber(p, y, 0, TRUE))
        return nullptr;
    return new CTkMarkupPoint(x, y);
}

CRect DeflateRect(const CRect& rc, const CTkMarkupThickness* pThickness) {
    return pThickness != nullptr ? DeflateRect(rc, pThickness->GetThickness()) : rc;
}

CRect DeflateRect(const CRect& rc, const RECT& t) {
    CRect result(SaturatedInt(INT64{rc.left} + t.left), SaturatedInt(INT64{rc.top} + t.top),
                 SaturatedInt(INT64{rc.right} - t.right), SaturatedInt(INT64{rc.bottom} - t.bottom));
    result.right = std::max(result.left, result.right);
    result.bottom = std::max(result.top, result.bottom);
    return result;
}

int MarkupIntOr(const CTkMarkupObject* pValue, int nDefault) {
    const CTkMarkupInt* pInt = As<CTkMarkupInt>(pValue);
    return pInt != nullptr ? pInt->GetInt() : nDefault;
}

int MarkupEnumOr(const CTkMarkupObject* pValue, int nDefault) {
    const CTkMarkupEnum* pEnum = As<CTkMarkupEnum>(pValue);
    return pEnum != nullptr ? pEnum->GetEnum() : nDefault;
}

BOOL MarkupBoolOr(const CTkMarkupObject* pValue, BOOL bDefault) {
    const CTkMarkupBool* pBool = As<CTkMarkupBool>(pValue);
    return pBool != nullptr ? pBool->GetBool() : bDefault;
}
