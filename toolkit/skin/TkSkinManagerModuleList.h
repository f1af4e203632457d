#pragma once
#include "mfc.h"

#include <memory>
#include <psapi.h>
#include <tlhelp32.h>
#include <vector>

// CTkSkinManagerModuleList: the modules loaded in a process, for patching their import tables. It walks
// them through PSAPI when that library loads, else through the tool-help snapshot functions, else not at
// all (every call then answers 0, and no skin can be opened). Both are bound by name.
//
// A list lives for one walk, on the stack of whoever walks; any thread.

class CModuleEnumerator {
public:
    explicit CModuleEnumerator(DWORD dwProcessId) : m_dwProcessId(dwProcessId) {}
    virtual ~CModuleEnumerator() = default;
    virtual HMODULE GetFirstModule() = 0;
    // 0 after the last module.
    virtual HMODULE GetNextModule() = 0;
    virtual BOOL GetModuleInformation(HMODULE hModule, MODULEINFO* pInfo) = 0;

protected:
    DWORD m_dwProcessId;
};

class CPsapiModuleEnumerator : public CModuleEnumerator {
public:
    CPsapiModuleEnumerator(DWORD dwProcessId, HMODULE hPsapi);
    HMODULE GetFirstModule() override;
    HMODULE GetNextModule() override;
    BOOL GetModuleInformation(HMODULE hModule, MODULEINFO* pInfo) override;

private:
    using PFNENUMPROCESSMODULES = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
    using PFNGETMODULEINFORMATION = BOOL(WINAPI*)(HANDLE, HMODULE, MODULEINFO*, DWORD);

    PFNENUMPROCESSMODULES m_pfnEnumProcessModules;
    PFNGETMODULEINFORMATION m_pfnGetModuleInformation;
    std::vector<HMODULE> m_modules;  // read at GetFirstModule
    size_t m_nIndex = 0;
};

class CToolHelpModuleEnumerator : public CModuleEnumerator {
public:
    explicit CToolHelpModuleEnumerator(DWORD dwProcessId);
    ~CToolHelpModuleEnumerator() override;
    HMODULE GetFirstModule() override;
    HMODULE GetNextModule() override;
    BOOL GetModuleInformation(HMODULE hModule, MODULEINFO* pInfo) override;
    // Whether KERNEL32 exports the snapshot functions.
    static BOOL IsAvailable();

private:
    using PFNCREATESNAPSHOT = HANDLE(WINAPI*)(DWORD, DWORD);
    using PFNMODULEWALK = BOOL(WINAPI*)(HANDLE, MODULEENTRY32W*);

    void CloseSnapshot();

    PFNCREATESNAPSHOT m_pfnCreateToolhelp32Snapshot;
    PFNMODULEWALK m_pfnModule32First;
    PFNMODULEWALK m_pfnModule32Next;
    HANDLE m_hSnapshot = INVALID_HANDLE_VALUE;
    MODULEENTRY32W m_entry{};
};

class CTkSkinManagerModuleList {
public:
    explicit CTkSkinManagerModuleList(DWORD dwProcessId);
    virtual ~CTkSkinManagerModuleList();

    HMODULE GetFirstModule();
    HMODULE GetNextModule();
    // The module's base, size and entry point; FALSE for a NULL module or without a way to walk modules.
    BOOL GetModuleInformation(HMODULE hModule, MODULEINFO* pInfo);
    // Whether this process can walk its modules at all.
    static BOOL IsModuleEnumerationAvailable();

private:
    std::unique_ptr<CModuleEnumerator> m_pEnumerator;  // NULL when modules cannot be walked
};
