// The toolkit's shared system look: built once with the colour manager's colours and the system
// metrics, no cursors (the program carries none of the toolkit's), and the ten fonts made from the
// non-client and icon-title fonts with the faces asked for when they are installed.
//
// The fonts are checked against the system's fonts of this prefix, and once more, alone on the
// machine, with system fonts of different faces and heights (SystemFontsChanged): the settings are
// shared by every process of the prefix.

#include "FoundationTestSupport.h"
#include "OSVersionInfo.h"
#include "TkAuxData.h"
#include "TkColorManager.h"

namespace {

struct SystemFonts {
    NONCLIENTMETRICSW metrics;
    LOGFONTW iconTitle;
};

SystemFonts ReadSystemFonts() {
    SystemFonts fonts = {};
    MakeNonClientMetrics(fonts.metrics);
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(fonts.iconTitle), &fonts.iconTitle, 0);
    return fonts;
}

LOGFONTW WithFace(LOGFONTW logFont, LPCWSTR pszFace) {
    if (pszFace != nullptr)
        ::lstrcpynW(logFont.lfFaceName, pszFace, LF_FACESIZE);
    return logFont;
}

LOGFONTW Changed(LOGFONTW logFont, LONG nWeight, BYTE bUnderline = 0, LONG nEscapement = 0, LONG nOrientation = 0) {
    logFont.lfWeight = nWeight;
    logFont.lfUnderline = bUnderline;
    logFont.lfEscapement = nEscapement;
    logFont.lfOrientation = nOrientation;
    return logFont;
}

::testing::AssertionResult SameLogFont(const CFont& font, const LOGFONTW& expected) {
    LOGFONTW actual = {};
    if (font.GetSafeHandle() == nullptr || font.GetLogFont(&actual) == 0)
        return ::testing::AssertionFailure() << "no font";
    if (actual.lfHeight != expected.lfHeight || actual.lfWeight != expected.lfWeight ||
        actual.lfUnderline != expected.lfUnderline || actual.lfEscapement != expected.lfEscapement ||
        actual.lfOrientation != expected.lfOrientation || actual.lfCharSet != expected.lfCharSet ||
        actual.lfItalic != expected.lfItalic || ::lstrcmpW(actual.lfFaceName, expected.lfFaceName) != 0)
        return ::testing::AssertionFailure()
               << "got " << actual.lfHeight << "/" << actual.lfWeight << "/u" << int(actual.lfUnderline) << "/e"
               << actual.lfEscapement << "/o" << actual.lfOrientation << "/cs" << int(actual.lfCharSet) << " \""
               << CStringA(actual.lfFaceName).GetString() << "\", expected " << expected.lfHeight << "/"
               << expected.lfWeight << "/u" << int(expected.lfUnderline) << "/e" << expected.lfEscapement << "/o"
               << expected.lfOrientation << "/cs" << int(expected.lfCharSet) << " \""
               << CStringA(expected.lfFaceName).GetString() << "\"";
    return ::testing::AssertionSuccess();
}

