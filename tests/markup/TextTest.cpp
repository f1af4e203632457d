#include "FoundationTestSupport.h"
#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupBrush.h"
#include "TkMarkupBuilder.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupInlineUIContainer.h"
#include "TkMarkupRun.h"
#include "TkMarkupSpan.h"
#include "TkMarkupTextBlock.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

namespace {

using Te = CTkMarkupTextElement;
using Piece = CTkMarkupTextBlock::TextPiece;

// Text extents and metrics of a font, measured here the way the block measures them.
class FontProbe {
public:
    explicit FontProbe(const LOGFONTW& logFont) : m_hDC(::CreateCompatibleDC(nullptr)) {
        m_hFont = ::CreateFontIndirectW(&logFont);
        m_hOld = ::SelectObject(m_hDC, m_hFont);
    }
    ~FontProbe() {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hFont);
        ::DeleteDC(m_hDC);
    }
    int Width(LPCWSTR lpsz) const { return Extent(lpsz).cx; }
    int Height() const { return Extent(L" ").cy; }
    int Descent() const {
        TEXTMETRICW tm = {};
        ::GetTextMetricsW(m_hDC, &tm);
        return tm.tmDescent;
    }

private:
    CSize Extent(LPCWSTR lpsz) const {
        SIZE size = {};
        ::GetTextExtentPoint32W(m_hDC, lpsz, static_cast<int>(wcslen(lpsz)), &size);
        return size;
    }
    HDC m_hDC;
    HFONT m_hFont;
    HGDIOBJ m_hOld;
};

class CCountingDelegate : public CTkMarkupDelegate {
public:
    explicit CCountingDelegate(int* pCount) : m_pCount(pCount) {}
    void Execute(CTkMarkupObject* /*pSender*/, CTkMarkupRoutedEventArgs* /*pArgs*/) override { ++*m_pCount; }

private:
    int* m_pCount;
};

class Text : public MarkupContextTest {
protected:
    void SetUp() override {
        MarkupContextTest::SetUp();
        m_pContext = CreateMarkupContext(nullptr);
    }
    void TearDown() override {
        ReleaseMarkupContext(m_pContext);
        MarkupContextTest::TearDown();
    }

    template <class T>
    CTkMarkupPtr<T> Make() {
        return CTkMarkupPtr<T>::Adopt(static_cast<T*>(m_pContext->CreateMarkupObject(T::GetClassType())));
    }
    // Appends text (a new run) or an object to the content of pOwner; answers the last inline added.
    static void Add(CTkMarkupObject* pOwner, LPCWSTR lpszText) {
        pOwner->SetContentObject(nullptr, CTkMarkupString::CreateValue(lpszText));
    }
    static void Add(CTkMarkupObject* pOwner, CTkMarkupObject* pContent) {
        pContent->AddRef();
        pOwner->SetContentObject(nullptr, pContent);
    }
    static CSize MeasureBlock(CTkMarkupTextBlock* pBlock, int nWidth) {
        CTkMarkupDrawingContext dc;
        pBlock->Measure(&dc, nWidth, kMarkupUnbounded);
        return pBlock->GetDesiredSize();
    }
    static const Piece& PieceAt(CTkMarkupTextBlock* pBlock, int nLine, int nPiece) {
        return pBlock->GetLines()[nLine]->pieces[nPiece];
    }
    LOGFONTW DefaultFont() const { return m_pContext->GetDefaultFont(); }
    LOGFONTW BoldFont() const {
        LOGFONTW logFont = DefaultFont();
        logFont.lfWeight = FW_BOLD;
        return logFont;
    }

    CTkMarkupContext* m_pContext = nullptr;
};

}  // namespace

