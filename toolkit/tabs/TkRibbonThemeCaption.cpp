// CTkRibbonTheme: context colour names and caption text on a glass caption.
#include "TkRibbonTheme.h"

#include "TkWinThemeWrapper.h"

#include <iterator>

namespace {

constexpr DWORD kMaximizedStyle = WS_MAXIMIZE;
constexpr int kGlowSize = 8;
constexpr int kCaptionPart = 1;  // WP_CAPTION: a maximised frame never reaches the visual style
constexpr int kActiveState = 1;
constexpr int kInactiveState = 2;

}  // namespace

CString CTkRibbonTheme::GetContextColorName(int nColor) {
    static const LPCWSTR names[] = {L"BLUE", L"YELLOW", L"GREEN", L"RED", L"PURPLE", L"CYAN", L"ORANGE"};
    if (nColor < 1 || nColor > static_cast<int>(std::size(names)))
        return CString();
    return names[nColor - 1];
}

void CTkRibbonTheme::DrawGlassCaptionText(CDC* pDC, CRect rc, const CString& strText, CWnd* pFrame, BOOL bActive) {
    const UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    const BOOL bMaximized = pFrame != nullptr && (pFrame->GetStyle() & kMaximizedStyle) != 0;
    if (bMaximized) {
        pDC->SetTextColor(RGB(255, 255, 255));
        pDC->DrawText(strText, &rc, nFormat);
        return;
    }
    CTkWinThemeWrapper theme(TRUE);
    theme.OpenTheme(nullptr, L"WINDOW");
    if (theme.IsAppThemed()) {
        CRect rcBuffer = rc;
        rcBuffer.InflateRect(5, 0);
        BP_PAINTPARAMS params{};
        params.cbSize = sizeof(params);
        HDC hBufferDC = nullptr;
        HPAINTBUFFER hBuffer =
            theme.BeginBufferedPaint(pDC->GetSafeHdc(), &rcBuffer, BPBF_TOPDOWNDIB, &params, &hBufferDC);
        if (hBuffer != nullptr) {
            ::BitBlt(hBufferDC, rcBuffer.left, rcBuffer.top, rcBuffer.Width(), rcBuffer.Height(), pDC->GetSafeHdc(),
                     rcBuffer.left, rcBuffer.top, SRCCOPY);
            ::SelectObject(hBufferDC, m_fntCaption.GetSafeHandle());
            DTTOPTS options{};
            options.dwSize = sizeof(options);
            options.dwFlags = DTT_COMPOSITED | DTT_TEXTCOLOR | DTT_GLOWSIZE;
            options.crText = RGB(0, 0, 0);
            options.iGlowSize = kGlowSize;
            theme.DrawTextEx(hBufferDC, kCaptionPart, bActive ? kActiveState : kInactiveState, strText,
                             strText.GetLength(), nFormat, &rc, &options);
            theme.EndBufferedPaint(hBuffer, TRUE);
            return;
        }
    }
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->DrawText(strText, &rc, nFormat);
}
