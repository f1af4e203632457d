// The owner-drawn tip windows without showing them: measuring with a title and icons, where the title,
// icon and text are drawn, the backgrounds of the office, Office 2007 and Luna looks in memory DCs, and
// the visible height of a cursor read from its mask.

#include "FoundationTestSupport.h"
#include "ImageTestSupport.h"
#include "TkColorManager.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"
#include "TkOffice2007Images.h"
#include "TkHTMLToolTip.h"
#include "TkLunaToolTip.h"
#include "TkMarkupEntryFunctions.h"
#include "TkMarkupToolTip.h"
#include "TkRichEditToolTip.h"
#include "TkToolTipContextToolTip.h"
#include "ToolTipTestSupport.h"

#include <algorithm>
#include <chrono>

namespace {

using TOOLITEM = CTkToolTipContextToolTip::TOOLITEM;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// An image manager with a solid red icon of 16 x 16 (id 1) and a blue one of 32 x 32 (id 2).
class CTestIcons {
public:
    CTestIcons() {
        Store(1, 16, 0xFFFF0000);
        Store(2, 32, 0xFF0000FF);
    }
    CTkImageManagerIcon* Small() const { return m_images.GetIcon(1, 16); }
    CTkImageManagerIcon* Large() const { return m_images.GetIcon(2, 32); }

private:
    void Store(UINT nId, int nSize, DWORD pixel) {
        IconStateImage image;
        image.AttachBitmap(MakeDib(nSize, nSize, [pixel](int, int) { return pixel; }));
        m_images.SetIcon(image, nId, 0, 0, ImageStateNormal);
    }
    CTkImageManager m_images;
};

// A tip window of the office style over a hidden owner, white with black text.
struct TipFixture {
    explicit TipFixture(int nStyle = kToolTipOffice) : owner(CRect(0, 0, 300, 100), FALSE), tip(&context) {
        context.SetStyle(nStyle);
        context.m_clrBack = kWhite;
        context.m_clrText = kBlack;
        tip.CreateTipWindow(&owner, context.m_dwTipStyle | TTS_ALWAYSTIP | TTS_NOPREFIX);
    }
    void SetTitle(LPCWSTR pszTitle, CTkImageManagerIcon* pIcon) {
        tip.SendMessage(TTM_SETTITLEW, 1, reinterpret_cast<LPARAM>(pszTitle));
        tip.SendMessage(kToolTipSetIconMessage, 0, reinterpret_cast<LPARAM>(pIcon));
    }

