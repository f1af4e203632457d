// The Office 2003 theme: the scheme colour sets and classic values read back after a refresh, the glyph
// image pixel for pixel, gradient state faces, and docked bars painted into 32-bpp DIBs under colour
// scheme 1 and 0 (gradients judged within 2 where the gradient routine computes them).

#include "OfficeThemeTestSupport.h"
#include "TkColorManager.h"
#include "TkDockBar.h"
#include "TkDrawHelpers.h"
#include "TkShadowManager.h"

namespace {

// Colour scheme 1 (blue) and 0 (classic), whatever the visual style of the machine.
constexpr int kSchemeBlue = 1;
constexpr int kSchemeClassic = 0;

CTkOffice2003Theme* MakeTheme(int nScheme, BOOL bPinned) {
    auto* pTheme = new CTkOffice2003Theme;
    pTheme->m_nColorScheme = nScheme;
    return RefreshedTheme(pTheme, bPinned);
}

TEST(Office2003Theme, SchemeColourSetsReadBackAndCustomValuesWin) {
    struct Row {
        int nScheme;
        GradientRow dock;
        GradientRow barFace;
        GradientRow expand;
        COLORREF barShadow;
        COLORREF caption;  // floating caption, and entry 61
        COLORREF shadow;   // the shadow manager's
        COLORREF c30, c32, c41, c43, c56;
    };
    const GradientRow blueDock{RGB(158, 190, 245), RGB(196, 218, 250), 0.5f};
    const GradientRow blueFace{RGB(221, 236, 254), RGB(129, 169, 226), 0.75f};
    const GradientRow blueExpand{RGB(117, 166, 241), RGB(0, 53, 145), 0.75f};
    const Row blue{1,
                   blueDock,
                   blueFace,
                   blueExpand,
                   RGB(59, 97, 156),
                   RGB(42, 102, 201),
                   RGB(22, 30, 54),
                   RGB(196, 219, 249),
                   RGB(0, 0, 128),
                   RGB(246, 246, 246),
                   RGB(0, 45, 150),
                   RGB(189, 211, 247)};
    const Row rows[] = {
        blue,
        {2,
         {RGB(217, 217, 167), RGB(242, 241, 228), 0.5f},
         {RGB(244, 247, 222), RGB(183, 198, 145), 0.3f},
         {RGB(176, 194, 140), RGB(96, 119, 107), 0.3f},
         RGB(96, 128, 88),
         RGB(116, 134, 94),
         RGB(31, 34, 25),
         RGB(209, 222, 173),
         RGB(63, 93, 56),
         RGB(244, 244, 238),
         RGB(117, 141, 94),
         RGB(222, 227, 189)},
        {3,
         {RGB(215, 215, 229), RGB(243, 243, 247), 0.5f},
         {RGB(249, 249, 255), RGB(156, 155, 183), 0.75f},
         {RGB(179, 178, 200), RGB(118, 116, 146), 0.75f},
         RGB(124, 124, 148),
         RGB(122, 121, 153),
         RGB(36, 32, 41),
         RGB(219, 218, 228),
         RGB(75, 75, 111),
         RGB(253, 250, 255),
         RGB(124, 124, 148),
         RGB(214, 215, 231)},
        {4, blueDock, blueFace, blueExpand, blue.barShadow, blue.caption, blue.shadow, blue.c30, blue.c32, blue.c41,
         blue.c43, blue.c56},
        {5, blueDock, blueFace, blueExpand, blue.barShadow, blue.caption, blue.shadow, blue.c30, blue.c32, blue.c41,
         blue.c43, blue.c56},
    };
    for (const Row& row : rows) {
        CPaintManagerRef ref(MakeTheme(row.nScheme, TRUE));
        auto* pTheme = static_cast<CTkOffice2003Theme*>(ref.Get());
        EXPECT_TRUE(pTheme->m_bLunaColors) << row.nScheme;
        EXPECT_TRUE(SameGradient(row.dock, pTheme->m_grcDock)) << row.nScheme;
        EXPECT_TRUE(SameGradient(row.barFace, pTheme->m_grcBarFace)) << row.nScheme;
        EXPECT_TRUE(SameGradient(row.expand, pTheme->m_grcExpandButton)) << row.nScheme;
        EXPECT_TRUE(SameGradient(row.barFace, pTheme->m_grcIconBand)) << row.nScheme << ": the band follows the face";
        EXPECT_EQ(pTheme->m_clrBarShadow.m_standardValue, row.barShadow) << row.nScheme;
        EXPECT_EQ(pTheme->m_clrFloatingCaption.m_standardValue, row.caption) << row.nScheme;
        EXPECT_EQ(pTheme->GetShadowManager()->GetShadowColor(), row.shadow) << row.nScheme;
        const std::pair<int, COLORREF> entries[] = {
            {30, row.c30},
            {32, row.c32},
            {37, row.c32},
            {50, row.c32},
            {41, row.c41},
            {43, row.c43},
            {56, row.c56},
            {61, row.caption},
            {35, RGB(141, 141, 141)},
            {58, RGB(141, 141, 141)},
            {60, RGB(141, 141, 141)},
            {31, RGB(255, 238, 194)},
            {47, RGB(0, 0, 0)},
        };
        for (const auto& [nIndex, clr] : entries)
            EXPECT_EQ(pTheme->m_colors[nIndex].m_standardValue, clr) << "scheme " << row.nScheme << " entry " << nIndex;
        // The custom colours an application set still win.
        EXPECT_EQ(pTheme->LookupColor(41), PinnedColor(41));
    }

    // Classic (and any scheme without a set): values blended per mille from the table.
    CPaintManagerRef ref(MakeTheme(kSchemeClassic, TRUE));
    auto* pTheme = static_cast<CTkOffice2003Theme*>(ref.Get());
    const auto blend = [](int a, int b, int w) {
        return CTkColorManager::BlendColors(PinnedColor(a), PinnedColor(b), w);
    };
    EXPECT_FALSE(pTheme->m_bLunaColors);
    EXPECT_TRUE(SameGradient({blend(5, 42, 550), PinnedColor(42), 0.5f}, pTheme->m_grcRarelyUsedBand));
    EXPECT_TRUE(SameGradient({blend(15, 5, 205), PinnedColor(15), 0.5f}, pTheme->m_grcBarFace));
    EXPECT_TRUE(SameGradient({PinnedColor(15), blend(15, 5, 205), 0.5f}, pTheme->m_grcDock));
    EXPECT_TRUE(SameGradient({PinnedColor(41), blend(5, 15, 550), 0.5f}, pTheme->m_grcPoppedUp));
    EXPECT_TRUE(SameGradient({blend(51, 16, 510), PinnedColor(16), 0.5f}, pTheme->m_grcExpandButton));
    EXPECT_TRUE(SameGradient({PinnedColor(41), blend(5, 15, 550), 0.5f}, pTheme->m_grcGlyph));
    EXPECT_EQ(pTheme->m_clrStatusFrame.m_standardValue, blend(15, 5, 700));
    EXPECT_EQ(pTheme->m_clrTearOff.m_standardValue, PinnedColor(30));
    EXPECT_EQ(pTheme->m_clrBarShadow.m_standardValue, PinnedColor(30));
    EXPECT_EQ(pTheme->m_clrFloatingCaption.m_standardValue, PinnedColor(16));
    EXPECT_EQ(pTheme->m_colors[55].m_standardValue, GetColorManager()->m_gradients[1].m_secondColor.GetEffective());
    EXPECT_NE(pTheme->m_colors[35].m_standardValue, RGB(141, 141, 141));
    // A gradient the application set keeps its value through refreshes.
    pTheme->m_grcDock.m_firstColor.m_customValue = RGB(1, 1, 1);
    pTheme->m_nColorScheme = kSchemeBlue;
    pTheme->RefreshMetrics();
    EXPECT_EQ(pTheme->m_grcDock.m_firstColor.GetEffective(), RGB(1, 1, 1));
    EXPECT_EQ(pTheme->m_grcDock.m_secondColor.GetEffective(), RGB(196, 218, 250));
}

// The glyph's intensities, column by column (x 0..15), each column's rows y 0..15.
const BYTE kIntensities[16][16] = {
    {255, 255, 255, 255, 252, 234, 198, 180, 180, 180, 198, 252, 255, 255, 255, 255},
    {255, 255, 255, 234, 234, 234, 234, 198, 180, 144, 126, 126, 198, 255, 255, 255},
    {255, 255, 234, 252, 252, 234, 234, 198, 180, 144, 126, 108, 90, 144, 255, 255},
    {255, 234, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 90, 54, 126, 255},
    {234, 252, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 90, 54, 36, 234},
    {234, 252, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 72, 54, 36, 90},
    {234, 234, 234, 234, 234, 234, 198, 180, 144, 144, 126, 108, 72, 36, 18, 36},
    {198, 234, 234, 234, 198, 198, 198, 180, 144, 126, 126, 72, 54, 36, 18, 18},
    {198, 198, 198, 198, 198, 180, 180, 144, 126, 126, 108, 72, 54, 18, 18, 0},
    {198, 180, 180, 180, 180, 180, 144, 126, 126, 108, 90, 54, 36, 18, 0, 0},
    {198, 144, 144, 144, 144, 144, 126, 126, 108, 108, 72, 54, 36, 18, 0, 54},
    {252, 144, 126, 126, 126, 126, 108, 108, 90, 90, 54, 36, 18, 0, 0, 180},
    {255, 198, 108, 108, 108, 108, 90, 90, 90, 72, 54, 36, 18, 0, 72, 255},
    {255, 255, 180, 108, 90, 90, 90, 72, 72, 54, 36, 18, 0, 54, 255, 255},
    {255, 255, 255, 198, 90, 72, 72, 72, 54, 36, 36, 18, 108, 255, 255, 255},
    {255, 255, 255, 255, 252, 180, 108, 72, 54, 90, 126, 234, 255, 255, 255, 255},
};

COLORREF GlyphPixel(COLORREF first, COLORREF second, int i) {
    const auto channel = [i](int a, int b) { return b - (b - a) * i / 255; };
    return RGB(channel(GetRValue(first), GetRValue(second)), channel(GetGValue(first), GetGValue(second)),
               channel(GetBValue(first), GetBValue(second)));
}

TEST(Office2003Theme, GlyphImagePixelForPixelFollowsTheScheme) {
    CPaintManagerRef ref(MakeTheme(kSchemeBlue, FALSE));
    auto* pTheme = static_cast<CTkOffice2003Theme*>(ref.Get());
    const auto check = [&](COLORREF first, COLORREF second, LPCSTR pszScheme) {
        ASSERT_EQ(ImageList_GetImageCount(pTheme->GetGlyphImage().GetSafeHandle()), 1) << pszScheme;
        CScopedMemDC dc(16, 16);
        Clear(dc);
        ImageList_Draw(pTheme->GetGlyphImage().GetSafeHandle(), 0, dc.GetSafeHdc(), 0, 0, ILD_TRANSPARENT);
        int nWrong = 0;
        for (int x = 0; x < 16; ++x) {
            for (int y = 0; y < 16; ++y) {
                const int i = kIntensities[x][y];
                const COLORREF expected = i == 255 ? kSentinel : GlyphPixel(first, second, i);
                if (PixelAt(dc, x, y) != expected && ++nWrong <= 5)
                    ADD_FAILURE() << pszScheme << " pixel " << x << "," << y << std::hex << ": 0x" << PixelAt(dc, x, y)
                                  << " expected 0x" << expected;
            }
        }
        EXPECT_EQ(nWrong, 0) << pszScheme;
    };
    check(RGB(227, 239, 254), RGB(129, 169, 226), "blue");
    // Rebuilt at every refresh: the classic colours now.
    pTheme->m_nColorScheme = kSchemeClassic;
    pTheme->RefreshMetrics();
    check(pTheme->LookupColor(41),
          CTkColorManager::BlendColors(pTheme->LookupColor(COLOR_WINDOW), pTheme->LookupColor(COLOR_BTNFACE), 550),
          "classic");

    // The popup's expand button shows it at (centre - 7, top + 1) above two chevrons; 18 high.
    CScopedMemDC dc(40, 20);
    Clear(dc);
    CTkControlButton button;
    button.SetRect(CRect(0, 0, 40, 18));
    EXPECT_EQ(pTheme->PaintExpandButton(nullptr, 1, &button, nullptr, FALSE, FALSE), CSize(0, 18));
    EXPECT_EQ(pTheme->PaintExpandButton(&dc, 1, &button, nullptr, TRUE, FALSE), CSize(0, 18));
    EXPECT_EQ(PixelAt(dc, 13 + 8, 1 + 15), GlyphPixel(pTheme->m_grcGlyph.m_firstColor.GetEffective(),
                                                      pTheme->m_grcGlyph.m_secondColor.GetEffective(), 0));
    EXPECT_EQ(PixelAt(dc, 13, 1), kSentinel) << "transparent corner";
    WritePng(dc, L"/tmp/office2003-expand-popup.png");
}

TEST(Office2003Theme, StateFacesAreGradientsUnderASchemeAndFlatOnClassic) {
    CPaintManagerRef blueRef(MakeTheme(kSchemeBlue, TRUE));
    CPaintManagerRef classicRef(MakeTheme(kSchemeClassic, TRUE));
    auto* pBlue = static_cast<CTkOffice2003Theme*>(blueRef.Get());
    auto* pClassic = static_cast<CTkOffice2003Theme*>(classicRef.Get());
    struct Row {
        LPCSTR pszCase;
        CTkOffice2003Theme* pTheme;
        int nSelected;
        int nPressed;
        BOOL bEnabled;
        int nChecked;
        BOOL bPopuped;
        int nType;
        int nPosition;
        int nFrame;
        const CTkPaintManagerColorGradient* pGradient;  // NULL: a flat fill
        int nFlat;
    };
    const int kTool = kBarTypeNormal;
    const Row rows[] = {
        {"hot", pBlue, 1, 0, TRUE, 0, FALSE, kTool, kBarTop, 32, &pBlue->m_grcHot, 0},
        {"pressed by the keyboard", pBlue, 0, 2, TRUE, 0, FALSE, kTool, kBarTop, 50, &pBlue->m_grcPushed, 0},
        {"checked at rest", pBlue, 0, 0, TRUE, 1, FALSE, kTool, kBarTop, 37, &pBlue->m_grcChecked, 0},
        {"checked and hot", pBlue, 1, 0, TRUE, 1, FALSE, kTool, kBarTop, 50, &pBlue->m_grcPushed, 0},
        {"third state at rest", pBlue, 0, 0, TRUE, 2, FALSE, kTool, kBarTop, 50, nullptr, 51},
        {"disabled, keyboard", pBlue, 2, 0, FALSE, 0, FALSE, kTool, kBarTop, 50, &pBlue->m_grcHot, 0},
        {"disabled, checked", pBlue, 0, 0, FALSE, 1, FALSE, kTool, kBarTop, 58, &pBlue->m_grcChecked, 0},
        {"hot on a left bar: across", pBlue, 1, 0, TRUE, 0, FALSE, kTool, kBarLeft, 32, &pBlue->m_grcHot, 0},
        {"popped up", pBlue, 1, 0, TRUE, 0, TRUE, kBarTypeMenuBar, kBarTop, 43, &pBlue->m_grcPoppedUp, 0},
        {"popup item", pBlue, 1, 0, TRUE, 0, FALSE, kBarTypePopup, kBarPopup, 32, nullptr, 31},
        {"classic", pClassic, 1, 0, TRUE, 0, FALSE, kTool, kBarTop, 32, nullptr, 31},
        {"classic, popped up", pClassic, 1, 0, TRUE, 0, TRUE, kTool, kBarTop, 43, &pClassic->m_grcPoppedUp, 0},
    };
    const CRect rc(0, 0, 40, 40);
    for (const Row& row : rows) {
        CScopedMemDC dc(40, 40);
        CScopedMemDC reference(40, 40);
        Clear(dc);
        row.pTheme->PaintStateRectangle(&dc, rc, row.nSelected, row.nPressed, row.bEnabled, row.nChecked, row.bPopuped,
                                        row.nType, row.nPosition);
        const BOOL bAcross = row.nPosition == kBarLeft;
        if (row.pGradient != nullptr)
            GetDrawHelpers()->FillColorGradient(&reference, &rc, *row.pGradient, bAcross, nullptr);
        else
            reference.FillSolidRect(&rc, PinnedColor(row.nFlat));
        EXPECT_EQ(PixelAt(dc, 0, 0), PinnedColor(row.nFrame)) << row.pszCase;
        EXPECT_EQ(PixelAt(dc, 39, 39), PinnedColor(row.nFrame)) << row.pszCase;
        for (int i : {1, 20, 38}) {
            const CPoint pt = bAcross ? CPoint(i, 20) : CPoint(20, i);
            EXPECT_TRUE(ColorsNear(PixelAt(reference, pt.x, pt.y), PixelAt(dc, pt.x, pt.y), 2))
                << row.pszCase << " at " << i;
        }
    }
    // The gradient's ends are the scheme's hot colours.
    CScopedMemDC dc(40, 40);
    pBlue->PaintStateRectangle(&dc, rc, 1, 0, TRUE, 0, FALSE, kTool, kBarTop);
    EXPECT_TRUE(ColorsNear(RGB(255, 242, 200), PixelAt(dc, 20, 1), 2));
    EXPECT_TRUE(ColorsNear(RGB(255, 212, 151), PixelAt(dc, 20, 38), 3));
}

// Bars in dock-bar windows of the fixture's site, painted by a theme with the real colours of a scheme.
class Office2003Bars : public OfficeThemeFixture {
protected:
    static constexpr DWORD kTopDock = 0x2800;
    static constexpr DWORD kRightDock = 0x4100;
    static constexpr int kDockWidth = 1000;

