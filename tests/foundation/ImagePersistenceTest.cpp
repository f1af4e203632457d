// Saving and loading icons: a manager's round trip byte for byte, streams of older icon schemas, damaged
// bitmaps that load empty or clipped while the rest of the stream loads, and the stream errors that
// stop a load.

#include "ImageTestSupport.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"
#include "TkPropExchange.h"

#include <algorithm>
#include <functional>

namespace {

constexpr int kMarker = 0x12345678;

std::vector<BYTE> Store(const std::function<void(CArchive&)>& write) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void Load(std::vector<BYTE> bytes, const std::function<void(CArchive&)>& read) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

// The first pixel (0xAARRGGBB) of an image's own copy (out of any strip): premultiplied for alpha images.
DWORD FirstPixel(const IconStateImage& image) {
    IconStateImage copy;
    copy.CopyFrom(image);
    return copy.m_hBitmap != nullptr ? TopDownPixels(copy.m_hBitmap).at(0) : 0xDEADBEEF;
}

COLORREF ShownColour(CTkImageManagerIcon* pIcon, IconStateImage* pImage) {
    CScopedMemDC dc(32, 32);
    dc.FillSolidRect(0, 0, 32, 32, RGB(255, 255, 255));
    pIcon->Draw(&dc, 0, 0, pImage);
    return PixelAt(dc, 10, 10);
}

BOOL StoreAlpha(CTkImageManager& manager, UINT nId, DWORD pixel, ImageState state = ImageStateNormal) {
    IconStateImage image;
    image.AttachBitmap(MakeDib(16, 16, [pixel](int, int) { return pixel; }));
    return manager.SetIcon(image, nId, 0, 0, state);
}

BOOL StoreIcon(CTkImageManager& manager, UINT nId, int nSize, COLORREF clr, ImageState state = ImageStateNormal) {
    IconStateImage image;
    const DWORD bgr = static_cast<DWORD>(GetRValue(clr)) << 16 | GetGValue(clr) << 8 | GetBValue(clr);
    // Clear in a 4 x 4 corner, black under the mask as icons keep clear pixels.
    auto clear = [](int x, int y) { return x < 4 && y < 4; };
    image.AttachIcon(MakeIcon(
        nSize, nSize, [&](int x, int y) { return clear(x, y) ? 0u : bgr; }, clear));
    return manager.SetIcon(image, nId, 0, 0, state);
}

// A manager with alpha and icon sets, several widths, state images and one empty hot image.
void Fill(CTkImageManager& manager) {
    ASSERT_TRUE(StoreAlpha(manager, 1, 0x80FF0000));
    ASSERT_TRUE(StoreAlpha(manager, 1, 0xFF00FF00, ImageStateHot));
    ASSERT_TRUE(StoreIcon(manager, 2, 16, RGB(255, 0, 0)));
    ASSERT_TRUE(StoreIcon(manager, 2, 24, RGB(0, 0, 255)));
    ASSERT_TRUE(StoreIcon(manager, 2, 16, RGB(0, 128, 0), ImageStateDisabled));
    ASSERT_TRUE(StoreIcon(manager, 2, 16, RGB(128, 0, 128), ImageStateChecked));
    ASSERT_TRUE(StoreIcon(manager, 2, 16, RGB(0, 128, 128), ImageStatePressed));
    ASSERT_TRUE(StoreAlpha(manager, 0x20000, 0xFF123456));
}

TEST(ImagePersistence, AManagerRoundTripsByteForByte) {
    CTkImageManager saved;
    Fill(saved);
    const std::vector<BYTE> bytes = Store([&](CArchive& ar) { saved.Serialize(ar); });
    EXPECT_EQ(saved.m_nHighestId, 0x20000u) << "raised by saving";

    CTkImageManager loaded;
    ASSERT_TRUE(StoreAlpha(loaded, 99, 0xFF000000));
    Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_FALSE(loaded.HasIcon(99, 0)) << "a load empties the manager first";
    EXPECT_EQ(loaded.m_nHighestId, 0x20000u) << "raised by loading";
    for (const auto& [nId, nWidth] : {std::pair<UINT, UINT>{1, 16}, {2, 16}, {2, 24}, {0x20000, 16}})
        EXPECT_TRUE(loaded.HasIcon(nId, nWidth)) << nId << " " << nWidth;

    CTkImageManagerIcon* pAlpha = loaded.GetIcon(1, 16);
    EXPECT_EQ(FirstPixel(*pAlpha->GetNormalImage()), 0x80800000u) << "premultiplied once, not twice";
    EXPECT_EQ(FirstPixel(*pAlpha->GetHotImage()), 0xFF00FF00u);
    CTkImageManagerIcon* pIcon = loaded.GetIcon(2, 16);
    EXPECT_FALSE(pIcon->IsAlphaIcon());
    EXPECT_EQ(pIcon->GetHotImage(), pIcon->GetNormalImage()) << "the empty hot image came back empty";
    EXPECT_EQ(ShownColour(pIcon, pIcon->GetNormalImage()), RGB(255, 0, 0));
    EXPECT_EQ(ShownColour(pIcon, pIcon->GetDisabledImage(FALSE)), RGB(0, 128, 0));
    EXPECT_EQ(ShownColour(pIcon, pIcon->GetCheckedImage()), RGB(128, 0, 128));
    EXPECT_EQ(ShownColour(pIcon, pIcon->GetPressedImage()), RGB(0, 128, 128));
    EXPECT_EQ(ShownColour(loaded.GetIcon(2, 24), loaded.GetIcon(2, 24)->GetNormalImage()), RGB(0, 0, 255));

    // A load enters the sets in stored order, so ids sharing a bucket come back in reverse order; a
    // second round restores the first stream byte for byte.
    CTkImageManager again;
    Load(Store([&](CArchive& ar) { loaded.Serialize(ar); }), [&](CArchive& ar) { again.Serialize(ar); });
    EXPECT_EQ(Store([&](CArchive& ar) { again.Serialize(ar); }), bytes);
}

TEST(ImagePersistence, AnEmptyImageIsTwoZeroCounts) {
    IconStateImage empty;
    EXPECT_EQ(Store([&](CArchive& ar) { CTkImageManagerIcon::SerializeImage(empty, ar, 33); }),
              (std::vector<BYTE>{0, 0, 0, 0}));
}

TEST(ImagePersistence, OlderIconSchemasHoldFewerImages) {
    // Raw alpha pixels 0x80FF0000: premultiplied on first use below schema 25, taken as they are above.
    auto rawAlpha = [](CArchive& ar, DWORD pixel) {
        HBITMAP hBitmap = MakeDib(16, 16, [pixel](int, int) { return pixel; });
        WriteDib(ar, hBitmap);
        ar.WriteCount(0);
        ::DeleteObject(hBitmap);
    };
    struct Row {
        int nSchema;
        int nImages;
        DWORD normalAfterLoad;
    };
    for (const Row& row : {Row{7, 3, 0x80800000}, Row{16, 4, 0x80800000}, Row{33, 5, 0x80FF0000}}) {
        SCOPED_TRACE(row.nSchema);
        const std::vector<BYTE> bytes = Store([&](CArchive& ar) {
            ar << 16 << row.nSchema;
            const DWORD pixels[5] = {0x80FF0000, 0, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
            for (int i = 0; i < row.nImages; ++i) {
                if (i == 1) {
                    ar.WriteCount(0);  // no own disabled image
                    ar.WriteCount(0);
                } else {
                    rawAlpha(ar, pixels[i]);
                }
            }
            ar << kMarker;
        });
        CTkImageManagerIcon icon(0, 16, 16, nullptr);
        int nMarker = 0;
        Load(bytes, [&](CArchive& ar) {
            icon.Serialize(ar);
            ar >> nMarker;
        });
        EXPECT_EQ(nMarker, kMarker) << "read exactly its images";
        ASSERT_NE(icon.GetNormalImage()->GetPremultipliedBits(), nullptr);
        EXPECT_EQ(FirstPixel(*icon.GetNormalImage()), row.normalAfterLoad);
        EXPECT_FALSE(icon.HasDisabledImage());
        EXPECT_EQ(FirstPixel(*icon.GetHotImage()), 0xFF00FF00u);
        EXPECT_EQ(FirstPixel(*icon.GetCheckedImage()), row.nImages > 3 ? 0xFF0000FFu : 0xFF00FF00u);
        EXPECT_EQ(FirstPixel(*icon.GetPressedImage()), row.nImages > 4 ? 0xFFFFFFFFu : 0xFF00FF00u);
    }
}

TEST(ImagePersistence, DamagedBitmapsLoadEmptyOrClippedAndTheStreamStaysAligned) {
    // A 2 x 2 32-bpp header with the image size given.
    auto header = [](DWORD nImageSize, LONG nWidth = 2) {
        BITMAPINFOHEADER info = {sizeof(BITMAPINFOHEADER), nWidth, 2, 1, 32, BI_RGB, nImageSize, 0, 0, 0, 0};
        std::vector<BYTE> bytes(reinterpret_cast<BYTE*>(&info), reinterpret_cast<BYTE*>(&info) + sizeof(info));
        bytes.resize(52);
        return bytes;
    };
    std::vector<BYTE> longHeader = header(16);
    longHeader.resize(40 + 1025);
    struct Row {
        const char* name;
        std::vector<BYTE> header;
        UINT nPixelBytes;
        bool bLoads;
    };
    const Row rows[] = {
        {"a 12-byte header", std::vector<BYTE>(12, 0x28), 16, false},
        {"a header beyond 40 + 1024 bytes", longHeader, 16, false},
        {"a width of 0", header(0, 0), 16, false},
        {"an image size of 10^9", header(1000000000), 16, true},
        {"more pixel bytes than the image has", header(16), 40, true},
        {"fewer pixel bytes than the image has", header(16), 8, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<BYTE>& stored = row.header;
        const std::vector<BYTE> bytes = Store([&](CArchive& ar) {
            ar.WriteCount(static_cast<DWORD>(stored.size()));
            ar.Write(stored.data(), static_cast<UINT>(stored.size()));
            ar.WriteCount(row.nPixelBytes);
            const std::vector<DWORD> pixels((row.nPixelBytes + 3) / 4, 0xFF112233);
            ar.Write(pixels.data(), row.nPixelBytes);
            ar.WriteCount(0);  // no mask: an alpha image
            IconStateImage good;
            good.AttachBitmap(MakeDib(4, 4, [](int, int) { return 0xFF445566u; }));
            CTkImageManagerIcon::SerializeImage(good, ar, 33);
            ar << kMarker;
        });
        IconStateImage first;
        IconStateImage second;
        int nMarker = 0;
        Load(bytes, [&](CArchive& ar) {
            CTkImageManagerIcon::SerializeImage(first, ar, 33);
            CTkImageManagerIcon::SerializeImage(second, ar, 33);
            ar >> nMarker;
        });
        EXPECT_EQ(!first.IsEmpty(), row.bLoads);
        if (row.bLoads) {
            EXPECT_EQ(first.GetSize(), CSize(2, 2));
            EXPECT_EQ(FirstPixel(first), row.nPixelBytes >= 16 ? 0xFF112233u : 0u);
        }
        EXPECT_EQ(FirstPixel(second), 0xFF445566u) << "the next image loads";
        EXPECT_EQ(nMarker, kMarker);
    }
}

TEST(ImagePersistence, StreamErrorsStopTheLoad) {
    CTkImageManager saved;
    Fill(saved);
    std::vector<BYTE> bytes = Store([&](CArchive& ar) { saved.Serialize(ar); });

    // A pixel count beyond the archive's end.
    const std::vector<BYTE> lying = Store([](CArchive& ar) {
        ar.WriteCount(52);
        const std::vector<BYTE> header(52, 0);
        ar.Write(header.data(), 52);
        ar.WriteCount(0x7FFFFFF0);
    });
    IconStateImage image;
    EXPECT_THROW(Load(lying, [&](CArchive& ar) { CTkImageManagerIcon::SerializeImage(image, ar, 33); }),
                 CArchiveException*);

    // A manager stream cut in half.
    std::vector<BYTE> cut(bytes.begin(), bytes.begin() + bytes.size() / 2);
    CTkImageManager loaded;
    try {
        Load(cut, [&](CArchive& ar) { loaded.Serialize(ar); });
        ADD_FAILURE() << "a cut stream loads";
    } catch (CArchiveException* e) {
        e->Delete();
    }

    // The check text is compared case-sensitively.
    const std::wstring check = L"CTkImageManagerIcons";
    const BYTE* pCheck = reinterpret_cast<const BYTE*>(check.data());
    auto it = std::search(bytes.begin(), bytes.end(), pCheck, pCheck + check.size() * sizeof(wchar_t));
    ASSERT_NE(it, bytes.end());
    *it = 'c';
    int nCause = 0;
    try {
        Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    } catch (CArchiveException* e) {
        nCause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(nCause, CArchiveException::badClass);
}

TEST(ImagePersistence, OneSetLoadsIntoAnExistingSet) {
    CTkImageManager saved;
    Fill(saved);
    auto exchange = [](CTkImageManager& manager, UINT nId) {
        return [&manager, nId](CArchive& ar) {
            CTkPropExchangeArchive px(ar);
            manager.ExchangeIconSet(nId, &px);
        };
    };
    const std::vector<BYTE> bytes = Store(exchange(saved, 2));
    // Without a set: the check text (a 4-byte string head and 20 characters) and an icon count of 0.
    const std::vector<BYTE> none = Store(exchange(saved, 77));
    EXPECT_EQ(none.size(), 4u + 40u + 4u);
    EXPECT_EQ(std::vector<BYTE>(none.end() - 4, none.end()), (std::vector<BYTE>{0, 0, 0, 0}));

    CTkImageManager loaded;
    ASSERT_TRUE(StoreIcon(loaded, 2, 32, RGB(1, 2, 3)));
    ASSERT_TRUE(StoreIcon(loaded, 5, 16, RGB(1, 2, 3)));
    Load(bytes, exchange(loaded, 2));
    EXPECT_FALSE(loaded.HasIcon(2, 32)) << "the set was emptied first";
    EXPECT_TRUE(loaded.HasIcon(2, 16));
    EXPECT_TRUE(loaded.HasIcon(2, 24));
    EXPECT_TRUE(loaded.HasIcon(5, 16)) << "other sets stay";
}

}  // namespace
