#include "TkSkinObjectButton.h"

#include "TkDCWrappers.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"

#include <algorithm>
#include <uxtheme.h>
#include <vssym32.h>

IMPLEMENT_DYNCREATE(CTkSkinObjectButton, CTkSkinObjectFrame)

namespace {

constexpr DWORD kHorizontalAlignment = BS_LEFT | BS_RIGHT;  // BS_CENTER is both
constexpr DWORD kVerticalAlignment = BS_TOP | BS_BOTTOM;    // BS_VCENTER is both
constexpr SIZE kDefaultGlyphSize = {13, 13};

// The window without WS_VISIBLE for a scope, so that the system's procedure, which paints only visible
// buttons, leaves the painting to the skin. Nothing happens for a hidden window.
class CInvisibleScope {
public:
    explicit CInvisibleScope(HWND hWnd)
        : m_hWnd(hWnd), m_bHidden((::GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0) {
        if (m_bHidden)
            ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) & ~WS_VISIBLE);
    }
    ~CInvisibleScope() {
        if (m_bHidden && ::IsWindow(m_hWnd))
            ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | WS_VISIBLE);
    }
    CInvisibleScope(const CInvisibleScope&) = delete;
    CInvisibleScope& operator=(const CInvisibleScope&) = delete;

private:
    HWND m_hWnd;
    bool m_bHidden;
};

bool IsCheckBoxType(int nType) {
    return nType == BS_CHECKBOX || nType == BS_AUTOCHECKBOX || nType == BS_3STATE || nType == BS_AUTO3STATE;
}

bool IsRadioType(int nType) {
    return nType == BS_RADIOBUTTON || nType == BS_AUTORADIOBUTTON;
}

// The size of an icon as its bitmaps tell it; GetIconInfo's copies are deleted again.
CSize GetIconSize(HICON hIcon) {
    ICONINFO info{};
    if (!::GetIconInfo(hIcon, &info))
        return CSize(32, 32);
    CBitmap mask;
    CBitmap color;
    mask.Attach(info.hbmMask);
    color.Attach(info.hbmColor);
    BITMAP bm{};
    if (info.hbmMask == nullptr || ::GetObjectW(info.hbmMask, sizeof(bm), &bm) == 0)
        return CSize(32, 32);
    // A monochrome icon holds its AND and XOR masks one above the other.
    return CSize(bm.bmWidth, info.hbmColor == nullptr ? bm.bmHeight / 2 : bm.bmHeight);
}

}  // namespace

CTkSkinObjectButton::CTkSkinObjectButton() {
    m_strClassName = L"BUTTON";
    m_nCtlColorMessage = WM_CTLCOLORBTN;
}

// ---- Skin object

void CTkSkinObjectButton::OnSkinChanged(BOOL bPrevState, BOOL bNewState) {
    CTkSkinObjectFrame::OnSkinChanged(bPrevState, bNewState);
    m_bHot = FALSE;
    m_bPushed = FALSE;
}

BOOL CTkSkinObjectButton::OnHookMessage(UINT message, WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult) {
    if (IsOwnerDrawn())
        return FALSE;
    return CTkSkinObjectFrame::OnHookMessage(message, pwParam, plParam, pResult);
}

BOOL CTkSkinObjectButton::OnHookDefProc(UINT message, WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult) {
    if (IsOwnerDrawn())
        return FALSE;
    // An application's button procedure that lets the default procedure paint hands over its DC.
    if ((message == WM_PAINT || message == WM_PRINTCLIENT) && *pwParam != 0) {
        DrawButton(CDC::FromHandle(reinterpret_cast<HDC>(*pwParam)));
        *pResult = 0;
        return TRUE;
    }
    return CTkSkinObjectFrame::OnHookDefProc(message, pwParam, plParam, pResult);
}

BOOL CTkSkinObjectButton::BypassesHandlers(UINT message) {
    if (message == WM_TIMER)
        return FALSE;
    if (IsPassive() && (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC))
        return FALSE;
    return CTkSkinObjectFrame::BypassesHandlers(message);
}

// ---- Layout

