#include "views/ChartView.h"

#include "PanesResource.h"
#include "channels/ChannelTable.h"
#include "common/AppIcons.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "engine/CardEngineState.h"
#include "settings/LangText.h"
#include "storage/StoragePaths.h"
#include "views/ListPane.h"
#include "views/PaneToolBar.h"

#include <algorithm>

namespace {

constexpr PaneColumn kColumns[] = {{L"0084", 100}, {L"0099", 100}, {L"0100", 100}, {L"0085", 220}, {L"0086", 150},
                                   {L"0087", 150}, {L"0088", 150}, {L"0089", 150}, {L"0090", 120}, {L"0091", 150},
                                   {L"0092", 150}, {L"0093", 150}, {L"0094", 150}, {L"0095", 150}, {L"0096", 150}};

constexpr int kToolImageSize = 24;
constexpr const wchar_t* kToolBitmaps[] = {L"chart.bmp", L"excel.bmp", L"quicksearch.bmp", L"clear.bmp",
                                           L"STOPTASK.bmp"};
constexpr ToolBarButton kToolButtons[] = {
    {0, ID_CHART_CONDITION, L"0097"}, {2, ID_CHART_TODAY, L"0307"}, {2, ID_CHART_WEEK, L"0308"},
    {2, ID_CHART_MONTH, L"0309"},     {4, ID_CHART_STOP, L"0419"},  {1, ID_CHART_EXPORT, L"0098"},
    {3, ID_CHART_CLEAR, L"0339"},
};

struct CounterColumn {
    int Column;
    bool Seconds;  // shown as hh:mm:ss
};

// By CChartView::Counter.
constexpr CounterColumn kCounterColumns[] = {{6, false}, {7, true},  {4, false}, {5, true},   {8, false}, {11, false},
                                             {12, true}, {9, false}, {10, true}, {13, false}, {14, true}};

// The status bar's pane of the count's progress.
constexpr int kStatusPane = 4;

constexpr const wchar_t* kCallsOfTwoKinds =
    L"select COUNT(*) from Rec_Table where ((CallType = ?1 or CallType = ?2) and Channel = ?3)";
constexpr const wchar_t* kSecondsOfTwoKinds =
    L"select sum(RecTime) AS TotalValue from Rec_Table where ((CallType = ?1 or CallType = ?2) and Channel = ?3)";
constexpr const wchar_t* kMissedCallsQuery =
    L"select COUNT(*) from Rec_Table where ((CallType = ?1 or CallType = ?2 or "
    L"CallType = ?3 or CallType = ?4) and Channel = ?5)";
constexpr const wchar_t* kCallsOfKind = L"select COUNT(*) from Rec_Table where (CallType = ?1 and Channel = ?2)";
constexpr const wchar_t* kSecondsOfKind =
    L"select sum(RecTime) AS TotalValue from Rec_Table where (CallType = ?1 and Channel = ?2)";

CString CounterText(int value, bool seconds) {
    CString text;
    if (seconds)
        text.Format(L"%02d:%02d:%02d", value / 3600, value % 3600 / 60, value % 60);
    else
        text.Format(L"%d", value);
    return text;
}

int CountedChannels() {
    return std::clamp(EngineState.ChannelCount, 0, kMaxChannels);
}

}  // namespace

BEGIN_MESSAGE_MAP(CChartView, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_RUN_PANE_CALL, OnRunPaneCall)
    ON_COMMAND(ID_CHART_CONDITION, OnChartCondition)
    ON_COMMAND(ID_CHART_TODAY, OnChartToday)
    ON_COMMAND(ID_CHART_WEEK, OnChartThisWeek)
    ON_COMMAND(ID_CHART_MONTH, OnChartThisMonth)
    ON_COMMAND(ID_CHART_STOP, OnStopChart)
    ON_COMMAND(ID_CHART_EXPORT, OnExportExcel)
    ON_COMMAND(ID_CHART_CLEAR, OnClear)
END_MESSAGE_MAP()

CChartView::CChartView() : CDialog(IDD_CHART_VIEW) {
    const SYSTEMTIME now = LocalNow();
    m_days = {now, now};
}

void CChartView::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CHART_LIST, m_list);
}

BOOL CChartView::OnInitDialog() {
    CDialog::OnInitDialog();
    SetUpPaneList(m_list, kColumns);
    CreateImageToolBar(this, m_toolBar, m_toolBarImages, kToolImageSize, kToolBitmaps, kToolButtons,
                       ToolBarSecondImages::Disabled);
    return TRUE;
}

