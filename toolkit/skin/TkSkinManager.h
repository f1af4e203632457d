#pragma once
#include "mfc.h"

#include "ToolkitCriticalSection.h"

#include <memory>
#include <unordered_map>
#include <vector>

// CTkSkinManager: the process's skin. It owns the skin source (a folder or a module), the schema read
// from its INI text, the metrics derived from it, the visual-style classes made on demand, the colour
// filters that every skin colour and image pixel passes through, one skin object per window
// (CTkSkinObject) and the table that says which skin-object class a window class gets.
//
// The application uses the process's manager (GetSkinManager) once, while its main frame is created:
// SetSkinningOptions, then OpenSkin. From the manager's construction on, a per-thread WH_CBT hook gives
// every new window of every hooked thread its skin object by window class; the objects pass messages
// through while no skin is in force. While a skin is loaded the API hook (CTkSkinManagerApiHook) patches
// the import tables of the process's modules.
//
// Threads: the skin is loaded and changed on the UI thread; drawing code on any thread reads the loaded
// data, which does not change until the next load. The creation hooks run on every hooked thread, so the
// window-to-object map is guarded by the manager's lock; skin objects are never called under it, except
// when the manager is destroyed. Which threads are hooked: the one that constructs the manager, and every
// thread started through a hooked CreateThread while a skin is in force.

class CTkSkinManagerClass;
class CTkSkinManagerMetrics;
class CTkSkinManagerResourceFile;
class CTkSkinManagerSchema;
class CTkSkinObject;
class CTkSkinObjectClassInfo;

// What a skin replaces, as bits of the skinning options.
enum TkSkinApplyOptions : DWORD {
    tkSkinApplyMetrics = 1,  // fonts and sizes
    tkSkinApplyFrame = 2,    // non-client frames and scroll bars
    tkSkinApplyColors = 4,   // colours, edges, frame controls, brushes and visual styles
};

// A change applied to every skin colour, in the order the filters were added (a tint, a hue shift).
class CTkSkinManagerColorFilter {
public:
    virtual ~CTkSkinManagerColorFilter() = default;
    virtual void ApplyColorFilter(COLORREF& clr) = 0;
};

class CTkSkinManager {
public:
    CTkSkinManager();
    virtual ~CTkSkinManager();
    CTkSkinManager(const CTkSkinManager&) = delete;
    CTkSkinManager& operator=(const CTkSkinManager&) = delete;

    // ---- Loading a skin
    // Drops the current skin and its hooks, then loads the skin at pszPath (a module, or a folder with
    // pszIniName). TRUE when it is in force; FALSE leaves the program with the system's look (a display of
    // 8 bits per pixel or fewer, modules that cannot be walked, a source that cannot be opened). Every
    // window is told either way.
    BOOL OpenSkin(LPCWSTR pszPath, LPCWSTR pszIniName);
    BOOL IsSkinEnabled() const { return m_bSkinEnabled; }

    // ---- Skin data
    // Opens the skin source and reads its schema; FALSE, and no schema, when the source cannot be
    // opened. The classes of the previous skin are dropped first.
    BOOL LoadSkinData(LPCWSTR pszPath, LPCWSTR pszIniName);
    // Deletes every cached class and closes the skin source.
    void ClearSkinClasses();
    // The visual-style class of that name, made on first use; NULL for a name the schema does not know.
    virtual CTkSkinManagerClass* GetSkinClass(CString strClassName);
    // The pointer when it is one of the cached classes (a theme handle handed out earlier), else NULL.
    CTkSkinManagerClass* ValidateSkinClass(CTkSkinManagerClass* pClass) const;
    // A SYSMETRICS boolean of the skin; 0 when the skin does not set it.
    BOOL ReadSysMetricsBool(int nPropertyId) const;
    // The skin colour of a system-colour property (1601..1631); -1 for any other id.
    COLORREF GetSchemaSysColor(int nPropertyId) const;

    // ---- Colour filters
    // Takes ownership; the filter applies to colours read and images loaded from now on.
    void AddColorFilter(CTkSkinManagerColorFilter* pFilter);
    BOOL HasColorFilters() const { return !m_colorFilters.empty(); }
    void ApplyColorFilters(COLORREF& clr) const;
    void RemoveColorFilters();

