// The CDR and system-log searches of a logged-in client: days visited, rights, refused statements, stopping and
// replacing a running search.

#include "RemoteServerTest.h"

#include "clients/ClientPushes.h"
#include "clients/ClientSlot.h"
#include "storage/CallRecordStore.h"
#include "storage/SqliteDB.h"
#include "storage/StoragePaths.h"

#include <sqlite3.h>

#include <set>
#include <string>

namespace {

std::vector<std::wstring> CdrPaths(const std::vector<ReceivedFrame>& frames) {
    std::vector<std::wstring> paths;
    for (const ReceivedFrame& frame : frames) {
        EXPECT_EQ(frame.Command, kFrameCdrRow);
        EXPECT_EQ(frame.Length, 0x0AF1);
        paths.push_back(frame.As<CallRecord>().FilePath);
    }
    return paths;
}

constexpr int kManyRows = 20000;

// A condition that makes the first step of a search count to 300 million before it finds a row.
constexpr const wchar_t* kLongStep =
    L" where (with recursive n(i) as (select 1 union all select i + 1 from n where i < 300000000) "
    L"select count(*) from n) > 0";

// Whether a statement of another connection is reading the database: its lock keeps an exclusive transaction out.
bool IsBeingRead(const wchar_t* path) {
    sqlite3* db = nullptr;
    bool reading = false;
    if (sqlite3_open16(path, &db) == SQLITE_OK) {
        reading = sqlite3_exec(db, "begin exclusive", nullptr, nullptr, nullptr) == SQLITE_BUSY;
        if (!reading)
            sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    return reading;
}

// A past day with kManyRows rows of channel 1, made in one statement.
void AddManyRows(const SYSTEMTIME& day) {
    CreateMonthFolder(day);
    CallRecordStore store;
    ASSERT_TRUE(store.Open(CdrDayFile(day).c_str()));
    store.Close();
    CSqliteDB db;
    db.OpenFile(CdrDayFile(day).c_str());
    SYSTEMTIME noon = day;
    noon.wHour = 12;
    db.ExecuteStatement(
        L"with recursive n(i) as (select 1 union all select i + 1 from n where i < ?1) "
        L"insert into Rec_Table(DoubleDate, Channel, CallType, RecTime, FilePath) "
        L"select ?2, 1, 1, 10, 'C:\\rec\\many-' || i || '.wav' from n",
        {kManyRows, [&] {
             double date = 0;
             SystemTimeToVariantTime(&noon, &date);
             return date;
         }()});
}

class SearchTest : public RemoteServerTest {
protected:
    void SetUp() override {
        RemoteServerTest::SetUp();
        AddAccount(L"alice", L"secret", RightsFor({1}));
        for (int daysAgo : {30, 29, 28}) {
            const std::wstring tag = std::to_wstring(daysAgo);
            AddCallRow(DayAt(daysAgo, 11, 0, 0), 1, kCallIncoming, 30, L"C:\\rec\\" + tag + L"-ch1.wav");
            AddCallRow(DayAt(daysAgo, 11, 0, 0), 2, kCallIncoming, 30, L"C:\\rec\\" + tag + L"-ch2.wav");
            AddCallRow(DayAt(daysAgo, 11, 0, 0), 600, kCallIncoming, 30, L"C:\\rec\\" + tag + L"-ch600.wav");
        }
        AddCallRow(DayAt(0, 0, 0, 1), 1, kCallOutgoing, 30, L"C:\\rec\\today-ch1.wav");
    }
};

}  // namespace

TEST_F(SearchTest, CdrSearchSendsThePermittedRowsOfEveryDayInTheRange) {
    const struct {
        const char* Name;
        SYSTEMTIME From;
        SYSTEMTIME To;
        std::vector<std::wstring> Paths;
    } cases[] = {
        {"three whole days",
         DayAt(30, 0, 0, 0),
         DayAt(28, 23, 59, 59),
         {L"C:\\rec\\30-ch1.wav", L"C:\\rec\\29-ch1.wav", L"C:\\rec\\28-ch1.wav"}},
        {"10:00 to 09:00 visits two days",
         DayAt(30, 10, 0, 0),
         DayAt(28, 9, 0, 0),
         {L"C:\\rec\\30-ch1.wav", L"C:\\rec\\29-ch1.wav"}},
        {"today, through its copy", DayAt(0, 0, 0, 0), DayAt(0, 23, 59, 59), {L"C:\\rec\\today-ch1.wav"}},
        {"days without a database", DayAt(27, 0, 0, 0), DayAt(1, 0, 0, 0), {}},
        {"to before from", DayAt(28, 0, 0, 0), DayAt(30, 0, 0, 0), {}},
        // Walked by the days on disk, not by the 3 million days of the range.
        {"year 1900 to 9999",
         {1900, 1, 0, 1},
         {9999, 12, 0, 31, 23, 59, 59},
         {L"C:\\rec\\30-ch1.wav", L"C:\\rec\\29-ch1.wav", L"C:\\rec\\28-ch1.wav", L"C:\\rec\\today-ch1.wav"}},
    };
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    for (const auto& c : cases) {
        client.SendFrame(kCmdCdrSearch, QueryPayload(c.From, c.To, L"select * from Rec_Table"));
        EXPECT_EQ(CdrPaths(client.ReceiveUntilQuiet(kQuietMs)), c.Paths) << c.Name;
    }
    EXPECT_FALSE(FileExists(CdrDayFile(DayAt(27, 0, 0, 0)))) << "a search made a database";
}

TEST_F(SearchTest, CdrSearchRunsTheClientsSelect) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    client.SendFrame(kCmdCdrSearch, QueryPayload(DayAt(30, 0, 0, 0), DayAt(28, 23, 59, 59),
                                                 L"  SELECT * from Rec_Table where FilePath like '%29%';  "));

