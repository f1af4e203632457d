#include "TkSkinObjectComboBox.h"

#include "TkDCWrappers.h"
#include "TkSkinDrawEdge.h"
#include "TkSkinManager.h"
#include "TkSkinManagerApiHook.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"

#include <vssym32.h>

IMPLEMENT_DYNCREATE(CTkSkinObjectComboBox, CTkSkinObjectFrame)

namespace {

// A combo box's own message that makes it paint (it shares the number of BM_SETSTYLE).
constexpr UINT kComboRepaintMessage = 0x00F4;

}  // namespace

CTkSkinObjectComboBox::CTkSkinObjectComboBox() {
    m_strClassName = L"COMBOBOX";
}

UINT CTkSkinObjectComboBox::GetCtlColorMessage() const {
    HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
    const bool bReadOnly = hChild != nullptr && (::GetWindowLongW(hChild, GWL_STYLE) & ES_READONLY) != 0;
    return !IsWindowEnabled() || bReadOnly ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
}

BOOL CTkSkinObjectComboBox::IsHotOrCapturing() const {
    return m_bHot || ::GetCapture() == m_hWnd;
}

int CTkSkinObjectComboBox::GetComboState() const {
    if (!IsWindowEnabled())
        return CBXS_DISABLED;
    // The list stays dropped after the button is released; only a held press shows pressed.
    if (::GetKeyState(VK_LBUTTON) < 0 && ::SendMessageW(m_hWnd, CB_GETDROPPEDSTATE, 0, 0) != 0)
        return CBXS_PRESSED;
    return IsHotOrCapturing() ? CBXS_HOT : CBXS_NORMAL;
}

void CTkSkinObjectComboBox::DrawComboBox(CDC* pDC) {
    const DWORD dwType = GetStyle() & (CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST);
    if (dwType == CBS_SIMPLE) {
        DrawSimpleComboBox(pDC);
        return;
    }
    CTkSkinManagerClass* pClass = GetSkinClass();
    if (pClass == nullptr)
        return;
    const int nState = GetComboState();
    CRect rcClient;
    GetClientRect(&rcClient);
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcClient);
    HBRUSH hBackground = FillCtlColorBackground(&buffer, rcClient, GetCtlColorMessage());
    m_bPainting = TRUE;
    CallOriginalProc(WM_PAINT, reinterpret_cast<WPARAM>(buffer.GetSafeHdc()), 0);
    m_bPainting = FALSE;
    buffer.SelectClipRgn(nullptr);

    const int cxButton = GetSystemMetric(SM_CXVSCROLL);
    const BOOL bButtonLeft = (GetExStyle() & WS_EX_RIGHT) != 0;
    CRect rcButton = rcClient;
    CRect rcText = rcClient;
    rcText.DeflateRect(3, 3);
    if (bButtonLeft) {
        rcButton.right = rcButton.left + cxButton;
        rcText.left += cxButton + 3;
    } else {
        rcButton.left = rcButton.right - cxButton;
        rcText.right -= cxButton + 3;
    }
    const int nBackgroundType = pClass->GetEnumProperty(0, nState, TMT_BGTYPE, BT_IMAGEFILE);
    if (nBackgroundType == BT_IMAGEFILE) {
        // Only the frame of the image shows around the text.
        const CScopedSaveDC save(buffer.GetSafeHdc());
        buffer.ExcludeClipRect(&rcText);
        pClass->DrawBackground(&buffer, 0, nState, &rcClient);
    } else if (nBackgroundType == BT_BORDERFILL) {
        DrawFrameRectColor(&buffer, &rcClient, 1, pClass->GetColorProperty(0, nState, TMT_BORDERCOLOR, 0));
        CRect rcInside = rcClient;
        rcInside.DeflateRect(1, 1);
        DrawFrameRectBrush(&buffer, &rcInside, 2, hBackground);
        rcButton.DeflateRect(bButtonLeft ? 1 : 0, 1, bButtonLeft ? 0 : 1, 1);
    }
    pClass->DrawBackground(&buffer, CP_DROPDOWNBUTTON, nState, &rcButton);
}

