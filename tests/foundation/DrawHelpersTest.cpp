// Drawing helpers on 32-bpp DIB sections in memory DCs: gradients by lines (exact) and by the system
// (judge of the lines), clipping and split gradients, the halftone checker, the scoped wrappers and
// the buffers; then the colour and text helpers as tables.

#include "FoundationTestSupport.h"
#include "TkColorFunctions.h"
#include "TkColorManager.h"
#include "TkDCWrappers.h"
#include "TkDrawHelpers.h"
#include "TkTextFunctions.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST(Gradient, LinesFollowTheBlendOfEachColumnAndRowExactly) {
    CScopedMemDC dc(64, 16);
    ASSERT_TRUE(dc.IsValid());
    const CRect rc(0, 0, 64, 16);
    const COLORREF first = RGB(200, 40, 10);
    const COLORREF second = RGB(10, 240, 90);
    GetDrawHelpers()->FillGradientByLines(&dc, &rc, first, second, TRUE);
    for (int x = 0; x < 64; ++x)
        ASSERT_EQ(PixelAt(dc, x, 8), BlendColorsByFactor(first, second, 1 - x / 64.0)) << "column " << x;
    GetDrawHelpers()->FillGradientByLines(&dc, &rc, first, second, FALSE);
    for (int y = 0; y < 16; ++y)
        ASSERT_EQ(PixelAt(dc, 40, y), BlendColorsByFactor(first, second, 1 - y / 16.0)) << "row " << y;
    WritePng(dc, L"gradient_lines.png");
}

TEST(Gradient, TheSystemsGradientJudgesTheLines) {
    if (GetDrawHelpers()->m_pfnGradientFill == nullptr)
        GTEST_SKIP() << "msimg32 is not there in this run";
    CScopedMemDC byLines(100, 4);
    CScopedMemDC byApi(100, 4);
    const CRect rc(0, 0, 100, 4);
    GetDrawHelpers()->FillGradientByLines(&byLines, &rc, kBlack, RGB(255, 128, 0), TRUE);
    EXPECT_TRUE(GetDrawHelpers()->FillGradientWithApi(&byApi, &rc, kBlack, RGB(255, 128, 0), TRUE));
    for (int x = 0; x < 100; ++x)
        ASSERT_TRUE(ColorsNear(PixelAt(byApi, x, 2), PixelAt(byLines, x, 2), 3)) << "column " << x;
}

TEST(Gradient, FailSoftRunDrawsByLines) {
    if (IsLibraryAvailable(L"msimg32.dll"))
        GTEST_SKIP() << "only without msimg32";
    EXPECT_EQ(GetDrawHelpers()->m_pfnGradientFill, nullptr);
    EXPECT_EQ(GetDrawHelpers()->m_pfnAlphaBlend, nullptr);
    CScopedMemDC dc(10, 2);
    const CRect rc(0, 0, 10, 2);
    GetDrawHelpers()->FillGradient(&dc, &rc, kBlack, kWhite, TRUE);
    EXPECT_EQ(PixelAt(dc, 5, 0), BlendColorsByFactor(kBlack, kWhite, 0.5));
}

TEST(Gradient, EqualColoursAndEmptyRectanglesAreSolidOrNothing) {
    CScopedMemDC dc(8, 8);
    CRect rc(0, 0, 8, 8);
    GetDrawHelpers()->FillGradient(&dc, &rc, RGB(9, 8, 7), RGB(9, 8, 7), TRUE);
    EXPECT_EQ(PixelAt(dc, 7, 7), RGB(9, 8, 7));
    CRect empty(4, 4, 4, 8);
    GetDrawHelpers()->FillGradient(&dc, &empty, kWhite, kBlack, TRUE);
    GetDrawHelpers()->FillGradient(&dc, nullptr, kWhite, kBlack, TRUE);
    EXPECT_EQ(PixelAt(dc, 4, 5), RGB(9, 8, 7));
}

TEST(Gradient, ClipKeepsTheColoursOfTheWholeGradient) {
    CScopedMemDC dc(300, 10);
    const CRect rc(0, 0, 300, 10);
    const CRect clip(100, 2, 200, 8);
    GetDrawHelpers()->FillGradientClipped(&dc, &rc, kBlack, kWhite, TRUE, &clip);
    EXPECT_EQ(PixelAt(dc, 99, 5), kBlack) << "nothing left of the clip";
    EXPECT_EQ(PixelAt(dc, 150, 1), kBlack) << "nothing above the clip";
    EXPECT_TRUE(ColorsNear(RGB(85, 85, 85), PixelAt(dc, 100, 5), 2)) << "a third of the way";
    EXPECT_TRUE(ColorsNear(RGB(170, 170, 170), PixelAt(dc, 199, 5), 2)) << "two thirds of the way";
    const CRect outside(310, 0, 320, 10);
    CScopedMemDC untouched(300, 10);
    GetDrawHelpers()->FillGradientClipped(&untouched, &rc, kWhite, kWhite, TRUE, &outside);
    EXPECT_EQ(PixelAt(untouched, 299, 5), kBlack);
    WritePng(dc, L"gradient_clipped.png");
}

