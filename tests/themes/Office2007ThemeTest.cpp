// The Office 2007 theme: its settings and fixed colours, the look's named colours in their places, the
// themed frame (borders, caption, caption buttons, region, icons), the workspace, and the progress,
// slider and gallery painters, with no look and with the tests' look (fixtures/Office2007ThemeLook.rc).

#include "DibPixels.h"
#include "ThemeTestSupport.h"
#include "TkControlGallery.h"
#include "TkControlGalleryOffice2007Theme.h"
#include "TkOffice2007Images.h"
#include "TkOffice2007Theme.h"
#include "TkProgressBase.h"
#include "TkProgressOffice2007Theme.h"
#include "TkScrollBase.h"
#include "TkShadowManager.h"
#include "TkSliderOffice2007Theme.h"
#include "TkThemedFrameHook.h"

#include <thread>

namespace {

constexpr COLORREF kSentinel = RGB(1, 254, 3);

HMODULE LookModule() {
    static HMODULE s_hModule = ::LoadLibraryW(L"Office2007ThemeLook.dll");
    return s_hModule;
}

class CTestProgress : public CTkProgressBase {
public:
    explicit CTestProgress(const CRect& rc) : m_rc(rc) {}
    CRect GetProgressRect() override { return m_rc; }
    void RedrawProgress() override {}
    CTkProgressPaintManager* GetProgressPaintManager() override { return nullptr; }
    CRect m_rc;
};

// A horizontal slider over 0..100 at 50 in a rectangle, drawn by a given painter.
class CTestSlider : public CTkScrollBase {
public:
    CTestSlider(CTkScrollBarPaintManager* pPainter, const CRect& rc) : m_pPainter(pPainter), m_rc(rc) {
        m_geometry.bVertical = FALSE;
        UpdateScrollBarInfo();
    }
    BOOL IsScrollBarEnabled() const override { return TRUE; }
    CWnd* GetParentWindow() const override { return nullptr; }
    CRect GetScrollBarRect() override { return m_rc; }
    void GetScrollInfo(SCROLLINFO* pInfo) override {
        pInfo->nMin = 0;
        pInfo->nMax = 100;
        pInfo->nPage = 0;
        pInfo->nPos = 50;
    }
    void DoScroll(int, int) override {}
    void RedrawScrollBar() override {}
    CTkScrollBarPaintManager* GetScrollBarPaintManager() const override { return m_pPainter; }

