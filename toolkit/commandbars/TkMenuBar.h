#pragma once
#include "TkControlButton.h"
#include "TkControlPopup.h"
#include "TkToolBar.h"

#include <map>

// CTkMenuBar: the command bar that replaces a frame's native menu. It loads the menu resource into
// controls, takes the menu away from the frame (keeping the handle until the bar goes), answers Alt and
// F10 on the frame, and in MDI frames keeps one control set per document-template menu and shows the
// maximised child's system-menu icon and its minimise, restore and close buttons. Made by the hub's
// CreateMenuBar with BarID 1. UI thread.

class CTkMenuBar;
class CTkMenuBarMDIMenuInfo;

// Menu-bar Flags bits (above the toolbar's).
constexpr DWORD kMenuBarNoMinimize = 0x100;
constexpr DWORD kMenuBarNoRestore = 0x200;
constexpr DWORD kMenuBarIgnoreMDISetMenu = 0x400;
constexpr DWORD kMenuBarNoClose = 0x1000;
constexpr DWORD kMenuBarShowSysMenu = 0x2000;

// Ids of the MDI child controls.
constexpr int kIdMDIClose = 9151;
constexpr int kIdMDIRestore = 9152;
constexpr int kIdMDIMinimize = 9153;
constexpr int kIdMDISysMenu = 9154;

// The per-template control sets of an MDI frame's menu bar, by menu id; each entry holds one reference.
class CTkMenuBarMDIMenus : public CCmdTarget {
public:
    explicit CTkMenuBarMDIMenus(CTkMenuBar* pMenuBar) : m_pMenuBar(pMenuBar) {}
    ~CTkMenuBarMDIMenus() override { RemoveAll(); }

    CTkMenuBarMDIMenuInfo* Lookup(UINT nId) const;
    // Takes over the caller's reference; an entry already there is released.
    void SetAt(UINT nId, CTkMenuBarMDIMenuInfo* pInfo);
    void RemoveKey(UINT nId);
    void RemoveAll();
    const std::map<UINT, CTkMenuBarMDIMenuInfo*>& GetMap() const { return m_map; }

private:
    std::map<UINT, CTkMenuBarMDIMenuInfo*> m_map;
    CTkMenuBar* m_pMenuBar;  // the owner (not referenced)
};

// One template's menu: its controls and the template's names.
class CTkMenuBarMDIMenuInfo : public CCmdTarget {
public:
    // Names from the first document template whose resource id is nId; the icon of the id.
    CTkMenuBarMDIMenuInfo(CTkCommandBars* pCommandBars, UINT nId);
    ~CTkMenuBarMDIMenuInfo() override;

    // Takes over the caller's reference on pControls; the old set is released.
    void SetControls(CTkControls* pControls);

    CTkControls* m_pControls;  // owned (one reference)
    CString m_strDocName;
    CString m_strRegFileTypeName;
    HICON m_hIcon = nullptr;
    UINT m_nId;
    BOOL m_bChanged = FALSE;
};

class CTkMenuBar : public CTkToolBar {
    DECLARE_SERIAL(CTkMenuBar)
public:
    class CControlMDIButton;
    class CControlMDISysMenuPopup;

    CTkMenuBar();
    // Releases the per-template sets, unhooks the frame and destroys the frame's original menu.
    ~CTkMenuBar() override;

    // Loads menu nId into the controls (nothing for 0), hooks the frame (and the MDI client) and takes
    // the frame's menu away. FALSE when the menu resource is missing or cannot be loaded.
    virtual BOOL LoadMenuResource(UINT nId);
    // Makes nId's control set the current one (stored or made from hMenu).
    virtual void SwitchMDIMenu(UINT nId, CMenu* pMenu);
    // Shows or removes the maximised MDI child's system-menu control and window buttons.
    virtual void UpdateMDIButtons();

    UINT GetResourceId() const { return m_nResourceId; }
    UINT GetCurrentMenuId() const { return m_nCurrentMenuId; }
    HMENU GetOriginalMenu() const { return m_hMenuOriginal; }
    CTkMenuBarMDIMenus* GetMDIMenus() const { return m_pMDIMenus; }
    BOOL IsMDIFrame() const { return m_bMDIFrame; }

    // The toolbar reset when there is an original list; otherwise the menu loaded again (asking first
    // when bAsk).
    void ResetToOriginal(BOOL bAsk) override;
    BOOL ShouldSave() override;
    // ---- Saving and loading (TkMenuBarExchange.cpp): the toolbar's keys, then the changed template sets.
    void DoPropExchange(CTkPropExchange* pPX) override;
    void CollectBarsForSave(int& nCounter, CTkCommandBarList* pList, BarsExchangeParam* pParam) override;
    void RestorePopupLinks(CTkCommandBarList* pList) override;
    void Copy(CTkCommandBar* pSource, BOOL bRecursive) override;
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // ---- What a themed frame hook asks of the bar: neutral here, a ribbon that draws the frame's caption
    // answers otherwise.
    virtual BOOL IsFrameCaptionDrawn() const { return FALSE; }
    virtual int GetCaptionHeight() const { return 0; }
    // The wheel over the bar while no popup is tracked: a ribbon selects the tab to the right (TRUE) or to
    // the left; nothing here.
    virtual void SelectAdjacentTabOnWheel(BOOL) {}

    DECLARE_MESSAGE_MAP()

protected:
    // The frame's menu handed over by WM_MDISETMENU.
    void OnMdiSetMenu(HMENU hMenu);
    // Hooks the active MDI child instead of the old one, then the buttons.
    void RefreshMDIState();
    // Switches back to the frame's own menu before saving; TRUE when a per-template set changed.
    BOOL MarkMDIMenusForSave();
    void HookSiteWindows();
    CMDIFrameWnd* GetMDIFrame() const;
    // Replaces the bar's controls by pControls (a reference taken).
    void AttachControls(CTkControls* pControls);
    // Gives the bar's controls an original list imported from the menu.
    void ImportOriginalControls(CMenu* pMenu);

    afx_msg void OnTimer(UINT_PTR nIDEvent);

    BOOL m_bMDIFrame = FALSE;
    HWND m_hWndHookedChild = nullptr;
    HMENU m_hMenuOriginal = nullptr;  // taken from the frame; destroyed with the bar
    UINT m_nResourceId = 0;
    UINT m_nCurrentMenuId = 0;
    CTkMenuBarMDIMenus* m_pMDIMenus;  // owned
    BOOL m_bMenusSwitchedForSave = FALSE;
};

// A window button of the maximised MDI child (minimise "0", restore "2", close "r" in Marlett).
class CTkMenuBar::CControlMDIButton : public CTkControlButton {
public:
    CControlMDIButton();
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // Posts the button's WM_SYSCOMMAND to the active MDI child.
    void Execute() override;
};

// The maximised MDI child's system-menu icon, opening the child's system menu.
class CTkMenuBar::CControlMDISysMenuPopup : public CTkControlPopup {
public:
    CControlMDISysMenuPopup();
    ~CControlMDISysMenuPopup() override;

    // Rebuilds the popup's controls from the child's system menu and takes the child's icon.
    void SetMDISysMenu(CTkCommandBars* pCommandBars, HWND hWndChild, HMENU hSysMenu);
    HMENU GetSysMenu() const { return m_hSysMenu; }
    HWND GetChild() const { return m_hWndChild; }

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void AdjustPopupRect(CRect& rc, BOOL bVertical) override;

private:
    HWND m_hWndChild = nullptr;
    HMENU m_hSysMenu = nullptr;
    HICON m_hIcon = nullptr;  // owned (a scaled copy)
};
