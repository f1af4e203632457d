#include "frame/AboutDlg.h"

#include "BitmapFile.h"
#include "FrameTestSupport.h"
#include "MainFrameResource.h"
#include "common/OemLogo.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr COLORREF kLogoColour = RGB(30, 160, 70);
constexpr DWORD kLogoPixel = 0x1EA046;

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

// The dialog printed (client area, background and controls) into a 32-bpp surface; the pixel at (x, y).
DWORD PrintedPixel(CAboutDlg& dialog, int x, int y) {
    CScopedMemDC surface(200, 120);
    dialog.SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(surface.GetSafeHdc()),
                       PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    GdiFlush();
    return surface.GetBits()[y * surface.GetWidth() + x] & 0xFFFFFF;
}

TEST(AboutDlg, ShowsTheTextsTheCompanyAndTheOemLogoOnlyWithTheBitmap) {
    ServerFolder folder;
    std::filesystem::create_directories(folder.ProgramFolder() + L"\\OEM");
    WriteUtf16File(folder.ProgramFolder() + L"\\OEM\\Server_oem.ini",
                   L"[Settings]\r\nCompanyName=Acme Recording\r\nCompanyWeb=acme.example\r\n");
    ASSERT_TRUE(WriteSolidBitmapFile(folder.ProgramFolder() + L"\\OEM\\OEM.bmp", 80, 50, kLogoColour));
    LoadOemBitmap();

    CAboutDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUTBOX, nullptr));
    const HWND box = dialog.GetSafeHwnd();
    wchar_t caption[32] = {};
    GetWindowTextW(box, caption, 32);
    EXPECT_STREQ(L"T0001", caption);
    EXPECT_EQ(L"T0362", ItemText(box, IDC_ABOUT_PRODUCT));
    EXPECT_EQ(L"T0105", ItemText(box, IDC_ABOUT_EMAIL_LABEL));
    EXPECT_EQ(L"T0108", ItemText(box, IDOK));
    EXPECT_EQ(L"Ver1.30(20190426)(服务器)", ItemText(box, IDC_ABOUT_VERSION));
    EXPECT_EQ(L"Acme Recording", ItemText(box, IDC_ABOUT_NAME));
    EXPECT_EQ(L"acme.example", ItemText(box, IDC_ABOUT_WEB));
    EXPECT_EQ(L"", ItemText(box, IDC_ABOUT_FAX));

    EXPECT_EQ(0xFFFFFFu, PrintedPixel(dialog, 5, 5));
    EXPECT_EQ(0xFFFFFFu, PrintedPixel(dialog, 5, 40));
    EXPECT_EQ(kLogoPixel, PrintedPixel(dialog, 6, 6));
    EXPECT_EQ(kLogoPixel, PrintedPixel(dialog, 82, 53));

    FreeOemBitmap();
    const DWORD background = PrintedPixel(dialog, 100, 3);
    EXPECT_NE(0xFFFFFFu, background);
    EXPECT_EQ(background, PrintedPixel(dialog, 5, 5));
    EXPECT_EQ(background, PrintedPixel(dialog, 6, 6));
    dialog.DestroyWindow();
}

}  // namespace
