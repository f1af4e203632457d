#include "TkButtonThemeFactory.h"

#include "TkButtonThemeOffice2003.h"

IMPLEMENT_DYNCREATE(CTkButtonThemeFactory, CTkThemeManagerStyleFactory)

CTkThemeManagerStyle* CTkButtonThemeFactory::CreateStyle(int nTheme) {
    CTkButtonTheme* pStyle = nullptr;
    switch (nTheme) {
        case 1:
            pStyle = new CTkButtonThemeOfficeXP(FALSE);
            break;
        case 2:
            pStyle = new CTkButtonThemeOffice2003(FALSE);
            break;
        default:
            pStyle = new CTkButtonTheme;
            break;
    }
    pStyle->SetTheme(nTheme);
    return pStyle;
}
