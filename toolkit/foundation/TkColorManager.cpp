#include "TkColorManager.h"

#include "TkWinThemeWrapper.h"

#include <algorithm>

namespace {

// The visual-styles property of a TREEVIEW's border colour (TMT_BORDERCOLOR).
constexpr int kBorderColorProperty = 3801;

// Default toolkit slots: each takes the current value of a system slot (slot 0 reads black).
struct DefaultSlot {
    int nSlot;
    int nSystemSlot;
};
constexpr DefaultSlot kDefaultSlots[] = {{30, 15}, {51, 15}, {53, 15}, {55, 15}, {56, 15}, {31, 5},  {36, 5},  {41, 5},
                                         {32, 13}, {33, 13}, {37, 13}, {50, 13}, {34, 16}, {38, 16}, {39, 16}, {40, 16},
                                         {42, 16}, {43, 16}, {48, 16}, {52, 16}, {54, 16}, {57, 16}, {60, 16}, {61, 16},
                                         {35, 17}, {58, 17}, {44, 8},  {45, 7},  {46, 18}, {47, 14}, {49, 14}, {59, 0}};

// The per-theme slots: value for themes 1, 4 and 5 (blue, Royale, Aero), theme 2 (olive) and 3 (silver).
struct ThemeSlot {
    int nSlot;
    COLORREF values[3];
};
constexpr ThemeSlot kThemeSlots[] = {
    {38, {0x764127, 0x335E51, 0x755454}}, {39, {0xCB8C6A, 0x588060, 0x8F6D6E}}, {40, {0xD0966D, 0x7AAE9F, 0xBEA7A8}},
    {41, {0xF6F6F6, 0xEEF4F4, 0xFFFAFD}}, {43, {0x962D00, 0x5E8D75, 0x947C7C}}, {31, {0xC2EEFF, 0xC2EEFF, 0xC2EEFF}},
    {32, {0x800000, 0x385D3F, 0x6F4B4B}}, {50, {0x800000, 0x385D3F, 0x6F4B4B}}, {37, {0x800000, 0x385D3F, 0x6F4B4B}},
    {33, {0x3E80FE, 0x3E80FE, 0x3E80FE}}, {36, {0x6FC0FF, 0x6FC0FF, 0x6FC0FF}}, {30, {0xF5BE9E, 0xA7D9D9, 0xE5D7D7}},
    {47, {0x000000, 0x000000, 0x000000}}, {59, {0x361E16, 0x19221F, 0x292024}}};

struct GradientValue {
    COLORREF first;
    COLORREF second;
    float factor;
};
// Gradients 0..6 of themes 1, 4, 5 / 2 / 3, and the standard value of slot 54 that goes with them.
constexpr GradientValue kThemeGradients[3][7] = {{{0xD68759, 0x962D00, 0.5f},
                                                  {0xF5BE9E, 0xFADAC4, 0.5f},
                                                  {0xD68759, 0x962D00, 0.5f},
                                                  {0xFEECDD, 0xE2A981, 0.75f},
                                                  {0xFFEFE3, 0xE4AD87, 0.5f},
                                                  {0xF6DDCB, 0xDCA179, 0.5f},
                                                  {0xFFEFE3, 0xE7B593, 0.5f}},
                                                 {{0x82C0AF, 0x447A63, 0.5f},
                                                  {0xA7D9D9, 0xE4F1F2, 0.5f},
                                                  {0x6F8E78, 0x435B49, 0.5f},
                                                  {0xDEF7F4, 0x91C6B7, 0.3f},
                                                  {0xEDFFFF, 0x92C7B8, 0.3f},
                                                  {0xD1E6E6, 0x78B4A4, 0.3f},
                                                  {0xD5F0EC, 0x9FCEC2, 0.5f}},
                                                 {{0xBFA7A8, 0x916F70, 0.5f},
                                                  {0xE5D7D7, 0xF7F3F3, 0.5f},
                                                  {0xBFA7A8, 0x977677, 0.5f},
                                                  {0xFFF9F9, 0xB79B9C, 0.75f},
                                                  {0xFFF9F9, 0xB99D9F, 0.75f},
                                                  {0xE2D7D7, 0x9E7E80, 0.75f},
                                                  {0xF1E7E9, 0xCDB9BA, 0.5f}}};
constexpr COLORREF kThemeSlot54[3] = {0x962D00, 0x588060, 0x947C7C};

// One end of a classic gradient: Blend(cA, cB, weight), or plain cA when the weight is 0.
struct ClassicEnd {
    int nA;
    int nB;
    int nWeight;
};
constexpr ClassicEnd kClassicGradients[7][2] = {
    {{16, 0, 0}, {16, 0, 0}},    {{15, 0, 0}, {15, 5, 215}},  {{15, 0, 0}, {16, 0, 0}},   {{15, 5, 205}, {15, 0, 0}},
    {{15, 5, 145}, {15, 5, 93}}, {{15, 5, 40}, {15, 16, 95}}, {{15, 5, 165}, {15, 5, 42}}};

// Gradients 7..9: checked, pressed and hot buttons; set once.
constexpr GradientValue kButtonGradients[3] = {
    {0x8CD5FF, 0x55ADFF, 0.5f}, {0x4B8EFE, 0x8BCFFF, 0.5f}, {0xC8F2FF, 0x97D4FF, 0.5f}};

struct BlendRow {
    int nSlot;
    int nA;
    int nB;
    int nWeight;
};
constexpr BlendRow kBlendRows[] = {{30, 5, 15, 165}, {31, 13, 5, 30}, {33, 13, 5, 50}, {41, 15, 5, 143},
                                   {35, 17, 5, 70},  {38, 16, 5, 75}, {39, 16, 5, 70}, {43, 46, 16, 20},
                                   {61, 46, 16, 15}, {40, 16, 5, 90}, {42, 15, 16, 90}};

struct ContrastRow {
    int nSlot;
    int nA;
    int nB;
    int nThreshold;
};
constexpr ContrastRow kContrastRows[] = {{31, 30, 31, 50},  {32, 30, 13, 100}, {33, 30, 33, 30},  {35, 41, 35, 80},
                                         {37, 33, 37, 100}, {38, 30, 38, 85},  {39, 30, 39, 50},  {43, 41, 43, 100},
                                         {61, 30, 61, 100}, {40, 30, 40, 80},  {44, 41, 44, 180}, {45, 31, 45, 180},
                                         {46, 30, 46, 180}, {47, 33, 47, 180}};

bool Contains(const CString& str, LPCWSTR pszPart) {
    return str.Find(pszPart) >= 0;
}

// Each channel of c mapped through f(channel).
template <class F>
COLORREF MapChannels(COLORREF c, F f) {
    return RGB(f(GetRValue(c)), f(GetGValue(c)), f(GetBValue(c)));
}

int MaxChannel(COLORREF c) {
    return std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
}

}  // namespace

