#pragma once
#include "Wnd.h"

#include <type_traits>

// The ON_WM_* message-map entries: each unpacks its window message and calls the handler named by
// MFC's convention with MFC's signature (in the comment beside the macro). Handles arrive as objects:
// the permanent object or a temporary of the dispatching thread (CWnd::FromHandle, CDC::FromHandle,
// CMenu::FromHandle).

// The scroll-bar object of hWnd: the permanent one when it is a CScrollBar, else a temporary.
CScrollBar* AfxScrollBarFromHandle(HWND hWnd);

// ---- Thunk helpers

template <class R>
inline LRESULT AfxToResult(R value) {
    if constexpr (std::is_pointer_v<R>)
        return reinterpret_cast<LRESULT>(value);
    else
        return static_cast<LRESULT>(value);
}

// Calls f and keeps its answer (if any) as the message's result.
template <class F>
inline BOOL AfxCallHandler(AFX_MSGCALL& c, F&& f) {
    if constexpr (std::is_void_v<decltype(f())>)
        f();
    else
        c.lResult = AfxToResult(f());
    return TRUE;
}

// clang-format off
#define AFX_WND_THUNK(name, ...) \
    template <auto pmf> \
    BOOL name(CCmdTarget* p, AFX_MSGCALL& c) { \
        [[maybe_unused]] const WPARAM w = c.wParam; \
        [[maybe_unused]] const LPARAM l = c.lParam; \
        auto* t = AfxHandlerTarget<pmf>(p); \
        return AfxCallHandler(c, [&] { return (t->*pmf)(__VA_ARGS__); }); \
    }

#define AFX_HWND_OBJ(v) CWnd::FromHandle(reinterpret_cast<HWND>(v))
#define AFX_HDC_OBJ(v) CDC::FromHandle(reinterpret_cast<HDC>(v))
#define AFX_POINT(v) CPoint(static_cast<LPARAM>(v))

AFX_WND_THUNK(AfxThunk_v)                                                  // f()
AFX_WND_THUNK(AfxThunk_CreateStruct, reinterpret_cast<LPCREATESTRUCT>(l))  // f(LPCREATESTRUCT)
AFX_WND_THUNK(AfxThunk_Size, static_cast<UINT>(w), LOWORD(l), HIWORD(l))   // f(UINT, int, int)
AFX_WND_THUNK(AfxThunk_Move, static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)))          // f(int, int)
AFX_WND_THUNK(AfxThunk_WindowPos, reinterpret_cast<WINDOWPOS*>(l))         // f(WINDOWPOS*)
AFX_WND_THUNK(AfxThunk_MinMaxInfo, reinterpret_cast<MINMAXINFO*>(l))       // f(MINMAXINFO*)
AFX_WND_THUNK(AfxThunk_ShowWindow, static_cast<BOOL>(w), static_cast<UINT>(l))       // f(BOOL, UINT)
AFX_WND_THUNK(AfxThunk_Style, static_cast<int>(w), reinterpret_cast<LPSTYLESTRUCT>(l)) // f(int, LPSTYLESTRUCT)
AFX_WND_THUNK(AfxThunk_DC, AFX_HDC_OBJ(w))                                 // f(CDC*)
AFX_WND_THUNK(AfxThunk_NcCalcSize, static_cast<BOOL>(w), reinterpret_cast<NCCALCSIZE_PARAMS*>(l))
AFX_WND_THUNK(AfxThunk_CtlColor, AFX_HDC_OBJ(w), AFX_HWND_OBJ(l), c.nMessage - WM_CTLCOLORMSGBOX) // f(CDC*, CWnd*, UINT)
AFX_WND_THUNK(AfxThunk_DrawItem, static_cast<int>(w), reinterpret_cast<LPDRAWITEMSTRUCT>(l))
AFX_WND_THUNK(AfxThunk_MeasureItem, static_cast<int>(w), reinterpret_cast<LPMEASUREITEMSTRUCT>(l))
AFX_WND_THUNK(AfxThunk_Timer, static_cast<UINT_PTR>(w))                    // f(UINT_PTR)
AFX_WND_THUNK(AfxThunk_SettingChange, static_cast<UINT>(w), reinterpret_cast<LPCTSTR>(l))  // f(UINT, LPCTSTR)
AFX_WND_THUNK(AfxThunk_Mouse, static_cast<UINT>(w), AFX_POINT(l))          // f(UINT, CPoint)
AFX_WND_THUNK(AfxThunk_MouseWheel, LOWORD(w), static_cast<short>(HIWORD(w)), AFX_POINT(l)) // f(UINT, short, CPoint)
AFX_WND_THUNK(AfxThunk_WndHitMsg, AFX_HWND_OBJ(w), LOWORD(l), HIWORD(l))   // f(CWnd*, UINT, UINT)
AFX_WND_THUNK(AfxThunk_WndL, AFX_HWND_OBJ(l))                              // f(CWnd*) from lParam
AFX_WND_THUNK(AfxThunk_WndW, AFX_HWND_OBJ(w))                              // f(CWnd*) from wParam
AFX_WND_THUNK(AfxThunk_WndPoint, AFX_HWND_OBJ(w), AFX_POINT(l))            // f(CWnd*, CPoint)
AFX_WND_THUNK(AfxThunk_Point, AFX_POINT(l))                                // f(CPoint)
AFX_WND_THUNK(AfxThunk_Bool, static_cast<BOOL>(w))                         // f(BOOL)
AFX_WND_THUNK(AfxThunk_Activate, LOWORD(w), AFX_HWND_OBJ(l), static_cast<BOOL>(HIWORD(w))) // f(UINT, CWnd*, BOOL)
AFX_WND_THUNK(AfxThunk_ActivateApp, static_cast<BOOL>(w), static_cast<DWORD>(l)) // f(BOOL, DWORD)
AFX_WND_THUNK(AfxThunk_Key, static_cast<UINT>(w), LOWORD(l), HIWORD(l))    // f(UINT, UINT, UINT)
AFX_WND_THUNK(AfxThunk_Scroll, LOWORD(w), HIWORD(w), AfxScrollBarFromHandle(reinterpret_cast<HWND>(l))) // f(UINT, UINT, CScrollBar*)
AFX_WND_THUNK(AfxThunk_SysCommand, static_cast<UINT>(w), l)                // f(UINT, LPARAM)
AFX_WND_THUNK(AfxThunk_InitMenuPopup, CMenu::FromHandle(reinterpret_cast<HMENU>(w)), LOWORD(l), static_cast<BOOL>(HIWORD(l)))
AFX_WND_THUNK(AfxThunk_ScrollReflect, LOWORD(w), HIWORD(w))                // f(UINT, UINT)
AFX_WND_THUNK(AfxThunk_DrawItemReflect, reinterpret_cast<LPDRAWITEMSTRUCT>(l))
AFX_WND_THUNK(AfxThunk_MeasureItemReflect, reinterpret_cast<LPMEASUREITEMSTRUCT>(l))

