#include "engine/WavFormat.h"

#include <cstring>

namespace {

void SetTag(char (&field)[4], const char* tag) {
    std::memcpy(field, tag, 4);
}

bool HasTag(const char (&field)[4], const char* tag) {
    return std::memcmp(field, tag, 4) == 0;
}

}  // namespace

G711WavHeader MakeG711WavHeader(uint16_t formatTag, uint32_t dataBytes, uint32_t factValue) {
    G711WavHeader h{};
    SetTag(h.Riff, "RIFF");
    h.RiffSize = dataBytes + sizeof(G711WavHeader) - 8;
    SetTag(h.Wave, "WAVE");
    SetTag(h.Fmt, "fmt ");
    h.FmtSize = 18;
    h.FormatTag = formatTag;
    h.Channels = 1;
    h.SamplesPerSec = kSampleRate;
    h.AvgBytesPerSec = kSampleRate;
    h.BlockAlign = 1;
    h.BitsPerSample = 8;
    h.ExtraSize = 0;
    SetTag(h.Fact, "fact");
    h.FactSize = 4;
    h.FactValue = factValue;
    SetTag(h.Data, "data");
    h.DataSize = dataBytes;
    return h;
}

ImaWavHeader MakeImaWavHeader(uint32_t fileSize) {
    const uint32_t blocks = fileSize < sizeof(ImaWavHeader) ? 0 : (fileSize - sizeof(ImaWavHeader)) / kImaBlockBytes;
    ImaWavHeader h{};
    SetTag(h.Riff, "RIFF");
    h.RiffSize = blocks * kImaBlockBytes + sizeof(ImaWavHeader) - 8;
    SetTag(h.Wave, "WAVE");
    SetTag(h.Fmt, "fmt ");
    h.FmtSize = 20;
    h.FormatTag = kWaveFormatImaAdpcm;
    h.Channels = 1;
    h.SamplesPerSec = kSampleRate;
    h.AvgBytesPerSec = 4055;
    h.BlockAlign = kImaBlockBytes;
    h.BitsPerSample = 4;
    h.ExtraSize = 2;
    h.SamplesPerBlock = kImaSamplesPerBlock;
    SetTag(h.Fact, "fact");
    h.FactSize = 4;
    h.SampleCount = blocks * kImaSamplesPerBlock;
    SetTag(h.Data, "data");
    h.DataSize = blocks * kImaBlockBytes;
    return h;
}

PcmWavHeader MakePcmWavHeader(uint32_t dataLength) {
    PcmWavHeader h{};
    SetTag(h.Riff, "RIFF");
    h.RiffSize = dataLength + 36;
    SetTag(h.Wave, "WAVE");
    SetTag(h.Fmt, "fmt ");
    h.FmtSize = 16;
    h.FormatTag = kWaveFormatPcm;
    h.Channels = 1;
    h.SamplesPerSec = kSampleRate;
    h.AvgBytesPerSec = 2 * kSampleRate;
    h.BlockAlign = 2;
    h.BitsPerSample = 16;
    SetTag(h.Data, "data");
    h.DataSize = dataLength;
    return h;
}

bool IsRecordedImaHeader(const ImaWavHeader& h) {
    return HasTag(h.Riff, "RIFF") && HasTag(h.Wave, "WAVE") && HasTag(h.Fmt, "fmt ") && h.FmtSize == 20 &&
           h.FormatTag == kWaveFormatImaAdpcm && h.Channels == 1 && h.SamplesPerSec == kSampleRate &&
           h.BlockAlign == kImaBlockBytes && h.BitsPerSample == 4 && h.SamplesPerBlock == kImaSamplesPerBlock &&
           HasTag(h.Fact, "fact") && h.FactSize == 4 && HasTag(h.Data, "data");
}
