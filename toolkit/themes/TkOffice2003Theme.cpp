// CTkOffice2003Theme: settings, the refresh with its classic values and scheme colour sets, the glyph
// image.
#include "TkOffice2003Theme.h"

#include "TkColorManager.h"
#include "TkShadowManager.h"

namespace {

// The scheme colour sets: blue (Luna blue, Royale, Aero), olive, silver.
struct GradientValue {
    COLORREF first;
    COLORREF second;
    float fFactor;
};

struct ColorSet {
    GradientValue dock;
    GradientValue barFace;
    GradientValue expandButton;
    GradientValue glyph;
    GradientValue rarelyUsedBand;
    GradientValue poppedUp;
    GradientValue disabledIcon;
    COLORREF barShadow;
    COLORREF floatingCaption;
    COLORREF statusFrame;
    COLORREF tearOff;
    COLORREF shadow;
    // Table entries 12, 30, 31, 32 (also 37 and 50), 33, 36, 38, 39, 40, 41, 43, 47, 51, 52, 53, 56.
    COLORREF entries[16];
};

constexpr int kSetEntries[16] = {12, 30, 31, 32, 33, 36, 38, 39, 40, 41, 43, 47, 51, 52, 53, 56};

const ColorSet kColorSets[3] = {
    {{RGB(158, 190, 245), RGB(196, 218, 250), 0.5f},
     {RGB(221, 236, 254), RGB(129, 169, 226), 0.75f},
     {RGB(117, 166, 241), RGB(0, 53, 145), 0.75f},
     {RGB(227, 239, 254), RGB(129, 169, 226), 0.5f},
     {RGB(203, 221, 246), RGB(121, 161, 220), 0.5f},
     {RGB(227, 239, 255), RGB(147, 181, 231), 0.5f},
     {RGB(233, 236, 242), RGB(97, 122, 172), 0.5f},
     RGB(59, 97, 156),
     RGB(42, 102, 201),
     RGB(211, 211, 211),
     RGB(169, 199, 240),
     RGB(22, 30, 54),
     {RGB(144, 153, 174), RGB(196, 219, 249), RGB(255, 238, 194), RGB(0, 0, 128), RGB(254, 128, 62), RGB(255, 192, 111),
      RGB(39, 65, 118), RGB(106, 140, 203), RGB(109, 150, 208), RGB(246, 246, 246), RGB(0, 45, 150), RGB(0, 0, 0),
      RGB(216, 231, 252), RGB(158, 190, 245), RGB(203, 225, 252), RGB(189, 211, 247)}},
    {{RGB(217, 217, 167), RGB(242, 241, 228), 0.5f},
     {RGB(244, 247, 222), RGB(183, 198, 145), 0.3f},
     {RGB(176, 194, 140), RGB(96, 119, 107), 0.3f},
     {RGB(236, 240, 213), RGB(184, 198, 147), 0.5f},
     {RGB(230, 230, 209), RGB(164, 180, 120), 0.3f},
     {RGB(236, 240, 213), RGB(194, 206, 159), 0.5f},
     {RGB(243, 244, 240), RGB(131, 144, 113), 0.5f},
     RGB(96, 128, 88),
     RGB(116, 134, 94),
     RGB(211, 211, 211),
     RGB(197, 212, 159),
     RGB(31, 34, 25),
     {RGB(151, 160, 123), RGB(209, 222, 173), RGB(255, 238, 194), RGB(63, 93, 56), RGB(254, 128, 62),
      RGB(255, 192, 111), RGB(81, 94, 51), RGB(96, 128, 88), RGB(159, 174, 122), RGB(244, 244, 238), RGB(117, 141, 94),
      RGB(0, 0, 0), RGB(226, 231, 191), RGB(171, 192, 138), RGB(216, 227, 182), RGB(222, 227, 189)}},
    {{RGB(215, 215, 229), RGB(243, 243, 247), 0.5f},
     {RGB(249, 249, 255), RGB(156, 155, 183), 0.75f},
     {RGB(179, 178, 200), RGB(118, 116, 146), 0.75f},
     {RGB(232, 232, 241), RGB(176, 174, 197), 0.5f},
     {RGB(215, 215, 226), RGB(133, 131, 162), 0.5f},
     {RGB(233, 231, 241), RGB(186, 185, 205), 0.5f},
     {RGB(247, 245, 249), RGB(122, 121, 153), 0.5f},
     RGB(124, 124, 148),
     RGB(122, 121, 153),
     RGB(236, 234, 218),
     RGB(192, 192, 211),
     RGB(36, 32, 41),
     {RGB(155, 154, 179), RGB(219, 218, 228), RGB(255, 238, 194), RGB(75, 75, 111), RGB(254, 128, 62),
      RGB(255, 192, 111), RGB(84, 84, 117), RGB(110, 109, 143), RGB(168, 167, 190), RGB(253, 250, 255),
      RGB(124, 124, 148), RGB(0, 0, 0), RGB(223, 223, 234), RGB(177, 176, 195), RGB(214, 211, 231),
      RGB(214, 215, 231)}},
};

// The glyph's intensities, one line per column x, rows y = 0..15: pixel (x, y) is entry 16 x + y.
// 255 is transparent.
const BYTE kGlyphIntensities[256] = {
    255, 255, 255, 255, 252, 234, 198, 180, 180, 180, 198, 252, 255, 255, 255, 255,  // x 0
    255, 255, 255, 234, 234, 234, 234, 198, 180, 144, 126, 126, 198, 255, 255, 255,  // x 1
    255, 255, 234, 252, 252, 234, 234, 198, 180, 144, 126, 108, 90,  144, 255, 255,  // x 2
    255, 234, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 90,  54,  126, 255,  // x 3
    234, 252, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 90,  54,  36,  234,  // x 4
    234, 252, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 72,  54,  36,  90,   // x 5
    234, 234, 234, 234, 234, 234, 198, 180, 144, 144, 126, 108, 72,  36,  18,  36,   // x 6
    198, 234, 234, 234, 198, 198, 198, 180, 144, 126, 126, 72,  54,  36,  18,  18,   // x 7
    198, 198, 198, 198, 198, 180, 180, 144, 126, 126, 108, 72,  54,  18,  18,  0,    // x 8
    198, 180, 180, 180, 180, 180, 144, 126, 126, 108, 90,  54,  36,  18,  0,   0,    // x 9
    198, 144, 144, 144, 144, 144, 126, 126, 108, 108, 72,  54,  36,  18,  0,   54,   // x 10
    252, 144, 126, 126, 126, 126, 108, 108, 90,  90,  54,  36,  18,  0,   0,   180,  // x 11
    255, 198, 108, 108, 108, 108, 90,  90,  90,  72,  54,  36,  18,  0,   72,  255,  // x 12
    255, 255, 180, 108, 90,  90,  90,  72,  72,  54,  36,  18,  0,   54,  255, 255,  // x 13
    255, 255, 255, 198, 90,  72,  72,  72,  54,  36,  36,  18,  108, 255, 255, 255,  // x 14
    255, 255, 255, 255, 252, 180, 108, 72,  54,  90,  126, 234, 255, 255, 255, 255,  // x 15
};

constexpr COLORREF kGlyphMask = RGB(0, 255, 0);
constexpr int kGlyphSize = 16;
// Entries the colour sets grey out.
constexpr COLORREF kSetGrey = RGB(141, 141, 141);

void SetGradient(CTkPaintManagerColorGradient& gradient, const GradientValue& value) {
    gradient.SetStandardColors(value.first, value.second, value.fFactor);
}

}  // namespace

