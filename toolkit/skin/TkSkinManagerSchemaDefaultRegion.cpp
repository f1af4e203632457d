// CTkSkinManagerSchemaDefault: the window region of a skinned frame. The caption image's transparent corners
// and empty top rows are cut off; their outline is scanned once per caption height and window kind.
#include "TkSkinManagerSchemaDefault.h"

#include "MultiMonitorHelper.h"
#include "TkSkinImage.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkWindowFunctions.h"

#include <algorithm>
#include <uxtheme.h>
#include <vssym32.h>

namespace {

constexpr COLORREF kDefaultKey = RGB(255, 0, 255);

// Adds one row's run [xStart, xEnd) at y to the region (created on first use).
void AddRun(CRgn& rgn, int xStart, int xEnd, int y) {
    if (rgn.GetSafeHandle() == nullptr) {
        rgn.CreateRectRgn(xStart, y, xEnd, y + 1);
        return;
    }
    CRgn rgnRun;
    rgnRun.CreateRectRgn(xStart, y, xEnd, y + 1);
    rgn.CombineRgn(&rgn, &rgnRun, RGN_OR);
}

void SubtractRegion(HRGN hRgn, HRGN hCut) {
    if (hCut != nullptr)
        ::CombineRgn(hRgn, hRgn, hCut, RGN_DIFF);
}

}  // namespace

HRGN CTkSkinManagerSchemaDefault::GetFrameRegion(const SKINFRAMEINFO& frame, int nWidth, int nHeight) {
    const DWORD dwStyle = frame.pWnd->GetStyle();
    if ((dwStyle & WS_MAXIMIZE) && !(dwStyle & WS_CHILD)) {
        const int l = frame.rcBorders.left;
        if (GetMultiMonitorHelper()->GetWorkAreaOfWnd(frame.pWnd).Width() == nWidth)
            return ::CreateRectRgn(l, l, nWidth + 2 * l, nHeight + 2 * l);
        return ::CreateRectRgn(l, l, nWidth - l, nHeight - l);
    }
    HRGN hRgn = ::CreateRectRgn(0, 0, nWidth, nHeight);
    ToolkitLockGuard lock(m_regionLock);
    FRAMEREGION* pData = GetFrameRegionData(frame, nWidth);
    if (pData == nullptr)
        return hRgn;
    SubtractRegion(hRgn, pData->rgnLeft);
    if (pData->rgnRight.GetSafeHandle() != nullptr) {
        CRgn rgnRight;
        rgnRight.CreateRectRgn(0, 0, 0, 0);
        rgnRight.CombineRgn(&pData->rgnRight, nullptr, RGN_COPY);
        rgnRight.OffsetRgn(nWidth - pData->rcMargins.right, 0);
        SubtractRegion(hRgn, rgnRight);
    }
    if (pData->nTopRows > 0) {
        CRgn rgnTop;
        rgnTop.CreateRectRgn(pData->rcMargins.left, 0, nWidth - pData->rcMargins.right, pData->nTopRows);
        SubtractRegion(hRgn, rgnTop);
    }
    if (pData->bTemporary)
        delete pData;
    return hRgn;
}

void CTkSkinManagerSchemaDefault::FreeFrameRegions() {
    ToolkitLockGuard lock(m_regionLock);
    m_frameRegions.clear();
}

FRAMEREGION* CTkSkinManagerSchemaDefault::GetFrameRegionData(const SKINFRAMEINFO& frame, int nWidth) {
    const int nCaptionHeight = frame.rcBorders.top;
    const int nToolWindow = frame.pWnd->GetExStyle() & WS_EX_TOOLWINDOW;
    for (const auto& pEntry : m_frameRegions) {
        if (pEntry->nCaptionHeight == nCaptionHeight && pEntry->nToolWindow == nToolWindow) {
            if (nWidth >= pEntry->rcMargins.left + pEntry->rcMargins.right)
                return pEntry.get();
            return BuildFrameRegion(nCaptionHeight, nToolWindow != 0, nWidth).release();
        }
    }
    std::unique_ptr<FRAMEREGION> pEntry = BuildFrameRegion(nCaptionHeight, nToolWindow != 0, nWidth);
    if (pEntry == nullptr || pEntry->bTemporary)
        return pEntry.release();
    m_frameRegions.push_back(std::move(pEntry));
    return m_frameRegions.back().get();
}