BOOL CChartView::PreTranslateMessage(MSG* pMsg) {
    return OnPaneKeyFilter(pMsg) || CDialog::PreTranslateMessage(pMsg);
}

void CChartView::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    LayoutListPane(m_toolBar, m_list, cx, cy);
}

void CChartView::OnDestroy() {
    StopCount();
    CDialog::OnDestroy();
    m_toolBarImages.DeleteImageList();
}

LRESULT CChartView::OnRunPaneCall(WPARAM, LPARAM lParam) {
    return RunPaneCall(lParam);
}

// ---- Starting and stopping

void CChartView::StartCount(const ChannelSet& channels, const DayRange& days) {
    if (!CurrentOperator.bChart) {
        MessageBox(LangText(L"0348").c_str(), LangText(L"0349").c_str(), MB_OK | MB_ICONWARNING);
        return;
    }
    if (IsCounting())
        return;
    if (std::find(channels.begin(), channels.end(), 1) == channels.end()) {
        MessageBox(LangText(L"0220").c_str(), LangText(L"0221").c_str(), MB_OK | MB_ICONERROR);
        return;
    }
    // A count that has ended still holds its handle until the next one starts.
    m_countThread.Stop();
    m_channels = channels;
    m_days = days;
    m_list.DeleteAllItems();
    CString range;
    range.Format(L"%04d-%02d-%02d--%04d-%02d-%02d", days.From.wYear, days.From.wMonth, days.From.wDay, days.To.wYear,
                 days.To.wMonth, days.To.wDay);
    for (int channel = 0; channel < kMaxChannels; ++channel) {
        m_counters[channel] = {};
        if (m_channels[channel] != 1 || !ChannelTable[channel].Present)
            continue;
        CString number;
        number.Format(L"%d", channel + 1);
        AppendRow(number, kIconChart, static_cast<DWORD_PTR>(channel));
        const int row = m_list.GetItemCount() - 1;
        m_list.SetItemText(row, 1, ChannelTable[channel].Name);
        m_list.SetItemText(row, 2, ChannelTable[channel].Phone);
        m_list.SetItemText(row, 3, range);
    }
    AppendRow(LangText(L"0306").c_str(), -1, 0);
    m_countThread.Start(&CChartView::CountThread, this);
}

void CChartView::AppendRow(const CString& first, int icon, DWORD_PTR data) {
    const int row = m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, m_list.GetItemCount(), first, 0, 0, icon,
                                      static_cast<LPARAM>(data));
    if (row >= 0)
        SetCounterCells(row, Counters{});
}

void CChartView::SetCounterCells(int row, const Counters& counters) {
    for (int i = 0; i < kCounterCount; ++i)
        m_list.SetItemText(row, kCounterColumns[i].Column, CounterText(counters[i], kCounterColumns[i].Seconds));
}

void CChartView::QuickCount(QuickRange range, const SYSTEMTIME& now) {
    ChannelSet channels{};
    for (int channel = 0; channel < kMaxChannels; ++channel)
        channels[channel] = ChannelTable[channel].Present ? 1 : 0;
    StartCount(channels, QuickRangeAt(range, now));
}

void CChartView::StopCount() {
    m_store.RequestStop();
    m_countThread.Stop();
}

void CChartView::OnChartCondition() {
    if (!CurrentOperator.bChart) {
        MessageBox(LangText(L"0348").c_str(), LangText(L"0349").c_str(), MB_OK | MB_ICONWARNING);
        return;
    }
    if (IsCounting())
        return;
    ChartSearchQuery form{};
    if (OperatorDialogs().ChartSearch.Run(this, form) != IDOK)
        return;
    ChannelSet channels{};
    std::copy(form.Channels.begin(), form.Channels.end(), channels.begin());
    StartCount(channels, {form.FromDate, form.ToDate});
}

void CChartView::OnChartToday() {
    QuickCount(QuickRange::Today, LocalNow());
}

void CChartView::OnChartThisWeek() {
    QuickCount(QuickRange::ThisWeek, LocalNow());
}

void CChartView::OnChartThisMonth() {
    QuickCount(QuickRange::ThisMonth, LocalNow());
}

