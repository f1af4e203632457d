// Pixels of the looks: the property-page edges in the four positions, a line whose colour is unset, the
// 2003 tabs' outline and white inner lines, the sheet tabs' slope, the image bands of the 2007 looks
// with and without the look, a turned icon, and tabs coloured one by one.

#include "TabsTestSupport.h"

#include "TkBitmapFunctions.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"

#include <string>

namespace {

// A line of pixels: horizontal (bHorizontal) or vertical from (x, y), nLength long.
struct Line {
    BOOL bHorizontal;
    int x;
    int y;
    int nLength;
    COLORREF clr;
};

// Tests every pixel of every line; answers the first mismatch.
::testing::AssertionResult LinesHold(const CScopedMemDC& dc, const std::vector<Line>& lines) {
    for (const Line& l : lines) {
        for (int i = 0; i < l.nLength; ++i) {
            const int x = l.bHorizontal ? l.x + i : l.x;
            const int y = l.bHorizontal ? l.y : l.y + i;
            if (PixelAt(dc, x, y) != l.clr)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is 0x" << std::hex
                                                     << PixelAt(dc, x, y) << ", not 0x" << l.clr;
        }
    }
    return ::testing::AssertionSuccess();
}

Line H(int x, int y, int n, COLORREF c) {
    return Line{TRUE, x, y, n, c};
}
Line V(int x, int y, int n, COLORREF c) {
    return Line{FALSE, x, y, n, c};
}
Line P(int x, int y, COLORREF c) {
    return Line{TRUE, x, y, 1, c};
}

// The edges of the unselected first tab of a fixed row of three, the third selected.
struct EdgeCase {
    int nPosition;
    CRect rcTab;
    std::vector<Line> lines;
};

std::vector<EdgeCase> EdgeCases() {
    const COLORREF l = kPinPageLight, s = kPinPageShadow, d = kPinPageDark, f = kPinNormalTab;
    return {
        {kTabPositionTop,
         {2, 3, 72, 23},
         {V(2, 5, 18, l), P(3, 4, l), H(4, 3, 66, l), P(70, 4, d), V(71, 5, 17, d), V(70, 5, 17, s), P(4, 21, f)}},
        {kTabPositionLeft,
         {3, 2, 23, 72},
         {H(5, 2, 18, l), P(4, 3, l), V(3, 4, 66, l), H(4, 70, 1, s), H(6, 70, 16, s), H(5, 71, 1, s), H(6, 71, 16, d),
          P(5, 70, d), P(21, 4, f)}},
        {kTabPositionBottom,
         {2, 177, 72, 197},
         {V(2, 178, 18, l), P(3, 196, l), H(4, 196, 66, s), H(4, 197, 66, d), P(70, 196, d), V(71, 177, 19, d),
          V(70, 177, 19, s), P(4, 179, f)}},
        {kTabPositionRight,
         {277, 2, 297, 72},
         {H(278, 2, 18, l), P(296, 3, l), V(296, 4, 66, s), V(297, 4, 66, d), P(296, 70, d), H(278, 70, 18, s),
          H(278, 71, 18, d), P(279, 4, f)}},
    };
}

// A row of the look on a DIB (300 x 200 by default) with tabs "Tab 1".., nSelected selected.
struct PaintedRow {
    PaintedRow(int nAppearance, int nPosition, int nTabs, int nSelected, int nLayout = kTabLayoutAutoSize,
               CSize size = CSize(300, 200))
        : dc(size.cx, size.cy) {
        row.m_pPaintManager->SetAppearance(nAppearance);
        PinFont(row.m_pPaintManager);
        PinColors(row.m_pPaintManager);
        row.m_pPaintManager->SetPosition(nPosition);
        row.m_pPaintManager->SetLayout(nLayout);
        row.AddTabs(nTabs);
        row.Layout(CRect(CPoint(0, 0), size));
        if (nSelected >= 0)
            row.SelectItem(row.GetItem(nSelected));
        row.Paint(dc);
    }
    CTestTabRow row;
    CScopedMemDC dc;
};

}  // namespace

TEST(TabPainting, PropertyPageEdgesHoldInAllFourPositions) {
    for (const EdgeCase& c : EdgeCases()) {
        // Vertical rows are 300 high, so that the selected third tab needs no scrolling.
        const CSize size(300, IsHorizontalTabPosition(c.nPosition) ? 200 : 300);
        PaintedRow painted(kTabAppearancePropertyPage, c.nPosition, 3, 2, kTabLayoutFixed, size);
        EXPECT_EQ(painted.row.GetItem(0)->GetRect(), c.rcTab) << c.nPosition;
        EXPECT_TRUE(LinesHold(painted.dc, c.lines)) << "position " << c.nPosition;
        SavePicture(painted.dc, (L"tab-propertypage-" + std::to_wstring(c.nPosition)).c_str());
    }
    // The selected tab opens into the client: its fill runs over the client frame's top line.
    PaintedRow top(kTabAppearancePropertyPage, kTabPositionTop, 2, 1, kTabLayoutFixed);
    EXPECT_TRUE(LinesHold(top.dc, {H(71, 22, 71, kPinSelectedTab), H(150, 22, 140, kPinPageLight)}));
}

