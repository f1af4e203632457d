#include "TkMarkupDrawingContext.h"

#include "TkMarkupBrush.h"
#include "TkMarkupFont.h"

#include <cstdlib>

CTkMarkupDrawingContext::CTkMarkupDrawingContext(HDC hDC) : m_hDC(hDC), m_bOwnsDC(FALSE) {
    ReadDeviceState();
}

CTkMarkupDrawingContext::CTkMarkupDrawingContext() : m_hDC(::CreateCompatibleDC(nullptr)), m_bOwnsDC(TRUE) {
    ReadDeviceState();
}

CTkMarkupDrawingContext::~CTkMarkupDrawingContext() {
    SetFont(nullptr);
    if (m_bOwnsDC && m_hDC != nullptr)
        ::DeleteDC(m_hDC);
}

void CTkMarkupDrawingContext::ReadDeviceState() {
    if (m_hDC == nullptr)
        return;
    ::GetWindowExtEx(m_hDC, &m_szWindowExt);
    ::GetViewportExtEx(m_hDC, &m_szViewportExt);
    ::GetViewportOrgEx(m_hDC, &m_ptViewportOrg);
    ReadClipBox();
    ::SetBkMode(m_hDC, TRANSPARENT);
}

void CTkMarkupDrawingContext::ReadClipBox() {
    if (m_hDC != nullptr)
        ::GetClipBox(m_hDC, &m_rcClip);
}

BOOL CTkMarkupDrawingContext::IsLayoutForced() const {
    return FALSE;
}

void CTkMarkupDrawingContext::DrawTextLine(LPCWSTR lpszText, int nCount, const RECT& rc) {
    ::ExtTextOutW(m_hDC, rc.left, rc.top, 0, nullptr, lpszText, nCount, nullptr);
}

HGDIOBJ CTkMarkupDrawingContext::SelectObject(HGDIOBJ hObject) {
    return ::SelectObject(m_hDC, hObject);
}

void CTkMarkupDrawingContext::SetViewportOrg(POINT ptOrigin) {
    m_ptViewportOrg = ptOrigin;
    ::SetViewportOrgEx(m_hDC, ptOrigin.x, ptOrigin.y, nullptr);
    ReadClipBox();
}

void CTkMarkupDrawingContext::SetFont(CTkMarkupFont* pFont) {
    if (m_hDC == nullptr || pFont == m_pFont)
        return;
    if (pFont == nullptr) {
        if (m_hInitialFont != nullptr)
            SelectObject(m_hInitialFont);
    } else {
        HGDIOBJ hDisplaced = SelectObject(pFont->GetSafeHandle());
        if (m_hInitialFont == nullptr)
            m_hInitialFont = hDisplaced;
        pFont->AddRef();
    }
    if (CTkMarkupFont* pPrevious = std::exchange(m_pFont, pFont))
        pPrevious->Release();
}

CSize CTkMarkupDrawingContext::GetTextExtent(LPCWSTR lpszText, int nCount) const {
    SIZE size = {};
    ::GetTextExtentPoint32W(m_hDC, lpszText, nCount, &size);
    return size;
}

void CTkMarkupDrawingContext::FillRectangle(CTkMarkupBrush* pBrush, const RECT& rc) {
    if (pBrush != nullptr)
        pBrush->FillRect(this, rc);
}

void CTkMarkupDrawingContext::FillSolidRect(const RECT& rc, COLORREF clr) {
    const auto brush = CTkMarkupPtr<CTkMarkupSolidColorBrush>::Adopt(new CTkMarkupSolidColorBrush(clr));
    brush->FillRect(this, rc);
}

void CTkMarkupDrawingContext::DrawFrame(CTkMarkupBrush* pBrush, const RECT& rc) {
    FillRectangle(pBrush, CRect(rc.left, rc.top, rc.right, rc.top + 1));
    FillRectangle(pBrush, CRect(rc.left, rc.top, rc.left + 1, rc.bottom));
    FillRectangle(pBrush, CRect(rc.left, rc.bottom - 1, rc.right, rc.bottom));
    FillRectangle(pBrush, CRect(rc.right - 1, rc.top, rc.right, rc.bottom));
}

POINT CTkMarkupDrawingContext::OffsetViewport(POINT ptOffset) {
    const POINT ptPrevious = m_ptViewportOrg;
    const int dx = m_szWindowExt.cx != 0
                       ? ::MulDiv(ptOffset.x, std::abs(m_szViewportExt.cx), std::abs(m_szWindowExt.cx))
                       : ptOffset.x;
    const int dy = m_szWindowExt.cy != 0
                       ? ::MulDiv(ptOffset.y, std::abs(m_szViewportExt.cy), std::abs(m_szWindowExt.cy))
                       : ptOffset.y;
    SetViewportOrg(CPoint(ptPrevious.x + dx, ptPrevious.y + dy));
    return ptPrevious;
}

HRGN CTkMarkupDrawingContext::SaveClipRegion() {
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    if (hRegion == nullptr)
        return nullptr;
    const int nResult = ::GetClipRgn(m_hDC, hRegion);
    if (nResult == 1)
        return hRegion;
    ::DeleteObject(hRegion);
    return nResult == 0 ? kMarkupNoClipRegion : nullptr;
}

void CTkMarkupDrawingContext::IntersectClipRect(const RECT& rc) {
    ::IntersectClipRect(m_hDC, rc.left, rc.top, rc.right, rc.bottom);
    ReadClipBox();
}

void CTkMarkupDrawingContext::RestoreClipRegion(HRGN hSaved) {
    if (hSaved == nullptr)
        return;
    if (hSaved == kMarkupNoClipRegion) {
        ::ExtSelectClipRgn(m_hDC, nullptr, RGN_COPY);
    } else {
        ::ExtSelectClipRgn(m_hDC, hSaved, RGN_COPY);
        ::DeleteObject(hSaved);
    }
    ReadClipBox();
}
