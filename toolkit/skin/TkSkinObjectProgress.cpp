#include "TkSkinObjectProgress.h"

#include "TkDCWrappers.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkWinThemeWrapper.h"

#include <algorithm>
#include <vssym32.h>

IMPLEMENT_DYNCREATE(CTkSkinObjectProgress, CTkSkinObjectFrame)

namespace {

constexpr int kMarqueeChunks = 5;
constexpr int kDefaultSpace = 2;
// Intervals up to this many ms move the marquee two steps per tick.
constexpr int kFastMarqueeInterval = 50;

}  // namespace

CTkSkinObjectProgress::CTkSkinObjectProgress() {
    m_strClassName = L"PROGRESS";
}

void CTkSkinObjectProgress::OnSkinChanged(BOOL bPrevState, BOOL bNewState) {
    CTkSkinObjectFrame::OnSkinChanged(bPrevState, bNewState);
    // The skin draws the bar's edge; the system's visual styles draw none either.
    const DWORD dwExStyle = GetExStyle();
    const bool bEdge = !bNewState && !CTkWinThemeWrapper().IsThemeActive();
    const DWORD dwNewExStyle = bEdge ? dwExStyle | WS_EX_STATICEDGE : dwExStyle & ~WS_EX_STATICEDGE;
    if (dwNewExStyle == dwExStyle)
        return;
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(dwNewExStyle));
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int CTkSkinObjectProgress::ReadChunkSize(int nDefault) {
    CTkSkinManagerClass* pClass = GetSkinClass();
    const int nSize = pClass != nullptr ? pClass->GetIntProperty(0, 0, TMT_PROGRESSCHUNKSIZE, nDefault) : nDefault;
    return std::max(nSize, 0);
}

int CTkSkinObjectProgress::ReadSpaceSize() {
    CTkSkinManagerClass* pClass = GetSkinClass();
    const int nSize =
        pClass != nullptr ? pClass->GetIntProperty(0, 0, TMT_PROGRESSSPACESIZE, kDefaultSpace) : kDefaultSpace;
    return std::max(nSize, 0);
}

// ---- Painting

void CTkSkinObjectProgress::DrawProgress(CDC* pDC) {
    CTkSkinManagerClass* pClass = GetSkinClass();
    if (pClass == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcClient);
    buffer.FillSolidRect(&rcClient, GetColor(COLOR_BTNFACE));
    const bool bVertical = (GetStyle() & PBS_VERTICAL) != 0;
    const int nBarPart = bVertical ? PP_BARVERT : PP_BAR;
    const int nChunkPart = bVertical ? PP_CHUNKVERT : PP_CHUNK;
    pClass->DrawBackground(&buffer, nBarPart, 0, &rcClient);
    const RECT rcMargins = pClass->GetRectProperty(nBarPart, 0, TMT_SIZINGMARGINS, 0, 0, 0, 0);
    const CRect rcFill(rcClient.left + rcMargins.left, rcClient.top + rcMargins.top, rcClient.right - rcMargins.right,
                       rcClient.bottom - rcMargins.bottom);
    if (IsMarquee())
        DrawMarquee(&buffer, pClass, nChunkPart, rcFill);
    else
        DrawChunks(&buffer, pClass, nChunkPart, rcClient, rcFill);
}

void CTkSkinObjectProgress::DrawMarquee(CDC* pDC, CTkSkinManagerClass* pClass, int nChunkPart, const CRect& rcFill) {
    const int nChunk = std::max(ReadChunkSize(rcFill.Height() * 2 / 3), 1);
    const int nSpace = ReadSpaceSize();
    int x = rcFill.left + m_nMarqueeOffset;
    for (int nIndex = 0; nIndex < kMarqueeChunks; ++nIndex) {
        // A chunk that would start past the end starts over at the left.
        if (x >= rcFill.right)
            x = rcFill.left;
        const CRect rcChunk(x, rcFill.top, std::min<int>(x + nChunk, rcFill.right), rcFill.bottom);
        pClass->DrawBackground(pDC, nChunkPart, 0, &rcChunk);
        x = rcChunk.right + nSpace;
    }
}

