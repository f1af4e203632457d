#pragma once
#include "mfc.h"

// Bitmap helpers under all toolkit image code: 32-bpp DIB sections (create, read back, copy,
// premultiply, mirror, cut into equal pieces), icon sizes and icon scaling.
//
// A DIB section made here is 32 bits per pixel, one plane, BI_RGB; a pixel is the bytes blue, green,
// red, alpha. A premultiplied pixel has each colour byte replaced by colour x alpha / 255 (truncating).
// Every function answers NULL or FALSE on failure, frees what it allocated and throws nothing. The
// caller owns (and deletes) every bitmap and buffer it is given.

// The header of a 32-bpp BI_RGB DIB of cx x cy (a negative cy is top-down), for creating DIB sections
// and for asking GetDIBits for pixels in that form.
BITMAPINFO Dib32Header(int cx, int cy);
// A DIB section of cx x cy (a negative cy is top-down, as given); the bits pointer when asked.
HBITMAP CreateDibSection32(HDC hDC, int cx, int cy, void** ppBits = nullptr);

// The bitmap's header and all its rows, read through pDC (the screen for NULL) into two new buffers
// the caller frees with free(): the header buffer has room for 52 bytes (the 40-byte header and three
// masks), the bits hold width x height x 4 bytes (*pnSize). FALSE, nothing allocated, for a bitmap
// that is not 32 bpp or cannot be read.
BOOL ReadDib32Bits(CDC* pDC, HBITMAP hBitmap, BITMAPINFO** ppHeader, BYTE** ppBits, UINT* pnSize);

// A new DIB section with the source's header and pixels; NULL for a source that is not 32 bpp.
HBITMAP CopyDib32(HBITMAP hBitmap, void** ppBits = nullptr);

// A premultiplied copy. With pnAlphaState (the caller starts it at 0 or -1) the alpha channel is
// classified as well: 1 for partial transparency, or an opaque pixel after a fully transparent one in
// memory order (from -1: any non-zero alpha). When the state is still 0 at the end the copy keeps the
// source's colours, since such an image has no alpha to apply.
HBITMAP PremultiplyDib32(HBITMAP hBitmap, int* pnAlphaState = nullptr, void** ppBits = nullptr);

// A new DIB section whose rows are the source's reversed left to right.
HBITMAP MirrorDib32(HBITMAP hBitmap);

// Cuts the bitmap into nPieces side by side, each width / nPieces wide, into phPieces[0..nPieces-1].
// FALSE, nothing made, for nPieces below 1 or a failed read or allocation.
BOOL SplitDib32(HBITMAP hBitmap, int nPieces, HBITMAP* phPieces);

// The icon's size from its mask (a monochrome icon keeps both masks in one bitmap of double height);
// 0 x 0 for NULL or an unreadable icon.
CSize GetIconSize(HICON hIcon);
// A new icon newWidth wide, its height in proportion; a plain copy for an unchanged width; NULL for a
// width of 0 or an empty old size.
HICON ScaleIcon(HICON hIcon, int nOldWidth, int nOldHeight, int nNewWidth);
// The pixel of the bitmap, read through a memory DC over the screen.
COLORREF GetBitmapPixel(CBitmap* pBitmap, int x, int y);
