// The tab row without drawing: keys, deletion, automatic colours, the scroll offset, reference hand-over,
// the close button's rule and tooltips.

#include "TabsTestSupport.h"

#include "TkToolTipContext.h"

namespace {

// A row of four tabs laid out on top of a 400 x 100 control.
struct KeyCase {
    int nPosition;
    BOOL bRtl;
    int nSelected;  // -1: none
    int nHidden;    // -1: none
    int nDisabled;  // -1: none
    UINT nKey;
    BOOL bResult;
    int nExpected;  // the selection afterwards
    const char* pszWhat;
};

const KeyCase kKeyCases[] = {
    {kTabPositionTop, FALSE, 1, -1, -1, VK_RIGHT, TRUE, 2, "right moves on"},
    {kTabPositionTop, FALSE, 1, -1, -1, VK_LEFT, TRUE, 0, "left moves back"},
    {kTabPositionTop, FALSE, 3, -1, -1, VK_RIGHT, TRUE, 3, "right at the end stays"},
    {kTabPositionTop, FALSE, 0, -1, -1, VK_LEFT, TRUE, 0, "left at the start stays"},
    {kTabPositionTop, TRUE, 1, -1, -1, VK_RIGHT, TRUE, 0, "right-to-left: right moves back"},
    {kTabPositionTop, FALSE, 1, -1, -1, VK_DOWN, TRUE, 1, "down on a horizontal row does nothing"},
    {kTabPositionLeft, FALSE, 1, -1, -1, VK_DOWN, TRUE, 2, "down moves on a vertical row"},
    {kTabPositionRight, FALSE, 1, -1, -1, VK_UP, TRUE, 0, "up moves back a vertical row"},
    {kTabPositionLeft, FALSE, 1, -1, -1, VK_RIGHT, TRUE, 1, "right on a vertical row does nothing"},
    {kTabPositionTop, FALSE, 0, 3, -1, VK_END, TRUE, 2, "end skips a hidden last tab"},
    {kTabPositionTop, FALSE, 3, -1, 0, VK_HOME, TRUE, 1, "home skips a disabled first tab"},
    {kTabPositionTop, FALSE, 0, 1, -1, VK_RIGHT, TRUE, 2, "right skips a hidden tab"},
    {kTabPositionBottom, FALSE, 2, -1, -1, VK_RETURN, FALSE, 2, "other keys are not taken"},
};

}  // namespace

TEST(TabManager, KeysMoveTheSelectionByPositionAndDirection) {
    CScriptWindow window;
    for (const KeyCase& c : kKeyCases) {
        CTestTabRow row;
        row.m_pPaintManager->SetPosition(c.nPosition);
        row.AddTabs(4);
        row.Layout(CRect(0, 0, 400, 100));
        if (c.nHidden >= 0)
            row.GetItem(c.nHidden)->m_bVisible = FALSE;
        if (c.nDisabled >= 0)
            row.GetItem(c.nDisabled)->m_bEnabled = FALSE;
        row.SelectItem(row.GetItem(c.nSelected));
        ::SetWindowLongPtrW(window.GetHwnd(), GWL_EXSTYLE, c.bRtl ? WS_EX_LAYOUTRTL : 0);
        EXPECT_EQ(row.PerformKeyDown(window.GetHwnd(), c.nKey), c.bResult) << c.pszWhat;
        EXPECT_EQ(row.GetCurSel(), c.nExpected) << c.pszWhat;
    }
}

TEST(TabManager, KeysWithoutASelectableTabAskNothing) {
    CScriptWindow window;
    CTestTabRow empty;
    for (UINT nKey : {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_UP})
        EXPECT_FALSE(empty.PerformKeyDown(window.GetHwnd(), nKey));
    EXPECT_EQ(empty.GetItemsLength(), 0);
    EXPECT_EQ(empty.HitTest(CPoint(5, 5)), nullptr);

    CTestTabRow row;
    row.AddTabs(2);
    row.GetItem(0)->m_bEnabled = FALSE;
    row.GetItem(1)->m_bVisible = FALSE;
    EXPECT_TRUE(row.PerformKeyDown(window.GetHwnd(), VK_END));
    EXPECT_TRUE(row.PerformKeyDown(window.GetHwnd(), VK_HOME));
    EXPECT_TRUE(row.m_asked.empty()) << "a key that finds no tab asks the host nothing";
}

TEST(TabManager, DeletingTheSelectedTabSelectsTheNearest) {
    CTestTabRow row;
    row.AddTabs(3);
    row.SelectItem(row.GetItem(2));
    EXPECT_TRUE(row.DeleteItem(2));
    EXPECT_EQ(row.GetCurSel(), 1);
    EXPECT_FALSE(row.DeleteItem(2));
    EXPECT_FALSE(row.DeleteItem(-1));
    row.SelectItem(row.GetItem(0));
    EXPECT_TRUE(row.DeleteItem(0));
    EXPECT_EQ(row.GetCurSel(), 0) << "the tab after takes its place";
    EXPECT_TRUE(row.DeleteItem(0));
    EXPECT_EQ(row.GetCurSel(), -1);
    EXPECT_EQ(row.GetSelectedItem(), nullptr);
}

