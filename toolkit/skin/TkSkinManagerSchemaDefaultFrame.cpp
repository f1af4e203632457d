// CTkSkinManagerSchemaDefault: the non-client frame of a skinned window: sides, caption, icon, caption
// buttons and text, and the edges of windows without a caption.
#include "TkSkinManagerSchemaDefault.h"

#include "TkDCWrappers.h"
#include "TkSkinDrawEdge.h"
#include "TkSkinImage.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"
#include "TkTextFunctions.h"
#include "TkWindowFunctions.h"

#include <uxtheme.h>
#include <vssym32.h>

namespace {

constexpr UINT kCaptionTextFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr UINT kIconQueryTimeout = 100;  // ms

bool HasCaption(DWORD dwStyle) {
    return (dwStyle & WS_CAPTION) == WS_CAPTION;
}

}  // namespace

void CTkSkinManagerSchemaDefault::DrawFrame(CDC* pDC, SKINFRAMEINFO* pFrame) {
    CWnd* pWnd = pFrame->pWnd;
    CRect rcWindow = MakeWindowRect(pWnd);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    const int cx = rcWindow.Width();
    const int cy = rcWindow.Height();
    const DWORD dwStyle = pWnd->GetStyle();
    const DWORD dwExStyle = pWnd->GetExStyle();
    if (!HasCaption(dwStyle)) {
        DrawNonClientBorders(pDC, rcWindow, *pFrame);
        return;
    }
    RECT rcBorders = pFrame->rcBorders;
    if (dwExStyle & WS_EX_CLIENTEDGE) {
        RECT rcEdge = {rcBorders.left - 2, rcBorders.top - 2, cx - rcBorders.right + 2, cy - rcBorders.bottom + 2};
        DrawClientEdge(pDC, &rcEdge, *pFrame);
        rcBorders.left -= 2;
        rcBorders.top -= 2;
        rcBorders.right -= 2;
        rcBorders.bottom -= 2;
    }
    CTkSkinManagerClass* pClass = m_pManager->GetSkinClass(L"WINDOW");
    if (pClass == nullptr)
        return;
    const BOOL bTool = (dwExStyle & WS_EX_TOOLWINDOW) != 0;
    const int nState = pFrame->bActive ? FS_ACTIVE : FS_INACTIVE;
    const RECT rcLeft = {0, rcBorders.top, rcBorders.left, cy - rcBorders.bottom};
    const RECT rcRight = {cx - rcBorders.right, rcBorders.top, cx, cy - rcBorders.bottom};
    const RECT rcBottom = {0, cy - rcBorders.bottom, cx, cy};
    pClass->DrawBackground(pDC, bTool ? WP_SMALLFRAMELEFT : WP_FRAMELEFT, nState, &rcLeft);
    pClass->DrawBackground(pDC, bTool ? WP_SMALLFRAMERIGHT : WP_FRAMERIGHT, nState, &rcRight);
    pClass->DrawBackground(pDC, bTool ? WP_SMALLFRAMEBOTTOM : WP_FRAMEBOTTOM, nState, &rcBottom);

    // Caption, icon, buttons and text are composed off screen and copied at once, so the caption does
    // not flicker; one caption at a time.
    ToolkitLockGuard lock(m_drawingLock);
    CTkBufferDC bufferDC(pDC->GetSafeHdc(), {0, 0, cx, rcBorders.top});
    DrawCaption(&bufferDC, pFrame, rcBorders, cx);
}

