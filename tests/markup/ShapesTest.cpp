#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupShapes.h"
#include "TkMarkupValues.h"

namespace {

class Shapes : public MarkupContextTest {
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
    // Parses and measures without bounds; the desired size.
    CSize Measure(LPCWSTR lpszMarkup) {
        m_root = CTkMarkupPtr<CTkMarkupUIElement>::Adopt(ParseMarkupText(m_pContext, lpszMarkup));
        EXPECT_TRUE(m_root) << m_pContext->GetLastParseError();
        return m_root ? MeasureMarkupElement(m_root.Get(), kMarkupUnbounded, kMarkupUnbounded) : CSize(-1, -1);
    }
    // Parses and renders over (0, 0, cx, cy) of a white surface.
    void Render(LPCWSTR lpszMarkup, CScopedMemDC& mem) {
        std::fill(mem.GetBits(), mem.GetBits() + mem.GetWidth() * mem.GetHeight(), 0xFFFFFFu);
        m_root = CTkMarkupPtr<CTkMarkupUIElement>::Adopt(ParseMarkupText(m_pContext, lpszMarkup));
        ASSERT_TRUE(m_root) << m_pContext->GetLastParseError();
        RenderMarkupElement(m_root.Get(), mem.GetSafeHdc(), CRect(0, 0, mem.GetWidth(), mem.GetHeight()));
        ::GdiFlush();
    }
    static DWORD At(const CScopedMemDC& mem, int x, int y) { return mem.GetBits()[y * mem.GetWidth() + x] & 0xFFFFFF; }