BOOL CTkSkinObjectButton::IsPushLike() const {
    const int nType = GetButtonType();
    return nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON || nType == BS_OWNERDRAW ||
           (GetStyle() & BS_PUSHLIKE) != 0;
}

DWORD CTkSkinObjectButton::GetButtonAlignment() const {
    const DWORD dwStyle = GetStyle();
    DWORD dwHorizontal = dwStyle & kHorizontalAlignment;
    if (dwHorizontal == 0)
        dwHorizontal = IsPushLike() ? BS_CENTER : BS_LEFT;
    DWORD dwVertical = dwStyle & kVerticalAlignment;
    if (dwVertical == 0)
        dwVertical = BS_VCENTER;
    return dwHorizontal | dwVertical;
}

CSize CTkSkinObjectButton::GetGlyphSize(int nPartId) {
    CRect rcClient;
    GetClientRect(&rcClient);
    SIZE size = kDefaultGlyphSize;
    if (CTkSkinManagerClass* pClass = GetSkinClass())
        pClass->GetPartSize(nPartId, 1, &rcClient, TS_DRAW, &size);
    return size;
}

CRect CTkSkinObjectButton::CalcButtonRect(CDC* pDC, int nKind) {
    CRect rc;
    GetClientRect(&rc);
    const CTkSkinManagerMetrics* pMetrics = GetMetrics();
    const DWORD dwStyle = GetStyle();
    switch (nKind) {
        case kCheckGlyph:
        case kRadioGlyph: {
            const CSize glyph = GetGlyphSize(nKind == kCheckGlyph ? BP_CHECKBOX : BP_RADIOBUTTON);
            const int h = pDC->GetTextExtent(L" ", 1).cy;
            const DWORD dwVertical = GetButtonAlignment() & kVerticalAlignment;
            if (dwVertical == BS_TOP)
                rc.top += (h + h / 4 - glyph.cy) / 2;
            else if (dwVertical == BS_BOTTOM)
                rc.top = rc.bottom + (h + h / 4 - glyph.cy) / 2 - h - h / 4;
            else
                rc.top += (rc.Height() - glyph.cy) / 2;
            if ((dwStyle & BS_LEFTTEXT) != 0)
                rc.left = rc.right - glyph.cx;
            return CRect(rc.left, rc.top, rc.left + glyph.cx, rc.top + glyph.cy);
        }
        case kCheckText:
        case kRadioText: {
            const int nGlyph = GetGlyphSize(BP_RADIOBUTTON).cx + 3;
            if ((dwStyle & BS_LEFTTEXT) != 0)
                rc.right -= nGlyph;
            else
                rc.left += nGlyph;
            return rc;
        }
        case kGroupCaption: {
            CString strText;
            GetWindowText(strText);
            if (strText.IsEmpty())
                return CRect(0, 0, 0, 0);
            const CSize extent = pDC->GetTextExtent(strText);
            const int nWidth = extent.cx + 2 * pMetrics->GetEdgeWidth();
            const DWORD dwHorizontal = GetButtonAlignment() & kHorizontalAlignment;
            int x = rc.left + pMetrics->GetBorderWidth() + 8;
            if (dwHorizontal == BS_RIGHT)
                x = rc.right - pMetrics->GetBorderWidth() - 6 - nWidth;
            else if (dwHorizontal == BS_CENTER)
                x = rc.left + (rc.Width() - nWidth) / 2 + pMetrics->GetBorderWidth();
            return CRect(x, rc.top, x + nWidth, rc.top + extent.cy);
        }
        case kGroupFrame:
            rc.top += pDC->GetTextExtent(L" ", 1).cy / 2;
            return rc;
        case kPushContent:
            rc.DeflateRect(pMetrics->GetEdgeWidth(), pMetrics->GetEdgeHeight());
            return rc;
        default:
            return rc;
    }
}

// ---- Painting

