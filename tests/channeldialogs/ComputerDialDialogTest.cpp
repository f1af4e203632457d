// The PC dial dialog on the simulated driver, opened through the registry as the channel pane opens it: the
// channel it selects, a dial and its hang-up as the driver's journal shows them, the lines it refuses, and the
// calls it leaves alone.

#include "ChannelDialogsTestSupport.h"
#include "DialogDriver.h"
#include "EngineScenario.h"

#include "ChannelDialogsResource.h"
#include "channels/ChannelTable.h"
#include "common/OperatorDialogs.h"
#include "engine/CardEngineState.h"
#include "engine/ChannelConfig.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/RecordFields.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct JournalEntry {
    long long Ms = 0;  // since the scenario was loaded
    std::string Call;  // "Function(arguments) = result"
};

// The driver calls since the journal was cleared whose function is one of those named, in order.
std::vector<JournalEntry> DriverCalls(std::initializer_list<const char*> functions) {
    std::vector<JournalEntry> entries;
    std::istringstream lines(Sim("journal"));
    std::string line;
    std::getline(lines, line);  // OK <entries> <last>
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        long long sequence = 0;
        unsigned long thread = 0;
        JournalEntry entry;
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

std::wstring ListItem(HWND dialog, int item) {
    wchar_t text[256] = {};
    ::SendDlgItemMessageW(dialog, IDC_DIAL_CHANNEL, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
    return text;
}

class ComputerDialDialogTest : public EngineScenario {
protected:
    static constexpr int kRingingLine = 3;  // voltage-watched
    static constexpr int kOtherVoltageLine = 6;

    void SetUp() override {
        EngineScenario::SetUp();
        UseEnglishTexts(m_folder);
        OperatorDialogs() = {};
        RegisterOperatorDialogs();
        LoadBoards(true);
        SetServiceView(&m_view);
        ConfigureChannels();
        ASSERT_EQ("OK", Sim("journal clear"));
    }
    void TearDown() override {
        OperatorDialogs() = {};
        EngineScenario::TearDown();
    }

    // Opens the dialog as the channel pane does (dial channel 0) and runs the steps on it.
    INT_PTR Run(int presetChannel, std::function<void(HWND)> steps) {
        m_driver.WhenShown(std::move(steps));
        return OperatorDialogs().Dial.Run(nullptr, presetChannel, 0);
    }

    static void Dial(HWND dialog, const wchar_t* number) {
        ::SetDlgItemTextW(dialog, IDC_DIAL_NUMBER, number);
        Click(dialog, IDC_DIAL_DIAL);
    }

    DialogDriver m_driver;
};

}  // namespace

TEST_F(ComputerDialDialogTest, DialsOnAnIdleLineRefusesOthersAndHangsUpOnlyItsOwnCall) {
    ASSERT_EQ(kStateIdle, ChannelTable[kVoltageLine].State);
    CopyToField(ChannelTable[kVoltageLine].Name, L"Desk");
    CopyToField(ChannelTable[kVoltageLine].Phone, L"201");
    ChannelTable[kRingingLine].State = kStateRinging;

    // The saved channel, never below 0; a preset channel wins.
    WriteSettingInt(kSectionSetting, kKeyDialLine, -5);
    Run(-1, [](HWND d) {
        EXPECT_EQ(EngineState.ChannelCount, ::SendDlgItemMessageW(d, IDC_DIAL_CHANNEL, CB_GETCOUNT, 0, 0));
        EXPECT_EQ(L"01(Desk 201)(" + English(L"0405") + L")", ListItem(d, 0));
        const std::wstring trunk = ListItem(d, kTrunkLine);
        EXPECT_EQ(L"(" + English(L"0406") + L")", trunk.substr(trunk.rfind(L'('))) << "not voltage-watched";
        EXPECT_EQ(0, Selection(d, IDC_DIAL_CHANNEL));
        ::SetDlgItemTextW(d, IDC_DIAL_NUMBER, L"5551234");
        EXPECT_TRUE(SaveScreenshot(d, L"channeldialogs_dial.png"));
        ::SendMessageW(d, WM_CLOSE, 0, 0);
    });
    WriteSettingInt(kSectionSetting, kKeyDialLine, 2);
    Run(kOtherVoltageLine, [](HWND d) {
        EXPECT_EQ(kOtherVoltageLine, Selection(d, IDC_DIAL_CHANNEL));
        ::SendMessageW(d, WM_CLOSE, 0, 0);
    });

    // 123 on the idle line: recorded, shown, picked up, and the digits 500 ms later; Hang up twice clears once.
    Run(kVoltageLine, [](HWND d) {
        Dial(d, L"123");
        Click(d, IDC_DIAL_HANGUP);
        Click(d, IDC_DIAL_HANGUP);
        ::SendMessageW(d, WM_CLOSE, 0, 0);
    });
    const auto calls = DriverCalls(
        {"QsdChl_Pickup", "QsdVox_SendDtmf", "QsdVox_StartToneAnalyze", "QsdChl_ClearCall", "QsdVox_StopToneAnalyze"});
    ASSERT_EQ(5u, calls.size()) << testing::PrintToString(CallsOf(calls));
    EXPECT_EQ("QsdChl_Pickup(0) = 0", calls[0].Call);
    EXPECT_EQ("QsdVox_SendDtmf(0, \"123\") = 0", calls[1].Call);
    EXPECT_EQ("QsdVox_StartToneAnalyze(0) = 0", calls[2].Call);
    EXPECT_GE(calls[1].Ms - calls[0].Ms, 490) << "the digits follow the pick-up after 500 ms";
    EXPECT_EQ("QsdChl_ClearCall(0) = 0", calls[3].Call);
    EXPECT_EQ("QsdVox_StopToneAnalyze(0) = 0", calls[4].Call);
    const auto recording = DriverCalls({"QsdVox_RecordMemBlock"});
    ASSERT_FALSE(recording.empty());
    EXPECT_EQ(0u, recording[0].Call.rfind("QsdVox_RecordMemBlock(0, ", 0)) << recording[0].Call;
    EXPECT_LE(recording[0].Ms, calls[0].Ms) << "recording before the pick-up";
    const std::vector<ChannelRowChange> rows = m_view.RowChanges(kVoltageLine);
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), ChannelRowChange::OutgoingRecording));
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), ChannelRowChange::DialledNumber));
    EXPECT_EQ(kStateOutgoingRecording, ChannelTable[kVoltageLine].State);
    EXPECT_STREQ("123", ChannelTable[kVoltageLine].DialledDigits);
    EXPECT_EQ(0, ChannelTable[kVoltageLine].DialActive);
    EXPECT_EQ(0, ReadSettingInt(kSectionSetting, kKeyDialLine));
    EXPECT_EQ(L"123", ReadSettingString(kSectionSetting, kKeyDialNum));
    EXPECT_TRUE(m_driver.TakeMessageBoxes().empty());

    // A spy channel cannot dial, a ringing line is busy, an empty number does nothing: nothing is written.
    Sim("journal clear");
    Run(kFirstSpyChannel, [](HWND d) {
        Dial(d, L"555");
        Choose(d, IDC_DIAL_CHANNEL, kRingingLine);
        Dial(d, L"555");
        Choose(d, IDC_DIAL_CHANNEL, kOtherVoltageLine);
        Dial(d, L"");
        ::SendMessageW(d, WM_CLOSE, 0, 0);
    });
    const auto boxes = m_driver.TakeMessageBoxes();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(English(L"0407"), boxes[0].Text);
    EXPECT_EQ(English(L"0400"), boxes[0].Caption);
    EXPECT_EQ(English(L"0408"), boxes[1].Text);
    EXPECT_EQ(English(L"0400"), boxes[1].Caption);
    EXPECT_TRUE(DriverCalls({"QsdChl_Pickup", "QsdVox_SendDtmf"}).empty());
    for (int channel : {kFirstSpyChannel, kRingingLine, kOtherVoltageLine})
        EXPECT_EQ(INVALID_HANDLE_VALUE, ChannelTable[channel].FileHandle.Get()) << "no recording on " << channel;
    EXPECT_EQ(kStateRinging, ChannelTable[kRingingLine].State);
    EXPECT_EQ(0, ReadSettingInt(kSectionSetting, kKeyDialLine));
    EXPECT_EQ(L"123", ReadSettingString(kSectionSetting, kKeyDialNum));

    // A longer number dials its first 30 characters.
    Run(kOtherVoltageLine, [](HWND d) {
        Dial(d, std::wstring(35, L'9').c_str());
        ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0);  // Escape leaves the call up
    });
    EXPECT_EQ(CallsOf(DriverCalls({"QsdVox_SendDtmf"})),
              std::vector<std::string>{"QsdVox_SendDtmf(6, \"" + std::string(30, '9') + "\") = 0"});
    EXPECT_EQ(1, ChannelTable[kOtherVoltageLine].DialActive);

    // A saved channel beyond the list and no preset: no channel to dial on.
    Sim("journal clear");
    WriteSettingInt(kSectionSetting, kKeyDialLine, 999);
    Run(-1, [](HWND d) {
        EXPECT_EQ(-1, Selection(d, IDC_DIAL_CHANNEL));
        Dial(d, L"777");
        Click(d, IDC_DIAL_HANGUP);
        ::SendMessageW(d, WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(m_driver.TakeMessageBoxes().empty());
    EXPECT_TRUE(DriverCalls({"QsdChl_Pickup", "QsdChl_ClearCall"}).empty());
    EXPECT_EQ(999, ReadSettingInt(kSectionSetting, kKeyDialLine));

    // A call on channel 0 that a remote client placed survives a showing that placed nothing.
    ChannelTable[kVoltageLine].DialActive = 1;
    Run(-1, [](HWND d) {
        Click(d, IDC_DIAL_HANGUP);
        ::SendMessageW(d, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(1, ChannelTable[kVoltageLine].DialActive);
    EXPECT_TRUE(DriverCalls({"QsdChl_ClearCall"}).empty());
}
