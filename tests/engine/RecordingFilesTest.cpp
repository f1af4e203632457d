#include "engine/CardEngineState.h"
#include "channels/ChannelTable.h"
#include "engine/RecordBlockCallback.h"
#include "engine/RecordingFiles.h"
#include "engine/RecordingFolders.h"
#include "engine/WavFormat.h"
#include "settings/DiskSpace.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

#include "QsSimControl.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <initializer_list>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kLine = 2;  // an event-driven analogue line of the scenario
constexpr int kSpy = 8;   // the first spy channel: circuit 0
constexpr uint64_t kMiB = 1 << 20;

std::map<std::wstring, uint64_t> g_freeBytes;  // folder -> free bytes; folders not listed fail the query

bool FakeDiskSpace(const wchar_t* folder, uint64_t& totalBytes, uint64_t& freeBytes) {
    const auto found = g_freeBytes.find(folder);
    if (found == g_freeBytes.end())
        return false;
    totalBytes = 1000 * kMiB * kMiB;
    freeBytes = found->second;
    return true;
}

std::string Simulator(const std::string& command) {
    std::vector<char> reply(1 << 20);
    QsSim_Command(command.c_str(), reply.data(), static_cast<int>(reply.size()));
    return reply.data();
}

// The driver calls journalled since the last "journal clear" whose names start with prefix, as
// "Function(arguments) = result".
std::vector<std::string> DriverCalls(const std::string& prefix) {
    std::istringstream reply(Simulator("journal 0 " + prefix));
    std::vector<std::string> calls;
    std::string line;
    std::getline(reply, line);  // OK <entries> <last>
    while (std::getline(reply, line)) {
        std::istringstream words(line);
        std::string sequence, ms, thread;
        words >> sequence >> ms >> thread;
        std::string call;
        std::getline(words >> std::ws, call);
        calls.push_back(call);
    }
    return calls;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// A test folder with started simulated boards (8 event-driven lines, then an E1 board whose channels tap circuits),
// RecFolder1 in the folder with room to spare, and the channel record of kLine and kSpy set up as the channel
// configuration would.
class RecordingFiles : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring scenario = folder.ProgramFolder() + L"\\boards.ini";
        WriteUtf16File(scenario,
                       L"[Simulator]\r\nSpeed=1\r\n[Board0]\r\nType=297\r\nSerialNo=1\r\n"
                       L"LineTypes=7,7,7,7,7,7,7,7\r\n[Board1]\r\nType=15\r\nSerialNo=2\r\n");
        ASSERT_EQ(Simulator("load \"" + Narrow(scenario) + "\"").substr(0, 2), "OK");
        ASSERT_EQ(QsdSys_EnableBoardEx("qscfg.ini", "prompt.ini"), QSD_OK);
        Simulator("journal clear");

        recordings = folder.ProgramFolder() + L"\\Rec\\";
        ::CreateDirectoryW(recordings.c_str(), nullptr);
        WriteSettingString(kSectionSettings, kKeyRecFolderN[0], recordings.c_str());
        g_freeBytes = {{recordings, 500 * kMiB}};
        SetDiskSpaceQuery(FakeDiskSpace);

        for (int channel : {kLine, kSpy}) {
            ChannelRecord& record = ChannelTable[channel];
            record.DriverChannel = channel;
            record.LineType = channel == kSpy ? QSD_CHTYPE_SPY : QSD_CHTYPE_LINE_TRUNK;
            record.SpyCic = channel == kSpy ? 0 : channel;
        }
    }

    void TearDown() override {
        for (int channel : {kLine, kSpy}) {
            ChannelRecord& record = ChannelTable[channel];
            QsdVox_StopRec(channel);
            QsdSpy_StopRecToMem(record.SpyCic);
            record.FileHandle.Close();
            ClearCallInfo(record);
        }
        QsdSys_DisableBoard();
        SetDiskSpaceQuery(nullptr);
        SetBlockAppendHook(nullptr);
    }

    void SetAudioFmt(int audioFmt) { WriteSettingInt(kSectionSettings, kKeyAudioFmt, audioFmt); }

    TestFolder folder;
    std::wstring recordings;
};

