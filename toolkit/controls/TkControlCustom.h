#pragma once
#include "TkControlButton.h"
#include "TkHookManager.h"

// CTkControlCustom: an ordinary child window of the application (any window with a dialog id) placed in a
// command bar (ControlType 7). The bar lays it out as a control of the window's size plus Borders; the
// control re-parents the window to the bar, moves, enables, shows and hides it, but never creates or
// destroys it. Without a window, or while the window is hidden, it is a plain button.
class CTkControlCustom : public CTkControlButton, public CTkHookManagerHookAble {
    DECLARE_SERIAL(CTkControlCustom)
public:
    // What the control does in vertical bars ("VerticalOptions").
    enum VerticalOption {
        kVerticalHide = 0,        // the control is hidden there
        kVerticalKeep = 1,        // nothing changes
        kVerticalButtonOnly = 2,  // the window is hidden and the control shows as a button
    };

    CTkControlCustom();
    // Leaves the hook manager (nothing registers it by itself; a caller may have).
    ~CTkControlCustom() override;

    // The hosted window: set by loading (found again by ControlId) and by CopyFrom only.
    HWND GetControlWindow() const { return m_hWnd; }
    BOOL GetShowWindow() const { return m_bShowWindow; }

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void SetRect(CRect rc) override;
    void SetEnabled(int nEnabled) override;
    void SetHideFlags(DWORD dwHideFlags) override;
    void PrepareForLayout(DWORD dwLayoutMode) override;
    void OnActionChanged(int nProperty) override;
    void OnRemoved() override;
    void HandleClick(BOOL bKeyboard, CPoint pt) override;
    BOOL CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) override;
    void CopyFrom(CTkControl* pSource, BOOL bRecursive) override;
    void ExchangeProperties(CTkPropExchange* pPX) override;

    // Shows or hides the window to match the control; nothing for a control of an original-controls
    // snapshot, without a parent bar or window, or when the window is not the bar's child.
    void UpdateWindowVisibility();
    // The dialog item nId of the hub's site window, else of each of its bars; NULL when none has it.
    static HWND FindWindowById(CTkCommandBars* pCommandBars, int nId);

    // A mouse move over a hooked window is handed to the bar, so hovering the window selects the control.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

protected:
    HWND m_hWnd = nullptr;
    CRect m_rcBorders{0, 0, 0, 0};
    BOOL m_bShowWindow = TRUE;
    CSize m_szControl{0, 0};
    int m_nVerticalOptions = kVerticalHide;
    int m_nControlId = 0;
};
