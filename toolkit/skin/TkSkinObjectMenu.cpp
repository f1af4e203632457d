#include "TkSkinObjectMenu.h"

#include "TkDCWrappers.h"
#include "TkSkinDrawEdge.h"
#include "TkSkinManagerApiHook.h"

IMPLEMENT_DYNCREATE(CTkSkinObjectMenu, CTkSkinObjectFrame)

namespace {

// The menu window's message that selects an item (wParam: its position).
constexpr UINT kMenuSelectItem = 0x01E5;

}  // namespace

CTkSkinObjectMenu::CTkSkinObjectMenu() = default;

void CTkSkinObjectMenu::DrawBorder(CDC* pDC, CRect rc, int nWidth) {
    DrawFrameRectColor(pDC, &rc, 1, GetColor(COLOR_BTNSHADOW));
    if (nWidth > 1) {
        rc.DeflateRect(1, 1);
        DrawFrameRectColor(pDC, &rc, nWidth - 1, GetColor(COLOR_MENU));
    }
}

void CTkSkinObjectMenu::DrawMenuBorder(CDC* pDC) {
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    DrawBorder(pDC, rc, m_rcBorders.left);
}

void CTkSkinObjectMenu::PaintMenuClient(CDC* pDC) {
    CRect rcClient;
    GetClientRect(&rcClient);
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcClient);
    buffer.FillSolidRect(&rcClient, GetColor(COLOR_MENU));
    buffer.SetBkMode(TRANSPARENT);
    CallDefault(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.GetSafeHdc()), 0);
    // A menu window without a non-client frame (Wine's) has its system draw a 3-D edge inside the client
    // area: the skin's border goes over it.
    const RECT rcNoFrame{};
    if (::EqualRect(&m_rcBorders, &rcNoFrame))
        DrawBorder(&buffer, rcClient, GetSystemMetric(SM_CXEDGE));
}

void CTkSkinObjectMenu::MoveSelectionQuietly(UINT nChar) {
    if (nChar != VK_UP && nChar != VK_DOWN) {
        Default();
        return;
    }
    SetRedraw(FALSE);
    Default();
    // The key may have closed the menu.
    if (!::IsWindow(m_hWnd))
        return;
    SetRedraw(TRUE);
    Invalidate(FALSE);
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectMenu, CTkSkinObjectFrame)
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_PRINT, OnPrint)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(kMenuSelectItem, OnSelectItem)
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_CHAR()
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

void CTkSkinObjectMenu::OnNcPaint() {
    CWindowDC dc(this);
    DrawMenuBorder(&dc);
}

LRESULT CTkSkinObjectMenu::OnPrint(WPARAM wParam, LPARAM lParam) {
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if ((lParam & PRF_NONCLIENT) != 0)
        DrawMenuBorder(pDC);
    if ((lParam & PRF_CLIENT) != 0) {
        const CPoint ptOrigin = pDC->SetWindowOrg(-m_rcBorders.left, -m_rcBorders.top);
        PaintMenuClient(pDC);
        pDC->SetWindowOrg(ptOrigin);
    }
    return 1;
}

LRESULT CTkSkinObjectMenu::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/) {
    PaintMenuClient(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

void CTkSkinObjectMenu::OnPaint() {
    CTkSkinObjectPaintDC dc(this);
    if (dc.GetSafeHdc() != nullptr)
        PaintMenuClient(&dc);
}

BOOL CTkSkinObjectMenu::OnEraseBkgnd(CDC* /*pDC*/) {
    return TRUE;
}

LRESULT CTkSkinObjectMenu::OnSelectItem(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    SetRedraw(FALSE);
    const LRESULT nResult = Default();
    SetRedraw(TRUE);
    Invalidate(FALSE);
    return nResult;
}

void CTkSkinObjectMenu::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/) {
    MoveSelectionQuietly(nChar);
}

void CTkSkinObjectMenu::OnSysKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/) {
    MoveSelectionQuietly(nChar);
}

void CTkSkinObjectMenu::OnChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/) {
    Default();
    if (::IsWindow(m_hWnd))
        Invalidate(FALSE);
}

void CTkSkinObjectMenu::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    const CPoint ptOffset = GetSystemMenuOffset();
    lpwndpos->x += ptOffset.x;
    lpwndpos->y += ptOffset.y;
    CTkSkinObjectFrame::OnWindowPosChanging(lpwndpos);
}
