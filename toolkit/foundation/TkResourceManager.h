#pragma once
#include "mfc.h"

// The toolkit's resource loader and its user-interface language. Every load goes to the layer's one
// resource module (AfxGetResourceHandle); a missing resource is an ordinary NULL or FALSE that callers
// handle. The language is a row of a fixed table that gives the code page of narrow-text conversions
// and decides right-to-left message boxes; it is US English (code page 0, the system's ANSI page)
// unless set. UI thread.

struct LanguageInfo {
    LANGID wLanguage;
    UINT nCodePage;
    LPCWSTR pszEncoding;
    LPCWSTR pszLanguage;
    LPCWSTR pszPrimaryName;
    LPCWSTR pszSubName;
    BYTE nCharSet;
};

// The table row of the language, or NULL.
const LanguageInfo* FindLanguageInfo(LANGID wLanguage);

class CTkResourceManager : public CNoTrackObject {
public:
    CTkResourceManager();
    ~CTkResourceManager() override;

    // ---- Loading (from the current resource module)
    virtual CString LoadString(UINT nID, BOOL* pbFailed = nullptr);
    virtual BOOL LoadString(CString& str, UINT nID);
    virtual BOOL LoadMenu(CMenu* pMenu, UINT nID);
    // The layer's toolbar loading, which loads no RT_TOOLBAR resources: FALSE.
    virtual BOOL LoadToolBar(CToolBar* pToolBar, UINT nID);
    virtual BOOL LoadBitmap(CBitmap* pBitmap, UINT nID);
    virtual HCURSOR LoadCursor(UINT nID);
    virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT nID);
    virtual HGLOBAL FindDialogTemplate(LPCWSTR pszName);
    // An RT_HTML resource as ANSI text widened; FALSE for a NULL string, a missing resource or no text.
    virtual BOOL LoadHtml(CString* pText, UINT nID);
    virtual HICON LoadIconById(UINT nID, int cx, int cy);
    virtual HICON LoadIcon(LPCWSTR pszName, int cx, int cy);
    // The best image of an icon group of hModule for cx x cy; NULL when any step fails.
    virtual HICON CreateIconFromResourceModule(HINSTANCE hModule, LPCWSTR pszName, int cx, int cy);
    // Frees a resource library the manager loaded itself; FALSE when there is none.
    virtual BOOL Close();

    // ---- Language
    virtual LANGID GetLanguage() const { return m_pLanguage->wLanguage; }
    virtual void SetLanguageFromResources();
    // The row of wLanguage; an unknown language selects US English.
    void SetLanguage(LANGID wLanguage);
    const LanguageInfo* GetLanguageInfo() const { return m_pLanguage; }
    // AfxMessageBox, reading right to left under Hebrew and Arabic.
    int ShowMessageBox(LPCWSTR pszText, UINT nType);

    // ---- Helpers
    // The whole text of a menu item (0 and an empty string for a NULL menu); the length.
    static int GetMenuItemText(CMenu* pMenu, UINT nItem, CString& str, UINT nFlags);
    // String nID of hModule read from its string block; 0 (and an empty string) when the string is
    // missing or empty, or the block is shorter than its entries claim.
    static int LoadStringFromModule(HINSTANCE hModule, UINT nID, CString& str);
    // The first resource language of hModule other than US English; US English when only that is
    // there; 0 for none.
    static LANGID DetectResourceLanguage(HINSTANCE hModule);

private:
    HINSTANCE m_hResourceLibrary = nullptr;  // a library the manager loaded itself (none in this system)
    const LanguageInfo* m_pLanguage;         // never NULL
};

CTkResourceManager* GetResourceManager();

// A multibyte copy of a wide string in the code page of the toolkit's current language.
class ToolkitNarrowString {
public:
    explicit ToolkitNarrowString(LPCWSTR pszText);
    const char* GetString() const { return m_text.GetString(); }
    operator const char*() const { return GetString(); }

private:
    CStringA m_text;
};
