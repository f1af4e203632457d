#include "TkSkinSchemaNames.h"

#include <cwchar>

namespace {

// ASCII letters only, as everywhere in the skin reader.
bool EqualNoCase(const wchar_t* pszA, const wchar_t* pszB) {
    for (;; ++pszA, ++pszB) {
        wchar_t a = *pszA;
        wchar_t b = *pszB;
        if (a >= L'a' && a <= L'z')
            a -= L'a' - L'A';
        if (b >= L'a' && b <= L'z')
            b -= L'a' - L'A';
        if (a != b)
            return false;
        if (a == 0)
            return true;
    }
}

// The names listed for the owner (first matching row), or an empty list.
std::span<const wchar_t* const> FindList(std::span<const TkSkinNameList> lists, const wchar_t* pszOwner) {
    for (const TkSkinNameList& list : lists) {
        if (EqualNoCase(list.pszOwner, pszOwner))
            return list.names;
    }
    return {};
}

// The position of the name in the list; -1 when missing.
int IndexOf(std::span<const wchar_t* const> names, const wchar_t* pszName) {
    for (size_t i = 0; i < names.size(); ++i) {
        if (EqualNoCase(names[i], pszName))
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

int SchemaClassId(const wchar_t* pszClass) {
    for (const TkSkinClassName& name : kSkinClassNames) {
        if (EqualNoCase(name.pszName, pszClass))
            return name.nId;
    }
    return 0;
}

int SchemaPartId(const wchar_t* pszClass, const wchar_t* pszPart) {
    return IndexOf(FindList(kSkinPartLists, pszClass), pszPart) + 1;
}

int SchemaStateId(const wchar_t* pszGroup, const wchar_t* pszState) {
    return IndexOf(FindList(kSkinStateLists, pszGroup), pszState) + 1;
}

int SchemaPropertyId(const wchar_t* pszProperty, int* pType) {
    for (const TkSkinPropertyName& name : kSkinPropertyNames) {
        if (EqualNoCase(name.pszName, pszProperty)) {
            *pType = name.nType;
            return name.nId;
        }
    }
    return 0;
}

int SchemaEnumValue(const wchar_t* pszEnumeration, const wchar_t* pszValue) {
    return IndexOf(FindList(kSkinEnumLists, pszEnumeration), pszValue);
}
