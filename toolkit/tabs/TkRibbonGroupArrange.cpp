// The arithmetic of a group layout: the column and grouped arrangements, column centring and the runs the
// reduction steps look for.

#include "TkRibbonGroupArrange.h"

#include "TkControlDefs.h"

#include <algorithm>
#include <climits>

namespace {

// Pixels between blocks inside a row of the grouped arrangement, and the extra room before a control
// that begins a group in the column arrangement.
constexpr int kRowGroupGap = 3;
constexpr int kColumnGroupGap = 6;
// The content starts this far from the group's left, and ends as far from its right.
constexpr int kContentMargin = 2;

int CountBreaks(const RibbonLayoutItems& items) {
    int nBreaks = 0;
    for (size_t i = 1; i < items.size(); ++i) {
        if (items[i].bWrap)
            ++nBreaks;
    }
    return nBreaks;
}

int SingleRowWidth(const RibbonLayoutItems& items) {
    int nWidth = 0;
    for (size_t i = 0; i < items.size(); ++i)
        nWidth += items[i].nWidth + (i > 0 && items[i].bBeginGroup ? kRowGroupGap : 0);
    return nWidth;
}

BOOL HasForcedBreak(const RibbonLayoutItems& items) {
    for (size_t i = 1; i < items.size(); ++i) {
        if (items[i].bRowBreak)
            return TRUE;
    }
    return FALSE;
}

// Rows left to right from the content margin; a new row lies lower by the tallest item seen so far.
int PlaceRows(RibbonLayoutItems& items) {
    int x = kContentMargin;
    int y = 0;
    int nTallest = 0;
    int nRight = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        TK_RIBBON_CONTROL_LAYOUT& item = items[i];
        if (i > 0 && item.bWrap) {
            x = kContentMargin;
            y += nTallest;
        } else if (i > 0 && item.bBeginGroup) {
            x += kRowGroupGap;
        }
        item.rcControl.SetRect(x, y, x + item.nWidth, y + item.nHeight);
        x += item.nWidth;
        nTallest = std::max(nTallest, item.nHeight);
        nRight = std::max(nRight, static_cast<int>(item.rcControl.right));
    }
    return nRight + kContentMargin;
}

// Spreads the rows over the height: equal gaps above, between and below them as far as integers allow.
void SpreadRows(RibbonLayoutItems& items, int nAvailableHeight, int nRowHeight, int nRows) {
    const int nFree = nAvailableHeight - nRows * nRowHeight;
    int nGap = (nFree + 1) / (nRows + 1);
    int nRemaining = nRows;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0 && items[i].bWrap) {
            // More row starts than rows counted would divide by zero: the rest keep the last gap.
            if (nRemaining > 0)
                nGap += (nFree - nGap) / nRemaining;
            --nRemaining;
        }
        items[i].rcControl.OffsetRect(0, nGap);
    }
}

// Whether items[nFirst..nFirst + nRows) is one run: each item passes the test, and none but the first
// starts a block.
template <typename Test>
BOOL IsRun(const RibbonLayoutItems& items, int nFirst, int nRows, Test test) {
    for (int i = nFirst; i < nFirst + nRows; ++i) {
        const TK_RIBBON_CONTROL_LAYOUT& item = items[static_cast<size_t>(i)];
        if (!test(item) || (i > nFirst && item.bBlockStart))
            return FALSE;
    }
    return TRUE;
}

// The first run from the end; runs end at the third item or later.
template <typename Test>
int FindRunFromEnd(const RibbonLayoutItems& items, int nRows, Test test) {
    for (int nLast = static_cast<int>(items.size()) - 1; nLast >= 2; --nLast) {
        const int nFirst = nLast - nRows + 1;
        if (nFirst < 0)
            break;
        if (IsRun(items, nFirst, nRows, test))
            return nFirst;
    }
    return -1;
}

}  // namespace

int ArrangeRibbonColumns(RibbonLayoutItems& items, int nAvailableHeight) {
    int x = kContentMargin;
    int y = 0;
    int nColumnWidth = 0;
    int nRight = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        TK_RIBBON_CONTROL_LAYOUT& item = items[i];
        if (i > 0 && item.bBeginGroup)
            x += kColumnGroupGap;
        const BOOL bNewColumn = i == 0 || item.bBlockStart || item.nStyle == kButtonIconAndCaptionBelow ||
                                y + item.nHeight > nAvailableHeight;
        if (bNewColumn) {
            x += nColumnWidth;
            y = 0;
            nColumnWidth = 0;
        }
        item.bWrap = bNewColumn;
        item.rcControl.SetRect(x, y, x + item.nWidth, y + item.nHeight);
        y += item.nHeight;
        nColumnWidth = std::max(nColumnWidth, item.nWidth);
        nRight = std::max(nRight, static_cast<int>(item.rcControl.right));
    }
    return nRight + kContentMargin;
}

RibbonScrollState CalcRibbonScroll(int nSpan, int nAvailable, int nRequestedOffset) {
    RibbonScrollState state;
    if (nSpan > nAvailable)
        state.nOffset = std::clamp(nRequestedOffset, 0, nSpan - nAvailable);
    state.bBack = state.nOffset > 0;
    state.bForward = nSpan - state.nOffset - nAvailable > 0;
    return state;
}

void CalcRibbonBlockWidths(RibbonLayoutItems& items) {
    int nFollowing = 0;
    for (size_t i = items.size(); i-- > 0;) {
        TK_RIBBON_CONTROL_LAYOUT& item = items[i];
        item.nBlockWidth = item.nWidth + nFollowing;
        nFollowing = item.bBlockStart ? 0 : item.nBlockWidth;
    }
}

