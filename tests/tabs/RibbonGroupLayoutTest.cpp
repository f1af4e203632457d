// The arithmetic of a group layout on plain tables: columns, rows of blocks with their two- and
// three-row breaking and vertical spread, centred columns, the runs the reductions look for, and the
// group strip's scroll state.

#include "TkControlDefs.h"
#include "TkRibbonGroupArrange.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kLarge = kButtonIconAndCaptionBelow;
constexpr int kSmall = kButtonIconAndCaption;
constexpr int kIconOnly = kButtonIcon;

// Item flags of the tables.
enum : int { kBeginGroup = 1, kRowBreak = 2, kGallery = 4 };

TK_RIBBON_CONTROL_LAYOUT Item(int nWidth, int nHeight, int nStyle = kSmall, int nFlags = 0) {
    TK_RIBBON_CONTROL_LAYOUT item;
    item.nWidth = nWidth;
    item.nHeight = nHeight;
    item.nStyle = nStyle;
    item.bBeginGroup = (nFlags & kBeginGroup) != 0;
    item.bRowBreak = (nFlags & kRowBreak) != 0;
    item.bBlockStart = item.bBeginGroup || item.bRowBreak;
    item.bGallery = (nFlags & kGallery) != 0;
    return item;
}

// An item of the style standing at the left edge (for the column searches).
TK_RIBBON_CONTROL_LAYOUT ItemAt(int nLeft, int nStyle, int nFlags = 0) {
    TK_RIBBON_CONTROL_LAYOUT item = Item(40, 22, nStyle, nFlags);
    item.rcControl.SetRect(nLeft, 0, nLeft + 40, 22);
    return item;
}

std::vector<CRect> Rects(const RibbonLayoutItems& items) {
    std::vector<CRect> rects;
    for (const TK_RIBBON_CONTROL_LAYOUT& item : items)
        rects.push_back(item.rcControl);
    return rects;
}

TEST(RibbonGroupLayout, ColumnsGiveLargeButtonsAndBlocksAColumnAndStackTheRest) {
    struct Case {
        const char* pszName;
        RibbonLayoutItems items;
        int nAvailableHeight;
        std::vector<CRect> expected;
        int nWidth;
    };
    const Case cases[] = {
        {"three large",
         {Item(40, 66, kLarge), Item(44, 66, kLarge), Item(40, 66, kLarge)},
         67,
         {CRect(2, 0, 42, 66), CRect(42, 0, 86, 66), CRect(86, 0, 126, 66)},
         128},
        {"three small in one column",
         {Item(50, 22), Item(60, 22), Item(40, 22)},
         67,
         {CRect(2, 0, 52, 22), CRect(2, 22, 62, 44), CRect(2, 44, 42, 66)},
         64},
        // The fourth does not fit under the third: a new column at the widest of the first.
        {"overflow",
         {Item(50, 22), Item(60, 22), Item(40, 22), Item(30, 22)},
         67,
         {CRect(2, 0, 52, 22), CRect(2, 22, 62, 44), CRect(2, 44, 42, 66), CRect(62, 0, 92, 22)},
         94},
        // A control that begins a group starts a column 6 pixels further on.
        {"begin group",
         {Item(50, 22), Item(30, 22, kSmall, kBeginGroup), Item(30, 22)},
         67,
         {CRect(2, 0, 52, 22), CRect(58, 0, 88, 22), CRect(58, 22, 88, 44)},
         90},
        // A large button after small ones, and small ones after it, each start a column.
        {"large between small",
         {Item(30, 22), Item(40, 66, kLarge), Item(30, 22)},
         67,
         {CRect(2, 0, 32, 22), CRect(32, 0, 72, 66), CRect(72, 0, 102, 22)},
         104},
    };
    for (const Case& c : cases) {
        RibbonLayoutItems items = c.items;
        EXPECT_EQ(ArrangeRibbonColumns(items, c.nAvailableHeight), c.nWidth) << c.pszName;
        EXPECT_EQ(Rects(items), c.expected) << c.pszName;
        EXPECT_TRUE(items[0].bWrap) << c.pszName;
    }
}

