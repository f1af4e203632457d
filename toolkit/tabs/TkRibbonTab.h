#pragma once
#include "TkTabManager.h"

#include "mfc.h"

// CTkRibbonTab: one tab of the ribbon's tab strip, owning the groups it shows. A contextual tab carries
// one of the theme's seven context colours and a caption shared with its neighbours in a header above
// the strip. Reference counted like every tab item; the tab control holds it. UI thread.

class CTkCommandBar;
class CTkPropExchange;
class CTkRibbonBar;
class CTkRibbonGroups;
class CTkRibbonTabContextHeader;

class CTkRibbonTab : public CTkTabManagerItem {
    DECLARE_SERIAL(CTkRibbonTab)
public:
    CTkRibbonTab();
    // Releases the groups.
    ~CTkRibbonTab() override;

    // Hiding the selected tab selects the first visible and enabled one.
    void SetVisible(BOOL bVisible) override;
    // Removes all groups.
    void OnRemoved() override;
    // Caption, colours, id, visibility, tooltip and groups of another tab; selected when that one was.
    virtual void Copy(CTkRibbonTab* pSource);
    virtual void DoPropExchange(CTkPropExchange* pPX);

    CTkRibbonGroups* GetGroups() const { return m_pGroups; }
    CTkRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    void SetRibbonBar(CTkRibbonBar* pRibbonBar) { m_pRibbonBar = pRibbonBar; }
    // The bar that shows the groups: the ribbon, or a tab popup toolbar for a copy.
    CTkCommandBar* GetParent() const { return m_pParent; }
    void SetParent(CTkCommandBar* pParent) { m_pParent = pParent; }
    int GetId() const { return m_nId; }
    void SetId(int nId) { m_nId = nId; }
    // 0 none; 1..7 one of the theme's context colours.
    int GetContextColor() const { return m_nContextColor; }
    void SetContextColor(int nColor) { m_nContextColor = nColor; }
    const CString& GetContextCaption() const { return m_strContextCaption; }
    void SetContextCaption(LPCWSTR pszCaption) { m_strContextCaption = pszCaption; }
    // Set by the caption layout; NULL when no header covers the tab.
    CTkRibbonTabContextHeader* GetContextHeader() const { return m_pContextHeader; }
    void SetContextHeader(CTkRibbonTabContextHeader* pHeader) { m_pContextHeader = pHeader; }
    // Whether the last load read the tab as selected: a strip that takes the tab in after its load selects it.
    BOOL IsSelectedWhenLoaded() const { return m_bSelectedWhenLoaded; }

protected:
    CTkRibbonGroups* m_pGroups;                             // owned (one reference)
    CTkRibbonBar* m_pRibbonBar = nullptr;                   // not referenced
    CTkCommandBar* m_pParent = nullptr;                     // not referenced
    int m_nId = 0;                                          // "Id"
    int m_nContextColor = 0;                                // "ContextColor"
    CString m_strContextCaption;                            // "ContextCaption"
    CTkRibbonTabContextHeader* m_pContextHeader = nullptr;  // owned by the ribbon
    BOOL m_bSelectedWhenLoaded = FALSE;
};