TEST_F(Text, ContentBecomesInlinesAndWrongContentNamesBothClasses) {
    auto block = Make<CTkMarkupTextBlock>();
    auto bold = Make<CTkMarkupBold>();
    auto button = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(m_pContext, 5, 5));
    Add(block.Get(), L"one");
    Add(block.Get(), bold.Get());
    Add(bold.Get(), L"two");
    Add(block.Get(), button.Get());
    CTkMarkupInlineCollection* pInlines = block->GetInlines();
    ASSERT_EQ(3, pInlines->GetCount());
    ASSERT_TRUE(pInlines->GetItem(0)->IsKindOf(CTkMarkupRun::GetClassType()));
    EXPECT_STREQ(L"one", static_cast<CTkMarkupRun*>(pInlines->GetItem(0))->GetText());
    EXPECT_EQ(bold.Get(), pInlines->GetItem(1));
    EXPECT_EQ(1, bold->GetCollectionIndex());
    ASSERT_TRUE(pInlines->GetItem(2)->IsKindOf(CTkMarkupInlineUIContainer::GetClassType()));
    auto* pContainer = static_cast<CTkMarkupInlineUIContainer*>(pInlines->GetItem(2));
    EXPECT_EQ(button.Get(), pContainer->GetChild());
    EXPECT_EQ(pContainer, button->GetLogicalParent());
    EXPECT_EQ(m_pContext, pContainer->GetMarkupContext()) << "made by the owner's context";

    auto color = CTkMarkupPtr<CTkMarkupColor>::Adopt(new CTkMarkupColor(0));
    EXPECT_EQ(CString(L"'CTkMarkupColor' object cannot be added to 'CTkMarkupInlineCollection'. Object cannot be "
                      L"converted to type 'CTkMarkupInline'"),
              MarkupErrorOf([&] { Add(block.Get(), color.Get()); }));
    EXPECT_EQ(CString(L"'CTkMarkupColor' object cannot be added to 'CTkMarkupInlineUIContainer'. Object cannot be "
                      L"converted to type 'CTkMarkupUIElement'"),
              MarkupErrorOf([&] { Add(pContainer, color.Get()); }));
    auto orphan = CTkMarkupPtr<CTkMarkupInlineCollection>::Adopt(new CTkMarkupInlineCollection);
    EXPECT_EQ(CString(L"'CTkMarkupString' object cannot be added to 'CTkMarkupInlineCollection'. Object cannot be "
                      L"converted to type 'CTkMarkupInline'"),
              MarkupErrorOf([&] { Add(orphan.Get(), L"text"); }))
        << "without an owner there is no context to make the run";
    EXPECT_FALSE(MarkupErrorOf([&] { Add(pInlines->GetItem(0), color.Get()); }).IsEmpty()) << "a run takes only text";
    EXPECT_EQ(3, pInlines->GetCount());
    EXPECT_EQ(button.Get(), pContainer->GetChild()) << "a refused child leaves the old one";
}

TEST_F(Text, InlinesWalkInDocumentOrderWithTheirPositions) {
    auto block = Make<CTkMarkupTextBlock>();
    auto bold = Make<CTkMarkupBold>();
    auto empty = Make<CTkMarkupSpan>();
    auto lineBreak = Make<CTkMarkupLineBreak>();
    Add(block.Get(), L"a");
    Add(block.Get(), bold.Get());
    Add(bold.Get(), L"b");
    Add(block.Get(), L"c");
    Add(block.Get(), empty.Get());
    Add(block.Get(), lineBreak.Get());
    CTkMarkupInline* pFirst = block->GetInlines()->GetItem(0)->GetFirstInline();
    CTkMarkupInline* pInBold = CTkMarkupInline::GetNextInline(pFirst);
    EXPECT_EQ(bold->GetInlines()->GetItem(0), pInBold);
    CTkMarkupInline* pAfterBold = CTkMarkupInline::GetNextInline(pInBold);
    EXPECT_EQ(block->GetInlines()->GetItem(2), pAfterBold) << "the last run of a span goes on after the span";
    EXPECT_EQ(empty.Get(), CTkMarkupInline::GetNextInline(pAfterBold)) << "an empty span is its own leaf";
    EXPECT_EQ(lineBreak.Get(), CTkMarkupInline::GetNextInline(empty.Get()));
    EXPECT_EQ(nullptr, CTkMarkupInline::GetNextInline(lineBreak.Get()));

    int nPosition = lineBreak->GetFirstPosition();
    EXPECT_EQ(0, nPosition);
    EXPECT_TRUE(lineBreak->IsWordBreakPosition(nPosition));
    EXPECT_TRUE(lineBreak->IsLineBreakPosition(nPosition));
    EXPECT_FALSE(lineBreak->IsWhiteSpacePosition(nPosition));
    lineBreak->GetNextPosition(nPosition);
    EXPECT_EQ(1, nPosition) << "the end position";
    EXPECT_FALSE(lineBreak->IsWordBreakPosition(nPosition));
    lineBreak->GetNextPosition(nPosition);
    EXPECT_EQ(-1, nPosition);
    lineBreak->GetNextPosition(nPosition);
    EXPECT_EQ(-1, nPosition);

    auto run = Make<CTkMarkupRun>();
    EXPECT_EQ(-1, run->GetFirstPosition()) << "no text";
    run->SetText(L"");
    EXPECT_EQ(-1, run->GetFirstPosition()) << "empty text";
    run->SetText(L"x");
    CTkMarkupDrawingContext dc;
    run->PrepareMeasure(&dc);
    const FontProbe probe(DefaultFont());
    EXPECT_EQ(CSize(0, probe.Height()), run->MeasureInline(&dc, 1, 1)) << "an empty range is one space high";
    EXPECT_EQ(CSize(probe.Width(L"x"), probe.Height()), run->MeasureInline(&dc, 0, 1));
    EXPECT_EQ(probe.Descent(), run->GetBaselineOffset());
    EXPECT_EQ(CSize(0, 0), run->MeasureInline(&dc, 0, -1));
}

