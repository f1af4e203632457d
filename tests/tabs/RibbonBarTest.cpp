// The ribbon bar on its test host: made as the hub's menu bar, its parts, layout, drawing, mouse,
// keyboard and persistence.

#include "RibbonHost.h"
#include "TkCommandBars.h"
#include "TkPaintManager.h"
#include "TkRibbonBar.h"

#include <gtest/gtest.h>

namespace {

TEST(RibbonBar, TheHostShowsARibbonPaintedByTheRibbonTheme) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    EXPECT_TRUE(pRibbon->IsRibbonBar());
    EXPECT_EQ(pRibbon->GetType(), kBarTypeRibbon);
    ASSERT_NE(pRibbon->GetRibbonTheme(), nullptr);
    EXPECT_EQ(pRibbon->GetPaintManager()->GetThemeNumber(), kThemeRibbon);
    EXPECT_EQ(pRibbon->GetRibbonTheme(), host.Theme());
}

}  // namespace
