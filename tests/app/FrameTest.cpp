#include "frame/MainFrame.h"
#include "frame/TesselonServerApp.h"

#include "FrameTestSupport.h"
#include "FtpResource.h"
#include "MainFrameResource.h"
#include "MainViewResource.h"
#include "ServiceView.h"
#include "WaitUntil.h"
#include "WorkerThread.h"
#include "common/ChannelPane.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "engine/CardEngineState.h"
#include "frame/GuiServiceView.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "storage/SysLogStore.h"
#include "settings/Settings.h"
#include "startup/ServiceStartup.h"
#include "storage/AccountStore.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "views/PcmLinkerDlg.h"
#include "views/RightView.h"
#include "views/SearchDBInfoDlg.h"
#include "views/ViewIndex.h"

#include "DibPixels.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkMenuBar.h"
#include "TkPaintManager.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

CTesselonServerApp testApp;  // the process's application object, as the program has one

namespace {

// A frame whose client area is 1000 pixels wide when it is created.
class CSizedFrame : public CMainFrame {
protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        if (!CMainFrame::PreCreateWindow(cs))
            return FALSE;
        RECT outer = {0, 0, 1000, 700};
        AdjustWindowRectEx(&outer, cs.style, TRUE, cs.dwExStyle | WS_EX_CLIENTEDGE);
        cs.x = 0;
        cs.y = 0;
        cs.cx = outer.right - outer.left;
        cs.cy = outer.bottom - outer.top;
        return TRUE;
    }
};

// A frame whose notification area refuses the icon.
class CTrayRefusedFrame : public CMainFrame {
protected:
    BOOL AddTrayIcon(UINT) override { return FALSE; }
};

bool ServiceThreadsRun() {
    return EngineState.ChannelPollThread.IsStarted() || EngineState.CallWriterThread.IsStarted() ||
           EngineState.SysLogWriterThread.IsStarted() || EngineState.HookMonitorThread.IsStarted();
}

BOOL IsCommandEnabled(CCmdTarget* target, UINT id) {
    CTestCmdUI update;
    update.m_nID = id;
    update.DoUpdate(target, TRUE);
    return update.m_bEnabled;
}

void LogIn(const wchar_t* name) {
    OperatorLoggedIn = 1;
    CurrentOperator = {};
    wcscpy(CurrentOperator.UserName, name);
}

std::vector<std::wstring> FilesIn(const std::wstring& folder, const std::wstring& extension) {
    std::vector<std::wstring> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && (extension.empty() || entry.path().extension() == extension))
            files.push_back(entry.path().wstring());
    }
    return files;
}

int AccountsNamed(AccountStore& store, const wchar_t* name, AccountRecord* found = nullptr) {
    int count = 0;
    store.ForEachAccount([&](const AccountRecord& account) {
        if (wcscmp(account.UserName, name) == 0) {
            ++count;
            if (found)
                *found = account;
        }
    });
    return count;
}

// The menu bar's item of a command in its first popup (the File menu), its state brought up to date as an open
// popup has it.
CTkControl* FileMenuItem(CTkMenuBar* menuBar, UINT id) {
    CTkCommandBar* file = menuBar->GetControl(0)->GetCommandBar();
    if (!file)
        return nullptr;
    file->UpdateCommandUI();
    return file->GetControls()->FindById(static_cast<int>(id));
}

