// The Whidbey and Visual Studio 2008 themes: their colour sets by visual-style kind read back after a
// refresh, the highlighted popup item's rounded frame and the hot menu-bar item pixel for pixel on
// 32-bpp DIBs, the two-line separators and icon-band edge, borders and control rectangles, and the state
// rectangles left to the Office 2003 theme. PNGs of a popup bar and a toolbar in each theme go to /tmp.

#include "OfficeThemeTestSupport.h"
#include "TkColorManager.h"
#include "TkDrawHelpers.h"
#include "TkPopupBar.h"
#include "TkShadowManager.h"
#include "TkVisualStudio2008Theme.h"
#include "TkWhidbeyTheme.h"

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(141, 141, 141);

// The colour manager's visual-style kind for a scope (0 classic, 1 blue, 2 olive, 3 silver, 4 Royale,
// 5 Aero), whatever the machine's.
class CConfiguredTheme {
public:
    explicit CConfiguredTheme(int nKind) : m_nSaved(GetColorManager()->m_configuredTheme) {
        GetColorManager()->m_configuredTheme = nKind;
    }
    ~CConfiguredTheme() { GetColorManager()->m_configuredTheme = m_nSaved; }
    CConfiguredTheme(const CConfiguredTheme&) = delete;
    CConfiguredTheme& operator=(const CConfiguredTheme&) = delete;

private:
    int m_nSaved;
};

// A theme of the class, refreshed under a visual-style kind; pinned colours, or the real ones.
template <class T>
T* MakeTheme(int nKind, BOOL bPinned = TRUE) {
    CConfiguredTheme kind(nKind);
    return RefreshedTheme(new T, bPinned);
}

GradientRow Plain(COLORREF clr) {
    return {clr, clr, 0.5f};
}

GradientRow Standard(const CTkPaintManagerColorGradient& gradient) {
    return {gradient.m_firstColor.m_standardValue, gradient.m_secondColor.m_standardValue, gradient.m_splitFactor};
}

COLORREF Blend(int a, int b, int nWeight) {
    return CTkColorManager::BlendColors(PinnedColor(a), PinnedColor(b), nWeight);
}

using Entries = std::vector<std::pair<int, COLORREF>>;

