// Sheets of the looks for a person to look at: the twelve appearances in the four positions with their
// preferred colours (the test look loaded, so the image looks draw), and the eight colour sets on four
// appearances. Written under /tmp; the test only checks that each cell drew something.

#include "TabsTestSupport.h"

namespace {

constexpr int kCellWidth = 240;
constexpr int kCellHeight = 120;

// Draws one row of three tabs, the second selected, into a cell of the sheet at (x, y); answers the
// number of pixels that differ from the control face.
int DrawCell(CScopedMemDC& sheet, int x, int y, int nAppearance, int nColorSet, int nPosition) {
    CTestTabRow row;
    CTkTabPaintManager* pPaintManager = row.m_pPaintManager;
    pPaintManager->SetAppearance(nAppearance);
    if (nColorSet != 0)
        pPaintManager->SetColor(nColorSet);
    PinFont(pPaintManager);
    pPaintManager->SetPosition(nPosition);
    row.m_bIcons = FALSE;
    const wchar_t* const captions[] = {L"Calls", L"Channels", L"System log"};
    for (const wchar_t* pszCaption : captions)
        row.InsertItem(-1)->SetCaption(pszCaption);
    row.Layout(CRect(0, 0, kCellWidth - 8, kCellHeight - 8));
    row.SelectItem(row.GetItem(1));
    CScopedMemDC cell(kCellWidth - 8, kCellHeight - 8);
    row.Paint(cell);
    const COLORREF clrFace = pPaintManager->GetColorSet()->m_clrControlFace.GetEffective();
    int nDrawn = 0;
    for (int cy = 0; cy < cell.GetHeight(); ++cy) {
        for (int cx = 0; cx < cell.GetWidth(); ++cx)
            nDrawn += PixelAt(cell, cx, cy) != clrFace;
    }
    sheet.BitBlt(x + 4, y + 4, cell.GetWidth(), cell.GetHeight(), &cell, 0, 0, SRCCOPY);
    return nDrawn;
}

}  // namespace

TEST(TabSheet, EveryAppearanceInEveryPosition) {
    CTestLook look;
    CScopedMemDC sheet(4 * kCellWidth, 12 * kCellHeight);
    sheet.FillSolidRect(CRect(0, 0, sheet.GetWidth(), sheet.GetHeight()), RGB(255, 255, 255));
    for (int nAppearance = 0; nAppearance < 12; ++nAppearance) {
        for (int nPosition = 0; nPosition < 4; ++nPosition)
            EXPECT_GT(DrawCell(sheet, nPosition * kCellWidth, nAppearance * kCellHeight, nAppearance, 0, nPosition), 0)
                << nAppearance << " " << nPosition;
    }
    SavePicture(sheet, L"tab-appearances");
}

TEST(TabSheet, EveryColourSetOnFourAppearances) {
    CTestLook look;
    const int kAppearances[] = {kTabAppearancePropertyPage, kTabAppearancePropertyPage2003, kTabAppearanceExcel,
                                kTabAppearanceVisualStudio2005};
    const int kColorSets[] = {1, 2, 4, 8, 16, 32, 64, 128};
    CScopedMemDC sheet(4 * kCellWidth, 8 * kCellHeight);
    sheet.FillSolidRect(CRect(0, 0, sheet.GetWidth(), sheet.GetHeight()), RGB(255, 255, 255));
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 4; ++c)
            EXPECT_GT(DrawCell(sheet, c * kCellWidth, r * kCellHeight, kAppearances[c], kColorSets[r], kTabPositionTop),
                      0);
    }
    SavePicture(sheet, L"tab-colorsets");
}
