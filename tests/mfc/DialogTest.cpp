// Dialogs: the modal loop (answers, data, owner, timers, WM_QUIT), modeless dialogs and panes, and
// keys inside a child dialog reaching the frame around it.

#include "FrameTestSupport.h"
#include "WindowResources.h"

#include <functional>

namespace {

constexpr UINT WM_SHOWN = WM_APP + 1;
constexpr UINT_PTR kSafetyTimer = 99;

// A dialog with a name and a check box. Once it is up, m_user plays the operator.
class CTestDialog : public CDialog {
public:
    explicit CTestDialog(CWnd* pParentWnd = nullptr, UINT nIDTemplate = IDD_TEST_DIALOG)
        : CDialog(nIDTemplate, pParentWnd) {}

    CString m_strName = L"initial";
    BOOL m_bKeep = FALSE;
    CEdit m_edit;
    std::function<void(CTestDialog&)> m_user;

    void Type(LPCTSTR lpszText, BOOL bKeep) {
        SetDlgItemText(IDC_TEST_EDIT, lpszText);
        CheckDlgButton(IDC_TEST_CHECK, bKeep ? BST_CHECKED : BST_UNCHECKED);
    }

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetDlgItemText(IDC_TEST_EDIT, m_strName);
        // Ends a dialog whose loop never served its messages, instead of hanging the test.
        SetTimer(kSafetyTimer, 10000);
        PostMessage(WM_SHOWN);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TEST_EDIT, m_edit); }
    void OnOK() override {
        GetDlgItemText(IDC_TEST_EDIT, m_strName);
        m_bKeep = IsDlgButtonChecked(IDC_TEST_CHECK);
        CDialog::OnOK();
    }
    afx_msg LRESULT OnShown(WPARAM, LPARAM) {
        if (m_user)
            m_user(*this);
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent) {
        if (nIDEvent == kSafetyTimer)
            EndDialog(IDABORT);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
    ON_MESSAGE(WM_SHOWN, OnShown)
    ON_WM_TIMER()
END_MESSAGE_MAP()

}  // namespace

TEST(Dialog, ModalDialogAnswersOkWithItsDataAndCancelWithout) {
    CWinApp app(L"test");
    EnsureCommonControls();
    auto press = [](UINT nID) {
        return [nID](CTestDialog& dlg) {
            dlg.Type(L"typed", TRUE);
            dlg.PostMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, nID)));
        };
    };
    auto key = [](UINT nKey) {
        return [nKey](CTestDialog& dlg) {
            dlg.Type(L"typed", TRUE);
            ::PostMessageW(dlg.m_edit.m_hWnd, WM_KEYDOWN, nKey, 0);
        };
    };
    struct Case {
        const char* pszWhat;
        std::function<void(CTestDialog&)> user;
        INT_PTR nExpected;
        const wchar_t* pszName;
        BOOL bKeep;
    };
    const Case cases[] = {
        {"OK button", press(IDOK), IDOK, L"typed", TRUE},
        {"Enter", key(VK_RETURN), IDOK, L"typed", TRUE},
        {"Cancel button", press(IDCANCEL), IDCANCEL, L"initial", FALSE},
        {"Escape", key(VK_ESCAPE), IDCANCEL, L"initial", FALSE},
        {"close box",
         [](CTestDialog& dlg) {
             dlg.Type(L"typed", TRUE);
             dlg.PostMessage(WM_CLOSE);
         },
         IDCANCEL, L"initial", FALSE},
    };
    for (const Case& c : cases) {
        CTestDialog dlg;
        dlg.m_user = c.user;
        EXPECT_EQ(dlg.DoModal(), c.nExpected) << c.pszWhat;
        EXPECT_STREQ(dlg.m_strName, c.pszName) << c.pszWhat;
        EXPECT_EQ(dlg.m_bKeep, c.bKeep) << c.pszWhat;
        EXPECT_EQ(dlg.m_hWnd, nullptr) << c.pszWhat;
        EXPECT_EQ(dlg.m_edit.m_hWnd, nullptr) << c.pszWhat;
    }
}

