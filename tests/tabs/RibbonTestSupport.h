#pragma once
#include "TkRibbonTheme.h"

#include "mfc.h"

// The ribbon tests' look (fixtures/RibbonLook.rc) and a refreshed ribbon theme made with or without it.

// The colours the look's images are made of.
inline COLORREF RibbonTabState(int nState) {
    return RGB(20 + 40 * nState, 90, 160);
}
constexpr COLORREF kRibbonTabSeparator = RGB(250, 120, 10);

// The ribbon look made current for a scope (none with bLook FALSE); none afterwards.
class CRibbonLook {
public:
    explicit CRibbonLook(BOOL bLook = TRUE);
    ~CRibbonLook();
    CRibbonLook(const CRibbonLook&) = delete;
    CRibbonLook& operator=(const CRibbonLook&) = delete;
    BOOL IsLoaded() const;
};

// A new ribbon theme, refreshed as an installed one is; released with the scope.
class CRibbonThemeRef {
public:
    CRibbonThemeRef();
    ~CRibbonThemeRef() { m_pTheme->InternalRelease(); }
    CRibbonThemeRef(const CRibbonThemeRef&) = delete;
    CRibbonThemeRef& operator=(const CRibbonThemeRef&) = delete;
    CTkRibbonTheme* operator->() const { return m_pTheme; }
    CTkRibbonTheme* Get() const { return m_pTheme; }

private:
    CTkRibbonTheme* m_pTheme;
};
