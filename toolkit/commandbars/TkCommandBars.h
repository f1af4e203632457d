#pragma once
#include "TkCommandBarsDefs.h"

#include "mfc.h"

// CTkCommandBars: the hub of one frame's command bars. It owns the bars, the dock bars, the options,
// the actions and the customize drag tracker, and is what bars ask for their paint manager, image
// manager, options and keyboard state. Reference counted (the frame holds one reference); not a
// window; UI thread.
//
// This header is the contract that the bars' controls, the paint managers and the ribbon use.

class CTkCommandBar;
class CTkControl;
class CTkControlAction;
class CTkControlActions;
class CTkControlDragTracker;
class CTkImageManager;
class CTkMenuBar;
class CTkMouseManager;
class CTkPaintManager;
class CTkPopupBar;

// The hub's options (one per hub). Sizes of 0 x 0 mean the paint manager's default.
class CTkCommandBarsOptions : public CCmdTarget {
public:
    explicit CTkCommandBarsOptions(CTkCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}

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
    int m_nKeyboardCuesUse = 1;
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
    CTkCommandBars* m_pCommandBars;  // the owner (not referenced)
    int m_nKeyboardCuesShow = 0;
};

class CTkCommandBars : public CCmdTarget {
    DECLARE_DYNCREATE(CTkCommandBars)
public:
    CTkCommandBars();
    ~CTkCommandBars() override;

    // ---- The frame
    void AttachToSite(CWnd* pSite);
    CWnd* GetSite() const { return m_pSite; }  // not owned
    void CreateDockBars();
    // The menu bar docked at the top with the menu resource loaded; NULL on failure.
    CTkMenuBar* CreateMenuBar(LPCWSTR pszTitle, UINT nMenuId);
    virtual CTkMenuBar* GetMenuBar() const;
    // Lays the frame out again (at the next idle update when bDelay).
    virtual void RecalcFrameLayout(BOOL bDelay = FALSE);
    void RecalcAllBars();
    BOOL IsLayoutRTL() const { return m_bRightToLeft; }

    // ---- Bars
    int GetCount() const;
    CTkCommandBar* GetAt(int nIndex) const;
    CTkCommandBar* FindBarById(UINT nBarId) const;
    // Toggles the bar's visibility and marks the options changed.
    void ToggleBarVisible(int nIndex);

    // ---- Painting and images
    // Own, else the current one (made on demand).
    CTkPaintManager* GetPaintManager() const;
    CTkImageManager* GetImageManager() const;
    CTkCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }

    // ---- Actions
    // The action of the id; NULL for a null hub, invalid ids and missing actions.
    CTkControlAction* FindAction(int nId) const;
    // The action of the id, made when missing.
    CTkControlAction* GetOrCreateAction(int nId);
    CTkControlActions* GetActions() const { return m_pActions; }
    // Whether new controls are given actions.
    BOOL IsActionsEnabled() const { return m_bEnableActions; }
    void EnableActions(BOOL bEnable = TRUE) { m_bEnableActions = bEnable; }

    // ---- Tracking and popups
    // Ends the tracking of every bar the thread's mouse manager tracks.
    void ClosePopups() const;
    CTkMouseManager* GetMouseManager() const;
    // Records a command of a shortened menu as used.
    void MarkCommandUsed(int nId);
    void ShowKeyboardCues(BOOL bShow);
    void ShowKeyboardTips(CWnd* pOwner, int nLevel);
    void DestroyKeyboardTips();
    // Shows the popup at the screen point and runs its loop.
    static BOOL TrackPopupBar(CTkPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pOwner, LPCRECT pExclude = nullptr,
                              CWnd* pCommandOwner = nullptr);

    // ---- Customisation
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bMode);
    // Every control may be moved in customisation, whatever its bar allows.
    BOOL IsCustomizeAnyControl() const { return m_bCustomizeAnyControl; }
    CTkControl* GetCustomizeSelection() const { return m_pCustomizeSelection; }
    // The control selected in customisation (reference counted; NULL clears); repaints both and tells the
    // customize dialog or the site.
    void SetCustomizeSelection(CTkControl* pControl);
    // The drag-and-drop loop of customisation; NULL while the hub has none.
    CTkControlDragTracker* GetDragTracker() const { return m_pDragTracker; }

protected:
    CTkControlDragTracker* m_pDragTracker = nullptr;  // owned
    CTkPaintManager* m_pPaintManager = nullptr;       // referenced; NULL = the current one
    CTkImageManager* m_pImageManager = nullptr;       // referenced; NULL = the global one
    CTkControl* m_pCustomizeSelection = nullptr;      // referenced
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bCustomizeAnyControl = FALSE;
    BOOL m_bEnableActions = FALSE;
    CTkCommandBarsOptions* m_pOptions = nullptr;  // owned
    CWnd* m_pSite = nullptr;                      // not owned
    CTkControlActions* m_pActions = nullptr;      // owned
    BOOL m_bRightToLeft = FALSE;
};