    EXPECT_EQ(CdrPaths(client.ReceiveUntilQuiet(kQuietMs)), std::vector<std::wstring>{L"C:\\rec\\29-ch1.wav"});
}

TEST_F(SearchTest, SearchTextsThatWouldChangeADatabaseRunNowhere) {
    const SYSTEMTIME day = DayAt(30, 0, 0, 0);
    AddSysLogRow(DayAt(30, 8, 0, 0), 8, L"operator");
    const std::wstring cdrFile = CdrDayFile(day);
    const std::wstring sysLogFile = SysLogDayFile(day);
    const std::vector<uint8_t> cdrBefore = FileBytes(cdrFile);
    const std::vector<uint8_t> sysLogBefore = FileBytes(sysLogFile);
    const struct {
        uint8_t Command;
        const wchar_t* Sql;
    } cases[] = {
        {kCmdCdrSearch, L"delete from Rec_Table"},
        {kCmdCdrSearch, L"update Rec_Table set Flag = 9"},
        {kCmdCdrSearch, L"drop table Rec_Table"},
        {kCmdCdrSearch, L"select * from Rec_Table; delete from Rec_Table"},
        {kCmdCdrSearch, L"attach database 'other.db' as other"},
        {kCmdCdrSearch, L"pragma user_version = 5"},
        {kCmdCdrSearch, L"select * from Rec_Tabel"},
        {kCmdSysLogSearch, L"drop table SysLog_Table"},
        {kCmdSysLogSearch, L"insert into SysLog_Table(SysLog_Cmd) values(3)"},
    };
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    for (const auto& c : cases) {
        client.SendFrame(c.Command, QueryPayload(day, DayAt(30, 23, 59, 59), c.Sql));
        EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty()) << std::string(c.Sql, c.Sql + wcslen(c.Sql));
    }
    EXPECT_EQ(FileBytes(cdrFile), cdrBefore);
    EXPECT_EQ(FileBytes(sysLogFile), sysLogBefore);
    EXPECT_FALSE(FileExists(m_folder.DataFolder() + L"\\" + std::to_wstring(day.wYear) + L"other.db"));
}

TEST_F(SearchTest, SysLogSearchSendsRowsWhateverTheChannelRights) {
    AddAccount(L"nobody", L"secret", std::nullopt);
    AddSysLogRow(DayAt(30, 0, 0, 0), 8, L"midnight");
    AddSysLogRow(DayAt(29, 23, 59, 59), 9, L"late");
    ProtocolClient& client = ConnectLoggedIn(L"nobody", L"secret");

    // Whole days, whatever the times sent.
    client.SendFrame(kCmdSysLogSearch,
                     QueryPayload(DayAt(30, 12, 0, 0), DayAt(29, 1, 0, 0), L"select * from SysLog_Table"));

    const std::vector<ReceivedFrame> frames = client.ReceiveUntilQuiet(kQuietMs);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].Length, 0x0249);
    EXPECT_EQ(frames[0].Command, kFrameSysLogRow);
    EXPECT_EQ(std::wstring(frames[0].As<SysLogRow>().Name), L"midnight");
    EXPECT_EQ(frames[1].As<SysLogRow>().SysLog_Cmd, 9);
}

TEST_F(SearchTest, StopAnswersARunningSearchAndEndsItsRows) {
    AddManyRows(DayAt(20, 0, 0, 0));
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    client.SendFrame(kCmdStopQuery, {1});
    client.SendFrame(kCmdStopQuery, {2});
    EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty()) << "nothing was running";

    client.SendFrame(kCmdCdrSearch, QueryPayload(DayAt(20, 0, 0, 0), DayAt(20, 23, 0, 0), L"select * from Rec_Table"));
    ASSERT_TRUE(client.ReceiveCommand(kFrameCdrRow, kWaitMs));
    client.SendFrame(kCmdStopQuery, {1});

    int rows = 1;
    std::optional<ReceivedFrame> frame;
    while ((frame = client.Receive(kWaitMs)) && frame->Command == kFrameCdrRow)
        ++rows;
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->Command, kFrameStatistics);
    EXPECT_EQ(frame->Payload, (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_LT(rows, kManyRows);
    EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty()) << "rows after the stop";
}

