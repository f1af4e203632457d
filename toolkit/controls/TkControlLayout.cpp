#include "TkControlLayout.h"

#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkImageManager.h"
#include "TkPaintManager.h"
#include "TkPopupBar.h"

#include <algorithm>

namespace {

// The width searches re-wrap the whole array per step; a wrap at w can be wider than w, so a bound may
// stop moving: the searches end then, and after this many steps in any case.
constexpr int kMaxSearchSteps = 32;
constexpr int kWidestWrap = 0x7FFF;
constexpr int kEmptyBarWidth = 23;
constexpr int kEmptyBarHeight = 22;
constexpr int kStackedGroupGap = 6;

BOOL IsPlaced(const LayoutRecord& record) {
    return record.bVisible && !record.bHidden;
}

int Along(CSize size, BOOL bVertical) {
    return bVertical ? size.cy : size.cx;
}

// Wraps at a trial width; the mode bits a trial sets are kept apart from the caller's until a wrap is
// final.
struct TrialWrapper {
    LayoutRecords& records;
    DWORD dwMode;
    DWORD dwLastMode = 0;

    CSize At(int nWidth) {
        dwLastMode = dwMode;
        WrapRows(records, nWidth, dwLastMode);
        return CalcRowsSize(records, FALSE);
    }
    int RowsAt(int nWidth) {
        dwLastMode = dwMode;
        return WrapRows(records, nWidth, dwLastMode);
    }
};

// The rows of placed records: [first, last] index ranges, a row starting at each Wrap.
std::vector<std::pair<size_t, size_t>> SplitRows(const LayoutRecords& records) {
    std::vector<std::pair<size_t, size_t>> rows;
    for (size_t i = 0; i < records.size(); ++i) {
        if (!IsPlaced(records[i]))
            continue;
        if (rows.empty() || records[i].bWrap)
            rows.emplace_back(i, i);
        else
            rows.back().second = i;
    }
    return rows;
}

}  // namespace

// ---- Toolbar steps

int WrapRows(LayoutRecords& records, int nLength, DWORD& dwMode) {
    if (records.empty())
        return 0;
    const BOOL bVertical = (dwMode & kLayoutVertDock) != 0;
    const int nSeparator = Along(records[0].szSeparator, bVertical);
    int nRowStarts = 0;
    int nPos = 0;
    size_t nRowStart = 0;      // the first placed record of the current row
    BOOL bFirstPlaced = TRUE;  // nothing placed yet in the bar
    for (size_t i = 0; i < records.size(); ++i) {
        LayoutRecord& record = records[i];
        record.bWrap = record.bHidden = FALSE;
        if (!record.bVisible)
            continue;
        const int nExtent = Along(record.szControl, bVertical);
        if (bFirstPlaced) {
            bFirstPlaced = FALSE;
            nRowStart = i;
            nPos = nExtent;
            continue;
        }
        if (record.dwFlags & kControlFlagNewRow) {
            record.bWrap = TRUE;
            ++nRowStarts;
            nRowStart = i;
            nPos = nExtent;
            continue;
        }
        const int nPlace = nExtent + (record.bBeginGroup ? nSeparator : 0);
        const BOOL bOverflow = nPos + nPlace > nLength || ((dwMode & kLayoutFloatWrap) && record.bBeginGroup);
        if (!bOverflow) {
            nPos += nPlace;
            continue;
        }
        if (dwMode & kLayoutHideWrap) {
            // Hide it and what follows, up to the next control that starts a row of its own.
            dwMode |= kLayoutStretch;
            size_t j = i;
            for (; j < records.size() && (j == i || !(records[j].dwFlags & kControlFlagNewRow)); ++j) {
                records[j].bWrap = FALSE;
                records[j].bHidden = records[j].bVisible;
            }
            if (j == records.size())
                return nRowStarts;
            i = j - 1;
            continue;
        }
        // The group moves as a whole: the nearest group start of the row takes the new row. The row's
        // first control is no candidate (it already starts the row), the bar's first least of all.
        size_t nWrap = i;
        for (size_t k = i; k > nRowStart; --k) {
            if (records[k].bVisible && records[k].bBeginGroup) {
                nWrap = k;
                break;
            }
        }
        records[nWrap].bWrap = TRUE;
        ++nRowStarts;
        nRowStart = nWrap;
        nPos = Along(records[nWrap].szControl, bVertical);
        i = nWrap;
        dwMode |= kLayoutStretch;
    }
    return nRowStarts + 1;
}