TEST_F(Text, RunFontsInheritFromBlockAndSpans) {
    auto block = Make<CTkMarkupTextBlock>();
    SetInt(block.Get(), Te::s_pFontSizeProperty, 20);
    auto bold = Make<CTkMarkupBold>();
    auto bigBold = Make<CTkMarkupBold>();
    auto italic = Make<CTkMarkupItalic>();
    auto lightBold = Make<CTkMarkupBold>();
    SetInt(bigBold.Get(), Te::s_pFontSizeProperty, 30);
    lightBold->SetFontWeight(300);
    for (CTkMarkupSpan* pSpan :
         {static_cast<CTkMarkupSpan*>(bold.Get()), static_cast<CTkMarkupSpan*>(bigBold.Get()),
          static_cast<CTkMarkupSpan*>(italic.Get()), static_cast<CTkMarkupSpan*>(lightBold.Get())}) {
        Add(block.Get(), pSpan);
        Add(pSpan, L"x");
    }
    Add(block.Get(), L"plain");
    struct Expected {
        LONG lfHeight;
        LONG lfWeight;
        BYTE lfItalic;
    };
    const LONG nDefaultWeight = DefaultFont().lfWeight;
    const Expected expected[] = {
        {-20, FW_BOLD, 0}, {-30, FW_BOLD, 0}, {-20, nDefaultWeight, 1}, {-20, 300, 0}, {-20, nDefaultWeight, 0}};
    int i = 0;
    for (CTkMarkupInline* pInline = block->GetInlines()->GetItem(0)->GetFirstInline(); pInline != nullptr;
         pInline = CTkMarkupInline::GetNextInline(pInline), i++) {
        LOGFONTW logFont;
        static_cast<CTkMarkupRun*>(pInline)->GetLogFont(logFont);
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].lfHeight, logFont.lfHeight);
        EXPECT_EQ(expected[i].lfWeight, logFont.lfWeight);
        EXPECT_EQ(expected[i].lfItalic, logFont.lfItalic);
        EXPECT_STREQ(DefaultFont().lfFaceName, logFont.lfFaceName);
    }
    EXPECT_EQ(5, i);

    // The face name holds 31 characters; the quality byte passes through (this system is past XP).
    block->SetValue(Te::s_pFontFamilyProperty,
                    CTkMarkupString::CreateValue(L"0123456789012345678901234567890123456789"));
    SetEnum(block.Get(), Te::s_pFontQualityProperty, CLEARTYPE_QUALITY);
    LOGFONTW logFont;
    static_cast<CTkMarkupRun*>(block->GetInlines()->GetItem(4))->GetLogFont(logFont);
    EXPECT_STREQ(L"0123456789012345678901234567890", logFont.lfFaceName);
    EXPECT_EQ(CLEARTYPE_QUALITY, logFont.lfQuality);
}

// Sizes of whole blocks, from the font measured here.
TEST_F(Text, BlockSizesFollowLinesAndPadding) {
    const FontProbe probe(DefaultFont());
    const int h = probe.Height();
    struct Case {
        LPCWSTR lpszName;
        LPCWSTR lpszText;  // NULL: no inline at all
        CSize szExpected;
    };
    const Case cases[] = {
        {L"no inline: one line of a space", nullptr, CSize(0, h)},
        {L"empty text: nothing", L"", CSize(0, 0)},
        {L"final line feed adds a line", L"ab\n", CSize(probe.Width(L"ab"), 2 * h)},
        {L"empty line between", L"ab\n\ncd", CSize(probe.Width(L"ab"), 3 * h)},
        {L"first line keeps leading spaces", L"  ab", CSize(probe.Width(L"  ab"), h)},
        {L"spaces after a line feed go", L"a\n    bc", CSize(std::max(probe.Width(L"a"), probe.Width(L"bc")), 2 * h)},
        {L"leading line feed", L"\nab", CSize(probe.Width(L"ab"), 2 * h)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lpszName);
        auto block = Make<CTkMarkupTextBlock>();
        block->SetValue(CTkMarkupTextBlock::s_pPaddingProperty, new CTkMarkupThickness(1, 2, 3, 4));
        if (c.lpszText != nullptr)
            block->SetValue(CTkMarkupTextBlock::s_pTextProperty, CTkMarkupString::CreateValue(c.lpszText));
        EXPECT_EQ(c.szExpected + CSize(4, 6), MeasureBlock(block.Get(), 1000));
    }

    // Padding sums saturate instead of overflowing.
    auto block = Make<CTkMarkupTextBlock>();
    block->SetValue(CTkMarkupTextBlock::s_pTextProperty, CTkMarkupString::CreateValue(L"ab"));
    block->SetValue(CTkMarkupTextBlock::s_pPaddingProperty,
                    new CTkMarkupThickness(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF));
    CTkMarkupDrawingContext dc;
    EXPECT_EQ(CSize(0x7FFFFFFF, 0x7FFFFFFF), block->MeasureOverride(&dc, kMarkupUnbounded, kMarkupUnbounded));
}

