// Saving and loading the hub's bars: the bars a save collects, the bar list in the archive, and loaded
// bars merged into the live ones.
#include "TkCommandBars.h"

#include "TkCommandBar.h"
#include "TkCommandBarList.h"
#include "TkControls.h"
#include "TkPopupBar.h"
#include "TkPropExchange.h"
#include "TkToolBar.h"

#include <memory>

namespace {

constexpr int kFirstSavedBarId = 0x1000000;

// Hands a loaded context menu's controls to the live one, which keeps its own original list.
void TakeLoadedControls(CTkCommandBar* pLive, CTkCommandBar* pLoaded) {
    CTkControls* pControls = pLive->GetControls();
    CTkOriginalControls* pOriginal = pControls->GetOriginalControls();
    if (pOriginal != nullptr)
        pOriginal->InternalAddRef();
    pControls->CopyFrom(pLoaded->GetControls(), FALSE);
    if (pOriginal != nullptr)
        pControls->SetOriginalControls(pOriginal);
    pLoaded->GetControls()->RemoveAll();
    pLive->DelayLayout();
}

}  // namespace

void CTkCommandBars::CollectBarsForSave(CTkCommandBarList* pList, BarsExchangeParam* pParam) {
    int nCounter = kFirstSavedBarId;
    for (CTkCommandBar* pBar : m_bars) {
        auto* pToolBar = DYNAMIC_DOWNCAST(CTkToolBar, pBar);
        if (pParam->bSaveOnlyCustomized && pToolBar != nullptr && pToolBar->IsBuiltIn() && !pToolBar->ShouldSave())
            continue;
        pBar->CollectBarsForSave(nCounter, pList, pParam);
    }
    for (int i = 0; i < m_pContextMenus->GetCount(); ++i) {
        CTkCommandBar* pMenu = m_pContextMenus->GetAt(i);
        if (!pParam->bSaveOnlyCustomized || pMenu->GetControls()->IsChanged())
            pMenu->CollectBarsForSave(nCounter, pList, pParam);
    }
}

BOOL CTkCommandBars::SaveCommandBarList(CTkPropExchange* pPX, CTkCommandBarList* pList) {
    try {
        std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(L"CommandBars"));
        std::unique_ptr<CTkPropExchangeEnumerator> pEnumerator(pSection->GetEnumerator(L"CommandBar"));
        DWORD nPosition = pEnumerator->GetPosition(static_cast<DWORD>(pList->GetCount()), FALSE);
        for (int i = 0; nPosition != 0; ++i) {
            std::unique_ptr<CTkPropExchange> pItem(pEnumerator->GetNext(nPosition));
            CTkCommandBar* pBar = pList->GetAt(i);
            CObject* pObject = pBar;
            if (pItem->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CTkCommandBar)))
                pBar->DoPropExchange(pItem.get());
        }
    } catch (CArchiveException* e) {
        e->Delete();
        return FALSE;
    } catch (COleException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CTkCommandBars::LoadCommandBarList(CTkPropExchange* pPX, CTkCommandBarList* pList) {
    try {
        std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(L"CommandBars"));
        std::unique_ptr<CTkPropExchangeEnumerator> pEnumerator(pSection->GetEnumerator(L"CommandBar"));
        DWORD nPosition = pEnumerator->GetPosition(0, FALSE);
        while (nPosition != 0) {
            std::unique_ptr<CTkPropExchange> pItem(pEnumerator->GetNext(nPosition));
            // A stored class that is not a command bar raises badClass before anything is made.
            CObject* pObject = nullptr;
            if (!pItem->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CTkCommandBar)) || pObject == nullptr)
                return FALSE;
            auto* pBar = static_cast<CTkCommandBar*>(pObject);
            try {
                pBar->DoPropExchange(pItem.get());
            } catch (...) {
                // The half-read bar goes; the list keeps the bars read before it.
                pBar->InternalRelease();
                throw;
            }
            pBar->GetControls()->RefreshIndexes();
            pList->Add(pBar);
        }
    } catch (CArchiveException* e) {
        e->Delete();
        return FALSE;
    } catch (COleException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CTkCommandBars::RestoreLoadedBars(CTkCommandBarList* pList, BOOL bSilent) {
    for (int i = 0; i < pList->GetCount(); ++i) {
        CTkCommandBar* pBar = pList->GetAt(i);
        if (auto* pToolBar = DYNAMIC_DOWNCAST(CTkToolBar, pBar)) {
            pToolBar->RestorePopupLinks(pList);
            CTkCommandBar* pLive = FindBarById(pToolBar->GetBarId());
            if (pLive != nullptr) {
                // A live bar of another kind under the id is left as it is.
                if (auto* pLiveToolBar = DYNAMIC_DOWNCAST(CTkToolBar, pLive))
                    pLiveToolBar->MergeLoadedState(pToolBar, bSilent);
                continue;
            }
            pToolBar->InternalAddRef();
            m_bars.push_back(pToolBar);
            pToolBar->SetCommandBars(this);
            if (m_pSite != nullptr && m_pSite->GetSafeHwnd() != nullptr)
                pToolBar->CreateBarWindow(m_pSite, pToolBar->IsFloating());
            OnToolBarAdded(pToolBar);
            continue;
        }
        auto* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, pBar);
        if (pPopupBar == nullptr || !pPopupBar->IsContextMenu())
            continue;
        pPopupBar->RestorePopupLinks(pList);
        CTkCommandBar* pLive = nullptr;
        for (int j = 0; j < m_pContextMenus->GetCount() && pLive == nullptr; ++j) {
            if (m_pContextMenus->GetAt(j)->GetBarId() == pPopupBar->GetBarId())
                pLive = m_pContextMenus->GetAt(j);
        }
        if (pLive != nullptr) {
            TakeLoadedControls(pLive, pPopupBar);
            continue;
        }
        pPopupBar->InternalAddRef();
        pPopupBar->SetCommandBars(this);
        m_pContextMenus->Add(pPopupBar);
        if (pPopupBar->GetControls()->GetOriginalControls() == nullptr)
            pPopupBar->GetControls()->SaveOriginalControls();
    }
}