TEST(WhidbeyTheme, ColourSetsByVisualStyleKindOverTheClassicOffice2003Values) {
    struct Row {
        int nKind;
        GradientRow barFace;
        GradientRow expand;
        GradientRow dock;
        GradientRow rarelyUsed;
        GradientRow disabledIcon;
        GradientRow glyph;
        COLORREF barShadow;
        Entries entries;
    };
    const GradientRow face{RGB(250, 249, 245), RGB(192, 192, 168), 0.75f};
    const GradientRow dock{RGB(229, 229, 215), RGB(244, 241, 231), 0.5f};
    const GradientRow silverDisabled{RGB(247, 245, 249), RGB(122, 121, 153), 0.5f};
    const Row rows[] = {
        {1,
         face,
         {RGB(238, 237, 234), RGB(152, 152, 126), 0.75f},
         dock,
         Plain(RGB(204, 199, 186)),
         silverDisabled,
         face,
         RGB(163, 163, 124),
         {}},
        {2,
         face,
         {RGB(238, 237, 234), RGB(176, 172, 158), 0.75f},
         dock,
         Plain(RGB(204, 199, 186)),
         {RGB(236, 233, 216), RGB(172, 168, 153), 0.5f},
         face,
         RGB(163, 163, 124),
         {{31, RGB(182, 198, 141)}, {36, RGB(182, 198, 141)}, {33, RGB(147, 160, 112)}, {47, kWhite}}},
        {3,
         {RGB(243, 244, 250), RGB(153, 151, 181), 0.75f},
         {RGB(179, 178, 200), RGB(118, 116, 146), 0.75f},
         {RGB(215, 215, 229), RGB(243, 243, 247), 0.5f},
         {RGB(215, 215, 226), RGB(133, 131, 162), 0.5f},
         silverDisabled,
         {RGB(232, 232, 241), RGB(176, 174, 197), 0.5f},
         RGB(124, 124, 148),
         {{35, kGrey},
          {60, kGrey},
          {31, RGB(255, 238, 194)},
          {32, RGB(75, 75, 111)},
          {37, RGB(75, 75, 111)},
          {50, RGB(75, 75, 111)},
          {33, RGB(254, 128, 62)},
          {36, RGB(255, 192, 111)},
          {47, kBlack},
          {38, RGB(84, 84, 117)},
          {39, RGB(110, 109, 143)},
          {30, RGB(219, 218, 228)},
          {61, RGB(122, 121, 153)}}},
    };
    for (const Row& row : rows) {
        CPaintManagerRef ref(MakeTheme<CTkWhidbeyTheme>(row.nKind));
        auto* pTheme = static_cast<CTkWhidbeyTheme*>(ref.Get());
        EXPECT_FALSE(pTheme->m_bLunaColors) << row.nKind << ": button states stay flat";
        EXPECT_TRUE(SameGradient(row.barFace, pTheme->m_grcBarFace)) << row.nKind;
        EXPECT_TRUE(SameGradient(row.barFace, pTheme->m_grcIconBand)) << row.nKind << ": the band follows the face";
        EXPECT_TRUE(SameGradient(row.expand, pTheme->m_grcExpandButton)) << row.nKind;
        EXPECT_TRUE(SameGradient(row.dock, pTheme->m_grcDock)) << row.nKind;
        EXPECT_TRUE(SameGradient(row.rarelyUsed, pTheme->m_grcRarelyUsedBand)) << row.nKind;
        EXPECT_TRUE(SameGradient(row.disabledIcon, pTheme->m_grcDisabledIcon)) << row.nKind;
        EXPECT_TRUE(SameGradient(row.glyph, pTheme->m_grcGlyph)) << row.nKind;
        EXPECT_EQ(pTheme->m_clrBarShadow.m_standardValue, row.barShadow) << row.nKind;
        for (const auto& [nIndex, clr] : row.entries)
            EXPECT_EQ(pTheme->m_colors[nIndex].m_standardValue, clr) << "kind " << row.nKind << " entry " << nIndex;
        // The glyph is rebuilt from the Whidbey glyph colours: its darkest pixel is the second colour.
        CScopedMemDC dc(16, 16);
        Clear(dc);
        ImageList_Draw(pTheme->GetGlyphImage().GetSafeHandle(), 0, dc.GetSafeHdc(), 0, 0, ILD_TRANSPARENT);
        EXPECT_EQ(PixelAt(dc, 8, 15), row.glyph.second) << row.nKind;
    }
    // Silver's caption colours and tear-off strip.
    CPaintManagerRef silver(MakeTheme<CTkWhidbeyTheme>(3));
    auto* pSilver = static_cast<CTkWhidbeyTheme*>(silver.Get());
    EXPECT_EQ(pSilver->m_clrFloatingCaption.m_standardValue, RGB(122, 121, 153));
    EXPECT_EQ(pSilver->m_clrTearOff.m_standardValue, RGB(192, 192, 211));

    // Classic, Royale and Aero: the Office 2003 theme's classic values (never its colour sets), but the
    // expand button blended from the window and face colours towards the shadow.
    CPaintManagerRef classic(MakeTheme<CTkOffice2003Theme>(0));
    auto* pClassic = static_cast<CTkOffice2003Theme*>(classic.Get());
    for (int nKind : {0, 4, 5}) {
        CPaintManagerRef ref(MakeTheme<CTkWhidbeyTheme>(nKind));
        auto* pTheme = static_cast<CTkWhidbeyTheme*>(ref.Get());
        EXPECT_EQ(pTheme->m_nColorScheme, 0);
        EXPECT_TRUE(pTheme->m_bFlatSeparators);
        EXPECT_FALSE(pTheme->m_bLunaColors) << nKind;
        EXPECT_TRUE(SameGradient({Blend(5, 15, 550), PinnedColor(16), 0.5f}, pTheme->m_grcExpandButton)) << nKind;
        const std::pair<const CTkPaintManagerColorGradient*, const CTkPaintManagerColorGradient*> same[] = {
            {&pTheme->m_grcBarFace, &pClassic->m_grcBarFace},
            {&pTheme->m_grcDock, &pClassic->m_grcDock},
            {&pTheme->m_grcRarelyUsedBand, &pClassic->m_grcRarelyUsedBand},
            {&pTheme->m_grcGlyph, &pClassic->m_grcGlyph},
            {&pTheme->m_grcPoppedUp, &pClassic->m_grcPoppedUp},
            {&pTheme->m_grcIconBand, &pClassic->m_grcIconBand},
            {&pTheme->m_grcDisabledIcon, &pClassic->m_grcDisabledIcon},
        };
        for (const auto& [pActual, pExpected] : same)
            EXPECT_TRUE(SameGradient(Standard(*pExpected), *pActual)) << nKind;
        EXPECT_EQ(pTheme->m_clrBarShadow.m_standardValue, pClassic->m_clrBarShadow.m_standardValue) << nKind;
        for (int nIndex : {30, 31, 32, 33, 35, 36, 39, 47})
            EXPECT_EQ(pTheme->m_colors[nIndex].m_standardValue, pClassic->m_colors[nIndex].m_standardValue)
                << "kind " << nKind << " entry " << nIndex;
    }
}

