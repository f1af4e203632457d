#include "FoundationTestSupport.h"
#include "SkinTestSupport.h"
#include "TestSkins.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerSchema.h"

#include <algorithm>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);

// A 0x00RRGGBB pixel of a COLORREF, for MakeDib.
DWORD Pixel(COLORREF clr) {
    return static_cast<DWORD>(GetRValue(clr)) << 16 | GetGValue(clr) << 8 | GetBValue(clr);
}

// A w x h bitmap file of rows of colours, each row one colour.
void WriteRows(const SkinFromText& skin, LPCWSTR pszName, int nWidth, const std::vector<COLORREF>& rows) {
    std::vector<DWORD> pixels;
    for (COLORREF clr : rows)
        pixels.insert(pixels.end(), nWidth, Pixel(clr));
    WriteBmpFile(skin.Folder() + L"\\" + pszName, MakeDib(nWidth, static_cast<int>(rows.size()), 24, pixels));
}

// Normal and disabled toolbar buttons lie flat on the bar: the program's skin draws nothing for them.
bool IsFlatToolbarButton(const TestSkinPart& part, int nState) {
    return std::wstring(part.className) == L"TOOLBAR" && (part.part == 1 || part.part == 3) &&
           (nState == 1 || nState == 4);
}

}  // namespace

// The skin draws with its default schema. Every part of the state-coded skin draws, for each of its states,
// the cell of that state; a state of 0 or past the image's cells draws the first cell.
TEST(SkinSchemaDraw, EveryPartDrawsTheCellOfItsState) {
    LoadedSkin skin(kStateCodedModule);
    EXPECT_EQ(skin.Manager().GetSchema()->GetSchemaName(), L"Default");
    for (const TestSkinPart& part : kTestSkinParts) {
        CTkSkinManagerClass* pClass = skin.Manager().GetSkinClass(part.className);
        ASSERT_NE(pClass, nullptr);
        std::vector<std::pair<int, int>> states;  // state drawn, state expected
        for (int i = 0; i < part.stateCount; ++i)
            states.emplace_back(part.firstState + i, part.firstState + i);
        states.emplace_back(0, part.firstState);
        states.emplace_back(part.firstState + part.stateCount, part.firstState);
        for (const auto& [nState, nExpected] : states) {
            SkinCanvas dc(20, 20);
            const RECT rc = {0, 0, 20, 20};
            EXPECT_TRUE(pClass->DrawBackground(&dc, part.part, nState, &rc));
            const std::string strWhere = DecodedCell(TestSkinCellColor(part.classId, part.part, nState));
            if (part.image == nullptr) {
                // Border fills: the border in the cell of state 0, the fill in that of state 1.
                EXPECT_EQ(DecodedCell(dc.At(0, 0)), CellName(part.classId, 0, 0)) << strWhere;
                EXPECT_EQ(DecodedCell(dc.At(10, 10)), CellName(part.classId, 0, 1)) << strWhere;
            } else {
                EXPECT_EQ(DecodedCell(dc.At(10, 10)), CellName(part.classId, part.part, nExpected)) << strWhere;
            }
        }
    }
}

// Backgrounds that are not images: BGTYPE NONE succeeds without drawing, a border of size 0 leaves only the
// fill, BORDERONLY leaves the fill out. Images that cannot be drawn fail without drawing: no file named, a
// file that does not load, more cells than the image has rows.
TEST(SkinSchemaDraw, BorderFillsAndMissingImages) {
    SkinFromText skin(
        "[BUTTON.PUSHBUTTON]\nBGTYPE = NONE\n"
        "[BUTTON.RADIOBUTTON]\nBGTYPE = BORDERFILL\nBORDERSIZE = 0\nBORDERCOLOR = 200 0 0\n"
        "FILLCOLOR = 0 200 0\n"
        "[BUTTON.CHECKBOX]\nBGTYPE = BORDERFILL\nBORDERSIZE = 2\nBORDERCOLOR = 200 0 0\n"
        "FILLCOLOR = 0 200 0\nBORDERONLY = TRUE\n"
        "[BUTTON.GROUPBOX]\nBGTYPE = IMAGEFILE\n"
        "[BUTTON.USERBUTTON]\nBGTYPE = IMAGEFILE\nIMAGEFILE = FLAT.BMP\nIMAGECOUNT = 4\n"
        "IMAGELAYOUT = VERTICAL\n"
        "[TOOLTIP.STANDARD]\nIMAGEFILE = MISSING.BMP\n");
    WriteRows(skin, L"FLAT.BMP", 4, {kBlue, kBlue});
    const struct {
        const wchar_t* pszClass;
        int nPart;
        BOOL bResult;
        std::vector<SkinSample> samples;
    } rows[] = {
        {L"BUTTON", 1, TRUE, {{0, 0, kCanvasBackground}, {5, 5, kCanvasBackground}}},
        {L"BUTTON", 2, TRUE, {{0, 0, kGreen}, {5, 5, kGreen}}},
        {L"BUTTON", 3, TRUE, {{0, 0, kRed}, {1, 5, kRed}, {2, 5, kCanvasBackground}, {5, 5, kCanvasBackground}}},
        {L"BUTTON", 4, FALSE, {{5, 5, kCanvasBackground}}},
        {L"BUTTON", 5, FALSE, {{0, 0, kCanvasBackground}, {5, 5, kCanvasBackground}}},
        {L"TOOLTIP", 1, FALSE, {{5, 5, kCanvasBackground}}},
    };
    for (const auto& row : rows) {
        SkinCanvas dc(10, 10);
        const RECT rc = {0, 0, 10, 10};
        CTkSkinManagerClass* pClass = skin.Manager().GetSkinClass(row.pszClass);
        EXPECT_EQ(pClass->DrawBackground(&dc, row.nPart, 1, &rc), row.bResult) << row.nPart;
        ExpectSamples(dc, row.samples, std::to_string(row.nPart).c_str());
    }
}

