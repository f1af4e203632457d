// The hook manager on hidden windows: order of the watchers and code 2, no duplicates, the old
// procedure back, WM_NCDESTROY, the current message seen by a watcher, a watcher removing itself in
// WM_DESTROY, a later subclasser that must keep its messages, and an ANSI window's own procedure.

#include "FoundationTestSupport.h"
#include "TkHookManager.h"

#include <string>
#include <vector>

namespace {

std::vector<UINT> g_received;  // messages that reached the window's own procedure

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    g_received.push_back(nMessage);
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

HWND CreateHiddenWindow() {
    static const ATOM s_class = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TkHookTestWindow";
        return ::RegisterClassW(&wc);
    }();
    (void)s_class;
    return ::CreateWindowExW(0, L"TkHookTestWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

constexpr UINT kTestMessage = WM_APP + 7;

class CWatcher : public CTkHookManagerHookAble {
public:
    CWatcher(std::vector<int>* pLog, int nId, int nAnswer) : m_pLog(pLog), m_nId(nId), m_nAnswer(nAnswer) {}
    int OnHookMessage(HWND, UINT nMessage, WPARAM&, LPARAM&, LRESULT& lResult) override {
        if (nMessage == WM_NCDESTROY)
            m_bSawNcDestroy = true;
        if (nMessage != kTestMessage)
            return kHookNotHandled;
        m_currentMessage = AfxGetThreadState()->m_lastSentMsg.message;
        m_pLog->push_back(m_nId);
        lResult = 42;
        return m_nAnswer;
    }
    std::vector<int>* m_pLog;
    int m_nId;
    int m_nAnswer;
    UINT m_currentMessage = 0;
    bool m_bSawNcDestroy = false;
};

TEST(HookManager, NewestWatcherFirstAndCodesEndTheDispatch) {
    HWND hWnd = CreateHiddenWindow();
    const WNDPROC pfnOriginal = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    std::vector<int> log;
    CWatcher older(&log, 1, kHookNotHandled);
    CWatcher newer(&log, 2, kHookStop);
    CTkHookManager* pManager = GetHookManager();
    pManager->SetHook(hWnd, &older);
    pManager->SetHook(hWnd, &newer);
    pManager->SetHook(hWnd, &newer);
    ASSERT_NE(pManager->Lookup(hWnd), nullptr);
    EXPECT_EQ(pManager->Lookup(hWnd)->m_watchers.size(), 2u) << "no duplicates";

    g_received.clear();
    ::SendMessageW(hWnd, kTestMessage, 0, 0);
    EXPECT_EQ(log, std::vector<int>{2}) << "code 2 stops the older watcher";
    EXPECT_EQ(g_received, std::vector<UINT>{kTestMessage}) << "but the window's procedure runs";
    EXPECT_EQ(newer.m_currentMessage, kTestMessage) << "the layer's current message is the hooked one";

    newer.m_nAnswer = kHookHandled;
    log.clear();
    g_received.clear();
    EXPECT_EQ(::SendMessageW(hWnd, kTestMessage, 0, 0), 42);
    EXPECT_TRUE(g_received.empty()) << "handled: the procedure does not run";

    pManager->RemoveClient(&newer);
    pManager->RemoveHook(hWnd, &older);
    EXPECT_EQ(pManager->Lookup(hWnd), nullptr);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)), pfnOriginal);
    ::DestroyWindow(hWnd);
}

