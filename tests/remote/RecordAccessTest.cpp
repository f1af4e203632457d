// A client's access to the records it found: downloading recordings, changing notes and flags, deleting records.
// Only listed recordings of the account's channels are served or changed.

#include "ClientCommandTest.h"

#include "engine/CardEngineState.h"
#include "engine/EngineThreads.h"
#include "storage/CallRecordStore.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

constexpr uint8_t kOpen = 0;
constexpr uint8_t kNext = 1;
constexpr uint8_t kClose = 2;

std::vector<uint8_t> Pattern(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> OpenPayload(const std::wstring& path, const SYSTEMTIME& start) {
    return WithSubCommand(kOpen, BytesOf(SentRecord(path, start)));
}

// The row of the day's database with exactly this path; FilePath empty when there is none.
CallRecord StoredRow(const SYSTEMTIME& day, const std::wstring& path) {
    CallRecord row{};
    CallRecordStore store;
    if (store.Open(CdrDayFile(day).c_str()))
        store.FindByPath(path.c_str(), row);
    store.Close();
    return row;
}

// r of a result frame of the command; -1 when the frame is something else.
int ResultR(const std::optional<ReceivedFrame>& frame, uint8_t command) {
    if (!frame || frame->Length != 4 || frame->Command != command)
        return -1;
    return frame->Payload[0];
}

class RecordAccessTest : public ClientCommandTest {
protected:
    void SetUp() override {
        ClientCommandTest::SetUp();
        AddAccount(L"alice", L"secret", RightsFor({1}));
        m_recordings = m_folder.DataFolder() + L"\\Rec\\";
        CreateDirectoryW(m_recordings.c_str(), nullptr);
    }

    // A recording of the channel, listed in the day's database.
    std::wstring AddRecording(const std::wstring& name, const SYSTEMTIME& start, int channel, size_t size = 100) {
        const std::wstring path = m_recordings + name;
        WriteBytes(path, Pattern(size));
        AddCallRow(start, channel, kCallIncoming, 10, path);
        return path;
    }

    std::wstring m_recordings;
};

}  // namespace

TEST_F(RecordAccessTest, DownloadSendsTheRecordingInChunksThenTheEnd) {
    const SYSTEMTIME start = DayAt(0, 9, 0, 0);
    const std::wstring path = AddRecording(L"call.wav", start, 1, 30000);
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    client.SendFrame(kCmdDownload, OpenPayload(path, start));
    const auto opened = client.Receive(kWaitMs);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->Length, 8);
    EXPECT_EQ(opened->Command, kFrameDownload);
    EXPECT_EQ(opened->Payload, (std::vector<uint8_t>{0, 0x30, 0x75, 0, 0, 0, 0}));  // 30000

    std::vector<uint8_t> received;
    for (uint32_t expected : {12288u, 12288u, 5424u}) {
        client.SendFrame(kCmdDownload, {kNext});
        const auto chunk = client.Receive(kWaitMs);
        ASSERT_TRUE(chunk);
        EXPECT_EQ(chunk->Length, expected + 6);
        ASSERT_EQ(chunk->Payload.size(), 5 + expected);
        EXPECT_EQ(chunk->Payload[0], kNext);
        EXPECT_EQ(chunk->As<uint32_t>(1), expected);
        received.insert(received.end(), chunk->Payload.begin() + 5, chunk->Payload.end());
    }
    EXPECT_EQ(received, Pattern(30000));

    client.SendFrame(kCmdDownload, {kNext});
    EXPECT_EQ(ResultR(client.Receive(kWaitMs), kCmdDownload), 2) << "end of the file";
    client.SendFrame(kCmdDownload, {kNext});
    EXPECT_EQ(ResultR(client.Receive(kWaitMs), kCmdDownload), 3) << "no file open any more";

    const std::vector<SysLogRow> rows = TodaysRows(kSysLogRecordingsCopied);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(std::wstring(rows[0].Name), L"alice");
    EXPECT_EQ(std::wstring(rows[0].Notes), path.substr(0, 249));
}

