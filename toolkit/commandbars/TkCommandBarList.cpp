#include "TkCommandBarList.h"

#include "TkCommandBar.h"
#include "TkPopupBar.h"

#include <algorithm>

CTkCommandBarList::~CTkCommandBarList() {
    RemoveAll();
}

void CTkCommandBarList::Add(CTkCommandBar* pBar) {
    if (pBar != nullptr)
        m_bars.push_back(pBar);
}

void CTkCommandBarList::RemoveAll() {
    std::vector<CTkCommandBar*> bars;
    bars.swap(m_bars);
    for (CTkCommandBar* pBar : bars)
        pBar->InternalRelease();
}

BOOL CTkCommandBarList::Contains(const CTkCommandBar* pBar) const {
    return std::find(m_bars.begin(), m_bars.end(), pBar) != m_bars.end();
}

CTkCommandBar* CTkCommandBarList::GetAt(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_bars[nIndex] : nullptr;
}

void CTkCommandBarsContextMenus::Add(CTkCommandBar* pBar) {
    auto* pPopup = DYNAMIC_DOWNCAST(CTkPopupBar, pBar);
    if (pPopup == nullptr) {
        // Only popup bars are context menus: the caller's reference goes.
        if (pBar != nullptr)
            pBar->InternalRelease();
        return;
    }
    pPopup->SetContextMenu(TRUE);
    CTkCommandBarList::Add(pBar);
}
