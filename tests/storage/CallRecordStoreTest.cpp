#include "storage/CallRecordStore.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"

#include "StorageTestSupport.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

CallRecord MakeCall(const SYSTEMTIME& start, const wchar_t* filePath) {
    CallRecord record{};
    record.StartTime = start;
    CopyToField(record.FilePath, filePath);
    record.CallType = kCallIncoming;
    return record;
}

// Opens the store on today's database, with one row (first.wav) in it; today's date.
SYSTEMTIME OpenTodaysDatabase(CallRecordStore& live) {
    SYSTEMTIME today;
    GetLocalTime(&today);
    CreateMonthFolder(today);
    EXPECT_TRUE(live.Open(CdrDayFile(today).c_str()));
    CallRecord record = MakeCall(today, L"first.wav");
    EXPECT_TRUE(live.Insert(record));
    return today;
}

class CallRecordStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_store.Open(m_path.c_str())); }

    void Insert(const SYSTEMTIME& start, const wchar_t* filePath) {
        CallRecord record = MakeCall(start, filePath);
        ASSERT_TRUE(m_store.Insert(record));
    }

    // A second store on the test's file that waits only 200 ms for another connection's lock.
    std::unique_ptr<CallRecordStore> OpenImpatientStore() {
        CSqliteDB::SetDefaultBusyTimeout(200);
        auto store = std::make_unique<CallRecordStore>();
        CSqliteDB::SetDefaultBusyTimeout(kBusyTimeoutMs);
        EXPECT_TRUE(store->Open(m_path.c_str()));
        return store;
    }

    // Takes the file's write lock with a connection of its own, until the holder rolls back.
    void HoldWriteLock(CSqliteDB& holder) {
        holder.OpenFile(m_path.c_str());
        holder.ExecuteStatement(L"begin immediate");
    }

    std::vector<std::wstring> Paths(const wchar_t* sql = L"select * from Rec_Table") {
        std::vector<std::wstring> paths;
        m_store.ForEachRecord([&](const CallRecord& record) { paths.push_back(record.FilePath); }, sql);
        return paths;
    }

    TestFolder m_folder;
    std::wstring m_path = m_folder.DataFolder() + L"\\CDR20240305.db";
    CallRecordStore m_store;
};

}  // namespace

TEST_F(CallRecordStoreTest, RecordRoundTripsThroughEveryColumn) {
    CallRecord record{};
    FillField(record.ChannelName, L"chan");
    FillField(record.ChannelPhone, L"phone");
    FillField(record.PhoneNumber, L"number");
    FillField(record.PhoneName, L"pname");
    FillField(record.Extension, L"ext");
    FillField(record.ExtensionName, L"extname");
    FillField(record.SiteName, L"site");
    FillField(record.SiteNumber, L"siteno");
    FillField(record.CallNotes, L"notes");
    FillField(record.FilePath, L"C:\\rec\\file");
    FillField(record.CusAutoID, L"cus");
    FillField(record.CusNotes1, L"cusnotes1");
    FillField(record.CusNotes2, L"cusnotes2");
    FillField(record.CusAJBH, L"ajbh");
    record.Channel = 511;
    record.CallType = kCallSpyOutgoingMissed;
    record.RecTime = 1799;
    record.RingCnt = 4;
    record.CloudSave = 5;
    record.Ftp = 6;
    record.Flag = 1;
    record.StartTime = LocalTime(2024, 3, 5, 17, 59, 59);
    record.StartTime.wDayOfWeek = 2;  // a Tuesday, as the read-back computes it
    ASSERT_TRUE(m_store.Insert(record));

    std::vector<CallRecord> rows;
    EXPECT_TRUE(m_store.ForEachRecord([&](const CallRecord& row) { rows.push_back(row); }, L"select * from Rec_Table"));
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(0, std::memcmp(&record, &rows[0], sizeof(CallRecord)));

    EXPECT_EQ(L"2024-03-05 17:59:59", QueryText(m_path, L"select DateTime from Rec_Table"));
    // 5 March 2024 is day 45356 after 30 December 1899; 17:59:59 is 64799 s into it.
    EXPECT_EQ(L"1", QueryText(m_path, L"select abs(DoubleDate - (45356 + 64799.0 / 86400)) < 1e-9 from Rec_Table"));

    CallRecord found{};
    ASSERT_TRUE(m_store.FindByPath(record.FilePath, found));
    EXPECT_EQ(0, std::memcmp(&record, &found, sizeof(CallRecord)));
}

