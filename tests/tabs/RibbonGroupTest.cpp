// Ribbon tabs and groups on the test host's command bars: a group's reductions from large buttons to a
// collapsed group, its centred columns, the tab's groups laid out across a strip (reductions from the
// last group, 7 pixels apart, the scroll offset), copies, and persistence with wrong-class items.

#include "DibPixels.h"
#include "ExchangeBytes.h"
#include "RibbonHost.h"
#include "TkBitmapFunctions.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlAction.h"
#include "TkControlDefs.h"
#include "TkControlGallery.h"
#include "TkControls.h"
#include "TkGalleryItem.h"
#include "TkImageManager.h"
#include "TkPropExchange.h"
#include "TkRibbonBar.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonGroup.h"
#include "TkRibbonGroupArrange.h"
#include "TkRibbonGroups.h"
#include "TkRibbonTab.h"
#include "TkRibbonTheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

// Command ids with a 32-pixel icon (and a 16-pixel one), and ids with a 16-pixel icon only.
constexpr UINT kLargeIconIds = 100;
constexpr UINT kSmallIconIds = 200;
constexpr int kIconCount = 12;
// The margins the ribbon lays its groups out with (left, top, right).
const CRect kStripMargins(4, 3, 6, 0);

// A ribbon on the host's command bars, without a window of its own, whose group strip is as high as its
// fixed groups height: the height the bar computes from the theme once it lays itself out.
class CGroupTestRibbon : public CTkRibbonBar {
public:
    int CalcGroupsHeight() const override { return m_nFixedGroupsHeight; }
};

// A stored class that is neither a group nor a control, named as long as the class it replaces in a
// saved stream; loading must refuse it before one is made.
class CNotARibbonGrp : public CObject {
    DECLARE_SERIAL(CNotARibbonGrp)
public:
    CNotARibbonGrp() { ++s_nMade; }
    static int s_nMade;
};
int CNotARibbonGrp::s_nMade = 0;
IMPLEMENT_SERIAL(CNotARibbonGrp, CObject, VERSIONABLE_SCHEMA | 33)

class CCountedNotControl : public CObject {
    DECLARE_SERIAL(CCountedNotControl)
public:
    CCountedNotControl() { ++s_nMade; }
    static int s_nMade;
};
int CCountedNotControl::s_nMade = 0;
IMPLEMENT_SERIAL(CCountedNotControl, CObject, VERSIONABLE_SCHEMA | 33)

