#pragma once
#include "mfc.h"

// The toolkit's image store by command id. This part holds the two blits that every image path ends
// in; they use no state of the manager, so they are static and any code may call them.
//
// Both use the system's functions (TransparentBlt, AlphaBlend, bound by the drawing helpers) where
// the platform has them, and carry their own fallback, public so that the system's result can judge it.
// UI thread.

class CTkImageManager : public CCmdTarget {
public:
    // ---- Blits
    // Copies the source rectangle onto the destination rectangle (stretching when the sizes differ),
    // leaving out every pixel of the key colour.
    static void DrawTransparent(HDC hDestDC, const RECT* pDestRect, HDC hSrcDC, const RECT* pSrcRect, COLORREF key);
    // Blends the premultiplied 32-bpp source rectangle onto the destination rectangle with per-pixel
    // alpha (constant alpha 255), stretching when the sizes differ. AlphaBlend's result, or the own
    // blend's.
    static BOOL DrawAlphaBlended(HDC hDestDC, const RECT* pDestRect, HDC hSrcDC, const RECT* pSrcRect);

    // ---- The fallbacks
    // The key-colour blit through a monochrome mask (nothing for a NULL DC).
    static void DrawTransparentWithMask(HDC hDestDC, const RECT* pDestRect, HDC hSrcDC, const RECT* pSrcRect,
                                        COLORREF key);
    // The blend through three DIB sections. A right-to-left source or destination is read mirrored,
    // and the result is put back unmirrored.
    static BOOL DrawAlphaBlendedOwn(HDC hDestDC, const RECT* pDestRect, HDC hSrcDC, const RECT* pSrcRect);
    // One row set of the own blend: out = src + back x (255 - src alpha) / 255 per colour byte, at most
    // 255 (a source that is not premultiplied saturates rather than wraps); out's alpha is 0. Row pixel
    // i of src (of back) is read at nWidth - 1 - i when bSrcMirrored (bBackMirrored).
    static void MergePremultiplied(const DWORD* pSrc, const DWORD* pBack, DWORD* pOut, int nWidth, int nRows,
                                   BOOL bSrcMirrored, BOOL bBackMirrored);
};
