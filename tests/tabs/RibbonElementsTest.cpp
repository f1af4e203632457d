// The ribbon theme's element painters on DIBs with the tests' ribbon look: the system button's two
// faces, the context headers up to the first colour the look lacks, the collapsed group's button, the
// edge of a ribbon without groups, a framed ribbon's caption (on glass and off), groups, contextual and
// minimised ribbon tabs, and the faces of grouped blocks. Pictures go to /tmp.

#include "DibPixels.h"
#include "RibbonHost.h"
#include "TkControl.h"
#include "TkControlDefs.h"
#include "TkRibbonBar.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonControls.h"
#include "TkRibbonGroup.h"
#include "TkRibbonGroups.h"
#include "TkRibbonSystemButton.h"
#include "TkRibbonTab.h"
#include "TkRibbonTabContextHeader.h"
#include "TkTabColorSet.h"
#include "TkTabPaintManager.h"
#include "TkThemedFrameHook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr COLORREF kSentinel = RGB(17, 34, 51);

// The colours of the test look's images and keys.
COLORREF SystemButtonFace(int nState) {
    return RGB(210, 20, nState);
}
COLORREF LargeSystemButtonFace(int nState) {
    return RGB(220, 30, nState);
}
COLORREF GroupButtonFace(int nState) {
    return RGB(230, 40, nState);
}
constexpr COLORREF kBlueHeader = RGB(0, 0, 230);
constexpr COLORREF kGreenHeader = RGB(0, 230, 0);
constexpr COLORREF kRibbonFace = RGB(191, 219, 255);
constexpr COLORREF kEdgeHighlight = RGB(8, 60, 0);
constexpr COLORREF kEdgeShadow = RGB(9, 60, 0);
constexpr COLORREF kCaptionActive = RGB(40, 50, 60);
constexpr COLORREF kContextSeparator = RGB(250, 60, 200);
constexpr COLORREF kTabNormalText = RGB(1, 60, 0);
constexpr COLORREF kTabSelectedText = RGB(2, 60, 0);
COLORREF BlueContextTab(int nState) {
    return RGB(40, 200, 40 + 40 * nState);
}
COLORREF GroupClient(int nState) {
    return RGB(120, 10, nState);
}
// The grouped blocks' faces: SINGLE, LEFT, CENTER, RIGHT; the split parts LEFT, CENTER and the drop-down
// parts RIGHT, CENTER.
enum BlockFace { kSingle, kLeft, kCenter, kRight };
COLORREF BlockFaceCell(BlockFace face, int nCell) {
    return RGB(40 + 60 * face, 200, 30 * nCell);
}
COLORREF SplitCommandCell(BOOL bStarts, int nCell) {
    return RGB(200, bStarts ? 40 : 120, 30 * nCell);
}
COLORREF SplitDropDownCell(BOOL bEnds, int nCell) {
    return RGB(bEnds ? 90 : 190, 90, 30 * nCell);
}

// The tab strip's hot tab, set as the mouse would.
struct CHotTab : CTkTabManager {
    static void Set(CTkTabManager* pManager, CTkTabManagerItem* pItem) {
        pManager->*(&CHotTab::m_pHighlighted) = pItem;
    }
};

void Clear(CScopedMemDC& dc) {
    dc.FillSolidRect(0, 0, dc.GetWidth(), dc.GetHeight(), kSentinel);
}

void Save(const CScopedMemDC& dc, LPCWSTR pszName) {
    CString strPath;
    strPath.Format(L"Z:\\tmp\\%s.png", pszName);
    WritePng(dc, strPath);
}

