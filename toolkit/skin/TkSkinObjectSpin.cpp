#include "TkSkinObjectSpin.h"

#include "TkDCWrappers.h"
#include "TkSkinDrawEdge.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"

#include <vssym32.h>

IMPLEMENT_DYNCREATE(CTkSkinObjectSpin, CTkSkinObjectFrame)

CTkSkinObjectSpin::CTkSkinObjectSpin() {
    m_strClassName = L"SPIN";
}

int CTkSkinObjectSpin::HalfAt(CPoint point) const {
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point))
        return kNoHalf;
    if ((GetStyle() & UDS_HORZ) != 0) {
        const int nMiddle = (rcClient.left + rcClient.right) / 2;
        return point.x < nMiddle ? kLowerHalf : point.x > nMiddle ? kUpperHalf : kNoHalf;
    }
    const int nMiddle = (rcClient.top + rcClient.bottom) / 2;
    return point.y < nMiddle ? kUpperHalf : point.y > nMiddle ? kLowerHalf : kNoHalf;
}

int CTkSkinObjectSpin::GetHalfState(int nHalf, BOOL bEnabled) const {
    if (!bEnabled)
        return UPS_DISABLED;
    if (m_nPressedHalf == nHalf)
        return m_nHotHalf == nHalf ? UPS_PRESSED : UPS_HOT;
    if (m_nHotHalf == nHalf && m_nPressedHalf == kNoHalf)
        return UPS_HOT;
    return UPS_NORMAL;
}

void CTkSkinObjectSpin::DrawSpin(CDC* pDC) {
    CTkSkinManagerClass* pClass = GetSkinClass();
    if (pClass == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcClient);
    buffer.FillSolidRect(&rcClient, GetColor(COLOR_BTNFACE));
    int nLow = 0;
    int nHigh = 0;
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLow), reinterpret_cast<LPARAM>(&nHigh));
    const BOOL bEnabled = nLow != nHigh && IsWindowEnabled();
    const DWORD dwStyle = GetStyle();

    CRect rcButtons = rcClient;
    auto hBuddy = reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY));
    const DWORD dwAlign = dwStyle & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT);
    if (hBuddy != nullptr && (::GetWindowLongW(hBuddy, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0 && dwAlign != 0) {
        // One frame with the edit: its border around, its field colour in the column it shares.
        CTkSkinManagerClass* pEdit = m_pManager->GetSkinClass(L"EDIT");
        const COLORREF clrBorder = pEdit != nullptr ? pEdit->GetColorProperty(0, 0, TMT_BORDERCOLOR, 0) : 0;
        DrawFrameRectColor(&buffer, &rcClient, 1, clrBorder);
        const bool bBuddyLeft = (dwAlign & UDS_ALIGNRIGHT) != 0;
        const int x = bBuddyLeft ? rcClient.left : rcClient.right - 1;
        buffer.FillSolidRect(x, rcClient.top + 1, 1, rcClient.Height() - 2, GetColor(COLOR_WINDOW));
        rcButtons.DeflateRect(bBuddyLeft ? 0 : 1, 1, bBuddyLeft ? 1 : 0, 1);
    }

    CRect rcLower = rcButtons;
    CRect rcUpper = rcButtons;
    int nLowerPart = SPNP_DOWN;
    int nUpperPart = SPNP_UP;
    if ((dwStyle & UDS_HORZ) != 0) {
        rcLower.right = rcUpper.left = (rcButtons.left + rcButtons.right) / 2;
        nLowerPart = SPNP_DOWNHORZ;
        nUpperPart = SPNP_UPHORZ;
    } else {
        rcUpper.bottom = rcLower.top = (rcButtons.top + rcButtons.bottom) / 2;
    }
    pClass->DrawBackground(&buffer, nUpperPart, GetHalfState(kUpperHalf, bEnabled), &rcUpper);
    pClass->DrawBackground(&buffer, nLowerPart, GetHalfState(kLowerHalf, bEnabled), &rcLower);
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectSpin, CTkSkinObjectFrame)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CTkSkinObjectSpin::OnPaint() {
    CTkSkinObjectPaintDC dc(this);
    if (dc.GetSafeHdc() != nullptr)
        DrawSpin(&dc);
}

LRESULT CTkSkinObjectSpin::OnPrintClient(WPARAM wParam, LPARAM lParam) {
    if ((lParam & PRF_CLIENT) == 0)
        return Default();
    DrawSpin(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

BOOL CTkSkinObjectSpin::OnEraseBkgnd(CDC* /*pDC*/) {
    return TRUE;
}

void CTkSkinObjectSpin::OnMouseMove(UINT /*nFlags*/, CPoint point) {
    const int nHot = HalfAt(point);
    if (nHot == m_nHotHalf)
        return;
    m_nHotHalf = nHot;
    Invalidate(FALSE);
    if (m_nHotHalf != kNoHalf)
        TrackMouseLeave();
}

LRESULT CTkSkinObjectSpin::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}

void CTkSkinObjectSpin::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
    Default();
    const int nHalf = HalfAt(point);
    if (nHalf != kNoHalf) {
        m_nPressedHalf = nHalf;
        Invalidate(FALSE);
    }
}

void CTkSkinObjectSpin::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/) {
    if (m_nPressedHalf != kNoHalf) {
        m_nPressedHalf = kNoHalf;
        Invalidate(FALSE);
    }
    Default();
}
