#include "TkSkinManager.h"

#include "TkColorManager.h"
#include "TkSkinManagerApiHook.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"
#include "TkSkinManagerModuleList.h"
#include "TkSkinManagerResourceFile.h"
#include "TkSkinManagerSchema.h"
#include "TkSkinSchemaNames.h"

#include <vssym32.h>

CTkSkinManager::~CTkSkinManager() {
    // The windows go back to their own procedures, with no skin in force and no hook left, before any of
    // the skin's data goes: their last messages may still reach default procedures.
    m_bSkinEnabled = FALSE;
    GetSkinApiHook()->RemoveHooks();
    DetachAll(TRUE);
    if (m_hWinEventHook != nullptr && m_pfnUnhookWinEvent != nullptr && ::GetModuleHandleW(L"USER32") != nullptr)
        m_pfnUnhookWinEvent(m_hWinEventHook);
    ReleaseSkinClassTable();
    ClearSkinClasses();
    RemoveColorFilters();
    m_pSchema.reset();
    m_pMetrics.reset();
    m_pResourceFile.reset();
}

BOOL CTkSkinManager::OpenSkin(LPCWSTR pszPath, LPCWSTR pszIniName) {
    const BOOL bPrevState = m_bSkinEnabled;
    m_bSkinEnabled = FALSE;
    GetSkinApiHook()->RemoveHooks();
    // The cached classes point into the schema: they go with it.
    m_pSchema.reset();
    ClearSkinClasses();
    const BOOL bLoaded = !CTkColorManager::CheckLowColorDisplay(nullptr) &&
                         CTkSkinManagerModuleList::IsModuleEnumerationAvailable() && LoadSkinData(pszPath, pszIniName);
    if (!bLoaded) {
        m_pSchema.reset();
        ClearSkinClasses();
    }
    m_bSkinEnabled = bLoaded;
    ApplySkin(bPrevState, bLoaded);
    return bLoaded;
}

void CTkSkinManager::SetSkinningOptions(DWORD dwOptions) {
    m_dwApplyOptions = dwOptions;
    if (!m_bSkinEnabled)
        return;
    GetSkinApiHook()->RemoveHooks();
    ApplySkin(TRUE, TRUE);
}

void CTkSkinManager::ApplySkin(BOOL bPrevState, BOOL bNewState) {
    if (bNewState)
        GetSkinApiHook()->InstallHooks();
    // Without a skin the metrics copy the system's colours.
    m_pMetrics->RefreshMetrics();
    if (m_pSchema != nullptr)
        m_pSchema->FreeFrameRegions();
    RefreshColorManager();
    OnSkinChanged(bPrevState, bNewState);
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
