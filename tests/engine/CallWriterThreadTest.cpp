// The call writer fed through the finished-call queue, as the engine feeds it: what becomes of the recording, the
// CDR row, the day databases and their copies, the upload job, the view's row and the push.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "PushPeer.h"

#include "RecordingServiceView.h"
#include "TestFiles.h"
#include "TestFolder.h"
#include "LocalTime.h"
#include "WaitUntil.h"
#include "engine/CallWriterThread.h"
#include "engine/CardEngineState.h"
#include "engine/EngineThreads.h"
#include "engine/WavFormat.h"
#include "records/ProtocolRecords.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/CallRecordStore.h"
#include "storage/ContactStore.h"
#include "storage/FtpQueueStore.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

constexpr int kShortBusyMs = 200;
constexpr int kWaitMs = 10000;
constexpr wchar_t kFakeEncoder[] = L"fake_mp3_encoder.dll";

SYSTEMTIME AddSeconds(const SYSTEMTIME& time, long long seconds) {
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER value{{file.dwLowDateTime, file.dwHighDateTime}};
    value.QuadPart += seconds * 10000000;
    file = {value.LowPart, value.HighPart};
    SYSTEMTIME later;
    FileTimeToSystemTime(&file, &later);
    return later;
}

// "yyyymmddhhmmss", as recording names begin.
std::wstring Stamp(const SYSTEMTIME& t) {
    wchar_t stamp[32];
    _snwprintf(stamp, 32, L"%04d%02d%02d%02d%02d%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return stamp;
}

std::wstring Text(const wchar_t* field) {
    return field;
}

// An IMA ADPCM recording as the engine leaves it: the final header and 64 silent blocks.
std::vector<uint8_t> AdpcmRecording() {
    std::vector<uint8_t> file(sizeof(ImaWavHeader) + 64 * kImaBlockBytes);
    const ImaWavHeader header = MakeImaWavHeader(static_cast<uint32_t>(file.size()));
    std::memcpy(file.data(), &header, sizeof(header));
    return file;
}

class CallWriter : public testing::Test {
protected:
    void SetUp() override {
        CSqliteDB::SetDefaultBusyTimeout(kShortBusyMs);  // before the process's stores are built
        WriteUtf16File(m_folder.ProgramFolder() + L"\\Lang\\CHS.ini",
                       L"[Language]\r\n0292=Too short\r\n0435=Barred caller\r\n0436=Barred number\r\n");
        LanguageNumber = kLanguageChineseSimplified;
        ASSERT_TRUE(TheContactStore().Open(StoreFilePath(kContactDbName).c_str()));
        ASSERT_TRUE(TheFtpQueueStore().Open(StoreFilePath(kFtpQueueDbName).c_str()));
        CreateMonthFolder(m_today);
        ASSERT_TRUE(TodayCallStore().Open(CdrDayFile(m_today).c_str()));
        TodayCallStore().SetDate(m_today);
        m_view.SetOperatorName(L"tovak");
        SetServiceView(&m_view);
        StartEngineThread(EngineState.CallWriterThread, CallWriterThread);
        ASSERT_TRUE(EngineState.CallWriterThread.IsStarted());
    }

    void TearDown() override {
        StopEngine();
        SetServiceView(nullptr);
        while (EngineState.CallQueue.Pop()) {
        }
        TodayCallStore().Close();
        TheContactStore().Close();
        TheFtpQueueStore().Close();
        Mp3EncoderState& encoder = CallWriterEncoder();
        if (encoder.Library)
            FreeLibrary(encoder.Library);
        ResetMp3Encoder(encoder);
    }

    // A call on channel 0 with its temporary recording as the engine leaves it; a call without recorded time has
    // no file. Each call starts a second after the one before, so their final names differ.
    CallRecord MakeCall(int callType, int recTime, const wchar_t* number, const SYSTEMTIME& start) {
        CallRecord call{};
        call.Channel = 0;
        call.CallType = callType;
        call.RecTime = recTime;
        call.RingCnt = 2;
        call.StartTime = start;
        CopyToField(call.ChannelName, L"Desk");
        CopyToField(call.ChannelPhone, L"8001");
        CopyToField(call.PhoneNumber, number);
        CopyToField(call.SiteName, L"Head office");
        CopyToField(call.FilePath, (RecordingFolder() + Stamp(start) + L"-Out-L001.wav").c_str());
        if (recTime > 0) {
            EXPECT_TRUE(WriteFileBytes(call.FilePath, AdpcmRecording()));
        }
        return call;
    }
    CallRecord MakeCall(int callType, int recTime, const wchar_t* number = L"5551234") {
        return MakeCall(callType, recTime, number, AddSeconds(m_today, m_calls++));
    }

    std::wstring RecordingFolder() {
        const std::wstring folder = m_folder.DataFolder() + L"\\Rec\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        return folder;
    }

    void Queue(const CallRecord& call) { EngineState.CallQueue.Push(std::make_unique<CallRecord>(call)); }

    // Queues the call and returns it as the writer showed it in the panes. Calls differ in their start times.
    CallRecord File(const CallRecord& call) {
        Queue(call);
        CallRecord filed{};
        const bool shown = m_view.WaitFor(
            [&](const std::vector<RecordingServiceView::Call>& calls) {
                for (const auto& c : calls) {
                    if (c.Method == "CallFiled" &&
                        std::memcmp(&c.Record.StartTime, &call.StartTime, sizeof(SYSTEMTIME)) == 0) {
                        filed = c.Record;
                        return true;
                    }
                }
                return false;
            },
            kWaitMs);
        EXPECT_TRUE(shown) << "the call was not filed";
        return filed;
    }

    std::vector<CallRecord> RowsOf(const SYSTEMTIME& day) {
        std::vector<CallRecord> rows;
        CallRecordStore store;
        if (store.Open(CdrDayFile(day).c_str()))
            store.ForEachRecord([&](const CallRecord& row) { rows.push_back(row); }, L"select * from Rec_Table");
        store.Close();
        return rows;
    }

    std::vector<FtpJob> Jobs() {
        std::vector<FtpJob> jobs;
        TheFtpQueueStore().ForEachJob([&](const FtpJob& job) { jobs.push_back(job); });
        return jobs;
    }

    std::wstring BackupCopy(const wchar_t* folder, const SYSTEMTIME& day) {
        wchar_t name[32];
        _snwprintf(name, 32, L"CDR%04d%02d%02d.db", day.wYear, day.wMonth, day.wDay);
        return m_folder.ProgramFolder() + L"\\" + folder + L"\\" + name;
    }

    TestFolder m_folder;
    RecordingServiceView m_view;
    SYSTEMTIME m_today = Today();
    int m_calls = 0;  // calls made so far
};

}  // namespace

