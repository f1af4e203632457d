#include "EngineScenario.h"

#include "QsSimControl.h"
#include "ServiceView.h"
#include "TestFiles.h"
#include "WaitUntil.h"
#include "engine/CardEngineState.h"
#include "engine/ChannelConfig.h"
#include "channels/ChannelTable.h"
#include "engine/EngineThreads.h"
#include "engine/WavFormat.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"
#include "records/StorageRecords.h"

#include <cstring>
#include <new>

namespace {

constexpr char kAnalogueBoard[] = "[Board0]\nType=297\nSerialNo=5001\nLineTypes=6,7,8,6,7,8,6,7\n";
constexpr char kSpyBoard[] = "[Board1]\nType=15\nSerialNo=5002\n";
constexpr int kAnalogueLines = 8;

bool IsStateRow(ChannelRowChange what) {
    switch (what) {
        case ChannelRowChange::CallerId:
        case ChannelRowChange::DialledNumber:
        case ChannelRowChange::LineInfo:
        case ChannelRowChange::CallTime:
        case ChannelRowChange::KeepFlag:
            return false;
        default:
            return true;
    }
}

std::string Narrow(const std::wstring& text) {
    char buffer[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer, sizeof(buffer) - 1, nullptr, nullptr);
    return buffer;
}

}  // namespace

void StateRecordingView::ChannelRowChanged(int channel, ChannelRowChange what) {
    if (IsStateRow(what) && channel >= 0 && channel < kMaxChannels) {
        std::lock_guard<std::mutex> guard(m_statesLock);
        std::vector<int>& states = m_states[channel];
        const int state = ChannelTable[channel].State;
        if (states.empty() || states.back() != state)
            states.push_back(state);
    }
    RecordingServiceView::ChannelRowChanged(channel, what);
}

std::vector<int> StateRecordingView::States(int channel) {
    std::lock_guard<std::mutex> guard(m_statesLock);
    return m_states[channel];
}

std::string Sim(const std::string& command) {
    std::string reply(512, '\0');
    int length = QsSim_Command(command.c_str(), reply.data(), static_cast<int>(reply.size()));
    if (length >= static_cast<int>(reply.size())) {
        reply.assign(static_cast<size_t>(length) + 1, '\0');
        length = QsSim_Command(command.c_str(), reply.data(), static_cast<int>(reply.size()));
    }
    reply.resize(static_cast<size_t>(std::max(length, 0)));
    if (!reply.empty() && reply.back() == '\n')
        reply.pop_back();
    return reply;
}

void ResetEngineTables() {
    for (ChannelRecord& record : ChannelTable) {
        record.FileHandle.Close();
        record.~ChannelRecord();
        new (&record) ChannelRecord();
    }
    EngineState.BoardCount = 0;
    EngineState.ChannelCount = 0;
    EngineState.CicCount = 0;
    EngineState.PcmCount = 0;
    std::memset(EngineState.PcmLinkStatus, 0, sizeof(EngineState.PcmLinkStatus));
    while (EngineState.CallQueue.Pop()) {
    }
    while (EngineState.SysLogQueue.Pop()) {
    }
}

void ExpectFinishedAdpcmWav(const std::wstring& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), sizeof(ImaWavHeader) + 4096) << "no audio in the recording";
    const ImaWavHeader expected = MakeImaWavHeader(static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(0, std::memcmp(&expected, bytes.data(), sizeof(expected))) << "header does not match the file size";
}

void EngineScenario::SetUp() {
    ResetEngineTables();
    CreateDirectoryW(RecordingFolder().c_str(), nullptr);
    WriteSettingString(kSectionSettings, kKeyRecFolderN[4], RecordingFolder().c_str());
    WriteSettingString(kSectionSettings, kKeyLocalName, L"Head office");
    WriteSettingString(kSectionSettings, kKeyLocalSerialNo, L"S-17");
    WriteSettingInt(kSectionSettings, kKeyAudioFmt, 0);
    WriteSettingInt(kSectionSettings, kKeyInPopup, 1);
    WriteUtf16File(ProgramFolder() + L"\\Lang\\CHS.ini",
                   L"[Language]\r\n0186=Operator\r\n0266=Line error\r\n0291=Channel\r\n0317=Deleted by key\r\n"
                   L"0393=Loading\r\n");
    for (int channel = 0; channel < kAnalogueLines; ++channel) {
        SetChannelInt(channel, kChannelHookOnTime, 50);
        SetChannelInt(channel, kChannelHookOffTime, 50);
    }
    Startup.StartRecordByRingSignal = 0;
    Startup.StartRecByPickup = 1;
    Startup.MissedRing = 6000;
}

void EngineScenario::TearDown() {
    StopEngine();
    const QSD_EVENT_MODE off = {QSD_EVENT_MODE_CALLBACK, nullptr};
    QsdEvt_ModeSet(&off);
    Sim("status");  // returns once every event already raised has been delivered
    SetServiceView(nullptr);
    ResetEngineTables();
}

void EngineScenario::LoadBoards(bool withSpyBoard) {
    std::string scenario = std::string("[Simulator]\nRingIntervalMs=300\n") + kAnalogueBoard;
    if (withSpyBoard)
        scenario += kSpyBoard;
    const std::wstring path = ProgramFolder() + L"\\scenario.ini";
    ASSERT_TRUE(WriteFileBytes(path, scenario.data(), scenario.size()));
    const std::string reply = Sim("load \"" + Narrow(path) + "\"");
    ASSERT_EQ(0u, reply.rfind("OK", 0)) << reply;
    ASSERT_EQ("OK", Sim("set speed 20"));
}

void EngineScenario::StartEngine(bool withHookMonitor) {
    SetServiceView(&m_view);
    ConfigureChannels();
    ASSERT_GT(EngineState.ChannelCount, 0);
    if (withHookMonitor)
        StartEngineThread(EngineState.HookMonitorThread, HookMonitorThread);
    StartEngineThread(EngineState.ChannelPollThread, ChannelPollThread);
}

void EngineScenario::SetChannelInt(int channel, const wchar_t* key, int value) {
    WriteSettingInt(kSectionChannelParam, ChannelKey(channel, key).c_str(), value);
}

void EngineScenario::SetChannelText(int channel, const wchar_t* key, const wchar_t* value) {
    WriteSettingString(kSectionChannelParam, ChannelKey(channel, key).c_str(), value);
}

bool EngineScenario::WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    return WaitUntil(condition, timeoutMs);
}

bool EngineScenario::WaitForState(int channel, int state, int timeoutMs) {
    return WaitFor([&] { return ChannelTable[channel].State == state; }, timeoutMs);
}

bool EngineScenario::WaitForRecordedMs(int channel, int ms) {
    return WaitFor([&] { return ChannelTable[channel].RecordedMs >= ms; });
}

std::unique_ptr<CallRecord> EngineScenario::WaitForCall(int timeoutMs) {
    std::unique_ptr<CallRecord> call;
    WaitFor([&] { return (call = EngineState.CallQueue.Pop()) != nullptr; }, timeoutMs);
    return call;
}
