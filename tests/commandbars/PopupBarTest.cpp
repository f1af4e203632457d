#include "BarFixtures.h"
#include "TkMouseManager.h"
#include "TkPopupBar.h"
#include "TkPopupPlacement.h"
#include "TkToolBar.h"

#include <algorithm>
#include <vector>

namespace {

// A gallery-like control whose popup gets a corner gripper.
class CResizableControl : public CTkControlButton {
public:
    CResizableControl() { m_nType = kControlGallery; }
    int CanCustomizeResize() const override { return 3; }
    int GetCustomizeMinWidth() const override { return 40; }
    int GetCustomizeMinHeight() const override { return 20; }
};

class PopupBarFixture : public BarFixture {
protected:
    void SetUp() override {
        BarFixture::SetUp();
        // No desktop capture in tests: popups appear at once.
        m_pCommandBars->GetCommandBarsOptions()->m_nAnimationType = kPopupAnimationNone;
        m_pPopup = new CTkPopupBar;
        m_pPopup->SetCommandBars(m_pCommandBars);
    }
    void TearDown() override {
        m_pPopup->EndTracking();
        m_pPopup->InternalRelease();
        DrainQueue();
        BarFixture::TearDown();
    }
    CTkControl* AddItem(int nId, LPCWSTR pszCaption, BOOL bBeginGroup = FALSE) {
        CTkControl* pControl = m_pPopup->GetControls()->Add(kControlButton, nId);
        pControl->SetCaption(pszCaption);
        pControl->SetBeginGroup(bBeginGroup);
        return pControl;
    }
    static void DrainQueue() {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    // The popup's window rectangle while its modal loop runs.
    CRect TrackAndMeasure(UINT nFlags, int x, int y, CWnd* pOwner, int* pnResult) {
        CRect rc;
        const std::function<void()> inside = [&] {
            m_pPopup->GetWindowRect(&rc);
            m_pPopup->EndTracking();
        };
        RunLater(m_pSite, 10, inside);
        *pnResult = CTkCommandBars::TrackPopupBar(m_pPopup, nFlags, x, y, pOwner);
        return rc;
    }

    CTkPopupBar* m_pPopup = nullptr;
};

}  // namespace

TEST_F(PopupBarFixture, TrackPopupBarAnswersTheChosenIdAndForgetsTheResultWordAfterwards) {
    AddItem(100, L"Open");
    AddItem(101, L"Save");

    // The chosen command comes back instead of going to the site.
    const std::function<void()> choose = [&] { m_pPopup->GetControl(1)->Execute(); };
    RunLater(m_pSite, 10, choose);
    EXPECT_EQ(101, CTkCommandBars::TrackPopupBar(m_pPopup, 0x100, 200, 200, nullptr));
    EXPECT_TRUE(m_pSite->m_commands.empty());
    EXPECT_EQ(nullptr, m_pPopup->GetReturnCommandSlot());
    EXPECT_FALSE(m_pPopup->IsVisible());

    // Dismissed: 0 with the flag, 1 without it.
    int nResult = -1;
    TrackAndMeasure(0x100, 200, 200, nullptr, &nResult);
    EXPECT_EQ(0, nResult);
    TrackAndMeasure(0, 200, 200, nullptr, &nResult);
    EXPECT_EQ(1, nResult);

    // The same popup shown again and executed sends its command: nothing is written into the frame of the
    // earlier call.
    ASSERT_TRUE(m_pPopup->PopupAt(200, 200));
    m_pPopup->GetControl(0)->Execute();
    EXPECT_EQ(std::vector<UINT>{100}, m_pSite->m_commands);
}

TEST_F(PopupBarFixture, APopupForARightToLeftOwnerOpensToTheLeftOfThePoint) {
    AddItem(100, L"Open");
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(WS_EX_LAYOUTRTL, AfxRegisterWndClass(0), L"owner", WS_POPUP, 0, 0, 50, 50,
                               m_pSite->GetSafeHwnd(), nullptr));
    int nResult = 0;
    const CRect rcRightToLeft = TrackAndMeasure(0, 400, 200, &owner, &nResult);
    EXPECT_EQ(400, rcRightToLeft.right);
    EXPECT_EQ(200, rcRightToLeft.top);
    EXPECT_TRUE(m_pPopup->GetDirection() & kPopupLeft);

