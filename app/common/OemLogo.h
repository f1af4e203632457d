#pragma once
// The OEM branding bitmap and the logo paint that the About dialog and the start-up window share. The bitmap is
// "<program folder>\OEM\OEM.bmp", loaded once by the application's start-up and freed at its exit; the main pane
// shows it too. UI thread.

#include "mfc.h"

// Loads the bitmap as a DIB section from its file; a missing or unreadable file leaves no bitmap, and that is no
// error. A bitmap loaded before is freed first.
void LoadOemBitmap();
void FreeOemBitmap();
// Null when none was loaded.
HBITMAP OemBitmap();

// The WM_PAINT handler of the About dialog and the start-up window: validates the window and draws DrawOemLogo on
// its client area.
void PaintOemLogo(CWnd* window);
// Draws the logo at the top-left of a client-area DC: a white one-pixel frame (5,5)-(77,48), then the bitmap's top
// left 77 x 48 pixels at (6,6). Nothing at all without a bitmap.
void DrawOemLogo(HDC dc);
