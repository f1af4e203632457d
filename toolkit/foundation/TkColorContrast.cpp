// The colour manager's arithmetic: blending, and distances and contrast in a weighted colour space
// where green counts most and blue least, as the eye does.

#include "TkColorManager.h"

#include <algorithm>
#include <cmath>

namespace {

// Channel weights of the space (195, 390 and 65 over 255) and the space's diagonal as the rules take it.
constexpr double kScaleR = 0.7647058823529411;
constexpr double kScaleG = 1.5294117647058822;
constexpr double kScaleB = 0.2549019607843137;
constexpr double kMaxR = 195.0;
constexpr double kMaxG = 390.0;
constexpr double kMaxB = 65.0;
constexpr double kDiagonal = 442.0;

struct Weighted {
    double r;
    double g;
    double b;
};

Weighted ToWeighted(COLORREF c) {
    return {GetRValue(c) * kScaleR, GetGValue(c) * kScaleG, GetBValue(c) * kScaleB};
}

double Dot(const Weighted& a, const Weighted& b) {
    return a.r * b.r + a.g * b.g + a.b * b.b;
}

Weighted Scaled(const Weighted& v, double f) {
    return {v.r * f, v.g * f, v.b * f};
}

// The complement within the space: black and white change places.
Weighted Mirrored(const Weighted& v) {
    return {kMaxR - v.r, kMaxG - v.g, kMaxB - v.b};
}

// One weighted channel back to 0..255. A result that is not a number (a degenerate pair of colours)
// counts as 0 rather than reaching an undefined conversion.
int FromWeightedChannel(double x, double dMax) {
    if (std::isnan(x))
        x = 0;
    x = std::clamp(x, 0.0, dMax);
    const int n = static_cast<int>(x * (255.0 / dMax) + 0.5);
    return std::clamp(n, 0, 255);
}

COLORREF FromWeighted(const Weighted& v) {
    return RGB(FromWeightedChannel(v.r, kMaxR), FromWeightedChannel(v.g, kMaxG), FromWeightedChannel(v.b, kMaxB));
}

float DistanceFromBlack(COLORREF c) {
    return CTkColorManager::GetColorDistance(c, 0);
}

// The threshold that a's brightness makes of fThreshold.
double ScaledThreshold(COLORREF a, float fThreshold) {
    return CTkColorManager::ScaleContrastThreshold(static_cast<int>(DistanceFromBlack(a)),
                                                   static_cast<int>(fThreshold));
}

}  // namespace

COLORREF CTkColorManager::BlendColors(COLORREF a, COLORREF b, int nWeight) {
    const int nDivisor = nWeight < 100 ? 100 : 1000;
    auto mix = [&](int x, int y) { return (x * nWeight + y * (nDivisor - nWeight) + nDivisor / 2) / nDivisor; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

double CTkColorManager::GetColorDistanceSquared(COLORREF a, COLORREF b) {
    const Weighted wa = ToWeighted(a);
    const Weighted wb = ToWeighted(b);
    const Weighted d = {wa.r - wb.r, wa.g - wb.g, wa.b - wb.b};
    return Dot(d, d);
}

float CTkColorManager::GetColorDistance(COLORREF a, COLORREF b) {
    return static_cast<float>(std::sqrt(GetColorDistanceSquared(a, b)));
}

float CTkColorManager::ScaleContrastThreshold(int nBrightness, int nThreshold) {
    return static_cast<float>((2.0 - std::min(nBrightness, 220) / 220.0) * nThreshold);
}

BOOL CTkColorManager::IsColorDistanceAbove(COLORREF a, COLORREF b, BOOL bScaled, float fThreshold) {
    const double dThreshold = bScaled ? ScaledThreshold(a, fThreshold) : fThreshold;
    return GetColorDistanceSquared(a, b) > dThreshold * dThreshold;
}

COLORREF CTkColorManager::LimitDistance(COLORREF a, COLORREF b, float fThreshold) {
    const double d = ScaledThreshold(a, fThreshold);
    const double dist = GetColorDistance(a, b);
    if (dist == 0)
        return b;
    const double t = (dist - d) / dist;
    const Weighted wa = ToWeighted(a);
    const Weighted wb = ToWeighted(b);
    return FromWeighted({wb.r + t * (wa.r - wb.r), wb.g + t * (wa.g - wb.g), wb.b + t * (wa.b - wb.b)});
}

COLORREF CTkColorManager::EnsureContrast(COLORREF a, COLORREF b, float fThreshold) {
    const double d = ScaledThreshold(a, fThreshold);
    const double ca = DistanceFromBlack(a);
    const double cb = DistanceFromBlack(b);
    // Push away from black unless that cannot reach the distance: then from white.
    const double dCompare = ca < cb ? kDiagonal - d : d;
    const bool bMirrored = !(dCompare < ca);
    Weighted wa = ToWeighted(a);
    Weighted wb = ToWeighted(b);
    if (bMirrored) {
        wa = Mirrored(wa);
        wb = Mirrored(wb);
    }
    double n = std::sqrt(Dot(wb, wb));
    if (n < 0.001)
        n = 0.001;
    const double dDot = Dot(wa, wb);
    const double h = dDot / (n * n);
    const Weighted p = {h * wb.r - wa.r, h * wb.g - wa.g, h * wb.b - wa.b};
    // When a lies farther than d from the line the circle misses it: the nearest point is taken.
    const double dRadicand = std::max(d * d - Dot(p, p), 0.0);
    const double s = dDot / n - std::sqrt(dRadicand);
    Weighted result = Scaled(wb, s / n);
    if (bMirrored)
        result = Mirrored(result);
    return FromWeighted(result);
}
