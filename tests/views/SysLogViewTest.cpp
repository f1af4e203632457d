// The system-log pane: which events each group of the search form lists, the event column's texts and icons, and
// searches over day files (a missing day made empty, a range that reads nothing, no second search while one runs).

#include "views/SysLogView.h"

#include "LocalTime.h"
#include "PanesResource.h"
#include "TestMainFrame.h"
#include "ViewsTestSupport.h"
#include "common/OperatorDialogs.h"
#include "storage/OleDate.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "views/ViewIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

SysLogRow Row(int code, const SYSTEMTIME& time, const wchar_t* notes) {
    SysLogRow row{};
    row.SysLog_Cmd = code;
    row.Time = time;
    CopyToField(row.Name, L"who");
    CopyToField(row.Notes, notes);
    return row;
}

void StoreRows(const SYSTEMTIME& day, const std::vector<SysLogRow>& rows) {
    CreateMonthFolder(day);
    SysLogStore store;
    ASSERT_TRUE(store.Open(SysLogDayFile(day).c_str()));
    for (const SysLogRow& row : rows)
        ASSERT_TRUE(store.Insert(row));
    store.Close();
}

}  // namespace

TEST(SysLogView, EventGroupsListTheirCodesAndEventsShowTheirTextAndIcon) {
    TestFolder folder;
    const SYSTEMTIME day = LocalTime(2026, 5, 6, 7, 8, 9);
    std::vector<SysLogRow> rows;
    for (int code : {0, 1, 2, 3, 5, 29, 30})
        rows.push_back(Row(code, day, L""));
    StoreRows(day, rows);
    struct GroupCase {
        int Group;
        std::vector<int> Codes;
    };
    const GroupCase groups[] = {{0, {0, 1, 2, 3, 5, 29, 30}}, {1, {0, 1}}, {2, {2}}, {3, {3}}, {4, {29}}, {5, {30}},
                                {6, {0, 1, 2, 3, 5, 29, 30}}};
    SysLogStore store;
    ASSERT_TRUE(store.Open(SysLogDayFile(day).c_str()));
    for (const GroupCase& c : groups) {
        std::vector<int> codes;
        store.ForEachRow(SysLogGroupQuery(c.Group).c_str(),
                         [&](const SysLogRow& row) { codes.push_back(row.SysLog_Cmd); });
        std::sort(codes.begin(), codes.end());
        EXPECT_EQ(c.Codes, codes) << c.Group;
    }
    std::vector<int> all;
    store.ForEachRow(kSysLogAllRowsQuery, [&](const SysLogRow& row) { all.push_back(row.SysLog_Cmd); });
    EXPECT_EQ(7u, all.size());
    store.Close();
    EXPECT_EQ(L"select * from SysLog_Table where(SysLog_Date >=0.000000 and SysLog_Cmd = 30  )", SysLogGroupQuery(5));

    struct LookCase {
        int Code;
        const wchar_t* Key;
        int Icon;
    };
    const LookCase looks[] = {{-1, nullptr, -1},           {0, L"0136", kIconLockRed}, {4, L"0140", kIconOk},
                              {14, L"0150", kIconLockRed}, {27, L"0163", kIconOk},     {28, L"0386", kIconLockRed},
                              {29, L"5085", kIconLockRed}, {30, L"5086", kIconOk},     {31, nullptr, -1}};
    for (const LookCase& c : looks) {
        const SysLogEventLook look = SysLogEventLookOf(c.Code);
        EXPECT_EQ(c.Key ? std::wstring(c.Key) : L"", look.TextKey ? std::wstring(look.TextKey) : L"") << c.Code;
        if (c.Key)
            EXPECT_EQ(c.Icon, look.Icon) << c.Code;
    }
    int warnings = 0;
    for (int code = 0; code <= 30; ++code)
        warnings += SysLogEventLookOf(code).Icon == kIconLockRed;
    EXPECT_EQ(14, warnings);
}

TEST(SysLogView, SearchesReadEveryDayOfTheRange) {
    TestFolder folder;
    PrepareEchoLanguage(folder);
    CopyImages(folder);
    EnsureAppIcons();
    OperatorDialogs() = {};
    CWinApp app(L"test");
    CTestMainFrame* frame = CreateTestMainFrame(app, 1000, 500);
    ASSERT_TRUE(frame);
    CSysLogView& pane = frame->Right()->SysLogView();
    const HWND list = pane.List().GetSafeHwnd();

    const SYSTEMTIME first = LocalTime(2026, 2, 27, 10, 0, 0);
    const SYSTEMTIME missing = LocalTime(2026, 2, 28);
    const SYSTEMTIME last = LocalTime(2026, 3, 1, 23, 59, 58);
    StoreRows(first, {Row(0, first, L"start"), Row(31, first, L"unknown")});
    StoreRows(last, {Row(30, last, L"hourly")});
    OperatorDialogs().SysLogSearch.Register([&](CWnd*, SysLogSearchQuery& form) {
        form.FromDate = LocalTime(2026, 2, 27, 23, 0, 0);
        form.ToDate = LocalTime(2026, 3, 1, 0, 0, 0);
        form.EventGroup = 0;
        return IDOK;
    });
    pane.SendMessage(WM_COMMAND, MAKEWPARAM(ID_SYSLOG_SEARCH, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntil([&] { return !pane.IsSearching(); }));
    ASSERT_EQ(3, RowCount(list));
    EXPECT_EQ(L"who", CellText(list, 0, 1));
    EXPECT_EQ(L"T0136", CellText(list, 0, 2));
    EXPECT_EQ(kIconLockRed, RowImage(list, 0, 2));
    EXPECT_EQ(kIconSearchFile, RowImage(list, 0, 0));
    EXPECT_EQ(L"start", CellText(list, 0, 3));
    EXPECT_EQ(L"", CellText(list, 1, 2));  // code 31 is not shown
    EXPECT_EQ(L"T5086", CellText(list, 2, 2));
    EXPECT_EQ(kIconOk, RowImage(list, 2, 2));
    EXPECT_TRUE(std::filesystem::exists(SysLogDayFile(missing)));

    // From after to reads nothing; every search empties the list first.
    pane.StartSearch({last, first}, kSysLogAllRowsQuery);
    ASSERT_TRUE(PumpUntil([&] { return !pane.IsSearching(); }));
    EXPECT_EQ(0, RowCount(list));

    // A search command while one runs does nothing, even after a clear.
    pane.StartSearch({LocalTime(2026, 1, 20), last}, kSysLogAllRowsQuery);
    pane.SendMessage(WM_COMMAND, MAKEWPARAM(ID_SYSLOG_CLEAR, BN_CLICKED), 0);
    pane.StartSearch({first, first}, L"select * from SysLog_Table where SysLog_Cmd = 31");
    ASSERT_TRUE(PumpUntil([&] { return !pane.IsSearching(); }, 60000));
    ASSERT_LT(0, RowCount(list));
    EXPECT_EQ(L"hourly", CellText(list, RowCount(list) - 1, 3));

    OperatorDialogs() = {};
    frame->DestroyWindow();
}
