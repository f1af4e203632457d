#pragma once
// CReportCtrl: the report-view list of the channel pane and the call-record panes. It sorts itself when a column
// header is clicked, reading the cells as hexadecimal or decimal numbers, percentages, dates or plain text, and it
// carries for every row a row record: the pane's own pointer-sized value for the row and a text and background
// colour per cell, which custom draw applies.
//
// The control owns the row records; each row's item data points to its record, so a row moves with its record
// when the list is sorted. The pane's value in the record is the pane's: the control never frees it.
//
// UI thread only: the service's threads reach the panes through the GUI's service view, which runs each change
// as one message on the UI thread.

#include "mfc.h"

#include <memory>
#include <unordered_map>
#include <vector>

class CReportCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CReportCtrl)
public:
    CReportCtrl() = default;
    ~CReportCtrl() override;

    // ---- Rows
    // Ends any edit, forgets the last sort (the next header click sorts ascending), inserts the row with its
    // text and image and gives it a row record. The new index, or -1.
    int InsertItemWithData(int nItem, LPCTSTR lpszText, int nImage);
    // Gives the row a record (its pane value taking the row's current item data) when the row exists and the
    // header has a column. An allocation failure leaves the row without one: it then draws in the default colours.
    void AllocRowData(int nItem);
    // Frees the row's record (never the pane's value) and sets its item data to 0.
    void FreeRowData(int nItem);
    // End any edit and free the records of the rows they delete. DeleteAllItems answers how many rows there were.
    BOOL DeleteItem(int nItem);
    int DeleteAllItems();
    // Ends any edit, forgets the last sort and sets the cell's text.
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    // No cell editor is ever opened in this system: callers end an edit before they change rows, and this does
    // nothing.
    void EndEdit(BOOL bCommit = TRUE) {}
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);

    // ---- The pane's value and the colours of a row
    // 0 when the row has no record.
    DWORD_PTR GetRowData(int nItem) const;
    // FALSE when the row has no record.
    BOOL SetRowData(int nItem, DWORD_PTR dwData);
    // The colours custom draw gives one cell; FALSE when the row has no record or the column lies outside it.
    BOOL SetCellColors(int nItem, int nSubItem, COLORREF clrText, COLORREF clrBack);

    // ---- Sorting
    // Sorts by the column, ascending or not, moving each row's states, record, images and texts together.
    // Nothing happens for a column outside the header, a list without a clickable header, an empty list, or
    // while a sort runs.
    void SortColumn(int nColumn, BOOL bAscending);
    int GetSortColumn() const { return m_sortColumn; }
    BOOL IsSortAscending() const { return m_sortAscending; }
    // The order of two cell texts, -1 when a comes first: both whole hexadecimal numbers (plain decimal digits
    // included) compare as unsigned values; else both whole decimal numbers, each optionally followed by one "%",
    // compare as numbers; else both dates and times compare as instants; else the texts compare by UTF-16 units.
    static int CompareItems(const CString& a, const CString& b);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    struct RowRecord {
        DWORD_PTR Data = 0;                // the pane's, never freed here
        std::vector<COLORREF> TextColors;  // one per column
        std::vector<COLORREF> BackColors;
    };
    struct RowSnapshot;

    // The row's record, or null when its item data is not one of ours.
    RowRecord* RecordOf(int nItem) const;
    RowRecord* RecordFromItemData(LPARAM lParam) const;
    int ColumnCount() const;
    BOOL HasClickableHeader() const;
    std::vector<RowSnapshot> TakeSnapshot(int nColumns) const;
    // Hoare's partition around the middle element, recursing on the left part and looping on the right; not
    // stable.
    void QuickSort(std::vector<int>& rows, int low, int high, const std::vector<RowSnapshot>& snapshot);
    int CompareRows(int a, int b, const std::vector<RowSnapshot>& snapshot) const;
    void ForgetSort();

    int m_sortColumn = -1;
    BOOL m_sortAscending = TRUE;
    BOOL m_sorting = FALSE;  // guards against a nested sort
    // The records, keyed by the address each row's item data holds.
    std::unordered_map<const RowRecord*, std::unique_ptr<RowRecord>> m_records;
};
