#include "TkPopupBar.h"
#include "TkCommandBars.h"

IMPLEMENT_SERIAL(CTkPopupToolBar, CTkPopupBar, VERSIONABLE_SCHEMA | 33)

CTkPopupToolBar::CTkPopupToolBar() {
    m_nType = kBarTypeNormal;
}

CTkPopupToolBar* CTkPopupToolBar::CreatePopupToolBar(CTkCommandBars* pCommandBars) {
    CRuntimeClass* pClass = CTkCommandBars::m_pPopupToolBarClass;
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(CTkPopupToolBar)))
        return nullptr;
    auto* pPopup = static_cast<CTkPopupToolBar*>(pClass->CreateObject());
    if (pPopup != nullptr)
        pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}

CSize CTkPopupToolBar::CalcDynamicSize(int, DWORD dwMode) {
    return CTkPopupBar::CalcDynamicSize(0, dwMode);
}