// Opens a file of the test as the channel's recording with its placeholder header, as a recording start would.
void OpenTestRecording(ChannelRecord& record, const std::wstring& path, int audioFmt) {
    record.AudioFmt = audioFmt;
    record.FileHandle.Attach(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    ::lstrcpynW(record.FilePath, path.c_str(), MAX_PATH);
    const std::vector<uint8_t> placeholder(RecordingHeaderBytes(audioFmt), 0);
    DWORD written = 0;
    ::WriteFile(record.FileHandle.Get(), placeholder.data(), static_cast<DWORD>(placeholder.size()), &written, nullptr);
}

DWORD FileSize(HANDLE file) {
    return ::GetFileSize(file, nullptr);
}

}  // namespace

TEST(RecordingFolders, FirstFolderWithRoomWinsAndTheFifthNeedsNone) {
    TestFolder folder;
    SetDiskSpaceQuery(FakeDiskSpace);
    struct Row {
        const wchar_t* folders[5];
        uint64_t freeMB[5];  // 0: the query fails
        const wchar_t* chosen;
    };
    const Row rows[] = {
        {{L"A\\", L"", L"C\\", L"D\\", L"E\\"}, {150, 0, 300, 300, 300}, L"C\\"},
        {{L"A\\", L"", L"C\\", L"D\\", L"E\\"}, {150, 0, 0, 250, 300}, L"D\\"},
        {{L"A\\", L"", L"C\\", L"D\\", L"E\\"}, {150, 0, 199, 10, 0}, L"E\\"},  // the fifth is not measured
        {{L"A\\", L"B\\", L"C\\", L"D\\", L""}, {199, 1, 2, 3, 0}, L""},
        {{L"", L"", L"", L"", L""}, {0, 0, 0, 0, 0}, L""},
        {{L"A\\", L"B\\", L"", L"", L""}, {200, 300, 0, 0, 0}, L"A\\"},  // exactly 200 MiB is enough
    };
    for (const Row& row : rows) {
        g_freeBytes.clear();
        for (int i = 0; i < 5; ++i) {
            WriteSettingString(kSectionSettings, kKeyRecFolderN[i], row.folders[i]);
            if (row.freeMB[i])
                g_freeBytes[row.folders[i]] = row.freeMB[i] * kMiB + 1023;
        }
        EXPECT_EQ(ChooseRecordingFolder(), row.chosen);
    }
    g_freeBytes = {{L"A\\", 200 * kMiB - 1}};
    WriteSettingString(kSectionSettings, kKeyRecFolderN[0], L"A\\");
    EXPECT_EQ(ChooseRecordingFolder(), L"");
    SetDiskSpaceQuery(nullptr);
}

TEST(RecordingFolders, TemporaryNameLiesInTheDatedChannelFolder) {
    TestFolder folder;
    const std::wstring base = folder.ProgramFolder() + L"\\Rec\\";
    ::CreateDirectoryW(base.c_str(), nullptr);
    SYSTEMTIME start{};
    start.wYear = 2024;
    start.wMonth = 3;
    start.wDay = 5;
    start.wHour = 7;
    start.wMinute = 8;
    start.wSecond = 9;

    EXPECT_EQ(PrepareRecordingPath(base, 0, start), base + L"2024\\202403\\20240305\\001\\20240305070809-Out-L001.wav");
    EXPECT_TRUE(FileExists(base + L"2024\\202403\\20240305\\001"));
    EXPECT_EQ(PrepareRecordingPath(base, 511, start),
              base + L"2024\\202403\\20240305\\512\\20240305070809-Out-L512.wav");

    // A path that would not fit is refused, not cut.
    const std::wstring deep = base + std::wstring(200, L'x') + L"\\";
    EXPECT_EQ(PrepareRecordingPath(deep, 0, start), L"");
}

TEST_F(RecordingFiles, StartWritesThePlaceholderAndStartsTheDriverWithTheFormatsCodec) {
    struct Row {
        int setting;
        int audioFmt;
        int codec;
        DWORD header;
    };
    const Row rows[] = {
        {0, 0, 0x11, 60},  {1, 1, 0x11, 60}, {2, 2, 6, 58},
        {3, 3, 7, 58},     {7, 0, 0x11, 60},  // out of range counts as 0
        {-1, 0, 0x11, 60},                    // absent
    };
    ChannelRecord& record = ChannelTable[kLine];
    for (const Row& row : rows) {
        SetAudioFmt(row.setting);
        Simulator("journal clear");
        ASSERT_TRUE(StartLineRecording(record)) << "AudioFmt " << row.setting;

        EXPECT_EQ(record.AudioFmt, row.audioFmt);
        const std::wstring path = record.FilePath;
        EXPECT_EQ(path.rfind(recordings, 0), 0u);
        EXPECT_EQ(path.substr(path.size() - 13), L"-Out-L003.wav");
        ASSERT_NE(record.FileHandle.Get(), INVALID_HANDLE_VALUE);
        EXPECT_EQ(ReadFileBytes(path), std::vector<uint8_t>(row.header, 0));

        const std::vector<std::string> calls = DriverCalls("QsdVox_RecordMemBlock");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].rfind("QsdVox_RecordMemBlock(2, " + std::to_string(row.codec) + ", ", 0), 0u) << calls[0];
        EXPECT_NE(calls[0].find(", 122880, "), std::string::npos) << calls[0];
        EXPECT_EQ(calls[0].substr(calls[0].size() - 4), " = 0");

        EXPECT_TRUE(StopLineRecorder(record));
        record.FileHandle.Close();
        ClearCallInfo(record);
    }
}