TEST(TabPainting, AnUnsetColourDrawsNoLine) {
    CScopedMemDC dc(100, 40);
    dc.FillSolidRect(CRect(0, 0, 100, 40), kSentinel);
    CTestTabRow row;
    row.m_pPaintManager->SetLayout(kTabLayoutFixed);
    row.AddTabs(2);
    row.SelectItem(row.GetItem(1));
    row.Layout(CRect(0, 0, 300, 200));
    CTkTabPaintManager::CColorSet* pColors = row.m_pPaintManager->GetColorSet();
    pColors->m_clrPageLight.m_customValue = kColorUnset;
    pColors->m_clrPageLight.m_standardValue = kColorUnset;
    row.m_pPaintManager->GetAppearanceSet()->PaintTab(&dc, row.GetItem(0));
    EXPECT_TRUE(LinesHold(dc, {V(2, 5, 18, kSentinel), H(4, 3, 66, kSentinel), V(71, 5, 17, kPinPageDark)}));
}

TEST(TabPainting, Office2003TabsKeepWhiteInnerLinesWhenSelected) {
    PaintedRow painted(kTabAppearancePropertyPage2003, kTabPositionTop, 2, 0);
    SavePicture(painted.dc, L"tab-2003");
    const CRect rcSelected = painted.row.GetItem(0)->GetRect();
    const CRect rcOther = painted.row.GetItem(1)->GetRect();
    EXPECT_EQ(rcSelected.left, 2 + 18) << "the inset leaves room for the first slant";
    const int T = rcSelected.top, B = rcSelected.bottom, R = rcSelected.right, L = rcSelected.left;
    EXPECT_TRUE(LinesHold(painted.dc, {H(L + 8, T + 1, R - L - 12, RGB(255, 255, 255)),  // second inner line
                                       V(R - 1, T + 3, B - T - 6, RGB(255, 255, 255)),   // first inner line
                                       V(R, T + 3, B - T - 6, kPinSelectedTabBorder),    // outline
                                       H(L + 2, B - 1, R - L - 4, kPinSelectedTab)}))    // the erased frame line
        << "selected";
    const int T2 = rcOther.top, R2 = rcOther.right, L2 = rcOther.left, B2 = rcOther.bottom;
    EXPECT_TRUE(LinesHold(
        painted.dc, {H(L2 + 8, T2 + 1, R2 - L2 - 12, kPinTabFaceEnd), V(R2 - 1, T2 + 3, B2 - T2 - 6, kPinTabFaceStart),
                     V(R2, T2 + 3, B2 - T2 - 6, kPinTabBorder)}))
        << "other";
}

TEST(TabPainting, SheetTabsSlopeOnePixelAcrossForTwoUp) {
    PaintedRow painted(kTabAppearanceExcel, kTabPositionTop, 2, 1);
    SavePicture(painted.dc, L"tab-excel");
    const CRect rc = painted.row.GetItem(0)->GetRect();
    const int Bp = rc.bottom - 1, f = (Bp - rc.top) / 2, L = rc.left - f / 2;
    // Colour 0 of the other tabs' block runs from (L, B' - 1) up to (L + f, T).
    int nFirstX = -1, nLastX = -1;
    for (int y = Bp - 1; y > rc.top; --y) {
        int xFound = -1;
        for (int x = L - 2; x <= L + f + 2; ++x) {
            if (PixelAt(painted.dc, x, y) == PinExcelOther(0)) {
                xFound = x;
                break;
            }
        }
        ASSERT_GE(xFound, 0) << "row " << y;
        if (nFirstX < 0)
            nFirstX = xFound;
        nLastX = xFound;
    }
    EXPECT_NEAR(nLastX - nFirstX, f, 1);
    EXPECT_EQ(PixelAt(painted.dc, rc.left + 20, rc.top), PinExcelOther(0)) << "the top line";
    EXPECT_EQ(PixelAt(painted.dc, rc.left + 20, rc.top + 1), PinExcelOther(3));
}

