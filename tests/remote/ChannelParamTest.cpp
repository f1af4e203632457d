// A channel's recording parameters read and written by a client: defaults on reading, the settings file, the live
// channel record and the schedule files on writing.

#include "ClientCommandTest.h"

#include "channels/ChannelTable.h"
#include "engine/Schedules.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

namespace {

constexpr uint8_t kRead = 0;
constexpr uint8_t kWrite = 1;
constexpr int kVoltageLine = 1;
constexpr int kEventLine = 2;

std::vector<uint8_t> ReadPayload(int channel) {
    return {kRead, static_cast<uint8_t>(channel & 0xFF), static_cast<uint8_t>(channel >> 8)};
}

ScheduleDayBlock MondayWindow() {
    ScheduleDayBlock day{};
    day.Window[0].Start.wHour = 9;
    day.Window[0].End.wHour = 17;
    day.Window[0].End.wMinute = 30;
    day.Enabled[0] = 1;
    return day;
}

ChannelParamBlock Block(int channel) {
    ChannelParamBlock block{};
    block.Channel = channel;
    block.Rec = 1;
    block.Trigger = 12;
    block.SoundTime = 300;
    block.MuteTime = 4000;
    block.PickupVoltage = 25;
    block.Announcement = 1;
    block.AutoAnserWaitRingCnt = 5;
    block.AutoAnswerMaxTimeLong = 90;
    block.CallerIDFormat = 1;
    block.HookOnTime = -5;
    block.HookOffTime = 150;
    CopyToField(block.AnnouncementFile, L"hello.wav");
    CopyToField(block.AutoFile, L"Greetings\\auto.wav");
    CopyToField(block.Name, L"Front desk");
    CopyToField(block.Phone, L"8001");
    CopyToField(block.KeySave, L"*1");
    CopyToField(block.KeyDel, L"*2");
    block.RecordAllWeek[0] = MondayWindow();
    block.AutoAnswerWeek[0] = MondayWindow();
    block.AutoAnswerWeek[0].Window[1].Start.wHour = 20;
    return block;
}

std::wstring ChannelText(int channel, const wchar_t* key) {
    return ReadSettingString(kSectionChannelParam, ChannelKey(channel, key).c_str());
}

int ChannelInt(int channel, const wchar_t* key) {
    return ReadSettingInt(kSectionChannelParam, ChannelKey(channel, key).c_str());
}

bool SameDay(const ScheduleDayBlock& a, const ScheduleDayBlock& b) {
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}

class ChannelParamTest : public ClientCommandTest {
protected:
    void SetUp() override {
        ClientCommandTest::SetUp();
        AddAccount(L"alice", L"secret", RightsFor({kVoltageLine, kEventLine}));
        ChannelTable[kEventLine].LineType = QSD_CHTYPE_LINE_TRUNK;
    }

    // Sends a write and waits until the channel's row was refreshed.
    bool Write(ProtocolClient& client, const ChannelParamBlock& block) {
        client.SendFrame(kCmdChannelParams, WithSubCommand(kWrite, BytesOf(block)));
        return m_view.WaitFor(
            [&](const std::vector<RecordingServiceView::Call>& calls) {
                for (const auto& call : calls) {
                    if (call.Method == "ChannelSettingsChanged" && call.Channel == block.Channel)
                        return true;
                }
                return false;
            },
            kWaitMs);
    }

    ChannelParamBlock Read(ProtocolClient& client, int channel) {
        client.SendFrame(kCmdChannelParams, ReadPayload(channel));
        const auto reply = client.ReceiveCommand(kFrameChannelParams, kWaitMs);
        EXPECT_TRUE(reply);
        if (!reply)
            return {};
        EXPECT_EQ(reply->Length, 0x0CC2);
        EXPECT_EQ(reply->Payload[0], kRead);
        return reply->As<ChannelParamBlock>(1);
    }
};

}  // namespace

