#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupGrid.h"
#include "TkMarkupValues.h"

#include <cmath>

namespace {

using GridLength = CTkMarkupGridLength;

// A column made in code: its length, "MinWidth" and "MaxWidth" (0 for unset), and a minimum size its
// content raised it to after the preparing (0: none).
struct Length {
    double dValue;
    CTkMarkupGridLength::Unit unit;
};

struct ColumnDef {
    Length length;
    int nUserMin = 0;
    int nUserMax = 0;
    int nContentMin = 0;
};

class Grid : public MarkupContextTest {
protected:
    void SetUp() override {
        MarkupContextTest::SetUp();
        m_pContext = CreateMarkupContext(nullptr);
    }
    void TearDown() override {
        m_root.Reset();
        m_columns.clear();
        ReleaseMarkupContext(m_pContext);
        MarkupContextTest::TearDown();
    }
    // Parses, measures in (cx, cy) and arranges over (cx, cy).
    void Lay(LPCWSTR lpszMarkup, int cx, int cy) {
        m_root = CTkMarkupPtr<CTkMarkupUIElement>::Adopt(ParseMarkupText(m_pContext, lpszMarkup));
        ASSERT_TRUE(m_root) << m_pContext->GetLastParseError();
        MeasureMarkupElement(m_root.Get(), cx, cy);
        m_root->Arrange(CRect(0, 0, cx, cy));
    }
    CRect Placed(LPCWSTR lpszName) const {
        const auto* pElement = static_cast<CTkMarkupUIElement*>(FindNamed(m_root.Get(), lpszName));
        return pElement != nullptr ? CRect(pElement->GetVisualOffset(), pElement->GetRenderSize())
                                   : CRect(-1, -1, -1, -1);
    }
    // Column definitions made in code and prepared as a measure prepares them.
    MarkupGridDefinitions Columns(const std::vector<ColumnDef>& defs, BOOL bStarAsAuto = FALSE) {
        m_columns.clear();
        MarkupGridDefinitions definitions;
        for (const ColumnDef& def : defs) {
            auto column = CTkMarkupPtr<CTkMarkupColumnDefinition>::Adopt(new CTkMarkupColumnDefinition);
            column->SetValue(CTkMarkupColumnDefinition::s_pWidthProperty,
                             new CTkMarkupGridLength(def.length.dValue, def.length.unit));
            if (def.nUserMin != 0)
                SetInt(column.Get(), CTkMarkupColumnDefinition::s_pMinWidthProperty, def.nUserMin);
            if (def.nUserMax != 0)
                SetInt(column.Get(), CTkMarkupColumnDefinition::s_pMaxWidthProperty, def.nUserMax);
            definitions.push_back(column.Get());
            m_columns.push_back(std::move(column));
        }
        PrepareMarkupGridDefinitions(definitions, bStarAsAuto);
        for (size_t i = 0; i < defs.size(); i++)
            definitions[i]->m_nMinSize = std::max(definitions[i]->m_nMinSize, defs[i].nContentMin);
        return definitions;
    }
    static std::vector<int> Minimums(const MarkupGridDefinitions& definitions) {
        std::vector<int> values;
        for (const CTkMarkupDefinitionBase* p : definitions)
            values.push_back(p->m_nMinSize);
        return values;
    }
    static std::vector<int> MeasureSizes(const MarkupGridDefinitions& definitions) {
        std::vector<int> values;
        for (const CTkMarkupDefinitionBase* p : definitions)
            values.push_back(static_cast<int>(p->m_dMeasureSize));
        return values;
    }
    // Final sizes and offsets, interleaved.
    static std::vector<int> Finals(const MarkupGridDefinitions& definitions) {
        std::vector<int> values;
        for (const CTkMarkupDefinitionBase* p : definitions) {
            values.push_back(static_cast<int>(p->m_dSizeCache));
            values.push_back(p->m_nFinalOffset);
        }
        return values;
    }

