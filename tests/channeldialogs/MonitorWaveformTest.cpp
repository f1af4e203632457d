// The monitor's decoders and its waveform drawing, as pure functions: what each decoder fills and how much of it
// is drawn, and the picture on a 32-bpp DIB section.

#include "dialogs/MonitorWaveform.h"

#include "engine/G711.h"
#include "engine/ImaAdpcm.h"

#include "mfc.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int16_t kUntouched = 0x5A5A;

// The A-law expansion the monitor is meant to draw, written out from its definition.
int16_t ExpectedALaw(uint8_t code) {
    const int x = code ^ 0x55;
    int t = (x & 0x0F) << 4;
    const int segment = (x >> 4) & 7;
    if (segment == 0)
        t += 8;
    else if (segment == 1)
        t += 0x108;
    else
        t = (t + 0x108) << (segment - 1);
    return static_cast<int16_t>((x & 0x80) ? t : -t);
}

std::vector<uint8_t> AdpcmBlocks(int bytes) {
    std::vector<uint8_t> data(static_cast<size_t>(bytes));
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 37 + 11);
    for (size_t block = 0; block + kAdpcmBlockBytes <= data.size(); block += kAdpcmBlockBytes)
        data[block + 2] = static_cast<uint8_t>(block / kAdpcmBlockBytes % 89);  // a valid step index
    return data;
}

}  // namespace

TEST(MonitorWaveform, DecodersFillWholeBlocksAndDrawAtMostTheBufferHolds) {
    // The engine's A-law decoder is the monitor's expansion, for every byte.
    for (int code = 0; code < 256; ++code)
        ASSERT_EQ(ExpectedALaw(static_cast<uint8_t>(code)), ALawToLinear(static_cast<uint8_t>(code))) << code;
    EXPECT_EQ(8, ALawToLinear(0xD5));
    const struct {
        uint8_t Code;
        int16_t Sample;
    } muLaw[] = {{0xFF, 0}, {0x7F, 0}, {0x00, -32124}, {0x80, 32124}, {0xF0, 120}, {0x70, -120}};
    for (const auto& c : muLaw)
        EXPECT_EQ(c.Sample, MuLawToMonitorSample(c.Code)) << int(c.Code);

    std::vector<int16_t> samples(kMonitorSampleCapacity, kUntouched);
    // A 4096-byte piece: 16 blocks of 505 samples, of which the first 2048 are drawn.
    const std::vector<uint8_t> piece = AdpcmBlocks(4096);
    EXPECT_EQ(2048u, DecodeMonitorAdpcm(piece.data(), 4096, samples.data()));
    std::vector<int16_t> block(kAdpcmSamplesPerBlock);
    for (int i = 0; i < 16; ++i) {
        DecodeAdpcmBlockWithHeader(piece.data() + i * kAdpcmBlockBytes, block.data());
        ASSERT_TRUE(std::equal(block.begin(), block.end(), samples.begin() + i * kAdpcmSamplesPerBlock)) << i;
    }
    EXPECT_EQ(kUntouched, samples[16 * kAdpcmSamplesPerBlock]);

    // Longer pieces are cut to 16384 bytes, so the buffer is never overrun.
    const std::vector<uint8_t> longPiece = AdpcmBlocks(40000);
    samples.assign(kMonitorSampleCapacity, kUntouched);
    EXPECT_EQ(8192u, DecodeMonitorAdpcm(longPiece.data(), 40000, samples.data()));
    EXPECT_NE(kUntouched, samples[64 * kAdpcmSamplesPerBlock - 1]);
    EXPECT_EQ(kUntouched, samples[64 * kAdpcmSamplesPerBlock]);
    const std::vector<uint8_t> alaw(20000, 0xD5);
    EXPECT_EQ(16384u, DecodeMonitorALaw(alaw.data(), 20000, samples.data()));
    EXPECT_EQ(8, samples[16383]);
    EXPECT_EQ(16384u, DecodeMonitorMuLaw(alaw.data(), 20000, samples.data()));

    // A partial block is not decoded: nothing past the data is read, and nothing undecoded is drawn.
    samples.assign(kMonitorSampleCapacity, kUntouched);
    EXPECT_EQ(150u, DecodeMonitorAdpcm(piece.data(), 300, samples.data()));
    EXPECT_EQ(kUntouched, samples[kAdpcmSamplesPerBlock]);
    EXPECT_EQ(0u, DecodeMonitorAdpcm(piece.data(), 100, samples.data()));
    EXPECT_EQ(0u, DecodeMonitorALaw(alaw.data(), 0, samples.data()));
    EXPECT_EQ(1u, DecodeMonitorALaw(alaw.data(), 1, samples.data()));
    EXPECT_EQ(0u, DecodeMonitorALaw(alaw.data(), -4, samples.data()));
}

TEST(MonitorWaveform, DrawsTheFrameTheBackgroundAndTheSamplesOnABitmap) {
    constexpr int kWidth = 200;
    constexpr int kHeight = 100;
    constexpr DWORD kBlack = 0x000000;
    constexpr DWORD kGreen = 0x00FF00;
    constexpr DWORD kFrame = 0x804000;  // RGB(128, 64, 0)
    CPen pen(PS_SOLID, 0, RGB(0, 255, 0));
    CBrush background(RGB(0, 0, 0));
    const CRect area(0, 0, kWidth, kHeight);

    const auto draw = [&](const std::vector<int16_t>& samples, unsigned count) {
        auto dc = std::make_unique<CScopedMemDC>(kWidth, kHeight);
        ::FillRect(dc->GetSafeHdc(), &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        DrawMonitorWaveform(dc->GetSafeHdc(), area, pen, background, samples.data(), count);
        ::GdiFlush();
        return dc;
    };
    const auto pixel = [](const CScopedMemDC& dc, int x, int y) {
        return dc.GetBits()[y * dc.GetWidth() + x] & 0xFFFFFF;
    };
    const auto greenPixels = [&](const CScopedMemDC& dc) {
        int green = 0;
        for (int i = 0; i < kWidth * kHeight; ++i)
            green += (dc.GetBits()[i] & 0xFFFFFF) == kGreen ? 1 : 0;
        return green;
    };

    // Silence: the middle row, frame on the edges, black inside.
    const auto silence = draw(std::vector<int16_t>(2048, 0), 2048);
    EXPECT_EQ(kFrame, pixel(*silence, 0, 0));
    EXPECT_EQ(kFrame, pixel(*silence, kWidth - 1, 30));
    EXPECT_EQ(kFrame, pixel(*silence, 120, kHeight - 1));
    EXPECT_EQ(kBlack, pixel(*silence, 100, 20));
    EXPECT_EQ(kBlack, pixel(*silence, 100, 51));
    for (int x = 1; x < kWidth - 2; ++x)
        ASSERT_EQ(kGreen, pixel(*silence, x, kHeight / 2)) << x;

    // Full scale reaches the edges: positive samples the bottom one, negative ones the top one.
    const auto loud = draw(std::vector<int16_t>(100, 32767), 100);
    EXPECT_EQ(kGreen, pixel(*loud, 100, kHeight - 1));
    const auto quiet = draw(std::vector<int16_t>(100, -32768), 100);
    EXPECT_EQ(kGreen, pixel(*quiet, 100, 0));

    // No samples: the background only; one sample: no line.
    EXPECT_EQ(0, greenPixels(*draw({}, 0)));
    EXPECT_EQ(kFrame, pixel(*draw({}, 0), 0, 0));
    EXPECT_EQ(0, greenPixels(*draw(std::vector<int16_t>(1, 0), 1)));
}
