// The polygon looks: slanted Office 2003 tabs, overlapping Visual Studio 2005 tabs with rounded tops,
// and trapezoid sheet tabs. Each fills its shape through the colour set (FillTabPolygon), outlines it,
// and draws the content into the tab's own rectangle. L, T, R, B are the tab rectangle, H = B - T and
// W = R - L.

#include "TkTabAppearanceSet.h"

#include "TkTabColorSet.h"

#include <span>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The tab's thickness across the row.
int Thickness(const CRect& rc, int nPosition) {
    return IsHorizontalTabPosition(nPosition) ? rc.Height() : rc.Width();
}

// The lines drawn over a polygon tab's fill.
struct TabEdgeColors {
    COLORREF clrOutline;
    COLORREF clrFirst;   // the inner edge on the far side of the slant
    COLORREF clrSecond;  // the inner edge along the top and the slant
};

// The colour set's tab border and face colours; white inner edges inside the selected border for the
// selected tab.
TabEdgeColors GetTabEdgeColors(CTkTabPaintManager::CColorSet* pColors, const CTkTabManagerItem* pItem) {
    using CAppearanceSet = CTkTabPaintManager::CAppearanceSet;
    if (pItem->IsSelected())
        return {CAppearanceSet::Effective(pColors->m_clrSelectedTabBorder), kWhite, kWhite};
    return {CAppearanceSet::Effective(pColors->m_clrTabBorder), CAppearanceSet::Effective(pColors->m_clrTabFaceStart),
            CAppearanceSet::Effective(pColors->m_clrTabFaceEnd)};
}

// Fills the tab's shape through the colour set, then draws its outline and its two inner edges over the
// fill; answers the fill colour.
COLORREF PaintPolygonTab(CTkTabPaintManager::CAppearanceSet& set, CDC* pDC, CTkTabManagerItem* pItem,
                         std::span<const POINT> fill, std::span<const POINT> outline, std::span<const POINT> first,
                         std::span<const POINT> second, const TabEdgeColors& colors) {
    using CAppearanceSet = CTkTabPaintManager::CAppearanceSet;
    const COLORREF clrFill = set.FillTabPolygon(pDC, pItem, fill.data(), static_cast<int>(fill.size()));
    CAppearanceSet::PaintPolyline(pDC, colors.clrOutline, outline.data(), static_cast<int>(outline.size()));
    CAppearanceSet::PaintPolyline(pDC, colors.clrFirst, first.data(), static_cast<int>(first.size()));
    CAppearanceSet::PaintPolyline(pDC, colors.clrSecond, second.data(), static_cast<int>(second.size()));
    return clrFill;
}

}  // namespace

// ---- Office 2003

CRect CTkTabPaintManager::CAppearanceSetPropertyPage2003::GetHeaderInset() {
    CRect rc = m_rcHeaderInset;
    rc.left += m_nTextRowHeight;
    return rc;
}

CRect CTkTabPaintManager::CAppearanceSetPropertyPage2003::GetTabPaintRect(CTkTabManagerItem* pItem) {
    CRect rc = pItem->GetRect();
    const int nPosition = GetPosition();
    // The slanted start reaches back over the previous tab.
    InflateByPosition(rc, Thickness(rc, nPosition), 0, 2, 0, nPosition);
    return rc;
}

CRect CTkTabPaintManager::CAppearanceSetPropertyPage2003::PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC,
                                                                               CRect rcControl) {
    CColorSet* pColors = GetColorSet();
    const CRect rcHeader = CalcHeaderRect(rcControl, pManager);
    pColors->FillHeader(pDC, rcHeader, pManager);
    const CRect rc = CalcClientRect(rcControl, pManager);
    const COLORREF clrBorder = Effective(pColors->m_clrSelectedTabBorder);
    if (m_pPaintManager->m_nClientFrame == 0) {
        pColors->FillClient(pDC, rc, pManager);
        if (clrBorder != kColorUnset)
            pDC->Draw3dRect(rc, clrBorder, clrBorder);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        PaintHeaderSideEdge(pDC, rc, pManager->GetPosition(), clrBorder, clrBorder);
    }
    return rcHeader;
}