TEST(RibbonElements, TheSystemButtonTakesTheLargeFaceOnlyAbove54By54) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkRibbonControlSystemButton* pButton = pRibbon->AddSystemButton();
    CScopedMemDC dc(60, 60);
    ASSERT_TRUE(dc.IsValid());

    // The face at its size, centred: 6 x 6 in a square of 54, 10 x 10 in one of 55.
    Clear(dc);
    host.Theme()->DrawSystemButton(&dc, pButton, CRect(0, 0, 54, 54));
    Save(dc, L"ribbon-system-button-54");
    EXPECT_EQ(PixelAt(dc, 24, 24), SystemButtonFace(0));
    EXPECT_EQ(PixelAt(dc, 23, 23), kSentinel);

    Clear(dc);
    pButton->SetSelected(1);
    host.Theme()->DrawSystemButton(&dc, pButton, CRect(0, 0, 55, 55));
    Save(dc, L"ribbon-system-button-55");
    EXPECT_EQ(PixelAt(dc, 22, 22), LargeSystemButtonFace(1));
    EXPECT_EQ(PixelAt(dc, 21, 21), kSentinel);

    // Without tab strip the button is an ordinary bar control.
    Clear(dc);
    pRibbon->SetTabsVisible(FALSE);
    host.Theme()->DrawSystemButton(&dc, pButton, CRect(0, 0, 55, 55));
    EXPECT_NE(PixelAt(dc, 22, 22), LargeSystemButtonFace(1));
    pRibbon->SetTabsVisible(TRUE);
}

TEST(RibbonElements, ContextHeadersStopAtTheFirstColourTheLookLacks) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    auto* pTab = new CTkRibbonTab;
    // The look has blue (1) and green (3) headers, no yellow (2).
    const struct {
        std::vector<int> colors;
        std::vector<COLORREF> expected;
    } rows[] = {
        {{1, 3}, {kBlueHeader, kGreenHeader}},
        {{1, 2, 3}, {kBlueHeader, kSentinel, kSentinel}},
        {{2, 1}, {kSentinel, kSentinel}},
    };
    CScopedMemDC dc(90, 20);
    ASSERT_TRUE(dc.IsValid());
    for (const auto& row : rows) {
        std::vector<CTkRibbonTabContextHeader*> headers;
        for (size_t i = 0; i < row.colors.size(); ++i) {
            pTab->SetContextColor(row.colors[i]);
            pTab->SetContextCaption(L"Tools");
            auto* pHeader = new CTkRibbonTabContextHeader(pTab);
            const int nLeft = 30 * static_cast<int>(i);
            pHeader->m_rcHeader = CRect(nLeft, 0, nLeft + 30, 20);
            headers.push_back(pHeader);
        }
        Clear(dc);
        host.Theme()->DrawContextHeaders(&dc, pRibbon, headers);
        Save(dc, L"ribbon-context-headers");
        for (size_t i = 0; i < row.expected.size(); ++i)
            EXPECT_EQ(PixelAt(dc, 30 * static_cast<int>(i) + 2, 18), row.expected[i]) << i;
        for (CTkRibbonTabContextHeader* pHeader : headers)
            delete pHeader;
    }
    pTab->InternalRelease();
}

TEST(RibbonElements, ACollapsedGroupsButtonIsThreeRowsHighAndAtLeast42Wide) {
    CRibbonHost host;
    CTkRibbonTheme* pTheme = host.Theme();
    auto* pGroup = new CTkRibbonGroup;
    CTkRibbonGroupControlPopup* pButton = pGroup->GetControlGroupPopup();

    pButton->SetCaption(L"Font");
    const CSize size = pTheme->DrawGroupPopupButton(nullptr, pButton, FALSE);
    EXPECT_EQ(size.cx, std::max(2 * pTheme->GetControlHeight() - 3, 42));
    EXPECT_EQ(size.cy, 3 * pTheme->m_nControlRowHeight);
    EXPECT_GE(size.cx, 42);
    EXPECT_GE(size.cy, 66);

    // A caption wider than that widens the button by its wider line.
    pButton->SetCaption(L"Paragraph arrangement");
    const CSize szWide = pTheme->DrawGroupPopupButton(nullptr, pButton, FALSE);
    EXPECT_GT(szWide.cx, 42);
    EXPECT_EQ(szWide.cy, size.cy);

    // Drawn: the face of its state over the whole rectangle, the caption above the caption line.
    CScopedMemDC dc(szWide.cx, 90);
    ASSERT_TRUE(dc.IsValid());
    Clear(dc);
    pButton->SetRect(CRect(0, 0, szWide.cx, 90));
    pTheme->DrawGroupPopupButton(&dc, pButton, TRUE);
    Save(dc, L"ribbon-collapsed-group");
    EXPECT_EQ(PixelAt(dc, 2, 45), GroupButtonFace(0));
    EXPECT_EQ(PixelAt(dc, 2, 88), GroupButtonFace(0));
    pGroup->InternalRelease();

    // Its copy in the quick-access toolbar finds the group by its id, but is a toolbar button there.
    CTkRibbonGroup* pEdit = host.Ribbon()->AddTab(L"Home")->GetGroups()->Add(L"Edit", 750);
    CTkControl* pCopy = host.Ribbon()->GetQuickAccessControls()->AddCopy(pEdit->GetControlGroupPopup());
    ASSERT_NE(pCopy, nullptr);
    const CSize szCopy = pTheme->DrawGroupPopupButton(nullptr, static_cast<CTkRibbonGroupControlPopup*>(pCopy), FALSE);
    EXPECT_LT(szCopy.cy, 3 * pTheme->m_nControlRowHeight);
}

