#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinDrawEdge.h"

#include <vector>

namespace {

COLORREF Sys(int nIndex) {
    return TestSkinSysColor(nIndex);
}

COLORREF ScrollCell(int nPart, int nState) {
    return TestSkinCellColor(21, nPart, nState);
}

}  // namespace

// Edges in the skin's colours: outer pass then inner pass, sides right, bottom, left, top, one border wide;
// a pass with both bits set ends the call; BF_MONO implies BF_FLAT; a diagonal edge cannot fill its middle.
TEST(SkinDrawEdge, PaintsPassesInSkinColoursAndAdjustsTheRectangle) {
    struct Row {
        const char* pszName;
        UINT nEdge;
        UINT nFlags;
        BOOL bResult;
        RECT rcAfter;
        std::vector<SkinSample> samples;
    };
    const RECT rcFull = {0, 0, 10, 10};
    const Row rows[] = {
        {"sunken, adjusted",
         EDGE_SUNKEN,
         BF_RECT | BF_ADJUST,
         TRUE,
         {2, 2, 8, 8},
         {{0, 5, Sys(COLOR_3DSHADOW)},
          {9, 5, Sys(COLOR_3DHILIGHT)},
          {1, 5, Sys(COLOR_3DDKSHADOW)},
          {8, 5, Sys(COLOR_3DLIGHT)},
          {9, 0, Sys(COLOR_3DHILIGHT)},
          {0, 9, Sys(COLOR_3DHILIGHT)},
          {5, 5, kCanvasBackground}}},
        {"raised, soft",
         EDGE_RAISED,
         BF_RECT | BF_SOFT,
         TRUE,
         rcFull,
         {{0, 5, Sys(COLOR_3DHILIGHT)},
          {9, 5, Sys(COLOR_3DDKSHADOW)},
          {1, 5, Sys(COLOR_3DLIGHT)},
          {8, 5, Sys(COLOR_3DSHADOW)}}},
        {"mono with middle",
         EDGE_SUNKEN,
         BF_RECT | BF_MONO | BF_MIDDLE,
         TRUE,
         rcFull,
         {{0, 5, Sys(COLOR_WINDOWFRAME)},
          {9, 5, Sys(COLOR_WINDOWFRAME)},
          {1, 5, Sys(COLOR_WINDOW)},
          {8, 5, Sys(COLOR_WINDOW)},
          {5, 5, Sys(COLOR_WINDOW)}}},
        {"flat with middle",
         EDGE_RAISED,
         BF_RECT | BF_FLAT | BF_MIDDLE,
         TRUE,
         rcFull,
         {{0, 5, Sys(COLOR_3DSHADOW)}, {1, 5, Sys(COLOR_BTNFACE)}, {5, 5, Sys(COLOR_BTNFACE)}}},
        {"outer pass with both bits",
         BDR_RAISEDOUTER | BDR_SUNKENOUTER,
         BF_RECT,
         FALSE,
         rcFull,
         {{0, 5, kCanvasBackground}}},
        {"inner pass with both bits",
         BDR_SUNKENOUTER | BDR_INNER,
         BF_RECT | BF_ADJUST,
         FALSE,
         rcFull,
         {{0, 5, Sys(COLOR_3DSHADOW)}, {1, 5, kCanvasBackground}}},
        {"left and bottom only",
         BDR_RAISEDOUTER,
         BF_LEFT | BF_BOTTOM | BF_ADJUST,
         TRUE,
         {1, 0, 10, 9},
         {{0, 5, Sys(COLOR_3DLIGHT)},
          {5, 9, Sys(COLOR_3DDKSHADOW)},
          {9, 5, kCanvasBackground},
          {5, 0, kCanvasBackground}}},
        {"diagonal with middle",
         BDR_RAISEDOUTER,
         BF_DIAGONAL_ENDTOPRIGHT | BF_MIDDLE,
         FALSE,
         rcFull,
         {{0, 9, Sys(COLOR_3DLIGHT)},
          {5, 4, Sys(COLOR_3DLIGHT)},
          {9, 0, Sys(COLOR_3DLIGHT)},
          {0, 0, kCanvasBackground}}},
        {"diagonal down to the bottom right",
         BDR_SUNKENOUTER,
         BF_DIAGONAL_ENDBOTTOMRIGHT | BF_ADJUST,
         TRUE,
         {0, 1, 9, 10},
         {{0, 0, Sys(COLOR_3DHILIGHT)}, {9, 9, Sys(COLOR_3DHILIGHT)}, {0, 9, kCanvasBackground}}},
    };
    LoadedSkin skin(kStateCodedModule);
    for (const Row& row : rows) {
        SkinCanvas dc(10, 10);
        RECT rc = rcFull;
        EXPECT_EQ(SkinDrawEdge(&skin.Manager(), dc, &rc, row.nEdge, row.nFlags), row.bResult) << row.pszName;
        EXPECT_TRUE(::EqualRect(&rc, &row.rcAfter))
            << row.pszName << ": " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
        ExpectSamples(dc, row.samples, row.pszName);
    }
}

