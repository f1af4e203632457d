#pragma once
#include "mfc.h"

#include <memory>

// Saving and loading toolkit state. Every persistent object has one routine that runs in both
// directions: it calls the exchange for each of its values in a fixed order, and the exchange writes
// the value or reads it back into the same variable. CTkPropExchangeArchive, the one back end, keeps
// the values in a CArchive positionally: names, defaults and section boundaries are not stored, so a
// writer and a reader agree byte for byte only when they make the same calls in the same order.
//
// Loading never trusts the stream: lengths and counts beyond the bytes left, a caller buffer too small
// for a blob, and a stored class of the wrong base raise CArchiveException (the loaders stop on it);
// no object of a wrong class is ever constructed. One exchange belongs to one thread.

class CTkPropExchangeEnumerator;

// Property types beyond the VARTYPEs: a RECT and a SIZE.
constexpr VARTYPE kVtRect = 100;
constexpr VARTYPE kVtSize = 101;
// The schema a stream without the marker has, and the marker.
constexpr int kSchemaWithoutMarker = 17;
constexpr DWORD kSchemaMarker = 0x0FF0ADBF;

class CTkPropExchange : public CCmdTarget {
    DECLARE_DYNAMIC(CTkPropExchange)
public:
    // ---- Values (the name and the default are for back ends that store names; an archive ignores them)
    virtual BOOL ExchangeProp(LPCWSTR pszName, VARTYPE vt, void* pValue, const void* pDefault) = 0;
    // A count, then the bytes. Loading into *ppData == NULL allocates it with malloc (the caller frees).
    virtual BOOL ExchangeBlob(LPCWSTR pszName, BYTE** ppData, DWORD* pnSize) = 0;
    virtual BOOL ExchangeRuntimeClass(LPCWSTR pszName, CRuntimeClass** ppClass, CRuntimeClass* pBaseClass) = 0;
    // The object's class under "Class"; loading creates an object of the stored class. Its data follow in
    // the caller's own exchange calls.
    virtual BOOL ExchangeObjectInstance(CObject** ppObject, CRuntimeClass* pBaseClass);
    // The schema marker and Schema; a stream without the marker loads as schema 17.
    virtual void ExchangeSchema() = 0;

    // ---- Raw access and structure
    virtual CArchive* GetArchive(LPCWSTR pszName) = 0;
    virtual void ReleaseArchive(LPCWSTR pszName, CArchive* pArchive) = 0;
    // A new exchange for a named section; the caller deletes it.
    virtual CTkPropExchange* GetSection(LPCWSTR pszName) = 0;
    virtual void SetOptionFlag() { m_nOptionFlag = 1; }
    virtual void WriteCount(DWORD nCount) = 0;
    virtual DWORD ReadCount() = 0;
    virtual void Write(const void* pData, UINT nBytes) = 0;
    virtual UINT Read(void* pData, UINT nBytes) = 0;
    // Whether a value equal to its default may be left out when saving.
    virtual BOOL CanOmitDefaults() { return TRUE; }
    virtual BOOL AllowsBlobValues() { return FALSE; }
    virtual BOOL OnBeforeExchange();
    // A new enumerator over the sections name0, name1, ...; the caller deletes it.
    virtual CTkPropExchangeEnumerator* GetEnumerator(LPCWSTR pszSection);

    BOOL IsLoading() const { return m_bLoading; }

    // ---- Data
    void* m_pExchangeParam = nullptr;  // the save's or load's parameter record (not owned); copied into sections
    CObject* m_pOwner = nullptr;       // the collection that creates the current section's items (not owned)
    BOOL m_bLoading = FALSE;
    int m_nSchema = 33;  // the format version the exchanging routines compare against
    BOOL m_bSection = FALSE;
    int m_nOptionFlag = 0;
    BOOL m_bExchanged = FALSE;
    int m_nReserved1 = 1;
    int m_nReserved2 = 1;

protected:
    // Copies what a section inherits from its parent.
    void CopyInheritedFrom(const CTkPropExchange& parent);
};