// An opaque square icon of one colour for the id.
void AddIcon(CTkImageManager* pImages, UINT nId, int nSize, COLORREF clr) {
    void* pvBits = nullptr;
    CBitmap bitmap;
    bitmap.Attach(CreateDibSection32(nullptr, nSize, -nSize, &pvBits));
    auto* pBits = static_cast<DWORD*>(pvBits);
    const DWORD dwColor = 0xFF000000 | (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    std::fill(pBits, pBits + nSize * nSize, dwColor);
    ASSERT_TRUE(pImages->SetIconsFromBitmap(&bitmap, &nId, 1, nSize, nSize, ImageStateNormal, TRUE));
}

class RibbonGroupFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(m_host.CommandBars(), nullptr);
        m_pRibbon = new CGroupTestRibbon;
        m_pRibbon->SetCommandBars(m_host.CommandBars());
        CTkRibbonTheme* pTheme = m_host.Theme();
        m_pRibbon->SetGroupsHeight(3 * pTheme->m_nControlRowHeight + pTheme->m_nGroupCaptionHeight + 10);
        m_pTab = m_pRibbon->AddTab(L"Home");
        m_pRibbon->GetControlTab()->SelectItem(m_pTab);
        CTkImageManager* pImages = m_host.CommandBars()->GetImageManager();
        for (UINT i = 0; i < kIconCount; ++i) {
            const COLORREF clr = RGB(40 + 15 * i, 120, 200 - 10 * i);
            AddIcon(pImages, kLargeIconIds + i, 32, clr);
            AddIcon(pImages, kLargeIconIds + i, 16, clr);
            AddIcon(pImages, kSmallIconIds + i, 16, clr);
        }
    }
    void TearDown() override {
        if (m_pRibbon != nullptr)
            m_pRibbon->InternalRelease();
    }

    CTkRibbonGroups* Groups() const { return m_pTab->GetGroups(); }

    // A group of buttons with the ids (captions "B<id>"), appended to the tab.
    CTkRibbonGroup* AddGroup(LPCWSTR pszCaption, std::initializer_list<UINT> ids) {
        CTkRibbonGroup* pGroup = Groups()->Add(pszCaption, 500 + Groups()->GetCount());
        for (UINT nId : ids) {
            CTkControl* pControl = pGroup->Add(kControlButton, static_cast<int>(nId));
            CString strCaption;
            strCaption.Format(L"B%u", nId);
            pControl->SetCaption(strCaption);
        }
        return pGroup;
    }

    void Layout(int nWidth, int nRequestedOffset = 0) {
        m_pRibbon->SetScrollOffset(nRequestedOffset);
        Groups()->Layout(&m_dc, m_pRibbon, nWidth, kStripMargins);
    }

    // The styles the layout assigned to the group's controls, and how many distinct columns they use.
    static std::vector<int> Styles(const CTkRibbonGroup* pGroup) {
        std::vector<int> styles;
        for (int i = 0; i < pGroup->GetCount(); ++i)
            styles.push_back(pGroup->GetAt(i)->GetStyle());
        return styles;
    }
    static size_t Columns(const CTkRibbonGroup* pGroup) {
        std::set<LONG> lefts;
        for (int i = 0; i < pGroup->GetCount(); ++i)
            lefts.insert(pGroup->GetAt(i)->GetRect().left);
        return lefts.size();
    }

    // Draws the groups of the tab as the bar would (controls only while the theme's group painters are
    // not there), each group framed, into a PNG under /tmp.
    void SavePicture(int nWidth, LPCWSTR pszPath) {
        ::CreateDirectoryW(L"/tmp/rb141", nullptr);
        CScopedMemDC dc(nWidth, m_pRibbon->CalcGroupsHeight() + 6);
        ASSERT_TRUE(dc.IsValid());
        dc.FillSolidRect(0, 0, dc.GetWidth(), dc.GetHeight(), RGB(255, 255, 255));
        Groups()->Layout(&dc, m_pRibbon, nWidth, kStripMargins);
        for (int i = 0; i < Groups()->GetCount(); ++i) {
            CTkRibbonGroup* pGroup = Groups()->GetAt(i);
            CRect rc = pGroup->GetRect();
            dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, RGB(150, 170, 200));
            dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, RGB(150, 170, 200));
            dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), RGB(150, 170, 200));
            dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), RGB(150, 170, 200));
            pGroup->Draw(&dc, CRect(0, 0, dc.GetWidth(), dc.GetHeight()));
        }
        EXPECT_TRUE(WritePng(dc, pszPath));
    }

    CRibbonHost m_host;
    CGroupTestRibbon* m_pRibbon = nullptr;  // one reference
    CTkRibbonTab* m_pTab = nullptr;
    CScopedMemDC m_dc{16, 16};
};

TEST_F(RibbonGroupFixture, TheLastThreeLargeButtonsBecomeOneSmallColumnThenLoseCaptionsThenCollapse) {
    CTkRibbonGroup* pGroup =
        AddGroup(L"Clip", {kLargeIconIds, kLargeIconIds + 1, kLargeIconIds + 2, kLargeIconIds + 3});
    pGroup->BeginLayout(&m_dc);
    const int nFull = pGroup->CalcWidth(&m_dc);
    EXPECT_EQ(Styles(pGroup), (std::vector<int>{4, 4, 4, 4}));
    // Steps 1 and 2 find nothing to do while step 0 has work: the layout asks step 0 first.
    EXPECT_TRUE(pGroup->Reduce(&m_dc, 0, 100));
    const int nSmall = pGroup->CalcWidth(&m_dc);
    EXPECT_EQ(Styles(pGroup), (std::vector<int>{4, 3, 3, 3}));
    const RibbonLayoutItems& items = pGroup->GetLayoutInfo()->items;
    EXPECT_NE(items[1].rcControl.left, items[0].rcControl.left);
    EXPECT_EQ(items[3].rcControl.left, items[1].rcControl.left) << "one column";
    EXPECT_LT(nSmall, nFull);
    EXPECT_FALSE(pGroup->Reduce(&m_dc, 0, 100));
    EXPECT_FALSE(pGroup->Reduce(&m_dc, 1, 100));
    EXPECT_TRUE(pGroup->Reduce(&m_dc, 2, 100));
    const int nIcons = pGroup->CalcWidth(&m_dc);
    EXPECT_EQ(Styles(pGroup), (std::vector<int>{4, 2, 2, 2}));
    EXPECT_LE(nIcons, nSmall);
    EXPECT_FALSE(pGroup->Reduce(&m_dc, 2, 100));
    EXPECT_TRUE(pGroup->Reduce(&m_dc, 3, 100));
    EXPECT_TRUE(pGroup->IsReduced());
    EXPECT_EQ(pGroup->CalcWidth(&m_dc), pGroup->GetControlGroupPopup()->GetSize(&m_dc).cx - 5);
    EXPECT_FALSE(pGroup->Reduce(&m_dc, 3, 100));
    pGroup->Reposition(4, 3, pGroup->CalcWidth(&m_dc));
    pGroup->EndLayout(&m_dc);
    for (int i = 0; i < pGroup->GetCount(); ++i)
        EXPECT_EQ(pGroup->GetAt(i)->GetHideFlags() & kHideWrap, static_cast<DWORD>(kHideWrap)) << i;
    EXPECT_EQ(pGroup->GetControlGroupPopup()->GetHideFlags() & kHideWrap, 0u);
    EXPECT_EQ(pGroup->GetControlGroupPopup()->GetRect(), pGroup->GetRect());

    // The collapsed group opens up again at the next layout in a wide strip, and asks for a command update.
    m_pRibbon->SetPendingCommandUpdate(FALSE);
    Layout(2000);
    EXPECT_FALSE(pGroup->IsReduced());
    EXPECT_TRUE(m_pRibbon->IsPendingCommandUpdate());
    EXPECT_EQ(Styles(pGroup), (std::vector<int>{4, 4, 4, 4}));
    EXPECT_EQ(Columns(pGroup), 4u);
    EXPECT_EQ(pGroup->GetControlGroupPopup()->GetHideFlags() & kHideWrap, static_cast<DWORD>(kHideWrap));
}

