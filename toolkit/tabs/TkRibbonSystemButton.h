#pragma once
#include "TkControlPopup.h"

#include "mfc.h"

// CTkRibbonControlSystemButton: the button at the top left of the ribbon that opens the system menu. A
// double click closes the frame. Saved by the ribbon under "SystemButton". UI thread.

class CTkRibbonBar;

class CTkRibbonControlSystemButton : public CTkControlPopup {
    DECLARE_SERIAL(CTkRibbonControlSystemButton)
public:
    CTkRibbonControlSystemButton();

    void Draw(CDC* pDC) override;
    // Closes the popups and sends SC_CLOSE's double-click form to the frame.
    BOOL HandleDoubleClick(CPoint pt) override;
    // The system menu overlaps the button on a ribbon with a caption and tabs.
    void AdjustPopupRect(CRect& rc, BOOL bVertical) override;
    CTkControl* Clone(BOOL bRecursive) override;

    // The ribbon the button sits on; NULL elsewhere.
    CTkRibbonBar* GetRibbonBar() const;
};
