// The colour manager: palettes fed through the system-colour callback give the derived colours worked
// out by hand from the blending and contrast rules; slots, literals, blending, contrast, theme names,
// the per-theme tables and the stored gradient.

#include "FoundationTestSupport.h"
#include "TkColorManager.h"

#include <map>

namespace {

// The system colours the derivation reads; every other slot answers a grey of its number.
struct Palette {
    const char* name;
    std::map<int, COLORREF> colors;
    std::map<int, COLORREF> expected;  // derived slot -> colour
};

const Palette* g_pPalette = nullptr;

COLORREF PaletteColor(int nIndex) {
    const auto found = g_pPalette->colors.find(nIndex);
    return found != g_pPalette->colors.end() ? found->second : RGB(nIndex, nIndex, nIndex);
}

// Colours are written 0xRRGGBB in the table below, as one reads them; COLORREF is 0xBBGGRR.
constexpr COLORREF Rgb(DWORD rrggbb) {
    return RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

// A manager recomputed from the palette, as the classic visual style (detection off).
void Recompute(CTkColorManager& manager, const Palette& palette) {
    g_pPalette = &palette;
    manager.m_pfnSysColorCallback = PaletteColor;
    manager.m_configuredTheme = 0;
    manager.RecomputeColors();
}

const Palette kPalettes[] = {
    {"classic",
     {{5, Rgb(0xFFFFFF)},
      {7, 0},
      {8, 0},
      {13, Rgb(0x000080)},
      {14, Rgb(0xFFFFFF)},
      {15, Rgb(0xC0C0C0)},
      {16, Rgb(0x808080)},
      {17, Rgb(0x808080)},
      {18, 0}},
     {{22, Rgb(0xCFCFCF)},
      {30, Rgb(0xCACACA)},
      {31, Rgb(0xADADD1)},
      {33, Rgb(0x8080C0)},
      {34, Rgb(0x81819C)},
      {35, Rgb(0xA6A6A6)},
      {36, Rgb(0xCBCBD7)},
      {38, Rgb(0x999999)},
      {40, Rgb(0x8D8D8D)},
      {41, Rgb(0xF6F6F6)},
      {43, Rgb(0x666666)},
      {47, Rgb(0xFFFFFF)},
      {48, Rgb(0xE3E3E3)},
      {49, Rgb(0x555555)},
      {57, Rgb(0x808080)},
      {60, Rgb(0x8D8D8D)},
      {61, Rgb(0x6D6D6D)}}},
    // Black face with white button text: no blending, the highlight for 31, 36 and 50, contrast still.
    {"high contrast",
     {{5, 0},
      {7, Rgb(0xFFFFFF)},
      {8, Rgb(0xFFFFFF)},
      {13, Rgb(0x800080)},
      {14, Rgb(0xFFFFFF)},
      {15, 0},
      {16, Rgb(0x808080)},
      {17, Rgb(0x00FF00)},
      {18, Rgb(0xFFFFFF)}},
     {{30, 0},
      {31, Rgb(0x800080)},
      {32, Rgb(0xAE5DAE)},
      {35, Rgb(0x00BE00)},
      {36, Rgb(0x800080)},
      {37, Rgb(0xFFFFFF)},
      {45, Rgb(0xFFFFFF)},
      {48, Rgb(0x232323)},
      {49, Rgb(0x7F7F7F)},
      {50, Rgb(0x800080)}}},
    // A black face that is not high contrast: 48 and 49 take their fixed values.
    {"black face",
     {{5, Rgb(0xFFFFFF)},
      {7, 0},
      {8, 0},
      {13, Rgb(0x000080)},
      {14, Rgb(0xFFFFFF)},
      {15, 0},
      {16, 0},
      {17, Rgb(0x808080)},
      {18, Rgb(0xFFFF00)}},
     {{22, Rgb(0x0F0F0F)},
      {30, Rgb(0x282828)},
      {31, Rgb(0xB3B3D9)},
      {32, Rgb(0x8888C4)},
      {36, Rgb(0x7A7A86)},
      {43, Rgb(0x333300)},
      {48, Rgb(0x232323)},
      {49, Rgb(0x7F7F7F)},
      {61, Rgb(0x8A8A75)}}},
};

TEST(ColorManager, PalettesDeriveTheHandComputedColors) {
    CTkColorManager manager;
    for (const Palette& palette : kPalettes) {
        SCOPED_TRACE(palette.name);
        Recompute(manager, palette);
        for (const auto& [nSlot, expected] : palette.expected)
            EXPECT_EQ(manager.GetColor(nSlot), expected) << "slot " << nSlot;
        EXPECT_EQ(manager.GetColor(15), palette.colors.at(15)) << "system slots are read through the callback";
    }
}

TEST(ColorManager, SlotsAndLiterals) {
    CTkColorManager manager;
    EXPECT_EQ(manager.GetColor(62), 0u);
    EXPECT_EQ(manager.GetColor(0), 0u);
    EXPECT_EQ(manager.GetColor(63), 63u) << "above 62 a value is a literal colour";
    EXPECT_EQ(manager.GetColor(0xFFFFFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(manager.GetColor(5), ::GetSysColor(COLOR_WINDOW)) << "without a callback the system's colours";
    manager.m_customColors[31] = RGB(1, 2, 3);
    EXPECT_EQ(manager.GetColor(31), RGB(1, 2, 3)) << "a custom colour wins";
    EXPECT_EQ(GetColorManager(), GetColorManager());
}

TEST(ColorManager, BlendWeightsArePercentBelow100AndPerMilleFrom100) {
    struct Row {
        int nWeight;
        COLORREF expected;
    };
    // Red over blue: 30 % red; 100 is 10 % (per mille), not 100 %; 165 is 16.5 %.
    const Row rows[] = {{30, RGB(77, 0, 179)}, {100, RGB(26, 0, 230)}, {165, RGB(42, 0, 213)}, {0, RGB(0, 0, 255)}};
    for (const Row& row : rows)
        EXPECT_EQ(CTkColorManager::BlendColors(RGB(255, 0, 0), RGB(0, 0, 255), row.nWeight), row.expected)
            << "weight " << row.nWeight;
}

TEST(ColorManager, EnsureContrastStaysInRangeForDegeneratePairs) {
    struct Row {
        COLORREF a;
        COLORREF b;
        float fThreshold;
        COLORREF expected;
    };
    const Row rows[] = {
        {0, 0, 50, Rgb(0x3A3A3A)},                           // both black: pushed from white's side
        {Rgb(0xFFFFFF), Rgb(0xFFFFFF), 180, Rgb(0x979797)},  // both white
        {0, Rgb(0xFFFFFF), 442, 0},                          // out of reach: the root's argument is negative
        {Rgb(0x808080), Rgb(0x808080), 100, Rgb(0x464646)},
        {Rgb(0xC0C0C0), Rgb(0xC8C8C8), 80, Rgb(0xEEEEEE)},
        {Rgb(0xFF00FF), Rgb(0xFF00FF), 180, Rgb(0x100010)},
        {Rgb(0x00FF00), Rgb(0x00FE00), 180, Rgb(0x008900)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CTkColorManager::EnsureContrast(row.a, row.b, row.fThreshold), row.expected)
            << std::hex << row.a << " / " << row.b;
}

TEST(ColorManager, ThemeNameRules) {
    struct Row {
        const wchar_t* pszFile;
        const wchar_t* pszColor;
        SystemThemeKind expected;
    };
    const Row rows[] = {
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", 1},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"HomeStead", 2},
        {L"c:\\themes\\winxp.luna.plorvex", L"Metallic", 3},
        // A Luna file with another scheme is classic, even with Royale and Aero detection on.
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"Zune", 0},
        {L"C:\\Themes\\Royale.msstyles", L"NormalColor", 4},
        {L"C:\\Themes\\Aero\\Aero.msstyles", L"NormalColor", 5},
        {L"C:\\windows\\resources\\themes\\light\\light.msstyles", L"Blue", 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CTkColorManager::ThemeKindFromNames(row.pszFile, row.pszColor, TRUE, TRUE), row.expected)
            << CStringA(row.pszFile).GetString() << " " << CStringA(row.pszColor).GetString();
    EXPECT_EQ(CTkColorManager::ThemeKindFromNames(L"Royale.msstyles", L"x", FALSE, TRUE), 0);
    EXPECT_EQ(CTkColorManager::ThemeKindFromNames(L"Aero.msstyles", L"x", TRUE, FALSE), 0);
}

TEST(ColorManager, ConfiguredKindsLoadTheirThemeTablesAndGradients) {
    struct Row {
        SystemThemeKind kind;
        COLORREF slot38;
        COLORREF gradient3First;
        float gradient3Factor;
    };
    const Row rows[] = {{1, 0x764127, 0xFEECDD, 0.75f},
                        {2, 0x335E51, 0xDEF7F4, 0.3f},
                        {3, 0x755454, 0xFFF9F9, 0.75f},
                        {4, 0x764127, 0xFEECDD, 0.75f},
                        {5, 0x764127, 0xFEECDD, 0.75f}};
    CTkColorManager manager;
    for (const Row& row : rows) {
        manager.m_configuredTheme = row.kind;
        manager.RecomputeColors();
        EXPECT_EQ(manager.GetCurrentSystemTheme(), row.kind);
        EXPECT_EQ(manager.GetThemedColor(38), row.slot38) << "kind " << row.kind;
        EXPECT_EQ(manager.m_gradients[3].m_firstColor.m_standardValue, row.gradient3First) << "kind " << row.kind;
        EXPECT_EQ(manager.m_gradients[3].m_splitFactor, row.gradient3Factor);
    }
    manager.m_bIgnoreSystemTheme = TRUE;
    manager.RecomputeColors();
    EXPECT_EQ(manager.GetThemedColor(38), manager.GetColor(38)) << "an ignored theme leaves the table unset";
    manager.m_configuredTheme = kThemeFollowDetected;
    manager.m_bIgnoreSystemTheme = FALSE;
    manager.RecomputeColors();
    EXPECT_EQ(manager.GetCurrentSystemTheme(), manager.GetDetectedSystemTheme());
    EXPECT_EQ(manager.m_gradients[8].m_firstColor.m_standardValue, 0x4B8EFEu) << "button gradients stay as built";
}

TEST(ColorManager, GradientStoresTwentyBytesAndReadsThemBack) {
    CTkPaintManagerColorGradient gradient;
    gradient.SetStandardColors(0x00112233, 0x00445566, 0.75f);
    gradient.m_secondColor.m_customValue = 0x00778899;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        gradient.ExchangeWithArchive(ar);
    }
    ASSERT_EQ(file.GetLength(), 20u);
    BYTE bytes[20];
    file.SeekToBegin();
    file.Read(bytes, 20);
    const BYTE expected[20] = {0x33, 0x22, 0x11, 0,    0xFF, 0xFF, 0xFF, 0xFF, 0x66, 0x55,
                               0x44, 0,    0x99, 0x88, 0x77, 0,    0,    0,    0x40, 0x3F};
    EXPECT_EQ(0, memcmp(bytes, expected, 20));

    file.SeekToBegin();
    CTkPaintManagerColorGradient loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.ExchangeWithArchive(ar);
    }
    EXPECT_EQ(loaded.m_firstColor.GetEffective(), 0x00112233u);
    EXPECT_EQ(loaded.m_secondColor.GetEffective(), 0x00778899u);
    EXPECT_EQ(loaded.m_splitFactor, 0.75f);

    CTkPaintManagerColorGradient copy;
    copy.CopyEffectiveColors(loaded);
    EXPECT_EQ(copy.m_secondColor.m_standardValue, 0x00778899u);
    EXPECT_EQ(copy.m_secondColor.m_customValue, kColorUnset);
}

}  // namespace
