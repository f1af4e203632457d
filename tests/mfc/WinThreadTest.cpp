// The application's message loop: idle command-UI updates, pre-translation and the main window seen
// from other threads.

#include "WndTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT ID_LOGGED_IN_ONLY = 32856;
constexpr UINT ID_BAR_BUTTON = ID_LOGGED_IN_ONLY;
constexpr UINT_PTR kTimerPostCommand = 1;
constexpr int kQuitCode = 5;

// The main window: its commands need a logged-in operator. Once idle processing has run, its timer
// posts the menu command and ends the loop.
class CMainProbe : public CWnd {
public:
    BOOL m_bLoggedIn = FALSE;
    int m_nCommands = 0;
    const int* m_pIdleUpdates = nullptr;  // not owned; the bar's count, or NULL not to wait for it

protected:
    afx_msg void OnLoggedInOnly() { ++m_nCommands; }
    afx_msg void OnUpdateLoggedInOnly(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bLoggedIn); }
    afx_msg void OnTimer(UINT_PTR nIDEvent) {
        if (nIDEvent != kTimerPostCommand || (m_pIdleUpdates != nullptr && *m_pIdleUpdates == 0))
            return;
        KillTimer(nIDEvent);
        PostMessage(WM_COMMAND, ID_LOGGED_IN_ONLY, 0);
        ::PostQuitMessage(kQuitCode);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainProbe, CWnd)
    ON_COMMAND(ID_LOGGED_IN_ONLY, OnLoggedInOnly)
    ON_UPDATE_COMMAND_UI(ID_LOGGED_IN_ONLY, OnUpdateLoggedInOnly)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// A bar inside the main window: at idle time its buttons take their state from the frame's handlers.
class CBarProbe : public CWnd {
public:
    int m_nIdleUpdates = 0;

protected:
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
        ++m_nIdleUpdates;
        UpdateDialogControls(GetParent(), static_cast<BOOL>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarProbe, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

// Logs which objects pre-translate a key, and may swallow it.
class CKeyProbe : public CWnd {
public:
    CKeyProbe(std::vector<std::string>* pLog, const char* pszName) : m_pLog(pLog), m_name(pszName) {}
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN)
            m_pLog->push_back(m_name);
        return m_bSwallow;
    }
    BOOL m_bSwallow = FALSE;

private:
    std::vector<std::string>* m_pLog;
    std::string m_name;
};

// Records the order of its life steps.
class COrderApp : public CWinApp {
public:
    explicit COrderApp(BOOL bStart) : CWinApp(L"test"), m_bStart(bStart) {}
    BOOL InitInstance() override {
        m_steps.push_back("init");
        if (m_bStart)
            ::PostQuitMessage(kQuitCode);
        return m_bStart;
    }
    int ExitInstance() override {
        m_steps.push_back("exit");
        return m_bStart ? CWinApp::ExitInstance() : 40;
    }

    BOOL m_bStart;
    std::vector<std::string> m_steps;
};

struct LoopFixture {
    CWinApp app{L"test"};
    CMainProbe frame;
    CBarProbe bar;
    HWND hButton = nullptr;

    LoopFixture() {
        CreateTopLevel(&frame);
        CreateChild(&bar, &frame, AFX_IDW_TOOLBAR);
        hButton = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 20, 20, bar.m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_BAR_BUTTON)), nullptr, nullptr);
        frame.m_pIdleUpdates = &bar.m_nIdleUpdates;
        app.m_pMainWnd = &frame;
    }
    ~LoopFixture() { app.m_pMainWnd = nullptr; }

    int RunOnce() {
        frame.SetTimer(kTimerPostCommand, 10);
        return app.Run();
    }
};

}  // namespace

TEST(WinApp, WinMainRunsTheLoopOnlyAfterASuccessfulStartAndExitsWithExitInstancesCode) {
    wchar_t szCommandLine[] = L"";
    {
        COrderApp app(FALSE);
        EXPECT_EQ(AfxWinMain(::GetModuleHandleW(nullptr), nullptr, szCommandLine, SW_HIDE), 40);
        EXPECT_EQ(app.m_steps, (std::vector<std::string>{"init", "exit"}));
    }
    {
        // The loop ends with the quit code, which the base ExitInstance answers.
        COrderApp app(TRUE);
        EXPECT_EQ(AfxWinMain(::GetModuleHandleW(nullptr), nullptr, szCommandLine, SW_HIDE), kQuitCode);
        EXPECT_EQ(app.m_steps, (std::vector<std::string>{"init", "exit"}));
    }
}

