// The theme factory and the current paint manager: numbers to classes, installation and its references,
// the lookup chain, the registries of themes and sub painters; and the animations, run with no time.

#include "ThemeTestSupport.h"
#include "TkOffice2003Theme.h"
#include "TkOffice2007Theme.h"
#include "TkColorManager.h"
#include "TkControlGalleryPaintManager.h"
#include "TkControlTabWorkspace.h"
#include "TkNativeXPTheme.h"
#include "TkPopupBar.h"
#include "TkProgressPaintManager.h"
#include "TkRibbonTheme.h"
#include "TkShadowManager.h"
#include "TkSliderPaintManager.h"
#include "TkStatusBarParts.h"
#include "TkVisualStudio2008Theme.h"
#include "TkWhidbeyTheme.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <typeinfo>

namespace {

// A default theme answering another number, standing for a theme whose code registers later; its freed
// memory is poisoned and never reused, and it counts refreshes and destructions.
class CStandInTheme : public CTkDefaultTheme {
public:
    ~CStandInTheme() override { ++s_nDestroyed; }
    int GetThemeNumber() const override { return kThemeOffice2003; }
    void RefreshMetrics() override {
        CTkDefaultTheme::RefreshMetrics();
        ++m_nRefreshed;
    }
    static void* operator new(size_t nSize) {
        void* p = std::malloc(nSize);
        if (p == nullptr)
            throw std::bad_alloc();
        return p;
    }
    static void operator delete(void* p, size_t nSize) { std::memset(p, 0xDD, nSize); }
    static CTkPaintManager* Create() { return new CStandInTheme; }

