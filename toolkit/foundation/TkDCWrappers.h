#pragma once
#include "mfc.h"

// Scoped device-context wrappers of the toolkit's painters. Each puts back on destruction what it
// changed; none is copied. One scope, one thread.
//
//   CTkFontDC        a font selected for a scope; the first font it replaced comes back
//   CTkPenDC         a pen (the caller's, or its own 1-pixel solid pen of a colour)
//   CTkBrushDC       its own solid brush of a colour
//   CTkBitmapDC      a bitmap selected into an existing DC
//   CTkCompatibleDC  a memory DC compatible with a DC (the screen for NULL) with a bitmap selected
//   CTkBufferDC      an off-screen copy of a destination in its coordinates, copied back at the end
//   CTkBufferDCEx    the same for exactly one rectangle, its origin at the rectangle's top-left

class CTkFontDC {
public:
    explicit CTkFontDC(CDC* pDC, CFont* pFont = nullptr);
    virtual ~CTkFontDC();
    CTkFontDC(const CTkFontDC&) = delete;
    CTkFontDC& operator=(const CTkFontDC&) = delete;

    // Selects pFont; the font replaced first is the one restored.
    void SetFont(CFont* pFont);

private:
    CDC* m_pDC;                    // not owned
    HGDIOBJ m_hOldFont = nullptr;  // NULL until the first replacement
};

class CTkPenDC {
public:
    // Selects the caller's pen.
    CTkPenDC(CDC* pDC, CPen* pPen);
    // Selects its own 1-pixel PS_SOLID pen of crColor.
    CTkPenDC(HDC hDC, COLORREF crColor);
    ~CTkPenDC();
    CTkPenDC(const CTkPenDC&) = delete;
    CTkPenDC& operator=(const CTkPenDC&) = delete;

    // Replaces its own pen by one of crColor.
    void SetColor(COLORREF crColor);

private:
    HDC m_hDC;   // not owned
    CPen m_pen;  // empty while the caller's pen is selected
    HGDIOBJ m_hOldPen = nullptr;
};

class CTkBrushDC {
public:
    CTkBrushDC(HDC hDC, COLORREF crColor);
    CTkBrushDC(const CTkBrushDC&) = delete;
    CTkBrushDC& operator=(const CTkBrushDC&) = delete;

private:
    CBrush m_brush;  // declared first: deleted after the old brush is back
    CScopedSelectObject m_select;
};

class CTkBitmapDC {
public:
    CTkBitmapDC(CDC* pDC, CBitmap* pBitmap) : m_select(pDC->GetSafeHdc(), pBitmap->GetSafeHandle()) {}

private:
    CScopedSelectObject m_select;
};

class CTkCompatibleDC : public CDC {
public:
    CTkCompatibleDC(CDC* pDC, CBitmap* pBitmap);
    CTkCompatibleDC(CDC* pDC, HBITMAP hBitmap);
    ~CTkCompatibleDC() override;

private:
    HGDIOBJ m_hOldBitmap = nullptr;
};

// Drawing goes to a bitmap of rect.right x rect.bottom, so the painter uses the destination's
// coordinates; the destructor copies the rectangle back with SRCCOPY unless CancelCopy was called or
// the bitmap could not be made (a missing bitmap leaves the destination as it was).
class CTkBufferDC : public CDC {
public:
    CTkBufferDC(HDC hDestDC, const RECT& rect);
    // The paint rectangle of dc, the memory DC clipped to it.
    explicit CTkBufferDC(CPaintDC& paintDC);
    ~CTkBufferDC() override;

    void CancelCopy() { m_hDestDC = nullptr; }
    BOOL HasBitmap() const { return m_bitmap.GetSafeHandle() != nullptr; }

private:
    void Init(int nWidth, int nHeight);

    HDC m_hDestDC;  // not owned; NULL: nothing to copy back
    CBitmap m_bitmap;
    CRect m_rect;
    HGDIOBJ m_hOldBitmap = nullptr;
};

// A bitmap of exactly the rectangle, the viewport origin at (-left, -top) so that drawing uses the
// destination's coordinates; copied to (left, top) of the destination at the end.
class CTkBufferDCEx : public CDC {
public:
    CTkBufferDCEx(HDC hDestDC, const RECT& rect);
    ~CTkBufferDCEx() override;

private:
    CRect m_rect;
    HDC m_hDestDC;  // not owned
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
};
