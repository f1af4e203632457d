// A tab's icon: the state image for the tab, drawn plainly or, for square icons on left and right rows
// when the paint manager rotates images, turned a quarter turn clockwise.

#include "TkTabManager.h"

#include "TkBitmapFunctions.h"
#include "TkImageManagerIcon.h"
#include "TkTabPaintManager.h"

namespace {

// Square pictures of n x n pixels, top row first: a quarter turn clockwise or back.
void TurnClockwise(const DWORD* pSource, DWORD* pTarget, int n) {
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x)
            pTarget[y * n + x] = pSource[(n - 1 - x) * n + y];
    }
}

void TurnCounterClockwise(const DWORD* pSource, DWORD* pTarget, int n) {
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x)
            pTarget[y * n + x] = pSource[x * n + (n - 1 - y)];
    }
}

}  // namespace

void CTkTabManagerItem::DrawImage(CDC* pDC, CRect rc, CTkImageManagerIcon* pIcon) {
    if (pIcon == nullptr)
        return;
    IconStateImage* pImage = nullptr;
    if (!IsEnabled())
        pImage = pIcon->GetDisabledImage(TRUE);
    else if (IsHighlighted())
        pImage = pIcon->GetHotImage();
    else if (IsSelected())
        pImage = pIcon->GetCheckedImage();
    else
        pImage = pIcon->GetNormalImage();
    const CTkTabPaintManager* pPaintManager = m_pTabManager != nullptr ? m_pTabManager->GetPaintManager() : nullptr;
    const BOOL bRotate = rc.Width() == rc.Height() && pPaintManager != nullptr && pPaintManager->m_bRotateImages &&
                         !IsHorizontalTabPosition(m_pTabManager->GetPosition());
    if (bRotate && DrawRotatedImage(pDC, rc, pIcon, pImage))
        return;
    pIcon->Draw(pDC, rc.TopLeft(), pImage, rc.Width(), rc.Height());
}

BOOL CTkTabManagerItem::DrawRotatedImage(CDC* pDC, const CRect& rc, CTkImageManagerIcon* pIcon,
                                         IconStateImage* pImage) {
    const int n = rc.Width();
    void* pvFirst = nullptr;
    void* pvSecond = nullptr;
    CBitmap first;
    CBitmap second;
    first.Attach(CreateDibSection32(pDC->GetSafeHdc(), n, -n, &pvFirst));
    second.Attach(CreateDibSection32(pDC->GetSafeHdc(), n, -n, &pvSecond));
    if (first.GetSafeHandle() == nullptr || second.GetSafeHandle() == nullptr)
        return FALSE;
    auto* pFirst = static_cast<DWORD*>(pvFirst);
    auto* pSecond = static_cast<DWORD*>(pvSecond);
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return FALSE;
    {
        CScopedSelectObject select(memDC.GetSafeHdc(), first.GetSafeHandle());
        memDC.BitBlt(0, 0, n, n, pDC, rc.left, rc.top, SRCCOPY);
    }
    ::GdiFlush();
    // The background is turned back first, so that turning the result clockwise restores it.
    TurnCounterClockwise(pFirst, pSecond, n);
    {
        CScopedSelectObject select(memDC.GetSafeHdc(), second.GetSafeHandle());
        pIcon->Draw(&memDC, CPoint(0, 0), pImage, n, n);
    }
    ::GdiFlush();
    TurnClockwise(pSecond, pFirst, n);
    return pDC->DrawState(rc.TopLeft(), CSize(n, n), &first, DST_BITMAP);
}
