// Saving and loading the menu bar: the toolbar's keys, the frame's menu id, and the control sets of the
// document-template menus the user changed, each in a section of its own.
#include "TkMenuBar.h"

#include "TkCommandBarList.h"
#include "TkControls.h"
#include "TkPropExchange.h"

#include <memory>
#include <vector>

namespace {

constexpr wchar_t kTemplateMenuSection[] = L"MDIMenu";

// A collection read only to move past its values in the stream; released however the read ends.
void SkipControls(CTkPropExchange* pSection) {
    struct Release {
        void operator()(CTkControls* pControls) const { pControls->InternalRelease(); }
    };
    std::unique_ptr<CTkControls, Release> pSkipped(new CTkControls);
    pSkipped->ExchangeProperties(pSection);
}

}  // namespace

void CTkMenuBar::DoPropExchange(CTkPropExchange* pPX) {
    const BOOL bLoading = pPX->IsLoading();
    // The bar's own controls must be the frame menu's when saved: a template's set is saved apart.
    if (!bLoading && !m_pMDIMenus->GetMap().empty())
        MarkMDIMenusForSave();
    CTkToolBar::DoPropExchange(pPX);
    int nResourceId = static_cast<int>(m_nResourceId);
    ExchangeInt(pPX, L"ResourceId", nResourceId, 0);
    m_nResourceId = static_cast<UINT>(nResourceId);

    if (!bLoading) {
        // A set the user changed is saved, also when only its controls say so.
        std::vector<CTkMenuBarMDIMenuInfo*> changed;
        for (const auto& entry : m_pMDIMenus->GetMap()) {
            if (entry.second->m_bChanged || entry.second->m_pControls->IsChanged())
                changed.push_back(entry.second);
        }
        pPX->WriteCount(static_cast<DWORD>(changed.size()));
        for (size_t i = 0; i < changed.size(); ++i) {
            CString strName;
            strName.Format(L"%s%i", kTemplateMenuSection, static_cast<int>(i));
            std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(strName));
            int nId = static_cast<int>(changed[i]->m_nId);
            ExchangeInt(pSection.get(), L"Id", nId, 0);
            changed[i]->m_pControls->ExchangeProperties(pSection.get());
        }
        return;
    }
    if (pPX->m_nSchema <= 4)
        return;
    const DWORD nCount = pPX->ReadCount();
    for (DWORD i = 0; i < nCount; ++i) {
        CString strName;
        strName.Format(L"%s%i", kTemplateMenuSection, static_cast<int>(i));
        std::unique_ptr<CTkPropExchange> pSection(pPX->GetSection(strName));
        int nId = 0;
        ExchangeInt(pSection.get(), L"Id", nId, 0);
        // A set already here stays; the stored one is still read, or every later value would be misread.
        if (m_pMDIMenus->Lookup(static_cast<UINT>(nId)) != nullptr) {
            SkipControls(pSection.get());
            continue;
        }
        auto* pInfo = new CTkMenuBarMDIMenuInfo(GetCommandBars(), static_cast<UINT>(nId));
        m_pMDIMenus->SetAt(static_cast<UINT>(nId), pInfo);
        // Saved because it was changed: a later save keeps it.
        pInfo->m_bChanged = TRUE;
        pInfo->m_pControls->ExchangeProperties(pSection.get());
    }
}

void CTkMenuBar::CollectBarsForSave(int& nCounter, CTkCommandBarList* pList, BarsExchangeParam* pParam) {
    const BOOL bListed = pList->Contains(this);
    CTkToolBar::CollectBarsForSave(nCounter, pList, pParam);
    if (bListed)
        return;
    for (const auto& entry : m_pMDIMenus->GetMap())
        entry.second->m_pControls->CollectBarsForSave(nCounter, pList, pParam);
}

void CTkMenuBar::RestorePopupLinks(CTkCommandBarList* pList) {
    CTkToolBar::RestorePopupLinks(pList);
    for (const auto& entry : m_pMDIMenus->GetMap())
        entry.second->m_pControls->RestorePopupLinks(pList);
}