TEST(Gradient, SplitFactorMakesTwoGradientsMeetingAtItsBlend) {
    CTkPaintManagerColorGradient gradient;
    gradient.SetStandardColors(kBlack, kWhite, 0.75f);
    CScopedMemDC dc(10, 200);
    const CRect rc(0, 0, 10, 200);
    GetDrawHelpers()->FillColorGradient(&dc, &rc, gradient, FALSE, nullptr);
    const COLORREF mid = BlendColorsByFactor(kBlack, kWhite, 0.75);
    EXPECT_EQ(mid, RGB(63, 63, 63));
    EXPECT_TRUE(ColorsNear(kBlack, PixelAt(dc, 5, 0), 2));
    EXPECT_TRUE(ColorsNear(mid, PixelAt(dc, 5, 100), 2)) << "the second half starts at the split colour";
    EXPECT_TRUE(ColorsNear(mid, PixelAt(dc, 5, 99), 3)) << "the first half ends there";
    EXPECT_TRUE(ColorsNear(kWhite, PixelAt(dc, 5, 199), 3));
    WritePng(dc, L"gradient_split.png");
}

TEST(Drawing, HalftoneIsTheCheckerOfFaceAndHighlightAndRestoresTheDC) {
    CScopedMemDC dc(16, 16);
    const CTkColorManager* pColors = GetColorManager();
    dc.SetBkColor(RGB(1, 1, 1));
    dc.SetTextColor(RGB(2, 2, 2));
    HGDIOBJ hBrush = ::GetCurrentObject(dc, OBJ_BRUSH);
    const CRect rc(0, 0, 16, 16);
    DrawHalftoneRect(&dc, &rc);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(PixelAt(dc, x, y), pColors->GetColor((x + y) % 2 == 0 ? 20 : 15)) << x << "," << y;
    EXPECT_EQ(dc.GetBkColor(), RGB(1, 1, 1));
    EXPECT_EQ(dc.GetTextColor(), RGB(2, 2, 2));
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), hBrush);
}

TEST(Drawing, AveragePixelPairsIgnoresAnUnpairedLastPoint) {
    CScopedMemDC dc(4, 1);
    dc.SetPixel(0, 0, RGB(100, 0, 51));
    dc.SetPixel(1, 0, RGB(200, 100, 0));
    const POINT pairs[3] = {{0, 0}, {1, 0}, {3, 0}};
    GetDrawHelpers()->AveragePixelPairs(&dc, pairs, 3);
    EXPECT_EQ(PixelAt(dc, 0, 0), RGB(150, 50, 25));
    EXPECT_EQ(PixelAt(dc, 3, 0), kBlack);
}

TEST(Wrappers, EachPutsBackWhatItReplaced) {
    CScopedMemDC dc(4, 4);
    HGDIOBJ hPen = ::GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ hBrush = ::GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ hFont = ::GetCurrentObject(dc, OBJ_FONT);
    CFont font1, font2;
    font1.CreatePointFont(90, L"Tahoma");
    font2.CreatePointFont(120, L"Tahoma");
    {
        CTkFontDC fontDC(&dc, &font1);
        fontDC.SetFont(&font2);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), font2.GetSafeHandle());
        CTkPenDC penDC(dc, RGB(1, 2, 3));
        penDC.SetColor(RGB(4, 5, 6));
        LOGPEN logPen = {};
        ::GetObjectW(::GetCurrentObject(dc, OBJ_PEN), sizeof(logPen), &logPen);
        EXPECT_EQ(logPen.lopnColor, RGB(4, 5, 6));
        CTkBrushDC brushDC(dc, RGB(7, 8, 9));
        EXPECT_NE(::GetCurrentObject(dc, OBJ_BRUSH), hBrush);
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), hPen);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), hBrush);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), hFont) << "the first font replaced comes back";
}

TEST(Buffers, CopyBackCancelAndAFailedBitmap) {
    CScopedMemDC dest(40, 20);
    dest.FillSolidRect(0, 0, 40, 20, RGB(9, 9, 9));
    {
        CTkBufferDC buffer(dest, CRect(10, 5, 30, 15));
        EXPECT_TRUE(buffer.HasBitmap());
        buffer.FillSolidRect(0, 0, 40, 20, RGB(200, 0, 0));
    }
    EXPECT_EQ(PixelAt(dest, 10, 5), RGB(200, 0, 0));
    EXPECT_EQ(PixelAt(dest, 29, 14), RGB(200, 0, 0));
    EXPECT_EQ(PixelAt(dest, 9, 5), RGB(9, 9, 9)) << "only the rectangle is copied";
    {
        CTkBufferDC buffer(dest, CRect(0, 0, 40, 20));
        buffer.FillSolidRect(0, 0, 40, 20, RGB(0, 200, 0));
        buffer.CancelCopy();
    }
    EXPECT_EQ(PixelAt(dest, 0, 0), RGB(9, 9, 9));
    {
        // A bitmap GDI refuses to make: the destination keeps its pixels.
        CTkBufferDC buffer(dest, CRect(0, 0, 0x7FFFFFF, 0x7FFFFFF));
        EXPECT_FALSE(buffer.HasBitmap());
    }
    EXPECT_EQ(PixelAt(dest, 0, 0), RGB(9, 9, 9));
    EXPECT_EQ(PixelAt(dest, 20, 10), RGB(200, 0, 0));
}