TEST_F(CallWriter, FiledCallIsRenamedStoredQueuedShownAndPushed) {
    ContactRecord contact{};
    CopyToField(contact.UserName, L"Dana Quill");
    CopyToField(contact.UserMobile, L"5551234");
    CopyToField(contact.CompanyName, L"Quill & Co");
    CopyToField(contact.CompanyAddress, L"1 Harbour Rd");
    CopyToField(contact.UserNotes, L"prefers mornings");
    ASSERT_TRUE(TheContactStore().InsertContact(contact));
    PushPeer permitted(0);
    PushPeer barred(1);
    ASSERT_TRUE(permitted.IsConnected() && barred.IsConnected());
    permitted.Permit(0);
    barred.Permit(0, 2);

    const CallRecord call = MakeCall(kCallIncoming, 30);
    const CallRecord filed = File(call);

    const std::wstring finalPath = RecordingFolder() + Stamp(call.StartTime) + L"-in-001(Desk 8001)-5551234.wav";
    EXPECT_EQ(finalPath, Text(filed.FilePath));
    EXPECT_FALSE(FileExists(call.FilePath));
    EXPECT_EQ(AdpcmRecording(), ReadFileBytes(finalPath));
    EXPECT_EQ(L"Dana Quill", Text(filed.PhoneName));
    EXPECT_EQ(L"prefers mornings", Text(filed.CusNotes1));
    EXPECT_EQ(L"1 Harbour Rd", Text(filed.CusNotes2));
    EXPECT_EQ(L"Quill & Co", Text(filed.CusAJBH));
    EXPECT_EQ(Text(contact.UserID), Text(filed.CusAutoID));

    const std::vector<CallRecord> rows = RowsOf(m_today);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(finalPath, Text(rows[0].FilePath));
    EXPECT_EQ(L"Dana Quill", Text(rows[0].PhoneName));
    EXPECT_EQ(30, rows[0].RecTime);

    const std::vector<FtpJob> jobs = Jobs();
    ASSERT_EQ(1u, jobs.size());
    EXPECT_EQ(finalPath, Text(jobs[0].RecFilePath));
    EXPECT_EQ(L"5551234", Text(jobs[0].RecordNum));
    EXPECT_EQ(0, std::memcmp(&call.StartTime, &jobs[0].stStartRec, sizeof(SYSTEMTIME)));

    const std::vector<PushPeer::Frame> frames = permitted.Receive(kWaitMs);
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(0x0AF1, frames[0].Length);
    EXPECT_EQ(kFrameNewCdr, frames[0].Command);
    ASSERT_EQ(3 + sizeof(CallRecord), frames[0].Bytes.size());
    EXPECT_EQ(0, std::memcmp(&filed, frames[0].Bytes.data() + 3, sizeof(CallRecord)));
    EXPECT_TRUE(barred.Receive(0).empty()) << "a right other than 1 receives no record";
}

