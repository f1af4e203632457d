#include "TkImageManagerResource.h"

#include "IconStateImage.h"
#include "OSVersionInfo.h"
#include "TkBitmapFunctions.h"
#include "TkImageManager.h"

#include <algorithm>

namespace {

constexpr DWORD kComCtlVersion6 = 0x60000;

// The bitmap's pixels as cy rows of cx, bottom row first, whatever the bitmap's own row order.
bool ReadBottomUpRows(HBITMAP hBitmap, int cx, int cy, std::vector<DWORD>& rows) {
    BITMAPINFO info = Dib32Header(cx, cy);
    rows.assign(static_cast<size_t>(cx) * cy, 0);
    HDC hDC = ::GetDC(nullptr);
    const int nRead = ::GetDIBits(hDC, hBitmap, 0, cy, rows.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hDC);
    return nRead == cy;
}

int SlotWidth(const TK_IMAGERESOURCE_INFO* pSlot) {
    return pSlot->rc.right - pSlot->rc.left;
}

int SlotHeight(const TK_IMAGERESOURCE_INFO* pSlot) {
    return pSlot->rc.bottom - pSlot->rc.top;
}

}  // namespace

CTkImageManagerResource::CBitmapDC::~CBitmapDC() {
    Select(nullptr);
    if (m_hDC != nullptr)
        ::DeleteDC(m_hDC);
}

void CTkImageManagerResource::CBitmapDC::Select(HBITMAP hBitmap) {
    if (hBitmap == nullptr) {
        if (m_hFirst != nullptr)
            ::SelectObject(m_hDC, m_hFirst);
        m_hFirst = nullptr;
        return;
    }
    HGDIOBJ hReplaced = ::SelectObject(m_hDC, hBitmap);
    if (m_hFirst == nullptr)
        m_hFirst = hReplaced;
}

CTkImageManagerResource::CTkImageManagerResource(CTkImageManager* pManager, int cx, int cy)
    : m_pManager(pManager), m_cx(cx), m_cy(cy) {}

CTkImageManagerResource::~CTkImageManagerResource() {
    ToolkitLockGuard lock(m_lock);
    m_dc.Select(nullptr);
    ReleaseAll();
}

TK_IMAGERESOURCE_INFO* CTkImageManagerResource::AllocSlot() {
    if (!m_free.empty()) {
        m_used.push_back(std::move(m_free.back()));
        m_free.pop_back();
        return m_used.back().get();
    }
    const int nNewWidth = m_nTotalWidth + m_cx;
    void* pBits = nullptr;
    HBITMAP hColor = CreateDibSection32(nullptr, nNewWidth, m_cy, &pBits);
    HBITMAP hMask = ::CreateBitmap(nNewWidth, m_cy, 1, 1, nullptr);
    if (hColor == nullptr || hMask == nullptr) {
        if (hColor != nullptr)
            ::DeleteObject(hColor);
        if (hMask != nullptr)
            ::DeleteObject(hMask);
        return nullptr;
    }
    if (m_hColor != nullptr) {
        // Widen by one image: the old pixels keep their columns.
        DWORD* pNew = static_cast<DWORD*>(pBits);
        for (int y = 0; y < m_cy; ++y)
            std::copy_n(m_pBits + static_cast<size_t>(y) * m_nTotalWidth, m_nTotalWidth,
                        pNew + static_cast<size_t>(y) * nNewWidth);
        m_dc.Select(hMask);
        ::DrawStateW(m_dc, nullptr, nullptr, reinterpret_cast<LPARAM>(m_hMask), 0, 0, 0, m_nTotalWidth, m_cy,
                     DST_BITMAP);
        m_dc.Select(nullptr);
        ::DeleteObject(m_hColor);
        ::DeleteObject(m_hMask);
    }
    auto pSlot = std::make_unique<TK_IMAGERESOURCE_INFO>();
    pSlot->rc = {m_nTotalWidth, 0, nNewWidth, m_cy};
    pSlot->pResource = this;
    m_hColor = hColor;
    m_hMask = hMask;
    m_pBits = static_cast<DWORD*>(pBits);
    m_nTotalWidth = nNewWidth;
    m_used.push_back(std::move(pSlot));
    return m_used.back().get();
}

void CTkImageManagerResource::FreeSlot(TK_IMAGERESOURCE_INFO* pSlot) {
    ToolkitLockGuard lock(m_lock);
    auto it = std::find_if(m_used.begin(), m_used.end(), [pSlot](const auto& p) { return p.get() == pSlot; });
    if (it == m_used.end())
        return;
    m_free.push_back(std::move(*it));
    m_used.erase(it);
    if (static_cast<int>(m_free.size()) * m_cx == m_nTotalWidth)
        ReleaseAll();
}

void CTkImageManagerResource::ReleaseAll() {
    m_used.clear();
    m_free.clear();
    if (m_hColor != nullptr)
        ::DeleteObject(m_hColor);
    if (m_hMask != nullptr)
        ::DeleteObject(m_hMask);
    m_hColor = nullptr;
    m_hMask = nullptr;
    m_pBits = nullptr;
    m_nTotalWidth = 0;
}

