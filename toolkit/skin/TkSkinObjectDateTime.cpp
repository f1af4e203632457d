#include "TkSkinObjectDateTime.h"

#include "TkDCWrappers.h"
#include "TkSkinDrawEdge.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"

#include <uxtheme.h>
#include <vssym32.h>

IMPLEMENT_DYNCREATE(CTkSkinObjectDateTime, CTkSkinObjectComboBox)
IMPLEMENT_DYNCREATE(CTkSkinObjectMonthCal, CTkSkinObjectFrame)

namespace {

// From common controls 6.10 on, the picker draws its drop-down button itself.
constexpr DWORD kOwnButtonVersion = 0x6000A;
constexpr SIZE kDefaultCheckSize = {13, 13};

// The calendar colours of the skin, by the message of the window that takes them.
void SendCalendarColors(HWND hWnd, UINT nMessage, const CTkSkinManagerMetrics* pMetrics) {
    static const struct {
        int nPart;
        int nColor;
    } kColors[] = {
        {MCSC_BACKGROUND, COLOR_WINDOW},     {MCSC_MONTHBK, COLOR_WINDOW},        {MCSC_TEXT, COLOR_WINDOWTEXT},
        {MCSC_TITLEBK, COLOR_ACTIVECAPTION}, {MCSC_TITLETEXT, COLOR_CAPTIONTEXT}, {MCSC_TRAILINGTEXT, COLOR_GRAYTEXT},
    };
    for (const auto& color : kColors)
        ::SendMessageW(hWnd, nMessage, color.nPart, pMetrics->GetColor(color.nColor));
}

}  // namespace

// ---- Date-time picker

CTkSkinObjectDateTime::CTkSkinObjectDateTime() = default;

void CTkSkinObjectDateTime::RefreshMetrics() {
    CTkSkinObjectComboBox::RefreshMetrics();
    SendCalendarColors(m_hWnd, DTM_SETMCCOLOR, GetMetrics());
}

int CTkSkinObjectDateTime::GetDateTimeState() const {
    if (!IsWindowEnabled())
        return CBXS_DISABLED;
    return IsHotOrCapturing() ? CBXS_HOT : CBXS_NORMAL;
}

void CTkSkinObjectDateTime::DrawDateTime(CDC* pDC) {
    CTkSkinManagerClass* pClass = GetSkinClass();
    if (pClass == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const COLORREF clrBackground = GetColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE);
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcClient);
    buffer.FillSolidRect(&rcClient, clrBackground);
    CallOriginalProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.GetSafeHdc()), PRF_CLIENT);

    const int nState = GetDateTimeState();
    const BOOL bOwnButton = m_pManager->GetComCtlVersion() >= kOwnButtonVersion;
    const int cxButton = ::GetSystemMetrics(SM_CXVSCROLL);
    if (bOwnButton) {
        const int nBackgroundType = pClass->GetEnumProperty(0, nState, TMT_BGTYPE, BT_IMAGEFILE);
        if (nBackgroundType == BT_IMAGEFILE) {
            const CScopedSaveDC save(buffer.GetSafeHdc());
            CRect rcInside = rcClient;
            rcInside.DeflateRect(2, 2);
            buffer.ExcludeClipRect(&rcInside);
            pClass->DrawBackground(&buffer, 0, nState, &rcClient);
        } else if (nBackgroundType == BT_BORDERFILL) {
            DrawFrameRectColor(&buffer, &rcClient, 1, pClass->GetColorProperty(0, nState, TMT_BORDERCOLOR, 0));
            CRect rcInside = rcClient;
            rcInside.DeflateRect(1, 1);
            DrawFrameRectColor(&buffer, &rcInside, 1, clrBackground);
        }
    } else {
        buffer.FillSolidRect(rcClient.right - cxButton - 3, rcClient.top, cxButton + 3, rcClient.Height(),
                             clrBackground);
    }

    const DWORD dwStyle = GetStyle();
    if ((dwStyle & DTS_SHOWNONE) != 0) {
        const int nSide = rcClient.Height() - 2;
        const CRect rcBox(rcClient.left + 1, rcClient.top + 1, rcClient.left + 1 + nSide, rcClient.top + 1 + nSide);
        buffer.FillSolidRect(&rcBox, clrBackground);
        if (CTkSkinManagerClass* pButton = m_pManager->GetSkinClass(L"BUTTON")) {
            SIZE size = kDefaultCheckSize;
            pButton->GetPartSize(BP_CHECKBOX, 0, &rcBox, TS_TRUE, &size);
            const CPoint ptCheck(rcBox.left + (rcBox.Width() - size.cx) / 2,
                                 rcBox.top + (rcBox.Height() - size.cy) / 2);
            const CRect rcCheck(ptCheck, size);
            SYSTEMTIME time{};
            const bool bNone = SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_NONE;
            const bool bEnabled = IsWindowEnabled() != FALSE;
            const int nCheckState = bNone ? (bEnabled ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDDISABLED)
                                          : (bEnabled ? CBS_CHECKEDNORMAL : CBS_CHECKEDDISABLED);
            pButton->DrawBackground(&buffer, BP_CHECKBOX, nCheckState, &rcCheck);
        }
    }

    if (!bOwnButton && (dwStyle & DTS_UPDOWN) == 0) {
        const CRect rcButton(rcClient.right - cxButton, rcClient.top, rcClient.right, rcClient.bottom);
        buffer.FillSolidRect(&rcButton, clrBackground);
        pClass->DrawBackground(&buffer, CP_DROPDOWNBUTTON, nState, &rcButton);
    }
}