    CTkMarkupContext* m_pContext = nullptr;
    CTkMarkupPtr<CTkMarkupUIElement> m_root;
};

TEST_F(Shapes, PointListsTakeCommasAndSpacesAlike) {
    struct Row {
        LPCWSTR lpszText;
        bool bParses;
        std::vector<POINT> points;
    };
    const Row rows[] = {
        {L"", true, {}},
        {L"1,2 3,4", true, {{1, 2}, {3, 4}}},
        {L"1 2,3 4", true, {{1, 2}, {3, 4}}},
        {L"  1, 2   -3,-4  ", true, {{1, 2}, {-3, -4}}},
        {L"1,2,", true, {{1, 2}}},
        {L"1,2 3", false, {}},
        {L"1.5,2", false, {}},
        {L"+1,2", false, {}},
        {L"1,2x", false, {}},
        {L"1 ,2", false, {}},
        {L"2147483647,-2147483648", true, {{INT_MAX, INT_MIN}}},
        {L"2147483648,0", false, {}},
        {L"123456789012345678901234567890,0", false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(CStringA(row.lpszText).GetString());
        std::vector<POINT> points;
        ASSERT_EQ(row.bParses, ParseMarkupPointList(row.lpszText, points) != FALSE);
        ASSERT_EQ(row.points.size(), points.size());
        for (size_t i = 0; i < points.size(); i++) {
            EXPECT_EQ(row.points[i].x, points[i].x);
            EXPECT_EQ(row.points[i].y, points[i].y);
        }
    }
    // Through the property: a list that does not parse is no value and fails the build.
    EXPECT_EQ(nullptr, ParseMarkupText(m_pContext, L"<Polygon Points='1,2,3'/>"));
    EXPECT_EQ(CSize(0, 0), Measure(L"<Polygon Points='' Fill='Red'/>"));
}

TEST_F(Shapes, EllipseAndLineHitTests) {
    struct Ellipse {
        int w, h, x, y;
        bool bHit;
    };
    const Ellipse ellipses[] = {
        {20, 10, 10, 5, true},  {20, 10, 0, 5, true},  {20, 10, 1, 1, false},
        {20, 10, 19, 9, false}, {0, 10, 50, 50, true}, {1, 10, 0, 3, true},  // a half-axis of 0 divides by nothing
        {10, 1, 9, 0, true},    {20, 10, 10, 0, true},
    };
    for (const Ellipse& e : ellipses)
        EXPECT_EQ(e.bHit, IsInMarkupEllipse(e.w, e.h, e.x, e.y) != FALSE)
            << e.w << "x" << e.h << " at " << e.x << "," << e.y;

    struct Line {
        int x1, y1, x2, y2, t, x, y;
        bool bHit;
    };
    const Line lines[] = {
        {0, 0, 10, 0, 3, 5, 1, true},   {0, 0, 10, 0, 3, 5, 3, false},    {0, 0, 10, 0, 0, 5, 0, false},
        {0, 0, 0, 10, 2, 1, 5, true},   {0, 0, 0, 10, 2, 2, 5, false},    {0, 0, 10, 10, 2, 5, 5, true},
        {0, 0, 10, 10, 2, 5, 7, false}, {0, 0, 10, 10, 2, 12, 12, false}, {10, 10, 0, 0, 4, 3, 4, true},
    };
    for (const Line& l : lines) {
        EXPECT_EQ(l.bHit, IsOnMarkupLine(l.x1, l.y1, l.x2, l.y2, l.t, l.x, l.y) != FALSE)
            << l.x1 << "," << l.y1 << "-" << l.x2 << "," << l.y2 << " t " << l.t << " at " << l.x << "," << l.y;
    }
}

TEST_F(Shapes, DesiredSizes) {
    struct Row {
        LPCWSTR lpszMarkup;
        CSize expected;
    };
    const Row rows[] = {
        {L"<Rectangle Fill='Red'/>", {0, 0}},
        {L"<Ellipse Fill='Red' Width='7' Height='9'/>", {7, 9}},
        {L"<Line X1='3' Y1='20' X2='15' Y2='4'/>", {15, 20}},
        {L"<Line X2='10' Y2='4' Stroke='Red' StrokeThickness='3'/>", {13, 7}},
        {L"<Line X2='10' Y2='4' Stroke='Red'/>", {11, 5}},  // an unset thickness counts as 1
        {L"<Polygon Points='0,0 30,10 5,20' Stroke='Red' StrokeThickness='4'/>", {30, 20}},
        {L"<Polyline Points='0,0 30,10 5,20' Stroke='Red' StrokeThickness='4'/>", {34, 24}},
        {L"<Polyline Points='0,0 30,10' />", {30, 10}},
        {L"<Polygon Points='-5,-5 -1,-2'/>", {0, 0}},  // bounds never below 0
        {L"<Line X2='2147483647' Stroke='Red' StrokeThickness='5'/>", {kMarkupUnbounded, 5}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, Measure(row.lpszMarkup)) << CStringA(row.lpszMarkup).GetString();
}

TEST_F(Shapes, PixelsAndTheDCsToolsAfterwards) {
    CScopedMemDC mem(40, 30);
    HGDIOBJ hPen = ::GetCurrentObject(mem.GetSafeHdc(), OBJ_PEN);
    HGDIOBJ hBrush = ::GetCurrentObject(mem.GetSafeHdc(), OBJ_BRUSH);

    // A rectangle with only a stroke: a one-pixel frame; with thickness 0 nothing.
    Render(L"<Rectangle Stroke='#FF0000' Width='10' Height='8' HorizontalAlignment='Left' VerticalAlignment='Top'/>",
           mem);
    EXPECT_EQ(0xFF0000u, At(mem, 0, 0));
    EXPECT_EQ(0xFF0000u, At(mem, 9, 7));
    EXPECT_EQ(0xFF0000u, At(mem, 9, 3));
    EXPECT_EQ(0xFFFFFFu, At(mem, 1, 1));
    EXPECT_EQ(0xFFFFFFu, At(mem, 10, 3));
    Render(L"<Rectangle Stroke='#FF0000' StrokeThickness='0' Width='10' Height='8'/>", mem);
    EXPECT_EQ(0xFFFFFFu, At(mem, 15, 11));
    // A fill and a 2-pixel stroke.
    Render(
        L"<Rectangle Fill='#00FF00' Stroke='#0000FF' StrokeThickness='2' Width='10' Height='8' "
        L"HorizontalAlignment='Left' VerticalAlignment='Top'/>",
        mem);
    EXPECT_EQ(0x0000FFu, At(mem, 1, 1));
    EXPECT_EQ(0x0000FFu, At(mem, 8, 6));
    EXPECT_EQ(0x00FF00u, At(mem, 2, 2));
    EXPECT_EQ(0x00FF00u, At(mem, 7, 5));

    // An ellipse filled in its brush's colour, inside its box only.
    Render(L"<Ellipse Fill='#0000FF' Width='20' Height='10' HorizontalAlignment='Left' VerticalAlignment='Top'/>", mem);
    EXPECT_EQ(0x0000FFu, At(mem, 10, 5));
    EXPECT_EQ(0xFFFFFFu, At(mem, 0, 0));
    EXPECT_EQ(0xFFFFFFu, At(mem, 21, 5));

    // A horizontal line 3 pixels thick through y = 5.
    Render(L"<Line X1='2' Y1='5' X2='30' Y2='5' Stroke='#FF0000' StrokeThickness='3'/>", mem);
    EXPECT_EQ(0xFF0000u, At(mem, 15, 5));
    EXPECT_EQ(0xFF0000u, At(mem, 15, 4));
    EXPECT_EQ(0xFFFFFFu, At(mem, 15, 8));
    Render(L"<Line Stroke='#FF0000' StrokeThickness='3'/>", mem);
    EXPECT_EQ(0xFFFFFFu, At(mem, 0, 0)) << "a line from (0, 0) to (0, 0) draws nothing";

    // A polyline stretched to 40 x 30: (0, 0)-(4, 3) becomes the diagonal of the whole surface.
    Render(L"<Polyline Points='0,0 4,3' Stretch='Fill' Stroke='#00FF00'/>", mem);
    EXPECT_EQ(0x00FF00u, At(mem, 20, 15));
    Render(L"<Polyline Points='0,0 4,3' Stroke='#00FF00' HorizontalAlignment='Left' VerticalAlignment='Top'/>", mem);
    EXPECT_EQ(0xFFFFFFu, At(mem, 20, 15)) << "unstretched, it stays 4 x 3";

    EXPECT_EQ(hPen, ::GetCurrentObject(mem.GetSafeHdc(), OBJ_PEN));
    EXPECT_EQ(hBrush, ::GetCurrentObject(mem.GetSafeHdc(), OBJ_BRUSH));
}

TEST_F(Shapes, StretchScalesEachAxisOnItsOwn) {
    const CRect rcBounds(0, 0, 10, 4);
    struct Row {
        POINT pt;
        int w, h;
        POINT expected;
    };
    const Row rows[] = {
        {{5, 2}, 100, 40, {50, 20}}, {{10, 4}, 30, 4, {30, 4}}, {{3, 1}, 7, 9, {2, 2}},  // integer arithmetic
    };
    for (const Row& row : rows) {
        const POINT pt = StretchMarkupPoint(row.pt, rcBounds, row.w, row.h);
        EXPECT_EQ(row.expected.x, pt.x);
        EXPECT_EQ(row.expected.y, pt.y);
    }
    const POINT flat = StretchMarkupPoint(POINT{3, 7}, CRect(0, 0, 0, 0), 50, 50);
    EXPECT_EQ(3, flat.x) << "an empty axis stays unscaled";
    EXPECT_EQ(7, flat.y);
}

}  // namespace
