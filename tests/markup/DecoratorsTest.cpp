#include "MarkupTestSupport.h"
#include "TkBitmapFunctions.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"
#include "TkMarkup.h"
#include "TkMarkupDecorators.h"
#include "TkMarkupValues.h"

#include "FoundationTestSupport.h"

namespace {

class Decorators : public MarkupContextTest {
protected:
    void SetUp() override {
        MarkupContextTest::SetUp();
        m_pContext = CreateMarkupContext(nullptr);
    }
    void TearDown() override {
        m_root.Reset();
        ReleaseMarkupContext(m_pContext);
        MarkupContextTest::TearDown();
    }
    void Lay(LPCWSTR lpszMarkup, int cx, int cy) {
        m_root = CTkMarkupPtr<CTkMarkupUIElement>::Adopt(ParseMarkupText(m_pContext, lpszMarkup));
        ASSERT_TRUE(m_root) << m_pContext->GetLastParseError();
        MeasureMarkupElement(m_root.Get(), cx, cy);
        m_root->Arrange(CRect(0, 0, cx, cy));
    }
    CRect Placed(LPCWSTR lpszName) const {
        const auto* p = static_cast<CTkMarkupUIElement*>(FindNamed(m_root.Get(), lpszName));
        return p != nullptr ? CRect(p->GetVisualOffset(), p->GetRenderSize()) : CRect(-1, -1, -1, -1);
    }
    // The desired size of an image of that source, measured alone.
    CSize ImageSize(const CString& strSource) {
        Lay(L"<Image Source='" + strSource + L"'/>", 100, 100);
        return m_root ? m_root->GetDesiredSize() : CSize(-1, -1);
    }