void CTkSkinObjectButton::DrawButton(CDC* pDC) {
    CRect rcClient;
    GetClientRect(&rcClient);
    auto hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (GetButtonType() == BS_GROUPBOX) {
        const CScopedSaveDC save(pDC->GetSafeHdc());
        ::SelectObject(pDC->GetSafeHdc(), hFont != nullptr ? hFont : ::GetStockObject(DEFAULT_GUI_FONT));
        pDC->SetBkColor(GetColor(COLOR_BTNFACE));
        DrawButtonContent(pDC, rcClient);
        return;
    }
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcClient);
    FillCtlColorBackground(&buffer, rcClient, WM_CTLCOLORBTN);
    const CScopedSelectObject font(buffer.GetSafeHdc(), hFont);
    buffer.SetBkMode(TRANSPARENT);
    DrawButtonContent(&buffer, rcClient);
}

void CTkSkinObjectButton::DrawButtonContent(CDC* pDC, const CRect& rcClient) {
    CTkSkinManagerClass* pClass = GetSkinClass();
    if (pClass == nullptr)
        return;
    const int nType = GetButtonType();
    const BOOL bEnabled = IsWindowEnabled();
    const BOOL bHot = m_bHot || ::GetCapture() == m_hWnd;
    const auto nCheck = static_cast<int>(SendMessage(BM_GETCHECK));
    // Check boxes and radio buttons: pressed, disabled, hot or normal, in the checked row when checked.
    int nGlyphState = (bEnabled && m_bPushed) ? CBS_UNCHECKEDPRESSED
                      : !bEnabled             ? CBS_UNCHECKEDDISABLED
                      : bHot                  ? CBS_UNCHECKEDHOT
                                              : CBS_UNCHECKEDNORMAL;
    if (nCheck != BST_UNCHECKED)
        nGlyphState += 4;
    int nPart = 0;
    int nState = 0;
    CRect rcPart;
    if (IsPushLike()) {
        nPart = BP_PUSHBUTTON;
        rcPart = rcClient;
        nState = !bEnabled                   ? PBS_DISABLED
                 : m_bPushed                 ? PBS_PRESSED
                 : bHot                      ? PBS_HOT
                 : nCheck != BST_UNCHECKED   ? PBS_PRESSED
                 : nType == BS_DEFPUSHBUTTON ? PBS_DEFAULTED
                                             : PBS_NORMAL;
    } else if (IsCheckBoxType(nType)) {
        nPart = BP_CHECKBOX;
        rcPart = CalcButtonRect(pDC, kCheckGlyph);
        nState = nGlyphState;
        if (nCheck == BST_INDETERMINATE && (nType == BS_3STATE || nType == BS_AUTO3STATE))
            nState += 4;
    } else if (IsRadioType(nType)) {
        nPart = BP_RADIOBUTTON;
        rcPart = CalcButtonRect(pDC, kRadioGlyph);
        nState = nGlyphState;
    } else if (nType == BS_GROUPBOX) {
        nPart = BP_GROUPBOX;
        rcPart = CalcButtonRect(pDC, kGroupFrame);
        nState = bEnabled ? GBS_NORMAL : GBS_DISABLED;
    }
    if (nPart != 0) {
        pClass->DrawBackground(pDC, nPart, nState, &rcPart);
        // Push-like buttons keep the text colour their parent chose unless the skin gives one.
        const COLORREF clrDefault = nPart == BP_PUSHBUTTON ? CLR_NONE : GetColor(COLOR_BTNTEXT);
        const COLORREF clrText = pClass->GetColorProperty(nPart, nState, TMT_TEXTCOLOR, clrDefault);
        if (clrText != CLR_NONE)
            pDC->SetTextColor(clrText);
        if (nType == BS_GROUPBOX) {
            // The frame line stops behind the caption.
            CRect rcCaption = CalcButtonRect(pDC, kGroupCaption);
            if (!rcCaption.IsRectEmpty()) {
                rcCaption.left -= GetMetrics()->GetEdgeWidth();
                FillCtlColorBackground(pDC, rcCaption, WM_CTLCOLORBTN);
            }
        }
    }
    DrawButtonText(pDC);
}

