// The Office 2007 look: the INI grammar, colours and images of a look module (fixtures/Office2007Look.rc),
// and the nine-grid drawing of images made in code with known pixels.

#include "FoundationTestSupport.h"
#include "ImageTestSupport.h"
#include "NotificationConnection.h"
#include "TkOffice2007Image.h"
#include "TkOffice2007Images.h"

#include <atomic>
#include <cstring>
#include <thread>

namespace {

const COLORREF kBackground = RGB(0, 128, 0);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kFrame = RGB(0x76, 0x76, 0x76);

HMODULE LookModule() {
    static HMODULE s_hModule = ::LoadLibraryW(L"Office2007Look.dll");
    return s_hModule;
}

CString Find(const char* pszText, LPCWSTR pszSection, LPCWSTR pszKey) {
    return CTkOffice2007Images::FindIniValue(pszText, pszText + std::strlen(pszText), pszSection, pszKey);
}

TEST(Office2007Ini, Grammar) {
    struct Case {
        const char* pszText;
        LPCWSTR pszSection;
        LPCWSTR pszKey;
        LPCWSTR pszValue;
    };
    const Case cases[] = {
        {"[Window]\r\nButtonFace = 0x10 020 300\r\n", L"Window", L"ButtonFace", L"0X10 020 300"},
        // The last line counts only when a CR ends it.
        {"[Window]\r\nButtonFace = 0x10 020 300", L"Window", L"ButtonFace", L""},
        {"[Window]\rButtonFace = 1\r", L"Window", L"ButtonFace", L"1"},
        // Comments, leading blanks and any case.
        {"; look\r\n  [window]\r\n\t; more\r\n  buttonface = 1 2 3 ; why\r\n", L"WINDOW", L"ButtonFace", L"1 2 3"},
        // The next section line ends the search; a key before every section is in none.
        {"[A]\r\n[B]\r\nKey = 1\r\n", L"A", L"Key", L""},
        {"Key = 1\r\n[A]\r\n", L"A", L"Key", L""},
        {"[A]\r\nX = 1\r\n[B]\r\nKey = 2\r\n", L"B", L"Key", L"2"},
        // '=' first is no key; the name loses its trailing blanks, the value both ends', inner ones stay.
        {"[A]\r\n= 5\r\nButton Face  =  a  b  \r\n", L"A", L"Button Face", L"A  B"},
        {"[A]\r\n= 5\r\n", L"A", L"", L""},
        {"[\r\nKey = 1\r\n", L"", L"Key", L""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(Find(c.pszText, c.pszSection, c.pszKey).GetString(), c.pszValue) << c.pszText;
    EXPECT_TRUE(CTkOffice2007Images::FindIniValue(nullptr, nullptr, L"A", L"Key").IsEmpty());
}

TEST(Office2007Images, ColoursAndImageNamesOfTheLook) {
    CTkOffice2007Images look;
    ASSERT_TRUE(look.SetResourceModule(LookModule()));
    EXPECT_TRUE(look.IsLoaded());
    struct Case {
        LPCWSTR pszSection;
        LPCWSTR pszKey;
        COLORREF color;
    };
    const Case cases[] = {
        {L"Window", L"ButtonFace", RGB(16, 16, 44)},  // hexadecimal, octal, 300 AND 0xFF
        {L"window", L"tooltipdark", RGB(201, 217, 239)},
        {L"Window", L"Partial", RGB(12, 0, 0)},  // the scan stops at the first word that is no number
        {L"Window", L"Missing", CLR_NONE},
        {L"Images", L"ButtonFace", CLR_NONE},
        {L"Last", L"Key", CLR_NONE},  // the text's last line has no CR
    };
    for (const Case& c : cases)
        EXPECT_EQ(look.GetColor(c.pszSection, c.pszKey), c.color) << c.pszSection << L"/" << c.pszKey;
    EXPECT_STREQ(look.GetImageFile(L"BANDS.BMP").GetString(), L"OFFICE2007_BANDS_BMP");
    EXPECT_STREQ(look.GetImageFile(L"Toolbar.bmp").GetString(), L"Toolbar_bmp");
    EXPECT_STREQ(look.GetImageFile(L"a.b\\c").GetString(), L"a_b_c");
}

TEST(Office2007Images, TextOfTheModuleByName) {
    HMODULE hNumbered = ::LoadLibraryW(L"Office2007Numbered.dll");
    ASSERT_NE(hNumbered, nullptr);
    struct Case {
        HMODULE hModule;
        LPCWSTR pszName;
        BOOL bLoaded;
        COLORREF buttonFace;
    };
    const Case cases[] = {
        {LookModule(), nullptr, TRUE, RGB(16, 16, 44)},
        {LookModule(), L"OTHER.INI", TRUE, RGB(4, 5, 6)},
        {LookModule(), L"MISSING.INI", FALSE, CLR_NONE},
        {hNumbered, nullptr, TRUE, RGB(1, 2, 3)},  // no default text: the first one listed
        {hNumbered, L"", FALSE, CLR_NONE},         // a name was given: no other text will do
        {nullptr, nullptr, FALSE, CLR_NONE},
    };
    CTkOffice2007Images look;
    for (const Case& c : cases) {
        EXPECT_EQ(look.SetResourceModule(c.hModule, c.pszName), c.bLoaded) << (c.pszName ? c.pszName : L"NULL");
        EXPECT_EQ(look.IsLoaded(), c.bLoaded);
        EXPECT_EQ(look.GetColor(L"Window", L"ButtonFace"), c.buttonFace);
    }
    EXPECT_EQ(look.GetImage(L"TOOLTIPFRAME"), nullptr) << "no module";
    ::FreeLibrary(hNumbered);
}

TEST(Office2007Images, ProgramWithoutLookGivesNoColoursAndNoImages) {
    CTkOffice2007Images* pLook = GetOffice2007Images();
    EXPECT_EQ(pLook, GetOffice2007Images());
    EXPECT_FALSE(pLook->IsLoaded());
    EXPECT_EQ(pLook->GetColor(L"Window", L"TooltipLight"), CLR_NONE);
    EXPECT_EQ(pLook->GetImage(L"TOOLTIPFRAME"), nullptr);
    EXPECT_EQ(pLook->GetImage(L"BANDS.BMP"), nullptr);
}

class CCountingSink : public INotificationSink {
public:
    int m_nCalls = 0;
    void OnEvent(UINT, WPARAM, LPARAM, DWORD_PTR) override { ++m_nCalls; }
};

TEST(Office2007Images, CacheKeepsLoadedImagesUntilTheModuleChanges) {
    CTkOffice2007Images look;
    look.SetResourceModule(LookModule());
    CTkOffice2007Image* pBands = look.GetImage(L"BANDS.BMP");
    ASSERT_NE(pBands, nullptr);
    EXPECT_EQ(look.GetImage(L"BANDS.BMP"), pBands);
    EXPECT_EQ(pBands->GetExtent(), CSize(4, 8));
    EXPECT_FALSE(pBands->IsAlpha());
    CTkOffice2007Image* pGlyph = look.GetImage(L"GLYPH");
    ASSERT_NE(pGlyph, nullptr);
    EXPECT_TRUE(pGlyph->IsAlpha());
    EXPECT_EQ(pGlyph->GetExtent(), CSize(2, 1));
    EXPECT_EQ(look.GetImage(L"MISSING"), nullptr);
    EXPECT_EQ(look.GetImage(nullptr), nullptr);

    // A switch releases the cache's references and tells the connection.
    CCountingSink sink;
    look.GetConnection()->Advise(kOffice2007ResourceChangedEvent, &sink);
    pBands->InternalAddRef();
    look.SetResourceModule(LookModule());
    EXPECT_EQ(sink.m_nCalls, 1);
    EXPECT_EQ(pBands->m_dwRef, 1);
    EXPECT_NE(look.GetImage(L"BANDS.BMP"), pBands);
    pBands->InternalRelease();

    // A module handed over is freed when replaced.
    HMODULE hNumbered = ::LoadLibraryW(L"Office2007Numbered.dll");
    look.SetResourceModule(hNumbered, nullptr, TRUE);
    look.SetResourceModule(nullptr);
    EXPECT_EQ(::GetModuleHandleW(L"Office2007Numbered.dll"), nullptr);
    EXPECT_EQ(sink.m_nCalls, 3);
}

TEST(Office2007Images, ResourceImagesDrawKeyedAndBlended) {
    CTkOffice2007Images look;
    look.SetResourceModule(LookModule());
    CScopedMemDC dc(40, 16);
    dc.FillSolidRect(0, 0, 40, 16, kBackground);

    // The states of a stacked image, copied as they are.
    CTkOffice2007Image* pBands = look.GetImage(L"BANDS.BMP");
    ASSERT_NE(pBands, nullptr);
    EXPECT_EQ(pBands->GetSource(1, 2), CRect(0, 4, 4, 8));
    pBands->DrawImage(&dc, CRect(0, 0, 4, 4), pBands->GetSource(0, 2), CRect(0, 0, 0, 0));
    pBands->DrawImage(&dc, CRect(4, 0, 8, 4), pBands->GetSource(1, 2), CRect(0, 0, 0, 0));
    EXPECT_EQ(PixelAt(dc, 3, 3), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(dc, 4, 0), RGB(0, 0, 255));

    // The frame keyed: magenta inside and at the corners leaves the ground; without a key it is drawn.
    CTkOffice2007Image* pFrame = look.GetImage(L"TOOLTIPFRAME");
    ASSERT_NE(pFrame, nullptr);
    const CRect margins(3, 3, 3, 3);
    pFrame->DrawImageKeyed(&dc, CRect(10, 0, 30, 12), pFrame->GetSource(), margins, kMagenta);
    EXPECT_EQ(PixelAt(dc, 10, 0), kBackground);
    EXPECT_EQ(PixelAt(dc, 11, 0), kFrame);
    EXPECT_EQ(PixelAt(dc, 29, 6), kFrame);
    EXPECT_EQ(PixelAt(dc, 20, 6), kBackground);
    pFrame->DrawImageKeyed(&dc, CRect(10, 0, 30, 12), pFrame->GetSource(), margins, CLR_NONE);
    EXPECT_EQ(PixelAt(dc, 20, 6), kMagenta);

    // Premultiplied alpha blends over the ground (half white over black gives mid grey).
    CTkOffice2007Image* pGlyph = look.GetImage(L"GLYPH");
    ASSERT_NE(pGlyph, nullptr);
    dc.FillSolidRect(30, 14, 10, 2, RGB(0, 0, 0));
    pGlyph->DrawImage(&dc, CRect(32, 14, 34, 15), pGlyph->GetSource(), CRect(0, 0, 0, 0));
    EXPECT_TRUE(ColorsNear(RGB(0, 0, 255), PixelAt(dc, 32, 14), 2));
    EXPECT_TRUE(ColorsNear(RGB(128, 128, 128), PixelAt(dc, 33, 14), 2));
}

TEST(Office2007Images, OpaqueOnAlphaSurfaceLeavesOnlyTheKeyTransparent) {
    CTkOffice2007Images look;
    look.SetResourceModule(LookModule());
    CTkOffice2007Image* pFrame = look.GetImage(L"TOOLTIPFRAME");
    ASSERT_NE(pFrame, nullptr);
    CScopedMemDC dc(20, 12);
    std::fill(dc.GetBits(), dc.GetBits() + 20 * 12, 0x00008000);  // green, alpha 0
    const CRect rc(0, 0, 20, 12);
    pFrame->DrawImageWithAlpha(&dc, rc, pFrame->GetSource(), CRect(3, 3, 3, 3), kMagenta,
                               CTkOffice2007Image::kOpaqueOnAlphaSurface);
    ::GdiFlush();
    EXPECT_EQ(PixelAt(dc, 1, 0), kFrame);
    EXPECT_EQ(PixelAt(dc, 10, 6), kBackground);
    EXPECT_EQ(dc.GetBits()[10 + 6 * 20], 0x00008000u) << "the key's pixels leave the surface as it was";
    if (IsLibraryAvailable(L"msimg32.dll")) {
        EXPECT_EQ(dc.GetBits()[1] >> 24, 0xFFu) << "the frame makes the surface opaque";
    }
}

// A 30 x 60 image of two states, each a 3 x 3 grid of solid blocks: columns 6, 14 and 10 wide, rows
// 8, 18 and 4 high (so its margins are left 6, top 8, right 10, bottom 4). Block (column, row) of state
// s has colour BlockColor(s, column, row).
const CRect kGridMargins(6, 8, 10, 4);
COLORREF BlockColor(int nState, int nColumn, int nRow) {
    return RGB(40 * (nColumn + 1), 40 * (nRow + 1), 100 * nState + 20);
}
int BandOf(int nOffset, int nFirst, int nLast, int nLength) {
    return nOffset < nFirst ? 0 : nOffset < nLength - nLast ? 1 : 2;
}
DWORD PixelOf(COLORREF clr) {
    return 0xFF000000 | (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
}
CTkOffice2007Image* MakeGridImage(CTkOffice2007Images* pOwner) {
    auto* pImage = new CTkOffice2007Image(pOwner);
    pImage->SetBitmap(MakeDib(30, 60,
                              [](int x, int y) {
                                  return PixelOf(BlockColor(y / 30, BandOf(x, 6, 10, 30), BandOf(y % 30, 8, 4, 30)));
                              }),
                      FALSE);
    return pImage;
}

TEST(Office2007Images, NineBandsKeepTheirMarginsAndStretchTheMiddle) {
    CTkOffice2007Images look;
    CTkOffice2007Image* pImage = MakeGridImage(&look);
    CScopedMemDC dc(210, 150);
    dc.FillSolidRect(0, 0, 210, 150, RGB(255, 255, 255));
    const CRect dest(5, 5, 205, 145);
    pImage->DrawImage(&dc, dest, pImage->GetSource(1, 2), kGridMargins);
    WritePng(dc, L"office2007_nine_bands.png");
    int nWrong = 0;
    for (int y = 0; y < dc.GetHeight(); ++y) {
        for (int x = 0; x < dc.GetWidth(); ++x) {
            const COLORREF expected = dest.PtInRect(CPoint(x, y))
                                          ? BlockColor(1, BandOf(x - dest.left, 6, 10, dest.Width()),
                                                       BandOf(y - dest.top, 8, 4, dest.Height()))
                                          : RGB(255, 255, 255);
            if (PixelAt(dc, x, y) != expected && nWrong++ < 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(nWrong, 0);
    pImage->InternalRelease();
}

TEST(Office2007Images, DestinationMarginsShrinkWhenThereIsNoRoom) {
    struct Case {
        CSize dest;
        CSize src;
        CRect margins;
        CRect expected;
    };
    const Case cases[] = {
        // Room enough: the middle 14 source rows are squeezed into 4.
        {CSize(10, 20), CSize(10, 30), CRect(0, 8, 0, 8), CRect(0, 8, 0, 8)},
        // 11 <= 15: 6 and 5, and 5 has the parity of 7.
        {CSize(10, 11), CSize(10, 30), CRect(0, 8, 0, 7), CRect(0, 6, 0, 5)},
        // 11 <= 16: 6 and 5, made 6 for the parity of 8, so the bands overlap by a row.
        {CSize(10, 11), CSize(10, 30), CRect(0, 8, 0, 8), CRect(0, 6, 0, 6)},
        // A source with no middle band shares even a large destination.
        {CSize(10, 40), CSize(10, 16), CRect(0, 8, 0, 8), CRect(0, 20, 0, 20)},
        // Columns share by integer division, without the parity rule.
        {CSize(10, 30), CSize(30, 30), CRect(8, 0, 7, 0), CRect(5, 0, 5, 0)},
        {CSize(40, 30), CSize(15, 30), CRect(8, 0, 7, 0), CRect(21, 0, 19, 0)},
        {CSize(10, 30), CSize(30, 30), CRect(0, 0, 0, 0), CRect(0, 0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CTkOffice2007Image::CalcDestMargins(c.dest, c.src, c.margins), c.expected)
            << c.dest.cx << " x " << c.dest.cy << " margins " << c.margins.left << "," << c.margins.top << ","
            << c.margins.right << "," << c.margins.bottom;
}

TEST(Office2007Images, SourcesOutsideTheImageOrTooLargeImagesDrawNothing) {
    CTkOffice2007Images look;
    CTkOffice2007Image* pImage = MakeGridImage(&look);
    EXPECT_EQ(pImage->GetSource(1, 2), CRect(0, 30, 30, 60));
    EXPECT_EQ(pImage->GetSource(0, 0), CRect(0, 0, 0, 0));

    CScopedMemDC dc(40, 40);
    const auto untouched = [&dc] {
        ::GdiFlush();
        return std::all_of(dc.GetBits(), dc.GetBits() + 40 * 40, [](DWORD p) { return (p & 0xFFFFFF) == 0xFFFFFF; });
    };
    dc.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));
    const CRect dest(0, 0, 40, 40);
    pImage->DrawImage(&dc, dest, CRect(0, 60, 30, 90), kGridMargins);  // below the image
    pImage->DrawImage(&dc, dest, CRect(0, 0, 30, 11), kGridMargins);   // lower than its margins
    pImage->DrawImage(&dc, CRect(0, 0, 0, 40), pImage->GetSource(0, 2), kGridMargins);
    EXPECT_TRUE(untouched());

    // A source reaching past the bottom draws the part inside the image.
    pImage->DrawImage(&dc, dest, CRect(0, 30, 30, 75), kGridMargins);
    std::vector<DWORD> clipped(dc.GetBits(), dc.GetBits() + 40 * 40);
    pImage->DrawImage(&dc, dest, CRect(0, 30, 30, 60), kGridMargins);
    EXPECT_TRUE(std::equal(clipped.begin(), clipped.end(), dc.GetBits()));
    pImage->InternalRelease();

    CTkOffice2007Image wide(&look);
    wide.SetBitmap(MakeDib(600, 4, [](int, int) { return 0xFF000000u; }), FALSE);
    EXPECT_EQ(wide.GetExtent(), CSize(600, 4));
    dc.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));
    wide.DrawImageStretched(&dc, dest, wide.GetSource());
    EXPECT_TRUE(untouched());
    EXPECT_EQ(wide.GetSource(2, 4), CRect(0, 2, 600, 3));
}

TEST(Office2007Images, GetSourceOfStackedStates) {
    CTkOffice2007Images look;
    CTkOffice2007Image image(&look);
    EXPECT_EQ(image.GetSource(), CRect(0, 0, 0, 0)) << "no pixels";
    image.SetBitmap(MakeDib(40, 100, [](int, int) { return 0xFF000000u; }), FALSE);
    EXPECT_EQ(image.GetSource(2, 4), CRect(0, 50, 40, 75));
}

// A row drawn 12 pixels wide from a 6 x 1 image with unequal margins (2 red, 1 blue), as physical pixels.
std::vector<DWORD> DrawRow(CTkOffice2007Image& image, bool bRightToLeft) {
    CScopedMemDC dc(12, 1);
    if (bRightToLeft)
        ::SetLayout(dc.GetSafeHdc(), LAYOUT_RTL);
    image.DrawImage(&dc, CRect(0, 0, 12, 1), image.GetSource(), CRect(2, 0, 1, 0));
    ::GdiFlush();
    std::vector<DWORD> row(dc.GetBits(), dc.GetBits() + 12);
    for (DWORD& pixel : row)
        pixel &= 0xFFFFFF;
    return row;
}

TEST(Office2007Images, RightToLeftMirrorsWhatTheImageAsksFor) {
    const std::vector<DWORD> ltr = {0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00,
                                    0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x0000FF};
    const std::vector<DWORD> mirrored(ltr.rbegin(), ltr.rend());
    struct Case {
        BOOL bAlpha;
        BOOL bMirrorOnRightToLeft;
        const std::vector<DWORD>& rtl;
    };
    // Copies mirror with the DC; an alpha image keeps its reading unless it asks to be mirrored.
    const Case cases[] = {
        {FALSE, FALSE, mirrored},
        {FALSE, TRUE, mirrored},
        {TRUE, FALSE, ltr},
        {TRUE, TRUE, mirrored},
    };
    // The system's blend is the one that draws right-to-left exactly (the own blend is a pixel off).
    const bool bSystemBlend = IsLibraryAvailable(L"msimg32.dll");
    CTkOffice2007Images look;
    for (const Case& c : cases) {
        if (c.bAlpha && !bSystemBlend)
            continue;
        CTkOffice2007Image image(&look);
        const DWORD colours[] = {0xFFFF0000, 0xFFFF0000, 0xFF00FF00, 0xFF00FF00, 0xFF00FF00, 0xFF0000FF};
        image.SetBitmap(MakeDib(6, 1, [&colours](int x, int) { return colours[x]; }), c.bAlpha);
        image.SetMirrorOnRightToLeft(c.bMirrorOnRightToLeft);
        EXPECT_EQ(DrawRow(image, false), ltr) << c.bAlpha << c.bMirrorOnRightToLeft;
        EXPECT_EQ(DrawRow(image, true), c.rtl) << c.bAlpha << c.bMirrorOnRightToLeft;
        EXPECT_EQ(DrawRow(image, false), ltr) << "back on a left-to-right DC";
        image.SetMirrorOnRightToLeft(FALSE);
        image.MirrorPixels();
        EXPECT_EQ(DrawRow(image, false), c.bAlpha ? mirrored : ltr) << "only alpha images mirror their pixels";
    }
}

TEST(Office2007Images, DrawingWhileAnotherThreadSwitchesTheModule) {
    CTkOffice2007Images look;
    look.SetResourceModule(LookModule());
    CTkOffice2007Image* pImage = MakeGridImage(&look);
    std::atomic<bool> bStop{false};
    std::thread switcher([&] {
        while (!bStop) {
            look.SetResourceModule(LookModule());
            look.RemoveAllImages();
        }
    });
    CScopedMemDC dc(40, 40);
    int nFound = 0;
    for (int i = 0; i < 300; ++i) {
        if (look.GetImage(L"BANDS.BMP") != nullptr)
            ++nFound;
        pImage->DrawImage(&dc, CRect(0, 0, 40, 40), pImage->GetSource(0, 2), kGridMargins);
    }
    bStop = true;
    switcher.join();
    EXPECT_GT(nFound, 0);
    EXPECT_EQ(PixelAt(dc, 39, 39), BlockColor(0, 2, 2));
    pImage->InternalRelease();
}

}  // namespace
