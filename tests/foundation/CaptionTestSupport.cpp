#include "CaptionTestSupport.h"

#include <algorithm>

CCaptionHost::CCaptionHost(const CRect& rect) {
    CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_3DFACE)), L"",
             WS_POPUP | WS_CLIPCHILDREN, rect.left, rect.top, rect.Width(), rect.Height(), nullptr, nullptr);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

CCaptionHost::~CCaptionHost() {
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

LRESULT CCaptionHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCaptionPopupClosedMessage || message == kCaptionPopupFocusLostMessage || message == WM_COMMAND)
        m_received.push_back({message, wParam, lParam});
    return CWnd::WindowProc(message, wParam, lParam);
}

int CCaptionHost::Count(UINT message) const {
    return static_cast<int>(std::count_if(m_received.begin(), m_received.end(),
                                          [message](const Received& r) { return r.message == message; }));
}

namespace {

CRect ClientOf(CWnd* pWnd) {
    CRect rect;
    pWnd->GetClientRect(&rect);
    return rect;
}

}  // namespace

PrintedWindow::PrintedWindow(CWnd* pWnd) : rcClient(ClientOf(pWnd)), dc(rcClient.Width(), rcClient.Height()) {
    pWnd->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
}

void WriteCaptionPng(CTkCaption* pCaption, LPCWSTR pszFileName) {
    PrintedWindow printed(pCaption);
    CTkCaptionButton& button = pCaption->GetButton();
    if (button.GetSafeHwnd() != nullptr && button.IsWindowVisible()) {
        CRect rcButton;
        button.GetWindowRect(&rcButton);
        pCaption->ScreenToClient(&rcButton);
        const CPoint ptOld = printed.dc.SetViewportOrg(rcButton.TopLeft());
        button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc.GetSafeHdc()), PRF_CLIENT);
        printed.dc.SetViewportOrg(ptOld);
    }
    WritePng(printed.dc, pszFileName);
}

HICON MakeSolidIcon(COLORREF color) {
    CScopedMemDC colour(16, 16);
    colour.FillSolidRect(0, 0, 16, 16, color);
    const HBITMAP hColour = colour.DetachBitmap();
    CBitmap mask;
    mask.CreateBitmap(16, 16, 1, 1, nullptr);
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CScopedSelectObject selected(dc, mask);
        dc.PatBlt(0, 0, 16, 16, BLACKNESS);  // all opaque
    }
    ICONINFO info{TRUE, 0, 0, static_cast<HBITMAP>(mask.GetSafeHandle()), hColour};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColour);
    return hIcon;
}
