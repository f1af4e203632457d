#pragma once
#include "TkControlButton.h"
#include "TkControlDefs.h"
#include "TkMenuBar.h"
#include "TkRibbonScrollableBar.h"

#include "mfc.h"

#include <vector>

// CTkRibbonBar: the command bar of type ribbon that replaces the frame's menu bar. From top to bottom it
// shows an optional caption strip (inside the frame's caption while a frame hook is attached), the tab
// strip, the group strip of the selected tab (scrolled when the groups do not fit) and the quick-access
// toolbar, in the caption strip or as a row below the groups; a system button sits at the left. A
// minimised ribbon shows only its tab strip and pops a tab's groups up on a click. Made by the hub's
// CreateMenuBar through the menu-bar class and owned by the hub like any bar. UI thread.

class CTkPopupBar;
class CTkRibbonBarControlQuickAccessPopup;
class CTkRibbonControlSystemButton;
class CTkRibbonControlTab;
class CTkRibbonControls;
class CTkRibbonGroup;
class CTkRibbonQuickAccessControls;
class CTkRibbonTab;
class CTkRibbonTabContextHeader;
class CTkRibbonTheme;
class CTkThemedFrameHook;

// Command ids of the ribbon's own controls and of its quick-access menus.
constexpr int kIdRibbonQuickAccessMenu = 9601;  // the customize button's menu resource
constexpr int kIdRibbonContextMenu = 9602;      // the menu resource of other controls
constexpr int kIdRibbonQuickAccessCustomize = 9603;
constexpr int kIdRibbonTabControl = 9604;
constexpr int kIdRibbonQuickAccessRemove = 9605;
constexpr int kIdRibbonQuickAccessAdd = 9606;
constexpr int kIdRibbonCustomize = 9607;
constexpr int kIdRibbonQuickAccessBelow = 9608;
constexpr int kIdRibbonQuickAccessAbove = 9610;
constexpr int kIdRibbonQuickAccessMore = 9611;
constexpr int kIdRibbonMinimize = 9612;
constexpr int kIdRibbonQuickAccessList = 9613;
constexpr int kIdRibbonQuickAccessListTitle = 9614;

class CTkRibbonBar : public CTkMenuBar, public CTkRibbonScrollableBar {
    DECLARE_SERIAL(CTkRibbonBar)
public:
    class CControlQuickAccessMorePopup;
    class CControlQuickAccessCommand;
    class CControlCaptionButton;

    CTkRibbonBar();
    // Removes the tabs, empties the quick-access controls, deletes the frame hook and the headers.
    ~CTkRibbonBar() override;

    // ---- Tabs and groups
    // A new tab with the caption and id at the end of the tab strip.
    CTkRibbonTab* AddTab(LPCWSTR pszCaption, int nId = 0);
    // The selected tab; NULL when none.
    CTkRibbonTab* GetSelectedTab() const;
    int GetTabCount() const;
    // NULL out of range.
    CTkRibbonTab* GetTab(int nIndex) const;
    // The first group with the id over all tabs, in tab order; NULL when none.
    CTkRibbonGroup* FindGroup(int nId) const;
    CTkRibbonControlTab* GetControlTab() const { return m_pControlTab; }
    // Marks every group control hidden (kHideRibbonReduced) unless its group is visible and belongs to
    // the tab and the ribbon is not minimised.
    void RefreshGroupHideFlags(CTkRibbonTab* pSelectedTab);

