#pragma once
#include "TkControlButton.h"

// CTkControlPopup: a button with a sub bar (a popup menu or popup toolbar) that opens beside it: menu-bar
// items and submenu items (type 2), buttons that open their sub bar (3), split buttons whose command part
// executes and whose drop-down part opens the sub bar (4; Enabled 4 disables the drop-down part, 5 the
// command part). Without a sub bar it behaves as a plain button.
//
// The popup holds one reference on its sub bar. PopupOpen changes only through SetPopupOpen, which the
// bar calls when it opens or closes the popup.

class CTkControlPopup : public CTkControlButton {
    DECLARE_SERIAL(CTkControlPopup)
public:
    CTkControlPopup();
    // Releases the sub bar.
    ~CTkControlPopup() override;

    // A new popup of the type (2, 3 or 4); one reference, the caller's.
    static CTkControlPopup* CreateControlPopup(int nType);

    CTkCommandBar* GetCommandBar() const override { return m_pCommandBar; }
    // Keeps a reference of its own on the new sub bar and releases the old one.
    void SetCommandBar(CTkCommandBar* pCommandBar);
    // The sub-bar id read by a load, until the bars resolve it; 0 when none.
    int GetCommandBarId() const { return m_nCommandBarId; }
    BOOL IsPopupOpen() const override { return m_bPopupOpen; }
    // FALSE without a sub bar, for a split button whose drop-down part is disabled, without a bar window,
    // and when the sub bar cannot pop up.
    BOOL SetPopupOpen(BOOL bOpen) override;
    void SetShowShadow(BOOL bShowShadow) { m_bShowShadow = bShowShadow; }

    void ActivateByKey() override;
    void HandleClick(BOOL bKeyboard, CPoint pt) override;
    void HandleButtonUp(CPoint pt) override;
    BOOL HandleDoubleClick(CPoint pt) override;
    void HandleMouseMove(CPoint pt) override;
    void HandleHoverDelay() override;
    BOOL SetSelected(int nSelected) override;
    void HandleCustomizeDragOver(CTkControl* pDragged, CPoint pt, int& nDropEffect) override;
    // Refuses the own sub bar and every bar below it.
    BOOL CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) override;
    BOOL IsSameAs(CTkControl* pOther) const override;
    // The base copy; a recursive copy clones the source's sub bar, any other shares it.
    void CopyFrom(CTkControl* pSource, BOOL bRecursive) override;
    void ExchangeProperties(CTkPropExchange* pPX) override;
    // A loaded sub-bar id takes the bar of the list with that BarID, which then resolves its own popups.
    void ResolveCommandBarId(CTkCommandBarList* pList) override;

    // Where the sub bar pops up from: the paint manager's adjustment of the rectangle.
    virtual void AdjustPopupRect(CRect& rc, BOOL bVertical);
    // The shadow along the control next to its open sub bar (toolbars and the menu bar only).
    virtual void UpdatePopupShadow();

    // Both share a sub bar, or a popup inside one's sub bar is related to the other.
    BOOL IsRelatedPopup(const CTkControlPopup* pOther) const;
    // An open popup menu item shows its sub bar's rarely used items.
    void ExpandOpenMenu();

protected:
    BOOL m_bPopupOpen = FALSE;
    CTkCommandBar* m_pCommandBar = nullptr;  // referenced
    int m_nCommandBarId = 0;
    BOOL m_bShowShadow = TRUE;
};
