// The ribbon's part in its frame's caption, laid out by the host frame: the frame hook the ribbon makes and
// deletes, the caption hit test, the caption buttons the frame's styles and system menu ask for, the room
// left to a composited frame's own buttons, the headers of contextual tabs with their fit, the title's
// place, and the caption painted on glass.

#include "DibPixels.h"
#include "RibbonHost.h"
#include "TkCommandBars.h"
#include "TkControls.h"
#include "TkRibbonBar.h"
#include "TkRibbonTab.h"
#include "TkRibbonTabContextHeader.h"
#include "TkThemedFrameHook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kLength = 400;  // the width of the ribbon whose caption steps run alone

// A ribbon of the host's hub whose caption strip the test starts as the ribbon's positioning does (a
// frame border of 0), then lays out through the ribbon's caption steps alone: the headers' fit is shown
// on tabs the test places where the tab strip would not.
class CCaptionRibbon : public CTkRibbonBar {
public:
    void LayOutCaption(int nLength = kLength) {
        m_rcCaption = CRect(0, 0, nLength, GetCaptionHeight());
        m_rcHeader = CRect(0, 0, nLength, m_rcCaption.bottom);
        m_rcCaptionText = m_rcHeader;
        RepositionCaptionButtons();
        RepositionContextHeaders();
    }
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

// The host's ribbon with the frame hook attached, quick access hidden (the free area then starts at 70),
// laid out by the frame; the frame's styles and system menu put back at the end.
class RibbonCaption : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(m_host.Frame(), nullptr);
        m_pRibbon = m_host.Ribbon();
        ASSERT_NE(m_pRibbon, nullptr);
        m_hwndFrame = m_host.Frame()->GetSafeHwnd();
        m_dwStyle = ::GetWindowLongW(m_hwndFrame, GWL_STYLE);
        m_dwExStyle = ::GetWindowLongW(m_hwndFrame, GWL_EXSTYLE);
        m_pRibbon->ShowQuickAccess(FALSE);
        ASSERT_TRUE(m_pRibbon->AttachFrameHook());
        LayOut();
    }
    void TearDown() override {
        ::SetWindowLongW(m_hwndFrame, GWL_STYLE, m_dwStyle);
        ::SetWindowLongW(m_hwndFrame, GWL_EXSTYLE, m_dwExStyle);
        ::GetSystemMenu(m_hwndFrame, TRUE);
    }
    void LayOut() const { m_host.RecalcLayout(); }
    void SetStyles(DWORD dwStyle, DWORD dwExStyle) {
        ::SetWindowLongW(m_hwndFrame, GWL_STYLE, dwStyle);
        ::SetWindowLongW(m_hwndFrame, GWL_EXSTYLE, dwExStyle);
    }
    CTkControl* Button(int nId) const { return m_pRibbon->GetControls()->FindById(nId); }
    const CRect& Caption() const { return m_pRibbon->GetCaptionRect(); }
    int Length() const {
        CRect rc;
        m_pRibbon->GetClientRect(&rc);
        return rc.Width();
    }
    // A tab of the ribbon, contextual with a colour and caption.
    CTkRibbonTab* AddTab(LPCWSTR pszCaption, int nColor = 0, LPCWSTR pszContext = L"") {
        CTkRibbonTab* pTab = m_pRibbon->AddTab(pszCaption);
        pTab->SetContextColor(nColor);
        pTab->SetContextCaption(pszContext);
        return pTab;
    }

    CRibbonHost m_host{CSize(640, 400)};
    CTkRibbonBar* m_pRibbon = nullptr;
    HWND m_hwndFrame = nullptr;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
};

