// The dialog bar on the docking fixture's frame: its edges' hit codes docked on each side and floating,
// the resize floor, the caption's controls, the hosted window's place, and pictures of a docked and a
// floating bar.

#include "DibPixels.h"
#include "DockFixture.h"
#include "TkDialogBar.h"
#include "TkDialogBarCaption.h"
#include "TkPaintManager.h"

namespace {

class DialogBarFixture : public DockFixture {
protected:
    void SetUp() override {
        DockFixture::SetUp();
        m_pSite->m_onCreateBar = [](CommandBarCreateRecord* pRecord) { pRecord->pCommandBar = new CTkDialogBar; };
        m_pDialogBar = static_cast<CTkDialogBar*>(m_pCommandBars->AddToolBar(L"Channels", 0));
        ASSERT_NE(m_pDialogBar, nullptr);
        ASSERT_TRUE(m_pDialogBar->IsKindOf(RUNTIME_CLASS(CTkDialogBar)));
        m_pDialogBar->SetSize(CSize(160, 90), CSize(180, 120));
        Layout();
        m_nStrip = m_pDialogBar->GetPaintManager()->PaintBarGripper(nullptr, m_pDialogBar, FALSE).cy;
    }
    // The bar's answer to WM_NCHITTEST at a point given relative to its window's corners: x and y below 0
    // count from the right and bottom edges (-1 the last pixel).
    LRESULT HitAt(int x, int y) const {
        CRect rc;
        m_pDialogBar->GetWindowRect(&rc);
        const int xs = x >= 0 ? rc.left + x : rc.right + x;
        const int ys = y >= 0 ? rc.top + y : rc.bottom + y;
        return m_pDialogBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(xs, ys));
    }
    CSize WindowSize() const {
        CRect rc;
        m_pDialogBar->GetWindowRect(&rc);
        return rc.Size();
    }
    void Float(CPoint pt) {
        ASSERT_TRUE(m_pDialogBar->SetPosition(kBarFloating));
        m_pDialogBar->RecalcLayout();
        m_pDialogBar->SetWindowPos(nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CTkControl* Caption() const { return m_pDialogBar->GetControls()->FindById(kIdDialogBarCaptionPopup); }
    CTkControl* Hide() const { return m_pDialogBar->GetControls()->FindById(kIdDialogBarHide); }

    CTkDialogBar* m_pDialogBar = nullptr;  // the hub's
    int m_nStrip = 0;                      // the caption strip's height
};

constexpr LRESULT kBase = HTCLIENT;

TEST_F(DialogBarFixture, EachDockedSideResizesFromTheEdgesFacingTheFrameAndAFloatingBarFromAllOfThem) {
    struct Case {
        int nPosition;
        BOOL bStretched;
        int x, y;
        LRESULT nExpected;
    };
    // -1 is the last pixel of the window; 3 and -4 the first pixels inside the 3-pixel frame.
    const Case cases[] = {
        {kBarFloating, FALSE, 0, 0, HTTOPLEFT},
        {kBarFloating, FALSE, -1, 0, HTTOPRIGHT},
        {kBarFloating, FALSE, 0, -1, HTBOTTOMLEFT},
        {kBarFloating, FALSE, -1, -1, HTBOTTOMRIGHT},
        {kBarFloating, FALSE, 40, 2, HTTOP},
        {kBarFloating, FALSE, 40, -3, HTBOTTOM},
        {kBarFloating, FALSE, 2, 40, HTLEFT},
        {kBarFloating, FALSE, -3, 40, HTRIGHT},
        {kBarFloating, FALSE, 3, 40, kBase},
        {kBarBottom, FALSE, 40, 0, HTTOP},
        {kBarBottom, FALSE, 40, 3, HTTOP},
        {kBarBottom, FALSE, 40, 4, kBase},
        {kBarBottom, FALSE, 40, -1, kBase},
        {kBarBottom, FALSE, -1, 40, kBase},
        {kBarTop, FALSE, 40, -1, HTBOTTOM},
        {kBarTop, FALSE, 40, -3, HTBOTTOM},
        {kBarTop, FALSE, 40, -4, kBase},
        {kBarTop, FALSE, -1, 40, HTRIGHT},
        {kBarTop, FALSE, 0, 40, kBase},
        {kBarTop, FALSE, 40, 0, kBase},
        {kBarTop, TRUE, 40, -1, HTBOTTOM},
        {kBarTop, TRUE, -1, 40, kBase},
        {kBarLeft, FALSE, 40, -1, HTBOTTOM},
        {kBarLeft, FALSE, -1, 40, HTRIGHT},
        {kBarLeft, TRUE, 40, -1, kBase},
        {kBarLeft, TRUE, -1, 40, HTRIGHT},
        {kBarRight, FALSE, 0, 40, HTLEFT},
        {kBarRight, FALSE, 3, 40, HTLEFT},
        {kBarRight, FALSE, -1, 40, kBase},
        {kBarRight, FALSE, 40, -1, HTBOTTOM},
        {kBarRight, TRUE, 40, -1, kBase},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.nPosition << (c.bStretched ? " stretched" : "") << " at ("
                                        << c.x << ", " << c.y << ")");
        m_pDialogBar->ModifyFlags(c.bStretched ? kBarFlagStretched : 0, c.bStretched ? 0 : kBarFlagStretched);
        if (c.nPosition == kBarFloating) {
            if (!m_pDialogBar->IsFloating())
                Float(CPoint(500, 300));
        } else if (m_pDialogBar->GetPosition() != c.nPosition) {
            ASSERT_TRUE(m_pDialogBar->SetPosition(c.nPosition));
            Layout();
        }
        EXPECT_EQ(HitAt(c.x, c.y), c.nExpected);
    }

    // A bar that is not resizable has no edges.
    m_pDialogBar->SetResizable(FALSE);
    EXPECT_EQ(HitAt(0, 0), kBase);
    EXPECT_EQ(HitAt(-1, 40), kBase);
}

TEST_F(DialogBarFixture, ResizesBelowTheMinimumAreIgnoredAndTheOthersSetTheFloatingOrDockedSize) {
    const CRect rcBorders = m_pDialogBar->GetClientBorders();
    ASSERT_EQ(rcBorders, CRect(3, 3 + m_nStrip, 3, 3));

    // Docked at the top: the bar's size is the docked size with the borders and the caption.
    EXPECT_EQ(WindowSize(), CSize(166, 96 + m_nStrip));
    m_pDialogBar->ResizeFromTracker(CRect(0, 0, 220, 40), HTRIGHT);  // 40 high: below the floor
    Layout();
    EXPECT_EQ(m_pDialogBar->GetDockedSize(), CSize(160, 90));
    m_pDialogBar->ResizeFromTracker(CRect(0, 0, 220, 300), HTRIGHT);
    Layout();
    EXPECT_EQ(m_pDialogBar->GetDockedSize(), CSize(214, 90));
    m_pDialogBar->ResizeFromTracker(CRect(0, 0, 220, 150), HTBOTTOM);
    Layout();
    EXPECT_EQ(m_pDialogBar->GetDockedSize(), CSize(214, 150 - 6 - m_nStrip));
    EXPECT_EQ(WindowSize(), CSize(220, 150));
    EXPECT_EQ(m_pDialogBar->GetFloatingSize(), CSize(180, 120));

    // Floating: the rectangle becomes the window, unless it is narrower or lower than 50.
    Float(CPoint(500, 300));
    EXPECT_EQ(WindowSize(), CSize(186, 126 + m_nStrip));
    CRect rcBefore;
    m_pDialogBar->GetWindowRect(&rcBefore);
    for (const CRect& rcSmall : {CRect(500, 300, 549, 500), CRect(500, 300, 700, 349)}) {
        m_pDialogBar->ResizeFromTracker(rcSmall, HTBOTTOMRIGHT);
        CRect rc;
        m_pDialogBar->GetWindowRect(&rc);
        EXPECT_EQ(rc, rcBefore);
        EXPECT_EQ(m_pDialogBar->GetFloatingSize(), CSize(180, 120));
    }
    const CRect rcSmallest(480, 290, 530, 340);
    m_pDialogBar->ResizeFromTracker(rcSmallest, HTTOPLEFT);
    CRect rc;
    m_pDialogBar->GetWindowRect(&rc);
    EXPECT_EQ(rc, rcSmallest);
    EXPECT_EQ(m_pDialogBar->GetFloatingSize(), CSize(44, 44 - m_nStrip));
    EXPECT_EQ(m_pDialogBar->GetDockedSize(), CSize(214, 150 - 6 - m_nStrip));
}

TEST_F(DialogBarFixture, TheCaptionHoldsTheCloseButtonAndTheCaptionPopupWhichOpensOnlyAMenuWithItems) {
    const int nWidth = WindowSize().cx;
    const int y = 3 + m_nStrip / 2 - 8;
    const int nGripper = m_pDialogBar->GetPaintManager()->PaintBarGripper(nullptr, m_pDialogBar, FALSE).cx;
    ASSERT_NE(Hide(), nullptr);
    ASSERT_NE(Caption(), nullptr);
    EXPECT_TRUE(Hide()->IsTemporary());
    EXPECT_TRUE(Caption()->IsTemporary());
    EXPECT_EQ(Hide()->GetRect(), CRect(nWidth - 19, y, nWidth - 3, y + 16));
    EXPECT_TRUE(Hide()->IsVisible());
    EXPECT_EQ(Caption()->GetRect(), CRect(3 + nGripper, y, nWidth - 19, y + 16));
    EXPECT_EQ(m_pDialogBar->GetCaptionHeight(), 3 + m_nStrip);
    // Without a caption of its own the bar's title shows.
    EXPECT_EQ(Caption()->GetCaption(), L"Channels");
    m_pDialogBar->SetCaption(L"Live channels");
    Layout();
    EXPECT_EQ(Caption()->GetCaption(), L"Live channels");

    // The caption strip is the bar for the mouse manager; the hosted window below it is not.
    CRect rcWindow;
    m_pDialogBar->GetWindowRect(&rcWindow);
    EXPECT_EQ(m_pDialogBar->HitTestBar(rcWindow.left + 40, rcWindow.top + 3 + m_nStrip - 1), 1);
    EXPECT_EQ(m_pDialogBar->HitTestBar(rcWindow.left + 40, rcWindow.top + 3 + m_nStrip), -2);
    EXPECT_EQ(m_pDialogBar->HitTestBar(rcWindow.left - 1, rcWindow.top + 5), -2);

    // An empty caption menu: no menu, nothing opens.
    auto* pCaption = static_cast<CTkDialogBar::CControlCaptionPopup*>(Caption());
    EXPECT_EQ(pCaption->GetCommandBar(), m_pDialogBar->GetCaptionPopupBar());
    EXPECT_FALSE(pCaption->HasMenu());
    EXPECT_FALSE(pCaption->SetPopupOpen(TRUE));
    m_pDialogBar->GetCaptionPopupBar()->GetControls()->Add(kControlButton, 100);
    Layout();
    EXPECT_TRUE(pCaption->HasMenu());
    m_pDialogBar->EnableCaptionMenu(FALSE);
    Layout();
    EXPECT_FALSE(pCaption->HasMenu());

    // A bar that may not be closed hides the button and gives its room to the caption popup.
    m_pDialogBar->SetCloseable(FALSE);
    Layout();
    EXPECT_FALSE(Hide()->IsVisible());
    EXPECT_EQ(Caption()->GetRect(), CRect(3 + nGripper, y, nWidth - 3, y + 16));

    // The close button hides the bar.
    m_pDialogBar->SetCloseable(TRUE);
    Layout();
    Hide()->Execute();
    EXPECT_FALSE(m_pDialogBar->IsVisible());
}

TEST_F(DialogBarFixture, TheHostedWindowFillsTheBarBelowTheCaptionDockedAndFloating) {
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, L"EDIT", L"Channel 1 recording", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE,
                               CRect(0, 0, 10, 10), m_pDialogBar, 100));
    m_pDialogBar->SetChildWindow(child.GetSafeHwnd());
    const auto childRect = [&] {
        CRect rc;
        child.GetWindowRect(&rc);
        m_pDialogBar->ScreenToClient(&rc);
        return rc;
    };
    const auto picture = [&](LPCWSTR pszFile) {
        const CSize sz = WindowSize();
        CScopedMemDC dc(sz.cx, sz.cy);
        dc.FillSolidRect(0, 0, sz.cx, sz.cy, RGB(255, 0, 255));
        m_pDialogBar->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
        const CRect rcChild = childRect();
        CScopedSaveDC saved(dc.GetSafeHdc());
        ::SetViewportOrgEx(dc.GetSafeHdc(), rcChild.left, rcChild.top, nullptr);
        child.SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                          PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
        WritePng(dc, pszFile);
    };

    Layout();
    CSize sz = WindowSize();
    EXPECT_EQ(childRect(), CRect(3, 3 + m_nStrip, sz.cx - 3, sz.cy - 3));
    picture(L"Z:\\tmp\\dialogbar_docked.png");

    Float(CPoint(500, 300));
    sz = WindowSize();
    EXPECT_EQ(childRect(), CRect(3, 3 + m_nStrip, sz.cx - 3, sz.cy - 3));
    m_pDialogBar->GetCaptionPopupBar()->GetControls()->Add(kControlButton, 100);
    m_pDialogBar->RecalcLayout();
    picture(L"Z:\\tmp\\dialogbar_floating.png");

    // Without the caption the window takes the strip too.
    m_pDialogBar->SetShowCaption(FALSE);
    sz = WindowSize();
    EXPECT_EQ(sz, CSize(186, 126));
    EXPECT_EQ(childRect(), CRect(3, 3, sz.cx - 3, sz.cy - 3));
    EXPECT_FALSE(Caption()->IsVisible());
    EXPECT_FALSE(Hide()->IsVisible());
    child.DestroyWindow();
}

}  // namespace