// The archive back end. Does not own the archive.
class CTkPropExchangeArchive : public CTkPropExchange {
    DECLARE_DYNAMIC(CTkPropExchangeArchive)
public:
    explicit CTkPropExchangeArchive(CArchive& ar);

    BOOL ExchangeProp(LPCWSTR pszName, VARTYPE vt, void* pValue, const void* pDefault) override;
    BOOL ExchangeBlob(LPCWSTR pszName, BYTE** ppData, DWORD* pnSize) override;
    BOOL ExchangeRuntimeClass(LPCWSTR pszName, CRuntimeClass** ppClass, CRuntimeClass* pBaseClass) override;
    BOOL ExchangeObjectInstance(CObject** ppObject, CRuntimeClass* pBaseClass) override;
    void ExchangeSchema() override;
    CArchive* GetArchive(LPCWSTR) override { return m_pArchive; }
    void ReleaseArchive(LPCWSTR, CArchive*) override {}
    CTkPropExchange* GetSection(LPCWSTR pszName) override;
    void WriteCount(DWORD nCount) override { m_pArchive->WriteCount(nCount); }
    DWORD ReadCount() override { return static_cast<DWORD>(m_pArchive->ReadCount()); }
    void Write(const void* pData, UINT nBytes) override { m_pArchive->Write(pData, nBytes); }
    UINT Read(void* pData, UINT nBytes) override { return m_pArchive->Read(pData, nBytes); }
    BOOL CanOmitDefaults() override { return FALSE; }
    BOOL AllowsBlobValues() override { return TRUE; }

private:
    CArchive* m_pArchive;  // not owned
};

// A list of sections name0, name1, ... with its count.
class CTkPropExchangeEnumerator {
public:
    CTkPropExchangeEnumerator(CTkPropExchange* pExchange, LPCWSTR pszSection);
    virtual ~CTkPropExchangeEnumerator() = default;

    // Exchanges the count (as the property "Count", or compact in the count form) and answers the first
    // position: 1, or 0 for no items.
    virtual DWORD GetPosition(DWORD nCount, BOOL bCompact);
    // A new section for the item at nPosition (the caller deletes it); nPosition moves on, to 0 after
    // the last item.
    virtual CTkPropExchange* GetNext(DWORD& nPosition);

    DWORD GetCount() const { return m_nCount; }

private:
    CTkPropExchange* m_pExchange;  // not owned
    CString m_strSection;
    DWORD m_nCount = 0;
};

// ---- Typed helpers: FALSE for a NULL exchange, else ExchangeProp's answer
BOOL ExchangeByte(CTkPropExchange* pPX, LPCWSTR pszName, BYTE& value, BYTE defaultValue);
BOOL ExchangeShort(CTkPropExchange* pPX, LPCWSTR pszName, short& value, short defaultValue);
BOOL ExchangeIntNoDefault(CTkPropExchange* pPX, LPCWSTR pszName, int& value);
BOOL ExchangeInt(CTkPropExchange* pPX, LPCWSTR pszName, int& value, int defaultValue);
BOOL ExchangeBool(CTkPropExchange* pPX, LPCWSTR pszName, BOOL& value, BOOL defaultValue);
BOOL ExchangeStringNoDefault(CTkPropExchange* pPX, LPCWSTR pszName, CString& value);
BOOL ExchangeString(CTkPropExchange* pPX, LPCWSTR pszName, CString& value, LPCWSTR pszDefault);
BOOL ExchangeSize(CTkPropExchange* pPX, LPCWSTR pszName, SIZE& value, SIZE defaultValue);
BOOL ExchangeRect(CTkPropExchange* pPX, LPCWSTR pszName, RECT& value, RECT defaultValue);
BOOL ExchangeRuntimeClassOf(CTkPropExchange* pPX, LPCWSTR pszName, CRuntimeClass*& pClass, CRuntimeClass* pBase);
BOOL ExchangeBlobOf(CTkPropExchange* pPX, LPCWSTR pszName, BYTE*& pData, DWORD& nSize);

// Runs the object's Serialize on the exchange's archive; an archive or OLE exception gives FALSE.
BOOL ExchangeSerializedObject(CTkPropExchange* pPX, LPCWSTR pszName, CObject* pObject);
