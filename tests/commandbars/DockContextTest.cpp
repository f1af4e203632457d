// The dock context: drags run by posted mouse messages (to the site, whose window does not move while the
// bar does), double clicks, and the rectangle helpers.

#include "DockFixture.h"
#include "TkMouseManager.h"

namespace {

class DockDragFixture : public DockFixture {
protected:
    // Posts a mouse move to the screen point, through the site's client coordinates.
    void PostMoveTo(CPoint ptScreen) {
        m_pSite->ScreenToClient(&ptScreen);
        m_pSite->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    }
    void PostButtonUp() { m_pSite->PostMessage(WM_LBUTTONUP, 0, 0); }
    // A point of the bar's empty space, in screen coordinates.
    static CPoint GripPoint(CTkToolBar* pBar) {
        CRect rc;
        pBar->GetWindowRect(&rc);
        return CPoint(rc.left + 1, rc.top + 1);
    }
    // The middle of the site's client area, far from every dock bar.
    CPoint ClientMiddle() const {
        CRect rc;
        m_pSite->GetClientRect(&rc);
        m_pSite->ClientToScreen(&rc);
        return rc.CenterPoint();
    }
};

TEST_F(DockDragFixture, ABarDraggedOffItsRowFloatsAndADoubleClickPutsItBack) {
    CTkToolBar* pA = AddDockedBar(L"A", 3);
    CTkToolBar* pB = AddDockedBar(L"B", 3);
    CTkDockBar* pTop = m_pCommandBars->GetDockBar(kBarTop);
    CRect rcA = ClientRectIn(pA, pTop);
    CRect rcB(rcA.right + 30, rcA.top, rcA.right + 30 + rcA.Width(), rcA.bottom);
    pTop->ClientToScreen(&rcB);
    ASSERT_TRUE(m_pCommandBars->DockCommandBar(pB, &rcB, pTop));
    Layout();
    const CRect rcDocked = ClientRectIn(pB, pTop);
    ASSERT_EQ(RowsOf(pTop), (Rows{{pB, pA}}));

    // Esc ends the drag and keeps where the last move put the bar.
    const CPoint ptTarget = ClientMiddle();
    PostMoveTo(ptTarget);
    m_pSite->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    pB->GetDockContext()->StartMove(GripPoint(pB).x, GripPoint(pB).y);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(CreateMouseManager()->m_nLock, 0);
    EXPECT_EQ(pB->GetPosition(), kBarFloating);
    EXPECT_EQ(pB->GetDockBar(), nullptr);
    EXPECT_EQ(RowsOf(pTop), (Rows{{pA}}));
    CRect rcFloating;
    pB->GetWindowRect(&rcFloating);
    rcFloating.InflateRect(0, 0, 1, 1);  // the point may lie on the far edges
    EXPECT_TRUE(rcFloating.PtInRect(ptTarget));
    rcFloating.DeflateRect(0, 0, 1, 1);
    EXPECT_EQ(pB->GetDockContext()->GetLastFloatingPosition(), rcFloating.TopLeft());
    EXPECT_TRUE(m_pCommandBars->GetCommandBarsOptions()->m_bDirty);

    // The double click docks it in the row and at the place it had before the drag.
    EXPECT_TRUE(pB->GetDockContext()->ToggleDocking());
    Layout();
    EXPECT_EQ(pB->GetPosition(), kBarTop);
    EXPECT_EQ(RowsOf(pTop), (Rows{{pB, pA}}));
    EXPECT_EQ(ClientRectIn(pB, pTop), rcDocked);

    // Floating by double click only when the options say so.
    EXPECT_FALSE(pB->GetDockContext()->ToggleDocking());
    EXPECT_EQ(pB->GetPosition(), kBarTop);
    m_pCommandBars->GetCommandBarsOptions()->m_bDblClickFloat = TRUE;
    EXPECT_TRUE(pB->GetDockContext()->ToggleDocking());
    EXPECT_EQ(pB->GetPosition(), kBarFloating);
}

TEST_F(DockDragFixture, ABarThatMayNotFloatStaysDockedAndAFloatingBarDocksWhereItIsDropped) {
    CTkToolBar* pA = AddDockedBar(L"A", 3);
    CTkDockBar* pTop = m_pCommandBars->GetDockBar(kBarTop);
    pA->ModifyFlags(0, kBarFlagFloat);
    const CRect rcBefore = ClientRectIn(pA, pTop);
    PostMoveTo(ClientMiddle());
    PostButtonUp();
    pA->GetDockContext()->StartMove(GripPoint(pA).x, GripPoint(pA).y);
    EXPECT_EQ(pA->GetPosition(), kBarTop);
    EXPECT_EQ(ClientRectIn(pA, pTop), rcBefore);

    // Dropped at the bottom edge of the client area it docks at the bottom.
    pA->ModifyFlags(kBarFlagFloat, 0);
    ASSERT_TRUE(pA->SetPosition(kBarFloating));
    pA->SetWindowPos(nullptr, ClientMiddle().x, ClientMiddle().y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rcClient;
    m_pSite->GetClientRect(&rcClient);
    m_pSite->ClientToScreen(&rcClient);
    PostMoveTo(CPoint(rcClient.CenterPoint().x, rcClient.bottom - 5));
    PostButtonUp();
    pA->GetDockContext()->StartMove(GripPoint(pA).x, GripPoint(pA).y);
    EXPECT_EQ(pA->GetPosition(), kBarBottom);
    CTkDockBar* pBottom = m_pCommandBars->GetDockBar(kBarBottom);
    EXPECT_EQ(RowsOf(pBottom), (Rows{{pA}}));
    EXPECT_EQ(::GetParent(pA->GetSafeHwnd()), pBottom->GetSafeHwnd());
    Layout();
    m_pSite->GetClientRect(&rcClient);
    EXPECT_EQ(ClientRectIn(pBottom, m_pSite).bottom, rcClient.bottom);
}

TEST_F(DockDragFixture, TheDragLoopPostsWmQuitAgainAndResizingRemembersTheWidth) {
    CTkToolBar* pA = AddDockedBar(L"A", 6);
    ASSERT_TRUE(pA->SetPosition(kBarFloating));
    // The quit the thread's own loop would see, which any message filter lets through.
    ::PostQuitMessage(7);
    pA->GetDockContext()->StartMove(GripPoint(pA).x, GripPoint(pA).y);
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);

    CRect rc;
    pA->GetWindowRect(&rc);
    PostMoveTo(CPoint(rc.right + 40, rc.CenterPoint().y));
    PostButtonUp();
    pA->GetDockContext()->StartResize(HTRIGHT, rc.right, rc.CenterPoint().y);
    CRect rcAfter;
    pA->GetWindowRect(&rcAfter);
    EXPECT_EQ(pA->GetMRUWidth(), rcAfter.Width());
    EXPECT_EQ(rcAfter.TopLeft(), rc.TopLeft());
}

TEST(DockRectangles, OffsetRectToPointMovesTheLeastDistance) {
    struct Row {
        CPoint pt;
        CRect expected;
    };
    const Row rows[] = {
        {{15, 15}, {10, 10, 30, 20}},  // inside: unchanged
        {{5, 15}, {5, 10, 25, 20}},    // left of it
        {{40, 25}, {20, 15, 40, 25}},  // right of and below it
        {{20, 2}, {10, 2, 30, 12}},    // above it
    };
    for (const Row& row : rows) {
        CRect rc(10, 10, 30, 20);
        OffsetRectToPoint(rc, row.pt.x, row.pt.y);
        EXPECT_EQ(rc, row.expected) << row.pt.x << "," << row.pt.y;
    }
}

TEST(DockRectangles, KeepOnScreenLeavesTenPixelsInTheWorkArea) {
    CRect rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    struct Row {
        CRect rc;
        CRect expected;
    };
    const Row rows[] = {
        {{100, 100, 200, 150}, {100, 100, 200, 150}},
        {{rcWork.right + 50, 100, rcWork.right + 150, 150}, {rcWork.right - 10, 100, rcWork.right + 90, 150}},
        {{-300, 100, -200, 150}, {rcWork.left - 90, 100, rcWork.left + 10, 150}},
        {{100, rcWork.bottom - 5, 200, rcWork.bottom + 45}, {100, rcWork.bottom - 10, 200, rcWork.bottom + 40}},
        {{100, -100, 200, -50}, {100, rcWork.top - 40, 200, rcWork.top + 10}},
    };
    for (const Row& row : rows) {
        CRect rc = row.rc;
        CTkDockContext::KeepOnScreen(rc);
        EXPECT_EQ(rc, row.expected) << row.rc.left << "," << row.rc.top;
    }
}

}  // namespace