TEST_F(CallWriter, MinimumLengthDropsTheRecording) {
    WriteSettingInt(kSectionSettings, kKeyMinRec, 10);
    const struct {
        int CallType;
        int RecTime;
        bool Row;
        bool Kept;
    } cases[] = {
        {kCallIncoming, 9, true, false}, {kCallIncoming, 10, true, true},
        {kCallVoice, 3, true, false},    {kCallOutgoing, 5, false, false},  // no row, and no file left behind either
        {kCallOutgoing, 12, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "CallType " << c.CallType << ", " << c.RecTime << " s");
        const CallRecord call = MakeCall(c.CallType, c.RecTime);
        const size_t rowsBefore = RowsOf(m_today).size();
        const size_t jobsBefore = Jobs().size();
        Queue(call);
        File(MakeCall(kCallMissed, 0, L"sentinel"));  // everything queued before it is done

        const std::vector<CallRecord> rows = RowsOf(m_today);
        ASSERT_EQ(rowsBefore + (c.Row ? 2 : 1), rows.size());
        EXPECT_FALSE(FileExists(call.FilePath));
        if (!c.Row)
            continue;
        const CallRecord& row = rows[rowsBefore];
        EXPECT_EQ(c.Kept, FileExists(row.FilePath));
        EXPECT_EQ(c.Kept ? c.RecTime : 0, row.RecTime);
        EXPECT_EQ(c.Kept ? L"" : L"Too short", Text(row.CallNotes));
        EXPECT_EQ(jobsBefore + (c.Kept ? 1 : 0), Jobs().size()) << "only a kept recording is uploaded";
    }
}

TEST_F(CallWriter, BlacklistedNumbersLoseTheirRecordingWhenTheSettingAsks) {
    BlacklistRecord barred{};
    CopyToField(barred.Number, L"5550000");
    ASSERT_TRUE(TheContactStore().InsertBlacklist(barred));
    const struct {
        int Inbound, Outbound;
        int CallType;
        const wchar_t* Number;
        const wchar_t* Note;  // null: kept
    } cases[] = {
        {1, 0, kCallIncoming, L"5550000", L"Barred caller"},
        {0, 1, kCallOutgoing, L"5550000", L"Barred number"},
        {1, 0, kCallOutgoing, L"5550000", nullptr},
        {0, 1, kCallIncoming, L"5550000", nullptr},
        {1, 1, kCallIncoming, L"5550001", nullptr},
        {1, 1, kCallAutoAnswered, L"5550000", nullptr},
        {1, 1, kCallIncoming, L"%", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "in " << c.Inbound << " out " << c.Outbound << " type " << c.CallType);
        WriteSettingInt(kSectionSettings, kKeySaveHeimingDanInbound, c.Inbound);
        WriteSettingInt(kSectionSettings, kKeySaveHeimingDanOutbound, c.Outbound);
        const CallRecord filed = File(MakeCall(c.CallType, 20, c.Number));
        EXPECT_EQ(c.Note == nullptr, FileExists(filed.FilePath));
        EXPECT_EQ(c.Note ? 0 : 20, filed.RecTime);
        EXPECT_EQ(c.Note ? c.Note : L"", Text(filed.CallNotes));
    }
}

