// The shadow manager: the layered pixels, which shadow windows a popup gets and where, the cuts of the
// exclude rectangle and of other popups, growing with the owner, and following the owner through
// hide, show and destroy. Xvfb composites nothing, so windows, rectangles and regions are checked, and
// the pixels are checked where they are made.

#include "FoundationTestSupport.h"
#include "TkHookManager.h"
#include "TkShadowManager.h"
#include "TkShadowWnd.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using CShadowWnd = CTkShadowManager::CShadowWnd;

struct ReleaseManager {
    void operator()(CTkShadowManager* pManager) const { pManager->InternalRelease(); }
};
using ManagerPtr = std::unique_ptr<CTkShadowManager, ReleaseManager>;

ManagerPtr MakeManager(int nOptions) {
    ManagerPtr manager(new CTkShadowManager);
    manager->SetOptions(nOptions);
    return manager;
}

// A visible popup standing for a popup bar, shown without activation as menus are. (Under Xvfb, with no
// window manager, hiding or destroying a window that was activated costs Wine two seconds.)
std::unique_ptr<CWnd> MakeOwner(const CRect& rect, DWORD dwExStyle = 0) {
    auto owner = std::make_unique<CWnd>();
    owner->CreateEx(dwExStyle | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"", WS_POPUP, rect.left, rect.top,
                    rect.Width(), rect.Height(), nullptr, nullptr);
    owner->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return owner;
}

// The shadow windows of this thread that belong to hWndOwner, by type.
std::vector<CShadowWnd*> ShadowsOf(HWND hWndOwner) {
    std::vector<CShadowWnd*> all;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            if (auto* pShadow = dynamic_cast<CShadowWnd*>(CWnd::FromHandlePermanent(hWnd)))
                reinterpret_cast<std::vector<CShadowWnd*>*>(lParam)->push_back(pShadow);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    std::vector<CShadowWnd*> found;
    std::copy_if(all.begin(), all.end(), std::back_inserter(found),
                 [hWndOwner](CShadowWnd* pShadow) { return pShadow->GetOwnerWindow() == hWndOwner; });
    std::sort(found.begin(), found.end(), [](CShadowWnd* a, CShadowWnd* b) { return a->GetType() < b->GetType(); });
    return found;
}

CRect WindowRectOf(const CWnd* pWnd) {
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return rect;
}

// The screen point lies inside the shadow window and inside its region (when it has one).
bool ShowsAt(const CShadowWnd* pShadow, POINT ptScreen) {
    const CRect rect = WindowRectOf(pShadow);
    if (!rect.PtInRect(ptScreen))
        return false;
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    if (pShadow->GetWindowRgn(region) == ERROR)
        return true;
    return region.PtInRegion(ptScreen.x - rect.left, ptScreen.y - rect.top) != FALSE;
}