TEST(RibbonElements, ARibbonWithoutGroupsEndsInAShadowAndAHighlightLine) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CRect rc;
    pRibbon->GetClientRect(&rc);
    ASSERT_GT(rc.Height(), 3);
    CScopedMemDC dc(rc.Width(), rc.Height());
    ASSERT_TRUE(dc.IsValid());
    const int x = rc.Width() / 2;
    const int y = rc.Height();

    pRibbon->SetGroupsVisible(FALSE);
    Clear(dc);
    host.Theme()->FillRibbonBar(&dc, pRibbon);
    Save(dc, L"ribbon-minimized-edge");
    EXPECT_EQ(PixelAt(dc, x, y - 3), kRibbonFace);
    EXPECT_EQ(PixelAt(dc, x, y - 2), kEdgeShadow);
    EXPECT_EQ(PixelAt(dc, x, y - 1), kEdgeHighlight);

    // The quick-access row below the ribbon closes it instead.
    pRibbon->ShowQuickAccessBelowRibbon(TRUE);
    Clear(dc);
    host.Theme()->FillRibbonBar(&dc, pRibbon);
    EXPECT_EQ(PixelAt(dc, x, y - 2), kRibbonFace);
    EXPECT_EQ(PixelAt(dc, x, y - 1), kRibbonFace);
}

TEST(RibbonElements, AFramedRibbonsCaptionIsBlackOnGlassAndItsBodyStartsBelowTheCaption) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    ASSERT_TRUE(pRibbon->AttachFrameHook());
    host.RecalcLayout();
    const CRect rcCaption = pRibbon->GetCaptionRect();
    ASSERT_GT(rcCaption.Height(), 5);
    CRect rc;
    pRibbon->GetClientRect(&rc);
    CScopedMemDC dc(rc.Width(), rc.Height());
    ASSERT_TRUE(dc.IsValid());
    // Left of the frame icon and right of the title.
    const CPoint pts[] = {CPoint(rcCaption.left + 2, rcCaption.top + 6),
                          CPoint(rcCaption.right - 3, rcCaption.top + 6)};

    for (BOOL bGlass : {FALSE, TRUE}) {
        pRibbon->GetFrameHook()->SetDwmEnabled(bGlass);
        Clear(dc);
        host.Theme()->DrawFrameCaption(&dc, pRibbon, TRUE);
        Save(dc, bGlass ? L"ribbon-caption-glass" : L"ribbon-caption");
        for (const CPoint& pt : pts)
            EXPECT_EQ(PixelAt(dc, pt.x, pt.y), bGlass ? RGB(0, 0, 0) : kCaptionActive)
                << "glass " << bGlass << " at " << pt.x;
    }

    // Every painter asks the ribbon the same question: a rectangle meeting the caption, on glass only.
    const CRect rcBelow(rcCaption.left, rcCaption.bottom, rcCaption.right, rcCaption.bottom + 5);
    const CRect rcAcross(rcCaption.left + 4, rcCaption.bottom - 1, rcCaption.left + 9, rcCaption.bottom + 5);
    EXPECT_TRUE(IsRectInGlassCaption(pRibbon, rcAcross));
    EXPECT_FALSE(IsRectInGlassCaption(pRibbon, rcBelow));
    EXPECT_FALSE(IsRectInGlassCaption(nullptr, rcAcross));
    pRibbon->GetFrameHook()->SetDwmEnabled(FALSE);
    EXPECT_FALSE(IsRectInGlassCaption(pRibbon, rcAcross));

    // The ribbon's face starts below the frame caption, which is the caption painter's.
    const int nCaption = host.Theme()->GetFrameCaptionHeight();
    ASSERT_GT(nCaption, 0);
    Clear(dc);
    host.Theme()->FillRibbonBar(&dc, pRibbon);
    EXPECT_EQ(PixelAt(dc, rc.Width() / 2, nCaption - 1), kSentinel);
    EXPECT_EQ(PixelAt(dc, rc.Width() / 2, nCaption), kRibbonFace);
    pRibbon->DetachFrameHook();
}