TEST_F(CallWriter, CallOfYesterdayGoesIntoYesterdaysDatabaseAndTheStoreComesBack) {
    SYSTEMTIME lateYesterday = AddSeconds(m_today, -24 * 3600);
    lateYesterday.wHour = 23;
    lateYesterday.wMinute = 59;
    lateYesterday.wSecond = 50;
    const CallRecord yesterdays = File(MakeCall(kCallIncoming, 20, L"5551234", lateYesterday));
    ASSERT_EQ(1u, RowsOf(lateYesterday).size());
    EXPECT_EQ(Text(yesterdays.FilePath), Text(RowsOf(lateYesterday)[0].FilePath));
    EXPECT_TRUE(RowsOf(m_today).empty());
    EXPECT_TRUE(FileExists(BackupCopy(L"BackupDBEx", m_today))) << "the day left behind is copied";

    File(MakeCall(kCallOutgoing, 20));
    EXPECT_EQ(1u, RowsOf(m_today).size());
    EXPECT_EQ(1u, RowsOf(lateYesterday).size());
    EXPECT_TRUE(FileExists(BackupCopy(L"BackupDBEx", lateYesterday)));
    EXPECT_TRUE(TodayCallStore().IsOnDate(m_today));
}

TEST_F(CallWriter, EveryTwoHundredthRecordCopiesItsDayDatabase) {
    const std::wstring copy = BackupCopy(L"BackupDBEX", m_today);
    // The count runs over the life of the process: first find where it stands.
    for (int i = 0; i < 200 && !FileExists(copy); ++i)
        File(MakeCall(kCallMissed, 0));
    ASSERT_TRUE(FileExists(copy));
    DeleteFileW(copy.c_str());
    for (int i = 0; i < 198; ++i)
        Queue(MakeCall(kCallMissed, 0));
    File(MakeCall(kCallMissed, 0, L"199th"));
    EXPECT_FALSE(FileExists(copy));
    File(MakeCall(kCallMissed, 0, L"200th"));
    EXPECT_TRUE(FileExists(copy));
}

TEST_F(CallWriter, InsertFailingTwiceIsLoggedAndTheNextCallReopensTheStore) {
    CSqliteDB blocker;
    blocker.OpenFile(CdrDayFile(m_today).c_str());
    blocker.ExecuteStatement(L"begin exclusive");
    PushPeer client(0);
    client.Permit(0);

    const CallRecord lost = File(MakeCall(kCallIncoming, 20, L"5557777"));

    blocker.ExecuteStatement(L"commit");
    blocker.CloseStoreQuietly();
    EXPECT_TRUE(RowsOf(m_today).empty());
    const std::vector<uint8_t> log = ReadFileBytes(m_folder.ProgramFolder() + L"\\DBLog\\DBLog.txt");
    ASSERT_EQ(sizeof(CallRecord), log.size());
    EXPECT_EQ(0, std::memcmp(&lost, log.data(), sizeof(CallRecord)));
    EXPECT_EQ(1u, client.Receive(kWaitMs).size()) << "the record is still pushed";
    EXPECT_EQ(1u, Jobs().size()) << "and queued for upload";

    SysLogStore sysLog;
    ASSERT_TRUE(sysLog.Open(SysLogDayFile(Today()).c_str()));
    std::vector<SysLogRow> rows;
    sysLog.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow& row) { rows.push_back(row); });
    sysLog.Close();
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(kSysLogCdrInsertFailed, rows[0].SysLog_Cmd);
    EXPECT_EQ(L"tovak", Text(rows[0].Name));
    wchar_t notes[300];
    const SYSTEMTIME& t = lost.StartTime;
    _snwprintf(notes, 300, L"%04d-%2d-%02d %02d%02d%02d 5557777 %ls", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
               t.wSecond, lost.FilePath);
    EXPECT_EQ(std::wstring(notes), Text(rows[0].Notes));

    const CallRecord next = File(MakeCall(kCallOutgoing, 20));
    const std::vector<CallRecord> stored = RowsOf(m_today);
    ASSERT_EQ(1u, stored.size());
    EXPECT_EQ(Text(next.FilePath), Text(stored[0].FilePath));
}

