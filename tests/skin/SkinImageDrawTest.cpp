#include "FoundationTestSupport.h"
#include "SkinTestSupport.h"
#include "TkSkinImage.h"
#include "TkSkinManagerResourceFile.h"
#include "TkWindowFunctions.h"

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr COLORREF kNone = static_cast<COLORREF>(-1);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr DWORD kA = 0x204060;
constexpr DWORD kB = 0xA0C0E0;

// A 0xRRGGBB pixel as the COLORREF that PixelAt answers.
COLORREF Ref(DWORD dwPixel) {
    return RGB((dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF);
}

// Images written as BMP files into a folder and loaded from there.
class ImageFolder {
public:
    // nBitCount 32 makes an alpha image (pixels 0xAARRGGBB), 24 one without.
    std::unique_ptr<CTkSkinImage> Load(int nWidth, int nHeight, int nBitCount, const std::vector<DWORD>& pixels,
                                       CTkSkinManager* pManager = nullptr) {
        const std::wstring path = m_folder.WidePath() + L"\\" + std::to_wstring(m_nFiles++) + L".bmp";
        WriteBmpFile(path, MakeDib(nWidth, nHeight, nBitCount, pixels));
        auto pImage = std::make_unique<CTkSkinImage>(pManager);
        EXPECT_TRUE(pImage->LoadFromFile(path.c_str()));
        return pImage;
    }

private:
    CTempFolder m_folder;
    int m_nFiles = 0;
};

// Every pixel of a w x h image different: the tiles and pieces show where each came from.
std::vector<DWORD> Distinct(int nWidth, int nHeight) {
    std::vector<DWORD> pixels;
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x)
            pixels.push_back(static_cast<DWORD>(0x100000 * (x + 1) + 0x1000 * (y + 1) + 0x40));
    }
    return pixels;
}

class Canvas : public CScopedMemDC {
public:
    Canvas(int cx, int cy) : CScopedMemDC(cx, cy) { FillSolidRect(0, 0, cx, cy, kBackground); }
    COLORREF At(int x, int y) const { return PixelAt(*this, x, y); }
};

void Draw(CTkSkinImage& image, CDC& dc, const RECT& rcDest, const RECT& rcSrc, const RECT& rcMargins,
          int nSizing = tkSkinSizingStretch, COLORREF clrTransparent = kNone, BOOL bBorderOnly = FALSE) {
    image.CreateSolidRectArray(1, FALSE, rcMargins);
    image.DrawImage(&dc, rcDest, rcSrc, rcMargins, clrTransparent, nSizing, bBorderOnly);
}

// Swaps red and blue.
class SwapFilter : public CTkSkinManagerColorFilter {
public:
    void ApplyColorFilter(COLORREF& clr) override { clr = RGB(GetBValue(clr), GetGValue(clr), GetRValue(clr)); }
};

}  // namespace

// A destination lower than the margins shares itself between them in their proportion; the bottom
// margin keeps the parity of the source's (so 10 rows for 6 + 6 give 5 and 6, the bottom drawn last).
TEST(SkinImageDraw, MarginsShrinkInProportionAndTheBottomKeepsItsParity) {
    struct Row {
        int nMargin;  // top and bottom, each one colour
        int nDestHeight;
        int nTopRows;  // rows of the top colour
    };
    const Row rows[] = {{5, 6, 3}, {6, 10, 4}, {3, 4, 1}, {2, 4, 2}};
    ImageFolder folder;
    for (const Row& row : rows) {
        std::vector<DWORD> image;
        for (int y = 0; y < 2 * row.nMargin; ++y)
            image.insert(image.end(), 2, y < row.nMargin ? kA : kB);
        auto pImage = folder.Load(2, 2 * row.nMargin, 24, image);
        Canvas dc(2, row.nDestHeight);
        Draw(*pImage, dc, {0, 0, 2, row.nDestHeight}, {0, 0, 2, 2 * row.nMargin}, {0, row.nMargin, 0, row.nMargin});
        for (int y = 0; y < row.nDestHeight; ++y)
            EXPECT_EQ(dc.At(1, y), Ref(y < row.nTopRows ? kA : kB))
                << row.nMargin << "/" << row.nDestHeight << " y " << y;
    }
}

