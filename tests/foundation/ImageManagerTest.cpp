// The image manager's store: lookup by width (ties decided by the map's order), icons from image lists,
// bitmap strips and icon resources, state images and their choice, refresh and removal.

#include "ImageTestSupport.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"
#include "TkImageManagerResource.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// An opaque alpha image of one colour.
void AttachSolid(IconStateImage& image, int cx, int cy, COLORREF clr) {
    const DWORD pixel = 0xFF000000 | GetRValue(clr) << 16 | GetGValue(clr) << 8 | GetBValue(clr);
    image.AttachBitmap(MakeDib(cx, cy, [pixel](int, int) { return pixel; }));
}

BOOL StoreSolid(CTkImageManager& manager, UINT nId, int nWidth, COLORREF clr, ImageState state = ImageStateNormal) {
    IconStateImage image;
    AttachSolid(image, nWidth, nWidth, clr);
    return manager.SetIcon(image, nId, 0, 0, state);
}

// The colour the image shows at (x, y) when drawn at its icon's size over white.
COLORREF ShownColour(CTkImageManagerIcon* pIcon, IconStateImage* pImage, int x = 8, int y = 8) {
    CScopedMemDC dc(64, 64);
    dc.FillSolidRect(0, 0, 64, 64, kWhite);
    pIcon->Draw(&dc, 0, 0, pImage);
    return PixelAt(dc, x, y);
}

// A 16 x 16 image list of opaque squares, one colour per image.
void FillImageList(CImageList& images, const std::vector<COLORREF>& colours) {
    images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 1);
    for (const COLORREF clr : colours) {
        HICON hIcon = MakeIcon(
            16, 16,
            [clr](int, int) { return static_cast<DWORD>(GetRValue(clr)) << 16 | GetGValue(clr) << 8 | GetBValue(clr); },
            [](int, int) { return false; });
        images.Add(hIcon);
        ::DestroyIcon(hIcon);
    }
}

TEST(ImageManager, NearestWidthTiesGoToTheWidthInsertedLast) {
    for (const bool b16First : {true, false}) {
        SCOPED_TRACE(b16First);
        CTkImageManager manager;
        const int widths[2] = {b16First ? 16 : 24, b16First ? 24 : 16};
        for (const int nWidth : widths)
            ASSERT_TRUE(StoreSolid(manager, 7, nWidth, RGB(nWidth, 0, 0)));
        // 16 and 24 share a bucket, the later one first: both are 4 from 20.
        ASSERT_NE(manager.GetIcon(7, 20), nullptr);
        EXPECT_EQ(manager.GetIcon(7, 20)->m_nWidth, widths[1]);
        EXPECT_EQ(manager.GetIcon(7, 16)->m_nWidth, 16);
        EXPECT_EQ(manager.GetIcon(7, 1)->m_nWidth, 24) << "1: the widest";
        EXPECT_EQ(manager.GetIcon(7, 0)->m_nWidth, 16) << "0: the narrowest";
        EXPECT_EQ(manager.GetIcon(7, 100)->m_nWidth, 24);
        EXPECT_TRUE(manager.HasIcon(7, 0));
        EXPECT_TRUE(manager.HasIcon(7, 1));
        EXPECT_FALSE(manager.HasIcon(7, 20)) << "no nearest for HasIcon";
        EXPECT_EQ(manager.GetIcon(8, 16), nullptr);
        EXPECT_FALSE(manager.HasIcon(8, 0));
    }
}

TEST(ImageManager, AZeroIdIsASeparatorOnlyWhenTheListIsShort) {
    const UINT ids[5] = {10, 0, 11, 12, 13};
    const std::vector<COLORREF> colours = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0),
                                           RGB(0, 255, 255)};
    {
        CTkImageManager manager;
        CImageList images;
        FillImageList(images, colours);
        ASSERT_TRUE(manager.SetIconsFromImageList(&images, ids, 5, 0, 0, ImageStateNormal));
        for (int j = 0; j < 5; ++j) {
            CTkImageManagerIcon* pIcon = manager.GetIcon(ids[j], 16);
            ASSERT_NE(pIcon, nullptr) << ids[j];
            EXPECT_EQ(ShownColour(pIcon, pIcon->GetNormalImage()), colours[j]) << "id " << ids[j];
        }
    }
    CTkImageManager manager;
    CImageList images;
    FillImageList(images, {colours.begin(), colours.begin() + 4});
    ASSERT_TRUE(manager.SetIconsFromImageList(&images, ids, 5, 16, 16, ImageStateNormal));
    EXPECT_FALSE(manager.HasIcon(0, 0));
    const UINT stored[4] = {10, 11, 12, 13};
    for (int i = 0; i < 4; ++i) {
        CTkImageManagerIcon* pIcon = manager.GetIcon(stored[i], 16);
        ASSERT_NE(pIcon, nullptr);
        EXPECT_EQ(ShownColour(pIcon, pIcon->GetNormalImage()), colours[i]) << "id " << stored[i];
    }
    EXPECT_FALSE(manager.SetIconsFromImageList(nullptr, ids, 5, 16, 16, ImageStateNormal));
}

