#include "TkSkinObjectTrackBar.h"

#include "TkDCWrappers.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"

#include <algorithm>
#include <utility>
#include <vssym32.h>

IMPLEMENT_DYNCREATE(CTkSkinObjectTrackBar, CTkSkinObjectFrame)

namespace {

// Tics drawn above the track push it down by this much.
constexpr int kTopTicsSpace = 8;
constexpr int kTicLength = 3;

}  // namespace

CTkSkinObjectTrackBar::CTkSkinObjectTrackBar() {
    m_strClassName = L"TRACKBAR";
}

CRect CTkSkinObjectTrackBar::Unswap(const CRect& rc) const {
    return IsVertical() ? CRect(rc.top, rc.left, rc.bottom, rc.right) : rc;
}

// ---- Layout

void CTkSkinObjectTrackBar::CalcTrackBarLayout() {
    CRect rcClient;
    GetClientRect(&rcClient);
    const CRect rcArea = Unswap(rcClient);
    const int nCross = rcArea.Height();
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    const int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    m_dwStyle = GetStyle();
    const bool bSelRange = (m_dwStyle & TBS_ENABLESELRANGE) != 0;
    const bool bFixedLength = (m_dwStyle & TBS_FIXEDLENGTH) != 0;
    int nLength =
        bFixedLength ? static_cast<int>(SendMessage(TBM_GETTHUMBLENGTH)) : ::GetSystemMetrics(SM_CYHSCROLL) * 4 / 3;
    // A thumb longer than the bar is high is cut to the bar.
    if (nLength > 2 * cxEdge && nLength > nCross)
        nLength = bSelRange ? (3 * nCross - 9 * cyEdge) / 4 : nCross - 3 * cyEdge;
    nLength = std::max(nLength, 2 * cxEdge);
    m_nThumbHalfWidth = (nLength / 2) | 1;
    if (bSelRange) {
        if (bFixedLength)
            m_nThumbHalfWidth = (nLength * 9 / 20) | 1;
        else
            nLength += 2 * m_nThumbHalfWidth / 9;
    }
    m_nThumbLength = nLength;
    const bool bTopTics = (m_dwStyle & (TBS_TOP | TBS_BOTH)) != 0 && (m_dwStyle & TBS_NOTICKS) == 0;
    const int nTop = rcArea.top + (bTopTics ? kTopTicsSpace : 0);
    m_rcTrack =
        CRect(rcArea.left + m_nThumbHalfWidth + 2, nTop + 2, rcArea.right - m_nThumbHalfWidth - 2, nTop + nLength + 2);
    m_nTrackWidth = rcArea.Width() - 2 * m_nThumbHalfWidth - 4;
    if (m_nTrackWidth <= 0)
        m_nTrackWidth = 1;
}

int CTkSkinObjectTrackBar::TicPixel(int nPosition) {
    const auto nMin = static_cast<int>(SendMessage(TBM_GETRANGEMIN));
    const auto nMax = static_cast<int>(SendMessage(TBM_GETRANGEMAX));
    if (nMax <= nMin)
        return m_rcTrack.left;
    const int nSpan = std::max<int>(m_rcTrack.right - m_rcTrack.left - 1, 0);
    return m_rcTrack.left + ::MulDiv(nPosition - nMin, nSpan, nMax - nMin);
}

// ---- Painting

void CTkSkinObjectTrackBar::DrawTics(CDC* pDC, int nDirection, int y) {
    CTkSkinManagerClass* pClass = GetSkinClass();
    const COLORREF clrText = GetColor(COLOR_BTNTEXT);
    const COLORREF clrTic =
        pClass != nullptr ? pClass->GetColorProperty(IsVertical() ? TKP_TICSVERT : TKP_TICS, 1, TMT_COLOR, clrText)
                          : clrText;
    auto fill = [&](int x, int yTop, int nLength, COLORREF clr) {
        pDC->FillSolidRect(Unswap(CRect(x, yTop, x + 1, yTop + nLength)), clr);
    };
    // A tic reaches down from y, or up to just above it.
    auto tic = [&](int x, int yLine) { fill(x, nDirection > 0 ? yLine : yLine - kTicLength, kTicLength, clrTic); };
    for (const int x : {static_cast<int>(m_rcTrack.left), static_cast<int>(m_rcTrack.right) - 1}) {
        tic(x, y);
        tic(x, y + nDirection);
    }
    // The control's tics without its two end tics. The array's own size cannot be trusted: the control
    // need not have taken it from LocalAlloc.
    const int nCount = std::max(static_cast<int>(SendMessage(TBM_GETNUMTICS)) - 2, 0);
    const auto* pTics = reinterpret_cast<const DWORD*>(SendMessage(TBM_GETPTICS));
    if (pTics != nullptr && m_nTicFrequency > 0) {
        for (int nIndex = 0; nIndex < nCount; ++nIndex) {
            if ((nIndex + 1) % m_nTicFrequency == 0)
                tic(TicPixel(static_cast<int>(pTics[nIndex])), y);
        }
    }
    if ((m_dwStyle & TBS_ENABLESELRANGE) == 0)
        return;
    const auto nStart = static_cast<int>(SendMessage(TBM_GETSELSTART));
    const auto nEnd = static_cast<int>(SendMessage(TBM_GETSELEND));
    if (nStart >= nEnd || nEnd < static_cast<int>(SendMessage(TBM_GETRANGEMIN)))
        return;
    // Wedges of 3, 2 and 1 pixels outwards from both ends of the selection.
    const int xStart = TicPixel(nStart);
    const int xEnd = TicPixel(nEnd);
    for (int nColumn = 0; nColumn < 3; ++nColumn) {
        const int yTop = nDirection > 0 ? y + nColumn : y - kTicLength;
        fill(xStart - nColumn, yTop, kTicLength - nColumn, clrText);
        fill(xEnd + nColumn, yTop, kTicLength - nColumn, clrText);
    }
}

