// What the command bars take from the system, checked on the system they run on: a bar window turned
// from child to owned popup and back (the owner set through GWLP_HWNDPARENT), topmost tool-window popups
// shown without taking activation from their frame, the work area, and the glyph font of the MDI buttons.

#include "FrameTestSupport.h"

namespace {

constexpr DWORD kDockedStyle = 0x46000100;    // WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | 0x100
constexpr DWORD kFloatingStyle = 0x86000100;  // WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | 0x100

HWND CreateRaw(DWORD dwExStyle, DWORD dwStyle, HWND hParent, int x, int y) {
    return ::CreateWindowExW(dwExStyle, AfxRegisterWndClass(0), L"probe", dwStyle, x, y, 120, 40, hParent, nullptr,
                             AfxGetInstanceHandle(), nullptr);
}

}  // namespace

TEST(PlatformProbe, BarWindowsWorkAreaAndGlyphFont) {
    HWND hFrame = CreateRaw(0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 50, 50);
    ASSERT_NE(hFrame, nullptr);
    ::SetForegroundWindow(hFrame);
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == hFrame; }));

    // Docked to floating as a bar flips its one window: the owner cleared by GWLP_HWNDPARENT 0 (on a
    // child this takes it out of its parent), WS_CHILD replaced by WS_POPUP, the owner set to the frame
    // (64-bit index). The window leaves its parent hidden: it is shown again without activation, and the
    // frame stays active. Back again the owner must be cleared first (a child keeps a stale owner
    // otherwise), then WS_POPUP replaced by WS_CHILD and the frame made the parent.
    HWND hBar = CreateRaw(0, kDockedStyle, hFrame, 0, 0);
    ASSERT_NE(hBar, nullptr);
    ::SetWindowLongPtrW(hBar, GWLP_HWNDPARENT, 0);
    ::SetWindowLongPtrW(hBar, GWL_STYLE, static_cast<LONG>(kFloatingStyle));
    ::SetWindowLongPtrW(hBar, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hFrame));
    EXPECT_FALSE(::IsWindowVisible(hBar));
    ::SetWindowPos(hBar, nullptr, 300, 300, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    EXPECT_TRUE(::IsWindowVisible(hBar));
    EXPECT_EQ(::GetActiveWindow(), hFrame);
    EXPECT_EQ(::GetAncestor(hBar, GA_PARENT), ::GetDesktopWindow());
    EXPECT_EQ(::GetWindow(hBar, GW_OWNER), hFrame);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(hBar, GWL_STYLE)) & (WS_CHILD | WS_POPUP), WS_POPUP);
    ::SetWindowLongPtrW(hBar, GWLP_HWNDPARENT, 0);
    ::SetWindowLongPtrW(hBar, GWL_STYLE, static_cast<LONG>(kDockedStyle));
    ::SetParent(hBar, hFrame);
    EXPECT_EQ(::GetParent(hBar), hFrame);
    EXPECT_EQ(::GetWindow(hBar, GW_OWNER), nullptr);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(hBar, GWL_STYLE)) & (WS_CHILD | WS_POPUP), WS_CHILD);
    EXPECT_EQ(::GetActiveWindow(), hFrame);

    // A popup menu's window: topmost tool window shown without activation; the frame stays active
    // and in the foreground, and the popup is above it.
    HWND hPopup = CreateRaw(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP, hFrame, 60, 80);
    ASSERT_NE(hPopup, nullptr);
    ::SetWindowPos(hPopup, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(::IsWindowVisible(hPopup));
    EXPECT_EQ(::GetActiveWindow(), hFrame);
    EXPECT_EQ(::GetForegroundWindow(), hFrame);
    EXPECT_NE(::GetWindowLongW(hPopup, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(::WindowFromPoint(CPoint(70, 90)), hPopup);
    ::DestroyWindow(hPopup);
    EXPECT_EQ(::GetActiveWindow(), hFrame);

    // The work area lies within the screen and is not empty.
    CRect rectWork;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectWork, 0));
    EXPECT_FALSE(rectWork.IsRectEmpty());
    EXPECT_GE(rectWork.left, 0);
    EXPECT_GE(rectWork.top, 0);
    EXPECT_LE(rectWork.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(rectWork.bottom, ::GetSystemMetrics(SM_CYSCREEN));

    // The window-button glyphs "0", "2" and "r" draw ink in the font asked for as Marlett. Wine's own
    // fonts are not in the test prefix, so there the request falls back to another face (recorded as
    // the test's "marlett_face" property); Windows maps it to itself.
    LOGFONTW lf = {};
    lf.lfHeight = -13;
    lf.lfCharSet = SYMBOL_CHARSET;
    wcscpy_s(lf.lfFaceName, L"Marlett");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    HDC hScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOldBitmap = ::SelectObject(hdc, hBitmap);
    HGDIOBJ hOldFont = ::SelectObject(hdc, font.GetSafeHandle());
    wchar_t szFace[LF_FACESIZE] = {};
    ::GetTextFaceW(hdc, LF_FACESIZE, szFace);
    ::testing::Test::RecordProperty("marlett_face", CStringA(szFace).GetString());
    for (const wchar_t* pszGlyph : {L"0", L"2", L"r"}) {
        CRect rect(0, 0, 16, 16);
        ::FillRect(hdc, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetTextColor(hdc, RGB(0, 0, 0));
        ::SetBkMode(hdc, TRANSPARENT);
        ::DrawTextW(hdc, pszGlyph, 1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        int nInk = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                nInk += ::GetPixel(hdc, x, y) == RGB(0, 0, 0) ? 1 : 0;
        EXPECT_GT(nInk, 3) << "glyph " << static_cast<char>(pszGlyph[0]);
    }
    ::SelectObject(hdc, hOldFont);
    ::SelectObject(hdc, hOldBitmap);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);

    ::DestroyWindow(hFrame);
}
