#include "FoundationTestSupport.h"
#include "TkRichRender.h"

#include <oleauto.h>

namespace {

// The renderer's plain text (paragraph ends as the engine stores them).
CString TextOf(const CTkRichRender& render) {
    BSTR bstr = nullptr;
    if (FAILED(render.GetTextServices()->TxGetText(&bstr)))
        return CString();
    CString text(bstr != nullptr ? bstr : L"");
    ::SysFreeString(bstr);
    return text;
}

const wchar_t kLongText[] = L"The quick brown fox jumps over the lazy dog again and again and again";

// With RICHED20.dll (the ordinary run) the renderer works; without it (the fail-soft run) every
// operation answers its empty result.
class RichRender : public ::testing::Test {
protected:
    void SetUp() override {
        if (!IsLibraryAvailable(L"riched20.dll"))
            GTEST_SKIP() << "the fail-soft run covers the renderer without the engine";
        ASSERT_NE(m_render.GetTextServices(), nullptr);
    }

    CTkRichRender m_render;
    CScopedMemDC m_dc{400, 120};
};

TEST_F(RichRender, TextIsRtfOnlyWhenItStartsWithABraceAndLoadsAsPlainTextWhenRtfFails) {
    struct Case {
        LPCWSTR pszText;
        LPCWSTR pszLoaded;
    };
    const Case cases[] = {
        {L"{\\rtf1 Hello}", L"Hello"},
        {L"{not rtf", L"{not rtf"},  // nothing comes in as RTF: loaded again, braces and all
        {L"plain {\\rtf1 \\b bold}", L"plain {\\rtf1 \\b bold}"},
    };
    for (const Case& c : cases) {
        EXPECT_GT(m_render.SetText(c.pszText), 0) << c.pszText;
        EXPECT_STREQ(TextOf(m_render).TrimRight(L"\r\n").GetString(), c.pszLoaded) << c.pszText;
    }
    EXPECT_EQ(m_render.SetText(L""), 0);
    EXPECT_STREQ(TextOf(m_render).TrimRight(L"\r\n").GetString(), L"");
    EXPECT_EQ(m_render.SetText(nullptr), 0);
}

TEST_F(RichRender, ExtentIsTheNarrowestWidthOfTheSameHeightAndWrapsAtMaxWidth) {
    m_render.SetText(L"short");
    const CSize oneLine = m_render.GetTextExtent(&m_dc, 400);
    ASSERT_GT(oneLine.cx, 0);
    ASSERT_GT(oneLine.cy, 0);

    m_render.SetText(kLongText);
    const CSize wide = m_render.GetTextExtent(&m_dc, 400);
    EXPECT_EQ(wide.cy, oneLine.cy);
    EXPECT_LE(wide.cx, 400);
    // Measuring again at the same width, or at the width found, gives the same answer: the engine does
    // not report a size it reported last, and the renderer must not read that as 0 x 0.
    EXPECT_EQ(m_render.GetTextExtent(&m_dc, 400), wide);
    EXPECT_EQ(m_render.GetTextExtent(&m_dc, 401), wide);
    EXPECT_EQ(m_render.GetTextExtent(&m_dc, wide.cx), wide);
    // One pixel narrower the text needs another line.
    EXPECT_GT(m_render.GetTextExtent(&m_dc, wide.cx - 1).cy, oneLine.cy);

    const CSize narrow = m_render.GetTextExtent(&m_dc, 150);
    EXPECT_LE(narrow.cx, 150);
    EXPECT_GE(narrow.cy, 3 * oneLine.cy);

    // Several lines of mixed fonts: the width found holds them at the height found.
    m_render.SetText(L"{\\rtf1 {\\b Bold} and plain text that is long enough to wrap at the tip's width}");
    for (const int nWidth : {148, 150, 220}) {
        const CSize extent = m_render.GetTextExtent(&m_dc, nWidth);
        EXPECT_LE(extent.cx, nWidth);
        EXPECT_EQ(m_render.GetTextExtent(&m_dc, extent.cx).cy, extent.cy) << nWidth;
        EXPECT_GT(m_render.GetTextExtent(&m_dc, extent.cx - 1).cy, extent.cy) << nWidth;
    }
}

TEST_F(RichRender, DefaultCharFormatSizesTheText) {
    m_render.SetText(L"short");
    const CSize normal = m_render.GetTextExtent(&m_dc, 400);
    CHARFORMATW format = {};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_SIZE;
    format.yHeight = 3 * 240;  // twips: 36 pt
    m_render.SetDefaultCharFormat(&format);
    m_render.SetDefaultCharFormat(nullptr);
    m_render.SetText(L"short");
    const CSize big = m_render.GetTextExtent(&m_dc, 400);
    EXPECT_GT(big.cy, 2 * normal.cy);
    EXPECT_GT(big.cx, 2 * normal.cx);
}

TEST_F(RichRender, DrawsTheTextInsideItsRectangleOnly) {
    m_dc.FillSolidRect(0, 0, 400, 120, RGB(255, 255, 255));
    m_render.SetText(L"{\\rtf1 Plain, {\\b bold} and {\\i italic} text}");
    const CSize extent = m_render.GetTextExtent(&m_dc, 300);
    const CRect rc(10, 10, 10 + extent.cx, 10 + extent.cy);
    m_render.Draw(&m_dc, &rc);
    WritePng(m_dc, L"rich_render.png");
    int nInside = 0;
    int nOutside = 0;
    for (int y = 0; y < m_dc.GetHeight(); ++y)
        for (int x = 0; x < m_dc.GetWidth(); ++x)
            if (PixelAt(m_dc, x, y) != RGB(255, 255, 255))
                ++(rc.PtInRect(CPoint(x, y)) ? nInside : nOutside);
    EXPECT_GT(nInside, 0);
    EXPECT_EQ(nOutside, 0);
}

TEST(RichRenderWithoutEngine, AnswersEmptyResultsAndDrawsNothing) {
    if (IsLibraryAvailable(L"riched20.dll"))
        GTEST_SKIP() << "the fail-soft run takes RICHED20.dll away";
    CTkRichRender render;
    EXPECT_EQ(render.GetTextServices(), nullptr);
    CScopedMemDC dc(64, 16);
    dc.FillSolidRect(0, 0, 64, 16, RGB(1, 2, 3));
    EXPECT_EQ(render.SetText(kLongText), 0);
    EXPECT_EQ(render.GetTextExtent(&dc, 64), CSize(0, 0));
    const CRect rc(0, 0, 64, 16);
    render.Draw(&dc, &rc);
    EXPECT_EQ(PixelAt(dc, 5, 8), RGB(1, 2, 3));
}

}  // namespace