TEST(ImageManager, StatesNeedASetAndANewNormalImageDropsTheOthers) {
    CTkImageManager manager;
    EXPECT_FALSE(StoreSolid(manager, 3, 16, RGB(1, 2, 3), ImageStateChecked)) << "no set for id 3 yet";
    EXPECT_FALSE(manager.HasIcon(3, 0));
    EXPECT_FALSE(manager.SetIcon(IconStateImage(), 3, 16, 16, ImageStateNormal)) << "empty image";

    ASSERT_TRUE(StoreSolid(manager, 3, 16, RGB(255, 0, 0)));
    ASSERT_TRUE(StoreSolid(manager, 3, 24, RGB(0, 0, 255)));
    for (const ImageState state : {ImageStateHot, ImageStateChecked, ImageStatePressed, ImageStateDisabled})
        ASSERT_TRUE(StoreSolid(manager, 3, 16, RGB(0, 50 * state, 0), state));
    CTkImageManagerIcon* pIcon = manager.GetIcon(3, 16);
    CTkImageManagerIcon* pOther = manager.GetIcon(3, 24);
    EXPECT_EQ(ShownColour(pIcon, pIcon->GetHotImage()), RGB(0, 100, 0));
    EXPECT_EQ(ShownColour(pIcon, pIcon->GetCheckedImage()), RGB(0, 150, 0));
    EXPECT_EQ(ShownColour(pIcon, pIcon->GetPressedImage()), RGB(0, 200, 0));
    EXPECT_EQ(ShownColour(pIcon, pIcon->GetStateImage(ImageStateDisabled)), RGB(0, 50, 0));
    EXPECT_TRUE(pIcon->GetNormalImage()->m_pSlot != nullptr) << "packed into the manager's strip";
    EXPECT_TRUE(pOther->GetDisabledImage(TRUE)->IsEmpty() == FALSE);
    EXPECT_TRUE(pOther->HasDisabledImage()) << "a generated one";

    ASSERT_TRUE(StoreSolid(manager, 3, 16, RGB(255, 255, 0)));
    EXPECT_EQ(pIcon->GetHotImage(), pIcon->GetNormalImage());
    EXPECT_EQ(pIcon->GetCheckedImage(), pIcon->GetNormalImage());
    EXPECT_EQ(pIcon->GetPressedImage(), pIcon->GetNormalImage());
    EXPECT_FALSE(pIcon->HasDisabledImage());
    EXPECT_FALSE(pOther->HasDisabledImage()) << "the set's other icons lost their derived images";
    EXPECT_EQ(ShownColour(pOther, pOther->GetNormalImage()), RGB(0, 0, 255)) << "but kept their own";
}

TEST(ImageManager, BitmapStrips) {
    CTkImageManager manager;
    // 100 pixels are not a whole number of 16-pixel images.
    CBitmap odd;
    odd.Attach(MakeDib(100, 16, [](int, int) { return 0xFF000000u; }));
    const UINT ids[3] = {1, 2, 3};
    EXPECT_FALSE(manager.SetIconsFromBitmap(&odd, ids, 3, 16, 16, ImageStateNormal, TRUE));
    EXPECT_FALSE(manager.HasIcon(1, 0));

    HINSTANCE hOld = AfxGetResourceHandle();
    AfxSetResourceHandle(ImageResources());
    EXPECT_TRUE(manager.SetIconsFromBitmapResource(L"STRIP32", ids, 3, 16, 16, ImageStateNormal));
    EXPECT_FALSE(manager.SetIconsFromBitmapResource(L"SHORT32", ids, 1, 16, 16, ImageStateNormal));
    const UINT grounded[3] = {21, 22, 23};
    EXPECT_TRUE(manager.SetIconsFromBitmapResource(L"STRIP24", grounded, 3, 16, 16, ImageStateNormal));
    AfxSetResourceHandle(hOld);

    CTkImageManagerIcon* pRed = manager.GetIcon(1, 16);
    ASSERT_NE(pRed, nullptr);
    EXPECT_TRUE(pRed->IsAlphaIcon());
    EXPECT_EQ(ShownColour(pRed, pRed->GetNormalImage(), 0, 0), kWhite) << "the clear frame";
    EXPECT_EQ(ShownColour(pRed, pRed->GetNormalImage()), RGB(255, 0, 0));
    CTkImageManagerIcon* pGreen = manager.GetIcon(2, 16);
    EXPECT_TRUE(ColorsNear(RGB(127, 255, 127), ShownColour(pGreen, pGreen->GetNormalImage()), 2)) << "alpha 128";

    // The 24-bpp strip: its magenta corner colour is the mask (the manager's colour is -1).
    CTkImageManagerIcon* pSquare = manager.GetIcon(22, 16);
    ASSERT_NE(pSquare, nullptr);
    EXPECT_FALSE(pSquare->IsAlphaIcon());
    EXPECT_EQ(ShownColour(pSquare, pSquare->GetNormalImage(), 1, 1), kWhite);
    EXPECT_EQ(ShownColour(pSquare, pSquare->GetNormalImage()), RGB(0, 255, 0));
    EXPECT_EQ(manager.SetMaskColor(RGB(1, 2, 3)), static_cast<COLORREF>(-1));
    EXPECT_EQ(manager.SetMaskColor(static_cast<COLORREF>(-1)), RGB(1, 2, 3));
}

