// The shared drawing routines on 32-bpp DIB sections: interiors of filled shapes (edges are GDI's), the
// framed rectangle's skips, 3-D frames, the smooth circle, opaque alpha, the dithered face and the fade
// blend.

#include "ThemeTestSupport.h"
#include "TkPaintRoutines.h"

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);  // in no pinned entry

// A memory DC filled with the sentinel.
void Clear(CScopedMemDC& dc) {
    dc.FillSolidRect(0, 0, dc.GetWidth(), dc.GetHeight(), kSentinel);
}

TEST(Routines, FillTriangleFillsItsInterior) {
    CScopedMemDC dc(16, 16);
    Clear(dc);
    FillTriangle(&dc, CPoint(2, 2), CPoint(14, 2), CPoint(8, 8), RGB(200, 0, 0));
    for (const CPoint& pt : {CPoint(8, 4), CPoint(5, 3), CPoint(11, 3), CPoint(8, 6)})
        EXPECT_EQ(PixelAt(dc, pt.x, pt.y), RGB(200, 0, 0)) << pt.x << "," << pt.y;
    for (const CPoint& pt : {CPoint(1, 8), CPoint(14, 8), CPoint(8, 10)})
        EXPECT_EQ(PixelAt(dc, pt.x, pt.y), kSentinel) << pt.x << "," << pt.y;
}

TEST(Routines, FramedRectangleSkipsAnUnsetFillOrFrame) {
    CPaintManagerRef theme(new CTkDefaultTheme);
    PinTheme(theme.Get());
    struct Row {
        COLORREF clrFrame;
        COLORREF clrFill;
        COLORREF edge;      // pixel (2, 2)
        COLORREF interior;  // pixel (5, 5)
    };
    const Row rows[] = {
        {5, 13, PinnedColor(5), PinnedColor(13)},
        {kColorUnset, 13, PinnedColor(13), PinnedColor(13)},
        {5, kColorUnset, PinnedColor(5), kSentinel},
        {13, 13, PinnedColor(13), PinnedColor(13)},
        {RGB(9, 99, 199), kColorUnset, RGB(9, 99, 199), kSentinel},  // a literal colour
    };
    for (const Row& row : rows) {
        CScopedMemDC dc(12, 12);
        Clear(dc);
        theme->PaintFramedRect(&dc, CRect(2, 2, 10, 10), row.clrFrame, row.clrFill);
        EXPECT_EQ(PixelAt(dc, 2, 2), row.edge) << row.clrFrame << " " << row.clrFill;
        EXPECT_EQ(PixelAt(dc, 9, 9), row.edge) << row.clrFrame << " " << row.clrFill;
        EXPECT_EQ(PixelAt(dc, 5, 5), row.interior) << row.clrFrame << " " << row.clrFill;
        EXPECT_EQ(PixelAt(dc, 1, 1), kSentinel);
    }
}