void CTkSkinObjectProgress::DrawChunks(CDC* pDC, CTkSkinManagerClass* pClass, int nChunkPart, const CRect& rcClient,
                                       const CRect& rcFill) {
    const bool bVertical = (GetStyle() & PBS_VERTICAL) != 0;
    PBRANGE range{};
    SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const auto nPos = static_cast<int>(SendMessage(PBM_GETPOS));
    const int nFillLength = bVertical ? rcFill.Height() : rcFill.Width();
    // An empty range gives MulDiv's -1.
    const int nFilled = std::max(::MulDiv(nFillLength, nPos - range.iLow, range.iHigh - range.iLow), 0);
    int nChunk = ReadChunkSize((bVertical ? rcClient.Width() : rcClient.Height()) * 2 / 3);
    const int nSpace = ReadSpaceSize();
    if (nChunk <= 1 && nSpace == 0) {
        const CRect rcSmooth = bVertical ? CRect(rcFill.left, rcFill.bottom - nFilled, rcFill.right, rcFill.bottom)
                                         : CRect(rcFill.left, rcFill.top, rcFill.left + nFilled, rcFill.bottom);
        pClass->DrawBackground(pDC, nChunkPart, 0, &rcSmooth);
        return;
    }
    nChunk = std::max(nChunk, 1);
    const int nChunks = (nFilled + nSpace + nChunk - 1) / (nSpace + nChunk);
    if (bVertical) {
        int y = rcFill.bottom;
        for (int nIndex = 0; nIndex < nChunks && y > rcClient.top; ++nIndex) {
            const CRect rcChunk(rcFill.left, std::max<int>(y - nChunk, rcClient.top + 1), rcFill.right, y);
            pClass->DrawBackground(pDC, nChunkPart, 0, &rcChunk);
            y -= nChunk + nSpace;
        }
        return;
    }
    int x = rcFill.left;
    for (int nIndex = 0; nIndex < nChunks && x < rcClient.right; ++nIndex) {
        const CRect rcChunk(x, rcFill.top, std::min<int>(x + nChunk, rcClient.right - 1), rcFill.bottom);
        pClass->DrawBackground(pDC, nChunkPart, 0, &rcChunk);
        x += nChunk + nSpace;
    }
}

void CTkSkinObjectProgress::StepMarquee(int nSteps) {
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nChunk = ReadChunkSize((2 * rcClient.Height() - 12) / 3);
    m_nMarqueeOffset += nSteps * (nChunk + ReadSpaceSize());
    if (m_nMarqueeOffset > rcClient.right)
        m_nMarqueeOffset = 0;
    Invalidate(FALSE);
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectProgress, CTkSkinObjectFrame)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(PBM_SETPOS, OnSetPos)
    ON_MESSAGE(PBM_STEPIT, OnStepIt)
    ON_MESSAGE(PBM_SETMARQUEE, OnSetMarquee)
    ON_WM_TIMER()
END_MESSAGE_MAP()

int CTkSkinObjectProgress::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CTkSkinObjectFrame::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (IsSkinEnabled() && (GetExStyle() & WS_EX_STATICEDGE) != 0) {
        ModifyStyleEx(WS_EX_STATICEDGE, 0);
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    return 0;
}

void CTkSkinObjectProgress::OnPaint() {
    CTkSkinObjectPaintDC dc(this);
    if (dc.GetSafeHdc() != nullptr)
        DrawProgress(&dc);
}

LRESULT CTkSkinObjectProgress::OnPrintClient(WPARAM wParam, LPARAM lParam) {
    if ((lParam & PRF_CLIENT) == 0)
        return Default();
    DrawProgress(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

BOOL CTkSkinObjectProgress::OnEraseBkgnd(CDC* /*pDC*/) {
    return TRUE;
}

LRESULT CTkSkinObjectProgress::OnSetPos(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    const LRESULT nResult = Default();
    Invalidate(FALSE);
    return nResult;
}

LRESULT CTkSkinObjectProgress::OnStepIt(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    if (!IsMarquee())
        return Default();
    StepMarquee(1);
    return 1;
}

LRESULT CTkSkinObjectProgress::OnSetMarquee(WPARAM wParam, LPARAM lParam) {
    m_nMarqueeOffset = 0;
    m_nMarqueeInterval = 0;
    if (!IsMarquee())
        return Default();
    // The skin animates the marquee itself; the control's own animation never starts.
    KillTimer(kProgressMarqueeTimer);
    const auto nInterval = static_cast<int>(lParam);
    if (wParam != 0 && nInterval > 0) {
        m_nMarqueeInterval = nInterval;
        SetTimer(kProgressMarqueeTimer, static_cast<UINT>(nInterval), nullptr);
    }
    return 1;
}

void CTkSkinObjectProgress::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kProgressMarqueeTimer || !IsMarquee()) {
        CTkSkinObjectFrame::OnTimer(nIDEvent);
        return;
    }
    StepMarquee(m_nMarqueeInterval <= kFastMarqueeInterval ? 2 : 1);
}
