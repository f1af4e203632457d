// The tray icon against Wine's own notification area: adding and removing, the tip's bound, the owner's
// first say on every callback, the double-click command, adding again when the taskbar is made again or
// the work area changes, and the animation frames. The cases that show the tray menu move the pointer's
// focus and run alone (TrayIconMenu.*).

#include "FoundationTestSupport.h"
#include "TkTrayIcon.h"
#include "WaitUntil.h"

#include <string>
#include <vector>

namespace {

constexpr UINT kNormalIcon = 128;
constexpr UINT kMissingIcon = 131;
constexpr UINT kTrayMenu = 132;
constexpr UINT kShowCommand = 32854;
constexpr UINT kExitCommand = 57665;
constexpr UINT kTimerId = 1001;

// The icon's state, read from the protected members.
class TestTrayIcon : public CTkTrayIcon {
public:
    using CTkTrayIcon::m_bAddFailed;
    using CTkTrayIcon::m_bRemoved;
    using CTkTrayIcon::m_nFrame;
    using CTkTrayIcon::m_nid;
    using CTkTrayIcon::m_strTip;
    using CTkTrayIcon::m_wndTaskbarHider;
    size_t GetFrameCount() const { return m_animation.size(); }
    HICON GetFrameIcon(size_t i) const { return m_animation[i].hIcon; }
};

// A hidden owner that records what the tray icon sends it and answers the callback as told.
class CTrayOwner : public CWnd {
public:
    CTrayOwner() { CreateEx(0, AfxRegisterWndClass(0), L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == CTkTrayIcon::kCallbackMessage) {
            ++m_nCallbacks;
            return m_lCallbackAnswer;
        }
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        if (message == WM_INITMENUPOPUP) {
            ++m_nMenus;
            m_nMenuDefault = ::GetMenuDefaultItem(reinterpret_cast<HMENU>(wParam), FALSE, 0);
            // Tracking blocks this thread: the menu is closed from a timer once it is open.
            ::SetTimer(m_hWnd, 1, 50, [](HWND hWnd, UINT, UINT_PTR nId, DWORD) {
                ::KillTimer(hWnd, nId);
                ::EndMenu();
            });
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // TRUE once when a WM_NULL is waiting in the queue.
    BOOL TakePostedNull() {
        MSG msg;
        return ::PeekMessageW(&msg, m_hWnd, WM_NULL, WM_NULL, PM_REMOVE);
    }

    LRESULT m_lCallbackAnswer = 0;
    int m_nCallbacks = 0;
    int m_nMenus = 0;
    UINT m_nMenuDefault = static_cast<UINT>(-1);
    std::vector<UINT> m_commands;
};

// TRUE when the shell holds an icon of that window and id: a modification without flags succeeds only
// for an icon it holds.
bool ShellHolds(HWND hWnd, UINT nId) {
    NOTIFYICONDATAW nid = {};
    nid.cbSize = NOTIFYICONDATAW_V2_SIZE;
    nid.hWnd = hWnd;
    nid.uID = nId;
    return ::Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

void DeleteFromShell(HWND hWnd, UINT nId) {
    NOTIFYICONDATAW nid = {};
    nid.cbSize = NOTIFYICONDATAW_V2_SIZE;
    nid.hWnd = hWnd;
    nid.uID = nId;
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &nid));
}

// Wine hides its notification area when the last icon leaves it, which costs two seconds without a
// window manager: an icon of the test process's own keeps it shown for the whole run.
void KeepNotificationAreaShown() {
    [[maybe_unused]] static const HWND s_hWnd = [] {
        HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        NOTIFYICONDATAW nid = {};
        nid.cbSize = NOTIFYICONDATAW_V2_SIZE;
        nid.hWnd = hWnd;
        nid.uFlags = NIF_ICON;
        nid.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
        ::Shell_NotifyIconW(NIM_ADD, &nid);
        return hWnd;
    }();
}

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override { KeepNotificationAreaShown(); }
};
using TrayIconMenu = TrayIcon;

LRESULT Notify(CTkTrayIcon& tray, UINT nId, UINT nMouseMessage) {
    return tray.SendMessage(CTkTrayIcon::kCallbackMessage, nId, nMouseMessage);
}

TEST_F(TrayIcon, IsAddedToTheShellAndRemoved) {
    CTrayOwner owner;
    TestTrayIcon tray;
    EXPECT_FALSE(tray.CreateTrayIcon(L"tip", nullptr, kNormalIcon, kTrayMenu, kShowCommand, FALSE)) << "no owner";
    EXPECT_EQ(tray.m_hWnd, nullptr);

    ASSERT_TRUE(tray.CreateTrayIcon(L"tip", &owner, kNormalIcon, kTrayMenu, kShowCommand, FALSE));
    EXPECT_EQ(tray.m_nid.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE));
    EXPECT_FALSE(tray.IsWindowVisible());
    EXPECT_NE(tray.m_nid.hIcon, nullptr);
    EXPECT_TRUE(ShellHolds(tray.m_hWnd, kTrayMenu));

    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_FALSE(ShellHolds(tray.m_hWnd, kTrayMenu));
    EXPECT_TRUE(tray.RemoveIcon()) << "already removed";

