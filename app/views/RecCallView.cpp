#include "views/RecCallView.h"

#include "MainFrameResource.h"
#include "PanesResource.h"
#include "ServiceView.h"
#include "common/AppIcons.h"
#include "common/LabelFont.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "common/Prompts.h"
#include "common/SysLogNow.h"
#include "engine/RecordingNames.h"
#include "settings/Folders.h"
#include "settings/LangText.h"
#include "settings/Settings.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "views/ListPane.h"
#include "views/PaneToolBar.h"
#include "views/SearchDBInfoDlg.h"
#include "views/ViewIndex.h"

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

constexpr PaneColumn kColumns[] = {{L"0066", 100}, {L"0067", 180}, {L"0069", 150}, {L"0068", 150}, {L"0070", 150},
                                   {L"0071", 150}, {L"0367", 150}, {L"0072", 150}, {L"0073", 180}, {L"0074", 500}};

constexpr int kToolImageSize = 24;

constexpr const wchar_t* kToolBitmaps[] = {L"play.bmp",       L"editfile.bmp", L"delete-file.bmp", L"saveas.bmp",
                                           L"searchfile.bmp", L"excel.bmp",    L"Moreinfor.bmp",   L"quicksearch.bmp",
                                           L"clear.bmp",      L"STOPTASK.bmp"};

constexpr ToolBarButton kToolButtons[] = {
    {0, ID_RECORD_PLAY, L"0060"},        {1, ID_RECORD_EDIT, L"0061"},    {2, ID_RECORD_DELETE, L"0062"},
    {6, ID_RECORD_DETAILS, L"0293"},     {3, ID_RECORD_SAVE_AS, L"0063"}, {4, ID_RECORD_SEARCH, L"0064"},
    {7, ID_RECORD_TODAY, L"0307"},       {7, ID_RECORD_WEEK, L"0308"},    {7, ID_RECORD_MONTH, L"0309"},
    {9, ID_RECORD_STOP_SEARCH, L"0417"}, {5, ID_RECORD_EXPORT, L"0065"},  {8, ID_RECORD_CLEAR, L"0339"},
};

// A list of more than kRowLimit rows loses its kRowTrim oldest before the next row.
constexpr int kRowLimit = 10000;
constexpr int kRowTrim = 500;

constexpr int kSysLogCopied = 2;
constexpr int kSysLogDeleted = 3;
constexpr const wchar_t* kOperatorKey = L"0186";

int CategoryIcon(int category) {
    return category == kViewSearchResults ? kIconSearchFiles : category;  // 3 to 8 name their own icons
}

struct CallTypeLook {
    const wchar_t* TextKey;
    int Icon;
};

// By CallType 1 to 8.
constexpr CallTypeLook kCallTypeLooks[] = {
    {L"0235", kIconInbound},    {L"0234", kIconOutbound}, {L"0236", kIconMissed}, {L"0238", kIconVoiceCalls},
    {L"0237", kIconAutoAnswer}, {L"5078", kIconMissed},   {L"5079", kIconMissed}, {L"5080", kIconMissed}};

const CallTypeLook* LookOf(int callType) {
    return callType >= 1 && callType <= static_cast<int>(std::size(kCallTypeLooks)) ? &kCallTypeLooks[callType - 1]
                                                                                    : nullptr;
}

int SecondOfDay(WORD hour, WORD minute, WORD second) {
    return (hour * 60 + minute) * 60 + second;
}

bool IsSameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

// Runs work on the record's day database: today's store when it stands for that day, else a store of its own on
// the day's file.
void UseDayStore(const CallRecord& record, const std::function<void(CallRecordStore&)>& work) {
    if (UseTodayCallStore(record.StartTime, work))
        return;
    CallRecordStore store;
    if (store.Open(CdrDayFile(record.StartTime).c_str()))
        work(store);
    store.Close();
}

SysLogRow OperatorRow(int event) {
    SysLogRow row{};
    row.SysLog_Cmd = event;
    FormatToField(row.Name, L"%ls %ls", LangText(kOperatorKey).c_str(), CurrentOperator.UserName);
    return row;
}

}  // namespace