TEST_F(CallRecordStoreTest, QuotesAreStoredAsGivenExceptTheFirstOfFourNames) {
    CallRecord record = MakeCall(LocalTime(2024, 3, 5, 9), L"C:\\rec\\O'Neil's call.wav");
    CopyToField(record.ChannelName, L"a'b'c");
    CopyToField(record.ExtensionName, L"''");
    CopyToField(record.PhoneName, L"O'Neil");
    CopyToField(record.SiteName, L"x'");
    CopyToField(record.PhoneNumber, L"'%_;--");
    CopyToField(record.CallNotes, L"it's ''fine''");
    ASSERT_TRUE(m_store.Insert(record));
    // The caller's record carries the hyphens too.
    EXPECT_STREQ(L"a-b'c", record.ChannelName);
    EXPECT_STREQ(L"-'", record.ExtensionName);

    CallRecord found{};
    ASSERT_TRUE(m_store.FindByPath(L"C:\\rec\\O'Neil's call.wav", found));
    EXPECT_STREQ(L"a-b'c", found.ChannelName);
    EXPECT_STREQ(L"-'", found.ExtensionName);
    EXPECT_STREQ(L"O-Neil", found.PhoneName);
    EXPECT_STREQ(L"x-", found.SiteName);
    EXPECT_STREQ(L"'%_;--", found.PhoneNumber);
    EXPECT_STREQ(L"it's ''fine''", found.CallNotes);
}

TEST_F(CallRecordStoreTest, UpdatesAndDeletesHitTheExactPathOnly) {
    const SYSTEMTIME start = LocalTime(2024, 3, 5, 10);
    Insert(start, L"C:\\rec\\a_b.wav");
    Insert(start, L"C:\\rec\\axb.wav");
    Insert(start, L"C:\\rec\\100%.wav");
    Insert(start, L"C:\\rec\\100x.wav");

    EXPECT_TRUE(m_store.UpdateFlag(L"C:\\rec\\100%.wav", 1));
    EXPECT_TRUE(m_store.UpdateNotes(L"C:\\rec\\axb.wav", L"x', FilePath='y"));
    EXPECT_TRUE(m_store.UpdateFilePath(L"C:\\rec\\100_.wav", L"C:\\rec\\gone.wav"));  // names no row
    EXPECT_EQ(L"C:\\rec\\100%.wav", QueryText(m_path, L"select group_concat(FilePath) from Rec_Table where Flag=1"));
    EXPECT_EQ(L"x', FilePath='y", QueryText(m_path, L"select CallNotes from Rec_Table where FilePath like '%axb%'"));
    EXPECT_EQ(L"1", QueryText(m_path, L"select count(*) from Rec_Table where CallNotes <> ''"));

    EXPECT_TRUE(m_store.DeleteByPath(L"C:\\rec\\a_b.wav"));
    EXPECT_TRUE(m_store.DeleteByPath(L"%"));
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\rec\\axb.wav", L"C:\\rec\\100%.wav", L"C:\\rec\\100x.wav"}), Paths());

    EXPECT_TRUE(m_store.UpdateFilePath(L"C:\\rec\\100%.wav", L"C:\\rec\\100%.mp3"));
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\rec\\axb.wav", L"C:\\rec\\100%.mp3", L"C:\\rec\\100x.wav"}), Paths());
    EXPECT_EQ(L"1", QueryText(m_path, L"select Flag from Rec_Table where FilePath = 'C:\\rec\\100%.mp3'"))
        << "the row keeps its other columns";

    CallRecord found{};
    EXPECT_FALSE(m_store.FindByPath(L"C:\\rec\\a_b.wav", found));
    EXPECT_FALSE(m_store.FindByPath(L"C:\\rec\\%", found));
    EXPECT_FALSE(m_store.UpdateFlag(nullptr, 1));
    EXPECT_FALSE(m_store.UpdateFilePath(L"C:\\rec\\axb.wav", nullptr));
}