TEST_F(RecordingFiles, NothingIsRecordedWithoutAFolder) {
    for (int i = 0; i < 5; ++i)
        WriteSettingString(kSectionSettings, kKeyRecFolderN[i], L"");
    ChannelRecord& record = ChannelTable[kLine];
    EXPECT_FALSE(StartLineRecording(record));
    EXPECT_EQ(record.FileHandle.Get(), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(DriverCalls("QsdVox_RecordMemBlock").empty());
}

TEST_F(RecordingFiles, DriverRefusalIsRetriedOnceAfterAStop) {
    ChannelRecord& record = ChannelTable[kLine];
    Simulator("fail QsdVox_RecordMemBlock 1");
    EXPECT_TRUE(StartLineRecording(record));
    const std::vector<std::string> starts = DriverCalls("QsdVox_RecordMemBlock");
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[0].substr(starts[0].size() - 5), " = -1");
    EXPECT_EQ(starts[1].substr(starts[1].size() - 4), " = 0");
    EXPECT_EQ(DriverCalls("QsdVox_"), (std::vector<std::string>{starts[0], "QsdVox_StopRec(2) = 0", starts[1]}));
    record.FileHandle.Close();
    ClearCallInfo(record);

    // Refused twice: the start fails and the file stays open for the call's end to close.
    Simulator("fail QsdVox_RecordMemBlock 2");
    EXPECT_FALSE(StartLineRecording(record));
    EXPECT_NE(record.FileHandle.Get(), INVALID_HANDLE_VALUE);
}

TEST_F(RecordingFiles, KeepFlagOfDtmfModeFollowsTheKeys) {
    struct Row {
        const wchar_t* keySave;
        const wchar_t* keyDel;
        int keep;
    };
    const Row rows[] = {{L"", L"", 1}, {L"*1", L"", 1}, {L"", L"*2", 1}, {L"*1", L"*2", 0}};
    ChannelRecord& record = ChannelTable[kLine];
    record.Rec = 1;
    for (const Row& row : rows) {
        ::lstrcpynW(record.KeySave, row.keySave, 32);
        ::lstrcpynW(record.KeyDel, row.keyDel, 32);
        record.KeepRecording = -1;
        ASSERT_TRUE(StartLineRecording(record));
        EXPECT_EQ(record.KeepRecording, row.keep);
        record.FileHandle.Close();
        ClearCallInfo(record);
    }
    record.Rec = 0;
}

TEST_F(RecordingFiles, SpyRecordingRunsOnTheCircuit) {
    SetAudioFmt(2);
    ChannelRecord& record = ChannelTable[kSpy];
    ASSERT_TRUE(StartSpyRecording(record));
    EXPECT_EQ(std::wstring(record.FilePath).substr(wcslen(record.FilePath) - 13), L"-Out-L009.wav");
    EXPECT_TRUE(RestartSpyRecording(record));
    EXPECT_TRUE(StopSpyRecorder(record));

    const std::vector<std::string> calls = DriverCalls("QsdSpy_");
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].rfind("QsdSpy_RecToMem(0, 2, ", 0), 0u) << calls[0];
    EXPECT_NE(calls[0].find(", 6, 122880, 0) = 0"), std::string::npos) << calls[0];
    EXPECT_EQ(calls[1], "QsdSpy_StopRecToMem(0) = 0");
    EXPECT_EQ(calls[2].rfind("QsdSpy_RecToMem(0, 2, ", 0), 0u) << calls[2];
    EXPECT_EQ(calls[3], "QsdSpy_StopRecToMem(0) = 0");
}

