#include "frame/MainFrame.h"

#include "MainFrameResource.h"
#include "ServiceView.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "engine/EngineThreads.h"
#include "frame/CrashDump.h"
#include "frame/GuiServiceView.h"
#include "frame/Housekeeping.h"
#include "remote/TcpServer.h"
#include "settings/Folders.h"
#include "settings/LangText.h"
#include "startup/ServiceStartup.h"
#include "storage/AccountStore.h"
#include "storage/ContactStore.h"
#include "storage/Stores.h"
#include "views/PcmLinkerDlg.h"
#include "views/RightView.h"
#include "views/SearchDBInfoDlg.h"
#include "views/ViewIndex.h"

#include "TkCommandBars.h"
#include "TkControls.h"
#include "TkPaintManager.h"
#include "TkSkinManager.h"

namespace {

constexpr wchar_t kSkinFile[] = L"Office2007.vardle";
constexpr DWORD kSkinningOptions = 7;  // metrics, frames and colours

// The status panes: indicator ids, styles and widths as a divisor of the client width (0: no width).
struct StatusPane {
    UINT Id;
    UINT Style;
    int WidthDivisor;
};
constexpr StatusPane kStatusPanes[kStatusPaneCount] = {
    {0, SBPS_DISABLED, 0},     // the message pane, kept empty
    {10000, SBPS_STRETCH, 4},  // version and login state
    {10001, SBPS_STRETCH, 4},  // channel counts
    {10002, SBPS_STRETCH, 8},  // recording channels and queue
    {10003, SBPS_STRETCH, 8},  // disk clean-up progress
    {10004, SBPS_STRETCH, 4},  // start time and uptime
};
constexpr int kStatusBarHeight = 20;

// The message boxes of the two private messages, by wParam.
struct MessageBoxChoice {
    WPARAM Choice;
    const wchar_t* CaptionKey;
    const wchar_t* TextKey;
    UINT Icon;
};
constexpr MessageBoxChoice kServiceMessages[] = {
    {0, L"5018", L"5037", MB_ICONINFORMATION},
    {1, L"5018", L"5035", MB_ICONERROR},
    {2, L"5018", L"5036", MB_ICONERROR},
    {3, L"5018", L"5038", MB_ICONERROR},
};
constexpr MessageBoxChoice kDriverMessages[] = {
    {1, L"5043", L"5040", MB_ICONERROR},
    {2, L"5043", L"5041", MB_ICONERROR},
    {3, L"5043", L"5042", MB_ICONERROR},
};

template <size_t N>
void ShowChosenMessageBox(CWnd* owner, const MessageBoxChoice (&choices)[N], WPARAM choice) {
    for (const MessageBoxChoice& entry : choices) {
        if (entry.Choice == choice) {
            owner->MessageBox(LangText(entry.TextKey).c_str(), LangText(entry.CaptionKey).c_str(), entry.Icon);
            return;
        }
    }
}

// The window's title, the tray's tip and the text a second start looks for.
std::wstring ServerTitle() {
    return LangText(L"0001");
}

void CreateCentredHidden(CDialog& dialog, UINT templateId, CWnd* parent) {
    if (dialog.Create(templateId, parent)) {
        dialog.CenterWindow();
        dialog.ShowWindow(SW_HIDE);
    }
}

unsigned __stdcall StopServiceThreadsThread(void*) {
    StopEngine();
    StopTcpServer();
    return 0;
}

}  // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CTkFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CTkFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SHOW_SERVICE_MESSAGE, OnShowServiceMessage)
    ON_MESSAGE(WM_SHOW_DRIVER_MESSAGE, OnShowDriverMessage)
    ON_MESSAGE(WM_SHOWVIEW, OnShowView)
    ON_UPDATE_COMMAND_UI(ID_SETTINGS, OnUpdateLoggedIn)
    ON_UPDATE_COMMAND_UI(ID_LOGOUT, OnUpdateLoggedIn)
    ON_COMMAND(ID_SERVER_ACCOUNTS, OnServerAccounts)
    ON_UPDATE_COMMAND_UI(ID_SERVER_ACCOUNTS, OnUpdateDefaultAccountOnly)
    ON_COMMAND(ID_CLIENT_ACCOUNTS, OnClientAccounts)
    ON_UPDATE_COMMAND_UI(ID_CLIENT_ACCOUNTS, OnUpdateDefaultAccountOnly)
    ON_COMMAND(ID_SHOW_WINDOW, OnShowWindow)
    ON_COMMAND(ID_BLACKLIST, OnBlacklist)
    // Like the other operator commands, the blacklist waits for a login (the tray menu offers it too).
    ON_UPDATE_COMMAND_UI(ID_BLACKLIST, OnUpdateLoggedIn)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_APP_EXIT, OnUpdateLoggedIn)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() {
    ::GetLocalTime(&m_startTime);
}

