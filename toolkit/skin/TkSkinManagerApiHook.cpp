#include "TkSkinManagerApiHook.h"

#include "OSVersionInfo.h"
#include "TkSkinImportTable.h"
#include "TkSkinManager.h"
#include "TkSkinManagerModuleList.h"
#include "TkSkinObject.h"

#include <cstring>
#include <mutex>

namespace {

// The image range of a system module, read once per module handle.
struct ModuleRange {
    HMODULE hModule = nullptr;
    ULONG_PTR nStart = 0;
    ULONG_PTR nEnd = 0;

    void Refresh(LPCWSTR pszName, BOOL bFollowHandle) {
        HMODULE hCurrent = ::GetModuleHandleW(pszName);
        if (hCurrent == hModule && (hModule != nullptr || !bFollowHandle))
            return;
        hModule = hCurrent;
        nStart = nEnd = 0;
        MODULEINFO info{};
        if (hModule != nullptr &&
            CTkSkinManagerModuleList(::GetCurrentProcessId()).GetModuleInformation(hModule, &info)) {
            nStart = reinterpret_cast<ULONG_PTR>(info.lpBaseOfDll);
            nEnd = nStart + info.SizeOfImage;
        }
    }
    bool ContainsStrictly(ULONG_PTR nAddress) const { return nAddress > nStart && nAddress < nEnd; }
};

void CopyName(char* pszTarget, size_t nSize, LPCSTR pszSource) {
    std::strncpy(pszTarget, pszSource, nSize - 1);
    pszTarget[nSize - 1] = '\0';
}

}  // namespace

// ---- One replaced function

CTkSkinManagerApiFunction::CTkSkinManagerApiFunction(CTkSkinManagerApiHook* pHook, LPCSTR pszModule, LPCSTR pszFunction,
                                                     FARPROC pfnSystem, FARPROC pfnReplacement)
    : m_pHook(pHook), m_pfnSystem(pfnSystem), m_pfnReplacement(pfnReplacement) {
    CopyName(m_szModule, sizeof(m_szModule), pszModule);
    CopyName(m_szFunction, sizeof(m_szFunction), pszFunction);
}

CTkSkinManagerApiFunction::~CTkSkinManagerApiFunction() {
    Unpatch();
}

void CTkSkinManagerApiFunction::Patch() {
    m_bPatched = PatchAllModules(m_szModule, m_pfnSystem, m_pfnReplacement);
}

BOOL CTkSkinManagerApiFunction::Unpatch() {
    if (m_bPatched) {
        PatchAllModules(m_szModule, m_pfnReplacement, m_pfnSystem);
        m_bPatched = FALSE;
    }
    return TRUE;
}

BOOL CTkSkinManagerApiFunction::PatchImportTable(LPCSTR pszModule, FARPROC pfnFrom, FARPROC pfnTo, HMODULE hModule) {
    const ToolkitLockGuard guard(m_pHook->GetLock());
    return PatchModuleImports(hModule, pszModule, reinterpret_cast<const void*>(pfnFrom),
                              reinterpret_cast<const void*>(pfnTo));
}

BOOL CTkSkinManagerApiFunction::PatchAllModules(LPCSTR pszModule, FARPROC pfnFrom, FARPROC pfnTo) {
    if (pfnFrom == nullptr || pfnTo == nullptr)
        return FALSE;
    HMODULE hProgram = AfxGetInstanceHandle();
    BOOL bPatched = FALSE;
    CTkSkinManagerModuleList modules(::GetCurrentProcessId());
    for (HMODULE hModule = modules.GetFirstModule(); hModule != nullptr; hModule = modules.GetNextModule()) {
        if (hModule != hProgram && !m_pHook->IsExcludedModule(hModule))
            bPatched = PatchImportTable(pszModule, pfnFrom, pfnTo, hModule) || bPatched;
    }
    return PatchImportTable(pszModule, pfnFrom, pfnTo, hProgram) || bPatched;
}

// ---- The hook

CTkSkinManagerApiHook* GetSkinApiHook() {
    static CTkSkinManagerApiHook s_hook;
    return &s_hook;
}

CTkSkinManagerApiHook::CTkSkinManagerApiHook() {
    AddExcludedModule(L"SHLWAPI.DLL", 1);
    AddExcludedModule(L"COMCTL32.DLL", 1);
    AddExcludedModule(L"KERNEL32.DLL", 0);
    AddExcludedModule(L"USER32.DLL", 0);
    AddExcludedModule(L"GDI32.DLL", 0);
    AddExcludedModule(L"WININET.DLL", 0);
    AddExcludedModule(L"MSCTF.DLL", 0);
}

CTkSkinManagerApiHook::~CTkSkinManagerApiHook() {
    RemoveHooks();
}