// BORDERONLY keeps an image's middle out, except on the window's frame sides and bottoms, which must cover
// the frame completely.
TEST(SkinSchemaDraw, BorderOnlyIsIgnoredForFrameSides) {
    const std::string strImage =
        "BGTYPE = IMAGEFILE\nIMAGEFILE = RING.BMP\nSIZINGMARGINS = 2, 2, 2, 2\n"
        "SIZINGTYPE = STRETCH\nBORDERONLY = TRUE\n";
    SkinFromText skin("[BUTTON.PUSHBUTTON]\n" + strImage + "[WINDOW.FRAMELEFT]\n" + strImage +
                      "[WINDOW.SMALLFRAMEBOTTOM]\n" + strImage + "[WINDOW.CAPTION]\n" + strImage);
    std::vector<DWORD> ring(36, Pixel(kRed));
    for (int y = 2; y < 4; ++y) {
        for (int x = 2; x < 4; ++x)
            ring[y * 6 + x] = Pixel(kGreen);
    }
    WriteBmpFile(skin.Folder() + L"\\RING.BMP", MakeDib(6, 6, 24, ring));
    const struct {
        const wchar_t* pszClass;
        int nPart;
        COLORREF clrMiddle;
    } rows[] = {
        {L"BUTTON", 1, kCanvasBackground},
        {L"WINDOW", 7, kGreen},
        {L"WINDOW", 12, kGreen},
        {L"WINDOW", 1, kCanvasBackground},
    };
    for (const auto& row : rows) {
        SkinCanvas dc(12, 12);
        const RECT rc = {0, 0, 12, 12};
        EXPECT_TRUE(skin.Manager().GetSkinClass(row.pszClass)->DrawBackground(&dc, row.nPart, 1, &rc));
        EXPECT_EQ(dc.At(0, 0), kRed) << row.nPart;
        EXPECT_EQ(dc.At(6, 6), row.clrMiddle) << row.nPart;
    }
}

// A true-size image keeps its size, centred (never starting left of or above the rectangle) or at the
// bottom; TRUESIZESTRETCHMARK lets it shrink to the rectangle. Keyed pixels stay transparent.
TEST(SkinSchemaDraw, TrueSizeImagesAreCentredOrBottomAligned) {
    const std::string strTrueSize = "BGTYPE = IMAGEFILE\nIMAGEFILE = BIG.BMP\nSIZINGTYPE = TRUESIZE\n";
    SkinFromText skin("[BUTTON.PUSHBUTTON]\n" + strTrueSize + "[BUTTON.RADIOBUTTON]\n" + strTrueSize +
                      "TRUESIZESTRETCHMARK = 1\n[BUTTON.CHECKBOX]\n" + strTrueSize + "VALIGN = BOTTOM\n" +
                      "[BUTTON.GROUPBOX]\nBGTYPE = IMAGEFILE\nIMAGEFILE = SMALL.BMP\nSIZINGTYPE = TRUESIZE\n"
                      "TRANSPARENT = TRUE\n");
    WriteRows(skin, L"BIG.BMP", 12, std::vector<COLORREF>(12, kRed));
    WriteRows(skin, L"SMALL.BMP", 4, {kGreen, RGB(255, 0, 255), kGreen, kGreen});
    const struct {
        int nPart;
        RECT rc;
        RECT rcDrawn;  // where the image lands; the rest of the 30 x 30 canvas stays background
    } rows[] = {
        {1, {10, 10, 16, 16}, {10, 10, 22, 22}}, {2, {10, 10, 16, 16}, {10, 10, 16, 16}},
        {3, {0, 0, 20, 20}, {4, 8, 16, 20}},     {1, {0, 0, 30, 20}, {9, 4, 21, 16}},
        {4, {0, 0, 10, 10}, {3, 3, 7, 7}},
    };
    for (const auto& row : rows) {
        SkinCanvas dc(30, 30);
        EXPECT_TRUE(skin.Manager().GetSkinClass(L"BUTTON")->DrawBackground(&dc, row.nPart, 1, &row.rc));
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) {
                const bool bInside = ::PtInRect(&row.rcDrawn, {x, y}) != FALSE;
                COLORREF clr = bInside ? (row.nPart == 4 ? kGreen : kRed) : kCanvasBackground;
                if (row.nPart == 4 && y == 4 && bInside)
                    clr = kCanvasBackground;
                ASSERT_EQ(dc.At(x, y), clr) << row.nPart << " at " << x << "," << y;
            }
        }
    }
}

