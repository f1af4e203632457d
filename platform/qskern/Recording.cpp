// Recording.cpp - recording into the program's memory: block recordings of analogue lines, the
// memory recordings of tapped circuits, and the audio command that chooses what they hear.
//
// Audio is written at the codec's byte rate on the audio clock (4 bytes per ms for IMA ADPCM, 8
// for G.711; the clock runs `speed` times faster than real time), so the byte count and the ms
// that QsdVox_QueryRecInfo reports always agree with what is in the buffer. A block recording
// raises QSD_REC_BLOCK_FULL when its block is full and writes nothing more until the callback
// returns; unless the callback stopped or restarted the recording, it then goes on from the start
// of the same buffer. A circuit's recording fills its buffer once and then holds still until it is
// restarted. Starting a recording that runs restarts it with the new arguments; stopping one that
// does not run succeeds. What a recording reported stays readable after it stops.
#include "Simulator.h"

#include "CommandLine.h"

namespace {

// Starts (or restarts) `recorder` at the audio clock `nowMs`.
void StartRecorder(SimRecorder& recorder, uint64_t generation, double nowMs, const CAudioSource& audio, int codec,
                   BYTE* buffer, int bytes, QSD_RECORD_CALLBACK callback, DWORD_PTR user) {
    recorder = SimRecorder();
    recorder.active = true;
    recorder.codec = codec;
    recorder.buffer = buffer;
    recorder.size = bytes;
    recorder.blockStartMs = nowMs;
    recorder.callback = callback;
    recorder.user = user;
    recorder.generation = generation;
    recorder.encoder = CAudioEncoder(codec, audio);
}

}  // namespace

int CSimulator::RecordMemBlock(int channel, int codec, BYTE* buffer, int blockBytes, QSD_RECORD_CALLBACK callback,
                               DWORD_PTR user) {
    return WithAnalogueLine(channel, [&](SimLine& line) {
        if (!buffer || blockBytes <= 0 || CodecBytesPerMs(codec) == 0)
            return QSD_ERR;
        AdvanceClockLocked();
        StartRecorder(line.recorder, NewGenerationLocked(), m_audioMs, line.audio, codec, buffer, blockBytes, callback,
                      user);
        return QSD_OK;
    });
}

// A spy channel has no block recording of its own; its stop succeeds like any stop of a
// recording that does not run, and leaves the circuit's recording alone.
int CSimulator::StopRecord(int channel) {
    return WithLine(channel, [this](SimLine& line) {
        if (line.Analogue())
            StopRecorder(line.recorder, NewGenerationLocked());
        return QSD_OK;
    });
}

// On a spy channel the figures are those of its circuit's recording.
int CSimulator::QueryRecordInfo(int channel, int* info) {
    return WithLine(channel, [&](SimLine& line) {
        if (!info)
            return QSD_ERR;
        const SimRecorder& recorder = line.Analogue() ? line.recorder : m_circuits[line.cic].recorder;
        const int bytesPerMs = CodecBytesPerMs(recorder.codec);
        info[QSD_RECINFO_ACTIVE] = recorder.active;
        info[QSD_RECINFO_CODEC] = recorder.codec;
        info[QSD_RECINFO_BYTES] = recorder.filled;
        info[QSD_RECINFO_BLOCKS] = recorder.blocks;
        info[QSD_RECINFO_MS] = bytesPerMs ? recorder.filled / bytesPerMs : 0;
        return QSD_OK;
    });
}

int CSimulator::SpyRecordToMemory(int cic, int mix, BYTE* buffer, int codec, int bytes) {
    return WithCircuit(cic, [&](SimCircuit& circuit) {
        if (mix < 0 || mix > QSD_SPY_MIX_BOTH || !buffer || bytes <= 0 || CodecBytesPerMs(codec) == 0)
            return QSD_ERR;
        AdvanceClockLocked();
        StartRecorder(circuit.recorder, NewGenerationLocked(), m_audioMs, m_lines[circuit.channel].audio, codec, buffer,
                      bytes, nullptr, 0);
        return QSD_OK;
    });
}

