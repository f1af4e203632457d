// The MDI tab workspace on a test MDI frame (the layer's frame with an MDICLIENT and children made by
// WM_MDICREATE; Wine's MDI client decides which child is active): tabs in step with the children, the
// workspace commands' truth table, splits and moves, the group drag with its drop feedback, WM_QUIT
// during a drag, the command bars' refresh, and a group hosted in a control.

#include "BarFixtures.h"
#include "TabsTestSupport.h"

#include "TkControlTabWorkspace.h"
#include "TkMouseManager.h"
#include "TkTabClientWnd.h"

#include <string>

namespace {

constexpr wchar_t kChildClass[] = L"TabTestMdiChild";

LRESULT CALLBACK ChildProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    return ::DefMDIChildProcW(hWnd, nMessage, wParam, lParam);
}

// The layer's MDI frame, whose MDI client the tab client takes over. Hidden: Xvfb has no window manager,
// and Wine waits two seconds for one whenever a shown top-level window goes.
class TabWorkspace : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ChildProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kChildClass;
        ::RegisterClassW(&wc);
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->CreateEx(0, AfxRegisterWndClass(0), L"Frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                       700, 500, nullptr, nullptr));
        m_hClient = m_pFrame->m_hWndMDIClient;
        ASSERT_NE(m_hClient, nullptr);
        RegisterTabClasses();  // the command bars' placeholder asks the tab client
        m_pFrame->RecalcLayout();
        ASSERT_TRUE(m_client.Attach(m_pFrame, TRUE));
        ::GetClientRect(m_hClient, &m_rcClient);
    }
    void TearDown() override {
        EXPECT_EQ(::GetCapture(), nullptr);
        m_client.Detach();
        m_pFrame->DestroyWindow();
    }
    HWND AddChild(LPCWSTR pszTitle) {
        MDICREATESTRUCTW mcs = {kChildClass, pszTitle, ::GetModuleHandleW(nullptr), 0, 0, 200, 150, 0, 0};
        return reinterpret_cast<HWND>(::SendMessageW(m_hClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    }
    // Mouse messages in the MDI client's coordinates, for the loops to read.
    void PostMove(CPoint pt) const { ::PostMessageW(m_hClient, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y)); }
    void PostRelease(CPoint pt) const { ::PostMessageW(m_hClient, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y)); }
    void AddChildren(int nCount) {
        for (int i = 0; i < nCount; ++i)
            m_children.push_back(AddChild((L"Child " + std::to_wstring(i + 1)).c_str()));
    }
    CTkTabClientWnd::CWorkspace* Group(int n) const { return m_client.GetWorkspace(n); }
    CTkTabManagerItem* Tab(int nChild) const { return m_client.FindItem(m_children[static_cast<size_t>(nChild)]); }
    void Activate(int nChild) {
        ::SendMessageW(m_hClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_children[static_cast<size_t>(nChild)]), 0);
    }
    // The four commands' states for the active child as the workspace-actions placeholder lists them
    // behind itself: "previous next horizontal vertical" as 0/1.
    static std::string Actions(CTkControl* pPlaceholder) {
        pPlaceholder->PrepareForLayout(0);
        CTkControls* pControls = pPlaceholder->GetControls();
        std::string str;
        for (UINT nId :
             {kIdWorkspaceMovePrevious, kIdWorkspaceMoveNext, kIdWorkspaceNewHorizontal, kIdWorkspaceNewVertical}) {
            BOOL bListed = FALSE;
            for (int i = pPlaceholder->GetIndex() + 1; i < pControls->GetCount(); ++i)
                bListed |= pControls->GetAt(i)->GetId() == static_cast<int>(nId);
            str += bListed ? '1' : '0';
        }
        return str;
    }
    static int TakeQuit() {
        MSG msg;
        return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(msg.wParam) : -1;
    }
    void SavePrint(LPCWSTR pszName) {
        CScopedMemDC dc(m_rcClient.Width(), m_rcClient.Height());
        ::SendMessageW(m_hClient, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
        // The children on top, bottom of the Z order first (the frame is hidden, so nothing prints them).
        for (HWND hChild = ::GetWindow(::GetWindow(m_hClient, GW_CHILD), GW_HWNDLAST); hChild != nullptr;
             hChild = ::GetWindow(hChild, GW_HWNDPREV)) {
            CRect rc;
            ::GetWindowRect(hChild, rc);
            ::MapWindowPoints(nullptr, m_hClient, reinterpret_cast<POINT*>(&rc), 2);
            const int nSaved = ::SaveDC(dc.GetSafeHdc());
            ::IntersectClipRect(dc.GetSafeHdc(), rc.left, rc.top, rc.right, rc.bottom);
            ::SetViewportOrgEx(dc.GetSafeHdc(), rc.left, rc.top, nullptr);
            ::SendMessageW(hChild, WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                           PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
            ::RestoreDC(dc.GetSafeHdc(), nSaved);
        }
        SavePicture(dc, pszName);
    }

    CMDIFrameWnd* m_pFrame = nullptr;
    HWND m_hClient = nullptr;
    CRect m_rcClient;
    CTkTabClientWnd m_client;
    CScriptWindow m_script;
    std::vector<HWND> m_children;
};

}  // namespace