TEST_F(CallRecordStoreTest, TimeFilterKeepsRowsInsideTheWindowInclusive) {
    const struct {
        SYSTEMTIME start;
        const wchar_t* path;
    } rows[] = {
        {LocalTime(2024, 3, 5, 7, 59, 59), L"07.59.59"},  {LocalTime(2024, 3, 5, 8, 0, 0), L"08.00.00"},
        {LocalTime(2024, 3, 5, 17, 59, 59), L"17.59.59"}, {LocalTime(2024, 3, 5, 18, 0, 0), L"18.00.00"},
        {LocalTime(2024, 3, 5, 18, 0, 1), L"18.00.01"},   {LocalTime(2024, 2, 29, 12, 0, 0), L"other day 12.00.00"},
    };
    for (const auto& row : rows)
        Insert(row.start, row.path);

    m_store.SetTimeFilter(true, LocalTime(2000, 1, 1, 8, 0, 0), LocalTime(2000, 1, 1, 18, 0, 0));
    EXPECT_EQ((std::vector<std::wstring>{L"08.00.00", L"17.59.59", L"18.00.00", L"other day 12.00.00"}), Paths());

    // An end before the start matches no row (the rows are still read).
    m_store.SetTimeFilter(true, LocalTime(2000, 1, 1, 18, 0, 0), LocalTime(2000, 1, 1, 8, 0, 0));
    bool delivered = false;
    EXPECT_TRUE(m_store.ForEachRecord([&](const CallRecord&) { delivered = true; }, L"select * from Rec_Table"));
    EXPECT_FALSE(delivered);

    m_store.SetTimeFilter(false, LocalTime(2000, 1, 1), LocalTime(2000, 1, 1));
    EXPECT_EQ(std::size(rows), Paths().size());
}

TEST_F(CallRecordStoreTest, StopFromAnotherThreadEndsTheEnumerationAfterTheCurrentRow) {
    for (int i = 0; i < 50; ++i)
        Insert(LocalTime(2024, 3, 5, 12, 0, i), (L"row" + std::to_wstring(i)).c_str());

    // A stop raised before the search starts is not lost: it ends the search at once, until it is cleared.
    m_store.RequestStop();
    EXPECT_TRUE(Paths().empty());
    m_store.ClearStop();
    EXPECT_EQ(50u, Paths().size());

    int delivered = 0;
    const bool result = m_store.ForEachRecord(
        [&](const CallRecord&) {
            if (++delivered == 3)
                std::thread([&] { m_store.RequestStop(); }).join();
        },
        L"select * from Rec_Table");
    EXPECT_TRUE(result);
    EXPECT_EQ(3, delivered);
}

TEST_F(CallRecordStoreTest, StopInterruptsALongStepAndTheSearchEndsQuietly) {
    Insert(LocalTime(2024, 3, 5, 12), L"quick");
    CallRecord slow = MakeCall(LocalTime(2024, 3, 5, 13), L"slow");
    slow.Channel = 1;
    ASSERT_TRUE(m_store.Insert(slow));
    // Only the step to the second row is long: it counts to 300 million.
    const wchar_t* sql =
        L"select * from Rec_Table where case when Channel = 0 then 1 else (with recursive n(i) as "
        L"(select 1 union all select i + 1 from n where i < 300000000) select count(*) from n) > 0 end";

    std::vector<std::wstring> delivered;
    const auto start = std::chrono::steady_clock::now();
    const bool result = m_store.ForEachRecord(
        [&](const CallRecord& record) {
            delivered.push_back(record.FilePath);
            std::thread([&] { m_store.RequestStop(); }).join();
        },
        sql);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << "the long step ran to its end";
    EXPECT_TRUE(result) << "an interrupted step ends the rows as the stop does, not as an error";
    EXPECT_EQ(std::vector<std::wstring>{L"quick"}, delivered);
}

TEST_F(CallRecordStoreTest, CountsAndSumsOfAnEmptyTableAreZero) {
    const wchar_t* sum = L"select sum(RecTime) AS TotalValue from Rec_Table where (CallType = 1 and Channel = 0)";
    const wchar_t* count = L"select COUNT(*) from Rec_Table where (CallType = 1 and Channel = 0)";
    EXPECT_EQ(0, m_store.QuerySum(sum));
    EXPECT_EQ(0, m_store.QueryCount(count));
    EXPECT_FALSE(m_store.ForEachRecord([](const CallRecord&) {}, L"select * from Rec_Table"));

    for (int recTime : {30, 12}) {
        CallRecord record = MakeCall(LocalTime(2024, 3, 5, 11), L"x.wav");
        record.RecTime = recTime;
        ASSERT_TRUE(m_store.Insert(record));
    }
    EXPECT_EQ(42, m_store.QuerySum(sum));
    EXPECT_EQ(2, m_store.QueryCount(count));
    EXPECT_EQ(0, m_store.QuerySum(L"select sum(RecTime) AS Other from Rec_Table"));
    EXPECT_EQ(0, m_store.QueryCount(L"select COUNT(* from Rec_Table"));
    EXPECT_FALSE(m_store.ForEachRecord([](const CallRecord&) {}, L"delete from"));
}

