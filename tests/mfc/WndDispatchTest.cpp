// Window creation, message dispatch, Default and the lifetime rules of window objects.

#include "WndTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT WM_TEST_OUTER = WM_APP + 1;
constexpr UINT WM_TEST_INNER = WM_APP + 2;
constexpr UINT WM_TEST_UNMAPPED = WM_APP + 3;
constexpr UINT WM_TEST_THROW = WM_APP + 4;
const UINT g_nRegisteredMessage = ::RegisterWindowMessageW(L"TesselonTestRegisteredMessage");

// Records what reaches its DefWindowProc and what its handlers were given.
class CProbeWnd : public CWnd {
public:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        defaults.push_back(message);
        return CWnd::DefWindowProc(message, wParam, lParam);
    }

    std::vector<UINT> defaults;
    DWORD setTextThread = 0;
    LPARAM contextLParam = 0;
    CPoint contextPoint;
    CSize size;
    CPoint buttonPoint;
    short wheelDelta = 0;

protected:
    afx_msg LRESULT OnOuter(WPARAM, LPARAM) {
        SendMessage(WM_TEST_INNER);
        Default();
        return 11;
    }
    afx_msg LRESULT OnInner(WPARAM, LPARAM) {
        Default();
        return 22;
    }
    afx_msg LRESULT OnSetText(WPARAM, LPARAM) {
        setTextThread = ::GetCurrentThreadId();
        return Default();
    }
    afx_msg LRESULT OnThrow(WPARAM, LPARAM) { AfxThrowResourceException(); }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) + 1; }
    afx_msg void OnContextMenu(CWnd*, CPoint point) {
        contextLParam = GetCurrentMessage()->lParam;
        contextPoint = point;
    }
    afx_msg void OnSize(UINT nType, int cx, int cy) {
        size = CSize(cx, cy);
        CWnd::OnSize(nType, cx, cy);
    }
    afx_msg void OnLButtonDown(UINT, CPoint point) { buttonPoint = point; }
    afx_msg BOOL OnMouseWheel(UINT, short zDelta, CPoint) {
        wheelDelta = zDelta;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_MESSAGE(WM_TEST_OUTER, OnOuter)
    ON_MESSAGE(WM_TEST_INNER, OnInner)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_TEST_THROW, OnThrow)
    ON_REGISTERED_MESSAGE(g_nRegisteredMessage, OnRegistered)
    ON_WM_CONTEXTMENU()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

// Records the order in which a created window's object learns about it.
class CCreateProbe : public CWnd {
public:
    std::vector<std::string> events;
    CWnd child;

protected:
    void PreSubclassWindow() override {
        events.push_back(m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this ? "presubclass"
                                                                                  : "presubclass-unmapped");
    }
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs) {
        events.push_back("nccreate");
        return CWnd::OnNcCreate(lpcs);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
        events.push_back("create");
        // A creation nested inside this one attaches its own object.
        if (!CreateChild(&child, this, 7))
            return -1;
        return CWnd::OnCreate(lpcs);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCreateProbe, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
END_MESSAGE_MAP()

// Refuses its creation, or throws in WM_CREATE, and deletes itself in PostNcDestroy.
class CRefusingWnd : public CWnd {
public:
    CRefusingWnd(bool bThrow, bool* pDeleted) : m_bThrow(bThrow), m_pDeleted(pDeleted) {}
    ~CRefusingWnd() override { *m_pDeleted = true; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) {
        if (m_bThrow)
            AfxThrowResourceException();
        return -1;
    }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    bool m_bThrow;
    bool* m_pDeleted;
};

BEGIN_MESSAGE_MAP(CRefusingWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class CDeleteFlagWnd : public CWnd {
public:
    explicit CDeleteFlagWnd(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~CDeleteFlagWnd() override { *m_pDeleted = true; }

private:
    bool* m_pDeleted;
};

// ---- An older WH_CBT hook of the thread, as the skin installs one

struct OlderHookView {
    bool sawCreate = false;
    bool subclassed = false;
    CWnd* pObject = nullptr;
};
OlderHookView g_olderHook;

LRESULT CALLBACK OlderCbtHook(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_CREATEWND && !g_olderHook.sawCreate) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        g_olderHook.sawCreate = true;
        g_olderHook.subclassed = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &AfxWndProc;
        g_olderHook.pObject = CWnd::FromHandlePermanent(hWnd);
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

}  // namespace

TEST(WndDispatch, OnWndMsgAnswersFalseWithoutAnEntry) {
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(&wnd));
    LRESULT lResult = 123;
    EXPECT_FALSE(wnd.OnWndMsg(WM_TEST_UNMAPPED, 0, 0, &lResult));
    EXPECT_EQ(lResult, 123);
    EXPECT_TRUE(wnd.OnWndMsg(WM_TEST_INNER, 0, 0, &lResult));
    EXPECT_EQ(lResult, 22);
    EXPECT_EQ(wnd.SendMessage(g_nRegisteredMessage, 32), 33);
    // What the map leaves goes to the (overridden) DefWindowProc.
    wnd.defaults.clear();
    wnd.SendMessage(WM_TEST_UNMAPPED);
    EXPECT_EQ(wnd.defaults, std::vector<UINT>{WM_TEST_UNMAPPED});
}

TEST(WndDispatch, DefaultUnderNestedSendMessageUsesEachHandlersOwnMessage) {
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(&wnd));
    wnd.defaults.clear();
    EXPECT_EQ(wnd.SendMessage(WM_TEST_OUTER), 11);
    // The inner handler's Default replays the inner message, the outer's (after the inner returned)
    // the outer one, both through the overridden DefWindowProc.
    EXPECT_EQ(wnd.defaults, (std::vector<UINT>{WM_TEST_INNER, WM_TEST_OUTER}));
}

