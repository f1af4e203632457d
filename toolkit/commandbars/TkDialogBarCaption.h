#pragma once
#include "TkControlPopup.h"
#include "TkDialogBar.h"
#include "TkPopupBar.h"
#include "TkToolBarButtons.h"

// What the dialog bar's caption holds: its close button, the caption popup that shows the caption text
// and opens the caption menu, and that menu's popup bar. The two controls are temporary: never saved.

// Hides the bar as the toolbar's hide button does, drawn as the "r" glyph of the Marlett font.
class CTkDialogBar::CControlButtonHide : public CTkToolBar::CControlButtonHide {
public:
    void Draw(CDC* pDC) override;
};

// The caption text, with a drop-down triangle when it opens a menu.
class CTkDialogBar::CControlCaptionPopup : public CTkControlPopup {
public:
    CControlCaptionPopup();

    BOOL HasMenu() const { return m_bHasMenu; }
    void SetHasMenu(BOOL bHasMenu) { m_bHasMenu = bHasMenu; }

    void Draw(CDC* pDC) override;
    // Nothing opens without a menu.
    BOOL SetPopupOpen(BOOL bOpen) override;
    // The caption is horizontal wherever the bar docks.
    void AdjustPopupRect(CRect& rc, BOOL bVertical) override;

protected:
    BOOL m_bHasMenu = FALSE;
};

// Opens below the caption popup, aligned to its left edge.
class CTkDialogBar::CCaptionPopupBar : public CTkPopupBar {
public:
    CCaptionPopupBar();
    void UpdateExpandDirection() override;
};