TEST_F(RibbonCaption, TheRibbonMakesOneHookForItsFrameAndDeletesItWhenRemovedOrDestroyed) {
    CTkThemedFrameHook* pHook = m_pRibbon->GetFrameHook();
    ASSERT_NE(pHook, nullptr);
    EXPECT_EQ(pHook->GetFrameWindow(), m_hwndFrame);
    EXPECT_EQ(pHook->GetRibbonBar(), m_pRibbon);
    EXPECT_TRUE(m_pRibbon->AttachFrameHook());
    EXPECT_EQ(m_pRibbon->GetFrameHook(), pHook);
    EXPECT_EQ(m_pRibbon->GetCaptionHeight(), m_host.Theme()->GetFrameCaptionHeight());
    EXPECT_TRUE(m_pRibbon->IsFrameCaptionDrawn());

    // The hook releases the paint manager it holds when it is deleted: the theme's count tells.
    const LONG nRefs = m_host.Theme()->m_dwRef;
    for (BOOL bRemoved : {TRUE, FALSE}) {
        SCOPED_TRACE(bRemoved ? "removed" : "destroyed");
        std::unique_ptr<CTkRibbonBar, ReleaseBar> pRibbon(new CTkRibbonBar);
        pRibbon->SetCommandBars(m_host.CommandBars());
        ASSERT_TRUE(pRibbon->AttachFrameHook());
        ASSERT_NE(pRibbon->GetFrameHook(), nullptr);
        EXPECT_EQ(pRibbon->GetFrameHook()->GetFrameWindow(), m_hwndFrame);
        pRibbon->GetFrameHook()->SetPaintManager(m_host.Theme());
        EXPECT_EQ(m_host.Theme()->m_dwRef, nRefs + 1);
        if (bRemoved) {
            pRibbon->OnRemoved();
            EXPECT_EQ(pRibbon->GetFrameHook(), nullptr);
            EXPECT_EQ(m_host.Theme()->m_dwRef, nRefs);
        }
        pRibbon.reset();
        EXPECT_EQ(m_host.Theme()->m_dwRef, nRefs);
    }
}

TEST_F(RibbonCaption, TheTopFivePixelsOfASizableNormalFrameResizeItAndTheRestMovesIt) {
    const DWORD dwNormal = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    const CRect rcCaption = Caption();
    ASSERT_FALSE(rcCaption.IsRectEmpty());
    const int nTop = rcCaption.top;
    const CRect rcClose = Button(SC_CLOSE)->GetRect();
    const struct {
        DWORD dwStyle;
        CPoint pt;
        int nExpected;
    } rows[] = {
        {dwNormal, CPoint(200, nTop), HTTOP},
        {dwNormal, CPoint(200, nTop + 4), HTTOP},
        {dwNormal, CPoint(200, nTop + 5), HTCAPTION},
        {dwNormal, CPoint(200, rcCaption.bottom - 1), HTCAPTION},
        {dwNormal, CPoint(200, rcCaption.bottom), 0},            // below the caption
        {dwNormal, rcClose.CenterPoint(), 0},                    // over a caption button
        {dwNormal | WS_MAXIMIZE, CPoint(200, nTop), HTCAPTION},  // a maximised frame is not sized
        {dwNormal & ~WS_THICKFRAME, CPoint(200, nTop), HTCAPTION},
    };
    for (const auto& row : rows) {
        SetStyles(row.dwStyle, m_dwExStyle);
        EXPECT_EQ(m_pRibbon->HitTestCaption(row.pt), row.nExpected) << row.pt.x << ", " << row.pt.y;
    }
    // In customize mode the caption is the bars'.
    SetStyles(dwNormal, m_dwExStyle);
    m_host.CommandBars()->SetCustomizeMode(TRUE);
    EXPECT_EQ(m_pRibbon->HitTestCaption(CPoint(200, nTop)), 0);
    m_host.CommandBars()->SetCustomizeMode(FALSE);

    // Without the hook nothing is caption, and the buttons that drew through it are gone.
    m_pRibbon->DetachFrameHook();
    EXPECT_EQ(m_pRibbon->HitTestCaption(CPoint(200, nTop)), 0);
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
        LayOut();
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
        const int nSize = Caption().bottom - 3;
        EXPECT_EQ(m_pRibbon->GetHeaderFreeRect().right, Length() - nShown * nSize) << row.pszCase;
        if (CTkControl* pClose = Button(SC_CLOSE)) {
            EXPECT_EQ(pClose->GetRect(), CRect(Length() - nSize, 0, Length(), nSize)) << row.pszCase;
            EXPECT_EQ(pClose->GetCaption(), L"");
        }
    }
}

