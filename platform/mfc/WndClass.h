#pragma once
#include "AfxBase.h"

// Window-class registration for layer and toolkit windows. Any thread; registration is serialised.

// Registers lpWndClass in its module; TRUE also when the class is already registered there.
BOOL AfxRegisterClass(WNDCLASS* lpWndClass);

// The name of a class of the executable with these style, cursor, background and icon, registered on
// first request ("Afx:..."; one class per distinct set). The class procedure is AfxWndProc. The name
// stays valid for the life of the process; NULL when registration fails.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);

// The class of windows created without a class name: double clicks, redrawn on resize, arrow cursor.
LPCTSTR AfxDefaultWndClass();
