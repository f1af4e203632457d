// Subclassing, attaching and the handle maps.

#include "WndTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT WM_TEST_PING = WM_APP + 10;
constexpr wchar_t kForeignClass[] = L"TessForeignWindow";

// The order in which the object's map and the window's own procedure see WM_TEST_PING.
std::vector<std::string> g_trace;

LRESULT CALLBACK ForeignWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TEST_PING)
        g_trace.push_back("foreign");
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A window of a class that is not the layer's, with its own procedure.
HWND CreateForeignWindow(HWND hWndParent = nullptr, int nID = 0) {
    static const bool registered = [] {
        WNDCLASSW wndClass = {};
        wndClass.lpfnWndProc = ForeignWndProc;
        wndClass.hInstance = ::GetModuleHandleW(nullptr);
        wndClass.lpszClassName = kForeignClass;
        return ::RegisterClassW(&wndClass) != 0;
    }();
    if (!registered)
        return nullptr;
    const DWORD dwStyle = hWndParent != nullptr ? WS_CHILD : WS_OVERLAPPED;
    return ::CreateWindowExW(0, kForeignClass, L"", dwStyle, 0, 0, 10, 10, hWndParent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)), ::GetModuleHandleW(nullptr), nullptr);
}

// A procedure some other component installs on top of ours; it passes everything on.
WNDPROC g_pfnBelowTop = nullptr;
LRESULT CALLBACK TopWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(g_pfnBelowTop, hWnd, message, wParam, lParam);
}

class CSubclassProbe : public CWnd {
public:
    bool handleSawOwnHandle = false;
    bool procNotYetReplaced = false;

protected:
    void PreSubclassWindow() override {
        handleSawOwnHandle = m_hWnd != nullptr;
        procNotYetReplaced = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &ForeignWndProc;
    }
    afx_msg LRESULT OnPing(WPARAM, LPARAM) {
        g_trace.push_back("object");
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSubclassProbe, CWnd)
    ON_MESSAGE(WM_TEST_PING, OnPing)
END_MESSAGE_MAP()

// A temporary whose end the test can see.
std::atomic<bool> g_tempDeleted{false};
class CTempProbe : public CObject {
public:
    ~CTempProbe() override { g_tempDeleted = true; }
    HANDLE m_hHandle = nullptr;
};

}  // namespace

TEST(WndSubclass, SubclassRunsTheMapBeforeTheOwnProcedureUntilUnsubclassed) {
    HWND hWnd = CreateForeignWindow();
    ASSERT_NE(hWnd, nullptr);
    CSubclassProbe wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    EXPECT_TRUE(wnd.handleSawOwnHandle);
    EXPECT_TRUE(wnd.procNotYetReplaced);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);

    g_trace.clear();
    ::SendMessageW(hWnd, WM_TEST_PING, 0, 0);
    EXPECT_EQ(g_trace, (std::vector<std::string>{"object", "foreign"}));

    EXPECT_EQ(wnd.UnsubclassWindow(), hWnd);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)), &ForeignWndProc);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    g_trace.clear();
    ::SendMessageW(hWnd, WM_TEST_PING, 0, 0);
    EXPECT_EQ(g_trace, std::vector<std::string>{"foreign"});
    ::DestroyWindow(hWnd);
}

TEST(WndSubclass, UnsubclassLeavesAProcedureInstalledOnTopInPlace) {
    HWND hWnd = CreateForeignWindow();
    ASSERT_NE(hWnd, nullptr);
    CSubclassProbe wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    g_pfnBelowTop =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TopWndProc)));
    ASSERT_EQ(g_pfnBelowTop, &AfxWndProc);

    EXPECT_EQ(wnd.UnsubclassWindow(), hWnd);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)), &TopWndProc);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    ::DestroyWindow(hWnd);
}

TEST(WndSubclass, SubclassDlgItemFindsTheChildById) {
    HWND hParent = CreateForeignWindow();
    HWND hChild = CreateForeignWindow(hParent, 42);
    ASSERT_NE(hChild, nullptr);
    CSubclassProbe item;
    CSubclassProbe missing;
    CWnd* pParent = CWnd::FromHandle(hParent);
    EXPECT_FALSE(missing.SubclassDlgItem(43, pParent));
    ASSERT_TRUE(item.SubclassDlgItem(42, pParent));
    EXPECT_EQ(CWnd::FromHandlePermanent(hChild), &item);
    item.UnsubclassWindow();
    ::DestroyWindow(hParent);
}

TEST(WndHandleMap, AttachMapsWithoutSubclassingAndFromHandleFallsBackToATemporary) {
    HWND hWnd = CreateForeignWindow();
    ASSERT_NE(hWnd, nullptr);
    CSubclassProbe wnd;
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)), &ForeignWndProc);
    EXPECT_EQ(CWnd::FromHandle(hWnd), &wnd);

    EXPECT_EQ(wnd.Detach(), hWnd);
    CWnd* pTemporary = CWnd::FromHandle(hWnd);
    ASSERT_NE(pTemporary, nullptr);
    EXPECT_NE(pTemporary, &wnd);
    EXPECT_EQ(pTemporary->m_hWnd, hWnd);
    EXPECT_EQ(CWnd::FromHandle(hWnd), pTemporary);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    CWnd::DeleteTempMap();
    // Freeing a temporary leaves its window alone.
    EXPECT_TRUE(::IsWindow(hWnd));
    ::DestroyWindow(hWnd);
}

TEST(WndHandleMap, ATemporaryIsFreedWhenItsThreadEnds) {
    g_tempDeleted = false;
    std::thread worker([] {
        AfxGetThreadState()->m_tempObjects.FromHandle<CTempProbe, &CTempProbe::m_hHandle>(
            reinterpret_cast<HANDLE>(0x1234));
    });
    worker.join();
    EXPECT_TRUE(g_tempDeleted);
}