// The ten fonts as the system's fonts give them: pszFace (NULL: the menu face) for the menu-based
// fonts, pszVerticalFace (NULL: the menu font's) for the vertical ones, pszCaptionFace (NULL: unchanged)
// for the status and small-caption fonts.
void ExpectTenFonts(const CTkAuxData& aux, LPCWSTR pszFace, LPCWSTR pszVerticalFace, LPCWSTR pszCaptionFace) {
    const SystemFonts system = ReadSystemFonts();
    const LOGFONTW menu = WithFace(system.metrics.lfMenuFont, pszFace);
    const LOGFONTW vertical = WithFace(menu, pszVerticalFace);
    LOGFONTW symbol = {};
    symbol.lfHeight = system.iconTitle.lfHeight;
    symbol.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpyW(symbol.lfFaceName, L"Marlett");
    const struct {
        const char* pszName;
        const CFont& font;
        LOGFONTW expected;
    } rows[] = {
        {"normal", aux.m_fontNormal, menu},
        {"bold", aux.m_fontBold, Changed(menu, FW_BOLD)},
        {"underline", aux.m_fontUnderline, Changed(menu, menu.lfWeight, TRUE)},
        {"vertical", aux.m_fontVert, Changed(vertical, menu.lfWeight, 0, 2700, 900)},
        {"vertical bold", aux.m_fontVertBold, Changed(vertical, FW_BOLD, 0, 2700, 900)},
        {"icon title", aux.m_fontIconTitle, system.iconTitle},
        {"icon title bold", aux.m_fontIconTitleBold, Changed(system.iconTitle, FW_BOLD)},
        {"symbol", aux.m_fontMarlett, symbol},
        {"status", aux.m_fontStatus, WithFace(system.metrics.lfStatusFont, pszCaptionFace)},
        {"small caption", aux.m_fontSmallCaption, WithFace(system.metrics.lfSmCaptionFont, pszCaptionFace)},
    };
    for (const auto& row : rows)
        EXPECT_TRUE(SameLogFont(row.font, row.expected)) << row.pszName;
}

TEST(AuxData, BuiltOnceFromTheColourManagerAndTheSystemWithoutCursors) {
    CTkAuxData* pAux = GetAuxData();
    EXPECT_EQ(GetAuxData(), pAux);

    // The toolkit's cursor 9311 is loaded first; the program has none, so not even the system's hand and
    // size-all cursors are taken.
    ASSERT_NE(::LoadCursorW(nullptr, IDC_HAND), nullptr);
    for (HCURSOR hCursor : pAux->m_cursors)
        EXPECT_EQ(hCursor, nullptr);

    const struct {
        int nPosition;
        UINT nColorIndex;
    } colors[] = {{0, COLOR_3DFACE},
                  {2, COLOR_3DDKSHADOW},
                  {3, COLOR_3DHIGHLIGHT},
                  {9, COLOR_MENU},
                  {13, COLOR_WINDOWTEXT},
                  {16, COLOR_GRADIENTACTIVECAPTION},
                  {19, COLOR_INACTIVECAPTIONTEXT},
                  {20, 30},
                  {39, 49}};
    for (const auto& row : colors)
        EXPECT_EQ(pAux->m_colors[row.nPosition], GetColorManager()->GetColor(row.nColorIndex)) << row.nPosition;

    EXPECT_EQ(pAux->m_cxSmallIcon, ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(pAux->m_cySmallIcon, ::GetSystemMetrics(SM_CYSMICON));
    EXPECT_EQ(pAux->m_cxFixedCell, 18);
    EXPECT_EQ(pAux->m_cyFixedCell, 18);
    EXPECT_EQ(pAux->m_cyMenu, ::GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(pAux->m_cyVThumb, ::GetSystemMetrics(SM_CYVTHUMB));
    EXPECT_EQ(pAux->m_nComCtlVersion, static_cast<int>(OSVersionInfo::GetComCtlVersion()));
    EXPECT_FALSE(pAux->m_bWin95 || pAux->m_bWin98 || pAux->m_bWinNT4 || pAux->m_bPreferTahoma);

    ExpectTenFonts(*pAux, nullptr, nullptr, nullptr);
}

TEST(AuxData, NonClientMetricsAreReadWithoutThePaddedBorder) {
    NONCLIENTMETRICSW metrics;
    ::memset(&metrics, 0xCC, sizeof(metrics));
    MakeNonClientMetrics(metrics);
    EXPECT_EQ(metrics.cbSize, 500u);
    EXPECT_NE(metrics.lfMenuFont.lfHeight, 0) << "filled";
    EXPECT_EQ(metrics.iPaddedBorderWidth, 0) << "the member the record was asked without stays zeroed";
}

// This prefix has neither Tahoma nor Arial, so the vertical fonts keep the face of the others unless a
// vertical face is given; a face that is not installed changes nothing, and the Tahoma preference finds
// no Tahoma.
TEST(AuxData, FacesReplaceTheSystemsOnlyWhenInstalled) {
    ASSERT_FALSE(CTkAuxData::HasFontFace(L"Arial"));
    ASSERT_FALSE(CTkAuxData::HasFontFace(L"Tahoma"));
    ASSERT_TRUE(CTkAuxData::HasFontFace(L"DejaVu Sans"));
    ASSERT_TRUE(CTkAuxData::HasFontFace(L"liberation sans")) << "any case";
    const struct {
        LPCWSTR pszFace;
        LPCWSTR pszVerticalFace;
        BOOL bPreferTahoma;
        LPCWSTR pszExpectedFace;
        LPCWSTR pszExpectedVertical;
        LPCWSTR pszExpectedCaption;
    } rows[] = {
        {nullptr, nullptr, FALSE, nullptr, nullptr, nullptr},
        {nullptr, nullptr, TRUE, nullptr, nullptr, nullptr},
        {L"No Such Face", L"No Such Face Either", FALSE, nullptr, nullptr, nullptr},
        {L"DejaVu Sans", nullptr, FALSE, L"DejaVu Sans", L"DejaVu Sans", L"DejaVu Sans"},
        {nullptr, L"Liberation Sans", FALSE, nullptr, L"Liberation Sans", nullptr},
        {L"Liberation Sans", L"No Such Face", FALSE, L"Liberation Sans", L"Liberation Sans", L"Liberation Sans"},
    };
    CTkAuxData aux;
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "faces " << CStringA(row.pszFace ? row.pszFace : L"(none)").GetString() << ", "
                     << CStringA(row.pszVerticalFace ? row.pszVerticalFace : L"(none)").GetString());
        aux.m_bPreferTahoma = row.bPreferTahoma;
        EXPECT_TRUE(aux.BuildFonts(row.pszFace, row.pszVerticalFace));
        ExpectTenFonts(aux, row.pszExpectedFace, row.pszExpectedVertical, row.pszExpectedCaption);
    }
}

