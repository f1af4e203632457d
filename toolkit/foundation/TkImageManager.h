#pragma once
#include "mfc.h"

#include "IconStateImage.h"

// The toolkit's store of command icons. Every toolbar button, menu item or tooltip that shows a picture
// asks an image manager for the icon of a command id at a wanted width and draws one of its state
// images. There is one process-wide manager (GetImageManager); bars and markup may own private ones.
//
//   CTkImageManager          icon sets by command id, and the shared strips by image size
//   CTkImageManagerIconSet   the icons of one command id, by width
//   CTkImageManagerIcon      one icon: its state images (TkImageManagerIcon.h)
//
// Ownership: the manager holds one reference on each set, a set one on each icon; all three are
// reference counted (CCmdTarget). A holder that keeps an icon past RemoveAll takes its own reference,
// and finds its images cleared by the removal. Failures answer FALSE or NULL and leave earlier icons in
// place. UI thread; only the strips lock (TkImageManagerResource.h).
//
// Map order decides ties and the saved order: the set and icon maps are CMaps (127 and 17 buckets),
// visited bucket by bucket (key >> 4 modulo the size) and, inside a bucket, the latest key first.
//
// The two blits at the end use no state of the manager: static, for any code.

class CTkImageManagerIcon;
class CTkImageManagerResource;
class CTkPropExchange;

// Calls fn(key, value) for every entry of a map, in the map's order (fn must not change the map).
template <class KEY, class VALUE, class Fn>
void ForEachInMap(const CMap<KEY, KEY, VALUE, VALUE>& map, Fn fn) {
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        KEY key{};
        VALUE value{};
        map.GetNextAssoc(pos, key, value);
        fn(key, value);
    }
}

// The state images callers store and ask for.
enum ImageState {
    ImageStateNormal = 0,
    ImageStateDisabled = 1,
    ImageStateHot = 2,
    ImageStateChecked = 3,
    ImageStatePressed = 4
};

// All icons of one command id.
class CTkImageManagerIconSet : public CCmdTarget {
public:
    CTkImageManagerIconSet(UINT nId, CTkImageManager* pManager);
    ~CTkImageManagerIconSet() override;

    // The icon of that width. Width 0 asks for the narrowest, 1 for the widest; any other width for
    // that width, else (with bAllowNearest) the nearest; the first visited wins a tie. NULL for none.
    CTkImageManagerIcon* GetIcon(UINT nWidth, BOOL bAllowNearest) const;
    // The icon of that width, made (height 15) when missing.
    CTkImageManagerIcon* GetOrCreateIcon(UINT nWidth);
    // Enters an icon under a width (the set takes over the caller's reference).
    void AddIcon(UINT nWidth, CTkImageManagerIcon* pIcon);
    // Clears every icon's images and releases them all.
    void RemoveAll();
    // Drops every icon's derived images (faded, shadow, generated disabled).
    void RefreshAll();

    UINT GetId() const { return m_nId; }
    CTkImageManager* GetManager() const { return m_pManager; }
    const CMap<UINT, UINT, CTkImageManagerIcon*, CTkImageManagerIcon*>& GetIcons() const { return m_mapIcons; }

private:
    CMap<UINT, UINT, CTkImageManagerIcon*, CTkImageManagerIcon*> m_mapIcons;  // one reference each
    UINT m_nId;
    CTkImageManager* m_pManager;  // owner (not referenced)
};

class CTkImageManager : public CCmdTarget {
public:
    CTkImageManager();
    ~CTkImageManager() override;
    CTkImageManager(const CTkImageManager&) = delete;
    CTkImageManager& operator=(const CTkImageManager&) = delete;

    // ---- Storing icons
    // Stores a copy of the image as the state image of the id's icon of that width (both sizes 0: the
    // image's own size; icons are keyed by width alone). A state other than normal needs an existing
    // set. FALSE for an empty image, a size of 0 x 0, or a first image that is not normal.
    BOOL SetIcon(const IconStateImage& image, UINT nId, int nWidth, int nHeight, ImageState state);
    // One icon per image of the list, to ids[j] (or j without ids; count 0 without ids: all images). A
    // 0 id is a separator that uses no image, unless the list holds exactly count images. Both sizes
    // 0: the size of image 0. FALSE without a list, or at the first image that cannot be taken.
    BOOL SetIconsFromImageList(CImageList* pImageList, const UINT* pIds, int nCount, int cx, int cy, ImageState state);
    // A strip of cx-wide images (both sizes 0: width / count x height; count 0: width / cx). An alpha
    // strip must be a whole number of images wide and keeps its alpha; any other is cut through an
    // image list with the mask colour (-1: the strip's pixel (0, 0)).
    BOOL SetIconsFromBitmap(CBitmap* pBitmap, const UINT* pIds, int nCount, int cx, int cy, ImageState state,
                            BOOL bAlpha);
    // The strip of that bitmap resource of the current resource module (PNG, 32 bpp or other).
    BOOL SetIconsFromBitmapResource(LPCTSTR lpszResource, const UINT* pIds, int nCount, int cx, int cy,
                                    ImageState state);
    BOOL SetIconsFromBitmapResource(UINT nResourceId, const UINT* pIds, int nCount, int cx, int cy, ImageState state);
    // The icon resource of that name in the current resource module: from its group, every entry of
    // exactly cx x cy (every entry for 0 x 0) at its own size; without a group, the RT_ICON of the name.
    BOOL SetIconFromResource(LPCTSTR lpszName, UINT nId, int cx, int cy, ImageState state = ImageStateNormal);