TEST(VisualStudio2008Theme, SettingsAndColourSetsByVisualStyleKind) {
    struct Row {
        int nKind;
        GradientRow menuHot;
        COLORREF menuHotFrame;
        COLORREF menuHotText;
        GradientRow iconBand;
        Entries entries;
    };
    const GradientRow blueHot{RGB(239, 243, 250), RGB(193, 210, 238), 0.5f};
    const Entries blueEntries{{56, RGB(221, 231, 238)}};
    const Row rows[] = {
        {0, Plain(PinnedColor(13)), PinnedColor(13), PinnedColor(14), {Blend(15, 5, 40), PinnedColor(15), 0.5f}, {}},
        {1, blueHot, RGB(152, 181, 226), kBlack, Plain(RGB(241, 241, 241)), blueEntries},
        {4, blueHot, RGB(152, 181, 226), kBlack, Plain(RGB(241, 241, 241)), blueEntries},
        {2,
         {RGB(239, 242, 227), RGB(194, 207, 158), 0.5f},
         RGB(147, 160, 112),
         kBlack,
         {RGB(247, 246, 239), RGB(233, 230, 214), 0.5f},
         {}},
        {3,
         {RGB(255, 246, 204), RGB(255, 194, 115), 0.5f},
         RGB(255, 192, 111),
         kBlack,
         {RGB(232, 233, 242), RGB(193, 193, 211), 0.5f},
         {{39, RGB(110, 109, 143)}}},
        {5,
         {RGB(241, 248, 251), RGB(186, 228, 246), 0.5f},
         RGB(150, 217, 249),
         kBlack,
         {RGB(244, 247, 252), RGB(212, 216, 230), 0.5f},
         {{53, RGB(240, 240, 240)},
          {38, RGB(160, 160, 180)},
          {39, RGB(160, 160, 180)},
          {40, RGB(128, 128, 128)},
          {41, RGB(240, 240, 240)},
          {43, RGB(160, 160, 160)},
          {31, RGB(182, 228, 247)},
          {32, RGB(41, 153, 255)},
          {50, RGB(41, 153, 255)},
          {37, RGB(48, 127, 177)},
          {33, RGB(206, 237, 250)},
          {36, RGB(206, 237, 250)},
          {30, RGB(233, 236, 250)},
          {47, kBlack}}},
    };
    for (const Row& row : rows) {
        CPaintManagerRef ref(MakeTheme<CTkVisualStudio2008Theme>(row.nKind));
        auto* pTheme = static_cast<CTkVisualStudio2008Theme*>(ref.Get());
        EXPECT_EQ(pTheme->m_nPopupTextGap, 10);
        EXPECT_EQ(pTheme->GetShadowManager()->GetOptions(), 1);
        EXPECT_EQ(pTheme->m_bLunaColors, row.nKind == 5) << row.nKind << ": only Aero has gradient states";
        EXPECT_TRUE(SameGradient(row.menuHot, pTheme->m_grcMenuHot)) << row.nKind;
        EXPECT_EQ(pTheme->m_clrMenuHotFrame.m_standardValue, row.menuHotFrame) << row.nKind;
        EXPECT_EQ(pTheme->m_clrMenuHotText.m_standardValue, row.menuHotText) << row.nKind;
        EXPECT_TRUE(SameGradient(row.iconBand, pTheme->m_grcIconBand)) << row.nKind;
        for (const auto& [nIndex, clr] : row.entries)
            EXPECT_EQ(pTheme->m_colors[nIndex].m_standardValue, clr) << "kind " << row.nKind << " entry " << nIndex;
    }
    // The rest of each kind's set: blue's rarely-used band, silver's popped-up face, and Aero's bars, states
    // and shadow.
    CPaintManagerRef blue(MakeTheme<CTkVisualStudio2008Theme>(1));
    EXPECT_TRUE(SameGradient(Plain(RGB(215, 227, 234)),
                             static_cast<CTkVisualStudio2008Theme*>(blue.Get())->m_grcRarelyUsedBand));
    CPaintManagerRef silver(MakeTheme<CTkVisualStudio2008Theme>(3));
    EXPECT_TRUE(SameGradient({RGB(232, 233, 241), RGB(192, 191, 209), 0.5f},
                             static_cast<CTkVisualStudio2008Theme*>(silver.Get())->m_grcPoppedUp));
    CPaintManagerRef aeroRef(MakeTheme<CTkVisualStudio2008Theme>(5));
    auto* pAero = static_cast<CTkVisualStudio2008Theme*>(aeroRef.Get());
    const std::pair<GradientRow, const CTkPaintManagerColorGradient*> aero[] = {
        {{RGB(233, 236, 250), RGB(244, 247, 252), 0.5f}, &pAero->m_grcDock},
        {{RGB(250, 250, 253), RGB(196, 203, 219), 0.75f}, &pAero->m_grcBarFace},
        {{RGB(255, 255, 255), RGB(118, 184, 219), 0.5f}, &pAero->m_grcPoppedUp},
        {{RGB(195, 202, 218), RGB(233, 236, 250), 0.75f}, &pAero->m_grcExpandButton},
        {{RGB(244, 247, 252), RGB(113, 124, 152), 0.5f}, &pAero->m_grcDisabledIcon},
        {{RGB(237, 248, 253), RGB(129, 192, 224), 0.5f}, &pAero->m_grcChecked},
        {{RGB(237, 248, 253), RGB(129, 192, 224), 0.5f}, &pAero->m_grcHot},
        {{RGB(228, 245, 252), RGB(124, 177, 204), 0.5f}, &pAero->m_grcPushed},
    };
    for (const auto& [expected, pActual] : aero)
        EXPECT_TRUE(SameGradient(expected, *pActual));
    EXPECT_EQ(pAero->m_clrBarShadow.m_standardValue, RGB(181, 190, 206));
    EXPECT_EQ(pAero->m_clrFloatingCaption.m_standardValue, RGB(128, 128, 128));
    EXPECT_EQ(pAero->m_clrStatusFrame.m_standardValue, RGB(160, 160, 180));
    EXPECT_EQ(pAero->GetShadowManager()->GetShadowColor(), kBlack);
}

