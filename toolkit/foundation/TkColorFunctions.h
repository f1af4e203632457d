#pragma once
#include "mfc.h"

// Colour arithmetic of the painters: a linear mix, and RGB to hue, luminance and saturation and back in
// the packed form the system's colour dialog uses (hue 0..239 in bits 0..7, saturation 0..240 in bits
// 8..15, luminance 0..240 in bits 16..23). Integer arithmetic as the painters' colour tables expect.

// Per channel f·a + (1 − f)·b, truncated, at most 255.
COLORREF BlendColorsByFactor(COLORREF a, COLORREF b, double dFactor);
DWORD RgbToHls(COLORREF color);
COLORREF HlsToRgb(DWORD hls);
// TRUE when the device has 1 to 8 bits per pixel (NULL: the screen).
BOOL IsLowColorDevice(HDC hDC);
