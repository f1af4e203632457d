// Progress bars and up-down controls under the state-coded skin: chunks over the filled part of the bar,
// the skin's own marquee animation, a skin's odd chunk and space sizes; up-down halves in their states.

#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinObjectProgress.h"
#include "TkSkinObjectSpin.h"

#include <string>
#include <vssym32.h>

namespace {

constexpr RECT kBarRect = {0, 0, 200, 20};

CTkSkinObjectProgress* ProgressOf(HWND hWnd) {
    return dynamic_cast<CTkSkinObjectProgress*>(GetSkinManager()->FindSkinObject(hWnd));
}

}  // namespace

TEST(SkinProgress, ChunksMarqueeAndOddSkinSizes) {
    OpenStateCodedSkin();
    RecorderParent parent;
    HWND hBar = parent.AddChild(PROGRESS_CLASSW, L"", 0, kBarRect);
    ASSERT_NE(ProgressOf(hBar), nullptr);
    EXPECT_EQ(::GetWindowLongW(hBar, GWL_EXSTYLE) & WS_EX_STATICEDGE, 0) << "the skin draws the bar's edge";
    ::SendMessageW(hBar, PBM_SETRANGE32, 0, 100);
    ::SendMessageW(hBar, PBM_SETPOS, 50, 0);
    SkinCanvas dc(200, 20);
    PrintInto(dc, hBar);
    // Chunks 13 wide (two thirds of the height) with 2 between them cover the first half.
    EXPECT_EQ(CellAt(dc, 5, 10), CellName(kProgress, PP_CHUNK, 0));
    EXPECT_EQ(CellAt(dc, 95, 10), CellName(kProgress, PP_CHUNK, 0));
    EXPECT_EQ(CellAt(dc, 14, 10), CellName(kProgress, PP_BAR, 0)) << "the space between two chunks";
    EXPECT_EQ(CellAt(dc, 110, 10), CellName(kProgress, PP_BAR, 0));
    EXPECT_EQ(CellAt(dc, 190, 10), CellName(kProgress, PP_BAR, 0));
    ::DestroyWindow(hBar);

    // The marquee: two steps of a chunk (9: (2 x 20 - 12) / 3) and a space (2) per tick at 50 ms and below,
    // one above; interval 0 stops it.
    HWND hMarquee = parent.AddChild(PROGRESS_CLASSW, L"", PBS_MARQUEE, kBarRect);
    CTkSkinObjectProgress* pMarquee = ProgressOf(hMarquee);
    ASSERT_NE(pMarquee, nullptr);
    const struct {
        int nInterval;
        int nStep;
    } speeds[] = {{30, 22}, {50, 22}, {100, 11}};
    for (const auto& speed : speeds) {
        EXPECT_EQ(::SendMessageW(hMarquee, PBM_SETMARQUEE, TRUE, speed.nInterval), 1);
        EXPECT_EQ(pMarquee->GetMarqueeInterval(), speed.nInterval);
        EXPECT_EQ(pMarquee->GetMarqueeOffset(), 0);
        ::SendMessageW(hMarquee, WM_TIMER, kProgressMarqueeTimer, 0);
        EXPECT_EQ(pMarquee->GetMarqueeOffset(), speed.nStep) << speed.nInterval << " ms";
    }
    ::SendMessageW(hMarquee, PBM_SETMARQUEE, TRUE, 0);
    EXPECT_EQ(pMarquee->GetMarqueeInterval(), 0);
    EXPECT_FALSE(::KillTimer(hMarquee, kProgressMarqueeTimer)) << "no timer runs";
    // A step past the right edge starts over at the left.
    for (int nStep = 0; nStep < 20; ++nStep)
        ::SendMessageW(hMarquee, PBM_STEPIT, 0, 0);
    EXPECT_LE(pMarquee->GetMarqueeOffset(), 200);
    PrintInto(dc, hMarquee);
    const int x = pMarquee->GetMarqueeOffset() + 1;
    EXPECT_EQ(CellAt(dc, x < 200 ? x : 1, 10), CellName(kProgress, PP_CHUNK, 0));
    ::DestroyWindow(hMarquee);

    // A skin may give any chunk and space sizes: none faults, and half the bar is still filled.
    CTempFolder folder;
    const struct {
        int nChunk;
        int nSpace;
    } sizes[] = {{1, -1}, {-2, 2}, {0, 0}};
    for (const auto& size : sizes) {
        const std::string ini = "[Progress]\nProgressChunkSize = " + std::to_string(size.nChunk) +
                                "\nProgressSpaceSize = " + std::to_string(size.nSpace) +
                                "\n[Progress.Bar]\nBgType = BorderFill\nBorderSize = 0\nFillColor = 10 20 30\n"
                                "[Progress.Chunk]\nBgType = BorderFill\nBorderSize = 0\nFillColor = 200 100 50\n";
        WriteBytes(folder.WidePath() + L"\\odd.ini", ini.data(), ini.size());
        ASSERT_TRUE(GetSkinManager()->OpenSkin(folder.WidePath().c_str(), L"odd.ini"));
        HWND hOdd = parent.AddChild(PROGRESS_CLASSW, L"", 0, kBarRect);
        ::SendMessageW(hOdd, PBM_SETPOS, 50, 0);
        PrintInto(dc, hOdd);
        int nFirstHalf = 0;
        int nSecondHalf = 0;
        for (int x = 0; x < 200; ++x)
            (x < 100 ? nFirstHalf : nSecondHalf) += dc.At(x, 10) == RGB(200, 100, 50) ? 1 : 0;
        EXPECT_GT(nFirstHalf, 0) << size.nChunk << ", " << size.nSpace;
        EXPECT_EQ(nSecondHalf, 0) << size.nChunk << ", " << size.nSpace;
        ::DestroyWindow(hOdd);
    }
}

