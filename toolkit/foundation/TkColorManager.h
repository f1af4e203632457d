#pragma once
#include "TkPaintManagerColor.h"

// The toolkit's process-wide colour table. Every toolkit painter takes its colours here: slots 0..29
// are the Windows system colours (slot 0 is black), 30..61 toolkit colours derived from them by fixed
// blending and contrast rules, 62 reads 0; ten two-colour gradients; and a per-theme table for the
// Luna colour schemes, Royale and Aero.
//
// RecomputeColors rebuilds everything from the current system colours and visual style: the
// command-bars hub and the skin framework call it on a change, and the painters call
// RefreshColorManager before they copy colours. The system colours are read with GetSysColor by name
// each time, so the skin's replacement of it is followed.
//
// UI thread only; the table must not be read from another thread while RecomputeColors runs.

// The Windows visual style in use: 0 classic (or none recognised), 1 Luna blue, 2 Luna olive, 3 Luna
// silver, 4 Royale, 5 Aero. A configured kind of 6 or 7 means: use the detected one.
using SystemThemeKind = int;
constexpr SystemThemeKind kThemeFollowDetected = 6;

constexpr int kColorSlotCount = 63;
constexpr int kGradientCount = 10;

class CTkColorManager : public CCmdTarget {
public:
    // Builds the gradients, recomputes every colour, then sets gradients 7..9 (checked, pressed and hot
    // buttons), which no recomputation touches again.
    CTkColorManager();

    // ---- Reading colours
    // Slot 0..62: the custom value when set, else the standard one. Any other value (compared unsigned)
    // is a literal COLORREF and comes back unchanged, so callers pass either.
    COLORREF GetColor(UINT nIndex) const;
    // Slot 30..62: the theme table's value when set; otherwise GetColor.
    COLORREF GetThemedColor(UINT nIndex) const;

    // ---- The visual style
    SystemThemeKind DetectSystemTheme() const;
    SystemThemeKind GetDetectedSystemTheme() const { return m_detectedTheme; }
    SystemThemeKind GetCurrentSystemTheme() const;
    BOOL IsSystemThemeIgnored() const { return m_bIgnoreSystemTheme; }
    // The kind that a theme file and colour-scheme name stand for (the detection's name rules).
    static SystemThemeKind ThemeKindFromNames(LPCWSTR pszFileName, LPCWSTR pszColorName, BOOL bDetectRoyale,
                                              BOOL bDetectAero);
    // The colour family of a kind: 0 blue (Luna blue, Royale, Aero), 1 olive, 2 silver; -1 for classic.
    static int LunaColorColumn(SystemThemeKind theme);

    // ---- Recomputation and its steps
    void RecomputeColors();
    void ReadSystemColors();
    void SetDefaultToolkitColors();
    void LoadThemeColorTable();
    void ComputeGradients();

    // ---- Colour arithmetic (no state)
    // Per channel (a·w + b·(D − w) + D/2) / D with D = 100 for w < 100, else 1000: a weight below 100 is a
    // percentage of a, from 100 up tenths of a percent (165 is 16.5 %).
    static COLORREF BlendColors(COLORREF a, COLORREF b, int nWeight);
    // Distances in the weighted space (red ·195/255, green ·390/255, blue ·65/255).
    static double GetColorDistanceSquared(COLORREF a, COLORREF b);
    static float GetColorDistance(COLORREF a, COLORREF b);
    // (2 − min(brightness, 220) / 220) · threshold: a threshold counts double next to black.
    static float ScaleContrastThreshold(int nBrightness, int nThreshold);
    // TRUE when a and b are farther apart than the threshold (scaled by a's brightness when bScaled).
    static BOOL IsColorDistanceAbove(COLORREF a, COLORREF b, BOOL bScaled, float fThreshold);
    // b pulled toward a until it lies at the scaled threshold from a.
    static COLORREF LimitDistance(COLORREF a, COLORREF b, float fThreshold);
    // b pushed away from a, along its line through black (or white), to the scaled threshold.
    static COLORREF EnsureContrast(COLORREF a, COLORREF b, float fThreshold);
    // TRUE when the device has 1 to 8 bits per pixel; NULL asks the desktop window's DC; FALSE when no
    // DC can be had.
    static BOOL CheckLowColorDisplay(HDC hDC);

    // ---- Data
    CTkPaintManagerColorGradient m_gradients[kGradientCount];  // read by index by button and caption themes
    BOOL m_bDetectRoyale = TRUE;
    BOOL m_bDetectAero = TRUE;
    BOOL m_bIgnoreSystemTheme = FALSE;
    COLORREF m_standardColors[kColorSlotCount] = {};
    COLORREF m_customColors[kColorSlotCount];
    COLORREF m_themeColors[kColorSlotCount];
    // Replaces GetSysColor when set. The system never sets it; tests feed palettes through it.
    COLORREF (*m_pfnSysColorCallback)(int nIndex) = nullptr;
    // The system keeps 6 (follow the detected style); tests configure a kind here.
    SystemThemeKind m_configuredTheme = kThemeFollowDetected;
    SystemThemeKind m_detectedTheme = 0;

private:
    // The theme number the theme table and the gradients use: 0 while the system theme is ignored.
    SystemThemeKind GetTableTheme() const;
    void SetStandard(int nSlot, COLORREF color) { m_standardColors[nSlot] = color; }
    void BlendAndContrast(bool bHighContrast);
    void DeriveSpecialSlots(bool bHighContrast);
};

// The process-wide colour table, built on first use and destroyed at exit.
CTkColorManager* GetColorManager();
// RecomputeColors on the process-wide table.
void RefreshColorManager();