CSize CalcRowsSize(LayoutRecords& records, BOOL bVertical) {
    if (records.empty())
        return CSize(0, 0);
    const CSize szSeparator = records[0].szSeparator;
    const int nRowGap = records[0].nRowGap;
    int x = 0;
    int y = 0;
    int nThickness = 0;
    BOOL bFirst = TRUE;
    CSize size(0, 0);
    for (LayoutRecord& record : records) {
        if (!IsPlaced(record))
            continue;
        const CSize sz = record.szControl;
        const int nGap = record.bBeginGroup ? szSeparator.cy : nRowGap;
        if (!bVertical) {
            if (record.bWrap && !bFirst) {
                y += nThickness + nGap;
                x = 0;
                nThickness = 0;
            } else if (record.bBeginGroup && !bFirst) {
                x += szSeparator.cx;
            }
            record.rcControl.SetRect(x, y, x + sz.cx, y + sz.cy);
            x += sz.cx;
            nThickness = std::max(nThickness, static_cast<int>(sz.cy));
            size.cx = std::max(size.cx, record.rcControl.right);
        } else {
            // Columns from right to left: x stays at or below 0 until the commit.
            if (record.bWrap && !bFirst) {
                x -= nThickness + nGap;
                y = 0;
                nThickness = 0;
            } else if (record.bBeginGroup && !bFirst) {
                y += szSeparator.cx;
            }
            record.rcControl.SetRect(x - sz.cx, y, x, y + sz.cy);
            y += sz.cy;
            nThickness = std::max(nThickness, static_cast<int>(sz.cx));
            size.cx = std::max(size.cx, -record.rcControl.left);
        }
        size.cy = std::max(size.cy, record.rcControl.bottom);
        bFirst = FALSE;
    }
    return size;
}

void FindBalancedWidth(LayoutRecords& records, DWORD& dwMode) {
    TrialWrapper trial{records, dwMode};
    const CSize szLower = trial.At(0);
    int nLower = szLower.cx;
    int nUpper = trial.At(kWidestWrap).cx;
    CSize szLastLower = szLower;
    for (int nStep = 0; nStep < kMaxSearchSteps && nLower < nUpper; ++nStep) {
        const CSize size = trial.At((nLower + nUpper) / 2);
        if (size.cx < size.cy) {
            if (size == szLastLower || size.cx <= nLower)
                break;
            nLower = size.cx;
            szLastLower = size;
        } else if (size.cx > size.cy) {
            if (size.cx >= nUpper)
                break;
            nUpper = size.cx;
        } else {
            break;
        }
    }
    dwMode |= trial.dwLastMode & kLayoutStretch;
}

