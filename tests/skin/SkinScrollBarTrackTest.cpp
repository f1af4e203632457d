#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinScrollBarTrack.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace {

struct Notification {
    int nCommand;
    int nPosition;
    DWORD dwTime;  // ms
};

// A hidden popup window 15 x 100 whose own vertical bar fills it (window and client coordinates agree),
// laid out by the state-coded skin: arrows 15 long, the track from 15 to 85. It scrolls as a program
// would: lines and pages move the position, which lays the bar out again unless its thumb is dragged.
class TrackSite : public CTkSkinScrollBarSite {
public:
    TrackSite(CTkSkinManager& manager, UINT nPage) : m_manager(manager) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TkSkinTrackTest";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 15, 100, nullptr, nullptr, wc.hInstance,
                                   nullptr);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_bar.bVertical = TRUE;
        m_bar.bVisible = TRUE;
        m_bar.nBar = SB_VERT;
        m_info = {sizeof(m_info), SIF_ALL, 0, 99, nPage, 0, 0};
        Relayout();
    }
    ~TrackSite() override { ::DestroyWindow(m_hWnd); }
    TrackSite(const TrackSite&) = delete;
    TrackSite& operator=(const TrackSite&) = delete;

    CWnd* GetScrollBarWindow() override { return CWnd::FromHandle(m_hWnd); }
    void RedrawScrollBar(SCROLLBARPOSITION*) override {
        if (m_pTracking == nullptr || !m_pTracking->bThumbDrag)
            Relayout();
    }
    void SetScrollBarTracking(SCROLLBARTRACKING* pTracking) override {
        m_pTracking = pTracking;
        m_nAttached += pTracking != nullptr;
    }

    void Post(UINT nMessage, int x, int y, WPARAM wParam = MK_LBUTTON) {
        ::PostMessageW(m_hWnd, nMessage, wParam, MAKELPARAM(x, y));
    }
    void Track(POINT pt, BOOL bJump = FALSE) { TrackScrollBar(this, pt, &m_bar, bJump); }
    // The commands and positions sent, in order.
    std::vector<std::pair<int, int>> Sent() const {
        std::vector<std::pair<int, int>> sent;
        for (const Notification& n : m_sent)
            sent.emplace_back(n.nCommand, n.nPosition);
        return sent;
    }

    HWND m_hWnd = nullptr;
    SCROLLBARPOSITION m_bar;
    SCROLLINFO m_info;
    SCROLLBARTRACKING* m_pTracking = nullptr;
    int m_nAttached = 0;
    std::vector<Notification> m_sent;
    std::function<void(TrackSite&)> m_onScroll;  // after each notification
    std::function<void(TrackSite&)> m_onTimer;   // the test's own timer 1

private:
    void Relayout() { CalcScrollBarLayout(&m_bar, {0, 0, 15, 100}, m_info, m_manager.GetMetrics()); }

    void OnScroll(int nCommand, int nPosition) {
        m_sent.push_back({nCommand, nPosition, ::GetTickCount()});
        const int nLast = m_info.nMax - static_cast<int>(m_info.nPage) + 1;
        const int nStep = nCommand == SB_LINEUP     ? -1
                          : nCommand == SB_LINEDOWN ? 1
                          : nCommand == SB_PAGEUP   ? -static_cast<int>(m_info.nPage)
                          : nCommand == SB_PAGEDOWN ? static_cast<int>(m_info.nPage)
                                                    : 0;
        if (nStep != 0) {
            m_info.nPos = std::clamp(m_info.nPos + nStep, m_info.nMin, nLast);
            RedrawScrollBar(&m_bar);
        }
        if (m_onScroll)
            m_onScroll(*this);
    }

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
        auto* pSite = reinterpret_cast<TrackSite*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (pSite != nullptr && nMessage == WM_VSCROLL) {
            pSite->OnScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return 0;
        }
        if (pSite != nullptr && nMessage == WM_TIMER && wParam == 1 && pSite->m_onTimer) {
            pSite->m_onTimer(*pSite);
            return 0;
        }
        return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }

    CTkSkinManager& m_manager;
};

