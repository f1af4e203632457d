#include "engine/AdpcmToALaw.h"
#include "engine/G711.h"
#include "engine/ImaAdpcm.h"
#include "engine/WavFormat.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<int16_t> Decode(const std::vector<uint8_t>& codeBytes, AdpcmDecoderState& state) {
    std::vector<uint8_t> codes(kAdpcmCodeBytes, 0);
    std::memcpy(codes.data(), codeBytes.data(), codeBytes.size());
    std::vector<int16_t> samples(kAdpcmCodeSamples);
    DecodeAdpcmBlock(codes.data(), samples.data(), state);
    return samples;
}

// An IMA ADPCM recording whose header claims dataSize bytes, followed by fileDataBytes bytes of blocks. Each
// block starts with the sample 1000 * (block + 1) and step index 20.
std::vector<uint8_t> MakeImaFile(uint32_t dataSize, uint32_t fileDataBytes) {
    ImaWavHeader header = MakeImaWavHeader(0);
    header.DataSize = dataSize;
    std::vector<uint8_t> file(sizeof(header) + fileDataBytes);
    std::memcpy(file.data(), &header, sizeof(header));
    for (uint32_t i = 0; i < fileDataBytes; ++i)
        file[sizeof(header) + i] = static_cast<uint8_t>(i * 37 + 11);
    for (uint32_t block = 0; block * kAdpcmBlockBytes + 4 <= fileDataBytes; ++block) {
        uint8_t* b = &file[sizeof(header) + block * kAdpcmBlockBytes];
        const int16_t first = static_cast<int16_t>(1000 * (block + 1));
        b[0] = static_cast<uint8_t>(first & 0xFF);
        b[1] = static_cast<uint8_t>(first >> 8);
        b[2] = 20;
        b[3] = 0;
    }
    return file;
}

}  // namespace

TEST(ImaAdpcm, DecodesLowNibbleFirstWithTheStepBeforeTheUpdate) {
    AdpcmDecoderState state{0, 0};
    const std::vector<int16_t> samples = Decode({0x07, 0x3F, 0x48}, state);
    const int16_t expected[] = {11, 13, -12, 13, 10, 38, 41, 44};
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(samples[i], expected[i]) << "sample " << i;
    EXPECT_EQ(state.Predicted, 64);
    EXPECT_EQ(state.StepIndex, 0);
}

TEST(ImaAdpcm, SamplesAndStepIndexSaturate) {
    struct Row {
        AdpcmDecoderState start;
        uint8_t fill;
        int16_t every;
    };
    const Row rows[] = {
        {{32767, 88}, 0x77, 32767},
        {{-32768, 88}, 0xFF, -32768},
    };
    for (const Row& row : rows) {
        AdpcmDecoderState state = row.start;
        const std::vector<int16_t> samples = Decode(std::vector<uint8_t>(kAdpcmCodeBytes, row.fill), state);
        for (int16_t s : samples)
            ASSERT_EQ(s, row.every);
        EXPECT_EQ(state.StepIndex, 88);
    }
}

TEST(ImaAdpcm, StepIndexAbove88CountsAs88) {
    AdpcmDecoderState state{100, 200};
    const std::vector<int16_t> samples = Decode({0x80}, state);
    EXPECT_EQ(samples[0], 100 + (32767 >> 3));
    EXPECT_EQ(samples[1], 471);
}

