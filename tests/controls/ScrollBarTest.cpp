// The scroll base: its geometry from the painter's arrow metrics, hit tests and thumb positions, the
// tracking loop on a real window with the messages posted before it starts, and the scroll-bar painters
// on DIBs.

#include "ControlsTestSupport.h"
#include "TkDefaultTheme.h"
#include "TkMouseManager.h"
#include "TkScrollBase.h"
#include "TkSliderPaintManager.h"

#include <utility>
#include <vector>

namespace {

// A scroll base over a rectangle of a window, recording the commands it is asked to run and the mouse
// manager's lock at each.
class CTestScrollBar : public CTkScrollBase {
public:
    explicit CTestScrollBar(CTkScrollBarPaintManager* pPainter) : m_pPainter(pPainter) {}

    BOOL IsScrollBarEnabled() const override { return TRUE; }
    CWnd* GetParentWindow() const override { return m_pWnd; }
    CRect GetScrollBarRect() override { return m_rc; }
    void GetScrollInfo(SCROLLINFO* pInfo) override {
        pInfo->nMin = m_info.nMin;
        pInfo->nMax = m_info.nMax;
        pInfo->nPage = m_info.nPage;
        pInfo->nPos = m_info.nPos;
    }
    void DoScroll(int nCommand, int nPosition) override {
        m_scrolls.emplace_back(nCommand, nPosition);
        m_locks.push_back(CreateMouseManager()->m_nLock);
    }
    void RedrawScrollBar() override {}
    CTkScrollBarPaintManager* GetScrollBarPaintManager() const override { return m_pPainter; }

    void Set(const CRect& rc, BOOL bVertical, int nMin, int nMax, int nPage, int nPos) {
        m_rc = rc;
        m_geometry.bVertical = bVertical;
        m_info = {sizeof(SCROLLINFO), SIF_ALL, nMin, nMax, static_cast<UINT>(nPage), nPos, 0};
        UpdateScrollBarInfo();
    }

    CTkScrollBarPaintManager* m_pPainter;
    CWnd* m_pWnd = nullptr;
    CRect m_rc;
    SCROLLINFO m_info{};
    std::vector<std::pair<int, int>> m_scrolls;
    std::vector<int> m_locks;
};

// A default theme's scroll-bar painter with 17-pixel arrows whatever the system says.
class ScrollBar : public ::testing::Test {
protected:
    void SetUp() override {
        m_pTheme = new CTkDefaultTheme;
        m_pPainter = new CTkScrollBarPaintManager(m_pTheme);
        m_pPainter->m_nVertArrowHeight = m_pPainter->m_nHorzArrowWidth = 17;
    }
    void TearDown() override {
        delete m_pPainter;
        m_pTheme->InternalRelease();
    }

