#include "common/AppIcons.h"
#include "settings/Folders.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// GDI+ for the life of one test, as the application's start-up provides it.
class AppIcons : public testing::Test {
protected:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, nullptr));
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

bool PngEncoder(CLSID& clsid) {
    UINT count = 0;
    UINT bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<uint8_t> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, bytes, encoders);
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(encoders[i].MimeType) == L"image/png") {
            clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

// A PNG of one colour.
void WritePng(const std::wstring& path, int width, int height, const Gdiplus::Color& colour) {
    CLSID png;
    ASSERT_TRUE(PngEncoder(png));
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&bitmap);
        graphics.Clear(colour);
    }
    CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
    ASSERT_EQ(Gdiplus::Ok, bitmap.Save(path.c_str(), &png, nullptr));
}

// The 16 x 16 pixels of one image of the list, drawn on black, as 0x00RRGGBB.
std::vector<uint32_t> IconPixels(HIMAGELIST list, int index) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kAppIconSize;
    info.bmiHeader.biHeight = -kAppIconSize;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, target);
    ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> result(pixels, pixels + kAppIconSize * kAppIconSize);
    for (uint32_t& pixel : result)
        pixel &= 0x00FFFFFF;
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    return result;
}

uint32_t At(const std::vector<uint32_t>& pixels, int x, int y) {
    return pixels[y * kAppIconSize + x];
}

constexpr uint32_t kWhite = 0xFFFFFF;

}  // namespace

TEST(IconPlacement, ScalesByTheSmallerFactorAndCentresTheOtherAxis) {
    struct Row {
        int width, height;
        IconPlacement place;
    } rows[] = {
        {32, 16, {0, 4, 16, 8}},    {10, 20, {4, 0, 8, 16}}, {16, 16, {0, 0, 16, 16}},
        {128, 128, {0, 0, 16, 16}}, {8, 8, {0, 0, 16, 16}},  // small pictures are enlarged
        {48, 20, {0, 4, 16, 6}},                             // 4.67 and 6.67 truncated
    };
    for (const Row& row : rows) {
        IconPlacement place = ComputeIconPlacement(row.width, row.height);
        EXPECT_EQ(row.place.X, place.X) << row.width << "x" << row.height;
        EXPECT_EQ(row.place.Y, place.Y) << row.width << "x" << row.height;
        EXPECT_EQ(row.place.Width, place.Width) << row.width << "x" << row.height;
        EXPECT_EQ(row.place.Height, place.Height) << row.width << "x" << row.height;
    }
}

TEST_F(AppIcons, PicturesAreDrawnCentredOnWhiteAndMissingFilesLeaveWhiteSlots) {
    TestFolder folder;
    WritePng(folder.ProgramFolder() + L"\\Image\\Root.png", 32, 16, Gdiplus::Color(255, 255, 0, 0));
    WritePng(folder.ProgramFolder() + L"\\Image\\Tel.png", 10, 20, Gdiplus::Color(255, 0, 0, 255));

    HIMAGELIST list = LoadAppIcons();
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(kAppIconCount, ImageList_GetImageCount(list));

    // Root.png: drawn 16 x 8 at y = 4.
    std::vector<uint32_t> root = IconPixels(list, kIconRoot);
    for (int x = 0; x < kAppIconSize; ++x) {
        EXPECT_EQ(kWhite, At(root, x, 1)) << x;
        EXPECT_EQ(kWhite, At(root, x, 14)) << x;
    }
    for (int y = 6; y <= 9; ++y)
        EXPECT_EQ(0xFF0000u, At(root, 8, y)) << y;

    // Tel.png: drawn 8 x 16 at x = 4.
    std::vector<uint32_t> tel = IconPixels(list, kIconTel);
    for (int y = 0; y < kAppIconSize; ++y) {
        EXPECT_EQ(kWhite, At(tel, 1, y)) << y;
        EXPECT_EQ(kWhite, At(tel, 14, y)) << y;
    }
    for (int x = 6; x <= 9; ++x)
        EXPECT_EQ(0x0000FFu, At(tel, x, 8)) << x;

    // group.png is missing.
    for (uint32_t pixel : IconPixels(list, kIconGroup))
        EXPECT_EQ(kWhite, pixel);
    ImageList_Destroy(list);
}

TEST_F(AppIcons, ShippedPicturesFillEverySlot) {
    TestFolder folder;
    SetExeFolderOverride(TESS_RESOURCES_DIR);
    HIMAGELIST list = LoadAppIcons();
    ASSERT_NE(nullptr, list);
    for (int i = 0; i < kAppIconCount; ++i) {
        int coloured = 0;
        for (uint32_t pixel : IconPixels(list, i))
            coloured += pixel != kWhite;
        EXPECT_GT(coloured, 20) << kAppIconFiles[i];
    }
    ImageList_Destroy(list);
}