TEST(AdpcmToALaw, ConvertsWholeBlocksOnly) {
    TestFolder folder;
    struct Row {
        uint32_t dataSize;
        uint32_t blocks;
    };
    const Row rows[] = {
        {1000, 3},  // the last 232 bytes are a partial block
        {0, 0},
        {4096, 16},
    };
    for (const Row& row : rows) {
        const std::wstring source = PathIn(folder, L"whole-blocks.wav");
        const std::wstring destination = PathIn(folder, L"whole-blocks.alaw");
        ASSERT_TRUE(WriteFileBytes(source, MakeImaFile(row.dataSize, row.dataSize)));
        ASSERT_TRUE(ConvertAdpcmWavToALaw(source.c_str(), destination.c_str()));

        const std::vector<uint8_t> out = ReadFileBytes(destination);
        const uint32_t samples = row.blocks * kAdpcmSamplesPerBlock;
        ASSERT_EQ(out.size(), 58 + samples) << "data size " << row.dataSize;
        EXPECT_EQ(TagAt(out, 0), "RIFF");
        EXPECT_EQ(U32At(out, 4), samples + 50);
        EXPECT_EQ(TagAt(out, 8), "WAVE");
        EXPECT_EQ(TagAt(out, 12), "fmt ");
        EXPECT_EQ(U32At(out, 16), 18u);
        EXPECT_EQ(U16At(out, 20), 6);
        EXPECT_EQ(U16At(out, 22), 1);
        EXPECT_EQ(U32At(out, 24), 8000u);
        EXPECT_EQ(U32At(out, 28), 8000u);
        EXPECT_EQ(U16At(out, 32), 1);
        EXPECT_EQ(U16At(out, 34), 8);
        EXPECT_EQ(U16At(out, 36), 0);
        EXPECT_EQ(TagAt(out, 38), "fact");
        EXPECT_EQ(U32At(out, 42), 4u);
        EXPECT_EQ(U32At(out, 46), samples);
        EXPECT_EQ(TagAt(out, 50), "data");
        EXPECT_EQ(U32At(out, 54), samples);
        for (uint32_t block = 0; block < row.blocks; ++block)
            EXPECT_EQ(out[58 + block * kAdpcmSamplesPerBlock], LinearToALaw(static_cast<int16_t>(1000 * (block + 1))));
    }
}

TEST(AdpcmToALaw, RefusesSourcesThatAreNotImaRecordings) {
    TestFolder folder;
    const std::wstring destination = PathIn(folder, L"refused.alaw");
    const G711WavHeader alaw = MakeG711WavHeader(kWaveFormatALaw, 4096, kRecordingG711FactValue);
    std::vector<uint8_t> alawFile(sizeof(alaw) + 4096, 0xD5);
    std::memcpy(alawFile.data(), &alaw, sizeof(alaw));
    ImaWavHeader stereo = MakeImaWavHeader(60 + 4096);
    stereo.Channels = 2;
    std::vector<uint8_t> stereoFile(sizeof(stereo) + 4096);
    std::memcpy(stereoFile.data(), &stereo, sizeof(stereo));

    const std::vector<uint8_t> sources[] = {
        alawFile,
        stereoFile,
        std::vector<uint8_t>(60 + 4096, 0),  // a placeholder header that was never finished
        std::vector<uint8_t>(20, 0),
    };
    for (const std::vector<uint8_t>& bytes : sources) {
        const std::wstring source = PathIn(folder, L"refused.wav");
        ASSERT_TRUE(WriteFileBytes(source, bytes));
        EXPECT_FALSE(ConvertAdpcmWavToALaw(source.c_str(), destination.c_str()));
        EXPECT_FALSE(FileExists(destination));
        EXPECT_EQ(ReadFileBytes(source), bytes);
    }
    EXPECT_FALSE(ConvertAdpcmWavToALaw(PathIn(folder, L"missing.wav").c_str(), destination.c_str()));
    EXPECT_FALSE(FileExists(destination));
}

TEST(AdpcmToALaw, TruncatedSourceLeavesNoDestination) {
    TestFolder folder;
    const std::wstring source = PathIn(folder, L"truncated.wav");
    const std::wstring destination = PathIn(folder, L"truncated.alaw");
    ASSERT_TRUE(WriteFileBytes(source, MakeImaFile(8192, 1000)));
    EXPECT_FALSE(ConvertAdpcmWavToALaw(source.c_str(), destination.c_str()));
    EXPECT_FALSE(FileExists(destination));
}