TEST(TabPainting, ImageLooksDrawTheirBandsOnlyWithTheLook) {
    {
        CTestLook look;
        ASSERT_TRUE(look.IsLoaded());
        for (int nPosition : {kTabPositionTop, kTabPositionLeft, kTabPositionBottom, kTabPositionRight}) {
            PaintedRow painted(kTabAppearancePropertyPage2007, nPosition, 3, 1);
            const CRect rcSelected = painted.row.GetItem(1)->GetRect();
            const CRect rcOther = painted.row.GetItem(0)->GetRect();
            EXPECT_EQ(PixelAt(painted.dc, rcSelected.left + 3, rcSelected.top + 3), RibbonTabBand(3)) << nPosition;
            EXPECT_EQ(PixelAt(painted.dc, rcOther.left + 3, rcOther.top + 3), kPinHeader) << nPosition;
            const CPoint ptClient = painted.row.GetClientRect().CenterPoint();
            EXPECT_EQ(PixelAt(painted.dc, ptClient.x, ptClient.y), kLookRibbonGroups) << nPosition;

            PaintedRow access(kTabAppearancePropertyPageAccess2007, nPosition, 3, 1);
            const CRect rcAccess = access.row.GetItem(0)->GetRect();
            const CRect rcAccessSelected = access.row.GetItem(1)->GetRect();
            EXPECT_EQ(PixelAt(access.dc, rcAccess.left + 3, rcAccess.top + 3), AccessTabBand(0)) << nPosition;
            EXPECT_EQ(PixelAt(access.dc, rcAccessSelected.left + 3, rcAccessSelected.top + 3), AccessTabBand(2))
                << nPosition;
            SavePicture(access.dc, (L"tab-access-" + std::to_wstring(nPosition)).c_str());
        }
    }
    // Without the look nothing of the row is drawn, captions included: the control face alone remains.
    for (int nAppearance : {kTabAppearancePropertyPage2007, kTabAppearancePropertyPageAccess2007}) {
        PaintedRow painted(nAppearance, kTabPositionTop, 3, 1);
        int nOther = 0;
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 300; ++x)
                nOther += PixelAt(painted.dc, x, y) != kPinControlFace;
        }
        EXPECT_EQ(nOther, 0) << nAppearance;
    }
}

TEST(TabPainting, SquareIconsTurnAQuarterOnVerticalRows) {
    // 16 x 16, opaque: blue with a red 4 x 4 block at the top left.
    void* pvBits = nullptr;
    CBitmap bitmap;
    bitmap.Attach(CreateDibSection32(nullptr, 16, -16, &pvBits));
    auto* pBits = static_cast<DWORD*>(pvBits);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            pBits[y * 16 + x] = (x < 4 && y < 4) ? 0xFFFF0000 : 0xFF0000FF;
    }
    auto* pImages = new CTkImageManager;
    const UINT nId = 7;
    ASSERT_TRUE(pImages->SetIconsFromBitmap(&bitmap, &nId, 1, 16, 16, ImageStateNormal, TRUE));
    CTkImageManagerIcon* pIcon = pImages->GetIcon(nId, 16);
    ASSERT_NE(pIcon, nullptr);

    struct Case {
        int nPosition;
        BOOL bRotate;
        CPoint ptRed;
        CPoint ptBlue;
    };
    const Case kCases[] = {
        {kTabPositionLeft, TRUE, {10 + 13, 10 + 1}, {10 + 1, 10 + 1}},
        {kTabPositionRight, TRUE, {10 + 13, 10 + 1}, {10 + 1, 10 + 1}},
        {kTabPositionTop, TRUE, {10 + 1, 10 + 1}, {10 + 13, 10 + 1}},
        {kTabPositionLeft, FALSE, {10 + 1, 10 + 1}, {10 + 13, 10 + 1}},
    };
    for (const Case& c : kCases) {
        CTestTabRow row;
        row.m_pPaintManager->SetPosition(c.nPosition);
        row.m_pPaintManager->m_bRotateImages = c.bRotate;
        row.AddTabs(1);
        CScopedMemDC dc(40, 40);
        dc.FillSolidRect(CRect(0, 0, 40, 40), kSentinel);
        row.GetItem(0)->DrawImage(&dc, CRect(10, 10, 26, 26), pIcon);
        EXPECT_EQ(PixelAt(dc, c.ptRed.x, c.ptRed.y), RGB(255, 0, 0)) << c.nPosition << c.bRotate;
        EXPECT_EQ(PixelAt(dc, c.ptBlue.x, c.ptBlue.y), RGB(0, 0, 255)) << c.nPosition << c.bRotate;
        EXPECT_EQ(PixelAt(dc, 9, 9), kSentinel);
    }
    pImages->InternalRelease();
}

TEST(TabPainting, ColourByTabFillsEachTabWithItsOwnColour) {
    CTestTabRow row;
    row.m_pPaintManager->m_bColorByTab = TRUE;
    row.m_pPaintManager->SetLayout(kTabLayoutFixed);
    row.AddTabs(2);
    row.SelectItem(row.GetItem(1));
    row.Layout(CRect(0, 0, 300, 200));
    CScopedMemDC dc(300, 200);
    row.Paint(dc);
    EXPECT_EQ(PixelAt(dc, 4, 21), CTkTabPaintManager::GetAutomaticColor(0));
    EXPECT_EQ(PixelAt(dc, 150, 100), CTkTabPaintManager::GetAutomaticColor(1)) << "the client takes the selected";
}
