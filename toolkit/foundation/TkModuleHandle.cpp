#include "TkModuleHandle.h"

static_assert(sizeof(DLLVERSIONINFO) == 20, "DLLVERSIONINFO keeps its size on both word sizes");

CTkModuleHandle::CTkModuleHandle(LPCWSTR lpszName) {
    Init(lpszName);
}

CTkModuleHandle::~CTkModuleHandle() {
    FreeModule();
}

BOOL CTkModuleHandle::Init(LPCWSTR lpszName) {
    return AttachLoadedModule(lpszName) || LoadModule(lpszName);
}

BOOL CTkModuleHandle::AttachLoadedModule(LPCWSTR lpszName) {
    FreeModule();
    m_hModule = ::GetModuleHandleW(lpszName);
    if (m_hModule == nullptr)
        return FALSE;
    m_state = kAttached;
    m_strName = lpszName;
    return TRUE;
}

BOOL CTkModuleHandle::LoadModule(LPCWSTR lpszName) {
    FreeModule();
    m_hModule = ::LoadLibraryW(lpszName);
    if (m_hModule == nullptr)
        return FALSE;
    m_state = kLoaded;
    m_strName = lpszName;
    return TRUE;
}

BOOL CTkModuleHandle::FreeModule() {
    BOOL bResult = TRUE;
    if (m_state == kLoaded)
        bResult = ::FreeLibrary(m_hModule);
    m_hModule = nullptr;
    m_state = kNone;
    m_strName.Empty();
    m_version = {};
    return bResult;
}

DWORD CTkModuleHandle::GetDllVersion() {
    if (m_version.cbSize == 0 && m_hModule != nullptr) {
        m_version.cbSize = sizeof(DLLVERSIONINFO);
        auto pfnGetVersion = reinterpret_cast<DLLGETVERSIONPROC>(::GetProcAddress(m_hModule, "DllGetVersion"));
        if (pfnGetVersion == nullptr || FAILED(pfnGetVersion(&m_version)))
            m_version.dwMajorVersion = m_version.dwMinorVersion = 0;
    }
    return MAKELONG(m_version.dwMinorVersion, m_version.dwMajorVersion);
}

BOOL CTkModuleHandle::GetProc(FARPROC* ppfn, LPCSTR lpszProc, DWORD dwMinVersion) {
    *ppfn = nullptr;
    if (m_hModule == nullptr)
        return FALSE;
    if (dwMinVersion != 0 && GetDllVersion() < dwMinVersion)
        return FALSE;
    *ppfn = ::GetProcAddress(m_hModule, lpszProc);
    return *ppfn != nullptr;
}
