#pragma once
#include "mfc.h"

#include <algorithm>

// Layout works in 32-bit device units: a size above kMarkupUnboundedLimit counts as unbounded and
// kMarkupUnbounded stands for one. Sums and products of layout values are computed in 64 bits and
// saturated, so margins added to an unbounded size never overflow.
constexpr int kMarkupUnbounded = 0x7FFFFFFF;
constexpr int kMarkupUnboundedLimit = 0x3FFFFFFF;

inline int SaturatedInt(INT64 nValue) {
    return static_cast<int>(std::clamp<INT64>(nValue, INT_MIN, INT_MAX));
}
