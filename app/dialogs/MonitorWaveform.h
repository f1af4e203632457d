#pragma once
// The live waveform of the monitor window: the three decoders of a piece of a monitored channel's recording into
// 16-bit samples, and the drawing of samples into a rectangle of a device context. Pure functions of their
// arguments, so they can draw on the window and on a bitmap alike. Any thread.

#include <windows.h>

#include <cstdint>

// The monitor's sample buffer holds this many samples.
constexpr int kMonitorSampleCapacity = 32768;
// The most bytes of one piece that are decoded; the rest of a longer piece is not drawn. 64 IMA ADPCM blocks
// (64 x 505 samples) and 16384 G.711 bytes both fit the buffer.
constexpr int kMonitorMaxPieceBytes = 16384;

// Each decoder fills samples (kMonitorSampleCapacity of them) and answers how many of them to draw.
// IMA ADPCM, in the recordings' 256-byte blocks of 505 samples: every whole block is decoded (a partial last block
// is not), one after the other; half as many samples as bytes are drawn, at most the ones decoded.
unsigned DecodeMonitorAdpcm(const uint8_t* data, int length, int16_t* samples);
// G.711: one sample per byte.
unsigned DecodeMonitorALaw(const uint8_t* data, int length, int16_t* samples);
unsigned DecodeMonitorMuLaw(const uint8_t* data, int length, int16_t* samples);

// The mu-law expansion with its bias of 132: 0xFF and 0x7F are silence.
int16_t MuLawToMonitorSample(uint8_t code);

// Draws the waveform over area: the background brush fills it, a one-pixel frame of RGB(128, 64, 0) lines its
// edge, and the pen joins the samples from x = 0 across the width, sample v at y = middle + height * v / 65535
// (positive samples below the middle line, full scale on the edges). Count 0 draws the background only; count 1
// draws no line. The DC's pen and background mode are restored.
void DrawMonitorWaveform(HDC dc, const RECT& area, HPEN pen, HBRUSH background, const int16_t* samples, unsigned count);
