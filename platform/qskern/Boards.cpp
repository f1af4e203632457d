// Boards.cpp - building the model from a scenario; board start and stop, counts, trunks, events.
//
// Channel layout: boards in scenario order; an analogue board gives one channel per line, an E1
// board one spy channel per tapped circuit (30 per pair of trunks). Circuits are numbered over
// all boards in channel order, and trunks likewise, so trunks 2k and 2k+1 carry circuits
// 30k .. 30k+29. The driver's channel count also holds the E1 time slots; the program's channel
// count is that count minus the circuit count, which is exactly the list of channels here.
#include "Simulator.h"

#include "BoardTypes.h"
#include "CommandLine.h"

void CSimulator::BuildLocked(const Scenario& scenario) {
    m_enabled = false;
    m_eventCallback = nullptr;
    m_boards.clear();
    m_lines.clear();
    m_circuits.clear();
    m_links.clear();
    m_maxChannels = 0;

    CAudioSource audio;
    std::string error;
    ParseAudioSource(SplitWords(scenario.audio), audio, error);  // checked when the file was read
    for (const ScenarioBoard& board : scenario.boards) {
        const SimBoardType* type = FindSimBoardType(board.type);
        const int index = static_cast<int>(m_boards.size());
        m_boards.push_back({board.type, board.serialNo, type->channels, type->pcms});
        m_maxChannels += type->channels;
        if (type->pcms == 0) {
            for (int c = 0; c < type->channels; ++c) {
                SimLine line;
                line.type = c < static_cast<int>(board.lineTypes.size()) ? board.lineTypes[c] : QSD_CHTYPE_LINE_VOLTAGE;
                line.board = index;
                line.audio = audio;
                m_lines.push_back(line);
            }
            continue;
        }
        m_links.insert(m_links.end(), type->pcms, kLinkUp);
        for (int c = 0; c < type->pcms / 2 * kCicsPerLinkPair; ++c) {
            SimLine line;
            line.type = QSD_CHTYPE_SPY;
            line.board = index;
            line.cic = static_cast<int>(m_circuits.size());
            line.audio = audio;
            SimCircuit circuit;
            circuit.channel = static_cast<int>(m_lines.size());
            m_lines.push_back(line);
            m_circuits.push_back(circuit);
        }
    }
    m_boardStartFailures = scenario.boardStartFailures;
    m_injectedFailures.clear();
    m_speed = scenario.speed;
    m_ringIntervalMs = scenario.ringIntervalMs;

    // Nothing queued for the old model is delivered; whoever waits for it stops waiting.
    m_pending.clear();
    m_deliveredSequence = m_queuedSequence;
    m_delivered.notify_all();
}

int CSimulator::WithLine(int channel, const std::function<int(SimLine&)>& action) {
    std::lock_guard<std::mutex> guard(m_stateLock);
    if (!m_enabled || channel < 0 || channel >= static_cast<int>(m_lines.size()))
        return QSD_ERR;
    return action(m_lines[channel]);
}

int CSimulator::WithAnalogueLine(int channel, const std::function<int(SimLine&)>& action) {
    return WithLine(channel, [&](SimLine& line) { return line.Analogue() ? action(line) : QSD_ERR; });
}

int CSimulator::WithCircuit(int cic, const std::function<int(SimCircuit&)>& action) {
    std::lock_guard<std::mutex> guard(m_stateLock);
    if (!m_enabled || cic < 0 || cic >= static_cast<int>(m_circuits.size()))
        return QSD_ERR;
    return action(m_circuits[cic]);
}

int CSimulator::EnableBoards() {
    std::lock_guard<std::mutex> guard(m_stateLock);
    if (m_enabled)
        return QSD_OK;
    if (m_boards.empty())
        return QSD_ERR;
    if (m_boardStartFailures > 0) {
        --m_boardStartFailures;
        return QSD_ERR;
    }
    m_enabled = true;
    return QSD_OK;
}

// The boards let go of their lines: recordings and playback stop, the board's pick-ups are
// released, and no event is delivered until they start again.
int CSimulator::DisableBoards() {
    std::lock_guard<std::mutex> guard(m_stateLock);
    if (!m_enabled)
        return QSD_OK;
    m_enabled = false;
    for (SimLine& line : m_lines) {
        StopRecorder(line.recorder, NewGenerationLocked());
        line.playing = false;
        line.boardOffHook = false;
        line.toneAnalysis = false;
    }
    for (SimCircuit& circuit : m_circuits)
        StopRecorder(circuit.recorder, NewGenerationLocked());
    return QSD_OK;
}

int CSimulator::UsableBoards() {
    std::lock_guard<std::mutex> guard(m_stateLock);
    return m_enabled ? static_cast<int>(m_boards.size()) : 0;
}

int CSimulator::MaxChannels() {
    std::lock_guard<std::mutex> guard(m_stateLock);
    return m_enabled ? m_maxChannels : 0;
}

int CSimulator::MaxPcms() {
    std::lock_guard<std::mutex> guard(m_stateLock);
    return m_enabled ? static_cast<int>(m_links.size()) : 0;
}

int CSimulator::MaxCics() {
    std::lock_guard<std::mutex> guard(m_stateLock);
    return m_enabled ? static_cast<int>(m_circuits.size()) : 0;
}

int CSimulator::BoardField(int board, int SimBoard::*field) {
    std::lock_guard<std::mutex> guard(m_stateLock);
    if (!m_enabled || board < 0 || board >= static_cast<int>(m_boards.size()))
        return QSD_ERR;
    return m_boards[board].*field;
}

int CSimulator::BoardSerialNo(int board) {
    return BoardField(board, &SimBoard::serialNo);
}

int CSimulator::CardType(int board) {
    return BoardField(board, &SimBoard::type);
}

int CSimulator::PcmLinkStatus(int pcm) {
    std::lock_guard<std::mutex> guard(m_stateLock);
    if (!m_enabled || pcm < 0 || pcm >= static_cast<int>(m_links.size()))
        return QSD_ERR;
    return static_cast<int>(m_links[pcm]);
}

int CSimulator::SetEventMode(const QSD_EVENT_MODE* mode) {
    if (!mode || mode->Mode != QSD_EVENT_MODE_CALLBACK)
        return QSD_ERR;
    std::lock_guard<std::mutex> guard(m_stateLock);
    m_eventCallback = mode->Callback;
    return QSD_OK;
}