TEST_F(RibbonCaption, ACompositedFrameKeepsItsOwnButtonsAndTheirHitsGoThroughTheRibbon) {
    m_pRibbon->GetFrameHook()->SetDwmEnabled(TRUE);
    LayOut();
    for (int nId : {SC_CLOSE, SC_RESTORE, SC_MAXIMIZE, SC_MINIMIZE})
        EXPECT_EQ(Button(nId), nullptr) << nId;
    EXPECT_EQ(m_pRibbon->GetHeaderFreeRect().right, Length() - 100);

    // The system's answers for its caption buttons, and for anything else.
    const struct {
        LRESULT nHitTest;
        BOOL bThrough;
    } rows[] = {{HTMINBUTTON, TRUE}, {HTMAXBUTTON, TRUE}, {HTCLOSE, TRUE},    {HTHELP, TRUE},
                {HTCAPTION, FALSE},  {HTCLIENT, FALSE},   {HTSYSMENU, FALSE}, {HTTOP, FALSE}};
    for (const auto& row : rows)
        EXPECT_EQ(CTkRibbonBar::IsDwmCaptionButtonHit(row.nHitTest), row.bThrough) << row.nHitTest;
    m_pRibbon->GetFrameHook()->SetDwmEnabled(FALSE);
}

TEST_F(RibbonCaption, ContextualTabsShareHeadersByColourAndCaptionAndTheTitleStepsAside) {
    const CRect rcFree = m_pRibbon->GetHeaderFreeRect();
    const CRect rcTitle = m_pRibbon->GetCaptionTextRect();
    EXPECT_EQ(m_pRibbon->GetCaptionText(), L"Ribbon host");
    EXPECT_GT(rcTitle.Width(), 20);
    EXPECT_NEAR(rcTitle.CenterPoint().x, (70 + rcFree.right) / 2, 1);

    AddTab(L"&Home");
    AddTab(L"&Insert");
    CTkRibbonTab* pFirst = AddTab(L"&Design", 1, L"Table");
    CTkRibbonTab* pSecond = AddTab(L"&Layout", 1, L"Table");
    CTkRibbonTab* pChart = AddTab(L"&Chart", 2, L"Chart");
    AddTab(L"&Hidden", 2, L"Chart")->SetVisible(FALSE);  // hidden: the run goes on
    CTkRibbonTab* pChartEnd = AddTab(L"F&ormat", 2, L"Chart");
    AddTab(L"&View");  // plain: ends the run
    CTkRibbonTab* pOther = AddTab(L"&Tools", 2, L"Chart");
    LayOut();

    const std::vector<CTkRibbonTabContextHeader*>& headers = m_pRibbon->GetContextHeaders();
    ASSERT_EQ(headers.size(), 3u);
    ASSERT_GE(pFirst->GetRect().left, 70);
    ASSERT_LE(pOther->GetRect().right, m_pRibbon->GetHeaderFreeRect().right);
    const int nTop = Caption().top + 4;
    const int nBottom = Caption().bottom;
    EXPECT_EQ(headers[0]->m_rcHeader, CRect(pFirst->GetRect().left, nTop, pSecond->GetRect().right, nBottom));
    EXPECT_EQ(headers[0]->m_pFirstTab, pFirst);
    EXPECT_EQ(headers[0]->m_pLastTab, pSecond);
    EXPECT_EQ(headers[0]->m_strCaption, L"Table");
    EXPECT_EQ(pSecond->GetContextHeader(), headers[0]);
    EXPECT_EQ(headers[1]->m_rcHeader, CRect(pChart->GetRect().left, nTop, pChartEnd->GetRect().right, nBottom));
    EXPECT_EQ(headers[1]->m_pFirstTab, pChart);
    EXPECT_EQ(headers[1]->m_pLastTab, pChartEnd);
    EXPECT_EQ(headers[1]->m_nColor, 2);
    EXPECT_EQ(headers[2]->m_pFirstTab, pOther);
    EXPECT_EQ(pOther->GetContextHeader(), headers[2]);

    // A header is no caption.
    const CPoint ptHeader = headers[0]->m_rcHeader.CenterPoint();
    EXPECT_EQ(m_pRibbon->HitTestContextHeader(ptHeader), headers[0]);
    EXPECT_EQ(m_pRibbon->HitTestCaption(ptHeader), 0);

    // Where the headers' span meets the title, the title steps aside keeping its width as far as the free
    // area allows: left of a span centred right of it, right of one centred left of it (the Table header
    // alone).
    for (const BOOL bTableOnly : {FALSE, TRUE}) {
        SCOPED_TRACE(bTableOnly ? "table header" : "all headers");
        for (CTkRibbonTab* pTab : {pChart, pChartEnd, pOther})
            pTab->SetVisible(!bTableOnly);
        LayOut();
        const std::vector<CTkRibbonTabContextHeader*>& shown = m_pRibbon->GetContextHeaders();
        ASSERT_FALSE(shown.empty());
        const CRect rcSpan(shown.front()->m_rcHeader.left, Caption().top + 6, shown.back()->m_rcHeader.right, nBottom);
        CRect rcMeet;
        ASSERT_TRUE(rcMeet.IntersectRect(&rcSpan, &rcTitle));
        ASSERT_EQ(rcSpan.CenterPoint().x < rcTitle.CenterPoint().x, bTableOnly);
        const CRect& rcMoved = m_pRibbon->GetCaptionTextRect();
        if (bTableOnly) {
            EXPECT_EQ(rcMoved.left, rcSpan.right);
            EXPECT_EQ(rcMoved.right, std::min<LONG>(rcSpan.right + rcTitle.Width(), rcFree.right));
        } else {
            EXPECT_EQ(rcMoved.right, rcSpan.left);
            EXPECT_EQ(rcMoved.left, std::max<LONG>(rcSpan.left - rcTitle.Width(), rcFree.left));
        }
    }
}