CMainFrame::~CMainFrame() = default;

UINT CMainFrame::MenuIdForLanguage(int language) {
    switch (language) {
        case kLanguageChineseTraditional:
            return IDR_MENU_TRADITIONAL;
        case kLanguageEnglish:
            return IDR_MENU_ENGLISH;
        default:
            return IDR_MENU_SIMPLIFIED;
    }
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CTkFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return TRUE;
}

BOOL CMainFrame::AddTrayIcon(UINT menuId) {
    return m_trayIcon.CreateTrayIcon(ServerTitle().c_str(), this, IDR_MAINFRAME, menuId, ID_SHOW_WINDOW, FALSE);
}

// The start, in this order. The steps up to the tray icon fail the start before any service thread runs or any
// database is opened; everything after them is best effort.
int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CTkFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_stylesFolder = GetExeFolder() + L"\\Styles\\";

    // Without the skin file the program runs unskinned.
    CTkSkinManager* skin = GetSkinManager();
    skin->SetSkinningOptions(kSkinningOptions);
    skin->OpenSkin((m_stylesFolder + kSkinFile).c_str(), nullptr);

    if (!CreateStatusBar())
        return -1;
    if (!m_clientPane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                             AFX_IDW_PANE_FIRST))
        return -1;
    if (!TheGuiServiceView().Install())
        return -1;

    const UINT menuId = MenuIdForLanguage(LanguageNumber);
    if (!CreateCommandBars(menuId) || !AddTrayIcon(menuId)) {
        TheGuiServiceView().Uninstall();  // a refused creation need not be followed by WM_DESTROY
        return -1;                        // the server never runs without its menu bar and tray icon
    }
    CTkPaintManager::ActivateTheme(kThemeOffice2003);  // the look of every command bar in the process

    CreateModelessWindows();
    StartChannelConfigThread();
    StartEngineThreads();
    m_serviceStarted = true;
    if (CDialog* startup = OperatorDialogs().Startup.Window(); startup && startup->GetSafeHwnd())
        startup->ShowWindow(SW_HIDE);  // the configuration thread shows it while it works

    OpenServiceStores();
    FillPhoneBook();
    WriteProgramStartRow();
    CreateBackupFolder();
    StartTcpServer();                      // a port in use leaves the server running without remote clients
    SetWindowText(ServerTitle().c_str());  // a second start finds the window by this title
    SetIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME), TRUE);
    SetTimer(IDT_LOGIN, kFrameTimerMs, nullptr);
    BindCallWriterEncoder();
    ::SetUnhandledExceptionFilter(CrashDumpFilter);
    SetTimer(IDT_HOUSEKEEPING, kFrameTimerMs, nullptr);
    return 0;
}

void CMainFrame::FillPhoneBook() {
    CRightView* panes = m_clientPane.GetRightView();
    if (!panes)
        return;
    CPhoneBookView* book = &panes->PhoneBookView();
    TheContactStore().ForEachContact([book](const ContactRecord& contact) { AddContactRow(contact, book); });
}

bool CMainFrame::CreateStatusBar() {
    if (!m_statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR))
        return false;
    CRect client;
    GetClientRect(&client);
    UINT ids[kStatusPaneCount];
    for (int i = 0; i < kStatusPaneCount; ++i)
        ids[i] = kStatusPanes[i].Id;
    m_statusBar.SetIndicators(ids, kStatusPaneCount);
    for (int i = 0; i < kStatusPaneCount; ++i) {
        const StatusPane& pane = kStatusPanes[i];
        m_statusBar.SetPaneInfo(i, pane.Id, pane.Style, pane.WidthDivisor ? client.Width() / pane.WidthDivisor : 0);
    }
    return true;
}

bool CMainFrame::CreateCommandBars(UINT menuId) {
    RegisterControlClasses();  // the menu bar makes its controls by class name
    m_pCommandBars = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
    if (!m_pCommandBars)
        return false;
    m_pCommandBars->AttachToSite(this);
    m_pCommandBars->CreateDockBars();
    return m_pCommandBars->CreateMenuBar(L"Menu Bar", menuId) != nullptr;
}