    // Made again on the same object: one window, the icon under its new id only.
    const HWND hWnd = tray.m_hWnd;
    ASSERT_TRUE(tray.CreateTrayIcon(L"tip", &owner, kNormalIcon, kTrayMenu, kShowCommand, FALSE));
    ASSERT_TRUE(tray.CreateTrayIcon(L"tip", &owner, kNormalIcon, 7, kShowCommand, FALSE));
    EXPECT_EQ(tray.m_hWnd, hWnd);
    EXPECT_FALSE(ShellHolds(hWnd, kTrayMenu));
    EXPECT_TRUE(ShellHolds(hWnd, 7));
}

TEST_F(TrayIcon, TipIsCutToWhatTheShellShows) {
    const std::wstring long200(200, L'x');
    const std::wstring long127(127, L'y');
    struct Case {
        bool bCreated;
        const wchar_t* pszTip;
        int nShown;
    } cases[] = {
        {true, long200.c_str(), 126}, {true, long127.c_str(), 126}, {true, L"short", 5},
        {true, nullptr, 0},           {false, long200.c_str(), 63},
    };
    CTrayOwner owner;
    for (const Case& c : cases) {
        TestTrayIcon tray;
        if (c.bCreated) {
            ASSERT_TRUE(tray.CreateTrayIcon(L"tip", &owner, kNormalIcon, kTrayMenu, kShowCommand, FALSE));
        }
        EXPECT_TRUE(tray.SetTooltipText(c.pszTip));
        EXPECT_EQ(tray.m_strTip.GetLength(), c.nShown);
        EXPECT_EQ(static_cast<int>(wcslen(tray.m_nid.szTip)), c.nShown);
    }
}

TEST_F(TrayIcon, OwnerIsAskedFirstAndMayTakeTheCallback) {
    CTrayOwner owner;
    TestTrayIcon tray;
    ASSERT_TRUE(tray.CreateTrayIcon(L"tip", &owner, kNormalIcon, kTrayMenu, kShowCommand, FALSE));

    EXPECT_EQ(Notify(tray, kTrayMenu + 1, WM_RBUTTONUP), 0) << "another icon";
    EXPECT_EQ(owner.m_nCallbacks, 0);

    owner.m_lCallbackAnswer = 1;
    for (UINT nMouse : {UINT{WM_RBUTTONUP}, UINT{WM_CONTEXTMENU}, UINT{NIN_KEYSELECT}, UINT{WM_LBUTTONDBLCLK}}) {
        EXPECT_EQ(Notify(tray, kTrayMenu, nMouse), 1);
    }
    EXPECT_EQ(owner.m_nCallbacks, 4);
    EXPECT_EQ(owner.m_nMenus, 0);
    EXPECT_TRUE(owner.m_commands.empty());
    EXPECT_FALSE(owner.TakePostedNull());

    // Other mouse messages are handled without anything shown or sent.
    owner.m_lCallbackAnswer = 0;
    EXPECT_EQ(Notify(tray, kTrayMenu, WM_MOUSEMOVE), 1);
    EXPECT_EQ(owner.m_nMenus, 0);
    EXPECT_TRUE(owner.m_commands.empty());
}

