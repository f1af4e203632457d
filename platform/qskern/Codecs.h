// Codecs.h - the encoders of the recording formats: G.711 A-law and mu-law, IMA ADPCM blocks.
#pragma once

#include <cstdint>

constexpr int kAdpcmBlockBytes = 256;
constexpr int kAdpcmBlockSamples = 505;  // the header's sample and 504 coded samples

uint8_t LinearToALaw(int16_t sample);
uint8_t LinearToMuLaw(int16_t sample);

// Encoder state carried from one IMA ADPCM block to the next.
struct ImaAdpcmState {
    int predictor = 0;
    int stepIndex = 0;
};

// Encodes one mono block: a 4-byte header (first sample, step index, 0) and 252 bytes of
// 4-bit codes, the earlier sample in the low nibble.
void EncodeImaAdpcmBlock(const int16_t (&samples)[kAdpcmBlockSamples], ImaAdpcmState& state,
                         uint8_t (&block)[kAdpcmBlockBytes]);
