// The dock bar's row layout: each bar near its preferred place, colliding bars shifted, a row too long
// first slid left, then shrunk to the bars' minimum lengths, then wrapped into extra rows on screen.

#include "TkDockBar.h"

#include "TkControlDefs.h"
#include "TkDockContext.h"
#include "TkToolBar.h"
#include "TkWindowFunctions.h"

#include <algorithm>

void CTkDockBar::CDockInfoArray::InvertRects() {
    for (DOCK_INFO& info : *this) {
        info.rcBar = CRect(info.rcBar.top, info.rcBar.left, info.rcBar.bottom, info.rcBar.right);
        info.rcPreferred =
            CRect(info.rcPreferred.top, info.rcPreferred.left, info.rcPreferred.bottom, info.rcPreferred.right);
    }
}

BOOL CTkDockBar::ArrangeRow(CDockInfoArray& infos, int nLength, const std::function<int(const DOCK_INFO&)>& minLength,
                            int* pnTooLong) {
    // Equal lefts keep their input order.
    std::stable_sort(infos.begin(), infos.end(),
                     [](const DOCK_INFO& a, const DOCK_INFO& b) { return a.rcBar.left < b.rcBar.left; });
    const size_t nCount = infos.size();
    std::vector<BOOL> moved(nCount, FALSE);
    // Overlaps push right, unless the bar before was dropped later and stays where it was dropped.
    for (size_t i = 1; i < nCount; ++i) {
        const DOCK_INFO& before = infos[i - 1];
        DOCK_INFO& info = infos[i];
        if (info.rcBar.left >= before.rcBar.right || (before.nIndex >= info.nIndex && !moved[i - 1]))
            continue;
        info.rcBar.OffsetRect(before.rcBar.right - info.rcBar.left, 0);
        moved[i] = TRUE;
    }
    // From the right: a bar beyond the limit moves left when the bar after it gives way or moved.
    int nLimit = nLength;
    for (size_t i = nCount; i-- > 0;) {
        DOCK_INFO& info = infos[i];
        const BOOL bAfterYields = i + 1 == nCount || infos[i + 1].nIndex < info.nIndex || moved[i + 1];
        if (info.rcBar.right > nLimit && bAfterYields) {
            info.rcBar.OffsetRect(nLimit - info.rcBar.right, 0);
            moved[i] = TRUE;
        }
        nLimit = info.rcBar.left;
    }
    // From the left again: nothing before 0 and no overlap.
    int nRight = 0;
    for (DOCK_INFO& info : infos) {
        if (info.rcBar.left < nRight)
            info.rcBar.OffsetRect(nRight - info.rcBar.left, 0);
        nRight = info.rcBar.right;
    }
    if (nCount == 0 || infos.back().rcBar.right <= nLength)
        return TRUE;
    // Still too long: shrink from the right, each bar down to its minimum length at the least.
    int nSumBefore = 0;
    for (DOCK_INFO& info : infos) {
        info.nMinLength = minLength(info);
        info.nTotalMinLength = nSumBefore;
        nSumBefore += info.nMinLength;
    }
    int c = nLength;
    for (size_t i = nCount; i-- > 0;) {
        DOCK_INFO& info = infos[i];
        int nStart = std::min(info.rcPreferred.left, info.rcBar.left);
        nStart = std::max(nStart, c - info.rcBar.Width());
        nStart = std::max(nStart, info.nTotalMinLength);
        if (c - nStart < info.nMinLength)
            nStart = c - info.nMinLength;
        if ((c - nStart < info.nMinLength || nStart < info.nTotalMinLength) && nCount > 1) {
            *pnTooLong = infos.back().nIndex;
            return FALSE;
        }
        info.rcBar.left = std::max(nStart, 0);
        info.rcBar.right = c;
        c = info.rcBar.left;
    }
    return TRUE;
}

CSize CTkDockBar::CalcDynamicLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* pLayout) {
    const BOOL bHorizontal = IsHorizontal();
    CSize sz(0, 0);
    if ((dwMode & kLayoutStretch) != 0) {
        if ((dwMode & kLayoutHorizontal) != 0)
            sz.cx = 0x7FFF;
        else
            sz.cy = 0x7FFF;
    }
    AFX_SIZEPARENTPARAMS rowLayout = {};
    if (pLayout != nullptr && pLayout->hDWP != nullptr)
        rowLayout.hDWP = ::BeginDeferWindowPos(static_cast<int>(m_bars.size()));
    int nOffset = 0;
    std::vector<CTkToolBar*> row;
    for (size_t i = 1; i < m_bars.size(); ++i) {
        CTkToolBar* pBar = m_bars[i];
        if (pBar != nullptr) {
            if (pBar->IsVisible())
                row.push_back(pBar);
            continue;
        }
        if (row.empty())
            continue;
        nOffset +=
            LayoutRow(row, bHorizontal ? 0 : nOffset, bHorizontal ? nOffset : 0, nLength, bHorizontal, &rowLayout);
        row.clear();
        if (bHorizontal)
            sz.cy = std::max(static_cast<int>(sz.cy), nOffset);
        else
            sz.cx = std::max(static_cast<int>(sz.cx), nOffset);
    }
    if (rowLayout.hDWP != nullptr)
        ::EndDeferWindowPos(rowLayout.hDWP);
    return sz;
}