// A reflected WM_CTLCOLOR* is handled only when the control answers a brush.
template <auto pmf>
BOOL AfxThunk_CtlColorReflect(CCmdTarget* p, AFX_MSGCALL& c) {    // HBRUSH f(CDC*, UINT)
    HBRUSH hBrush = (AfxHandlerTarget<pmf>(p)->*pmf)(AFX_HDC_OBJ(c.wParam), c.nMessage - WM_CTLCOLORMSGBOX);
    c.lResult = reinterpret_cast<LRESULT>(hBrush);
    return hBrush != nullptr;
}

#undef AFX_WND_THUNK
#undef AFX_HWND_OBJ
#undef AFX_HDC_OBJ
#undef AFX_POINT

#define AFX_ON_WM(message, thunk, memberFxn) {message, 0, 0, 0, nullptr, &thunk<&ThisClass::memberFxn>},

// Lifetime
#define ON_WM_CREATE() AFX_ON_WM(WM_CREATE, AfxThunk_CreateStruct, OnCreate)          // int OnCreate(LPCREATESTRUCT)
#define ON_WM_NCCREATE() AFX_ON_WM(WM_NCCREATE, AfxThunk_CreateStruct, OnNcCreate)    // BOOL OnNcCreate(LPCREATESTRUCT)
#define ON_WM_DESTROY() AFX_ON_WM(WM_DESTROY, AfxThunk_v, OnDestroy)                  // void OnDestroy()
#define ON_WM_NCDESTROY() AFX_ON_WM(WM_NCDESTROY, AfxThunk_v, OnNcDestroy)            // void OnNcDestroy()
#define ON_WM_CLOSE() AFX_ON_WM(WM_CLOSE, AfxThunk_v, OnClose)                        // void OnClose()

// Layout
#define ON_WM_SIZE() AFX_ON_WM(WM_SIZE, AfxThunk_Size, OnSize)                        // void OnSize(UINT, int, int)
#define ON_WM_MOVE() AFX_ON_WM(WM_MOVE, AfxThunk_Move, OnMove)                        // void OnMove(int, int)
#define ON_WM_WINDOWPOSCHANGING() AFX_ON_WM(WM_WINDOWPOSCHANGING, AfxThunk_WindowPos, OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() AFX_ON_WM(WM_WINDOWPOSCHANGED, AfxThunk_WindowPos, OnWindowPosChanged)
#define ON_WM_GETMINMAXINFO() AFX_ON_WM(WM_GETMINMAXINFO, AfxThunk_MinMaxInfo, OnGetMinMaxInfo)
#define ON_WM_SHOWWINDOW() AFX_ON_WM(WM_SHOWWINDOW, AfxThunk_ShowWindow, OnShowWindow) // void OnShowWindow(BOOL, UINT)
#define ON_WM_STYLECHANGING() AFX_ON_WM(WM_STYLECHANGING, AfxThunk_Style, OnStyleChanging)
#define ON_WM_STYLECHANGED() AFX_ON_WM(WM_STYLECHANGED, AfxThunk_Style, OnStyleChanged) // void f(int, LPSTYLESTRUCT)