std::wstring QuickSearchQuery(int category, QuickRange range) {
    switch (category) {
        case kViewOutgoingCalls:
            return range == QuickRange::ThisWeek ? L"select * from Rec_Table where (CallType=2 or CallType=7 ) "
                                                 : L"select * from Rec_Table where (CallType=2 or CallType=7) ";
        case kViewIncomingCalls:
            return L"select * from Rec_Table where (CallType=1 or CallType=6) ";
        case kViewMissedCalls:
            return range == QuickRange::Today
                       ? L"select * from Rec_Table where (CallType=3 or CallType=8 or CallType=6 or CallType=7)"
                       : L"select * from Rec_Table where (CallType=3 or CallType=7 or CallType=6 or CallType=8)";
        case kViewAutoAnswered:
            return L"select * from Rec_Table where CallType=5";
        case kViewVoiceRecordings:
            return L"select * from Rec_Table where CallType=4";
        default:
            return L"select * from Rec_Table";
    }
}

void AddCallRecordRow(const CallRecord* record, CRecCallView* pane) {
    if (!record || !pane || !pane->GetSafeHwnd())
        return;
    // The whole insertion, trim included, is one message on the pane's thread, so the operator's deletes, sorts and
    // double-clicks never come between its steps.
    RunOnPaneThread(*pane, [record, pane] { pane->AddRow(*record); });
}

BEGIN_MESSAGE_MAP(CRecCallView, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_RUN_PANE_CALL, OnRunPaneCall)
    ON_COMMAND(ID_RECORD_PLAY, OnPlay)
    ON_COMMAND(ID_RECORD_EDIT, OnEditNotes)
    ON_COMMAND(ID_RECORD_DELETE, OnDelete)
    ON_COMMAND(ID_RECORD_DETAILS, OnDetails)
    ON_COMMAND(ID_RECORD_SAVE_AS, OnSaveAs)
    ON_COMMAND(ID_RECORD_SEARCH, OnSearch)
    ON_COMMAND(ID_RECORD_TODAY, OnToday)
    ON_COMMAND(ID_RECORD_WEEK, OnThisWeek)
    ON_COMMAND(ID_RECORD_MONTH, OnThisMonth)
    ON_COMMAND(ID_RECORD_STOP_SEARCH, OnStopSearch)
    ON_COMMAND(ID_RECORD_EXPORT, OnExportExcel)
    ON_COMMAND(ID_RECORD_CLEAR, OnClear)
    ON_NOTIFY(NM_DBLCLK, IDC_RECORD_LIST, OnListDoubleClick)
END_MESSAGE_MAP()

CRecCallView::CRecCallView() : CDialog(IDD_REC_CALL_VIEW) {
    const SYSTEMTIME now = LocalNow();
    m_search.Days = {now, now};
    m_search.TimeFrom = now;
    m_search.TimeTo = now;
    m_search.Channels.fill(1);
}

void CRecCallView::SetSearchPane(CRecCallView* searchPane, std::function<void()> showSearchResults) {
    m_searchPane = searchPane;
    m_showSearchResults = std::move(showSearchResults);
}

void CRecCallView::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RECORD_LIST, m_list);
    DDX_Control(pDX, IDC_RECORD_LABEL, m_label);
}

BOOL CRecCallView::OnInitDialog() {
    CDialog::OnInitDialog();
    SetUpPaneList(m_list, kColumns);
    CreateImageToolBar(this, m_toolBar, m_toolBarImages, kToolImageSize, kToolBitmaps, kToolButtons,
                       ToolBarSecondImages::Disabled);
    m_label.SetTransparent(TRUE).SetFontBold(TRUE).SetFont(SharedLabelFont()).SetTextColor(RGB(0, 0, 255));
    m_label.ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CRecCallView::PreTranslateMessage(MSG* pMsg) {
    return OnPaneKeyFilter(pMsg) || CDialog::PreTranslateMessage(pMsg);
}

void CRecCallView::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    LayoutListPane(m_toolBar, m_list, cx, cy);
}

