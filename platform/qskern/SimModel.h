// SimModel.h - the simulated hardware: boards, lines, tapped circuits and their recordings.
#pragma once

#include "AudioEncoder.h"
#include "qskern.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

constexpr int kOnHookVolts = 48;
constexpr int kOffHookVolts = 8;
constexpr int kNoLineVolts = 2;       // below this the line counts as missing
constexpr int kCicsPerLinkPair = 30;  // E1 trunks 2k and 2k+1 carry circuits 30k .. 30k+29
constexpr uint32_t kLinkUp = 0x00000000;
constexpr uint32_t kLinkDown = 0x00000003;
constexpr int kFlagCount = 16;
constexpr int kMaxDtmfDigits = 255;

struct SimBoard {
    int type;
    int serialNo;
    int channels;  // analogue lines or E1 time slots
    int pcms;
};

// One recording into the program's memory: a block recording of a line, or a circuit's
// recording into memory. `generation` tells a block delivery whether the recording it belongs to
// is still the one running when the callback returns.
struct SimRecorder {
    bool active = false;
    int codec = 0;
    BYTE* buffer = nullptr;
    int size = 0;
    int filled = 0;           // bytes written into the current block
    int blocks = 0;           // blocks filled since the start
    bool full = false;        // block full: nothing is written until it is handed on
    double blockStartMs = 0;  // audio clock at the start of the current block
    QSD_RECORD_CALLBACK callback = nullptr;
    DWORD_PTR user = 0;
    uint64_t generation = 0;
    CAudioEncoder encoder;
};

// A channel as the program numbers it: an analogue line or the channel of a tapped circuit.
struct SimLine {
    int type = QSD_CHTYPE_LINE_VOLTAGE;
    int board = 0;
    int cic = -1;  // spy channels

    bool phoneOffHook = false;  // the telephone on the line
    bool boardOffHook = false;  // the board's own pick-up
    int voltageOverride = -1;   // volts, or -1 to follow the hook
    int ringCount = 0;          // rings since the last clear
    int ringsLeft = 0;          // rings still to come in the current call
    bool firstRingDone = false;
    double nextRingMs = 0;
    std::string incomingCaller;  // shown with the first ring
    std::string callerNumber;
    std::string dtmf;
    int flags[kFlagCount] = {};
    int detectVolts = 0;
    int bargeInTrigger = 0;
    int bargeInSoundMs = 0;
    int voiceMuteMs = 0;
    int voiceSoundMs = 0;
    bool toneAnalysis = false;
    int toneResult = 0;
    int busyTones = 0;
    bool playing = false;
    double playEndMs = 0;  // audio clock

    CAudioSource audio;
    SimRecorder recorder;

    bool Analogue() const { return type >= QSD_CHTYPE_LINE_VOLTAGE && type <= QSD_CHTYPE_LINE_RECORD; }
    bool EventDriven() const { return type == QSD_CHTYPE_LINE_TRUNK || type == QSD_CHTYPE_LINE_RECORD; }
    bool OffHook() const { return phoneOffHook || boardOffHook; }
    int Volts() const {
        if (voltageOverride >= 0)
            return voltageOverride;
        return OffHook() ? kOffHookVolts : kOnHookVolts;
    }
};

// One tapped circuit of an E1 trunk pair.
struct SimCircuit {
    enum class Call { Idle, Alerting, Answered };

    int channel = 0;
    Call call = Call::Idle;
    bool incoming = false;
    int inChannel = 0;
    int outChannel = 0;
    std::string caller;
    std::string callee;
    SimRecorder recorder;
};

// Copies a number or DTMF text into a caller's buffer of QSD_NUMBER_BYTES; answers its length.
inline int CopyNumber(const std::string& text, char* out) {
    const size_t length = std::min(text.size(), static_cast<size_t>(QSD_NUMBER_BYTES - 1));
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
    return static_cast<int>(length);
}
