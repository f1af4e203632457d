#pragma once
#include "TkAccessible.h"
#include "TkCommandBarsDefs.h"
#include "TkHookManager.h"

#include "mfc.h"

// CTkCommandBar: the window every bar derives from (toolbars, the menu bar, popup bars, dialog bars,
// the ribbon). It owns the ordered controls collection of the bar and does what all bars share:
// selection and popping of controls, tracking (menu) mode, mouse handling, the idle command update,
// menu import and painting through a paint manager.
//
// This header is the contract between the bar and what it shows: what the controls, the paint
// managers and the ribbon call and read. Bars are reference counted (the hub and the popup controls
// hold references), live on the UI thread, and are created by run-time class.

class CTkCommandBars;
class CTkCommandBarList;
class CTkControl;
class CTkControls;
class CTkImageManager;
class CTkPaintManager;
class CTkPropExchange;

class CTkCommandBar : public CWnd, public CTkHookManagerHookAble, public CTkAccessible {
    DECLARE_SERIAL(CTkCommandBar)
public:
    CTkCommandBar();
    ~CTkCommandBar() override;

    // ---- Kind, place and settings
    int GetType() const { return m_nType; }          // TypeOfBar
    int GetPosition() const { return m_nPosition; }  // PositionOfBar
    virtual BOOL SetPosition(int nPosition);
    DWORD GetFlags() const { return m_dwFlags; }  // the low four bits select the borders; kBarFlagStacked
    void ModifyFlags(DWORD dwAdd, DWORD dwRemove);
    DWORD GetBarStyle() const { return m_dwStyle; }  // kBarStyleGripper
    BOOL HasGripper() const { return (m_dwStyle & kBarStyleGripper) != 0; }
    UINT GetBarId() const { return m_nBarId; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nMRUWidth) { m_nMRUWidth = nMRUWidth; }
    // 0 follows the position, 1 vertical text, 2 horizontal text.
    int GetTextOrientation() const { return m_nTextOrientation; }
    const CString& GetTitle() const { return m_strTitle; }
    // Stores the title and repaints.
    void SetTitle(LPCWSTR pszTitle);
    int GetDefaultButtonStyle() const { return m_nDefaultButtonStyle; }
    // The window has WS_EX_LAYOUTRTL or WS_EX_RTLREADING.
    BOOL IsLayoutRTL() const;
    virtual BOOL IsDialogBar() const;
    virtual BOOL IsRibbonBar() const;
    virtual BOOL IsPopupBar() const;
    virtual BOOL IsCustomizable() const;
    virtual void SetVisible(BOOL bVisible);
    virtual BOOL IsVisible() const;
    // The paint manager's border widths of the bar (left, top, right, bottom).
    virtual CRect GetBorders();

    // ---- Controls
    CTkControls* GetControls() const { return m_pControls; }  // owned
    int GetControlCount() const;
    // NULL out of range.
    CTkControl* GetControl(int nIndex) const;
    // The index (bByIndex) or command id of the first visible control marked DefaultItem; -1 when none.
    int FindDefaultItem(BOOL bByIndex) const;

