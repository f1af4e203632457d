// Simulator.h - the simulated voice boards behind the driver functions and the control commands.
//
// One lock (m_stateLock) guards the whole model. Driver functions run on the program's threads
// and take it briefly. The simulator thread advances the clock every tick (rings, playback ends,
// recorded audio) and delivers events and block callbacks in the order they were raised, always
// with the lock released, so a callback may call any driver function (and a block callback may
// stop and restart its own recording). Control commands change the model and then wait until the
// events they raised have been delivered.
#pragma once

#include "ControlPort.h"
#include "Journal.h"
#include "Scenario.h"
#include "SimModel.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CSimulator {
public:
    // The one simulator of the process, built when the library loads and never destroyed: its
    // threads may still run while the process exits.
    static CSimulator& Instance();

    // Library load: reads the scenario and starts the simulator thread (which opens the control
    // port), without waiting for anything, since it runs under the loader lock.
    void Start();

    CJournal& Journal() { return m_journal; }
    // One control command line (README.md); the reply starts with "OK" or "ERR".
    std::string Command(const std::string& line);
    // True when a failure was injected for `function` (command "fail"); uses one up.
    bool TakeInjectedFailure(const char* function);

    // Boards, trunks and events (Boards.cpp).
    int EnableBoards();
    int DisableBoards();
    int UsableBoards();
    int MaxChannels();
    int MaxPcms();
    int MaxCics();
    int BoardSerialNo(int board);
    int CardType(int board);
    int PcmLinkStatus(int pcm);
    int SetEventMode(const QSD_EVENT_MODE* mode);

    // Lines (Lines.cpp).
    int ChannelType(int channel);
    int ChannelState(int channel);
    int CallerNumber(int channel, char* number);
    int ClearCallerNumber(int channel);
    int CalleeNumber(int channel, char* number);
    int Pickup(int channel);
    int ClearCall(int channel);
    int LineVoltage(int channel);
    int SetFlag(int channel, int flag, int value);
    int SetDetectVoltage(int channel, int volts);
    int SetBargeIn(int channel, int trigger, int soundMs);
    int SetVoiceValidTime(int channel, int muteMs, int soundMs);
    int RingCount(int channel);
    int ClearRingCount(int channel);
    int DtmfLength(int channel);
    int DtmfDigits(int channel, char* digits);
    int ClearDtmf(int channel);
    int SendDtmf(int channel, const char* digits);
    int PlayFile(int channel, const char* path, int codec, int offset, int length);
    int StopPlay(int channel);
    int StartToneAnalysis(int channel);
    int StopToneAnalysis(int channel);
    int ToneAnalysisResult(int channel);
    int BusyToneCount(int channel);

    // Recordings (Recording.cpp).
    int RecordMemBlock(int channel, int codec, BYTE* buffer, int blockBytes, QSD_RECORD_CALLBACK callback,
                       DWORD_PTR user);
    int StopRecord(int channel);
    int QueryRecordInfo(int channel, int* info);
    int SpyRecordToMemory(int cic, int mix, BYTE* buffer, int codec, int bytes);
    int SpyStopRecord(int cic);
    int SpyMemoryOffset(int cic);

    // Tapped circuits (Spy.cpp).
    int SpyCallInChannel(int cic);
    int SpyCallOutChannel(int cic);
    int SpyCallerId(int cic, char* number);
    int SpyCalleeId(int cic, char* number);