void CTkSkinObjectButton::DrawButtonText(CDC* pDC) {
    const DWORD dwStyle = GetStyle();
    const int nType = GetButtonType();
    const BOOL bPushLike = IsPushLike();
    const CTkSkinManagerMetrics* pMetrics = GetMetrics();
    const int cxBorder = pMetrics->GetBorderWidth();
    const int cyBorder = pMetrics->GetBorderHeight();
    int nKind = 0;
    if (bPushLike)
        nKind = kPushContent;
    else if (IsCheckBoxType(nType))
        nKind = kCheckText;
    else if (IsRadioType(nType))
        nKind = kRadioText;
    else if (nType == BS_GROUPBOX)
        nKind = kGroupCaption;
    const CRect rcText = CalcButtonRect(pDC, nKind);

    // The content: a bitmap, an icon, or the window's text.
    HBITMAP hBitmap = nullptr;
    HICON hIcon = nullptr;
    CString strText;
    CSize size(0, 0);
    UINT nFormat =
        (dwStyle & BS_MULTILINE) != 0 ? DT_WORDBREAK | DT_NOCLIP | DT_EDITCONTROL : DT_SINGLELINE | DT_NOCLIP;
    if ((dwStyle & BS_BITMAP) != 0) {
        hBitmap = reinterpret_cast<HBITMAP>(SendMessage(BM_GETIMAGE, IMAGE_BITMAP));
        BITMAP bm{};
        if (hBitmap != nullptr && ::GetObjectW(hBitmap, sizeof(bm), &bm) != 0)
            size = CSize(bm.bmWidth, bm.bmHeight);
        else
            hBitmap = nullptr;
    } else if ((dwStyle & BS_ICON) != 0) {
        hIcon = reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON));
        if (hIcon != nullptr)
            size = GetIconSize(hIcon);
    } else {
        GetWindowText(strText);
        if (!strText.IsEmpty()) {
            CRect rcMeasure(0, 0, rcText.Width(), 0);
            pDC->DrawText(strText, &rcMeasure, nFormat | DT_CALCRECT);
            size = rcMeasure.Size();
        }
    }
    if (hBitmap == nullptr && hIcon == nullptr && strText.IsEmpty())
        return;

    CRect rcDraw = rcText;
    if (bPushLike && (dwStyle & BS_MULTILINE) == 0)
        rcDraw.DeflateRect(cxBorder, cyBorder);
    const int cxPush = bPushLike ? cxBorder : 0;
    const int cyPush = bPushLike ? cyBorder : 0;
    const DWORD dwAlignment = GetButtonAlignment();
    int x = rcDraw.left + cxPush;
    if ((dwAlignment & kHorizontalAlignment) == BS_RIGHT) {
        x = rcDraw.right - size.cx - cxPush;
        nFormat |= DT_RIGHT;
    } else if ((dwAlignment & kHorizontalAlignment) == BS_CENTER) {
        x = rcDraw.left + (rcDraw.Width() - size.cx) / 2;
        nFormat |= DT_CENTER;
    }
    int y = rcDraw.top + cyPush;
    if ((dwAlignment & kVerticalAlignment) == BS_BOTTOM) {
        y = rcDraw.bottom - size.cy - cyPush;
        nFormat |= DT_BOTTOM;
    } else if ((dwAlignment & kVerticalAlignment) == BS_VCENTER) {
        y = rcDraw.top + (rcDraw.Height() - size.cy) / 2;
        nFormat |= DT_VCENTER;
    }

    const auto nUIState = static_cast<UINT>(SendMessage(WM_QUERYUISTATE));
    if (hBitmap != nullptr) {
        pDC->DrawState(CPoint(x, y), size, hBitmap, DST_BITMAP);
    } else if (hIcon != nullptr) {
        pDC->DrawState(CPoint(x, y), size, hIcon, DST_ICON);
    } else if (nType != BS_USERBUTTON) {
        if ((GetExStyle() & WS_EX_RTLREADING) != 0)
            nFormat |= DT_RTLREADING;
        if ((nUIState & UISF_HIDEACCEL) != 0)
            nFormat |= DT_HIDEPREFIX;
        if ((dwStyle & BS_MULTILINE) != 0) {
            CRect rcMeasured(CPoint(x, y), size);
            pDC->DrawText(strText, &rcMeasured, nFormat);
        } else {
            pDC->DrawText(strText, &rcDraw, nFormat);
        }
    }

    if (::GetFocus() != m_hWnd || (nUIState & UISF_HIDEFOCUS) != 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcFocus;
    if (bPushLike) {
        rcFocus = rcText;
        rcFocus.DeflateRect(cxBorder, cyBorder);
    } else if (nType == BS_USERBUTTON) {
        rcFocus = rcClient;
    } else {
        rcFocus.left = std::max<LONG>(x - cxBorder, rcClient.left);
        rcFocus.top = std::max<LONG>(y - cyBorder, rcClient.top);
        rcFocus.right = std::min<LONG>(rcClient.right, rcFocus.left + pMetrics->GetEdgeWidth() + size.cx);
        rcFocus.bottom = std::min<LONG>(rcClient.bottom, rcFocus.top + pMetrics->GetEdgeHeight() + size.cy);
    }
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkColor(RGB(255, 255, 255));
    pDC->DrawFocusRect(&rcFocus);
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectButton, CTkSkinObjectFrame)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(BM_SETSTATE, OnSetState)
    ON_MESSAGE(BM_SETCHECK, OnDefaultThenInvalidate)
    ON_MESSAGE(BM_SETSTYLE, OnDefaultThenInvalidate)
    ON_WM_CAPTURECHANGED()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_MESSAGE(WM_UPDATEUISTATE, OnUpdateUIState)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

