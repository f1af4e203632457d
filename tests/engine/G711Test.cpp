#include "engine/G711.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

TEST(G711, EveryALawCodeSurvivesExpansionAndCompression) {
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(LinearToALaw(ALawToLinear(static_cast<uint8_t>(code))), code) << "code " << code;
}

TEST(G711, KnownCodes) {
    struct Row {
        int16_t linear;
        uint8_t code;
    };
    const Row compress[] = {
        {0, 0xD5},     {8, 0xD5},      {-8, 0x55},  {-1, 0x55},  // the smallest negative magnitudes share the -8 step
        {-7, 0x55},    {-16, 0x55},    {-17, 0x54},              // nearer to -24 than to -8
        {32767, 0xAA}, {-32768, 0x2A}, {255, 0xDA}, {256, 0xC5}, {4096, 0x85},
    };
    for (const Row& row : compress)
        EXPECT_EQ(LinearToALaw(row.linear), row.code) << "linear " << row.linear;

    EXPECT_EQ(ALawToLinear(0xD5), 8);
    EXPECT_EQ(ALawToLinear(0x55), -8);
    EXPECT_EQ(ALawToLinear(0xAA), 32256);
    EXPECT_EQ(ALawToLinear(0x2A), -32256);
}

// Every 16-bit sample comes back within half a quantisation step: 8 below 256, |x| / 32 above.
TEST(G711, EverySampleDecodesWithinHalfAStep) {
    std::vector<int16_t> all(65536);
    for (int i = 0; i < 65536; ++i)
        all[i] = static_cast<int16_t>(i - 32768);
    std::vector<uint8_t> codes(all.size());
    LinearToALaw(all.data(), all.size(), codes.data());
    std::vector<int16_t> back(all.size());
    ALawToLinear(codes.data(), codes.size(), back.data());

    for (size_t i = 0; i < all.size(); ++i) {
        const int x = all[i];
        ASSERT_EQ(codes[i], LinearToALaw(all[i])) << x;
        ASSERT_EQ(back[i], ALawToLinear(codes[i])) << x;
        const int halfStep = std::abs(x) < 256 ? 8 : std::abs(x) / 32;
        ASSERT_LE(std::abs(back[i] - x), halfStep) << "sample " << x;
    }
}