    // ---- State and settings
    BOOL IsMinimized() const { return m_bMinimized; }
    BOOL IsAllowMinimize() const { return m_bAllowMinimize; }
    void AllowMinimize(BOOL bAllow) { m_bAllowMinimize = bAllow; }
    BOOL IsGroupsVisible() const { return m_bGroupsVisible; }
    void SetGroupsVisible(BOOL bVisible) { m_bGroupsVisible = bVisible; }
    BOOL IsTabsVisible() const { return m_bTabsVisible; }
    void SetTabsVisible(BOOL bVisible) { m_bTabsVisible = bVisible; }
    BOOL IsQuickAccessBelowRibbon() const { return m_bShowQuickAccessBelow; }
    void ShowQuickAccessBelowRibbon(BOOL bBelow) { m_bShowQuickAccessBelow = bBelow; }
    BOOL IsQuickAccessVisible() const { return m_bShowQuickAccess; }
    void ShowQuickAccess(BOOL bShow) { m_bShowQuickAccess = bShow; }
    BOOL IsQuickAccessDuplicatesAllowed() const { return m_bAllowQuickAccessDuplicates; }
    void AllowQuickAccessDuplicates(BOOL bAllow) { m_bAllowQuickAccessDuplicates = bAllow; }
    BOOL IsQuickAccessCustomizable() const { return m_bAllowQuickAccessCustomization; }
    void AllowQuickAccessCustomization(BOOL bAllow) { m_bAllowQuickAccessCustomization = bAllow; }
    BOOL IsCaptionBarShown() const { return m_bShowCaptionAlways; }
    void ShowCaptionBar(BOOL bShow) { m_bShowCaptionAlways = bShow; }
    // Laid out with a caption strip: a frame hook is attached or the caption bar is shown.
    BOOL IsCaptionVisible() const;
    // The frame and the bar were big enough at the last layout.
    BOOL IsRibbonBarVisible() const { return m_bRibbonBarVisible; }
    // A positive height replaces the computed group-strip height.
    void SetGroupsHeight(int nHeight) { m_nFixedGroupsHeight = nHeight; }
    // The next layout runs the command update.
    void SetPendingCommandUpdate(BOOL bPending) { m_bPendingCommandUpdate = bPending; }
    BOOL IsPendingCommandUpdate() const { return m_bPendingCommandUpdate; }
    // Set while the ribbon was entered by a tab's mnemonic (Esc in its popups then steps back).
    BOOL IsKeyboardActivated() const { return m_bKeyboardActivated; }
    void SetKeyboardActivated(BOOL bActivated) { m_bKeyboardActivated = bActivated; }

    // ---- Areas (bar client coordinates, from the last layout)
    const CRect& GetCaptionRect() const { return m_rcCaption; }
    const CRect& GetCaptionTextRect() const { return m_rcCaptionText; }
    const CRect& GetHeaderFreeRect() const { return m_rcHeader; }
    const CRect& GetQuickAccessRect() const { return m_rcQuickAccess; }
    const CRect& GetTabControlRect() const { return m_rcTabControl; }
    int GetQuickAccessHeight() const { return m_nQuickAccessHeight; }
    const CString& GetCaptionText() const { return m_strCaptionText; }

    // ---- Parts
    CTkRibbonQuickAccessControls* GetQuickAccessControls() const { return m_pQuickAccessControls; }
    CTkRibbonBarControlQuickAccessPopup* GetControlQuickAccess() const { return m_pControlQuickAccess; }
    CControlQuickAccessMorePopup* GetControlQuickAccessMore() const { return m_pControlQuickAccessMore; }
    CTkRibbonControlSystemButton* GetSystemButton() const { return m_pControlSystemButton; }
    // Adds a system button at index 0 (an existing one is returned).
    CTkRibbonControlSystemButton* AddSystemButton(int nId = 0);
    // Forgets the system button (the collection removes it).
    void ClearSystemButton() { m_pControlSystemButton = nullptr; }
    const std::vector<CTkRibbonTabContextHeader*>& GetContextHeaders() const { return m_contextHeaders; }
    CTkThemedFrameHook* GetFrameHook() const { return m_pFrameHook; }
    // The paint manager when it is the ribbon theme; NULL otherwise.
    CTkRibbonTheme* GetRibbonTheme() const;