TEST_F(RecordingFiles, RearmNeedsABufferAndAFile) {
    ChannelRecord& record = ChannelTable[kLine];
    record.Buffer.reset();
    EXPECT_FALSE(RearmRecordBlock(record));
    ASSERT_TRUE(StartLineRecording(record));
    EXPECT_TRUE(RearmRecordBlock(record));
    record.FileHandle.Close();
    Simulator("journal clear");
    EXPECT_FALSE(RearmRecordBlock(record));
    EXPECT_FALSE(RestartSpyRecording(record));
    EXPECT_TRUE(DriverCalls("Qsd").empty());
}

TEST_F(RecordingFiles, BlockRules) {
    struct Row {
        int audioFmt;
        int event;
        int bytes;
        DWORD appended;
    };
    const Row rows[] = {
        {0, 4, 1000, 0},        {0, 4, 1300, 1280},  // whole ADPCM blocks only
        {0, 4, 1279, 0},                             // cut to 1024, then too short
        {0, 4, 122880, 122880}, {2, 4, 1025, 1025}, {2, 4, 1024, 0},
        {3, 4, 122881, 0},      {2, 3, 8000, 0},  // not a filled block
    };
    std::vector<uint8_t> block(122881);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<uint8_t>(i * 7 + 1);
    ChannelRecord& record = ChannelTable[kLine];
    for (const Row& row : rows) {
        OpenTestRecording(record, PathIn(folder, L"blocks.wav"), row.audioFmt);
        record.MonitorPos = 777;
        EXPECT_EQ(RecordBlockCallback(kLine, row.event, block.data(), row.bytes, 0), 1);
        EXPECT_EQ(record.MonitorPos, 0);
        const DWORD header = RecordingHeaderBytes(row.audioFmt);
        ASSERT_EQ(FileSize(record.FileHandle.Get()), header + row.appended) << row.audioFmt << "/" << row.bytes;
        record.FileHandle.Close();
        const std::vector<uint8_t> file = ReadFileBytes(PathIn(folder, L"blocks.wav"));
        EXPECT_TRUE(std::equal(file.begin() + header, file.end(), block.begin()));
    }
    // A null block and a channel outside the table are ignored.
    OpenTestRecording(record, PathIn(folder, L"blocks.wav"), 2);
    EXPECT_EQ(RecordBlockCallback(kLine, 4, nullptr, 8000, 0), 1);
    EXPECT_EQ(RecordBlockCallback(kMaxChannels, 4, block.data(), 8000, 0), 1);
    EXPECT_EQ(RecordBlockCallback(-1, 4, block.data(), 8000, 0), 1);
    EXPECT_EQ(FileSize(record.FileHandle.Get()), 58u);
}

TEST_F(RecordingFiles, DriverBlocksReachTheFile) {
    Simulator("set speed 100");
    SetAudioFmt(2);
    ChannelRecord& record = ChannelTable[kLine];
    ASSERT_TRUE(StartLineRecording(record));
    // Two blocks: the second proves the callback re-armed the driver.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (FileSize(record.FileHandle.Get()) < 58 + 2 * 122880u && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(StopLineRecorder(record));
    std::lock_guard<std::recursive_mutex> lock(record.FileLock);
    const DWORD size = FileSize(record.FileHandle.Get());
    EXPECT_GE(size, 58 + 2 * 122880u);
    EXPECT_EQ((size - 58) % 122880, 0u);
    EXPECT_GE(DriverCalls("QsdVox_RecordMemBlock").size(), 3u);
}

