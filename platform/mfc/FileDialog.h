#pragma once
#include "Dialog.h"

#include <commdlg.h>

#include <string>

// CFileDialog: the system's file-open (or save-as) dialog, run modally.
//
// The constructor takes what the system dialog shows: the default extension (added to a typed name that has
// none), the file name it starts with, the OFN_* flags and the filter as "text|pattern|text|pattern||", whose
// '|' each become the NUL the system expects. The owner is the parent's top-level window, else the main window.
// DoModal answers IDOK with a file chosen (GetPathName), IDCANCEL when the user cancels or the dialog fails.
// m_ofn is the system's record, open to changes between construction and DoModal.

class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;
    // The full path of the chosen file; empty before a choice.
    CString GetPathName() const { return CString(m_szFileName); }

    OPENFILENAMEW m_ofn = {};

private:
    BOOL m_bOpenFileDialog;
    std::wstring m_strDefExt;
    std::wstring m_strFilter;  // NUL-separated, ending in two NULs
    wchar_t m_szFileName[MAX_PATH] = {};
};
