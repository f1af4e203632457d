#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupBrush.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupValues.h"

#include "FoundationTestSupport.h"

#include <cmath>

namespace {

using Drawing = MarkupTest;

DWORD Pixel(const CScopedMemDC& dc, int x, int y) {
    return dc.GetBits()[y * dc.GetWidth() + x] & 0xFFFFFF;
}

// 0x00RRGGBB of a COLORREF, as the DIB stores it.
DWORD Dib(COLORREF clr) {
    return (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
}

void Clear(CScopedMemDC& dc) {
    std::fill(dc.GetBits(), dc.GetBits() + dc.GetWidth() * dc.GetHeight(), 0u);
}

CTkMarkupLinearGradientBrush* MakeGradient(std::initializer_list<std::pair<COLORREF, double>> stops, double sx,
                                           double sy, double ex, double ey) {
    auto* pBrush = new CTkMarkupLinearGradientBrush;
    for (const auto& [clr, offset] : stops) {
        auto* pStop = new CTkMarkupGradientStop;
        pStop->SetValue(CTkMarkupGradientStop::s_pColorProperty, new CTkMarkupColor(clr));
        pStop->SetValue(CTkMarkupGradientStop::s_pOffsetProperty, new CTkMarkupDouble(offset));
        pBrush->GetStops()->Add(pStop);
    }
    pBrush->SetValue(CTkMarkupLinearGradientBrush::s_pStartPointProperty, new CTkMarkupPoint(sx, sy));
    pBrush->SetValue(CTkMarkupLinearGradientBrush::s_pEndPointProperty, new CTkMarkupPoint(ex, ey));
    return pBrush;
}

TEST_F(Drawing, SolidFillsAndFrames) {
    CScopedMemDC mem(10, 10);
    Clear(mem);
    CTkMarkupDrawingContext dc(mem.GetSafeHdc());
    dc.FillSolidRect(CRect(1, 1, 4, 3), RGB(10, 20, 30));
    EXPECT_EQ(Dib(RGB(10, 20, 30)), Pixel(mem, 1, 1));
    EXPECT_EQ(Dib(RGB(10, 20, 30)), Pixel(mem, 3, 2));
    EXPECT_EQ(0u, Pixel(mem, 4, 2));
    EXPECT_EQ(0u, Pixel(mem, 1, 3));

    const auto brush = CTkMarkupPtr<CTkMarkupSolidColorBrush>::Adopt(new CTkMarkupSolidColorBrush(RGB(255, 0, 0)));
    dc.DrawFrame(brush.Get(), CRect(5, 5, 9, 9));
    EXPECT_EQ(Dib(RGB(255, 0, 0)), Pixel(mem, 5, 5));
    EXPECT_EQ(Dib(RGB(255, 0, 0)), Pixel(mem, 8, 8));
    EXPECT_EQ(Dib(RGB(255, 0, 0)), Pixel(mem, 8, 6));
    EXPECT_EQ(0u, Pixel(mem, 6, 6)) << "a frame leaves the inside";

    // A brush without a colour draws nothing.
    const auto empty = CTkMarkupPtr<CTkMarkupSolidColorBrush>::Adopt(new CTkMarkupSolidColorBrush);
    dc.FillRectangle(empty.Get(), CRect(0, 0, 10, 10));
    EXPECT_EQ(0u, Pixel(mem, 0, 0));
}

TEST_F(Drawing, GradientPixelsFollowTheFormula) {
    CScopedMemDC mem(10, 4);
    Clear(mem);
    CTkMarkupDrawingContext dc(mem.GetSafeHdc());
    // Horizontal, black to (200, 100, 0): s = x / 10.
    const auto brush = CTkMarkupPtr<CTkMarkupLinearGradientBrush>::Adopt(
        MakeGradient({{RGB(0, 0, 0), 0.0}, {RGB(200, 100, 0), 1.0}}, 0, 0, 1, 0));
    brush->FillRect(&dc, CRect(0, 0, 10, 4));
    for (int x = 0; x < 10; x++) {
        const double t = (1.0 - x / 10.0);
        const COLORREF expected = RGB(std::lround((1 - t) * 200), std::lround((1 - t) * 100), 0);
        EXPECT_EQ(Dib(expected), Pixel(mem, x, 0)) << x;
        EXPECT_EQ(Pixel(mem, x, 0), Pixel(mem, x, 3)) << "rows are copies";
    }

    // Two stops at the same offset switch sharply; vertical gradient.
    Clear(mem);
    const auto sharp = CTkMarkupPtr<CTkMarkupLinearGradientBrush>::Adopt(MakeGradient(
        {{RGB(255, 0, 0), 0.0}, {RGB(255, 0, 0), 0.5}, {RGB(0, 0, 255), 0.5}, {RGB(0, 0, 255), 1.0}}, 0, 0, 0, 1));
    sharp->FillRect(&dc, CRect(0, 0, 10, 4));
    EXPECT_EQ(Dib(RGB(255, 0, 0)), Pixel(mem, 3, 1));
    EXPECT_EQ(Dib(RGB(0, 0, 255)), Pixel(mem, 3, 2));

    // One stop fills solid; start = end draws nothing.
    Clear(mem);
    const auto single =
        CTkMarkupPtr<CTkMarkupLinearGradientBrush>::Adopt(MakeGradient({{RGB(1, 2, 3), 0.3}}, 0, 0, 1, 0));
    single->FillRect(&dc, CRect(0, 0, 10, 4));
    EXPECT_EQ(Dib(RGB(1, 2, 3)), Pixel(mem, 9, 3));
    Clear(mem);
    const auto point = CTkMarkupPtr<CTkMarkupLinearGradientBrush>::Adopt(
        MakeGradient({{RGB(9, 9, 9), 0.0}, {RGB(9, 9, 9), 1.0}}, 0.5, 0.5, 0.5, 0.5));
    point->FillRect(&dc, CRect(0, 0, 10, 4));
    EXPECT_EQ(0u, Pixel(mem, 5, 2));
}

TEST_F(Drawing, HugeGradientComputesOnlyTheVisibleArea) {
    CScopedMemDC mem(10, 10);
    Clear(mem);
    CTkMarkupDrawingContext dc(mem.GetSafeHdc());
    const auto brush = CTkMarkupPtr<CTkMarkupLinearGradientBrush>::Adopt(MakeGradient(
        {{RGB(0, 0, 0), 0.0}, {RGB(0, 0, 0), 0.5}, {RGB(0, 255, 0), 0.5}, {RGB(0, 255, 0), 1.0}}, 0, 0, 1, 1));
    // A w x h bitmap of this would be 40 GB; the visible 10 x 10 is the top-left corner: all first colour.
    brush->FillRect(&dc, CRect(0, 0, 100000, 100000));
    EXPECT_EQ(0u, Pixel(mem, 9, 9));
    // Shifted so that the visible area is the bottom-right corner: second colour.
    brush->FillRect(&dc, CRect(-99990, -99990, 10, 10));
    EXPECT_EQ(Dib(RGB(0, 255, 0)), Pixel(mem, 0, 0));
}

TEST_F(Drawing, RenderNestsOffsetsAndClips) {
    CScopedMemDC mem(40, 40);
    Clear(mem);
    const auto root = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(nullptr, 30, 30, RGB(0, 0, 200)));
    CTestElement* pChild = root->AddChild(MakeTestElement(nullptr, 20, 20, RGB(0, 200, 0)));
    pChild->SetValue(CTkMarkupFrameworkElement::s_pMarginProperty, new CTkMarkupThickness(5, 5, 0, 0));
    SetInt(pChild, CTkMarkupFrameworkElement::s_pMaxWidthProperty, 10);  // drawn 10 wide only
    root->SetValue(CTkMarkupFrameworkElement::s_pMarginProperty, new CTkMarkupThickness(2, 2, 0, 0));
    const RECT rc = {0, 0, 32, 32};
    ASSERT_TRUE(RenderMarkupElement(root.Get(), mem.GetSafeHdc(), &rc));
    EXPECT_EQ(0u, Pixel(mem, 1, 1));
    EXPECT_EQ(Dib(RGB(0, 0, 200)), Pixel(mem, 2, 2));
    EXPECT_EQ(Dib(RGB(0, 200, 0)), Pixel(mem, 7, 7));
    EXPECT_EQ(Dib(RGB(0, 200, 0)), Pixel(mem, 16, 16));
    EXPECT_EQ(Dib(RGB(0, 0, 200)), Pixel(mem, 17, 16)) << "the child is clipped to its maximum width";
    EXPECT_EQ(Dib(RGB(0, 0, 200)), Pixel(mem, 31, 31));
    EXPECT_EQ(0u, Pixel(mem, 32, 32));
    // The DC's state is back: no clip and the origin where it was.
    POINT pt;
    ::GetViewportOrgEx(mem.GetSafeHdc(), &pt);
    EXPECT_EQ(0, pt.x);
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, ::GetClipRgn(mem.GetSafeHdc(), hRgn));
    ::DeleteObject(hRgn);
    WritePng(mem, L"markup_render.png");
}

}  // namespace