TEST_F(RecordingFiles, FileOf64MiBBecomesACallOfItsOwn) {
    WriteSettingString(kSectionSettings, kKeyLocalName, L"Site");
    WriteSettingString(kSectionSettings, kKeyLocalSerialNo, L"42");
    struct Row {
        int rec;
        int recordAll;
        int direction;
        int callType;
        const wchar_t* number;
    };
    const Row rows[] = {
        {0, 0, 1, 1, L"5551234"},  // incoming: the caller
        {0, 0, 0, 2, L"8001"},     // outgoing: the dialled digits
        {2, 0, 1, 4, L"8001"},     // voice-activated
        {0, 1, 1, 4, L"8001"},     // record-all window
    };
    std::vector<uint8_t> block(122880, 0x5A);
    ChannelRecord& record = ChannelTable[kLine];
    ::lstrcpynW(record.Name, L"Front desk", 64);
    ::lstrcpynW(record.Phone, L"100", 64);
    int segment = 0;
    for (const Row& row : rows) {
        const std::wstring old = PathIn(folder, L"segment" + std::to_wstring(++segment) + L".wav");
        OpenTestRecording(record, old, 0);
        record.Rec = row.rec;
        record.RecordAllActive = row.recordAll;
        record.Direction = row.direction;
        lstrcpynA(record.CallerId, "5551234", 64);
        lstrcpynA(record.DialledDigits, "8001", 64);
        record.RecordedMs = 4200300;
        record.RingCount = 2;
        record.StartTime.wYear = 2020;
        // Grow the file to just below 64 MiB; the next block passes it.
        ::SetFilePointer(record.FileHandle.Get(), kRecordingSplitBytes - 1000, nullptr, FILE_BEGIN);
        ::SetEndOfFile(record.FileHandle.Get());
        Simulator("journal clear");

        EXPECT_EQ(RecordBlockCallback(kLine, 4, block.data(), static_cast<int>(block.size()), 0), 1);

        // The old file is finished and closed.
        const std::vector<uint8_t> file = ReadFileBytes(old);
        const uint32_t size = kRecordingSplitBytes - 1000 + 122880;
        ASSERT_EQ(file.size(), size);
        ImaWavHeader expected = MakeImaWavHeader(size);
        EXPECT_EQ(std::memcmp(file.data(), &expected, sizeof(expected)), 0);
        EXPECT_TRUE(::DeleteFileW(old.c_str()));

        // It is queued as a finished call.
        std::unique_ptr<CallRecord> call = EngineState.CallQueue.Pop();
        ASSERT_TRUE(call);
        EXPECT_EQ(call->Channel, kLine);
        EXPECT_EQ(call->CallType, row.callType);
        EXPECT_EQ(call->RecTime, 4200);
        EXPECT_EQ(call->RingCnt, 2);
        EXPECT_EQ(call->StartTime.wYear, 2020);
        EXPECT_STREQ(call->PhoneNumber, row.number);
        EXPECT_STREQ(call->ChannelName, L"Front desk");
        EXPECT_STREQ(call->ChannelPhone, L"100");
        EXPECT_STREQ(call->SiteName, L"Site");
        EXPECT_STREQ(call->SiteNumber, L"42");
        EXPECT_EQ(call->FilePath, old);
        EXPECT_EQ(call->CloudSave + call->Ftp + call->Flag, 0);
        EXPECT_FALSE(EngineState.CallQueue.Pop());

        // The call goes on in a new file with a new start.
        EXPECT_EQ(record.RecordedMs, 0);
        EXPECT_NE(record.StartTime.wYear, 2020);
        EXPECT_EQ(std::wstring(record.FilePath).rfind(recordings, 0), 0u);
        EXPECT_EQ(ReadFileBytes(record.FilePath), std::vector<uint8_t>(60, 0));
        EXPECT_EQ(DriverCalls("QsdVox_RecordMemBlock").size(), 1u);
        record.FileHandle.Close();
        ::DeleteFileW(record.FilePath);
        ClearCallInfo(record);
    }
}

TEST_F(RecordingFiles, FinalHeaderFollowsTheFormatAndTheFileLength) {
    struct Row {
        int audioFmt;
        DWORD dataBytes;
    };
    const Row rows[] = {{0, 10000}, {1, 4096}, {2, 1000}, {3, 0}, {7, 5000}};
    for (const Row& row : rows) {
        const std::wstring path = PathIn(folder, L"final.wav");
        ChannelRecord& record = ChannelTable[kLine];
        OpenTestRecording(record, path, row.audioFmt);
        const std::vector<uint8_t> data(row.dataBytes, 0x33);
        DWORD written = 0;
        ::WriteFile(record.FileHandle.Get(), data.data(), row.dataBytes, &written, nullptr);

        ASSERT_TRUE(FinishWavHeader(record.FileHandle.Get(), record));
        const DWORD header = RecordingHeaderBytes(row.audioFmt);
        EXPECT_EQ(::SetFilePointer(record.FileHandle.Get(), 0, nullptr, FILE_CURRENT), header);
        record.FileHandle.Close();

        const std::vector<uint8_t> file = ReadFileBytes(path);
        ASSERT_EQ(file.size(), header + row.dataBytes);
        if (header == 58) {
            const G711WavHeader expected =
                MakeG711WavHeader(row.audioFmt == 2 ? 6 : 7, row.dataBytes, kRecordingG711FactValue);
            EXPECT_EQ(std::memcmp(file.data(), &expected, 58), 0) << row.audioFmt;
        } else {
            const ImaWavHeader expected = MakeImaWavHeader(header + row.dataBytes);
            EXPECT_EQ(std::memcmp(file.data(), &expected, 60), 0) << row.audioFmt;
        }
    }
    EXPECT_FALSE(FinishWavHeader(INVALID_HANDLE_VALUE, ChannelTable[kLine]));
}

