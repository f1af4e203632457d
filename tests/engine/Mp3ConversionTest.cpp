#include "engine/G711.h"
#include "engine/Mp3Conversion.h"
#include "engine/WavFormat.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr wchar_t kFakeEncoder[] = L"fake_mp3_encoder.dll";

// An A-law WAV of a 1 kHz tone with the given number of samples.
std::vector<uint8_t> MakeALawTone(uint32_t samples) {
    const G711WavHeader header = MakeG711WavHeader(kWaveFormatALaw, samples, samples);
    std::vector<uint8_t> file(sizeof(header) + samples);
    std::memcpy(file.data(), &header, sizeof(header));
    for (uint32_t i = 0; i < samples; ++i)
        file[sizeof(header) + i] = LinearToALaw(static_cast<int16_t>(8000 * std::sin(i * 2 * 3.14159265 / 8)));
    return file;
}

std::wstring WithExtension(const std::wstring& wavPath, const wchar_t* extension) {
    return wavPath.substr(0, wavPath.size() - 3) + extension;
}

// The fake encoder, bound through the product's binding; its control entry points come from the same module.
class FakeEncoder {
public:
    explicit FakeEncoder(int failAtChunk = -1) {
        bound = BindMp3EncoderLibrary(state, kFakeEncoder);
        if (bound)
            Call<void (*)(int)>("FakeEncoderReset")(failAtChunk);
    }
    ~FakeEncoder() {
        if (state.Library)
            ::FreeLibrary(state.Library);
        ResetMp3Encoder(state);
    }
    template <class Fn>
    Fn Call(const char* name) {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(state.Library, name)));
    }
    DWORD Samples() { return Call<DWORD (*)()>("FakeEncoderSamples")(); }
    DWORD LargestChunk() { return Call<DWORD (*)()>("FakeEncoderLargestChunk")(); }
    int TagsWritten() { return Call<int (*)()>("FakeEncoderTagsWritten")(); }
    int StreamsOpen() { return Call<int (*)()>("FakeEncoderStreamsOpen")(); }
    BE_CONFIG Config() {
        BE_CONFIG config;
        Call<void (*)(BE_CONFIG*)>("FakeEncoderConfig")(&config);
        return config;
    }

    Mp3EncoderState state;
    bool bound = false;
};

}  // namespace

TEST(Mp3Conversion, ConvertsEverySampleAndReplacesTheWav) {
    TestFolder folder;
    FakeEncoder fake;
    ASSERT_TRUE(fake.bound);
    const std::wstring wav = PathIn(folder, L"fake-tone.wav");
    ASSERT_TRUE(WriteFileBytes(wav, MakeALawTone(16000)));

    EXPECT_TRUE(ConvertRecordingToMp3(wav.c_str(), fake.state));

    // All 16000 samples reached the encoder, the last 1024 as a shorter chunk.
    EXPECT_EQ(fake.Samples(), 16000u);
    EXPECT_EQ(fake.LargestChunk(), 1152u);
    EXPECT_EQ(fake.TagsWritten(), 1);
    EXPECT_EQ(fake.StreamsOpen(), 0);
    EXPECT_EQ(ReadFileBytes(WithExtension(wav, L"mp3")).size(), 2000u);
    EXPECT_FALSE(FileExists(wav));
    EXPECT_FALSE(FileExists(wav + L"temp"));
}

TEST(Mp3Conversion, EncoderIsConfiguredFor8000HzMonoAt16Kbits) {
    TestFolder folder;
    FakeEncoder fake;
    ASSERT_TRUE(fake.bound);
    const std::wstring wav = PathIn(folder, L"fake-config.wav");
    ASSERT_TRUE(WriteFileBytes(wav, MakeALawTone(9000)));
    ASSERT_TRUE(ConvertRecordingToMp3(wav.c_str(), fake.state));

    BE_CONFIG expected;
    std::memset(&expected, 0, sizeof(expected));
    expected.dwConfig = 256;
    expected.dwStructVersion = 1;
    expected.dwStructSize = 331;
    expected.dwSampleRate = 8000;
    expected.nMode = 3;
    expected.dwBitrate = 16;
    expected.nPreset = 4;
    expected.dwMpegVersion = 1;
    expected.bOriginal = 1;
    expected.bWriteVBRHeader = 1;
    expected.bNoRes = 1;
    const BE_CONFIG received = fake.Config();
    EXPECT_EQ(std::memcmp(&received, &expected, sizeof(BE_CONFIG)), 0);
}

