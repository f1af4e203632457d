#pragma once
#include "mfc.h"

class CTkImageManager;
struct TK_IMAGERESOURCE_INFO;

// One state image of an icon (normal, hot, disabled, ...): an icon, a 32-bpp DIB section with
// per-pixel alpha, or a slot of a shared strip of its image manager (TkImageManagerResource.h).
//
// A plain record: the image manager, its strips and the persistence code read and set the fields
// directly. A record owns its handles and its slot only when m_bOwnsHandles is set; Clear (and the
// destructor) then destroys them and gives the slot back. Records that wrap or share handles (buttons
// keep such copies of an icon's images) destroy nothing. UI thread.
//
//   empty   no icon, no bitmap and no slot, or a size of 0 x 0
//   alpha   a bitmap, or a slot holding premultiplied pixels
//   size    the strip's image size for a slot, else the icon's, else the bitmap's, else 0 x 0
class IconStateImage {
public:
    IconStateImage() = default;
    // Shares the source's handles, slot, bits, manager, size and packable flag without owning any.
    IconStateImage(const IconStateImage& source);
    IconStateImage& operator=(const IconStateImage&) = delete;
    ~IconStateImage() { Clear(); }

    // ---- Handles
    // Start over with a handle that stays the caller's; the size is read from it.
    void WrapIcon(HICON hIcon, BOOL bPackable);
    void WrapBitmap(HBITMAP hBitmap);
    // Start over owning the handle; the size is read from it.
    void AttachIcon(HICON hIcon);
    void AttachBitmap(HBITMAP hBitmap);
    // Destroys what the record owns; afterwards it holds no handle, bits or slot. Size and packable
    // flag stay.
    void Clear();
    // Clears, then takes an own copy of source: packed into the manager's strip for its size when
    // the record has a manager whose packing is on and source is packable (an image the strip refuses
    // ends empty), else own copies of its icon or bitmap (a source slot's pixels taken out of the
    // strip). The packable flag and the size come along; the manager pointer never does.
    void CopyFrom(const IconStateImage& source);

    // ---- Questions
    BOOL IsEmpty() const;
    BOOL IsAlpha() const;
    CSize GetSize() const;
    // The bitmap's premultiplied pixels, converting the bitmap on first use (the record then owns the
    // converted copy); NULL without a bitmap or when the conversion fails.
    BYTE* GetPremultipliedBits();

    // ---- Loading (TkImageLoading.cpp)
    // The icon resource of that name at cx x cy. With bSearchGroup and an RT_GROUP_ICON of the name,
    // its entries of exactly that size are tried from the last to the first; otherwise the RT_ICON of
    // the name: a 32-bpp image becomes an alpha bitmap (its mask unused), any other an icon.
    BOOL LoadFromIconResource(HINSTANCE hModule, LPCTSTR lpszName, int cx, int cy, BOOL bSearchGroup);
    // The same in the current resource module.
    BOOL LoadIconFromResourceModule(LPCTSTR lpszName, int cx, int cy, BOOL bSearchGroup);

    // ---- Drawing (IconStateImageDraw.cpp)
    // At (x, y) in cx x cy: a slot through its strip, an icon (mirrored as the manager says; through
    // an alpha buffer when composited) or premultiplied pixels. Nothing for an empty image.
    void Draw(CDC* pDC, int x, int y, int cx, int cy, BOOL bComposited);

    // ---- Data
    HICON m_hIcon = nullptr;
    HBITMAP m_hBitmap = nullptr;               // a 32-bpp DIB section with alpha
    BYTE* m_pPremultipliedBits = nullptr;      // m_hBitmap's bits once they are premultiplied
    BOOL m_bOwnsHandles = FALSE;               // the icon, the bitmap and the slot are this record's
    CTkImageManager* m_pManager = nullptr;     // packs copies into its strips; NULL: never packed (not owned)
    TK_IMAGERESOURCE_INFO* m_pSlot = nullptr;  // the pixels' place in a strip
    int m_cx = 0;
    int m_cy = 0;
    BOOL m_bPackable = TRUE;  // FALSE: kept out of the strips, and a normal image gets no faded or shadow image

private:
    // Start over with hIcon or hBitmap, owned or not.
    void Start(HICON hIcon, HBITMAP hBitmap, BOOL bOwns);
};

// The composed paths of drawing an image. A negative cx draws mirrored: x is then the rightmost
// column and the image runs |cx| columns leftwards, as GDI's own negative widths do.
// An icon through a 32-bpp buffer: drawn over magenta, which becomes fully clear, every other pixel
// opaque; then blended.
void DrawIconComposited(CDC* pDC, int x, int y, int cx, int cy, HICON hIcon);
// The premultiplied bitmap's source rectangle blended into (x, y, cx, cy); a source width or height
// of 0 is the target's.
void DrawDibAlpha(CDC* pDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int xSrc, int ySrc, int cxSrc, int cySrc);
