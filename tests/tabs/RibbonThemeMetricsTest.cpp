// The ribbon theme's sizes as a function of the menu font: the font base never below 11, the control,
// row, tab-strip and group-caption heights and the split width derived from it.

#include "TkRibbonTheme.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(RibbonMetrics, FollowTheMenuFontWithTheirFloors) {
    struct Row {
        int nMenuFontHeight;
        int nExplicitFontHeight;
        RibbonMetrics expected;  // a, font, control, row, strip, caption, split
    };
    const Row rows[] = {
        // Small menu fonts all make the ribbon of an 11-pixel base; the sign of lfHeight does not count.
        {1, 0, {11, 13, 22, 22, 23, 17, 12}},
        {-11, 0, {11, 13, 22, 22, 23, 17, 12}},
        {-12, 0, {11, 13, 22, 22, 23, 17, 12}},
        {12, 0, {11, 13, 22, 22, 23, 17, 12}},
        {-13, 0, {13, 16, 25, 26, 28, 19, 12}},
        {-16, 0, {16, 20, 30, 32, 34, 24, 15}},
        {-24, 0, {24, 30, 42, 48, 50, 36, 21}},
        // A host's height counts only above 11, and then still meets the floor of the base.
        {-16, 11, {16, 20, 30, 32, 34, 24, 15}},
        {-16, 12, {11, 13, 22, 22, 23, 17, 12}},
        {-12, 16, {16, 20, 30, 32, 34, 24, 15}},
        {-16, 13, {13, 16, 25, 26, 28, 19, 12}},
    };
    for (const Row& row : rows) {
        const RibbonMetrics m = CTkRibbonTheme::CalcRibbonMetrics({row.nMenuFontHeight, row.nExplicitFontHeight});
        const RibbonMetrics& e = row.expected;
        SCOPED_TRACE(testing::Message() << "menu " << row.nMenuFontHeight << ", explicit " << row.nExplicitFontHeight);
        EXPECT_EQ(m.nFontBase, e.nFontBase);
        EXPECT_EQ(m.nFontHeight, e.nFontHeight);
        EXPECT_EQ(m.nControlHeight, e.nControlHeight);
        EXPECT_EQ(m.nControlRowHeight, e.nControlRowHeight);
        EXPECT_EQ(m.nTabStripHeight, e.nTabStripHeight);
        EXPECT_EQ(m.nGroupCaptionHeight, e.nGroupCaptionHeight);
        EXPECT_EQ(m.nSplitDropDownWidth, e.nSplitDropDownWidth);
    }
}

TEST(RibbonMetrics, TheTabStripJumpsFrom23To25WhenTheRowPasses22) {
    const std::pair<int, int> rows[] = {{0, 23}, {21, 23}, {22, 23}, {23, 25}, {32, 34}};
    for (const auto& [nRow, nStrip] : rows)
        EXPECT_EQ(CTkRibbonTheme::CalcTabStripHeight(nRow), nStrip) << nRow;
}

}  // namespace
