// The call-record panes: the quick ranges and their queries, the rows the filters let in and their trim, rows
// added from a worker while the operator works on the list, the searches over daily databases, and the commands on
// the selected rows (delete, copy to a folder, notes, play).

#include "views/RecCallView.h"

#include "LocalTime.h"
#include "PanesResource.h"
#include "TestMainFrame.h"
#include "ViewsTestSupport.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "common/Prompts.h"
#include "settings/Settings.h"
#include "storage/OleDate.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"
#include "views/LeftView.h"
#include "views/ViewIndex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

CallRecord MakeRecord(int channel, int callType, const SYSTEMTIME& start, const std::wstring& path) {
    CallRecord record{};
    record.Channel = channel;
    record.CallType = callType;
    record.StartTime = start;
    record.RecTime = 3725;
    record.RingCnt = 2;
    CopyToField(record.FilePath, path.c_str());
    CopyToField(record.PhoneNumber, L"555");
    CopyToField(record.PhoneName, L"Ann");
    CopyToField(record.ChannelName, L"Desk");
    CopyToField(record.ChannelPhone, L"100");
    return record;
}

SYSTEMTIME AddDays(const SYSTEMTIME& day, int days) {
    return FromOleDate(ToOleDate(day) + days);
}

std::wstring Date(const SYSTEMTIME& day) {
    CString text;
    text.Format(L"%04d-%02d-%02d", day.wYear, day.wMonth, day.wDay);
    return text.GetString();
}

void StoreRecords(const SYSTEMTIME& day, std::vector<CallRecord> records) {
    CreateMonthFolder(day);
    CallRecordStore store;
    ASSERT_TRUE(store.Open(CdrDayFile(day).c_str()));
    for (CallRecord& record : records)
        ASSERT_TRUE(store.Insert(record));
    store.Close();
}

bool StoredAt(const SYSTEMTIME& day, const wchar_t* path, CallRecord* found = nullptr) {
    CallRecordStore store;
    CallRecord record{};
    const bool stored = store.Open(CdrDayFile(day).c_str()) && store.FindByPath(path, record);
    store.Close();
    if (found)
        *found = record;
    return stored;
}

std::vector<SysLogRow> TodaysSysLog() {
    std::vector<SysLogRow> rows;
    SysLogStore store;
    if (store.Open(SysLogDayFile(Today()).c_str()))
        store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow& row) { rows.push_back(row); });
    store.Close();
    return rows;
}

void SelectRows(CReportCtrl& list, std::initializer_list<int> rows) {
    list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row : rows)
        list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

void Command(CWnd& pane, UINT id) {
    pane.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

}  // namespace

