#pragma once
#include "mfc.h"

#include "ToolkitCriticalSection.h"

#include <vector>

// CTkSkinObject: the skin's side of one window. A window object that is never created through Create but
// attached to a foreign window, by replacing its window procedure (subclassing) or, for some windows, without
// replacing it (passive attachment). It is never entered in the class library's handle map; its handle is
// set directly.
//
// Messages reach an object twice: first in SkinSubclassWndProc, before the window's own procedure, and again
// when that procedure hands a message to a default procedure (DefWindowProc, DefDlgProc, DefFrameProc,
// DefMDIChildProc or CallWindowProc), which the API hook intercepts. In both places the object offers the
// message to its message map; what the map leaves goes on unchanged. A stack of default-procedure records
// lets a handler's Default() call the procedure the message was on its way to.
//
// Which place handles: for a window whose own procedure is the system's (a system class), the subclass
// procedure; for a window with an application's procedure, the default procedure that procedure calls. So a
// handler runs once per message either way.
//
// Life: the skin manager makes an object when the window is created (its map holds the first reference),
// attaches it at once, and drops it at WM_NCDESTROY. Each dispatch holds one more reference, so an object
// removed inside a handler lives until the handler returns. Messages run on the window's thread; the
// default-procedure stack is guarded by the object's lock.
//
// Opting out: a window that answers the registered message WM_SKINFRAMEWORK_QUERYSTATE with nonzero keeps the
// system's look; it is asked when the object is attached (only windows of the class library's permanent map)
// and again whenever it receives WM_SKINFRAMEWORK_UPDATESTATE.

class CTkSkinManager;
class CTkSkinManagerClass;
class CTkSkinManagerMetrics;

// The registered messages of the opt-out protocol (registered at program start).
extern const UINT WM_SKINFRAMEWORK_UPDATESTATE;
extern const UINT WM_SKINFRAMEWORK_QUERYSTATE;

// One default-procedure call that a handler may be running inside.
struct DEFWINDOW_DESCRIPTIOR {
    int nKind;           // TkSkinDefProcKind
    FARPROC pfnDefault;  // the system function the call was meant for; NULL for the subclass procedure's
    void* pExtra;        // CallWindowProc: the procedure called; DefFrameProc: the MDI client; else NULL
    UINT message;
};

class CTkSkinObject : public CWnd {
    DECLARE_DYNAMIC(CTkSkinObject)
public:
    CTkSkinObject();
    ~CTkSkinObject() override;

    // ---- Attaching
    // Takes the window: unless passive, its procedure becomes SkinSubclassWndProc. bCreating: the window is
    // being created (the creation hook), not an existing one.
    void AttachToWindow(HWND hWnd, LPCREATESTRUCT lpCreateStruct, BOOL bCreating);
    // Gives the window its own procedure back (unless passive). bDestroying: at the window's WM_NCDESTROY.
    void DetachFromWindow(BOOL bDestroying);

    // ---- Default procedures
    // Offers a message to the handlers inside a default-procedure record of nKind: OnHookMessage for the
    // subclass procedure's own record, OnHookDefProc for a hooked default procedure. The system called us:
    // nothing thrown leaves it, and a handler that threw counts as not handling the message.
    BOOL HandleInDefProc(UINT message, int nKind, FARPROC pfnDefault, void* pExtra, WPARAM* pwParam, LPARAM* plParam,
                         LRESULT* pResult);
    void PushDefProc(UINT message, int nKind, FARPROC pfnDefault, void* pExtra);
    void PopDefProc();
    // The message of the innermost default-procedure call, 0 outside any.
    UINT GetTopDefProcMessage();
    // The procedure the current message was on its way to: the window's saved procedure from the subclass
    // procedure, the system's default procedure from a hooked one.
    LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the window's own procedure from inside a handler.
    LRESULT CallOriginalProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    WNDPROC* GetSuperWndProcAddr() override { return &m_pfnSavedWndProc; }

    // ---- The skin
    CTkSkinManagerClass* GetSkinClass();
    CTkSkinManagerMetrics* GetMetrics() const;
    COLORREF GetColor(int nIndex) const;
    // Not opted out, attached, and a skin is in force.
    BOOL IsSkinEnabled() const;

