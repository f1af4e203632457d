// The base appearance set with the drawing primitives the looks share, and the property-page looks.

#include "TkTabAppearanceSet.h"

#include "TkDCWrappers.h"
#include "TkTabColorSet.h"

#include <algorithm>

// ---- Primitives

void CTkTabPaintManager::CAppearanceSet::HorizontalLine(CDC* pDC, int x, int y, int nLength, COLORREF clr) {
    if (clr != kColorUnset && nLength > 0)
        pDC->FillSolidRect(x, y, nLength, 1, clr);
}

void CTkTabPaintManager::CAppearanceSet::VerticalLine(CDC* pDC, int x, int y, int nLength, COLORREF clr) {
    if (clr != kColorUnset && nLength > 0)
        pDC->FillSolidRect(x, y, 1, nLength, clr);
}

void CTkTabPaintManager::CAppearanceSet::Pixel(CDC* pDC, int x, int y, COLORREF clr) {
    HorizontalLine(pDC, x, y, 1, clr);
}

void CTkTabPaintManager::CAppearanceSet::PaintLine(CDC* pDC, COLORREF clr, int x1, int y1, int x2, int y2) {
    if (clr == kColorUnset)
        return;
    CTkPenDC pen(pDC->GetSafeHdc(), clr);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

void CTkTabPaintManager::CAppearanceSet::PaintPolyline(CDC* pDC, COLORREF clr, const POINT* pPoints, int nCount) {
    if (clr == kColorUnset || nCount < 2)
        return;
    CTkPenDC pen(pDC->GetSafeHdc(), clr);
    pDC->MoveTo(pPoints[0]);
    for (int i = 1; i < nCount; ++i)
        pDC->LineTo(pPoints[i]);
}

void CTkTabPaintManager::CAppearanceSet::PaintEdgeLine(CDC* pDC, const CRect& rc, int nSide, COLORREF clrFirst,
                                                       COLORREF clrSecond) {
    switch (nSide) {
        case 0:
            HorizontalLine(pDC, rc.left, rc.top, rc.Width(), clrFirst);
            break;
        case 1:
            VerticalLine(pDC, rc.left, rc.top, rc.Height(), clrFirst);
            break;
        case 2:
            HorizontalLine(pDC, rc.left, rc.bottom - 1, rc.Width(), clrSecond);
            break;
        default:
            VerticalLine(pDC, rc.right - 1, rc.top, rc.Height(), clrSecond);
            break;
    }
}

void CTkTabPaintManager::CAppearanceSet::PaintHeaderSideEdge(CDC* pDC, const CRect& rc, int nPosition,
                                                             COLORREF clrFirst, COLORREF clrSecond) {
    static const int kSideOfPosition[] = {0, 1, 2, 3};
    PaintEdgeLine(pDC, rc, kSideOfPosition[nPosition & 3], clrFirst, clrSecond);
}

COLORREF CTkTabPaintManager::CAppearanceSet::FillTabPolygon(CDC* pDC, CTkTabManagerItem* pItem, const POINT* pPoints,
                                                            int nCount) {
    CRgn rgn;
    if (!rgn.CreatePolygonRgn(pPoints, nCount, WINDING))
        return kColorUnset;
    CRect rcBox;
    rgn.GetRgnBox(rcBox);
    if (rcBox.IsRectEmpty())
        return kColorUnset;
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, rcBox.Width(), rcBox.Height()))
        return kColorUnset;
    CScopedSelectObject selectBitmap(memDC.GetSafeHdc(), bitmap.GetSafeHandle());
    memDC.SetWindowOrg(rcBox.left, rcBox.top);
    const COLORREF clrFill = GetColorSet()->FillTab(&memDC, rcBox, pItem);
    CScopedSaveDC saveClip(pDC->GetSafeHdc());
    // Clip regions are in device units.
    CPoint ptOrigin(0, 0);
    pDC->LPtoDP(&ptOrigin);
    rgn.OffsetRgn(ptOrigin.x, ptOrigin.y);
    pDC->SelectClipRgn(&rgn, RGN_AND);
    pDC->BitBlt(rcBox.left, rcBox.top, rcBox.Width(), rcBox.Height(), &memDC, rcBox.left, rcBox.top, SRCCOPY);
    return clrFill;
}

CTkTabPaintManager::CColorSet* CTkTabPaintManager::CAppearanceSet::GetColorSet() const {
    return m_pPaintManager->GetColorSet();
}

int CTkTabPaintManager::CAppearanceSet::GetPosition() const {
    return m_pPaintManager->GetPosition();
}

// ---- Base operations