void FindWidthForLength(LayoutRecords& records, int nLength, DWORD& dwMode) {
    TrialWrapper trial{records, dwMode};
    if (dwMode & kLayoutLengthY) {
        int nLower = trial.At(0).cx;
        int nUpper = trial.At(kWidestWrap).cx;
        int nLastHeight = -1;
        for (int nStep = 0; nStep < kMaxSearchSteps && nLower < nUpper; ++nStep) {
            const CSize size = trial.At((nLower + nUpper) / 2);
            if (size.cy > nLength) {
                if (size.cx <= nLower || size.cy == nLastHeight) {
                    trial.At(nUpper);
                    break;
                }
                nLower = size.cx;
                nLastHeight = size.cy;
            } else if (size.cy == nLength) {
                break;
            } else {
                if (size.cx >= nUpper)
                    break;
                nUpper = size.cx;
            }
        }
        dwMode |= trial.dwLastMode & kLayoutStretch;
        return;
    }
    const int nRows = trial.RowsAt(nLength);
    int nWidth = nLength;
    if (trial.RowsAt(0) != nRows && nLength > 0) {
        // The narrowest width that keeps the number of rows.
        int nLower = 0;
        int nUpper = nLength;
        for (int nStep = 0; nStep < kMaxSearchSteps && nLower < nUpper; ++nStep) {
            const int nMid = (nLower + nUpper) / 2;
            if (trial.RowsAt(nMid) == nRows)
                nUpper = nMid;
            else if (nMid == nLower)
                break;
            else
                nLower = nMid;
        }
        nWidth = nUpper;
    }
    trial.RowsAt(nWidth);
    const CSize size = CalcRowsSize(records, FALSE);
    WrapRows(records, size.cx, dwMode);
}

void CommitRows(LayoutRecords& records, CSize& size, DWORD dwMode, const CRect& rcBorders, BOOL bStacked) {
    if (dwMode & kLayoutCommit) {
        const BOOL bVertical = (dwMode & kLayoutVertDock) != 0;
        for (LayoutRecord& record : records) {
            if (!IsPlaced(record))
                continue;
            record.rcControl.OffsetRect(rcBorders.left, rcBorders.top);
            // Columns were laid out left of x = 0; the bar's width brings them between 0 and it.
            if (bVertical)
                record.rcControl.OffsetRect(size.cx, 0);
        }
        const auto rows = SplitRows(records);
        for (const auto& row : rows) {
            int nThickness = 0;
            for (size_t i = row.first; i <= row.second; ++i) {
                if (IsPlaced(records[i]))
                    nThickness =
                        std::max(nThickness, bVertical ? records[i].rcControl.Width() : records[i].rcControl.Height());
            }
            if (rows.size() == 1)
                nThickness = bVertical ? size.cx : size.cy;
            for (size_t i = row.first; i <= row.second; ++i) {
                LayoutRecord& record = records[i];
                if (!IsPlaced(record))
                    continue;
                CRect& rc = record.rcControl;
                if (!bVertical) {
                    const int nTop = records[row.first].rcControl.top;
                    record.rcRow.SetRect(rcBorders.left, nTop, rcBorders.left + size.cx, nTop + nThickness);
                    if (!bStacked)
                        rc.OffsetRect(0, (nThickness - rc.Height()) / 2);
                } else {
                    const int nRight = records[row.first].rcControl.right;
                    record.rcRow.SetRect(nRight - nThickness, rcBorders.top, nRight, rcBorders.top + size.cy);
                    if (!bStacked)
                        rc.OffsetRect(-(nThickness - rc.Width()) / 2, 0);
                }
            }
        }
    }
    size.cx += rcBorders.left + rcBorders.right;
    size.cy += rcBorders.top + rcBorders.bottom;
}

