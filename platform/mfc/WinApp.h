#pragma once
#include "String.h"
#include "WinThread.h"

// CWinApp: the process's one application object, a global built by static initialisation.
//
// The layer's wWinMain runs InitInstance, then Run when InitInstance answered TRUE, and ExitInstance
// in every case (Run ends with it); the process exits with ExitInstance's result. The application's
// own message map comes last in command routing (view, frame, application).

class CRecentFileList;
class CDocTemplate;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Becomes AfxGetApp(). The name defaults to string AFX_IDS_APP_TITLE, else the executable's base
    // name.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override { return TRUE; }

    // Keeps the profile key's name; the system stores nothing under it.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    // No document templates exist: the first position is NULL, and the next template is NULL (rPos
    // becomes NULL).
    POSITION GetFirstDocTemplatePosition() const { return nullptr; }
    CDocTemplate* GetNextDocTemplate(POSITION& rPos) const {
        rPos = nullptr;
        return nullptr;
    }

    // Resources of the current resource module, and system ones.
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorW(nullptr, lpszCursorName); }
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconW(nullptr, lpszIconName); }

    // The message box of AfxMessageBox: owned by the main window's last active popup, captioned with
    // the application's name.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCTSTR m_pszAppName = nullptr;      // points into this object
    LPCTSTR m_pszRegistryKey = nullptr;  // points into this object; NULL until set
    CRecentFileList* m_pRecentFileList = nullptr;

private:
    CString m_strAppName;
    CString m_strRegistryKey;
};

// The application object (NULL before it is built and after it is destroyed); any thread.
CWinApp* AfxGetApp();

// A message box as described at CWinApp::DoMessageBox.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The same with the text of string resource nIDPrompt.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

// Records the module, command line and show command in the application object.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// The program's life: AfxWinInit, InitInstance, Run or (when InitInstance refuses) ExitInstance.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
