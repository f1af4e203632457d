#include "TkSkinManagerModuleList.h"

#include <algorithm>

namespace {

// PSAPI, loaded once for the process and freed at its exit.
class PsapiLibrary {
public:
    PsapiLibrary() : m_hModule(::LoadLibraryA("PSAPI.DLL")) {}
    ~PsapiLibrary() {
        if (m_hModule != nullptr)
            ::FreeLibrary(m_hModule);
    }
    HMODULE Get() const { return m_hModule; }

private:
    HMODULE m_hModule;
};

HMODULE GetPsapi() {
    static const PsapiLibrary s_psapi;
    return s_psapi.Get();
}

FARPROC GetKernelEntry(LPCSTR pszName) {
    HMODULE hKernel = ::GetModuleHandleA("KERNEL32");
    return hKernel != nullptr ? ::GetProcAddress(hKernel, pszName) : nullptr;
}

// A process handle that may read the modules' memory, closed with the scope.
class ProcessHandle {
public:
    explicit ProcessHandle(DWORD dwProcessId)
        : m_hProcess(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, dwProcessId)) {}
    ~ProcessHandle() {
        if (m_hProcess != nullptr)
            ::CloseHandle(m_hProcess);
    }
    HANDLE Get() const { return m_hProcess; }

private:
    HANDLE m_hProcess;
};

}  // namespace

// ---- PSAPI

CPsapiModuleEnumerator::CPsapiModuleEnumerator(DWORD dwProcessId, HMODULE hPsapi)
    : CModuleEnumerator(dwProcessId),
      m_pfnEnumProcessModules(reinterpret_cast<PFNENUMPROCESSMODULES>(::GetProcAddress(hPsapi, "EnumProcessModules"))),
      m_pfnGetModuleInformation(
          reinterpret_cast<PFNGETMODULEINFORMATION>(::GetProcAddress(hPsapi, "GetModuleInformation"))) {}

HMODULE CPsapiModuleEnumerator::GetFirstModule() {
    m_modules.clear();
    m_nIndex = 0;
    const ProcessHandle process(m_dwProcessId);
    if (m_pfnEnumProcessModules == nullptr || process.Get() == nullptr)
        return nullptr;
    HMODULE hFirst = nullptr;
    DWORD dwNeeded = 0;
    if (!m_pfnEnumProcessModules(process.Get(), &hFirst, sizeof(hFirst), &dwNeeded) || dwNeeded == 0)
        return nullptr;
    m_modules.resize(dwNeeded / sizeof(HMODULE));
    DWORD dwRead = 0;
    if (!m_pfnEnumProcessModules(process.Get(), m_modules.data(),
                                 static_cast<DWORD>(m_modules.size() * sizeof(HMODULE)), &dwRead))
        m_modules.clear();
    // A module loaded meanwhile may be missing; one unloaded meanwhile leaves the list shorter.
    m_modules.resize(std::min<size_t>(m_modules.size(), dwRead / sizeof(HMODULE)));
    return m_modules.empty() ? nullptr : m_modules.front();
}

HMODULE CPsapiModuleEnumerator::GetNextModule() {
    if (m_nIndex >= m_modules.size())
        return nullptr;
    ++m_nIndex;
    return m_nIndex < m_modules.size() ? m_modules[m_nIndex] : nullptr;
}

BOOL CPsapiModuleEnumerator::GetModuleInformation(HMODULE hModule, MODULEINFO* pInfo) {
    const ProcessHandle process(m_dwProcessId);
    return m_pfnGetModuleInformation != nullptr && process.Get() != nullptr &&
           m_pfnGetModuleInformation(process.Get(), hModule, pInfo, sizeof(MODULEINFO));
}

// ---- Tool help

CToolHelpModuleEnumerator::CToolHelpModuleEnumerator(DWORD dwProcessId)
    : CModuleEnumerator(dwProcessId),
      m_pfnCreateToolhelp32Snapshot(reinterpret_cast<PFNCREATESNAPSHOT>(GetKernelEntry("CreateToolhelp32Snapshot"))),
      m_pfnModule32First(reinterpret_cast<PFNMODULEWALK>(GetKernelEntry("Module32FirstW"))),
      m_pfnModule32Next(reinterpret_cast<PFNMODULEWALK>(GetKernelEntry("Module32NextW"))) {
    m_entry.dwSize = sizeof(MODULEENTRY32W);
}

