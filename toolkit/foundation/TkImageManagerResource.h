#pragma once
#include "ToolkitCriticalSection.h"

#include <memory>
#include <vector>

class CTkImageManager;
class CTkImageManagerResource;
class IconStateImage;

// One slot of a strip, owned by the strip.
struct TK_IMAGERESOURCE_INFO {
    BOOL bAlpha = FALSE;  // TRUE: premultiplied 32-bpp pixels; FALSE: colour over black plus the mask
    RECT rc = {};         // the slot in the strip: left = x, top 0, width cx, bottom cy
    CTkImageManagerResource* pResource = nullptr;  // owner (not owned)
};

// The shared strip of one image size of an image manager: a 32-bpp bottom-up DIB section and a 1-bpp
// mask, both one image high, into which images of that size are packed side by side, so a manager
// keeps two GDI bitmaps per size instead of one per state image. A strip grows by one image at a time,
// reuses the slot given back last, and deletes its bitmaps when every slot is free.
//
// Non-alpha slots hold their colour drawn over black with alpha bytes 0, and their mask (1 for
// transparent pixels); alpha slots hold premultiplied pixels. Every operation holds the strip's own
// lock, the only lock of the image manager. Owned by its manager (CTkImageManager::GetResource).
class CTkImageManagerResource {
public:
    CTkImageManagerResource(CTkImageManager* pManager, int cx, int cy);
    ~CTkImageManagerResource();
    CTkImageManagerResource(const CTkImageManagerResource&) = delete;
    CTkImageManagerResource& operator=(const CTkImageManagerResource&) = delete;

    // ---- Images
    // A new slot holding the source's pixels; NULL for an empty source, one of another size, one
    // without an icon or bitmap of its own (a slot), or when GDI fails. An icon is drawn over black with
    // its mask, except that with common controls 6 or later an icon whose colour has any non-zero alpha
    // is stored premultiplied.
    TK_IMAGERESOURCE_INFO* AddImage(const IconStateImage& source);
    // The same with the decision for icons given (bPremultiplyIcons: the common-controls 6 rule).
    TK_IMAGERESOURCE_INFO* AddImage(const IconStateImage& source, BOOL bPremultiplyIcons);
    // Clears dest, then gives it an owned copy of the slot: a premultiplied DIB section for an alpha
    // slot, else an icon of the colour and the mask.
    void ExtractImage(IconStateImage& dest, const TK_IMAGERESOURCE_INFO* pSlot);
    // Gives a slot back (the image that held it is being cleared); the last one deletes both bitmaps.
    void FreeSlot(TK_IMAGERESOURCE_INFO* pSlot);
    // Draws the slot into (x, y, x + cx, y + cy): an alpha slot blended, a non-alpha slot through a
    // 32-bpp alpha buffer when composited, else through its mask (mirrored when the manager says so).
    void DrawImage(CDC* pDC, const TK_IMAGERESOURCE_INFO* pSlot, int x, int y, int cx, int cy, BOOL bComposited);

    // ---- State, for the manager and tests
    CSize GetImageSize() const { return CSize(m_cx, m_cy); }
    int GetTotalWidth() const { return m_nTotalWidth; }
    HBITMAP GetColorBitmap() const { return m_hColor; }
    HBITMAP GetMaskBitmap() const { return m_hMask; }

private:
    // A DC compatible with the screen; selecting a bitmap remembers the one it first replaced, and
    // selecting NULL (or destruction) puts that one back.
    class CBitmapDC {
    public:
        CBitmapDC() : m_hDC(::CreateCompatibleDC(nullptr)) {}
        ~CBitmapDC();
        CBitmapDC(const CBitmapDC&) = delete;
        CBitmapDC& operator=(const CBitmapDC&) = delete;
        void Select(HBITMAP hBitmap);
        operator HDC() const { return m_hDC; }

    private:
        HDC m_hDC;
        HGDIOBJ m_hFirst = nullptr;
    };

    // A free slot, else a new one at the strip's right end (the bitmaps made or widened); NULL when
    // GDI fails.
    TK_IMAGERESOURCE_INFO* AllocSlot();
    // Deletes every slot and both bitmaps.
    void ReleaseAll();
    void DrawComposited(CDC* pDC, const TK_IMAGERESOURCE_INFO* pSlot, int x, int y, int cx, int cy);
    // Draws the icon over black into the slot's colour, and its mask into the slot's mask.
    void DrawIconIntoSlot(HICON hIcon, const TK_IMAGERESOURCE_INFO* pSlot);
    // Copies cy bottom-up rows of cx pixels into the slot.
    void CopyRowsIntoSlot(const DWORD* pRows, const TK_IMAGERESOURCE_INFO* pSlot);
    // Memory row y (bottom first) of the colour bitmap at the slot's left.
    DWORD* SlotRow(const TK_IMAGERESOURCE_INFO* pSlot, int y) const {
        return m_pBits + static_cast<size_t>(y) * m_nTotalWidth + pSlot->rc.left;
    }

    HBITMAP m_hColor = nullptr;  // NULL until the first slot
    HBITMAP m_hMask = nullptr;
    CBitmapDC m_dc;
    DWORD* m_pBits = nullptr;     // m_hColor's pixels
    CTkImageManager* m_pManager;  // owner (not owned): its mirroring mode
    int m_cx;
    int m_cy;
    int m_nTotalWidth = 0;                                       // a multiple of m_cx
    std::vector<std::unique_ptr<TK_IMAGERESOURCE_INFO>> m_used;  // in allocation order
    std::vector<std::unique_ptr<TK_IMAGERESOURCE_INFO>> m_free;  // the last given back last
    ToolkitCriticalSection m_lock;
};
