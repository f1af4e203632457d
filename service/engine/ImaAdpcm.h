#pragma once
// The IMA ADPCM block decoder for the recorded format: mono blocks of 256 bytes holding 505 samples.
// Bytes 0-1 are the first sample (signed, little-endian), byte 2 the step index, byte 3 reserved, and bytes
// 4-255 the 504 further samples as 4-bit codes, low nibble first.

#include <cstdint>

constexpr int kAdpcmBlockBytes = 256;
constexpr int kAdpcmBlockHeaderBytes = 4;
constexpr int kAdpcmCodeBytes = kAdpcmBlockBytes - kAdpcmBlockHeaderBytes;  // 252
constexpr int kAdpcmCodeSamples = 2 * kAdpcmCodeBytes;                      // 504
constexpr int kAdpcmSamplesPerBlock = kAdpcmCodeSamples + 1;                // 505

// The decoder's memory between calls; each caller owns its own.
struct AdpcmDecoderState {
    int16_t Predicted;
    uint8_t StepIndex;  // 0..88; a larger value counts as 88
};

// Decodes the 252 code bytes of one block into 504 samples, starting from the state (which the caller sets
// from the block header; the block's first sample is the caller's to store). The state is left at the last
// sample and step index.
void DecodeAdpcmBlock(const uint8_t* codes, int16_t* samples, AdpcmDecoderState& state);

// Decodes one whole 256-byte block into 505 samples: the header's sample, then its codes.
void DecodeAdpcmBlockWithHeader(const uint8_t* block, int16_t* samples);
