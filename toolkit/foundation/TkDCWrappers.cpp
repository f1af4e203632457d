#include "TkDCWrappers.h"

#include <algorithm>

// ---- CTkFontDC

CTkFontDC::CTkFontDC(CDC* pDC, CFont* pFont) : m_pDC(pDC) {
    if (pFont != nullptr)
        SetFont(pFont);
}

CTkFontDC::~CTkFontDC() {
    if (m_hOldFont != nullptr)
        ::SelectObject(m_pDC->GetSafeHdc(), m_hOldFont);
}

void CTkFontDC::SetFont(CFont* pFont) {
    HGDIOBJ hReplaced = ::SelectObject(m_pDC->GetSafeHdc(), pFont->GetSafeHandle());
    if (m_hOldFont == nullptr)
        m_hOldFont = hReplaced;
}

// ---- CTkPenDC

CTkPenDC::CTkPenDC(CDC* pDC, CPen* pPen) : m_hDC(pDC->GetSafeHdc()) {
    m_hOldPen = ::SelectObject(m_hDC, pPen->GetSafeHandle());
}

CTkPenDC::CTkPenDC(HDC hDC, COLORREF crColor) : m_hDC(hDC) {
    m_pen.CreatePen(PS_SOLID, 1, crColor);
    m_hOldPen = ::SelectObject(m_hDC, m_pen.GetSafeHandle());
}

CTkPenDC::~CTkPenDC() {
    if (m_hOldPen != nullptr)
        ::SelectObject(m_hDC, m_hOldPen);
}

void CTkPenDC::SetColor(COLORREF crColor) {
    if (m_hOldPen != nullptr)
        ::SelectObject(m_hDC, m_hOldPen);
    m_pen.DeleteObject();
    m_pen.CreatePen(PS_SOLID, 1, crColor);
    ::SelectObject(m_hDC, m_pen.GetSafeHandle());
}

// ---- CTkBrushDC

CTkBrushDC::CTkBrushDC(HDC hDC, COLORREF crColor) : m_brush(crColor), m_select(hDC, m_brush.GetSafeHandle()) {}

// ---- CTkCompatibleDC

CTkCompatibleDC::CTkCompatibleDC(CDC* pDC, CBitmap* pBitmap)
    : CTkCompatibleDC(pDC, pBitmap != nullptr ? static_cast<HBITMAP>(pBitmap->GetSafeHandle()) : nullptr) {}

CTkCompatibleDC::CTkCompatibleDC(CDC* pDC, HBITMAP hBitmap) {
    if (CreateCompatibleDC(pDC) && hBitmap != nullptr)
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

CTkCompatibleDC::~CTkCompatibleDC() {
    if (m_hOldBitmap != nullptr)
        ::SelectObject(m_hDC, m_hOldBitmap);
}

// ---- CTkBufferDC

CTkBufferDC::CTkBufferDC(HDC hDestDC, const RECT& rect) : m_hDestDC(hDestDC), m_rect(rect) {
    Init(rect.right, rect.bottom);
}

CTkBufferDC::CTkBufferDC(CPaintDC& paintDC) : m_hDestDC(paintDC.GetSafeHdc()), m_rect(paintDC.m_ps.rcPaint) {
    Init(std::max<int>(m_rect.right, 1), std::max<int>(m_rect.bottom, 1));
    if (m_hDC != nullptr)
        IntersectClipRect(&m_rect);
}

void CTkBufferDC::Init(int nWidth, int nHeight) {
    if (!Attach(::CreateCompatibleDC(m_hDestDC)))
        return;
    if (m_bitmap.Attach(::CreateCompatibleBitmap(m_hDestDC, nWidth, nHeight)))
        m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
}

CTkBufferDC::~CTkBufferDC() {
    // Without its own bitmap the DC holds GDI's 1x1 default: copying that would paint over the
    // destination.
    if (m_hDC != nullptr && m_hDestDC != nullptr && HasBitmap())
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
                 SRCCOPY);
    if (m_hOldBitmap != nullptr)
        ::SelectObject(m_hDC, m_hOldBitmap);
}

// ---- CTkBufferDCEx

CTkBufferDCEx::CTkBufferDCEx(HDC hDestDC, const RECT& rect) : m_rect(rect), m_hDestDC(hDestDC) {
    if (!Attach(::CreateCompatibleDC(hDestDC)))
        return;
    m_hBitmap = ::CreateCompatibleBitmap(hDestDC, m_rect.Width(), m_rect.Height());
    if (m_hBitmap != nullptr)
        m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
    SetViewportOrg(-m_rect.left, -m_rect.top);
}

CTkBufferDCEx::~CTkBufferDCEx() {
    if (m_hDC == nullptr)
        return;
    SetViewportOrg(0, 0);
    if (m_hBitmap != nullptr) {
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, 0, 0, SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
        ::DeleteObject(m_hBitmap);
    }
}
