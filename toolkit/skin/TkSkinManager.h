#pragma once
#include "mfc.h"

#include <memory>
#include <vector>

// CTkSkinManager: the process's skin. It owns the skin source (a folder or a module), the schema read
// from its INI text, the metrics derived from it, the visual-style classes made on demand, and the
// colour filters that every skin colour and image pixel passes through.
//
// This file holds the manager's skin data; the window side (creation hooks, skin objects, API hooks)
// builds on it. The skin is loaded and changed on the UI thread; drawing code on any thread reads the
// loaded data, which does not change until the next load.

class CTkSkinManagerClass;
class CTkSkinManagerMetrics;
class CTkSkinManagerResourceFile;
class CTkSkinManagerSchema;

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
    void SetSkinningOptions(DWORD dwOptions) { m_dwApplyOptions = dwOptions; }
    CTkSkinManagerSchema* GetSchema() const { return m_pSchema.get(); }
    CTkSkinManagerMetrics* GetMetrics() const { return m_pMetrics.get(); }
    CTkSkinManagerResourceFile* GetResourceFile() const { return m_pResourceFile.get(); }

private:
    CMapStringToPtr m_mapClasses;                     // upper-cased class name -> CTkSkinManagerClass*, owned
    std::unique_ptr<CTkSkinManagerSchema> m_pSchema;  // NULL while no skin is loaded
    std::unique_ptr<CTkSkinManagerMetrics> m_pMetrics;
    std::unique_ptr<CTkSkinManagerResourceFile> m_pResourceFile;
    DWORD m_dwApplyOptions = tkSkinApplyMetrics | tkSkinApplyFrame | tkSkinApplyColors;
    std::vector<std::unique_ptr<CTkSkinManagerColorFilter>> m_colorFilters;
};