CTkOffice2003Theme::CTkOffice2003Theme() {
    m_bIconEffects[0] = FALSE;
    m_bIconEffects[2] = FALSE;
    m_grcChecked.SetStandardColors(RGB(255, 213, 140), RGB(255, 173, 85), 0.5f);
    m_grcPushed.SetStandardColors(RGB(254, 142, 75), RGB(255, 207, 139), 0.5f);
    m_grcHot.SetStandardColors(RGB(255, 242, 200), RGB(255, 212, 151), 0.5f);
}

CTkOffice2003Theme::~CTkOffice2003Theme() {
    m_glyphImage.DeleteImageList();
}

void CTkOffice2003Theme::RefreshMetrics() {
    CTkOfficeTheme::RefreshMetrics();
    // The status bar's visual style belongs to the main window, when there is one.
    m_themeStatusBar.CloseTheme();
    CWnd* pMainWnd = AfxGetMainWnd();
    m_themeStatusBar.OpenTheme(pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr, L"STATUS");
    ApplyClassicColors();
    // The scheme number is a visual-style kind; its colour family picks the set, classic keeps the defaults.
    const int nSet = CTkColorManager::LunaColorColumn(GetColorSchemeIndex());
    if (nSet >= 0)
        ApplyColorSet(nSet);
    m_grcIconBand.CopyEffectiveColors(m_grcBarFace);
    RebuildGlyphImage();
}