TEST(WinThreadLoop, IdleUpdateDisablesACommandAndTheDisabledMenuCommandIsDropped) {
    LoopFixture f;
    ASSERT_NE(f.hButton, nullptr);
    f.frame.ShowWindow(SW_SHOWNOACTIVATE);

    EXPECT_EQ(f.RunOnce(), kQuitCode);
    EXPECT_GE(f.bar.m_nIdleUpdates, 1);
    EXPECT_FALSE(::IsWindowEnabled(f.hButton));
    EXPECT_EQ(f.frame.m_nCommands, 0);

    f.frame.m_bLoggedIn = TRUE;
    EXPECT_EQ(f.RunOnce(), kQuitCode);
    EXPECT_TRUE(::IsWindowEnabled(f.hButton));
    EXPECT_EQ(f.frame.m_nCommands, 1);
}

TEST(WinThreadLoop, AHiddenMainWindowGetsNoIdleUpdate) {
    LoopFixture f;
    f.frame.m_pIdleUpdates = nullptr;
    EXPECT_EQ(f.RunOnce(), kQuitCode);
    EXPECT_EQ(f.bar.m_nIdleUpdates, 0);
}

TEST(WinThreadLoop, PreTranslateWalksFromTheTargetUpToTheMainWindow) {
    CWinApp app(L"test");
    std::vector<std::string> log;
    CKeyProbe frame(&log, "frame");
    CKeyProbe pane(&log, "pane");
    CKeyProbe edit(&log, "edit");
    CKeyProbe tool(&log, "tool");  // an unowned top-level window
    CKeyProbe toolChild(&log, "tool-child");
    ASSERT_TRUE(CreateTopLevel(&frame));
    ASSERT_TRUE(CreateChild(&pane, &frame, 1));
    ASSERT_TRUE(CreateChild(&edit, &pane, 2));
    ASSERT_TRUE(CreateTopLevel(&tool, WS_POPUP));
    ASSERT_TRUE(CreateChild(&toolChild, &tool, 3));
    app.m_pMainWnd = &frame;

    struct Case {
        CWnd* pTarget;
        CKeyProbe* pSwallower;
        BOOL bTaken;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {&edit, nullptr, FALSE, {"edit", "pane", "frame"}},
        {&edit, &pane, TRUE, {"edit", "pane"}},
        {&toolChild, nullptr, FALSE, {"tool-child", "tool", "frame"}},  // the main window's last chance
        {&toolChild, &tool, TRUE, {"tool-child", "tool"}},
    };
    for (const Case& c : cases) {
        log.clear();
        for (CKeyProbe* p : {&frame, &pane, &edit, &tool, &toolChild})
            p->m_bSwallow = p == c.pSwallower;
        MSG msg = {c.pTarget->m_hWnd, WM_KEYDOWN, VK_RETURN, 0};
        EXPECT_EQ(app.PreTranslateMessage(&msg), c.bTaken);
        EXPECT_EQ(log, c.log);
    }
    app.m_pMainWnd = nullptr;
}

TEST(WinThreadLoop, TheMainWindowIsSharedButAfxGetMainWndIsThreadRelative) {
    CWinApp app(L"test");
    CWnd frame;
    ASSERT_TRUE(CreateTopLevel(&frame));
    app.m_pMainWnd = &frame;

    CWnd* pWorkerMainWnd = &frame;
    CWnd* pWorkerAppMainWnd = nullptr;
    CWinThread* pWorkerThread = &app;
    std::thread([&] {
        pWorkerMainWnd = AfxGetMainWnd();
        pWorkerAppMainWnd = AfxGetApp()->m_pMainWnd;
        pWorkerThread = AfxGetThread();
    }).join();

    EXPECT_EQ(AfxGetMainWnd(), &frame);
    EXPECT_EQ(AfxGetThread(), &app);
    EXPECT_EQ(pWorkerMainWnd, nullptr);
    EXPECT_EQ(pWorkerAppMainWnd, &frame);
    EXPECT_EQ(pWorkerThread, nullptr);
    app.m_pMainWnd = nullptr;
}