void CTkSkinObjectDateTime::PaintFrame(CDC* pDC) {
    CTkSkinManagerClass* pClass = GetSkinClass();
    const int nState = GetDateTimeState();
    if ((GetExStyle() & WS_EX_CLIENTEDGE) == 0 || pClass == nullptr ||
        pClass->GetEnumProperty(0, nState, TMT_BGTYPE, BT_IMAGEFILE) != BT_IMAGEFILE) {
        CTkSkinObjectComboBox::PaintFrame(pDC);
        return;
    }
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    CRect rcInside = rcWindow;
    rcInside.DeflateRect(2, 2);
    const CScopedSaveDC save(pDC->GetSafeHdc());
    pDC->ExcludeClipRect(&rcInside);
    pClass->DrawBackground(pDC, 0, nState, &rcWindow);
}

BEGIN_MESSAGE_MAP(CTkSkinObjectDateTime, CTkSkinObjectComboBox)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

int CTkSkinObjectDateTime::OnCreate(LPCREATESTRUCT /*lpCreateStruct*/) {
    // The picker keeps its border styles: its frame is painted in the non-client area.
    if (Default() == -1)
        return -1;
    Invalidate(FALSE);
    // The colours sent when the object was attached came before the picker existed.
    SendCalendarColors(m_hWnd, DTM_SETMCCOLOR, GetMetrics());
    return 0;
}

void CTkSkinObjectDateTime::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
    CRect rcClient;
    GetClientRect(&rcClient);
    const CRect rcButton(rcClient.right - ::GetSystemMetrics(SM_CXVSCROLL), rcClient.top, rcClient.right,
                         rcClient.bottom);
    if (!IsWindowEnabled() || (GetStyle() & DTS_UPDOWN) != 0 || !rcButton.PtInRect(point)) {
        Default();
        return;
    }
    // The skin's button lies where the control may not have its own: the keyboard opens the calendar.
    SetFocus();
    CallOriginalProc(WM_SYSKEYDOWN, VK_DOWN, 0);
}

// ---- Month calendar

CTkSkinObjectMonthCal::CTkSkinObjectMonthCal() = default;

void CTkSkinObjectMonthCal::RefreshMetrics() {
    CTkSkinObjectFrame::RefreshMetrics();
    SendCalendarColors(m_hWnd, MCM_SETCOLOR, GetMetrics());
}

BEGIN_MESSAGE_MAP(CTkSkinObjectMonthCal, CTkSkinObjectFrame)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CTkSkinObjectMonthCal::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CTkSkinObjectFrame::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The colours sent when the object was attached came before the calendar existed.
    SendCalendarColors(m_hWnd, MCM_SETCOLOR, GetMetrics());
    return 0;
}
