#pragma once
#include "CmdTarget.h"
#include "DC.h"
#include "Geometry.h"
#include "Menu.h"
#include "String.h"

#include <commctrl.h>

// winuser.h makes GetNextWindow a macro for GetWindow; here it is a member.
#undef GetNextWindow

// CWnd: a window object, the base of every layer, toolkit and application window class.
//
// Life of a window object:
//   Create/CreateEx  PreCreateWindow -> per-call WH_CBT hook -> CreateWindowExW. At the window's first
//                    HCBT_CREATEWND the hook enters the object in the permanent map, subclasses the
//                    window with AfxWndProc (the previous procedure is kept as the super procedure) and
//                    calls PreSubclassWindow, all before WM_NCCREATE and before older hooks run.
//   SubclassWindow   Attach -> PreSubclassWindow -> the procedure becomes AfxWndProc.
//   Attach           enters the permanent map only; messages keep their own procedure.
//   WM_NCDESTROY     OnNcDestroy: default processing, the map entry goes, m_hWnd = NULL, then the
//                    virtual PostNcDestroy (frames and views delete themselves there).
//   ~CWnd            destroys the window only when this object created it; an attached or subclassed
//                    window is detached (its procedure restored) and lives on.
//   OnFinalRelease   the last reference deletes the object and never destroys the window.
//
// Messages: AfxWndProc finds the object in the permanent map and calls AfxCallWndProc, which records
// the message as the thread's current message for the duration, then WindowProc -> OnWndMsg (the
// message map) -> DefWindowProc (the super procedure, else ::DefWindowProcW) for what the map leaves.
// Default() replays the current message to DefWindowProc. Every default call goes through the import
// table by name, so a patched import table sees it.
//
// Threads. Windows are created and destroyed on the UI thread. Any thread may call, on a permanent
// object, the wrappers that are single Win32 calls on m_hWnd and answer plain values: SendMessage,
// PostMessage, SendDlgItemMessage, Set/GetWindowText, Set/GetDlgItemText, Set/GetDlgItemInt,
// CheckDlgButton, ShowWindow, EnableWindow, IsWindowVisible/Enabled, MoveWindow, SetWindowPos,
// Invalidate/InvalidateRect/UpdateWindow/RedrawWindow, SetRedraw, GetStyle/ModifyStyle,
// GetClientRect/GetWindowRect, ClientToScreen/ScreenToClient, GetDlgCtrlID, and FromHandlePermanent;
// they allocate nothing and check no thread (the service threads reach the panes this way).
// UI thread only: creation, destruction, Attach/Detach, subclassing, the dispatch members, and every
// member that answers a wrapper object (CWnd*, CDC*, CMenu*, CFont*: GetParent, GetDlgItem, GetFocus,
// GetDC, GetMenu, ...). Those answer the permanent object when there is one, else a temporary of the
// calling thread, freed at its idle time or exit. The permanent map is process-wide and locked; no
// lock is held while a message is sent.
//
// Calling a wrapper on an object without a window is a programmer error: the wrappers reach m_hWnd
// through CheckedHwnd, which asserts ::IsWindow in debug builds.