// The highlighted popup item at (2, 2)-(42, 24) on the sentinel, in blue's colours.
class HighlightedPopupItem : public ::testing::Test {
protected:
    static constexpr int kLeft = 2;
    static constexpr int kTop = 2;
    static constexpr int kRight = 42;
    static constexpr int kBottom = 24;

    void SetUp() override {
        m_ref = std::make_unique<CPaintManagerRef>(MakeTheme<CTkVisualStudio2008Theme>(1));
        m_pTheme = static_cast<CTkVisualStudio2008Theme*>(m_ref->Get());
    }
    void Paint(CScopedMemDC& dc, BOOL bEnabled, int nChecked = 0) {
        Clear(dc);
        m_pTheme->PaintStateRectangle(&dc, CRect(kLeft, kTop, kRight, kBottom), 1, 0, bEnabled, nChecked, FALSE,
                                      kBarTypePopup, kBarPopup);
    }

    std::unique_ptr<CPaintManagerRef> m_ref;
    CTkVisualStudio2008Theme* m_pTheme = nullptr;
};

TEST_F(HighlightedPopupItem, GradientInsideAFrameWithBlendedCornersAlsoWhenDisabled) {
    CScopedMemDC dc(44, 26);
    Paint(dc, TRUE);
    const COLORREF frame = RGB(152, 181, 226);
    const auto over = [](COLORREF top, COLORREF under, int nAlpha) {
        const auto mix = [nAlpha](int a, int b) { return (a * nAlpha + b * (255 - nAlpha)) / 255; };
        return RGB(mix(GetRValue(top), GetRValue(under)), mix(GetGValue(top), GetGValue(under)),
                   mix(GetBValue(top), GetBValue(under)));
    };
    // Each corner's five pixels as offsets inwards from its corner pixel; the corner pixel itself stays.
    struct Corner {
        int dx;
        int dy;
        int nAlpha;
    };
    const Corner corner[] = {{1, 1, 255}, {1, 0, 60}, {2, 0, 120}, {0, 1, 60}, {0, 2, 120}};
    const CPoint origins[] = {{kLeft, kTop}, {kRight - 1, kTop}, {kLeft, kBottom - 1}, {kRight - 1, kBottom - 1}};
    for (const CPoint& origin : origins) {
        const int sx = origin.x == kLeft ? 1 : -1;
        const int sy = origin.y == kTop ? 1 : -1;
        EXPECT_EQ(PixelAt(dc, origin.x, origin.y), kSentinel) << origin.x << "," << origin.y;
        for (const Corner& c : corner) {
            const int x = origin.x + sx * c.dx;
            const int y = origin.y + sy * c.dy;
            EXPECT_TRUE(ColorsNear(over(frame, kSentinel, c.nAlpha), PixelAt(dc, x, y), 1)) << x << "," << y;
        }
        // The sides start three pixels from the corner; the third pixel along is no side.
        EXPECT_EQ(PixelAt(dc, origin.x + sx * 3, origin.y), frame) << origin.x << "," << origin.y;
        EXPECT_EQ(PixelAt(dc, origin.x, origin.y + sy * 3), frame) << origin.x << "," << origin.y;
        EXPECT_NE(PixelAt(dc, origin.x + sx * 2, origin.y), frame);
    }
    EXPECT_EQ(PixelAt(dc, kLeft - 1, kTop + 10), kSentinel);
    EXPECT_EQ(PixelAt(dc, kRight, kTop + 10), kSentinel);
    EXPECT_EQ(PixelAt(dc, 20, kBottom), kSentinel);
    // The face: the menu-hot gradient top to bottom, one pixel in.
    CScopedMemDC reference(44, 26);
    const CRect rcFace(kLeft + 1, kTop + 1, kRight - 1, kBottom - 1);
    GetDrawHelpers()->FillColorGradient(&reference, &rcFace, m_pTheme->m_grcMenuHot, FALSE, nullptr);
    for (int y : {kTop + 1, 12, kBottom - 2})
        EXPECT_TRUE(ColorsNear(PixelAt(reference, 20, y), PixelAt(dc, 20, y), 2)) << "face row " << y;
    EXPECT_TRUE(ColorsNear(RGB(239, 243, 250), PixelAt(dc, 20, kTop + 1), 3));
    WritePng(dc, L"/tmp/vs2008-highlighted-item.png");

    // Disabled under the mouse: the same picture; only the text colour tells it apart.
    CScopedMemDC disabled(44, 26);
    Paint(disabled, FALSE);
    EXPECT_EQ(std::memcmp(dc.GetBits(), disabled.GetBits(), 44 * 26 * 4), 0);
    const auto text = [&](BOOL bSelected, BOOL bPressed, BOOL bEnabled) {
        return m_pTheme->GetStateTextColor(bSelected, bPressed, bEnabled, FALSE, FALSE, kBarTypePopup, kBarPopup);
    };
    const auto officeText = [&](BOOL bSelected, BOOL bPressed, BOOL bEnabled) {
        return m_pTheme->CTkOfficeTheme::GetStateTextColor(bSelected, bPressed, bEnabled, FALSE, FALSE, kBarTypePopup,
                                                           kBarPopup);
    };
    EXPECT_EQ(text(1, 0, TRUE), kBlack);
    EXPECT_EQ(text(1, 0, FALSE), officeText(1, 0, FALSE));
    EXPECT_NE(text(1, 0, FALSE), kBlack);
    EXPECT_EQ(text(1, 1, TRUE), officeText(1, 1, TRUE));
    EXPECT_EQ(text(0, 0, TRUE), officeText(0, 0, TRUE));
    EXPECT_EQ(m_pTheme->GetStateTextColor(1, 0, TRUE, FALSE, FALSE, kBarTypeNormal, kBarTop),
              m_pTheme->CTkOfficeTheme::GetStateTextColor(1, 0, TRUE, FALSE, FALSE, kBarTypeNormal, kBarTop));
}

