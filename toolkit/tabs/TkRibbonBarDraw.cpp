#include "TkRibbonBar.h"

// The ribbon's picture: background, caption, groups, tab strip and the controls outside groups.

void CTkRibbonBar::DrawCommandBar(CDC* pDC, CRect rcClip) {
    CTkMenuBar::DrawCommandBar(pDC, rcClip);
}
