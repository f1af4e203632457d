#pragma once
#include "TkCommandBar.h"

// CTkPopupBar: the drop-down menu of the command bars, a top-level tool window that opens for a popup
// control of a parent bar (or at a point for context menus). Combo-box lists, galleries and the ribbon's
// popups derive from it. Reference counted like every bar; UI thread.

class CTkPopupBar : public CTkCommandBar {
    DECLARE_SERIAL(CTkPopupBar)
public:
    CTkPopupBar();
    ~CTkPopupBar() override;

    // A new, empty popup bar of the popup class, owned by the hub (one reference, the caller's).
    static CTkPopupBar* CreatePopupBar(CTkCommandBars* pCommandBars);

    BOOL IsPopupBar() const override;
    CTkCommandBar* GetParentCommandBar() const override;
    // Ending also closes the popup. FALSE when nothing was done.
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    // Places the window for the control and opens it, tracking.
    BOOL Popup(CTkControl* pControl, BOOL bSelectFirst) override;
    void Copy(CTkCommandBar* pSource, BOOL bRecursive) override;

    // The popup control that opened the bar; NULL for context menus (not referenced).
    CTkControl* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CTkControl* pControl) { m_pControlPopup = pControl; }
    // Items may be wider than a third of the work area.
    virtual BOOL AllowsWideItems() const;
    // Separate columns for check marks and icons ("DoubleGripper").
    BOOL IsDoubleGripper() const { return m_bDoubleGripper; }
    // Shadows may be drawn for this popup ("ShowShadow").
    BOOL IsShowShadow() const { return m_bShowShadow; }
    // Rarely used commands are hidden behind the expand button.
    BOOL HasHiddenCommands() const { return m_bHasHiddenCommands; }
    BOOL IsExpanded() const { return m_bExpanded; }
    // Shows the rarely used commands, lays out again and remembers the expansion.
    void ExpandToFullMenu();

protected:
    CTkControl* m_pControlPopup = nullptr;  // not referenced
    BOOL m_bHasHiddenCommands = FALSE;
    BOOL m_bExpanded = FALSE;
    BOOL m_bShowShadow = TRUE;
    BOOL m_bDoubleGripper = FALSE;
};