    CTkToolTipContext context;
    CScriptedOwner owner;
    CTkToolTipContextToolTip tip;
};

CSize TextExtent(CFont* pFont, const CString& str, UINT nFormat, int nWidth) {
    CScopedMemDC dc(1, 1);
    CScopedSelectObject font(dc.GetSafeHdc(), pFont->GetSafeHandle());
    CRect rc(0, 0, nWidth, 0);
    dc.DrawText(str, &rc, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | nFormat);
    return rc.Size();
}

TEST(ToolTipWindow, MeasuresTextTitleAndIcons) {
    CTestIcons icons;
    TipFixture f;
    f.context.m_rcMargins = CRect(1, 2, 3, 4);
    const int nAvailable = f.context.GetMaxTipWidth() - (1 + 3 + 6);
    const CString strText = L"Opens the file\tchosen";
    const CString strTitle = L"Open";
    const CSize text = TextExtent(f.context.GetFont(), strText, DT_WORDBREAK, nAvailable);
    const CSize title = TextExtent(f.context.GetBoldFont(), strTitle, DT_SINGLELINE, nAvailable - 25);
    const CSize frame(1 + 3 + 6, 2 + 4 + 6);

    struct Case {
        LPCWSTR pszTitle;
        CTkImageManagerIcon* pIcon;
        CSize content;
    };
    const Case cases[] = {
        {L"", nullptr, text},
        // A small icon beside the text, a large one too; the height is at least the icon's.
        {L"", icons.Small(), CSize(text.cx + 16 + 3, std::max<LONG>(text.cy, 16))},
        {L"", icons.Large(), CSize(text.cx + 32 + 5, std::max<LONG>(text.cy, 32))},
        // With a title the text is indented, and a small icon goes beside the title instead.
        {strTitle, nullptr, CSize(std::max<LONG>(text.cx + 25, title.cx + 4), text.cy + title.cy + 20)},
        {strTitle, icons.Small(),
         CSize(std::max<LONG>(text.cx + 25, title.cx + 4 + 17), std::max<LONG>(text.cy, 16) + title.cy + 20)},
    };
    for (const Case& c : cases) {
        f.SetTitle(c.pszTitle, c.pIcon);
        TOOLITEM tool;
        tool.strText = strText;
        EXPECT_EQ(f.tip.CalcContentSize(tool), c.content + frame) << c.pszTitle << " " << (c.pIcon != nullptr);
    }

    // Nothing to show: no text and no title.
    f.SetTitle(L"", icons.Small());
    TOOLITEM empty;
    EXPECT_EQ(f.tip.CalcContentSize(empty), CSize(0, 0));
}

// TRUE when some pixel of the columns [x1, x2) and rows [y1, y2) is not white.
bool HasInk(const CScopedMemDC& dc, int x1, int x2, int y1, int y2) {
    for (int y = y1; y < y2; ++y) {
        for (int x = x1; x < x2; ++x) {
            if (PixelAt(dc, x, y) != kWhite)
                return true;
        }
    }
    return false;
}

TEST(ToolTipWindow, SmallIconBesideTheTitleAndTheTextIndented) {
    CTestIcons icons;
    TipFixture f;
    f.SetTitle(L"Open", icons.Small());
    const int nTitleHeight = TextExtent(f.context.GetBoldFont(), L"Open", DT_SINGLELINE, 1000).cy;
    for (const bool bRtl : {false, true}) {
        CScriptedOwner toolWindow(CRect(0, 0, 100, 100), FALSE);
        if (bRtl)
            toolWindow.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
        TOOLITEM tool;
        tool.strText = L"WWW WWW";
        tool.hWnd = toolWindow.GetSafeHwnd();
        const CSize size = f.tip.CalcContentSize(tool);
        CScopedMemDC dc(size.cx, size.cy);
        f.tip.DrawTip(&dc, tool, CRect(CPoint(0, 0), size));
        // x counted from the leading side.
        auto at = [&](int x, int y) { return PixelAt(dc, bRtl ? size.cx - 1 - x : x, y); };
        auto ink = [&](int x1, int x2, int y1, int y2) {
            return bRtl ? HasInk(dc, size.cx - x2, size.cx - x1, y1, y2) : HasInk(dc, x1, x2, y1, y2);
        };
        WritePng(dc, bRtl ? L"tooltip_title_icon_rtl.png" : L"tooltip_title_icon.png");

        // The icon in the content's corner (the frame and 3 pixels in).
        EXPECT_EQ(at(3, 3), kRed) << bRtl;
        EXPECT_EQ(at(18, 18), kRed) << bRtl;
        EXPECT_EQ(at(19, 3), kWhite) << bRtl;
        // The title begins past the icon (2 + 16 + 1 in), nothing between.
        const int nTitleTop = 5;
        EXPECT_FALSE(ink(19, 3 + 2 + 17, nTitleTop, nTitleTop + nTitleHeight)) << bRtl;
        EXPECT_TRUE(ink(3 + 2 + 17, size.cx - 3, nTitleTop, nTitleTop + nTitleHeight)) << bRtl;
        // The text starts below the title, 10 pixels in.
        const int nTextTop = 3 + nTitleHeight + 12;
        EXPECT_FALSE(ink(1, 3 + 10, nTextTop, size.cy - 3)) << bRtl;
        EXPECT_TRUE(ink(3 + 10, size.cx - 3, nTextTop, size.cy - 3)) << bRtl;
        EXPECT_FALSE(ink(19, size.cx - 1, nTitleTop + nTitleHeight, nTextTop)) << bRtl << ": a gap under the title";
    }

    // A large icon goes under the title, at the text's start, and the text moves past it.
    f.SetTitle(L"Open", icons.Large());
    TOOLITEM tool;
    tool.strText = L"WWW";
    const CSize size = f.tip.CalcContentSize(tool);
    CScopedMemDC dc(size.cx, size.cy);
    f.tip.DrawTip(&dc, tool, CRect(CPoint(0, 0), size));
    const int nTextTop = 3 + nTitleHeight + 12;
    EXPECT_EQ(PixelAt(dc, 13, nTextTop), kBlue);
    EXPECT_EQ(PixelAt(dc, 13 + 31, nTextTop + 31), kBlue);
    EXPECT_FALSE(HasInk(dc, 13 + 32, 13 + 37, nTextTop, size.cy - 3));
    EXPECT_TRUE(HasInk(dc, 13 + 37, size.cx - 3, nTextTop, size.cy - 3));
}

// The colour a vertical gradient from first to second has at row y of nHeight rows, and a check within
// the tolerance of the system's gradient.
COLORREF GradientAt(COLORREF first, COLORREF second, int y, int nHeight) {
    auto channel = [&](int nShift) {
        const int a = (first >> nShift) & 0xFF;
        const int b = (second >> nShift) & 0xFF;
        return static_cast<DWORD>(a + (b - a) * y / nHeight) << nShift;
    };
    return channel(0) | channel(8) | channel(16);
}

HMODULE LookModule() {
    static HMODULE s_hModule = ::LoadLibraryW(L"Office2007Look.dll");
    return s_hModule;
}

TEST(ToolTipWindow, OfficeAndOffice2007Backgrounds) {
    const CSize size(60, 40);
    const COLORREF kFace = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF kBorder2007 = RGB(0x76, 0x76, 0x76);
    const COLORREF kDark2007 = RGB(201, 217, 239);
    struct Case {
        int nStyle;
        DWORD dwRemoveBits;
        bool bLook;
        COLORREF topLeft;
        COLORREF bottomRight;
        COLORREF corner;  // pixel (0, 0)
        bool bGradient;
    };
    const Case cases[] = {
        {kToolTipOffice, 0, false, kFace, kBlack, kFace, false},
        {kToolTipOffice, kTipStyleFaceBorder, false, kBlack, kBlack, kBlack, false},
        // Without a look module: the look's own colours and a plain frame.
        {kToolTipOffice2007, 0, false, kBorder2007, kBorder2007, kBorder2007, true},
        // With one: its frame image, whose magenta corners let the gradient through.
        {kToolTipOffice2007, 0, true, kBorder2007, kBorder2007, kWhite, true},
    };
    for (const Case& c : cases) {
        TipFixture f(c.nStyle);
        f.context.ModifyToolTipStyle(c.dwRemoveBits, 0);
        if (c.bLook)
            GetOffice2007Images()->SetResourceModule(LookModule());
        CScopedMemDC dc(size.cx, size.cy);
        TOOLITEM tool;
        f.tip.DrawBackground(&dc, tool, CRect(CPoint(0, 0), size));
        if (c.bLook) {
            WritePng(dc, L"tooltip_office2007_background.png");
            GetOffice2007Images()->SetResourceModule(nullptr);
        }
        EXPECT_TRUE(ColorsNear(c.corner, PixelAt(dc, 0, 0), 2)) << c.nStyle << " " << c.bLook;
        EXPECT_EQ(PixelAt(dc, 1, 0), c.topLeft);
        EXPECT_EQ(PixelAt(dc, 0, size.cy / 2), c.topLeft);
        EXPECT_EQ(PixelAt(dc, size.cx - 1, size.cy / 2), c.bottomRight);
        EXPECT_EQ(PixelAt(dc, size.cx / 2, size.cy - 1), c.bottomRight);
        for (const LONG y : {1L, size.cy / 2, size.cy - 2}) {
            const COLORREF inside = c.bGradient ? GradientAt(kWhite, kDark2007, y, size.cy) : kWhite;
            EXPECT_TRUE(ColorsNear(inside, PixelAt(dc, size.cx / 2, y), 2)) << c.nStyle << " row " << y;
        }
    }
}

TEST(ToolTipWindow, LunaBackgroundFollowsTheSystemTheme) {
    const CSize size(50, 30);
    const COLORREF kLunaTop = 0x97D4FF;
    const COLORREF kLunaBottom = 0xC8F2FF;
    const COLORREF kBack = RGB(10, 20, 30);
    struct Case {
        SystemThemeKind nTheme;
        COLORREF top;
        COLORREF bottom;
        COLORREF frame;
    };
    const Case cases[] = {
        {1, kLunaTop, kLunaBottom, 0x800000}, {2, kLunaTop, kLunaBottom, 0x385D3F},
        {3, kLunaTop, kLunaBottom, 0x6F4B4B}, {4, kLunaTop, kLunaBottom, 0x800000},
        {5, kLunaTop, kLunaBottom, 0x800000}, {0, kBack, kWhite, kBlack},
    };
    CTkColorManager* pColors = GetColorManager();
    for (const Case& c : cases) {
        pColors->m_configuredTheme = c.nTheme;
        TipFixture f(kToolTipLuna);
        f.context.m_clrBack = kBack;
        CTkToolTipContext::CLunaToolTip tip(&f.context);
        ASSERT_TRUE(tip.CreateTipWindow(&f.owner, TTS_ALWAYSTIP | TTS_NOPREFIX));
        CScopedMemDC dc(size.cx, size.cy);
        TOOLITEM tool;
        tip.DrawBackground(&dc, tool, CRect(CPoint(0, 0), size));
        if (c.nTheme == 1) {
            // A whole tip to look at.
            tip.SendMessage(TTM_SETTITLEW, 1, reinterpret_cast<LPARAM>(L"Luna"));
            tool.strText = L"A tip of the Luna look\nwith two lines";
            const CSize whole = tip.CalcContentSize(tool);
            CScopedMemDC picture(whole.cx, whole.cy);
            tip.DrawTip(&picture, tool, CRect(CPoint(0, 0), whole));
            WritePng(picture, L"tooltip_luna.png");
            tool.strText.Empty();
        }
        for (const POINT pt : {POINT{0, 0}, POINT{size.cx - 1, size.cy - 1}, POINT{0, size.cy - 1}})
            EXPECT_EQ(PixelAt(dc, pt.x, pt.y), c.frame) << c.nTheme;
        for (const LONG y : {1L, size.cy - 2})
            EXPECT_TRUE(ColorsNear(GradientAt(c.top, c.bottom, y, size.cy), PixelAt(dc, size.cx / 2, y), 2))
                << c.nTheme << " row " << y;
    }
    pColors->m_configuredTheme = kThemeFollowDetected;
}

TEST(ToolTipWindow, RichTextTipMeasuresThroughTheEngineOrShowsNothing) {
    TipFixture f(kToolTipRichText);
    f.context.m_nMaxTipWidth = 160;
    CTkToolTipContext::CRichEditToolTip tip(&f.context);
    ASSERT_TRUE(tip.CreateTipWindow(&f.owner, TTS_ALWAYSTIP | TTS_NOPREFIX));
    auto measure = [&](LPCWSTR pszText) {
        TOOLITEM tool;
        tool.strText = pszText;
        return tip.CalcContentSize(tool);
    };
    const LPCWSTR pszRtf = L"{\\rtf1 {\\b Bold} and plain text that is long enough to wrap at the tip's width}";
    EXPECT_EQ(measure(L""), CSize(0, 0));
    if (!IsLibraryAvailable(L"riched20.dll")) {
        EXPECT_EQ(measure(L"{not rtf"), CSize(0, 0));
        EXPECT_EQ(measure(pszRtf), CSize(0, 0));
        return;
    }
    // Text that is not RTF keeps its brace.
    const CSize plain = measure(L"{not rtf");
    EXPECT_GT(plain.cx, measure(L"not rtf").cx);
    EXPECT_GT(plain.cy, 6);
    // Long text wraps within the maximum width.
    TOOLITEM tool;
    tool.strText = pszRtf;
    const CSize size = tip.CalcContentSize(tool);
    EXPECT_LE(size.cx, 160);
    EXPECT_GE(size.cy - 6, 2 * (plain.cy - 6)) << "more than one line";
    CScopedMemDC dc(size.cx, size.cy);
    tip.DrawTip(&dc, tool, CRect(CPoint(0, 0), size));
    WritePng(dc, L"tooltip_rich.png");
    EXPECT_EQ(PixelAt(dc, 0, 0), kBlack);
    EXPECT_TRUE(HasInk(dc, 3, size.cx - 3, 3, size.cy - 3)) << "the engine drew the text";
}

TEST(ToolTipWindow, MarkupTipWithoutTheEngineIsAPlainTip) {
    ASSERT_EQ(GetMarkupEntryFunctions(), nullptr) << "the markup library is not linked here";
    TipFixture f(kToolTipMarkup);
    CTkToolTipContext::CMarkupToolTip tip(&f.context);
    ASSERT_TRUE(tip.CreateTipWindow(&f.owner, TTS_ALWAYSTIP | TTS_NOPREFIX));
    // An empty text shows nothing, even with a title that would make a plain tip.
    for (CTkToolTipContextToolTip* pTip : {static_cast<CTkToolTipContextToolTip*>(&tip), &f.tip})
        pTip->SendMessage(TTM_SETTITLEW, 1, reinterpret_cast<LPARAM>(L"Title"));
    TOOLITEM empty;
    EXPECT_EQ(tip.CalcContentSize(empty), CSize(0, 0));
    EXPECT_NE(f.tip.CalcContentSize(empty), CSize(0, 0));

    TOOLITEM tool;
    tool.strText = L"<TextBlock><Bold>Markup</Bold> text</TextBlock>";
    const CSize size = tip.CalcContentSize(tool);
    ASSERT_EQ(size, f.tip.CalcContentSize(tool));
    CScopedMemDC markup(size.cx, size.cy);
    CScopedMemDC plain(size.cx, size.cy);
    tip.DrawTip(&markup, tool, CRect(CPoint(0, 0), size));
    f.tip.DrawTip(&plain, tool, CRect(CPoint(0, 0), size));
    ::GdiFlush();
    EXPECT_TRUE(std::equal(markup.GetBits(), markup.GetBits() + size.cx * size.cy, plain.GetBits()));
}

TEST(ToolTipWindow, HtmlTipWithoutABrowserEngineShowsNothingWithinTheBound) {
    CScopedComInit com;
    TipFixture f(kToolTipHTML);
    CTkToolTipContext::CHTMLToolTip tip(&f.context);
    ASSERT_TRUE(tip.CreateTipWindow(&f.owner, TTS_ALWAYSTIP | TTS_NOPREFIX));
    TOOLITEM empty;
    EXPECT_EQ(tip.CalcContentSize(empty), CSize(0, 0));

    // No HTML engine in the test prefix: nothing to show, at once.
    ASSERT_FALSE(IsLibraryAvailable(L"mshtml.dll"));
    TOOLITEM tool;
    tool.strText = L"<b>HTML</b> tip";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(tip.CalcContentSize(tool), CSize(0, 0));
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count(),
              CTkToolTipContext::CHTMLToolTip::kReadyWaitMs);
    EXPECT_EQ(tip.GetDlgItem(0xE900), nullptr) << "no browser window kept";
}

