#include "TkDockBar.h"

#include "TkCommandBars.h"
#include "TkControlDefs.h"
#include "TkDockContext.h"
#include "TkPaintManager.h"
#include "TkToolBar.h"
#include "TkWindowFunctions.h"

#include <algorithm>

namespace {

// The creation-style bits that make the dock style: alignment, borders and the stretch bit.
constexpr DWORD kDockStyleMask = 0x40FFFF;
// The layout modes of the rows of horizontal and of vertical dock bars.
constexpr DWORD kHorizontalRowMode = kLayoutHorizontal | kLayoutHorzDock;
constexpr DWORD kVerticalRowMode = kLayoutVertDock;
constexpr wchar_t kWindowTexts[4][12] = {L"tkBarTop", L"tkBarBottom", L"tkBarLeft", L"tkBarRight"};

}  // namespace

IMPLEMENT_DYNCREATE(CTkDockBar, CWnd)

BEGIN_MESSAGE_MAP(CTkDockBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_RBUTTONDOWN()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CTkDockBar::CTkDockBar() {
    RegisterToolkitWindowClass(nullptr, kDockBarClassName, 0, nullptr);
}

CTkDockBar::~CTkDockBar() = default;

BOOL CTkDockBar::Create(CWnd* pParent, DWORD dwStyle, UINT nId) {
    m_dwDockStyle = dwStyle & kDockStyleMask;
    return CWnd::Create(kDockBarClassName, kWindowTexts[GetPosition()], dwStyle, CRect(0, 0, 0, 0), pParent, nId);
}

BOOL CTkDockBar::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

int CTkDockBar::GetPosition() const {
    if (m_dwDockStyle & 0x2800)
        return kBarTop;
    if (m_dwDockStyle & 0x8200)
        return kBarBottom;
    if (m_dwDockStyle & 0x1400)
        return kBarLeft;
    return kBarRight;
}

DWORD CTkDockBar::GetBarLayoutMode(CTkToolBar* pBar) const {
    DWORD dwMode = IsHorizontal() ? kHorizontalRowMode : kVerticalRowMode;
    if (pBar->GetFlags() & kBarFlagStretched)
        dwMode |= kLayoutStretch;
    if (pBar->GetFlags() & kBarFlagHideWrap) {
        // While controls are dragged around without the dialog, every control stays in sight.
        const BOOL bCustomizing = m_pCommandBars != nullptr && m_pCommandBars->IsCustomizeMode();
        if (!bCustomizing)
            dwMode |= kLayoutHideWrap;
    }
    return dwMode;
}

// ---- Rows

int CTkDockBar::FindBar(const CTkToolBar* pBar, int nSkip) const {
    for (int i = 0; i < static_cast<int>(m_bars.size()); ++i) {
        if (i != nSkip && m_bars[static_cast<size_t>(i)] == pBar)
            return i;
    }
    return -1;
}

void CTkDockBar::GetRowBars(int nIndex, std::vector<CTkToolBar*>& bars) const {
    const int nCount = static_cast<int>(m_bars.size());
    if (nIndex < 0 || nIndex >= nCount)
        return;
    int nStart = nIndex;
    while (nStart > 0 && m_bars[static_cast<size_t>(nStart - 1)] != nullptr)
        --nStart;
    std::vector<CTkToolBar*> row;
    for (int i = nStart; i < nCount && m_bars[static_cast<size_t>(i)] != nullptr; ++i) {
        CTkToolBar* pBar = m_bars[static_cast<size_t>(i)];
        if (pBar->IsVisible())
            row.push_back(pBar);
    }
    const BOOL bHorizontal = IsHorizontal();
    std::stable_sort(row.begin(), row.end(), [bHorizontal](CTkToolBar* a, CTkToolBar* b) {
        const CRect ra = MakeWindowRect(a);
        const CRect rb = MakeWindowRect(b);
        return bHorizontal ? ra.left < rb.left : ra.top < rb.top;
    });
    bars.insert(bars.end(), row.begin(), row.end());
}

void CTkDockBar::InsertBar(CTkToolBar* pBar, LPCRECT pRect) {
    const int nOld = FindBar(pBar);
    if (nOld != -1 && (pRect == nullptr || MakeWindowRect(pBar) == CRect(pRect)))
        return;
    int nNew = -1;
    CTkDockContext* pContext = pBar->GetDockContext();
    if (pRect != nullptr) {
        CRect rc(pRect);
        ScreenToClient(&rc);
        nNew = InsertAtPoint(pBar, rc, rc.CenterPoint());
        if (pContext != nullptr)
            pContext->SetDockedRect(rc);
    } else {
        m_bars.push_back(pBar);
        m_bars.push_back(nullptr);
        nNew = static_cast<int>(m_bars.size()) - 2;
        if (pContext != nullptr)
            pContext->SetDockedRect(CRect(0, 0, 0, 0));
    }
    if (pBar->GetSafeHwnd() != nullptr && ::GetParent(pBar->GetSafeHwnd()) != m_hWnd)
        pBar->SetParent(this);
    CTkDockBar* pOldDockBar = pBar->GetDockBar();
    if (pOldDockBar == this || nOld != -1)
        RemoveBar(pBar, nNew);
    else if (pOldDockBar != nullptr)
        pOldDockBar->RemoveBar(pBar);
    pBar->SetDockBar(this);
    NormalizeRows();
    if (m_pCommandBars != nullptr)
        m_pCommandBars->RecalcFrameLayout(TRUE);
}

int CTkDockBar::InsertAtPoint(CTkToolBar* pBar, const CRect&, CPoint ptCenter) {
    const BOOL bHorizontal = IsHorizontal();
    CTkCommandBar* pMenuBar = m_pCommandBars != nullptr ? m_pCommandBars->FindBarById(1) : nullptr;
    auto* pMenuToolBar = DYNAMIC_DOWNCAST(CTkToolBar, pMenuBar);
    const BOOL bRibbonRowLocked =
        pMenuToolBar != nullptr && pMenuToolBar->IsRibbonBar() && pMenuToolBar->GetDockBar() == this;
    const int nCenter = bHorizontal ? ptCenter.y : ptCenter.x;
    // Entry 0 ends an empty row whose far edge is 0: a centre above it makes a new first row.
    if (nCenter < 0) {
        m_bars.insert(m_bars.begin() + 1, {pBar, nullptr});
        return 1;
    }
    int nRowStart = 1;
    int nPreviousEdge = 0;
    BOOL bFirstRow = TRUE;
    for (int i = 1; i < static_cast<int>(m_bars.size()); ++i) {
        if (m_bars[static_cast<size_t>(i)] != nullptr)
            continue;
        // The row [nRowStart, i) ends here: its far edge is the furthest of its visible bars.
        int nEdge = 0;
        for (int j = nRowStart; j < i; ++j) {
            CTkToolBar* pRowBar = m_bars[static_cast<size_t>(j)];
            if (!pRowBar->IsVisible() || pRowBar->GetSafeHwnd() == nullptr)
                continue;
            CRect rc = MakeWindowRect(pRowBar);
            ScreenToClient(&rc);
            nEdge = std::max(nEdge, static_cast<int>(bHorizontal ? rc.bottom : rc.right));
        }
        if (nCenter < nEdge && !(bRibbonRowLocked && bFirstRow)) {
            // On the boundary itself the bar gets a row of its own between the two.
            if (nCenter == nPreviousEdge)
                m_bars.insert(m_bars.begin() + nRowStart, nullptr);
            m_bars.insert(m_bars.begin() + nRowStart, pBar);
            return nRowStart;
        }
        nPreviousEdge = nEdge;
        bFirstRow = FALSE;
        nRowStart = i + 1;
    }
    m_bars.push_back(pBar);
    m_bars.push_back(nullptr);
    return static_cast<int>(m_bars.size()) - 2;
}

void CTkDockBar::NormalizeRows() {
    for (size_t i = 1; i < m_bars.size(); ++i) {
        CTkToolBar* pBar = m_bars[i];
        if (pBar == nullptr || (pBar->GetFlags() & kBarFlagStretched) == 0)
            continue;
        if (m_bars[i - 1] != nullptr) {
            m_bars.insert(m_bars.begin() + static_cast<std::ptrdiff_t>(i), nullptr);
            ++i;
        }
        // The array always ends with a null.
        if (m_bars[i + 1] != nullptr)
            m_bars.insert(m_bars.begin() + static_cast<std::ptrdiff_t>(i + 1), nullptr);
    }
}

BOOL CTkDockBar::RemoveBar(CTkToolBar* pBar, int nSkip) {
    if (pBar == nullptr)
        return FALSE;
    const int nIndex = FindBar(pBar, nSkip);
    if (nIndex <= 0)
        return FALSE;
    m_bars.erase(m_bars.begin() + nIndex);
    if (m_bars[static_cast<size_t>(nIndex - 1)] == nullptr && nIndex < static_cast<int>(m_bars.size()) &&
        m_bars[static_cast<size_t>(nIndex)] == nullptr)
        m_bars.erase(m_bars.begin() + nIndex);
    if (pBar->GetDockBar() == this)
        pBar->SetDockBar(nullptr);
    if (m_pCommandBars != nullptr)
        m_pCommandBars->RecalcFrameLayout(TRUE);
    return TRUE;
}

// ---- Frame layout and painting

LRESULT CTkDockBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;
    const BOOL bHorizontal = IsHorizontal();
    DWORD dwMode = pLayout->bStretch ? static_cast<DWORD>(kLayoutStretch) : 0;
    if ((m_dwDockStyle & 0x4) != 0 && (m_dwDockStyle & 0x1) != 0)
        dwMode |= 0x06;
    else
        dwMode |= bHorizontal ? kHorizontalRowMode : kVerticalRowMode;
    CRect rcAvailable(pLayout->rect);
    CSize sz = CalcDynamicLayout(bHorizontal ? rcAvailable.Width() : rcAvailable.Height(), dwMode, pLayout);
    sz.cx = std::min(sz.cx, static_cast<LONG>(rcAvailable.Width()));
    sz.cy = std::min(sz.cy, static_cast<LONG>(rcAvailable.Height()));
    CRect rc = rcAvailable;
    switch (GetPosition()) {
        case kBarTop:
            rc.bottom = rc.top + sz.cy;
            pLayout->rect.top += sz.cy;
            break;
        case kBarBottom:
            rc.top = rc.bottom - sz.cy;
            pLayout->rect.bottom -= sz.cy;
            break;
        case kBarLeft:
            rc.right = rc.left + sz.cx;
            pLayout->rect.left += sz.cx;
            break;
        default:
            rc.left = rc.right - sz.cx;
            pLayout->rect.right -= sz.cx;
            break;
    }
    if (bHorizontal) {
        pLayout->sizeTotal.cy += sz.cy;
        pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, sz.cx);
    } else {
        pLayout->sizeTotal.cx += sz.cx;
        pLayout->sizeTotal.cy = std::max(pLayout->sizeTotal.cy, sz.cy);
    }
    if (pLayout->hDWP != nullptr)
        AfxRepositionWindow(pLayout, m_hWnd, &rc);
    Invalidate(FALSE);
    return 0;
}

