#include "TkRibbonTab.h"

#include "TkRibbonGroups.h"

IMPLEMENT_SERIAL(CTkRibbonTab, CTkTabManagerItem, VERSIONABLE_SCHEMA | 33)

CTkRibbonTab::CTkRibbonTab() : m_pGroups(new CTkRibbonGroups(this)) {}

CTkRibbonTab::~CTkRibbonTab() {
    m_pGroups->InternalRelease();
}

void CTkRibbonTab::SetVisible(BOOL bVisible) {
    CTkTabManagerItem::SetVisible(bVisible);
}

void CTkRibbonTab::OnRemoved() {
    m_pGroups->RemoveAll();
    CTkTabManagerItem::OnRemoved();
}

void CTkRibbonTab::Copy(CTkRibbonTab*) {}

void CTkRibbonTab::DoPropExchange(CTkPropExchange*) {}
