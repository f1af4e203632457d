// Frames: what LoadFrame takes from the resources, how bars and the client window share the client
// area, command routing through the active view, the message bar, and what a frame never does on its
// own (re-title, re-attach or destroy its menu).

#include "FrameTestSupport.h"
#include "WindowResources.h"

#include <initializer_list>
#include <vector>

namespace {

constexpr UINT ID_UNHANDLED = 40003;
constexpr UINT ID_STATUS_PANE = 10000;

class CPaneView : public CView {
    DECLARE_DYNCREATE(CPaneView)
public:
    int m_nCommands = 0;

protected:
    void OnDraw(CDC*) override {}
    afx_msg void OnTestCommand() { ++m_nCommands; }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CPaneView, CView)
BEGIN_MESSAGE_MAP(CPaneView, CView)
    ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
END_MESSAGE_MAP()

// A form whose tree is bound by data exchange.
class CTreeForm : public CFormView {
    DECLARE_DYNCREATE(CTreeForm)
public:
    CTreeForm() : CFormView(IDD_TEST_FORM) {}
    void OnInitialUpdate() override {
        ++m_nInitialUpdates;
        CFormView::OnInitialUpdate();
        if (m_hTreeFirstBound == nullptr)
            m_hTreeFirstBound = m_tree.m_hWnd;
    }

    CTreeCtrl m_tree;
    int m_nInitialUpdates = 0;
    HWND m_hTreeFirstBound = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TEST_TREE, m_tree); }
};

IMPLEMENT_DYNCREATE(CTreeForm, CFormView)

// The splitter metrics the application sets.
class CFlatSplitter : public CSplitterWnd {
public:
    CFlatSplitter() {
        m_cxSplitter = m_cySplitter = 5;
        m_cxSplitterGap = m_cySplitterGap = 5;
        m_cxBorder = m_cyBorder = 1;
    }
};

// A main frame like the application's: status bar, toolbar, and a 1 x 2 splitter as client window.
class CTestFrame : public CFrameWnd {
public:
    CStatusBar m_statusBar;
    CToolBar m_toolBar;
    CImageList m_images;
    CFlatSplitter m_splitter;
    int m_nCommands = 0;
    BOOL m_bMenuItemEnabled = FALSE;
    BOOL m_bBars = TRUE;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        if (!m_bBars)
            return 0;
        const UINT indicators[] = {0, ID_STATUS_PANE};
        if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(indicators, 2))
            return -1;
        m_statusBar.SetPaneInfo(1, ID_STATUS_PANE, SBPS_NORMAL, 120);

        if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_LIST, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS))
            return -1;
        m_images.Create(24, 24, ILC_COLOR32 | ILC_MASK, 3, 0);
        m_images.SetImageCount(3);
        m_toolBar.GetToolBarCtrl().SetImageList(&m_images);
        const UINT buttons[] = {ID_TEST_COMMAND, ID_TEST_MENU_ITEM, ID_UNHANDLED};
        m_toolBar.SetButtons(buttons, 3);
        m_toolBar.SetButtonText(0, L"Run");

        if (!m_splitter.CreateStatic(this, 1, 2) ||
            !m_splitter.CreateView(0, 0, RUNTIME_CLASS(CTreeForm), CSize(0, 0), nullptr) ||
            !m_splitter.CreateView(0, 1, RUNTIME_CLASS(CPaneView), CSize(0, 0), nullptr))
            return -1;
        m_splitter.SetColumnInfo(0, 150, 100);
        return 0;
    }
    afx_msg void OnTestCommand() { ++m_nCommands; }
    afx_msg void OnUpdateMenuItem(CCmdUI* pCmdUI) {
        pCmdUI->Enable(m_bMenuItemEnabled);
        pCmdUI->SetCheck(m_bMenuItemEnabled);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
    ON_UPDATE_COMMAND_UI(ID_TEST_MENU_ITEM, OnUpdateMenuItem)
END_MESSAGE_MAP()

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureCommonControls();
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_TEST_FRAME));
        m_hWnd = m_pFrame->m_hWnd;
        m_pFrame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void TearDown() override {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    CPaneView* RightView() { return static_cast<CPaneView*>(m_pFrame->m_splitter.GetPane(0, 1)); }
    CTreeForm* LeftForm() { return static_cast<CTreeForm*>(m_pFrame->m_splitter.GetPane(0, 0)); }
    CString PaneText(int nIndex) { return m_pFrame->m_statusBar.GetPaneText(nIndex); }
    // One idle round of the application with the frame as its visible main window.
    void RunIdle() {
        m_app.m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOWNA);
        m_app.OnIdle(0);
    }

    CWinApp m_app{L"test"};
    CTestFrame* m_pFrame = new CTestFrame;  // deletes itself with its window
    HWND m_hWnd = nullptr;
};

}  // namespace

