// The command bars under real input (SendInput) on a visible, active frame: the thread hooks that close
// the menus, the frame's keyboard path into the menu bar, input-method and trusted windows, and the
// stand-in for WM_MOUSELEAVE. These move the machine's one pointer and keyboard focus: they run alone.

#include "BarFixtures.h"
#include "TkFrameWnd.h"
#include "TkKeyboardManager.h"
#include "TkMouseManager.h"
#include "TkShortcutManager.h"
#include "WaitUntil.h"

#include <array>
#include <chrono>
#include <initializer_list>

namespace {

constexpr UINT kIdEditCopy = 0xE122;
constexpr POINT kPointerRest = {700, 600};  // below and right of the frame

// The frame of the application's kind, recording what reaches it.
class CInputFrame : public CTkFrameWnd {
public:
    void SetCommandBars(CTkCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    std::vector<UINT> m_sysKeys;   // WM_SYSKEYDOWN keys that reached the frame
    std::vector<UINT> m_commands;  // WM_COMMAND ids
    int m_nKeyMenu = 0;            // WM_SYSCOMMAND SC_KEYMENU (the frame's menu loop is never entered)

protected:
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
        m_sysKeys.push_back(nChar);
        CTkFrameWnd::OnSysKeyDown(nChar, nRepCnt, nFlags);
    }
    afx_msg void OnSysCommand(UINT nId, LPARAM lParam) {
        if ((nId & 0xFFF0) == SC_KEYMENU)
            ++m_nKeyMenu;
        else
            CTkFrameWnd::OnSysCommand(nId, lParam);
    }
    afx_msg void OnAnyCommand(UINT nId) { m_commands.push_back(nId); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CInputFrame, CTkFrameWnd)
    ON_WM_SYSKEYDOWN()
    ON_WM_SYSCOMMAND()
    ON_COMMAND_RANGE(1, 0xDFFF, OnAnyCommand)
END_MESSAGE_MAP()

// An edit of a command-bar control: it says so (10824) and copies by itself.
class CBarEdit : public CWnd {
public:
    int m_nCopies = 0;

protected:
    afx_msg LRESULT OnQuery(WPARAM, LPARAM) { return 1; }
    afx_msg void OnCopy() { ++m_nCopies; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarEdit, CWnd)
    ON_MESSAGE(InPlaceEditQueryMessage, OnQuery)
    ON_COMMAND(kIdEditCopy, OnCopy)
END_MESSAGE_MAP()

// A shown bar painted plainly (what it looks like is not these cases' subject).
class CShownBar : public CTestBar {
public:
    void DrawCommandBar(CDC* pDC, CRect rcClip) override { pDC->FillSolidRect(&rcClip, RGB(236, 233, 216)); }
};

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

void ClickAt(CPoint pt) {
    ::SetCursorPos(pt.x, pt.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

// The application's loop: every message is pre-translated by the windows it is for.
bool PumpFrameUntil(const std::function<bool()>& done, int nTimeoutMs = 2000) {
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
    }
    return true;
}

// Lets the queue run dry: what the input caused has happened.
void Settle() {
    PumpFrameUntil([] { return false; }, 150);
}

class BarInput : public ::testing::Test {
protected:
    // One frame for every case: hiding an active window costs Wine seconds.
    static void SetUpTestSuite() {
        // The pointer waits outside the frame: a frame shown under a pointer left there by an earlier program
        // does not see the held Alt key's repeats.
        ::SetCursorPos(kPointerRest.x, kPointerRest.y);
        s_pFrame = new CInputFrame;
        s_pFrame->CreateEx(0, AfxRegisterWndClass(0), L"input", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 300,
                           nullptr, nullptr);
    }
    static void TearDownTestSuite() { s_pFrame->DestroyWindow(); }

    void SetUp() override {
        BarLog().clear();
        m_pFrame = s_pFrame;
        ASSERT_NE(m_pFrame->GetSafeHwnd(), nullptr);
        m_pFrame->m_sysKeys.clear();
        m_pFrame->m_commands.clear();
        m_pFrame->m_nKeyMenu = 0;
        m_pFrame->SetForegroundWindow();
        m_pCommandBars = new CTestCommandBars;
        m_pCommandBars->AttachToSite(m_pFrame);
        m_pFrame->SetCommandBars(m_pCommandBars);

        m_pMenuBar = new CShownBar;
        SetBarKind(m_pMenuBar, kBarTypeMenuBar, kBarTop);
        SetBarId(m_pMenuBar, 1);
        m_pCommandBars->AddBar(m_pMenuBar);
        CRect rc(110, 130, 410, 152);
        ASSERT_TRUE(CreateBarWindow(m_pMenuBar, m_pFrame, rc));
        m_pMenuBar->ShowWindow(SW_SHOWNA);
        m_pFile = static_cast<CTkControlPopup*>(m_pMenuBar->GetControls()->Add(kControlPopup, 0));
        m_pFile->SetCaption(L"&File");
        m_pFile->SetRect(CRect(0, 0, 50, 22));
        m_pFile->GetCommandBar()->GetControls()->Add(kControlButton, 100)->SetCaption(L"&New");
        CreateBarWindow(m_pFile->GetCommandBar(), m_pFrame, CRect(110, 152, 210, 200));
        CTkControl* pEdit = m_pMenuBar->GetControls()->Add(kControlButton, 101);
        pEdit->SetCaption(L"&Edit");
        pEdit->SetRect(CRect(50, 0, 100, 22));
        ASSERT_TRUE(PumpFrameUntil([this] { return ::GetForegroundWindow() == m_pFrame->GetSafeHwnd(); }));
    }
    void TearDown() override {
        // A case that stopped early may leave Alt held, which would change what the next case sees.
        if (::GetAsyncKeyState(VK_MENU) < 0)
            SendKeys({{VK_MENU, TRUE}});
        CreateMouseManager()->CloseAllTracked();
        m_pFrame->SetCommandBars(nullptr);
        m_pCommandBars->InternalRelease();
        Settle();
    }
    BOOL MenuBarTracks() const { return m_pMenuBar->GetTrackingMode() != kTrackingNone; }
    CPoint ScreenPointOf(CWnd* pWnd, CPoint ptClient) const {
        pWnd->ClientToScreen(&ptClient);
        return ptClient;
    }

    static CInputFrame* s_pFrame;  // deletes itself with its window
    CInputFrame* m_pFrame = nullptr;
    CTestCommandBars* m_pCommandBars = nullptr;
    CTestBar* m_pMenuBar = nullptr;
    CTkControlPopup* m_pFile = nullptr;
};

CInputFrame* BarInput::s_pFrame = nullptr;

TEST_F(BarInput, AltWhileTrackingClosesTheMenusAndIsSwallowedButItsRepeatsGoOn) {
    m_pCommandBars->ActivateBar(m_pMenuBar, 0);
    SendKeys({{VK_MENU, FALSE}});
    ASSERT_TRUE(PumpFrameUntil([this] { return !MenuBarTracks(); }));
    Settle();
    EXPECT_TRUE(m_pFrame->m_sysKeys.empty());

    // The key is still held: its repeat reaches the frame and leaves the menu bar alone.
    m_pCommandBars->ActivateBar(m_pMenuBar, 0);
    SendKeys({{VK_MENU, FALSE}});
    ASSERT_TRUE(PumpFrameUntil([this] { return !m_pFrame->m_sysKeys.empty(); }));
    EXPECT_EQ(m_pFrame->m_sysKeys.front(), static_cast<UINT>(VK_MENU));
    EXPECT_TRUE(MenuBarTracks());
    SendKeys({{VK_MENU, TRUE}});
    Settle();
}

TEST_F(BarInput, AltAndALetterOnTheFrameOpenTheMenuAndEscCloses) {
    SendKeys({{VK_MENU, FALSE}, {'F', FALSE}, {'F', TRUE}, {VK_MENU, TRUE}});
    ASSERT_TRUE(PumpFrameUntil([this] { return m_pMenuBar->GetPopupedIndex() == m_pFile->GetIndex(); }));
    CTkCommandBar* pPopup = m_pFile->GetCommandBar();
    EXPECT_EQ(pPopup->GetTrackingMode(), kTrackingMenu);
    Settle();

    // Esc closes the popup and leaves the menu bar to the keyboard; a second Esc ends it.
    SendKeys({{VK_ESCAPE, FALSE}, {VK_ESCAPE, TRUE}});
    ASSERT_TRUE(PumpFrameUntil([pPopup] { return pPopup->GetTrackingMode() == kTrackingNone; }));
    EXPECT_EQ(m_pMenuBar->GetTrackingMode(), kTrackingMenu);
    SendKeys({{VK_ESCAPE, FALSE}, {VK_ESCAPE, TRUE}});
    ASSERT_TRUE(PumpFrameUntil([this] { return !MenuBarTracks(); }));

    // Alt alone goes on to the frame (its menu key), and shows hidden cues while held.
    BOOL bSystemCues = TRUE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0);
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(FALSE), 0);
    m_pCommandBars->GetCommandBarsOptions()->SetKeyboardCuesShow(kCuesShowSystem);
    ASSERT_FALSE(m_pCommandBars->IsKeyboardCuesVisible());
    SendKeys({{VK_MENU, FALSE}});
    ASSERT_TRUE(PumpFrameUntil([this] { return m_pCommandBars->IsKeyboardCuesVisible(); }));
    SendKeys({{VK_MENU, TRUE}});
    ASSERT_TRUE(PumpFrameUntil([this] { return m_pFrame->m_nKeyMenu == 1; }));
    EXPECT_FALSE(m_pCommandBars->IsKeyboardCuesVisible());
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(bSystemCues)), 0);
}