    CTkDefaultTheme* m_pTheme = nullptr;
    CTkScrollBarPaintManager* m_pPainter = nullptr;
};

TEST_F(ScrollBar, GeometryFollowsTheArrowsThePageAndTheFixedThumb) {
    struct Row {
        const char* name;
        CRect rc;
        BOOL bVertical;
        int nFixedThumb;
        int nMin, nMax, nPage, nPos;
        int nFirstArrowEnd, nSecondArrowStart, nThumbSize, nTrackStart, nTravel, nThumbStart;
    };
    const Row rows[] = {
        // 66 px between the arrows: the 7-px thumb grows to half the arrow.
        {"100 px, top", CRect(0, 0, 17, 100), TRUE, 0, 0, 99, 10, 0, 17, 83, 8, 17, 58, 17},
        {"100 px, bottom", CRect(0, 0, 17, 100), TRUE, 0, 0, 99, 10, 90, 17, 83, 8, 17, 58, 75},
        // The arrows share a short bar; the thumb keeps half the unshortened arrow.
        {"20 px", CRect(0, 0, 17, 20), TRUE, 0, 0, 99, 10, 0, 10, 10, 8, 10, -8, 10},
        {"fixed thumb", CRect(0, 0, 200, 20), FALSE, 11, 0, 100, 0, 50, 17, 183, 11, 17, 155, 95},
        // Without a page the thumb is as long as an arrow.
        {"no page", CRect(0, 0, 17, 100), TRUE, 0, 0, 9, 0, 9, 17, 83, 17, 17, 49, 66},
        // The page is the whole range: no travel, the thumb one pixel before the track.
        {"page is the range", CRect(0, 0, 17, 100), TRUE, 0, 0, 9, 10, 0, 17, 83, 66, 17, 0, 16},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_pPainter->m_nFixedThumbSize = row.nFixedThumb;
        CTestScrollBar bar(m_pPainter);
        bar.Set(row.rc, row.bVertical, row.nMin, row.nMax, row.nPage, row.nPos);
        const ScrollBarGeometry& g = bar.m_geometry;
        EXPECT_EQ(g.nFirstArrowEnd, row.nFirstArrowEnd);
        EXPECT_EQ(g.nSecondArrowStart, row.nSecondArrowStart);
        EXPECT_EQ(g.nThumbSize, row.nThumbSize);
        EXPECT_EQ(g.nTrackStart, row.nTrackStart);
        EXPECT_EQ(g.nTravel, row.nTravel);
        EXPECT_EQ(g.nThumbStart, row.nThumbStart);
        EXPECT_EQ(g.nThumbEnd, row.nThumbStart + row.nThumbSize);
        EXPECT_EQ(g.rcBar, row.rc);
    }
}

TEST_F(ScrollBar, HitTestsAndThumbPositions) {
    CTestScrollBar bar(m_pPainter);
    bar.Set(CRect(0, 0, 17, 100), TRUE, 0, 99, 10, 0);  // thumb 17..25
    const std::pair<CPoint, int> hits[] = {
        {CPoint(5, 5), kScrollPartFirstArrow},  {CPoint(5, 20), kScrollPartThumb},
        {CPoint(5, 50), kScrollPartTrackAfter}, {CPoint(5, 90), kScrollPartSecondArrow},
        {CPoint(20, 50), kScrollPartNone},      {CPoint(5, 100), kScrollPartNone},
    };
    for (const auto& [pt, nPart] : hits)
        EXPECT_EQ(bar.HitTest(pt), nPart) << pt.x << "," << pt.y;
    bar.m_geometry.nExtraButtonStart = 70;
    EXPECT_EQ(bar.HitTest(CPoint(5, 75)), kScrollPartExtraButton);
    bar.Set(CRect(0, 0, 17, 100), TRUE, 0, 99, 10, 90);  // thumb 75..83
    EXPECT_EQ(bar.HitTest(CPoint(5, 40)), kScrollPartTrackBefore);

    // Pixels before the track give Min, the end of the travel the last page's start.
    bar.Set(CRect(0, 0, 17, 100), TRUE, 0, 99, 10, 0);
    const std::pair<int, int> positions[] = {{10, 0}, {17, 0}, {46, 45}, {74, 88}, {75, 90}, {99, 90}};
    for (const auto& [nPixel, nPos] : positions)
        EXPECT_EQ(CTkScrollBase::PositionFromPixel(bar.m_geometry, nPixel), nPos) << nPixel;
    bar.Set(CRect(0, 0, 17, 100), TRUE, 0, 9, 0, 0);  // no page: the end is Max
    EXPECT_EQ(CTkScrollBase::PositionFromPixel(bar.m_geometry, 66), 9);
    bar.Set(CRect(0, 0, 17, 100), TRUE, 0, 9, 10, 0);  // no travel: never a position outside the range
    for (int nPixel : {16, 17, 18})
        EXPECT_EQ(CTkScrollBase::PositionFromPixel(bar.m_geometry, nPixel), 0) << nPixel;
}

TEST_F(ScrollBar, GetScrollBarStyleFollowsTheRecordedThemeNumberUnlessExplicit) {
    CTestScrollBar bar(m_pPainter);
    const std::pair<int, int> rows[] = {{kThemeDefault, kScrollStyleFlat},
                                        {kThemeOffice, kScrollStyleSystem},
                                        {kThemeOffice2007, kScrollStyleOffice2007},
                                        {kThemeRibbon, kScrollStyleOffice2007},
                                        {kThemeCustom, kScrollStyleSystem}};
    for (const auto& [nTheme, nStyle] : rows) {
        m_pTheme->m_nThemeNumber = nTheme;
        EXPECT_EQ(bar.GetScrollBarStyle(), nStyle) << nTheme;
    }
    bar.m_nExplicitStyle = kScrollStyleFlat;
    EXPECT_EQ(bar.GetScrollBarStyle(), kScrollStyleFlat);
}

// The tracking loop on a hidden window: each case posts the messages, then presses.
class ScrollTracking : public ScrollBar {
protected:
    void SetUp() override {
        ScrollBar::SetUp();
        m_pWnd = new CWnd;
        ASSERT_TRUE(
            m_pWnd->CreateEx(0, AfxRegisterWndClass(0), L"scroll", WS_POPUP, CRect(0, 0, 100, 150), nullptr, 0));
        m_bar.m_pWnd = m_pWnd;
        m_bar.m_pPainter = m_pPainter;
        m_bar.Set(CRect(0, 0, 17, 100), TRUE, 0, 99, 10, 0);  // thumb 17..25
        m_nLock = CreateMouseManager()->m_nLock;
    }
    void TearDown() override {
        if (::IsWindow(m_hWnd()))
            m_pWnd->DestroyWindow();
        delete m_pWnd;
        ScrollBar::TearDown();
    }
    HWND m_hWnd() const { return m_pWnd->GetSafeHwnd(); }
    void Post(UINT message, CPoint pt, WPARAM wParam = MK_LBUTTON) {
        ::PostMessageW(m_hWnd(), message, wParam, MAKELPARAM(pt.x, pt.y));
    }
    void PostTick() { ::PostMessageW(m_hWnd(), WM_TIMER, CTkScrollBase::kRepeatTimer, 0); }

