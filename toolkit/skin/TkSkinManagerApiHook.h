#pragma once
#include "mfc.h"

#include "ToolkitCriticalSection.h"

#include <atomic>
#include <vector>

// CTkSkinManagerApiHook: while a skin is loaded, 42 system functions are replaced in the import tables of
// the process's modules, so that code which knows nothing of the skin (the system's controls, the class
// library, other libraries) draws with skin colours, measures with skin metrics, finds a visual-styles
// library that answers from the skin, and passes its default message processing through the skin objects.
// CTkSkinManagerApiFunction is one replaced function.
//
// Life: the skin manager installs the hooks after every successful OpenSkin and option change and removes
// them before loading a skin and when it is destroyed. Modules loaded while the hooks are installed are
// patched as they load (the loader replacements); threads started meanwhile get the skin's window-creation
// hook (the CreateThread replacement).
//
// Which modules: every module of the process but the excluded system modules (KERNEL32, USER32, GDI32,
// WININET, MSCTF; SHLWAPI and COMCTL32 only on the Windows 9x family), the program's own module last. Calls
// between excluded system modules stay unskinned.
//
// Threads: patching takes the hook's lock, so loader replacements on several threads and Install/Remove
// never write import entries at once. The replacements run on the calling threads without locks; they read
// the system functions from lock-free slots, never from the slot objects that RemoveHooks deletes.

class CTkSkinManagerApiHook;

// The slots, numbered as the replacements know them.
enum TkSkinApiSlot {
    tkSlotLoadLibraryA = 0,
    tkSlotLoadLibraryW = 1,
    tkSlotLoadLibraryExA = 2,
    tkSlotLoadLibraryExW = 3,
    tkSlotGetProcAddress = 4,
    tkSlotGetModuleHandleA = 5,
    tkSlotRegisterClassA = 6,
    tkSlotRegisterClassW = 7,
    tkSlotGetSysColor = 8,
    tkSlotGetSysColorBrush = 9,
    tkSlotDrawEdge = 10,
    tkSlotDrawFrameControl = 11,
    tkSlotSetScrollInfo = 12,
    tkSlotSetScrollPos = 13,
    tkSlotGetScrollInfo = 14,
    tkSlotEnableScrollBar = 15,
    tkSlotOpenThemeData = 16,
    tkSlotDrawThemeBackground = 17,
    tkSlotCloseThemeData = 18,
    tkSlotGetThemeColor = 19,
    tkSlotIsAppThemed = 20,
    tkSlotIsThemeActive = 21,
    tkSlotGetCurrentThemeName = 22,
    tkSlotGetThemeSysBool = 23,
    tkSlotGetThemeSysColor = 24,
    tkSlotGetThemePartSize = 25,
    tkSlotSystemParametersInfoW = 26,
    tkSlotDefWindowProcA = 27,
    tkSlotDefWindowProcW = 28,
    tkSlotDefMDIChildProcA = 29,
    tkSlotDefMDIChildProcW = 30,
    tkSlotDefFrameProcA = 31,
    tkSlotDefFrameProcW = 32,
    tkSlotDefDlgProcA = 33,
    tkSlotDefDlgProcW = 34,
    tkSlotCallWindowProcA = 35,
    tkSlotCallWindowProcW = 36,
    tkSlotCreateThread = 37,
    tkSlotFillRect = 38,
    tkSlotDeleteObject = 39,
    tkSlotAdjustWindowRectEx = 40,
    tkSlotGetSystemMetrics = 41,
    tkSlotCount = 42
};

// The kinds of default procedure a skin object's handler may be running inside.
enum TkSkinDefProcKind {
    tkDefProcSubclass = 0,  // the subclass procedure's own call of the saved procedure
    tkDefProcCallWindowProc = 1,
    tkDefProcDefWindowProc = 2,
    tkDefProcDefMDIChildProc = 3,
    tkDefProcDefFrameProc = 4,
    tkDefProcDefDlgProc = 5,
};

// The module handle handed out for "UxTheme.dll" while colours are skinned (the same value the toolkit's
// visual-styles binding knows).
inline HMODULE GetSkinnedUxThemeHandle() {
    return reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x21FFFF1));
}

class CTkSkinManagerApiFunction {
public:
    // Names are ASCII: a module name of at most 19 characters ("USER32.DLL"), a function name of at most 29.
    CTkSkinManagerApiFunction(CTkSkinManagerApiHook* pHook, LPCSTR pszModule, LPCSTR pszFunction, FARPROC pfnSystem,
                              FARPROC pfnReplacement);
    // Unpatches first.
    virtual ~CTkSkinManagerApiFunction();
    CTkSkinManagerApiFunction(const CTkSkinManagerApiFunction&) = delete;
    CTkSkinManagerApiFunction& operator=(const CTkSkinManagerApiFunction&) = delete;

    // Points every module's import of the system function at the replacement.
    void Patch();
    // Puts the system function back wherever the replacement was written. TRUE.
    BOOL Unpatch();
    // The import of pszModule in hModule that equals pfnFrom becomes pfnTo (under the hook's lock).
    BOOL PatchImportTable(LPCSTR pszModule, FARPROC pfnFrom, FARPROC pfnTo, HMODULE hModule);
    // PatchImportTable in every module but the excluded ones, the program's own module last; TRUE when any
    // module was patched, FALSE for a null address.
    BOOL PatchAllModules(LPCSTR pszModule, FARPROC pfnFrom, FARPROC pfnTo);

