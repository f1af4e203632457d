#include "TkSkinObjectUser32Control.h"

#include "TkSkinManager.h"

IMPLEMENT_DYNAMIC(CTkSkinObjectUser32Control, CTkSkinObjectFrame)
IMPLEMENT_DYNAMIC(CTkSkinObjectComCtl32Control, CTkSkinObjectUser32Control)

namespace {

constexpr DWORD kComCtlVersion6 = 0x60000;

}  // namespace

CTkSkinObjectUser32Control::CTkSkinObjectUser32Control() = default;

void CTkSkinObjectUser32Control::UpdateScrollBars() {
    if (m_pManager->GetComCtlVersion() >= kComCtlVersion6 || m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    SCROLLINFO* seen[] = {&m_siHorz, &m_siVert};
    for (int nIndex = 0; nIndex < 2; ++nIndex) {
        if (!m_spi[nIndex].bVisible)
            continue;
        SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_POS};
        GetScrollInfo(nIndex == 0 ? SB_HORZ : SB_VERT, &info);
        SCROLLINFO& last = *seen[nIndex];
        if (info.nPos == last.nPos && info.nMax == last.nMax && info.nMin == last.nMin)
            continue;
        last = info;
        RedrawScrollBar(nIndex);
    }
}

void CTkSkinObjectComCtl32Control::UpdateScrollBars() {
    if (m_pManager->IsWin9x())
        CTkSkinObjectUser32Control::UpdateScrollBars();
}

BOOL CTkSkinObjectUser32Control::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const BOOL bHandled = CTkSkinObjectFrame::OnWndMsg(message, wParam, lParam, pResult);
    if (message == WM_MOUSEWHEEL)
        UpdateScrollBars();
    return bHandled;
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectUser32Control, CTkSkinObjectFrame)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CTkSkinObjectUser32Control::OnHScroll(UINT /*nSBCode*/, UINT /*nPos*/, CScrollBar* /*pScrollBar*/) {
    Default();
    UpdateScrollBars();
}

void CTkSkinObjectUser32Control::OnVScroll(UINT /*nSBCode*/, UINT /*nPos*/, CScrollBar* /*pScrollBar*/) {
    Default();
    UpdateScrollBars();
}

void CTkSkinObjectUser32Control::OnKeyDown(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/) {
    Default();
    UpdateScrollBars();
}

void CTkSkinObjectUser32Control::OnChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/) {
    Default();
    UpdateScrollBars();
}

void CTkSkinObjectUser32Control::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    CTkSkinObjectFrame::OnWindowPosChanged(lpwndpos);
    UpdateScrollBars();
}

BOOL CTkSkinObjectUser32Control::OnEraseBkgnd(CDC* pDC) {
    const BOOL bResult = CTkSkinObjectFrame::OnEraseBkgnd(pDC);
    UpdateScrollBars();
    return bResult;
}
