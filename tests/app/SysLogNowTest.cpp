#include "common/SysLogNow.h"

#include "storage/StoragePaths.h"
#include "storage/SysLogStore.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SYSTEMTIME Now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

ULONGLONG Ticks(const SYSTEMTIME& time) {
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    return (static_cast<ULONGLONG>(file.dwHighDateTime) << 32 | file.dwLowDateTime) / 10000;  // ms
}

TEST(WriteSysLogNow, StampsTheRowWithNowAndWritesItIntoTodaysFile) {
    TestFolder folder;
    SysLogRow row = MakeSysLogEvent(kSysLogContactAdded, L"Anna", L"added");
    row.Time = {};
    row.Time.wYear = 2001;  // a stale time is replaced
    row.Time.wMonth = 1;
    row.Time.wDay = 1;

    const SYSTEMTIME before = Now();
    WriteSysLogNow(row);
    const SYSTEMTIME after = Now();

    SysLogStore store;
    ASSERT_TRUE(store.Open(SysLogDayFile(before).c_str()));
    std::vector<SysLogRow> rows;
    store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow& read) { rows.push_back(read); });
    store.Close();
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(kSysLogContactAdded, rows[0].SysLog_Cmd);
    EXPECT_EQ(std::wstring(L"Anna"), rows[0].Name);
    EXPECT_EQ(std::wstring(L"added"), rows[0].Notes);
    // The stored date keeps whole seconds or better.
    EXPECT_GE(Ticks(rows[0].Time) + 1000, Ticks(before));
    EXPECT_LE(Ticks(rows[0].Time), Ticks(after) + 1000);
}

}  // namespace
