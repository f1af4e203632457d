#include "DC.h"
#include "Exception.h"
#include "ScopedResources.h"
#include "ThreadState.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

// ---- The DC

CDC::~CDC() {
    DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC) {
    CDC* pDC = AfxGetThreadState()->m_tempObjects.FromHandle<CDC, &CDC::m_hDC>(hDC);
    if (pDC != nullptr)
        pDC->m_hAttribDC = hDC;
    return pDC;
}

BOOL CDC::Attach(HDC hDC) {
    if (hDC == nullptr)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    return TRUE;
}

HDC CDC::Detach() {
    HDC hDC = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    return Attach(::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SelectObject(CRgn* pRgn) {
    return ::SelectClipRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()));
}

// ---- Filled shapes and frames

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    const CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, clr);
}

namespace {

// The frame between a rectangle and the rectangle deflated by size, as a region (empty for a NULL or
// empty rectangle or a size of 0 x 0).
void MakeFrameRegion(CRgn& rgn, LPCRECT lpRect, SIZE size) {
    rgn.CreateRectRgn(0, 0, 0, 0);
    if (lpRect == nullptr || ::IsRectEmpty(lpRect) || (size.cx <= 0 && size.cy <= 0))
        return;
    CRect rcInner = *lpRect;
    rcInner.DeflateRect(size.cx, size.cy);
    CRgn outer;
    CRgn inner;
    outer.CreateRectRgnIndirect(lpRect);
    inner.CreateRectRgnIndirect(rcInner.IsRectEmpty() ? CRect(0, 0, 0, 0) : rcInner);
    rgn.CombineRgn(&outer, &inner, RGN_DIFF);
}

// Inverts the region's pixels through the brush.
void InvertRegion(CDC* pDC, CRgn& rgn, HBRUSH hBrush) {
    CRect rcBox;
    if (rgn.GetRgnBox(rcBox) == NULLREGION)
        return;
    CScopedSaveDC save(pDC->GetSafeHdc());
    // Clip regions are in device units.
    CPoint ptOrigin(0, 0);
    pDC->LPtoDP(&ptOrigin);
    rgn.OffsetRgn(ptOrigin.x, ptOrigin.y);
    pDC->SelectClipRgn(&rgn, RGN_AND);
    rgn.OffsetRgn(-ptOrigin.x, -ptOrigin.y);
    ::SelectObject(pDC->GetSafeHdc(), hBrush);
    pDC->PatBlt(rcBox.left, rcBox.top, rcBox.Width(), rcBox.Height(), PATINVERT);
}

// The 8 x 8 checker of drag frames.
HBRUSH CreateHalftoneBrush() {
    static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, kPattern);
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    ::DeleteObject(hBitmap);
    return hBrush;
}

}  // namespace

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast) {
    CBrush halftone;
    halftone.Attach(CreateHalftoneBrush());
    const HBRUSH hBrush = pBrush != nullptr ? static_cast<HBRUSH>(pBrush->GetSafeHandle())
                                            : static_cast<HBRUSH>(halftone.GetSafeHandle());
    const HBRUSH hBrushLast = pBrushLast != nullptr ? static_cast<HBRUSH>(pBrushLast->GetSafeHandle()) : hBrush;
    CRgn rgnNew;
    CRgn rgnLast;
    MakeFrameRegion(rgnNew, lpRect, size);
    MakeFrameRegion(rgnLast, lpRectLast, sizeLast);
    if (hBrush == hBrushLast) {
        // Pixels in both frames would be inverted twice: only the difference changes.
        CRgn rgnChange;
        rgnChange.CreateRectRgn(0, 0, 0, 0);
        rgnChange.CombineRgn(&rgnNew, &rgnLast, RGN_XOR);
        InvertRegion(this, rgnChange, hBrush);
        return;
    }
    InvertRegion(this, rgnLast, hBrushLast);
    InvertRegion(this, rgnNew, hBrush);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    const int right = x + cx;
    const int bottom = y + cy;
    // Top row and left column stop one short of the far edges: those corners belong to the
    // bottom-right colour, which is drawn last so the background colour ends as clrBottomRight.
    FillSolidRect(CRect(x, y, right - 1, y + 1), clrTopLeft);
    FillSolidRect(CRect(x, y, x + 1, bottom - 1), clrTopLeft);
    FillSolidRect(CRect(right - 1, y, right, bottom), clrBottomRight);
    FillSolidRect(CRect(x, bottom - 1, right, bottom), clrBottomRight);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

// ---- Lines and text

CPoint CDC::MoveTo(int x, int y) {
    CPoint point;
    ::MoveToEx(m_hDC, x, y, &point);
    return point;
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
    CSize size;
    ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &size);
    return size;
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush) {
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush) {
    return DrawState(pt, size, static_cast<HBITMAP>(pBitmap->GetSafeHandle()), nFlags,
                     pBrush != nullptr ? static_cast<HBRUSH>(pBrush->GetSafeHandle()) : nullptr);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush) {
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush) {
    return DrawState(pt, size, hIcon, nFlags,
                     pBrush != nullptr ? static_cast<HBRUSH>(pBrush->GetSafeHandle()) : nullptr);
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush) {
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(lpszText), static_cast<WPARAM>(nTextLen), pt.x,
                        pt.y, size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    CBrush* pBrush) {
    return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen,
                     pBrush != nullptr ? static_cast<HBRUSH>(pBrush->GetSafeHandle()) : nullptr);
}

// ---- Clipping and coordinates

int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
    return ::ExtSelectClipRgn(m_hDC, pRgn != nullptr ? static_cast<HRGN>(pRgn->GetSafeHandle()) : nullptr, nMode);
}

CPoint CDC::SetViewportOrg(int x, int y) {
    CPoint point;
    ::SetViewportOrgEx(m_hDC, x, y, &point);
    return point;
}

CPoint CDC::GetViewportOrg() const {
    CPoint point;
    ::GetViewportOrgEx(m_hDC, &point);
    return point;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
    CPoint point;
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &point);
    return point;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    CPoint point;
    ::SetWindowOrgEx(m_hDC, x, y, &point);
    return point;
}

CPoint CDC::GetWindowOrg() const {
    CPoint point;
    ::GetWindowOrgEx(m_hDC, &point);
    return point;
}

CPoint CDC::SetBrushOrg(int x, int y) {
    CPoint point;
    ::SetBrushOrgEx(m_hDC, x, y, &point);
    return point;
}

// ---- Scoped DCs

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr) {
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC() {
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr) {
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC() {
    ::ReleaseDC(m_hWnd, Detach());
}