TEST(RibbonElements, AGroupDrawsItsFaceUnlessItIsCollapsed) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkRibbonTab* pTab = pRibbon->AddTab(L"Home");
    pRibbon->GetControlTab()->SelectItem(pTab);
    CTkRibbonGroup* pGroup = pTab->GetGroups()->Add(L"Clip", 500);
    for (int nId : {701, 702, 703})
        pGroup->Add(kControlButton, nId)->SetCaption(L"Button");
    CScopedMemDC dc(400, 120);
    ASSERT_TRUE(dc.IsValid());
    for (BOOL bCollapse : {FALSE, TRUE}) {
        pGroup->BeginLayout(&dc);
        for (int nStep = 0; bCollapse && !pGroup->IsReduced() && nStep <= 3; ++nStep) {
            // The layout measures the group before each step.
            while (pGroup->CalcWidth(&dc) > 0 && pGroup->Reduce(&dc, nStep, 100) && !pGroup->IsReduced()) {
            }
        }
        ASSERT_EQ(pGroup->IsReduced(), bCollapse);
        pGroup->Reposition(4, 3, pGroup->CalcWidth(&dc));
        pGroup->EndLayout(&dc);
        const CRect rcGroup = pGroup->GetRect();
        ASSERT_FALSE(rcGroup.IsRectEmpty());
        Clear(dc);
        host.Theme()->DrawGroup(&dc, pGroup);
        EXPECT_EQ(PixelAt(dc, rcGroup.left + 6, rcGroup.top + 6), bCollapse ? kSentinel : GroupClient(0))
            << "collapsed " << bCollapse;
    }
}