TEST(Dialog, TheOwnersTopLevelWindowIsDisabledWhileTheDialogRuns) {
    CWinApp app(L"test");
    CWnd owner;
    ASSERT_TRUE(CreateTopLevel(&owner));
    CWnd child;
    ASSERT_TRUE(CreateChild(&child, &owner, 1));

    HWND hDialogOwner = nullptr;
    BOOL bOwnerEnabledMeanwhile = TRUE;
    CTestDialog dlg(&child);
    dlg.m_user = [&](CTestDialog& d) {
        hDialogOwner = ::GetWindow(d, GW_OWNER);
        bOwnerEnabledMeanwhile = owner.IsWindowEnabled();
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(hDialogOwner, owner.m_hWnd);
    EXPECT_FALSE(bOwnerEnabledMeanwhile);
    EXPECT_TRUE(owner.IsWindowEnabled());

    // Without a parent the main window owns it.
    app.m_pMainWnd = &owner;
    CTestDialog orphan;
    orphan.m_user = [&](CTestDialog& d) {
        hDialogOwner = ::GetWindow(d, GW_OWNER);
        d.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(orphan.DoModal(), IDCANCEL);
    EXPECT_EQ(hDialogOwner, owner.m_hWnd);
    app.m_pMainWnd = nullptr;

    // A template that does not exist: -1, and the owner is enabled again.
    CTestDialog missing(&owner, 0x7777);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

namespace {

// Ends the dialog from its own timer ticks: only a modal loop that serves other windows gets there.
class CTicker : public CWnd {
public:
    int m_nTicks = 0;
    CDialog* m_pDialog = nullptr;

protected:
    afx_msg void OnTimer(UINT_PTR) {
        if (++m_nTicks == 3 && m_pDialog != nullptr)
            m_pDialog->PostMessage(WM_COMMAND, IDOK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTicker, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

}  // namespace

TEST(Dialog, OtherWindowsTimersKeepTickingWhileAModalDialogRuns) {
    CWinApp app(L"test");
    CTicker ticker;
    ASSERT_TRUE(CreateTopLevel(&ticker));
    CTestDialog dlg(&ticker);
    ticker.m_pDialog = &dlg;
    ticker.SetTimer(1, 10);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_GE(ticker.m_nTicks, 3);
    ticker.KillTimer(1);
}

TEST(Dialog, AQuitMessageEndsTheModalDialogAsCancelAndReachesTheOuterLoop) {
    CWinApp app(L"test");
    CWnd owner;
    ASSERT_TRUE(CreateTopLevel(&owner));
    CTestDialog dlg(&owner);
    dlg.m_user = [](CTestDialog&) { ::PostQuitMessage(7); };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(owner.IsWindowEnabled());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(Dialog, ModelessDialogsHideOnEndAndChildTemplatesMakePanes) {
    CWinApp app(L"test");
    CWnd owner;
    ASSERT_TRUE(CreateTopLevel(&owner));

    CTestDialog popup;
    ASSERT_TRUE(popup.Create(IDD_TEST_DIALOG, &owner));
    EXPECT_EQ(::GetWindow(popup, GW_OWNER), owner.m_hWnd);
    EXPECT_NE(popup.m_edit.m_hWnd, nullptr);  // bound by OnInitDialog's data exchange
    for (UINT nMessage : {UINT(WM_CLOSE), UINT(WM_COMMAND)}) {
        popup.ShowWindow(SW_SHOWNA);
        popup.SendMessage(nMessage, nMessage == WM_COMMAND ? IDOK : 0);
        PumpUntil([&] { return !popup.IsWindowVisible(); }, 2000);
        EXPECT_TRUE(::IsWindow(popup.m_hWnd)) << nMessage;
        EXPECT_FALSE(popup.IsWindowVisible()) << nMessage;
    }
    popup.DestroyWindow();
    EXPECT_EQ(popup.m_hWnd, nullptr);

    CDialog pane;
    ASSERT_TRUE(pane.Create(IDD_TEST_PANE, &owner));
    EXPECT_TRUE(pane.GetStyle() & WS_CHILD);
    EXPECT_EQ(::GetParent(pane), owner.m_hWnd);
}

namespace {

class CKeyFrame : public CFrameWnd {
public:
    int m_nCommands = 0;

protected:
    afx_msg void OnTestCommand() { ++m_nCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
END_MESSAGE_MAP()

}  // namespace

TEST(Dialog, AKeyInAChildDialogReachesTheFramesAcceleratorsBeforeIsDialogMessage) {
    CWinApp app(L"test");
    auto* pFrame = new CKeyFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_TEST_FRAME));
    CDialog pane;
    ASSERT_TRUE(pane.Create(IDD_TEST_PANE, pFrame));
    HWND hEdit = ::GetDlgItem(pane, IDC_TEST_EDIT);
    ASSERT_NE(hEdit, nullptr);

    ::PostMessageW(hEdit, WM_KEYDOWN, VK_F5, 0);
    PumpLikeTheApp(app);
    EXPECT_EQ(pFrame->m_nCommands, 1);
    pFrame->DestroyWindow();
}
