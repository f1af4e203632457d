// The default layout of a tab row: measuring, the header with its navigate buttons, size to fit, the
// scroll clamp, one row or several, rotated tabs, and scrolling a tab into view.

#include "TkTabPaintManager.h"

#include "TkTabAppearanceSet.h"

#include <algorithm>
#include <numeric>

namespace {

// The header's start and end along the row.
int AlongStart(const CRect& rc, BOOL bHorizontal) {
    return bHorizontal ? rc.left : rc.top;
}
int AlongEnd(const CRect& rc, BOOL bHorizontal) {
    return bHorizontal ? rc.right : rc.bottom;
}
int AlongLength(const CRect& rc, BOOL bHorizontal) {
    return bHorizontal ? rc.Width() : rc.Height();
}

// A rectangle from a span along the row and a span across it.
CRect MakeTabRect(BOOL bHorizontal, int nAlong, int nAlongLength, int nAcross, int nAcrossLength) {
    if (bHorizontal)
        return CRect(nAlong, nAcross, nAlong + nAlongLength, nAcross + nAcrossLength);
    return CRect(nAcross, nAlong, nAcross + nAcrossLength, nAlong + nAlongLength);
}

}  // namespace

void CTkTabPaintManager::MeasureItems(CTkTabManager* pManager, CDC* pDC, BOOL bExtraLength) {
    for (int i = 0; i < pManager->GetItemCount(); ++i) {
        CTkTabManagerItem* pItem = pManager->GetItem(i);
        if (!pItem->IsVisible()) {
            pItem->m_nLength = pItem->m_nContentLength = 0;
            continue;
        }
        pItem->m_nLength = pItem->m_nContentLength = m_pAppearanceSet->MeasureTab(pDC, pItem);
        if (bExtraLength)
            pItem->m_nLength += m_nExtraTabLength;
    }
}

CRect CTkTabPaintManager::CalcHeaderRectWithButtons(CTkTabManager* pManager, const CRect& rc) {
    CRect rcHeader = m_pAppearanceSet->CalcHeaderRect(rc, pManager);
    if (IsHorizontalTabPosition(pManager->GetPosition()))
        rcHeader.right -= 1;
    else
        rcHeader.bottom -= 1;
    for (int i = pManager->GetNavigateButtonCount() - 1; i >= 0; --i) {
        if (CTkTabManagerNavigateButton* pButton = pManager->GetNavigateButton(i))
            pButton->Reposition(rcHeader);
    }
    return rcHeader;
}

void CTkTabPaintManager::LayoutDefaultTabs(CTkTabManager* pManager, CDC* pDC, CRect rc) {
    const int nPosition = pManager->GetPosition();
    const BOOL bHorizontal = IsHorizontalTabPosition(nPosition);
    if (pManager->IsDrawStaticFrame())
        DeflateByPosition(rc, 2, 1, 2, 2, nPosition);
    DeflateByPosition(rc, m_rcControlMargin, nPosition);

    if (!m_bShowTabs) {
        pManager->GetHeaderRect().SetRectEmpty();
        for (int i = 0; i < pManager->GetItemCount(); ++i)
            pManager->GetItem(i)->SetRect(CRect(0, 0, 0, 0));
        for (int i = 0; i < pManager->GetNavigateButtonCount(); ++i) {
            if (CTkTabManagerNavigateButton* pButton = pManager->GetNavigateButton(i))
                pButton->SetRect(CRect(0, 0, 0, 0));
        }
        return;
    }
    if (m_nLayout == kTabLayoutMultiRow) {
        LayoutMultiRow(pManager, pDC, rc);
        return;
    }

    MeasureItems(pManager, pDC, TRUE);
    pManager->GetHeaderRect() = m_pAppearanceSet->CalcHeaderRect(rc, pManager);
    if (pManager->GetItemCount() == 0) {
        CalcHeaderRectWithButtons(pManager, rc);
        return;
    }

    const CRect rcInset = m_pAppearanceSet->GetHeaderInset();
    const int h = m_pAppearanceSet->GetRowHeight(pManager);
    int nAcross = 0;
    switch (nPosition) {
        case kTabPositionTop:
            nAcross = rc.top + rcInset.top;
            break;
        case kTabPositionBottom:
            nAcross = rc.bottom - rcInset.top - h;
            break;
        case kTabPositionLeft:
            nAcross = rc.left + rcInset.top;
            break;
        default:
            nAcross = rc.right - rcInset.top - h;
            break;
    }

    if (m_nLayout == kTabLayoutSizeToFit) {
        int nAvailable = AlongLength(rc, bHorizontal) - rcInset.left - rcInset.right;
        for (int i = pManager->GetNavigateButtonCount() - 1; i >= 0; --i) {
            if (CTkTabManagerNavigateButton* pButton = pManager->GetNavigateButton(i))
                pButton->AdjustWidth(nAvailable);
        }
        SizeToFit(pManager, nAvailable);
    }

    CRect& rcHeader = pManager->GetHeaderRect();
    rcHeader = CalcHeaderRectWithButtons(pManager, rc);

    // The row never stays scrolled further than its tabs need.
    if (pManager->GetScrollOffset() < 0) {
        const int nTotal = pManager->GetItemsLength();
        const int nAvailable = AlongLength(rcHeader, bHorizontal) - rcInset.left - rcInset.right;
        if (nTotal + pManager->GetScrollOffset() < nAvailable) {
            pManager->m_nScrollOffset = nAvailable - nTotal < 1 ? nAvailable - nTotal : 0;
            rcHeader = CalcHeaderRectWithButtons(pManager, rc);
        }
    }

    int nAlong = AlongStart(rcHeader, bHorizontal) + pManager->GetScrollOffset() + rcInset.left;
    for (int i = 0; i < pManager->GetItemCount(); ++i) {
        CTkTabManagerItem* pItem = pManager->GetItem(i);
        if (m_nLayout != kTabLayoutRotated) {
            const int nLength = pItem->IsVisible() ? pItem->m_nLength : 0;
            pItem->SetRect(MakeTabRect(bHorizontal, nAlong, nLength, nAcross, h));
            nAlong += nLength;
            continue;
        }
        if (!pItem->IsVisible())
            continue;
        const int nLength = pItem->m_nLength;
        switch (nPosition) {
            case kTabPositionTop:
                pItem->SetRect(CRect(nAlong, rcHeader.bottom - rcInset.bottom - nLength, nAlong + h,
                                     rcHeader.bottom - rcInset.bottom));
                break;
            case kTabPositionBottom:
                pItem->SetRect(
                    CRect(nAlong, rcHeader.top + rcInset.bottom, nAlong + h, rcHeader.top + rcInset.bottom + nLength));
                break;
            case kTabPositionLeft:
                pItem->SetRect(CRect(rcHeader.right - rcInset.bottom - nLength, nAlong, rcHeader.right - rcInset.bottom,
                                     nAlong + h));
                break;
            default:
                pItem->SetRect(CRect(rcHeader.left + rcInset.bottom, nAlong, rcHeader.left + rcInset.bottom + nLength,
                                     nAlong + h));
                break;
        }
        nAlong += h;
    }
}