TEST_F(FrameTest, LoadFrameTakesIconTitleMenuAndAcceleratorsAndInitialisesEveryView) {
    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_STREQ(title, L"Tesselon test frame");
    EXPECT_NE(::GetMenu(m_hWnd), nullptr);
    EXPECT_EQ(::GetMenu(m_hWnd), m_pFrame->m_hMenuDefault);
    EXPECT_NE(m_pFrame->m_hAccelTable, nullptr);
    EXPECT_NE(::GetClassLongPtrW(m_hWnd, GCLP_HICON), 0u);

    // The splitter initialised the form, then LoadFrame again: the tree was bound once, at the first.
    CTreeForm* pForm = LeftForm();
    ASSERT_NE(pForm, nullptr);
    EXPECT_EQ(pForm->m_nInitialUpdates, 2);
    EXPECT_NE(pForm->m_hTreeFirstBound, nullptr);
    EXPECT_EQ(pForm->m_tree.m_hWnd, pForm->m_hTreeFirstBound);
    EXPECT_EQ(CWnd::FromHandlePermanent(pForm->m_hTreeFirstBound), &pForm->m_tree);
}

TEST(Frame, LoadFrameWithoutResourcesMakesAPlainFrame) {
    CWinApp app(L"test");
    auto* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(0x7777));
    CString title;
    pFrame->GetWindowText(title);
    EXPECT_STREQ(title, L"");
    EXPECT_EQ(::GetMenu(pFrame->m_hWnd), nullptr);
    EXPECT_EQ(pFrame->m_hAccelTable, nullptr);
    pFrame->DestroyWindow();
}

TEST_F(FrameTest, BarsAndTheClientWindowShareTheClientAreaOnEveryResize) {
    CTestFrame& frame = *m_pFrame;
    const int cyTool = frame.m_toolBar.CalcFixedLayout(TRUE, TRUE).cy;
    const int cyStatus = frame.m_statusBar.CalcFixedLayout(TRUE, TRUE).cy;
    EXPECT_GT(cyTool, 24);  // the 24 x 24 images fit
    EXPECT_GT(cyStatus, 0);

    for (const CSize size : {CSize(640, 480), CSize(420, 300), CSize(900, 700)}) {
        frame.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CRect client;
        frame.GetClientRect(&client);
        EXPECT_EQ(RectIn(&frame, &frame.m_toolBar), CRect(0, 0, client.right, cyTool));
        EXPECT_EQ(RectIn(&frame, &frame.m_statusBar), CRect(0, client.bottom - cyStatus, client.right, client.bottom));
        EXPECT_EQ(RectIn(&frame, &frame.m_splitter), CRect(0, cyTool, client.right, client.bottom - cyStatus));

        // Inside the splitter: a 1-pixel border, column 0 at its ideal 150, a gap of 5, column 1 the rest.
        const int cx = client.right;
        const int cy = client.bottom - cyStatus - cyTool;
        EXPECT_EQ(RectIn(&frame.m_splitter, LeftForm()), CRect(1, 1, 151, cy - 1));
        EXPECT_EQ(RectIn(&frame.m_splitter, RightView()), CRect(156, 1, cx - 1, cy - 1));
    }
}

TEST_F(FrameTest, ALayoutQueryMovesNothingAndAHiddenBarTakesNoSpace) {
    CTestFrame& frame = *m_pFrame;
    const int cyTool = frame.m_toolBar.CalcFixedLayout(TRUE, TRUE).cy;
    const int cyStatus = frame.m_statusBar.CalcFixedLayout(TRUE, TRUE).cy;
    const CRect toolBefore = RectIn(&frame, &frame.m_toolBar);
    const CRect splitterBefore = RectIn(&frame, &frame.m_splitter);

    CRect left;
    const CRect proposed(0, 0, 300, 200);
    frame.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &left, &proposed);
    EXPECT_EQ(left, CRect(0, cyTool, 300, 200 - cyStatus));
    EXPECT_EQ(RectIn(&frame, &frame.m_toolBar), toolBefore);
    EXPECT_EQ(RectIn(&frame, &frame.m_splitter), splitterBefore);

    frame.m_toolBar.ShowWindow(SW_HIDE);
    frame.RecalcLayout();
    CRect client;
    frame.GetClientRect(&client);
    EXPECT_EQ(RectIn(&frame, &frame.m_splitter), CRect(0, 0, client.right, client.bottom - cyStatus));

    // m_rectBorder keeps space free around the client window.
    frame.m_rectBorder = CRect(3, 4, 5, 6);
    frame.RecalcLayout();
    EXPECT_EQ(RectIn(&frame, &frame.m_splitter), CRect(3, 4, client.right - 5, client.bottom - cyStatus - 6));
}

