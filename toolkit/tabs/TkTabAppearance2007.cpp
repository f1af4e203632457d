// The image looks of the Office 2007 family: "RIBBONTAB" images for the selected and hot tab, and
// "ACCESSTAB" images for every tab. They draw only while the Office 2007 look is loaded: without it a
// row shows neither tab shapes nor their content. Rows that are not on top draw the image upright into
// a bitmap and turn it into place.

#include "TkTabAppearanceSet.h"

#include "TkBitmapFunctions.h"
#include "TkOffice2007Image.h"
#include "TkOffice2007Images.h"
#include "TkTabColorSet.h"

#include <algorithm>

namespace {

constexpr COLORREF kImageKeyColor = RGB(255, 0, 255);
constexpr int kAccessMinTextRowHeight = 24;

BOOL IsLookLoaded() {
    return GetOffice2007Images()->IsLoaded();
}

// The pixel of a top-row picture (the tab's length x thickness) that lands on (x, y) of the tab's own
// picture of w x h: flipped on a bottom row, a quarter turn anticlockwise on a left row (the outer side
// to the left) and clockwise on a right row.
CPoint TopRowSourcePixel(int nPosition, int x, int y, int w, int h) {
    switch (nPosition) {
        case kTabPositionBottom:
            return CPoint(x, h - 1 - y);
        case kTabPositionLeft:
            return CPoint(h - 1 - y, x);
        case kTabPositionRight:
            return CPoint(y, w - 1 - x);
        default:
            return CPoint(x, y);
    }
}

// The tab rectangle lengthened along the row.
CRect LengthenAlongRow(CRect rc, int nPosition, int nPixels) {
    if (IsHorizontalTabPosition(nPosition))
        rc.right += nPixels;
    else
        rc.bottom += nPixels;
    return rc;
}

}  // namespace

// ---- Office 2007

CRect CTkTabPaintManager::CAppearanceSetPropertyPage2007::PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC,
                                                                               CRect rcControl) {
    const CRect rcHeader = CalcHeaderRect(rcControl, pManager);
    if (!IsLookLoaded())
        return rcHeader;
    CColorSet* pColors = GetColorSet();
    pColors->FillHeader(pDC, rcHeader, pManager);
    const CRect rc = CalcClientRect(rcControl, pManager);
    if (m_pPaintManager->m_nClientFrame == 0) {
        if (CTkOffice2007Image* pImage = GetOffice2007Images()->GetImage(L"RIBBONGROUPS"))
            pImage->DrawImageKeyed(pDC, rc, pImage->GetSource(0, 1), CRect(8, 8, 8, 8), kImageKeyColor);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        const COLORREF clrShadow = Effective(pColors->m_clrPageShadow);
        PaintHeaderSideEdge(pDC, rc, pManager->GetPosition(), clrShadow, clrShadow);
    }
    return rcHeader;
}

void CTkTabPaintManager::CAppearanceSetPropertyPage2007::PaintTabImage(CDC* pDC, CTkTabManagerItem* pItem, CRect rc) {
    int nState = 0;
    if (pItem->IsSelected() && pItem->GetTabManager()->HasFocus())
        nState = 5;
    else if (pItem->IsSelected())
        nState = pItem->IsHighlighted() ? 4 : 3;
    else if (pItem->IsPressed())
        nState = 2;
    else if (pItem->IsHighlighted())
        nState = 1;
    if (CTkOffice2007Image* pImage = GetOffice2007Images()->GetImage(L"RIBBONTAB"))
        pImage->DrawImageKeyed(pDC, rc, pImage->GetSource(nState, 6), CRect(5, 5, 5, 5), kImageKeyColor);
}

void CTkTabPaintManager::CAppearanceSetPropertyPage2007::PaintRotatedTabImage(CDC* pDC, CTkTabManagerItem* pItem,
                                                                              const CRect& rc, BOOL bCopyBackground) {
    const int nPosition = GetPosition();
    const int w = rc.Width();
    const int h = rc.Height();
    if (w <= 0 || h <= 0)
        return;
    const BOOL bHorizontal = IsHorizontalTabPosition(nPosition);
    const int nPictureWidth = bHorizontal ? w : h;
    const int nPictureHeight = bHorizontal ? h : w;
    void* pvPicture = nullptr;
    void* pvTab = nullptr;
    CBitmap picture;
    CBitmap tab;
    picture.Attach(CreateDibSection32(pDC->GetSafeHdc(), nPictureWidth, -nPictureHeight, &pvPicture));
    tab.Attach(CreateDibSection32(pDC->GetSafeHdc(), w, -h, &pvTab));
    CDC memDC;
    if (picture.GetSafeHandle() == nullptr || tab.GetSafeHandle() == nullptr || !memDC.CreateCompatibleDC(pDC))
        return;
    auto* pPicture = static_cast<DWORD*>(pvPicture);
    auto* pTab = static_cast<DWORD*>(pvTab);
    if (bCopyBackground) {
        {
            CScopedSelectObject select(memDC.GetSafeHdc(), tab.GetSafeHandle());
            memDC.BitBlt(0, 0, w, h, pDC, rc.left, rc.top, SRCCOPY);
        }
        ::GdiFlush();
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const CPoint p = TopRowSourcePixel(nPosition, x, y, w, h);
                pPicture[p.y * nPictureWidth + p.x] = pTab[y * w + x];
            }
        }
    }
    {
        CScopedSelectObject select(memDC.GetSafeHdc(), picture.GetSafeHandle());
        const CRect rcPicture(0, 0, nPictureWidth, nPictureHeight);
        if (!bCopyBackground)
            memDC.FillSolidRect(rcPicture, GetColorSet()->m_clrHeaderFace.m_firstColor.GetEffective());
        PaintTabImage(&memDC, pItem, rcPicture);
    }
    ::GdiFlush();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const CPoint p = TopRowSourcePixel(nPosition, x, y, w, h);
            pTab[y * w + x] = pPicture[p.y * nPictureWidth + p.x];
        }
    }
    pDC->DrawState(rc.TopLeft(), CSize(w, h), &tab, DST_BITMAP);
}