CTkColorManager::CTkColorManager() {
    std::fill(std::begin(m_customColors), std::end(m_customColors), kColorUnset);
    std::fill(std::begin(m_themeColors), std::end(m_themeColors), kColorUnset);
    RecomputeColors();
    for (int i = 0; i < 3; ++i)
        m_gradients[7 + i].SetStandardColors(kButtonGradients[i].first, kButtonGradients[i].second,
                                             kButtonGradients[i].factor);
}

COLORREF CTkColorManager::GetColor(UINT nIndex) const {
    if (nIndex >= kColorSlotCount)
        return nIndex;
    return m_customColors[nIndex] != kColorUnset ? m_customColors[nIndex] : m_standardColors[nIndex];
}

COLORREF CTkColorManager::GetThemedColor(UINT nIndex) const {
    if (nIndex >= 30 && nIndex < kColorSlotCount && m_themeColors[nIndex] != kColorUnset)
        return m_themeColors[nIndex];
    return GetColor(nIndex);
}

SystemThemeKind CTkColorManager::GetCurrentSystemTheme() const {
    return m_configuredTheme == 6 || m_configuredTheme == 7 ? m_detectedTheme : m_configuredTheme;
}

SystemThemeKind CTkColorManager::GetTableTheme() const {
    return m_bIgnoreSystemTheme ? 0 : GetCurrentSystemTheme();
}