TEST(RibbonGroupLayout, GroupedRowsBreakAtHalfWidthOrIntoThreeRowsAndSpreadEvenly) {
    // Four blocks of 30 x 22, 3 pixels apart: 129 in one row.
    const RibbonLayoutItems fourBlocks = {Item(30, 22), Item(30, 22, kSmall, kBeginGroup),
                                          Item(30, 22, kSmall, kBeginGroup), Item(30, 22, kSmall, kBeginGroup)};
    RibbonLayoutItems six = fourBlocks;
    six.push_back(Item(30, 22, kSmall, kBeginGroup));
    six.push_back(Item(30, 22, kSmall, kBeginGroup));
    RibbonLayoutItems forced = fourBlocks;
    forced[3].bRowBreak = TRUE;
    forced[1].bBeginGroup = forced[1].bBlockStart = FALSE;  // one block of two, then two blocks
    struct Case {
        const char* pszName;
        RibbonLayoutItems items;
        int nAvailableHeight;
        int nRowMode;
        std::vector<CRect> expected;
        int nWidth;
    };
    const Case cases[] = {
        // Limit 129 / 2 + 1: the third block reaches it. Gaps of 7 above, between and (8) below.
        {"two rows",
         fourBlocks,
         66,
         2,
         {CRect(2, 7, 32, 29), CRect(35, 7, 65, 29), CRect(2, 36, 32, 58), CRect(35, 36, 65, 58)},
         67},
        // Every block on its own row breaks five times; the smallest limit with two breaks pairs them.
        {"three rows by bisection",
         six,
         66,
         3,
         {CRect(2, 0, 32, 22), CRect(35, 0, 65, 22), CRect(2, 22, 32, 44), CRect(35, 22, 65, 44), CRect(2, 44, 32, 66),
          CRect(35, 44, 65, 66)},
         67},
        // Three blocks: each on its own row at once.
        {"three blocks",
         {fourBlocks[0], fourBlocks[1], fourBlocks[2]},
         66,
         3,
         {CRect(2, 0, 32, 22), CRect(2, 22, 32, 44), CRect(2, 44, 32, 66)},
         34},
        // Two blocks cannot fill three rows: half the width as in row mode 2.
        {"row mode 3, two blocks",
         {fourBlocks[0], fourBlocks[1]},
         66,
         3,
         {CRect(2, 7, 32, 29), CRect(2, 36, 32, 58)},
         34},
        // Too low for two rows: one row.
        {"one row",
         fourBlocks,
         43,
         2,
         {CRect(2, 11, 32, 33), CRect(35, 11, 65, 33), CRect(68, 11, 98, 33), CRect(101, 11, 131, 33)},
         133},
        // A forced break is the only one, whatever the widths.
        {"forced break",
         forced,
         66,
         2,
         {CRect(2, 7, 32, 29), CRect(32, 7, 62, 29), CRect(65, 7, 95, 29), CRect(2, 36, 32, 58)},
         97},
    };
    for (const Case& c : cases) {
        RibbonLayoutItems items = c.items;
        EXPECT_EQ(ArrangeRibbonRows(items, c.nAvailableHeight, 22, c.nRowMode), c.nWidth) << c.pszName;
        EXPECT_EQ(Rects(items), c.expected) << c.pszName;
    }
}

TEST(RibbonGroupLayout, BlockWidthsRunToTheNextBlockStart) {
    RibbonLayoutItems items = {Item(10, 22), Item(20, 22), Item(30, 22, kSmall, kBeginGroup), Item(5, 22),
                               Item(7, 22, kSmall, kRowBreak)};
    CalcRibbonBlockWidths(items);
    std::vector<int> widths;
    for (const TK_RIBBON_CONTROL_LAYOUT& item : items)
        widths.push_back(item.nBlockWidth);
    EXPECT_EQ(widths, (std::vector<int>{30, 20, 35, 5, 7}));
}

TEST(RibbonGroupLayout, CentredColumnsHaveEqualGapsAboveBetweenAndBelow) {
    RibbonLayoutItems items = {Item(40, 22), Item(40, 22), Item(40, 22), Item(40, 82, kLarge)};
    ArrangeRibbonColumns(items, 82);
    CenterRibbonColumns(items, 82);
    // (82 - 66) / 4 = 4 everywhere; the large button fills the room and stays.
    EXPECT_EQ(Rects(items), (std::vector<CRect>{CRect(2, 4, 42, 26), CRect(2, 30, 42, 52), CRect(2, 56, 42, 78),
                                                CRect(42, 0, 82, 82)}));
}

