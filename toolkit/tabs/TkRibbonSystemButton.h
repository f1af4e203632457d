#pragma once
#include "TkControlPopup.h"

#include "mfc.h"

// CTkRibbonControlSystemButton: the button at the top left of the ribbon that opens the system menu (a
// CTkRibbonSystemPopupBar as its sub bar). A double click closes the frame. Saved by the ribbon under
// "SystemButton". UI thread.

class CTkRibbonBar;

// The system command a double click on the system button sends: SC_CLOSE in its double-click form.
constexpr UINT kSysCommandCloseByDoubleClick = 0xF063;

class CTkRibbonControlSystemButton : public CTkControlPopup {
    DECLARE_SERIAL(CTkRibbonControlSystemButton)
public:
    CTkRibbonControlSystemButton();

    // The ribbon theme's system button; an ordinary popup control under other paint managers.
    void Draw(CDC* pDC) override;
    // Closes the popups and sends kSysCommandCloseByDoubleClick to the site frame.
    BOOL HandleDoubleClick(CPoint pt) override;
    // The system menu overlaps the button on a ribbon with a caption and tabs.
    void AdjustPopupRect(CRect& rc, BOOL bVertical) override;

    // The ribbon the button sits on; NULL elsewhere.
    CTkRibbonBar* GetRibbonBar() const;
    // The button sits on a ribbon that lays out its caption strip and shows its tabs: the system menu
    // then overlaps the button and draws it again over itself.
    BOOL IsOnCaptionWithTabs() const;
};