void CTkTabPaintManager::CAppearanceSetPropertyPage2003::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    CColorSet* pColors = GetColorSet();
    const int nPosition = GetPosition();
    const CRect& rc = pItem->GetRect();
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom, H = B - T, W = R - L;
    TabEdgeColors colors = GetTabEdgeColors(pColors, pItem);
    if (m_bHotBorder && pItem->IsHighlighted()) {
        const COLORREF clrHot = pColors->m_clrStateButtonBorder.m_secondColor.GetEffective();
        colors = {clrHot, clrHot, clrHot};
    }

    COLORREF clrFill = kColorUnset;
    switch (nPosition) {
        case kTabPositionTop: {
            const POINT fill[] = {{R - 1, B - 1}, {R - 1, T + 2}, {L + 4, T + 2}, {L + 8 - H, B - 2}};
            const POINT outline[] = {{R, B - 2},     {R, T + 2},         {R - 2, T},        {L + 7, T},
                                     {L + 2, T + 2}, {L + 6 - H, B - 2}, {L + 4 - H, B - 2}};
            const POINT first[] = {{R - 1, B - 2}, {R - 1, T + 2}, {R - 3, T}};
            const POINT second[] = {{R - 3, T + 1}, {L + 6, T + 1}, {L + 1, T + 4}, {L + 6 - H, B - 1}};
            clrFill = PaintPolygonTab(*this, pDC, pItem, fill, outline, first, second, colors);
            if (pItem->IsSelected())
                HorizontalLine(pDC, L + 5 - H, B - 1, W + H - 4, clrFill);
            break;
        }
        case kTabPositionLeft: {
            const POINT fill[] = {{R - 1, B - 1}, {L + 2, B - 1}, {L + 2, T + 4}, {R - 1, T + 7 - W}};
            const POINT outline[] = {{R - 2, B},     {L + 2, B},         {L, B - 2},        {L, T + 7},
                                     {L + 2, T + 2}, {R - 2, T + 6 - W}, {R - 2, T + 4 - W}};
            const POINT first[] = {{R - 2, B - 1}, {L + 2, B - 1}, {L, B - 3}};
            const POINT second[] = {{L + 1, B - 3}, {L + 1, T + 6}, {L + 4, T + 1}, {R - 1, T + 6 - W}};
            clrFill = PaintPolygonTab(*this, pDC, pItem, fill, outline, first, second, colors);
            if (pItem->IsSelected())
                VerticalLine(pDC, R - 1, T + 5 - W, W + H - 4, clrFill);
            break;
        }
        case kTabPositionBottom: {
            const POINT fill[] = {{R - 1, T}, {R - 1, B - 1}, {L + 4, B - 1}, {L + 7 - H, T + 1}};
            const POINT outline[] = {{R, T + 1},     {R, B - 2},         {R - 2, B},        {L + 7, B},
                                     {L + 2, B - 2}, {L + 5 - H, T + 1}, {L + 3 - H, T + 1}};
            const POINT first[] = {{R - 1, T + 1}, {R - 1, B - 2}, {R - 3, B}};
            const POINT second[] = {{R - 3, B - 1}, {L + 6, B - 1}, {L + 1, B - 4}, {L + 5 - H, T}};
            clrFill = PaintPolygonTab(*this, pDC, pItem, fill, outline, first, second, colors);
            if (pItem->IsSelected())
                HorizontalLine(pDC, L + 4 - H, T, W + H - 3, clrFill);
            break;
        }
        default: {
            const POINT fill[] = {{L + 1, B - 1}, {R - 1, B - 1}, {R - 1, T + 4}, {L + 1, T + 6 - W}};
            const POINT outline[] = {{L + 1, B},     {R - 2, B},         {R, B - 2},        {R, T + 7},
                                     {R - 2, T + 2}, {L + 1, T + 5 - W}, {L + 1, T + 3 - W}};
            const POINT first[] = {{L + 1, B - 1}, {R - 2, B - 1}, {R, B - 3}};
            const POINT second[] = {{R - 1, B - 3}, {R - 1, T + 6}, {R - 4, T + 1}, {L, T + 5 - W}};
            clrFill = PaintPolygonTab(*this, pDC, pItem, fill, outline, first, second, colors);
            if (pItem->IsSelected())
                VerticalLine(pDC, L, T + 4 - W, W + H - 3, clrFill);
            break;
        }
    }
    m_pPaintManager->DrawTabContent(pDC, pItem, rc, TRUE);
}

// ---- Visual Studio 2005

CRect CTkTabPaintManager::CAppearanceSetVisualStudio2005::GetHeaderInset() {
    CRect rc = m_rcHeaderInset;
    rc.left += m_nTextRowHeight / 2;
    return rc;
}

CRect CTkTabPaintManager::CAppearanceSetVisualStudio2005::GetTabPaintRect(CTkTabManagerItem* pItem) {
    CRect rc = pItem->GetRect();
    const int nPosition = GetPosition();
    const int nHalf = Thickness(rc, nPosition) / 2;
    InflateByPosition(rc, nHalf, 0, nHalf, 0, nPosition);
    return rc;
}

