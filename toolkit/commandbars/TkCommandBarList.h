#pragma once
#include "mfc.h"

#include <vector>

// CTkCommandBarList: bars held together, one reference each (the persistence collects the bars to save in
// one; the hub keeps its context menus in the derived CTkCommandBarsContextMenus). UI thread.

class CTkCommandBar;
class CTkCommandBars;

class CTkCommandBarList : public CCmdTarget {
public:
    explicit CTkCommandBarList(CTkCommandBars* pCommandBars = nullptr) : m_pCommandBars(pCommandBars) {}
    // Releases every bar.
    ~CTkCommandBarList() override;
    CTkCommandBarList(const CTkCommandBarList&) = delete;
    CTkCommandBarList& operator=(const CTkCommandBarList&) = delete;

    // Appends the bar, taking over the caller's reference.
    virtual void Add(CTkCommandBar* pBar);
    void RemoveAll();
    BOOL Contains(const CTkCommandBar* pBar) const;
    int GetCount() const { return static_cast<int>(m_bars.size()); }
    // NULL out of range.
    CTkCommandBar* GetAt(int nIndex) const;
    CTkCommandBars* GetCommandBars() const { return m_pCommandBars; }

protected:
    std::vector<CTkCommandBar*> m_bars;  // one reference each
    CTkCommandBars* m_pCommandBars;      // the owner; not referenced
};

// The hub's context menus: the popup bars an application shows on right clicks, kept for saving and
// customisation.
class CTkCommandBarsContextMenus : public CTkCommandBarList {
public:
    using CTkCommandBarList::CTkCommandBarList;
    // The bar must be a popup bar; it is marked as a context menu.
    void Add(CTkCommandBar* pBar) override;
};
