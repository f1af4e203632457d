#include "TkRibbonBar.h"

#include "TkCommandBarList.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkPropExchange.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonControls.h"
#include "TkRibbonSystemButton.h"
#include "TkRibbonTab.h"

#include <memory>

// Saving, loading and copying the ribbon.

void CTkRibbonBar::DoPropExchange(CTkPropExchange* pPX) {
    if (!pPX->IsLoading()) {
        ExchangeState(pPX);
        return;
    }
    // The sections load one after the other, each replacing its part: a stream that fails part-way
    // would leave the ribbon half replaced. A full copy taken first puts it back as it was.
    const BOOL bCustomizable = m_bCustomizable;
    const int nSelected = GetSelectedTab() != nullptr ? GetSelectedTab()->GetIndex() : -1;
    m_bCustomizable = TRUE;  // so that the copy takes the tabs and the system button too
    auto* pBefore = static_cast<CTkRibbonBar*>(Clone(TRUE));
    m_bCustomizable = bCustomizable;
    try {
        ExchangeState(pPX);
    } catch (...) {
        Copy(pBefore, TRUE);
        m_bCustomizable = bCustomizable;
        m_bMinimized = pBefore->m_bMinimized;
        if (CTkRibbonTab* pTab = GetTab(nSelected))
            m_pControlTab->SelectItem(pTab);
        RefreshGroupHideFlags(GetSelectedTab());
        pBefore->InternalRelease();
        throw;
    }
    pBefore->InternalRelease();
}

void CTkRibbonBar::ExchangeState(CTkPropExchange* pPX) {
    const BOOL bLoading = pPX->IsLoading();
    if (bLoading) {
        const auto* pParam = static_cast<const BarsExchangeParam*>(pPX->m_pExchangeParam);
        if (pParam != nullptr)
            m_pCommandBars = pParam->pCommandBars;
    }
    ExchangeBool(pPX, L"ShowQuickAccessBelow", m_bShowQuickAccessBelow, FALSE);
    if (pPX->m_nSchema > 18)
        ExchangeBool(pPX, L"Minimized", m_bMinimized, FALSE);
    if (pPX->m_nSchema > 23)
        ExchangeBool(pPX, L"Customizable", m_bCustomizable, FALSE);

    if (m_bCustomizable) {
        CTkMenuBar::DoPropExchange(pPX);
        BOOL bSystemButton = m_pControlSystemButton != nullptr;
        ExchangeBool(pPX, L"SystemButton", bSystemButton, FALSE);
        if (bSystemButton)
            ExchangeSystemButton(pPX);
        std::unique_ptr<CTkPropExchange> pTabs(pPX->GetSection(L"Tabs"));
        m_pControlTab->ExchangeProperties(pTabs.get());
    }
    std::unique_ptr<CTkPropExchange> pQuickAccess(pPX->GetSection(L"QuickAccessControls"));
    m_pQuickAccessControls->ExchangeProperties(pQuickAccess.get());
    if (!bLoading)
        return;
    // Loaded tabs come unselected: a ribbon that is not minimised shows its first tab's groups.
    if (!m_bMinimized && GetSelectedTab() == nullptr) {
        if (CTkTabManagerItem* pFirst = m_pControlTab->FindNextItem(-1, 1))
            m_pControlTab->SelectItem(pFirst);
    }
    RefreshGroupHideFlags(GetSelectedTab());
}

void CTkRibbonBar::ExchangeSystemButton(CTkPropExchange* pPX) {
    std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(L"SystemButton"));
    if (!pPX->IsLoading()) {
        CObject* pObject = m_pControlSystemButton;
        pSection->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CTkRibbonControlSystemButton));
        m_pControlSystemButton->ExchangeProperties(pSection.get());
        return;
    }
    // The stored class is checked before anything is made, and the new button is read whole before the
    // old one goes: a bad stream leaves the ribbon as it was.
    CObject* pObject = nullptr;
    if (!pSection->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CTkRibbonControlSystemButton)) || pObject == nullptr)
        AfxThrowArchiveException(CArchiveException::badClass);
    auto* pButton = static_cast<CTkRibbonControlSystemButton*>(pObject);
    try {
        pButton->ExchangeProperties(pSection.get());
    } catch (...) {
        pButton->InternalRelease();
        throw;
    }
    if (CTkControl* pOld = m_pControlSystemButton) {
        m_pControlSystemButton = nullptr;
        m_pControls->Remove(pOld);
    }
    m_pControls->InsertAt(pButton, 0);
    m_pControlSystemButton = pButton;
}

void CTkRibbonBar::Copy(CTkCommandBar* pSource, BOOL bRecursive) {
    auto* pRibbon = DYNAMIC_DOWNCAST(CTkRibbonBar, pSource);
    if (pRibbon == nullptr) {
        CTkMenuBar::Copy(pSource, bRecursive);
        return;
    }
    m_bShowQuickAccessBelow = pRibbon->m_bShowQuickAccessBelow;
    m_bMinimized = pRibbon->m_bMinimized;
    if (m_bMinimized)
        m_pControlTab->CTkTabManager::SelectItem(nullptr);
    if (pRibbon->IsCustomizable()) {
        CTkMenuBar::Copy(pSource, bRecursive);
        m_pControlTab->CopyFrom(pRibbon->m_pControlTab, bRecursive);
        if (CTkControl* pOld = m_pControlSystemButton) {
            m_pControlSystemButton = nullptr;
            m_pControls->Remove(pOld);
        }
        if (pRibbon->m_pControlSystemButton != nullptr) {
            auto* pCopy =
                static_cast<CTkRibbonControlSystemButton*>(pRibbon->m_pControlSystemButton->Clone(bRecursive));
            m_pControls->InsertAt(pCopy, 0);
            m_pControlSystemButton = pCopy;
        }
        RefreshGroupHideFlags(GetSelectedTab());
    }
    m_pQuickAccessControls->RemoveAll();
    CTkRibbonQuickAccessControls* pSourceQuickAccess = pRibbon->m_pQuickAccessControls;
    for (int i = 0; i < pSourceQuickAccess->GetCount(); ++i)
        m_pQuickAccessControls->AddCopy(pSourceQuickAccess->GetAt(i), -1, bRecursive);
}

CTkCommandBar* CTkRibbonBar::Clone(BOOL bRecursive) {
    auto* pClone = static_cast<CTkRibbonBar*>(GetRuntimeClass()->CreateObject());
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CTkRibbonBar::MergeLoadedState(CTkToolBar* pLoaded, BOOL) {
    Copy(pLoaded, TRUE);
}

void CTkRibbonBar::CollectBarsForSave(int& nCounter, CTkCommandBarList* pList, BarsExchangeParam* pParam) {
    if (m_bCustomizable) {
        CTkMenuBar::CollectBarsForSave(nCounter, pList, pParam);
        return;
    }
    if (!pList->Contains(this)) {
        InternalAddRef();
        pList->Add(this);
    }
    m_pQuickAccessControls->CollectBarsForSave(nCounter, pList, pParam);
}

void CTkRibbonBar::RestorePopupLinks(CTkCommandBarList* pList) {
    if (m_bCustomizable)
        CTkMenuBar::RestorePopupLinks(pList);
    else
        m_pQuickAccessControls->RestorePopupLinks(pList);
}