TEST(Routines, ThreeDFramesPutTheFirstColourTopLeftAndTheSecondBottomRight) {
    CPaintManagerRef theme(new CTkDefaultTheme);
    PinTheme(theme.Get());
    CScopedMemDC dc(12, 12);
    Clear(dc);
    theme->Paint3dFrame(&dc, CRect(2, 2, 10, 10), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    struct Row {
        CPoint pt;
        COLORREF expected;
    };
    const Row rows[] = {
        {{2, 2}, PinnedColor(COLOR_BTNHIGHLIGHT)},
        {{8, 2}, PinnedColor(COLOR_BTNHIGHLIGHT)},
        {{2, 8}, PinnedColor(COLOR_BTNHIGHLIGHT)},
        {{9, 2}, PinnedColor(COLOR_BTNSHADOW)},
        {{2, 9}, PinnedColor(COLOR_BTNSHADOW)},
        {{9, 9}, PinnedColor(COLOR_BTNSHADOW)},
        {{5, 5}, kSentinel},
        {{10, 10}, kSentinel},
    };
    for (const Row& row : rows)
        EXPECT_EQ(PixelAt(dc, row.pt.x, row.pt.y), row.expected) << row.pt.x << "," << row.pt.y;
}

TEST(Routines, SmoothCircleFillsItsCentreAndLeavesItsCornersAlone) {
    CScopedMemDC dc(11, 11);
    Clear(dc);
    const COLORREF clrFill = RGB(0, 0, 250);
    PaintSmoothCircle(&dc, CRect(0, 0, 11, 11), RGB(250, 0, 0), clrFill);
    EXPECT_EQ(PixelAt(dc, 5, 5), clrFill);
    EXPECT_EQ(PixelAt(dc, 3, 5), clrFill);
    EXPECT_EQ(PixelAt(dc, 0, 0), kSentinel);
    EXPECT_EQ(PixelAt(dc, 10, 10), kSentinel);
    // The rim lies between the edge colour and what was there.
    const COLORREF rim = PixelAt(dc, 0, 5);
    EXPECT_NE(rim, kSentinel);
    EXPECT_GT(GetRValue(rim), 0);
}

TEST(Routines, MakeRectOpaqueSetsAlphaInsideOnly) {
    CScopedMemDC dc(10, 10);
    dc.FillSolidRect(0, 0, 10, 10, RGB(10, 20, 30));
    ASSERT_EQ(AlphaAt(dc, 5, 5), 0) << "GDI leaves alpha 0";
    MakeRectOpaque(&dc, CRect(2, 2, 6, 6));
    EXPECT_EQ(AlphaAt(dc, 2, 2), 0xFF);
    EXPECT_EQ(AlphaAt(dc, 5, 5), 0xFF);
    EXPECT_EQ(PixelAt(dc, 5, 5), RGB(10, 20, 30));
    EXPECT_EQ(AlphaAt(dc, 6, 6), 0);
    EXPECT_EQ(AlphaAt(dc, 1, 3), 0);
}

TEST(Routines, ExcludedCornersStayUnpainted) {
    CScopedMemDC dc(10, 10);
    Clear(dc);
    {
        CScopedSaveDC saved(dc.GetSafeHdc());
        ExcludeRectCorners(&dc, CRect(1, 1, 9, 9));
        dc.FillSolidRect(0, 0, 10, 10, RGB(0, 200, 0));
    }
    for (const CPoint& pt : {CPoint(1, 1), CPoint(8, 1), CPoint(1, 8), CPoint(8, 8)})
        EXPECT_EQ(PixelAt(dc, pt.x, pt.y), kSentinel) << pt.x << "," << pt.y;
    EXPECT_EQ(PixelAt(dc, 2, 1), RGB(0, 200, 0));
    EXPECT_EQ(PixelAt(dc, 0, 0), RGB(0, 200, 0));
}

TEST(Routines, TheDitheredFaceAlternatesFaceAndHighlightAndRestoresTheDC) {
    CPaintManagerRef theme(new CTkDefaultTheme);
    PinTheme(theme.Get());
    CScopedMemDC dc(12, 12);
    Clear(dc);
    dc.SetTextColor(RGB(7, 7, 7));
    dc.SetBkColor(RGB(8, 8, 8));
    const HGDIOBJ hBrush = ::GetCurrentObject(dc.GetSafeHdc(), OBJ_BRUSH);
    static_cast<CTkDefaultTheme*>(theme.Get())->PaintDitheredRect(&dc, CRect(2, 2, 10, 10));
    const COLORREF face = PinnedColor(COLOR_BTNFACE);
    const COLORREF highlight = PinnedColor(COLOR_BTNHIGHLIGHT);
    for (int y = 2; y < 10; ++y) {
        for (int x = 2; x < 10; ++x) {
            const COLORREF pixel = PixelAt(dc, x, y);
            ASSERT_TRUE(pixel == face || pixel == highlight) << x << "," << y;
            if (x < 9) {
                ASSERT_NE(pixel, PixelAt(dc, x + 1, y)) << x << "," << y;
            }
            if (x < 9 && y < 9) {
                ASSERT_EQ(pixel, PixelAt(dc, x + 1, y + 1)) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(PixelAt(dc, 1, 1), kSentinel);
    EXPECT_EQ(dc.GetTextColor(), RGB(7, 7, 7));
    EXPECT_EQ(dc.GetBkColor(), RGB(8, 8, 8));
    EXPECT_EQ(::GetCurrentObject(dc.GetSafeHdc(), OBJ_BRUSH), hBrush);
}

TEST(Routines, FadeStepsBlendEachChannelOverTheOldPixel) {
    struct Row {
        DWORD dwNew;
        DWORD dwOld;
        int nAlpha;
        DWORD dwExpected;
    };
    const Row rows[] = {
        {0x00FFFFFF, 0x00000000, 255, 0x00FEFEFE},  // (255 x 255) / 256
        {0x00FFFFFF, 0x00000000, 0, 0x00000000},   {0x00000000, 0x00FFFFFF, 0, 0x00FEFEFE},
        {0x00804020, 0x00204080, 127, 0x004F3F4F}, {0xFF102030, 0xFF102030, 100, 0x000F1F2F},  // alpha 0 in the result
    };
    for (const Row& row : rows) {
        DWORD dwOut = 0xDEADBEEF;
        CTkPaintManager::BlendImageRows(&row.dwNew, &row.dwOld, &dwOut, 1, row.nAlpha);
        EXPECT_EQ(dwOut, row.dwExpected) << std::hex << row.dwNew << " " << row.dwOld << " " << row.nAlpha;
    }
}

}  // namespace
