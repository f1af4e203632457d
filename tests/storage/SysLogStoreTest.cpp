#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/SysLogStore.h"

#include "StorageTestSupport.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

SysLogRow MakeRow(int code, const SYSTEMTIME& time, const wchar_t* name, const wchar_t* notes) {
    SysLogRow row{};
    row.SysLog_Cmd = code;
    CopyToField(row.Name, name);
    CopyToField(row.Notes, notes);
    row.Time = time;
    return row;
}

std::vector<SysLogRow> ReadDay(const SYSTEMTIME& day) {
    std::vector<SysLogRow> rows;
    SysLogStore store;
    if (store.Open(SysLogDayFile(day).c_str()))
        store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow& row) { rows.push_back(row); });
    return rows;
}

}  // namespace

TEST(SysLogStore, TextKeysOfTheEventCodes) {
    const struct {
        int code;
        const wchar_t* key;
    } cases[] = {
        {kSysLogProgramStarted, L"0136"},
        {6, L"0142"},
        {kSysLogClientPasswordChanged, L"0158"},
        {27, L"0163"},
        {kSysLogDiskCleanup, L"0386"},
        {kSysLogCdrInsertFailed, L"5085"},
        {kSysLogHourlyStatus, L"5086"},
        {31, nullptr},
        {-1, nullptr},
    };
    for (const auto& row : cases) {
        const wchar_t* key = SysLogTextKey(row.code);
        EXPECT_EQ(row.key ? std::wstring(row.key) : L"<none>", key ? std::wstring(key) : L"<none>") << row.code;
    }
}

TEST(SysLogStore, FirstEventOfADayMakesTheMonthFolderAndTheFile) {
    TestFolder folder;
    const SYSTEMTIME time = LocalTime(2024, 12, 31, 23, 59, 59);
    ASSERT_FALSE(FileExists(MonthFolder(time)));

    std::wstring notes(249, L'n');
    notes.front() = L'\'';
    const SysLogRow row = MakeRow(31, time, L"O'Neil", notes.c_str());  // code 31 is stored, though never shown
    WriteSysLogRow(row);
    EXPECT_TRUE(FileExists(folder.DataFolder() + L"\\202412\\SysLog20241231.db"));

    const std::vector<SysLogRow> rows = ReadDay(time);
    ASSERT_EQ(1u, rows.size());
    SysLogRow expected = row;
    expected.Time.wDayOfWeek = 2;  // a Tuesday, as the read-back computes it
    EXPECT_EQ(0, std::memcmp(&expected, &rows[0], sizeof(SysLogRow)));
    EXPECT_EQ(249u, std::wstring(rows[0].Notes).size());
}

TEST(SysLogStore, EventsGoToTheFileOfTheirOwnDay) {
    TestFolder folder;
    WriteSysLogRow(MakeRow(kSysLogHourlyStatus, LocalTime(2024, 12, 31, 23, 59, 59), L"", L"before midnight"));
    WriteSysLogRow(MakeRow(kSysLogHourlyStatus, LocalTime(2025, 1, 1, 0, 0, 1), L"", L"after midnight"));
    WriteSysLogRow(MakeRow(kSysLogProgramExited, LocalTime(2025, 1, 1, 0, 0, 2), L"", L"exit"));

    const std::vector<SysLogRow> lastYear = ReadDay(LocalTime(2024, 12, 31));
    const std::vector<SysLogRow> newYear = ReadDay(LocalTime(2025, 1, 1));
    ASSERT_EQ(1u, lastYear.size());
    EXPECT_STREQ(L"before midnight", lastYear[0].Notes);
    ASSERT_EQ(2u, newYear.size());
    EXPECT_STREQ(L"after midnight", newYear[0].Notes);
    EXPECT_EQ(kSysLogProgramExited, newYear[1].SysLog_Cmd);
}

TEST(SysLogStore, EventsOfNowCutTheirTexts) {
    TestFolder folder;
    const std::wstring longName(40, L'u');
    WriteSysLogEvent(kSysLogClientLogin, longName.c_str(), nullptr);

    SYSTEMTIME today;
    GetLocalTime(&today);
    const std::vector<SysLogRow> rows = ReadDay(today);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(kSysLogClientLogin, rows[0].SysLog_Cmd);
    EXPECT_EQ(std::wstring(31, L'u'), rows[0].Name);
    EXPECT_STREQ(L"", rows[0].Notes);
}

TEST(SysLogStore, SearchesAnswerFalseWithoutRows) {
    TestFolder folder;
    const SYSTEMTIME day = LocalTime(2024, 6, 1, 10);
    WriteSysLogRow(MakeRow(kSysLogLineError, day, L"Line 1", L""));

    SysLogStore store;
    const auto ignore = [](const SysLogRow&) {};
    EXPECT_FALSE(store.ForEachRow(L"select * from SysLog_Table", ignore));  // not open
    ASSERT_TRUE(store.Open(SysLogDayFile(day).c_str()));
    EXPECT_TRUE(store.ForEachRow(L"select * from SysLog_Table where(SysLog_Date >=0 and SysLog_Cmd = 9)", ignore));
    EXPECT_FALSE(store.ForEachRow(L"select * from SysLog_Table where SysLog_Cmd = 1", ignore));
    EXPECT_FALSE(store.ForEachRow(L"select * from Missing_Table", ignore));
    EXPECT_FALSE(store.ForEachRow(nullptr, ignore));
    EXPECT_FALSE(store.ForEachRow(L"select * from SysLog_Table", nullptr));
    EXPECT_TRUE(store.Close());
}

TEST(SysLogStore, StopEndsTheSearchBeforeItsNextRowUntilCleared) {
    TestFolder folder;
    const SYSTEMTIME day = LocalTime(2024, 6, 1, 10);
    for (int i = 0; i < 5; ++i)
        WriteSysLogRow(MakeRow(kSysLogLineError, day, L"Line 1", L""));

    SysLogStore store;
    ASSERT_TRUE(store.Open(SysLogDayFile(day).c_str()));
    int rows = 0;
    store.RequestStop();  // raised before the search: not lost
    EXPECT_FALSE(store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow&) { ++rows; }));
    EXPECT_EQ(0, rows);

    store.ClearStop();
    EXPECT_TRUE(store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow&) {
        if (++rows == 2)
            std::thread([&] { store.RequestStop(); }).join();
    }));
    EXPECT_EQ(2, rows);
    EXPECT_TRUE(store.Close());
}