    CTkScrollBarPaintManager* m_pPainter;
    CRect m_rc;
};

// Every pixel of the DC still the sentinel.
::testing::AssertionResult AllSentinel(const CScopedMemDC& dc) {
    for (int y = 0; y < dc.GetHeight(); ++y) {
        for (int x = 0; x < dc.GetWidth(); ++x) {
            if (PixelAt(dc, x, y) != kSentinel)
                return ::testing::AssertionFailure() << "drawn at " << x << ", " << y;
        }
    }
    return ::testing::AssertionSuccess();
}

// A theme made and refreshed with the look module set (or none), the look dropped again at the end.
class Office2007Fixture : public ::testing::Test {
protected:
    void SetUpTheme(BOOL bLook) {
        ASSERT_EQ(GetOffice2007Images()->SetResourceModule(bLook ? LookModule() : nullptr), bLook);
        m_pTheme = new CTkOffice2007Theme;
        m_pTheme->RefreshMetrics();
    }
    void TearDown() override {
        if (m_pTheme != nullptr)
            m_pTheme->InternalRelease();
        GetOffice2007Images()->SetResourceModule(nullptr);
    }
    CTkOffice2007Theme* m_pTheme = nullptr;
};

// A frame window with a hook whose paint manager is the theme.
class CThemedFrame {
public:
    CThemedFrame(CTkPaintManager* pTheme, DWORD dwStyle) {
        m_pFrame = new CFrameWnd;
        m_pFrame->CreateEx(0, AfxRegisterWndClass(0), L"Calls", dwStyle, 0, 0, 200, 120, nullptr, nullptr);
        m_pHook = new CTkThemedFrameHook(m_pFrame->GetSafeHwnd(), nullptr, nullptr);
        m_pHook->SetPaintManager(pTheme);
    }
    ~CThemedFrame() {
        delete m_pHook;
        m_pFrame->DestroyWindow();
    }
    CSize WindowSize() const {
        CRect rc;
        m_pFrame->GetWindowRect(&rc);
        return rc.Size();
    }
    int Border() const {
        CRect rcWindow, rcClient;
        m_pFrame->GetWindowRect(&rcWindow);
        m_pFrame->GetClientRect(&rcClient);
        m_pFrame->ClientToScreen(&rcClient);
        return rcClient.left - rcWindow.left;
    }
    CFrameWnd* m_pFrame;
    CTkThemedFrameHook* m_pHook;
};

TEST_F(Office2007Fixture, WithoutALookNamedColoursAreUnsetFixedOnesSetAndNothingIsDrawn) {
    SetUpTheme(FALSE);
    EXPECT_EQ(m_pTheme->GetThemeNumber(), kThemeOffice2007);
    EXPECT_EQ(m_pTheme->GetShadowManager()->GetOptions(), 3);
    EXPECT_TRUE(m_pTheme->m_bStatusVisualStyle);
    EXPECT_TRUE(m_pTheme->m_bNarrowDropDownSpacing);
    EXPECT_FALSE(m_pTheme->m_bMergeFrameStatusBar);
    EXPECT_TRUE(m_pTheme->m_bLunaColors);
    EXPECT_NE(dynamic_cast<CTkControlGalleryOffice2007Theme*>(m_pTheme->m_pGalleryPaintManager), nullptr);
    EXPECT_NE(dynamic_cast<CTkSliderOffice2007Theme*>(m_pTheme->m_pSliderPaintManager), nullptr);
    auto* pProgressPainter = dynamic_cast<CTkProgressOffice2007Theme*>(m_pTheme->m_pProgressPaintManager);
    ASSERT_NE(pProgressPainter, nullptr);
    EXPECT_EQ(pProgressPainter->m_nDefaultHeight, 12);
    EXPECT_GE(m_pTheme->GetFrameCaptionHeight(), 18);
    EXPECT_EQ(m_pTheme->GetFrameCaptionHeight(), std::max(::GetSystemMetrics(SM_CYCAPTION) + 1, 18));

    for (int nIndex : {12, 30, 31, 32, 33, 36, 37, 38, 39, 40, 43, 50, 51, 53, 54, 56, 61})
        EXPECT_EQ(m_pTheme->m_colors[nIndex].m_standardValue, kColorUnset) << nIndex;
    EXPECT_EQ(m_pTheme->m_clrMenuBarText, kColorUnset);
    EXPECT_EQ(m_pTheme->m_clrFrameBorderActive[0], kColorUnset);
    EXPECT_EQ(m_pTheme->m_grcBarFace.m_firstColor.GetEffective(), kColorUnset);
    const struct {
        int nIndex;
        COLORREF clr;
    } fixed[] = {{41, RGB(246, 246, 246)},
                 {44, 0},
                 {45, 0},
                 {46, 0},
                 {47, 0},
                 {35, RGB(141, 141, 141)},
                 {58, RGB(141, 141, 141)},
                 {60, RGB(141, 141, 141)}};
    for (const auto& row : fixed)
        EXPECT_EQ(m_pTheme->m_colors[row.nIndex].m_standardValue, row.clr) << row.nIndex;

    CScopedMemDC dc(120, 80);
    ASSERT_TRUE(dc.IsValid());
    dc.FillSolidRect(0, 0, 120, 80, kSentinel);
    m_pTheme->FillWorkspace(&dc, CRect(0, 0, 120, 80));
    m_pTheme->PaintFrameCaptionButton(&dc, CRect(10, 10, 30, 30), SC_CLOSE, TRUE, TRUE, TRUE);
    CTestProgress progress(CRect(0, 0, 100, 12));
    progress.m_nPos = 50;
    pProgressPainter->DrawProgress(&dc, &progress);
    CTkControlGallery* pGallery = new CTkControlGallery;
    pGallery->SetShowBorders(TRUE);
    static_cast<CTkControlGalleryPaintManager*>(m_pTheme->m_pGalleryPaintManager)
        ->FillGalleryBackground(&dc, pGallery, CRect(0, 0, 60, 40));
    pGallery->InternalRelease();
    auto* pSliderPainter = static_cast<CTkScrollBarPaintManager*>(m_pTheme->m_pSliderPaintManager);
    CTestSlider slider(pSliderPainter, CRect(0, 40, 120, 60));
    pSliderPainter->DrawScrollBar(&dc, &slider);
    EXPECT_TRUE(AllSentinel(dc));

    // A frame without a system menu (so without an icon): neither borders nor caption.
    CThemedFrame frame(m_pTheme, WS_CAPTION | WS_THICKFRAME);
    const CSize size = frame.WindowSize();
    CScopedMemDC frameDC(size.cx, size.cy);
    frameDC.FillSolidRect(0, 0, size.cx, size.cy, kSentinel);
    m_pTheme->PaintFrame(&frameDC, frame.m_pHook);
    EXPECT_TRUE(AllSentinel(frameDC));
}

TEST(Office2007Theme, CaptionButtonGlyphsByCommandWidthAndState) {
    const struct {
        UINT nCommand;
        int nWidth;
        LPCWSTR pszName;
    } names[] = {{SC_CLOSE, 14, L"FRAMECAPTIONCLOSE13"},       {SC_MINIMIZE, 15, L"FRAMECAPTIONMINIMIZE17"},
                 {SC_MAXIMIZE, 26, L"FRAMECAPTIONMAXIMIZE17"}, {SC_RESTORE, 27, L"FRAMECAPTIONRESTORE23"},
                 {SC_CLOSE, 1, L"FRAMECAPTIONCLOSE13"},        {0, 40, L"FRAMECAPTIONRESTORE23"}};
    for (const auto& row : names)
        EXPECT_EQ(CTkOffice2007Theme::GetCaptionGlyphName(row.nCommand, row.nWidth), row.pszName) << row.nWidth;

    const struct {
        BOOL bHot, bPressed, bEnabled;
        int nState;
    } states[] = {{FALSE, FALSE, TRUE, 0}, {TRUE, FALSE, TRUE, 1}, {FALSE, TRUE, TRUE, 1},
                  {TRUE, TRUE, TRUE, 2},   {TRUE, TRUE, FALSE, 3}, {FALSE, FALSE, FALSE, 3}};
    for (const auto& row : states)
        EXPECT_EQ(CTkOffice2007Theme::GetCaptionButtonState(row.bHot, row.bPressed, row.bEnabled), row.nState)
            << row.bHot << row.bPressed << row.bEnabled;

    // The gallery's button column: disabled first, then the button's own press or hover, then another's.
    const struct {
        BOOL bEnabled;
        int nPart, nHot, nPressed, nState;
    } buttons[] = {{FALSE, kScrollPartFirstArrow, kScrollPartFirstArrow, kScrollPartNone, 4},
                   {TRUE, kScrollPartFirstArrow, kScrollPartNone, kScrollPartFirstArrow, 3},
                   {TRUE, kScrollPartFirstArrow, kScrollPartFirstArrow, kScrollPartNone, 2},
                   {TRUE, kScrollPartFirstArrow, kScrollPartExtraButton, kScrollPartNone, 1},
                   {TRUE, kScrollPartFirstArrow, kScrollPartNone, kScrollPartSecondArrow, 1},
                   {TRUE, kScrollPartFirstArrow, kScrollPartNone, kScrollPartNone, 0}};
    for (const auto& row : buttons)
        EXPECT_EQ(CTkControlGalleryOffice2007Theme::GetButtonState(row.bEnabled, row.nPart, row.nHot, row.nPressed),
                  row.nState);
}

TEST_F(Office2007Fixture, TheLooksColoursLandInTheirPlaces) {
    SetUpTheme(TRUE);
    CTkOffice2007Theme& t = *m_pTheme;
    const struct {
        COLORREF actual;
        COLORREF expected;
        LPCSTR pszWhat;
    } slots[] = {
        {t.m_clrStatusText, RGB(1, 1, 1), "status text"},
        {t.m_clrStatusBarLine, RGB(2, 2, 2), "status line"},
        {t.m_grcStatusBarTop.m_firstColor.GetEffective(), RGB(3, 3, 3), "status top light"},
        {t.m_grcStatusBarTop.m_secondColor.GetEffective(), RGB(4, 4, 4), "status top dark"},
        {t.m_grcStatusBarBottom.m_firstColor.GetEffective(), kColorUnset, "status bottom: not in the look"},
        {t.m_grcDock.m_firstColor.GetEffective(), RGB(10, 0, 0), "dock"},
        {t.m_grcDock.m_secondColor.GetEffective(), RGB(10, 0, 0), "dock, one colour"},
        {t.m_grcBarFace.m_secondColor.GetEffective(), RGB(12, 0, 0), "bar face dark"},
        {t.m_clrBarShadow.GetEffective(), RGB(13, 0, 0), "bar shadow"},
        {t.m_colors[52].m_standardValue, RGB(13, 0, 0), "entry 52 from the bar shadow"},
        {t.m_grcGlyph.m_firstColor.GetEffective(), RGB(14, 0, 0), "glyph copies popped up"},
        {t.m_grcGlyph.m_secondColor.GetEffective(), RGB(15, 0, 0), "glyph copies popped up"},
        {t.m_clrMenuBarText, RGB(16, 0, 0), "menu-bar text"},
        {t.m_colors[43].m_standardValue, RGB(17, 0, 0), "popup border"},
        {t.m_clrFloatingCaption.GetEffective(), RGB(18, 0, 0), "floating caption"},
        {t.m_colors[39].m_standardValue, RGB(19, 0, 0), "separator"},
        {t.m_colors[56].m_standardValue, RGB(20, 0, 0), "label"},
        {t.m_colors[54].m_standardValue, RGB(0, 30, 0), "window frame"},
        {t.m_colors[51].m_standardValue, RGB(0, 31, 0), "button face"},
        {t.m_colors[31].m_standardValue, RGB(0, 32, 0), "highlight"},
        {t.m_colors[50].m_standardValue, RGB(0, 33, 0), "pressed border"},
        {t.m_grcHot.m_firstColor.GetEffective(), RGB(0, 34, 0), "hot light"},
        {t.m_grcHot.m_secondColor.GetEffective(), RGB(0, 35, 0), "hot dark"},
        {t.m_clrFrameBorderActive[3], RGB(200, 200, 0), "active border 3"},
        {t.m_clrFrameBorderInactive[0], RGB(100, 0, 0), "inactive border 0"},
        {t.m_clrCaptionTextInactive, RGB(0, 36, 0), "inactive caption"},
        {t.m_clrCaptionTextDocument, RGB(0, 37, 0), "document title"},
        {t.m_colors[12].m_standardValue, RGB(0, 0, 40), "workspace"},
        {t.m_clrInfoText, RGB(0, 0, 50), "message-bar text"},
        {t.m_clrMessageBarFrame, RGB(0, 0, 51), "message-bar frame"},
        {t.m_colors[41].m_standardValue, RGB(246, 246, 246), "fixed 41"},
    };
    for (const auto& slot : slots)
        EXPECT_EQ(slot.actual, slot.expected) << slot.pszWhat;
    EXPECT_EQ(t.m_grcBarFace.m_splitFactor, 0.75f);

    // Only an idle, enabled item of the menu bar takes the menu-bar text colour.
    EXPECT_EQ(t.GetStateTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, kBarTypeMenuBar, kBarTop), RGB(16, 0, 0));
    EXPECT_NE(t.GetStateTextColor(TRUE, FALSE, TRUE, FALSE, FALSE, kBarTypeMenuBar, kBarTop), RGB(16, 0, 0));
    EXPECT_NE(t.GetStateTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, kBarTypeNormal, kBarTop), RGB(16, 0, 0));

    auto* pGallery = static_cast<CTkControlGalleryOffice2007Theme*>(t.m_pGalleryPaintManager);
    EXPECT_EQ(pGallery->m_clrSelected, RGB(21, 0, 0));
    EXPECT_EQ(pGallery->m_clrBorder, RGB(23, 0, 0));
    EXPECT_EQ(pGallery->m_nUpButtonHeight, 21);
    EXPECT_EQ(pGallery->m_nDownButtonHeight, 19);
    // The slider's arrows take the size of one of the three states of "SLIDERUP" (5 x 12).
    t.m_pSliderPaintManager->RefreshMetrics();
    auto* pSlider = static_cast<CTkSliderOffice2007Theme*>(t.m_pSliderPaintManager);
    EXPECT_EQ(pSlider->m_nHorzArrowWidth, 5);
    EXPECT_EQ(pSlider->m_nHorzArrowHeight, 4);
    EXPECT_EQ(pSlider->m_nFixedThumbSize, 11);

    // The arrow buttons take the state of "SLIDERUP" (three solid states) by their hot or pressed part.
    CTestSlider slider(pSlider, CRect(0, 0, 80, 12));
    const CPoint ptArrow =
        CTkScrollBase::AlongRect(slider.m_geometry, slider.m_geometry.nStart, slider.m_geometry.nFirstArrowEnd)
            .CenterPoint();
    const struct {
        int nHitPart;
        COLORREF clr;
    } arrows[] = {{kScrollPartNone, RGB(1, 2, 3)}, {kScrollPartFirstArrow, RGB(4, 5, 6)}};
    for (const auto& row : arrows) {
        CScopedMemDC dc(80, 12);
        dc.FillSolidRect(0, 0, 80, 12, kSentinel);
        slider.m_geometry.nHitPart = row.nHitPart;
        pSlider->DrawScrollBar(&dc, &slider);
        EXPECT_EQ(PixelAt(dc, ptArrow.x, ptArrow.y), row.clr) << row.nHitPart;
    }
}