TEST_F(TabWorkspace, TabsFollowTheChildren) {
    AddChildren(3);
    ASSERT_EQ(m_client.GetWorkspaceCount(), 1);
    CTkTabClientWnd::CWorkspace* pGroup = Group(0);
    ASSERT_EQ(pGroup->GetItemCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pGroup->GetItemWindow(pGroup->GetItem(i)), m_children[static_cast<size_t>(i)]);
        EXPECT_EQ(pGroup->GetItem(i)->m_strCaption, CString((L"Child " + std::to_wstring(i + 1)).c_str()));
    }
    EXPECT_EQ(pGroup->GetSelectedItem(), Tab(2)) << "the last made child is active";
    EXPECT_TRUE(pGroup->IsActive());
    // The children fill the group's client area.
    CRect rcChild;
    ::GetWindowRect(m_children[0], rcChild);
    ::MapWindowPoints(nullptr, m_hClient, reinterpret_cast<POINT*>(&rcChild), 2);
    EXPECT_EQ(rcChild, pGroup->GetClientRect());
    EXPECT_EQ(pGroup->GetControlRect(), m_rcClient);
    SavePrint(L"tab-workspace-three");

    Activate(0);
    EXPECT_EQ(pGroup->GetSelectedItem(), Tab(0));
    // A click on a tab activates its child.
    const CPoint ptSecond = Tab(1)->GetRect().CenterPoint();
    PostRelease(ptSecond);
    pGroup->PerformClick(m_hClient, ptSecond);
    EXPECT_EQ(m_client.GetActiveChild(), m_children[1]);
    // The client answers the tips of its tabs.
    m_client.GetPaintManager()->m_nToolTipMode = 1;
    TOOLINFO info = {};
    info.cbSize = AFX_TOOLINFO_V1_SIZE;
    EXPECT_EQ(static_cast<CWnd&>(m_client).OnToolHitTest(ptSecond, &info), 1);
    EXPECT_STREQ(info.lpszText, L"Child 2");
    free(info.lpszText);
    // The command bars' re-layout of all bars brings the tabs in step: a child made without the MDI
    // client's message, and a new title.
    ::SetWindowTextW(m_children[1], L"Renamed");
    const HWND hDirect = ::CreateWindowExW(WS_EX_MDICHILD, kChildClass, L"Direct", WS_VISIBLE, 0, 0, 200, 150,
                                           m_hClient, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hDirect, nullptr);
    m_children.push_back(hDirect);
    ASSERT_EQ(Tab(3), nullptr) << "no tab before the refresh";
    auto* pCommandBars = new CTestCommandBars;
    pCommandBars->AttachToSite(m_pFrame);
    pCommandBars->RecalcAllBars();
    EXPECT_EQ(Tab(1)->m_strCaption, CString(L"Renamed"));
    ASSERT_NE(Tab(3), nullptr);
    EXPECT_EQ(Tab(3)->m_strCaption, CString(L"Direct"));
    EXPECT_FALSE(Tab(3)->GetRect().IsRectEmpty()) << "laid out in the header";
    pCommandBars->InternalRelease();
    ::SendMessageW(m_hClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hDirect), 0);
    ::SendMessageW(m_hClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_children[2]), 0);
    EXPECT_EQ(pGroup->GetItemCount(), 2);
}

