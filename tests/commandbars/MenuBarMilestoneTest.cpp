// The application's menu bar end to end: a frame made like the main frame (status bar, client pane,
// command bars, dock bars, the menu bar over a copy of the English main menu, the Office 2003 theme),
// driven by real mouse and key input on the visible, active frame. Keys go through the system's default
// window procedure, which decides what becomes SC_KEYMENU. The frame and its open menu are also printed
// into 32-bpp surfaces and read back pixel by pixel. These move the machine's pointer and keyboard focus:
// they run alone, in one process.

#include "DibPixels.h"
#include "MouseInput.h"
#include "MenuBarResources.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlPopup.h"
#include "TkControls.h"
#include "TkDockBar.h"
#include "TkDrawHelpers.h"
#include "TkFrameWnd.h"
#include "TkMenuBar.h"
#include "TkMouseManager.h"
#include "TkOffice2003Theme.h"
#include "TkPaintManager.h"
#include "TkPopupBar.h"
#include "WaitUntil.h"
#include "WindowPrint.h"

#include "mfc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr UINT kCountedIds[] = {ID_SETTINGS, ID_DATABASE_PATH, ID_SERVER_ACCOUNTS, ID_CLIENT_ACCOUNTS,
                                ID_LOGOUT,   ID_LOGIN,         ID_APP_EXIT,        ID_APP_ABOUT};

// The main frame's start-up steps 1, 4-7 and 9 over the test menu. The exit command is enabled only
// while s_bExitEnabled is set; the blacklist command has no handler; the others count their runs.
class CMilestoneFrame : public CTkFrameWnd {
    DECLARE_DYNCREATE(CMilestoneFrame)
public:
    static BOOL s_bExitEnabled;

    CTkCommandBars* CommandBars() const { return m_pCommandBars; }
    int Runs(UINT nId) const {
        auto it = m_runs.find(nId);
        return it != m_runs.end() ? it->second : 0;
    }
    int TotalRuns() const {
        int n = 0;
        for (const auto& entry : m_runs)
            n += entry.second;
        return n;
    }

