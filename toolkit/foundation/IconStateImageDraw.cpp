#include "IconStateImage.h"

#include "TkBitmapFunctions.h"
#include "TkDCWrappers.h"
#include "TkImageManager.h"
#include "TkImageManagerResource.h"

#include <cstdlib>

namespace {

constexpr COLORREF kCompositeKey = RGB(255, 0, 255);

}  // namespace

void IconStateImage::Draw(CDC* pDC, int x, int y, int cx, int cy, BOOL bComposited) {
    if (IsEmpty())
        return;
    if (m_pSlot != nullptr) {
        m_pSlot->pResource->DrawImage(pDC, m_pSlot, x, y, cx, cy, bComposited);
        return;
    }
    if (m_hIcon != nullptr) {
        const CTkImageManager* pManager = m_pManager != nullptr ? m_pManager : GetImageManager();
        if (pManager->IsMirrored(pDC))
            MirrorDrawTarget(x, cx);
        if (bComposited)
            DrawIconComposited(pDC, x, y, cx, cy, m_hIcon);
        else
            ::DrawIconEx(pDC->GetSafeHdc(), x, y, m_hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        return;
    }
    if (GetPremultipliedBits() == nullptr)
        return;
    BITMAP bm = {};
    ::GetObjectW(m_hBitmap, sizeof(bm), &bm);
    const int nImageHeight = std::abs(bm.bmHeight);
    int ySrc = 0;
    int cySrc = nImageHeight;
    // An image placed partly above the DC's origin at its own height: only its visible rows are blended.
    if (y < 0 && cy == nImageHeight) {
        const int nVisible = y + cy;
        if (nVisible <= 0)
            return;
        ySrc = -y;
        cySrc = nVisible;
        y = 0;
        cy = nVisible;
    }
    DrawDibAlpha(pDC, m_hBitmap, x, y, cx, cy, 0, ySrc, bm.bmWidth, cySrc);
}

void DrawDibAlpha(CDC* pDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int xSrc, int ySrc, int cxSrc, int cySrc) {
    CTkCompatibleDC dc(pDC, hBitmap);
    const CRect target(x, y, x + cx, y + cy);
    const CRect source(xSrc, ySrc, xSrc + (cxSrc != 0 ? cxSrc : cx), ySrc + (cySrc != 0 ? cySrc : cy));
    CTkImageManager::DrawAlphaBlended(pDC->GetSafeHdc(), &target, dc, &source);
}

void DrawIconComposited(CDC* pDC, int x, int y, int cx, int cy, HICON hIcon) {
    const int nWidth = std::abs(cx);
    const CRect target = cx < 0 ? CRect(x + cx + 1, y, x + 1, y + cy) : CRect(x, y, x + cx, y + cy);
    CScopedMemDC buffer(nWidth, cy);
    if (!buffer.IsValid())
        return;
    buffer.FillSolidRect(0, 0, nWidth, cy, kCompositeKey);
    // Mirrored, the icon starts at the buffer's last column and runs leftwards.
    ::DrawIconEx(buffer, cx < 0 ? nWidth - 1 : 0, 0, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    DWORD* pPixels = buffer.GetBits();
    for (size_t i = 0, n = static_cast<size_t>(nWidth) * cy; i < n; ++i)
        pPixels[i] = (pPixels[i] & 0x00FFFFFF) == 0x00FF00FF ? 0 : (pPixels[i] | 0xFF000000);
    const CRect source(0, 0, nWidth, cy);
    CTkImageManager::DrawAlphaBlended(pDC->GetSafeHdc(), &target, buffer, &source);
}