TEST_F(RibbonGroupFixture, AllowedStepsAndASingleControlLimitTheReductions) {
    struct Case {
        const char* pszName;
        int nAllowed;
        int nControls;
        std::vector<BOOL> reduced;  // Reduce 0, 1, 2, 3, each once, in order
    };
    const Case cases[] = {
        {"allowed 0", 0, 4, {FALSE, FALSE, FALSE, FALSE}},
        {"allowed 3", 3, 4, {TRUE, FALSE, TRUE, FALSE}},
        {"allowed 4", 4, 4, {TRUE, FALSE, TRUE, TRUE}},
        // No more controls than rows: the one small column keeps its captions and the group collapses.
        {"one column", 4, 3, {TRUE, FALSE, FALSE, TRUE}},
        // One large button: no run of three, no captions to drop in a column, never collapsed.
        {"single control", 4, 1, {FALSE, FALSE, FALSE, FALSE}},
    };
    for (const Case& c : cases) {
        Groups()->RemoveAll();
        CTkRibbonGroup* pGroup = AddGroup(L"G", {});
        for (int i = 0; i < c.nControls; ++i)
            pGroup->Add(kControlButton, static_cast<int>(kLargeIconIds) + i)->SetCaption(L"Button");
        pGroup->SetAllowedReductionSteps(c.nAllowed);
        pGroup->BeginLayout(&m_dc);
        pGroup->CalcWidth(&m_dc);
        for (int nStep = 0; nStep < 4; ++nStep) {
            EXPECT_EQ(pGroup->Reduce(&m_dc, nStep, 1000), c.reduced[static_cast<size_t>(nStep)])
                << c.pszName << " step " << nStep;
            pGroup->CalcWidth(&m_dc);
        }
        pGroup->EndLayout(&m_dc);
    }
}

TEST_F(RibbonGroupFixture, AGroupedGroupTradesTwoRowsForThreeOnce) {
    CTkRibbonGroup* pGroup = AddGroup(L"G", {});
    for (int i = 0; i < 6; ++i)
        pGroup->Add(kControlButton, static_cast<int>(kSmallIconIds) + i)->SetBeginGroup(TRUE);
    pGroup->SetControlsGrouping(TRUE);
    pGroup->BeginLayout(&m_dc);
    const int nTwoRows = pGroup->CalcWidth(&m_dc);
    EXPECT_FALSE(pGroup->Reduce(&m_dc, 0, 1000));
    EXPECT_TRUE(pGroup->Reduce(&m_dc, 1, 1000));
    EXPECT_LT(pGroup->CalcWidth(&m_dc), nTwoRows);
    EXPECT_FALSE(pGroup->Reduce(&m_dc, 1, 1000));
    EXPECT_FALSE(pGroup->Reduce(&m_dc, 2, 1000));
    EXPECT_TRUE(pGroup->Reduce(&m_dc, 3, 1000));
    pGroup->EndLayout(&m_dc);
}