TEST_F(TrayIcon, RightClickWithoutMenuResourceDoesNothing) {
    CTrayOwner owner;
    TestTrayIcon tray;
    ASSERT_TRUE(tray.CreateTrayIcon(L"tip", &owner, kNormalIcon, 77, 1, TRUE));
    EXPECT_EQ(Notify(tray, 77, WM_RBUTTONUP), 0);
    EXPECT_EQ(Notify(tray, 77, WM_LBUTTONDBLCLK), 0) << "the default position has no menu to look in";
    EXPECT_EQ(owner.m_nMenus, 0);
    EXPECT_TRUE(owner.m_commands.empty());
}

TEST_F(TrayIcon, DoubleClickSendsTheDefaultCommand) {
    struct Case {
        UINT nDefault;
        BOOL bByPosition;
        std::vector<UINT> commands;
    } cases[] = {
        {kShowCommand, FALSE, {kShowCommand}},
        {1, TRUE, {kExitCommand}},
        {2, TRUE, {}},  // a popup: no command
        {9, TRUE, {}},  // past the end
    };
    CTrayOwner owner;
    for (const Case& c : cases) {
        TestTrayIcon tray;
        ASSERT_TRUE(tray.CreateTrayIcon(L"tip", &owner, kNormalIcon, kTrayMenu, c.nDefault, c.bByPosition));
        owner.m_commands.clear();
        EXPECT_EQ(Notify(tray, kTrayMenu, WM_LBUTTONDBLCLK), 1);
        EXPECT_EQ(owner.m_commands, c.commands) << c.nDefault;
    }
}

TEST_F(TrayIcon, IsAddedAgainWhenTheTaskbarIsMadeAgain) {
    const UINT nTaskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    CTrayOwner owner;
    TestTrayIcon tray;
    ASSERT_TRUE(tray.CreateTrayIcon(L"tip", &owner, kNormalIcon, kTrayMenu, kShowCommand, FALSE));
    DeleteFromShell(tray.m_hWnd, kTrayMenu);
    ASSERT_FALSE(ShellHolds(tray.m_hWnd, kTrayMenu));

    EXPECT_EQ(tray.SendMessage(nTaskbarCreated), 0);
    EXPECT_TRUE(ShellHolds(tray.m_hWnd, kTrayMenu));
    EXPECT_FALSE(tray.m_bAddFailed);

    // The shell still holds it: the repeated add is refused, and retried when the work area changes.
    tray.SendMessage(nTaskbarCreated);
    EXPECT_TRUE(tray.m_bAddFailed);
    DeleteFromShell(tray.m_hWnd, kTrayMenu);
    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA);
    EXPECT_TRUE(ShellHolds(tray.m_hWnd, kTrayMenu));
    EXPECT_FALSE(tray.m_bAddFailed);

    // Another setting does not retry.
    DeleteFromShell(tray.m_hWnd, kTrayMenu);
    tray.m_bAddFailed = TRUE;
    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER);
    EXPECT_FALSE(ShellHolds(tray.m_hWnd, kTrayMenu));
    tray.SendMessage(nTaskbarCreated);
    ASSERT_TRUE(ShellHolds(tray.m_hWnd, kTrayMenu));

    // A removed icon stays removed.
    ASSERT_TRUE(tray.RemoveIcon());
    tray.SendMessage(nTaskbarCreated);
    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA);
    EXPECT_FALSE(ShellHolds(tray.m_hWnd, kTrayMenu));
}