void CTkSkinManagerApiHook::RemoveHooks() {
    const ToolkitLockGuard guard(m_lock);
    if (!m_bInstalled)
        return;
    for (int nSlot = 0; nSlot < tkSlotCount; ++nSlot) {
        if (CTkSkinManagerApiFunction* pFunction = m_pFunctions[nSlot]) {
            pFunction->Unpatch();
            m_hooked[nSlot] = false;
            m_systemFunctions[nSlot] = nullptr;
            m_pFunctions[nSlot] = nullptr;
            delete pFunction;
        }
    }
    m_bInstalled = FALSE;
}

CTkSkinManagerApiFunction* CTkSkinManagerApiHook::HookFunction(int nSlot, LPCSTR pszModule, LPCSTR pszFunction,
                                                               FARPROC pfnReplacement) {
    if (FindHookedFunction(pszModule, pszFunction) != nullptr)
        return nullptr;
    if (EqualsAsciiNoCase(pszModule, "UXTHEME.DLL"))
        return CreateApiFunction(nSlot, pszModule, pszFunction, nullptr, pfnReplacement);
    // Resolved through the system's own GetProcAddress: ours may already be in place.
    auto pfnGetProcAddress = reinterpret_cast<decltype(&::GetProcAddress)>(GetSystemFunction(tkSlotGetProcAddress));
    if (pfnGetProcAddress == nullptr)
        pfnGetProcAddress = &::GetProcAddress;
    HMODULE hModule = ::GetModuleHandleA(pszModule);
    FARPROC pfnSystem = hModule != nullptr ? pfnGetProcAddress(hModule, pszFunction) : nullptr;
    if (pfnSystem == nullptr) {
        hModule = ::LoadLibraryA(pszModule);
        if (hModule == nullptr)
            return nullptr;
        pfnSystem = pfnGetProcAddress(hModule, pszFunction);
        if (pfnSystem == nullptr)
            return nullptr;
    }
    return CreateApiFunction(nSlot, pszModule, pszFunction, pfnSystem, pfnReplacement);
}

CTkSkinManagerApiFunction* CTkSkinManagerApiHook::CreateApiFunction(int nSlot, LPCSTR pszModule, LPCSTR pszFunction,
                                                                    FARPROC pfnSystem, FARPROC pfnReplacement) {
    if (nSlot < 0 || nSlot >= tkSlotCount)
        return nullptr;
    auto* pFunction = new CTkSkinManagerApiFunction(this, pszModule, pszFunction, pfnSystem, pfnReplacement);
    {
        const ToolkitLockGuard guard(m_lock);
        delete m_pFunctions[nSlot];
        m_pFunctions[nSlot] = pFunction;
        // Before any import points at the replacement, so that it always finds the system function.
        m_systemFunctions[nSlot] = pfnSystem;
        m_hooked[nSlot] = true;
    }
    pFunction->Patch();
    return pFunction;
}

void CTkSkinManagerApiHook::HookLoadedModule(HMODULE hModule, DWORD dwLoadFlags) {
    RefreshExcludedModules(TRUE);
    constexpr DWORD kDataFlags =
        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
    if (!IsPatchableModuleHandle(hModule) || (dwLoadFlags & kDataFlags) != 0 || IsExcludedModule(hModule))
        return;
    const ToolkitLockGuard guard(m_lock);
    for (CTkSkinManagerApiFunction* pFunction : m_pFunctions) {
        if (pFunction != nullptr && pFunction->GetSystemAddress() != nullptr &&
            pFunction->PatchImportTable(pFunction->GetModuleName(), pFunction->GetSystemAddress(),
                                        pFunction->GetReplacement(), hModule))
            pFunction->SetPatched();
    }
}

CTkSkinManagerApiFunction* CTkSkinManagerApiHook::FindHookedFunction(LPCSTR pszModule, LPCSTR pszFunction) const {
    for (CTkSkinManagerApiFunction* pFunction : m_pFunctions) {
        if (pFunction != nullptr && EqualsAsciiNoCase(pFunction->GetModuleName(), pszModule) &&
            EqualsAsciiNoCase(pFunction->GetFunctionName(), pszFunction))
            return pFunction;
    }
    return nullptr;
}

CTkSkinManagerApiFunction* CTkSkinManagerApiHook::GetHookedFunction(int nSlot) const {
    return nSlot >= 0 && nSlot < tkSlotCount ? m_pFunctions[nSlot] : nullptr;
}

FARPROC CTkSkinManagerApiHook::GetSystemFunction(int nSlot) const {
    return nSlot >= 0 && nSlot < tkSlotCount ? m_systemFunctions[nSlot].load() : nullptr;
}

void CTkSkinManagerApiHook::AddExcludedModule(LPCWSTR pszName, int nFlag) {
    m_excludedModules.push_back({nullptr, pszName, nFlag});
}

