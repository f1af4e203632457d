#pragma once
#include "Wnd.h"

#include <vector>

// CSplitterWnd: a static splitter: a fixed grid of panes (views) separated by bars the user can drag.
//
// Layout, done for columns and rows alike: each column but the last gets its ideal width, from left
// to right, and the last takes the rest. A column whose ideal width is 0 or below its minimum is
// collapsed: its panes are hidden and it takes no space, not even a bar. Visible panes are separated
// by m_cxSplitterGap and the whole grid keeps m_cxBorder free along the window's edges; each pane is
// framed by a border of m_cxBorder drawn in the gap (OnDrawSplitter, splitBorder), the rest of the
// gap is the bar (splitBar). When the window is too small, the column that does not fit takes what
// is left and the columns after it are collapsed.
//
// Dragging the bar between two columns (left button) shows an inverted tracker and, on release, gives the column before the
// bar its new ideal width. The drag runs its own loop, which ends as a cancel on Escape, a lost
// capture, the window's destruction or WM_QUIT (posted again).
//
// Pane ids are AFX_IDW_PANE_FIRST + 16 * row + column.

struct CCreateContext;

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };

    CSplitterWnd() = default;

    // A child window of nRows x nCols panes (1..16 each); the panes are created with CreateView.
    virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                              UINT nID = AFX_IDW_PANE_FIRST);
    // Creates pane (row, col) from pViewClass (CreateObject); sizeInit gives the column's ideal width
    // and the row's ideal height. Without a context the new view gets WM_INITIALUPDATE at once, so its
    // controls are bound before this returns. FALSE (and the view object deleted) when it fails.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetColumnCount() const { return static_cast<int>(m_cols.size()); }
    // cxCur: the width of the last layout (0 when collapsed).
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    // Takes effect at the next RecalcLayout.
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    virtual void RecalcLayout();

    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return static_cast<int>(AFX_IDW_PANE_FIRST) + row * 16 + col; }

protected:
    // Draws one part of the splitter; with a NULL pDC it only invalidates rect.
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // Metrics (a derived splitter sets its own in its constructor).
    int m_cxSplitter = 7, m_cySplitter = 7;        // the bar's width where it can be grabbed
    int m_cxBorderShare = 0, m_cyBorderShare = 0;  // kept for derived splitters; not used
    int m_cxSplitterGap = 7, m_cySplitterGap = 7;  // space between neighbouring panes
    int m_cxBorder = 2, m_cyBorder = 2;            // border around each pane

private:
    struct CRowColInfo {
        int nMinSize = 0;
        int nIdealSize = 0;
        int nCurSize = 0;  // of the last layout; 0 when collapsed
        int nPos = 0;      // left (top) edge of the last layout
    };
    // Sizes and places the columns (or rows) of one axis in nSize pixels from nStart.
    static void LayoutAxis(std::vector<CRowColInfo>& infos, int nStart, int nSize, int nGap);
    // Each visible pane's rectangle in client coordinates (empty when hidden).
    CRect PaneRect(int row, int col) const;
    // The index of the column whose bar (the gap behind it) holds x, or -1.
    int ColumnBarAt(int x) const;
    // The first column after col that has a size, or -1.
    int NextVisibleColumn(int col) const;
    // Tracks a drag of the bar behind column col; answers the new right edge, or -1 when cancelled.
    int TrackColumnBar(int col, int xStart);

    std::vector<CRowColInfo> m_rows;
    std::vector<CRowColInfo> m_cols;
};