// Painting
#define ON_WM_PAINT() AFX_ON_WM(WM_PAINT, AfxThunk_v, OnPaint)                        // void OnPaint()
#define ON_WM_ERASEBKGND() AFX_ON_WM(WM_ERASEBKGND, AfxThunk_DC, OnEraseBkgnd)        // BOOL OnEraseBkgnd(CDC*)
#define ON_WM_NCPAINT() AFX_ON_WM(WM_NCPAINT, AfxThunk_v, OnNcPaint)                  // void OnNcPaint()
#define ON_WM_NCCALCSIZE() AFX_ON_WM(WM_NCCALCSIZE, AfxThunk_NcCalcSize, OnNcCalcSize) // void f(BOOL, NCCALCSIZE_PARAMS*)
// Every WM_CTLCOLOR* message; nCtlColor is the CTLCOLOR_* code.
#define ON_WM_CTLCOLOR() AFX_ON_WM(WM_CTLCOLOR, AfxThunk_CtlColor, OnCtlColor)        // HBRUSH f(CDC*, CWnd*, UINT)
#define ON_WM_DRAWITEM() AFX_ON_WM(WM_DRAWITEM, AfxThunk_DrawItem, OnDrawItem)        // void f(int, LPDRAWITEMSTRUCT)
#define ON_WM_MEASUREITEM() AFX_ON_WM(WM_MEASUREITEM, AfxThunk_MeasureItem, OnMeasureItem) // void f(int, LPMEASUREITEMSTRUCT)

// Settings and time
#define ON_WM_TIMER() AFX_ON_WM(WM_TIMER, AfxThunk_Timer, OnTimer)                    // void OnTimer(UINT_PTR)
#define ON_WM_SYSCOLORCHANGE() AFX_ON_WM(WM_SYSCOLORCHANGE, AfxThunk_v, OnSysColorChange)
#define ON_WM_SETTINGCHANGE() AFX_ON_WM(WM_SETTINGCHANGE, AfxThunk_SettingChange, OnSettingChange) // void f(UINT, LPCTSTR)

// Mouse: void f(UINT nFlags, CPoint point) unless noted
#define ON_WM_MOUSEMOVE() AFX_ON_WM(WM_MOUSEMOVE, AfxThunk_Mouse, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_ON_WM(WM_LBUTTONDOWN, AfxThunk_Mouse, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_WM(WM_LBUTTONUP, AfxThunk_Mouse, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_WM(WM_LBUTTONDBLCLK, AfxThunk_Mouse, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_WM(WM_RBUTTONDOWN, AfxThunk_Mouse, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_WM(WM_RBUTTONUP, AfxThunk_Mouse, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_ON_WM(WM_RBUTTONDBLCLK, AfxThunk_Mouse, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_ON_WM(WM_MBUTTONDOWN, AfxThunk_Mouse, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_ON_WM(WM_MBUTTONUP, AfxThunk_Mouse, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_ON_WM(WM_MBUTTONDBLCLK, AfxThunk_Mouse, OnMButtonDblClk)
#define ON_WM_MOUSEWHEEL() AFX_ON_WM(WM_MOUSEWHEEL, AfxThunk_MouseWheel, OnMouseWheel) // BOOL f(UINT, short, CPoint)
#define ON_WM_MOUSEACTIVATE() AFX_ON_WM(WM_MOUSEACTIVATE, AfxThunk_WndHitMsg, OnMouseActivate) // int f(CWnd*, UINT, UINT)
#define ON_WM_SETCURSOR() AFX_ON_WM(WM_SETCURSOR, AfxThunk_WndHitMsg, OnSetCursor)    // BOOL f(CWnd*, UINT, UINT)
#define ON_WM_CAPTURECHANGED() AFX_ON_WM(WM_CAPTURECHANGED, AfxThunk_WndL, OnCaptureChanged) // void f(CWnd*)
#define ON_WM_CONTEXTMENU() AFX_ON_WM(WM_CONTEXTMENU, AfxThunk_WndPoint, OnContextMenu) // void f(CWnd*, CPoint)
#define ON_WM_CANCELMODE() AFX_ON_WM(WM_CANCELMODE, AfxThunk_v, OnCancelMode)          // void OnCancelMode()