TEST_F(FrameTest, AcceleratorCommandsReachTheActiveViewFirstThenTheFrame) {
    CPaneView* pView = RightView();
    ASSERT_NE(pView, nullptr);

    m_pFrame->SetActiveView(pView);
    pView->PostMessage(WM_KEYDOWN, VK_F5, 0);
    PumpLikeTheApp(m_app);
    EXPECT_EQ(pView->m_nCommands, 1);
    EXPECT_EQ(m_pFrame->m_nCommands, 0);

    m_pFrame->SetActiveView(nullptr);
    pView->PostMessage(WM_KEYDOWN, VK_F5, 0);
    PumpLikeTheApp(m_app);
    EXPECT_EQ(pView->m_nCommands, 1);
    EXPECT_EQ(m_pFrame->m_nCommands, 1);
}

TEST_F(FrameTest, AClickMakesAViewActiveAndItsDestructionForgetsIt) {
    CPaneView* pView = RightView();
    ASSERT_NE(pView, nullptr);
    pView->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(m_pFrame->GetActiveView(), pView);
    pView->DestroyWindow();
    EXPECT_EQ(m_pFrame->GetActiveView(), nullptr);
}

TEST_F(FrameTest, OpeningAPopupGreysItemsTheHandlersDisableOrNobodyHandles) {
    CMenu* pPopup = CMenu::FromHandle(::GetSubMenu(::GetMenu(m_hWnd), 0));
    pPopup->AppendMenu(MF_STRING, ID_UNHANDLED, L"Unhandled");
    auto isGrey = [&](UINT nID) { return (pPopup->GetMenuState(nID, MF_BYCOMMAND) & MF_GRAYED) != 0; };

    m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pPopup->m_hMenu), 0);
    EXPECT_FALSE(isGrey(ID_TEST_COMMAND));
    EXPECT_TRUE(isGrey(ID_TEST_MENU_ITEM));
    EXPECT_TRUE(isGrey(ID_UNHANDLED));

    m_pFrame->m_bMenuItemEnabled = TRUE;
    m_pFrame->m_bAutoMenuEnable = FALSE;
    pPopup->EnableMenuItem(ID_UNHANDLED, MF_BYCOMMAND | MF_ENABLED);
    m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pPopup->m_hMenu), 0);
    EXPECT_FALSE(isGrey(ID_TEST_MENU_ITEM));
    EXPECT_TRUE(pPopup->GetMenuState(ID_TEST_MENU_ITEM, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(isGrey(ID_UNHANDLED));
}

TEST_F(FrameTest, ToolbarButtonsTakeTheirStateFromTheFramesHandlersAtIdle) {
    CToolBarCtrl& ctrl = m_pFrame->m_toolBar.GetToolBarCtrl();
    RunIdle();
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_TEST_COMMAND));
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_TEST_MENU_ITEM));
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_UNHANDLED));

    m_pFrame->m_bMenuItemEnabled = TRUE;
    RunIdle();
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_TEST_MENU_ITEM));
    EXPECT_TRUE(ctrl.IsButtonChecked(ID_TEST_MENU_ITEM));
    EXPECT_STREQ(m_pFrame->m_toolBar.GetButtonText(0), L"Run");
}

