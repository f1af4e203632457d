#include "TkRibbonTheme.h"

// The ribbon's element painters: backgrounds, groups, caption, buttons and popup frames, from the look's
// images.

void CTkRibbonTheme::FillGroupsArea(CDC*, CTkRibbonTab*, CRect) {}

void CTkRibbonTheme::FillRibbonBar(CDC*, CTkRibbonBar*) {}

void CTkRibbonTheme::DrawGroup(CDC*, CTkRibbonGroup*) {}

CSize CTkRibbonTheme::DrawGroupPopupButton(CDC*, CTkRibbonGroupControlPopup*, BOOL) {
    return CSize(0, 0);
}

CSize CTkRibbonTheme::DrawGroupOptionButton(CDC*, CTkControl*, BOOL) {
    return CSize(0, 0);
}

void CTkRibbonTheme::FillTabPopupArea(CDC*, CTkRibbonTab*, CTkPopupBar*) {}

void CTkRibbonTheme::DrawFrameCaption(CDC*, CTkRibbonBar*, BOOL) {}

void CTkRibbonTheme::FillCaptionBar(CDC*, CTkRibbonBar*) {}

void CTkRibbonTheme::DrawSystemButton(CDC*, CTkControl*, CRect) {}

void CTkRibbonTheme::DrawContextHeaders(CDC*, CTkRibbonBar*, const std::vector<CTkRibbonTabContextHeader*>&) {}

void CTkRibbonTheme::DrawQuickAccessCustomizeButton(CDC*, CTkControl*) {}

void CTkRibbonTheme::DrawQuickAccessMoreButton(CDC*, CTkControl*) {}

void CTkRibbonTheme::DrawGroupsScrollButton(CDC*, CTkControl*, BOOL) {}

void CTkRibbonTheme::FillPopupFrame(CDC*, CTkPopupBar*) {}

void CTkRibbonTheme::FillTabPopupBar(CDC*, CTkPopupBar*) {}