TEST(RibbonElements, ContextualAndMinimisedTabsTakeTheirFaces) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkRibbonTab* pHome = pRibbon->AddTab(L"Home");
    CTkRibbonTab* pBlue = pRibbon->AddTab(L"Design");
    CTkRibbonTab* pYellow = pRibbon->AddTab(L"Layout");
    pBlue->SetContextColor(1);
    pYellow->SetContextColor(2);  // the look has no yellow tab
    CTkRibbonControlTab* pStrip = pRibbon->GetControlTab();
    host.RecalcLayout();
    CRect rcBar;
    pRibbon->GetClientRect(&rcBar);
    CScopedMemDC dc(rcBar.Width(), rcBar.Height());
    ASSERT_TRUE(dc.IsValid());
    // A point inside R (the tab up by one, one shorter at its end and bottom) past the keyed corner.
    auto inside = [](const CTkRibbonTab* pTab) { return pTab->GetRect().TopLeft() + CPoint(3, 2); };
    auto draw = [&](CTkRibbonTab* pTab) {
        Clear(dc);
        host.Theme()->DrawRibbonTab(&dc, pTab);
        return PixelAt(dc, inside(pTab).x, inside(pTab).y);
    };

    const struct {
        CTkRibbonTab* pTab;
        BOOL bSelected;
        BOOL bHot;
        COLORREF clr;
    } rows[] = {
        {pBlue, TRUE, FALSE, BlueContextTab(3)}, {pBlue, FALSE, TRUE, BlueContextTab(1)},
        {pBlue, TRUE, TRUE, RibbonTabState(5)},  {pBlue, FALSE, FALSE, kSentinel},
        {pYellow, TRUE, FALSE, kSentinel},       {pHome, TRUE, TRUE, RibbonTabState(4)},
    };
    for (const auto& row : rows) {
        pStrip->SelectItem(row.bSelected ? row.pTab : pHome == row.pTab ? pBlue : pHome);
        CHotTab::Set(pStrip, row.bHot ? row.pTab : nullptr);
        EXPECT_EQ(draw(row.pTab), row.clr)
            << CStringA(row.pTab->GetCaption()).GetString() << " selected " << row.bSelected << " hot " << row.bHot;
    }

    // The tabs under one header are closed by a column at each end, one short of R's bottom.
    CHotTab::Set(pStrip, nullptr);
    pStrip->SelectItem(pBlue);
    CTkRibbonTabContextHeader header(pBlue);
    pBlue->SetContextHeader(&header);
    draw(pBlue);
    Save(dc, L"ribbon-context-tab");
    const CRect rcR(pBlue->GetRect().left, pBlue->GetRect().top - 1, pBlue->GetRect().right - 1,
                    pBlue->GetRect().bottom - 1);
    for (int x : {rcR.left, rcR.right - 1}) {
        EXPECT_EQ(PixelAt(dc, x, rcR.top + rcR.Height() / 2), kContextSeparator) << x;
        EXPECT_NE(PixelAt(dc, x, rcR.bottom - 1), kContextSeparator) << x;
    }
    EXPECT_EQ(PixelAt(dc, rcR.left + 3, rcR.top + rcR.Height() / 2), BlueContextTab(3));
    pBlue->SetContextHeader(nullptr);

    // A minimised ribbon's selected tab looks hot when hot, else plain, while its popup is closed; its text
    // reads as a tab that is not selected.
    pStrip->SelectItem(pHome);
    pRibbon->SetMinimized(TRUE);
    host.RecalcLayout();
    ASSERT_TRUE(pRibbon->IsMinimized());
    CTkTabPaintManager::CColorSet* pColors = host.Theme()->GetTabPaintManager()->GetColorSet();
    for (BOOL bHot : {FALSE, TRUE}) {
        CHotTab::Set(pStrip, bHot ? pHome : nullptr);
        EXPECT_EQ(draw(pHome), bHot ? RibbonTabState(1) : kSentinel) << "hot " << bHot;
        pColors->SetTextColor(&dc, pHome);
        EXPECT_EQ(dc.GetTextColor(), kTabNormalText) << "hot " << bHot;
    }
    // The strip holding the keyboard while it is the bar's selected control counts as hot.
    CHotTab::Set(pStrip, nullptr);
    ASSERT_TRUE(pRibbon->SetTrackingMode(kTrackingMenu, FALSE, TRUE));
    pStrip->SetSelected(1);
    pStrip->SetFocused(TRUE);
    ASSERT_TRUE(pStrip->HasFocus());
    EXPECT_EQ(draw(pHome), RibbonTabState(1)) << "focused strip";
    pStrip->SetSelected(0);
    EXPECT_EQ(draw(pHome), kSentinel) << "focused strip, not selected";
    pStrip->SetFocused(FALSE);
    pRibbon->SetTrackingMode(kTrackingNone);
    CHotTab::Set(pStrip, pHome);
    Clear(dc);
    host.Theme()->GetTabPaintManager()->PaintTabControl(pStrip, &dc, pRibbon->GetTabControlRect());
    Save(dc, L"ribbon-minimised-tab-strip");
    // With the popup open it is the selected tab again.
    CHotTab::Set(pStrip, nullptr);
    ASSERT_TRUE(pStrip->SetPopupOpen(TRUE));
    EXPECT_EQ(draw(pHome), RibbonTabState(3));
    pColors->SetTextColor(&dc, pHome);
    EXPECT_EQ(dc.GetTextColor(), kTabSelectedText);
    pStrip->SetPopupOpen(FALSE);
    pRibbon->SetMinimized(FALSE);
}