TEST_F(FrameTest, AToolbarPlacedByHandInAPaneAsksTheFrameAndStaysWhereItWasPut) {
    // As the list panes make theirs: a child dialog in a view, the toolbar's style as they pass it.
    CDialog pane;
    ASSERT_TRUE(pane.Create(IDD_TEST_PANE, RightView()));
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(&pane, TBSTYLE_FLAT | TBSTYLE_LIST, 0x50052834, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR));
    EXPECT_EQ(bar.GetDlgCtrlID(), static_cast<int>(AFX_IDW_TOOLBAR));
    EXPECT_EQ(bar.GetBarStyle(), 0x2834u);
    EXPECT_TRUE(bar.GetStyle() & TBSTYLE_TOOLTIPS);
    bar.GetToolBarCtrl().SetImageList(&m_pFrame->m_images);
    const UINT buttons[] = {ID_TEST_COMMAND, ID_UNHANDLED};
    bar.SetButtons(buttons, 2);
    bar.SetButtonText(1, L"Clear");
    bar.SetWindowPos(nullptr, 2, 0, 200, 32, SWP_NOZORDER | SWP_NOACTIVATE);

    RunIdle();
    EXPECT_TRUE(bar.GetToolBarCtrl().IsButtonEnabled(ID_TEST_COMMAND));
    EXPECT_FALSE(bar.GetToolBarCtrl().IsButtonEnabled(ID_UNHANDLED));
    m_pFrame->RecalcLayout();
    EXPECT_EQ(RectIn(&pane, &bar), CRect(2, 0, 202, 32));
    CRect client;
    bar.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 200, 32));  // no sizing frame, whatever the style says
    EXPECT_STREQ(bar.GetButtonText(1), L"Clear");
}

TEST_F(FrameTest, IdleTimeNeverRetitlesTheFrameNorGivesItsMenuBack) {
    m_pFrame->SetWindowText(L"0001 title");
    HMENU hMenu = ::GetMenu(m_hWnd);
    ::SetMenu(m_hWnd, nullptr);  // a menu bar took it over

    m_pFrame->m_nIdleFlags = idleTitle | idleMenu | idleLayout;
    RunIdle();
    EXPECT_EQ(m_pFrame->m_nIdleFlags, 0u);
    m_pFrame->m_nIdleFlags = idleTitle | idleMenu;
    m_pFrame->PostMessage(WM_IDLEUPDATECMDUI);
    PumpUntil([&] { return m_pFrame->m_nIdleFlags == 0; });

    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_STREQ(title, L"0001 title");
    EXPECT_EQ(::GetMenu(m_hWnd), nullptr);
    ::DestroyMenu(hMenu);
}

TEST_F(FrameTest, MessageStringsGoToPaneZeroAndTextsWrittenIntoTheControlStay) {
    CStatusBar& bar = m_pFrame->m_statusBar;
    bar.SendMessage(SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"written directly"));

    m_pFrame->SendMessage(WM_SETMESSAGESTRING, IDS_TEST_PROMPT);
    EXPECT_STREQ(PaneText(0), L"Runs the test command");
    m_pFrame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(L"Text as is"));
    EXPECT_STREQ(PaneText(0), L"Text as is");
    m_pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    EXPECT_STREQ(PaneText(0), L"");

    // Nothing the layer does later writes pane 1 again.
    m_pFrame->SetWindowPos(nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    bar.SetPaneInfo(1, ID_STATUS_PANE, SBPS_STRETCH, 80);
    bar.SetPaneStyle(1, SBPS_NORMAL);
    RunIdle();
    EXPECT_STREQ(PaneText(1), L"written directly");
}

TEST(StatusBar, PaneWidthsAreKeptAndTheFreeWidthGoesToTheFirstStretchPane) {
    CWinApp app(L"test");
    CWnd parent;
    ASSERT_TRUE(CreateTopLevel(&parent));
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(&parent));
    const UINT ids[] = {0, 10000, 10001, 10002, 10003, 10004};
    ASSERT_TRUE(bar.SetIndicators(ids, 6));  // strings 10000-10004 do not exist

    const int W = 1000;
    bar.SetPaneInfo(0, 0, SBPS_DISABLED, 0);
    bar.SetPaneInfo(1, 10000, SBPS_STRETCH, W / 4);
    bar.SetPaneInfo(2, 10001, SBPS_STRETCH, W / 4);
    bar.SetPaneInfo(3, 10002, SBPS_STRETCH, W / 8);
    bar.SetPaneInfo(4, 10003, SBPS_STRETCH, W / 8);
    bar.SetPaneInfo(5, 10004, SBPS_STRETCH, W / 4);
    std::vector<int> widths;
    for (int i = 0; i < bar.GetCount(); ++i) {
        UINT nID = 0;
        UINT nStyle = 0;
        int cx = 0;
        bar.GetPaneInfo(i, nID, nStyle, cx);
        widths.push_back(cx);
    }
    EXPECT_EQ(widths, (std::vector<int>{0, 250, 250, 125, 125, 250}));

    auto edges = [&] {
        std::vector<int> parts(6);
        bar.SendMessage(SB_GETPARTS, 6, reinterpret_cast<LPARAM>(parts.data()));
        return parts;
    };
    bar.MoveWindow(0, 0, 1000, 20);
    EXPECT_EQ(edges(), (std::vector<int>{0, 250, 500, 625, 750, 1000}));
    bar.MoveWindow(0, 0, 1200, 20);
    EXPECT_EQ(edges(), (std::vector<int>{0, 450, 700, 825, 950, 1200}));

    // A disabled pane shows no text; the others show what they are given.
    bar.SetPaneText(0, L"hidden");
    bar.SetPaneText(2, L"shown");
    EXPECT_STREQ(bar.GetPaneText(0), L"");
    EXPECT_STREQ(bar.GetPaneText(2), L"shown");
}