TEST_F(TabWorkspace, WorkspaceCommandsFollowGroupsAndOrientation) {
    // The placeholder on a popup bar of the frame.
    auto* pCommandBars = new CTestCommandBars;
    pCommandBars->AttachToSite(m_pFrame);
    auto* pBar = new CTestBar;
    pBar->SetCommandBars(pCommandBars);
    SetBarKind(pBar, kBarTypePopup, kBarPopup);
    ASSERT_TRUE(CreateBarWindow(pBar, m_pFrame));
    CTkControl* pPlaceholder = pBar->GetControls()->Add(kControlButton, kIdWorkspaceActions);
    pBar->GetControls()->Add(kControlButton, 700);

    AddChildren(4);
    EXPECT_EQ(Actions(pPlaceholder), "0011") << "one group of four";
    EXPECT_EQ(pPlaceholder->GetHideFlags(), static_cast<DWORD>(kHideGeneric));
    CTkTabManagerItem* pItem = nullptr;
    EXPECT_TRUE(m_client.IsWorkspaceActionEnabled(0, &pItem));
    EXPECT_EQ(pItem, Tab(3));

    m_client.MoveItemToGroup(Tab(3), Group(0), kDropNewGroupRight);
    ASSERT_EQ(m_client.GetWorkspaceCount(), 2);
    EXPECT_FALSE(m_client.m_bStackedGroups);
    EXPECT_EQ(Actions(pPlaceholder), "1000") << "alone in the last of two side-by-side groups";
    Activate(0);
    EXPECT_EQ(Actions(pPlaceholder), "0101") << "in the first group, of three side by side";

    m_client.MoveItemToGroup(Tab(3), Group(0), kDropIntoGroup);
    EXPECT_EQ(m_client.GetWorkspaceCount(), 1) << "back: the emptied group goes";
    m_client.MoveItemToGroup(Tab(1), Group(0), kDropNewGroupBelow);
    EXPECT_TRUE(m_client.m_bStackedGroups);
    Activate(0);
    EXPECT_EQ(Actions(pPlaceholder), "0110") << "in the first of two stacked groups";

    m_client.m_bGroups = FALSE;
    EXPECT_EQ(Actions(pPlaceholder), "0000");
    EXPECT_EQ(pBar->GetControls()->GetAt(1)->GetId(), 700);
    BOOL bEnabled = TRUE;
    EXPECT_FALSE(IsWorkspaceActionEnabledFor(m_script.GetHwnd(), kIdWorkspaceMoveNext, bEnabled)) << "not a tab client";
    m_client.Detach();
    pPlaceholder->SetHideFlags(0);
    EXPECT_EQ(Actions(pPlaceholder), "0000");
    EXPECT_EQ(pPlaceholder->GetHideFlags(), 0u) << "no longer a tab client: the placeholder shows as itself";
    pBar->InternalRelease();
    pCommandBars->InternalRelease();
}

TEST_F(TabWorkspace, ASplitSharesTheSizeAndTheMovedTabKeepsItsColour) {
    AddChildren(3);
    CTkTabManagerItem* pMoved = Tab(1);
    const COLORREF clrBefore = pMoved->m_clrItem;
    // Side by side until now: the group's share is its width.
    const int nOldSize = Group(0)->GetControlRect().Width();
    m_client.MoveItemToGroup(pMoved, Group(0), kDropNewGroupBelow);
    ASSERT_EQ(m_client.GetWorkspaceCount(), 2);
    EXPECT_DOUBLE_EQ(Group(0)->m_dSize + Group(1)->m_dSize, nOldSize - m_client.m_nSplitterWidth)
        << "the old size less the splitter";
    EXPECT_EQ(Group(1)->GetItem(0), pMoved);
    EXPECT_EQ(pMoved->m_clrItem, clrBefore);
    EXPECT_EQ(pMoved->m_dwRef, 1) << "the new group holds the one reference";
    EXPECT_EQ(Group(0)->GetControlRect().bottom + m_client.m_nSplitterWidth, Group(1)->GetControlRect().top);
    EXPECT_EQ(Group(1)->GetControlRect().bottom, m_rcClient.bottom);
    SavePrint(L"tab-workspace-split");
}