// The start-up window is shown and centred; the others are centred and hidden.
void CMainFrame::CreateModelessWindows() {
    OperatorDialogRegistry& dialogs = OperatorDialogs();
    if (dialogs.Startup.Create(this))
        dialogs.Startup.Window()->ShowWindow(SW_SHOW);
    dialogs.Popup.Create(this);
    dialogs.Monitor.Create(this);
    CreateCentredHidden(ThePcmLinkerDlg(), IDD_PCM_LINKER, this);
    CreateCentredHidden(TheSearchDBInfoDlg(), IDD_SEARCH_DB_INFO, this);
}

// The shutdown, in this order. The view goes first: a service thread may sit in a view call to this thread, which
// then finds the view closed and returns, and the threads are stopped while this thread serves their messages, so
// each ends by itself.
void CMainFrame::OnDestroy() {
    CTkFrameWnd::OnDestroy();
    TheGuiServiceView().Uninstall();
    m_trayIcon.RemoveIcon();
    KillTimer(IDT_HOUSEKEEPING);
    m_housekeeping.Stop();
    if (!m_serviceStarted)
        return;  // a start that failed opened nothing
    StopServiceThreads();
    WriteProgramExitRow(CurrentOperator.UserName);
    CloseServiceStores();
    FreeCallWriterEncoder();
    m_serviceStarted = false;
}

// StopEngine and StopTcpServer run on a helper thread while this thread waits serving the messages sent to it.
void CMainFrame::StopServiceThreads() {
    CScopedKernelHandle helper(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, StopServiceThreadsThread, nullptr, 0, nullptr)));
    if (!helper.IsValid()) {
        StopServiceThreadsThread(nullptr);  // the service's own waits serve the sent messages too
        return;
    }
    WaitForServiceThread(helper.Get(), INFINITE);
}

void CMainFrame::OnClose() {
    ShowWindow(SW_HIDE);
}

void CMainFrame::OnSize(UINT nType, int cx, int cy) {
    CTkFrameWnd::OnSize(nType, cx, cy);
    if (m_statusBar.GetSafeHwnd())
        m_statusBar.MoveWindow(0, cy - kStatusBarHeight, cx, kStatusBarHeight, TRUE);
}

void CMainFrame::OnPaint() {
    CPaintDC dc(this);  // the client pane covers the client area
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == IDT_HOUSEKEEPING) {
        m_housekeeping.Tick(HousekeepingNow());
    } else if (nIDEvent == IDT_LOGIN) {
        KillTimer(IDT_LOGIN);  // before the dialog: its message loop goes on delivering timers
        OperatorLoggedIn = OperatorDialogs().Login.Run(this) == IDOK ? 1 : 0;
    }
    CTkFrameWnd::OnTimer(nIDEvent);
}

LRESULT CMainFrame::OnShowServiceMessage(WPARAM wParam, LPARAM) {
    ShowChosenMessageBox(this, kServiceMessages, wParam);
    return 0;
}

LRESULT CMainFrame::OnShowDriverMessage(WPARAM wParam, LPARAM) {
    ShowChosenMessageBox(this, kDriverMessages, wParam);
    return 0;
}

void CMainFrame::OnServerAccounts() {
    OperatorDialogs().Accounts.Run(this, kOperatorAccounts);
}

void CMainFrame::OnClientAccounts() {
    OperatorDialogs().Accounts.Run(this, kClientAccounts);
}

void CMainFrame::OnShowWindow() {
    ShowWindow(SW_SHOW);
}

void CMainFrame::OnBlacklist() {
    OperatorDialogs().Blacklist.Run(this);
}

void CMainFrame::OnAppExit() {
    if (MessageBox(LangText(L"0211").c_str(), LangText(L"0212").c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES)
        CTkFrameWnd::OnClose();
}

LRESULT CMainFrame::OnShowView(WPARAM wParam, LPARAM) {
    if (CRightView* panes = m_clientPane.GetRightView())
        panes->ShowView(static_cast<int>(wParam));
    return 0;
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CTkFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_clientPane.GetSafeHwnd() && m_clientPane.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMainFrame::OnUpdateLoggedIn(CCmdUI* pCmdUI) {
    pCmdUI->Enable(OperatorLoggedIn != 0);
}

// Only the built-in account manages the accounts (its name matched exactly, letter case included).
void CMainFrame::OnUpdateDefaultAccountOnly(CCmdUI* pCmdUI) {
    pCmdUI->Enable(OperatorLoggedIn != 0 && wcscmp(CurrentOperator.UserName, kDefaultAccountName) == 0);
}
