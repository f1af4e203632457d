#include "FileDialog.h"
#include "WinApp.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog) {
    m_pParentWnd = pParentWnd;
    if (lpszDefExt != nullptr)
        m_strDefExt = lpszDefExt;
    if (lpszFileName != nullptr)
        lstrcpynW(m_szFileName, lpszFileName, MAX_PATH);
    if (lpszFilter != nullptr) {
        m_strFilter = lpszFilter;
        for (wchar_t& c : m_strFilter) {
            if (c == L'|')
                c = L'\0';
        }
        // The list ends with an empty pair of NULs whether or not the caller closed it with "||".
        m_strFilter.push_back(L'\0');
    }
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrDefExt = m_strDefExt.empty() ? nullptr : m_strDefExt.c_str();
    m_ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.c_str();
}

INT_PTR CFileDialog::DoModal() {
    HWND hWndOwner = nullptr;
    if (m_pParentWnd != nullptr && m_pParentWnd->m_hWnd != nullptr)
        hWndOwner = ::GetAncestor(m_pParentWnd->m_hWnd, GA_ROOT);
    else if (CWnd* pMainWnd = AfxGetMainWnd(); pMainWnd != nullptr)
        hWndOwner = pMainWnd->m_hWnd;
    m_ofn.hwndOwner = hWndOwner;
    const BOOL bChosen = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return bChosen ? IDOK : IDCANCEL;
}
