// Lines.cpp - analogue lines: hook and voltage, rings and caller number, DTMF, tones, playback,
// and the control commands that act on them.
//
// A line is off-hook while its telephone or the board holds it (commands offhook/onhook, driver
// QsdChl_Pickup/QsdChl_ClearCall); its voltage follows (48 V on-hook, 8 V off-hook) unless a
// voltage is set by command. Lines of type 6 report their hook state only through the voltage
// and their rings only through the ring counter; lines of type 7 and 8 also raise line events:
// ring start and ring, pick-up and stop on a change of the hook state, line error and line lost.
#include "Simulator.h"

#include "CommandLine.h"

#include <algorithm>

namespace {

constexpr int kDefaultDetectVolts = 20;  // the off-hook threshold until one is set

bool IsDtmfDigit(char c) {
    return (c >= '0' && c <= '9') || c == '*' || c == '#' || (c >= 'A' && c <= 'D');
}

bool FileOpens(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

}  // namespace

int CSimulator::ChannelType(int channel) {
    return WithLine(channel, [](SimLine& line) { return line.type; });
}

int CSimulator::ChannelState(int channel) {
    return WithLine(channel, [this](SimLine& line) {
        if (!line.Analogue()) {
            const SimCircuit& circuit = m_circuits[line.cic];
            const size_t pair = static_cast<size_t>(line.cic / kCicsPerLinkPair) * 2;
            for (size_t link = pair; link < pair + 2; ++link)
                if ((m_links[link] & QSD_LINK_STATUS_MASK) % 4 != 0)
                    return QSD_CHSTATE_NO_LINE;
            if (circuit.call == SimCircuit::Call::Alerting)
                return QSD_CHSTATE_RINGING;
            return circuit.call == SimCircuit::Call::Answered ? QSD_CHSTATE_BUSY : QSD_CHSTATE_IDLE;
        }
        const int volts = line.Volts();
        if (volts < kNoLineVolts)
            return QSD_CHSTATE_NO_LINE;
        if (line.ringsLeft > 0)
            return QSD_CHSTATE_RINGING;
        return volts < (line.detectVolts > 0 ? line.detectVolts : kDefaultDetectVolts) ? QSD_CHSTATE_BUSY
                                                                                       : QSD_CHSTATE_IDLE;
    });
}

// On a spy channel the numbers are those of its circuit's call.
int CSimulator::CallerNumber(int channel, char* number) {
    return WithLine(channel, [&](SimLine& line) {
        return number ? CopyNumber(line.Analogue() ? line.callerNumber : m_circuits[line.cic].caller, number) : QSD_ERR;
    });
}

int CSimulator::ClearCallerNumber(int channel) {
    return WithLine(channel, [this](SimLine& line) {
        (line.Analogue() ? line.callerNumber : m_circuits[line.cic].caller).clear();
        return QSD_OK;
    });
}

int CSimulator::CalleeNumber(int channel, char* number) {
    return WithLine(channel, [&](SimLine& line) {
        return number ? CopyNumber(line.Analogue() ? std::string() : m_circuits[line.cic].callee, number) : QSD_ERR;
    });
}

int CSimulator::Pickup(int channel) {
    return WithAnalogueLine(channel, [&](SimLine& line) {
        line.busyTones = 0;
        SetHookLocked(channel, line, line.boardOffHook, true);
        return QSD_OK;
    });
}

int CSimulator::ClearCall(int channel) {
    return WithAnalogueLine(channel, [&](SimLine& line) {
        SetHookLocked(channel, line, line.boardOffHook, false);
        return QSD_OK;
    });
}

int CSimulator::LineVoltage(int channel) {
    return WithLine(channel, [](SimLine& line) { return line.Analogue() ? line.Volts() : 0; });
}

int CSimulator::SetFlag(int channel, int flag, int value) {
    return WithAnalogueLine(channel, [&](SimLine& line) {
        if (flag < 0 || flag >= kFlagCount)
            return QSD_ERR;
        line.flags[flag] = value;
        return QSD_OK;
    });
}

int CSimulator::SetDetectVoltage(int channel, int volts) {
    return WithAnalogueLine(channel, [&](SimLine& line) {
        line.detectVolts = volts;
        return QSD_OK;
    });
}

int CSimulator::SetBargeIn(int channel, int trigger, int soundMs) {
    return WithAnalogueLine(channel, [&](SimLine& line) {
        line.bargeInTrigger = trigger;
        line.bargeInSoundMs = soundMs;
        return QSD_OK;
    });
}

int CSimulator::SetVoiceValidTime(int channel, int muteMs, int soundMs) {
    return WithAnalogueLine(channel, [&](SimLine& line) {
        line.voiceMuteMs = muteMs;
        line.voiceSoundMs = soundMs;
        return QSD_OK;
    });
}

int CSimulator::RingCount(int channel) {
    return WithAnalogueLine(channel, [](SimLine& line) { return line.ringCount; });
}

int CSimulator::ClearRingCount(int channel) {
    return WithAnalogueLine(channel, [](SimLine& line) {
        line.ringCount = 0;
        return QSD_OK;
    });
}

int CSimulator::DtmfLength(int channel) {
    return WithAnalogueLine(channel, [](SimLine& line) { return static_cast<int>(line.dtmf.size()); });
}

int CSimulator::DtmfDigits(int channel, char* digits) {
    return WithAnalogueLine(channel, [&](SimLine& line) { return digits ? CopyNumber(line.dtmf, digits) : QSD_ERR; });
}

int CSimulator::ClearDtmf(int channel) {
    return WithAnalogueLine(channel, [](SimLine& line) {
        line.dtmf.clear();
        return QSD_OK;
    });
}

int CSimulator::SendDtmf(int channel, const char* digits) {
    return WithAnalogueLine(channel, [&](SimLine&) { return digits ? QSD_OK : QSD_ERR; });
}

int CSimulator::PlayFile(int channel, const char* path, int codec, int offset, int length) {
    return WithAnalogueLine(channel, [&](SimLine& line) {
        const int bytesPerMs = CodecBytesPerMs(codec);
        if (!path || bytesPerMs == 0 || offset < 0 || length < offset || !FileOpens(path))
            return QSD_ERR;
        AdvanceClockLocked();
        line.playing = true;
        line.playEndMs = m_audioMs + static_cast<double>(length - offset) / bytesPerMs;
        return QSD_OK;
    });
}

// Stopping raises no playback-end event: the program stops playback in answer to that event.
int CSimulator::StopPlay(int channel) {
    return WithAnalogueLine(channel, [](SimLine& line) {
        line.playing = false;
        return QSD_OK;
    });
}

int CSimulator::StartToneAnalysis(int channel) {
    return WithAnalogueLine(channel, [](SimLine& line) {
        line.toneAnalysis = true;
        line.toneResult = 0;
        line.busyTones = 0;
        return QSD_OK;
    });
}

int CSimulator::StopToneAnalysis(int channel) {
    return WithAnalogueLine(channel, [](SimLine& line) {
        line.toneAnalysis = false;
        return QSD_OK;
    });
}

int CSimulator::ToneAnalysisResult(int channel) {
    return WithAnalogueLine(channel, [](SimLine& line) { return line.toneResult; });
}

int CSimulator::BusyToneCount(int channel) {
    return WithAnalogueLine(channel, [](SimLine& line) { return line.busyTones; });
}

// Rings go on whether the boards run or not (the exchange does not know); events only reach the
// program while they run.
void CSimulator::AdvanceLinesLocked() {
    for (int channel = 0; channel < static_cast<int>(m_lines.size()); ++channel) {
        SimLine& line = m_lines[channel];
        while (line.ringsLeft > 0 && m_realMs >= line.nextRingMs)
            RingLocked(channel, line);
        if (line.playing && m_audioMs >= line.playEndMs) {
            line.playing = false;
            QueueEventLocked(QSD_EVT_PLAY_END, channel, 0);
        }
    }
}

void CSimulator::RingLocked(int channel, SimLine& line) {
    --line.ringsLeft;
    line.nextRingMs += m_ringIntervalMs;
    ++line.ringCount;
    if (line.EventDriven()) {
        if (!line.firstRingDone)
            QueueEventLocked(QSD_EVT_LINE, channel, QSD_LINE_RING_START);
        QueueEventLocked(QSD_EVT_LINE, channel, QSD_LINE_RING);
    }
    line.firstRingDone = true;
}

void CSimulator::SetHookLocked(int channel, SimLine& line, bool& holder, bool offHook) {
    const bool before = line.OffHook();
    holder = offHook;
    if (line.OffHook() == before)
        return;
    if (offHook)
        line.ringsLeft = 0;  // answered: the caller stops ringing
    if (line.EventDriven())
        QueueEventLocked(QSD_EVT_LINE, channel, offHook ? QSD_LINE_PICKUP : QSD_LINE_STOP);
}

std::string CSimulator::DescribeLineLocked(int channel, const SimLine& line) const {
    std::string text = "OK channel=" + std::to_string(channel) + " type=" + std::to_string(line.type);
    if (!line.Analogue()) {
        const SimCircuit& circuit = m_circuits[line.cic];
        static const char* const kCalls[] = {"idle", "alerting", "answered"};
        text += " cic=" + std::to_string(line.cic) + " call=" + kCalls[static_cast<int>(circuit.call)] +
                " incoming=" + std::to_string(circuit.incoming) + " in=" + std::to_string(circuit.inChannel) +
                " out=" + std::to_string(circuit.outChannel) + " caller=" + circuit.caller +
                " callee=" + circuit.callee + DescribeRecorder(circuit.recorder);
    } else {
        text += " volts=" + std::to_string(line.Volts()) + " phone=" + (line.phoneOffHook ? "off" : "on") +
                " board=" + (line.boardOffHook ? "off" : "on") + " rings=" + std::to_string(line.ringCount) +
                " ringing=" + std::to_string(line.ringsLeft > 0) + " caller=" + line.callerNumber +
                " dtmf=" + line.dtmf + " flag7=" + std::to_string(line.flags[QSD_FLAG_CALLERID_MODE]) +
                " detect=" + std::to_string(line.detectVolts) + " analysis=" + std::to_string(line.toneAnalysis) +
                " tone=" + std::to_string(line.toneResult) + " busy=" + std::to_string(line.busyTones) +
                " playing=" + std::to_string(line.playing) + DescribeRecorder(line.recorder);
    }
    return text + " audio=" + line.audio.Describe();
}

std::string CSimulator::WithCommandLine(const std::string& word,
                                        const std::function<std::string(int channel, SimLine& line)>& action) {
    std::lock_guard<std::mutex> guard(m_stateLock);
    int channel = 0;
    if (!ParseInt(word, channel) || channel < 0 || channel >= static_cast<int>(m_lines.size()))
        return "ERR no channel " + word;
    SimLine& line = m_lines[channel];
    if (!line.Analogue())
        return "ERR channel " + word + " is a spy channel";
    return action(channel, line);
}

std::string CSimulator::OnRing(const std::vector<std::string>& words) {
    if (words.size() < 2 || words.size() > 4)
        return "ERR usage: ring <channel> [count] [caller]";
    int count = 1;
    if (words.size() >= 3 && (!ParseInt(words[2], count) || count < 1))
        return "ERR ring count must be 1 or more";
    return WithCommandLine(words[1], [&](int channel, SimLine& line) -> std::string {
        if (line.OffHook())
            return "ERR channel " + words[1] + " is off-hook";
        if (words.size() == 4)
            line.callerNumber = words[3];
        line.ringsLeft = count;
        line.firstRingDone = false;
        AdvanceClockLocked();
        line.nextRingMs = m_realMs;
        RingLocked(channel, line);
        return "OK";
    });
}

// offhook / onhook: the telephone on the line.
std::string CSimulator::OnPhoneHook(const std::vector<std::string>& words) {
    if (words.size() != 2)
        return "ERR usage: " + words[0] + " <channel>";
    return WithCommandLine(words[1], [&](int channel, SimLine& line) {
        SetHookLocked(channel, line, line.phoneOffHook, FoldLower(words[0]) == "offhook");
        return std::string("OK");
    });
}

std::string CSimulator::OnVoltage(const std::vector<std::string>& words) {
    int volts = -1;
    if (words.size() != 3 || (FoldLower(words[2]) != "auto" && (!ParseInt(words[2], volts) || volts < 0)))
        return "ERR usage: voltage <channel> <volts>|auto";
    return WithCommandLine(words[1], [&](int, SimLine& line) {
        line.voltageOverride = volts;
        return std::string("OK");
    });
}

std::string CSimulator::OnDtmf(const std::vector<std::string>& words) {
    if (words.size() != 3 || !std::all_of(words[2].begin(), words[2].end(), IsDtmfDigit))
        return "ERR usage: dtmf <channel> <digits 0-9 * # A-D>";
    return WithCommandLine(words[1], [&](int channel, SimLine& line) {
        for (char digit : words[2]) {
            if (line.dtmf.size() < kMaxDtmfDigits)
                line.dtmf += digit;
            QueueEventLocked(QSD_EVT_DTMF, channel, static_cast<WORD>(digit));
        }
        return std::string("OK");
    });
}

std::string CSimulator::OnBusy(const std::vector<std::string>& words) {
    int count = 1;
    if (words.size() < 2 || words.size() > 3 || (words.size() == 3 && (!ParseInt(words[2], count) || count < 1)))
        return "ERR usage: busy <channel> [count]";
    return WithCommandLine(words[1], [&](int channel, SimLine& line) {
        for (int i = 0; i < count; ++i)
            QueueEventLocked(QSD_EVT_BUSY_TONE, channel, static_cast<WORD>(++line.busyTones));
        return std::string("OK");
    });
}

std::string CSimulator::OnFarEnd(const std::vector<std::string>& words) {
    if (words.size() != 2)
        return "ERR usage: farend <channel>";
    return WithCommandLine(words[1], [](int, SimLine& line) {
        line.toneResult = QSD_TONE_FAR_END_GONE;
        return std::string("OK");
    });
}

std::string CSimulator::OnVoice(const std::vector<std::string>& words) {
    const std::string state = words.size() == 3 ? FoldLower(words[2]) : "";
    if (state != "on" && state != "off")
        return "ERR usage: voice <channel> on|off";
    return WithCommandLine(words[1], [&](int channel, SimLine&) {
        QueueEventLocked(state == "on" ? QSD_EVT_VOICE_ON : QSD_EVT_VOICE_OFF, channel, 0);
        return std::string("OK");
    });
}

// lineerror / linelost: the line events of a fault.
std::string CSimulator::OnLineFault(const std::vector<std::string>& words) {
    if (words.size() != 2)
        return "ERR usage: " + words[0] + " <channel>";
    return WithCommandLine(words[1], [&](int channel, SimLine& line) {
        if (!line.EventDriven())
            return "ERR channel " + words[1] + " shows faults by its voltage: voltage " + words[1] + " 0";
        QueueEventLocked(QSD_EVT_LINE, channel, FoldLower(words[0]) == "lineerror" ? QSD_LINE_ERROR : QSD_LINE_LOST);
        return std::string("OK");
    });
}

std::string CSimulator::OnShow(const std::vector<std::string>& words) {
    int channel = 0;
    std::lock_guard<std::mutex> guard(m_stateLock);
    if (words.size() != 2 || !ParseInt(words[1], channel) || channel < 0 || channel >= static_cast<int>(m_lines.size()))
        return "ERR usage: show <channel>";
    return DescribeLineLocked(channel, m_lines[channel]);
}
