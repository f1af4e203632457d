#include "TkColorFunctions.h"

#include "TkColorManager.h"

#include <algorithm>

namespace {

int HueToRgb(int m1, int m2, int h) {
    if (h < 0)
        h += 255;
    if (h > 255)
        h -= 255;
    const int nStep = (m2 - m1) / 255;
    int n;
    if (6 * h < 255)
        n = m1 + 6 * h * nStep;
    else if (2 * h < 255)
        n = m2;
    else if (3 * h < 510)
        n = m1 + 6 * (170 - h) * nStep;
    else
        n = m1;
    return n / 255;
}

}  // namespace

COLORREF BlendColorsByFactor(COLORREF a, COLORREF b, double dFactor) {
    auto mix = [dFactor](int x, int y) { return std::min(static_cast<int>(dFactor * x + (1 - dFactor) * y), 255); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

DWORD RgbToHls(COLORREF color) {
    const int r = GetRValue(color);
    const int g = GetGValue(color);
    const int b = GetBValue(color);
    const int nMax = std::max({r, g, b});
    const int nMin = std::min({r, g, b});
    const int l = (nMax + nMin + 1) / 2;
    int s = 0;
    int h = 255;
    if (nMax != nMin) {
        const int d = nMax - nMin;
        s = l < 127 ? ((d + 1) * 256) / (nMax + nMin) : (d * 256) / (512 - nMax - nMin);
        if (r == nMax)
            h = ((g - b) * 256) / d;
        else if (g == nMax)
            h = ((b - r) * 256) / d + 512;
        else
            h = ((r - g) * 256) / d + 1024;
        h /= 6;
        if (h < 0)
            h += 256;
    }
    const DWORD dwHue = std::min(h * 239 / 255, 239);
    const DWORD dwSat = std::min(s * 240 / 255, 240);
    const DWORD dwLum = std::min(l * 240 / 255, 240);
    return dwHue | (dwSat << 8) | (dwLum << 16);
}

COLORREF HlsToRgb(DWORD hls) {
    const int h = static_cast<int>(hls & 0xFF) * 255 / 239;
    const int s = static_cast<int>((hls >> 8) & 0xFF) * 255 / 240;
    const int l = static_cast<int>((hls >> 16) & 0xFF) * 255 / 240;
    if (s == 0)
        return RGB(l, l, l);
    const int m2 = l <= 127 ? l * (s + 255) : (l + s - l * s / 255) * 255;
    const int m1 = 510 * l - m2;
    return RGB(std::min(HueToRgb(m1, m2, h + 85), 255), std::min(HueToRgb(m1, m2, h), 255),
               std::min(HueToRgb(m1, m2, h - 85), 255));
}

BOOL IsLowColorDevice(HDC hDC) {
    return CTkColorManager::CheckLowColorDisplay(hDC);
}
