#pragma once
// The WAV headers this system writes, as byte-exact records (little-endian, no padding):
// - G711WavHeader (58 bytes): A-law or µ-law recordings and the A-law file made from an IMA ADPCM recording;
// - ImaWavHeader (60 bytes): IMA ADPCM recordings, 256-byte blocks of 505 samples;
// - PcmWavHeader (44 bytes): the 16-bit file handed to the MP3 encoder.
// All audio is mono at 8000 samples per second.

#include <cstddef>
#include <cstdint>

constexpr uint16_t kWaveFormatPcm = 1;
constexpr uint16_t kWaveFormatALaw = 6;
constexpr uint16_t kWaveFormatMuLaw = 7;
constexpr uint16_t kWaveFormatImaAdpcm = 0x11;
constexpr uint32_t kSampleRate = 8000;

#pragma pack(push, 1)

struct G711WavHeader {
    char Riff[4];
    uint32_t RiffSize;
    char Wave[4];
    char Fmt[4];
    uint32_t FmtSize;    // 18
    uint16_t FormatTag;  // A-law or µ-law
    uint16_t Channels;
    uint32_t SamplesPerSec;
    uint32_t AvgBytesPerSec;
    uint16_t BlockAlign;
    uint16_t BitsPerSample;
    uint16_t ExtraSize;  // 0
    char Fact[4];
    uint32_t FactSize;  // 4
    uint32_t FactValue;
    char Data[4];
    uint32_t DataSize;
};

struct ImaWavHeader {
    char Riff[4];
    uint32_t RiffSize;
    char Wave[4];
    char Fmt[4];
    uint32_t FmtSize;    // 20
    uint16_t FormatTag;  // 0x11
    uint16_t Channels;
    uint32_t SamplesPerSec;
    uint32_t AvgBytesPerSec;   // 4055
    uint16_t BlockAlign;       // 256
    uint16_t BitsPerSample;    // 4
    uint16_t ExtraSize;        // 2
    uint16_t SamplesPerBlock;  // 505
    char Fact[4];
    uint32_t FactSize;  // 4
    uint32_t SampleCount;
    char Data[4];
    uint32_t DataSize;
};

struct PcmWavHeader {
    char Riff[4];
    uint32_t RiffSize;
    char Wave[4];
    char Fmt[4];
    uint32_t FmtSize;    // 16
    uint16_t FormatTag;  // 1
    uint16_t Channels;
    uint32_t SamplesPerSec;
    uint32_t AvgBytesPerSec;
    uint16_t BlockAlign;
    uint16_t BitsPerSample;
    char Data[4];
    uint32_t DataSize;
};

#pragma pack(pop)

static_assert(sizeof(G711WavHeader) == 58);
static_assert(offsetof(G711WavHeader, FormatTag) == 20);
static_assert(offsetof(G711WavHeader, ExtraSize) == 36);
static_assert(offsetof(G711WavHeader, FactValue) == 46);
static_assert(offsetof(G711WavHeader, DataSize) == 54);
static_assert(sizeof(ImaWavHeader) == 60);
static_assert(offsetof(ImaWavHeader, SamplesPerBlock) == 38);
static_assert(offsetof(ImaWavHeader, SampleCount) == 48);
static_assert(offsetof(ImaWavHeader, DataSize) == 56);
static_assert(sizeof(PcmWavHeader) == 44);
static_assert(offsetof(PcmWavHeader, DataSize) == 40);

// An ADPCM recording's header counts its whole blocks; a partial block at the end (the tail written when the call
// ends) stays outside the counted data, since a decoder cannot play it.
constexpr uint32_t kImaBlockBytes = 256;
constexpr uint32_t kImaSamplesPerBlock = 505;

// The recording's fact chunk of a G.711 file carries this constant whatever the file's length.
constexpr uint32_t kRecordingG711FactValue = 97120;

// A G.711 header for dataBytes bytes of samples, with factValue in its fact chunk.
G711WavHeader MakeG711WavHeader(uint16_t formatTag, uint32_t dataBytes, uint32_t factValue);

// The header of an IMA ADPCM recording whose file (header included) is fileSize bytes long. A tail shorter
// than one block stays outside the counted data.
ImaWavHeader MakeImaWavHeader(uint32_t fileSize);

PcmWavHeader MakePcmWavHeader(uint32_t dataLength);

// True when the 60 bytes are the header of an IMA ADPCM recording as this system writes it: mono,
// 8000 samples per second, 256-byte blocks of 505 samples, data chunk right after the fact chunk.
bool IsRecordedImaHeader(const ImaWavHeader& header);
