// The derived state images (faded, shadow, disabled) on both paths, icons pixel by pixel and alpha images
// on premultiplied bits, and drawing: silhouettes, the clip above the origin, mirroring; pictures of it
// all for a person to look at.

#include "ImageTestSupport.h"
#include "TkColorManager.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"

#include <cmath>

namespace {

const COLORREF kGround = RGB(40, 80, 120);

DWORD Bgr(COLORREF clr) {
    return static_cast<DWORD>(GetRValue(clr)) << 16 | GetGValue(clr) << 8 | GetBValue(clr);
}

// A free-standing 16 x 16 icon (its images never packed) whose normal image is one colour: an icon
// (opaque, mask 0) or a premultiplied alpha image.
struct TestIcon {
    CTkImageManagerIcon icon{0, 16, 16, nullptr};

    void SetIconColour(COLORREF clr) {
        IconStateImage image;
        image.AttachIcon(MakeIcon(
            16, 16, [clr](int, int) { return Bgr(clr); }, [](int, int) { return false; }));
        icon.SetNormalImage(image);
    }
    void SetAlphaPixel(DWORD premultiplied) {
        IconStateImage image;
        image.AttachBitmap(MakeDib(16, 16, [premultiplied](int, int) { return premultiplied; }));
        DIBSECTION dib = {};
        ::GetObjectW(image.m_hBitmap, sizeof(dib), &dib);
        image.m_pPremultipliedBits = static_cast<BYTE*>(dib.dsBm.bmBits);  // taken as premultiplied already
        icon.SetNormalImage(image);
    }
};

// The colour an icon image shows at its centre over the ground.
COLORREF IconPixel(const IconStateImage* pImage) {
    CScopedMemDC dc(16, 16);
    dc.FillSolidRect(0, 0, 16, 16, kGround);
    ::DrawIconEx(dc, 0, 0, pImage->m_hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    return PixelAt(dc, 8, 8);
}

// The premultiplied pixel of an alpha image (0xAARRGGBB).
DWORD AlphaPixel(const IconStateImage* pImage) {
    const std::vector<DWORD> pixels = TopDownPixels(pImage->m_hBitmap);
    return pixels.empty() ? 0xDEADBEEF : pixels[0];
}

// Keeps colour-manager slot 31 at a value for a scope.
class CShadowColour {
public:
    explicit CShadowColour(COLORREF clr) : m_old(GetColorManager()->m_customColors[31]) {
        GetColorManager()->m_customColors[31] = clr;
    }
    ~CShadowColour() { GetColorManager()->m_customColors[31] = m_old; }

private:
    COLORREF m_old;
};

enum class Derived { Faded, Shadow, Grey, BlendWhiteOverBlack, BlendBlackOverWhite };

IconStateImage* MakeDerived(CTkImageManagerIcon& icon, Derived kind) {
    switch (kind) {
        case Derived::Faded:
            return icon.GetFadedImage();
        case Derived::Shadow:
            return icon.GetShadowImage();
        case Derived::Grey:
            return icon.GetDisabledImage(TRUE);
        case Derived::BlendWhiteOverBlack:
            icon.CreateDisabledImage(RGB(255, 255, 255), RGB(0, 0, 0));
            return icon.GetDisabledImage(FALSE);
        case Derived::BlendBlackOverWhite:
            icon.CreateDisabledImage(RGB(0, 0, 0), RGB(255, 255, 255));
            return icon.GetDisabledImage(FALSE);
    }
    return nullptr;
}

TEST(IconStates, DerivedImagesOnBothPaths) {
    CShadowColour shadow(RGB(128, 128, 128));
    ASSERT_EQ(GetColorManager()->GetColor(31), RGB(128, 128, 128));
    struct IconRow {
        const char* name;
        Derived kind;
        COLORREF input;
        COLORREF expected;
    };
    const IconRow iconRows[] = {
        {"faded black", Derived::Faded, RGB(0, 0, 0), RGB(76, 76, 76)},
        {"faded white", Derived::Faded, RGB(255, 255, 255), RGB(255, 255, 255)},
        {"shadow", Derived::Shadow, RGB(200, 10, 10), RGB(96, 96, 96)},
        {"grey white", Derived::Grey, RGB(255, 255, 255), RGB(255, 255, 255)},
        {"grey black", Derived::Grey, RGB(0, 0, 0), RGB(0, 0, 0)},
        {"grey mid", Derived::Grey, RGB(128, 128, 128), RGB(180, 180, 180)},
        {"blend keeps the luminance", Derived::BlendWhiteOverBlack, RGB(11, 11, 11), RGB(11, 11, 11)},
        {"blend turned round", Derived::BlendBlackOverWhite, RGB(11, 11, 11), RGB(244, 244, 244)},
    };
    for (const IconRow& row : iconRows) {
        SCOPED_TRACE(row.name);
        TestIcon test;
        test.SetIconColour(row.input);
        const IconStateImage* pImage = MakeDerived(test.icon, row.kind);
        ASSERT_NE(pImage->m_hIcon, nullptr);
        EXPECT_EQ(IconPixel(pImage), row.expected);
    }

    struct AlphaRow {
        const char* name;
        Derived kind;
        DWORD input;  // premultiplied 0xAARRGGBB
        DWORD expected;
    };
    const AlphaRow alphaRows[] = {
        {"faded", Derived::Faded, 0x80000000, 0x80262626},
        {"faded leaves clear pixels", Derived::Faded, 0x00000000, 0x00000000},
        {"shadow", Derived::Shadow, 0xFFFFFFFF, 0xFF606060},
        {"grey mid", Derived::Grey, 0xFF808080, 0xFFB4B4B4},
        {"grey at half alpha", Derived::Grey, 0x80404040, 0x80595959},
        {"grey of an invalid pixel stays in range", Derived::Grey, 0x64C8C8C8, 0x64646464},
        {"blend keeps the luminance", Derived::BlendWhiteOverBlack, 0xFF0B0B0B, 0xFF0B0B0B},
    };
    for (const AlphaRow& row : alphaRows) {
        SCOPED_TRACE(row.name);
        TestIcon test;
        test.SetAlphaPixel(row.input);
        const IconStateImage* pImage = MakeDerived(test.icon, row.kind);
        ASSERT_NE(pImage->m_hBitmap, nullptr);
        EXPECT_EQ(AlphaPixel(pImage), row.expected) << std::hex << AlphaPixel(pImage);
    }
}

TEST(IconStates, DrawingSilhouettesClipsAndMirrors) {
    TestIcon alpha;
    alpha.SetAlphaPixel(0xFF204060);
    CScopedMemDC dc(16, 16);
    dc.FillSolidRect(0, 0, 16, 16, kGround);
    alpha.icon.DrawMono(&dc, 0, 0, alpha.icon.GetNormalImage(), 16, 16, RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(dc, 8, 8), kGround) << "no silhouette of an alpha image";

    // An icon red with a clear top-left quarter: its silhouette in blue.
    CTkImageManagerIcon icon(0, 16, 16, nullptr);
    IconStateImage image;
    image.AttachIcon(MakeIcon(
        16, 16, [](int x, int y) { return x < 8 && y < 8 ? 0u : 0xFF0000u; },
        [](int x, int y) { return x < 8 && y < 8; }));
    icon.SetNormalImage(image);
    icon.DrawMono(&dc, 0, 0, icon.GetNormalImage(), 0, 0, RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(dc, 2, 2), kGround);
    EXPECT_EQ(PixelAt(dc, 12, 12), RGB(0, 0, 255));

    // An alpha image of one colour per row, drawn at y = -4 at its own height: rows 4.. land from 0.
    CTkImageManagerIcon rows(0, 16, 16, nullptr);
    IconStateImage striped;
    striped.AttachBitmap(MakeDib(16, 16, [](int, int y) { return 0xFF000000u | static_cast<DWORD>(y * 10) << 8; }));
    rows.SetNormalImage(striped);
    dc.FillSolidRect(0, 0, 16, 16, kGround);
    rows.DrawNormal(&dc, 0, -4);
    EXPECT_EQ(PixelAt(dc, 3, 0), RGB(0, 40, 0));
    EXPECT_EQ(PixelAt(dc, 3, 11), RGB(0, 150, 0));
    EXPECT_EQ(PixelAt(dc, 3, 12), kGround);

    // Mirrored through the process-wide manager's mode: the same columns, read backwards.
    const int nOldMode = GetImageManager()->m_nMirrorMode;
    GetImageManager()->m_nMirrorMode = 1;
    CTkImageManagerIcon halves(0, 4, 1, nullptr);
    IconStateImage twoColours;
    twoColours.AttachIcon(MakeIcon(
        4, 1, [](int x, int) { return x < 2 ? 0xFF0000u : 0x0000FFu; }, [](int, int) { return false; }));
    halves.SetNormalImage(twoColours);
    for (const BOOL bComposited : {FALSE, TRUE}) {
        SCOPED_TRACE(bComposited);
        halves.m_bDrawComposited = bComposited;
        CScopedMemDC strip(8, 1);
        strip.FillSolidRect(0, 0, 8, 1, kGround);
        halves.DrawNormal(&strip, 2, 0);
        const COLORREF expected[8] = {kGround,        kGround,        RGB(0, 0, 255), RGB(0, 0, 255),
                                      RGB(255, 0, 0), RGB(255, 0, 0), kGround,        kGround};
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(PixelAt(strip, x, 0), expected[x]) << "column " << x;
    }
    GetImageManager()->m_nMirrorMode = nOldMode;
}

TEST(IconStates, PicturesOfTheStateImages) {
    // A ring, red outside and blue inside, clear in the corners and the middle; as an icon and as an
    // alpha image with soft edges. Rows: icon, alpha; columns: normal, disabled, faded, shadow, blend.
    auto ring = [](int x, int y) {
        const double d = std::hypot(x - 7.5, y - 7.5);
        return d < 3 || d > 7.5 ? 0 : d < 5 ? 1 : 2;
    };
    CTkImageManager manager;
    IconStateImage iconImage;
    iconImage.AttachIcon(MakeIcon(
        16, 16,
        [&](int x, int y) {
            const int r = ring(x, y);
            return r == 0 ? 0u : r == 1 ? 0x2040E0u : 0xE02020u;
        },
        [&](int x, int y) { return ring(x, y) == 0; }));
    ASSERT_TRUE(manager.SetIcon(iconImage, 1, 0, 0, ImageStateNormal));
    IconStateImage alphaImage;
    alphaImage.AttachBitmap(MakeDib(16, 16, [&](int x, int y) {
        const int r = ring(x, y);
        const DWORD a = r == 0 ? 0 : (x + y) % 3 == 0 ? 160 : 255;
        const DWORD colour = r == 1 ? 0x2040E0u : 0xE02020u;
        return r == 0 ? 0u : a << 24 | colour;  // not premultiplied: the manager premultiplies
    }));
    ASSERT_TRUE(manager.SetIcon(alphaImage, 2, 0, 0, ImageStateNormal));

    CScopedMemDC dc(5 * 40, 2 * 40);
    dc.FillSolidRect(0, 0, dc.GetWidth(), dc.GetHeight(), RGB(236, 233, 216));
    for (int row = 0; row < 2; ++row) {
        CTkImageManagerIcon* pIcon = manager.GetIcon(row + 1, 16);
        ASSERT_NE(pIcon, nullptr);
        IconStateImage* images[4] = {pIcon->GetNormalImage(), pIcon->GetDisabledImage(TRUE), pIcon->GetFadedImage(),
                                     pIcon->GetShadowImage()};
        for (int column = 0; column < 4; ++column) {
            EXPECT_FALSE(images[column]->IsEmpty()) << row << "," << column;
            pIcon->Draw(&dc, 4 + column * 40, 4 + row * 40, images[column], 32, 32);
        }
        pIcon->ClearGeneratedImages();
        pIcon->CreateDisabledImage(RGB(255, 255, 224), RGB(0, 0, 128));
        pIcon->Draw(&dc, 4 + 4 * 40, 4 + row * 40, pIcon->GetDisabledImage(FALSE), 32, 32);
    }
    EXPECT_TRUE(WritePng(dc, L"icon_state_images.png"));
}

}  // namespace
