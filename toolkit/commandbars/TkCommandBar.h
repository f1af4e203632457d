#pragma once
#include "TkAccessible.h"
#include "TkCommandBarsDefs.h"
#include "TkHookManager.h"

#include "mfc.h"

// CTkCommandBar: the window every bar derives from (toolbars, the menu bar, popup bars, dialog bars,
// the ribbon). It owns the ordered controls collection of the bar and does what all bars share:
// selection and popping of controls, tracking (menu) mode with its keyboard navigation, mouse handling,
// the idle command update, menu import, accessibility, and painting through a paint manager and the
// bar's animation.
//
// Tracking: SetTrackingMode(1) enters menu mode (the mouse manager then watches clicks outside the bar and
// the keyboard manager hands the thread's key-downs to OnTrackingKeyDown); 2 marks a control's popup
// open; 0 ends. A change between 1 and 2 only records the mode.
//
// This header is the contract between the bar and what it shows: what the controls, the paint
// managers and the ribbon call and read. Bars are reference counted (the hub and the popup controls
// hold references), live on the UI thread, and are created by run-time class.

class CTkCommandBarAnimation;
class CTkCommandBarKeyboardTip;
class CTkCommandBars;
class CTkCommandBarList;
class CTkControl;
class CTkControls;
class CTkImageManager;
class CTkPaintManager;
class CTkPropExchange;
class CTkToolTipContext;

// The mnemonic of a caption: the character after its first '&' when that is not the last character
// (*pbExplicit TRUE), else its first character; 0 for an empty caption.
WCHAR GetCaptionMnemonic(const CString& strCaption, BOOL* pbExplicit);

class CTkCommandBar : public CWnd, public CTkHookManagerHookAble, public CTkAccessible {
    DECLARE_SERIAL(CTkCommandBar)
public:
    CTkCommandBar();
    // Ends tracking, leaves the managers, empties and releases the controls.
    ~CTkCommandBar() override;

    // How long the mouse rests on a control before its hover notification, and how long a popup stays
    // open before it shows its rarely used controls (ms; process-wide).
    static UINT m_nHoverDelay;
    static UINT m_nExpandDelay;