TEST_F(RibbonGroupFixture, ACaptionWiderThanTheControlsShrinksFirstButNeverBelowThem) {
    CTkRibbonGroup* pGroup = AddGroup(L"A group caption much wider than its one button", {kSmallIconIds});
    pGroup->BeginLayout(&m_dc);
    const int nFull = pGroup->CalcWidth(&m_dc);
    const int nContent = pGroup->GetLayoutInfo()->nContentWidth;
    ASSERT_GT(nFull, nContent + 20);
    ASSERT_GT(nContent, 16);
    EXPECT_FALSE(pGroup->Reduce(&m_dc, 0, 10));
    EXPECT_FALSE(pGroup->Reduce(&m_dc, 1, 10));
    EXPECT_TRUE(pGroup->Reduce(&m_dc, 2, 10));
    EXPECT_EQ(pGroup->CalcWidth(&m_dc), nFull - 10);
    EXPECT_TRUE(pGroup->Reduce(&m_dc, 2, 10000));
    EXPECT_EQ(pGroup->CalcWidth(&m_dc), nContent);
    EXPECT_EQ(Styles(pGroup), (std::vector<int>{3}));
    pGroup->EndLayout(&m_dc);
}

TEST_F(RibbonGroupFixture, CentredSmallButtonsHaveEqualGapsInTheirColumn) {
    // Three small buttons fill a column of the ribbon theme exactly: two leave room to share.
    CTkRibbonGroup* pGroup = AddGroup(L"Font", {kSmallIconIds, kSmallIconIds + 1});
    pGroup->SetControlsCentering(TRUE);
    Layout(2000);
    const CRect rcGroup = pGroup->GetRect();
    // The room: the group's height less its caption line and 3, from 2 below its top.
    const int nRoomTop = rcGroup.top + 2;
    const int nRoomBottom = rcGroup.bottom - m_host.Theme()->m_nGroupCaptionHeight - 3 + 2;
    std::vector<int> gaps;
    int nPrevious = nRoomTop;
    for (int i = 0; i < pGroup->GetCount(); ++i) {
        const CRect rc = pGroup->GetAt(i)->GetRect();
        EXPECT_EQ(rc.left, pGroup->GetAt(0)->GetRect().left);
        gaps.push_back(rc.top - nPrevious);
        nPrevious = rc.bottom;
    }
    EXPECT_GT(gaps[0], 0);
    EXPECT_EQ(gaps[1], gaps[0]);
    // Below: the same gap and what the division left over.
    EXPECT_GE(nRoomBottom - nPrevious, gaps[0]);
    EXPECT_LE(nRoomBottom - nPrevious, gaps[0] + 2);
}

TEST_F(RibbonGroupFixture, GroupsReduceFromTheLastAndRestartAtTheGentlestStep) {
    CTkRibbonGroup* pFirst = AddGroup(L"Six", {kLargeIconIds, kLargeIconIds + 1, kLargeIconIds + 2, kLargeIconIds + 3,
                                               kLargeIconIds + 4, kLargeIconIds + 5});
    CTkRibbonGroup* pLast =
        AddGroup(L"Four", {kLargeIconIds + 6, kLargeIconIds + 7, kLargeIconIds + 8, kLargeIconIds + 9});
    Layout(2000);
    EXPECT_EQ(Columns(pFirst), 6u);
    EXPECT_EQ(Columns(pLast), 4u);
    // Side by side, 7 pixels from the end of one width to the next (the box is 5 wider than the width).
    EXPECT_EQ(pFirst->GetRect().left, kStripMargins.left);
    EXPECT_EQ(pLast->GetRect().left - pFirst->GetRect().right, 2);
    EXPECT_EQ(pFirst->GetRect().top, kStripMargins.top);

    // Narrowing the strip a few pixels at a time: the order in which the states first appear.
    std::vector<std::string> order;
    auto note = [&order](const std::string& strState) {
        if (std::find(order.begin(), order.end(), strState) == order.end())
            order.push_back(strState);
    };
    const int nFullWidth = pLast->GetRect().right + kStripMargins.right;
    for (int nWidth = nFullWidth; nWidth > 20; nWidth -= 4) {
        Layout(nWidth);
        const std::vector<int> first = Styles(pFirst);
        const std::vector<int> last = Styles(pLast);
        if (last == std::vector<int>{4, 3, 3, 3})
            note("last small");
        if (std::count(first.begin(), first.end(), 3) == 3)
            note("first half small");
        if (first == std::vector<int>(6, 3))
            note("first small");
        if (last == std::vector<int>{4, 2, 2, 2})
            note("last icons");
        if (pLast->IsReduced())
            note("last collapsed");
        if (pFirst->IsReduced())
            note("first collapsed");
    }
    EXPECT_EQ(order, (std::vector<std::string>{"last small", "first half small", "first small", "last icons",
                                               "last collapsed", "first collapsed"}));
    SavePicture(nFullWidth, L"/tmp/rb141/groups-full.png");
}

