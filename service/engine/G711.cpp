#include "engine/G711.h"

#include <array>

namespace {

// The G.711 compression of one sample, the reference for the lookup table below.
constexpr uint8_t CompressALaw(int x) {
    constexpr int kSegmentEnd[8] = {0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF, 0x1FFF, 0x3FFF, 0x7FFF};
    int mask = 0xD5;
    if (x < 0) {
        mask = 0x55;
        // Negative samples are taken in one's complement, where G.711 puts its decision levels: every sample
        // then lands within half a step of its code (-x - 8 would send -1..-7 to -248 and round the other
        // negative samples almost a whole step towards zero).
        x = -x - 1;
    }
    int segment = 0;
    while (segment < 8 && x > kSegmentEnd[segment])
        ++segment;
    if (segment == 8)
        return static_cast<uint8_t>(0x7F ^ mask);
    const int shift = segment < 2 ? 4 : segment + 3;
    const int code = (segment << 4) | ((x >> shift) & 0xF);
    return static_cast<uint8_t>(code ^ mask);
}

constexpr int16_t ExpandALaw(uint8_t a) {
    const int v = a ^ 0x55;
    int t = (v & 0xF) << 4;
    const int segment = (v >> 4) & 7;
    if (segment == 0)
        t += 8;
    else if (segment == 1)
        t += 0x108;
    else
        t = (t + 0x108) << (segment - 1);
    return static_cast<int16_t>((v & 0x80) ? t : -t);
}

// Every 16-bit sample has its code in a 64 KiB table, indexed by the sample's bit pattern, so encoding a
// buffer costs one load per sample.
constexpr auto kCompressTable = [] {
    std::array<uint8_t, 65536> table{};
    for (int i = 0; i < 65536; ++i)
        table[i] = CompressALaw(static_cast<int16_t>(i));
    return table;
}();

constexpr auto kExpandTable = [] {
    std::array<int16_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = ExpandALaw(static_cast<uint8_t>(i));
    return table;
}();

}  // namespace

uint8_t LinearToALaw(int16_t sample) {
    return kCompressTable[static_cast<uint16_t>(sample)];
}

int16_t ALawToLinear(uint8_t code) {
    return kExpandTable[code];
}

void LinearToALaw(const int16_t* samples, size_t count, uint8_t* codes) {
    for (size_t i = 0; i < count; ++i)
        codes[i] = kCompressTable[static_cast<uint16_t>(samples[i])];
}

void ALawToLinear(const uint8_t* codes, size_t count, int16_t* samples) {
    for (size_t i = 0; i < count; ++i)
        samples[i] = kExpandTable[codes[i]];
}