void CTkTabPaintManager::CAppearanceSet::RefreshMetrics() {
    CClientDC dc(nullptr);
    CTkFontDC font(&dc, m_pPaintManager->GetFont(FALSE, FALSE));
    m_nTextRowHeight = std::max(static_cast<int>(dc.GetTextExtent(L" ", 1).cy) + 3, 18);
}

int CTkTabPaintManager::CAppearanceSet::CalcHeaderThickness(CTkTabManager* pManager) {
    if (!m_pPaintManager->m_bShowTabs)
        return 0;
    const CRect rcInset = GetHeaderInset();
    const int nRows = pManager->GetRowCount();
    int nRowPart = nRows * GetRowHeight(pManager) + (nRows - 1) * m_nRowSpacing;
    if (m_pPaintManager->GetLayout() == kTabLayoutRotated) {
        for (int i = 0; i < pManager->GetItemCount(); ++i)
            nRowPart = std::max(nRowPart, pManager->GetItem(i)->m_nLength);
    }
    return rcInset.top + rcInset.bottom + nRowPart;
}

CRect CTkTabPaintManager::CAppearanceSet::CalcHeaderRect(CRect rc, CTkTabManager* pManager) {
    const int nThickness = CalcHeaderThickness(pManager);
    switch (pManager->GetPosition()) {
        case kTabPositionLeft:
            rc.right = rc.left + nThickness;
            break;
        case kTabPositionBottom:
            rc.top = rc.bottom - nThickness;
            break;
        case kTabPositionRight:
            rc.left = rc.right - nThickness;
            break;
        default:
            rc.bottom = rc.top + nThickness;
            break;
    }
    return rc;
}

CRect CTkTabPaintManager::CAppearanceSet::CalcClientRect(CRect rc, CTkTabManager* pManager) {
    if (!m_pPaintManager->m_bShowTabs)
        return rc;
    const CRect rcHeader = CalcHeaderRect(rc, pManager);
    switch (pManager->GetPosition()) {
        case kTabPositionLeft:
            rc.left = rcHeader.right - 1;
            break;
        case kTabPositionBottom:
            rc.bottom = rcHeader.top + 1;
            break;
        case kTabPositionRight:
            rc.right = rcHeader.left + 1;
            break;
        default:
            rc.top = rcHeader.bottom - 1;
            break;
    }
    return rc;
}

CRect CTkTabPaintManager::CAppearanceSet::GetClientInset() {
    return m_pPaintManager->m_rcClientMargin;
}

int CTkTabPaintManager::CAppearanceSet::MeasureTab(CDC* pDC, CTkTabManagerItem* pItem) {
    return m_pPaintManager->DrawTabContent(pDC, pItem, CRect(0, 0, 0, 0), FALSE);
}

int CTkTabPaintManager::CAppearanceSet::GetRowHeight(CTkTabManager* pManager) {
    const CRect& rcMargin = m_pPaintManager->m_rcButtonMargin;
    int h = m_nTextRowHeight + static_cast<int>(rcMargin.top + rcMargin.bottom);
    if (pManager != nullptr) {
        CSize szMin(0, 0);
        pManager->GetItemMetrics(nullptr, &szMin, nullptr);
        h = std::max(h, static_cast<int>(szMin.cy));
    }
    if (m_pPaintManager->m_bShowIcons) {
        CSize szIcon = m_pPaintManager->m_szIcon;
        if (pManager != nullptr)
            pManager->DrawIcon(nullptr, CPoint(0, 0), nullptr, FALSE, szIcon);
        h = std::max(h, static_cast<int>(std::max(szIcon.cx, szIcon.cy) + rcMargin.top + rcMargin.bottom + 4));
    }
    return h;
}

CRect CTkTabPaintManager::CAppearanceSet::GetTabPaintRect(CTkTabManagerItem* pItem) {
    CRect rc = pItem->GetRect();
    rc.InflateRect(2, 2);
    return rc;
}

void CTkTabPaintManager::CAppearanceSet::PaintControl(CTkTabManager* pManager, CDC* pDC, CRect rcControl) {
    m_pPaintManager->PaintDefaultControl(pManager, pDC, rcControl);
}

CRect CTkTabPaintManager::CAppearanceSet::PaintHeaderAndClient(CTkTabManager*, CDC*, CRect) {
    return CRect(0, 0, 0, 0);
}

void CTkTabPaintManager::CAppearanceSet::LayoutTabs(CTkTabManager* pManager, CDC* pDC, CRect rc) {
    m_pPaintManager->LayoutDefaultTabs(pManager, pDC, rc);
}