    void TearDown() override {
        for (CTkCommandBar* pBar : m_bars)
            pBar->InternalRelease();
        for (auto& pDock : m_docks)
            pDock->DestroyWindow();
        OfficeThemeFixture::TearDown();
    }
    CWnd* MakeDock(DWORD dwDockStyle, const CRect& rc) {
        m_docks.push_back(std::make_unique<CWnd>());
        CWnd* pDock = m_docks.back().get();
        EXPECT_TRUE(pDock->CreateEx(0, AfxRegisterWndClass(0), L"dock", WS_CHILD | dwDockStyle, rc.left, rc.top,
                                    rc.Width(), rc.Height(), m_pSite->GetSafeHwnd(), nullptr));
        return pDock;
    }
    CTkCommandBar* MakeBar(CWnd* pDock, int nType, int nPosition, const CRect& rc) {
        auto* pBar = new CTkCommandBar;
        pBar->SetCommandBars(m_pCommandBars);
        SetBarKind(pBar, nType, nPosition);
        EXPECT_TRUE(pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_CHILD, rc.left, rc.top, rc.Width(),
                                   rc.Height(), pDock->GetSafeHwnd(), nullptr));
        m_bars.push_back(pBar);
        return pBar;
    }
    // The dock gradient as the dock bar shows it: from its left, max(its width, half the screen) long.
    static void PaintDockReference(CScopedMemDC& dc, CTkOffice2003Theme* pTheme) {
        const CRect rc(0, 0, std::max(kDockWidth, ::GetSystemMetrics(SM_CXFULLSCREEN) / 2), dc.GetHeight());
        GetDrawHelpers()->FillColorGradient(&dc, &rc, pTheme->m_grcDock, TRUE, nullptr);
    }