TEST_F(ChannelParamTest, ReadOfAChannelWithoutSettingsGivesTheDefaults) {
    ChannelTable[3].RecordAllWeek[6] = MondayWindow();
    ChannelTable[3].RecordAllWeek[1].Enabled[2] = 1;
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    const ChannelParamBlock block = Read(client, 3);

    EXPECT_EQ(block.Channel, 3);
    EXPECT_EQ(block.Rec, 0);
    EXPECT_EQ(block.Trigger, 0);
    EXPECT_EQ(block.SoundTime, 0);
    EXPECT_EQ(block.MuteTime, 0);
    EXPECT_EQ(block.PickupVoltage, 20);
    EXPECT_EQ(block.Announcement, 0);
    EXPECT_EQ(block.AutoAnserWaitRingCnt, 3);
    EXPECT_EQ(block.AutoAnswerMaxTimeLong, 30);
    EXPECT_EQ(block.CallerIDFormat, 0);
    EXPECT_EQ(block.HookOnTime, 800);
    EXPECT_EQ(block.HookOffTime, 100);
    EXPECT_EQ(std::wstring(block.Name), L"");
    EXPECT_EQ(std::wstring(block.AnnouncementFile), L"");
    EXPECT_TRUE(SameDay(block.RecordAllWeek[0], MondayWindow())) << "the channel's Saturday";
    for (int day = 1; day < kScheduleDays; ++day) {
        EXPECT_TRUE(SameDay(block.RecordAllWeek[day], ScheduleDayBlock{})) << day;
        EXPECT_TRUE(SameDay(block.AutoAnswerWeek[day], ScheduleDayBlock{})) << day;
    }

    client.SendFrame(kCmdChannelParams, ReadPayload(600));
    EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty());
}

TEST_F(ChannelParamTest, WriteGoesToTheSettingsTheChannelAndEveryDaysSchedule) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    const ChannelParamBlock block = Block(kEventLine);

    ASSERT_TRUE(Write(client, block));

    EXPECT_EQ(ChannelText(kEventLine, kChannelName), L"Front desk");
    EXPECT_EQ(ChannelText(kEventLine, kChannelKeyDel), L"*2");
    EXPECT_EQ(ChannelText(kEventLine, kChannelAutoFile), L"Greetings\\auto.wav");
    EXPECT_EQ(ChannelInt(kEventLine, kChannelRec), 1);
    EXPECT_EQ(ChannelInt(kEventLine, kChannelMuteTime), 4000);
    EXPECT_EQ(ChannelInt(kEventLine, kChannelHookOnTime), -5) << "stored as received";

    const ChannelRecord& record = ChannelTable[kEventLine];
    EXPECT_EQ(std::wstring(record.Name), L"Front desk");
    EXPECT_EQ(std::wstring(record.KeySave), L"*1");
    EXPECT_EQ(std::wstring(record.AnnouncementFile), L"hello.wav");
    EXPECT_EQ(record.Rec, 1);
    EXPECT_EQ(record.PickupVoltage, 25);
    EXPECT_EQ(record.AutoAnswerMaxTimeLong, 90);
    EXPECT_EQ(record.HookOffTime, 150);
    ScheduleDayBlock recordAll[kScheduleDays];
    ScheduleDayBlock autoAnswer[kScheduleDays];
    ReadScheduleWeek(RecordAllSchedulePath(kEventLine), recordAll);
    ReadScheduleWeek(AutoAnswerSchedulePath(kEventLine), autoAnswer);
    for (int day = 0; day < kScheduleDays; ++day) {
        EXPECT_TRUE(SameDay(record.RecordAllWeek[day], MondayWindow())) << day;
        EXPECT_TRUE(SameDay(record.AutoAnswerWeek[day], block.AutoAnswerWeek[0])) << day;
        EXPECT_TRUE(SameDay(recordAll[day], MondayWindow())) << day;
        EXPECT_TRUE(SameDay(autoAnswer[day], block.AutoAnswerWeek[0])) << day;
    }
    EXPECT_EQ(FileBytes(RecordAllSchedulePath(kEventLine)).size(), size_t{kScheduleFileBytes});

    const ChannelParamBlock read = Read(client, kEventLine);
    EXPECT_EQ(read.HookOnTime, 800) << "only a read replaces a negative value";
    EXPECT_EQ(read.MuteTime, 4000);
    EXPECT_EQ(std::wstring(read.Phone), L"8001");
}

TEST_F(ChannelParamTest, VoiceRecordingModeIsNotTakenForAVoltageWatchedLine) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    ChannelParamBlock block = Block(kVoltageLine);
    block.Rec = 2;

    ASSERT_TRUE(Write(client, block));

    EXPECT_EQ(ChannelInt(kVoltageLine, kChannelRec), -1);
    EXPECT_EQ(ChannelTable[kVoltageLine].Rec, 0);
    EXPECT_EQ(ChannelText(kVoltageLine, kChannelName), L"Front desk") << "the other values are written";
}

