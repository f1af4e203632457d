// The dock bars: the row arrangement, where a dropped bar goes, the rows the array keeps, and the frame
// layout of the dock bars with real toolbars.

#include "DockFixture.h"

#include <initializer_list>

namespace {

using DOCK_INFO = CTkDockBar::DOCK_INFO;

struct Entry {
    int nLeft;
    int nWidth;
    int nIndex;
    int nMinLength;
};
struct Span {
    int nIndex;
    int nLeft;
    int nRight;
};

// The entries of a row, as AdjustRow hands them over.
CTkDockBar::CDockInfoArray MakeRow(std::initializer_list<Entry> entries) {
    CTkDockBar::CDockInfoArray infos;
    for (const Entry& entry : entries) {
        DOCK_INFO info;
        info.rcBar = CRect(entry.nLeft, 0, entry.nLeft + entry.nWidth, 22);
        info.rcPreferred = info.rcBar;
        info.nIndex = entry.nIndex;
        info.nMinLength = entry.nMinLength;
        infos.push_back(info);
    }
    return infos;
}

TEST(DockRow, ArrangesOverlapsSlidesShrinksAndWrapsTheRightMostBar) {
    struct Row {
        const char* pszCase;
        int nLength;
        std::initializer_list<Entry> entries;
        std::initializer_list<Span> expected;  // in order from the left; empty: too long
        int nTooLong;
    };
    const Row rows[] = {
        {"A first, B dropped onto it", 200, {{0, 50, 0, 0}, {30, 50, 1, 0}}, {{0, 0, 50}, {1, 50, 100}}, -1},
        {"B first, A dropped before it", 200, {{0, 50, 1, 0}, {30, 50, 0, 0}}, {{1, 0, 50}, {0, 50, 100}}, -1},
        {"equal lefts keep the input order", 200, {{0, 50, 0, 0}, {0, 50, 1, 0}}, {{0, 0, 50}, {1, 50, 100}}, -1},
        {"slides left into the row", 200, {{0, 80, 0, 0}, {150, 80, 1, 0}}, {{0, 0, 80}, {1, 120, 200}}, -1},
        {"nothing before 0", 200, {{-30, 50, 0, 0}}, {{0, 0, 50}}, -1},
        {"shrinks the right-most bar", 150, {{0, 100, 0, 40}, {100, 100, 1, 40}}, {{0, 0, 100}, {1, 100, 150}}, -1},
        {"shrinks both", 100, {{0, 100, 0, 40}, {100, 100, 1, 40}}, {{0, 0, 60}, {1, 60, 100}}, -1},
        {"too long: the right-most wraps", 100, {{0, 100, 0, 80}, {100, 100, 1, 80}}, {}, 1},
        {"too long, dropped order swapped", 100, {{0, 100, 1, 80}, {100, 100, 0, 80}}, {}, 0},
        {"a single bar never wraps", 50, {{0, 100, 0, 80}}, {{0, 0, 50}}, -1},
    };
    for (const Row& row : rows) {
        CTkDockBar::CDockInfoArray infos = MakeRow(row.entries);
        int nTooLong = -1;
        const BOOL bFits = CTkDockBar::ArrangeRow(
            infos, row.nLength, [](const DOCK_INFO& info) { return info.nMinLength; }, &nTooLong);
        EXPECT_EQ(bFits, row.expected.size() != 0) << row.pszCase;
        EXPECT_EQ(nTooLong, row.nTooLong) << row.pszCase;
        if (!bFits)
            continue;
        ASSERT_EQ(infos.size(), row.expected.size()) << row.pszCase;
        size_t i = 0;
        for (const Span& span : row.expected) {
            EXPECT_EQ(infos[i].nIndex, span.nIndex) << row.pszCase;
            EXPECT_EQ(infos[i].rcBar.left, span.nLeft) << row.pszCase;
            EXPECT_EQ(infos[i].rcBar.right, span.nRight) << row.pszCase;
            ++i;
        }
    }
}

TEST(DockRow, InvertRectsSwapsTheAxes) {
    CTkDockBar::CDockInfoArray infos = MakeRow({{10, 30, 0, 0}});
    infos.InvertRects();
    EXPECT_EQ(infos[0].rcBar, CRect(0, 10, 22, 40));
    EXPECT_EQ(infos[0].rcPreferred, CRect(0, 10, 22, 40));
}

TEST_F(DockFixture, DockBarsAreMadeWithTheirIdsPositionsAndTexts) {
    const UINT ids[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    const wchar_t* texts[4] = {L"tkBarTop", L"tkBarBottom", L"tkBarLeft", L"tkBarRight"};
    for (int i = 0; i < 4; ++i) {
        CTkDockBar* pDockBar = m_pCommandBars->GetDockBar(i);
        ASSERT_NE(pDockBar, nullptr);
        EXPECT_EQ(pDockBar->GetPosition(), i);
        EXPECT_EQ(static_cast<UINT>(pDockBar->GetDlgCtrlID()), ids[i]);
        CString strText;
        pDockBar->GetWindowText(strText);
        EXPECT_EQ(strText, texts[i]);
        EXPECT_EQ(pDockBar->GetBars().size(), 1u);  // the leading null
    }
    EXPECT_EQ(m_pCommandBars->GetDockBar(4), nullptr);
}

// Three rows in the top dock bar: A and B, then C; a dropped bar D goes where its centre says.
TEST_F(DockFixture, ABarGoesIntoTheRowItsCentreIsInOrANewRowOnABoundary) {
    CTkToolBar* pA = AddDockedBar(L"A", 3);
    CTkToolBar* pB = AddDockedBar(L"B", 3);
    CTkToolBar* pC = AddDockedBar(L"C", 3);
    CTkDockBar* pTop = m_pCommandBars->GetDockBar(kBarTop);
    // B joins A's row at the right of A.
    CRect rcA = ClientRectIn(pA, pTop);
    CRect rcB(rcA.right + 10, rcA.top, rcA.right + 10 + rcA.Width(), rcA.bottom);
    pTop->ClientToScreen(&rcB);
    ASSERT_TRUE(m_pCommandBars->DockCommandBar(pB, &rcB, pTop));
    Layout();
    ASSERT_EQ(RowsOf(pTop), (Rows{{pB, pA}, {pC}}));
    rcA = ClientRectIn(pA, pTop);
    const CRect rcC = ClientRectIn(pC, pTop);
    EXPECT_EQ(rcC.top, rcA.bottom);
    EXPECT_EQ(ClientRectIn(pB, pTop).left, rcA.right + 10);  // where it was dropped

    struct Drop {
        const char* pszCase;
        int y;  // the centre's y
        Rows expected;
    };
    CTkToolBar* pD = AddDockedBar(L"D", 2);
    pTop->RemoveBar(pD);
    const Drop drops[] = {
        {"inside the first row", rcA.top + 2, {{pD, pB, pA}, {pC}}},
        {"on the boundary of the rows", rcA.bottom, {{pB, pA}, {pD}, {pC}}},
        {"inside the second row", rcC.top + 1, {{pB, pA}, {pD, pC}}},
        {"below the rows", rcC.bottom + 5, {{pB, pA}, {pC}, {pD}}},
        {"above the dock bar", -3, {{pD}, {pB, pA}, {pC}}},
    };
    for (const Drop& drop : drops) {
        pTop->InsertAtPoint(pD, CRect(), CPoint(5, drop.y));
        EXPECT_EQ(RowsOf(pTop), drop.expected) << drop.pszCase;
        ASSERT_TRUE(pTop->RemoveBar(pD, -1)) << drop.pszCase;
        EXPECT_EQ(RowsOf(pTop), (Rows{{pB, pA}, {pC}})) << drop.pszCase;
    }
}

TEST_F(DockFixture, RowsStayFreeOfEmptyRowsAndAStretchedBarIsAlone) {
    CTkToolBar* pA = AddDockedBar(L"A", 2);
    CTkToolBar* pB = AddDockedBar(L"B", 2);
    CTkDockBar* pTop = m_pCommandBars->GetDockBar(kBarTop);
    EXPECT_EQ(RowsOf(pTop), (Rows{{pA}, {pB}}));
    // Removing the only bar of a row takes its row away; unknown bars are refused.
    EXPECT_TRUE(pTop->RemoveBar(pA));
    EXPECT_EQ(pTop->GetBars(), (std::vector<CTkToolBar*>{nullptr, pB, nullptr}));
    EXPECT_EQ(pA->GetDockBar(), nullptr);
    EXPECT_FALSE(pTop->RemoveBar(pA));
    EXPECT_FALSE(pTop->RemoveBar(nullptr));
    // A stretched bar dropped into B's row gets a row of its own.
    pA->ModifyFlags(kBarFlagStretched, 0);
    CRect rc = ClientRectIn(pB, pTop);
    pTop->ClientToScreen(&rc);
    ASSERT_TRUE(m_pCommandBars->DockCommandBar(pA, &rc, pTop));
    EXPECT_EQ(RowsOf(pTop), (Rows{{pA}, {pB}}));
    EXPECT_EQ(pA->GetDockBar(), pTop);
    EXPECT_EQ(pA->GetPosition(), kBarTop);
}

TEST_F(DockFixture, TheFrameGivesTheDockBarsTheirRowsAndAHiddenDockBarNothing) {
    CTkToolBar* pA = AddDockedBar(L"A", 3);
    CTkToolBar* pLeft = AddDockedBar(L"L", 3);
    ASSERT_TRUE(pLeft->SetPosition(kBarLeft));
    Layout();
    CTkDockBar* pTop = m_pCommandBars->GetDockBar(kBarTop);
    CTkDockBar* pLeftDock = m_pCommandBars->GetDockBar(kBarLeft);
    const CRect rcTop = ClientRectIn(pTop, m_pSite);
    const CRect rcLeft = ClientRectIn(pLeftDock, m_pSite);
    const CRect rcA = ClientRectIn(pA, pTop);
    CRect rcClient;
    m_pSite->GetClientRect(&rcClient);
    EXPECT_EQ(rcTop, CRect(0, 0, rcClient.right, rcA.Height()));
    EXPECT_EQ(rcLeft.top, rcTop.bottom);
    EXPECT_EQ(rcLeft.Width(), ClientRectIn(pLeft, pLeftDock).Width());
    EXPECT_GT(ClientRectIn(pLeft, pLeftDock).Height(), ClientRectIn(pLeft, pLeftDock).Width());
    EXPECT_EQ(pA->GetDockContext()->GetLastDockPosition(), kBarTop);
    EXPECT_EQ(pLeft->GetDockContext()->GetLastDockPosition(), kBarLeft);

    pTop->ShowWindow(SW_HIDE);
    Layout();
    EXPECT_EQ(ClientRectIn(pLeftDock, m_pSite).top, 0);
}

// A bar that fills the gaps of its row reaches from the row start to the next bar, and the last one to
// the row end.
TEST_F(DockFixture, AGapFillingBarSpansToItsNeighbours) {
    CTkToolBar* pA = AddDockedBar(L"A", 2);
    CTkToolBar* pB = AddDockedBar(L"B", 2);
    CTkDockBar* pTop = m_pCommandBars->GetDockBar(kBarTop);
    pA->ModifyFlags(kBarFlagFillRowGap, 0);
    pA->GetDockContext()->SetDockedRect(CRect(40, 0, 40, 0));
    CRect rc(200, 0, 250, 10);
    pTop->ClientToScreen(&rc);
    ASSERT_TRUE(m_pCommandBars->DockCommandBar(pB, &rc, pTop));
    Layout();
    ASSERT_EQ(RowsOf(pTop), (Rows{{pB, pA}}));
    const CRect rcA = ClientRectIn(pA, pTop);
    EXPECT_EQ(rcA.left, 0);
    EXPECT_EQ(rcA.right, ClientRectIn(pB, pTop).left);

    pA->ModifyFlags(0, kBarFlagFillRowGap);
    pB->ModifyFlags(kBarFlagFillRowGap, 0);
    Layout();
    EXPECT_EQ(ClientRectIn(pB, pTop).right, ClientRectIn(pTop, pTop).right);
}

// A row too long for the frame wraps its right-most bar into a row of its own on screen, while the array
// keeps one row.
TEST_F(DockFixture, ARowTooLongWrapsOnScreenOnly) {
    m_pCommandBars->GetCommandBarsOptions()->m_bShowExpandButtonAlways = FALSE;
    CTkToolBar* pA = AddDockedBar(L"A", 12);
    CTkToolBar* pB = AddDockedBar(L"B", 12);
    CTkDockBar* pTop = m_pCommandBars->GetDockBar(kBarTop);
    pA->ModifyFlags(0, kBarFlagHideWrap);
    pB->ModifyFlags(0, kBarFlagHideWrap);
    CRect rc = ClientRectIn(pA, pTop);
    rc.OffsetRect(rc.Width(), 0);
    pTop->ClientToScreen(&rc);
    ASSERT_TRUE(m_pCommandBars->DockCommandBar(pB, &rc, pTop));
    m_pSite->SetWindowPos(nullptr, 0, 0, ClientRectIn(pA, pTop).Width() + 60, 300, SWP_NOMOVE | SWP_NOZORDER);
    Layout();
    EXPECT_EQ(RowsOf(pTop), (Rows{{pB, pA}}));
    const CRect rcA = ClientRectIn(pA, pTop);
    const CRect rcB = ClientRectIn(pB, pTop);
    EXPECT_EQ(rcB.top, rcA.bottom);
    EXPECT_EQ(ClientRectIn(pTop, pTop).Height(), rcA.Height() + rcB.Height());
}

// A layout query (no deferred positions) answers the space the rows take and moves nothing: no dock bar,
// no toolbar and no control.
TEST_F(DockFixture, ALayoutQueryReservesTheRowsAndMovesNothing) {
    CTkToolBar* pA = AddDockedBar(L"A", 6);
    CTkDockBar* pTop = m_pCommandBars->GetDockBar(kBarTop);
    const CRect rcTop = ClientRectIn(pTop, m_pSite);
    const CRect rcA = ClientRectIn(pA, pTop);
    // The expand button stands at the end of the bar the frame sized.
    CRect rcBar;
    pA->GetClientRect(&rcBar);
    const CRect rcExpand = pA->GetControls()->FindById(kIdToolBarExpand)->GetRect();
    EXPECT_GE(rcExpand.right, rcBar.right - 2);
    EXPECT_LE(rcExpand.right, rcBar.right);
    std::vector<CRect> controls;
    for (int i = 0; i < pA->GetControlCount(); ++i)
        controls.push_back(pA->GetControl(i)->GetRect());
    CRect rcClient;
    m_pSite->GetClientRect(&rcClient);
    // Narrow enough to wrap the bar's controls away had the layout been committed.
    CRect rcLeft(0, 0, rcA.Width() / 3, rcClient.bottom);
    m_pSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rcLeft, &rcLeft);
    EXPECT_EQ(rcLeft.top, rcTop.bottom);
    EXPECT_EQ(ClientRectIn(pTop, m_pSite), rcTop);
    EXPECT_EQ(ClientRectIn(pA, pTop), rcA);
    for (int i = 0; i < pA->GetControlCount(); ++i)
        EXPECT_EQ(pA->GetControl(i)->GetRect(), controls[static_cast<size_t>(i)]) << i;
}

}  // namespace