void CChartView::OnStopChart() {
    if (MessageBox(LangText(L"0420").c_str(), LangText(L"0419").c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    StopCount();
}

unsigned __stdcall CChartView::ExcelExportThread(void* start) {
    return ExportListToExcel(start, 15);
}

void CChartView::OnExportExcel() {
    m_excelExport.Start(m_list);
}

void CChartView::OnClear() {
    m_list.DeleteAllItems();
}

// ---- Counting

void CChartView::ShowStatus(const CString& text) {
    CWnd* frame = AfxGetMainWnd();
    if (HWND bar = frame ? ::GetDlgItem(frame->GetSafeHwnd(), AFX_IDW_STATUS_BAR) : nullptr)
        ::SendMessageW(bar, SB_SETTEXTW, kStatusPane, reinterpret_cast<LPARAM>(text.GetString()));
}

unsigned __stdcall CChartView::CountThread(void* pane) {
    static_cast<CChartView*>(pane)->RunCount();
    return 0;
}

void CChartView::RunCount() {
    const int channels = CountedChannels();
    m_countThread.ForEachDay(m_days, [&](const SYSTEMTIME& day) {
        m_store.ClearStop();
        // Today's file is read through its working copy; another day's missing file is made empty.
        m_store.OpenForSearch(day, CdrWorkingCopy::Chart);
        CString status;
        status.Format(L"%s %04d-%02d-%02d", LangText(L"0397").c_str(), day.wYear, day.wMonth, day.wDay);
        for (int channel = 0; channel < channels; ++channel) {
            if (m_channels[channel] != 1)
                continue;
            if (m_countThread.StopRequested())
                break;
            RunOnPaneThread(*this, [this, &status] { ShowStatus(status); });
            CountDay(channel);
            RunOnPaneThread(*this, [this, channel] { ShowCounts(channel); });
        }
        m_store.Close();
    });
    RunOnPaneThread(*this, [this] { ShowStatus(LangText(L"0398").c_str()); });
    m_countThread.Finish();
}

void CChartView::CountDay(int channel) {
    Counters& c = m_counters[channel];
    c[kIncomingCalls] += m_store.QueryCount(kCallsOfTwoKinds, {1, 6, channel});
    c[kIncomingSeconds] += m_store.QuerySum(kSecondsOfTwoKinds, {1, 6, channel});
    c[kOutgoingCalls] += m_store.QueryCount(kCallsOfTwoKinds, {2, 7, channel});
    c[kOutgoingSeconds] += m_store.QuerySum(kSecondsOfTwoKinds, {2, 7, channel});
    // Spy calls (6 and 7) are counted among the missed calls as well as in their direction.
    c[kMissedCalls] += m_store.QueryCount(kMissedCallsQuery, {3, 8, 6, 7, channel});
    c[kVoiceCalls] += m_store.QueryCount(kCallsOfKind, {4, channel});
    c[kVoiceSeconds] += m_store.QuerySum(kSecondsOfKind, {4, channel});
    c[kAutoAnsweredCalls] += m_store.QueryCount(kCallsOfKind, {5, channel});
    c[kAutoAnsweredSeconds] += m_store.QuerySum(kSecondsOfKind, {5, channel});
    c[kAllCalls] = c[kIncomingCalls] + c[kOutgoingCalls] + c[kMissedCalls] + c[kVoiceCalls] + c[kAutoAnsweredCalls];
    c[kAllSeconds] = c[kIncomingSeconds] + c[kOutgoingSeconds] + c[kVoiceSeconds] + c[kAutoAnsweredSeconds];
}

void CChartView::ShowCounts(int channel) {
    const int rows = m_list.GetItemCount();
    if (rows == 0)
        return;  // cleared while counting
    for (int row = 0; row < rows - 1; ++row) {
        if (static_cast<int>(m_list.GetItemData(row)) != channel)
            continue;
        const Counters& counters = m_counters[channel];
        if (counters[kAllCalls] != 0)
            m_list.SetItem(row, 0, LVIF_IMAGE, nullptr, kIconForward, 0, 0, 0);
        for (int i = 0; i < kCounterCount; ++i) {
            if (counters[i] != 0)
                m_list.SetItemText(row, kCounterColumns[i].Column,
                                   CounterText(counters[i], kCounterColumns[i].Seconds));
        }
        break;
    }
    Counters totals{};
    for (int c = 0; c < CountedChannels(); ++c) {
        if (m_channels[c] != 1)
            continue;
        for (int i = 0; i < kCounterCount; ++i)
            totals[i] += m_counters[c][i];
    }
    for (int i = 0; i < kCounterCount; ++i) {
        if (totals[i] != 0)
            m_list.SetItemText(rows - 1, kCounterColumns[i].Column, CounterText(totals[i], kCounterColumns[i].Seconds));
    }
}