namespace {

// Counts the fonts selected through it: a layout that is reused selects none.
class CCountingDrawingContext : public CTkMarkupDrawingContext {
public:
    HGDIOBJ SelectObject(HGDIOBJ hObject) override {
        m_nSelects++;
        return CTkMarkupDrawingContext::SelectObject(hObject);
    }
    int m_nSelects = 0;
};

int SelectsToMeasure(CTkMarkupTextBlock* pBlock, int nWidth) {
    CCountingDrawingContext dc;
    pBlock->Measure(&dc, nWidth, kMarkupUnbounded);
    return dc.m_nSelects;
}

}  // namespace

TEST_F(Text, WrappingReusesLayoutsOnlyWhereTheWidthCannotMatter) {
    const FontProbe probe(DefaultFont());
    auto block = Make<CTkMarkupTextBlock>();
    block->SetValue(CTkMarkupTextBlock::s_pTextProperty, CTkMarkupString::CreateValue(L"aaa bbb cccccccccc"));
    EXPECT_GT(SelectsToMeasure(block.Get(), 1000), 0);
    EXPECT_EQ(0, SelectsToMeasure(block.Get(), 20)) << "no wrapping, no trimming: any width reuses the lines";

    SetEnum(block.Get(), CTkMarkupTextBlock::s_pTextWrappingProperty, kMarkupWrap);
    const int nWidth = probe.Width(L"aaa bbb") + 1;
    EXPECT_GT(SelectsToMeasure(block.Get(), nWidth), 0);
    ASSERT_EQ(2u, block->GetLines().size());
    EXPECT_EQ(probe.Width(L"aaa bbb"), block->GetLines()[0]->nWidth) << "the words of a line merge";
    EXPECT_TRUE(block->GetLines()[0]->bWrapped);
    const Piece& first = PieceAt(block.Get(), 1, 0);
    EXPECT_EQ(8, first.nStart) << "the space the line wrapped at is dropped";
    EXPECT_EQ(probe.Width(L"cccccccccc"), block->GetLines()[1]->nWidth) << "a long word stays on a line of its own";
    EXPECT_EQ(CSize(nWidth, 2 * probe.Height()), block->GetDesiredSize()) << "no wider than the room given";
    EXPECT_GT(SelectsToMeasure(block.Get(), nWidth + 5), 0) << "with wrapping a new width lays out again";

    // A change inside the text reaches the block through its run.
    static_cast<CTkMarkupRun*>(block->GetInlines()->GetItem(0))->SetText(L"a");
    EXPECT_EQ(CSize(probe.Width(L"a"), probe.Height()), block->GetDesiredSize());
}

