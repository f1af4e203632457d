#include "SkinTestSupport.h"
#include "TkSkinManagerMetrics.h"

#include <vssym32.h>

namespace {

// Inverts every colour.
class InvertFilter : public CTkSkinManagerColorFilter {
public:
    void ApplyColorFilter(COLORREF& clr) override { clr = ~clr & 0xFFFFFF; }
};

LOGFONTW FontOf(CFont* pFont) {
    LOGFONTW font{};
    pFont->GetLogFont(&font);
    return font;
}

}  // namespace

// Sizes and fonts come from the skin's SYSMETRICS only while metrics are skinned; its bar heights are
// one pixel short of the system's, so a skin without them gets the system's plus one.
TEST(SkinMetrics, SizesAndFontsFollowTheSkinOnlyWithMetricsOn) {
    const int cyCaption = ::GetSystemMetrics(SM_CYCAPTION);
    const int cySmallCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    const int cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    struct Row {
        const char* pszSysMetrics;
        DWORD dwOptions;
        int nCaption, nSmallCaption, nScrollWidth, nScrollHeight;
    };
    const Row rows[] = {
        {"", 7, cyCaption + 1, cySmallCaption + 1, cxVScroll, cyVScroll},
        {"CAPTIONBARHEIGHT=20\nSMCAPTIONBARHEIGHT=14\nSCROLLBARWIDTH=21\nSCROLLBARHEIGHT=22\n", 7, 21, 15, 21, 22},
        {"SCROLLBARWIDTH=0\nSCROLLBARHEIGHT=-5\n", 7, cyCaption + 1, cySmallCaption + 1, cxVScroll, cyVScroll},
        {"CAPTIONBARHEIGHT=20\nSCROLLBARWIDTH=21\n", 6, cyCaption, cySmallCaption, cxVScroll, cyVScroll},
    };
    for (const Row& row : rows) {
        SkinFromText skin(std::string("[SYSMETRICS]\n") + row.pszSysMetrics + "CAPTIONFONT=Tahoma, 12, bold\n",
                          row.dwOptions);
        CTkSkinManagerMetrics* pMetrics = skin.Manager().GetMetrics();
        pMetrics->RefreshMetrics();
        EXPECT_EQ(pMetrics->GetCaptionHeight(), row.nCaption) << row.pszSysMetrics;
        EXPECT_EQ(pMetrics->GetSmallCaptionHeight(), row.nSmallCaption) << row.pszSysMetrics;
        EXPECT_EQ(pMetrics->GetSystemCaptionHeight(), cyCaption);
        EXPECT_EQ(pMetrics->GetVScrollWidth(), row.nScrollWidth) << row.pszSysMetrics;
        EXPECT_EQ(pMetrics->GetHScrollArrowWidth(), row.nScrollWidth) << row.pszSysMetrics;
        EXPECT_EQ(pMetrics->GetVScrollArrowHeight(), row.nScrollHeight) << row.pszSysMetrics;
        EXPECT_EQ(pMetrics->GetHScrollHeight(), row.nScrollHeight) << row.pszSysMetrics;
        EXPECT_EQ(std::wstring(FontOf(pMetrics->GetCaptionFont()).lfFaceName) == L"TAHOMA", (row.dwOptions & 1) != 0);
        EXPECT_FALSE(pMetrics->IsRefreshing());
    }
}

