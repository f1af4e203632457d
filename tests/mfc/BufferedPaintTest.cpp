// Double-buffered painting: the screen (WM_PAINT) and a print (WM_PRINTCLIENT) get the same pixels
// from the same routine, always drawn into a memory DC.

#include "WndTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kFace = RGB(10, 120, 200);
constexpr COLORREF kMark = RGB(250, 200, 0);
constexpr COLORREF kEdgeLight = RGB(255, 255, 255);
constexpr COLORREF kEdgeDark = RGB(40, 40, 40);
constexpr int kWidth = 60;
constexpr int kHeight = 40;

// Paints a face, a mark in its top-left quarter and a 3D edge; keeps every DC it was given.
class CPatternWnd : public CWnd {
public:
    struct Paint {
        HDC hDC;
        DWORD dwKind;  // GetObjectType while painting
    };
    std::vector<Paint> m_paints;

protected:
    void Draw(CDC* pDC, const CRect& rcClient) {
        m_paints.push_back({pDC->GetSafeHdc(), ::GetObjectType(pDC->GetSafeHdc())});
        pDC->FillSolidRect(&rcClient, kFace);
        pDC->FillSolidRect(2, 2, rcClient.Width() / 2 - 2, rcClient.Height() / 2 - 2, kMark);
        pDC->Draw3dRect(&rcClient, kEdgeLight, kEdgeDark);
        pDC->SetTextColor(kMark);
    }
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        AfxPaintBuffered(this, dc, [this](CDC* pDC, const CRect& rcClient) { Draw(pDC, rcClient); });
    }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM) {
        AfxPaintBuffered(this, reinterpret_cast<HDC>(wParam),
                         [this](CDC* pDC, const CRect& rcClient) { Draw(pDC, rcClient); });
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPatternWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

BOOL CreatePatternWnd(CPatternWnd* pWnd, int nWidth, int nHeight) {
    return pWnd->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"pattern", WS_POPUP, 0, 0, nWidth, nHeight,
                          nullptr, nullptr);
}

std::vector<DWORD> Pixels(const CScopedMemDC& dc) {
    ::GdiFlush();
    return std::vector<DWORD>(dc.GetBits(), dc.GetBits() + dc.GetWidth() * dc.GetHeight());
}

DWORD Rgb(COLORREF clr) {
    return (static_cast<DWORD>(GetRValue(clr)) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
}

}  // namespace

TEST(BufferedPaint, PrintShowsExactlyWhatTheScreenShows) {
    CPatternWnd wnd;
    ASSERT_TRUE(CreatePatternWnd(&wnd, kWidth, kHeight));

    CScopedMemDC printed(kWidth, kHeight);
    ASSERT_TRUE(printed.IsValid());
    printed.SetTextColor(kEdgeDark);
    wnd.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.GetSafeHdc()), PRF_CLIENT);
    // The routine's own DC changes stay in its memory DC.
    EXPECT_EQ(printed.GetTextColor(), kEdgeDark);

    wnd.ShowWindow(SW_SHOWNOACTIVATE);
    wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CScopedMemDC screen(kWidth, kHeight);
    ASSERT_TRUE(screen.IsValid());
    CClientDC windowDC(&wnd);
    ASSERT_TRUE(screen.BitBlt(0, 0, kWidth, kHeight, &windowDC, 0, 0, SRCCOPY));

    const std::vector<DWORD> expectedAt = {Rgb(kEdgeLight), Rgb(kMark), Rgb(kFace), Rgb(kEdgeDark)};
    const POINT points[] = {{0, 0}, {3, 3}, {kWidth - 5, kHeight - 5}, {kWidth - 1, kHeight - 1}};
    const std::vector<DWORD> pixels = Pixels(printed);
    for (size_t i = 0; i < expectedAt.size(); ++i)
        EXPECT_EQ(pixels[points[i].y * kWidth + points[i].x], expectedAt[i]) << points[i].x << "," << points[i].y;
    EXPECT_EQ(Pixels(screen), pixels);

    // Both paths drew into a memory DC of their own, never into the target.
    ASSERT_GE(wnd.m_paints.size(), 2u);
    for (const CPatternWnd::Paint& paint : wnd.m_paints) {
        EXPECT_EQ(paint.dwKind, static_cast<DWORD>(OBJ_MEMDC));
        EXPECT_NE(paint.hDC, printed.GetSafeHdc());
    }
    wnd.DestroyWindow();
}

// Without a client area there is no memory DC to make: the routine then draws the target itself, and
// what it changes on that DC is put back.
TEST(BufferedPaint, EmptyClientAreaDrawsOnTheTargetAndKeepsItsState) {
    CPatternWnd wnd;
    ASSERT_TRUE(CreatePatternWnd(&wnd, 0, 0));
    CScopedMemDC printed(4, 4);
    printed.SetTextColor(kEdgeDark);
    wnd.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.GetSafeHdc()), PRF_CLIENT);
    ASSERT_EQ(wnd.m_paints.size(), 1u);
    EXPECT_EQ(wnd.m_paints[0].hDC, printed.GetSafeHdc());
    EXPECT_EQ(printed.GetTextColor(), kEdgeDark);
    wnd.DestroyWindow();
}
