// The ribbon's tab strip: the tab paint manager the theme makes (settings, sets, row height), the text
// colour of a tab by its state, and the ribbon tabs it draws on the tests' ribbon look: the image state
// of each tab state, kept corners and keyed pixels, and the separator column of squeezed tabs.

#include "RibbonTestSupport.h"
#include "TabsTestSupport.h"
#include "TkRibbonThemeTabs.h"

namespace {

// A row whose selected, hot and pressed tabs and focus the test sets directly.
class CRibbonRow : public CTestTabRow {
public:
    explicit CRibbonRow(CTkTabPaintManager* pPaintManager) : CTestTabRow(pPaintManager) {}
    void SetStates(CTkTabManagerItem* pSelected, CTkTabManagerItem* pHot, CTkTabManagerItem* pPressed, BOOL bFocus) {
        m_pSelected = pSelected;
        m_pHighlighted = pHot;
        m_pPressed = pPressed;
        m_bFocus = bFocus;
    }
};

// R, the rectangle a ribbon tab's image covers: the tab up by one, one shorter at its end and bottom.
CRect RibbonTabRect(const CTkTabManagerItem* pItem) {
    const CRect rc = pItem->GetRect();
    return CRect(rc.left, rc.top - 1, rc.right - 1, rc.bottom - 1);
}

TEST(RibbonTabs, TheThemesTabPaintManagerHasTheRibbonSetsAndSettings) {
    CRibbonLook look(FALSE);
    CRibbonThemeRef theme;
    CTkTabPaintManager* p = theme->GetTabPaintManager();
    auto* pAppearance = dynamic_cast<CTkRibbonTheme::CRibbonAppearanceSet*>(p->GetAppearanceSet());
    ASSERT_NE(pAppearance, nullptr);
    EXPECT_NE(dynamic_cast<CTkRibbonTheme::CRibbonColorSet*>(p->GetColorSet()), nullptr);
    EXPECT_EQ(pAppearance->GetHeaderInset(), CRect(0, 1, 0, 0));
    EXPECT_TRUE(pAppearance->m_bFramedTabs);
    EXPECT_FALSE(pAppearance->m_bTabSeparators);
    EXPECT_EQ(pAppearance->GetColorSetMask(), 7);
    EXPECT_EQ(pAppearance->GetPreferredColorSet(), kTabColorSetDefault);
    EXPECT_EQ(pAppearance->GetRowHeight(nullptr), theme->m_nTabStripHeight + 1);
    theme->m_nTabStripHeight = 40;
    EXPECT_EQ(pAppearance->GetRowHeight(nullptr), 41) << "read from the theme, not copied";
    EXPECT_EQ(p->GetLayout(), kTabLayoutSizeToFit);
    EXPECT_FALSE(p->m_bFillBackground);
    EXPECT_TRUE(p->m_bHotTracking);
    EXPECT_EQ(p->m_nClientFrame, 1);
    EXPECT_FALSE(p->m_bDrawTextNoPrefix);
    EXPECT_EQ(p->m_rcButtonMargin, CRect(0, 2, 0, 2));
    EXPECT_EQ(p->m_rcTextMargin, CRect(4, 0, 4, 0));
    EXPECT_EQ(p->m_nExtraTabLength, 21);
    EXPECT_FALSE(p->m_bDrawTextEndEllipsis);
    EXPECT_FALSE(p->m_bDrawFocusRect);
    EXPECT_EQ(p->m_nToolTipMode, 2);
    EXPECT_EQ(p->m_bClearType, theme->m_bClearType);
    EXPECT_FALSE(p->m_bClipHeader);
}

// The ribbon's rule has no inactive-row case: a tab of an inactive row keeps its state's colour.
TEST(RibbonTabs, ATabsTextColourFollowsItsStateOnly) {
    CRibbonLook look;
    CRibbonThemeRef theme;
    CTkTabPaintManager::CColorSet* pColors = theme->GetTabPaintManager()->GetColorSet();
    pColors->m_clrNormalText.m_customValue = RGB(1, 0, 0);
    pColors->m_clrHighlightText.m_customValue = RGB(2, 0, 0);
    pColors->m_clrSelectedText.m_customValue = RGB(3, 0, 0);
    pColors->m_clrDisabledText.m_customValue = RGB(4, 0, 0);
    pColors->m_clrInactiveText.m_customValue = RGB(5, 0, 0);
    CRibbonRow row(theme->GetTabPaintManager());
    row.AddTabs(2);
    CTkTabManagerItem* pTab = row.GetItem(0);
    struct Row {
        BOOL bEnabled;
        BOOL bSelected;
        BOOL bHot;
        BOOL bActive;
        COLORREF clrText;
    };
    const Row rows[] = {
        {TRUE, FALSE, FALSE, TRUE, RGB(1, 0, 0)}, {TRUE, FALSE, TRUE, TRUE, RGB(2, 0, 0)},
        {TRUE, TRUE, TRUE, TRUE, RGB(3, 0, 0)},   {FALSE, TRUE, TRUE, TRUE, RGB(4, 0, 0)},
        {TRUE, TRUE, FALSE, FALSE, RGB(3, 0, 0)}, {TRUE, FALSE, FALSE, FALSE, RGB(1, 0, 0)},
    };
    CScopedMemDC dc(4, 4);
    for (const Row& r : rows) {
        pTab->m_bEnabled = r.bEnabled;
        row.SetActive(r.bActive);
        row.SetStates(r.bSelected ? pTab : nullptr, r.bHot ? pTab : nullptr, nullptr, FALSE);
        pColors->SetTextColor(&dc, pTab);
        EXPECT_EQ(dc.GetTextColor(), r.clrText)
            << "enabled " << r.bEnabled << " selected " << r.bSelected << " hot " << r.bHot << " active " << r.bActive;
    }
}

// Each state draws its own image state over R with margins of 5 (the image's magenta top-left pixel
// stays one pixel and is left out); a tab neither selected nor hot has no background.
TEST(RibbonTabs, RibbonTabsDrawTheirStateAndSqueezedTabsASeparatorColumn) {
    CRibbonLook look;
    ASSERT_TRUE(look.IsLoaded());
    CRibbonThemeRef theme;
    CRibbonRow row(theme->GetTabPaintManager());
    row.m_bIcons = FALSE;
    row.AddTabs(3);
    const CRect rcControl(0, 0, 400, 60);
    row.Layout(rcControl);
    CTkTabManagerItem* pTab = row.GetItem(0);
    ASSERT_FALSE(pTab->IsTruncated());
    const CRect rc = RibbonTabRect(pTab);
    ASSERT_GT(rc.Width(), 24);

    // What lies under R without a background.
    row.SetStates(nullptr, nullptr, nullptr, FALSE);
    CScopedMemDC plain(rcControl.Width(), rcControl.Height());
    row.Paint(plain);
    const COLORREF clrUnderCorner = PixelAt(plain, rc.left, rc.top);

    constexpr int kNone = -1;
    struct Row {
        BOOL bSelected;
        BOOL bHot;
        BOOL bPressed;
        BOOL bFocus;
        int nState;
    };
    const Row rows[] = {
        {FALSE, FALSE, FALSE, FALSE, kNone}, {FALSE, FALSE, TRUE, FALSE, kNone}, {FALSE, FALSE, FALSE, TRUE, kNone},
        {FALSE, TRUE, FALSE, FALSE, 1},      {FALSE, TRUE, TRUE, FALSE, 2},      {TRUE, FALSE, FALSE, FALSE, 3},
        {TRUE, TRUE, FALSE, FALSE, 4},       {TRUE, TRUE, TRUE, FALSE, 4},       {TRUE, FALSE, FALSE, TRUE, 5},
        {TRUE, TRUE, FALSE, TRUE, 5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "selected " << r.bSelected << " hot " << r.bHot << " pressed " << r.bPressed
                                        << " focus " << r.bFocus);
        row.SetStates(r.bSelected ? pTab : nullptr, r.bHot ? pTab : nullptr, r.bPressed ? pTab : nullptr, r.bFocus);
        CScopedMemDC dc(rcControl.Width(), rcControl.Height());
        row.Paint(dc);
        if (r.nState == kNone) {
            EXPECT_EQ(PixelAt(dc, rc.left + 1, rc.top + 1), PixelAt(plain, rc.left + 1, rc.top + 1));
            EXPECT_EQ(PixelAt(dc, rc.right - 2, rc.bottom - 2), PixelAt(plain, rc.right - 2, rc.bottom - 2));
            continue;
        }
        const COLORREF clrState = RibbonTabState(r.nState);
        EXPECT_EQ(PixelAt(dc, rc.left, rc.top), clrUnderCorner) << "the key colour is left out";
        for (const CPoint& pt : {CPoint(rc.left + 1, rc.top), CPoint(rc.left + 1, rc.top + 1),
                                 CPoint(rc.right - 1, rc.bottom - 1), CPoint(rc.right - 3, rc.top + 2)})
            EXPECT_EQ(PixelAt(dc, pt.x, pt.y), clrState) << pt.x << ", " << pt.y;
        EXPECT_NE(PixelAt(dc, rc.right, rc.top + 2), clrState) << "R ends one short of the tab";
        EXPECT_NE(PixelAt(dc, rc.left + 1, rc.bottom), clrState) << "R ends one above the tab's bottom";
        EXPECT_EQ(PixelAt(dc, rc.right - 1, rc.top + rc.Height() / 2), clrState) << "no separator at full length";
    }

    // Squeezed to fit, each tab ends in the separator column over R's height.
    row.SetStates(nullptr, nullptr, nullptr, FALSE);
    row.Layout(CRect(0, 0, 90, 60));
    CScopedMemDC squeezed(90, 60);
    row.Paint(squeezed);
    for (int i = 0; i < row.GetItemCount(); ++i) {
        CTkTabManagerItem* pItem = row.GetItem(i);
        ASSERT_TRUE(pItem->IsTruncated()) << i;
        const CRect rcItem = RibbonTabRect(pItem);
        for (int y : {rcItem.top, rcItem.top + rcItem.Height() / 2, rcItem.bottom - 1})
            EXPECT_EQ(PixelAt(squeezed, rcItem.right - 1, y), kRibbonTabSeparator) << i << ", y " << y;
        EXPECT_NE(PixelAt(squeezed, rcItem.right - 1, rcItem.bottom), kRibbonTabSeparator) << i;
    }
}

// For a person to look at: three tabs, the first selected, the second hot.
TEST(RibbonTabs, APictureOfARibbonTabStrip) {
    CRibbonLook look;
    CRibbonThemeRef theme;
    CRibbonRow row(theme->GetTabPaintManager());
    row.m_bIcons = FALSE;
    row.AddTabs(3, L"Home");
    const CRect rcControl(0, 0, 260, 50);
    row.Layout(rcControl);
    row.SetStates(row.GetItem(0), row.GetItem(1), nullptr, FALSE);
    CScopedMemDC dc(rcControl.Width(), rcControl.Height());
    row.Paint(dc);
    SavePicture(dc, L"ribbon_tab_strip");
    EXPECT_EQ(PixelAt(dc, RibbonTabRect(row.GetItem(1)).left + 2, RibbonTabRect(row.GetItem(1)).top + 2),
              RibbonTabState(1));
}

}  // namespace
