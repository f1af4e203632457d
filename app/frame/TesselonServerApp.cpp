#include "frame/TesselonServerApp.h"

#include "MainFrameResource.h"
#include "common/AppIcons.h"
#include "common/OemLogo.h"
#include "common/OperatorDialogs.h"
#include "frame/AboutDlg.h"
#include "frame/MainFrame.h"
#include "settings/LangText.h"
#include "settings/SettingValues.h"

#include <commctrl.h>

namespace {

constexpr wchar_t kRegistryKey[] = L"Quennet(服务器)";
constexpr DWORD kMainFrameStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;

}  // namespace

BEGIN_MESSAGE_MAP(CTesselonServerApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CTesselonServerApp::CTesselonServerApp() = default;

CTesselonServerApp::~CTesselonServerApp() = default;

bool CTesselonServerApp::AnotherInstanceRuns() {
    CScopedKernelHandle running(::OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kInstanceMutexName));
    if (!running.IsValid()) {
        HANDLE created = ::CreateMutexW(nullptr, FALSE, kInstanceMutexName);
        const DWORD error = ::GetLastError();
        m_instanceMutex.Attach(created);
        // Two copies started at the same moment both miss the mutex; the later creation learns it existed.
        if (error != ERROR_ALREADY_EXISTS)
            return false;
        m_instanceMutex.Close();
    }
    if (HWND window = ::FindWindowW(nullptr, LangText(L"0001").c_str())) {
        ::ShowWindow(window, SW_SHOWNORMAL);  // also brings back a window hidden to the tray
        ::SetForegroundWindow(window);
    }
    return true;
}

BOOL CTesselonServerApp::InitInstance() {
    // The running copy's title is in its language, so the language is read first (and only read: the settings
    // are corrected below, by the one copy that goes on).
    LanguageNumber = ReadLanguageSetting();
    if (AnotherInstanceRuns())
        return FALSE;

    LoadOemBitmap();
    m_gdiPlus = std::make_unique<CScopedGdiPlus>();
    AppIconList().Attach(LoadAppIcons());
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};  // the first eight groups of classes
    ::InitCommonControlsEx(&controls);

    CWinApp::InitInstance();
    if (!AfxOleInit()) {
        AfxMessageBox(IDS_OLE_INIT_FAILED);
        return FALSE;
    }
    AfxEnableControlContainer();

    LoadStartupSettings();
    SetRegistryKey(kRegistryKey);
    RegisterOperatorDialogs();

    auto* frame = static_cast<CMainFrame*>(RUNTIME_CLASS(CMainFrame)->CreateObject());
    if (!frame)
        return FALSE;
    // The main window exists before its creation starts the engine, which looks for it.
    m_pMainWnd = frame;
    if (!frame->LoadFrame(IDR_MENU_SIMPLIFIED, kMainFrameStyle, nullptr, nullptr))
        return FALSE;  // the frame has deleted itself
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    frame->UpdateWindow();
    return TRUE;
}

int CTesselonServerApp::ExitInstance() {
    FreeOemBitmap();
    m_instanceMutex.Close();
    m_gdiPlus.reset();
    return CWinApp::ExitInstance();
}

void CTesselonServerApp::OnAppAbout() {
    CAboutDlg dialog;
    dialog.DoModal();
}
