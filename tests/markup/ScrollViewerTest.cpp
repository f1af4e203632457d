#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupFrameworkElement.h"
#include "TkMarkupScrollBar.h"
#include "TkMarkupScrollViewer.h"
#include "TkMarkupValues.h"

namespace {

using Viewer = CTkMarkupScrollViewer;

SCROLLINFO Info(int nMin, int nMax, int nPage, int nPos) {
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_ALL};
    info.nMin = nMin;
    info.nMax = nMax;
    info.nPage = static_cast<UINT>(nPage);
    info.nPos = nPos;
    return info;
}

class ScrollViewer : public MarkupContextTest {
protected:
    void SetUp() override {
        MarkupContextTest::SetUp();
        m_pContext = CreateMarkupContext(nullptr);
    }
    void TearDown() override {
        m_root.Reset();
        ReleaseMarkupContext(m_pContext);
        MarkupContextTest::TearDown();
    }
    void Lay(LPCWSTR lpszMarkup, int cx, int cy) {
        m_root = CTkMarkupPtr<CTkMarkupUIElement>::Adopt(ParseMarkupText(m_pContext, lpszMarkup));
        ASSERT_TRUE(m_root) << m_pContext->GetLastParseError();
        MeasureMarkupElement(m_root.Get(), cx, cy);
        m_root->Arrange(CRect(0, 0, cx, cy));
    }
    Viewer* GetViewer() const { return static_cast<Viewer*>(m_root.Get()); }

    CTkMarkupContext* m_pContext = nullptr;
    CTkMarkupPtr<CTkMarkupUIElement> m_root;
};

