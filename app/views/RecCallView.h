#pragma once
// CRecCallView: a call-record pane (template IDD_REC_CALL_VIEW). The right view holds seven, one per recordings
// view from all calls to search results; each row shows one call and owns a heap copy of its CallRecord (the row's
// pane value). The call writer adds the calls it files to the all-calls pane and to the pane of their kind; the
// searches, started from any of the seven, always fill the search-results pane, reading one daily CDR database at a
// time on a thread of that pane. The toolbar acts on the selected rows: play, notes, delete, details, copy to a
// folder, and on the list: search, quick searches, stop, export, clear.
//
// Created, shown and destroyed by the right view on the UI thread. AddCallRecordRow may be called from any thread:
// the whole insertion runs as one message on the pane's thread.

#include "records/EngineRecords.h"
#include "storage/CallRecordStore.h"
#include "views/DayRange.h"
#include "views/ExcelExport.h"
#include "views/Label.h"
#include "views/PaneSearchThread.h"
#include "views/ReportCtrl.h"

#include "mfc.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class CRecCallView;

// Adds the record's row at the end of the pane's list unless the pane's filters drop it: a channel above 511 or
// outside the pane's channel mask, or (with the time-of-day filter on) a time outside hh:mm:00 to hh:mm:59 of the
// filter's start and end on the record's own date. A list of more than 10000 rows first loses its 500 oldest. The
// row keeps a copy of the record. Nothing happens without a pane window. Any thread.
void AddCallRecordRow(const CallRecord* record, CRecCallView* pane);

// The query of a quick search pressed on a pane of the category (its ViewIndex).
std::wstring QuickSearchQuery(int category, QuickRange range);

class CRecCallView : public CDialog {
public:
    // What a search reads: its days, its time-of-day window, its channels and its query.
    struct SearchSettings {
        DayRange Days;
        SYSTEMTIME TimeFrom;  // hour and minute of the time-of-day window
        SYSTEMTIME TimeTo;
        bool UseTimeWindow = false;
        std::wstring Query;
        std::array<uint8_t, 512> Channels;  // 1 lets the channel's records in
    };

    CRecCallView();

    // ---- Category: 3 until the main frame first shows the pane, then the pane's ViewIndex.
    int Category() const { return m_category; }
    void SetCategory(int category) { m_category = category; }

    // The search-results pane every search of this pane fills, and what shows it: set by the right view.
    void SetSearchPane(CRecCallView* searchPane, std::function<void()> showSearchResults);

    CReportCtrl& List() { return m_list; }
    const SearchSettings& Search() const { return m_search; }
    CExcelExport& ExcelExport() { return m_excelExport; }
    // The record copy of a row; null for a row without one.
    const CallRecord* RowRecord(int row) const;

    // ---- Searches (on the search-results pane)
    // Empties the list and starts the search thread with these settings. Callers test IsSearching first.
    void StartSearch(const SearchSettings& settings);
    bool IsSearching() const { return m_searchThread.IsRunning(); }
    // Ends a running search: the thread's store stops at its next row, and the thread is waited for (serving the
    // rows it sends) up to a bound; it closes its store itself. The rows found so far stay.
    void StopSearch();
    // The quick range's search as pressed on this pane at now: fills and shows the search-results pane.
    void QuickSearch(QuickRange range, const SYSTEMTIME& now);

    // ---- Rows (UI thread)
    void AddRow(const CallRecord& record);
    // Frees every row's record and deletes the rows, with the list's redrawing held meanwhile.
    void ClearRows();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnRunPaneCall(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPlay();
    afx_msg void OnEditNotes();
    afx_msg void OnDelete();
    afx_msg void OnDetails();
    afx_msg void OnSaveAs();
    afx_msg void OnSearch();
    afx_msg void OnToday();
    afx_msg void OnThisWeek();
    afx_msg void OnThisMonth();
    afx_msg void OnStopSearch();
    afx_msg void OnExportExcel();
    afx_msg void OnClear();
    afx_msg void OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    static unsigned __stdcall SearchThread(void* pane);
    static unsigned __stdcall CallRecordExcelThread(void* start);
    void RunSearch();

    // Whether the pane's channel mask and time-of-day window let the record in.
    bool Admits(const CallRecord& record) const;
    // Deletes the row and frees its record.
    void DeleteRecordRow(int row);
    // The first selected row from the top, or -1.
    int SelectedRow() const;
    // Fills the search-results pane and shows it when this is another pane.
    void SearchInResultsPane(const SearchSettings& settings);

    int m_category = 3;
    CImageList m_toolBarImages;
    CToolBar m_toolBar;
    CPaneSearchThread m_searchThread{L"CallRecordSearchThread"};
    CallRecordStore m_store;  // the search thread's; only that thread opens and closes it
    SearchSettings m_search;
    CRecCallView* m_searchPane = this;
    std::function<void()> m_showSearchResults;
    CExcelExport m_excelExport{CallRecordExcelThread};
    CReportCtrl m_list;
    CLabel m_label;
};