// Size grips, plain push buttons and scroll arrows come from the skin; every other frame control is left to
// the system, untouched.
TEST(SkinDrawEdge, FrameControlsDrawTheirThreeKindsAndRefuseTheRest) {
    struct Row {
        const char* pszName;
        UINT nType;
        UINT nState;
        BOOL bResult;
        RECT rcAfter;
        std::vector<SkinSample> samples;
    };
    const RECT rcFull = {0, 0, 16, 16};
    const Row rows[] = {
        {"size grip", DFC_SCROLL, DFCS_SCROLLSIZEGRIP, TRUE, rcFull, {{8, 8, ScrollCell(10, 1)}}},
        {"pressed left arrow", DFC_SCROLL, DFCS_SCROLLLEFT | DFCS_PUSHED, TRUE, rcFull, {{8, 8, ScrollCell(1, 11)}}},
        {"up arrow", DFC_SCROLL, DFCS_SCROLLUP, TRUE, rcFull, {{8, 8, ScrollCell(1, 1)}}},
        {"inactive beats pressed",
         DFC_SCROLL,
         DFCS_SCROLLDOWN | DFCS_INACTIVE | DFCS_PUSHED,
         TRUE,
         rcFull,
         {{8, 8, ScrollCell(1, 8)}}},
        {"pressed push button, adjusted",
         DFC_BUTTON,
         DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_ADJUSTRECT,
         TRUE,
         {2, 2, 14, 14},
         {{0, 8, Sys(COLOR_3DSHADOW)}, {1, 8, Sys(COLOR_3DDKSHADOW)}, {8, 8, Sys(COLOR_BTNFACE)}}},
        {"push button",
         DFC_BUTTON,
         DFCS_BUTTONPUSH,
         TRUE,
         rcFull,
         {{0, 8, Sys(COLOR_3DLIGHT)}, {8, 8, Sys(COLOR_BTNFACE)}}},
        {"check box",
         DFC_BUTTON,
         DFCS_BUTTONCHECK,
         FALSE,
         rcFull,
         {{0, 0, kCanvasBackground}, {8, 8, kCanvasBackground}}},
        {"flat push button", DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT, FALSE, rcFull, {{8, 8, kCanvasBackground}}},
        {"combo box arrow", DFC_SCROLL, DFCS_SCROLLCOMBOBOX, FALSE, rcFull, {{8, 8, kCanvasBackground}}},
        {"size grip with other bits",
         DFC_SCROLL,
         DFCS_SCROLLSIZEGRIP | DFCS_INACTIVE,
         FALSE,
         rcFull,
         {{8, 8, kCanvasBackground}}},
        {"caption close button", DFC_CAPTION, DFCS_CAPTIONCLOSE, FALSE, rcFull, {{8, 8, kCanvasBackground}}},
    };
    LoadedSkin skin(kStateCodedModule);
    for (const Row& row : rows) {
        SkinCanvas dc(16, 16);
        RECT rc = rcFull;
        EXPECT_EQ(SkinDrawFrameControl(&skin.Manager(), dc, &rc, row.nType, row.nState), row.bResult) << row.pszName;
        EXPECT_TRUE(::EqualRect(&rc, &row.rcAfter)) << row.pszName;
        ExpectSamples(dc, row.samples, row.pszName);
    }
}

// The fills leave the DC's background colour as they found it; the frame strips stay inside the rectangle.
TEST(SkinDrawEdge, FillsRestoreTheBackgroundColourAndFramesStayInside) {
    SkinCanvas dc(10, 10);
    dc.SetBkColor(RGB(9, 9, 9));
    const RECT rc = {1, 1, 9, 9};
    DrawFrameRectColor(&dc, &rc, 2, RGB(200, 0, 0));
    CBrush brush;
    brush.CreateSolidBrush(RGB(0, 200, 0));
    const RECT rcInner = {3, 3, 7, 7};
    DrawFrameRectBrush(&dc, &rcInner, 1, brush);
    EXPECT_EQ(dc.GetBkColor(), RGB(9, 9, 9));
    const COLORREF red = RGB(200, 0, 0);
    const COLORREF green = RGB(0, 200, 0);
    const COLORREF row[10] = {kCanvasBackground, red,   red, green, kCanvasBackground,
                              kCanvasBackground, green, red, red,   kCanvasBackground};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(dc.At(x, 5), row[x]) << x;
        EXPECT_EQ(dc.At(5, x), row[x]) << x;
    }
}