void CTkSkinObjectTrackBar::DrawChannel(CDC* pDC, CTkSkinManagerClass* pClass) {
    CRect rcChannel;
    SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&rcChannel));
    // The system's control answers a vertical bar's channel in horizontal terms; Wine's answers it as it
    // lies. Only a channel lying across a vertical bar is turned.
    if (IsVertical() && rcChannel.Width() > rcChannel.Height())
        rcChannel = Unswap(rcChannel);
    pClass->DrawBackground(pDC, IsVertical() ? TKP_TRACKVERT : TKP_TRACK, TRS_NORMAL, &rcChannel);
}

void CTkSkinObjectTrackBar::DrawThumb(CDC* pDC, CTkSkinManagerClass* pClass) {
    if ((m_dwStyle & TBS_NOTHUMB) != 0)
        return;
    CRect rcThumb;
    SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rcThumb));
    int nPart = TKP_THUMBBOTTOM;
    if ((m_dwStyle & TBS_BOTH) != 0)
        nPart = IsVertical() ? TKP_THUMBVERT : TKP_THUMB;
    else if (IsVertical())
        nPart = (m_dwStyle & TBS_LEFT) != 0 ? TKP_THUMBLEFT : TKP_THUMBRIGHT;
    else if ((m_dwStyle & TBS_TOP) != 0)
        nPart = TKP_THUMBTOP;
    int nState = TUS_NORMAL;
    if (!IsWindowEnabled())
        nState = TUS_DISABLED;
    else if (::GetCapture() == m_hWnd)
        nState = TUS_PRESSED;
    else if (::GetFocus() == m_hWnd && (SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS) == 0)
        nState = TUS_FOCUSED;
    else if (m_bHot)
        nState = TUS_HOT;
    pClass->DrawBackground(pDC, nPart, nState, &rcThumb);
}

LRESULT CTkSkinObjectTrackBar::NotifyCustomDraw(DWORD dwStage, DWORD_PTR dwItemSpec) {
    NMCUSTOMDRAW nmcd{};
    nmcd.hdr.hwndFrom = m_hWnd;
    nmcd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nmcd.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    nmcd.dwDrawStage = dwStage;
    nmcd.dwItemSpec = dwItemSpec;
    return ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&nmcd));
}

void CTkSkinObjectTrackBar::DrawTrackBar(CDC* pDC) {
    CTkSkinManagerClass* pClass = GetSkinClass();
    if (pClass == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcClient);
    const LRESULT nAnswer = NotifyCustomDraw(CDDS_PREPAINT, 0);
    FillCtlColorBackground(&buffer, rcClient, WM_CTLCOLORSTATIC);
    if (::GetFocus() == m_hWnd && (SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS) == 0) {
        buffer.SetBkColor(GetColor(COLOR_BTNHIGHLIGHT));
        buffer.DrawFocusRect(&rcClient);
    }
    CalcTrackBarLayout();
    const bool bItems = (nAnswer & CDRF_NOTIFYITEMDRAW) != 0;
    auto item = [&](DWORD_PTR dwItemSpec, auto&& draw) {
        if (bItems)
            NotifyCustomDraw(CDDS_ITEMPREPAINT, dwItemSpec);
        draw();
        if (bItems)
            NotifyCustomDraw(CDDS_ITEMPOSTPAINT, dwItemSpec);
    };
    item(TBCD_TICS, [&] {
        if ((m_dwStyle & TBS_NOTICKS) != 0)
            return;
        if ((m_dwStyle & TBS_BOTH) != 0 || (m_dwStyle & TBS_TOP) == 0)
            DrawTics(&buffer, 1, m_rcTrack.bottom + 1);
        if ((m_dwStyle & (TBS_TOP | TBS_BOTH)) != 0)
            DrawTics(&buffer, -1, m_rcTrack.top - 1);
    });
    item(TBCD_CHANNEL, [&] { DrawChannel(&buffer, pClass); });
    item(TBCD_THUMB, [&] { DrawThumb(&buffer, pClass); });
    if ((nAnswer & CDRF_NOTIFYPOSTPAINT) != 0)
        NotifyCustomDraw(CDDS_POSTPAINT, 0);
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectTrackBar, CTkSkinObjectFrame)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(TBM_SETTICFREQ, OnSetTicFreq)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

void CTkSkinObjectTrackBar::OnPaint() {
    CTkSkinObjectPaintDC dc(this);
    if (dc.GetSafeHdc() != nullptr)
        DrawTrackBar(&dc);
}

LRESULT CTkSkinObjectTrackBar::OnPrintClient(WPARAM wParam, LPARAM lParam) {
    if ((lParam & PRF_CLIENT) == 0)
        return Default();
    DrawTrackBar(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

BOOL CTkSkinObjectTrackBar::OnEraseBkgnd(CDC* /*pDC*/) {
    return TRUE;
}

LRESULT CTkSkinObjectTrackBar::OnSetTicFreq(WPARAM wParam, LPARAM /*lParam*/) {
    m_nTicFrequency = static_cast<int>(wParam);
    return Default();
}

void CTkSkinObjectTrackBar::OnMouseMove(UINT /*nFlags*/, CPoint point) {
    CRect rcThumb;
    SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rcThumb));
    const BOOL bHot = rcThumb.PtInRect(point);
    if (bHot != m_bHot) {
        m_bHot = bHot;
        Invalidate(FALSE);
        if (m_bHot)
            TrackMouseLeave();
    }
    Default();
}

LRESULT CTkSkinObjectTrackBar::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}