TEST_F(ChannelParamTest, TextsCannotBreakIntoOtherSettings) {
    WriteSettingInt(kSectionSettings, kKeyFtpBackup, 1);
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    ChannelParamBlock block = Block(kEventLine);
    CopyToField(block.Name, L"x\r\nFtpBackup=0");
    CopyToField(block.Phone, L"1\n[Settings]\nFtpBackup=0");
    std::fill(std::begin(block.KeySave), std::end(block.KeySave), L'7');  // no terminator

    ASSERT_TRUE(Write(client, block));

    EXPECT_EQ(ReadSettingInt(kSectionSettings, kKeyFtpBackup), 1);
    EXPECT_EQ(ReadSettingInt(kSectionChannelParam, L"FtpBackup"), -1);
    EXPECT_EQ(ChannelText(kEventLine, kChannelName), L"x  FtpBackup=0");
    EXPECT_EQ(std::wstring(ChannelTable[kEventLine].Phone), L"1 [Settings] FtpBackup=0");
    EXPECT_EQ(ChannelText(kEventLine, kChannelKeySave), L"7777777");
}

TEST_F(ChannelParamTest, WritesThatMayNotBeMadeChangeNothing) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    const std::vector<uint8_t> written = WithSubCommand(kWrite, BytesOf(Block(kEventLine)));
    std::vector<uint8_t> longer = written;
    longer.push_back(0);
    const struct {
        const char* Name;
        std::vector<uint8_t> Payload;
    } cases[] = {
        {"a channel without right", WithSubCommand(kWrite, BytesOf(Block(3)))},
        {"channel -5", WithSubCommand(kWrite, BytesOf(Block(-5)))},
        {"channel 600", WithSubCommand(kWrite, BytesOf(Block(600)))},
        {"one byte short", {written.begin(), written.end() - 1}},
        {"one byte long", longer},
    };
    for (const auto& c : cases)
        client.SendFrame(kCmdChannelParams, c.Payload);
    ChannelParamBlock allowed = Block(kVoltageLine);
    CopyToField(allowed.Name, L"allowed");
    ASSERT_TRUE(Write(client, allowed));

    for (int channel : {3, kEventLine}) {
        EXPECT_EQ(ChannelText(channel, kChannelName), L"") << channel;
        EXPECT_EQ(std::wstring(ChannelTable[channel].Name), L"") << channel;
        EXPECT_FALSE(FileExists(RecordAllSchedulePath(channel))) << channel;
    }
    int refreshed = 0;
    for (const auto& call : m_view.Calls())
        refreshed += call.Method == "ChannelSettingsChanged";
    EXPECT_EQ(refreshed, 1);
}

// Greetings are played on the engine's real-time threads: only files of the program's own folders are taken, and a
// write naming any other file is refused whole.
TEST_F(ChannelParamTest, GreetingsOutsideTheProgramFoldersAreRefused) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    const std::wstring program = m_folder.ProgramFolder();
    const std::wstring accounts = m_folder.DataFolder() + L"\\MyLoginClient.db";
    const struct {
        std::wstring Greeting;
        bool Stored;
    } cases[] = {
        {L"\\\\host\\share\\x.wav", false},
        {L"//host/share/x.wav", false},
        {L"\\\\?\\C:\\x.wav", false},
        {L"\\\\.\\COM1", false},
        {L"..\\..\\x.wav", false},
        {L"Greetings\\..\\..\\x.wav", false},
        {accounts, false},
        {program + L"\\..\\x.wav", false},
        {L"\\x.wav", false},
        {L"C:x.wav", false},
        {L"Welcome.wav:stream", false},
        {L"COM1.wav", false},
        {L"Welcome.txt", false},
        {program + L"\\Greetings\\Welcome.wav", true},
        {L"Welcome.wav", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Greeting.begin(), c.Greeting.end()));
        for (bool autoFile : {false, true}) {
            ChannelParamBlock block = Block(kEventLine);
            CopyToField(autoFile ? block.AutoFile : block.AnnouncementFile, c.Greeting.c_str());
            CopyToField(block.Name, autoFile ? L"auto" : L"greeting");
            WritePrivateProfileStringW(kSectionChannelParam, ChannelKey(kEventLine, kChannelName).c_str(), nullptr,
                                       SettingsFilePath().c_str());
            client.SendFrame(kCmdChannelParams, WithSubCommand(kWrite, BytesOf(block)));
            Read(client, kEventLine);  // the write has been handled once the read that follows it is answered
            const wchar_t* key = autoFile ? kChannelAutoFile : kChannelAnnouncementFile;
            EXPECT_EQ(ChannelText(kEventLine, key), c.Stored ? c.Greeting : L"");
            EXPECT_EQ(ChannelText(kEventLine, kChannelName), c.Stored ? block.Name : L"") << "all or nothing";
            WritePrivateProfileStringW(kSectionChannelParam, ChannelKey(kEventLine, key).c_str(), nullptr,
                                       SettingsFilePath().c_str());
        }
    }
}