void CTkSkinManagerApiHook::RefreshExcludedModules(BOOL bOnlyMissing) {
    const ToolkitLockGuard guard(m_lock);
    for (EXCLUDEDMODULE& module : m_excludedModules) {
        if (!bOnlyMissing || module.hModule == nullptr)
            module.hModule = ::GetModuleHandleW(module.strName);
    }
}

BOOL CTkSkinManagerApiHook::IsExcludedModule(HMODULE hModule) const {
    const BOOL bWin9x = GetOSVersionInfo()->IsWin9x();
    for (const EXCLUDEDMODULE& module : m_excludedModules) {
        if (module.hModule == hModule && (module.nFlag == 0 || bWin9x))
            return TRUE;
    }
    return FALSE;
}

// ---- Window procedures

BOOL CTkSkinManagerApiHook::IsSystemWindowProc(WNDPROC pfnWndProc) {
    const auto nAddress = reinterpret_cast<ULONG_PTR>(pfnWndProc);
    // A procedure handle: the system hands these out for the other character set's procedures.
    if (nAddress >= 0xFFFF0000 && nAddress <= 0xFFFFFFFF)
        return TRUE;
    static std::mutex s_lock;
    static ModuleRange s_user32;
    static ModuleRange s_comctl32;
    static ModuleRange s_ntdll;
    const std::lock_guard<std::mutex> guard(s_lock);
    s_user32.Refresh(L"USER32.DLL", FALSE);
    // The common controls may be loaded late, and a manifest may bring another copy.
    s_comctl32.Refresh(L"COMCTL32.DLL", TRUE);
    if (GetOSVersionInfo()->IsWinXPOrLater())
        s_ntdll.Refresh(L"ntdll.dll", FALSE);
    return s_user32.ContainsStrictly(nAddress) || s_comctl32.ContainsStrictly(nAddress) ||
           s_ntdll.ContainsStrictly(nAddress);
}

LRESULT CallSystemWindowProc(WNDPROC pfnWndProc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bUnicode) {
    const CTkSkinManagerApiHook* pHook = GetSkinApiHook();
    if (bUnicode) {
        auto pfn = reinterpret_cast<decltype(&::CallWindowProcW)>(pHook->GetSystemFunction(tkSlotCallWindowProcW));
        return (pfn != nullptr ? pfn : &::CallWindowProcW)(pfnWndProc, hWnd, message, wParam, lParam);
    }
    auto pfn = reinterpret_cast<decltype(&::CallWindowProcA)>(pHook->GetSystemFunction(tkSlotCallWindowProcA));
    return (pfn != nullptr ? pfn : &::CallWindowProcA)(pfnWndProc, hWnd, message, wParam, lParam);
}

COLORREF GetSystemColor(int nIndex) {
    auto pfn = reinterpret_cast<decltype(&::GetSysColor)>(GetSkinApiHook()->GetSystemFunction(tkSlotGetSysColor));
    return (pfn != nullptr ? pfn : &::GetSysColor)(nIndex);
}

int GetSystemMetric(int nIndex) {
    auto pfn =
        reinterpret_cast<decltype(&::GetSystemMetrics)>(GetSkinApiHook()->GetSystemFunction(tkSlotGetSystemMetrics));
    return (pfn != nullptr ? pfn : &::GetSystemMetrics)(nIndex);
}

BOOL CTkSkinManagerApiHook::DispatchDefProc(HWND hWnd, FARPROC pfnSystem, int nKind, void* pExtra, UINT message,
                                            WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult) {
    CTkSkinManager* pManager = GetSkinManager();
    if (pManager == nullptr || !pManager->IsSkinEnabled())
        return FALSE;
    CTkSkinObject* pObject = pManager->FindSkinObject(hWnd);
    // Inside the default processing of this very message the object has had its turn already.
    if (pObject == nullptr || pObject->IsOptedOut() || message == pObject->GetTopDefProcMessage())
        return FALSE;
    if (message == WM_NCDESTROY && pObject->IsPassive()) {
        pManager->RemoveSkinObject(hWnd, TRUE);
        return FALSE;
    }
    // A call of an application's own procedure is not default processing: that procedure will reach a
    // hooked default procedure itself if it wants one.
    if (nKind == tkDefProcCallWindowProc && pObject->BypassesHandlers(message) && pExtra != nullptr &&
        !IsSystemWindowProc(reinterpret_cast<WNDPROC>(pExtra)))
        return FALSE;

    const CCmdTargetRef holdObject(pObject);
    const CTkSkinCurrentMessage current(hWnd, message, *pwParam, *plParam);
    // A handler that failed leaves the message to the system function.
    return pObject->HandleInDefProc(message, nKind, pfnSystem, pExtra, pwParam, plParam, pResult);
}
