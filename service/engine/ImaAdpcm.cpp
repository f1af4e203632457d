#include "engine/ImaAdpcm.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kIndexTable[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

constexpr int kStepTable[89] = {
    7,    8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,   28,
    31,   34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,  118,
    130,  143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,  494,
    544,  598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878, 2066,
    2272, 2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845, 8630,
    9493, 10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

constexpr int kMaxStepIndex = 88;

// What one code does at one step index, worked out once: the signed change of the predicted sample and the
// next step index. The decoder then needs two loads per sample.
struct CodeEffect {
    int32_t Difference;
    uint8_t NextIndex;
};

constexpr auto kCodeEffects = [] {
    std::array<std::array<CodeEffect, 16>, kMaxStepIndex + 1> table{};
    for (int index = 0; index <= kMaxStepIndex; ++index) {
        const int step = kStepTable[index];
        for (int code = 0; code < 16; ++code) {
            int difference = step >> 3;
            if (code & 4)
                difference += step;
            if (code & 2)
                difference += step >> 1;
            if (code & 1)
                difference += step >> 2;
            table[index][code].Difference = (code & 8) ? -difference : difference;
            table[index][code].NextIndex =
                static_cast<uint8_t>(std::clamp(index + kIndexTable[code], 0, kMaxStepIndex));
        }
    }
    return table;
}();

inline int DecodeCode(int code, int& predicted, int& index) {
    const CodeEffect& effect = kCodeEffects[index][code];
    predicted = std::clamp(predicted + effect.Difference, -32768, 32767);
    index = effect.NextIndex;
    return predicted;
}

}  // namespace

void DecodeAdpcmBlock(const uint8_t* codes, int16_t* samples, AdpcmDecoderState& state) {
    int predicted = state.Predicted;
    int index = std::min<int>(state.StepIndex, kMaxStepIndex);
    for (int i = 0; i < kAdpcmCodeBytes; ++i) {
        const int byte = codes[i];
        samples[2 * i] = static_cast<int16_t>(DecodeCode(byte & 0xF, predicted, index));
        samples[2 * i + 1] = static_cast<int16_t>(DecodeCode(byte >> 4, predicted, index));
    }
    state.Predicted = static_cast<int16_t>(predicted);
    state.StepIndex = static_cast<uint8_t>(index);
}

void DecodeAdpcmBlockWithHeader(const uint8_t* block, int16_t* samples) {
    AdpcmDecoderState state;
    state.Predicted = static_cast<int16_t>(block[0] | (block[1] << 8));
    state.StepIndex = block[2];
    samples[0] = state.Predicted;
    DecodeAdpcmBlock(block + kAdpcmBlockHeaderBytes, samples + 1, state);
}