TK_IMAGERESOURCE_INFO* CTkImageManagerResource::AddImage(const IconStateImage& source) {
    return AddImage(source, OSVersionInfo::GetComCtlVersion() >= kComCtlVersion6);
}

TK_IMAGERESOURCE_INFO* CTkImageManagerResource::AddImage(const IconStateImage& source, BOOL bPremultiplyIcons) {
    ToolkitLockGuard lock(m_lock);
    if (source.IsEmpty() || source.GetSize() != CSize(m_cx, m_cy) ||
        (source.m_hIcon == nullptr && source.m_hBitmap == nullptr))
        return nullptr;
    TK_IMAGERESOURCE_INFO* pSlot = AllocSlot();
    if (pSlot == nullptr)
        return nullptr;
    std::vector<DWORD> rows;
    if (source.m_hIcon != nullptr) {
        ICONINFO info = {};
        if (bPremultiplyIcons && ::GetIconInfo(source.m_hIcon, &info)) {
            int nAlphaState = -1;
            HBITMAP hPremultiplied = info.hbmColor != nullptr ? PremultiplyDib32(info.hbmColor, &nAlphaState) : nullptr;
            // Only an icon with some non-zero alpha has an alpha channel to keep.
            if (hPremultiplied != nullptr && nAlphaState == 1 && ReadBottomUpRows(hPremultiplied, m_cx, m_cy, rows)) {
                CopyRowsIntoSlot(rows.data(), pSlot);
                pSlot->bAlpha = TRUE;
            }
            for (HBITMAP hBitmap : {hPremultiplied, info.hbmColor, info.hbmMask})
                if (hBitmap != nullptr)
                    ::DeleteObject(hBitmap);
        }
        if (!pSlot->bAlpha)
            DrawIconIntoSlot(source.m_hIcon, pSlot);
        return pSlot;
    }
    // A bitmap: its premultiplied pixels, converted into a temporary copy when the source holds
    // them unconverted (the source stays as it is).
    HBITMAP hPremultiplied = source.m_pPremultipliedBits != nullptr ? nullptr : PremultiplyDib32(source.m_hBitmap);
    const bool bRead =
        ReadBottomUpRows(hPremultiplied != nullptr ? hPremultiplied : source.m_hBitmap, m_cx, m_cy, rows) &&
        (source.m_pPremultipliedBits != nullptr || hPremultiplied != nullptr);
    if (hPremultiplied != nullptr)
        ::DeleteObject(hPremultiplied);
    if (!bRead) {
        FreeSlot(pSlot);  // the lock is a critical section: taking it again on this thread is fine
        return nullptr;
    }
    CopyRowsIntoSlot(rows.data(), pSlot);
    pSlot->bAlpha = TRUE;
    return pSlot;
}

void CTkImageManagerResource::CopyRowsIntoSlot(const DWORD* pRows, const TK_IMAGERESOURCE_INFO* pSlot) {
    for (int y = 0; y < m_cy; ++y)
        std::copy_n(pRows + static_cast<size_t>(y) * m_cx, m_cx, SlotRow(pSlot, y));
}

void CTkImageManagerResource::DrawIconIntoSlot(HICON hIcon, const TK_IMAGERESOURCE_INFO* pSlot) {
    const RECT& rc = pSlot->rc;
    m_dc.Select(m_hColor);
    ::PatBlt(m_dc, rc.left, rc.top, m_cx, m_cy, BLACKNESS);
    ::DrawIconEx(m_dc, rc.left, rc.top, hIcon, m_cx, m_cy, 0, nullptr, DI_NORMAL);
    m_dc.Select(m_hMask);
    ::PatBlt(m_dc, rc.left, rc.top, m_cx, m_cy, BLACKNESS);
    ::DrawIconEx(m_dc, rc.left, rc.top, hIcon, m_cx, m_cy, 0, nullptr, DI_MASK);
    m_dc.Select(nullptr);
    // Colour over black means alpha bytes of 0: an icon made from the slot then uses its mask, and
    // the XOR of a composited draw puts exactly 255 into the opaque pixels.
    ::GdiFlush();
    for (int y = 0; y < m_cy; ++y) {
        DWORD* pRow = SlotRow(pSlot, y);
        for (int x = 0; x < m_cx; ++x)
            pRow[x] &= 0x00FFFFFF;
    }
}