TEST_F(TrayIcon, AnimationCyclesTheFramesWithTheNormalTipAsFallback) {
    CTrayOwner owner;
    TestTrayIcon tray;
    ASSERT_TRUE(tray.CreateTrayIcon(L"normal", &owner, kNormalIcon, kTrayMenu, kShowCommand, FALSE));
    const HICON hNormal = tray.m_nid.hIcon;

    // A tick without frames does nothing.
    tray.StartAnimation(10000);
    tray.SendMessage(WM_TIMER, kTimerId);
    EXPECT_EQ(tray.m_nFrame, 0);
    EXPECT_EQ(tray.m_nid.hIcon, hNormal);

    const UINT ids[] = {129, 130, 128};
    const CString tips[] = {L"first", L"", L"third"};
    ASSERT_TRUE(tray.SetAnimationIcons(ids, tips, 3));
    ASSERT_EQ(tray.GetFrameCount(), 3u);
    const struct {
        size_t nFrame;
        const wchar_t* pszTip;
    } expected[] = {{0, L"first"}, {1, L"normal"}, {2, L"third"}, {0, L"first"}};
    for (const auto& e : expected) {
        tray.SendMessage(WM_TIMER, kTimerId);
        EXPECT_EQ(tray.m_nid.hIcon, tray.GetFrameIcon(e.nFrame));
        EXPECT_STREQ(tray.m_nid.szTip, e.pszTip);
        EXPECT_TRUE(ShellHolds(tray.m_hWnd, kTrayMenu));
    }

    tray.StopAnimation();
    EXPECT_STREQ(tray.m_nid.szTip, L"normal");
    EXPECT_NE(tray.m_nid.hIcon, tray.GetFrameIcon(0));

    // Freeing the frames while one is shown puts the normal icon in its place.
    tray.SendMessage(WM_TIMER, kTimerId);
    ASSERT_EQ(tray.m_nid.hIcon, tray.GetFrameIcon(1));
    tray.FreeAnimationIcons();
    EXPECT_EQ(tray.GetFrameCount(), 0u);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(tray.m_nid.hIcon, &info)) << "a live icon";
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);

    // A missing icon ends the list there.
    const UINT broken[] = {129, kMissingIcon, 130};
    EXPECT_FALSE(tray.SetAnimationIcons(broken, 3, nullptr));
    EXPECT_EQ(tray.GetFrameCount(), 1u);
}

TEST_F(TrayIcon, HideFromTaskbarGivesTheWindowAnInvisibleOwner) {
    CTrayOwner owner;
    CTrayOwner window;
    TestTrayIcon tray;
    ASSERT_TRUE(tray.CreateTrayIcon(L"tip", &owner, kNormalIcon, kTrayMenu, kShowCommand, FALSE));
    ASSERT_TRUE(tray.HideFromTaskbar(&window));
    ASSERT_NE(tray.m_wndTaskbarHider.m_hWnd, nullptr);
    EXPECT_EQ(::GetWindow(window.m_hWnd, GW_OWNER), tray.m_wndTaskbarHider.m_hWnd);
    EXPECT_FALSE(window.GetStyle() & WS_CHILD);
    EXPECT_FALSE(tray.m_wndTaskbarHider.IsWindowVisible());
    EXPECT_FALSE(tray.HideFromTaskbar(nullptr));
}

// Alone on the machine: the menu takes the pointer and the keyboard while it is tracked.
TEST_F(TrayIconMenu, RightClickShowsTheFirstPopupWithItsDefaultItem) {
    struct Case {
        UINT nMouse;
        UINT nDefault;
        BOOL bByPosition;
        UINT nMarked;
    } cases[] = {
        {WM_RBUTTONUP, kShowCommand, FALSE, kShowCommand},
        {WM_CONTEXTMENU, 1, TRUE, kExitCommand},
        {static_cast<UINT>(NIN_SELECT), kShowCommand, FALSE, kShowCommand},
        {static_cast<UINT>(NIN_KEYSELECT), kShowCommand, FALSE, kShowCommand},
    };
    CTrayOwner owner;
    for (const Case& c : cases) {
        TestTrayIcon tray;
        ASSERT_TRUE(tray.CreateTrayIcon(L"tip", &owner, kNormalIcon, kTrayMenu, c.nDefault, c.bByPosition));
        owner.m_nMenus = 0;
        EXPECT_EQ(Notify(tray, kTrayMenu, c.nMouse), 1);
        EXPECT_EQ(owner.m_nMenus, 1) << c.nMouse;
        EXPECT_EQ(owner.m_nMenuDefault, c.nMarked) << c.nMouse;
        EXPECT_TRUE(owner.TakePostedNull()) << "posted after tracking";
        EXPECT_TRUE(owner.m_commands.empty()) << "closed without a choice";
    }
}

}  // namespace