TEST_F(Text, TrimmingPutsAnEllipsisWhereTheTextStillFits) {
    const FontProbe probe(DefaultFont());
    const FontProbe boldProbe(BoldFont());
    const int e = probe.Width(L"...");
    struct Case {
        LPCWSTR lpszName;
        int nTrimming;
        LPCWSTR lpszText;
        LPCWSTR lpszBoldText;  // a second piece, bold
        int nWidth;
        int nLastPiece;  // the piece cut
        int nCutEnd;     // its end after the cut
    };
    const Case cases[] = {
        {L"characters", kMarkupCharacterEllipsis, L"abcdefghij", nullptr, probe.Width(L"abcd") + e, 0, 4},
        {L"at the last word break that fits", kMarkupWordEllipsis, L"ab cdefgh", nullptr, probe.Width(L"ab cd") + e, 0,
         2},
        {L"first piece without a break: characters", kMarkupWordEllipsis, L"abcdefgh", nullptr, probe.Width(L"abc") + e,
         0, 3},
        {L"later piece without a break disappears", kMarkupWordEllipsis, L"ab ", L"cdefgh",
         probe.Width(L"ab ") + boldProbe.Width(L"cd") + e, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lpszName);
        auto block = Make<CTkMarkupTextBlock>();
        SetEnum(block.Get(), CTkMarkupTextBlock::s_pTextTrimmingProperty, c.nTrimming);
        Add(block.Get(), c.lpszText);
        if (c.lpszBoldText != nullptr) {
            auto bold = Make<CTkMarkupBold>();
            Add(block.Get(), bold.Get());
            Add(bold.Get(), c.lpszBoldText);
        }
        const CSize size = MeasureBlock(block.Get(), c.nWidth);
        ASSERT_EQ(1u, block->GetLines().size());
        const auto& pieces = block->GetLines()[0]->pieces;
        ASSERT_EQ(static_cast<size_t>(c.nLastPiece + 2), pieces.size());
        EXPECT_EQ(c.nCutEnd, pieces[c.nLastPiece].nEnd);
        const Piece& ellipsis = pieces.back();
        EXPECT_STREQ(L"...", static_cast<CTkMarkupRun*>(ellipsis.inline_.Get())->GetText());
        EXPECT_EQ(pieces[c.nLastPiece].x + pieces[c.nLastPiece].cx, ellipsis.x) << "the ellipsis follows the cut";
        EXPECT_LE(size.cx, c.nWidth);
    }
}

TEST_F(Text, JustificationAlignmentAndBaselines) {
    const FontProbe probe(DefaultFont());
    auto block = Make<CTkMarkupTextBlock>();
    SetEnum(block.Get(), CTkMarkupTextBlock::s_pTextWrappingProperty, kMarkupWrap);
    SetEnum(block.Get(), CTkMarkupTextBlock::s_pTextAlignmentProperty, kMarkupTextJustify);
    block->SetValue(CTkMarkupTextBlock::s_pTextProperty, CTkMarkupString::CreateValue(L"aa bb cc\ndd ee"));
    const int nWidth = probe.Width(L"aa bb") + 2;
    MeasureBlock(block.Get(), nWidth);
    block->Arrange(CRect(0, 0, 200, 100));
    ASSERT_EQ(3u, block->GetLines().size());
    const auto& line = *block->GetLines()[0];
    ASSERT_EQ(2u, line.pieces.size()) << "justified words are not merged";
    EXPECT_EQ(0, line.pieces[0].dx);
    EXPECT_EQ(200 - line.nWidth, line.pieces[1].dx) << "two words: all free space before the second";
    for (int nLine : {1, 2}) {
        for (const Piece& piece : block->GetLines()[nLine]->pieces)
            EXPECT_EQ(0, piece.dx) << "a line ended by a line feed, and the last line, stay as they are";
    }

    SetEnum(block.Get(), CTkMarkupTextBlock::s_pTextAlignmentProperty, kMarkupTextCenter);
    block->Arrange(CRect(0, 0, 201, 100));
    const auto& last = *block->GetLines()[2];
    EXPECT_EQ((201 - last.nWidth) / 2, last.pieces[0].dx);

    // A bigger font on the line: the small text sits on the same baseline, a Top one at the top.
    auto mixed = Make<CTkMarkupTextBlock>();
    auto big = Make<CTkMarkupSpan>();
    auto top = Make<CTkMarkupRun>();
    SetInt(big.Get(), Te::s_pFontSizeProperty, 40);
    SetEnum(top.Get(), CTkMarkupInline::s_pBaselineAlignmentProperty, kMarkupBaselineTop);  // not inherited
    top->SetText(L"c");
    Add(mixed.Get(), L"a");
    Add(mixed.Get(), big.Get());
    Add(big.Get(), L"B");
    Add(mixed.Get(), top.Get());
    MeasureBlock(mixed.Get(), 1000);
    mixed->Arrange(CRect(0, 0, 300, 100));
    const auto& pieces = mixed->GetLines()[0]->pieces;
    const auto baselineOf = [](const Piece& piece) { return piece.GetRect().bottom - piece.nDescent; };
    EXPECT_EQ(baselineOf(pieces[1]), baselineOf(pieces[0]));
    EXPECT_EQ(0, pieces[2].GetRect().top);
}