// The track inset by 2, the chunk's body stretched over the fill (its right part when the fill is
// narrower), its 4-column cap after it; an empty range fills nothing and a position outside the range
// fills no further than the track.
TEST_F(Office2007Fixture, ProgressFillsTheChunkOverItsShareOfTheTrack) {
    SetUpTheme(TRUE);
    auto* pPainter = static_cast<CTkProgressOffice2007Theme*>(m_pTheme->m_pProgressPaintManager);
    const COLORREF clrTrack = RGB(0, 0xA0, 0xA0);
    const COLORREF clrBody = RGB(0xF0, 0, 0);
    const COLORREF clrFirstColumn = RGB(0, 0, 0xF0);
    const COLORREF clrCap = RGB(0xF0, 0xF0, 0);
    const COLORREF clrEdge = RGB(0, 0xF0, 0);
    const struct {
        int nMin, nMax, nPos;
        int nFilled;  // of the inner width 36
        BOOL bFirstColumn;
    } rows[] = {{0, 100, 50, 18, TRUE}, {0, 100, 10, 4, FALSE}, {5, 5, 5, 0, FALSE},    {0, 100, 200, 36, TRUE},
                {0, 100, -5, 0, FALSE}, {10, 0, 5, 0, FALSE},   {0, 100, 100, 36, TRUE}};
    for (const auto& row : rows) {
        CScopedMemDC dc(44, 16);
        dc.FillSolidRect(0, 0, 44, 16, kSentinel);
        CTestProgress progress(CRect(2, 2, 42, 14));
        progress.m_nMin = row.nMin;
        progress.m_nMax = row.nMax;
        progress.m_nPos = row.nPos;
        pPainter->DrawProgress(&dc, &progress);
        const int y = 8;  // a middle row of the inner rectangle (4..12)
        EXPECT_EQ(PixelAt(dc, 2, 2), kSentinel) << "the track's magenta corner is keyed";
        EXPECT_EQ(PixelAt(dc, 1, y), kSentinel);
        EXPECT_EQ(PixelAt(dc, 42, y), kSentinel);
        EXPECT_EQ(PixelAt(dc, 3, y), clrTrack) << "inside the inset";
        const int xEnd = 4 + row.nFilled;
        if (row.nFilled > 0) {
            EXPECT_EQ(PixelAt(dc, 4, y), row.bFirstColumn ? clrFirstColumn : clrBody) << row.nPos;
            EXPECT_EQ(PixelAt(dc, xEnd - 1, y), clrBody) << row.nPos;
            EXPECT_EQ(PixelAt(dc, xEnd - 1, 4), clrEdge) << "the top margin rows are not stretched";
        }
        if (!row.bFirstColumn) {
            for (int x = 4; x < xEnd; ++x)
                EXPECT_EQ(PixelAt(dc, x, y), clrBody) << row.nPos << " at " << x;
        }
        if (xEnd < 39) {
            for (int x = xEnd; x < xEnd + 4; ++x)
                EXPECT_EQ(PixelAt(dc, x, y), row.nFilled > 0 ? clrCap : clrTrack) << row.nPos << " cap at " << x;
            EXPECT_EQ(PixelAt(dc, xEnd + 4, y), clrTrack) << row.nPos;
        } else {
            EXPECT_EQ(PixelAt(dc, 39, y), clrBody) << row.nPos << ": the fill ends at the track";
        }
        if (row.nPos == 50)
            WritePng(dc, L"Z:\\tmp\\th124\\progress.png");
    }
}