using Sent = std::vector<std::pair<int, int>>;

}  // namespace

// The thumb follows the mouse (the press point keeps its place on the thumb) and sends each new position
// once; dragged more than 8 bar thicknesses away it goes back to where it began, and coming back resumes
// the drag; the release sends the last position, then SB_ENDSCROLL. Painting sees the record meanwhile.
TEST(SkinScrollBarTrack, ThumbDragFollowsTheMouseAndSnapsBack) {
    LoadedSkin skin(kStateCodedModule);
    TrackSite site(skin.Manager(), 10);  // thumb 15..22 of 100 positions, 10 a page
    site.Post(WM_MOUSEMOVE, 7, 30);
    site.Post(WM_MOUSEMOVE, 130, 30);  // 123 pixels off the bar: still dragging
    site.Post(WM_MOUSEMOVE, 150, 30);  // 143 off: back to the start
    site.Post(WM_MOUSEMOVE, 7, 40);
    site.Post(WM_LBUTTONUP, 7, 40, 0);
    bool bSeenDragging = false;
    site.m_onScroll = [&](TrackSite& s) {
        bSeenDragging |= s.m_pTracking != nullptr && s.m_pTracking->bThumbDrag && s.m_bar.nHotPart == tkSkinScrollThumb;
    };
    site.Track({7, 18});
    EXPECT_EQ(site.Sent(), (Sent{{SB_THUMBTRACK, 0},
                                 {SB_THUMBTRACK, 17},
                                 {SB_THUMBTRACK, 0},
                                 {SB_THUMBTRACK, 31},
                                 {SB_THUMBPOSITION, 31},
                                 {SB_ENDSCROLL, 0}}));
    EXPECT_TRUE(bSeenDragging);
    EXPECT_EQ(site.m_nAttached, 1);
    EXPECT_EQ(site.m_pTracking, nullptr);
    EXPECT_EQ(site.m_bar.nHotPart, tkSkinScrollNone);
    EXPECT_EQ(::GetCapture(), nullptr);
}

