// The progress range and the progress control: clamping, measuring, saving, and the classic drawing,
// which never fills outside the track whatever range and position were saved.

#include "BarFixtures.h"
#include "ControlsTestSupport.h"
#include "TkControlProgress.h"
#include "TkDefaultTheme.h"
#include "TkProgressPaintManager.h"

namespace {

// A range over a rectangle, counting its repaints.
class CTestProgress : public CTkProgressBase {
public:
    CRect GetProgressRect() override { return m_rc; }
    void RedrawProgress() override { ++m_nRedraws; }
    CTkProgressPaintManager* GetProgressPaintManager() override { return nullptr; }

    CRect m_rc;
    int m_nRedraws = 0;
};

TEST(ProgressBase, SetPosClampsTheLowerEndFirstAndSetRangeLeavesThePosition) {
    CTestProgress progress;
    struct Row {
        int nMin, nMax, nPos, nStored;
    };
    // A range with Max below Min prefers Max.
    const Row rows[] = {{0, 100, 150, 100}, {0, 100, -5, 0}, {0, 100, 40, 40}, {10, 5, 7, 5}, {10, 5, 0, 5}};
    for (const Row& row : rows) {
        progress.m_nMin = row.nMin;
        progress.m_nMax = row.nMax;
        progress.SetPos(row.nPos);
        EXPECT_EQ(progress.GetPos(), row.nStored) << row.nMin << ".." << row.nMax << " " << row.nPos;
    }
    progress.m_nRedraws = 0;
    progress.SetRange(0, 100);
    progress.SetPos(80);
    progress.SetRange(0, 50);
    EXPECT_EQ(progress.GetPos(), 80) << "not re-clamped";
    progress.SetRange(0, 50);
    progress.SetPos(80);
    EXPECT_EQ(progress.GetPos(), 50) << "clamped to the new range";
    EXPECT_EQ(progress.m_nRedraws, 4);
    progress.SetPos(50);
    EXPECT_EQ(progress.m_nRedraws, 4) << "unchanged values repaint nothing";
}

TEST(ProgressPainter, ClassicFillFollowsThePositionAndStaysInsideTheTrack) {
    CPinnedColors pinned({COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_HIGHLIGHT});
    const COLORREF clrFace = CPinnedColors::Of(COLOR_BTNFACE);
    const COLORREF clrFill = CPinnedColors::Of(COLOR_HIGHLIGHT);
    auto* pTheme = new CTkDefaultTheme;
    CTkProgressPaintManager painter(pTheme);
    CTestProgress progress;
    progress.m_rc = CRect(0, 0, 104, 16);  // the inner rectangle is 2..102, 100 pixels
    struct Row {
        const char* name;
        int nMin, nMax, nPos;
        int nFilled;  // pixels from x = 2
    };
    const Row rows[] = {
        {"half", 0, 100, 50, 50},
        {"full", 0, 100, 100, 100},
        {"empty", 0, 100, 0, 0},
        {"offset range", 50, 150, 75, 25},
        // Saved values the drawing keeps sane: an empty range, a position beyond the range set after it.
        {"empty range", 5, 5, 5, 0},
        {"position beyond", 0, 100, 200, 100},
        {"position below", 0, 100, -30, 0},
    };
    CScopedMemDC dc(104, 16);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        progress.m_nMin = row.nMin;
        progress.m_nMax = row.nMax;
        progress.m_nPos = row.nPos;
        painter.DrawProgress(&dc, &progress);
        EXPECT_EQ(PixelAt(dc, 0, 0), CPinnedColors::Of(COLOR_BTNSHADOW));
        EXPECT_EQ(PixelAt(dc, 103, 15), CPinnedColors::Of(COLOR_BTNSHADOW));
        EXPECT_EQ(PixelAt(dc, 1, 8), clrFace);
        EXPECT_EQ(PixelAt(dc, 102, 8), clrFace) << "nothing beyond the track";
        if (row.nFilled > 0)
            EXPECT_EQ(PixelAt(dc, 2 + row.nFilled - 1, 8), clrFill);
        if (row.nFilled < 100)
            EXPECT_EQ(PixelAt(dc, 2 + row.nFilled, 8), clrFace);
    }
    WritePng(dc, L"/tmp/controls-progress.png");
    pTheme->InternalRelease();
}

TEST_F(BarFixture, ProgressControlsMeasureByTheirPainterAndSaveTheirRange) {
    auto* pProgress = new CTkControlProgress;
    Controls()->Append(pProgress);
    EXPECT_EQ(pProgress->GetType(), kControlNone);
    ASSERT_NE(pProgress->GetProgressPaintManager(), nullptr) << "the registered painter";
    EXPECT_EQ(pProgress->GetSize(nullptr), CSize(100, 16));
    pProgress->SetHeight(20);
    EXPECT_EQ(pProgress->GetSize(nullptr), CSize(100, 20));
    pProgress->SetRange(10, 60);
    pProgress->SetPos(40);
    pProgress->SetRect(CRect(0, 0, 100, 20));
    EXPECT_EQ(pProgress->GetProgressRect(), CRect(0, 0, 100, 20));
    CTkControl* pClone = pProgress->Clone(FALSE);
    auto* pCopy = DYNAMIC_DOWNCAST(CTkControlProgress, pClone);
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->m_nMin, 10);
    EXPECT_EQ(pCopy->m_nMax, 60);
    EXPECT_EQ(pCopy->GetPos(), 40);
    pClone->InternalRelease();
}

}  // namespace
