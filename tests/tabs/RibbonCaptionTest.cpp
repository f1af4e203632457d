// The ribbon's part in its frame's caption: the caption hit test, the caption buttons the frame's styles
// and system menu ask for, the room left to a composited frame's own buttons, the headers of contextual
// tabs with their fit, the title's place, and the caption painted on glass.

#include "DibPixels.h"
#include "RibbonHost.h"
#include "TkCommandBars.h"
#include "TkControls.h"
#include "TkRibbonBar.h"
#include "TkRibbonTab.h"
#include "TkRibbonTabContextHeader.h"
#include "TkThemedFrameHook.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int kLength = 400;  // the test ribbon's width

// A ribbon of the host's hub whose caption strip the test starts as the ribbon's positioning does (a
// frame border of 0: the hook has computed no region), then lays out through the ribbon's caption steps.
// It has no window of its own: the caption steps need none.
class CCaptionRibbon : public CTkRibbonBar {
public:
    void LayOutCaption(int nLength = kLength) {
        m_rcCaption = CRect(0, 0, nLength, GetCaptionHeight());
        m_rcHeader = CRect(0, 0, nLength, m_rcCaption.bottom);
        m_rcCaptionText = m_rcHeader;
        RepositionCaptionButtons();
        RepositionContextHeaders();
        // The positioning that ran the caption steps has done the pending layout.
        m_dwState &= ~kStateLayoutPending;
    }
    void CheckTitle() { CheckFrameTitle(); }
    // A tab of the strip at [left, right) below the caption.
    CTkRibbonTab* AddPlacedTab(int nLeft, int nRight, int nColor = 0, LPCWSTR pszContext = L"") {
        CTkRibbonTab* pTab = AddTab(L"Tab");
        pTab->SetContextColor(nColor);
        pTab->SetContextCaption(pszContext);
        pTab->SetRect(CRect(nLeft, m_rcCaption.bottom, nRight, m_rcCaption.bottom + 23));
        return pTab;
    }
};

struct ReleaseBar {
    void operator()(CTkCommandBar* pBar) const { pBar->InternalRelease(); }
};

// The host, a caption ribbon of its hub with the frame hook attached, quick access hidden (the free area
// then starts at 70), the frame's styles put back at the end.
class RibbonCaption : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(m_host.Frame(), nullptr);
        m_hwndFrame = m_host.Frame()->GetSafeHwnd();
        m_dwStyle = ::GetWindowLongW(m_hwndFrame, GWL_STYLE);
        m_dwExStyle = ::GetWindowLongW(m_hwndFrame, GWL_EXSTYLE);
        m_pRibbon.reset(new CCaptionRibbon);
        m_pRibbon->SetCommandBars(m_host.CommandBars());
        m_pRibbon->ShowQuickAccess(FALSE);
        ASSERT_TRUE(m_pRibbon->AttachFrameHook());
        m_pRibbon->LayOutCaption();
    }
    void TearDown() override {
        ::SetWindowLongW(m_hwndFrame, GWL_STYLE, m_dwStyle);
        ::SetWindowLongW(m_hwndFrame, GWL_EXSTYLE, m_dwExStyle);
        ::GetSystemMenu(m_hwndFrame, TRUE);
    }
    void SetStyles(DWORD dwStyle, DWORD dwExStyle) {
        ::SetWindowLongW(m_hwndFrame, GWL_STYLE, dwStyle);
        ::SetWindowLongW(m_hwndFrame, GWL_EXSTYLE, dwExStyle);
    }
    CTkControl* Button(int nId) const { return m_pRibbon->GetControls()->FindById(nId); }
    int CaptionHeight() const { return m_pRibbon->GetCaptionRect().Height(); }

    CRibbonHost m_host;
    HWND m_hwndFrame = nullptr;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    std::unique_ptr<CCaptionRibbon, ReleaseBar> m_pRibbon;
};