TEST_F(TabWorkspace, TheGroupDragOffersDropTargetsAndReordersInTheHeader) {
    AddChildren(3);
    const CPoint ptFirst = Tab(0)->GetRect().CenterPoint();
    const CPoint ptNearBottom(m_rcClient.CenterPoint().x, m_rcClient.bottom - 10);
    BOOL bShownOutside = FALSE;
    int nActionOutside = -1;
    BOOL bShownBack = TRUE;
    // Out near the bottom edge, then back into the header: the feedback goes, and nothing moves.
    PostMove(ptNearBottom);
    m_script.PostCall([&] {
        bShownOutside = m_client.IsDragFeedbackShown();
        nActionOutside = m_client.GetDropAction();
    });
    PostMove(ptFirst);
    m_script.PostCall([&] { bShownBack = m_client.IsDragFeedbackShown(); });
    PostRelease(ptFirst);
    Group(0)->PerformClick(m_hClient, ptFirst);
    EXPECT_TRUE(bShownOutside);
    EXPECT_EQ(nActionOutside, kDropNewGroupBelow);
    EXPECT_FALSE(bShownBack);
    EXPECT_EQ(m_client.GetWorkspaceCount(), 1);

    // Released near the bottom: a new group below holds the tab.
    PostMove(ptNearBottom);
    PostRelease(ptNearBottom);
    Group(0)->PerformClick(m_hClient, ptFirst);
    ASSERT_EQ(m_client.GetWorkspaceCount(), 2);
    EXPECT_TRUE(m_client.m_bStackedGroups);
    EXPECT_EQ(Group(1)->GetItemWindow(Group(1)->GetItem(0)), m_children[0]);
    EXPECT_FALSE(m_client.IsDragFeedbackShown());
    EXPECT_TRUE(::LockWindowUpdate(::GetDesktopWindow())) << "the desktop is unlocked";
    ::LockWindowUpdate(nullptr);
}

TEST_F(TabWorkspace, AGroupEmptiedDuringItsDragGoesWhenTheDragEnds) {
    AddChildren(2);
    m_client.MoveItemToGroup(Tab(1), Group(0), kDropNewGroupRight);
    ASSERT_EQ(m_client.GetWorkspaceCount(), 2);
    const CPoint ptAlone = Tab(1)->GetRect().CenterPoint();
    int nGroupsDuring = 0;
    // Dragged out over the first group, where its child goes; then released there.
    PostMove(Group(0)->GetClientRect().CenterPoint());
    m_script.PostCall([&] {
        ::SendMessageW(m_hClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_children[1]), 0);
        nGroupsDuring = m_client.GetWorkspaceCount();
    });
    PostRelease(Group(0)->GetClientRect().CenterPoint());
    ::SendMessageW(m_hClient, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptAlone.x, ptAlone.y));
    EXPECT_EQ(nGroupsDuring, 2) << "the group of the running loop stays";
    EXPECT_EQ(m_client.GetWorkspaceCount(), 1) << "and goes after it";
    EXPECT_EQ(Group(0)->GetItemCount(), 1);
    EXPECT_FALSE(m_client.IsDragFeedbackShown());
}

TEST_F(TabWorkspace, OneTabNeverStartsTheDragAndQuitEndsIt) {
    AddChildren(1);
    const CPoint ptTab = Tab(0)->GetRect().CenterPoint();
    PostMove(CPoint(300, m_rcClient.bottom - 10));
    Group(0)->PerformClick(m_hClient, ptTab);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, m_hClient, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
        << "the press only selected: no loop read the move";

    AddChildren(2);
    const CPoint ptFirst = Tab(0)->GetRect().CenterPoint();
    PostMove(CPoint(300, m_rcClient.bottom - 10));
    m_script.PostCall([] { ::PostQuitMessage(3); });
    Group(0)->PerformClick(m_hClient, ptFirst);
    EXPECT_EQ(TakeQuit(), 3);
    EXPECT_FALSE(m_client.IsDragFeedbackShown());
    EXPECT_FALSE(m_client.IsLocked());
    EXPECT_EQ(m_client.GetWorkspaceCount(), 1) << "a quitting drag drops nothing";
    EXPECT_TRUE(::LockWindowUpdate(::GetDesktopWindow())) << "the desktop is unlocked";
    ::LockWindowUpdate(nullptr);
}

