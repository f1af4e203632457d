// The mouse loops with their scripts posted first: a press released outside or cancelled selects
// nothing, a drag reorders, a held arrow scrolls until it is disabled, a tab removed while a loop runs
// is never clicked or touched again (its memory poisoned), and WM_QUIT ends every loop and goes back to
// the queue.

#include "TabsTestSupport.h"

namespace {

// A fixed row of tabs 70 long on a 300 x 100 control; tab k's middle is (37 + 70 k, 13).
class TabTracking : public ::testing::Test {
protected:
    void SetUp() override {
        CPoisonedItem::s_nDestroyed = 0;
        m_row.m_pPaintManager->SetLayout(kTabLayoutFixed);
        for (int i = 0; i < 4; ++i)
            m_row.InsertItem(-1, new CPoisonedItem);
        m_row.Layout(CRect(0, 0, 300, 100));
    }
    void TearDown() override {
        EXPECT_EQ(::GetCapture(), nullptr) << "every loop gives the capture back";
        EXPECT_EQ(m_row.GetPressedItem(), nullptr);
    }
    static CPoint Middle(int nTab) { return CPoint(37 + 70 * nTab, 13); }
    HWND Hwnd() const { return m_window.GetHwnd(); }
    // Takes a WM_QUIT off the queue: its exit code, or -1 when there is none.
    static int TakeQuit() {
        MSG msg;
        return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(msg.wParam) : -1;
    }
    void SelectOnRelease() {
        m_row.SetAllowReorder(FALSE);
        m_row.m_pPaintManager->m_bSelectOnButtonDown = FALSE;
    }

    CScriptWindow m_window;
    CTestTabRow m_row;
};

}  // namespace

TEST_F(TabTracking, APressSelectsOnlyWhenReleasedInside) {
    SelectOnRelease();
    m_window.PostMove(Middle(1).x + 5, 15);
    m_window.PostRelease(Middle(1).x + 5, 15);
    EXPECT_TRUE(m_row.PerformClick(Hwnd(), Middle(1)));
    ASSERT_EQ(m_row.m_clicked.size(), 1u);
    EXPECT_EQ(m_row.GetCurSel(), 1);

    m_window.PostMove(200, 80);
    m_window.PostRelease(200, 80);
    m_row.PerformClick(Hwnd(), Middle(2));
    m_window.PostKey(VK_ESCAPE);
    m_row.PerformClick(Hwnd(), Middle(3));
    m_window.PostKey('A');  // swallowed
    m_window.Post(WM_RBUTTONDOWN);
    m_row.PerformClick(Hwnd(), Middle(3));
    EXPECT_EQ(m_row.m_clicked.size(), 1u) << "release outside, Escape and the right button select nothing";
    EXPECT_EQ(m_row.GetCurSel(), 1);
}

TEST_F(TabTracking, ADragReordersAgainstTheSlotsOfThePress) {
    m_row.SelectItem(m_row.GetItem(3));
    CTkTabManagerItem* pDragged = m_row.GetItem(0);
    CTkTabManagerItem* pThird = m_row.GetItem(2);
    m_window.PostMove(Middle(2).x, 13);
    m_window.PostMove(Middle(2).x + 10, 13);  // still over the dragged tab's new slot: no swap back
    m_window.PostRelease(Middle(2).x + 10, 13);
    EXPECT_TRUE(m_row.PerformClick(Hwnd(), Middle(0)));
    EXPECT_EQ(m_row.GetItem(2), pDragged);
    EXPECT_EQ(m_row.GetItem(0), pThird);
    EXPECT_EQ(pDragged->GetIndex(), 2);
    EXPECT_EQ(m_row.GetSelectedItem(), pDragged) << "the drop selects the dragged tab";
    ASSERT_EQ(m_row.m_clicked.size(), 1u);
}