TEST_F(CallWriter, WithoutTheEncoderTheRowKeepsNamingTheRecording) {
    WriteSettingInt(kSectionSettings, kKeyAudioFmt, 1);
    const CallRecord filed = File(MakeCall(kCallIncoming, 10));
    const std::wstring path = Text(filed.FilePath);
    EXPECT_EQ(L".wav", path.substr(path.size() - 4));
    EXPECT_EQ(AdpcmRecording(), ReadFileBytes(path));
    EXPECT_EQ(path, Text(Jobs().at(0).RecFilePath));
}

TEST_F(CallWriter, CallsUpTo1799SecondsBecomeMp3) {
    ASSERT_TRUE(BindMp3EncoderLibrary(CallWriterEncoder(), kFakeEncoder));
    WriteSettingInt(kSectionSettings, kKeyAudioFmt, 1);
    const struct {
        int RecTime;
        bool Mp3;
    } cases[] = {{1799, true}, {1800, false}, {1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.RecTime << " s");
        const CallRecord filed = File(MakeCall(kCallIncoming, c.RecTime));
        const std::wstring path = Text(filed.FilePath);
        const std::wstring wav = path.substr(0, path.size() - 3) + L"wav";
        EXPECT_EQ(c.Mp3 ? L"mp3" : L"wav", path.substr(path.size() - 3));
        if (c.Mp3) {
            EXPECT_TRUE(
                WaitUntil([&] { return FileExists(path) && !FileExists(wav) && !FileExists(wav + L".pcm"); }, kWaitMs));
        } else {
            EXPECT_EQ(AdpcmRecording(), ReadFileBytes(path));
        }
    }
}

TEST_F(CallWriter, FailedMp3ConversionKeepsTheWavAndTheRowAndJobNameIt) {
    ASSERT_TRUE(BindMp3EncoderLibrary(CallWriterEncoder(), kFakeEncoder));
    const auto failAtChunk = reinterpret_cast<void (*)(int)>(
        reinterpret_cast<void*>(GetProcAddress(CallWriterEncoder().Library, "FakeEncoderReset")));
    ASSERT_NE(nullptr, failAtChunk);
    failAtChunk(0);  // beEncodeChunk fails on the first chunk
    WriteSettingInt(kSectionSettings, kKeyAudioFmt, 1);

    const CallRecord filed = File(MakeCall(kCallIncoming, 10));
    const std::wstring mp3 = Text(filed.FilePath);
    ASSERT_EQ(L"mp3", mp3.substr(mp3.size() - 3)) << "the row is written before the conversion";
    const std::wstring wav = mp3.substr(0, mp3.size() - 3) + L"wav";

    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<CallRecord> rows = RowsOf(m_today);
            const std::vector<FtpJob> jobs = Jobs();
            return rows.size() == 1 && Text(rows[0].FilePath) == wav && jobs.size() == 1 &&
                   Text(jobs[0].RecFilePath) == wav;
        },
        kWaitMs));
    const std::vector<uint8_t> kept = ReadFileBytes(wav);
    ASSERT_GE(kept.size(), sizeof(G711WavHeader));
    G711WavHeader header;
    std::memcpy(&header, kept.data(), sizeof(header));
    EXPECT_EQ(kWaveFormatALaw, header.FormatTag) << "the A-law file the conversion started from";
    EXPECT_FALSE(FileExists(mp3));
    EXPECT_FALSE(FileExists(wav + L".pcm"));
    EXPECT_FALSE(FileExists(wav + L"temp"));
}