TEST(SkinSpin, HalvesInTheirStates) {
    OpenStateCodedSkin();
    RecorderParent parent;
    HWND hSpin = parent.AddChild(UPDOWN_CLASSW, L"", 0, {10, 10, 30, 50});
    auto* pSpin = dynamic_cast<CTkSkinObjectSpin*>(GetSkinManager()->FindSkinObject(hSpin));
    ASSERT_NE(pSpin, nullptr);
    SkinCanvas dc(20, 40);
    auto expect = [&](const char* pszCase, int nUpState, int nDownState) {
        PrintInto(dc, hSpin);
        EXPECT_EQ(CellAt(dc, 10, 5), CellName(kSpin, SPNP_UP, nUpState)) << pszCase;
        EXPECT_EQ(CellAt(dc, 10, 35), CellName(kSpin, SPNP_DOWN, nDownState)) << pszCase;
    };
    ::SendMessageW(hSpin, UDM_SETRANGE32, 5, 5);
    expect("empty range", UPS_DISABLED, UPS_DISABLED);
    ::SendMessageW(hSpin, UDM_SETRANGE32, 0, 10);
    expect("idle", UPS_NORMAL, UPS_NORMAL);
    ::SendMessageW(hSpin, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    expect("upper half hovered", UPS_HOT, UPS_NORMAL);
    ::SendMessageW(hSpin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_EQ(pSpin->GetPressedHalf(), CTkSkinObjectSpin::kUpperHalf);
    expect("upper half pressed", UPS_PRESSED, UPS_NORMAL);
    ::SendMessageW(hSpin, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 35));
    expect("pressed, then moved onto the lower half", UPS_HOT, UPS_NORMAL);
    ::SendMessageW(hSpin, WM_LBUTTONUP, 0, MAKELPARAM(10, 35));
    expect("released over the lower half", UPS_NORMAL, UPS_HOT);
    ::SendMessageW(hSpin, WM_MOUSELEAVE, 0, 0);
    expect("left", UPS_NORMAL, UPS_NORMAL);
    ::ReleaseCapture();
    EXPECT_EQ(pSpin->HalfAt(CPoint(10, 20)), CTkSkinObjectSpin::kNoHalf) << "the middle line is in neither half";
    ::EnableWindow(hSpin, FALSE);
    expect("disabled", UPS_DISABLED, UPS_DISABLED);
}
