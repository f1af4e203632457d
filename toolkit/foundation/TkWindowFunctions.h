#pragma once
#include "mfc.h"

// Free helpers of toolkit windows: right-to-left layout, window and client rectangles, the active
// top-level window, and the registration of the toolkit's window classes. UI thread.

// ---- Right-to-left layout. GetLayout and SetLayout are looked up in the already loaded GDI32 on first
// use; without them every DC is left to right.
DWORD GetLayoutOfDC(HDC hDC);
void SetLayoutOfDC(HDC hDC, DWORD dwLayout);
// A non-NULL DC with a non-zero layout.
BOOL IsDCRightToLeft(CDC* pDC);
// Nothing for a NULL DC.
void SetDCLayout(CDC* pDC, DWORD dwLayout);
// VK_LEFT and VK_RIGHT change places for a WS_EX_LAYOUTRTL window.
void MirrorArrowKeyForRtl(CWnd* pWnd, UINT* pKey);
// A screen point relative to the window rectangle's top-left (top-right for a WS_EX_LAYOUTRTL window,
// x then counting leftwards).
void ScreenToWindowCoords(CWnd* pWnd, POINT* pPoint);

// ---- Windows and rectangles (an empty rectangle when there is no window)
// TRUE when the foreground window is the last active popup of hWnd's top-level parent or owner.
BOOL IsTopLevelWindowActive(HWND hWnd);
void GetCursorPosInClient(POINT* pPoint, CWnd* pWnd);
CRect MakeEmptyRect();
CRect MakeWindowRectFromHandle(HWND hWnd);
CRect MakeWindowRect(const CWnd* pWnd);
CRect MakeClientRectFromHandle(HWND hWnd);
CRect MakeClientRect(const CWnd* pWnd);
// The window's text; empty when there is no window.
CString GetWindowTextFromHandle(HWND hWnd);

// ---- Window classes
// Registers a class with DefWindowProcW, the arrow cursor, no background and no menu in hInstance (the
// executable's when NULL); TRUE also when the class exists already. The toolkit's classes:
constexpr wchar_t kToolBarClassName[] = L"TkToolBar";    // CS_DBLCLKS
constexpr wchar_t kDockBarClassName[] = L"TkDockBar";    // no class style
constexpr wchar_t kPopupBarClassName[] = L"TkPopupBar";  // CS_DBLCLKS, and CS_SAVEBITS unless the options say no
BOOL RegisterToolkitWindowClass(HINSTANCE hInstance, LPCWSTR lpszClassName, UINT nClassStyle, HICON hIcon);