TEST_F(BarInput, AnotherApplicationTakingTheActivationClosesTheMenus) {
    // Sent to any window of the thread, not only to the frame.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), L"other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    m_pCommandBars->ActivateBar(m_pMenuBar, 0);
    other.SendMessage(WM_ACTIVATEAPP, TRUE);
    EXPECT_TRUE(MenuBarTracks());
    other.SendMessage(WM_ACTIVATEAPP, FALSE);
    EXPECT_FALSE(MenuBarTracks());
    other.DestroyWindow();
}

TEST_F(BarInput, AClickClosesTheMenusUnlessItIsInATrustedOrInputMethodWindow) {
    CWnd trusted;
    ASSERT_TRUE(trusted.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"trusted", WS_POPUP, 150, 200, 60, 40,
                                 m_pFrame->GetSafeHwnd(), nullptr));
    WNDCLASSW imeClass = {};
    imeClass.style = CS_IME;
    imeClass.lpfnWndProc = ::DefWindowProcW;
    imeClass.hInstance = ::GetModuleHandleW(nullptr);
    imeClass.lpszClassName = L"TestImeWindow";
    ::RegisterClassW(&imeClass);
    HWND hIme = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"TestImeWindow", L"ime", WS_POPUP, 250, 200, 60, 40,
                                  m_pFrame->GetSafeHwnd(), nullptr, nullptr, nullptr);
    ASSERT_NE(hIme, nullptr);
    // Shown without taking the activation: hiding an active window again costs seconds.
    trusted.ShowWindow(SW_SHOWNA);
    ::ShowWindow(hIme, SW_SHOWNA);
    CreateMouseManager()->AddTrustedWindow(trusted.GetSafeHwnd());

    struct Row {
        CPoint pt;
        BOOL bCloses;
    };
    const Row rows[] = {
        {CPoint(180, 220), FALSE},                            // trusted
        {CPoint(280, 220), FALSE},                            // input method
        {ScreenPointOf(m_pMenuBar, CPoint(200, 10)), FALSE},  // the menu bar, beside its controls
        {CPoint(450, 350), TRUE},                             // the frame's client area, outside every bar
    };
    for (const Row& row : rows) {
        m_pCommandBars->ActivateBar(m_pMenuBar, 0);
        MSG msg = {nullptr, WM_LBUTTONDOWN, 0, 0, 0, row.pt};
        EXPECT_EQ(CreateMouseManager()->EndsTracking(m_pMenuBar, &msg), row.bCloses) << row.pt.x;
        ClickAt(row.pt);
        Settle();
        EXPECT_EQ(MenuBarTracks(), !row.bCloses) << row.pt.x;
        CreateMouseManager()->CloseAllTracked();
    }
    CreateMouseManager()->RemoveTrustedWindow(trusted.GetSafeHwnd());
    ::DestroyWindow(hIme);
    trusted.DestroyWindow();
}