    // ---- Hub, site and managers
    // The own hub, else the first parent bar's; NULL for free-standing bars.
    CTkCommandBars* GetCommandBars() const;
    void SetCommandBars(CTkCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    // Customisation mode of the hub; FALSE without one.
    BOOL IsCustomizeMode() const;
    virtual CTkCommandBar* GetParentCommandBar() const;
    // The topmost bar of the parent chain (this bar when it has no parent).
    CTkCommandBar* GetRootParent() const;
    // The hub's site, else the root bar's owner window, else the window owner or parent, else the
    // application's main window.
    CWnd* GetSite() const;
    // GetSite when it is a frame window, else NULL.
    CFrameWnd* GetSiteFrame() const;
    // The window that receives the bar's commands.
    CWnd* GetOwnerWindow() const;
    // Own, else the hub's, else the root bar's own, else the current one (made on demand).
    CTkPaintManager* GetPaintManager() const;
    CTkImageManager* GetImageManager() const;

    // ---- Sizes
    virtual CSize GetIconSize() const;
    virtual CSize GetButtonSize() const;
    CSize GetLargeIconSize() const;
    CSize GetDefaultIconSize(BOOL bLarge) const;
    BOOL GetTextBelowIcons() const;

    // ---- Selection, tracking and popups
    int GetSelectedIndex() const { return m_nSelected; }
    int GetPopupedIndex() const { return m_nPopuped; }
    // nOrigin 0 mouse, 1 mnemonic, 2 keyboard forward, 3 keyboard backward: the control's state becomes 1
    // for the mouse, else max(nOrigin, 2). -1 deselects. FALSE when nothing changed.
    virtual BOOL SetSelected(int nIndex, int nOrigin = 0);
    virtual void ClearSelection();
    // Reports a newly selected control to the site and shows its description in the status bar.
    virtual void OnControlSelected(BOOL bSelected, CTkControl* pControl);
    // The control whose description the status bar shows; -1 none.
    void SetLastDescribedIndex(int nIndex) { m_nLastDescribed = nIndex; }
    // Closes the open popup and opens the one of the control at nIndex (-1 only closes). FALSE when the
    // control refuses or is disabled.
    BOOL PopupControl(int nIndex, BOOL bKeyboard = FALSE);
    // TrackingMode. FALSE when nothing was done.
    virtual BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual void EndTracking();
    int GetTrackingMode() const { return m_nTrackingMode; }
    // Opens this bar as the popup of pControl (popup bars); FALSE in the base.
    virtual BOOL Popup(CTkControl* pControl, BOOL bSelectFirst);
    // Key handling while tracking: 1 handled, 2 not handled.
    virtual int OnTrackingKeyDown(UINT nKey, LPARAM lParam);
    virtual BOOL IsKeyboardCuesVisible() const;
    // While a popup is tracked for a caller that wants the chosen command back, where its id goes (the
    // caller's variable, not owned); NULL when commands are sent.
    int* GetReturnCommandSlot() const { return m_pReturnCommand; }
    void SetReturnCommandSlot(int* pReturnCommand) { m_pReturnCommand = pReturnCommand; }
    // Raised while a recursive popup runs above this bar; the bar's timers are then ignored.
    int GetLockCount() const { return m_nLockCount; }
    // The window the focus returns to when an edit of the bar gives it up (not owned).
    HWND GetFocusReturnWindow() const { return m_hwndFocusReturn; }
    void SetFocusReturnWindow(HWND hWnd) { m_hwndFocusReturn = hWnd; }

    // ---- Layout and painting
    // Sets the pending-layout bit (run at the next idle update) and forgets the selection; -1.
    virtual int DelayLayout();
    BOOL IsLayoutPending() const { return (m_dwState & kStateLayoutPending) != 0; }
    virtual void DelayRedraw();
    // Lays the bar out again at once.
    virtual void RecalcLayout();
    // Repaints the rectangle (NULL: all), through the animation when asked; while redrawing is locked only
    // marks the bar for a later repaint.
    virtual void Redraw(LPCRECT pRect = nullptr, BOOL bAnimate = FALSE);
    virtual void EnsureVisible(CTkControl* pControl);
    // The gap between the rows of a wrapped toolbar.
    int GetRowGap() const { return m_nRowGap; }
    // Set by the popup column layout when it made more than one column.
    BOOL IsMultiColumn() const { return m_bMultiColumn; }
    void SetMultiColumn(BOOL bMultiColumn) { m_bMultiColumn = bMultiColumn; }
    void SetCachedPaint(BOOL bCachedPaint);
    void SetAnimationEnabled(BOOL bEnable);
    BOOL IsAnimationEnabled() const;
    // The command-update pass of the controls against the owner window.
    void UpdateCommandUI();

    // ---- Menus, keyboard tips
    // Fills the controls from a menu (emptying them first when asked). FALSE for a missing menu.
    virtual BOOL LoadMenu(CMenu* pMenu, BOOL bRemoveControls = TRUE);
    void HideKeyboardTips();
    int GetActiveKeyboardTipLevel() const;

    // ---- Copies and persistence
    virtual void Copy(CTkCommandBar* pSource, BOOL bRecursive);
    // A new bar of this class filled by Copy.
    virtual CTkCommandBar* Clone(BOOL bRecursive);
    virtual void DoPropExchange(CTkPropExchange* pPX);
    virtual void CollectBarsForSave(int& nCounter, CTkCommandBarList* pList, BarsExchangeParam* pParam);
    virtual void RestorePopupLinks(CTkCommandBarList* pList);
    // The hub dropped the bar: ends tracking, removes the controls, destroys the window.
    virtual void OnRemoved();

    // ---- Mouse handling, also reached by controls with points in the bar's client coordinates
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    // The hover timer 112223 runs the selected control's HandleHoverDelay; the control timers are left
    // to their controls.
    afx_msg void OnTimer(UINT_PTR nIDEvent);

    // ---- CTkHookManagerHookAble: keys from the keyboard manager while tracking
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // ---- CTkAccessible: the bar carries its own IAccessible
    CCmdTarget* GetAccessibleOwner() override { return this; }

    DECLARE_MESSAGE_MAP()
    DECLARE_INTERFACE_MAP()

protected:
    static constexpr DWORD kStateLayoutPending = 0x1;
    static constexpr DWORD kStateRedrawPending = 0x2;

    int m_nMRUWidth = 0x7FFF;
    int m_nSelected = -1;
    int m_nPopuped = -1;
    UINT m_nBarId = 0;
    BOOL m_bVisible = TRUE;
    int m_nTrackingMode = kTrackingNone;
    DWORD m_dwState = 0;  // kStateLayoutPending, kStateRedrawPending
    DWORD m_dwFlags = 0;
    DWORD m_dwStyle = kBarStyleGripper;
    CString m_strTitle;
    int m_nType = kBarTypeNormal;
    CTkControls* m_pControls = nullptr;  // owned; its parent is this bar
    int m_nPosition = kBarNone;
    CTkCommandBars* m_pCommandBars = nullptr;  // not referenced
    int m_nLockCount = 0;
    int m_nTextOrientation = 0;
    BOOL m_bMultiColumn = FALSE;
    int m_nDefaultButtonStyle = 0;  // ButtonStyle
    int m_nLastDescribed = -1;
    HWND m_hwndFocusReturn = nullptr;
    int* m_pReturnCommand = nullptr;  // not owned
    int m_nRowGap = 0;
};