// Where the Visual Studio 2008 theme has no face of its own, it draws the Office 2003 theme's: compared
// bit for bit with an Office 2003 theme holding the same colours and state gradients, classic and Aero.
TEST(VisualStudio2008Theme, OtherStatesDrawTheOffice2003RectangleUnderEqualGradients) {
    struct Row {
        LPCSTR pszCase;
        int nSelected;
        int nPressed;
        BOOL bEnabled;
        int nChecked;
        BOOL bPopuped;
        int nType;
        int nPosition;
    };
    const Row rows[] = {
        {"checked popup item", 1, 0, TRUE, 1, FALSE, kBarTypePopup, kBarPopup},
        {"pressed popup item", 1, 1, TRUE, 0, FALSE, kBarTypePopup, kBarPopup},
        {"floating popup-type bar", 1, 0, TRUE, 0, FALSE, kBarTypePopup, kBarFloating},
        {"toolbar, hot", 1, 0, TRUE, 0, FALSE, kBarTypeNormal, kBarTop},
        {"toolbar, pressed", 1, 1, TRUE, 0, FALSE, kBarTypeNormal, kBarTop},
        {"toolbar, checked", 0, 0, TRUE, 1, FALSE, kBarTypeNormal, kBarLeft},
        {"toolbar, disabled and popped up", 1, 0, FALSE, 0, TRUE, kBarTypeNormal, kBarTop},
        {"menu bar, disabled and hot", 2, 0, FALSE, 0, FALSE, kBarTypeMenuBar, kBarTop},
        {"menu bar, checked and hot", 1, 0, TRUE, 1, FALSE, kBarTypeMenuBar, kBarTop},
    };
    for (int nKind : {0, 5}) {
        CPaintManagerRef vsRef(MakeTheme<CTkVisualStudio2008Theme>(nKind));
        CPaintManagerRef officeRef(MakeTheme<CTkOffice2003Theme>(0));
        auto* pVs = static_cast<CTkVisualStudio2008Theme*>(vsRef.Get());
        auto* pOffice = static_cast<CTkOffice2003Theme*>(officeRef.Get());
        pOffice->m_grcHot = pVs->m_grcHot;
        pOffice->m_grcChecked = pVs->m_grcChecked;
        pOffice->m_grcPushed = pVs->m_grcPushed;
        pOffice->m_grcPoppedUp = pVs->m_grcPoppedUp;
        pOffice->m_bLunaColors = pVs->m_bLunaColors;
        for (const Row& row : rows) {
            CScopedMemDC dc(40, 24);
            CScopedMemDC reference(40, 24);
            Clear(dc);
            Clear(reference);
            const CRect rc(2, 2, 38, 22);
            pVs->PaintStateRectangle(&dc, rc, row.nSelected, row.nPressed, row.bEnabled, row.nChecked, row.bPopuped,
                                     row.nType, row.nPosition);
            pOffice->PaintStateRectangle(&reference, rc, row.nSelected, row.nPressed, row.bEnabled, row.nChecked,
                                         row.bPopuped, row.nType, row.nPosition);
            EXPECT_EQ(std::memcmp(dc.GetBits(), reference.GetBits(), 40 * 24 * 4), 0)
                << "kind " << nKind << ": " << row.pszCase;
        }
    }
}