TEST(SkinImageDraw, TilingRepeatsTheSourceAndClipsTheLastTiles) {
    ImageFolder folder;
    // A whole 4 x 4 image tiled into 10 x 10: 3 x 3 tiles, the last row and column 2 pixels.
    const std::vector<DWORD> whole = Distinct(4, 4);
    auto pWhole = folder.Load(4, 4, 24, whole);
    Canvas dc(10, 10);
    Draw(*pWhole, dc, {0, 0, 10, 10}, {0, 0, 4, 4}, RECT{}, tkSkinSizingTile);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(dc.At(x, y), Ref(whole[(y % 4) * 4 + x % 4])) << x << "," << y;
    }

    // The 4 x 4 centre of an 8 x 8 image with margins of 2: corners as they are, the centre tiled.
    const std::vector<DWORD> framed = Distinct(8, 8);
    auto pFramed = folder.Load(8, 8, 24, framed);
    Canvas big(14, 14);
    Draw(*pFramed, big, {0, 0, 14, 14}, {0, 0, 8, 8}, {2, 2, 2, 2}, tkSkinSizingTile);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(big.At(2 + x, 2 + y), Ref(framed[(2 + y % 4) * 8 + 2 + x % 4])) << x << "," << y;
    }
    EXPECT_EQ(big.At(0, 0), Ref(framed[0]));
    EXPECT_EQ(big.At(13, 13), Ref(framed[63]));
    EXPECT_EQ(big.At(13, 0), Ref(framed[7]));
    // Edges tile along their length only: the top edge's rows are the source's two rows.
    EXPECT_EQ(big.At(7, 1), Ref(framed[1 * 8 + 2 + 5 % 4]));
    ::CreateDirectoryW(L"pictures", nullptr);
    WritePng(big, L"pictures\\skin_tiled_nine_grid.png");
}

TEST(SkinImageDraw, StretchingKeepsCornersAndLeavesTheCentreOutForBorders) {
    ImageFolder folder;
    const std::vector<DWORD> framed = Distinct(6, 6);
    auto pImage = folder.Load(6, 6, 24, framed);
    Canvas dc(20, 12);
    Draw(*pImage, dc, {0, 0, 20, 12}, {0, 0, 6, 6}, {2, 2, 2, 2}, tkSkinSizingStretch, kNone, TRUE);
    for (const POINT& pt : {POINT{0, 0}, POINT{1, 1}, POINT{19, 0}, POINT{0, 11}, POINT{18, 10}}) {
        const int xSrc = pt.x < 2 ? pt.x : pt.x - 14;
        const int ySrc = pt.y < 2 ? pt.y : pt.y - 6;
        EXPECT_EQ(dc.At(pt.x, pt.y), Ref(framed[ySrc * 6 + xSrc])) << pt.x << "," << pt.y;
    }
    EXPECT_EQ(dc.At(10, 6), kBackground) << "border only: no centre";
    EXPECT_NE(dc.At(10, 0), kBackground);
}

// A flat cell is filled; with a key colour equal to it nothing is drawn, and other key pixels are left out.
TEST(SkinImageDraw, FlatCellsFillAndKeyColoursAreLeftOut) {
    ImageFolder folder;
    // Two cells stacked: a flat one, and one with magenta corners.
    std::vector<DWORD> cells(4 * 2, kA);
    const std::vector<DWORD> keyed = {0xFF00FF, kB, kB, 0xFF00FF, kB, kB, kB, kB};
    cells.insert(cells.end(), keyed.begin(), keyed.end());
    auto pImage = folder.Load(4, 4, 24, cells);
    pImage->CreateSolidRectArray(2, FALSE, RECT{});

    Canvas dc(12, 12);
    pImage->DrawImage(&dc, {0, 0, 12, 6}, {0, 0, 4, 2}, RECT{}, kMagenta, tkSkinSizingStretch, FALSE);
    EXPECT_EQ(dc.At(0, 0), Ref(kA));
    EXPECT_EQ(dc.At(11, 5), Ref(kA));
    pImage->DrawImage(&dc, {0, 6, 12, 12}, {0, 0, 4, 2}, RECT{}, Ref(kA), tkSkinSizingStretch, FALSE);
    EXPECT_EQ(dc.At(5, 8), kBackground) << "the flat cell is the key colour";

    Canvas keyedDC(4, 2);
    pImage->DrawImage(&keyedDC, {0, 0, 4, 2}, {0, 2, 4, 4}, RECT{}, kMagenta, tkSkinSizingStretch, FALSE);
    EXPECT_EQ(keyedDC.At(0, 0), kBackground);
    EXPECT_EQ(keyedDC.At(3, 0), kBackground);
    EXPECT_EQ(keyedDC.At(1, 0), Ref(kB));
    EXPECT_EQ(keyedDC.At(0, 1), Ref(kB));
}

TEST(SkinImageDraw, AlphaImagesBlendAndFlatOpaqueOrClearCellsTakeTheShortcut) {
    ImageFolder folder;
    // Cells: half-transparent red (premultiplied when loaded), opaque green, clear.
    const std::vector<DWORD> pixels = {0x80FF0000, 0x80FF0000, 0xFF00FF00, 0xFF00FF00, 0, 0};
    auto pImage = folder.Load(2, 3, 32, pixels);
    ASSERT_TRUE(pImage->IsAlphaImage());
    pImage->CreateSolidRectArray(3, FALSE, RECT{});
    Canvas dc(6, 3);
    dc.FillSolidRect(0, 0, 6, 3, RGB(255, 255, 255));
    for (int nCell = 0; nCell < 3; ++nCell)
        pImage->DrawImage(&dc, {0, nCell, 6, nCell + 1}, {0, nCell, 2, nCell + 1}, RECT{}, kNone, tkSkinSizingStretch,
                          FALSE);
    EXPECT_TRUE(ColorsNear(RGB(255, 127, 127), dc.At(3, 0), 2));
    EXPECT_EQ(dc.At(3, 1), RGB(0, 255, 0));
    EXPECT_EQ(dc.At(3, 2), RGB(255, 255, 255));
}