    CTkMarkupContext* m_pContext = nullptr;
    CTkMarkupPtr<CTkMarkupUIElement> m_root;
};

TEST_F(Decorators, BorderBandsPaddingAndBackground) {
    Lay(L"<Border BorderThickness='1,2,3,4' Padding='5' BorderBrush='#FF0000' Background='#0000FF' "
        L"HorizontalAlignment='Left' VerticalAlignment='Top'><Rectangle x:Name='r' Width='20' Height='10'/></Border>",
        100, 100);
    EXPECT_EQ(CSize(20 + 4 + 10, 10 + 6 + 10), m_root->GetDesiredSize());
    EXPECT_EQ(CRect(6, 7, 26, 17), Placed(L"r"));
    CScopedMemDC mem(40, 40);
    std::fill(mem.GetBits(), mem.GetBits() + 40 * 40, 0xFFFFFFu);
    RenderMarkupElement(m_root.Get(), mem.GetSafeHdc(), CRect(0, 0, 40, 40));
    ::GdiFlush();
    auto pixel = [&mem](int x, int y) { return mem.GetBits()[y * 40 + x] & 0xFFFFFF; };
    // Render size 34 x 26: left band 1, top 2, right 3, bottom 4.
    EXPECT_EQ(0xFF0000u, pixel(0, 10));
    EXPECT_EQ(0x0000FFu, pixel(1, 10));
    EXPECT_EQ(0xFF0000u, pixel(10, 1));
    EXPECT_EQ(0x0000FFu, pixel(10, 2));
    EXPECT_EQ(0xFF0000u, pixel(31, 10));
    EXPECT_EQ(0x0000FFu, pixel(30, 10));
    EXPECT_EQ(0xFF0000u, pixel(10, 22));
    EXPECT_EQ(0x0000FFu, pixel(10, 21));
    EXPECT_EQ(0xFFFFFFu, pixel(34, 10));

    // Without a border brush the bands stay unpainted; the background only fills inside them.
    Lay(L"<Border BorderThickness='1' Background='#0000FF' Width='10' Height='10' HorizontalAlignment='Left' "
        L"VerticalAlignment='Top'/>",
        40, 40);
    std::fill(mem.GetBits(), mem.GetBits() + 40 * 40, 0xFFFFFFu);
    RenderMarkupElement(m_root.Get(), mem.GetSafeHdc(), CRect(0, 0, 40, 40));
    ::GdiFlush();
    EXPECT_EQ(0xFFFFFFu, pixel(0, 0));
    EXPECT_EQ(0x0000FFu, pixel(1, 1));
    EXPECT_EQ(0x0000FFu, pixel(8, 8));
    EXPECT_EQ(0xFFFFFFu, pixel(9, 9));
}

TEST_F(Decorators, OnlyABorderWithBackgroundIsHitAndAPageNever) {
    Lay(L"<Border Width='40' Height='40'><Rectangle x:Name='r' Width='10' Height='10'/></Border>", 40, 40);
    EXPECT_EQ(nullptr, m_root->HitTest(2, 2));
    EXPECT_EQ(FindNamed(m_root.Get(), L"r"), m_root->HitTest(20, 20));
    Lay(L"<Border Width='40' Height='40' Background='White'/>", 40, 40);
    EXPECT_EQ(m_root.Get(), m_root->HitTest(2, 2));
    Lay(L"<Page><Border x:Name='b' Background='White' Width='10' Height='10'/></Page>", 40, 40);
    EXPECT_EQ(CSize(10, 10), m_root->GetDesiredSize());
    EXPECT_EQ(nullptr, m_root->HitTest(2, 2));
    EXPECT_EQ(FindNamed(m_root.Get(), L"b"), m_root->HitTest(20, 20));
}

TEST_F(Decorators, ImagesFromFilesResourcesAndCommandIds) {
    const CString strFixtures = TESS_MARKUP_FIXTURES;
    // A PNG with alpha, in a private manager.
    EXPECT_EQ(CSize(4, 2), ImageSize(L"file://" + strFixtures + L"/alpha4x2.png"));
    const auto* pImage = static_cast<CTkMarkupImage*>(m_root.Get());
    ASSERT_NE(nullptr, pImage->GetIcon());
    EXPECT_TRUE(pImage->GetIcon()->IsAlphaIcon());
    // A bitmap without alpha: pure green is transparent.
    EXPECT_EQ(CSize(4, 4), ImageSize(L"file://" + strFixtures + L"/green4x4.bmp"));
    CScopedMemDC mem(8, 8);
    std::fill(mem.GetBits(), mem.GetBits() + 64, 0x0000FFu);
    RenderMarkupElement(m_root.Get(), mem.GetSafeHdc(), CRect(0, 0, 8, 8));
    ::GdiFlush();
    EXPECT_EQ(0x0000FFu, mem.GetBits()[0] & 0xFFFFFF) << "the green corner lets the blue through";
    EXPECT_EQ(0xFF0000u, mem.GetBits()[3 * 8 + 3] & 0xFFFFFF) << "stretched to 8 x 8, the red centre";

    // Resources of the program: a bitmap, else an icon group.
    EXPECT_EQ(CSize(4, 4), ImageSize(L"res://GREEN"));
    EXPECT_EQ(CSize(16, 16), ImageSize(L"res://BLUE"));

    // A command id of the process-wide manager, shared with the rest of the toolkit.
    const UINT nId = 4711;
    CBitmap bitmap;
    bitmap.Attach(CreateDibSection32(nullptr, 12, 12));
    ASSERT_TRUE(GetImageManager()->SetIconsFromBitmap(&bitmap, &nId, 1, 12, 12, ImageStateNormal, TRUE));
    EXPECT_EQ(CSize(12, 12), ImageSize(L"  +4711 and more"));
    EXPECT_EQ(GetImageManager()->GetIcon(nId, 0), static_cast<CTkMarkupImage*>(m_root.Get())->GetIcon());

    // Whatever fails is an empty image.
    for (LPCWSTR lpszSource : {L"file://Z:/no/such/file.png", L"res://NOTHING", L"0", L"-3", L"4712", L"x", L"",
                               L"99999999999", L"FILE://Z:/tmp/a.png"}) {
        EXPECT_EQ(CSize(0, 0), ImageSize(lpszSource)) << CStringA(lpszSource).GetString();
        EXPECT_EQ(nullptr, static_cast<CTkMarkupImage*>(m_root.Get())->GetIcon());
    }
    // Network shares are refused, slashes either way.
    EXPECT_EQ(CSize(0, 0), ImageSize(L"file://\\\\server\\share\\a.png"));
    EXPECT_EQ(CSize(0, 0), ImageSize(L"file:////server/share/a.png"));
    GetImageManager()->RemoveAll();
}

TEST_F(Decorators, AnImageIsDrawnScaledToItsRenderSize) {
    const UINT nId = 4712;
    CBitmap bitmap;
    DWORD* pBits = nullptr;
    bitmap.Attach(CreateDibSection32(nullptr, 2, 2, reinterpret_cast<void**>(&pBits)));
    ASSERT_NE(nullptr, pBits);
    std::fill(pBits, pBits + 4, 0xFF00FF00u);  // opaque green, premultiplied
    ASSERT_TRUE(GetImageManager()->SetIconsFromBitmap(&bitmap, &nId, 1, 2, 2, ImageStateNormal, TRUE));
    Lay(L"<Image Source='4712' Width='20' Height='10' HorizontalAlignment='Left' VerticalAlignment='Top'/>", 40, 40);
    CScopedMemDC mem(40, 40);
    RenderMarkupElement(m_root.Get(), mem.GetSafeHdc(), CRect(0, 0, 40, 40));
    ::GdiFlush();
    EXPECT_TRUE(ColorsNear(RGB(0, 255, 0), PixelAt(mem, 19, 9), 2));
    EXPECT_TRUE(ColorsNear(RGB(0, 0, 0), PixelAt(mem, 21, 5), 2));
    m_root.Reset();
    GetImageManager()->RemoveAll();
}

}  // namespace
