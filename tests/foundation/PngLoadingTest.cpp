// PNG decoding: each decoding path's channels, alpha flag and pixels; GDI+'s decoder judges ours on the
// RGBA picture; damaged input gives FALSE and no bitmap.

#include "ImageTestSupport.h"
#include "TkGraphicBitmapPng.h"

#include <gdiplus.h>
#include <shlwapi.h>

#include "TempFolder.h"

#include <cstdlib>

namespace {

// The RGBA picture of the fixtures, top row first, as (R, G, B, A).
constexpr BYTE kRgba[3][4][4] = {
    {{255, 0, 0, 255}, {0, 255, 0, 128}, {0, 0, 255, 0}, {255, 255, 255, 255}},
    {{10, 20, 30, 255}, {200, 100, 50, 64}, {0, 0, 0, 255}, {128, 128, 128, 200}},
    {{1, 2, 3, 1}, {250, 240, 230, 254}, {90, 80, 70, 255}, {0, 0, 0, 0}},
};

DWORD Argb(BYTE a, BYTE r, BYTE g, BYTE b) {
    return static_cast<DWORD>(a) << 24 | static_cast<DWORD>(r) << 16 | static_cast<DWORD>(g) << 8 | b;
}

std::vector<DWORD> RgbaPixels() {
    std::vector<DWORD> pixels;
    for (const auto& row : kRgba)
        for (const auto& p : row)
            pixels.push_back(Argb(p[3], p[0], p[1], p[2]));
    return pixels;
}

// The RGBA picture over a green ground, without alpha.
std::vector<DWORD> RgbaOverGreen() {
    std::vector<DWORD> pixels;
    const BYTE ground[3] = {0, 255, 0};
    for (const auto& row : kRgba)
        for (const auto& p : row) {
            BYTE c[3];
            for (int i = 0; i < 3; ++i)
                c[i] = static_cast<BYTE>((p[i] * p[3] + ground[i] * (255 - p[3]) + 127) / 255);
            pixels.push_back(Argb(0, c[0], c[1], c[2]));
        }
    return pixels;
}

::testing::AssertionResult PixelsNear(const std::vector<DWORD>& expected, const std::vector<DWORD>& actual,
                                      int nTolerance) {
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure() << expected.size() << " pixels expected, " << actual.size() << " got";
    for (size_t i = 0; i < expected.size(); ++i) {
        for (int nShift = 0; nShift <= 24; nShift += 8) {
            const int e = (expected[i] >> nShift) & 0xFF;
            const int a = (actual[i] >> nShift) & 0xFF;
            if (std::abs(e - a) > nTolerance)
                return ::testing::AssertionFailure()
                       << "pixel " << i << std::hex << ": expected 0x" << expected[i] << ", got 0x" << actual[i];
        }
    }
    return ::testing::AssertionSuccess();
}

BOOL LoadResource(CTkGraphicBitmapPng& png, LPCWSTR pszName) {
    return png.LoadFromResource(ImageResources(), ::FindResourceW(ImageResources(), pszName, L"PNG"));
}

TEST(PngLoading, EachDecodingPathGivesItsChannelsAlphaAndPixels) {
    struct Row {
        LPCWSTR name;
        BOOL bAlpha;
        CSize size;
        std::vector<DWORD> pixels;  // top row first, 0xAARRGGBB
        int nTolerance;             // compositing rounds as the decoder likes
    };
    const DWORD red = 0xFFFF0000, clearGreen = 0x0000FF00, halfBlue = 0x800000FF, white = 0xFFFFFFFF;
    const Row rows[] = {
        {L"RGBA", TRUE, CSize(4, 3), RgbaPixels(), 0},
        {L"RGBA_BKGD", FALSE, CSize(4, 3), RgbaOverGreen(), 1},
        {L"PALETTE", TRUE, CSize(4, 2), {red, clearGreen, halfBlue, white, white, halfBlue, clearGreen, red}, 0},
        {L"GREY16", FALSE, CSize(3, 1), {0x00ABABAB, 0x00000000, 0x00FFFFFF}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(CStringA(row.name).GetString());
        CTkGraphicBitmapPng png;
        ASSERT_TRUE(LoadResource(png, row.name));
        EXPECT_EQ(png.IsAlpha(), row.bAlpha);
        EXPECT_EQ(BitmapSize(png), row.size);
        const std::vector<DWORD> pixels = TopDownPixels(png);
        EXPECT_TRUE(PixelsNear(row.pixels, pixels, row.nTolerance));
        DIBSECTION dib = {};
        ASSERT_EQ(::GetObjectW(png, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
        EXPECT_EQ(*static_cast<const DWORD*>(dib.dsBm.bmBits), pixels.at(0)) << "top-down: the top row comes first";
    }
}

TEST(PngLoading, ReadReportsChannelsAndTheBackground) {
    const std::vector<BYTE> bytes = ResourceBytes(L"RGBA_BKGD", L"PNG");
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    BYTE* pBuffer = static_cast<BYTE*>(std::malloc(16));  // an earlier buffer is freed
    UINT nWidth = 0, nHeight = 0;
    int nChannels = 0;
    BYTE background[3] = {1, 1, 1};
    ASSERT_TRUE(ReadPngImage(&file, &pBuffer, &nWidth, &nHeight, &nChannels, background));
    EXPECT_EQ(nChannels, 3);
    EXPECT_EQ(nWidth, 4u);
    EXPECT_EQ(nHeight, 3u);
    EXPECT_EQ(background[0], 0);
    EXPECT_EQ(background[1], 255);
    EXPECT_EQ(background[2], 0);
    EXPECT_EQ(pBuffer[0], 255) << "the first pixel is opaque red";
    std::free(pBuffer);
}

TEST(PngLoading, MatchesTheSystemDecoderPixelForPixel) {
    const std::vector<BYTE> bytes = ResourceBytes(L"RGBA", L"PNG");
    CScopedGdiPlus gdiPlus;
    ASSERT_TRUE(gdiPlus.IsStarted());
    IStream* pStream = ::SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
    ASSERT_NE(pStream, nullptr);
    std::vector<DWORD> judged;
    {
        Gdiplus::Bitmap system(pStream);
        ASSERT_EQ(system.GetLastStatus(), Gdiplus::Ok);
        Gdiplus::Rect all(0, 0, static_cast<INT>(system.GetWidth()), static_cast<INT>(system.GetHeight()));
        Gdiplus::BitmapData data = {};
        ASSERT_EQ(system.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data), Gdiplus::Ok);
        for (UINT y = 0; y < data.Height; ++y) {
            const DWORD* pRow = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
            judged.insert(judged.end(), pRow, pRow + data.Width);
        }
        system.UnlockBits(&data);
    }
    pStream->Release();

    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CTkGraphicBitmapPng png;
    ASSERT_TRUE(png.LoadFromFile(&file));
    EXPECT_EQ(TopDownPixels(png), judged);
}

TEST(PngLoading, DamagedInputGivesFalseAndNoBitmap) {
    CTkGraphicBitmapPng png;
    ASSERT_TRUE(LoadResource(png, L"RGBA"));
    EXPECT_FALSE(LoadResource(png, L"TRUNCATED")) << "cut off in the image data";
    EXPECT_EQ(png.GetSafeHandle(), nullptr) << "the earlier bitmap went too";
    EXPECT_FALSE(png.IsAlpha());
    EXPECT_FALSE(LoadResource(png, L"NINE_BYTES")) << "refused before decoding";
    EXPECT_FALSE(LoadResource(png, L"NOT_PNG"));
    EXPECT_FALSE(png.LoadFromResource(ImageResources(), nullptr));
    EXPECT_FALSE(png.LoadFromFile(nullptr));
    EXPECT_EQ(png.GetSafeHandle(), nullptr);

    const std::vector<BYTE> bytes = ResourceBytes(L"TRUNCATED", L"PNG");
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    BYTE* pBuffer = nullptr;
    UINT nWidth = 0, nHeight = 0;
    int nChannels = 0;
    EXPECT_FALSE(ReadPngImage(&file, &pBuffer, &nWidth, &nHeight, &nChannels, nullptr));
    EXPECT_EQ(pBuffer, nullptr);
}

TEST(PngLoading, FromAPath) {
    CTempFolder folder;
    const std::wstring path = folder.WidePath() + L"\\picture.png";
    ASSERT_TRUE(WriteFileBytes(path, ResourceBytes(L"PALETTE", L"PNG")));
    CTkGraphicBitmapPng png;
    ASSERT_TRUE(png.LoadFromPath(path.c_str()));
    EXPECT_TRUE(png.IsAlpha());
    EXPECT_EQ(BitmapSize(png), CSize(4, 2));
    EXPECT_FALSE(png.LoadFromPath((folder.WidePath() + L"\\missing.png").c_str()));
    EXPECT_EQ(png.GetSafeHandle(), nullptr);
}

}  // namespace
