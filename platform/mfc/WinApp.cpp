#include "WinApp.h"
#include "AfxConstants.h"
#include "ResourceHandle.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

std::atomic<CWinApp*> g_pApp{nullptr};

// The executable's file name without folder and extension.
CString ExecutableBaseName() {
    wchar_t szPath[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    CString name(szPath);
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    if (const int iDot = name.ReverseFind(L'.'); iDot > 0)
        name = name.Left(iDot);
    return name;
}

}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName) : m_hInstance(AfxGetInstanceHandle()) {
    g_pApp.store(this, std::memory_order_release);
    if (lpszAppName != nullptr)
        m_strAppName = lpszAppName;
    else if (!m_strAppName.LoadString(AFX_IDS_APP_TITLE))
        m_strAppName = ExecutableBaseName();
    m_pszAppName = m_strAppName;
}

CWinApp::~CWinApp() {
    CWinApp* pExpected = this;
    g_pApp.compare_exchange_strong(pExpected, nullptr);
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return LoadIcon(MAKEINTRESOURCEW(nIDResource));
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
    return ::LoadIconW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
    LPCWSTR lpszName = MAKEINTRESOURCEW(nIDResource);
    return ::LoadCursorW(AfxFindResourceHandle(lpszName, RT_GROUP_CURSOR), lpszName);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
    HWND hOwner = nullptr;
    if (CWnd* pMainWnd = AfxGetMainWnd(); pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr)
        hOwner = ::GetLastActivePopup(pMainWnd->m_hWnd);
    return ::MessageBoxW(hOwner, lpszPrompt, m_pszAppName, nType);
}

CWinApp* AfxGetApp() {
    return g_pApp.load(std::memory_order_acquire);
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxW(nullptr, lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_hThread = ::GetCurrentThread();
    pApp->m_nThreadID = ::GetCurrentThreadId();
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
    if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    CWinApp* pApp = AfxGetApp();
    if (!pApp->InitInstance()) {
        if (CWnd* pMainWnd = pApp->m_pMainWnd)
            pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
