// The shared strips of one image size: slots grow, are reused and released; images go in as drawn icons
// or premultiplied pixels, come back out, and draw (mirrored, composited) onto 32-bpp memory DCs.

#include "IconStateImage.h"
#include "ImageTestSupport.h"
#include "TkImageManager.h"
#include "TkImageManagerResource.h"

namespace {

const COLORREF kGround = RGB(40, 80, 120);

// A 16 x 16 alpha image of one premultiplied pixel value, owned.
void AttachAlphaImage(IconStateImage& image, DWORD pixel, int nSize = 16) {
    image.AttachBitmap(MakeDib(nSize, nSize, [pixel](int, int) { return pixel; }));
}

// A 16 x 16 icon: red with a clear 4 x 4 hole at the top-left, its colour bytes carrying alpha 0 or 255.
HICON RedIconWithHole(BYTE alpha) {
    return MakeIcon(
        16, 16, [alpha](int x, int y) { return x < 4 && y < 4 ? 0u : static_cast<DWORD>(alpha) << 24 | 0xFF0000; },
        [](int x, int y) { return x < 4 && y < 4; });
}

TEST(ImageStrip, SlotsGrowOneImageAtATimeAreReusedAndReleased) {
    CTkImageManager manager;
    CTkImageManagerResource* pStrip = manager.GetResource(16, 16);
    EXPECT_EQ(manager.GetResource(16, 16), pStrip);
    IconStateImage images[3];
    TK_IMAGERESOURCE_INFO* slots[3] = {};
    for (int i = 0; i < 3; ++i) {
        AttachAlphaImage(images[i], 0xFF000010u * (i + 1) | 0xFF000000);
        slots[i] = pStrip->AddImage(images[i]);
        ASSERT_NE(slots[i], nullptr);
        EXPECT_EQ(slots[i]->rc.left, 16 * i);
        EXPECT_TRUE(slots[i]->bAlpha);
    }
    EXPECT_EQ(pStrip->GetTotalWidth(), 48);
    EXPECT_EQ(BitmapSize(pStrip->GetColorBitmap()), CSize(48, 16));
    EXPECT_EQ(TopDownPixels(pStrip->GetColorBitmap()).at(0), 0xFF000010u) << "widening kept the first image";

    pStrip->FreeSlot(slots[1]);
    TK_IMAGERESOURCE_INFO* pReused = pStrip->AddImage(images[1]);
    ASSERT_NE(pReused, nullptr);
    EXPECT_EQ(pReused->rc.left, 16);
    EXPECT_EQ(pStrip->GetTotalWidth(), 48) << "no widening";

    IconStateImage large;
    AttachAlphaImage(large, 0xFF000000, 24);
    EXPECT_EQ(pStrip->AddImage(large), nullptr) << "24 x 24 does not fit a 16 x 16 strip";
    EXPECT_EQ(pStrip->AddImage(IconStateImage()), nullptr);

    for (TK_IMAGERESOURCE_INFO* pSlot : {slots[0], pReused, slots[2]})
        pStrip->FreeSlot(pSlot);
    EXPECT_EQ(pStrip->GetColorBitmap(), nullptr);
    EXPECT_EQ(pStrip->GetMaskBitmap(), nullptr);
    TK_IMAGERESOURCE_INFO* pFirst = pStrip->AddImage(images[0]);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->rc.left, 0);
    EXPECT_EQ(pStrip->GetTotalWidth(), 16);
}

TEST(ImageStrip, IconsAreDrawnIntoColourAndMaskBeforeCommonControls6) {
    CTkImageManager manager;
    CTkImageManagerResource* pStrip = manager.GetResource(16, 16);
    IconStateImage icons[3];
    TK_IMAGERESOURCE_INFO* slots[3] = {};
    for (int i = 0; i < 3; ++i) {
        icons[i].AttachIcon(RedIconWithHole(255));
        // The running library (5.81 under Wine, with or without the manifest).
        slots[i] = pStrip->AddImage(icons[i]);
        ASSERT_NE(slots[i], nullptr);
        EXPECT_FALSE(slots[i]->bAlpha) << "drawn, although the icon carries alpha";
    }
    // The first slot's mask survived two widenings: its hole shows the ground.
    CScopedMemDC dc(16, 16);
    dc.FillSolidRect(0, 0, 16, 16, kGround);
    pStrip->DrawImage(&dc, slots[0], 0, 0, 16, 16, FALSE);
    EXPECT_EQ(PixelAt(dc, 1, 1), kGround);
    EXPECT_EQ(PixelAt(dc, 8, 8), RGB(255, 0, 0));
    WritePng(dc, L"strip_icon_plain.png");

    // Composited through an alpha buffer: the same picture.
    dc.FillSolidRect(0, 0, 16, 16, kGround);
    pStrip->DrawImage(&dc, slots[0], 0, 0, 16, 16, TRUE);
    EXPECT_EQ(PixelAt(dc, 1, 1), kGround);
    EXPECT_TRUE(ColorsNear(RGB(255, 0, 0), PixelAt(dc, 8, 8), 2));
}

