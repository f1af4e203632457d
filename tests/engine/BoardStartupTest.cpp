// Engine start-up: the board start with its fallback, the counts, CardInfor.txt, the PCM link rows, the channel
// settings and the start-up state of every channel.
#include "EngineScenario.h"

#include "ServiceView.h"
#include "TestFiles.h"
#include "engine/BoardStartup.h"
#include "engine/CardEngineState.h"
#include "engine/ChannelConfig.h"
#include "engine/ChannelSettings.h"
#include "channels/ChannelTable.h"
#include "settings/SettingKeys.h"
#include "storage/StoragePaths.h"
#include "storage/SysLogStore.h"

#include <atomic>
#include <sstream>
#include <string>

namespace {

class BoardStartup : public EngineScenario {};

std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::string ReadText(const std::wstring& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// The driver's board-start calls in the journal, in order.
std::vector<std::string> BoardStartCalls() {
    std::vector<std::string> calls;
    std::istringstream lines(Sim("journal 0 QsdSys_EnableBoard"));
    std::string line;
    std::getline(lines, line);  // "OK <count> <last>"
    while (std::getline(lines, line))
        calls.push_back(line.substr(line.find("QsdSys_"), line.find('(') - line.find("QsdSys_")));
    return calls;
}

}  // namespace

// Both start calls refused: the configuration is kept as a backup, the board-information library writes the
// defaults, and one more start is tried.
TEST_F(BoardStartup, RefusedStartsFallBackToTheDefaultConfiguration) {
    struct Case {
        int Refusals;
        int Started;
        std::vector<std::string> Calls;
        bool Fallback;
    };
    const std::vector<std::string> two = {"QsdSys_EnableBoardEx", "QsdSys_EnableBoard"};
    const std::vector<std::string> three = {"QsdSys_EnableBoardEx", "QsdSys_EnableBoard", "QsdSys_EnableBoardEx"};
    const Case cases[] = {
        {0, 1, {"QsdSys_EnableBoardEx"}, false},
        {1, 1, two, false},
        {2, 1, three, true},
        {3, 0, three, true},
    };
    const std::wstring config = ProgramFolder() + L"\\qscfg.ini";
    const std::wstring defaults = ExecutableFolder() + L"\\qscfg.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Refusals);
        ResetEngineTables();
        DeleteFileW((config + L".bak").c_str());
        DeleteFileW(defaults.c_str());
        ASSERT_TRUE(WriteFileBytes(config, "tuned", 5));
        LoadBoards();
        ASSERT_EQ("OK", Sim("boardfail " + std::to_string(c.Refusals)));

        EXPECT_EQ(c.Started, StartBoards());
        EXPECT_EQ(c.Calls, BoardStartCalls());
        EXPECT_EQ(c.Started ? 8 : 0, EngineState.ChannelCount);
        EXPECT_EQ(c.Started == 1, Sim("journal 0 QsdEvt_ModeSet").find("QsdEvt_ModeSet") != std::string::npos);
        if (c.Fallback) {
            EXPECT_EQ("tuned", ReadText(config + L".bak"));
            EXPECT_FALSE(FileExists(config));
            EXPECT_TRUE(FileExists(defaults)) << "the default configuration is written";
        } else {
            EXPECT_EQ("tuned", ReadText(config));
            EXPECT_FALSE(FileExists(config + L".bak"));
            EXPECT_FALSE(FileExists(defaults));
        }
        QsdSys_DisableBoard();
    }
}

TEST_F(BoardStartup, StartedBoardsSetTheCountsAndAreLogged) {
    LoadBoards(true);
    SetServiceView(&m_view);

    ASSERT_EQ(1, StartBoards());
    EXPECT_EQ(2, EngineState.BoardCount);
    EXPECT_EQ(38, EngineState.ChannelCount) << "8 lines and 30 tapped circuits; the E1 time slots are not channels";
    EXPECT_EQ(30, EngineState.CicCount);
    EXPECT_EQ(2, EngineState.PcmCount);

    const std::string log = ReadText(ProgramFolder() + L"\\CardInfor.txt");
    EXPECT_NE(std::string::npos, log.find(" QsdSys_GetCardType 297,QsdSys_GetBoardSerialNo 5001\r\n"));
    EXPECT_NE(std::string::npos, log.find(" QsdSys_GetCardType 15,QsdSys_GetBoardSerialNo 5002\r\n"));
    std::vector<int> links;
    for (const auto& call : m_view.Calls()) {
        if (call.Method == "PcmLinkRow") {
            links.push_back(call.Channel);
            EXPECT_EQ(0, call.Value) << "link up";
        }
    }
    EXPECT_EQ((std::vector<int>{0, 1}), links);
}

