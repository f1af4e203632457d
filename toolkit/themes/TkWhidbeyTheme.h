#pragma once
#include "TkOffice2003Theme.h"

// CTkWhidbeyTheme: theme 4, the Office 2003 theme's drawing in a neutral grey-green palette of its own.
// The colour scheme is fixed at classic, so the Office 2003 refresh never applies its blue, olive or
// silver sets and button states stay flat; the refresh then replaces the bar, dock, expand-button and
// disabled-icon colours by a set chosen from the Windows visual style in use. Toolbar separators have
// no highlight line.
class CTkWhidbeyTheme : public CTkOffice2003Theme {
public:
    CTkWhidbeyTheme();
    ~CTkWhidbeyTheme() override;
    // The theme factory's creator of theme 4 (one reference, the caller's).
    static CTkPaintManager* Create() { return new CTkWhidbeyTheme; }

    void RefreshMetrics() override;
    int GetThemeNumber() const override { return kThemeWhidbey; }

private:
    void ApplyBlueOrOliveColors(BOOL bOlive);
    void ApplySilverColors();
};