    const CRect rcLeftToRight = TrackAndMeasure(0, 400, 200, nullptr, &nResult);
    EXPECT_EQ(400, rcLeftToRight.left);
    owner.DestroyWindow();
}

TEST_F(PopupBarFixture, AScrolledMenuShowsTheLastTwoControlsTogetherAndKeepsItsStripsClearOfThem) {
    for (int i = 0; i < 30; ++i)
        AddItem(100 + i, L"Item");
    ASSERT_TRUE(m_pPopup->PopupAt(100, 100));
    CRect rcClient;
    m_pPopup->GetClientRect(&rcClient);
    const CSize size(rcClient.Width(), 200);
    m_pPopup->ScrollLayout(size, FALSE, FALSE);
    const int nCount = m_pPopup->GetControlCount();
    const int nEnd = m_pPopup->GetEndVisible();
    ASSERT_GT(nEnd, 0);
    ASSERT_LT(nEnd, nCount);
    EXPECT_TRUE(m_pPopup->GetScrollUpRect().IsRectEmpty());
    EXPECT_FALSE(m_pPopup->GetScrollDownRect().IsRectEmpty());
    EXPECT_FALSE(m_pPopup->GetControl(nEnd - 1)->GetHideFlags() & kHideByBar);
    EXPECT_TRUE(m_pPopup->GetControl(nEnd)->GetHideFlags() & kHideByBar);
    EXPECT_LE(m_pPopup->GetControl(nEnd - 1)->GetRect().bottom, m_pPopup->GetScrollDownRect().top);

    // Scrolling towards the end one step at a time never stops with a single control left below.
    m_pPopup->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    std::vector<int> ends;
    for (int i = 0; i < nCount && m_pPopup->GetEndVisible() < nCount; ++i) {
        m_pPopup->SendMessage(WM_TIMER, 5001);
        ends.push_back(m_pPopup->GetEndVisible());
    }
    ASSERT_FALSE(ends.empty());
    EXPECT_EQ(nCount, ends.back());
    EXPECT_EQ(ends.end(), std::find(ends.begin(), ends.end(), nCount - 1));
    EXPECT_TRUE(m_pPopup->GetScrollDownRect().IsRectEmpty());
    EXPECT_FALSE(m_pPopup->GetScrollUpRect().IsRectEmpty());
    const int nFirst = m_pPopup->GetFirstVisible();
    EXPECT_GT(nFirst, 0);
    EXPECT_TRUE(m_pPopup->GetControl(nFirst - 1)->GetHideFlags() & kHideByBar);
    EXPECT_GE(m_pPopup->GetControl(nFirst)->GetRect().top, m_pPopup->GetScrollUpRect().bottom);
}

TEST_F(PopupBarFixture, TheDragLoopsEndOnALostCaptureAndOnQuitAndReleaseTheMouseLock) {
    AddItem(100, L"Open");
    auto* pGallery = new CResizableControl;
    m_pPopup->GetControls()->Add(pGallery, 200);
    pGallery->SetWidth(120);
    pGallery->SetHeight(60);
    m_pPopup->SetTearOffPopup(L"Torn", 0xE900);
    ASSERT_TRUE(m_pPopup->PopupAt(100, 100));
    const CRect rcStrip = m_pPopup->GetTearOffRect();
    const CRect rcGripper = m_pPopup->GetResizeGripperRect();
    ASSERT_FALSE(rcStrip.IsRectEmpty());
    ASSERT_FALSE(rcGripper.IsRectEmpty());
    const CPoint ptStrip = rcStrip.CenterPoint();
    const CPoint ptCorner(rcGripper.right - 2, rcGripper.CenterPoint().y);
    CTkMouseManager* pMouseManager = CreateMouseManager();

    struct Row {
        LPCSTR pszCase;
        CPoint pt;
        BOOL bQuit;
    };
    const Row rows[] = {
        {"tear-off strip, capture taken away", ptStrip, FALSE},
        {"tear-off strip, quit", ptStrip, TRUE},
        {"resize gripper, capture taken away", ptCorner, FALSE},
        {"resize gripper, quit", ptCorner, TRUE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszCase);
        int nLockInside = 0;
        const std::function<void()> interrupt = [&] {
            nLockInside = pMouseManager->m_nLock;
            if (row.bQuit)
                ::PostQuitMessage(7);
            else
                ::ReleaseCapture();
        };
        RunLater(m_pSite, 20, interrupt);
        m_pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row.pt.x, row.pt.y));
        EXPECT_EQ(1, nLockInside);
        EXPECT_EQ(0, pMouseManager->m_nLock);
        EXPECT_EQ(nullptr, ::GetCapture());
        MSG msg;
        const BOOL bQuitQueued = ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        EXPECT_EQ(row.bQuit, bQuitQueued);
        if (bQuitQueued) {
            EXPECT_EQ(7u, msg.wParam);
        }
    }
}