TEST(VisualStudio2008Theme, HotMenuBarItemInThreeLayersAndPoppedUpButtons) {
    struct Row {
        LPCSTR pszCase;
        int nKind;
        int nType;
        BOOL bPopuped;
        int nFrame;                                                                 // the outermost frame's entry
        const CTkPaintManagerColorGradient* (*pfnFace)(CTkVisualStudio2008Theme*);  // NULL: flat 31
    };
    const auto poppedUp = [](CTkVisualStudio2008Theme* p) -> const CTkPaintManagerColorGradient* {
        return &p->m_grcPoppedUp;
    };
    const auto hot = [](CTkVisualStudio2008Theme* p) -> const CTkPaintManagerColorGradient* { return &p->m_grcHot; };
    const Row rows[] = {
        {"menu bar, classic", 0, kBarTypeMenuBar, FALSE, 5, nullptr},
        {"menu bar, Aero: the hot gradient", 5, kBarTypeMenuBar, FALSE, 5, hot},
        {"menu bar, its popup open", 0, kBarTypeMenuBar, TRUE, 5, poppedUp},
        {"toolbar, popped up", 0, kBarTypeNormal, TRUE, 32, poppedUp},
    };
    const CRect rc(0, 0, 40, 20);
    for (const Row& row : rows) {
        CPaintManagerRef ref(MakeTheme<CTkVisualStudio2008Theme>(row.nKind));
        auto* pTheme = static_cast<CTkVisualStudio2008Theme*>(ref.Get());
        CScopedMemDC dc(40, 20);
        Clear(dc);
        pTheme->PaintStateRectangle(&dc, rc, 1, 0, TRUE, 0, row.bPopuped, row.nType, kBarTop);
        // The menu bar's face lies inside its two frames; a popped-up button's gradient runs under its frame.
        const int nInset = row.nType == kBarTypeMenuBar ? 2 : 0;
        if (row.nType == kBarTypeMenuBar) {
            EXPECT_EQ(PixelAt(dc, 0, 0), kSentinel) << row.pszCase << ": cut corner";
            EXPECT_EQ(PixelAt(dc, 39, 19), kSentinel) << row.pszCase;
            EXPECT_EQ(PixelAt(dc, 1, 0), PinnedColor(5)) << row.pszCase;
            EXPECT_EQ(PixelAt(dc, 0, 18), PinnedColor(5)) << row.pszCase;
            EXPECT_EQ(PixelAt(dc, 1, 1), Blend(32, 5, 500)) << row.pszCase << ": softened inner corner";
            EXPECT_EQ(PixelAt(dc, 38, 18), Blend(32, 5, 500)) << row.pszCase;
            EXPECT_EQ(PixelAt(dc, 2, 1), PinnedColor(32)) << row.pszCase;
            EXPECT_EQ(PixelAt(dc, 38, 10), PinnedColor(32)) << row.pszCase;
        } else {
            EXPECT_EQ(PixelAt(dc, 0, 0), PinnedColor(row.nFrame)) << row.pszCase;
            EXPECT_EQ(PixelAt(dc, 39, 19), PinnedColor(row.nFrame)) << row.pszCase;
        }
        if (row.pfnFace == nullptr) {
            EXPECT_EQ(PixelAt(dc, 2, 2), PinnedColor(31)) << row.pszCase;
            EXPECT_EQ(PixelAt(dc, 37, 17), PinnedColor(31)) << row.pszCase;
            continue;
        }
        CScopedMemDC reference(40, 20);
        CRect rcFace = rc;
        rcFace.DeflateRect(nInset, nInset);
        GetDrawHelpers()->FillColorGradient(&reference, &rcFace, *row.pfnFace(pTheme), FALSE, nullptr);
        for (int y : {2, 10, 17})
            EXPECT_TRUE(ColorsNear(PixelAt(reference, 20, y), PixelAt(dc, 20, y), 2)) << row.pszCase << " row " << y;
    }
}

