// The bar animation: the cached picture and the six-step fades of changed rectangles.

#include "BarFixtures.h"
#include "TkCommandBarAnimation.h"

namespace {

// A bar painted in one colour, which the test changes.
class CPaintedBar : public CTestBar {
public:
    void DrawCommandBar(CDC* pDC, CRect rcClip) override { pDC->FillSolidRect(&rcClip, m_clrFace); }
    COLORREF m_clrFace = RGB(200, 200, 200);
};

// The cache's pixel (blue, green, red) as a COLORREF.
COLORREF CachePixel(HBITMAP hCache, int x, int y) {
    DIBSECTION dib = {};
    if (::GetObjectW(hCache, sizeof(dib), &dib) != sizeof(dib))
        return CLR_INVALID;
    const BYTE* pPixel = static_cast<const BYTE*>(dib.dsBm.bmBits) + y * dib.dsBm.bmWidthBytes + x * 4;
    return RGB(pPixel[2], pPixel[1], pPixel[0]);
}

CSize CacheSize(HBITMAP hCache) {
    BITMAP bm = {};
    ::GetObjectW(hCache, sizeof(bm), &bm);
    return CSize(bm.bmWidth, bm.bmHeight);
}

class AnimationFixture : public BarFixture {
protected:
    void SetUp() override {
        BarFixture::SetUp();
        m_pPainted = new CPaintedBar;
        m_pPainted->SetCommandBars(m_pCommandBars);
        ASSERT_TRUE(CreateBarWindow(m_pPainted, m_pSite, CRect(0, 0, 100, 20)));
        m_pPainted->SetAnimationEnabled(TRUE);
        m_pPainted->ShowWindow(SW_SHOWNA);
        m_pPainted->UpdateWindow();
        m_pAnimation = m_pPainted->GetAnimation();
    }
    void TearDown() override {
        m_pPainted->InternalRelease();
        BarFixture::TearDown();
    }
    CPaintedBar* m_pPainted = nullptr;
    CTkCommandBarAnimation* m_pAnimation = nullptr;
};

TEST(CommandBarAnimation, EachStepBlendsTheNewPictureOverTheOld) {
    struct Row {
        BYTE nNew;
        BYTE nOld;
        int nStep;
        BYTE nExpected;
    };
    // a = step x 255 / 6: 42, 85, 127, 170, 212.
    const Row rows[] = {{200, 100, 1, 116}, {200, 100, 2, 132}, {200, 100, 3, 149}, {200, 100, 4, 166},
                        {200, 100, 5, 182}, {255, 0, 5, 211},   {0, 255, 1, 212},   {10, 10, 3, 9}};
    for (const Row& row : rows) {
        BYTE nOut = 0;
        CTkCommandBarAnimation::BlendStep(&row.nNew, &row.nOld, &nOut, 1, row.nStep);
        EXPECT_EQ(nOut, row.nExpected) << int(row.nNew) << " " << int(row.nOld) << " " << row.nStep;
    }
}

TEST_F(AnimationFixture, AChangedRectangleFadesInSixStepsAndTheTimerStopsWithTheLastOne) {
    ASSERT_NE(m_pAnimation->GetCache(), nullptr);
    EXPECT_EQ(CachePixel(m_pAnimation->GetCache(), 10, 5), RGB(200, 200, 200));

    // Nothing changed: no fade.
    const CRect rc(0, 0, 50, 20);
    m_pPainted->Redraw(&rc, TRUE);
    EXPECT_EQ(m_pAnimation->GetFadeCount(), 0);
    EXPECT_FALSE(m_pAnimation->IsTimerRunning());

    m_pPainted->m_clrFace = RGB(0, 0, 255);
    m_pPainted->Redraw(&rc, TRUE);
    EXPECT_EQ(m_pAnimation->GetFadeCount(), 1);
    EXPECT_TRUE(m_pAnimation->IsTimerRunning());
    // The cache has the new picture at once; outside the rectangle the old one stays.
    EXPECT_EQ(CachePixel(m_pAnimation->GetCache(), 10, 5), RGB(0, 0, 255));
    EXPECT_EQ(CachePixel(m_pAnimation->GetCache(), 80, 5), RGB(200, 200, 200));

    // A second redraw of the same rectangle replaces the first fade.
    m_pPainted->m_clrFace = RGB(0, 255, 0);
    m_pPainted->Redraw(&rc, TRUE);
    EXPECT_EQ(m_pAnimation->GetFadeCount(), 1);

    // The first step was drawn by the redraw; the fifth tick draws the last and ends the fade.
    for (int nTick = 1; nTick <= 4; ++nTick) {
        m_pAnimation->OnTimer();
        EXPECT_EQ(m_pAnimation->GetFadeCount(), 1) << nTick;
    }
    m_pAnimation->OnTimer();
    EXPECT_EQ(m_pAnimation->GetFadeCount(), 0);
    EXPECT_FALSE(m_pAnimation->IsTimerRunning());
}

TEST_F(AnimationFixture, APlainRepaintCoversTheFadesItContains) {
    m_pPainted->m_clrFace = RGB(0, 0, 255);
    const CRect rcLeft(0, 0, 50, 20);
    m_pPainted->Redraw(&rcLeft, TRUE);
    ASSERT_EQ(m_pAnimation->GetFadeCount(), 1);
    // Overlapping only: the fade goes on (without painting there).
    const CRect rcMiddle(25, 0, 75, 20);
    m_pPainted->Redraw(&rcMiddle, FALSE);
    EXPECT_EQ(m_pAnimation->GetFadeCount(), 1);
    // Covering it: the fade is over.
    const CRect rcAll(0, 0, 100, 20);
    m_pPainted->m_clrFace = RGB(255, 0, 0);
    m_pPainted->Redraw(&rcAll, FALSE);
    EXPECT_EQ(m_pAnimation->GetFadeCount(), 0);
    EXPECT_EQ(CachePixel(m_pAnimation->GetCache(), 90, 5), RGB(255, 0, 0));
}

TEST_F(AnimationFixture, AResizedBarPaintsAFreshCacheOfItsNewSize) {
    EXPECT_EQ(CacheSize(m_pAnimation->GetCache()), CSize(100, 20));
    m_pPainted->SetWindowPos(nullptr, 0, 0, 140, 24, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pPainted->m_clrFace = RGB(10, 20, 30);
    m_pPainted->UpdateWindow();
    ASSERT_NE(m_pAnimation->GetCache(), nullptr);
    EXPECT_EQ(CacheSize(m_pAnimation->GetCache()), CSize(140, 24));
    EXPECT_EQ(CachePixel(m_pAnimation->GetCache(), 130, 20), RGB(10, 20, 30));

    // Without animation or cached painting the bar paints straight through, with no cache.
    m_pPainted->SetAnimationEnabled(FALSE);
    m_pPainted->Invalidate(FALSE);
    m_pPainted->UpdateWindow();
    EXPECT_EQ(m_pAnimation->GetCache(), nullptr);
}

}  // namespace