void CTkTabPaintManager::SizeToFit(CTkTabManager* pManager, int nAvailable) {
    const int nCount = pManager->GetItemCount();
    if (nCount == 0 || pManager->GetItemsLength() <= nAvailable)
        return;
    if (nCount == 1) {
        pManager->GetItem(0)->m_nLength = nAvailable;
        return;
    }
    std::vector<CTkTabManagerItem*> items;
    for (int i = 0; i < nCount; ++i)
        items.push_back(pManager->GetItem(i));
    std::stable_sort(items.begin(), items.end(), [](const CTkTabManagerItem* a, const CTkTabManagerItem* b) {
        return a->m_nLength < b->m_nLength;
    });
    int nLeft = nCount;
    size_t i = 0;
    for (; i < items.size(); ++i) {
        if (nLeft * items[i]->m_nLength >= nAvailable)
            break;
        nAvailable -= items[i]->m_nLength;
        --nLeft;
    }
    // The rest share what is left; the remainder of each division passes to the later tabs.
    for (; i < items.size(); ++i) {
        const int nShare = nAvailable / nLeft;
        items[i]->m_nLength = nShare;
        nAvailable -= nShare;
        --nLeft;
    }
}

// ---- Several rows

int CTkTabPaintManager::CalcRows(CTkTabManager* pManager, CDC* pDC, int nWidth) {
    MeasureItems(pManager, pDC, FALSE);
    int nRows = 1;
    int nRowLength = 0;
    for (int i = 0; i < pManager->GetItemCount(); ++i) {
        const int nLength = pManager->GetItem(i)->m_nLength;
        if (nRowLength > 0 && nRowLength + nLength > nWidth) {
            ++nRows;
            nRowLength = 0;
        }
        nRowLength += nLength;
    }
    return nRows;
}

BOOL CTkTabPaintManager::FillRows(CTkTabManager* pManager, int nWidth, int nRow, int nRemaining) {
    const int nRows = pManager->GetRowCount();
    const int nLimit = m_bBalanceRows ? std::min(nWidth, nRemaining / (nRows - nRow)) : nWidth;
    CTkTabManager::TabRow& row = pManager->GetRow(nRow);
    int nRowLength = 0;
    int i = row.nFirst;
    for (; i < pManager->GetItemCount(); ++i) {
        CTkTabManagerItem* pItem = pManager->GetItem(i);
        const int nLength = pItem->m_nLength;
        if (nLength > 0 && i > row.nFirst && nRowLength + nLength > nLimit) {
            if (nRow == nRows - 1)
                return FALSE;
            pManager->GetRow(nRow + 1).nFirst = i;
            if (FillRows(pManager, nWidth, nRow + 1, nRemaining - nRowLength)) {
                pManager->GetRow(nRow).nLast = i - 1;
                return TRUE;
            }
            if (nRowLength + nLength > nWidth)
                return FALSE;
        }
        nRowLength += nLength;
        pItem->m_nRow = nRow;
    }
    pManager->GetRow(nRow).nLast = i - 1;
    // Rows after the last tab stay empty.
    for (int r = nRow + 1; r < nRows; ++r)
        pManager->GetRow(r) = CTkTabManager::TabRow{i, i - 1};
    return TRUE;
}