void CTkTabPaintManager::CAppearanceSet::DeflateToClient(CTkTabManager* pManager, CRect& rc) {
    const int nPosition = pManager->GetPosition();
    DeflateByPosition(rc, m_pPaintManager->m_rcControlMargin, nPosition);
    rc = CalcClientRect(rc, pManager);
    DeflateByPosition(rc, GetClientInset(), nPosition);
    if (m_pPaintManager->m_nClientFrame == 0)
        rc.DeflateRect(2, 2);
    else if (m_pPaintManager->m_nClientFrame == 1)
        DeflateByPosition(rc, 0, 2, 0, 0, nPosition);
}

void CTkTabPaintManager::CAppearanceSet::PaintWorkspaceFrame(CDC* pDC, CRect& rc, int nPart) {
    CColorSet* pColors = GetColorSet();
    if (!m_pPaintManager->m_bStaticFrame) {
        if (nPart == 1)
            rc.InflateRect(2, 2);
        else if (nPart == 2 || nPart == 3)
            pDC->FillSolidRect(rc, pColors->m_clrHeaderFace.m_firstColor.GetEffective());
        return;
    }
    const COLORREF clrBorder = pColors->m_clrFrameBorder.GetEffective();
    switch (nPart) {
        case 0: {
            const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
            pDC->Draw3dRect(1, 0, rc.Width() - 2, rc.Height() - 1, clrFace, clrFace);
            pDC->Draw3dRect(0, 0, rc.Width(), rc.Height(), clrBorder, clrBorder);
            break;
        }
        case 1:
            rc.top -= 1;
            break;
        case 2:
            pDC->FillSolidRect(rc, pColors->m_clrControlFace.GetEffective());
            VerticalLine(pDC, rc.right - 1, rc.top, rc.Height(), clrBorder);
            break;
        default:
            pDC->FillSolidRect(rc, pColors->m_clrControlFace.GetEffective());
            HorizontalLine(pDC, rc.left, rc.bottom - 1, rc.Width(), clrBorder);
            break;
    }
}

// ---- Property page

CRect CTkTabPaintManager::CAppearanceSetPropertyPage::GetClientInset() {
    CRect rc = m_pPaintManager->m_rcClientMargin;
    if (GetColorSet()->IsAppThemed() && m_pPaintManager->m_nClientFrame == 0) {
        rc.right += 2;
        if (GetPosition() == kTabPositionTop || GetPosition() == kTabPositionLeft)
            rc.bottom += 2;
    }
    return rc;
}

CRect CTkTabPaintManager::CAppearanceSetPropertyPage::PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC,
                                                                           CRect rcControl) {
    CColorSet* pColors = GetColorSet();
    const int nPosition = pManager->GetPosition();
    CRect rcHeader = CalcHeaderRect(rcControl, pManager);
    // The header reaches under the client frame's first line.
    InflateByPosition(rcHeader, 0, 0, 0, 1, nPosition);
    pColors->FillHeader(pDC, rcHeader, pManager);
    const CRect rc = CalcClientRect(rcControl, pManager);
    const COLORREF clrLight = Effective(pColors->m_clrPageLight);
    const COLORREF clrShadow = Effective(pColors->m_clrPageShadow);
    const COLORREF clrDark = Effective(pColors->m_clrPageDarkShadow);
    if (m_pPaintManager->m_nClientFrame == 0) {
        pColors->FillClient(pDC, rc, pManager);
        HorizontalLine(pDC, rc.left, rc.top, rc.Width() - 1, clrLight);
        VerticalLine(pDC, rc.left, rc.top, rc.Height() - 1, clrLight);
        VerticalLine(pDC, rc.right - 1, rc.top, rc.Height(), clrDark);
        HorizontalLine(pDC, rc.left, rc.bottom - 1, rc.Width(), clrDark);
        HorizontalLine(pDC, rc.left + 1, rc.bottom - 2, rc.Width() - 2, clrShadow);
        VerticalLine(pDC, rc.right - 2, rc.top + 1, rc.Height() - 2, clrShadow);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        switch (nPosition) {
            case kTabPositionTop:
                HorizontalLine(pDC, rc.left, rc.top, rc.Width(), clrLight);
                break;
            case kTabPositionLeft:
                VerticalLine(pDC, rc.left, rc.top, rc.Height(), clrLight);
                break;
            case kTabPositionBottom:
                HorizontalLine(pDC, rc.left, rc.bottom - 1, rc.Width(), clrDark);
                HorizontalLine(pDC, rc.left, rc.bottom - 2, rc.Width(), clrShadow);
                break;
            default:
                VerticalLine(pDC, rc.right - 1, rc.top, rc.Height(), clrDark);
                VerticalLine(pDC, rc.right - 2, rc.top, rc.Height(), clrShadow);
                break;
        }
    }
    return rcHeader;
}

