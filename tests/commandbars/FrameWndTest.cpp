// The frame bases: the command bars see the frame's messages first, take over its accelerators when they
// have their own, rest during print preview, and go with the frame.

#include "BarFixtures.h"
#include "TkFrameWnd.h"
#include "TkShortcutManager.h"

#include <array>

namespace {

constexpr UINT kFrameResource = 4500;
constexpr UINT kUnhandled = CRecordingSite::kUnhandledFirstId + 1;

int s_nHubsDestroyed = 0;

class CCountedHub : public CTestCommandBars {
public:
    ~CCountedHub() override { ++s_nHubsDestroyed; }
};

// The application's way: the command bars are made in WM_CREATE, with or without shortcuts of their own.
class CTestFrame : public CTkFrameWnd {
public:
    explicit CTestFrame(BOOL bOwnShortcuts, BOOL bCommandBars = TRUE)
        : m_bOwnShortcuts(bOwnShortcuts), m_bCommandBars(bCommandBars) {}
    CTkCommandBars* CommandBars() const { return m_pCommandBars; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        if (CTkFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        if (!m_bCommandBars)
            return 0;
        m_pCommandBars = new CCountedHub;
        m_pCommandBars->AttachToSite(this);
        if (m_bOwnShortcuts) {
            ACCEL accel = {FVIRTKEY | FCONTROL, 'P', 4002};
            m_pCommandBars->GetShortcutManager()->AddAccelerators(&accel, 1);
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()

    BOOL m_bOwnShortcuts;
    BOOL m_bCommandBars;
};

BEGIN_MESSAGE_MAP(CTestFrame, CTkFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(FrameWnd, CommandBarsWithTheirOwnShortcutsTakeOverTheAcceleratorTable) {
    auto* pPlain = new CTestFrame(FALSE);
    ASSERT_TRUE(pPlain->LoadFrame(kFrameResource, WS_OVERLAPPEDWINDOW));
    EXPECT_NE(pPlain->m_hAccelTable, nullptr);
    auto* pOwn = new CTestFrame(TRUE);
    ASSERT_TRUE(pOwn->LoadFrame(kFrameResource, WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(pOwn->m_hAccelTable, nullptr);

    // The command bars translate the keys: Ctrl+P reaches the frame as a command.
    BYTE state[256] = {};
    state[VK_CONTROL] = 0x80;
    ::SetKeyboardState(state);
    MSG msg = {pOwn->GetSafeHwnd(), WM_KEYDOWN, 'P', 0, 0, {0, 0}};
    EXPECT_TRUE(pOwn->PreTranslateMessage(&msg));
    ::SetKeyboardState(std::array<BYTE, 256>{}.data());

    s_nHubsDestroyed = 0;
    pPlain->DestroyWindow();
    pOwn->DestroyWindow();
    EXPECT_EQ(s_nHubsDestroyed, 2);
}

TEST(FrameWnd, TheCommandBarsSeeTheFramesMessagesFirst) {
    auto* pFrame = new CTestFrame(FALSE);
    ASSERT_TRUE(pFrame->LoadFrame(kFrameResource, WS_OVERLAPPEDWINDOW));
    auto* pBar = new CTestBar;
    SetBarKind(pBar, kBarTypeNormal, kBarFloating);
    static_cast<CTestCommandBars*>(pFrame->CommandBars())->AddBar(pBar);
    ASSERT_TRUE(CreateBarWindow(pBar, pFrame));
    CTkControl* pControl = pBar->GetControls()->Add(kControlButton, kUnhandled);

    // The idle update reaches the floating bars through the frame.
    pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(pControl->GetEnabled());

    // Print preview hides the bars' shortcuts.
    CTkShortcutManager* pShortcuts = pFrame->CommandBars()->GetShortcutManager();
    pFrame->OnSetPreviewMode(TRUE, nullptr);
    EXPECT_TRUE(pFrame->CommandBars()->IsPreviewMode());
    EXPECT_EQ(pShortcuts->GetDisableCount(), 1);
    pFrame->OnSetPreviewMode(FALSE, nullptr);
    EXPECT_EQ(pShortcuts->GetDisableCount(), 0);
    pFrame->DestroyWindow();
}

TEST(FrameWnd, AFrameWithoutCommandBarsIsAPlainFrame) {
    auto* pFrame = new CTestFrame(FALSE, FALSE);
    ASSERT_TRUE(pFrame->LoadFrame(kFrameResource, WS_OVERLAPPEDWINDOW));
    EXPECT_NE(pFrame->m_hAccelTable, nullptr);
    MSG msg = {pFrame->GetSafeHwnd(), WM_KEYDOWN, 'Q', 0, 0, {0, 0}};
    EXPECT_FALSE(pFrame->PreTranslateMessage(&msg));
    pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    pFrame->DestroyWindow();
}

}  // namespace