void AlignAndStretch(LayoutRecords& records, const CSize& size, const CRect& rcBorders, DWORD dwMode) {
    const BOOL bVertical = (dwMode & kLayoutVertDock) != 0;
    const int nContentStart = bVertical ? rcBorders.top : rcBorders.left;
    const int nContentEnd = bVertical ? size.cy - rcBorders.bottom : size.cx - rcBorders.right;
    auto start = [bVertical](const CRect& rc) { return static_cast<int>(bVertical ? rc.top : rc.left); };
    auto end = [bVertical](const CRect& rc) { return static_cast<int>(bVertical ? rc.bottom : rc.right); };
    auto moveBy = [bVertical](CRect& rc, int nDelta) { rc.OffsetRect(bVertical ? 0 : nDelta, bVertical ? nDelta : 0); };

    // Right alignment: the trailing right-aligned controls, in their order, end at the far edge.
    std::vector<BOOL> aligned(records.size(), FALSE);
    int nFar = nContentEnd;
    for (size_t i = records.size(); i-- > 0;) {
        LayoutRecord& record = records[i];
        if (!IsPlaced(record))
            continue;
        if (!(record.dwFlags & kControlFlagRightAlign))
            break;
        const int nNewStart = nFar - (end(record.rcControl) - start(record.rcControl));
        if (nNewStart < nContentStart)
            break;
        moveBy(record.rcControl, nNewStart - start(record.rcControl));
        aligned[i] = TRUE;
        nFar = nNewStart;
        if (record.bWrap)
            break;
    }

    // Stretching, last row first: the stretched controls of a row share its free space.
    const auto rows = SplitRows(records);
    for (size_t r = rows.size(); r-- > 0;) {
        int nEnd = nContentEnd;
        int nLastEnd = nContentStart;
        int nStretched = 0;
        for (size_t i = rows[r].first; i <= rows[r].second; ++i) {
            const LayoutRecord& record = records[i];
            if (!IsPlaced(record))
                continue;
            if (aligned[i]) {
                nEnd = std::min(nEnd, start(record.rcControl));
                continue;
            }
            nLastEnd = end(record.rcControl);
            nStretched += (record.dwFlags & kControlFlagStretched) ? 1 : 0;
        }
        int nFree = nEnd - nLastEnd;
        if (nStretched == 0 || nFree <= 0)
            continue;
        int nHandedOut = 0;
        for (size_t i = rows[r].first; i <= rows[r].second; ++i) {
            LayoutRecord& record = records[i];
            if (!IsPlaced(record) || aligned[i])
                continue;
            moveBy(record.rcControl, nHandedOut);
            if (!(record.dwFlags & kControlFlagStretched))
                continue;
            const int nGrow = nFree / nStretched--;
            if (bVertical)
                record.rcControl.bottom += nGrow;
            else
                record.rcControl.right += nGrow;
            nHandedOut += nGrow;
            nFree -= nGrow;
        }
    }
}

void ApplyLayoutRecord(const LayoutRecord& record) {
    CTkControl* pControl = record.pControl;
    const DWORD dwHide = pControl->GetHideFlags();
    pControl->SetHideFlags(record.bHidden ? dwHide | kHideWrap : dwHide & ~kHideWrap);
    pControl->SetRowRect(record.rcRow);
    if (!record.bHidden)
        pControl->SetRect(record.rcControl);
    pControl->SetWrap(record.bWrap);
}

// ---- Stacked bars

CSize LayoutStacked(LayoutRecords& records, DWORD dwMode, const StackedLayoutContext& context) {
    const BOOL bVertical = (dwMode & kLayoutVertDock) != 0;
    // Laid out as horizontal columns; a vertical bar exchanges the axes.
    auto across = [bVertical](CSize sz) { return bVertical ? sz.cx : sz.cy; };
    auto along = [bVertical](CSize sz) { return bVertical ? sz.cy : sz.cx; };
    int nColumn = 0;
    int nColumnWidth = 0;
    int nY = 0;
    int nTallest = 0;
    BOOL bFirst = TRUE;
    for (LayoutRecord& record : records) {
        if (!IsPlaced(record))
            continue;
        if (record.pControl != nullptr && record.pControl->GetStyle() != record.nStyle) {
            record.nStyle = record.pControl->GetStyle();
            if (context.measure)
                record.szControl = context.measure(record.pControl);
        }
        const int nAlong = along(record.szControl);
        const int nAcross = across(record.szControl);
        const BOOL bNewColumn = bFirst || record.nStyle == kButtonIconAndCaptionBelow || record.bBeginGroup ||
                                nY + nAcross > context.nRowHeight;
        if (bNewColumn && !bFirst) {
            nColumn += nColumnWidth + (record.bBeginGroup ? kStackedGroupGap : 0);
            nColumnWidth = 0;
            nY = 0;
        }
        record.rcControl = bVertical ? CRect(nY, nColumn, nY + nAcross, nColumn + nAlong)
                                     : CRect(nColumn, nY, nColumn + nAlong, nY + nAcross);
        nY += nAcross;
        nColumnWidth = std::max(nColumnWidth, nAlong);
        nTallest = std::max(nTallest, nY);
        bFirst = FALSE;
    }
    const int nLength = nColumn + nColumnWidth;
    const int nThickness = std::max(context.nRowHeight, nTallest);
    return bVertical ? CSize(nThickness, nLength) : CSize(nLength, nThickness);
}