namespace {

// The rows of the DIB where every pixel of [left, right) has the colour.
std::vector<int> FullRows(const CScopedMemDC& dc, int nLeft, int nRight, COLORREF clr) {
    std::vector<int> rows;
    for (int y = 0; y < dc.GetHeight(); y++) {
        bool bFull = nRight > nLeft;
        for (int x = nLeft; x < nRight && bFull; x++)
            bFull = PixelAt(dc, x, y) == clr;
        if (bFull)
            rows.push_back(y);
    }
    return rows;
}

std::vector<int> Rows(int nTop, int nCount) {
    std::vector<int> rows;
    for (int i = 0; i < nCount; i++)
        rows.push_back(nTop + i);
    return rows;
}

}  // namespace

TEST_F(Text, DecorationBarsUseTheForegroundOfTheirOwner) {
    auto block = Make<CTkMarkupTextBlock>();
    auto underline = Make<CTkMarkupUnderline>();
    auto strike = Make<CTkMarkupSpan>();
    strike->SetTextDecorations(kMarkupStrikethrough);
    underline->SetValue(Te::s_pForegroundProperty, new CTkMarkupSolidColorBrush(RGB(0, 255, 0)));
    strike->SetValue(Te::s_pForegroundProperty, new CTkMarkupSolidColorBrush(RGB(0, 0, 255)));
    Add(block.Get(), underline.Get());
    Add(underline.Get(), L"under");
    Add(block.Get(), L" ");
    Add(block.Get(), strike.Get());
    Add(strike.Get(), L"struck");
    // The text itself is black: only the bars have the spans' colours.
    for (CTkMarkupInline* pInline = block->GetInlines()->GetItem(0)->GetFirstInline(); pInline != nullptr;
         pInline = CTkMarkupInline::GetNextInline(pInline))
        pInline->SetValue(Te::s_pForegroundProperty, new CTkMarkupSolidColorBrush(RGB(0, 0, 0)));
    MeasureBlock(block.Get(), 1000);
    CScopedMemDC dc(300, 40);
    dc.FillSolidRect(0, 0, 300, 40, RGB(255, 255, 255));
    block->Arrange(CRect(0, 0, 300, 40));
    CTkMarkupDrawingContext drawing(dc.GetSafeHdc());
    block->Render(&drawing);

    const auto& line = *block->GetLines()[0];
    const int t = std::max(line.nBaseline / 3, 1);
    const CRect rcUnder = line.pieces[0].GetRect();
    EXPECT_EQ(Rows(rcUnder.bottom - line.pieces[0].nDescent + t, t),
              FullRows(dc, rcUnder.left, rcUnder.right, RGB(0, 255, 0)));
    const Piece& struck = line.pieces.back();
    const CRect rcStruck = struck.GetRect();
    EXPECT_EQ(Rows(rcStruck.bottom - struck.nDescent + line.nBaseline - (line.nHeight - line.nBaseline) / 2, t),
              FullRows(dc, rcStruck.left, rcStruck.right, RGB(0, 0, 255)));
    EXPECT_TRUE(FullRows(dc, line.pieces[1].GetRect().left, line.pieces[1].GetRect().right, RGB(0, 0, 0)).empty())
        << "the plain space between has no bar";
}

namespace {

// A text block with a hyperlink in a hidden host; messages go straight into the context.
class Hyperlink : public Text {
protected:
    void SetUp() override {
        Text::SetUp();
        ReleaseMarkupContext(m_pContext);
        m_hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 50, nullptr, nullptr, nullptr, nullptr);
        m_pContext = CreateMarkupContext(m_hWnd);
        m_block = Make<CTkMarkupTextBlock>();
        m_link = Make<CTkMarkupHyperlink>();
        Add(m_block.Get(), L"see ");
        Add(m_block.Get(), m_link.Get());
        Add(m_link.Get(), L"link");
        m_pRun = static_cast<CTkMarkupRun*>(m_link->GetInlines()->GetItem(0));
        m_link->AddHandler(CTkMarkupHyperlink::s_pClickEvent, new CCountingDelegate(&m_nClicks));
        MeasureBlock(m_block.Get(), 1000);
        m_block->Arrange(CRect(0, 0, 300, 50));
        m_rcLink = m_block->GetLines()[0]->pieces[1].GetRect();
    }
    void TearDown() override {
        Send(WM_DESTROY);
        m_block.Reset();
        m_link.Reset();
        ::DestroyWindow(m_hWnd);
        Text::TearDown();
    }
    void Send(UINT message, CPoint pt) { Send(message, MAKELPARAM(pt.x, pt.y)); }
    void Send(UINT message, LPARAM lParam = 0) {
        LRESULT result = 0;
        m_pContext->HandleWindowMessage(m_block.Get(), message, 0, lParam, &result);
    }
    COLORREF RunColor() const { return m_pRun->GetForeground()->GetColor(); }

