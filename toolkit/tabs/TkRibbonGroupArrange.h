#pragma once
#include "TkRibbonGroup.h"

#include <vector>

// The arithmetic of a group layout over its scratch items, kept free of bars, controls and DCs so that
// the arrangements and the reduction searches can be checked on plain tables. Items carry their measured
// sizes and flags; these functions only move rectangles, set new-row flags and answer indexes.

using RibbonLayoutItems = std::vector<TK_RIBBON_CONTROL_LAYOUT>;

// ---- Arrangements (rectangles relative to the group's content origin)
// Columns: large buttons, block starts and items that do not fit under the previous one start a new
// column; a control that begins a group adds 6 pixels. The content width (rightmost edge + 2).
int ArrangeRibbonColumns(RibbonLayoutItems& items, int nAvailableHeight);
// Rows of blocks in two or three rows (three only for row mode 3 with room for them), spread vertically
// over the available height. The content width (rightmost edge + 2).
int ArrangeRibbonRows(RibbonLayoutItems& items, int nAvailableHeight, int nRowHeight, int nRowMode);
// Each column (items sharing a left edge) moved down so that the gaps above, between and below its items
// are equal in nRoom; a column that fills the room stays.
void CenterRibbonColumns(RibbonLayoutItems& items, int nRoom);

// ---- The strip's scroll state
struct RibbonScrollState {
    int nOffset = 0;
    BOOL bBack = FALSE;     // the back (left) scroll button shows
    BOOL bForward = FALSE;  // the forward (right) scroll button shows
};
// Groups spanning nSpan in nAvailable pixels, scrolled as asked where they overflow: the offset clamped
// to what they overflow (0 when they fit), and which scroll buttons show.
RibbonScrollState CalcRibbonScroll(int nSpan, int nAvailable, int nRequestedOffset);

// ---- Grouped arrangement steps (exposed for their tests)
// Each item's width plus the widths after it up to the next block start.
void CalcRibbonBlockWidths(RibbonLayoutItems& items);
// Sets the new-row flags for a row limit and answers the number of breaks. Forced breaks (kControlFlagNewRow)
// always break; a block start breaks when its block would reach the limit: only on the first row, or on
// every row in search mode.
int BreakRibbonRows(RibbonLayoutItems& items, int nLimit, BOOL bSearch);
// The breaks of a three-row arrangement: FALSE (flags undefined) when the blocks cannot fill three rows.
BOOL SearchRibbonThreeRows(RibbonLayoutItems& items, int nSingleRowWidth);

// ---- Reduction searches: the first item of the run found from the end, or -1
// nRows consecutive large buttons (no gallery) in one block.
int FindRibbonLargeRun(const RibbonLayoutItems& items, int nRows);
// The last window of nRows items inside one block (no gallery) holding a large button; windows are taken
// from the end of each block.
int FindRibbonLargeWindow(const RibbonLayoutItems& items, int nRows);
// nRows consecutive small buttons with caption (no gallery) in one block and one column.
int FindRibbonSmallColumn(const RibbonLayoutItems& items, int nRows);
// The last gallery that still shows its items.
int FindRibbonUnshrunkGallery(const RibbonLayoutItems& items);