int CTkDockBar::LayoutRow(const std::vector<CTkToolBar*>& bars, int x, int y, int nLength, BOOL bHorizontal,
                          AFX_SIZEPARENTPARAMS* pLayout) {
    int nTotal = 0;
    std::vector<CTkToolBar*> row = bars;
    while (!row.empty()) {
        std::vector<CTkToolBar*> overflow;
        for (;;) {
            int nTooLong = -1;
            const int nThickness = AdjustRow(row, x, y, nLength, bHorizontal, pLayout, &nTooLong);
            if (nThickness >= 0) {
                nTotal += nThickness;
                (bHorizontal ? y : x) += nThickness;
                break;
            }
            overflow.push_back(row[static_cast<size_t>(nTooLong)]);
            row.erase(row.begin() + nTooLong);
        }
        row = std::move(overflow);
    }
    return nTotal;
}

int CTkDockBar::AdjustRow(const std::vector<CTkToolBar*>& bars, int x, int y, int nLength, BOOL bHorizontal,
                          AFX_SIZEPARENTPARAMS* pLayout, int* pnTooLong) {
    CDockInfoArray infos;
    for (size_t i = 0; i < bars.size(); ++i) {
        CTkToolBar* pBar = bars[i];
        const CSize sz = pBar->CalcLayout(nLength, GetBarLayoutMode(pBar));
        const CTkDockContext* pContext = pBar->GetDockContext();
        const CRect rcDocked = pContext != nullptr ? pContext->GetDockedRect() : CRect(0, 0, 0, 0);
        const CPoint pt = bHorizontal ? CPoint(rcDocked.left, y) : CPoint(x, rcDocked.top);
        DOCK_INFO info;
        info.pBar = pBar;
        info.rcBar = CRect(pt, sz);
        info.rcPreferred = info.rcBar;
        info.nIndex = static_cast<int>(i);
        infos.push_back(info);
    }
    if (!bHorizontal)
        infos.InvertRects();
    const auto minLength = [this, nLength, bHorizontal](const DOCK_INFO& info) {
        const DWORD dwMode = GetBarLayoutMode(info.pBar);
        if ((dwMode & kLayoutHideWrap) == 0)
            return info.rcBar.Width();
        const CSize sz = info.pBar->CalcLayout(1, dwMode);
        return static_cast<int>(bHorizontal ? sz.cx : sz.cy);
    };
    if (!ArrangeRow(infos, nLength, minLength, pnTooLong))
        return -1;
    if (!bHorizontal)
        infos.InvertRects();

    int nThickness = 0;
    for (const DOCK_INFO& info : infos) {
        const int nSpan = bHorizontal ? info.rcBar.Width() : info.rcBar.Height();
        const CSize sz = info.pBar->CalcLayout(nSpan, GetBarLayoutMode(info.pBar));
        nThickness = std::max(nThickness, static_cast<int>(bHorizontal ? sz.cy : sz.cx));
    }
    if (pLayout == nullptr || pLayout->hDWP == nullptr || infos.empty())
        return nThickness;

    for (size_t i = 0; i < infos.size(); ++i) {
        DOCK_INFO& info = infos[i];
        CTkToolBar* pBar = info.pBar;
        DWORD dwMode = GetBarLayoutMode(pBar) | kLayoutCommit;
        int nStart = bHorizontal ? info.rcBar.left : info.rcBar.top;
        int nEnd = bHorizontal ? info.rcBar.right : info.rcBar.bottom;
        if ((pBar->GetFlags() & kBarFlagFillRowGap) != 0) {
            nEnd = i + 1 < infos.size() ? (bHorizontal ? infos[i + 1].rcBar.left : infos[i + 1].rcBar.top) : nLength;
            if (i == 0)
                nStart = 0;
            else
                nStart = std::min(nStart,
                                  static_cast<int>(bHorizontal ? infos[i - 1].rcBar.right : infos[i - 1].rcBar.bottom));
            dwMode |= kLayoutStretch;
        }
        const CSize sz = pBar->CalcLayout(nEnd - nStart, dwMode, nThickness);
        const CRect rc = bHorizontal ? CRect(nStart, info.rcBar.top, nStart + sz.cx, info.rcBar.top + sz.cy)
                                     : CRect(info.rcBar.left, nStart, info.rcBar.left + sz.cx, nStart + sz.cy);
        if (CTkDockContext* pContext = pBar->GetDockContext())
            pContext->SetLastDockPosition(GetPosition());
        CRect rcWindow = MakeWindowRect(pBar);
        ScreenToClient(&rcWindow);
        if (rcWindow != rc) {
            pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, pBar->GetSafeHwnd(), nullptr, rc.left, rc.top, rc.Width(),
                                             rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            pBar->Redraw();
        }
    }
    return nThickness;
}
