#pragma once
#include "TkCommandBarsDefs.h"

#include "mfc.h"

#include <vector>

// CTkCommandBars: the hub of one frame's command bars. It owns the bars, the options, the actions, the
// shortcut manager, the tooltip context and the customize drag tracker; it sees every frame message
// first (OnFrameMessage) and every frame key before accelerator translation (PreTranslateFrameMessage);
// and it is what bars ask for their paint manager, image manager, options and keyboard state.
// Reference counted (the frame holds one reference); not a window; UI thread.
//
// Bars of each kind are made through a class pointer of the kind (toolbar, menu bar, popup bar, popup
// toolbar, dock bar), which defaults to the kind's own class; a program may replace it, and a kind whose
// pointer it clears is not made (its creation answers NULL).
//
// This header is also the contract that the bars' controls, the paint managers and the ribbon use.

class CTkCommandBar;
class CTkCommandBarKeyboardTip;
class CTkCommandBarList;
class CTkCommandBarsContextMenus;
class CTkControl;
class CTkControlAction;
class CTkControlActions;
class CTkControlDragTracker;
class CTkDockBar;
class CTkImageManager;
class CTkMenuBar;
class CTkMouseManager;
class CTkPaintManager;
class CTkPopupBar;
class CTkPropExchange;
class CTkShortcutManager;
class CTkToolBar;
class CTkToolTipContext;

// The edit of a command-bar edit or combo box that has the keyboard focus (it answers
// InPlaceEditQueryMessage), or NULL: its keys are its own, not mnemonics or shortcuts.
CWnd* GetFocusedBarEdit();

// The refresh of the site's MDI tab client, which lays its tabs out again with the frame, run after the
// hub re-lays out all its bars. The tab manager registers it; without one there is nothing to refresh.
using TabClientRefresh = void (*)(CWnd* pSite);
void RegisterTabClientRefresh(TabClientRefresh pfnRefresh);

// KeyboardCuesUse bits.
enum KeyboardCuesUse {
    kCuesUseAllBars = 0x1,        // mnemonics reach the bars after the menu bar (and the first bar without one)
    kCuesUseMnemonicsOff = 0x2,   // the value 2 itself: no Alt+key mnemonics at all
    kCuesUseNoFirstLetter = 0x4,  // a caption without '&' has no mnemonic
};

// KeyboardCuesShow.
enum KeyboardCuesShow {
    kCuesShowAlways = 0,
    kCuesShowNever = 1,
    kCuesShowSystem = 2,  // as the system's keyboard-cue setting says
};

// The hub's options (one per hub). Sizes of 0 x 0 mean the paint manager's default.
class CTkCommandBarsOptions : public CCmdTarget {
public:
    explicit CTkCommandBarsOptions(CTkCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}

    // Stores the option; kCuesShowSystem reads SPI_GETKEYBOARDCUES, and cues the system keeps hidden stay
    // hidden until Alt is pressed.
    void SetKeyboardCuesShow(int nValue);

    // Saving and loading the options (TkCommandBarsOptionsExchange.cpp). Saving writes the current schema;
    // loading reads "Schema" first, and the keys it has follow from it. bUserOptionsOnly ends the exchange
    // after the popup animation. Serialize exchanges every option through the archive.
    void DoPropExchange(CTkPropExchange* pPX, BOOL bUserOptionsOnly);
    void Serialize(CArchive& ar) override;

    BOOL m_bAlwaysShowFullMenus = TRUE;
    BOOL m_bShowFullAfterDelay = TRUE;  // an open popup expands after the expand delay
    BOOL m_bToolBarScreenTips = TRUE;
    BOOL m_bToolBarAccelTips = FALSE;
    BOOL m_bLargeIcons = FALSE;
    BOOL m_bSyncFloatingBars = TRUE;
    BOOL m_bShowExpandButtonAlways = TRUE;
    BOOL m_bDblClickFloat = FALSE;
    BOOL m_bShowTextBelowIcons = FALSE;
    BOOL m_bAltDragCustomization = TRUE;
    BOOL m_bAutoHideUnusedPopups = TRUE;
    BOOL m_bDirty = FALSE;  // bar visibility or hidden/used commands changed
    BOOL m_bShowPopupBarToolTips = FALSE;
    int m_nAnimationType = 0;
    BOOL m_bAutoUpdateShortcuts = TRUE;
    int m_nKeyboardCuesUse = kCuesUseAllBars;  // KeyboardCuesUse
    BOOL m_bShowStatusDescriptions = TRUE;
    CSize m_szIcons{0, 0};
    CSize m_szLargeIcons{0, 0};
    CSize m_szPopupIcons{0, 0};
    BOOL m_bNumpadMnemonics = FALSE;
    BOOL m_bPopupSaveBits = TRUE;
    BOOL m_bDisableCommandIfNoHandler = TRUE;
    int m_nPopupPlacement = 0;
    CMap<UINT, UINT, BOOL, BOOL> m_mapHiddenCommands{10};
    CMap<UINT, UINT, BOOL, BOOL> m_mapUsedCommands{10};
    BOOL m_bKeyboardTips = FALSE;
    CTkCommandBars* m_pCommandBars;             // the owner (not referenced)
    int m_nKeyboardCuesShow = kCuesShowAlways;  // KeyboardCuesShow
};