// System fonts of other faces and heights: the menu font in Tahoma (a name only, not installed here),
// the icon-title font taller than the menu font. Alone on the machine; the settings are put back.
class SystemFontsChanged : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = ReadSystemFonts();
        SystemFonts changed = m_saved;
        changed.metrics.lfMenuFont = WithFace(changed.metrics.lfMenuFont, L"Tahoma");
        changed.metrics.lfMenuFont.lfHeight = -13;
        changed.metrics.lfStatusFont = WithFace(changed.metrics.lfStatusFont, L"DejaVu Sans");
        changed.metrics.lfStatusFont.lfHeight = -12;
        changed.metrics.lfSmCaptionFont.lfHeight = -10;
        changed.metrics.lfSmCaptionFont.lfWeight = FW_BOLD;
        changed.iconTitle = WithFace(changed.iconTitle, L"Liberation Sans");
        changed.iconTitle.lfHeight = -17;
        Apply(changed);
        const SystemFonts read = ReadSystemFonts();
        ASSERT_EQ(read.metrics.lfMenuFont.lfHeight, -13);
        ASSERT_EQ(read.iconTitle.lfHeight, -17);
    }
    void TearDown() override { Apply(m_saved); }

    static void Apply(SystemFonts fonts) {
        ::SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, kNonClientMetricsSize, &fonts.metrics, 0);
        ::SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof(fonts.iconTitle), &fonts.iconTitle, 0);
    }

    SystemFonts m_saved = {};
};

TEST_F(SystemFontsChanged, FontsFollowTheirOwnSystemFont) {
    CTkAuxData aux;
    // The symbol font takes the icon-title height (-17), not the menu font's (-13).
    ExpectTenFonts(aux, nullptr, nullptr, nullptr);
    EXPECT_TRUE(aux.BuildFonts(L"Liberation Sans", nullptr));
    ExpectTenFonts(aux, L"Liberation Sans", nullptr, L"Liberation Sans");
}

}  // namespace