    // ---- Notifications and dispatch, overridden by the frame and the per-class objects
    virtual void OnSkinChanged(BOOL bPrevState, BOOL bNewState);
    virtual void RefreshMetrics() {}
    virtual void OnAttached(LPCREATESTRUCT lpCreateStruct, BOOL bCreating);
    virtual void OnDetached(BOOL bDestroying) {}
    // The message in the subclass procedure; TRUE when handled (*pResult holds the answer).
    virtual BOOL OnHookMessage(UINT message, WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult);
    // The message in a hooked default procedure; TRUE when handled.
    virtual BOOL OnHookDefProc(UINT message, WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult);
    // Whether the subclass procedure leaves the message to the default procedure the window's own
    // procedure will call (windows with an application's procedure).
    virtual BOOL BypassesHandlers(UINT message);
    // Messages the object never handles.
    virtual BOOL IsIgnoredMessage(UINT message);

    // ---- State
    void SetManager(CTkSkinManager* pManager) { m_pManager = pManager; }
    CTkSkinManager* GetManager() const { return m_pManager; }
    void SetPassive(BOOL bPassive) { m_bPassive = bPassive; }
    BOOL IsPassive() const { return m_bPassive; }
    BOOL IsOptedOut() const { return m_bOptedOut; }
    BOOL IsUnicode() const { return m_bUnicode; }
    WNDPROC GetSavedWndProc() const { return m_pfnSavedWndProc; }
    BOOL HasSystemWndProc() const { return m_bSystemWndProc; }
    const CString& GetVisualStyleClass() const { return m_strClassName; }

protected:
    // Asks the window whether it wants to keep the system's look.
    void QueryOptOut();
    // Asks for WM_MOUSELEAVE when the mouse leaves the window, so a hot look is cleared.
    void TrackMouseLeave();

    WNDPROC m_pfnSavedWndProc = nullptr;   // the window's procedure at attachment
    CTkSkinManager* m_pManager = nullptr;  // not owned
    CString m_strClassName;                // the visual-style class the object draws with
    BOOL m_bPassive = FALSE;               // attached without replacing the window procedure
    BOOL m_bSystemWndProc = FALSE;         // the saved procedure is a system window procedure
    BOOL m_bOptedOut = FALSE;
    BOOL m_bUnicode = FALSE;

private:
    ToolkitCriticalSection m_lock;                      // guards the stack
    std::vector<DEFWINDOW_DESCRIPTIOR> m_defProcStack;  // the back is the top
};

// The window procedure of every subclassed window.
LRESULT CALLBACK SkinSubclassWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The DC a skin object paints WM_PAINT with: the DC the sender supplies in wParam (WM_PRINTCLIENT-style
// calls), else BeginPaint's. When BeginPaint fails the DC is empty (GetSafeHdc() NULL) and the window is
// validated, so that painting is skipped and not asked for again.
class CTkSkinObjectPaintDC : public CDC {
public:
    explicit CTkSkinObjectPaintDC(CWnd* pWnd);
    ~CTkSkinObjectPaintDC() override;
    CTkSkinObjectPaintDC(const CTkSkinObjectPaintDC&) = delete;
    CTkSkinObjectPaintDC& operator=(const CTkSkinObjectPaintDC&) = delete;

    // The sender supplied the DC: no BeginPaint, so nothing was erased first.
    BOOL IsSupplied() const { return m_hDC != nullptr && !m_bBeginPaint; }

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
    BOOL m_bBeginPaint = FALSE;
};

// An entry of the skin manager's window-class table: makes skin objects of one class (none when the class
// is NULL). Aliases share an entry, each holding a reference.
class CTkSkinObjectClassInfo : public CCmdTarget {
public:
    explicit CTkSkinObjectClassInfo(CRuntimeClass* pClass) : m_pClass(pClass) {}

    // A new object of the class, or NULL when the entry has none.
    virtual CTkSkinObject* CreateObject(LPCWSTR pszClassName, LPCREATESTRUCT lpCreateStruct);

    CRuntimeClass* GetObjectClass() const { return m_pClass; }
    CTkSkinManager* GetOwner() const { return m_pOwner; }
    void SetOwner(CTkSkinManager* pOwner) { m_pOwner = pOwner; }

private:
    CRuntimeClass* m_pClass;             // may be NULL
    CTkSkinManager* m_pOwner = nullptr;  // the manager whose table entered it first
};

// Saves the thread's current message (what the class library's Default() replays), makes it the message
// being dispatched, and puts the old one back at the end of the scope.
class CTkSkinCurrentMessage {
public:
    CTkSkinCurrentMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    ~CTkSkinCurrentMessage();
    CTkSkinCurrentMessage(const CTkSkinCurrentMessage&) = delete;
    CTkSkinCurrentMessage& operator=(const CTkSkinCurrentMessage&) = delete;

private:
    AFX_THREAD_STATE* m_pState;
    MSG m_previous;
};