int CSimulator::SpyStopRecord(int cic) {
    return WithCircuit(cic, [this](SimCircuit& circuit) {
        StopRecorder(circuit.recorder, NewGenerationLocked());
        return QSD_OK;
    });
}

int CSimulator::SpyMemoryOffset(int cic) {
    return WithCircuit(cic, [](SimCircuit& circuit) { return circuit.recorder.filled; });
}

void CSimulator::StopRecorder(SimRecorder& recorder, uint64_t generation) {
    recorder.active = false;
    recorder.full = false;
    recorder.generation = generation;
}

// `blocks`: a block recording, which hands full blocks to its callback and goes round again.
void CSimulator::ProduceLocked(int channel, SimRecorder& recorder, bool blocks) {
    if (!recorder.active || recorder.full)
        return;
    const double due = (m_audioMs - recorder.blockStartMs) * CodecBytesPerMs(recorder.codec);
    const int target = due >= recorder.size ? recorder.size : static_cast<int>(due);
    if (target > recorder.filled) {
        recorder.encoder.Produce(recorder.buffer + recorder.filled, target - recorder.filled);
        recorder.filled = target;
    }
    if (recorder.filled < recorder.size)
        return;
    if (blocks && recorder.callback)
        QueueBlockLocked(channel, recorder);  // first: when it cannot be queued, the next tick tries again
    ++recorder.blocks;
    recorder.full = true;
    if (!blocks || recorder.callback)
        return;
    recorder.full = false;
    recorder.filled = 0;
    recorder.blockStartMs = m_audioMs;
}

void CSimulator::ProduceAllLocked() {
    for (int channel = 0; channel < static_cast<int>(m_lines.size()); ++channel)
        ProduceLocked(channel, m_lines[channel].recorder, true);
    for (SimCircuit& circuit : m_circuits)
        ProduceLocked(circuit.channel, circuit.recorder, false);
}

bool CSimulator::BlockStillWantedLocked(const Delivery& delivery) {
    if (delivery.channel < 0 || delivery.channel >= static_cast<int>(m_lines.size()))
        return false;
    const SimRecorder& recorder = m_lines[delivery.channel].recorder;
    return recorder.active && recorder.full && recorder.generation == delivery.generation;
}

// After the callback: the same recording goes on from the start of its buffer.
void CSimulator::BlockHandedOnLocked(const Delivery& delivery) {
    if (!BlockStillWantedLocked(delivery))
        return;
    SimRecorder& recorder = m_lines[delivery.channel].recorder;
    AdvanceClockLocked();
    recorder.full = false;
    recorder.filled = 0;
    recorder.blockStartMs = m_audioMs;
}

std::string CSimulator::DescribeRecorder(const SimRecorder& recorder) {
    return " recording=" + std::to_string(recorder.active) + " codec=" + std::to_string(recorder.codec) +
           " filled=" + std::to_string(recorder.filled) + " blocks=" + std::to_string(recorder.blocks);
}

// audio <channel>|all <source>: what the line hears from now on, running recordings included.
std::string CSimulator::OnAudio(const std::vector<std::string>& words) {
    if (words.size() < 3)
        return "ERR usage: audio <channel>|all silence | tone <hertz> [level] | wav <path>";
    CAudioSource source;
    std::string error;
    if (!ParseAudioSource(std::vector<std::string>(words.begin() + 2, words.end()), source, error))
        return "ERR " + error;
    std::lock_guard<std::mutex> guard(m_stateLock);
    const bool all = FoldLower(words[1]) == "all";
    int channel = 0;
    if (!all && (!ParseInt(words[1], channel) || channel < 0 || channel >= static_cast<int>(m_lines.size())))
        return "ERR no channel " + words[1];
    for (int c = all ? 0 : channel; c < (all ? static_cast<int>(m_lines.size()) : channel + 1); ++c) {
        SimLine& line = m_lines[c];
        line.audio = source;
        SimRecorder& recorder = line.Analogue() ? line.recorder : m_circuits[line.cic].recorder;
        if (recorder.active)
            recorder.encoder.SetSource(source);
    }
    return "OK";
}