int BreakRibbonRows(RibbonLayoutItems& items, int nLimit, BOOL bSearch) {
    int nRowWidth = 0;
    int nBreaks = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        TK_RIBBON_CONTROL_LAYOUT& item = items[i];
        item.bWrap = FALSE;
        if (i > 0 && item.bBlockStart) {
            const BOOL bMayBreak = nBreaks == 0 || bSearch;
            if (item.bRowBreak || (bMayBreak && item.nBlockWidth + nRowWidth >= nLimit)) {
                item.bWrap = TRUE;
                ++nBreaks;
                nRowWidth = 0;
            }
        }
        nRowWidth += item.nWidth + (!item.bWrap && i > 0 && item.bBeginGroup ? kRowGroupGap : 0);
    }
    return nBreaks;
}

BOOL SearchRibbonThreeRows(RibbonLayoutItems& items, int nSingleRowWidth) {
    const int nEveryBlock = BreakRibbonRows(items, 0, TRUE);
    if (nEveryBlock < 2)
        return FALSE;
    if (nEveryBlock == 2)
        return TRUE;
    // The narrowest limit that still leaves at most two breaks.
    int nLow = 0;
    int nHigh = nSingleRowWidth;
    while (nLow < nHigh) {
        const int nMiddle = nLow + (nHigh - nLow) / 2;
        if (BreakRibbonRows(items, nMiddle, TRUE) <= 2)
            nHigh = nMiddle;
        else
            nLow = nMiddle + 1;
    }
    BreakRibbonRows(items, nHigh, TRUE);
    return TRUE;
}

int ArrangeRibbonRows(RibbonLayoutItems& items, int nAvailableHeight, int nRowHeight, int nRowMode) {
    CalcRibbonBlockWidths(items);
    const int nSingleRowWidth = SingleRowWidth(items);
    if (HasForcedBreak(items)) {
        BreakRibbonRows(items, INT_MAX, FALSE);
    } else if (nAvailableHeight < 2 * nRowHeight) {
        for (TK_RIBBON_CONTROL_LAYOUT& item : items)
            item.bWrap = FALSE;
    } else if (!(nAvailableHeight >= 3 * nRowHeight && nRowMode == 3 &&
                 SearchRibbonThreeRows(items, nSingleRowWidth))) {
        BreakRibbonRows(items, nSingleRowWidth / 2 + 1, FALSE);
    }
    const int nWidth = PlaceRows(items);
    SpreadRows(items, nAvailableHeight, nRowHeight, CountBreaks(items) + 1);
    return nWidth;
}

void CenterRibbonColumns(RibbonLayoutItems& items, int nRoom) {
    std::vector<BOOL> done(items.size(), FALSE);
    for (size_t i = 0; i < items.size(); ++i) {
        if (done[i] || items[i].bHidden)
            continue;
        const int nLeft = items[i].rcControl.left;
        std::vector<size_t> column;
        int nHeights = 0;
        for (size_t j = i; j < items.size(); ++j) {
            if (!done[j] && !items[j].bHidden && items[j].rcControl.left == nLeft) {
                done[j] = TRUE;
                column.push_back(j);
                nHeights += items[j].nHeight;
            }
        }
        const int nGap = (nRoom - nHeights) / static_cast<int>(column.size() + 1);
        if (nGap <= 0)
            continue;
        for (size_t k = 0; k < column.size(); ++k)
            items[column[k]].rcControl.OffsetRect(0, static_cast<int>(k + 1) * nGap);
    }
}

int FindRibbonLargeRun(const RibbonLayoutItems& items, int nRows) {
    return FindRunFromEnd(items, nRows, [](const TK_RIBBON_CONTROL_LAYOUT& item) {
        return item.nStyle == kButtonIconAndCaptionBelow && !item.bGallery;
    });
}

int FindRibbonLargeWindow(const RibbonLayoutItems& items, int nRows) {
    int nLast = static_cast<int>(items.size()) - 1;
    while (nLast >= 2 && nLast - nRows + 1 >= 0) {
        const int nFirst = nLast - nRows + 1;
        // A gallery, or a block starting inside the window, ends the windows of this stretch: the next
        // one ends just before it.
        int nStop = -1;
        for (int i = nLast; i >= nFirst && nStop < 0; --i) {
            const TK_RIBBON_CONTROL_LAYOUT& item = items[static_cast<size_t>(i)];
            if (item.bGallery || (i > nFirst && item.bBlockStart))
                nStop = i;
        }
        if (nStop >= 0) {
            nLast = nStop - 1;
            continue;
        }
        for (int i = nFirst; i <= nLast; ++i) {
            if (items[static_cast<size_t>(i)].nStyle == kButtonIconAndCaptionBelow)
                return nFirst;
        }
        nLast = nFirst - 1;
    }
    return -1;
}

int FindRibbonSmallColumn(const RibbonLayoutItems& items, int nRows) {
    for (int nLast = static_cast<int>(items.size()) - 1; nLast >= 2; --nLast) {
        const int nFirst = nLast - nRows + 1;
        if (nFirst < 0)
            break;
        const int nLeft = items[static_cast<size_t>(nFirst)].rcControl.left;
        if (IsRun(items, nFirst, nRows, [nLeft](const TK_RIBBON_CONTROL_LAYOUT& item) {
                return item.nStyle == kButtonIconAndCaption && !item.bGallery && item.rcControl.left == nLeft;
            }))
            return nFirst;
    }
    return -1;
}

int FindRibbonUnshrunkGallery(const RibbonLayoutItems& items) {
    for (int i = static_cast<int>(items.size()) - 1; i >= 0; --i) {
        const TK_RIBBON_CONTROL_LAYOUT& item = items[static_cast<size_t>(i)];
        if (item.bGallery && item.nStyle != kButtonIconAndCaptionBelow)
            return i;
    }
    return -1;
}
