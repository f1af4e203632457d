#pragma once
// The engine driven end to end by the simulated driver: a fresh program and data folder with the settings and
// language texts the scenarios need, the simulator loaded with an analogue board (and, when asked, an E1 board
// whose 30 tapped circuits are channels 8 .. 37), the channels configured with a recording view installed, and
// the hook monitor and the poll thread running. The call writer is not started, so every finished call stays in
// the queue for the test to take. Waits are conditions with a deadline.
//
// Analogue lines: channels 0, 3, 6 are voltage-watched (type 6), 1, 4, 7 and 2, 5 event-driven (types 7, 8).

#include "RecordingServiceView.h"
#include "TestFolder.h"
#include "records/EngineRecords.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Also notes the channel's state at each change of its state: States folds repeats, so a call reads as its
// sequence of states.
class StateRecordingView : public RecordingServiceView {
public:
    void ChannelRowChanged(int channel, ChannelRowChange what) override;
    std::vector<int> States(int channel);

private:
    std::mutex m_statesLock;  // guards m_states
    std::map<int, std::vector<int>> m_states;
};

// One simulator command; the reply without its final line break.
std::string Sim(const std::string& command);

// Empties the channel table and the engine's counts and queues (open files are closed), as at process start.
void ResetEngineTables();

// The 60-byte IMA ADPCM header that the file's size calls for, and some audio behind it.
void ExpectFinishedAdpcmWav(const std::wstring& path);

class EngineScenario : public testing::Test {
protected:
    static constexpr int kVoltageLine = 0;
    static constexpr int kTrunkLine = 1;   // type 7
    static constexpr int kRecordLine = 2;  // type 8
    static constexpr int kFirstSpyChannel = 8;

    void SetUp() override;
    void TearDown() override;

    // Loads the boards into the simulator (audio 20 times faster than real time, rings every 300 ms).
    void LoadBoards(bool withSpyBoard = false);
    // Configures the channels with the view installed and starts the hook monitor and the poll thread; without the
    // hook monitor, the test makes its passes (RunHookMonitorPass).
    void StartEngine(bool withHookMonitor = true);

    void SetChannelInt(int channel, const wchar_t* key, int value);
    void SetChannelText(int channel, const wchar_t* key, const wchar_t* value);

    bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);
    bool WaitForState(int channel, int state, int timeoutMs = 10000);
    bool WaitForRecordedMs(int channel, int ms);
    // The next finished call of the queue; null when none comes in time.
    std::unique_ptr<CallRecord> WaitForCall(int timeoutMs = 10000);

    std::wstring ProgramFolder() const { return m_folder.ProgramFolder(); }
    std::wstring RecordingFolder() const { return m_folder.DataFolder() + L"\\Rec\\"; }

    TestFolder m_folder;
    StateRecordingView m_view;
};
