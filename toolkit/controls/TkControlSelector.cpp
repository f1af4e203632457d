#include "TkControlSelector.h"

#include "TkColorManager.h"
#include "TkCommandBar.h"
#include "TkPaintManager.h"
#include "TkPropExchange.h"

#include <algorithm>

IMPLEMENT_SERIAL(CTkControlSelector, CTkControl, VERSIONABLE_SCHEMA | 33)

namespace {

constexpr UINT kHotCellColor = COLOR_HIGHLIGHT;
constexpr UINT kHotContentColor = COLOR_HIGHLIGHTTEXT;
constexpr UINT kCellColor = COLOR_WINDOW;
constexpr int kContentColor = 46;
constexpr int kCellFrameColor = 43;

// How many of nCount lines, nStep apart from nStart, begin before nPos.
int CountLinesBefore(int nPos, int nStart, int nStep, int nCount) {
    int n = 0;
    while (n < nCount && nStart + n * nStep < nPos)
        ++n;
    return n;
}

// A loaded size without its key (or a broken one) would leave an empty grid or cells of no size, which
// the pointer arithmetic divides by: each component of no size keeps the constructor's value.
void KeepDefaultWhereEmpty(CSize& sz, SIZE szDefault) {
    if (sz.cx <= 0)
        sz.cx = szDefault.cx;
    if (sz.cy <= 0)
        sz.cy = szDefault.cy;
}

}  // namespace

void CTkControlSelector::SetHotSize(int cx, int cy, BOOL bForce) {
    if (!bForce && m_szHot == CSize(cx, cy))
        return;
    m_szHot = CSize(cx, cy);
    RedrawParent(TRUE);
    NotifySite(kNotifyHotSizeChanged);
}

void CTkControlSelector::PrepareForLayout(DWORD dwLayoutMode) {
    if (!m_bGrowing) {
        m_szHot = CSize(0, 0);
        m_szGrid = m_szItemsCount;
    }
    SetHotSize(m_szHot.cx, m_szHot.cy, TRUE);
}

CSize CTkControlSelector::GetSize(CDC* pDC) {
    return CSize(m_szGrid.cx * m_szItemSize.cx, m_szGrid.cy * m_szItemSize.cy);
}

void CTkControlSelector::Draw(CDC* pDC) {
    CTkColorManager* pColors = GetColorManager();
    CTkPaintManager* pPaintManager = GetPaintManager();
    const COLORREF clrContent = pPaintManager != nullptr ? pPaintManager->LookupColor(kContentColor) : 0;
    const COLORREF clrFrame = pPaintManager != nullptr ? pPaintManager->LookupColor(kCellFrameColor) : 0;
    for (int i = 0; i < m_szGrid.cx; ++i) {
        for (int j = 0; j < m_szGrid.cy; ++j) {
            // One pixel of gap on each side: neighbouring cells stand two pixels apart.
            const CRect rcCell(m_rcControl.left + i * m_szItemSize.cx + 1, m_rcControl.top + j * m_szItemSize.cy + 1,
                               m_rcControl.left + (i + 1) * m_szItemSize.cx - 1,
                               m_rcControl.top + (j + 1) * m_szItemSize.cy - 1);
            const BOOL bHot = i < m_szHot.cx && j < m_szHot.cy;
            pDC->FillSolidRect(rcCell, pColors->GetColor(bHot ? kHotCellColor : kCellColor));
            pDC->Draw3dRect(rcCell, clrFrame, clrFrame);
            DrawItem(pDC, rcCell.left, rcCell.top, rcCell.right, rcCell.bottom,
                     bHot ? pColors->GetColor(kHotContentColor) : clrContent);
        }
    }
}

void CTkControlSelector::DrawItem(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom, COLORREF clrContent) {}

void CTkControlSelector::HandleMouseMove(CPoint pt) {
    SetHotSize(CountLinesBefore(pt.x, m_rcControl.left, m_szItemSize.cx, m_szGrid.cx),
               CountLinesBefore(pt.y, m_rcControl.top, m_szItemSize.cy, m_szGrid.cy));
}

BOOL CTkControlSelector::SetSelected(int nSelected) {
    if (nSelected == 0 && m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr) {
        CPoint pt;
        ::GetCursorPos(&pt);
        m_pParent->ScreenToClient(&pt);
        CSize szNew = m_szGrid;
        if (::GetKeyState(VK_LBUTTON) < 0) {
            if (pt.x >= m_rcControl.right)
                szNew.cx = std::min<int>(m_szItemsMax.cx, (pt.x - m_rcControl.left) / m_szItemSize.cx + 1);
            if (pt.y >= m_rcControl.bottom)
                szNew.cy = std::min<int>(m_szItemsMax.cy, (pt.y - m_rcControl.top) / m_szItemSize.cy + 1);
        }
        if (szNew == m_szGrid) {
            SetHotSize(0, 0);
        } else {
            m_szGrid = szNew;
            SetHotSize(m_szHot.cx, m_szHot.cy, TRUE);
            m_bGrowing = TRUE;
            m_pParent->RecalcLayout();
            m_bGrowing = FALSE;
            HandleMouseMove(pt);
        }
    }
    return CTkControl::SetSelected(nSelected);
}

void CTkControlSelector::HandleButtonUp(CPoint pt) {
    if (m_szHot == CSize(0, 0))
        return;
    m_szChosen = m_szHot;
    Execute();
}

void CTkControlSelector::CopyFrom(CTkControl* pSource, BOOL bRecursive) {
    CTkControl::CopyFrom(pSource, bRecursive);
    if (auto* pSelector = DYNAMIC_DOWNCAST(CTkControlSelector, pSource)) {
        m_szItemsCount = pSelector->m_szItemsCount;
        m_szItemsMax = pSelector->m_szItemsMax;
        m_szItemSize = pSelector->m_szItemSize;
    }
}

void CTkControlSelector::ExchangeProperties(CTkPropExchange* pPX) {
    CTkControl::ExchangeProperties(pPX);
    ExchangeSize(pPX, L"ItemsCount", m_szItemsCount, CSize(0, 0));
    ExchangeSize(pPX, L"ItemsMax", m_szItemsMax, CSize(0, 0));
    ExchangeSize(pPX, L"ItemSize", m_szItemSize, CSize(0, 0));
    if (pPX->IsLoading()) {
        KeepDefaultWhereEmpty(m_szItemsCount, kDefaultItemsCount);
        KeepDefaultWhereEmpty(m_szItemsMax, kDefaultItemsMax);
        KeepDefaultWhereEmpty(m_szItemSize, kDefaultItemSize);
    }
}