TEST(RecCallView, QuickRangesStartOnTheMondayOrTheFirstAndQueriesFollowThePressedPane) {
    struct RangeCase {
        SYSTEMTIME Now;
        QuickRange Range;
        SYSTEMTIME From;
        int Days;
    };
    const RangeCase ranges[] = {
        {LocalTime(2026, 12, 13, 10, 5, 7), QuickRange::ThisWeek, LocalTime(2026, 12, 7), 6},  // a Sunday
        {LocalTime(2026, 12, 7, 10, 5, 7), QuickRange::ThisWeek, LocalTime(2026, 12, 7), 0},   // a Monday
        {LocalTime(2026, 12, 1, 10, 5, 7), QuickRange::ThisMonth, LocalTime(2026, 12, 1), 0},  // the first
        {LocalTime(2026, 3, 2, 0, 0, 0), QuickRange::ThisWeek, LocalTime(2026, 3, 2), 0},
        {LocalTime(2026, 3, 1, 9, 0, 0), QuickRange::ThisWeek, LocalTime(2026, 2, 23), 6},  // back over a month
        {LocalTime(2026, 12, 11, 3, 0, 0), QuickRange::Today, LocalTime(2026, 12, 11), 0},
        {LocalTime(2026, 12, 11, 3, 0, 0), QuickRange::ThisMonth, LocalTime(2026, 12, 1), 10},
    };
    for (RangeCase c : ranges) {
        c.Now = FromOleDate(ToOleDate(c.Now));  // with its day of the week
        const DayRange range = QuickRangeAt(c.Range, c.Now);
        EXPECT_EQ(Date(c.From), Date(range.From)) << Date(c.Now);
        EXPECT_EQ(Date(c.Now), Date(range.To));
        EXPECT_EQ(c.Days, WholeDayCount(range)) << Date(c.Now);
        int visited = 0;
        ForEachDay(range, [&](const SYSTEMTIME& day) {
            EXPECT_EQ(Date(AddDays(c.From, visited)), Date(day));
            EXPECT_EQ(1, day.wSecond);
            return ++visited < 100;
        });
        EXPECT_EQ(c.Days + 1, visited) << Date(c.Now);
    }
    int visited = 0;
    ForEachDay({LocalTime(2026, 12, 2), LocalTime(2026, 12, 1)}, [&](const SYSTEMTIME&) { return ++visited > 0; });
    EXPECT_EQ(0, visited);  // from after to reads no day

    struct QueryCase {
        int Category;
        QuickRange Range;
        const wchar_t* Query;
    };
    const QueryCase queries[] = {
        {kViewAllRecordings, QuickRange::Today, L"select * from Rec_Table"},
        {kViewSearchResults, QuickRange::ThisMonth, L"select * from Rec_Table"},
        {kViewOutgoingCalls, QuickRange::Today, L"select * from Rec_Table where (CallType=2 or CallType=7) "},
        {kViewOutgoingCalls, QuickRange::ThisWeek, L"select * from Rec_Table where (CallType=2 or CallType=7 ) "},
        {kViewIncomingCalls, QuickRange::ThisMonth, L"select * from Rec_Table where (CallType=1 or CallType=6) "},
        {kViewMissedCalls, QuickRange::Today,
         L"select * from Rec_Table where (CallType=3 or CallType=8 or CallType=6 or CallType=7)"},
        {kViewMissedCalls, QuickRange::ThisWeek,
         L"select * from Rec_Table where (CallType=3 or CallType=7 or CallType=6 or CallType=8)"},
        {kViewAutoAnswered, QuickRange::Today, L"select * from Rec_Table where CallType=5"},
        {kViewVoiceRecordings, QuickRange::Today, L"select * from Rec_Table where CallType=4"},
    };
    for (const QueryCase& c : queries)
        EXPECT_EQ(c.Query, QuickSearchQuery(c.Category, c.Range)) << c.Category;
}