CSize CalcStackedLayout(LayoutRecords& records, int nLength, DWORD& dwMode, const StackedLayoutContext& context) {
    for (LayoutRecord& record : records) {
        if (!record.bVisible)
            continue;
        record.bWrap = record.bHidden = FALSE;
        if (record.pControl != nullptr) {
            const BOOL bLarge =
                record.pControl->GetIconId() != 0 && context.hasLargeImage && context.hasLargeImage(record.pControl);
            record.pControl->SetStyle(bLarge ? kButtonIconAndCaptionBelow : kButtonIconAndCaption);
        }
    }
    CSize size = LayoutStacked(records, dwMode, context);
    if (Along(size, (dwMode & kLayoutVertDock) != 0) > nLength) {
        size = ReduceLargeButtons(records, nLength, dwMode, context);
        dwMode |= kLayoutStretch;
    }
    return size;
}

namespace {

// Triples of consecutive placed records that do not cross a group start (the first may begin it),
// from the end of the bar; fn answers TRUE when it changed a triple (which ends the search).
template <class Fn>
BOOL ForTriplesFromEnd(LayoutRecords& records, Fn fn) {
    std::vector<LayoutRecord*> placed;
    for (LayoutRecord& record : records) {
        if (IsPlaced(record))
            placed.push_back(&record);
    }
    for (size_t i = placed.size(); i >= 3; --i) {
        LayoutRecord* triple[3] = {placed[i - 3], placed[i - 2], placed[i - 1]};
        if (triple[1]->bBeginGroup || triple[2]->bBeginGroup)
            continue;
        if (fn(triple))
            return TRUE;
    }
    return FALSE;
}

void SetStyles(LayoutRecord* triple[3], int nStyle) {
    for (int i = 0; i < 3; ++i)
        triple[i]->pControl->SetStyle(nStyle);
}

BOOL ReduceOneStep(LayoutRecords& records, BOOL bVertical) {
    auto style = [](const LayoutRecord* pRecord) { return pRecord->pControl->GetStyle(); };
    if (ForTriplesFromEnd(records, [&](LayoutRecord* triple[3]) {
            if (style(triple[0]) != kButtonIconAndCaptionBelow || style(triple[1]) != kButtonIconAndCaptionBelow ||
                style(triple[2]) != kButtonIconAndCaptionBelow)
                return FALSE;
            SetStyles(triple, kButtonIconAndCaption);
            return TRUE;
        }))
        return TRUE;
    if (ForTriplesFromEnd(records, [&](LayoutRecord* triple[3]) {
            if (style(triple[0]) != kButtonIconAndCaptionBelow && style(triple[1]) != kButtonIconAndCaptionBelow &&
                style(triple[2]) != kButtonIconAndCaptionBelow)
                return FALSE;
            SetStyles(triple, kButtonIconAndCaption);
            return TRUE;
        }))
        return TRUE;
    return ForTriplesFromEnd(records, [&](LayoutRecord* triple[3]) {
        for (int i = 0; i < 3; ++i) {
            if (style(triple[i]) != kButtonIconAndCaption)
                return FALSE;
        }
        // Stacked in one column: the same left edge (top edge in a vertical bar).
        auto edge = [bVertical](const LayoutRecord* pRecord) {
            return bVertical ? pRecord->rcControl.top : pRecord->rcControl.left;
        };
        if (edge(triple[0]) != edge(triple[1]) || edge(triple[1]) != edge(triple[2]))
            return FALSE;
        SetStyles(triple, kButtonIcon);
        return TRUE;
    });
}

}  // namespace