    int m_nRefreshed = 0;
    static int s_nDestroyed;
};
int CStandInTheme::s_nDestroyed = 0;

// Every case starts and ends without a current paint manager, and starts without the Office themes'
// creators; the ribbon theme is registered as an application registers it, with the tab classes.
class ThemeFactory : public ThemeFixture {
protected:
    void SetUp() override {
        ThemeFixture::SetUp();
        CTkPaintManager::ReleaseCurrent();
        RegisterTabClasses();
        // The Office themes are known from the start; these cases judge a factory without them.
        CTkPaintManager::RegisterThemeCreator(kThemeOffice, nullptr);
        CTkPaintManager::RegisterThemeCreator(kThemeOffice2003, nullptr);
        CStandInTheme::s_nDestroyed = 0;
    }
    void TearDown() override {
        CTkPaintManager::ReleaseCurrent();
        CTkPaintManager::RegisterThemeCreator(kThemeOffice, CTkOfficeTheme::Create);
        CTkPaintManager::RegisterThemeCreator(kThemeOffice2003, CTkOffice2003Theme::Create);
        ThemeFixture::TearDown();
    }
};

TEST_F(ThemeFactory, EveryNumberWithoutAThemeGetsTheDefaultLookAndKeepsItsNumber) {
    constexpr int kPending = -1;  // 1..7: made by the theme's own code once it registers
    struct Row {
        int nTheme;
        int nMadeAs;  // the number of the class made
    };
    // Numbers 1..7 without their creators: the Office themes' were removed for these cases. Native XP,
    // Whidbey, Office 2007 and Visual Studio 2008 live beside the factory; 6 comes with the tab classes.
    const Row rows[] = {{0, kThemeDefault}, {1, kPending},         {2, kPending},      {3, kThemeNativeXP},
                        {4, kThemeWhidbey}, {5, kThemeOffice2007}, {6, kThemeRibbon},  {7, kThemeVisualStudio2008},
                        {8, kThemeDefault}, {9, kThemeDefault},    {-1, kThemeDefault}};
    for (const Row& row : rows) {
#ifndef NDEBUG
        if (row.nMadeAs == kPending)
            continue;  // a number without its creator asserts in debug builds
#endif
        CPaintManagerRef theme(CTkPaintManager::CreateThemeByNumber(row.nTheme));
        EXPECT_EQ(theme->GetThemeNumber(), row.nMadeAs == kPending ? kThemeDefault : row.nMadeAs) << row.nTheme;
        EXPECT_EQ(theme->m_nThemeNumber, row.nTheme);
    }
    CTkPaintManager::RegisterThemeCreator(kThemeOffice2003, CStandInTheme::Create);
    CPaintManagerRef registered(CTkPaintManager::CreateThemeByNumber(kThemeOffice2003));
    EXPECT_EQ(registered->GetThemeNumber(), kThemeOffice2003);
    EXPECT_EQ(registered->m_nThemeNumber, kThemeOffice2003);
    EXPECT_EQ(static_cast<CStandInTheme*>(registered.Get())->m_nRefreshed, 0) << "made, not refreshed";
}

TEST_F(ThemeFactory, TheBuiltInNumbersActivateTheirClasses) {
    struct Row {
        int nTheme;
        const std::type_info& type;
    };
    const Row rows[] = {{kThemeNativeXP, typeid(CTkNativeXPTheme)},
                        {kThemeWhidbey, typeid(CTkWhidbeyTheme)},
                        {kThemeOffice2007, typeid(CTkOffice2007Theme)},
                        {kThemeRibbon, typeid(CTkRibbonTheme)},
                        {kThemeVisualStudio2008, typeid(CTkVisualStudio2008Theme)}};
    for (const Row& row : rows) {
        CTkPaintManager::ActivateTheme(row.nTheme);
        CTkPaintManager* pCurrent = CTkPaintManager::GetCurrentPaintManager();
        EXPECT_EQ(typeid(*pCurrent), row.type) << row.nTheme;
        EXPECT_EQ(pCurrent->GetThemeNumber(), row.nTheme);
        EXPECT_EQ(pCurrent->m_nThemeNumber, row.nTheme);
    }
}

TEST_F(ThemeFactory, InstallingRecordsEightActivatingTheNumberAndTheOldOneIsReleased) {
    CTkPaintManager::RegisterThemeCreator(kThemeOffice2003, CStandInTheme::Create);
    CTkPaintManager::ActivateTheme(kThemeOffice2003);
    auto* pFirst = static_cast<CStandInTheme*>(CTkPaintManager::GetCurrentPaintManager());
    EXPECT_EQ(pFirst->m_nThemeNumber, kThemeOffice2003);
    EXPECT_EQ(pFirst->m_nRefreshed, 1);
    EXPECT_GT(pFirst->m_nControlHeight, 0) << "refreshed at installation";
    // An object the application made: recorded as 8; the previous object loses its last reference.
    auto* pMine = new CStandInTheme;
    CTkPaintManager::InstallPaintManager(pMine);
    EXPECT_EQ(CTkPaintManager::GetCurrentPaintManager(), pMine);
    EXPECT_EQ(pMine->m_nThemeNumber, kThemeCustom);
    EXPECT_EQ(pMine->m_nRefreshed, 1);
    EXPECT_EQ(CStandInTheme::s_nDestroyed, 1);
    // A number outside 0..7 is recorded as it is, with the default look.
    CTkPaintManager::ActivateTheme(9);
    EXPECT_EQ(CStandInTheme::s_nDestroyed, 2);
    EXPECT_EQ(CTkPaintManager::GetCurrentPaintManager()->m_nThemeNumber, 9);
    EXPECT_EQ(CTkPaintManager::GetCurrentPaintManager()->GetThemeNumber(), kThemeDefault);
}

TEST_F(ThemeFactory, InstallingTheCurrentObjectAgainKeepsItAndRefreshesIt) {
    auto* pTheme = new CStandInTheme;
    CTkPaintManager::InstallPaintManager(pTheme);
    pTheme->m_nThemeNumber = 3;
    CTkPaintManager::InstallPaintManager(pTheme);
    ASSERT_EQ(CStandInTheme::s_nDestroyed, 0);
    EXPECT_EQ(CTkPaintManager::GetCurrentPaintManager(), pTheme);
    EXPECT_EQ(pTheme->m_nRefreshed, 2);
    EXPECT_EQ(pTheme->m_nThemeNumber, kThemeCustom);
    EXPECT_EQ(pTheme->LookupColor(COLOR_WINDOW), GetColorManager()->GetColor(COLOR_WINDOW));
    CTkPaintManager::ReleaseCurrent();
    EXPECT_EQ(CStandInTheme::s_nDestroyed, 1);
}

TEST_F(ThemeFactory, TheFirstLookupMakesTheDefaultThemeAndOwnPaintManagersWin) {
    CTkControlButton* pControl = AddButton(kControlButton, L"x", kButtonCaption);
    // The hub's own paint manager serves its bars and controls.
    EXPECT_EQ(m_pBar->GetPaintManager(), m_pTheme);
    EXPECT_EQ(pControl->GetPaintManager(), m_pTheme);
    // Without one, the first lookup makes the current paint manager: theme 0.
    SetHubPaintManager(m_pCommandBars, nullptr);
    CTkPaintManager* pCurrent = pControl->GetPaintManager();
    ASSERT_NE(pCurrent, nullptr);
    EXPECT_EQ(pCurrent->GetThemeNumber(), kThemeDefault);
    EXPECT_EQ(pCurrent->m_nThemeNumber, kThemeDefault);
    EXPECT_EQ(CTkPaintManager::GetCurrentPaintManager(), pCurrent);
    EXPECT_EQ(m_pBar->GetPaintManager(), pCurrent);
    // A bar whose hub holds its own paint manager keeps its look when another theme is activated.
    SetHubPaintManager(m_pCommandBars, m_pTheme);
    CTkPaintManager::RegisterThemeCreator(kThemeOffice2003, CStandInTheme::Create);
    CTkPaintManager::ActivateTheme(kThemeOffice2003);
    EXPECT_EQ(CTkPaintManager::GetCurrentPaintManager()->GetThemeNumber(), kThemeOffice2003);
    EXPECT_EQ(pControl->GetPaintManager(), m_pTheme);
    EXPECT_EQ(m_pTheme->LookupColor(COLOR_WINDOW), PinnedColor(COLOR_WINDOW)) << "still alive";
}

// A sub painter that counts what its owner asks of it.
class CCountingSubPainter : public CTkSubPaintManager {
public:
    explicit CCountingSubPainter(CTkPaintManager* pOwner) : m_pOwner(pOwner) { ++s_nMade; }
    ~CCountingSubPainter() override { ++s_nDeleted; }
    void RefreshMetrics() override { ++s_nRefreshed; }
    static CTkSubPaintManager* Create(CTkPaintManager* pOwner) { return new CCountingSubPainter(pOwner); }

