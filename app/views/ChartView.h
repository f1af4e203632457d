#pragma once
// CChartView: the statistics pane (template IDD_CHART_VIEW). For a range of days and a set of channels, a thread of
// the pane counts the calls of each kind in the daily CDR databases and adds up their recorded seconds, day by day
// and channel by channel; the list shows one row per present channel and a totals row, with the running totals as
// each day is counted. Counting needs the operator's statistics right; a running count can be stopped.
//
// Created, shown and destroyed by the right view on the UI thread. The counting thread changes the list and the
// status bar only through messages that the UI thread carries out.

#include "storage/CallRecordStore.h"
#include "views/DayRange.h"
#include "views/ExcelExport.h"
#include "views/PaneSearchThread.h"

#include "mfc.h"

#include <array>
#include <cstdint>

class CChartView : public CDialog {
public:
    // The counters of one channel, in the order of their columns' meaning.
    enum Counter {
        kIncomingCalls,
        kIncomingSeconds,
        kOutgoingCalls,
        kOutgoingSeconds,
        kMissedCalls,
        kVoiceCalls,
        kVoiceSeconds,
        kAutoAnsweredCalls,
        kAutoAnsweredSeconds,
        kAllCalls,
        kAllSeconds,
        kCounterCount
    };
    using ChannelSet = std::array<uint8_t, 512>;

    CChartView();

    CListCtrl& List() { return m_list; }
    CExcelExport& ExcelExport() { return m_excelExport; }

    // Checks the right and the channel set (a message box when either is missing), then empties the list, writes a
    // row per chosen present channel and the totals row, and starts counting. Nothing happens while a count runs.
    void StartCount(const ChannelSet& channels, const DayRange& days);
    bool IsCounting() const { return m_countThread.IsRunning(); }
    // The quick range at now over every present channel.
    void QuickCount(QuickRange range, const SYSTEMTIME& now);
    // Ends a running count: its store stops at once and the thread is waited for up to a bound; it closes its store
    // itself. The list keeps the counts reached.
    void StopCount();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnRunPaneCall(WPARAM wParam, LPARAM lParam);
    afx_msg void OnChartCondition();
    afx_msg void OnChartToday();
    afx_msg void OnChartThisWeek();
    afx_msg void OnChartThisMonth();
    afx_msg void OnStopChart();
    afx_msg void OnExportExcel();
    afx_msg void OnClear();
    DECLARE_MESSAGE_MAP()

private:
    using Counters = std::array<int, kCounterCount>;

    static unsigned __stdcall CountThread(void* pane);
    static unsigned __stdcall ExcelExportThread(void* start);
    void RunCount();
    // Adds one day of the channel's calls to its counters.
    void CountDay(int channel);
    // Writes the channel's non-zero counters into its row, and the sums into the totals row (UI thread).
    void ShowCounts(int channel);
    void AppendRow(const CString& first, int icon, DWORD_PTR data);
    void SetCounterCells(int row, const Counters& counters);
    void ShowStatus(const CString& text);

    CPaneSearchThread m_countThread{L"ChartStatisticsThread"};
    CallRecordStore m_store;  // the counting thread's
    ChannelSet m_channels{};
    std::array<Counters, 512> m_counters{};
    DayRange m_days;
    CImageList m_toolBarImages;
    CToolBar m_toolBar;
    CExcelExport m_excelExport{ExcelExportThread};
    CListCtrl m_list;
};