// A failed insert leaves the caller's record as it was, so that trying it again stores the row as one attempt
// would have: only the first quote of a name becomes a hyphen, however many attempts it took.
TEST_F(CallRecordStoreTest, InsertIntoALockedDatabaseFailsAndCanBeTriedAgain) {
    const std::unique_ptr<CallRecordStore> store = OpenImpatientStore();
    CSqliteDB holder;
    HoldWriteLock(holder);
    CallRecord record = MakeCall(LocalTime(2024, 3, 5, 12), L"locked.wav");
    CopyToField(record.ChannelName, L"a'b'c");
    EXPECT_FALSE(store->Insert(record));
    EXPECT_STREQ(L"a'b'c", record.ChannelName);
    EXPECT_FALSE(store->UpdateFlag(L"locked.wav", 1));

    holder.ExecuteStatement(L"rollback");
    EXPECT_TRUE(store->Insert(record));
    EXPECT_STREQ(L"a-b'c", record.ChannelName);
    EXPECT_EQ(1, store->QueryCount(L"select count(*) from Rec_Table"));
}

// Rows that come together are stored together, or not at all.
TEST_F(CallRecordStoreTest, InsertAllStoresEveryRowOrNone) {
    CallRecord first = MakeCall(LocalTime(2024, 3, 5, 9), L"first.wav");
    CallRecord second = MakeCall(LocalTime(2024, 3, 5, 10), L"second.wav");
    CopyToField(second.PhoneName, L"O'Neil");
    const std::unique_ptr<CallRecordStore> store = OpenImpatientStore();
    CSqliteDB holder;
    HoldWriteLock(holder);
    EXPECT_FALSE(store->InsertAll({&first, &second}));
    EXPECT_STREQ(L"O'Neil", second.PhoneName);
    holder.ExecuteStatement(L"rollback");
    EXPECT_EQ(0, store->QueryCount(L"select count(*) from Rec_Table"));

    EXPECT_TRUE(store->InsertAll({&first, &second}));
    EXPECT_STREQ(L"O-Neil", second.PhoneName) << "the records carry the hyphens of their rows";
    EXPECT_EQ((std::vector<std::wstring>{L"first.wav", L"second.wav"}), Paths());
}

TEST_F(CallRecordStoreTest, InsertMakesTheProgramMonthFolders) {
    Insert(LocalTime(2023, 11, 30, 23, 59, 59), L"late.wav");
    EXPECT_TRUE(FileExists(m_folder.ProgramFolder() + L"\\dbFiles\\202311"));
}

TEST(CallRecordStoreDate, IsTodayAfterConstructionAndFollowsSetDate) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    CallRecordStore store;
    EXPECT_TRUE(store.IsOnDate(now));
    store.SetDate(LocalTime(2024, 2, 29, 13));
    EXPECT_TRUE(store.IsOnDate(LocalTime(2024, 2, 29, 23, 59, 59)));
    EXPECT_FALSE(store.IsOnDate(LocalTime(2024, 3, 1)));
    const SYSTEMTIME date = store.Date();
    const SYSTEMTIME expected = LocalTime(2024, 2, 29);
    EXPECT_EQ(0, std::memcmp(&date, &expected, sizeof(date)));
}

TEST(CallRecordStoreClosed, EveryOperationFails) {
    CallRecordStore store;
    CallRecord record = MakeCall(LocalTime(2024, 3, 5), L"x.wav");
    EXPECT_FALSE(store.Insert(record));
    EXPECT_FALSE(store.UpdateNotes(L"x.wav", L"n"));
    EXPECT_FALSE(store.DeleteByPath(L"x.wav"));
    EXPECT_FALSE(store.ForEachRecord([](const CallRecord&) {}, L"select * from Rec_Table"));
    EXPECT_EQ(0, store.QueryCount(L"select count(*) from Rec_Table"));
    EXPECT_TRUE(store.Close());
}

