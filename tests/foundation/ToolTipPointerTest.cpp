// Tip windows shown under Xvfb with the real pointer (SetCursorPos): the delay and the reshow window,
// the mouse hook, the clicked tool, placement at the work area's edges and the cut corners. They move
// the machine's one pointer, so they run alone (the ToolTipPointer cases).

#include "FoundationTestSupport.h"
#include "TkOffice2007Images.h"
#include "TkToolTipContextToolTip.h"
#include "ToolTipTestSupport.h"

#include "WaitUntil.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

int MsSince(Clock::time_point start) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Puts the pointer on the owner's client point and waits until the owner has seen the move.
void MoveTo(CScriptedOwner& owner, CPoint ptClient) {
    CPoint pt = ptClient;
    owner.ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    ASSERT_TRUE(PumpUntil([&] { return owner.m_ptLastMove == ptClient; }, 3000)) << ptClient.x << "," << ptClient.y;
}

bool IsShown(CWnd* pTip, UINT_PTR nId) {
    auto* pWindow = dynamic_cast<CTkToolTipContextToolTip*>(pTip);
    return pWindow != nullptr && pWindow->IsWindowVisible() && pWindow->GetShownTool() != nullptr &&
           pWindow->GetShownTool()->nId == nId;
}

bool IsHidden(CWnd* pTip) {
    return pTip == nullptr || !pTip->IsWindowVisible();
}

const CRect kOwnerRect(200, 200, 800, 600);
const CRect kToolA(0, 0, 300, 300);
const CRect kToolB(300, 0, 600, 300);
const CPoint kOnA(150, 150);
const CPoint kOnB(450, 150);
const CPoint kOnNothing(300, 350);