TEST_F(TabWorkspace, TheDropMenuOffersTheWorkspaceActionsAndTheNewGroupButton) {
    auto* pCommandBars = new CTestCommandBars;
    pCommandBars->AttachToSite(m_pFrame);
    m_client.SetCommandBars(pCommandBars);
    std::vector<int> ids;
    BOOL bBeginGroup = FALSE;
    DWORD dwFlags = 0;
    m_script.PostCall([&] {
        CTkCommandBar* pPopup = CreateMouseManager()->GetLastTrackedBar();
        if (pPopup == nullptr)
            return;
        for (int i = 0; i < pPopup->GetControlCount(); ++i)
            ids.push_back(pPopup->GetControl(i)->GetId());
        if (CTkControl* pLast = pPopup->GetControl(pPopup->GetControlCount() - 1)) {
            bBeginGroup = pLast->GetBeginGroup();
            dwFlags = pLast->GetFlags();
        }
        pPopup->SetTrackingMode(kTrackingNone, TRUE, FALSE);
    });
    m_client.ShowDropMenu(CPoint(100, 100));
    EXPECT_EQ(ids, (std::vector<int>{static_cast<int>(kIdWorkspaceActions), static_cast<int>(kIdWorkspaceCancel)}));
    EXPECT_TRUE(bBeginGroup);
    EXPECT_NE(dwFlags & kControlFlagNoUpdate, 0u);
    EXPECT_EQ(CreateMouseManager()->GetTrackedCount(), 0);
    m_client.SetCommandBars(nullptr);
    pCommandBars->InternalRelease();
}

TEST_F(TabWorkspace, AControlHostedGroupLivesInItsBarAndBelongsToItsControl) {
    auto* pBar = new CTestBar;
    ASSERT_TRUE(CreateBarWindow(pBar, m_pFrame, CRect(0, 0, 300, 40)));
    auto* pControl = new CTkControlTabWorkspace;
    EXPECT_EQ(pControl->GetFlags() & (kControlFlagNoKeyboard | kControlFlagNoMove),
              static_cast<DWORD>(kControlFlagNoKeyboard | kControlFlagNoMove));
    pControl->InternalAddRef();  // the test's, beyond the bar's
    pBar->GetControls()->Append(pControl);
    m_client.SetCommandBarWorkspace(pControl);
    EXPECT_EQ(pControl->GetSize(nullptr), CSize(220, 23)) << "wide on a top bar";
    SetBarKind(pBar, kBarTypeNormal, kBarLeft);
    EXPECT_EQ(pControl->GetSize(nullptr), CSize(23, 220)) << "tall on a left bar";
    EXPECT_EQ(pControl->GetPosition(), kTabPositionLeft);
    SetBarKind(pBar, kBarTypeNormal, kBarTop);

    AddChildren(2);
    ASSERT_EQ(m_client.GetWorkspace(0), pControl);
    ASSERT_EQ(pControl->GetItemCount(), 2) << "the children's tabs stand in the bar";
    pControl->SetRect(CRect(10, 5, 230, 28));
    EXPECT_EQ(pControl->GetControlRect(), CRect(10, 5, 230, 28)) << "the group is laid out in the control";
    EXPECT_TRUE(CRect(10, 5, 230, 28).PtInRect(Tab(1)->GetRect().CenterPoint()));

    // The tip of a tab names its child, for the bar's window.
    m_client.GetPaintManager()->m_nToolTipMode = 1;
    const CPoint ptSecond = Tab(1)->GetRect().CenterPoint();
    TOOLINFO info = {};
    info.cbSize = AFX_TOOLINFO_V1_SIZE;
    EXPECT_EQ(pControl->HitTestToolTip(ptSecond, &info), 1);
    EXPECT_EQ(info.hwnd, pBar->GetSafeHwnd());
    EXPECT_STREQ(info.lpszText, L"Child 2");
    free(info.lpszText);
    EXPECT_EQ(pControl->HitTestToolTip(CPoint(225, 20), &info), 0) << "no tab there";

    // A click in the bar activates the tab's child and sets the client's flags.
    Activate(0);
    ::PostMessageW(pBar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(ptSecond.x, ptSecond.y));
    pControl->HandleClick(FALSE, ptSecond);
    EXPECT_EQ(m_client.GetActiveChild(), m_children[1]);
    EXPECT_TRUE(m_client.m_bHold);
    EXPECT_TRUE(m_client.m_bClicked);

    // Its removal from the bar empties the client's list; the control keeps its group.
    pBar->GetControls()->Remove(pControl);
    EXPECT_EQ(m_client.GetWorkspaceCount(), 0);
    EXPECT_EQ(pControl->m_pOwner, nullptr);
    EXPECT_EQ(pControl->GetItemCount(), 2);
    pControl->InternalRelease();
    pBar->InternalRelease();
}