TEST_F(ScrollViewer, BarGeometry) {
    const int a = ::GetSystemMetrics(SM_CYVSCROLL);
    const int ah = ::GetSystemMetrics(SM_CXHSCROLL);
    struct Row {
        const char* name;
        CRect rc;
        SCROLLINFO info;
        BOOL bVertical;
        // first-arrow end, second-arrow start, thumb size, thumb start, travel
        int nFirstArrowEnd, nSecondArrowStart, nThumbSize, nThumbStart, nTravel;
    };
    const Row rows[] = {
        {"at the top",
         {0, 0, 17, 200},
         Info(0, 399, 100, 0),
         TRUE,
         a,
         200 - a,
         std::max(::MulDiv(200 - 2 * a, 100, 400), a / 2),
         a,
         200 - 2 * a - std::max(::MulDiv(200 - 2 * a, 100, 400), a / 2)},
        {"at the bottom",
         {0, 0, 17, 200},
         Info(0, 399, 100, 300),
         TRUE,
         a,
         200 - a,
         std::max(::MulDiv(200 - 2 * a, 100, 400), a / 2),
         200 - a - std::max(::MulDiv(200 - 2 * a, 100, 400), a / 2),
         200 - 2 * a - std::max(::MulDiv(200 - 2 * a, 100, 400), a / 2)},
        // The thumb never shrinks below half an arrow.
        {"a long range", {0, 0, 17, 200}, Info(0, 99999, 10, 0), TRUE, a, 200 - a, a / 2, a, 200 - 2 * a - a / 2},
        // Arrows share a bar too short for both.
        {"a short bar",
         {0, 0, 17, 20},
         Info(0, 99, 50, 0),
         TRUE,
         10,
         10,
         std::max(::MulDiv(0, 50, 100), a / 2),
         10,
         20 - 20 - std::max(0, a / 2)},
        // Range and page alike: the thumb stays at the track start.
        {"page covers all",
         {0, 0, 17, 200},
         Info(0, 99, 100, 0),
         TRUE,
         a,
         200 - a,
         ::MulDiv(200 - 2 * a, 100, 100),
         a,
         200 - 2 * a - ::MulDiv(200 - 2 * a, 100, 100)},
        // Without a page the thumb is an arrow long, and a page of 1 stands in for the position's scale.
        {"no page",
         {0, 0, 17, 200},
         Info(0, 99, 0, 99),
         TRUE,
         a,
         200 - a,
         a,
         a + ::MulDiv(99, 200 - 3 * a, 99),
         200 - 3 * a},
        {"horizontal",
         {0, 0, 150, 17},
         Info(0, 299, 150, 150),
         FALSE,
         ah,
         150 - ah,
         std::max(::MulDiv(150 - 2 * ah, 150, 300), ah / 2),
         ah + ::MulDiv(150, 150 - 2 * ah - std::max(::MulDiv(150 - 2 * ah, 150, 300), ah / 2), 150),
         150 - 2 * ah - std::max(::MulDiv(150 - 2 * ah, 150, 300), ah / 2)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScrollBarGeometry g;
        ComputeMarkupScrollBarGeometry(g, row.rc, row.info, row.bVertical);
        EXPECT_EQ(row.nFirstArrowEnd, g.nFirstArrowEnd);
        EXPECT_EQ(row.nSecondArrowStart, g.nSecondArrowStart);
        EXPECT_EQ(row.nThumbSize, g.nThumbSize);
        EXPECT_EQ(row.nThumbStart, g.nThumbStart);
        EXPECT_EQ(row.nThumbStart + row.nThumbSize, g.nThumbEnd);
        EXPECT_EQ(row.nTravel, g.nTravel);
        EXPECT_EQ(g.nFirstArrowEnd, g.nTrackStart);
    }
}

TEST_F(ScrollViewer, PositionsAndHitCodesAlongTheBar) {
    // A made-up bar: track from 17 to 183 along, a 40-pixel thumb at 50, range 0..399 with a page of 100.
    ScrollBarGeometry g;
    g.rcBar = CRect(0, 0, 17, 200);
    g.bVertical = TRUE;
    g.nMin = 0;
    g.nMax = 399;
    g.nPage = 100;
    g.nStart = 0;
    g.nEnd = 200;
    g.nFirstArrowEnd = g.nTrackStart = 17;
    g.nSecondArrowStart = 183;
    g.nThumbSize = 40;
    g.nThumbStart = 50;
    g.nThumbEnd = 90;
    g.nTravel = 126;
    const std::pair<int, int> positions[] = {
        {0, 0},     {16, 0},    {17, 0}, {17 + 63, ::MulDiv(300, 63, 126)}, {17 + 125, ::MulDiv(300, 125, 126)},
        {143, 300}, {400, 300},
    };
    for (const auto& [q, nPos] : positions)
        EXPECT_EQ(nPos, MarkupScrollPositionFromPixel(g, q)) << q;
    g.nPage = 0;
    EXPECT_EQ(399, MarkupScrollPositionFromPixel(g, 190)) << "without a page, the end is the maximum";

    const std::pair<CPoint, int> hits[] = {
        {{5, 0}, kScrollPartFirstArrow},    {{5, 16}, kScrollPartFirstArrow},   {{5, 17}, kScrollPartTrackBefore},
        {{5, 50}, kScrollPartThumb},        {{5, 89}, kScrollPartThumb},        {{5, 90}, kScrollPartTrackAfter},
        {{5, 183}, kScrollPartSecondArrow}, {{5, 199}, kScrollPartSecondArrow}, {{5, 200}, kScrollPartNone},
        {{17, 50}, kScrollPartNone},
    };
    for (const auto& [pt, nPart] : hits)
        EXPECT_EQ(nPart, HitTestMarkupScrollBar(g, TRUE, pt)) << pt.x << "," << pt.y;
    EXPECT_EQ(kScrollPartNone, HitTestMarkupScrollBar(g, FALSE, CPoint(5, 50))) << "a disabled bar has no parts";

    EXPECT_TRUE(IsMarkupScrollBarEnabled(Info(0, 100, 100, 0)));
    EXPECT_FALSE(IsMarkupScrollBarEnabled(Info(0, 99, 100, 0))) << "a page as long as the range";
}

TEST_F(ScrollViewer, ScrollCommandsAndTheLargestOffset) {
    struct Row {
        int nCommand, nCurrent, nPosition, nExpected;
    };
    // Page 100, largest offset 300.
    const Row rows[] = {
        {SB_LINEUP, 50, 0, 34},     {SB_LINEUP, 16, 0, 0},         {SB_LINEUP, 17, 0, 1},
        {SB_LINEDOWN, 50, 0, 66},   {SB_LINEDOWN, 290, 0, 300},    {SB_PAGEUP, 150, 0, 50},
        {SB_PAGEUP, 60, 0, 0},      {SB_PAGEDOWN, 150, 0, 250},    {SB_PAGEDOWN, 250, 0, 300},
        {SB_THUMBTRACK, 0, 77, 77}, {SB_THUMBPOSITION, 0, 78, 78}, {SB_TOP, 150, 0, 0},
        {SB_BOTTOM, 150, 0, 300},   {SB_ENDSCROLL, 150, 9, 150},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.nExpected, MarkupScrollTarget(row.nCommand, row.nCurrent, 100, 300, row.nPosition))
            << row.nCommand;
    EXPECT_EQ(300, MarkupLargestScrollOffset(Info(0, 399, 100, 0)));
    EXPECT_EQ(99, MarkupLargestScrollOffset(Info(0, 99, 1, 0))) << "a page of 1 leaves the maximum";
    EXPECT_EQ(99, MarkupLargestScrollOffset(Info(0, 99, 0, 0)));
    EXPECT_EQ(0, MarkupLargestScrollOffset(Info(0, 49, 100, 0)));
}

TEST_F(ScrollViewer, BarsComeAndGoWithVisibilityAndContent) {
    const int bw = ::GetSystemMetrics(SM_CXVSCROLL);
    const int bh = ::GetSystemMetrics(SM_CYHSCROLL);
    // Defaults: a vertical bar always, never a horizontal one; the content is as wide as the viewport.
    Lay(L"<ScrollViewer><Rectangle x:Name='c' Height='50'/></ScrollViewer>", 100, 80);
    ASSERT_NE(nullptr, GetViewer()->GetScrollBar(1));
    EXPECT_EQ(nullptr, GetViewer()->GetScrollBar(0));
    EXPECT_EQ(nullptr, GetViewer()->GetGripper());
    EXPECT_EQ(CRect(100 - bw, 0, 100, 80), GetViewer()->GetScrollBar(1)->GetFinalRect());
    EXPECT_FALSE(GetViewer()->GetScrollBar(1)->IsEnabled()) << "the content fits";
    EXPECT_EQ(CSize(100 - bw, 50), static_cast<CTkMarkupUIElement*>(FindNamed(m_root.Get(), L"c"))->GetRenderSize());

    // Auto: a bar only when the content does not fit.
    Lay(L"<ScrollViewer VerticalScrollBarVisibility='Auto'><Rectangle Height='50'/></ScrollViewer>", 100, 80);
    EXPECT_EQ(nullptr, GetViewer()->GetScrollBar(1));
    Lay(L"<ScrollViewer VerticalScrollBarVisibility='Auto' HorizontalScrollBarVisibility='Auto'>"
        L"<Rectangle Width='300' Height='500'/></ScrollViewer>",
        100, 80);
    ASSERT_NE(nullptr, GetViewer()->GetScrollBar(1));
    ASSERT_NE(nullptr, GetViewer()->GetScrollBar(0));
    ASSERT_NE(nullptr, GetViewer()->GetGripper());
    EXPECT_EQ(CRect(0, 80 - bh, 100 - bw, 80), GetViewer()->GetScrollBar(0)->GetFinalRect());
    EXPECT_EQ(CRect(100 - bw, 80 - bh, 100, 80), GetViewer()->GetGripper()->GetFinalRect());
    const SCROLLINFO& info = GetViewer()->GetScrollBar(1)->GetScrollInfo();
    EXPECT_EQ(499, info.nMax);
    EXPECT_EQ(static_cast<UINT>(80 - bh), info.nPage);
    EXPECT_EQ(500 - (80 - bh), GetViewer()->GetLargestOffset(1));
    EXPECT_EQ(300 - (100 - bw), GetViewer()->GetLargestOffset(0));
}

TEST_F(ScrollViewer, OffsetsWheelLinesPagesAndSnappingBack) {
    Lay(L"<ScrollViewer><Rectangle x:Name='c' Height='500' Fill='Red'/></ScrollViewer>", 100, 100);
    Viewer* pViewer = GetViewer();
    auto* pContent = static_cast<CTkMarkupUIElement*>(FindNamed(m_root.Get(), L"c"));
    CTkMarkupMouseWheelEventArgs wheel;
    wheel.nDelta = -WHEEL_DELTA;
    pViewer->OnMouseWheel(&wheel);
    EXPECT_TRUE(wheel.bHandled);
    EXPECT_EQ(48, pViewer->GetOffset(1));
    EXPECT_EQ(-48, pContent->GetVisualOffset().y) << "the content moves up at once";
    pViewer->Scroll(1, SB_LINEDOWN, 0);
    EXPECT_EQ(64, pViewer->GetOffset(1));
    pViewer->Scroll(1, SB_PAGEDOWN, 0);
    EXPECT_EQ(164, pViewer->GetOffset(1));
    wheel.nDelta = WHEEL_DELTA;
    pViewer->OnMouseWheel(&wheel);
    EXPECT_EQ(116, pViewer->GetOffset(1));
    pViewer->Scroll(1, SB_BOTTOM, 0);
    EXPECT_EQ(400, pViewer->GetOffset(1));
    pViewer->SetOffset(1, 5000);
    EXPECT_EQ(400, pViewer->GetOffset(1)) << "clamped";
    pViewer->Scroll(0, SB_LINEDOWN, 0);
    EXPECT_EQ(0, pViewer->GetOffset(0)) << "no horizontal bar, nothing to scroll";

    // The content shrinks below viewport and offset: the offset snaps back at the next arrangement.
    SetInt(pContent, CTkMarkupFrameworkElement::s_pHeightProperty, 150);
    m_root->Arrange(CRect(0, 0, 100, 100));
    EXPECT_EQ(50, pViewer->GetOffset(1));
    SetInt(pContent, CTkMarkupFrameworkElement::s_pHeightProperty, 60);
    m_root->Arrange(CRect(0, 0, 100, 100));
    EXPECT_EQ(0, pViewer->GetOffset(1));
}

// The tracking loop, driven by messages posted to a hidden host before the press that starts it.
class ScrollTracking : public MarkupContextTest {
protected:
    static constexpr LPCWSTR kMarkup =
        L"<ScrollViewer x:Name='v' VerticalScrollBarVisibility='Auto'><Rectangle x:Name='c' Height='1000' "
        L"Fill='Red'/></ScrollViewer>";
    void SetUp() override {
        MarkupContextTest::SetUp();
        m_host = std::make_unique<CMarkupHostWindow>(kMarkup, CRect(0, 0, 100, 200));
        m_pViewer = m_host->Find<Viewer>(L"v");
        ASSERT_NE(nullptr, m_pViewer);
        m_pBar = m_pViewer->GetScrollBar(1);
        ASSERT_NE(nullptr, m_pBar);
        m_x = 100 - ::GetSystemMetrics(SM_CXVSCROLL) / 2;
    }
    void TearDown() override {
        m_host.reset();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        MarkupContextTest::TearDown();
    }
    const ScrollBarGeometry& Geometry() const { return m_pBar->GetGeometry(); }
    int ThumbMiddle() const { return (Geometry().nThumbStart + Geometry().nThumbEnd) / 2; }

    std::unique_ptr<CMarkupHostWindow> m_host;
    Viewer* m_pViewer = nullptr;
    CTkMarkupScrollBar* m_pBar = nullptr;  // borrowed from the viewer
    int m_x = 0;
};

TEST_F(ScrollTracking, ArrowTrackAndThumbEndOnRelease) {
    // An arrow: one line at the press, the release ends the loop and gives the capture back.
    m_host->PostRelease(m_x, 195);
    m_host->PressAt(m_x, 195);
    EXPECT_EQ(16, m_pViewer->GetOffset(1));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(m_pBar->IsTracking());

    // The track after the thumb: one page.
    m_host->PostRelease(m_x, 150);
    m_host->PressAt(m_x, 150);
    EXPECT_EQ(16 + 200, m_pViewer->GetOffset(1));

    // The thumb follows the mouse, and goes back to where it started while the mouse is far off.
    const int nStart = ThumbMiddle();
    const int nOffsetBefore = m_pViewer->GetOffset(1);
    m_host->PostMove(m_x, nStart + 20);
    m_host->PostMove(m_x + 1000, nStart + 20);
    m_host->PostRelease(m_x + 1000, nStart + 20);
    m_host->PressAt(m_x, nStart);
    EXPECT_EQ(MarkupScrollPositionFromPixel(Geometry(), Geometry().nDragStartThumb), m_pViewer->GetOffset(1))
        << "released far off: back where it started";
    EXPECT_NEAR(nOffsetBefore, m_pViewer->GetOffset(1), 3);
    m_host->PostMove(m_x, nStart + 20);
    m_host->PostRelease(m_x, nStart + 20);
    m_host->PressAt(m_x, nStart);
    const ScrollBarGeometry& g = Geometry();
    EXPECT_EQ(MarkupScrollPositionFromPixel(g, g.nThumbStart), m_pViewer->GetOffset(1));
    EXPECT_GT(m_pViewer->GetOffset(1), nOffsetBefore);
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ScrollTracking, EndsCleanlyOnQuitDestructionAndContentChange) {
    // WM_QUIT: the loop ends, gives the capture back and posts the quit again.
    ::PostQuitMessage(9);
    m_host->PressAt(m_x, ThumbMiddle());
    EXPECT_FALSE(m_pBar->IsTracking());
    EXPECT_EQ(nullptr, ::GetCapture());
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(9u, msg.wParam);

    // The content shrinks mid-drag: the viewer lets its bar go, and the loop ends.
    auto* pContent = m_host->Find<CTkMarkupUIElement>(L"c");
    const auto bar = CTkMarkupPtr<CTkMarkupScrollBar>::Retain(m_pBar);
    m_host->onApp = [pContent] { SetInt(pContent, CTkMarkupFrameworkElement::s_pHeightProperty, 20); };
    ::PostMessageW(m_host->GetHwnd(), WM_APP, 0, 0);
    m_host->PostMove(m_x, 120);
    m_host->PressAt(m_x, ThumbMiddle());
    EXPECT_EQ(nullptr, m_pViewer->GetScrollBar(1));
    EXPECT_FALSE(bar->IsTracking());
    EXPECT_EQ(nullptr, bar->GetLogicalParent());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(0, m_pViewer->GetOffset(1));
}

TEST_F(ScrollTracking, EndsCleanlyWhenTheHostIsDestroyed) {
    const auto bar = CTkMarkupPtr<CTkMarkupScrollBar>::Retain(m_pBar);
    const auto viewer = CTkMarkupPtr<Viewer>::Retain(m_pViewer);
    HWND hWnd = m_host->GetHwnd();
    m_host->onApp = [hWnd] { ::DestroyWindow(hWnd); };
    ::PostMessageW(hWnd, WM_APP, 0, 0);
    m_host->PostMove(m_x, 150);
    m_host->PressAt(m_x, 195);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(bar->IsTracking());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(16, viewer->GetOffset(1)) << "the press's line, and nothing after the host went";
}

TEST_F(ScrollTracking, ADisabledBarOrAThumbWithoutRoomDoesNothing) {
    // A bar too short for its thumb between the arrows: the thumb cannot be dragged.
    CMarkupHostWindow shortHost(kMarkup, CRect(0, 0, 100, 40));
    auto* pViewer = shortHost.Find<Viewer>(L"v");
    const ScrollBarGeometry& g = pViewer->GetScrollBar(1)->GetGeometry();
    ASSERT_GE(g.nThumbSize, g.nSecondArrowStart - g.nFirstArrowEnd);
    shortHost.PressAt(m_x, (g.nThumbStart + g.nSecondArrowStart) / 2);
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(0, pViewer->GetOffset(1));

    // A visible bar over content that fits is disabled: a press neither captures nor scrolls.
    CMarkupHostWindow fitting(L"<ScrollViewer x:Name='v'><Rectangle Height='50'/></ScrollViewer>",
                              CRect(0, 0, 100, 200));
    pViewer = fitting.Find<Viewer>(L"v");
    CTkMarkupScrollBar* pBar = pViewer->GetScrollBar(1);
    ASSERT_NE(nullptr, pBar);
    EXPECT_FALSE(pBar->IsEnabled());
    fitting.PressAt(m_x, 195);
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(0, pViewer->GetOffset(1));
    EXPECT_EQ(kScrollPartNone, pBar->GetGeometry().nHitPart) << "no hot part either";
}

TEST_F(ScrollTracking, ClassicPaintingOfTheBar) {
    CScopedMemDC mem(100, 200);
    const int bw = ::GetSystemMetrics(SM_CXVSCROLL);
    RenderMarkupElement(m_host->GetRoot(), mem.GetSafeHdc(), CRect(0, 0, 100, 200));
    ::GdiFlush();
    auto pixel = [&mem](int x, int y) { return mem.GetBits()[y * 100 + x] & 0xFFFFFF; };
    auto dib = [](COLORREF clr) {
        return static_cast<DWORD>((GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr));
    };
    const ScrollBarGeometry& g = Geometry();
    // The arrows are the platform's frame controls.
    CScopedMemDC reference(bw, 200);
    CRect rcUp(0, 0, bw, g.nFirstArrowEnd);
    ::DrawFrameControl(reference.GetSafeHdc(), &rcUp, DFC_SCROLL, DFCS_SCROLLUP);
    CRect rcDown(0, g.nSecondArrowStart, bw, 200);
    ::DrawFrameControl(reference.GetSafeHdc(), &rcDown, DFC_SCROLL, DFCS_SCROLLDOWN);
    ::GdiFlush();
    int nDifferent = 0;
    for (int y : {0, g.nFirstArrowEnd / 2, g.nFirstArrowEnd - 1, g.nSecondArrowStart, 199}) {
        for (int x = 0; x < bw; x++)
            nDifferent += (reference.GetBits()[y * bw + x] & 0xFFFFFF) != pixel(100 - bw + x, y);
    }
    EXPECT_EQ(0, nDifferent);
    // The track: the dithered brush of button highlight and face.
    const DWORD highlight = dib(::GetSysColor(COLOR_BTNHIGHLIGHT));
    const DWORD face = dib(::GetSysColor(COLOR_BTNFACE));
    for (int y = g.nThumbEnd + 1; y < g.nSecondArrowStart; y += 7) {
        const DWORD track = pixel(100 - bw / 2, y);
        EXPECT_TRUE(track == highlight || track == face) << std::hex << track;
    }
    // The thumb: the face with a raised edge (the highlight on its top-left).
    EXPECT_EQ(face, pixel(100 - bw / 2, (g.nThumbStart + g.nThumbEnd) / 2));
    EXPECT_EQ(dib(::GetSysColor(COLOR_3DLIGHT)), pixel(100 - bw, g.nThumbStart));
    // The content is clipped to the viewport, beside the bar.
    EXPECT_EQ(0xFF0000u, pixel(10, 10));
    EXPECT_EQ(0xFF0000u, pixel(100 - bw - 1, 199));
}

}  // namespace