TEST_F(RibbonGroupFixture, TheScrollOffsetIsKeptWithinWhatTheGroupsOverflow) {
    CTkRibbonGroup* pFirst = AddGroup(L"One", {kSmallIconIds, kSmallIconIds + 1});
    CTkRibbonGroup* pLast = AddGroup(L"Two", {kSmallIconIds + 2, kSmallIconIds + 3});
    pFirst->SetAllowedReductionSteps(0);
    pLast->SetAllowedReductionSteps(0);
    Layout(2000, 30);
    EXPECT_EQ(Groups()->GetScrollOffset(), 0);
    const int nSpan = pLast->GetRect().right - 5 - kStripMargins.left;
    const int nWidth = 60 + kStripMargins.left + kStripMargins.right;
    Layout(nWidth, 1000);
    EXPECT_EQ(Groups()->GetScrollOffset(), nSpan - 60);
    EXPECT_EQ(pFirst->GetRect().left, kStripMargins.left - (nSpan - 60));
    Layout(nWidth, 20);
    EXPECT_EQ(Groups()->GetScrollOffset(), 20);
    EXPECT_EQ(pFirst->GetRect().left, kStripMargins.left - 20);
}

TEST_F(RibbonGroupFixture, GroupsShowOnlyOnTheSelectedTabAndControlsSitBeforeTheOptionButton) {
    CTkRibbonGroup* pGroup = AddGroup(L"Edit", {kSmallIconIds});
    CTkControls* pControls = m_pRibbon->GetControls();
    CTkControl* pOption = pGroup->GetControlGroupOption();
    // The option and popup buttons follow the group's control in the bar.
    EXPECT_EQ(pControls->GetAt(pOption->GetIndex() - 1), pGroup->GetAt(0));
    EXPECT_EQ(pGroup->GetControlGroupPopup()->GetIndex(), pOption->GetIndex() + 1);
    EXPECT_EQ(pOption->GetId(), pGroup->GetId());
    EXPECT_EQ(pGroup->GetControlGroupPopup()->GetCaption(), L"Edit");
    CTkControl* pSecond = pGroup->Add(kControlButton, kSmallIconIds + 1);
    CTkControl* pInserted = pGroup->InsertControl(pSecond, 0, FALSE);
    EXPECT_EQ(pGroup->IndexOf(pInserted), 0);
    EXPECT_EQ(pGroup->IndexOf(pSecond), 2);
    EXPECT_EQ(pSecond->GetIndex() + 1, pOption->GetIndex());
    EXPECT_EQ(pInserted->GetIndex() + 1, pGroup->GetAt(1)->GetIndex());
    EXPECT_EQ(pGroup->IndexOf(pOption), -1);

    // A group of another tab is not in the ribbon, and its new controls carry the group hide mark.
    CTkRibbonTab* pOther = m_pRibbon->AddTab(L"Other");
    CTkRibbonGroup* pHidden = pOther->GetGroups()->Add(L"Hidden", 900);
    CTkControl* pHiddenControl = pHidden->Add(kControlButton, kSmallIconIds);
    EXPECT_FALSE(pHidden->IsVisibleInRibbon());
    EXPECT_TRUE(pGroup->IsVisibleInRibbon());
    EXPECT_EQ(pHiddenControl->GetHideFlags() & kHideRibbonReduced, static_cast<DWORD>(kHideRibbonReduced));
    EXPECT_EQ(pInserted->GetHideFlags() & kHideRibbonReduced, 0u);
    EXPECT_EQ(m_pRibbon->FindGroup(900), pHidden);

    // Removing a group takes its controls and its buttons out of the bar.
    const int nBefore = pControls->GetCount();
    pOther->GetGroups()->RemoveAll();
    EXPECT_EQ(pControls->GetCount(), nBefore - 3);
    pGroup->RemoveControl(pInserted);
    EXPECT_EQ(pGroup->GetCount(), 2);
    EXPECT_EQ(pControls->GetCount(), nBefore - 4);
}