TEST(RibbonGroupLayout, ReductionRunsAreFoundFromTheEndInsideOneBlock) {
    const int nRows = 3;
    struct Case {
        const char* pszName;
        RibbonLayoutItems items;
        int nLargeRun;
        int nLargeWindow;
        int nSmallColumn;
    };
    const Case cases[] = {
        {"three large", {ItemAt(2, kLarge), ItemAt(42, kLarge), ItemAt(82, kLarge)}, 0, 0, -1},
        {"four large: the last three",
         {ItemAt(2, kLarge), ItemAt(42, kLarge), ItemAt(82, kLarge), ItemAt(122, kLarge)},
         1,
         1,
         -1},
        // A block starting inside the run splits it; one starting at its first control does not.
        {"block inside", {ItemAt(2, kLarge), ItemAt(42, kLarge, kBeginGroup), ItemAt(82, kLarge)}, -1, -1, -1},
        {"block at the start", {ItemAt(2, kLarge, kBeginGroup), ItemAt(42, kLarge), ItemAt(82, kLarge)}, 0, 0, -1},
        {"gallery", {ItemAt(2, kLarge), ItemAt(42, kLarge), ItemAt(82, kLarge, kGallery)}, -1, -1, -1},
        // Windows hold a large button among small ones; runs need all large.
        {"mixed window", {ItemAt(2, kSmall), ItemAt(2, kLarge), ItemAt(2, kSmall)}, -1, 0, -1},
        // Windows are taken from the end: the last one is all small, the one before it has a large one.
        {"second window",
         {ItemAt(2, kLarge), ItemAt(42, kSmall), ItemAt(42, kSmall), ItemAt(82, kSmall), ItemAt(82, kSmall),
          ItemAt(82, kSmall)},
         -1,
         0,
         3},
        // A block start ends the windows of the block after it: the next window ends before it.
        {"window before a block",
         {ItemAt(2, kSmall), ItemAt(2, kLarge), ItemAt(2, kSmall), ItemAt(42, kLarge, kBeginGroup), ItemAt(82, kSmall)},
         -1,
         0,
         -1},
        {"small column", {ItemAt(2, kSmall), ItemAt(2, kSmall), ItemAt(2, kSmall)}, -1, -1, 0},
        {"small, two columns", {ItemAt(2, kSmall), ItemAt(2, kSmall), ItemAt(42, kSmall)}, -1, -1, -1},
        {"icons only", {ItemAt(2, kIconOnly), ItemAt(2, kIconOnly), ItemAt(2, kIconOnly)}, -1, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindRibbonLargeRun(c.items, nRows), c.nLargeRun) << c.pszName;
        EXPECT_EQ(FindRibbonLargeWindow(c.items, nRows), c.nLargeWindow) << c.pszName;
        EXPECT_EQ(FindRibbonSmallColumn(c.items, nRows), c.nSmallColumn) << c.pszName;
    }
    const RibbonLayoutItems galleries = {ItemAt(2, kSmall, kGallery), ItemAt(42, kSmall), ItemAt(82, kLarge, kGallery)};
    EXPECT_EQ(FindRibbonUnshrunkGallery(galleries), 0);  // the last one is shrunk already
}

TEST(RibbonGroupLayout, TheScrollOffsetIsClampedToWhatTheGroupsOverflow) {
    struct Case {
        int nSpan;
        int nRequested;
        int nOffset;
        BOOL bBack;
        BOOL bForward;
    };
    const Case cases[] = {
        {300, 50, 0, FALSE, FALSE},    // fits: no scrolling
        {400, 50, 0, FALSE, FALSE},    // fits exactly
        {500, 0, 0, FALSE, TRUE},      // overflows to the right
        {500, 50, 50, TRUE, TRUE},     // in the middle
        {500, 100, 100, TRUE, FALSE},  // at the end
        {500, 250, 100, TRUE, FALSE},  // past the end
        {500, -10, 0, FALSE, TRUE},    // before the start
    };
    for (const Case& c : cases) {
        const RibbonScrollState state = CalcRibbonScroll(c.nSpan, 400, c.nRequested);
        EXPECT_EQ(state.nOffset, c.nOffset) << c.nSpan << " " << c.nRequested;
        EXPECT_EQ(state.bBack, c.bBack) << c.nSpan << " " << c.nRequested;
        EXPECT_EQ(state.bForward, c.bForward) << c.nSpan << " " << c.nRequested;
    }
}

}  // namespace