CSize ReduceLargeButtons(LayoutRecords& records, int nLength, DWORD dwMode, const StackedLayoutContext& context) {
    const BOOL bVertical = (dwMode & kLayoutVertDock) != 0;
    CSize size = LayoutStacked(records, dwMode, context);
    BOOL bChanged = TRUE;
    while (bChanged && Along(size, bVertical) >= nLength) {
        bChanged = ReduceOneStep(records, bVertical);
        if (bChanged)
            size = LayoutStacked(records, dwMode, context);
    }
    if (bChanged || !(dwMode & kLayoutHideWrap) || Along(size, bVertical) < nLength)
        return size;
    BOOL bFirst = TRUE;
    for (LayoutRecord& record : records) {
        if (!IsPlaced(record))
            continue;
        const int nFarEdge = bVertical ? record.rcControl.bottom : record.rcControl.right;
        if (!bFirst && nFarEdge > nLength) {
            record.pControl->SetStyle(kButtonIcon);
            record.bHidden = TRUE;
        }
        bFirst = FALSE;
    }
    return LayoutStacked(records, dwMode, context);
}

// ---- Popup columns

CSize LayoutPopupColumns(std::vector<PopupLayoutItem>& items, const PopupLayoutParams& params, BOOL& bMultiColumn) {
    const CRect& rcBorders = params.rcBorders;
    bMultiColumn = FALSE;
    int x = rcBorders.left;
    int y = rcBorders.top;
    int nColumnWidth = 0;
    int nTallest = 0;
    size_t nColumnStart = 0;
    auto finishColumn = [&](size_t nEnd, int nWidth) {
        for (size_t i = nColumnStart; i < nEnd; ++i)
            items[i].rcControl.right = items[i].rcControl.left + nWidth;
        nTallest = std::max(nTallest, y - static_cast<int>(rcBorders.top));
    };
    for (size_t i = 0; i < items.size(); ++i) {
        PopupLayoutItem& item = items[i];
        CSize sz = item.szControl;
        if (params.nMaxItemWidth > 0)
            sz.cx = std::min(sz.cx, static_cast<LONG>(params.nMaxItemWidth));
        const BOOL bFirst = i == 0;
        int nTop = y + (item.bBeginGroup && !bFirst && y > rcBorders.top ? params.szSeparator.cy : 0);
        const BOOL bNewColumn =
            !bFirst &&
            (item.bNewColumn || (params.nMaxHeight > 0 && nTop + sz.cy > params.nMaxHeight - rcBorders.bottom));
        item.bWrap = FALSE;
        if (bNewColumn) {
            finishColumn(i, nColumnWidth);
            x += nColumnWidth + (item.bBeginGroup ? params.szSeparator.cx : 0);
            y = rcBorders.top;
            nTop = y;
            nColumnWidth = 0;
            nColumnStart = i;
            item.bWrap = TRUE;
            bMultiColumn = TRUE;
        }
        item.rcControl.SetRect(x, nTop, x + sz.cx, nTop + sz.cy);
        y = item.rcControl.bottom;
        nColumnWidth = std::max(nColumnWidth, static_cast<int>(sz.cx));
    }
    if (params.nFixedWidth > 0 && params.nFixedWidth <= 29999)
        nColumnWidth = params.nFixedWidth - rcBorders.left - rcBorders.right;
    finishColumn(items.size(), nColumnWidth);
    if (nTallest == 0)
        nTallest = kEmptyBarHeight;
    for (PopupLayoutItem& item : items)
        item.rcRow.SetRect(item.rcControl.left, rcBorders.top, item.rcControl.right, rcBorders.top + nTallest);
    const int nTotalWidth = x + nColumnWidth - rcBorders.left;
    return CSize(rcBorders.left + rcBorders.right + std::max(24, nTotalWidth),
                 rcBorders.top + rcBorders.bottom + nTallest);
}

