// The paint manager's layouts: the worked examples in the four positions, fixed, size-to-fit, several
// rows, scrolling, rotated text metrics, the middle ellipsis, the Visio bars and rows without tabs.

#include "TabsTestSupport.h"

namespace {

// The property-page look on a 300 x 200 control, 16-pixel icons, a font under 17 pixels: rows 20 high,
// headers 23 thick.
struct PositionCase {
    int nPosition;
    CRect rcClient;
    CRect rcFirst;
    CRect rcSecond;
    CRect rcRightArrow;  // with five tabs
    CRect rcLeftArrow;
};

const PositionCase kPositions[] = {
    {kTabPositionTop, {2, 24, 298, 198}, {2, 3, 72, 23}, {72, 3, 142, 23}, {285, 3, 299, 18}, {271, 3, 285, 18}},
    {kTabPositionLeft, {24, 2, 298, 198}, {3, 2, 23, 72}, {3, 72, 23, 142}, {4, 184, 18, 199}, {4, 169, 18, 184}},
    {kTabPositionBottom,
     {2, 2, 298, 176},
     {2, 177, 72, 197},
     {72, 177, 142, 197},
     {285, 180, 299, 195},
     {271, 180, 285, 195}},
    {kTabPositionRight,
     {2, 2, 276, 198},
     {277, 2, 297, 72},
     {277, 72, 297, 142},
     {281, 184, 295, 199},
     {281, 169, 295, 184}},
};

}  // namespace

TEST(TabLayout, WorkedPropertyPageLayoutHoldsInAllFourPositions) {
    for (const PositionCase& c : kPositions) {
        CTestTabRow row;
        row.m_pPaintManager->SetPosition(c.nPosition);
        row.m_pPaintManager->SetLayout(kTabLayoutFixed);
        row.AddTabs(2);
        row.Layout(CRect(0, 0, 300, 200));
        EXPECT_EQ(row.m_pPaintManager->GetAppearanceSet()->GetRowHeight(&row), 20);
        EXPECT_EQ(row.GetClientRect(), c.rcClient) << c.nPosition;
        EXPECT_EQ(row.GetItem(0)->GetRect(), c.rcFirst) << c.nPosition;
        EXPECT_EQ(row.GetItem(1)->GetRect(), c.rcSecond) << c.nPosition;
        EXPECT_TRUE(row.FindNavigateButton(kNavigateButtonRight)->GetRect().IsRectEmpty()) << "two tabs fit";

        row.AddTabs(3);
        EXPECT_EQ(row.FindNavigateButton(kNavigateButtonRight)->GetRect(), c.rcRightArrow) << c.nPosition;
        EXPECT_EQ(row.FindNavigateButton(kNavigateButtonLeft)->GetRect(), c.rcLeftArrow) << c.nPosition;
        EXPECT_TRUE(row.FindNavigateButton(kNavigateButtonRight)->IsEnabled());
        EXPECT_FALSE(row.FindNavigateButton(kNavigateButtonLeft)->IsEnabled()) << "not scrolled yet";
    }
}

TEST(TabLayout, FixedTabsAreTheFixedLengthPlusTheButtonMargins) {
    CTestTabRow row;
    row.m_pPaintManager->SetLayout(kTabLayoutFixed);
    row.m_pPaintManager->m_rcButtonMargin.SetRect(3, 0, 4, 0);
    row.AddTabs(3);
    row.Layout(CRect(0, 0, 400, 100));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(row.GetItem(i)->GetRect().Width(), 77);
    row.m_pPaintManager->m_nMaxTabLength = 60;
    row.Reposition();
    EXPECT_EQ(row.GetItem(0)->GetRect().Width(), 60);
}

TEST(TabLayout, SizeToFitKeepsShortTabsAndSharesTheRest) {
    CTestTabRow row;
    row.AddTabs(3);
    const int lengths[] = {100, 30, 120};
    for (int i = 0; i < 3; ++i)
        row.GetItem(i)->m_nLength = lengths[i];
    row.m_pPaintManager->SizeToFit(&row, 200);
    EXPECT_EQ(row.GetItem(0)->m_nLength, 85);
    EXPECT_EQ(row.GetItem(1)->m_nLength, 30);
    EXPECT_EQ(row.GetItem(2)->m_nLength, 85);
    // The remainder of each share passes on.
    row.GetItem(0)->m_nLength = 100;
    row.GetItem(2)->m_nLength = 120;
    row.m_pPaintManager->SizeToFit(&row, 201);
    EXPECT_EQ(row.GetItem(0)->m_nLength + row.GetItem(2)->m_nLength, 171);

    CTestTabRow one;
    one.AddTabs(1);
    one.GetItem(0)->m_nLength = 500;
    one.m_pPaintManager->SizeToFit(&one, 200);
    EXPECT_EQ(one.GetItem(0)->m_nLength, 200);
}