// "WORKSPACETOPLEFT" (4 x 3) across the top with its last column stretched, then two thirds of the rest
// from the top to the middle colour and the rest from the middle to the bottom colour.
TEST_F(Office2007Fixture, WorkspaceImageThenTwoGradients) {
    SetUpTheme(TRUE);
    CScopedMemDC dc(24, 40);
    dc.FillSolidRect(0, 0, 24, 40, kSentinel);
    m_pTheme->FillWorkspace(&dc, CRect(2, 2, 22, 35));
    EXPECT_EQ(PixelAt(dc, 1, 2), kSentinel);
    EXPECT_EQ(PixelAt(dc, 2, 1), kSentinel);
    EXPECT_EQ(PixelAt(dc, 2, 35), kSentinel);
    EXPECT_EQ(PixelAt(dc, 4, 2), RGB(0x30, 0x30, 0));
    EXPECT_EQ(PixelAt(dc, 5, 4), RGB(0, 0x60, 0x60));
    EXPECT_EQ(PixelAt(dc, 21, 3), RGB(0, 0x60, 0x60));
    // 30 rows below the image: 5..24 black to blue, 25..34 blue to red.
    EXPECT_TRUE(ColorsNear(RGB(0, 0, 0), PixelAt(dc, 10, 5), 16));
    EXPECT_TRUE(ColorsNear(RGB(0, 0, 230), PixelAt(dc, 10, 24), 16));
    EXPECT_TRUE(ColorsNear(RGB(0, 0, 240), PixelAt(dc, 10, 25), 16));
    EXPECT_TRUE(ColorsNear(RGB(230, 0, 10), PixelAt(dc, 10, 34), 30));
}

