#include "TkPopupPlacement.h"

#include <gtest/gtest.h>

namespace {

// A 1000 x 800 monitor whose work area ends above a 40-pixel taskbar; the usable bottom is 755.
const CRect kMonitor(0, 0, 1000, 800);
const CRect kWork(0, 0, 1000, 760);

PopupPlacementInput Input(CPoint ptAnchor, CSize size, CRect rcExclude, int nDirection, BOOL bFlip = FALSE) {
    PopupPlacementInput in;
    in.ptAnchor = ptAnchor;
    in.size = size;
    in.rcExclude = rcExclude;
    in.rcWork = kWork;
    in.rcMonitor = kMonitor;
    in.nDirection = nDirection;
    in.bFlipAllowed = bFlip;
    in.rcSideways = rcExclude;
    return in;
}

}  // namespace

TEST(PopupPlacement, MenusStayInTheWorkAreaByFlippingOrScrolling) {
    struct Row {
        LPCSTR pszCase;
        PopupPlacementInput in;
        CRect rcExpected;
        int nDirection;
        BOOL bScrolls;
    };
    const CRect rcLow(100, 700, 160, 720);   // a menu-bar item near the bottom
    const CRect rcHigh(100, 300, 160, 320);  // its middle above half the work area
    const CRect rcItem(300, 100, 500, 120);  // a submenu item of a popup
    const Row rows[] = {
        {"below the control when it fits",
         Input({100, 320}, {150, 200}, rcHigh, kPopupDown),
         {100, 320, 250, 520},
         kPopupDown,
         FALSE},
        {"above the control near the bottom",
         Input({100, 720}, {150, 200}, rcLow, kPopupDown),
         {100, 500, 250, 700},
         kPopupDown,
         FALSE},
        {"scrolls above when the control's middle is low",
         Input({100, 720}, {150, 900}, rcLow, kPopupDown),
         {100, 0, 250, 700},
         kPopupDown,
         TRUE},
        {"scrolls below when the control's middle is high",
         Input({100, 320}, {150, 900}, rcHigh, kPopupDown),
         {100, 320, 250, 755},
         kPopupDown,
         TRUE},
        {"turns sideways when flipping is allowed",
         Input({100, 720}, {150, 710}, rcLow, kPopupDown, TRUE),
         {160, 45, 310, 755},
         0,
         FALSE},
        {"a submenu that fits opens at the right",
         Input({500, 100}, {200, 100}, rcItem, 0),
         {500, 100, 700, 200},
         0,
         FALSE},
        {"a submenu too wide for the right opens at the left",
         Input({500, 100}, {600, 100}, rcItem, 0),
         {0, 100, 600, 200},
         kPopupLeft,
         FALSE},
        {"a left submenu with no room at the left goes back to the right",
         Input({500, 100}, {350, 100}, rcItem, kPopupLeft),
         {500, 100, 850, 200},
         0,
         FALSE},
        {"a sideways submenu near the bottom is lifted",
         Input({500, 700}, {200, 100}, {300, 700, 500, 720}, 0),
         {500, 655, 700, 755},
         0,
         FALSE},
        {"a context menu near the bottom opens upwards",
         Input({400, 700}, {100, 200}, {}, kPopupDown),
         {400, 500, 500, 700},
         kPopupDown,
         FALSE},
        {"a context menu at the right edge opens to the left",
         Input({950, 100}, {100, 200}, {}, kPopupDown),
         {900, 100, 1000, 300},
         kPopupDown,
         FALSE},
        {"a right-to-left context menu opens to the left of the point",
         Input({400, 100}, {100, 200}, {}, kPopupLeft | kPopupDown),
         {300, 100, 400, 300},
         kPopupLeft | kPopupDown,
         FALSE},
        {"a context menu taller than the screen scrolls",
         Input({400, 10}, {100, 900}, {}, kPopupDown),
         {400, 0, 500, 755},
         kPopupDown,
         TRUE},
        {"a point on the taskbar uses the whole monitor",
         Input({400, 780}, {100, 100}, {}, kPopupDown),
         {400, 680, 500, 780},
         kPopupDown,
         FALSE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszCase);
        const PopupPlacement out = CalcPopupPlacement(row.in);
        EXPECT_EQ(row.rcExpected, out.rc);
        EXPECT_EQ(row.nDirection, out.nDirection);
        EXPECT_EQ(row.bScrolls, out.bScrolls);
    }
}

TEST(PopupPlacement, AMultiColumnMenuTallerThanTheScreenIsMeasuredAgainForItsHeight) {
    PopupPlacementInput in = Input({400, 10}, {100, 900}, {}, kPopupDown, TRUE);
    int nAskedHeight = 0;
    in.remeasure = [&](int nMaxHeight) {
        nAskedHeight = nMaxHeight;
        return CSize(300, 700);
    };
    const PopupPlacement out = CalcPopupPlacement(in);
    EXPECT_EQ(755, nAskedHeight);
    EXPECT_EQ(CRect(400, 0, 700, 700), out.rc);
    EXPECT_FALSE(out.bScrolls);
}
