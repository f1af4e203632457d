#include "BarFixtures.h"
#include "TkControlButton.h"
#include "TkControlLayout.h"

#include <map>
#include <string>
#include <vector>

namespace {

// Records of controls of the given widths (22 high), with optional group starts and flags.
struct Item {
    int nWidth;
    BOOL bBeginGroup = FALSE;
    DWORD dwFlags = 0;
};
LayoutRecords MakeRecords(const std::vector<Item>& items, CSize szSeparator = CSize(6, 6)) {
    LayoutRecords records(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        records[i].szControl = CSize(items[i].nWidth, 22);
        records[i].bBeginGroup = items[i].bBeginGroup;
        records[i].dwFlags = items[i].dwFlags;
    }
    records[0].szSeparator = szSeparator;
    return records;
}

std::vector<BOOL> Wraps(const LayoutRecords& records) {
    std::vector<BOOL> wraps;
    for (const LayoutRecord& record : records)
        wraps.push_back(record.bWrap);
    return wraps;
}

std::vector<BOOL> Hidden(const LayoutRecords& records) {
    std::vector<BOOL> hidden;
    for (const LayoutRecord& record : records)
        hidden.push_back(record.bHidden);
    return hidden;
}

TEST(ToolbarLayout, WrapRowsMovesGroupsAndHonoursNewRowsAndHiding) {
    struct Row {
        LPCSTR pszCase;
        std::vector<Item> items;
        int nLength;
        DWORD dwMode;
        int nRows;
        std::vector<BOOL> wraps;
        std::vector<BOOL> hidden;
        BOOL bStretchSet;
    };
    const Row rows[] = {
        {"the group moves as a whole", {{23}, {23, TRUE}, {23}}, 50, 0, 2, {0, 1, 0}, {0, 0, 0}, TRUE},
        {"no group: the overflowing control wraps", {{23}, {23}, {23}}, 50, 0, 2, {0, 0, 1}, {0, 0, 0}, TRUE},
        // Hiding answers the row starts made so far.
        {"hidden instead of wrapped", {{23}, {23, TRUE}, {23}}, 50, kLayoutHideWrap, 0, {0, 0, 0}, {0, 1, 1}, TRUE},
        {"hiding stops at the next new-row control",
         {{23}, {23}, {23}, {23, FALSE, kControlFlagNewRow}, {23}},
         50,
         kLayoutHideWrap,
         2,
         {0, 0, 0, 1, 0},
         {0, 0, 1, 0, 0},
         TRUE},
        {"a new-row control starts a row with room left",
         {{23}, {23}, {23, FALSE, kControlFlagNewRow}},
         1000,
         0,
         2,
         {0, 0, 1},
         {0, 0, 0},
         FALSE},
        {"floating wrap starts a row at every group",
         {{23}, {23, TRUE}, {23}},
         1000,
         kLayoutFloatWrap,
         2,
         {0, 1, 0},
         {0, 0, 0},
         TRUE},
        // The first control never wraps, group start or not, even when it alone is too long.
        {"the first control stays", {{80, TRUE}, {23}}, 50, 0, 2, {0, 1}, {0, 0}, TRUE},
    };
    for (const Row& row : rows) {
        LayoutRecords records = MakeRecords(row.items);
        DWORD dwMode = row.dwMode;
        EXPECT_EQ(WrapRows(records, row.nLength, dwMode), row.nRows) << row.pszCase;
        EXPECT_EQ(Wraps(records), row.wraps) << row.pszCase;
        EXPECT_EQ(Hidden(records), row.hidden) << row.pszCase;
        EXPECT_EQ((dwMode & kLayoutStretch) != 0, row.bStretchSet) << row.pszCase;
    }
}

TEST(ToolbarLayout, RowsAreLaidOutDownwardsAndColumnsRightToLeft) {
    LayoutRecords records = MakeRecords({{23}, {30, TRUE}, {23}});
    records[2].bWrap = TRUE;
    records[0].nRowGap = 1;
    EXPECT_EQ(CalcRowsSize(records, FALSE), CSize(59, 45));
    EXPECT_EQ(records[1].rcControl, CRect(29, 0, 59, 22));
    EXPECT_EQ(records[2].rcControl, CRect(0, 23, 23, 45));  // the row gap below the first row

    // Vertical: columns from x = 0 to the left; the extent along a column is the height.
    LayoutRecords columns = MakeRecords({{23}, {30}, {40}});
    columns[2].bWrap = TRUE;
    EXPECT_EQ(CalcRowsSize(columns, TRUE), CSize(70, 44));
    EXPECT_EQ(columns[0].rcControl, CRect(-23, 0, 0, 22));
    EXPECT_EQ(columns[1].rcControl, CRect(-30, 22, 0, 44));
    EXPECT_EQ(columns[2].rcControl, CRect(-70, 0, -30, 22));
    // The commit brings them between 0 and the width, inside the borders.
    CSize size(70, 44);
    CommitRows(columns, size, kLayoutCommit | kLayoutVertDock, CRect(1, 2, 3, 4), FALSE);
    EXPECT_EQ(size, CSize(74, 50));
    EXPECT_EQ(columns[2].rcControl, CRect(1, 2, 41, 24));
    EXPECT_EQ(columns[2].rcRow, CRect(1, 2, 41, 46));
}

TEST(ToolbarLayout, StretchedControlsShareTheFreeSpaceAndRightAlignedOnesEndTheRow) {
    // Four controls of 25 on a bar stretched to 300: three stretched ones share the free 200 pixels.
    LayoutRecords records = MakeRecords({{25, FALSE, kControlFlagStretched},
                                         {25},
                                         {25, FALSE, kControlFlagStretched},
                                         {25, FALSE, kControlFlagStretched}});
    const CRect rcNoBorders(0, 0, 0, 0);
    CSize size = CalcRowsSize(records, FALSE);
    size.cx = std::max(size.cx, 300L);
    CommitRows(records, size, kLayoutCommit, rcNoBorders, FALSE);
    EXPECT_EQ(size, CSize(300, 22));
    AlignAndStretch(records, size, rcNoBorders, kLayoutCommit);
    EXPECT_EQ(records[0].rcControl, CRect(0, 0, 25 + 66, 22));  // integer division: 200 / 3
    EXPECT_EQ(records[1].rcControl.left, 91);
    EXPECT_EQ(records[2].rcControl.Width(), 25 + 67);  // 134 / 2
    EXPECT_EQ(records[3].rcControl, CRect(300 - 25 - 67, 0, 300, 22));

    // Right-aligned controls end the content in their order; the free space stops before them.
    LayoutRecords aligned = MakeRecords({{25, FALSE, kControlFlagStretched},
                                         {25},
                                         {20, FALSE, kControlFlagRightAlign},
                                         {30, FALSE, kControlFlagRightAlign}});
    CSize alignedSize = CalcRowsSize(aligned, FALSE);
    alignedSize.cx = 200;
    CommitRows(aligned, alignedSize, kLayoutCommit, CRect(0, 0, 0, 0), FALSE);
    AlignAndStretch(aligned, alignedSize, CRect(0, 0, 0, 0), kLayoutCommit);
    EXPECT_EQ(aligned[3].rcControl, CRect(170, 0, 200, 22));
    EXPECT_EQ(aligned[2].rcControl, CRect(150, 0, 170, 22));
    EXPECT_EQ(aligned[0].rcControl, CRect(0, 0, 125, 22));  // grew to the aligned ones
    EXPECT_EQ(aligned[1].rcControl, CRect(125, 0, 150, 22));
}

TEST(ToolbarLayout, WidthSearchesEndWhenABoundStopsMoving) {
    // A control wider than any trial width: wraps never get narrower than it.
    LayoutRecords records = MakeRecords({{500}, {23}, {23}, {23, TRUE}, {23}});
    DWORD dwMode = kLayoutLengthY;
    FindWidthForLength(records, 10, dwMode);
    FindBalancedWidth(records, dwMode);
    dwMode = 0;
    FindWidthForLength(records, 120, dwMode);
    // Two rows at the full length: the wide control, then all the others.
    EXPECT_EQ(Wraps(records), (std::vector<BOOL>{0, 1, 0, 0, 0}));
}

TEST(ToolbarLayout, ApplyingARecordWritesOrHidesTheControl) {
    CTkControlButton control;
    control.SetRect(CRect(1, 1, 2, 2));
    LayoutRecord record;
    record.pControl = &control;
    record.rcControl = CRect(5, 6, 7, 8);
    record.rcRow = CRect(0, 6, 100, 30);
    record.bWrap = TRUE;
    ApplyLayoutRecord(record);
    EXPECT_EQ(control.GetRect(), CRect(5, 6, 7, 8));
    EXPECT_EQ(control.GetRowRect(), CRect(0, 6, 100, 30));
    EXPECT_TRUE(control.GetWrap());
    record.bHidden = TRUE;
    record.rcControl = CRect(9, 9, 9, 9);
    ApplyLayoutRecord(record);
    EXPECT_EQ(control.GetHideFlags(), static_cast<DWORD>(kHideWrap));
    EXPECT_EQ(control.GetRect(), CRect(5, 6, 7, 8));
}

// Controls measured by their style: large 40 x 60, icon and caption 60 x 20, icon only 20 x 20.
CSize MeasureByStyle(CTkControl* pControl) {
    switch (pControl->GetStyle()) {
        case kButtonIconAndCaptionBelow:
            return CSize(40, 60);
        case kButtonIcon:
            return CSize(20, 20);
        default:
            return CSize(60, 20);
    }
}

TEST(StackedLayout, LargeButtonsReduceFromTheEndThenStackedTriplesBecomeIcons) {
    std::vector<CTkControlButton> controls(6);
    LayoutRecords records(controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        controls[i].SetIconId(100 + static_cast<int>(i));
        records[i].pControl = &controls[i];
    }
    StackedLayoutContext context;
    context.nRowHeight = 60;
    context.hasLargeImage = [](const CTkControl*) { return TRUE; };
    context.measure = MeasureByStyle;
    auto styles = [&] {
        std::string s;
        for (const CTkControlButton& control : controls)
            s += static_cast<char>('0' + control.GetStyle());
        return s;
    };

    DWORD dwMode = 0;
    EXPECT_EQ(CalcStackedLayout(records, 1000, dwMode, context), CSize(240, 60));
    EXPECT_EQ(styles(), "444444");
    EXPECT_EQ(dwMode & kLayoutStretch, 0u);
    // Six large buttons (240) in 200: the last three are stacked small ones (40 * 3 + 60).
    dwMode = 0;
    EXPECT_EQ(CalcStackedLayout(records, 200, dwMode, context), CSize(180, 60));
    EXPECT_EQ(styles(), "444333");
    EXPECT_NE(dwMode & kLayoutStretch, 0u);
    dwMode = 0;
    EXPECT_EQ(CalcStackedLayout(records, 150, dwMode, context), CSize(120, 60));
    EXPECT_EQ(styles(), "333333");
    // Then the stacked triples lose their captions, again from the end.
    dwMode = 0;
    EXPECT_EQ(CalcStackedLayout(records, 100, dwMode, context), CSize(80, 60));
    EXPECT_EQ(styles(), "333222");
}

TEST(PopupLayout, ColumnsBreakAtTheMaximumHeightAndItemsAreCutToAThirdOfTheWorkArea) {
    CRect rcWork;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0));
    std::vector<PopupLayoutItem> items(30);
    for (PopupLayoutItem& item : items)
        item.szControl = CSize(50, 20);
    items[3].szControl.cx = rcWork.right;  // wider than a third of the work area
    PopupLayoutParams params;
    params.nMaxHeight = 300;
    params.rcBorders = CRect(2, 4, 2, 4);
    params.nMaxItemWidth = rcWork.right / 3;
    BOOL bMultiColumn = FALSE;
    const CSize size = LayoutPopupColumns(items, params, bMultiColumn);
    EXPECT_TRUE(bMultiColumn);
    // The fifteenth item opens the second column, the twenty-ninth the third.
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i].bWrap, i == 14 || i == 28) << i;
    const int nFirstColumn = rcWork.right / 3;
    EXPECT_EQ(items[14].rcControl, CRect(2 + nFirstColumn, 4, 2 + nFirstColumn + 50, 24));
    EXPECT_EQ(items[0].rcControl.Width(), nFirstColumn);  // every item of a column has its width
    EXPECT_EQ(items[0].rcRow, CRect(2, 4, 2 + nFirstColumn, 4 + 280));
    EXPECT_EQ(size, CSize(4 + nFirstColumn + 50 + 50, 8 + 280));

    // Wide items allowed, a fixed width for the last column, and a group start a separator lower.
    std::vector<PopupLayoutItem> wide(3);
    for (PopupLayoutItem& item : wide)
        item.szControl = CSize(rcWork.right, 20);
    wide[2].bBeginGroup = TRUE;
    params.nMaxItemWidth = 0;
    params.nFixedWidth = 104;
    params.szSeparator = CSize(6, 5);
    const CSize wideSize = LayoutPopupColumns(wide, params, bMultiColumn);
    EXPECT_FALSE(bMultiColumn);
    EXPECT_EQ(wide[2].rcControl, CRect(2, 49, 102, 69));
    EXPECT_EQ(wideSize, CSize(104, 73));

    // Nothing to place: 24 x 22 inside the borders.
    std::vector<PopupLayoutItem> none;
    EXPECT_EQ(LayoutPopupColumns(none, PopupLayoutParams{}, bMultiColumn), CSize(24, 22));
}

// Records the order in which controls are prepared.
class CPreparedControl : public CTkControlButton {
public:
    void PrepareForLayout(DWORD) override { s_order.push_back(GetIndex()); }
    static std::vector<int> s_order;
};
std::vector<int> CPreparedControl::s_order;

TEST_F(BarFixture, AnEmptyBarIsPreparedLastToFirstAndMeasures23By22) {
    for (int i = 0; i < 3; ++i) {
        auto* pControl = new CPreparedControl;
        pControl->SetVisible(FALSE);
        Controls()->Append(pControl);
    }
    CPreparedControl::s_order.clear();
    DWORD dwMode = kLayoutHorzDock;
    EXPECT_EQ(Controls()->CalcToolbarLayout(nullptr, 500, dwMode, CRect(0, 0, 0, 0), 0), CSize(23, 22));
    EXPECT_EQ(CPreparedControl::s_order, (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(Controls()->CalcToolbarLayout(nullptr, 500, dwMode, CRect(1, 2, 3, 4), 40), CSize(27, 40));
    dwMode = 0;
    EXPECT_EQ(Controls()->CalcToolbarLayout(nullptr, 500, dwMode, CRect(1, 2, 3, 4), 40), CSize(40, 28));
}

}  // namespace
