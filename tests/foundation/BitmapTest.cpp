// Bitmap helpers and the two blits. The system's TransparentBlt and AlphaBlend judge the own fallbacks
// on the same pixels.

#include "FoundationTestSupport.h"
#include "TkBitmapFunctions.h"
#include "TkDCWrappers.h"
#include "TkDrawHelpers.h"
#include "TkImageManager.h"

#include <vector>

namespace {

// A bottom-up 32-bpp DIB section of the given pixels (0xAARRGGBB in memory order) and its owner.
class TestDib {
public:
    TestDib(int nWidth, const std::vector<DWORD>& pixels) {
        m_hBitmap = CreateDibSection32(nullptr, nWidth, static_cast<int>(pixels.size()) / nWidth, &m_pBits);
        std::copy(pixels.begin(), pixels.end(), static_cast<DWORD*>(m_pBits));
    }
    ~TestDib() { ::DeleteObject(m_hBitmap); }
    operator HBITMAP() const { return m_hBitmap; }

private:
    HBITMAP m_hBitmap;
    void* m_pBits = nullptr;
};

std::vector<DWORD> PixelsOf(HBITMAP hBitmap) {
    BITMAPINFO* pHeader = nullptr;
    BYTE* pBits = nullptr;
    UINT nSize = 0;
    if (!ReadDib32Bits(nullptr, hBitmap, &pHeader, &pBits, &nSize))
        return {};
    std::vector<DWORD> pixels(reinterpret_cast<DWORD*>(pBits), reinterpret_cast<DWORD*>(pBits + nSize));
    std::free(pHeader);
    std::free(pBits);
    return pixels;
}

TEST(Dib, CreateKeepsTheHeightsSignAndReadRefusesOtherDepths) {
    void* pBits = nullptr;
    HBITMAP hTopDown = CreateDibSection32(nullptr, 3, -2, &pBits);
    ASSERT_NE(hTopDown, nullptr);
    EXPECT_NE(pBits, nullptr);
    static_cast<DWORD*>(pBits)[0] = 0x00FF0000;  // the first row in memory is the top one
    {
        CTkCompatibleDC dc(nullptr, hTopDown);
        EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
    }
    ::DeleteObject(hTopDown);

    HBITMAP hMono = ::CreateBitmap(8, 8, 1, 1, nullptr);
    BITMAPINFO* pHeader = reinterpret_cast<BITMAPINFO*>(1);
    BYTE* pRead = reinterpret_cast<BYTE*>(1);
    UINT nSize = 1;
    EXPECT_FALSE(ReadDib32Bits(nullptr, hMono, &pHeader, &pRead, &nSize));
    EXPECT_EQ(pHeader, nullptr);
    EXPECT_EQ(pRead, nullptr);
    EXPECT_EQ(CopyDib32(hMono), nullptr);
    ::DeleteObject(hMono);
}

TEST(Dib, PremultiplyClassifiesTheAlphaChannel) {
    struct Row {
        const char* name;
        std::vector<DWORD> pixels;  // memory order
        int nStartState;
        int nExpectedState;
        std::vector<DWORD> expected;
    };
    const Row rows[] = {
        {"opaque keeps its colours", {0xFF804020, 0xFF102030}, 0, 0, {0xFF804020, 0xFF102030}},
        {"alpha 128 premultiplies", {0x80FF8040, 0xFF102030}, 0, 1, {0x80804020, 0xFF102030}},
        {"all zero from -1 stays -1", {0x00FF8040, 0x00102030}, -1, -1, {0x00000000, 0x00000000}},
        {"all zero from 0 keeps the colours", {0x00FF8040, 0x00102030}, 0, 0, {0x00FF8040, 0x00102030}},
        {"opaque after transparent", {0x00FF8040, 0xFF102030}, 0, 1, {0x00000000, 0xFF102030}},
        {"opaque before transparent", {0xFF102030, 0x00FF8040}, 0, 0, {0xFF102030, 0x00FF8040}},
        {"opaque from -1", {0xFF102030}, -1, 1, {0xFF102030}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestDib source(1, row.pixels);
        int nState = row.nStartState;
        void* pBits = nullptr;
        HBITMAP hResult = PremultiplyDib32(source, &nState, &pBits);
        ASSERT_NE(hResult, nullptr);
        EXPECT_NE(pBits, nullptr);
        EXPECT_EQ(nState, row.nExpectedState);
        EXPECT_EQ(PixelsOf(hResult), row.expected);
        EXPECT_EQ(PixelsOf(source), row.pixels) << "the source is left alone";
        ::DeleteObject(hResult);
    }
}

TEST(Dib, MirrorAndSplit) {
    TestDib source(4, {1, 2, 3, 4, 5, 6, 7, 8});
    HBITMAP hMirrored = MirrorDib32(source);
    EXPECT_EQ(PixelsOf(hMirrored), (std::vector<DWORD>{4, 3, 2, 1, 8, 7, 6, 5}));
    ::DeleteObject(hMirrored);

    HBITMAP pieces[2] = {};
    ASSERT_TRUE(SplitDib32(source, 2, pieces));
    EXPECT_EQ(PixelsOf(pieces[0]), (std::vector<DWORD>{1, 2, 5, 6}));
    EXPECT_EQ(PixelsOf(pieces[1]), (std::vector<DWORD>{3, 4, 7, 8}));
    ::DeleteObject(pieces[0]);
    ::DeleteObject(pieces[1]);
    EXPECT_FALSE(SplitDib32(source, 0, pieces)) << "no division by zero";
    EXPECT_FALSE(SplitDib32(source, -1, pieces));
}

TEST(Icons, SizeAndScale) {
    HICON hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    const CSize size = GetIconSize(hIcon);
    EXPECT_GT(size.cx, 0);
    EXPECT_EQ(GetIconSize(nullptr), CSize(0, 0));
    HICON hCopy = ScaleIcon(hIcon, size.cx, size.cy, size.cx);
    ASSERT_NE(hCopy, nullptr);
    EXPECT_EQ(GetIconSize(hCopy), size) << "an unchanged width is a plain copy";
    HICON hSmall = ScaleIcon(hIcon, size.cx, size.cy, 16);
    ASSERT_NE(hSmall, nullptr);
    EXPECT_EQ(GetIconSize(hSmall), CSize(16, 16 * size.cy / size.cx));
    EXPECT_EQ(ScaleIcon(hIcon, 0, 0, 16), nullptr);
    EXPECT_EQ(ScaleIcon(hIcon, size.cx, size.cy, 0), nullptr);
    ::DestroyIcon(hCopy);
    ::DestroyIcon(hSmall);
}

// A 4 x 4 source with a key-coloured cross over coloured quarters.
void PaintKeySource(CScopedMemDC& src, COLORREF key) {
    src.FillSolidRect(0, 0, 2, 2, RGB(200, 0, 0));
    src.FillSolidRect(2, 0, 2, 2, RGB(0, 200, 0));
    src.FillSolidRect(0, 2, 2, 2, RGB(0, 0, 200));
    src.FillSolidRect(2, 2, 2, 2, RGB(90, 90, 90));
    src.SetPixel(1, 1, key);
    src.SetPixel(2, 2, key);
}

TEST(Blits, OwnMaskBlitMatchesTransparentBlt) {
    if (GetDrawHelpers()->m_pfnTransparentBlt == nullptr)
        GTEST_SKIP() << "msimg32 is not there in this run";
    for (const COLORREF key : {RGB(0, 0, 0), RGB(255, 0, 255), RGB(90, 90, 90)}) {
        for (const int nScale : {1, 2}) {
            SCOPED_TRACE(testing::Message() << std::hex << "key " << key << " scale " << nScale);
            CScopedMemDC src(4, 4);
            PaintKeySource(src, key);
            CScopedMemDC own(8, 8);
            CScopedMemDC system(8, 8);
            for (CScopedMemDC* pDest : {&own, &system})
                pDest->FillSolidRect(0, 0, 8, 8, RGB(10, 20, 30));
            const CRect srcRect(0, 0, 4, 4);
            const CRect destRect(0, 0, 4 * nScale, 4 * nScale);
            CTkImageManager::DrawTransparentWithMask(own, &destRect, src, &srcRect, key);
            GetDrawHelpers()->m_pfnTransparentBlt(system, 0, 0, 4 * nScale, 4 * nScale, src, 0, 0, 4, 4, key);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    ASSERT_EQ(PixelAt(own, x, y), PixelAt(system, x, y)) << x << "," << y;
            EXPECT_EQ(PixelAt(own, nScale, nScale), RGB(10, 20, 30)) << "a key pixel shows the destination";
        }
    }
}

TEST(Blits, TransparentBlitWithoutADCDrawsNothing) {
    CScopedMemDC dest(2, 2);
    const CRect rc(0, 0, 2, 2);
    CTkImageManager::DrawTransparentWithMask(dest, &rc, nullptr, &rc, 0);
    CTkImageManager::DrawTransparent(dest, &rc, dest, &rc, RGB(1, 2, 3));
    EXPECT_EQ(PixelAt(dest, 0, 0), RGB(0, 0, 0));
}

TEST(Blits, OwnBlendMatchesAlphaBlendAndSaturates) {
    // Premultiplied source pixels over a grey backdrop.
    TestDib source(4, {0xFF102030, 0x80402010, 0x00000000, 0x40404040});
    CTkCompatibleDC src(nullptr, static_cast<HBITMAP>(source));
    CScopedMemDC own(4, 1);
    CScopedMemDC system(4, 1);
    for (CScopedMemDC* pDest : {&own, &system})
        pDest->FillSolidRect(0, 0, 4, 1, RGB(100, 150, 200));
    const CRect rc(0, 0, 4, 1);
    EXPECT_TRUE(CTkImageManager::DrawAlphaBlendedOwn(own, &rc, src, &rc));
    if (GetDrawHelpers()->m_pfnAlphaBlend != nullptr) {
        EXPECT_TRUE(CTkImageManager::DrawAlphaBlended(system, &rc, src, &rc));
        for (int x = 0; x < 4; ++x)
            EXPECT_TRUE(ColorsNear(PixelAt(system, x, 0), PixelAt(own, x, 0), 2)) << "pixel " << x;
    }
    EXPECT_EQ(PixelAt(own, 2, 0), RGB(100, 150, 200)) << "alpha 0 leaves the backdrop";

    const DWORD overBright = 0x40FFFFFF;  // colour above its alpha: not premultiplied
    const DWORD back = 0x00FFFFFF;
    DWORD out = 0;
    CTkImageManager::MergePremultiplied(&overBright, &back, &out, 1, 1, FALSE, FALSE);
    EXPECT_EQ(out, 0x00FFFFFFu) << "saturates instead of wrapping";
}

TEST(Blits, MergeReadsMirroredRowsFromTheRightEnd) {
    const DWORD src[3] = {0xFF000001, 0xFF000002, 0xFF000003};
    const DWORD back[3] = {0, 0, 0};
    DWORD out[3] = {};
    CTkImageManager::MergePremultiplied(src, back, out, 3, 1, TRUE, FALSE);
    EXPECT_EQ(out[0], 3u);
    EXPECT_EQ(out[2], 1u);
    const DWORD halfSrc[2] = {0x80000000, 0x80000000};
    const DWORD halfBack[2] = {0x000000FE, 0x00000010};
    CTkImageManager::MergePremultiplied(halfSrc, halfBack, out, 2, 1, FALSE, TRUE);
    EXPECT_EQ(out[0], 0x10u * 127 / 255) << "the backdrop's row is read from its right end";
    EXPECT_EQ(out[1], 0xFEu * 127 / 255);
}

}  // namespace
