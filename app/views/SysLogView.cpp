#include "views/SysLogView.h"

#include "PanesResource.h"
#include "common/AppIcons.h"
#include "common/OperatorDialogs.h"
#include "settings/LangText.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "views/ListPane.h"
#include "views/PaneToolBar.h"

namespace {

constexpr PaneColumn kColumns[] = {{L"0130", 180}, {L"0131", 120}, {L"0132", 150}, {L"0133", 500}};

constexpr int kToolImageSize = 24;

constexpr const wchar_t* kToolBitmaps[] = {L"searchfile.bmp", L"excel.bmp", L"Settings.bmp", L"quicksearch.bmp",
                                           L"clear.bmp"};

constexpr ToolBarButton kToolButtons[] = {
    {0, ID_SYSLOG_SEARCH, L"0134"}, {3, ID_SYSLOG_TODAY, L"0307"},  {3, ID_SYSLOG_WEEK, L"0308"},
    {3, ID_SYSLOG_MONTH, L"0309"},  {1, ID_SYSLOG_EXPORT, L"0135"}, {4, ID_SYSLOG_CLEAR, L"0339"},
};

// The events shown with the red lock; the others of 0 to 30 carry the tick.
constexpr int kWarningEvents[] = {0, 1, 2, 3, 5, 9, 14, 15, 18, 21, 22, 25, 28, 29};

}  // namespace

SysLogEventLook SysLogEventLookOf(int code) {
    const wchar_t* key = SysLogTextKey(code);
    if (!key)
        return {nullptr, -1};
    for (int warning : kWarningEvents) {
        if (warning == code)
            return {key, kIconLockRed};
    }
    return {key, kIconOk};
}

std::wstring SysLogGroupQuery(int group) {
    // The date condition lets every row of a day in: the range is the choice of day files.
    switch (group) {
        case 1:
            return L"select * from SysLog_Table where(SysLog_Date >=0.000000 and (SysLog_Cmd = 0 or SysLog_Cmd =1)  )";
        case 2:
            return L"select * from SysLog_Table where(SysLog_Date >=0.000000 and SysLog_Cmd = 2  )";
        case 3:
            return L"select * from SysLog_Table where(SysLog_Date >=0.000000 and SysLog_Cmd = 3  )";
        case 4:
            return L"select * from SysLog_Table where(SysLog_Date >=0.000000 and SysLog_Cmd = 29  )";
        case 5:
            return L"select * from SysLog_Table where(SysLog_Date >=0.000000 and SysLog_Cmd = 30  )";
        default:
            return L"select * from SysLog_Table where(SysLog_Date >=0.000000  )";
    }
}

void AddSysLogRow(const SysLogRow* row, CSysLogView* pane) {
    if (row && pane)
        RunOnPaneThread(*pane, [row, pane] { pane->AddRow(*row); });
}

BEGIN_MESSAGE_MAP(CSysLogView, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_RUN_PANE_CALL, OnRunPaneCall)
    ON_COMMAND(ID_SYSLOG_SEARCH, OnSearch)
    ON_COMMAND(ID_SYSLOG_TODAY, OnToday)
    ON_COMMAND(ID_SYSLOG_WEEK, OnThisWeek)
    ON_COMMAND(ID_SYSLOG_MONTH, OnThisMonth)
    ON_COMMAND(ID_SYSLOG_EXPORT, OnExportExcel)
    ON_COMMAND(ID_SYSLOG_CLEAR, OnClear)
END_MESSAGE_MAP()

CSysLogView::CSysLogView() : CDialog(IDD_SYSLOG_VIEW) {
    const SYSTEMTIME now = LocalNow();
    m_days = {now, now};
}

void CSysLogView::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SYSLOG_LIST, m_list);
}

BOOL CSysLogView::OnInitDialog() {
    CDialog::OnInitDialog();
    SetUpPaneList(m_list, kColumns);
    CreateImageToolBar(this, m_toolBar, m_toolBarImages, kToolImageSize, kToolBitmaps, kToolButtons,
                       ToolBarSecondImages::Disabled);
    return TRUE;
}

BOOL CSysLogView::PreTranslateMessage(MSG* pMsg) {
    return OnPaneKeyFilter(pMsg) || CDialog::PreTranslateMessage(pMsg);
}

void CSysLogView::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    LayoutListPane(m_toolBar, m_list, cx, cy);
}

void CSysLogView::OnDestroy() {
    m_store.RequestStop();
    m_searchThread.Stop();
    CDialog::OnDestroy();
    m_toolBarImages.DeleteImageList();
}

LRESULT CSysLogView::OnRunPaneCall(WPARAM, LPARAM lParam) {
    return RunPaneCall(lParam);
}

void CSysLogView::AddRow(const SysLogRow& row) {
    const int count = m_list.GetItemCount();
    const int item = m_list.InsertItem(count, PaneDateTimeText(row.Time), kIconSearchFile);
    if (item < 0)
        return;
    m_list.SetItemText(item, 1, std::wstring(FieldText(row.Name)).c_str());
    const SysLogEventLook look = SysLogEventLookOf(row.SysLog_Cmd);
    if (look.TextKey)
        m_list.SetItem(item, 2, LVIF_TEXT | LVIF_IMAGE, LangText(look.TextKey).c_str(), look.Icon, 0, 0, 0);
    m_list.SetItemText(item, 3, std::wstring(FieldText(row.Notes)).c_str());
}

void CSysLogView::StartSearch(const DayRange& days, const std::wstring& query) {
    if (IsSearching())
        return;
    // A search that has ended still holds its handle until the next one starts.
    m_searchThread.Stop();
    m_list.DeleteAllItems();
    m_days = days;
    m_query = query;
    m_searchThread.Start(&CSysLogView::SearchThread, this);
}

unsigned __stdcall CSysLogView::SearchThread(void* pane) {
    static_cast<CSysLogView*>(pane)->RunSearch();
    return 0;
}

void CSysLogView::RunSearch() {
    m_store.ClearStop();
    m_searchThread.ForEachDay(m_days, [&](const SYSTEMTIME& day) {
        // A day without a database gets an empty one.
        if (m_store.Open(SysLogDayFile(day).c_str()))
            m_store.ForEachRow(m_query.c_str(), [this](const SysLogRow& row) { AddSysLogRow(&row, this); });
        m_store.Close();
    });
    m_searchThread.Finish();
}

void CSysLogView::QuickSearch(QuickRange range, const SYSTEMTIME& now) {
    StartSearch(QuickRangeAt(range, now), kSysLogAllRowsQuery);
}

void CSysLogView::OnSearch() {
    if (IsSearching())
        return;
    const SYSTEMTIME now = LocalNow();
    SysLogSearchQuery form{now, now, 0};
    if (OperatorDialogs().SysLogSearch.Run(this, form) != IDOK)
        return;
    StartSearch({form.FromDate, form.ToDate}, SysLogGroupQuery(form.EventGroup));
}

void CSysLogView::OnToday() {
    QuickSearch(QuickRange::Today, LocalNow());
}

void CSysLogView::OnThisWeek() {
    QuickSearch(QuickRange::ThisWeek, LocalNow());
}

void CSysLogView::OnThisMonth() {
    QuickSearch(QuickRange::ThisMonth, LocalNow());
}

unsigned __stdcall CSysLogView::SysLogExcelThread(void* start) {
    return ExportListToExcel(start, 4);
}

void CSysLogView::OnExportExcel() {
    m_excelExport.Start(m_list);
}

void CSysLogView::OnClear() {
    m_list.DeleteAllItems();
}
