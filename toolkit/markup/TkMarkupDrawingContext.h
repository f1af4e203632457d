#pragma once
#include "mfc.h"

// CTkMarkupDrawingContext: the GDI device context that markup is measured and drawn with. It keeps the
// viewport origin and the clip box (in the current logical coordinates) up to date while rendering moves
// the origin into each element and narrows the clip, and holds one reference on the font it has selected.
// Made on a caller's DC for drawing, or on a memory DC of its own for measuring. UI thread only.

class CTkMarkupBrush;
class CTkMarkupFont;

// What SaveClipRegion answers when the DC has no clip region.
const HRGN kMarkupNoClipRegion = reinterpret_cast<HRGN>(static_cast<INT_PTR>(-1));

class CTkMarkupDrawingContext {
public:
    // On the caller's DC (not owned).
    explicit CTkMarkupDrawingContext(HDC hDC);
    // On a new memory DC compatible with the screen (owned), for measuring.
    CTkMarkupDrawingContext();
    virtual ~CTkMarkupDrawingContext();
    CTkMarkupDrawingContext(const CTkMarkupDrawingContext&) = delete;
    CTkMarkupDrawingContext& operator=(const CTkMarkupDrawingContext&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

    // ---- Overridables
    // A context that answers TRUE makes every Measure through it run again and widens gradient fills by
    // a pixel on each side. The contexts of this system answer FALSE.
    virtual BOOL IsLayoutForced() const;
    // The text at the rectangle's top-left, neither clipped nor opaque.
    virtual void DrawTextLine(LPCWSTR lpszText, int nCount, const RECT& rc);
    // Selects into the DC; answers the object it displaced.
    virtual HGDIOBJ SelectObject(HGDIOBJ hObject);
    // Sets the viewport origin (device units) and re-reads the clip box.
    virtual void SetViewportOrg(POINT ptOrigin);

    // ---- Fonts and text
    // Selects the font (NULL: the DC's own font back) and holds a reference on it.
    void SetFont(CTkMarkupFont* pFont);
    CTkMarkupFont* GetFont() const { return m_pFont; }  // borrowed
    CSize GetTextExtent(LPCWSTR lpszText, int nCount) const;

    // ---- Filling
    void FillRectangle(CTkMarkupBrush* pBrush, const RECT& rc);
    void FillSolidRect(const RECT& rc, COLORREF clr);
    // Four one-pixel strips along the inside of the rectangle.
    void DrawFrame(CTkMarkupBrush* pBrush, const RECT& rc);

    // ---- Origin and clipping
    // Moves the origin by a logical offset; answers the origin before.
    POINT OffsetViewport(POINT ptOffset);
    void RestoreViewport(POINT ptOrigin) { SetViewportOrg(ptOrigin); }
    // A copy of the clip region, kMarkupNoClipRegion when the DC has none, NULL when the copy failed.
    HRGN SaveClipRegion();
    void IntersectClipRect(const RECT& rc);
    // Puts back what SaveClipRegion answered and deletes the copy; nothing for NULL.
    void RestoreClipRegion(HRGN hSaved);
    const CRect& GetClipBox() const { return m_rcClip; }

private:
    void ReadDeviceState();
    void ReadClipBox();

    HDC m_hDC;
    CTkMarkupFont* m_pFont = nullptr;  // one reference
    HGDIOBJ m_hInitialFont = nullptr;  // what the first font displaced
    CSize m_szWindowExt;
    CSize m_szViewportExt;
    CPoint m_ptViewportOrg;
    CRect m_rcClip;
    BOOL m_bOwnsDC;
};