void CTkTabPaintManager::CAppearanceSetVisualStudio2005::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    CColorSet* pColors = GetColorSet();
    const int nPosition = GetPosition();
    const CRect& rc = pItem->GetRect();
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    const int t = Thickness(rc, nPosition) / 2;
    std::vector<POINT> shape;
    std::vector<POINT> first;
    std::vector<POINT> second;
    switch (nPosition) {
        case kTabPositionTop:
            shape = {{R + t - 4, B - 1}, {R - 1, B - 2 * t + 5}, {R - 5, B - 2 * t + 1}, {R - 8, B - 2 * t},
                     {L + 8, B - 2 * t}, {L + 5, B - 2 * t + 1}, {L + 2, B - 2 * t + 4}, {L + 4 - t, B}};
            first = {{R + t - 5, B - 1}, {R - 2, B - 2 * t + 5}, {R - 5, B - 2 * t + 2}, {R - 8, B - 2 * t + 1}};
            second = {{R - 7, B - 2 * t + 1},
                      {L + 8, B - 2 * t + 1},
                      {L + 5, B - 2 * t + 2},
                      {L + 3, B - 2 * t + 4},
                      {L + 5 - t, B}};
            break;
        case kTabPositionLeft:
            shape = {{R - 1, B + t - 4}, {R - 2 * t + 5, B - 1}, {R - 2 * t + 1, B - 5}, {R - 2 * t, B - 8},
                     {R - 2 * t, T + 8}, {R - 2 * t + 1, T + 5}, {R - 2 * t + 4, T + 2}, {R, T + 4 - t}};
            first = {{R - 1, B + t - 5}, {R - 2 * t + 5, B - 2}, {R - 2 * t + 2, B - 5}, {R - 2 * t + 1, B - 8}};
            second = {{R - 2 * t + 1, B - 8},
                      {R - 2 * t + 1, T + 8},
                      {R - 2 * t + 2, T + 5},
                      {R - 2 * t + 4, T + 3},
                      {R, T + 5 - t}};
            break;
        case kTabPositionBottom:
            shape = {{R + t - 4, T + 1}, {R - 1, T + 2 * t - 5}, {R - 5, T + 2 * t - 1}, {R - 7, T + 2 * t},
                     {L + 7, T + 2 * t}, {L + 5, T + 2 * t - 1}, {L + 2, T + 2 * t - 4}, {L + 4 - t, T}};
            first = {{R + t - 5, T + 1}, {R - 2, T + 2 * t - 5}, {R - 5, T + 2 * t - 2}, {R - 7, T + 2 * t - 1}};
            second = {{L + 7, T + 2 * t - 1}, {L + 5, T + 2 * t - 2}, {L + 3, T + 2 * t - 4}, {L + 5 - t, T}};
            break;
        default:
            shape = {{L, B + t - 4},     {L + 2 * t - 5, B - 1}, {L + 2 * t - 1, B - 5}, {L + 2 * t, B - 8},
                     {L + 2 * t, T + 8}, {L + 2 * t - 1, T + 5}, {L + 2 * t - 4, T + 2}, {L, T + 4 - t}};
            first = {{L, B + t - 5},
                     {L + 2 * t - 5, B - 2},
                     {L + 2 * t - 2, B - 5},
                     {L + 2 * t - 1, B - 8},
                     {L + 2 * t - 1, T + 6}};
            second = {{L + 2 * t - 2, T + 5}, {L + 2 * t - 4, T + 3}, {L, T + 5 - t}};
            break;
    }
    PaintPolygonTab(*this, pDC, pItem, shape, shape, first, second, GetTabEdgeColors(pColors, pItem));
    m_pPaintManager->DrawTabContent(pDC, pItem, rc, TRUE);
}

// ---- Excel

CRect CTkTabPaintManager::CAppearanceSetExcel::GetHeaderInset() {
    CRect rc = m_rcHeaderInset;
    rc.left += m_nTextRowHeight / 2;
    rc.right += m_nTextRowHeight / 2;
    return rc;
}

CRect CTkTabPaintManager::CAppearanceSetExcel::GetTabPaintRect(CTkTabManagerItem* pItem) {
    CRect rc = pItem->GetRect();
    const int nPosition = GetPosition();
    const int nHalf = Thickness(rc, nPosition) / 2;
    InflateByPosition(rc, nHalf, 0, nHalf, 0, nPosition);
    return rc;
}