void CTkSkinObjectComboBox::DrawSimpleComboBox(CDC* pDC) {
    CRect rcField;
    GetClientRect(&rcField);
    const auto nItemHeight = static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)));
    rcField.bottom = rcField.top + nItemHeight + 2 * ::GetSystemMetrics(SM_CYFIXEDFRAME);
    HBRUSH hBackground = GetClientBackgroundBrush(pDC);
    CTkSkinManagerClass* pEdit = m_pManager->GetSkinClass(L"EDIT");
    if (pEdit != nullptr && pEdit->GetEnumProperty(0, 0, TMT_BGTYPE, BT_IMAGEFILE) == BT_BORDERFILL) {
        DrawFrameRectColor(pDC, &rcField, 1, pEdit->GetColorProperty(0, 0, TMT_BORDERCOLOR, 0));
        rcField.DeflateRect(1, 1);
        DrawFrameRectBrush(pDC, &rcField, 1, hBackground);
    } else {
        const CTkSkinManagerMetrics* pMetrics = GetMetrics();
        pDC->Draw3dRect(&rcField, pMetrics->GetEdgeShadowColor(), pMetrics->GetEdgeHighlightColor());
        rcField.DeflateRect(1, 1);
        pDC->Draw3dRect(&rcField, pMetrics->GetEdgeDkShadowColor(), pMetrics->GetEdgeLightColor());
    }
    rcField.DeflateRect(1, 1);
    DrawFrameRectBrush(pDC, &rcField, 1, hBackground);
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectComboBox, CTkSkinObjectFrame)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_SETFOCUS, OnDefaultThenInvalidate)
    ON_MESSAGE(WM_KILLFOCUS, OnDefaultThenInvalidate)
    ON_MESSAGE(WM_CAPTURECHANGED, OnDefaultThenInvalidate)
    ON_MESSAGE(WM_ENABLE, OnDefaultThenInvalidate)
    ON_MESSAGE(WM_UPDATEUISTATE, OnDefaultThenInvalidate)
    ON_MESSAGE(WM_LBUTTONUP, OnDefaultThenInvalidate)
    ON_MESSAGE(kComboRepaintMessage, OnDefaultThenInvalidate)
END_MESSAGE_MAP()

int CTkSkinObjectComboBox::OnCreate(LPCREATESTRUCT /*lpCreateStruct*/) {
    if (Default() == -1)
        return -1;
    Invalidate(FALSE);
    // The skin draws the frame inside the client area.
    ModifyStyle(WS_BORDER, 0);
    ModifyStyleEx(WS_EX_STATICEDGE | WS_EX_CLIENTEDGE, 0);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return 0;
}

void CTkSkinObjectComboBox::OnPaint() {
    // The control's own painting into the skin's buffer comes back here when its procedure passes it on.
    if (m_bPainting) {
        Default();
        return;
    }
    CTkSkinObjectPaintDC dc(this);
    if (dc.GetSafeHdc() != nullptr)
        DrawComboBox(&dc);
}

LRESULT CTkSkinObjectComboBox::OnPrintClient(WPARAM wParam, LPARAM lParam) {
    if ((lParam & PRF_CLIENT) == 0 || m_bPainting)
        return Default();
    DrawComboBox(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

BOOL CTkSkinObjectComboBox::OnEraseBkgnd(CDC* /*pDC*/) {
    return TRUE;
}

void CTkSkinObjectComboBox::OnMouseMove(UINT /*nFlags*/, CPoint point) {
    Default();
    CRect rcClient;
    GetClientRect(&rcClient);
    const BOOL bHot = rcClient.PtInRect(point);
    if (bHot == m_bHot)
        return;
    m_bHot = bHot;
    Invalidate(FALSE);
    if (m_bHot)
        TrackMouseLeave();
}

LRESULT CTkSkinObjectComboBox::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}

LRESULT CTkSkinObjectComboBox::OnDefaultThenInvalidate(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    const LRESULT nResult = Default();
    Invalidate(FALSE);
    return nResult;
}
