#include "TkDialogBarCaption.h"

#include "TkColorManager.h"
#include "TkPaintManager.h"
#include "TkPopupPlacement.h"
#include "TkWindowFunctions.h"

namespace {

constexpr DWORD kCaptionPopupFlags =
    kControlFlagNoKeyboard | kControlFlagPopupLeft | kControlFlagNoUpdate | kControlFlagNoMove;
// The caption text's colour when it opens no menu (a colour-manager slot).
constexpr UINT kPlainCaptionColor = 18;
// Room the caption text leaves at the right: for the triangle with a menu, a margin without.
constexpr int kMenuTextGap = 15;
constexpr int kPlainTextGap = 2;
constexpr int kTextIndent = 2;

}  // namespace

// ---- Close button

void CTkDialogBar::CControlButtonHide::Draw(CDC* pDC) {
    CTkPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->PaintControlBackground(pDC, this);
    CFont font;
    font.CreatePointFont(::MulDiv(80, 96, pDC->GetDeviceCaps(LOGPIXELSX)), L"Marlett", pDC);
    CScopedSelectObject selectFont(pDC->GetSafeHdc(), font.GetSafeHandle());
    const COLORREF clrOld = pDC->SetTextColor(pPaintManager->GetControlTextColor(this));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rc = GetRect();
    pDC->DrawText(L"r", &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

// ---- Caption popup

CTkDialogBar::CControlCaptionPopup::CControlCaptionPopup() {
    m_nType = kControlPopup;
    m_dwFlags = kCaptionPopupFlags;
}

void CTkDialogBar::CControlCaptionPopup::Draw(CDC* pDC) {
    CTkPaintManager* pPaintManager = GetPaintManager();
    COLORREF clrText = GetColorManager()->GetColor(kPlainCaptionColor);
    if (m_bHasMenu) {
        pPaintManager->PaintControlBackground(pDC, this);
        clrText = pPaintManager->GetControlTextColor(this);
    }
    const CRect rc = GetRect();
    CRect rcText(rc.left + kTextIndent, rc.top, rc.right - (m_bHasMenu ? kMenuTextGap : kPlainTextGap), rc.bottom);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(GetCaption(), &rcText, DT_SINGLELINE | DT_VCENTER);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
    if (!m_bHasMenu)
        return;
    const int r = rc.right;
    const int m = rc.CenterPoint().y;
    const POINT triangle[3] = {{r - 13, m - 2}, {r - 5, m - 2}, {r - 9, m + 2}};
    CPen pen(PS_SOLID, 1, clrText);
    CBrush brush(clrText);
    CScopedSelectObject selectPen(pDC->GetSafeHdc(), pen.GetSafeHandle());
    CScopedSelectObject selectBrush(pDC->GetSafeHdc(), brush.GetSafeHandle());
    pDC->Polygon(triangle, 3);
}

BOOL CTkDialogBar::CControlCaptionPopup::SetPopupOpen(BOOL bOpen) {
    if (bOpen && !m_bHasMenu)
        return FALSE;
    return CTkControlPopup::SetPopupOpen(bOpen);
}

void CTkDialogBar::CControlCaptionPopup::AdjustPopupRect(CRect& rc, BOOL) {
    GetPaintManager()->AdjustControlRect(rc, this, FALSE);
}

// ---- Caption menu

CTkDialogBar::CCaptionPopupBar::CCaptionPopupBar() {
    m_nDirection = kPopupDown;
}

void CTkDialogBar::CCaptionPopupBar::UpdateExpandDirection() {
    CTkPopupBar::UpdateExpandDirection();
    m_ptAnchor = CPoint(m_rcExclude.left, m_rcExclude.bottom);
    m_nDirection = kPopupLeft | kPopupDown;
}
