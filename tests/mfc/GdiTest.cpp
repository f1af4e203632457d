// Pixels of the CDC fills on a 32-bpp DIB section, point fonts and rectangle arithmetic.

#include "mfc.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr COLORREF kTopLeft = RGB(200, 10, 20);
constexpr COLORREF kBottomRight = RGB(30, 40, 250);

// A memory DC cleared to kBackground whose pixels the test reads.
class CDibSurface {
public:
    CDibSurface(int nWidth, int nHeight) : m_dc(nWidth, nHeight) {
        m_dc.FillSolidRect(0, 0, nWidth, nHeight, kBackground);
    }

    CDC& DC() { return m_dc; }
    COLORREF Pixel(int x, int y) const {
        ::GdiFlush();
        const DWORD value = m_dc.GetBits()[y * m_dc.GetWidth() + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }

private:
    CScopedMemDC m_dc;
};

}  // namespace

TEST(GdiPixels, FillSolidRectFillsExactlyTheRectangleAndKeepsTheBackgroundColour) {
    CDibSurface surface(8, 8);
    surface.DC().FillSolidRect(CRect(2, 1, 5, 4), kTopLeft);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 4;
            EXPECT_EQ(surface.Pixel(x, y), inside ? kTopLeft : kBackground) << x << "," << y;
        }
    }
    EXPECT_EQ(surface.DC().GetBkColor(), kTopLeft);
}

TEST(GdiPixels, Draw3dRectPutsTheFarCornersInTheBottomRightColour) {
    struct Case {
        int x, y, cx, cy;
    };
    const Case cases[] = {
        {2, 3, 6, 5}, {1, 1, 2, 2}, {0, 0, 1, 1},  // a single pixel is the bottom-right colour
        {1, 4, 7, 1},                              // one row: all bottom row
        {5, 1, 1, 6},                              // one column: all right column
    };
    for (const Case& c : cases) {
        CDibSurface surface(12, 12);
        surface.DC().Draw3dRect(c.x, c.y, c.cx, c.cy, kTopLeft, kBottomRight);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                COLORREF expected = kBackground;
                const bool inside = x >= c.x && x < c.x + c.cx && y >= c.y && y < c.y + c.cy;
                if (inside && (x == c.x + c.cx - 1 || y == c.y + c.cy - 1))
                    expected = kBottomRight;
                else if (inside && (x == c.x || y == c.y))
                    expected = kTopLeft;
                EXPECT_EQ(surface.Pixel(x, y), expected)
                    << "rect " << c.x << "," << c.y << "," << c.cx << "," << c.cy << " pixel " << x << "," << y;
            }
        }
        EXPECT_EQ(surface.DC().GetBkColor(), kBottomRight);
    }
}

TEST(GdiPixels, DrawDragRectInvertsAHalftoneFrameAndErasesIt) {
    CDibSurface surface(40, 40);
    CDC& dc = surface.DC();
    dc.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));
    const CRect rc(5, 5, 25, 25);
    dc.DrawDragRect(rc, CSize(2, 2), nullptr, CSize(0, 0));
    // The checker inverts every second pixel of the frame, none inside or outside it.
    int nInverted = 0;
    for (int x = 5; x < 25; ++x)
        nInverted += surface.Pixel(x, 5) == RGB(0, 0, 0);
    EXPECT_EQ(nInverted, 10);
    EXPECT_NE(surface.Pixel(5, 5), surface.Pixel(6, 5));
    EXPECT_EQ(surface.Pixel(10, 10), RGB(255, 255, 255));
    EXPECT_EQ(surface.Pixel(4, 4), RGB(255, 255, 255));
    // Moving the frame changes only where the frames differ; erasing the last restores everything.
    const CRect rcMoved(8, 5, 28, 25);
    dc.DrawDragRect(rcMoved, CSize(2, 2), rc, CSize(2, 2));
    EXPECT_EQ(surface.Pixel(5, 10), RGB(255, 255, 255)) << "the old left edge is gone";
    EXPECT_NE(surface.Pixel(8, 10) == RGB(0, 0, 0), surface.Pixel(8, 11) == RGB(0, 0, 0));
    dc.DrawDragRect(CRect(0, 0, 0, 0), CSize(0, 0), rcMoved, CSize(2, 2));
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(surface.Pixel(x, y), RGB(255, 255, 255)) << x << "," << y;
    }
}

TEST(GdiFonts, CreatePointFontUsesWholeDevicePixels) {
    const int nDpi = CClientDC(nullptr).GetDeviceCaps(LOGPIXELSY);
    for (int nTenths : {80, 90, 100, 125}) {
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(nTenths, L"Marlett"));
        LOGFONT logFont = {};
        font.GetLogFont(&logFont);
        // Truncated, not rounded: 8 points at 96 dpi are 10 pixels, not 11.
        EXPECT_EQ(logFont.lfHeight, -(nDpi * nTenths / 720)) << nTenths;
        EXPECT_STREQ(logFont.lfFaceName, L"Marlett");
    }
}

TEST(Geometry, RectanglesAreHalfOpenAndGrowPerSide) {
    const CRect rect(10, 20, 30, 40);
    EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(30, 39)));
    EXPECT_FALSE(rect.PtInRect(CPoint(29, 40)));
    EXPECT_EQ(rect.Width(), 20);
    EXPECT_EQ(rect.CenterPoint(), CPoint(20, 30));

    CRect grown = rect;
    grown.InflateRect(CRect(1, 2, 3, 4));
    EXPECT_EQ(grown, CRect(9, 18, 33, 44));
    grown.DeflateRect(CRect(1, 2, 3, 4));
    EXPECT_EQ(grown, rect);

    CRect reversed(30, 40, 10, 20);
    EXPECT_TRUE(reversed.IsRectEmpty());
    reversed.NormalizeRect();
    EXPECT_EQ(reversed, rect);

    EXPECT_EQ(rect & CRect(25, 35, 50, 50), CRect(25, 35, 30, 40));
    EXPECT_TRUE((rect & CRect(30, 40, 50, 50)).IsRectEmpty());
    EXPECT_EQ(rect + CPoint(1, 1), CRect(11, 21, 31, 41));
    EXPECT_EQ(CRect(0, 0, 0, 0).IsRectNull(), TRUE);
}

TEST(ImageLists, AMissingBitmapResourceIsRefusedAndIconsAreAdded) {
    CImageList fromResource;
    EXPECT_FALSE(fromResource.Create(9302, 16, 0, RGB(255, 0, 255)));
    EXPECT_EQ(fromResource.GetSafeHandle(), nullptr);

    CImageList icons;
    ASSERT_TRUE(icons.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4));
    EXPECT_EQ(icons.Add(::LoadIconW(nullptr, IDI_APPLICATION)), 0);
    EXPECT_EQ(icons.Add(::LoadIconW(nullptr, IDI_WARNING)), 1);
    EXPECT_EQ(icons.GetImageCount(), 2);
    IMAGEINFO info = {};
    ASSERT_TRUE(icons.GetImageInfo(1, &info));
    EXPECT_EQ(info.rcImage.right - info.rcImage.left, 16);
}