TEST(Buffers, ExBufferDrawsInDestinationCoordinates) {
    CScopedMemDC dest(40, 20);
    {
        CTkBufferDCEx buffer(dest, CRect(10, 5, 20, 15));
        buffer.FillSolidRect(10, 5, 5, 5, RGB(0, 0, 200));
    }
    EXPECT_EQ(PixelAt(dest, 10, 5), RGB(0, 0, 200));
    EXPECT_EQ(PixelAt(dest, 14, 9), RGB(0, 0, 200));
    EXPECT_EQ(PixelAt(dest, 15, 10), kBlack);
}

TEST(Text, MnemonicMarkers) {
    struct Row {
        const wchar_t* pszIn;
        const wchar_t* pszOut;
    };
    const Row rows[] = {{L"&File", L"File"}, {L"a&b", L"ab"},   {L"&&", L"&"},   {L"&&&", L"&&"},
                        {L"&&&&", L"&&&"},   {L"end&", L"end"}, {L"&&x", L"&x"}, {L"plain", L"plain"}};
    for (const Row& row : rows) {
        CString str(row.pszIn);
        RemoveMnemonicMarkers(str);
        EXPECT_STREQ(str, row.pszOut) << CStringA(row.pszIn).GetString();
        wchar_t buffer[16];
        ::lstrcpyW(buffer, row.pszIn);
        EXPECT_STREQ(StripMnemonicMarkers(buffer), row.pszOut);
    }
    EXPECT_EQ(StripMnemonicMarkers(nullptr), nullptr);
    EXPECT_EQ(StripMnemonicMarkers(reinterpret_cast<wchar_t*>(-1)), reinterpret_cast<wchar_t*>(-1));
}

TEST(Text, FontFacesAndDirectWindowText) {
    // The test prefix enumerates the host's fonts only (no Arial, no Tahoma): the face GDI actually
    // uses for the GUI font is one that exists.
    CScopedMemDC dc(1, 1);
    CScopedSelectObject selectFont(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    wchar_t szUsedFace[LF_FACESIZE] = {};
    ::GetTextFaceW(dc, LF_FACESIZE, szUsedFace);
    CString strUpper(szUsedFace);
    strUpper.MakeUpper();
    EXPECT_TRUE(DoesFontFaceExist(strUpper)) << CStringA(szUsedFace).GetString() << " in any case";
    EXPECT_FALSE(DoesFontFaceExist(L"No Such Face 12345"));
    CString strFace;
    GetDefaultFontFace(strFace, TRUE);
    if (!DoesFontFaceExist(L"Arial")) {
        LOGFONTW guiFont = {};
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(guiFont), &guiFont);
        EXPECT_STREQ(strFace, guiFont.lfFaceName) << "without Arial the GUI font's face";
    }

    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"direct text", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CString strText;
    GetWindowTextDirect(hWnd, strText);
    EXPECT_STREQ(strText, L"direct text");
    ::DestroyWindow(hWnd);
}

TEST(Color, HlsRoundTripsAndGreysHaveHue239) {
    struct Row {
        COLORREF rgb;
        DWORD hls;
    };
    // hue | saturation << 8 | luminance << 16
    const Row rows[] = {{RGB(0, 0, 0), 239 | 0 << 8 | 0 << 16},         {RGB(255, 255, 255), 239 | 0 << 8 | 240 << 16},
                        {RGB(128, 128, 128), 239 | 0 << 8 | 120 << 16}, {RGB(255, 0, 0), 0 | 239 << 8 | 120 << 16},
                        {RGB(0, 255, 0), 79 | 239 << 8 | 120 << 16},    {RGB(0, 0, 255), 159 | 239 << 8 | 120 << 16}};
    for (const Row& row : rows) {
        EXPECT_EQ(RgbToHls(row.rgb), row.hls) << std::hex << row.rgb;
        // The integer arithmetic loses a few steps on the way back.
        EXPECT_TRUE(ColorsNear(row.rgb, HlsToRgb(row.hls), 8)) << std::hex << row.rgb;
    }
    EXPECT_EQ(BlendColorsByFactor(RGB(255, 255, 255), RGB(255, 255, 255), 1.5), RGB(255, 255, 255)) << "capped at 255";
}

}  // namespace
