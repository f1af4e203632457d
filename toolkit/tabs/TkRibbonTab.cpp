#include "TkRibbonTab.h"

#include "TkControl.h"
#include "TkPropExchange.h"
#include "TkRibbonBar.h"
#include "TkRibbonGroups.h"

#include <memory>

IMPLEMENT_SERIAL(CTkRibbonTab, CTkTabManagerItem, VERSIONABLE_SCHEMA | 33)

CTkRibbonTab::CTkRibbonTab() : m_pGroups(new CTkRibbonGroups(this)) {}

CTkRibbonTab::~CTkRibbonTab() {
    m_pGroups->InternalRelease();
}

void CTkRibbonTab::SetVisible(BOOL bVisible) {
    if (bVisible == m_bVisible)
        return;
    CTkTabManagerItem::SetVisible(bVisible);
    // A hidden tab cannot stay selected: the first tab that can be shown takes its place.
    if (!bVisible && m_pTabManager != nullptr && IsSelected())
        m_pTabManager->SelectItem(m_pTabManager->FindNextItem(-1, +1));
}

void CTkRibbonTab::OnRemoved() {
    m_pGroups->RemoveAll();
    CTkTabManagerItem::OnRemoved();
}

void CTkRibbonTab::Copy(CTkRibbonTab* pSource) {
    m_strCaption = pSource->m_strCaption;
    m_nContextColor = pSource->m_nContextColor;
    m_strContextCaption = pSource->m_strContextCaption;
    m_nId = pSource->m_nId;
    m_bVisible = pSource->m_bVisible;
    m_strToolTip = pSource->m_strToolTip;
    if (pSource->IsSelected() && m_pTabManager != nullptr)
        m_pTabManager->SelectItem(this);
    m_pGroups->Copy(pSource->m_pGroups);
}

void CTkRibbonTab::DoPropExchange(CTkPropExchange* pPX) {
    if (pPX->IsLoading()) {
        // The tab control that creates the tab owns the section; its bar is the ribbon.
        const auto* pOwner = dynamic_cast<const CTkControl*>(pPX->m_pOwner);
        m_pParent = pOwner != nullptr ? pOwner->GetParent() : nullptr;
        m_pRibbonBar = DYNAMIC_DOWNCAST(CTkRibbonBar, m_pParent);
    }
    ExchangeString(pPX, L"Caption", m_strCaption, L"");
    ExchangeString(pPX, L"ToolTip", m_strToolTip, L"");
    ExchangeInt(pPX, L"ContextColor", m_nContextColor, 0);
    ExchangeString(pPX, L"ContextCaption", m_strContextCaption, L"");
    ExchangeInt(pPX, L"Id", m_nId, 0);
    ExchangeBool(pPX, L"Visible", m_bVisible, TRUE);
    BOOL bSelected = IsSelected();
    ExchangeBool(pPX, L"Selected", bSelected, FALSE);
    if (pPX->IsLoading()) {
        m_bSelectedWhenLoaded = bSelected;
        if (bSelected && m_pTabManager != nullptr)
            m_pTabManager->SelectItem(this);
    }
    std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(L"Groups"));
    m_pGroups->DoPropExchange(pSection.get());
}
