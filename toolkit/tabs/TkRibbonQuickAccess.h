#pragma once
#include "TkControlButton.h"
#include "TkControlPopup.h"
#include "TkRibbonBar.h"

#include "mfc.h"

// The quick-access toolbar's own controls: the customize button (9603) with the quick-access menu, the
// more button (9611) with the commands that did not fit, and the menu item that adds or removes one
// command. UI thread.

// The customize button at the end of the quick-access toolbar.
class CTkRibbonBarControlQuickAccessPopup : public CTkControlPopup {
    DECLARE_SERIAL(CTkRibbonBarControlQuickAccessPopup)
public:
    CTkRibbonBarControlQuickAccessPopup();

    // A row of controls high, 13/22 of that wide.
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // Takes the ribbon's quick-access menu as sub bar, then opens.
    BOOL SetPopupOpen(BOOL bOpen) override;
};

// The button that shows the commands that did not fit.
class CTkRibbonBar::CControlQuickAccessMorePopup : public CTkControlPopup {
public:
    CControlQuickAccessMorePopup();

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // Takes the ribbon's more popup as sub bar, then opens.
    BOOL SetPopupOpen(BOOL bOpen) override;
};

// A menu item that adds a command to the quick-access toolbar or takes its copy away; checked while
// the copy is there. It holds references on both, so that a relayout that drops them while the menu is
// open leaves nothing dangling.
class CTkRibbonBar::CControlQuickAccessCommand : public CTkControlButton {
public:
    // pSource is the offered command, pCopy its copy in the toolbar (NULL when absent).
    CControlQuickAccessCommand(CTkRibbonQuickAccessControls* pQuickAccessControls, CTkControl* pSource,
                               CTkControl* pCopy);
    ~CControlQuickAccessCommand() override;

    // Closes the menus, then removes the copy when it is still in the toolbar, else appends a new one.
    void Execute() override;

protected:
    CTkRibbonQuickAccessControls* m_pQuickAccessControls;  // not referenced: the ribbon owns it
    CTkControl* m_pSource;                                 // referenced
    CTkControl* m_pCopy;                                   // referenced; NULL when absent
};
