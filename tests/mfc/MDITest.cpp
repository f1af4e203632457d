// The MDI frame: the client window it makes, children made by WM_MDICREATE that see their creation
// context, activation and maximising read back through MDIGetActive, and children that go by
// WM_MDIDESTROY (closed or destroyed) and delete themselves; no document templates.

#include "FrameTestSupport.h"
#include "WindowResources.h"

namespace {

class CCountingView : public CView {
    DECLARE_DYNCREATE(CCountingView)
protected:
    void OnDraw(CDC*) override {}
};

IMPLEMENT_DYNCREATE(CCountingView, CView)

int g_nChildrenAlive = 0;

class CCountedChild : public CMDIChildWnd {
public:
    CCountedChild() { ++g_nChildrenAlive; }
    ~CCountedChild() override { --g_nChildrenAlive; }
};

int CountMdiChildren(HWND hClient) {
    int n = 0;
    for (HWND h = ::GetWindow(hClient, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        ++n;
    return n;
}

}  // namespace

TEST(MDIFrame, ClientChildrenActivationAndDestruction) {
    auto* pFrame = new CMDIFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_TEST_FRAME));
    pFrame->SetWindowPos(nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND hFrame = pFrame->m_hWnd;

    // The client is an MDICLIENT in the pane's place, filling what no bar takes.
    HWND hClient = pFrame->m_hWndMDIClient;
    ASSERT_NE(hClient, nullptr);
    wchar_t szClass[32] = {};
    ::GetClassNameW(hClient, szClass, 32);
    EXPECT_EQ(_wcsicmp(szClass, L"MDIClient"), 0);
    EXPECT_EQ(::GetDlgCtrlID(hClient), static_cast<int>(AFX_IDW_PANE_FIRST));
    CRect rectClient;
    pFrame->GetClientRect(&rectClient);
    EXPECT_EQ(RectIn(pFrame, CWnd::FromHandle(hClient)), rectClient);
    EXPECT_EQ(pFrame->MDIGetActive(), nullptr);

    // Children are made through the client; the context inside the MDI creation record reaches
    // the child's client creation (it makes the view).
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CCountingView);
    auto* pFirst = new CCountedChild;
    ASSERT_TRUE(
        pFirst->Create(nullptr, L"first", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200), pFrame, &context));
    EXPECT_EQ(::GetParent(pFirst->m_hWnd), hClient);
    EXPECT_EQ(pFirst->GetMDIFrame(), pFrame);
    EXPECT_NE(DYNAMIC_DOWNCAST(CCountingView, pFirst->GetDlgItem(AFX_IDW_PANE_FIRST)), nullptr);
    auto* pSecond = new CCountedChild;
    ASSERT_TRUE(pSecond->Create(nullptr, L"second", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                CRect(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0), pFrame));
    EXPECT_EQ(g_nChildrenAlive, 2);

    BOOL bMaximized = TRUE;
    EXPECT_EQ(pFrame->MDIGetActive(&bMaximized), pSecond);
    EXPECT_FALSE(bMaximized);
    ::SendMessageW(hClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pSecond->m_hWnd), 0);
    EXPECT_EQ(pFrame->MDIGetActive(&bMaximized), pSecond);
    EXPECT_TRUE(bMaximized);
    EXPECT_TRUE(pSecond->IsZoomed());
    ::SendMessageW(hClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pSecond->m_hWnd), 0);
    ::SendMessageW(hClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pFirst->m_hWnd), 0);
    EXPECT_EQ(pFrame->MDIGetActive(&bMaximized), pFirst);
    EXPECT_FALSE(bMaximized);

    // Closing the active child destroys it through the client; the other becomes active.
    pFirst->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_nChildrenAlive, 1);
    EXPECT_EQ(CountMdiChildren(hClient), 1);
    EXPECT_EQ(pFrame->MDIGetActive(), pSecond);
    EXPECT_TRUE(pSecond->DestroyWindow());
    EXPECT_EQ(g_nChildrenAlive, 0);
    EXPECT_EQ(pFrame->MDIGetActive(), nullptr);

    // A child without an MDI frame is not made and deletes itself.
    auto* pOrphan = new CCountedChild;
    EXPECT_FALSE(pOrphan->Create(nullptr, L"orphan", WS_OVERLAPPEDWINDOW, CRect(0, 0, 10, 10), nullptr));
    EXPECT_EQ(g_nChildrenAlive, 0);

    pFrame->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hFrame));

    // The per-template code walks the application's templates: there are none.
    CWinApp app(L"test");
    POSITION pos = app.GetFirstDocTemplatePosition();
    EXPECT_EQ(pos, nullptr);
    POSITION posAny = reinterpret_cast<POSITION>(1);
    EXPECT_EQ(app.GetNextDocTemplate(posAny), nullptr);
    EXPECT_EQ(posAny, nullptr);
    EXPECT_EQ(CDocTemplate(128).m_nIDResource, 128u);
}