namespace {

// A frame without a customize handler that empties every context menu it is shown.
class CEmptyingSite : public CFrameWnd {
public:
    std::vector<std::pair<WPARAM, CTkPopupBar*>> m_built;

protected:
    afx_msg LRESULT OnContextMenuBuilt(WPARAM wParam, LPARAM lParam) {
        auto* pPopup = reinterpret_cast<CTkPopupBar*>(lParam);
        m_built.emplace_back(wParam, pPopup);
        pPopup->GetControls()->RemoveAll();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEmptyingSite, CFrameWnd)
    ON_MESSAGE(ContextMenuBuiltMessage, OnContextMenuBuilt)
END_MESSAGE_MAP()

}  // namespace

TEST_F(PopupBarFixture, TheToolbarsMenuListsCloseableToolbarsAndOffersCustomizingOnlyWithAHandler) {
    struct Kind {
        LPCWSTR pszTitle;
        BOOL bContextMenu;
        BOOL bCloseable;
        BOOL bVisible;
    };
    const Kind kinds[] = {
        {L"Standard & Edit", TRUE, TRUE, TRUE},
        {L"No menu", FALSE, TRUE, TRUE},
        {L"Fixed", TRUE, FALSE, TRUE},
        {L"Hidden", TRUE, TRUE, FALSE},
    };
    for (const Kind& kind : kinds) {
        auto* pToolBar = new CTkToolBar;
        m_pCommandBars->AddBar(pToolBar);
        pToolBar->SetTitle(kind.pszTitle);
        pToolBar->SetContextMenuPresent(kind.bContextMenu);
        pToolBar->SetCloseable(kind.bCloseable);
        pToolBar->SetVisible(kind.bVisible);
    }
    CTkPopupBar* pMenu = m_pCommandBars->CreateToolbarsContextMenu();
    ASSERT_EQ(3, pMenu->GetControlCount());
    EXPECT_EQ(CString(L"Standard && Edit"), pMenu->GetControl(0)->GetCaptionText());
    EXPECT_EQ(0, pMenu->GetControl(0)->GetTag());
    EXPECT_EQ(1, pMenu->GetControl(0)->GetChecked());
    EXPECT_EQ(3, pMenu->GetControl(1)->GetTag());
    EXPECT_EQ(0, pMenu->GetControl(1)->GetChecked());
    EXPECT_EQ(35001, pMenu->GetControl(2)->GetId());
    EXPECT_TRUE(pMenu->GetControl(2)->GetBeginGroup());
    pMenu->InternalRelease();

    // Without a customize handler the customize entry is missing, and a context menu emptied by the site
    // shows nothing.
    auto* pPlainSite = new CEmptyingSite;
    ASSERT_TRUE(pPlainSite->CreateEx(0, AfxRegisterWndClass(0), L"plain", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                     nullptr));
    m_pCommandBars->AttachToSite(pPlainSite);
    pMenu = m_pCommandBars->CreateToolbarsContextMenu();
    EXPECT_EQ(2, pMenu->GetControlCount());
    pMenu->InternalRelease();
    m_pCommandBars->ShowContextMenu(nullptr, 100, 100);
    ASSERT_EQ(1u, pPlainSite->m_built.size());
    EXPECT_EQ(0u, pPlainSite->m_built[0].first);
    EXPECT_EQ(0, CreateMouseManager()->GetTrackedCount());
    m_pCommandBars->AttachToSite(m_pSite);
    pPlainSite->DestroyWindow();
}
