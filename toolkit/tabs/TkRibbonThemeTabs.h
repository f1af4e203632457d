#pragma once
#include "TkRibbonTheme.h"
#include "TkTabAppearanceSet.h"
#include "TkTabColorSet.h"

// The sets of the ribbon's tab strip. Both live inside the ribbon theme's tab paint manager, which owns
// and deletes them.

// Flat property-page tabs one pixel below the strip's top, as high as the theme's tab strip, each drawn
// by the theme (DrawRibbonTab) under its content.
class CTkRibbonTheme::CRibbonAppearanceSet : public CTkTabPaintManager::CAppearanceSetPropertyPageFlat {
public:
    explicit CRibbonAppearanceSet(CTkRibbonTheme* pTheme);
    int GetRowHeight(CTkTabManager* pManager) override;
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;

private:
    CTkRibbonTheme* m_pTheme;  // not owned: the theme owns the tab paint manager that owns this set
};

// The Office 2003 tab colours; the text colour follows the tab's state as the ribbon shows it (a
// minimised ribbon's selected tab reads as hot or normal while its popup is closed).
class CTkRibbonTheme::CRibbonColorSet : public CTkTabPaintManager::CColorSetOffice2003 {
public:
    void SetTextColor(CDC* pDC, CTkTabManagerItem* pItem) override;
};
