// Recording into the program's memory: the codecs' byte rates, the block callback and what it may
// do, what QsdVox_QueryRecInfo reports, the recorded audio itself, and spy recordings.
#include "SimulatorFixture.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <numbers>

namespace {

constexpr int kBlock = 0x1E000;
constexpr int kBuffer = 0x20000;
constexpr int kSpeed = 50;

struct BlockCall {
    int channel;
    int event;
    BYTE* block;
    int bytes;
    DWORD_PTR user;
    DWORD thread;
    std::chrono::steady_clock::time_point at;
};

using BlockHook = std::function<void(const BlockCall&)>;

std::mutex g_blocksLock;  // guards g_blocks and g_onBlock
std::vector<BlockCall> g_blocks;
BlockHook g_onBlock;  // what the callback does beyond noting the call

int WINAPI RecordBlock(int channel, int event, BYTE* block, int bytes, DWORD_PTR user) {
    const BlockCall call = {channel, event, block, bytes, user, GetCurrentThreadId(), std::chrono::steady_clock::now()};
    BlockHook onBlock;
    {
        std::lock_guard<std::mutex> guard(g_blocksLock);
        g_blocks.push_back(call);
        // A copy: the test may replace the hook as soon as it sees this call noted.
        onBlock = g_onBlock;
    }
    if (onBlock)
        onBlock(call);
    return 1;
}

void SetBlockHook(BlockHook onBlock) {
    std::lock_guard<std::mutex> guard(g_blocksLock);
    g_onBlock = std::move(onBlock);
}

std::vector<BlockCall> Blocks() {
    std::lock_guard<std::mutex> guard(g_blocksLock);
    return g_blocks;
}

bool WaitForBlocks(size_t count) {
    return WaitUntil([&] { return Blocks().size() >= count; }, 10000);
}

int BytesPerMs(int codec) {
    return codec == QSD_CODEC_IMA_ADPCM ? 4 : 8;
}

// The standard G.711 and IMA ADPCM decoders, to look at what was recorded.
int ALawToLinear(uint8_t code) {
    code ^= 0x55;
    int value = (code & 0x0F) << 4;
    const int segment = (code & 0x70) >> 4;
    value += segment == 0 ? 8 : 0x108;
    if (segment > 1)
        value <<= segment - 1;
    return (code & 0x80) ? value : -value;
}

int MuLawToLinear(uint8_t code) {
    code = static_cast<uint8_t>(~code);
    int value = (((code & 0x0F) << 3) + 0x84) << ((code & 0x70) >> 4);
    return (code & 0x80) ? 0x84 - value : value - 0x84;
}

std::vector<int> DecodeImaAdpcm(const std::vector<BYTE>& bytes) {
    static const int steps[89] = {
        7,    8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,   28,
        31,   34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,  118,
        130,  143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,  494,
        544,  598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878, 2066,
        2272, 2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845, 8630,
        9493, 10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
    static const int indexSteps[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};
    std::vector<int> samples;
    for (size_t block = 0; block + 256 <= bytes.size(); block += 256) {
        int predictor = static_cast<int16_t>(bytes[block] | bytes[block + 1] << 8);
        int index = bytes[block + 2];
        samples.push_back(predictor);
        for (size_t i = 4; i < 256; ++i) {
            for (int nibble : {bytes[block + i] & 0x0F, bytes[block + i] >> 4}) {
                const int step = steps[index];
                int change = step >> 3;
                if (nibble & 4)
                    change += step;
                if (nibble & 2)
                    change += step >> 1;
                if (nibble & 1)
                    change += step >> 2;
                predictor = std::clamp(predictor + ((nibble & 8) ? -change : change), -32768, 32767);
                index = std::clamp(index + indexSteps[nibble], 0, 88);
                samples.push_back(predictor);
            }
        }
    }
    return samples;
}

std::vector<int> Decode(int codec, const std::vector<BYTE>& bytes) {
    if (codec == QSD_CODEC_IMA_ADPCM)
        return DecodeImaAdpcm(bytes);
    std::vector<int> samples;
    for (BYTE byte : bytes)
        samples.push_back(codec == QSD_CODEC_ALAW ? ALawToLinear(byte) : MuLawToLinear(byte));
    return samples;
}

class RecordingTest : public CSimulatorTest {
protected:
    void SetUp() override {
        CSimulatorTest::SetUp();
        {
            std::lock_guard<std::mutex> guard(g_blocksLock);
            g_blocks.clear();
            g_onBlock = nullptr;
        }
        Load(kMixedScenario);
        ASSERT_EQ(Sim("set speed " + std::to_string(kSpeed)), "OK");
    }

    // Records `bytes` of line 0 without a callback and answers them.
    std::vector<BYTE> RecordSome(int codec, int bytes) {
        EXPECT_EQ(QsdVox_RecordMemBlock(0, codec, m_buffer.data(), kBlock, nullptr, 0), QSD_OK);
        int info[QSD_RECINFO_COUNT] = {};
        EXPECT_TRUE(WaitUntil([&] {
            QsdVox_QueryRecInfo(0, info);
            return info[QSD_RECINFO_BYTES] >= bytes;
        }));
        QsdVox_StopRec(0);
        return std::vector<BYTE>(m_buffer.begin(), m_buffer.begin() + bytes);
    }

    std::vector<BYTE> m_buffer = std::vector<BYTE>(kBuffer);
    std::vector<BYTE> m_second = std::vector<BYTE>(kBuffer);
};

TEST_F(RecordingTest, BlocksFillAtTheCodecsByteRateAndQueryRecInfoAgreesWithTheBuffer) {
    for (int codec : {QSD_CODEC_IMA_ADPCM, QSD_CODEC_ALAW, QSD_CODEC_MULAW}) {
        SCOPED_TRACE(codec);
        {
            std::lock_guard<std::mutex> guard(g_blocksLock);
            g_blocks.clear();
        }
        const int bytesPerMs = BytesPerMs(codec);
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(QsdVox_RecordMemBlock(0, codec, m_buffer.data(), kBlock, RecordBlock, 42), QSD_OK);
        while (Blocks().empty()) {
            int info[QSD_RECINFO_COUNT] = {};
            ASSERT_EQ(QsdVox_QueryRecInfo(0, info), QSD_OK);
            const double elapsedMs =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            // Never ahead of the clock; the ms figure times the rate never passes what is written.
            EXPECT_LE(info[QSD_RECINFO_BYTES], elapsedMs * kSpeed * bytesPerMs + bytesPerMs);
            EXPECT_LE(info[QSD_RECINFO_MS] * bytesPerMs, info[QSD_RECINFO_BYTES]);
            EXPECT_LT(info[QSD_RECINFO_BYTES], (info[QSD_RECINFO_MS] + 1) * bytesPerMs);
            EXPECT_EQ(info[QSD_RECINFO_CODEC], codec);
            ASSERT_LT(elapsedMs, 10000);
            Sleep(5);
        }
        const BlockCall call = Blocks()[0];
        const double blockMs = static_cast<double>(kBlock) / bytesPerMs / kSpeed;
        const double tookMs = std::chrono::duration<double, std::milli>(call.at - start).count();
        EXPECT_GE(tookMs, blockMs * 0.97);
        EXPECT_EQ(call.channel, 0);
        EXPECT_EQ(call.event, QSD_REC_BLOCK_FULL);
        EXPECT_EQ(call.block, m_buffer.data());
        EXPECT_EQ(call.bytes, kBlock);
        EXPECT_EQ(call.user, 42u);
        EXPECT_NE(call.thread, GetCurrentThreadId());
        EXPECT_EQ(QsdVox_StopRec(0), QSD_OK);
    }
}

TEST_F(RecordingTest, RecordingGoesOnFromTheBufferStartWhenTheCallbackLeavesIt) {
    ASSERT_EQ(QsdVox_RecordMemBlock(0, QSD_CODEC_ALAW, m_buffer.data(), 8000, RecordBlock, 0), QSD_OK);
    ASSERT_TRUE(WaitForBlocks(3));
    // The block stays full until its callback has returned; then the recording starts over.
    int info[QSD_RECINFO_COUNT] = {};
    EXPECT_TRUE(WaitUntil([&] { return QsdVox_QueryRecInfo(0, info) == QSD_OK && info[QSD_RECINFO_BYTES] < 8000; }));
    EXPECT_GE(info[QSD_RECINFO_BLOCKS], 3);
    EXPECT_LT(info[QSD_RECINFO_BYTES], 8000);
    EXPECT_EQ(info[QSD_RECINFO_ACTIVE], 1);

    ASSERT_EQ(QsdVox_StopRec(0), QSD_OK);
    int stopped[QSD_RECINFO_COUNT] = {};
    ASSERT_EQ(QsdVox_QueryRecInfo(0, stopped), QSD_OK);
    EXPECT_EQ(stopped[QSD_RECINFO_ACTIVE], 0);
    EXPECT_EQ(stopped[QSD_RECINFO_CODEC], QSD_CODEC_ALAW);  // the last figures stay readable
    EXPECT_EQ(QsdVox_StopRec(0), QSD_OK);                   // stopping again is no error
}

TEST_F(RecordingTest, CallbackMayStopAndRearmItsOwnRecording) {
    // The service's re-arm from inside the callback: query, stop, clear, start again.
    SetBlockHook([this](const BlockCall& call) {
        int info[QSD_RECINFO_COUNT];
        QsdVox_QueryRecInfo(call.channel, info);
        QsdVox_StopRec(call.channel);
        std::memset(m_buffer.data(), 0, m_buffer.size());
        QsdVox_RecordMemBlock(call.channel, QSD_CODEC_ALAW, m_buffer.data(), 8000, RecordBlock, 0);
    });
    ASSERT_EQ(QsdVox_RecordMemBlock(0, QSD_CODEC_ALAW, m_buffer.data(), 8000, RecordBlock, 0), QSD_OK);
    ASSERT_TRUE(WaitForBlocks(3));
    SetBlockHook(nullptr);
    ASSERT_EQ(QsdVox_StopRec(0), QSD_OK);

    const DWORD simulatorThread = Blocks()[0].thread;
    const std::string journal = Sim("journal 0 QsdVox_");
    EXPECT_NE(journal.find(std::to_string(simulatorThread) + " QsdVox_StopRec(0) = 0"), std::string::npos) << journal;
    EXPECT_NE(journal.find(std::to_string(simulatorThread) + " QsdVox_RecordMemBlock(0, 6, "), std::string::npos);
}

TEST_F(RecordingTest, CallbackMayStartAWholeNewRecordingInAnotherBuffer) {
    // A file split: a new recording starts from inside the callback without a stop.
    SetBlockHook([this](const BlockCall& call) {
        if (call.block == m_buffer.data())
            QsdVox_RecordMemBlock(call.channel, QSD_CODEC_MULAW, m_second.data(), 4000, RecordBlock, 2);
    });
    ASSERT_EQ(QsdVox_RecordMemBlock(0, QSD_CODEC_ALAW, m_buffer.data(), 8000, RecordBlock, 1), QSD_OK);
    ASSERT_TRUE(WaitForBlocks(2));
    SetBlockHook(nullptr);
    const BlockCall second = Blocks()[1];
    EXPECT_EQ(second.block, m_second.data());
    EXPECT_EQ(second.bytes, 4000);
    EXPECT_EQ(second.user, 2u);
    int info[QSD_RECINFO_COUNT] = {};
    ASSERT_EQ(QsdVox_QueryRecInfo(0, info), QSD_OK);
    EXPECT_EQ(info[QSD_RECINFO_CODEC], QSD_CODEC_MULAW);
    EXPECT_EQ(std::count(m_second.begin(), m_second.begin() + 4000, 0xFF), 4000);  // mu-law silence
}

TEST_F(RecordingTest, SilenceIsTheCodecsSilence) {
    const std::vector<BYTE> alaw = RecordSome(QSD_CODEC_ALAW, 2000);
    EXPECT_EQ(std::count(alaw.begin(), alaw.end(), 0xD5), 2000);
    const std::vector<BYTE> mulaw = RecordSome(QSD_CODEC_MULAW, 2000);
    EXPECT_EQ(std::count(mulaw.begin(), mulaw.end(), 0xFF), 2000);
    const std::vector<BYTE> adpcm = RecordSome(QSD_CODEC_IMA_ADPCM, 2048);
    EXPECT_EQ(std::count(adpcm.begin(), adpcm.end(), 0), 2048);
}

TEST_F(RecordingTest, ToneIsRecordedAtItsFrequencyAndLevelInEveryCodec) {
    ASSERT_EQ(Sim("audio 0 tone 1000 8000"), "OK");
    for (int codec : {QSD_CODEC_IMA_ADPCM, QSD_CODEC_ALAW, QSD_CODEC_MULAW}) {
        SCOPED_TRACE(codec);
        // About half a second of audio (eight ADPCM blocks of 505 samples).
        const std::vector<BYTE> bytes = RecordSome(codec, codec == QSD_CODEC_IMA_ADPCM ? 2048 : 4040);
        const std::vector<int> samples = Decode(codec, bytes);
        ASSERT_GE(samples.size(), 4040u);
        // Sample for sample against the tone itself, once ADPCM's step size has settled.
        double error = 0;
        double signal = 0;
        for (size_t n = 40; n < 4040; ++n) {
            const double ideal = 8000 * std::sin(2 * std::numbers::pi * 1000 * static_cast<double>(n) / 8000);
            error += (samples[n] - ideal) * (samples[n] - ideal);
            signal += ideal * ideal;
        }
        EXPECT_LT(std::sqrt(error / signal), codec == QSD_CODEC_IMA_ADPCM ? 0.15 : 0.03);
        for (size_t block = 0; codec == QSD_CODEC_IMA_ADPCM && block < bytes.size(); block += 256) {
            EXPECT_LE(bytes[block + 2], 88);  // step index
            EXPECT_EQ(bytes[block + 3], 0);
        }
    }
}

TEST_F(RecordingTest, WavSourceIsRecordedSampleForSample) {
    std::string wav = "RIFF";
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            wav += static_cast<char>(v >> (8 * i));
    };
    auto put16 = [&](uint16_t v) {
        wav += static_cast<char>(v & 0xFF);
        wav += static_cast<char>(v >> 8);
    };
    std::vector<int16_t> source;
    for (int i = 0; i < 800; ++i)
        source.push_back(static_cast<int16_t>((i % 80) * 400 - 16000));  // a sawtooth of 100 Hz
    put32(36 + 2 * static_cast<uint32_t>(source.size()));
    wav += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(16000);
    put16(2);
    put16(16);
    wav += "data";
    put32(2 * static_cast<uint32_t>(source.size()));
    for (int16_t sample : source)
        put16(static_cast<uint16_t>(sample));
    const std::string path = WriteFile("source.wav", wav);

    ASSERT_EQ(Sim("audio 0 wav \"" + path + "\""), "OK");
    const std::vector<int> recorded = Decode(QSD_CODEC_ALAW, RecordSome(QSD_CODEC_ALAW, 1600));
    for (size_t i = 0; i < recorded.size(); ++i)  // the file loops; A-law keeps 4 bits of mantissa
        ASSERT_LE(std::abs(recorded[i] - source[i % source.size()]), std::abs(source[i % source.size()]) / 16 + 16)
            << "sample " << i;

    EXPECT_EQ(Sim("audio 0 wav \"" + WriteFile("bad.wav", "RIFFxxxxWAVE") + "\"").rfind("ERR", 0), 0u);
}

TEST_F(RecordingTest, SpyRecordingFillsItsMemoryOnceAndHolds) {
    const int cic = 0;
    const int spyChannel = 8;
    ASSERT_EQ(QsdSpy_RecToMem(cic, QSD_SPY_MIX_BOTH, m_buffer.data(), QSD_CODEC_ALAW, 16000, 0), QSD_OK);
    ASSERT_TRUE(WaitUntil([&] { return QsdSpy_QueryMemOffset(cic) == 16000; }));
    int info[QSD_RECINFO_COUNT] = {};
    ASSERT_EQ(QsdVox_QueryRecInfo(spyChannel, info), QSD_OK);
    EXPECT_EQ(info[QSD_RECINFO_BYTES], 16000);
    EXPECT_EQ(info[QSD_RECINFO_MS], 2000);
    EXPECT_EQ(m_buffer[16000], 0);  // nothing past the memory it was given

    // The voice stop of a spy channel leaves the circuit's recording alone.
    EXPECT_EQ(QsdVox_StopRec(spyChannel), QSD_OK);
    EXPECT_EQ(Show(spyChannel)["recording"], "1");
    EXPECT_EQ(QsdSpy_StopRecToMem(cic), QSD_OK);
    EXPECT_EQ(QsdSpy_QueryMemOffset(cic), 16000);
    // A restart begins again at the start; slowed down so that it cannot fill up before it is read.
    ASSERT_EQ(Sim("set speed 0.001"), "OK");
    ASSERT_EQ(QsdSpy_RecToMem(cic, QSD_SPY_MIX_BOTH, m_buffer.data(), QSD_CODEC_ALAW, 16000, 0), QSD_OK);
    EXPECT_LT(QsdSpy_QueryMemOffset(cic), 16000);
    EXPECT_EQ(QsdSpy_StopRecToMem(cic), QSD_OK);
}

TEST_F(RecordingTest, InvalidStartsAreRefused) {
    EXPECT_EQ(QsdVox_RecordMemBlock(0, 5, m_buffer.data(), kBlock, RecordBlock, 0), QSD_ERR);
    EXPECT_EQ(QsdVox_RecordMemBlock(0, QSD_CODEC_ALAW, nullptr, kBlock, RecordBlock, 0), QSD_ERR);
    EXPECT_EQ(QsdVox_RecordMemBlock(0, QSD_CODEC_ALAW, m_buffer.data(), 0, RecordBlock, 0), QSD_ERR);
    EXPECT_EQ(QsdVox_RecordMemBlock(8, QSD_CODEC_ALAW, m_buffer.data(), kBlock, RecordBlock, 0), QSD_ERR);
    EXPECT_EQ(QsdVox_QueryRecInfo(0, nullptr), QSD_ERR);
    EXPECT_EQ(QsdSpy_RecToMem(30, QSD_SPY_MIX_BOTH, m_buffer.data(), QSD_CODEC_ALAW, 16000, 0), QSD_ERR);
    EXPECT_EQ(Show(0)["recording"], "0");
}

}  // namespace
