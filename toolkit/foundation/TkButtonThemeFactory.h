#pragma once
#include "TkThemeManager.h"

// The factory of CTkButton's shared style: Office XP for theme 1, Office 2003 for 2 (both without the
// toolkit face), the default look for any other number.
class CTkButtonThemeFactory : public CTkThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CTkButtonThemeFactory)
public:
    CTkThemeManagerStyle* CreateStyle(int nTheme) override;
};