// The frame of a look with borders 200/0/0, 0/200/0, 0/0/200, 200/200/0 (active; inactive at 100): the
// columns from the outside in and mirrored, the bottom rows, the caption images by state, a caption
// button over them; then the window regions.
TEST_F(Office2007Fixture, ThemedFrameBordersCaptionButtonsAndRegion) {
    SetUpTheme(TRUE);
    CThemedFrame frame(m_pTheme, WS_OVERLAPPEDWINDOW);
    frame.m_pHook->UpdateFrameRegion();
    const int b = frame.Border();
    ASSERT_EQ(frame.m_pHook->GetFrameBorder(), b);
    ASSERT_GE(b, 4);
    const CSize size = frame.WindowSize();
    const int w = size.cx;
    const int h = size.cy;
    const int nCaption = frame.m_pHook->GetCaptionHeight();
    const int yMiddle = (nCaption + h) / 2;
    CScopedMemDC dc(w, h);
    for (BOOL bActive : {TRUE, FALSE}) {
        frame.m_pHook->SetFrameActive(bActive);
        dc.FillSolidRect(0, 0, w, h, kSentinel);
        m_pTheme->PaintFrame(&dc, frame.m_pHook);
        const COLORREF* c = bActive ? m_pTheme->m_clrFrameBorderActive : m_pTheme->m_clrFrameBorderInactive;
        for (int k = 0; k < b; ++k) {
            EXPECT_EQ(PixelAt(dc, k, yMiddle), c[std::min(k, 3)]) << "column " << k;
            EXPECT_EQ(PixelAt(dc, w - 1 - k, yMiddle), c[std::min(k, 3)]) << "mirrored column " << k;
        }
        EXPECT_EQ(PixelAt(dc, b, yMiddle), kSentinel) << "the client area";
        EXPECT_EQ(PixelAt(dc, w / 2, h - 1), c[0]);
        EXPECT_EQ(PixelAt(dc, w / 2, h - 2), c[3]);
        EXPECT_EQ(PixelAt(dc, 0, h - 2), c[0]);
        EXPECT_EQ(PixelAt(dc, 1, 1), bActive ? RGB(0x10, 0x20, 0x30) : RGB(0x40, 0x50, 0x60));
        EXPECT_EQ(PixelAt(dc, w - 2, 1), bActive ? RGB(0x11, 0x22, 0x33) : RGB(0x44, 0x55, 0x66));
        EXPECT_EQ(PixelAt(dc, w / 2, 1), bActive ? RGB(0x20, 0x30, 0x40) : RGB(0x50, 0x60, 0x70));
        EXPECT_EQ(PixelAt(dc, w / 2, nCaption), kSentinel) << "the client area below the caption";
    }

    // Caption buttons 14 pixels wide use the 13-pixel glyphs (3 x 3 here, five states). The hot and
    // pressed face leaves its magenta corner out; so does the glyph.
    frame.m_pHook->SetFrameActive(TRUE);
    m_pTheme->PaintFrame(&dc, frame.m_pHook);
    const CRect rcClose(w - 22, 4, w - 8, 18);
    const CRect rcDisabled(w - 38, 4, w - 24, 18);
    m_pTheme->PaintFrameCaptionButton(&dc, rcClose, SC_CLOSE, TRUE, TRUE, TRUE);
    m_pTheme->PaintFrameCaptionButton(&dc, rcDisabled, SC_CLOSE, FALSE, FALSE, FALSE);
    const COLORREF clrCaption = RGB(0x20, 0x30, 0x40);
    EXPECT_EQ(PixelAt(dc, rcClose.left, rcClose.top), clrCaption);
    EXPECT_EQ(PixelAt(dc, rcClose.left + 1, rcClose.top + 1), RGB(0, 0x80, 0)) << "pressed and hot face";
    const CPoint ptGlyph(rcClose.left + 5, rcClose.top + 5);
    EXPECT_EQ(PixelAt(dc, ptGlyph.x, ptGlyph.y), RGB(0, 0x80, 0)) << "the glyph's keyed corner";
    EXPECT_EQ(PixelAt(dc, ptGlyph.x + 1, ptGlyph.y + 1), RGB(0x60, 0x10, 0x10)) << "glyph state 2";
    EXPECT_EQ(PixelAt(dc, rcDisabled.left + 1, rcDisabled.top + 1), clrCaption) << "no face when idle";
    EXPECT_EQ(PixelAt(dc, rcDisabled.left + 6, rcDisabled.top + 6), RGB(0x80, 0x10, 0x10)) << "glyph state 3";
    WritePng(dc, L"Z:\\tmp\\th124\\frame.png");

    // Regions of a 100 x 60 frame: rounded top corners; rounded bottom corners only with the status-bar
    // edge of a border wider than 3; none when maximised.
    const HWND hwnd = frame.m_pFrame->GetSafeHwnd();
    CWnd statusBar;
    ASSERT_TRUE(statusBar.Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame.m_pFrame,
                                 AFX_IDW_STATUS_BAR));
    const CPoint topCorner[] = {{0, 0}, {3, 0}, {1, 1}, {0, 2}, {99, 3}};
    const CPoint topInside[] = {{4, 0}, {2, 1}, {1, 2}, {98, 3}, {0, 4}, {99, 55}};
    const CPoint roundBottomOutside[] = {{0, 56}, {1, 58}, {3, 59}, {96, 59}};
    const CPoint roundBottomInside[] = {{1, 56}, {2, 58}, {4, 59}, {95, 59}};
    for (BOOL bStatusEdge : {FALSE, TRUE}) {
        m_pTheme->m_bMergeFrameStatusBar = bStatusEdge;
        HRGN hRgn = m_pTheme->GetFrameRegion(frame.m_pHook, 100, 60);
        ASSERT_NE(hRgn, nullptr);
        for (CPoint pt : topCorner)
            EXPECT_FALSE(::PtInRegion(hRgn, pt.x, pt.y)) << pt.x << ", " << pt.y;
        for (CPoint pt : topInside)
            EXPECT_TRUE(::PtInRegion(hRgn, pt.x, pt.y)) << pt.x << ", " << pt.y;
        for (CPoint pt : roundBottomOutside)
            EXPECT_EQ(::PtInRegion(hRgn, pt.x, pt.y), !bStatusEdge) << pt.x << ", " << pt.y;
        for (CPoint pt : roundBottomInside)
            EXPECT_TRUE(::PtInRegion(hRgn, pt.x, pt.y)) << pt.x << ", " << pt.y;
        EXPECT_FALSE(::PtInRegion(hRgn, 100, 30));
        ::DeleteObject(hRgn);
    }
    m_pTheme->m_bMergeFrameStatusBar = FALSE;
    ::SetWindowLongW(hwnd, GWL_STYLE, ::GetWindowLongW(hwnd, GWL_STYLE) | WS_MAXIMIZE);
    EXPECT_EQ(m_pTheme->GetFrameRegion(frame.m_pHook, 100, 60), nullptr);
    // A maximised frame's bottom row takes the innermost colour.
    dc.FillSolidRect(0, 0, w, h, kSentinel);
    m_pTheme->PaintFrame(&dc, frame.m_pHook);
    EXPECT_EQ(PixelAt(dc, w / 2, h - 1), m_pTheme->m_clrFrameBorderActive[3]);
    statusBar.DestroyWindow();
}

