// A window's own scroll bar under the pointer, through its frame object: the hot part follows the pointer
// and is cleared when it leaves the window; a held arrow repeats while the pointer stays on it. These
// cases move the machine's one pointer (SkinPointer: a serial run of their own). The thumb drag needs no
// pointer: its messages are posted.

#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinObjectFrame.h"
#include "WaitUntil.h"

#include <functional>
#include <vector>

namespace {

std::vector<ScrollNotification> g_scrolls;  // the track position as GetScrollInfo answers it
std::function<void(HWND)> g_onScroll;       // after each notification
std::function<void(HWND)> g_onTimer;        // the test's own timer 1

LRESULT CALLBACK BarWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL) {
        SCROLLINFO info = {sizeof(info), SIF_TRACKPOS};
        ::GetScrollInfo(hWnd, SB_VERT, &info);
        g_scrolls.push_back({LOWORD(wParam), static_cast<short>(HIWORD(wParam)), info.nTrackPos});
        if (g_onScroll)
            g_onScroll(hWnd);
        return 0;
    }
    if (message == WM_TIMER && wParam == 1 && g_onTimer) {
        g_onTimer(hWnd);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A hidden sizable window with its own vertical bar (range 0..99, page 10, position 50), laid out by the
// state-coded skin.
class BarWindow {
public:
    BarWindow() {
        OpenStateCodedSkin();
        WNDCLASSW wc{};
        wc.lpfnWndProc = BarWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TkSkinBarWindow";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 100, 100, 300, 200,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        const SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 99, 10, 50, 0};
        ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
        m_pFrame = dynamic_cast<CTkSkinObjectFrame*>(GetSkinManager()->FindSkinObject(m_hWnd));
        EXPECT_NE(m_pFrame, nullptr);
        CScopedMemDC dc(300, 200);
        ::SendMessageW(m_hWnd, WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_NONCLIENT);  // lays out
        g_scrolls.clear();
    }
    ~BarWindow() {
        g_onScroll = nullptr;
        g_onTimer = nullptr;
        ::DestroyWindow(m_hWnd);
    }
    BarWindow(const BarWindow&) = delete;
    BarWindow& operator=(const BarWindow&) = delete;

    const SCROLLBARPOSITION& Bar() const { return m_pFrame->GetScrollBarPosition(1); }
    // A point of the bar's window coordinates on the screen.
    CPoint OnScreen(int x, int y) const {
        CRect rc;
        ::GetWindowRect(m_hWnd, &rc);
        return rc.TopLeft() + CSize(x, y);
    }
    int BarX() const { return (Bar().rc.left + Bar().rc.right) / 2; }
    // Posts a mouse message at a screen point, in client coordinates as the system posts them.
    void PostMouse(UINT message, CPoint ptScreen, WPARAM wParam) const {
        ::ScreenToClient(m_hWnd, &ptScreen);
        ::PostMessageW(m_hWnd, message, wParam, MAKELPARAM(ptScreen.x, ptScreen.y));
    }
    void Press(CPoint ptScreen) const {
        ::SendMessageW(m_hWnd, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(ptScreen.x, ptScreen.y));
    }

    HWND m_hWnd = nullptr;
    CTkSkinObjectFrame* m_pFrame = nullptr;
};

bool MovePointer(CPoint pt) {
    ::SetCursorPos(pt.x, pt.y);
    return PumpUntil(
        [pt] {
            POINT ptNow;
            return ::GetCursorPos(&ptNow) && CPoint(ptNow) == pt;
        },
        5000);
}

}  // namespace

// The part under the pointer is hot until the pointer leaves the window; a held arrow steps at once, then
// repeats while the pointer is on it, and stops when the pointer moves off it.
TEST(SkinPointer, WindowBarsFollowThePointer) {
    BarWindow window;
    const CPoint ptThumb = window.OnScreen(window.BarX(), (window.Bar().nThumbStart + window.Bar().nThumbEnd) / 2);
    ASSERT_TRUE(MovePointer(ptThumb));
    ::SendMessageW(window.m_hWnd, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(ptThumb.x, ptThumb.y));
    EXPECT_EQ(window.Bar().nHotPart, tkSkinScrollThumb);
    ASSERT_TRUE(MovePointer(window.OnScreen(-50, -50)));
    EXPECT_TRUE(PumpUntil([&] { return window.Bar().nHotPart == tkSkinScrollNone; }, 5000))
        << "the hot-tracking timer clears the part once the pointer is gone";

    const CPoint ptDown = window.OnScreen(window.BarX(), window.Bar().nSecondArrowStart + 3);
    ASSERT_TRUE(MovePointer(ptDown));
    g_onScroll = [&](HWND hWnd) {
        if (g_scrolls.size() == 3) {
            ::SetCursorPos(ptDown.x - 100, ptDown.y);
            ::SetTimer(hWnd, 1, 300, nullptr);  // ms off the arrow before the release
        }
    };
    g_onTimer = [&](HWND hWnd) {
        ::KillTimer(hWnd, 1);
        window.PostMouse(WM_LBUTTONUP, CPoint(ptDown.x - 100, ptDown.y), 0);
    };
    window.Press(ptDown);
    ASSERT_EQ(g_scrolls.size(), 4u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(g_scrolls[i].nCommand, SB_LINEDOWN) << i;
    EXPECT_EQ(g_scrolls[3].nCommand, SB_ENDSCROLL);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(window.m_pFrame->GetScrollBarTracking(), nullptr);
}

// Dragging the thumb of a window's own bar sends each new position, which GetScrollInfo answers as the
// track position while the drag lasts; the release sends the last position, then the end.
TEST(SkinFrame, DraggedThumbsAnswerTheirTrackPosition) {
    BarWindow window;
    const SCROLLBARPOSITION& bar = window.Bar();
    const CPoint ptPress = window.OnScreen(window.BarX(), bar.nThumbStart + 2);
    const CPoint ptDragged = ptPress - CSize(0, 20);
    window.PostMouse(WM_MOUSEMOVE, ptDragged, MK_LBUTTON);
    window.PostMouse(WM_LBUTTONUP, ptDragged, 0);
    window.Press(ptPress);
    const int nDragged = ExpectThumbDrag(g_scrolls, 50);
    EXPECT_LT(nDragged, 50);
    SCROLLINFO info = {sizeof(info), SIF_TRACKPOS};
    ::GetScrollInfo(window.m_hWnd, SB_VERT, &info);
    EXPECT_NE(info.nTrackPos, nDragged) << "after the drag the system answers again";
}
