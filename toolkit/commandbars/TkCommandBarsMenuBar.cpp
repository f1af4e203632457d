// The hub's menu bar: made of the menu-bar class, docked at the top, holding the frame's menu.

#include "TkCommandBars.h"

#include "TkControls.h"
#include "TkDockBar.h"
#include "TkMenuBar.h"

CTkMenuBar* CTkCommandBars::CreateMenuBar(LPCWSTR pszTitle, UINT nMenuId) {
    if (m_pMenuBarClass == nullptr || !m_pMenuBarClass->IsDerivedFrom(RUNTIME_CLASS(CTkMenuBar)))
        return nullptr;
    auto* pMenuBar = static_cast<CTkMenuBar*>(m_pMenuBarClass->CreateObject());
    if (pMenuBar == nullptr)
        return nullptr;
    pMenuBar->SetCommandBars(this);
    pMenuBar->m_strTitle = pszTitle;
    pMenuBar->m_nBarId = 1;
    if (!pMenuBar->SetPosition(kBarTop) || !pMenuBar->LoadMenuResource(nMenuId)) {
        if (CTkDockBar* pDockBar = pMenuBar->GetDockBar())
            pDockBar->RemoveBar(pMenuBar);
        if (pMenuBar->GetSafeHwnd() != nullptr)
            pMenuBar->DestroyWindow();
        pMenuBar->InternalRelease();
        return nullptr;
    }
    if (nMenuId != 0) {
        pMenuBar->GetControls()->SaveOriginalControls();
        m_nFrameMenuId = nMenuId;
    }
    m_bars.push_back(pMenuBar);
    return pMenuBar;
}

CTkMenuBar* CTkCommandBars::GetMenuBar() const {
    return DYNAMIC_DOWNCAST(CTkMenuBar, FindBarById(1));
}