CToolHelpModuleEnumerator::~CToolHelpModuleEnumerator() {
    CloseSnapshot();
}

BOOL CToolHelpModuleEnumerator::IsAvailable() {
    return GetKernelEntry("CreateToolhelp32Snapshot") != nullptr;
}

void CToolHelpModuleEnumerator::CloseSnapshot() {
    if (m_hSnapshot != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hSnapshot);
    m_hSnapshot = INVALID_HANDLE_VALUE;
}

HMODULE CToolHelpModuleEnumerator::GetFirstModule() {
    CloseSnapshot();
    if (m_pfnCreateToolhelp32Snapshot == nullptr || m_pfnModule32First == nullptr)
        return nullptr;
    m_hSnapshot = m_pfnCreateToolhelp32Snapshot(TH32CS_SNAPMODULE, m_dwProcessId);
    if (m_hSnapshot == INVALID_HANDLE_VALUE)
        return nullptr;
    m_entry.dwSize = sizeof(MODULEENTRY32W);
    return m_pfnModule32First(m_hSnapshot, &m_entry) ? m_entry.hModule : nullptr;
}

HMODULE CToolHelpModuleEnumerator::GetNextModule() {
    if (m_hSnapshot == INVALID_HANDLE_VALUE || m_pfnModule32Next == nullptr)
        return nullptr;
    return m_pfnModule32Next(m_hSnapshot, &m_entry) ? m_entry.hModule : nullptr;
}

BOOL CToolHelpModuleEnumerator::GetModuleInformation(HMODULE hModule, MODULEINFO* pInfo) {
    if (m_pfnCreateToolhelp32Snapshot == nullptr || m_pfnModule32First == nullptr || m_pfnModule32Next == nullptr)
        return FALSE;
    HANDLE hSnapshot = m_pfnCreateToolhelp32Snapshot(TH32CS_SNAPMODULE, m_dwProcessId);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return FALSE;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    BOOL bFound = FALSE;
    for (BOOL bMore = m_pfnModule32First(hSnapshot, &entry); bMore && !bFound;
         bMore = m_pfnModule32Next(hSnapshot, &entry)) {
        if (entry.hModule == hModule) {
            pInfo->lpBaseOfDll = entry.modBaseAddr;
            pInfo->SizeOfImage = entry.modBaseSize;
            pInfo->EntryPoint = nullptr;
            bFound = TRUE;
        }
    }
    ::CloseHandle(hSnapshot);
    return bFound;
}

// ---- The list

CTkSkinManagerModuleList::CTkSkinManagerModuleList(DWORD dwProcessId) {
    if (HMODULE hPsapi = GetPsapi())
        m_pEnumerator = std::make_unique<CPsapiModuleEnumerator>(dwProcessId, hPsapi);
    else if (CToolHelpModuleEnumerator::IsAvailable())
        m_pEnumerator = std::make_unique<CToolHelpModuleEnumerator>(dwProcessId);
}

CTkSkinManagerModuleList::~CTkSkinManagerModuleList() = default;

HMODULE CTkSkinManagerModuleList::GetFirstModule() {
    return m_pEnumerator != nullptr ? m_pEnumerator->GetFirstModule() : nullptr;
}

HMODULE CTkSkinManagerModuleList::GetNextModule() {
    return m_pEnumerator != nullptr ? m_pEnumerator->GetNextModule() : nullptr;
}

BOOL CTkSkinManagerModuleList::GetModuleInformation(HMODULE hModule, MODULEINFO* pInfo) {
    return hModule != nullptr && m_pEnumerator != nullptr && m_pEnumerator->GetModuleInformation(hModule, pInfo);
}

BOOL CTkSkinManagerModuleList::IsModuleEnumerationAvailable() {
    return GetPsapi() != nullptr || CToolHelpModuleEnumerator::IsAvailable();
}