TEST(Shadows, LayeredPixelsFadeOutwardsAndAtTheEnds) {
    constexpr COLORREF kLunaBlue = 0x361E16;  // red 0x16, green 0x1E, blue 0x36
    const struct {
        int nType;
        SIZE size;
        BOOL bLighter;
        COLORREF color;
        POINT at;
        DWORD expected;
    } rows[] = {
        {kShadowBottom, {20, 4}, TRUE, 0, {10, 0}, 0x3C000000},          // next to the owner
        {kShadowBottom, {20, 4}, TRUE, 0, {10, 3}, 0x0F000000},          // outer row
        {kShadowBottom, {20, 4}, FALSE, 0, {10, 0}, 0x78000000},         // the darker look
        {kShadowBottom, {20, 4}, TRUE, 0, {0, 0}, 0x0C000000},           // left corner fades in
        {kShadowBottom, {20, 4}, TRUE, 0, {3, 1}, 0x24000000},           // (3 + 1) * (4 - 1) * 3
        {kShadowBottom, {20, 4}, TRUE, 0, {19, 0}, 0x0C000000},          // right corner mirrors it
        {kShadowBottom, {20, 4}, TRUE, 0, {16, 0}, 0x30000000},          //
        {kShadowBottom, {6, 4}, FALSE, 0, {3, 0}, 0x48000000},           // short strip: the nearer end
        {kShadowBottom, {20, 6}, TRUE, 0, {10, 5}, 0x00000000},          // beyond the fade
        {kShadowBottom, {20, 4}, TRUE, kLunaBlue, {10, 1}, 0x2D101628},  // channels scaled 15/20, truncated
        {kShadowRight, {4, 20}, TRUE, 0, {0, 10}, 0x3C000000},
        {kShadowRight, {4, 20}, TRUE, 0, {3, 10}, 0x0F000000},
        {kShadowRight, {4, 20}, TRUE, 0, {0, 0}, 0x0C000000},  // top corner
        {kShadowRight, {4, 20}, TRUE, 0, {1, 3}, 0x24000000},
        {kShadowRight, {4, 20}, TRUE, 0, {0, 19}, 0x3C000000},  // no corner at the bottom end
        {kShadowRegion, {1, 1}, FALSE, kLunaBlue, {0, 0}, 0x78161E36},
    };
    for (const auto& row : rows) {
        const std::vector<DWORD> pixels = MakeLayeredShadowPixels(row.nType, row.size, row.bLighter, row.color);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(row.size.cx * row.size.cy));
        EXPECT_EQ(pixels[row.at.y * row.size.cx + row.at.x], row.expected)
            << std::hex << "type " << row.nType << " at " << std::dec << row.at.x << "," << row.at.y;
    }
    EXPECT_TRUE(MakeLayeredShadowPixels(kShadowBottom, {0, 4}, TRUE, 0).empty());

    // A picture for people: a popup on white with both strips blended over it, four times enlarged.
    CScopedMemDC canvas(80, 60);
    ASSERT_TRUE(canvas.IsValid());
    canvas.FillSolidRect(0, 0, 80, 60, RGB(255, 255, 255));
    const CRect rcPopup(10, 10, 60, 45);
    canvas.FillSolidRect(&rcPopup, RGB(240, 240, 240));
    const struct {
        int nType;
        CRect rect;
    } strips[] = {{kShadowRight, {60, 14, 64, 45}}, {kShadowBottom, {14, 45, 64, 49}}};
    ::GdiFlush();
    for (const auto& strip : strips) {
        const std::vector<DWORD> pixels = MakeLayeredShadowPixels(strip.nType, strip.rect.Size(), FALSE, 0);
        for (int y = 0; y < strip.rect.Height(); ++y) {
            for (int x = 0; x < strip.rect.Width(); ++x) {
                DWORD& dst = canvas.GetBits()[(strip.rect.top + y) * 80 + strip.rect.left + x];
                const DWORD src = pixels[y * strip.rect.Width() + x];
                const DWORD nKeep = 255 - (src >> 24);
                DWORD out = 0;
                for (int nShift = 0; nShift <= 16; nShift += 8)
                    out |= (((src >> nShift) & 0xFF) + ((dst >> nShift) & 0xFF) * nKeep / 255) << nShift;
                dst = out;
            }
        }
    }
    CScopedMemDC enlarged(320, 240);
    ASSERT_TRUE(enlarged.IsValid());
    enlarged.StretchBlt(0, 0, 320, 240, &canvas, 0, 0, 80, 60, SRCCOPY);
    WritePng(enlarged, L"shadow_popup.png");  // the runs of this program share the folder: best effort
}

TEST(Shadows, NoneWithoutOptionsWhileTheSystemSettingIsOff) {
    BOOL bOn = FALSE;
    ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &bOn, 0);
    if (bOn)
        GTEST_SKIP() << "the system's drop-shadow setting is on in this prefix";
    ManagerPtr manager = MakeManager(0);
    auto owner = MakeOwner(CRect(100, 100, 300, 250));
    manager->SetShadow(owner.get(), nullptr);
    EXPECT_TRUE(ShadowsOf(owner->GetSafeHwnd()).empty());
    EXPECT_EQ(manager->m_dwRef, 1);
}

