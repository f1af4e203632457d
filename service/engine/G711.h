#pragma once
// G.711 A-law in both directions, for 16-bit linear samples. The A-law bytes carry the usual even-bit
// inversion (0xD5 is +8, 0x55 is -8).

#include <cstddef>
#include <cstdint>

uint8_t LinearToALaw(int16_t sample);
int16_t ALawToLinear(uint8_t code);

// Whole-buffer forms of the two above, for the converters and the monitor.
void LinearToALaw(const int16_t* samples, size_t count, uint8_t* codes);
void ALawToLinear(const uint8_t* codes, size_t count, int16_t* samples);
