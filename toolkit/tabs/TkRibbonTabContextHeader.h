#pragma once
#include "mfc.h"

// CTkRibbonTabContextHeader: the header above a run of contextual tabs that share a colour and a caption,
// drawn in the ribbon's caption strip. The ribbon owns its headers and rebuilds them at every layout.

class CTkRibbonTab;

class CTkRibbonTabContextHeader {
public:
    explicit CTkRibbonTabContextHeader(CTkRibbonTab* pFirstTab);

    CTkRibbonTab* m_pFirstTab;  // not referenced
    CTkRibbonTab* m_pLastTab;   // not referenced
    CString m_strCaption;
    int m_nColor;
    CRect m_rcHeader;
};
