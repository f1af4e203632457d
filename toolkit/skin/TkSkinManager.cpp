#include "TkSkinManager.h"

#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"
#include "TkSkinManagerResourceFile.h"
#include "TkSkinManagerSchema.h"
#include "TkSkinSchemaNames.h"

#include <vssym32.h>

CTkSkinManager::CTkSkinManager()
    : m_pMetrics(std::make_unique<CTkSkinManagerMetrics>(this)),
      m_pResourceFile(std::make_unique<CTkSkinManagerResourceFile>()) {
    m_pResourceFile->SetManager(this);
}

CTkSkinManager::~CTkSkinManager() {
    ClearSkinClasses();
    RemoveColorFilters();
}

BOOL CTkSkinManager::LoadSkinData(LPCWSTR pszPath, LPCWSTR pszIniName) {
    m_pSchema.reset();
    ClearSkinClasses();
    if (!m_pResourceFile->Open(pszPath, pszIniName))
        return FALSE;
    m_pSchema.reset(m_pResourceFile->CreateSchema());
    if (m_pSchema == nullptr)
        return FALSE;
    return SUCCEEDED(m_pSchema->ReadSchema(m_pResourceFile.get()));
}

void CTkSkinManager::ClearSkinClasses() {
    POSITION pos = m_mapClasses.GetStartPosition();
    while (pos != nullptr) {
        CString strName;
        void* pClass = nullptr;
        m_mapClasses.GetNextAssoc(pos, strName, pClass);
        delete static_cast<CTkSkinManagerClass*>(pClass);
    }
    m_mapClasses.RemoveAll();
    m_pResourceFile->Close();
}

CTkSkinManagerClass* CTkSkinManager::GetSkinClass(CString strClassName) {
    strClassName.MakeUpper();
    void* pFound = nullptr;
    if (m_mapClasses.Lookup(strClassName, pFound))
        return static_cast<CTkSkinManagerClass*>(pFound);
    const int nClassId = SchemaClassId(strClassName);
    if (nClassId == 0)
        return nullptr;
    auto* pClass = new CTkSkinManagerClass(this);
    pClass->SetClass(strClassName, nClassId);
    m_mapClasses.SetAt(strClassName, pClass);
    return pClass;
}

CTkSkinManagerClass* CTkSkinManager::ValidateSkinClass(CTkSkinManagerClass* pClass) const {
    POSITION pos = m_mapClasses.GetStartPosition();
    while (pos != nullptr) {
        CString strName;
        void* pCached = nullptr;
        m_mapClasses.GetNextAssoc(pos, strName, pCached);
        if (pCached == pClass)
            return pClass;
    }
    return nullptr;
}

BOOL CTkSkinManager::ReadSysMetricsBool(int nPropertyId) const {
    BOOL bValue = FALSE;
    if (m_pSchema == nullptr ||
        FAILED(m_pSchema->GetBoolProperty(SchemaClassId(L"SYSMETRICS"), 0, 0, nPropertyId, &bValue)))
        return FALSE;
    return bValue;
}

COLORREF CTkSkinManager::GetSchemaSysColor(int nPropertyId) const {
    if (nPropertyId < TMT_SCROLLBAR || nPropertyId > TMT_MENUBAR)
        return static_cast<COLORREF>(-1);
    return m_pMetrics->GetColor(nPropertyId - TMT_SCROLLBAR);
}

void CTkSkinManager::AddColorFilter(CTkSkinManagerColorFilter* pFilter) {
    if (pFilter != nullptr)
        m_colorFilters.emplace_back(pFilter);
}

void CTkSkinManager::ApplyColorFilters(COLORREF& clr) const {
    for (const auto& pFilter : m_colorFilters)
        pFilter->ApplyColorFilter(clr);
}

void CTkSkinManager::RemoveColorFilters() {
    m_colorFilters.clear();
}