SystemThemeKind CTkColorManager::ThemeKindFromNames(LPCWSTR pszFileName, LPCWSTR pszColorName, BOOL bDetectRoyale,
                                                    BOOL bDetectAero) {
    CString strFile(pszFileName);
    strFile.MakeLower();
    if (Contains(strFile, L"luna.msstyles") || Contains(strFile, L"winxp.luna.plorvex")) {
        CString strColor(pszColorName);
        strColor.MakeLower();
        if (strColor == L"normalcolor")
            return 1;
        if (strColor == L"homestead")
            return 2;
        if (strColor == L"metallic")
            return 3;
    } else if (bDetectRoyale && (Contains(strFile, L"royale.msstyles") || Contains(strFile, L"winxp.royale.plorvex"))) {
        return 4;
    } else if (bDetectAero && Contains(strFile, L"aero.msstyles")) {
        return 5;
    }
    return 0;
}

int CTkColorManager::LunaColorColumn(SystemThemeKind theme) {
    switch (theme) {
        case 1:
        case 4:
        case 5:
            return 0;
        case 2:
            return 1;
        case 3:
            return 2;
        default:
            return -1;
    }
}

SystemThemeKind CTkColorManager::DetectSystemTheme() const {
    CTkWinThemeWrapper wrapper(TRUE);
    if (!wrapper.IsThemeActive() || CheckLowColorDisplay(nullptr))
        return 0;
    wchar_t szFile[MAX_PATH] = {};
    wchar_t szColor[MAX_PATH] = {};
    wchar_t szSize[MAX_PATH] = {};
    if (FAILED(wrapper.GetCurrentThemeName(szFile, MAX_PATH, szColor, MAX_PATH, szSize, MAX_PATH)))
        return 0;
    return ThemeKindFromNames(szFile, szColor, m_bDetectRoyale, m_bDetectAero);
}

void CTkColorManager::ReadSystemColors() {
    SetStandard(0, 0);
    for (int i = 1; i <= 29; ++i)
        SetStandard(i, m_pfnSysColorCallback != nullptr ? m_pfnSysColorCallback(i) : ::GetSysColor(i));
}

void CTkColorManager::SetDefaultToolkitColors() {
    for (const DefaultSlot& slot : kDefaultSlots)
        SetStandard(slot.nSlot, GetColor(slot.nSystemSlot));
}

void CTkColorManager::LoadThemeColorTable() {
    std::fill(std::begin(m_themeColors), std::end(m_themeColors), kColorUnset);
    const int nColumn = LunaColorColumn(GetTableTheme());
    if (nColumn < 0)
        return;
    for (const ThemeSlot& slot : kThemeSlots)
        m_themeColors[slot.nSlot] = slot.values[nColumn];
}

void CTkColorManager::ComputeGradients() {
    const int nColumn = LunaColorColumn(GetTableTheme());
    if (nColumn >= 0) {
        SetStandard(54, kThemeSlot54[nColumn]);
        for (int i = 0; i < 7; ++i) {
            const GradientValue& value = kThemeGradients[nColumn][i];
            m_gradients[i].SetStandardColors(value.first, value.second, value.factor);
        }
    } else {
        auto end = [this](const ClassicEnd& e) {
            return e.nWeight == 0 ? GetColor(e.nA) : BlendColors(GetColor(e.nA), GetColor(e.nB), e.nWeight);
        };
        for (int i = 0; i < 7; ++i)
            m_gradients[i].SetStandardColors(end(kClassicGradients[i][0]), end(kClassicGradients[i][1]), 0.5f);
    }
    if (CheckLowColorDisplay(nullptr)) {
        m_gradients[1].SetStandardColor(GetColor(15));
        m_gradients[3].SetStandardColor(GetColor(15));
    }
}

void CTkColorManager::RecomputeColors() {
    m_detectedTheme = DetectSystemTheme();
    const BOOL bLowColor = CheckLowColorDisplay(nullptr);
    ReadSystemColors();
    SetDefaultToolkitColors();
    LoadThemeColorTable();
    if (bLowColor) {
        // Blended colours would only dither on such a display: the defaults stay.
        ComputeGradients();
        return;
    }
    const COLORREF c15 = GetColor(15);
    const COLORREF c18 = GetColor(18);
    const bool bHighContrast =
        (c15 == RGB(0, 0, 0) && c18 == RGB(255, 255, 255)) || (c15 == RGB(255, 255, 255) && c18 == RGB(0, 0, 0));
    BlendAndContrast(bHighContrast);
    DeriveSpecialSlots(bHighContrast);
    ComputeGradients();

    CTkWinThemeWrapper treeView(TRUE);
    treeView.OpenTheme(nullptr, L"TREEVIEW");
    COLORREF border = 0;
    if (treeView.IsAppThemed() && SUCCEEDED(treeView.GetColor(0, 0, kBorderColorProperty, &border)))
        SetStandard(57, border);
}

