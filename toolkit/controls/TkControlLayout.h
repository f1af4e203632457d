#pragma once
#include "TkControlDefs.h"

#include "mfc.h"

#include <functional>
#include <vector>

// The steps of the control layouts, as functions over arrays of records, so that each step can be run
// and checked on its own. CTkControls::CalcToolbarLayout and CalcPopupLayout measure the controls, run
// the steps and write the results into the controls.
//
// Toolbars lay their controls out in rows (columns from right to left for vertically docked bars,
// x <= 0 before the commit), wrap them to a length, search a good width for floating bars, stretch and
// right-align within rows, and write Rect, LayoutRect, LayoutWrapped and hide bit 0x2 in commit mode.
// The record of each row-start carries Wrap; records of controls that do not fit carry Hidden.

class CTkControl;

// One control during one toolbar layout.
struct LayoutRecord {
    CRect rcControl;       // being computed (starts as the control's Rect)
    CRect rcRow;           // the row or column cell, written by the commit
    CSize szControl;       // measured
    BOOL bVisible = TRUE;  // visible when only the wrapped-away bit is set
    BOOL bWrap = FALSE;    // starts a new row (column)
    BOOL bHidden = FALSE;  // does not fit
    BOOL bBeginGroup = FALSE;
    int nStyle = kButtonAutomatic;   // the ButtonStyle the size was measured in
    DWORD dwFlags = 0;               // the control's ControlFlags
    CTkControl* pControl = nullptr;  // not referenced
    CSize szSeparator;               // the paint manager's separator size (first record only)
    int nRowGap = 0;                 // the bar's gap between rows (first record only)
};
using LayoutRecords = std::vector<LayoutRecord>;

// ---- Toolbar steps
// Places the visible records along rows of the length; answers the number of rows. Sets kLayoutStretch
// in dwMode when it wrapped (or, with kLayoutHideWrap, hid) something.
int WrapRows(LayoutRecords& records, int nLength, DWORD& dwMode);
// Positions the visible records from their Wrap marks; the size of the content.
CSize CalcRowsSize(LayoutRecords& records, BOOL bVertical);
// A wrap whose width is about its height (floating bars); the records stay wrapped as by the last try.
void FindBalancedWidth(LayoutRecords& records, DWORD& dwMode);
// With kLayoutLengthY the width whose height fits nLength; otherwise the narrowest width that keeps the
// number of rows of the full length. The records are left wrapped at it.
void FindWidthForLength(LayoutRecords& records, int nLength, DWORD& dwMode);
// In commit mode moves the records inside the borders and gives each its row cell (centred across it
// unless bStacked); adds the borders to the size.
void CommitRows(LayoutRecords& records, CSize& size, DWORD dwMode, const CRect& rcBorders, BOOL bStacked);
// Right-aligns the trailing kControlFlagRightAlign records and shares each row's free space among its
// kControlFlagStretched records.
void AlignAndStretch(LayoutRecords& records, const CSize& size, const CRect& rcBorders, DWORD dwMode);
// Writes a record into its control: hide bit 0x2, LayoutRect, Rect (unless Hidden), LayoutWrapped.
void ApplyLayoutRecord(const LayoutRecord& record);

// ---- Stacked bars (large buttons that reduce to small ones)
struct StackedLayoutContext {
    int nRowHeight = 0;  // the split drop-down extent + the large icon height + 7
    // Whether the control has an image at the large icon width.
    std::function<BOOL(const CTkControl*)> hasLargeImage;
    // The control's size in its current style.
    std::function<CSize(CTkControl*)> measure;
};
// Gives every visible control Style 4 (a large image) or 3, lays out, and reduces while too long.
CSize CalcStackedLayout(LayoutRecords& records, int nLength, DWORD& dwMode, const StackedLayoutContext& context);
CSize LayoutStacked(LayoutRecords& records, DWORD dwMode, const StackedLayoutContext& context);
CSize ReduceLargeButtons(LayoutRecords& records, int nLength, DWORD dwMode, const StackedLayoutContext& context);

// ---- Popup columns
struct PopupLayoutItem {
    CSize szControl;  // measured
    BOOL bBeginGroup = FALSE;
    BOOL bNewColumn = FALSE;  // kControlFlagNewRow
    CRect rcControl;          // out
    CRect rcRow;              // out: the column strip
    BOOL bWrap = FALSE;       // out: starts a column
};
struct PopupLayoutParams {
    int nMaxHeight = 0;   // 0: no limit
    int nFixedWidth = 0;  // 1..29999: the last column's width with the borders
    CRect rcBorders;
    CSize szSeparator;
    int nMaxItemWidth = 0;  // 0: no limit (the bar allows wide items)
};
// Places the items in columns; the size with the borders. bMultiColumn tells whether it broke them.
CSize LayoutPopupColumns(std::vector<PopupLayoutItem>& items, const PopupLayoutParams& params, BOOL& bMultiColumn);