// A glyph draws its state's cell centred in the content margins; state 0 and states past the cells draw
// the first cell, as backgrounds do.
TEST(SkinSchemaDraw, GlyphsDrawTheCellOfTheirStateCentred) {
    SkinFromText skin(
        "[BUTTON.PUSHBUTTON]\nBGTYPE = IMAGEFILE\nIMAGEFILE = FACE.BMP\nIMAGECOUNT = 2\n"
        "IMAGELAYOUT = VERTICAL\nGLYPHTYPE = IMAGEGLYPH\nGLYPHIMAGEFILE = GLYPH.BMP\n"
        "CONTENTMARGINS = 0, 4, 0, 0\n");
    WriteRows(skin, L"FACE.BMP", 2, {kBlue, kBlue});
    WriteRows(skin, L"GLYPH.BMP", 2, {kRed, kRed, kGreen, kGreen});
    const struct {
        int nState;
        COLORREF clrGlyph;
    } rows[] = {{1, kRed}, {2, kGreen}, {0, kRed}, {3, kRed}};
    for (const auto& row : rows) {
        SkinCanvas dc(14, 10);
        const RECT rc = {0, 0, 14, 10};
        EXPECT_TRUE(skin.Manager().GetSkinClass(L"BUTTON")->DrawBackground(&dc, 1, row.nState, &rc));
        // The content is (0, 0, 10, 10): the 2 x 2 glyph at (4, 4).
        EXPECT_EQ(dc.At(4, 4), row.clrGlyph) << row.nState;
        EXPECT_EQ(dc.At(5, 5), row.clrGlyph) << row.nState;
        EXPECT_EQ(dc.At(6, 4), kBlue) << row.nState;
        EXPECT_EQ(dc.At(3, 4), kBlue) << row.nState;
        EXPECT_EQ(dc.At(4, 6), kBlue) << row.nState;
    }
}

// The program's skin: every class, part and state that the program's windows draw comes out of it. A
// picture of all of them is written for a person to look at (skin_program_parts.png).
TEST(SkinSchemaDraw, TheProgramSkinDrawsEveryListedPartAndState) {
    LoadedSkin skin(kProgramSkin);
    constexpr int kCellWidth = 44;
    constexpr int kCellHeight = 24;
    constexpr int kGap = 4;
    constexpr int kColumns = 20;
    const int nRows = static_cast<int>(std::size(kTestSkinParts));
    SkinCanvas sheet(kColumns * (kCellWidth + kGap) + kGap, nRows * (kCellHeight + kGap) + kGap);
    sheet.FillSolidRect(0, 0, sheet.GetWidth(), sheet.GetHeight(), RGB(236, 236, 236));
    for (int nRow = 0; nRow < nRows; ++nRow) {
        const TestSkinPart& part = kTestSkinParts[nRow];
        CTkSkinManagerClass* pClass = skin.Manager().GetSkinClass(part.className);
        ASSERT_NE(pClass, nullptr);
        for (int i = 0; i < part.stateCount; ++i) {
            const int nState = part.firstState + i;
            SkinCanvas dc(kCellWidth, kCellHeight);
            const RECT rc = {0, 0, kCellWidth, kCellHeight};
            EXPECT_TRUE(pClass->DrawBackground(&dc, part.part, nState, &rc))
                << CStringA(part.className).GetString() << "." << part.part << "(" << nState << ")";
            bool bDrawn = false;
            for (int y = 0; y < kCellHeight && !bDrawn; ++y) {
                for (int x = 0; x < kCellWidth && !bDrawn; ++x)
                    bDrawn = dc.At(x, y) != kCanvasBackground;
            }
            EXPECT_TRUE(bDrawn || IsFlatToolbarButton(part, nState))
                << CStringA(part.className).GetString() << "." << part.part << "(" << nState
                << ") left its rectangle untouched";
            const int x = kGap + i * (kCellWidth + kGap);
            const int y = kGap + nRow * (kCellHeight + kGap);
            const RECT rcSheet = {x, y, x + kCellWidth, y + kCellHeight};
            pClass->DrawBackground(&sheet, part.part, nState, &rcSheet);
        }
    }
    WritePng(sheet, L"skin_program_parts.png");
}