    CTkMarkupContext* m_pContext = nullptr;
    CTkMarkupPtr<CTkMarkupUIElement> m_root;
    std::vector<CTkMarkupPtr<CTkMarkupColumnDefinition>> m_columns;
};

constexpr Length kAuto = {1, CTkMarkupGridLength::unitAuto};
constexpr Length Pixels(double d) {
    return {d, CTkMarkupGridLength::unitPixel};
}
constexpr Length Stars(double d) {
    return {d, CTkMarkupGridLength::unitStar};
}

TEST_F(Grid, LengthsFromText) {
    using GridLength = CTkMarkupGridLength;
    struct Row {
        LPCWSTR lpszText;
        bool bConverts;
        double dValue;
        GridLength::Unit unit;
    };
    const Row rows[] = {
        {L"*", true, 1, GridLength::unitStar},         {L"2*", true, 2, GridLength::unitStar},
        {L" 2.5 * ", true, 2.5, GridLength::unitStar}, {L"Auto", true, 1, GridLength::unitAuto},
        {L"aUTO", true, 1, GridLength::unitAuto},      {L"40", true, 40, GridLength::unitPixel},
        {L"+7.25", true, 7.25, GridLength::unitPixel}, {L"-3", true, -3, GridLength::unitPixel},
        {L"", false, 0, GridLength::unitPixel},        {L"Autos", false, 0, GridLength::unitPixel},
        {L"abc", false, 0, GridLength::unitPixel},     {L"1.2.3", false, 0, GridLength::unitPixel},
        {L"2**", false, 0, GridLength::unitPixel},     {L"* 2", false, 0, GridLength::unitPixel},
        {L"5px", false, 0, GridLength::unitPixel},
    };
    const auto converter =
        CTkMarkupPtr<GridLength>::Adopt(static_cast<GridLength*>(GridLength::GetClassType()->CreateObject()));
    EXPECT_EQ(GridLength::unitPixel, converter->GetUnit()) << "the factory's length is 0 pixels";
    EXPECT_EQ(0.0, converter->GetValue());
    for (const Row& row : rows) {
        SCOPED_TRACE(CStringA(row.lpszText).GetString());
        const auto text = CTkMarkupPtr<CTkMarkupString>::Adopt(CTkMarkupString::CreateValue(row.lpszText));
        const auto length = CTkMarkupPtr<CTkMarkupObject>::Adopt(converter->ConvertFrom(text.Get()));
        ASSERT_EQ(row.bConverts, static_cast<bool>(length));
        if (length) {
            EXPECT_EQ(row.dValue, static_cast<GridLength*>(length.Get())->GetValue());
            EXPECT_EQ(row.unit, static_cast<GridLength*>(length.Get())->GetUnit());
        }
    }
}

TEST_F(Grid, EnsureMinimumSpreadsASpanningDemand) {
    struct Row {
        const char* name;
        std::vector<ColumnDef> columns;
        double dRequest;
        std::vector<int> expected;
    };
    const Row rows[] = {
        {"already enough", {{kAuto, 0, 0, 60}, {kAuto, 0, 0, 50}}, 100, {60, 50}},
        // Up to the preferred sizes: the auto column keeps its minimum, the unresolved star takes the rest.
        {"auto and star", {{kAuto, 0, 0, 10}, {Stars(1)}}, 100, {10, 90}},
        // Up to the maxima, smallest maximum first: pixels 10 and 20 with maxima 50 and 30.
        {"pixels up to their maxima", {{Pixels(10), 0, 50}, {Pixels(20), 0, 30}}, 60, {30, 30}},
        // Beyond the maxima (unlimited maxima are the minimums): evenly, or in proportion to the gap.
        {"two autos of 10 and 30", {{kAuto, 0, 0, 10}, {kAuto, 0, 0, 30}}, 100, {50, 50}},
        {"two autos of 10 and 80", {{kAuto, 0, 0, 10}, {kAuto, 0, 0, 80}}, 100, {20, 80}},
        {"beyond maxima 20 and 40, evenly", {{Pixels(10), 0, 20}, {Pixels(10), 0, 40}}, 100, {50, 50}},
        {"beyond maxima 20 and 40, by the gap", {{Pixels(10), 0, 20}, {Pixels(10), 0, 40}}, 70, {30, 40}},
        // Maxima of the largest value are no overflow.
        {"maxima at the limit", {{kAuto, 0, kMarkupUnbounded, 5}, {kAuto, 0, kMarkupUnbounded, 5}}, 30, {15, 15}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const MarkupGridDefinitions columns = Columns(row.columns);
        EnsureMarkupGridMinimum(columns, 0, static_cast<int>(columns.size()), row.dRequest);
        EXPECT_EQ(row.expected, Minimums(columns));
    }
}

TEST_F(Grid, StarsShareWhatTheOthersLeave) {
    struct Row {
        const char* name;
        std::vector<ColumnDef> columns;
        int nSize;
        std::vector<int> expected;  // measure sizes
    };
    const Row rows[] = {
        {"one and two stars", {{Stars(1)}, {Stars(2)}}, 300, {100, 200}},
        {"a minimum on the second", {{Stars(1)}, {Stars(1), 200}}, 300, {150, 200}},
        {"after pixels", {{Pixels(50)}, {Stars(1)}}, 300, {50, 250}},
        {"after an auto", {{kAuto, 0, 0, 30}, {Stars(2)}, {Stars(1)}}, 330, {2147483647, 200, 100}},
        {"a maximum", {{Stars(1), 0, 60}, {Stars(1)}}, 300, {60, 150}},
        {"no room", {{Pixels(400)}, {Stars(1), 10}}, 300, {400, 10}},
        // Zero and negative stars count as nothing: their minimum size.
        {"all stars zero", {{Stars(0), 5}, {Stars(-2)}}, 300, {5, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const MarkupGridDefinitions columns = Columns(row.columns);
        ResolveMarkupGridStars(columns, row.nSize);
        EXPECT_EQ(row.expected, MeasureSizes(columns));
    }
}

TEST_F(Grid, FinalSizesShrinkStarsFirstAndNothingBelowItsMinimum) {
    struct Row {
        const char* name;
        std::vector<ColumnDef> columns;
        int nSize;
        std::vector<int> expected;  // size, offset per column
    };
    const Row rows[] = {
        {"stars in 300", {{Stars(1)}, {Stars(2)}}, 300, {100, 0, 200, 100}},
        // Measured, the first would have 150; arranged in 300 it gives way to the second's minimum.
        {"a minimum of 200", {{Stars(1)}, {Stars(1), 200}}, 300, {100, 0, 200, 100}},
        {"less than the pixels need", {{Pixels(100)}, {Stars(1), 20}}, 80, {100, 0, 20, 100}},
        {"an auto column", {{kAuto, 0, 0, 30}, {Stars(1)}}, 100, {30, 0, 70, 30}},
        {"all stars zero", {{Stars(0), 5}, {Stars(0)}}, 100, {5, 0, 0, 5}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const MarkupGridDefinitions columns = Columns(row.columns);
        SetMarkupGridFinalSizes(columns, row.nSize);
        EXPECT_EQ(row.expected, Finals(columns));
    }
}

TEST_F(Grid, WithoutDefinitionsItIsAnOverlay) {
    Lay(L"<Grid><Rectangle x:Name='a' Width='30' Height='10' HorizontalAlignment='Left' VerticalAlignment='Top'/>"
        L"<Rectangle x:Name='b' Width='10' Height='40' Grid.Column='3'/></Grid>",
        100, 80);
    EXPECT_EQ(CSize(30, 40), m_root->GetDesiredSize());
    EXPECT_EQ(CRect(0, 0, 30, 10), Placed(L"a"));
    EXPECT_EQ(CRect(45, 20, 55, 60), Placed(L"b")) << "centred in the whole grid, its column ignored";
}

TEST_F(Grid, CellsSpansAndAutoColumns) {
    const LPCWSTR lpszGrid =
        L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='Auto'/><ColumnDefinition Width='40'/>"
        L"<ColumnDefinition/></Grid.ColumnDefinitions>"
        L"<Grid.RowDefinitions><RowDefinition Height='Auto'/><RowDefinition/></Grid.RowDefinitions>"
        L"<Rectangle x:Name='a' Width='25' Height='10'/>"
        L"<Rectangle x:Name='b' Width='15' Height='12' Grid.Row='1'/>"
        L"<Rectangle x:Name='c' Width='20' Height='8' Grid.Column='1' HorizontalAlignment='Left'/>"
        L"<Rectangle x:Name='d' Width='10' Height='10' Grid.Column='9' Grid.Row='1' Grid.ColumnSpan='5'/>"
        L"</Grid>";
    Lay(lpszGrid, 200, 100);
    // The auto column takes the widest single-span child; the auto row the tallest.
    EXPECT_EQ(CRect(0, 0, 25, 10), Placed(L"a"));
    EXPECT_EQ(CRect(5, 49, 20, 61), Placed(L"b")) << "centred in column 0 (25 wide) and the star row (10 to 100)";
    EXPECT_EQ(CRect(25, 1, 45, 9), Placed(L"c"));
    // A column past the last is the last, and the span is cut there: 65 to 200.
    EXPECT_EQ(CRect(127, 50, 137, 60), Placed(L"d"));

    // Moving a child to another cell measures its grid again.
    auto* pA = static_cast<CTkMarkupUIElement*>(FindNamed(m_root.Get(), L"a"));
    SetInt(pA, CTkMarkupGrid::s_pColumnProperty, 2);
    EXPECT_EQ(CSize(80, 22), m_root->GetDesiredSize()) << "the auto column now holds only the 15-wide child";
    m_root->Arrange(CRect(0, 0, 200, 100));
    EXPECT_EQ(CRect(115, 0, 140, 10), Placed(L"a")) << "centred in the star column, 55 to 200";
}

TEST_F(Grid, AboveThirtyTwoThousandStarsMeasureAsAuto) {
    const LPCWSTR lpszGrid =
        L"<Grid><Grid.ColumnDefinitions><ColumnDefinition/><ColumnDefinition Width='2*'/></Grid.ColumnDefinitions>"
        L"<Rectangle Width='150' Height='10'/><Rectangle Width='50' Height='10' Grid.Column='1'/></Grid>";
    CTkMarkupUIElement* pGrid = ParseMarkupText(m_pContext, lpszGrid);
    ASSERT_NE(nullptr, pGrid);
    EXPECT_EQ(CSize(200, 10), CSize(MeasureMarkupElement(pGrid, 40000, 100))) << "each star column its content";
    EXPECT_EQ(CSize(150, 10), CSize(MeasureMarkupElement(pGrid, 300, 100))) << "the first child gets its share, 100";
    ReleaseMarkupElement(pGrid);
}

TEST_F(Grid, OutOfRangeIndicesAndLengthsLayOut) {
    // A negative column, a negative length, stars that are all zero and a maximum at the limit.
    Lay(L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='-2*'/><ColumnDefinition Width='0*' "
        L"MaxWidth='2147483647'/><ColumnDefinition Width='-30'/></Grid.ColumnDefinitions>"
        L"<Rectangle x:Name='a' Width='10' Height='10' Grid.Column='-1' Grid.ColumnSpan='2'/>"
        L"<Rectangle x:Name='b' Width='10' Height='10' Grid.Column='2' Grid.RowSpan='-4'/></Grid>",
        100, 50);
    EXPECT_EQ(CSize(10, 10), Placed(L"a").Size());
    EXPECT_EQ(0, Placed(L"a").left) << "column -1 is column 0";
    EXPECT_EQ(CSize(10, 10), Placed(L"b").Size());
}

}  // namespace