void CTkOffice2003Theme::ApplyClassicColors() {
    const auto blend = [this](int a, int b, int nPerMille) {
        return CTkColorManager::BlendColors(LookupColor(a), LookupColor(b), nPerMille);
    };
    const COLORREF clrFace = LookupColor(COLOR_BTNFACE);
    m_grcRarelyUsedBand.SetStandardColors(blend(COLOR_WINDOW, 42, 550), LookupColor(42), 0.5f);
    m_grcBarFace.SetStandardColors(blend(COLOR_BTNFACE, COLOR_WINDOW, 205), clrFace, 0.5f);
    m_grcDock.SetStandardColors(clrFace, blend(COLOR_BTNFACE, COLOR_WINDOW, 205), 0.5f);
    m_clrTearOff.m_standardValue = LookupColor(30);
    m_clrBarShadow.m_standardValue = LookupColor(30);
    m_clrFloatingCaption.m_standardValue = LookupColor(COLOR_BTNSHADOW);
    m_grcPoppedUp.SetStandardColors(LookupColor(41), blend(COLOR_WINDOW, COLOR_BTNFACE, 550), 0.5f);
    m_grcExpandButton.SetStandardColors(blend(51, COLOR_BTNSHADOW, 510), LookupColor(COLOR_BTNSHADOW), 0.5f);
    m_bLunaColors = FALSE;
    m_grcGlyph.SetStandardColors(LookupColor(41), blend(COLOR_WINDOW, COLOR_BTNFACE, 550), 0.5f);
    m_clrStatusFrame.m_standardValue = blend(COLOR_BTNFACE, COLOR_WINDOW, 700);
    m_colors[55].m_standardValue = GetColorManager()->m_gradients[1].m_secondColor.GetEffective();
    if (CTkColorManager::CheckLowColorDisplay(nullptr)) {
        for (CTkPaintManagerColorGradient* pGradient : {&m_grcBarFace, &m_grcDock, &m_grcPoppedUp, &m_grcExpandButton})
            pGradient->SetStandardColor(clrFace);
    }
}

void CTkOffice2003Theme::ApplyColorSet(int nSet) {
    const ColorSet& set = kColorSets[nSet];
    SetGradient(m_grcDock, set.dock);
    SetGradient(m_grcBarFace, set.barFace);
    SetGradient(m_grcExpandButton, set.expandButton);
    SetGradient(m_grcGlyph, set.glyph);
    SetGradient(m_grcRarelyUsedBand, set.rarelyUsedBand);
    SetGradient(m_grcPoppedUp, set.poppedUp);
    SetGradient(m_grcDisabledIcon, set.disabledIcon);
    m_clrBarShadow.m_standardValue = set.barShadow;
    m_clrFloatingCaption.m_standardValue = set.floatingCaption;
    m_clrStatusFrame.m_standardValue = set.statusFrame;
    m_clrTearOff.m_standardValue = set.tearOff;
    GetShadowManager()->SetShadowColor(set.shadow);
    SetStandardColors(16, kSetEntries, set.entries);
    m_colors[37].m_standardValue = set.entries[3];
    m_colors[50].m_standardValue = set.entries[3];
    m_bLunaColors = TRUE;
    for (int nIndex : {35, 58, 60})
        m_colors[nIndex].m_standardValue = kSetGrey;
    m_colors[61].m_standardValue = m_clrFloatingCaption.GetEffective();
}

// Each pixel's intensity i runs from the glyph gradient's second colour (0) towards its first (255),
// per channel second - (second - first) i / 255.
void CTkOffice2003Theme::RebuildGlyphImage() {
    m_glyphImage.DeleteImageList();
    const COLORREF first = m_grcGlyph.m_firstColor.GetEffective();
    const COLORREF second = m_grcGlyph.m_secondColor.GetEffective();
    const auto channel = [](int nFirst, int nSecond, int i) { return nSecond - (nSecond - nFirst) * i / 255; };
    CClientDC screenDC(nullptr);
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(&screenDC, kGlyphSize, kGlyphSize))
        return;
    {
        CDC memDC;
        memDC.CreateCompatibleDC(&screenDC);
        CBitmap* pOld = memDC.SelectObject(&bitmap);
        for (int x = 0; x < kGlyphSize; ++x) {
            for (int y = 0; y < kGlyphSize; ++y) {
                const int i = kGlyphIntensities[kGlyphSize * x + y];
                const COLORREF clr = i == 255 ? kGlyphMask
                                              : RGB(channel(GetRValue(first), GetRValue(second), i),
                                                    channel(GetGValue(first), GetGValue(second), i),
                                                    channel(GetBValue(first), GetBValue(second), i));
                memDC.SetPixel(x, y, clr);
            }
        }
        memDC.SelectObject(pOld);
    }
    // 24-bit colour with a mask.
    if (m_glyphImage.Create(kGlyphSize, kGlyphSize, ILC_COLOR24 | ILC_MASK, 1, 0))
        m_glyphImage.Add(&bitmap, kGlyphMask);
}
