#pragma once
// CSysLogView: the system-log pane (template IDD_SYSLOG_VIEW). It never fills itself: the operator's search (a date
// range and a group of events) or quick search (today, this week, this month) empties the list and reads every
// day's system-log database of the range on a thread of the pane, appending its rows. The toolbar also clears the
// list.
//
// Created, shown and destroyed by the right view on the UI thread. AddSysLogRow may be called from any thread: each
// row is inserted as one message on the pane's thread.

#include "records/StorageRecords.h"
#include "storage/SysLogStore.h"
#include "views/DayRange.h"
#include "views/ExcelExport.h"
#include "views/PaneSearchThread.h"

#include "mfc.h"

#include <string>

class CSysLogView;

// Appends the row at the end of the pane's list: its date and time, name, event and notes. Any thread.
void AddSysLogRow(const SysLogRow* row, CSysLogView* pane);

// The query of the search form's event group (0 all, 1 program start and exit, 2 to 5 codes 2, 3, 29 and 30).
std::wstring SysLogGroupQuery(int group);

// The query of the quick searches: every row of each day.
constexpr const wchar_t* kSysLogAllRowsQuery = L"select * from SysLog_Table where(SysLog_Date >=0)";

// The event column of a code: its text key and icon; a null key for a code that is not shown.
struct SysLogEventLook {
    const wchar_t* TextKey;
    int Icon;
};
SysLogEventLook SysLogEventLookOf(int code);

class CSysLogView : public CDialog {
public:
    CSysLogView();

    CListCtrl& List() { return m_list; }
    CExcelExport& ExcelExport() { return m_excelExport; }

    // Empties the list and reads the days of the range with the query on the pane's thread. Nothing happens while a
    // search runs.
    void StartSearch(const DayRange& days, const std::wstring& query);
    bool IsSearching() const { return m_searchThread.IsRunning(); }
    void QuickSearch(QuickRange range, const SYSTEMTIME& now);

    // UI thread.
    void AddRow(const SysLogRow& row);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnRunPaneCall(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSearch();
    afx_msg void OnToday();
    afx_msg void OnThisWeek();
    afx_msg void OnThisMonth();
    afx_msg void OnExportExcel();
    afx_msg void OnClear();
    DECLARE_MESSAGE_MAP()

private:
    static unsigned __stdcall SearchThread(void* pane);
    static unsigned __stdcall SysLogExcelThread(void* start);
    void RunSearch();

    std::wstring m_query;
    CImageList m_toolBarImages;
    CToolBar m_toolBar;
    DayRange m_days;
    CPaneSearchThread m_searchThread{L"SysLogSearchThread"};
    SysLogStore m_store;  // the search thread's
    CExcelExport m_excelExport{SysLogExcelThread};
    CListCtrl m_list;
};