// Non-client: void f(UINT nHitTest, CPoint point) unless noted
#define ON_WM_NCHITTEST() AFX_ON_WM(WM_NCHITTEST, AfxThunk_Point, OnNcHitTest)        // LRESULT f(CPoint)
#define ON_WM_NCMOUSEMOVE() AFX_ON_WM(WM_NCMOUSEMOVE, AfxThunk_Mouse, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_ON_WM(WM_NCLBUTTONDOWN, AfxThunk_Mouse, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_ON_WM(WM_NCLBUTTONUP, AfxThunk_Mouse, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_WM(WM_NCLBUTTONDBLCLK, AfxThunk_Mouse, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_ON_WM(WM_NCRBUTTONDOWN, AfxThunk_Mouse, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_ON_WM(WM_NCRBUTTONUP, AfxThunk_Mouse, OnNcRButtonUp)
#define ON_WM_NCMBUTTONDOWN() AFX_ON_WM(WM_NCMBUTTONDOWN, AfxThunk_Mouse, OnNcMButtonDown)
#define ON_WM_NCACTIVATE() AFX_ON_WM(WM_NCACTIVATE, AfxThunk_Bool, OnNcActivate)      // BOOL f(BOOL)

// Focus and activation
#define ON_WM_SETFOCUS() AFX_ON_WM(WM_SETFOCUS, AfxThunk_WndW, OnSetFocus)            // void f(CWnd* pOldWnd)
#define ON_WM_KILLFOCUS() AFX_ON_WM(WM_KILLFOCUS, AfxThunk_WndW, OnKillFocus)         // void f(CWnd* pNewWnd)
#define ON_WM_ENABLE() AFX_ON_WM(WM_ENABLE, AfxThunk_Bool, OnEnable)                  // void f(BOOL)
#define ON_WM_ACTIVATE() AFX_ON_WM(WM_ACTIVATE, AfxThunk_Activate, OnActivate)        // void f(UINT, CWnd*, BOOL)
#define ON_WM_ACTIVATEAPP() AFX_ON_WM(WM_ACTIVATEAPP, AfxThunk_ActivateApp, OnActivateApp) // void f(BOOL, DWORD)

// Keys and commands: void f(UINT nChar, UINT nRepCnt, UINT nFlags) for the key messages
#define ON_WM_KEYDOWN() AFX_ON_WM(WM_KEYDOWN, AfxThunk_Key, OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_WM(WM_KEYUP, AfxThunk_Key, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_ON_WM(WM_SYSKEYDOWN, AfxThunk_Key, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_ON_WM(WM_SYSKEYUP, AfxThunk_Key, OnSysKeyUp)
#define ON_WM_CHAR() AFX_ON_WM(WM_CHAR, AfxThunk_Key, OnChar)
#define ON_WM_SYSCHAR() AFX_ON_WM(WM_SYSCHAR, AfxThunk_Key, OnSysChar)
#define ON_WM_GETDLGCODE() AFX_ON_WM(WM_GETDLGCODE, AfxThunk_v, OnGetDlgCode)         // UINT OnGetDlgCode()
#define ON_WM_HSCROLL() AFX_ON_WM(WM_HSCROLL, AfxThunk_Scroll, OnHScroll)             // void f(UINT, UINT, CScrollBar*)
#define ON_WM_VSCROLL() AFX_ON_WM(WM_VSCROLL, AfxThunk_Scroll, OnVScroll)             // void f(UINT, UINT, CScrollBar*)
#define ON_WM_SYSCOMMAND() AFX_ON_WM(WM_SYSCOMMAND, AfxThunk_SysCommand, OnSysCommand) // void f(UINT, LPARAM)
#define ON_WM_INITMENUPOPUP() AFX_ON_WM(WM_INITMENUPOPUP, AfxThunk_InitMenuPopup, OnInitMenuPopup) // void f(CMenu*, UINT, BOOL)

// Reflected to the control the message is about (handled in the control's own class)
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_CTLCOLOR, AfxThunk_CtlColorReflect, CtlColor)          // HBRUSH CtlColor(CDC*, UINT)
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_DRAWITEM, AfxThunk_DrawItemReflect, DrawItem)          // void DrawItem(LPDRAWITEMSTRUCT)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_MEASUREITEM, AfxThunk_MeasureItemReflect, MeasureItem) // void MeasureItem(LPMEASUREITEMSTRUCT)
#define ON_WM_HSCROLL_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_HSCROLL, AfxThunk_ScrollReflect, HScroll)              // void HScroll(UINT, UINT)
#define ON_WM_VSCROLL_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_VSCROLL, AfxThunk_ScrollReflect, VScroll)              // void VScroll(UINT, UINT)
// clang-format on
