#pragma once
#include "mfc.h"

// Holds one bitmap handle (not owned) for two questions about it: the colour of its top-left pixel,
// and an icon made from it with that colour transparent.
class CTkBitmapHandle {
public:
    explicit CTkBitmapHandle(HBITMAP hBitmap) : m_hBitmap(hBitmap) {}

    // Pixel (0, 0); -1 when the handle is not a GDI bitmap.
    COLORREF GetBitmapCornerColor() const;
    // A new icon of the bitmap's size, its corner colour as the mask colour (the caller destroys it);
    // NULL without a bitmap or for a zero size.
    HICON CreateIconFromBitmap() const;

private:
    HBITMAP m_hBitmap;  // not owned
};