// ---- The caption icon

HICON s_hDragIcon = nullptr;  // what WM_QUERYDRAGICON answers
int s_nDragDelay = 0;         // ms before it answers

LRESULT CALLBACK IconTestProc(HWND hwnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    if (nMessage == WM_QUERYDRAGICON) {
        ::Sleep(s_nDragDelay);
        return reinterpret_cast<LRESULT>(s_hDragIcon);
    }
    return ::DefWindowProcW(hwnd, nMessage, wParam, lParam);
}

LPCWSTR RegisterIconClass(LPCWSTR pszName, HICON hIcon, HICON hIconSmall) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = IconTestProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = pszName;
    wc.hIcon = hIcon;
    wc.hIconSm = hIconSmall;
    ::RegisterClassExW(&wc);
    return pszName;
}

HWND MakeIconWindow(LPCWSTR pszClass, DWORD dwStyle, DWORD dwExStyle) {
    return ::CreateWindowExW(dwExStyle, pszClass, L"icons", dwStyle, 0, 0, 100, 80, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

TEST(Office2007Theme, FrameIconsFollowTheirChain) {
    const HICON hOwnSmall = MakeSolidIcon(RGB(255, 0, 0));
    const HICON hClassSmall = MakeSolidIcon(RGB(0, 255, 0));
    const HICON hDrag = MakeSolidIcon(RGB(0, 0, 255));
    const HICON hBig = MakeSolidIcon(RGB(255, 255, 0));
    const HICON hLogo = ::LoadIconW(nullptr, IDI_WINLOGO);
    const LPCWSTR pszPlain = RegisterIconClass(L"Office2007IconPlain", nullptr, nullptr);
    const LPCWSTR pszWithIcons = RegisterIconClass(L"Office2007IconClass", hBig, hClassSmall);
    s_hDragIcon = hDrag;
    const DWORD dwFrame = WS_OVERLAPPEDWINDOW;
    const struct {
        LPCWSTR pszClass;
        DWORD dwStyle, dwExStyle;
        BOOL bOwnSmallIcon;
        int nDelay;
        HICON hExpected;
        LPCSTR pszWhat;
    } rows[] = {
        {pszPlain, WS_OVERLAPPED | WS_CAPTION, 0, TRUE, 0, nullptr, "no system menu"},
        {pszPlain, dwFrame, WS_EX_TOOLWINDOW, TRUE, 0, nullptr, "tool window"},
        {pszPlain, dwFrame, 0, TRUE, 0, hOwnSmall, "own small icon"},
        {pszWithIcons, dwFrame, 0, FALSE, 0, hClassSmall, "class small icon"},
        {pszPlain, WS_POPUP | WS_DLGFRAME | WS_SYSMENU, 0, FALSE, 0, nullptr, "dialog frame"},
        {pszPlain, dwFrame, WS_EX_DLGMODALFRAME, FALSE, 0, nullptr, "modal dialog frame"},
        {pszPlain, dwFrame, 0, FALSE, 200, hDrag, "drag icon of this thread, however late"},
    };
    for (const auto& row : rows) {
        const HWND hwnd = MakeIconWindow(row.pszClass, row.dwStyle, row.dwExStyle);
        ASSERT_NE(hwnd, nullptr);
        if (row.bOwnSmallIcon)
            ::SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hOwnSmall));
        s_nDragDelay = row.nDelay;
        EXPECT_EQ(CTkOffice2007Theme::GetFrameSmallIcon(hwnd), row.hExpected) << row.pszWhat;
        ::DestroyWindow(hwnd);
    }
    s_hDragIcon = nullptr;
    s_nDragDelay = 0;
    const HWND hNoAnswer = MakeIconWindow(pszPlain, dwFrame, 0);
    EXPECT_EQ(CTkOffice2007Theme::GetFrameSmallIcon(hNoAnswer), hLogo) << "no drag icon";

    // A window of another thread answering after 200 ms is not waited for.
    s_hDragIcon = hDrag;
    s_nDragDelay = 200;
    HWND hOther = nullptr;
    DWORD dwOtherThread = 0;
    CScopedKernelHandle created(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread other([&] {
        hOther = MakeIconWindow(pszPlain, dwFrame, 0);
        dwOtherThread = ::GetCurrentThreadId();
        ::SetEvent(created.Get());
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&msg);
        ::DestroyWindow(hOther);
    });
    ::WaitForSingleObject(created.Get(), 5000);
    EXPECT_EQ(CTkOffice2007Theme::GetFrameSmallIcon(hOther), hLogo) << "another thread's late drag icon";
    ::PostThreadMessageW(dwOtherThread, WM_QUIT, 0, 0);
    other.join();
    s_hDragIcon = nullptr;
    s_nDragDelay = 0;

    // The large icon: the window's own, else its class's.
    EXPECT_EQ(CTkOffice2007Theme::GetFrameLargeIcon(nullptr), nullptr);
    EXPECT_EQ(CTkOffice2007Theme::GetFrameLargeIcon(hNoAnswer), nullptr);
    ::SendMessageW(hNoAnswer, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hBig));
    EXPECT_EQ(CTkOffice2007Theme::GetFrameLargeIcon(hNoAnswer), hBig);
    ::DestroyWindow(hNoAnswer);
    const HWND hClassIcons = MakeIconWindow(pszWithIcons, dwFrame, 0);
    EXPECT_EQ(CTkOffice2007Theme::GetFrameLargeIcon(hClassIcons), hBig);
    ::DestroyWindow(hClassIcons);
    for (HICON hIcon : {hOwnSmall, hClassSmall, hDrag, hBig})
        ::DestroyIcon(hIcon);
}

}  // namespace
