// Codecs.cpp - G.711 and IMA ADPCM encoding (the standard algorithms).
#include "Codecs.h"

#include <algorithm>

namespace {

constexpr int kStepSizes[89] = {
    7,    8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,   28,
    31,   34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,  118,
    130,  143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,  494,
    544,  598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878, 2066,
    2272, 2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845, 8630,
    9493, 10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

constexpr int kIndexSteps[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

// Segment of a magnitude: the first end it does not exceed (8 when above all of them).
int Segment(int value, const int (&ends)[8]) {
    int segment = 0;
    while (segment < 8 && value > ends[segment])
        ++segment;
    return segment;
}

uint8_t EncodeNibble(int sample, ImaAdpcmState& state) {
    int step = kStepSizes[state.stepIndex];
    int difference = sample - state.predictor;
    uint8_t code = 0;
    if (difference < 0) {
        code = 8;
        difference = -difference;
    }
    int change = step >> 3;
    for (uint8_t bit = 4; bit != 0; bit >>= 1) {
        if (difference >= step) {
            code |= bit;
            difference -= step;
            change += step;
        }
        step >>= 1;
    }
    state.predictor += (code & 8) ? -change : change;
    state.predictor = std::clamp(state.predictor, -32768, 32767);
    state.stepIndex = std::clamp(state.stepIndex + kIndexSteps[code], 0, 88);
    return code;
}

}  // namespace

uint8_t LinearToALaw(int16_t sample) {
    static constexpr int kEnds[8] = {0x1F, 0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF};
    int value = sample >> 3;
    uint8_t mask = 0xD5;
    if (value < 0) {
        mask = 0x55;
        value = -value - 1;
    }
    const int segment = Segment(value, kEnds);
    if (segment >= 8)
        return static_cast<uint8_t>(0x7F ^ mask);
    int code = segment << 4;
    code |= segment < 2 ? (value >> 1) & 0x0F : (value >> segment) & 0x0F;
    return static_cast<uint8_t>(code ^ mask);
}

uint8_t LinearToMuLaw(int16_t sample) {
    static constexpr int kEnds[8] = {0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF, 0x1FFF};
    constexpr int kBias = 0x84 >> 2;
    constexpr int kClip = 8159;
    int value = sample >> 2;
    uint8_t mask = 0xFF;
    if (value < 0) {
        value = -value;
        mask = 0x7F;
    }
    value = std::min(value, kClip) + kBias;
    const int segment = Segment(value, kEnds);
    if (segment >= 8)
        return static_cast<uint8_t>(0x7F ^ mask);
    const int code = (segment << 4) | ((value >> (segment + 1)) & 0x0F);
    return static_cast<uint8_t>(code ^ mask);
}

void EncodeImaAdpcmBlock(const int16_t (&samples)[kAdpcmBlockSamples], ImaAdpcmState& state,
                         uint8_t (&block)[kAdpcmBlockBytes]) {
    state.predictor = samples[0];
    block[0] = static_cast<uint8_t>(samples[0] & 0xFF);
    block[1] = static_cast<uint8_t>((samples[0] >> 8) & 0xFF);
    block[2] = static_cast<uint8_t>(state.stepIndex);
    block[3] = 0;
    for (int i = 0; i < kAdpcmBlockBytes - 4; ++i) {
        const uint8_t low = EncodeNibble(samples[1 + 2 * i], state);
        const uint8_t high = EncodeNibble(samples[2 + 2 * i], state);
        block[4 + i] = static_cast<uint8_t>(low | (high << 4));
    }
}
