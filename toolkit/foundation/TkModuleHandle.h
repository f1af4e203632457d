#pragma once
#include "mfc.h"

#include <shlwapi.h>

// winbase.h defines FreeModule as a macro for FreeLibrary; the member below is ours.
#undef FreeModule

// A module handle that remembers how it was obtained, so it frees only a library it loaded itself
// (a module that was merely looked up belongs to someone else). Entry points and the module's
// DllGetVersion are read through it. One owner, one thread at a time.

class CTkModuleHandle {
public:
    enum State { kNone = 0, kAttached = 1, kLoaded = 2 };

    CTkModuleHandle() = default;
    // Init(lpszName).
    explicit CTkModuleHandle(LPCWSTR lpszName);
    virtual ~CTkModuleHandle();
    CTkModuleHandle(const CTkModuleHandle&) = delete;
    CTkModuleHandle& operator=(const CTkModuleHandle&) = delete;

    // The module already loaded under that name, else loads it; TRUE when either worked.
    BOOL Init(LPCWSTR lpszName);
    // Free what is held first; on success the name is kept.
    BOOL AttachLoadedModule(LPCWSTR lpszName);
    BOOL LoadModule(LPCWSTR lpszName);
    // FreeLibrary only for a module this object loaded (its result; TRUE otherwise); then nothing is
    // held.
    BOOL FreeModule();

    HMODULE GetHandle() const { return m_hModule; }
    State GetState() const { return m_state; }
    const CString& GetName() const { return m_strName; }

    // major << 16 | minor from the module's DllGetVersion, queried once; 0 when it has none.
    DWORD GetDllVersion();

    // Binds entry point lpszProc into *ppfn. FALSE without a module; with dwMinVersion (major << 16 |
    // minor) and an older module *ppfn becomes NULL and the answer is FALSE.
    template <class PFN>
    BOOL GetProcAddress(PFN* ppfn, LPCSTR lpszProc, DWORD dwMinVersion = 0) {
        FARPROC pfn = nullptr;
        const BOOL bFound = GetProc(&pfn, lpszProc, dwMinVersion);
        *ppfn = reinterpret_cast<PFN>(pfn);
        return bFound;
    }

private:
    BOOL GetProc(FARPROC* ppfn, LPCSTR lpszProc, DWORD dwMinVersion);

    CString m_strName;
    HMODULE m_hModule = nullptr;
    State m_state = kNone;
    DLLVERSIONINFO m_version = {};  // cbSize 0 until queried
};