namespace {

// An owned popup that records the WM_FLOATSTATUS flags it gets; answers FS_SYNCACTIVE with m_nSync.
class CFloatProbe : public CWnd {
public:
    std::vector<WPARAM> m_flags;
    LRESULT m_nSync = 0;

protected:
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM) {
        if (wParam & FS_SYNCACTIVE)
            return m_nSync;
        m_flags.push_back(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFloatProbe, CWnd)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

}  // namespace

TEST(Frame, OwnedPopupsFollowTheFramesActivationAndEnabledState) {
    CWinApp app(L"test");
    auto* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(0x7777));
    CFloatProbe popup;
    ASSERT_TRUE(CreateTopLevel(&popup, WS_POPUP, pFrame->m_hWnd));
    CWnd stranger;
    ASSERT_TRUE(CreateTopLevel(&stranger, WS_POPUP));

    pFrame->EnableWindow(FALSE);
    pFrame->EnableWindow(TRUE);
    EXPECT_EQ(popup.m_flags, (std::vector<WPARAM>{FS_DISABLE, FS_ENABLE}));

    struct Case {
        UINT nState;
        CWnd* pOther;
        LRESULT nSync;
        WPARAM expected;
        bool bStayActive;
    };
    const Case cases[] = {
        {WA_ACTIVE, nullptr, 0, FS_ACTIVATE, true},
        {WA_INACTIVE, &popup, 0, FS_DEACTIVATE, false},     // the popup does not ask to keep the frame active
        {WA_INACTIVE, &popup, 1, FS_ACTIVATE, true},        // it does
        {WA_INACTIVE, &stranger, 1, FS_DEACTIVATE, false},  // not the frame's own popup
    };
    for (const Case& c : cases) {
        popup.m_flags.clear();
        popup.m_nSync = c.nSync;
        pFrame->SendMessage(WM_ACTIVATE, c.nState,
                            reinterpret_cast<LPARAM>(c.pOther != nullptr ? c.pOther->m_hWnd : nullptr));
        // (Default handling of WM_ACTIVATE may activate the frame for real, which repeats the flag.)
        ASSERT_FALSE(popup.m_flags.empty());
        EXPECT_EQ(popup.m_flags.back(), c.expected) << "state " << c.nState << " sync " << c.nSync;
        EXPECT_EQ((pFrame->m_nFlags & WF_STAYACTIVE) != 0, c.bStayActive);
    }
    pFrame->DestroyWindow();
}

TEST(Frame, TheDefaultMenuIsNeitherDestroyedNorReattachedWhenTheFrameGoes) {
    CWinApp app(L"test");
    for (int i = 0; i < 20; ++i) {
        auto* pFrame = new CFrameWnd;
        ASSERT_TRUE(pFrame->LoadFrame(IDR_TEST_FRAME));
        HMENU hMenu = ::GetMenu(pFrame->m_hWnd);
        ASSERT_NE(hMenu, nullptr);
        ::SetMenu(pFrame->m_hWnd, nullptr);  // a menu bar took the menu over and will destroy it
        pFrame->DestroyWindow();
        ASSERT_TRUE(::IsMenu(hMenu));
        ::DestroyMenu(hMenu);
    }
    // A frame that kept its menu lets its window destroy it.
    auto* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_TEST_FRAME));
    HMENU hMenu = ::GetMenu(pFrame->m_hWnd);
    pFrame->DestroyWindow();
    EXPECT_FALSE(::IsMenu(hMenu));
}