// Separators, the icon band, borders and control rectangles on the fixture's bar.
TEST_F(OfficeThemeFixture, TwoLinePopupSeparatorsFlatToolbarSeparatorsBandEdgeAndBorders) {
    CTkVisualStudio2008Theme* pTheme = UseTheme<CTkVisualStudio2008Theme>();
    CTkControlButton* pControl = AddButton(kControlButton, L"x", kButtonCaption);
    pControl->SetRect(CRect(20, 20, 60, 36));
    pControl->SetRowRect(CRect(16, 18, 64, 38));
    SetBar(kBarTypePopup, kBarPopup);
    CScopedMemDC sep(80, 48);
    EXPECT_EQ(pTheme->PaintControlSeparator(nullptr, m_pBar, nullptr, FALSE), CSize(3, 3));
    // A row: lines 39 then 20 above the control, from the icon column and the text gap of 10.
    Clear(sep);
    EXPECT_EQ(pTheme->PaintControlSeparator(&sep, m_pBar, pControl, TRUE), CSize(0, 0));
    const int xStart = 20 + pTheme->GetPopupIconColumnWidth(m_pBar) + 10 - 1;
    for (int x : {xStart, 60}) {
        EXPECT_EQ(PixelAt(sep, x, 18), PinnedColor(39)) << x;
        EXPECT_EQ(PixelAt(sep, x, 19), PinnedColor(20)) << x;
    }
    EXPECT_EQ(PixelAt(sep, xStart - 1, 18), kSentinel);
    EXPECT_EQ(PixelAt(sep, 61, 19), kSentinel);
    EXPECT_EQ(PixelAt(sep, 40, 20), kSentinel);
    // A new column: the two lines left of the control, one pixel beyond its row.
    pControl->SetWrap(TRUE);
    Clear(sep);
    pTheme->PaintControlSeparator(&sep, m_pBar, pControl, TRUE);
    for (int y : {17, 38}) {
        EXPECT_EQ(PixelAt(sep, 18, y), PinnedColor(39)) << y;
        EXPECT_EQ(PixelAt(sep, 19, y), PinnedColor(20)) << y;
    }
    EXPECT_EQ(PixelAt(sep, 18, 16), kSentinel);
    EXPECT_EQ(PixelAt(sep, 18, 39), kSentinel);
    EXPECT_EQ(PixelAt(sep, 40, 18), kSentinel);
    pControl->SetWrap(FALSE);

    // Popup borders 4, 3, 4, 3 and controls one pixel wider; a toolbar keeps Office 2003's.
    EXPECT_EQ(pTheme->GetBarBorders(m_pBar), CRect(4, 3, 4, 3));
    CRect rcAdjusted(10, 2, 50, 22);
    pTheme->AdjustControlRect(rcAdjusted, pControl, FALSE);
    EXPECT_EQ(rcAdjusted, CRect(9, 2, 51, 22));
    SetBar(kBarTypeNormal, kBarTop);
    EXPECT_EQ(pTheme->GetBarBorders(m_pBar), CRect(4, 2, 2, 2));
    for (BOOL bVertical : {FALSE, TRUE}) {
        rcAdjusted = CRect(10, 2, 50, 22);
        pTheme->AdjustControlRect(rcAdjusted, pControl, bVertical);
        EXPECT_EQ(rcAdjusted, CRect(10, 2, 50, 22)) << bVertical;
    }

    // Toolbar separators: Whidbey's (and so Visual Studio 2008's) have no highlight line, Office 2003's do.
    for (BOOL bFlat : {TRUE, FALSE}) {
        CPaintManagerRef ref(bFlat ? MakeTheme<CTkWhidbeyTheme>(0) : MakeTheme<CTkOffice2003Theme>(0));
        Clear(sep);
        ref->PaintControlSeparator(&sep, m_pBar, pControl, TRUE);
        EXPECT_EQ(PixelAt(sep, 16, 25), PinnedColor(39)) << bFlat;
        EXPECT_EQ(PixelAt(sep, 17, 25), bFlat ? kSentinel : PinnedColor(20)) << bFlat;
    }

    // The icon band: its gradient left to right, then a line of 39 and one of 20 right of it.
    for (BOOL bRarelyUsed : {FALSE, TRUE}) {
        CScopedMemDC band(40, 40);
        Clear(band);
        pTheme->FillPopupIconBand(&band, 2, 3, 20, 30, bRarelyUsed);
        CScopedMemDC reference(40, 40);
        const CRect rcBand(2, 3, 22, 33);
        GetDrawHelpers()->FillColorGradient(
            &reference, &rcBand, bRarelyUsed ? pTheme->m_grcRarelyUsedBand : pTheme->m_grcIconBand, TRUE, nullptr);
        for (int x : {2, 12, 21})
            EXPECT_TRUE(ColorsNear(PixelAt(reference, x, 10), PixelAt(band, x, 10), 2)) << bRarelyUsed << " x " << x;
        for (int y : {3, 32}) {
            EXPECT_EQ(PixelAt(band, 22, y), PinnedColor(39)) << y;
            EXPECT_EQ(PixelAt(band, 23, y), PinnedColor(20)) << y;
        }
        EXPECT_EQ(PixelAt(band, 24, 10), kSentinel);
        EXPECT_EQ(PixelAt(band, 22, 33), kSentinel);
        EXPECT_EQ(PixelAt(band, 22, 2), kSentinel);
    }
}

