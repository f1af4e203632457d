#include "SplitterWnd.h"
#include "FrameWnd.h"
#include "WndClass.h"
#include "WndMsgMap.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
    ASSERT(nRows >= 1 && nRows <= 16 && nCols >= 1 && nCols <= 16);
    m_rows.assign(static_cast<size_t>(nRows), CRowColInfo{});
    m_cols.assign(static_cast<size_t>(nCols), CRowColInfo{});
    LPCTSTR lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return lpszClass != nullptr &&
           CreateEx(0, lpszClass, nullptr, dwStyle | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext) {
    if (::GetDlgItem(m_hWnd, IdFromRowCol(row, col)) != nullptr || !pViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return FALSE;
    m_cols[col].nIdealSize = sizeInit.cx;
    m_rows[row].nIdealSize = sizeInit.cy;

    auto* pView = static_cast<CWnd*>(pViewClass->CreateObject());
    if (pView == nullptr)
        return FALSE;
    // A view that is not made has deleted itself (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(CPoint(0, 0), sizeInit), this,
                       static_cast<UINT>(IdFromRowCol(row, col)), pContext))
        return FALSE;
    if (pContext == nullptr)
        pView->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
    cxCur = m_cols[col].nCurSize;
    cxMin = m_cols[col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
    m_cols[col].nIdealSize = cxIdeal;
    m_cols[col].nMinSize = cxMin;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
    cyCur = m_rows[row].nCurSize;
    cyMin = m_rows[row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
    m_rows[row].nIdealSize = cyIdeal;
    m_rows[row].nMinSize = cyMin;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    return FromHandlePermanent(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

// ---- Layout

void CSplitterWnd::LayoutAxis(std::vector<CRowColInfo>& infos, int nStart, int nSize, int nGap) {
    int nLeft = std::max(nSize, 0);
    int nPos = nStart;
    bool bAnyPlaced = false;
    for (size_t i = 0; i < infos.size(); ++i) {
        CRowColInfo& info = infos[i];
        info.nCurSize = 0;
        info.nPos = nPos;
        const bool bLast = i + 1 == infos.size();
        if (!bLast && (info.nIdealSize <= 0 || info.nIdealSize < info.nMinSize))
            continue;
        const int nNeedBefore = bAnyPlaced ? nGap : 0;
        if (nLeft <= nNeedBefore) {
            nLeft = 0;
            continue;
        }
        nLeft -= nNeedBefore;
        nPos += nNeedBefore;
        info.nPos = nPos;
        info.nCurSize = bLast ? nLeft : std::min(info.nIdealSize, nLeft);
        nLeft -= info.nCurSize;
        nPos += info.nCurSize;
        bAnyPlaced = true;
    }
}

CRect CSplitterWnd::PaneRect(int row, int col) const {
    const CRowColInfo& rowInfo = m_rows[row];
    const CRowColInfo& colInfo = m_cols[col];
    if (rowInfo.nCurSize <= 0 || colInfo.nCurSize <= 0)
        return CRect(0, 0, 0, 0);
    return CRect(colInfo.nPos, rowInfo.nPos, colInfo.nPos + colInfo.nCurSize, rowInfo.nPos + rowInfo.nCurSize);
}

void CSplitterWnd::RecalcLayout() {
    CRect rcClient;
    GetClientRect(&rcClient);
    LayoutAxis(m_cols, m_cxBorder, rcClient.Width() - 2 * m_cxBorder, m_cxSplitterGap);
    LayoutAxis(m_rows, m_cyBorder, rcClient.Height() - 2 * m_cyBorder, m_cySplitterGap);

    HDWP hDWP = ::BeginDeferWindowPos(static_cast<int>(m_rows.size() * m_cols.size()));
    for (int row = 0; row < GetRowCount(); ++row) {
        for (int col = 0; col < GetColumnCount(); ++col) {
            HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
            if (hPane == nullptr || hDWP == nullptr)
                continue;
            const CRect rect = PaneRect(row, col);
            if (rect.IsRectEmpty())
                hDWP = ::DeferWindowPos(hDWP, hPane, nullptr, 0, 0, 0, 0,
                                        SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            else
                hDWP = ::DeferWindowPos(hDWP, hPane, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                        SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (hDWP != nullptr)
        ::EndDeferWindowPos(hDWP);
    Invalidate();
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && !m_cols.empty())
        RecalcLayout();
}

// ---- Drawing

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) {
    if (pDC == nullptr) {
        RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
        return;
    }
    if (nType == splitBorder) {
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        CRect rectInner(rect);
        rectInner.DeflateRect(1, 1);
        pDC->Draw3dRect(&rectInner, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_BTNFACE));
        return;
    }
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
}

void CSplitterWnd::OnPaint() {
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    for (int row = 0; row < GetRowCount(); ++row) {
        for (int col = 0; col < GetColumnCount(); ++col) {
            CRect rect = PaneRect(row, col);
            if (rect.IsRectEmpty())
                continue;
            rect.InflateRect(m_cxBorder, m_cyBorder);
            OnDrawSplitter(&dc, splitBorder, rect);
        }
    }
    for (int col = 0; col + 1 < GetColumnCount(); ++col) {
        const int nNext = NextVisibleColumn(col);
        if (m_cols[col].nCurSize > 0 && nNext >= 0)
            OnDrawSplitter(&dc, splitBar,
                           CRect(m_cols[col].nPos + m_cols[col].nCurSize + m_cxBorder, rcClient.top,
                                 m_cols[nNext].nPos - m_cxBorder, rcClient.bottom));
    }
}

// ---- Dragging the bars

int CSplitterWnd::ColumnBarAt(int x) const {
    for (int col = 0; col + 1 < GetColumnCount(); ++col) {
        const CRowColInfo& info = m_cols[col];
        const int nNext = NextVisibleColumn(col);
        if (info.nCurSize > 0 && nNext >= 0 && x >= info.nPos + info.nCurSize && x < m_cols[nNext].nPos)
            return col;
    }
    return -1;
}

int CSplitterWnd::NextVisibleColumn(int col) const {
    for (int next = col + 1; next < GetColumnCount(); ++next) {
        if (m_cols[next].nCurSize > 0)
            return next;
    }
    return -1;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (nHitTest == HTCLIENT && pWnd == this) {
        POINT point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (ColumnBarAt(point.x) >= 0) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::OnLButtonDown(UINT nFlags, CPoint point) {
    const int col = ColumnBarAt(point.x);
    if (col < 0) {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    const HWND hWnd = m_hWnd;
    const int nRight = TrackColumnBar(col, point.x);
    if (nRight < 0 || !::IsWindow(hWnd))
        return;
    m_cols[col].nIdealSize = std::max(nRight - m_cols[col].nPos, 0);
    RecalcLayout();
}

int CSplitterWnd::TrackColumnBar(int col, int xStart) {
    const HWND hWnd = m_hWnd;
    CRect rcClient;
    GetClientRect(&rcClient);
    // The tracker is the bar's gap, kept where it was grabbed relative to the pointer.
    const int nGrab = xStart - (m_cols[col].nPos + m_cols[col].nCurSize);
    const int nMinRight = m_cols[col].nPos;
    const int nMaxRight = std::max(nMinRight, static_cast<int>(rcClient.right) - m_cxBorder - m_cxSplitterGap);
    auto clampRight = [&](int x) { return std::clamp(x - nGrab, nMinRight, nMaxRight); };

    // The DC keeps its own copy of the handle: it is given back even when the window goes while tracking.
    CClientDC dc(this);
    auto invert = [&](int nRight) { dc.PatBlt(nRight, rcClient.top, m_cxSplitterGap, rcClient.Height(), DSTINVERT); };
    ::SetCapture(hWnd);
    int nRight = clampRight(xStart);
    invert(nRight);

    int nResult = -1;
    bool bTracking = true;
    MSG msg;
    while (bTracking) {
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (::GetCapture() != hWnd)
            break;
        switch (msg.message) {
            case WM_MOUSEMOVE:
                invert(nRight);
                nRight = clampRight(static_cast<short>(LOWORD(msg.lParam)));
                invert(nRight);
                break;
            case WM_LBUTTONUP:
                nRight = clampRight(static_cast<short>(LOWORD(msg.lParam)));
                nResult = nRight;
                bTracking = false;
                break;
            case WM_KEYDOWN:
                if (msg.wParam == VK_ESCAPE)
                    bTracking = false;
                break;
            case WM_RBUTTONDOWN:
            case WM_CANCELMODE:
                bTracking = false;
                break;
            default:
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
                break;
        }
        if (!::IsWindow(hWnd))
            return -1;
    }
    invert(nRight);
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    return nResult;
}

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()