class CTkCommandBars : public CCmdTarget {
    DECLARE_DYNCREATE(CTkCommandBars)
public:
    CTkCommandBars();
    ~CTkCommandBars() override;

    // ---- The classes the bars of each kind are made of (process-wide; a program may replace them)
    static CRuntimeClass* m_pToolBarClass;
    static CRuntimeClass* m_pMenuBarClass;
    static CRuntimeClass* m_pPopupBarClass;
    static CRuntimeClass* m_pPopupToolBarClass;
    static CRuntimeClass* m_pDockBarClass;

    // ---- The frame
    // Stores the site; customisation is allowed when the site routes command 35001.
    void AttachToSite(CWnd* pSite);
    CWnd* GetSite() const { return m_pSite; }  // not owned
    void CreateDockBars();
    // The menu bar docked at the top with the menu resource loaded; NULL on failure.
    CTkMenuBar* CreateMenuBar(LPCWSTR pszTitle, UINT nMenuId);
    virtual CTkMenuBar* GetMenuBar() const;
    // Lays the frame out again (at the next idle update when bDelay); nothing while the layout lock is
    // set.
    virtual void RecalcFrameLayout(BOOL bDelay = FALSE);
    // Runs a delayed frame layout now.
    void FlushDelayedFrameLayout();
    void RecalcAllBars();
    void RedrawVisibleBars();
    BOOL IsLayoutRTL() const { return m_bRightToLeft; }
    // The menu resource of the active MDI child's template, the frame's for other frames' menu bar; 0
    // for frames that are not MDI frames.
    virtual UINT GetActiveMenuId();

    // ---- Dock bars and toolbars (TkCommandBarsDocking.cpp)
    // 0 top, 1 bottom, 2 left, 3 right; NULL for other positions and before CreateDockBars.
    CTkDockBar* GetDockBar(int nPosition) const;
    // A new toolbar of the toolbar class (or the site's), docked at the top or floating when torn off; NULL
    // when it cannot be placed.
    CTkToolBar* AddToolBar(LPCWSTR pszTitle, UINT nId, BOOL bTearOff = FALSE);
    virtual void OnToolBarAdded(CTkToolBar* pBar);
    // Makes the bar's window a child of the dock bar and inserts it at the screen rectangle (NULL: a new
    // last row). FALSE without a dock bar or window.
    BOOL DockCommandBar(CTkToolBar* pBar, LPCRECT pRect, CTkDockBar* pDockBar);
    // Into dock bar 0..3; FALSE for other indexes.
    BOOL DockCommandBarAt(CTkToolBar* pBar, int nIndex);
    // Makes the bar's window a popup and takes it out of its dock bar.
    BOOL FloatCommandBar(CTkToolBar* pBar);
    // The dock bar whose window rectangle grown by 20 pixels holds the screen point, pPrefer first; NULL
    // when none.
    CTkDockBar* FindDockBarNearPoint(int x, int y, CTkDockBar* pPrefer) const;

    // ---- Frame messages
    // The first look at every frame message; TRUE stops the frame's own handling (with *pResult).
    BOOL OnFrameMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Keys of the frame before accelerator translation: Alt and the cues, Alt+key mnemonics, the
    // tracking bars, then the shortcuts. TRUE swallows the message.
    BOOL PreTranslateFrameMessage(MSG* pMsg);

    // ---- Bars
    int GetCount() const;
    CTkCommandBar* GetAt(int nIndex) const;
    // 0 never matches.
    CTkCommandBar* FindBarById(UINT nBarId) const;
    // -1 when absent.
    int IndexOf(const CTkCommandBar* pBar) const;
    // The next visible bar from nStart in steps of nStep (+1 or -1), wrapping once; nStart itself when the
    // walk comes round to it; -1 for none.
    int FindNextVisibleBar(int nStart, int nStep) const;
    // Toggles the bar's visibility and marks the options changed.
    void ToggleBarVisible(int nIndex);
    // Takes the bar out of the list (ending its tracking and destroying its window) and releases it.
    void RemoveToolBar(CTkCommandBar* pBar);
    void RemoveAllBars();