TEST_F(SearchTest, RapidSearchesAndStopsLeaveTheSlotServing) {
    AddManyRows(DayAt(20, 0, 0, 0));
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    const std::vector<uint8_t> bigSearch =
        QueryPayload(DayAt(20, 0, 0, 0), DayAt(20, 23, 0, 0), L"select * from Rec_Table");

    for (int i = 0; i < 50; ++i) {
        client.SendFrame(kCmdCdrSearch, bigSearch);
        if (i % 2)
            client.SendFrame(kCmdStopQuery, {1});
        PushChannelStatus(1);
    }
    client.SendFrame(kCmdStopQuery, {1});
    client.ReceiveUntilQuiet(kQuietMs);

    client.SendFrame(kCmdCdrSearch, QueryPayload(DayAt(30, 0, 0, 0), DayAt(30, 23, 0, 0), L"select * from Rec_Table"));
    EXPECT_EQ(CdrPaths(client.ReceiveUntilQuiet(kQuietMs)), std::vector<std::wstring>{L"C:\\rec\\30-ch1.wav"});
}

TEST_F(SearchTest, FreedSlotSendsNothingOfItsSearchToTheNextClient) {
    AddManyRows(DayAt(20, 0, 0, 0));
    AddAccount(L"bob", L"secret", RightsFor({1}));
    ProtocolClient& alice = ConnectLoggedIn(L"alice", L"secret");
    alice.SendFrame(kCmdCdrSearch, QueryPayload(DayAt(20, 0, 0, 0), DayAt(20, 23, 0, 0), L"select * from Rec_Table"));
    ASSERT_TRUE(alice.ReceiveCommand(kFrameCdrRow, kWaitMs));

    ForceClientOffline(L"alice");
    ProtocolClient& bob = Connect();
    ASSERT_TRUE(WaitForConnectedSlots(1));

    for (const ReceivedFrame& frame : bob.Login(L"bob", L"secret"))
        EXPECT_NE(frame.Command, kFrameCdrRow);
    EXPECT_TRUE(bob.ReceiveUntilQuiet(kQuietMs).empty());
}

TEST_F(SearchTest, StopsEndSearchesInsideALongStep) {
    const SYSTEMTIME day = DayAt(30, 9, 0, 0);
    AddSysLogRow(day, 9, L"Line 1");
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    ClientSlot& slot = ClientSlots()[0];

    client.SendFrame(kCmdCdrSearch, QueryPayload(DayAt(30, 0, 0, 0), DayAt(30, 23, 0, 0),
                                                 std::wstring(L"select * from Rec_Table") + kLongStep));
    ASSERT_TRUE(WaitUntil([&] { return IsBeingRead(CdrDayFile(day).c_str()); }));
    client.SendFrame(kCmdStopQuery, {1});
    const std::optional<ReceivedFrame> stopped = client.Receive(kWaitMs);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->Command, kFrameStatistics);
    EXPECT_FALSE(slot.CdrSearch.IsRunning()) << "the search was waited for, not interrupted";

    client.SendFrame(kCmdSysLogSearch, QueryPayload(DayAt(30, 0, 0, 0), DayAt(30, 23, 0, 0),
                                                    std::wstring(L"select * from SysLog_Table") + kLongStep));
    ASSERT_TRUE(WaitUntil([&] { return IsBeingRead(SysLogDayFile(day).c_str()); }));
    ForceClientOffline(L"alice");
    EXPECT_TRUE(WaitUntil([&] { return !slot.SysLogSearch.IsRunning(); })) << "freeing the slot stops its search";
}

// Today's system log is written while clients search it: a search of today reads a copy, so however long it runs
// (here: a long first step) the live file stays free for the rows being logged meanwhile.
TEST_F(SearchTest, SysLogSearchOfTodayLeavesTheLiveFileFree) {
    const SYSTEMTIME now = DayAt(0, 9, 0, 0);
    AddSysLogRow(now, 9, L"Line 1");
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    ClientSlot& slot = ClientSlots()[0];

    client.SendFrame(kCmdSysLogSearch, QueryPayload(DayAt(0, 0, 0, 0), DayAt(0, 23, 0, 0),
                                                    std::wstring(L"select * from SysLog_Table") + kLongStep));
    ASSERT_TRUE(WaitUntil([&] { return slot.SysLogSearch.IsRunning(); }));
    Sleep(300);  // well into its first step
    EXPECT_TRUE(slot.SysLogSearch.IsRunning());
    EXPECT_FALSE(IsBeingRead(SysLogDayFile(now).c_str()));

    ForceClientOffline(L"alice");
    EXPECT_TRUE(WaitUntil([&] { return !slot.SysLogSearch.IsRunning(); }));
}
