// Audio exchanged with sox, the reference codec. sox-exchange.sh makes the inputs with sox, runs these tests with
// TESS_SOX_DIR naming its folder, and then checks with sox what they wrote into its "out" folder: each file is
// listed in out\expected.txt with the encoding and the range of sample counts that sox must find. Run without
// that folder (as part of the whole program) they are skipped.

#include "engine/AdpcmToALaw.h"
#include "engine/CardEngineState.h"
#include "channels/ChannelTable.h"
#include "engine/G711.h"
#include "engine/ImaAdpcm.h"
#include "engine/Mp3Conversion.h"
#include "engine/RecordBlockCallback.h"
#include "engine/RecordingFiles.h"
#include "engine/WavFormat.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace {

std::wstring SoxFolder() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"TESS_SOX_DIR", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(folder) + L"\\" : std::wstring();
}

std::vector<int16_t> ReadRaw16(const std::wstring& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

class SoxExchange : public ::testing::Test {
protected:
    void SetUp() override {
        in = SoxFolder();
        if (in.empty())
            GTEST_SKIP() << "run by sox-exchange.sh";
        out = in + L"out\\";
    }

    // Lists a written file for the script: sox must read it with this encoding and a sample count in range.
    void Expect(const char* name, const char* encoding, uint32_t minSamples, uint32_t maxSamples) {
        std::ofstream list(std::filesystem::path(out + L"expected.txt"), std::ios::app | std::ios::binary);
        list << name << '\t' << encoding << '\t' << minSamples << '\t' << maxSamples << '\n';
    }

    std::wstring in;
    std::wstring out;
};

}  // namespace

TEST_F(SoxExchange, AdpcmDecoderMatchesSox) {
    const std::vector<uint8_t> wav = ReadFileBytes(in + L"ima.wav");
    ASSERT_GE(wav.size(), sizeof(ImaWavHeader));
    ImaWavHeader header;
    std::memcpy(&header, wav.data(), sizeof(header));
    ASSERT_TRUE(IsRecordedImaHeader(header)) << "sox writes the recorded layout";
    const uint32_t blocks = header.DataSize / kAdpcmBlockBytes;
    ASSERT_GT(blocks, 16u);

    std::vector<int16_t> decoded(blocks * kAdpcmSamplesPerBlock);
    for (uint32_t b = 0; b < blocks; ++b)
        DecodeAdpcmBlockWithHeader(&wav[sizeof(header) + b * kAdpcmBlockBytes], &decoded[b * kAdpcmSamplesPerBlock]);
    EXPECT_EQ(decoded, ReadRaw16(in + L"ima-pcm.raw"));
}

TEST_F(SoxExchange, ALawMatchesSox) {
    std::vector<uint8_t> codes(256);
    for (int i = 0; i < 256; ++i)
        codes[i] = static_cast<uint8_t>(i);
    std::vector<int16_t> expanded(256);
    ALawToLinear(codes.data(), codes.size(), expanded.data());
    EXPECT_EQ(expanded, ReadRaw16(in + L"codes-pcm.raw"));

    // sox first rounds to the 13 bits that G.711 codes, so samples on that grid must compress alike.
    const std::vector<int16_t> aligned = ReadRaw16(in + L"aligned.raw");
    ASSERT_FALSE(aligned.empty());
    std::vector<uint8_t> compressed(aligned.size());
    LinearToALaw(aligned.data(), aligned.size(), compressed.data());
    EXPECT_EQ(compressed, ReadFileBytes(in + L"aligned-alaw.raw"));
}

TEST_F(SoxExchange, AdpcmRecordingBecomesALaw) {
    const std::wstring converted = out + L"converted.wav";
    ASSERT_TRUE(ConvertAdpcmWavToALaw((in + L"ima.wav").c_str(), converted.c_str()));

    const std::vector<int16_t> reference = ReadRaw16(in + L"ima-pcm.raw");
    std::vector<uint8_t> expected(reference.size());
    LinearToALaw(reference.data(), reference.size(), expected.data());
    const std::vector<uint8_t> file = ReadFileBytes(converted);
    ASSERT_EQ(file.size(), sizeof(G711WavHeader) + expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), file.begin() + sizeof(G711WavHeader)));
    const uint32_t samples = static_cast<uint32_t>(reference.size());
    Expect("converted.wav", "A-law", samples, samples);
}