TEST(WndDispatch, DefaultOfAMessageSentFromAnotherThreadRunsOnTheWindowsThread) {
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(&wnd));
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_lastSentMsg.message = WM_TEST_UNMAPPED;

    std::atomic<bool> done{false};
    LRESULT sendResult = 0;
    HWND hWnd = wnd.m_hWnd;
    std::thread worker([&] {
        sendResult = ::SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"from worker"));
        done = true;
    });
    const bool finished = PumpUntil([&] { return done.load(); });
    worker.join();

    ASSERT_TRUE(finished);
    EXPECT_EQ(wnd.setTextThread, ::GetCurrentThreadId());
    EXPECT_EQ(sendResult, TRUE);
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(text, L"from worker");
    // The record of the message being dispatched is put back after each dispatch.
    EXPECT_EQ(pState->m_lastSentMsg.message, WM_TEST_UNMAPPED);
}

TEST(WndDispatch, GetCurrentMessageInsideContextMenuFromTheKeyboard) {
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(&wnd));
    wnd.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd.m_hWnd), MAKELPARAM(-1, -1));
    EXPECT_EQ(wnd.contextLParam, static_cast<LPARAM>(MAKELPARAM(-1, -1)));
    EXPECT_EQ(wnd.contextPoint, CPoint(-1, -1));
}

TEST(WndDispatch, HandlersGetTheirArgumentsUnpacked) {
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(&wnd));
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80));
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 7));
    wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -120), MAKELPARAM(10, 10));
    EXPECT_EQ(wnd.size, CSize(120, 80));
    EXPECT_EQ(wnd.buttonPoint, CPoint(-5, 7));
    EXPECT_EQ(wnd.wheelDelta, -120);
}

TEST(WndDispatch, AHandlersExceptionStopsAtTheWindowProcedure) {
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(&wnd));
    EXPECT_EQ(wnd.SendMessage(WM_TEST_THROW), 0);

    // In WM_CREATE it refuses the creation: the window goes and the object deletes itself.
    bool deleted = false;
    auto* pRefusing = new CRefusingWnd(true, &deleted);
    EXPECT_FALSE(CreateTopLevel(pRefusing));
    EXPECT_TRUE(deleted);
}

TEST(WndCreate, TheObjectIsAttachedAndSubclassedBeforeWmNcCreate) {
    CCreateProbe wnd;
    ASSERT_TRUE(CreateTopLevel(&wnd));
    EXPECT_EQ(wnd.events, (std::vector<std::string>{"presubclass", "nccreate", "create"}));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(wnd.m_hWnd, GWLP_WNDPROC)), &AfxWndProc);
    ASSERT_NE(wnd.child.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.child.m_hWnd), &wnd.child);
    EXPECT_EQ(wnd.child.GetParent(), &wnd);
}

TEST(WndCreate, AnOlderThreadHookSeesTheWindowAlreadySubclassed) {
    g_olderHook = {};
    HHOOK hHook = ::SetWindowsHookExW(WH_CBT, OlderCbtHook, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hHook, nullptr);
    CWnd wnd;
    const BOOL created = CreateTopLevel(&wnd);
    ::UnhookWindowsHookEx(hHook);

    ASSERT_TRUE(created);
    EXPECT_TRUE(g_olderHook.sawCreate);
    EXPECT_TRUE(g_olderHook.subclassed);
    EXPECT_EQ(g_olderHook.pObject, &wnd);
}

TEST(WndCreate, RefusedCreationDeletesTheFrameAndClearsTheMainWindow) {
    CWinApp app(L"test");
    bool deleted = false;
    auto* pFrame = new CRefusingWnd(false, &deleted);
    app.m_pMainWnd = pFrame;

    EXPECT_FALSE(CreateTopLevel(pFrame));
    EXPECT_TRUE(deleted);
    EXPECT_EQ(static_cast<CWnd*>(app.m_pMainWnd), nullptr);
    // The main window's end ends the message loop.
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(WndCreate, AFailedCreationBeforeAnyWindowExistsRunsPostNcDestroy) {
    CWinApp app(L"test");
    bool deleted = false;
    auto* pFrame = new CRefusingWnd(false, &deleted);
    app.m_pMainWnd = pFrame;

    EXPECT_FALSE(pFrame->CreateEx(0, L"NoSuchClassAnywhere", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_TRUE(deleted);
    EXPECT_EQ(static_cast<CWnd*>(app.m_pMainWnd), nullptr);
}

TEST(WndLifetime, FinalReleaseDeletesTheObjectAndLeavesTheWindow) {
    bool deleted = false;
    auto* pWnd = new CDeleteFlagWnd(&deleted);
    ASSERT_TRUE(CreateTopLevel(pWnd));
    HWND hWnd = pWnd->m_hWnd;

    pWnd->InternalRelease();
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    // Without its object the window still answers through the default procedure.
    EXPECT_TRUE(::SetWindowTextW(hWnd, L"still here"));
    ::DestroyWindow(hWnd);
}

TEST(WndLifetime, DestructorDestroysOnlyWindowsTheObjectCreated) {
    HWND hCreated = nullptr;
    {
        CWnd wnd;
        ASSERT_TRUE(CreateTopLevel(&wnd));
        hCreated = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hCreated));

    CWnd owner;
    ASSERT_TRUE(CreateTopLevel(&owner));
    HWND hAttached = owner.Detach();
    {
        CWnd attached;
        ASSERT_TRUE(attached.Attach(hAttached));
    }
    EXPECT_TRUE(::IsWindow(hAttached));
    EXPECT_EQ(CWnd::FromHandlePermanent(hAttached), nullptr);
    ::DestroyWindow(hAttached);
}