// On a right-to-left DC an image is drawn mirrored, and drawn unmirrored again on the next left-to-right
// DC; a part that must not mirror keeps its orientation. The same for a cell taken from one side.
TEST(SkinImageDraw, RightToLeftDestinationsMirrorTheImage) {
    ImageFolder folder;
    // Over white; the last pixel is half transparent in the alpha image.
    const std::vector<DWORD> pixels = {0xFF204060, 0xFF60A020, 0xFFC02080, 0x80800000};
    const COLORREF drawn[2][4] = {
        {RGB(0x20, 0x40, 0x60), RGB(0x60, 0xA0, 0x20), RGB(0xC0, 0x20, 0x80), RGB(128, 0, 0)},
        {RGB(0x20, 0x40, 0x60), RGB(0x60, 0xA0, 0x20), RGB(0xC0, 0x20, 0x80), RGB(191, 127, 127)},
    };
    // 24 bits twice: blitted, and through the key-colour buffer.
    for (int nCase : {32, 24, 0}) {
        const int nBits = nCase == 0 ? 24 : nCase;
        const COLORREF clrKey = nCase == 0 ? kMagenta : kNone;
        auto pImage = folder.Load(4, 1, nBits, pixels);
        ASSERT_EQ(pImage->IsAlphaImage() != FALSE, nBits == 32);
        const COLORREF* pDrawn = drawn[nBits == 32 ? 1 : 0];
        for (BOOL bMirrorAllowed : {TRUE, FALSE}) {
            pImage->SetMirrorAllowed(bMirrorAllowed);
            for (DWORD dwLayout : {static_cast<DWORD>(LAYOUT_RTL), 0ul, static_cast<DWORD>(LAYOUT_RTL), 0ul}) {
                const bool bMirrored = bMirrorAllowed && dwLayout != 0;
                // The whole image stretched to 8 pixels, then its right half into the first 2 logical pixels
                // (the device's last two on a right-to-left DC).
                Canvas whole(8, 1);
                Canvas half(8, 1);
                for (Canvas* pCanvas : {&whole, &half}) {
                    pCanvas->FillSolidRect(0, 0, 8, 1, RGB(255, 255, 255));
                    SetLayoutOfDC(pCanvas->GetSafeHdc(), dwLayout);
                }
                pImage->DrawImage(&whole, {0, 0, 8, 1}, {0, 0, 4, 1}, RECT{}, clrKey, tkSkinSizingStretch, FALSE);
                pImage->DrawImage(&half, {0, 0, 2, 1}, {2, 0, 4, 1}, RECT{}, clrKey, tkSkinSizingStretch, FALSE);
                for (int x = 0; x < 8; ++x) {
                    const int nSource = bMirrored ? 3 - x / 2 : x / 2;
                    EXPECT_TRUE(ColorsNear(pDrawn[nSource], whole.At(x, 0), 2))
                        << nCase << " bits, layout " << dwLayout << ", mirroring " << bMirrorAllowed << ", x " << x;
                }
                const int xFirst = dwLayout != 0 ? 6 : 0;
                EXPECT_TRUE(ColorsNear(pDrawn[bMirrored ? 3 : 2], half.At(xFirst, 0), 2))
                    << nCase << " bits, layout " << dwLayout << ", mirroring " << bMirrorAllowed;
                EXPECT_TRUE(ColorsNear(pDrawn[bMirrored ? 2 : 3], half.At(xFirst + 1, 0), 2))
                    << nCase << " bits, layout " << dwLayout << ", mirroring " << bMirrorAllowed;
            }
        }
    }
}

// The manager's colour filters change every drawn pixel but the key colour, and the filled shortcut.
TEST(SkinImageDraw, ColourFiltersApplyToPixelsAndFlatCellsButNotTheKey) {
    CTkSkinManager manager;
    manager.AddColorFilter(new SwapFilter);
    ImageFolder folder;
    std::vector<DWORD> pixels = {0xFF0000, 0xFF00FF, 0xFF0000, 0x00FF00, 0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF};
    auto pImage = folder.Load(4, 2, 24, pixels, &manager);
    pImage->CreateSolidRectArray(2, FALSE, RECT{});
    Canvas dc(4, 2);
    pImage->DrawImage(&dc, {0, 0, 4, 1}, {0, 0, 4, 1}, RECT{}, kMagenta, tkSkinSizingStretch, FALSE);
    pImage->DrawImage(&dc, {0, 1, 4, 2}, {0, 1, 4, 2}, RECT{}, kMagenta, tkSkinSizingStretch, FALSE);
    EXPECT_EQ(dc.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.At(1, 0), kBackground);
    EXPECT_EQ(dc.At(3, 0), RGB(0, 255, 0));
    EXPECT_EQ(dc.At(2, 1), RGB(255, 0, 0)) << "the flat cell's colour is filtered too";
}
