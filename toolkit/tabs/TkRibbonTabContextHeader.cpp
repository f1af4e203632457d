#include "TkRibbonTabContextHeader.h"

#include "TkRibbonTab.h"

CTkRibbonTabContextHeader::CTkRibbonTabContextHeader(CTkRibbonTab* pFirstTab)
    : m_pFirstTab(pFirstTab),
      m_pLastTab(pFirstTab),
      m_strCaption(pFirstTab->GetContextCaption()),
      m_nColor(pFirstTab->GetContextColor()),
      m_rcHeader(0, 0, 0, 0) {}