TEST_F(TabTracking, AHeldArrowScrollsUntilDisabledAndTheReleaseDoesNothing) {
    m_row.InsertItem(-1);  // 350 pixels of tabs in 300
    CTkTabManagerNavigateButton* pRight = m_row.FindNavigateButton(kNavigateButtonRight);
    ASSERT_EQ(pRight->GetRect(), CRect(285, 3, 299, 18));
    std::vector<int> offsets;
    m_window.CallLater(400, [&] {
        offsets.push_back(m_row.GetScrollOffset());
        m_window.PostRelease(290, 10);
    });
    m_row.PerformClick(Hwnd(), CPoint(290, 10));
    ASSERT_EQ(offsets.size(), 1u);
    EXPECT_EQ(offsets[0], -87) << "20-pixel steps, then the row stops where its end shows";
    EXPECT_EQ(m_row.GetScrollOffset(), -87) << "the release scrolls no further";
    EXPECT_FALSE(pRight->IsEnabled());
    EXPECT_TRUE(m_row.FindNavigateButton(kNavigateButtonLeft)->IsEnabled());
    EXPECT_FALSE(pRight->IsPressed());
    EXPECT_TRUE(m_row.m_commands.empty());
}

TEST_F(TabTracking, ATabRemovedDuringThePressIsNeverClicked) {
    SelectOnRelease();
    CTkTabManagerItem* pPressed = m_row.GetItem(1);
    m_window.PostCall([&] { m_row.DeleteItem(1); });
    m_window.PostRelease(Middle(1).x, 13);
    m_row.PerformClick(Hwnd(), Middle(1));
    EXPECT_TRUE(m_row.m_clicked.empty());
    EXPECT_EQ(CPoisonedItem::s_nDestroyed, 1) << "the loop's reference went at its end";
    EXPECT_FALSE(m_row.ContainsItem(pPressed));

    // The same for the reorder drag.
    m_row.SetAllowReorder(TRUE);
    m_window.PostCall([&] { m_row.DeleteItem(0); });
    m_window.PostMove(Middle(1).x, 13);
    m_window.PostRelease(Middle(1).x, 13);
    m_row.PerformClick(Hwnd(), Middle(0));
    EXPECT_TRUE(m_row.m_clicked.empty());
    EXPECT_EQ(CPoisonedItem::s_nDestroyed, 2);
    EXPECT_EQ(m_row.GetItemCount(), 2);
}

TEST_F(TabTracking, ATabsCloseButtonDoesNotActAfterItsTabWent) {
    m_row.SetCloseButtonMode(kNavigateButtonAlways);
    m_row.DeleteAllItems();
    EXPECT_EQ(CPoisonedItem::s_nDestroyed, 4);
    m_row.InsertItem(-1, new CPoisonedItem);
    m_row.InsertItem(-1, new CPoisonedItem);
    CScopedMemDC dc(300, 100);
    m_row.Paint(dc);  // places the tabs' own buttons
    const CPoint ptClose = m_row.GetItem(0)->m_buttons[0]->GetRect().CenterPoint();
    ASSERT_FALSE(m_row.GetItem(0)->m_buttons[0]->GetRect().IsRectEmpty());
    m_window.PostCall([&] { m_row.DeleteItem(0); });
    m_window.PostRelease(ptClose.x, ptClose.y);
    m_row.PerformClick(Hwnd(), ptClose);
    EXPECT_TRUE(m_row.m_commands.empty());
    EXPECT_EQ(CPoisonedItem::s_nDestroyed, 5);

    // A close button whose tab stays closes it through the row.
    m_row.Paint(dc);
    const CPoint ptOther = m_row.GetItem(0)->m_buttons[0]->GetRect().CenterPoint();
    m_window.PostRelease(ptOther.x, ptOther.y);
    m_row.PerformClick(Hwnd(), ptOther);
    ASSERT_EQ(m_row.m_commands.size(), 1u);
    EXPECT_EQ(m_row.m_commands[0], kNavigateButtonClose);
}

TEST_F(TabTracking, QuitEndsEveryLoopAndGoesBackToTheQueue) {
    m_row.SelectItem(m_row.GetItem(3));
    ::PostQuitMessage(7);
    m_row.PerformClick(Hwnd(), Middle(0));  // reorder drag
    EXPECT_EQ(TakeQuit(), 7);
    EXPECT_TRUE(m_row.m_clicked.empty()) << "a quitting drag selects nothing";
    EXPECT_EQ(m_row.GetCurSel(), 3);

    SelectOnRelease();
    ::PostQuitMessage(8);
    m_row.PerformClick(Hwnd(), Middle(1));
    EXPECT_EQ(TakeQuit(), 8);
    EXPECT_TRUE(m_row.m_clicked.empty());

    m_row.InsertItem(-1);
    ::PostQuitMessage(9);
    m_row.PerformClick(Hwnd(), CPoint(290, 10));  // the right arrow
    EXPECT_EQ(TakeQuit(), 9);
}
