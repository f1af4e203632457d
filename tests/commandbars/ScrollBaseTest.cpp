#include "TkScrollBase.h"

#include <gtest/gtest.h>

namespace {

TEST(ScrollBase, ThumbDragRectWidensTheBarBothWays) {
    const int nV = ::GetSystemMetrics(SM_CYVTHUMB);
    const int nH = ::GetSystemMetrics(SM_CXHTHUMB);
    struct Row {
        const char* name;
        int nStart, nEnd, nCrossStart, nCrossEnd;
        BOOL bVertical;
        CRect expected;
    };
    const Row rows[] = {
        // Across: eight thicknesses each side; along: two thumb lengths at each end.
        {"vertical at the origin", 0, 100, 0, 17, TRUE, CRect(-136, -2 * nV, 153, 100 + 2 * nV)},
        {"vertical further in", 20, 60, 83, 100, TRUE, CRect(83 - 136, 20 - 2 * nV, 100 + 136, 60 + 2 * nV)},
        {"horizontal", 5, 205, 30, 40, FALSE, CRect(5 - 2 * nH, 30 - 80, 205 + 2 * nH, 40 + 80)},
        {"no thickness", 0, 50, 7, 7, FALSE, CRect(-2 * nH, 7, 50 + 2 * nH, 7)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScrollBarGeometry geometry;
        geometry.nStart = row.nStart;
        geometry.nEnd = row.nEnd;
        geometry.nCrossStart = row.nCrossStart;
        geometry.nCrossEnd = row.nCrossEnd;
        geometry.bVertical = row.bVertical;
        EXPECT_EQ(row.expected, CTkScrollBase::CalcThumbDragRect(geometry));
    }
}

}  // namespace