TEST(TabManager, AutomaticColoursContinueAcrossRowsOfOnePaintManager) {
    CTestTabRow first;
    CTestTabRow second(first.m_pPaintManager);
    first.AddTabs(6);
    second.AddTabs(4);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(first.GetItem(i)->m_clrItem, kAutomaticTabColor + static_cast<COLORREF>(i));
    EXPECT_EQ(second.GetItem(0)->m_clrItem, kAutomaticTabColor + 6);
    EXPECT_EQ(second.GetItem(1)->m_clrItem, kAutomaticTabColor + 7);
    EXPECT_EQ(second.GetItem(2)->m_clrItem, kAutomaticTabColor) << "the ninth starts again";
    EXPECT_EQ(second.GetItemColor(second.GetItem(2)), RGB(138, 168, 228));
    EXPECT_EQ(first.GetItemColor(first.GetItem(3)), RGB(240, 158, 159));
}

TEST(TabManager, ScrollOffsetIsNeverPositiveAndRepositionsOnChange) {
    CTestTabRow row;
    row.SetScrollOffset(5);
    EXPECT_EQ(row.GetScrollOffset(), 0);
    EXPECT_EQ(row.m_nRepositions, 0);
    row.SetScrollOffset(-40);
    row.SetScrollOffset(-40);
    EXPECT_EQ(row.m_nRepositions, 1);
    row.OnScroll(TRUE);
    EXPECT_EQ(row.GetScrollOffset(), -60);
    row.OnScroll(FALSE);
    EXPECT_EQ(row.GetScrollOffset(), -40);
}

TEST(TabManager, InsertAdoptsTheReferenceItIsGiven) {
    CPoisonedItem::s_nDestroyed = 0;
    {
        CTestTabRow row;
        auto* pItem = new CPoisonedItem;
        EXPECT_EQ(row.InsertItem(5, pItem), pItem) << "an index past the end appends";
        EXPECT_EQ(pItem->m_dwRef, 1);
        EXPECT_EQ(row.GetItem(0), pItem);
        row.DeleteItem(0);
        EXPECT_EQ(CPoisonedItem::s_nDestroyed, 1) << "the row's one reference was the only one";
        row.InsertItem(0, new CPoisonedItem);
    }
    EXPECT_EQ(CPoisonedItem::s_nDestroyed, 2) << "the row releases its tabs when it goes";
}

TEST(TabManager, CloseButtonFollowsTheSelectedTabsClosability) {
    CTestTabRow row;
    CTkTabManagerNavigateButton* pClose = row.FindNavigateButton(kNavigateButtonClose);
    pClose->m_nMode = kNavigateButtonAutomatic;
    row.AddTabs(2);
    row.GetItem(1)->m_bClosable = FALSE;
    row.SelectItem(row.GetItem(1));
    row.Layout(CRect(0, 0, 300, 100));
    EXPECT_TRUE(pClose->GetRect().IsRectEmpty());
    row.SelectItem(row.GetItem(0));
    EXPECT_FALSE(pClose->GetRect().IsRectEmpty());
    EXPECT_EQ(pClose->GetRect(), CRect(285, 3, 299, 18));

    // Tabs of a row with a close-button mode get their own button, which leaves with them.
    row.SetCloseButtonMode(kNavigateButtonAlways);
    CTkTabManagerItem* pItem = row.InsertItem(-1);
    ASSERT_EQ(pItem->m_buttons.size(), 1u);
    EXPECT_EQ(pItem->m_buttons[0]->GetItem(), pItem);
    EXPECT_EQ(pItem->m_buttons[0]->GetId(), kNavigateButtonClose);
}

TEST(TabManager, ToolTipsNameTruncatedTabsWithCaptionAndText) {
    CScriptWindow window;
    CTestTabRow row;
    row.AddTabs(2);
    row.GetItem(0)->SetToolTip(L"First tip");
    row.GetItem(1)->SetToolTip(L"Second tip");
    row.Layout(CRect(0, 0, 300, 100));
    row.GetItem(0)->m_nLength = row.GetItem(0)->m_nContentLength - 1;  // as size to fit leaves it

    ToolTipExtraInfo extra = {};
    TOOLINFO info = {};
    info.cbSize = AFX_TOOLINFO_V2_SIZE;
    info.lParam = reinterpret_cast<LPARAM>(&extra);
    const CPoint ptFirst = row.GetItem(0)->GetRect().CenterPoint();
    EXPECT_EQ(row.OnToolHitTest(window.GetHwnd(), ptFirst, &info), 0);
    EXPECT_STREQ(info.lpszText, L"First tip");
    EXPECT_STREQ(extra.pszTitle, L"Tab 1");
    EXPECT_STREQ(extra.pszDescription, L"First tip");
    EXPECT_EQ(CRect(info.rect), row.GetItem(0)->GetRect());
    free(info.lpszText);
    free(extra.pszTitle);
    free(extra.pszDescription);

    TOOLINFO plain = {};
    plain.cbSize = AFX_TOOLINFO_V1_SIZE;
    const CPoint ptSecond = row.GetItem(1)->GetRect().CenterPoint();
    EXPECT_EQ(row.OnToolHitTest(window.GetHwnd(), ptSecond, &plain), -1) << "mode 2: a whole tab has no tip";
    row.m_pPaintManager->m_nToolTipMode = 1;
    EXPECT_EQ(row.OnToolHitTest(window.GetHwnd(), ptSecond, &plain), 1);
    free(plain.lpszText);
    row.m_pPaintManager->m_nToolTipMode = 0;
    EXPECT_EQ(row.OnToolHitTest(window.GetHwnd(), ptFirst, &plain), -1);
}