int CTkSkinObjectButton::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    const int nResult = CTkSkinObjectFrame::OnCreate(lpCreateStruct);
    Invalidate(FALSE);
    return nResult;
}

void CTkSkinObjectButton::OnPaint() {
    CTkSkinObjectPaintDC dc(this);
    if (dc.GetSafeHdc() != nullptr)
        DrawButton(&dc);
}

LRESULT CTkSkinObjectButton::OnPrintClient(WPARAM wParam, LPARAM lParam) {
    if ((lParam & PRF_CLIENT) == 0)
        return Default();
    DrawButton(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

BOOL CTkSkinObjectButton::OnEraseBkgnd(CDC* /*pDC*/) {
    return TRUE;
}

void CTkSkinObjectButton::OnMouseMove(UINT /*nFlags*/, CPoint point) {
    if (GetButtonType() == BS_GROUPBOX) {
        Default();
        return;
    }
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

LRESULT CTkSkinObjectButton::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}

LRESULT CTkSkinObjectButton::OnSetState(WPARAM wParam, LPARAM /*lParam*/) {
    {
        const CInvisibleScope invisible(m_hWnd);
        Default();
    }
    m_bPushed = wParam != 0;
    Invalidate(FALSE);
    return 0;
}

LRESULT CTkSkinObjectButton::OnDefaultThenInvalidate(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    const LRESULT nResult = Default();
    Invalidate(FALSE);
    return nResult;
}

void CTkSkinObjectButton::OnCaptureChanged(CWnd* /*pWnd*/) {
    Default();
    Invalidate(FALSE);
}

void CTkSkinObjectButton::OnSetFocus(CWnd* /*pOldWnd*/) {
    Default();
    Invalidate(FALSE);
}

void CTkSkinObjectButton::OnKillFocus(CWnd* /*pNewWnd*/) {
    Default();
    Invalidate(FALSE);
}

void CTkSkinObjectButton::OnEnable(BOOL /*bEnable*/) {
    // The system would paint its own disabled look.
    Invalidate(FALSE);
}

LRESULT CTkSkinObjectButton::OnUpdateUIState(WPARAM wParam, LPARAM lParam) {
    const LRESULT nResult = ::DefWindowProcW(m_hWnd, WM_UPDATEUISTATE, wParam, lParam);
    Invalidate(FALSE);
    return nResult;
}

LRESULT CTkSkinObjectButton::OnSetText(WPARAM wParam, LPARAM lParam) {
    LRESULT nResult = 0;
    {
        const CInvisibleScope invisible(m_hWnd);
        nResult = CTkSkinObjectFrame::OnSetText(wParam, lParam);
    }
    Invalidate(FALSE);
    return nResult;
}