TEST_F(RibbonCaption, TheTopFivePixelsOfASizableNormalFrameResizeItAndTheRestMovesIt) {
    EXPECT_EQ(m_pRibbon->GetCaptionHeight(), m_host.Theme()->GetFrameCaptionHeight());
    EXPECT_TRUE(m_pRibbon->IsFrameCaptionDrawn());
    const DWORD dwNormal = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    const CRect rcClose = Button(SC_CLOSE)->GetRect();
    const struct {
        DWORD dwStyle;
        CPoint pt;
        int nExpected;
    } rows[] = {
        {dwNormal, CPoint(200, 0), HTTOP},
        {dwNormal, CPoint(200, 4), HTTOP},
        {dwNormal, CPoint(200, 5), HTCAPTION},
        {dwNormal, CPoint(200, CaptionHeight() - 1), HTCAPTION},
        {dwNormal, CPoint(200, CaptionHeight()), 0},          // below the caption
        {dwNormal, rcClose.CenterPoint(), 0},                 // over a caption button
        {dwNormal | WS_MAXIMIZE, CPoint(200, 0), HTCAPTION},  // a maximised frame is not sized
        {dwNormal & ~WS_THICKFRAME, CPoint(200, 0), HTCAPTION},
    };
    for (const auto& row : rows) {
        SetStyles(row.dwStyle, m_dwExStyle);
        EXPECT_EQ(m_pRibbon->HitTestCaption(row.pt), row.nExpected) << row.pt.x << ", " << row.pt.y;
    }

    // Without the hook nothing is caption, and the buttons that drew through it are gone.
    m_pRibbon->DetachFrameHook();
    EXPECT_EQ(m_pRibbon->HitTestCaption(CPoint(200, 0)), 0);
    EXPECT_EQ(Button(SC_CLOSE), nullptr);
    EXPECT_FALSE(m_pRibbon->IsFrameCaptionDrawn());
}