    // ---- Overrides of the bar (behaviour of the ribbon)
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pToolInfo) const override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    CSize GetIconSize() const override;
    CSize GetButtonSize() const override;
    void SetVisible(BOOL bVisible) override;
    void OnDrop(CTkControl* pDragged, int& nDropEffect, CPoint pt, CPoint ptStart) override;
    BOOL IsRibbonBar() const override { return TRUE; }
    void DoPropExchange(CTkPropExchange* pPX) override;
    BOOL IsKeyboardCuesVisible() const override;
    void DrawCommandBar(CDC* pDC, CRect rcClip) override;
    // Selects the tab of the control's group, then scrolls the groups to show it.
    void EnsureVisible(CTkControl* pControl) override;
    void CreateKeyboardTips() override;
    void OnKeyboardTipSelected(CTkCommandBarKeyboardTip* pTip) override;
    BOOL NavigateByCode(int nCode) override;
    void Copy(CTkCommandBar* pSource, BOOL bRecursive) override;
    void CollectBarsForSave(int& nCounter, CTkCommandBarList* pList, BarsExchangeParam* pParam) override;
    void RestorePopupLinks(CTkCommandBarList* pList) override;
    void OnRemoved() override;
    // Alt, digits and tab mnemonics from the frame; refused while Ctrl is down.
    BOOL OnActivationKey(UINT nKey) override;
    // A right click in any bar of the ribbon: the quick-access menu.
    void OnChildRightButtonUp(CTkCommandBar* pBar, CPoint ptScreen) override;
    CTkCommandBar* Clone(BOOL bRecursive) override;
    CSize CalcLayout(int nLength, DWORD dwMode, int nMinThickness = 0) override;
    BOOL IsResetAvailable() const override { return TRUE; }
    void MergeLoadedState(CTkToolBar* pLoaded, BOOL bSilent) override;
    void UpdateMDIButtons() override;
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    BOOL IsFrameCaptionDrawn() const override;
    int GetCaptionHeight() const override;

    // ---- Overrides of the scrollable part
    void ScrollGroups(BOOL bBack) override;
    CRect GetGroupsRect() const override { return m_rcGroups; }
    CTkRibbonGroup* HitTestGroup(CPoint pt) const override;

    // ---- New operations
    virtual void SetMinimized(BOOL bMinimized);
    virtual int GetTabsHeight() const;
    virtual int GetGroupsHeight() const;
    virtual int CalcGroupsHeight() const;
    virtual BOOL IsAllowQuickAccessControl(CTkControl* pControl);
    // TRUE when the site cancels the change.
    virtual BOOL OnTabChanging(CTkRibbonTab* pTab);
    virtual void OnTabChanged(CTkRibbonTab* pTab);
    // The quick-access menu for the control (one reference, the caller's); NULL when there is none.
    virtual CTkPopupBar* CreateContextMenu(CTkControl* pControl);
    // The popup with the quick-access commands that did not fit (one reference, the caller's).
    virtual CTkPopupBar* CreateMoreQuickAccessPopup();

    // Selects the tab to the right (TRUE) or to the left of the selected one.
    void SelectAdjacentTabOnWheel(BOOL bToRight) override;

    // ---- Quick-access menu (TkRibbonBarQuickAccess.cpp)
    // The quick-access menu for the control under the point of the bar (client coordinates).
    void ShowContextMenuAt(CTkCommandBar* pBar, CPoint pt);
    void ShowContextMenu(CPoint pt, CTkControl* pControl);

    // ---- Caption and frame (TkRibbonBarCaption.cpp)
    // Creates the frame hook for the site frame; TRUE when the ribbon has one afterwards.
    BOOL AttachFrameHook();
    // The caption part under the client point: 0 none, HTCAPTION or HTTOP.
    int HitTestCaption(CPoint pt) const;
    // The context header under the client point; NULL when none.
    CTkRibbonTabContextHeader* HitTestContextHeader(CPoint pt) const;

    DECLARE_MESSAGE_MAP()

