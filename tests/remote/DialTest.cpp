// A client's outgoing call on an analogue line, on the simulated driver: the answers for lines that cannot dial,
// and the driver calls of a dial and its hang-up as the simulator's journal shows them.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "ClientCommandTest.h"

#include "QsSimControl.h"
#include "channels/ChannelTable.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

#include <algorithm>
#include <sstream>

namespace {

constexpr uint8_t kDial = 10;
constexpr uint8_t kHangUp = 11;
constexpr int kLines = 8;
constexpr int kSpyChannel = 5;
constexpr int kRingingLine = 4;

std::string Sim(const std::string& command) {
    std::string reply(1 << 16, '\0');
    const int length = QsSim_Command(command.c_str(), reply.data(), static_cast<int>(reply.size()));
    reply.resize(static_cast<size_t>(std::clamp(length, 0, static_cast<int>(reply.size()) - 1)));
    return reply;
}

struct JournalEntry {
    long long Ms;      // since the scenario was loaded
    std::string Call;  // "Function(arguments) = result"
};

// The driver calls since the journal was cleared whose function is one of those named.
std::vector<JournalEntry> DriverCalls(std::initializer_list<const char*> functions) {
    std::vector<JournalEntry> entries;
    std::istringstream lines(Sim("journal"));
    std::string line;
    std::getline(lines, line);  // OK <entries> <last>
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        long long sequence = 0;
        JournalEntry entry;
        unsigned long thread = 0;
        fields >> sequence >> entry.Ms >> thread;
        std::getline(fields >> std::ws, entry.Call);
        for (const char* function : functions) {
            if (entry.Call.rfind(std::string(function) + "(", 0) == 0)
                entries.push_back(entry);
        }
    }
    return entries;
}

std::vector<std::string> CallsOf(const std::vector<JournalEntry>& entries) {
    std::vector<std::string> calls;
    for (const JournalEntry& entry : entries)
        calls.push_back(entry.Call);
    return calls;
}