TEST(HookManager, NcDestroyIsNotOfferedButReachesTheWindow) {
    HWND hWnd = CreateHiddenWindow();
    std::vector<int> log;
    CWatcher watcher(&log, 1, kHookNotHandled);
    GetHookManager()->SetHook(hWnd, &watcher);
    g_received.clear();
    ::DestroyWindow(hWnd);
    EXPECT_FALSE(watcher.m_bSawNcDestroy);
    EXPECT_EQ(g_received.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(GetHookManager()->Lookup(hWnd), nullptr);
}

// Removes itself on its window's WM_DESTROY and deletes itself, as a shadow does.
class CSelfRemovingWatcher : public CTkHookManagerHookAble {
public:
    explicit CSelfRemovingWatcher(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~CSelfRemovingWatcher() override { *m_pDeleted = true; }
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM&, LPARAM&, LRESULT&) override {
        if (nMessage == WM_DESTROY) {
            GetHookManager()->RemoveHook(hWnd, this);
            HWND hOwn = CreateHiddenWindow();
            ::DestroyWindow(hOwn);
            delete this;
        }
        return kHookNotHandled;
    }
    bool* m_pDeleted;
};

TEST(HookManager, WatcherRemovingItselfInDestroyLeavesTheSinkUsable) {
    HWND hWnd = CreateHiddenWindow();
    bool bDeleted = false;
    GetHookManager()->SetHook(hWnd, new CSelfRemovingWatcher(&bDeleted));
    g_received.clear();
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(g_received.back(), static_cast<UINT>(WM_NCDESTROY)) << "the original procedure still ends the window";
    EXPECT_EQ(GetHookManager()->Lookup(hWnd), nullptr);
}

WNDPROC g_pfnBeforeLater = nullptr;
int g_nLaterSaw = 0;

LRESULT CALLBACK LaterSubclassProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    if (nMessage == kTestMessage)
        ++g_nLaterSaw;
    return ::CallWindowProcW(g_pfnBeforeLater, hWnd, nMessage, wParam, lParam);
}

TEST(HookManager, LaterSubclasserKeepsEveryMessageAfterUnhook) {
    HWND hWnd = CreateHiddenWindow();
    std::vector<int> log;
    CWatcher watcher(&log, 1, kHookNotHandled);
    GetHookManager()->SetHook(hWnd, &watcher);
    g_pfnBeforeLater = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterSubclassProc)));
    GetHookManager()->RemoveHook(hWnd, &watcher);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)), LaterSubclassProc);
    g_received.clear();
    g_nLaterSaw = 0;
    ::SendMessageW(hWnd, kTestMessage, 0, 0);
    EXPECT_EQ(g_nLaterSaw, 1);
    EXPECT_EQ(g_received, std::vector<UINT>{kTestMessage}) << "the pass-through sink hands it on";
    EXPECT_TRUE(log.empty());
    ::DestroyWindow(hWnd);
    EXPECT_EQ(GetHookManager()->Lookup(hWnd), nullptr);
}

std::string g_ansiText;  // the text of the last WM_SETTEXT that reached the ANSI window's procedure

LRESULT CALLBACK AnsiProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    if (nMessage == WM_SETTEXT && lParam != 0)
        g_ansiText = reinterpret_cast<const char*>(lParam);
    return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}

// A window of an ANSI class is subclassed, and its procedure called, in the ANSI form: its messages keep their
// narrow texts through the sink, whichever form they were sent in.
TEST(HookManager, AnsiWindowKeepsItsNarrowTexts) {
    static const ATOM s_class = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = AnsiProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = "TkHookTestAnsiWindow";
        return ::RegisterClassA(&wc);
    }();
    (void)s_class;
    HWND hWnd =
        ::CreateWindowExA(0, "TkHookTestAnsiWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hWnd, nullptr);
    ASSERT_FALSE(::IsWindowUnicode(hWnd));
    std::vector<int> log;
    CWatcher watcher(&log, 1, kHookNotHandled);
    GetHookManager()->SetHook(hWnd, &watcher);
    for (const bool bWide : {false, true}) {
        SCOPED_TRACE(bWide ? "sent wide" : "sent narrow");
        g_ansiText.clear();
        if (bWide)
            ::SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"hooked"));
        else
            ::SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("hooked"));
        EXPECT_EQ(g_ansiText, "hooked");
    }
    GetHookManager()->RemoveHook(hWnd, &watcher);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)), AnsiProc);
    ::DestroyWindow(hWnd);
}

}  // namespace