TEST_F(RibbonGroupFixture, TheGroupsButtonsShareItsActionAndAHiddenSelectedTabPassesTheSelectionOn) {
    m_host.CommandBars()->EnableActions();
    CTkRibbonGroup* pGroup = AddGroup(L"Paragraph", {});
    CTkControlAction* pAction = m_host.CommandBars()->FindAction(pGroup->GetId());
    ASSERT_NE(pAction, nullptr);
    EXPECT_EQ(pAction->GetCaption(), L"Paragraph");
    EXPECT_EQ(pGroup->GetControlGroupOption()->GetAction(), pAction);
    EXPECT_EQ(pGroup->GetControlGroupPopup()->GetAction(), pAction);

    CTkRibbonTab* pHidden = m_pRibbon->AddTab(L"Hidden");
    pHidden->SetVisible(FALSE);
    CTkRibbonTab* pOther = m_pRibbon->AddTab(L"Other");
    m_pTab->SetVisible(FALSE);
    EXPECT_EQ(m_pRibbon->GetSelectedTab(), pOther);
}

TEST_F(RibbonGroupFixture, CopiedPopupButtonsFindTheirGroupAndAFreeCopyAnswersForTheSourcesTab) {
    CTkRibbonGroup* pGroup = AddGroup(L"Here", {kSmallIconIds});
    CTkRibbonGroupControlPopup* pPopup = pGroup->GetControlGroupPopup();
    EXPECT_EQ(pPopup->GetRibbonBar(), m_pRibbon);
    // On the same ribbon the copy stands for the source's group; on another, for the group of the same id
    // there.
    auto* pSame = static_cast<CTkRibbonGroupControlPopup*>(m_pRibbon->GetControls()->AddCopy(pPopup));
    EXPECT_EQ(pSame->GetRibbonGroup(), pGroup);
    EXPECT_EQ(pSame->GetCaption(), L"Here");
    CTkRibbonGroup* pGone = Groups()->Add(L"Gone", 77);
    auto* pOrphan =
        static_cast<CTkRibbonGroupControlPopup*>(m_pRibbon->GetControls()->AddCopy(pGone->GetControlGroupPopup()));
    Groups()->RemoveAt(pGone->GetIndex());
    EXPECT_EQ(pOrphan->GetRibbonGroup(), nullptr) << "a copy never holds a group that has gone";
    EXPECT_TRUE(pOrphan->IsVisible());
    auto* pOther = new CGroupTestRibbon;
    pOther->SetCommandBars(m_host.CommandBars());
    CTkRibbonGroup* pThere = pOther->AddTab(L"There")->GetGroups()->Add(L"There", pGroup->GetId());
    auto* pCopy = static_cast<CTkRibbonGroupControlPopup*>(pOther->GetControls()->AddCopy(pPopup));
    EXPECT_EQ(pCopy->GetRibbonGroup(), pThere);
    pOther->InternalRelease();

    // A copy outside any collection (a group popup's) shows the source's controls in its own bar.
    auto* pFree = new CTkRibbonGroup;
    pFree->SetRibbonBar(m_pRibbon);
    pFree->SetParent(m_pRibbon);
    pFree->OnAdded();
    pFree->Copy(pGroup);
    EXPECT_EQ(pFree->GetGroups(), Groups());
    EXPECT_EQ(pFree->GetControlGroupPopup()->GetRibbonGroup(), pFree) << "its own button stays its own";
    ASSERT_EQ(pFree->GetCount(), 1);
    EXPECT_NE(pFree->GetAt(0), pGroup->GetAt(0));
    EXPECT_EQ(pFree->GetAt(0)->GetId(), static_cast<int>(kSmallIconIds));
    const int nControls = m_pRibbon->GetControls()->GetCount();
    pFree->OnRemoved();
    EXPECT_EQ(m_pRibbon->GetControls()->GetCount(), nControls - 3);
    pFree->InternalRelease();
}

