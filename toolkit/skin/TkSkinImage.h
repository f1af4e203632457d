#pragma once
#include "mfc.h"

#include <vector>

// CTkSkinImage: one image of a skin, held as a bitmap ready for drawing, and the drawing of any cell of
// it into any rectangle: stretched or tiled, cut by sizing margins into nine pieces, with a key colour or
// per-pixel alpha, mirrored on right-to-left DCs. CTkSkinImages: the images of one visual-style class by
// name.
//
// The skin source loads an image on first use; the class that asked keeps it until the skin changes.
// Drawing changes the image lazily (colour filters, mirroring, the solid-cell scan), so one image is
// drawn by one painting thread at a time.

class CTkSkinManager;
class CTkSkinManagerResourceFile;

// How an image fills a rectangle larger or smaller than itself.
enum TkSkinSizingType { tkSkinSizingTrueSize = 0, tkSkinSizingStretch = 1, tkSkinSizingTile = 2 };

// A uniform region of the bitmap (top-down rows) and its colour; for an alpha image the top byte is the
// pixel's alpha.
struct SOLIDRECT {
    RECT rc;
    COLORREF clr;
};

class CTkSkinImage {
public:
    // The manager's colour filters and premultiplied-alpha rule apply to the image; none without one.
    explicit CTkSkinImage(CTkSkinManager* pManager = nullptr) : m_pManager(pManager) {}
    virtual ~CTkSkinImage();
    CTkSkinImage(const CTkSkinImage&) = delete;
    CTkSkinImage& operator=(const CTkSkinImage&) = delete;

    // ---- Loading (PNG or BMP); each sets the bitmap, the alpha flag and the size.
    BOOL LoadFromFile(LPCWSTR pszPath);
    // A "PNG" resource of that name, else an RT_BITMAP; FALSE for a NULL module.
    BOOL LoadFromResource(HMODULE hModule, LPCWSTR pszName);

    // ---- Size and kind
    CSize GetExtent() const;
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    BOOL IsAlphaImage() const { return m_bAlpha; }
    // Whether the image follows a right-to-left DC; the schema sets it from the part before each draw.
    void SetMirrorAllowed(BOOL bAllowed) { m_bMirrorAllowed = bAllowed; }

    // ---- Drawing
    // Records, once, the cells of a vertical (or one-cell) image that are one flat colour, and the flat
    // margin pieces of the others, so that drawing them fills instead of blitting.
    void CreateSolidRectArray(int nImageCount, BOOL bHorizontalLayout, const RECT& rcSizingMargins);
    // Draws the source cell (bitmap coordinates) into the destination. The sizing margins hold the widths
    // of the left, top, right and bottom margins; clrTransparent is a key colour or -1; nSizingType a
    // TkSkinSizingType; bBorderOnly leaves the centre piece out.
    void DrawImage(CDC* pDC, const RECT& rcDest, const RECT& rcSrc, const RECT& rcSizingMargins,
                   COLORREF clrTransparent, int nSizingType, BOOL bBorderOnly);

private:
    BOOL SetLoadedBitmap(HBITMAP hBitmap, BOOL bAlpha);
    void ApplyColorFilter(COLORREF clrTransparent);
    const SOLIDRECT* FindSolidRect(const RECT& rcSrc) const;
    // The solid shortcut: TRUE when the source is a recorded flat region and the destination was filled
    // (or left alone for a transparent colour).
    BOOL DrawSolidRect(CDC* pDC, const RECT& rcDest, const RECT& rcSrc, COLORREF clrTransparent);
    // bKeepOrientation: the destination (or what it is copied to) is right to left and the part must not
    // mirror.
    void DrawImageMargins(CDC* pDC, const RECT& rcDest, const RECT& rcSrc, const RECT& rcSizingMargins, int nSizingType,
                          BOOL bBorderOnly, BOOL bKeepOrientation);
    void DrawImagePart(CDC* pDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc, int nTileMode);
    void BlitImagePart(CDC* pDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc) const;
    void Mirror();

    CTkSkinManager* m_pManager;  // not owned
    BOOL m_bMirrorAllowed = TRUE;
    HBITMAP m_hBitmap = nullptr;  // owned
    BOOL m_bAlpha = FALSE;        // a premultiplied 32-bpp bitmap with real per-pixel alpha
    BOOL m_bFiltered = FALSE;     // the colour filters ran (or there were none)
    BOOL m_bMirrored = FALSE;     // the bits are stored flipped left to right (for a part that must not mirror)
    BOOL m_bSolidRectsDone = FALSE;
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<SOLIDRECT> m_solidRects;
};

// The bitmap of a "PNG" resource, else of an RT_BITMAP resource, with whether it carries alpha (32 bits
// per pixel); NULL for a missing resource or one whose header and pixels do not fit in it.
HBITMAP LoadBitmapFromResource(HMODULE hModule, LPCWSTR pszName, BOOL* pAlpha);

// Cell nIndex (0 is the first) of an image of nCount equal cells side by side (bHorizontal) or stacked.
RECT GetSkinImageCell(CSize sizeImage, int nCount, BOOL bHorizontal, int nIndex);

class CTkSkinImages {
public:
    CTkSkinImages() = default;
    ~CTkSkinImages();
    CTkSkinImages(const CTkSkinImages&) = delete;
    CTkSkinImages& operator=(const CTkSkinImages&) = delete;

    // The cached image of that name (names compare with case), else the source's image, cached when it
    // loads; a failure is tried again on the next request. NULL for a NULL source or name.
    CTkSkinImage* GetImage(CTkSkinManagerResourceFile* pResourceFile, LPCWSTR pszImageFile);
    // That image's size; (0, 0) when it cannot be had.
    CSize GetExtent(CTkSkinManagerResourceFile* pResourceFile, LPCWSTR pszImageFile);
    void RemoveAll();

private:
    CMapStringToPtr m_mapImages;  // name -> CTkSkinImage*, owned
};