TEST(Shadows, RectangularPopupGetsTwoAndAShapedOneThree) {
    ManagerPtr manager = MakeManager(kShadowAlways);
    const int w = manager->IsLayeredUsable() ? 4 : 2;
    auto owner = MakeOwner(CRect(100, 100, 300, 250));
    manager->SetShadow(owner.get(), nullptr);
    std::vector<CShadowWnd*> shadows = ShadowsOf(owner->GetSafeHwnd());
    ASSERT_EQ(shadows.size(), 2u);
    EXPECT_EQ(WindowRectOf(shadows[0]), CRect(300, 100 + w, 300 + w, 250)) << "right";
    EXPECT_EQ(WindowRectOf(shadows[1]), CRect(100 + w, 250, 300 + w, 250 + w)) << "bottom";
    for (CShadowWnd* pShadow : shadows) {
        EXPECT_TRUE(pShadow->IsWindowVisible());
        const DWORD dwExStyle = pShadow->GetExStyle();
        EXPECT_TRUE(dwExStyle & WS_EX_TOOLWINDOW);
        EXPECT_EQ((dwExStyle & WS_EX_LAYERED) != 0, manager->IsLayeredUsable() != FALSE);
        EXPECT_EQ(pShadow->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(301, 200)), HTTRANSPARENT);
    }
    EXPECT_EQ(manager->m_dwRef, 3) << "each shadow holds a reference";

    manager->RemoveShadow(owner.get());
    EXPECT_TRUE(ShadowsOf(owner->GetSafeHwnd()).empty());
    EXPECT_EQ(manager->m_dwRef, 1);
    EXPECT_EQ(GetHookManager()->Lookup(owner->GetSafeHwnd()), nullptr) << "the owner is unhooked";

    owner->SetWindowRgn(::CreateRoundRectRgn(0, 0, 201, 151, 12, 12), TRUE);
    manager->SetShadow(owner.get(), nullptr);
    shadows = ShadowsOf(owner->GetSafeHwnd());
    ASSERT_EQ(shadows.size(), 3u);
    EXPECT_EQ(shadows[2]->GetType(), kShadowRegion);
    EXPECT_EQ(WindowRectOf(shadows[2]), CRect(299, 249, 300, 250));
    EXPECT_FALSE(shadows[2]->IsRegionApplied()) << "a region shadow is not cut by its own owner";
}

TEST(Shadows, ExcludeRectangleAndOtherPopupsAreCutOutTogether) {
    const CRect rcExclude(290, 80, 320, 120);  // the button the popup opened from, over the right shadow
    for (int nOptions : {kShadowAlways, kShadowAlways | kShadowExclude}) {
        ManagerPtr manager = MakeManager(nOptions);
        auto owner = MakeOwner(CRect(100, 100, 300, 250));
        manager->SetShadow(owner.get(), &rcExclude);
        const std::vector<CShadowWnd*> shadows = ShadowsOf(owner->GetSafeHwnd());
        ASSERT_EQ(shadows.size(), 2u);
        EXPECT_EQ(ShowsAt(shadows[0], CPoint(301, 110)), nOptions == kShadowAlways) << "options " << nOptions;
        EXPECT_TRUE(ShowsAt(shadows[0], CPoint(301, 200)));
        EXPECT_FALSE(shadows[1]->IsRegionApplied()) << "the bottom shadow is clear of the rectangle";
        owner->DestroyWindow();
    }

    // A sub-popup overlapping its parent: its right shadow loses the part over the parent and the part
    // under its own exclude rectangle, both.
    ManagerPtr manager = MakeManager(kShadowAlways | kShadowExclude);
    auto parent = MakeOwner(CRect(100, 100, 300, 250));
    manager->SetShadow(parent.get(), nullptr);
    auto child = MakeOwner(CRect(250, 200, 280, 400));
    const CRect rcChildExclude(270, 300, 290, 320);
    manager->SetShadow(child.get(), &rcChildExclude);
    const std::vector<CShadowWnd*> shadows = ShadowsOf(child->GetSafeHwnd());
    ASSERT_EQ(shadows.size(), 2u);
    EXPECT_FALSE(ShowsAt(shadows[0], CPoint(281, 220))) << "under the parent popup";
    EXPECT_FALSE(ShowsAt(shadows[0], CPoint(281, 310))) << "under the exclude rectangle";
    EXPECT_TRUE(ShowsAt(shadows[0], CPoint(281, 270)));
}