void CTkImageManagerResource::ExtractImage(IconStateImage& dest, const TK_IMAGERESOURCE_INFO* pSlot) {
    ToolkitLockGuard lock(m_lock);
    dest.Clear();
    void* pBits = nullptr;
    HBITMAP hColor = m_hColor != nullptr ? CreateDibSection32(nullptr, m_cx, m_cy, &pBits) : nullptr;
    if (hColor == nullptr)
        return;
    ::GdiFlush();
    DWORD* pOut = static_cast<DWORD*>(pBits);
    for (int y = 0; y < m_cy; ++y)
        std::copy_n(SlotRow(pSlot, y), m_cx, pOut + static_cast<size_t>(y) * m_cx);
    if (pSlot->bAlpha) {
        dest.m_hBitmap = hColor;
        dest.m_pPremultipliedBits = static_cast<BYTE*>(pBits);
    } else {
        HBITMAP hMask = ::CreateBitmap(m_cx, m_cy, 1, 1, nullptr);
        HDC hMaskDC = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hMaskDC, hMask);
        m_dc.Select(m_hMask);
        ::BitBlt(hMaskDC, 0, 0, m_cx, m_cy, m_dc, pSlot->rc.left, 0, SRCCOPY);
        m_dc.Select(nullptr);
        ::SelectObject(hMaskDC, hOld);
        ::DeleteDC(hMaskDC);
        ICONINFO info = {TRUE, 0, 0, hMask, hColor};
        dest.m_hIcon = ::CreateIconIndirect(&info);
        ::DeleteObject(hMask);
        ::DeleteObject(hColor);
    }
    dest.m_bOwnsHandles = TRUE;
    dest.m_cx = m_cx;
    dest.m_cy = m_cy;
}

void CTkImageManagerResource::DrawImage(CDC* pDC, const TK_IMAGERESOURCE_INFO* pSlot, int x, int y, int cx, int cy,
                                        BOOL bComposited) {
    ToolkitLockGuard lock(m_lock);
    if (m_hColor == nullptr)
        return;
    if (pSlot->bAlpha) {
        const CRect target(x, y, x + cx, y + cy);
        m_dc.Select(m_hColor);
        CTkImageManager::DrawAlphaBlended(pDC->GetSafeHdc(), &target, m_dc, &pSlot->rc);
        m_dc.Select(nullptr);
        return;
    }
    if (bComposited) {
        DrawComposited(pDC, pSlot, x, y, cx, cy);
        return;
    }
    if (m_pManager != nullptr && m_pManager->IsMirrored(pDC))
        MirrorDrawTarget(x, cx);
    HDC hDC = pDC->GetSafeHdc();
    const COLORREF oldText = ::SetTextColor(hDC, RGB(0, 0, 0));
    const COLORREF oldBk = ::SetBkColor(hDC, RGB(255, 255, 255));
    ::SetTextColor(m_dc, RGB(0, 0, 0));
    ::SetBkColor(m_dc, RGB(255, 255, 255));
    m_dc.Select(m_hMask);
    ::StretchBlt(hDC, x, y, cx, cy, m_dc, pSlot->rc.left, 0, SlotWidth(pSlot), SlotHeight(pSlot), SRCAND);
    m_dc.Select(m_hColor);
    ::StretchBlt(hDC, x, y, cx, cy, m_dc, pSlot->rc.left, 0, SlotWidth(pSlot), SlotHeight(pSlot), SRCINVERT);
    m_dc.Select(nullptr);
    ::SetTextColor(hDC, oldText);
    ::SetBkColor(hDC, oldBk);
}

void CTkImageManagerResource::DrawComposited(CDC* pDC, const TK_IMAGERESOURCE_INFO* pSlot, int x, int y, int cx,
                                             int cy) {
    void* pBits = nullptr;
    HBITMAP hBuffer = CreateDibSection32(m_dc, cx, cy, &pBits);
    if (hBuffer == nullptr)
        return;
    HDC hBufferDC = ::CreateCompatibleDC(m_dc);
    HGDIOBJ hOld = ::SelectObject(hBufferDC, hBuffer);
    ::SetBkColor(hBufferDC, RGB(255, 255, 255));
    ::SetTextColor(hBufferDC, RGB(0, 0, 0));
    m_dc.Select(m_hMask);
    ::StretchBlt(hBufferDC, 0, 0, cx, cy, m_dc, pSlot->rc.left, 0, SlotWidth(pSlot), SlotHeight(pSlot), SRCCOPY);
    ::GdiFlush();
    // Opaque pixels (mask 0, drawn black) become alpha 255 over black, the others fully clear; the
    // colour's XOR then fills the opaque ones.
    DWORD* pPixels = static_cast<DWORD*>(pBits);
    for (size_t i = 0, n = static_cast<size_t>(cx) * cy; i < n; ++i)
        pPixels[i] = (pPixels[i] & 0x00FFFFFF) == 0 ? 0xFF000000 : 0;
    m_dc.Select(m_hColor);
    ::StretchBlt(hBufferDC, 0, 0, cx, cy, m_dc, pSlot->rc.left, 0, SlotWidth(pSlot), SlotHeight(pSlot), SRCINVERT);
    m_dc.Select(nullptr);
    const CRect source(0, 0, cx, cy);
    const CRect target(x, y, x + cx, y + cy);
    CTkImageManager::DrawAlphaBlended(pDC->GetSafeHdc(), &target, hBufferDC, &source);
    ::SelectObject(hBufferDC, hOld);
    ::DeleteDC(hBufferDC);
    ::DeleteObject(hBuffer);
}