TEST_F(RecordAccessTest, DownloadRefusesWhatIsNotAListedRecordingOfTheAccount) {
    AddAccount(L"bob", L"secret", RightsFor({1}));
    SetAccountRights(L"bob", 1, 0, 0);
    const SYSTEMTIME start = DayAt(2, 9, 0, 0);
    const std::wstring listed = AddRecording(L"listed.wav", start, 1);
    const std::wstring otherChannel = AddRecording(L"ch2.wav", start, 2);
    const std::wstring empty = AddRecording(L"empty.wav", start, 1, 0);
    const std::wstring gone = m_recordings + L"gone.wav";
    AddCallRow(start, 1, kCallIncoming, 10, gone);
    const struct {
        const char* Name;
        const wchar_t* User;
        std::wstring Path;
        SYSTEMTIME Start;
    } cases[] = {
        {"the client account database", L"alice", StoreFilePath(kClientAccountDbName), start},
        {"a relative path", L"alice", L"..\\x", start},
        {"a pattern", L"alice", L"%", start},
        {"a recording of a channel without right", L"alice", otherChannel, start},
        {"a listed recording sent with another day", L"alice", listed, DayAt(3, 9, 0, 0)},
        {"a listed row whose file is missing", L"alice", gone, start},
        {"an empty recording", L"alice", empty, start},
        {"an account without the download right", L"bob", listed, start},
    };
    for (const auto& c : cases) {
        ProtocolClient& client = ConnectLoggedIn(c.User, L"secret");
        client.SendFrame(kCmdDownload, OpenPayload(c.Path, c.Start));
        EXPECT_EQ(ResultR(client.Receive(kWaitMs), kCmdDownload), 3) << c.Name;
        client.SendFrame(kCmdDownload, {kNext});
        EXPECT_EQ(ResultR(client.Receive(kWaitMs), kCmdDownload), 3) << c.Name << ": a file was left open";
        client.SendFrame(kCmdLogout);
        client.WaitClosed(kWaitMs);
    }
    EXPECT_EQ(TodaysRows(kSysLogRecordingsCopied).size(), std::size(cases)) << "every request is logged";
    EXPECT_FALSE(FileExists(CdrDayFile(DayAt(3, 0, 0, 0)))) << "a day database was made";
}

TEST_F(RecordAccessTest, DownloadOfTheNextClientOnASlotStartsWithoutTheFormerFile) {
    const SYSTEMTIME start = DayAt(0, 9, 0, 0);
    const std::wstring path = AddRecording(L"call.wav", start, 1, 30000);
    ProtocolClient& first = ConnectLoggedIn(L"alice", L"secret");
    first.SendFrame(kCmdDownload, OpenPayload(path, start));
    ASSERT_TRUE(first.ReceiveCommand(kFrameDownload, kWaitMs));
    first.Abort();
    ASSERT_TRUE(WaitForConnectedSlots(0));

    ProtocolClient& second = ConnectLoggedIn(L"alice", L"secret");
    second.SendFrame(kCmdDownload, {kNext});
    EXPECT_EQ(ResultR(second.ReceiveCommand(kFrameDownload, kWaitMs), kCmdDownload), 3);
    // The file is closed as well: it can be deleted.
    EXPECT_TRUE(DeleteFileW(path.c_str()));
}

TEST_F(RecordAccessTest, CloseEndsADownloadWithoutReply) {
    const SYSTEMTIME start = DayAt(0, 9, 0, 0);
    const std::wstring path = AddRecording(L"call.wav", start, 1, 30000);
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    client.SendFrame(kCmdDownload, OpenPayload(path, start));
    ASSERT_TRUE(client.ReceiveCommand(kFrameDownload, kWaitMs));

    client.SendFrame(kCmdDownload, {kClose});
    EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty());
    EXPECT_TRUE(DeleteFileW(path.c_str())) << "still open";
    client.SendFrame(kCmdDownload, {kNext});
    EXPECT_EQ(ResultR(client.Receive(kWaitMs), kCmdDownload), 3);
}