TEST(Mp3Conversion, FailedEncodingKeepsTheWav) {
    TestFolder folder;
    FakeEncoder fake(3);
    ASSERT_TRUE(fake.bound);
    const std::wstring wav = PathIn(folder, L"fake-fails.wav");
    const std::vector<uint8_t> original = MakeALawTone(16000);
    ASSERT_TRUE(WriteFileBytes(wav, original));

    EXPECT_FALSE(ConvertRecordingToMp3(wav.c_str(), fake.state));
    EXPECT_EQ(ReadFileBytes(wav), original);
    EXPECT_FALSE(FileExists(WithExtension(wav, L"mp3")));
    EXPECT_FALSE(FileExists(wav + L"temp"));
    EXPECT_EQ(fake.StreamsOpen(), 0);
    EXPECT_EQ(fake.state.OutputFile, nullptr);
}

TEST(Mp3Conversion, RecordingsBelow8192BytesStayWav) {
    TestFolder folder;
    FakeEncoder fake;
    ASSERT_TRUE(fake.bound);
    const std::wstring wav = PathIn(folder, L"fake-short.wav");
    const std::vector<uint8_t> original = MakeALawTone(8192 - 58 - 1);
    ASSERT_TRUE(WriteFileBytes(wav, original));

    EXPECT_FALSE(ConvertRecordingToMp3(wav.c_str(), fake.state));
    EXPECT_EQ(ReadFileBytes(wav), original);
    EXPECT_EQ(fake.Samples(), 0u);
    EXPECT_FALSE(FileExists(WithExtension(wav, L"mp3")));
}

TEST(Mp3Conversion, WithoutTheLibraryNothingIsConverted) {
    TestFolder folder;
    struct Row {
        const wchar_t* library;
    };
    const std::wstring missing = PathIn(folder, L"no-encoder-here.dll");
    const Row rows[] = {
        {missing.c_str()}, {L"kernel32.dll"},  // loads, but has none of the entry points
    };
    for (const Row& row : rows) {
        Mp3EncoderState state;
        EXPECT_FALSE(BindMp3EncoderLibrary(state, row.library));
        EXPECT_FALSE(IsMp3EncoderBound(state));

        const std::wstring wav = PathIn(folder, L"unbound.wav");
        const std::vector<uint8_t> original = MakeALawTone(16000);
        ASSERT_TRUE(WriteFileBytes(wav, original));
        EXPECT_FALSE(ConvertRecordingToMp3(wav.c_str(), state));
        EXPECT_EQ(ReadFileBytes(wav), original);
        EXPECT_FALSE(FileExists(WithExtension(wav, L"mp3")));
        EXPECT_FALSE(FileExists(wav + L"temp"));
    }
}

TEST(Mp3Conversion, TheEncoderLibraryMakesAnMp3) {
    TestFolder folder;
    Mp3EncoderState state;
    ASSERT_TRUE(BindMp3Encoder(state));
    const HMODULE library = state.Library;
    EXPECT_TRUE(BindMp3Encoder(state));  // already bound: the same library
    EXPECT_EQ(state.Library, library);
    const std::wstring wav = PathIn(folder, L"lame-tone.wav");
    ASSERT_TRUE(WriteFileBytes(wav, MakeALawTone(16000)));

    EXPECT_TRUE(ConvertRecordingToMp3(wav.c_str(), state));
    const std::vector<uint8_t> mp3 = ReadFileBytes(WithExtension(wav, L"mp3"));
    ASSERT_GT(mp3.size(), 1000u);
    const bool id3 = TagAt(mp3, 0).substr(0, 3) == "ID3";
    const bool frameSync = mp3[0] == 0xFF && (mp3[1] & 0xE0) == 0xE0;
    EXPECT_TRUE(id3 || frameSync);
    EXPECT_FALSE(FileExists(wav));
    ::FreeLibrary(state.Library);
}
