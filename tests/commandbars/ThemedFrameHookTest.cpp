// The themed frame hook on a hidden frame: the region asked of the theme once per size, the maximised
// frame's and MDI child's regions, the composited frame's margin, the caption height with and without a
// ribbon drawing the caption, the status-bar edge and the frame recalculation.

#include "BarFixtures.h"
#include "TkDefaultTheme.h"
#include "TkMenuBar.h"
#include "TkThemedFrameHook.h"

#include <vector>

namespace {

// Counts the regions asked of it and answers a rectangle one pixel inside the size; asks the hook for
// another region while it computes one when told to.
class CCountingTheme : public CTkDefaultTheme {
public:
    HRGN GetFrameRegion(CTkThemedFrameHook* pFrameHook, int cx, int cy) override {
        ++m_nRegions;
        if (m_bReenter)
            pFrameHook->ApplyFrameRegion(cx + 10, cy + 10, TRUE);
        return ::CreateRectRgn(1, 1, cx - 1, cy - 1);
    }
    int GetFrameCaptionHeight() const override { return 21; }
    int m_nRegions = 0;
    BOOL m_bReenter = FALSE;
};

// Records the top margins the composited frame was extended by.
class CRecordingFrameHook : public CTkThemedFrameHook {
public:
    using CTkThemedFrameHook::CTkThemedFrameHook;
    std::vector<int> m_extended;

protected:
    void ExtendFrameIntoClientArea(int cyTop) override { m_extended.push_back(cyTop); }
};

// A bar that draws the frame's caption as a ribbon does.
class CCaptionRibbon : public CTkMenuBar {
public:
    BOOL IsFrameCaptionDrawn() const override { return TRUE; }
    int GetCaptionHeight() const override { return 30; }
};

class CCountingFrame : public CFrameWnd {
public:
    void RecalcLayout(BOOL bNotify = TRUE) override {
        ++m_nLayouts;
        CFrameWnd::RecalcLayout(bNotify);
    }
    int m_nLayouts = 0;
};

class ThemedFrameHookFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_pFrame = new CCountingFrame;
        ASSERT_TRUE(m_pFrame->CreateEx(0, AfxRegisterWndClass(0), L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                       nullptr, nullptr));
        m_pTheme = new CCountingTheme;
        m_pHook = new CRecordingFrameHook(m_pFrame->GetSafeHwnd(), nullptr, nullptr);
        m_pHook->SetPaintManager(m_pTheme);
    }
    void TearDown() override {
        delete m_pHook;
        m_pTheme->InternalRelease();
        m_pFrame->DestroyWindow();
    }
    // The frame's window region, or an empty rectangle when it has none.
    CRect RegionBox() const {
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        CRect rc(0, 0, 0, 0);
        if (::GetWindowRgn(m_pFrame->GetSafeHwnd(), hRgn) != ERROR)
            ::GetRgnBox(hRgn, &rc);
        ::DeleteObject(hRgn);
        return rc;
    }
    // The border AdjustWindowRectEx gives the frame's styles now.
    int SystemBorder() const {
        CRect rc(0, 0, 300, 200);
        ::AdjustWindowRectEx(&rc, m_pFrame->GetStyle(), FALSE, m_pFrame->GetExStyle());
        return -rc.left;
    }

    CCountingFrame* m_pFrame = nullptr;  // deletes itself with its window
    CCountingTheme* m_pTheme = nullptr;
    CRecordingFrameHook* m_pHook = nullptr;
};