void CTkTabPaintManager::CAppearanceSetPropertyPage2007::PaintImageTab(CDC* pDC, CTkTabManagerItem* pItem,
                                                                       CRect rcImage, BOOL bCopyBackground) {
    if (GetPosition() == kTabPositionTop)
        PaintTabImage(pDC, pItem, rcImage);
    else
        PaintRotatedTabImage(pDC, pItem, rcImage, bCopyBackground);
}

void CTkTabPaintManager::CAppearanceSetPropertyPage2007::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    if (!IsLookLoaded())
        return;
    if (pItem->IsSelected() || pItem->IsHighlighted())
        PaintImageTab(pDC, pItem, pItem->GetRect(), FALSE);
    m_pPaintManager->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}

// ---- Access 2007

void CTkTabPaintManager::CAppearanceSetPropertyPageAccess2007::RefreshMetrics() {
    CAppearanceSetPropertyPage2007::RefreshMetrics();
    m_nTextRowHeight = std::max(m_nTextRowHeight, kAccessMinTextRowHeight);
}

CRect CTkTabPaintManager::CAppearanceSetPropertyPageAccess2007::GetHeaderInset() {
    CRect rc = m_rcHeaderInset;
    rc.right += m_nTextRowHeight / 2;
    return rc;
}

CRect CTkTabPaintManager::CAppearanceSetPropertyPageAccess2007::GetTabPaintRect(CTkTabManagerItem* pItem) {
    CRect rc = CAppearanceSet::GetTabPaintRect(pItem);
    return LengthenAlongRow(rc, GetPosition(), m_nTextRowHeight / 2);
}

CRect CTkTabPaintManager::CAppearanceSetPropertyPageAccess2007::PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC,
                                                                                     CRect rcControl) {
    const CRect rcHeader = CalcHeaderRect(rcControl, pManager);
    if (!IsLookLoaded())
        return rcHeader;
    CColorSet* pColors = GetColorSet();
    pColors->FillHeader(pDC, rcHeader, pManager);
    const CRect rc = CalcClientRect(rcControl, pManager);
    const COLORREF clrBorder = Effective(pColors->m_clrFrameBorder);
    if (m_pPaintManager->m_nClientFrame == 0) {
        pColors->FillClient(pDC, rc, pManager);
        if (clrBorder != kColorUnset)
            pDC->Draw3dRect(rc, clrBorder, clrBorder);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        pColors->FillClient(pDC, rc, pManager);
        PaintHeaderSideEdge(pDC, rc, pManager->GetPosition(), clrBorder, clrBorder);
    }
    return rcHeader;
}

void CTkTabPaintManager::CAppearanceSetPropertyPageAccess2007::PaintTabImage(CDC* pDC, CTkTabManagerItem* pItem,
                                                                             CRect rc) {
    int nState = 0;
    if (pItem->IsSelected())
        nState = pItem->IsHighlighted() ? 3 : 2;
    else if (pItem->IsHighlighted())
        nState = 1;
    if (CTkOffice2007Image* pImage = GetOffice2007Images()->GetImage(L"ACCESSTAB"))
        pImage->DrawImageKeyed(pDC, rc, pImage->GetSource(nState, 4), CRect(5, 10, 22, 10), kImageKeyColor);
}

void CTkTabPaintManager::CAppearanceSetPropertyPageAccess2007::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    if (!IsLookLoaded())
        return;
    // The image runs on under the next tab's start; the content keeps the tab's own rectangle.
    PaintImageTab(pDC, pItem, LengthenAlongRow(pItem->GetRect(), GetPosition(), m_nTextRowHeight / 2 - 1), TRUE);
    m_pPaintManager->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}