void CTkTabPaintManager::CAppearanceSetPropertyPage::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    PaintPropertyPageTab(pDC, pItem);
}

void CTkTabPaintManager::CAppearanceSetPropertyPage::PaintPropertyPageTab(CDC* pDC, CTkTabManagerItem* pItem) {
    CColorSet* pColors = GetColorSet();
    const int nPosition = GetPosition();
    const BOOL bSelected = pItem->IsSelected();
    CRect rc = pItem->GetRect();
    if (bSelected) {
        switch (nPosition) {
            case kTabPositionTop:
                rc.InflateRect(2, 2, 2, 0);
                break;
            case kTabPositionLeft:
                rc.InflateRect(2, 2, 0, 2);
                break;
            default:
                rc.InflateRect(2, 2);
                break;
        }
    }
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    const COLORREF clrFill = pColors->FillTab(pDC, CRect(L + 1, T + 1, R - 1, B - 1), pItem);
    const COLORREF clrLight = Effective(pColors->m_clrPageLight);
    const COLORREF clrShadow = Effective(pColors->m_clrPageShadow);
    const COLORREF clrDark = Effective(pColors->m_clrPageDarkShadow);
    switch (nPosition) {
        case kTabPositionTop:
            VerticalLine(pDC, L, T + 2, B - T - 2, clrLight);
            Pixel(pDC, L + 1, T + 1, clrLight);
            HorizontalLine(pDC, L + 2, T, R - L - 4, clrLight);
            Pixel(pDC, R - 2, T + 1, clrDark);
            VerticalLine(pDC, R - 1, T + 2, B - T - 3, clrDark);
            VerticalLine(pDC, R - 2, T + 2, B - T - 3, clrShadow);
            break;
        case kTabPositionLeft:
            HorizontalLine(pDC, L + 2, T, R - L - 2, clrLight);
            Pixel(pDC, L + 1, T + 1, clrLight);
            VerticalLine(pDC, L, T + 2, B - T - 4, clrLight);
            HorizontalLine(pDC, L + 1, B - 2, R - L - 2, clrShadow);
            HorizontalLine(pDC, L + 2, B - 1, R - L - 3, clrDark);
            Pixel(pDC, L + 2, B - 2, clrDark);
            Pixel(pDC, L + 2, B - 1, clrShadow);
            break;
        case kTabPositionBottom:
            VerticalLine(pDC, L, T + 1, B - T - 2, clrLight);
            Pixel(pDC, L + 1, B - 1, clrLight);
            HorizontalLine(pDC, L + 2, B - 1, R - L - 4, clrShadow);
            HorizontalLine(pDC, L + 2, B, R - L - 4, clrDark);
            Pixel(pDC, R - 2, B - 1, clrDark);
            VerticalLine(pDC, R - 1, T, B - T - 1, clrDark);
            VerticalLine(pDC, R - 2, T, B - T - 1, clrShadow);
            break;
        default:
            HorizontalLine(pDC, L + 1, T, R - L - 2, clrLight);
            Pixel(pDC, R - 1, T + 1, clrLight);
            VerticalLine(pDC, R - 1, T + 2, B - T - 4, clrShadow);
            VerticalLine(pDC, R, T + 2, B - T - 4, clrDark);
            Pixel(pDC, R - 1, B - 2, clrDark);
            HorizontalLine(pDC, L + 1, B - 2, R - L - 2, clrShadow);
            HorizontalLine(pDC, L + 1, B - 1, R - L - 2, clrDark);
            break;
    }
    // The selected tab of the row next to the client opens into the client area.
    if (bSelected && pItem->m_nRow == 0) {
        switch (nPosition) {
            case kTabPositionTop:
                HorizontalLine(pDC, L + 1, B - 1, R - L - 3, clrFill);
                break;
            case kTabPositionLeft:
                VerticalLine(pDC, R - 1, T + 1, B - T - 3, clrFill);
                break;
            case kTabPositionBottom:
                HorizontalLine(pDC, L + 1, T + 1, R - L - 1, clrFill);
                rc.bottom += 2;
                break;
            default:
                VerticalLine(pDC, L + 1, T + 1, B - T - 1, clrFill);
                rc.right += 2;
                break;
        }
    }
    m_pPaintManager->DrawTabContent(pDC, pItem, rc, TRUE);
}

void CTkTabPaintManager::CAppearanceSetPropertyPageSelected::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    if (pItem->IsSelected() || pItem->IsHighlighted())
        PaintPropertyPageTab(pDC, pItem);
    else
        m_pPaintManager->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}