class CCmdUI;
class CScrollBar;
struct CCreateContext;
class CDataExchange;
class CFrameWnd;

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    ~CWnd() override;

    // ---- Handle maps
    // The permanent object of hWnd, else a temporary of the calling thread (NULL for NULL).
    static CWnd* FromHandle(HWND hWnd);
    // The object entered for hWnd by Create, Attach or SubclassWindow, or NULL.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Frees the calling thread's temporary objects (windows, DCs, GDI objects, menus, image lists).
    static void DeleteTempMap();
    // Enters the object for hWndNew in the permanent map (no subclassing); FALSE for NULL.
    BOOL Attach(HWND hWndNew);
    // Removes the map entry and answers the handle; the window is left as it is.
    HWND Detach();
    // The handle (the object itself must exist; test a pointer for NULL before calling).
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // ---- Creation and destruction
    // A child window (WS_CHILD is added) of pParentWnd with id nID.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    // FALSE when PreCreateWindow refuses or the window is not made (WM_NCCREATE or WM_CREATE refused
    // it); PostNcDestroy has then run, so an object that deletes itself there is gone.
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                          int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    // Adjusts the creation parameters; the base registers a default Afx class when none is given.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Runs with m_hWnd set, before the window procedure is replaced (and, when created, before
    // WM_NCCREATE).
    virtual void PreSubclassWindow() {}
    // Runs after WM_NCDESTROY has detached the object; deletes nothing in CWnd.
    virtual void PostNcDestroy() {}
    // Makes the window of CreateEx from the prepared cs while the attaching hook is installed;
    // CreateWindowExW here, a WM_MDICREATE for an MDI child.
    virtual HWND CreateWindowFromStruct(CREATESTRUCT& cs);
    // Deletes the object; the window stays.
    void OnFinalRelease() override;

    // ---- Subclassing
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Puts the saved procedure back only while the window's procedure is still AfxWndProc (a procedure
    // installed later on top is left in place), then detaches.
    HWND UnsubclassWindow();
    // Where the procedure that DefWindowProc calls is kept.
    virtual WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }

    // ---- Dispatch
    // OnWndMsg, then DefWindowProc for what it leaves.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message map: WM_COMMAND goes to OnCommand, WM_NOTIFY to OnNotify, WM_CTLCOLOR* to the
    // ON_WM_CTLCOLOR entry, everything else to its own entry. FALSE when nothing handled it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The super procedure (CallWindowProcW/A by the window's kind), else ::DefWindowProcW.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc of the thread's current message.
    LRESULT Default();
    // The thread's current message, its time and cursor position refreshed.
    static const MSG* GetCurrentMessage();
    // Key and mouse messages before dispatch; TRUE swallows the message. The base answers FALSE.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // PreTranslateMessage of the permanent objects from pMsg->hwnd up through its parents; stops at
    // hWndStop or at the first top-level window. TRUE when one of them took the message.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // ---- Commands, notifications, reflection
    // A menu, accelerator or TrackPopupMenu command (lParam 0) is first asked for its state through
    // the update handlers; a command they disable is dropped (answered TRUE, nothing runs). A control's
    // notification is first reflected to the control. Then OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Reflection to the sending control first, then OnCmdMsg(idFrom, MAKELONG(code, WM_NOTIFY)).
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A message from this window's parent about this window; the base reflects it to the own map.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Offers the thread's current message to the permanent object of hWndChild (OnChildNotify).
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    // Looks a reflected message up in this window's map at WM_REFLECT_BASE + message.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Children in Z order, and their children when bDeep. With bOnlyPerm only permanent objects, called
    // directly (no procedure chain); otherwise every window through SendMessageW.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    // A CCmdUI update of every child control with an id, with pTarget's handlers.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    // ---- Type and tool hit test
    virtual BOOL IsFrameWnd() const { return FALSE; }
    // The tool under point for tooltips; the base has none (-1).
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const { return -1; }
    // Paints a control with hbrGray and clrText (COLOR_WINDOWTEXT for -1): sets the DC's background
    // colour to the brush's and its text colour. Refuses (FALSE) edits, message boxes, scroll bars and
    // list boxes other than a drop-down combo's list.
    static BOOL GrayCtlColor(HDC hDC, HWND hWnd, UINT nCtlColor, HBRUSH hbrGray, COLORREF clrText);

    // ---- Relations
    CWnd* GetParent() const { return FromHandle(::GetParent(CheckedHwnd())); }
    CWnd* SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(CheckedHwnd(), HwndOf(pWndNewParent))); }
    // The explicit owner (SetOwner), else the parent.
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = HwndOf(pOwnerWnd); }
    // The first window up the parent chain that is not a child (this window when it is not a child).
    CWnd* GetParentOwner() const;
    // The top of the parent chain, climbing owners from popups.
    CWnd* GetTopLevelParent() const;
    // The first frame window up the parent chain (not this one), or NULL. (FrameWnd.cpp)
    CFrameWnd* GetParentFrame() const;
    // The outermost frame of the parent chain, this window when it is a frame with none above it.
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(CheckedHwnd(), nCmd)); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(CheckedHwnd())); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return FromHandle(::GetWindow(CheckedHwnd(), nFlag)); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(CheckedHwnd(), HwndOf(pWnd)); }
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(CheckedHwnd(), nID)); }
    void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(CheckedHwnd(), nID); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(CheckedHwnd()); }
    int SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLongPtrW(CheckedHwnd(), GWLP_ID, nID)); }
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
        return FromHandle(::GetNextDlgTabItem(CheckedHwnd(), HwndOf(pWndCtl), bPrevious));
    }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }

    // ---- Control-bar layout (WndLayout.cpp)
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
    // Lays the bars (permanent children with ids nIDFirst..nIDLast) along the edges of the client area
    // with WM_SIZEPARENT and gives the child nIDLeftOver what is left. reposQuery moves nothing and
    // answers the rectangle left in *lpRectParam; reposExtra first shrinks it by lpRectParam's sides.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
    // Grows a client rectangle to the window rectangle (adjustBorder leaves out the client edge).
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);

    // ---- Geometry and visibility
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(CheckedHwnd(), lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(CheckedHwnd(), lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(CheckedHwnd(), lpPoint); }
    void ClientToScreen(LPRECT lpRect) const { MapWindowPoints(nullptr, lpRect); }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(CheckedHwnd(), lpPoint); }
    void ScreenToClient(LPRECT lpRect) const {
        ::MapWindowPoints(nullptr, CheckedHwnd(), reinterpret_cast<LPPOINT>(lpRect), 2);
    }
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
        ::MapWindowPoints(CheckedHwnd(), HwndOf(pwndTo), lpPoint, nCount);
    }
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
        ::MapWindowPoints(CheckedHwnd(), HwndOf(pwndTo), reinterpret_cast<LPPOINT>(lpRect), 2);
    }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) {
        ::MoveWindow(CheckedHwnd(), x, y, nWidth, nHeight, bRepaint);
    }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) {
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
    }
    // pWndInsertAfter: a window, or &wndTop, &wndBottom, &wndTopMost, &wndNoTopMost (NULL: no order).
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
        return ::SetWindowPos(CheckedHwnd(), HwndOf(pWndInsertAfter), x, y, cx, cy, nFlags);
    }
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(CheckedHwnd(), nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(CheckedHwnd()); }
    BOOL IsIconic() const { return ::IsIconic(CheckedHwnd()); }
    BOOL IsZoomed() const { return ::IsZoomed(CheckedHwnd()); }
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { return ::GetWindowPlacement(CheckedHwnd(), lpwndpl); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(CheckedHwnd(), lpwndpl); }
    // A child is centred in its parent's client area; another window over pAlternateOwner or its owner
    // when that is visible, else in the work area of its monitor; it is kept inside the work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(CheckedHwnd(), bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(CheckedHwnd()); }

    // ---- Style
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(CheckedHwnd(), GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongW(CheckedHwnd(), GWL_EXSTYLE)); }
    // Removes dwRemove and adds dwAdd; a non-zero nFlags also runs SetWindowPos(NOSIZE | NOMOVE |
    // NOZORDER | NOACTIVATE | nFlags). TRUE when the style changed.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) {
        return ModifyStyle(CheckedHwnd(), dwRemove, dwAdd, nFlags);
    }
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) {
        return ModifyStyleEx(CheckedHwnd(), dwRemove, dwAdd, nFlags);
    }
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    // ---- Repainting
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(CheckedHwnd(), nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(CheckedHwnd(), lpRect, bErase); }
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE) {
        ::InvalidateRgn(CheckedHwnd(), pRgn != nullptr ? static_cast<HRGN>(pRgn->GetSafeHandle()) : nullptr, bErase);
    }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(CheckedHwnd(), lpRect); }
    void UpdateWindow() { ::UpdateWindow(CheckedHwnd()); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return ::RedrawWindow(CheckedHwnd(), lpRectUpdate,
                              prgnUpdate != nullptr ? static_cast<HRGN>(prgnUpdate->GetSafeHandle()) : nullptr, flags);
    }
    // WM_SETREDRAW: safe from worker threads, unlike LockWindowUpdate.
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessageW(CheckedHwnd(), WM_SETREDRAW, bRedraw, 0); }
    BOOL LockWindowUpdate() { return ::LockWindowUpdate(CheckedHwnd()); }
    void UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }

    // ---- Text, font, icon, menu
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowTextW(CheckedHwnd(), lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
        return ::GetWindowTextW(CheckedHwnd(), lpszStringBuf, nMaxCount);
    }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(CheckedHwnd()); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE) {
        ::SendMessageW(CheckedHwnd(), WM_SETFONT,
                       reinterpret_cast<WPARAM>(pFont != nullptr ? pFont->GetSafeHandle() : nullptr), bRedraw);
    }
    CFont* GetFont() const {
        return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageW(CheckedHwnd(), WM_GETFONT, 0, 0)));
    }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) {
        return reinterpret_cast<HICON>(::SendMessageW(CheckedHwnd(), WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                                      reinterpret_cast<LPARAM>(hIcon)));
    }
    HICON GetIcon(BOOL bBigIcon) const {
        return reinterpret_cast<HICON>(::SendMessageW(CheckedHwnd(), WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
    }
    CMenu* GetMenu() const { return CMenu::FromHandle(::GetMenu(CheckedHwnd())); }
    BOOL SetMenu(CMenu* pMenu) { return ::SetMenu(CheckedHwnd(), pMenu != nullptr ? pMenu->m_hMenu : nullptr); }
    void DrawMenuBar() { ::DrawMenuBar(CheckedHwnd()); }
    CMenu* GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(CheckedHwnd(), bRevert)); }

    // ---- Input and messages
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr) {
        return ::SetTimer(CheckedHwnd(), nIDEvent, nElapse, lpfnTimer);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(CheckedHwnd(), nIDEvent); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(CheckedHwnd())); }
    static BOOL ReleaseCapture() { return ::ReleaseCapture(); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(CheckedHwnd())); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(CheckedHwnd()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(CheckedHwnd())); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(CheckedHwnd(), message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(CheckedHwnd(), message, wParam, lParam);
    }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendDlgItemMessageW(CheckedHwnd(), nID, message, wParam, lParam);
    }

    // ---- Dialog items
    void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextW(CheckedHwnd(), nID, lpszString); }
    // At most nMaxCount - 1 characters and the terminator; answers the count copied.
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const {
        return ::GetDlgItemTextW(CheckedHwnd(), nID, lpStr, nMaxCount);
    }
    // The whole text; answers its length.
    int GetDlgItemText(int nID, CString& rString) const;
    // The item's text as a number; a text that is not one gives 0 (and *lpTrans FALSE).
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const {
        return ::GetDlgItemInt(CheckedHwnd(), nID, lpTrans, bSigned);
    }
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) {
        ::SetDlgItemInt(CheckedHwnd(), nID, nValue, bSigned);
    }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(CheckedHwnd(), nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(CheckedHwnd(), nIDButton); }
    // DoDataExchange between the members and the controls; TRUE (no exchange can fail). (DataExchange.cpp)
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange*) {}
    // A message box owned by this window; the caption defaults to the application's name.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // ---- Regions, scroll bars, DCs
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(CheckedHwnd(), hRgn, bRedraw); }
    int GetWindowRgn(HRGN hRgn) const { return ::GetWindowRgn(CheckedHwnd(), hRgn); }
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE) {
        return ::SetScrollInfo(CheckedHwnd(), nBar, lpScrollInfo, bRedraw);
    }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    int GetScrollPos(int nBar) const { return ::GetScrollPos(CheckedHwnd(), nBar); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) {
        return ::SetScrollPos(CheckedHwnd(), nBar, nPos, bRedraw);
    }
    // Temporary DCs of the calling thread; give each back with ReleaseDC.
    CDC* GetDC() { return CDC::FromHandle(::GetDC(CheckedHwnd())); }
    CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(CheckedHwnd())); }
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags) {
        return CDC::FromHandle(::GetDCEx(
            CheckedHwnd(), prgnClip != nullptr ? static_cast<HRGN>(prgnClip->GetSafeHandle()) : nullptr, flags));
    }
    int ReleaseDC(CDC* pDC) { return ::ReleaseDC(CheckedHwnd(), pDC->GetSafeHdc()); }

    // ---- Message handlers. Each default runs Default(); a derived handler calls the base one for the
    // default processing. The signatures are those the ON_WM_* entries expect.
protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
    afx_msg void OnDestroy() { Default(); }
    // Clears the application's main window (and posts the quit) when this is it, runs the default
    // processing, detaches and calls PostNcDestroy.
    afx_msg void OnNcDestroy();
    afx_msg void OnClose() { Default(); }
    afx_msg void OnSize(UINT, int, int) { Default(); }
    afx_msg void OnMove(int, int) { Default(); }
    afx_msg void OnWindowPosChanging(WINDOWPOS*) { Default(); }
    afx_msg void OnWindowPosChanged(WINDOWPOS*) { Default(); }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    afx_msg void OnShowWindow(BOOL, UINT) { Default(); }
    afx_msg void OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
    afx_msg void OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
    afx_msg void OnPaint() { Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
    afx_msg void OnNcPaint() { Default(); }
    afx_msg void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
    // The reflecting handlers: the control named by the message answers first through its own map
    // (ON_WM_CTLCOLOR_REFLECT, ON_WM_DRAWITEM_REFLECT, ...); otherwise the default processing.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnTimer(UINT_PTR) { Default(); }
    // A top-level window forwards these to all its descendants first.
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnMButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnMButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnMButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg BOOL OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
    afx_msg int OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
    afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
    afx_msg void OnCaptureChanged(CWnd*) { Default(); }
    afx_msg void OnContextMenu(CWnd*, CPoint) { Default(); }
    afx_msg void OnCancelMode() { Default(); }
    afx_msg LRESULT OnNcHitTest(CPoint) { return Default(); }
    afx_msg void OnNcMouseMove(UINT, CPoint) { Default(); }
    afx_msg void OnNcLButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnNcLButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnNcLButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnNcRButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnNcRButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnNcMButtonDown(UINT, CPoint) { Default(); }
    afx_msg BOOL OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
    afx_msg void OnSetFocus(CWnd*) { Default(); }
    afx_msg void OnKillFocus(CWnd*) { Default(); }
    afx_msg void OnEnable(BOOL) { Default(); }
    afx_msg void OnActivate(UINT, CWnd*, BOOL) { Default(); }
    afx_msg void OnActivateApp(BOOL, DWORD) { Default(); }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { Default(); }
    afx_msg void OnKeyUp(UINT, UINT, UINT) { Default(); }
    afx_msg void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
    afx_msg void OnSysKeyUp(UINT, UINT, UINT) { Default(); }
    afx_msg void OnChar(UINT, UINT, UINT) { Default(); }
    afx_msg void OnSysChar(UINT, UINT, UINT) { Default(); }
    afx_msg UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }
    afx_msg void OnSysCommand(UINT, LPARAM) { Default(); }
    afx_msg void OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }

    DECLARE_MESSAGE_MAP()