    HWND m_hWnd = nullptr;
    CTkMarkupPtr<CTkMarkupTextBlock> m_block;
    CTkMarkupPtr<CTkMarkupHyperlink> m_link;
    CTkMarkupRun* m_pRun = nullptr;
    CRect m_rcLink;
    CPoint m_ptText{1, 1};
    int m_nClicks = 0;
};

}  // namespace

TEST_F(Hyperlink, BlueUnderlinedRedUnderTheMouseWithTheHand) {
    EXPECT_EQ(RGB(0, 0, 255), RunColor());
    EXPECT_EQ(kMarkupUnderline, MarkupEnumOr(m_pRun->GetValue(Te::s_pTextDecorationsProperty), 0));
    Send(WM_MOUSEMOVE, m_rcLink.CenterPoint());
    EXPECT_EQ(m_pRun, m_pContext->GetHotElement()) << "the run is hit; the link hears it by bubbling";
    EXPECT_EQ(RGB(255, 0, 0), RunColor());
    Send(WM_SETCURSOR);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_HAND), ::GetCursor());
    Send(WM_MOUSEMOVE, m_ptText);
    EXPECT_EQ(RGB(0, 0, 255), RunColor());
}

TEST_F(Hyperlink, ClicksWithoutCapture) {
    const CPoint ptLink = m_rcLink.CenterPoint();
    Send(WM_MOUSEMOVE, ptLink);
    Send(WM_LBUTTONDOWN, ptLink);
    Send(WM_LBUTTONUP, ptLink);
    EXPECT_EQ(1, m_nClicks);
    EXPECT_EQ(nullptr, m_pContext->GetCapturedElement());

    Send(WM_MOUSEMOVE, m_ptText);
    Send(WM_LBUTTONDOWN, m_ptText);
    Send(WM_MOUSEMOVE, ptLink);
    Send(WM_LBUTTONUP, ptLink);
    EXPECT_EQ(1, m_nClicks) << "pressed elsewhere";

    Send(WM_LBUTTONDOWN, ptLink);
    Send(WM_MOUSEMOVE, m_ptText);
    Send(WM_LBUTTONUP, m_ptText);
    EXPECT_EQ(1, m_nClicks) << "released elsewhere";
    Send(WM_MOUSEMOVE, ptLink);
    Send(WM_LBUTTONUP, ptLink);
    EXPECT_EQ(2, m_nClicks) << "the press is remembered while the mouse is away";
}

// What tooltips and labels do: no window, the default font, measure unbounded, render into a bitmap.
TEST_F(Text, CallersPathThroughTheEntryFunctions) {
    auto* pFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    SetMarkupDefaultFont(m_pContext, pFont, RGB(0, 0, 0));
    LOGFONTW logFont;
    ::GetObjectW(pFont, sizeof(logFont), &logFont);
    const FontProbe probe(logFont);

    auto block = Make<CTkMarkupTextBlock>();
    Add(block.Get(), L"Call from ");
    auto bold = Make<CTkMarkupBold>();
    Add(block.Get(), bold.Get());
    Add(bold.Get(), L"line 3");
    const FontProbe boldProbe([&] {
        LOGFONTW bolder = logFont;
        bolder.lfWeight = FW_BOLD;
        return bolder;
    }());
    CTkMarkupUIElement* pRoot = block.Get();
    const SIZE size = MeasureMarkupElement(pRoot, 0x7FFFFFFF, 0x7FFFFFFF);
    EXPECT_EQ(probe.Width(L"Call from ") + boldProbe.Width(L"line 3"), size.cx);
    EXPECT_EQ(std::max(probe.Height(), boldProbe.Height()), size.cy);

    CScopedMemDC dc(size.cx, size.cy);
    dc.FillSolidRect(0, 0, size.cx, size.cy, RGB(255, 255, 255));
    const CRect rc(CPoint(0, 0), size);
    EXPECT_TRUE(RenderMarkupElement(pRoot, dc.GetSafeHdc(), &rc));
    int nInk = 0;
    for (int y = 0; y < size.cy; y++) {
        for (int x = 0; x < size.cx; x++)
            nInk += PixelAt(dc, x, y) != RGB(255, 255, 255) ? 1 : 0;
    }
    EXPECT_GT(nInk, 0);
}