TEST(RecCallView, RowsSearchesAndCommandsOfThePanes) {
    TestFolder folder;
    PrepareEchoLanguage(folder);
    CopyImages(folder);
    EnsureAppIcons();
    OperatorDialogs() = {};
    CWinApp app(L"test");
    CTestMainFrame* frame = CreateTestMainFrame(app, 1000, 500);
    ASSERT_TRUE(frame);
    CRightView& right = *frame->Right();
    CRecCallView& outgoing = *right.RecCallView(kViewOutgoingCalls);
    CRecCallView& results = *right.RecCallView(kViewSearchResults);
    CReportCtrl& list = outgoing.List();
    const HWND hList = list.GetSafeHwnd();
    const SYSTEMTIME today = Today();
    const SYSTEMTIME at = LocalTime(today.wYear, today.wMonth, today.wDay, 9, 30, 59);

    // ---- A pane never shown files its live rows with the all-calls icon; once shown, with its own.
    CallRecord record = MakeRecord(4, 2, at, L"C:\\rec\\a.wav");
    AddCallRecordRow(&record, &outgoing);
    ASSERT_EQ(1, RowCount(hList));
    EXPECT_EQ(kIconAllRec, RowImage(hList, 0, 0));
    EXPECT_EQ(L"1", CellText(hList, 0, 0));
    EXPECT_EQ(L"T0234", CellText(hList, 0, 2));
    EXPECT_EQ(kIconOutbound, RowImage(hList, 0, 2));
    EXPECT_EQ(L"555", CellText(hList, 0, 3));
    EXPECT_EQ(L"Ann", CellText(hList, 0, 4));
    EXPECT_EQ(L"01:02:05", CellText(hList, 0, 5));
    EXPECT_EQ(L"2", CellText(hList, 0, 6));
    EXPECT_EQ(L"005", CellText(hList, 0, 7));
    EXPECT_EQ(L"Desk 100", CellText(hList, 0, 8));
    EXPECT_EQ(L"C:\\rec\\a.wav", CellText(hList, 0, 9));
    ASSERT_TRUE(outgoing.RowRecord(0));
    EXPECT_STREQ(L"C:\\rec\\a.wav", outgoing.RowRecord(0)->FilePath);
    frame->SendMessage(WM_SHOWVIEW, kViewOutgoingCalls);
    EXPECT_EQ(kViewOutgoingCalls, outgoing.Category());
    record.CallType = 9;  // no kind: column 2 stays empty
    AddCallRecordRow(&record, &outgoing);
    EXPECT_EQ(kIconOutbound, RowImage(hList, 1, 0));
    EXPECT_EQ(L"2", CellText(hList, 1, 0));
    EXPECT_EQ(L"", CellText(hList, 1, 2));
    outgoing.ClearRows();

    // ---- The filters of the search-results pane: channels and the time-of-day window on the record's date.
    struct FilterCase {
        int Channel;
        uint8_t MaskByte;
        bool Window;
        SYSTEMTIME From;
        SYSTEMTIME To;
        bool Shown;
    };
    const SYSTEMTIME nine30 = LocalTime(2020, 1, 1, 9, 30);
    const SYSTEMTIME nine29 = LocalTime(2020, 1, 1, 9, 29);
    const FilterCase filters[] = {
        {511, 1, false, nine30, nine30, true},
        {512, 1, false, nine30, nine30, false},
        {4, 0, false, nine30, nine30, false},
        {4, 1, true, nine30, nine30, true},  // 09:30:59 is inside
        {4, 1, true, nine29, nine29, false},
        {4, 1, true, nine30, nine29, false},  // end before start
        {4, 1, true, LocalTime(2020, 1, 1, 9, 31), LocalTime(2020, 1, 1, 23, 59), false},
    };
    for (const FilterCase& c : filters) {
        CRecCallView::SearchSettings settings = results.Search();
        settings.Channels.fill(1);
        settings.Channels[4] = c.MaskByte;
        settings.UseTimeWindow = c.Window;
        settings.TimeFrom = c.From;
        settings.TimeTo = c.To;
        settings.Days = {LocalTime(2000, 1, 2), LocalTime(2000, 1, 1)};  // reads no day
        results.StartSearch(settings);
        ASSERT_TRUE(PumpUntil([&] { return !results.IsSearching(); }));
        CallRecord filtered = MakeRecord(c.Channel, 1, at, L"C:\\rec\\f.wav");
        AddCallRecordRow(&filtered, &results);
        EXPECT_EQ(c.Shown ? 1 : 0, RowCount(results.List().GetSafeHwnd())) << c.Channel << " " << c.From.wMinute;
    }

    // ---- A worker fills a pane while the operator deletes, sorts and plays rows: every row keeps the record its
    // texts show.
    OperatorLoggedIn = 1;
    std::vector<std::wstring> played;
    Prompts().OpenFile = [&](CWnd*, const wchar_t* path) {
        played.push_back(path);
        return true;
    };
    constexpr int kAdded = 3000;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        for (int i = 0; i < kAdded; ++i) {
            CallRecord row = MakeRecord(i % 8, 1 + i % 8, at, L"C:\\rec\\" + std::to_wstring(i) + L".wav");
            AddCallRecordRow(&row, &outgoing);
        }
        done = true;
    });
    int deleted = 0;
    int sorts = 0;
    int round = 0;
    PumpUntil(
        [&] {
            ++round;
            if (list.GetItemCount() > 10 && round % 29 == 0 && played.size() < 40) {
                SelectRows(list, {3});
                NMITEMACTIVATE click{{hList, IDC_RECORD_LIST, NM_DBLCLK}, 3};
                outgoing.SendMessage(WM_NOTIFY, IDC_RECORD_LIST, reinterpret_cast<LPARAM>(&click));
                EXPECT_EQ(CellText(hList, 3, 9), played.back());
            }
            if (list.GetItemCount() > 10 && round % 31 == 0 && deleted < 40) {
                list.DeleteItem(1);  // the operator's delete of a row, as the list does it
                ++deleted;
            }
            if (round % 97 == 0 && sorts < 4) {
                list.SortColumn(sorts % 2 ? 3 : 9, sorts % 3 == 0);
                ++sorts;
            }
            return done.load();
        },
        120000);
    worker.join();
    ASSERT_TRUE(done);
    EXPECT_GT(deleted, 0);
    EXPECT_FALSE(played.empty());
    int rows = RowCount(hList);
    EXPECT_EQ(kAdded - deleted, rows);
    int mismatched = 0;
    for (int row = 0; row < rows; ++row) {
        const CallRecord* copy = outgoing.RowRecord(row);
        mismatched += !copy || CellText(hList, row, 9) != copy->FilePath;
    }
    EXPECT_EQ(0, mismatched);

    // ---- Past 10000 rows the 500 oldest go before the next row.
    outgoing.ClearRows();
    for (int i = 0; i <= 10000; ++i) {
        CallRecord row = MakeRecord(1, 1, at, L"C:\\rec\\" + std::to_wstring(i) + L".wav");
        outgoing.AddRow(row);
    }
    EXPECT_EQ(10001, RowCount(hList));
    CallRecord last = MakeRecord(1, 1, at, L"C:\\rec\\last.wav");
    AddCallRecordRow(&last, &outgoing);
    rows = RowCount(hList);
    ASSERT_EQ(9502, rows);
    EXPECT_EQ(L"C:\\rec\\500.wav", CellText(hList, 0, 9));
    EXPECT_EQ(L"9502", CellText(hList, rows - 1, 0));  // numbered by the rows there were
    EXPECT_STREQ(L"C:\\rec\\last.wav", outgoing.RowRecord(rows - 1)->FilePath);
    OperatorLoggedIn = 0;
    played.clear();
    SelectRows(list, {0});
    NMITEMACTIVATE click{{hList, IDC_RECORD_LIST, NM_DBLCLK}, 0};
    outgoing.SendMessage(WM_NOTIFY, IDC_RECORD_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_TRUE(played.empty());  // logged out: a double-click plays nothing
    Command(outgoing, ID_RECORD_CLEAR);
    EXPECT_EQ(0, RowCount(hList));

    // ---- Searches over three days up to today: a stored day, a day without a database, and today's copy.
    const SYSTEMTIME twoDaysAgo = AddDays(today, -2);
    const SYSTEMTIME yesterday = AddDays(today, -1);
    StoreRecords(twoDaysAgo, {MakeRecord(1, 2, twoDaysAgo, L"C:\\rec\\old-out.wav"),
                              MakeRecord(1, 1, twoDaysAgo, L"C:\\rec\\old-in.wav")});
    StoreRecords(today, {MakeRecord(2, 2, at, L"C:\\rec\\today-out.wav"), MakeRecord(2, 7, at, L"C:\\rec\\spy.wav")});
    ::DeleteFileW(CdrDayFile(yesterday).c_str());
    CRecCallView::SearchSettings settings = results.Search();
    settings.Days = {twoDaysAgo, today};
    settings.Query = L"select * from Rec_Table";
    settings.UseTimeWindow = false;
    settings.Channels.fill(1);
    results.StartSearch(settings);
    ASSERT_TRUE(PumpUntil([&] { return !results.IsSearching(); }));
    const HWND hResults = results.List().GetSafeHwnd();
    ASSERT_EQ(4, RowCount(hResults));
    EXPECT_EQ(L"C:\\rec\\old-out.wav", CellText(hResults, 0, 9));
    EXPECT_EQ(L"C:\\rec\\spy.wav", CellText(hResults, 3, 9));
    EXPECT_EQ(kIconAllRec, RowImage(hResults, 0, 0));  // the pane has not been shown yet
    EXPECT_TRUE(std::filesystem::exists(CdrCopyFile(today, CdrWorkingCopy::Search)));
    EXPECT_TRUE(std::filesystem::exists(CdrDayFile(yesterday)));  // made empty

    // Pressed on the outgoing pane: its query fills the search-results pane, which is shown with its tree item.
    frame->SendMessage(WM_SHOWVIEW, kViewOutgoingCalls);
    outgoing.QuickSearch(QuickRange::Today, LocalTime(today.wYear, today.wMonth, today.wDay, 23, 0));
    ASSERT_TRUE(PumpUntil([&] { return !results.IsSearching(); }));
    ASSERT_EQ(2, RowCount(hResults));  // CallType 2 and 7
    EXPECT_TRUE(results.IsWindowVisible());
    EXPECT_FALSE(outgoing.IsWindowVisible());
    CTreeCtrl& tree = frame->m_view.GetLeftView()->NavigationTree();
    int marked = 0;
    std::function<void(HTREEITEM)> walk = [&](HTREEITEM item) {
        for (; item; item = tree.GetNextSiblingItem(item)) {
            if (tree.GetItemState(item, TVIS_SELECTED) & TVIS_SELECTED) {
                EXPECT_EQ(kViewSearchResults, static_cast<int>(tree.GetItemData(item)));
                ++marked;
            }
            walk(tree.GetChildItem(item));
        }
    };
    walk(tree.GetRootItem());
    EXPECT_EQ(1, marked);
    AddCallRecordRow(&record, &results);  // shown now: its own icon
    EXPECT_EQ(kIconSearchFiles, RowImage(hResults, 2, 0));

    // A stop in the middle of a long range ends the search by itself, the rows found so far kept.
    settings.Days = {AddDays(today, -400), today};
    results.StartSearch(settings);
    results.StopSearch();
    EXPECT_FALSE(results.IsSearching());
    for (int i = 0; i < 20; ++i) {
        results.StartSearch(settings);
        results.StopSearch();
        ASSERT_FALSE(results.IsSearching());
    }

    // ---- Delete: refused without the right, else logged first and gone from the day's database.
    results.ClearRows();
    TodayCallStore().Open(CdrDayFile(today).c_str());
    TodayCallStore().SetDate(today);
    CallRecord old = MakeRecord(1, 2, twoDaysAgo, L"C:\\rec\\old-out.wav");
    CallRecord live = MakeRecord(2, 2, at, L"C:\\rec\\today-out.wav");
    AddCallRecordRow(&old, &results);
    AddCallRecordRow(&live, &results);
    CurrentOperator = {};
    CopyToField(CurrentOperator.UserName, L"boss");
    SelectRows(results.List(), {0, 1});
    {
        MessageBoxAnswerer confirm(L"T0139", IDYES);
        MessageBoxAnswerer refuse(L"T0347", IDOK);
        Command(results, ID_RECORD_DELETE);
        EXPECT_TRUE(confirm.Answered());
        EXPECT_TRUE(refuse.Answered());
    }
    EXPECT_EQ(2, RowCount(hResults));
    EXPECT_TRUE(TodaysSysLog().empty());
    CurrentOperator.bDelete = 1;
    {
        MessageBoxAnswerer confirm(L"T0139", IDYES);
        Command(results, ID_RECORD_DELETE);
        EXPECT_TRUE(confirm.Answered());
    }
    EXPECT_EQ(0, RowCount(hResults));
    EXPECT_FALSE(StoredAt(twoDaysAgo, L"C:\\rec\\old-out.wav"));
    EXPECT_TRUE(StoredAt(twoDaysAgo, L"C:\\rec\\old-in.wav"));
    EXPECT_FALSE(StoredAt(today, L"C:\\rec\\today-out.wav"));
    const std::vector<SysLogRow> logged = TodaysSysLog();
    ASSERT_EQ(2u, logged.size());
    EXPECT_EQ(3, logged[0].SysLog_Cmd);
    EXPECT_STREQ(L"T0186 boss", logged[0].Name);
    EXPECT_STREQ(L"Ann C:\\rec\\old-out.wav", logged[0].Notes);

    // ---- Notes go to the record's own day: today's open store or the day's file.
    AddCallRecordRow(&old, &results);  // the row is gone from the file: bring both back
    StoreRecords(twoDaysAgo, {old});
    CallRecord spy = MakeRecord(2, 7, at, L"C:\\rec\\spy.wav");
    AddCallRecordRow(&spy, &results);
    OperatorDialogs().Notes.Register([](CWnd*, std::wstring& notes) {
        notes = L"edited " + notes;
        return IDOK;
    });
    for (int row : {0, 1}) {
        SelectRows(results.List(), {row});
        Command(results, ID_RECORD_EDIT);
    }
    CallRecord found{};
    ASSERT_TRUE(StoredAt(twoDaysAgo, L"C:\\rec\\old-out.wav", &found));
    EXPECT_STREQ(L"edited ", found.CallNotes);
    ASSERT_TRUE(StoredAt(today, L"C:\\rec\\spy.wav", &found));
    EXPECT_STREQ(L"edited ", found.CallNotes);
    EXPECT_STREQ(L"edited ", results.RowRecord(1)->CallNotes);
    TodayCallStore().Close();

    // ---- Copies into the chosen folder: by channel name (or "CH%03d"), never out of it, never over a copy.
    const std::wstring source = folder.DataFolder() + L"\\call.wav";
    WriteUtf16File(source, L"first");
    const std::wstring target = folder.DataFolder() + L"\\copies\\";
    ::CreateDirectoryW(target.c_str(), nullptr);
    Prompts().BrowseForFolder = [&](std::wstring* chosen, const wchar_t*) {
        *chosen = target;
        return 1;
    };
    results.ClearRows();
    CallRecord unnamed = MakeRecord(4, 1, LocalTime(2026, 3, 4, 5, 6, 7), source);
    unnamed.ChannelName[0] = L'\0';
    CallRecord escaping = unnamed;
    CopyToField(escaping.ChannelName, L"..\\..\\x");
    CallRecord dots = unnamed;
    CopyToField(dots.ChannelName, L"..");
    for (CallRecord* r : {&unnamed, &escaping, &dots})
        AddCallRecordRow(r, &results);
    SelectRows(results.List(), {0, 1, 2});
    Command(results, ID_RECORD_SAVE_AS);
    EXPECT_EQ(target, ReadSettingString(L"Settings", L"SaveAs"));
    EXPECT_TRUE(std::filesystem::exists(target + L"CH005\\20260304\\call.wav"));
    EXPECT_TRUE(std::filesystem::exists(target + L".._.._x\\20260304\\call.wav"));
    EXPECT_TRUE(std::filesystem::exists(target + L"__\\20260304\\call.wav"));
    EXPECT_FALSE(std::filesystem::exists(folder.DataFolder() + L"\\x"));
    EXPECT_STREQ(L"CH005", results.RowRecord(0)->ChannelName);
    EXPECT_EQ(L" 100", CellText(hResults, 0, 8));  // the column keeps its text
    WriteUtf16File(source, L"second");
    SelectRows(results.List(), {0});
    Command(results, ID_RECORD_SAVE_AS);
    EXPECT_EQ(std::filesystem::file_size(source) - 2,  // "second" is one character longer than "first"
              std::filesystem::file_size(target + L"CH005\\20260304\\call.wav"));

    frame->SendMessage(WM_SHOWVIEW, kViewSearchResults);
    SaveScreenshot(frame->GetSafeHwnd(), L"Z:\\tmp\\panes-records.png");
    Prompts() = ShellPrompts();
    OperatorDialogs() = {};
    CurrentOperator = {};
    OperatorLoggedIn = 0;
    frame->DestroyWindow();
}