private:
    // An event or a block callback waiting for the simulator thread.
    struct Delivery {
        uint64_t sequence = 0;
        bool block = false;
        WORD event = 0;  // event: code, channel (or CIC), parameter
        int channel = 0;
        WORD parameter = 0;
        uint64_t generation = 0;  // block: the recording the full block belongs to
        QSD_RECORD_CALLBACK callback = nullptr;
        BYTE* buffer = nullptr;
        int bytes = 0;
        DWORD_PTR user = 0;
    };
    using CommandHandler = std::string (CSimulator::*)(const std::vector<std::string>& words);

    CSimulator() = default;

    // Simulator.cpp: the thread, the clock and the delivery queue.
    void Run();
    void AdvanceClockLocked();
    void QueueEventLocked(WORD event, int channel, WORD parameter);
    void QueueBlockLocked(int channel, const SimRecorder& recorder);
    void WaitForDeliveries(uint64_t sequence);
    uint64_t NewGenerationLocked() { return ++m_lastGeneration; }

    // Boards.cpp
    void BuildLocked(const Scenario& scenario);
    // The frame of the driver functions on one channel, analogue line or circuit: `action` runs
    // under the state lock and its answer is the function's; QSD_ERR without running it while the
    // boards are stopped or when the number names none.
    int WithLine(int channel, const std::function<int(SimLine&)>& action);
    int WithAnalogueLine(int channel, const std::function<int(SimLine&)>& action);
    int WithCircuit(int cic, const std::function<int(SimCircuit&)>& action);
    // A field of a started board; QSD_ERR while the boards are stopped or for no such board.
    int BoardField(int board, int SimBoard::*field);

    // Lines.cpp
    void AdvanceLinesLocked();
    void RingLocked(int channel, SimLine& line);
    void SetHookLocked(int channel, SimLine& line, bool& holder, bool offHook);
    std::string DescribeLineLocked(int channel, const SimLine& line) const;

    // Recording.cpp
    void ProduceLocked(int channel, SimRecorder& recorder, bool blocks);
    void ProduceAllLocked();
    bool BlockStillWantedLocked(const Delivery& delivery);
    void BlockHandedOnLocked(const Delivery& delivery);
    static void StopRecorder(SimRecorder& recorder, uint64_t generation);
    static std::string DescribeRecorder(const SimRecorder& recorder);

    // Commands.cpp: the control language, one handler per command word.
    static const std::map<std::string, CommandHandler>& Handlers();
    std::string OnLoad(const std::vector<std::string>& words);
    std::string OnSet(const std::vector<std::string>& words);
    std::string OnBoardFail(const std::vector<std::string>& words);
    std::string OnFail(const std::vector<std::string>& words);
    std::string OnListen(const std::vector<std::string>& words);
    std::string OnJournal(const std::vector<std::string>& words);
    std::string OnEvent(const std::vector<std::string>& words);
    std::string OnStatus(const std::vector<std::string>& words);
    // Lines.cpp. The frame of the commands on one analogue line (boards started or not): `action`
    // runs under the state lock on the line `word` names and its answer is the reply; the error
    // reply without running it when `word` names no analogue line.
    std::string WithCommandLine(const std::string& word,
                                const std::function<std::string(int channel, SimLine& line)>& action);
    std::string OnRing(const std::vector<std::string>& words);
    std::string OnPhoneHook(const std::vector<std::string>& words);
    std::string OnVoltage(const std::vector<std::string>& words);
    std::string OnDtmf(const std::vector<std::string>& words);
    std::string OnBusy(const std::vector<std::string>& words);
    std::string OnFarEnd(const std::vector<std::string>& words);
    std::string OnVoice(const std::vector<std::string>& words);
    std::string OnLineFault(const std::vector<std::string>& words);
    std::string OnShow(const std::vector<std::string>& words);
    // Recording.cpp
    std::string OnAudio(const std::vector<std::string>& words);
    // Spy.cpp. The circuit a command names; null with `error` set.
    SimCircuit* CommandCircuitLocked(const std::string& word, int& cic, std::string& error);
    std::string OnSpy(const std::vector<std::string>& words);
    std::string OnLink(const std::vector<std::string>& words);

    CJournal m_journal;
    CControlPort m_controlPort;
    std::thread m_thread;
    std::atomic<DWORD> m_threadId{0};
    int m_startControlPort = 0;
    const std::chrono::steady_clock::time_point m_clockStart = std::chrono::steady_clock::now();

    std::mutex m_stateLock;
    std::condition_variable m_wake;       // the simulator thread: something to deliver
    std::condition_variable m_delivered;  // waiting commands: m_deliveredSequence moved on
    std::deque<Delivery> m_pending;
    uint64_t m_queuedSequence = 0;
    uint64_t m_deliveredSequence = 0;
    uint64_t m_lastGeneration = 0;

    bool m_enabled = false;
    QSD_EVENT_CALLBACK m_eventCallback = nullptr;
    std::vector<SimBoard> m_boards;
    std::vector<SimLine> m_lines;
    std::vector<SimCircuit> m_circuits;
    std::vector<uint32_t> m_links;
    int m_maxChannels = 0;  // lines plus E1 time slots
    int m_boardStartFailures = 0;
    std::map<std::string, int> m_injectedFailures;
    double m_speed = 1;
    int m_ringIntervalMs = 4000;

    std::string m_scenarioFile;
    std::string m_loadError;  // why the scenario or the start-up control port was not taken
    int m_listeningPort = 0;

    double m_realMs = 0;   // clock since load
    double m_audioMs = 0;  // audio clock: runs m_speed times faster
};
