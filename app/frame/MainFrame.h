#pragma once
// CMainFrame: the server's one top-level window, and where the program is started and stopped. Its creation skins
// the process, builds the status bar, the client pane, the menu bar and the tray icon, creates the modeless
// windows, starts the recording service (configuration and engine threads, stores, TCP server, MP3 encoder) and
// the two timers; its destruction stops the service again, in order. Closing the window only hides it: the server
// goes on recording in the tray, and only the exit command ends it.
//
// Created by the application through its run-time class and loaded with LoadFrame (UI thread); the object deletes
// itself when its window is destroyed. The service's threads reach the window side only through the installed
// service view (GuiServiceView.h).

#include "frame/HousekeepingTimer.h"
#include "views/TesselonServerView.h"

#include "TkFrameWnd.h"
#include "TkTrayIcon.h"

#include "mfc.h"

#include <string>

// The frame's timers.
constexpr UINT_PTR IDT_HOUSEKEEPING = 1;  // every second: status panes and housekeeping
constexpr UINT_PTR IDT_LOGIN = 2;         // once, a second after the start: the operator login
constexpr UINT kFrameTimerMs = 1000;

// Private messages that show a message box chosen by wParam; nothing in the program sends them.
constexpr UINT WM_SHOW_SERVICE_MESSAGE = WM_USER + 2;
constexpr UINT WM_SHOW_DRIVER_MESSAGE = WM_USER + 3;

// The status bar's panes, left to right.
constexpr int kStatusPaneCount = 6;

class CMainFrame : public CTkFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    CStatusBar& StatusBar() { return m_statusBar; }
    CTesselonServerView& ClientPane() { return m_clientPane; }
    CTkTrayIcon& TrayIcon() { return m_trayIcon; }
    const SYSTEMTIME& StartTime() const { return m_startTime; }

    // The menu of a language: 128 English, 160 traditional Chinese, 132 simplified Chinese and any other value.
    static UINT MenuIdForLanguage(int language);

    // The active view (the pane column), the frame's own map and the application, then the client pane: the main
    // view's commands reach it from the menu and the tray too.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Adds the tray icon with menuId's first popup as its menu; FALSE when the notification area refuses it.
    virtual BOOL AddTrayIcon(UINT menuId);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    // Timer 1: the housekeeping tick. Timer 2: the login, once.
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnShowServiceMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowDriverMessage(WPARAM wParam, LPARAM lParam);
    // WM_SHOWVIEW: the pane column shows the pane of the ViewIndex in wParam (1 to 13; anything else changes
    // nothing).
    afx_msg LRESULT OnShowView(WPARAM wParam, LPARAM lParam);
    afx_msg void OnServerAccounts();
    afx_msg void OnClientAccounts();
    afx_msg void OnShowWindow();
    afx_msg void OnBlacklist();
    afx_msg void OnAppExit();
    afx_msg void OnUpdateLoggedIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDefaultAccountOnly(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // Shows every contact of the contact database in the phone-book pane.
    void FillPhoneBook();
    bool CreateStatusBar();
    // The command bars with their dock bars and the language's menu bar, which takes the window's menu away.
    bool CreateCommandBars(UINT menuId);
    void CreateModelessWindows();
    void StopServiceThreads();

    CTkTrayIcon m_trayIcon;
    SYSTEMTIME m_startTime;
    CStatusBar m_statusBar;
    CTesselonServerView m_clientPane;
    CHousekeepingTimer m_housekeeping{*this};
    std::wstring m_stylesFolder;    // "<program folder>\Styles\"
    bool m_serviceStarted = false;  // the service's threads run: the destruction stops them and logs the exit
};