void CTkTabPaintManager::CAppearanceSetExcel::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    CColorSet* pColors = GetColorSet();
    const BOOL bSelected = pItem->IsSelected();
    const CTkPaintManagerColor* pBlock = bSelected ? pColors->m_clrExcelSelectedTab : pColors->m_clrExcelTab;
    auto c = [pBlock](int n) { return pBlock[n].GetEffective(); };
    const CRect& rcTab = pItem->GetRect();
    int L = rcTab.left, T = rcTab.top, R = rcTab.right, B = rcTab.bottom;
    switch (GetPosition()) {
        case kTabPositionTop: {
            const int Bp = B - 1, f = (Bp - T) / 2;
            L -= f / 2;
            R -= f / 2;
            const POINT fill[] = {{L, Bp}, {L + f, Bp - 2 * f}, {R, Bp - 2 * f}, {R + f, Bp}};
            const COLORREF clrFill = FillTabPolygon(pDC, pItem, fill, 4);
            PaintLine(pDC, c(3), L + 1, Bp - 1, L + f + 1, T);
            PaintLine(pDC, c(3), L + f, T + 1, R, T + 1);
            PaintLine(pDC, c(4), R - 1, T, R + f - 1, Bp);
            PaintLine(pDC, c(0), L, Bp - 1, L + f, T);
            PaintLine(pDC, c(0), L + f, T, R, T);
            PaintLine(pDC, c(2), R, T, R + f, Bp);
            if (bSelected)
                HorizontalLine(pDC, L, Bp, R + f - L, clrFill);
            break;
        }
        case kTabPositionBottom: {
            const int Bp = B - 1, f = (Bp - T) / 2;
            L -= f / 2;
            R -= f / 2;
            const POINT fill[] = {{L, T + 1}, {L + f, T + 1 + 2 * f}, {R, T + 1 + 2 * f}, {R + f, T + 1}};
            const COLORREF clrFill = FillTabPolygon(pDC, pItem, fill, 4);
            PaintLine(pDC, c(3), L + 1, T + 1, L + f + 1, Bp);
            PaintLine(pDC, c(5), L + f, Bp - 1, R, Bp - 1);
            PaintLine(pDC, c(4), R - 1, Bp, R + f - 1, T);
            PaintLine(pDC, c(0), L, T + 1, L + f, Bp);
            PaintLine(pDC, c(1), L + f, Bp, R, Bp);
            PaintLine(pDC, c(2), R, Bp, R + f, T);
            if (bSelected)
                HorizontalLine(pDC, L, T, R + f - L, clrFill);
            break;
        }
        case kTabPositionLeft: {
            const int Rp = R - 1, f = (Rp - L) / 2;
            T -= f / 2;
            B -= f / 2;
            const POINT fill[] = {{Rp, T}, {Rp - 2 * f, T + f}, {Rp - 2 * f, B}, {Rp, B + f}};
            const COLORREF clrFill = FillTabPolygon(pDC, pItem, fill, 4);
            PaintLine(pDC, c(3), Rp - 1, T + 1, L, T + f + 1);
            PaintLine(pDC, c(3), L + 1, T + f, L + 1, B);
            PaintLine(pDC, c(4), L, B - 1, Rp, B + f - 1);
            PaintLine(pDC, c(0), Rp - 1, T, L, T + f);
            PaintLine(pDC, c(0), L, T + f, L, B);
            PaintLine(pDC, c(2), L, B, Rp, B + f);
            if (bSelected)
                VerticalLine(pDC, Rp, T, B + f - T, clrFill);
            break;
        }
        default: {
            const int Rp = R - 1, f = (Rp - L) / 2;
            T -= f / 2;
            B -= f / 2;
            const POINT fill[] = {{L + 1, T}, {L + 1 + 2 * f, T + f}, {L + 1 + 2 * f, B}, {L + 1, B + f}};
            const COLORREF clrFill = FillTabPolygon(pDC, pItem, fill, 4);
            PaintLine(pDC, c(3), L + 1, T + 1, Rp, T + f + 1);
            PaintLine(pDC, c(3), Rp - 1, T + f, Rp - 1, B);
            PaintLine(pDC, c(4), Rp, B - 1, L, B + f - 1);
            PaintLine(pDC, c(0), L + 1, T, Rp, T + f);
            PaintLine(pDC, c(0), Rp, T + f, Rp, B);
            PaintLine(pDC, c(2), Rp, B, L, B + f);
            if (bSelected)
                VerticalLine(pDC, L, T, B + f - T, clrFill);
            break;
        }
    }
    m_pPaintManager->DrawTabContent(pDC, pItem, rcTab, TRUE);
}
