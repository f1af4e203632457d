#pragma once
#include "TkIconHandle.h"

#include <shellapi.h>

#include <deque>

// One icon with a tooltip in the taskbar's notification area, for an owner window.
//
// The object is itself a hidden popup window that receives the shell's callback (message 10045): a
// right-click (or its keyboard form) shows the first popup of the tray menu at the pointer with the
// default item marked, a left double-click sends the default command to the owner as WM_COMMAND. The
// owner is offered every callback first (10045 sent to it; a non-zero answer means it handled it). The
// icon can cycle through a list of icons on a timer, and it is put back when the taskbar is made again.
//
// States: removed and hidden (after construction and RemoveIcon; changes are only recorded), shown
// (after a successful add), shown with the add refused (retried when the work area changes). The
// destructor removes the icon and destroys what it holds. UI thread only.

// One frame of the animation: its icon (owned) and its tip (empty: the normal tip).
struct TRAYICONDATA {
    CTkIconHandle hIcon;
    CString strTip;
};

class CTkTrayIcon : public CWnd {
public:
    // The callback message of the shell, also offered to the owner.
    static constexpr UINT kCallbackMessage = 10045;

    CTkTrayIcon();
    ~CTkTrayIcon() override;

    // ---- Creation
    // The short form: tray id 0, default item 0 by command. The second argument is ignored.
    virtual BOOL CreateTrayIcon(LPCWSTR lpszTip, UINT_PTR nUnused, CWnd* pOwner, UINT nIconId);
    // Loads icon nIconId and the tip (at most 127 characters shown), makes the hidden window and adds the
    // icon with id nTrayId; the tray menu is menu resource nTrayId. The default item is a command id, or
    // a position in the menu's first popup when bDefaultByPosition. FALSE without an owner, when the
    // window cannot be made or when the shell refuses the icon.
    virtual BOOL CreateTrayIcon(LPCWSTR lpszTip, CWnd* pOwner, UINT nIconId, UINT nTrayId, UINT nDefaultItem,
                                BOOL bDefaultByPosition);
    // Takes the icon out of the notification area; TRUE when it is not there afterwards.
    BOOL RemoveIcon();

    // ---- Animation
    // Stops the timer and shows the normal tip and icon again.
    virtual void StopAnimation();
    // Shows the next frame every nElapse ms. A tick without frames does nothing.
    virtual void StartAnimation(UINT nElapse);
    virtual void StartAnimation(UINT nTimerId, UINT nElapse);
    // Replaces the frames by the icons nIconIds[0..nCount) with the tips of the same index (pTips may be
    // NULL: every frame shows the normal tip). The first icon that cannot be loaded ends the list there:
    // FALSE, the frames loaded before it stay.
    virtual BOOL SetAnimationIcons(const UINT* pIconIds, int nCount, const CString* pTips);
    virtual BOOL SetAnimationIcons(const UINT* pIconIds, const CString* pTips, int nCount) {
        return SetAnimationIcons(pIconIds, nCount, pTips);
    }
    virtual void FreeAnimationIcons();

    // ---- Icon, tip, taskbar
    // Adds the icon again with the flags of the last add, unless it is removed or hidden.
    virtual void AddAgain();
    // Gives pWnd an invisible owner of this class, which takes its button off the taskbar; FALSE when
    // that owner cannot be made.
    virtual BOOL HideFromTaskbar(CWnd* pWnd);
    // Stores the tip (NULL: empty; cut to 126 characters once created) and shows it.
    virtual BOOL SetTooltipText(LPCWSTR lpszTip);
    // Loads icon resource nIconId at the small-icon size as the normal icon and shows it.
    virtual BOOL SetIcon(UINT nIconId);

    // ---- The shell's callback
    // 0 for another icon or without owner; otherwise 1 (the message was handled).
    virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL AddIcon();
    BOOL ModifyIcon(HICON hIcon);
    BOOL ModifyTip(LPCWSTR lpszTip);
    // The icon resource at the small-icon size from the resource module; NULL when missing.
    static HICON LoadSmallIcon(UINT nIconId);
    // The first popup of menu resource nTrayId; FALSE when the menu or its popup is missing.
    BOOL LoadTrayMenu(CMenu& menu, CMenu*& pPopup) const;
    BOOL CreateHiddenWindow(CWnd& wnd);

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnTaskbarCreated(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    UINT m_nAddFlags = 0;  // uFlags of a repeated add
    UINT m_nIconId = 0;
    UINT m_nTimerId = 1001;
    int m_nFrame = 0;  // the animation frame shown next
    UINT m_nDefaultItem = 0;
    BOOL m_bDefaultByPosition = TRUE;
    BOOL m_bHidden = TRUE;
    BOOL m_bRemoved = TRUE;
    BOOL m_bAddFailed = FALSE;
    HWND m_hWndNotify = nullptr;  // the owner; not owned
    CWnd m_wndTaskbarHider;
    int m_nMaxTipLength = 64;  // characters with the terminator
    CString m_strTip;
    CTkIconHandle m_icon;  // the normal icon
    std::deque<TRAYICONDATA> m_animation;
    NOTIFYICONDATAW m_nid;
};
