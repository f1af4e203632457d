#pragma once
#include "FrameWnd.h"
#include "MDIWnd.h"

// Frame, document and recent-file classes the system only meets in kind tests and null checks: the
// application creates no mini frame, document or recent-file list. They are real classes
// with the members those checks read, so the code that tests for them compiles and takes its
// "not this kind" path.

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
};

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    const CString& GetTitle() const { return m_strTitle; }
    const CString& GetPathName() const { return m_strPathName; }

private:
    CString m_strTitle;
    CString m_strPathName;
};

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
    explicit CDocTemplate(UINT nIDResource = 0) : m_nIDResource(nIDResource) {}
    // No template strings exist: FALSE with an empty string.
    virtual BOOL GetDocString(CString& rString, DocStringIndex) const {
        rString.Empty();
        return FALSE;
    }

    UINT m_nIDResource;  // the id of the template's menu, icon and strings
};

// The most-recently-used file names, newest first.
class CRecentFileList {
public:
    explicit CRecentFileList(int nSize);
    ~CRecentFileList();
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
    // Puts lpszPathName first (once); the oldest name drops out of a full list.
    void Add(LPCTSTR lpszPathName);
    // The name of entry nIndex as a menu shows it: relative to lpszCurDir (its first nCurDir
    // characters) when below it, else whole. FALSE for an empty entry.
    BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir, BOOL bAtLeastName = TRUE) const;

    int m_nSize;          // capacity
    CString* m_arrNames;  // m_nSize names; empty ones are unused
};