    // ---- Kind, place and settings
    int GetType() const { return m_nType; }          // TypeOfBar
    int GetPosition() const { return m_nPosition; }  // PositionOfBar
    virtual BOOL SetPosition(int nPosition);
    DWORD GetFlags() const { return m_dwFlags; }  // the low four bits select the borders; kBarFlagStacked
    void ModifyFlags(DWORD dwAdd, DWORD dwRemove);
    DWORD GetBarStyle() const { return m_dwStyle; }  // kBarStyleGripper
    BOOL HasGripper() const { return (m_dwStyle & kBarStyleGripper) != 0; }
    void ShowGripper(BOOL bShow);
    UINT GetBarId() const { return m_nBarId; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nMRUWidth) { m_nMRUWidth = nMRUWidth; }
    // 0 follows the position, 1 vertical text, 2 horizontal text.
    int GetTextOrientation() const { return m_nTextOrientation; }
    void SetTextOrientation(int nOrientation) { m_nTextOrientation = nOrientation; }
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
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }
    // The bar may be closed by the user (its hide button, the toolbars list).
    BOOL IsCloseable() const { return m_bCloseable; }
    virtual void SetVisible(BOOL bVisible);
    // FALSE here: the bar kinds answer their own visibility.
    virtual BOOL IsVisible() const;
    // The window exists and is shown, visible by IsVisible, with a non-empty rectangle.
    BOOL IsShownOnScreen() const;
    // The paint manager's border widths of the bar (left, top, right, bottom).
    virtual CRect GetBorders();
    // 1 when the screen point lies in the bar's window (and its region, for a popup); 0 otherwise.
    virtual int HitTestBar(int x, int y) const;

    // ---- Controls
    CTkControls* GetControls() const { return m_pControls; }  // owned
    // Fills the bar from the RT_TOOLBAR resource of the id, and with bLoadImages cuts the bitmap of the
    // same id into the icons. FALSE for a zero id, a missing or truncated resource, or a failed image step
    // (the controls are made then all the same).
    virtual BOOL LoadToolBar(UINT nId, BOOL bLoadImages = TRUE);
    // Makes one control per id, in order; a 0 marks the next control as the start of a group. The site may
    // make or change each control (CreateControlMessage, ControlCreatedMessage).
    BOOL SetButtons(const UINT* pIds, int nCount);
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
    // The window that receives the bar's commands: the first explicit command owner up the parent chain,
    // else the window owner, else the site.
    CWnd* GetOwnerWindow() const;
    void SetCommandOwner(CWnd* pOwner) { m_pCommandOwner = pOwner; }
    // The window that shows this bar (a popup's owner).
    void SetOwnerWindow(CWnd* pOwner) { m_pOwnerWindow = pOwner; }
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
    // A non-empty text goes to the site's status bar; an empty one brings back its idle text.
    void SetStatusText(const CString& strText);
    // Closes the open popup and opens the one of the control at nIndex (-1 only closes). FALSE when the
    // control refuses or is disabled.
    BOOL PopupControl(int nIndex, BOOL bKeyboard = FALSE);
    // TrackingMode. FALSE when nothing was done.
    virtual BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual void EndTracking();
    int GetTrackingMode() const { return m_nTrackingMode; }
    // Tracking began without the keyboard and without selecting the first control.
    BOOL IsEnteredByMouse() const { return m_bEnteredByMouse; }
    // Runs the thread's messages while the bar tracks (the modal loop of popups and of a keyboard-entered
    // bar). Ends on a click outside the tracked bars and on WM_QUIT, which it posts again.
    void PumpMessagesWhileTracking();
    // Opens this bar as the popup of pControl (popup bars); FALSE in the base.
    virtual BOOL Popup(CTkControl* pControl, BOOL bSelectFirst);
    virtual BOOL IsKeyboardCuesVisible() const;
    // The next popup opened from this bar animates; set when the bar starts tracking, cleared by the popup.
    BOOL IsAnimateNextPopup() const { return m_bAnimateNextPopup; }
    void SetAnimateNextPopup(BOOL bAnimate) { m_bAnimateNextPopup = bAnimate; }
    // While a popup is tracked for a caller that wants the chosen command back, where its id goes (the
    // caller's variable, not owned); NULL when commands are sent.
    int* GetReturnCommandSlot() const { return m_pReturnCommand; }
    void SetReturnCommandSlot(int* pReturnCommand) { m_pReturnCommand = pReturnCommand; }
    // Raised while a recursive popup runs above this bar; the bar's timers are then ignored.
    int GetLockCount() const { return m_nLockCount; }
    void ModifyLockCount(int nDelta) { m_nLockCount += nDelta; }
    // The window the focus returns to when an edit of the bar gives it up (not owned).
    HWND GetFocusReturnWindow() const { return m_hwndFocusReturn; }
    void SetFocusReturnWindow(HWND hWnd) { m_hwndFocusReturn = hWnd; }
    // The popup was tracked with TPM_RIGHTBUTTON, TPM_NONOTIFY.
    void SetTrackFlags(BOOL bRightButton, BOOL bNoNotify, BOOL bRecurse);

    // ---- Keyboard (TkCommandBarNavigation.cpp)
    // Key handling while tracking: 1 handled, 2 not handled and the key goes on, 0 not handled and the
    // next sink may take it.
    virtual int OnTrackingKeyDown(UINT nKey, LPARAM lParam);
    // A NavigationCode; TRUE when it acted.
    virtual BOOL NavigateByCode(int nCode);
    // The keyboard-navigable control whose mnemonic the key types, from after the selection; -1 for none.
    int FindMnemonicControl(UINT nKey, BOOL* pbAmbiguous) const;
    // Alt or an Alt+key offered to the bar before the mnemonics (the ribbon takes it); FALSE here.
    virtual BOOL OnActivationKey(UINT nKey);
    // The NavigationCode of an arrow, Home or End in a horizontal or vertical bar (Left and Right change
    // places right to left); -1 for other keys.
    static int KeyToNavigationCode(UINT nKey, BOOL bHorizontal, BOOL bRightToLeft);

    // ---- Layout and painting
    // Sets the pending-layout bit (run at the next idle update) and forgets the selection; -1.
    virtual int DelayLayout();
    BOOL IsLayoutPending() const { return (m_dwState & kStateLayoutPending) != 0; }
    virtual void DelayRedraw();
    // Lays the bar out again at once.
    virtual void RecalcLayout();
    // Size 0 x 0 here.
    virtual CSize CalcDynamicSize(int nLength, DWORD dwMode);
    // Repaints the rectangle (NULL: all), through the animation when asked; while redrawing is locked only
    // marks the bar for a later repaint.
    virtual void Redraw(LPCRECT pRect = nullptr, BOOL bAnimate = FALSE);
    // While positive Redraw only marks the bar.
    void LockRedraw(BOOL bLock) { m_nLockRedraw += bLock ? 1 : -1; }
    virtual void EnsureVisible(CTkControl* pControl);
    // The whole bar into the DC: background, gripper, the controls meeting the clip rectangle.
    virtual void DrawCommandBar(CDC* pDC, CRect rcClip);
    virtual void FillBackground(CDC* pDC);
    // The resize gripper a popup shows (0 none).
    virtual int GetResizeKind() const;
    // The gap between the rows of a wrapped toolbar.
    int GetRowGap() const { return m_nRowGap; }
    // Set by the popup column layout when it made more than one column.
    BOOL IsMultiColumn() const { return m_bMultiColumn; }
    void SetMultiColumn(BOOL bMultiColumn) { m_bMultiColumn = bMultiColumn; }
    // Paint through the cached picture even without animation.
    void SetCachedPaint(BOOL bCachedPaint);
    void SetAnimationEnabled(BOOL bEnable);
    BOOL IsAnimationEnabled() const;
    CTkCommandBarAnimation* GetAnimation() const { return m_pAnimation; }  // owned

    // ---- Command update and menus (TkCommandBarUpdate.cpp)
    // The idle update of a visible bar with a window: template visibility, command states, then a
    // pending redraw and a pending layout. 0.
    virtual LRESULT OnIdleUpdate(BOOL bFrame, BOOL bDisableIfNoHandler);
    // The command-update pass of the controls against the owner window.
    void UpdateCommandUI();
    // Hides the controls not meant for the active document template.
    void UpdateTemplateVisibility();
    // Fills the controls from a menu (emptying them first when asked). FALSE for a missing menu.
    virtual BOOL LoadMenu(CMenu* pMenu, BOOL bRemoveControls = TRUE);
    // With automatic shortcut texts, each visible control with an id gets the shortcut manager's text.
    virtual void UpdateShortcutTexts();

    // ---- Keyboard tips
    void HideKeyboardTips();
    // The level of the tips shown for this bar, else 0.
    int GetActiveKeyboardTipLevel() const;
    // One tip per visible captioned control (and, on a root bar, one per other visible bar).
    virtual void CreateKeyboardTips();
    // A chosen tip: its control is activated, its bar entered.
    virtual void OnKeyboardTipSelected(CTkCommandBarKeyboardTip* pTip);

    // ---- Customisation
    // Fills the popup with one entry per button of this bar that the user may show or hide (checked while
    // shown), bringing back as hidden the original buttons the bar lost, and ends it with the reset entry
    // of a built-in toolbar. Buttons the user hid are taken out of the bar first.
    void BuildShowHideButtonsMenu(CTkCommandBar* pPopup);

    // ---- Customize drop target (TkCommandBarDrop.cpp); points in client coordinates
    // Where a dragged control would land: before or after the control at nIndex (-1: none, the start of
    // the bar), with the insertion marker to show there (empty: none) and its direction.
    struct DropPosition {
        CRect rcMarker;
        int nIndex;
        BOOL bAfter;
        BOOL bVertical;
    };
    DropPosition FindDropPosition(CTkControl* pDragged, CPoint pt) const;
    // Clears the marker, then OnDragOver.
    virtual int OnDragEnter(CTkControl* pDragged, CPoint pt);
    virtual void OnDragLeave();
    // 0 when the bar takes no drop (not customizable, hidden, or the control refuses it); else the drop
    // effect (-1 unless the control under the point changed it), with the marker shown.
    virtual int OnDragOver(CTkControl* pDragged, CPoint pt);
    // Inserts a copy of the control where it lands and selects the copy; dropped on itself the control
    // only gains or loses its group start, and nDropEffect becomes kDragCancelled (it stays in place).
    virtual void OnDrop(CTkControl* pDragged, int& nDropEffect, CPoint pt, CPoint ptStart);
    // The I-beam of the marker, inverted over what is drawn.
    void DrawInsertionMark(CDC* pDC) const;
    // In customize mode: a double black frame around the customize selection when it is one of this bar's
    // visible controls, and the insertion mark.
    void DrawCustomizeMarks(CDC* pDC) const;
    const CRect& GetInsertionMarker() const { return m_rcMarker; }

    // ---- Copies and persistence
    virtual void Copy(CTkCommandBar* pSource, BOOL bRecursive);
    // A new bar of this class filled by Copy.
    virtual CTkCommandBar* Clone(BOOL bRecursive);
    // Saving and loading (TkCommandBarExchange.cpp): the bar's keys, then its controls.
    virtual void DoPropExchange(CTkPropExchange* pPX);
    // Adds the bar to the list once (a bar that is not a toolbar and has no BarID below 0x1000000 takes the
    // counter's next value), then the sub bars of its controls.
    virtual void CollectBarsForSave(int& nCounter, CTkCommandBarList* pList, BarsExchangeParam* pParam);
    // Loaded popup controls take the bars of the list their stored sub-bar ids name.
    virtual void RestorePopupLinks(CTkCommandBarList* pList);
    // The hub dropped the bar: ends tracking, removes the controls, destroys the window.
    virtual void OnRemoved();

    // ---- Mouse handling, also reached by controls with points in the bar's client coordinates
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    // The bar's own timers (hover, expand, animation, the popup's tips); the control timers are left to
    // their controls.
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // A right-button release over a child bar that nobody took (the ribbon shows its menu); nothing here.
    virtual void OnChildRightButtonUp(CTkCommandBar* pBar, CPoint ptScreen);

    // The tip of the control under the point (bar client coordinates): its tooltip with the shortcut when
    // the options ask for it; -1 while the bar or another one tracks, for an empty tip, and where the
    // options turn tips off.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pToolInfo) const override;

    // Every message passes the bar's tooltip context first.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // ---- CTkHookManagerHookAble: keys from the keyboard manager while tracking
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // ---- CTkAccessible: the bar and its controls as children 1..count
    CCmdTarget* GetAccessibleOwner() override { return this; }
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;

    DECLARE_MESSAGE_MAP()
    DECLARE_INTERFACE_MAP()