TEST(ImageStrip, WithCommonControls6AnIconWithAlphaIsStoredPremultiplied) {
    CTkImageManager manager;
    CTkImageManagerResource* pStrip = manager.GetResource(16, 16);
    IconStateImage alphaIcon;
    alphaIcon.AttachIcon(MakeIcon(
        16, 16, [](int, int) { return 0x80FF0000u; }, [](int, int) { return false; }));
    TK_IMAGERESOURCE_INFO* pSlot = pStrip->AddImage(alphaIcon, TRUE);
    ASSERT_NE(pSlot, nullptr);
    EXPECT_TRUE(pSlot->bAlpha);
    EXPECT_EQ(TopDownPixels(pStrip->GetColorBitmap()).at(0), 0x80800000u) << "red 255 at alpha 128";

    // Colour bytes of alpha 0 everywhere: no alpha channel, so the icon is drawn.
    IconStateImage plainIcon;
    plainIcon.AttachIcon(RedIconWithHole(0));
    pSlot = pStrip->AddImage(plainIcon, TRUE);
    ASSERT_NE(pSlot, nullptr);
    EXPECT_FALSE(pSlot->bAlpha);
}

TEST(ImageStrip, ExtractedImagesOwnTheSlotsPixels) {
    CTkImageManager manager;
    CTkImageManagerResource* pStrip = manager.GetResource(16, 16);
    IconStateImage source;
    source.AttachBitmap(MakeDib(16, 16, [](int x, int) { return x < 8 ? 0xFF204060u : 0x40101010u; }));
    TK_IMAGERESOURCE_INFO* pAlphaSlot = pStrip->AddImage(source);
    IconStateImage extracted;
    pStrip->ExtractImage(extracted, pAlphaSlot);
    EXPECT_TRUE(extracted.m_bOwnsHandles);
    EXPECT_NE(extracted.m_pPremultipliedBits, nullptr);
    const std::vector<DWORD> pixels = TopDownPixels(extracted.m_hBitmap);
    EXPECT_EQ(pixels.at(0), 0xFF204060u);
    EXPECT_EQ(pixels.at(8), 0x40040404u) << "premultiplied on the way into the strip";

    IconStateImage icon;
    icon.AttachIcon(RedIconWithHole(0));
    TK_IMAGERESOURCE_INFO* pIconSlot = pStrip->AddImage(icon);
    pStrip->ExtractImage(extracted, pIconSlot);
    ASSERT_NE(extracted.m_hIcon, nullptr);
    EXPECT_EQ(extracted.GetSize(), CSize(16, 16));
    CScopedMemDC dc(16, 16);
    dc.FillSolidRect(0, 0, 16, 16, kGround);
    ::DrawIconEx(dc, 0, 0, extracted.m_hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(PixelAt(dc, 1, 1), kGround) << "the mask came along";
    EXPECT_EQ(PixelAt(dc, 8, 8), RGB(255, 0, 0));
}

TEST(ImageStrip, MirroredDrawingCoversTheTargetColumns) {
    CTkImageManager manager;
    CTkImageManagerResource* pStrip = manager.GetResource(4, 1);
    // Columns red, green, blue, and a clear one (black under its mask, as icons keep clear pixels).
    const COLORREF colours[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(0, 0, 0)};
    IconStateImage icon;
    icon.AttachIcon(MakeIcon(
        4, 1,
        [&](int x, int) {
            const COLORREF c = colours[x];
            return static_cast<DWORD>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
        },
        [](int x, int) { return x == 3; }));
    TK_IMAGERESOURCE_INFO* pSlot = pStrip->AddImage(icon);
    ASSERT_NE(pSlot, nullptr);
    for (const int nMode : {0, 1}) {
        SCOPED_TRACE(nMode);
        manager.m_nMirrorMode = nMode;
        CScopedMemDC dc(8, 1);
        dc.FillSolidRect(0, 0, 8, 1, kGround);
        pStrip->DrawImage(&dc, pSlot, 2, 0, 4, 1, FALSE);
        const COLORREF expected[8] = {kGround,
                                      kGround,
                                      nMode ? kGround : colours[0],
                                      nMode ? colours[2] : colours[1],
                                      nMode ? colours[1] : colours[2],
                                      nMode ? colours[0] : kGround,
                                      kGround,
                                      kGround};
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(PixelAt(dc, x, 0), expected[x]) << "column " << x;
    }
    // On a right-to-left DC the layout mirrors the target, and the manager mirrors the image back: it
    // reads left to right over device columns 2..5 (logical 5..2).
    manager.m_nMirrorMode = 2;
    CScopedMemDC dc(8, 1);
    dc.FillSolidRect(0, 0, 8, 1, kGround);
    ::SetLayout(dc, LAYOUT_RTL);
    pStrip->DrawImage(&dc, pSlot, 2, 0, 4, 1, FALSE);
    const COLORREF expected[8] = {kGround, kGround, colours[0], colours[1], colours[2], kGround, kGround, kGround};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(PixelAt(dc, x, 0), expected[x]) << "device column " << x;
}

}  // namespace
