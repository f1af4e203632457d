// A bar with real controls painted by the default theme: printed and through its own paint, which the
// cache keeps.

#include "BarFixtures.h"
#include "DibPixels.h"
#include "TkCommandBarAnimation.h"

namespace {

class BarPaintingFixture : public BarFixture {
protected:
    void SetUp() override {
        BarFixture::SetUp();
        SetBarKind(m_pBar, kBarTypeMenuBar, kBarTop);
        m_pBar->SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CTkControl* pFile = Add(kControlPopup, 0);
        pFile->SetCaption(L"&File");
        Add(kControlButton, 101)->SetCaption(L"&Edit");
        CTkControl* pHelp = Add(kControlButton, 102);
        pHelp->SetCaption(L"&Help");
        pHelp->SetBeginGroup(TRUE);
        DWORD dwMode = kLayoutHorzDock | kLayoutCommit;
        Controls()->CalcToolbarLayout(nullptr, kWidth, dwMode, CRect(0, 0, 0, 0), 0);
    }
    // The bar as WM_PRINTCLIENT draws it.
    void Print(CScopedMemDC& dc) {
        dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(255, 0, 255));
        m_pBar->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
    }
    // Whether the two pictures agree inside the rectangle.
    static BOOL SameInside(const CScopedMemDC& a, const CScopedMemDC& b, const CRect& rc) {
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x) {
                if (PixelAt(a, x, y) != PixelAt(b, x, y))
                    return FALSE;
            }
        }
        return TRUE;
    }

    static constexpr int kWidth = 220;
    static constexpr int kHeight = 24;
};

TEST_F(BarPaintingFixture, TheBarPaintsItsControlsAndTheSelectionChangesOnlyTheSelectedOne) {
    CScopedMemDC plain(kWidth, kHeight);
    ASSERT_TRUE(plain.IsValid());
    Print(plain);
    // The background is the theme's everywhere outside the controls: nothing is left unpainted.
    for (int x = 0; x < kWidth; ++x)
        ASSERT_NE(PixelAt(plain, x, kHeight - 1), RGB(255, 0, 255)) << x;
    WritePng(plain, L"Z:\\tmp\\commandbar_default_theme.png");

    m_pBar->SetSelected(1, kSelectForward);
    CScopedMemDC selected(kWidth, kHeight);
    Print(selected);
    WritePng(selected, L"Z:\\tmp\\commandbar_default_theme_selected.png");
    const CRect rcFile = Controls()->GetAt(0)->GetRect();
    const CRect rcEdit = Controls()->GetAt(1)->GetRect();
    EXPECT_TRUE(SameInside(plain, selected, rcFile));
    EXPECT_FALSE(SameInside(plain, selected, rcEdit));
}

TEST_F(BarPaintingFixture, ThePaintedWindowShowsWhatPrintingDraws) {
    m_pBar->SetCachedPaint(TRUE);
    m_pBar->ShowWindow(SW_SHOWNA);
    m_pBar->UpdateWindow();
    HBITMAP hCache = m_pBar->GetAnimation()->GetCache();
    ASSERT_NE(hCache, nullptr);
    CScopedMemDC printed(kWidth, kHeight);
    Print(printed);
    CScopedMemDC cached(kWidth, kHeight);
    {
        CDC dcCache;
        dcCache.CreateCompatibleDC(nullptr);
        CScopedSelectObject select(dcCache.GetSafeHdc(), hCache);
        cached.BitBlt(0, 0, kWidth, kHeight, &dcCache, 0, 0, SRCCOPY);
    }
    EXPECT_TRUE(SameInside(printed, cached, CRect(0, 0, kWidth, kHeight)));
    m_pBar->ShowWindow(SW_HIDE);
}

}  // namespace