TEST_F(RecordingFiles, CallInfoResetLeavesTheFileToItsOwner) {
    ChannelRecord& record = ChannelTable[kLine];
    OpenTestRecording(record, PathIn(folder, L"owned.wav"), 2);
    const HANDLE file = record.FileHandle.Get();
    lstrcpynA(record.DialledDigits, "1", 64);
    lstrcpynA(record.CallerId, "2", 64);
    lstrcpynA(record.SpyCallerId, "3", 64);
    lstrcpynA(record.SpyCalleeId, "4", 64);
    record.MonitorPos = record.Direction = record.Ringing = record.RingMs = record.RingCount = 5;
    record.RecordedMs = record.KeepRecording = record.DtmfPos = record.DtmfActive = record.NumberFrozen = 5;
    record.SpyConnected = record.DtmfIdleMs = record.AutoAnswered = record.OffHookMs = 5;

    ClearCallInfo(record);

    EXPECT_EQ(record.FileHandle.Get(), INVALID_HANDLE_VALUE);
    EXPECT_STREQ(record.FilePath, L"");
    EXPECT_STREQ(record.DialledDigits, "");
    EXPECT_STREQ(record.CallerId, "");
    EXPECT_STREQ(record.SpyCallerId, "");
    EXPECT_STREQ(record.SpyCalleeId, "");
    for (int value : std::initializer_list<int>{
             record.MonitorPos, record.Direction, record.Ringing, record.RingMs, record.RingCount, record.RecordedMs,
             record.KeepRecording, record.DtmfPos, record.DtmfActive, record.NumberFrozen, record.SpyConnected})
        EXPECT_EQ(value, 0);
    EXPECT_EQ(record.DtmfIdleMs, 5);
    EXPECT_EQ(record.AutoAnswered, 5);
    EXPECT_EQ(record.OffHookMs, 5);
    // The handle was not closed.
    EXPECT_EQ(FileSize(file), 58u);
    EXPECT_TRUE(::CloseHandle(file));
}

namespace {

std::mutex g_appendLock;
std::condition_variable g_appendChanged;
bool g_appendEntered = false;
bool g_appendMayGoOn = false;

void HoldAppend(int) {
    std::unique_lock<std::mutex> lock(g_appendLock);
    g_appendEntered = true;
    g_appendChanged.notify_all();
    g_appendChanged.wait(lock, [] { return g_appendMayGoOn; });
}

}  // namespace

// A block being appended on the driver's thread while another thread ends the call: the end waits for the append,
// so the block lands in its own call's file and never in a file opened afterwards under a reused handle.
TEST_F(RecordingFiles, AppendAndCloseNeverInterleave) {
    ChannelRecord& record = ChannelTable[kLine];
    const std::wstring first = PathIn(folder, L"first.wav");
    OpenTestRecording(record, first, 2);
    SetBlockAppendHook(HoldAppend);
    std::vector<uint8_t> block(8000, 0xAA);
    std::thread driver([&] { RecordBlockCallback(kLine, 4, block.data(), static_cast<int>(block.size()), 0); });
    {
        std::unique_lock<std::mutex> lock(g_appendLock);
        ASSERT_TRUE(g_appendChanged.wait_for(lock, std::chrono::seconds(10), [] { return g_appendEntered; }));
    }
    // The append holds the channel's lock.
    EXPECT_FALSE(record.FileLock.try_lock());

    HANDLE next = INVALID_HANDLE_VALUE;
    std::thread ending([&] {
        std::lock_guard<std::recursive_mutex> lock(record.FileLock);
        FinishWavHeader(record.FileHandle.Get(), record);
        record.FileHandle.Close();
        next = ::CreateFileW(PathIn(folder, L"next.wav").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    });
    {
        std::lock_guard<std::mutex> lock(g_appendLock);
        g_appendMayGoOn = true;
    }
    g_appendChanged.notify_all();
    driver.join();
    ending.join();
    ::CloseHandle(next);

    const std::vector<uint8_t> file = ReadFileBytes(first);
    ASSERT_EQ(file.size(), 58u + 8000);
    EXPECT_EQ(U32At(file, 54), 8000u);
    EXPECT_EQ(ReadFileBytes(PathIn(folder, L"next.wav")).size(), 0u);
}
