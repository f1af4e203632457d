#pragma once
#include "mfc.h"

#include <memory>

// CTkSkinManagerResourceFile: where a skin comes from. Either a folder holding the INI file and the image
// files (folder mode), or a module carrying the INI text as a "TEXTFILE" resource in UTF-16 and the images
// as resources (module mode). It hands the INI text to the schema line by line and loads the images the
// schema names.
//
// The skin manager owns one for its whole life and reopens it for every skin; the application opens a
// module path without an INI name, so the module names its own INI. A skin module is mapped as a data
// file: it is the user's file in the program's Styles folder, and none of its code ever runs. Used on the
// thread that loads the skin and on the painting threads that load images afterwards.

class CTkSkinImage;
class CTkSkinManager;
class CTkSkinManagerSchema;

class CTkSkinManagerResourceFile {
public:
    CTkSkinManagerResourceFile() = default;
    virtual ~CTkSkinManagerResourceFile();
    CTkSkinManagerResourceFile(const CTkSkinManagerResourceFile&) = delete;
    CTkSkinManagerResourceFile& operator=(const CTkSkinManagerResourceFile&) = delete;

    void SetManager(CTkSkinManager* pManager) { m_pManager = pManager; }

    // ---- The skin source
    // Closes the previous source, then opens the folder (when the INI file exists there) or the module.
    virtual BOOL Open(LPCWSTR pszPath, LPCWSTR pszIniName);
    // The next line of the INI text without its line end; FALSE at the end.
    virtual BOOL ReadLine(CString& strLine);
    // Drops the INI file and the skin module.
    virtual void Close();
    // A new image of that name owned by the caller, or NULL.
    virtual CTkSkinImage* LoadImage(const CString& strImageFile);
    // A new, empty schema for the manager, which the manager fills from this source.
    virtual CTkSkinManagerSchema* CreateSchema();
    // The INI name the module's THEMES_INI announces ("[File.NormalBlue]" gives "NormalBlue_ini"), or an
    // empty string.
    CString GetDefaultIniName() const;

    const CString& GetResourcePath() const { return m_strResourcePath; }
    const CString& GetIniFileName() const { return m_strIniFileName; }

    // A resource name made of a file name: '.' and '\' become '_' ("Blue\Button.bmp" is Blue_Button_bmp).
    static CString MakeResourceName(const CString& strFileName);

private:
    BOOL OpenModuleText();

    const wchar_t* m_pszTextPos = nullptr;  // module mode: the next unread character of the INI text
    const wchar_t* m_pszTextEnd = nullptr;  // module mode: just past the INI text
    HMODULE m_hSkinModule = nullptr;        // module mode; a data-file mapping, freed by Close
    CString m_strResourcePath;
    CString m_strIniFileName;
    CTkSkinManager* m_pManager = nullptr;    // not owned
    std::unique_ptr<CStdioFile> m_pIniFile;  // folder mode; stays after the last line, marking the mode
};