void CTkSkinManagerSchemaDefault::DrawCaption(CDC* pDC, SKINFRAMEINFO* pFrame, const RECT& rcBorders, int nWidth) {
    CWnd* pWnd = pFrame->pWnd;
    const DWORD dwStyle = pWnd->GetStyle();
    const DWORD dwExStyle = pWnd->GetExStyle();
    const BOOL bTool = (dwExStyle & WS_EX_TOOLWINDOW) != 0;
    const int nState = pFrame->bActive ? FS_ACTIVE : FS_INACTIVE;
    const int nCaptionPart = bTool ? WP_SMALLCAPTION : WP_CAPTION;
    CTkSkinManagerClass* pClass = m_pManager->GetSkinClass(L"WINDOW");
    CTkSkinManagerMetrics* pMetrics = m_pManager->GetMetrics();
    const RECT rcCaption = {0, 0, nWidth, rcBorders.top};
    pClass->DrawBackground(pDC, nCaptionPart, nState, &rcCaption);

    const int k = GetWindowBorders(dwStyle, dwExStyle, TRUE, FALSE) - pMetrics->GetBorderHeight();
    int nTextStart = rcBorders.left;
    if (HICON hIcon = GetFrameIcon(pWnd)) {
        const int cxIcon = ::GetSystemMetrics(SM_CXSMICON);
        const int cyIcon = ::GetSystemMetrics(SM_CYSMICON);
        // A mirrored caption must not mirror the icon's picture.
        const BOOL bRtl = IsDCRightToLeft(pDC);
        const DWORD dwLayout = bRtl ? GetLayoutOfDC(pDC->GetSafeHdc()) : 0;
        if (bRtl)
            SetDCLayout(pDC, dwLayout | LAYOUT_BITMAPORIENTATIONPRESERVED);
        ::DrawIconEx(pDC->GetSafeHdc(), rcBorders.left + 2, k + (rcBorders.top - k - cyIcon) / 2, hIcon, cxIcon, cyIcon,
                     0, nullptr, DI_NORMAL);
        if (bRtl)
            SetDCLayout(pDC, dwLayout);
        nTextStart = rcBorders.left + 2 + cxIcon;
    }
    const int nTextEnd = DrawCaptionButtons(pDC, pFrame);

    CString strText;
    GetWindowTextDirect(pWnd->GetSafeHwnd(), strText);
    UINT nFormat = kCaptionTextFormat;
    if (dwExStyle & WS_EX_RIGHT)
        nFormat |= DT_RIGHT;
    if (dwExStyle & WS_EX_RTLREADING)
        nFormat |= DT_RTLREADING;
    pDC->SetTextColor(m_pManager->GetSchemaSysColor(pFrame->bActive ? TMT_CAPTIONTEXT : TMT_INACTIVECAPTIONTEXT));
    CTkFontDC font(pDC, bTool ? pMetrics->GetSmallCaptionFont() : pMetrics->GetCaptionFont());
    const RECT rcText = {nTextStart, k + 1, nTextEnd, rcBorders.top};
    pClass->DrawText(pDC, nCaptionPart, nState, strText, nFormat, &rcText);
}

