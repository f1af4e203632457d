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

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // Takes the ribbon's quick-access menu as sub bar, then opens.
    BOOL SetPopupOpen(BOOL bOpen) override;
    CTkControl* Clone(BOOL bRecursive) override;
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
// the copy is there.
class CTkRibbonBar::CControlQuickAccessCommand : public CTkControlButton {
public:
    // pSource is the offered command, pCopy its copy in the toolbar (NULL when absent); neither is
    // referenced by the constructor's caller's count.
    CControlQuickAccessCommand(CTkRibbonQuickAccessControls* pQuickAccessControls, CTkControl* pSource,
                               CTkControl* pCopy);

    void Execute() override;

protected:
    CTkRibbonQuickAccessControls* m_pQuickAccessControls;  // not referenced
    CTkControl* m_pSource;                                 // not referenced
    CTkControl* m_pCopy;                                   // not referenced
};
