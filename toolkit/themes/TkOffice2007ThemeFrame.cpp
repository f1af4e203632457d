// CTkOffice2007Theme: the themed frame a frame hook asks for: borders, caption, caption buttons and
// text, the status-bar edge, the window region and the caption icons.
#include "TkOffice2007Theme.h"

#include "TkDCWrappers.h"
#include "TkWindowFunctions.h"
#include "TkOffice2007Drawing.h"
#include "TkOffice2007Image.h"
#include "TkThemedFrameHook.h"

namespace {

constexpr int kCaptionIconLeft = 7;
constexpr int kFrameStates = 2;  // active, inactive
const CRect kCaptionMargins(0, 5, 0, 3);
constexpr UINT_PTR kDragIconTimeout = 100;  // ms
constexpr DWORD kStyleDocumentTitle = 0x4000;

// A solid rectangle, unless the look names no colour for it.
void Fill(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr) {
    if (clr != kColorUnset && x2 > x1 && y2 > y1)
        pDC->FillSolidRect(x1, y1, x2 - x1, y2 - y1, clr);
}

void OrRect(CRgn& rgn, int x1, int y1, int x2, int y2) {
    CRgn part;
    part.CreateRectRgn(x1, y1, x2, y2);
    rgn.CombineRgn(&rgn, &part, RGN_OR);
}

// Part rcSrc of an image (in its state's coordinates) stretched over rcDest, without margins.
void DrawImagePart(CDC* pDC, CTkOffice2007Image* pImage, const CRect& rcDest, int nState, const CRect& rcPart) {
    if (pImage == nullptr || rcDest.IsRectEmpty())
        return;
    CRect rcSrc = rcPart;
    rcSrc.OffsetRect(pImage->GetSource(nState, kFrameStates).TopLeft());
    pImage->DrawImage(pDC, rcDest, rcSrc, CRect(0, 0, 0, 0));
}

// The window text that follows the document's title, when the caption shows it after the
// application's name.
CString GetDocumentTitle(HWND hwndFrame, const CString& strText) {
    if ((::GetWindowLongW(hwndFrame, GWL_STYLE) & kStyleDocumentTitle) == 0 ||
        (::GetWindowLongW(hwndFrame, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
        return CString();
    auto* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(hwndFrame));
    CDocument* pDocument = pFrame != nullptr ? pFrame->GetActiveDocument() : nullptr;
    if (pDocument == nullptr)
        return CString();
    const CString& strTitle = pDocument->GetTitle();
    if (strTitle.IsEmpty() || strText.GetLength() < strTitle.GetLength() ||
        strText.Right(strTitle.GetLength()) != strTitle)
        return CString();
    return strTitle;
}

}  // namespace

void CTkOffice2007Theme::PaintFrame(CDC* pDC, CTkThemedFrameHook* pFrameHook) {
    const HWND hwndFrame = pFrameHook->GetFrameWindow();
    if (hwndFrame == nullptr)
        return;
    CRect rc;
    ::GetWindowRect(hwndFrame, &rc);
    CRect rcClient;
    ::GetClientRect(hwndFrame, &rcClient);
    ::MapWindowPoints(hwndFrame, nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
    rcClient.OffsetRect(-rc.left, -rc.top);
    rc.OffsetRect(-rc.left, -rc.top);
    const int b = rcClient.left;
    const int h = rc.bottom - rcClient.bottom;
    const int nCaption = pFrameHook->GetCaptionHeight();
    int nStatus = 0;
    if (!pFrameHook->GetStatusBarHeight(nStatus))
        nStatus = -1;
    PaintFrameBorders(pDC, pFrameHook, rc, b, h, nCaption, nStatus);
    PaintFrameCaption(pDC, pFrameHook, rc, b, nCaption);
    if (nStatus >= 0)
        PaintFrameStatusEdge(pDC, pFrameHook, rc, b, h, nStatus);
}

// Column k of the border needs b > k; the right border mirrors the left.
void CTkOffice2007Theme::PaintFrameBorders(CDC* pDC, CTkThemedFrameHook* pFrameHook, const CRect& rc, int b, int h,
                                           int nCaption, int nStatus) {
    const BOOL bActive = pFrameHook->IsFrameActive();
    const COLORREF* c = bActive ? m_clrFrameBorderActive : m_clrFrameBorderInactive;
    // Columns 1 and 2 stop where the status-bar edge begins, else one pixel short of the bottom.
    const int yInnerEnd = nStatus >= 0 ? rc.bottom - h - nStatus : rc.bottom - 1;
    const auto column = [&](int k, COLORREF clr, int yEnd) {
        if (b <= k)
            return;
        Fill(pDC, rc.left + k, nCaption, rc.left + k + 1, yEnd, clr);
        Fill(pDC, rc.right - k - 1, nCaption, rc.right - k, yEnd, clr);
    };
    column(0, c[0], rc.bottom);
    column(1, c[1], yInnerEnd);
    column(2, c[2], yInnerEnd);
    for (int k = 3; k < b; ++k)
        column(k, c[3], rc.bottom);

    const BOOL bMaximized = (pFrameHook->GetFrameStyle(FALSE) & WS_MAXIMIZE) != 0;
    Fill(pDC, rc.left, rc.bottom - 1, rc.right, rc.bottom, bMaximized ? m_clrFrameBorderActive[3] : c[0]);
    if (h > 1)
        Fill(pDC, rc.left + 1, rc.bottom - h, rc.right - 1, rc.bottom - 1, c[3]);
}

void CTkOffice2007Theme::PaintFrameCaption(CDC* pDC, CTkThemedFrameHook* pFrameHook, const CRect& rc, int b,
                                           int nCaption) {
    const BOOL bActive = pFrameHook->IsFrameActive();
    const int nState = bActive ? 0 : 1;
    const CSize szLeft = GetLookImageStateSize(L"FRAMETOPLEFT", kFrameStates);
    const CSize szRight = GetLookImageStateSize(L"FRAMETOPRIGHT", kFrameStates);
    if (!pFrameHook->IsFrameCaptionVisible()) {
        // The ribbon draws the caption: only the border parts of the images.
        DrawImagePart(pDC, LoadImage(L"FRAMETOPLEFT"), CRect(rc.left, rc.top, rc.left + b, nCaption), nState,
                      CRect(0, 0, b, szLeft.cy));
        DrawImagePart(pDC, LoadImage(L"FRAMETOPRIGHT"), CRect(rc.right - b, rc.top, rc.right, nCaption), nState,
                      CRect(szRight.cx - b, 0, szRight.cx, szRight.cy));
        const CSize szCenter = GetLookImageStateSize(L"FRAMETOPCENTER", kFrameStates);
        DrawImagePart(pDC, LoadImage(L"FRAMETOPCENTER"), CRect(rc.left + b, rc.top, rc.right - b, rc.top + b), nState,
                      CRect(0, 0, szCenter.cx, std::min<int>(b, szCenter.cy)));
        return;
    }
    const CRect rcCaption(rc.left, rc.top, rc.right, nCaption);
    CTkBufferDC buffer(pDC->GetSafeHdc(), rcCaption);
    // What no image covers stays as it was.
    buffer.BitBlt(0, 0, rcCaption.right, rcCaption.bottom, pDC, 0, 0, SRCCOPY);
    DrawLookImage(&buffer, L"FRAMETOPLEFT", CRect(0, 0, szLeft.cx, nCaption), nState, kFrameStates, kCaptionMargins);
    DrawLookImage(&buffer, L"FRAMETOPRIGHT", CRect(rc.right - szRight.cx, 0, rc.right, nCaption), nState, kFrameStates,
                  kCaptionMargins);
    DrawLookImage(&buffer, L"FRAMETOPCENTER", CRect(szLeft.cx, 0, rc.right - szRight.cx, nCaption), nState,
                  kFrameStates, kCaptionMargins);

    CRect rcText(kCaptionIconLeft, b, rc.right, nCaption - 3);
    if (HICON hIcon = GetFrameSmallIcon(pFrameHook->GetFrameWindow())) {
        const int cx = ::GetSystemMetrics(SM_CXSMICON);
        const int cy = ::GetSystemMetrics(SM_CYSMICON);
        const int y = (b + nCaption - 1 - cy) / 2;
        const HDC hDC = buffer.GetSafeHdc();
        const DWORD dwLayout = ::GetLayout(hDC);
        if ((dwLayout & LAYOUT_RTL) != 0)
            ::SetLayout(hDC, dwLayout | LAYOUT_BITMAPORIENTATIONPRESERVED);
        ::DrawIconEx(hDC, kCaptionIconLeft, y, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        ::SetLayout(hDC, dwLayout);
        rcText.left = cx + 12;
    }
    rcText.right -= b;
    PaintFrameCaptionText(&buffer, rcText, pFrameHook, bActive);
}

void CTkOffice2007Theme::PaintFrameStatusEdge(CDC* pDC, CTkThemedFrameHook* pFrameHook, const CRect& rc, int b, int h,
                                              int nStatus) {
    const int yTop = rc.bottom - nStatus - h;
    const int yBottom = rc.bottom - h;
    const struct {
        LPCTSTR pszName;
        int xLeft;
    } edges[] = {{L"STATUSBARLIGHT", static_cast<int>(rc.left + 1)},
                 {L"STATUSBARDARK", static_cast<int>(rc.right - b)}};
    for (const auto& [pszName, xLeft] : edges) {
        CTkOffice2007Image* pImage = LoadImage(pszName);
        if (pImage == nullptr || b < 2)
            continue;
        const CRect rcSrc = pImage->GetSource(0, 1);
        pImage->DrawImage(pDC, CRect(xLeft, yTop, xLeft + b - 1, yBottom),
                          CRect(rcSrc.left, rcSrc.top, rcSrc.left + b - 1, rcSrc.bottom), CRect(0, 0, 0, 0));
    }
    if (b < 4)
        return;
    const int nState = pFrameHook->IsFrameActive() ? 0 : 1;
    const CSize szLeft = GetLookImageStateSize(L"FRAMEBOTTOMLEFT", kFrameStates);
    DrawLookImage(pDC, L"FRAMEBOTTOMLEFT", CRect(rc.left, rc.bottom - szLeft.cy, rc.left + szLeft.cx, rc.bottom),
                  nState, kFrameStates, CRect(0, 0, 0, 0), TRUE);
    const CSize szRight = GetLookImageStateSize(L"FRAMEBOTTOMRIGHT", kFrameStates);
    DrawLookImage(pDC, L"FRAMEBOTTOMRIGHT", CRect(rc.right - szRight.cx, rc.bottom - szRight.cy, rc.right, rc.bottom),
                  nState, kFrameStates, CRect(0, 0, 0, 0), TRUE);
}

// Rounded top corners always; rounded bottom corners only where the status-bar edge closes the frame.
HRGN CTkOffice2007Theme::GetFrameRegion(CTkThemedFrameHook* pFrameHook, int cx, int cy) {
    if ((pFrameHook->GetFrameStyle(FALSE) & WS_MAXIMIZE) != 0)
        return nullptr;
    CRgn rgn;
    rgn.CreateRectRgn(4, 0, cx - 4, 1);
    OrRect(rgn, 2, 1, cx - 2, 2);
    OrRect(rgn, 1, 2, cx - 1, 3);
    OrRect(rgn, 1, 3, cx - 1, 4);
    OrRect(rgn, 0, 4, cx, cy - 4);
    int nStatus = 0;
    if (pFrameHook->GetStatusBarHeight(nStatus) && pFrameHook->GetFrameBorder() > 3) {
        OrRect(rgn, 1, cy - 4, cx - 1, cy - 2);
        OrRect(rgn, 2, cy - 2, cx - 2, cy - 1);
        OrRect(rgn, 4, cy - 1, cx - 4, cy);
    } else {
        OrRect(rgn, 0, cy - 4, cx, cy);
    }
    return static_cast<HRGN>(rgn.Detach());
}

int CTkOffice2007Theme::GetCaptionButtonState(BOOL bHot, BOOL bPressed, BOOL bEnabled) {
    if (!bEnabled)
        return 3;
    if (bPressed && bHot)
        return 2;
    return bPressed || bHot ? 1 : 0;
}

CString CTkOffice2007Theme::GetCaptionGlyphName(UINT nCommand, int nWidth) {
    LPCTSTR pszKind = nCommand == SC_CLOSE      ? L"CLOSE"
                      : nCommand == SC_MINIMIZE ? L"MINIMIZE"
                      : nCommand == SC_MAXIMIZE ? L"MAXIMIZE"
                                                : L"RESTORE";
    const int nSize = nWidth <= 14 ? 13 : nWidth <= 26 ? 17 : 23;
    CString strName;
    strName.Format(L"FRAMECAPTION%s%d", pszKind, nSize);
    return strName;
}

void CTkOffice2007Theme::PaintFrameCaptionButton(CDC* pDC, CRect rc, UINT nCommand, BOOL bSelected, BOOL bPressed,
                                                 BOOL bActive) {
    if (bSelected || bPressed)
        DrawLookImage(pDC, L"FRAMECAPTIONBUTTON", rc, bPressed && bSelected ? 1 : 0, 2, CRect(3, 3, 3, 3), TRUE);
    DrawLookImageCentered(pDC, GetCaptionGlyphName(nCommand, rc.Width()), rc,
                          GetCaptionButtonState(bSelected, bPressed, bActive), 5);
}

void CTkOffice2007Theme::PaintFrameCaptionText(CDC* pDC, CRect rc, CTkThemedFrameHook* pFrameHook, BOOL bActive) {
    const COLORREF clrText = bActive ? m_clrCaptionTextActive : m_clrCaptionTextInactive;
    const HWND hwndFrame = pFrameHook->GetFrameWindow();
    if (clrText == kColorUnset || hwndFrame == nullptr)
        return;
    const CString strText = GetWindowTextFromHandle(hwndFrame);
    CScopedSaveDC saved(pDC->GetSafeHdc());
    CTkFontDC font(pDC, &m_fntCaption);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    const UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    const CString strTitle = GetDocumentTitle(hwndFrame, strText);
    if (strTitle.IsEmpty()) {
        pDC->DrawText(strText, &rc, nFormat);
        return;
    }
    const CString strFirst = strText.Left(strText.GetLength() - strTitle.GetLength());
    pDC->DrawText(strFirst, &rc, nFormat);
    const int x = rc.left + pDC->GetTextExtent(strFirst).cx + 2;
    if (x >= rc.right - 5)
        return;
    if (bActive && m_clrCaptionTextDocument != kColorUnset)
        pDC->SetTextColor(m_clrCaptionTextDocument);
    CRect rcTitle(x, rc.top, rc.right, rc.bottom);
    pDC->DrawText(strTitle, &rcTitle, nFormat);
}

HICON CTkOffice2007Theme::GetFrameSmallIcon(HWND hwndFrame) {
    if (hwndFrame == nullptr)
        return nullptr;
    const DWORD dwStyle = ::GetWindowLongW(hwndFrame, GWL_STYLE);
    const DWORD dwExStyle = ::GetWindowLongW(hwndFrame, GWL_EXSTYLE);
    if ((dwStyle & WS_SYSMENU) == 0 || (dwExStyle & WS_EX_TOOLWINDOW) != 0)
        return nullptr;
    if (auto hIcon = reinterpret_cast<HICON>(::SendMessageW(hwndFrame, WM_GETICON, ICON_SMALL, 0)))
        return hIcon;
    if (auto hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hwndFrame, GCLP_HICONSM)))
        return hIcon;
    const BOOL bDialogFrame = (dwStyle & WS_DLGFRAME) != 0 && (dwStyle & WS_BORDER) == 0;
    if (bDialogFrame || (dwExStyle & WS_EX_DLGMODALFRAME) != 0)
        return nullptr;
    // A window of another thread that does not answer in time is not waited for.
    DWORD_PTR dwResult = 0;
    if (::SendMessageTimeoutW(hwndFrame, WM_QUERYDRAGICON, 0, 0, SMTO_ABORTIFHUNG, kDragIconTimeout, &dwResult) &&
        dwResult != 0)
        return reinterpret_cast<HICON>(dwResult);
    return ::LoadIconW(nullptr, IDI_WINLOGO);
}

HICON CTkOffice2007Theme::GetFrameLargeIcon(HWND hwndFrame) {
    if (hwndFrame == nullptr)
        return nullptr;
    if (auto hIcon = reinterpret_cast<HICON>(::SendMessageW(hwndFrame, WM_GETICON, ICON_BIG, 0)))
        return hIcon;
    return reinterpret_cast<HICON>(::GetClassLongPtrW(hwndFrame, GCLP_HICON));
}