void CRecCallView::OnDestroy() {
    StopSearch();
    ClearRows();
    CDialog::OnDestroy();
    m_toolBarImages.DeleteImageList();
}

// ---- Rows

const CallRecord* CRecCallView::RowRecord(int row) const {
    return reinterpret_cast<const CallRecord*>(m_list.GetRowData(row));
}

bool CRecCallView::Admits(const CallRecord& record) const {
    if (record.Channel < 0 || record.Channel >= static_cast<int>(m_search.Channels.size()) ||
        m_search.Channels[record.Channel] == 0)
        return false;
    if (!m_search.UseTimeWindow)
        return true;
    // The window lies on the record's own date, from hh:mm:00 of its start to hh:mm:59 of its end.
    const int at = SecondOfDay(record.StartTime.wHour, record.StartTime.wMinute, record.StartTime.wSecond);
    return at >= SecondOfDay(m_search.TimeFrom.wHour, m_search.TimeFrom.wMinute, 0) &&
           at <= SecondOfDay(m_search.TimeTo.wHour, m_search.TimeTo.wMinute, 59);
}

void CRecCallView::AddRow(const CallRecord& record) {
    if (!Admits(record))
        return;
    if (m_list.GetItemCount() > kRowLimit) {
        for (int i = 0; i < kRowTrim; ++i)
            DeleteRecordRow(0);
    }

    const int count = m_list.GetItemCount();
    CString number;
    number.Format(L"%d", count + 1);
    const int row = m_list.InsertItemWithData(count, number, CategoryIcon(m_category));
    if (row < 0)
        return;
    if (const CallTypeLook* look = LookOf(record.CallType))
        m_list.SetItem(row, 2, LVIF_TEXT | LVIF_IMAGE, LangText(look->TextKey).c_str(), look->Icon, 0, 0, 0);
    CString text;
    m_list.SetItemText(row, 1, PaneDateTimeText(record.StartTime));
    m_list.SetItemText(row, 3, std::wstring(FieldText(record.PhoneNumber)).c_str());
    m_list.SetItemText(row, 4, std::wstring(FieldText(record.PhoneName)).c_str());
    text.Format(L"%02d:%02d:%02d", record.RecTime / 3600, record.RecTime % 3600 / 60, record.RecTime % 60);
    m_list.SetItemText(row, 5, text);
    text.Format(L"%d", record.RingCnt);
    m_list.SetItemText(row, 6, text);
    text.Format(L"%03d", record.Channel + 1);
    m_list.SetItemText(row, 7, text);
    text.Format(L"%s %s", std::wstring(FieldText(record.ChannelName)).c_str(),
                std::wstring(FieldText(record.ChannelPhone)).c_str());
    m_list.SetItemText(row, 8, text);
    m_list.SetItemText(row, 9, std::wstring(FieldText(record.FilePath)).c_str());

    // The row owns its copy until DeleteRecordRow or ClearRows; without memory it stays a row without a record.
    std::unique_ptr<CallRecord> copy(new (std::nothrow) CallRecord{});
    if (copy) {
        *copy = record;
        if (m_list.SetRowData(row, reinterpret_cast<DWORD_PTR>(copy.get())))
            copy.release();
    }
}

LRESULT CRecCallView::OnRunPaneCall(WPARAM, LPARAM lParam) {
    return RunPaneCall(lParam);
}

void CRecCallView::DeleteRecordRow(int row) {
    delete RowRecord(row);
    m_list.SetRowData(row, 0);
    m_list.DeleteItem(row);
}

void CRecCallView::ClearRows() {
    if (!m_list.GetSafeHwnd())
        return;
    m_list.SetRedraw(FALSE);
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        delete RowRecord(row);
        m_list.SetRowData(row, 0);
    }
    m_list.DeleteAllItems();
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
}