TEST_F(ThemedFrameHookFixture, TheThemeIsAskedForARegionOncePerSizeAndNotAgainFromInsideTheUpdate) {
    m_pHook->ApplyFrameRegion(300, 200, FALSE);
    m_pHook->ApplyFrameRegion(300, 200, FALSE);
    EXPECT_EQ(m_pTheme->m_nRegions, 1);
    EXPECT_EQ(RegionBox(), CRect(1, 1, 299, 199));
    EXPECT_EQ(m_pHook->GetFrameBorder(), SystemBorder());
    m_pHook->ApplyFrameRegion(310, 200, FALSE);
    EXPECT_EQ(m_pTheme->m_nRegions, 2);
    m_pHook->ApplyFrameRegion(310, 200, TRUE);
    EXPECT_EQ(m_pTheme->m_nRegions, 3);

    // A nested update while one runs does nothing.
    m_pTheme->m_bReenter = TRUE;
    m_pHook->ApplyFrameRegion(320, 200, FALSE);
    EXPECT_EQ(m_pTheme->m_nRegions, 4);
    EXPECT_EQ(RegionBox(), CRect(1, 1, 319, 199));
    m_pTheme->m_bReenter = FALSE;

    // The recalculation forgets the size; the frame lays out again.
    m_pHook->DelayRecalcFrame();
    EXPECT_TRUE(m_pHook->IsRecalcFramePending());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, m_pFrame->GetSafeHwnd(), WM_IDLEUPDATECMDUI, WM_IDLEUPDATECMDUI, PM_REMOVE));
    const int nLayouts = m_pFrame->m_nLayouts;
    m_pHook->RecalcFrame();
    EXPECT_FALSE(m_pHook->IsRecalcFramePending());
    EXPECT_EQ(m_pFrame->m_nLayouts, nLayouts + 1);
    m_pHook->ApplyFrameRegion(320, 200, FALSE);
    EXPECT_EQ(m_pTheme->m_nRegions, 5);
}

TEST_F(ThemedFrameHookFixture, AMaximisedFrameIsCutToItsBorderAndAMaximisedMDIChildKeepsNoRegion) {
    // The frame's own client edge goes first: the plain frame's border is the reference.
    m_pFrame->ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    m_pFrame->ModifyStyle(0, WS_MAXIMIZE);
    m_pHook->ApplyFrameRegion(300, 200, TRUE);
    const int b = SystemBorder();
    ASSERT_GT(b, 0);
    EXPECT_EQ(RegionBox(), CRect(b, b, 300 - b, 200 - b));

    // The client edge adds 2 pixels to the border the system computes; the region cuts only the frame.
    m_pFrame->ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    m_pHook->ApplyFrameRegion(300, 200, TRUE);
    EXPECT_EQ(m_pHook->GetFrameBorder(), b + 2);
    EXPECT_EQ(RegionBox(), CRect(b, b, 300 - b, 200 - b));
    EXPECT_EQ(m_pTheme->m_nRegions, 0);

    // A maximised MDI child loses the region it had.
    m_pFrame->ModifyStyleEx(WS_EX_CLIENTEDGE, WS_EX_MDICHILD);
    EXPECT_TRUE(m_pHook->IsMDIChildMaximized());
    m_pHook->ApplyFrameRegion(300, 200, TRUE);
    EXPECT_EQ(RegionBox(), CRect(0, 0, 0, 0));
    EXPECT_EQ(m_pTheme->m_nRegions, 0);
}