TEST_F(RibbonCaption, ANewFrameTextIsTakenByTheNextLayout) {
    EXPECT_FALSE(m_pRibbon->IsLayoutPending());
    ::SetWindowTextW(m_hwndFrame, L"Ribbon host - calls.db");
    m_pRibbon->UpdateMDIButtons();
    EXPECT_TRUE(m_pRibbon->IsLayoutPending());
    LayOut();
    EXPECT_FALSE(m_pRibbon->IsLayoutPending());
    EXPECT_EQ(m_pRibbon->GetCaptionText(), L"Ribbon host - calls.db");
}

TEST_F(RibbonCaption, HeadersThatCannotKeepFortyPixelsInTheFreeAreaAreAllDropped) {
    // On the host, tabs with headers of their own: inside the free area each keeps its tab's extent, however
    // narrow; tabs running past its right end push their headers left at 40 pixels each, out of the area.
    for (int i = 0; i < 15; ++i)
        AddTab(L"&X", 1 + i % 2, i % 4 < 2 ? L"A" : L"B");
    const int nFreeRight = m_pRibbon->GetHeaderFreeRect().right;
    for (const BOOL bPast : {FALSE, TRUE}) {
        SCOPED_TRACE(bPast ? "past the free area" : "inside");
        for (int i = 0; i < m_pRibbon->GetTabCount(); ++i)
            m_pRibbon->GetTab(i)->SetVisible(bPast || i < 3);
        LayOut();
        CTkRibbonTab* pLast = m_pRibbon->GetTab(bPast ? m_pRibbon->GetTabCount() - 1 : 2);
        ASSERT_EQ(pLast->GetRect().right > nFreeRight, bPast);
        if (bPast) {
            EXPECT_TRUE(m_pRibbon->GetContextHeaders().empty());
            for (int i = 0; i < m_pRibbon->GetTabCount(); ++i)
                EXPECT_EQ(m_pRibbon->GetTab(i)->GetContextHeader(), nullptr) << i;
            continue;
        }
        ASSERT_EQ(m_pRibbon->GetContextHeaders().size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(m_pRibbon->GetContextHeaders()[i]->m_rcHeader.left, m_pRibbon->GetTab(i)->GetRect().left);
            EXPECT_EQ(m_pRibbon->GetContextHeaders()[i]->m_rcHeader.right, m_pRibbon->GetTab(i)->GetRect().right);
        }
    }

    // The fit itself, on tabs placed 10 wide from 0: each header starts left of the free area or of its
    // neighbour's end, so each is pushed right and kept 40 wide; the free area (70 to the buttons) holds
    // nFit of them.
    std::unique_ptr<CCaptionRibbon, ReleaseBar> pRibbon(new CCaptionRibbon);
    pRibbon->SetCommandBars(m_host.CommandBars());
    pRibbon->ShowQuickAccess(FALSE);
    ASSERT_TRUE(pRibbon->AttachFrameHook());
    pRibbon->LayOutCaption();
    const int nFitRight = pRibbon->GetHeaderFreeRect().right;
    const int nFit = (nFitRight - 70) / 40;
    std::vector<CTkRibbonTab*> tabs;
    for (int i = 0; i <= nFit; ++i)
        tabs.push_back(pRibbon->AddPlacedTab(10 * i, 10 * i + 10, 1 + i % 7, i % 2 == 0 ? L"A" : L"B"));
    pRibbon->LayOutCaption();
    EXPECT_TRUE(pRibbon->GetContextHeaders().empty());

    // One header fewer fits, each 40 wide, side by side from the free area's left.
    tabs.back()->SetContextColor(0);
    pRibbon->LayOutCaption();
    const std::vector<CTkRibbonTabContextHeader*>& headers = pRibbon->GetContextHeaders();
    ASSERT_EQ(static_cast<int>(headers.size()), nFit);
    for (int i = 0; i < nFit; ++i) {
        EXPECT_EQ(headers[i]->m_rcHeader.left, 70 + 40 * i) << i;
        EXPECT_EQ(headers[i]->m_rcHeader.right, 110 + 40 * i) << i;
    }
    // Past the free area's right end the last headers are cut back and pushed left, kept 40 wide.
    for (int i = 0; i < nFit; ++i)
        tabs[i]->SetRect(CRect(nFitRight - 5 - 10 * (nFit - i), 30, nFitRight + 20, 50));
    pRibbon->LayOutCaption();
    ASSERT_EQ(static_cast<int>(pRibbon->GetContextHeaders().size()), nFit);
    EXPECT_EQ(pRibbon->GetContextHeaders().back()->m_rcHeader.right, nFitRight);
    EXPECT_EQ(pRibbon->GetContextHeaders().back()->m_rcHeader.left, nFitRight - 40);
}

