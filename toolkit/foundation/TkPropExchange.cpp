#include "TkPropExchange.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(CTkPropExchange, CCmdTarget)
IMPLEMENT_DYNAMIC(CTkPropExchangeArchive, CTkPropExchange)

namespace {

constexpr wchar_t kClassKey[] = L"Class";
constexpr wchar_t kCountKey[] = L"Count";

template <class T>
void ExchangeValue(CArchive& ar, void* pValue) {
    if (ar.IsLoading())
        ar >> *static_cast<T*>(pValue);
    else
        ar << *static_cast<const T*>(pValue);
}

// The bytes of a VARIANT's value, by its type; the types whose value is not stored in place are not
// kept.
void ExchangeVariant(CArchive& ar, VARIANT* pVar) {
    WORD vt = pVar->vt;
    if (ar.IsLoading()) {
        ar >> vt;
        ::VariantClear(pVar);
        pVar->vt = vt;
    } else {
        ar << vt;
    }
    switch (vt) {
        case VT_UI1:
            ExchangeValue<BYTE>(ar, &pVar->bVal);
            break;
        case VT_I2:
        case VT_BOOL:
            ExchangeValue<short>(ar, &pVar->iVal);
            break;
        case VT_I4:
            ExchangeValue<LONG>(ar, &pVar->lVal);
            break;
        case VT_R4:
            ExchangeValue<float>(ar, &pVar->fltVal);
            break;
        case VT_R8:
        case VT_DATE:
            ExchangeValue<double>(ar, &pVar->dblVal);
            break;
        case VT_CY:
            ExchangeValue<DWORD>(ar, &pVar->cyVal.Lo);
            ExchangeValue<LONG>(ar, &pVar->cyVal.Hi);
            break;
        default:
            if (ar.IsLoading())
                pVar->vt = VT_EMPTY;
            break;
    }
}

}  // namespace

// ---- CTkPropExchange

BOOL CTkPropExchange::OnBeforeExchange() {
    m_bExchanged = TRUE;
    return TRUE;
}

CTkPropExchangeEnumerator* CTkPropExchange::GetEnumerator(LPCWSTR pszSection) {
    return new CTkPropExchangeEnumerator(this, pszSection);
}

void CTkPropExchange::CopyInheritedFrom(const CTkPropExchange& parent) {
    m_nSchema = parent.m_nSchema;
    m_pExchangeParam = parent.m_pExchangeParam;
    m_pOwner = parent.m_pOwner;
    m_nOptionFlag = parent.m_nOptionFlag;
    m_nReserved1 = parent.m_nReserved1;
    m_nReserved2 = parent.m_nReserved2;
}

BOOL CTkPropExchange::ExchangeObjectInstance(CObject** ppObject, CRuntimeClass* pBaseClass) {
    if (!m_bLoading) {
        CRuntimeClass* pClass = (*ppObject)->GetRuntimeClass();
        return ExchangeRuntimeClass(kClassKey, &pClass, pBaseClass);
    }
    *ppObject = nullptr;
    CRuntimeClass* pClass = nullptr;
    // The stored class is checked against the base before anything is created.
    if (!ExchangeRuntimeClass(kClassKey, &pClass, pBaseClass) || pClass == nullptr)
        return FALSE;
    CObject* pObject = pClass->CreateObject();
    if (pObject == nullptr || AfxDynamicDownCast(pBaseClass, pObject) == nullptr) {
        delete pObject;
        return FALSE;
    }
    *ppObject = pObject;
    return TRUE;
}

// ---- CTkPropExchangeArchive

CTkPropExchangeArchive::CTkPropExchangeArchive(CArchive& ar) : m_pArchive(&ar) {
    m_bLoading = ar.IsLoading();
}