protected:
    // ---- Layout steps (TkRibbonBarLayout.cpp)
    // Places the caption strip, the system button, the quick-access row, the tab strip and the groups in
    // a bar of that length and height.
    void RepositionControls(CDC* pDC, int nLength, int nHeight);
    // The quick-access height from the bar's button height and the visible quick-access controls.
    int CalcQuickAccessHeight(CDC* pDC);
    // The frame border when the frame is composed by the desktop window manager; else 0.
    int GetFrameTopOffset() const;
    // The control is one of the quick-access commands or one of its two buttons.
    BOOL IsQuickAccessControl(const CTkControl* pControl) const;
    // The tab under the client point in the tab strip; NULL when none.
    CTkRibbonTab* HitTestTab(CPoint point) const;

    // ---- Keyboard steps (TkRibbonBarKeyboard.cpp)
    // The quick-access commands now visible, in order.
    std::vector<CTkControl*> GetVisibleQuickAccessCommands() const;
    // Selects the tab (NULL: the selected one stays), starts tracking and gives the tab strip the focus.
    void EnterTabStrip(CTkRibbonTab* pTab);

    // The keys and sections of DoPropExchange, loading straight into the ribbon.
    void ExchangeState(CTkPropExchange* pPX);
    // The "SystemButton" section: loading replaces the system button only once the new one is read whole.
    void ExchangeSystemButton(CTkPropExchange* pPX);

    // ---- Caption steps (TkRibbonBarCaption.cpp)
    void RepositionCaptionButtons();
    void RepositionContextHeaders();
    void RemoveContextHeaders();
    // Compares the frame's text with the stored title; a difference asks for a relayout.
    void CheckFrameTitle();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnSysColorChange();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnQuickAccessPosition(UINT nId);
    afx_msg LRESULT OnControlNotify(WPARAM wParam, LPARAM lParam);

    CRect m_rcCaption{0, 0, 0, 0};
    CRect m_rcCaptionText{0, 0, 0, 0};
    CRect m_rcHeader{0, 0, 0, 0};  // the caption free area
    CRect m_rcQuickAccess{0, 0, 0, 0};
    BOOL m_bRibbonBarVisible = TRUE;  // big enough
    BOOL m_bGroupsVisible = TRUE;
    BOOL m_bTabsVisible = TRUE;
    BOOL m_bShowQuickAccessBelow = FALSE;  // "ShowQuickAccessBelow"
    BOOL m_bShowQuickAccess = TRUE;
    BOOL m_bAllowQuickAccessDuplicates = FALSE;
    BOOL m_bAllowQuickAccessCustomization = TRUE;
    BOOL m_bPendingCommandUpdate = FALSE;
    int m_nQuickAccessHeight = 0;
    BOOL m_bAllowMinimize = TRUE;
    CTkRibbonQuickAccessControls* m_pQuickAccessControls;                  // one reference
    CTkRibbonControlTab* m_pControlTab = nullptr;                          // in the controls
    CTkRibbonBarControlQuickAccessPopup* m_pControlQuickAccess = nullptr;  // in the controls
    CControlQuickAccessMorePopup* m_pControlQuickAccessMore = nullptr;     // in the controls
    CTkRibbonControlSystemButton* m_pControlSystemButton = nullptr;        // in the controls
    BOOL m_bTabClickedWhenSelected = FALSE;
    int m_nMinVisibleSize = 250;
    CTkThemedFrameHook* m_pFrameHook = nullptr;                // owned
    std::vector<CTkRibbonTabContextHeader*> m_contextHeaders;  // owned
    int m_nFixedGroupsHeight = 0;
    BOOL m_bMinimized = FALSE;         // "Minimized"
    BOOL m_bShowCaptionAlways = TRUE;  // the caption strip even without a frame hook
    CString m_strCaptionText;          // the frame title last read
    CRect m_rcTabControl{0, 0, 0, 0};  // the tab strip
    CRect m_rcGroups{0, 0, 0, 0};      // the group strip
    BOOL m_bKeyboardActivated = FALSE;

    // ---- Caption and frame (TkRibbonBarCaption.cpp)
public:
    // Removes the caption buttons and deletes the frame hook; OnRemoved and the destructor call it.
    void DetachFrameHook();
    // The desktop window manager's hit code of a caption button (minimise, maximise, close, help), which
    // the ribbon lets through to the frame.
    static BOOL IsDwmCaptionButtonHit(LRESULT nHitTest);

protected:
    // Where the caption's free area starts after the quick-access row in the caption strip.
    int GetQuickAccessCaptionEnd() const;
};

// A caption button (close, restore, maximise, minimise) the ribbon draws in the frame's caption; its id is
// the system command it posts to the frame.
class CTkRibbonBar::CControlCaptionButton : public CTkControlButton {
public:
    CControlCaptionButton(CTkThemedFrameHook* pFrameHook, int nId);

    void Draw(CDC* pDC) override;
    void Execute() override;

protected:
    CTkThemedFrameHook* m_pFrameHook;  // not owned
};

// The record of the tab-change notifications (TCN_SELCHANGING, TCN_SELCHANGE) the ribbon sends through its
// tab control: the tab about to be or just selected.
struct RibbonTabNotifyRecord : ControlNotifyRecord {
    CTkRibbonTab* pTab = nullptr;
};

// The rectangle of the bar meets the caption of a ribbon whose frame is composed on glass.
BOOL IsRectInGlassCaption(CTkCommandBar* pBar, const CRect& rc);

// Registers the ribbon's classes for creation by name and its answers to the command bars and controls.
void RegisterRibbonClasses();