TEST(CallRecordSearch, SearchesOfTodayNeverShareAWorkingCopy) {
    TestFolder folder;
    CallRecordStore live;
    const SYSTEMTIME today = OpenTodaysDatabase(live);
    CallRecord record = MakeCall(today, L"first.wav");

    auto countRows = [](CallRecordStore& store) {
        int rows = 0;
        store.ForEachRecord([&](const CallRecord&) { ++rows; }, L"select * from Rec_Table");
        return rows;
    };

    CallRecordStore first;
    ASSERT_TRUE(first.OpenForSearch(today, CdrWorkingCopy::Search));
    EXPECT_TRUE(FileExists(CdrCopyFile(today, CdrWorkingCopy::Search)));
    ASSERT_TRUE(live.Insert(record));

    // The second search waits until the first has closed its copy, then copies the live file afresh.
    std::promise<void> secondOpened;
    int secondRows = -1;
    std::thread second([&] {
        CallRecordStore store;
        const bool opened = store.OpenForSearch(today, CdrWorkingCopy::Search);
        secondOpened.set_value();
        if (opened)
            secondRows = countRows(store);
        store.Close();
    });
    // Nothing can signal "still waiting": give a search that would not wait the time to show itself.
    EXPECT_EQ(std::future_status::timeout, secondOpened.get_future().wait_for(std::chrono::milliseconds(500)));
    // The statistics copy is another name and is not held up.
    CallRecordStore chart;
    ASSERT_TRUE(chart.OpenForSearch(today, CdrWorkingCopy::Chart));
    EXPECT_EQ(2, countRows(chart));
    EXPECT_TRUE(chart.Close());

    EXPECT_EQ(1, countRows(first));
    EXPECT_TRUE(first.Close());
    second.join();
    EXPECT_EQ(2, secondRows);
    EXPECT_TRUE(live.Close());
}

TEST(CallRecordSearch, OtherDaysAreOpenedDirectly) {
    TestFolder folder;
    const SYSTEMTIME day = LocalTime(2020, 1, 2);
    CreateMonthFolder(day);
    {
        CallRecordStore store;
        ASSERT_TRUE(store.Open(CdrDayFile(day).c_str()));
        CallRecord record = MakeCall(day, L"old.wav");
        ASSERT_TRUE(store.Insert(record));
    }
    CallRecordStore search;
    ASSERT_TRUE(search.OpenForSearch(day, CdrWorkingCopy::Search));
    EXPECT_EQ(1, search.QueryCount(L"select count(*) from Rec_Table"));
    EXPECT_FALSE(FileExists(CdrCopyFile(day, CdrWorkingCopy::Search)));
    EXPECT_FALSE(CallRecordStore().OpenForSearch(LocalTime(2019, 5, 6), CdrWorkingCopy::Search));  // no month folder
}

// The working copy of today is a snapshot between two writes: a search started while the call writer is in the
// middle of a write waits for it and copies the committed database, never a half-written file.
TEST(CallRecordSearch, TodaysWorkingCopyIsTakenBetweenTwoWrites) {
    TestFolder folder;
    SYSTEMTIME today;
    {
        CallRecordStore live;
        today = OpenTodaysDatabase(live);
    }
    CSqliteDB writer;
    writer.OpenFile(CdrDayFile(today).c_str());
    // A tiny page cache makes the write spill its pages into the file before it commits.
    writer.ExecuteStatement(L"pragma cache_size=5");
    writer.ExecuteStatement(L"begin immediate");
    const std::wstring notes(200, L'n');
    for (int i = 0; i < 500; ++i)
        writer.ExecuteStatement(L"insert into Rec_Table(FilePath, CallNotes) values (?1, ?2)",
                                {std::to_wstring(i), std::wstring_view(notes)});

    int rows = -1;
    std::thread search([&] {
        CallRecordStore store;
        if (store.OpenForSearch(today, CdrWorkingCopy::Search))
            rows = store.QueryCount(L"select count(*) from Rec_Table");
        store.Close();
    });
    ::Sleep(200);  // only a head start: the copy must wait for the commit whenever it starts
    writer.ExecuteStatement(L"commit");
    search.join();

    EXPECT_EQ(501, rows);
    EXPECT_EQ(L"ok", QueryText(CdrCopyFile(today, CdrWorkingCopy::Search), L"pragma integrity_check"));
}