    // ---- Finding icons
    // The id's icon of that width, or the nearest; NULL when the id has none.
    CTkImageManagerIcon* GetIcon(UINT nId, UINT nWidth) const;
    // The id has an icon of exactly that width (width 0 or 1: any icon).
    BOOL HasIcon(UINT nId, UINT nWidth) const;
    CTkImageManagerIconSet* GetIconSet(UINT nId) const;

    // ---- Options and upkeep
    // The transparent colour of non-alpha strips (-1: each strip's pixel (0, 0)); answers the previous.
    COLORREF SetMaskColor(COLORREF clrMask);
    // Drops every derived image, so they are made again from the current colours.
    void RefreshAll();
    // Empties and releases every set, then destroys every strip.
    void RemoveAll();
    // The strip for that image size, made empty when missing.
    CTkImageManagerResource* GetResource(int cx, int cy);
    // Whether icons drawn on that DC are mirrored (the mirroring mode).
    BOOL IsMirrored(CDC* pDC) const;

    // ---- Saving and loading (TkImageManagerPersistence.cpp), through the property exchange: one
    // "IconSet" section per set (its "Id", "CheckSum" and one "Icon" section per icon with "Width" and
    // "Data"). Every id saved or loaded raises m_nHighestId.
    void Serialize(CArchive& ar) override;
    // All icon sets; loading empties the manager first.
    void DoPropExchange(CTkPropExchange* pPX);
    // The icon set of one id; loading empties (or makes) that set first. A stored check text other than
    // "CTkImageManagerIcons" throws CArchiveException (badClass).
    void ExchangeIconSet(UINT nId, CTkPropExchange* pPX);

    // ---- Blits (TkImageManagerBlits.cpp)
    // Copies the source rectangle onto the destination rectangle (stretching when the sizes differ),
    // leaving out every pixel of the key colour.
    static void DrawTransparent(HDC hDestDC, const RECT* pDestRect, HDC hSrcDC, const RECT* pSrcRect, COLORREF key);
    // Blends the premultiplied 32-bpp source rectangle onto the destination rectangle with per-pixel
    // alpha (constant alpha 255), stretching when the sizes differ. AlphaBlend's result, or the own
    // blend's.
    static BOOL DrawAlphaBlended(HDC hDestDC, const RECT* pDestRect, HDC hSrcDC, const RECT* pSrcRect);
    // The fallbacks, public so that the system's result can judge them. The key-colour blit through a
    // monochrome mask (nothing for a NULL DC).
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

    // ---- Data
    BOOL m_bPackImages = TRUE;  // state images stored into this manager's icons go into the strips
    COLORREF m_clrMask = static_cast<COLORREF>(-1);
    UINT m_nHighestId = 0x10AAA;  // raised to every id saved or loaded; never lowered
    int m_nMirrorMode = 2;        // 0 never mirror icons, 1 always, 2 on right-to-left DCs

private:
    CMap<UINT, UINT, CTkImageManagerIconSet*, CTkImageManagerIconSet*> m_mapIconSets;       // one reference each
    CMap<DWORD, DWORD, CTkImageManagerResource*, CTkImageManagerResource*> m_mapResources;  // owned
};

// The process-wide manager, made on first use and destroyed at exit. It keeps a reference on itself,
// so holders add and release references without ever deleting it.
CTkImageManager* GetImageManager();

// Turns a target's left edge and width into the negative-width form that draws the image mirrored
// over the same columns x .. x + cx - 1 (a negative width runs leftwards from its start column).
inline void MirrorDrawTarget(int& x, int& cx) {
    x += cx - 1;
    cx = -cx;
}

// ---- Bitmaps in archives (TkImageManagerPersistence.cpp). A bitmap is a count H and H bytes of header
// (the 40-byte BITMAPINFOHEADER and room for the colour table or masks: 64 bytes at 4 bpp, 1024 at 8,
// 12 otherwise), then a count B and the B bytes of pixels as GetDIBits gives them. H 0 is no bitmap.
// Writes the bitmap, or a single count 0 when it cannot be read.
void WriteDib(CArchive& ar, HBITMAP hBitmap);
// A new DIB section of the next bitmap (its bits in *ppBits when asked), or NULL for no bitmap and for
// one that cannot be rebuilt: a header size outside 40 .. 40 + 1024, a header of an impossible size, no
// pixels. Pixels beyond the header's real size are skipped and missing ones stay 0, so the stream
// always stays aligned; counts beyond the archive's end raise CArchiveException.
HBITMAP ReadDib(CArchive& ar, BYTE** ppBits);
// The bitmap's header (in a buffer of the stored header size) and pixels, both from malloc (the caller
// frees them); FALSE when the bitmap cannot be read.
BOOL ReadBitmapBits(HBITMAP hBitmap, BYTE** ppBits, DWORD* pnBitsSize, BITMAPINFO** ppHeader, DWORD* pnHeaderSize);