    CStatusBar m_statusBar;
    CWnd m_pane;
    std::map<UINT, int> m_runs;
    std::vector<LPARAM> m_keyMenus;  // SC_KEYMENU that reached the frame (the system menu never opens)

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        if (CTkFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        static const UINT indicators[] = {0, 10000, 10001, 10002, 10003, 10004};
        if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(indicators, 6))
            return -1;
        if (!m_pane.Create(AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)), nullptr,
                           WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
            return -1;
        m_pCommandBars = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
        if (m_pCommandBars == nullptr)
            return -1;
        m_pCommandBars->AttachToSite(this);
        m_pCommandBars->CreateDockBars();
        if (m_pCommandBars->CreateMenuBar(L"Menu Bar", IDR_MILESTONE_FRAME) == nullptr)
            return -1;
        CTkPaintManager::ActivateTheme(2);
        return 0;
    }
    afx_msg void OnCounted(UINT nId) { ++m_runs[nId]; }
    afx_msg void OnUpdateExit(CCmdUI* pCmdUI) { pCmdUI->Enable(s_bExitEnabled); }
    afx_msg void OnSysCommand(UINT nId, LPARAM lParam) {
        if ((nId & 0xFFF0) == SC_KEYMENU)
            m_keyMenus.push_back(lParam);
        else
            CTkFrameWnd::OnSysCommand(nId, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BOOL CMilestoneFrame::s_bExitEnabled = FALSE;

IMPLEMENT_DYNCREATE(CMilestoneFrame, CTkFrameWnd)
BEGIN_MESSAGE_MAP(CMilestoneFrame, CTkFrameWnd)
    ON_WM_CREATE()
    ON_WM_SYSCOMMAND()
    ON_COMMAND_RANGE(ID_SETTINGS, ID_SETTINGS, OnCounted)
    ON_COMMAND_RANGE(ID_DATABASE_PATH, ID_DATABASE_PATH, OnCounted)
    ON_COMMAND_RANGE(ID_SERVER_ACCOUNTS, ID_SERVER_ACCOUNTS, OnCounted)
    ON_COMMAND_RANGE(ID_CLIENT_ACCOUNTS, ID_CLIENT_ACCOUNTS, OnCounted)
    ON_COMMAND_RANGE(ID_LOGOUT, ID_LOGOUT, OnCounted)
    ON_COMMAND_RANGE(ID_LOGIN, ID_LOGIN, OnCounted)
    ON_COMMAND_RANGE(ID_APP_EXIT, ID_APP_EXIT, OnCounted)
    ON_COMMAND_RANGE(ID_APP_ABOUT, ID_APP_ABOUT, OnCounted)
    ON_UPDATE_COMMAND_UI(ID_APP_EXIT, OnUpdateExit)
END_MESSAGE_MAP()

// ---- Input

void SendKeys(std::initializer_list<std::pair<WORD, BOOL>> keys) {
    std::vector<INPUT> inputs;
    for (const auto& [nKey, bUp] : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = nKey;
        input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Tap(WORD nKey) {
    SendKeys({{nKey, FALSE}, {nKey, TRUE}});
}

// Alt held around the key, as a user types Alt+F.
void AltTap(WORD nKey) {
    SendKeys({{VK_MENU, FALSE}, {nKey, FALSE}, {nKey, TRUE}, {VK_MENU, TRUE}});
}

void MoveTo(CPoint pt) {
    SendMouseInput(0, pt);
}

void ClickAt(CPoint pt) {
    MoveTo(pt);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

// The application's loop, with its idle update after the queue runs dry.
bool PumpFrameUntil(CFrameWnd* pFrame, const std::function<bool()>& done, int nTimeoutMs = 2000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return true;
}

// ---- Printing

// A gradient of the theme filled over the rectangle, as the theme fills it, for reading back.
void PaintReference(CScopedMemDC& dc, const CRect& rc, const CTkPaintManagerColorGradient& gradient, BOOL bHorizontal) {
    GetDrawHelpers()->FillColorGradient(&dc, &rc, gradient, bHorizontal, nullptr);
}

CRect ScreenRect(CWnd* pWnd) {
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

class MenuBarMilestone : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        auto* pFrame = static_cast<CMilestoneFrame*>(RUNTIME_CLASS(CMilestoneFrame)->CreateObject());
        ASSERT_TRUE(pFrame->LoadFrame(IDR_MILESTONE_FRAME, WS_OVERLAPPEDWINDOW));
        pFrame->SetWindowPos(nullptr, 100, 100, 640, 420, SWP_NOZORDER | SWP_SHOWWINDOW);
        s_pFrame = pFrame;
    }
    static void TearDownTestSuite() {
        if (s_pFrame != nullptr)
            s_pFrame->DestroyWindow();
        s_pFrame = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(s_pFrame, nullptr);
        m_pFrame = s_pFrame;
        m_pFrame->SetForegroundWindow();
        ASSERT_TRUE(Pump([this] { return ::GetForegroundWindow() == m_pFrame->GetSafeHwnd(); }));
        m_pMenuBar = m_pFrame->CommandBars()->GetMenuBar();
        ASSERT_NE(m_pMenuBar, nullptr);
        CloseAll();
        m_pFrame->m_runs.clear();
        m_pFrame->m_keyMenus.clear();
        CMilestoneFrame::s_bExitEnabled = FALSE;
    }

    bool Pump(const std::function<bool()>& done, int nTimeoutMs = 2000) {
        return PumpFrameUntil(m_pFrame, done, nTimeoutMs);
    }
    void Settle() {
        Pump([] { return false; }, 200);
    }
    void CloseAll() {
        m_pFrame->CommandBars()->ClosePopups();
        if (m_pMenuBar->GetTrackingMode() != kTrackingNone)
            m_pMenuBar->SetTrackingMode(kTrackingNone);
        Settle();
    }

    CTkControlPopup* Menu(int nIndex) const {
        return DYNAMIC_DOWNCAST(CTkControlPopup, m_pMenuBar->GetControl(nIndex));
    }
    CTkPopupBar* OpenPopup() const {
        for (int i = 0; i < m_pMenuBar->GetControlCount(); ++i) {
            CTkControlPopup* pMenu = Menu(i);
            if (pMenu != nullptr && pMenu->IsPopupOpen())
                return DYNAMIC_DOWNCAST(CTkPopupBar, pMenu->GetCommandBar());
        }
        return nullptr;
    }
    bool IsOpen(int nIndex) const { return Menu(nIndex) != nullptr && Menu(nIndex)->IsPopupOpen(); }
    bool NoneOpen() const { return OpenPopup() == nullptr && m_pMenuBar->GetTrackingMode() == kTrackingNone; }
    int PopupSelection() const {
        CTkPopupBar* pPopup = OpenPopup();
        return pPopup != nullptr ? pPopup->GetSelectedIndex() : -2;
    }
    CTkControl* PopupItem(UINT nId) const {
        CTkPopupBar* pPopup = OpenPopup();
        return pPopup != nullptr ? pPopup->GetControls()->FindById(static_cast<int>(nId)) : nullptr;
    }
    CPoint CentreOnScreen(CTkCommandBar* pBar, CTkControl* pControl) const {
        CRect rc = pControl->GetRect();
        pBar->ClientToScreen(&rc);
        return rc.CenterPoint();
    }

    static CMilestoneFrame* s_pFrame;
    CMilestoneFrame* m_pFrame = nullptr;
    CTkMenuBar* m_pMenuBar = nullptr;
};

CMilestoneFrame* MenuBarMilestone::s_pFrame = nullptr;

}  // namespace

TEST_F(MenuBarMilestone, NoNativeMenuAndTheBarsShareTheClientArea) {
    EXPECT_EQ(::GetMenu(m_pFrame->GetSafeHwnd()), nullptr);
    EXPECT_NE(m_pMenuBar->GetOriginalMenu(), nullptr);
    int nMenus = 0;  // the toolbar's own expand button is temporary
    for (int i = 0; i < m_pMenuBar->GetControlCount(); ++i)
        nMenus += m_pMenuBar->GetControl(i)->IsTemporary() ? 0 : 1;
    EXPECT_EQ(nMenus, 2);

    CTkDockBar* pTop = m_pFrame->CommandBars()->GetDockBar(kBarTop);
    ASSERT_NE(pTop, nullptr);
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    CRect rcTop = ScreenRect(pTop), rcMenuBar = ScreenRect(m_pMenuBar), rcStatus = ScreenRect(&m_pFrame->m_statusBar),
          rcPane = ScreenRect(&m_pFrame->m_pane);
    m_pFrame->ScreenToClient(&rcTop);
    m_pFrame->ScreenToClient(&rcStatus);
    m_pFrame->ScreenToClient(&rcPane);
    EXPECT_EQ(rcTop.Height(), rcMenuBar.Height());
    EXPECT_GT(rcMenuBar.Height(), 0);
    EXPECT_EQ(rcTop.top, 0);
    EXPECT_EQ(rcStatus.bottom, rcClient.bottom);
    EXPECT_EQ(rcPane, CRect(rcClient.left, rcTop.bottom, rcClient.right, rcStatus.top));
}

TEST_F(MenuBarMilestone, Mouse) {
    // A click opens File; hovering over Help switches to it.
    ClickAt(CentreOnScreen(m_pMenuBar, Menu(0)));
    ASSERT_TRUE(Pump([this] { return IsOpen(0); }));
    MoveTo(CentreOnScreen(m_pMenuBar, Menu(1)));
    EXPECT_TRUE(Pump([this] { return IsOpen(1) && !IsOpen(0); }));

    // Back in File, a click on an item runs it once and closes everything.
    MoveTo(CentreOnScreen(m_pMenuBar, Menu(0)));
    ASSERT_TRUE(Pump([this] { return IsOpen(0); }));
    CTkControl* pItem = PopupItem(ID_DATABASE_PATH);
    ASSERT_NE(pItem, nullptr);
    ClickAt(CentreOnScreen(OpenPopup(), pItem));
    EXPECT_TRUE(Pump([this] { return NoneOpen() && m_pFrame->Runs(ID_DATABASE_PATH) == 1; }));
    Settle();
    EXPECT_EQ(m_pFrame->TotalRuns(), 1);

    // A click outside closes everything and runs nothing.
    ClickAt(CentreOnScreen(m_pMenuBar, Menu(0)));
    ASSERT_TRUE(Pump([this] { return IsOpen(0); }));
    ClickAt(ScreenRect(&m_pFrame->m_pane).CenterPoint());
    EXPECT_TRUE(Pump([this] { return NoneOpen(); }));
    EXPECT_EQ(m_pFrame->TotalRuns(), 1);
}

TEST_F(MenuBarMilestone, KeysEnterTheBarAndMoveThroughTheMenus) {
    // Alt alone and F10 select File without opening it; Shift+Alt does not enter.
    for (WORD nKey : {static_cast<WORD>(VK_MENU), static_cast<WORD>(VK_F10)}) {
        Tap(nKey);
        EXPECT_TRUE(Pump([this] {
            return m_pMenuBar->GetTrackingMode() != kTrackingNone && m_pMenuBar->GetSelectedIndex() == 0;
        })) << nKey;
        EXPECT_FALSE(IsOpen(0));
        Tap(VK_ESCAPE);
        EXPECT_TRUE(Pump([this] { return NoneOpen(); }));
    }
    // (What the default procedure makes of it reaches the frame, which records it instead of opening
    // the system menu.)
    SendKeys({{VK_SHIFT, FALSE}, {VK_MENU, FALSE}, {VK_MENU, TRUE}, {VK_SHIFT, TRUE}});
    Settle();
    EXPECT_EQ(m_pMenuBar->GetTrackingMode(), kTrackingNone);
    EXPECT_EQ(m_pFrame->m_keyMenus.size(), 1u);

    // Down opens File with its first item; arrows, Home and End move; Right and Left cross menus.
    Tap(VK_MENU);
    ASSERT_TRUE(Pump([this] { return m_pMenuBar->GetSelectedIndex() == 0; }));
    Tap(VK_DOWN);
    ASSERT_TRUE(Pump([this] { return IsOpen(0) && PopupSelection() == 0; }));
    Tap(VK_DOWN);
    EXPECT_TRUE(Pump([this] { return PopupSelection() == 1; }));
    Tap(VK_END);
    EXPECT_TRUE(Pump([this] { return PopupSelection() == OpenPopup()->GetControlCount() - 1; }));
    Tap(VK_HOME);
    EXPECT_TRUE(Pump([this] { return PopupSelection() == 0; }));
    Tap(VK_UP);
    EXPECT_TRUE(Pump([this] { return PopupSelection() == OpenPopup()->GetControlCount() - 1; }));
    Tap(VK_RIGHT);
    EXPECT_TRUE(Pump([this] { return IsOpen(1) && !IsOpen(0); }));
    Tap(VK_LEFT);
    EXPECT_TRUE(Pump([this] { return IsOpen(0) && !IsOpen(1); }));

    // Enter runs the selected item and closes all.
    Tap(VK_HOME);
    Tap(VK_DOWN);
    Tap(VK_RETURN);
    EXPECT_TRUE(Pump([this] { return NoneOpen() && m_pFrame->Runs(ID_DATABASE_PATH) == 1; }));

    // Esc steps out: the popup closes with File still selected, then the bar is left.
    AltTap('F');
    ASSERT_TRUE(Pump([this] { return IsOpen(0); }));
    Tap(VK_ESCAPE);
    EXPECT_TRUE(Pump([this] { return !IsOpen(0) && m_pMenuBar->GetSelectedIndex() == 0; }));
    EXPECT_NE(m_pMenuBar->GetTrackingMode(), kTrackingNone);
    Tap(VK_ESCAPE);
    EXPECT_TRUE(Pump([this] { return NoneOpen(); }));

    // Alt+H opens Help.
    AltTap('H');
    EXPECT_TRUE(Pump([this] { return IsOpen(1); }));
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    EXPECT_TRUE(Pump([this] { return NoneOpen(); }));
    EXPECT_EQ(m_pFrame->TotalRuns(), 1);
}

TEST_F(MenuBarMilestone, LettersInsideFile) {
    // "Setings" has no '&': its first letter runs it.
    AltTap('F');
    ASSERT_TRUE(Pump([this] { return IsOpen(0); }));
    Tap('S');
    EXPECT_TRUE(Pump([this] { return NoneOpen() && m_pFrame->Runs(ID_SETTINGS) == 1; }));

    // L starts four items: it only selects the next of them.
    AltTap('F');
    ASSERT_TRUE(Pump([this] { return IsOpen(0); }));
    Tap('L');
    EXPECT_TRUE(Pump([this] {
        return PopupItem(ID_SERVER_ACCOUNTS) != nullptr &&
               PopupSelection() == PopupItem(ID_SERVER_ACCOUNTS)->GetIndex();
    }));
    Tap('L');
    EXPECT_TRUE(Pump([this] {
        return PopupItem(ID_CLIENT_ACCOUNTS) != nullptr &&
               PopupSelection() == PopupItem(ID_CLIENT_ACCOUNTS)->GetIndex();
    }));
    EXPECT_TRUE(IsOpen(0));

    // E runs Exit only while the flag enables it (the idle update reaches the next opening).
    Tap('E');
    Settle();
    EXPECT_EQ(m_pFrame->Runs(ID_APP_EXIT), 0);
    CloseAll();
    CMilestoneFrame::s_bExitEnabled = TRUE;
    AltTap('F');
    ASSERT_TRUE(Pump([this] { return IsOpen(0); }));
    EXPECT_TRUE(PopupItem(ID_APP_EXIT)->GetEnabled());
    Tap('E');
    EXPECT_TRUE(Pump([this] { return NoneOpen() && m_pFrame->Runs(ID_APP_EXIT) == 1; }));
    EXPECT_EQ(m_pFrame->TotalRuns(), 2);
}

TEST_F(MenuBarMilestone, IdleUpdateAndTheItemWithoutAHandler) {
    AltTap('F');
    ASSERT_TRUE(Pump([this] { return IsOpen(0); }));
    EXPECT_FALSE(PopupItem(ID_APP_EXIT)->GetEnabled());
    CTkControl* pBlacklist = PopupItem(ID_BLACKLIST);
    ASSERT_NE(pBlacklist, nullptr);
    EXPECT_FALSE(pBlacklist->GetEnabled());

    // No hover highlight: the pointer selects it only as the pointer does (state 1), and the theme
    // frames a disabled item only in the keyboard states. Enter on it runs nothing.
    MoveTo(CentreOnScreen(OpenPopup(), pBlacklist));
    Settle();
    EXPECT_LT(pBlacklist->GetSelected(), static_cast<int>(kSelectForward));
    Tap(VK_END);
    Tap(VK_UP);
    ASSERT_TRUE(Pump([&] { return PopupSelection() == pBlacklist->GetIndex(); }));
    Tap(VK_RETURN);
    Settle();
    EXPECT_EQ(m_pFrame->TotalRuns(), 0);
    CloseAll();

    // The flag is read at the next opening.
    CMilestoneFrame::s_bExitEnabled = TRUE;
    AltTap('F');
    ASSERT_TRUE(Pump([this] { return IsOpen(0); }));
    EXPECT_TRUE(PopupItem(ID_APP_EXIT)->GetEnabled());
    CloseAll();
    CMilestoneFrame::s_bExitEnabled = FALSE;
    AltTap('F');
    ASSERT_TRUE(Pump([this] { return IsOpen(0); }));
    EXPECT_FALSE(PopupItem(ID_APP_EXIT)->GetEnabled());
}

// The frame and its open menu printed into 32-bpp surfaces under the blue scheme and the classic colours.
TEST_F(MenuBarMilestone, PrintedUnderTheBlueSchemeAndClassicColours) {
    auto* pTheme = dynamic_cast<CTkOffice2003Theme*>(CTkPaintManager::GetCurrentPaintManager());
    ASSERT_NE(pTheme, nullptr);
    const int nOldScheme = pTheme->m_nColorScheme;
    const HWND hFrame = m_pFrame->GetSafeHwnd();
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    CRect rcTop = ScreenRect(m_pFrame->CommandBars()->GetDockBar(kBarTop));
    m_pFrame->ScreenToClient(&rcTop);
    const int nDockSpan = std::max(rcTop.Width(), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    const auto inFrame = [this](CTkCommandBar* pBar, CTkControl* pControl) {
        CRect rc = pControl->GetRect();
        pBar->ClientToScreen(&rc);
        m_pFrame->ScreenToClient(&rc);
        return rc;
    };
    const auto print = [&](const wchar_t* pszPicture) {
        auto pDC = std::make_unique<CScopedMemDC>(rcClient.Width(), rcClient.Height());
        PrintWithChildren(pDC.get(), hFrame, hFrame);
        WritePng(*pDC, pszPicture);
        return pDC;
    };

    for (int nScheme : {1, 0}) {
        SCOPED_TRACE(nScheme == 1 ? "blue" : "classic");
        const bool bBlue = nScheme == 1;
        pTheme->m_nColorScheme = nScheme;
        pTheme->RefreshMetrics();
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_EQ(pTheme->m_bLunaColors, bBlue ? TRUE : FALSE);
        const COLORREF c31 = bBlue ? RGB(255, 238, 194) : pTheme->LookupColor(31);
        const COLORREF c32 = bBlue ? RGB(0, 0, 128) : pTheme->LookupColor(32);
        const COLORREF c41 = bBlue ? RGB(246, 246, 246) : pTheme->LookupColor(41);
        const COLORREF c43 = bBlue ? RGB(0, 45, 150) : pTheme->LookupColor(43);

        // Nothing open, the pointer on Help: the dock gradient from end to end behind the bar, Help hot.
        MoveTo(CentreOnScreen(m_pMenuBar, Menu(1)));
        ASSERT_TRUE(Pump([this] { return m_pMenuBar->GetSelectedIndex() == 1; }));
        Settle();
        auto pBar = print(bBlue ? L"/tmp/menubar-milestone-blue.png" : L"/tmp/menubar-milestone-classic.png");
        CScopedMemDC dock(nDockSpan, 2);
        PaintReference(dock, CRect(0, 0, nDockSpan, 2), pTheme->m_grcDock, TRUE);
        const int nRight = rcTop.right - 1;
        EXPECT_TRUE(ColorsNear(PixelAt(dock, 0, 0), PixelAt(*pBar, rcTop.left, rcTop.top + 1), 2)) << "dock left";
        EXPECT_TRUE(ColorsNear(PixelAt(dock, nRight - rcTop.left, 0), PixelAt(*pBar, nRight, rcTop.top + 1), 2))
            << "dock right";
        if (bBlue) {
            EXPECT_TRUE(ColorsNear(RGB(158, 190, 245), PixelAt(dock, 0, 0), 2));
            if (nDockSpan == rcTop.Width()) {
                EXPECT_TRUE(ColorsNear(RGB(196, 218, 250), PixelAt(dock, nDockSpan - 1, 0), 2));
            }
        }
        const CRect rcHelp = inFrame(m_pMenuBar, Menu(1));
        EXPECT_EQ(PixelAt(*pBar, rcHelp.left, rcHelp.top), c32) << "hot frame";
        if (bBlue) {
            CScopedMemDC hot(rcClient.Width(), rcClient.Height());
            PaintReference(hot, rcHelp, pTheme->m_grcHot, FALSE);
            EXPECT_TRUE(ColorsNear(PixelAt(hot, rcHelp.left + 2, rcHelp.top + 1),
                                   PixelAt(*pBar, rcHelp.left + 2, rcHelp.top + 1), 2))
                << "hot face";
            EXPECT_TRUE(ColorsNear(RGB(255, 242, 200), PixelAt(hot, rcHelp.left + 2, rcHelp.top), 2));
        } else {
            EXPECT_EQ(PixelAt(*pBar, rcHelp.left + 2, rcHelp.top + 1), c31) << "hot face";
        }

        // File open with the pointer on an item: File popped up, the menu in 41 framed 43, the item 31 in 32.
        ClickAt(CentreOnScreen(m_pMenuBar, Menu(0)));
        ASSERT_TRUE(Pump([this] { return IsOpen(0); }));
        CTkPopupBar* pPopup = OpenPopup();
        CTkControl* pItem = PopupItem(ID_DATABASE_PATH);
        ASSERT_NE(pItem, nullptr);
        MoveTo(CentreOnScreen(pPopup, pItem));
        ASSERT_TRUE(Pump([&] { return pPopup->GetSelectedIndex() == pItem->GetIndex(); }));
        Settle();
        auto pOpen =
            print(bBlue ? L"/tmp/menubar-milestone-open-blue.png" : L"/tmp/menubar-milestone-open-classic.png");
        const CRect rcFile = inFrame(m_pMenuBar, Menu(0));
        EXPECT_EQ(PixelAt(*pOpen, rcFile.left, rcFile.top), c43) << "popped-up frame";
        CScopedMemDC popped(rcClient.Width(), rcClient.Height());
        PaintReference(popped, rcFile, pTheme->m_grcPoppedUp, FALSE);
        for (int y : {rcFile.top + 1, rcFile.CenterPoint().y, rcFile.bottom - 2})
            EXPECT_TRUE(ColorsNear(PixelAt(popped, rcFile.left + 2, y), PixelAt(*pOpen, rcFile.left + 2, y), 2))
                << "popped-up face, row " << y;

        CRect rcPopup;
        pPopup->GetClientRect(&rcPopup);
        CScopedMemDC menu(rcPopup.Width(), rcPopup.Height());
        pPopup->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(menu.GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND);
        WritePng(menu, bBlue ? L"/tmp/menubar-milestone-menu-blue.png" : L"/tmp/menubar-milestone-menu-classic.png");
        EXPECT_EQ(PixelAt(menu, 0, 0), c43) << "menu frame";
        const CRect rcLast = pPopup->GetControl(pPopup->GetControlCount() - 1)->GetRect();
        EXPECT_EQ(PixelAt(menu, rcPopup.right - 3, rcLast.CenterPoint().y), c41) << "menu face";
        const CRect rcItem = pItem->GetRect();
        EXPECT_EQ(PixelAt(menu, rcItem.left, rcItem.top), c32) << "hot item frame";
        EXPECT_EQ(PixelAt(menu, rcItem.right - 3, rcItem.CenterPoint().y), c31) << "hot item face";
        CloseAll();
    }
    pTheme->m_nColorScheme = nOldScheme;
    pTheme->RefreshMetrics();
    m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Fifty frames made and destroyed: each menu bar destroys the menu it took exactly once, and the frame
// never gives it back to its window, so menus made meanwhile (which may reuse the handle) stay alive.
TEST(MenuBarFrames, EachBarDestroysTheMenuItTookAndNothingElse) {
    std::vector<HMENU> kept;
    for (int i = 0; i < 50; ++i) {
        auto* pFrame = static_cast<CMilestoneFrame*>(RUNTIME_CLASS(CMilestoneFrame)->CreateObject());
        ASSERT_TRUE(pFrame->LoadFrame(IDR_MILESTONE_FRAME, WS_OVERLAPPEDWINDOW));
        const HMENU hTaken = pFrame->CommandBars()->GetMenuBar()->GetOriginalMenu();
        ASSERT_TRUE(::IsMenu(hTaken)) << i;
        EXPECT_EQ(::GetMenu(pFrame->GetSafeHwnd()), nullptr) << i;
        kept.push_back(::CreateMenu());
        pFrame->DestroyWindow();
        EXPECT_FALSE(::IsMenu(hTaken)) << i;
        kept.push_back(::CreateMenu());
    }
    for (HMENU hMenu : kept) {
        EXPECT_TRUE(::IsMenu(hMenu));
        ::DestroyMenu(hMenu);
    }
}
