// The rectangular looks: flat framed tabs, the flat property page, state buttons and the Visual Studio
// tabs with separators.

#include "TkTabAppearanceSet.h"

#include "TkDCWrappers.h"
#include "TkDrawHelpers.h"
#include "TkTabColorSet.h"

namespace {

// The tab rectangle taken one pixel longer along the row.
CRect LengthenAlongRow(CRect rc, int nPosition, int nPixels) {
    if (IsHorizontalTabPosition(nPosition))
        rc.right += nPixels;
    else
        rc.bottom += nPixels;
    return rc;
}

// A frame in one colour; nothing for an unset colour.
void FrameInColor(CDC* pDC, const CRect& rc, COLORREF clr) {
    if (clr != kColorUnset)
        pDC->Draw3dRect(rc, clr, clr);
}

// A tab's frame in one colour; the selected tab's reaches one pixel further, over the client's edge.
void FrameTab(CDC* pDC, CRect rc, int nPosition, BOOL bSelected, COLORREF clr) {
    if (bSelected)
        CTkTabPaintManager::InflateByPosition(rc, 0, 0, 0, 1, nPosition);
    FrameInColor(pDC, rc, clr);
}

// The separator after an unselected tab: a line across the row on the tab's end, nInset short of
// either side.
void PaintSeparatorAfter(CDC* pDC, const CRect& rcTab, int nPosition, int nInset, COLORREF clr) {
    using CAppearanceSet = CTkTabPaintManager::CAppearanceSet;
    if (IsHorizontalTabPosition(nPosition))
        CAppearanceSet::VerticalLine(pDC, rcTab.right, rcTab.top + nInset, rcTab.Height() - 2 * nInset, clr);
    else
        CAppearanceSet::HorizontalLine(pDC, rcTab.left + nInset, rcTab.bottom, rcTab.Width() - 2 * nInset, clr);
}

// The two corners of a tab on the row's outer side, each with the unit steps along the row into the tab
// and across the row into it.
struct OuterCorner {
    CPoint pt;
    CSize along;
    CSize across;
};

void GetOuterCorners(const CRect& rc, int nPosition, OuterCorner corners[2]) {
    switch (nPosition) {
        case kTabPositionBottom:
            corners[0] = {CPoint(rc.left, rc.bottom - 1), CSize(1, 0), CSize(0, -1)};
            corners[1] = {CPoint(rc.right - 1, rc.bottom - 1), CSize(-1, 0), CSize(0, -1)};
            break;
        case kTabPositionLeft:
            corners[0] = {CPoint(rc.left, rc.top), CSize(0, 1), CSize(1, 0)};
            corners[1] = {CPoint(rc.left, rc.bottom - 1), CSize(0, -1), CSize(1, 0)};
            break;
        case kTabPositionRight:
            corners[0] = {CPoint(rc.right - 1, rc.top), CSize(0, 1), CSize(-1, 0)};
            corners[1] = {CPoint(rc.right - 1, rc.bottom - 1), CSize(0, -1), CSize(-1, 0)};
            break;
        default:
            corners[0] = {CPoint(rc.left, rc.top), CSize(1, 0), CSize(0, 1)};
            corners[1] = {CPoint(rc.right - 1, rc.top), CSize(-1, 0), CSize(0, 1)};
            break;
    }
}

// Softens the outer corners: the pixels next to each cut corner blend with what lies outside the tab.
void SoftenOuterCorners(CDC* pDC, const CRect& rc, int nPosition) {
    OuterCorner corners[2];
    GetOuterCorners(rc, nPosition, corners);
    POINT pairs[20];
    int n = 0;
    for (const OuterCorner& c : corners) {
        const CSize a = c.along;
        const CSize b = c.across;
        const CPoint points[5] = {c.pt + a, c.pt + b, c.pt + a + b, c.pt + a + a, c.pt + b + b};
        const CSize offsets[5] = {-a, -b, CSize(-a.cx - b.cx, -a.cy - b.cy), -b, -a};
        for (int i = 0; i < 5; ++i) {
            pairs[n++] = points[i];
            pairs[n++] = CPoint(offsets[i].cx, offsets[i].cy);
        }
    }
    GetDrawHelpers()->AveragePixelPairs(pDC, pairs, n);
}

}  // namespace

// ---- Flat

CRect CTkTabPaintManager::CAppearanceSetFlat::PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC, CRect rcControl) {
    CColorSet* pColors = GetColorSet();
    const CRect rcHeader = CalcHeaderRect(rcControl, pManager);
    pColors->FillHeader(pDC, rcHeader, pManager);
    const CRect rc = CalcClientRect(rcControl, pManager);
    const COLORREF clrBorder = Effective(pColors->m_clrFrameBorder);
    if (m_pPaintManager->m_nClientFrame == 0) {
        pColors->FillClient(pDC, rc, pManager);
        FrameInColor(pDC, rc, clrBorder);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        pColors->FillClient(pDC, rc, pManager);
        PaintHeaderSideEdge(pDC, rc, pManager->GetPosition(), clrBorder, clrBorder);
    }
    return rcHeader;
}

