#include "FrameKinds.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CRecentFileList::CRecentFileList(int nSize) : m_nSize(nSize), m_arrNames(new CString[static_cast<size_t>(nSize)]) {}

CRecentFileList::~CRecentFileList() {
    delete[] m_arrNames;
}

void CRecentFileList::Add(LPCTSTR lpszPathName) {
    if (m_nSize <= 0)
        return;
    int nFound = m_nSize - 1;
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrNames[i].CompareNoCase(lpszPathName) == 0) {
            nFound = i;
            break;
        }
    }
    for (int i = nFound; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = lpszPathName;
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir, BOOL) const {
    strName.Empty();
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& strPath = m_arrNames[nIndex];
    if (lpszCurDir != nullptr && nCurDir > 0 && strPath.GetLength() > nCurDir &&
        strPath.Left(nCurDir).CompareNoCase(CString(lpszCurDir, nCurDir)) == 0)
        strName = strPath.Mid(nCurDir);
    else
        strName = strPath;
    return TRUE;
}
