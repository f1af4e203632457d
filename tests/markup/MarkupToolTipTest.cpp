#include "FoundationTestSupport.h"
#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupEntryFunctions.h"
#include "TkMarkupToolTip.h"
#include "TkToolTipContextToolTip.h"

#include <gtest/gtest.h>

// The foundation's markup tip reaches the engine only through the table the markup library fills: with the
// table filled, a markup text is laid out and drawn by the engine, not shown as its source text.

namespace {

using TOOLITEM = CTkToolTipContextToolTip::TOOLITEM;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A hidden popup the tips belong to.
struct TipOwner : CWnd {
    TipOwner() { CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 300, 100), nullptr, 0); }
    ~TipOwner() override { DestroyWindow(); }
};

int InkColumns(const CScopedMemDC& dc, int cx, int cy) {
    int nColumns = 0;
    for (int x = 0; x < cx; ++x) {
        for (int y = 0; y < cy; ++y) {
            if (PixelAt(dc, x, y) != kWhite) {
                ++nColumns;
                break;
            }
        }
    }
    return nColumns;
}

}  // namespace

class MarkupToolTip : public MarkupTest {};

TEST_F(MarkupToolTip, TheEngineLaysOutAndDrawsAMarkupTip) {
    InstallMarkupEntryFunctions();
    ASSERT_NE(GetMarkupEntryFunctions(), nullptr);
    TipOwner owner;
    CTkToolTipContext context;
    context.SetStyle(kToolTipMarkup);
    context.m_clrBack = kWhite;
    context.m_clrText = RGB(0, 0, 0);
    {
        CTkToolTipContext::CMarkupToolTip markupTip(&context);
        CTkToolTipContextToolTip plainTip(&context);
        ASSERT_TRUE(markupTip.CreateTipWindow(&owner, TTS_ALWAYSTIP | TTS_NOPREFIX));
        ASSERT_TRUE(plainTip.CreateTipWindow(&owner, TTS_ALWAYSTIP | TTS_NOPREFIX));

        TOOLITEM tool;
        tool.strText = L"<TextBlock>Calls</TextBlock>";
        const CSize markupSize = markupTip.CalcContentSize(tool);
        const CSize plainSize = plainTip.CalcContentSize(tool);
        // The source text with its tags is wider than the one word the engine shows.
        EXPECT_GT(markupSize.cx, 0);
        EXPECT_LT(markupSize.cx, plainSize.cx);

        CScopedMemDC dc(markupSize.cx, markupSize.cy);
        dc.FillSolidRect(0, 0, markupSize.cx, markupSize.cy, kWhite);
        markupTip.DrawTip(&dc, tool, CRect(CPoint(0, 0), markupSize));
        ::GdiFlush();
        WritePng(dc, L"markup_tooltip.png");
        EXPECT_GT(InkColumns(dc, markupSize.cx, markupSize.cy), 0) << "the engine drew the text";

        // Text that does not parse falls back to a plain tip of the same text.
        TOOLITEM broken;
        broken.strText = L"<TextBlock>Calls";
        EXPECT_EQ(markupTip.CalcContentSize(broken), plainTip.CalcContentSize(broken));
        markupTip.DestroyWindow();
        plainTip.DestroyWindow();
    }
    SetMarkupEntryFunctions(nullptr);
}