    // ---- Options and parts
    DWORD GetApplyOptions() const { return m_dwApplyOptions; }
    // Stores the TkSkinApplyOptions bits; with a skin in force the hooks, metrics and windows follow at once,
    // otherwise they take effect at OpenSkin.
    void SetSkinningOptions(DWORD dwOptions);
    CTkSkinManagerSchema* GetSchema() const { return m_pSchema.get(); }
    CTkSkinManagerMetrics* GetMetrics() const { return m_pMetrics.get(); }
    CTkSkinManagerResourceFile* GetResourceFile() const { return m_pResourceFile.get(); }
    // New windows get skin objects (the creation hook attaches them).
    BOOL IsSkinNewWindows() const { return m_bSkinNewWindows; }
    void SetSkinNewWindows(BOOL bSkin) { m_bSkinNewWindows = bSkin; }
    // Threads started while a skin is in force get the creation hook.
    BOOL IsSkinNewThreads() const { return m_bSkinNewThreads; }
    void SetSkinNewThreads(BOOL bSkin) { m_bSkinNewThreads = bSkin; }
    // The common-controls version (major << 16 | minor) and the platform family, read at construction.
    DWORD GetComCtlVersion() const { return m_dwComCtlVersion; }
    BOOL IsWin9x() const { return m_bWin9x; }

    // ---- Windows and their skin objects
    // Tells every window that the skin changed: top-level windows of the process get WM_SYSCOLORCHANGE, skin
    // objects OnSkinChanged; objects of windows that died unnoticed are dropped.
    virtual void OnSkinChanged(BOOL bPrevState, BOOL bNewState);
    // The skin object a new window gets by its class name, attached and entered in the map; NULL for windows
    // that stay unskinned. nFlag 1: the window is being created.
    virtual CTkSkinObject* CreateSkinObjectForWindow(HWND hWnd, LPCWSTR pszClassName, LPCREATESTRUCT lpcs, int nFlag);
    CTkSkinObject* FindSkinObject(HWND hWnd);
    // Takes the window's object out of the map, detaches it (bDestroying: at WM_NCDESTROY) and releases it.
    void RemoveSkinObject(HWND hWnd, BOOL bDestroying);
    // Releases every object, detaching each first when bDetach is set.
    void DetachAll(BOOL bDetach);
    // The calling thread's creation hook, installed once.
    void InstallCreateHook();

    // ---- The window-class table (names compare without case)
    // Window class pszClass gets objects of pClass; NULL: windows of that class stay unskinned. An existing
    // name is left as it is.
    void AddSkinObjectClass(LPCWSTR pszClass, CRuntimeClass* pClass);
    // pszAlias shares the entry of pszTarget; nothing when the alias exists or the target does not.
    void AddSkinObjectAlias(LPCWSTR pszAlias, LPCWSTR pszTarget);
    CTkSkinObjectClassInfo* FindSkinObjectClass(CString strClass) const;

private:
    // Fills the window-class table.
    void RegisterSkinClasses();
    void ReleaseSkinClassTable();
    // The skin's hooks and looks after a load or an option change.
    void ApplySkin(BOOL bPrevState, BOOL bNewState);
    // Whether a dialog being created is a page of a property sheet (not of a wizard).
    BOOL IsPropertySheetPage(LPCREATESTRUCT lpcs);
    // Takes the entry of hWnd out of the map; NULL when there is none.
    CTkSkinObject* TakeSkinObject(HWND hWnd);

    using PFNSETWINEVENTHOOK = HWINEVENTHOOK(WINAPI*)(DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD);
    using PFNUNHOOKWINEVENT = BOOL(WINAPI*)(HWINEVENTHOOK);

    CMapStringToPtr m_mapClasses;                     // upper-cased class name -> CTkSkinManagerClass*, owned
    std::unique_ptr<CTkSkinManagerSchema> m_pSchema;  // NULL while no skin is loaded
    std::unique_ptr<CTkSkinManagerMetrics> m_pMetrics;
    std::unique_ptr<CTkSkinManagerResourceFile> m_pResourceFile;
    DWORD m_dwApplyOptions = tkSkinApplyMetrics | tkSkinApplyFrame | tkSkinApplyColors;
    std::vector<std::unique_ptr<CTkSkinManagerColorFilter>> m_colorFilters;
    DWORD m_dwComCtlVersion = 0;
    BOOL m_bWin9x = FALSE;
    volatile BOOL m_bSkinEnabled = FALSE;
    BOOL m_bSkinNewWindows = TRUE;
    BOOL m_bSkinNewThreads = TRUE;
    HWINEVENTHOOK m_hWinEventHook = nullptr;
    PFNSETWINEVENTHOOK m_pfnSetWinEventHook = nullptr;
    PFNUNHOOKWINEVENT m_pfnUnhookWinEvent = nullptr;
    ToolkitCriticalSection m_lock;                           // guards m_skinObjects
    std::unordered_map<HWND, CTkSkinObject*> m_skinObjects;  // one reference each
    CMapStringToPtr m_classTable;  // upper-cased window class -> CTkSkinObjectClassInfo*, one reference each
};

// The process's manager, made on first use and deleted at exit; NULL only when memory ran out.
CTkSkinManager* GetSkinManager();