    // ---- Painting and images
    // Own, else the current one (made on demand).
    CTkPaintManager* GetPaintManager() const;
    CTkImageManager* GetImageManager() const;
    CTkCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
    CTkShortcutManager* GetShortcutManager() const { return m_pShortcutManager; }
    CTkToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }

    // ---- Actions and commands
    // The action of the id; NULL for a null hub, invalid ids and missing actions.
    CTkControlAction* FindAction(int nId) const;
    // The action of the id, made when missing.
    CTkControlAction* GetOrCreateAction(int nId);
    CTkControlActions* GetActions() const { return m_pActions; }
    // Whether new controls are given actions.
    BOOL IsActionsEnabled() const { return m_bEnableActions; }
    void EnableActions(BOOL bEnable = TRUE) { m_bEnableActions = bEnable; }
    // Listed as hidden in short menus and not used since.
    virtual BOOL IsCommandHidden(UINT nId) const;
    // IsCommandHidden of the control's id; with AutoHideUnusedPopups also a popup whose controls are all
    // hidden.
    virtual BOOL IsControlHidden(CTkControl* pControl) const;
    // Records a command of a shortened menu as used.
    void MarkCommandUsed(int nId);
    // The help id of the control highlighted last (0 none); F1 asks for its help.
    void SetHighlightedHelpId(int nHelpId) { m_nHighlightedHelpId = nHelpId; }
    int GetHighlightedHelpId() const { return m_nHighlightedHelpId; }

    // ---- Tracking, keyboard and popups
    // Ends the tracking of every bar the thread's mouse manager tracks (also on a NULL hub).
    void ClosePopups() const;
    CTkMouseManager* GetMouseManager() const;
    // A bar started or ended tracking: cues and tips follow.
    virtual void OnTrackingModeChanged(CTkCommandBar* pBar, int nMode);
    // Keyboard entry into a bar (nDirection 0) or into the next (+1) or previous (-1) visible one.
    BOOL ActivateBar(CTkCommandBar* pBar, int nDirection);
    // Alt+key: the control of the mnemonic is selected, and activated when no other shares it.
    BOOL ActivateByMnemonic(UINT nKey);
    // The control whose mnemonic the key types, searched from after the bar's selection; *pbAmbiguous
    // when another one shares it.
    CTkControl* FindControlByMnemonic(CTkCommandBar* pBar, UINT nKey, BOOL* pbAmbiguous);
    BOOL IsKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }
    void ShowKeyboardCues(BOOL bShow);
    // Only with the keyboard-tips option: the owner's tips of the level, made unique and shown.
    void ShowKeyboardTips(CWnd* pOwner, int nLevel);
    void DestroyKeyboardTips();
    // A tip window joins the shown tips (the hub owns it).
    void AddKeyboardTip(CTkCommandBarKeyboardTip* pTip) { m_keyboardTips.push_back(pTip); }
    const std::vector<CTkCommandBarKeyboardTip*>& GetKeyboardTips() const { return m_keyboardTips; }
    CWnd* GetKeyboardTipOwner() const { return m_pTipOwner; }
    int GetKeyboardTipLevel() const { return m_nTipLevel; }
    // A key typed while the owner's tips are shown: it narrows the tips or chooses one (or beeps).
    void OnKeyboardTipKey(UINT nKey);
    // ---- Context menus and the built-in menus (TkCommandBarsContextMenus.cpp)
    // The application's context menus (owned).
    CTkCommandBarsContextMenus* GetContextMenus() const { return m_pContextMenus; }
    // The toolbars list at the screen point, after the site had its say (ContextMenuBuiltMessage, with the
    // bar right-clicked or NULL for a dock bar's empty space); nothing when it is empty or in customisation.
    virtual void ShowContextMenu(CTkCommandBar* pBar, int x, int y);
    // A new popup (one reference, the caller's) listing the closeable toolbars, and the customize command.
    virtual CTkPopupBar* CreateToolbarsContextMenu();
    // Copies of what the layout wrapped away in the toolbars of the bar's dock row.
    virtual void AddHiddenControlsToPopup(CTkCommandBar* pBar, CTkPopupBar* pPopup);
    // One entry per toolbar of the bar's dock row (or the bar alone), and the customize command.
    virtual void AddCustomizeMenusToPopup(CTkCommandBar* pBar, CTkPopupBar* pPopup);
    void AddToolbarButtonsMenu(CTkToolBar* pToolBar, CTkPopupBar* pPopup);
    // Shows the popup at the screen point and runs its loop. nFlags: 0x1 on top of the open popups (they
    // stay open, locked), 0x2 the right button acts as the left, 0x8 to the left (added for right-to-left
    // owners), 0x80 no command update, 0x100 answer the chosen id (0 for none) instead of sending it;
    // otherwise 1 once the popup closed. 0 when it cannot open.
    static BOOL TrackPopupBar(CTkPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pOwner, LPCRECT pExclude = nullptr,
                              CWnd* pCommandOwner = nullptr);

    // ---- Customisation
    BOOL IsCustomizationAllowed() const { return m_bCustomizationAllowed; }
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bMode);
    // Every control may be moved in customisation, whatever its bar allows.
    BOOL IsCustomizeAnyControl() const { return m_bCustomizeAnyControl; }
    CTkControl* GetCustomizeSelection() const { return m_pCustomizeSelection; }
    // The control selected in customisation (reference counted; NULL clears); repaints both and tells the
    // customize dialog or the site.
    void SetCustomizeSelection(CTkControl* pControl);
    // The drag-and-drop loop of customisation (owned), with the bars that take drops.
    CTkControlDragTracker* GetDragTracker() const { return m_pDragTracker; }

    // ---- Saving and loading the bars (TkCommandBarsPersistence.cpp). A save collects the bars, then writes
    // the list; a load reads a list, then restores it into the live bars. The exchange's parameter is the
    // caller's BarsExchangeParam.
    // The bars to save: every toolbar (with bSaveOnlyCustomized, built-in ones only when they changed), the
    // popups they reach, and the context menus; popups get BarIDs from 0x1000000 where they have none.
    void CollectBarsForSave(CTkCommandBarList* pList, BarsExchangeParam* pParam);
    // FALSE when the archive failed.
    BOOL SaveCommandBarList(CTkPropExchange* pPX, CTkCommandBarList* pList);
    // FALSE when the archive failed or held a bar of a class that is not a command bar; the bars read
    // before stay in the list.
    BOOL LoadCommandBarList(CTkPropExchange* pPX, CTkCommandBarList* pList);
    // Loaded toolbars merge into the live ones of their BarID or join the hub; loaded context menus give
    // their controls to the live ones or join them. bSilent never asks the user.
    void RestoreLoadedBars(CTkCommandBarList* pList, BOOL bSilent);

    // ---- Print preview: bars hide while previewing and the shortcuts rest.
    void SetPreviewMode(BOOL bPreview);
    BOOL IsPreviewMode() const { return m_bPreviewMode; }

