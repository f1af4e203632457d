#pragma once
#include "TkButtonThemeOfficeXP.h"

// The Office 2003 look of CTkButton: the colour manager's button gradients for pressed, hot and checked
// buttons, borders and faces from the Luna, Royale and Aero colour schemes, images without offset or
// fading. Owned by its factory or button; UI thread only.
class CTkButtonThemeOffice2003 : public CTkButtonThemeOfficeXP {
public:
    explicit CTkButtonThemeOffice2003(BOOL bToolkitFace);

    void Refresh() override;
    void DrawButtonImage(CDC* pDC, UINT nItemState, RECT& rcItem, CTkButton* pButton) override;
    void DrawButtonBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) override;
};
