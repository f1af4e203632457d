#include "TkSkinObjectScrollBar.h"

#include "TkDCWrappers.h"
#include "TkSkinManager.h"
#include "TkSkinManagerSchema.h"

IMPLEMENT_DYNCREATE(CTkSkinObjectScrollBar, CTkSkinObjectFrame)

CTkSkinObjectScrollBar::CTkSkinObjectScrollBar() {
    m_strClassName = L"SCROLLBAR";
    m_spiCtl.nBar = SB_CTL;
}

BOOL CTkSkinObjectScrollBar::IsSizeBoxControl() const {
    return (GetStyle() & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0;
}

void CTkSkinObjectScrollBar::DrawScrollBarControl(CDC* pDC) {
    CTkSkinManagerSchema* pSchema = m_pManager->GetSchema();
    if (pSchema == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcClient);
    const DWORD dwStyle = GetStyle();
    if (IsSizeBoxControl()) {
        FillCtlColorBackground(&buffer, rcClient, WM_CTLCOLORSTATIC);
        if ((dwStyle & SBS_SIZEGRIP) != 0)
            DrawSizeBox(&buffer, rcClient);
        return;
    }
    m_spiCtl.bVertical = (dwStyle & SBS_VERT) != 0;
    m_spiCtl.bVisible = TRUE;
    // The geometry of a dragged thumb is the drag's, not the control's.
    if (m_pSBTrack == nullptr || !m_pSBTrack->bThumbDrag)
        CalcScrollBarInfo(&m_spiCtl);
    pSchema->DrawScrollBar(&buffer, this, &m_spiCtl);
}

void CTkSkinObjectScrollBar::RedrawScrollBar(SCROLLBARPOSITION* /*pBar*/) {
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    CClientDC dc(this);
    DrawScrollBarControl(&dc);
}

void CTkSkinObjectScrollBar::RedrawControl() {
    if (IsWindowVisible())
        RedrawScrollBar(&m_spiCtl);
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectScrollBar, CTkSkinObjectFrame)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ENABLE()
    ON_WM_SETFOCUS()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(SBM_SETSCROLLINFO, OnSetScrollInfo)
    ON_MESSAGE(SBM_SETPOS, OnSetPos)
    ON_MESSAGE(SBM_GETSCROLLINFO, OnGetScrollInfo)
END_MESSAGE_MAP()

int CTkSkinObjectScrollBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    const int nResult = CTkSkinObjectFrame::OnCreate(lpCreateStruct);
    Invalidate(FALSE);
    return nResult;
}

void CTkSkinObjectScrollBar::OnPaint() {
    CTkSkinObjectPaintDC dc(this);
    if (dc.GetSafeHdc() != nullptr)
        DrawScrollBarControl(&dc);
}

LRESULT CTkSkinObjectScrollBar::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/) {
    DrawScrollBarControl(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

void CTkSkinObjectScrollBar::OnEnable(BOOL /*bEnable*/) {
    Default();
    Invalidate(FALSE);
}

void CTkSkinObjectScrollBar::OnSetFocus(CWnd* /*pOldWnd*/) {
    // The skinned control never shows its focus.
}

void CTkSkinObjectScrollBar::OnMouseMove(UINT /*nFlags*/, CPoint point) {
    if (IsSizeBoxControl())
        return;
    const int nPart = HitTestScrollBar(&m_spiCtl, point);
    if (nPart == m_spiCtl.nHotPart)
        return;
    m_spiCtl.nHotPart = nPart;
    Invalidate(FALSE);
    if (nPart != tkSkinScrollNone)
        TrackMouseLeave();
}

LRESULT CTkSkinObjectScrollBar::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}

void CTkSkinObjectScrollBar::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
    if (IsSizeBoxControl()) {
        Default();
        return;
    }
    m_spiCtl.bVertical = (GetStyle() & SBS_VERT) != 0;
    m_spiCtl.bVisible = TRUE;
    CalcScrollBarInfo(&m_spiCtl);
    TrackScrollBar(this, point, &m_spiCtl, ::GetKeyState(VK_SHIFT) < 0);
}

void CTkSkinObjectScrollBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    OnLButtonDown(nFlags, point);
}

LRESULT CTkSkinObjectScrollBar::OnSetScrollInfo(WPARAM wParam, LPARAM lParam) {
    // The system would paint its own look: the skin redraws instead.
    const LRESULT nResult = CallDefault(SBM_SETSCROLLINFO, FALSE, lParam);
    if (wParam != 0)
        RedrawControl();
    return nResult;
}

LRESULT CTkSkinObjectScrollBar::OnSetPos(WPARAM wParam, LPARAM lParam) {
    const LRESULT nResult = CallDefault(SBM_SETPOS, wParam, FALSE);
    if (lParam != 0)
        RedrawControl();
    return nResult;
}

LRESULT CTkSkinObjectScrollBar::OnGetScrollInfo(WPARAM /*wParam*/, LPARAM lParam) {
    const LRESULT nResult = Default();
    // While the skin drags the thumb the system knows nothing of the position under it.
    auto* pInfo = reinterpret_cast<SCROLLINFO*>(lParam);
    if (pInfo != nullptr && (pInfo->fMask & SIF_TRACKPOS) != 0 && m_pSBTrack != nullptr)
        pInfo->nTrackPos = m_pSBTrack->nNewPosition;
    return nResult;
}