// ---- The collection's layouts

CSize CTkControls::CalcToolbarLayout(CDC* pDC, int nLength, DWORD& dwMode, const CRect& rcBorders, int nMinThickness) {
    CTkPaintManager* pPaintManager = m_pParent != nullptr ? m_pParent->GetPaintManager() : nullptr;
    const CSize szSeparator = pPaintManager != nullptr && m_pParent != nullptr
                                  ? pPaintManager->PaintControlSeparator(pDC, m_pParent, nullptr, FALSE)
                                  : CSize(0, 0);
    // Placeholders expand here, so the last first keeps the indexes of the ones not yet prepared.
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (CTkControl* pControl = GetAt(i))
            pControl->PrepareForLayout(dwMode);
    }
    const int nHorizontalBorders = rcBorders.left + rcBorders.right;
    const int nVerticalBorders = rcBorders.top + rcBorders.bottom;
    if (GetVisibleCount(FALSE) == 0) {
        CSize size(nHorizontalBorders + kEmptyBarWidth, nVerticalBorders + kEmptyBarHeight);
        if (dwMode & kLayoutHorzDock)
            size.cy = std::max(size.cy, static_cast<LONG>(nMinThickness));
        else
            size.cx = std::max(size.cx, static_cast<LONG>(nMinThickness));
        return size;
    }

    LayoutRecords records(m_controls.size());
    for (size_t i = 0; i < m_controls.size(); ++i) {
        CTkControl* pControl = m_controls[i];
        LayoutRecord& record = records[i];
        record.pControl = pControl;
        record.rcControl = pControl->GetRect();
        record.bVisible = pControl->IsVisible(kHideWrap);
        record.bBeginGroup = pControl->GetBeginGroup();
        record.nStyle = pControl->GetStyle();
        record.dwFlags = pControl->GetFlags();
        if (record.bVisible)
            record.szControl = pControl->GetSize(pDC);
    }
    records[0].szSeparator = szSeparator;
    records[0].nRowGap = m_pParent != nullptr ? m_pParent->GetRowGap() : 0;

    const int nMRUWidth = m_pParent != nullptr ? m_pParent->GetMRUWidth() : 0;
    const int nLengthUsed = (dwMode & kLayoutMruWidth) ? nMRUWidth : nLength;
    const BOOL bVertical = (dwMode & kLayoutVertDock) != 0;
    const BOOL bStacked = m_pParent != nullptr && (m_pParent->GetFlags() & kBarFlagStacked) != 0;
    CSize size;
    if (bStacked) {
        StackedLayoutContext context;
        const CSize szLarge = m_pParent->GetLargeIconSize();
        context.nRowHeight = (pPaintManager != nullptr ? pPaintManager->GetSplitDropDownExtent() : 0) + szLarge.cy + 7;
        CTkImageManager* pImageManager = m_pParent->GetImageManager();
        context.hasLargeImage = [pImageManager, szLarge](const CTkControl* pControl) {
            return pImageManager != nullptr &&
                   pImageManager->HasIcon(static_cast<UINT>(pControl->GetIconId()), static_cast<UINT>(szLarge.cx));
        };
        context.measure = [pDC](CTkControl* pControl) { return pControl->GetSize(pDC); };
        size = CalcStackedLayout(records, nLengthUsed - (bVertical ? nVerticalBorders : nHorizontalBorders), dwMode,
                                 context);
    } else {
        if (dwMode & kLayoutFloatWrap) {
            WrapRows(records, nMRUWidth, dwMode);
            const CSize szFloating = CalcRowsSize(records, FALSE);
            if (szFloating.cy > 3 * szFloating.cx && nMRUWidth <= 0)
                FindBalancedWidth(records, dwMode);
            else
                WrapRows(records, szFloating.cx, dwMode);
        } else if (dwMode & kLayoutHorzDock) {
            WrapRows(records, nLengthUsed - nHorizontalBorders, dwMode);
        } else if (dwMode & kLayoutVertDock) {
            WrapRows(records, nLengthUsed - nVerticalBorders, dwMode);
        } else {
            FindWidthForLength(
                records, nLengthUsed - ((dwMode & kLayoutLengthY) ? nVerticalBorders : nHorizontalBorders), dwMode);
        }
        size = CalcRowsSize(records, bVertical);
    }
    if (nMinThickness > 0) {
        if (dwMode & kLayoutHorzDock)
            size.cy = std::max(size.cy, static_cast<LONG>(nMinThickness - nVerticalBorders));
        else
            size.cx = std::max(size.cx, static_cast<LONG>(nMinThickness - nHorizontalBorders));
    }
    if (dwMode & kLayoutStretch) {
        if (bVertical)
            size.cy = std::max(size.cy, static_cast<LONG>(nLengthUsed - nVerticalBorders));
        else
            size.cx = std::max(size.cx, static_cast<LONG>(nLengthUsed - nHorizontalBorders));
    }
    CommitRows(records, size, dwMode, rcBorders, bStacked);
    if (dwMode & kLayoutCommit) {
        if (!bStacked)
            AlignAndStretch(records, size, rcBorders, dwMode);
        for (const LayoutRecord& record : records)
            ApplyLayoutRecord(record);
    }
    return size;
}