TEST(TabLayout, SeveralRowsPutTheSelectedRowNextToTheClient) {
    CTestTabRow row;
    row.m_pPaintManager->SetLayout(kTabLayoutMultiRow);
    row.AddTabs(6);
    // The multi-row layout measures captions: the bounds make every tab 70 long.
    row.m_pPaintManager->m_nMinTabLength = 70;
    row.m_pPaintManager->m_nMaxTabLength = 70;
    row.SelectItem(row.GetItem(4));
    row.Layout(CRect(0, 0, 300, 200));
    ASSERT_EQ(row.GetRowCount(), 2);
    EXPECT_EQ(row.GetHeaderRect().Height(), 41) << "3 + 2 x 20 - 2";
    for (int i = 3; i < 6; ++i)
        EXPECT_EQ(row.GetItem(i)->GetRect().top, 21) << "the selected tab's row lies next to the client";
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(row.GetItem(i)->GetRect().top, 3);
    // Balanced rows are stretched to the full width (299 - 1 - 2 - 6 = 291 along).
    EXPECT_EQ(row.GetItem(0)->GetRect().left, 2);
    EXPECT_EQ(row.GetItem(2)->GetRect().right, 2 + 291);
    EXPECT_EQ(row.GetClientRect().top, 40 + 2);
    EXPECT_TRUE(row.FindNavigateButton(kNavigateButtonRight)->GetRect().IsRectEmpty());

    row.m_pPaintManager->m_bFixedSelectedRow = TRUE;
    row.Reposition();
    EXPECT_EQ(row.GetItem(0)->GetRect().top, 21) << "a fixed selected row stays where the order puts it";
}

TEST(TabLayout, AScrolledRowReturnsToZeroWhenEverythingFits) {
    CTestTabRow row;
    row.m_pPaintManager->SetLayout(kTabLayoutFixed);
    row.AddTabs(5);
    row.Layout(CRect(0, 0, 300, 200));
    row.SetScrollOffset(-200);
    EXPECT_EQ(row.GetScrollOffset(), -87) << "never further than the tabs need";
    EXPECT_TRUE(row.FindNavigateButton(kNavigateButtonLeft)->IsEnabled());
    row.Layout(CRect(0, 0, 500, 200));
    EXPECT_EQ(row.GetScrollOffset(), 0);
    EXPECT_EQ(row.GetItem(0)->GetRect().left, 2);

    // Selecting a tab beyond the header scrolls it into view.
    row.Layout(CRect(0, 0, 300, 200));
    row.SelectItem(row.GetItem(4));
    EXPECT_LE(row.GetItem(4)->GetRect().right, row.GetHeaderRect().right);
    EXPECT_LT(row.GetScrollOffset(), 0);
    row.SelectItem(row.GetItem(0));
    EXPECT_GE(row.GetItem(0)->GetRect().left, row.GetHeaderRect().left);
}

TEST(TabLayout, MiddleEllipsisKeepsBothEnds) {
    CScopedMemDC dc(10, 10);
    CFont font;
    font.CreatePointFont(90, L"Tahoma");
    CTkFontDC select(&dc, &font);
    const CString strText = L"abcdefghij";
    const int nWidth = dc.GetTextExtent(strText).cx / 2;
    const CString strShown = CTkTabPaintManager::MakeMiddleEllipsisText(&dc, strText, nWidth, DT_NOPREFIX);
    EXPECT_EQ(strShown.Left(1), L"a");
    EXPECT_EQ(strShown.Right(1), L"j");
    EXPECT_GE(strShown.Find(L"..."), 1);
    EXPECT_LE(dc.GetTextExtent(strShown).cx, nWidth);
    EXPECT_EQ(CTkTabPaintManager::MakeMiddleEllipsisText(&dc, strText, 1000, DT_NOPREFIX), strText);
    EXPECT_EQ(CTkTabPaintManager::MakeMiddleEllipsisText(&dc, strText, 2, DT_NOPREFIX), L"...");
}