TEST(Application, SecondStartShowsTheRunningWindowInItsLanguageAndEnds) {
    ServerFolder folder;
    HANDLE running = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
    HWND window = CreateWindowExW(0, L"STATIC", L"T0001", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(window);

    EXPECT_FALSE(testApp.InitInstance());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(nullptr, static_cast<CWnd*>(testApp.m_pMainWnd));
    testApp.ExitInstance();

    DestroyWindow(window);
    CloseHandle(running);
}

TEST(MainFrame, RefusedTrayIconFailsTheStartBeforeAnyThreadOrDatabase) {
    ServerFolder folder;
    LoadStartupSettings();
    OperatorDialogs() = {};

    auto* frame = new CTrayRefusedFrame;
    testApp.m_pMainWnd = frame;
    EXPECT_FALSE(frame->LoadFrame(IDR_MENU_SIMPLIFIED, kFrameStyle, nullptr, nullptr));

    EXPECT_EQ(nullptr, static_cast<CWnd*>(testApp.m_pMainWnd));
    EXPECT_EQ(nullptr, GetServiceView());
    EXPECT_FALSE(ServiceThreadsRun());
    EXPECT_TRUE(FilesIn(folder.DataFolder(), L"").empty());
    EXPECT_EQ(L"", ReadSettingString(kSectionDBPath, kKeyMyContact));
    TakeQuitMessage();
}

TEST(MainFrame, StartsTheServiceHidesOnCloseAndStopsItInOrderOnExit) {
    ServerFolder folder;
    LoadStartupSettings();
    OperatorLoggedIn = 0;
    CurrentOperator = {};

    OperatorDialogs() = {};
    std::vector<int> accountModes;
    int blacklistRuns = 0;
    OperatorDialogs().Accounts.Register([&](CWnd*, AccountsMode mode) {
        accountModes.push_back(mode);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    OperatorDialogs().Blacklist.Register([&](CWnd*) {
        ++blacklistRuns;
        return static_cast<INT_PTR>(IDCANCEL);
    });
    int loginRuns = 0;
    OperatorDialogs().Login.Register([&](CWnd*) {
        ++loginRuns;
        return static_cast<INT_PTR>(IDCANCEL);
    });
    static CDialog startupWindow(IDD_SEARCH_DB_INFO);
    OperatorDialogs().Startup.Register(&startupWindow, IDD_SEARCH_DB_INFO);

    OperatorLoggedIn = 1;  // until the login is cancelled
    CMainFrame* frame = StartFrame(new CSizedFrame);
    ASSERT_TRUE(frame);
    const HWND window = frame->GetSafeHwnd();

    // The login is asked for once, a second after the start; cancelled, nobody is logged in.
    EXPECT_TRUE(PumpUntil([&] { return loginRuns == 1; }, 5000));
    EXPECT_EQ(0, OperatorLoggedIn);

    // The window.
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_STREQ(L"T0001", title);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
    int parts[kStatusPaneCount] = {};
    ASSERT_EQ(kStatusPaneCount, SendMessageW(frame->StatusBar().GetSafeHwnd(), SB_GETPARTS, kStatusPaneCount,
                                             reinterpret_cast<LPARAM>(parts)));
    const int widths[kStatusPaneCount] = {0, 250, 250, 125, 125, 250};
    for (int i = 0, left = 0; i < kStatusPaneCount; left = parts[i++])
        EXPECT_EQ(widths[i], parts[i] - left) << "pane " << i;
    EXPECT_EQ(AFX_IDW_PANE_FIRST, static_cast<UINT>(GetDlgCtrlID(frame->ClientPane().GetSafeHwnd())));
    EXPECT_FALSE(frame->ClientPane().GetStyle() & WS_BORDER);

    // The menu bar holds the language's menu (English here), docked above the client pane, in the Office 2003 look;
    // the window has no menu of its own.
    EXPECT_EQ(nullptr, GetMenu(window));
    ASSERT_TRUE(frame->GetCommandBars());
    CTkMenuBar* menuBar = frame->GetCommandBars()->GetMenuBar();
    ASSERT_TRUE(menuBar);
    EXPECT_EQ(L"Menu Bar", std::wstring(menuBar->GetTitle()));
    EXPECT_EQ(IDR_MENU_ENGLISH, menuBar->GetResourceId());
    EXPECT_TRUE(menuBar->IsWindowVisible());
    EXPECT_EQ(kThemeOffice2003, CTkPaintManager::GetCurrentPaintManager()->GetThemeNumber());
    std::vector<std::wstring> menuTitles;
    for (int i = 0; i < menuBar->GetControlCount(); ++i) {
        if (!menuBar->GetControl(i)->IsTemporary())
            menuTitles.push_back(std::wstring(menuBar->GetControl(i)->GetCaptionText()));
    }
    EXPECT_EQ((std::vector<std::wstring>{L"&File", L"&Help"}), menuTitles);
    std::vector<int> fileIds;
    CTkCommandBar* fileMenu = menuBar->GetControl(0)->GetCommandBar();
    ASSERT_TRUE(fileMenu);
    for (int i = 0; i < fileMenu->GetControlCount(); ++i)
        fileIds.push_back(fileMenu->GetControl(i)->GetId());
    EXPECT_EQ((std::vector<int>{ID_SETTINGS, ID_DATABASE_PATH, ID_SERVER_ACCOUNTS, ID_CLIENT_ACCOUNTS, ID_LOGOUT,
                                ID_LOGIN, ID_BLACKLIST, ID_APP_EXIT}),
              fileIds);
    CRect menuBarRect;
    CRect paneRect;
    menuBar->GetWindowRect(&menuBarRect);
    frame->ClientPane().GetWindowRect(&paneRect);
    EXPECT_GT(menuBarRect.Height(), 0);
    EXPECT_LE(menuBarRect.bottom, paneRect.top);
    // A picture of the window as the screen shows it, to look at.
    CRect frameRect;
    GetWindowRect(window, &frameRect);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntil([] { return false; }, 300);
    CScopedMemDC picture(frameRect.Width(), frameRect.Height());
    ASSERT_TRUE(picture.IsValid());
    HDC screen = GetDC(nullptr);
    BitBlt(picture.GetSafeHdc(), 0, 0, frameRect.Width(), frameRect.Height(), screen, frameRect.left, frameRect.top,
           SRCCOPY);
    ReleaseDC(nullptr, screen);
    WritePng(picture, L"Z:\\tmp\\frame_main_window.png");

    // The modeless windows exist, hidden.
    ASSERT_TRUE(IsWindow(startupWindow.GetSafeHwnd()));
    EXPECT_FALSE(IsWindowVisible(startupWindow.GetSafeHwnd()));
    CPcmLinkerDlg& pcm = ThePcmLinkerDlg();
    ASSERT_TRUE(IsWindow(pcm.GetSafeHwnd()));
    EXPECT_FALSE(IsWindowVisible(pcm.GetSafeHwnd()));
    EXPECT_EQ(0x23u, pcm.LinkList().GetExtendedStyle() & 0x23u);
    const int columnWidths[] = {100, 150, 180};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(columnWidths[i], pcm.LinkList().GetColumnWidth(i));
    EXPECT_EQ(0, pcm.LinkList().GetItemCount()) << "no trunk board: titles only";
    wchar_t searchTitle[32] = {};
    GetWindowTextW(TheSearchDBInfoDlg().GetSafeHwnd(), searchTitle, 32);
    EXPECT_STREQ(L"T5082", searchTitle);
    EXPECT_FALSE(IsWindowVisible(TheSearchDBInfoDlg().GetSafeHwnd()));

    // The service: threads, stores with their DBPath keys, the default accounts and the start row.
    EXPECT_TRUE(ServiceThreadsRun());
    EXPECT_EQ(&TheGuiServiceView(), GetServiceView());
    const struct {
        const wchar_t* Key;
        const wchar_t* File;
    } stores[] = {{kKeyMyContact, kContactDbName},
                  {kKeyMyLoginServer, kServerAccountDbName},
                  {kKeyMyLoginClient, kClientAccountDbName},
                  {kKeyMyFtp, kFtpQueueDbName}};
    for (const auto& store : stores) {
        EXPECT_EQ(StoreFilePath(store.File), ReadSettingString(kSectionDBPath, store.Key));
        EXPECT_TRUE(std::filesystem::exists(StoreFilePath(store.File))) << store.File;
    }
    SYSTEMTIME today;
    GetLocalTime(&today);
    EXPECT_TRUE(std::filesystem::exists(CdrDayFile(today)));
    EXPECT_EQ(1, AccountsNamed(ServerAccountStore(), kDefaultAccountName));
    AccountRecord client{};
    ASSERT_EQ(1, AccountsNamed(ClientAccountStore(), kDefaultAccountName, &client));
    std::ifstream rights(client.UserFile, std::ios::binary);
    const std::vector<char> rightsBytes((std::istreambuf_iterator<char>(rights)), std::istreambuf_iterator<char>());
    EXPECT_EQ(std::vector<char>(kRightsFileSize, 1), rightsBytes);
    rights.close();
    const std::vector<SysLogRow> startRows = RowsOf(kSysLogProgramStarted);
    ASSERT_EQ(1u, startRows.size());
    EXPECT_STREQ(L"T0186", startRows[0].Name);
    EXPECT_STREQ(L"T0136", startRows[0].Notes);

    // The service's threads show through the view: one message to this thread per call.
    LogIn(L"tovak");
    SYSTEMTIME read = {2026, 3, 0, 4, 5, 6, 7, 0};
    std::wstring nameSeenByWorker;
    std::thread worker([&] {
        GetServiceView()->PcmLinkRow(1, 0x1234ABCD, read);
        nameSeenByWorker = GetServiceView()->OperatorName();
    });
    PumpUntil([&] { return pcm.LinkList().GetItemCount() == 2 && !nameSeenByWorker.empty(); });
    worker.join();
    EXPECT_EQ(L"tovak", nameSeenByWorker);
    ASSERT_EQ(2, pcm.LinkList().GetItemCount());
    EXPECT_EQ(L"1", std::wstring(pcm.LinkList().GetItemText(1, 0)));
    EXPECT_EQ(L"1234ABCD(0D)", std::wstring(pcm.LinkList().GetItemText(1, 1)));
    EXPECT_EQ(L"2026-03-04 05:06:07", std::wstring(pcm.LinkList().GetItemText(1, 2)));

    // The FTP log pane gets its rows through the view too; WM_SHOWVIEW switches the pane column.
    CRightView* panes = frame->ClientPane().GetRightView();
    ASSERT_TRUE(panes);
    FtpJob job{};
    CopyToField(job.RecFilePath, L"C:\\rec\\call.wav");
    std::thread ftpWorker([&] { GetServiceView()->FtpLogRow(job, kFtpUploadDone); });
    const HWND ftpList = GetDlgItem(panes->FtpWnd().GetSafeHwnd(), IDC_FTP_LOG_LIST);
    PumpUntil([&] { return SendMessageW(ftpList, LVM_GETITEMCOUNT, 0, 0) == 1; });
    ftpWorker.join();
    ASSERT_EQ(1, SendMessageW(ftpList, LVM_GETITEMCOUNT, 0, 0));
    SendMessageW(window, WM_SHOWVIEW, kViewUploadLog, 0);
    EXPECT_TRUE(panes->FtpWnd().IsWindowVisible());
    EXPECT_FALSE(panes->CardView().IsWindowVisible());
    SendMessageW(window, WM_SHOWVIEW, kViewChannels, 0);
    EXPECT_TRUE(panes->CardView().IsWindowVisible());
    EXPECT_EQ(panes, frame->GetActiveView());

    // The channel pane has registered its call for the windows below it.
    EXPECT_TRUE(ChannelPane().ClearMonitorIcon.IsRegistered());

    // Closing hides the window and stops nothing; the tray's command shows it again.
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(ServiceThreadsRun());
    SendMessageW(window, WM_COMMAND, ID_SHOW_WINDOW, 0);
    EXPECT_TRUE(IsWindowVisible(window));

    // Which commands the operator may use.
    const struct {
        int LoggedIn;
        const wchar_t* Name;
        BOOL Operator;  // the commands that wait for a login
        BOOL Accounts;
    } gates[] = {
        {0, L"tovak", FALSE, FALSE},
        {1, L"tovak", TRUE, TRUE},
        {1, L"Tovak", TRUE, FALSE},  // the built-in account's name, exactly
        {1, L"anna", TRUE, FALSE},
    };
    for (const auto& gate : gates) {
        LogIn(gate.Name);
        OperatorLoggedIn = gate.LoggedIn;
        // The menu bar's items, brought up to date by the frame's handlers and the main view's.
        for (const auto& [id, enabled] : {std::pair{ID_APP_EXIT, gate.Operator},
                                          {ID_BLACKLIST, gate.Operator},
                                          {ID_SERVER_ACCOUNTS, gate.Accounts},
                                          {ID_CLIENT_ACCOUNTS, gate.Accounts},
                                          {ID_SETTINGS, gate.Operator},
                                          {ID_LOGOUT, gate.Operator},
                                          {ID_LOGIN, !gate.Operator},
                                          {ID_DATABASE_PATH, FALSE}}) {  // no handler
            CTkControl* item = FileMenuItem(menuBar, id);
            ASSERT_TRUE(item) << id;
            EXPECT_EQ(enabled, item->GetEnabled()) << id << gate.Name << gate.LoggedIn;
        }
        // The channel pane's commands and the main view's toolbar command, routed by the frame.
        EXPECT_EQ(gate.Operator, IsCommandEnabled(frame, ID_CHANNEL_LISTEN)) << gate.Name << gate.LoggedIn;
        EXPECT_TRUE(IsCommandEnabled(frame, ID_CHANNEL_PCM_STATUS));
        EXPECT_TRUE(IsCommandEnabled(frame, ID_TOGGLE_LEFT_PANE));
    }

    // Logged out, menu commands that need a login are dropped (the tray menu shows the window's menu too).
    OperatorLoggedIn = 0;
    {
        MessageBoxAnswerer no(L"T0212", IDNO);
        SendMessageW(window, WM_COMMAND, ID_APP_EXIT, 0);
        EXPECT_FALSE(no.Answered(300));
    }
    SendMessageW(window, WM_COMMAND, ID_BLACKLIST, 0);
    EXPECT_EQ(0, blacklistRuns);
    EXPECT_TRUE(IsWindow(window));

    // Logged in, the menu bar's items reach the frame's handlers.
    LogIn(L"tovak");
    for (UINT id : {ID_SERVER_ACCOUNTS, ID_CLIENT_ACCOUNTS, ID_BLACKLIST})
        FileMenuItem(menuBar, id)->Execute();
    EXPECT_EQ((std::vector<int>{kOperatorAccounts, kClientAccounts}), accountModes);
    EXPECT_EQ(1, blacklistRuns);
    {
        MessageBoxAnswerer no(L"T0212", IDNO);
        SendMessageW(window, WM_COMMAND, ID_APP_EXIT, 0);
        EXPECT_TRUE(no.Answered());
    }
    EXPECT_TRUE(IsWindow(window)) << "No leaves everything running";
    EXPECT_TRUE(ServiceThreadsRun());

    // The private message boxes, by wParam; other values show nothing.
    const struct {
        UINT Message;
        WPARAM Choice;
        const wchar_t* Caption;
        const wchar_t* Text;
    } boxes[] = {{WM_SHOW_SERVICE_MESSAGE, 3, L"T5018", L"T5038"}, {WM_SHOW_DRIVER_MESSAGE, 2, L"T5043", L"T5041"}};
    for (const auto& box : boxes) {
        MessageBoxAnswerer ok(box.Caption, IDOK);
        EXPECT_EQ(0, SendMessageW(window, box.Message, box.Choice, 0));
        EXPECT_TRUE(ok.Answered());
        EXPECT_EQ(box.Text, ok.Text());
    }
    for (const auto& [message, choice] : {std::pair{WM_SHOW_SERVICE_MESSAGE, 4}, {WM_SHOW_DRIVER_MESSAGE, 0}})
        EXPECT_EQ(0, SendMessageW(window, message, choice, 0));

    // Exit while a worker sits in view calls: the worker's calls end, every service thread ends by itself.
    std::atomic<bool> workerInCall = false;
    std::thread viewCaller([&] {
        while (IServiceView* view = GetServiceView()) {
            workerInCall = true;
            view->OperatorName();
        }
    });
    ASSERT_TRUE(WaitUntil([&] { return workerInCall.load(); }));
    NOTIFYICONDATAW trayIcon{};
    trayIcon.cbSize = sizeof(trayIcon);
    trayIcon.hWnd = frame->TrayIcon().GetSafeHwnd();
    trayIcon.uID = IDR_MENU_ENGLISH;  // the tray's id is the menu's
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &trayIcon)) << "the icon is in the notification area";
    ExitWithYes(window);
    EXPECT_EQ(1, loginRuns);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &trayIcon)) << "the icon is gone";
    viewCaller.join();
    EXPECT_EQ(nullptr, static_cast<CWnd*>(testApp.m_pMainWnd));
    EXPECT_EQ(nullptr, GetServiceView());
    EXPECT_FALSE(ServiceThreadsRun());
    EXPECT_FALSE(ChannelPane().ClearMonitorIcon.IsRegistered()) << "the pane took its call with it";
    const std::vector<SysLogRow> exitRows = RowsOf(kSysLogProgramExited);
    ASSERT_EQ(1u, exitRows.size());
    EXPECT_STREQ(L"T0186 tovak", exitRows[0].Name);
    EXPECT_STREQ(L"T0137", exitRows[0].Notes);
    EXPECT_TRUE(RowsOf(kSysLogThreadTerminated).empty());

    // Every store is closed: their files can be moved.
    std::vector<std::wstring> storeFiles = {CdrDayFile(today)};
    for (const auto& store : stores)
        storeFiles.push_back(StoreFilePath(store.File));
    for (const std::wstring& path : storeFiles) {
        EXPECT_TRUE(MoveFileW(path.c_str(), (path + L".moved").c_str())) << path;
        MoveFileW((path + L".moved").c_str(), path.c_str());
    }

    // The next start finds both default accounts and makes nothing new.
    const size_t rightsFiles = FilesIn(folder.DataFolder(), L".txt").size();
    OpenServiceStores();
    EXPECT_EQ(1, AccountsNamed(ServerAccountStore(), kDefaultAccountName));
    EXPECT_EQ(1, AccountsNamed(ClientAccountStore(), kDefaultAccountName));
    EXPECT_EQ(rightsFiles, FilesIn(folder.DataFolder(), L".txt").size());
    CloseServiceStores();
    OperatorDialogs() = {};
    OperatorLoggedIn = 0;
}

}  // namespace