TEST_F(BoardStartup, StartupStateFollowsTheLineVoltage) {
    SetChannelInt(0, kChannelRec, 2);  // type 6: voice activation is not offered
    LoadBoards(true);
    for (const char* command : {"voltage 0 48", "voltage 1 4", "voltage 2 3", "voltage 3 0"})
        ASSERT_EQ("OK", Sim(command));
    SetServiceView(&m_view);

    ConfigureChannels();

    struct Case {
        int Channel;
        int State;
    };
    const Case cases[] = {
        {0, kStateIdle},       // 48 V: on-hook
        {1, kStateOffHook},    // 4 V, below the pick-up voltage: off-hook found at start-up
        {2, kStateLineError},  // exactly 3 V: no line
        {3, kStateLineError},  // 0 V
        {8, kStateLineError},  // spy channels start without line until their link is seen
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Channel);
        EXPECT_EQ(c.State, ChannelTable[c.Channel].State);
        EXPECT_EQ((std::vector<int>{c.State}), m_view.States(c.Channel));
        EXPECT_EQ(1, ChannelTable[c.Channel].Present);
    }
    EXPECT_EQ(0, ChannelTable[0].Rec);
    EXPECT_EQ(QSD_CHTYPE_SPY, ChannelTable[8].LineType);
    EXPECT_EQ(0, ChannelTable[8].SpyCic);
    EXPECT_EQ(29, ChannelTable[37].SpyCic);
    EXPECT_EQ(5, ChannelTable[5].SpyCic) << "an analogue line is addressed by its own number";

    const auto calls = m_view.Calls();
    std::vector<std::pair<int, int>> progress;
    int channelsReady = -1;
    for (const auto& call : calls) {
        if (call.Method == "StartupProgress")
            progress.emplace_back(call.Value, call.Total);
        if (call.Method == "ChannelsReady")
            channelsReady = call.Value;
    }
    EXPECT_EQ(38, channelsReady);
    ASSERT_EQ(2u * 39u, progress.size());
    EXPECT_EQ(std::make_pair(0, 512), progress.front());
    EXPECT_EQ(std::make_pair(38, 512), progress[38]);
    EXPECT_EQ(std::make_pair(0, 38), progress[39]);
    EXPECT_EQ(std::make_pair(38, 38), progress.back());

    const std::string log = ReadText(ProgramFolder() + L"\\CardInfor.txt");
    size_t channelLines = 0;
    for (size_t at = log.find("QsdChl_GetType"); at != std::string::npos; at = log.find("QsdChl_GetType", at + 1))
        ++channelLines;
    EXPECT_EQ(38u, channelLines);
    EXPECT_NE(std::string::npos, log.find(" QsdChl_GetType 6,QsdChl_GetState 0\r\n"));

    // Each line without service queues a line-error row for the system log.
    int lineErrors = 0;
    bool channelThree = false;
    while (std::unique_ptr<SysLogRow> row = EngineState.SysLogQueue.Pop()) {
        lineErrors += row->SysLog_Cmd == kSysLogLineError;
        // Name and phone are empty: "<text>(<name> <phone> <channel + 1>)".
        channelThree |= std::wstring(row->Name) == L"Channel" && std::wstring(row->Notes) == L"Line error(  003)";
    }
    EXPECT_GT(lineErrors, 0);
    EXPECT_TRUE(channelThree);
}

TEST_F(BoardStartup, ChannelSettingsAreBroughtIntoRange) {
    struct Case {
        const wchar_t* Key;
        const wchar_t* Text;  // null: the key is missing
        std::atomic<int> ChannelRecord::*Field;
        int Expected;
    };
    const Case cases[] = {
        {kChannelRec, nullptr, &ChannelRecord::Rec, 0},
        {kChannelRec, L"3", &ChannelRecord::Rec, 0},
        {kChannelRec, L"2", &ChannelRecord::Rec, 2},
        {kChannelHookOnTime, L"49", &ChannelRecord::HookOnTime, 800},
        {kChannelHookOnTime, L"50", &ChannelRecord::HookOnTime, 50},
        {kChannelHookOffTime, L"0", &ChannelRecord::HookOffTime, 100},
        {kChannelHookOffTime, nullptr, &ChannelRecord::HookOffTime, 100},
        {kChannelPickupVoltage, nullptr, &ChannelRecord::PickupVoltage, 20},
        {kChannelPickupVoltage, L"0", &ChannelRecord::PickupVoltage, 0},
        {kChannelAutoAnserWaitRingCnt, nullptr, &ChannelRecord::AutoAnserWaitRingCnt, 3},
        {kChannelAutoAnswerMaxTimeLong, L"-4", &ChannelRecord::AutoAnswerMaxTimeLong, 30},
        {kChannelTrigger, L"-5", &ChannelRecord::Trigger, 0},
        {kChannelCallerIDFormat, L"1", &ChannelRecord::CallerIDFormat, 1},
    };
    int channel = 20;  // a channel of its own per case
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Key << "=" << (c.Text ? c.Text : L"(missing)"));
        if (c.Text)
            SetChannelText(channel, c.Key, c.Text);
        LoadChannelSettings(ChannelTable[channel], channel);
        EXPECT_EQ(c.Expected, ChannelTable[channel].*c.Field);
        ++channel;
    }

    SetChannelText(0, kChannelName, std::wstring(100, L'n').c_str());
    SetChannelText(0, kChannelKeySave, L"*123456789012345678901234567890123456789");
    LoadChannelSettings(ChannelTable[0], 0);
    EXPECT_EQ(std::wstring(63, L'n'), ChannelTable[0].Name) << "cut to the field";
    EXPECT_EQ(31u, std::wstring(ChannelTable[0].KeySave).size());
}
