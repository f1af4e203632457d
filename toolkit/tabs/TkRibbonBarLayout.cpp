#include "TkRibbonBar.h"

// The ribbon's layout: its height, and the positions of the caption strip, the system button, the
// quick-access row, the tab strip and the groups.

CSize CTkRibbonBar::CalcLayout(int nLength, DWORD dwMode, int nMinThickness) {
    return CTkMenuBar::CalcLayout(nLength, dwMode, nMinThickness);
}

void CTkRibbonBar::RepositionControls(CDC*) {}

int CTkRibbonBar::CalcQuickAccessHeight(CDC*) {
    return 0;
}

int CTkRibbonBar::GetTabsHeight() const {
    return 0;
}

int CTkRibbonBar::GetGroupsHeight() const {
    return 0;
}

int CTkRibbonBar::CalcGroupsHeight() const {
    return 0;
}