TEST_F(BarInput, LeavingABarDeselectsItsControlWithoutTrackMouseEvent) {
    const CPoint ptOver = ScreenPointOf(m_pMenuBar, CPoint(70, 10));
    ::SetCursorPos(ptOver.x, ptOver.y);
    ASSERT_TRUE(PumpFrameUntil([this] { return m_pMenuBar->GetSelectedIndex() == 1; }));
    // The watch polls every 50 ms; the deadline leaves room for a loaded machine.
    ::SetCursorPos(ptOver.x, ptOver.y + 100);
    EXPECT_TRUE(PumpFrameUntil([this] { return m_pMenuBar->GetSelectedIndex() == -1; }, 1000));
}

TEST_F(BarInput, AnEditOfABarKeepsItsKeysButNotEnterTabAndEsc) {
    ACCEL accel = {FVIRTKEY | FCONTROL, 'C', 0xE122};
    m_pCommandBars->GetShortcutManager()->AddAccelerators(&accel, 1);
    CBarEdit edit;
    ASSERT_TRUE(edit.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(10, 60, 110, 80), m_pFrame, 1));
    edit.SetFocus();
    ASSERT_EQ(::GetFocus(), edit.GetSafeHwnd());
    BYTE state[256] = {};
    state[VK_CONTROL] = 0x80;
    ::SetKeyboardState(state);
    MSG copy = {edit.GetSafeHwnd(), WM_KEYDOWN, 'C', 0, 0, {0, 0}};
    EXPECT_FALSE(m_pFrame->PreTranslateMessage(&copy));
    // The copy command itself, sent by the frame's menu, goes to the edit.
    m_pFrame->SendMessage(WM_COMMAND, kIdEditCopy);
    EXPECT_EQ(edit.m_nCopies, 1);
    // Enter, Tab and Esc are still the frame's.
    ACCEL enter = {FVIRTKEY | FCONTROL, VK_RETURN, 4003};
    m_pCommandBars->GetShortcutManager()->AddAccelerators(&enter, 1);
    MSG enterMessage = {edit.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&enterMessage));
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{4003});
    ::SetKeyboardState(std::array<BYTE, 256>{}.data());
    edit.DestroyWindow();
}

}  // namespace