TEST(ToolTipPointer, ShowsAfterTheDelayAndAtOnceWithinTheReshowWindow) {
    CTkToolTipContext context;
    context.SetStyle(kToolTipOffice);
    CScriptedOwner owner(kOwnerRect);
    CScriptedOwner other(CRect(900, 200, 1000, 300));
    owner.m_tools = {{kToolA, 1, L"First tool", nullptr, nullptr, kToolTipShowInactive},
                     {kToolB, 2, L"Second tool", nullptr, nullptr, kToolTipShowInactive}};
    owner.m_pContext = &context;
    MoveTo(owner, kOnNothing);

    Clock::time_point start = Clock::now();
    MoveTo(owner, kOnA);
    ASSERT_TRUE(PumpUntil([&] { return IsShown(context.GetToolTipWindow(), 1); }, 3000));
    EXPECT_GE(MsSince(start), 450) << "the initial delay";

    // Off the tool the tip goes; another tool within 200 ms shows at once.
    MoveTo(owner, kOnNothing);
    EXPECT_TRUE(IsHidden(context.GetToolTipWindow()));
    start = Clock::now();
    MoveTo(owner, kOnB);
    ASSERT_TRUE(PumpUntil([&] { return IsShown(context.GetToolTipWindow(), 2); }, 3000));
    EXPECT_LT(MsSince(start), 300) << "no delay within the reshow window";

    // The mouse hook hides the tip when the pointer goes to another window.
    CPoint ptOther(950, 250);
    ::SetCursorPos(ptOther.x, ptOther.y);
    EXPECT_TRUE(PumpUntil([&] { return IsHidden(context.GetToolTipWindow()); }, 3000));

    // Later than 200 ms the delay applies again.
    PumpUntil([] { return false; }, 300);
    start = Clock::now();
    MoveTo(owner, kOnA);
    EXPECT_TRUE(IsHidden(context.GetToolTipWindow()));
    ASSERT_TRUE(PumpUntil([&] { return IsShown(context.GetToolTipWindow(), 1); }, 3000));
    EXPECT_GE(MsSince(start), 450);

    // What the window paints is what its drawing routine makes.
    auto* pTip = dynamic_cast<CTkToolTipContextToolTip*>(context.GetToolTipWindow());
    CRect rcTip;
    pTip->GetClientRect(&rcTip);
    CScopedMemDC dc(rcTip.Width(), rcTip.Height());
    pTip->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
    WritePng(dc, L"tooltip_office_shown.png");
    EXPECT_EQ(PixelAt(dc, 0, rcTip.Height() / 2), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(PixelAt(dc, rcTip.Width() - 1, rcTip.Height() / 2), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(dc, rcTip.Width() / 2, 1), context.GetBackColor());
}

// A tip window of the context's style over the owner, driven directly: tools added, messages relayed
// with the pointer put where they say.
struct DirectTip {
    explicit DirectTip(int nStyle, const CRect& rcOwner) : owner(rcOwner), tip(&context) {
        context.SetStyle(nStyle);
        tip.CreateTipWindow(&owner, context.m_dwTipStyle | TTS_ALWAYSTIP | TTS_NOPREFIX);
        tip.SendMessage(TTM_ACTIVATE, TRUE);
    }
    void AddTool(const CRect& rect, UINT_PTR nId, LPCWSTR pszText, const CRect& rcExtended = CRect()) {
        ToolTipExtraInfo extra = {};
        extra.rcExtended = rcExtended;
        TOOLINFO info = {};
        info.cbSize = AFX_TOOLINFO_V2_SIZE;
        info.hwnd = owner.GetSafeHwnd();
        info.uId = nId;
        info.rect = rect;
        info.lpszText = const_cast<LPWSTR>(pszText);
        info.lParam = reinterpret_cast<LPARAM>(&extra);
        tip.SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    void DelTool(UINT_PTR nId) {
        TOOLINFO info = {};
        info.cbSize = AFX_TOOLINFO_V2_SIZE;
        info.hwnd = owner.GetSafeHwnd();
        info.uId = nId;
        tip.SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    // The pointer goes to ptClient; the message is relayed from there.
    void Relay(UINT message, CPoint ptClient) {
        MSG msg = OwnerMessage(&owner, message, ptClient);
        ::SetCursorPos(msg.pt.x, msg.pt.y);
        tip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    CRect TipRect() {
        CRect rect;
        tip.GetWindowRect(&rect);
        return rect;
    }

    CTkToolTipContext context;
    CScriptedOwner owner;
    CTkToolTipContextToolTip tip;
};

TEST(ToolTipPointer, ClickedToolShowsNoTipUntilThePointerLeavesIt) {
    DirectTip d(kToolTipOffice, kOwnerRect);
    d.AddTool(kToolA, 1, L"First tool");
    d.AddTool(kToolB, 2, L"Second tool");
    d.Relay(WM_MOUSEMOVE, kOnA);
    ASSERT_TRUE(PumpUntil([&] { return IsShown(&d.tip, 1); }, 3000));

    d.Relay(WM_LBUTTONDOWN, kOnA);
    EXPECT_TRUE(IsHidden(&d.tip));
    d.Relay(WM_MOUSEMOVE, kOnA + CPoint(5, 5));
    EXPECT_FALSE(PumpUntil([&] { return !IsHidden(&d.tip); }, 800)) << "the clicked tool stays quiet";

    d.Relay(WM_MOUSEMOVE, kOnNothing);
    d.Relay(WM_MOUSEMOVE, kOnA);
    EXPECT_TRUE(PumpUntil([&] { return IsShown(&d.tip, 1); }, 3000)) << "back on it after leaving";

    // Deleting the shown tool hides its tip.
    d.DelTool(1);
    EXPECT_TRUE(IsHidden(&d.tip));
    EXPECT_EQ(d.tip.GetShownTool(), nullptr);
}

TEST(ToolTipPointer, PlacedAtTheCursorAndKeptInTheWorkArea) {
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // Not the whole screen: Wine takes a popup of the monitor's size for a full-screen window.
    const CRect rcOwner(work.left + 1, work.top + 1, work.right, work.bottom);
    DirectTip d(kToolTipOffice2007, rcOwner);
    const CRect all(0, 0, rcOwner.Width(), rcOwner.Height());
    d.AddTool(all, 1, L"A tip of the Office 2007 look, long enough to need some room");
    GetOffice2007Images()->SetResourceModule(::LoadLibraryW(L"Office2007Look.dll"), nullptr, TRUE);
    d.Relay(WM_MOUSEMOVE, CPoint(400, 300));
    ASSERT_TRUE(PumpUntil([&] { return IsShown(&d.tip, 1); }, 3000));

    // Each case hides the tip and shows it again at once (within the reshow window).
    auto showAt = [&](CPoint ptScreen) {
        d.tip.ShowToolTip(nullptr);
        CPoint ptClient = ptScreen;
        d.owner.ScreenToClient(&ptClient);
        d.Relay(WM_MOUSEMOVE, ptClient);
        EXPECT_TRUE(IsShown(&d.tip, 1));
        return ptScreen;
    };
    CPoint pt = showAt(CPoint(400, 300));
    CRect tip = d.TipRect();
    EXPECT_EQ(tip.left, pt.x);
    EXPECT_EQ(tip.top, pt.y + CTkToolTipContextToolTip::GetCursorHeightBelowHotSpot(::GetCursor()));
    EXPECT_GT(tip.top, pt.y);

    // The Office 2007 look cuts the corners off.
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(d.tip.GetSafeHwnd(), region), ERROR);
    const struct {
        POINT pt;
        BOOL bIn;
    } corners[] = {{{0, 0}, FALSE},
                   {{1, 0}, TRUE},
                   {{0, 1}, TRUE},
                   {{tip.Width() - 1, 0}, FALSE},
                   {{tip.Width() - 2, 0}, TRUE},
                   {{0, tip.Height() - 1}, FALSE},
                   {{tip.Width() - 1, tip.Height() - 1}, FALSE},
                   {{tip.Width() - 1, tip.Height() - 2}, TRUE},
                   {{tip.Width() / 2, tip.Height() / 2}, TRUE}};
    for (const auto& corner : corners)
        EXPECT_EQ(::PtInRegion(region, corner.pt.x, corner.pt.y), corner.bIn) << corner.pt.x << "," << corner.pt.y;

    CScopedMemDC dc(tip.Width(), tip.Height());
    d.tip.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
    WritePng(dc, L"tooltip_office2007_shown.png");
    EXPECT_EQ(PixelAt(dc, 1, 0), RGB(0x76, 0x76, 0x76)) << "the look's frame image";

    // Near the bottom it goes above the cursor; near the right edge it moves left.
    pt = showAt(CPoint(400, work.bottom - 5));
    EXPECT_EQ(d.TipRect().bottom, pt.y - 3);
    pt = showAt(CPoint(work.right - 10, 300));
    EXPECT_EQ(d.TipRect().right, work.right - 4);
    EXPECT_EQ(d.TipRect().top, tip.top) << "only moved sideways";

    // A tool with an extended rectangle gets its tip below that rectangle, at the tool's left.
    d.DelTool(1);
    d.AddTool(CRect(100, 100, 300, 200), 1, L"Below the strip", CRect(100, 100, 300, 180));
    d.Relay(WM_MOUSEMOVE, CPoint(150, 150));
    EXPECT_TRUE(IsShown(&d.tip, 1));
    CPoint ptBelow(100, 180);
    d.owner.ClientToScreen(&ptBelow);
    EXPECT_EQ(d.TipRect().TopLeft(), ptBelow);

    d.tip.DestroyWindow();
    GetOffice2007Images()->SetResourceModule(nullptr);
}

}  // namespace
