#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupPanels.h"
#include "TkMarkupValues.h"

namespace {

class Panels : public MarkupContextTest {
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
    // Parses, measures in (cx, cy) and arranges over the desired size, or over (cx, cy) with bFill.
    void Lay(LPCWSTR lpszMarkup, int cx, int cy, BOOL bFill = FALSE) {
        m_root = CTkMarkupPtr<CTkMarkupUIElement>::Adopt(ParseMarkupText(m_pContext, lpszMarkup));
        ASSERT_TRUE(m_root) << m_pContext->GetLastParseError();
        const SIZE desired = MeasureMarkupElement(m_root.Get(), cx, cy);
        m_root->Arrange(bFill ? CRect(0, 0, cx, cy) : CRect(CPoint(0, 0), CSize(desired)));
    }
    // Where the named element stands in its parent: its offset and render size.
    CRect Placed(LPCWSTR lpszName) const {
        const auto* pElement = static_cast<CTkMarkupUIElement*>(FindNamed(m_root.Get(), lpszName));
        if (pElement == nullptr)
            return CRect(-1, -1, -1, -1);
        return CRect(pElement->GetVisualOffset(), pElement->GetRenderSize());
    }

    CTkMarkupContext* m_pContext = nullptr;
    CTkMarkupPtr<CTkMarkupUIElement> m_root;
};

TEST_F(Panels, WrapWalkFillsLinesWithoutAnEmptyFirstLine) {
    struct Row {
        const char* name;
        std::vector<CSize> extents;
        int nLimit;
        std::vector<MarkupWrapLine> lines;  // first, end, length, thickness
    };
    const Row rows[] = {
        {"all on one line", {{10, 5}, {20, 8}}, 30, {{0, 2, 30, 8}}},
        {"wraps when the sum exceeds", {{10, 5}, {20, 8}, {5, 3}}, 30, {{0, 2, 30, 8}, {2, 3, 5, 3}}},
        {"a first item too long alone", {{50, 4}, {10, 6}}, 30, {{0, 1, 50, 4}, {1, 2, 10, 6}}},
        {"a later item too long alone", {{10, 4}, {50, 6}, {10, 2}}, 30, {{0, 1, 10, 4}, {1, 2, 50, 6}, {2, 3, 10, 2}}},
        {"nothing", {}, 30, {}},
        // Lengths add up in 64 bits: a sum past the largest int still exceeds the largest limit.
        {"no overflow", {{0x7FFFFFF0, 1}, {0x20, 1}}, kMarkupUnbounded, {{0, 1, 0x7FFFFFF0, 1}, {1, 2, 0x20, 1}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<MarkupWrapLine> lines = WrapMarkupItems(row.extents, row.nLimit);
        ASSERT_EQ(row.lines.size(), lines.size());
        for (size_t i = 0; i < lines.size(); i++) {
            EXPECT_EQ(row.lines[i].nFirst, lines[i].nFirst) << i;
            EXPECT_EQ(row.lines[i].nEnd, lines[i].nEnd) << i;
            EXPECT_EQ(row.lines[i].nLength, lines[i].nLength) << i;
            EXPECT_EQ(row.lines[i].nThickness, lines[i].nThickness) << i;
        }
    }
}

TEST_F(Panels, CanvasPlacementLeftBeatsRightTopBeatsBottom) {
    struct Row {
        const char* name;
        std::optional<int> left, top, right, bottom;
        CPoint expected;
    };
    const CSize szFinal(200, 100);
    const CSize szDesired(30, 20);
    const Row rows[] = {
        {"none", {}, {}, {}, {}, {0, 0}},          {"left and top", 5, 7, {}, {}, {5, 7}},
        {"left and right", 5, {}, 10, {}, {5, 0}}, {"right only", {}, {}, 10, {}, {160, 0}},
        {"bottom only", {}, {}, {}, 4, {0, 76}},   {"top and bottom", {}, 3, {}, 4, {0, 3}},
        {"negative", -8, -9, {}, {}, {-8, -9}},    {"far right saturates", {}, {}, INT_MIN + 1, {}, {INT_MAX, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, PlaceOnMarkupCanvas(row.left, row.top, row.right, row.bottom, szFinal, szDesired));
    }
}

TEST_F(Panels, StackPanelStacksVerticallyUnlessToldAndStretchesAcross) {
    Lay(L"<StackPanel><Rectangle x:Name='a' Width='30' Height='10'/><Rectangle x:Name='b' Width='50' "
        L"Height='20'/></StackPanel>",
        200, 200);
    EXPECT_EQ(CSize(50, 30), m_root->GetDesiredSize());
    // Each child is at least as wide as the panel; a narrower child is centred in its stretched slot.
    EXPECT_EQ(CRect(10, 0, 40, 10), Placed(L"a"));
    EXPECT_EQ(CRect(0, 10, 50, 30), Placed(L"b"));

    Lay(L"<StackPanel><Rectangle x:Name='a' Width='30' Height='10' HorizontalAlignment='Left'/></StackPanel>", 200, 200,
        TRUE);
    EXPECT_EQ(CRect(0, 0, 30, 10), Placed(L"a")) << "the slot is the panel's width";

    Lay(L"<StackPanel Orientation='Horizontal'><Rectangle x:Name='a' Width='30' Height='10'/><Rectangle x:Name='b' "
        L"Width='50' Height='20'/></StackPanel>",
        200, 200);
    EXPECT_EQ(CSize(80, 20), m_root->GetDesiredSize());
    EXPECT_EQ(CRect(0, 5, 30, 15), Placed(L"a"));
    EXPECT_EQ(CRect(30, 0, 80, 20), Placed(L"b"));
}

TEST_F(Panels, WrapPanelWrapsHorizontallyUnlessToldOnAnEvenPitch) {
    // Three 40-wide children in 100: two on the first line, one on the second.
    Lay(L"<WrapPanel><Rectangle x:Name='a' Width='40' Height='10'/><Rectangle x:Name='b' Width='40' Height='15'/>"
        L"<Rectangle x:Name='c' Width='40' Height='5'/></WrapPanel>",
        100, 100);
    EXPECT_EQ(CSize(80, 20), m_root->GetDesiredSize());
    EXPECT_EQ(CRect(0, 2, 40, 12), Placed(L"a")) << "centred in the line's thickness";
    EXPECT_EQ(CRect(40, 0, 80, 15), Placed(L"b"));
    EXPECT_EQ(CRect(0, 15, 40, 20), Placed(L"c"));

    // An item pitch: every child in a 25-wide slot, whatever its own width; a line holds four.
    Lay(L"<WrapPanel ItemWidth='25'><Rectangle x:Name='a' Width='10' Height='10' HorizontalAlignment='Left'/>"
        L"<Rectangle Width='20' Height='10'/><Rectangle Width='5' Height='10'/><Rectangle Width='10' Height='10'/>"
        L"<Rectangle x:Name='e' Width='10' Height='10' HorizontalAlignment='Left'/></WrapPanel>",
        100, 100);
    EXPECT_EQ(CSize(100, 20), m_root->GetDesiredSize());
    EXPECT_EQ(CRect(0, 0, 10, 10), Placed(L"a"));
    EXPECT_EQ(CRect(0, 10, 10, 20), Placed(L"e"));

    // A child wider than the whole panel: its own line, and no empty line before it.
    Lay(L"<WrapPanel><Rectangle x:Name='wide' Width='150' Height='10'/><Rectangle x:Name='b' Width='40' "
        L"Height='10'/></WrapPanel>",
        100, 100);
    EXPECT_EQ(CSize(100, 20), m_root->GetDesiredSize()) << "cut to the space";
    EXPECT_EQ(0, Placed(L"wide").top);
    EXPECT_EQ(CRect(0, 10, 40, 20), Placed(L"b"));

    Lay(L"<WrapPanel Orientation='Vertical'><Rectangle x:Name='a' Width='10' Height='40'/><Rectangle x:Name='b' "
        L"Width='20' Height='40'/><Rectangle x:Name='c' Width='5' Height='40'/></WrapPanel>",
        100, 100);
    EXPECT_EQ(CSize(25, 80), m_root->GetDesiredSize());
    EXPECT_EQ(CRect(20, 0, 25, 40), Placed(L"c"));
}

TEST_F(Panels, CanvasDesiresNothingAndPlacesByItsAttachedOffsets) {
    Lay(L"<Canvas><Rectangle x:Name='lr' Canvas.Left='5' Canvas.Right='10' Width='30' Height='20'/>"
        L"<Rectangle x:Name='r' Canvas.Right='10' Canvas.Bottom='5' Width='30' Height='20'/>"
        L"<Rectangle x:Name='none' Width='30' Height='20'/></Canvas>",
        200, 100, TRUE);
    EXPECT_EQ(CSize(0, 0), m_root->GetDesiredSize());
    EXPECT_EQ(CRect(5, 0, 35, 20), Placed(L"lr"));
    EXPECT_EQ(CRect(160, 75, 190, 95), Placed(L"r"));
    EXPECT_EQ(CRect(0, 0, 30, 20), Placed(L"none"));

    // A new offset re-lays nothing by itself: the child stays until the canvas is arranged again.
    auto* pNone = static_cast<CTkMarkupUIElement*>(FindNamed(m_root.Get(), L"none"));
    SetInt(pNone, CTkMarkupCanvas::s_pLeftProperty, 50);
    EXPECT_EQ(CPoint(0, 0), pNone->GetVisualOffset());
    m_root->InvalidateArrange();
    EXPECT_EQ(CPoint(50, 0), pNone->GetVisualOffset());
}

TEST_F(Panels, OnlyAPanelWithBackgroundIsHitAndPainted) {
    Lay(L"<StackPanel Width='40' Height='40'><Rectangle x:Name='r' Width='10' Height='10' Fill='Red'/></StackPanel>",
        40, 40);
    EXPECT_EQ(nullptr, m_root->HitTest(5, 30)) << "the empty area lets the mouse through";
    EXPECT_EQ(FindNamed(m_root.Get(), L"r"), m_root->HitTest(20, 5));

    Lay(L"<StackPanel Width='40' Height='40' Background='#0000FF'><Rectangle x:Name='r' Width='10' Height='10' "
        L"Fill='Red'/></StackPanel>",
        40, 40);
    EXPECT_EQ(m_root.Get(), m_root->HitTest(5, 30));
    CScopedMemDC mem(40, 40);
    RenderMarkupElement(m_root.Get(), mem.GetSafeHdc(), CRect(0, 0, 40, 40));
    ::GdiFlush();
    EXPECT_EQ(0x0000FFu, mem.GetBits()[30 * 40 + 5]);
    EXPECT_EQ(0xFF0000u, mem.GetBits()[5 * 40 + 20]);
}

}  // namespace
