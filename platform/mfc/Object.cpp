#include "Object.h"

#include <cstring>
#include <new>

namespace {

// Head of the by-name registry; constant-initialised, so it is valid before any AFX_CLASSINIT runs.
CRuntimeClass* g_pFirstClass = nullptr;

}  // namespace

CObject* CRuntimeClass::CreateObject() const {
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    try {
        return m_pfnCreateObject();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* pClass = this; pClass != nullptr; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
    if (lpszClassName == nullptr)
        return nullptr;
    for (CRuntimeClass* pClass = g_pFirstClass; pClass != nullptr; pClass = pClass->m_pNextClass) {
        if (std::strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    }
    return nullptr;
}

CRuntimeClass* CRuntimeClass::FromName(LPCWSTR lpszClassName) {
    if (lpszClassName == nullptr)
        return nullptr;
    // Class names are ASCII; a name with any other character matches nothing.
    char name[256];
    size_t i = 0;
    for (; lpszClassName[i] != 0; ++i) {
        if (i + 1 >= sizeof(name) || lpszClassName[i] > 0x7F)
            return nullptr;
        name[i] = static_cast<char>(lpszClassName[i]);
    }
    name[i] = 0;
    return FromName(name);
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) {
    pNewClass->m_pNextClass = g_pFirstClass;
    g_pFirstClass = pNewClass;
}

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), AFX_NOT_SERIALIZABLE, nullptr, nullptr, nullptr};

CRuntimeClass* CObject::GetRuntimeClass() const {
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const {
    return GetRuntimeClass()->m_wSchema != AFX_NOT_SERIALIZABLE;
}

void CObject::Serialize(CArchive&) {}

CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
    return pObject != nullptr && pObject->IsKindOf(pClass) ? pObject : nullptr;
}