CSize CTkControls::CalcPopupLayout(CDC* pDC, int nMaxHeight, int nFixedWidth, const CRect& rcBorders) {
    CRect rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    CTkPaintManager* pPaintManager = m_pParent != nullptr ? m_pParent->GetPaintManager() : nullptr;
    CScopedSelectObject font(pDC != nullptr && pPaintManager != nullptr ? pDC->GetSafeHdc() : nullptr,
                             pPaintManager != nullptr && m_pParent != nullptr
                                 ? pPaintManager->GetBarFont(m_pParent)->GetSafeHandle()
                                 : nullptr);
    PopupLayoutParams params;
    params.rcBorders = rcBorders;
    params.nMaxHeight = nMaxHeight;
    params.nFixedWidth = nFixedWidth;
    if (pPaintManager != nullptr && m_pParent != nullptr)
        params.szSeparator = pPaintManager->PaintControlSeparator(pDC, m_pParent, nullptr, FALSE);
    auto* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, m_pParent);
    if (pPopupBar == nullptr || !pPopupBar->AllowsWideItems())
        params.nMaxItemWidth = rcWork.right / 3;
    if (m_pParent != nullptr)
        m_pParent->SetMultiColumn(FALSE);

    std::vector<CTkControl*> placed;
    std::vector<PopupLayoutItem> items;
    for (CTkControl* pControl : m_controls) {
        if (pControl->GetParent() != m_pParent)
            continue;
        pControl->SetHideFlags(pControl->GetHideFlags() & ~kHideByBar);
        if (!pControl->IsVisible(0))
            continue;
        pControl->SetWrap(FALSE);
        PopupLayoutItem item;
        item.szControl = pControl->GetSize(pDC);
        item.bBeginGroup = pControl->GetBeginGroup();
        item.bNewColumn = (pControl->GetFlags() & kControlFlagNewRow) != 0;
        items.push_back(item);
        placed.push_back(pControl);
    }
    BOOL bMultiColumn = FALSE;
    const CSize size = LayoutPopupColumns(items, params, bMultiColumn);
    for (size_t i = 0; i < placed.size(); ++i) {
        placed[i]->SetRect(items[i].rcControl);
        placed[i]->SetRowRect(items[i].rcRow);
        placed[i]->SetWrap(items[i].bWrap);
    }
    if (bMultiColumn && m_pParent != nullptr)
        m_pParent->SetMultiColumn(TRUE);
    return size;
}