// A picture to look at: wrapped text with a hyperlink and underlining, and a trimmed line.
TEST_F(Text, PictureOfWrappingTrimmingAndDecorations) {
    auto wrapped = Make<CTkMarkupTextBlock>();
    SetEnum(wrapped.Get(), CTkMarkupTextBlock::s_pTextWrappingProperty, kMarkupWrap);
    wrapped->SetValue(Te::s_pBackgroundProperty, new CTkMarkupSolidColorBrush(RGB(255, 255, 230)));
    Add(wrapped.Get(), L"Recording stopped on channel 4. ");
    auto underline = Make<CTkMarkupUnderline>();
    Add(wrapped.Get(), underline.Get());
    Add(underline.Get(), L"Disk almost full.");
    Add(wrapped.Get(), L" Open the ");
    auto link = Make<CTkMarkupHyperlink>();
    Add(wrapped.Get(), link.Get());
    Add(link.Get(), L"storage settings");
    Add(wrapped.Get(), L" to free space.");
    auto trimmed = Make<CTkMarkupTextBlock>();
    SetEnum(trimmed.Get(), CTkMarkupTextBlock::s_pTextTrimmingProperty, kMarkupWordEllipsis);
    trimmed->SetValue(CTkMarkupTextBlock::s_pTextProperty,
                      CTkMarkupString::CreateValue(L"A very long caption that cannot fit in its place"));

    CScopedMemDC dc(180, 100);
    dc.FillSolidRect(0, 0, 180, 100, RGB(255, 255, 255));
    const CSize szWrapped = MeasureBlock(wrapped.Get(), 170);
    const CRect rcWrapped(5, 5, 175, 5 + szWrapped.cy);
    const CRect rcTrimmed(5, rcWrapped.bottom + 5, 175, 95);
    MeasureBlock(trimmed.Get(), rcTrimmed.Width());
    EXPECT_GT(wrapped->GetLines().size(), 2u);
    EXPECT_STREQ(L"...", static_cast<CTkMarkupRun*>(trimmed->GetLines()[0]->pieces.back().inline_.Get())->GetText());
    CTkMarkupUIElement* pWrapped = wrapped.Get();
    CTkMarkupUIElement* pTrimmed = trimmed.Get();
    EXPECT_TRUE(RenderMarkupElement(pWrapped, dc.GetSafeHdc(), &rcWrapped));
    EXPECT_TRUE(RenderMarkupElement(pTrimmed, dc.GetSafeHdc(), &rcTrimmed));
    WritePng(dc, L"markup_text_block.png");
}

TEST_F(Text, TextTypesAreRegisteredByTagWithSharedTextProperties) {
    CTkMarkupType* pBlock = CTkMarkupType::FindType(L"TextBlock");
    ASSERT_EQ(CTkMarkupTextBlock::GetClassType(), pBlock);
    EXPECT_EQ(nullptr, CTkMarkupType::FindType(L"textblock"));
    EXPECT_EQ(Te::s_pFontSizeProperty, CTkMarkupBuilder::FindPropertyByName(pBlock, L"FontSize"));
    EXPECT_EQ(Te::s_pFontSizeProperty, CTkMarkupBuilder::FindPropertyByName(pBlock, L"TextBlock.FontSize"));
    EXPECT_EQ(Te::s_pFontSizeProperty, CTkMarkupBuilder::FindPropertyByName(pBlock, L"TextElement.FontSize"));
    const struct {
        LPCWSTR lpszTag;
        CTkMarkupType* pBase;
    } kinds[] = {
        {L"LineBreak", CTkMarkupRun::GetClassType()},
        {L"Hyperlink", CTkMarkupSpan::GetClassType()},
        {L"Bold", CTkMarkupInline::GetClassType()},
        {L"InlineUIContainer", CTkMarkupInline::GetClassType()},
        {L"Run", CTkMarkupFrameworkContentElement::GetClassType()},
        {L"TextElement", CTkMarkupInputElement::GetClassType()},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.lpszTag);
        auto object =
            CTkMarkupPtr<CTkMarkupObject>::Adopt(m_pContext->CreateMarkupObject(CTkMarkupType::FindType(kind.lpszTag)));
        ASSERT_TRUE(object);
        EXPECT_TRUE(object->IsKindOf(kind.pBase));
    }
    auto span = Make<CTkMarkupSpan>();
    EXPECT_TRUE(span->GetInlines()->IsKindOf(CTkMarkupCollection::GetClassType()));
    EXPECT_EQ(CTkMarkupFrameworkElement::s_pTagProperty, CTkMarkupBuilder::FindPropertyByName(span->GetType(), L"Tag"));
}
