#pragma once
#include "mfc.h"

// One colour, and one two-colour gradient, each with a standard value computed by the toolkit and an
// optional custom value that wins over it. -1 (0xFFFFFFFF) means unset. The paint managers embed many
// of them and save them in their state; the stored forms are fixed (8 and 20 bytes).

constexpr COLORREF kColorUnset = 0xFFFFFFFF;

class CTkPaintManagerColor {
public:
    virtual ~CTkPaintManagerColor() = default;

    // Standard then custom value, two 32-bit little-endian words, in either direction.
    virtual void ExchangeWithArchive(CArchive& ar);

    COLORREF GetEffective() const { return m_customValue != kColorUnset ? m_customValue : m_standardValue; }

    COLORREF m_standardValue = kColorUnset;
    COLORREF m_customValue = kColorUnset;
};

class CTkPaintManagerColorGradient {
public:
    virtual ~CTkPaintManagerColorGradient() = default;

    // First colour, second colour, then the split factor as a 4-byte float: 20 bytes.
    virtual void ExchangeWithArchive(CArchive& ar);

    void SetStandardColors(COLORREF first, COLORREF second, float fSplitFactor = 0.5f);
    // Both standard values one colour, factor 0.5.
    void SetStandardColor(COLORREF color) { SetStandardColors(color, color, 0.5f); }
    // The other gradient's effective colours become this one's standard values; its factor is copied.
    void CopyEffectiveColors(const CTkPaintManagerColorGradient& other);

    CTkPaintManagerColor m_firstColor;
    CTkPaintManagerColor m_secondColor;
    float m_splitFactor = 0.5f;  // where FillColorGradient splits the gradient
};
