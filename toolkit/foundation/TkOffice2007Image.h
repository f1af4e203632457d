#pragma once
#include "mfc.h"

#include <vector>

// One bitmap of the Office 2007 look, kept as 32-bpp pixels in plain memory (no GDI object), drawn
// part by part into any rectangle with fixed margins (a nine-grid stretch). An image with several
// states keeps them stacked vertically, all of one height (GetSource).
//
// Reference counted; made by its owner set (CTkOffice2007Images), whose work bitmap and lock every
// drawing uses, so the owner must outlive it. Drawing may run on any thread; loading belongs to the
// thread that owns the image.

class CTkOffice2007Images;

class CTkOffice2007Image : public CCmdTarget {
public:
    explicit CTkOffice2007Image(CTkOffice2007Images* pOwner);  // pOwner not owned

    // ---- Loading (the previous pixels go first)
    // The bitmap resource of that name (PNG, 32-bpp with alpha, or any other depth); FALSE without a
    // module or when no pixels came of it.
    BOOL LoadFromResource(HMODULE hModule, LPCTSTR lpszName);
    // Takes the bitmap's pixels and deletes the bitmap. An alpha bitmap must be 32 bpp (its pixels are
    // kept as they are, so they must be premultiplied); any other is drawn onto an opaque copy.
    void SetBitmap(HBITMAP hBitmap, BOOL bAlpha);

    // ---- Geometry
    CSize GetExtent() const { return CSize(m_nWidth, m_nHeight); }
    BOOL IsAlpha() const { return m_bAlpha; }
    // State nState of nStateCount stacked states: (0, n x h, width, n x h + h), h = height / count;
    // empty for an image without pixels or a count below 1.
    CRect GetSource(int nState = 0, int nStateCount = 1) const;
    // Images that must read the other way on right-to-left DCs (arrows) say so; only alpha images
    // are mirrored.
    void SetMirrorOnRightToLeft(BOOL bMirror) { m_bMirrorOnRightToLeft = bMirror; }

    // ---- Drawing. The source is clamped to the image; margins (left, top, right, bottom) stay
    // unscaled while the destination has room for them and shrink in proportion when it has not.
    // Nothing is drawn for an empty destination or source, a source lower than its top and bottom
    // margins, or an image larger than the owner's work bitmap. The DC's stretch mode becomes
    // COLORONCOLOR. Alpha images blend; others are copied.
    void DrawImage(CDC* pDC, const RECT& rcDest, RECT rcSrc, RECT rcMargins);
    // DrawImage without margins.
    void DrawImageStretched(CDC* pDC, const RECT& rcDest, RECT rcSrc);
    // As DrawImage, leaving out the pixels of the key colour of an image without alpha (-1: none).
    void DrawImageKeyed(CDC* pDC, const RECT& rcDest, RECT rcSrc, const RECT& rcMargins, COLORREF clrKey);
    // With option bit 0 (kOpaqueOnAlphaSurface), an image without alpha is blended as fully opaque
    // except for its key-colour pixels, so the drawn area becomes opaque on a surface with alpha;
    // without it, DrawImageKeyed.
    enum { kOpaqueOnAlphaSurface = 1 };
    void DrawImageWithAlpha(CDC* pDC, const RECT& rcDest, RECT rcSrc, const RECT& rcMargins, COLORREF clrKey,
                            DWORD dwOptions);

    // Reverses every row of an alpha image and toggles the mirrored state; nothing for others.
    void MirrorPixels();

    // The destination margins (left, top, right, bottom) of a destination of that size for a source of
    // that size: the source margins while the destination is larger than their sum and the source
    // has a middle band; otherwise shared in proportion, the bottom one made of the parity of the
    // source's (so the two bands may overlap by a row).
    static CRect CalcDestMargins(CSize destSize, CSize srcSize, const CRect& rcMargins);

private:
    // One part of the nine: the work DC's source part onto the destination part (stretched when
    // their sizes differ); nothing for an empty part.
    void BlitPart(HDC hDC, const CRect& rcDest, HDC hWorkDC, const CRect& rcSrc) const;
    // The source within the image; empty when they do not meet.
    CRect ClampSource(const RECT& rcSrc) const;
    // Whether the image has something to draw from that source with those margins.
    BOOL CanDraw(const RECT& rcSrc, const RECT& rcMargins) const;

    std::vector<DWORD> m_pixels;  // m_nWidth x m_nHeight, top row first, 0xAARRGGBB
    BOOL m_bAlpha = FALSE;
    BOOL m_bMirrorOnRightToLeft = FALSE;
    BOOL m_bMirrored = FALSE;  // the rows are stored reversed
    int m_nWidth = 0;
    int m_nHeight = 0;
    CTkOffice2007Images* m_pOwner;  // not owned
};
