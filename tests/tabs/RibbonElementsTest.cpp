// The ribbon theme's element painters on DIBs with the tests' ribbon look: the system button's two
// faces, the context headers up to the first colour the look lacks, the collapsed group's button and the
// edge of a ribbon without groups. Pictures go to /tmp.

#include "DibPixels.h"
#include "RibbonHost.h"
#include "TkRibbonBar.h"
#include "TkRibbonGroup.h"
#include "TkRibbonSystemButton.h"
#include "TkRibbonTab.h"
#include "TkRibbonTabContextHeader.h"

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

}  // namespace