BOOL CTkPropExchangeArchive::ExchangeProp(LPCWSTR, VARTYPE vt, void* pValue, const void*) {
    if (!OnBeforeExchange())
        return FALSE;
    CArchive& ar = *m_pArchive;
    switch (vt) {
        case VT_UI1:
            ExchangeValue<BYTE>(ar, pValue);
            break;
        case VT_I2:
            ExchangeValue<short>(ar, pValue);
            break;
        case VT_I4:
        case VT_BOOL:
            ExchangeValue<int>(ar, pValue);
            break;
        case VT_R4:
            ExchangeValue<float>(ar, pValue);
            break;
        case VT_R8:
            ExchangeValue<double>(ar, pValue);
            break;
        case VT_CY: {
            CURRENCY* pCy = static_cast<CURRENCY*>(pValue);
            ExchangeValue<DWORD>(ar, &pCy->Lo);
            ExchangeValue<LONG>(ar, &pCy->Hi);
            break;
        }
        case VT_DATE:
            ExchangeValue<COleDateTime>(ar, pValue);
            break;
        case VT_VARIANT:
            ExchangeVariant(ar, static_cast<VARIANT*>(pValue));
            break;
        case VT_LPSTR:
            ExchangeValue<CString>(ar, pValue);
            break;
        case kVtRect:
            ExchangeValue<RECT>(ar, pValue);
            break;
        case kVtSize:
            ExchangeValue<SIZE>(ar, pValue);
            break;
        default:
            break;  // other types are not kept
    }
    return TRUE;
}

BOOL CTkPropExchangeArchive::ExchangeBlob(LPCWSTR, BYTE** ppData, DWORD* pnSize) {
    if (!OnBeforeExchange())
        return FALSE;
    if (!m_bLoading) {
        m_pArchive->WriteCount(*pnSize);
        m_pArchive->Write(*ppData, *pnSize);
        return TRUE;
    }
    // ReadCount refuses a count beyond the bytes left.
    const DWORD nCount = static_cast<DWORD>(m_pArchive->ReadCount());
    if (*ppData == nullptr) {
        *ppData = static_cast<BYTE*>(std::malloc(nCount != 0 ? nCount : 1));
        if (*ppData == nullptr)
            AfxThrowMemoryException();
        *pnSize = nCount;
    } else if (*pnSize < nCount) {
        // Skipping the bytes would leave the rest of the stream misread: the load stops here.
        AfxThrowArchiveException(CArchiveException::badIndex);
    }
    return m_pArchive->Read(*ppData, nCount) == nCount;
}

BOOL CTkPropExchangeArchive::ExchangeRuntimeClass(LPCWSTR, CRuntimeClass** ppClass, CRuntimeClass* pBaseClass) {
    if (!OnBeforeExchange())
        return FALSE;
    if (!m_bLoading) {
        m_pArchive->WriteClass(*ppClass);
        return TRUE;
    }
    UINT nSchema = 0;
    *ppClass = m_pArchive->ReadClass(pBaseClass, &nSchema);
    if (*ppClass == nullptr)
        return FALSE;
    m_nSchema = static_cast<int>(nSchema);
    return TRUE;
}

BOOL CTkPropExchangeArchive::ExchangeObjectInstance(CObject** ppObject, CRuntimeClass* pBaseClass) {
    if (!CTkPropExchange::ExchangeObjectInstance(ppObject, pBaseClass))
        return FALSE;
    // Numbered as the archive's own object serialisation would, so later references count it.
    m_pArchive->MapObject(*ppObject);
    return TRUE;
}

void CTkPropExchangeArchive::ExchangeSchema() {
    if (!m_bLoading) {
        *m_pArchive << kSchemaMarker << static_cast<DWORD>(m_nSchema);
        return;
    }
    DWORD dwMarker = 0;
    if (m_pArchive->Peek(&dwMarker, sizeof(dwMarker)) == sizeof(dwMarker) && dwMarker == kSchemaMarker) {
        DWORD dwSchema = 0;
        *m_pArchive >> dwMarker >> dwSchema;
        m_nSchema = static_cast<int>(dwSchema);
    } else {
        m_nSchema = kSchemaWithoutMarker;
    }
}

CTkPropExchange* CTkPropExchangeArchive::GetSection(LPCWSTR) {
    auto* pSection = new CTkPropExchangeArchive(*m_pArchive);
    pSection->m_bSection = TRUE;
    pSection->CopyInheritedFrom(*this);
    return pSection;
}

// ---- CTkPropExchangeEnumerator

CTkPropExchangeEnumerator::CTkPropExchangeEnumerator(CTkPropExchange* pExchange, LPCWSTR pszSection)
    : m_pExchange(pExchange), m_strSection(pszSection) {}