TEST(ToolTipWindow, CursorHeightBelowItsHotSpot) {
    // Masks of 32-pixel rows (two words each): opaque words are 0, transparent ones 0xFFFF; XOR words
    // are 0 where nothing is inverted.
    auto mask = [](int nAndWords, int nOpaqueRows, int nXorWords) {
        std::vector<WORD> words(nAndWords, 0xFFFF);
        std::fill(words.begin(), words.begin() + 2 * nOpaqueRows, 0);
        words.resize(nAndWords + nXorWords, 0);
        return words;
    };
    struct Case {
        std::vector<WORD> words;
        int nWidth;
        int nHeight;
        BOOL bHasColor;
        int nHotSpotY;
        int nExpected;
    };
    const std::vector<WORD> mono = mask(64, 10, 64);
    // The XOR half shows two more rows (inverted pixels) below the opaque ones.
    std::vector<WORD> monoXor = mono;
    std::fill(monoXor.begin() + 64 + 2 * 10, monoXor.begin() + 64 + 2 * 12, 0x00FF);
    std::vector<WORD> large(256, 0xFFFF);  // more than is read: the last word read decides
    large[127] = 0;
    const Case cases[] = {
        {mask(64, 11, 0), 32, 32, TRUE, 0, 11},
        {mask(64, 11, 0), 32, 32, TRUE, 4, 7},
        {mono, 32, 64, FALSE, 2, 8},
        {monoXor, 32, 64, FALSE, 2, 10},
        {large, 64, 64, TRUE, 0, 32},
        {std::vector<WORD>(64, 0xFFFF), 32, 32, TRUE, 0, 0},
        // Degenerate masks give the fallback.
        {std::vector<WORD>(64, 0), 0, 32, TRUE, 0, CTkToolTipContextToolTip::kUnknownCursorHeight},
        {std::vector<WORD>(64, 0), 32, 0, TRUE, 0, CTkToolTipContextToolTip::kUnknownCursorHeight},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CTkToolTipContextToolTip::CursorHeightFromMask(c.words.data(), static_cast<int>(c.words.size()),
                                                                 c.nWidth, c.nHeight, c.bHasColor, c.nHotSpotY),
                  c.nExpected)
            << c.nWidth << "x" << c.nHeight << " hot " << c.nHotSpotY;
    }
    // The system's arrow reaches below its hot spot; no cursor gives the fallback.
    const int nArrow = CTkToolTipContextToolTip::GetCursorHeightBelowHotSpot(::LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_GT(nArrow, 0);
    EXPECT_LE(nArrow, 64);
    EXPECT_EQ(CTkToolTipContextToolTip::GetCursorHeightBelowHotSpot(nullptr),
              CTkToolTipContextToolTip::kUnknownCursorHeight);
}

}  // namespace