    CWnd* m_pWnd = nullptr;
    CTestScrollBar m_bar{nullptr};
    int m_nLock = 0;
};

using Scrolls = std::vector<std::pair<int, int>>;

TEST_F(ScrollTracking, ArrowsRepeatWhileInsideThumbDragsSnapBackAndEveryEndIsReported) {
    // An arrow: one scroll at the press, one per tick, none outside, one at once on re-entry; the end.
    PostTick();
    PostTick();
    Post(WM_MOUSEMOVE, CPoint(5, 50));
    PostTick();
    Post(WM_MOUSEMOVE, CPoint(5, 92));
    Post(WM_LBUTTONUP, CPoint(5, 92), 0);
    m_bar.TrackScrollBar(m_pWnd, CPoint(5, 90), &m_bar.m_geometry, FALSE);
    EXPECT_EQ(m_bar.m_scrolls,
              (Scrolls{{SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
    EXPECT_EQ(m_bar.m_nRepeatElapse, static_cast<int>(::GetDoubleClickTime() / 10)) << "re-entry";
    EXPECT_EQ(m_bar.m_locks.at(1), m_nLock + 1) << "other bars ignore the mouse during the loop";
    EXPECT_EQ(CreateMouseManager()->m_nLock, m_nLock);
    EXPECT_EQ(m_bar.m_pTracking, nullptr);
    EXPECT_NE(::GetCapture(), m_hWnd());

    // A thumb drag: far beside the bar the thumb goes back where it started; far below it stays in reach
    // and reaches the end; the release reports the position, then the end.
    const int nFar = 17 + 8 * 17 + 5;
    const Scrolls drag = {{SB_THUMBTRACK, 0},  {SB_THUMBTRACK, 45},    {SB_THUMBTRACK, 0},
                          {SB_THUMBTRACK, 90}, {SB_THUMBPOSITION, 90}, {SB_ENDSCROLL, 0}};
    // With a fixed thumb (a slider) the thumb never snaps back.
    const Scrolls fixed = {
        {SB_THUMBTRACK, 0}, {SB_THUMBTRACK, 45}, {SB_THUMBTRACK, 90}, {SB_THUMBPOSITION, 90}, {SB_ENDSCROLL, 0}};
    for (const auto& [nFixedThumb, expected] : {std::pair(0, drag), std::pair(8, fixed)}) {
        m_pPainter->m_nFixedThumbSize = nFixedThumb;
        m_bar.Set(CRect(0, 0, 17, 100), TRUE, 0, 99, 10, 0);
        m_bar.m_scrolls.clear();
        Post(WM_MOUSEMOVE, CPoint(5, 49));
        Post(WM_MOUSEMOVE, CPoint(nFar, 49));
        Post(WM_MOUSEMOVE, CPoint(5, 120));
        Post(WM_LBUTTONUP, CPoint(5, 120), 0);
        m_bar.TrackScrollBar(m_pWnd, CPoint(5, 20), &m_bar.m_geometry, FALSE);
        EXPECT_EQ(m_bar.m_scrolls, expected) << nFixedThumb;
    }
    m_pPainter->m_nFixedThumbSize = 0;

    // A thumb that fills the track: the press does nothing.
    m_bar.Set(CRect(0, 0, 17, 100), TRUE, 0, 9, 10, 0);
    m_bar.m_scrolls.clear();
    m_bar.TrackScrollBar(m_pWnd, CPoint(5, 40), &m_bar.m_geometry, FALSE);
    EXPECT_TRUE(m_bar.m_scrolls.empty());
    EXPECT_NE(::GetCapture(), m_hWnd());

    // A quit ends the loop and goes back to the queue; the end is still reported.
    m_bar.Set(CRect(0, 0, 17, 100), TRUE, 0, 99, 10, 0);
    m_bar.m_scrolls.clear();
    ::PostQuitMessage(7);
    m_bar.TrackScrollBar(m_pWnd, CPoint(5, 5), &m_bar.m_geometry, FALSE);
    EXPECT_EQ(m_bar.m_scrolls, (Scrolls{{SB_LINEUP, 0}, {SB_ENDSCROLL, 0}}));
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(CreateMouseManager()->m_nLock, m_nLock);

    // The window destroyed inside the loop ends it.
    m_bar.m_scrolls.clear();
    ::PostMessageW(m_hWnd(), WM_CLOSE, 0, 0);
    PostTick();
    m_bar.TrackScrollBar(m_pWnd, CPoint(5, 5), &m_bar.m_geometry, FALSE);
    EXPECT_FALSE(::IsWindow(m_hWnd()));
    EXPECT_EQ(m_bar.m_scrolls, (Scrolls{{SB_LINEUP, 0}, {SB_ENDSCROLL, 0}}));
    EXPECT_EQ(CreateMouseManager()->m_nLock, m_nLock);
}

TEST_F(ScrollBar, FlatLookFramesTheArrowsAndThumbAndSwapsThePressedArrow) {
    CPinnedColors pinned({COLOR_BTNFACE, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW});
    const COLORREF clrHighlight = CPinnedColors::Of(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = CPinnedColors::Of(COLOR_BTNSHADOW);
    CTestScrollBar bar(m_pPainter);
    bar.Set(CRect(0, 0, 17, 100), TRUE, 0, 99, 10, 0);  // thumb 17..25
    ASSERT_EQ(bar.GetScrollBarStyle(), kScrollStyleFlat);
    CScopedMemDC dc(17, 100);
    m_pPainter->DrawScrollBar(&dc, &bar);
    WritePng(dc, L"/tmp/controls-flat-scrollbar.png");
    EXPECT_EQ(PixelAt(dc, 0, 0), clrHighlight);
    EXPECT_EQ(PixelAt(dc, 16, 16), clrShadow);
    EXPECT_EQ(PixelAt(dc, 0, 83), clrHighlight);
    EXPECT_EQ(PixelAt(dc, 16, 99), clrShadow);
    EXPECT_EQ(PixelAt(dc, 0, 17), clrHighlight) << "thumb";
    EXPECT_EQ(PixelAt(dc, 16, 24), clrShadow) << "thumb";
    EXPECT_EQ(PixelAt(dc, 3, 3), CPinnedColors::Of(COLOR_BTNFACE)) << "arrow face, away from the glyph";
    const COLORREF clrTrack = PixelAt(dc, 8, 50);
    EXPECT_NE(clrTrack, CPinnedColors::Of(COLOR_BTNFACE));

    // Pressed: the first arrow's frame swapped; the pressed track after the thumb inverted.
    ScrollTrackingState tracking;
    tracking.bPressedInside = TRUE;
    bar.m_pTracking = &tracking;
    bar.m_geometry.nHitPart = kScrollPartFirstArrow;
    m_pPainter->DrawScrollBar(&dc, &bar);
    EXPECT_EQ(PixelAt(dc, 0, 0), clrShadow);
    EXPECT_EQ(PixelAt(dc, 16, 16), clrHighlight);
    EXPECT_EQ(PixelAt(dc, 0, 83), clrHighlight) << "the other arrow stays raised";
    bar.m_geometry.nHitPart = kScrollPartTrackAfter;
    m_pPainter->DrawScrollBar(&dc, &bar);
    EXPECT_EQ(PixelAt(dc, 8, 50), clrTrack ^ 0xFFFFFF);
    bar.m_pTracking = nullptr;
}

TEST_F(ScrollBar, TheSliderDrawsHorizontalBarsWithAFixedThumbOnly) {
    CPinnedColors pinned({COLOR_BTNFACE, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW});
    CTkSliderPaintManager slider(m_pTheme);
    EXPECT_EQ(slider.m_nHorzArrowWidth, 16);
    EXPECT_EQ(slider.m_nHorzArrowHeight, 16);
    EXPECT_EQ(slider.m_nFixedThumbSize, 11);
    CTestScrollBar bar(&slider);
    bar.Set(CRect(0, 0, 120, 20), FALSE, 0, 100, 0, 50);
    EXPECT_EQ(bar.m_geometry.nThumbSize, 11);
    CScopedMemDC dc(120, 20);
    const COLORREF clrSentinel = RGB(1, 2, 3);
    dc.FillSolidRect(0, 0, 120, 20, clrSentinel);
    slider.DrawScrollBar(&dc, &bar);
    WritePng(dc, L"/tmp/controls-slider.png");
    const int xThumb = (bar.m_geometry.nThumbStart + bar.m_geometry.nThumbEnd) / 2;
    EXPECT_EQ(PixelAt(dc, xThumb, 10), CPinnedColors::Of(COLOR_BTNFACE)) << "thumb";
    EXPECT_EQ(PixelAt(dc, 8, 10), RGB(0, 0, 0)) << "minus";
    EXPECT_EQ(PixelAt(dc, 112, 6), RGB(0, 0, 0)) << "plus";
    EXPECT_EQ(PixelAt(dc, 8, 6), CPinnedColors::Of(COLOR_BTNFACE)) << "no plus on the minus button";
    EXPECT_EQ(PixelAt(dc, 30, 9), CPinnedColors::Of(COLOR_BTNSHADOW)) << "groove";
    EXPECT_EQ(PixelAt(dc, 30, 10), CPinnedColors::Of(COLOR_BTNHIGHLIGHT)) << "groove";
    // A vertical slider is not drawn.
    bar.Set(CRect(0, 0, 20, 120), TRUE, 0, 100, 0, 50);
    CScopedMemDC vertical(20, 120);
    vertical.FillSolidRect(0, 0, 20, 120, clrSentinel);
    slider.DrawScrollBar(&vertical, &bar);
    for (int y = 0; y < 120; y += 7)
        EXPECT_EQ(PixelAt(vertical, 10, y), clrSentinel) << y;
}

}  // namespace