void CTkSkinManagerSchemaDefault::DrawNonClientBorders(CDC* pDC, RECT rc, const SKINFRAMEINFO& frame) {
    const CWnd* pWnd = frame.pWnd;
    const DWORD dwStyle = pWnd->GetStyle();
    const DWORD dwExStyle = pWnd->GetExStyle();
    // Through the DrawEdge import, which the skin replaces while its colours are on.
    if (dwExStyle & WS_EX_WINDOWEDGE)
        ::DrawEdge(pDC->GetSafeHdc(), &rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
    else if (dwExStyle & WS_EX_STATICEDGE)
        ::DrawEdge(pDC->GetSafeHdc(), &rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    const CTkSkinManagerMetrics* pMetrics = m_pManager->GetMetrics();
    if ((dwStyle & (WS_BORDER | WS_DLGFRAME)) || (dwExStyle & WS_EX_DLGMODALFRAME)) {
        constexpr DWORD kFaceFramed = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
        const bool bFace = (dwExStyle & kFaceFramed) || (dwStyle & WS_DLGFRAME);
        DrawFrameRectColor(pDC, &rc, 1, pMetrics->GetColor(bFace ? COLOR_BTNFACE : COLOR_WINDOWFRAME));
        ::InflateRect(&rc, -1, -1);
    }
    if (dwStyle & WS_THICKFRAME) {
        const int nWidth = pMetrics->GetBorderMultiplier();
        DrawFrameRectColor(pDC, &rc, nWidth, pMetrics->GetColor(COLOR_BTNFACE));
        ::InflateRect(&rc, -nWidth, -nWidth);
    }
    if (dwExStyle & WS_EX_CLIENTEDGE)
        DrawClientEdge(pDC, &rc, frame);
}

void CTkSkinManagerSchemaDefault::DrawClientEdge(CDC* pDC, RECT* pRect, const SKINFRAMEINFO& frame) {
    CTkSkinManagerClass* pClass = m_pManager->GetSkinClass(frame.strClassName);
    if (pClass != nullptr && pClass->GetEnumProperty(0, 0, TMT_BGTYPE, BT_IMAGEFILE) == BT_BORDERFILL) {
        // Bordered controls show their own border colour around their background.
        const COLORREF clrBorder = pClass->GetColorProperty(0, 0, TMT_BORDERCOLOR, static_cast<COLORREF>(-1));
        if (clrBorder != static_cast<COLORREF>(-1))
            DrawFrameRectColor(pDC, pRect, 1, clrBorder);
        ::InflateRect(pRect, -1, -1);
        if (frame.hClientBackground != nullptr)
            DrawFrameRectBrush(pDC, pRect, 1, frame.hClientBackground);
        return;
    }
    const CTkSkinManagerMetrics* pMetrics = m_pManager->GetMetrics();
    pDC->Draw3dRect(pRect, pMetrics->GetEdgeShadowColor(), pMetrics->GetEdgeHighlightColor());
    ::InflateRect(pRect, -1, -1);
    pDC->Draw3dRect(pRect, pMetrics->GetEdgeDkShadowColor(), pMetrics->GetEdgeLightColor());
    ::InflateRect(pRect, -1, -1);
}

SIZE CTkSkinManagerSchemaDefault::GetCaptionButtonSize(CTkSkinManagerClass* pWindowClass, int nHeight) {
    const SIZE sizeSquare = {nHeight, nHeight};
    if (pWindowClass->GetEnumProperty(WP_CLOSEBUTTON, CBS_NORMAL, TMT_BGTYPE, BT_IMAGEFILE) != BT_IMAGEFILE)
        return sizeSquare;
    const CTkSkinImage* pImage = GetPartImage(pWindowClass, WP_CLOSEBUTTON, CBS_NORMAL);
    if (pImage == nullptr)
        return sizeSquare;
    const RECT rcCell = GetSkinImageCell(
        pImage->GetExtent(), pWindowClass->GetIntProperty(WP_CLOSEBUTTON, CBS_NORMAL, TMT_IMAGECOUNT, 1),
        pWindowClass->GetEnumProperty(WP_CLOSEBUTTON, CBS_NORMAL, TMT_IMAGELAYOUT, IL_HORIZONTAL) == IL_HORIZONTAL, 0);
    const int cx = rcCell.right - rcCell.left;
    const int cy = rcCell.bottom - rcCell.top;
    if (cy <= 0)
        return sizeSquare;
    return {::MulDiv(cx - cy, 4, cy) + ::MulDiv(cx, nHeight, cy), nHeight};
}

RECT CTkSkinManagerSchemaDefault::CalcCaptionButtonRect(DWORD dwStyle, DWORD dwExStyle, int nWidth, int nTopBorder) {
    const CTkSkinManagerMetrics* pMetrics = m_pManager->GetMetrics();
    const int n = GetWindowBorders(dwStyle, dwExStyle, TRUE, FALSE);
    int nOffset = dwExStyle & (WS_EX_WINDOWEDGE | WS_EX_STATICEDGE) ? 1 : 0;
    if (dwStyle & WS_THICKFRAME)
        nOffset += (pMetrics->GetBorderMultiplier() + 1) / 2;
    int nHeight = nTopBorder - n * pMetrics->GetBorderWidth() - 5;
    if (dwExStyle & WS_EX_CLIENTEDGE) {
        nHeight -= 2;
        nOffset -= 1;
    }
    CTkSkinManagerClass* pClass = m_pManager->GetSkinClass(L"WINDOW");
    const SIZE size = dwExStyle & WS_EX_TOOLWINDOW || pClass == nullptr ? SIZE{nHeight, nHeight}
                                                                        : GetCaptionButtonSize(pClass, nHeight);
    RECT rc;
    rc.right = nWidth - n - 2;
    rc.left = rc.right - size.cx;
    rc.top = (nTopBorder - nHeight) / 2 + nOffset;
    rc.bottom = rc.top + size.cy;
    return rc;
}

int CTkSkinManagerSchemaDefault::DrawCaptionButtons(CDC* pDC, SKINFRAMEINFO* pFrame) {
    CWnd* pWnd = pFrame->pWnd;
    const int nWidth = MakeWindowRect(pWnd).Width();
    const DWORD dwStyle = pWnd->GetStyle();
    const DWORD dwExStyle = pWnd->GetExStyle();
    RECT rc = CalcCaptionButtonRect(dwStyle, dwExStyle, nWidth, pFrame->rcBorders.top);
    CTkSkinManagerClass* pClass = m_pManager->GetSkinClass(L"WINDOW");
    int nTextEnd = nWidth - GetWindowBorders(dwStyle, dwExStyle, TRUE, FALSE);
    for (SKINCAPTIONBUTTON& button : pFrame->buttons) {
        button.rc = rc;
        if (pClass != nullptr)
            pClass->DrawBackground(pDC, button.nPartId, button.nStateId, &rc);
        nTextEnd = rc.left;
        ::OffsetRect(&rc, -(rc.right - rc.left + 2), 0);
    }
    return nTextEnd;
}

HICON CTkSkinManagerSchemaDefault::GetFrameIcon(CWnd* pWnd) {
    const DWORD dwStyle = pWnd->GetStyle();
    const DWORD dwExStyle = pWnd->GetExStyle();
    if ((dwExStyle & WS_EX_TOOLWINDOW) || !(dwStyle & WS_SYSMENU))
        return nullptr;
    const HWND hWnd = pWnd->GetSafeHwnd();
    HICON hIcon = reinterpret_cast<HICON>(::SendMessageW(hWnd, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::SendMessageW(hWnd, WM_GETICON, ICON_BIG, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hWnd, GCLP_HICONSM));
    if (hIcon != nullptr)
        return hIcon;
    // Dialog frames show no icon of their own choosing.
    if ((dwStyle & WS_CAPTION) == WS_DLGFRAME || (dwExStyle & WS_EX_DLGMODALFRAME))
        return nullptr;
    DWORD_PTR dwResult = 0;
    if (::SendMessageTimeoutW(hWnd, WM_QUERYDRAGICON, 0, 0, SMTO_NORMAL, kIconQueryTimeout, &dwResult) && dwResult != 0)
        return reinterpret_cast<HICON>(dwResult);
    return ::LoadIconW(nullptr, IDI_WINLOGO);
}