// A colour the skin leaves out is the built-in default, not the system's; every colour passes the
// filters; brushes are remade only for colours that changed.
TEST(SkinMetrics, ColoursComeFromTheSkinOrTheDefaultsAndOwnTheirBrushes) {
    SkinFromText skin("[SYSMETRICS]\nBTNFACE=10 20 30\nWINDOW=250 250 250\n");
    CTkSkinManagerMetrics* pMetrics = skin.Manager().GetMetrics();
    pMetrics->RefreshMetrics();
    EXPECT_EQ(pMetrics->GetColor(COLOR_BTNFACE), RGB(10, 20, 30));
    EXPECT_EQ(pMetrics->GetColor(COLOR_INFOBK), RGB(255, 255, 225));
    EXPECT_EQ(pMetrics->GetColor(COLOR_MENUBAR), RGB(192, 192, 192));
    EXPECT_EQ(pMetrics->GetColor(31), 0u);
    EXPECT_EQ(pMetrics->GetColor(-1), 0u);
    EXPECT_EQ(pMetrics->GetEdgeShadowColor(), RGB(128, 128, 128));
    EXPECT_EQ(skin.Manager().GetSchemaSysColor(TMT_BTNFACE), RGB(10, 20, 30));
    EXPECT_EQ(skin.Manager().GetSchemaSysColor(1600), static_cast<COLORREF>(-1));
    EXPECT_EQ(skin.Manager().GetSchemaSysColor(1632), static_cast<COLORREF>(-1));

    HBRUSH hFace = pMetrics->GetBrush(COLOR_BTNFACE);
    LOGBRUSH brush{};
    ASSERT_TRUE(::GetObjectW(hFace, sizeof(brush), &brush));
    EXPECT_EQ(brush.lbColor, RGB(10, 20, 30));
    EXPECT_TRUE(pMetrics->IsSkinBrush(hFace));
    EXPECT_FALSE(pMetrics->IsSkinBrush(pMetrics->GetFaceBrush()));
    EXPECT_FALSE(pMetrics->IsSkinBrush(nullptr));
    EXPECT_FALSE(pMetrics->IsSkinBrush(::GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(pMetrics->GetBrush(31), nullptr);

    HBRUSH hWindow = pMetrics->GetBrush(COLOR_WINDOW);
    ASSERT_TRUE(skin.Reload("[SYSMETRICS]\nBTNFACE=11 20 30\nWINDOW=250 250 250\n"));
    pMetrics->RefreshMetrics();
    EXPECT_EQ(pMetrics->GetBrush(COLOR_WINDOW), hWindow) << "an unchanged colour keeps its brush";
    EXPECT_NE(pMetrics->GetBrush(COLOR_BTNFACE), hFace);
    EXPECT_EQ(::GetObjectType(hFace), 0u) << "the old brush is deleted";

    skin.Manager().AddColorFilter(new InvertFilter);
    pMetrics->RefreshMetrics();
    EXPECT_EQ(pMetrics->GetColor(COLOR_BTNFACE), RGB(244, 235, 225));
    EXPECT_EQ(pMetrics->GetColor(COLOR_INFOBK), RGB(0, 0, 30));
}

TEST(SkinMetrics, WithoutASkinTheSystemColoursAreCopiedAndNoBrushesKept) {
    CTkSkinManager manager;
    CTkSkinManagerMetrics* pMetrics = manager.GetMetrics();
    EXPECT_EQ(pMetrics->GetColor(COLOR_WINDOW), static_cast<COLORREF>(-1)) << "nothing before the first refresh";
    pMetrics->RefreshMetrics();
    for (int i = 0; i < CTkSkinManagerMetrics::kColorCount; ++i) {
        EXPECT_EQ(pMetrics->GetColor(i), ::GetSysColor(i)) << i;
        EXPECT_EQ(pMetrics->GetBrush(i), nullptr) << i;
    }

    // A skin that fails to load leaves the manager without a schema, and its metrics go back to the system.
    SkinFromText skin("[SYSMETRICS]\nBTNFACE=10 20 30\n");
    skin.Manager().GetMetrics()->RefreshMetrics();
    EXPECT_FALSE(skin.Manager().LoadSkinData(L"Z:\\no\\such\\skin.vardle", nullptr));
    EXPECT_EQ(skin.Manager().GetSchema(), nullptr);
    skin.Manager().GetMetrics()->RefreshMetrics();
    EXPECT_EQ(skin.Manager().GetMetrics()->GetColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(skin.Manager().GetMetrics()->GetBrush(COLOR_BTNFACE), nullptr);
}
