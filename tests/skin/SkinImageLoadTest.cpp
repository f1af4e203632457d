#include "FoundationTestSupport.h"
#include "SkinTestSupport.h"
#include "TkSkinImage.h"
#include "TkSkinManagerResourceFile.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr DWORD kRed = 0xFF0000;
constexpr DWORD kGreen = 0x00FF00;

// The bitmap's top-left pixel drawn onto white.
COLORREF DrawnPixel(CTkSkinImage& image) {
    CScopedMemDC dc(image.GetWidth(), image.GetHeight());
    dc.FillSolidRect(0, 0, image.GetWidth(), image.GetHeight(), RGB(255, 255, 255));
    const RECT rc = {0, 0, image.GetWidth(), image.GetHeight()};
    image.DrawImage(&dc, rc, rc, RECT{}, static_cast<COLORREF>(-1), tkSkinSizingStretch, FALSE);
    return PixelAt(dc, 0, 0);
}

std::vector<BYTE> WithHeader(std::vector<BYTE> dib, void (*change)(BITMAPINFOHEADER&)) {
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof(header));
    change(header);
    std::memcpy(dib.data(), &header, sizeof(header));
    return dib;
}

}  // namespace

// A stored bitmap is read only when its header, palette and rows fit in the resource.
TEST(SkinImageLoad, BitmapResourcesAreCheckedBeforeTheyAreRead) {
    const std::vector<BYTE> valid24 = MakeDib(3, 2, 24, std::vector<DWORD>(6, kRed));
    const std::vector<BYTE> palette8 =
        MakeDib(2, 2, 8, {1, 1, 1, 1}, {RGBQUAD{0, 0, 0, 0}, RGBQUAD{0, 255, 0, 0}});  // index 1 is green
    std::vector<BYTE> truncated = valid24;
    truncated.resize(truncated.size() - 1);
    struct Row {
        const wchar_t* pszName;
        std::vector<BYTE> data;
        bool bLoads;
        COLORREF clrPixel;
    };
    const std::vector<Row> rows = {
        {L"VALID24", valid24, true, RGB(255, 0, 0)},
        {L"PALETTE8", palette8, true, RGB(0, 255, 0)},
        {L"TOPDOWN", WithHeader(valid24, [](BITMAPINFOHEADER& h) { h.biHeight = -2; }), true, RGB(255, 0, 0)},
        {L"TRUNCATED", truncated, false, 0},
        {L"SHORTHEADER", WithHeader(valid24, [](BITMAPINFOHEADER& h) { h.biSize = 12; }), false, 0},
        {L"NOWIDTH", WithHeader(valid24, [](BITMAPINFOHEADER& h) { h.biWidth = 0; }), false, 0},
        {L"NOHEIGHT", WithHeader(valid24, [](BITMAPINFOHEADER& h) { h.biHeight = 0; }), false, 0},
        {L"ODDBITS", WithHeader(valid24, [](BITMAPINFOHEADER& h) { h.biBitCount = 3; }), false, 0},
        {L"HUGEWIDTH", WithHeader(valid24, [](BITMAPINFOHEADER& h) { h.biWidth = 0x7FFFFFFF; }), false, 0},
        {L"HUGEHEIGHT", WithHeader(valid24, [](BITMAPINFOHEADER& h) { h.biHeight = static_cast<LONG>(0x80000000); }),
         false, 0},
        {L"BIGPALETTE", WithHeader(palette8, [](BITMAPINFOHEADER& h) { h.biClrUsed = 300; }), false, 0},
        {L"PALETTEPASTEND", WithHeader(palette8, [](BITMAPINFOHEADER& h) { h.biClrUsed = 200; }), false, 0},
        {L"RLE8", WithHeader(palette8, [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }), false, 0},
        {L"TINY", std::vector<BYTE>(39, 0), false, 0},
    };
    SkinModuleFile module;
    for (const Row& row : rows)
        module.Add(RT_BITMAP, row.pszName, row.data);
    HMODULE hModule = ::LoadLibraryExW(module.Commit().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(hModule, nullptr);
    for (const Row& row : rows) {
        CTkSkinImage image;
        ASSERT_EQ(image.LoadFromResource(hModule, row.pszName) != FALSE, row.bLoads) << row.pszName;
        if (row.bLoads)
            EXPECT_EQ(DrawnPixel(image), row.clrPixel) << row.pszName;
    }
    CTkSkinImage image;
    EXPECT_FALSE(image.LoadFromResource(nullptr, L"VALID24"));
    EXPECT_FALSE(image.LoadFromResource(hModule, L"MISSING"));
    ::FreeLibrary(hModule);
}

// 32-bit images are premultiplied when loaded; one whose pixels are all opaque draws without blending,
// and a skin whose images are premultiplied already keeps them as they are.
TEST(SkinImageLoad, AlphaImagesArePremultipliedUnlessTheSkinSaysOtherwise) {
    const std::vector<BYTE> opaque = MakeDib(2, 1, 32, {0xFF000000 | kRed, 0xFF000000 | kGreen});
    const std::vector<BYTE> half = MakeDib(2, 1, 32, {0x80800000, 0xFF000000 | kGreen});  // red 128, alpha 128
    SkinModuleFile module;
    module.AddText(L"PREMULTIPLIED_INI", L"[DOCUMENTATION]\r\nALPHALEVEL=255\r\n");
    module.AddText(L"STRAIGHT_INI", L"[GLOBALS]\r\n");
    module.Add(RT_BITMAP, L"OPAQUE_BMP", opaque);
    module.Add(RT_BITMAP, L"HALF_BMP", half);
    module.Commit();

    CTkSkinManager straight;
    ASSERT_TRUE(straight.LoadSkinData(module.Path().c_str(), L"straight.ini"));
    std::unique_ptr<CTkSkinImage> pOpaque(straight.GetResourceFile()->LoadImage(L"opaque.bmp"));
    std::unique_ptr<CTkSkinImage> pHalf(straight.GetResourceFile()->LoadImage(L"half.bmp"));
    ASSERT_TRUE(pOpaque != nullptr && pHalf != nullptr);
    EXPECT_FALSE(pOpaque->IsAlphaImage());
    EXPECT_EQ(DrawnPixel(*pOpaque), RGB(255, 0, 0));
    EXPECT_TRUE(pHalf->IsAlphaImage());
    // Red 128 x 128 / 255 = 64, over white x (255 - 128) / 255 = 127.
    EXPECT_TRUE(ColorsNear(RGB(191, 127, 127), DrawnPixel(*pHalf), 2));

    CTkSkinManager premultiplied;
    ASSERT_TRUE(premultiplied.LoadSkinData(module.Path().c_str(), L"premultiplied.ini"));
    std::unique_ptr<CTkSkinImage> pStored(premultiplied.GetResourceFile()->LoadImage(L"half.bmp"));
    ASSERT_NE(pStored, nullptr);
    EXPECT_TRUE(pStored->IsAlphaImage());
    // Taken as premultiplied already: the red byte is added in full.
    EXPECT_TRUE(ColorsNear(RGB(255, 127, 127), DrawnPixel(*pStored), 2));
    std::unique_ptr<CTkSkinImage> pStoredOpaque(premultiplied.GetResourceFile()->LoadImage(L"opaque.bmp"));
    EXPECT_TRUE(pStoredOpaque->IsAlphaImage()) << "without premultiplication every 32-bit image blends";
}

TEST(SkinImageLoad, ImagesAreCachedByExactNameAndFailuresAreTriedAgain) {
    CTempFolder folder;
    const std::wstring path = folder.WidePath();
    WriteBytes(path + L"\\skin.ini", "[Globals]\r\n", 11);
    WriteBmpFile(path + L"\\a.bmp", MakeDib(3, 1, 24, {kRed, kRed, kRed}));
    CTkSkinManagerResourceFile file;
    ASSERT_TRUE(file.Open(path.c_str(), L"skin.ini"));

    CTkSkinImages images;
    CTkSkinImage* pFirst = images.GetImage(&file, L"a.bmp");
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(images.GetImage(&file, L"a.bmp"), pFirst);
    CTkSkinImage* pOtherCase = images.GetImage(&file, L"A.bmp");  // the file system finds it; the cache does not
    ASSERT_NE(pOtherCase, nullptr);
    EXPECT_NE(pOtherCase, pFirst);
    EXPECT_EQ(images.GetExtent(&file, L"a.bmp"), CSize(3, 1));

    EXPECT_EQ(images.GetImage(&file, L"b.bmp"), nullptr);
    EXPECT_EQ(images.GetExtent(&file, L"b.bmp"), CSize(0, 0));
    WriteBmpFile(path + L"\\b.bmp", MakeDib(1, 4, 24, {kRed, kRed, kRed, kRed}));
    EXPECT_EQ(images.GetExtent(&file, L"b.bmp"), CSize(1, 4)) << "a failure is not remembered";

    EXPECT_EQ(images.GetImage(nullptr, L"a.bmp"), nullptr);
    EXPECT_EQ(images.GetImage(&file, nullptr), nullptr);
}

// A PNG resource is taken before a bitmap of the same name.
TEST(SkinImageLoad, PngResourcesLoadWithTheirAlpha) {
    CScopedMemDC dc(4, 2);
    dc.FillSolidRect(0, 0, 4, 2, RGB(0, 0, 255));
    CTempFolder folder;
    const std::wstring png = folder.WidePath() + L"\\blue.png";
    ASSERT_TRUE(WritePng(dc, png.c_str()));
    std::ifstream file(std::filesystem::path(png), std::ios::binary);
    const std::vector<BYTE> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());

    SkinModuleFile module;
    module.Add(L"PNG", L"BLUE_PNG", bytes);
    module.Add(RT_BITMAP, L"BLUE_PNG", MakeDib(1, 1, 24, {kRed}));
    HMODULE hModule = ::LoadLibraryExW(module.Commit().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    CTkSkinImage image;
    ASSERT_TRUE(image.LoadFromResource(hModule, L"BLUE_PNG"));
    EXPECT_EQ(image.GetExtent(), CSize(4, 2));
    EXPECT_EQ(DrawnPixel(image), RGB(0, 0, 255));
    ::FreeLibrary(hModule);
}
