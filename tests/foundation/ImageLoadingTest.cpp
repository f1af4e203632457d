// Loading bitmaps and icons from resources and files: which format each name or file goes to, what
// comes back, and damaged resources that must give nothing without reading past their ends.

#include "IconStateImage.h"
#include "ImageTestSupport.h"
#include "TkImageLoading.h"

#include "TempFolder.h"

namespace {

// Makes the images DLL the current resource module for a scope.
class CImageResourceModule {
public:
    CImageResourceModule() : m_hOld(AfxGetResourceHandle()) { AfxSetResourceHandle(ImageResources()); }
    ~CImageResourceModule() { AfxSetResourceHandle(m_hOld); }

private:
    HINSTANCE m_hOld;
};

// A BMP file of an RT_BITMAP resource: its bytes behind a file header.
std::vector<BYTE> BmpFileOf(LPCWSTR pszName) {
    std::vector<BYTE> info = ResourceBytes(pszName, RT_BITMAP);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfSize = static_cast<DWORD>(sizeof(header) + info.size());
    header.bfOffBits = sizeof(header) + sizeof(BITMAPINFOHEADER);
    std::vector<BYTE> file(reinterpret_cast<const BYTE*>(&header),
                           reinterpret_cast<const BYTE*>(&header) + sizeof(header));
    file.insert(file.end(), info.begin(), info.end());
    return file;
}

bool IsDibSection(HBITMAP hBitmap) {
    DIBSECTION dib = {};
    return ::GetObjectW(hBitmap, sizeof(dib), &dib) == sizeof(dib);
}

TEST(ImageLoading, EachResourceNameGoesToItsFormat) {
    struct Row {
        LPCWSTR name;
        bool bLoads;
        BOOL bAlpha;
        CSize size;
        DWORD topLeftPixel;  // checked for 32-bpp results: 0xAARRGGBB of pixel (1, 1)
    };
    const Row rows[] = {
        {L"RGBA", true, TRUE, CSize(4, 3), 0},
        {L"GREY16", true, FALSE, CSize(3, 1), 0},
        {L"NOT_PNG", true, FALSE, CSize(2, 2), 0},  // no signature: the RT_BITMAP of the name
        {L"TRUNCATED", false, FALSE, CSize(), 0},   // a failing PNG is not retried as the bitmap
        {L"NINE_BYTES", false, FALSE, CSize(), 0},  // refused before decoding
        {L"STRIP32", true, TRUE, CSize(48, 16), 0xFFFF0000},
        {L"SHORT32", false, FALSE, CSize(), 0},  // a byte short of its pixels
        {L"STRIP24", true, FALSE, CSize(48, 16), 0},
        {L"MISSING", false, FALSE, CSize(), 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(CStringA(row.name).GetString());
        BOOL bAlpha = -1;
        HBITMAP hBitmap = LoadBitmapResource(ImageResources(), row.name, &bAlpha);
        EXPECT_EQ(hBitmap != nullptr, row.bLoads);
        if (hBitmap == nullptr)
            continue;
        EXPECT_EQ(bAlpha, row.bAlpha);
        EXPECT_EQ(BitmapSize(hBitmap), row.size);
        if (row.topLeftPixel != 0)
            EXPECT_EQ(TopDownPixels(hBitmap).at(row.size.cx + 1), row.topLeftPixel);
        ::DeleteObject(hBitmap);
    }
    EXPECT_TRUE(IsPngResource(ImageResources(), L"NINE_BYTES"));
    EXPECT_FALSE(IsPngResource(ImageResources(), L"NOT_PNG"));
    EXPECT_TRUE(Is32BppBitmapResource(ImageResources(), L"SHORT32"));
    EXPECT_FALSE(Is32BppBitmapResource(ImageResources(), L"STRIP24"));
}

TEST(ImageLoading, StripPixelsOfA32BppResourceKeepTheirAlpha) {
    HBITMAP hBitmap = Load32BppBitmapResource(ImageResources(), L"STRIP32");
    ASSERT_NE(hBitmap, nullptr);
    EXPECT_TRUE(IsDibSection(hBitmap));
    const std::vector<DWORD> pixels = TopDownPixels(hBitmap);
    EXPECT_EQ(pixels.at(0), 0u) << "the first cell's clear frame";
    EXPECT_EQ(pixels.at(16 + 1), 0x8000FF00u) << "the second cell at alpha 128";
    EXPECT_EQ(pixels.at(32 + 1), 0xFF0000FFu);
    ::DeleteObject(hBitmap);

    CImageResourceModule module;
    BOOL bAlpha = FALSE;
    hBitmap = LoadBitmapFromResourceModule(L"PALETTE", &bAlpha);
    EXPECT_NE(hBitmap, nullptr);
    EXPECT_TRUE(bAlpha);
    ::DeleteObject(hBitmap);
    EXPECT_EQ(LoadBitmapFromResourceModule(L"MISSING", nullptr), nullptr);
}

TEST(ImageLoading, FilesAreSniffedWithoutSharing) {
    CTempFolder folder;
    const std::wstring png = folder.WidePath() + L"\\image.png";
    const std::wstring bmp = folder.WidePath() + L"\\strip.bmp";
    ASSERT_TRUE(WriteFileBytes(png, ResourceBytes(L"RGBA", L"PNG")));
    ASSERT_TRUE(WriteFileBytes(bmp, BmpFileOf(L"STRIP32")));

    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapFile(png.c_str(), &bAlpha);
    EXPECT_EQ(BitmapSize(hBitmap), CSize(4, 3));
    EXPECT_TRUE(bAlpha);
    ::DeleteObject(hBitmap);
    hBitmap = LoadBitmapFile(bmp.c_str(), &bAlpha);
    EXPECT_TRUE(bAlpha);
    EXPECT_TRUE(IsDibSection(hBitmap)) << "a 32-bpp file keeps its alpha in a DIB section";
    ::DeleteObject(hBitmap);
    EXPECT_EQ(LoadBitmapFile((folder.WidePath() + L"\\missing.png").c_str(), &bAlpha), nullptr);

    // Held open elsewhere, neither is recognised: the PNG then fails in LoadImage, and the BMP loads
    // without alpha.
    CFile pngHolder, bmpHolder;
    ASSERT_TRUE(pngHolder.Open(png.c_str(), CFile::modeRead | CFile::shareDenyNone));
    ASSERT_TRUE(bmpHolder.Open(bmp.c_str(), CFile::modeRead | CFile::shareDenyNone));
    EXPECT_FALSE(IsPngFile(png.c_str()));
    EXPECT_FALSE(Is32BppBmpFile(bmp.c_str()));
    EXPECT_EQ(LoadBitmapFile(png.c_str(), &bAlpha), nullptr);
    hBitmap = LoadBitmapFile(bmp.c_str(), &bAlpha);
    EXPECT_NE(hBitmap, nullptr);
    EXPECT_FALSE(bAlpha);
    ::DeleteObject(hBitmap);
    pngHolder.Close();
    bmpHolder.Close();
    EXPECT_TRUE(IsPngFile(png.c_str()));
    EXPECT_TRUE(Is32BppBmpFile(bmp.c_str()));
}

TEST(ImageLoading, IconResources) {
    IconStateImage image;
    // A lone 32-bpp icon image whose header says 32 rows holds 16 colour rows over its mask.
    ASSERT_TRUE(image.LoadFromIconResource(ImageResources(), L"ICON32", 16, 16, TRUE));
    EXPECT_TRUE(image.IsAlpha());
    EXPECT_EQ(BitmapSize(image.m_hBitmap), CSize(16, 16));
    EXPECT_EQ(TopDownPixels(image.m_hBitmap).at(0), 0xC800A000u);
    EXPECT_TRUE(image.m_bOwnsHandles);

    // The group lists a 16 x 16 of 8 bpp, then one of 32 bpp: the one listed last wins.
    ASSERT_TRUE(image.LoadFromIconResource(ImageResources(), L"GROUP16", 16, 16, TRUE));
    EXPECT_TRUE(image.IsAlpha());
    EXPECT_FALSE(image.LoadFromIconResource(ImageResources(), L"GROUP16", 24, 24, TRUE));
    // The 8-bpp image itself (the first RT_ICON the group made) becomes an icon.
    ASSERT_TRUE(image.LoadFromIconResource(ImageResources(), MAKEINTRESOURCEW(1), 16, 16, FALSE));
    EXPECT_FALSE(image.IsAlpha());
    EXPECT_NE(image.m_hIcon, nullptr);
    EXPECT_EQ(image.GetSize(), CSize(16, 16));

    EXPECT_FALSE(image.LoadFromIconResource(ImageResources(), L"ICON_SHORT", 16, 16, TRUE)) << "cut short";
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_FALSE(image.LoadFromIconResource(ImageResources(), L"MISSING", 16, 16, TRUE));

    CImageResourceModule module;
    EXPECT_TRUE(image.LoadIconFromResourceModule(L"GROUP16", 32, 32, TRUE));
    EXPECT_EQ(image.GetSize(), CSize(32, 32));
}

TEST(ImageLoading, AGroupCountingPastItsEndIsReadOnlyToItsEnd) {
    // A copy of the images DLL gets a directory that claims 50 entries but holds one, naming icon 300.
    CTempFolder folder;
    WCHAR szModule[MAX_PATH] = {};
    ::GetModuleFileNameW(ImageResources(), szModule, MAX_PATH);
    const std::wstring copy = folder.WidePath() + L"\\images_copy.dll";
    ASSERT_TRUE(::CopyFileW(szModule, copy.c_str(), FALSE));
#pragma pack(push, 2)
    struct {
        WORD reserved = 0, type = 1, count = 50;
        BYTE width = 16, height = 16, colours = 0, zero = 0;
        WORD planes = 1, bits = 32;
        DWORD bytes = 1128;
        WORD id = 300;
    } directory;
#pragma pack(pop)
    static_assert(sizeof(directory) == 20);
    HANDLE hUpdate = ::BeginUpdateResourceW(copy.c_str(), FALSE);
    ASSERT_NE(hUpdate, nullptr);
    ASSERT_TRUE(::UpdateResourceW(hUpdate, RT_GROUP_ICON, L"OVERCOUNT", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                  &directory, sizeof(directory)));
    ASSERT_TRUE(::EndUpdateResourceW(hUpdate, FALSE));
    HMODULE hCopy = ::LoadLibraryExW(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(hCopy, nullptr);
    IconStateImage image;
    EXPECT_TRUE(image.LoadFromIconResource(hCopy, L"OVERCOUNT", 16, 16, TRUE));
    EXPECT_TRUE(image.IsAlpha());
    image.Clear();
    ::FreeLibrary(hCopy);
}

}  // namespace
