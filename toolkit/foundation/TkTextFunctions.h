#pragma once
#include "mfc.h"

// Text helpers of toolkit painters: mnemonic markers, window text that bypasses the window's own
// handlers, and the toolkit's default font face. UI thread.

// Removes single '&' markers: "&File" becomes "File", "a&b" "ab"; an '&' followed by another stays and
// the scan goes on at the second, so "&&" becomes "&" and a run of n ampersands n - 1.
void RemoveMnemonicMarkers(CString& str);
// The same in place on a zero-terminated buffer; NULL and (wchar_t*)-1 come back untouched.
wchar_t* StripMnemonicMarkers(wchar_t* psz);
// The window's text read through DefWindowProcW, so subclassed text handlers are bypassed.
void GetWindowTextDirect(HWND hWnd, CString& str);
// TRUE when a font family of that face (any case) is installed.
BOOL DoesFontFaceExist(LPCWSTR pszFace);
// "Arial"; the DEFAULT_GUI_FONT's face for non-Western character sets (other than "MS Shell Dlg") or
// when Arial is missing; else "Tahoma" when preferred and installed.
void GetDefaultFontFace(CString& strFace, BOOL bPreferTahoma);