void CTkDockBar::OnPaint() {
    CPaintDC dc(this);
    if (m_pCommandBars != nullptr)
        m_pCommandBars->GetPaintManager()->FillDockBarBackground(&dc, this);
}

LRESULT CTkDockBar::OnPrintClient(WPARAM wParam, LPARAM) {
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (m_pCommandBars != nullptr)
        m_pCommandBars->GetPaintManager()->FillDockBarBackground(pDC, this);
    return TRUE;
}

BOOL CTkDockBar::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CTkDockBar::OnRButtonDown(UINT nFlags, CPoint point) {
    // The bars' context menu belongs to the hub's menus; without them a click here does nothing.
    CWnd::OnRButtonDown(nFlags, point);
}

LRESULT CTkDockBar::OnNcHitTest(CPoint point) {
    CTkCommandBar* pMenuBar = m_pCommandBars != nullptr ? m_pCommandBars->FindBarById(1) : nullptr;
    auto* pMenuToolBar = DYNAMIC_DOWNCAST(CTkToolBar, pMenuBar);
    if (GetPosition() == kBarTop && pMenuToolBar != nullptr && pMenuToolBar->IsRibbonBar() &&
        pMenuToolBar->GetDockBar() == this)
        return HTTRANSPARENT;
    return CWnd::OnNcHitTest(point);
}
