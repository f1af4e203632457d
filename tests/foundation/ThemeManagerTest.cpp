// The theme manager with test-only factories and styles: controls of one class share one style, a
// private style stays the control's own and can be taken back, the manager's theme number reaches the
// factories, and only a transparent control paints the snapshot of its parent.

#include "FoundationTestSupport.h"
#include "TkThemeManager.h"

#include <memory>

namespace {

// A style that counts its refreshes and, when asked, its destruction.
class CountingStyle : public CTkThemeManagerStyle {
public:
    explicit CountingStyle(int* pDestroyed = nullptr) : m_pDestroyed(pDestroyed) {}
    ~CountingStyle() override {
        if (m_pDestroyed != nullptr)
            ++*m_pDestroyed;
    }
    void Refresh() override { ++m_nRefreshes; }

    int m_nRefreshes = 0;

private:
    int* m_pDestroyed;
};

// One factory class per case that uses the manager's shared factory, so no case sees another's style.
#define COUNTING_FACTORY(class_name) \
    class class_name : public CTkThemeManagerStyleFactory { \
        DECLARE_DYNCREATE(class_name) \
    public: \
        CTkThemeManagerStyle* CreateStyle(int nTheme) override { \
            ++m_nCreated; \
            auto* pStyle = new CountingStyle; \
            pStyle->SetTheme(nTheme); \
            return pStyle; \
        } \
        int m_nCreated = 0; \
    }; \
    IMPLEMENT_DYNCREATE(class_name, CTkThemeManagerStyleFactory)

COUNTING_FACTORY(SharingTestFactory)
COUNTING_FACTORY(ThemeNumberTestFactory)

class CountingHost : public CTkThemeManagerStyleHost {
public:
    explicit CountingHost(CRuntimeClass* pFactoryClass) : CTkThemeManagerStyleHost(pFactoryClass) {}
    int m_nChanges = 0;

protected:
    void OnStyleChanged() override { ++m_nChanges; }
};

CountingStyle* StyleOf(const CTkThemeManagerStyleHost& host) {
    return static_cast<CountingStyle*>(host.GetThemeStyle());
}

TEST(ThemeManager, ControlsShareOneStyleAndAPrivateStyleStaysTheControlsOwn) {
    CountingHost first(RUNTIME_CLASS(SharingTestFactory));
    CountingHost second(RUNTIME_CLASS(SharingTestFactory));
    CTkThemeManagerStyleFactory* pShared = GetThemeManager()->GetSharedFactory(RUNTIME_CLASS(SharingTestFactory));
    ASSERT_NE(pShared, nullptr);
    EXPECT_EQ(first.GetFactory(), pShared);
    EXPECT_EQ(second.GetFactory(), pShared);
    CountingStyle* pSharedStyle = StyleOf(first);
    ASSERT_NE(pSharedStyle, nullptr);
    EXPECT_EQ(StyleOf(second), pSharedStyle);
    EXPECT_EQ(pSharedStyle->GetFactory(), pShared);
    EXPECT_EQ(pSharedStyle->m_nRefreshes, 1) << "refreshed once, when made";
    EXPECT_EQ(static_cast<SharingTestFactory*>(pShared)->m_nCreated, 1);

    int nDestroyed = 0;
    auto* pCustom = new CountingStyle(&nDestroyed);
    first.SetCustomStyle(pCustom);
    EXPECT_EQ(StyleOf(first), pCustom);
    EXPECT_NE(first.GetFactory(), pShared);
    EXPECT_EQ(pCustom->GetFactory(), first.GetFactory());
    EXPECT_EQ(pCustom->m_nRefreshes, 1);
    EXPECT_EQ(StyleOf(second), pSharedStyle) << "the other control keeps the shared style";
    EXPECT_EQ(first.m_nChanges, 1);
    EXPECT_EQ(second.m_nChanges, 0);

    // A new shared style reaches only the controls that draw with it.
    auto* pNewShared = new CountingStyle;
    pShared->ReplaceStyle(pNewShared);
    EXPECT_EQ(StyleOf(second), pNewShared);
    EXPECT_EQ(StyleOf(first), pCustom);
    EXPECT_EQ(second.m_nChanges, 1);
    EXPECT_EQ(first.m_nChanges, 1);

    first.SetCustomStyle(new CountingStyle(&nDestroyed));
    EXPECT_EQ(nDestroyed, 1) << "the earlier private style is deleted";

    first.SetCustomStyle(nullptr);
    EXPECT_EQ(StyleOf(first), pNewShared);
    EXPECT_EQ(first.GetFactory(), pShared);
    EXPECT_EQ(nDestroyed, 2);
    EXPECT_EQ(first.m_nChanges, 3);

    second.SetCustomStyle(nullptr);
    EXPECT_EQ(second.m_nChanges, 1) << "nothing to take back: nothing happens";
    EXPECT_EQ(StyleOf(second), pNewShared);

    // Back on the shared style, the first control is told of its changes again.
    pShared->ReplaceStyle(new CountingStyle);
    EXPECT_EQ(first.m_nChanges, 4);
    EXPECT_EQ(second.m_nChanges, 2);
    EXPECT_EQ(StyleOf(first), StyleOf(second));
}

TEST(ThemeManager, FactoriesMakeOneStyleForTheManagersThemeNumber) {
    EXPECT_EQ(GetThemeManager(), GetThemeManager());
    EXPECT_EQ(GetThemeManager()->GetThemeNumber(), 0);

    ThemeNumberTestFactory factory;
    CountingStyle* pStyle = static_cast<CountingStyle*>(factory.GetStyle());
    ASSERT_NE(pStyle, nullptr);
    EXPECT_EQ(pStyle->GetTheme(), 0);
    EXPECT_EQ(factory.GetStyle(), pStyle);
    EXPECT_EQ(factory.m_nCreated, 1);
    factory.RefreshStyle();
    EXPECT_EQ(pStyle->m_nRefreshes, 2);
    factory.ReplaceStyle(nullptr);
    EXPECT_EQ(factory.GetStyle(), pStyle) << "NULL is ignored";
    factory.ReplaceStyle(pStyle);
    EXPECT_EQ(factory.GetStyle(), pStyle) << "the installed style again is kept, not deleted";
    EXPECT_EQ(pStyle->m_nRefreshes, 3);

    CTkThemeManagerStyleFactory baseFactory;
    EXPECT_EQ(baseFactory.GetStyle(), nullptr) << "the base factory makes no style";
    baseFactory.RefreshStyle();
}

TEST(ThemeManager, HostsWithoutAFactoryClassDrawWithoutAStyle) {
    EXPECT_EQ(GetThemeManager()->GetSharedFactory(nullptr), nullptr);
    EXPECT_EQ(GetThemeManager()->GetSharedFactory(RUNTIME_CLASS(CWnd)), nullptr)
        << "a creatable class that is not a factory";

    CountingHost host(nullptr);
    EXPECT_EQ(host.GetFactory(), nullptr);
    EXPECT_EQ(host.GetThemeStyle(), nullptr);
    // With no factory class there is nowhere to keep a private style: it is deleted, not leaked.
    int nDestroyed = 0;
    host.SetCustomStyle(new CountingStyle(&nDestroyed));
    EXPECT_EQ(nDestroyed, 1);
    EXPECT_EQ(host.GetThemeStyle(), nullptr);
    EXPECT_EQ(host.m_nChanges, 0);

    host.AttachFactoryClass(RUNTIME_CLASS(ThemeNumberTestFactory));
    EXPECT_EQ(host.GetFactory(), GetThemeManager()->GetSharedFactory(RUNTIME_CLASS(ThemeNumberTestFactory)));
    EXPECT_NE(host.GetThemeStyle(), nullptr);
}

// A parent whose client area is red left of x = 40 and blue from there, with a hidden child at
// (30, 20)-(70, 50): the child's snapshot is red in its first ten columns and blue after.
TEST(ThemeManager, OnlyATransparentControlPaintsItsParentsBackground) {
    constexpr COLORREF kRed = RGB(255, 0, 0);
    constexpr COLORREF kBlue = RGB(0, 0, 255);
    constexpr COLORREF kGreen = RGB(0, 255, 0);
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"", WS_POPUP, 60, 60, 120, 80, nullptr, nullptr));
    parent.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    parent.UpdateWindow();
    {
        CClientDC dc(&parent);
        dc.FillSolidRect(0, 0, 40, 80, kRed);
        dc.FillSolidRect(40, 0, 80, 80, kBlue);
    }
    CWnd transparent;
    CWnd opaque;
    ASSERT_TRUE(transparent.CreateEx(WS_EX_TRANSPARENT, AfxRegisterWndClass(0), L"", WS_CHILD, CRect(30, 20, 70, 50),
                                     &parent, 1));
    ASSERT_TRUE(opaque.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD, CRect(30, 20, 70, 50), &parent, 2));

    CountingStyle style;
    CScopedMemDC dc(40, 30);
    dc.FillSolidRect(0, 0, 40, 30, kGreen);
    EXPECT_FALSE(style.DrawTransparentBack(&dc, &opaque));
    EXPECT_EQ(PixelAt(dc, 0, 0), kGreen) << "nothing drawn";

    ASSERT_TRUE(style.DrawTransparentBack(&dc, &transparent));
    WritePng(dc, L"theme_transparent_back.png");
    EXPECT_EQ(PixelAt(dc, 0, 0), kRed);
    EXPECT_EQ(PixelAt(dc, 9, 29), kRed);
    EXPECT_EQ(PixelAt(dc, 10, 0), kBlue);
    EXPECT_EQ(PixelAt(dc, 39, 29), kBlue);

    CWnd topLevel;
    ASSERT_TRUE(topLevel.CreateEx(WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 40,
                                  30, nullptr, nullptr));
    EXPECT_FALSE(style.TakeSnapshot(&topLevel)) << "no parent window";
    EXPECT_FALSE(style.DrawTransparentBack(&dc, &topLevel));
}

}  // namespace