    CTkPaintManager* m_pOwner;
    static int s_nMade;
    static int s_nRefreshed;
    static int s_nDeleted;
};
int CCountingSubPainter::s_nMade = 0;
int CCountingSubPainter::s_nRefreshed = 0;
int CCountingSubPainter::s_nDeleted = 0;

TEST(SubPaintManagers, MadeByTheirRegisteredCreatorRefreshedAndDeletedWithTheirOwner) {
    {
        // The controls register the gallery, slider and progress painters.
        CPaintManagerRef theme(new CTkDefaultTheme);
        EXPECT_NE(dynamic_cast<CTkSliderPaintManager*>(theme->m_pSliderPaintManager), nullptr);
        EXPECT_NE(dynamic_cast<CTkProgressPaintManager*>(theme->m_pProgressPaintManager), nullptr);
        EXPECT_NE(dynamic_cast<CTkControlGalleryPaintManager*>(theme->m_pGalleryPaintManager), nullptr);
    }
    CTkPaintManager::RegisterSubPaintManagerCreator(kSubPaintGallery, nullptr);
    CTkPaintManager::RegisterSubPaintManagerCreator(kSubPaintSlider, nullptr);
    CTkPaintManager::RegisterSubPaintManagerCreator(kSubPaintProgress, nullptr);
    {
        CPaintManagerRef theme(new CTkDefaultTheme);
        EXPECT_EQ(theme->m_pSliderPaintManager, nullptr);
        theme->RefreshMetrics();  // no sub painter: nothing to refresh
    }
    CTkPaintManager::RegisterSubPaintManagerCreator(kSubPaintSlider, CCountingSubPainter::Create);
    {
        CPaintManagerRef theme(new CTkDefaultTheme);
        ASSERT_NE(theme->m_pSliderPaintManager, nullptr);
        EXPECT_EQ(static_cast<CCountingSubPainter*>(theme->m_pSliderPaintManager)->m_pOwner, theme.Get());
        EXPECT_EQ(theme->m_pGalleryPaintManager, nullptr);
        EXPECT_EQ(theme->m_pProgressPaintManager, nullptr);
        theme->RefreshMetrics();
        EXPECT_EQ(CCountingSubPainter::s_nRefreshed, 1);
    }
    EXPECT_EQ(CCountingSubPainter::s_nMade, 1);
    EXPECT_EQ(CCountingSubPainter::s_nDeleted, 1);
    CTkPaintManager::RegisterSubPaintManagerCreator(kSubPaintGallery, CTkControlGalleryPaintManager::Create);
    CTkPaintManager::RegisterSubPaintManagerCreator(kSubPaintSlider, CTkSliderPaintManager::Create);
    CTkPaintManager::RegisterSubPaintManagerCreator(kSubPaintProgress, CTkProgressPaintManager::Create);
}

TEST(Animations, UnfoldAndSlideEndOnTheImageAndFadeBlendsEachStep) {
    CPaintManagerRef theme(new CTkDefaultTheme);
    theme->m_nAnimationTime = 0;
    theme->m_nAnimationSteps = 4;
    CScopedMemDC image(20, 10);
    image.FillSolidRect(0, 0, 10, 10, RGB(200, 0, 0));
    image.FillSolidRect(10, 0, 10, 10, RGB(0, 0, 200));
    image.FillSolidRect(0, 9, 20, 1, RGB(0, 200, 0));
    const CRect rc(0, 0, 20, 10);
    for (int nKind : {2, 3}) {
        CScopedMemDC window(20, 10);
        window.FillSolidRect(0, 0, 20, 10, RGB(9, 9, 9));
        theme->AnimatePopup(&window, &image, rc, nKind);
        for (const CPoint& pt : {CPoint(0, 0), CPoint(19, 0), CPoint(5, 9), CPoint(15, 4)})
            EXPECT_EQ(PixelAt(window, pt.x, pt.y), PixelAt(image, pt.x, pt.y)) << nKind << " " << pt.x << "," << pt.y;
    }
    // Two steps of fade: one blend at 255 x 1 / 2 over the old screen; the caller draws the end.
    theme->m_nAnimationSteps = 2;
    CScopedMemDC window(20, 10);
    window.FillSolidRect(0, 0, 20, 10, RGB(0, 100, 0));
    theme->AnimatePopup(&window, &image, rc, 4);
    EXPECT_EQ(PixelAt(window, 0, 0), RGB(200 * 127 / 256, 100 * 128 / 256, 0));
    // Other kinds do nothing.
    window.FillSolidRect(0, 0, 20, 10, RGB(9, 9, 9));
    theme->AnimatePopup(&window, &image, rc, 1);
    EXPECT_EQ(PixelAt(window, 0, 0), RGB(9, 9, 9));
}

TEST_F(ThemeFixture, MenuExpansionEndsOnTheExpandedImage) {
    m_pTheme->m_nAnimationTime = 0;
    m_pTheme->m_nAnimationSteps = 3;
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    auto* pPopupBar = CTkPopupBar::CreatePopupBar(m_pCommandBars);
    ASSERT_TRUE(CreateBarWindow(pPopupBar, m_pSite));
    for (int i = 0; i < 3; ++i) {
        auto* pControl = new CTkControlButton;
        pControl->SetRarelyUsed(i == 1);
        pControl->SetRect(CRect(0, 2 + 10 * i, rcClient.Width(), 12 + 10 * i));
        pPopupBar->GetControls()->Append(pControl);
    }
    CScopedMemDC image(rcClient.Width(), rcClient.Height());
    for (int y = 0; y < rcClient.Height(); ++y)
        image.FillSolidRect(0, y, rcClient.Width(), 1, RGB(y * 5, 0, 255 - y * 5));
    for (BOOL bDown : {TRUE, FALSE}) {
        CScopedMemDC window(rcClient.Width(), rcClient.Height());
        window.FillSolidRect(0, 0, rcClient.Width(), rcClient.Height(), RGB(9, 9, 9));
        m_pTheme->AnimateMenuExpand(pPopupBar, &window, &image, bDown);
        for (int y = 0; y < rcClient.Height(); y += 3)
            EXPECT_EQ(PixelAt(window, 5, y), PixelAt(image, 5, y)) << bDown << " row " << y;
    }
    pPopupBar->InternalRelease();
}

TEST(StatusParts, PaneTextColoursAndSwitchWidths) {
    CPaintManagerRef theme(new CTkDefaultTheme);
    PinTheme(theme.Get());
    CTkStatusBar bar;
    CTkStatusBarPane pane;
    pane.pStatusBar = &bar;
    pane.strText = L"Ready";
    CScopedMemDC dc(60, 20);
    struct Row {
        BOOL bEnabled;
        COLORREF clrOwn;
        COLORREF expected;
    };
    const Row rows[] = {
        {TRUE, kColorUnset, theme->m_clrStatusText},
        {TRUE, RGB(5, 6, 7), RGB(5, 6, 7)},
        {FALSE, RGB(5, 6, 7), PinnedColor(COLOR_GRAYTEXT)},
    };
    EXPECT_EQ(theme->m_clrStatusText, PinnedColor(COLOR_BTNTEXT)) << "without the STATUS style";
    for (const Row& row : rows) {
        pane.bEnabled = row.bEnabled;
        pane.clrText = row.clrOwn;
        theme->PaintStatusPane(&dc, CRect(0, 0, 60, 20), &pane);
        EXPECT_EQ(dc.GetTextColor(), row.expected) << row.bEnabled;
    }
    // A background fills inside the pane's border, or all of it without borders.
    dc.FillSolidRect(0, 0, 60, 20, RGB(1, 2, 3));
    pane.clrBackground = RGB(0, 90, 0);
    pane.strText.Empty();
    theme->PaintStatusPane(&dc, CRect(0, 0, 60, 20), &pane);
    EXPECT_EQ(PixelAt(dc, 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(PixelAt(dc, 1, 1), RGB(0, 90, 0));
    pane.bNoBorders = TRUE;
    theme->PaintStatusPane(&dc, CRect(0, 0, 60, 20), &pane);
    EXPECT_EQ(PixelAt(dc, 0, 0), RGB(0, 90, 0));
    // Measuring switches gives each item 18 pixels.
    pane.switches.resize(3);
    EXPECT_EQ(theme->PaintStatusSwitches(nullptr, CRect(), &pane), 54);
    EXPECT_EQ(pane.switches[2].nWidth, 18);
}

}  // namespace