TEST(RibbonElements, GroupedBlocksTakeTheFaceOfTheirPlaceAndTheCellOfTheirState) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkRibbonTab* pTab = pRibbon->AddTab(L"Home");
    pRibbon->GetControlTab()->SelectItem(pTab);
    CTkRibbonGroup* pGroup = pTab->GetGroups()->Add(L"Font", 500);
    pGroup->SetControlsGrouping(TRUE);
    // Blocks: [0 1 2] [3] [4 split, 5]; the option button follows the last.
    std::vector<CTkControl*> controls;
    for (int i = 0; i < 6; ++i) {
        CTkControl* pControl = pGroup->Add(i == 4 ? kControlSplitButtonPopup : kControlButton, 800 + i);
        pControl->SetBeginGroup(i == 3 || i == 4);
        controls.push_back(pControl);
    }
    host.RecalcLayout();
    // Side by side in one row, whatever the layout made of them.
    for (size_t i = 0; i < controls.size(); ++i) {
        const int nLeft = 4 + 40 * static_cast<int>(i);
        controls[i]->SetRect(CRect(nLeft, 4, nLeft + 36, 26));
        controls[i]->SetWrap(i == 0);
    }
    CScopedMemDC dc(250, 30);
    ASSERT_TRUE(dc.IsValid());
    Clear(dc);
    auto face = [&](CTkControl* pControl) { return PixelAt(dc, pControl->GetRect().left + 3, 15); };
    auto dropDown = [&](CTkControl* pControl) { return PixelAt(dc, pControl->GetRect().right - 3, 15); };
    for (CTkControl* pControl : controls) {
        if (pControl->GetType() == kControlSplitButtonPopup)
            host.Theme()->PaintSplitButton(&dc, pControl, pControl->GetRect());
        else
            host.Theme()->PaintControlBackground(&dc, pControl);
    }
    Save(dc, L"ribbon-grouped-blocks");
    EXPECT_EQ(face(controls[0]), BlockFaceCell(kLeft, 0));
    EXPECT_EQ(face(controls[1]), BlockFaceCell(kCenter, 0));
    EXPECT_EQ(face(controls[2]), BlockFaceCell(kRight, 0));
    EXPECT_EQ(face(controls[3]), BlockFaceCell(kSingle, 0));
    EXPECT_EQ(face(controls[4]), SplitCommandCell(TRUE, 0)) << "an idle split button shows the first cells";
    EXPECT_EQ(dropDown(controls[4]), SplitDropDownCell(FALSE, 0));
    EXPECT_EQ(face(controls[5]), BlockFaceCell(kRight, 0));

    // The cell of a button's state.
    const struct {
        int nSelected;
        int nPressed;
        int nChecked;
        BOOL bEnabled;
        int nCell;
    } cells[] = {
        {1, 0, 0, TRUE, 1}, {0, 1, 0, TRUE, 1}, {1, 1, 0, TRUE, 2},  {0, 2, 0, TRUE, 2},
        {0, 0, 1, TRUE, 3}, {1, 0, 1, TRUE, 4}, {1, 0, 0, FALSE, 0}, {2, 0, 0, FALSE, 1},
    };
    CTkControl* pButton = controls[1];
    for (const auto& c : cells) {
        pButton->SetSelected(c.nSelected);
        pButton->SetPressed(c.nPressed);
        pButton->SetChecked(c.nChecked);
        pButton->SetEnabled(c.bEnabled);
        host.Theme()->PaintControlBackground(&dc, pButton);
        EXPECT_EQ(face(pButton), BlockFaceCell(kCenter, c.nCell))
            << "selected " << c.nSelected << " pressed " << c.nPressed << " checked " << c.nChecked << " enabled "
            << c.bEnabled;
    }

    // A grouped split button's cells are one further on: hot command half 0 + 1 and 4 + 1; disabled, cell 0
    // of both, or 6 and 5 when selected from the keyboard.
    CTkControl* pSplit = controls[4];
    const struct {
        int nSelected;
        BOOL bEnabled;
        int nCommand;
        int nDropDown;
    } splits[] = {{4, TRUE, 1, 5}, {0, FALSE, 0, 0}, {2, FALSE, 6, 5}};
    for (const auto& c : splits) {
        pSplit->SetSelected(c.nSelected);
        pSplit->SetEnabled(c.bEnabled);
        host.Theme()->PaintSplitButton(&dc, pSplit, pSplit->GetRect());
        EXPECT_EQ(face(pSplit), SplitCommandCell(TRUE, c.nCommand)) << c.nSelected << " enabled " << c.bEnabled;
        EXPECT_EQ(dropDown(pSplit), SplitDropDownCell(FALSE, c.nDropDown)) << c.nSelected << " enabled " << c.bEnabled;
    }
}

}  // namespace