TEST_F(RibbonCaption, TheCaptionOnGlassIsBlackElseTheFramesCaptionImage) {
    const COLORREF kActiveCaption = RGB(40, 50, 60);  // FRAMETOPCENTER of the test look, state 0
    for (const BOOL bGlass : {FALSE, TRUE}) {
        m_pRibbon->GetFrameHook()->SetDwmEnabled(bGlass);
        LayOut();
        const CRect rcCaption = Caption();
        CScopedMemDC dc(Length(), rcCaption.bottom);
        ASSERT_TRUE(dc.IsValid());
        dc.FillSolidRect(0, 0, Length(), rcCaption.bottom, RGB(17, 34, 51));
        m_host.Theme()->DrawFrameCaption(&dc, m_pRibbon, TRUE);
        WritePng(dc, bGlass ? L"Z:\\tmp\\ribbon-caption-glass.png" : L"Z:\\tmp\\ribbon-caption.png");
        // Left of the buttons and right of the centred title.
        const CPoint pt(m_pRibbon->GetHeaderFreeRect().right - 4, rcCaption.bottom / 2);
        EXPECT_EQ(PixelAt(dc, pt.x, pt.y), bGlass ? RGB(0, 0, 0) : kActiveCaption) << bGlass;
    }
    m_pRibbon->GetFrameHook()->SetDwmEnabled(FALSE);
}

}  // namespace