TEST_F(RecordAccessTest, NotesAndFlagChangeTheRowOfTheRecordsDay) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    for (int daysAgo : {0, 3}) {
        const SYSTEMTIME start = DayAt(daysAgo, 9, 0, 0);
        const std::wstring path = AddRecording(L"day" + std::to_wstring(daysAgo) + L".wav", start, 1);
        const std::wstring neighbour = AddRecording(L"neighbour" + std::to_wstring(daysAgo) + L".wav", start, 1);
        CallRecord sent = SentRecord(path, start);
        CopyToField(sent.CallNotes, L"call back x', FilePath='y");
        sent.Flag = 5;

        client.SendFrame(kCmdUpdateNotes, BytesOf(sent));
        EXPECT_EQ(ResultR(client.Receive(kWaitMs), kCmdUpdateNotes), 1) << daysAgo;
        client.SendFrame(kCmdUpdateFlag, BytesOf(sent));
        EXPECT_EQ(ResultR(client.Receive(kWaitMs), kCmdUpdateFlag), 1) << daysAgo;

        const CallRecord row = StoredRow(start, path);
        EXPECT_EQ(std::wstring(row.CallNotes), L"call back x', FilePath='y") << daysAgo;
        EXPECT_EQ(row.Flag, 5) << daysAgo;
        EXPECT_EQ(StoredRow(start, neighbour).Flag, 0) << daysAgo;
        EXPECT_EQ(std::wstring(StoredRow(start, neighbour).CallNotes), L"") << daysAgo;
    }
    EXPECT_EQ(TodaysRows(kSysLogRecordChanged).size(), 4u);
}

TEST_F(RecordAccessTest, NotesAndFlagChangeNothingTheAccountMayNotSee) {
    const SYSTEMTIME start = DayAt(1, 9, 0, 0);
    const std::wstring otherChannel = AddRecording(L"ch2.wav", start, 2);
    const std::wstring listed = AddRecording(L"listed.wav", start, 1);
    const struct {
        const char* Name;
        std::wstring Path;
        SYSTEMTIME Start;
    } cases[] = {
        {"a channel without right", otherChannel, start},
        {"a pattern", L"%", start},
        {"an unlisted path", m_recordings + L"unlisted.wav", start},
        {"a day without database", listed, DayAt(5, 9, 0, 0)},
    };
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    for (const auto& c : cases) {
        CallRecord sent = SentRecord(c.Path, c.Start);
        CopyToField(sent.CallNotes, L"changed");
        sent.Flag = 9;
        for (uint8_t command : {kCmdUpdateNotes, kCmdUpdateFlag}) {
            client.SendFrame(command, BytesOf(sent));
            EXPECT_EQ(ResultR(client.Receive(kWaitMs), command), 0) << c.Name;
        }
    }
    for (const std::wstring& path : {otherChannel, listed}) {
        EXPECT_EQ(StoredRow(start, path).Flag, 0);
        EXPECT_EQ(std::wstring(StoredRow(start, path).CallNotes), L"");
    }
    EXPECT_FALSE(FileExists(CdrDayFile(DayAt(5, 0, 0, 0))));
}

TEST_F(RecordAccessTest, DeleteNeedsTheDeleteRight) {
    const SYSTEMTIME start = DayAt(0, 9, 0, 0);
    const std::wstring path = AddRecording(L"call.wav", start, 1);
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    client.SendFrame(kCmdDeleteRecord, BytesOf(SentRecord(path, start)));

    EXPECT_EQ(ResultR(client.Receive(kWaitMs), kCmdDeleteRecord), 0);
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(std::wstring(StoredRow(start, path).FilePath), path);
    EXPECT_TRUE(TodaysRows(kSysLogRecordingDeleted).empty());
}