void CTkColorManager::BlendAndContrast(bool bHighContrast) {
    if (bHighContrast) {
        const COLORREF highlight = GetColor(13);
        for (int nSlot : {31, 36, 50})
            SetStandard(nSlot, highlight);
        SetStandard(45, GetColor(14));
        for (int nSlot : {32, 37, 38, 43})
            SetStandard(nSlot, GetColor(18));
    } else {
        for (const BlendRow& row : kBlendRows)
            SetStandard(row.nSlot, BlendColors(GetColor(row.nA), GetColor(row.nB), row.nWeight));
    }
    if (IsColorDistanceAbove(GetColor(15), GetColor(30), TRUE, 35))
        SetStandard(30, LimitDistance(GetColor(15), GetColor(30), 35));
    for (const ContrastRow& row : kContrastRows) {
        const COLORREF a = GetColor(row.nA);
        const COLORREF b = GetColor(row.nB);
        if (!IsColorDistanceAbove(a, b, TRUE, static_cast<float>(row.nThreshold)))
            SetStandard(row.nSlot, EnsureContrast(a, b, static_cast<float>(row.nThreshold)));
    }
    if (IsColorDistanceAbove(GetColor(41), GetColor(35), TRUE, 145))
        SetStandard(35, LimitDistance(GetColor(41), GetColor(35), 145));
}

void CTkColorManager::DeriveSpecialSlots(bool bHighContrast) {
    if (!bHighContrast) {
        const COLORREF c30 = GetColor(30);
        const COLORREF c5 = GetColor(5);
        const COLORREF c13 = GetColor(13);
        auto mix = [](BYTE x30, BYTE x5, BYTE x13) { return x30 * 50 / 100 + x5 * 40 / 100 + x13 * 10 / 100; };
        SetStandard(36, RGB(mix(GetRValue(c30), GetRValue(c5), GetRValue(c13)),
                            mix(GetGValue(c30), GetGValue(c5), GetGValue(c13)),
                            mix(GetBValue(c30), GetBValue(c5), GetBValue(c13))));
    }

    const COLORREF c15 = GetColor(15);
    const int nFaceMax = MaxChannel(c15);
    if (nFaceMax == 0) {
        SetStandard(48, RGB(0x23, 0x23, 0x23));
    } else {
        const int nLighter = std::min(nFaceMax + 35, 255);
        SetStandard(48, MapChannels(c15, [&](int x) { return x * nLighter / nFaceMax; }));
    }

    if (c15 == 0) {
        SetStandard(49, RGB(0x7F, 0x7F, 0x7F));
    } else {
        const COLORREF c16 = GetColor(16);
        const int nShadowMax = MaxChannel(c16);
        const int nDarker = std::max(nShadowMax - 43, 0);
        SetStandard(49, nShadowMax == 0 ? 0 : MapChannels(c16, [&](int x) { return x * nDarker / nShadowMax; }));
    }

    SetStandard(34, MapChannels(m_standardColors[31], [](int x) { return static_cast<int>(x * 0.75); }));
    SetStandard(22, MapChannels(c15, [](int x) { return std::min(x + 15, 255); }));
    SetStandard(53, GetColor(30));
    SetStandard(58, GetColor(40));
    SetStandard(60, m_standardColors[40]);
}

BOOL CTkColorManager::CheckLowColorDisplay(HDC hDC) {
    if (hDC != nullptr) {
        const int nBits = ::GetDeviceCaps(hDC, BITSPIXEL);
        return nBits >= 1 && nBits <= 8;
    }
    HWND hDesktop = ::GetDesktopWindow();
    HDC hScreen = ::GetDC(hDesktop);
    if (hScreen == nullptr)
        return FALSE;
    const BOOL bLow = CheckLowColorDisplay(hScreen);
    ::ReleaseDC(hDesktop, hScreen);
    return bLow;
}

CTkColorManager* GetColorManager() {
    // A function-local static: built on first use, destroyed at exit; no lock, the UI thread uses it.
    static CTkColorManager s_manager;
    return &s_manager;
}

void RefreshColorManager() {
    GetColorManager()->RecomputeColors();
}