TEST_F(RibbonCaption, TheFramesStylesAndSystemMenuChooseTheCaptionButtons) {
    const DWORD dwNormal = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    // Enabled state of close, restore, maximise, minimise: 1 enabled, 0 disabled, -1 absent.
    const struct {
        LPCSTR pszCase;
        DWORD dwStyle;
        DWORD dwExStyle;
        BOOL bGrayClose;
        int states[4];
    } rows[] = {
        {"normal", dwNormal, 0, FALSE, {1, -1, 1, 1}},
        {"maximised", dwNormal | WS_MAXIMIZE, 0, FALSE, {1, 1, -1, 1}},
        {"no maximise box", dwNormal & ~WS_MAXIMIZEBOX, 0, FALSE, {1, -1, 0, 1}},
        {"close grayed", dwNormal, 0, TRUE, {0, -1, 1, 1}},
        {"tool window", dwNormal, WS_EX_TOOLWINDOW, TRUE, {1, -1, -1, -1}},
        {"no system menu", dwNormal & ~WS_SYSMENU, 0, FALSE, {-1, -1, -1, -1}},
        {"maximised child", WS_CHILD | WS_MAXIMIZE | WS_SYSMENU | WS_MINIMIZEBOX, 0, FALSE, {-1, -1, -1, -1}},
    };
    const int ids[] = {SC_CLOSE, SC_RESTORE, SC_MAXIMIZE, SC_MINIMIZE};
    for (const auto& row : rows) {
        SetStyles(row.dwStyle, row.dwExStyle);
        ::GetSystemMenu(m_hwndFrame, TRUE);
        if (row.bGrayClose)
            ::EnableMenuItem(::GetSystemMenu(m_hwndFrame, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        m_pRibbon->LayOutCaption();
        int nShown = 0;
        for (int i = 0; i < 4; ++i) {
            CTkControl* pButton = Button(ids[i]);
            if (row.states[i] < 0) {
                EXPECT_EQ(pButton, nullptr) << row.pszCase << ", button " << i;
                continue;
            }
            ASSERT_NE(pButton, nullptr) << row.pszCase << ", button " << i;
            EXPECT_EQ(pButton->GetEnabled() != 0, row.states[i] == 1) << row.pszCase << ", button " << i;
            EXPECT_TRUE(pButton->IsTemporary());
            ++nShown;
        }
        // Squares of the free area's height from the right; the free area ends before them.
        const int nSize = CaptionHeight() - 3;
        EXPECT_EQ(m_pRibbon->GetHeaderFreeRect().right, kLength - nShown * nSize) << row.pszCase;
        if (CTkControl* pClose = Button(SC_CLOSE)) {
            EXPECT_EQ(pClose->GetRect(), CRect(kLength - nSize, 0, kLength, nSize)) << row.pszCase;
            EXPECT_EQ(pClose->GetCaption(), L"");
        }
    }
}

TEST_F(RibbonCaption, ACompositedFrameKeepsItsOwnButtonsAndTheirHitsGoThroughTheRibbon) {
    m_pRibbon->GetFrameHook()->SetDwmEnabled(TRUE);
    m_pRibbon->LayOutCaption();
    for (int nId : {SC_CLOSE, SC_RESTORE, SC_MAXIMIZE, SC_MINIMIZE})
        EXPECT_EQ(Button(nId), nullptr) << nId;
    EXPECT_EQ(m_pRibbon->GetHeaderFreeRect().right, kLength - 100);

    // The system's answers for its caption buttons, and for anything else.
    const struct {
        LRESULT nHitTest;
        BOOL bThrough;
    } rows[] = {{HTMINBUTTON, TRUE}, {HTMAXBUTTON, TRUE}, {HTCLOSE, TRUE},    {HTHELP, TRUE},
                {HTCAPTION, FALSE},  {HTCLIENT, FALSE},   {HTSYSMENU, FALSE}, {HTTOP, FALSE}};
    for (const auto& row : rows)
        EXPECT_EQ(CTkRibbonBar::IsDwmCaptionButtonHit(row.nHitTest), row.bThrough) << row.nHitTest;
}

TEST_F(RibbonCaption, ContextualTabsShareHeadersByColourAndCaption) {
    m_pRibbon->AddPlacedTab(100, 150);
    CTkRibbonTab* pFirst = m_pRibbon->AddPlacedTab(150, 190, 1, L"Table");
    CTkRibbonTab* pSecond = m_pRibbon->AddPlacedTab(190, 230, 1, L"Table");
    CTkRibbonTab* pChart = m_pRibbon->AddPlacedTab(230, 250, 1, L"Chart");
    m_pRibbon->AddPlacedTab(250, 250, 1, L"Chart")->SetVisible(FALSE);  // hidden: the run goes on
    CTkRibbonTab* pChartEnd = m_pRibbon->AddPlacedTab(250, 270, 1, L"Chart");
    m_pRibbon->AddPlacedTab(270, 290);  // plain: ends the run
    CTkRibbonTab* pOther = m_pRibbon->AddPlacedTab(290, 300, 3, L"Chart");
    m_pRibbon->LayOutCaption();

    const std::vector<CTkRibbonTabContextHeader*>& headers = m_pRibbon->GetContextHeaders();
    ASSERT_EQ(headers.size(), 3u);
    const int nTop = 4;
    EXPECT_EQ(headers[0]->m_rcHeader, CRect(150, nTop, 230, CaptionHeight()));
    EXPECT_EQ(headers[0]->m_pFirstTab, pFirst);
    EXPECT_EQ(headers[0]->m_pLastTab, pSecond);
    EXPECT_EQ(headers[0]->m_strCaption, L"Table");
    EXPECT_EQ(pSecond->GetContextHeader(), headers[0]);
    // Headers inside the free area keep their tabs' extent, however narrow.
    EXPECT_EQ(headers[1]->m_rcHeader, CRect(230, nTop, 270, CaptionHeight()));
    EXPECT_EQ(headers[1]->m_pFirstTab, pChart);
    EXPECT_EQ(headers[1]->m_pLastTab, pChartEnd);
    EXPECT_EQ(headers[2]->m_rcHeader, CRect(290, nTop, 300, CaptionHeight()));
    EXPECT_EQ(headers[2]->m_nColor, 3);
    EXPECT_EQ(pOther->GetContextHeader(), headers[2]);

    // A header is no caption.
    EXPECT_EQ(m_pRibbon->HitTestContextHeader(CPoint(160, 10)), headers[0]);
    EXPECT_EQ(m_pRibbon->HitTestCaption(CPoint(160, 10)), 0);
}

TEST_F(RibbonCaption, HeadersThatCannotKeepFortyPixelsInTheFreeAreaAreAllDropped) {
    // Tabs 10 wide from 0: each header starts left of the free area or of its neighbour's end, so each is
    // pushed right and kept 40 wide; the free area (70 to the buttons) holds nFit of them.
    const int nFreeRight = m_pRibbon->GetHeaderFreeRect().right;
    const int nFit = (nFreeRight - 70) / 40;
    std::vector<CTkRibbonTab*> tabs;
    for (int i = 0; i <= nFit; ++i)
        tabs.push_back(m_pRibbon->AddPlacedTab(10 * i, 10 * i + 10, 1 + i % 7, i % 2 == 0 ? L"A" : L"B"));
    m_pRibbon->LayOutCaption();
    EXPECT_TRUE(m_pRibbon->GetContextHeaders().empty());
    for (CTkRibbonTab* pTab : tabs)
        EXPECT_EQ(pTab->GetContextHeader(), nullptr);

    // One header fewer fits, each 40 wide, side by side from the free area's left.
    tabs.back()->SetContextColor(0);
    m_pRibbon->LayOutCaption();
    const std::vector<CTkRibbonTabContextHeader*>& headers = m_pRibbon->GetContextHeaders();
    ASSERT_EQ(static_cast<int>(headers.size()), nFit);
    for (int i = 0; i < nFit; ++i) {
        EXPECT_EQ(headers[i]->m_rcHeader.left, 70 + 40 * i) << i;
        EXPECT_EQ(headers[i]->m_rcHeader.right, 110 + 40 * i) << i;
    }
}

TEST_F(RibbonCaption, TheTitleIsCentredAndStepsAsideFromTheHeaders) {
    const CRect rcFree = m_pRibbon->GetHeaderFreeRect();
    const CRect rcTitle = m_pRibbon->GetCaptionTextRect();
    EXPECT_EQ(m_pRibbon->GetCaptionText(), L"Ribbon host");
    EXPECT_GT(rcTitle.Width(), 20);
    EXPECT_NEAR(rcTitle.CenterPoint().x, (70 + rcFree.right) / 2, 1);

    // Headers left of the title's centre push it right, keeping its width.
    const int nWidth = rcTitle.Width();
    m_pRibbon->AddPlacedTab(rcTitle.left - 50, rcTitle.left + 10, 2, L"Picture");
    m_pRibbon->LayOutCaption();
    EXPECT_EQ(m_pRibbon->GetCaptionTextRect().left, rcTitle.left + 10);
    EXPECT_EQ(m_pRibbon->GetCaptionTextRect().Width(), nWidth);

    // A new frame text asks for a layout, which takes the new title.
    m_pRibbon->CheckTitle();
    EXPECT_FALSE(m_pRibbon->IsLayoutPending());
    ::SetWindowTextW(m_hwndFrame, L"Ribbon host - calls.db");
    m_pRibbon->CheckTitle();
    EXPECT_TRUE(m_pRibbon->IsLayoutPending());
    m_pRibbon->LayOutCaption();
    EXPECT_EQ(m_pRibbon->GetCaptionText(), L"Ribbon host - calls.db");
}

TEST_F(RibbonCaption, TheCaptionOnGlassIsBlackElseTheFramesCaptionImage) {
    const COLORREF kActiveCaption = RGB(40, 50, 60);  // FRAMETOPCENTER of the test look, state 0
    for (const BOOL bGlass : {FALSE, TRUE}) {
        m_pRibbon->GetFrameHook()->SetDwmEnabled(bGlass);
        m_pRibbon->LayOutCaption();
        CScopedMemDC dc(kLength, CaptionHeight());
        ASSERT_TRUE(dc.IsValid());
        dc.FillSolidRect(0, 0, kLength, CaptionHeight(), RGB(17, 34, 51));
        m_host.Theme()->DrawFrameCaption(&dc, m_pRibbon.get(), TRUE);
        WritePng(dc, bGlass ? L"Z:\\tmp\\ribbon-caption-glass.png" : L"Z:\\tmp\\ribbon-caption.png");
        // Left of the buttons and right of the centred title.
        const CPoint pt(m_pRibbon->GetHeaderFreeRect().right - 4, CaptionHeight() / 2);
        EXPECT_EQ(PixelAt(dc, pt.x, pt.y), bGlass ? RGB(0, 0, 0) : kActiveCaption) << bGlass;
    }
}

}  // namespace
