#include "common/OemLogo.h"

#include "BitmapFile.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr COLORREF kLogoColour = RGB(200, 30, 90);
constexpr DWORD kLogoPixel = 0xC81E5A;  // 0x00RRGGBB
constexpr DWORD kWhite = 0xFFFFFF;
constexpr DWORD kBackground = 0x102030;

// Draws the logo into a 120 x 80 surface filled with kBackground.
void DrawLogoInto(CScopedMemDC& surface) {
    ASSERT_TRUE(surface.IsValid());
    for (int i = 0; i < surface.GetWidth() * surface.GetHeight(); ++i)
        surface.GetBits()[i] = kBackground;
    DrawOemLogo(surface.GetSafeHdc());
    ::GdiFlush();
}

DWORD At(const CScopedMemDC& surface, int x, int y) {
    return surface.GetBits()[y * surface.GetWidth() + x] & 0xFFFFFF;
}

TEST(OemLogo, DrawsAWhiteFrameAndTheBitmapsCornerWhenTheFileIsThere) {
    TestFolder folder;
    std::filesystem::create_directories(folder.ProgramFolder() + L"\\OEM");
    ASSERT_TRUE(WriteSolidBitmapFile(folder.ProgramFolder() + L"\\OEM\\OEM.bmp", 90, 60, kLogoColour));
    LoadOemBitmap();
    ASSERT_NE(nullptr, OemBitmap());

    CScopedMemDC surface(120, 80);
    DrawLogoInto(surface);
    // The frame's top row and left column stay white; the bitmap covers the rest of it from (6,6).
    EXPECT_EQ(kWhite, At(surface, 5, 5));
    EXPECT_EQ(kWhite, At(surface, 76, 5));
    EXPECT_EQ(kWhite, At(surface, 5, 47));
    EXPECT_EQ(kLogoPixel, At(surface, 6, 6));
    EXPECT_EQ(kLogoPixel, At(surface, 82, 53));  // the 77 x 48 block's last pixel
    EXPECT_EQ(kBackground, At(surface, 83, 53));
    EXPECT_EQ(kBackground, At(surface, 82, 54));
    EXPECT_EQ(kBackground, At(surface, 77, 5));
    EXPECT_EQ(kBackground, At(surface, 4, 4));

    FreeOemBitmap();
    EXPECT_EQ(nullptr, OemBitmap());
}

TEST(OemLogo, DrawsNothingWithoutTheFile) {
    TestFolder folder;
    LoadOemBitmap();
    EXPECT_EQ(nullptr, OemBitmap());

    CScopedMemDC surface(120, 80);
    DrawLogoInto(surface);
    for (int y = 0; y < surface.GetHeight(); ++y) {
        for (int x = 0; x < surface.GetWidth(); ++x)
            ASSERT_EQ(kBackground, At(surface, x, y)) << x << "," << y;
    }
}

}  // namespace
