#pragma once
#include "Object.h"
#include "Geometry.h"

// GDI object wrappers: CGdiObject and its typed forms CPen, CBrush, CFont, CBitmap and CRgn.
//
// An object made by a Create... member or handed over with Attach owns its handle: the destructor
// and DeleteObject delete it (::DeleteObject, called by name every time). FromHandle answers a
// temporary wrapper of the calling thread that only borrows the handle (see TempObjectMap.h); Detach
// hands an owned handle away. A wrapper is used by one thread at a time.

class CDC;

class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;

    // A temporary wrapper of hObject (NULL for NULL).
    static CGdiObject* FromHandle(HGDIOBJ hObject);

    // The handle (the object itself must exist; test a pointer for NULL before calling).
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes ownership of hObject; FALSE for NULL.
    BOOL Attach(HGDIOBJ hObject);
    // Gives up the handle without deleting it.
    HGDIOBJ Detach();
    // Deletes the owned handle; FALSE when there is none or GDI refuses.
    BOOL DeleteObject();

    int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectW(m_hObject, nCount, lpObject); }
    UINT GetObjectType() const { return static_cast<UINT>(::GetObjectType(m_hObject)); }
    BOOL CreateStockObject(int nIndex) { return (m_hObject = ::GetStockObject(nIndex)) != nullptr; }

    HGDIOBJ m_hObject = nullptr;
};

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    // Throws CResourceException when GDI cannot make the pen.
    CPen(int nPenStyle, int nWidth, COLORREF crColor);

    static CPen* FromHandle(HPEN hPen);
    operator HPEN() const { return static_cast<HPEN>(GetSafeHandle()); }

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
        return Attach(::CreatePen(nPenStyle, nWidth, crColor));
    }
    BOOL CreatePenIndirect(LPLOGPEN lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }
    int GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }
};

class CBitmap;

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    // A solid brush; throws CResourceException when GDI cannot make it.
    explicit CBrush(COLORREF crColor);

    static CBrush* FromHandle(HBRUSH hBrush);
    operator HBRUSH() const { return static_cast<HBRUSH>(GetSafeHandle()); }

    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
    // A brush of the bitmap's pattern (the 8x8 checker of drag rectangles and dithered bars).
    BOOL CreatePatternBrush(CBitmap* pBitmap);
    // The system's brush of colour nIndex; GDI ignores deleting it.
    BOOL CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }
    int GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }
};

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    static CFont* FromHandle(HFONT hFont);
    operator HFONT() const { return static_cast<HFONT>(GetSafeHandle()); }

    BOOL CreateFontIndirect(const LOGFONT* lpLogFont) { return Attach(::CreateFontIndirectW(lpLogFont)); }
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename);
    // A font of nPointSize tenths of a point: lfHeight = -(LOGPIXELSY * nPointSize / 720) in device
    // units (integer division), converted to the logical units of pDC (the screen when NULL).
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);
    int GetLogFont(LOGFONT* pLogFont) const { return GetObject(sizeof(LOGFONT), pLogFont); }
};

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    static CBitmap* FromHandle(HBITMAP hBitmap);
    operator HBITMAP() const { return static_cast<HBITMAP>(GetSafeHandle()); }

    // Loads bitmap resource nIDResource from the current resource module; FALSE when it is absent.
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
        return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
    }
    BOOL CreateBitmapIndirect(LPBITMAP lpBitmap) { return Attach(::CreateBitmapIndirect(lpBitmap)); }
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
};

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    static CRgn* FromHandle(HRGN hRgn);
    operator HRGN() const { return static_cast<HRGN>(GetSafeHandle()); }

    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
    BOOL CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
        return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
    }
    BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) {
        return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
    }
    // This region becomes pRgn1 <nCombineMode> pRgn2 (this must already hold a region; pRgn2 may be
    // NULL for RGN_COPY). Answers the region type, ERROR on failure.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    int OffsetRgn(int x, int y) { return ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y); }
    int OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y); }
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    int GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect); }
    void SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2); }
    void SetRectRgn(LPCRECT lpRect) { SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
};