TEST(Shadows, AdjustShadowsFollowsAGrowingOwner) {
    const struct {
        DWORD dwExStyle;
        CRect rightMove;   // left, top, right, bottom change of the right shadow
        CRect bottomMove;  // ... of the bottom shadow
    } rows[] = {
        {0, {10, 0, 10, 5}, {0, 5, 10, 5}}, {WS_EX_LAYOUTRTL, {0, 0, 0, 5}, {-10, 5, 0, 5}},  // grows to the left
    };
    for (const auto& row : rows) {
        ManagerPtr manager = MakeManager(kShadowAlways | kShadowExclude);
        auto owner = MakeOwner(CRect(100, 100, 300, 250), row.dwExStyle);
        manager->SetShadow(owner.get(), nullptr);
        manager->SetControlShadow(CRect(40, 100, 100, 120), owner.get());
        std::vector<CShadowWnd*> shadows = ShadowsOf(owner->GetSafeHwnd());
        ASSERT_EQ(shadows.size(), 4u);
        std::vector<CRect> before;
        for (CShadowWnd* pShadow : shadows)
            before.push_back(WindowRectOf(pShadow));

        owner->SetWindowPos(nullptr, 0, 0, 210, 155, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        manager->AdjustShadows(owner.get(), 10, 5);
        for (size_t i = 0; i < shadows.size(); ++i) {
            CRect expected = before[i];
            if (!shadows[i]->IsControlShadow()) {
                const CRect& move = shadows[i]->GetType() == kShadowRight ? row.rightMove : row.bottomMove;
                expected = CRect(expected.left + move.left, expected.top + move.top, expected.right + move.right,
                                 expected.bottom + move.bottom);
            }
            EXPECT_EQ(WindowRectOf(shadows[i]), expected)
                << "type " << shadows[i]->GetType() << (shadows[i]->IsControlShadow() ? " (control)" : "")
                << ", ex-style " << row.dwExStyle;
        }
    }
}

TEST(Shadows, ControlShadowsNeedBothOptionBits) {
    for (int nOptions : {kShadowAlways, kShadowAlways | kShadowExclude}) {
        ManagerPtr manager = MakeManager(nOptions);
        auto popup = MakeOwner(CRect(182, 100, 300, 250));
        manager->SetControlShadow(CRect(100, 100, 180, 120), popup.get());
        const std::vector<CShadowWnd*> shadows = ShadowsOf(popup->GetSafeHwnd());
        if (nOptions == kShadowAlways) {
            EXPECT_TRUE(shadows.empty());
            continue;
        }
        ASSERT_EQ(shadows.size(), 2u);
        EXPECT_TRUE(shadows[0]->IsControlShadow() && shadows[1]->IsControlShadow());
        EXPECT_FALSE(ShowsAt(shadows[0], CPoint(182, 110))) << "the open popup is not covered";
        EXPECT_TRUE(ShowsAt(shadows[0], CPoint(180, 110)));
    }
}

TEST(Shadows, FollowTheOwnerThroughHideShowAndDestroy) {
    ManagerPtr manager = MakeManager(kShadowAlways);
    auto owner = MakeOwner(CRect(100, 100, 300, 250));
    const HWND hWndOwner = owner->GetSafeHwnd();
    manager->SetShadow(owner.get(), nullptr);
    const std::vector<CShadowWnd*> shadows = ShadowsOf(hWndOwner);
    ASSERT_EQ(shadows.size(), 2u);

    const HWND hWndActive = ::GetActiveWindow();
    owner->ShowWindow(SW_HIDE);
    for (CShadowWnd* pShadow : shadows)
        EXPECT_FALSE(pShadow->IsWindowVisible());
    owner->ShowWindow(SW_SHOWNA);
    for (CShadowWnd* pShadow : shadows)
        EXPECT_TRUE(pShadow->IsWindowVisible());
    EXPECT_EQ(::GetActiveWindow(), hWndActive) << "shadows never take activation";

    // Both shadows leave the owner's hook and delete themselves inside its WM_DESTROY; the owner's own
    // procedure still gets WM_NCDESTROY (its object lets go of the handle).
    owner->DestroyWindow();
    EXPECT_EQ(owner->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(ShadowsOf(hWndOwner).empty());
    EXPECT_EQ(manager->m_dwRef, 1);
    EXPECT_EQ(GetHookManager()->Lookup(hWndOwner), nullptr);
}

TEST(Shadows, ManagerLivesUntilItsLastShadowIsGone) {
    ManagerPtr manager = MakeManager(kShadowAlways);
    auto owner = MakeOwner(CRect(100, 100, 300, 250));
    manager->SetShadow(owner.get(), nullptr);
    manager.reset();  // the paint manager lets go first
    EXPECT_EQ(ShadowsOf(owner->GetSafeHwnd()).size(), 2u);
    owner->DestroyWindow();  // the last shadow releases the manager
    EXPECT_TRUE(ShadowsOf(nullptr).empty());
}

// The system's drop-shadow setting belongs to the whole prefix: this case runs alone and puts it back.
class DropShadowOn : public ::testing::Test {
protected:
    void SetUp() override {
        ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &m_bWasOn, 0);
        ASSERT_TRUE(::SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(TRUE), 0));
    }
    void TearDown() override {
        ::SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(m_bWasOn)), 0);
    }
    BOOL m_bWasOn = FALSE;
};

TEST_F(DropShadowOn, SystemSettingAloneGivesLayeredShadows) {
    ManagerPtr manager = MakeManager(0);
    auto owner = MakeOwner(CRect(100, 100, 300, 250));
    manager->SetShadow(owner.get(), nullptr);
    EXPECT_EQ(ShadowsOf(owner->GetSafeHwnd()).size(), manager->IsLayeredUsable() ? 2u : 0u)
        << "without layered windows the system setting alone shows none";
}

}  // namespace