    LPCSTR GetModuleName() const { return m_szModule; }
    LPCSTR GetFunctionName() const { return m_szFunction; }
    // NULL for the visual-styles functions, which are never written into an import table.
    FARPROC GetSystemAddress() const { return m_pfnSystem; }
    FARPROC GetReplacement() const { return m_pfnReplacement; }
    BOOL IsPatched() const { return m_bPatched; }
    void SetPatched() { m_bPatched = TRUE; }

private:
    CTkSkinManagerApiHook* m_pHook;  // not owned
    BOOL m_bPatched = FALSE;         // at least one import entry points at the replacement
    char m_szModule[20] = {};
    char m_szFunction[30] = {};
    FARPROC m_pfnSystem;
    FARPROC m_pfnReplacement;
};

class CTkSkinManagerApiHook {
public:
    CTkSkinManagerApiHook();
    // Removes the hooks.
    virtual ~CTkSkinManagerApiHook();
    CTkSkinManagerApiHook(const CTkSkinManagerApiHook&) = delete;
    CTkSkinManagerApiHook& operator=(const CTkSkinManagerApiHook&) = delete;

    // ---- Installing and removing
    // Hooks every slot of the table that the skin manager's options ask for, in the table's order; nothing
    // when installed.
    void InstallHooks();
    // Unpatches and deletes every slot; nothing when not installed.
    void RemoveHooks();
    BOOL IsInstalled() const { return m_bInstalled; }
    // The slot object for a function of a module, or NULL when it cannot be resolved or is hooked already.
    CTkSkinManagerApiFunction* HookFunction(int nSlot, LPCSTR pszModule, LPCSTR pszFunction, FARPROC pfnReplacement);
    // Stores a slot object and patches it into every module; NULL for a slot number out of range.
    CTkSkinManagerApiFunction* CreateApiFunction(int nSlot, LPCSTR pszModule, LPCSTR pszFunction, FARPROC pfnSystem,
                                                 FARPROC pfnReplacement);
    // Patches every hooked slot into a module that was just loaded, unless it is excluded or mapped as data.
    void HookLoadedModule(HMODULE hModule, DWORD dwLoadFlags);

    // ---- Slots
    CTkSkinManagerApiFunction* FindHookedFunction(LPCSTR pszModule, LPCSTR pszFunction) const;
    CTkSkinManagerApiFunction* GetHookedFunction(int nSlot) const;
    // The system address of a hooked slot, NULL when the slot is empty. Lock-free: any thread.
    FARPROC GetSystemFunction(int nSlot) const;
    // The replacement for a function while its slot is hooked, else NULL. Lock-free: any thread.
    FARPROC FindHookedReplacement(LPCSTR pszModule, LPCSTR pszFunction) const;

    // ---- Modules
    void AddExcludedModule(LPCWSTR pszName, int nFlag);
    BOOL IsExcludedModule(HMODULE hModule) const;
    CRITICAL_SECTION* GetLock() { return m_lock; }

    // ---- Default procedures
    // The bridge from the default-procedure replacements to the skin objects: offers the message to the
    // window's skin object inside a default-procedure record of kind nKind. TRUE when the object handled it
    // (*pResult then holds the answer).
    static BOOL DispatchDefProc(HWND hWnd, FARPROC pfnSystem, int nKind, void* pExtra, UINT message, WPARAM* pwParam,
                                LPARAM* plParam, LRESULT* pResult);
    // Whether a window procedure is the system's own: a procedure handle (0xFFFF0000..0xFFFFFFFF) or an
    // address inside USER32 or COMCTL32 (or NTDLL), whose default processing never reaches the hooks.
    static BOOL IsSystemWindowProc(WNDPROC pfnWndProc);

private:
    struct EXCLUDEDMODULE {
        HMODULE hModule;  // 0 until found
        CString strName;
        int nFlag;  // 1: excluded only on the Windows 9x family
    };

    void RefreshExcludedModules(BOOL bOnlyMissing);

    CTkSkinManagerApiFunction* m_pFunctions[tkSlotCount] = {};  // owned; touched under the lock
    std::atomic<FARPROC> m_systemFunctions[tkSlotCount] = {};   // mirrors the slots for the replacements
    std::atomic<bool> m_hooked[tkSlotCount] = {};
    BOOL m_bInstalled = FALSE;
    std::vector<EXCLUDEDMODULE> m_excludedModules;
    ToolkitCriticalSection m_lock;
};

// The process's hook, built on first use and destroyed at exit.
CTkSkinManagerApiHook* GetSkinApiHook();

// Calls a window procedure through the system's CallWindowProcW or CallWindowProcA (as the window is
// Unicode or not), never through a replaced one.
LRESULT CallSystemWindowProc(WNDPROC pfnWndProc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bUnicode);
// The system's own colour and metric, past the skin's replacements while they are installed.
COLORREF GetSystemColor(int nIndex);
int GetSystemMetric(int nIndex);