void CTkTabPaintManager::CAppearanceSetFlat::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    CColorSet* pColors = GetColorSet();
    const int nPosition = GetPosition();
    const CRect rc = LengthenAlongRow(pItem->GetRect(), nPosition, 1);
    pColors->FillTab(pDC, rc, pItem);
    FrameTab(pDC, rc, nPosition, pItem->IsSelected(), Effective(pColors->m_clrFrameBorder));
    m_pPaintManager->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}

// ---- Flat property page

void CTkTabPaintManager::CAppearanceSetPropertyPageFlat::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    CColorSet* pColors = GetColorSet();
    const int nPosition = GetPosition();
    const BOOL bSelected = pItem->IsSelected();
    const COLORREF clrBorder = Effective(pColors->m_clrFrameBorder);
    const CRect rc = LengthenAlongRow(pItem->GetRect(), nPosition, 1);
    CRect rcFill = rc;
    DeflateByPosition(rcFill, 1, 1, 1, 0, nPosition);
    CRect rcRounded = rc;
    InflateByPosition(rcRounded, 0, 0, 0, 2, nPosition);
    auto roundedFrame = [&] {
        if (clrBorder == kColorUnset)
            return;
        CTkPenDC pen(pDC->GetSafeHdc(), clrBorder);
        CScopedSelectObject brush(pDC->GetSafeHdc(), ::GetStockObject(NULL_BRUSH));
        pDC->RoundRect(rcRounded, CPoint(6, 6));
    };
    {
        CScopedSaveDC saveClip(pDC->GetSafeHdc());
        CRect rcCorners = rc;
        InflateByPosition(rcCorners, 0, 0, 0, 1, nPosition);
        pDC->ExcludeClipRect(rcCorners.left, rcCorners.top, rcCorners.left + 1, rcCorners.top + 1);
        pDC->ExcludeClipRect(rcCorners.right - 1, rcCorners.top, rcCorners.right, rcCorners.top + 1);
        pDC->ExcludeClipRect(rcCorners.left, rcCorners.bottom - 1, rcCorners.left + 1, rcCorners.bottom);
        pDC->ExcludeClipRect(rcCorners.right - 1, rcCorners.bottom - 1, rcCorners.right, rcCorners.bottom);
        if (m_bTabSeparators) {
            if (bSelected) {
                pColors->FillTab(pDC, rcFill, pItem);
                roundedFrame();
            } else if (pItem->GetIndex() < pItem->GetTabManager()->GetItemCount() - 1) {
                PaintSeparatorAfter(pDC, pItem->GetRect(), nPosition, 3, clrBorder);
            }
        } else {
            pColors->FillTab(pDC, rcFill, pItem);
            if (m_bFramedTabs) {
                FrameTab(pDC, rc, nPosition, bSelected, clrBorder);
            } else {
                roundedFrame();
                if (!bSelected && m_pPaintManager->m_nClientFrame != 2) {
                    static const int kFarSide[] = {2, 3, 0, 1};
                    PaintEdgeLine(pDC, rc, kFarSide[nPosition & 3], clrBorder, clrBorder);
                }
            }
        }
        m_pPaintManager->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
    }
    if (m_bFramedTabs)
        SoftenOuterCorners(pDC, rc, nPosition);
}

// ---- State buttons

CRect CTkTabPaintManager::CAppearanceSetStateButtons::PaintHeaderAndClient(CTkTabManager* pManager, CDC*,
                                                                           CRect rcControl) {
    return CalcHeaderRect(rcControl, pManager);
}

void CTkTabPaintManager::CAppearanceSetStateButtons::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    GetColorSet()->FillStateButton(pDC, pItem->GetRect(), pItem);
    m_pPaintManager->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}

// ---- Visual Studio

CRect CTkTabPaintManager::CAppearanceSetVisualStudio::PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC,
                                                                           CRect rcControl) {
    CColorSet* pColors = GetColorSet();
    const CRect rcHeader = CalcHeaderRect(rcControl, pManager);
    pColors->FillHeader(pDC, rcHeader, pManager);
    const CRect rc = CalcClientRect(rcControl, pManager);
    const COLORREF clrLight = Effective(pColors->m_clrTabHighlight);
    const COLORREF clrDark = Effective(pColors->m_clrSelectedText);
    if (m_pPaintManager->m_nClientFrame == 0) {
        pColors->FillClient(pDC, rc, pManager);
        for (int nSide = 0; nSide < 4; ++nSide)
            PaintEdgeLine(pDC, rc, nSide, clrLight, clrDark);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        PaintHeaderSideEdge(pDC, rc, pManager->GetPosition(), clrLight, clrDark);
    }
    return rcHeader;
}

void CTkTabPaintManager::CAppearanceSetVisualStudio::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    CColorSet* pColors = GetColorSet();
    const int nPosition = GetPosition();
    const CRect rc = pItem->GetRect();
    if (pItem->IsSelected()) {
        pColors->FillTab(pDC, rc, pItem);
        CRect rcFrame = rc;
        InflateByPosition(rcFrame, 0, 0, 0, 1, nPosition);
        for (int nSide = 0; nSide < 4; ++nSide)
            PaintEdgeLine(pDC, rcFrame, nSide, Effective(pColors->m_clrTabHighlight),
                          Effective(pColors->m_clrSelectedText));
    } else {
        PaintSeparatorAfter(pDC, rc, nPosition, 2, Effective(pColors->m_clrFrameBorder));
    }
    m_pPaintManager->DrawTabContent(pDC, pItem, rc, TRUE);
}