protected:
    // Destroys the dock bars' windows and deletes them.
    void DestroyDockBars();
    // The visible bar with id 1 of the menu-bar kinds (menu bar, ribbon); NULL when none.
    CTkCommandBar* FindVisibleMenuBar() const;
    // The controls the mnemonic search walks, in keyboard order, from after the bar's selection.
    std::vector<CTkControl*> GetMnemonicCandidates(CTkCommandBar* pBar) const;

    CCmdTarget* m_pAttachedObject = nullptr;  // referenced; released at destruction
    BOOL m_bShiftBlocksMnemonics = FALSE;
    std::vector<CTkCommandBarKeyboardTip*> m_keyboardTips;  // owned
    CWnd* m_pTipOwner = nullptr;                            // not owned
    int m_nTipLevel = 0;
    int m_nTypedPrefix = 0;
    CTkControlDragTracker* m_pDragTracker = nullptr;  // owned
    CTkPaintManager* m_pPaintManager = nullptr;       // referenced; NULL = the current one
    CTkImageManager* m_pImageManager = nullptr;       // referenced; NULL = the global one
    CTkControl* m_pCustomizeSelection = nullptr;      // referenced
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bCustomizationAllowed = FALSE;
    UINT m_nFrameMenuId = 0;
    BOOL m_bCustomizeAnyControl = FALSE;
    BOOL m_bEnableActions = FALSE;
    BOOL m_bCustomizeDialog = FALSE;
    CTkCommandBarsOptions* m_pOptions = nullptr;         // owned
    std::vector<CTkCommandBar*> m_bars;                  // one reference each
    CWnd* m_pSite = nullptr;                             // not owned
    CTkToolTipContext* m_pToolTipContext = nullptr;      // referenced
    mutable CTkMouseManager* m_pMouseManager = nullptr;  // the first asking thread's; not owned
    BOOL m_bKeyboardCuesVisible = TRUE;
    CTkShortcutManager* m_pShortcutManager = nullptr;  // owned
    int m_nHighlightedHelpId = 0;
    CTkControlActions* m_pActions = nullptr;  // owned
    BOOL m_bLayoutLock = FALSE;
    BOOL m_bCuesHiddenUntilAlt = FALSE;
    // A mnemonic took the key under Alt: the default window procedure never saw it, so it would make
    // the Alt release a menu key that closes what the mnemonic opened. That release is swallowed.
    BOOL m_bSwallowAltRelease = FALSE;
    BOOL m_bRightToLeft = FALSE;
    BOOL m_bPreviewMode = FALSE;
    CTkDockBar* m_pDockBars[4] = {};                        // owned: top, bottom, left, right
    CTkCommandBarsContextMenus* m_pContextMenus = nullptr;  // owned

    friend class CTkCommandBarsOptions;
};