std::vector<uint8_t> DialPayload(uint8_t subCommand, const std::string& number, int32_t channel) {
    std::vector<uint8_t> payload{subCommand};
    payload.resize(1 + 32);
    std::memcpy(payload.data() + 1, number.data(), std::min<size_t>(number.size(), 32));
    payload.resize(payload.size() + sizeof(channel));
    std::memcpy(payload.data() + 1 + 32, &channel, sizeof(channel));
    return payload;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

class DialTest : public ClientCommandTest {
protected:
    void SetUp() override {
        ClientCommandTest::SetUp();
        const std::wstring scenario = m_folder.ProgramFolder() + L"\\lines.ini";
        const std::string text = "[Board0]\nType=297\nSerialNo=7001\nLineTypes=6,6,6,6,6,6,6,6\n";
        HANDLE file = CreateFileW(scenario.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
        ASSERT_EQ(Sim("load \"" + Narrow(scenario) + "\"").rfind("OK", 0), 0u);
        ASSERT_EQ(QsdSys_EnableBoard(), QSD_OK);

        const std::wstring recordings = m_folder.DataFolder() + L"\\Rec\\";
        CreateDirectoryW(recordings.c_str(), nullptr);
        WriteSettingString(kSectionSettings, kKeyRecFolderN[4], recordings.c_str());
        WriteSettingInt(kSectionSettings, kKeyAudioFmt, 0);
        for (int channel = 0; channel < kLines; ++channel)
            ChannelTable[channel].DriverChannel = channel;
        ChannelTable[kSpyChannel].LineType = QSD_CHTYPE_SPY;
        ChannelTable[kRingingLine].State = kStateRinging;

        AddAccount(L"alice", L"secret", RightsFor({1, 2, 4, kSpyChannel}));
        ASSERT_EQ(Sim("journal clear"), "OK\n");
    }

    void TearDown() override {
        QsdSys_DisableBoard();  // stops the recordings the dials started
        ClientCommandTest::TearDown();
    }

    // The status answered to a dial: s of 04 00 1A s s s, checked to be repeated; -1 without an answer.
    static int Dial(ProtocolClient& client, const std::string& number, int32_t channel) {
        client.SendFrame(kCmdRemoteDial, DialPayload(kDial, number, channel));
        const auto reply = client.ReceiveCommand(kFrameDialStatus, kWaitMs);
        if (!reply || reply->Length != 4)
            return -1;
        EXPECT_EQ(reply->Payload, std::vector<uint8_t>(3, reply->Payload[0]));
        return reply->Payload[0];
    }
};

}  // namespace

TEST_F(DialTest, LinesThatCannotDialAnswerTheirStatus) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    const struct {
        const char* Name;
        std::string Number;
        int32_t Channel;
        int Status;
    } cases[] = {
        {"channel 600", "123", 600, 1},
        {"channel -1", "123", -1, 1},
        {"a line without right", "123", 3, 1},
        {"a number that is not dialable", "12:3", 2, 1},
        {"a number with letters", "555abcx", 2, 1},
        {"a spy channel", "123", kSpyChannel, 2},
        {"a ringing line", "123", kRingingLine, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Dial(client, c.Number, c.Channel), c.Status) << c.Name;

    EXPECT_TRUE(DriverCalls({"QsdChl_Pickup", "QsdVox_SendDtmf", "QsdVox_RecordMemBlock"}).empty());
    for (int channel : {2, 3, kRingingLine}) {
        EXPECT_EQ(ChannelTable[channel].DialActive, 0) << channel;
        EXPECT_EQ(ChannelTable[channel].FileHandle.Get(), INVALID_HANDLE_VALUE) << channel;
    }
    EXPECT_EQ(ChannelTable[kRingingLine].State, kStateRinging);
}

TEST_F(DialTest, DialPicksUpRecordsAndSendsTheDigits) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    client.SendFrame(kCmdRemoteDial, DialPayload(kDial, "5551234*#", 1));

    // The line shows the outgoing recording before the digits go out.
    const auto status = client.Receive(kWaitMs);
    ASSERT_TRUE(status);
    ASSERT_EQ(status->Command, kFrameChannelStatus);
    EXPECT_EQ(status->As<ChannelStatusRecord>().State, kStateOutgoingRecording);
    EXPECT_EQ(std::wstring(status->As<ChannelStatusRecord>().Number), L"5551234*#");
    const auto answer = client.ReceiveCommand(kFrameDialStatus, kWaitMs);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->Payload, (std::vector<uint8_t>{0, 0, 0}));

    const std::vector<JournalEntry> calls =
        DriverCalls({"QsdVox_RecordMemBlock", "QsdChl_Pickup", "QsdVox_SendDtmf", "QsdVox_StartToneAnalyze"});
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].Call.rfind("QsdVox_RecordMemBlock(1, ", 0), 0u) << calls[0].Call;
    EXPECT_EQ(calls[1].Call, "QsdChl_Pickup(1) = 0");
    EXPECT_EQ(calls[2].Call, "QsdVox_SendDtmf(1, \"5551234*#\") = 0");
    EXPECT_EQ(calls[3].Call, "QsdVox_StartToneAnalyze(1) = 0");
    EXPECT_GE(calls[2].Ms - calls[1].Ms, 490) << "the digits follow the pick-up after 500 ms";

    const ChannelRecord& record = ChannelTable[1];
    EXPECT_EQ(record.State, kStateOutgoingRecording);
    EXPECT_EQ(record.DialActive, 1);
    EXPECT_STREQ(record.DialledDigits, "5551234*#");
    EXPECT_EQ(std::wstring(record.DialNumber), L"5551234*#");
    EXPECT_NE(record.FileHandle.Get(), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(FileExists(record.FilePath));
}

TEST_F(DialTest, HangUpClearsOnlyADialInProgress) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    ASSERT_EQ(Dial(client, "200", 2), 0);
    ChannelTable[3].DialActive = 1;  // dialled from the server's screen, on a line alice has no right for
    Sim("journal clear");

    client.SendFrame(kCmdRemoteDial, DialPayload(kHangUp, "", 1));  // nothing dialled there
    client.SendFrame(kCmdRemoteDial, DialPayload(kHangUp, "", 3));
    client.SendFrame(kCmdRemoteDial, DialPayload(kHangUp, "", -7));
    client.SendFrame(kCmdRemoteDial, DialPayload(kHangUp, "", 2));
    client.SendFrame(kCmdRemoteDial, DialPayload(kHangUp, "", 2));
    EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty()) << "a hang-up has no reply";

    EXPECT_EQ(CallsOf(DriverCalls({"QsdChl_ClearCall", "QsdVox_StopToneAnalyze"})),
              (std::vector<std::string>{"QsdChl_ClearCall(2) = 0", "QsdVox_StopToneAnalyze(2) = 0"}));
    EXPECT_EQ(ChannelTable[2].DialActive, 0);
    EXPECT_EQ(ChannelTable[3].DialActive, 1);
}

TEST_F(DialTest, NumberIsCutToItsField) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    ASSERT_EQ(Dial(client, std::string(32, '7'), 1), 0);

    EXPECT_EQ(CallsOf(DriverCalls({"QsdVox_SendDtmf"})),
              std::vector<std::string>{"QsdVox_SendDtmf(1, \"" + std::string(31, '7') + "\") = 0"});
}