TEST(ImageManager, IconResources) {
    CTkImageManager manager;
    HINSTANCE hOld = AfxGetResourceHandle();
    AfxSetResourceHandle(ImageResources());
    // Both 16 x 16 entries are stored in directory order: the 32-bpp one, listed last, stays.
    EXPECT_TRUE(manager.SetIconFromResource(L"GROUP16", 40, 16, 16));
    EXPECT_TRUE(manager.SetIconFromResource(L"GROUP16", 41, 0, 0));
    EXPECT_TRUE(manager.SetIconFromResource(L"ICON32", 42, 16, 16)) << "a lone RT_ICON";
    EXPECT_FALSE(manager.SetIconFromResource(L"MISSING", 43, 16, 16));
    AfxSetResourceHandle(hOld);

    ASSERT_NE(manager.GetIcon(40, 16), nullptr);
    EXPECT_TRUE(manager.GetIcon(40, 16)->IsAlphaIcon());
    EXPECT_FALSE(manager.HasIcon(40, 32));
    EXPECT_TRUE(manager.HasIcon(41, 16));
    EXPECT_TRUE(manager.HasIcon(41, 32));
    EXPECT_TRUE(manager.HasIcon(42, 16));
}

TEST(ImageManager, RemovalClearsHeldIconsAndRefreshDropsDerivedImages) {
    CTkImageManager manager;
    ASSERT_TRUE(StoreSolid(manager, 5, 16, RGB(128, 128, 128)));
    CTkImageManagerIcon* pIcon = manager.GetIcon(5, 16);
    EXPECT_FALSE(pIcon->GetFadedImage()->IsEmpty());
    EXPECT_TRUE(pIcon->HasDisabledImage() == FALSE);
    pIcon->GetDisabledImage(TRUE);
    EXPECT_TRUE(pIcon->HasDisabledImage());
    manager.RefreshAll();
    EXPECT_FALSE(pIcon->HasDisabledImage());

    pIcon->InternalAddRef();
    CTkImageManagerResource* pStrip = manager.GetResource(16, 16);
    EXPECT_NE(pStrip->GetColorBitmap(), nullptr);
    manager.RemoveAll();
    EXPECT_FALSE(manager.HasIcon(5, 0));
    EXPECT_TRUE(pIcon->GetNormalImage()->IsEmpty()) << "the holder keeps an icon without images";
    pIcon->InternalRelease();

    CTkImageManager* pShared = GetImageManager();
    pShared->InternalAddRef();
    pShared->InternalRelease();
    EXPECT_EQ(pShared->m_dwRef, 1) << "its own reference stays";
}

TEST(ImageManager, UnpackedManagersAndUnpackableImagesKeepOwnCopies) {
    CTkImageManager manager;
    manager.m_bPackImages = FALSE;
    ASSERT_TRUE(StoreSolid(manager, 9, 16, RGB(10, 20, 30)));
    IconStateImage* pNormal = manager.GetIcon(9, 16)->GetNormalImage();
    EXPECT_EQ(pNormal->m_pSlot, nullptr);
    EXPECT_NE(pNormal->m_hBitmap, nullptr);
    EXPECT_TRUE(pNormal->m_bOwnsHandles);

    CTkImageManager packing;
    HICON hIcon = MakeIcon(
        16, 16, [](int, int) { return 0x00102030u; }, [](int, int) { return false; });
    IconStateImage unpackable;
    unpackable.WrapIcon(hIcon, FALSE);
    ASSERT_TRUE(packing.SetIcon(unpackable, 9, 0, 0, ImageStateNormal));
    CTkImageManagerIcon* pIcon = packing.GetIcon(9, 16);
    EXPECT_EQ(pIcon->GetNormalImage()->m_pSlot, nullptr);
    EXPECT_NE(pIcon->GetNormalImage()->m_hIcon, hIcon) << "an own copy";
    EXPECT_EQ(pIcon->GetFadedImage(), pIcon->GetNormalImage()) << "no faded image for an unpackable one";
    EXPECT_TRUE(pIcon->GetShadowImage()->IsEmpty());
    ::DestroyIcon(hIcon);
}

}  // namespace