DWORD CTkPropExchangeEnumerator::GetPosition(DWORD nCount, BOOL bCompact) {
    m_nCount = nCount;
    if (!bCompact) {
        int nStored = static_cast<int>(nCount);
        ExchangeInt(m_pExchange, kCountKey, nStored, 0);
        m_nCount = static_cast<DWORD>(nStored);
    } else if (m_pExchange->IsLoading()) {
        m_nCount = m_pExchange->ReadCount();
    } else {
        m_pExchange->WriteCount(nCount);
    }
    return m_nCount != 0 ? 1 : 0;
}

CTkPropExchange* CTkPropExchangeEnumerator::GetNext(DWORD& nPosition) {
    CString strName;
    strName.Format(L"%s%i", m_strSection.GetString(), static_cast<int>(nPosition - 1));
    CTkPropExchange* pSection = m_pExchange->GetSection(strName);
    nPosition = nPosition < m_nCount ? nPosition + 1 : 0;
    return pSection;
}

// ---- Typed helpers

BOOL ExchangeByte(CTkPropExchange* pPX, LPCWSTR pszName, BYTE& value, BYTE defaultValue) {
    return pPX != nullptr && pPX->ExchangeProp(pszName, VT_UI1, &value, &defaultValue);
}

BOOL ExchangeShort(CTkPropExchange* pPX, LPCWSTR pszName, short& value, short defaultValue) {
    return pPX != nullptr && pPX->ExchangeProp(pszName, VT_I2, &value, &defaultValue);
}

BOOL ExchangeIntNoDefault(CTkPropExchange* pPX, LPCWSTR pszName, int& value) {
    return pPX != nullptr && pPX->ExchangeProp(pszName, VT_I4, &value, nullptr);
}

BOOL ExchangeInt(CTkPropExchange* pPX, LPCWSTR pszName, int& value, int defaultValue) {
    return pPX != nullptr && pPX->ExchangeProp(pszName, VT_I4, &value, &defaultValue);
}

BOOL ExchangeBool(CTkPropExchange* pPX, LPCWSTR pszName, BOOL& value, BOOL defaultValue) {
    return pPX != nullptr && pPX->ExchangeProp(pszName, VT_BOOL, &value, &defaultValue);
}

BOOL ExchangeStringNoDefault(CTkPropExchange* pPX, LPCWSTR pszName, CString& value) {
    return pPX != nullptr && pPX->ExchangeProp(pszName, VT_LPSTR, &value, nullptr);
}

BOOL ExchangeString(CTkPropExchange* pPX, LPCWSTR pszName, CString& value, LPCWSTR pszDefault) {
    const CString strDefault(pszDefault);
    return pPX != nullptr && pPX->ExchangeProp(pszName, VT_LPSTR, &value, &strDefault);
}

BOOL ExchangeSize(CTkPropExchange* pPX, LPCWSTR pszName, SIZE& value, SIZE defaultValue) {
    return pPX != nullptr && pPX->ExchangeProp(pszName, kVtSize, &value, &defaultValue);
}

BOOL ExchangeRect(CTkPropExchange* pPX, LPCWSTR pszName, RECT& value, RECT defaultValue) {
    return pPX != nullptr && pPX->ExchangeProp(pszName, kVtRect, &value, &defaultValue);
}

BOOL ExchangeRuntimeClassOf(CTkPropExchange* pPX, LPCWSTR pszName, CRuntimeClass*& pClass, CRuntimeClass* pBase) {
    return pPX != nullptr && pPX->ExchangeRuntimeClass(pszName, &pClass, pBase);
}

BOOL ExchangeBlobOf(CTkPropExchange* pPX, LPCWSTR pszName, BYTE*& pData, DWORD& nSize) {
    return pPX != nullptr && pPX->ExchangeBlob(pszName, &pData, &nSize);
}

BOOL ExchangeSerializedObject(CTkPropExchange* pPX, LPCWSTR pszName, CObject* pObject) {
    CArchive* pArchive = pPX->GetArchive(pszName);
    if (pArchive == nullptr)
        return FALSE;
    BOOL bResult = TRUE;
    try {
        pObject->Serialize(*pArchive);
    } catch (CArchiveException* e) {
        e->Delete();
        bResult = FALSE;
    } catch (COleException* e) {
        e->Delete();
        bResult = FALSE;
    }
    pPX->ReleaseArchive(pszName, pArchive);
    return bResult;
}