// Presses that end at once: a jump on a page area drags the thumb centred on the mouse; a page or an arrow
// steps once; a thumb as long as the space between the arrows is not dragged at all.
TEST(SkinScrollBarTrack, PressesStepJumpOrAreRefused) {
    LoadedSkin skin(kStateCodedModule);
    const struct {
        const char* pszName;
        UINT nPage;
        POINT pt;
        BOOL bJump;
        Sent sent;
        int nPosition;  // afterwards
    } rows[] = {
        {"jump on the page after",
         10,
         {7, 60},
         TRUE,
         {{SB_THUMBTRACK, 0}, {SB_THUMBTRACK, 60}, {SB_THUMBPOSITION, 60}, {SB_ENDSCROLL, 0}},
         0},
        {"page after", 10, {7, 60}, FALSE, {{SB_PAGEDOWN, 0}, {SB_ENDSCROLL, 0}}, 10},
        {"down arrow", 10, {7, 95}, FALSE, {{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}, 1},
        {"up arrow at the top", 10, {7, 5}, FALSE, {{SB_LINEUP, 0}, {SB_ENDSCROLL, 0}}, 0},
        {"thumb filling the track", 100, {7, 50}, FALSE, {}, 0},
    };
    for (const auto& row : rows) {
        TrackSite site(skin.Manager(), row.nPage);
        site.Post(WM_LBUTTONUP, row.pt.x, row.pt.y, 0);
        site.Track(row.pt, row.bJump);
        EXPECT_EQ(site.Sent(), row.sent) << row.pszName;
        EXPECT_EQ(site.m_info.nPos, row.nPosition) << row.pszName;
        EXPECT_EQ(site.m_nAttached, row.sent.empty() ? 0 : 1) << row.pszName;
        EXPECT_EQ(::GetCapture(), nullptr) << row.pszName;
        MSG msg;
        ::PeekMessageW(&msg, site.m_hWnd, 0, 0, PM_REMOVE);  // the release a refused press left unread
    }
}

// WM_QUIT and a lost capture end the tracking as a release would; WM_QUIT is posted again for the loop
// that owns it.
TEST(SkinScrollBarTrack, QuitAndLostCaptureEndLikeARelease) {
    LoadedSkin skin(kStateCodedModule);
    {
        TrackSite site(skin.Manager(), 10);
        ::PostQuitMessage(3);
        site.Track({7, 95});
        EXPECT_EQ(site.Sent(), (Sent{{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
        MSG msg;
        ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(msg.wParam, 3u);
    }
    TrackSite site(skin.Manager(), 10);
    site.m_onScroll = [](TrackSite&) { ::ReleaseCapture(); };
    site.Track({7, 18});
    EXPECT_EQ(site.Sent(), (Sent{{SB_THUMBTRACK, 0}, {SB_THUMBPOSITION, 0}, {SB_ENDSCROLL, 0}}));
    EXPECT_EQ(site.m_pTracking, nullptr);
}

// Held on an arrow (the window is put under the pointer, which stays where it is), the first step comes at
// once, the next after four fifths of the double-click time, then one every tenth of it; off the arrow the
// steps stop, and coming back onto it starts them again at once.
TEST(SkinScrollBarTrack, HeldArrowsRepeatAndStopWhileTheMouseIsOff) {
    LoadedSkin skin(kStateCodedModule);
    TrackSite site(skin.Manager(), 10);
    POINT ptCursor;
    ::GetCursorPos(&ptCursor);
    auto moveUnderCursor = [&](bool bUnder) {
        const int x = bUnder ? ptCursor.x - 7 : ptCursor.x + 300;
        ::SetWindowPos(site.m_hWnd, nullptr, x, ptCursor.y - 95, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    moveUnderCursor(true);
    constexpr DWORD kAway = 300;  // ms off the arrow
    site.m_onScroll = [&](TrackSite& s) {
        if (s.m_sent.size() == 3) {
            moveUnderCursor(false);
            ::SetTimer(s.m_hWnd, 1, kAway, nullptr);
        } else if (s.m_sent.size() == 5) {
            s.Post(WM_LBUTTONUP, 7, 95, 0);
        }
    };
    site.m_onTimer = [&](TrackSite& s) {
        ::KillTimer(s.m_hWnd, 1);
        moveUnderCursor(true);
        s.Post(WM_MOUSEMOVE, 7, 95);
    };
    site.Track({7, 95});
    const std::vector<Notification>& sent = site.m_sent;
    ASSERT_EQ(sent.size(), 6u);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(sent[i].nCommand, SB_LINEDOWN) << i;
    EXPECT_EQ(sent[5].nCommand, SB_ENDSCROLL);
    const DWORD dwDoubleClick = ::GetDoubleClickTime();
    constexpr DWORD kTimerSlack = 20;  // the tick count's granularity
    EXPECT_GE(sent[1].dwTime - sent[0].dwTime + kTimerSlack, dwDoubleClick * 4 / 5);
    EXPECT_GE(sent[2].dwTime - sent[1].dwTime + kTimerSlack, dwDoubleClick / 10);
    EXPECT_LT(sent[2].dwTime - sent[1].dwTime, sent[1].dwTime - sent[0].dwTime);
    EXPECT_GE(sent[3].dwTime - sent[2].dwTime + kTimerSlack, kAway);
    EXPECT_GE(sent[4].dwTime - sent[3].dwTime + kTimerSlack, dwDoubleClick / 10);
    EXPECT_EQ(site.m_info.nPos, 5);
}
