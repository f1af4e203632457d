#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinScrollBar.h"

namespace {

// The state-coded skin's scroll bars: arrows of vertical bars are 15 pixels long (SCROLLBARHEIGHT), those
// of horizontal bars 19 (SCROLLBARWIDTH).
SCROLLBARPOSITION LaidOut(CTkSkinManager& manager, BOOL bVertical, RECT rc, int nMin, int nMax, UINT nPage, int nPos) {
    SCROLLBARPOSITION bar;
    bar.bVertical = bVertical;
    bar.bVisible = TRUE;
    SCROLLINFO info = {sizeof(info), SIF_ALL, nMin, nMax, nPage, nPos, 0};
    CalcScrollBarLayout(&bar, rc, info, manager.GetMetrics());
    return bar;
}

}  // namespace

// Arrows at the ends (cut to half a short bar), a thumb sized by page over range (at least half an arrow)
// and placed by position over range minus page; a page as large as the range puts the thumb one pixel
// before the track.
TEST(SkinScrollBar, LayoutPlacesArrowsTrackAndThumb) {
    struct Row {
        const char* pszName;
        BOOL bVertical;
        RECT rc;
        int nMin, nMax, nPage, nPos;
        int nFirstArrowEnd, nSecondArrowStart, nTrackStart, nTrackLength, nThumbStart, nThumbEnd;
    };
    const Row rows[] = {
        {"top", TRUE, {0, 0, 15, 100}, 0, 99, 10, 0, 15, 85, 15, 63, 15, 22},
        {"bottom", TRUE, {0, 0, 15, 100}, 0, 99, 10, 90, 15, 85, 15, 63, 78, 85},
        {"middle, rounded", TRUE, {0, 0, 15, 100}, 0, 99, 10, 45, 15, 85, 15, 63, 47, 54},
        {"minimum not 0", TRUE, {0, 0, 15, 100}, 10, 109, 10, 55, 15, 85, 15, 63, 47, 54},
        {"horizontal", FALSE, {10, 0, 110, 19}, 0, 9, 5, 5, 29, 91, 29, 31, 60, 91},
        {"short bar", TRUE, {0, 0, 15, 20}, 0, 99, 0, 0, 10, 10, 10, -15, 10, 25},
        {"page as large as the range", TRUE, {0, 0, 15, 100}, 0, 9, 10, 0, 15, 85, 15, 0, 14, 84},
        {"empty range without a page", TRUE, {0, 0, 15, 100}, 0, 0, 0, 0, 15, 85, 15, 55, 14, 29},
        {"tiny page", TRUE, {0, 0, 15, 100}, 0, 999, 1, 0, 15, 85, 15, 63, 15, 22},
    };
    LoadedSkin skin(kStateCodedModule);
    for (const Row& row : rows) {
        const SCROLLBARPOSITION bar =
            LaidOut(skin.Manager(), row.bVertical, row.rc, row.nMin, row.nMax, row.nPage, row.nPos);
        EXPECT_EQ(bar.nFirstArrowEnd, row.nFirstArrowEnd) << row.pszName;
        EXPECT_EQ(bar.nSecondArrowStart, row.nSecondArrowStart) << row.pszName;
        EXPECT_EQ(bar.nTrackStart, row.nTrackStart) << row.pszName;
        EXPECT_EQ(bar.nTrackLength, row.nTrackLength) << row.pszName;
        EXPECT_EQ(bar.nThumbStart, row.nThumbStart) << row.pszName;
        EXPECT_EQ(bar.nThumbEnd, row.nThumbEnd) << row.pszName;
        EXPECT_EQ(bar.nCrossEnd - bar.nCrossStart, row.bVertical ? 15 : 19) << row.pszName;
        EXPECT_TRUE(::EqualRect(&bar.rc, &row.rc)) << row.pszName;
    }
}

// The part under a point along the axis; nothing outside the bar or for a bar that is not shown.
TEST(SkinScrollBar, HitTestFindsThePartAlongTheAxis) {
    LoadedSkin skin(kStateCodedModule);
    SCROLLBARPOSITION bar = LaidOut(skin.Manager(), TRUE, {0, 0, 15, 100}, 0, 99, 10, 45);  // thumb 47..54
    const struct {
        POINT pt;
        int nPart;
    } rows[] = {
        {{7, 0}, tkSkinScrollFirstArrow},   {{7, 14}, tkSkinScrollFirstArrow}, {{7, 15}, tkSkinScrollPageBefore},
        {{7, 46}, tkSkinScrollPageBefore},  {{7, 47}, tkSkinScrollThumb},      {{7, 53}, tkSkinScrollThumb},
        {{7, 54}, tkSkinScrollPageAfter},   {{7, 84}, tkSkinScrollPageAfter},  {{7, 85}, tkSkinScrollSecondArrow},
        {{7, 99}, tkSkinScrollSecondArrow}, {{7, 100}, tkSkinScrollNone},      {{15, 50}, tkSkinScrollNone},
        {{-1, 50}, tkSkinScrollNone},
    };
    for (const auto& row : rows)
        EXPECT_EQ(HitTestScrollBar(&bar, row.pt), row.nPart) << row.pt.x << "," << row.pt.y;
    bar.bVisible = FALSE;
    EXPECT_EQ(HitTestScrollBar(&bar, {7, 50}), tkSkinScrollNone);
}

// Before the track the minimum, from its end on the last position a page can start at (the maximum without
// a page), in between in proportion.
TEST(SkinScrollBar, PositionFromPixelSpansTheTrack) {
    LoadedSkin skin(kStateCodedModule);
    const SCROLLBARPOSITION paged = LaidOut(skin.Manager(), TRUE, {0, 0, 15, 100}, 0, 99, 10, 0);   // track 15 + 63
    const SCROLLBARPOSITION unpaged = LaidOut(skin.Manager(), TRUE, {0, 0, 15, 100}, 0, 99, 0, 0);  // track 15 + 55
    const struct {
        const SCROLLBARPOSITION* pBar;
        int nPixel;
        int nPosition;
    } rows[] = {
        {&paged, 10, 0},  {&paged, 15, 0},   {&paged, 46, 44},   {&paged, 77, 89},
        {&paged, 78, 90}, {&paged, 200, 90}, {&unpaged, 42, 49}, {&unpaged, 70, 99},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ScrollPositionFromPixel(row.pBar, row.nPixel), row.nPosition) << row.nPixel;
}