void CTkTabPaintManager::LayoutMultiRow(CTkTabManager* pManager, CDC* pDC, CRect rc) {
    const int nPosition = pManager->GetPosition();
    const BOOL bHorizontal = IsHorizontalTabPosition(nPosition);
    pManager->m_nScrollOffset = 0;
    pManager->GetHeaderRect() = CalcHeaderRectWithButtons(pManager, rc);
    const int nCount = pManager->GetItemCount();
    if (nCount == 0)
        return;

    const CRect rcInset = m_pAppearanceSet->GetHeaderInset();
    const int nWidth = AlongLength(pManager->GetHeaderRect(), bHorizontal) - rcInset.left - rcInset.right;
    const int nRows = CalcRows(pManager, pDC, nWidth);
    pManager->ResetRows(nRows);
    if (nRows > 1) {
        pManager->GetRow(0).nFirst = 0;
        FillRows(pManager, nWidth, 0, pManager->GetItemsLength());
        CTkTabManagerItem* pSelected = pManager->GetSelectedItem();
        if (pSelected != nullptr && !m_bFixedSelectedRow) {
            for (int r = 1; r < nRows; ++r) {
                const CTkTabManager::TabRow row = pManager->GetRow(r);
                if (pSelected->GetIndex() >= row.nFirst && pSelected->GetIndex() <= row.nLast) {
                    std::swap(pManager->GetRow(0), pManager->GetRow(r));
                    break;
                }
            }
        }
    }

    const int h = m_pAppearanceSet->GetRowHeight(pManager);
    const int nStep = h + m_pAppearanceSet->m_nRowSpacing;
    for (int r = 0; r < nRows; ++r) {
        const CTkTabManager::TabRow row = pManager->GetRow(r);
        int nAcross = 0;
        switch (nPosition) {
            case kTabPositionTop:
                nAcross = rc.top + rcInset.top + (nRows - 1) * nStep - r * nStep;
                break;
            case kTabPositionBottom:
                nAcross =
                    rc.bottom - (nRows - 1) * m_pAppearanceSet->m_nRowSpacing - nRows * h - rcInset.top + r * nStep;
                break;
            case kTabPositionLeft:
                nAcross = rc.left + rcInset.top + (nRows - 1) * nStep - r * nStep;
                break;
            default:
                nAcross =
                    rc.right - (nRows - 1) * m_pAppearanceSet->m_nRowSpacing - nRows * h - rcInset.top + r * nStep;
                break;
        }
        int nLengths = 0;
        for (int i = row.nFirst; i <= row.nLast; ++i)
            nLengths += pManager->GetItem(i)->m_nLength;
        int nSpaceLeft = nWidth;
        int nTabsLeft = row.nLast - row.nFirst + 1;
        const BOOL bStretch = m_bBalanceRows && nRows >= 2;
        int nAlong = AlongStart(pManager->GetHeaderRect(), bHorizontal) + rcInset.left;
        for (int i = row.nFirst; i <= row.nLast; ++i) {
            CTkTabManagerItem* pItem = pManager->GetItem(i);
            pItem->m_nRow = r;
            int nLength = pItem->m_nLength;
            if (bStretch) {
                nLength += (nSpaceLeft - nLengths) / nTabsLeft;
                nSpaceLeft -= nLength;
                nLengths -= pItem->m_nLength;
                --nTabsLeft;
                pItem->m_nLength = nLength;
            }
            pItem->SetRect(MakeTabRect(bHorizontal, nAlong, nLength, nAcross, h));
            nAlong += nLength;
        }
    }
    pManager->GetHeaderRect() = CalcHeaderRectWithButtons(pManager, rc);
}

void CTkTabPaintManager::EnsureVisible(CTkTabManager* pManager, CTkTabManagerItem* pItem) {
    const CRect rcHeader = pManager->GetHeaderRect();
    if (rcHeader.IsRectEmpty() || pItem->GetRect().IsRectEmpty() || m_nLayout == kTabLayoutSizeToFit)
        return;
    const BOOL bHorizontal = IsHorizontalTabPosition(pManager->GetPosition());
    const CRect rcInset = m_pAppearanceSet->GetHeaderInset();
    int nOffset = pManager->GetScrollOffset();
    const int nItemStart = AlongStart(pItem->GetRect(), bHorizontal);
    const int nItemEnd = AlongEnd(pItem->GetRect(), bHorizontal);
    if (nItemStart < AlongStart(rcHeader, bHorizontal))
        nOffset += AlongStart(rcHeader, bHorizontal) - nItemStart + rcInset.left;
    else if (nItemEnd > AlongEnd(rcHeader, bHorizontal))
        nOffset += AlongEnd(rcHeader, bHorizontal) - nItemEnd - 2;
    pManager->SetScrollOffset(nOffset);
}