TEST_F(RibbonGroupFixture, ATabCopiesAndReloadsItsGroupsAndControls) {
    CTkRibbonGroup* pFirst = AddGroup(L"First", {kLargeIconIds, kSmallIconIds});
    pFirst->ShowOptionButton(TRUE);
    pFirst->SetControlsGrouping(TRUE);
    pFirst->SetIconId(77);
    CTkRibbonGroup* pSecond = AddGroup(L"Second", {kSmallIconIds + 1});
    pSecond->SetControlsCentering(TRUE);
    pSecond->SetVisible(FALSE);
    m_pTab->SetContextColor(3);
    m_pTab->SetContextCaption(L"Tools");
    m_pTab->SetToolTip(L"Tip");
    m_pTab->SetId(12);

    auto expectSame = [](CTkRibbonTab* pTab, CTkRibbonTab* pSource) {
        EXPECT_EQ(pTab->GetCaption(), pSource->GetCaption());
        EXPECT_EQ(pTab->GetContextColor(), 3);
        EXPECT_EQ(pTab->GetContextCaption(), L"Tools");
        EXPECT_EQ(pTab->m_strToolTip, L"Tip");
        EXPECT_EQ(pTab->GetId(), 12);
        ASSERT_EQ(pTab->GetGroups()->GetCount(), 2);
        for (int i = 0; i < 2; ++i) {
            CTkRibbonGroup* pGroup = pTab->GetGroups()->GetAt(i);
            CTkRibbonGroup* pOriginal = pSource->GetGroups()->GetAt(i);
            EXPECT_EQ(pGroup->GetIndex(), i);
            EXPECT_EQ(pGroup->GetGroups(), pTab->GetGroups());
            EXPECT_EQ(pGroup->GetCaption(), pOriginal->GetCaption());
            EXPECT_EQ(pGroup->GetId(), pOriginal->GetId());
            EXPECT_EQ(pGroup->GetIconId(), pOriginal->GetIconId());
            EXPECT_EQ(pGroup->IsShowOptionButton(), pOriginal->IsShowOptionButton());
            EXPECT_EQ(pGroup->IsControlsGrouping(), pOriginal->IsControlsGrouping());
            EXPECT_EQ(pGroup->IsControlsCentering(), pOriginal->IsControlsCentering());
            EXPECT_EQ(pGroup->IsVisible(), pOriginal->IsVisible());
            ASSERT_EQ(pGroup->GetCount(), pOriginal->GetCount());
            for (int j = 0; j < pGroup->GetCount(); ++j) {
                CTkControl* pControl = pGroup->GetAt(j);
                EXPECT_NE(pControl, pOriginal->GetAt(j));
                EXPECT_EQ(pControl->GetId(), pOriginal->GetAt(j)->GetId());
                EXPECT_EQ(pControl->GetCaption(), pOriginal->GetAt(j)->GetCaption());
                EXPECT_EQ(static_cast<CTkRibbonGroup*>(pControl->GetRibbonGroup()), pGroup);
                EXPECT_EQ(pControl->GetParent(), pTab->GetRibbonBar());
                // In the bar just before the group's option button.
                EXPECT_LT(pControl->GetIndex(), pGroup->GetControlGroupOption()->GetIndex());
            }
            EXPECT_EQ(pGroup->GetControlGroupOption()->GetId(), pOriginal->GetId());
            EXPECT_EQ(pGroup->GetControlGroupPopup()->GetCaption(), pOriginal->GetCaption());
        }
    };

    CTkRibbonTab* pCopy = m_pRibbon->AddTab(L"");
    pCopy->Copy(m_pTab);
    EXPECT_EQ(pCopy->GetCaption(), L"Home");
    EXPECT_TRUE(pCopy->IsSelected());  // the source was the selected tab
    expectSame(pCopy, m_pTab);
    m_pRibbon->GetControlTab()->SelectItem(m_pTab);

    // Saved and loaded into a new tab of the strip: the tab strip's control owns the section.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CTkPropExchangeArchive exchange(ar);
        m_pTab->DoPropExchange(&exchange);
        ar.Close();
    }
    file.SeekToBegin();
    auto* pLoaded = new CTkRibbonTab;
    m_pRibbon->GetControlTab()->InsertItem(-1, pLoaded);
    {
        CArchive ar(&file, CArchive::load);
        CTkPropExchangeArchive exchange(ar);
        exchange.m_pOwner = m_pRibbon->GetControlTab();
        pLoaded->DoPropExchange(&exchange);
    }
    EXPECT_EQ(pLoaded->GetRibbonBar(), m_pRibbon);
    EXPECT_TRUE(pLoaded->IsSelected());  // the source was the selected tab
    expectSame(pLoaded, m_pTab);
}

