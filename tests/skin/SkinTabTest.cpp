// Tab controls under the state-coded skin: the first, middle and last tabs take their own parts, the
// selected tab is larger and on top, hovering repaints only the tab strip, and the pane lies below.

#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinObjectTab.h"

#include <vssym32.h>

namespace {

constexpr RECT kTabRect = {10, 10, 310, 110};  // 300 x 100

HWND AddTabs(RecorderParent& parent, std::initializer_list<LPCWSTR> captions) {
    HWND hTab = parent.AddChild(WC_TABCONTROLW, L"", 0, kTabRect);
    int nItem = 0;
    for (LPCWSTR pszCaption : captions) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(pszCaption);
        ::SendMessageW(hTab, TCM_INSERTITEMW, nItem++, reinterpret_cast<LPARAM>(&item));
    }
    return hTab;
}

CRect ItemRect(HWND hTab, int nItem) {
    CRect rc;
    ::SendMessageW(hTab, TCM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(&rc));
    return rc;
}

}  // namespace

TEST(SkinTab, TabsTakeTheirPartsAndTheSelectedTabLiesOnTop) {
    OpenStateCodedSkin();
    RecorderParent parent;
    HWND hTab = AddTabs(parent, {L"One", L"Two", L"Three"});
    ASSERT_NE(dynamic_cast<CTkSkinObjectTab*>(GetSkinManager()->FindSkinObject(hTab)), nullptr);
    ::SendMessageW(hTab, TCM_SETCURSEL, 1, 0);
    const CRect rcFirst = ItemRect(hTab, 0);
    const CRect rcMiddle = ItemRect(hTab, 1);
    const CRect rcLast = ItemRect(hTab, 2);
    ASSERT_FALSE(rcLast.IsRectEmpty());
    SkinCanvas dc(300, 100);
    auto corner = [](const CRect& rc) { return CPoint(rc.left + 3, rc.top + 3); };
    struct Probe {
        const char* pszWhat;
        CPoint pt;
        int nPart;
        int nState;
    };
    auto expect = [&](std::initializer_list<Probe> probes) {
        PrintInto(dc, hTab);
        for (const Probe& probe : probes)
            EXPECT_EQ(CellAt(dc, probe.pt.x, probe.pt.y), CellName(kTab, probe.nPart, probe.nState)) << probe.pszWhat;
    };
    expect({
        {"first tab", corner(rcFirst), TABP_TOPTABITEMLEFTEDGE, TIS_NORMAL},
        {"selected middle tab", corner(rcMiddle), TABP_TOPTABITEM, TIS_SELECTED},
        {"last tab", corner(rcLast), TABP_TOPTABITEMRIGHTEDGE, TIS_NORMAL},
        // The selected tab reaches 2 pixels past its rectangle, over its neighbours and the pane.
        {"above the selected tab", CPoint(rcMiddle.left + 3, rcMiddle.top - 1), TABP_TOPTABITEM, TIS_SELECTED},
        {"over the first tab", CPoint(rcMiddle.left - 1, rcMiddle.top + 3), TABP_TOPTABITEM, TIS_SELECTED},
        {"over the last tab", CPoint(rcMiddle.right, rcMiddle.top + 3), TABP_TOPTABITEM, TIS_SELECTED},
    });

    // Hovering a tab makes it hot and repaints only the strip of tabs.
    ::ValidateRect(hTab, nullptr);
    ::SendMessageW(hTab, WM_MOUSEMOVE, 0, MAKELPARAM(rcLast.CenterPoint().x, rcLast.CenterPoint().y));
    auto* pObject = dynamic_cast<CTkSkinObjectTab*>(GetSkinManager()->FindSkinObject(hTab));
    EXPECT_EQ(pObject->GetHotItem(), 2);
    CRect rcUpdate;
    ::GetUpdateRect(hTab, &rcUpdate, FALSE);
    EXPECT_EQ(rcUpdate, pObject->GetTabStripRect());
    CRect rcClient;
    ::GetClientRect(hTab, &rcClient);
    EXPECT_LT(rcUpdate.bottom, rcClient.bottom);
    expect({{"hovered last tab", corner(rcLast), TABP_TOPTABITEMRIGHTEDGE, TIS_HOT}});
    ::SendMessageW(hTab, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(pObject->GetHotItem(), -1);

    // The last tab selected is an ordinary tab; the pane lies below the strip.
    ::SendMessageW(hTab, TCM_SETCURSEL, 2, 0);
    PrintInto(dc, hTab, WM_PRINT, PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(CellAt(dc, corner(rcLast).x, corner(rcLast).y), CellName(kTab, TABP_TOPTABITEM, TIS_SELECTED));
    EXPECT_EQ(CellAt(dc, 150, 80), CellName(kTab, TABP_PANE, 0));
    ::DestroyWindow(hTab);

    // A single tab is the first tab, though it is the last one too.
    HWND hSingle = AddTabs(parent, {L"Only"});
    ::SendMessageW(hSingle, TCM_SETCURSEL, 0, 0);
    PrintInto(dc, hSingle);
    const CRect rcOnly = ItemRect(hSingle, 0);
    EXPECT_EQ(CellAt(dc, rcOnly.left + 3, rcOnly.top + 3), CellName(kTab, TABP_TOPTABITEMLEFTEDGE, TIS_SELECTED));
}