// Recordings written the way the engine writes them: placeholder header, blocks through the driver's block
// callback, the tail the driver still held and the final header at the end of the call. The tail of an ADPCM
// recording ends in a partial block: every whole block before it is played, and so is the A-law file made of it.
TEST_F(SoxExchange, RecordingsAreWavFilesSoxReads) {
    const std::vector<uint8_t> ima = ReadFileBytes(in + L"ima.wav");
    const std::vector<uint8_t> adpcm(ima.begin() + sizeof(ImaWavHeader), ima.end());
    const std::vector<uint8_t> alaw = ReadFileBytes(in + L"aligned-alaw.raw");
    struct Row {
        int audioFmt;
        const char* name;
        const char* encoding;
        const std::vector<uint8_t>& data;
        int blockBytes;
    };
    const Row rows[] = {
        {0, "rec-adpcm.wav", "IMA ADPCM", adpcm, 2560},
        {2, "rec-alaw.wav", "A-law", alaw, 8000},
        {3, "rec-ulaw.wav", "u-law", alaw, 8000},
    };
    const int channel = 7;
    ChannelRecord& record = ChannelTable[channel];
    for (const Row& row : rows) {
        const std::wstring path = out + std::wstring(row.name, row.name + std::strlen(row.name));
        record.AudioFmt = row.audioFmt;
        record.FileHandle.Attach(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(record.FileHandle.Get(), INVALID_HANDLE_VALUE);
        std::vector<uint8_t> placeholder(RecordingHeaderBytes(row.audioFmt), 0);
        DWORD written = 0;
        ::WriteFile(record.FileHandle.Get(), placeholder.data(), static_cast<DWORD>(placeholder.size()), &written,
                    nullptr);

        uint32_t stored = 0;
        for (size_t at = 0; at < row.data.size(); at += row.blockBytes) {
            const int bytes = static_cast<int>(std::min<size_t>(row.blockBytes, row.data.size() - at));
            RecordBlockCallback(channel, QSD_REC_BLOCK_FULL, const_cast<BYTE*>(&row.data[at]), bytes, 0);
            const int kept = row.audioFmt == 0 ? bytes & ~0xFF : bytes;  // whole ADPCM blocks only
            if (kept >= 1025)
                stored += kept;
        }
        const std::vector<uint8_t> tail(3 * 256 + 100, 0x11);  // three whole blocks and a partial one
        ::WriteFile(record.FileHandle.Get(), tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr);
        stored += row.audioFmt == 0 ? 3 * 256 : static_cast<uint32_t>(tail.size());
        {
            std::lock_guard<std::recursive_mutex> lock(record.FileLock);
            ASSERT_TRUE(FinishWavHeader(record.FileHandle.Get(), record));
            record.FileHandle.Close();
        }
        const uint32_t samples = row.audioFmt == 0 ? stored / kImaBlockBytes * kImaSamplesPerBlock : stored;
        Expect(row.name, row.encoding, samples, samples);
        if (row.audioFmt == 0) {
            ASSERT_TRUE(ConvertAdpcmWavToALaw(path.c_str(), (out + L"rec-adpcm-alaw.wav").c_str()));
            Expect("rec-adpcm-alaw.wav", "A-law", samples, samples);
        }
    }
}

TEST_F(SoxExchange, Mp3OfATwoSecondToneLastsTwoSeconds) {
    Mp3EncoderState state;
    ASSERT_TRUE(BindMp3Encoder(state));
    const uint32_t samples = 16000;
    const G711WavHeader header = MakeG711WavHeader(kWaveFormatALaw, samples, samples);
    std::vector<uint8_t> wav(sizeof(header) + samples);
    std::memcpy(wav.data(), &header, sizeof(header));
    for (uint32_t i = 0; i < samples; ++i)
        wav[sizeof(header) + i] = LinearToALaw(static_cast<int16_t>(12000 * std::sin(i * 2 * 3.14159265 * 440 / 8000)));
    const std::wstring path = out + L"tone.wav";
    ASSERT_TRUE(WriteFileBytes(path, wav));

    ASSERT_TRUE(ConvertRecordingToMp3(path.c_str(), state));
    ::FreeLibrary(state.Library);
    // The decoder adds the encoder's delay and pads the last frame: at most a few frames of 576 samples.
    Expect("tone.mp3", "MPEG audio (layer I, II or III)", samples, samples + 4 * 576);
}