int CRecCallView::SelectedRow() const {
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

// ---- Searches

void CRecCallView::StartSearch(const SearchSettings& settings) {
    // A search that has ended still holds its handle until the next one starts.
    m_searchThread.Stop();
    ClearRows();
    m_search = settings;
    m_searchThread.Start(&CRecCallView::SearchThread, this);
}

void CRecCallView::StopSearch() {
    m_store.RequestStop();
    m_searchThread.Stop();
}

unsigned __stdcall CRecCallView::SearchThread(void* pane) {
    static_cast<CRecCallView*>(pane)->RunSearch();
    return 0;
}

void CRecCallView::RunSearch() {
    CSearchDBInfoDlg& progress = TheSearchDBInfoDlg();
    const bool showProgress = progress.GetSafeHwnd() != nullptr;
    if (showProgress) {
        progress.Progress().SetRange32(0, std::max(WholeDayCount(m_search.Days), 0));
        progress.Progress().SetPos(0);
    }
    m_store.ClearStop();
    int done = 0;
    m_searchThread.ForEachDay(m_search.Days, [&](const SYSTEMTIME& day) {
        if (showProgress) {
            CString text;
            text.Format(L"%04d-%02d-%02d", day.wYear, day.wMonth, day.wDay);
            progress.SetDlgItemText(IDC_SEARCH_DAY, text);
            progress.ShowWindow(SW_SHOW);
        }
        // Today's file is read through its working copy; another day's missing file is made empty.
        if (m_store.OpenForSearch(day, CdrWorkingCopy::Search))
            m_store.ForEachRecord([this](const CallRecord& record) { AddCallRecordRow(&record, this); },
                                  m_search.Query.c_str());
        m_store.Close();
        if (showProgress)
            progress.Progress().SetPos(++done);
    });
    if (showProgress) {
        progress.Progress().SetPos(0);
        progress.ShowWindow(SW_HIDE);
    }
    m_searchThread.Finish();
}

void CRecCallView::SearchInResultsPane(const SearchSettings& settings) {
    if (!m_searchPane)
        return;
    m_searchPane->StartSearch(settings);
    if (m_searchPane != this && m_showSearchResults)
        m_showSearchResults();
}

void CRecCallView::QuickSearch(QuickRange range, const SYSTEMTIME& now) {
    if (!m_searchPane || m_searchPane->IsSearching())
        return;
    SearchSettings settings;
    settings.Days = QuickRangeAt(range, now);
    settings.TimeFrom = now;
    settings.TimeTo = now;
    settings.UseTimeWindow = false;
    settings.Query = QuickSearchQuery(m_category, range);
    settings.Channels.fill(1);
    SearchInResultsPane(settings);
}

void CRecCallView::OnToday() {
    QuickSearch(QuickRange::Today, LocalNow());
}

void CRecCallView::OnThisWeek() {
    QuickSearch(QuickRange::ThisWeek, LocalNow());
}

void CRecCallView::OnThisMonth() {
    QuickSearch(QuickRange::ThisMonth, LocalNow());
}

void CRecCallView::OnSearch() {
    if (!m_searchPane || m_searchPane->IsSearching())
        return;
    RecordSearchQuery form{};
    if (OperatorDialogs().RecordSearch.Run(this, m_category, form) != IDOK)
        return;
    SearchSettings settings;
    settings.Days = {form.FromDate, form.ToDate};
    settings.TimeFrom = form.FromTime;
    settings.TimeTo = form.ToTime;
    settings.UseTimeWindow = form.UseTimeWindow != 0;
    settings.Query = form.Query;
    std::copy(form.Channels.begin(), form.Channels.end(), settings.Channels.begin());
    SearchInResultsPane(settings);
}

void CRecCallView::OnStopSearch() {
    if (MessageBox(LangText(L"0418").c_str(), LangText(L"0417").c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (m_searchPane)
        m_searchPane->StopSearch();
}

// ---- Commands on the selected rows

void CRecCallView::OnPlay() {
    const int row = SelectedRow();
    if (const CallRecord* record = row >= 0 ? RowRecord(row) : nullptr)
        Prompts().OpenFile(nullptr, record->FilePath);
}

void CRecCallView::OnListDoubleClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    // Nothing opens from the list while nobody is logged in (the window can be shown from the tray).
    if (OperatorLoggedIn)
        OnPlay();
}

void CRecCallView::OnEditNotes() {
    const int row = SelectedRow();
    auto* record = const_cast<CallRecord*>(row >= 0 ? RowRecord(row) : nullptr);
    if (!record)
        return;
    std::wstring notes(FieldText(record->CallNotes));
    if (OperatorDialogs().Notes.Run(this, notes) != IDOK)
        return;
    CopyToField(record->CallNotes, notes.c_str());
    UseDayStore(*record, [record](CallRecordStore& store) { store.UpdateNotes(record->FilePath, record->CallNotes); });
}

void CRecCallView::OnDetails() {
    const int row = SelectedRow();
    if (const CallRecord* record = row >= 0 ? RowRecord(row) : nullptr)
        OperatorDialogs().RecordDetails.Run(this, *record);
}

void CRecCallView::OnDelete() {
    if (SelectedRow() < 0)
        return;
    if (MessageBox(LangText(L"0245").c_str(), LangText(L"0139").c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // Rows without a record are passed over: the walk goes on after them.
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0;) {
        const CallRecord* record = RowRecord(row);
        if (!record) {
            row = m_list.GetNextItem(row, LVNI_SELECTED);
            continue;
        }
        if (!CurrentOperator.bDelete) {
            MessageBox(LangText(L"0346").c_str(), LangText(L"0347").c_str(), MB_OK | MB_ICONWARNING);
            return;
        }
        SysLogRow logRow = OperatorRow(kSysLogDeleted);
        FormatToField(logRow.Notes, L"%ls %ls", record->PhoneName, record->FilePath);
        WriteSysLogNow(logRow);
        UseDayStore(*record, [record](CallRecordStore& store) { store.DeleteByPath(record->FilePath); });
        DeleteRecordRow(row);
        row = m_list.GetNextItem(-1, LVNI_SELECTED);
    }
}

void CRecCallView::OnSaveAs() {
    if (SelectedRow() < 0)
        return;
    std::wstring folder;
    if (!Prompts().BrowseForFolder(&folder, ReadSettingString(L"Settings", L"SaveAs").c_str()))
        return;
    WriteSettingString(L"Settings", L"SaveAs", folder.c_str());

    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = m_list.GetNextItem(row, LVNI_SELECTED)) {
        auto* record = const_cast<CallRecord*>(RowRecord(row));
        if (!record)
            continue;
        SysLogRow logRow = OperatorRow(kSysLogCopied);
        CopyToField(logRow.Notes, record->FilePath);
        WriteSysLogNow(logRow);

        std::wstring dir = ReadSettingString(L"Settings", L"SaveAs");
        if (dir.empty())
            dir = L"C:\\";
        if (record->ChannelName[0] == L'\0')
            FormatToField(record->ChannelName, L"CH%03d", record->Channel + 1);
        // A channel name can be set by a client: it must not lead the copy out of the chosen folder.
        std::wstring channel = SanitizeNamePart(FieldText(record->ChannelName));
        if (channel.find_first_not_of(L'.') == std::wstring::npos)  // "." and ".." name no folder of their own
            std::replace(channel.begin(), channel.end(), L'.', L'_');
        CString channelFolder;
        channelFolder.Format(L"%s%s\\", dir.c_str(), channel.c_str());
        CString dayFolder;
        dayFolder.Format(L"%s%04d%02d%02d\\", channelFolder.GetString(), record->StartTime.wYear,
                         record->StartTime.wMonth, record->StartTime.wDay);
        ::CreateDirectoryW(channelFolder, nullptr);
        ::CreateDirectoryW(dayFolder, nullptr);
        const wchar_t* slash = wcsrchr(record->FilePath, L'\\');
        const CString target = dayFolder + (slash ? slash + 1 : record->FilePath);
        ::CopyFileW(record->FilePath, target, TRUE);  // an existing copy stays
    }
}

unsigned __stdcall CRecCallView::CallRecordExcelThread(void* start) {
    return ExportListToExcel(start, 10);
}

void CRecCallView::OnExportExcel() {
    m_excelExport.Start(m_list);
}

void CRecCallView::OnClear() {
    ClearRows();
}