TEST_F(ThemedFrameHookFixture, TheCaptionIsTheRibbonsWhileAVisibleTopRibbonDrawsIt) {
    struct Case {
        BOOL bRibbon;
        BOOL bVisible;
        int nPosition;
        DWORD dwStyle;
        BOOL bCaptionVisible;
    };
    const Case cases[] = {
        {FALSE, TRUE, kBarTop, 0, TRUE},
        {TRUE, TRUE, kBarTop, 0, FALSE},
        {TRUE, FALSE, kBarTop, 0, TRUE},
        {TRUE, TRUE, kBarBottom, 0, TRUE},
        {TRUE, TRUE, kBarTop, WS_CHILD | WS_MINIMIZE, TRUE},
        {TRUE, TRUE, kBarTop, WS_MINIMIZE, FALSE},
    };
    m_pHook->ApplyFrameRegion(300, 200, TRUE);
    const int b = m_pHook->GetFrameBorder();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "ribbon " << c.bRibbon << " visible " << c.bVisible << " position "
                                        << c.nPosition << " style " << std::hex << c.dwStyle);
        auto* pRibbon = new CCaptionRibbon;
        SetBarKind(pRibbon, kBarTypeMenuBar, c.nPosition);
        pRibbon->SetVisible(c.bVisible);
        const DWORD dwOld = m_pFrame->GetStyle();
        ::SetWindowLongW(m_pFrame->GetSafeHwnd(), GWL_STYLE, static_cast<LONG>(dwOld | c.dwStyle));
        {
            CTkThemedFrameHook hook(m_pFrame->GetSafeHwnd(), nullptr, c.bRibbon ? pRibbon : nullptr);
            hook.SetPaintManager(m_pTheme);
            hook.ApplyFrameRegion(300, 200, TRUE);
            EXPECT_EQ(hook.IsFrameCaptionVisible(), c.bCaptionVisible);
            EXPECT_EQ(hook.GetCaptionHeight(), (c.bCaptionVisible ? 21 : 30) + b);
        }
        ::SetWindowLongW(m_pFrame->GetSafeHwnd(), GWL_STYLE, static_cast<LONG>(dwOld));
        pRibbon->InternalRelease();
    }
}

TEST_F(ThemedFrameHookFixture, ACompositedFrameIsExtendedByTheRibbonCaptionInsteadOfGettingARegion) {
    m_pHook->SetDwmEnabled(TRUE);
    m_pHook->ApplyFrameRegion(300, 200, TRUE);
    EXPECT_EQ(m_pHook->GetFrameBorder(), 4);
    EXPECT_EQ(m_pHook->m_extended, std::vector<int>{0});
    EXPECT_EQ(m_pTheme->m_nRegions, 0);

    auto* pRibbon = new CCaptionRibbon;
    SetBarKind(pRibbon, kBarTypeMenuBar, kBarTop);
    {
        CRecordingFrameHook hook(m_pFrame->GetSafeHwnd(), nullptr, pRibbon);
        hook.SetPaintManager(m_pTheme);
        hook.SetDwmEnabled(TRUE);
        hook.ApplyFrameRegion(300, 200, TRUE);
        EXPECT_EQ(hook.m_extended, std::vector<int>{30 + 4});
        // Maximised, the system's border stays.
        m_pFrame->ModifyStyle(0, WS_MAXIMIZE);
        hook.ApplyFrameRegion(300, 200, TRUE);
        EXPECT_EQ(hook.GetFrameBorder(), SystemBorder());
        EXPECT_EQ(hook.m_extended.back(), 30 + SystemBorder());
    }
    pRibbon->InternalRelease();
}

TEST_F(ThemedFrameHookFixture, TheStatusBarEdgeCountsOnlyWhenTheThemeDrawsItAndTheStatusBarShows) {
    CWnd statusBar;
    ASSERT_TRUE(statusBar.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 170, 300, 192), m_pFrame,
                                   AFX_IDW_STATUS_BAR));
    int nHeight = -1;
    EXPECT_FALSE(m_pHook->GetStatusBarHeight(nHeight));
    m_pTheme->m_bThemedStatusBar = TRUE;
    EXPECT_FALSE(m_pHook->GetStatusBarHeight(nHeight));
    m_pTheme->m_bMergeFrameStatusBar = TRUE;
    EXPECT_TRUE(m_pHook->GetStatusBarHeight(nHeight));
    EXPECT_EQ(nHeight, 22);
    statusBar.ShowWindow(SW_HIDE);
    EXPECT_FALSE(m_pHook->GetStatusBarHeight(nHeight));
    statusBar.DestroyWindow();
    EXPECT_FALSE(m_pHook->GetStatusBarHeight(nHeight));
}

}  // namespace