TEST_F(RecordAccessTest, DeleteRemovesExactlyThatRecordingAndItsFile) {
    SetAccountRights(L"alice", 1, 1, 1);
    const SYSTEMTIME start = DayAt(1, 9, 0, 0);
    const std::wstring target = AddRecording(L"a_b.wav", start, 1);
    const std::wstring lookalike = AddRecording(L"axb.wav", start, 1);
    const std::wstring otherChannel = AddRecording(L"ch2.wav", start, 2);
    const std::wstring unlisted = m_recordings + L"unlisted.wav";
    WriteBytes(unlisted, Pattern(10));
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    const struct {
        const char* Name;
        std::wstring Path;
        int R;
    } cases[] = {
        {"a file that is no recording", unlisted, 0},
        {"a pattern", L"%", 0},
        {"a recording of a channel without right", otherChannel, 0},
        {"the recording", target, 1},
        {"the recording again", target, 0},
    };
    for (const auto& c : cases) {
        client.SendFrame(kCmdDeleteRecord, BytesOf(SentRecord(c.Path, start)));
        EXPECT_EQ(ResultR(client.Receive(kWaitMs), kCmdDeleteRecord), c.R) << c.Name;
    }

    EXPECT_FALSE(FileExists(target));
    EXPECT_EQ(std::wstring(StoredRow(start, target).FilePath), L"");
    for (const std::wstring& kept : {lookalike, otherChannel, unlisted})
        EXPECT_TRUE(FileExists(kept)) << std::string(kept.begin(), kept.end());
    EXPECT_EQ(std::wstring(StoredRow(start, lookalike).FilePath), lookalike);
    EXPECT_EQ(std::wstring(StoredRow(start, otherChannel).FilePath), otherChannel);
    EXPECT_EQ(TodaysRows(kSysLogRecordingDeleted).size(), std::size(cases));
}

// The call writer moves today's store between two days (a call that began before midnight, the next of today)
// while a client changes records of both days: every change finds its row on the right day, and no connection is
// used after its close or left open.
TEST_F(RecordAccessTest, RecordChangesMeetTheStoreOnTheirDayWhileItMoves) {
    const SYSTEMTIME days[] = {DayAt(1, 23, 59, 0), DayAt(0, 0, 1, 0)};
    const std::wstring paths[] = {AddRecording(L"before.wav", days[0], 1), AddRecording(L"after.wav", days[1], 1)};
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    constexpr int kCalls = 300;
    for (int i = 0; i < kCalls; ++i) {
        auto call = std::make_unique<CallRecord>();
        call->Channel = 2;
        call->CallType = kCallMissed;
        call->StartTime = days[i % 2];
        CopyToField(call->FilePath, (L"missed-" + std::to_wstring(i) + L".tmp").c_str());
        EngineState.CallQueue.Push(std::move(call));
    }
    StartEngineThread(EngineState.CallWriterThread, CallWriterThread);

    int done = 0;
    for (int round = 0; EngineState.CallQueue.Count() > 0 && round < 1000; ++round) {
        CallRecord sent = SentRecord(paths[round % 2], days[round % 2]);
        CopyToField(sent.CallNotes, (L"note " + std::to_wstring(round)).c_str());
        client.SendFrame(kCmdUpdateNotes, BytesOf(sent));
        const int r = ResultR(client.Receive(kWaitMs), kCmdUpdateNotes);
        EXPECT_EQ(r, 1) << "round " << round;
        done += r == 1;
    }
    EXPECT_GT(done, 10) << "the changes did not run while the store moved";
    StopEngine();
    EXPECT_EQ(EngineState.CallQueue.Count(), 0u);
    TodayCallStore().Close();

    for (const SYSTEMTIME& day : days) {
        CallRecordStore store;
        ASSERT_TRUE(store.Open(CdrDayFile(day).c_str()));
        EXPECT_EQ(store.QueryCount(L"select count(*) from Rec_Table where Channel = 2"), kCalls / 2);
        store.Close();
        EXPECT_TRUE(::DeleteFileW(CdrDayFile(day).c_str())) << "a connection to the day was left open";
    }
}