public:
    HWND m_hWnd = nullptr;
    HWND m_hWndOwner = nullptr;  // SetOwner; NULL means the parent
    UINT m_nFlags = 0;           // WF_* bits

protected:
    // The handle for a wrapper's Win32 call. A wrapper called on an object without a window is a
    // programmer error, asserted in debug builds; release builds pass the handle on unchecked.
    HWND CheckedHwnd() const {
        ASSERT(::IsWindow(m_hWnd));
        return m_hWnd;
    }

    WNDPROC m_pfnSuper = nullptr;  // the procedure replaced by AfxWndProc, if any

private:
    explicit CWnd(HWND hWndConstant) : m_hWnd(hWndConstant) {}
    static HWND HwndOf(const CWnd* pWnd) { return pWnd != nullptr ? pWnd->m_hWnd : nullptr; }
    static LRESULT CALLBACK CbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam);
    // TRUE when this object is the one the permanent map holds for m_hWnd. Objects that only borrow
    // a handle (temporaries, skin objects) neither reflect nor forward nor detach.
    BOOL IsPermanentObject() const;
    void HookCreatedWindow(HWND hWnd);
    BOOL DispatchMapMessage(UINT nLookupMessage, AFX_MSGCALL& call, LRESULT* pResult);

    BOOL m_bCreated = FALSE;  // the window was made by Create/CreateEx of this object
};

// A scroll-bar control; only the type of the scroll handlers' argument.
class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
};

// The window procedure of every layer window (the class procedure of Afx classes and the subclass
// procedure of created and subclassed windows). Messages of windows without an object go to
// ::DefWindowProcW.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Dispatches one message to pWnd->WindowProc with the thread's current message set to it (and put back
// afterwards on every path). Exceptions stop here: WM_CREATE then answers -1, WM_PAINT validates the
// window, anything else answers 0; the exception is deleted and traced (TRACE: debug builds only).
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