    std::vector<std::unique_ptr<CWnd>> m_docks;
    std::vector<CTkCommandBar*> m_bars;
};

TEST_F(Office2003Bars, DockedBarsAndMenusUnderSchemeOneAndClassic) {
    for (int nScheme : {kSchemeBlue, kSchemeClassic}) {
        CPaintManagerRef ref(MakeTheme(nScheme, FALSE));
        auto* pTheme = static_cast<CTkOffice2003Theme*>(ref.Get());
        SetHubPaintManager(m_pCommandBars, pTheme);
        const COLORREF dock1 = pTheme->m_grcDock.m_firstColor.GetEffective();
        const COLORREF dock2 = pTheme->m_grcDock.m_secondColor.GetEffective();
        if (nScheme == kSchemeBlue) {
            EXPECT_EQ(dock1, RGB(158, 190, 245));
            EXPECT_EQ(dock2, RGB(196, 218, 250));
        }
        const int nHalf = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
        CScopedMemDC reference(std::max(kDockWidth, nHalf), 24);
        PaintDockReference(reference, pTheme);
        EXPECT_TRUE(ColorsNear(dock1, PixelAt(reference, 0, 5), 2)) << nScheme;
        EXPECT_TRUE(ColorsNear(dock2, PixelAt(reference, reference.GetWidth() - 1, 5), 2)) << nScheme;

        // The menu bar (flat) 100 pixels into the top dock bar continues its gradient.
        CWnd* pTop = MakeDock(kTopDock, CRect(0, 0, kDockWidth, 60));
        CTkCommandBar* pMenuBar = MakeBar(pTop, kBarTypeMenuBar, kBarTop, CRect(100, 0, 300, 24));
        CScopedMemDC dc(200, 24);
        Clear(dc);
        pTheme->FillBarBackground(&dc, pMenuBar);
        for (int x : {0, 99, 199})
            EXPECT_TRUE(ColorsNear(PixelAt(reference, 100 + x, 5), PixelAt(dc, x, 5), 2)) << nScheme << " x " << x;

        // Its items: one popped up (its popup open), one hot.
        auto* pFile = new CShownPopupControl(kControlPopup);
        pFile->SetCaption(L"&File");
        pMenuBar->GetControls()->Append(pFile);
        pFile->SetRect(CRect(2, 2, 40, 22));
        pFile->ShowOpen(TRUE);
        auto* pHelp = new CShownPopupControl(kControlPopup);
        pHelp->SetCaption(L"&Help");
        pMenuBar->GetControls()->Append(pHelp);
        pHelp->SetRect(CRect(40, 2, 80, 22));
        pHelp->SetSelected(1);
        pFile->Draw(&dc);
        pHelp->Draw(&dc);
        const COLORREF c43 = nScheme == kSchemeBlue ? RGB(0, 45, 150) : pTheme->LookupColor(43);
        const COLORREF c31 = nScheme == kSchemeBlue ? RGB(255, 238, 194) : pTheme->LookupColor(31);
        const COLORREF c32 = nScheme == kSchemeBlue ? RGB(0, 0, 128) : pTheme->LookupColor(32);
        EXPECT_EQ(PixelAt(dc, 2, 2), c43) << nScheme << ": popped-up frame";
        CScopedMemDC popped(200, 24);
        const CRect rcFile(2, 2, 40, 22);
        GetDrawHelpers()->FillColorGradient(&popped, &rcFile, pTheme->m_grcPoppedUp, FALSE, nullptr);
        for (int y : {3, 12, 20})
            EXPECT_TRUE(ColorsNear(PixelAt(popped, 20, y), PixelAt(dc, 20, y), 2)) << nScheme << " popped row " << y;
        EXPECT_TRUE(ColorsNear(pTheme->m_grcPoppedUp.m_firstColor.GetEffective(), PixelAt(popped, 20, 2), 2));
        EXPECT_EQ(PixelAt(dc, 40, 2), c32) << nScheme << ": hot frame";
        if (nScheme == kSchemeBlue) {
            CScopedMemDC hot(200, 24);
            const CRect rcHelp(40, 2, 80, 22);
            GetDrawHelpers()->FillColorGradient(&hot, &rcHelp, pTheme->m_grcHot, FALSE, nullptr);
            EXPECT_TRUE(ColorsNear(PixelAt(hot, 60, 3), PixelAt(dc, 60, 3), 2)) << "hot gradient";
            EXPECT_TRUE(ColorsNear(RGB(255, 242, 200), PixelAt(hot, 60, 2), 2));
        } else
            EXPECT_EQ(PixelAt(dc, 60, 3), c31) << "flat hot face";
        WritePng(dc,
                 nScheme == kSchemeBlue ? L"/tmp/office2003-menubar-blue.png" : L"/tmp/office2003-menubar-classic.png");

        // A toolbar in the same dock bar: the face gradient right of three columns of dock, a shadow below.
        CTkCommandBar* pToolBar = MakeBar(pTop, kBarTypeNormal, kBarTop, CRect(300, 24, 400, 50));
        CScopedMemDC tool(100, 26);
        Clear(tool);
        pTheme->FillBarBackground(&tool, pToolBar);
        EXPECT_TRUE(ColorsNear(PixelAt(reference, 301, 5), PixelAt(tool, 1, 12), 2)) << nScheme;
        EXPECT_TRUE(ColorsNear(pTheme->m_grcBarFace.m_firstColor.GetEffective(), PixelAt(tool, 10, 1), 3)) << nScheme;
        EXPECT_EQ(PixelAt(tool, 5, 25), pTheme->m_clrBarShadow.GetEffective()) << nScheme;
        EXPECT_EQ(PixelAt(tool, 97, 25), pTheme->m_clrBarShadow.GetEffective()) << nScheme;
        EXPECT_NE(PixelAt(tool, 98, 25), pTheme->m_clrBarShadow.GetEffective()) << nScheme;
        WritePng(tool,
                 nScheme == kSchemeBlue ? L"/tmp/office2003-toolbar-blue.png" : L"/tmp/office2003-toolbar-classic.png");

        // The dock bar itself shows the same gradient; the right dock bar is one colour: the gradient's end.
        CTkDockBar topDock;
        ASSERT_TRUE(topDock.Create(m_pSite, WS_CHILD | kTopDock, 59419));
        topDock.MoveWindow(0, 0, kDockWidth, 24);
        CScopedMemDC dockDC(kDockWidth, 24);
        Clear(dockDC);
        pTheme->FillDockBarBackground(&dockDC, &topDock);
        for (int x : {0, 500, kDockWidth - 1})
            EXPECT_TRUE(ColorsNear(PixelAt(reference, x, 5), PixelAt(dockDC, x, 5), 2)) << nScheme << " x " << x;
        CTkDockBar rightDock;
        ASSERT_TRUE(rightDock.Create(m_pSite, WS_CHILD | kRightDock, 59421));
        rightDock.MoveWindow(0, 0, 30, 100);
        CScopedMemDC rightDockDC(30, 100);
        Clear(rightDockDC);
        pTheme->FillDockBarBackground(&rightDockDC, &rightDock);
        EXPECT_EQ(PixelAt(rightDockDC, 0, 0), dock2) << nScheme;
        EXPECT_EQ(PixelAt(rightDockDC, 29, 99), dock2) << nScheme;
        topDock.DestroyWindow();
        rightDock.DestroyWindow();

        CWnd* pRight = MakeDock(kRightDock, CRect(900, 60, 930, 400));
        CTkCommandBar* pRightBar = MakeBar(pRight, kBarTypeNormal, kBarRight, CRect(0, 0, 26, 120));
        CScopedMemDC right(26, 120);
        Clear(right);
        pTheme->FillBarBackground(&right, pRightBar);
        EXPECT_EQ(PixelAt(right, 12, 1), dock2) << nScheme;

        // A popup: background 41 framed 43, a hot item 31 framed 32.
        auto* pPopup = CTkPopupBar::CreatePopupBar(m_pCommandBars);
        ASSERT_TRUE(CreateBarWindow(pPopup, m_pSite, CRect(0, 0, 120, 60)));
        m_bars.push_back(pPopup);
        CTkControlButton* pItem = new CTkControlButton;
        pItem->SetType(kControlButton);
        pItem->SetCaption(L"&Open");
        pPopup->GetControls()->Append(pItem);
        pItem->SetRect(CRect(2, 2, 118, 26));
        pItem->SetSelected(1);
        CScopedMemDC popup(120, 60);
        Clear(popup);
        pTheme->FillBarBackground(&popup, pPopup);
        pItem->Draw(&popup);
        const COLORREF c41 = nScheme == kSchemeBlue ? RGB(246, 246, 246) : pTheme->LookupColor(41);
        EXPECT_EQ(PixelAt(popup, 0, 0), c43) << nScheme;
        EXPECT_EQ(PixelAt(popup, 60, 40), c41) << nScheme;
        EXPECT_EQ(PixelAt(popup, 2, 2), c32) << nScheme;
        EXPECT_EQ(PixelAt(popup, 110, 5), c31) << nScheme;
        WritePng(popup,
                 nScheme == kSchemeBlue ? L"/tmp/office2003-popup-blue.png" : L"/tmp/office2003-popup-classic.png");
        SetHubPaintManager(m_pCommandBars, nullptr);
    }
}

TEST_F(ThemeFixture, TheFactoryKnowsTheOfficeThemesAsOneAndTwo) {
    CTkPaintManager::ActivateTheme(kThemeOffice2003);
    CTkPaintManager* pCurrent = CTkPaintManager::GetCurrentPaintManager();
    EXPECT_EQ(pCurrent->GetThemeNumber(), kThemeOffice2003);
    EXPECT_EQ(pCurrent->m_nThemeNumber, kThemeOffice2003);
    EXPECT_NE(dynamic_cast<CTkOffice2003Theme*>(pCurrent), nullptr);
    EXPECT_GT(pCurrent->m_nControlHeight, 0) << "refreshed at installation";
    CTkPaintManager::ActivateTheme(kThemeOffice);
    EXPECT_EQ(CTkPaintManager::GetCurrentPaintManager()->GetThemeNumber(), kThemeOffice);
    EXPECT_EQ(dynamic_cast<CTkOffice2003Theme*>(CTkPaintManager::GetCurrentPaintManager()), nullptr);
    CTkPaintManager::ReleaseCurrent();
}

}  // namespace