protected:
    static constexpr DWORD kStateLayoutPending = 0x1;
    static constexpr DWORD kStateRedrawPending = 0x2;

    // The control of a child id 1..count; NULL for others.
    CTkControl* GetAccessibleControl(const VARIANT& varChild) const;
    // Help id of a control: its own, else its action's help id, else the action's id, else its id.
    static int GetControlHelpId(CTkControl* pControl);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);

    // Navigation steps (TkCommandBarNavigation.cpp).
    // The row walk of popup toolbars and floating bars for kNavigateUp and kNavigateDown.
    BOOL NavigateRows(int nCode);
    // The bar lays its controls out in a row (top, bottom, floating, a popup toolbar).
    BOOL IsHorizontalForKeys() const;

    BOOL m_bLockExempt = FALSE;  // the mouse manager's lock does not silence this bar
    BOOL m_bHoverOpen = TRUE;    // mouse selections arm the hover timer
    BOOL m_bHideCaret = TRUE;    // tracking hides the focus window's caret
    int m_nMRUWidth = 0x7FFF;
    int m_nSelected = -1;
    int m_nPopuped = -1;
    HWND m_hwndCaret = nullptr;  // the window whose caret tracking hid
    UINT m_nBarId = 0;
    BOOL m_bVisible = TRUE;
    int m_nTrackingMode = kTrackingNone;
    CWnd* m_pOwnerWindow = nullptr;  // not owned
    DWORD m_dwState = 0;             // kStateLayoutPending, kStateRedrawPending
    DWORD m_dwFlags = 0;
    DWORD m_dwStyle = kBarStyleGripper;
    CString m_strTitle;
    int m_nType = kBarTypeNormal;
    CTkControls* m_pControls = nullptr;  // owned; its parent is this bar
    int m_nPosition = kBarNone;
    CTkCommandBars* m_pCommandBars = nullptr;  // not referenced
    CWnd* m_pCommandOwner = nullptr;           // not owned
    CSize m_szIcons{0, 0};
    CSize m_szButtons{0, 0};
    int m_nShowTextBelowIcons = 2;  // 0, 1, or 2: as the options say
    BOOL m_bRightButton = FALSE;    // tracked with TPM_RIGHTBUTTON
    BOOL m_bNoNotify = FALSE;       // tracked with TPM_NONOTIFY
    BOOL m_bRecurse = FALSE;        // tracked with TPM_RECURSE
    int m_nLockCount = 0;
    int m_nSelectionOrigin = kSelectByMouse;  // SelectionOrigin
    BOOL m_bCloseable = FALSE;
    BOOL m_bCustomizable = TRUE;
    CRect m_rcMarker{0, 0, 0, 0};  // the customize drop marker
    BOOL m_bMarkerVertical = FALSE;
    BOOL m_bCustomizeDialogPresent = TRUE;
    BOOL m_bEnteredByMouse = FALSE;
    int m_nLockRedraw = 0;
    CTkPaintManager* m_pPaintManager = nullptr;  // referenced; NULL: the hub's
    CTkImageManager* m_pImageManager = nullptr;  // referenced; NULL: the hub's
    BOOL m_bMultiColumn = FALSE;
    int m_nDefaultButtonStyle = 0;                   // ButtonStyle
    CTkToolTipContext* m_pToolTipContext = nullptr;  // referenced
    CTkCommandBarAnimation* m_pAnimation = nullptr;  // owned
    int m_nLastDescribed = -1;
    int m_nTextOrientation = 0;
    HWND m_hwndFocusReturn = nullptr;
    int* m_pReturnCommand = nullptr;  // not owned
    int m_nRowGap = 0;
    BOOL m_bAnimateNextPopup = FALSE;

    friend class CTkCommandBars;
};
