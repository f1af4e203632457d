#include "TkRibbonBar.h"

// Saving, loading and copying the ribbon.

void CTkRibbonBar::DoPropExchange(CTkPropExchange* pPX) {
    CTkMenuBar::DoPropExchange(pPX);
}

void CTkRibbonBar::Copy(CTkCommandBar* pSource, BOOL bRecursive) {
    CTkMenuBar::Copy(pSource, bRecursive);
}

CTkCommandBar* CTkRibbonBar::Clone(BOOL bRecursive) {
    return CTkMenuBar::Clone(bRecursive);
}

void CTkRibbonBar::MergeLoadedState(CTkToolBar* pLoaded, BOOL bSilent) {
    CTkMenuBar::MergeLoadedState(pLoaded, bSilent);
}

void CTkRibbonBar::CollectBarsForSave(int& nCounter, CTkCommandBarList* pList, BarsExchangeParam* pParam) {
    CTkMenuBar::CollectBarsForSave(nCounter, pList, pParam);
}

void CTkRibbonBar::RestorePopupLinks(CTkCommandBarList* pList) {
    CTkMenuBar::RestorePopupLinks(pList);
}