TEST(TabLayout, FontsRowHeightsAndFactories) {
    CTestTabRow row;
    CTkTabPaintManager* pPaintManager = row.m_pPaintManager;
    LOGFONTW lf = {};
    lf.lfHeight = -8;
    wcscpy(lf.lfFaceName, L"Tahoma");
    pPaintManager->SetFontIndirect(&lf, FALSE);
    LOGFONTW vertical = {};
    pPaintManager->GetFont(FALSE, TRUE)->GetLogFont(&vertical);
    EXPECT_EQ(vertical.lfHeight, -11);
    EXPECT_EQ(vertical.lfEscapement, 2700);
    EXPECT_EQ(vertical.lfOrientation, 900);
    LOGFONTW bold = {};
    pPaintManager->GetFont(TRUE, FALSE)->GetLogFont(&bold);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    EXPECT_EQ(bold.lfHeight, -8);

    pPaintManager->GetAppearanceSet()->RefreshMetrics();
    EXPECT_EQ(pPaintManager->GetAppearanceSet()->m_nTextRowHeight, 18) << "small fonts still get 18";
    pPaintManager->SetAppearance(kTabAppearancePropertyPageAccess2007);
    EXPECT_EQ(pPaintManager->GetAppearanceSet()->m_nTextRowHeight, 24);
    EXPECT_EQ(pPaintManager->GetColor(), kTabColorSetAccess2007);

    pPaintManager->SetAppearance(42);
    EXPECT_NE(dynamic_cast<CTkTabPaintManager::CAppearanceSetPropertyPage*>(pPaintManager->GetAppearanceSet()),
              nullptr);
    EXPECT_NE(dynamic_cast<CTkTabPaintManager::CColorSetDefault*>(pPaintManager->GetColorSet()), nullptr);
    EXPECT_EQ(pPaintManager->GetAppearance(), 42);
    const struct {
        int nAppearance;
        int nColorSet;
    } kPreferred[] = {{3, 4}, {4, 2}, {5, 2}, {6, 2}, {7, 2}, {8, 1}, {9, 4}, {10, 32}, {2, 1}, {1, 1}};
    for (const auto& c : kPreferred) {
        pPaintManager->SetAppearance(c.nAppearance);
        EXPECT_EQ(pPaintManager->GetColor(), c.nColorSet) << c.nAppearance;
    }
}

TEST(TabLayout, TwoRowsOfTwentyMakeAHeaderOf41AndNoTabsMakeNone) {
    CTestTabRow row;
    row.AddTabs(2);
    row.ResetRows(2);
    CTkTabPaintManager::CAppearanceSet* pSet = row.m_pPaintManager->GetAppearanceSet();
    EXPECT_EQ(pSet->CalcHeaderRect(CRect(0, 0, 300, 200), &row), CRect(0, 0, 300, 41));
    row.ResetRows(1);
    row.m_pPaintManager->m_bShowTabs = FALSE;
    EXPECT_EQ(pSet->CalcHeaderRect(CRect(0, 0, 300, 200), &row).Height(), 0);
    EXPECT_EQ(pSet->CalcClientRect(CRect(0, 0, 300, 200), &row), CRect(0, 0, 300, 200));
    row.Layout(CRect(0, 0, 300, 200));
    EXPECT_TRUE(row.GetHeaderRect().IsRectEmpty());
    EXPECT_TRUE(row.GetItem(0)->GetRect().IsRectEmpty());
    EXPECT_TRUE(row.FindNavigateButton(kNavigateButtonRight)->GetRect().IsRectEmpty());
}

TEST(TabLayout, VisioStacksBarsAroundTheClient) {
    CTestTabRow row;
    row.m_pPaintManager->SetAppearance(kTabAppearanceVisio);
    row.AddTabs(4);
    row.Layout(CRect(0, 0, 200, 300));
    EXPECT_EQ(row.GetClientRect(), CRect(1, 0, 199, 300)) << "no selected bar: all the height";
    row.SelectItem(row.GetItem(1));
    EXPECT_EQ(row.GetItem(0)->GetRect(), CRect(1, 1, 200, 21));
    EXPECT_EQ(row.GetItem(1)->GetRect(), CRect(1, 21, 200, 41));
    EXPECT_EQ(row.GetItem(2)->GetRect(), CRect(1, 260, 200, 280));
    EXPECT_EQ(row.GetItem(3)->GetRect(), CRect(1, 280, 200, 300));
    EXPECT_EQ(row.GetClientRect(), CRect(1, 41, 199, 260));
    row.SelectItem(row.GetItem(3));
    EXPECT_EQ(row.GetClientRect(), CRect(1, 81, 199, 299)) << "the last bar selected: one pixel above the end";
}