TEST_F(RibbonGroupFixture, WrongClassItemsFailTheLoadWithNothingOfThemBuiltOrLeftInTheBar) {
    AddGroup(L"First", {kSmallIconIds});
    CTkRibbonGroup* pSecond = AddGroup(L"Second", {});
    pSecond->Add(kControlCheckBox, kSmallIconIds + 1);
    const std::vector<BYTE> saved = Saved(Groups());
    CTkRibbonTab* pTarget = m_pRibbon->AddTab(L"Target");
    CTkControls* pControls = m_pRibbon->GetControls();
    const int nBarControls = pControls->GetCount();

    // A "Group" item of another class: refused before anything is made.
    std::vector<BYTE> badGroup = saved;
    ReplaceClassName(badGroup, "CTkRibbonGroup", "CNotARibbonGrp");
    EXPECT_EQ(Load(pTarget->GetGroups(), badGroup), CArchiveException::badClass);
    EXPECT_EQ(CNotARibbonGrp::s_nMade, 0);
    EXPECT_EQ(pTarget->GetGroups()->GetCount(), 0);
    EXPECT_EQ(pControls->GetCount(), nBarControls);

    // A "Control" item of another class inside the second group: the first group stays, the half-read
    // second one goes with its controls and buttons.
    std::vector<BYTE> badControl = saved;
    ReplaceClassName(badControl, "CTkControlCheckBox", "CCountedNotControl");
    EXPECT_EQ(Load(pTarget->GetGroups(), badControl), CArchiveException::badClass);
    EXPECT_EQ(CCountedNotControl::s_nMade, 0);
    ASSERT_EQ(pTarget->GetGroups()->GetCount(), 1);
    EXPECT_EQ(pTarget->GetGroups()->GetAt(0)->GetCaption(), L"First");
    EXPECT_EQ(pControls->GetCount(), nBarControls + 3);

    // The whole stream loads.
    EXPECT_EQ(Load(pTarget->GetGroups(), saved), -1);
    ASSERT_EQ(pTarget->GetGroups()->GetCount(), 2);
    EXPECT_EQ(pTarget->GetGroups()->GetAt(1)->GetAt(0)->GetType(), kControlCheckBox);
    EXPECT_EQ(pControls->GetCount(), nBarControls + 6);
}

TEST_F(RibbonGroupFixture, TheLastGalleryGrowsByWholeItemsOnceAndShrinksToAButton) {
    m_host.CommandBars()->EnableActions();
    auto addGallery = [this](LPCWSTR pszCaption, int nId) {
        CTkRibbonGroup* pGroup = AddGroup(pszCaption, {});
        auto* pItems = new CTkGalleryItemCollection;
        pItems->m_nItemWidth = 40;
        pItems->m_nItemHeight = 30;
        for (int i = 0; i < 10; ++i)
            pItems->AddItem(1000 + i, L"Item");
        m_host.CommandBars()->GetOrCreateAction(nId)->SetItems(pItems);
        pItems->InternalRelease();
        auto* pGallery = static_cast<CTkControlGallery*>(pGroup->Add(kControlGallery, nId));
        pGallery->SetShowScrollBar(FALSE);
        pGallery->SetResizable(1);
        pGallery->SetWidth(80);
        pGallery->SetHeight(60);
        return pGallery;
    };
    CTkControlGallery* pFirst = addGallery(L"Styles", 700);
    CTkControlGallery* pLast = addGallery(L"Shapes", 701);
    Layout(2000);
    const int nFirstWidth = pFirst->GetRect().Width();
    const int nNarrowLast = pLast->GetSize(&m_dc).cx;
    // Only the last group grows, to all its items.
    EXPECT_EQ(pLast->GetRect().Width(), 10 * 40);
    EXPECT_EQ(nFirstWidth, pFirst->GetSize(&m_dc).cx);

    // With 100 pixels to spare it takes two more items (its group is 4 wider than the gallery).
    Layout(Groups()->GetAt(1)->GetRect().left + nNarrowLast + 4 + kStripMargins.right + 100);
    EXPECT_EQ(pLast->GetRect().Width(), nNarrowLast + 80);

    // Too narrow: the last gallery is shown as a button first.
    for (int nWidth = 400; nWidth > 20 && !pLast->IsShownAsButton(); nWidth -= 4)
        Layout(nWidth);
    EXPECT_TRUE(pLast->IsShownAsButton());
    EXPECT_FALSE(pFirst->IsShownAsButton());
}

TEST_F(RibbonGroupFixture, PicturesAtThreeWidths) {
    AddGroup(L"Clipboard", {kLargeIconIds, kLargeIconIds + 1, kLargeIconIds + 2});
    AddGroup(L"Font", {kSmallIconIds, kSmallIconIds + 1, kSmallIconIds + 2, kSmallIconIds + 3});
    AddGroup(L"Insert", {kLargeIconIds + 3, kLargeIconIds + 4, kLargeIconIds + 5});
    Layout(2000);
    const int nFull = Groups()->GetAt(2)->GetRect().right + kStripMargins.right;
    SavePicture(nFull, L"/tmp/rb141/ribbon-full.png");
    SavePicture(nFull * 2 / 3, L"/tmp/rb141/ribbon-reduced.png");
    int nCollapsed = nFull;
    while (nCollapsed > 20 && !Groups()->GetAt(2)->IsReduced())
        Layout(nCollapsed -= 4);
    EXPECT_TRUE(Groups()->GetAt(2)->IsReduced());
    SavePicture(nCollapsed, L"/tmp/rb141/ribbon-collapsed.png");
}

}  // namespace