std::unique_ptr<FRAMEREGION> CTkSkinManagerSchemaDefault::BuildFrameRegion(int nCaptionHeight, BOOL bToolWindow,
                                                                           int nWidth) {
    CTkSkinManagerClass* pClass = m_pManager->GetSkinClass(L"WINDOW");
    if (pClass == nullptr || nCaptionHeight <= 0)
        return nullptr;
    const int nPart = bToolWindow ? WP_SMALLCAPTION : WP_CAPTION;
    const CString strImage = pClass->GetStringProperty(nPart, FS_ACTIVE, TMT_IMAGEFILE);
    CTkSkinImage* pImage =
        strImage.IsEmpty() ? nullptr : pClass->GetImages()->GetImage(m_pManager->GetResourceFile(), strImage);
    const int nCount = pClass->GetIntProperty(nPart, FS_ACTIVE, TMT_IMAGECOUNT, 1);
    if (pImage == nullptr || pImage->GetWidth() <= 0 || pImage->GetHeight() <= 0 || nCount <= 0)
        return nullptr;

    const BOOL bTransparent =
        !pImage->IsAlphaImage() && pClass->GetBoolProperty(nPart, FS_ACTIVE, TMT_TRANSPARENT, FALSE);
    COLORREF clrKey = kDefaultKey;
    if (bTransparent) {
        clrKey = pClass->GetColorProperty(nPart, FS_ACTIVE, TMT_TRANSPARENTCOLOR, kDefaultKey);
        if (clrKey == static_cast<COLORREF>(-1))
            clrKey = kDefaultKey;
    }
    auto pEntry = std::make_unique<FRAMEREGION>();
    pEntry->nCaptionHeight = nCaptionHeight;
    pEntry->nToolWindow = bToolWindow ? WS_EX_TOOLWINDOW : 0;
    RECT& rcMargins = pEntry->rcMargins;
    rcMargins = pClass->GetRectProperty(nPart, FS_ACTIVE, TMT_SIZINGMARGINS, 0, 0, 0, 0);
    if (nCaptionHeight < rcMargins.top + rcMargins.bottom)
        rcMargins.bottom = std::max<int>(0, nCaptionHeight - rcMargins.top);
    int nBitmapWidth = pImage->GetWidth();
    if (nWidth < rcMargins.left + rcMargins.right) {
        // The window is narrower than the caption's two ends: they share its width in their proportion.
        nBitmapWidth = nWidth;
        pEntry->bTemporary = TRUE;
        rcMargins.left = ::MulDiv(nWidth, rcMargins.left, rcMargins.left + rcMargins.right);
        rcMargins.right = nWidth - rcMargins.left;
    }
    if (nBitmapWidth <= 0)
        return pEntry;

    CScopedMemDC dc(nBitmapWidth, nCaptionHeight);
    if (!dc.IsValid())
        return nullptr;
    dc.FillSolidRect(0, 0, nBitmapWidth, nCaptionHeight, clrKey);
    const RECT rcCell =
        GetSkinImageCell(pImage->GetExtent(), nCount,
                         pClass->GetEnumProperty(nPart, FS_ACTIVE, TMT_IMAGELAYOUT, IL_HORIZONTAL) == IL_HORIZONTAL, 0);
    pImage->DrawImage(&dc, {0, 0, nBitmapWidth, nCaptionHeight}, rcCell, rcMargins,
                      bTransparent ? clrKey : static_cast<COLORREF>(-1), ST_STRETCH, FALSE);
    ::GdiFlush();

    // Scan for the key colour: the runs from the left edge within the left margin, the runs that reach the
    // right end within the right margin, and the rows that are key over the whole middle from the top.
    const DWORD dwKey = static_cast<DWORD>(GetRValue(clrKey)) << 16 | GetGValue(clrKey) << 8 | GetBValue(clrKey);
    const int nRightStart = nBitmapWidth - rcMargins.right;
    // An image without a middle has no rows over it to leave out.
    bool bTopRows = rcMargins.left < nRightStart;
    for (int y = 0; y < nCaptionHeight; ++y) {
        const DWORD* pRow = dc.GetBits() + static_cast<size_t>(y) * nBitmapWidth;
        auto isKey = [&](int x) { return (pRow[x] & 0xFFFFFF) == dwKey; };
        int x = 0;
        while (x < rcMargins.left && isKey(x))
            ++x;
        if (x > 0)
            AddRun(pEntry->rgnLeft, 0, x, y);
        x = nBitmapWidth;
        while (x > std::max(nRightStart, 0) && isKey(x - 1))
            --x;
        if (x < nBitmapWidth)
            AddRun(pEntry->rgnRight, x - nRightStart, rcMargins.right, y);
        if (bTopRows) {
            for (int xMiddle = rcMargins.left; xMiddle < nRightStart && bTopRows; ++xMiddle)
                bTopRows = isKey(xMiddle);
            if (bTopRows)
                ++pEntry->nTopRows;
        }
    }
    return pEntry;
}