// A popup menu and a toolbar in each theme with its real colours, for a person to look at.
TEST_F(OfficeThemeFixture, PopupBarAndToolbarPicturesInEachTheme) {
    struct Look {
        LPCWSTR pszName;
        int nKind;
        BOOL bVisualStudio;
    };
    const Look looks[] = {{L"whidbey-blue", 1, FALSE},
                          {L"whidbey-silver", 3, FALSE},
                          {L"vs2008-blue", 1, TRUE},
                          {L"vs2008-aero", 5, TRUE}};
    for (const Look& look : looks) {
        CPaintManagerRef ref(look.bVisualStudio ? MakeTheme<CTkVisualStudio2008Theme>(look.nKind, FALSE)
                                                : MakeTheme<CTkWhidbeyTheme>(look.nKind, FALSE));
        SetHubPaintManager(m_pCommandBars, ref.Get());
        auto* pPopup = CTkPopupBar::CreatePopupBar(m_pCommandBars);
        ASSERT_TRUE(CreateBarWindow(pPopup, m_pSite, CRect(0, 0, 160, 100)));
        // Laid out by hand: a bar out of view does not lay itself out.
        const LPCWSTR captions[] = {L"&Open", L"&Save", L"Save &As", L"E&xit"};
        int y = 3;
        for (int i = 0; i < 4; ++i) {
            auto* pItem = new CTkControlButton;
            pItem->SetType(kControlButton);
            pItem->SetCaption(captions[i]);
            pPopup->GetControls()->Append(pItem);
            pItem->SetBeginGroup(i == 3);
            pItem->SetEnabled(i != 2);
            pItem->SetSelected(i == 1);
            y += i == 3 ? 4 : 0;
            pItem->SetRect(CRect(3, y, 157, y + 22));
            pItem->SetRowRect(pItem->GetRect());
            y += 22;
        }
        const CRect rcPopup(0, 0, 160, y + 3);
        CScopedMemDC popup(rcPopup.Width(), rcPopup.Height());
        Clear(popup);
        pPopup->MoveWindow(&rcPopup);
        pPopup->DrawCommandBar(&popup, rcPopup);
        WritePng(popup, CString(L"/tmp/") + look.pszName + L"-popup.png");
        pPopup->InternalRelease();

        m_pBar->GetControls()->RemoveAll();
        const LPCWSTR tools[] = {L"New", L"Open", L"Cut", L"Copy"};
        int x = 10;
        for (int i = 0; i < 4; ++i) {
            CTkControlButton* pButton = AddButton(kControlButton, tools[i], kButtonCaption);
            pButton->SetBeginGroup(i == 2);
            pButton->SetSelected(i == 1);
            pButton->SetChecked(i == 3);
            x += i == 2 ? 8 : 0;
            pButton->SetRect(CRect(x, 4, x + 40, 26));
            pButton->SetRowRect(CRect(8, 2, 200, 28));
            x += 40;
        }
        CRect rcBar;
        m_pBar->GetClientRect(&rcBar);
        CScopedMemDC tool(rcBar.Width(), rcBar.Height());
        Clear(tool);
        m_pBar->DrawCommandBar(&tool, rcBar);
        WritePng(tool, CString(L"/tmp/") + look.pszName + L"-toolbar.png");
        SetHubPaintManager(m_pCommandBars, nullptr);
    }
}

}  // namespace
